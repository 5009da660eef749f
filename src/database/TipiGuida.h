#pragma once
// The city-guide entry types: the default rows of a new database, the completion of the list,
// and the table in memory that tells visits (a time is required) from logistic points.
#include <QString>
#include <QStringList>
#include <array>

class Archivio;

struct TipoGuidaVoce {
    QString descrizione;
    bool tempoObbligatorio = false;
};

struct TabellaTipiGuida {
    std::array<TipoGuidaVoce, 21> voci;  // by type number, 0 unused
    QStringList sceltaTipi;              // the descriptions in code order, for the type box
    QString avviso;                      // rows left out (empty description, bad or repeated code)
};

// Seeds an empty TipoGuida, adds the standard descriptions it lacks, and reads the table.  Rows
// added by the completion join the table at the next start.  A row with an empty description, or
// a code that is not "01" to "20" or already taken, is left out and counted in the warning; a
// missing description gets the code after the highest in use, or the lowest free one, never
// beyond "20" (none is added when all twenty are taken).  It never fails on such rows.
TabellaTipiGuida CaricaTipiGuida(Archivio& archivio);
