#pragma once
// Where Voviva.mdb and the files written for the user live: the program's own directory when it
// is writable (a portable install), otherwise the user's data directory; --data-dir overrides.
#include <QString>
#include <QStringList>

QString CartellaDati(const QString& cartellaProgramma, const QString& scelta = {});

// Reads "--data-dir DIR" (or "--data-dir=DIR") from the arguments; empty when absent.
QString OpzioneCartellaDati(const QStringList& argomenti);
