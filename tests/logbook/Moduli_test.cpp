// The logbook: command text and file, the kestrin program run for real, pages, print cycle, PDF.
#include "logbook/Moduli.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
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
#include "logbook/ComandoModuli.h"
#include "printing/SuperficieQt.h"
#include "printing/SuperficieRegistrata.h"

namespace {

QString Kestrin() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(kNomeKestrin);
}

// The exit code and the errors of the program run with no display at all: the options and the
// PDF print must not need one.
std::pair<int, QString> Esegui(const QStringList& argomenti) {
    QProcessEnvironment senzaSchermo = QProcessEnvironment::systemEnvironment();
    senzaSchermo.remove("DISPLAY");
    senzaSchermo.remove("WAYLAND_DISPLAY");
    senzaSchermo.insert("QT_QPA_PLATFORM", "xcb");
    QProcess p;
    p.setProcessEnvironment(senzaSchermo);
    p.start(Kestrin(), argomenti);
    if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit)
        return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError())};
    p.kill();
    p.waitForFinished();
    return {-1, {}};
}

// A command text read back: destination and period, or the reason of its refusal.
QString Letto(const QString& testo) {
    const ComandoModuli m = LeggiComandoModuli(testo);
    const QString f = QStringLiteral("dd/MM/yyyy");
    return m.valido() ? m.destinazione + '|' + m.inizio.toString(f) + '|' + m.fine.toString(f)
                      : m.errore.section(QChar(13), 2, 2);  // the lines of a reason end with CR alone
}

const GeometriaModuli g = GeometriaModuli::da(Superficie::kAltezzaA4);

// A stop request that comes after the given number of pages.
struct StopDopo : ProgressoMemoria {
    explicit StopDopo(int n) : pagine(n) {}
    bool stopRichiesto() const override { return ++chiamate >= pagine; }
    int pagine;
    mutable int chiamate = 0;
};

// Which of the texts the page carries, "|"-joined.
QString Trovati(const PaginaRegistrata& p, const QStringList& testi) {
    QStringList l;
    for (const QString& t : testi)
        if (p.cerca(t)) l << t;
    return l.join('|');
}

}  // namespace

// The program's path, when given, is passed over; a destination may be the program's own name; a
// leap year has 366 days.
TEST(ComandoModuli, TestiConOSenzaIlProgrammaERifiuti) {
    const QString casi = QString::fromUtf8(R"(Roma,01/07/2005,15/07/2005|Roma|01/07/2005|15/07/2005
C:\Programmi\Zavetra\Kestrin.exe Roma,1/7/2005, 15/07/2005|Roma|01/07/2005|15/07/2005
"C:\Program Files\Zavetra\KESTRIN.EXE" Roma , 01/07/2005 ,15/07/2005|Roma|01/07/2005|15/07/2005
/opt/kestrin/kestrin CAPO NORD,01/07/2005,15/07/2005|CAPO NORD|01/07/2005|15/07/2005
/opt/zavetra/Moduli.exe Roma,01/07/2005,15/07/2005|Roma|01/07/2005|15/07/2005
KESTRIN,01/07/2005,15/07/2005|KESTRIN|01/07/2005|15/07/2005
Roma,01/01/2028,31/12/2028|Roma|01/01/2028|31/12/2028
Roma 01/07/2005 15/07/2005|manca la virgola dopo la destinazione.
Roma,01/07/2005|manca la data finale.
Roma,32/07/2005,15/08/2005|la data iniziale "32/07/2005" non è una data valida.
Roma,29/02/2005,15/08/2005|la data iniziale "29/02/2005" non è una data valida.
Roma,01-07-2005,15/08/2005|la data iniziale "01-07-2005" non è una data valida.
Roma,01/07/05,15/08/2005|la data iniziale "01/07/05" non è una data valida.
Roma,01/07/2005,domani|la data finale "domani" non è una data valida.
Roma,15/07/2005,01/07/2005|la data finale precede quella iniziale.
Roma,01/01/2027,02/01/2028|il periodo supera i 366 giorni.)");
    QStringList letti;
    for (const QString& caso : casi.split('\n'))
        letti << caso.section('|', 0, 0) + '|' + Letto(caso.section('|', 0, 0));
    EXPECT_EQ(letti.join('\n').toStdString(), casi.toStdString());
}

TEST(ComandoModuli, FileDelComandoRigaDiZavetraENomiDeiPdf) {
    QTemporaryDir dir;
    EXPECT_EQ(LeggiFileComando(dir.path()), "");
    // Matched without regard to case, read once and deleted.
    test::scriviFile(QDir(dir.path()).filePath("Commandline.txt"),
                     "C:\\Zavetra\\Kestrin.exe Citt\xE0 del Vaticano,01/07/2005,15/07/2005\r\naltro\r\n");
    EXPECT_EQ(LeggiFileComando(dir.path()),
              QString::fromUtf8("C:\\Zavetra\\Kestrin.exe Città del Vaticano,01/07/2005,15/07/2005"));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    const QString riga =
        RigaComandoKestrin("/opt/kestrin", "ROMA, CENTRO", QDate(2026, 7, 1), QDate(2026, 7, 15));
    EXPECT_EQ(riga, "/opt/kestrin/kestrin ROMA CENTRO,01/07/2026,15/07/2026");
    EXPECT_EQ(Letto(riga), "ROMA CENTRO|01/07/2026|15/07/2026");
    EXPECT_EQ(FileModuli("/tmp/v.1/viaggio.pdf"), "/tmp/v.1/viaggio-moduli.pdf");
    EXPECT_EQ(FileModuli("/tmp/v.1/viaggio"), "/tmp/v.1/viaggio-moduli");
    EXPECT_EQ(FilePdfPredefinito("/dati", "A/B: C", QDate(2026, 7, 1)), "/dati/Moduli-A_B_ C-01072026.pdf");
}

TEST(AvviaKestrin, MissingProgramIsSaidAndLeavesNoCommandFile) {
    QTemporaryDir dati, vuota;
    QString errore;
    EXPECT_FALSE(
        AvviaKestrin(dati.path(), "ROMA", QDate(2026, 7, 1), QDate(2026, 7, 2), vuota.path(), &errore));
    EXPECT_TRUE(errore.contains("non trovato"));
    EXPECT_TRUE(QDir(dati.path()).entryList(QDir::Files).isEmpty());
}

// The launch through the command file all the way to the PDF is the main window's test (app/).
TEST(ProgrammaKestrin, WithoutAWindowThroughTheCommandFileAndWithItsExitCodes) {
    ASSERT_TRUE(QFile::exists(Kestrin()));
    QTemporaryDir dati;
    const QDir d(dati.path());
    test::scriviFile(d.filePath(kFileComando), "/usr/bin/kestrin ROMA,30/12/2026,02/01/2027\r\n");
    const QString pdf = d.filePath("diario.pdf");
    const auto stampa = Esegui({"--data-dir", dati.path(), "--pdf", pdf});
    EXPECT_EQ(stampa.first, 0) << stampa.second.toStdString();
    EXPECT_EQ(test::paginePdf(pdf), 5);
    EXPECT_FALSE(QFile::exists(d.filePath(kFileComando)));
    EXPECT_EQ(Esegui({"--data-dir", dati.path(), "--pdf", d.filePath("b.pdf"), "--bianco", "3"}).first, 0);
    const auto errato =
        Esegui({"--data-dir", dati.path(), "--pdf", d.filePath("x.pdf"), "ROMA,02/01/2027,30/12/2026"});
    EXPECT_EQ(errato.first, 2);
    EXPECT_TRUE(errato.second.contains("precede"));
    EXPECT_FALSE(QFile::exists(d.filePath("x.pdf")));
    const auto opzione = Esegui({"--pagine", "3"});
    EXPECT_EQ(opzione.first, 2);
    EXPECT_TRUE(opzione.second.contains("Opzione sconosciuta: --pagine"));
    EXPECT_EQ(Esegui({"--pdf", d.filePath("b.pdf"), "--bianco", "100"}).first, 2);
    EXPECT_EQ(Esegui({"--help"}).first, 0);
}

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
        stampa(ModuliDelPeriodo("A " + parola + " B", QDate(2026, 7, 1), QDate(2026, 7, 1))).value(32);
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
    // The tick boxes: five stays, "Gratis", six services and four vehicle checks, 3 mm and white.
    int caselle = 0;
    for (const LineaRegistrata& l : p.linee)
        caselle += l.box && qFuzzyCompare(l.x2 - l.x1, 3.0) && qFuzzyCompare(l.y2 - l.y1, 3.0) &&
                   l.colore == 0xFFFFFF;
    EXPECT_EQ(caselle, 16);
}

// Blank pages carry labels instead of dates; the legend's pieces are each followed by a rule, and
// the credit stands on two lines.
TEST_F(ModuliTest, FiveBlankPagesWithTheirLegend) {
    const QList<PaginaRegistrata> pagine = stampa(ModuliInBianco(5));
    ASSERT_EQ(pagine.size(), 6);
    EXPECT_EQ(Trovati(pagine.at(0), {"in bianco", "Meta del viaggio", "Periodo"}),
              "Meta del viaggio|Periodo");
    for (int i = 1; i <= 5; ++i) {
        const PaginaRegistrata& p = pagine.at(i);
        EXPECT_EQ(Trovati(p, {"Numero progressivo pagina", "settimana", "in bianco"}),
                  "Numero progressivo pagina|settimana");
        for (const QString& t : p.elencoTesti())
            EXPECT_FALSE((t.startsWith("Giorno ") && t.contains(" di ")) ||
                         t.contains(QRegularExpression("\\d/\\d")))
                << t.toStdString();
    }
    const PaginaRegistrata& p = pagine.at(1);
    QList<const TestoRegistrato*> pezzi;
    for (const TestoRegistrato& t : p.testi)
        if (std::abs(t.base() - (g.BOT - 0.5)) < 1e-6) pezzi << &t;
    ASSERT_EQ(pezzi.size(), 11);
    EXPECT_EQ(pezzi.last()->testo, "V=Varie");
    for (int i = 1; i < pezzi.size(); ++i)
        EXPECT_NEAR(pezzi[i]->x, pezzi[i - 1]->x + pezzi[i - 1]->larghezza + 1.5, 1e-6);
    int regole = 0;
    for (const LineaRegistrata& l : p.linee)
        regole += !l.box && qFuzzyCompare(l.y1, g.BOT - g.s) && qFuzzyCompare(l.y2, g.BOT);
    EXPECT_EQ(regole, 11);
    EXPECT_EQ(Trovati(p, {RigaCrediti().section(" - by", 0, 0), "- by Voviva"}).count('|'), 1);
}

// Asked when the user starts the print: No prints nothing, Yes prints, and the caption is emptied
// at the end; a stop after page two abandons the job; the marker is written every time.
TEST_F(ModuliTest, QuestionAndCancel) {
    EXPECT_FALSE(CiclodiStampa(s, ModuliInBianco(3), false, dialoghi, progresso, cartella.path()).confermato);
    EXPECT_TRUE(s.tutteLePagine().isEmpty());
    EXPECT_EQ(marcatore(), "Fatto\r\n");
    ASSERT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_TRUE(dialoghi.mostrati[0].testo.contains("Pagine: . . . . . . . . 3\r"));
    dialoghi.risposte = {Risposta::Si};
    EXPECT_TRUE(CiclodiStampa(s, ModuliInBianco(3), false, dialoghi, progresso, cartella.path()).riuscito());
    EXPECT_EQ(progresso.ultimaDidascalia, "");
    QFile::remove(QDir(cartella.path()).filePath(kFileFineStampa));
    StopDopo stop(2);
    const EsitoCiclo e = CiclodiStampa(s, ModuliDelPeriodo("ROMA", QDate(2026, 7, 1), QDate(2026, 7, 10)),
                                       true, dialoghi, stop, cartella.path());
    EXPECT_TRUE(e.annullato && e.pagineGiorno == 2);
    ASSERT_EQ(s.documenti.size(), 2);
    EXPECT_EQ(s.documenti[0].pagine.size(), 4);
    EXPECT_TRUE(s.documenti[1].abbandonato);
    EXPECT_EQ(s.documenti[1].pagine.size(), 3);  // cover and two day pages, all discarded
    EXPECT_EQ(marcatore(), "Fatto\r\n");
}

TEST_F(ModuliTest, PrinterFailureIsReportedAndTheJobDiscarded) {
    s.guastaAllaPagina = true;
    s.paginaGuasta = 3;
    stampa(ModuliInBianco(5));
    EXPECT_FALSE(esito.riuscito() || esito.errore.isEmpty());
    EXPECT_TRUE(esito.pagineGiorno < 5 && esito.marcatoreScritto);
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
