#include "reports/BatchStampa.h"

#include <QFileInfo>

#include "Versione.h"
#include "common/Dialoghi.h"
#include "common/Orologio.h"
#include "common/Progresso.h"
#include "printing/SuperficieQt.h"
#include "reports/StampaZavetra.h"

namespace {

// The value of "--nome VALORE" or "--nome=VALORE" at i (moved past it), or nothing.
bool Valore(const QStringList& a, qsizetype& i, const QString& nome, QString& valore) {
    const QString& arg = a.at(i);
    if (arg.startsWith(nome + QLatin1Char('='))) {
        valore = arg.mid(nome.size() + 1);
        return true;
    }
    if (arg != nome) return false;
    if (i + 1 < a.size() && !a.at(i + 1).startsWith(QLatin1String("--"))) valore = a.at(++i);
    return true;
}

}  // namespace

ComandoStampa LeggiComandoStampa(const QStringList& argomenti) {
    ComandoStampa comando;
    QStringList resto;
    bool pdf = false;
    for (qsizetype i = 0; i < argomenti.size(); ++i) {
        if (i > 0 && argomenti.at(i) == kOpzioneFrontespizio) {
            comando.frontespizio = true;
        } else if (i > 0 && Valore(argomenti, i, kOpzionePdf, comando.filePdf)) {
            pdf = true;
        } else {
            resto << argomenti.at(i);
        }
    }
    const ComandoCalcola calcolo = LeggiComandoCalcola(resto);
    comando.calcolo = calcolo.opzioni;
    comando.errore = calcolo.errore;
    if (comando.errore.isEmpty() && pdf && comando.filePdf.isEmpty())
        comando.errore = QStringLiteral("Manca il valore dell'opzione ") + kOpzionePdf + QLatin1Char('.');
    if (comando.errore.isEmpty() && comando.frontespizio && !pdf)
        comando.errore = kOpzioneFrontespizio + QStringLiteral(" richiede ") + kOpzionePdf + QLatin1Char('.');
    return comando;
}

QString TitoloZavetra() {
    return QStringLiteral(ZAVETRA_NOME_PRODOTTO " (v. ") + QString::number(ZAVETRA_VERSIONE_MAJOR) +
           QLatin1Char('.') + QString::number(ZAVETRA_VERSIONE_MINOR) + QLatin1Char('.') +
           QString::number(ZAVETRA_VERSIONE_PATCH) +
           QStringLiteral(", " ZAVETRA_AZIENDA ") by " ZAVETRA_DIRITTI);
}

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
    };
    return EseguiCalcolaBatch(comando.calcolo, orologio, stampa);
}
