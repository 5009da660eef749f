// The schedule computation of the 500-leg trip through the main window, offscreen: the press of
// "&Calcola" with desired days that force all 20 tests, including the grid shown in its view.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "GiroBench.h"
#include "app/FrmMain.h"
#include "common/Dialoghi.h"
#include "common/Orologio.h"

// Run under callgrind with --collect-atstart=no, only the timed part is counted; outside valgrind
// the toggle does nothing.
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define ALTERNA_CONTEGGIO() CALLGRIND_TOGGLE_COLLECT
#else
#define ALTERNA_CONTEGGIO() ((void)0)
#endif

namespace {

// Scripted answers, and pending events run when the computation lets them run, as in the window.
class DialoghiConEventi : public DialoghiScriptati {
  public:
    void eseguiEventi() override {
        DialoghiScriptati::eseguiEventi();
        QApplication::processEvents();
    }
};

void BM_CalcolaDallaFinestra(benchmark::State& state) {
    QTemporaryDir dir;
    {
        Archivio archivio(dir.path());
        giro::Prepara(archivio);
    }
    DialoghiConEventi dialoghi;
    OrologioFisso orologio(QDateTime(QDate(2024, 3, 4), QTime(8, 0)));
    FrmMain frm(dir.path(), dialoghi, orologio);
    frm.Form_Load();
    frm.show();
    // The window is on screen, painted once, before the first press.
    QApplication::processEvents();
    int righe = 0;
    QString ultimo;
    for (auto _ : state) {
        state.PauseTiming();
        // The same trip as the core benchmark, and no stored coefficient to start from.
        BoxMeta box = frm.LeggiBox();
        const BoxMeta parametri = giro::Parametri();
        box.cmbInizio = parametri.cmbInizio;
        box.cmbMediaKm = parametri.cmbMediaKm;
        box.cmbOra = parametri.cmbOra;
        box.cmbMin = parametri.cmbMin;
        box.cmbRipM = parametri.cmbRipM;
        box.cmbRipH = parametri.cmbRipH;
        box.cmbRipG = parametri.cmbRipG;
        box.cmbRipGG = parametri.cmbRipGG;
        box.cmbSoste = parametri.cmbSoste;
        box.cmbRange = parametri.cmbRange;
        box.cmbGiorni = QStringLiteral("997");
        frm.ScriviBox(box);
        {
            RowSet meta = frm.archivio().dati().apriRowSet(
                Query::di(QStringLiteral("MeteCamper")).dove(QStringLiteral("CodiceMeta"), giro::kMeta));
            meta.modifica();
            meta.imposta(QStringLiteral("Coefficiente"), QStringLiteral("0"));
            meta.memorizza();
        }
        state.ResumeTiming();
        ALTERNA_CONTEGGIO();
        frm.cmdCalcola_Click();
        QApplication::processEvents();
        ALTERNA_CONTEGGIO();
        righe = frm.mfgTab.righe();
        ultimo = dialoghi.mostrati.isEmpty() ? QString() : dialoghi.mostrati.last().testo;
        state.PauseTiming();
        frm.cmdCalcola_Click();  // "&Sblocca": back to the legs for the next press
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["righe"] = righe;
    // The closing message names the tests made ("... n. 20)").
    state.SetLabel(ultimo.toStdString());
}
BENCHMARK(BM_CalcolaDallaFinestra)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
