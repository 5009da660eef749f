#include "routeimport/ImportaPercorso.h"

#include <QFile>
#include <QFileInfo>

#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Testo.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/KmTempi.h"
#include "routeimport/PercorsoExport.h"
#include "routeimport/PercorsoXml.h"
#include "routeimport/TappeImportate.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kIndiceTraghetti = 8;

}  // namespace

QString MessaggioTappePresenti() {
    return QStringLiteral("Impossibile: sono presenti delle tappe!") + kCrLf + kCrLf +
           QStringLiteral("E' ammesso solo con itinerario vuoto.") + kCrLf + kCrLf +
           QStringLiteral("Se vuoi procedere con l'import da MapPoint,") + kCrLf +
           QString::fromUtf8("è necessario cancellare l'itinerario.");
}

QString MessaggioFileNonRiconosciuto() {
    return QStringLiteral("Attenzione!") + kCrLf + kCrLf + QStringLiteral("File non riconosciuto!") + kCrLf +
           kCrLf + QStringLiteral("Attualmente sono riconosciuti:") + kCrLf + QStringLiteral(". MapPoint") +
           kCrLf + QStringLiteral(". Autoroute 66") + kCrLf + QStringLiteral(". Route 2000-2001") + kCrLf +
           QStringLiteral("Contatta l'autore per l'eventuale abilitazione.");
}

bool TappePresenti(const Griglia& mfgTab) {
    return !Trim(mfgTab.testo(1, ColTappa)).isEmpty();
}

RisultatoImport ImportaPercorso(Griglia& mfgTab, const QString& percorso, const QString& sostaTraghetto,
                                Dialoghi& dialoghi) {
    if (TappePresenti(mfgTab)) {
        dialoghi.avviso(MessaggioTappePresenti());
        return {EsitoImport::Rifiutato, 0};
    }
    QFile file(percorso);
    QByteArray byte;
    if (file.open(QIODevice::ReadOnly) && file.size() <= kByteMassimiTestoImport) byte = file.readAll();

    QList<TappaImportata> tappe;
    const QString estensione = QFileInfo(percorso).suffix().toLower();
    if (estensione == QLatin1String("gpx") || estensione == QLatin1String("kml")) {
        tappe = LeggiPercorsoXml(byte, estensione == QLatin1String("gpx") ? FormatoXml::Gpx : FormatoXml::Kml)
                    .tappe;
    } else {
        tappe = LeggiExport(byte).tappe;
    }
    if (tappe.isEmpty()) {
        dialoghi.avviso(MessaggioFileNonRiconosciuto());
        return {EsitoImport::NonRiconosciuto, 0};
    }
    ScriviTappeImportate(mfgTab, tappe, sostaTraghetto);
    return {EsitoImport::Importato, UltimaRigaTappa(mfgTab)};
}

RisultatoImport cmdMapPoint_Click(Griglia& mfgTab, BoxMeta& box, Dialoghi& dialoghi) {
    if (TappePresenti(mfgTab)) {
        dialoghi.avviso(MessaggioTappePresenti());
        return {EsitoImport::Rifiutato, 0};
    }
    const QString percorso = dialoghi.apriFile(QString(), QString(), kFiltroImportPercorso);
    if (percorso.isEmpty()) return {EsitoImport::Annullato, 0};
    const RisultatoImport r =
        ImportaPercorso(mfgTab, percorso,
                        SostaTraghetto(box.cmbOra[kIndiceTraghetti], box.cmbMin[kIndiceTraghetti]), dialoghi);
    if (r.esito == EsitoImport::Importato) {
        CalcolaKmTempiItinerario(mfgTab, box);
        mfgTab.impostaRiga(1);
        mfgTab.impostaRigaInAlto(1);
    }
    return r;
}
