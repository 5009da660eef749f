#pragma once
// The leg editing frame of the itinerary: the boxes of one leg, the leg commands, the locality
// list and the grid events.  It edits a Griglia it does not own; the window that embeds it
// supplies the trip boxes (for the speeds and the daily driving span of the leg times) and learns
// through grigliaCambiata() when the legs changed.  Handlers read the boxes into CampiTappa, call
// the itinerary logic, write the boxes back and recompute kilometres and times.
#include <QFrame>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

#include "common/ui/TabellaGriglia.h"  // held through QPointer, which needs the full type
#include "itinerary/KmTempi.h"
#include "itinerary/ModificaTappe.h"
#include "trips/BoxMeta.h"

class Dialoghi;
class Griglia;
class QCheckBox;
class QLabel;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// How the panel reaches the trip boxes of its window.  Either may be empty: without leggiBox the
// leg times use an empty BoxMeta (the parameter check fills in its defaults), without scriviBox the
// totals are not shown anywhere.
struct CollegamentoBoxMeta {
    std::function<BoxMeta()> leggiBox;
    std::function<void(const BoxMeta&)> scriviBox;
};

class PannelloTappe : public QWidget {
    Q_OBJECT
  public:
    // tabella: the view that shows mfgTab; when null the panel makes its own, to the left of the
    // editing frame.  A given view keeps its place in the caller's layout and its owner.
    PannelloTappe(Griglia& mfgTab, Dialoghi& dialoghi, CollegamentoBoxMeta box,
                  TabellaGriglia* tabella = nullptr, QWidget* parent = nullptr);

    // Enters leg editing: positions the current row and, when entered through the itinerary
    // command, shows the editing frame, hides the locality list and puts the focus in txtTappa.
    void AttivitaInserimentoItinerario(bool daItinerario = true);
    // Hides the editing frame (leaving editing).
    void ChiudiInserimento();

    // Normalises the grid and the current row and loads the boxes from it.
    void AggiornaNumeroRiga();
    // Recomputes progressive kilometres, leg times and the totals of the trip boxes.
    RisultatoKmTempi CalcolaKmTempiItinerario();

    // Commands.
    void cmdInserisce_Click();
    void cmdAggiunge_Click();
    void cmdCancella_Click();
    void cmdRitorno_Click();
    void cmdCerca_Click();  // CercaLocalita
    void cmbRicercaTappa_Click(int indice);
    void cmdHelpKm_Click();
    void cmdHelpItin_Click(int linea);  // linea 1..5

    // Shows a text in the window's status line (an empty text clears it): emitted as
    // messaggioStato and sent up as a status tip, which a main window above the panel shows in its
    // status bar.  Every insert shows the progressive-km note, or clears it.
    void MostraStato(const QString& testo);

    // Grid events (grid row numbers, 1 = first leg).  A click goes first to the handler set with
    // impostaDeviaClick (the single-leg choice of the route import, the city guide); when that
    // answers true the click is its own and the boxes stay as they are.
    void mfgTab_Click(int riga);
    void impostaDeviaClick(std::function<bool(int riga)> devia) { deviaClick_ = std::move(devia); }
    void mfgTab_DblClick(int riga);
    // Up, Down, Page Up, Page Down; true when the key was one of them.
    bool mfgTab_KeyDown(int tasto);

    // The editing boxes as plain values, and back.
    CampiTappa LeggiCampi() const;
    void ScriviCampi(const CampiTappa& campi);

    int rigaCorrente() const { return rigaCorrente_; }
    bool corniceVisibile() const;
    AbilitazioneItinerario abilitazione() const { return abilitazione_; }
    TabellaGriglia* tabella() const { return tabella_; }

    // Editing frame.
    QFrame* frmItinerario = nullptr;
    QLineEdit* txtRiga = nullptr;
    QLineEdit* txtTappa = nullptr;
    QLabel* lblCaratteriTappa = nullptr;  // how many characters the name may have
    QLineEdit* txtNumStrada = nullptr;
    QLineEdit* txtKm = nullptr;
    QCheckBox* chkKm = nullptr;
    std::array<QRadioButton*, 4> optStrada{};  // "ASPL" order: motorway, expressway, main, local
    std::array<QComboBox*, 3> cmbSosta{};      // days, hours, minutes
    QCheckBox* chkEndDay = nullptr;
    std::array<QCheckBox*, 2> chkMeta{};  // "Prima mèta", "Ultima mèta"
    QPushButton* cmdInserisce = nullptr;
    QPushButton* cmdAggiunge = nullptr;
    QPushButton* cmdCancella = nullptr;
    QPushButton* cmdRitorno = nullptr;
    QPushButton* cmdCerca = nullptr;
    QPushButton* cmdHelpKm = nullptr;
    // The button help of lines 1 to 5; lines 4 and 5 explain the window's own itinerary commands
    // (stops, guide stops, other packages, copy, save, end).
    std::array<QPushButton*, 5> cmdHelpItin{};
    QListWidget* cmbRicercaTappa = nullptr;  // the locality list

  signals:
    // The legs in the grid changed (insert, add, delete, way back); kilometres and times are
    // already recomputed and written to the trip boxes.
    void grigliaCambiata();
    // The enabling rule after a change of the current row; the window applies cmdRicalcola and
    // cmdMapPoint, the panel applies cmdRitorno and cmdCancella itself.
    void abilitazioneCambiata(const AbilitazioneItinerario& abilitazione);
    // A text for the status line (see MostraStato).
    void messaggioStato(const QString& testo);

  protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

  private:
    QFrame* CreaCornice();
    QWidget* CreaPulsanti();
    void Collega();
    void ApplicaAbilitazione(const AbilitazioneItinerario& a);
    void DopoModifica();
    void AbilitaGriglia(bool abilita);
    void AggiornaCaratteriTappa();
    bool FiltroTastoCampo(QLineEdit* campo, QEvent* evento);

    Griglia& mfgTab_;
    Dialoghi& dialoghi_;
    CollegamentoBoxMeta box_;
    QPointer<TabellaGriglia> tabella_;  // a view given by the window may go before the panel
    std::function<bool(int)> deviaClick_;
    int rigaCorrente_ = 1;
    AbilitazioneItinerario abilitazione_;
};
