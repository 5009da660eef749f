#pragma once
// The city guide: entries stored per locality and shared by every trip, the guide list shown in
// mfgTab (a locality row per locality of the trip, then its entries), saving, changing and
// deleting entries from the panel's boxes, the search, group normalisation on leaving, and the copy
// of guide times into the legs' stops.
//
// Entries are stored and found under the locality key (the text before the first "(" and "[",
// trimmed), compared without regard to case, so "ROMA [Start]" and "Roma" share their entries.
#include <QList>
#include <QString>
#include <QStringList>

#include "database/TipiGuida.h"

class Archivio;
class Dialoghi;
class Griglia;
class Progresso;

// Columns of the guide list.
enum ColonnaGuida : int {
    ColGNumero = 0,
    ColGLocalita = 1,
    ColGSosta = 2,  // locality rows: the leg's own stop
    ColGGruppo = 3,
    ColGDescrizione = 4,
    ColGTempo = 5,
    ColGNote = 6,  // the type name
    ColGVoce = 8,  // "1" on entry rows
};
constexpr int kColonneGuida = 9;

struct VoceGuida {
    QString localita;
    QString codiceGuida;
    QString gruppo;
    QString descrizione;
    QString tempoSosta;
    QString flagVisto;
};

// The boxes of the guide panel, as typed.
struct CampiGuida {
    QString citta;        // txtGCitta, filled from the row
    QString gruppo;       // txtGGruppo
    QString descrizione;  // txtGDescr, also the search text
    QString ore;          // cmbGH
    QString minuti;       // cmbGM
    QString tipo;         // cmbGTipo, the type name
    // The row's stored time when it is not "hh:mm" (a "G"+n time of exchange files or old data):
    // the boxes cannot show it, so it is saved as stored until the window clears it because the
    // hour or minute box was changed.
    QString tempoMemorizzato;
};

enum class EsitoGuida {
    Salvata,
    Invariata,  // the entry already held these values: nothing written
    MancaDescrizione,
    MancaTipologia,
    MancaTempo,
    MancaLocalita,  // the row has no locality to file the entry under
};

// ---- Localities and entries -------------------------------------------------------------------

// The locality an entry is filed under: the locality key with its first letter upper-case.
QString LocalitaGuida(const QString& localita);
// The entries of a locality (its key, ignoring case), ordered by group, type code and description.
QList<VoceGuida> VociGuidaDellaLocalita(Archivio& archivio, const QString& localita);

// ---- Guide types --------------------------------------------------------------------------------

QStringList ListaTipiGuida(const TabellaTipiGuida& tipi);  // cmbGTipo, in code order
// Code of the type named nome, ignoring case; 0 when no type has that name.
int CodiceDelTipoGuida(const TabellaTipiGuida& tipi, const QString& nome);
QString NomeTipoGuida(const TabellaTipiGuida& tipi, int codice);  // "" outside 1..20
bool TempoObbligatorio(const TabellaTipiGuida& tipi, int codice);

// ---- Input helpers ------------------------------------------------------------------------------

// "hh:mm" of the hour and minute boxes.
QString TempoDeiCampi(const CampiGuida& campi);
// A description beginning with "diar" (any case) becomes "Lunori" of type "Lunorin"; one beginning
// with "cs" becomes "carte/guide - atlanti" of type "Carte/Guide".  Lower-case "cs" only, so that
// "CS" (camper service) can be typed.  True when the boxes changed.
bool EspandiAbbreviazione(CampiGuida& campi, const TabellaTipiGuida& tipi);
// The group box filter: printable keys are upper-cased and only digits, "-" and A-Z pass; control
// keys pass unchanged.  False drops the key.
bool TastoGruppoAccettato(QChar& tasto);
// Pieces split at "-", empty ones dropped, repeated ones once, numbers first by value, then the
// rest in text order, joined by "-".
QString NormalizzaGruppo(const QString& gruppo);

// Lines of the two help boxes, and the texts shown (lines joined by CR LF).
QStringList RigheAiutoCampiGuida();
QStringList RigheAiutoPulsantiGuida();
QString AiutoGuida(int indice);  // 0 the fields, 1 the buttons

// ---- The guide panel --------------------------------------------------------------------------

// The state of the guide panel over the main grid.  The grid's current row is the current row.
class GuidaCitta {
  public:
    GuidaCitta(Archivio& archivio, const TabellaTipiGuida& tipi, Griglia& mfgTab, Dialoghi& dialoghi);

    QString codiceMeta;    // the current trip
    QString testoRicerca;  // the last non-empty search; it restricts every rebuild
    bool modoGuida = false;

    // Fills the grid (header row kept, at least kColonneGuida columns) with the trip's localities
    // and their entries and turns the guide mode on.  A trip without legs shows "Impossibile...
    // non esistono tappe memorizzate!" and answers false.
    bool CreaLaListadellaGuida();
    // Loads the boxes from the current row; an empty row gives way to the nearest row above.
    void InserisciGuida(CampiGuida& campi);
    // cmdCancellaRiga is enabled on entry rows only.
    bool CancellaAbilitato() const;
    // Saves the boxes as a new entry (on a locality row) or as the change of the row's entry.  The
    // first failing check is shown when mostraErrori is on and nothing is written.  After a save
    // the list is rebuilt; on a locality row the description box is emptied for the next entry.
    EsitoGuida SalvaLaRigaGuidaCitta(CampiGuida& campi, bool mostraErrori);
    // Deletes the entry of the current row after "Vuoi cancellare questa riga?"; answers how many
    // entries were deleted.
    int CancellaRiga(CampiGuida& campi);
    // The Up/Down (passo 1) and Page keys (passo 12) of the description box: the row left is saved
    // silently, the new row loaded.  False when the row did not change.
    bool SpostaRiga(int passo, CampiGuida& campi);
    // "Cerca": a text restricts the list to the localities ending with it (answer true); an empty
    // text drops the restriction, rebuilds the list and answers false: the window then shows the
    // locality list of CercaLocalitaGuida.
    bool Cerca(const QString& testo);
    // Entries of cmbRicercaTappa: each locality of the list padded to 31 characters and its row
    // number as four digits, sorted.
    QStringList CercaLocalitaGuida() const;
    // An entry of cmbRicercaTappa chosen: its row becomes current and is loaded.
    void RicercaDiUnaLocalita(const QString& voce, CampiGuida& campi);
    // "Fine inserimento": the groups of the listed entries are normalised and the guide mode ends;
    // answers how many entries changed.  The window then reloads the trip and its itinerary.
    int FineInserimento();

  private:
    void Ricostruisci();
    void AggiungiRiga(int& riga, const QStringList& celle);
    int ultimaRiga() const;

    Archivio& archivio_;
    const TabellaTipiGuida& tipi_;
    Griglia& griglia_;
    Dialoghi& dialoghi_;
};

// "Copia soste guida ->itin.": after the question, adds to the stop (column 7) of every leg of the
// itinerary grid the guide times of its locality, each entry counted once along the itinerary.
// Stops are read and written with the daily visit span as the day; the "*" of an end of day stays.
// Answers false when the user says No.  The legs are stored when the itinerary is saved.
bool TrasferisceSosteGuida(Griglia& itinerario, Archivio& archivio, Dialoghi& dialoghi, float arcoVisita,
                           Progresso* progresso = nullptr);
