#include "trips/ui/ProgressoFinestra.h"

#include <QLabel>
#include <QProgressBar>

#include "common/Dialoghi.h"

namespace {
// Events run, and the bar is written, at most this often.
constexpr qint64 kIntervalloEventiMs = 40;
}  // namespace

ProgressoFinestra::ProgressoFinestra(QLabel* etichetta, QProgressBar* barra, Dialoghi& dialoghi)
    : etichetta_(etichetta), barra_(barra), dialoghi_(dialoghi) {}

bool ProgressoFinestra::tempoDiEventi() {
    if (eventi_.isValid() && eventi_.elapsed() < kIntervalloEventiMs) return false;
    eventi_.start();
    return true;
}

void ProgressoFinestra::didascalia(const QString& testo) {
    // Each new text lays the status bar out again and repaints all of it, bar included.
    if (etichetta_) etichetta_->setText(testo);
    if (tempoDiEventi()) dialoghi_.eseguiEventi();
}

void ProgressoFinestra::posizione(int valore, int massimo) {
    if (!tempoDiEventi()) return;
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
