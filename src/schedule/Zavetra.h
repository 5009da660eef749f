#pragma once
// The travel schedule ("Zavetra"): the computation of a trip's schedule from its legs, the city
// guide and the trip parameters, fitted to the desired days, written into the main grid.
//
// Final layout of the schedule grid mfgTab (itinerary layout, 15 columns, row 0 the headers; all
// cells are texts).  The text files, the printed table and the CSV export read these columns:
//
//   col  header         driving row                     halt row                 new-day row
//   0    "Num."         row number                      ""                       ""
//   1    "Tappa"        locality (markers kept), or     text of the halt,        " > Partenza mattino
//                       "verso: " + locality while      "[Start]"/"[End]"        successivo"
//                       the leg goes on                 removed
//   2    "Num. Strada"  road name, trimmed              ""                       ""
//   3    "Km."          km of the piece ("" for 0)      ""                       ""
//   4    "Ts"           road-type code                  ""                       ""
//   5    "Km/pr"        running km, "#,###"             ""                       ""
//   6    "Tempo"        driving time of the piece hh:mm  "" (cell bold)          "" (cell bold)
//   7    "Itinerario"   ""                              time b: the unscaled     ""
//                                                       visit time (dd:hh:mm
//                                                       of the visit day, day
//                                                       field dropped when 00)
//   8    "Guida"        ""                              time a: the halt time    ""
//   9    "Gs"           weekday ("Lun", ...)            same                     same
//   10   "Data"         dd/mm                           same                     same
//   11   "Ore"          clock after the piece hh:mm,    clock after the halt     breakfast time
//                       "* " in front on the row
//                       before a rest day
//   12   "Note"         "Pranzo", "Cena", "Notte",      the guide type name      "Nuovo giorno"
//                       "Riposo NN'"; daily summary
//                       " [Km ... in ore hh:mm...]" appended on a day's last row
//   13   (hidden)       arrival mark ">dd/mm-hh:mm" on the row before the last one written
//   14   (hidden)       ""
//
// After the schedule rows come 7 rows of totals (text in column 1 only): "Totali: Km e tempi
// (gg:hh:mm):", then tab-indented lines for the destination stretch, the way there and back and
// the whole trip.  Empty rows (columns 0-8 and 12 empty) are removed, the totals block stays.
//
// The computation table mfgCopia (layout 5, at least 19 columns) holds one row per leg, per leg
// stop (" > a " + locality, column 14 the stop time) and per guide entry (" > " + [group " * "] +
// description, column 12 the type name, column 15 the visit time, or column 18 "-1" for an entry
// without time); column 16 is "1" on the last row of a day.
#include <QString>
#include <QtGlobal>

#include "schedule/Motore.h"
#include "trips/BoxMeta.h"

class Archivio;
class Dialoghi;
class Griglia;
class Progresso;
struct TabellaTipiGuida;

constexpr int kTentativiMassimi = 20;

// Who started the computation: the "&Calcola" command, "Ricalcola" or the print path ("Stampa",
// which shows no closing message).
enum class Chiamante { Calcola, Ricalcola, Stampa };

struct EsitoZavetra {
    // A schedule was computed and written into mfgTab (and the box's computed fields).
    bool eseguito = false;
    // The stop request was seen: the window returns to editing and reloads the trip (Calcola,
    // Stampa) or goes back to itinerary editing (Ricalcola); nothing was stored.
    bool interrotto = false;
    // The schedule was already shown (zavetraMostrata): nothing was computed or changed; the
    // window goes back to the itinerary it kept.
    bool ripristinato = false;
    // An impossible input (a speed of 0, no visiting hours with stops to run, ...): the message
    // was shown, nothing was computed and nothing changed (box, grids, database).
    QString errore;
    // The closing message ("Elaborazione conclusa in N tentativi!" / "Elaborazione impossibile!
    // (tentativi effettuati n. N)"), already shown through Dialoghi with the title
    // "Calcolo Zavetra"; empty when none was shown.  The batch command prints it.
    QString messaggio;
    int tentativi = 0;  // tests made in the last round of the fitting loop
    // Engine passes run in all: every test (a fresh start counts its own) and the written one.
    int passi = 0;
    float coefficiente = 1;                // the visit coefficient of the last pass
    QString coefficienteTesto;             // its decimal text ("." as separator)
    bool coefficienteMemorizzato = false;  // written into Coefficiente of the trip
    qint16 giorniUsati = 0;                // days of the schedule shown
    qint16 giorniDesiderati = 0;           // the desired days after the adjustments (0 = no fitting)
    // The boxes as the computation left them: txtFine (end date, hour, weekday, days),
    // txtKmTot, txtTempo, txtTragh, and the parameter boxes as the check corrected them.
    BoxMeta box;
};

// What a computation is asked with.  box is the window's boxes: read, and updated with the
// computed fields (also returned in the result).  zavetraMostrata is the schedule-shown flag: when
// set nothing is computed (see EsitoZavetra::ripristinato).
struct RichiestaZavetra {
    Archivio& archivio;
    BoxMeta& box;
    QString codiceMeta;
    Griglia& mfgTab;
    Griglia& mfgCopia;
    const TabellaTipiGuida& tipi;
    Progresso& progresso;
    Dialoghi& dialoghi;
    Chiamante chiamante = Chiamante::Calcola;
    bool zavetraMostrata = false;
    int righeMassime = kRigheMassimeZavetra;  // more rows than this refuse the computation
};

// The whole computation behind "&Calcola" (and "Ricalcola", and the print path): the parameter
// check, the computation table in mfgCopia, the fitting loop of engine passes into mfgTab, the
// stored coefficient of the trip codiceMeta, the arrival mark, the daily summaries, the totals
// block, the empty-row removal and the closing message.  The progress caption, the bar and the
// stop request go through progresso (the caller clears its stop request before calling); pending
// events are let run through dialoghi, throttled.  The work is done on copies: unless eseguito,
// box, mfgTab, mfgCopia and the database are left as they were.
EsitoZavetra CalcolaZavetra(const RichiestaZavetra& richiesta);

// "Azzera soste": asks "Vuoi azzerare le soste indicate nell'itinerario?..." (Yes/No, title
// "Azzera soste itinerario") and on Yes empties column 7 of every itinerary row.  Returns the
// answer (the confirmation answer).
bool cmdAzzeraSoste_Click(Griglia& mfgTab, Dialoghi& dialoghi);
