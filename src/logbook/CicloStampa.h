#pragma once
// The print cycle of a logbook: the question (when the user started the print), the cover, the
// day pages with their progress, the cancel checked after every page (which abandons the whole
// document), and the marker file that says the logbook program has done.
#include <QString>

#include "logbook/Moduli.h"

class Dialoghi;
class Progresso;
class Superficie;

inline const QString kTitoloModuli = QStringLiteral("Stampa dei moduli");
inline const QString kFileFineStampa = QStringLiteral("FineStampaZavetra.tmp");
inline const QString kStampaInCorso = QStringLiteral("Stampa dei Moduli in corso...");

// The window's inputs: the three date lists of each date as texts, the destination, the blank
// mode and the number in cmbCopie.
struct RichiestaModuli {
    QString destinazione;
    QString giorno1, mese1, anno1;
    QString giorno2, mese2, anno2;
    bool bianco = false;
    int copie = 1;
};

// The pages to print: dated, one per day from the start to the end date, with the period text
// "dd/mm - dd/mm/yyyy"; blank, copie undated pages "in bianco".
DatiModuli PreparaModuli(const RichiestaModuli& r);

// The confirmation question, its lines separated by CR alone.
QString DomandaModuli(const DatiModuli& d);

struct EsitoCiclo {
    bool confermato = false;  // false when the user answered No to the question
    bool annullato = false;   // cancelled after a page: the document was abandoned
    int pagineGiorno = 0;     // day pages drawn
    QString errore;           // the printer's or the file's failure, in Italian; empty on success
    bool marcatoreScritto = false;
    bool riuscito() const { return confermato && !annullato && errore.isEmpty(); }
};

// Prints the logbook on s.  Without a command text (conComando false) the user is asked first.
// The progress shows the bar (posizione, from 0), the caption and the end (azzera); its stop
// request is read after every day page.  The marker file is written in cartellaMarcatore, when
// not empty, whatever the outcome.
EsitoCiclo CiclodiStampa(Superficie& s, const DatiModuli& d, bool conComando, Dialoghi& dialoghi,
                         Progresso& progresso, const QString& cartellaMarcatore);

// Replaces the marker file in the folder with the single line "Fatto".
bool ScriviMarcatore(const QString& cartella);
