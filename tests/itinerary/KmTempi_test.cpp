// Leg times, progressive kilometres, totals per road type and the day list.
#include "itinerary/KmTempi.h"

#include "Tappe.h"
#include "trips/ListeScelta.h"

namespace {

using test::GrigliaCon;
using test::Righe;

// Motorway 100, expressway 90, main road 60, local road 40 km/h.
const std::array<float, 4> kVelocita{100, 90, 60, 40};

// 7.78 hundredths round half up to 8; an unknown or empty road type is a local road, a lower-case
// "p" a main road; a road type without legs shows nothing.
TEST(KmTempi, TempiTotaliTraghettiERigheSenzaLocalita) {
    Griglia g = GrigliaCon("A||120|A; B||7|S; C||40|X; D||20|; E||1200|p");
    const RisultatoKmTempi r = CalcolaKmTempiItinerario(g, kVelocita, 900, 0);
    EXPECT_EQ(Righe(g, 1, 5, {ColTempo, ColKmProgressivi}),
              "01:12|120;00:05|127;01:00|167;00:30|187;20:00|1.387");
    EXPECT_EQ(
        (QList<float>{r.Totali[kQuantitaTempo][0], r.Totali[kQuantitaTempo][1], r.Totali[kQuantitaKm][3],
                      r.Totali[kQuantitaTempo][3], r.TempoTappa, r.Totali[kQuantitaKm][kTotaleStrade]}),
        (QList<float>{120, 8, 60, 150, 2000, 1387}));
    EXPECT_EQ(QStringList(r.txtKmTot.begin(), r.txtKmTot.end()).join('|') + '|' + r.txtTempo[kTotaleStrade],
              "120|7|1.200|60|1.387|02:04:47");

    // A speed of 0 takes the first entry of the road type's list.
    const RisultatoKmTempi zero = CalcolaKmTempiItinerario(g, {0, 90, 60, 40}, 900, 0);
    EXPECT_FLOAT_EQ(zero.Totali[kQuantitaTempo][0],
                    std::floor(120 / ListaMediaKm(0).first().toFloat() * 100 + 0.5f));

    // A leg without km keeps its cells and ferries are counted; a row without locality is emptied.
    g = GrigliaCon("A||100|A; B|tragh 1; C|TRAGH|0; ; |x|50");
    g.impostaTesto(2, ColKmProgressivi, "vecchio");
    g.impostaTesto(2, ColTempo, "99:99");
    g.impostaTesto(5, ColNumero, "5");
    const RisultatoKmTempi t = CalcolaKmTempiItinerario(g, kVelocita, 900, 0);
    EXPECT_EQ(
        Righe(g, 2, 2, {ColKmProgressivi, ColTempo}) + ';' + Righe(g, 5, 5, {ColKm, ColNumero, ColStrada}),
        "vecchio|99:99;||");
    EXPECT_EQ(QString::number(t.Traghetti) + '|' + t.txtTragh, "2|2");
    EXPECT_FLOAT_EQ(t.Totali[kQuantitaKm][kTotaleStrade], 100);
}

TEST(KmTempi, GiorniMinimiEGiorniDesiderati) {
    // 2400 km of motorway at 100 km/h is 24 hours of driving: with a driving span of 9 hours that
    // is 2 days and 6 hours, so 3 days.
    Griglia g = GrigliaCon("A||800|A; B||800|A; C||800|A");
    RisultatoKmTempi r = CalcolaKmTempiItinerario(g, kVelocita, 900, 2);
    EXPECT_FLOAT_EQ(r.GiorniMinimi, 3);
    EXPECT_EQ(r.GiorniDesiderati, 3);
    EXPECT_EQ(r.txtTempo[kTotaleStrade] + '|' + r.cmbGiorni, "02:06:00|003");
    // The list: 31 days from the minimum, then 30 to 100 by 5, then 110 to 200 by 10.
    ASSERT_EQ(r.listaGiorni.size(), 56);
    EXPECT_EQ((QStringList{r.listaGiorni[0], r.listaGiorni[30], r.listaGiorni[31], r.listaGiorni[46],
                           r.listaGiorni.last()}),
              (QStringList{"003", "033", "030", "110", "200"}));
    EXPECT_EQ(CalcolaKmTempiItinerario(g, kVelocita, 900, 10).cmbGiorni, "010");
    EXPECT_EQ(CalcolaKmTempiItinerario(g, kVelocita, 900, 0).cmbGiorni, "000");

    Griglia vuota = GrigliaCon();
    r = CalcolaKmTempiItinerario(vuota, kVelocita, 900, 0);
    EXPECT_EQ(r.listaGiorni.join('|') + '|' + r.cmbGiorni, "000|000");
    EXPECT_EQ(r.GiorniDesiderati, 0);
}

}  // namespace
