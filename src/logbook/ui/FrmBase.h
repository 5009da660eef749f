#pragma once
// The window of the logbook program: the destination, the period as day, month and year lists,
// the blank-pages options, the printer choice and a progress bar made of two boxes.  Started with
// a command text it prints at once on the default printer (or, with no printer at all, to a PDF
// in the data folder) and then asks the program to end.
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "common/Progresso.h"
#include "printing/Stampanti.h"
#include "printing/Superficie.h"

class Dialoghi;
class Orologio;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The printers as the window sees them; tests replace them.
struct StampantiFrm {
    std::function<QStringList()> elenco = StampantiDiSistema;
    std::function<QString()> predefinita;  // the system's default printer, empty when none
    std::function<std::unique_ptr<Superficie>(const Destinazione&)> apri = ApriSuperficie;
    static StampantiFrm diSistema();
};

class FrmBase : public QWidget, private Progresso {
    Q_OBJECT

  public:
    FrmBase(Dialoghi& dialoghi, const Orologio& orologio, const QString& cartellaDati,
            StampantiFrm stampanti = StampantiFrm::diSistema(), QWidget* genitore = nullptr);

    // The command text of the start (empty: interactive).  A valid text fills the boxes, locks
    // them and prints at once, then fineProgramma is emitted (0 printed, 1 the print failed).  A
    // malformed one is refused with a message: when it came from the command file (daFile) the
    // program is asked to end with code 2; typed as arguments, the window stays usable.
    void applicaComando(const QString& testo, bool daFile);

    void StampaVisibile();
    void cmbM1_Click();
    void cmbM2_Click();
    void chkBianco_Click();
    void cmdStampa_Click();
    void cmdSelStampante_Click(int indice);
    void cmdAnnulla_Click();
    void cmdFine_Click();
    void cmdHelp_Click();
    void StatoStampa(int corr, int totale);
    void DimensionafrmBase(bool conBarra);

    bool annullaRichiesto() const { return annulla_; }
    static QString testoAiuto();

  signals:
    void fineProgramma(int codice);

  private:
    // Progresso: the window's bar and its Annulla button during the print cycle.
    void didascalia(const QString& testo) override;
    void posizione(int valore, int massimo) override;
    void azzera() override;
    bool stopRichiesto() const override;

    void costruisci();
    void riempiListe();
    void ricostruisciGiorni(QComboBox* giorni, const QComboBox* mesi, const QComboBox* anni);
    static void scegli(QComboBox* lista, const QString& valore);
    // The PDF file offered for the logbook in the window, in the data folder.
    QString filePdfProposto() const;
    // Runs the print cycle on the destination; false with the message shown when it failed.
    bool stampa(const Destinazione& dest, bool conComando, bool pdfRipiego);

    Dialoghi& dialoghi_;
    const Orologio& orologio_;
    QString cartellaDati_;
    StampantiFrm stampanti_;
    QString comando_;
    bool annulla_ = false;
    Destinazione corrente_;

    QGroupBox* frmLocalita_;
    QLineEdit* txtLocalita_;
    QGroupBox* frmPeriodo_;
    QComboBox *cmbg1_, *cmbm1_, *cmba1_, *cmbg2_, *cmbm2_, *cmba2_;
    QGroupBox* frmBianco_;
    QCheckBox* chkBianco_;
    QComboBox* cmbCopie_;
    QPushButton *cmdStampa_, *cmdAnnulla_, *cmdFine_, *cmdHelp_;
    QGroupBox* frmSelStampa_;
    QListWidget* lstStampanti_;
    QPushButton* cmdSelStampante_[2];
    QLineEdit *txtFondo_, *txtSopra_;
    QLabel* lblCrediti_;
};
