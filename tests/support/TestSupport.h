#pragma once
// Small helpers shared by the tests of every subsystem: files, rows into a database, key presses.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <Qt>

class Database;
class QWidget;

namespace test {

// Bytes of a file, or an empty array when it cannot be read.
QByteArray leggiFile(const QString& percorso);
void scriviFile(const QString& percorso, const QByteArray& dati);

using Campi = QList<QPair<QString, QVariant>>;

// One row into a table: the fields given, the others empty.
void inserisci(Database& db, const QString& tabella, const Campi& campi);

// A leg of trip `meta` into Itinerari (sequence, locality, kilometres, then any other fields).
void tappa(Database& db, const QString& meta, const QString& sequenza, const QString& localita,
           const QString& km, const Campi& altri = {});

// A guide entry into GuidaCitta, FlagVisto "0" (then any other fields).
void voceGuida(Database& db, const QString& localita, const QString& descrizione, const QString& tempo,
               const Campi& altri = {});

// Characters typed into a widget, one key press each; a single key press.
void digita(QWidget* w, const QString& testo);
void premi(QWidget* w, Qt::Key tasto);

}  // namespace test
