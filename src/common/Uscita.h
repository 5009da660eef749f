#pragma once
// What a command run without a window gives back: its exit code and the window's messages as
// console lines.
#include <QString>
#include <QStringList>

constexpr int kUscitaRiuscita = 0;
constexpr int kUscitaErrore = 1;      // database, impossible input, a file not read or written
constexpr int kUscitaMetaIgnota = 2;  // no trip with that code (or no trip at all)

// The window's message as console lines: CR LF (and lone CR or LF) split the lines.
QStringList RigheMessaggio(const QString& messaggio);
