#pragma once
// The export: the chosen trips, all legs of those trips and the whole city guide, written as an
// exchange file in one atomic replace.
#include <QString>
#include <QStringList>

class Archivio;
class Dialoghi;
class Progresso;

inline const QString kFiltroScambio = QStringLiteral("File Export da Velmora!!! (*.iei)|*.iei");

// The lines of the file: trips in the order of codici (an empty code or one that names no trip
// gives no line), their legs grouped by trip, then the guide block when the guide has rows.
QStringList LineeEsportazione(Archivio& archivio, const QStringList& codici, Progresso& progresso);

// Writes the file; false, with the file as it was, when it cannot be written.
bool ScriviEsportazione(Archivio& archivio, const QStringList& codici, const QString& percorso,
                        Progresso& progresso);

QString MessaggioEsportazione(const QString& percorso);

enum class EsitoExport {
    Rinunciato,  // no file chosen, or the overwrite refused: nothing written, no closing steps
    NonConfermato,
    Fallito,  // the file could not be written; the message was shown
    Eseguito,
};

// The export as the panel runs it: save dialog, the overwrite question, BoxConferma "EX", the
// write and the closing message.  nomeFile receives the chosen path.
EsitoExport EseguiExport(Archivio& archivio, const QStringList& codici, Dialoghi& dialoghi,
                         Progresso& progresso, QString& nomeFile);
