#include "app/Batch.h"

#include <QFile>

#include "common/Dialoghi.h"
#include "common/FileUscita.h"
#include "common/Griglia.h"
#include "common/Orologio.h"
#include "common/Progresso.h"
#include "database/Archivio.h"
#include "database/TipiGuida.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/Tappe.h"
#include "schedule/CsvZavetra.h"
#include "schedule/FileZavetra.h"
#include "schedule/Zavetra.h"
#include "trips/Meta.h"

namespace {

struct MetaCaricata {
    QString codice;
    BoxMeta box;
    Griglia mfgTab;
};

// The boxes as the window fills them at start-up: the personal defaults and the start now.
BoxMeta BoxIniziali(Archivio& archivio, const Orologio& orologio) {
    BoxMeta box;
    box.cmbRange = QStringLiteral("25");
    CaricaDefaultMeta(0, box, archivio);
    ImpostaInizioAdesso(box, orologio);
    return box;
}

// The trip record and its legs as the window loads them; false when there is no such trip.
bool CaricaMeta(Archivio& archivio, const QString& codiceChiesto, const Orologio& orologio,
                MetaCaricata& meta) {
    meta.box = BoxIniziali(archivio, orologio);
    meta.codice = codiceChiesto.isEmpty() ? RicercaMetaCorrente(archivio) : codiceChiesto;
    if (meta.codice.isEmpty() || !CaricaDatiAnagraficiMeta(meta.codice, meta.box, archivio)) return false;
    ImpostaGriglia(meta.mfgTab, LayoutItinerario);
    const RisultatoKmTempi km = CaricaTappeItinerario(archivio, meta.mfgTab, meta.codice, meta.box);
    meta.box.cmbGiorni = km.cmbGiorni;
    return true;
}

QString MessaggioMetaIgnota(const QString& codiceChiesto) {
    if (codiceChiesto.isEmpty()) return QStringLiteral("Nessuna mèta nel database!");
    return QStringLiteral("Mèta con codice %1 inesistente nel database!").arg(codiceChiesto);
}

void Errore(EsitoBatch& esito, int codice, const QString& testo) {
    esito.codiceUscita = codice;
    esito.errori << RigheMessaggio(testo);
}

// The window's messages: every box the computation showed (the closing message among them).
void RiportaMessaggi(const DialoghiScriptati& dialoghi, const EsitoZavetra& calcolo, EsitoBatch& esito) {
    const QStringList mostrati = dialoghi.testiMostrati();
    for (const QString& testo : mostrati) esito.uscita << RigheMessaggio(testo);
    if (!calcolo.messaggio.isEmpty() && !mostrati.contains(calcolo.messaggio))
        esito.uscita << RigheMessaggio(calcolo.messaggio);
}

// "-" sends the CSV to standard output; any other path is replaced unless it must not be.
void ScriviCsvBatch(const Griglia& mfgTab, const QString& fileCsv, EsitoBatch& esito) {
    if (fileCsv.isEmpty()) return;
    if (fileCsv == QStringLiteral("-")) {
        QFile uscita;
        const QByteArray csv = CsvZavetra(mfgTab);
        if (!uscita.open(stdout, QIODevice::WriteOnly) || uscita.write(csv) != csv.size())
            Errore(esito, kUscitaErrore, QStringLiteral("Impossibile scrivere il CSV sullo standard output"));
        return;
    }
    const QString rifiuto = ControllaFileUscita(fileCsv);
    if (!rifiuto.isEmpty())
        Errore(esito, kUscitaErrore, rifiuto);
    else if (!ScriviCsvZavetra(mfgTab, fileCsv))
        Errore(esito, kUscitaErrore, QStringLiteral("Impossibile scrivere il file ") + fileCsv);
}

}  // namespace

EsitoBatch EseguiCalcolaBatch(const OpzioniCalcola& opzioni, const Orologio& orologio,
                              const StampaBatch& stampa) {
    EsitoBatch esito;
    try {
        Archivio archivio(opzioni.cartella);
        archivio.AvviaDatabase();
        if (!archivio.avviso.isEmpty()) esito.errori << RigheMessaggio(archivio.avviso);

        const QString codiceChiesto = CodiceMetaNormalizzato(opzioni.codiceMeta);
        MetaCaricata meta;
        if (!CaricaMeta(archivio, codiceChiesto, orologio, meta)) {
            Errore(esito, kUscitaMetaIgnota, MessaggioMetaIgnota(codiceChiesto));
            return esito;
        }
        const TabellaTipiGuida tipi = CaricaTipiGuida(archivio);
        if (!tipi.avviso.isEmpty()) esito.errori << tipi.avviso;
        archivio.RecordSetImpostaDefault();
        archivio.RiparaLocalitaGuida();

        Griglia mfgCopia;
        DialoghiScriptati dialoghi;
        ProgressoMemoria progresso;
        const EsitoZavetra calcolo = CalcolaZavetra({archivio, meta.box, meta.codice, meta.mfgTab, mfgCopia,
                                                     tipi, progresso, dialoghi, Chiamante::Calcola});
        if (!calcolo.errore.isEmpty() || !calcolo.eseguito) {
            Errore(esito, kUscitaErrore,
                   calcolo.errore.isEmpty() ? QStringLiteral("Calcolo della Zavetra non eseguito.")
                                            : calcolo.errore);
            return esito;
        }
        RiportaMessaggi(dialoghi, calcolo, esito);

        if (stampa) {
            stampa(meta.mfgTab, meta.box, esito);
        } else {
            const EsitoFileZavetra file =
                ScriviFileZavetra(meta.mfgTab, meta.box.txtLocalita, opzioni.cartella);
            if (!file.riuscito()) {
                Errore(esito, kUscitaErrore, file.errore);
            } else {
                esito.uscita << RigheMessaggio(MessaggioFileScritti(file));
            }
        }
        ScriviCsvBatch(meta.mfgTab, opzioni.fileCsv, esito);
    } catch (const ErroreDatabase& e) {
        Errore(esito, kUscitaErrore, e.messaggio());
    }
    return esito;
}
