#include "logbook/BatchModuli.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include "common/Dialoghi.h"
#include "common/Progresso.h"
#include "logbook/CicloStampa.h"
#include "logbook/ComandoModuli.h"
#include "printing/Stampanti.h"
#include "printing/Superficie.h"

QString FileModuli(const QString& filePdf) {
    const QFileInfo info(filePdf);
    const QString suffisso = info.suffix();
    if (suffisso.isEmpty() || info.completeBaseName().isEmpty()) return filePdf + QStringLiteral("-moduli");
    return filePdf.left(filePdf.size() - suffisso.size() - 1) + QStringLiteral("-moduli.") + suffisso;
}

QString FilePdfPredefinito(const QString& cartellaDati, const QString& destinazione, const QDate& inizio) {
    QString nome = destinazione.simplified();
    for (QChar& c : nome)
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.unicode() < 32) c = QLatin1Char('_');
    return QDir(cartellaDati)
        .filePath(QStringLiteral("Moduli-%1-%2.pdf").arg(nome, inizio.toString(QStringLiteral("ddMMyyyy"))));
}

DatiModuli ModuliDelPeriodo(const QString& destinazione, const QDate& inizio, const QDate& fine) {
    RichiestaModuli r;
    r.destinazione = destinazione;
    r.giorno1 = QString::number(inizio.day());
    r.mese1 = QString::number(inizio.month());
    r.anno1 = QString::number(inizio.year());
    r.giorno2 = QString::number(fine.day());
    r.mese2 = QString::number(fine.month());
    r.anno2 = QString::number(fine.year());
    return PreparaModuli(r);
}

DatiModuli ModuliInBianco(int n) {
    RichiestaModuli r;
    r.bianco = true;
    r.copie = n;
    return PreparaModuli(r);
}

bool StampaModuliPdf(const QString& filePdf, const DatiModuli& d, const QString& cartellaMarcatore,
                     QString* errore) {
    const std::unique_ptr<Superficie> s = ApriSuperficie({{}, filePdf});
    DialoghiScriptati nessunDialogo;
    ProgressoMemoria progresso;
    const EsitoCiclo esito = CiclodiStampa(*s, d, true, nessunDialogo, progresso, cartellaMarcatore);
    if (errore) *errore = esito.errore;
    return esito.riuscito();
}

QString StampaModuliAccanto(const QString& filePdf, const QString& destinazione, const QDate& inizio,
                            const QDate& fine, QString* errore) {
    const QString periodo = ErrorePeriodo(inizio, fine);
    if (!periodo.isEmpty()) {
        if (errore) *errore = QStringLiteral("Moduli non stampati: ") + periodo;
        return {};
    }
    const QString file = FileModuli(filePdf);
    return StampaModuliPdf(file, ModuliDelPeriodo(destinazione, inizio, fine), {}, errore) ? file : QString();
}

int EseguiModuliBatch(const OpzioniModuliBatch& opzioni, QTextStream& out, QTextStream& err) {
    DatiModuli dati;
    if (opzioni.bianco > 0) {
        dati = ModuliInBianco(opzioni.bianco);
    } else {
        const QString testo =
            opzioni.comando.isEmpty() ? LeggiFileComando(opzioni.cartellaDati) : opzioni.comando;
        if (testo.trimmed().isEmpty()) {
            err << "Nessun comando di stampa: indicare DESTINAZIONE,gg/mm/aaaa,gg/mm/aaaa oppure --bianco "
                   "N\n";
            return kUscitaModuliComando;
        }
        const ComandoModuli c = LeggiComandoModuli(testo);
        if (!c.valido()) {
            err << QString(c.errore).replace(QChar(13), QLatin1Char('\n')) << '\n';
            return kUscitaModuliComando;
        }
        dati = ModuliDelPeriodo(c.destinazione, c.inizio, c.fine);
    }
    QString errore;
    if (!StampaModuliPdf(opzioni.filePdf, dati, opzioni.cartellaDati, &errore)) {
        err << errore << '\n';
        return kUscitaModuliErrore;
    }
    out << "Moduli stampati (" << dati.pagine + 1 << " pagine): " << QDir::toNativeSeparators(opzioni.filePdf)
        << '\n';
    return 0;
}
