#pragma once
// The batch print of a trip's schedule:
//   zavetra [--data-dir DIR] --calcola [--meta CODICE] --pdf FILE [--frontespizio]
// computes the schedule as --calcola does and prints the table (and, with --frontespizio, the title
// page) to the PDF file FILE, as "Stampa" does with those boxes checked and the PDF entry chosen.
// No window is needed, but the fonts are: the caller runs it inside a QGuiApplication (the
// offscreen platform is enough).
#include <QString>
#include <QStringList>

#include "schedule/Batch.h"

class Orologio;

inline const QString kOpzionePdf = QStringLiteral("--pdf");
inline const QString kOpzioneFrontespizio = QStringLiteral("--frontespizio");

struct ComandoStampa {
    OpzioniCalcola calcolo;  // cartella is left empty: the caller decides the data directory
    QString filePdf;         // empty: no --pdf (a plain --calcola)
    bool frontespizio = false;
    QString errore;  // a malformed command line, in Italian
};

// Reads --pdf FILE (or --pdf=FILE) and --frontespizio, and the rest as the batch computation does.
// --frontespizio without --pdf is an error.
ComandoStampa LeggiComandoStampa(const QStringList& argomenti);

// The program's title as the main window shows it, printed in the page footers.
QString TitoloZavetra();

// The whole batch print.  A PDF that cannot be written, like a text file that cannot, gives exit
// code 1 and its message on standard error.
EsitoBatch EseguiStampaBatch(const ComandoStampa& comando, const Orologio& orologio);
