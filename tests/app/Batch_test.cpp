// The batch computation on a data directory that holds only a Voviva.mdb built by the test: the
// command line, unknown trips, and whole trips computed into the text files and the CSV.
#include "app/Batch.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "ProgrammaTest.h"
#include "common/File1252.h"
#include "common/Orologio.h"
#include "common/StampaTesti.h"

namespace {

TEST(ComandoCalcola, CodiceNormalizzatoERigheDeiMessaggi) {
    EXPECT_EQ((QStringList{CodiceMetaNormalizzato("42"), CodiceMetaNormalizzato("000042"),
                           CodiceMetaNormalizzato("1234567"), CodiceMetaNormalizzato("4a")}),
              (QStringList{"000042", "000042", "1234567", "4a"}));
    EXPECT_EQ(RigheMessaggio("Stampa dei file: \r\n\r\n/a\r\n/b"),
              (QStringList{"Stampa dei file: ", "", "/a", "/b"}));
}

class BatchTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    OrologioFisso orologio{QDateTime(QDate(2024, 3, 5), QTime(10, 52))};

    // Builds Voviva.mdb in the empty directory; the database is closed again on return.
    void CreaDatabase(const std::function<void(Archivio&)>& riempi = {}) {
        Archivio archivio(dir.path());
        archivio.AvviaDatabase();
        if (riempi) riempi(archivio);
    }

    // Rome to Bologna over Florence and, as a second trip, a crossing into Austria.
    static void DueMete(Archivio& a) {
        prova::Meta(a, "000001", "Bologna", {"Roma [Start]|0", "Firenze|280", "Bologna [End]|100"});
        prova::Meta(a, "000002", "Vienna",
                    {"Udine [Start]|0", "INGRESSO IN AUSTRIA|90", "Villach Ost|20", "Vienna [End]|350"});
    }

    // "exit code|errors|output", the lines of each joined by "/".
    static QString comeTesto(const EsitoBatch& e) {
        return QString::number(e.codiceUscita) + '|' + e.errori.join('/') + '|' + e.uscita.join('/');
    }
    QString percorso(const char* nome) const { return dir.filePath(QString::fromLatin1(nome)); }
    QStringList righe(const char* nome) const {
        return LeggiRighe1252(percorso(nome)).value_or(QStringList{});
    }
    QString metaCorrente() {
        Archivio a(dir.path());
        a.AvviaDatabase();
        return RicercaMetaCorrente(a);
    }
};

TEST_F(BatchTest, CodiceIgnotoONessunaMetaEsconoConDueSenzaScrivereFile) {
    CreaDatabase();
    EXPECT_EQ(comeTesto(EseguiCalcolaBatch({dir.path(), {}, {}}, orologio)), "2|Nessuna mèta nel database!|");
    CreaDatabase([](Archivio& a) { DueMete(a); });
    EXPECT_EQ(comeTesto(EseguiCalcolaBatch({dir.path(), "42", {}}, orologio)),
              "2|Mèta con codice 000042 inesistente nel database!|");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Voviva.mdb"});
}

// The current trip, or the one asked for, computed into the two text files and the CSV; the file
// layouts are schedule/'s, here the files are there, of the trip asked, and the current trip stays.
TEST_F(BatchTest, MetaCorrenteOSceltaScrivendoIDueFileEIlCsv) {
    CreaDatabase([](Archivio& a) {
        DueMete(a);
        SalvaIlCodiceMetaCorrente("000001", a);
    });
    const QString csv = percorso("zavetra.csv");
    EsitoBatch esito = EseguiCalcolaBatch({dir.path(), {}, csv}, orologio);
    ASSERT_EQ(esito.codiceUscita, kUscitaRiuscita) << esito.errori.join('\n').toStdString();
    EXPECT_TRUE(esito.errori.isEmpty());
    // Without visit times the desired days fall to 0: the only message is the files' one.
    EXPECT_EQ(esito.uscita,
              (QStringList{"Stampa dei file: ", "", QDir::toNativeSeparators(percorso("Camptabl.txt")),
                           QDir::toNativeSeparators(percorso("ListaLocalita.txt")), "", "completata!"}));
    const QStringList camptabl = righe("Camptabl.txt");
    EXPECT_EQ(camptabl.value(0), "Bologna");
    EXPECT_EQ(camptabl.filter("\tFirenze\t").size(), 1) << camptabl.join('\n').toStdString();
    EXPECT_TRUE(righe("ListaLocalita.txt").contains("Italia\tBologna [End]"));
    // The CSV: the header and every grid row, one more line than the data lines of Camptabl.txt.
    const QStringList csvRighe = QString::fromUtf8(test::leggiFile(csv)).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_FALSE(csvRighe.isEmpty());
    EXPECT_TRUE(csvRighe[0].startsWith("Num.;Tappa;Num. Strada;Km.;Ts;"));
    EXPECT_EQ(csvRighe.size(), camptabl.size() - 3 + 1);

    esito = EseguiCalcolaBatch({dir.path(), "2", {}}, orologio);
    ASSERT_EQ(esito.codiceUscita, kUscitaRiuscita) << esito.errori.join('\n').toStdString();
    EXPECT_EQ(righe("Camptabl.txt").value(0), "Vienna");
    EXPECT_EQ(metaCorrente(), "000001");
}

// A CSV that cannot be written, or that would replace the database, is an error after the text
// files are written; "-" sends it to standard output.
TEST_F(BatchTest, CsvNonScrivibileNonSovrascriveIlDatabaseEVaSulloStandardOutput) {
    CreaDatabase([](Archivio& a) { DueMete(a); });
    const QString csv = percorso("manca/zavetra.csv");
    EsitoBatch esito = EseguiCalcolaBatch({dir.path(), "1", csv}, orologio);
    EXPECT_EQ(esito.codiceUscita, kUscitaErrore);
    EXPECT_EQ(esito.errori, QStringList{"Impossibile scrivere il file " + csv});
    EXPECT_TRUE(QFileInfo::exists(percorso("Camptabl.txt")));

    esito = EseguiCalcolaBatch({dir.path(), "1", percorso("Voviva.mdb")}, orologio);
    EXPECT_EQ(esito.codiceUscita, kUscitaErrore);
    EXPECT_TRUE(esito.errori.join(' ').contains("database")) << esito.errori.join(' ').toStdString();
    EXPECT_TRUE(test::leggiFile(percorso("Voviva.mdb")).startsWith("SQLite format 3"));

    ::testing::internal::CaptureStdout();
    const EsitoBatch suUscita = EseguiCalcolaBatch({dir.path(), "1", "-"}, orologio);
    const std::string testo = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(suUscita.codiceUscita, kUscitaRiuscita);
    EXPECT_EQ(testo.rfind("Num.;Tappa;", 0), 0u) << testo.substr(0, 80);
    EXPECT_FALSE(QFileInfo::exists(percorso("-")));
}

}  // namespace
