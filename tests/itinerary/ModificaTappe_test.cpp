// Editing legs in the grid: insert checks, markers, the way back, rows, positioning, the locality list.
#include "itinerary/ModificaTappe.h"

#include "Tappe.h"

namespace {

using test::GrigliaCon;
using test::Localita;
using test::Righe;

CampiTappa Campi(const char* tappa, const char* km, const char* tipo = "A") {
    CampiTappa c;
    c.txtTappa = QString::fromUtf8(tappa);
    c.txtKm = QString::fromUtf8(km);
    c.tipoStrada = QString::fromUtf8(tipo);
    c.cmbSosta = {"00", "00", "00"};
    return c;
}

// The checks in their order, each refusal writing nothing; 999 km is still a leg, and a leg
// without kilometres needs a stop, a ferry or the end of the day, and has no road type.
TEST(Inserisce, ControlliEMessaggiNellOrdine) {
    Griglia g = GrigliaCon();
    int riga = 1;
    DialoghiScriptati d;
    for (CampiTappa c : {Campi("  ", "1000"), Campi("ROMA", "0"), Campi("ROMA", "12", "")})
        EXPECT_FALSE(cmdInserisce(g, riga, c, d));
    EXPECT_EQ(d.testiMostrati(),
              (QStringList{"Impossibile:\r\nIndica un valore compreso tra 1 e 999",
                           QString::fromUtf8("Impossibile:\r\nIndica il nome della località!"),
                           "Chilometri (o sosta): dato obbligatorio!", "Tipo strada obbligatorio!"}));
    EXPECT_EQ(UltimaRigaTappa(g), 0);
    EXPECT_EQ(riga, 1);

    d.mostrati.clear();
    CampiTappa c = Campi("ROMA", "999");
    ASSERT_TRUE(cmdInserisce(g, riga, c, d));
    c = Campi("roma", "0", "A");
    c.cmbSosta = {"01", "2", "30"};
    ASSERT_TRUE(cmdInserisce(g, riga, c, d));
    c = Campi("NAPOLI", "0", "");
    c.txtNumStrada = "TRAGH";
    EXPECT_TRUE(cmdInserisce(g, riga, c, d));
    c = Campi("ISCHIA", "0", "");
    c.chkEndDay = true;
    EXPECT_TRUE(cmdInserisce(g, riga, c, d));
    EXPECT_EQ(Righe(g, 1, 4, {ColTappa, ColKm, ColTipoStrada, ColSosta, ColFineGiorno}),
              "ROMA|999|A||0;roma|0||01:02:30|0;NAPOLI|0|||0;ISCHIA|0||*|1");
    EXPECT_TRUE(d.mostrati.isEmpty());
    EXPECT_EQ(riga, 5);

    // A leg typed on a row overwrites it; one far below lengthens the grid, an empty row after it.
    riga = 2;
    c = Campi("X", "20", "P");
    ASSERT_TRUE(cmdInserisce(g, riga, c, d));
    EXPECT_EQ(Righe(g, 1, 3, {ColTappa, ColTipoStrada}), "ROMA|A;X|P;NAPOLI|");
    riga = 16;
    c = Campi("Z", "5", "L");
    ASSERT_TRUE(cmdInserisce(g, riga, c, d));
    EXPECT_EQ(g.testo(16, ColTappa) + QString::number(riga), "Z17");
    EXPECT_GE(g.righe(), 18);
}

// A number above the previous progressive distance (shown with its thousands point) becomes the
// difference, and the note says so; one not above it is a leg of its own, and nothing is said.
TEST(Inserisce, ChilometriProgressiviDiventanoLaDifferenza) {
    Griglia g = GrigliaCon("A; B|A1|550|A");
    g.impostaTesto(2, ColKmProgressivi, "550");
    DialoghiScriptati d;
    QString nota;
    QStringList note;
    int riga = 3;
    for (const char* km : {"1000", "1200", "300"}) {
        CampiTappa c = Campi("C", km);
        ImpostaKmProgressivi(g, riga, true, c);
        ASSERT_TRUE(c.chkKm);
        ASSERT_TRUE(cmdInserisce(g, riga, c, d, &nota));
        EXPECT_TRUE(c.chkKm);  // the box is left as it was for the next row
        g.impostaTesto(riga - 1, ColKmProgressivi, QString(km).insert(1, '.'));
        note << nota;
    }
    EXPECT_EQ(Righe(g, 3, 5, {ColKm}), "450;200;300");
    EXPECT_EQ(note.join('|'), QString::fromUtf8("Km progressivi: 1000 → 450 dalla tappa precedente|"
                                                "Km progressivi: 1200 → 200 dalla tappa precedente|"));
}

TEST(Righe, MarcheCancellazioneEAggiunta) {
    Griglia g = GrigliaCon("A; B [Start]||5|A; C [End]||5|A; D||5|A");
    int riga = 5;
    DialoghiScriptati d;
    CampiTappa c = Campi("E", "5");
    c.chkMeta = {true, false};
    ASSERT_TRUE(cmdInserisce(g, riga, c, d));
    EXPECT_EQ(Localita(g), "A;B;C [End];D;E [Start]");
    CancellaFlagStartEnd(g, 2);
    EXPECT_EQ(Localita(g), "A;B;C;D;E [Start]");

    g = GrigliaCon("A");
    cmdCancella(g, 1);
    EXPECT_EQ(UltimaRigaTappa(g), 0);
    EXPECT_EQ(g.righe(), kRigheMinimeItinerario);

    g = GrigliaCon("A; B||5|A; C||5|A");
    cmdCancella(g, 2);
    EXPECT_EQ(g.righe(), kRigheMinimeItinerario);
    EXPECT_EQ(Righe(g, 1, 2, {ColNumero, ColTappa}), "1|A;2|C");
    InserisciRigheItinerario(g, 2, 2);
    EXPECT_EQ(Righe(g, 1, 4, {ColNumero, ColTappa, ColKm}), "1|A|;2||;3||;4|C|5");
}

// The way back starts from the earlier visit of the last locality (a name that only begins alike
// is not one), or from the last leg itself; empty rows are closed up first.  Each case: the legs >
// the row returned > the localities after > the roads of the rows added.
TEST(Ritorno, RipercorreLeTappeAllIndietro) {
    for (const char* caso : {
             "A; B|SS1|10|P; C|A1|20|A; D|E45|30|S > 4 > A;B;C;D;C;B;A > E45|30|S;A1|20|A;SS1|10|P",
             "A [Start]; B|SS1|10|P; C|A1|20|A; D|E45|30|S; b (bis)|E45|40|S > 2 > A [Start];B;C;D;b (bis);A "
             "> "
             "SS1|10|P",
             "ROMA; ROMANO|A1|10|A; ROMA|A1|10|A > 1 > ROMA;ROMANO;ROMA > ",
             "A; ; B|X|10|L > 2 > A;B;A > X|10|L",
             " > 0 >  > ",
         }) {
        SCOPED_TRACE(caso);
        const QStringList atteso = QString(caso).split(" > ");
        Griglia g = GrigliaCon(atteso[0].trimmed());
        const int prima = cmdRitorno(g);
        EXPECT_EQ(prima, atteso[1].toInt());
        EXPECT_EQ(Localita(g), atteso[2].trimmed());
        const int ultima = UltimaRigaTappa(g);
        EXPECT_EQ(Righe(g, ultima - prima + 2, ultima, {ColStrada, ColKm, ColTipoStrada}),
                  atteso[3].trimmed());
        for (int r = 1; r <= ultima; ++r) EXPECT_EQ(g.testo(r, ColNumero), QString::number(r));
    }
}

TEST(Posizionamento, CaricaICampiDallaRigaCorrente) {
    Griglia g = GrigliaCon("A [Start]|SS1; B [End]||12||*01:02:03");
    int riga = 2;
    CampiTappa c;
    const AbilitazioneItinerario a = AggiornaNumeroRiga(g, riga, c);
    // The road is the previous row's; no road type reads as local.
    EXPECT_EQ((QStringList{c.txtTappa, c.txtNumStrada, c.txtKm, c.tipoStrada, c.txtRiga}),
              (QStringList{"B", "SS1", "12", "L", "2"}));
    EXPECT_EQ(c.chkMeta, (std::array<bool, 2>{false, true}));
    EXPECT_TRUE(c.chkEndDay);
    EXPECT_EQ(c.cmbSosta, (std::array<QString, 3>{"01", "02", "03"}));
    EXPECT_EQ(g.selezione(), (Rettangolo{2, 0, 2, g.colonne() - 1}));
    EXPECT_EQ(a, (AbilitazioneItinerario{true, true, true, false}));

    riga = 10;  // beyond the legs: the first empty row
    AggiornaNumeroRiga(g, riga, c);
    EXPECT_EQ(riga, 3);
    EXPECT_EQ(c.txtTappa, "");
    EXPECT_FALSE(c.chkEndDay);

    Griglia una = GrigliaCon("A");
    EXPECT_EQ(AggiornaNumeroRiga(una, riga, c), (AbilitazioneItinerario{false, false, false, true}));
}

TEST(Posizionamento, TastiScorrimentoClickEKmProgressivi) {
    Griglia g = GrigliaCon();
    g.impostaRighe(60);
    for (int r = 1; r <= 50; ++r) g.impostaTesto(r, ColTappa, QString::number(r));
    int riga = 1;
    CampiTappa c;
    SpostaRigaCorrente(g, 18, riga, c);
    EXPECT_EQ(QList<int>({riga, g.rigaInAlto(), g.righe()}), QList<int>({19, 5, 52}));  // one empty row after
    SpostaRigaCorrente(g, -18, riga, c);
    EXPECT_EQ(QList<int>({riga, g.rigaInAlto()}), QList<int>({1, 1}));
    SpostaRigaCorrente(g, -1, riga, c);
    EXPECT_EQ(riga, 1);

    // A click clears the markers; the progressive box is offered from row 3 with the frame shown,
    // ticked when the row above has a progressive distance.
    g = GrigliaCon("A; B||10|A; C||10|A");
    g.impostaTesto(2, ColKmProgressivi, "10");
    riga = 1;
    c.chkMeta = {true, true};
    QList<bool> km;
    for (const auto& [r, cornice] : {std::pair{3, true}, {3, false}, {2, true}}) {
        ClickRigaItinerario(g, r, riga, c, cornice);
        km << c.chkKmVisibile << c.chkKm;
    }
    EXPECT_EQ(riga, 2);
    EXPECT_EQ(c.chkMeta, (std::array<bool, 2>{false, false}));
    EXPECT_EQ(km, (QList<bool>{true, true, false, false, false, false}));
}

TEST(Testi, ElencoRiepilogoFiltriESelezione) {
    Griglia g = GrigliaCon("ROMA; ANCONA||5|A");
    const QStringList elenco = ElencoLocalitaItinerario(g);
    EXPECT_EQ(elenco, (QStringList{QString("ANCONA").leftJustified(31) + "0002",
                                   QString("ROMA").leftJustified(31) + "0001"}));
    int riga = 1;
    CampiTappa c;
    EXPECT_EQ(RicercaDiUnaSingolaTappa(g, elenco[0], riga, c), 2);
    EXPECT_EQ(QString::number(riga) + c.txtTappa, "2ANCONA");

    const QString r = RiepilogoRiga(GrigliaCon("ROMA|A1|12|A"), 1);
    EXPECT_TRUE(r.startsWith("Dati relativi a:\r\n\r\nNum.:\t1\r\nTappa:\tROMA\r\n") &&
                r.endsWith("Note:\t"));
    EXPECT_EQ(FiltraKm("A1-"), "1");
    EXPECT_EQ(QString(TastoMaiuscolo(QChar(u'è'))) + TastoMaiuscolo(QChar('1')), QString::fromUtf8("È1"));

    // The selection is held inside the grid; clearing keeps the headers.
    g = GrigliaCon("A");
    SelezioneGriglia(g, 0, 99, -3, 99);
    EXPECT_EQ(g.selezione(), (Rettangolo{1, 0, g.righe() - 1, g.colonne() - 1}));
    CancellaMatrice(g);
    EXPECT_EQ(g.testo(1, ColTappa) + g.testo(0, ColTappa), "Tappa");
}

}  // namespace
