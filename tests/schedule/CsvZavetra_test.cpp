// The schedule grid as a ";"-separated UTF-8 file: quoting, the columns written, the header row.
#include "schedule/CsvZavetra.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "TestSupport.h"
#include "common/Griglia.h"
#include "common/StampaTesti.h"

namespace {

// Quoted only for a ";", a quote or a line break (blanks, tabs and commas are plain characters for
// a ";" file); a cell a spreadsheet would take for a formula gets an apostrophe, negative times not.
TEST(CsvZavetra, CampiQuotatiSoloQuandoServeEFormuleConApostrofo) {
    const QList<QPair<QString, QString>> casi = {
        {"Firenze", "Firenze"},
        {"", ""},
        {" > Duomo, \tcupola ", " > Duomo, \tcupola "},
        {"Pranzo [Km 450; soste per ore 01:00]", "\"Pranzo [Km 450; soste per ore 01:00]\""},
        {"Chiesa \"San Marco\"", "\"Chiesa \"\"San Marco\"\"\""},
        {"a\r\nb", "\"a\r\nb\""},
        {"\"", "\"\"\"\""},
        {"=SOMMA(A1)", "'=SOMMA(A1)"},
        {"+39 06", "'+39 06"},
        {"@x", "'@x"},
        {"-x;y", "\"'-x;y\""},
        {"-1:09:59", "-1:09:59"},
        {"-", "-"},
        {"a=b", "a=b"},
    };
    for (const auto& [campo, atteso] : casi) EXPECT_EQ(CampoCsv(campo), atteso) << campo.toStdString();
    EXPECT_EQ(RigaCsv({"", "a;b", "", ""}), ";\"a;b\";;");
    EXPECT_EQ(RigaCsv({}), QString());
}

TEST(CsvZavetra, IntestazioneEOgniRigaColonneDa0a13) {
    Griglia g(1, 15);
    g.impostaIntestazioni({"Num.", "Tappa", "Num. Strada", "Km.", "Ts", "Km/pr", "Tempo", "Itinerario",
                           "Guida", "Gs", "Data", "Ore", "Note", "", "nascosta"});
    g.aggiungiRiga(
        QStringLiteral("1\tBudapest\tM1\t20\tS\t1.450\t00:20\t\t\tMer\t03/07\t08:20\t"
                       "Pranzo [Km 20 in ore 00:20; sosta ore 00:45]\t>03/07-08:20\tX"));
    g.aggiungiRiga("\t > Città \"vecchia\"\t\t\t\t\t\t01:00\t00:45\tMer\t03/07\t09:05\tMonumento");
    g.aggiungiRiga(QString());
    g.aggiungiRiga(QString());
    ASSERT_TRUE(g.impostaTesto(4, 1, "\t\tKm.     2.470  \tGuida 1:03:40 (1:03:40)"));
    const QByteArray atteso =
        "Num.;Tappa;Num. Strada;Km.;Ts;Km/pr;Tempo;Itinerario;Guida;Gs;Data;Ore;Note;\r\n"
        "1;Budapest;M1;20;S;1.450;00:20;;;Mer;03/07;08:20;\"Pranzo [Km 20 in ore 00:20; sosta ore 00:45]\";"
        ">03/07-08:20\r\n"
        ";\" > Citt\xc3\xa0 \"\"vecchia\"\"\";;;;;;01:00;00:45;Mer;03/07;09:05;Monumento;\r\n"
        ";;;;;;;;;;;;;\r\n"
        ";\t\tKm.     2.470  \tGuida 1:03:40 (1:03:40);;;;;;;;;;;;\r\n";
    EXPECT_EQ(QString::fromUtf8(CsvZavetra(g)).toStdString(), QString::fromUtf8(atteso).toStdString());
    QTemporaryDir dir;
    const QString percorso = dir.filePath("zavetra.csv");
    ASSERT_TRUE(ScriviCsvZavetra(g, percorso));
    EXPECT_EQ(test::leggiFile(percorso), atteso);
    EXPECT_FALSE(ScriviCsvZavetra(g, dir.filePath("manca/zavetra.csv")));
    // A grid with fewer columns still gives fourteen fields a row.
    Griglia stretta(2, 3);
    stretta.impostaTesto(1, 0, "1");
    EXPECT_EQ(CsvZavetra(stretta), QByteArray(";;;;;;;;;;;;;\r\n1;;;;;;;;;;;;;\r\n"));
}

}  // namespace
