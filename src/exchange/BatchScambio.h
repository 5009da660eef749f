#pragma once
// The exchange commands without a window:
//   zavetra [--data-dir DIR] --esporta FILE [CODICE...]   all trips, by locality, when no code
//   zavetra [--data-dir DIR] --importa FILE [CODICE...]   all trips of the file when no code
// They start the database as the program does and print the window's closing message.
#include <QString>
#include <QStringList>
#include <QTextStream>

class Archivio;

inline const QString kOpzioneEsporta = QStringLiteral("--esporta");
inline const QString kOpzioneImporta = QStringLiteral("--importa");

// Exit codes: 0 done, 1 a file that cannot be written, read or is not an exchange file (nothing
// written), a database failure; 2 a code that names no trip (nothing written).
int EseguiEsporta(Archivio& archivio, const QString& file, const QStringList& codici, QTextStream& out,
                  QTextStream& err);
int EseguiImporta(Archivio& archivio, const QString& file, const QStringList& codici, QTextStream& out,
                  QTextStream& err);

// The same on the data directory: the database is opened (or created) there first.
int EseguiEsporta(const QString& cartellaDati, const QString& file, const QStringList& codici,
                  QTextStream& out, QTextStream& err);
int EseguiImporta(const QString& cartellaDati, const QString& file, const QStringList& codici,
                  QTextStream& out, QTextStream& err);
