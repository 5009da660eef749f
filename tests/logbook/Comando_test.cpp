// The command text and its file, the launch from Zavetra, and the kestrin program run for real:
// launched through the command file, and without a window with --pdf.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "logbook/BatchModuli.h"
#include "logbook/CicloStampa.h"
#include "logbook/ComandoModuli.h"

namespace {

QString Cartella() {
    return QCoreApplication::applicationDirPath();
}

QString Kestrin() {
    return QDir(Cartella()).filePath(kNomeKestrin);
}

struct Uscita {
    int codice = -1;
    QString errori;
};

Uscita Esegui(const QStringList& argomenti,
              const QProcessEnvironment& ambiente = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(ambiente);
    p.start(Kestrin(), argomenti);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardError())};
}

}  // namespace

TEST(ComandoModuli, ReadsTheTextWithOrWithoutTheProgramsPath) {
    const struct {
        const char* testo;
        const char* destinazione;
    } casi[] = {
        {"Roma,01/07/2005,15/07/2005", "Roma"},
        {"C:\\Programmi\\Zavetra\\Kestrin.exe Roma,1/7/2005, 15/07/2005", "Roma"},
        {"\"C:\\Program Files\\Zavetra\\KESTRIN.EXE\" Roma , 01/07/2005 ,15/07/2005", "Roma"},
        {"/opt/kestrin/kestrin CAPO NORD,01/07/2005,15/07/2005", "CAPO NORD"},
        {"/opt/zavetra/Moduli.exe Roma,01/07/2005,15/07/2005", "Roma"},
        {"KESTRIN,01/07/2005,15/07/2005", "KESTRIN"},  // a destination that is the program's name
    };
    for (const auto& c : casi) {
        const ComandoModuli m = LeggiComandoModuli(QString::fromUtf8(c.testo));
        ASSERT_TRUE(m.valido()) << c.testo << ": " << m.errore.toStdString();
        EXPECT_EQ(m.destinazione, QString::fromUtf8(c.destinazione)) << c.testo;
        EXPECT_EQ(m.inizio, QDate(2005, 7, 1)) << c.testo;
        EXPECT_EQ(m.fine, QDate(2005, 7, 15)) << c.testo;
    }
}

TEST(ComandoModuli, RefusesMalformedTextsWithAnItalianReason) {
    const struct {
        const char* testo;
        const char* motivo;
    } casi[] = {
        {"Roma 01/07/2005 15/07/2005", "manca la virgola"}, {"Roma,01/07/2005", "manca la data finale"},
        {"Roma,32/07/2005,15/08/2005", "data iniziale"},    {"Roma,29/02/2005,15/08/2005", "data iniziale"},
        {"Roma,01-07-2005,15/08/2005", "data iniziale"},    {"Roma,01/07/05,15/08/2005", "data iniziale"},
        {"Roma,01/07/2005,domani", "data finale"},          {"Roma,15/07/2005,01/07/2005", "precede"},
        {"Roma,01/01/2027,02/01/2028", "366 giorni"},
    };
    for (const auto& c : casi) {
        const ComandoModuli m = LeggiComandoModuli(QString::fromUtf8(c.testo));
        EXPECT_FALSE(m.valido()) << c.testo;
        EXPECT_TRUE(m.errore.contains(QString::fromUtf8(c.motivo)))
            << c.testo << ": " << m.errore.toStdString();
        EXPECT_FALSE(m.errore.contains('\n'));  // lines end with CR alone
    }
    EXPECT_TRUE(LeggiComandoModuli("Roma,01/01/2028,31/12/2028").valido());  // 366 days of a leap year
}

TEST(ComandoModuli, CommandFileMatchedWithoutRegardToCaseReadOnceAndDeleted) {
    QTemporaryDir dir;
    EXPECT_EQ(LeggiFileComando(dir.path()), "");
    test::scriviFile(QDir(dir.path()).filePath("Commandline.txt"),
                     "C:\\Zavetra\\Kestrin.exe Citt\xE0 del Vaticano,01/07/2005,15/07/2005\r\naltro\r\n");
    EXPECT_EQ(LeggiFileComando(dir.path()),
              QString::fromUtf8("C:\\Zavetra\\Kestrin.exe Città del Vaticano,01/07/2005,15/07/2005"));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(LeggiFileComando(dir.path()), "");
}

TEST(ComandoModuli, ZavetrasCommandLineReadsBackAsItsPeriod) {
    const QString riga =
        RigaComandoKestrin("/opt/kestrin", "ROMA, CENTRO", QDate(2026, 7, 1), QDate(2026, 7, 15));
    EXPECT_EQ(riga, "/opt/kestrin/kestrin ROMA CENTRO,01/07/2026,15/07/2026");
    EXPECT_EQ(LeggiComandoModuli(riga).destinazione, "ROMA CENTRO");
}

TEST(ComandoModuli, FileNamesOfTheLogbookPdf) {
    EXPECT_EQ(FileModuli("/tmp/viaggio.pdf"), "/tmp/viaggio-moduli.pdf");
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
    // No display at all: the options and the PDF print must not need one.
    QProcessEnvironment senzaSchermo = QProcessEnvironment::systemEnvironment();
    senzaSchermo.remove("DISPLAY");
    senzaSchermo.remove("WAYLAND_DISPLAY");
    senzaSchermo.insert("QT_QPA_PLATFORM", "xcb");

    test::scriviFile(d.filePath(kFileComando), "/usr/bin/kestrin ROMA,30/12/2026,02/01/2027\r\n");
    const QString pdf = d.filePath("diario.pdf");
    const Uscita stampa = Esegui({"--data-dir", dati.path(), "--pdf", pdf}, senzaSchermo);
    EXPECT_EQ(stampa.codice, 0) << stampa.errori.toStdString();
    EXPECT_EQ(test::paginePdf(pdf), 5);
    EXPECT_FALSE(QFile::exists(d.filePath(kFileComando)));

    const QString bianchi = d.filePath("bianchi.pdf");
    EXPECT_EQ(Esegui({"--data-dir", dati.path(), "--pdf", bianchi, "--bianco", "3"}, senzaSchermo).codice, 0);

    const Uscita errato =
        Esegui({"--data-dir", dati.path(), "--pdf", d.filePath("x.pdf"), "ROMA,02/01/2027,30/12/2026"},
               senzaSchermo);
    EXPECT_EQ(errato.codice, 2);
    EXPECT_TRUE(errato.errori.contains("precede"));
    EXPECT_FALSE(QFile::exists(d.filePath("x.pdf")));

    const Uscita opzione = Esegui({"--pagine", "3"}, senzaSchermo);
    EXPECT_EQ(opzione.codice, 2);
    EXPECT_TRUE(opzione.errori.contains("Opzione sconosciuta: --pagine"));
    EXPECT_EQ(Esegui({"--pdf", bianchi, "--bianco", "100"}, senzaSchermo).codice, 2);
    EXPECT_EQ(Esegui({"--help"}, senzaSchermo).codice, 0);
}
