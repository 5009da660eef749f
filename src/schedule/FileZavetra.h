#pragma once
// The two text files of a printed schedule, written from the schedule grid into the data directory
// at every print whatever is ticked: Camptabl.txt (the schedule as tab-separated lines) and
// ListaLocalita.txt (the localities passed, each with its country).  Both are Windows-1252 with
// CR LF and are replaced as a whole.
#include <QString>
#include <QStringList>

class Griglia;

inline const QString kFileCamptabl = QStringLiteral("Camptabl.txt");
inline const QString kFileListaLocalita = QStringLiteral("ListaLocalita.txt");

// The lines of Camptabl.txt: the trip locality as typed, an empty line, the heading line, then for
// every grid row below the header the trimmed texts of columns 0 to 10, each followed by a tab
// (eleven fields, although the heading names twelve).
QStringList RigheCamptabl(const Griglia& mfgTab, const QString& localitaMeta);

// The lines of ListaLocalita.txt: the heading, then "country TAB locality" for every row whose
// locality (column 1, trimmed) is a place passed.  The country starts as "Italia" and changes at a
// border-crossing row ("INGRESSO IN " + country), which is not listed itself.  Rows of halts and
// new days (">"), rest marks ("*"), "\" and "verso: ..." are skipped; the compass words NORD,
// OVEST, EST and SUD are cut out of the locality wherever they occur ("Budapest" gives "Budap").
QStringList RigheListaLocalita(const Griglia& mfgTab);

// The country named by a border-crossing locality: the trimmed text after its first "IN "; when
// there is none, the text after "INGRESSO ".
QString NazioneDopoIngresso(const QString& localita);
// The locality with every NORD, OVEST, EST and SUD removed, ignoring case, in that order.
QString TogliPuntiCardinali(QString localita);

struct EsitoFileZavetra {
    QString camptabl;  // full paths of the two files
    QString listaLocalita;
    QString errore;  // empty when both were written
    bool riuscito() const { return errore.isEmpty(); }
};

// Writes both files into cartella.  A file that cannot be written is named in errore; the other
// is still attempted, and a file that could not be replaced keeps its old content.
EsitoFileZavetra ScriviFileZavetra(const Griglia& mfgTab, const QString& localitaMeta,
                                   const QString& cartella);

// The message that closes every print: "Stampa dei file: ", the two full paths, "completata!"
// (lines separated by CR LF).
QString MessaggioFileScritti(const EsitoFileZavetra& esito);
