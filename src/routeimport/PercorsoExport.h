#pragma once
// Directions tables saved by route planners as tab-separated text.  Two families are recognised
// by their header line (looked for in the first 15 lines):
//   - time / km / instruction ("...ora", "km", "istruzioni" or "...time", "km", "instruction"):
//     column 2 is the distance from the start and the places are read out of the instruction;
//   - place / direction / distance ("..località", "direzione", "distanza"): column 1 is the place,
//     the distance column is named on the header and restarts now and then.
// Each place of the export yields one leg with the distance since the previous place and the
// roads driven on.
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "routeimport/TappeImportate.h"

enum class FamigliaExport { Nessuna, Istruzioni, Localita };

// A file shorter than this is not an export.
constexpr qsizetype kByteMinimiExport = 151;
constexpr int kRigheIntestazioneExport = 15;
constexpr int kColonneMassimeExport = 20;

// The line split at tab characters into at most 20 columns, each trimmed of blanks.  Index 0 is
// column 1.
QStringList EstraeColonneTappa(const QString& riga);

// The family of a header line, or Nessuna.
FamigliaExport FamigliaIntestazione(const QStringList& colonne);

// The road identifier named in a direction text: "... onto A1/E35" gives "E35", "... su SS16"
// gives "SS16", "... [A14]" gives "A14"; empty when the text names none.
QString RilevaStradaCorrente(const QString& testo);

// A place of the second family split into the place and the road number written with it:
// "SS16, RIMINI" gives ("RIMINI", "SS16").
struct LuogoStrada {
    QString luogo;
    QString strada;
};
LuogoStrada EstraeTappaStrada(const QString& testo);

struct EsitoExport {
    FamigliaExport famiglia = FamigliaExport::Nessuna;
    QList<TappaImportata> tappe;
};

// Reads the lines of an export (the file's bytes, any of the encodings such files come in).
// A file shorter than 151 bytes or without a header in its first 15 lines gives Nessuna.
EsitoExport LeggiExport(const QByteArray& byte);
