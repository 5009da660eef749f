// The data file's life: creation with its tables and indexes, guide-type seeding, rebuilds that
// keep every value, interrupted rebuilds, and the bulk delete.
#include "database/Archivio.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
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

TEST(Avvio, PrimoAvvioCreaTabelleIndiciETipiGuida) {
    QTemporaryDir dir;
    Archivio a(dir.path());
    a.AvviaDatabase();
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
    EXPECT_EQ(db.conta(Query::di("TipoGuida")), 13);
}

TEST(Avvio, TipiGuidaParzialiCompletatiDopoIlCodicePiuAlto) {
    QTemporaryDir dir;
    Archivio a(dir.path());
    a.AvviaDatabase();
    const char* nomi[] = {"Ottimo",  "Da vedere", "Interessante", "Vedibile", "Punto Sosta",
                          "PS e CS", "Campeggio", "Ristorante",   "Gpl"};
    for (int i = 0; i < 9; ++i)
        inserisci(a.dati(), "TipoGuida",
                  {{"CodiceGuida", QStringLiteral("0%1").arg(i + 1)},
                   {"Descrizione", QString::fromUtf8(nomi[i]).toUpper()},
                   {"TempoObbligatorio", i < 4}});
    const TabellaTipiGuida tipi = CaricaTipiGuida(a);
    EXPECT_EQ(tipi.sceltaTipi.size(), 9);
    QStringList aggiunti;
    for (RowSet r = a.dati().apriRowSet(Query::di("TipoGuida").ordina("CodiceGuida")); !r.fine();
         r.successivo())
        if (r.testo(0) > QLatin1String("09")) aggiunti << r.testo(0) + QLatin1Char(' ') + r.testo(1);
    EXPECT_EQ(aggiunti, (QStringList{"10 Lunorin", "11 Carte/Guide", "12 Altro"}));

    // A table that already has every description gets nothing.
    const int righe = a.dati().conta(Query::di("TipoGuida"));
    CaricaTipiGuida(a);
    EXPECT_EQ(a.dati().conta(Query::di("TipoGuida")), righe);
}

TEST(Avvio, FileNonDatabaseMostraErroreENonCambia) {
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

TEST_F(Ricostruzione, TabellaSenzaGliUltimiDueCampi) {
    elenco.TabelleCampi[TabMeteCamper].remove(QStringLiteral(",Flag1[T=25],Flag2[T=25]"));
    creaVecchio(dir, elenco);
    {
        Database db;
        db.apri(percorsoIn(dir));
        inserisci(db, "MeteCamper",
                  {{"CodiceMeta", "000001"}, {"Localita", "Capo Nord"}, {"Coefficiente", "0.5"}});
    }
    Archivio a(dir.path());
    a.AvviaDatabase();
    RowSet r = a.dati().apriTabella("MeteCamper");
    ASSERT_EQ(r.numeroCampi(), 28);
    EXPECT_EQ(r.testo(1), "Capo Nord");
    EXPECT_EQ(r.testo(25), "0.5");
    EXPECT_EQ(r.testo(26), QString());
    EXPECT_EQ(r.testo(27), QString());
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

TEST_F(Ricostruzione, CampiInAltroOrdineCopiatiPerNome) {
    // Missing Flag2 forces the rebuild; the old order differs from the new one.
    elenco.TabelleCampi[TabTipoGuida] = "Descrizione[T=32],TempoObbligatorio[Y],CodiceGuida[T=2]";
    elenco.TabelleCampi[TabItinerari].remove(QStringLiteral(",Flag2[Y]"));
    creaVecchio(dir, elenco);
    {
        Database db;
        db.apri(percorsoIn(dir));
        inserisci(db, "TipoGuida",
                  {{"Descrizione", "Fiordo"}, {"TempoObbligatorio", true}, {"CodiceGuida", "14"}});
    }
    Archivio a(dir.path());
    a.AvviaDatabase();
    RowSet r = a.dati().apriTabella("TipoGuida");
    ASSERT_FALSE(r.fine());
    EXPECT_EQ(r.testo("CodiceGuida"), "14");
    EXPECT_EQ(r.testo("Descrizione"), "Fiordo");
    EXPECT_TRUE(r.siNo("TempoObbligatorio"));
}

TEST_F(Ricostruzione, TabellaMancanteCreata) {
    elenco.TabelleNomi[TabParametri].clear();
    creaVecchio(dir, elenco);
    Archivio a(dir.path());
    a.AvviaDatabase();
    EXPECT_TRUE(a.dati().esisteTabella("Parametri"));
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
