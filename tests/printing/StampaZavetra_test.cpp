// The schedule report on the recording surface: the bands and alignments of a row, road numbers,
// the marked rows, the characteristics block, the page breaks, the messages and a failing printer.
#include "reports/StampaZavetra.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "TestSupport.h"
#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Progresso.h"
#include "printing/SuperficieRegistrata.h"

namespace {

Griglia GrigliaZavetra(const QList<QStringList>& righe) {
    Griglia g(static_cast<int>(righe.size()) + 1, 15);
    for (int r = 0; r < righe.size(); ++r)
        for (int c = 0; c < righe.at(r).size(); ++c) g.impostaTesto(r + 1, c, righe.at(r).at(c));
    return g;
}

const QStringList kRigaGuida{"12", "ROMA",  "A1",  "250",   "A",     "1.250", "02:30",
                             "",   "01:00", "Lun", "01/07", "12:30", "Pranzo"};

BoxMeta Box() {
    BoxMeta b;
    b.txtLocalita = "Giro di prova";
    b.txtNazione = "Italia";
    b.cmbInizio = {"01", "07", "2026", "08", "00"};
    b.txtInizioGSett = "Mer";
    b.txtFine = {"15", "07", "2026", "18", "30", "Mer", "15"};
    b.cmbMediaKm = {"110", "90", "70", "50"};
    b.txtKmTot = {"1.000", "500", "300", "200", "2.000"};
    b.txtTempo = {"09:05", "05:33", "04:17", "04:00", "22:55"};
    b.cmbOra = {"09", "12", "20", "22", "02", "01", "09", "18", "06"};
    b.cmbMin = {"00", "30", "00", "30", "30", "45", "00", "00", "00"};
    b.cmbRipM = "15";
    b.cmbRipH = "2";
    b.cmbRipG = "1";
    b.cmbRipGG = "5";
    b.cmbRange = "25";
    b.txtTragh = "1";
    return b;
}

bool Sovrapposti(const TestoRegistrato& a, const TestoRegistrato& b) {
    return a.rettangolo().adjusted(0.05, 0.05, -0.05, -0.05).intersects(b.rettangolo());
}

class RigaTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SettaFontNamePrinter(s);
        CalcolaBordiZavetra(stato);
        stato.rigaCorrente = 100;
    }
    QList<TestoRegistrato> stampa(const QStringList& riga) {
        const Griglia g = GrigliaZavetra({riga});
        StampaRigaZavetra(s, stato, g, 1);
        return s.corrente.pagine.last().testi;
    }
    SuperficieRegistrata s;
    StatoStampa stato;
};

TEST_F(RigaTest, CellsInTheirBandsWithTheirAlignment) {
    const QList<TestoRegistrato> t = stampa(kRigaGuida);
    ASSERT_EQ(t.size(), 12);
    const auto cella = [&](const QString& testo) {
        for (const TestoRegistrato& r : t)
            if (r.testo == testo) return r;
        ADD_FAILURE() << testo.toStdString();
        return TestoRegistrato{};
    };
    EXPECT_NEAR(cella("12").x + cella("12").larghezza, 18 - 3, 1e-6);         // number right
    EXPECT_DOUBLE_EQ(cella("Roma").x, 18);                                    // locality left, re-cased
    EXPECT_NEAR(cella("250").x + cella("250").larghezza, 92 - 3, 1e-6);       // km right
    EXPECT_NEAR(cella("1.250").x + cella("1.250").larghezza, 107 - 3, 1e-6);  // progressive km right
    for (const QString centrato : {"A", "02:30", "01:00", "Lun", "01/07", "12:30"}) {
        const TestoRegistrato c = cella(centrato);
        const double centro = c.x + c.larghezza / 2 + 1;
        bool inUnaBanda = false;
        for (int k = 1; k < 14; ++k)
            inUnaBanda |= std::abs(centro - (stato.bordo(k) + stato.bordo(k + 1)) / 2.0) < 1e-6;
        EXPECT_TRUE(inUnaBanda) << centrato.toStdString();
    }
    EXPECT_DOUBLE_EQ(cella("Pranzo").x, 161);  // notes left
    EXPECT_NEAR(cella("A1").base(), 100 - 0.4, 1e-6);
    EXPECT_TRUE(cella("01:00").corsivo);  // the stop column
    EXPECT_FALSE(cella("02:30").corsivo);
    EXPECT_FLOAT_EQ(stato.rigaCorrente, 100 + stato.altezzaRiga);
}

TEST_F(RigaTest, RoadNumbersShrinkThenSplitOnTwoLines) {
    QStringList riga = kRigaGuida;
    riga[2] = "A1 E35 SS1 E80";
    QList<TestoRegistrato> t = stampa(riga);
    const TestoRegistrato strada = t.at(2);
    EXPECT_EQ(strada.testo, "A1 E35 SS1 E80");  // one line, shrunk
    EXPECT_LT(strada.dimensione, 9);
    EXPECT_GT(strada.dimensione, 6.5);
    EXPECT_LE(strada.larghezza, 18);

    riga[2] = "SS1 Aurelia E80 A12";
    stato.rigaCorrente = 100;
    t = stampa(riga).mid(12);
    ASSERT_EQ(t.at(2).testo, "SS1 Aurelia");  // split at the first space from the middle on
    ASSERT_EQ(t.at(3).testo, "E80 A12");
    for (int i : {2, 3}) EXPECT_DOUBLE_EQ(t.at(i).dimensione, 6.5);
    EXPECT_NEAR(t.at(2).base(), 100 - 1.85, 1e-6);
    EXPECT_NEAR(t.at(3).base(), 100 + 0.2, 1e-6);

    riga[2] = "Superstrada Statale Tiberina E45";  // halves still wider than 18 mm
    stato.rigaCorrente = 100;
    stampa(riga);
    const TestoRegistrato* lunga = s.corrente.pagine.last().cerca("Superstrada Statale");
    ASSERT_NE(lunga, nullptr);
    EXPECT_DOUBLE_EQ(lunga->dimensione, 6.5);
    EXPECT_LT(lunga->x, 66);  // the band grew to the left
    EXPECT_LE(lunga->x + lunga->larghezza, 84 - 1);
}

TEST_F(RigaTest, MarkedRowsKeepTheirPiecesApart) {
    const QList<QStringList> righe{
        {"", " > CENTRO STORICO * Colosseo e Fori imperiali", "", "", "", "", "", "02:00", "01:30", "Lun",
         "01/07", "16:00", "Monumento"},
        {"13", "Civitavecchia (Traghetto per Olbia)", "TRAGH", "", "", "1.300", "06:00", "", "", "Lun",
         "01/07", "22:00", "Riposo 15'Cena [Km 350 in ore 05:30; soste per ore 02:00]"},
        {"14", "Olbia", "SS125", "20", "P", "1.320", "00:25", "", "", "Mar", "02/07", "09:25",
         "Nuovo giorno"}};
    const Griglia g = GrigliaZavetra(righe);
    for (int r = 1; r <= 3; ++r) StampaRigaZavetra(s, stato, g, r);
    const PaginaRegistrata& p = s.corrente.pagine.last();

    const TestoRegistrato* gruppo = p.cerca("Centro Storico");
    ASSERT_NE(gruppo, nullptr);
    EXPECT_DOUBLE_EQ(gruppo->dimensione, 10);
    EXPECT_DOUBLE_EQ(gruppo->x, 18);
    ASSERT_NE(p.cerca("Colosseo e Fori imperiali"), nullptr);
    const TestoRegistrato* traghetto = p.cerca("(Traghetto per Olbia)");
    ASSERT_NE(traghetto, nullptr);
    EXPECT_LE(traghetto->x + traghetto->larghezza, 66 + 0.01);
    for (const QString pezzo : {"Riposo 15'", "Cena", "Km 350 in ore 05:30", "soste per ore 02:00"}) {
        const TestoRegistrato* t = p.cerca(pezzo);
        ASSERT_NE(t, nullptr) << pezzo.toStdString();
        EXPECT_TRUE(t->corsivo);
        EXPECT_GE(t->x, 161);
        EXPECT_LE(t->x + t->larghezza, 200);
    }
    for (const TestoRegistrato& t : p.testi) {
        EXPECT_FALSE(t.testo.contains('*') || t.testo.contains('>') || t.testo.contains('['))
            << t.testo.toStdString();
        for (const TestoRegistrato& u : p.testi)
            if (&t != &u) {
                EXPECT_FALSE(Sovrapposti(t, u)) << t.testo.toStdString() << " / " << u.testo.toStdString();
            }
    }
    // The row after the extra note lines starts below them.
    EXPECT_GT(p.cerca("Olbia")->y, p.cerca("soste per ore 02:00")->base());
}

TEST_F(RigaTest, CharacteristicsBlock) {
    stato.rigaCorrente = 22;
    StampaCaratteristiche(s, stato, Box());
    const PaginaRegistrata& p = s.corrente.pagine.last();
    for (const char* t :
         {"01/07/2026 - Mer alle ore 08:00", "15/07/2026 - Mer alle ore 18:30", "dopo 15 giorni e 2.000 Km.",
          "(sono previsti 1 traghetti)", "12:30 (Pausa: 02:30)", "ogni 5 gg.", "Minuti: 25 minuti"})
        EXPECT_NE(p.cerca(t), nullptr) << t;
    double fondo = 0;
    for (const TestoRegistrato& t : p.testi) fondo = std::max(fondo, t.base());
    EXPECT_LE(fondo, stato.rigaCorrente);  // the current line moved below the block
}

class StampaTest : public ::testing::Test {
  protected:
    EsitoStampa stampa(const OpzioniStampa& op, int righe) {
        QList<QStringList> g;
        for (int i = 0; i < righe; ++i) {
            QStringList r = kRigaGuida;
            r[0] = QString::number(i + 1);
            g << r;
        }
        griglia = GrigliaZavetra(g);
        dati.box = Box();
        dati.titoloFinestra = "Zavetra - prova";
        dati.oggi = QDate(2026, 12, 6);
        dati.cartellaDati = dir.path();
        return StampaDellItinerario(op, s, griglia, dati, dialoghi, progresso);
    }
    QTemporaryDir dir;
    SuperficieRegistrata s;
    Griglia griglia;
    DatiStampa dati;
    DialoghiScriptati dialoghi;
    ProgressoMemoria progresso;
};

TEST_F(StampaTest, PagesBreakAt285WithHeaderAndFooterOnEach) {
    OpzioniStampa op;
    op.chkTabella = true;
    op.chkFrontespizio = true;
    op.chkVociFrontespizio = {false, false, true, true};
    const EsitoStampa e = stampa(op, 150);
    ASSERT_TRUE(e.stampaRiuscita);
    ASSERT_EQ(s.documenti.size(), 1);
    const QList<PaginaRegistrata>& p = s.documenti.at(0).pagine;
    ASSERT_EQ(p.size(), 2 + e.pagine);
    EXPECT_GE(e.pagine, 3);
    EXPECT_EQ(p.at(0).elencoTesti().mid(1, 2), QStringList({"Lunoro", "Zavetra"}));  // the booklet cover
    EXPECT_EQ(p.at(1).elencoTesti().mid(1, 1), QStringList({"Zavetra"}));            // the section cover
    int righe = 0;
    for (int i = 2; i < p.size(); ++i) {
        const PaginaRegistrata& pg = p.at(i);
        for (const QString& t :
             {QStringLiteral("Pagina: 0%1").arg(i + 1), QString("06/12/2026"), QString("Zavetra - prova")})
            EXPECT_NE(pg.cerca(t), nullptr) << t.toStdString();
        EXPECT_EQ(pg.cerca("Periodo del viaggio:") != nullptr, i == 2);
        for (const TestoRegistrato& t : pg.testi)
            if (t.testo == "Pranzo" && t.x == 161) {
                ++righe;
                EXPECT_LT(t.base() - 4.5, 285);  // started above the limit
            }
    }
    EXPECT_EQ(righe, 150);
    EXPECT_EQ(progresso.ultimaDidascalia, QStringLiteral("Stampa della Zavetra (pag. %1)").arg(p.size()));
    EXPECT_EQ(dialoghi.testiMostrati().at(0), "Stampa Zavetra  completata...");
    EXPECT_TRUE(dialoghi.testiMostrati().at(1).startsWith("Stampa dei file: "));
}

TEST_F(StampaTest, NothingCheckedTouchesNoPrinterAndWritesTheFiles) {
    const EsitoStampa e = stampa({}, 3);
    EXPECT_TRUE(s.tutteLePagine().isEmpty());
    EXPECT_TRUE(e.file.riuscito());
    EXPECT_TRUE(QFile::exists(dir.filePath("Camptabl.txt")));
    ASSERT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_TRUE(dialoghi.testiMostrati().at(0).startsWith("Stampa dei file: "));
}

TEST_F(StampaTest, FailingPrinterIsReportedAndTheFilesAreStillWritten) {
    s.guastaAllaPagina = true;
    s.paginaGuasta = 3;
    OpzioniStampa op;
    op.chkTabella = true;
    int avvii = 0;
    dati.avviaModuli = [&](const BoxMeta&) { return ++avvii > 0; };
    op.chkModuli = true;
    const EsitoStampa e = stampa(op, 200);
    EXPECT_FALSE(e.stampaRiuscita);
    ASSERT_EQ(s.documenti.size(), 1);
    EXPECT_TRUE(s.documenti.at(0).abbandonato);
    EXPECT_EQ(avvii, 1);
    ASSERT_EQ(dialoghi.mostrati.size(), 2);
    EXPECT_EQ(dialoghi.mostrati.at(0).testo, "Stampa non riuscita: Stampante non disponibile");
    EXPECT_EQ(dialoghi.mostrati.at(0).icona, Icona::Critico);
    EXPECT_EQ(test::leggiFile(dir.filePath("Camptabl.txt")).count("\r\n"), 3 + 200);
}

}  // namespace
