#include "schedule/CsvZavetra.h"

#include <QSaveFile>

#include "common/FileUscita.h"
#include "common/Griglia.h"

namespace {
constexpr QChar kSeparatore = QLatin1Char(';');
constexpr QChar kVirgolette = QLatin1Char('"');
}  // namespace

QString CampoCsv(const QString& testo) {
    const bool daQuotare = testo.contains(kSeparatore) || testo.contains(kVirgolette) ||
                           testo.contains(QLatin1Char('\r')) || testo.contains(QLatin1Char('\n'));
    if (!daQuotare) return testo;
    QString campo = testo;
    campo.replace(kVirgolette, QStringLiteral("\"\""));
    return kVirgolette + campo + kVirgolette;
}

QString RigaCsv(const QStringList& campi) {
    QString riga;
    for (qsizetype i = 0; i < campi.size(); ++i) {
        if (i > 0) riga += kSeparatore;
        riga += CampoCsv(campi.at(i));
    }
    return riga;
}

QByteArray CsvZavetra(const Griglia& mfgTab) {
    QByteArray csv;
    for (int r = 0; r < mfgTab.righe(); ++r) {
        QStringList campi;
        for (int c = 0; c <= kUltimaColonnaCsv; ++c) campi << mfgTab.testo(r, c);
        csv += RigaCsv(campi).toUtf8();
        csv += "\r\n";
    }
    return csv;
}

bool ScriviCsvZavetra(const Griglia& mfgTab, const QString& percorso) {
    if (!ControllaFileUscita(percorso).isEmpty()) return false;
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray csv = CsvZavetra(mfgTab);
    if (file.write(csv) != csv.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
