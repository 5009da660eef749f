#pragma once
// Logbooks without a window: printed straight to a PDF file, for "kestrin --pdf" and for the
// logbook that "zavetra --calcola --pdf FILE --moduli" adds to its run.
#include <QDate>
#include <QString>

#include "logbook/Moduli.h"

class QTextStream;

// FILE with "-moduli" before its extension: "viaggio.pdf" gives "viaggio-moduli.pdf".
QString FileModuli(const QString& filePdf);

// Where a logbook goes when no printer exists: Moduli-<destination>-<ddmmyyyy>.pdf in the data
// folder, the characters a file name cannot hold replaced by "_".
QString FilePdfPredefinito(const QString& cartellaDati, const QString& destinazione, const QDate& inizio);

// The dated logbook of a period, and n blank pages.
DatiModuli ModuliDelPeriodo(const QString& destinazione, const QDate& inizio, const QDate& fine);
DatiModuli ModuliInBianco(int n);

// Prints the logbook to a PDF file (written whole or not at all).  The marker file goes into
// cartellaMarcatore when it is not empty.  False with the reason in errore when the PDF failed.
bool StampaModuliPdf(const QString& filePdf, const DatiModuli& d, const QString& cartellaMarcatore,
                     QString* errore);

// The logbook that "zavetra --calcola --pdf FILE --moduli" adds to its run: the dated pages of the
// computed period in FileModuli(FILE), no marker.  The file written, or the empty text with the
// reason in errore (a period that ends before it starts or is longer than 366 days is refused).
QString StampaModuliAccanto(const QString& filePdf, const QString& destinazione, const QDate& inizio,
                            const QDate& fine, QString* errore);

// kestrin --pdf: the dated logbook of the command text (from the arguments, or else from the
// command file in the data folder), or bianco blank pages when bianco > 0.
struct OpzioniModuliBatch {
    QString cartellaDati;
    QString filePdf;
    QString comando;
    int bianco = 0;
};

inline constexpr int kUscitaModuliErrore = 1;   // the PDF could not be written
inline constexpr int kUscitaModuliComando = 2;  // a malformed or missing command text

int EseguiModuliBatch(const OpzioniModuliBatch& opzioni, QTextStream& out, QTextStream& err);
