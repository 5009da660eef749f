// Start-up check of a full data file and the look-up of one trip's legs.

#include <QDir>
#include <QTemporaryDir>

#include "PrincipaleBench.h"
#include "common/Tempo.h"
#include "database/Archivio.h"

namespace {

constexpr int kMete = 10000;
constexpr int kTappe = 200000;
constexpr int kGuida = 20000;

// Builds Voviva.mdb with 10,000 trips, 200,000 legs and 20,000 guide entries once per run.
QString cartellaPiena() {
    static QTemporaryDir dir;
    static bool pronta = false;
    if (!pronta) {
        Archivio a(dir.path());
        a.AvviaDatabase();
        Database& db = a.dati();
        Database::Transazione tr(db);
        RowSet mete = db.apriTabella(QStringLiteral("MeteCamper"));
        for (int i = 1; i <= kMete; ++i) {
            mete.aggiungi();
            mete.imposta(QStringLiteral("CodiceMeta"), Zero(i, 6));
            mete.imposta(QStringLiteral("Localita"), QStringLiteral("Meta %1").arg(i));
            mete.memorizza();
        }
        RowSet tappe = db.apriTabella(QStringLiteral("Itinerari"));
        for (int i = 0; i < kTappe; ++i) {
            tappe.aggiungi();
            tappe.imposta(QStringLiteral("CodiceMeta"), Zero(i % kMete + 1, 6));
            tappe.imposta(QStringLiteral("Sequenza"), Zero(i / kMete + 1, 4));
            tappe.imposta(QStringLiteral("Localita"), QStringLiteral("Localita %1").arg(i % 5000));
            tappe.imposta(QStringLiteral("Chilometri"), QStringLiteral("120"));
            tappe.memorizza();
        }
        RowSet guida = db.apriTabella(QStringLiteral("GuidaCitta"));
        for (int i = 0; i < kGuida; ++i) {
            guida.aggiungi();
            guida.imposta(QStringLiteral("Localita"), QStringLiteral("Localita %1").arg(i % 5000));
            guida.imposta(QStringLiteral("Descrizione"), QStringLiteral("Cosa da vedere %1").arg(i));
            guida.memorizza();
        }
        tr.conferma();
        pronta = true;
    }
    return dir.path();
}

void BM_AvvioDatabase(benchmark::State& state) {
    const QString cartella = cartellaPiena();
    for (auto _ : state) {
        Archivio a(cartella);
        a.AvviaDatabase();
        benchmark::DoNotOptimize(a.rs[1].aperto());
    }
}
BENCHMARK(BM_AvvioDatabase)->Unit(benchmark::kMillisecond);

void BM_TappeDiUnaMeta(benchmark::State& state) {
    Archivio a(cartellaPiena());
    a.AvviaDatabase();
    int codice = 1;
    for (auto _ : state) {
        a.query = Query::di(QStringLiteral("Itinerari"))
                      .dove(QStringLiteral("CodiceMeta"), Zero(codice, 6))
                      .ordina(QStringLiteral("Sequenza"));
        a.RecordSetImposta(0, 2);
        int km = 0;
        for (RowSet& r = a.rs[2]; !r.fine(); r.successivo())
            km += r.testo(QStringLiteral("Chilometri")).toInt();
        benchmark::DoNotOptimize(km);
        if (a.NumeroRecord != kTappe / kMete) state.SkipWithError("wrong leg count");
        codice = codice % kMete + 1;
    }
}
BENCHMARK(BM_TappeDiUnaMeta)->Unit(benchmark::kMicrosecond);

}  // namespace

ZAVETRA_BENCHMARK_MAIN()
