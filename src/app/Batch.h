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

class Griglia;
class Orologio;
struct BoxMeta;

// Exit codes of the batch command.
constexpr int kUscitaRiuscita = 0;
constexpr int kUscitaErrore = 1;      // database, impossible input, a file not written
constexpr int kUscitaMetaIgnota = 2;  // no trip with that code (or no trip at all)

struct OpzioniCalcola {
    QString cartella;    // the data directory (Voviva.mdb and the files written)
    QString codiceMeta;  // empty: the current trip
    QString fileCsv;     // empty: no CSV
};

// A trip code as stored: digits only are padded with zeros to six ("42" gives "000042");
// anything else is kept as typed (it then names no trip).
QString CodiceMetaNormalizzato(const QString& codice);

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

// The window's message as console lines: CR LF (and lone CR or LF) split the lines.
QStringList RigheMessaggio(const QString& messaggio);
