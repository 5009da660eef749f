#pragma once
// Copying a stretch of another trip's itinerary into the itinerary grid: the list of trips that
// have legs, the legs of the chosen trip, the marking of the first and last leg, and the insertion
// in either direction.  Only the grid changes; the legs are stored when the itinerary is saved.
#include <QString>
#include <array>

class Archivio;
class Griglia;

// Columns of the trip list (layout 4) and of the leg list (layout 3) in mfgCopia.
enum ColonnaElencoMete : int {
    ColMetaNumero = 0,
    ColMetaLocalita = 1,
    ColMetaNazione = 2,
    ColMetaCodice = 3
};
enum ColonnaTappeAltraMeta : int {
    ColAltraSequenza = 0,
    ColAltraLocalita = 1,
    ColAltraStrada = 2,
    ColAltraKm = 3,
    ColAltraTipo = 4,
    ColAltraSosta = 5,
};

// The insertion row when the copy opens: the row after the last leg, at least 1.
int RigaInserimentoDuplica(const Griglia& mfgTab);

// Fills mfgCopia with the trips offered, ordered by name: a trip without legs is not offered, and
// of several trips with the same name (trimmed, ignoring case) only the first.  The hidden column 3
// holds the trip code.  Returns the number of trips offered.
int CaricaElencoMete(Archivio& archivio, Griglia& mfgCopia);

// Fills mfgCopia with the legs of a trip in sequence order.  Returns the number of legs.
int CaricaTappeAltraMeta(Archivio& archivio, Griglia& mfgCopia, const QString& codiceMeta);

// The boxes of "Tratto dal percorso:": index 0 the initial leg, 1 the final leg.
struct TrattoDuplica {
    std::array<QString, 2> txtInsLoc;
    std::array<QString, 2> txtInsNS;
    std::array<QString, 2> txtInsKm;
    std::array<QString, 2> txtInsNum;
    bool operator==(const TrattoDuplica&) const = default;
};

// Copies the current row of the leg list into the initial (0) or final (1) boxes.
void AssegnaTappa(const Griglia& mfgCopia, int indice, TrattoDuplica& tratto);

// The first and last row of the stretch in assignment order (an empty box counts as the other
// end), each clamped into the list; both 0 when the list is empty.
struct EstremiTratto {
    int a = 0;
    int b = 0;
};
EstremiTratto EstremiDuplica(const Griglia& mfgCopia, const TrattoDuplica& tratto);

// Selects the rows of the stretch (columns 0 to 6) and answers whether "Inserisce percorso" may
// be pressed: both row-number boxes are filled.
bool SelezioneTappeDuplica(Griglia& mfgCopia, const TrattoDuplica& tratto);

// Inserts list rows a..b (backwards when a > b) into mfgTab at rigaCorrente, or after it when that
// row already holds a locality.  Forwards each row brings its own road, km and road type;
// backwards it brings those of the row after it in the list, since the road between two places
// is the same one driven the other way.  Stops and end-of-day marks come only with soste.
// rigaCorrente becomes the first inserted row; returns the number of rows inserted.
int InserisciTratto(Griglia& mfgTab, int& rigaCorrente, const Griglia& mfgCopia, int a, int b, bool soste);

// What the "Dopo" box shows: the locality the stretch goes after, or "(inizio itinerario)".
QString LuogoInserimento(const Griglia& mfgTab, int rigaCorrente);

QString AiutoDuplica();
