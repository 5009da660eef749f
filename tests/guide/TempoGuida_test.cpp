// Guide times: one entry's text, the sums per locality read per key or from the whole guide, and
// the order of a locality's entries, the database's whichever way they were read.
#include "guide/TempoGuida.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "SqlDiretto.h"
#include "TestSupport.h"
#include "database/Archivio.h"
#include "database/NomiCampi.h"
#include "guide/LetturaGuida.h"

namespace {

// Hours and minutes are a time; "G" and a number of days counts visit days of the span given; a
// long dd:hh:mm text counts its days with the span too; nothing is 0.  Each case: text;span;hundredths.
TEST(TempoGuida, OreMinutiGiorniDiVisitaEVuoto) {
    for (const char* caso :
         {"01:30;900;150", "00:20;900;33", " 02:00 ;900;200", "00:00;900;0", "G1;900;900", "g2;850;1700",
          "G 3;800;2400", "G0.5;900;450", "G;900;0", ";900;0", "   ;900;0", "01:02:00;900;1100"}) {
        const QStringList c = QString(caso).split(';');
        EXPECT_FLOAT_EQ(TempoGuidaCentesimi(c[0], c[1].toFloat()), c[2].toFloat()) << caso;
    }
}

// More entries than a look-up of one key makes worth reading whole, so both ways are taken, and
// they give the same sums as the look-up of one locality.
TEST(TempoGuida, TuttaLaGuidaOUnaChiaveAllaVoltaDannoLeStesseSomme) {
    QTemporaryDir dir;
    Archivio archivio(dir.path());
    archivio.AvviaDatabase();
    Database& db = archivio.dati();
    const QStringList nomi{"Roma", "ROMA", "città", "CITTÀ", "Siena", "Pisa "};
    const QStringList tempi{"01:30", "G1", "", "00:07", " 2:10", "g2", "00:01"};
    for (int i = 0; i < FonteGuida::kVociPerLocalita + 20; ++i)
        test::voceGuida(db, nomi[i % nomi.size()], QStringLiteral("Voce %1").arg(i), tempi[i % tempi.size()]);
    TempiGuida tutta(db, 1000, 850);
    TempiGuida perChiave(db, 0, 850);
    for (const QString& chiave :
         QStringList{"roma", "Città", "città", "siena", "Pisa", "Pisa ", "Lucca", "", " "}) {
        const float attesa = TempoGuidaLocalita(db, chiave, 850);
        EXPECT_EQ(tutta.tempo(chiave), attesa) << chiave.toStdString();
        EXPECT_EQ(perChiave.tempo(chiave), attesa) << chiave.toStdString();
    }
    EXPECT_GT(tutta.tempo("ROMA"), 0);
    EXPECT_EQ(tutta.tempo("Lucca"), 0);
}

TEST(FonteGuida, VociNellOrdineDelDatabase) {
    QTemporaryDir dir;
    Archivio archivio(dir.path());
    archivio.AvviaDatabase();
    Database& db = archivio.dati();
    // Codes, times and groups that differ in case or accent only, and many equal triples, whose
    // entries keep their table order.
    const QStringList nomi{"Città", "CITTÀ", "città", "Roma"};
    const QStringList codici{"01", "1", "", "À", "a", "A", "à", "02"};
    const QStringList tempi{"01:30", "G1", "", "g2", "É", "é", "00:07"};
    const QStringList gruppi{"A", "a", " ", "", "0", "à"};
    for (int i = 0; i < FonteGuida::kVociPerLocalita + 30; ++i)
        test::voceGuida(
            db, nomi[i % nomi.size()], QStringLiteral("Voce %1").arg(i), tempi[i % tempi.size()],
            {{nomi::kCodiceGuida, codici[i % codici.size()]}, {nomi::kGruppo, gruppi[i % gruppi.size()]}});
    // Missing values, which no form of ours stores but an older file may hold, sort first.
    ASSERT_TRUE(test::eseguiSql(archivio.percorsoDatabase(),
                                "UPDATE GuidaCitta SET CodiceGuida = NULL WHERE rowid % 9 = 1;"
                                "UPDATE GuidaCitta SET TempoSosta = NULL WHERE rowid % 7 = 2;"));
    auto descrizioni = [](const QList<VoceTabella>& voci) {
        QStringList d;
        for (const VoceTabella& v : voci) d << v.descrizione;
        return d;
    };
    FonteGuida tutta(db, 1000);
    FonteGuida perChiave(db, 0);
    for (const QString& chiave : {QStringLiteral("CITTÀ"), QStringLiteral("roma")}) {
        QStringList attese;
        // The database's own sort is the reference.
        for (RowSet rs = db.apriRowSet(Query::di(nomi::kGuidaCitta)
                                           .dove(nomi::kLocalita, chiave)
                                           .ordina(nomi::kCodiceGuida)
                                           .ordina(nomi::kTempoSosta, true)
                                           .ordina(nomi::kGruppo));
             !rs.fine(); rs.successivo())
            attese << rs.testo(nomi::kDescrizione);
        ASSERT_GT(attese.size(), 10);
        EXPECT_EQ(descrizioni(tutta.voci(chiave)), attese);
        EXPECT_EQ(descrizioni(perChiave.voci(chiave)), attese);
    }
}

}  // namespace
