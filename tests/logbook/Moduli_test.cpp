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

// The box with these corners, or nullptr.
const LineaRegistrata* CercaBox(const PaginaRegistrata& p, double x1, double y1, double x2, double y2) {
    for (const LineaRegistrata& l : p.linee)
        if (l.box && qFuzzyCompare(l.x1 + 1, x1 + 1) && qFuzzyCompare(l.y1 + 1, y1 + 1) &&
            qFuzzyCompare(l.x2 + 1, x2 + 1) && qFuzzyCompare(l.y2 + 1, y2 + 1))
            return &l;
    return nullptr;
}

// A stop request that comes after the given number of pages.
class StopDopo : public ProgressoMemoria {
  public:
    explicit StopDopo(int pagine) : pagine_(pagine) {}
    bool stopRichiesto() const override { return ++chiamate_ >= pagine_; }

  private:
    int pagine_;
    mutable int chiamate_ = 0;
};

QString Pdftotext(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

// Pages printed through the whole cycle, as a launched print does.
class ModuliTest : public ::testing::Test {
  protected:
    QList<PaginaRegistrata> stampa(const DatiModuli& d) {
        DialoghiScriptati dialoghi;
        ProgressoMemoria progresso;
        esito = CiclodiStampa(s, d, true, dialoghi, progresso, cartella.path());
        return s.tutteLePagine();
    }
    SuperficieRegistrata s;
    QTemporaryDir cartella;
    EsitoCiclo esito;
};

TEST(GeometriaModuli, LandmarksFromThePrintableHeight) {
    EXPECT_DOUBLE_EQ(g.BOT, 287);
    EXPECT_DOUBLE_EQ(g.MID, 247);
    EXPECT_DOUBLE_EQ(g.LOW, 217);
    EXPECT_DOUBLE_EQ(g.s, 5);
}

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

TEST_F(ModuliTest, CoverWrapsALongDestination) {
    const DatiModuli d = ModuliDelPeriodo("ESCURSIONE AI FIORDI NORVEGESI E A CAPO NORD", QDate(2026, 7, 1),
                                          QDate(2026, 7, 31));
    const PaginaRegistrata copertina = stampa(d).at(0);
    const LineaRegistrata* cornice = CercaBox(copertina, 15, 15, 195, g.BOT);
    ASSERT_TRUE(cornice);
    EXPECT_FALSE(cornice->riempito);
    EXPECT_DOUBLE_EQ(cornice->spessoreMm, 8 * 0.05);
    ASSERT_EQ(copertina.immagini.size(), 2);
    EXPECT_EQ(copertina.immagini.at(0).rettangolo, QRectF(22, 20, 15, 15));
    EXPECT_EQ(copertina.immagini.at(1).rettangolo, QRectF(170, 19, 18, 18));

    QList<TestoRegistrato> righe;
    for (const TestoRegistrato& t : copertina.testi)
        if (qFuzzyCompare(t.dimensione, 48)) righe << t;
    ASSERT_GE(righe.size(), 3);
    QStringList parole;
    for (int i = 0; i < righe.size(); ++i) {
        EXPECT_TRUE(righe[i].grassetto);
        EXPECT_LT(righe[i].larghezza, 160);
        EXPECT_NEAR(righe[i].base(), g.BOT / 2 + i * 26.4, 1e-6);
        EXPECT_NEAR(righe[i].x + righe[i].larghezza / 2, 101.5, 1e-6);  // centred in 25..180, 1 mm left
        parole << righe[i].testo;
    }
    EXPECT_EQ(parole.join(' '), d.destinazione);
    const TestoRegistrato* periodo = copertina.cerca("01/07 - 31/07/2026");
    ASSERT_TRUE(periodo);
    EXPECT_NEAR(periodo->base(), g.BOT - 20, 1e-6);
    EXPECT_DOUBLE_EQ(periodo->dimensione, 24);
    const TestoRegistrato* titolo = copertina.cerca("Lunoro");
    ASSERT_TRUE(titolo);
    EXPECT_NEAR(titolo->base(), g.BOT - 55, 1e-6);
    const TestoRegistrato* crediti = copertina.cerca(RigaCrediti());
    ASSERT_TRUE(crediti);
    EXPECT_TRUE(crediti->corsivo);
    EXPECT_NEAR(crediti->base(), g.BOT - 5, 1e-6);
}

TEST_F(ModuliTest, SingleWordWiderThanTheLineIsShrunkOnItsOwnLine) {
    const QString parola = QStringLiteral("LLANFAIRPWLLGWYNGYLLGOGERYCHWYRNDROBWLL");
    const QList<PaginaRegistrata> pagine =
        stampa(ModuliDelPeriodo("A " + parola + " B", QDate(2026, 7, 1), QDate(2026, 7, 1)));
    EXPECT_TRUE(esito.riuscito());
    ASSERT_EQ(pagine.size(), 2);
    const TestoRegistrato* lunga = pagine.at(0).cerca(parola);
    ASSERT_TRUE(lunga);
    EXPECT_LT(lunga->dimensione, 48);
    EXPECT_LT(lunga->larghezza, 155);
    EXPECT_TRUE(pagine.at(0).cerca("A") && pagine.at(0).cerca("B"));
}

TEST_F(ModuliTest, DatedDayPageOfAOneDayPeriod) {
    const QList<PaginaRegistrata> pagine =
        stampa(ModuliDelPeriodo("ROMA", QDate(2026, 7, 1), QDate(2026, 7, 1)));
    ASSERT_EQ(pagine.size(), 2);
    const PaginaRegistrata& p = pagine.at(1);
    const TestoRegistrato* contatore = p.cerca("Giorno 1 di 1");
    ASSERT_TRUE(contatore);
    EXPECT_NEAR(contatore->base(), 33, 1e-6);
    EXPECT_DOUBLE_EQ(contatore->dimensione, 12);
    EXPECT_TRUE(p.cerca("Partenza"));
    EXPECT_FALSE(p.cerca("Ieri"));
    const TestoRegistrato* settimana = p.cerca("Me");
    ASSERT_TRUE(settimana);
    EXPECT_NEAR(settimana->base(), 25, 1e-6);
    EXPECT_TRUE(settimana->grassetto);
    const TestoRegistrato* giorno = p.cerca("01");
    ASSERT_TRUE(giorno);
    EXPECT_NEAR(giorno->x + giorno->larghezza, 186 - 3, 1e-6);
    const TestoRegistrato* mese = p.cerca("07");
    ASSERT_TRUE(mese);
    EXPECT_NEAR(mese->x + mese->larghezza, 196 - 3, 1e-6);
    EXPECT_TRUE(p.cerca("01/07 - 01/07/2026") && p.cerca("ROMA"));
    EXPECT_FALSE(p.cerca("Meta del viaggio"));

    // The boxes with their fills, line width 5.
    struct Atteso {
        double x1, y1, x2, y2;
        Colore fondo;
    };
    const double B = g.BOT, L = g.LOW, s = g.s;
    const Atteso boxes[] = {{10, 14, 195, 41, 0xFFFFFF},
                            {28, 5, 195, 13, 0xC0FFFF},
                            {10, 14, 110, 20, 0xC0FFC0},
                            {145, 14, 165, 19, 0xC0FFFF},
                            {165, 14, 195, 26, 0xC0FFC0},
                            {10, 42, 195, 49, 0xFFFFC0},
                            {129.5, 35, 150, 41, 0xFFE0C0},
                            {10, 49.5, 195, B, 0xFFFFFF},
                            {10, L - 5, 195, L, 0xFFE0C0},
                            {10, L, 28, L + 8, 0xC0FFC0},
                            {28, L, 195, L + 5, 0xC0FFC0},
                            {10, B - 8 * s, 70, B - 7 * s, 0xC0FFC0},
                            {70, B - 8 * s, 195, B - 7 * s, 0xFFFFC0},
                            {10, B - 3 * s, 70, B - 2 * s, 0xC0FFC0},
                            {10, B - s, 195, B, 0xC0FFFF}};
    for (const Atteso& a : boxes) {
        const LineaRegistrata* box = CercaBox(p, a.x1, a.y1, a.x2, a.y2);
        ASSERT_TRUE(box) << a.x1 << "," << a.y1 << " " << a.x2 << "," << a.y2;
        EXPECT_TRUE(box->riempito);
        EXPECT_EQ(box->colore, a.fondo) << a.x1 << "," << a.y1;
        EXPECT_DOUBLE_EQ(box->spessoreMm, 5 * 0.05);
    }
    // The tick boxes: five stays, "Gratis", six services and four vehicle checks, 3 mm and white.
    int caselle = 0;
    for (const LineaRegistrata& l : p.linee)
        if (l.box && qFuzzyCompare(l.x2 - l.x1, 3.0) && qFuzzyCompare(l.y2 - l.y1, 3.0) &&
            l.colore == 0xFFFFFF)
            ++caselle;
    EXPECT_EQ(caselle, 16);
    EXPECT_TRUE(CercaBox(p, 24, L + 26, 27, L + 29));
    EXPECT_TRUE(CercaBox(p, 22.1 + 5 * 14.8 + 9.7, 36, 22.1 + 5 * 14.8 + 12.7, 39));
    ASSERT_EQ(p.immagini.size(), 2);
    EXPECT_EQ(p.immagini.at(1).rettangolo, QRectF(18, 5, 8, 8));
}

TEST_F(ModuliTest, LastDayOfAThirtyOneDayPeriod) {
    const QList<PaginaRegistrata> pagine =
        stampa(ModuliDelPeriodo("CAPO NORD", QDate(2026, 7, 1), QDate(2026, 7, 31)));
    ASSERT_EQ(pagine.size(), 32);
    const PaginaRegistrata& p = pagine.last();
    EXPECT_TRUE(p.cerca("Giorno 31 di 31"));
    EXPECT_TRUE(p.cerca("Ieri"));
    EXPECT_TRUE(p.cerca("Ve"));  // 31 July 2026 is a Friday
    EXPECT_TRUE(p.cerca("31"));
    EXPECT_TRUE(p.cerca("07"));
    EXPECT_TRUE(esito.marcatoreScritto);
}

TEST_F(ModuliTest, FiveBlankPagesCarryLabelsInsteadOfDates) {
    const QList<PaginaRegistrata> pagine = stampa(ModuliInBianco(5));
    ASSERT_EQ(pagine.size(), 6);
    EXPECT_FALSE(pagine.at(0).cerca("in bianco"));
    EXPECT_TRUE(pagine.at(0).cerca("Meta del viaggio"));
    EXPECT_TRUE(pagine.at(0).cerca("Periodo"));
    for (int i = 1; i <= 5; ++i) {
        const PaginaRegistrata& p = pagine.at(i);
        EXPECT_TRUE(p.cerca("Numero progressivo pagina"));
        EXPECT_TRUE(p.cerca("settimana"));
        EXPECT_FALSE(p.cerca("in bianco"));
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
    const TestoRegistrato* prima = p.cerca(RigaCrediti().section(" - by", 0, 0));
    const TestoRegistrato* seconda = p.cerca("- by Voviva");
    ASSERT_TRUE(prima && seconda);
    EXPECT_NEAR(prima->base(), g.BOT - 2.5, 1e-6);
    EXPECT_NEAR(seconda->base(), g.BOT - 0.3, 1e-6);
    EXPECT_LE(prima->x + prima->larghezza, 195);
}

TEST(CicloStampa, QuestionWhenTheUserStartsThePrint) {
    SuperficieRegistrata s;
    QTemporaryDir cartella;
    DialoghiScriptati dialoghi;
    ProgressoMemoria progresso;
    const EsitoCiclo no = CiclodiStampa(s, ModuliInBianco(3), false, dialoghi, progresso, cartella.path());
    EXPECT_FALSE(no.confermato);
    EXPECT_TRUE(s.tutteLePagine().isEmpty());
    EXPECT_EQ(test::leggiFile(QDir(cartella.path()).filePath(kFileFineStampa)), "Fatto\r\n");
    ASSERT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_EQ(dialoghi.mostrati[0].titolo, "Stampa dei moduli");
    EXPECT_EQ(
        dialoghi.mostrati[0].testo,
        "Predisposizione per la stampa\r\rDestinazione: . . in bianco\rPeriodo: . . . . . . . in bianco\r"
        "Pagine: . . . . . . . . 3\r\rVuoi stampare i moduli per il Lunoro?");

    dialoghi.risposte = {Risposta::Si};
    const EsitoCiclo si = CiclodiStampa(s, ModuliInBianco(3), false, dialoghi, progresso, cartella.path());
    EXPECT_TRUE(si.riuscito());
    EXPECT_EQ(s.documenti.size(), 1);
    EXPECT_EQ(s.documenti[0].pagine.size(), 4);
    EXPECT_EQ(progresso.ultimaDidascalia, "");  // the caption is emptied at the end
}

TEST(CicloStampa, CancelAfterPageTwoAbandonsTheDocumentAndStillLeavesTheMarker) {
    SuperficieRegistrata s;
    QTemporaryDir cartella;
    DialoghiScriptati dialoghi;
    StopDopo stop(2);
    const EsitoCiclo esito = CiclodiStampa(s, ModuliDelPeriodo("ROMA", QDate(2026, 7, 1), QDate(2026, 7, 10)),
                                           true, dialoghi, stop, cartella.path());
    EXPECT_TRUE(esito.annullato);
    EXPECT_EQ(esito.pagineGiorno, 2);
    ASSERT_EQ(s.documenti.size(), 1);
    EXPECT_TRUE(s.documenti[0].abbandonato);
    EXPECT_EQ(s.documenti[0].pagine.size(), 3);  // cover and two day pages, all discarded
    EXPECT_EQ(test::leggiFile(QDir(cartella.path()).filePath(kFileFineStampa)), "Fatto\r\n");
}

TEST(CicloStampa, PrinterFailureIsReportedAndTheJobDiscarded) {
    SuperficieRegistrata s;
    s.guastaAllaPagina = true;
    s.paginaGuasta = 3;
    QTemporaryDir cartella;
    DialoghiScriptati dialoghi;
    ProgressoMemoria progresso;
    const EsitoCiclo esito = CiclodiStampa(s, ModuliInBianco(5), true, dialoghi, progresso, cartella.path());
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
    const QString testo = Pdftotext(pdf);
    EXPECT_EQ(testo.count(QChar('\f')), 4);  // cover and three day pages
    EXPECT_TRUE(testo.contains("Giorno 3 di 3"));
    EXPECT_TRUE(testo.contains("CAPO NORD"));
    EXPECT_TRUE(testo.contains("Pernottamento"));
    EXPECT_FALSE(QFile::exists(QDir(cartella.path()).filePath(kFileFineStampa)));  // no marker asked

    const QString annullato = QDir(cartella.path()).filePath("annullato.pdf");
    auto s = SuperficieQt::suPdf(annullato);
    DialoghiScriptati dialoghi;
    StopDopo stop(2);
    EXPECT_TRUE(CiclodiStampa(*s, ModuliInBianco(4), true, dialoghi, stop, {}).annullato);
    s.reset();
    EXPECT_EQ(QDir(cartella.path()).entryList(QDir::Files), QStringList{"viaggio-moduli.pdf"});
}
