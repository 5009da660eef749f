// The schedule computation on a small trip made from the input bytes: the trip's parameters
// (speeds, valid or not, meal, night and visiting times, breaks, rest days, desired days, the
// tolerance, the stored coefficient), up to six legs (km, road type, halt, end of day) and up to
// four guide entries, computed as the batch command does.  The trip is written into one database
// inside a transaction that is rolled back, so every input starts from the same empty trip.
//
// Bound on the rows: a pass writes one driving row per piece of a leg (every piece of a leg with
// kilometres covers at least one, and a leg without any gives at most one), at most two halt rows
// per computation-table row (its halt or visit, and the entry without time) and one new-day row
// per row ending a day; meals, night and breaks add notes, not rows.  After the schedule come
// the header and the seven rows of totals.  So rows <= 1 + sum(km + 1) + 3 * table rows + 7, with
// km <= 1020 here: a few thousand at most, far below the 100,000-row limit.
#include <QDir>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Progresso.h"
#include "database/Archivio.h"
#include "database/NomiCampi.h"
#include "database/TipiGuida.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/Tappe.h"
#include "schedule/Motore.h"
#include "schedule/Zavetra.h"

namespace {

const QString kMeta = QStringLiteral("000001");

class Byte {
  public:
    Byte(const uint8_t* dati, size_t n) : dati_(dati), n_(n) {}
    int prendi() { return i_ < n_ ? dati_[i_++] : 0; }
    template <size_t N>
    QString scegli(const char* const (&voci)[N]) {
        return QString::fromUtf8(voci[static_cast<size_t>(prendi()) % N]);
    }
    // Two digits of a number below limite (a limit above the field's range gives invalid values).
    QString dueCifre(int limite) { return QString::number(prendi() % limite).rightJustified(2, QLatin1Char('0')); }
    QString tempo() { return dueCifre(26) + QLatin1Char(':') + dueCifre(61); }

  private:
    const uint8_t* dati_;
    size_t n_;
    size_t i_ = 0;
};

const char* const kLocalita[] = {"Partenza", "Roma [Start]", "Roma", "Firenze", "Siena [End]", "Near Pisa", "Arrivo"};

QString Velocita(Byte& b) {
    static const char* const speciali[] = {"0", "9.9", "10", "", "abc", "-5", "1e9"};
    const int v = b.prendi();
    return v < 7 ? QString::fromUtf8(speciali[v]) : QString::number(v);
}

// A halt time: the legs' field holds "dd:hh:mm", the guide's only "hh:mm".
QString Sosta(Byte& b, bool giorni) {
    switch (b.prendi() % 6) {
        case 0: return QStringLiteral(" ");
        case 1: return b.tempo();
        case 2: return giorni ? b.dueCifre(100) + QLatin1Char(':') + b.tempo() : QStringLiteral("99:99");
        case 3: return giorni ? QStringLiteral("99:99:99") : QStringLiteral("24:00");
        case 4: return QStringLiteral("x");
        default: return QStringLiteral("00:00");
    }
}

void Inserisci(Database& db, const QString& tabella, const QList<std::pair<QString, QString>>& campi) {
    RowSet r = db.apriTabella(tabella);
    r.aggiungi();
    for (const auto& [campo, valore] : campi) r.imposta(campo, valore);
    r.memorizza();
}

BoxMeta Parametri(Byte& b) {
    BoxMeta box;
    box.cmbInizio = {b.dueCifre(29), b.dueCifre(13), QStringLiteral("2024"), b.dueCifre(25), b.dueCifre(60)};
    for (QString& v : box.cmbMediaKm) v = Velocita(b);
    for (QString& o : box.cmbOra) o = b.dueCifre(26);
    for (QString& m : box.cmbMin) m = b.dueCifre(61);
    box.cmbRipM = b.dueCifre(61);
    box.cmbRipH = b.dueCifre(6);
    box.cmbRipG = b.dueCifre(4);
    box.cmbRipGG = b.dueCifre(8);
    box.cmbGiorni = QString::number(b.prendi() % 40).rightJustified(3, QLatin1Char('0'));
    static const char* const soste[] = {"1 - Soste itinerario", "2 - Soste Guida",  "3 - Entrambe",
                                        "4 - Sosta Maggiore ",  "5 - Sosta minore", "6 - Nessuna sosta!"};
    box.cmbSoste = b.scegli(soste);
    box.cmbRange = b.dueCifre(61);
    return box;
}

// Writes the trip, its legs and the guide entries; returns the sum of the legs' km.
int ScriviViaggio(Byte& b, Database& db) {
    static const char* const coefficienti[] = {"", "1", "0,7", "3.5", "1e30", "-3", "abc"};
    Inserisci(db, nomi::kMeteCamper,
              {{nomi::kCodiceMeta, kMeta}, {nomi::kLocalita, QStringLiteral("ROMA")},
               {nomi::kCoefficiente, b.scegli(coefficienti)}});
    static const char* const tipi[] = {"A", "S", "P", "L", "X", ""};
    static const char* const strade[] = {"A1", "TRAGHETTO", "", "SS1"};
    int kmTotali = 0;
    const int tappe = 1 + b.prendi() % 6;
    for (int t = 1; t <= tappe; ++t) {
        const int km = b.prendi() * 4;
        kmTotali += km;
        const bool fine = b.prendi() % 4 == 0;
        Inserisci(db, nomi::kItinerari,
                  {{nomi::kCodiceMeta, kMeta},
                   {nomi::kSequenza, QString::number(t).rightJustified(4, QLatin1Char('0'))},
                   {nomi::kLocalita, b.scegli(kLocalita)},
                   {QStringLiteral("Chilometri"), t == 1 ? QStringLiteral("0") : QString::number(km)},
                   {QStringLiteral("NomeStrada"), b.scegli(strade)},
                   {QStringLiteral("TipoStrada"), b.scegli(tipi)},
                   {nomi::kTempoSosta, Sosta(b, true)},
                   {QStringLiteral("FineGiorno"), fine ? QStringLiteral("1") : QStringLiteral("0")}});
    }
    const int voci = b.prendi() % 5;
    for (int v = 0; v < voci; ++v)
        Inserisci(db, nomi::kGuidaCitta,
                  {{nomi::kLocalita, b.scegli(kLocalita)},
                   {nomi::kDescrizione, QStringLiteral("Voce %1").arg(v)},
                   {nomi::kTempoSosta, Sosta(b, false)},
                   {nomi::kFlagVisto, QStringLiteral("0")},
                   {nomi::kCodiceGuida, b.dueCifre(8)},
                   {nomi::kGruppo, b.prendi() % 2 ? QStringLiteral("G") : QStringLiteral(" ")}});
    return kmTotali;
}

// In memory where the system has it: the rollback of every input syncs the file.
QString Modello() {
    return QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/fuzz_zavetra-XXXXXX")
                                                     : QDir::tempPath() + QStringLiteral("/fuzz_zavetra-XXXXXX");
}

struct Ambiente {
    QTemporaryDir cartella{Modello()};
    Archivio archivio{cartella.path()};
    TabellaTipiGuida tipi;
    Ambiente() {
        archivio.AvviaDatabase();
        tipi = CaricaTipiGuida(archivio);
        archivio.RecordSetImpostaDefault();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64) return -1;  // a small trip keeps one run within milliseconds
    static Ambiente* ambiente = new Ambiente;
    Archivio& archivio = ambiente->archivio;
    Byte b(data, size);
    BoxMeta box = Parametri(b);
    const Database::Transazione annullata(archivio.dati());
    const int km = ScriviViaggio(b, archivio.dati());
    archivio.RiparaLocalitaGuida();

    Griglia tab, copia;
    ImpostaGriglia(tab, LayoutItinerario);
    CaricaTappeItinerario(archivio, tab, kMeta, box);
    ProgressoMemoria progresso;
    DialoghiScriptati dialoghi;
    EsitoZavetra e;
    try {
        e = CalcolaZavetra({archivio, box, kMeta, tab, copia, ambiente->tipi, progresso, dialoghi});
    } catch (const ErroreDatabase&) {
        return 0;  // the batch reports it as an error
    }
    if (e.eseguito) {
        const int righeTabella = copia.righe() - 1;
        const int limite = 1 + km + righeTabella + 3 * righeTabella + 7;
        int righe = 0;
        while (righe + 1 < tab.righe() && !tab.testo(righe + 1, ColGs).isEmpty()) ++righe;
        if (righe > limite || righe > kRigheMassimeZavetra) std::abort();
    }
    return 0;
}
