// GPX and KML: any bytes are read as either format without a crash or a hang; a file that is not
// well-formed gives no leg, and no leg has a negative or absurd length.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "routeimport/PercorsoXml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    const QByteArray byte(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(n));
    for (FormatoXml f : {FormatoXml::Gpx, FormatoXml::Kml}) {
        const EsitoXml e = LeggiPercorsoXml(byte, f);
        if (!e.riconosciuto && !e.tappe.isEmpty()) std::abort();
        for (const TappaImportata& t : e.tappe)
            if (t.km < 0 || t.km > kKmMassimiImport || t.localita.isEmpty()) std::abort();
    }
    return 0;
}
