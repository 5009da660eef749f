#pragma once
// Where Voviva.mdb and the files written for the user live: the program's own directory when it
// is writable and the program is not installed (a portable copy or a build folder), otherwise the
// user's data directory; --data-dir overrides both.
#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// Creates the chosen folder when it is missing and returns its absolute path.
QString CartellaDati(const QString& cartellaProgramma, const QString& scelta = {});

// The user's data directory, ~/.local/share/Zavetra; both programs share it whatever their
// application name, so that Kestrin finds what Zavetra writes for it.
QString CartellaDatiUtente();

// An installed program has its shared files in <prefix>/share/zavetra beside <prefix>/bin.
bool ProgrammaInstallato(const QString& cartellaProgramma);

// The folder of the sample trips: <prefix>/share/zavetra/esempi for an installed program, the
// source tree's esempi/ for a build folder inside it; empty when neither exists.
QString CartellaEsempi(const QString& cartellaProgramma);

// Reads "--data-dir DIR" (or "--data-dir=DIR") from the arguments; empty when absent.
QString OpzioneCartellaDati(const QStringList& argomenti);

// Command-line names arrive as bytes, and Qt names files by text decoded as UTF-8, losing the
// bytes that are not: "caf\xe9" would become "caf\uFFFD", a different file.

// Whether Qt's name for these bytes encodes back to the same bytes.
bool NomeSenzaPerdite(const QByteArray& grezzo);

// The bytes of the last value of the option --nome ("--nome V", "--nome=V", or with one dash) in
// argv, before any "--"; empty when absent.
QByteArray ValoreGrezzo(int argc, const char* const* argv, const QByteArray& nome);

struct EsitoNomiGrezzi {
    QString errore;   // Italian; empty when the names can be used
    bool uso = true;  // the error is the command line's (exit 2), not the file system's (exit 1)
};

// Checks the command line's file options (name → value, the values as parsed) and data directory
// against their bytes.  A file name must decode to the same bytes.  A data directory whose absolute
// name does not is created when missing and becomes the working directory, named /proc/self/cwd
// from then on (Qt makes relative names absolute through the working directory's decoded name, so
// "." would not do); relative file names are made absolute first.  Updates cartella and file.
EsitoNomiGrezzi UsaNomiGrezzi(int argc, const char* const* argv, QString& cartella,
                              QMap<QString, QString>& file);
