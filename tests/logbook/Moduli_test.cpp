// The logbook pages on the recording surface, the print cycle with its question, cancel and marker,
// and once on paper: a PDF written whole, or not at all when the print is cancelled.
#include "logbook/Moduli.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "common/Dialoghi.h"
#include "common/Progresso.h"
#include "logbook/BatchModuli.h"
#include "logbook/CicloStampa.h"
#include "printing/SuperficieQt.h"
#include "printing/SuperficieRegistrata.h"

namespace {

const GeometriaModuli g = GeometriaModuli::da(Superficie::kAltezzaA4);

// A stop request that comes after the given number of pages.
class StopDopo : public ProgressoMemoria {
  public:
    explicit StopDopo(int pagine) : pagine_(pagine) {}
    bool stopRichiesto() const override { return ++chiamate_ >= pagine_; }

  private:
    int pagine_;
    mutable int chiamate_ = 0;
};

// Which of the texts the page carries, "|"-joined.
QString Trovati(const PaginaRegistrata& p, const QStringList& testi) {
    QStringList l;
    for (const QString& t : testi)
        if (p.cerca(t)) l << t;
    return l.join('|');
}

}  // namespace

// Pages printed through the whole cycle, as a launched print does.
class ModuliTest : public ::testing::Test {
  protected:
    QList<PaginaRegistrata> stampa(const DatiModuli& d) {
        esito = CiclodiStampa(s, d, true, dialoghi, progresso, cartella.path());
        return s.tutteLePagine();
    }
    QByteArray marcatore() const { return test::leggiFile(QDir(cartella.path()).filePath(kFileFineStampa)); }
    SuperficieRegistrata s;
    QTemporaryDir cartella;
    DialoghiScriptati dialoghi;
    ProgressoMemoria progresso;
    EsitoCiclo esito;
};

TEST(StampaTestoModuli, ShrinksByFourTenthsUntilItFitsInsideTheBand) {
    SuperficieRegistrata s;
    kestrin::SettaFontNamePrinter(s);
    EXPECT_EQ(s.nomeFont(), QStringLiteral("Liberation Serif"));  // the serif fallback
    const double size = kestrin::StampaTesto(s, "Castelnuovo di Garfagnana", 50, 10, 40, true, false, 12,
                                             Allineamento::Destra);
    const TestoRegistrato& t = s.tutteLePagine().at(0).testi.at(0);
    EXPECT_NEAR(std::fmod(12 - size, 0.4), 0, 1e-6);
    EXPECT_LT(t.larghezza, 40 - 10.3);
    s.impostaDimensione(size + 0.4);  // the step before did not fit
    EXPECT_GE(s.larghezzaTesto(t.testo), 40 - 10.3);
    EXPECT_NEAR(t.x + t.larghezza, 37, 1e-9);
    EXPECT_NEAR(t.base(), 50, 1e-9);
    // A band that nothing fits in still ends the shrinking.
    EXPECT_GT(kestrin::StampaTesto(s, "Impossibile", 60, 10, 10.2, false, false, 8, Allineamento::Centro),
              1.5);
}

// A long destination wraps into lines of at most 160 mm, centred and 26.4 mm apart; a single word
// wider than a line is shrunk on its own line.
TEST_F(ModuliTest, CoverWrapsALongDestination) {
    const DatiModuli d = ModuliDelPeriodo("ESCURSIONE AI FIORDI NORVEGESI E A CAPO NORD", QDate(2026, 7, 1),
                                          QDate(2026, 7, 31));
    const PaginaRegistrata copertina = stampa(d).at(0);
    QStringList righe;
    for (const TestoRegistrato& t : copertina.testi)
        if (qFuzzyCompare(t.dimensione, 48)) {
            EXPECT_LT(t.larghezza, 160);
            EXPECT_NEAR(t.base(), g.BOT / 2 + righe.size() * 26.4, 1e-6);
            EXPECT_NEAR(t.x + t.larghezza / 2, 101.5, 1e-6);  // centred in 25..180, 1 mm left
            righe << t.testo;
        }
    EXPECT_GE(righe.size(), 3);
    EXPECT_EQ(righe.join(' '), d.destinazione);
    EXPECT_EQ(Trovati(copertina, {"01/07 - 31/07/2026", RigaCrediti()}),
              "01/07 - 31/07/2026|" + RigaCrediti());

    const QString parola = QStringLiteral("LLANFAIRPWLLGWYNGYLLGOGERYCHWYRNDROBWLL");
    const PaginaRegistrata altra =
        stampa(ModuliDelPeriodo("A " + parola + " B", QDate(2026, 7, 1), QDate(2026, 7, 1))).at(32);
    const TestoRegistrato* lunga = altra.cerca(parola);
    ASSERT_TRUE(lunga);
    EXPECT_TRUE(lunga->dimensione < 48 && lunga->larghezza < 155);
    EXPECT_TRUE(altra.cerca("A") && altra.cerca("B"));
}

// 1 July 2026 is a Wednesday, 31 July a Friday.
TEST_F(ModuliTest, FirstAndLastDayOfAThirtyOneDayPeriod) {
    const QList<PaginaRegistrata> pagine =
        stampa(ModuliDelPeriodo("CAPO NORD", QDate(2026, 7, 1), QDate(2026, 7, 31)));
    ASSERT_EQ(pagine.size(), 32);
    const PaginaRegistrata& p = pagine.at(1);
    EXPECT_EQ(Trovati(p, {"Giorno 1 di 31", "Partenza", "Ieri", "Me", "01/07 - 31/07/2026", "CAPO NORD",
                          "Meta del viaggio"}),
              "Giorno 1 di 31|Partenza|Me|01/07 - 31/07/2026|CAPO NORD");
    EXPECT_EQ(Trovati(pagine.last(), {"Giorno 31 di 31", "Ieri", "Ve", "31", "07"}),
              "Giorno 31 di 31|Ieri|Ve|31|07");
    EXPECT_TRUE(esito.marcatoreScritto);
    // The tick boxes: five stays, "Gratis", six services and four vehicle checks, 3 mm and white.
    int caselle = 0;
    for (const LineaRegistrata& l : p.linee)
        caselle += l.box && qFuzzyCompare(l.x2 - l.x1, 3.0) && qFuzzyCompare(l.y2 - l.y1, 3.0) &&
                   l.colore == 0xFFFFFF;
    EXPECT_EQ(caselle, 16);
}

TEST_F(ModuliTest, FiveBlankPagesCarryLabelsInsteadOfDates) {
    const QList<PaginaRegistrata> pagine = stampa(ModuliInBianco(5));
    ASSERT_EQ(pagine.size(), 6);
    EXPECT_EQ(Trovati(pagine.at(0), {"in bianco", "Meta del viaggio", "Periodo"}),
              "Meta del viaggio|Periodo");
    for (int i = 1; i <= 5; ++i) {
        const PaginaRegistrata& p = pagine.at(i);
        EXPECT_EQ(Trovati(p, {"Numero progressivo pagina", "settimana", "in bianco"}),
                  "Numero progressivo pagina|settimana");
        for (const QString& t : p.elencoTesti()) {
            EXPECT_FALSE(t.startsWith("Giorno ") && t.contains(" di ")) << t.toStdString();
            EXPECT_FALSE(t.contains(QRegularExpression("\\d/\\d"))) << t.toStdString();
        }
    }
}

TEST_F(ModuliTest, LegendPiecesEachFollowedByARuleAndTheCreditOnTwoLines) {
    const PaginaRegistrata p = stampa(ModuliInBianco(1)).at(1);
    QList<const TestoRegistrato*> pezzi;
    for (const TestoRegistrato& t : p.testi)
        if (std::abs(t.base() - (g.BOT - 0.5)) < 1e-6) pezzi << &t;
    ASSERT_EQ(pezzi.size(), 11);
    EXPECT_EQ(pezzi.last()->testo, "V=Varie");
    for (int i = 1; i < pezzi.size(); ++i)
        EXPECT_NEAR(pezzi[i]->x, pezzi[i - 1]->x + pezzi[i - 1]->larghezza + 1.5, 1e-6);
    int regole = 0;
    for (const LineaRegistrata& l : p.linee)
        if (!l.box && qFuzzyCompare(l.y1, g.BOT - g.s) && qFuzzyCompare(l.y2, g.BOT)) ++regole;
    EXPECT_EQ(regole, 11);
    EXPECT_EQ(Trovati(p, {RigaCrediti().section(" - by", 0, 0), "- by Voviva"}).count('|'), 1);  // two lines
}

TEST_F(ModuliTest, QuestionWhenTheUserStartsThePrint) {
    const EsitoCiclo no = CiclodiStampa(s, ModuliInBianco(3), false, dialoghi, progresso, cartella.path());
    EXPECT_FALSE(no.confermato);
    EXPECT_TRUE(s.tutteLePagine().isEmpty());
    EXPECT_EQ(marcatore(), "Fatto\r\n");
    ASSERT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_TRUE(dialoghi.mostrati[0].testo.contains("Pagine: . . . . . . . . 3\r"));

    dialoghi.risposte = {Risposta::Si};
    const EsitoCiclo si = CiclodiStampa(s, ModuliInBianco(3), false, dialoghi, progresso, cartella.path());
    EXPECT_TRUE(si.riuscito());
    EXPECT_EQ(s.documenti.size(), 1);
    EXPECT_EQ(s.documenti[0].pagine.size(), 4);
    EXPECT_EQ(progresso.ultimaDidascalia, "");  // the caption is emptied at the end
}

TEST_F(ModuliTest, CancelAfterPageTwoAbandonsTheDocumentAndStillLeavesTheMarker) {
    StopDopo stop(2);
    const EsitoCiclo e = CiclodiStampa(s, ModuliDelPeriodo("ROMA", QDate(2026, 7, 1), QDate(2026, 7, 10)),
                                       true, dialoghi, stop, cartella.path());
    EXPECT_TRUE(e.annullato);
    EXPECT_EQ(e.pagineGiorno, 2);
    ASSERT_EQ(s.documenti.size(), 1);
    EXPECT_TRUE(s.documenti[0].abbandonato);
    EXPECT_EQ(s.documenti[0].pagine.size(), 3);  // cover and two day pages, all discarded
    EXPECT_EQ(marcatore(), "Fatto\r\n");
}

TEST_F(ModuliTest, PrinterFailureIsReportedAndTheJobDiscarded) {
    s.guastaAllaPagina = true;
    s.paginaGuasta = 3;
    stampa(ModuliInBianco(5));
    EXPECT_FALSE(esito.riuscito());
    EXPECT_FALSE(esito.errore.isEmpty());
    EXPECT_LT(esito.pagineGiorno, 5);
    EXPECT_TRUE(esito.marcatoreScritto);
}

TEST(CicloStampa, OnPaperAWholePdfOrNone) {
    QTemporaryDir cartella;
    const QString zavetra = QDir(cartella.path()).filePath("viaggio.pdf");
    QString errore;
    EXPECT_EQ(StampaModuliAccanto(zavetra, "CAPO NORD", QDate(2026, 7, 3), QDate(2026, 7, 1), &errore), "");
    EXPECT_TRUE(errore.contains("precede"));
    const QString pdf =
        StampaModuliAccanto(zavetra, "CAPO NORD", QDate(2026, 7, 1), QDate(2026, 7, 3), &errore);
    ASSERT_EQ(pdf, QDir(cartella.path()).filePath("viaggio-moduli.pdf")) << errore.toStdString();
    const QString testo = test::testoPdf(pdf);
    EXPECT_EQ(testo.count(QChar('\f')), 4);  // cover and three day pages
    for (const char* t : {"Giorno 3 di 3", "CAPO NORD", "Pernottamento"}) EXPECT_TRUE(testo.contains(t)) << t;
    EXPECT_FALSE(QFile::exists(QDir(cartella.path()).filePath(kFileFineStampa)));  // no marker asked

    const QString annullato = QDir(cartella.path()).filePath("annullato.pdf");
    auto s = SuperficieQt::suPdf(annullato);
    DialoghiScriptati dialoghi;
    StopDopo stop(2);
    EXPECT_TRUE(CiclodiStampa(*s, ModuliInBianco(4), true, dialoghi, stop, {}).annullato);
    s.reset();
    EXPECT_EQ(QDir(cartella.path()).entryList(QDir::Files), QStringList{"viaggio-moduli.pdf"});
}
