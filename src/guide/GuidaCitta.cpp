#include "guide/GuidaCitta.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <map>
#include <vector>

#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Progresso.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "database/Archivio.h"
#include "database/NomiCampi.h"
#include "guide/TempoGuida.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kTitoloGuida = QStringLiteral("Guida Città");
using nomi::kCodiceGuida;
using nomi::kCodiceMeta;
using nomi::kDescrizione;
using nomi::kFlagVisto;
using nomi::kGruppo;
using nomi::kLocalita;
using nomi::kTempoSosta;

constexpr int kLarghezzaLocalita = 30;
constexpr int kLarghezzaGruppo = 20;
constexpr int kLarghezzaDescrizione = 96;
constexpr int kRigheVisibili = 13;
constexpr int kColonnaSostaItinerario = 7;

VoceGuida leggiVoce(const RowSet& rs) {
    return {rs.testo(kLocalita),    rs.testo(kCodiceGuida), rs.testo(kGruppo),
            rs.testo(kDescrizione), rs.testo(kTempoSosta),  rs.testo(kFlagVisto)};
}

const QStringList& campiVoce() {
    static const QStringList campi{kLocalita, kCodiceGuida, kGruppo, kDescrizione, kTempoSosta, kFlagVisto};
    return campi;
}

VoceGuida voceLetta(const QList<QVariant>& riga) {
    return {riga[0].toString(), riga[1].toString(), riga[2].toString(),
            riga[3].toString(), riga[4].toString(), riga[5].toString()};
}

// A stored group: an empty one is a single blank.
QString gruppoMemorizzato(const QString& gruppo) {
    const QString g = Trim(gruppo).left(kLarghezzaGruppo);
    return g.isEmpty() ? QStringLiteral(" ") : g;
}

bool soloCifre(const QString& t) {
    return !t.isEmpty() && std::all_of(t.begin(), t.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString senzaZeriIniziali(const QString& t) {
    qsizetype i = 0;
    while (i + 1 < t.size() && t[i] == u'0') ++i;
    return t.mid(i);
}

// Numbers first, by value; then the other pieces in text order.
bool precedeNelGruppo(const QString& a, const QString& b) {
    const bool na = soloCifre(a);
    const bool nb = soloCifre(b);
    if (na != nb) return na;
    if (na) {
        const QString va = senzaZeriIniziali(a);
        const QString vb = senzaZeriIniziali(b);
        if (va.size() != vb.size()) return va.size() < vb.size();
        if (va != vb) return va < vb;
    }
    return a < b;
}

// A guide entry's time shown in the list is loaded into the boxes only when it is "hh:mm".
bool eTempoOreMinuti(const QString& t) {
    static const QRegularExpression forma(QStringLiteral("^\\d\\d:\\d\\d$"));
    return forma.match(t).hasMatch();
}

// The query of the entry a list row shows: its locality, description, group and type.
Query queryVoceDellaRiga(const Archivio& a, const TabellaTipiGuida& tipi, const Griglia& g, int r) {
    Query q = Query::di(a.nome(TabGuidaCitta))
                  .dove(kLocalita, ChiaveLocalita(g.testo(r, ColGLocalita)))
                  .dove(kDescrizione, g.testo(r, ColGDescrizione));
    const QString gruppo = g.testo(r, ColGGruppo);
    if (!Trim(gruppo).isEmpty()) q.dove(kGruppo, gruppo);
    const int codice = CodiceDelTipoGuida(tipi, g.testo(r, ColGNote));
    if (codice > 0) q.dove(kCodiceGuida, Zero(codice, 2));
    return q;
}

// A new FlagVisto for some rows of a query, each given by its place in the query's order.  The rows
// were read in one statement; only the ones that change are walked to and written.
using MarcheDaScrivere = QList<std::pair<qsizetype, QString>>;

void scriviFlagVisto(Database& db, const Query& query, const MarcheDaScrivere& marche) {
    if (marche.isEmpty()) return;
    RowSet rs = db.apriRowSet(query);
    qsizetype posizione = 0;
    for (const auto& [riga, valore] : marche) {
        for (; posizione < riga; ++posizione) rs.successivo();
        rs.modifica();
        rs.imposta(kFlagVisto, valore);
        rs.memorizza();
    }
}

// The marks as a reset of every FlagVisto to "0" followed by the marking of the entries of the
// legs' localities would leave them, writing only the marks that change: an entry whose locality
// is one of chiavi (folded) ends "1", any other marked entry "0".
void preparaFlagVisto(Archivio& a, const QSet<QString>& chiavi) {
    const Query marcate = Query::di(a.nome(TabGuidaCitta)).diverso(kFlagVisto, QStringLiteral("0"));
    const QList<QList<QVariant>> righe = a.dati().leggi(marcate, {kLocalita, kFlagVisto});
    MarcheDaScrivere marche;
    for (qsizetype i = 0; i < righe.size(); ++i) {
        const QString voluto =
            chiavi.contains(Piegato(righe[i][0].toString())) ? QStringLiteral("1") : QStringLiteral("0");
        if (righe[i][1].toString() != voluto) marche.append({i, voluto});
    }
    scriviFlagVisto(a.dati(), marcate, marche);
}

}  // namespace

// ---- Localities and entries -------------------------------------------------------------------

QString LocalitaGuida(const QString& localita) {
    return PrimoMaiuscolo(ChiaveLocalita(localita), false).left(kLarghezzaLocalita);
}

QList<VoceGuida> VociGuidaDellaLocalita(Archivio& archivio, const QString& localita) {
    QList<VoceGuida> voci;
    const QString chiave = ChiaveLocalita(localita);
    if (chiave.isEmpty()) return voci;
    // Equality on the indexed field: a pattern would let "L'Aquila" find "LXAquila".
    const Query query = Query::di(archivio.nome(TabGuidaCitta))
                            .dove(kLocalita, chiave)
                            .ordina(kGruppo)
                            .ordina(kCodiceGuida)
                            .ordina(kDescrizione);
    for (const QList<QVariant>& riga : archivio.dati().leggi(query, campiVoce())) voci << voceLetta(riga);
    return voci;
}

// ---- Guide types --------------------------------------------------------------------------------

QStringList ListaTipiGuida(const TabellaTipiGuida& tipi) {
    return tipi.sceltaTipi;
}

int CodiceDelTipoGuida(const TabellaTipiGuida& tipi, const QString& nome) {
    if (Trim(nome).isEmpty()) return 0;
    QStringList nomi;
    for (const TipoGuidaVoce& v : tipi.voci) nomi << v.descrizione;
    return std::max(CodiceTipoGuida(Trim(nome), nomi), 0);
}

QString NomeTipoGuida(const TabellaTipiGuida& tipi, int codice) {
    if (codice < 1 || codice >= static_cast<int>(tipi.voci.size())) return {};
    return tipi.voci[codice].descrizione;
}

bool TempoObbligatorio(const TabellaTipiGuida& tipi, int codice) {
    if (codice < 1 || codice >= static_cast<int>(tipi.voci.size())) return false;
    return tipi.voci[codice].tempoObbligatorio;
}

// ---- Input helpers ------------------------------------------------------------------------------

QString TempoDeiCampi(const CampiGuida& campi) {
    return Zero(campi.ore, 2) + QLatin1Char(':') + Zero(campi.minuti, 2);
}

bool EspandiAbbreviazione(CampiGuida& campi, const TabellaTipiGuida& tipi) {
    QString descrizione;
    QString tipo;
    if (campi.descrizione.startsWith(QLatin1String("diar"), Qt::CaseInsensitive)) {
        descrizione = QStringLiteral("Lunori");
        tipo = QStringLiteral("Lunorin");
    } else if (campi.descrizione.startsWith(QLatin1String("cs"))) {
        descrizione = QStringLiteral("carte/guide - atlanti");
        tipo = QStringLiteral("carte/guide");
    } else {
        return false;
    }
    campi.descrizione = descrizione;
    const QString nome = NomeTipoGuida(tipi, CodiceDelTipoGuida(tipi, tipo));
    if (!nome.isEmpty()) campi.tipo = nome;
    return true;
}

bool TastoGruppoAccettato(QChar& tasto) {
    if (tasto.unicode() < 0x20 || tasto.unicode() == 0x7F) return true;
    tasto = tasto.toUpper();
    return QStringLiteral("0123456789-ABCDEFGHIJKLMNOPQRSTUVWXYZ").contains(tasto);
}

QString NormalizzaGruppo(const QString& gruppo) {
    QStringList pezzi;
    for (const QString& p : Trim(gruppo).split(QLatin1Char('-'), Qt::SkipEmptyParts)) {
        const QString pezzo = Trim(p);
        if (!pezzo.isEmpty() && !pezzi.contains(pezzo)) pezzi << pezzo;
    }
    std::sort(pezzi.begin(), pezzi.end(), precedeNelGruppo);
    return pezzi.join(QLatin1Char('-'));
}

QStringList RigheAiutoCampiGuida() {
    return {
        QStringLiteral("Istruzioni per l'inserimento di informazioni logistiche:"),
        QStringLiteral("Significato del campi:"),
        QStringLiteral("LOCALITA': il dato è inserito in automatico selezionandolo dalla griglia o tramite "
                       "funzione Cerca;"),
        QStringLiteral("MONUMENTO…: inserire la descrizione più opportuna (spazio limitato a circa 100 "
                       "caratteri);"),
        QStringLiteral("TEMPO: se trattasi di oggetto di visita è obbligatorio (dato non logistico);"),
        QStringLiteral("TIPOLOGIA: scegliere uno fra i 4 livelli di interesse per Monumenti, chiese, ecc; "
                       "oppure se trattasi"),
        QStringLiteral("di informazione logistica: Punto sosta, PS e CS, Campeggio, Ristorante, stazione Gpl "
                       "e Lunori."),
        QStringLiteral("L'informazione è disponibile per tutti gli itinerari."),
        QStringLiteral("Per il significato dei pulsanti, clicca sul vicino [?] (dopo aver chiuso questo "
                       "messaggio)."),
    };
}

QStringList RigheAiutoPulsantiGuida() {
    return {
        QStringLiteral("Istruzioni per l'inserimento di informazioni logistiche:"),
        QStringLiteral("Funzioni dei pulsanti:"),
        QStringLiteral("CERCA: propone una lista delle località dell'itinerario per selezionare quella "
                       "desiderata;"),
        QStringLiteral("SALVA RIGA: memorizza la riga del form con le informazioni inserite:"),
        QStringLiteral("dato inserito su riga vuota: Nuova voce; su riga già occupata: Modifica voce;"),
        QStringLiteral("CANCELLA RIGA: cancella la riga selezionata;"),
        QStringLiteral(
            "STAMPA: stampa il database, con/senza dettaglio, località corrente/tutte le località;"),
        QStringLiteral("FINE INSERIMENTO: fine della fase di inserimento."),
        QStringLiteral("Per il significato dei campi, clicca sul vicino [?] (dopo aver chiuso questo "
                       "messaggio)."),
    };
}

QString AiutoGuida(int indice) {
    return (indice == 0 ? RigheAiutoCampiGuida() : RigheAiutoPulsantiGuida()).join(kCrLf);
}

// ---- The guide panel --------------------------------------------------------------------------

GuidaCitta::GuidaCitta(Archivio& archivio, const TabellaTipiGuida& tipi, Griglia& mfgTab, Dialoghi& dialoghi)
    : archivio_(archivio), tipi_(tipi), griglia_(mfgTab), dialoghi_(dialoghi) {}

void GuidaCitta::AggiungiRiga(int& riga, const QStringList& celle) {
    ++riga;
    if (riga >= griglia_.righe()) griglia_.impostaRighe(riga + 5);
    griglia_.impostaTesto(riga, ColGNumero, QString::number(riga));
    for (int c = 1; c < celle.size(); ++c) griglia_.impostaTesto(riga, c, celle[c]);
}

bool GuidaCitta::CreaLaListadellaGuida() {
    struct Tappa {
        QString localita;
        QString sosta;
        QString chiave;  // folded
    };
    std::vector<Tappa> tappe;
    const QString ricerca = Piegato(testoRicerca);
    // One read transaction: the file is locked once for the legs and every locality's entries.
    Database::Transazione lettura(archivio_.dati());
    const QList<QList<QVariant>> righe = archivio_.dati().leggi(
        Query::di(archivio_.nome(TabItinerari)).dove(kCodiceMeta, codiceMeta).ordina(kLocalita),
        {kLocalita, kTempoSosta});
    QSet<QString> viste;
    for (const QList<QVariant>& riga : righe) {
        const QString localita = riga[0].toString();
        const QString chiave = Piegato(ChiaveLocalita(localita));
        if (!ricerca.isEmpty() && !Piegato(localita).endsWith(ricerca) && !chiave.endsWith(ricerca)) continue;
        // One locality row per locality, wherever its legs fall in the order.
        if (viste.contains(chiave)) continue;
        viste.insert(chiave);
        tappe.push_back({localita, riga[1].toString(), chiave});
    }

    if (tappe.empty()) {
        lettura.conferma();
        dialoghi_.avviso(QStringLiteral("Impossibile... non esistono tappe memorizzate!"), kTitoloGuida);
        if (testoRicerca.isEmpty()) {
            modoGuida = false;
            return false;
        }
        // A search that finds nothing must not lock the guide out of the trip.
        testoRicerca.clear();
        return CreaLaListadellaGuida();
    }
    std::stable_sort(tappe.begin(), tappe.end(),
                     [](const Tappa& a, const Tappa& b) { return a.chiave < b.chiave; });

    Griglia::Aggiornamento lotto(griglia_);
    if (griglia_.colonne() < kColonneGuida) griglia_.impostaColonne(kColonneGuida);
    griglia_.impostaRighe(1);
    int riga = 0;
    for (const Tappa& t : tappe) {
        AggiungiRiga(riga, {QString(), t.localita, t.sosta});
        const QString localita = LocalitaGuida(t.localita);
        for (const VoceGuida& v : VociGuidaDellaLocalita(archivio_, t.localita)) {
            AggiungiRiga(riga, {QString(), localita, QString(),
                                v.gruppo.isEmpty() ? QStringLiteral(" ") : v.gruppo, v.descrizione,
                                v.tempoSosta, NomeTipoGuida(tipi_, static_cast<int>(Valore(v.codiceGuida))),
                                QString(), QStringLiteral("1")});
        }
    }
    griglia_.impostaRighe(riga + 1);
    lettura.conferma();
    modoGuida = true;
    return true;
}

int GuidaCitta::ultimaRiga() const {
    return griglia_.righe() - 1;
}

void GuidaCitta::InserisciGuida(CampiGuida& campi) {
    int r = std::clamp(griglia_.riga(), 1, std::max(1, ultimaRiga()));
    // Rows without a locality hold nothing to edit: the nearest row above takes their place.
    while (r >= 2 && griglia_.testo(r, ColGLocalita).isEmpty()) --r;
    if (r != griglia_.riga()) griglia_.seleziona(r, 0, r, griglia_.colonne() - 1);

    campi.citta = LocalitaGuida(griglia_.testo(r, ColGLocalita));
    const int codice = CodiceDelTipoGuida(tipi_, griglia_.testo(r, ColGNote));
    if (codice > 0)
        campi.tipo = NomeTipoGuida(tipi_, codice);
    else if (Trim(campi.tipo).isEmpty())
        campi.tipo = NomeTipoGuida(tipi_, 1);
    const QString gruppo = griglia_.testo(r, ColGGruppo);
    if (!gruppo.isEmpty()) campi.gruppo = Trim(gruppo) == QLatin1String("0") ? QString() : Trim(gruppo);
    campi.descrizione = Trim(griglia_.testo(r, ColGDescrizione));
    const QString tempo = Trim(griglia_.testo(r, ColGTempo));
    campi.tempoMemorizzato.clear();
    if (eTempoOreMinuti(tempo)) {
        campi.ore = Zero(tempo.left(2), 2);
        campi.minuti = Zero(tempo.right(2), 2);
    } else if (!tempo.isEmpty()) {
        campi.tempoMemorizzato = tempo;
    }
}

bool GuidaCitta::CancellaAbilitato() const {
    return !griglia_.testo(griglia_.riga(), ColGGruppo).isEmpty();
}

void GuidaCitta::Ricostruisci() {
    const int inAlto = griglia_.rigaInAlto();
    const int riga = griglia_.riga();
    if (!CreaLaListadellaGuida()) return;
    const int r = std::clamp(riga, 1, std::max(1, ultimaRiga()));
    griglia_.seleziona(r, 0, r, griglia_.colonne() - 1);
    griglia_.impostaRigaInAlto(inAlto);
}

EsitoGuida GuidaCitta::SalvaLaRigaGuidaCitta(CampiGuida& campi, bool mostraErrori) {
    auto errore = [&](EsitoGuida esito, const char* testo) {
        if (mostraErrori) dialoghi_.avviso(QString::fromUtf8(testo), kTitoloGuida, Icona::Avviso);
        return esito;
    };
    const QString descrizione = Trim(campi.descrizione);
    if (descrizione.isEmpty()) return errore(EsitoGuida::MancaDescrizione, "Errore! Manca la descrizione!!!");
    const int codice = CodiceDelTipoGuida(tipi_, campi.tipo);
    if (codice < 1) return errore(EsitoGuida::MancaTipologia, "Errore! Manca la tipologia!!!");
    const QString tempo = campi.tempoMemorizzato.isEmpty() ? TempoDeiCampi(campi) : campi.tempoMemorizzato;
    if (TempoObbligatorio(tipi_, codice) && tempo == QLatin1String("00:00"))
        return errore(EsitoGuida::MancaTempo, "Errore! Manca il tempo stimato!!!");
    const QString localita = LocalitaGuida(campi.citta);
    if (localita.isEmpty()) return EsitoGuida::MancaLocalita;

    const VoceGuida nuova{localita,
                          Zero(codice, 2),
                          gruppoMemorizzato(campi.gruppo),
                          PrimoMaiuscolo(descrizione, false).left(kLarghezzaDescrizione),
                          tempo,
                          QStringLiteral("0")};

    // The write and the list read back from it succeed together or leave the database as it was.
    Database::Transazione transazione(archivio_.dati());
    // A locality row always makes a new entry; an entry row changes the entry it shows.
    const int r = griglia_.riga();
    RowSet rs;
    if (!griglia_.testo(r, ColGGruppo).isEmpty()) {
        Query q = queryVoceDellaRiga(archivio_, tipi_, griglia_, r);
        q.condizioni[0].valore = ChiaveLocalita(campi.citta);
        rs = archivio_.dati().apriRowSet(q);
    }
    EsitoGuida esito = EsitoGuida::Salvata;
    if (rs.aperto() && !rs.fine()) {
        VoceGuida vecchia = leggiVoce(rs);
        vecchia.flagVisto = nuova.flagVisto;
        if (vecchia.localita == nuova.localita && vecchia.codiceGuida == nuova.codiceGuida &&
            vecchia.gruppo == nuova.gruppo && vecchia.descrizione == nuova.descrizione &&
            vecchia.tempoSosta == nuova.tempoSosta)
            esito = EsitoGuida::Invariata;
        else
            rs.modifica();
    } else {
        rs = archivio_.dati().apriTabella(archivio_.nome(TabGuidaCitta));
        rs.aggiungi();
    }
    if (esito == EsitoGuida::Salvata) {
        rs.imposta(kLocalita, nuova.localita);
        rs.imposta(kCodiceGuida, nuova.codiceGuida);
        rs.imposta(kGruppo, nuova.gruppo);
        rs.imposta(kDescrizione, nuova.descrizione);
        rs.imposta(kTempoSosta, nuova.tempoSosta);
        rs.imposta(kFlagVisto, nuova.flagVisto);
        rs.memorizza();
    }
    if (esito == EsitoGuida::Invariata && !mostraErrori) {
        transazione.conferma();
        return esito;
    }

    Ricostruisci();
    transazione.conferma();
    if (griglia_.testo(griglia_.riga(), ColGGruppo).isEmpty()) campi.descrizione.clear();
    return esito;
}

int GuidaCitta::CancellaRiga(CampiGuida& campi) {
    const int r = griglia_.riga();
    if (griglia_.testo(r, ColGGruppo).isEmpty()) return 0;
    const Query voce = queryVoceDellaRiga(archivio_, tipi_, griglia_, r);
    // Every question is answered before the first delete, so no answer is awaited while the
    // database is held; then the deletes and the list read back succeed together or not at all.
    QList<bool> risposte;
    for (RowSet rs = archivio_.dati().apriRowSet(voce); !rs.fine(); rs.successivo())
        risposte << dialoghi_.domanda(QStringLiteral("Vuoi cancellare questa riga?"),
                                      QStringLiteral("Cancella riga"));
    int cancellate = 0;
    Database::Transazione transazione(archivio_.dati());
    RowSet rs = archivio_.dati().apriRowSet(voce);
    for (const bool si : risposte) {
        if (rs.fine()) break;
        if (si) {
            rs.elimina();
            ++cancellate;
        }
        rs.successivo();
    }
    Ricostruisci();
    transazione.conferma();
    if (griglia_.testo(griglia_.riga(), ColGGruppo).isEmpty()) campi.descrizione.clear();
    return cancellate;
}

bool GuidaCitta::SpostaRiga(int passo, CampiGuida& campi) {
    const int da = griglia_.riga();
    const int a = std::clamp(da + passo, 1, std::max(1, ultimaRiga()));
    if (a == da) return false;
    SalvaLaRigaGuidaCitta(campi, false);
    const int r = std::clamp(a, 1, std::max(1, ultimaRiga()));
    griglia_.seleziona(r, 0, r, griglia_.colonne() - 1);
    if (r > griglia_.rigaInAlto() + kRigheVisibili - 1) griglia_.impostaRigaInAlto(r - kRigheVisibili + 1);
    if (r < griglia_.rigaInAlto()) griglia_.impostaRigaInAlto(r);
    InserisciGuida(campi);
    return true;
}

bool GuidaCitta::Cerca(const QString& testo) {
    testoRicerca = Trim(testo);
    if (testoRicerca.isEmpty()) {
        Ricostruisci();
        return false;
    }
    if (CreaLaListadellaGuida()) {
        griglia_.seleziona(1, 0, 1, griglia_.colonne() - 1);
        griglia_.impostaRigaInAlto(1);
    }
    return !testoRicerca.isEmpty();
}

QStringList GuidaCitta::CercaLocalitaGuida() const {
    QStringList elenco;
    QString precedente;
    for (int r = 1; r <= ultimaRiga(); ++r) {
        const QString localita = griglia_.testo(r, ColGLocalita);
        if (localita.isEmpty()) continue;
        const QString chiave = Piegato(ChiaveLocalita(localita));
        if (r > 1 && chiave == precedente) continue;
        precedente = chiave;
        elenco << localita.leftJustified(31, QLatin1Char(' '), true) + Zero(r, 4);
    }
    std::sort(elenco.begin(), elenco.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return elenco;
}

void GuidaCitta::RicercaDiUnaLocalita(const QString& voce, CampiGuida& campi) {
    const int r = std::clamp(static_cast<int>(Valore(voce.right(4))), 1, std::max(1, ultimaRiga()));
    griglia_.seleziona(r, 0, r, griglia_.colonne() - 1);
    griglia_.impostaRigaInAlto(std::max(1, r - 8));
    InserisciGuida(campi);
}

int GuidaCitta::FineInserimento() {
    int cambiate = 0;
    Database::Transazione tr(archivio_.dati());
    for (int r = 1; r <= ultimaRiga(); ++r) {
        const QString gruppo = griglia_.testo(r, ColGGruppo);
        if (griglia_.testo(r, ColGVoce) != QLatin1String("1") || Trim(gruppo).isEmpty()) continue;
        const QString normale = NormalizzaGruppo(gruppo);
        if (normale == gruppo) continue;
        RowSet rs = archivio_.dati().apriRowSet(queryVoceDellaRiga(archivio_, tipi_, griglia_, r));
        if (rs.conteggio() != 1) continue;
        rs.modifica();
        rs.imposta(kGruppo, gruppoMemorizzato(normale));
        rs.memorizza();
        ++cambiate;
    }
    tr.conferma();
    modoGuida = false;
    return cambiate;
}

// ---- Guide times into the legs ----------------------------------------------------------------

bool TrasferisceSosteGuida(Griglia& itinerario, Archivio& archivio, Dialoghi& dialoghi, float arcoVisita,
                           Progresso* progresso) {
    const QString domanda =
        QStringLiteral("Vuoi copiare le soste indicate nella Guida nelle tappe dell'itinerario?") + kCrLf +
        kCrLf + QStringLiteral("I tempi traghetto e riposi non sono influenzati e la") + kCrLf +
        QStringLiteral("modifica sarà effettiva dopo il salvataggio dell'itinerario.") + kCrLf + kCrLf +
        QStringLiteral("Procedo?");
    if (!dialoghi.domanda(domanda, QStringLiteral("Copia soste Guida -> Itinerario"))) return false;

    // The grid changes only once the marks are stored.  Each locality's entries go to its first
    // leg (FlagVisto marks them used): one index look-up per locality, none for a repeated one.
    std::map<int, QString> soste;
    Database::Transazione tr(archivio.dati());
    const int ultima = itinerario.righe() - 1;
    QSet<QString> chiavi;
    for (int r = 1; r <= ultima; ++r)
        if (const QString chiave = ChiaveLocalita(itinerario.testo(r, 1)); !chiave.isEmpty())
            chiavi.insert(Piegato(chiave));
    preparaFlagVisto(archivio, chiavi);
    QSet<QString> usate;
    TempiGuidaLetti tempoGuida(arcoVisita);
    for (int r = 1; r <= ultima; ++r) {
        if (progresso) progresso->posizione(r, ultima);
        const QString localita = itinerario.testo(r, 1);
        const QString chiave = ChiaveLocalita(localita);
        if (chiave.isEmpty()) continue;
        if (usate.contains(Piegato(chiave))) continue;
        usate.insert(Piegato(chiave));
        const Query voci = Query::di(archivio.nome(TabGuidaCitta)).dove(kLocalita, chiave);
        const QList<QList<QVariant>> righe = archivio.dati().leggi(voci, {kFlagVisto, kTempoSosta});
        // An entry without a mark at all (NULL) is never reset, so never used.
        qsizetype i = 0;
        while (i < righe.size() && righe[i][0].isNull()) ++i;
        if (i == righe.size()) continue;
        QString sosta = Trim(itinerario.testo(r, kColonnaSostaItinerario));
        const bool fineGiorno = sosta.startsWith(QLatin1Char('*'));
        if (fineGiorno) sosta = sosta.mid(1);
        // A stop is read as the schedule reads it: one day is one daily visit span.
        float somma = sosta.isEmpty() ? 0 : ghmStringa2Centesimi(sosta, arcoVisita);
        MarcheDaScrivere marche;
        for (; i < righe.size(); ++i) {
            if (righe[i][0].isNull()) continue;
            somma += tempoGuida(righe[i][1].toString());
            if (righe[i][0].toString() != QLatin1String("1")) marche.append({i, QStringLiteral("1")});
        }
        scriviFlagVisto(archivio.dati(), voci, marche);
        soste[r] = (fineGiorno ? QStringLiteral("*") : QString()) + ghmCentesimi2Stringa(somma, arcoVisita);
    }
    tr.conferma();
    for (const auto& [r, sosta] : soste) itinerario.impostaTesto(r, kColonnaSostaItinerario, sosta);
    if (progresso) progresso->azzera();
    return true;
}
