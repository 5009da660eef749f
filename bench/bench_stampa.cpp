// A 30-page schedule table printed to a PDF file: rows of every kind (driving with long road
// numbers, visits with a group, ferries, rest notes with daily summaries).
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Progresso.h"
#include "printing/SuperficieQt.h"
#include "reports/StampaZavetra.h"

namespace {

Griglia GrigliaTrentaPagine() {
    const QList<QStringList> tipi{
        {"", "Verso: Firenze", "A1", "225", "A", "", "03:00", "", "", "Mer", "01/07", "11:00", "Riposo 15'"},
        {"", " > Centro storico * Duomo di Santa Maria del Fiore", "", "", "", "", "", "02:00", "02:00",
         "Mer", "01/07", "14:15", "Monumento"},
        {"", "Olbia (Traghetto da Livorno)", "TRAGH", "128", "A", "", "01:43", "", "", "Mer", "01/07",
         "20:00", "Cena"},
        {"", "Cagliari", "SS131 Carlo Felice", "110", "S", "", "01:41", "", "", "Gio", "02/07", "16:41",
         "Riposo 15'Notte [Km 346 in ore 05:11; soste per ore 02:00]"}};
    constexpr int kRighe = 30 * 37;
    Griglia g(kRighe + 1, 15);
    for (int r = 1; r <= kRighe; ++r) {
        const QStringList& riga = tipi.at(r % tipi.size());
        for (int c = 0; c < riga.size(); ++c) g.impostaTesto(r, c, riga.at(c));
        g.impostaTesto(r, 0, QString::number(r));
        g.impostaTesto(r, 5, QString::number(r * 7));
    }
    return g;
}

void BM_StampaTrentaPagine(benchmark::State& state) {
    QTemporaryDir dir;
    const Griglia g = GrigliaTrentaPagine();
    DatiStampa dati;
    dati.box.txtLocalita = "Giro lungo 2026";
    dati.box.txtNazione = "ITALIA";
    dati.titoloFinestra = "Zavetra";
    dati.oggi = QDate(2026, 12, 6);
    dati.cartellaDati = dir.path();
    OpzioniStampa opzioni;
    opzioni.chkTabella = true;
    const QString pdf = dir.filePath("zavetra.pdf");
    int pagine = 0;
    for (auto _ : state) {
        auto s = SuperficieQt::suPdf(pdf);
        DialoghiScriptati dialoghi;
        ProgressoMemoria progresso;
        pagine = StampaDellItinerario(opzioni, *s, g, dati, dialoghi, progresso).pagine;
    }
    state.counters["pagine"] = pagine;
    state.counters["kB"] = static_cast<double>(QFileInfo(pdf).size()) / 1024.0;
}
BENCHMARK(BM_StampaTrentaPagine)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
