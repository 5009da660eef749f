#include "guide/TempoGuida.h"

#include <gtest/gtest.h>

namespace {

TEST(TempoGuida, OreEMinutiSonoUnTempoNormale) {
    EXPECT_FLOAT_EQ(TempoGuidaCentesimi("01:30", 900), 150);
    EXPECT_FLOAT_EQ(TempoGuidaCentesimi("00:20", 900), 33);
    EXPECT_FLOAT_EQ(TempoGuidaCentesimi(" 02:00 ", 900), 200);
    EXPECT_FLOAT_EQ(TempoGuidaCentesimi("00:00", 900), 0);
}

TEST(TempoGuida, GSeguitoDaGiorniContaGiorniDiVisita) {
    EXPECT_FLOAT_EQ(TempoGuidaCentesimi("G1", 900), 900);
    EXPECT_FLOAT_EQ(TempoGuidaCentesimi("g2", 850), 1700);
    EXPECT_FLOAT_EQ(TempoGuidaCentesimi("G 3", 800), 2400);
    EXPECT_FLOAT_EQ(TempoGuidaCentesimi("G0.5", 900), 450);
    EXPECT_FLOAT_EQ(TempoGuidaCentesimi("G", 900), 0);
}

TEST(TempoGuida, VuotoValeZero) {
    EXPECT_FLOAT_EQ(TempoGuidaCentesimi("", 900), 0);
    EXPECT_FLOAT_EQ(TempoGuidaCentesimi("   ", 900), 0);
}

TEST(TempoGuida, IGiorniDiUnTestoLunghiUsanoLArcoDiVisita) {
    EXPECT_FLOAT_EQ(TempoGuidaCentesimi("01:02:00", 900), 1100);
}

}  // namespace
