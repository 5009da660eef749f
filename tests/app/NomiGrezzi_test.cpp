// Command-line names taken as the file system's bytes: a data directory whose name is not UTF-8
// is the one used, and a file name that cannot be given back as its bytes is refused.
#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <set>

#include "ProgrammaTest.h"
#include "common/StampaTesti.h"

namespace {

std::set<QByteArray> Voci(const QByteArray& cartella) {
    std::set<QByteArray> voci;
    DIR* d = ::opendir(cartella.constData());
    if (!d) return voci;
    while (const dirent* v = ::readdir(d))
        if (QByteArray(v->d_name) != "." && QByteArray(v->d_name) != "..") voci.insert(v->d_name);
    ::closedir(d);
    return voci;
}

// QTemporaryDir cannot remove what it cannot name.
struct RimuoviCartella {
    QByteArray cartella;
    ~RimuoviCartella() {
        for (const QByteArray& v : Voci(cartella)) ::unlink((cartella + '/' + v).constData());
        ::rmdir(cartella.constData());
    }
};

// The shell gives the program the bytes \351 (é in Latin-1), which QProcess could not.
prova::Uscita AvviaIn(const QString& cartella, const QString& opzioni) {
    return prova::Esegui(
        "/bin/sh", {"-c", "exec \"$0\" --data-dir \"$(printf 'caf\\351')\" " + opzioni, ZAVETRA_PROGRAMMA},
        cartella);
}

TEST(ProgrammaZavetra, CartellaDeiDatiConUnNomeNonUtf8) {
    QTemporaryDir base;
    const QByteArray cafe = QFile::encodeName(base.path()) + "/caf\xe9";
    const RimuoviCartella rimuovi{cafe};
    ASSERT_TRUE(QDir(base.path()).mkdir("prima"));
    {
        Archivio a(base.filePath("prima"));
        a.AvviaDatabase();
        prova::Meta(a, "000004", "Norvegia del sud");
    }
    ASSERT_EQ(std::rename(QFile::encodeName(base.filePath("prima")).constData(), cafe.constData()), 0);

    // The trip is exported from the existing database, to a file named from the starting folder.
    prova::Uscita e = AvviaIn(base.path(), "--esporta uscita.iei 4");
    ASSERT_EQ(e.codice, 0) << e.errore.toStdString();
    EXPECT_TRUE(test::leggiFile(base.filePath("uscita.iei")).contains("Norvegia del sud"));

    e = AvviaIn(base.path(), "--calcola --csv \"$(printf 'z\\351.csv')\"");
    EXPECT_EQ(e.codice, 2);
    EXPECT_EQ(e.errore.trimmed(), QString::fromUtf8("Il nome del file di --csv non è in UTF-8: rinominare il "
                                                    "file o la cartella."));
    // Nothing new beside them: no folder or file named with the replacement character.
    EXPECT_EQ(Voci(QFile::encodeName(base.path())), (std::set<QByteArray>{"caf\xe9", "uscita.iei"}));
    EXPECT_EQ(Voci(cafe), (std::set<QByteArray>{"Voviva.mdb", ".Voviva.controllo"}));
}

}  // namespace
