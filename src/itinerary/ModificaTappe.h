#pragma once
// Editing the legs in the itinerary grid: positioning the current row and filling the editing
// boxes from it, inserting a leg with its checks, adding and deleting rows, the way back to the
// start, the destination markers, the locality list, the double-click summary and the help texts.
// A window handler reads its boxes into CampiTappa, calls one of these, writes the boxes back and,
// when the grid changed, recomputes kilometres and times (CalcolaKmTempiItinerario).
#include <QChar>
#include <QString>
#include <QStringList>
#include <array>

#include "common/Dialoghi.h"

class Griglia;

// The boxes of the editing frame.
struct CampiTappa {
    QString txtRiga;
    QString txtTappa;
    QString txtNumStrada;
    QString txtKm;
    bool chkKm = false;               // the number typed is a progressive distance
    bool chkKmVisibile = false;       // the progressive-km box is shown and enabled
    QString tipoStrada;               // code of the chosen optStrada ("A", "S", "P", "L"; "" none)
    std::array<QString, 3> cmbSosta;  // days, hours, minutes of the stop
    bool chkEndDay = false;
    std::array<bool, 2> chkMeta{};  // "Prima mèta", "Ultima mèta"
    bool operator==(const CampiTappa&) const = default;
};

// Buttons of the itinerary window whose state depends on the legs.
struct AbilitazioneItinerario {
    bool cmdRicalcola = false;
    bool cmdRitorno = false;
    bool cmdCancella = false;
    bool cmdMapPoint = false;
    bool operator==(const AbilitazioneItinerario&) const = default;
};

// The enabling rule: recompute, way back and delete need at least two legs; the route import
// needs an itinerary of fewer than two.
AbilitazioneItinerario RegolaAbilitazione(const Griglia& mfgTab);

// Fills the editing boxes from a row: the locality without its marker (the marker ticks its
// chkMeta box), the road (the previous row's when empty, from row 2 on), the kilometres, the road
// type (from row 2 on; empty counts as "L"), the stop with its end-of-day mark.
void CaricaCampiDaRiga(const Griglia& mfgTab, int riga, CampiTappa& campi);

// Normalises the grid (one empty row after the last leg, at least 17 rows), keeps the current row
// at most one past the last leg, scrolls it into view, fills the boxes from it and selects it.
AbilitazioneItinerario AggiornaNumeroRiga(Griglia& mfgTab, int& rigaCorrente, CampiTappa& campi);

// The progressive-km box: shown, enabled and ticked when the frame is visible, the row is 3 or
// higher and the previous row has progressive kilometres.
void ImpostaKmProgressivi(const Griglia& mfgTab, int rigaCorrente, bool corniceVisibile, CampiTappa& campi);

// A click on a row: it becomes current, both marker boxes are cleared, the whole row is selected,
// the boxes are filled and the progressive-km box is set.
AbilitazioneItinerario ClickRigaItinerario(Griglia& mfgTab, int riga, int& rigaCorrente, CampiTappa& campi,
                                           bool corniceVisibile);

// Up/Down (passo +-1) and Page Up/Page Down (passo +-18) followed by the positioning.
AbilitazioneItinerario SpostaRigaCorrente(Griglia& mfgTab, int passo, int& rigaCorrente, CampiTappa& campi);

// Writes the boxes into the current row after the checks, in order: kilometres up to 999 and a
// locality (both reported), a distance or a stop or an end of day or a ferry, a road type when
// there are kilometres.  Every failed check shows its message and nothing is written.  On success
// the current row advances and is positioned; the caller recomputes kilometres and times.  The
// progressive-km box is left as it is.  When the progressive rule replaced the typed distance,
// notaKm (if given) gets "Km progressivi: 300 → 260 dalla tappa precedente", else it is emptied.
bool cmdInserisce(Griglia& mfgTab, int& rigaCorrente, CampiTappa& campi, Dialoghi& dialoghi,
                  QString* notaKm = nullptr);

// Opens n empty rows at the current row; the rows below move down.
void InserisciRigheItinerario(Griglia& mfgTab, int rigaCorrente, int n);

// Deletes the current row without confirmation; the rows below move up and the row count stays.
void cmdCancella(Griglia& mfgTab, int rigaCorrente);

// Appends the way back to the start: empty rows are squeezed out, then the legs are retraced from
// the last locality's earlier visit (or from the last leg) back to the first.  Returns the new
// current row (the earlier visit); 0 when there are no legs.
int cmdRitorno(Griglia& mfgTab);

// Removes the marker "[Start]" (k = 1) or "[End]" (k = 2) from every locality.
void CancellaFlagStartEnd(Griglia& mfgTab, int k);

// Column 0 of every leg row gets its row number again.
void NumeraRighe(Griglia& mfgTab);

// The double-click summary: "Dati relativi a:", an empty line, then header, ":", a tab and the cell
// of every column up to the one whose header contains "NOTE".
QString RiepilogoRiga(const Griglia& mfgTab, int riga);

// The locality list: every leg's locality padded to 31 characters and its row as four digits,
// sorted.
QStringList ElencoLocalitaItinerario(const Griglia& mfgTab);
// The jump to a chosen entry: the row becomes current, is scrolled into view (top row = row - 8,
// at least 1), fills the boxes and is selected.  Returns the row.
int RicercaDiUnaSingolaTappa(Griglia& mfgTab, const QString& voce, int& rigaCorrente, CampiTappa& campi);

// How many characters a leg's name may have when stored with the markers ticked: the rest of the
// stored locality's width.
int CaratteriNomeTappa(bool start, bool end);

// Key filters of the editing boxes.
bool TastoKmAccettato(QChar tasto);      // txtKm: digits only
QChar TastoMaiuscolo(QChar tasto);       // txtTappa, txtNumStrada: letters in upper case
QString FiltraKm(const QString& testo);  // the digits of a text, as txtKm keeps them

// Help texts.
QString AiutoCampiItinerario();
// The button help of line 1 to 5.
QString AiutoPulsantiItinerario(int linea);
