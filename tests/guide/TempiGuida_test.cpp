// The guide times of a trip's localities read once per key: reading the whole guide and looking
// each key up give the same sums as the look-up of one locality.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "TestSupport.h"
#include "database/Archivio.h"
#include "guide/LetturaGuida.h"

namespace {

TEST(TempiGuida, TuttaLaGuidaOUnaChiaveAllaVoltaDannoLeStesseSomme) {
    QTemporaryDir dir;
    Archivio archivio(dir.path());
    archivio.AvviaDatabase();
    Database& db = archivio.dati();
    const QStringList nomi{"Roma", "ROMA", "città", "CITTÀ", "Siena", "Pisa "};
    const QStringList tempi{"01:30", "G1", "", "00:07", " 2:10", "g2", "00:01"};
    // More entries than a look-up of one key makes worth reading whole, so both ways are taken.
    for (int i = 0; i < FonteGuida::kVociPerLocalita + 20; ++i)
        test::voceGuida(db, nomi[i % nomi.size()], QStringLiteral("Voce %1").arg(i), tempi[i % tempi.size()]);
    const float arco = 850;
    TempiGuida tutta(db, 1000, arco);
    TempiGuida perChiave(db, 0, arco);
    for (const QString& chiave :
         QStringList{"roma", "Città", "città", "siena", "Pisa", "Pisa ", "Lucca", "", " "}) {
        const float attesa = TempoGuidaLocalita(db, chiave, arco);
        EXPECT_EQ(tutta.tempo(chiave), attesa) << chiave.toStdString();
        EXPECT_EQ(perChiave.tempo(chiave), attesa) << chiave.toStdString();
    }
    EXPECT_GT(tutta.tempo("ROMA"), 0);
    EXPECT_EQ(tutta.tempo("Lucca"), 0);
}

}  // namespace
