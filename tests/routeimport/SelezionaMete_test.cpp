// The real destinations of an ITN converter list applied to an imported itinerary: entries read
// from the file, legs renamed, intermediate legs folded into the next one, and the command's
// refusal and questions.
#include "routeimport/SelezionaMete.h"

#include <gtest/gtest.h>

#include "Campioni.h"
#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "itinerary/GrigliaItinerario.h"
#include "routeimport/ImportaPercorso.h"

namespace {

QStringList Colonna(const Griglia& g, int c) {
    QStringList l;
    for (int r = 1; r <= UltimaRigaTappa(g); ++r) l << g.testo(r, c);
    return l;
}

TEST(SelezionaMete, VociENomi) {
    EXPECT_EQ(VociMete({"Num,Nome", "0001,\"1\",\"2\",\"Oslo [01]\"", "  12,x, Bergen ", "abcd,Voss"}),
              (QStringList{"Oslo [01]", "Bergen"}));
    EXPECT_EQ(LocalitaDaVoce("Oslo [01]", false), "Oslo [1]");
    EXPECT_EQ(LocalitaDaVoce("Oslo [01]", true), "Oslo");
    EXPECT_EQ(LocalitaDaVoce("Geiranger [07][Park]", false), "Park: Geiranger [7]");
    EXPECT_EQ(LocalitaDaVoce("Flam [Traghetto][12]", false), "Flam [Traghetto-12]");
}

TEST(SelezionaMete, ComandoSuUnItinerarioImportato) {
    Griglia g;
    DialoghiScriptati d;
    QStringList lstMete;
    ImpostaGriglia(g, LayoutItinerario);
    EXPECT_EQ(cmdSelezionaMete_Click(g, d, lstMete), -1);
    EXPECT_EQ(d.mostrati.last().titolo, "Revisione tappe");

    ImportaPercorso(g, campioni::Percorso("istruzioni_it.txt"), "00:02:00", d);
    EXPECT_EQ(cmdSelezionaMete_Click(g, d, lstMete), -1);  // dialog closed: nothing
    EXPECT_EQ(UltimaRigaTappa(g), 7);

    d.fileDaAprire << campioni::Percorso("mete_itn.csv");
    d.risposte << Risposta::No;  // keep the final numbering
    EXPECT_EQ(cmdSelezionaMete_Click(g, d, lstMete), 3);
    EXPECT_EQ(d.mostrati.last().titolo, "Numerazione tappe");
    EXPECT_EQ(lstMete.size(), 3);
    // Modena Nord goes into Livorno (a ferry, kept anyway), both Nizza rows into Forlì.
    EXPECT_EQ(Colonna(g, ColTappa), (QStringList{"Milano [1]", "Park: Livorno [2]", "INGRESSO IN FRANCIA",
                                                 QString::fromUtf8("Forlì [3]")}));
    EXPECT_EQ(Colonna(g, ColKm), (QStringList{"0", "230", "20", "1050"}));
    EXPECT_EQ(Colonna(g, ColNumero), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(g.righe(), kRigheMinimeItinerario);
}

}  // namespace

#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>

#include "routeimport/ui/PannelloImportaPercorso.h"

namespace {

TEST(PannelloImportaPercorso, FiltroDalPulsante) {
    Griglia g;
    DialoghiScriptati d;
    int ricalcoli = 0;
    ImportaPercorso(g, campioni::Percorso("istruzioni_it.txt"), {}, d);
    PannelloImportaPercorso p(g, d, [&] { ++ricalcoli; });
    QSignalSpy cambiata(&p, &PannelloImportaPercorso::grigliaCambiata);
    p.cmdSelezionaMete->click();  // dialog closed: nothing
    EXPECT_EQ(ricalcoli, 0);
    d.fileDaAprire << campioni::Percorso("mete_itn.csv");
    d.risposte << Risposta::Si;
    p.cmdSelezionaMete->click();
    EXPECT_EQ(p.lstMete->count(), 3);
    EXPECT_EQ(g.testo(1, ColTappa), "Milano");
    EXPECT_EQ(ricalcoli, 1);
    EXPECT_EQ(cambiata.count(), 1);
    EXPECT_TRUE(p.isEnabled());
}

}  // namespace
