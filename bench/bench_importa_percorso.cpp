// Importing a 2,000-line planner export and a GPX track of 100,000 points with 50 waypoints into
// the itinerary grid.

#include "PrincipaleBench.h"
#include "common/Griglia.h"
#include "routeimport/PercorsoExport.h"
#include "routeimport/PercorsoXml.h"
#include "routeimport/TappeImportate.h"

namespace {

constexpr int kRigheExport = 2000;
constexpr int kPuntiTraccia = 100000;
constexpr int kWaypoint = 50;

QByteArray Export() {
    QByteArray t = "Ora\tKm\tIstruzioni\r\n08:00\t0,0\tPartenza Oslo\r\n";
    for (int i = 1; i < kRigheExport; ++i) {
        const QByteArray km = QByteArray::number(i * 7) + ",4";
        if (i % 2)
            t += "09:00\t" + km + "\tPresso Svincolo, Luogo " + QByteArray::number(i) + ", uscire su E" +
                 QByteArray::number(i % 90) + "\r\n";
        else
            t += "09:00\t" + km + "\tProseguire su RV" + QByteArray::number(i % 40) + " *Toll road*\r\n";
    }
    return t;
}

QByteArray Traccia() {
    QByteArray t =
        "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
    for (int w = 0; w < kWaypoint; ++w) {
        const int i = w * (kPuntiTraccia - 1) / (kWaypoint - 1);
        t += "<wpt lat=\"" + QByteArray::number(58.0 + i * 1e-4, 'f', 5) + "\" lon=\"" +
             QByteArray::number(8.0 + i * 5e-5, 'f', 5) + "\"><name>Punto " + QByteArray::number(w) +
             "</name><desc>E6</desc></wpt>\n";
    }
    t += "<trk><trkseg>\n";
    for (int i = 0; i < kPuntiTraccia; ++i)
        t += "<trkpt lat=\"" + QByteArray::number(58.0 + i * 1e-4, 'f', 5) + "\" lon=\"" +
             QByteArray::number(8.0 + i * 5e-5, 'f', 5) + "\"><ele>12.5</ele></trkpt>\n";
    t += "</trkseg></trk>\n</gpx>\n";
    return t;
}

void BM_ImportaExport2000Righe(benchmark::State& stato) {
    const QByteArray dati = Export();
    for (auto _ : stato) {
        Griglia g;
        ScriviTappeImportate(g, LeggiExport(dati).tappe, QStringLiteral("00:02:00"));
        benchmark::DoNotOptimize(g.righe());
    }
}
BENCHMARK(BM_ImportaExport2000Righe)->Unit(benchmark::kMillisecond);

void BM_ImportaTracciaGpx100000Punti(benchmark::State& stato) {
    const QByteArray dati = Traccia();
    for (auto _ : stato) {
        Griglia g;
        ScriviTappeImportate(g, LeggiPercorsoXml(dati, FormatoXml::Gpx).tappe, QString());
        benchmark::DoNotOptimize(g.righe());
    }
}
BENCHMARK(BM_ImportaTracciaGpx100000Punti)->Unit(benchmark::kMillisecond);

}  // namespace

ZAVETRA_BENCHMARK_MAIN()
