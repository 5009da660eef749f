// Editing the legs in the grid: the insert checks and their messages, markers, the way back,
// rows added and deleted, positioning and the locality list.
#include "itinerary/ModificaTappe.h"

#include <gtest/gtest.h>

#include "Tappe.h"
#include "common/Griglia.h"
#include "common/StampaTesti.h"
#include "itinerary/GrigliaItinerario.h"

namespace {

using test::GrigliaCon;
using test::Localita;

// Road, kilometres and road type of a row, "|"-joined.
QString Strada(const Griglia& g, int r) {
    return g.testo(r, ColStrada) + '|' + g.testo(r, ColKm) + '|' + g.testo(r, ColTipoStrada);
}

CampiTappa Campi(const char* tappa, const char* km, const char* tipo = "A") {
    CampiTappa c;
    c.txtTappa = QString::fromUtf8(tappa);
    c.txtKm = QString::fromUtf8(km);
    c.tipoStrada = QString::fromUtf8(tipo);
    c.cmbSosta = {"00", "00", "00"};
    return c;
}

TEST(Inserisce, ControlliEMessaggiNellOrdine) {
    Griglia g = GrigliaCon({});
    int riga = 1;
    DialoghiScriptati d;

    CampiTappa c = Campi("  ", "1000");
    EXPECT_FALSE(cmdInserisce(g, riga, c, d));
    EXPECT_EQ(d.testiMostrati(),
              (QStringList{"Impossibile:\r\nIndica un valore compreso tra 1 e 999",
                           QString::fromUtf8("Impossibile:\r\nIndica il nome della località!")}));

    // 999 km is still a leg.
    d.mostrati.clear();
    c = Campi("ROMA", "999");
    EXPECT_TRUE(cmdInserisce(g, riga, c, d));
    EXPECT_TRUE(d.mostrati.isEmpty());
    EXPECT_EQ(g.testo(1, ColKm), "999");
    g = GrigliaCon({});
    riga = 1;

    d.mostrati.clear();
    c = Campi("ROMA", "0");
    EXPECT_FALSE(cmdInserisce(g, riga, c, d));
    c = Campi("ROMA", "12", "");
    EXPECT_FALSE(cmdInserisce(g, riga, c, d));
    EXPECT_EQ(d.testiMostrati(),
              (QStringList{"Chilometri (o sosta): dato obbligatorio!", "Tipo strada obbligatorio!"}));
    EXPECT_EQ(d.mostrati[1].titolo, "Dato obbligatorio");
    EXPECT_EQ(UltimaRigaTappa(g), 0);
    EXPECT_EQ(riga, 1);
}

TEST(Inserisce, TappeAccettateSenzaChilometri) {
    Griglia g = GrigliaCon({});
    int riga = 1;
    DialoghiScriptati d;
    CampiTappa c = Campi("roma", "0", "A");
    c.cmbSosta = {"01", "2", "30"};
    ASSERT_TRUE(cmdInserisce(g, riga, c, d));
    EXPECT_EQ(g.testo(1, ColTappa), "roma");
    EXPECT_EQ(g.testo(1, ColTipoStrada), "");  // no road type without kilometres
    EXPECT_EQ(g.testo(1, ColSosta), "01:02:30");
    EXPECT_EQ(riga, 2);

    c = Campi("NAPOLI", "0", "");
    c.txtNumStrada = "TRAGH";
    EXPECT_TRUE(cmdInserisce(g, riga, c, d));
    c = Campi("ISCHIA", "0", "");
    c.chkEndDay = true;
    EXPECT_TRUE(cmdInserisce(g, riga, c, d));
    EXPECT_EQ(g.testo(3, ColSosta), "*");
    EXPECT_EQ(g.testo(3, ColFineGiorno), "1");
    EXPECT_TRUE(d.mostrati.isEmpty());
    EXPECT_EQ(riga, 4);
}

TEST(Inserisce, ChilometriProgressiviDiventanoLaDifferenza) {
    Griglia g = GrigliaCon({{"A", "", "", ""}, {"B", "A1", "550", "A"}});
    g.impostaTesto(2, ColKmProgressivi, "550");
    int riga = 3;
    DialoghiScriptati d;
    CampiTappa c = Campi("C", "1000");
    ImpostaKmProgressivi(g, riga, true, c);
    ASSERT_TRUE(c.chkKm);
    QString nota;
    ASSERT_TRUE(cmdInserisce(g, riga, c, d, &nota));
    EXPECT_EQ(g.testo(3, ColKm), "450");
    EXPECT_EQ(nota, QString::fromUtf8("Km progressivi: 1000 → 450 dalla tappa precedente"));
    // The box is left as it was for the next row: still ticked.
    EXPECT_TRUE(c.chkKm);

    g.impostaTesto(3, ColKmProgressivi, "1.000");  // as the grid shows it
    c = Campi("D", "1200");
    riga = 4;
    ImpostaKmProgressivi(g, riga, true, c);
    ASSERT_TRUE(cmdInserisce(g, riga, c, d, &nota));
    EXPECT_EQ(g.testo(4, ColKm), "200");

    // A number not above the progressive distance is a leg of its own, and nothing is said.
    c = Campi("E", "300");
    riga = 5;
    g.impostaTesto(4, ColKmProgressivi, "1.200");
    ImpostaKmProgressivi(g, riga, true, c);
    ASSERT_TRUE(cmdInserisce(g, riga, c, d, &nota));
    EXPECT_EQ(g.testo(5, ColKm), "300");
    EXPECT_TRUE(nota.isEmpty());
}

TEST(Inserisce, SovrascriveEAllungaLaGriglia) {
    Griglia g = GrigliaCon({{"A", "", "", ""}, {"B", "A1", "10", "A"}});
    int riga = 2;
    DialoghiScriptati d;
    CampiTappa c = Campi("X", "20", "P");
    ASSERT_TRUE(cmdInserisce(g, riga, c, d));
    EXPECT_EQ(Localita(g), (QStringList{"A", "X"}));
    EXPECT_EQ(g.testo(2, ColTipoStrada), "P");

    riga = 16;
    c = Campi("Z", "5", "L");
    ASSERT_TRUE(cmdInserisce(g, riga, c, d));
    EXPECT_EQ(g.testo(16, ColTappa), "Z");
    EXPECT_GE(g.righe(), 18);  // an empty row after the last leg
    EXPECT_EQ(riga, 17);
}

TEST(Marche, PrimaMetaSpostaLaMarca) {
    Griglia g = GrigliaCon(
        {{"A", "", "", ""}, {"B [Start]", "", "5", "A"}, {"C [End]", "", "5", "A"}, {"D", "", "5", "A"}});
    int riga = 5;
    DialoghiScriptati d;
    CampiTappa c = Campi("E", "5");
    c.chkMeta = {true, false};
    ASSERT_TRUE(cmdInserisce(g, riga, c, d));
    EXPECT_EQ(Localita(g), (QStringList{"A", "B", "C [End]", "D", "E [Start]"}));

    CancellaFlagStartEnd(g, 2);
    EXPECT_EQ(Localita(g), (QStringList{"A", "B", "C", "D", "E [Start]"}));
}

// The way back starts from the earlier visit of the last locality (a name that only begins alike
// is not one), or from the last leg itself; empty rows are closed up first.
TEST(Ritorno, RipercorreLeTappeAllIndietro) {
    struct Caso {
        Griglia g;
        int prima;
        QStringList localita, strade;  // then road|km|type of the rows added
    };
    const QList<Caso> casi = {
        {GrigliaCon({{"A"}, {"B", "SS1", "10", "P"}, {"C", "A1", "20", "A"}, {"D", "E45", "30", "S"}}),
         4,
         {"A", "B", "C", "D", "C", "B", "A"},
         {"E45|30|S", "A1|20|A", "SS1|10|P"}},
        {GrigliaCon({{"A [Start]"},
                     {"B", "SS1", "10", "P"},
                     {"C", "A1", "20", "A"},
                     {"D", "E45", "30", "S"},
                     {"b (bis)", "E45", "40", "S"}}),
         2,
         {"A [Start]", "B", "C", "D", "b (bis)", "A"},
         {"SS1|10|P"}},
        {GrigliaCon({{"ROMA"}, {"ROMANO", "A1", "10", "A"}, {"ROMA", "A1", "10", "A"}}),
         1,
         {"ROMA", "ROMANO", "ROMA"},
         {}},
        {GrigliaCon({{"A"}, {""}, {"B", "X", "10", "L"}}), 2, {"A", "B", "A"}, {"X|10|L"}},
        {GrigliaCon({}), 0, {}, {}},
    };
    for (Caso c : casi) {
        SCOPED_TRACE(c.localita.join(' ').toStdString());
        EXPECT_EQ(cmdRitorno(c.g), c.prima);
        EXPECT_EQ(Localita(c.g), c.localita);
        const int ultima = UltimaRigaTappa(c.g);
        QStringList strade;
        for (int r = ultima - c.strade.size() + 1; r <= ultima; ++r) strade << Strada(c.g, r);
        EXPECT_EQ(strade, c.strade);
        for (int r = 1; r <= ultima; ++r) EXPECT_EQ(c.g.testo(r, ColNumero), QString::number(r));
    }
}

TEST(Righe, CancellaEAggiunge) {
    Griglia g = GrigliaCon({{"A", "", "", ""}});
    cmdCancella(g, 1);
    EXPECT_EQ(UltimaRigaTappa(g), 0);
    EXPECT_EQ(g.righe(), kRigheMinimeItinerario);

    g = GrigliaCon({{"A", "", "", ""}, {"B", "", "5", "A"}, {"C", "", "5", "A"}});
    const int righe = g.righe();
    cmdCancella(g, 2);
    EXPECT_EQ(Localita(g), (QStringList{"A", "C"}));
    EXPECT_EQ(g.testo(2, ColNumero), "2");
    EXPECT_EQ(g.righe(), righe);

    InserisciRigheItinerario(g, 2, 2);
    EXPECT_EQ(Localita(g), (QStringList{"A", "", "", "C"}));
    EXPECT_EQ(g.testo(2, ColNumero), "2");
    EXPECT_EQ(g.testo(4, ColNumero), "4");
    EXPECT_EQ(g.testo(4, ColKm), "5");
}

TEST(Posizionamento, CaricaICampiDallaRigaCorrente) {
    Griglia g = GrigliaCon({{"A [Start]", "SS1", "", ""}, {"B [End]", "", "12", ""}});
    g.impostaTesto(2, ColSosta, "*01:02:03");
    int riga = 2;
    CampiTappa c;
    const AbilitazioneItinerario a = AggiornaNumeroRiga(g, riga, c);
    // The road is the previous row's; no road type reads as local.
    EXPECT_EQ((QStringList{c.txtTappa, c.txtNumStrada, c.txtKm, c.tipoStrada}),
              (QStringList{"B", "SS1", "12", "L"}));
    EXPECT_EQ(c.chkMeta, (std::array<bool, 2>{false, true}));
    EXPECT_TRUE(c.chkEndDay);
    EXPECT_EQ(c.cmbSosta, (std::array<QString, 3>{"01", "02", "03"}));
    EXPECT_EQ(c.txtRiga, "2");
    EXPECT_EQ(g.selezione(), (Rettangolo{2, 0, 2, g.colonne() - 1}));
    EXPECT_EQ(a, (AbilitazioneItinerario{true, true, true, false}));

    riga = 10;  // beyond the legs: the first empty row
    AggiornaNumeroRiga(g, riga, c);
    EXPECT_EQ(riga, 3);
    EXPECT_EQ(c.txtTappa, "");
    EXPECT_FALSE(c.chkEndDay);

    Griglia una = GrigliaCon({{"A", "", "", ""}});
    EXPECT_EQ(AggiornaNumeroRiga(una, riga, c), (AbilitazioneItinerario{false, false, false, true}));
}

TEST(Posizionamento, TastiEScorrimento) {
    Griglia g;
    ImpostaGriglia(g, LayoutItinerario);
    g.impostaRighe(60);
    for (int r = 1; r <= 50; ++r) g.impostaTesto(r, ColTappa, QString::number(r));
    int riga = 1;
    CampiTappa c;
    SpostaRigaCorrente(g, 18, riga, c);
    EXPECT_EQ(riga, 19);
    EXPECT_EQ(g.rigaInAlto(), 5);
    EXPECT_EQ(g.righe(), 52);  // one empty row after the last leg
    SpostaRigaCorrente(g, -18, riga, c);
    EXPECT_EQ(riga, 1);
    EXPECT_EQ(g.rigaInAlto(), 1);
    SpostaRigaCorrente(g, -1, riga, c);
    EXPECT_EQ(riga, 1);
}

TEST(Posizionamento, ClickEKmProgressivi) {
    Griglia g = GrigliaCon({{"A", "", "", ""}, {"B", "", "10", "A"}, {"C", "", "10", "A"}});
    g.impostaTesto(2, ColKmProgressivi, "10");
    int riga = 1;
    CampiTappa c;
    c.chkMeta = {true, true};
    ClickRigaItinerario(g, 3, riga, c, true);
    EXPECT_EQ(riga, 3);
    EXPECT_EQ(c.chkMeta, (std::array<bool, 2>{false, false}));
    QList<bool> km{c.chkKmVisibile, c.chkKm};
    ClickRigaItinerario(g, 3, riga, c, false);
    km << c.chkKmVisibile << c.chkKm;
    ClickRigaItinerario(g, 2, riga, c, true);
    km << c.chkKmVisibile;
    EXPECT_EQ(km, (QList<bool>{true, true, false, false, false}));
}

TEST(Elenco, LocalitaOrdinateESalto) {
    Griglia g = GrigliaCon({{"ROMA", "", "", ""}, {"ANCONA", "", "5", "A"}});
    const QStringList elenco = ElencoLocalitaItinerario(g);
    ASSERT_EQ(elenco.size(), 2);
    EXPECT_EQ(elenco[0], QString("ANCONA").leftJustified(31) + "0002");
    int riga = 1;
    CampiTappa c;
    EXPECT_EQ(RicercaDiUnaSingolaTappa(g, elenco[0], riga, c), 2);
    EXPECT_EQ(riga, 2);
    EXPECT_EQ(c.txtTappa, "ANCONA");
}

TEST(Testi, RiepilogoEFiltri) {
    Griglia g = GrigliaCon({{"ROMA", "A1", "12", "A"}});
    const QString r = RiepilogoRiga(g, 1);
    EXPECT_TRUE(r.startsWith("Dati relativi a:\r\n\r\nNum.:\t1\r\nTappa:\tROMA\r\n"));
    EXPECT_TRUE(r.endsWith("Note:\t"));

    EXPECT_EQ(FiltraKm("A1"), "1");
    EXPECT_FALSE(TastoKmAccettato(QChar('-')));
    EXPECT_EQ(QString(TastoMaiuscolo(QChar(u'è'))) + TastoMaiuscolo(QChar('1')), QString::fromUtf8("È1"));
}

TEST(Layout, LaGuidaTieneLeColonneDellItinerarioESelezioneNeiLimiti) {
    Griglia g;
    ImpostaGriglia(g, LayoutGuida);
    EXPECT_EQ(g.colonne(), kColonneItinerario);  // column 8 marks the entry rows
    EXPECT_EQ(g.larghezzaColonna(8), 0);
    ImpostaGriglia(g, LayoutItinerario);
    EXPECT_EQ(g.righe(), kRigheMinimeItinerario);

    SelezioneGriglia(g, 0, 99, -3, 99);
    EXPECT_EQ(g.selezione(), (Rettangolo{1, 0, g.righe() - 1, g.colonne() - 1}));
    g.impostaTesto(3, 1, "x");
    CancellaMatrice(g);
    EXPECT_EQ(g.testo(3, 1), "");
    EXPECT_EQ(g.testo(0, 1), "Tappa");
}

}  // namespace
