#pragma once
// The guide print panel: which localities (the trip's or all) and how (with their entries or
// names only), "&Stampa" that opens the printer choice and "&Rinuncia".  The main window shows it
// when the guide panel asks for a print (PannelloGuida::stampaGuidaRichiesta).
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "reports/StampaGuida.h"

class QPushButton;
class QRadioButton;
class Archivio;
class Dialoghi;
class Orologio;
class PannelloStampanti;
class Progresso;
class Superficie;
struct Destinazione;
struct StampanteCorrente;
struct TabellaTipiGuida;

class PannelloStampaGuida : public QWidget {
    Q_OBJECT
  public:
    PannelloStampaGuida(Archivio& archivio, const TabellaTipiGuida& tipi, StampanteCorrente& stampante,
                        Dialoghi& dialoghi, Progresso& progresso, const Orologio& orologio,
                        const QString& cartellaDati, QWidget* parent = nullptr);

    // cmdStampaGuidaCitta_Click: the panel for the trip codiceMeta named localitaMeta.
    void mostra(const QString& codiceMeta, const QString& localitaMeta, const QString& titoloFinestra);
    void cmdStampaGuida_Click(int indice);
    OpzioniStampaGuida LeggiOpzioni() const;
    EsitoStampaGuida Stampa(const Destinazione& destinazione);

    // The paper for a destination; tests replace it.
    std::function<std::unique_ptr<Superficie>(const Destinazione&)> creaSuperficie;

    QRadioButton* optGuidaListaStampa0 = nullptr;      // "Inerenti la &Meta"
    QRadioButton* optGuidaListaStampa1 = nullptr;      // "&Tutte"
    QRadioButton* optGuidaDettaglioStampa0 = nullptr;  // "Località e &Guida"
    QRadioButton* optGuidaDettaglioStampa1 = nullptr;  // "&Località"
    QPushButton* cmdStampaGuida0 = nullptr;
    QPushButton* cmdStampaGuida1 = nullptr;
    PannelloStampanti* pannelloStampanti = nullptr;

  signals:
    // The printer panel is shown: the guide window waits, disabled.
    void stampaIniziata();
    // Printed or renounced: the guide window is enabled again.
    void stampaConclusa();

  private:
    Archivio& archivio_;
    const TabellaTipiGuida& tipi_;
    Dialoghi& dialoghi_;
    Progresso& progresso_;
    const Orologio& orologio_;
    QString codiceMeta_;
    QString localitaMeta_;
    QString titoloFinestra_;
};
