#pragma once
// The city-guide panel: the input boxes and buttons of the guide window over the main grid.  While
// the guide is open the main grid shows the guide list (layout 2); the panel reads its boxes into
// CampiGuida, calls GuidaCitta and writes the boxes back.  The main window embeds the panel, hands
// it the view that shows the grid (for the row keys and clicks) and listens to its signals.
#include <QAbstractItemView>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "guide/GuidaCitta.h"

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class Archivio;
class Dialoghi;
class Griglia;
class Progresso;
struct TabellaTipiGuida;

class PannelloGuida : public QWidget {
    Q_OBJECT
  public:
    PannelloGuida(Griglia& mfgTab, Archivio& archivio, const TabellaTipiGuida& tipi, Dialoghi& dialoghi,
                  QWidget* parent = nullptr);

    // The trip whose localities the guide lists.
    void impostaMeta(const QString& codiceMeta);
    // The daily visit span, the day of the stops cmdTrasferisce_Click writes.
    void impostaArcoVisita(float arcoVisita) { arcoVisita_ = arcoVisita; }
    void impostaProgresso(Progresso* progresso) { progresso_ = progresso; }
    // The view that shows mfgTab: in guide mode its Up/Down/Page keys move rows with the silent
    // save and a click loads the clicked row.  The main window handles its own clicks only when
    // modoGuida() is off.
    void collegaTabella(QAbstractItemView* tabella);
    bool modoGuida() const { return guida_.modoGuida; }
    GuidaCitta& guida() { return guida_; }

    // Opens the guide for the trip: the grid emptied and set to layout 2, the list built, the
    // panel shown.  A trip without legs answers false after the message and emits guidaChiusa.
    bool cmdGuidaCitta_Click();
    void InserisciGuida();
    void cmdSalvaRiga_Click();
    void cmdCancellaRiga_Click();
    void cmdFind_Click();
    void cmbRicercaTappa_Click(int indice);
    void cmdFineInserimento_Click();
    // "Copia soste guida ->itin." of the itinerary window: works on mfgTab in the itinerary layout.
    bool cmdTrasferisce_Click();
    void cmdHelpGuida_Click(int indice);
    void mfgTab_Click();
    void txtGDescr_Change();
    // Up/Down (passo 1) and Page keys (passo 12).
    bool SpostaRiga(int passo);

    // The boxes as one value, and back.
    CampiGuida LeggiCampi() const;
    void ScriviCampi(const CampiGuida& campi);

    QFrame* fraGuida = nullptr;  // the boxes and buttons, disabled while the locality list is shown
    QLineEdit* txtGCitta = nullptr;
    QLineEdit* txtGGruppo = nullptr;
    QLineEdit* txtGDescr = nullptr;
    QComboBox* cmbGH = nullptr;
    QComboBox* cmbGM = nullptr;
    QComboBox* cmbGTipo = nullptr;
    QPushButton* cmdSalvaRiga = nullptr;
    QPushButton* cmdCancellaRiga = nullptr;
    QPushButton* cmdFind = nullptr;
    QPushButton* cmdStampaGuidaCitta = nullptr;
    QPushButton* cmdFineInserimento = nullptr;
    QPushButton* cmdHelpGuida0 = nullptr;
    QPushButton* cmdHelpGuida1 = nullptr;
    QComboBox* cmbRicercaTappa = nullptr;  // the locality list of "Cerca" with an empty box

  signals:
    void guidaAperta();
    // The guide was left (or could not open): the main window reloads the trip and its itinerary
    // and returns to its normal state.
    void guidaChiusa();
    // The legs' stops in mfgTab changed; they are stored when the itinerary is saved.
    void grigliaCambiata();
    void stampaGuidaRichiesta();

  protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

  private:
    void CreaControlli();
    void Collega();
    void AggiornaPulsanti();
    void MostraListaLocalita(bool mostra);
    bool TastoRiga(int tasto);
    bool TastoGruppo(QObject* oggetto, QEvent* evento);

    Griglia& griglia_;
    const TabellaTipiGuida& tipi_;
    Dialoghi& dialoghi_;
    Archivio& archivio_;
    GuidaCitta guida_;
    QPointer<QAbstractItemView> tabella_;
    Progresso* progresso_ = nullptr;
    float arcoVisita_ = 0;
    QString tempoMemorizzato_;  // the row's stored time the boxes cannot show ("G"+n)
};
