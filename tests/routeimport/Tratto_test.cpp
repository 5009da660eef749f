// The road type of a stretch: choice, assignment and marks, and its frame driven headless.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include "Campioni.h"
#include "common/Dialoghi.h"
#include "routeimport/TrattoStrada.h"
#include "routeimport/ui/PannelloTratto.h"

namespace {

class TrattoTest : public ::testing::Test {
  protected:
    Griglia g;
    StatoTratto s;
    DialoghiScriptati dialoghi;
    int salvataggi = 0, ricariche = 0, ricalcoli = 0;
    std::unique_ptr<PannelloTratto> p;

    void SetUp() override {
        ImpostaGriglia(g, LayoutItinerario);
        g.impostaRighe(40);
        for (int r = 1; r <= 38; ++r) {
            g.impostaTesto(r, ColNumero, QString::number(r));
            g.impostaTesto(r, ColTappa, QString("LUOGO %1").arg(r));
            g.impostaTesto(r, ColTipoStrada, r == 3 ? "" : "P");
        }
    }
    void Scegli(int riga, int indice) {
        g.impostaRiga(riga);
        cmdTappaSEl_Click(g, s, indice);
    }
    void Pannello() {
        CollegamentoTratto c{[this] { return ++salvataggi, true; }, [this] { ++ricariche; },
                             [this] { ++ricalcoli; }};
        p = std::make_unique<PannelloTratto>(g, dialoghi, c);
        p->cmdModStrada_Click();
    }
    void Premi(int riga, int pulsante) {
        g.impostaRiga(riga);
        p->cmdTappaSEl[pulsante]->click();
    }
};

TEST_F(TrattoTest, PrimaEUltimaSiInseguono) {
    Scegli(5, 0);  // the first alone fills the last too
    EXPECT_EQ(s.ultimaTappa, "0005 P LUOGO 5");
    EXPECT_TRUE(s.assegnaAbilitato);
    Scegli(3, 1);  // a last leg above the first moves the first to it; an empty type is "L"
    EXPECT_EQ(s.primaTappa, "0003  LUOGO 3");
    EXPECT_EQ(s.tipoStrada, "L");
    Scegli(7, 1);
    EXPECT_EQ(s.primaTappa, "0003  LUOGO 3");
    EXPECT_EQ(s.numeroTappe, "5");
    EXPECT_EQ(g.selezione(), (Rettangolo{3, 0, 7, g.colonne() - 1}));
    EXPECT_EQ(s.marche, QString(40, '0'));
}

TEST_F(TrattoTest, AssegnaSoloIlTrattoESegnaLeRighe) {
    Scegli(3, 0);
    Scegli(7, 1);
    s.tipoStrada = "A";
    cmdTappaSEl_Click(g, s, 2);
    EXPECT_EQ(campioni::Righe(g, {ColTipoStrada}).substr(0, 19), "P\nP\nA\nA\nA\nA\nA\nP\nP\nP");
    EXPECT_EQ(s.marche, "000" + QString(5, '1') + QString(32, '0'));
    EXPECT_EQ(s.primaTappa, "0003 A LUOGO 3");
    EXPECT_TRUE(ModificheTratto(s));
    MarcheSalvate(s);
    EXPECT_FALSE(ModificheTratto(s));
    // A stretch far down is brought into view, twelve rows below the top.
    Scegli(30, 0);
    Scegli(31, 1);
    g.impostaRigaInAlto(1);
    cmdTappaSEl_Click(g, s, 2);
    EXPECT_EQ(g.rigaInAlto(), 18);
}

// Leaving after an assignment asks to save; saving clears the marks, so leaving asks nothing.
TEST_F(TrattoTest, PannelloAssegnaSingolaTappaSalvaEFine) {
    Pannello();
    EXPECT_FALSE(p->cmdTappaSEl[2]->isEnabled());
    EXPECT_FALSE(p->mfgTab_Click(4));  // not in single-leg mode: the click is not the frame's
    Premi(4, 0);
    Premi(7, 1);
    EXPECT_EQ(p->txttappasel[0]->text() + '|' + p->txttappasel[2]->text(), "0004 P LUOGO 4|4");
    p->optTStrada[0]->click();  // Autostrada
    QSignalSpy cambiata(p.get(), &PannelloTratto::grigliaCambiata);
    p->cmdTappaSEl[2]->click();
    EXPECT_EQ(g.testo(5, ColTipoStrada) + g.testo(8, ColTipoStrada), "AP");
    EXPECT_EQ(ricalcoli + cambiata.count(), 2);
    QSignalSpy chiuso(p.get(), &PannelloTratto::trattoChiuso);
    dialoghi.risposte << Risposta::Si;
    p->cmdTappaSEl[3]->click();
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Vuoi salvare le modifiche apportate?"});
    EXPECT_EQ(salvataggi + ricariche + chiuso.count(), 3);
    EXPECT_TRUE(p->isHidden() && p->txttappasel[0]->text().isEmpty());
    p->cmdModStrada_Click();
    p->chkTappaSingola->setChecked(true);
    EXPECT_TRUE(p->mfgTab_Click(10));
    p->optTStrada[1]->click();
    p->cmdTappaSEl[2]->click();
    EXPECT_EQ(g.testo(10, ColTipoStrada) + g.testo(11, ColTipoStrada), "SP");
    p->cmdTappaSEl[4]->click();
    p->cmdTappaSEl[3]->click();
    EXPECT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_EQ(salvataggi + ricariche, 4);
    EXPECT_FALSE(p->chkTappaSingola->isChecked());
}

}  // namespace
