// The schedule computation of a 500-leg itinerary with 2,000 guide entries: with desired days that
// no coefficient reaches, so that all 20 tests run, and computed once (no desired days), so that
// one run prints both and their ratio.  A 100,000-leg trip computed once shows the scale.

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

struct Viaggio {
    QTemporaryDir dir;
    Archivio archivio{dir.path()};
    TabellaTipiGuida tipi;
    BoxMeta caricato = Parametri();
    Griglia itinerario;

    Viaggio(int tappe, int voci) {
        Prepara(archivio, tappe, voci);
        tipi = CaricaTipiGuida(archivio);
        ImpostaGriglia(itinerario, LayoutItinerario);
        CaricaTappeItinerario(archivio, itinerario, kMeta, caricato);
    }
};

void Calcola(benchmark::State& state, Viaggio& v, const QString& giorni) {
    v.caricato.cmbGiorni = giorni;
    int tentativi = 0;
    int righe = 0;
    bool eseguito = false;
    for (auto _ : state) {
        BoxMeta box = v.caricato;
        Griglia tab = v.itinerario;
        Griglia copia;
        ProgressoMemoria progresso;
        DialoghiScriptati dialoghi;
        const EsitoZavetra e =
            CalcolaZavetra({v.archivio, box, kMeta, tab, copia, v.tipi, progresso, dialoghi});
        tentativi = e.tentativi;
        eseguito = e.eseguito;
        righe = tab.righe();
        benchmark::DoNotOptimize(e);
    }
    state.counters["tentativi"] = tentativi;
    state.counters["righe"] = righe;
    // 0 when the computation was refused (more schedule rows than the limit).
    state.counters["eseguito"] = eseguito;
}

Viaggio& Giro() {
    static Viaggio v(kTappe, kGuida);
    return v;
}

void BM_CalcolaZavetraVentiTest(benchmark::State& state) {
    Calcola(state, Giro(), QStringLiteral("997"));
}
BENCHMARK(BM_CalcolaZavetraVentiTest)->Unit(benchmark::kMillisecond);

void BM_CalcolaZavetraUnTest(benchmark::State& state) {
    Calcola(state, Giro(), QStringLiteral("000"));
}
BENCHMARK(BM_CalcolaZavetraUnTest)->Unit(benchmark::kMillisecond);

void BM_CalcolaZavetraCentomilaTappe(benchmark::State& state) {
    static Viaggio v(100000, kGuida);
    Calcola(state, v, QStringLiteral("000"));
}
BENCHMARK(BM_CalcolaZavetraCentomilaTappe)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

ZAVETRA_BENCHMARK_MAIN()
