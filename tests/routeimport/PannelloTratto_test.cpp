// The stretch frame driven headless: its buttons reach the grid, leaving asks to save only after
// an assignment, saving goes through the window's save, and single-leg mode takes grid clicks.
#include "routeimport/ui/PannelloTratto.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/ui/GrigliaModello.h"
#include "itinerary/GrigliaItinerario.h"

namespace {

class PannelloTrattoTest : public ::testing::Test {
  protected:
    Griglia mfgTab;
    DialoghiScriptati dialoghi;
    int salvataggi = 0, ricariche = 0, ricalcoli = 0;
    std::unique_ptr<PannelloTratto> p;

    void SetUp() override {
        ImpostaGriglia(mfgTab, LayoutItinerario);
        for (int r = 1; r <= 8; ++r) {
            mfgTab.impostaTesto(r, ColNumero, QString::number(r));
            mfgTab.impostaTesto(r, ColTappa, QString("LUOGO %1").arg(r));
            mfgTab.impostaTesto(r, ColTipoStrada, "P");
        }
        CollegamentoTratto c{[this] { return ++salvataggi, true; }, [this] { ++ricariche; },
                             [this] { ++ricalcoli; }};
        p = std::make_unique<PannelloTratto>(mfgTab, dialoghi, c);
        p->cmdModStrada_Click();
    }
    void Scegli(int riga, int pulsante) {
        mfgTab.impostaRiga(riga);
        p->cmdTappaSEl[pulsante]->click();
    }
};

TEST_F(PannelloTrattoTest, AssegnaEFineConSalvataggio) {
    EXPECT_TRUE(p->isVisible());
    EXPECT_FALSE(p->cmdTappaSEl[2]->isEnabled());
    Scegli(3, 0);
    Scegli(7, 1);
    EXPECT_EQ(p->txttappasel[0]->text(), "0003 P LUOGO 3");
    EXPECT_EQ(p->txttappasel[2]->text(), "5");
    EXPECT_TRUE(p->cmdTappaSEl[2]->isEnabled());
    p->optTStrada[0]->click();  // Autostrada
    QSignalSpy cambiata(p.get(), &PannelloTratto::grigliaCambiata);
    p->cmdTappaSEl[2]->click();
    EXPECT_EQ(mfgTab.testo(5, ColTipoStrada), "A");
    EXPECT_EQ(mfgTab.testo(8, ColTipoStrada), "P");
    EXPECT_EQ(ricalcoli, 1);
    EXPECT_EQ(cambiata.count(), 1);

    QSignalSpy chiuso(p.get(), &PannelloTratto::trattoChiuso);
    dialoghi.risposte << Risposta::Si;
    p->cmdTappaSEl[3]->click();
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Vuoi salvare le modifiche apportate?"});
    EXPECT_EQ(dialoghi.mostrati.last().titolo, "Salvataggio dati");
    EXPECT_EQ(salvataggi, 1);
    EXPECT_EQ(ricariche, 1);
    EXPECT_EQ(chiuso.count(), 1);
    EXPECT_FALSE(p->isVisible());
    EXPECT_TRUE(p->txttappasel[0]->text().isEmpty());
}

TEST_F(PannelloTrattoTest, SalvaAzzeraLeMarcheEFineNonChiedePiu) {
    Scegli(2, 0);
    p->cmdTappaSEl[2]->click();
    p->cmdTappaSEl[4]->click();
    EXPECT_EQ(salvataggi, 1);
    p->cmdTappaSEl[3]->click();
    EXPECT_TRUE(dialoghi.mostrati.isEmpty());
    EXPECT_EQ(ricariche, 1);
}

TEST_F(PannelloTrattoTest, SingolaTappaConUnClic) {
    EXPECT_FALSE(p->mfgTab_Click(4));  // not in single-leg mode: the click is not the frame's
    p->chkTappaSingola->setChecked(true);
    EXPECT_TRUE(p->sceltaSingola());
    EXPECT_TRUE(p->mfgTab_Click(4));
    p->optTStrada[1]->click();
    p->cmdTappaSEl[2]->click();
    QStringList tipi;
    for (int r = 1; r <= 8; ++r) tipi << mfgTab.testo(r, ColTipoStrada);
    EXPECT_EQ(tipi, (QStringList{"P", "P", "P", "S", "P", "P", "P", "P"}));
    p->cmdTappaSEl[3]->click();
    EXPECT_FALSE(p->chkTappaSingola->isChecked());
}

}  // namespace
