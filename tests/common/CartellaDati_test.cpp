// Where the data file lives: the program's directory when writable, --data-dir above all.
#include "common/CartellaDati.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

TEST(CartellaDati, OpzioneDaRigaDiComando) {
    EXPECT_EQ(OpzioneCartellaDati({"zavetra", "--data-dir", "/tmp/x"}), QStringLiteral("/tmp/x"));
    EXPECT_EQ(OpzioneCartellaDati({"zavetra", "--data-dir=/tmp/y", "--calcola"}), QStringLiteral("/tmp/y"));
    EXPECT_TRUE(OpzioneCartellaDati({"zavetra", "--data-dir"}).isEmpty());
    EXPECT_TRUE(OpzioneCartellaDati({"zavetra"}).isEmpty());
}

TEST(CartellaDati, SceltaProgrammaOUtente) {
    QTemporaryDir programma;
    EXPECT_EQ(CartellaDati(programma.path()), QDir(programma.path()).absolutePath());
    // No probe file is left behind in the program's directory.
    EXPECT_TRUE(QDir(programma.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

    const QString scelta = QDir(programma.path()).filePath(QStringLiteral("nuova/cartella"));
    EXPECT_EQ(CartellaDati(programma.path(), scelta), scelta);
    EXPECT_TRUE(QDir(scelta).exists());
}

TEST(CartellaDati, ProgrammaInSolaLetturaUsaLaCartellaUtente) {
    QTemporaryDir programma;
    QFile::setPermissions(programma.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool solaLettura = !QFile(QDir(programma.path()).filePath("p")).open(QIODevice::WriteOnly);
    const QString scelta = CartellaDati(programma.path());
    QFile::setPermissions(programma.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!solaLettura) GTEST_SKIP() << "the superuser writes everywhere";
    EXPECT_NE(scelta, QDir(programma.path()).absolutePath());
}
