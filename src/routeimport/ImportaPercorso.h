#pragma once
// The route import command: a route-planner export (tab-separated text), a GPX or a KML file read
// into the legs of an empty itinerary grid.  The import changes only the grid; nothing is stored
// until the itinerary is saved.
#include <QString>

#include "trips/BoxMeta.h"

class Dialoghi;
class Griglia;

// The filter of the file dialog: the planners' text exports first, then GPX and KML.
inline const QString kFiltroImportPercorso = QString::fromUtf8(
    "File Excel salvato in modalità testo (*.TXT)|*.txt|Percorso GPX (*.gpx)|*.gpx|Percorso KML "
    "(*.kml)|*.kml");

enum class EsitoImport { Rifiutato, Annullato, NonRiconosciuto, Importato };

struct RisultatoImport {
    EsitoImport esito = EsitoImport::Annullato;
    int tappe = 0;  // grid rows written
};

// The refusal shown when the itinerary already has a first leg.
QString MessaggioTappePresenti();
// "File non riconosciuto!" with the list of the files recognised.
QString MessaggioFileNonRiconosciuto();

// True when the first leg row holds a locality: the import is then refused.
bool TappePresenti(const Griglia& mfgTab);

// Reads the file (by its extension: .gpx, .kml, otherwise a planner export) into mfgTab.  Refused
// (with its message) when the grid already has a first leg; a file that cannot be read, is not
// recognised or yields no leg gives "File non riconosciuto!" and leaves the grid untouched.
// sostaTraghetto is the stop written on ferry legs ("00:hh:mm", see SostaTraghetto).
RisultatoImport ImportaPercorso(Griglia& mfgTab, const QString& percorso, const QString& sostaTraghetto,
                                Dialoghi& dialoghi);

// The "Altri Pacch." command: the refusal, the open-file dialog (a cancelled dialog does
// nothing), the import with the trip's ferry time (cmbOra(8), cmbMin(8)), then kilometres and
// times recomputed into the grid and the boxes, and row 1 made current.
RisultatoImport cmdMapPoint_Click(Griglia& mfgTab, BoxMeta& box, Dialoghi& dialoghi);
