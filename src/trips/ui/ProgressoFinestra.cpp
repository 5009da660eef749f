#include "trips/ui/ProgressoFinestra.h"

#include <QLabel>
#include <QProgressBar>

#include "common/Dialoghi.h"

namespace {
// The bar is written, and events run, at most this often.
constexpr qint64 kIntervalloEventiMs = 40;
}  // namespace

ProgressoFinestra::ProgressoFinestra(QLabel* etichetta, QProgressBar* barra, Dialoghi& dialoghi)
    : etichetta_(etichetta), barra_(barra), dialoghi_(dialoghi) {}

void ProgressoFinestra::didascalia(const QString& testo) {
    if (etichetta_) etichetta_->setText(testo);
    dialoghi_.eseguiEventi();
}

void ProgressoFinestra::posizione(int valore, int massimo) {
    if (eventiBarra_.isValid() && eventiBarra_.elapsed() < kIntervalloEventiMs) return;
    eventiBarra_.start();
    scriviBarra(valore, massimo);
    dialoghi_.eseguiEventi();
}

void ProgressoFinestra::azzera() {
    scriviBarra(0, 1);
    if (etichetta_) etichetta_->clear();
}

void ProgressoFinestra::scriviBarra(int valore, int massimo) {
    if (!barra_) return;
    barra_->setMaximum(qMax(massimo, 1));
    barra_->setValue(qBound(0, valore, qMax(massimo, 1)));
}
