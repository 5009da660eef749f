// The time of a distance at a speed and kilometres as 16-bit integers.
#include "common/Percorrenza.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

TEST(Percorrenza, TempoEsattoArrotondatoPerEccesso) {
    // "km/speed=hundredths".  Exact halves round up: a float or double quotient would give 52 and
    // 217; -21 km is the integer part of -52.5 + 0.5; no speed, or an endless one, takes no time.
    const QStringList casi = QStringLiteral(
                                 "21/40=53 87/40=218 331/40=828 7/90=8 120/100=120 10/62.5=16 "
                                 "5000000/40=12500000 -21/40=-52 100/1e30=0 100/0=0 100/-40=0")
                                 .split(' ');
    for (const QString& c : casi)
        EXPECT_EQ(CentesimiPercorrenza(c.section('/', 0, 0).toLongLong(),
                                       c.section('/', 1).section('=', 0, 0).toDouble()),
                  c.section('=', 1).toLongLong())
            << c.toStdString();
}

TEST(Percorrenza, KmInteriMetaAlPari) {
    EXPECT_EQ((QList<qint16>{KmIntero16(2.5), KmIntero16(3.5), KmIntero16(999.4), KmIntero16(40000),
                             KmIntero16(-40000)}),
              (QList<qint16>{2, 4, 999, 32767, -32768}));
}

}  // namespace
