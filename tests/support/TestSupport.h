#pragma once
// Small helpers shared by the tests of every subsystem.
#include <QByteArray>
#include <QString>

namespace test {

// Bytes of a file, or an empty array when it cannot be read.
QByteArray leggiFile(const QString& percorso);
void scriviFile(const QString& percorso, const QByteArray& dati);

}  // namespace test
