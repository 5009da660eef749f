#include "schedule/Percentuale.h"

#include <algorithm>
#include <cmath>

#include "common/Dialoghi.h"
#include "common/Progresso.h"

namespace {
constexpr qint64 kIntervalloEventiMs = 40;
// Reading the clock costs more than the halt row that asks: a few calls go by without it.
constexpr unsigned kChiamatePerOrologio = 32;
}  // namespace

Percentuale::Percentuale(Progresso& progresso, Dialoghi& dialoghi)
    : progresso_(progresso), dialoghi_(dialoghi) {
    orologio_.start();
}

void Percentuale::impostaMassimo(double massimo) {
    massimo_ = massimo;
    ultima_ = -1;
    mostrata_ = 1;
    prossima_ = 0;
}

void Percentuale::aggiorna(double posizione) {
    posizione_ = std::clamp(posizione, 0.0, std::max(0.0, massimo_));
    if (posizione_ == 0) {
        if (ultima_ != 0) progresso_.azzera();
        ultima_ = 0;
        mostrata_ = 1;
        prossima_ = 0;
        return;
    }
    const int p = static_cast<int>(std::floor(posizione_ / massimo_ * 100));
    // Kept a hair short of the next percentage, so that rounding never hides a change.
    mostrata_ = posizione_;
    prossima_ = massimo_ * (p + 1) / 100 * (1 - 1e-9);
    if (p == ultima_) return;
    ultima_ = p;
    progresso_.posizione(p, 100);
    eseguiEventiAdOgniIntervallo();
}

void Percentuale::AzzeraPercentuale() {
    massimo_ = 0;
    posizione_ = 0;
    ultima_ = 0;
    mostrata_ = 1;
    prossima_ = 0;
    progresso_.azzera();
}

void Percentuale::eseguiEventi() {
    if (++chiamate_ % kChiamatePerOrologio == 0) eseguiEventiAdOgniIntervallo();
}

void Percentuale::eseguiEventiAdOgniIntervallo() {
    if (orologio_.elapsed() < kIntervalloEventiMs) return;
    orologio_.restart();
    dialoghi_.eseguiEventi();
}
