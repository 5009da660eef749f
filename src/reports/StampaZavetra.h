#pragma once
// The printed schedule: the title page, the cover of the table section, the table pages with the
// trip's characteristics on the first one, and the two text files written at every print.
#include <QDate>
#include <QString>
#include <array>
#include <functional>

#include "printing/Pagina.h"
#include "schedule/FileZavetra.h"
#include "trips/BoxMeta.h"

class Dialoghi;
class Griglia;
class Progresso;
class Superficie;

// The boxes of the print-options panel.
struct OpzioniStampa {
    bool chkFrontespizio = false;
    std::array<bool, 4> chkVociFrontespizio{};  // "Mappe città", "Mappe itinerario", "Lunoro", "Zavetra"
    bool chkTabella = false;
    bool chkModuli = false;
    bool usaStampante() const { return chkFrontespizio || chkTabella || chkModuli; }
};

// What the schedule print reads besides the grid.
struct DatiStampa {
    BoxMeta box;             // the trip's boxes
    QString titoloFinestra;  // printed in every footer
    QDate oggi;
    QString cartellaDati;  // where Camptabl.txt and ListaLocalita.txt are written
    // Starts the logbook program for the trip's period; false when it could not be started.
    // Unset: the logbook forms are not started.
    std::function<bool(const BoxMeta&)> avviaModuli;
};

struct EsitoStampa {
    bool stampaRiuscita = true;  // false when the printer or the PDF failed (erroreStampa says how)
    QString erroreStampa;
    int pagine = 0;  // pages of the table drawn
    EsitoFileZavetra file;
};

inline const QString kTitoloStampa = QStringLiteral("Stampa Zavetra");

// Left edges of the 13 table columns (indexes 1 to 15, edge(14) the right edge 200).
void CalcolaBordiZavetra(StatoStampa& stato);

// One schedule row at the current line, which then moves down by a line height (more when the
// notes take several lines).
void StampaRigaZavetra(Superficie& s, StatoStampa& stato, const Griglia& mfgTab, int r);

// The block of the trip's characteristics at the current line, which it advances.
void StampaCaratteristiche(Superficie& s, StatoStampa& stato, const BoxMeta& box);

// "dd/mm/yyyy - dd/mm/yyyy": the trip's start and end dates.
QString PeriodoMeta(const BoxMeta& box);

// The whole print: the files always, the pages that the options ask for, the progress in
// "Stampa della Zavetra (pag. n)", and the closing messages.  A print that fails is abandoned (a
// PDF is not left half written), says so in one message, and the text files are still written.
// The grid is only read.
EsitoStampa StampaDellItinerario(const OpzioniStampa& opzioni, Superficie& s, const Griglia& mfgTab,
                                 const DatiStampa& dati, Dialoghi& dialoghi, Progresso& progresso);
