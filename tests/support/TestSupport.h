#pragma once
// Small helpers shared by the tests of every subsystem: files, rows into a database, key presses.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <Qt>
#include <functional>

class Database;
class QWidget;

namespace test {

// Bytes of a file, or an empty array when it cannot be read.
QByteArray leggiFile(const QString& percorso);
void scriviFile(const QString& percorso, const QByteArray& dati);
using Campi = QList<QPair<QString, QVariant>>;
// One row into a table: the fields given, the others empty.
void inserisci(Database& db, const QString& tabella, const Campi& campi);
// Fields written "Campo=valore|Campo=valore" (texts; "1" and "0" for yes/no fields).
Campi campi(const QString& testo);
// One row written "Tabella|Campo=valore|Campo=valore".
void inserisci(Database& db, const QString& riga);
// A leg of trip `meta` into Itinerari (sequence, locality, kilometres, then any other fields).
void tappa(Database& db, const QString& meta, const QString& sequenza, const QString& localita,
           const QString& km, const Campi& altri = {});
// A guide entry into GuidaCitta, FlagVisto "0" (then any other fields).
void voceGuida(Database& db, const QString& localita, const QString& descrizione, const QString& tempo,
               const Campi& altri = {});
// Every table (a line beginning with "#": name, fields with widths, indexes) and every row, one
// text per row, for comparing a database with an earlier state of itself.
QStringList istantanea(Database& db);
// Runs `operazione` with its n-th statement failing, for n = 1, 2, ... until it runs through;
// after each failure `verifica` checks that nothing changed.  Returns how many statements failed.
int GuastoAOgniIstruzione(const std::function<void()>& operazione,
                          const std::function<void(int n)>& verifica);
// Characters typed into a widget, one key press each; a single key press.
void digita(QWidget* w, const QString& testo);
void premi(QWidget* w, Qt::Key tasto);
// A PDF read back with poppler's tools: its page count (-1 when pdfinfo cannot read it), and its
// text (pdftotext, keeping the page layout unless told otherwise).
int paginePdf(const QString& pdf);
QString testoPdf(const QString& pdf, bool layout = true);

}  // namespace test
