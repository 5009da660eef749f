#include "common/Percorrenza.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

__extension__ using Intero128 = __int128;

// floor(a / b) for b > 0.
Intero128 DivisioneIntera(Intero128 a, Intero128 b) {
    const Intero128 q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

qint64 Limitato(double v) {
    constexpr auto massimo = static_cast<double>(std::numeric_limits<qint64>::max() / 2);
    return static_cast<qint64>(std::clamp(v, -massimo, massimo));
}

}  // namespace

qint64 CentesimiPercorrenza(qint64 km, double velocita) {
    if (km == 0 || !(velocita > 0) || !std::isfinite(velocita)) return 0;
    const double stima = static_cast<double>(km) * 100.0 / velocita;
    // Far beyond any trip the exact sum would not fit: the estimate is all there is to say.
    if (std::abs(stima) > 1e15 || std::abs(static_cast<double>(km)) > 1e12)
        return Limitato(std::floor(stima + 0.5));
    // The speed is exactly mantissa × 2^esponente with an odd integer mantissa.
    int esponente = 0;
    auto mantissa = static_cast<qint64>(std::ldexp(std::frexp(velocita, &esponente), 53));
    esponente -= 53;
    while ((mantissa & 1) == 0) {
        mantissa >>= 1;
        ++esponente;
    }
    // km / v × 100 + 0.5 = (200 km + v) / (2 v); with v = m / 2^j that is (200 km 2^j + m) / (2 m).
    if (esponente >= 0) {
        // From 2^71 km/h on, any distance allowed here takes far less than half a hundredth.
        if (esponente > 70) return 0;
        const Intero128 v = static_cast<Intero128>(mantissa) << esponente;
        return static_cast<qint64>(DivisioneIntera(200 * static_cast<Intero128>(km) + v, 2 * v));
    }
    const int j = -esponente;
    // |km| ≤ 10^12 and |km| × 100 / v ≤ 10^15 keep 200 km 2^j below 2^104.
    const Intero128 numeratore = 200 * static_cast<Intero128>(km) * (Intero128(1) << j) + mantissa;
    return static_cast<qint64>(DivisioneIntera(numeratore, 2 * static_cast<Intero128>(mantissa)));
}

qint16 KmIntero16(double km) {
    if (std::isnan(km)) return 0;
    const double arrotondato = std::nearbyint(km);  // the default rounding mode: halves to even
    return static_cast<qint16>(std::clamp(arrotondato, double(std::numeric_limits<qint16>::min()),
                                          double(std::numeric_limits<qint16>::max())));
}
