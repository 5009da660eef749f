// Leg times, progressive kilometres, totals per road type and the day list.
#include "itinerary/KmTempi.h"

#include <gtest/gtest.h>

#include "common/Griglia.h"
#include "common/StampaTesti.h"
#include "itinerary/GrigliaItinerario.h"
#include "trips/Meta.h"

namespace {

// Motorway 100, expressway 90, main road 60, local road 40 km/h.
const std::array<float, 4> kVelocita{100, 90, 60, 40};

struct Tappa {
    const char* localita;
    const char* km;
    const char* tipo;
    const char* strada = "";
};

Griglia GrigliaCon(std::initializer_list<Tappa> tappe) {
    Griglia g;
    ImpostaGriglia(g, LayoutItinerario);
    int r = 1;
    for (const Tappa& t : tappe) {
        g.impostaTesto(r, ColTappa, QString::fromUtf8(t.localita));
        g.impostaTesto(r, ColKm, QString::fromUtf8(t.km));
        g.impostaTesto(r, ColTipoStrada, QString::fromUtf8(t.tipo));
        g.impostaTesto(r, ColStrada, QString::fromUtf8(t.strada));
        ++r;
    }
    return g;
}

TEST(KmTempi, TempoDellaTappaArrotondatoEInOreEMinuti) {
    Griglia g = GrigliaCon({{"A", "120", "A"}, {"B", "7", "S"}});
    const RisultatoKmTempi r = CalcolaKmTempiItinerario(g, kVelocita, 900, 0);
    EXPECT_EQ(g.testo(1, ColTempo), "01:12");
    EXPECT_EQ(g.testo(2, ColTempo), "00:05");  // 7.78 hundredths rounded half up to 8
    EXPECT_FLOAT_EQ(r.Totali[kQuantitaTempo][0], 120);
    EXPECT_FLOAT_EQ(r.Totali[kQuantitaTempo][1], 8);
    EXPECT_FLOAT_EQ(r.TempoTappa, 8);
    EXPECT_EQ(g.testo(1, ColKmProgressivi), "120");
    EXPECT_EQ(g.testo(2, ColKmProgressivi), "127");
    EXPECT_FLOAT_EQ(r.Totali[kQuantitaKm][kTotaleStrade], 127);
    EXPECT_EQ(r.txtKmTot[kTotaleStrade], "127");
    EXPECT_EQ(r.txtTempo[kTotaleStrade], "00:01:17");
}

TEST(KmTempi, TipoSconosciutoOVuotoEStradaLocale) {
    Griglia g = GrigliaCon({{"A", "40", "X"}, {"B", "20", ""}, {"C", "1200", "p"}});
    const RisultatoKmTempi r = CalcolaKmTempiItinerario(g, kVelocita, 900, 0);
    EXPECT_FLOAT_EQ(r.Totali[kQuantitaKm][3], 60);
    EXPECT_FLOAT_EQ(r.Totali[kQuantitaTempo][3], 150);
    EXPECT_EQ(r.txtKmTot[3], "60");
    EXPECT_EQ(r.txtKmTot[2], "1.200");  // the lower-case "p" is a main road
    EXPECT_EQ(r.txtKmTot[0], "");       // a road type without legs shows nothing
    EXPECT_EQ(r.txtKmTot[kTotaleStrade], "1.260");
    EXPECT_EQ(g.testo(3, ColKmProgressivi), "1.260");
}

TEST(KmTempi, TappaSenzaKmNonCambiaNullaETraghettiContati) {
    Griglia g = GrigliaCon({{"A", "100", "A"}, {"B", "", "", "tragh 1"}, {"C", "0", "", "TRAGH"}});
    g.impostaTesto(2, ColKmProgressivi, "vecchio");
    g.impostaTesto(2, ColTempo, "99:99");
    const RisultatoKmTempi r = CalcolaKmTempiItinerario(g, kVelocita, 900, 0);
    EXPECT_EQ(g.testo(2, ColKmProgressivi), "vecchio");
    EXPECT_EQ(g.testo(2, ColTempo), "99:99");
    EXPECT_EQ(r.Traghetti, 2);
    EXPECT_EQ(r.txtTragh, "2");
    EXPECT_FLOAT_EQ(r.Totali[kQuantitaKm][kTotaleStrade], 100);
}

TEST(KmTempi, RigaSenzaLocalitaVieneSvuotata) {
    Griglia g = GrigliaCon({{"A", "100", "A"}});
    g.impostaTesto(3, ColKm, "50");
    g.impostaTesto(3, ColNumero, "3");
    CalcolaKmTempiItinerario(g, kVelocita, 900, 0);
    EXPECT_EQ(g.testo(3, ColKm), "");
    EXPECT_EQ(g.testo(3, ColNumero), "");
    EXPECT_EQ(g.testo(3, ColKmProgressivi), "");
}

TEST(KmTempi, VelocitaZeroPrendeIlPrimoValoreDellaLista) {
    Griglia g = GrigliaCon({{"A", "100", "A"}});
    const RisultatoKmTempi r = CalcolaKmTempiItinerario(g, {0, 90, 60, 40}, 900, 0);
    const float prima = static_cast<float>(ListaMediaKm(0).first().toDouble());
    ASSERT_GT(prima, 0);
    EXPECT_FLOAT_EQ(r.Totali[kQuantitaTempo][0], std::floor(100 / prima * 100 + 0.5f));
}

TEST(KmTempi, ListaDeiGiorniDalMinimo) {
    QStringList attesa;
    for (int n = 3; n <= 33; ++n) attesa << QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
    for (int n = 30; n <= 100; n += 5) attesa << QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
    for (int n = 110; n <= 200; n += 10) attesa << QString::number(n);
    EXPECT_EQ(ListaGiorniItinerario(3), attesa);
    EXPECT_EQ(ListaGiorniItinerario(0), QStringList{"000"});
}

TEST(KmTempi, GiorniMinimiEGiorniDesiderati) {
    // 2400 km of motorway at 100 km/h is 24 hours of driving: with a driving span of 9 hours that
    // is 2 days and 6 hours, so 3 days.
    Griglia g = GrigliaCon({{"A", "800", "A"}, {"B", "800", "A"}, {"C", "800", "A"}});
    RisultatoKmTempi r = CalcolaKmTempiItinerario(g, kVelocita, 900, 2);
    EXPECT_EQ(r.txtTempo[kTotaleStrade], "02:06:00");
    EXPECT_FLOAT_EQ(r.GiorniMinimi, 3);
    EXPECT_EQ(r.listaGiorni.first(), "003");
    EXPECT_EQ(r.GiorniDesiderati, 3);
    EXPECT_EQ(r.cmbGiorni, "003");

    r = CalcolaKmTempiItinerario(g, kVelocita, 900, 10);
    EXPECT_EQ(r.cmbGiorni, "010");
    r = CalcolaKmTempiItinerario(g, kVelocita, 900, 0);
    EXPECT_EQ(r.cmbGiorni, "000");

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
    Griglia g = GrigliaCon({{"A", "300", "A"}});
    const RisultatoKmTempi r = CalcolaKmTempiItinerario(g, box);
    EXPECT_EQ(box.cmbMediaKm[0], ListaMediaKm(0).first());
    EXPECT_EQ(box.txtKmTot[0], "300");
    EXPECT_EQ(box.txtKmTot[1], "");
    EXPECT_EQ(box.txtKmTot[4], "300");
    EXPECT_EQ(box.txtTragh, "0");
    EXPECT_EQ(box.cmbGiorni, r.cmbGiorni);
    EXPECT_GE(r.GiorniDesiderati, 1);
    EXPECT_FALSE(box.txtTempo[4].isEmpty());
}

}  // namespace
