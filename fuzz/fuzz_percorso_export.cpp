// Route-planner exports: any bytes are read without a crash, a hang or a leg of negative or
// absurd length.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "routeimport/PercorsoExport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    const EsitoExport e =
        LeggiExport(QByteArray(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(n)));
    for (const TappaImportata& t : e.tappe)
        if (t.km < 0 || t.km > kKmMassimiImport || t.localita.isEmpty()) std::abort();
    if (e.famiglia == FamigliaExport::Nessuna && !e.tappe.isEmpty()) std::abort();
    return 0;
}
