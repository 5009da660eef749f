#pragma once
// Itinerary grids written and read back by the itinerary tests.
#include <QStringList>
#include <initializer_list>

#include "common/Griglia.h"
#include "itinerary/GrigliaItinerario.h"

namespace test {

struct RigaTappa {
    const char* localita;
    const char* strada = "";
    const char* km = "";
    const char* tipo = "";
};

// Legs from row 1 of an itinerary grid (numbered), or of a new one.
inline void ScriviTappe(Griglia& g, std::initializer_list<RigaTappa> tappe) {
    int r = 1;
    for (const RigaTappa& t : tappe) {
        g.impostaTesto(r, ColNumero, QString::number(r));
        g.impostaTesto(r, ColTappa, QString::fromUtf8(t.localita));
        g.impostaTesto(r, ColStrada, QString::fromUtf8(t.strada));
        g.impostaTesto(r, ColKm, QString::fromUtf8(t.km));
        g.impostaTesto(r, ColTipoStrada, QString::fromUtf8(t.tipo));
        ++r;
    }
}

inline Griglia GrigliaCon(std::initializer_list<RigaTappa> tappe) {
    Griglia g;
    ImpostaGriglia(g, LayoutItinerario);
    ScriviTappe(g, tappe);
    return g;
}

// The localities of rows 1 to the last leg.
inline QStringList Localita(const Griglia& g) {
    QStringList l;
    for (int r = 1; r <= UltimaRigaTappa(g); ++r) l << g.testo(r, ColTappa);
    return l;
}

// Cells of a row, "|"-joined.
inline QString Celle(const Griglia& g, int r, std::initializer_list<int> colonne) {
    QStringList l;
    for (int c : colonne) l << g.testo(r, c);
    return l.join('|');
}

}  // namespace test
