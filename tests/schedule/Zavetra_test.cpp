// Whole trips through the schedule computation: legs and guide entries in the database, the trip's
// boxes, the schedule grid and the stored coefficient out.
#include "schedule/Zavetra.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "common/Date.h"
#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Progresso.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "database/Archivio.h"
#include "database/TipiGuida.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/Tappe.h"
#include "schedule/Adattamento.h"
#include "schedule/FileZavetra.h"
#include "schedule/Motore.h"
#include "schedule/Percentuale.h"
#include "schedule/TabellaCalcolo.h"
#include "trips/Meta.h"
#include "trips/Parametri.h"

namespace {

const QString kMeta = QStringLiteral("000001");

// Columns 0 to 13 of a row joined by "|".
QString Riga(const Griglia& g, int r) {
    QStringList celle;
    for (int c = 0; c <= kColArrivo; ++c) celle << g.testo(r, c);
    return celle.join(QLatin1Char('|'));
}

class Zavetra : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        archivio.AvviaDatabase();
        tipi = CaricaTipiGuida(archivio);
        ImpostaGriglia(tab, LayoutItinerario);
        // Monday 4 March 2024 at 08:00; breakfast 08:00, lunch 12:30 (1 h), dinner 19:30 (1 h),
        // night 22:00, visits 09:00-19:00; motorway 100 km/h; tolerance 15 minutes; no breaks.
        box.cmbInizio = {"04", "03", "2024", "08", "00"};
        box.cmbMediaKm = {"100", "90", "60", "40"};
        box.cmbOra = {"08", "12", "19", "22", "01", "01", "09", "19", "06"};
        box.cmbMin = {"00", "30", "30", "00", "00", "00", "00", "00", "00"};
        box.cmbRipM = "00";
        box.cmbRipH = "00";
        box.cmbRipG = "00";
        box.cmbRipGG = "00";
        box.cmbGiorni = "000";
        box.cmbSoste = "3 - Entrambe";
        box.cmbRange = "15";
        RowSet r = archivio.dati().apriTabella("MeteCamper");
        r.aggiungi();
        r.imposta("CodiceMeta", kMeta);
        r.imposta("Localita", "ROMA");
        r.memorizza();
    }

    void tappa(const QString& localita, const QString& km, const QString& sosta = " ",
               const QString& tipo = "A", const QString& strada = "A1") {
        const bool fine = sosta.startsWith('*');
        test::tappa(archivio.dati(), kMeta, Zero(++sequenza, 4), localita, km,
                    {{"NomeStrada", strada},
                     {"TipoStrada", tipo},
                     {"TempoSosta", fine ? (sosta.size() > 1 ? sosta.mid(1) : QStringLiteral(" ")) : sosta},
                     {"FineGiorno", fine ? "1" : "0"}});
    }

    struct Tappa {
        QString localita, km, sosta = " ", tipo = "A", strada = "A1";
    };
    void tappe(const QList<Tappa>& l) {
        for (const Tappa& t : l) tappa(t.localita, t.km, t.sosta, t.tipo, t.strada);
    }

    void guida(const QString& localita, const QString& descrizione, const QString& tempo,
               const QString& codice = "01", const QString& gruppo = " ") {
        test::voceGuida(archivio.dati(), localita, descrizione, tempo,
                        {{"CodiceGuida", codice}, {"Gruppo", gruppo}});
    }

    struct Voce {
        QString localita, descrizione, tempo, codice = "01", gruppo = " ";
    };
    void voci(std::initializer_list<Voce> l) {
        for (const Voce& v : l) guida(v.localita, v.descrizione, v.tempo, v.codice, v.gruppo);
    }

    QString coefficiente() {
        RowSet r = archivio.dati().apriRowSet(Query::di("MeteCamper").dove("CodiceMeta", kMeta));
        return r.testo("Coefficiente");
    }
    void memorizzaCoefficiente(const QString& c) {
        RowSet r = archivio.dati().apriRowSet(Query::di("MeteCamper").dove("CodiceMeta", kMeta));
        r.modifica();
        r.imposta("Coefficiente", c);
        r.memorizza();
    }

    void carica() { CaricaTappeItinerario(archivio, tab, kMeta, box); }

    EsitoZavetra calcola(Chiamante chiamante = Chiamante::Calcola) {
        carica();
        return CalcolaZavetra({archivio, box, kMeta, tab, copia, tipi, progresso, dialoghi, chiamante});
    }

    // The row whose column 1 is the text, or -1.
    int rigaDi(const QString& tappa) const {
        for (int r = 1; r < tab.righe(); ++r)
            if (tab.testo(r, ColTappa) == tappa) return r;
        return -1;
    }
    int righeSchedule() const {
        int n = 0;
        while (n + 1 < tab.righe() && !tab.testo(n + 1, ColGs).isEmpty()) ++n;
        return n;
    }

    QTemporaryDir dir;
    Archivio archivio{dir.path()};
    TabellaTipiGuida tipi;
    BoxMeta box;
    Griglia tab;
    Griglia copia;
    ProgressoMemoria progresso;
    DialoghiScriptati dialoghi;
    int sequenza = 0;
};

TEST_F(Zavetra, TappaLungaTagliataAPranzoEPrimaRigaSenzaKm) {
    tappe({{"Partenza", "0"}, {"Arrivo", "500"}, {"Sosta tecnica", "0"}});
    const EsitoZavetra e = calcola();
    ASSERT_TRUE(e.eseguito);
    EXPECT_EQ(e.tentativi, 1);
    EXPECT_TRUE(e.messaggio.isEmpty());
    EXPECT_TRUE(dialoghi.mostrati.isEmpty());
    EXPECT_EQ(Riga(tab, 1), "1|Partenza [Start]|A1||A|||||Lun|04/03|08:00||");
    EXPECT_EQ(Riga(tab, 2), "2|verso: Arrivo|A1|450|A|450|04:30|||Lun|04/03|12:30|Pranzo|>04/03-14:00");
    EXPECT_EQ(Riga(tab, 3), "3|Arrivo|A1|50|A|500|00:30|||Lun|04/03|14:00|[Km 500 in ore 05:00]|");
    // The 0 km leg after the first gives no row; the totals block follows at once.
    EXPECT_EQ(tab.testo(4, ColTappa), "Totali: Km e tempi (gg:hh:mm):");
    EXPECT_EQ(tab.testo(6, ColTappa), "\t\tKm. 0  \tGuida  ()\t Sosta  ()");
    EXPECT_EQ(tab.testo(8, ColTappa), "\t\tKm. 500  \tGuida 00:05:00 (00:05:00)\t");
    EXPECT_EQ(tab.testo(10, ColTappa), "\t\tKm. 500  \tGuida 00:05:00 (00:05:00)  \t Sosta  ()");
    EXPECT_EQ(tab.righe(), 11);
    EXPECT_EQ(box.txtFine, (std::array<QString, 7>{"04", "03", "2024", "14", "00", "Lun", "1"}));
    EXPECT_EQ(box.txtKmTot[0] + '|' + box.txtKmTot[4], "500|500");
    EXPECT_EQ(coefficiente(), "");  // a coefficient of 1 is not stored
}

TEST_F(Zavetra, FinestraDelPranzo) {
    // Arrivals at 12:25 and 12:45 take lunch, 12:20 and 12:46 do not.  The later two follow a halt
    // that ends after the lunch hour, so the piece is not cut (the lunch counts as done).
    struct Caso {
        const char* sosta;
        const char* km;
        const char* ore;
        bool pranzo;
    };
    const Caso casi[] = {{" ", "442", "12:25", true},
                         {" ", "433", "12:20", false},
                         {"00:04:36", "15", "12:45", true},
                         {"00:04:36", "17", "12:46", false}};
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.ore);
        archivio.dati().elimina(Query::di("Itinerari"));
        sequenza = 0;
        tappa("Partenza", "0", c.sosta);
        tappa("Arrivo", c.km);
        ASSERT_TRUE(calcola().eseguito);
        const int r = rigaDi("Arrivo");
        ASSERT_GT(r, 0);
        EXPECT_EQ(tab.testo(r, ColOre), c.ore);
        EXPECT_EQ(tab.testo(r, ColNote).startsWith("Pranzo"), c.pranzo)
            << tab.testo(r, ColNote).toStdString();
    }
}

// Whole trips and the schedule cells each must give: a whole row (column -1: columns 0 to 13,
// "|"-joined) or one cell; a row from kT on counts from the totals row.
TEST_F(Zavetra, ViaggiInteri) {
    constexpr int kT = 1000;
    struct Cella {
        int riga, colonna;
        QString testo;
    };
    struct Viaggio {
        const char* nome;
        std::array<const char*, 3> ore;  // start hour, break every so many hours, break minutes
        QList<Tappa> tappe;
        QList<Cella> celle;
        int righe = 0;
    };
    const QString nessunTratto = "\t\tKm. 0  \tGuida  ()\t Sosta  ()";
    const Viaggio viaggi[] = {
        {"pause ogni due ore di quindici minuti",
         {"14", "02", "15"},
         {{"Partenza", "0"}, {"Arrivo", "500"}},
         {{2, -1, "2|verso: Arrivo|A1|200|A|200|02:00|||Lun|04/03|16:00|Riposo 15'|"},
          {3, -1, "3|verso: Arrivo|A1|200|A|400|02:00|||Lun|04/03|18:15|Riposo 15'|>04/03-20:30"},
          {4, -1, "4|Arrivo|A1|100|A|500|01:00|||Lun|04/03|19:30|Cena [Km 500 in ore 05:00]|"}}},
        // The day of the halt closes with the drive; its halt is read as a calendar day.
        {"sosta di quindici ore finisce il giorno dopo",
         {"10", "00", "00"},
         {{"Partenza", "0", "01:05:00"}, {"Casa", "100"}},
         {{2, -1, "|> a Partenza|||||||01:05:00|Mar|05/03|15:00||>05/03-16:00"},
          {3, ColOre, "16:00"},
          {3, ColNote, "[Km 100 in ore 01:00; sosta ore 05:00]"}}},
        {"partenza dopo la notte",
         {"23", "00", "00"},
         {{"Partenza", "0"}, {"Arrivo", "100"}},
         {{1, ColOre, "08:00"}, {1, ColData, "04/03"}, {2, ColOre, "09:00"}}},
        {"giorno di sole soste",
         {"08", "00", "00"},
         {{"Partenza", "0", "*00:02:00"}, {"Casa", "100"}},
         {{2, -1, "|> a Partenza|||||||02:00|Lun|04/03|10:00|[Sosta ore 02:00]|"},
          {3, ColNote, "Nuovo giorno"},
          {4, ColData, "05/03"},
          {4, ColNote, "[Km 100 in ore 01:00]"}}},
        {"ultimo giorno di sole soste",
         {"08", "00", "00"},
         {{"Partenza", "0"}, {"Roma", "100", "*"}, {"Roma centro", "0", "00:03:00"}},
         {{2, ColNote, "[Km 100 in ore 01:00]"},
          {3, ColNote, "Nuovo giorno"},
          {4, ColData, "05/03"},
          {4, ColNote, "[Sosta ore 03:00]"}}},
        // The [End] leg is followed at once by the first piece of the way back, which is not part
        // of the destination stretch; the empty rows before the totals are gone.
        {"riepiloghi con tratto di destinazione",
         {"08", "00", "00"},
         {{"Partenza", "0"}, {"Roma [Start]", "100", "00:01:00"}, {"Firenze [End]", "100"}, {"Casa", "200"}},
         {{3, -1, "|> a Roma|||||||01:00|Lun|04/03|10:00||"},
          {5, ColTappa, "verso: Casa"},
          {6, ColNote, "[Km 400 in ore 04:00; sosta ore 01:00]"},
          {7, ColTappa, "Totali: Km e tempi (gg:hh:mm):"},
          {8, ColTappa, "\tPercorso specifico:"},
          {9, ColTappa, "\t\tKm. 200  \tGuida 00:02:00 (00:02:00)\t Sosta 00:01:00 (00:01:00)"},
          {10, ColTappa, "\tAndata e ritorno per l'itinerario specifico:"},
          {11, ColTappa, "\t\tKm. 200  \tGuida 00:02:00 (00:02:00)\t"},
          {12, ColTappa, "\tIntero percorso:"},
          {13, ColTappa, "\t\tKm. 400  \tGuida 00:04:00 (00:04:00)  \t Sosta 00:01:00 (00:01:00)"}},
         14},
        // Row 1 gets the [Start] marker and drives 100 km; with no [End] nothing is the stretch.
        {"senza end il tratto di destinazione e vuoto",
         {"08", "00", "00"},
         {{"Partenza", "100"}, {"Casa", "100"}},
         {{1, ColTappa, "Partenza [Start]"},
          {kT + 2, ColTappa, nessunTratto},
          {kT + 4, ColTappa, "\t\tKm. 200  \tGuida 00:02:00 (00:02:00)\t"}}},
        // The night resets the day's meals, and a meal restarts the break interval: a two-day
        // drive with breaks every two hours takes lunch and dinner again on day 2, and the first
        // break after lunch comes two hours after lunch ends.
        {"guida di due giorni: pasti di nuovo e pause dopo il pranzo",
         {"10", "02", "15"},
         {{"Partenza", "0"}, {"Arrivo", "1800"}, {"Oltre", "200"}},
         {{3, -1, "3|verso: Arrivo|A1|25|A|225|00:15|||Lun|04/03|12:30|Pranzo|"},
          {4, -1, "4|verso: Arrivo|A1|200|A|425|02:00|||Lun|04/03|15:30|Riposo 15'|"},
          {7, -1, "7|verso: Arrivo|A1|150|A|925|01:30|||Lun|04/03|22:00|Notte [Km 925 in ore 09:15]|"},
          {10, -1, "10|verso: Arrivo|A1|1|A|1.326|00:01|||Mar|05/03|12:31|Pranzo|"},
          {11, -1, "11|verso: Arrivo|A1|200|A|1.526|02:00|||Mar|05/03|15:31|Riposo 15'|"},
          {14, -1, "14|verso: Oltre|A1|75|A|1.875|00:45|||Mar|05/03|19:30|Cena|>05/03-21:45"}}},
        // A halt that overruns the visiting hours goes on the next morning for what was left of
        // it, counted from the halt's own start: 16:00-19:00, then 09:00-11:00.
        {"sosta oltre l'orario di visita continua il mattino",
         {"14", "00", "00"},
         {{"Partenza", "0"}, {"Museo", "200", "00:05:00"}, {"Fine", "100"}},
         {{2, ColOre, "16:00"}, {3, -1, "|> a Museo|||||||05:00|Mar|05/03|11:00||>05/03-12:00"}}},
    };
    for (const Viaggio& v : viaggi) {
        SCOPED_TRACE(v.nome);
        archivio.dati().elimina(Query::di("Itinerari"));
        sequenza = 0;
        box.cmbInizio[3] = v.ore[0];
        box.cmbRipH = v.ore[1];
        box.cmbRipM = v.ore[2];
        tappe(v.tappe);
        ASSERT_TRUE(calcola().eseguito);
        const int totali = rigaDi("Totali: Km e tempi (gg:hh:mm):");
        for (const Cella& c : v.celle) {
            const int r = c.riga >= kT ? totali + c.riga - kT : c.riga;
            EXPECT_EQ(c.colonna < 0 ? Riga(tab, r) : tab.testo(r, c.colonna), c.testo) << "row " << r;
        }
        if (v.righe > 0) {
            EXPECT_EQ(tab.righe(), v.righe);
        }
    }
}

TEST_F(Zavetra, GiornoDiRiposoDopoTreGiorni) {
    box.cmbRipG = "01";
    box.cmbRipGG = "03";
    tappe({{"Partenza", "0"},
           {"Uno", "100", "*"},
           {"Due", "100", "*"},
           {"Tre", "100", "*"},
           {"Quattro", "100"}});
    ASSERT_TRUE(calcola().eseguito);
    EXPECT_EQ(Riga(tab, 2), "2|Uno|A1|100|A|100|01:00|||Lun|04/03|09:00|[Km 100 in ore 01:00]|");
    EXPECT_EQ(Riga(tab, 3), "| > Partenza mattino successivo||||||||Mar|05/03|08:00|Nuovo giorno|");
    EXPECT_TRUE(tab.grassetto(3, ColTempo));
    EXPECT_EQ(tab.testo(6, ColTappa), "Tre");
    EXPECT_EQ(tab.testo(6, ColOre), "* 09:00");  // the row before the last one written
    EXPECT_EQ(tab.testo(7, ColData), "07/03");
    EXPECT_EQ(Riga(tab, 8), "8|Quattro|A1|100|A|400|01:00|||Ven|08/03|09:00|[Km 100 in ore 01:00]|");
    EXPECT_EQ(box.txtFine[6], "5");
    EXPECT_EQ(box.txtFine[0] + box.txtFine[1] + box.txtFine[2], "08032024");
}

TEST_F(Zavetra, TreVisiteDopoLaDestinazioneSonoTutteDelTratto) {
    tappe({{"Partenza", "0"}, {"Roma [Start]", "100"}, {"Firenze [End]", "100"}});
    voci({{"Firenze", "Duomo", "01:00"}, {"Firenze", "Uffizi", "01:00"}, {"Firenze", "Ponte", "01:00"}});
    ASSERT_TRUE(calcola().eseguito);
    const int t = rigaDi("Totali: Km e tempi (gg:hh:mm):");
    ASSERT_EQ(t, 7);
    EXPECT_EQ(tab.testo(6, ColNote), tipi.voci[1].descrizione + " [Km 200 in ore 02:00; sosta ore 03:00]");
    EXPECT_EQ(tab.testo(t + 2, ColTappa),
              "\t\tKm. 200  \tGuida 00:02:00 (00:02:00)\t Sosta 00:03:00 (00:03:00)");
    EXPECT_EQ(tab.testo(t + 4, ColTappa), "\t\tKm. 0  \tGuida  ()\t");
}

TEST_F(Zavetra, TempiEsattiDiDistanzaEVelocita) {
    // 21 km at 40 km/h is 52.5 hundredths, 87 km is 217.5: both round up, in the leg times, in the
    // driving pieces and in the totals per road type.
    tappe({{"Partenza", "0"}, {"Uno", "21", " ", "L", "SP1"}, {"Due", "87", " ", "L", "SP1"}});
    carica();
    EXPECT_EQ(tab.testo(2, ColTempo), "00:32");
    EXPECT_EQ(tab.testo(3, ColTempo), "02:11");
    EXPECT_EQ(box.txtTempo[3], "00:02:43");  // 53 + 218 with the daily driving span as the day
    ASSERT_TRUE(calcola().eseguito);
    EXPECT_EQ(Riga(tab, 2), "2|Uno|SP1|21|L|21|00:32|||Lun|04/03|08:32||>04/03-10:43");
    EXPECT_EQ(Riga(tab, 3), "3|Due|SP1|87|L|108|02:11|||Lun|04/03|10:43|[Km 108 in ore 02:43]|");
    EXPECT_EQ(box.txtTempo[3], "00:02:42");  // 108 km at 40 km/h: 270 hundredths
}

TEST_F(Zavetra, ModiDiSosta) {
    tappe({{"Partenza", "0"}, {"Roma [Start]", "100", "00:02:00"}});
    voci({{"Roma", "Colosseo", "02:00", "01", "A1"},
          {"Roma", "Foro", "01:00", "01", "0"},
          {"Roma", "Parcheggio", "", "02", " "},
          {"Napoli", "Porto", "01:00"}});
    struct Atteso {
        const char* modo;
        QStringList righe;  // column 1, then columns 14 and 15 of each table row
    };
    const QList<Atteso> attesi = {
        {"1 - Soste itinerario", {"Partenza||", "Roma [Start]||", " > a Roma [Start]|200|"}},
        {"2 - Soste Guida",
         {"Partenza||", "Roma [Start]||", " > A1 * Colosseo||200", " > Foro||100", " > Parcheggio||"}},
        {"3 - Entrambe",
         {"Partenza||", "Roma [Start]||", " > a Roma [Start]|200|", " > A1 * Colosseo||200", " > Foro||100",
          " > Parcheggio||"}},
        {"4 - Sosta Maggiore",
         {"Partenza||", "Roma [Start]||", " > a Roma [Start]|01|", " > A1 * Colosseo||200", " > Foro||100",
          " > Parcheggio||"}},
        {"5 - Sosta minore",
         {"Partenza||", "Roma [Start]||", " > a Roma [Start]|200|", " > A1 * Colosseo||01", " > Foro||01",
          " > Parcheggio||"}},
        {"6 - Nessuna sosta!", {"Partenza||", "Roma [Start]||"}},
    };
    for (const Atteso& a : attesi) {
        SCOPED_TRACE(a.modo);
        box.cmbSoste = a.modo;
        ASSERT_TRUE(calcola().eseguito);
        QStringList righe;
        for (int t = 1; t < copia.righe(); ++t)
            righe << copia.testo(t, ColTappa) + '|' + copia.testo(t, ColCSosta) + '|' +
                         copia.testo(t, ColCVisita);
        EXPECT_EQ(righe, a.righe);
        for (int t = 1; t < copia.righe(); ++t)
            if (copia.testo(t, ColTappa) == " > Parcheggio") {
                EXPECT_EQ(copia.testo(t, ColCSenzaTempo), "-1");
                EXPECT_EQ(copia.testo(t, ColCTipoGuida), tipi.voci[2].descrizione);
            }
    }
}

TEST_F(Zavetra, VociDellaGuidaNelloSchedule) {
    tappe({{"Partenza", "0"}, {"Roma [Start]", "100"}});
    voci({{"Roma", "Colosseo", "G1", "01", "A1"}, {"Roma", "Parcheggio", "", "02"}});
    tappa("Roma", "0");  // the same locality again: its entries are used once
    box.cmbSoste = "2 - Soste Guida";
    ASSERT_TRUE(calcola().eseguito);
    EXPECT_EQ(copia.testo(3, ColCVisita), "1000");  // one visit day of 10 hours
    EXPECT_EQ(Riga(tab, 3), "|> A1 * Colosseo||||||01:00:00|01:00:00|Lun|04/03|19:00|" +
                                tipi.voci[1].descrizione + "|>04/03-19:00");
    EXPECT_EQ(Riga(tab, 4), "| > Parcheggio||||||-1:09:59||Lun|04/03|19:00|" + tipi.voci[2].descrizione +
                                " [Km 100 in ore 01:00; sosta ore 00:00]|");
    EXPECT_EQ(rigaDi("Roma"), -1);  // the second Roma leg has no km and no halt: no row
}

// Tabs and line breaks typed into localities, roads, guide descriptions and groups become blanks
// in the schedule rows, so each row stays one line of Camptabl.txt.
TEST_F(Zavetra, ControlliNeiTestiDiventanoSpazi) {
    tappa("Par\ttenza", "0", " ", "A", "A\r\n1");
    tappa("Roma [Start]", "100");
    guida("Roma", "Colos\nseo", "G1", "01", "A\t1");
    box.cmbSoste = "2 - Soste Guida";
    ASSERT_TRUE(calcola().eseguito);
    EXPECT_NE(rigaDi("Par tenza"), -1);
    EXPECT_EQ(tab.testo(rigaDi("Par tenza"), ColStrada), "A  1");
    EXPECT_EQ(Riga(tab, 3).section('|', 1, 1), "> A 1 * Colos seo");
    const QStringList righe = RigheCamptabl(tab, "Roma\tX");
    EXPECT_EQ(righe[0], "Roma X");
    for (int r = 1; r <= righeSchedule(); ++r) {
        EXPECT_FALSE(Riga(tab, r).contains(QRegularExpression("[\\x00-\\x1f]"))) << r;
        EXPECT_EQ(righe[r + 2].count('\t'), 11) << r;
    }
}

class ZavetraAdattamento : public Zavetra {
  protected:
    // Steps, tests, days used and the closing message (empty when none), "|"-joined.
    static QString Esito(const EsitoZavetra& e) {
        QStringList l{QString::number(e.passi), QString::number(e.tentativi), QString::number(e.giorniUsati)};
        if (!e.messaggio.isEmpty()) l << e.messaggio;
        return l.join('|');
    }
    // 100 km, then a visit of 10 hours scaled by the coefficient: 1 gives one day, 1.5 two days.
    void viaggio() {
        tappa("Partenza", "0");
        tappa("Roma [Start]", "100");
        guida("Roma", "Musei", "10:00");
    }
};

// No days chosen, or days chosen for a trip without halts to scale: one test with coefficient 1,
// no message, and the stored coefficient left alone.
TEST_F(ZavetraAdattamento, GiorniNonSceltiOSenzaSoste) {
    for (const char* giorni : {"000", "010"}) {
        SCOPED_TRACE(giorni);
        archivio.dati().elimina(Query::di("Itinerari"));
        archivio.dati().elimina(Query::di("GuidaCitta"));
        sequenza = 0;
        tappe({{"Partenza", "0"}, {"Arrivo", "100"}});
        if (QString(giorni) == "000") guida("Arrivo", "Musei", "10:00");
        memorizzaCoefficiente("0,7");
        box.cmbGiorni = giorni;
        const EsitoZavetra e = calcola();
        EXPECT_EQ(e.tentativi, 1);
        EXPECT_EQ(e.giorniDesiderati, 0);
        EXPECT_FLOAT_EQ(e.coefficiente, 1);
        EXPECT_TRUE(dialoghi.mostrati.isEmpty());
        EXPECT_EQ(coefficiente(), "0,7");
    }
}

TEST_F(ZavetraAdattamento, CoefficienteMemorizzatoCheVaBene) {
    viaggio();
    memorizzaCoefficiente("1,5");
    box.cmbGiorni = "002";
    const EsitoZavetra e = calcola();
    // One measuring test and the pass that writes the kept one.
    EXPECT_EQ(Esito(e), "2|1|2|Elaborazione conclusa in 1 tentativi!");
    ASSERT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_EQ(dialoghi.mostrati[0].titolo, "Calcolo Zavetra");
    EXPECT_EQ(dialoghi.mostrati[0].icona, Icona::Informazione);
    EXPECT_EQ(coefficiente(), "1.5");
    EXPECT_EQ(progresso.ultimaDidascalia, "Calcolo della Zavetra, test n. 1/20");
    EXPECT_EQ(tab.testo(3, ColGuida), "01:05:00");  // 15 hours of visits
    EXPECT_EQ(tab.testo(3, ColSosta), "01:00:00");  // as entered
}

TEST_F(ZavetraAdattamento, RipartenzaDaUnaStima) {
    viaggio();
    memorizzaCoefficiente("3");
    box.cmbGiorni = "002";
    const EsitoZavetra e = calcola();
    // 3 gives four days; the fresh start estimates 2 x 1200 / (1 x 1200 + 1000) and fits at once;
    // the kept test then writes the grid.
    EXPECT_EQ(Esito(e), "3|1|2|Elaborazione conclusa in 1 tentativi!");
    EXPECT_EQ(progresso.ultimaDidascalia, "Calcolo della Zavetra, test n. 1/20 [4/2*I=1.090909]");
    EXPECT_EQ(coefficiente(), "1.090909");
}

TEST_F(ZavetraAdattamento, PassiDimezzati) {
    viaggio();
    memorizzaCoefficiente("1");
    box.cmbGiorni = "003";
    const EsitoZavetra e = calcola();
    // From 1 (one day) up by halving steps towards 2, which gives three days: 1.5, 1.75, ...
    // Every test only measures; one more pass writes the kept one.
    EXPECT_EQ(Esito(e), "13|12|3|Elaborazione conclusa in 12 tentativi!");
    EXPECT_EQ(coefficiente(), e.coefficienteTesto);
    EXPECT_GT(e.coefficiente, 1.999f);
    EXPECT_LT(e.coefficiente, 2.0f);
}

TEST_F(ZavetraAdattamento, GiorniSottoIlMinimoVentiTest) {
    tappa("Partenza", "0");
    for (int i = 0; i < 5; ++i) tappa(i == 0 ? "Roma [Start]" : "Tappa " + QString::number(i), "999");
    guida("Roma", "Musei", "01:00");
    carica();  // loading raises the desired days to the minimum: the box is set afterwards
    box.cmbGiorni = "002";
    const EsitoZavetra e = CalcolaZavetra({archivio, box, kMeta, tab, copia, tipi, progresso, dialoghi});
    // The last test ended as soon as the days were exceeded; it ran once more to its end, so the
    // grid, its totals and the end date are those of the whole trip (a stored coefficient of 0
    // starts afresh after one test: 21 tests and the written pass).
    EXPECT_EQ(Esito(e), "22|20|5|Elaborazione impossibile! (tentativi effettuati n. 20)");
    EXPECT_EQ(box.txtFine[6], "5");
    EXPECT_GT(rigaDi("Tappa 4"), 0);
    const int t = rigaDi("\tIntero percorso:");
    ASSERT_GT(t, 0);
    EXPECT_TRUE(tab.testo(t + 1, ColTappa).startsWith("\t\tKm. 4.995  \t"))
        << tab.testo(t + 1, ColTappa).toStdString();
    EXPECT_EQ(box.txtKmTot[4], "4.995");
    EXPECT_EQ(coefficiente(), e.coefficienteTesto);
}

TEST(ZavetraCoefficiente, PassiEStima) {
    float c = 1, passo = 0.5f;
    ProssimoCoefficiente(c, passo, 10, 12);
    EXPECT_FLOAT_EQ(c, 0.5f);
    EXPECT_FLOAT_EQ(passo, 0.25f);
    ProssimoCoefficiente(c, passo, 12, 10);
    EXPECT_FLOAT_EQ(c, 0.75f);
    EXPECT_FLOAT_EQ(passo, 0.125f);
    // A step that would make the coefficient negative: back to 1 with a step of 0.5.
    c = 0.2f;
    passo = 0.5f;
    ProssimoCoefficiente(c, passo, 3, 5);
    EXPECT_FLOAT_EQ(c, 1);
    EXPECT_FLOAT_EQ(passo, 0.5f);
    // Six decimals, truncated.
    c = 0.1234567f;
    passo = 0.0000004f;
    ProssimoCoefficiente(c, passo, 3, 5);
    EXPECT_FLOAT_EQ(c, 0.123456f);
    EXPECT_EQ(TestoCoefficiente(0.123456f), "0.123456");
    EXPECT_EQ(TestoCoefficiente(1.5f), "1.5");
    EXPECT_EQ(StimaCoefficiente(1000, 1, 1200, 2), "1.090909");
    EXPECT_EQ(StimaCoefficiente(0, 5, 1200, 2), "1");     // below 1
    EXPECT_EQ(StimaCoefficiente(5000, 1, 1200, 3), "1");  // the estimate reaches the days
}

TEST_F(Zavetra, VelocitaNullaOTroppoBassaNonCambiaNulla) {
    tappe({{"Partenza", "0"}, {"Arrivo", "100", " ", "P"}});
    memorizzaCoefficiente("0,7");
    box.cmbGiorni = "003";
    guida("Arrivo", "Museo", "01:00");
    carica();
    for (const QString velocita : {"0", "9.9"}) {
        dialoghi.mostrati.clear();
        box.cmbMediaKm[2] = velocita;
        const Griglia prima = tab;
        const BoxMeta boxPrima = box;
        const EsitoZavetra e = CalcolaZavetra({archivio, box, kMeta, tab, copia, tipi, progresso, dialoghi});
        EXPECT_FALSE(e.eseguito) << velocita.toStdString();
        EXPECT_TRUE(e.errore.contains("strada principale"));
        ASSERT_EQ(dialoghi.mostrati.size(), 1);
        EXPECT_EQ(dialoghi.mostrati[0].icona, Icona::Critico);
        EXPECT_EQ(box, boxPrima);
        for (int r = 0; r < prima.righe(); ++r) EXPECT_EQ(Riga(tab, r), Riga(prima, r));
        EXPECT_EQ(coefficiente(), "0,7");
    }
    box.cmbMediaKm[2] = "10";
    EXPECT_TRUE(CalcolaZavetra({archivio, box, kMeta, tab, copia, tipi, progresso, dialoghi}).eseguito);
}

// A trip that would write more rows than the limit is refused whole: the grid stays as it was.
TEST_F(Zavetra, TroppeRigheRifiutaIlCalcolo) {
    tappa("Partenza", "0");
    for (int i = 0; i < 5; ++i) tappa(QStringLiteral("Tappa %1").arg(i), "900", " ", "L");
    box.cmbRipM = "15";
    box.cmbRipH = "01";
    carica();
    const Griglia prima = tab;
    RichiestaZavetra richiesta{archivio, box, kMeta, tab, copia, tipi, progresso, dialoghi};
    richiesta.righeMassime = 60;
    const EsitoZavetra e = CalcolaZavetra(richiesta);
    EXPECT_FALSE(e.eseguito);
    EXPECT_TRUE(e.errore.startsWith("Il calcolo supera 60 righe di Zavetra")) << e.errore.toStdString();
    ASSERT_EQ(dialoghi.mostrati.size(), 1);
    ASSERT_EQ(tab.righe(), prima.righe());
    for (int r = 0; r < prima.righe(); ++r) EXPECT_EQ(Riga(tab, r), Riga(prima, r));

    dialoghi.mostrati.clear();
    richiesta.righeMassime = kRigheMassimeZavetra;
    EXPECT_TRUE(CalcolaZavetra(richiesta).eseguito);
    EXPECT_GT(righeSchedule(), 60);
}

TEST_F(Zavetra, RichiestaDiStop) {
    tappe({{"Partenza", "0"}, {"Arrivo", "100"}});
    guida("Partenza", "Museo", "01:00");
    memorizzaCoefficiente("0,7");
    box.cmbGiorni = "003";
    carica();
    const Griglia prima = tab;
    progresso.stop = true;
    const EsitoZavetra e = CalcolaZavetra({archivio, box, kMeta, tab, copia, tipi, progresso, dialoghi});
    EXPECT_TRUE(e.interrotto);
    EXPECT_FALSE(e.eseguito);
    EXPECT_TRUE(dialoghi.mostrati.isEmpty());
    EXPECT_EQ(Riga(tab, 1), Riga(prima, 1));
    EXPECT_EQ(coefficiente(), "0,7");
    EXPECT_EQ(progresso.valore, 0);
}

TEST_F(Zavetra, AzzeraSoste) {
    tappa("Partenza", "0", "00:01:00");
    carica();
    dialoghi.risposte = {Risposta::No, Risposta::Si};
    EXPECT_FALSE(cmdAzzeraSoste_Click(tab, dialoghi));
    EXPECT_EQ(tab.testo(1, ColSosta), "00:01:00");
    EXPECT_TRUE(cmdAzzeraSoste_Click(tab, dialoghi));
    EXPECT_EQ(tab.testo(1, ColSosta), "");
    EXPECT_EQ(dialoghi.mostrati[0].titolo, "Azzera soste itinerario");
    EXPECT_TRUE(dialoghi.mostrati[0].testo.endsWith("dell'itinerario.\r\n\r\nProcedo?"));
}

TEST(ZavetraGiorni, TestiDelGiornoComeIlCalendario) {
    // The weekday and dd/mm of the schedule rows agree with the day-number rules over the whole
    // range and beyond its edges.
    StatoMotore s;
    for (double g = 693600; g <= 766800; g += 1) {
        s.giorno = static_cast<float>(g);
        TestiGiorno(s);
        const QString data = Giu2Datas(g);
        ASSERT_EQ(s.dataBreve, Data2Data(data).left(5)) << g;
        ASSERT_EQ(s.giornoSettimana, GiornoSettimana(data)) << g;
    }
}

// A small guide is read at once, a large one locality by locality: both find the entries whose
// locality equals the key (the cleaned name, without "near " or "vicino "), ignoring case, and
// nothing through wildcards.
TEST_F(Zavetra, VociPerUgualianzaDellaChiaveConGuidaPiccolaEGrande) {
    tappe({{"Partenza", "0"}, {"L'Aquila [Start]", "100"}, {"near Siena", "100"}, {"vicino Pisa", "100"}});
    voci({{"LXAquila", "Finta", "01:00"},
          {"l'aquila", "Castello", "01:00"},
          {"siena", "Duomo", "02:00"},
          {"Pisa", "Torre", "01:00"}});
    box.cmbSoste = "2 - Soste Guida";
    for (int giro = 0; giro < 2; ++giro) {
        SCOPED_TRACE(giro);
        ASSERT_TRUE(calcola().eseguito);
        QStringList righe;
        for (int t = 1; t < copia.righe(); ++t) righe << copia.testo(t, ColTappa);
        EXPECT_EQ(righe, QStringList({"Partenza", "L'Aquila [Start]", " > Castello", "near Siena", " > Duomo",
                                      "vicino Pisa", " > Torre"}));
        EXPECT_EQ(tab.testo(5, ColTappa), "> Duomo");
        EXPECT_EQ(tab.testo(5, ColGuida), "02:00");
        for (int i = 0; i < 200; ++i) guida("Altrove", "Voce " + QString::number(i), "01:00");
    }
}

TEST(ZavetraPercentuale, PosizioneLimitataEBarraAggiornataSoloAlCambio) {
    ProgressoMemoria progresso;
    DialoghiScriptati dialoghi;
    Percentuale perc(progresso, dialoghi);
    perc.impostaMassimo(200);
    perc.AggiornaPercentuale(37);
    EXPECT_EQ(progresso.valore, 18);
    EXPECT_EQ(progresso.massimo, 100);
    const int aggiornamenti = progresso.aggiornamenti;
    perc.AggiornaPercentuale(38);  // 19%: redrawn
    perc.AggiornaPercentuale(39);  // still 19%: not redrawn
    EXPECT_EQ(progresso.aggiornamenti, aggiornamenti + 1);
    perc.AggiornaPercentuale(500);
    EXPECT_EQ(progresso.valore, 100);
    // A position already shown is shown again after the bar was cleared or the maximum changed.
    perc.AggiornaPercentuale(200);
    perc.AggiornaPercentuale(0);
    EXPECT_EQ(progresso.valore, 0);
    perc.AggiornaPercentuale(200);
    EXPECT_EQ(progresso.valore, 100);
    perc.impostaMassimo(1000);
    perc.AggiornaPercentuale(200);
    EXPECT_EQ(progresso.valore, 20);
    for (int i = 0; i < 10000; ++i) perc.eseguiEventi();
    EXPECT_LE(dialoghi.eventiEseguiti, 2);  // events are let run at most once per interval
    perc.AzzeraPercentuale();
    EXPECT_EQ(progresso.valore, 0);
    EXPECT_EQ(progresso.massimo, 0);
}

TEST_F(ZavetraAdattamento, CoefficienteEnormeNonBloccaIlCalcolo) {
    viaggio();
    memorizzaCoefficiente("99999999");
    box.cmbGiorni = "002";
    const EsitoZavetra e = calcola();
    ASSERT_TRUE(e.eseguito);
    EXPECT_EQ(e.giorniUsati, 2);  // the fresh start estimates its own coefficient
    EXPECT_EQ(e.passi, 3);
}

TEST_F(Zavetra, ItinerarioVuoto) {
    const EsitoZavetra e = calcola();
    ASSERT_TRUE(e.eseguito);
    EXPECT_EQ(box.txtFine[0] + box.txtFine[1] + box.txtFine[2], "04032024");
    EXPECT_EQ(tab.testo(0, kColArrivo), "");
    // The marker goes on row 1 even when it is empty, which makes it a departure row.
    EXPECT_EQ(Riga(tab, 1), "1| [Start]||||||||Lun|04/03|08:00||");
    EXPECT_EQ(tab.testo(2, ColTappa), "Totali: Km e tempi (gg:hh:mm):");
}

// A pass that only measures must leave the clock, the days, the switches and the row counter
// exactly where the pass that writes leaves them, whatever rules the trip exercises: meals,
// nights, breaks, rest days, halts over several days, end-of-day rows and guide entries without
// time.
TEST_F(Zavetra, PassaggioCheMisuraComeQuelloCheScrive) {
    const auto Stato = [](const StatoMotore& s) {
        return std::tuple(s.ora, s.giorno, s.ultimoRiposo, s.ultimaPausa, s.pranzoFatto, s.cenaFatta,
                          s.kmTotali, s.traghetti, s.riga, s.giornoUltimaGuida);
    };
    box.cmbRipM = "15";
    box.cmbRipH = "02";
    box.cmbRipG = "01";
    box.cmbRipGG = "02";
    tappa("Partenza", "0");
    tappa("Roma [Start]", "420", "*00:03:00");
    guida("Roma", "Musei", "G2");
    guida("Roma", "Fontana", "");
    tappa("Napoli", "230", "00:15:30", "S", "TRAGHETTO");
    guida("Napoli", "Scavi", "05:30");
    tappa("Bari [End]", "390", "*", "P");
    tappa("Lecce", "40", " ", "L");
    ASSERT_TRUE(calcola().eseguito);

    ParametriMotore p;
    p.v = ControllaVariabiliConvertite(box);
    for (int i = 0; i < 4; ++i) p.velocita[i] = static_cast<float>(Valore(box.cmbMediaKm[i]));
    p.tolleranza = Tolleranza(box.cmbRange);
    p.testoRipM = box.cmbRipM;
    const QList<RigaCalcolo> tabella = LeggiTabellaCalcolo(copia);
    Percentuale perc(progresso, dialoghi);
    for (const float coefficiente : {0.3f, 1.0f, 2.7f}) {
        for (const qint16 desiderati : {qint16(0), qint16(3)}) {
            StatoMotore misurato, scritto;
            MisuraPassaggio misura;
            const EsitoPassaggio m =
                EseguiPassaggio(p, coefficiente, desiderati, tabella, misura, misurato, perc);
            Griglia g = tab;
            EsitoPassaggio w;
            {
                ScritturaGriglia scrittura(g);
                w = EseguiPassaggio(p, coefficiente, desiderati, tabella, scrittura, scritto, perc);
            }
            SCOPED_TRACE(coefficiente);
            SCOPED_TRACE(desiderati);
            EXPECT_EQ(m.giorniUsati, w.giorniUsati);
            EXPECT_EQ(m.troncato, w.troncato);
            EXPECT_EQ(Stato(misurato), Stato(scritto));
            // The written pass fills every row it counted and leaves five rows of room.
            EXPECT_EQ(g.righe(), scritto.riga + 5);
            EXPECT_FALSE(g.testo(scritto.riga, ColGs).isEmpty());
        }
    }
    // The trip does exercise the rules compared above.
    EXPECT_GT(rigaDi(" > Partenza mattino successivo"), 0);
    bool riposo = false;
    bool giornoDiRiposo = false;
    for (int r = 1; r < tab.righe(); ++r) {
        riposo = riposo || tab.testo(r, ColNote).startsWith("Riposo 15'");
        giornoDiRiposo = giornoDiRiposo || tab.testo(r, ColOre).startsWith("* ");
    }
    EXPECT_TRUE(riposo);
    EXPECT_TRUE(giornoDiRiposo);
}

}  // namespace
