#include "routeimport/ImportaPercorsoBatch.h"

#include <QTextStream>

#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Uscita.h"
#include "database/Archivio.h"
#include "database/Database.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/Tappe.h"
#include "routeimport/ImportaPercorso.h"
#include "routeimport/TappeImportate.h"
#include "trips/Meta.h"
#include "trips/Parametri.h"

namespace {

constexpr int kIndiceTraghetti = 8;

void Scrivi(QTextStream& flusso, const QString& messaggio) {
    for (const QString& riga : RigheMessaggio(messaggio)) flusso << riga << '\n';
    flusso.flush();
}

}  // namespace

int EseguiImportaPercorso(const QString& cartellaDati, const QString& file, const QString& codiceMeta,
                          QTextStream& out, QTextStream& err) {
    try {
        Archivio archivio(cartellaDati);
        archivio.AvviaDatabase();
        if (!archivio.avviso.isEmpty()) Scrivi(err, archivio.avviso);

        QString codice = CodiceMetaNormalizzato(codiceMeta);
        BoxMeta box;
        if (!CaricaDatiAnagraficiMeta(codice, box, archivio)) {
            Scrivi(err, codiceMeta.isEmpty()
                            ? QStringLiteral("Nessuna mèta nel database!")
                            : QStringLiteral("Mèta con codice %1 inesistente nel database!").arg(codice));
            return kUscitaMetaIgnota;
        }
        const float arcoVisita = CalcolaValoriLavoro(box).ArcoVisita;
        Griglia mfgTab;
        ImpostaGriglia(mfgTab, LayoutItinerario);
        CaricaTappeItinerario(archivio, mfgTab, codice, arcoVisita);

        DialoghiScriptati dialoghi;
        const RisultatoImport r = ImportaPercorso(
            mfgTab, file, SostaTraghetto(box.cmbOra[kIndiceTraghetti], box.cmbMin[kIndiceTraghetti]),
            dialoghi);
        if (r.esito != EsitoImport::Importato) {
            for (const QString& testo : dialoghi.testiMostrati()) Scrivi(err, testo);
            return kUscitaErrore;
        }
        const int record = MemorizzaTappeItinerario(archivio, mfgTab, codice, arcoVisita);
        Scrivi(out, QString::fromUtf8("Importate %1 tappe nella mèta %2 (%3 record).")
                        .arg(r.tappe)
                        .arg(codice)
                        .arg(record));
        return kUscitaRiuscita;
    } catch (const ErroreDatabase& e) {
        Scrivi(err, e.messaggio());
        return kUscitaErrore;
    }
}
