#include "common/Date.h"

#include <cmath>

#include "common/Tempo.h"
#include "common/Testo.h"

void Data2Gma(const QString& data, double& giorno, double& mese, double& anno) {
    giorno = Valore(data.mid(0, 2));
    mese = Valore(data.mid(2, 2));
    anno = Valore(data.mid(4));
}

QString Gma2Data(double giorno, double mese, double anno) {
    return Zero(giorno, 2) + Zero(mese, 2) + Zero(anno, 4);
}

QString Gma2Data(const QString& giorno, const QString& mese, const QString& anno) {
    return Zero(giorno, 2) + Zero(mese, 2) + Zero(anno, 4);
}

float Data2Giul(const QString& data) {
    double d, m, y;
    Data2Gma(data, d, m, y);
    double n = d + std::floor(m * 30.57) + std::floor(y * 365.25 - 395.25);
    if (m > 2) {
        n -= 1;
        if (std::fmod(y, 4.0) != 0) n -= 1;
    }
    return static_cast<float>(n);
}

void Giul2Data(double giorno, double& d, double& m, double& a) {
    double y = std::floor(giorno / 365.26) + 1;
    // Day of the year, counted so that January is 1-31 and February starts at 32.
    double r = giorno - std::floor(y * 365.25 - 395.25);
    const double k = std::fmod(y, 4.0) == 0 ? 1 : 2;
    // Skips the days that February lacks to fill a 30.57-day month.
    if (r > 91 - k) r += k;
    double mese = std::floor(r / 30.57);
    d = r - std::floor(mese * 30.57);
    if (mese > 12) {
        mese -= 12;
        y += 1;
    }
    m = mese;
    a = y;
}

QString Giu2Datas(double giorno) {
    double d, m, a;
    Giul2Data(giorno, d, m, a);
    return Gma2Data(d, m, a);
}

QString Data2Data(const QString& data) {
    return data.mid(0, 2) + QLatin1Char('/') + data.mid(2, 2) + QLatin1Char('/') + data.mid(4);
}

QString GiornoSettimana(const QString& data) {
    if (data.size() != 8) return {};
    const auto numero = static_cast<qint32>(std::lrint(Data2Giul(data)));
    // Day numbers before the scheme's origin (a date of zeros) are negative: keep the remainder 0..6.
    const qint32 r = ((numero % 7) + 7) % 7;
    return QStringLiteral("SabDomLunMarMerGioVen").mid(3 * r, 3);
}

int GiorniMese(int anno, int mese) {
    switch (mese) {
        case 0:
        case 1:
        case 3:
        case 5:
        case 7:
        case 8:
        case 10:
        case 12:
            return 31;
        case 4:
        case 6:
        case 9:
        case 11:
            return 30;
        default:
            break;
    }
    const bool bisestile = (anno % 4 == 0 && anno % 100 != 0) || anno % 400 == 0;
    return mese == 2 && bisestile ? 29 : 28;
}
