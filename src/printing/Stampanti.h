#pragma once
// The printer choice: the system's printers in their own order followed by the PDF entry, and the
// surface that draws on the chosen one.
#include <QString>
#include <QStringList>
#include <memory>

class Superficie;

inline const QString kVocePdf = QStringLiteral("Stampa su file PDF…");

// The system's printers, as the platform lists them.
QStringList StampantiDiSistema();

// The entries of lstStampanti: the printers, then the PDF entry.
QStringList ElencoStampanti(const QStringList& stampanti);
// The entry selected when the list is shown: none (-1), or the PDF entry when it is the only one.
int VoceIniziale(const QStringList& elenco);
// The first entry equal to scelta ignoring case, or -1.
int CercaStampante(const QStringList& elenco, const QString& scelta);

// Where a print goes: a system printer by name, or a PDF file.
struct Destinazione {
    QString stampante;  // empty for a PDF
    QString filePdf;
    bool valida() const { return !stampante.isEmpty() || !filePdf.isEmpty(); }
};

// The printer in force for the whole session, shared by every report: the last destination
// chosen and the folder of the last PDF.
struct StampanteCorrente {
    Destinazione destinazione;
    QString ultimaCartella;
};

// The paper surface for the destination.
std::unique_ptr<Superficie> ApriSuperficie(const Destinazione& d);
