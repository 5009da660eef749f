// Reading many rows in one statement, the prepared statements kept for reuse, and the comparison
// of texts that share an accented beginning, in the database and out of it.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>

#include "SqlDiretto.h"
#include "TestSupport.h"
#include "database/Database.h"

namespace {

class Lettura : public ::testing::Test {
  protected:
    void SetUp() override {
        percorso = dir.filePath("lettura.mdb");
        db.crea(percorso);
        db.creaTabella("Luoghi", {{"Localita", TipoCampo::Testo, 30},
                                  {"Codice", TipoCampo::Testo, 2},
                                  {"Visto", TipoCampo::SiNo, 0}});
        db.creaIndice("Luoghi", "Localita");
    }
    void aggiungi(Database& d, const QString& localita, const QVariant& codice, bool visto) {
        RowSet r = d.apriTabella("Luoghi");
        r.aggiungi();
        r.imposta("Localita", localita);
        r.imposta("Codice", codice);
        r.imposta("Visto", visto);
        r.memorizza();
    }
    QStringList localita(const Query& q) {
        QStringList l;
        for (const QList<QVariant>& riga : db.leggi(q, {"Localita"})) l << riga[0].toString();
        return l;
    }
    QTemporaryDir dir;
    QString percorso;
    Database db;
};

TEST_F(Lettura, InBloccoComeRigaPerRiga) {
    aggiungi(db, "Oslo", "07", true);
    aggiungi(db, "Bergen", QVariant(), false);
    aggiungi(db, "Narvik", "12", true);
    const Query q = Query::di("Luoghi").diverso("Localita", "NARVIK").ordina("Localita");
    const QList<QList<QVariant>> righe = db.leggi(q, {"visto", "Codice", "Localita"});
    ASSERT_EQ(righe.size(), 2);
    RowSet rs = db.apriRowSet(q);
    for (const QList<QVariant>& riga : righe) {
        ASSERT_FALSE(rs.fine());
        EXPECT_EQ(riga, (QList<QVariant>{rs.valore("Visto"), rs.valore("Codice"), rs.valore("Localita")}));
        rs.successivo();
    }
    // An empty text field reads as an empty text, a Yes/No field as a bool.
    EXPECT_EQ(righe[0], (QList<QVariant>{false, QString(""), QString("Bergen")}));
    EXPECT_THROW(db.leggi(q, {"Manca"}), ErroreDatabase);
    EXPECT_THROW(db.leggi(q, {"Localita; DROP TABLE Luoghi"}), ErroreDatabase);
}

TEST_F(Lettura, PrefissoAccentatoComuneConfrontatoSenzaMaiuscole) {
    for (const char* l : {"Località 2", "Località 10", "LOCALITÀ 2", "località 1", "Localitá 2"})
        aggiungi(db, QString::fromUtf8(l), "01", false);
    EXPECT_EQ(localita(Query::di("Luoghi").dove("Localita", QString::fromUtf8("località 2"))),
              (QStringList{QString::fromUtf8("Località 2"), QString::fromUtf8("LOCALITÀ 2")}));
    EXPECT_EQ(localita(Query::di("Luoghi").ordina("Localita")),
              (QStringList{QString::fromUtf8("località 1"), QString::fromUtf8("Località 10"),
                           QString::fromUtf8("Località 2"), QString::fromUtf8("LOCALITÀ 2"),
                           QString::fromUtf8("Localitá 2")}));
}

// Statements kept for reuse belong to their connection: after closing and reopening the same
// file, the same queries read the file as it is now, and a row set left from before is closed.
TEST_F(Lettura, IstruzioniRiusateSoloSullaLoroConnessione) {
    aggiungi(db, "Oslo", "07", true);
    RowSet vecchio = db.apriTabella("Luoghi");
    EXPECT_EQ(vecchio.testo("Localita"), "Oslo");
    EXPECT_EQ(db.conta(Query::di("Luoghi")), 1);
    db.chiudi();
    {
        Database altro;
        altro.apri(percorso);
        aggiungi(altro, "Bergen", "08", false);
    }
    db.apri(percorso);
    EXPECT_FALSE(vecchio.aperto());
    EXPECT_EQ(db.conta(Query::di("Luoghi")), 2);
    EXPECT_EQ(localita(Query::di("Luoghi")), (QStringList{"Oslo", "Bergen"}));
    RowSet nuovo = db.apriTabella("Luoghi");
    nuovo.successivo();
    EXPECT_EQ(nuovo.testo("Localita"), "Bergen");
    vecchio = RowSet();
    aggiungi(db, "Narvik", "12", true);
    EXPECT_EQ(db.conta(Query::di("Luoghi").dove("Visto", true)), 2);
}

// Texts sorted by ConfrontaTesti (equal ones kept in table order) come in the order the database
// sorts them; leggiTesti tells a missing value from an empty text.
TEST_F(Lettura, TestiOrdinatiComeNelDatabase) {
    const QStringList testi = QString::fromUtf8(
                                  "b|B|à|À|a|Ab|ab|aB|é|É|e|ez|È|1|01|10| |||Zz|zä|ZÄ|ß|SS|ſ|K|k|\u212a|"
                                  "\U00010400|\U00010428|\uffff|~")
                                  .split('|');
    db.creaTabella("Testi", {{"Testo", TipoCampo::Testo, 10}, {"Codice", TipoCampo::Testo, 2}});
    for (const QString& testo : testi) test::inserisci(db, "Testi", {{"Testo", testo}, {"Codice", "01"}});
    ASSERT_TRUE(test::eseguiSql(percorso, "INSERT INTO Testi (Testo, Codice) VALUES (NULL, '02');"));
    const QStringList letti = db.leggiTesti(Query::di("Testi").ordina("Testo"), {"Testo", "Codice"});
    ASSERT_EQ(letti.size(), 2 * (testi.size() + 1));
    EXPECT_TRUE(letti[0].isNull());
    EXPECT_EQ(letti[1], "02");
    QStringList inDatabase;
    for (int i = 2; i < letti.size(); i += 2) {
        EXPECT_FALSE(letti[i].isNull());
        inDatabase << letti[i];
    }
    QStringList inTabella;
    for (const QList<QVariant>& riga : db.leggi(Query::di("Testi").diverso("Codice", "02"), {"Testo"}))
        inTabella << riga[0].toString();
    std::stable_sort(inTabella.begin(), inTabella.end(),
                     [](const QString& a, const QString& b) { return ConfrontaTesti(a, b) < 0; });
    EXPECT_EQ(inTabella, inDatabase);
}

}  // namespace
