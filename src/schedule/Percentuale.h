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
    void AggiornaPercentuale(double posizione) {
        // Called once per row: a position after the last one shown and before the next
        // percentage shows nothing new.
        if (posizione >= mostrata_ && posizione < prossima_) return;
        aggiorna(posizione);
    }
    void AzzeraPercentuale();
    // Lets pending events run, at most once per interval (the clock is read once every few calls).
    void eseguiEventi();

    Progresso& progresso() { return progresso_; }
    int percentuale() const { return ultima_; }

  private:
    void aggiorna(double posizione);
    void eseguiEventiAdOgniIntervallo();

    Progresso& progresso_;
    Dialoghi& dialoghi_;
    double posizione_ = 0;
    double massimo_ = 0;
    int ultima_ = -1;
    // Positions from mostrata_ up to (not including) prossima_ show the percentage ultima_.
    double mostrata_ = 1;
    double prossima_ = 0;
    unsigned chiamate_ = 0;  // calls of eseguiEventi, which reads the clock once every few calls
    QElapsedTimer orologio_;
};
