// Dates as ddmmyyyy texts: day numbers, weekdays, splitting and joining, days of a month.
#include "common/Date.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QStringList>

#include "StampaTesti.h"

namespace {

QString compatta(const QDate& d) {
    return d.toString(QStringLiteral("ddMMyyyy"));
}

TEST(Date, OgniGiornoDal1901Al2099FaIlGiroCompleto) {
    // One known day number; then QDate is the independent calendar: consecutive numbers, the way
    // back, and the weekday.
    EXPECT_FLOAT_EQ(Data2Giul("01012000"), 730135);
    static const char* const nomi[] = {"Lun", "Mar", "Mer", "Gio", "Ven", "Sab", "Dom"};
    float precedente = Data2Giul("31121900");
    for (QDate d(1901, 1, 1); d.year() <= 2099; d = d.addDays(1)) {
        const QString testo = compatta(d);
        const float numero = Data2Giul(testo);
        ASSERT_EQ(numero, precedente + 1) << testo.toStdString();
        ASSERT_EQ(Giu2Datas(numero), testo);
        ASSERT_EQ(GiornoSettimana(testo), nomi[d.dayOfWeek() - 1]) << testo.toStdString();
        precedente = numero;
    }
}

TEST(Date, DivisioneEUnione) {
    double g, m, a;
    QList<double> letti;
    Giul2Data(730195, g, m, a);
    letti << g << m << a;
    Giul2Data(Data2Giul("31122099"), g, m, a);
    letti << g << m << a;
    Data2Gma("05082024", g, m, a);
    letti << g << m << a;
    Data2Gma("ab0x20", g, m, a);
    letti << g << m << a;
    EXPECT_EQ(letti, (QList<double>{1, 3, 2000, 31, 12, 2099, 5, 8, 2024, 0, 0, 20}));

    EXPECT_EQ((QStringList{Gma2Data(5, 8, 2024), Gma2Data(QString("5"), QString(" 8"), QString("2024")),
                           Gma2Data(QString("31"), QString("12"), QString("99")), Data2Data("05082024")}),
              (QStringList{"05082024", "05082024", "31120099", "05/08/2024"}));
}

TEST(Date, GiornoSettimana) {
    EXPECT_EQ((QStringList{GiornoSettimana("01012000"), GiornoSettimana("0101200"),
                           GiornoSettimana("010120000"), GiornoSettimana("")}),
              (QStringList{"Sab", "", "", ""}));
    // Texts of zeros or letters have a negative day number: still a weekday, never a crash.
    for (const char* strano : {"00000000", "abcdefgh", "00000001"}) {
        const QString g = GiornoSettimana(strano);
        EXPECT_EQ(g.size(), 3) << strano;
        EXPECT_TRUE(QStringLiteral("SabDomLunMarMerGioVen").contains(g)) << strano;
    }
}

TEST(Date, GiorniMese) {
    // Months outside 1..12; the real ones against QDate below.
    EXPECT_EQ((QList<int>{GiorniMese(2023, 0), GiorniMese(2023, 13), GiorniMese(2023, -1)}),
              (QList<int>{31, 28, 28}));
    for (int anno : {1600, 1900, 1996, 2000, 2023, 2024, 2100})
        for (int mese = 1; mese <= 12; ++mese)
            EXPECT_EQ(GiorniMese(anno, mese), QDate(anno, mese, 1).daysInMonth()) << anno << "/" << mese;
}

}  // namespace
