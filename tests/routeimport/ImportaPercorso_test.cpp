// Route import into the grid and by the batch command, and the ITN destination filter with its panel.
#include "routeimport/ImportaPercorso.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextStream>

#include "Campioni.h"
#include "common/Dialoghi.h"
#include "common/Uscita.h"
#include "database/Archivio.h"
#include "itinerary/Tappe.h"
#include "routeimport/ImportaPercorsoBatch.h"
#include "routeimport/SelezionaMete.h"
#include "routeimport/ui/PannelloImportaPercorso.h"
#include "trips/Meta.h"

namespace {

using namespace campioni;

TEST(ScriviTappe, PezziDa999KmESostaTraghetto) {
    Griglia g;
    ScriviTappeImportate(
        g, {{"HAMMERFEST", "E6", 2100, 2100, "P", false}, {"BERGEN", "TRAGH", 40, 2140, "P", true}},
        SostaTraghetto("2", "30"));
    EXPECT_EQ(Righe(g, {ColNumero, ColTappa, ColKm, ColKmProgressivi, ColStrada, ColSosta}),
              R"(1|HAMMERFEST|999|999|E6|
2|HAMMERFEST|999|1998|E6|
3|HAMMERFEST|102|2100|E6|
4|BERGEN|40|2140|TRAGH|00:02:30)");
    EXPECT_EQ(g.righe(), kRigheMinimeItinerario);
}

TEST(ImportaPercorso, RifiutoNonRiconosciutoComandoEDistanze) {
    Griglia g;
    DialoghiScriptati dialoghi;
    ImpostaGriglia(g, LayoutItinerario);
    CancellaMatrice(g);
    g.impostaTesto(1, ColTappa, "ROMA");
    EXPECT_EQ(ImportaPercorso(g, Percorso("istruzioni_it.txt"), "00:01:00", dialoghi).esito,
              EsitoImport::Rifiutato);
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{MessaggioTappePresenti()});
    EXPECT_EQ(Righe(g, {ColTappa}), "ROMA");
    // Not recognised: the message, and the grid exactly as it was (its one empty row included).
    g.impostaTesto(1, ColTappa, "");
    g.impostaTesto(2, ColNumero, "segno");
    for (const char* nome : {"intestazione_riga16.txt", "inesistente.txt", "inesistente.gpx"})
        EXPECT_EQ(ImportaPercorso(g, Percorso(nome), {}, dialoghi).esito, EsitoImport::NonRiconosciuto)
            << nome;
    EXPECT_TRUE(dialoghi.testiMostrati().last().contains("File non riconosciuto!"));
    EXPECT_EQ(g.testo(2, ColNumero), "segno");
    BoxMeta box;
    ImpostaDefaultFabbrica(box);
    box.cmbOra[8] = "01";
    box.cmbMin[8] = "45";
    EXPECT_EQ(cmdMapPoint_Click(g, box, dialoghi).esito, EsitoImport::Annullato);  // dialog closed
    dialoghi.fileDaAprire << Percorso("istruzioni_it.txt");
    const RisultatoImport r = cmdMapPoint_Click(g, box, dialoghi);
    EXPECT_EQ(r.esito, EsitoImport::Importato);
    EXPECT_EQ(r.tappe, 7);  // six places, Nizza's 1012 km in two rows
    EXPECT_EQ(g.testo(3, ColSosta), "00:01:45");
    EXPECT_EQ(g.testo(7, ColKmProgressivi), "1.300");  // recomputed over the whole grid
    EXPECT_EQ(box.txtKmTot[4], "1.300");
    EXPECT_EQ(g.riga(), 1);
    EXPECT_EQ(cmdMapPoint_Click(g, box, dialoghi).esito, EsitoImport::Rifiutato);  // before any dialog
}

TEST(ImportaPercorsoBatch, SalvaInUnaMetaVuotaRifiutaLeAltre) {
    QTemporaryDir dir;
    {
        Archivio a(dir.path());
        a.AvviaDatabase();
        BoxMeta b;
        ImpostaDefaultFabbrica(b);
        b.cmbInizio = {"01", "07", "2024", "08", "00"};
        b.cmbOra[8] = "02";
        b.cmbMin[8] = "00";
        ScriviMeta({"I", "000001"}, b, a);
    }
    QString out, err;
    QTextStream o(&out), e(&err);
    const auto importa = [&](const char* file, const char* meta) {
        err.clear();
        return EseguiImportaPercorso(dir.path(), Percorso(file), meta, o, e);
    };
    EXPECT_EQ(importa("intestazione_riga16.txt", "1"), kUscitaErrore);
    EXPECT_TRUE(err.contains("File non riconosciuto!"));
    EXPECT_EQ(importa("istruzioni_it.txt", "1"), kUscitaRiuscita);
    EXPECT_TRUE(err.isEmpty() && out.contains("000001"));
    EXPECT_EQ(importa("istruzioni_it.txt", "1"), kUscitaErrore);  // the legs are there now
    EXPECT_TRUE(err.startsWith("Impossibile: sono presenti delle tappe!\n"));
    EXPECT_EQ(importa("istruzioni_it.txt", "42"), kUscitaMetaIgnota);
    EXPECT_EQ(err, QString::fromUtf8("Mèta con codice 000042 inesistente nel database!\n"));
    Archivio a(dir.path());
    a.AvviaDatabase();
    Griglia g;
    ImpostaGriglia(g, LayoutItinerario);
    CaricaTappeItinerario(a, g, "000001", 1000);
    EXPECT_EQ(Righe(g, {ColKm}), "\n153\n77\n20\n999\n13\n38");  // stored once
    EXPECT_EQ(g.testo(3, ColStrada) + g.testo(3, ColSosta), "SS12 TRAGH00:02:00");
}

TEST(SelezionaMete, VociENomi) {
    EXPECT_EQ(VociMete({"Num,Nome", "0001,\"1\",\"2\",\"Oslo [01]\"", "  12,x, Bergen ", "abcd,Voss"}),
              (QStringList{"Oslo [01]", "Bergen"}));
    // The entry, its locality, and its locality without the final numbering.
    const char* nomi = R"(Oslo [01]|Oslo [1]|Oslo
Geiranger [07][Park]|Park: Geiranger [7]|Park: Geiranger
Flam [Traghetto][12]|Flam [Traghetto-12]|Flam [Traghetto])";
    const auto localita = [](const QString& v) {
        return LocalitaDaVoce(v, false) + '|' + LocalitaDaVoce(v, true);
    };
    EXPECT_EQ(Rilegge(nomi, localita), nomi);
}

TEST(SelezionaMete, ComandoSuUnItinerarioImportato) {
    Griglia g;
    DialoghiScriptati d;
    QStringList lstMete;
    ImpostaGriglia(g, LayoutItinerario);
    EXPECT_EQ(cmdSelezionaMete_Click(g, d, lstMete), -1);
    EXPECT_EQ(d.mostrati.last().titolo, "Revisione tappe");
    ImportaPercorso(g, Percorso("istruzioni_it.txt"), "00:02:00", d);
    EXPECT_EQ(cmdSelezionaMete_Click(g, d, lstMete), -1);  // dialog closed: nothing
    EXPECT_EQ(UltimaRigaTappa(g), 7);
    d.fileDaAprire << Percorso("mete_itn.csv");
    d.risposte << Risposta::No;  // keep the final numbering
    EXPECT_EQ(cmdSelezionaMete_Click(g, d, lstMete), 3);
    EXPECT_EQ(d.mostrati.last().titolo, "Numerazione tappe");
    EXPECT_EQ(lstMete.size(), 3);
    // Modena Nord goes into Livorno (a ferry, kept anyway), both Nizza rows into Forlì.
    EXPECT_EQ(Righe(g, {ColNumero, ColTappa, ColKm}), R"(1|Milano [1]|0
2|Park: Livorno [2]|230
3|INGRESSO IN FRANCIA|20
4|Forlì [3]|1050)");
    EXPECT_EQ(g.righe(), kRigheMinimeItinerario);
}

TEST(PannelloImportaPercorso, FiltroDalPulsante) {
    Griglia g;
    DialoghiScriptati d;
    int ricalcoli = 0;
    ImportaPercorso(g, Percorso("istruzioni_it.txt"), {}, d);
    PannelloImportaPercorso p(g, d, [&] { ++ricalcoli; });
    QSignalSpy cambiata(&p, &PannelloImportaPercorso::grigliaCambiata);
    p.cmdSelezionaMete->click();  // dialog closed: nothing
    EXPECT_EQ(ricalcoli, 0);
    d.fileDaAprire << Percorso("mete_itn.csv");
    d.risposte << Risposta::Si;
    p.cmdSelezionaMete->click();
    EXPECT_EQ(p.lstMete->count(), 3);
    EXPECT_EQ(g.testo(1, ColTappa), "Milano");
    EXPECT_EQ(ricalcoli + cambiata.count(), 2);
}

}  // namespace
