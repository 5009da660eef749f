#pragma once
// The exchange file: trips, their legs and the city guide as three blocks of lines, Windows-1252
// with CR LF.  Every field of a line ends with its block's separator (255 trips, 254 legs, 253
// guide); the first line of a block names the table's fields.  Nothing is quoted, so a value never
// holds its own block's separator: the writer turns it into its capital letter.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

enum BloccoScambio : int { BloccoMete = 0, BloccoTappe = 1, BloccoGuida = 2 };
constexpr int kBlocchiScambio = 3;

// The separator that ends every field of a block's lines.
QChar SeparatoreBlocco(int blocco);
// The block a separator ends, or -1.
int BloccoDelSeparatore(QChar c);

// One line of a block: the fields as written, and its 1-based line number in the file.
struct RigaScambio {
    int numero = 0;
    QStringList valori;
};

struct Blocco {
    bool presente = false;
    int rigaIntestazione = 0;
    QStringList campi;  // the header line's names, in file order
    QList<RigaScambio> righe;

    // The column that carries a field, by name ignoring case (the first one), or -1.
    int colonna(const QString& campo) const;
    // The value of that field in a row, trimmed of blanks; empty when the block lacks the field.
    QString valore(const RigaScambio& riga, const QString& campo) const;
};

struct ContenutoScambio {
    std::array<Blocco, kBlocchiScambio> blocchi;
};

struct LetturaScambio {
    std::optional<ContenutoScambio> contenuto;
    int riga = 0;    // the line that made the file unreadable (0: the file as a whole)
    QString motivo;  // why, in Italian
};

// Reads and checks the whole file before anything is done with it.  Refused: a file without the
// trip header (a first line ending with 255 that names CodiceMeta), a line that does not end with
// a block separator, blocks out of order or repeated, a data line with another number of fields
// than its header, control characters (a binary file).  Blank lines are passed over.
LetturaScambio LeggiScambio(const QByteArray& byte);

// The message of a refused file.
QString MessaggioFileNonValido(const QString& percorso, const LetturaScambio& lettura);

// One line of a block: each value trimmed of blanks and followed by the separator; a value's own
// block separator becomes its capital letter so that the line still splits into its fields.
QString LineaScambio(const QStringList& valori, int blocco);

// The trips the file offers, in file order: locality, nation and code.  Lines without a locality
// cannot be listed and are left out.
struct MetaNelFile {
    QString localita;
    QString nazione;
    QString codice;
};
QList<MetaNelFile> MeteDelFile(const ContenutoScambio& contenuto);
