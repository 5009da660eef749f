#pragma once
// The "Modifica tratto itinerario:" frame: a first and a last leg taken from the itinerary grid,
// a road type, and the buttons that assign it, leave and save.  It edits a Griglia it does not
// own; the window gives it the view that shows the grid (or the panel makes its own) and the
// three things only the window can do: save the itinerary, reload the trip and its legs, and
// recompute kilometres and times.
#include <QFrame>
#include <QPointer>
#include <array>
#include <functional>

#include "common/ui/TabellaGriglia.h"  // held through QPointer, which needs the full type
#include "routeimport/TrattoStrada.h"

class Dialoghi;
class Griglia;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

struct CollegamentoTratto {
    std::function<bool()> salva;      // saves the itinerary; false when the save failed
    std::function<void()> ricarica;   // reloads the trip and its legs from the database
    std::function<void()> ricalcola;  // recomputes kilometres and times of the grid
};

class PannelloTratto : public QFrame {
    Q_OBJECT
  public:
    // tabella: the view showing mfgTab; its clicks choose the leg in single-leg mode.  When null
    // the panel makes its own view, to the left of the frame.
    PannelloTratto(Griglia& mfgTab, Dialoghi& dialoghi, CollegamentoTratto collegamento,
                   TabellaGriglia* tabella = nullptr, QWidget* parent = nullptr);

    // "Modifica tratto": shows the frame with "&Assegna" disabled.
    void cmdModStrada_Click();
    // The five buttons: 0, 1 "Seleziona" (first, last leg), 2 "&Assegna", 3 "&Fine", 4 "&Salva".
    void cmdTappaSEl_Click(int indice);
    // A click on a grid row; in single-leg mode it chooses that row as first and last leg and
    // answers true (the click is the frame's own).
    bool mfgTab_Click(int riga);
    // True while a click on the grid belongs to the frame (shown, single-leg mode ticked).
    bool sceltaSingola() const;

    const StatoTratto& stato() const { return stato_; }

    std::array<QLineEdit*, 3> txttappasel{};  // first leg, last leg, number of legs
    std::array<QPushButton*, 5> cmdTappaSEl{};
    std::array<QRadioButton*, 4> optTStrada{};  // "ASPL" order
    QCheckBox* chkTappaSingola = nullptr;

  signals:
    // Road types were assigned (kilometres and times already recomputed).
    void grigliaCambiata();
    // "&Fine": the frame is hidden and the trip reloaded; the window restores its modes.
    void trattoChiuso();

  private:
    void ScriviStato();
    void LeggiTipo();

    Griglia& mfgTab_;
    Dialoghi& dialoghi_;
    CollegamentoTratto collegamento_;
    QPointer<TabellaGriglia> tabella_;
    StatoTratto stato_;
};
