// Whole trips through the schedule computation: legs and guide entries in the database, the trip's
// boxes, the schedule grid and the stored coefficient out.
#include "schedule/Zavetra.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "common/Date.h"
#include "common/Progresso.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "database/TipiGuida.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/Tappe.h"
#include "schedule/Adattamento.h"
#include "schedule/FileZavetra.h"
#include "schedule/Percentuale.h"
#include "schedule/TabellaCalcolo.h"

namespace {

const QString kMeta = QStringLiteral("000001");

// Columns 0 to 13 of a row joined by "|", without the empty ones at the end.
QString Riga(const Griglia& g, int r) {
    QString riga;
    for (int c = 0; c <= kColArrivo; ++c) riga += (c > 0 ? "|" : "") + g.testo(r, c);
    while (riga.endsWith('|')) riga.chop(1);
    return riga;
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
        box.cmbRipM = box.cmbRipH = box.cmbRipG = box.cmbRipGG = "00";
        box.cmbGiorni = "000";
        box.cmbSoste = "3 - Entrambe";
        box.cmbRange = "15";
        test::inserisci(archivio.dati(), "MeteCamper|CodiceMeta=" + kMeta + "|Localita=ROMA");
    }
    // Legs "Localita/km/sosta/tipo/strada; ..." (halt " ", type "A", road "A1" when left out); a
    // halt beginning with "*" ends the day.
    void tappe(const QString& elenco) {
        for (const QString& t : elenco.split(';', Qt::SkipEmptyParts)) {
            const QStringList c = t.trimmed().split('/');
            const bool fine = c.value(2).startsWith('*');
            const QString sosta = c.value(2).mid(fine ? 1 : 0);
            test::tappa(archivio.dati(), kMeta, Zero(++sequenza, 4), c[0], c.value(1),
                        test::campi(QString("NomeStrada=%1|TipoStrada=%2|TempoSosta=%3|FineGiorno=%4")
                                        .arg(c.value(4, "A1"), c.value(3, "A"), sosta.isEmpty() ? " " : sosta,
                                             fine ? "1" : "0")));
        }
    }
    // Guide entries "Localita/descrizione/tempo/codice/gruppo; ..." (code "01", group " ").
    void voci(const QString& elenco) {
        for (const QString& v : elenco.split(';', Qt::SkipEmptyParts)) {
            const QStringList c = v.trimmed().split('/');
            test::voceGuida(archivio.dati(), c[0], c[1], c.value(2),
                            {{"CodiceGuida", c.value(3, "01")}, {"Gruppo", c.value(4, " ")}});
        }
    }
    void svuota() {
        archivio.dati().elimina(Query::di("Itinerari"));
        archivio.dati().elimina(Query::di("GuidaCitta"));
        sequenza = 0;
    }
    QString coefficiente() {
        return archivio.dati()
            .apriRowSet(Query::di("MeteCamper").dove("CodiceMeta", kMeta))
            .testo("Coefficiente");
    }
    void memorizzaCoefficiente(const QString& c) {
        RowSet r = archivio.dati().apriRowSet(Query::di("MeteCamper").dove("CodiceMeta", kMeta));
        r.modifica();
        r.imposta("Coefficiente", c);
        r.memorizza();
    }
    void carica() { CaricaTappeItinerario(archivio, tab, kMeta, box); }
    EsitoZavetra esegui() {
        return CalcolaZavetra({archivio, box, kMeta, tab, copia, tipi, progresso, dialoghi});
    }
    EsitoZavetra calcola() {
        carica();
        return esegui();
    }
    // Computes the trip, checks what every trip must give and returns the totals row: one silent
    // test, no coefficient stored, rows without control characters and of eleven Camptabl fields;
    // for other coefficients and days, a pass that only measures ends as the pass that writes, which
    // fills every row it counted plus five of room.
    int calcolaViaggio() {
        dialoghi.mostrati.clear();
        const EsitoZavetra e = calcola();
        EXPECT_TRUE(e.eseguito && e.tentativi == 1 && e.messaggio.isEmpty() && dialoghi.mostrati.isEmpty());
        EXPECT_EQ(coefficiente(), "");
        const QStringList camptabl = RigheCamptabl(tab, "Roma");
        for (int r = 1; r <= righeSchedule(); ++r) {
            EXPECT_FALSE(Riga(tab, r).contains(QRegularExpression("[\\x00-\\x1f]"))) << r;
            EXPECT_EQ(camptabl[r + 2].count('\t'), 11) << r;
        }
        const auto Stato = [](const StatoMotore& s, const EsitoPassaggio& e) {
            return std::tuple(s.ora, s.giorno, s.ultimoRiposo, s.ultimaPausa, s.pranzoFatto, s.cenaFatta,
                              s.kmTotali, s.traghetti, s.riga, s.giornoUltimaGuida, e.giorniUsati,
                              e.troncato);
        };
        ParametriMotore p;
        p.v = ControllaVariabiliConvertite(box);
        for (int i = 0; i < 4; ++i) p.velocita[i] = static_cast<float>(Valore(box.cmbMediaKm[i]));
        p.tolleranza = Tolleranza(box.cmbRange);
        p.testoRipM = box.cmbRipM;
        Percentuale perc(progresso, dialoghi);
        Griglia tappe, griglia;
        ImpostaGriglia(tappe, LayoutItinerario);
        BoxMeta boxTappe = box;
        CaricaTappeItinerario(archivio, tappe, kMeta, boxTappe);
        const QList<RigaCalcolo> tabella =
            PreparaTabellaPerCalcoloZavetra(archivio.dati(), tappe, griglia, p.v, ModoSoste(box.cmbSoste),
                                            tipi, perc)
                .righe;
        EXPECT_EQ(tabella.size(), griglia.righe());
        for (const float coefficiente : {0.3f, 1.0f, 2.7f}) {
            for (const qint16 desiderati : {qint16(0), qint16(3)}) {
                SCOPED_TRACE(QString("%1 %2").arg(coefficiente).arg(desiderati).toStdString());
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
                EXPECT_EQ(Stato(misurato, m), Stato(scritto, w));
                EXPECT_EQ(g.righe(), scritto.riga + 5);
                EXPECT_FALSE(g.testo(scritto.riga, ColGs).isEmpty());
            }
        }
        return rigaDi("Totali: Km e tempi (gg:hh:mm):");
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
    // Column 1 of the computation table's rows, each followed by the given columns, "|"-joined.
    QStringList righeCopia(std::initializer_list<int> colonne = {}) const {
        QStringList righe;
        for (int t = 1; t < copia.righe(); ++t) {
            QString r = copia.testo(t, ColTappa);
            for (int c : colonne) r += '|' + copia.testo(t, c);
            righe << r;
        }
        return righe;
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

// Whole trips and the schedule rows each must give.  "@ settings | legs  # what it shows" opens a
// trip (start hour, breaks, rest days); "+ entries" adds guide entries; then "row columns 0-13" as
// Riga writes them ("T+n" counts from the totals row), and the boxes: "fine" the end date, "km"
// the km by road type, "tempo" the driving time on local roads, "righe" the grid's row count.
const char* const kViaggi = R"(
@ | Partenza/0; Arrivo/500; Sosta tecnica/0  # tappa lunga tagliata a pranzo; la tappa di 0 km dopo la prima non da righe
1 1|Partenza [Start]|A1||A|||||Lun|04/03|08:00
2 2|verso: Arrivo|A1|450|A|450|04:30|||Lun|04/03|12:30|Pranzo|>04/03-14:00
3 3|Arrivo|A1|50|A|500|00:30|||Lun|04/03|14:00|[Km 500 in ore 05:00]
4 |Totali: Km e tempi (gg:hh:mm):
6 |\t\tKm. 0  \tGuida  ()\t Sosta  ()
8 |\t\tKm. 500  \tGuida 00:05:00 (00:05:00)\t
10 |\t\tKm. 500  \tGuida 00:05:00 (00:05:00)  \t Sosta  ()
righe 11
fine 04|03|2024|14|00|Lun|1
km 500||||500
@ | Partenza/0; Arrivo/442  # arrivo alle 12:25: pranzo; alle 12:20 no
2 2|Arrivo|A1|442|A|442|04:25|||Lun|04/03|12:25|Pranzo [Km 442 in ore 04:25]
@ | Partenza/0; Arrivo/433
2 2|Arrivo|A1|433|A|433|04:20|||Lun|04/03|12:20|[Km 433 in ore 04:20]
@ | Partenza/0; Arrivo/475  # arrivo alle 12:45, fine della tolleranza: la guida si ferma per il pranzo
2 2|verso: Arrivo|A1|450|A|450|04:30|||Lun|04/03|12:30|Pranzo|>04/03-13:45
@ | Partenza/0/00:04:36; Arrivo/15  # dopo una sosta oltre l'ora di pranzo il pezzo non e tagliato: pranzo alle 12:45, alle 12:46 no
3 3|Arrivo|A1|15|A|15|00:09|||Lun|04/03|12:45|Pranzo [Km 15 in ore 00:09; sosta ore 04:36]
@ | Partenza/0/00:04:36; Arrivo/17
3 3|Arrivo|A1|17|A|17|00:10|||Lun|04/03|12:46|[Km 17 in ore 00:10; sosta ore 04:36]
@ ora=14 ripH=02 ripM=15 | Partenza/0; Arrivo/500  # pause ogni due ore di quindici minuti
2 2|verso: Arrivo|A1|200|A|200|02:00|||Lun|04/03|16:00|Riposo 15'
3 3|verso: Arrivo|A1|200|A|400|02:00|||Lun|04/03|18:15|Riposo 15'|>04/03-20:30
4 4|Arrivo|A1|100|A|500|01:00|||Lun|04/03|19:30|Cena [Km 500 in ore 05:00]
@ ora=10 | Partenza/0/01:05:00; Casa/100  # sosta di quindici ore: il giorno della sosta si chiude con la guida, la sosta conta a giorni
2 |> a Partenza|||||||01:05:00|Mar|05/03|15:00||>05/03-16:00
3 3|Casa|A1|100|A|100|01:00|||Mar|05/03|16:00|[Km 100 in ore 01:00; sosta ore 05:00]
@ ora=23 | Partenza/0; Arrivo/100  # partenza dopo la notte
1 1|Partenza [Start]|A1||A|||||Lun|04/03|08:00||>04/03-09:00
2 2|Arrivo|A1|100|A|100|01:00|||Lun|04/03|09:00|[Km 100 in ore 01:00]
@ | Partenza/0/*00:02:00; Casa/100  # giorno di sole soste
2 |> a Partenza|||||||02:00|Lun|04/03|10:00|[Sosta ore 02:00]
3 | > Partenza mattino successivo||||||||Mar|05/03|08:00|Nuovo giorno|>05/03-09:00
4 4|Casa|A1|100|A|100|01:00|||Mar|05/03|09:00|[Km 100 in ore 01:00]
@ | Partenza/0; Roma/100/*; Roma centro/0/00:03:00  # ultimo giorno di sole soste
2 2|Roma|A1|100|A|100|01:00|||Lun|04/03|09:00|[Km 100 in ore 01:00]
3 | > Partenza mattino successivo||||||||Mar|05/03|08:00|Nuovo giorno|>05/03-11:00
4 |> a Roma centro|||||||03:00|Mar|05/03|11:00|[Sosta ore 03:00]
@ | Partenza/0; Roma [Start]/100/00:01:00; Firenze [End]/100; Casa/200  # riepiloghi: [End] seguito dal primo pezzo del ritorno, fuori dal tratto; spariscono le righe vuote
3 |> a Roma|||||||01:00|Lun|04/03|10:00
5 5|verso: Casa|A1|150|A|350|01:30|||Lun|04/03|12:30|Pranzo|>04/03-14:00
6 6|Casa|A1|50|A|400|00:30|||Lun|04/03|14:00|[Km 400 in ore 04:00; sosta ore 01:00]
7 |Totali: Km e tempi (gg:hh:mm):
8 |\tPercorso specifico:
9 |\t\tKm. 200  \tGuida 00:02:00 (00:02:00)\t Sosta 00:01:00 (00:01:00)
10 |\tAndata e ritorno per l'itinerario specifico:
11 |\t\tKm. 200  \tGuida 00:02:00 (00:02:00)\t
12 |\tIntero percorso:
13 |\t\tKm. 400  \tGuida 00:04:00 (00:04:00)  \t Sosta 00:01:00 (00:01:00)
righe 14
@ | Partenza/0; Roma [Start]/100; Firenze [End]/100  # tre visite dopo la destinazione sono tutte del tratto
+ Firenze/Duomo/01:00; Firenze/Uffizi/01:00; Firenze/Ponte/01:00
6 |> Ponte||||||01:00|01:00|Lun|04/03|13:00|Ottimo [Km 200 in ore 02:00; sosta ore 03:00]
7 |Totali: Km e tempi (gg:hh:mm):
T+2 |\t\tKm. 200  \tGuida 00:02:00 (00:02:00)\t Sosta 00:03:00 (00:03:00)
T+4 |\t\tKm. 0  \tGuida  ()\t
@ | Partenza/100; Casa/100  # senza [End] il tratto di destinazione e vuoto; la riga 1 prende [Start] e guida 100 km
1 1|Partenza [Start]|A1|100|A|100|01:00|||Lun|04/03|09:00||>04/03-10:00
T+2 |\t\tKm. 0  \tGuida  ()\t Sosta  ()
T+4 |\t\tKm. 200  \tGuida 00:02:00 (00:02:00)\t
@ ora=10 ripH=02 ripM=15 | Partenza/0; Arrivo/1800; Oltre/200  # la notte riapre i pasti e un pasto riapre l'intervallo delle pause: pranzo e cena di nuovo il secondo giorno, e la prima pausa due ore dopo la fine del pranzo
3 3|verso: Arrivo|A1|25|A|225|00:15|||Lun|04/03|12:30|Pranzo
4 4|verso: Arrivo|A1|200|A|425|02:00|||Lun|04/03|15:30|Riposo 15'
7 7|verso: Arrivo|A1|150|A|925|01:30|||Lun|04/03|22:00|Notte [Km 925 in ore 09:15]
10 10|verso: Arrivo|A1|1|A|1.326|00:01|||Mar|05/03|12:31|Pranzo
11 11|verso: Arrivo|A1|200|A|1.526|02:00|||Mar|05/03|15:31|Riposo 15'
14 14|verso: Oltre|A1|75|A|1.875|00:45|||Mar|05/03|19:30|Cena|>05/03-21:45
@ ora=14 | Partenza/0; Museo/200/00:05:00; Fine/100  # una sosta di 5 ore dalle 16:00 oltre l'orario di visita continua il mattino dopo fino alle 11:00
2 2|Museo|A1|200|A|200|02:00|||Lun|04/03|16:00|[Km 200 in ore 02:00]
3 |> a Museo|||||||05:00|Mar|05/03|11:00||>05/03-12:00
@ ripG=01 ripGG=03 | Partenza/0; Uno/100/*; Due/100/*; Tre/100/*; Quattro/100  # giorno di riposo dopo tre giorni: la riga prima dell'ultima scritta porta "* "
2 2|Uno|A1|100|A|100|01:00|||Lun|04/03|09:00|[Km 100 in ore 01:00]
3 | > Partenza mattino successivo||||||||Mar|05/03|08:00|Nuovo giorno
6 6|Tre|A1|100|A|300|01:00|||Mer|06/03|* 09:00|[Km 100 in ore 01:00]
7 | > Partenza mattino successivo||||||||Gio|07/03|08:00|Nuovo giorno|>08/03-09:00
8 8|Quattro|A1|100|A|400|01:00|||Ven|08/03|09:00|[Km 100 in ore 01:00]
fine 08|03|2024|09|00|Ven|5
@ | Partenza/0; Uno/21/ /L/SP1; Due/87/ /L/SP1  # 21 km e 87 km a 40 km/h (52,5 e 217,5 centesimi) arrotondati per eccesso, anche nei totali
2 2|Uno|SP1|21|L|21|00:32|||Lun|04/03|08:32||>04/03-10:43
3 3|Due|SP1|87|L|108|02:11|||Lun|04/03|10:43|[Km 108 in ore 02:43]
km |||108|108
tempo 00:02:42
@ | Partenza/0; Roma [Start]/100; Roma/0  # voci della guida; la stessa localita di nuovo non le ripete
+ Roma/Colosseo/G1/01/A1; Roma/Parcheggio//02
3 |> A1 * Colosseo||||||01:00:00|01:00:00|Lun|04/03|19:00|Ottimo|>04/03-19:00
4 | > Parcheggio||||||-1:09:59||Lun|04/03|19:00|Da vedere [Km 100 in ore 01:00; sosta ore 00:00]
5 |Totali: Km e tempi (gg:hh:mm):
@ | Par\ttenza/0/ /A/A\r\n1; Roma [Start]/100  # tabulazioni e a capo in localita, strade, voci e gruppi diventano spazi
+ Roma/Colos\nseo/G1/01/A\t1
1 1|Par tenza|A  1||A|||||Lun|04/03|08:00
3 |> A 1 * Colos seo||||||01:00:00|01:00:00|Lun|04/03|19:00|Ottimo [Km 100 in ore 01:00; sosta ore 00:00]
@ ripH=02 ripM=15 ripG=01 ripGG=02 | Partenza/0; Roma [Start]/420/*00:03:00; Napoli/230/00:15:30/S/TRAGHETTO; Bari [End]/390/*/P; Lecce/40/ /L  # traghetto, visite di piu giorni e senza tempo
+ Roma/Musei/G2; Roma/Fontana/; Napoli/Scavi/05:30
@ |  # itinerario vuoto: il segno [Start] va comunque sulla riga 1
1 1| [Start]||||||||Lun|04/03|08:00
2 |Totali: Km e tempi (gg:hh:mm):
fine 04|03|2024|08|00|Lun|1
)";

TEST_F(Zavetra, ViaggiInteri) {
    const BoxMeta iniziale = box;
    QString viaggio;
    int totali = 0;
    for (QString linea : QString(kViaggi).split('\n', Qt::SkipEmptyParts)) {
        linea.replace("\\t", "\t").replace("\\r", "\r").replace("\\n", "\n");
        const QString chiave = linea.section(' ', 0, 0), resto = linea.section(' ', 1);
        if (chiave == "@") viaggio = linea;
        SCOPED_TRACE(viaggio.toStdString() + " / " + linea.toStdString());
        if (chiave == "@") {
            svuota();
            box = iniziale;
            dialoghi.mostrati.clear();
            QString* campi[] = {&box.cmbInizio[3], &box.cmbRipH, &box.cmbRipM, &box.cmbRipG, &box.cmbRipGG};
            for (const QString& v : resto.section('|', 0, 0).split(' ', Qt::SkipEmptyParts))
                *campi[QStringList({"ora", "ripH", "ripM", "ripG", "ripGG"}).indexOf(v.section('=', 0, 0))] =
                    v.section('=', 1);
            tappe(resto.section('|', 1).section(" # ", 0, 0));
            totali = calcolaViaggio();
        } else if (chiave == "+") {
            voci(resto);
            totali = calcolaViaggio();
        } else if (chiave == "righe") {
            EXPECT_EQ(tab.righe(), resto.toInt());
        } else if (chiave == "fine") {
            EXPECT_EQ(QStringList(box.txtFine.begin(), box.txtFine.end()).join('|'), resto);
        } else if (chiave == "km") {
            EXPECT_EQ(QStringList(box.txtKmTot.begin(), box.txtKmTot.end()).join('|'), resto);
        } else if (chiave == "tempo") {
            EXPECT_EQ(box.txtTempo[3], resto);
        } else {
            const int r = chiave.startsWith("T+") ? totali + chiave.mid(2).toInt() : chiave.toInt();
            EXPECT_EQ(Riga(tab, r), resto);
        }
    }
}

// Which halts make rows of the computation table in each halt mode: column 1, then the halt's
// own time (column 14) and the entry's visit time (column 15).
TEST_F(Zavetra, ModiDiSosta) {
    tappe("Partenza/0; Roma [Start]/100/00:02:00");
    voci("Roma/Colosseo/02:00/01/A1; Roma/Foro/01:00/01/0; Roma/Parcheggio//02/ ; Napoli/Porto/01:00");
    const QString modi = R"(1 - Soste itinerario: Partenza||, Roma [Start]||,  > a Roma [Start]|200|
2 - Soste Guida: Partenza||, Roma [Start]||,  > A1 * Colosseo||200,  > Foro||100,  > Parcheggio||
3 - Entrambe: Partenza||, Roma [Start]||,  > a Roma [Start]|200|,  > A1 * Colosseo||200,  > Foro||100,  > Parcheggio||
4 - Sosta Maggiore: Partenza||, Roma [Start]||,  > a Roma [Start]|01|,  > A1 * Colosseo||200,  > Foro||100,  > Parcheggio||
5 - Sosta minore: Partenza||, Roma [Start]||,  > a Roma [Start]|200|,  > A1 * Colosseo||01,  > Foro||01,  > Parcheggio||
6 - Nessuna sosta!: Partenza||, Roma [Start]||)";
    for (const QString& modo : modi.split('\n')) {
        SCOPED_TRACE(modo.toStdString());
        box.cmbSoste = modo.section(": ", 0, 0);
        ASSERT_TRUE(calcola().eseguito);
        EXPECT_EQ(righeCopia({ColCSosta, ColCVisita}).join(", "), modo.section(": ", 1));
    }
}

// Fitting the trip to the desired days (set after loading, which raises them to the minimum).  A
// 10-hour visit takes one day at coefficient 1, two at 1.5: 1.5 fits at once; 3 (four days) starts
// afresh from the estimate 2 x 1200 / (1 x 1200 + 1000); from 1 the steps halve towards 2; a huge
// coefficient does not block; no days chosen or no halt to scale: one test, nothing stored; five
// days of driving cannot fit in two: the last of 20 tests runs to its end, giving the whole trip.
TEST_F(Zavetra, AdattamentoAiGiorni) {
    const QString casi =
        R"(Partenza/0; Roma [Start]/100 > Roma/Musei/10:00 > 1,5 > 002 = 2|1|2|2|Elaborazione conclusa in 1 tentativi!|1.5|Calcolo della Zavetra, test n. 1/20|01:05:00|> Musei|2|100|1
Partenza/0; Roma [Start]/100 > Roma/Musei/10:00 > 3 > 002 = 3|1|2|2|Elaborazione conclusa in 1 tentativi!|1.090909|Calcolo della Zavetra, test n. 1/20 [4/2*I=1.090909]|01:00:55|> Musei|2|100|1
Partenza/0; Roma [Start]/100 > Roma/Musei/10:00 > 1 > 003 = 13|12|3|3|Elaborazione conclusa in 12 tentativi!|1.999511|Calcolo della Zavetra, test n. 12/20 [2/3*I=1.999511]|02:00:00|> Musei|3|100|1
Partenza/0; Roma [Start]/100 > Roma/Musei/10:00 > 99999999 > 002 = 3|1|2|2|Elaborazione conclusa in 1 tentativi!|1.090909|Calcolo della Zavetra, test n. 1/20 [32767/2*I=1.090909]|01:00:55|> Musei|2|100|1
Partenza/0; Arrivo/100 > Arrivo/Musei/10:00 > 0,7 > 000 = 1|1|1|0||0,7|Calcolo della Zavetra, test n. 1/20|01:00:00|> Musei|1|100|0
Partenza/0; Arrivo/100 >  > 0,7 > 010 = 1|1|1|0||0,7|Calcolo della Zavetra, test n. 1/20||Arrivo|1|100|0
Partenza/0; Roma [Start]/999; Tappa 1/999; Tappa 2/999; Tappa 3/999; Tappa 4/999 > Roma/Musei/01:00 > 0 > 002 = 22|20|5|2|Elaborazione impossibile! (tentativi effettuati n. 20)|0.5|Calcolo della Zavetra, test n. 20/20 [3/2*I=0.5]||Tappa 4|5|4.995|1)";
    for (const QString& caso : casi.split('\n')) {
        SCOPED_TRACE(caso.toStdString());
        const QStringList dati = caso.section(" = ", 0, 0).split(" > ");
        svuota();
        dialoghi.mostrati.clear();
        tappe(dati[0]);
        voci(dati[1]);
        memorizzaCoefficiente(dati[2]);
        carica();
        box.cmbGiorni = dati[3];
        const EsitoZavetra e = esegui();
        EXPECT_EQ(QStringList({QString::number(e.passi), QString::number(e.tentativi),
                               QString::number(e.giorniUsati), QString::number(e.giorniDesiderati),
                               e.messaggio, coefficiente(), progresso.ultimaDidascalia,
                               tab.testo(3, ColGuida), tab.testo(righeSchedule(), ColTappa), box.txtFine[6],
                               box.txtKmTot[4], QString::number(dialoghi.mostrati.size())})
                      .join('|')
                      .toStdString(),
                  caso.section(" = ", 1).toStdString());
    }
}

// The next coefficient from (coefficient, step, desired days, days used) to (coefficient, step);
// a step that would make it negative goes back to 1 with a step of 0.5; six decimals, truncated.
TEST(ZavetraCoefficiente, PassiEStima) {
    for (const char* caso : {"1 0.5 10 12 0.5 0.25", "0.5 0.25 12 10 0.75 0.125", "0.2 0.5 3 5 1 0.5",
                             "0.1234567 0.0000004 3 5 0.123456 0"}) {
        const QStringList v = QString(caso).split(' ');
        float c = v[0].toFloat(), passo = v[1].toFloat();
        ProssimoCoefficiente(c, passo, v[2].toShort(), v[3].toShort());
        EXPECT_FLOAT_EQ(c, v[4].toFloat()) << caso;
        EXPECT_FLOAT_EQ(passo, v[5].toFloat()) << caso;
    }
    EXPECT_EQ(TestoCoefficiente(0.123456f) + ' ' + TestoCoefficiente(1.5f), "0.123456 1.5");
    EXPECT_EQ(StimaCoefficiente(1000, 1, 1200, 2), "1.090909");
    EXPECT_EQ(StimaCoefficiente(0, 5, 1200, 2), "1");     // below 1
    EXPECT_EQ(StimaCoefficiente(5000, 1, 1200, 3), "1");  // the estimate reaches the days
}

// A speed of 0 or under 10 km/h on the main roads, a trip that would write more rows than the
// limit, and a stop asked for during the computation: each is refused whole, and the grid, the
// boxes and the stored coefficient stay as they were; a refusal is said once, a stop is not.
TEST_F(Zavetra, RifiutiEStopNonCambianoNulla) {
    tappe(
        "Partenza/0; Arrivo/100/ /P; Tappa 0/900/ /L; Tappa 1/900/ /L; Tappa 2/900/ /L; Tappa 3/900/ /L; "
        "Tappa 4/900/ /L");
    voci("Arrivo/Museo/01:00");
    memorizzaCoefficiente("0,7");
    box.cmbRipM = "15";
    box.cmbRipH = "01";
    box.cmbGiorni = "003";
    carica();
    const Griglia prima = tab;
    const BoxMeta boxPrima = box;
    RichiestaZavetra richiesta{archivio, box, kMeta, tab, copia, tipi, progresso, dialoghi};
    for (const QString caso : {"0|strada principale", "9.9|strada principale",
                               "60|Il calcolo supera 60 righe di Zavetra", "stop|"}) {
        SCOPED_TRACE(caso.toStdString());
        const QString x = caso.section('|', 0, 0);
        box.cmbMediaKm[2] = x == "0" || x == "9.9" ? x : "10";
        richiesta.righeMassime = x == "60" ? 60 : kRigheMassimeZavetra;
        progresso.stop = x == "stop";
        dialoghi.mostrati.clear();
        const EsitoZavetra e = CalcolaZavetra(richiesta);
        EXPECT_FALSE(e.eseguito);
        EXPECT_EQ(e.interrotto, progresso.stop);
        EXPECT_TRUE(e.errore.contains(caso.section('|', 1))) << e.errore.toStdString();
        EXPECT_EQ(dialoghi.mostrati.size(), progresso.stop ? 0 : 1);
        EXPECT_TRUE(progresso.stop || dialoghi.mostrati[0].icona == Icona::Critico);
        box.cmbMediaKm[2] = boxPrima.cmbMediaKm[2];
        EXPECT_EQ(box, boxPrima);
        ASSERT_EQ(tab.righe(), prima.righe());
        for (int r = 0; r < prima.righe(); ++r) EXPECT_EQ(Riga(tab, r), Riga(prima, r));
        EXPECT_EQ(coefficiente(), "0,7");
    }
    EXPECT_EQ(progresso.valore, 0);
    box.cmbMediaKm[2] = "10";
    richiesta.righeMassime = kRigheMassimeZavetra;
    progresso.stop = false;
    EXPECT_TRUE(CalcolaZavetra(richiesta).eseguito);
    EXPECT_GT(righeSchedule(), 60);
}

TEST_F(Zavetra, AzzeraSoste) {
    tappe("Partenza/0/00:01:00");
    carica();
    dialoghi.risposte = {Risposta::No, Risposta::Si};
    EXPECT_FALSE(cmdAzzeraSoste_Click(tab, dialoghi));
    EXPECT_EQ(tab.testo(1, ColSosta), "00:01:00");
    EXPECT_TRUE(cmdAzzeraSoste_Click(tab, dialoghi));
    EXPECT_EQ(tab.testo(1, ColSosta), "");
}

TEST(ZavetraGiorni, TestiDelGiornoComeIlCalendario) {
    // Weekday and dd/mm of the rows as the day-number rules give them, over the range and past it.
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
    tappe("Partenza/0; L'Aquila [Start]/100; near Siena/100; vicino Pisa/100");
    voci("LXAquila/Finta/01:00; l'aquila/Castello/01:00; siena/Duomo/02:00; Pisa/Torre/01:00");
    box.cmbSoste = "2 - Soste Guida";
    for (int giro = 0; giro < 2; ++giro) {
        SCOPED_TRACE(giro);
        ASSERT_TRUE(calcola().eseguito);
        EXPECT_EQ(righeCopia().join(','),
                  "Partenza,L'Aquila [Start], > Castello,near Siena, > Duomo,vicino Pisa, > Torre");
        EXPECT_EQ(Riga(tab, 5).section('|', 1, 8), "> Duomo||||||02:00|02:00");
        for (int i = 0; i < 200; ++i) voci(QStringLiteral("Altrove/Voce %1/01:00").arg(i));
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

}  // namespace
