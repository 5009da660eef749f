// Start-up of the main window on a database of 10,000 trips: building the window, the start-up
// sequence, the first show, and the whole program from process start to its first show.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "app/FrmMain.h"
#include "common/Dialoghi.h"
#include "common/Orologio.h"
#include "common/Tempo.h"
#include "trips/Meta.h"

namespace {

constexpr int kMete = 10000;

QString gCartella;

// The trips are written by the same routine as the save button, in one transaction.
void CreaDatabase(const QString& cartella) {
    Archivio archivio(cartella);
    archivio.AvviaDatabase();
    OrologioFisso orologio(QDateTime(QDate(2024, 5, 14), QTime(10, 52)));
    BoxMeta box;
    ImpostaDefaultFabbrica(box);
    ImpostaInizioAdesso(box, orologio);
    box.cmbGiorni = QStringLiteral("000");
    Database::Transazione tr(archivio.dati());
    for (int i = 1; i <= kMete; ++i) {
        box.txtLocalita = QStringLiteral("LOCALITA %1").arg(i);
        box.txtNazione = QStringLiteral("NAZIONE %1").arg(i % 40);
        ScriviMeta({QStringLiteral("I"), Zero(i, 6)}, box, archivio);
    }
    tr.conferma();
}

void BM_CostruzioneFinestra(benchmark::State& state) {
    DialoghiScriptati dialoghi;
    OrologioSistema orologio;
    for (auto _ : state) {
        FrmMain frm(gCartella, dialoghi, orologio);
        benchmark::DoNotOptimize(&frm);
    }
}
BENCHMARK(BM_CostruzioneFinestra)->Unit(benchmark::kMillisecond);

void BM_AvvioFinoAllaPrimaVisualizzazione(benchmark::State& state) {
    DialoghiScriptati dialoghi;
    OrologioSistema orologio;
    for (auto _ : state) {
        FrmMain frm(gCartella, dialoghi, orologio);
        frm.Form_Load();
        frm.show();
        QCoreApplication::processEvents();
        if (frm.txtCodice->text() != Zero(kMete, 6)) state.SkipWithError("current trip not loaded");
        state.PauseTiming();
        frm.chiusuraConfermata = true;
        frm.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AvvioFinoAllaPrimaVisualizzazione)->Unit(benchmark::kMillisecond);

// The whole program: process start, Qt, database start-up, window, first show, exit.
void BM_ProcessoFinoAllaPrimaVisualizzazione(benchmark::State& state) {
    const QString programma = QCoreApplication::applicationDirPath() + QStringLiteral("/zavetra");
    for (auto _ : state) {
        QProcess p;
        p.start(programma, {QStringLiteral("--data-dir"), gCartella, QStringLiteral("--esci-dopo-avvio")});
        if (!p.waitForFinished(30000) || p.exitCode() != 0)
            state.SkipWithError("zavetra did not end cleanly");
    }
}
BENCHMARK(BM_ProcessoFinoAllaPrimaVisualizzazione)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // BENCH_AVVIO_CARTELLA keeps the database for timing the program by hand (built once).
    QTemporaryDir temporanea;
    gCartella = qEnvironmentVariable("BENCH_AVVIO_CARTELLA", temporanea.path());
    if (!QFile::exists(gCartella + QStringLiteral("/Voviva.mdb"))) {
        QElapsedTimer t;
        t.start();
        CreaDatabase(gCartella);
        std::fprintf(stderr, "database of %d trips built in %lld ms\n", kMete,
                     static_cast<long long>(t.elapsed()));
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
