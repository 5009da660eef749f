#include "common/Tempo.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "common/Testo.h"

QString AntStr(const QString& testo) {
    return (QStringLiteral("00000000") + testo).right(8);
}

float ghmStringa2Centesimi(const QString& testo, float unitaGiorno) {
    const QString t = AntStr(testo);
    const double giorni = Valore(t.mid(0, 2)) * unitaGiorno;
    const double ore = Valore(t.mid(3, 2)) * 100;
    const qint16 minuti = CentesimiDeiMinuti(Valore(t.mid(6, 2)));
    return static_cast<float>(giorni + ore + minuti);
}

QString ghmCentesimi2Stringa(float valore, float unitaGiorno) {
    // A value that is no number has no text; a day of no length (an unset daily span) has no
    // day field rather than a division by zero.
    if (!std::isfinite(valore)) return {};
    const float d = unitaGiorno > 0 ? std::floor(valore / unitaGiorno) : 0.0f;
    const float h = std::floor((valore - d * unitaGiorno) / 100.0f);
    const float resto = valore - (d * unitaGiorno + h * 100.0f);
    const auto m = static_cast<qint16>(std::floor(resto * 60.0f / 100.0f + 0.5f));
    // Fields of 0..99, the usual case, are their two digits: one allocation, no number formatting.
    if (d >= 0 && d <= 99 && h >= 0 && h <= 99 && m >= 0 && m <= 99) {
        if (d == 0 && h == 0 && m == 0) return {};
        QString testo(8, QLatin1Char(':'));
        QChar* c = testo.data();
        for (const int campo : {static_cast<int>(d), static_cast<int>(h), static_cast<int>(m)}) {
            c[0] = QLatin1Char(static_cast<char>('0' + campo / 10));
            c[1] = QLatin1Char(static_cast<char>('0' + campo % 10));
            c += 3;
        }
        return testo;
    }
    const QString testo = Zero(d, 2) + ':' + Zero(h, 2) + ':' + Zero(m, 2);
    return testo == QLatin1String("00:00:00") ? QString() : testo;
}

QString Zero(const QString& valore, int n) {
    if (n <= 0) return {};
    return (QString(n, '0') + Trim(valore)).right(n);
}

QString Zero(double valore, int n) {
    if (valore == 0) valore = 0;  // no "-0"
    return Zero(QString::number(valore, 'g', 15), n);
}

QString Zero(float valore, int n) {
    if (valore == 0) valore = 0;
    // Seven significant digits: what a single-precision value shows as text.
    return Zero(QString::number(valore, 'g', 7), n);
}

QString Zero(long long valore, int n) {
    return Zero(QString::number(valore), n);
}
QString Zero(int valore, int n) {
    return Zero(static_cast<long long>(valore), n);
}
QString Zero(qint16 valore, int n) {
    return Zero(static_cast<long long>(valore), n);
}

void Inc(qint16& v) {
    if (v == std::numeric_limits<qint16>::max()) throw std::overflow_error("Overflow");
    ++v;
}

qint16 CentesimiDeiMinuti(double minuti) {
    return static_cast<qint16>(std::floor(minuti * 100 / 60 + 0.5));
}

void Dec(qint16& v) {
    if (v == std::numeric_limits<qint16>::min()) throw std::overflow_error("Overflow");
    --v;
}
