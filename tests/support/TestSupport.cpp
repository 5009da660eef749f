#include "TestSupport.h"

#include <QFile>

namespace test {

QByteArray leggiFile(const QString& percorso) {
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void scriviFile(const QString& percorso, const QByteArray& dati) {
    QFile f(percorso);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(dati);
}

}  // namespace test
