#pragma once
// The computation table: one row per leg, then a row for the leg's own stop and one per city-guide
// entry of the locality, with the stop mode applied and the end of each travelling day marked.
#include <QChar>
#include <QString>

class Database;
class Griglia;
class Percentuale;
struct TabellaTipiGuida;
struct ValoriLavoro;

// Columns of the computation table beyond the itinerary's first seven.
enum ColonnaTabellaCalcolo : int {
    ColCTipoGuida = 12,   // guide rows: the name of the entry's type
    ColCSosta = 14,       // stop rows: the stop time
    ColCVisita = 15,      // guide rows: the visit time
    ColCFineGiorno = 16,  // "1" on the last row of a day
    ColCSenzaTempo = 18,  // "-1" on a guide entry without time
};
constexpr int kColonneTabellaCalcolo = 19;

// A neutralised stop or visit: one hundredth of an hour keeps its row with a negligible time.
inline const QString kTempoNeutro = QStringLiteral("01");

struct TotaliSoste {
    float sosta = 0;    // sum of the stop times
    float visita = 0;   // sum of the visit times
    float fermata = 0;  // their sum, the total halt time
};

// The text a time is written with in the table: reads back to the same single-precision value.
QString TestoTempoTabella(float valore);

// The stop mode of the "cmbSoste" text: its first character ('3' when it has none).
QChar ModoSoste(const QString& cmbSoste);

// Builds the table in mfgCopia (layout 5, at least kColonneTabellaCalcolo columns) from the legs of
// mfgTab, whose destination markers are fixed first: an [End] before the [Start] leg is removed and
// " [Start]" goes on the first row when no row has it.  Guide entries are taken for the localities
// from the [Start] leg through the [End] leg, each locality at its first leg only; they are found
// by equality on the locality's cleaned name (PulisceNomeLocalita: "near Siena [Start]" looks up
// Siena).  Nothing is written to the database.
TotaliSoste PreparaTabellaPerCalcoloZavetra(Database& db, Griglia& mfgTab, Griglia& mfgCopia,
                                            const ValoriLavoro& valori, QChar modo,
                                            const TabellaTipiGuida& tipi, Percentuale& percentuale);
