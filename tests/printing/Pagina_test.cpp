// The printing base: text placement and shrinking, page frame, covers, a PDF written whole or not at all.
#include "printing/Pagina.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "printing/SuperficieQt.h"
#include "printing/SuperficieRegistrata.h"

namespace {

class PaginaTest : public ::testing::Test {
  protected:
    void SetUp() override { SettaFontNamePrinter(s); }
    const PaginaRegistrata& pagina(int i = 0) {
        pagine = s.tutteLePagine();
        return pagine.at(i);
    }
    SuperficieRegistrata s;
    QList<PaginaRegistrata> pagine;
};

// The machine has no "Agency FB": the face read back differs, so the serif fallback is used.  A
// blank text prints nothing and leaves the font alone.
TEST_F(PaginaTest, TextPlacementInItsBandInTheFallbackFont) {
    s.impostaDimensione(11);
    StampaTesto(s, "   ", 50, 10, 100, true, true, 7, Allineamento::Sinistra);
    EXPECT_EQ(s.dimensione() + s.grassetto(), 11);
    const double size = StampaTesto(s, "  Roma  ", 50, 10, 100, true, true, 9, Allineamento::Sinistra);
    StampaTesto(s, "Roma", 60, 10, 100, false, false, 9, Allineamento::Centro);
    StampaTesto(s, "Roma", 70, 10, 100, false, false, 9, Allineamento::Destra);
    const QList<TestoRegistrato>& t = pagina().testi;
    ASSERT_EQ(t.size(), 3);
    EXPECT_DOUBLE_EQ(size, 9);
    EXPECT_EQ(t[0].testo, "Roma");  // trimmed
    EXPECT_EQ(t[0].font, QStringLiteral("Liberation Serif"));
    EXPECT_TRUE(t[0].grassetto && t[0].corsivo && !t[1].grassetto);
    EXPECT_DOUBLE_EQ(t[0].x, 10);
    EXPECT_NEAR(t[0].base(), 50, 1e-9);                      // the text stands on its line
    EXPECT_NEAR(t[1].x + t[1].larghezza / 2, 55 - 1, 1e-9);  // 1 mm left of the centre
    EXPECT_NEAR(t[2].x + t[2].larghezza, 100 - 3, 1e-9);
    // Sizes in millimetres: a 9-point serif line is about 3.6 mm high.
    EXPECT_NEAR(t[0].altezza, 9 * 1.15 * Superficie::kMmPerPunto, 0.3);
    // A wide text shrinks in steps of 0.33 until it fits, and overflows its band below 6 points.
    const double stretto =
        StampaTesto(s, "Castelnuovo di Garfagnana", 80, 10, 40, false, false, 9, Allineamento::Sinistra);
    EXPECT_DOUBLE_EQ(pagina().testi.value(3).dimensione, stretto);
    EXPECT_LT(pagina().testi.value(3).larghezza + 1, 30);
    EXPECT_NEAR(std::fmod(9 - stretto, 0.33), 0, 1e-6);
    const double minima = StampaTesto(s, "Una località dal nome lunghissimo", 90, 10, 20, false, false, 9,
                                      Allineamento::Sinistra);
    EXPECT_LT(minima, 6);
    EXPECT_GT(minima, 6 - 0.34);
    EXPECT_GT(pagina().testi.value(4).larghezza, 10);
}

// The characteristics block only on the first page, pushing its headings down; a footer with no
// page open prints nothing.
TEST_F(PaginaTest, PageFrameOnEveryPage) {
    StatoStampa stato;
    stato.numeroColonne = 14;
    stato.bordi = {0, 12, 18, 66, 84, 92, 97, 107, 117, 127, 137, 145, 153, 161, 200, 161};
    stato.arrotondaBordi();
    const DatiPagina dati{"Roma e dintorni", "Italia", "Zavetra - Voviva", QDate(2026, 12, 6)};
    bool primo = true;
    int blocchi = 0;
    const auto blocco = [&] { ++blocchi, stato.rigaCorrente += 40; };
    StampaIntestaPagina(s, stato, dati, primo, blocco);
    EXPECT_FLOAT_EQ(stato.rigaCorrente, 22 + 40 - 1 + 6 + stato.altezzaRiga);
    StampaFinePagina(s, stato, dati);
    StampaFinePagina(s, stato, dati);
    StampaIntestaPagina(s, stato, dati, primo, blocco);
    StampaFinePagina(s, stato, dati);
    s.fineDocumento();
    EXPECT_EQ(blocchi, 1);
    const QList<PaginaRegistrata> p = s.tutteLePagine();
    ASSERT_EQ(p.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const PaginaRegistrata& pg = p.at(i);
        EXPECT_EQ(pg.elencoTesti().mid(0, 3),
                  QStringList({"Roma e dintorni", "Italia", QStringLiteral("Pagina: 0%1").arg(i + 1)}));
        const TestoRegistrato* titolo = pg.cerca("Zavetra - Voviva");
        ASSERT_TRUE(titolo && pg.cerca("06/12/2026"));
        EXPECT_NEAR(titolo->x + titolo->larghezza, 200 - 3, 1e-6);
        // The page border closes above the footer.
        EXPECT_TRUE(pg.linee.last().box && !pg.linee.last().riempito && pg.linee.last().y2 < titolo->y);
    }
    EXPECT_GT(p.at(0).cerca("N.")->y, p.at(1).cerca("N.")->y + 30);
}

// A long name on two lines inside the margins, a trailing year on its own; the booklet's chosen
// entries, or "Zavetra" alone on a section cover.
TEST_F(PaginaTest, CoverWithLongNameAndTrailingYear) {
    StampaFrontespizio(s, 1, "Giro delle capitali del nord Europa 2026", {true, false, true, true},
                       "01/07/2026 - 15/07/2026");
    StampaFrontespizio(s, 0, "Roma", {true, true, true, true}, "x");
    s.fineDocumento();
    const QList<PaginaRegistrata> p = s.tutteLePagine();
    ASSERT_EQ(p.size(), 2);
    EXPECT_EQ(p.at(0).elencoTesti(),
              QStringList({"Giro delle capitali", "del nord Europa", "2026", "Mappe città", "Lunoro",
                           "Zavetra", "01/07/2026 - 15/07/2026"}));
    const QList<TestoRegistrato>& t = p.at(0).testi;
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(t[i].x > 16 && t[i].x + t[i].larghezza < 195);
        EXPECT_GE(t[i].y, i > 0 ? t[i - 1].base() : 0);  // lines do not overlap
    }
    EXPECT_EQ(p.at(1).elencoTesti(), QStringList({"Roma", "Zavetra", "x"}));
}

// Two pages without a trailing blank one; an abandoned job leaves the old file as it was and
// nothing beside it; a folder that does not exist is a failure said in words.
TEST(SuperficieQtTest, PdfIsWrittenWholeOrNotAtAll) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("prova.pdf");
    auto s = SuperficieQt::suPdf(pdf);
    SettaFontNamePrinter(*s);
    StampaTesto(*s, "Prima", 20, 10, 100, false, false, 12, Allineamento::Sinistra);
    s->nuovaPagina();
    StampaTesto(*s, "Seconda", 20, 10, 100, false, false, 12, Allineamento::Sinistra);
    s->nuovaPagina();
    EXPECT_TRUE(s->fineDocumento());
    EXPECT_EQ(test::paginePdf(pdf), 2);
    const qint64 scritti = QFileInfo(pdf).size();
    auto abbandonato = SuperficieQt::suPdf(pdf);
    StampaTesto(*abbandonato, "Abbandonata", 20, 10, 100, false, false, 12, Allineamento::Sinistra);
    abbandonato->abbandonaDocumento();
    EXPECT_EQ(QFileInfo(pdf).size(), scritti);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"prova.pdf"});
    auto manca = SuperficieQt::suPdf(dir.filePath("manca/prova.pdf"));
    StampaTesto(*manca, "x", 20, 10, 100, false, false, 12, Allineamento::Sinistra);
    EXPECT_FALSE(manca->fineDocumento());
    EXPECT_TRUE(manca->errore().startsWith("Impossibile scrivere il file PDF"));
}

}  // namespace
