#include "itinerary/ModificaTappe.h"

#include <algorithm>

#include "common/Griglia.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/Tappe.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kRigheScorrimento = 14;

QString SenzaMarche(QString localita) {
    localita.remove(kMarcaStart, Qt::CaseInsensitive);
    localita.remove(kMarcaEnd, Qt::CaseInsensitive);
    localita.remove(Trim(kMarcaStart), Qt::CaseInsensitive);
    localita.remove(Trim(kMarcaEnd), Qt::CaseInsensitive);
    return Trim(localita);
}

void SelezionaRiga(Griglia& g, int riga) {
    g.seleziona(riga, 0, riga, std::max(0, g.colonne() - 1));
}

void CopiaRiga(Griglia& g, int da, int a) {
    for (int c = 0; c < g.colonne(); ++c) {
        g.impostaTesto(a, c, g.testo(da, c));
        g.impostaColoreSfondo(a, c, g.coloreSfondo(da, c));
    }
}

void SvuotaRiga(Griglia& g, int r) {
    for (int c = 0; c < g.colonne(); ++c) {
        g.impostaTesto(r, c, {});
        g.impostaColoreSfondo(r, c, std::nullopt);
    }
}

QString TestoSosta(const CampiTappa& campi) {
    const QString s = Zero(campi.cmbSosta[0], 2) + QLatin1Char(':') + Zero(campi.cmbSosta[1], 2) +
                      QLatin1Char(':') + Zero(campi.cmbSosta[2], 2);
    return s == QLatin1String("00:00:00") ? QString() : s;
}

void Impossibile(Dialoghi& dialoghi, const QString& motivo) {
    dialoghi.avviso(QStringLiteral("Impossibile:") + kCrLf + motivo, {}, Icona::Avviso);
}

}  // namespace

AbilitazioneItinerario RegolaAbilitazione(const Griglia& mfgTab) {
    const bool dueTappe = UltimaRigaTappa(mfgTab) >= 2;
    return {dueTappe, dueTappe, dueTappe, !dueTappe};
}

void CaricaCampiDaRiga(const Griglia& mfgTab, int riga, CampiTappa& campi) {
    const QString localita = mfgTab.testo(riga, ColTappa);
    campi.chkMeta[0] = localita.contains(Trim(kMarcaStart), Qt::CaseInsensitive);
    campi.chkMeta[1] = localita.contains(Trim(kMarcaEnd), Qt::CaseInsensitive);
    campi.txtTappa = SenzaMarche(localita);
    campi.txtNumStrada = Trim(mfgTab.testo(riga, ColStrada));
    if (campi.txtNumStrada.isEmpty() && riga >= 2)
        campi.txtNumStrada = Trim(mfgTab.testo(riga - 1, ColStrada));
    campi.txtKm = Trim(mfgTab.testo(riga, ColKm));
    if (riga >= 2) {
        const QString tipo = Trim(mfgTab.testo(riga, ColTipoStrada)).toUpper();
        campi.tipoStrada = tipo.isEmpty() ? QStringLiteral("L") : tipo;
    }
    QString sosta = mfgTab.testo(riga, ColSosta);
    if (sosta.isEmpty()) sosta = QStringLiteral("00:00:00");
    campi.chkEndDay = sosta.startsWith(QLatin1Char('*'));
    if (campi.chkEndDay) sosta.remove(0, 1);
    campi.cmbSosta = {sosta.mid(0, 2), sosta.mid(3, 2), sosta.mid(6, 2)};
}

AbilitazioneItinerario AggiornaNumeroRiga(Griglia& mfgTab, int& rigaCorrente, CampiTappa& campi) {
    Griglia::Aggiornamento lotto(mfgTab);
    while (mfgTab.righe() > kRigheMinimeItinerario && mfgTab.testo(mfgTab.righe() - 1, ColTappa).isEmpty())
        mfgTab.impostaRighe(mfgTab.righe() - 1);
    mfgTab.impostaRighe(mfgTab.righe() + 1);

    const int ultima = UltimaRigaTappa(mfgTab);
    rigaCorrente = std::max(rigaCorrente, 1);
    if (rigaCorrente > ultima) rigaCorrente = ultima + 1;

    if (rigaCorrente > mfgTab.rigaInAlto() + kRigheScorrimento)
        mfgTab.impostaRigaInAlto(rigaCorrente - kRigheScorrimento);
    else if (rigaCorrente < mfgTab.rigaInAlto())
        mfgTab.impostaRigaInAlto(rigaCorrente);

    CaricaCampiDaRiga(mfgTab, rigaCorrente, campi);
    SelezionaRiga(mfgTab, rigaCorrente);
    campi.txtRiga = QString::number(rigaCorrente);
    return RegolaAbilitazione(mfgTab);
}

void ImpostaKmProgressivi(const Griglia& mfgTab, int rigaCorrente, bool corniceVisibile, CampiTappa& campi) {
    campi.chkKmVisibile = corniceVisibile && rigaCorrente >= 3;
    campi.chkKm =
        campi.chkKmVisibile && ValoreSenzaPunti(mfgTab.testo(rigaCorrente - 1, ColKmProgressivi)) > 0;
}

AbilitazioneItinerario ClickRigaItinerario(Griglia& mfgTab, int riga, int& rigaCorrente, CampiTappa& campi,
                                           bool corniceVisibile) {
    rigaCorrente = riga;
    campi.chkMeta = {false, false};
    SelezionaRiga(mfgTab, riga);
    const AbilitazioneItinerario a = AggiornaNumeroRiga(mfgTab, rigaCorrente, campi);
    ImpostaKmProgressivi(mfgTab, rigaCorrente, corniceVisibile, campi);
    return a;
}

AbilitazioneItinerario SpostaRigaCorrente(Griglia& mfgTab, int passo, int& rigaCorrente, CampiTappa& campi) {
    rigaCorrente = std::max(1, rigaCorrente + passo);
    return AggiornaNumeroRiga(mfgTab, rigaCorrente, campi);
}

bool cmdInserisce(Griglia& mfgTab, int& rigaCorrente, CampiTappa& campi, Dialoghi& dialoghi,
                  QString* notaKm) {
    const QString tipo = campi.tipoStrada;
    if (notaKm) notaKm->clear();
    if (rigaCorrente >= 3 && campi.chkKm) {
        const double progressivo = ValoreSenzaPunti(mfgTab.testo(rigaCorrente - 1, ColKmProgressivi));
        const double digitato = Valore(campi.txtKm);
        if (digitato > progressivo) {
            campi.txtKm = QString::number(static_cast<long long>(digitato - progressivo));
            // The user sees what is stored in place of the number typed.
            if (notaKm)
                *notaKm = QStringLiteral("Km progressivi: ") +
                          QString::number(static_cast<long long>(digitato)) + QString::fromUtf8(" → ") +
                          campi.txtKm + QStringLiteral(" dalla tappa precedente");
        }
    }
    const double km = Valore(campi.txtKm);
    const QString localita = Trim(campi.txtTappa);
    bool valido = true;
    if (km > 999) {
        Impossibile(dialoghi, QStringLiteral("Indica un valore compreso tra 1 e 999"));
        valido = false;
    }
    if (localita.isEmpty()) {
        Impossibile(dialoghi, QString::fromUtf8("Indica il nome della località!"));
        valido = false;
    }
    if (!valido) return false;

    const QString sosta = TestoSosta(campi);
    if (km == 0 && sosta.isEmpty() && !campi.chkEndDay &&
        !campi.txtNumStrada.contains(QLatin1String("TRAGH"), Qt::CaseInsensitive)) {
        dialoghi.avviso(QStringLiteral("Chilometri (o sosta): dato obbligatorio!"),
                        QStringLiteral("Dato obbligatorio"), Icona::Avviso);
        return false;
    }
    if (km != 0 && (tipo.size() != 1 || !QStringLiteral("ASPL").contains(tipo, Qt::CaseInsensitive))) {
        dialoghi.avviso(QStringLiteral("Tipo strada obbligatorio!"), QStringLiteral("Dato obbligatorio"),
                        Icona::Avviso);
        return false;
    }

    Griglia::Aggiornamento lotto(mfgTab);
    const int r = std::max(rigaCorrente, 1);
    if (r >= mfgTab.righe()) mfgTab.impostaRighe(r + 2);
    QString nome = localita;
    if (campi.chkMeta[0]) {
        CancellaFlagStartEnd(mfgTab, 1);
        nome += kMarcaStart;
    }
    if (campi.chkMeta[1]) {
        CancellaFlagStartEnd(mfgTab, 2);
        nome += kMarcaEnd;
    }
    campi.chkMeta = {false, false};
    mfgTab.impostaTesto(r, ColNumero, QString::number(r));
    mfgTab.impostaTesto(r, ColTappa, nome);
    mfgTab.impostaTesto(r, ColStrada, campi.txtNumStrada);
    mfgTab.impostaTesto(r, ColKm, campi.txtKm);
    mfgTab.impostaTesto(r, ColTipoStrada, km == 0 ? QString() : tipo.toUpper());
    mfgTab.impostaTesto(r, ColSosta, (campi.chkEndDay ? QStringLiteral("*") : QString()) + sosta);
    mfgTab.impostaTesto(r, ColFineGiorno, campi.chkEndDay ? QStringLiteral("1") : QStringLiteral("0"));
    mfgTab.impostaColoreSfondo(r, ColSosta,
                               campi.chkEndDay ? std::optional<Colore>(kColoreFineGiorno) : std::nullopt);

    if (r > mfgTab.righe() - 3) mfgTab.impostaRighe(std::max(kRigheMinimeItinerario, r + 5));
    rigaCorrente = r + 1;
    AggiornaNumeroRiga(mfgTab, rigaCorrente, campi);
    return true;
}

void InserisciRigheItinerario(Griglia& mfgTab, int rigaCorrente, int n) {
    if (n <= 0) return;
    Griglia::Aggiornamento lotto(mfgTab);
    const int r = std::clamp(rigaCorrente, 1, mfgTab.righe());
    mfgTab.inserisciRighe(r, n);
    NumeraRighe(mfgTab);
    for (int i = r; i < r + n; ++i) mfgTab.impostaTesto(i, ColNumero, QString::number(i));
}

void cmdCancella(Griglia& mfgTab, int rigaCorrente) {
    if (rigaCorrente < 1 || rigaCorrente >= mfgTab.righe()) return;
    Griglia::Aggiornamento lotto(mfgTab);
    const int righe = mfgTab.righe();
    mfgTab.rimuoviRighe(rigaCorrente, 1);
    mfgTab.impostaRighe(std::max(righe, kRigheMinimeItinerario));
    NumeraRighe(mfgTab);
}

int cmdRitorno(Griglia& mfgTab) {
    Griglia::Aggiornamento lotto(mfgTab);
    // Squeeze out the empty rows, keeping the row count.
    int scritta = 1;
    for (int r = 1; r < mfgTab.righe(); ++r) {
        if (mfgTab.testo(r, ColTappa).isEmpty()) continue;
        if (r != scritta) CopiaRiga(mfgTab, r, scritta);
        ++scritta;
    }
    for (int r = scritta; r < mfgTab.righe(); ++r) SvuotaRiga(mfgTab, r);
    NumeraRighe(mfgTab);

    const int ultima = scritta - 1;
    if (ultima < 1) return 0;
    // The earlier visit is the same locality, not merely one whose name starts alike ("ROMA" is
    // not "ROMANO").
    const QString nome = ChiaveLocalita(mfgTab.testo(ultima, ColTappa));
    int prima = ultima;
    for (int r = ultima - 1; r >= 1; --r) {
        if (UgualeTesto(ChiaveLocalita(mfgTab.testo(r, ColTappa)), nome)) {
            prima = r;
            break;
        }
    }
    mfgTab.impostaRighe(std::max({mfgTab.righe(), ultima + prima + 1, kRigheMinimeItinerario}));
    int nuova = ultima;
    for (int i = prima - 1; i >= 1; --i) {
        ++nuova;
        mfgTab.impostaTesto(nuova, ColNumero, QString::number(nuova));
        // A marker stays on its own leg: each marker is carried by one leg only.
        mfgTab.impostaTesto(nuova, ColTappa, SenzaMarche(mfgTab.testo(i, ColTappa)));
        for (int c : {ColStrada, ColKm, ColTipoStrada}) mfgTab.impostaTesto(nuova, c, mfgTab.testo(i + 1, c));
        mfgTab.impostaTesto(nuova, ColFineGiorno, QStringLiteral("0"));
    }
    SelezionaRiga(mfgTab, prima);
    return prima;
}

void CancellaFlagStartEnd(Griglia& mfgTab, int k) {
    const QString marca = Trim(k == 1 ? kMarcaStart : kMarcaEnd);
    for (int r = 1; r < mfgTab.righe(); ++r) {
        QString localita = mfgTab.testo(r, ColTappa);
        if (!localita.contains(marca, Qt::CaseInsensitive)) continue;
        localita.remove(marca, Qt::CaseInsensitive);
        mfgTab.impostaTesto(r, ColTappa, Trim(localita));
    }
}

void NumeraRighe(Griglia& mfgTab) {
    for (int r = 1; r < mfgTab.righe(); ++r)
        if (!mfgTab.testo(r, ColTappa).isEmpty()) mfgTab.impostaTesto(r, ColNumero, QString::number(r));
}

QString RiepilogoRiga(const Griglia& mfgTab, int riga) {
    QString testo = QStringLiteral("Dati relativi a:") + kCrLf;
    for (int c = 0; c < mfgTab.colonne(); ++c) {
        const QString intestazione = mfgTab.testo(0, c);
        testo += kCrLf + intestazione + QLatin1Char(':') + QLatin1Char('\t') + mfgTab.testo(riga, c);
        if (intestazione.toUpper().contains(QLatin1String("NOTE"))) break;
    }
    return testo;
}

QStringList ElencoLocalitaItinerario(const Griglia& mfgTab) {
    QStringList elenco;
    for (int r = 1; r < mfgTab.righe(); ++r) {
        const QString localita = mfgTab.testo(r, ColTappa);
        if (!localita.isEmpty()) elenco << localita.leftJustified(31, QLatin1Char(' ')) + Zero(r, 4);
    }
    elenco.sort(Qt::CaseInsensitive);
    return elenco;
}

int RicercaDiUnaSingolaTappa(Griglia& mfgTab, const QString& voce, int& rigaCorrente, CampiTappa& campi) {
    const int riga = std::clamp(static_cast<int>(Valore(voce.right(4))), 1, std::max(1, mfgTab.righe() - 1));
    rigaCorrente = riga;
    mfgTab.impostaRigaInAlto(std::max(1, riga - 8));
    CaricaCampiDaRiga(mfgTab, riga, campi);
    campi.txtRiga = QString::number(riga);
    SelezionaRiga(mfgTab, riga);
    return riga;
}

int CaratteriNomeTappa(bool start, bool end) {
    return LarghezzaLocalitaTappa() - (start ? static_cast<int>(kMarcaStart.size()) : 0) -
           (end ? static_cast<int>(kMarcaEnd.size()) : 0);
}

bool TastoKmAccettato(QChar tasto) {
    return tasto >= QLatin1Char('0') && tasto <= QLatin1Char('9');
}

QChar TastoMaiuscolo(QChar tasto) {
    return tasto.isLetter() ? tasto.toUpper() : tasto;
}

QString FiltraKm(const QString& testo) {
    QString cifre;
    for (QChar c : testo)
        if (TastoKmAccettato(c)) cifre += c;
    return cifre;
}

QString AiutoCampiItinerario() {
    return QStringList{
        QStringLiteral("Informazioni sull'inserimento dei dati:"),
        QString::fromUtf8("TAPPA: indicare la località di arrivo del tratto stradale;"),
        QStringLiteral(
            "NUMERO STRADA: indicare l 'identificativo della strada (inserire TRAGH se trattasi di "
            "traghetto);"),
        QStringLiteral(
            "DISTANZA in KM: indicare la distanza in chilometri (dalla tappa precedente) con il seguente "
            "accorgimento:"),
        QString::fromUtf8(
            "se la casella 'Km. Progress' è spuntata, è possibile inserire il progressivo della tappa,"),
        QString::fromUtf8("e la differenza sarà calcolata in automatico;"),
        QStringLiteral("TIPO STRADA: selezionare la tipologia (influisce sul tempo di percorrenza);"),
        QString::fromUtf8(
            "EVENTUALE SOSTA: il dato è obbligatorio se non sono indicati km. o 'TRAGH' su numero "
            "strada;"),
        QStringLiteral("FINE GIORNATA: se spuntato, forza la sosta fino all'inizio del giorno successivo."),
        QStringLiteral("Per inserire la tappa, cliccare su INSERISCE TAPPA."),
        QStringLiteral(
            "Per il significato dei pulsanti di questo form, cliccare sugli altri Help [?] in basso."),
    }
        .join(kCrLf);
}

QString AiutoPulsantiItinerario(int linea) {
    static const std::array<const char*, 16> righe{
        "INSERISCE TAPPA: memorizza la tappa alla riga selezionata (se già presente, sovrascrive);",
        "AGGIUNGE RIGA VUOTA: inserisce una riga vuota per l'inserimento di una tappa intermedia;",
        "RITORNO A START:  inserisce automaticamente le tappe per il ritorno alla località di partenza:",
        "inserisce tappe ritornando a ritroso finchè non trova una tappa omonima,",
        "in pratica ricerca la prima tappa nell'itinerario uguale all'ultima nella lista.",
        "CANCELLA RIGA/TAPPA: elimina la tappa corrente selezionata;",
        "RICALCOLA PERCORSO: calcola la Zavetra con i dati in fase di inserimento;",
        "CERCA LOCALITA': propone una lista alfabetica delle località oggetto dei singoli tratti.",
        "AZZERA SOSTE ITINER: cancella tutte le soste già inserite nell'itinerario;",
        "COPIA SOSTE GUIDE -> ITIN.: trasferisce le soste dalla guida città all'itinerario;",
        "ALTRI PACCHETTI: importa gli itinerari prodotti con altri pacchetti:",
        "per maggiori informazioni clicca su [?] a destra del pulsante del comando.",
        "COPIA DA ALTRE METE: consente di copiare tratti d'itinerario da altri già memorizzati;",
        "(altre informazioni [?] attivando la funzione).",
        "SALVA RESET: salva le modifiche apportate all'itinerario o ripristina la situazione in memoria;",
        "FINE INSER.: chiude la funzione, chiedendo se salvare i dati immessi.",
    };
    // The lines of each row of buttons: first and one past the last.
    static const std::array<std::pair<int, int>, 5> linee{{{0, 2}, {2, 6}, {6, 8}, {8, 12}, {12, 16}}};
    const int n = std::clamp(linea, 1, 5);
    QStringList testo{QStringLiteral("Significato dei singoli pulsanti (") + QString::number(n) +
                      QStringLiteral(". linea):")};
    for (int i = linee[n - 1].first; i < linee[n - 1].second; ++i) testo << QString::fromUtf8(righe[i]);
    return testo.join(kCrLf);
}
