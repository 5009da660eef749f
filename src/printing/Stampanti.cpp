#include "printing/Stampanti.h"

#include <QPrinterInfo>

#include "printing/SuperficieQt.h"

QStringList StampantiDiSistema() {
    return QPrinterInfo::availablePrinterNames();
}

QStringList ElencoStampanti(const QStringList& stampanti) {
    return QStringList(stampanti) << kVocePdf;
}

int VoceIniziale(const QStringList& elenco) {
    return elenco.size() == 1 ? 0 : -1;
}

int CercaStampante(const QStringList& elenco, const QString& scelta) {
    if (scelta.isEmpty()) return -1;
    for (qsizetype i = 0; i < elenco.size(); ++i)
        if (elenco.at(i).compare(scelta, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

std::unique_ptr<Superficie> ApriSuperficie(const Destinazione& d) {
    if (d.stampante.isEmpty()) return SuperficieQt::suPdf(d.filePdf);
    return SuperficieQt::suStampante(d.stampante);
}
