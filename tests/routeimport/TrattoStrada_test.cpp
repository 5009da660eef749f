// The road type of a stretch: choosing the first and last leg, the assignment with its marks and
// scrolling, and the selection after each button.
#include "routeimport/TrattoStrada.h"

#include <gtest/gtest.h>

#include "common/Griglia.h"
#include "itinerary/GrigliaItinerario.h"

namespace {

class TrattoTest : public ::testing::Test {
  protected:
    Griglia g;
    StatoTratto s;
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
};

TEST_F(TrattoTest, PrimaEUltimaSiInseguono) {
    EXPECT_EQ(NumeroTappaTratto(""), 0);
    Scegli(5, 0);  // the first alone fills the last too
    EXPECT_EQ(s.ultimaTappa, "0005 P LUOGO 5");
    EXPECT_TRUE(s.assegnaAbilitato);
    Scegli(3, 1);  // a last leg above the first moves the first to it; an empty type is "L"
    EXPECT_EQ(s.primaTappa, "0003  LUOGO 3");
    EXPECT_EQ(s.tipoStrada, "L");
    Scegli(7, 1);
    EXPECT_EQ(s.primaTappa, "0003  LUOGO 3");
    EXPECT_EQ(s.numeroTappe, "5");
    EXPECT_EQ(NumeroTappaTratto(s.ultimaTappa), 7);
    EXPECT_EQ(g.selezione(), (Rettangolo{3, 0, 7, g.colonne() - 1}));
    EXPECT_EQ(s.marche, QString(40, '0'));
}

TEST_F(TrattoTest, AssegnaSoloIlTrattoESegnaLeRighe) {
    Scegli(3, 0);
    Scegli(7, 1);
    s.tipoStrada = "A";
    cmdTappaSEl_Click(g, s, 2);
    for (int r = 1; r <= 10; ++r)
        EXPECT_EQ(g.testo(r, ColTipoStrada), r >= 3 && r <= 7 ? "A" : r == 3 ? "" : "P") << r;
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

}  // namespace
