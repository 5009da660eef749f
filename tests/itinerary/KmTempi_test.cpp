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

// Cells of a grid row, "|"-joined.
QString Celle(const Griglia& g, int r, std::initializer_list<int> colonne) {
    QStringList l;
    for (int c : colonne) l << g.testo(r, c);
    return l.join('|');
}

TEST(KmTempi, TempoDellaTappaArrotondatoEInOreEMinuti) {
    Griglia g = GrigliaCon({{"A", "120", "A"}, {"B", "7", "S"}});
    const RisultatoKmTempi r = CalcolaKmTempiItinerario(g, kVelocita, 900, 0);
    // 7.78 hundredths round half up to 8.
    EXPECT_EQ(Celle(g, 1, {ColTempo, ColKmProgressivi}) + '|' + Celle(g, 2, {ColTempo, ColKmProgressivi}),
              "01:12|120|00:05|127");
    EXPECT_EQ((QList<float>{r.Totali[kQuantitaTempo][0], r.Totali[kQuantitaTempo][1], r.TempoTappa,
                            r.Totali[kQuantitaKm][kTotaleStrade]}),
              (QList<float>{120, 8, 8, 127}));
    EXPECT_EQ(r.txtKmTot[kTotaleStrade] + '|' + r.txtTempo[kTotaleStrade], "127|00:01:17");
}

TEST(KmTempi, TipoSconosciutoOVuotoEStradaLocale) {
    Griglia g = GrigliaCon({{"A", "40", "X"}, {"B", "20", ""}, {"C", "1200", "p"}});
    const RisultatoKmTempi r = CalcolaKmTempiItinerario(g, kVelocita, 900, 0);
    EXPECT_EQ((QList<float>{r.Totali[kQuantitaKm][3], r.Totali[kQuantitaTempo][3]}), (QList<float>{60, 150}));
    // The lower-case "p" is a main road; a road type without legs shows nothing.
    EXPECT_EQ((QStringList{r.txtKmTot[0], r.txtKmTot[2], r.txtKmTot[3], r.txtKmTot[kTotaleStrade],
                           g.testo(3, ColKmProgressivi)}),
              (QStringList{"", "1.200", "60", "1.260", "1.260"}));
}

TEST(KmTempi, TappaSenzaKmNonCambiaNullaETraghettiContati) {
    Griglia g = GrigliaCon({{"A", "100", "A"}, {"B", "", "", "tragh 1"}, {"C", "0", "", "TRAGH"}});
    g.impostaTesto(2, ColKmProgressivi, "vecchio");
    g.impostaTesto(2, ColTempo, "99:99");
    const RisultatoKmTempi r = CalcolaKmTempiItinerario(g, kVelocita, 900, 0);
    EXPECT_EQ(Celle(g, 2, {ColKmProgressivi, ColTempo}), "vecchio|99:99");
    EXPECT_EQ(r.Traghetti, 2);
    EXPECT_EQ(r.txtTragh, "2");
    EXPECT_FLOAT_EQ(r.Totali[kQuantitaKm][kTotaleStrade], 100);
}

TEST(KmTempi, RigaSenzaLocalitaVieneSvuotata) {
    Griglia g = GrigliaCon({{"A", "100", "A"}});
    g.impostaTesto(3, ColKm, "50");
    g.impostaTesto(3, ColNumero, "3");
    CalcolaKmTempiItinerario(g, kVelocita, 900, 0);
    EXPECT_EQ(Celle(g, 3, {ColKm, ColNumero, ColKmProgressivi}), "||");
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
    EXPECT_FLOAT_EQ(r.GiorniMinimi, 3);
    EXPECT_EQ(r.GiorniDesiderati, 3);
    EXPECT_EQ((QStringList{r.txtTempo[kTotaleStrade], r.listaGiorni.first(), r.cmbGiorni}),
              (QStringList{"02:06:00", "003", "003"}));
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
    Griglia g = GrigliaCon({{"A", "300", "A"}});
    const RisultatoKmTempi r = CalcolaKmTempiItinerario(g, box);
    EXPECT_EQ((QStringList{box.cmbMediaKm[0], box.txtKmTot[0], box.txtKmTot[1], box.txtKmTot[4], box.txtTragh,
                           box.cmbGiorni}),
              (QStringList{ListaMediaKm(0).first(), "300", "", "300", "0", r.cmbGiorni}));
    EXPECT_GE(r.GiorniDesiderati, 1);
    EXPECT_FALSE(box.txtTempo[4].isEmpty());
}

}  // namespace
