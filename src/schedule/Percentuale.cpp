#include "schedule/Percentuale.h"

#include <algorithm>
#include <cmath>

#include "common/Dialoghi.h"
#include "common/Progresso.h"

namespace {
constexpr qint64 kIntervalloEventiMs = 40;
}

Percentuale::Percentuale(Progresso& progresso, Dialoghi& dialoghi)
    : progresso_(progresso), dialoghi_(dialoghi) {
    orologio_.start();
}

void Percentuale::impostaMassimo(double massimo) {
    massimo_ = massimo;
    ultima_ = -1;
}

void Percentuale::AggiornaPercentuale(double posizione) {
    posizione_ = std::clamp(posizione, 0.0, std::max(0.0, massimo_));
    if (posizione_ == 0) {
        if (ultima_ != 0) progresso_.azzera();
        ultima_ = 0;
        return;
    }
    const int p = static_cast<int>(std::floor(posizione_ / massimo_ * 100));
    if (p == ultima_) return;
    ultima_ = p;
    progresso_.posizione(p, 100);
    eseguiEventi();
}

void Percentuale::AzzeraPercentuale() {
    massimo_ = 0;
    posizione_ = 0;
    ultima_ = 0;
    progresso_.azzera();
}

void Percentuale::eseguiEventi() {
    if (orologio_.elapsed() < kIntervalloEventiMs) return;
    orologio_.restart();
    dialoghi_.eseguiEventi();
}
