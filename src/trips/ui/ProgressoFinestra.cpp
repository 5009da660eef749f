#include "trips/ui/ProgressoFinestra.h"

#include <QLabel>
#include <QProgressBar>

#include "common/Dialoghi.h"

namespace {
// A caption or a bar update lets events run at most this often.
constexpr qint64 kIntervalloEventiMs = 40;
}  // namespace

void ProgressoFinestra::eseguiEventi(QElapsedTimer& ultimi) {
    if (ultimi.isValid() && ultimi.elapsed() < kIntervalloEventiMs) return;
    ultimi.start();
    dialoghi_.eseguiEventi();
}

ProgressoFinestra::ProgressoFinestra(QLabel* etichetta, QProgressBar* barra, Dialoghi& dialoghi)
    : etichetta_(etichetta), barra_(barra), dialoghi_(dialoghi) {}

void ProgressoFinestra::didascalia(const QString& testo) {
    if (etichetta_) etichetta_->setText(testo);
    eseguiEventi(eventiDidascalia_);
}

void ProgressoFinestra::posizione(int valore, int massimo) {
    if (barra_) {
        barra_->setMaximum(qMax(massimo, 1));
        barra_->setValue(qBound(0, valore, qMax(massimo, 1)));
    }
    eseguiEventi(eventiBarra_);
}

void ProgressoFinestra::inizia() {
    eventiDidascalia_.start();
    eventiBarra_.start();
}

void ProgressoFinestra::azzera() {
    if (barra_) {
        barra_->setMaximum(1);
        barra_->setValue(0);
    }
    if (etichetta_) etichetta_->clear();
}
