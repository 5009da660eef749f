#include "trips/Meta.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <set>

#include "common/Conferma.h"
#include "common/Date.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "database/NomiCampi.h"
#include "trips/Parametri.h"

namespace {

using nomi::kCodiceMeta;
using nomi::kLocalita;

// Fields of the parameter part, shared by MeteCamper and Parametri.
const std::array<QString, 4> kCampiMedia{QStringLiteral("MediaAutostrada"),
                                         QStringLiteral("MediaSuperStrada"),
                                         QStringLiteral("MediaPrincipale"), QStringLiteral("MediaLocale")};
// By pair index.
const std::array<QString, kCoppieOra> kCampiCoppia{
    QStringLiteral("OraColazione"), QStringLiteral("OraPranzo"),    QStringLiteral("OraCena"),
    QStringLiteral("OraNotte"),     QStringLiteral("DurataPranzo"), QStringLiteral("DurataCena"),
    QStringLiteral("InizioVisita"), QStringLiteral("FineVisita"),   QStringLiteral("OreTraghetti")};

struct CampoRiposo {
    QString campo;
    QString BoxMeta::*box;
};
const std::array<CampoRiposo, 4> kCampiRiposo{{{QStringLiteral("RiposoMinuti"), &BoxMeta::cmbRipM},
                                               {QStringLiteral("RiposoOre"), &BoxMeta::cmbRipH},
                                               {QStringLiteral("RiposoGiorno"), &BoxMeta::cmbRipG},
                                               {QStringLiteral("RiposoDopoGiorni"), &BoxMeta::cmbRipGG}}};

struct Fabbrica {
    std::array<const char*, 4> medie{"75", "65", "50", "30"};
    std::array<const char*, kCoppieOra> ore{"09", "12", "20", "22", "02", "01", "09", "18", "06"};
    std::array<const char*, kCoppieOra> minuti{"00", "30", "00", "30", "30", "45", "00", "00", "00"};
    std::array<const char*, 4> riposi{"15", "03", "01", "05"};
};

QString nomeTabella(Archivio& a, int tabella) {
    return a.nome(tabella);
}

void scriviParametri(RowSet& r, const BoxMeta& box) {
    for (int i = 0; i < 4; ++i) r.imposta(kCampiMedia[i], MediaMemorizzata(box.cmbMediaKm[i]));
    for (int i = 0; i < kCoppieOra; ++i) r.imposta(kCampiCoppia[i], CoppiaMemorizzata(box, i));
    for (const CampoRiposo& c : kCampiRiposo) r.imposta(c.campo, box.*c.box);
    r.imposta(QStringLiteral("CalcoloSoste"), box.cmbSoste.left(1));
    r.imposta(QStringLiteral("Range"), box.cmbRange);
}

// The stop entry at a list position, kept inside the list.
QString voceSostePosizione(double valore) {
    const QStringList voci = ListaSoste();
    const auto indice = static_cast<qsizetype>(std::clamp(valore - 1, 0.0, double(voci.size() - 1)));
    return voci[indice];
}

void leggiCoppie(const RowSet& r, BoxMeta& box) {
    for (int i = 0; i < kCoppieOra; ++i) {
        const QString testo = r.testo(kCampiCoppia[i]);
        box.cmbOra[i] = testo.left(2);
        box.cmbMin[i] = testo.mid(2);
    }
}

void leggiMedie(const RowSet& r, BoxMeta& box) {
    for (int i = 0; i < 4; ++i) box.cmbMediaKm[i] = r.testo(kCampiMedia[i]);
}

RowSet metaPerCodice(Archivio& a, const QString& codice) {
    return a.dati().apriRowSet(Query::di(nomeTabella(a, TabMeteCamper)).dove(kCodiceMeta, codice));
}

bool esisteMeta(Archivio& a, const QString& codice) {
    return a.dati().conta(Query::di(nomeTabella(a, TabMeteCamper)).dove(kCodiceMeta, codice)) > 0;
}

// The trip a save of this locality modifies: the same text first; otherwise a trip whose
// locality, ignoring case, equals the typed text, or starts with the text before its "(" when it
// has one.  The LIKE query only gathers candidates: the characters it cannot quote become
// wildcards there, and a typed "*" or "?" is one, so each candidate is compared as text here.
QString metaPerLocalita(Archivio& a, const QString& localita) {
    const QString codice = CodiceMetaPerLocalita(localita, a);
    if (!codice.isEmpty()) return codice;
    const qsizetype parentesi = localita.indexOf(QLatin1Char('('));
    const QString chiave = parentesi < 0 ? localita : localita.left(parentesi);
    RowSet r = a.dati().apriRowSet(
        Query::di(nomeTabella(a, TabMeteCamper)).like(kLocalita, LikeTesto(localita)).ordina(kCodiceMeta));
    for (; !r.fine(); r.successivo()) {
        const QString candidata = r.testo(kLocalita);
        const bool corrisponde = parentesi < 0 ? UgualeTesto(candidata, chiave)
                                               : UgualeTesto(candidata.left(chiave.size()), chiave);
        if (corrisponde) return r.testo(kCodiceMeta);
    }
    return {};
}

}  // namespace

// ---- Stored forms ------------------------------------------------------------------------------

QString LocalitaMemorizzata(const QString& localita) {
    return Trim(localita);
}

QString NazioneMemorizzata(const QString& nazione) {
    return (Trim(nazione) + QLatin1Char(' ')).left(19);
}

QString DataInizioMemorizzata(const BoxMeta& box) {
    return Gma2Data(box.cmbInizio[0], box.cmbInizio[1], box.cmbInizio[2]);
}

QString OraInizioMemorizzata(const BoxMeta& box) {
    return Zero(box.cmbInizio[3], 2) + Zero(box.cmbInizio[4], 2);
}

QString CoppiaMemorizzata(const BoxMeta& box, int coppia) {
    return Zero(box.cmbOra[coppia], 2) + Zero(box.cmbMin[coppia], 2);
}

QString MediaMemorizzata(const QString& testo) {
    return QString::number(Valore(testo));
}

QString VoceSoste(const QString& calcoloSoste) {
    return voceSostePosizione(Trim(calcoloSoste).isEmpty() ? 3 : Valore(calcoloSoste));
}

// ---- Boxes without the database ----------------------------------------------------------------

void ImpostaDefaultFabbrica(BoxMeta& box) {
    const Fabbrica f;
    for (int i = 0; i < 4; ++i) box.cmbMediaKm[i] = QLatin1String(f.medie[i]);
    for (int i = 0; i < kCoppieOra; ++i) {
        box.cmbOra[i] = QLatin1String(f.ore[i]);
        box.cmbMin[i] = QLatin1String(f.minuti[i]);
    }
    for (int i = 0; i < 4; ++i) box.*kCampiRiposo[i].box = QLatin1String(f.riposi[i]);
    box.cmbSoste = QStringLiteral("3");
    box.cmbRange = QStringLiteral("15");
}

void ImpostaInizioAdesso(BoxMeta& box, const Orologio& orologio) {
    const QDateTime adesso = orologio.adesso();
    box.cmbInizio[0] = Zero(adesso.date().day(), 2);
    box.cmbInizio[1] = Zero(adesso.date().month(), 2);
    box.cmbInizio[2] = Zero(adesso.date().year(), 4);
    box.cmbInizio[3] = Zero(adesso.time().hour(), 2);
    box.cmbInizio[4] = Zero(adesso.time().minute() / 15 * 15, 2);
}

void PulisciCampiCalcolati(BoxMeta& box) {
    box.txtTragh.clear();
    for (QString& t : box.txtFine) t.clear();
    for (QString& t : box.txtKmTot) t.clear();
    for (QString& t : box.txtTempo) t.clear();
}

// ---- Personal defaults -------------------------------------------------------------------------

void CaricaDefaultMeta(int modo, BoxMeta& box, Archivio& archivio) {
    BoxMeta nuovo = box;
    const QString tabella = nomeTabella(archivio, TabParametri);
    RowSet r = archivio.dati().apriTabella(tabella);
    if (r.fine() || modo == 2) {
        ImpostaDefaultFabbrica(nuovo);
        MemorizzaVariabiliMeta(nuovo, archivio);
        r = archivio.dati().apriTabella(tabella);
    }
    if (r.fine()) return;
    leggiMedie(r, nuovo);
    leggiCoppie(r, nuovo);
    for (const CampoRiposo& c : kCampiRiposo) nuovo.*c.box = r.testo(c.campo);
    nuovo.cmbSoste = voceSostePosizione(Valore(r.testo(QStringLiteral("CalcoloSoste"))));
    nuovo.cmbRange = r.testo(QStringLiteral("Range"));
    CorreggiMediaKm(nuovo);
    box = nuovo;
}

void MemorizzaVariabiliMeta(const BoxMeta& box, Archivio& archivio) {
    BoxMeta corretto = box;
    CorreggiMediaKm(corretto);
    RowSet r = archivio.dati().apriTabella(nomeTabella(archivio, TabParametri));
    if (r.fine()) {
        r.aggiungi();
    } else {
        r.primo();
        r.modifica();
    }
    scriviParametri(r, corretto);
    r.memorizza();
}

bool EseguiDefault(int indice, BoxMeta& box, Archivio& archivio, Dialoghi& dialoghi) {
    static const std::array<const char*, 3> verbi{"salvare", "caricare", "ripristinare"};
    if (indice < 0 || indice > 2) return false;
    const QString titolo = QStringLiteral("Dati di default");
    if (!dialoghi.domanda(
            QStringLiteral("Vuoi ") + QLatin1String(verbi[indice]) + QStringLiteral(" i dati di default?"),
            titolo))
        return false;
    switch (indice) {
        case 0:
            MemorizzaVariabiliMeta(box, archivio);
            break;
        case 1:
            CaricaDefaultMeta(0, box, archivio);
            break;
        default:
            CaricaDefaultMeta(2, box, archivio);
            break;
    }
    dialoghi.avviso(QStringLiteral("Operazione eseguita!"), titolo, Icona::Informazione);
    return true;
}

// ---- The current trip --------------------------------------------------------------------------

QString RicercaMetaCorrente(Archivio& archivio) {
    QString codice;
    RowSet corrente = archivio.dati().apriTabella(nomeTabella(archivio, TabMetaCorrente));
    if (!corrente.fine()) {
        codice = corrente.testo(QStringLiteral("MetaCorrente"));
        if (!codice.isEmpty() && !esisteMeta(archivio, codice)) codice.clear();
    }
    if (codice.isEmpty()) {
        RowSet r =
            archivio.dati().apriRowSet(Query::di(nomeTabella(archivio, TabMeteCamper)).ordina(kCodiceMeta));
        if (!r.fine()) {
            r.ultimo();
            codice = r.testo(kCodiceMeta);
        }
    }
    return codice;
}

void SalvaIlCodiceMetaCorrente(const QString& codice, Archivio& archivio) {
    RowSet r = archivio.dati().apriTabella(nomeTabella(archivio, TabMetaCorrente));
    if (r.fine()) {
        r.aggiungi();
    } else {
        r.primo();
        r.modifica();
    }
    r.imposta(QStringLiteral("MetaCorrente"), codice);
    r.memorizza();
}

bool CaricaDatiAnagraficiMeta(QString& metaCorrente, BoxMeta& box, Archivio& archivio) {
    if (metaCorrente.isEmpty()) metaCorrente = RicercaMetaCorrente(archivio);
    if (metaCorrente.isEmpty()) return false;
    RowSet r = metaPerCodice(archivio, metaCorrente);
    if (r.fine()) return false;

    BoxMeta nuovo = box;
    nuovo.txtLocalita = r.testo(kLocalita);
    nuovo.txtNazione = r.testo(QStringLiteral("Nazione"));
    nuovo.txtCodice = r.testo(kCodiceMeta);
    const QString data = r.testo(QStringLiteral("DataInizio"));
    nuovo.cmbInizio[0] = data.mid(0, 2);
    nuovo.cmbInizio[1] = data.mid(2, 2);
    nuovo.cmbInizio[2] = data.mid(4, 4);
    const QString ora = r.testo(QStringLiteral("OraInizio"));
    nuovo.cmbInizio[3] = ora.mid(0, 2);
    nuovo.cmbInizio[4] = ora.mid(2, 2);
    leggiMedie(r, nuovo);
    leggiCoppie(r, nuovo);
    nuovo.cmbSoste = VoceSoste(r.testo(QStringLiteral("CalcoloSoste")));
    nuovo.cmbRange = r.testo(QStringLiteral("Range"));
    for (const CampoRiposo& c : kCampiRiposo) nuovo.*c.box = Zero(r.testo(c.campo), 2);
    nuovo.cmbGiorni = Zero(r.testo(QStringLiteral("GiorniAdeguamento")), 3);
    CorreggiMediaKm(nuovo);
    PulisciCampiCalcolati(nuovo);
    MettiGiornoSett(nuovo);
    box = nuovo;
    return true;
}

// ---- Saving ------------------------------------------------------------------------------------

bool ControllaCampiObbligatori(const BoxMeta& box, Dialoghi& dialoghi) {
    if (Trim(box.txtLocalita).isEmpty()) {
        dialoghi.avviso(QStringLiteral("Campo Località: obbligatorio!"));
        return false;
    }
    if (Trim(box.txtNazione).isEmpty()) {
        dialoghi.avviso(QStringLiteral("Campo Nazione: obbligatorio!"));
        return false;
    }
    return true;
}

OperazioneSalva DecidiOperazioneSalva(const BoxMeta& box, Archivio& archivio) {
    const QString codiceBox = Trim(box.txtCodice);
    // A code box naming a trip that no longer exists falls back to the locality, so the save
    // never edits a missing row.
    if (Valore(codiceBox) != 0 && esisteMeta(archivio, codiceBox)) return {QStringLiteral("M"), codiceBox};
    const QString trovato = metaPerLocalita(archivio, LocalitaMemorizzata(box.txtLocalita));
    if (!trovato.isEmpty()) return {QStringLiteral("M"), trovato};
    return {QStringLiteral("I"), NuovoCodiceMeta(archivio)};
}

QString NuovoCodiceMeta(Archivio& archivio) {
    RowSet r =
        archivio.dati().apriRowSet(Query::di(nomeTabella(archivio, TabMeteCamper)).ordina(kCodiceMeta));
    if (r.fine()) return Zero(1, 6);
    // Distinct codes whose highest equals their count fill 1..count without a gap.
    const int righe = r.conteggio();
    r.ultimo();
    if (Valore(r.testo(kCodiceMeta)) == righe) return Zero(righe + 1, 6);
    // Otherwise the lowest number not yet used.
    std::set<long long> usati;
    for (r.primo(); !r.fine(); r.successivo())
        usati.insert(static_cast<long long>(Valore(r.testo(kCodiceMeta))));
    long long numero = 1;
    while (usati.count(numero)) ++numero;
    return Zero(numero, 6);
}

void ScriviMeta(const OperazioneSalva& op, BoxMeta& box, Archivio& archivio) {
    BoxMeta nuovo = box;
    CorreggiMediaKm(nuovo);
    QString localita = LocalitaMemorizzata(nuovo.txtLocalita);
    if (localita.toUpper().contains(QStringLiteral("AUTOSTRADA"))) localita = localita.toLower();

    Database::Transazione tr(archivio.dati());
    RowSet r = metaPerCodice(archivio, op.codice);
    if (r.fine()) {
        r.aggiungi();
        r.imposta(kCodiceMeta, op.codice);
        r.imposta(QStringLiteral("Coefficiente"), QStringLiteral("0"));
    } else {
        r.modifica();
    }
    r.imposta(kLocalita, localita);
    r.imposta(QStringLiteral("Nazione"), NazioneMemorizzata(nuovo.txtNazione));
    r.imposta(QStringLiteral("DataInizio"), DataInizioMemorizzata(nuovo));
    r.imposta(QStringLiteral("OraInizio"), OraInizioMemorizzata(nuovo));
    scriviParametri(r, nuovo);
    const QString giorni = LimitaGiorniDesiderati(Trim(nuovo.cmbGiorni));
    r.imposta(QStringLiteral("GiorniAdeguamento"), giorni.isEmpty() ? QStringLiteral("000") : giorni);
    r.memorizza();
    SalvaIlCodiceMetaCorrente(op.codice, archivio);
    tr.conferma();

    nuovo.txtCodice = op.codice;
    nuovo.txtLocalita = localita;
    box = nuovo;
}

EsitoSalva SalvaMeta(BoxMeta& box, QString& metaCorrente, Archivio& archivio, Dialoghi& dialoghi) {
    if (!ControllaCampiObbligatori(box, dialoghi)) return EsitoSalva::NonValida;
    const OperazioneSalva op = DecidiOperazioneSalva(box, archivio);
    QString codice = op.tipo;
    if (BoxConferma(codice, dialoghi) != Risposta::Si) return EsitoSalva::Rinunciata;
    ScriviMeta(op, box, archivio);
    metaCorrente = op.codice;
    return EsitoSalva::Salvata;
}

namespace {

// Every value a save writes, in its stored form.
QStringList formeMemorizzate(const BoxMeta& box) {
    QStringList f{LocalitaMemorizzata(box.txtLocalita), NazioneMemorizzata(box.txtNazione),
                  DataInizioMemorizzata(box), OraInizioMemorizzata(box)};
    for (const QString& media : box.cmbMediaKm) f << MediaMemorizzata(media);
    for (int i = 0; i < kCoppieOra; ++i) f << CoppiaMemorizzata(box, i);
    for (const CampoRiposo& c : kCampiRiposo) f << box.*c.box;
    f << box.cmbSoste.left(1) << box.cmbRange;
    f << QString::number(Valore(LimitaGiorniDesiderati(Trim(box.cmbGiorni))));
    return f;
}

}  // namespace

bool MetaModificata(const BoxMeta& caricata, const BoxMeta& attuale) {
    return formeMemorizzate(caricata) != formeMemorizzate(attuale);
}

Risposta ChiediSalvaMeta(Dialoghi& dialoghi) {
    return dialoghi.messaggio({QStringLiteral("Vuoi salvare le modifiche alla mèta?"),
                               QStringLiteral("Salvataggio mèta"), Pulsanti::SiNoAnnulla, Icona::Domanda});
}

// ---- New trip and deletions --------------------------------------------------------------------

void NuovaMeta(BoxMeta& box, Archivio& archivio, const Orologio& orologio) {
    BoxMeta nuovo = box;
    CaricaDefaultMeta(0, nuovo, archivio);
    PulisciCampiCalcolati(nuovo);
    ImpostaInizioAdesso(nuovo, orologio);
    nuovo.txtLocalita.clear();
    nuovo.txtNazione.clear();
    nuovo.txtCodice.clear();
    nuovo.cmbGiorni = QStringLiteral("000");
    MettiGiornoSett(nuovo);
    box = nuovo;
}

bool ChiediCancellazioneMeta(Dialoghi& dialoghi) {
    QString codice = QStringLiteral("A");
    return BoxConferma(codice, dialoghi) == Risposta::Si;
}

void CancellaMeta(const QString& codice, Archivio& archivio) {
    if (Trim(codice).isEmpty()) return;
    Database::Transazione tr(archivio.dati());
    archivio.CancellaTabella(TabItinerari, kCodiceMeta, codice);
    archivio.CancellaTabella(TabMeteCamper, kCodiceMeta, codice);
    tr.conferma();
}

bool ChiediCancellazioneItinerario(Dialoghi& dialoghi) {
    QString codice = QStringLiteral("AI");
    if (BoxConferma(codice, dialoghi) != Risposta::Si) return false;
    return dialoghi.domanda(QStringLiteral("Sei sicuro di voler cancellare l'itinerario?\r\n"
                                           "In caso positivo, non sarà più recuperabile!"),
                            QStringLiteral("Annullamento itinerario"));
}

void CancellaItinerario(const QString& codice, Archivio& archivio) {
    if (Trim(codice).isEmpty()) return;
    archivio.CancellaTabella(TabItinerari, kCodiceMeta, codice);
}

// ---- Search and pick ---------------------------------------------------------------------------

QStringList ElencoMeteRicerca(Archivio& archivio, Dialoghi& dialoghi) {
    RowSet r = archivio.dati().apriRowSet(Query::di(nomeTabella(archivio, TabMeteCamper)).ordina(kLocalita));
    if (r.fine()) {
        dialoghi.avviso(QStringLiteral("Nessuna mèta nel database!"), QStringLiteral("Database vuoto"),
                        Icona::Avviso);
        return {};
    }
    QStringList altre;
    QStringList autostrade;
    for (; !r.fine(); r.successivo()) {
        const QString localita = r.testo(kLocalita);
        (localita.contains(QStringLiteral("autostrada"), Qt::CaseInsensitive) ? autostrade : altre)
            << localita;
    }
    return altre + autostrade;
}

QString CodiceMetaPerLocalita(const QString& localita, Archivio& archivio) {
    RowSet r = archivio.dati().apriRowSet(
        Query::di(nomeTabella(archivio, TabMeteCamper)).dove(kLocalita, localita).ordina(kCodiceMeta));
    return r.fine() ? QString() : r.testo(kCodiceMeta);
}

QString ScegliMeta(const QString& localita, Archivio& archivio) {
    const QString codice = CodiceMetaPerLocalita(localita, archivio);
    if (!codice.isEmpty()) SalvaIlCodiceMetaCorrente(codice, archivio);
    return codice;
}

QString CodiceMetaNormalizzato(const QString& codice) {
    static const QRegularExpression cifre(QStringLiteral("^[0-9]{1,6}$"));
    if (!cifre.match(codice).hasMatch()) return codice;
    return codice.rightJustified(6, QLatin1Char('0'));
}
