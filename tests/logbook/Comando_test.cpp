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
