#pragma once
// The import of an exchange file: the picked trips of the file with their legs, and the file's
// guide entries for localities on the database's legs.  A trip whose locality is already stored
// is discarded with its legs; a colliding code is replaced by the next free one.  The whole
// import is one transaction: when any line fails, the database stays as it was.
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <stdexcept>

#include "exchange/FileScambio.h"

class Archivio;
class Dialoghi;
class Progresso;

struct ContiImport {
    qint64 meteInserite = 0;
    qint64 tappeInserite = 0;
    qint64 guideInserite = 0;
    qint64 meteScartate = 0;
    qint64 guideScartate = 0;
    qint64 valoriTagliati = 0;  // texts wider than their field, stored cut to its width
};

// A line of the file could not be stored; nothing of the import was kept.
class ErroreImport : public std::runtime_error {
  public:
    ErroreImport(int riga, const QString& causa);
    int riga;
    QString causa;
    QString messaggio() const;
};

// Each picked code (in list order, empty and repeated ones left out) with the code it is stored
// under: its own, or, when that is in use in the database or already given in this import, the
// next free number above the highest stored code, zero-padded to the code's length.
QList<QPair<QString, QString>> MappaCodici(Archivio& archivio, const QStringList& scelti);

ContiImport ImportaMete(Archivio& archivio, const ContenutoScambio& contenuto, const QStringList& scelti,
                        Progresso& progresso);

// "Sono stati inseriti: ..." with the counts formatted "#,##0".
QString MessaggioImport(const ContiImport& conti);

struct EsitoImportFile {
    bool eseguito = false;
    ContiImport conti;
    QString errore;  // the file refused or the line that failed
};

// Reads the file again, checks it, and imports the picked trips.
EsitoImportFile ImportaFile(Archivio& archivio, const QString& percorso, const QStringList& scelti,
                            Progresso& progresso);

enum class EsitoImport { NonConfermato, Fallito, Eseguito };

// The import as the panel runs it: BoxConferma "IM", the import, then the closing message or the
// failure.
EsitoImport EseguiImport(Archivio& archivio, const QString& percorso, const QStringList& scelti,
                         Dialoghi& dialoghi, Progresso& progresso);
