// The two sample trips of esempi/ (a three-week loop to the North Cape, a week in Tuscany), imported
// into a new data directory as the first start does, each compute its schedule.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include "app/Batch.h"
#include "common/Orologio.h"
#include "exchange/BatchScambio.h"

namespace {

QString CartellaEsempi() {
    QString file = QString::fromUtf8(__FILE__);
    if (QFileInfo(file).isRelative()) file = QCoreApplication::applicationDirPath() + QLatin1Char('/') + file;
    return QFileInfo(file).absoluteDir().filePath(QStringLiteral("../../esempi"));
}

TEST(Esempi, ImportatiInUnaCartellaNuovaCalcolanoLaZavetra) {
    QTemporaryDir dir;
    QString uscita, errori;
    QTextStream out(&uscita), err(&errori);
    for (const char* file : {"capo-nord.iei", "toscana.iei"})
        ASSERT_EQ(EseguiImporta(dir.path(), QDir(CartellaEsempi()).filePath(QString::fromLatin1(file)), {},
                                out, err),
                  kUscitaRiuscita)
            << errori.toStdString();
    // Both samples carry the code 000001: the second is stored as 000002.
    EXPECT_TRUE(uscita.contains("1 mète/itinerari;\n60 tratti stradali;\n18 guide/informazioni località."))
        << uscita.toStdString();
    EXPECT_TRUE(uscita.contains("1 mète/itinerari;\n12 tratti stradali;\n18 guide/informazioni località."));
    EXPECT_FALSE(uscita.contains("scartati"));

    const OrologioFisso orologio{QDateTime(QDate(2027, 1, 10), QTime(10, 0))};
    for (const char* codice : {"000001", "000002"}) {
        const EsitoBatch esito = EseguiCalcolaBatch({dir.path(), QString::fromLatin1(codice), {}}, orologio);
        EXPECT_EQ(esito.codiceUscita, kUscitaRiuscita) << esito.errori.join("\n").toStdString();
        // The desired days (21 and 8) are met.
        EXPECT_TRUE(esito.uscita.join("\n").contains("Elaborazione conclusa in"))
            << esito.uscita.join("\n").toStdString();
    }
}

}  // namespace
