#include "common/FileUscita.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Every SQLite file begins with these 16 bytes, so a database is recognised under any name.
constexpr char kIntestazioneSqlite[] = "SQLite format 3";

bool NomeDatabase(const QString& nome) {
    return nome.compare(QStringLiteral("Voviva.mdb"), Qt::CaseInsensitive) == 0 ||
           nome.compare(QStringLiteral("DBTemp.mdb"), Qt::CaseInsensitive) == 0;
}

bool FileDatabase(const QString& percorso) {
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly)) return false;
    return file.read(sizeof kIntestazioneSqlite) ==
           QByteArray(kIntestazioneSqlite, sizeof kIntestazioneSqlite);
}

}  // namespace

QString ControllaFileUscita(const QString& percorso) {
    const QString mostrato = QDir::toNativeSeparators(percorso);
    const QFileInfo info(percorso);
    // A link is judged by what it leads to; a missing file by the name it would get.
    const QString risolto = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    if (NomeDatabase(QFileInfo(risolto).fileName()) || NomeDatabase(info.fileName()) ||
        (info.isFile() && FileDatabase(percorso)))
        return QStringLiteral("Il file %1 è un database: non viene sovrascritto.").arg(mostrato);
    if (info.exists() && !info.isFile())
        return QStringLiteral("%1 non è un file normale: non viene sovrascritto.").arg(mostrato);
    return {};
}
