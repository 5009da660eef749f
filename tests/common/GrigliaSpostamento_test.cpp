#include <gtest/gtest.h>

#include "common/Griglia.h"

namespace {

struct Riordini : OsservatoreGriglia {
    int prima = 0;
    int dopo = 0;
    int altro = 0;
    void primaDelRiordino() override { ++prima; }
    void dopoIlRiordino() override { ++dopo; }
    void celleCambiate(const Rettangolo&) override { ++altro; }
    void primaDiInserireRighe(int, int) override { ++altro; }
    void primaDiRimuovereRighe(int, int) override { ++altro; }
};

}  // namespace

// A computed grid moved into the shown one: the shown grid's observers see one reset and the new
// cells, format, widths and cursor; a grid that others observe is copied, not emptied under them.
TEST(Griglia, LoSpostamentoEUnRiordinoSoloEIlSorgenteOsservatoRestaIntatto) {
    Griglia mostrata(3, 2);
    Riordini vista;
    mostrata.aggiungiOsservatore(&vista);

    Griglia calcolata(5, 3);
    calcolata.impostaTesto(4, 2, "ultima");
    calcolata.impostaGrassetto(1, 1, true);
    calcolata.impostaLarghezzaColonna(2, 321);
    calcolata.seleziona(3, 1, 4, 2);
    mostrata = std::move(calcolata);
    EXPECT_EQ(vista.prima, 1);
    EXPECT_EQ(vista.dopo, 1);
    EXPECT_EQ(vista.altro, 0);
    EXPECT_EQ(mostrata.righe(), 5);
    EXPECT_EQ(mostrata.testo(4, 2), "ultima");
    EXPECT_TRUE(mostrata.grassetto(1, 1));
    EXPECT_EQ(mostrata.larghezzaColonna(2), 321);
    EXPECT_EQ(mostrata.selezione(), (Rettangolo{3, 1, 4, 2}));

    Griglia osservata(2, 2);
    osservata.impostaTesto(1, 1, "resta");
    Riordini altraVista;
    osservata.aggiungiOsservatore(&altraVista);
    mostrata = std::move(osservata);
    EXPECT_EQ(mostrata.testo(1, 1), "resta");
    EXPECT_EQ(osservata.testo(1, 1), "resta");
    EXPECT_EQ(altraVista.prima + altraVista.altro, 0);
    osservata.rimuoviOsservatore(&altraVista);
    mostrata.rimuoviOsservatore(&vista);
}
