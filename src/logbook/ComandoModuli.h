#pragma once
// The command text that starts a logbook print at once: "DESTINAZIONE,dd/mm/yyyy,dd/mm/yyyy",
// possibly after the program's own path.  Zavetra writes it as the one line of CommandLine.txt in
// the data folder and starts kestrin beside itself; kestrin takes the text from its arguments or,
// without arguments, from that file (name matched without regard to case), which it deletes.
#include <QDate>
#include <QString>

inline const QString kFileComando = QStringLiteral("CommandLine.txt");
inline const QString kNomeKestrin = QStringLiteral("kestrin");

struct ComandoModuli {
    QString destinazione;
    QDate inizio;
    QDate fine;
    QString errore;  // why the text was refused, in Italian (lines separated by CR); empty when valid
    bool valido() const { return errore.isEmpty(); }
};

// Reads a non-empty command text.  Everything up to and including the program's file name (with or
// without ".exe", compared without regard to case, as a whole file name) is dropped first, and so
// is everything up to a ".exe" elsewhere.  Refused: no comma after the destination, a missing end
// date, a date that is not day/month/year of a real day between 1901 and 2099, an end before the
// start, a period of more than 366 days.
ComandoModuli LeggiComandoModuli(const QString& testo, const QString& nomeProgramma = kNomeKestrin);

// Why a period cannot be printed ("la data finale precede quella iniziale.", "il periodo supera i
// 366 giorni."), or the empty text.
QString ErrorePeriodo(const QDate& inizio, const QDate& fine);

// The first line of the command file in the folder, the file then deleted (every file whose name
// matches without regard to case).  Empty when there is none or it cannot be read.
QString LeggiFileComando(const QString& cartella);

// The command line that starts kestrin from the program folder for a period:
// "<cartella>/kestrin DESTINAZIONE,dd/mm/yyyy,dd/mm/yyyy".  A comma inside the destination would
// end it early on reading, so commas become blanks.
QString RigaComandoKestrin(const QString& cartellaProgramma, const QString& destinazione, const QDate& inizio,
                           const QDate& fine);

// Zavetra's start of the logbook print: writes the command line as the only line of
// CommandLine.txt in the data folder and starts the kestrin found in cartellaProgramma, detached,
// on that data folder; kestrin reads the file.  False, with the reason in errore, when kestrin is
// missing or cannot be started (the command file is then removed, so that a later start of kestrin
// by hand does not print it).  pid, when given, receives the started process's id.
bool AvviaKestrin(const QString& cartellaDati, const QString& destinazione, const QDate& inizio,
                  const QDate& fine, const QString& cartellaProgramma, QString* errore,
                  qint64* pid = nullptr);
