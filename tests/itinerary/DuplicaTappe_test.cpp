// Copying a stretch of another trip: trips offered, the leg list, the marked stretch, forwards and back.
#include "itinerary/DuplicaTappe.h"

#include "Tappe.h"

namespace {

using test::GrigliaCon;
using test::Righe;

// The road north, "locality|road|km|type|stop|end of day": each leg's road, km and type lead to it
// from the leg before.
const QString kNord =
    "ROMA||0||; FIRENZE|A1|277|A|00:02:00; BOLOGNA|RACC|105|S|01:00:00|1; VERONA|A22|141; "
    "BRENNERO|SS12|225|P";
const std::initializer_list<int> kColonne = {ColTappa,      ColStrada, ColKm,
                                             ColTipoStrada, ColSosta,  ColFineGiorno};

class DuplicaDb : public test::ArchivioTappe {
  protected:
    void meta(const QString& codice, const QString& localita, const QString& nazione = "Italia") {
        test::inserisci(archivio.dati(), "MeteCamper",
                        {{"CodiceMeta", codice}, {"Localita", localita}, {"Nazione", nazione}});
    }

    // The list of the road north with rows a (initial) and b (final) marked as the panel does.
    EstremiTratto tratto(int a, int b) {
        CaricaTappeAltraMeta(archivio, lista, "000001");
        TrattoDuplica t;
        lista.impostaRiga(a);
        AssegnaTappa(lista, 0, t);
        lista.impostaRiga(b);
        AssegnaTappa(lista, 1, t);
        return EstremiDuplica(lista, t);
    }

    Griglia lista;
    // The current itinerary: a start and one leg already typed.
    Griglia g = GrigliaCon("NAPOLI; ROMA|A1|225");
};

// One trip offered per name, only with legs.
TEST_F(DuplicaDb, MeteOfferteETappeDellaMetaScelta) {
    meta("000001", "Capo Nord", "Norvegia");
    tappe("000001", kNord);
    meta("000002", "CAPO NORD ", "Norvegia");  // a namesake after the first
    tappe("000002", kNord.section(';', 0, 1));
    meta("000003", "Andalusia", "Spagna");  // no legs
    meta("000004", "Berlino", "Germania");  // a namesake without legs comes first
    meta("000005", "Berlino", "Germania");
    tappe("000005", kNord.section(';', 0, 1));

    ASSERT_EQ(CaricaElencoMete(archivio, lista), 2);
    EXPECT_EQ(lista.righe(), 3);
    EXPECT_EQ(Righe(lista, 1, 2, {ColMetaNumero, ColMetaLocalita, ColMetaNazione, ColMetaCodice}),
              "1|Berlino|Germania|000005;2|Capo Nord|Norvegia|000001");
    EXPECT_EQ(lista.larghezzaColonna(ColMetaCodice), 0);  // the code is never shown

    // The chosen trip's legs alone, the kilometres grouped, the end of the day marked.
    tappe("000009", QString(kNord).replace("A22|141", "A22|1500"));
    ASSERT_EQ(CaricaTappeAltraMeta(archivio, lista, "000009"), 5);
    EXPECT_EQ(lista.righe(), 6);
    EXPECT_EQ(Righe(lista, 1, 5, {ColAltraSequenza, ColAltraStrada, ColAltraKm, ColAltraSosta}),
              "0001|||;0002|A1|277|00:02:00;0003|RACC|105|*01:00:00;0004|A22|1.500|;0005|SS12|225|");
}

TEST_F(DuplicaDb, MarcaturaDelTrattoEAbilitazione) {
    tappe("000001", kNord);
    CaricaTappeAltraMeta(archivio, lista, "000001");
    TrattoDuplica t;
    lista.impostaRiga(4);
    AssegnaTappa(lista, 0, t);
    EXPECT_EQ(t.txtInsLoc[0] + '|' + t.txtInsNS[0] + '|' + t.txtInsKm[0] + '|' + t.txtInsNum[0],
              "VERONA|A22|141|4");
    // Only one end: that row alone is selected and the insertion waits for the other.
    EXPECT_FALSE(SelezioneTappeDuplica(lista, t));
    EXPECT_EQ(lista.selezione(), (Rettangolo{4, 0, 4, 5}));

    lista.impostaRiga(2);
    AssegnaTappa(lista, 1, t);
    EXPECT_TRUE(SelezioneTappeDuplica(lista, t));
    EXPECT_EQ(lista.selezione(), (Rettangolo{2, 0, 4, 5}));
    const EstremiTratto e = EstremiDuplica(lista, t);
    EXPECT_EQ(std::pair(e.a, e.b), std::pair(4, 2));
    t.txtInsNum[1] = "99";  // a number typed beyond the list is held to it
    EXPECT_EQ(EstremiDuplica(lista, t).b, 5);
}

TEST_F(DuplicaDb, CopiaAvantiDopoLaTappaCorrente) {
    tappe("000001", kNord);
    const EstremiTratto e = tratto(2, 4);
    g.impostaTesto(3, ColTappa, "OLTRE");  // a leg below the insertion point moves down
    int corrente = 2;                      // the current row holds a leg: the stretch goes after it
    ASSERT_EQ(InserisciTratto(g, corrente, lista, e.a, e.b, true), 3);
    EXPECT_EQ(corrente, 3);
    EXPECT_EQ(Righe(g, 2, 6, kColonne),
              "ROMA|A1|225|||;FIRENZE|A1|277|A|00:02:00|0;"
              "BOLOGNA|RACC|105|S|*01:00:00|1;VERONA|A22|141|A||0;OLTRE|||||");
    EXPECT_EQ(g.testo(6, ColNumero), "6");
    EXPECT_EQ(g.coloreSfondo(4, ColSosta), std::optional<Colore>(kColoreFineGiorno));
}

TEST_F(DuplicaDb, CopiaAllIndietroConLeStradeDellaTappaSeguente) {
    tappe("000001", kNord);
    EstremiTratto e = tratto(4, 2);
    int corrente = RigaInserimentoDuplica(g);
    EXPECT_EQ(corrente, 3);
    ASSERT_EQ(InserisciTratto(g, corrente, lista, e.a, e.b, false), 3);
    EXPECT_EQ(corrente, 3);
    EXPECT_FALSE(g.coloreSfondo(5, ColSosta).has_value());

    // Backwards from the last leg of the list: there is no road after it.
    e = tratto(5, 5);
    corrente = RigaInserimentoDuplica(g);
    InserisciTratto(g, corrente, lista, e.a, e.b, false);
    EXPECT_EQ(Righe(g, 3, 7, kColonne),
              "VERONA|SS12|225|P||0;BOLOGNA|A22|141|A||0;FIRENZE|RACC|105|S||0;"
              "BRENNERO|SS12|225|P||0;|||||");
}

}  // namespace
