#pragma once
// The progress-and-stop seam shown in the main window: the work label, the bar, and the stop
// request that the exit button sets while it reads "&Stop".  A caption or a bar update lets
// pending window events run (each at most every few milliseconds), which is how a press of "&Stop"
// reaches a running elaboration; a fast one is not repainted at every step.
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
    // An elaboration starts: it lets events run only once it has lasted a few milliseconds, so
    // that one that ends sooner is shown once, when it is done.
    void inizia();
    bool stopRichiesto() const override { return stop; }

    bool stop = false;

  private:
    void eseguiEventi(QElapsedTimer& ultimi);

    QPointer<QLabel> etichetta_;
    QPointer<QProgressBar> barra_;
    Dialoghi& dialoghi_;
    // Since the caption and the bar last let events run; invalid before.
    QElapsedTimer eventiDidascalia_;
    QElapsedTimer eventiBarra_;
};
