// The city guide of a 300-leg itinerary against a guide of 20,000 entries: building the guide
// list, and copying the guide times into the legs.

#include <QTemporaryDir>

#include "PrincipaleBench.h"
#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Tempo.h"
#include "database/Archivio.h"
#include "database/TipiGuida.h"
#include "guide/GuidaCitta.h"

namespace {

constexpr int kTappe = 300;
constexpr int kVoci = 20000;
constexpr int kLocalitaGuida = 2000;  // ten entries each
const QString kMeta = QStringLiteral("000001");

QString nomeLocalita(int i) {
    return QStringLiteral("Località %1").arg(i);
}

// Legs visit every seventh guide locality, some twice, one with the start marker and capitals.
QString localitaTappa(int i) {
    QString nome = nomeLocalita((i % 250) * 7);
    if (i == 0) return nome.toUpper() + QStringLiteral(" [Start]");
    return nome;
}

struct Dati {
    QTemporaryDir dir;
    Archivio archivio{dir.path()};
    TabellaTipiGuida tipi;

    Dati() {
        archivio.AvviaDatabase();
        tipi = CaricaTipiGuida(archivio);
        Database::Transazione tr(archivio.dati());
        RowSet tappe = archivio.dati().apriTabella(archivio.nome(TabItinerari));
        for (int i = 0; i < kTappe; ++i) {
            tappe.aggiungi();
            tappe.imposta(QStringLiteral("CodiceMeta"), kMeta);
            tappe.imposta(QStringLiteral("Sequenza"), Zero(i + 1, 4));
            tappe.imposta(QStringLiteral("Localita"), localitaTappa(i));
            tappe.imposta(QStringLiteral("TempoSosta"), QStringLiteral("00:01:00"));
            tappe.memorizza();
        }
        RowSet voci = archivio.dati().apriTabella(archivio.nome(TabGuidaCitta));
        for (int i = 0; i < kVoci; ++i) {
            voci.aggiungi();
            voci.imposta(QStringLiteral("Localita"), nomeLocalita(i % kLocalitaGuida));
            voci.imposta(QStringLiteral("CodiceGuida"), Zero(i % 12 + 1, 2));
            voci.imposta(QStringLiteral("Gruppo"), QString::number(i % 5));
            voci.imposta(QStringLiteral("Descrizione"), QStringLiteral("Monumento numero %1").arg(i));
            voci.imposta(QStringLiteral("TempoSosta"),
                         i % 50 == 0 ? QStringLiteral("G1") : QStringLiteral("01:30"));
            voci.imposta(QStringLiteral("FlagVisto"), QStringLiteral("0"));
            voci.memorizza();
        }
        tr.conferma();
    }
};

Dati& dati() {
    static Dati d;
    return d;
}

void BM_ListaDellaGuida(benchmark::State& state) {
    Dati& d = dati();
    Griglia griglia(2, 15);
    DialoghiScriptati dialoghi;
    GuidaCitta guida(d.archivio, d.tipi, griglia, dialoghi);
    guida.codiceMeta = kMeta;
    for (auto _ : state) {
        if (!guida.CreaLaListadellaGuida()) state.SkipWithError("nessuna tappa");
    }
    state.counters["righe"] = griglia.righe();
}
BENCHMARK(BM_ListaDellaGuida)->Unit(benchmark::kMillisecond);

void BM_CopiaSosteGuida(benchmark::State& state) {
    Dati& d = dati();
    Griglia itinerario(kTappe + 2, 15);
    DialoghiScriptati dialoghi;
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < kTappe; ++i) {
            itinerario.impostaTesto(i + 1, 1, localitaTappa(i));
            itinerario.impostaTesto(i + 1, 7, QStringLiteral("00:01:00"));
        }
        dialoghi.risposte = {Risposta::Si};
        state.ResumeTiming();
        TrasferisceSosteGuida(itinerario, d.archivio, dialoghi, 1000);
    }
}
BENCHMARK(BM_CopiaSosteGuida)->Unit(benchmark::kMillisecond);

}  // namespace

ZAVETRA_BENCHMARK_MAIN()
