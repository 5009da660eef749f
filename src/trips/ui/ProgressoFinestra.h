#pragma once
// The progress-and-stop seam shown in the main window: the work label, the bar, and the stop
// request that the exit button sets while it reads "&Stop".  Every update lets pending window
// events run, which is how a press of "&Stop" reaches a running elaboration.
#include <QPointer>

#include "common/Progresso.h"

class QLabel;
class QProgressBar;
class Dialoghi;

class ProgressoFinestra : public Progresso {
  public:
    ProgressoFinestra(QLabel* etichetta, QProgressBar* barra, Dialoghi& dialoghi);

    void didascalia(const QString& testo) override;
    void posizione(int valore, int massimo) override;
    void azzera() override;
    bool stopRichiesto() const override { return stop; }

    bool stop = false;

  private:
    QPointer<QLabel> etichetta_;
    QPointer<QProgressBar> barra_;
    Dialoghi& dialoghi_;
};
