// Route-planner exports and GPX/KML routes read into legs, in every encoding, and damaged files.
#include <gtest/gtest.h>

#include "Campioni.h"
#include "common/File1252.h"
#include "routeimport/PercorsoExport.h"
#include "routeimport/PercorsoXml.h"

namespace {

using namespace campioni;

// A bracket that names a place, not a road, leaves the road named before it.
TEST(StradaCorrente, IdentificatoriNelleIndicazioniELuoghiConStrada) {
    const char* indicazioni = R"(Turn RIGHT onto A1/E35|E35
Svoltare a DESTRA su SS16|SS16
Prendere l'autostrada [A14]|A14
Continue on Via Emilia (SS9) toward Rimini|SS9
bear right onto E39 [Kristiansand]|E39
Keep LEFT onto E6|E6
Turn RIGHT|
|)";
    EXPECT_EQ(Rilegge(indicazioni, RilevaStradaCorrente), indicazioni);
    const char* luoghi = R"(SS16, Rimini|Rimini|SS16
Ancona, e45/e55|Ancona|E45/E55
Praga, Repubblica Ceca|Praga, Repubblica Ceca|)";
    const auto luogo = [](const QString& t) {
        return EstraeTappaStrada(t).luogo + '|' + EstraeTappaStrada(t).strada;
    };
    EXPECT_EQ(Rilegge(luoghi, luogo), luoghi);
    EXPECT_EQ(EstraeColonneTappa(" 08:00 \t 12,5 km\t\tPartenza  "),
              (QStringList{"08:00", "12,5 km", "", "Partenza"}));
    EXPECT_EQ(EstraeColonneTappa(QString(30, '\t')).size(), kColonneMassimeExport);
}

TEST(Riconoscimento, IntestazioniELimiti) {
    EXPECT_EQ(FamigliaIntestazione({"Travel TIME", "KM", "instruction"}), FamigliaExport::Istruzioni);
    EXPECT_EQ(FamigliaIntestazione({"N.LOCALITÀ", "Direzione", "Distanza"}), FamigliaExport::Localita);
    EXPECT_EQ(FamigliaIntestazione({"Ora", "mi", "Istruzioni"}), FamigliaExport::Nessuna);
    EXPECT_EQ(FamigliaIntestazione({"Località", "Direzione", "Distanza"}), FamigliaExport::Nessuna);
    EXPECT_EQ(LeggiExport(Byte("intestazione_riga15.txt")).tappe.size(), 2);
    // A real header in a file under 151 bytes is still too short.
    const QByteArray corto =
        QByteArray("Ora\tKm\tIstruzioni\r\n08:00\t0\tPartenza Genova\r\n").leftJustified(150, ' ');
    EXPECT_EQ(LeggiExport(corto).famiglia, FamigliaExport::Nessuna);
    EXPECT_EQ(LeggiExport(corto + ' ').famiglia, FamigliaExport::Istruzioni);
}

// The same exit twice is one leg; "1.262,0" groups thousands; 120.5 km rounds to even; the second
// family's column restarts at Innsbruck (40 km).
TEST(Famiglie, IstruzioniInItalianoEInIngleseELocalita) {
    const EsitoExport it = LeggiExport(Byte("istruzioni_it.txt"));
    EXPECT_EQ(it.famiglia, FamigliaExport::Istruzioni);
    EXPECT_EQ(Tappe(it.tappe), R"(MILANO||0|P
MODENA NORD|A1|153|A
LIVORNO|SS12 TRAGH|77|P|TRAGH
INGRESSO IN FRANCIA||20|P
NIZZA|E80|1012|P
FORLÌ|E80|38|P)");
    EXPECT_EQ(Tappe(LeggiExport(Byte("istruzioni_en.txt")).tappe), R"(OSLO||0|P
KRISTIANSAND|E18|80|P
ÅLGÅRD|E39|40|P
HIRTSHALS|E39 TRAGH|60|P|TRAGH
INGRESSO IN DENMARK||10|P
AALBORG||60|P)");
    const EsitoExport loc = LeggiExport(Byte("localita_it.txt"));
    EXPECT_EQ(loc.famiglia, FamigliaExport::Localita);
    EXPECT_EQ(Tappe(loc.tappe), R"(BOLOGNA||0|P
IMOLA|A14\|33|A
RIMINI||85|P
RICCIONE||12|P
CATTOLICA||8|P
BRENNERO||62|P
INGRESSO IN AUSTRIA||0|P
INNSBRUCK|A13\|40|A
SPALATO|TRAGH\|50|P|TRAGH)");
}

TEST(Codifiche, StessiDatiInOgniForma) {
    const QByteArray originale = Byte("istruzioni_it.txt");  // written in Windows-1252, CR LF
    const QList<TappaImportata> attese = LeggiExport(originale).tappe;
    const QString testo = Decodifica1252(originale);
    const QString lf = QString(testo).replace("\r\n", "\n");
    EXPECT_EQ(LeggiExport(testo.toUtf8()).tappe, attese);
    EXPECT_EQ(LeggiExport("\xEF\xBB\xBF" + lf.toUtf8()).tappe, attese);
    EXPECT_EQ(LeggiExport(Codifica1252(lf)).tappe, attese);
}

TEST(FileDanneggiati, NessunCrashNessunaTappaInventata) {
    QByteArray binario(4096, '\0');
    for (int i = 0; i < binario.size(); ++i) binario[i] = char((i * 131) % 256);
    EXPECT_EQ(LeggiExport(binario).famiglia, FamigliaExport::Nessuna);
    // One long line without an end: read once, nothing found.
    EXPECT_TRUE(LeggiExport(QByteArray(5 * 1024 * 1024, 'x')).tappe.isEmpty());
    // Truncated UTF-8, a line with missing columns, non-numeric and absurd distances: "molti" reads
    // 0 km, "9e99999" its leading 9, and a distance that went back 0, never negative.
    const QByteArray rotto =
        QByteArray(
            "Ora\tKm\tIstruzioni\n08:00\t0\tPartenza Genova\n09:00\n09:30\tmolti\tArrivo a Savona\n"
            "10:00\t9e99999\tPresso x, Imperia, su A10\n10:30\t5\tArrivo a Nervi\xC3")
            .leftJustified(200, '\n');
    const QList<TappaImportata> t = LeggiExport(rotto).tappe;
    ASSERT_EQ(t.size(), 4);
    EXPECT_EQ(QList<int>({t[1].km, t[2].km, t[3].km}), QList<int>({0, 9, 0}));
    EXPECT_TRUE(t[3].localita.startsWith("NERVI"));
}

std::string Letto(const QByteArray& xml, FormatoXml formato = FormatoXml::Gpx) {
    const EsitoXml e = LeggiPercorsoXml(xml, formato);
    return e.riconosciuto ? Tappe(e.tappe) : "non riconosciuto";
}

// Oslo to Drammen passes through the unnamed point: 36 km, not the 33 of the straight line.  A
// track's waypoints stand where they lie along it, whatever their order in the file; the road
// comes from <desc> or <cmt>.
TEST(Xml, RottaTracciaESegnaposti) {
    EXPECT_EQ(Letto(Byte("percorso_rotta.gpx")), R"(OSLO||0|P
DRAMMEN|E18|36|P
SANDEFJORD|E18|68|P
KRISTIANSAND|E18 costiera|169|P)");
    EXPECT_EQ(Letto(Byte("traccia_punti.gpx")), R"(PARTENZA||0|P
META|RV4|28|P
ARRIVO|RV4|28|P)");
    EXPECT_EQ(Letto(Byte("percorso.kml"), FormatoXml::Kml), "ROMA||0|P\nFIRENZE|A1|231|P");
    // A leg longer than 999 km is kept whole here: the grid cuts it into pieces.
    EXPECT_EQ(Letto("<gpx><rte><rtept lat='37.5' lon='15.09'><name>Catania</name></rtept>"
                    "<rtept lat='70.66' lon='23.68'><name>Hammerfest</name></rtept></rte></gpx>"),
              "CATANIA||0|P\nHAMMERFEST||3721|P");
}

TEST(Xml, FileSbagliatiOMalformati) {
    const QByteArray gpx = Byte("percorso_rotta.gpx");
    EXPECT_EQ(Letto(gpx, FormatoXml::Kml), "non riconosciuto");
    EXPECT_EQ(Letto(gpx.left(gpx.size() / 2)), "non riconosciuto");
    EXPECT_EQ(Letto("Ora\tKm\tIstruzioni"), "non riconosciuto");
    // Points without usable coordinates are left out; the others still count.
    EXPECT_EQ(Letto("<gpx><wpt lat='x' lon='1'><name>A</name></wpt><wpt lat='95' lon='1'><name>B</name></wpt>"
                    "<wpt lat='45' lon='9'><name>C</name></wpt></gpx>"),
              "C||0|P");
}

}  // namespace
