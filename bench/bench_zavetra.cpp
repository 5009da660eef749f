// The schedule computation of a 500-leg itinerary with 2,000 guide entries, with desired days
// that no coefficient reaches, so that all 20 tests run full passes.

#include <QTemporaryDir>

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

constexpr int kTappe = 500;
constexpr int kGuida = 2000;
const QString kMeta = QStringLiteral("000001");

QString Localita(int i) {
    return QStringLiteral("Localita %1").arg(i);
}

BoxMeta Parametri() {
    BoxMeta box;
    box.cmbInizio = {"04", "03", "2024", "08", "00"};
    box.cmbMediaKm = {"110", "90", "60", "40"};
    box.cmbOra = {"08", "12", "19", "22", "01", "01", "09", "19", "06"};
    box.cmbMin = {"00", "30", "30", "00", "00", "00", "00", "00", "00"};
    box.cmbRipM = "15";
    box.cmbRipH = "02";
    box.cmbRipG = "01";
    box.cmbRipGG = "06";
    box.cmbSoste = "3 - Entrambe";
    box.cmbRange = "15";
    return box;
}

void Prepara(Archivio& a) {
    a.AvviaDatabase();
    Database& db = a.dati();
    Database::Transazione tr(db);
    RowSet meta = db.apriTabella(QStringLiteral("MeteCamper"));
    meta.aggiungi();
    meta.imposta(QStringLiteral("CodiceMeta"), kMeta);
    meta.imposta(QStringLiteral("Localita"), QStringLiteral("GIRO"));
    meta.memorizza();
    RowSet guida = db.apriTabella(QStringLiteral("GuidaCitta"));
    for (int i = 0; i < kGuida; ++i) {
        guida.aggiungi();
        guida.imposta(QStringLiteral("Localita"), Localita(i % kTappe));
        guida.imposta(QStringLiteral("CodiceGuida"), Zero(1 + i % 12, 2));
        guida.imposta(QStringLiteral("Gruppo"), i % 3 == 0 ? QStringLiteral("A") : QStringLiteral(" "));
        guida.imposta(QStringLiteral("Descrizione"), QStringLiteral("Cosa da vedere %1").arg(i));
        guida.imposta(QStringLiteral("TempoSosta"), i % 11 == 0  ? QStringLiteral("G1")
                                                    : i % 5 == 0 ? QString()
                                                                 : QStringLiteral("01:30"));
        guida.imposta(QStringLiteral("FlagVisto"), QStringLiteral("0"));
        guida.memorizza();
    }
    RowSet tappe = db.apriTabella(QStringLiteral("Itinerari"));
    for (int i = 1; i <= kTappe; ++i) {
        tappe.aggiungi();
        tappe.imposta(QStringLiteral("CodiceMeta"), kMeta);
        tappe.imposta(QStringLiteral("Sequenza"), Zero(i, 4));
        QString localita = Localita(i - 1).toUpper();
        if (i == 2) localita += QStringLiteral(" [Start]");
        if (i == kTappe - 10) localita += QStringLiteral(" [End]");
        tappe.imposta(QStringLiteral("Localita"), localita);
        tappe.imposta(QStringLiteral("Chilometri"), QString::number(i == 1 ? 0 : 30 + i % 400));
        tappe.imposta(QStringLiteral("NomeStrada"),
                      i % 50 == 0 ? QStringLiteral("TRAGH") : QStringLiteral("SS"));
        tappe.imposta(QStringLiteral("TipoStrada"), QString(QStringLiteral("ASPL")[i % 4]));
        tappe.imposta(QStringLiteral("TempoSosta"),
                      i % 5 == 0 ? QStringLiteral("00:02:00") : QStringLiteral(" "));
        tappe.imposta(QStringLiteral("FineGiorno"), i % 9 == 0 ? QStringLiteral("1") : QStringLiteral("0"));
        tappe.memorizza();
    }
    tr.conferma();
}

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
        const EsitoZavetra e = CalcolaZavetra(archivio, box, kMeta, tab, copia, tipi, progresso, dialoghi);
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
