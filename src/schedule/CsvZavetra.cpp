#include "schedule/CsvZavetra.h"

#include <QSaveFile>

#include "common/FileUscita.h"
#include "common/Griglia.h"

namespace {
constexpr QChar kSeparatore = QLatin1Char(';');
constexpr QChar kVirgolette = QLatin1Char('"');

// A spreadsheet takes a cell beginning with "=", "+", "@" or "-" and a non-digit for a formula;
// negative times such as "-1:09:59" stay as they are.
bool SembraFormula(const QString& testo) {
    if (testo.isEmpty()) return false;
    const QChar primo = testo.front();
    if (primo == QLatin1Char('=') || primo == QLatin1Char('+') || primo == QLatin1Char('@')) return true;
    return primo == QLatin1Char('-') && testo.size() > 1 && !testo.at(1).isDigit();
}

}  // namespace

QString CampoCsv(const QString& testo) {
    QString campo = SembraFormula(testo) ? QLatin1Char('\'') + testo : testo;
    const bool daQuotare = campo.contains(kSeparatore) || campo.contains(kVirgolette) ||
                           campo.contains(QLatin1Char('\r')) || campo.contains(QLatin1Char('\n'));
    if (!daQuotare) return campo;
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
    // The rows as RigaCsv writes them, built as one text and encoded once.
    QString csv;
    for (int r = 0; r < mfgTab.righe(); ++r) {
        for (int c = 0; c <= kUltimaColonnaCsv; ++c) {
            if (c > 0) csv += kSeparatore;
            csv += CampoCsv(mfgTab.testo(r, c));
        }
        csv += QLatin1String("\r\n");
    }
    return csv.toUtf8();
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
