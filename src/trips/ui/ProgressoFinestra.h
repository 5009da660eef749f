#pragma once
// The progress-and-stop seam shown in the main window: the work label, the bar, and the stop
// request that the exit button sets while it reads "&Stop".  A caption or a bar update lets
// pending window events run, at most every few milliseconds, which is how a press of "&Stop"
// reaches a running elaboration.  The bar is written at those moments only (and whenever it is
// cleared): a progress bar repaints itself at once on every new value, and a fast elaboration
// moves it hundreds of times in a few milliseconds; a new caption is shown when events next run.
#include <QElapsedTimer>
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
    // True, and the interval starts again, when events may run now.
    bool tempoDiEventi();
    void scriviBarra(int valore, int massimo);

    QPointer<QLabel> etichetta_;
    QPointer<QProgressBar> barra_;
    Dialoghi& dialoghi_;
    QElapsedTimer eventi_;  // since events last ran from here; invalid before
};
