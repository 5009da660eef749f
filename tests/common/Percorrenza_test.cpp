// The time of a distance at a speed and kilometres as 16-bit integers.
#include "common/Percorrenza.h"

#include <gtest/gtest.h>

namespace {

TEST(Percorrenza, TempoEsattoArrotondatoPerEccesso) {
    // Exact halves round up: a float or double quotient would give 52 and 217.
    EXPECT_EQ(CentesimiPercorrenza(21, 40), 53);
    EXPECT_EQ(CentesimiPercorrenza(87, 40), 218);
    EXPECT_EQ(CentesimiPercorrenza(331, 40), 828);
    EXPECT_EQ(CentesimiPercorrenza(7, 90), 8);
    EXPECT_EQ(CentesimiPercorrenza(120, 100), 120);
    EXPECT_EQ(CentesimiPercorrenza(10, 62.5), 16);
    EXPECT_EQ(CentesimiPercorrenza(5000000, 40), 12500000);
    EXPECT_EQ(CentesimiPercorrenza(-21, 40), -52);  // integer part of -52.5 + 0.5
    EXPECT_EQ(CentesimiPercorrenza(100, 1e30), 0);
    EXPECT_EQ(CentesimiPercorrenza(100, 0), 0);
    EXPECT_EQ(CentesimiPercorrenza(100, -40), 0);
}

TEST(Percorrenza, KmInteriMetaAlPari) {
    EXPECT_EQ(KmIntero16(2.5), 2);
    EXPECT_EQ(KmIntero16(3.5), 4);
    EXPECT_EQ(KmIntero16(999.4), 999);
    EXPECT_EQ(KmIntero16(40000), 32767);
    EXPECT_EQ(KmIntero16(-40000), -32768);
}

}  // namespace
