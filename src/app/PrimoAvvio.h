#pragma once
// The sample trips at the first start of an installed program: with no database yet, the trips of
// <prefix>/share/zavetra/esempi are imported, so that the first window already holds a trip ready
// for "Calcola".  A build folder gets them from scripts/start instead.
#include <QString>

class Dialoghi;

// True when the data directory holds no database yet: read before anything opens it.
bool PrimoAvvio(const QString& cartellaDati);

// Imports every *.iei of the samples folder into the data directory when this is the first start
// of an installed program.  The window passes its dialogs and is asked "Vuoi caricare le mète di
// esempio?" first; a batch command passes none and the import is silent.  The error lines of a
// file that could not be imported, empty when all went well or nothing was to be done.
QString CaricaEsempiAlPrimoAvvio(bool primoAvvio, const QString& cartellaProgramma,
                                 const QString& cartellaDati, Dialoghi* dialoghi);
