// The exchange panel, headless: the lists and their counts, moving trips, and an export and an
// import carried out through the buttons with scripted dialogs.
#include "exchange/ui/PannelloScambio.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "common/Dialoghi.h"
#include "common/Progresso.h"
#include "database/Archivio.h"

namespace {

struct Banco {
    QTemporaryDir dir;
    Archivio archivio{dir.path()};
    DialoghiScriptati dialoghi;
    ProgressoMemoria progresso;
    PannelloScambio p{archivio, dialoghi, progresso};
    explicit Banco(const QStringList& mete = {}) {
        archivio.AvviaDatabase();
        for (const QString& m : mete)
            test::inserisci(archivio.dati(), "MeteCamper|CodiceMeta=" + m.section(' ', 0, 0) +
                                                 "|Localita=" + m.section(' ', 1));
    }
    // Both lists (column 1), the captions of the "all" buttons and which buttons are enabled:
    // "all" left, "all" right, the export or import.
    QString Stato() {
        QStringList s;
        for (Griglia& g : p.mfgImExp) {
            QStringList l;
            for (int r = 1; r < g.righe(); ++r) l << g.testo(r, 1);
            s << l.join(',');
        }
        s << p.cmdTutto[0]->text() << p.cmdTutto[1]->text();
        s << QString::number(p.cmdTutto[0]->isEnabled()) + QString::number(p.cmdTutto[1]->isEnabled()) +
                 QString::number(p.cmdImExp[0]->isEnabled());
        return s.join('|');
    }
};

TEST(PannelloScambio, EsportazioneEImportazione) {
    Banco b({"000001 Siena", "000002 Firenze", "000003 Pisa"});
    QSignalSpy concluso(&b.p, &PannelloScambio::concluso), chiuso(&b.p, &PannelloScambio::chiuso);
    b.p.cmdExport_Click();
    b.p.cmdImportExport_Click(0);
    EXPECT_TRUE(b.p.isVisible());
    EXPECT_EQ(b.Stato(), "Firenze,Pisa,Siena||[3] Tutti --->|<--- Tutti [0]|100");
    b.p.mfgImExp[0].impostaRiga(2);  // Pisa
    b.p.mfgImExp_Click(0);
    EXPECT_EQ(b.Stato(), "Firenze,Siena|Pisa|[2] Tutti --->|<--- Tutti [1]|111");
    b.p.cmdTutto_Click(0);
    EXPECT_EQ(b.Stato(), "|Pisa,Firenze,Siena|[0] Tutti --->|<--- Tutti [3]|011");
    const QString percorso = b.dir.filePath("toscana.iei");
    b.dialoghi.fileDaSalvare = {percorso};
    b.dialoghi.risposte = {Risposta::Si};
    b.p.cmdImExp[0]->click();
    EXPECT_EQ(b.dialoghi.mostrati.back().testo, "Le mète esportate si trovano sul file " + percorso);
    const QByteArray file = test::leggiFile(percorso);
    EXPECT_LT(file.indexOf("000003"), file.indexOf("000002"));
    EXPECT_TRUE(b.p.isVisible());
    EXPECT_EQ(concluso.count(), 1);
    b.p.cmdImExp[1]->click();
    EXPECT_FALSE(b.p.isVisible());
    EXPECT_EQ(chiuso.count(), 1);
    // Into another data file: a file that cannot be read is said; the trips of the file listed.
    Banco d;
    QSignalSpy chiusoD(&d.p, &PannelloScambio::chiuso);
    d.dialoghi.fileDaAprire = {d.dir.filePath("manca.iei")};
    d.p.cmdExport_Click();
    d.p.cmdImportExport_Click(1);
    EXPECT_TRUE(d.dialoghi.mostrati.back().testo.startsWith("Impossibile leggere il file"));
    d.dialoghi.fileDaAprire = {percorso};
    d.p.cmdImportExport_Click(1);
    EXPECT_EQ(d.p.cmdImExp[0]->text(), "Importa");
    EXPECT_EQ(d.Stato(), "|Pisa,Firenze,Siena|[0] Tutti --->|<--- Tutti [3]|010");
    d.p.mfgImExp[1].impostaRiga(2);
    d.p.mfgImExp_Click(1);
    EXPECT_EQ(d.Stato(), "Firenze|Pisa,Siena|[1] Tutti --->|<--- Tutti [2]|111");
    d.dialoghi.risposte = {Risposta::Si};
    d.p.cmdImExp[0]->click();
    EXPECT_TRUE(d.dialoghi.mostrati.back().testo.startsWith("Sono stati inseriti:\r\n\r\n1 mète/itinerari;"));
    EXPECT_FALSE(d.p.isVisible());
    EXPECT_EQ(chiusoD.count(), 1);
    RowSet rs = d.archivio.dati().apriTabella("MeteCamper");
    ASSERT_EQ(rs.conteggio(), 1);
    EXPECT_EQ(rs.testo("Localita"), "Firenze");
}

}  // namespace
