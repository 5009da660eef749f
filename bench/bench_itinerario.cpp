// Loading a 300-leg itinerary with its guide times and leg times, and saving it, against a data
// file with 20,000 guide entries.

#include <QTemporaryDir>

#include "PrincipaleBench.h"
#include "common/Griglia.h"
#include "common/Tempo.h"
#include "database/Archivio.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/KmTempi.h"
#include "itinerary/Tappe.h"

namespace {

constexpr int kTappe = 300;
constexpr int kGuida = 20000;
constexpr int kLocalitaGuida = 5000;
constexpr float kArcoVisita = 900;
const QString kMeta = QStringLiteral("000001");

QString Localita(int i) {
    return QStringLiteral("Localita %1").arg(i % kLocalitaGuida);
}

QString cartellaPiena() {
    static QTemporaryDir dir;
    static bool pronta = false;
    if (!pronta) {
        Archivio a(dir.path());
        a.AvviaDatabase();
        Database& db = a.dati();
        Database::Transazione tr(db);
        RowSet guida = db.apriTabella(QStringLiteral("GuidaCitta"));
        for (int i = 0; i < kGuida; ++i) {
            guida.aggiungi();
            guida.imposta(QStringLiteral("Localita"), Localita(i));
            guida.imposta(QStringLiteral("CodiceGuida"), QStringLiteral("01"));
            guida.imposta(QStringLiteral("Descrizione"), QStringLiteral("Cosa da vedere %1").arg(i));
            guida.imposta(QStringLiteral("TempoSosta"),
                          i % 7 == 0 ? QStringLiteral("G1") : QStringLiteral("01:30"));
            guida.imposta(QStringLiteral("FlagVisto"), QStringLiteral("0"));
            guida.memorizza();
        }
        RowSet tappe = db.apriTabella(QStringLiteral("Itinerari"));
        for (int i = 1; i <= kTappe; ++i) {
            tappe.aggiungi();
            tappe.imposta(QStringLiteral("CodiceMeta"), kMeta);
            tappe.imposta(QStringLiteral("Sequenza"), Zero(i, 4));
            QString localita = Localita(i * 7).toUpper();
            if (i == 1) localita += QStringLiteral(" [Start]");
            if (i == kTappe) localita += QStringLiteral(" [End]");
            tappe.imposta(QStringLiteral("Localita"), localita);
            tappe.imposta(QStringLiteral("Chilometri"), QString::number(20 + i % 200));
            tappe.imposta(QStringLiteral("NomeStrada"), QStringLiteral("SS%1 ").arg(i));
            tappe.imposta(QStringLiteral("TipoStrada"), QString(QStringLiteral("ASPL")[i % 4]));
            tappe.imposta(QStringLiteral("TempoSosta"),
                          i % 5 == 0 ? QStringLiteral("00:02:00") : QStringLiteral(" "));
            tappe.imposta(QStringLiteral("FineGiorno"),
                          i % 9 == 0 ? QStringLiteral("1") : QStringLiteral("0"));
            tappe.memorizza();
        }
        tr.conferma();
        pronta = true;
    }
    return dir.path();
}

void BM_CaricaTappeETempi(benchmark::State& state) {
    Archivio a(cartellaPiena());
    a.AvviaDatabase();
    Griglia g;
    ImpostaGriglia(g, LayoutItinerario);
    for (auto _ : state) {
        CaricaTappeItinerario(a, g, kMeta, kArcoVisita);
        const RisultatoKmTempi r = CalcolaKmTempiItinerario(g, {100, 90, 70, 50}, 900, 0);
        if (UltimaRigaTappa(g) != kTappe || g.testo(1, ColGuida).isEmpty()) state.SkipWithError("wrong load");
        benchmark::DoNotOptimize(r.GiorniMinimi);
    }
}
BENCHMARK(BM_CaricaTappeETempi)->Unit(benchmark::kMillisecond);

void BM_MemorizzaTappe(benchmark::State& state) {
    Archivio a(cartellaPiena());
    a.AvviaDatabase();
    Griglia g;
    ImpostaGriglia(g, LayoutItinerario);
    CaricaTappeItinerario(a, g, kMeta, kArcoVisita);
    for (auto _ : state) {
        if (MemorizzaTappeItinerario(a, g, kMeta, kArcoVisita) != kTappe) state.SkipWithError("wrong save");
    }
}
BENCHMARK(BM_MemorizzaTappe)->Unit(benchmark::kMillisecond);

}  // namespace

ZAVETRA_BENCHMARK_MAIN()
