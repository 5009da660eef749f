// The exchange panel, headless: the lists and their counts, moving trips, and an export and an
// import carried out through the buttons with scripted dialogs.
#include "exchange/ui/PannelloScambio.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "common/Dialoghi.h"
#include "common/Progresso.h"
#include "database/Archivio.h"
#include "exchange/Esporta.h"

namespace {

struct Banco {
    QTemporaryDir dir;
    Archivio archivio{dir.path()};
    DialoghiScriptati dialoghi;
    ProgressoMemoria progresso;
    PannelloScambio pannello{archivio, dialoghi, progresso};
    Banco() { archivio.AvviaDatabase(); }
};

void Meta(Archivio& a, const QString& codice, const QString& localita) {
    test::inserisci(a.dati(), "MeteCamper", {{"CodiceMeta", codice}, {"Localita", localita}});
}

TEST(PannelloScambio, ListeDidascalieEdEsportazione) {
    Banco b;
    PannelloScambio& p = b.pannello;
    Meta(b.archivio, "000001", "Siena");
    Meta(b.archivio, "000002", "Firenze");
    Meta(b.archivio, "000003", "Pisa");
    QSignalSpy concluso(&p, &PannelloScambio::concluso);

    p.cmdExport_Click();
    p.cmdImportExport_Click(0);
    EXPECT_TRUE(p.isVisible());
    EXPECT_EQ(p.mfgImExp[0].testo(1, 1), "Firenze");
    EXPECT_EQ(p.mfgImExp[0].testo(3, 3), "000001");
    EXPECT_EQ(p.cmdTutto[0]->text(), "[3] Tutti --->");
    EXPECT_FALSE(p.cmdImExp[0]->isEnabled());
    EXPECT_FALSE(p.cmdTutto[1]->isEnabled());

    p.mfgImExp[0].impostaRiga(2);  // Pisa
    p.mfgImExp_Click(0);
    EXPECT_EQ(p.cmdTutto[0]->text(), "[2] Tutti --->");
    EXPECT_EQ(p.cmdTutto[1]->text(), "<--- Tutti [1]");
    EXPECT_TRUE(p.cmdImExp[0]->isEnabled());
    p.cmdTutto_Click(0);
    EXPECT_EQ(p.mfgImExp[1].righe(), 4);
    EXPECT_EQ(p.mfgImExp[1].testo(1, 1), "Pisa");
    EXPECT_EQ(p.mfgImExp[1].testo(3, 1), "Siena");
    EXPECT_FALSE(p.cmdTutto[0]->isEnabled());

    const QString percorso = b.dir.filePath("toscana.iei");
    b.dialoghi.fileDaSalvare = {percorso};
    b.dialoghi.risposte = {Risposta::Si};
    p.cmdImExp[0]->click();
    EXPECT_EQ(b.dialoghi.mostrati.back().testo, "Le mète esportate si trovano sul file " + percorso);
    const QByteArray file = test::leggiFile(percorso);
    EXPECT_LT(file.indexOf("000003"), file.indexOf("000002"));
    EXPECT_TRUE(p.isVisible());
    EXPECT_EQ(concluso.count(), 1);

    p.cmdImExp[1]->click();
    EXPECT_FALSE(p.isVisible());
    EXPECT_EQ(concluso.count(), 2);
}

TEST(PannelloScambio, Importazione) {
    Banco origine;
    Meta(origine.archivio, "000001", "Siena");
    Meta(origine.archivio, "000002", "Pisa");
    const QString percorso = origine.dir.filePath("toscana.iei");
    ASSERT_TRUE(ScriviEsportazione(origine.archivio, {"000001", "000002"}, percorso, origine.progresso));

    Banco b;
    PannelloScambio& p = b.pannello;
    QSignalSpy chiuso(&p, &PannelloScambio::chiuso);
    b.dialoghi.fileDaAprire = {b.dir.filePath("manca.iei")};
    p.cmdExport_Click();
    p.cmdImportExport_Click(1);
    EXPECT_TRUE(b.dialoghi.mostrati.back().testo.startsWith("Impossibile leggere il file"));

    b.dialoghi.fileDaAprire = {percorso};
    p.cmdImportExport_Click(1);
    EXPECT_EQ(p.cmdImExp[0]->text(), "Importa");
    EXPECT_EQ(p.mfgImExp[1].testo(2, 1), "Pisa");
    EXPECT_EQ(p.cmdTutto[1]->text(), "<--- Tutti [2]");
    EXPECT_FALSE(p.cmdImExp[0]->isEnabled());
    p.mfgImExp[1].impostaRiga(2);
    p.mfgImExp_Click(1);
    EXPECT_TRUE(p.cmdImExp[0]->isEnabled());

    b.dialoghi.risposte = {Risposta::Si};
    p.cmdImExp[0]->click();
    EXPECT_TRUE(b.dialoghi.mostrati.back().testo.startsWith("Sono stati inseriti:\r\n\r\n1 mète/itinerari;"));
    EXPECT_FALSE(p.isVisible());
    EXPECT_EQ(chiuso.count(), 1);
    RowSet rs = b.archivio.dati().apriTabella("MeteCamper");
    ASSERT_EQ(rs.conteggio(), 1);
    EXPECT_EQ(rs.testo("Localita"), "Pisa");
}

}  // namespace
