#include "guide/TempoGuida.h"

#include <gtest/gtest.h>

namespace {

// Hours and minutes are a time; "G" and a number of days counts visit days of the span given;
// a long dd:hh:mm text counts its days with the span too; nothing is 0.
TEST(TempoGuida, OreMinutiGiorniDiVisitaEVuoto) {
    struct Caso {
        const char* testo;
        float arco, centesimi;
    };
    for (const Caso& c :
         {Caso{"01:30", 900, 150}, Caso{"00:20", 900, 33}, Caso{" 02:00 ", 900, 200}, Caso{"00:00", 900, 0},
          Caso{"G1", 900, 900}, Caso{"g2", 850, 1700}, Caso{"G 3", 800, 2400}, Caso{"G0.5", 900, 450},
          Caso{"G", 900, 0}, Caso{"", 900, 0}, Caso{"   ", 900, 0}, Caso{"01:02:00", 900, 1100}})
        EXPECT_FLOAT_EQ(TempoGuidaCentesimi(c.testo, c.arco), c.centesimi) << c.testo;
}

}  // namespace
