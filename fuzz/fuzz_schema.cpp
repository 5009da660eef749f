// The reader of the table specification language, as it creates a table and as it checks one.
#include <QString>

#include <cstddef>
#include <cstdint>

#include "database/Schema.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString specifica =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    (void)LeggiSpecificaCreazione(specifica);
    (void)LeggiSpecificaVerifica(specifica);
    return 0;
}
