#pragma once
// Text files written for the user and read back: single-byte Windows-1252 text, every line ended
// by CR LF.  A character that Windows-1252 cannot hold is written as "?".
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The Windows-1252 bytes of a text; every character outside the code page becomes "?".
QByteArray Codifica1252(const QString& testo);
// The text of Windows-1252 bytes (every byte maps to a character).
QString Decodifica1252(const QByteArray& byte);

// The bytes of a file of lines: each line encoded and followed by CR LF.
QByteArray Righe1252(const QStringList& righe);
// Replaces the file with the lines, atomically: when the write fails the old file stays as it
// was and false is returned.  A path that ControllaFileUscita refuses is not touched (false).
bool ScriviRighe1252(const QString& percorso, const QStringList& righe);

// The lines of a Windows-1252 file.  A line ends at LF, a CR right before it is dropped, and a
// last line without its end still counts; nothing when the file cannot be read.
std::optional<QStringList> LeggiRighe1252(const QString& percorso);
// The same splitting on bytes already read.
QStringList DividiRighe1252(const QByteArray& byte);
