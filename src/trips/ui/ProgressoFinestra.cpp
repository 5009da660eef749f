#include "trips/ui/ProgressoFinestra.h"

#include <QLabel>
#include <QProgressBar>

#include "common/Dialoghi.h"

ProgressoFinestra::ProgressoFinestra(QLabel* etichetta, QProgressBar* barra, Dialoghi& dialoghi)
    : etichetta_(etichetta), barra_(barra), dialoghi_(dialoghi) {}

void ProgressoFinestra::didascalia(const QString& testo) {
    if (etichetta_) etichetta_->setText(testo);
    dialoghi_.eseguiEventi();
}

void ProgressoFinestra::posizione(int valore, int massimo) {
    if (barra_) {
        barra_->setMaximum(qMax(massimo, 1));
        barra_->setValue(qBound(0, valore, qMax(massimo, 1)));
    }
    dialoghi_.eseguiEventi();
}

void ProgressoFinestra::azzera() {
    if (barra_) {
        barra_->setMaximum(1);
        barra_->setValue(0);
    }
    if (etichetta_) etichetta_->clear();
}
