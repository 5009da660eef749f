// The import command on the itinerary grid: the legs written (a leg over 999 km in pieces, the
// ferry stop), the refusal, an unrecognised file leaving the grid alone, the file dialog and the
// recompute; and the batch command on a database built by the test.
#include "routeimport/ImportaPercorso.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTextStream>

#include "Campioni.h"
#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Uscita.h"
#include "database/Archivio.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/Tappe.h"
#include "routeimport/ImportaPercorsoBatch.h"
#include "routeimport/TappeImportate.h"
#include "trips/Meta.h"

namespace {

QString Campione(const char* nome) {
    return campioni::Percorso(nome);
}

QStringList Colonna(const Griglia& g, int c) {
    QStringList l;
    for (int r = 1; r <= UltimaRigaTappa(g); ++r) l << g.testo(r, c);
    return l;
}

TEST(ScriviTappe, PezziDa999KmESostaTraghetto) {
    Griglia g;
    TappaImportata lunga{"HAMMERFEST", "E6", 2100, 2100, "P", false};
    TappaImportata nave{"BERGEN", "TRAGH", 40, 2140, "P", true};
    ScriviTappeImportate(g, {lunga, nave}, SostaTraghetto("2", "30"));
    EXPECT_EQ(Colonna(g, ColTappa), (QStringList{"HAMMERFEST", "HAMMERFEST", "HAMMERFEST", "BERGEN"}));
    EXPECT_EQ(Colonna(g, ColKm), (QStringList{"999", "999", "102", "40"}));
    EXPECT_EQ(Colonna(g, ColNumero), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(Colonna(g, ColSosta), (QStringList{"", "", "", "00:02:30"}));
    EXPECT_EQ(Colonna(g, ColStrada), (QStringList{"E6", "E6", "E6", "TRAGH"}));
    EXPECT_EQ(g.righe(), kRigheMinimeItinerario);
    EXPECT_EQ(g.colonne(), kColonneItinerario);
}

class ImportaTest : public ::testing::Test {
  protected:
    Griglia mfgTab;
    DialoghiScriptati dialoghi;
    void SetUp() override {
        ImpostaGriglia(mfgTab, LayoutItinerario);
        CancellaMatrice(mfgTab);
    }
};

TEST_F(ImportaTest, RifiutoConTappeENonRiconosciuto) {
    mfgTab.impostaTesto(1, ColTappa, "ROMA");
    EXPECT_EQ(ImportaPercorso(mfgTab, Campione("istruzioni_it.txt"), "00:01:00", dialoghi).esito,
              EsitoImport::Rifiutato);
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{MessaggioTappePresenti()});
    EXPECT_EQ(Colonna(mfgTab, ColTappa), QStringList{"ROMA"});

    // Not recognised: the message, and the grid exactly as it was (its one empty row included).
    mfgTab.impostaTesto(1, ColTappa, "");
    mfgTab.impostaTesto(2, ColNumero, "segno");
    for (const char* nome : {"intestazione_riga16.txt", "inesistente.txt", "inesistente.gpx"})
        EXPECT_EQ(ImportaPercorso(mfgTab, Campione(nome), {}, dialoghi).esito, EsitoImport::NonRiconosciuto)
            << nome;
    EXPECT_TRUE(dialoghi.testiMostrati().last().contains("File non riconosciuto!"));
    EXPECT_EQ(mfgTab.testo(2, ColNumero), "segno");
}

TEST_F(ImportaTest, ComandoDialogoEDistanze) {
    BoxMeta box;
    ImpostaDefaultFabbrica(box);
    box.cmbOra[8] = "01";
    box.cmbMin[8] = "45";

    EXPECT_EQ(cmdMapPoint_Click(mfgTab, box, dialoghi).esito, EsitoImport::Annullato);  // dialog closed
    EXPECT_EQ(UltimaRigaTappa(mfgTab), 0);

    dialoghi.fileDaAprire << Campione("istruzioni_it.txt");
    const RisultatoImport r = cmdMapPoint_Click(mfgTab, box, dialoghi);
    EXPECT_EQ(r.esito, EsitoImport::Importato);
    EXPECT_EQ(r.tappe, 7);  // six places, Nizza's 1012 km in two rows
    EXPECT_EQ(mfgTab.testo(3, ColSosta), "00:01:45");
    EXPECT_EQ(mfgTab.testo(7, ColKmProgressivi), "1.300");  // recomputed over the whole grid
    EXPECT_FALSE(mfgTab.testo(2, ColTempo).isEmpty());
    EXPECT_EQ(box.txtKmTot[4], "1.300");
    EXPECT_EQ(mfgTab.riga(), 1);

    // The second import is refused before any dialog.
    EXPECT_EQ(cmdMapPoint_Click(mfgTab, box, dialoghi).esito, EsitoImport::Rifiutato);
}

class ImportaBatchTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString out, err;
    QTextStream outStream{&out}, errStream{&err};

    void SetUp() override {
        Archivio a(dir.path());
        a.AvviaDatabase();
        for (const char* codice : {"000001", "000002"}) {
            BoxMeta b;
            ImpostaDefaultFabbrica(b);
            b.cmbInizio = {"01", "07", "2024", "08", "00"};
            b.cmbOra[8] = "02";
            b.cmbMin[8] = "00";
            b.txtLocalita = "Oslo";
            b.txtNazione = "NORVEGIA";
            ScriviMeta({"I", codice}, b, a);
        }
        Griglia g;
        ScriviTappeImportate(g, {{"ROMA", "", 0, 0, "P", false}}, {});
        MemorizzaTappeItinerario(a, g, "000002", 1000);
    }

    Griglia Salvate(const QString& codice) {
        Archivio a(dir.path());
        a.AvviaDatabase();
        Griglia g;
        ImpostaGriglia(g, LayoutItinerario);
        CaricaTappeItinerario(a, g, codice, 1000);
        return g;
    }
};

TEST_F(ImportaBatchTest, ImportaESalvaInUnaMetaVuota) {
    EXPECT_EQ(EseguiImportaPercorso(dir.path(), Campione("istruzioni_it.txt"), "1", outStream, errStream),
              kUscitaRiuscita);
    EXPECT_TRUE(err.isEmpty());
    EXPECT_TRUE(out.contains("000001"));
    const Griglia g = Salvate("000001");
    EXPECT_EQ(Colonna(g, ColTappa).size(), 7);
    EXPECT_EQ(g.testo(3, ColStrada), "SS12 TRAGH");
    EXPECT_EQ(g.testo(3, ColSosta), "00:02:00");
    EXPECT_EQ(g.testo(5, ColKm), "999");
}

TEST_F(ImportaBatchTest, RifiutiEMetaIgnota) {
    EXPECT_EQ(EseguiImportaPercorso(dir.path(), Campione("istruzioni_it.txt"), "2", outStream, errStream),
              kUscitaErrore);
    EXPECT_TRUE(err.startsWith("Impossibile: sono presenti delle tappe!\n"));
    EXPECT_EQ(Colonna(Salvate("000002"), ColTappa), QStringList{"ROMA"});

    err.clear();
    EXPECT_EQ(EseguiImportaPercorso(dir.path(), Campione("istruzioni_it.txt"), "42", outStream, errStream),
              kUscitaMetaIgnota);
    EXPECT_EQ(err, QString::fromUtf8("Mèta con codice 000042 inesistente nel database!\n"));

    err.clear();
    EXPECT_EQ(
        EseguiImportaPercorso(dir.path(), Campione("intestazione_riga16.txt"), "1", outStream, errStream),
        kUscitaErrore);
    EXPECT_TRUE(err.contains("File non riconosciuto!"));
    EXPECT_TRUE(Colonna(Salvate("000001"), ColTappa).isEmpty());
}

}  // namespace
