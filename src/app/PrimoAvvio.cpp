#include "app/PrimoAvvio.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include "common/CartellaDati.h"
#include "common/Dialoghi.h"
#include "database/Archivio.h"
#include "exchange/BatchScambio.h"

bool PrimoAvvio(const QString& cartellaDati) {
    return !QFile::exists(Archivio(cartellaDati).percorsoDatabase());
}

QString CaricaEsempiAlPrimoAvvio(bool primoAvvio, const QString& cartellaProgramma,
                                 const QString& cartellaDati, Dialoghi* dialoghi) {
    if (!primoAvvio || !ProgrammaInstallato(cartellaProgramma)) return {};
    const QString cartella = CartellaEsempi(cartellaProgramma);
    if (cartella.isEmpty()) return {};
    const QStringList file = QDir(cartella).entryList({QStringLiteral("*.iei")}, QDir::Files, QDir::Name);
    if (file.isEmpty()) return {};
    if (dialoghi && !dialoghi->domanda(QString::fromUtf8("Vuoi caricare le mète di esempio?"))) return {};
    // The counts of what was inserted are not shown: the trips themselves show it.
    QString conti, errori;
    QTextStream out(&conti), err(&errori);
    for (const QString& f : file) EseguiImporta(cartellaDati, QDir(cartella).filePath(f), {}, out, err);
    err.flush();
    return errori.trimmed();
}
