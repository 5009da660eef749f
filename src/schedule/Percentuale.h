#pragma once
// The progress display of long computations: a position and a maximum shown as a percentage.
// The bar is redrawn only when the percentage changes and pending window events are let run at
// most every few milliseconds, so that a window kept alive never slows the engine noticeably.
#include <QElapsedTimer>

class Dialoghi;
class Progresso;

class Percentuale {
  public:
    Percentuale(Progresso& progresso, Dialoghi& dialoghi);

    void impostaMassimo(double massimo);
    // The position is clamped to 0..maximum; position 0 clears the bar.
    void AggiornaPercentuale(double posizione);
    void AzzeraPercentuale();
    // Lets pending events run, at most once per interval.
    void eseguiEventi();

    Progresso& progresso() { return progresso_; }
    int percentuale() const { return ultima_; }

  private:
    Progresso& progresso_;
    Dialoghi& dialoghi_;
    double posizione_ = 0;
    double massimo_ = 0;
    int ultima_ = -1;
    QElapsedTimer orologio_;
};
