#pragma once
// Shared by the tests of the main program: paths in the source tree, trips stored as the window
// stores them, and the program started without any display.
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include "TestSupport.h"
#include "database/Archivio.h"
#include "trips/Meta.h"

namespace prova {

// A path relative to the root of the source tree.
inline QString Sorgente(const QString& relativo) {
    QString file = QString::fromUtf8(__FILE__);
    if (QFileInfo(file).isRelative()) file = QCoreApplication::applicationDirPath() + QLatin1Char('/') + file;
    return QDir::cleanPath(QFileInfo(file).absolutePath() + QStringLiteral("/../../") + relativo);
}

// A trip stored as the window stores it, starting on `inizio` at 08:00 with no desired days, and its
// legs from the first, each "locality|km[|road type[|road name]]" (type A and road A1 by default).
inline void Meta(Archivio& a, const QString& codice, const QString& localita, const QStringList& tappe = {},
                 const QDate& inizio = QDate(2026, 7, 1)) {
    BoxMeta b;
    ImpostaDefaultFabbrica(b);
    b.cmbInizio = {inizio.toString("dd"), inizio.toString("MM"), inizio.toString("yyyy"), "08", "00"};
    b.cmbGiorni = "000";
    b.txtLocalita = localita;
    b.txtNazione = "ITALIA";
    ScriviMeta({"I", codice}, b, a);
    int seq = 0;
    for (const QString& t : tappe) {
        const QStringList c = t.split('|');
        test::tappa(a.dati(), codice, QString::number(++seq).rightJustified(4, '0'), c[0], c[1],
                    {{"NomeStrada", c.value(3, "A1")},
                     {"TipoStrada", c.value(2, "A")},
                     {"TempoSosta", " "},
                     {"FineGiorno", "0"}});
    }
}

// The environment without a display: the program must answer before building any window.
inline QProcessEnvironment SenzaSchermo() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(v);
    return env;
}

struct Uscita {
    int codice;  // -1 when the program did not end normally
    QString errore;
    QString uscita;
};

// Runs a program without a display, in `cartella` when given, and waits for it.
inline Uscita Esegui(const QString& programma, const QStringList& argomenti, const QString& cartella = {}) {
    QProcess p;
    p.setProcessEnvironment(SenzaSchermo());
    if (!cartella.isEmpty()) p.setWorkingDirectory(cartella);
    p.start(programma, argomenti);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError()), QString::fromUtf8(p.readAllStandardOutput())};
}

// The Zavetra program itself.
inline Uscita Zavetra(const QStringList& argomenti) {
    return Esegui(QStringLiteral(ZAVETRA_PROGRAMMA), argomenti);
}

}  // namespace prova
