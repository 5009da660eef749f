#pragma once
// What every route reader produces: the legs found in a file, in order, before they reach the
// itinerary grid.  Reading into a list first means a file that fails half-way leaves no partial
// grid behind.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class Griglia;

struct TappaImportata {
    QString localita;
    QString strada;          // road identifiers as met, with their separators
    int km = 0;              // distance from the previous leg, whole km
    int kmProgressivi = 0;   // distance from the start
    QString tipoStrada;      // "A" or "P"
    bool traghetto = false;  // the road holds "TRAGH": the leg gets the trip's ferry time
    bool operator==(const TappaImportata&) const = default;
};

// No export names more kilometres than this from the start: a larger number is damaged data,
// and taking it would fill the grid with thousands of 999 km pieces.
constexpr int kKmMassimiImport = 99999;

// No route file is this long; reading stops there, so a wrong pick in the dialog stays harmless.
constexpr qint64 kByteMassimiTestoImport = 256LL * 1024 * 1024;

// The text of a file as such exports come: UTF-8 when it starts with its byte-order mark or is
// valid UTF-8, otherwise Windows-1252; split into lines at LF, a CR before it dropped.
QStringList RigheTestoImport(const QByteArray& byte);

// The ferry stop written on a ferry leg: "00:hh:mm" from the trip's ferry crossing time.
QString SostaTraghetto(const QString& ore, const QString& minuti);

// The itinerary grid for the legs: itinerary layout, one row per leg (a leg over 999 km becomes
// consecutive rows of at most 999 km with the same locality, road, type and stop, as the saved
// itinerary holds it), at least 17 rows and one empty row after the last leg.
void ScriviTappeImportate(Griglia& mfgTab, const QList<TappaImportata>& tappe, const QString& sostaTraghetto);
