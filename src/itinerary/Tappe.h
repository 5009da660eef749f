#pragma once
// The legs of a trip between the database and the itinerary grid: loading with the city-guide
// time of each locality, saving as one transaction, reloading, and the questions of the
// "Salva Reset" and "Fine inser." buttons.
#include <QList>
#include <QString>

#include "common/Dialoghi.h"
#include "database/Archivio.h"
#include "guide/LetturaGuida.h"
#include "itinerary/KmTempi.h"
#include "trips/BoxMeta.h"

class Griglia;
class Progresso;

// The key a leg's locality is looked up by in the city guide: the text before the first "(" and
// "[", trimmed, first letter upper-case.  Guide entries are stored in this form.
QString ChiaveGuidaTappa(const QString& localita);

// Loads the trip's legs into the itinerary grid (emptied first, at least 17 rows and two more
// than the legs).  Column 8 gets the guide time of the locality on the first leg of each locality
// from the [Start] leg through the [End] leg, as a dd:hh:mm text whose day is the visit span.
// Leg times are not computed here (see the overload below).
void CaricaTappeItinerario(Archivio& archivio, Griglia& mfgTab, const QString& codiceMeta, float arcoVisita);
// The same with the trip's boxes: the parameter check gives the visit span, and the leg times and
// totals are recomputed afterwards (written into the boxes and returned).
RisultatoKmTempi CaricaTappeItinerario(Archivio& archivio, Griglia& mfgTab, const QString& codiceMeta,
                                       BoxMeta& box);

// The locality as stored in a field of larghezza characters (0: no limit).  A longer text loses
// characters of the name, never a destination marker: it still ends with the whole " [Start]" and
// " [End]" it carried, in their order.
QString TagliaLocalita(const QString& localita, int larghezza);
// The width of the stored locality (Localita of Itinerari).
int LarghezzaLocalitaTappa();

// One record of the Itinerari table, as written.
struct RecordTappa {
    QString Sequenza;
    QString Localita;
    QString Chilometri;
    QString NomeStrada;
    QString TipoStrada;
    QString TempoSosta;
    QString FineGiorno;
    QString SostaGuidaCitta;
};

// The records the grid's rows become (the guide times read from the database).  Empty rows are
// skipped, sequences run 0001, 0002 ... without gaps, a leg over 999 km becomes records of at most
// 999 km with the guide time on the first only, and every text is cut to its field (the locality
// by TagliaLocalita).
QList<RecordTappa> RecordDaGriglia(Database& db, const Griglia& mfgTab, float arcoVisita,
                                   Progresso* progresso = nullptr);

// Replaces the trip's stored legs by the grid's rows, in one transaction: when any write fails,
// ErroreDatabase is thrown and the stored legs are exactly as they were.  The grid is not changed.
// Returns the number of records written.
int MemorizzaTappeItinerario(Archivio& archivio, const Griglia& mfgTab, const QString& codiceMeta,
                             float arcoVisita, Progresso* progresso = nullptr);
// The save as the buttons run it: a failure is shown (title "Salvataggio itinerario") and false is
// returned, leaving the grid and the stored legs as they were.
bool SalvaItinerario(Archivio& archivio, const Griglia& mfgTab, const QString& codiceMeta, float arcoVisita,
                     Dialoghi& dialoghi, Progresso* progresso = nullptr);

// Reloads the trip record into the boxes and then its legs (at start-up and when changes are
// discarded).  Returns the leg times and totals; when the trip no longer exists the boxes stay as
// they were and the grid is loaded empty.
RisultatoKmTempi RicaricaItinerario(Archivio& archivio, QString& metaCorrente, BoxMeta& box, Griglia& mfgTab);

// The legs of the grid differ from the ones loaded or saved in what a save would store: empty rows,
// the computed columns (progressive km, times, guide, schedule) and blanks around a text do not
// count.
bool TappeModificate(const Griglia& salvate, const Griglia& attuali);
// "Vuoi salvare l'itinerario?" with Yes/No/Cancel, asked before unsaved legs would be dropped.
Risposta ChiediSalvaItinerario(Dialoghi& dialoghi);

// "Salva Reset": save, restore the stored itinerary, or nothing.
enum class SceltaSalvaReset { Salva, Ripristina, Niente };
SceltaSalvaReset ChiediSalvaReset(Dialoghi& dialoghi);
// "Fine inser.": save and leave, leave without saving, or stay (Cancel).
enum class SceltaFineInserimento { SalvaEEsci, Esci, Resta };
SceltaFineInserimento ChiediFineInserimento(Dialoghi& dialoghi);
