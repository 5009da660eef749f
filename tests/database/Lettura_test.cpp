// Reading many rows in one statement, the prepared statements kept for reuse, and the comparison
// of texts that share an accented beginning.
#include <gtest/gtest.h>

#include <QTemporaryDir>

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

// The rows are ordered as SQLite's ORDER BY orders them (empty fields first, ties by insertion),
// also when they do not come in order and when an index range serves the search.
TEST_F(Lettura, OrdineComeQuelloDelDatabase) {
    const char* luoghi[] = {"Oslo",   "bergen", "Ålesund", "Bergen", "oslo",
                            "Narvik", "Alta",   "Bodø",    "NARVIK"};
    const QVariant codici[] = {"07", QVariant(), "1", "07", QVariant(), "12", "07", "1", QVariant()};
    for (int i = 0; i < 9; ++i) aggiungi(db, QString::fromUtf8(luoghi[i]), codici[i], i % 2 == 0);
    for (const Query& q :
         {Query::di("Luoghi").ordina("Codice").ordina("Localita", true),
          Query::di("Luoghi").ordina("Localita"), Query::di("Luoghi").like("Localita", "*o*"),
          Query::di("Luoghi").like("Localita", "B*").ordina("Visto", true)}) {
        QStringList sql, sqlLocalita;
        for (RowSet rs = db.apriRowSet(q); !rs.fine(); rs.successivo()) {
            sql << rs.testo("Localita") + "/" + rs.testo("Codice");
            sqlLocalita << rs.testo("Localita");
        }
        QStringList letti;
        for (const QStringList& riga : db.leggiTesti(q, {"Localita", "Codice"})) letti << riga.join("/");
        EXPECT_EQ(letti, sql);
        EXPECT_EQ(localita(q), sqlLocalita);
    }
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

}  // namespace
