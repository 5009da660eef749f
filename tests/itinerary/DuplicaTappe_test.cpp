// Copying a stretch of another trip: which trips are offered, the leg list, marking the stretch,
// and the insertion forwards and backwards, with and without stops.
#include "itinerary/DuplicaTappe.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "TestSupport.h"
#include "common/Griglia.h"
#include "database/Archivio.h"
#include "itinerary/GrigliaItinerario.h"

namespace {

struct Tappa {
    QString localita, strada, km, tipo, sosta, fineGiorno;
};

// The road north: each leg's road, km and type lead to it from the leg before.
const QList<Tappa> kNord = {
    {"ROMA", "", "0", "", " ", "0"},
    {"FIRENZE", "A1", "277", "A", "00:02:00", "0"},
    {"BOLOGNA", "RACC", "105", "S", "01:00:00", "1"},
    {"VERONA", "A22", "141", "A", " ", "0"},
    {"BRENNERO", "SS12", "225", "P", " ", "0"},
};

class DuplicaDb : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        archivio.AvviaDatabase();
    }

    void meta(const QString& codice, const QString& localita, const QString& nazione = "Italia") {
        test::inserisci(archivio.dati(), "MeteCamper",
                        {{"CodiceMeta", codice}, {"Localita", localita}, {"Nazione", nazione}});
    }

    void tappe(const QString& codice, const QList<Tappa>& elenco) {
        for (int i = 0; i < elenco.size(); ++i)
            test::tappa(archivio.dati(), codice, QString("%1").arg(i + 1, 4, 10, QChar('0')),
                        elenco[i].localita, elenco[i].km,
                        {{"NomeStrada", elenco[i].strada + " "},
                         {"TipoStrada", elenco[i].tipo},
                         {"TempoSosta", elenco[i].sosta},
                         {"FineGiorno", elenco[i].fineGiorno}});
    }

    // The current itinerary: a start and one leg already typed.
    static Griglia itinerario() {
        Griglia g;
        ImpostaGriglia(g, LayoutItinerario);
        g.impostaRighe(kRigheMinimeItinerario);
        g.impostaTesto(1, ColTappa, "NAPOLI");
        g.impostaTesto(2, ColTappa, "ROMA");
        g.impostaTesto(2, ColStrada, "A1");
        g.impostaTesto(2, ColKm, "225");
        return g;
    }

    static QStringList riga(const Griglia& g, int r) {
        return celle(g, r, {ColTappa, ColStrada, ColKm, ColTipoStrada, ColSosta, ColFineGiorno});
    }
    static QStringList celle(const Griglia& g, int r, std::initializer_list<int> colonne) {
        QStringList l;
        for (int c : colonne) l << g.testo(r, c);
        return l;
    }

    // Marks rows a (initial) and b (final) of the leg list as the panel does.
    static TrattoDuplica marca(Griglia& lista, int a, int b) {
        TrattoDuplica t;
        lista.impostaRiga(a);
        AssegnaTappa(lista, 0, t);
        lista.impostaRiga(b);
        AssegnaTappa(lista, 1, t);
        return t;
    }

    QTemporaryDir dir;
    Archivio archivio{dir.path()};
};

TEST_F(DuplicaDb, OffreSoloLeMeteConTappeUnaPerNome) {
    meta("000001", "Capo Nord", "Norvegia");
    tappe("000001", kNord);
    meta("000002", "CAPO NORD ", "Norvegia");  // a namesake after the first
    tappe("000002", kNord.mid(0, 2));
    meta("000003", "Andalusia", "Spagna");  // no legs
    meta("000004", "Berlino", "Germania");  // a namesake without legs comes first
    meta("000005", "Berlino", "Germania");
    tappe("000005", kNord.mid(0, 2));

    Griglia lista;
    ASSERT_EQ(CaricaElencoMete(archivio, lista), 2);
    EXPECT_EQ(lista.righe(), 3);
    const std::initializer_list<int> colonne = {ColMetaNumero, ColMetaLocalita, ColMetaNazione,
                                                ColMetaCodice};
    EXPECT_EQ(celle(lista, 1, colonne), (QStringList{"1", "Berlino", "Germania", "000005"}));
    EXPECT_EQ(celle(lista, 2, colonne), (QStringList{"2", "Capo Nord", "Norvegia", "000001"}));
    EXPECT_EQ(lista.larghezzaColonna(ColMetaCodice), 0);  // the code is never shown
}

TEST_F(DuplicaDb, ListaDelleTappeConKmRaggruppatiEFineGiorno) {
    meta("000001", "Capo Nord");
    QList<Tappa> lunga = kNord;
    lunga[3].km = "1500";
    tappe("000001", lunga);
    tappe("000002", kNord.mid(0, 1));

    Griglia lista;
    ASSERT_EQ(CaricaTappeAltraMeta(archivio, lista, "000001"), 5);
    EXPECT_EQ(lista.righe(), 6);
    EXPECT_EQ(celle(lista, 1, {ColAltraSequenza, ColAltraKm}), (QStringList{"0001", ""}));
    EXPECT_EQ(celle(lista, 2, {ColAltraStrada, ColAltraSosta}), (QStringList{"A1", "00:02:00"}));
    EXPECT_EQ(
        celle(lista, 3, {ColAltraSosta}) + celle(lista, 4, {ColAltraKm}) + celle(lista, 5, {ColAltraSosta}),
        (QStringList{"*01:00:00", "1.500", ""}));
}

TEST_F(DuplicaDb, MarcaturaDelTrattoEAbilitazione) {
    tappe("000001", kNord);
    Griglia lista;
    CaricaTappeAltraMeta(archivio, lista, "000001");

    TrattoDuplica t;
    lista.impostaRiga(4);
    AssegnaTappa(lista, 0, t);
    EXPECT_EQ((QStringList{t.txtInsLoc[0], t.txtInsNS[0], t.txtInsKm[0], t.txtInsNum[0]}),
              (QStringList{"VERONA", "A22", "141", "4"}));
    // Only one end: that row alone is selected and the insertion waits for the other.
    EXPECT_FALSE(SelezioneTappeDuplica(lista, t));
    EXPECT_EQ(lista.selezione(), (Rettangolo{4, 0, 4, 5}));

    lista.impostaRiga(2);
    AssegnaTappa(lista, 1, t);
    EXPECT_TRUE(SelezioneTappeDuplica(lista, t));
    EXPECT_EQ(lista.selezione(), (Rettangolo{2, 0, 4, 5}));
    const EstremiTratto e = EstremiDuplica(lista, t);
    EXPECT_EQ(std::pair(e.a, e.b), std::pair(4, 2));

    // A number typed beyond the list is held to it.
    t.txtInsNum[1] = "99";
    EXPECT_EQ(EstremiDuplica(lista, t).b, 5);
}

TEST_F(DuplicaDb, CopiaAvantiDopoLaTappaCorrente) {
    tappe("000001", kNord);
    Griglia lista;
    CaricaTappeAltraMeta(archivio, lista, "000001");
    const TrattoDuplica t = marca(lista, 2, 4);
    const EstremiTratto e = EstremiDuplica(lista, t);

    Griglia g = itinerario();
    g.impostaTesto(3, ColTappa, "OLTRE");  // a leg below the insertion point moves down
    int corrente = 2;                      // the current row holds a leg: the stretch goes after it
    ASSERT_EQ(InserisciTratto(g, corrente, lista, e.a, e.b, true), 3);
    EXPECT_EQ(corrente, 3);
    EXPECT_EQ(riga(g, 3), (QStringList{"FIRENZE", "A1", "277", "A", "00:02:00", "0"}));
    EXPECT_EQ(riga(g, 4), (QStringList{"BOLOGNA", "RACC", "105", "S", "*01:00:00", "1"}));
    EXPECT_EQ(g.coloreSfondo(4, ColSosta), std::optional<Colore>(kColoreFineGiorno));
    EXPECT_EQ(riga(g, 5), (QStringList{"VERONA", "A22", "141", "A", "", "0"}));
    EXPECT_EQ(celle(g, 6, {ColTappa, ColNumero}), (QStringList{"OLTRE", "6"}));
    EXPECT_EQ(g.testo(2, ColTappa), "ROMA");
}

TEST_F(DuplicaDb, CopiaAllIndietroConLeStradeDellaTappaSeguente) {
    tappe("000001", kNord);
    Griglia lista;
    CaricaTappeAltraMeta(archivio, lista, "000001");
    const EstremiTratto e = EstremiDuplica(lista, marca(lista, 4, 2));

    Griglia g = itinerario();
    int corrente = RigaInserimentoDuplica(g);
    EXPECT_EQ(corrente, 3);
    ASSERT_EQ(InserisciTratto(g, corrente, lista, e.a, e.b, false), 3);
    EXPECT_EQ(corrente, 3);
    EXPECT_EQ(riga(g, 3), (QStringList{"VERONA", "SS12", "225", "P", "", "0"}));
    EXPECT_EQ(riga(g, 4), (QStringList{"BOLOGNA", "A22", "141", "A", "", "0"}));
    EXPECT_EQ(riga(g, 5), (QStringList{"FIRENZE", "RACC", "105", "S", "", "0"}));
    EXPECT_FALSE(g.coloreSfondo(5, ColSosta).has_value());
    EXPECT_EQ(g.testo(6, ColTappa), "");

    // Backwards from the last leg of the list: there is no road after it.
    const EstremiTratto coda = EstremiDuplica(lista, marca(lista, 5, 5));
    int fine = RigaInserimentoDuplica(g);
    InserisciTratto(g, fine, lista, coda.a, coda.b, false);
    EXPECT_EQ(riga(g, 6), (QStringList{"BRENNERO", "SS12", "225", "P", "", "0"}));
}

}  // namespace
