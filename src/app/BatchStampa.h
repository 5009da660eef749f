#pragma once
// The batch print of a trip's schedule:
//   zavetra [--data-dir DIR] --calcola [--meta CODICE] --pdf FILE [--frontespizio] [--moduli]
// computes the schedule as --calcola does and prints the table (and, with --frontespizio, the title
// page) to the PDF file FILE, as "Stampa" does with those boxes checked and the PDF entry chosen;
// with --moduli also the logbook of the computed period beside it, in FILE-moduli.pdf.
// No window is needed, but the fonts are: the caller runs it inside a QGuiApplication (the
// offscreen platform is enough).
#include <QString>

#include "app/Batch.h"

class Orologio;

struct ComandoStampa {
    OpzioniCalcola calcolo;
    QString filePdf;  // empty: no print (a plain --calcola)
    bool frontespizio = false;
    bool moduli = false;
};

// The program's title as the main window shows it, printed in the page footers.
QString TitoloZavetra();

// The whole batch print.  A PDF that cannot be written, like a text file that cannot, gives exit
// code 1 and its message on standard error.
EsitoBatch EseguiStampaBatch(const ComandoStampa& comando, const Orologio& orologio);
