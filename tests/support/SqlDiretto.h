#pragma once
// SQL run straight on a database file, around the adapter.
#include <QByteArray>
#include <QString>

namespace test {

// Runs sql on the file (a trigger that makes writes fail, as a full disk would); true when it ran.
bool eseguiSql(const QString& percorso, const QByteArray& sql);

}  // namespace test
