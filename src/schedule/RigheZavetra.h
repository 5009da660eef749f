#pragma once
// What is written into the schedule grid after the last pass: the arrival mark, the daily
// summaries, the totals block, and the removal of empty rows.
#include <QString>

class Griglia;
struct StatoMotore;

// Column 13 of the row before the last one written: ">" + dd/mm + "-" + hh:mm of the arrival.
void ScriviArrivo(Griglia& mfgTab, StatoMotore& s);

struct TotaliZavetra {
    float kmTratto = 0;  // the destination stretch ([Start] to [End])
    float guidaTratto = 0;
    float sostaTratto = 0;
    float km = 0;  // the whole schedule
    float guida = 0;
    float sosta = 0;
};

// Appends to the note of each day's last row " [Km n in ore hh:mm; soste per ore hh:mm]" (or
// " [Sosta ore hh:mm]" for a day without driving) and returns the totals of the stretch and of the
// whole schedule.  ultimaRiga is the last row written.
TotaliZavetra ScriviRiepiloghiGiornalieri(Griglia& mfgTab, int ultimaRiga);

// Seven rows after the grid's last: "Totali: Km e tempi (gg:hh:mm):" and the tab-indented lines of
// the stretch, the way there and back, and the whole trip.  arcoGuida is the daily driving span.
void ScriviTotali(Griglia& mfgTab, const TotaliZavetra& t, float arcoGuida);

// Removes every row (but the last) whose columns 0 to 8 and 12 are all empty.
void RimuoviRigheVuote(Griglia& mfgTab);
