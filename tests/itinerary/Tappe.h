#pragma once
// Itinerary grids and stored legs written and read back by the itinerary tests.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "../common/StampaTesti.h"
#include "TestSupport.h"
#include "common/Griglia.h"
#include "database/Archivio.h"
#include "itinerary/GrigliaItinerario.h"

namespace test {

// A new data file, and legs stored into it.
class ArchivioTappe : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        archivio.AvviaDatabase();
    }

    // Legs of a trip, ';'-separated "locality|road|km|type|stop|end of day" (road A1, 10 km, type A,
    // blank stop and "0" for the fields not given).
    void tappe(const QString& meta, const QString& elenco) {
        int n = 0;
        for (const QString& t : elenco.split(';')) {
            const QStringList c = t.trimmed().split('|');
            tappa(archivio.dati(), meta, QString::number(++n).rightJustified(4, '0'), c[0], c.value(2, "10"),
                  {{"NomeStrada", c.value(1, "A1") + ' '},
                   {"TipoStrada", c.value(3, "A")},
                   {"TempoSosta", c.value(4, " ")},
                   {"FineGiorno", c.value(5, "0")}});
        }
    }

    QTemporaryDir dir;
    Archivio archivio{dir.path()};
};

// Legs from row 1 of an itinerary grid, one per ';'-separated text "locality|road|km|type|stop"
// (missing fields empty, an empty text an empty row); each leg is numbered.
inline void ScriviTappe(Griglia& g, const QString& tappe) {
    int r = 1;
    for (const QString& riga : tappe.split(';')) {
        const QStringList c = riga.trimmed().split('|');
        if (!c[0].isEmpty()) g.impostaTesto(r, ColNumero, QString::number(r));
        int i = 0;
        for (int colonna : {ColTappa, ColStrada, ColKm, ColTipoStrada, ColSosta})
            g.impostaTesto(r, colonna, c.value(i++));
        ++r;
    }
}

inline Griglia GrigliaCon(const QString& tappe = {}) {
    Griglia g;
    ImpostaGriglia(g, LayoutItinerario);
    if (!tappe.isEmpty()) ScriviTappe(g, tappe);
    return g;
}

// The localities of rows 1 to the last leg, ';'-joined.
inline QString Localita(const Griglia& g) {
    QStringList l;
    for (int r = 1; r <= UltimaRigaTappa(g); ++r) l << g.testo(r, ColTappa);
    return l.join(';');
}

// Cells of rows da to a in the columns given: cells '|'-joined, rows ';'-joined.
inline QString Righe(const Griglia& g, int da, int a, std::initializer_list<int> colonne) {
    QStringList righe;
    for (int r = da; r <= a; ++r) {
        QStringList l;
        for (int c : colonne) l << g.testo(r, c);
        righe << l.join('|');
    }
    return righe.join(';');
}

// Every cell of a grid, for checking that nothing changed.
inline QStringList Testi(const Griglia& g) {
    QStringList t;
    for (int r = 0; r < g.righe(); ++r)
        for (int c = 0; c < g.colonne(); ++c) t << g.testo(r, c);
    return t;
}

}  // namespace test
