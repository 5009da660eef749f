#include "routeimport/PercorsoXml.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "common/Testo.h"

namespace {

constexpr double kRaggioTerraKm = 6371.0;
constexpr double kGradiRadianti = M_PI / 180.0;
constexpr int kLunghezzaStrada = 64;

struct Punto {
    double lat = 0;
    double lon = 0;
    QString nome;
    QString strada;
};

struct Lettura {
    std::vector<Punto> linea;   // the line driven, in order
    std::vector<Punto> luoghi;  // named points placed onto the line afterwards
};

bool CoordinateValide(double lat, double lon) {
    return std::isfinite(lat) && std::isfinite(lon) && std::abs(lat) <= 90 && std::abs(lon) <= 180;
}

// The first line of a description, trimmed and cut to the road column.
QString TestoStrada(const QString& testo) {
    const QString riga = testo.section(QLatin1Char('\n'), 0, 0);
    return Trim(riga.simplified()).left(kLunghezzaStrada);
}

// GPX: wpt, rtept and trkpt with their name, desc and cmt.
void LeggiGpx(QXmlStreamReader& x, Lettura& l) {
    Punto* corrente = nullptr;
    Punto punto;
    bool inLinea = false;
    while (!x.atEnd()) {
        const auto token = x.readNext();
        const auto nome = x.name();
        if (token == QXmlStreamReader::StartElement) {
            if (nome == QLatin1String("wpt") || nome == QLatin1String("rtept") ||
                nome == QLatin1String("trkpt")) {
                bool okLat = false, okLon = false;
                punto = Punto{};
                punto.lat = x.attributes().value(QLatin1String("lat")).toDouble(&okLat);
                punto.lon = x.attributes().value(QLatin1String("lon")).toDouble(&okLon);
                if (!okLat || !okLon) punto.lat = std::numeric_limits<double>::quiet_NaN();
                inLinea = nome != QLatin1String("wpt");
                corrente = &punto;
            } else if (corrente && nome == QLatin1String("name")) {
                corrente->nome = Trim(x.readElementText(QXmlStreamReader::IncludeChildElements).simplified());
            } else if (corrente && (nome == QLatin1String("desc") || nome == QLatin1String("cmt"))) {
                const QString s = TestoStrada(x.readElementText(QXmlStreamReader::IncludeChildElements));
                if (corrente->strada.isEmpty()) corrente->strada = s;
            }
        } else if (token == QXmlStreamReader::EndElement && corrente &&
                   (nome == QLatin1String("wpt") || nome == QLatin1String("rtept") ||
                    nome == QLatin1String("trkpt"))) {
            if (CoordinateValide(punto.lat, punto.lon)) (inLinea ? l.linea : l.luoghi).push_back(punto);
            corrente = nullptr;
        }
    }
}

// "lon,lat[,alt]" tuples separated by white space.
void LeggiCoordinate(const QString& testo, const Punto& modello, std::vector<Punto>& punti) {
    for (const QString& tupla : testo.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        const QStringList v = tupla.split(QLatin1Char(','));
        bool okLon = false, okLat = false;
        Punto p = modello;
        if (v.size() >= 2) {
            p.lon = v.at(0).toDouble(&okLon);
            p.lat = v.at(1).toDouble(&okLat);
        }
        if (okLon && okLat && CoordinateValide(p.lat, p.lon)) punti.push_back(p);
    }
}

// KML: Placemark with name, description and a Point or a LineString.
void LeggiKml(QXmlStreamReader& x, Lettura& l) {
    bool inSegnaposto = false;
    Punto segnaposto;
    QString puntoCoordinate;
    QStringList lineeCoordinate;
    QString geometria;
    while (!x.atEnd()) {
        const auto token = x.readNext();
        const auto nome = x.name();
        if (token == QXmlStreamReader::StartElement) {
            if (nome == QLatin1String("Placemark")) {
                inSegnaposto = true;
                segnaposto = Punto{};
                puntoCoordinate.clear();
                lineeCoordinate.clear();
            } else if (inSegnaposto && nome == QLatin1String("name")) {
                segnaposto.nome =
                    Trim(x.readElementText(QXmlStreamReader::IncludeChildElements).simplified());
            } else if (inSegnaposto && nome == QLatin1String("description")) {
                segnaposto.strada = TestoStrada(x.readElementText(QXmlStreamReader::IncludeChildElements));
            } else if (nome == QLatin1String("Point") || nome == QLatin1String("LineString")) {
                geometria = nome.toString();
            } else if (inSegnaposto && nome == QLatin1String("coordinates")) {
                const QString c = x.readElementText(QXmlStreamReader::IncludeChildElements);
                if (geometria == QLatin1String("Point"))
                    puntoCoordinate = c;
                else if (geometria == QLatin1String("LineString"))
                    lineeCoordinate << c;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (nome == QLatin1String("Point") || nome == QLatin1String("LineString")) geometria.clear();
            if (inSegnaposto && nome == QLatin1String("Placemark")) {
                inSegnaposto = false;
                for (const QString& c : lineeCoordinate) LeggiCoordinate(c, Punto{}, l.linea);
                if (!puntoCoordinate.isEmpty() && !segnaposto.nome.isEmpty()) {
                    std::vector<Punto> p;
                    LeggiCoordinate(puntoCoordinate, segnaposto, p);
                    if (!p.empty()) l.luoghi.push_back(p.front());
                }
            }
        }
    }
}

// A flat measure good enough to find the nearest point: scalaLon is the cosine of a's latitude.
double DistanzaRapida(const Punto& a, double scalaLon, const Punto& b) {
    const double x = (b.lon - a.lon) * scalaLon;
    const double y = b.lat - a.lat;
    return x * x + y * y;
}

struct Nominato {
    std::size_t indice;
    const Punto* punto;
};

QList<TappaImportata> TappeDaLettura(Lettura& l) {
    if (l.linea.empty()) std::swap(l.linea, l.luoghi);
    std::vector<double> progressivi(l.linea.size(), 0.0);
    for (std::size_t i = 1; i < l.linea.size(); ++i)
        progressivi[i] = progressivi[i - 1] +
                         DistanzaKm(l.linea[i - 1].lat, l.linea[i - 1].lon, l.linea[i].lat, l.linea[i].lon);

    std::vector<Nominato> nominati;
    for (std::size_t i = 0; i < l.linea.size(); ++i)
        if (!l.linea[i].nome.isEmpty()) nominati.push_back({i, &l.linea[i]});
    for (const Punto& luogo : l.luoghi) {
        if (luogo.nome.isEmpty()) continue;
        std::size_t migliore = 0;
        double minima = std::numeric_limits<double>::max();
        const double scala = std::cos(luogo.lat * kGradiRadianti);
        for (std::size_t i = 0; i < l.linea.size(); ++i) {
            const double d = DistanzaRapida(luogo, scala, l.linea[i]);
            if (d < minima) {
                minima = d;
                migliore = i;
            }
        }
        nominati.push_back({migliore, &luogo});
    }
    std::stable_sort(nominati.begin(), nominati.end(),
                     [](const Nominato& a, const Nominato& b) { return a.indice < b.indice; });

    QList<TappaImportata> tappe;
    double precedente = 0;
    for (const Nominato& n : nominati) {
        TappaImportata t;
        t.localita = n.punto->nome.toUpper();
        if (!tappe.isEmpty() && UgualeTesto(tappe.last().localita, t.localita)) continue;
        t.strada = n.punto->strada;
        t.tipoStrada = QStringLiteral("P");
        t.traghetto = t.strada.contains(QLatin1String("TRAGH"), Qt::CaseInsensitive);
        const double lungo = std::min(progressivi[n.indice] - precedente, double(kKmMassimiImport));
        t.km = static_cast<int>(std::nearbyint(std::max(0.0, lungo)));
        t.kmProgressivi = static_cast<int>(
            std::min(std::nearbyint(progressivi[n.indice]), double(std::numeric_limits<int>::max() / 2)));
        precedente = progressivi[n.indice];
        tappe.append(t);
    }
    return tappe;
}

}  // namespace

double DistanzaKm(double lat1, double lon1, double lat2, double lon2) {
    const double f1 = lat1 * kGradiRadianti, f2 = lat2 * kGradiRadianti;
    const double df = f2 - f1, dl = (lon2 - lon1) * kGradiRadianti;
    const double a = std::sin(df / 2) * std::sin(df / 2) +
                     std::cos(f1) * std::cos(f2) * std::sin(dl / 2) * std::sin(dl / 2);
    return 2 * kRaggioTerraKm * std::asin(std::sqrt(std::clamp(a, 0.0, 1.0)));
}

EsitoXml LeggiPercorsoXml(const QByteArray& byte, FormatoXml formato) {
    EsitoXml esito;
    QXmlStreamReader x(byte);
    if (!x.readNextStartElement()) return esito;
    const QLatin1String radice = formato == FormatoXml::Gpx ? QLatin1String("gpx") : QLatin1String("kml");
    if (x.name() != radice) return esito;
    Lettura l;
    if (formato == FormatoXml::Gpx)
        LeggiGpx(x, l);
    else
        LeggiKml(x, l);
    if (x.hasError()) return esito;
    esito.riconosciuto = true;
    esito.tappe = TappeDaLettura(l);
    return esito;
}
