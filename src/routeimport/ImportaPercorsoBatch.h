#pragma once
// The batch route import, for scripts:
//   zavetra [--data-dir DIR] --importa-percorso FILE [--meta CODICE]
// It imports the file into the current trip (or trip CODICE) exactly as "Altri Pacch." does, and
// saves the itinerary as the save button does, in one transaction.  A trip that already has legs
// is refused.  Exit codes are those of the batch computation: 0 done, 1 refused or failed, 2 no
// such trip.
#include <QString>

class QTextStream;

inline const QString kOpzioneImportaPercorso = QStringLiteral("--importa-percorso");

int EseguiImportaPercorso(const QString& cartellaDati, const QString& file, const QString& codiceMeta,
                          QTextStream& out, QTextStream& err);
