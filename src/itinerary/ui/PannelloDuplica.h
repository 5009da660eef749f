#pragma once
// The stretch-copy panel: the list of other trips and of their legs (shown in mfgCopia), the boxes
// of the stretch, and the commands that mark it and insert it into mfgTab.  It edits grids it does
// not own; the window opens it with cmdDuplica_Click and learns through copiaChiusa() when to
// return to its normal state, and through tappeInserite() which row to position.
#include <QPointer>
#include <QWidget>
#include <array>

#include "common/ui/TabellaGriglia.h"  // held through QPointer, which needs the full type
#include "itinerary/DuplicaTappe.h"
#include "itinerary/ui/PannelloTappe.h"

class Archivio;
class Dialoghi;
class Griglia;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class PannelloDuplica : public QWidget {
    Q_OBJECT
  public:
    // tabellaTab: the window's view of mfgTab; a click on it while the copy is open moves the
    // insertion point.  It may be null, and may go before the panel.
    PannelloDuplica(Archivio& archivio, Griglia& mfgTab, Griglia& mfgCopia, Dialoghi& dialoghi,
                    CollegamentoBoxMeta box, TabellaGriglia* tabellaTab = nullptr, QWidget* parent = nullptr);

    enum class Fase { Chiusa, ElencoMete, TappeMeta };

    void cmdDuplica_Click();
    // A click on a row of mfgCopia (1 = first row): a trip in the trip list, a leg in the leg list.
    void mfgCopia_Click(int riga);
    void cmdAssegna_Click(int indice);
    void SelezioneTappeDuplica();
    void cmdInsEsegui_Click(int indice);
    void RinunciaDuplicaItinerario();
    void cmdHelpDuplica_Click();
    // The window's grid was clicked while the copy is open.
    void mfgTab_Click(int riga);

    TrattoDuplica LeggiTratto() const;
    void ScriviTratto(const TrattoDuplica& tratto);

    Fase fase() const { return fase_; }
    int rigaInserimento() const { return rigaInserimento_; }

    TabellaGriglia* mfgCopiaVista = nullptr;
    QLabel* lblDidascalia = nullptr;  // the caption of the list's layout
    QGroupBox* frmDuplica = nullptr;  // "Tratto dal percorso:"
    std::array<QLineEdit*, 2> txtInsLoc{};
    std::array<QLineEdit*, 2> txtInsNS{};
    std::array<QLineEdit*, 2> txtInsKm{};
    std::array<QLineEdit*, 2> txtInsNum{};
    std::array<QLineEdit*, 2> txtInsTappa{};  // 0 the insertion place ("Dopo"), 1 the trip ("Mèta")
    std::array<QLabel*, 2> lblDuplica{};
    std::array<QPushButton*, 2> cmdAssegna{};
    std::array<QPushButton*, 2> cmdInsEsegui{};
    QCheckBox* chkInsSoste = nullptr;
    QPushButton* cmdHelpDuplica = nullptr;

  signals:
    // The copy ended (inserted, given up, or nothing to copy): the window returns to its normal
    // state.
    void copiaChiusa();
    // A stretch was inserted and kilometres and times recomputed; riga is the first inserted row.
    void tappeInserite(int riga);

  private:
    QGroupBox* CreaCornice();
    void Collega();
    void MostraLista(bool mostra);
    void MostraInserimento();

    Archivio& archivio_;
    Griglia& mfgTab_;
    Griglia& mfgCopia_;
    Dialoghi& dialoghi_;
    CollegamentoBoxMeta box_;
    QPointer<TabellaGriglia> tabellaTab_;
    Fase fase_ = Fase::Chiusa;
    int rigaInserimento_ = 1;
};
