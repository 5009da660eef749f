// The exchange commands on a data directory: export of every trip, import of chosen codes, and the
// refusals (unknown codes, a file that is not an exchange file) that leave everything as it was.
#include "exchange/BatchScambio.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTextStream>

#include "TestSupport.h"
#include "common/Uscita.h"
#include "database/Archivio.h"

namespace {

// A data directory with the trips given ("code locality"), and what the commands write.
struct Cartella {
    QTemporaryDir dir;
    QString uscita, errori;
    QTextStream out{&uscita}, err{&errori};
    explicit Cartella(const QStringList& mete = {}) {
        Archivio a(dir.path());
        a.AvviaDatabase();
        for (const QString& m : mete)
            test::inserisci(
                a.dati(), "MeteCamper|CodiceMeta=" + m.section(' ', 0, 0) + "|Localita=" + m.section(' ', 1));
    }
    int Mete() {
        Archivio a(dir.path());
        a.AvviaDatabase();
        return a.dati().conta(Query::di("MeteCamper"));
    }
};

TEST(BatchScambio, EsportaTutteEImportaLeScelte) {
    Cartella origine({"000002 Siena", "000001 Pisa", "000003 Lucca"});
    const QString file = origine.dir.filePath("toscana.iei");
    EXPECT_EQ(EseguiEsporta(origine.dir.path(), file, {"7"}, origine.out, origine.err), kUscitaMetaIgnota);
    EXPECT_EQ(origine.errori, "Mèta con codice 000007 inesistente nel database!\n");
    EXPECT_FALSE(QFile::exists(file));
    ASSERT_EQ(EseguiEsporta(origine.dir.path(), file, {}, origine.out, origine.err), kUscitaRiuscita);
    EXPECT_EQ(origine.uscita, "Le mète esportate si trovano sul file " + file + "\n");
    const QByteArray scritto = test::leggiFile(file);
    // Every trip, by locality.
    EXPECT_LT(scritto.indexOf("Lucca"), scritto.indexOf("Pisa"));
    EXPECT_LT(scritto.indexOf("Pisa"), scritto.indexOf("Siena"));
    Cartella d;
    EXPECT_EQ(EseguiImporta(d.dir.path(), file, {"9"}, d.out, d.err), kUscitaMetaIgnota);
    EXPECT_EQ(EseguiImporta(d.dir.path(), file, {"2", "000003"}, d.out, d.err), kUscitaRiuscita);
    EXPECT_TRUE(d.uscita.startsWith("Sono stati inseriti:\n\n2 mète/itinerari;\n"));
    EXPECT_EQ(d.Mete(), 2);
}

TEST(BatchScambio, UnFileCheNonÈDiScambioNonScriveNulla) {
    Cartella c;
    const QString file = c.dir.filePath("dati.csv");
    test::scriviFile(file, "CodiceMeta;Localita\r\n000001;Oslo\r\n");
    EXPECT_EQ(EseguiImporta(c.dir.path(), file, {}, c.out, c.err), kUscitaErrore);
    EXPECT_EQ(c.errori,
              "Il file " + file +
                  " non è un file di scambio valido (riga 1): non termina con un separatore di campo.\n");
    EXPECT_EQ(c.Mete(), 0);
    EXPECT_EQ(EseguiImporta(c.dir.path(), c.dir.filePath("manca.iei"), {}, c.out, c.err), kUscitaErrore);
}

}  // namespace
