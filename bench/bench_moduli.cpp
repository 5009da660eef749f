// A 60-day logbook printed to PDF: the cover and 60 day pages, as kestrin --pdf prints them.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "logbook/BatchModuli.h"

namespace {

void BM_Moduli60GiorniPdf(benchmark::State& state) {
    QTemporaryDir dir;
    const QString pdf = QDir(dir.path()).filePath(QStringLiteral("moduli.pdf"));
    const DatiModuli dati =
        ModuliDelPeriodo(QStringLiteral("CAPO NORD E ISOLE LOFOTEN"), QDate(2026, 6, 1), QDate(2026, 7, 30));
    for (auto _ : state) {
        QString errore;
        if (!StampaModuliPdf(pdf, dati, dir.path(), &errore))
            state.SkipWithError(errore.toUtf8().constData());
    }
    state.counters["pagine"] = dati.pagine + 1;
    state.counters["kB"] = static_cast<double>(QFileInfo(pdf).size()) / 1024.0;
}
BENCHMARK(BM_Moduli60GiorniPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application; the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
