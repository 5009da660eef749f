#include "schedule/Adattamento.h"

#include <cmath>

namespace {
float Tronca6(double x) {
    return static_cast<float>(std::floor(x * 1000000.0) / 1000000.0);
}
}  // namespace

void ProssimoCoefficiente(float& coefficiente, float& passo, qint16 desiderati, qint16 usati) {
    if (desiderati > usati) {
        coefficiente = Tronca6(static_cast<double>(coefficiente + passo));
    } else {
        coefficiente = Tronca6(static_cast<double>(coefficiente - passo));
        if (coefficiente < 0) {
            coefficiente = 1;
            passo = 1;
        }
    }
    passo = static_cast<float>(std::floor(static_cast<double>(passo) / 2 * 1000000.0 + 0.5) / 1000000.0);
}

QString StimaCoefficiente(float fermata, qint16 giorniMinimi, float arcoGuida, qint16 desiderati) {
    const float base = static_cast<float>(giorniMinimi) * arcoGuida;
    auto stima = static_cast<qint16>(std::floor(fermata / (base + 0.999f)));
    if (stima == 0) stima = 1;
    if (stima >= desiderati) return QStringLiteral("1");
    const float x = static_cast<float>(desiderati) * arcoGuida / (base + fermata);
    return x < 1 ? QStringLiteral("1") : TestoCoefficiente(x);
}

QString TestoCoefficiente(float c) {
    QString t = QString::number(static_cast<double>(c), 'f', 6);
    while (t.contains(QLatin1Char('.')) && (t.endsWith(QLatin1Char('0')) || t.endsWith(QLatin1Char('.'))))
        t.chop(1);
    return t.left(10);
}
