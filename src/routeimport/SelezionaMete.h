#pragma once
// "Filtra mete reali": an imported itinerary holds every exit and roundabout the planner named;
// the comma-separated export of an ITN converter lists only the real destinations of the route.
// The command keeps the legs that are real destinations (renamed as the list names them), border
// crossings and ferries, and folds the kilometres of every other leg into the leg that follows.
#include <QString>
#include <QStringList>

class Dialoghi;
class Griglia;

inline const QString kFiltroItn = QString::fromUtf8("File export ITN in modalità testo (*.cvs)|*.csv");

// The entries of the converter's lines: every line whose first four characters are a number gives
// the text after its last ",", double quotes removed, trimmed.
QStringList VociMete(const QStringList& righe);

// The locality an entry gives a leg: the name before its first "[", then its bracketed marks:
// "[Park]" becomes the prefix "Park: ", a number ("[03]") is the final numbering, kept without
// its leading zeros ("[3]") unless eliminaNumerazione; several marks are joined by "-".
QString LocalitaDaVoce(const QString& voce, bool eliminaNumerazione);

// Walks the legs against the entries in order.  A leg whose locality (before "(" and "[", any
// case) is the name of the next entry is kept and renamed; so are border crossings ("Ingresso in
// ..."), ferries and legs with a stop.  Any other leg is removed and its kilometres are added to
// the next kept leg; legs after the last kept one stay as they are.  Returns the legs removed.
int SelezionaMeteValide(Griglia& mfgTab, const QStringList& voci, bool eliminaNumerazione);

// The command: the refusal without legs, the file dialog (cancelled: nothing), the question about
// the final numbering, then the selection.  Returns the legs removed, or -1 when nothing was done.
int cmdSelezionaMete_Click(Griglia& mfgTab, Dialoghi& dialoghi, QStringList& lstMete);
