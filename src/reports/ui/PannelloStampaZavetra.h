#pragma once
// The print-options panel of the schedule: what to print, the two fixed notes of the text files,
// "&Stampa" that opens the printer choice and "&Rinuncia".  The main window shows it from its
// "Stampa" command once the schedule is computed; the print itself is StampaDellItinerario on the
// chosen printer.
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "reports/StampaZavetra.h"

class QCheckBox;
class QPushButton;
class Dialoghi;
class Griglia;
class Orologio;
class PannelloStampanti;
class Progresso;
struct Destinazione;
struct StampanteCorrente;

class PannelloStampaZavetra : public QWidget {
    Q_OBJECT
  public:
    PannelloStampaZavetra(const Griglia& mfgTab, StampanteCorrente& stampante, Dialoghi& dialoghi,
                          Progresso& progresso, const Orologio& orologio, const QString& cartellaDati,
                          QWidget* parent = nullptr);
    ~PannelloStampaZavetra() override;

    // Shows the options for the trip in the boxes box (the computed schedule is in mfgTab).
    void mostra(const BoxMeta& box, const QString& titoloFinestra);
    // The logbook program's start for the "Moduli" box; unset, the box prints nothing.
    void impostaAvvioModuli(std::function<bool(const BoxMeta&)> avvia) { avviaModuli_ = std::move(avvia); }

    void cmdEsegui_Click(int indice);
    OpzioniStampa LeggiOpzioni() const;
    // The print on the destination chosen in the printer panel.
    EsitoStampa Stampa(const Destinazione& destinazione);

    // The paper for a destination; tests replace it.
    std::function<std::unique_ptr<Superficie>(const Destinazione&)> creaSuperficie;

    QCheckBox* chkFrontespizio = nullptr;
    std::array<QCheckBox*, 4> chkVociFrontespizio{};
    QCheckBox* chkTabella = nullptr;
    QCheckBox* chkModuli = nullptr;
    QPushButton* cmdEsegui0 = nullptr;
    QPushButton* cmdEsegui1 = nullptr;
    PannelloStampanti* pannelloStampanti = nullptr;

  signals:
    // The print ended (or was renounced): the window gives back its commands.
    void stampaConclusa();

  private:
    const Griglia& griglia_;
    Dialoghi& dialoghi_;
    Progresso& progresso_;
    const Orologio& orologio_;
    QString cartellaDati_;
    BoxMeta box_;
    QString titoloFinestra_;
    std::function<bool(const BoxMeta&)> avviaModuli_;
};
