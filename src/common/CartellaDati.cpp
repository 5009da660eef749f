#include "common/CartellaDati.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {
bool scrivibile(const QString& cartella) {
    // QFileInfo::isWritable answers from the permission bits only; creating a file is the test
    // that also holds on read-only mounts.
    QTemporaryFile prova(QDir(cartella).filePath(QStringLiteral(".zavetra-XXXXXX")));
    return prova.open();
}
}  // namespace

QString CartellaDati(const QString& cartellaProgramma, const QString& scelta) {
    QString cartella = scelta;
    if (cartella.isEmpty())
        cartella = scrivibile(cartellaProgramma)
                       ? cartellaProgramma
                       : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(cartella);
    return QDir(cartella).absolutePath();
}

QString OpzioneCartellaDati(const QStringList& argomenti) {
    for (int i = 0; i < argomenti.size(); ++i) {
        if (argomenti[i] == QLatin1String("--data-dir") && i + 1 < argomenti.size()) return argomenti[i + 1];
        if (argomenti[i].startsWith(QLatin1String("--data-dir="))) return argomenti[i].mid(11);
    }
    return {};
}
