// The SQLite adapter: declared fields, case-insensitive text, LIKE patterns, bound values, row
// sets, reading many rows in one statement, statements kept per connection, transactions, and texts
// ordered in memory as the database orders them.
#include "database/Database.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

#include "SqlDiretto.h"
#include "TestSupport.h"

namespace {

class DatabaseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        percorso = dir.filePath("prova.mdb");
        db.crea(percorso);
        db.creaTabella("Luoghi", {{"Localita", TipoCampo::Testo, 30},
                                  {"Codice", TipoCampo::Testo, 2},
                                  {"Visto", TipoCampo::SiNo, 0}});
        db.creaIndice("Luoghi", "Localita");
    }
    // A row; the code is left unset when not given.
    void aggiungi(const QString& localita, const QVariant& codice = {}, bool visto = false) {
        RowSet r = db.apriTabella("Luoghi");
        r.aggiungi();
        r.imposta("Localita", localita);
        if (codice.isValid()) r.imposta("Codice", codice);
        r.imposta("Visto", visto);
        r.memorizza();
    }
    // The localities a query finds, read row by row and in one statement (which must agree).
    QStringList localita(const Query& q) {
        QStringList l, blocco;
        for (RowSet r = db.apriRowSet(q); !r.fine(); r.successivo()) l << r.testo("Localita");
        for (const QList<QVariant>& riga : db.leggi(q, {"Localita"})) blocco << riga[0].toString();
        EXPECT_EQ(l, blocco);
        return l;
    }
    Query luoghi() { return Query::di("Luoghi"); }
    QTemporaryDir dir;
    QString percorso;
    Database db;
};

// The declared fields in order with their types and widths; a text longer than its field (in
// characters, not bytes) is refused; fields left unset are stored empty and No.
TEST_F(DatabaseTest, CampiDichiaratiLarghezzeEValoriNonImpostati) {
    const QList<Campo> campi = db.campi("luoghi");
    ASSERT_EQ(campi.size(), 3);
    EXPECT_EQ(campi[0], (Campo{"Localita", TipoCampo::Testo, 30}));
    EXPECT_EQ(campi[1], (Campo{"Codice", TipoCampo::Testo, 2}));
    EXPECT_EQ(campi[2].tipo, TipoCampo::SiNo);
    EXPECT_EQ(db.indici("Luoghi"), QStringList{"Localita"});
    EXPECT_TRUE(db.esisteTabella("LUOGHI"));
    // The same index name in a second table.
    db.creaTabella("Altri", {{"Localita", TipoCampo::Testo, 30}});
    db.creaIndice("Altri", "Localita");
    EXPECT_EQ(db.indici("Altri"), QStringList{"Localita"});
    RowSet r = db.apriTabella("Luoghi");
    r.aggiungi();
    EXPECT_THROW(r.imposta("Codice", "ABC"), ErroreDatabase);
    EXPECT_NO_THROW(r.imposta("Localita", QString(30, QChar(0x00E8))));
    r.memorizza();
    r = db.apriRowSet(luoghi().dove("Codice", QString()));
    ASSERT_FALSE(r.fine());
    EXPECT_EQ(r.testo("Codice"), QString());
    EXPECT_FALSE(r.valore("Codice").isNull());
    EXPECT_FALSE(r.siNo("Visto"));
    // A file that is not there is not made by opening it.
    EXPECT_THROW(Database().apri(dir.filePath("manca.mdb")), ErroreDatabase);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("manca.mdb")));
}

// Equality, patterns ("*" and "?"; SQL's own wildcards are plain characters) and order ignore
// case, accented letters too, also past a shared accented beginning; quotes and commands in texts
// are only text.  Each query: "=" equality, "~" pattern, "<" and ">" the order; then what it finds.
TEST_F(DatabaseTest, UguaglianzaModelliEOrdineSenzaMaiuscole) {
    const QString nomi =
        "mèta|Metà|bari|Ancona|aosta|ZARA|Élancourt|Località 2|Località 10|LOCALITÀ 2|località 1|"
        "Localitá 2|Roma|roma |Roma (centro)|Romano|L'Aquila|LXAquila|Aquileia|"
        "Roma'; DROP TABLE Luoghi;--|50% \"sconto\"|a_b*c?d";
    for (const QString& l : nomi.split('|')) aggiungi(l);
    const QString query = R"(= MÈTA : mèta
~ MÈ* : mèta
= località 2 : Località 2,LOCALITÀ 2
~ Roma * : roma ,Roma (centro)
~ L?Aquila : L'Aquila,LXAquila
~ *quil* : L'Aquila,LXAquila,Aquileia
~ roma : Roma
~ Rom% :
~ Rom_ :
= L'Aquila : L'Aquila
= Roma'; DROP TABLE Luoghi;-- : Roma'; DROP TABLE Luoghi;--
= 50% "sconto" : 50% "sconto"
= a_b*c?d : a_b*c?d
<  : 50% "sconto",a_b*c?d,Ancona,aosta,Aquileia,bari,L'Aquila,località 1,Località 10,Località 2,LOCALITÀ 2,Localitá 2,LXAquila,Metà,mèta,Roma,roma ,Roma (centro),Roma'; DROP TABLE Luoghi;--,Romano,ZARA,Élancourt
>  : Élancourt,ZARA,Romano,Roma'; DROP TABLE Luoghi;--,Roma (centro),roma ,Roma,mèta,Metà,LXAquila,Localitá 2,Località 2,LOCALITÀ 2,Località 10,località 1,L'Aquila,bari,Aquileia,aosta,Ancona,a_b*c?d,50% "sconto")";
    for (const QString& q : query.split('\n')) {
        const QString chiave = q.mid(2).section(" :", 0, 0);
        const Query trovate = q[0] == '='   ? luoghi().dove("Localita", chiave)
                              : q[0] == '~' ? luoghi().like("Localita", chiave)
                                            : luoghi().ordina("Localita", q[0] == '>');
        EXPECT_EQ(localita(trovate).join(',').toStdString(), q.section(" :", 1).trimmed().toStdString())
            << q.toStdString();
    }
    EXPECT_EQ(db.conta(luoghi().diverso("Localita", "METÀ")), 21);
    EXPECT_THROW(db.apriRowSet(Query::di("Luoghi; DROP TABLE Luoghi")), ErroreDatabase);
    for (const char* caso : {"|*|1", "|?|0", "abc|a**c|1", "ÀBC|àb?|1", "abcd|a*c|0"}) {
        const QStringList c = QString(caso).split('|');
        EXPECT_EQ(CorrispondeLike(c[0], c[1]), c[2] == "1") << caso;
    }
}

// Rows deleted, added and changed through row sets, as other sets and queries see them.
TEST_F(DatabaseTest, RigheCancellateNuoveEModificateTraInsiemi) {
    for (const char* l : {"A", "B", "C"}) aggiungi(QString::fromUtf8(l));
    RowSet r = db.apriRowSet(luoghi().ordina("Localita"));
    EXPECT_EQ(r.conteggio(), 3);
    r.successivo();
    r.elimina();
    EXPECT_TRUE(r.fine());  // no current row until it moves
    r.successivo();
    EXPECT_EQ(r.testo("Localita"), "C");
    r.primo();
    QStringList visti;
    for (; !r.fine(); r.successivo()) visti << r.testo("Localita");
    EXPECT_EQ(visti, (QStringList{"A", "C"}));
    // Deleting while walking reaches every row.
    int cancellate = 0;
    for (RowSet tutte = db.apriTabella("Luoghi"); !tutte.fine(); tutte.successivo(), ++cancellate)
        tutte.elimina();
    EXPECT_EQ(cancellate, 2);
    EXPECT_EQ(db.conta(luoghi()), 0);
    // A change through one set is seen by another set on the same table.
    aggiungi("Roma", "01");
    RowSet a = db.apriTabella("Luoghi");
    RowSet b = db.apriTabella("Luoghi");
    a.modifica();
    a.imposta("Codice", "02");
    a.imposta("Visto", true);
    a.memorizza();
    b.primo();
    EXPECT_EQ(b.testo("Localita") + b.testo("Codice"), "Roma02");
    EXPECT_TRUE(b.siNo("Visto"));
}

TEST_F(DatabaseTest, TransazioneNonConfermataAnnullaTutto) {
    aggiungi("Resta");
    try {
        Database::Transazione tr(db);
        aggiungi("Sparisce");
        db.elimina(luoghi().dove("Localita", "Resta"));
        throw ErroreDatabase("guasto");
    } catch (const ErroreDatabase&) {
    }
    EXPECT_EQ(localita(luoghi()), QStringList{"Resta"});
    {
        Database::Transazione esterna(db);
        {
            Database::Transazione interna(db);
            aggiungi("Interna");
            interna.conferma();
        }
        esterna.conferma();
    }
    EXPECT_EQ(db.conta(luoghi()), 2);
}

// Statements kept for reuse belong to their connection: after closing and reopening the same
// file, the same queries read the file as it is now, and a row set left from before is closed.
TEST_F(DatabaseTest, RiapertoConservaIDatiERiusaLeIstruzioniSoloSullaSuaConnessione) {
    aggiungi("Oslo", "07", true);
    RowSet vecchio = db.apriTabella("Luoghi");
    EXPECT_EQ(vecchio.testo("Localita"), "Oslo");
    EXPECT_EQ(db.conta(luoghi()), 1);
    db.chiudi();
    {
        Database altro;
        altro.apri(percorso);
        RowSet r = altro.apriTabella("Luoghi");
        EXPECT_EQ(r.testo(0) + r.testo("Codice"), "Oslo07");
        EXPECT_TRUE(r.siNo("visto"));
        EXPECT_THROW(r.testo("Manca"), ErroreDatabase);
        test::inserisci(altro, "Luoghi|Localita=Bergen|Codice=08");
    }
    db.apri(percorso);
    EXPECT_FALSE(vecchio.aperto());
    EXPECT_EQ(db.conta(luoghi()), 2);
    EXPECT_EQ(localita(luoghi()), (QStringList{"Oslo", "Bergen"}));
    RowSet nuovo = db.apriTabella("Luoghi");
    nuovo.successivo();
    EXPECT_EQ(nuovo.testo("Localita"), "Bergen");
    vecchio = RowSet();
    aggiungi("Narvik", "12", true);
    EXPECT_EQ(db.conta(luoghi().dove("Visto", true)), 2);
}

// Many fields of many rows in one statement read as the row set reads them; an empty text field
// as an empty text, a Yes/No field as a bool; unknown or injected field names are refused.
TEST_F(DatabaseTest, LetturaInBloccoComeRigaPerRiga) {
    aggiungi("Oslo", "07", true);
    aggiungi("Bergen", QVariant(QString()), false);
    aggiungi("Narvik", "12", true);
    const Query q = luoghi().diverso("Localita", "NARVIK").ordina("Localita");
    const QList<QList<QVariant>> righe = db.leggi(q, {"visto", "Codice", "Localita"});
    ASSERT_EQ(righe.size(), 2);
    RowSet rs = db.apriRowSet(q);
    for (const QList<QVariant>& riga : righe) {
        EXPECT_EQ(riga, (QList<QVariant>{rs.valore("Visto"), rs.valore("Codice"), rs.valore("Localita")}));
        rs.successivo();
    }
    EXPECT_EQ(righe[0], (QList<QVariant>{false, QString(""), QString("Bergen")}));
    EXPECT_THROW(db.leggi(q, {"Manca"}), ErroreDatabase);
    EXPECT_THROW(db.leggi(q, {"Localita; DROP TABLE Luoghi"}), ErroreDatabase);
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
    EXPECT_EQ(localita(luoghi().ordina("Localita")), (QStringList{"Dopo", "Prima"}));
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

// Rows read in one statement come as SQLite's ORDER BY orders them (missing values first, case
// folded, accented letters, ties by insertion), also out of order and through an index range; a
// missing value reads as a null text, an empty text as an empty one.
TEST_F(DatabaseTest, LetturaInBloccoOrdinataComeNelDatabase) {
    const char* nomi[] = {"Oslo", "bergen", "Ålesund", "Bergen", "oslo", "Narvik", "Alta", "Bodø", "NARVIK"};
    const QVariant codici[] = {"07", QVariant(), "1", "07", QVariant(), "12", "07", "1", QVariant()};
    for (int i = 0; i < 9; ++i) aggiungi(QString::fromUtf8(nomi[i]), codici[i], i % 2 == 0);
    const auto comeSql = [this](const Query& q, const QStringList& campi) {
        QStringList sql, letti;
        for (RowSet rs = db.apriRowSet(q); !rs.fine(); rs.successivo()) {
            QStringList riga;
            for (const QString& c : campi) riga << rs.testo(c);
            sql << riga.join('/');
        }
        for (const QStringList& riga : db.leggiTesti(q, campi)) letti << riga.join('/');
        EXPECT_EQ(letti, sql);
    };
    for (const Query& q :
         {luoghi().ordina("Codice").ordina("Localita", true), luoghi().ordina("Localita"),
          luoghi().like("Localita", "*o*"), luoghi().like("Localita", "B*").ordina("Visto", true)}) {
        comeSql(q, {"Localita", "Codice"});
        localita(q);
    }
    db.creaTabella("Testi", {{"Testo", TipoCampo::Testo, 10}, {"Codice", TipoCampo::Testo, 2}});
    // Then backwards, equal texts tying by insertion: many short runs are sorted another way.
    QStringList testi = QString::fromUtf8(
                            "b|B|à|À|a|Ab|ab|aB|é|É|e|ez|È|1|01|10| |||Zz|zä|ZÄ|ß|SS|ſ|K|"
                            "k|\u212a|\U00010400|\U00010428|\uffff|~")
                            .split('|');
    testi += QStringList(testi.rbegin(), testi.rend());
    for (const QString& testo : testi) test::inserisci(db, "Testi", {{"Testo", testo}, {"Codice", "01"}});
    ASSERT_TRUE(test::eseguiSql(percorso, "INSERT INTO Testi (Testo, Codice) VALUES (NULL, '02');"));
    comeSql(Query::di("Testi").ordina("Testo"), {"Testo", "Codice"});
    const QList<QStringList> letti = db.leggiTesti(Query::di("Testi").ordina("Testo"), {"Testo"});
    EXPECT_TRUE(letti[0][0].isNull());
    EXPECT_TRUE(
        std::none_of(letti.begin() + 1, letti.end(), [](const QStringList& r) { return r[0].isNull(); }));
}

}  // namespace
