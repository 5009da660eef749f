#pragma once
// The one-time conversion of the older version's record files into the database: trips, the
// legs of each trip, the city guide, the guide types, and the completion of the trips' missing
// times.  It runs as one transaction; only after it is stored are the converted files moved into
// the "convertiti" folder of the data directory, so they are kept and the conversion is not offered
// again.
#include <QString>
#include <QStringList>

class Archivio;
class Dialoghi;
class Progresso;

inline const QString kFileVecchieMete = QStringLiteral("CampMete.dat");
inline const QString kFileVecchiaGuida = QStringLiteral("CampGuid.dat");
inline const QString kCartellaConvertiti = QStringLiteral("convertiti");

// True when the old trip file is in the data directory (its name compared ignoring case, as the
// files come from a system that did).
bool EsistonoVecchiFile(const QString& cartellaDati);

struct EsitoConversione {
    bool riuscita = false;
    QString errore;  // which file and record failed, and why
    int mete = 0;    // records written
    int tappe = 0;
    int voci = 0;
    QStringList meteSenzaTappe;  // trips whose leg file has a header with disagreeing counts
    QStringList convertiti;      // files moved into "convertiti"
    QStringList nonSpostati;     // converted files that could not be moved
};

// The conversion itself, without questions.  On failure the database is exactly as before and no
// file is moved.
EsitoConversione ConvertiVecchiFile(Archivio& archivio, const QString& cartellaDati, Progresso& progresso);

// The "Converte" command: asks, converts, and shows the outcome.  True when the conversion was
// stored: the window then reloads the current trip and returns to its normal state.
bool cmdConverte(Archivio& archivio, const QString& cartellaDati, Dialoghi& dialoghi, Progresso& progresso);
