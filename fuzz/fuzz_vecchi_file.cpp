// The old record files read as each of the three layouts: every record the count gives is read
// and every field looked at, whatever the bytes and the length.
#include <QByteArray>

#include <cstddef>
#include <cstdint>

#include "common/Testo.h"
#include "legacy/VecchiFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FileVecchio file(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    for (const TracciatoVecchio* t : {&kTracciatoMete, &kTracciatoTappe, &kTracciatoGuida}) {
        const int n = file.numeroRecord(*t);
        // One record past the count too: the header of a leg file may claim more than there is.
        for (int i = 0; i <= n + 1; ++i) {
            const auto r = file.record(*t, i);
            if (!r) continue;
            for (const CampoVecchio& c : t->campi) {
                const QString testo = r->campo(QString::fromLatin1(c.nome));
                if (testo.size() > c.larghezza) __builtin_trap();
                (void)Valore(testo);
            }
        }
    }
    return 0;
}
