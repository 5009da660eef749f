// GPX routes, GPX tracks with waypoints and KML placemarks read into legs: places in the order
// they lie along the line, km along the line, roads from the descriptions, and damaged files.
#include "routeimport/PercorsoXml.h"

#include <gtest/gtest.h>

#include "Campioni.h"

namespace {

QByteArray Campione(const char* nome) {
    return campioni::Byte(nome);
}

QStringList Luoghi(const QList<TappaImportata>& t) {
    QStringList l;
    for (const auto& x : t) l << x.localita;
    return l;
}

QList<int> Km(const QList<TappaImportata>& t) {
    QList<int> l;
    for (const auto& x : t) l << x.km;
    return l;
}

TEST(Gpx, RottaConPuntiSenzaNome) {
    const EsitoXml e = LeggiPercorsoXml(Campione("percorso_rotta.gpx"), FormatoXml::Gpx);
    ASSERT_TRUE(e.riconosciuto);
    EXPECT_EQ(Luoghi(e.tappe), (QStringList{"OSLO", "DRAMMEN", "SANDEFJORD", "KRISTIANSAND"}));
    // Oslo to Drammen passes through the unnamed point: 36 km, not the 33 of the straight line.
    EXPECT_EQ(Km(e.tappe), (QList<int>{0, 36, 68, 169}));
    EXPECT_EQ(e.tappe[1].strada, "E18");
    EXPECT_EQ(e.tappe[2].strada, "E18");  // from <cmt>
    EXPECT_EQ(e.tappe[3].strada, "E18 costiera");
    for (const auto& t : e.tappe) EXPECT_EQ(t.tipoStrada, "P");
}

TEST(Gpx, TracciaConWaypointInDisordine) {
    const EsitoXml e = LeggiPercorsoXml(Campione("traccia_punti.gpx"), FormatoXml::Gpx);
    ASSERT_TRUE(e.riconosciuto);
    EXPECT_EQ(Luoghi(e.tappe), (QStringList{"PARTENZA", "META", "ARRIVO"}));
    EXPECT_EQ(Km(e.tappe), (QList<int>{0, 28, 28}));
    EXPECT_EQ(e.tappe[1].strada, "RV4");
}

TEST(Kml, LineaESegnaposti) {
    const EsitoXml e = LeggiPercorsoXml(Campione("percorso.kml"), FormatoXml::Kml);
    ASSERT_TRUE(e.riconosciuto);
    EXPECT_EQ(Luoghi(e.tappe), (QStringList{"ROMA", "FIRENZE"}));
    EXPECT_EQ(Km(e.tappe), (QList<int>{0, 231}));
    EXPECT_EQ(e.tappe[1].strada, "A1");
}

TEST(Xml, FileSbagliatiOMalformati) {
    const QByteArray gpx = Campione("percorso_rotta.gpx");
    EXPECT_FALSE(LeggiPercorsoXml(gpx, FormatoXml::Kml).riconosciuto);
    EXPECT_FALSE(LeggiPercorsoXml(gpx.left(gpx.size() / 2), FormatoXml::Gpx).riconosciuto);
    EXPECT_FALSE(LeggiPercorsoXml("Ora\tKm\tIstruzioni", FormatoXml::Gpx).riconosciuto);
    // Points without usable coordinates are left out; the others still count.
    const EsitoXml e = LeggiPercorsoXml(
        "<gpx><wpt lat='x' lon='1'><name>A</name></wpt><wpt lat='95' lon='1'><name>B</name></wpt>"
        "<wpt lat='45' lon='9'><name>C</name></wpt></gpx>",
        FormatoXml::Gpx);
    EXPECT_EQ(Luoghi(e.tappe), QStringList{"C"});
}

TEST(Xml, TappaPiuLungaDi999Km) {
    const EsitoXml e = LeggiPercorsoXml(
        "<gpx><rte><rtept lat='37.5' lon='15.09'><name>Catania</name></rtept>"
        "<rtept lat='70.66' lon='23.68'><name>Hammerfest</name></rtept></rte></gpx>",
        FormatoXml::Gpx);
    ASSERT_EQ(e.tappe.size(), 2);
    EXPECT_EQ(e.tappe[1].km, 3721);
}

}  // namespace
