#include "common/Tempo.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "StampaTesti.h"

namespace {

// Cases "text=value" at a day of 2400 hundredths unless a "/unit" follows.
TEST(Tempo, TestoInCentesimi) {
    // Minutes round half up to whole hundredths; the day field counts the given day length; only
    // the last 8 characters count; separators are ignored, fields follow the leading-number rule.
    const QStringList casi =
        QStringLiteral(
            "=0 00:00:00=0 08:30=850 1:00=100 01:02:03=2605 00:00:01=2 00:00:45=75 00:00:59=98 "
            "02:01:00=2700/1300 00:26:30=2650/9900 12345:06:30=108650 xx01:02:03=2605 01.02.03=2605 "
            "00:~8:30=850 ab:cd:ef=0 00:1x:3y=105")
            .split(' ');
    for (const QString& caso : casi) {
        const QString testo = caso.section('=', 0, 0).replace('~', ' ');
        const QString valore = caso.section('=', 1);
        const float unita = valore.contains('/') ? valore.section('/', 1).toFloat() : 2400;
        EXPECT_FLOAT_EQ(ghmStringa2Centesimi(testo, unita), valore.section('/', 0, 0).toFloat())
            << caso.toStdString();
    }
}

TEST(Tempo, CentesimiInTesto) {
    // Less than half a minute is the empty text; no carry from minutes into hours; only the last
    // two digits of a day count above 99.
    const QStringList casi =
        QStringLiteral(
            "0= 2605=01:02:03 850=00:08:30 2400=01:00:00 2650/9900=00:26:30 2700/1300=02:01:00 0.5= "
            "1=00:00:01 99.16=00:00:59 99.17=00:00:60 99.5=00:00:60 199.5=00:01:60 240100=00:01:00")
            .split(' ');
    for (const QString& caso : casi) {
        const QString valore = caso.section('=', 0, 0);
        const float unita = valore.contains('/') ? valore.section('/', 1).toFloat() : 2400;
        EXPECT_EQ(ghmCentesimi2Stringa(valore.section('/', 0, 0).toFloat(), unita),
                  caso.section('=', 1).trimmed())
            << caso.toStdString();
    }
}

TEST(Tempo, OreEMinutiFannoIlGiroCompleto) {
    // Every clock time of a day survives text -> value -> text, and value -> text -> value with
    // calendar days and with a driving day of 13 hours.
    for (int ora = 0; ora < 24; ++ora) {
        for (int minuto = 0; minuto < 60; ++minuto) {
            const QString hhmm = Zero(ora, 2) + ':' + Zero(minuto, 2);
            const float valore = ghmStringa2Centesimi(hhmm, 9900);
            ASSERT_EQ(ghmCentesimi2Stringa(valore, 9900), valore == 0 ? QString() : "00:" + hhmm)
                << hhmm.toStdString();
            for (float unita : {2400.0f, 1300.0f})
                ASSERT_FLOAT_EQ(ghmStringa2Centesimi(ghmCentesimi2Stringa(valore, unita), unita), valore)
                    << hhmm.toStdString() << " / " << unita;
        }
    }
    // Whole minutes are converted in integers: the same hundredths as the rounding of the text.
    for (int minuti = -130; minuti <= 130; ++minuti)
        ASSERT_EQ(CentesimiDeiMinuti(minuti), CentesimiDeiMinuti(static_cast<double>(minuti))) << minuti;
}

TEST(Tempo, GiorniDiOgniLunghezzaValoriNonNumericiEZeriInTesta) {
    // Hours past 24 with a day of 9900; a day of no length; values that are not numbers.
    EXPECT_EQ((QStringList{ghmCentesimi2Stringa(2650, 9900), ghmCentesimi2Stringa(2650, 2400),
                           ghmCentesimi2Stringa(150, 0),
                           ghmCentesimi2Stringa(std::numeric_limits<float>::quiet_NaN(), 2400),
                           ghmCentesimi2Stringa(std::numeric_limits<float>::infinity(), 2400)}),
              (QStringList{"00:26:30", "01:02:30", "00:01:30", "", ""}));
    EXPECT_EQ((QStringList{AntStr(""), AntStr("8:30"), AntStr("12345678"), AntStr("123456789")}),
              (QStringList{"00000000", "00008:30", "12345678", "23456789"}));
    EXPECT_EQ((QStringList{Zero(7, 2), Zero(2024, 4), Zero(123, 2), Zero(-1, 2), Zero(qint16(5), 3),
                           Zero(12345678901LL, 3), Zero(qsizetype(9), 2), Zero(5.0, 2), Zero(2.5, 4),
                           Zero(-0.0, 2), Zero(-0.0f, 2), Zero(0.1f, 4), Zero(QString(" 7 "), 2),
                           Zero(QString(""), 2), Zero(QString("ab"), 3)}),
              (QStringList{"07", "2024", "23", "-1", "005", "901", "09", "05", "02.5", "00", "00", "00.1",
                           "07", "00", "0ab"}));
}

TEST(Tempo, IncEDecFermanoIlTraboccamento) {
    qint16 v = 32767;
    EXPECT_THROW(Inc(v), std::overflow_error);
    EXPECT_EQ(v, 32767);
    v = -32767;
    Dec(v);
    EXPECT_EQ(v, -32768);
    EXPECT_THROW(Dec(v), std::overflow_error);
    EXPECT_EQ(v, -32768);
}

TEST(Tempo, MaggioreMinoreRestituisconoAQuandoUguali) {
    EXPECT_EQ(Maggiore(3, 5), 5);
    EXPECT_EQ(Minore(3, 5), 3);
    // -0.0 and 0.0 are equal: the first argument must come back.
    EXPECT_TRUE(std::signbit(Maggiore(-0.0, 0.0)));
    EXPECT_TRUE(std::signbit(Minore(-0.0, 0.0)));
    EXPECT_FALSE(std::signbit(Maggiore(0.0, -0.0)));
}

TEST(Tempo, QuasiUgualeFinestraSbilanciata) {
    struct Caso {
        float a;
        bool atteso;
    };
    for (const Caso& c : {Caso{1240, false}, Caso{1250, true}, Caso{1260, true}, Caso{1300, true},
                          Caso{1450, true}, Caso{1451, false}}) {
        EXPECT_EQ(QuasiUguale(c.a, 1300, 150), c.atteso) << c.a;
    }
    // 1300 - 100/3 rounds down in single precision to 1266.6666259765625: that value is inside.
    const float bordo = 1266.6666259765625f;
    EXPECT_TRUE(QuasiUguale(bordo, 1300, 100));
    EXPECT_FALSE(QuasiUguale(std::nextafter(bordo, 0.0f), 1300, 100));
    EXPECT_TRUE(QuasiUguale(1300, 1300, 0));
    EXPECT_FALSE(QuasiUguale(1300.5f, 1300, 0));
}

}  // namespace
