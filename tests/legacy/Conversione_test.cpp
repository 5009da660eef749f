// Converting a small set of old files: trips, legs, guide, guide types and the completed times;
// the files kept in "convertiti"; a failure that leaves the database as it was.
#include "legacy/Conversione.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

#include "TestSupport.h"
#include "common/Dialoghi.h"
#include "common/Progresso.h"
#include "database/Archivio.h"
#include "legacy/VecchiFile.h"

namespace {

// Records written "Campo=valore|Campo=valore", one text each; an empty text is an unused slot.
QByteArray File(const TracciatoVecchio& t, const QStringList& record) {
    QByteArray byte;
    for (const QString& r : record) {
        QHash<QString, QString> valori;
        for (const auto& [campo, valore] : test::campi(r)) valori.insert(campo, valore.toString());
        byte += ScriviRecordVecchio(t, valori);
    }
    return byte;
}

class ConversioneTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        archivio.AvviaDatabase();
        // Already in the database: trip 000001 under another name, to be updated, not doubled.
        test::inserisci(archivio.dati(),
                        "MeteCamper|CodiceMeta=000001|Localita=Vecchio nome|OreTraghetti=0000");
        scrivi(
            "CampMete.dat",
            File(kTracciatoMete, {"Codice=1|Locali=Capo Nord|Nazion=Norvegia|DataIn=01072026|OraIni=0800|"
                                  "MediaA=100|OraCol=0800|OraPra=|DurPra=0100|RipMin=|RipOre=2|VisitD=0930",
                                  "Codice=0|Locali=Senza codice", "Codice=5|Locali=..cancellata",
                                  "Codice=12|Locali=Andalusia|Nazion=Spagna|OraPra=1300", ""}));
        scrivi("camp0001.dat",
               File(kTracciatoTappe,
                    {"Locali=4|Chilom=4", "Locali=ROMA|Chilom=0",
                     "Locali=FIRENZE*A1|Chilom=277|TipoSt=A|TempoS=000230", "Locali=3 PONTI|Chilom=5",
                     "Locali=bologna * RACC 2|Chilom=105|TipoSt=S|TempoS=010000|"
                     "FlagED=1"}));
        // Counts that disagree: the trip gets no legs.
        scrivi("camp0012.dat", File(kTracciatoTappe, {"Locali=2|Chilom=3", "Locali=SIVIGLIA|Chilom=10",
                                                      "Locali=CORDOVA|Chilom=10"}));
        // Named as the old system's directory listing may give it.
        scrivi("CAMPGUID.DAT",
               File(kTracciatoGuida, {"Locali=Roma|Descri=Colosseo|TipoDa=1|TempoS=200|FlagVi=1",
                                      "Locali=Roma|Descri=Camping Tiber|TipoDa=7|TempoS="}));
    }
    void scrivi(const QString& nome, const QByteArray& byte) { test::scriviFile(dir.filePath(nome), byte); }
    // The rows of a table ordered by a field, the fields given (blank-separated) "|"-joined.
    QStringList righe(const QString& tabella, const QString& ordine, const QString& campi) {
        QStringList out;
        for (RowSet rs = archivio.dati().apriRowSet(Query::di(tabella).ordina(ordine)); !rs.fine();
             rs.successivo()) {
            QStringList r;
            for (const QString& c : campi.split(' ')) r << rs.testo(c);
            out << r.join('|');
        }
        return out;
    }
    QStringList fileCartella(const QString& sotto = {}) {
        return QDir(dir.filePath(sotto)).entryList(QDir::Files, QDir::Name);
    }
    QTemporaryDir dir;
    Archivio archivio{dir.path()};
    DialoghiScriptati dialoghi;
    ProgressoMemoria progresso;
};

TEST_F(ConversioneTest, MeteTappeGuidaETipiConvertitiFileSpostatiESecondaConversioneSenzaDoppioni) {
    ASSERT_TRUE(EsistonoVecchiFile(dir.path()));
    // Not confirmed: nothing changes.
    const QStringList prima = test::istantanea(archivio.dati());
    dialoghi.risposte = {Risposta::No};
    EXPECT_FALSE(cmdConverte(archivio, dir.path(), dialoghi, progresso));
    EXPECT_EQ(test::istantanea(archivio.dati()), prima);
    EXPECT_TRUE(EsistonoVecchiFile(dir.path()));
    dialoghi.mostrati.clear();
    dialoghi.risposte = {Risposta::Si};
    ASSERT_TRUE(cmdConverte(archivio, dir.path(), dialoghi, progresso));
    EXPECT_EQ(
        righe("MeteCamper", "CodiceMeta",
              "CodiceMeta Localita Nazione DataInizio OraInizio MediaAutostrada OraColazione OraPranzo "
              "DurataPranzo OraCena RiposoMinuti RiposoOre InizioVisita FineVisita OreTraghetti Range"),
        (QStringList{"000001|Capo Nord|Norvegia|01072026|0800|100|0800|1230|0100|2000|00|2|0930|2400|0000|00",
                     "000012|Andalusia|Spagna||||0900|1300|0230|2000|00|00|0000|2400||00"}));
    EXPECT_EQ(righe("Itinerari", "Sequenza",
                    "CodiceMeta Sequenza Localita Chilometri NomeStrada TipoStrada TempoSosta FineGiorno"),
              (QStringList{"000001|0001|ROMA|0| || |0", "000001|0002|FIRENZE|277|A1 |A|00:02:30|0",
                           "000001|0004|bologna|105|RACC 2 |S|01:00:00|1"}));
    EXPECT_EQ(righe("GuidaCitta", "Descrizione", "Localita CodiceGuida Descrizione TempoSosta FlagVisto"),
              (QStringList{"Roma|07|Camping Tiber|00:00|0", "Roma|01|Colosseo|02:00|1"}));
    EXPECT_EQ(righe("TipoGuida", "CodiceGuida", "Descrizione").join(','),
              "Ottimo,Da vedere,Interessante,Vedibile,Punto Sosta,PS e CS,Campeggio,Ristorante,Gpl");
    // Kept, not deleted, and no longer offered.
    EXPECT_EQ(fileCartella(), QStringList{"Voviva.mdb"});
    EXPECT_EQ(fileCartella("convertiti"),
              (QStringList{"CAMPGUID.DAT", "CampMete.dat", "camp0001.dat", "camp0012.dat"}));
    EXPECT_FALSE(EsistonoVecchiFile(dir.path()));
    ASSERT_EQ(dialoghi.mostrati.size(), 2);
    EXPECT_EQ(
        dialoghi.mostrati[1].testo,
        "Conversione eseguita...\r\nMèta senza tappe, intestazione incoerente: Andalusia (camp0012.dat)");
    EXPECT_EQ(progresso.massimo, 0);  // the bar is cleared
    // Converting the same files again updates without doubling; names already kept get a number.
    const QStringList dopo = test::istantanea(archivio.dati());
    for (const QString& nome : fileCartella("convertiti"))
        ASSERT_TRUE(QFile::copy(dir.filePath("convertiti/" + nome), dir.filePath(nome)));
    const EsitoConversione esito = ConvertiVecchiFile(archivio, dir.path(), progresso);
    ASSERT_TRUE(esito.riuscita) << esito.errore.toStdString();
    EXPECT_EQ(test::istantanea(archivio.dati()), dopo);
    EXPECT_TRUE(esito.nonSpostati.isEmpty() && fileCartella("convertiti").contains("CampMete.dat.1"));
}

// A record that cannot be read, or a leg file with fewer legs than its header says: nothing is
// converted and the error is shown.
TEST_F(ConversioneTest, FileDifettosoLasciaTuttoComEra) {
    const QStringList prima = test::istantanea(archivio.dati());
    const QStringList file = fileCartella();
    const QByteArray tappe = test::leggiFile(dir.filePath("camp0001.dat"));
    scrivi("camp0001.dat", File(kTracciatoTappe, {"Locali=9|Chilom=9", "Locali=ROMA"}));
    const EsitoConversione esito = ConvertiVecchiFile(archivio, dir.path(), progresso);
    EXPECT_FALSE(esito.riuscita);
    EXPECT_EQ(esito.errore,
              "File camp0001.dat, record 1: l'intestazione indica 9 tappe ma il file ne contiene 1");
    EXPECT_EQ(test::istantanea(archivio.dati()), prima);
    scrivi("camp0001.dat", tappe);
    QByteArray guida = test::leggiFile(dir.filePath("CAMPGUID.DAT"));
    guida[128 + 40] = '\x01';  // the description of the second entry
    scrivi("CAMPGUID.DAT", guida);
    dialoghi.risposte = {Risposta::Si};
    EXPECT_FALSE(cmdConverte(archivio, dir.path(), dialoghi, progresso));
    EXPECT_EQ(test::istantanea(archivio.dati()), prima);
    EXPECT_EQ(fileCartella(), file);
    EXPECT_FALSE(QDir(dir.filePath("convertiti")).exists());
    ASSERT_EQ(dialoghi.mostrati.size(), 2);
    EXPECT_EQ(dialoghi.mostrati[1].icona, Icona::Critico);
    EXPECT_TRUE(dialoghi.mostrati[1].testo.endsWith("File CAMPGUID.DAT, record 2: record non leggibile"))
        << dialoghi.mostrati[1].testo.toStdString();
}

// Whichever statement of the conversion fails, the database is exactly as before and the old
// files stay where they are.
TEST_F(ConversioneTest, GuastoAOgniIstruzioneLasciaIlDatabaseComEra) {
    const QStringList prima = test::istantanea(archivio.dati());
    const QStringList file = fileCartella();
    const int istruzioni = test::GuastoAOgniIstruzione(
        [&] {
            const EsitoConversione esito = ConvertiVecchiFile(archivio, dir.path(), progresso);
            if (!esito.riuscita) throw std::runtime_error(esito.errore.toStdString());
        },
        [&](int n) {
            ASSERT_EQ(test::istantanea(archivio.dati()), prima) << "statement " << n;
            ASSERT_EQ(fileCartella(), file) << "statement " << n;
        });
    RecordProperty("istruzioni", istruzioni);
    EXPECT_GT(istruzioni, 10);
    EXPECT_EQ(righe("MeteCamper", "CodiceMeta", "CodiceMeta"), (QStringList{"000001", "000012"}));
}

}  // namespace
