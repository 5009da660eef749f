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

QString cartellaSeEsiste(const QString& programma, const QString& relativa) {
    const QFileInfo info(QDir(programma).filePath(relativa));
    return info.isDir() ? QDir::cleanPath(info.absoluteFilePath()) : QString();
}
}  // namespace

QString CartellaDatiUtente() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("Zavetra"));
}

bool ProgrammaInstallato(const QString& cartellaProgramma) {
    return !cartellaSeEsiste(cartellaProgramma, QStringLiteral("../share/zavetra")).isEmpty();
}

QString CartellaDati(const QString& cartellaProgramma, const QString& scelta) {
    QString cartella = scelta;
    // The installed test comes first: the superuser can write in /usr/bin, and the data must not
    // land there.
    if (cartella.isEmpty())
        cartella = !ProgrammaInstallato(cartellaProgramma) && scrivibile(cartellaProgramma)
                       ? cartellaProgramma
                       : CartellaDatiUtente();
    QDir().mkpath(cartella);
    return QDir(cartella).absolutePath();
}

QString CartellaEsempi(const QString& cartellaProgramma) {
    const QString installati = cartellaSeEsiste(cartellaProgramma, QStringLiteral("../share/zavetra/esempi"));
    return installati.isEmpty() ? cartellaSeEsiste(cartellaProgramma, QStringLiteral("../esempi"))
                                : installati;
}

QString OpzioneCartellaDati(const QStringList& argomenti) {
    for (int i = 0; i < argomenti.size(); ++i) {
        if (argomenti[i] == QLatin1String("--data-dir") && i + 1 < argomenti.size()) return argomenti[i + 1];
        if (argomenti[i].startsWith(QLatin1String("--data-dir="))) return argomenti[i].mid(11);
    }
    return {};
}
