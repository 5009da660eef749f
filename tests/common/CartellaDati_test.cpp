// Where the data file lives: the program's directory when writable and not installed, the user's
// data directory otherwise, --data-dir above all; where the sample trips are.
#include "common/CartellaDati.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

TEST(CartellaDati, OpzioneDaRigaDiComando) {
    EXPECT_EQ((QStringList{OpzioneCartellaDati({"zavetra", "--data-dir", "/tmp/x"}),
                           OpzioneCartellaDati({"zavetra", "--data-dir=/tmp/y", "--calcola"}),
                           OpzioneCartellaDati({"zavetra", "--data-dir"}), OpzioneCartellaDati({"zavetra"})}),
              (QStringList{"/tmp/x", "/tmp/y", "", ""}));
}

TEST(CartellaDati, SceltaProgrammaOUtente) {
    QTemporaryDir programma;
    EXPECT_EQ(CartellaDati(programma.path()), QDir(programma.path()).absolutePath());
    // No probe file is left behind in the program's directory.
    EXPECT_TRUE(QDir(programma.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

    const QString scelta = QDir(programma.path()).filePath("nuova/cartella");
    EXPECT_EQ(CartellaDati(programma.path(), scelta), scelta);
    EXPECT_TRUE(QDir(scelta).exists());
}

namespace {
// Points the user's data directory at a temporary folder for the life of the object.
class DatiUtenteTemporanei {
  public:
    DatiUtenteTemporanei() : vecchio_(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", dati_.path().toUtf8());
    }
    ~DatiUtenteTemporanei() {
        vecchio_.isEmpty() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", vecchio_);
    }
    QString zavetra() const { return QDir(dati_.path()).filePath("Zavetra"); }

  private:
    QByteArray vecchio_;
    QTemporaryDir dati_;
};

void creaCartelle(const QString& base, const QStringList& relative) {
    for (const QString& r : relative) ASSERT_TRUE(QDir(base).mkpath(r)) << r.toStdString();
}
}  // namespace

// A program folder that cannot be written (a folder below a plain file, even for the superuser),
// or an installed one even if writable: the user's folder, created, with no probe file left.
TEST(CartellaDati, ProgrammaNonScrivibileOInstallatoUsaLaCartellaUtente) {
    DatiUtenteTemporanei utente;
    QTemporaryDir radice;
    QFile file(QDir(radice.path()).filePath("file"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_FALSE(QDir(utente.zavetra()).exists());
    EXPECT_EQ(CartellaDati(QDir(radice.path()).filePath("file/bin")), utente.zavetra());
    EXPECT_TRUE(QDir(utente.zavetra()).exists());

    creaCartelle(radice.path(), {"bin", "share/zavetra"});
    const QString bin = QDir(radice.path()).filePath("bin");
    EXPECT_EQ(CartellaDati(bin), utente.zavetra());
    EXPECT_TRUE(QDir(bin).entryList(QDir::Files | QDir::Hidden).isEmpty());
    // Kestrin, started by Zavetra, must look in the same folder whatever its own name.
    const QString nome = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName("Kestrin");
    const QString perKestrin = CartellaDati(bin);
    QCoreApplication::setApplicationName(nome);
    EXPECT_EQ(perKestrin, utente.zavetra());
}

TEST(CartellaDati, CartellaDegliEsempi) {
    QTemporaryDir radice;
    creaCartelle(radice.path(), {"usr/bin", "usr/share/zavetra/esempi", "usr/esempi", "sorgenti/build",
                                 "sorgenti/esempi", "portatile"});
    const QDir r(radice.path());
    // An installed program takes the shared folder even when an esempi/ sits beside bin/.
    EXPECT_EQ(CartellaEsempi(r.filePath("usr/bin")), r.filePath("usr/share/zavetra/esempi"));
    EXPECT_EQ(CartellaEsempi(r.filePath("sorgenti/build")), r.filePath("sorgenti/esempi"));
    EXPECT_TRUE(CartellaEsempi(r.filePath("portatile")).isEmpty());
    EXPECT_FALSE(ProgrammaInstallato(r.filePath("sorgenti/build")));
}
