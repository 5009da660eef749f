// The data file's life: creation with its tables and indexes, guide-type seeding, rebuilds that
// keep every value, interrupted rebuilds, and the bulk delete.
#include "database/Archivio.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "common/Progresso.h"
#include "database/TipiGuida.h"

namespace {

QString percorsoIn(const QTemporaryDir& d) {
    return QDir(d.path()).filePath("Voviva.mdb");
}

// A database whose tables are made from the given specifications instead of the current ones.
void creaVecchio(const QTemporaryDir& dir, const ElencoTabelle& elenco) {
    Database db;
    db.crea(percorsoIn(dir));
    for (int t = kPrimaTabella; t <= kUltimaTabella; ++t)
        if (!elenco.TabelleNomi[t].isEmpty())
            db.creaTabella(elenco.TabelleNomi[t], LeggiSpecificaCreazione(elenco.TabelleCampi[t]));
}

using test::inserisci;

QStringList nomiCampi(Database& db, const QString& tabella) {
    QStringList n;
    for (const Campo& c : db.campi(tabella)) n << c.nome;
    return n;
}

TEST(Schema, LetturaDelleSpecifiche) {
    // An unknown type letter creates no field but is still a field the check looks for.
    const QString spec = "Alfa[T=12],Beta[Q],Gamma[y],Delta[i],Eps[T=3]";
    const QList<Campo> creati = LeggiSpecificaCreazione(spec);
    ASSERT_EQ(creati.size(), 4);
    EXPECT_EQ(creati[0], (Campo{"Alfa", TipoCampo::Testo, 12}));
    EXPECT_EQ(creati[1].tipo, TipoCampo::SiNo);
    EXPECT_EQ(creati[2].tipo, TipoCampo::Intero);
    EXPECT_EQ(creati[3], (Campo{"Eps", TipoCampo::Testo, 3}));
    const QList<Campo> verificati = LeggiSpecificaVerifica(spec);
    ASSERT_EQ(verificati.size(), 5);
    EXPECT_EQ(verificati[1].nome, "Beta");
    EXPECT_EQ(verificati[4].larghezza, 3);
}

// A new data file, and the guide types healed at each start.
class Avvio : public ::testing::Test {
  protected:
    void SetUp() override { a.AvviaDatabase(); }
    void tipo(const QString& codice, const QString& descrizione, bool obbligatorio = false) {
        inserisci(
            a.dati(), "TipoGuida",
            {{"CodiceGuida", codice}, {"Descrizione", descrizione}, {"TempoObbligatorio", obbligatorio}});
    }
    int righeTipi() { return a.dati().conta(Query::di("TipoGuida")); }
    // The stored types with codes in (dopo, fino], "code description".
    QStringList tipiTra(const char* dopo, const char* fino) {
        QStringList l;
        for (RowSet r = a.dati().apriRowSet(Query::di("TipoGuida").ordina("CodiceGuida")); !r.fine();
             r.successivo())
            if (r.testo(0) > QLatin1String(dopo) && r.testo(0) <= QLatin1String(fino))
                l << r.testo(0) + QLatin1Char(' ') + r.testo(1);
        return l;
    }
    QTemporaryDir dir;
    Archivio a{dir.path()};
};

TEST_F(Avvio, PrimoAvvioCreaTabelleIndiciETipiGuida) {
    ASSERT_TRUE(QFileInfo::exists(percorsoIn(dir)));
    Database& db = a.dati();
    EXPECT_EQ(db.tabelle(), (QStringList{"MeteCamper", "Itinerari", "GuidaCitta", "TipoGuida", "MetaCorrente",
                                         "Parametri"}));
    EXPECT_EQ(db.indici("GuidaCitta"), (QStringList{"Gruppo", "Localita"}));
    for (int t = kPrimaTabella; t <= kUltimaTabella; ++t) EXPECT_TRUE(a.rs[t].aperto()) << t;

    const TabellaTipiGuida tipi = CaricaTipiGuida(a);
    EXPECT_EQ(tipi.sceltaTipi.size(), 10);  // the completion joins the table at the next start
    EXPECT_TRUE(tipi.voci[4].tempoObbligatorio);
    EXPECT_FALSE(tipi.voci[5].tempoObbligatorio);

    // The next start puts all thirteen in the table and adds nothing more.
    const TabellaTipiGuida poi = CaricaTipiGuida(a);
    EXPECT_EQ(poi.sceltaTipi.size(), 13);
    EXPECT_EQ(poi.voci[13].descrizione, "Altro");
    EXPECT_EQ(righeTipi(), 13);
}

TEST_F(Avvio, TipiGuidaParzialiCompletatiDopoIlCodicePiuAlto) {
    const char* nomi[] = {"Ottimo",  "Da vedere", "Interessante", "Vedibile", "Punto Sosta",
                          "PS e CS", "Campeggio", "Ristorante",   "Gpl"};
    for (int i = 0; i < 9; ++i)
        tipo(QStringLiteral("0%1").arg(i + 1), QString::fromUtf8(nomi[i]).toUpper(), i < 4);
    EXPECT_EQ(CaricaTipiGuida(a).sceltaTipi.size(), 9);
    EXPECT_EQ(tipiTra("09", "99"), (QStringList{"10 Lunorin", "11 Carte/Guide", "12 Altro"}));

    // A table that already has every description gets nothing.
    const int righe = righeTipi();
    CaricaTipiGuida(a);
    EXPECT_EQ(righeTipi(), righe);
}

// Unusable rows (empty descriptions, repeated or foreign codes) are ignored and said, never
// copied into new rows; the table stops growing after one start and never leaves "01"-"20".
TEST_F(Avvio, TipiGuidaInutilizzabiliIgnoratiSenzaCrescere) {
    const QList<QPair<QString, QString>> righe = {
        {"01", ""},    {"02", " "},         {"03", ""},         {"04", ""},        {"05", "Ottimo"},
        {"05", "Gpl"}, {"99", "Da vedere"}, {"x1", "Vedibile"}, {"18", "Mio tipo"}};
    for (const auto& [codice, descrizione] : righe) tipo(codice, descrizione);

    const TabellaTipiGuida tipi = CaricaTipiGuida(a);
    EXPECT_EQ(tipi.sceltaTipi, (QStringList{"Ottimo", "Mio tipo"}));
    EXPECT_FALSE(tipi.avviso.isEmpty());
    const int dopoUno = righeTipi();
    EXPECT_EQ(dopoUno, righe.size() + 11) << "the eleven standard descriptions not yet usable";
    for (int i = 0; i < 3; ++i) CaricaTipiGuida(a);
    EXPECT_EQ(righeTipi(), dopoUno);
    EXPECT_EQ(tipiTra("05", "20"),
              (QStringList{"06 Vedibile", "07 Punto Sosta", "08 PS e CS", "09 Campeggio", "10 Ristorante",
                           "11 Gpl", "12 Lunorin", "13 Carte/Guide", "14 Altro", "18 Mio tipo",
                           "19 Da vedere", "20 Interessante"}))
        << "after 18 the next code, then the lowest free ones";

    // Every code taken: nothing is added.
    QTemporaryDir altra;
    Archivio pieno(altra.path());
    pieno.AvviaDatabase();
    for (int c = 1; c <= 20; ++c)
        inserisci(pieno.dati(), "TipoGuida",
                  {{"CodiceGuida", QStringLiteral("%1").arg(c, 2, 10, QLatin1Char('0'))},
                   {"Descrizione", QStringLiteral("Tipo %1").arg(c)},
                   {"TempoObbligatorio", false}});
    EXPECT_EQ(CaricaTipiGuida(pieno).sceltaTipi.size(), 20);
    EXPECT_EQ(pieno.dati().conta(Query::di("TipoGuida")), 20);
}

TEST(AvvioFallito, FileNonDatabaseMostraErroreENonCambia) {
    QTemporaryDir dir;
    const QByteArray contenuto = QByteArray("MDB? no: appunti di viaggio per la Norvegia\n").repeated(300);
    test::scriviFile(percorsoIn(dir), contenuto);
    Archivio a(dir.path());
    try {
        a.AvviaDatabase();
        FAIL() << "no error";
    } catch (const ErroreApertura& e) {
        EXPECT_EQ(e.messaggio(), "Errore apertura database " + QDir::toNativeSeparators(percorsoIn(dir)));
    }
    EXPECT_EQ(test::leggiFile(percorsoIn(dir)), contenuto);
    EXPECT_FALSE(QFileInfo::exists(a.percorsoTemporaneo()));
}

class Ricostruzione : public ::testing::Test {
  protected:
    ElencoTabelle elenco = TabelleStandard();
    QTemporaryDir dir;
};

// A stored field narrower or wider than the schema is rebuilt to the schema's width.
TEST_F(Ricostruzione, CampoDiAltraLarghezzaRicostruitoSenzaPerdereRighe) {
    for (const char* larghezza : {"50", "80"}) {
        SCOPED_TRACE(larghezza);
        QTemporaryDir dir;
        ElencoTabelle elenco = TabelleStandard();
        elenco.TabelleCampi[TabItinerari].replace(QStringLiteral("NomeStrada[T=64]"),
                                                  QStringLiteral("NomeStrada[T=%1]").arg(larghezza));
        creaVecchio(dir, elenco);
        {
            Database db;
            db.apri(percorsoIn(dir));
            Database::Transazione tr(db);
            for (int i = 1; i <= 300; ++i)
                inserisci(db, "Itinerari",
                          {{"CodiceMeta", "000001"},
                           {"Sequenza", QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'))},
                           {"NomeStrada", QStringLiteral("E6 strada %1").arg(i)},
                           {"Start", i == 1}});
            tr.conferma();
        }
        Archivio a(dir.path());
        a.AvviaDatabase();
        Database& db = a.dati();
        EXPECT_EQ(db.campi("Itinerari")[4].larghezza, 64);
        EXPECT_EQ(db.conta(Query::di("Itinerari")), 300);
        RowSet r = db.apriRowSet(Query::di("Itinerari").dove("Sequenza", "0001"));
        EXPECT_EQ(r.testo("NomeStrada"), "E6 strada 1");
        EXPECT_TRUE(r.siNo("Start"));
        EXPECT_EQ(db.indici("Itinerari").size(), 3);
        EXPECT_FALSE(QFileInfo::exists(a.percorsoTemporaneo()));
    }
}

// Before the replace the old file is kept in backup/ (the newest five), the user is told what was
// kept and how many texts were cut, and a Voviva.mdb that is a link stays a link.
TEST_F(Ricostruzione, CopiaDelVecchioFileInBackupEAvviso) {
    elenco.TabelleCampi[TabItinerari].replace(QStringLiteral("NomeStrada[T=64]"),
                                              QStringLiteral("NomeStrada[T=80]"));
    const QDir cartella(dir.path());
    ASSERT_TRUE(cartella.mkpath("vera"));
    const QString vero = cartella.filePath("vera/dati.mdb");
    for (int giro = 0; giro < 6; ++giro) {
        QFile::remove(percorsoIn(dir));
        QFile::remove(vero);
        creaVecchio(dir, elenco);
        {
            Database db;
            db.apri(percorsoIn(dir));
            inserisci(db, "Itinerari", {{"Localita", "Bodø"}, {"NomeStrada", QString(70, 'x')}});
            inserisci(db, "Itinerari", {{"Localita", "Mo"}, {"NomeStrada", QString(66, 'y')}});
            inserisci(db, "Itinerari", {{"Localita", "Alta"}, {"NomeStrada", "E6"}});
        }
        if (giro == 5) {  // the last round through a link
            ASSERT_TRUE(QFile::rename(percorsoIn(dir), vero));
            ASSERT_TRUE(QFile::link(vero, percorsoIn(dir)));
        }
        Archivio a(dir.path());
        a.AvviaDatabase();
        const QString copia = a.copiaPiuRecente();
        ASSERT_FALSE(copia.isEmpty());
        {
            Database vecchio;
            vecchio.apri(copia);
            EXPECT_EQ(vecchio.campi("Itinerari")[4].larghezza, 80);
            EXPECT_EQ(vecchio.conta(Query::di("Itinerari").dove("NomeStrada", QString(70, 'x'))), 1);
        }
        EXPECT_TRUE(a.avviso.contains(copia)) << a.avviso.toStdString();
        EXPECT_TRUE(a.avviso.endsWith("Testi accorciati: 2.")) << a.avviso.toStdString();
        EXPECT_EQ(a.dati().conta(Query::di("Itinerari")), 3);
    }
    EXPECT_EQ(QDir(cartella.filePath("backup")).entryList(QDir::Files).size(), 5);
    EXPECT_TRUE(QFileInfo(percorsoIn(dir)).isSymLink());
    Database db;
    db.apri(vero);
    EXPECT_EQ(db.campi("Itinerari")[4].larghezza, 64);
}

// A file SQLite finds damaged is refused before anything reads it, with the newest copy named.
TEST_F(Ricostruzione, DatabaseDanneggiatoRifiutatoENonToccato) {
    creaVecchio(dir, TabelleStandard());
    {
        Database db;
        db.apri(percorsoIn(dir));
        Database::Transazione tr(db);
        for (int i = 0; i < 400; ++i)
            inserisci(db, "GuidaCitta", {{"Localita", QStringLiteral("Luogo %1").arg(i)}});
        tr.conferma();
    }
    QByteArray byte = test::leggiFile(percorsoIn(dir));
    // The last page holds guide rows: its page-type byte becomes one SQLite never writes.
    ASSERT_GT(byte.size(), 8 * 4096);
    byte[byte.size() - 4096] = '\x07';
    test::scriviFile(percorsoIn(dir), byte);
    ASSERT_TRUE(QDir(dir.path()).mkpath("backup"));
    test::scriviFile(QDir(dir.path()).filePath("backup/Voviva-20240101-080000.mdb"), "a");
    test::scriviFile(QDir(dir.path()).filePath("backup/Voviva-20250101-080000.mdb"), "b");
    Archivio a(dir.path());
    try {
        a.AvviaDatabase();
        ADD_FAILURE() << "a damaged file was accepted";
    } catch (const ErroreDatabase& e) {
        const QString nuovo =
            QDir::toNativeSeparators(QDir(dir.path()).filePath("backup/Voviva-20250101-080000.mdb"));
        EXPECT_EQ(e.messaggio(), "Il database " + QDir::toNativeSeparators(percorsoIn(dir)) +
                                     " è danneggiato.\r\nLa copia più recente è " + nuovo + ".");
    }
    EXPECT_EQ(test::leggiFile(percorsoIn(dir)), byte);
    EXPECT_FALSE(a.dati().aperto());
}

// Whichever statement of the rebuild fails, the old file keeps every row and its schema, and the
// next start completes the rebuild.
TEST_F(Ricostruzione, GuastoAOgniIstruzioneLasciaIlVecchioFile) {
    elenco.TabelleCampi[TabGuidaCitta].replace(QStringLiteral("Descrizione[T=96]"),
                                               QStringLiteral("Descrizione[T=90]"));
    creaVecchio(dir, elenco);
    QStringList prima;
    {
        Database db;
        db.apri(percorsoIn(dir));
        inserisci(db, "MeteCamper", {{"CodiceMeta", "000001"}, {"Localita", "Tromsø"}});
        inserisci(db, "Itinerari", {{"CodiceMeta", "000001"}, {"Localita", "Narvik"}});
        inserisci(db, "GuidaCitta", {{"Localita", "Narvik"}, {"Descrizione", "Museo"}});
        // The tables before GuidaCitta have their indexes, so the check alone changes nothing.
        for (const char* campo : {"CodiceMeta", "Localita"}) db.creaIndice("MeteCamper", campo);
        for (const char* campo : {"CodiceMeta", "Sequenza", "Localita"}) db.creaIndice("Itinerari", campo);
        prima = test::istantanea(db);
    }
    const int istruzioni = test::GuastoAOgniIstruzione(
        [&] {
            Archivio a(dir.path());
            a.AvviaDatabase();
        },
        [&](int n) {
            Database db;
            db.apri(percorsoIn(dir));
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
    db.apri(percorsoIn(dir));
    EXPECT_EQ(db.campi("GuidaCitta")[3].larghezza, 96);
    EXPECT_EQ(db.conta(Query::di("GuidaCitta")), 1);
}

// A table without its last two fields, one with its fields in another order and a missing table:
// one rebuild adds the fields empty, copies by name and creates the table.
TEST_F(Ricostruzione, CampiMancantiInAltroOrdineETabellaMancante) {
    elenco.TabelleCampi[TabMeteCamper].remove(QStringLiteral(",Flag1[T=25],Flag2[T=25]"));
    elenco.TabelleCampi[TabTipoGuida] = "Descrizione[T=32],TempoObbligatorio[Y],CodiceGuida[T=2]";
    elenco.TabelleNomi[TabParametri].clear();
    creaVecchio(dir, elenco);
    {
        Database db;
        db.apri(percorsoIn(dir));
        inserisci(db, "MeteCamper",
                  {{"CodiceMeta", "000001"}, {"Localita", "Capo Nord"}, {"Coefficiente", "0.5"}});
        inserisci(db, "TipoGuida",
                  {{"Descrizione", "Fiordo"}, {"TempoObbligatorio", true}, {"CodiceGuida", "14"}});
    }
    Archivio a(dir.path());
    a.AvviaDatabase();
    RowSet r = a.dati().apriTabella("MeteCamper");
    ASSERT_EQ(r.numeroCampi(), 28);
    EXPECT_EQ((QStringList{r.testo(1), r.testo(25), r.testo(26), r.testo(27)}),
              (QStringList{"Capo Nord", "0.5", "", ""}));
    RowSet t = a.dati().apriTabella("TipoGuida");
    EXPECT_EQ(t.testo("CodiceGuida") + t.testo("Descrizione"), "14Fiordo");
    EXPECT_TRUE(t.siNo("TempoObbligatorio"));
    EXPECT_TRUE(a.dati().esisteTabella("Parametri"));
}

TEST_F(Ricostruzione, CampoInPiuNonRicostruisceERimane) {
    elenco.TabelleCampi[TabGuidaCitta] += ",Note[T=40]";
    creaVecchio(dir, elenco);
    {
        Database db;
        db.apri(percorsoIn(dir));
        inserisci(db, "GuidaCitta", {{"Localita", "Bergen"}, {"Note", "porto"}});
    }
    Archivio a(dir.path());
    int passi = 0;
    a.passoRicostruzione = [&](const QString&) { ++passi; };
    a.AvviaDatabase();
    EXPECT_EQ(passi, 0);
    EXPECT_EQ(nomiCampi(a.dati(), "GuidaCitta").last(), "Note");
    EXPECT_EQ(a.dati().apriTabella("GuidaCitta").testo("Note"), "porto");
}

TEST_F(Ricostruzione, InterruzioneAOgniPassoLasciaIlVecchioFile) {
    elenco.TabelleCampi[TabItinerari].replace(QStringLiteral("NomeStrada[T=64]"), "NomeStrada[T=50]");
    creaVecchio(dir, elenco);
    {
        Database db;
        db.apri(percorsoIn(dir));
        inserisci(db, "MeteCamper", {{"Localita", "Tromsø"}});
        inserisci(db, "Itinerari", {{"Localita", "Narvik"}});
    }
    // The check completes the indexes of the tables that pass before the rebuild starts; after
    // that, no interrupted rebuild touches the old file.
    QByteArray prima;
    const QStringList passi = {"creato", "copiata MeteCamper", "copiata Itinerari", "copiata Parametri",
                               "sostituzione"};
    for (const QString& guasto : passi) {
        Archivio a(dir.path());
        a.passoRicostruzione = [&](const QString& p) {
            if (p == guasto) throw ErroreDatabase("interrotto");
        };
        EXPECT_THROW(a.AvviaDatabase(), ErroreDatabase) << guasto.toStdString();
        if (prima.isEmpty()) prima = test::leggiFile(percorsoIn(dir));
        EXPECT_EQ(test::leggiFile(percorsoIn(dir)), prima) << guasto.toStdString();
        Database vecchio;
        vecchio.apri(percorsoIn(dir));
        EXPECT_EQ(vecchio.apriTabella("MeteCamper").testo("Localita"), "Tromsø");
        EXPECT_EQ(vecchio.apriTabella("Itinerari").testo("Localita"), "Narvik");
        EXPECT_EQ(vecchio.campi("Itinerari")[4].larghezza, 50);
    }
    // The next start clears the stale temporary file and completes the rebuild.
    EXPECT_TRUE(QFileInfo::exists(QDir(dir.path()).filePath("DBTemp.mdb")));
    Archivio a(dir.path());
    a.AvviaDatabase();
    EXPECT_FALSE(QFileInfo::exists(a.percorsoTemporaneo()));
    EXPECT_EQ(a.dati().apriTabella("MeteCamper").testo("Localita"), "Tromsø");
    EXPECT_EQ(a.dati().campi("Itinerari")[4].larghezza, 64);
}

class Slot : public ::testing::Test {
  protected:
    void SetUp() override {
        a.AvviaDatabase();
        for (const char* l : {"L'Aquila", "LXAquila", "Oslo", "Roma';DROP TABLE GuidaCitta--"})
            inserisci(a.dati(), "GuidaCitta", {{"Localita", QString::fromUtf8(l)}});
    }
    int righeGuida() { return a.dati().conta(Query::di("GuidaCitta")); }
    QTemporaryDir dir;
    Archivio a{dir.path()};
};

TEST_F(Slot, RecordSetImpostaContaELasciaSullaPrima) {
    a.query = Query::di("GuidaCitta").ordina("Localita", true);
    a.RecordSetImposta(0, 7);
    EXPECT_EQ(a.NumeroRecord, 4);
    EXPECT_EQ(a.rs[7].testo("Localita"), "Roma';DROP TABLE GuidaCitta--");
    a.query = Query::di("GuidaCitta").dove("Localita", "Bergen");
    a.RecordSetImposta(0, 7);
    EXPECT_EQ(a.NumeroRecord, 0);
    EXPECT_TRUE(a.rs[7].fine());
}

TEST_F(Slot, CancellaTabellaPerValoreEConProgresso) {
    ProgressoMemoria p;
    a.NumeroRecord = 9;
    a.CancellaTabella(TabGuidaCitta, "Localita", "Roma';DROP TABLE GuidaCitta--", &p);
    EXPECT_EQ(righeGuida(), 3);
    EXPECT_EQ(p.ultimaDidascalia, "Cancellazione tabella GuidaCitta");
    EXPECT_GE(p.aggiornamenti, 1);
    EXPECT_EQ(p.massimo, 0);  // cleared at the end
    // The pattern of an apostrophe matches any character there, as the guide look-ups expect.
    a.CancellaTabella(TabGuidaCitta, "Localita", "L'Aquila");
    EXPECT_EQ(righeGuida(), 1);
    a.CancellaTabella(TabGuidaCitta, QString(), "ignorato");
    EXPECT_EQ(righeGuida(), 0);
}

TEST_F(Slot, RiparaLocalitaConParentesi) {
    inserisci(a.dati(), "GuidaCitta", {{"Localita", "  Roma (centro) "}});
    inserisci(a.dati(), "GuidaCitta", {{"Localita", "(Bergen)"}});
    a.RiparaLocalitaGuida();
    EXPECT_EQ(a.dati().conta(Query::di("GuidaCitta").dove("Localita", "Roma")), 1);
    EXPECT_EQ(a.dati().conta(Query::di("GuidaCitta").dove("Localita", QString())), 1);
    EXPECT_EQ(a.dati().conta(Query::di("GuidaCitta").contiene("Localita", "(")), 0);
}

}  // namespace
