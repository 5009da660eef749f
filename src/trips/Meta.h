#pragma once
// The trip record: personal and factory defaults, loading a stored trip into the boxes, saving
// the boxes, new codes, deletions, the current trip and the search by locality.
//
// Database work always comes first and the boxes are changed only after it succeeded, so when a
// function throws ErroreDatabase the BoxMeta holds what it held before.
#include <QString>
#include <QStringList>

#include "common/Dialoghi.h"
#include "common/Orologio.h"
#include "database/Archivio.h"
#include "trips/BoxMeta.h"
#include "trips/ListeScelta.h"

// ---- Stored forms --------------------------------------------------------------------------

QString LocalitaMemorizzata(const QString& localita);       // trimmed
QString NazioneMemorizzata(const QString& nazione);         // trimmed + one blank, cut to 19
QString DataInizioMemorizzata(const BoxMeta& box);          // ddmmyyyy
QString OraInizioMemorizzata(const BoxMeta& box);           // hhmm
QString CoppiaMemorizzata(const BoxMeta& box, int coppia);  // hhmm of a time pair
QString MediaMemorizzata(const QString& testo);             // the numeric value as text
// The stop entry shown for a stored CalcoloSoste ("" counts as "3").
QString VoceSoste(const QString& calcoloSoste);

// ---- Boxes without the database -----------------------------------------------------------

// The factory values of the parameter boxes (speeds, the nine time pairs, rests, stops "3",
// tolerance "15").
void ImpostaDefaultFabbrica(BoxMeta& box);
// Start date = today, start time = the current hour and the minute truncated to a quarter hour.
void ImpostaInizioAdesso(BoxMeta& box, const Orologio& orologio);
// Empties the computed boxes: ferry count, end of the trip, kilometre and time totals.
void PulisciCampiCalcolati(BoxMeta& box);

// ---- Personal defaults ---------------------------------------------------------------------

// Loads the parameter boxes from the personal defaults; mode 2 first resets the defaults to the
// factory values (as does a missing row).
void CaricaDefaultMeta(int modo, BoxMeta& box, Archivio& archivio);
// Writes the parameter boxes into the personal defaults row (added when missing).
void MemorizzaVariabiliMeta(const BoxMeta& box, Archivio& archivio);
// The three default buttons (0 save, 1 load, 2 reset): asks "Vuoi ... i dati di default?", runs
// the operation on Yes and confirms with "Operazione eseguita!".  True when it ran; after the
// load (index 1) the window recomputes the leg distances and times.
bool EseguiDefault(int indice, BoxMeta& box, Archivio& archivio, Dialoghi& dialoghi);

// ---- The current trip ----------------------------------------------------------------------

// The code of the current trip: the one in MetaCorrente when it still exists, else the highest
// stored code, else "".
QString RicercaMetaCorrente(Archivio& archivio);
// Stores codice in MetaCorrente (the window's current code becomes codice).
void SalvaIlCodiceMetaCorrente(const QString& codice, Archivio& archivio);
// Loads the trip `metaCorrente` into the boxes (looked up first when empty, and updated).  A code
// that names no trip loads nothing and leaves the boxes as they were; returns whether it loaded.
bool CaricaDatiAnagraficiMeta(QString& metaCorrente, BoxMeta& box, Archivio& archivio);

// ---- Saving --------------------------------------------------------------------------------

// Shows "Campo Località: obbligatorio!" or "Campo Nazione: obbligatorio!" and answers false when
// the trimmed locality or nation is empty.
bool ControllaCampiObbligatori(const BoxMeta& box, Dialoghi& dialoghi);

struct OperazioneSalva {
    QString tipo;    // "M" modify an existing trip, "I" insert a new one
    QString codice;  // the trip's code (the new code for "I")
};
// Modify the trip of the code box when it exists, else the trip with the same locality, else
// insert with the lowest free code.  Reads only.
OperazioneSalva DecidiOperazioneSalva(const BoxMeta& box, Archivio& archivio);
// The lowest free trip number as a 6-digit code: "000001" for an empty table.
QString NuovoCodiceMeta(Archivio& archivio);

// A trip code as stored: digits only are padded with zeros to six ("42" gives "000042");
// anything else is kept as typed (it then names no trip).
QString CodiceMetaNormalizzato(const QString& codice);
// Writes the boxes as trip op (lower-casing a locality containing "AUTOSTRADA"), makes it the
// current trip in MetaCorrente, then puts the code and the stored locality into the boxes.
void ScriviMeta(const OperazioneSalva& op, BoxMeta& box, Archivio& archivio);

enum class EsitoSalva { NonValida, Rinunciata, Salvata };
// The whole save: the mandatory fields, the decision, the confirmation (BoxConferma "M" or "I")
// and the write.  On Salvata metaCorrente holds the saved code; the caller then reloads the trip
// and its legs, sets the mode "all" and runs Aggiorna.
EsitoSalva SalvaMeta(BoxMeta& box, QString& metaCorrente, Archivio& archivio, Dialoghi& dialoghi);

// The boxes differ from the ones loaded in what a save would store: the computed boxes (end of the
// trip, totals, weekday) and the way a value is typed ("21" or "021" days) do not count.
bool MetaModificata(const BoxMeta& caricata, const BoxMeta& attuale);
// "Vuoi salvare le modifiche alla mèta?" with Yes/No/Cancel.
Risposta ChiediSalvaMeta(Dialoghi& dialoghi);

// ---- New trip and deletions ----------------------------------------------------------------

// The boxes of a new trip: personal defaults, start now, computed boxes, locality, nation and code
// emptied, desired days "000".
void NuovaMeta(BoxMeta& box, Archivio& archivio, const Orologio& orologio);

// BoxConferma "A"; true on Yes.
bool ChiediCancellazioneMeta(Dialoghi& dialoghi);
// Deletes the legs and the trip in one transaction.
void CancellaMeta(const QString& codice, Archivio& archivio);
// BoxConferma "AI", then (only on Yes) "Sei sicuro di voler cancellare l'itinerario?"; true when
// both were answered Yes.
bool ChiediCancellazioneItinerario(Dialoghi& dialoghi);
// Deletes the legs of the trip; the trip row stays.
void CancellaItinerario(const QString& codice, Archivio& archivio);

// ---- Search and pick -----------------------------------------------------------------------

// The stored localities by name, those containing "autostrada" last.  Shows "Nessuna mèta nel
// database!" when there are none.
QStringList ElencoMeteRicerca(Archivio& archivio, Dialoghi& dialoghi);
// The code of the trip whose whole locality equals the text (ignoring case), or "".
QString CodiceMetaPerLocalita(const QString& localita, Archivio& archivio);
// The pick from the search list: the found trip becomes current (MetaCorrente).  Returns the new
// current code, "" when no trip has that locality.
QString ScegliMeta(const QString& localita, Archivio& archivio);
