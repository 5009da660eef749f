// libFuzzer target of the exchange-file reader: any bytes are either refused with a line number
// inside the file, or read into blocks whose lines, written again, read back the same.
#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <cstdlib>

#include "common/File1252.h"
#include "exchange/FileScambio.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray byte(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const LetturaScambio lettura = LeggiScambio(byte);
    if (!lettura.contenuto) {
        if (lettura.riga < 0 || lettura.riga > byte.count('\n') + 1 || lettura.motivo.isEmpty()) std::abort();
        return 0;
    }
    QStringList righe;
    for (int b = 0; b < kBlocchiScambio; ++b) {
        const Blocco& blocco = lettura.contenuto->blocchi[b];
        if (!blocco.presente) continue;
        righe << LineaScambio(blocco.campi, b);
        for (const RigaScambio& r : blocco.righe) righe << LineaScambio(r.valori, b);
    }
    (void)MeteDelFile(*lettura.contenuto);
    const LetturaScambio ancora = LeggiScambio(Righe1252(righe));
    if (!ancora.contenuto) std::abort();
    for (int b = 0; b < kBlocchiScambio; ++b)
        if (ancora.contenuto->blocchi[b].righe.size() != lettura.contenuto->blocchi[b].righe.size())
            std::abort();
    return 0;
}
