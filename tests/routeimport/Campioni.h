#pragma once
// The sample files of these tests.  The compiler may name this file relative to the build
// directory, where the test executable lives, so the path is resolved from there.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>

#include "TestSupport.h"

namespace campioni {

inline QString Percorso(const char* nome) {
    const QString sorgente = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(__FILE__));
    return QDir::cleanPath(QFileInfo(sorgente).absolutePath() + "/../data/routeimport/" + nome);
}

inline QByteArray Byte(const char* nome) {
    return test::leggiFile(Percorso(nome));
}

}  // namespace campioni
