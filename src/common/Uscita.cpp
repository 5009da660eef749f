#include "common/Uscita.h"

QStringList RigheMessaggio(const QString& messaggio) {
    QString testo = messaggio;
    testo.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    testo.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return testo.split(QLatin1Char('\n'));
}
