// The rule every writer of user files obeys: never the database, however it is reached, never a
// device, folder or pipe; ordinary files (new or old) may be written.
#include "common/FileUscita.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "common/File1252.h"

namespace {

class FileUscitaTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString percorso(const QString& nome) const { return dir.filePath(nome); }
    void scrivi(const QString& nome, const QByteArray& byte) const {
        QFile f(percorso(nome));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(byte);
    }
};

TEST_F(FileUscitaTest, FileNormaliAmmessiIlDatabaseMai) {
    EXPECT_EQ(ControllaFileUscita(percorso("nuovo.csv")), "");
    scrivi("vecchio.txt", "testo");
    EXPECT_EQ(ControllaFileUscita(percorso("vecchio.txt")), "");
    scrivi("Voviva.mdb", QByteArray("SQLite format 3\0resto", 21));
    EXPECT_NE(ControllaFileUscita(percorso("Voviva.mdb")), "");
    EXPECT_NE(ControllaFileUscita(percorso("sub/../DBTemp.mdb")), "") << "the rebuild file, even missing";
    ASSERT_TRUE(QFile::link(percorso("Voviva.mdb"), percorso("collegamento.csv")));
    EXPECT_NE(ControllaFileUscita(percorso("collegamento.csv")), "") << "a link to the database";
    scrivi("DBTemp.mdb", {});
    ASSERT_TRUE(QFile::link(percorso("DBTemp.mdb"), percorso("vuoto.csv")));
    EXPECT_NE(ControllaFileUscita(percorso("vuoto.csv")), "") << "a link to the rebuild file, still empty";
    ASSERT_TRUE(QFile::copy(percorso("Voviva.mdb"), percorso("copia.dat")));
    EXPECT_EQ(ControllaFileUscita(percorso("copia.dat")),
              "Il file " + QDir::toNativeSeparators(percorso("copia.dat")) +
                  " è un database: non viene sovrascritto.")
        << "a database under another name (a hard link looks the same)";
}

TEST_F(FileUscitaTest, DispositiviCartelleECodeSonoRifiutateEIntatte) {
    EXPECT_EQ(ControllaFileUscita("/dev/null"), "/dev/null non è un file normale: non viene sovrascritto.");
    EXPECT_NE(ControllaFileUscita(dir.path()), "");
    ASSERT_EQ(mkfifo(QFile::encodeName(percorso("coda")).constData(), 0600), 0);
    EXPECT_NE(ControllaFileUscita(percorso("coda")), "");
    EXPECT_FALSE(ScriviRighe1252(percorso("coda"), {"x"}));
    EXPECT_FALSE(QFileInfo(percorso("coda")).isFile()) << "the pipe stays a pipe";
}

}  // namespace
