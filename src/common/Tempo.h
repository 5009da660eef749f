#pragma once
// Time values: single-precision counts of hundredths of an hour (100 = one hour, 2400 = one day),
// their dd:hh:mm texts, and the small counters and comparisons used on them.
#include <QString>
#include <QtGlobal>
#include <concepts>
#include <type_traits>

// Pads on the left with "0" to 8 characters; a longer text keeps its last 8 characters.
QString AntStr(const QString& testo);

// Reads dd:hh:mm (or a shorter text such as hh:mm, padded by AntStr); only characters 1-2, 4-5 and
// 7-8 count.  unitaGiorno is the number of units that make one "day" of the text.
float ghmStringa2Centesimi(const QString& testo, float unitaGiorno);
// dd:hh:mm of a time value, or the empty text for "00:00:00".  Minutes do not carry into hours, so
// a remainder of 99.17 hundredths or more shows the minute field "60".  A day length of 0 or less
// leaves the day field "00"; an infinite or undefined value gives the empty text.
QString ghmCentesimi2Stringa(float valore, float unitaGiorno);

// Text of exactly n characters: the value as text, trimmed, with n "0" in front, last n taken.
QString Zero(const QString& valore, int n);
QString Zero(double valore, int n);
QString Zero(float valore, int n);
QString Zero(long long valore, int n);
QString Zero(int valore, int n);
QString Zero(qint16 valore, int n);
// Any other integer type (qsizetype, unsigned...) without an ambiguous call.
template <std::integral T>
QString Zero(T valore, int n) {
    return Zero(static_cast<long long>(valore), n);
}

// Change a 16-bit counter by one; std::overflow_error (value unchanged) when it would leave its range.
void Inc(qint16& v);
void Dec(qint16& v);

// a becomes a + b (two texts are joined) and a - b.
template <typename A, typename B>
void Incr(A& a, const B& b) {
    a += b;
}
template <typename A, typename B>
void Decr(A& a, const B& b) {
    a -= b;
}

// a when a >= b (a <= b for Minore), otherwise b: equal values give a.
template <typename A, typename B>
std::common_type_t<A, B> Maggiore(const A& a, const B& b) {
    return a >= b ? a : b;
}
template <typename A, typename B>
std::common_type_t<A, B> Minore(const A& a, const B& b) {
    return a <= b ? a : b;
}

// True when b - tolleranza/3 <= a <= b + tolleranza: a third of the tolerance before b and the
// whole tolerance after it.  The lower edge is rounded to single precision first.  Inline: the
// engine asks three times for every piece it drives.
inline bool QuasiUguale(float a, float b, qint16 tolleranza) {
    const auto inferiore = static_cast<float>(b - tolleranza / 3.0);
    const float superiore = b + tolleranza;
    return inferiore <= a && a <= superiore;
}

// Hundredths of an hour of a number of minutes, rounded half up: how the minutes of a time text
// read.
qint16 CentesimiDeiMinuti(double minuti);
// The same for whole minutes, in integers: 5m/3 + 1/2 is never within 1/6 of a whole number, so the
// floating-point rounding cannot change the result.  The halt rows of every pass ask.
inline qint16 CentesimiDeiMinuti(int minuti) {
    return minuti >= 0 ? static_cast<qint16>((100 * minuti + 30) / 60)
                       : CentesimiDeiMinuti(static_cast<double>(minuti));
}
