// The SQLite adapter: declared fields, case-insensitive text, LIKE patterns, bound values, row
// sets and transactions.
#include "database/Database.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <memory>
#include <thread>

#include "TestSupport.h"

namespace {

class DatabaseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        percorso = dir.filePath(QStringLiteral("prova.mdb"));
        db.crea(percorso);
        db.creaTabella(QStringLiteral("Luoghi"), {{QStringLiteral("Localita"), TipoCampo::Testo, 30},
                                                  {QStringLiteral("Codice"), TipoCampo::Testo, 2},
                                                  {QStringLiteral("Visto"), TipoCampo::SiNo, 0}});
        db.creaIndice(QStringLiteral("Luoghi"), QStringLiteral("Localita"));
    }
    void aggiungi(const QString& localita, const QString& codice = QString(), bool visto = false) {
        RowSet r = db.apriTabella(QStringLiteral("Luoghi"));
        r.aggiungi();
        r.imposta(QStringLiteral("Localita"), localita);
        if (!codice.isNull()) r.imposta(QStringLiteral("Codice"), codice);
        r.imposta(QStringLiteral("Visto"), visto);
        r.memorizza();
    }
    QStringList localita(const Query& q) {
        QStringList l;
        for (RowSet r = db.apriRowSet(q); !r.fine(); r.successivo()) l << r.testo(QStringLiteral("Localita"));
        return l;
    }
    Query luoghi() { return Query::di(QStringLiteral("Luoghi")); }

    QTemporaryDir dir;
    QString percorso;
    Database db;
};

TEST_F(DatabaseTest, CampiNellOrdineConTipiELarghezze) {
    const QList<Campo> campi = db.campi(QStringLiteral("luoghi"));
    ASSERT_EQ(campi.size(), 3);
    EXPECT_EQ(campi[0], (Campo{QStringLiteral("Localita"), TipoCampo::Testo, 30}));
    EXPECT_EQ(campi[1], (Campo{QStringLiteral("Codice"), TipoCampo::Testo, 2}));
    EXPECT_EQ(campi[2].tipo, TipoCampo::SiNo);
    EXPECT_EQ(db.indici(QStringLiteral("Luoghi")), QStringList{QStringLiteral("Localita")});
    EXPECT_TRUE(db.esisteTabella(QStringLiteral("LUOGHI")));
}

TEST_F(DatabaseTest, LoStessoNomeDiIndiceInDueTabelle) {
    db.creaTabella(QStringLiteral("Altri"), {{QStringLiteral("Localita"), TipoCampo::Testo, 30}});
    db.creaIndice(QStringLiteral("Altri"), QStringLiteral("Localita"));
    EXPECT_EQ(db.indici(QStringLiteral("Altri")), QStringList{QStringLiteral("Localita")});
}

TEST_F(DatabaseTest, TestoPiuLungoDelCampoRifiutato) {
    RowSet r = db.apriTabella(QStringLiteral("Luoghi"));
    r.aggiungi();
    EXPECT_THROW(r.imposta(QStringLiteral("Codice"), QStringLiteral("ABC")), ErroreDatabase);
    EXPECT_NO_THROW(r.imposta(QStringLiteral("Codice"), QStringLiteral("AB")));
    // Width counts characters, not bytes.
    EXPECT_NO_THROW(r.imposta(QStringLiteral("Localita"), QString(30, QChar(0x00E8))));
    r.memorizza();
    EXPECT_EQ(db.conta(luoghi()), 1);
}

TEST_F(DatabaseTest, CampiNonImpostatiSonoVuotiENo) {
    aggiungi(QStringLiteral("Roma"));
    RowSet r = db.apriRowSet(luoghi().dove(QStringLiteral("Codice"), QString()));
    ASSERT_FALSE(r.fine());
    EXPECT_EQ(r.testo(QStringLiteral("Codice")), QString());
    EXPECT_FALSE(r.valore(QStringLiteral("Codice")).isNull());
    EXPECT_FALSE(r.siNo(QStringLiteral("Visto")));
}

TEST_F(DatabaseTest, UguaglianzaIgnoraMaiuscoleAncheAccentate) {
    aggiungi(QStringLiteral("mèta"));
    aggiungi(QStringLiteral("Metà"));
    EXPECT_EQ(localita(luoghi().dove(QStringLiteral("Localita"), QStringLiteral("MÈTA"))),
              QStringList{QStringLiteral("mèta")});
    EXPECT_EQ(localita(luoghi().like(QStringLiteral("Localita"), QStringLiteral("MÈ*"))),
              QStringList{QStringLiteral("mèta")});
    EXPECT_EQ(db.conta(luoghi().diverso(QStringLiteral("Localita"), QStringLiteral("METÀ"))), 1);
}

TEST_F(DatabaseTest, ModelliLikeConAsteriscoEPuntoInterrogativo) {
    for (const char* l : {"Roma", "Roma (centro)", "Romano", "L'Aquila", "LXAquila", "Aquileia", "roma "})
        aggiungi(QString::fromUtf8(l));
    EXPECT_EQ(localita(luoghi().like(QStringLiteral("Localita"), QStringLiteral("Roma *"))),
              (QStringList{QStringLiteral("Roma (centro)"), QStringLiteral("roma ")}));
    EXPECT_EQ(localita(luoghi().like(QStringLiteral("Localita"), QStringLiteral("L?Aquila"))),
              (QStringList{QStringLiteral("L'Aquila"), QStringLiteral("LXAquila")}));
    EXPECT_EQ(localita(luoghi().like(QStringLiteral("Localita"), QStringLiteral("*quil*"))).size(), 3);
    EXPECT_EQ(localita(luoghi().like(QStringLiteral("Localita"), QStringLiteral("roma"))),
              QStringList{QStringLiteral("Roma")});
    // SQL's own wildcards are plain characters in these patterns.
    EXPECT_TRUE(localita(luoghi().like(QStringLiteral("Localita"), QStringLiteral("Rom%"))).isEmpty());
    EXPECT_TRUE(localita(luoghi().like(QStringLiteral("Localita"), QStringLiteral("Rom_"))).isEmpty());
}

TEST(CorrispondeLike, CasiLimite) {
    EXPECT_TRUE(CorrispondeLike(QString(), QStringLiteral("*")));
    EXPECT_FALSE(CorrispondeLike(QString(), QStringLiteral("?")));
    EXPECT_TRUE(CorrispondeLike(QStringLiteral("abc"), QStringLiteral("a**c")));
    EXPECT_TRUE(CorrispondeLike(QStringLiteral("ÀBC"), QStringLiteral("àb?")));
    EXPECT_FALSE(CorrispondeLike(QStringLiteral("abcd"), QStringLiteral("a*c")));
}

TEST_F(DatabaseTest, TestiConApiciEComandiSonoSoloTesto) {
    const QStringList insidiosi = {QStringLiteral("L'Aquila"), QStringLiteral("Roma'; DROP TABLE Luoghi;--"),
                                   QStringLiteral("50% \"sconto\""), QStringLiteral("a_b*c?d")};
    for (const QString& t : insidiosi) aggiungi(t);
    for (const QString& t : insidiosi)
        EXPECT_EQ(localita(luoghi().dove(QStringLiteral("Localita"), t)), QStringList{t}) << t.toStdString();
    EXPECT_TRUE(db.esisteTabella(QStringLiteral("Luoghi")));
    EXPECT_EQ(db.conta(luoghi()), 4);
    EXPECT_THROW(db.apriRowSet(Query::di(QStringLiteral("Luoghi; DROP TABLE Luoghi"))), ErroreDatabase);
}

TEST_F(DatabaseTest, OrdinamentoSenzaRiguardoAlleMaiuscole) {
    for (const char* l : {"bari", "Ancona", "ZARA", "Élancourt", "aosta"}) aggiungi(QString::fromUtf8(l));
    EXPECT_EQ(localita(luoghi().ordina(QStringLiteral("Localita"))),
              (QStringList{QStringLiteral("Ancona"), QStringLiteral("aosta"), QStringLiteral("bari"),
                           QStringLiteral("ZARA"), QStringLiteral("Élancourt")}));
    EXPECT_EQ(localita(luoghi().ordina(QStringLiteral("Localita"), true)).first(),
              QStringLiteral("Élancourt"));
}

TEST_F(DatabaseTest, RigheCancellateENuoveNelloStessoInsieme) {
    for (const char* l : {"A", "B", "C"}) aggiungi(QString::fromUtf8(l));
    RowSet r = db.apriRowSet(luoghi().ordina(QStringLiteral("Localita")));
    EXPECT_EQ(r.conteggio(), 3);
    r.successivo();
    r.elimina();
    EXPECT_TRUE(r.fine());  // no current row until it moves
    r.successivo();
    EXPECT_EQ(r.testo(QStringLiteral("Localita")), QStringLiteral("C"));
    r.primo();
    QStringList visti;
    for (; !r.fine(); r.successivo()) visti << r.testo(QStringLiteral("Localita"));
    EXPECT_EQ(visti, (QStringList{QStringLiteral("A"), QStringLiteral("C")}));

    // A row added through one set is visible to a query opened afterwards.
    r.aggiungi();
    r.imposta(QStringLiteral("Localita"), QStringLiteral("D"));
    r.memorizza();
    EXPECT_EQ(localita(luoghi().ordina(QStringLiteral("Localita"))),
              (QStringList{QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("D")}));
}

TEST_F(DatabaseTest, CancellareTuttoCamminando) {
    for (int i = 0; i < 5; ++i) aggiungi(QStringLiteral("X%1").arg(i));
    RowSet r = db.apriTabella(QStringLiteral("Luoghi"));
    int cancellate = 0;
    while (!r.fine()) {
        r.elimina();
        r.successivo();
        ++cancellate;
    }
    EXPECT_EQ(cancellate, 5);
    EXPECT_EQ(db.conta(luoghi()), 0);
}

TEST_F(DatabaseTest, ModificaVistaDaUnAltroInsieme) {
    aggiungi(QStringLiteral("Roma"), QStringLiteral("01"));
    RowSet a = db.apriTabella(QStringLiteral("Luoghi"));
    RowSet b = db.apriTabella(QStringLiteral("Luoghi"));
    EXPECT_EQ(b.testo(QStringLiteral("Codice")), QStringLiteral("01"));
    a.modifica();
    a.imposta(QStringLiteral("Codice"), QStringLiteral("02"));
    a.imposta(QStringLiteral("Visto"), true);
    a.memorizza();
    b.primo();
    EXPECT_EQ(b.testo(QStringLiteral("Codice")), QStringLiteral("02"));
    EXPECT_TRUE(b.siNo(QStringLiteral("Visto")));
    EXPECT_EQ(b.testo(QStringLiteral("Localita")), QStringLiteral("Roma"));
}

TEST_F(DatabaseTest, TransazioneNonConfermataAnnullaTutto) {
    aggiungi(QStringLiteral("Resta"));
    try {
        Database::Transazione tr(db);
        aggiungi(QStringLiteral("Sparisce"));
        db.elimina(luoghi().dove(QStringLiteral("Localita"), QStringLiteral("Resta")));
        throw ErroreDatabase(QStringLiteral("guasto"));
    } catch (const ErroreDatabase&) {
    }
    EXPECT_EQ(localita(luoghi()), QStringList{QStringLiteral("Resta")});
    {
        Database::Transazione esterna(db);
        {
            Database::Transazione interna(db);
            aggiungi(QStringLiteral("Interna"));
            interna.conferma();
        }
        esterna.conferma();
    }
    EXPECT_EQ(db.conta(luoghi()), 2);
}

TEST_F(DatabaseTest, FileCheNonEUnDatabaseRestaIntatto) {
    const QString falso = dir.filePath(QStringLiteral("falso.mdb"));
    const QByteArray contenuto("Questo non e' un database, ma un testo qualunque.\r\n", 51);
    test::scriviFile(falso, contenuto.repeated(100));
    Database altro;
    EXPECT_THROW(altro.apri(falso), ErroreDatabase);
    EXPECT_FALSE(altro.aperto());
    EXPECT_EQ(test::leggiFile(falso), contenuto.repeated(100));
    EXPECT_THROW(altro.apri(dir.filePath(QStringLiteral("manca.mdb"))), ErroreDatabase);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("manca.mdb"))));
}

TEST_F(DatabaseTest, RiapertoConservaIDati) {
    aggiungi(QStringLiteral("Oslo"), QStringLiteral("07"), true);
    db.chiudi();
    Database riaperto;
    riaperto.apri(percorso);
    RowSet r = riaperto.apriTabella(QStringLiteral("Luoghi"));
    ASSERT_FALSE(r.fine());
    EXPECT_EQ(r.testo(0), QStringLiteral("Oslo"));
    EXPECT_TRUE(r.siNo(QStringLiteral("visto")));
    EXPECT_THROW(r.testo(QStringLiteral("Manca")), ErroreDatabase);
}

// A second run waits for the first to finish writing; one that waits in vain says why.
TEST_F(DatabaseTest, UnAltroProcessoOccupatoSiAttendePoiSiDice) {
    Database altro;
    altro.apri(percorso);
    {
        auto scrittura = std::make_unique<Database::Transazione>(db);
        aggiungi(QStringLiteral("Prima"));
        std::thread fine([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            scrittura->conferma();
        });
        RowSet r = altro.apriTabella(QStringLiteral("Luoghi"));
        EXPECT_NO_THROW({
            Database::Transazione tr(altro);
            r.aggiungi();
            r.imposta(QStringLiteral("Localita"), QStringLiteral("Dopo"));
            r.memorizza();
            tr.conferma();
        });
        fine.join();
    }
    EXPECT_EQ(localita(luoghi().ordina(QStringLiteral("Localita"))),
              (QStringList{QStringLiteral("Dopo"), QStringLiteral("Prima")}));

    Database::Transazione bloccata(db);
    aggiungi(QStringLiteral("Bloccata"));
    try {
        altro.elimina(luoghi());
        ADD_FAILURE() << "the delete went through a held lock";
    } catch (const ErroreDatabase& e) {
        EXPECT_TRUE(QString::fromStdString(e.what()).contains("occupato da un'altra elaborazione"))
            << e.what();
    }
}

}  // namespace
