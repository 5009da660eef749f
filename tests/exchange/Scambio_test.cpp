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

// A line of fields ended by sep.
QString L(const QStringList& campi, QChar sep) {
    QString s;
    for (const QString& c : campi) s += c + sep;
    return s;
}

class Scambio : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    Archivio archivio{dir.path()};
    ProgressoMemoria progresso;

    void SetUp() override { archivio.AvviaDatabase(); }

    void Riga(int tabella, const test::Campi& valori) {
        test::inserisci(archivio.dati(), archivio.nome(tabella), valori);
    }
    void Meta(const QString& codice, const QString& localita) {
        Riga(TabMeteCamper, {{"CodiceMeta", codice}, {"Localita", localita}, {"Nazione", "Norvegia "}});
    }
    void Tappa(const QString& codice, const QString& seq, const QString& localita, bool start = false) {
        Riga(TabItinerari, {{"CodiceMeta", codice},
                            {"Sequenza", seq},
                            {"Localita", localita},
                            {"Chilometri", "120"},
                            {"Start", start}});
    }
    void Guida(const QString& localita, const QString& descrizione) {
        Riga(TabGuidaCitta, {{"Localita", localita},
                             {"CodiceGuida", "01"},
                             {"Descrizione", descrizione},
                             {"TempoSosta", "01:30"},
                             {"OrarioAttivita", true}});
    }
    // Rows of a table as trimmed texts, in stored order.
    QList<QStringList> Righe(Archivio& a, int tabella) {
        QList<QStringList> righe;
        RowSet rs = a.dati().apriTabella(a.nome(tabella));
        for (; !rs.fine(); rs.successivo()) {
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

    // A file with one trip per (code, locality) and one leg for each, headers as the tables.
    QStringList FileMete(const QList<QPair<QString, QString>>& mete, const QStringList& guida = {}) {
        QStringList righe{L({"CodiceMeta", "Localita", "Nazione"}, kM)};
        for (const auto& [c, l] : mete) righe << L({c, l, "Norvegia"}, kM);
        righe << L({"CodiceMeta", "Sequenza", "Localita", "Chilometri"}, kT);
        for (const auto& [c, l] : mete) righe << L({c, "0001", l, "10"}, kT);
        if (!guida.isEmpty()) {
            righe << L({"Localita", "Descrizione", "TempoSosta"}, kG);
            righe << guida;
        }
        return righe;
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
        const int attesi = sep == kM ? 28 : sep == kT ? 13 : 8;
        EXPECT_EQ(l.count(sep), attesi) << l.toStdString();
    }
    EXPECT_TRUE(linee[1].startsWith(L({"000002", "Firenze", "Norvegia"}, kM)));
    EXPECT_TRUE(
        linee[2].startsWith(L({"000001", "Capo Nord", "Norvegia"}, kM)));  // trimmed, inner blank kept
    EXPECT_TRUE(linee[4].startsWith(L({"000002", "0001", "Siena"}, kT)));
    EXPECT_TRUE(linee[5].startsWith(L({"000001", "0001", "Oslo [Start]"}, kT)));
    EXPECT_TRUE(linee[6].startsWith(L({"000001", "0002", "Alta"}, kT)));
    // Yes/no fields as 1 and 0 (Start, Fine, Flag1, Flag2 end the leg line).
    EXPECT_TRUE(linee[5].endsWith(L({"1", "0", "", "0"}, kT)));
    EXPECT_TRUE(linee[8].endsWith(L({"1", ""}, kG)));
    EXPECT_EQ(progresso.ultimaDidascalia, "Esportazione guida città");
}

TEST(LineaScambio, IlSeparatoreDelBloccoNonSpezzaIlValore) {
    // "ý" ends the guide's fields: inside a guide value it becomes "Ý"; other blocks keep it.
    EXPECT_EQ(LineaScambio({" Mývatn ", "a b"}, BloccoGuida), QString("MÝvatn") + kG + "a b" + kG);
    EXPECT_EQ(LineaScambio({"Mývatn"}, BloccoMete), QString("Mývatn") + kM);
}

TEST_F(Scambio, EsportazioneConDialoghi) {
    const QString percorso = dir.filePath("uscita.iei");
    test::scriviFile(percorso, "vecchio");
    DialoghiScriptati d;
    QString nome;

    d.fileDaSalvare = {""};  // cancelled dialog
    EXPECT_EQ(EseguiExport(archivio, {}, d, progresso, nome), EsitoExport::Rinunciato);
    d.fileDaSalvare = {percorso};
    d.risposte = {Risposta::No};  // no overwrite
    EXPECT_EQ(EseguiExport(archivio, {}, d, progresso, nome), EsitoExport::Rinunciato);
    EXPECT_EQ(d.mostrati.back().titolo, "File " + percorso + " esistente");
    d.fileDaSalvare = {percorso};
    d.risposte = {Risposta::Si, Risposta::No};  // overwrite, then BoxConferma No
    EXPECT_EQ(EseguiExport(archivio, {}, d, progresso, nome), EsitoExport::NonConfermato);
    EXPECT_EQ(d.mostrati.back().titolo, "Export delle mète selezionate");
    EXPECT_EQ(test::leggiFile(percorso), "vecchio");

    d.fileDaSalvare = {percorso};
    d.risposte = {Risposta::Si, Risposta::Si};
    EXPECT_EQ(EseguiExport(archivio, {}, d, progresso, nome), EsitoExport::Eseguito);
    EXPECT_EQ(d.mostrati.back().testo, "Le mète esportate si trovano sul file " + percorso);
    const QByteArray scritto = test::leggiFile(percorso);
    EXPECT_EQ(scritto.count("\r\n"), 2);
    EXPECT_TRUE(scritto.endsWith("\xFE\r\n"));
}

TEST(LeggiScambio, RifiutaCiòCheNonÈUnFileDiScambio) {
    const QString m = L({"CodiceMeta", "Localita"}, kM);
    struct Caso {
        QStringList righe;
        int riga;
    };
    const QList<Caso> casi{
        {{"CodiceMeta;Localita;", "000001;Oslo;"}, 1},           // wrong separators
        {{L({"CodiceMeta", "Sequenza"}, kT)}, 1},                // no trip header
        {{L({"Localita", "Nazione"}, kM)}, 1},                   // trip header without codes
        {{m, L({"000001", "Oslo"}, kM), L({"000002"}, kM)}, 3},  // a field missing
        {{m, L({"000001", "Oslo"}, kM), "000002 Bergen"}, 3},    // no separator at the end
        {{m, L({"CodiceMeta"}, kG), L({"CodiceMeta"}, kT)}, 3},  // blocks out of order
        {{m, QString("\x01\x02") + kM}, 2},                      // binary
        {{}, 0},                                                 // empty
    };
    for (const Caso& c : casi) {
        const LetturaScambio l = LeggiScambio(Righe1252(c.righe));
        EXPECT_FALSE(l.contenuto.has_value()) << c.righe.join("|").toStdString();
        EXPECT_EQ(l.riga, c.riga) << c.righe.join("|").toStdString();
    }
    // Blank lines pass, and a value may hold another block's separator (an Icelandic name).
    const LetturaScambio l = LeggiScambio(Righe1252({m, "", L({"000001", QString("Þingvellir ") + kT}, kM)}));
    ASSERT_TRUE(l.contenuto.has_value());
    EXPECT_EQ(l.contenuto->blocchi[BloccoMete].righe.size(), 1);
    EXPECT_EQ(MeteDelFile(*l.contenuto).front().localita, QString("Þingvellir ") + kT);
}

TEST_F(Scambio, ImportCodiciInUsoELocalitaScartate) {
    Meta("000041", "Oslo");
    Meta("000007", "Bergen");
    const QStringList file =
        FileMete({{"000007", "Tromsø"}, {"000041", "Alta"}, {"000003", "OSLO"}, {"000005", "Bodø"}});
    // Left list order: 000041 first.
    EXPECT_EQ(
        MappaCodici(archivio, {"000041", "000007", "000003"}),
        (QList<QPair<QString, QString>>{{"000041", "000042"}, {"000007", "000043"}, {"000003", "000003"}}));

    const ContiImport c = Importa(file, {"000041", "000007", "000003"});
    // OSLO is stored as Oslo.
    EXPECT_EQ((QList<qint64>{c.meteInserite, c.meteScartate, c.tappeInserite}), (QList<qint64>{2, 1, 2}));
    const QList<QStringList> tappe = Righe(archivio, TabItinerari);
    ASSERT_EQ(tappe.size(), 2);
    EXPECT_EQ(tappe[0].mid(0, 3), (QStringList{"000043", "0001", "Tromsø"}));
    EXPECT_EQ(tappe[1].mid(0, 3), (QStringList{"000042", "0001", "Alta"}));
    EXPECT_EQ(Conta(TabMeteCamper), 4);  // Bodø was not picked

    // The same file again: every trip is discarded and no leg is added.
    const ContiImport d = Importa(file, {"000041", "000007"});
    EXPECT_EQ((QList<qint64>{d.meteScartate, d.tappeInserite}), (QList<qint64>{2, 0}));
    EXPECT_EQ(Conta(TabItinerari), 2);
}

TEST_F(Scambio, ImportGuidaSoloPerLeTappeESenzaDoppioni) {
    Tappa("000099", "0001", "Bergen [Start]");
    Guida("Bergen", "Bryggen");
    const ContiImport c = Importa(
        FileMete({{"000001", "Tromsø"}}, {L({"Bergen", "BRYGGEN", "01:00"}, kG),           // already stored
                                          L({"Bergen", "Fløibanen", "01:30"}, kG),         // on a stored leg
                                          L({"Tromsø", "Ishavskatedralen", "01:00"}, kG),  // on a new leg
                                          L({"Lofoten", "Reine", "02:00"}, kG)}),          // on no leg
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
        Importa({L({"Ignoto", "Nazione", "Localita", "CODICEMETA"}, kM),
                 L({"?", "Italia", "San Gimignano", "000001"}, kM),
                 L({"Fine", "Localita", "CodiceMeta", "Start"}, kT), L({"1", lunga, "000001", "1"}, kT)},
                {"000001"});
    EXPECT_EQ(c.valoriTagliati, 1);
    const QList<QStringList> mete = Righe(archivio, TabMeteCamper);
    ASSERT_EQ(mete.size(), 1);
    EXPECT_EQ(mete[0].mid(0, 3), (QStringList{"000001", "San Gimignano", "Italia"}));
    RowSet rs = archivio.dati().apriTabella("Itinerari");
    EXPECT_EQ(rs.testo("Localita"), lunga.left(30));
    EXPECT_EQ((QList<bool>{rs.siNo("Start"), rs.siNo("Fine"), rs.siNo("Flag2")}),
              (QList<bool>{true, true, false}));
    EXPECT_TRUE(MessaggioImport(c).endsWith("\r\n\r\n1 valori tagliati alla larghezza del campo."));
}

// A file the reader refuses is reported with its line, and nothing is written.
TEST_F(Scambio, UnaRigaDifettosaLasciaIlDatabaseComEra) {
    Meta("000001", "Oslo");
    QStringList righe = FileMete({{"000001", "Siena"}, {"000002", "Pisa"}});
    righe.insert(3, L({"000002", "Pisa"}, kM));  // a field short, among the trips
    const QString percorso = dir.filePath("rotto.iei");
    test::scriviFile(percorso, Righe1252(righe));
    const EsitoImportFile e = ImportaFile(archivio, percorso, {"000001", "000002"}, progresso);
    EXPECT_FALSE(e.eseguito);
    EXPECT_TRUE(e.errore.contains("(riga 4)")) << e.errore.toStdString();
    EXPECT_EQ(Conta(TabMeteCamper), 1);
}

// Whichever statement of the import fails, every table is exactly as before the import.
TEST_F(Scambio, GuastoAOgniIstruzioneLasciaIlDatabaseComEra) {
    Tappa("000099", "0001", "Bergen [Start]");
    Guida("Bergen", "Bryggen");
    const QStringList file =
        FileMete({{"000001", "Tromsø"}, {"000002", "Oslo"}},
                 {L({"Bergen", "Fløibanen", "01:30"}, kG), L({"Tromsø", "Polaria", "01:00"}, kG)});
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

TEST_F(Scambio, UnGuastoDelDatabaseAnnullaTuttoIlLavoro) {
    // The guide table refuses every row, as a full disk would.
    ASSERT_TRUE(test::eseguiSql(archivio.percorsoDatabase(),
                                "CREATE TRIGGER pieno BEFORE INSERT ON GuidaCitta "
                                "BEGIN SELECT RAISE(ABORT, 'disco pieno'); END"));
    const QString percorso = dir.filePath("guida.iei");
    test::scriviFile(percorso,
                     Righe1252(FileMete({{"000001", "Siena"}}, {L({"Siena", "Duomo", "01:00"}, kG)})));
    const EsitoImportFile e = ImportaFile(archivio, percorso, {"000001"}, progresso);
    EXPECT_FALSE(e.eseguito);
    EXPECT_TRUE(e.errore.contains("riga 6")) << e.errore.toStdString();
    EXPECT_TRUE(e.errore.contains("disco pieno"));
    EXPECT_EQ(Conta(TabMeteCamper) + Conta(TabItinerari), 0);
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

TEST(MessaggioImport, ScartatiERaggruppamento) {
    ContiImport c;
    c.meteInserite = 1;
    c.tappeInserite = 1234;
    c.meteScartate = 2;
    EXPECT_EQ(MessaggioImport(c),
              "Sono stati inseriti:\r\n\r\n1 mète/itinerari;\r\n1.234 tratti stradali;\r\n"
              "0 guide/informazioni località.\r\n\r\nSono stati scartati:\r\n\r\n2 mète/itinerari;\r\n"
              "0 guide/informazioni località,\r\n\r\nperchè già presenti nel database con lo stesso nome.");
}

}  // namespace
