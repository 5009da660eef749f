// The sample trips at the first start: imported only into a new database of an installed program,
// after the window's question (a batch command does not ask).
#include "app/PrimoAvvio.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "ProgrammaTest.h"
#include "common/Dialoghi.h"
#include "common/StampaTesti.h"

namespace {

// An installed layout: <prefix>/bin and the sample trips in <prefix>/share/zavetra/esempi.
class PrimoAvvioTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(radice.filePath("usr/bin")));
        ASSERT_TRUE(QDir().mkpath(radice.filePath("usr/share/zavetra/esempi")));
        const QDir esempi(prova::Sorgente("esempi"));
        for (const QString& f : esempi.entryList({"*.iei"}, QDir::Files))
            ASSERT_TRUE(QFile::copy(esempi.filePath(f), radice.filePath("usr/share/zavetra/esempi/" + f)));
    }

    QString Programma() const { return radice.filePath("usr/bin"); }

    // The code of the last trip in the database, empty when there is none (or no database).
    QString UltimaMeta() {
        if (!QFile::exists(Archivio(dati.path()).percorsoDatabase())) return {};
        Archivio a(dati.path());
        a.AvviaDatabase();
        return RicercaMetaCorrente(a);
    }

    QTemporaryDir radice;
    QTemporaryDir dati;
};

TEST_F(PrimoAvvioTest, LaFinestraChiedePrimaDiCaricareGliEsempi) {
    ASSERT_TRUE(PrimoAvvio(dati.path()));
    DialoghiScriptati d;
    d.risposte = {Risposta::No, Risposta::Si};
    EXPECT_EQ(CaricaEsempiAlPrimoAvvio(true, Programma(), dati.path(), &d), "");
    EXPECT_EQ(UltimaMeta(), "");
    EXPECT_EQ(CaricaEsempiAlPrimoAvvio(true, Programma(), dati.path(), &d), "");
    EXPECT_EQ(UltimaMeta(), "000002");  // both samples, the second renumbered
    ASSERT_EQ(d.testiMostrati(), QStringList(2, QString::fromUtf8("Vuoi caricare le mète di esempio?")));
    EXPECT_EQ(d.mostrati[0].pulsanti, Pulsanti::SiNo);
    EXPECT_FALSE(PrimoAvvio(dati.path()));
}

TEST_F(PrimoAvvioTest, UnComandoBatchLiCaricaSenzaChiedereSoloAlPrimoAvvioDelProgrammaInstallato) {
    // Not the first start, or a build folder (no share/zavetra beside it): nothing.
    EXPECT_EQ(CaricaEsempiAlPrimoAvvio(false, Programma(), dati.path(), nullptr), "");
    QTemporaryDir cartellaDiBuild;
    EXPECT_EQ(CaricaEsempiAlPrimoAvvio(true, cartellaDiBuild.path(), dati.path(), nullptr), "");
    EXPECT_EQ(UltimaMeta(), "");

    // A file that cannot be imported leaves its error and does not stop the others.
    test::scriviFile(radice.filePath("usr/share/zavetra/esempi/rotto.iei"), "non è un file di scambio");
    const QString errori = CaricaEsempiAlPrimoAvvio(true, Programma(), dati.path(), nullptr);
    EXPECT_TRUE(errori.contains("rotto.iei")) << errori.toStdString();
    EXPECT_EQ(UltimaMeta(), "000002");
}

}  // namespace
