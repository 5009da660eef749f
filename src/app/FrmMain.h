#pragma once
// The main window of the schedule program: the trip boxes, the two rows of command buttons, the
// trip search list, the grid area and the progress display.  Handlers read the boxes into a
// BoxMeta, call the trip logic, write the boxes back and apply the window modes to the buttons.
#include <QHash>
#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>

class PannelloDuplica;
class PannelloGuida;
class PannelloScambio;
class PannelloStampaGuida;
class PannelloStampaZavetra;
class PannelloTappe;
class PannelloTratto;
class TabellaGriglia;

#include "common/Griglia.h"
#include "database/Archivio.h"
#include "database/TipiGuida.h"
#include "printing/Stampanti.h"
#include "trips/BoxMeta.h"
#include "trips/Modi.h"
#include "trips/Parametri.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class Dialoghi;
class Orologio;
class ProgressoFinestra;
class QShortcut;
struct DefinizionePulsante;

class FrmMain : public QMainWindow {
    Q_OBJECT
  public:
    FrmMain(const QString& cartellaDati, Dialoghi& dialoghi, const Orologio& orologio,
            QWidget* parent = nullptr);
    ~FrmMain() override;

    // The start-up sequence.  Throws ErroreApertura when the database cannot be opened; the
    // caller shows its message and ends the program.
    void Form_Load();

    // Trip commands.
    void cmdSalva_Click();
    void cmdNuovo_Click();
    void cmdCancMeta_Click();
    void cmdCancItin_Click();
    void cmdDefault_Click(int indice);
    void cmdRicerca_Click();
    void cmbRicerca_Click(int indice);
    // Escape on the search list: back to the trip shown before, with its commands.
    void AnnullaRicerca();
    void cmdEsce_Click();
    void cmdHelpGenerico_Click();
    void cmdHelpTotale1_Click();
    void cmdHelpTotale2_Click();
    void cmdHelpTt_Click();

    // Trip parameters.
    void Aggiorna(bool quiet);
    void ControllaVariabiliConvertite();
    void ImpostaGiorniMeseInizio();
    void cmbOra_Change(int indice);
    void cmbOra_LostFocus();
    void cmbMin_LostFocus();
    void cmbInizio_Click(int indice);
    void cmbGiorni_Change();
    void cmbGiorni_LostFocus();
    void cmbMediaKm_LostFocus(int indice);

    // Window state.
    void CaricaComboBox();
    void CaricaDatiAnagraficiMeta();
    void AbilitaPulsantiComando();
    void PulisciFinestre();
    void AttivaFormMeta(bool flag);
    void cmdGuidaCitta_Click();
    void cmdItinerario_Click();
    void cmdFine_Click();
    void cmdMemorizza_Click();
    void cmdTrasferisce_Click();
    void cmdCalcola_Click();
    void cmdRicalcola_Click();
    void cmdAzzeraSoste_Click();

    // The commands that open the side panels over the grid area.
    void cmdStampa_Click();
    void cmdExport_Click();
    void cmdMapPoint_Click();
    void cmdModStrada_Click();
    void cmdDuplica_Click();
    void cmdConverte_Click();

    // The boxes as one value, and back.
    BoxMeta LeggiBox() const;
    void ScriviBox(const BoxMeta& box);

    Archivio& archivio() { return archivio_; }
    ProgressoFinestra& progresso() { return *progresso_; }
    const ValoriLavoro& valori() const { return valori_; }
    const TabellaTipiGuida& tipiGuida() const { return tipiGuida_; }

    QString modoPrincipale;            // codes of the allowed trip commands, or a mode word
    QString modoItinerario;            // codes of the allowed itinerary commands, or "all"
    QString codiceCorrente;            // CodiceMeta of the trip shown, empty when none
    bool zavetraVisualizzata = false;  // a computed schedule is shown
    int tipoRicerca = 0;               // what the search list holds; 1 means trips
    bool chiusuraConfermata = false;

    // Trip boxes.
    QLineEdit* txtLocalita = nullptr;
    QLineEdit* txtNazione = nullptr;
    QLineEdit* txtCodice = nullptr;
    std::array<QComboBox*, 5> cmbInizio{};
    QLineEdit* txtInizioGSett = nullptr;
    std::array<QComboBox*, 4> cmbMediaKm{};
    std::array<QComboBox*, 9> cmbOra{};
    std::array<QComboBox*, 9> cmbMin{};
    QComboBox* cmbRipM = nullptr;
    QComboBox* cmbRipH = nullptr;
    QComboBox* cmbRipG = nullptr;
    QComboBox* cmbRipGG = nullptr;
    QComboBox* cmbGiorni = nullptr;
    QComboBox* cmbSoste = nullptr;
    QComboBox* cmbRange = nullptr;
    std::array<QLineEdit*, 7> txtFine{};
    std::array<QLineEdit*, 5> txtKmTot{};
    std::array<QLineEdit*, 5> txtTempo{};
    QLineEdit* txtTragh = nullptr;

    // Trip command row.
    QPushButton* cmdNuovo = nullptr;
    QPushButton* cmdRicerca = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdSalva = nullptr;
    QPushButton* cmdCancMeta = nullptr;
    QPushButton* cmdCalcola = nullptr;
    QPushButton* cmdStampa = nullptr;
    QPushButton* cmdItinerario = nullptr;
    QPushButton* cmdModStrada = nullptr;
    QPushButton* cmdGuidaCitta = nullptr;
    QPushButton* cmdCancItin = nullptr;
    QPushButton* cmdEsce = nullptr;
    QPushButton* cmdConverte = nullptr;

    // Itinerary command row.
    QPushButton* cmdInserisce = nullptr;
    QPushButton* cmdAggiunge = nullptr;
    QPushButton* cmdCancella = nullptr;
    QPushButton* cmdRicalcola = nullptr;
    QPushButton* cmdRitorno = nullptr;
    QPushButton* cmdCerca = nullptr;
    QPushButton* cmdFine = nullptr;
    QPushButton* cmdMemorizza = nullptr;
    QPushButton* cmdDuplica = nullptr;
    QPushButton* cmdAzzeraSoste = nullptr;
    QPushButton* cmdTrasferisce = nullptr;
    QPushButton* cmdMapPoint = nullptr;

    std::array<QPushButton*, 3> cmdDefault{};
    QPushButton* cmdHelpGenerico = nullptr;
    QPushButton* cmdHelpTotale1 = nullptr;
    QPushButton* cmdHelpTotale2 = nullptr;
    QPushButton* cmdHelpTt = nullptr;

    QComboBox* cmbRicerca = nullptr;     // the trip search list
    QWidget* cmbRicercaTappa = nullptr;  // the leg search list (the editing panel's)
    QFrame* frmItinerario = nullptr;     // the leg editing frame (the editing panel's)
    QFrame* areaGriglia = nullptr;       // where the itinerary grid is shown
    Griglia mfgTab;                      // the itinerary grid, the working copy of the legs
    TabellaGriglia* tabItinerario = nullptr;
    PannelloGuida* pannelloGuida = nullptr;              // created the first time the guide opens
    PannelloTappe* pannelloTappe = nullptr;              // the leg editing panel beside the grid
    Griglia mfgCopia;                                    // the computation table of the schedule
    PannelloStampaZavetra* pannelloStampa = nullptr;     // the schedule's print options
    PannelloStampaGuida* pannelloStampaGuida = nullptr;  // the guide's print options
    PannelloScambio* pannelloScambio = nullptr;          // import and export of trips
    PannelloTratto* pannelloTratto = nullptr;            // the road type of a stretch
    PannelloDuplica* pannelloDuplica = nullptr;          // copying a stretch of another trip
    QLabel* frmAttesa = nullptr;                         // shown while the logbook program is started
    qint64 pidModuli = 0;                                // the logbook program last started
    QLabel* lblPercorso = nullptr;                       // the database path
    QLabel* lblElaborazione = nullptr;
    QProgressBar* barElaborazione = nullptr;

  protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

  private:
    QComboBox* Scelta(const QString& nome, int caratteri);
    QLineEdit* Calcolato(const QString& nome, int caratteri);
    QPushButton* Aiuto(const QString& nome, const QString& suggerimento);
    QWidget* RigaPulsanti(const QList<DefinizionePulsante>& definizioni, const QString& nomeRiga,
                          int colonne);
    void CreaControlli();
    QWidget* CreaIntestazione();
    QGroupBox* CreaPeriodo();
    QGroupBox* CreaPercorrenze();
    QGroupBox* CreaTempiTecnici();
    QWidget* CreaComandiMeta();
    QWidget* CreaComandiItinerario();
    QWidget* CreaAreaGriglia();
    void CreaStato();
    void Collega();

    void MostraErrore(const ErroreDatabase& errore);
    void ChiudiProcedura();
    void MostraMetaCorrente();
    void RicaricaMetaCorrente();
    // Loads the current trip's legs into mfgTab and shows their distances and times.
    void RicaricaItinerario();
    PannelloGuida& Guida();
    void GuidaChiusa();
    void LasciaInserimento();
    // Runs the schedule computation; false when nothing was computed.
    bool EseguiCalcolo(int chiamante);
    // Gives back the legs as they were before the computation and returns to their editing.
    void TornaAllItinerario();
    bool SalvaTappe();
    void CreaPannelli(QLayout* area);
    void CollegaPannelli();
    // Clears the trip boxes' period and parameters and the leg grid, before an exchange.
    void AzzeraSchermo();
    // Shows the current trip with its legs, as stored, in the normal state of the window.
    void RicaricaDopoOperazione();
    // Starts the logbook program for the period in box; false (its reason shown) when it could not.
    bool AvviaModuli(const BoxMeta& box);
    void StampaConclusa();
    void StampaGuida();
    void CopiaChiusa();

    // Unsaved changes.  The legs and the trip boxes as last loaded or saved are kept; before they
    // would be dropped (closing, a new trip, another trip, the city guide) the user is asked to
    // save them: true to go on (saved, or discarded on No), false to stay (Cancel, a failed save).
    const Griglia& TappeAttuali() const;
    bool ItinerarioModificato() const;
    bool CiSonoModifiche() const;
    bool ConfermaItinerario();
    bool ConfermaMeta();
    bool ConfermaModifiche();
    void RicordaMetaSalvata();
    // The exit question: with unsaved changes the save question stands for it.
    AzioneEsce ChiediChiusura();

    Archivio archivio_;
    Dialoghi& dialoghi_;
    const Orologio& orologio_;
    std::unique_ptr<ProgressoFinestra> progresso_;
    QHash<QString, QPushButton*> pulsanti_;  // the buttons ruled by the modes, by control name
    QShortcut* escEsce_ = nullptr;           // Esc presses cmdEsce while the mode allows it
    ValoriLavoro valori_;
    // The legs as they were when the computation started: the schedule overwrites mfgTab, and
    // legs being edited are not stored yet.
    std::unique_ptr<Griglia> itinerarioPrimaDelCalcolo_;
    TabellaTipiGuida tipiGuida_;
    bool corniceApertaPrimaCopia_ = false;  // the leg-editing frame was shown when the copy started
    QString modoItinerarioAperto_;  // the itinerary mode when a side panel opened, given back on closing
    StampanteCorrente stampante_;   // the printer chosen last, for every report of the session
    BoxMeta metaSalvata_;
    Griglia tappeSalvate_;
    QString modoPrimaRicerca_;               // the main mode before the search list opened
    std::array<QString, 2> modiPrimaGuida_;  // both modes before the city guide opened
};
