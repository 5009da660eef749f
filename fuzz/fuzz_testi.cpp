// The small text readers every file and box goes through: times dd:hh:mm, compact dates, the
// leading number of a text and the splitting of a line into columns.
#include <QString>

#include <cstddef>
#include <cstdint>

#include "common/Date.h"
#include "common/Tempo.h"
#include "common/Testo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString testo = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    (void)ghmCentesimi2Stringa(ghmStringa2Centesimi(testo, 2400), 2400);
    double g = 0, m = 0, a = 0;
    Data2Gma(testo, g, m, a);
    (void)Giu2Datas(Data2Giul(testo));
    (void)Data2Data(testo);
    (void)GiornoSettimana(testo);
    (void)Valore(testo);
    QString riga = testo;
    Colonne colonne;
    SeparaColonne(riga, colonne);
    if (colonne.conteggio > Colonne::massimo) __builtin_trap();
    return 0;
}
