// Exchange files: the export's lines, the reader's refusals, and the import's rules (codes,
// discarded localities, guide entries, widths, one transaction), with a round trip.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "SqlDiretto.h"
#include "TestSupport.h"
#include "common/Dialoghi.h"
#include "common/File1252.h"
#include "common/Progresso.h"
#include "database/Archivio.h"
#include "exchange/Esporta.h"
#include "exchange/FileScambio.h"
#include "exchange/Importa.h"

namespace {

const QChar kM(0xFF), kT(0xFE), kG(0xFD);

// Lines of an exchange file from lines of text: "M ", "T " or "G " (trips, legs, guide) and fields
// "|"-separated become fields each ended by the block's separator; other lines stay as they are.
QStringList File(const QString& testo) {
    QStringList righe;
    for (const QString& t : testo.split('\n')) {
        const int blocco = t.mid(1, 1) == " " ? QString("MTG").indexOf(t.left(1)) : -1;
        const QChar sep = blocco < 0 ? QChar() : QList<QChar>{kM, kT, kG}[blocco];
        righe << (blocco < 0 ? t : t.mid(2).replace('|', sep) + sep);
    }
    return righe;
}

class Scambio : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    Archivio archivio{dir.path()};
    ProgressoMemoria progresso;
    void SetUp() override { archivio.AvviaDatabase(); }
    void Meta(const QString& codice, const QString& localita) {
        test::inserisci(archivio.dati(),
                        "MeteCamper|Nazione=Norvegia |CodiceMeta=" + codice + "|Localita=" + localita);
    }
    void Tappa(const QString& codice, const QString& seq, const QString& localita, bool start = false) {
        test::inserisci(archivio.dati(),
                        QString("Itinerari|Chilometri=120|CodiceMeta=%1|Sequenza=%2|Localita=%3|Start=%4")
                            .arg(codice, seq, localita)
                            .arg(start));
    }
    void Guida(const QString& localita, const QString& descrizione) {
        test::inserisci(archivio.dati(),
                        "GuidaCitta|CodiceGuida=01|TempoSosta=01:30|OrarioAttivita=1|Localita=" + localita +
                            "|Descrizione=" + descrizione);
    }
    // Rows of a table as trimmed texts, in stored order.
    QList<QStringList> Righe(Archivio& a, int tabella) {
        QList<QStringList> righe;
        for (RowSet rs = a.dati().apriTabella(a.nome(tabella)); !rs.fine(); rs.successivo()) {
            QStringList r;
            for (int i = 0; i < rs.numeroCampi(); ++i) r << rs.valore(i).toString().trimmed();
            righe << r;
        }
        return righe;
    }
    int Conta(int tabella) { return archivio.dati().conta(Query::di(archivio.nome(tabella))); }
    ContiImport Importa(const QStringList& righe, const QStringList& scelti) {
        const LetturaScambio l = LeggiScambio(Righe1252(righe));
        EXPECT_TRUE(l.contenuto.has_value()) << l.motivo.toStdString() << " " << l.riga;
        return ImportaMete(archivio, *l.contenuto, scelti, progresso);
    }
    // A file with one trip per "code locality" and one leg for each, headers as the tables.
    QStringList FileMete(const QStringList& mete, const QString& guida = {}) {
        QString m = "M CodiceMeta|Localita|Nazione", t = "T CodiceMeta|Sequenza|Localita|Chilometri";
        for (const QString& c : mete) {
            m += "\nM " + c.section(' ', 0, 0) + '|' + c.section(' ', 1) + "|Norvegia";
            t += "\nT " + c.section(' ', 0, 0) + "|0001|" + c.section(' ', 1) + "|10";
        }
        return File(m + '\n' + t + (guida.isEmpty() ? "" : "\nG Localita|Descrizione|TempoSosta\n" + guida));
    }
};

TEST_F(Scambio, EsportazioneOrdineSeparatoriEValori) {
    Meta("000001", "  Capo Nord  ");
    Meta("000002", "Firenze");
    Tappa("000001", "0002", "Alta");
    Tappa("000002", "0001", "Siena");
    Tappa("000001", "0001", " Oslo [Start] ", true);
    // Without guide entries there is no guide block.
    EXPECT_EQ(LineeEsportazione(archivio, {"000001"}, progresso).size(), 5);
    Guida("Oslo", "Frogner park");
    // Right list order, an empty code and a code that names no trip.
    const QStringList linee = LineeEsportazione(archivio, {"000002", "", "000009", "000001"}, progresso);
    ASSERT_EQ(linee.size(), 9);
    for (const QString& l : linee) {
        const QChar sep = l.back();
        EXPECT_EQ(l.count(sep), sep == kM ? 28 : sep == kT ? 13 : 8) << l.toStdString();
    }
    // Trimmed, inner blanks kept; yes/no fields as 1 and 0 (Start, Fine, Flag1, Flag2 end the leg).
    const QStringList inizi = File(
        "M 000002|Firenze|Norvegia\nM 000001|Capo Nord|Norvegia\nT 000002|0001|Siena\n"
        "T 000001|0001|Oslo [Start]\nT 000001|0002|Alta");
    for (int i = 0; i < inizi.size(); ++i)
        EXPECT_TRUE(linee[i < 2 ? i + 1 : i + 2].startsWith(inizi[i])) << i;
    EXPECT_TRUE(linee[5].endsWith(File("T 1|0||0")[0]));
    EXPECT_TRUE(linee[8].endsWith(File("G 1|")[0]));
    // "ý" ends the guide's fields: inside a guide value it becomes "Ý"; other blocks keep it.
    EXPECT_EQ(LineaScambio({" Mývatn ", "a b"}, BloccoGuida), File("G MÝvatn|a b")[0]);
    EXPECT_EQ(LineaScambio({"Mývatn"}, BloccoMete), File("M Mývatn")[0]);
}

TEST_F(Scambio, EsportazioneConDialoghi) {
    const QString percorso = dir.filePath("uscita.iei");
    test::scriviFile(percorso, "vecchio");
    DialoghiScriptati d;
    QString nome;
    // A cancelled dialog, no overwrite, then overwrite and not confirmed: the file stays.
    const QList<QList<Risposta>> risposte = {{}, {Risposta::No}, {Risposta::Si, Risposta::No}};
    const EsitoExport esiti[] = {EsitoExport::Rinunciato, EsitoExport::Rinunciato,
                                 EsitoExport::NonConfermato};
    for (int i = 0; i < 3; ++i) {
        d.fileDaSalvare = {i == 0 ? "" : percorso};
        d.risposte = risposte[i];
        EXPECT_EQ(EseguiExport(archivio, {}, d, progresso, nome), esiti[i]) << i;
    }
    EXPECT_EQ(test::leggiFile(percorso), "vecchio");
    d.fileDaSalvare = {percorso};
    d.risposte = {Risposta::Si, Risposta::Si};
    EXPECT_EQ(EseguiExport(archivio, {}, d, progresso, nome), EsitoExport::Eseguito);
    EXPECT_TRUE(test::leggiFile(percorso).endsWith("\xFE\r\n"));  // the two headers of an empty export
}

// The line the reader refuses each file at: wrong separators, no trip header, a trip header
// without codes, a field missing, no separator at the end, blocks out of order, binary, empty.
TEST(LeggiScambio, RifiutaCiòCheNonÈUnFileDiScambio) {
    const QStringList casi = {"1:CodiceMeta;Localita;\n000001;Oslo;",
                              "1:T CodiceMeta|Sequenza",
                              "1:M Localita|Nazione",
                              "3:M CodiceMeta|Localita\nM 000001|Oslo\nM 000002",
                              "3:M CodiceMeta|Localita\nM 000001|Oslo\n000002 Bergen",
                              "3:M CodiceMeta|Localita\nG CodiceMeta\nT CodiceMeta",
                              "2:M CodiceMeta|Localita\nM \x01\x02",
                              "0:"};
    for (const QString& c : casi) {
        const QStringList righe = c.mid(2).isEmpty() ? QStringList() : File(c.mid(2));
        const LetturaScambio l = LeggiScambio(Righe1252(righe));
        EXPECT_FALSE(l.contenuto.has_value()) << c.toStdString();
        EXPECT_EQ(l.riga, c.left(1).toInt()) << c.toStdString();
    }
    // Blank lines pass, and a value may hold another block's separator (an Icelandic name).
    const LetturaScambio l = LeggiScambio(Righe1252(File("M CodiceMeta|Localita\n\nM 000001|Þingvellir þ")));
    ASSERT_TRUE(l.contenuto.has_value());
    EXPECT_EQ(l.contenuto->blocchi[BloccoMete].righe.size(), 1);
    EXPECT_EQ(MeteDelFile(*l.contenuto).front().localita, "Þingvellir þ");
}

TEST_F(Scambio, ImportCodiciInUsoELocalitaScartate) {
    Meta("000041", "Oslo");
    Meta("000007", "Bergen");
    const QStringList file = FileMete({"000007 Tromsø", "000041 Alta", "000003 OSLO", "000005 Bodø"});
    // Left list order: 000041 first.
    EXPECT_EQ(
        MappaCodici(archivio, {"000041", "000007", "000003"}),
        (QList<QPair<QString, QString>>{{"000041", "000042"}, {"000007", "000043"}, {"000003", "000003"}}));
    ContiImport c = Importa(file, {"000041", "000007", "000003"});
    // OSLO is stored as Oslo.
    EXPECT_EQ(MessaggioImport(c),
              "Sono stati inseriti:\r\n\r\n2 mète/itinerari;\r\n2 tratti stradali;\r\n0 guide/informazioni "
              "località.\r\n\r\nSono stati scartati:\r\n\r\n1 mète/itinerari;\r\n0 guide/informazioni "
              "località,\r\n\r\nperchè già presenti nel database con lo stesso nome.");
    const QList<QStringList> tappe = Righe(archivio, TabItinerari);
    EXPECT_EQ(tappe.value(0).mid(0, 3) + tappe.value(1).mid(0, 3) + tappe.value(2),
              (QStringList{"000043", "0001", "Tromsø", "000042", "0001", "Alta"}));
    EXPECT_EQ(Conta(TabMeteCamper), 4);  // Bodø was not picked
    // The same file again: every trip is discarded and no leg is added.
    const ContiImport d = Importa(file, {"000041", "000007"});
    EXPECT_EQ((QList<qint64>{d.meteScartate, d.tappeInserite}), (QList<qint64>{2, 0}));
    EXPECT_EQ(Conta(TabItinerari), 2);
    c.tappeInserite = 1234;
    EXPECT_TRUE(MessaggioImport(c).contains("\r\n1.234 tratti stradali;"));
}

TEST_F(Scambio, ImportGuidaSoloPerLeTappeESenzaDoppioni) {
    Tappa("000099", "0001", "Bergen [Start]");
    Guida("Bergen", "Bryggen");
    // Already stored, on a stored leg, on a new leg, on no leg.
    const ContiImport c = Importa(FileMete({"000001 Tromsø"},
                                           "G Bergen|BRYGGEN|01:00\nG Bergen|Fløibanen|01:30\n"
                                           "G Tromsø|Ishavskatedralen|01:00\nG Lofoten|Reine|02:00"),
                                  {"000001"});
    EXPECT_EQ((QList<qint64>{c.guideInserite, c.guideScartate}), (QList<qint64>{2, 1}));
    EXPECT_EQ(Conta(TabGuidaCitta), 3);
    // Fields the file lacks are stored as a single blank; yes/no fields keep their default.
    RowSet rs = archivio.dati().apriRowSet(Query::di("GuidaCitta").dove("Descrizione", "Fløibanen"));
    ASSERT_FALSE(rs.fine());
    EXPECT_EQ(rs.testo("Gruppo"), " ");
    EXPECT_FALSE(rs.siNo("OrarioAttivita"));
}

TEST_F(Scambio, ImportIntestazioneInAltroOrdineECampiTroppoLarghi) {
    const QString lunga(40, QLatin1Char('x'));
    const ContiImport c =
        Importa(File("M Ignoto|Nazione|Localita|CODICEMETA\nM ?|Italia|San Gimignano|000001\n"
                     "T Fine|Localita|CodiceMeta|Start\nT 1|" +
                     lunga + "|000001|1"),
                {"000001"});
    EXPECT_EQ(c.valoriTagliati, 1);
    const QList<QStringList> mete = Righe(archivio, TabMeteCamper);
    EXPECT_EQ(mete.value(0).mid(0, 3) + mete.value(1), (QStringList{"000001", "San Gimignano", "Italia"}));
    RowSet rs = archivio.dati().apriTabella("Itinerari");
    EXPECT_EQ(rs.testo("Localita"), lunga.left(30));
    EXPECT_EQ((QList<bool>{rs.siNo("Start"), rs.siNo("Fine"), rs.siNo("Flag2")}),
              (QList<bool>{true, true, false}));
    EXPECT_TRUE(MessaggioImport(c).endsWith("\r\n\r\n1 valori tagliati alla larghezza del campo."));
}

// A file the reader refuses is reported with its line, and a database that fails a write (as a
// full disk would) undoes the whole import and is said with the line: nothing is written.
TEST_F(Scambio, UnaRigaDifettosaOUnGuastoLascianoIlDatabaseComEra) {
    Meta("000001", "Oslo");
    QStringList righe = FileMete({"000001 Siena", "000002 Pisa"});
    righe.insert(3, File("M 000002|Pisa")[0]);  // a field short, among the trips
    const QString percorso = dir.filePath("rotto.iei");
    test::scriviFile(percorso, Righe1252(righe));
    EsitoImportFile e = ImportaFile(archivio, percorso, {"000001", "000002"}, progresso);
    EXPECT_FALSE(e.eseguito);
    EXPECT_TRUE(e.errore.contains("(riga 4)")) << e.errore.toStdString();
    EXPECT_EQ(Conta(TabMeteCamper), 1);
    ASSERT_TRUE(test::eseguiSql(archivio.percorsoDatabase(),
                                "CREATE TRIGGER pieno BEFORE INSERT ON GuidaCitta "
                                "BEGIN SELECT RAISE(ABORT, 'disco pieno'); END"));
    test::scriviFile(percorso, Righe1252(FileMete({"000002 Siena"}, "G Siena|Duomo|01:00")));
    e = ImportaFile(archivio, percorso, {"000002"}, progresso);
    EXPECT_FALSE(e.eseguito);
    EXPECT_TRUE(e.errore.contains("riga 6")) << e.errore.toStdString();
    EXPECT_TRUE(e.errore.contains("disco pieno"));
    EXPECT_EQ(Conta(TabMeteCamper) + Conta(TabItinerari), 1);
}

// Whichever statement of the import fails, every table is exactly as before the import.
TEST_F(Scambio, GuastoAOgniIstruzioneLasciaIlDatabaseComEra) {
    Tappa("000099", "0001", "Bergen [Start]");
    Guida("Bergen", "Bryggen");
    const QStringList file =
        FileMete({"000001 Tromsø", "000002 Oslo"}, "G Bergen|Fløibanen|01:30\nG Tromsø|Polaria|01:00");
    const QStringList prima = test::istantanea(archivio.dati());
    const int istruzioni = test::GuastoAOgniIstruzione(
        [&] {
            Importa(file, {"000001", "000002"});
        },
        [&](int n) { ASSERT_EQ(test::istantanea(archivio.dati()), prima) << "statement " << n; });
    RecordProperty("istruzioni", istruzioni);
    EXPECT_GT(istruzioni, 4);
    EXPECT_EQ(Conta(TabGuidaCitta), 3);
}

TEST_F(Scambio, AndataERitornoDaUnDatabaseVuoto) {
    Meta("000001", "Capo Nord");
    Meta("000002", "Toscana");
    Tappa("000001", "0001", "Oslo [Start]", true);
    Tappa("000001", "0002", "Lillehammer");
    Tappa("000002", "0001", "Firenze");
    Guida("Oslo", "Vigelandsparken");
    Guida("Firenze", "Galleria dell'Accademia\"; DELETE FROM GuidaCitta; --");  // stored as it stands
    Guida("Roma", "Colosseo");                                                  // on no leg: not carried over
    const QString percorso = dir.filePath("tutto.iei");
    ASSERT_TRUE(ScriviEsportazione(archivio, {"000001", "000002"}, percorso, progresso));
    QTemporaryDir altra;
    Archivio vuoto(altra.path());
    vuoto.AvviaDatabase();
    const EsitoImportFile e = ImportaFile(vuoto, percorso, {"000001", "000002"}, progresso);
    ASSERT_TRUE(e.eseguito) << e.errore.toStdString();
    EXPECT_EQ(Righe(vuoto, TabMeteCamper), Righe(archivio, TabMeteCamper));
    EXPECT_EQ(Righe(vuoto, TabItinerari), Righe(archivio, TabItinerari));
    EXPECT_EQ(Righe(vuoto, TabGuidaCitta), Righe(archivio, TabGuidaCitta).mid(0, 2));
    EXPECT_EQ(MessaggioImport(e.conti),
              "Sono stati inseriti:\r\n\r\n2 mète/itinerari;\r\n3 tratti stradali;\r\n"
              "2 guide/informazioni località.\r\n\r\n");
}

}  // namespace
