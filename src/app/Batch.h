#pragma once
// The batch computation of a trip's schedule, for scripts and whole-trip tests:
//   zavetra [--data-dir DIR] --calcola [--meta CODICE] [--csv FILE]
// It starts the database as the program does, loads the current trip (or trip CODICE) and its
// legs as the main window loads them, computes the schedule exactly as "&Calcola" does (the visit
// coefficient is stored in the trip), writes Camptabl.txt and ListaLocalita.txt into the data
// directory as a print with no box ticked does, and with --csv also the schedule grid as CSV.
// No window and no display are needed.
#include <QString>
#include <QStringList>
#include <functional>

#include "common/Uscita.h"
#include "trips/Meta.h"

class Griglia;
class Orologio;
struct BoxMeta;

struct OpzioniCalcola {
    QString cartella;    // the data directory (Voviva.mdb and the files written)
    QString codiceMeta;  // empty: the current trip
    QString fileCsv;     // empty: no CSV
};

struct EsitoBatch {
    int codiceUscita = kUscitaRiuscita;
    QStringList uscita;  // lines for standard output: the messages the window would show
    QStringList errori;  // lines for standard error
};

// What a batch print does with the computed schedule and the trip's boxes, in place of writing
// the two text files alone: it writes them itself and adds its lines and exit code to the result.
using StampaBatch = std::function<void(const Griglia& mfgTab, const BoxMeta& box, EsitoBatch& esito)>;

// The whole batch computation.  The clock gives the start date and time of the boxes before the
// trip is loaded, as at the window's start-up.
EsitoBatch EseguiCalcolaBatch(const OpzioniCalcola& opzioni, const Orologio& orologio,
                              const StampaBatch& stampa = {});
