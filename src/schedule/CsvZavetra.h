#pragma once
// The schedule grid for spreadsheets: UTF-8 text, fields separated by ";", one line per grid row
// (the header row first), columns 0 to 13 (13 the arrival mark), lines ended by CR LF.  A field
// holding ";", a double quote, CR or LF is enclosed in double quotes with its quotes doubled.
#include <QByteArray>
#include <QString>
#include <QStringList>

class Griglia;

constexpr int kUltimaColonnaCsv = 13;

// One field, quoted when it needs to be; a cell a spreadsheet would take for a formula ("=", "+",
// "@", or "-" before a non-digit) gets a leading apostrophe.
QString CampoCsv(const QString& testo);
// One line without its end.
QString RigaCsv(const QStringList& campi);
// The whole file: every row of the grid from the header row on.
QByteArray CsvZavetra(const Griglia& mfgTab);
// Replaces the file atomically; false (the old file untouched) when it cannot be written or
// ControllaFileUscita refuses it.
bool ScriviCsvZavetra(const Griglia& mfgTab, const QString& percorso);
