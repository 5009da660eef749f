#pragma once
// A data file with its guide types, and the legs and guide entries the guide tests store and read.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "../common/StampaTesti.h"
#include "TestSupport.h"
#include "common/Dialoghi.h"
#include "database/Archivio.h"
#include "database/TipiGuida.h"

namespace test {

class GuidaDb : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    Archivio archivio{dir.path()};
    TabellaTipiGuida tipi;
    DialoghiScriptati dialoghi;

    void SetUp() override {
        archivio.AvviaDatabase();
        CaricaTipiGuida(archivio);  // a new database completes its types at the first start
        tipi = CaricaTipiGuida(archivio);
    }

    // Legs of a trip, ';'-separated "locality|stop".
    void tappe(const QString& meta, const QString& elenco) {
        for (const QString& t : elenco.split(';')) {
            const QStringList c = t.trimmed().split('|');
            tappa(archivio.dati(), meta, "0001", c[0], {}, {{"TempoSosta", c.value(1)}});
        }
    }

    // Guide entries, ';'-separated "locality|description|time|group|code" (01:00, blank group and
    // code 02 when not given).
    void voci(const QString& elenco) {
        for (const QString& v : elenco.split(';')) {
            const QStringList c = v.trimmed().split('|');
            voceGuida(archivio.dati(), c[0], c[1], c.value(2, "01:00"),
                      {{"CodiceGuida", c.value(4, "02")}, {"Gruppo", c.value(3, " ")}});
        }
    }

    // Every stored entry as "Localita|CodiceGuida|Gruppo|Descrizione|TempoSosta|FlagVisto", ';'-joined.
    QString tutte() {
        QStringList v;
        for (RowSet r = archivio.dati().apriTabella(archivio.nome(TabGuidaCitta)); !r.fine();
             r.successivo()) {
            QStringList campi;
            for (const QString& c :
                 QString("Localita CodiceGuida Gruppo Descrizione TempoSosta FlagVisto").split(' '))
                campi << r.testo(c);
            v << campi.join('|');
        }
        return v.join(';');
    }

    // How many entries are stored (with the field given at the value given).
    int conta(const QString& campo = {}, const QString& valore = {}) {
        Query q = Query::di("GuidaCitta");
        if (!campo.isEmpty()) q.dove(campo, valore);
        return archivio.dati().conta(q);
    }
};

}  // namespace test
