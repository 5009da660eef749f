// The data file's life: creation with its tables and indexes, guide-type seeding, the start-up
// check, rebuilds that keep every value, interrupted rebuilds, and the bulk delete.
#include "database/Archivio.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include "TestSupport.h"
#include "common/Progresso.h"
#include "database/TipiGuida.h"

namespace {

using test::inserisci;

// Fields as "name:type/width", blank-separated.
std::string Schema(const QList<Campo>& campi) {
    QStringList l;
    for (const Campo& c : campi)
        l << QStringLiteral("%1:%2/%3").arg(c.nome).arg(static_cast<int>(c.tipo)).arg(c.larghezza);
    return l.join(' ').toStdString();
}

// An unknown type letter creates no field but is still a field the check looks for.
TEST(Schema, LetturaDelleSpecifiche) {
    const QString spec = "Alfa[T=12],Beta[Q],Gamma[y],Delta[i],Eps[T=3]";
    EXPECT_EQ(Schema(LeggiSpecificaCreazione(spec)), "Alfa:0/12 Gamma:1/0 Delta:2/0 Eps:0/3");
    EXPECT_EQ(Schema(LeggiSpecificaVerifica(spec)), "Alfa:0/12 Beta:6/0 Gamma:1/0 Delta:2/0 Eps:0/3");
}

class ArchivioTest : public ::testing::Test {
  protected:
    QString percorso() const { return QDir(dir.path()).filePath("Voviva.mdb"); }
    // A data file whose tables are made from `elenco` instead of the current specifications,
    // holding the rows given ("Tabella|Campo=valore|...").
    void vecchio(const QStringList& righe = {}) {
        Database db;
        db.crea(percorso());
        for (int t = kPrimaTabella; t <= kUltimaTabella; ++t)
            if (!elenco.TabelleNomi[t].isEmpty())
                db.creaTabella(elenco.TabelleNomi[t], LeggiSpecificaCreazione(elenco.TabelleCampi[t]));
        Database::Transazione tr(db);
        for (const QString& r : righe) inserisci(db, r);
        tr.conferma();
    }
    void larghezza(int tabella, const QString& campo, int da, int a) {
        elenco.TabelleCampi[tabella].replace(QStringLiteral("%1[T=%2]").arg(campo).arg(da),
                                             QStringLiteral("%1[T=%2]").arg(campo).arg(a));
    }
    int conta(const QString& tabella) { return a.dati().conta(Query::di(tabella)); }
    ElencoTabelle elenco = TabelleStandard();
    QTemporaryDir dir;
    Archivio a{dir.path()};
};

TEST_F(ArchivioTest, PrimoAvvioCreaTabelleEIndici) {
    a.AvviaDatabase();
    EXPECT_EQ(a.dati().tabelle().join(','),
              "MeteCamper,Itinerari,GuidaCitta,TipoGuida,MetaCorrente,Parametri");
    EXPECT_EQ(a.dati().indici("GuidaCitta"), (QStringList{"Gruppo", "Localita"}));
    for (int t = kPrimaTabella; t <= kUltimaTabella; ++t) EXPECT_TRUE(a.rs[t].aperto()) << t;
}

// The guide types healed at each start: a new file, a partial table (completed after its highest
// code), unusable rows (ignored and said, never copied; the table stops growing and stays in
// "01"-"20"), every code taken.  Each case: the types before ("*": time required), the choices at
// the first start ("!": rows said), how many after three more, and the table in the end.
TEST_F(ArchivioTest, TipiGuidaCompletatiAdOgniAvvio) {
    a.AvviaDatabase();
    const QString casi =
        R"( = Ottimo,Da vedere,Interessante,Vedibile,Punto Sosta,PS e CS,Campeggio,Ristorante,Gpl,Lunori 13 = 01 Ottimo*,02 Da vedere*,03 Interessante*,04 Vedibile*,05 Punto Sosta,06 PS e CS,07 Campeggio,08 Ristorante,09 Gpl,10 Lunori,11 Lunorin,12 Carte/Guide,13 Altro
01 OTTIMO*,02 DA VEDERE*,03 INTERESSANTE*,04 VEDIBILE*,05 PUNTO SOSTA,06 PS E CS,07 CAMPEGGIO,08 RISTORANTE,09 GPL = OTTIMO,DA VEDERE,INTERESSANTE,VEDIBILE,PUNTO SOSTA,PS E CS,CAMPEGGIO,RISTORANTE,GPL 12 = 01 OTTIMO*,02 DA VEDERE*,03 INTERESSANTE*,04 VEDIBILE*,05 PUNTO SOSTA,06 PS E CS,07 CAMPEGGIO,08 RISTORANTE,09 GPL,10 Lunorin,11 Carte/Guide,12 Altro
01 ,02  ,03 ,04 ,05 Ottimo,05 Gpl,99 Da vedere,x1 Vedibile,18 Mio tipo = Ottimo,Mio tipo! 13 = 01 ,02  ,03 ,04 ,05 Ottimo,05 Gpl,06 Vedibile,07 Punto Sosta,08 PS e CS,09 Campeggio,10 Ristorante,11 Gpl,12 Lunorin,13 Carte/Guide,14 Altro,18 Mio tipo,19 Da vedere,20 Interessante,99 Da vedere,x1 Vedibile
01 T1,02 T2,03 T3,04 T4,05 T5,06 T6,07 T7,08 T8,09 T9,10 T10,11 T11,12 T12,13 T13,14 T14,15 T15,16 T16,17 T17,18 T18,19 T19,20 T20 = T1,T2,T3,T4,T5,T6,T7,T8,T9,T10,T11,T12,T13,T14,T15,T16,T17,T18,T19,T20 20 = 01 T1,02 T2,03 T3,04 T4,05 T5,06 T6,07 T7,08 T8,09 T9,10 T10,11 T11,12 T12,13 T13,14 T14,15 T15,16 T16,17 T17,18 T18,19 T19,20 T20)";
    for (const QString& caso : casi.split('\n')) {
        SCOPED_TRACE(caso.toStdString());
        a.dati().elimina(Query::di("TipoGuida"));
        for (const QString& t : caso.section(" = ", 0, 0).split(',', Qt::SkipEmptyParts))
            inserisci(a.dati(), "TipoGuida",
                      {{"CodiceGuida", t.section(' ', 0, 0)},
                       {"Descrizione", t.section(' ', 1).remove('*')},
                       {"TempoObbligatorio", t.endsWith('*')}});
        const TabellaTipiGuida primo = CaricaTipiGuida(a);
        for (int i = 0; i < 2; ++i) CaricaTipiGuida(a);
        const TabellaTipiGuida ultimo = CaricaTipiGuida(a);
        QStringList tabella;
        for (RowSet r = a.dati().apriRowSet(Query::di("TipoGuida").ordina("CodiceGuida")); !r.fine();
             r.successivo())
            tabella << r.testo("CodiceGuida") + ' ' + r.testo("Descrizione") +
                           (r.siNo("TempoObbligatorio") ? "*" : "");
        const QString esito = primo.sceltaTipi.join(',') + (primo.avviso.isEmpty() ? " " : "! ") +
                              QString::number(ultimo.sceltaTipi.size()) + " = " + tabella.join(',');
        EXPECT_EQ(esito.toStdString(), caso.section(" = ", 1).toStdString());
    }
}

TEST_F(ArchivioTest, FileNonDatabaseMostraErroreENonCambia) {
    const QByteArray contenuto = QByteArray("MDB? no: appunti di viaggio per la Norvegia\n").repeated(300);
    test::scriviFile(percorso(), contenuto);
    try {
        a.AvviaDatabase();
        FAIL() << "no error";
    } catch (const ErroreApertura& e) {
        EXPECT_EQ(e.messaggio(), "Errore apertura database " + QDir::toNativeSeparators(percorso()));
    }
    EXPECT_EQ(test::leggiFile(percorso()), contenuto);
    EXPECT_FALSE(QFileInfo::exists(a.percorsoTemporaneo()));
}

// A file SQLite finds damaged is refused before anything reads it, with the newest copy named,
// even when it changed after a clean close (which lets the next start skip the check).
TEST_F(ArchivioTest, DatabaseDanneggiatoDopoLaChiusuraPulitaRifiutatoENonToccato) {
    {
        Archivio prima(dir.path());
        prima.AvviaDatabase();
        Database::Transazione tr(prima.dati());
        for (int i = 0; i < 400; ++i)
            inserisci(prima.dati(), QStringLiteral("GuidaCitta|Localita=Luogo %1").arg(i));
        tr.conferma();
    }
    ASSERT_TRUE(QFile::exists(QDir(dir.path()).filePath(".Voviva.controllo")));
    QThread::msleep(20);  // past the clock's step, so that the write shows in the modification time
    QByteArray byte = test::leggiFile(percorso());
    // The last page holds guide rows: its page-type byte becomes one SQLite never writes.
    ASSERT_GT(byte.size(), 8 * 4096);
    byte[byte.size() - 4096] = '\x07';
    test::scriviFile(percorso(), byte);
    ASSERT_TRUE(QDir(dir.path()).mkpath("backup"));
    for (const char* c : {"20240101", "20250101"})
        test::scriviFile(dir.filePath(QString("backup/Voviva-%1-080000.mdb").arg(c)), c);
    try {
        a.AvviaDatabase();
        ADD_FAILURE() << "a damaged file was accepted";
    } catch (const ErroreDatabase& e) {
        const QString nuovo =
            QDir::toNativeSeparators(QDir(dir.path()).filePath("backup/Voviva-20250101-080000.mdb"));
        EXPECT_EQ(e.messaggio(), "Il database " + QDir::toNativeSeparators(percorso()) +
                                     " è danneggiato.\r\nLa copia più recente è " + nuovo + ".");
    }
    EXPECT_EQ(test::leggiFile(percorso()), byte);
    EXPECT_FALSE(a.dati().aperto());
}

// A stored field wider than the schema is rebuilt to the schema's width, keeping every row and
// its indexes.  Before the replace the old file is kept in backup/ (the newest five), the user is
// told what was kept and how many texts were cut, and a Voviva.mdb that is a link stays a link.
TEST_F(ArchivioTest, CopiaDelVecchioFileInBackupEAvviso) {
    larghezza(TabItinerari, "NomeStrada", 64, 80);
    const QDir cartella(dir.path());
    ASSERT_TRUE(cartella.mkpath("vera"));
    const QString vero = cartella.filePath("vera/dati.mdb");
    for (int giro = 0; giro < 6; ++giro) {
        QFile::remove(percorso());
        QFile::remove(vero);
        vecchio({"Itinerari|Localita=Bodø|Start=1|NomeStrada=" + QString(70, 'x'),
                 "Itinerari|Localita=Mo|NomeStrada=" + QString(66, 'y'),
                 "Itinerari|Localita=Alta|NomeStrada=E6"});
        if (giro == 5) {  // the last round through a link
            ASSERT_TRUE(QFile::rename(percorso(), vero));
            ASSERT_TRUE(QFile::link(vero, percorso()));
        }
        Archivio nuovo(dir.path());
        nuovo.AvviaDatabase();
        const QString copia = nuovo.copiaPiuRecente();
        ASSERT_FALSE(copia.isEmpty());
        {
            Database db;
            db.apri(copia);
            EXPECT_EQ(db.campi("Itinerari")[4].larghezza, 80);
            EXPECT_EQ(db.conta(Query::di("Itinerari").dove("NomeStrada", QString(70, 'x'))), 1);
        }
        EXPECT_TRUE(nuovo.avviso.contains(copia)) << nuovo.avviso.toStdString();
        EXPECT_TRUE(nuovo.avviso.endsWith("Testi accorciati: 2.")) << nuovo.avviso.toStdString();
        EXPECT_EQ(nuovo.dati().conta(Query::di("Itinerari")), 3);
        EXPECT_TRUE(nuovo.dati().apriRowSet(Query::di("Itinerari").dove("Localita", "Bodø")).siNo("Start"));
        EXPECT_EQ(nuovo.dati().indici("Itinerari").size(), 3);
        EXPECT_FALSE(QFileInfo::exists(nuovo.percorsoTemporaneo()));
    }
    EXPECT_EQ(QDir(cartella.filePath("backup")).entryList(QDir::Files).size(), 5);
    EXPECT_TRUE(QFileInfo(percorso()).isSymLink());
    Database db;
    db.apri(vero);
    EXPECT_EQ(db.campi("Itinerari")[4].larghezza, 64);
}

// Whichever statement of the rebuild fails, the old file keeps every row and its schema, and the
// next start completes the rebuild.
TEST_F(ArchivioTest, GuastoAOgniIstruzioneLasciaIlVecchioFile) {
    larghezza(TabGuidaCitta, "Descrizione", 96, 90);
    vecchio({"MeteCamper|CodiceMeta=000001|Localita=Tromsø", "Itinerari|CodiceMeta=000001|Localita=Narvik",
             "GuidaCitta|Localita=Narvik|Descrizione=Museo"});
    QStringList prima;
    {
        Database db;
        db.apri(percorso());
        // The tables before GuidaCitta have their indexes, so the check alone changes nothing.
        for (const char* campo : {"CodiceMeta", "Localita"}) db.creaIndice("MeteCamper", campo);
        for (const char* campo : {"CodiceMeta", "Sequenza", "Localita"}) db.creaIndice("Itinerari", campo);
        prima = test::istantanea(db);
    }
    const int istruzioni = test::GuastoAOgniIstruzione(
        [&] {
            Archivio nuovo(dir.path());
            nuovo.AvviaDatabase();
        },
        [&](int n) {
            Database db;
            db.apri(percorso());
            const QStringList ora = test::istantanea(db);
            // A failure after the replace (opening the new file) finds every row in the new schema.
            if (db.campi("GuidaCitta")[3].larghezza == 90)
                ASSERT_EQ(ora, prima) << "statement " << n;
            else
                ASSERT_EQ(ora.filter(QRegularExpression("^[^#]")), prima.filter(QRegularExpression("^[^#]")))
                    << "statement " << n;
        });
    RecordProperty("istruzioni", istruzioni);
    EXPECT_GT(istruzioni, 20);
    Database db;
    db.apri(percorso());
    EXPECT_EQ(db.campi("GuidaCitta")[3].larghezza, 96);
    EXPECT_EQ(db.conta(Query::di("GuidaCitta")), 1);
}

// A table without its last two fields, one with its fields in another order and a missing table:
// one rebuild adds the fields empty, copies by name and creates the table.
TEST_F(ArchivioTest, CampiMancantiInAltroOrdineETabellaMancante) {
    elenco.TabelleCampi[TabMeteCamper].remove(QStringLiteral(",Flag1[T=25],Flag2[T=25]"));
    elenco.TabelleCampi[TabTipoGuida] = "Descrizione[T=32],TempoObbligatorio[Y],CodiceGuida[T=2]";
    elenco.TabelleNomi[TabParametri].clear();
    vecchio({"MeteCamper|CodiceMeta=000001|Localita=Capo Nord|Coefficiente=0.5",
             "TipoGuida|Descrizione=Fiordo|TempoObbligatorio=1|CodiceGuida=14"});
    a.AvviaDatabase();
    RowSet r = a.dati().apriTabella("MeteCamper");
    ASSERT_EQ(r.numeroCampi(), 28);
    EXPECT_EQ((QStringList{r.testo(1), r.testo(25), r.testo(26), r.testo(27)}),
              (QStringList{"Capo Nord", "0.5", "", ""}));
    RowSet t = a.dati().apriTabella("TipoGuida");
    EXPECT_EQ(t.testo("CodiceGuida") + t.testo("Descrizione") + (t.siNo("TempoObbligatorio") ? "*" : ""),
              "14Fiordo*");
    EXPECT_TRUE(a.dati().esisteTabella("Parametri"));
}

// A field the schema does not know is no reason to rebuild, and stays.
TEST_F(ArchivioTest, CampoInPiuNonRicostruisceERimane) {
    elenco.TabelleCampi[TabGuidaCitta] += ",Note[T=40]";
    vecchio({"GuidaCitta|Localita=Bergen|Note=porto"});
    int passi = 0;
    a.passoRicostruzione = [&](const QString&) { ++passi; };
    a.AvviaDatabase();
    EXPECT_EQ(passi, 0);
    EXPECT_EQ(a.dati().campi("GuidaCitta").last().nome, "Note");
    EXPECT_EQ(a.dati().apriTabella("GuidaCitta").testo("Note"), "porto");
}

// Past the check (which completes the indexes of the tables that pass), a rebuild interrupted at
// any step leaves the old file as it was; the next start clears the stale file and completes it.
TEST_F(ArchivioTest, InterruzioneAOgniPassoLasciaIlVecchioFile) {
    larghezza(TabItinerari, "NomeStrada", 64, 50);
    vecchio({"MeteCamper|Localita=Tromsø", "Itinerari|Localita=Narvik"});
    QByteArray prima;
    for (const char* guasto :
         {"creato", "copiata MeteCamper", "copiata Itinerari", "copiata Parametri", "sostituzione"}) {
        SCOPED_TRACE(guasto);
        Archivio interrotto(dir.path());
        interrotto.passoRicostruzione = [&](const QString& p) {
            if (p == guasto) throw ErroreDatabase("interrotto");
        };
        EXPECT_THROW(interrotto.AvviaDatabase(), ErroreDatabase);
        if (prima.isEmpty()) prima = test::leggiFile(percorso());
        EXPECT_EQ(test::leggiFile(percorso()), prima);
        Database db;
        db.apri(percorso());
        EXPECT_EQ(
            db.apriTabella("MeteCamper").testo("Localita") + db.apriTabella("Itinerari").testo("Localita"),
            "TromsøNarvik");
        EXPECT_EQ(db.campi("Itinerari")[4].larghezza, 50);
    }
    EXPECT_TRUE(QFileInfo::exists(QDir(dir.path()).filePath("DBTemp.mdb")));
    a.AvviaDatabase();
    EXPECT_FALSE(QFileInfo::exists(a.percorsoTemporaneo()));
    EXPECT_EQ(a.dati().apriTabella("MeteCamper").testo("Localita"), "Tromsø");
    EXPECT_EQ(a.dati().campi("Itinerari")[4].larghezza, 64);
}

// The guide's slot: a query's rows counted, the set on the first; deletes by value (an apostrophe
// matches any character, as the guide look-ups expect) with the progress bar; localities repaired.
TEST_F(ArchivioTest, SlotContaCancellaERipara) {
    a.AvviaDatabase();
    for (const char* l : {"L'Aquila", "LXAquila", "Oslo", "Roma';DROP TABLE GuidaCitta--"})
        inserisci(a.dati(), "GuidaCitta", {{"Localita", QString::fromUtf8(l)}});
    a.query = Query::di("GuidaCitta").ordina("Localita", true);
    a.RecordSetImposta(0, 7);
    EXPECT_EQ(a.NumeroRecord, 4);
    EXPECT_EQ(a.rs[7].testo("Localita"), "Roma';DROP TABLE GuidaCitta--");
    a.query = Query::di("GuidaCitta").dove("Localita", "Bergen");
    a.RecordSetImposta(0, 7);
    EXPECT_EQ(a.NumeroRecord, 0);
    EXPECT_TRUE(a.rs[7].fine());
    ProgressoMemoria p;
    a.CancellaTabella(TabGuidaCitta, "Localita", "Roma';DROP TABLE GuidaCitta--", &p);
    EXPECT_EQ(conta("GuidaCitta"), 3);
    EXPECT_EQ(p.ultimaDidascalia, "Cancellazione tabella GuidaCitta");
    EXPECT_GE(p.aggiornamenti, 1);
    EXPECT_EQ(p.massimo, 0);  // cleared at the end
    a.CancellaTabella(TabGuidaCitta, "Localita", "L'Aquila");
    EXPECT_EQ(conta("GuidaCitta"), 1);
    a.CancellaTabella(TabGuidaCitta, QString(), "ignorato");
    EXPECT_EQ(conta("GuidaCitta"), 0);
    inserisci(a.dati(), "GuidaCitta|Localita=  Roma (centro) ");
    inserisci(a.dati(), "GuidaCitta|Localita=(Bergen)");
    a.RiparaLocalitaGuida();
    EXPECT_EQ(a.dati().conta(Query::di("GuidaCitta").dove("Localita", "Roma")), 1);
    EXPECT_EQ(a.dati().conta(Query::di("GuidaCitta").dove("Localita", QString())), 1);
}

}  // namespace
