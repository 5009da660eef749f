// Leg times, progressive kilometres, totals per road type and the day list.
#include "itinerary/KmTempi.h"

#include <gtest/gtest.h>

#include "Tappe.h"
#include "common/StampaTesti.h"
#include "trips/Meta.h"

namespace {

using test::Celle;
using test::GrigliaCon;

// Motorway 100, expressway 90, main road 60, local road 40 km/h.
const std::array<float, 4> kVelocita{100, 90, 60, 40};

TEST(KmTempi, TempoDellaTappaArrotondatoEInOreEMinuti) {
    Griglia g = GrigliaCon({{"A", "", "120", "A"}, {"B", "", "7", "S"}});
    const RisultatoKmTempi r = CalcolaKmTempiItinerario(g, kVelocita, 900, 0);
    // 7.78 hundredths round half up to 8.
    EXPECT_EQ(Celle(g, 1, {ColTempo, ColKmProgressivi}) + '|' + Celle(g, 2, {ColTempo, ColKmProgressivi}),
              "01:12|120|00:05|127");
    EXPECT_EQ((QList<float>{r.Totali[kQuantitaTempo][0], r.Totali[kQuantitaTempo][1], r.TempoTappa,
                            r.Totali[kQuantitaKm][kTotaleStrade]}),
              (QList<float>{120, 8, 8, 127}));
    EXPECT_EQ(r.txtKmTot[kTotaleStrade] + '|' + r.txtTempo[kTotaleStrade], "127|00:01:17");
}

// An unknown or empty road type is a local road, a lower-case "p" a main road; a road type without
// legs shows nothing.
TEST(KmTempi, TipoSconosciutoOVuotoEStradaLocale) {
    Griglia g = GrigliaCon({{"A", "", "40", "X"}, {"B", "", "20", ""}, {"C", "", "1200", "p"}});
    const RisultatoKmTempi r = CalcolaKmTempiItinerario(g, kVelocita, 900, 0);
    EXPECT_EQ((QList<float>{r.Totali[kQuantitaKm][3], r.Totali[kQuantitaTempo][3]}), (QList<float>{60, 150}));
    EXPECT_EQ((QStringList{r.txtKmTot[0], r.txtKmTot[2], r.txtKmTot[3], r.txtKmTot[kTotaleStrade],
                           g.testo(3, ColKmProgressivi)}),
              (QStringList{"", "1.200", "60", "1.260", "1.260"}));
}

// A leg without km keeps its cells and ferries are counted; a row without locality is emptied.
TEST(KmTempi, TappaSenzaKmTraghettiERigaSenzaLocalita) {
    Griglia g = GrigliaCon({{"A", "", "100", "A"}, {"B", "tragh 1"}, {"C", "TRAGH", "0"}});
    g.impostaTesto(2, ColKmProgressivi, "vecchio");
    g.impostaTesto(2, ColTempo, "99:99");
    g.impostaTesto(5, ColKm, "50");
    g.impostaTesto(5, ColNumero, "5");
    const RisultatoKmTempi r = CalcolaKmTempiItinerario(g, kVelocita, 900, 0);
    EXPECT_EQ(Celle(g, 2, {ColKmProgressivi, ColTempo}), "vecchio|99:99");
    EXPECT_EQ(Celle(g, 5, {ColKm, ColNumero, ColKmProgressivi}), "||");
    EXPECT_EQ(r.Traghetti, 2);
    EXPECT_EQ(r.txtTragh, "2");
    EXPECT_FLOAT_EQ(r.Totali[kQuantitaKm][kTotaleStrade], 100);
}

TEST(KmTempi, VelocitaZeroPrendeIlPrimoValoreDellaLista) {
    Griglia g = GrigliaCon({{"A", "", "100", "A"}});
    const RisultatoKmTempi r = CalcolaKmTempiItinerario(g, {0, 90, 60, 40}, 900, 0);
    const float prima = static_cast<float>(ListaMediaKm(0).first().toDouble());
    ASSERT_GT(prima, 0);
    EXPECT_FLOAT_EQ(r.Totali[kQuantitaTempo][0], std::floor(100 / prima * 100 + 0.5f));
}

TEST(KmTempi, GiorniMinimiEGiorniDesiderati) {
    // 2400 km of motorway at 100 km/h is 24 hours of driving: with a driving span of 9 hours that
    // is 2 days and 6 hours, so 3 days.
    Griglia g = GrigliaCon({{"A", "", "800", "A"}, {"B", "", "800", "A"}, {"C", "", "800", "A"}});
    RisultatoKmTempi r = CalcolaKmTempiItinerario(g, kVelocita, 900, 2);
    EXPECT_FLOAT_EQ(r.GiorniMinimi, 3);
    EXPECT_EQ(r.GiorniDesiderati, 3);
    EXPECT_EQ((QStringList{r.txtTempo[kTotaleStrade], r.cmbGiorni}), (QStringList{"02:06:00", "003"}));
    // The list: 31 days from the minimum, then 30 to 100 by 5, then 110 to 200 by 10.
    ASSERT_EQ(r.listaGiorni.size(), 56);
    EXPECT_EQ((QStringList{r.listaGiorni[0], r.listaGiorni[30], r.listaGiorni[31], r.listaGiorni[46],
                           r.listaGiorni.last()}),
              (QStringList{"003", "033", "030", "110", "200"}));
    EXPECT_EQ(CalcolaKmTempiItinerario(g, kVelocita, 900, 10).cmbGiorni, "010");
    EXPECT_EQ(CalcolaKmTempiItinerario(g, kVelocita, 900, 0).cmbGiorni, "000");

    Griglia vuota = GrigliaCon({});
    r = CalcolaKmTempiItinerario(vuota, kVelocita, 900, 0);
    EXPECT_EQ(r.listaGiorni, QStringList{"000"});
    EXPECT_EQ(r.cmbGiorni, "000");
    EXPECT_EQ(r.GiorniDesiderati, 0);
}

TEST(KmTempi, SuiBoxDellaMetaCorreggeLeVelocitaEScriveITotali) {
    BoxMeta box;
    ImpostaDefaultFabbrica(box);
    box.cmbMediaKm[0] = "0";
    box.cmbGiorni = "001";
    box.txtKmTot[1] = "vecchio";
    Griglia g = GrigliaCon({{"A", "", "300", "A"}});
    const RisultatoKmTempi r = CalcolaKmTempiItinerario(g, box);
    EXPECT_EQ((QStringList{box.cmbMediaKm[0], box.txtKmTot[0], box.txtKmTot[1], box.txtKmTot[4], box.txtTragh,
                           box.cmbGiorni}),
              (QStringList{ListaMediaKm(0).first(), "300", "", "300", "0", r.cmbGiorni}));
    EXPECT_GE(r.GiorniDesiderati, 1);
    EXPECT_FALSE(box.txtTempo[4].isEmpty());
}

}  // namespace
