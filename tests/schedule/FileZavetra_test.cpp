// The two text files of a printed schedule, byte for byte, from hand-made schedule grids laid out
// as the engine writes them (columns 0 to 14, row 0 the headers).
#include "schedule/FileZavetra.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "common/Griglia.h"
#include "common/StampaTesti.h"

namespace {

const QByteArray kIntestazione =
    "Num.\tLocalit\xe0\tN.Str\tKm.\tTs\tPr/Km\tTempo\tSosta\tG.Sett\tData\tOra\tNote\r\n";

// One day of a trip that crosses into Hungary: driving rows, a leg still under way, a halt, a
// new-day row, a rest mark, the border crossing and places with compass words.
Griglia GrigliaViaggio() {
    Griglia g(1, 15);  // rows from their cells 0..14 separated by tabs
    g.aggiungiRiga("1\tRoma [Start]\tA1 \t\tA\t\t\t\t\tLun\t01/07\t08:00\t");
    g.aggiungiRiga("2\tverso: Firenze\tA1\t450\tA\t450\t04:30\t\t\tLun\t01/07\t12:30\tPranzo");
    g.aggiungiRiga("3\tFirenze\tA1\t30\tA\t480\t00:20\t\t\tLun\t01/07\t14:20\t");
    g.aggiungiRiga("\t > Duomo; \"cupola\"\t\t\t\t\t\t01:00\t00:45\tLun\t01/07\t15:05\tMonumento");
    g.aggiungiRiga("\t > Partenza mattino successivo\t\t\t\t\t\t\t\tMar\t02/07\t08:00\tNuovo giorno");
    g.aggiungiRiga("\t*Riposo\t\t\t\t\t\t\t\t\t\t\t");
    g.aggiungiRiga("\t\\\t\t\t\t\t\t\t\t\t\t\t");
    g.aggiungiRiga("4\tAncona\tA14\t250\tA\t730\t02:30\t\t\tMar\t02/07\t10:30\t");
    g.aggiungiRiga("5\tINGRESSO IN  Ungheria \tM7\t700\tA\t1.430\t07:00\t\t\tMar\t02/07\t19:00\tCena");
    g.aggiungiRiga("6\tBudapest\tM1\t20\tS\t1.450\t00:20\t\t\tMer\t03/07\t08:20\t");
    g.aggiungiRiga("7\tGyőr Nord\tM1\t120\tA\t1.570\t01:20\t\t\tMer\t03/07\t09:40\t");
    g.aggiungiRiga("8\tCittà di Castello\tE45\t900\tA\t2.470\t09:00\t\t\tGio\t04/07\t18:40\t");
    return g;
}

TEST(FileZavetra, CamptablUndiciCampiEListaLocalitaConNazioni) {
    QTemporaryDir dir;
    const EsitoFileZavetra esito =
        ScriviFileZavetra(GrigliaViaggio(), " Cit\ttà ", dir.path());  // a tab: a blank
    ASSERT_TRUE(esito.riuscito());
    EXPECT_EQ(esito.camptabl, QDir::toNativeSeparators(dir.filePath("Camptabl.txt")));
    EXPECT_EQ(esito.listaLocalita, QDir::toNativeSeparators(dir.filePath("ListaLocalita.txt")));
    EXPECT_EQ(MessaggioFileScritti(esito), "Stampa dei file: \r\n\r\n" + esito.camptabl + "\r\n" +
                                               esito.listaLocalita + "\r\n\r\ncompletata!");
    const QByteArray atteso = " Cit t\xe0 \r\n\r\n" + kIntestazione +
                              "1\tRoma [Start]\tA1\t\tA\t\t\t\t\tLun\t01/07\t\r\n"
                              "2\tverso: Firenze\tA1\t450\tA\t450\t04:30\t\t\tLun\t01/07\t\r\n"
                              "3\tFirenze\tA1\t30\tA\t480\t00:20\t\t\tLun\t01/07\t\r\n"
                              "\t> Duomo; \"cupola\"\t\t\t\t\t\t01:00\t00:45\tLun\t01/07\t\r\n"
                              "\t> Partenza mattino successivo\t\t\t\t\t\t\t\tMar\t02/07\t\r\n"
                              "\t*Riposo\t\t\t\t\t\t\t\t\t\t\r\n"
                              "\t\\\t\t\t\t\t\t\t\t\t\t\r\n"
                              "4\tAncona\tA14\t250\tA\t730\t02:30\t\t\tMar\t02/07\t\r\n"
                              "5\tINGRESSO IN  Ungheria\tM7\t700\tA\t1.430\t07:00\t\t\tMar\t02/07\t\r\n"
                              "6\tBudapest\tM1\t20\tS\t1.450\t00:20\t\t\tMer\t03/07\t\r\n"
                              "7\tGy?r Nord\tM1\t120\tA\t1.570\t01:20\t\t\tMer\t03/07\t\r\n"
                              "8\tCitt\xe0 di Castello\tE45\t900\tA\t2.470\t09:00\t\t\tGio\t04/07\t\r\n";
    EXPECT_EQ(test::leggiFile(dir.filePath("Camptabl.txt")), atteso);
    // The locality list skips halts, new days, rest marks, "\" and "verso" rows and lists Ancona;
    // the border crossing changes the country without a line; Budapest loses EST and Győr NORD.
    const QByteArray lista =
        "'Nazione\tLocalit\xe0\r\n"
        "Italia\tRoma [Start]\r\n"
        "Italia\tFirenze\r\n"
        "Italia\tAncona\r\n"
        "Ungheria\tBudap\r\n"
        "Ungheria\tGy?r \r\n"
        "Ungheria\tCitt\xe0 di Castello\r\n";
    EXPECT_EQ(test::leggiFile(dir.filePath("ListaLocalita.txt")), lista);
    // Into a folder that is not there: both files named in the error.
    const EsitoFileZavetra fallito = ScriviFileZavetra(GrigliaViaggio(), "Roma", dir.filePath("manca"));
    EXPECT_FALSE(fallito.riuscito());
    EXPECT_TRUE(fallito.errore.contains(fallito.camptabl) && fallito.errore.contains(fallito.listaLocalita));
}

// The country after a border crossing ("IN " optional); compass words removed anywhere in a
// word, whatever the case.
TEST(FileZavetra, NazioneEPuntiCardinali) {
    for (const char* caso :
         {"Ingresso in Austria|Austria", "INGRESSO IN   Francia  |Francia", "INGRESSO  Svizzera|Svizzera"})
        EXPECT_EQ(NazioneDopoIngresso(QString(caso).section('|', 0, 0)), QString(caso).section('|', 1))
            << caso;
    for (const char* caso :
         {"Budapest|Budap", "Milano Ovest|Milano ", "Vestone sud|Vone ", "Nordovest|", "Ancona|Ancona"})
        EXPECT_EQ(TogliPuntiCardinali(QString(caso).section('|', 0, 0)), QString(caso).section('|', 1))
            << caso;
}

}  // namespace
