#pragma once
// Where Voviva.mdb and the files written for the user live: the program's own directory when it
// is writable and the program is not installed (a portable copy or a build folder), otherwise the
// user's data directory; --data-dir overrides both.
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
