#pragma once
// The sample files of these tests, and legs and grids written one per line for comparing whole.
#include <QString>
#include <string>

#include "TestSupport.h"
#include "common/Griglia.h"
#include "itinerary/GrigliaItinerario.h"
#include "routeimport/TappeImportate.h"

namespace campioni {

inline QString Percorso(const char* nome) {
    return QStringLiteral(QT_TESTCASE_SOURCEDIR "/tests/data/routeimport/") + nome;
}

inline QByteArray Byte(const char* nome) {
    return test::leggiFile(Percorso(nome));
}

// One leg a line: locality|road|km|type, then "|TRAGH" for a ferry.
inline std::string Tappe(const QList<TappaImportata>& tappe) {
    QStringList l;
    for (const TappaImportata& t : tappe)
        l << QStringList{t.localita, t.strada, QString::number(t.km), t.tipoStrada}.join('|') +
                 (t.traghetto ? "|TRAGH" : "");
    return l.join('\n').toStdString();
}

// The legs of an itinerary grid, one a line, the given columns "|"-joined.
inline std::string Righe(const Griglia& g, std::initializer_list<int> colonne) {
    QStringList l;
    for (int r = 1; r <= UltimaRigaTappa(g); ++r) {
        QStringList celle;
        for (int c : colonne) celle << g.testo(r, c);
        l << celle.join('|');
    }
    return l.join('\n').toStdString();
}

// Every line "input|expected" of a table, its input read again through f: the table itself when
// every case holds, and the failing lines shown side by side when not.
template <class F>
std::string Rilegge(const char* tabella, F f) {
    QStringList l;
    for (const QString& riga : QString::fromUtf8(tabella).split('\n'))
        l << riga.section('|', 0, 0) + '|' + f(riga.section('|', 0, 0));
    return l.join('\n').toStdString();
}

}  // namespace campioni
