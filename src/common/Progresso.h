#pragma once
// The progress-and-stop seam handed to long operations (engine, saves, imports, printing).  The
// main window shows it in lblElaborazione and its bar; tests and batch commands keep it in memory.
#include <QString>

class Progresso {
  public:
    virtual ~Progresso() = default;
    virtual void didascalia(const QString& testo) = 0;    // the work label
    virtual void posizione(int valore, int massimo) = 0;  // the bar
    virtual void azzera() = 0;                            // clears the bar
    virtual bool stopRichiesto() const = 0;               // the user asked to stop
};

// Keeps the last state; a test may set stop to simulate the user's request.
class ProgressoMemoria : public Progresso {
  public:
    QString ultimaDidascalia;
    int valore = 0;
    int massimo = 0;
    int aggiornamenti = 0;
    bool stop = false;

    void didascalia(const QString& testo) override { ultimaDidascalia = testo; }
    void posizione(int v, int m) override {
        valore = v;
        massimo = m;
        ++aggiornamenti;
    }
    void azzera() override {
        valore = 0;
        massimo = 0;
    }
    bool stopRichiesto() const override { return stop; }
};
