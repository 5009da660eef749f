// The batch computation (zavetra --calcola --csv) end to end, as the command runs it: database
// start, trip and legs load, computation, text files and CSV.  A 100,000-leg trip with 30,000
// guide entries (its schedule passes the row limit, so the run ends with that message and writes
// no files) and a 25,000-leg trip with 10,000 entries that writes every file.  Each run starts
// from the prepared database: the computation stores the trip's coefficient.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "GiroBench.h"
#include "PrincipaleBench.h"
#include "app/Batch.h"
#include "common/Orologio.h"
#include "database/Archivio.h"
#include "trips/Meta.h"

namespace {

struct Preparato {
    QTemporaryDir dir;
    QString database;

    Preparato(int tappe, int voci) {
        Archivio archivio(dir.path());
        giro::Prepara(archivio, tappe, voci);
        BoxMeta box = giro::Parametri();
        box.txtLocalita = QStringLiteral("GIRO");
        box.txtNazione = QStringLiteral("Italia");
        box.cmbGiorni = QStringLiteral("000");
        ScriviMeta({QStringLiteral("M"), giro::kMeta}, box, archivio);
        database = archivio.percorsoDatabase();
    }
};

void Calcola(benchmark::State& state, const Preparato& preparato, int codiceAtteso) {
    QTemporaryDir lavoro;
    const QString copia = QDir(lavoro.path()).filePath(QFileInfo(preparato.database).fileName());
    const OrologioFisso orologio(QDateTime(QDate(2024, 3, 1), QTime(8, 0)));
    const OpzioniCalcola opzioni{lavoro.path(), giro::kMeta,
                                 QDir(lavoro.path()).filePath(QStringLiteral("z.csv"))};
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(copia);
        if (!QFile::copy(preparato.database, copia)) state.SkipWithError("copia del database");
        state.ResumeTiming();
        const EsitoBatch esito = EseguiCalcolaBatch(opzioni, orologio);
        if (esito.codiceUscita != codiceAtteso) state.SkipWithError("esito inatteso");
    }
}

void BM_BatchCentomilaTappe(benchmark::State& state) {
    static const Preparato preparato(100000, 30000);
    Calcola(state, preparato, kUscitaErrore);
}
BENCHMARK(BM_BatchCentomilaTappe)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_BatchVenticinquemilaTappe(benchmark::State& state) {
    static const Preparato preparato(25000, 10000);
    Calcola(state, preparato, kUscitaRiuscita);
}
BENCHMARK(BM_BatchVenticinquemilaTappe)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

ZAVETRA_BENCHMARK_MAIN()
