// The schedule computation of a 500-leg itinerary with 2,000 guide entries, with desired days
// that no coefficient reaches, so that all 20 tests run full passes.

#include <QTemporaryDir>

#include "GiroBench.h"
#include "PrincipaleBench.h"
#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Progresso.h"
#include "common/Tempo.h"
#include "database/Archivio.h"
#include "database/TipiGuida.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/Tappe.h"
#include "schedule/Zavetra.h"

namespace {

using namespace giro;

void BM_CalcolaZavetraVentiTest(benchmark::State& state) {
    QTemporaryDir dir;
    Archivio archivio(dir.path());
    Prepara(archivio);
    const TabellaTipiGuida tipi = CaricaTipiGuida(archivio);
    BoxMeta caricato = Parametri();
    Griglia itinerario;
    ImpostaGriglia(itinerario, LayoutItinerario);
    CaricaTappeItinerario(archivio, itinerario, kMeta, caricato);
    caricato.cmbGiorni = QStringLiteral("997");
    int tentativi = 0;
    int righe = 0;
    for (auto _ : state) {
        BoxMeta box = caricato;
        Griglia tab = itinerario;
        Griglia copia;
        ProgressoMemoria progresso;
        DialoghiScriptati dialoghi;
        const EsitoZavetra e = CalcolaZavetra({archivio, box, kMeta, tab, copia, tipi, progresso, dialoghi});
        tentativi = e.tentativi;
        righe = tab.righe();
        benchmark::DoNotOptimize(e);
    }
    state.counters["tentativi"] = tentativi;
    state.counters["righe"] = righe;
}
BENCHMARK(BM_CalcolaZavetraVentiTest)->Unit(benchmark::kMillisecond);

}  // namespace

ZAVETRA_BENCHMARK_MAIN()
