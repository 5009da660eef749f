#pragma once
// Calendar dates: the compact text ddmmyyyy, the display text dd/mm/yyyy and the day number
// (consecutive days have consecutive numbers, 1 January 2000 is 730135, modulo 7 gives the weekday
// with 0 for Saturday).  Exact from 1 March 1900 to 28 February 2100: only the divisible-by-4
// leap rule is used.
#include <QString>

// Day, month and year of a compact date; parts that are not numbers read 0.
void Data2Gma(const QString& data, double& giorno, double& mese, double& anno);
// Compact date of a day, month and year (each zero-padded, 2, 2 and 4 characters).
QString Gma2Data(double giorno, double mese, double anno);
QString Gma2Data(const QString& giorno, const QString& mese, const QString& anno);

float Data2Giul(const QString& data);
void Giul2Data(double giorno, double& d, double& m, double& a);
// Compact date of a day number.
QString Giu2Datas(double giorno);
// Display date dd/mm/yyyy of a compact date.
QString Data2Data(const QString& data);
// Italian three-letter weekday of a compact date ("Sab", "Dom", ...); "" unless it has 8 characters.
QString GiornoSettimana(const QString& data);
// Days of a month; month 0 is December of the year before; February follows the Gregorian rule.
int GiorniMese(int anno, int mese);
