// The start-up check skipped only for a file exactly as a clean close left it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "TestSupport.h"
#include "database/Archivio.h"

namespace {

TEST(ControlloAvvio, FileCambiatoDopoLaChiusuraPulitaVieneControllato) {
    QTemporaryDir dir;
    {
        Archivio a(dir.path());
        a.AvviaDatabase();
        Database::Transazione tr(a.dati());
        for (int i = 0; i < 400; ++i)
            test::inserisci(a.dati(), "GuidaCitta", {{"Localita", QStringLiteral("Luogo %1").arg(i)}});
        tr.conferma();
    }
    const QString percorso = QDir(dir.path()).filePath("Voviva.mdb");
    ASSERT_TRUE(QFile::exists(QDir(dir.path()).filePath(".Voviva.controllo")));
    // Past the clock's step, so that the write shows in the modification time.
    QThread::msleep(20);
    QByteArray byte = test::leggiFile(percorso);
    ASSERT_GT(byte.size(), 8 * 4096);
    byte[byte.size() - 4096] = '\x07';  // a page type SQLite never writes
    test::scriviFile(percorso, byte);
    Archivio a(dir.path());
    EXPECT_THROW(a.AvviaDatabase(), ErroreDatabase);
    EXPECT_EQ(test::leggiFile(percorso), byte);
}

}  // namespace
