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
};

// Seeds an empty TipoGuida, adds the standard descriptions it lacks, and reads the table.  Rows
// added by the completion join the table at the next start.  Codes above 20 have no place in the
// table and are left out of it.
TabellaTipiGuida CaricaTipiGuida(Archivio& archivio);
