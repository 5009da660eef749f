#include "app/BatchStampa.h"

#include <QDir>
#include <QFileInfo>

#include "Versione.h"
#include "common/Dialoghi.h"
#include "common/Orologio.h"
#include "common/Progresso.h"
#include "logbook/BatchModuli.h"
#include "printing/SuperficieQt.h"
#include "reports/StampaZavetra.h"

QString TitoloZavetra() {
    return QStringLiteral(ZAVETRA_NOME_PRODOTTO " (v. ") + QString::number(ZAVETRA_VERSIONE_MAJOR) +
           QLatin1Char('.') + QString::number(ZAVETRA_VERSIONE_MINOR) + QLatin1Char('.') +
           QString::number(ZAVETRA_VERSIONE_PATCH) +
           QStringLiteral(", " ZAVETRA_AZIENDA ") by " ZAVETRA_DIRITTI);
}

namespace {

// The day, month and year boxes of the start or of the computed end.
QDate DataDeiBox(const QString& giorno, const QString& mese, const QString& anno) {
    return QDate(anno.toInt(), mese.toInt(), giorno.toInt());
}

// The logbook of the computed period beside the schedule's PDF.
void StampaModuli(const QString& filePdf, const BoxMeta& box, EsitoBatch& esito) {
    QString errore;
    const QString scritto = StampaModuliAccanto(
        filePdf, box.txtLocalita, DataDeiBox(box.cmbInizio[0], box.cmbInizio[1], box.cmbInizio[2]),
        DataDeiBox(box.txtFine[0], box.txtFine[1], box.txtFine[2]), &errore);
    if (scritto.isEmpty()) {
        esito.codiceUscita = kUscitaErrore;
        esito.errori << RigheMessaggio(errore);
    } else {
        esito.uscita << QStringLiteral("Moduli stampati: ") + QDir::toNativeSeparators(scritto);
    }
}

}  // namespace

EsitoBatch EseguiStampaBatch(const ComandoStampa& comando, const Orologio& orologio) {
    if (comando.filePdf.isEmpty()) return EseguiCalcolaBatch(comando.calcolo, orologio);
    const auto stampa = [&](const Griglia& mfgTab, const BoxMeta& box, EsitoBatch& esito) {
        OpzioniStampa opzioni;
        opzioni.chkTabella = true;
        opzioni.chkFrontespizio = comando.frontespizio;
        opzioni.chkVociFrontespizio = {false, false, false, true};
        const DatiStampa dati{box, TitoloZavetra(), orologio.adesso().date(), comando.calcolo.cartella, {}};
        const auto superficie = SuperficieQt::suPdf(QFileInfo(comando.filePdf).absoluteFilePath());
        DialoghiScriptati dialoghi;
        ProgressoMemoria progresso;
        const EsitoStampa e = StampaDellItinerario(opzioni, *superficie, mfgTab, dati, dialoghi, progresso);
        for (const Messaggio& m : dialoghi.mostrati) {
            if (m.icona == Icona::Critico) {
                esito.codiceUscita = kUscitaErrore;
                esito.errori << RigheMessaggio(m.testo);
            } else {
                esito.uscita << RigheMessaggio(m.testo);
            }
        }
        if (comando.moduli) StampaModuli(comando.filePdf, box, esito);
    };
    return EseguiCalcolaBatch(comando.calcolo, orologio, stampa);
}
