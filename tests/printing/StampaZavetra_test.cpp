// The schedule report on the recording surface: rows, road numbers, notes, characteristics, pages.
#include "reports/StampaZavetra.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
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

// The fields the characteristics block prints.
BoxMeta Box() {
    BoxMeta b;
    b.txtLocalita = "Giro di prova";
    b.cmbInizio = {"01", "07", "2026", "08", "00"};
    b.txtInizioGSett = "Mer";
    b.txtFine = {"15", "07", "2026", "18", "30", "Mer", "15"};
    b.txtKmTot = {"1.000", "500", "300", "200", "2.000"};
    b.cmbOra = {"09", "12", "20", "22", "02", "01", "09", "18", "06"};
    b.cmbMin = {"00", "30", "00", "30", "30", "45", "00", "00", "00"};
    b.cmbRipGG = "5";
    b.cmbRange = "25";
    b.txtTragh = "1";
    return b;
}

class ZavetraTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SettaFontNamePrinter(s);
        CalcolaBordiZavetra(stato);
        stato.rigaCorrente = 100;
    }
    // One row printed at line 100: the texts of the page so far.
    QList<TestoRegistrato> stampa(const QStringList& riga) {
        StampaRigaZavetra(s, stato, GrigliaZavetra({riga}), 1);
        return s.corrente.pagine.last().testi;
    }
    // The whole report of as many rows as given.
    EsitoStampa stampa(const OpzioniStampa& op, int righe) {
        QList<QStringList> g;
        for (int i = 0; i < righe; ++i) g << kRigaGuida;
        griglia = GrigliaZavetra(g);
        dati.box = Box();
        dati.titoloFinestra = "Zavetra - prova";
        dati.oggi = QDate(2026, 12, 6);
        dati.cartellaDati = dir.path();
        return StampaDellItinerario(op, s, griglia, dati, dialoghi, progresso);
    }
    SuperficieRegistrata s;
    StatoStampa stato;
    QTemporaryDir dir;
    Griglia griglia;
    DatiStampa dati;
    DialoghiScriptati dialoghi;
    ProgressoMemoria progresso;
};

// their band; road numbers 0.4 mm up; the stop column in italic.
TEST_F(ZavetraTest, CellsInTheirBandsWithTheirAlignment) {
    const QList<TestoRegistrato> t = stampa(kRigaGuida);
    ASSERT_EQ(t.size(), 12);
    QStringList posti;
    for (int i = 0; i < t.size(); ++i) {
        const double centro = t[i].x + t[i].larghezza / 2 + 1;
        const int k = i < 7 ? i + 1 : i + 2;  // the empty column 8 prints nothing
        const bool centrato = std::abs(centro - (stato.bordo(k) + stato.bordo(k + 1)) / 2.0) < 1e-6;
        const bool destra = std::abs(t[i].x + t[i].larghezza - (stato.bordo(k + 1) - 3)) < 1e-6;
        posti << t[i].testo + (centrato ? " C" : destra ? " D" : t[i].x == stato.bordo(k) ? " S" : " ?");
    }
    EXPECT_EQ(posti.join(',').toStdString(),
              "12 D,Roma S,A1 C,250 D,A C,1.250 D,02:30 C,01:00 C,Lun C,01/07 C,12:30 C,Pranzo S");
    EXPECT_NEAR(t[2].base(), 100 - 0.4, 1e-6);
    EXPECT_TRUE(t[7].corsivo && !t[6].corsivo);
    EXPECT_FLOAT_EQ(stato.rigaCorrente, 100 + stato.altezzaRiga);
}

// A long road number is shrunk on one line; below 7 points it goes on two lines at 6.5 points,
// split at the first space from its middle on; a half still wider than 18 mm moves the band's left
// edge.
TEST_F(ZavetraTest, RoadNumbersShrinkThenSplitOnTwoLines) {
    qsizetype visti = 0;
    const auto strada = [&](const char* numero) {
        stato.rigaCorrente = 100;
        const QList<TestoRegistrato> t = stampa({"", "", numero}).mid(visti);
        visti += t.size();
        return t;
    };
    const QList<TestoRegistrato> una = strada("A1 E35 SS1 E80");
    ASSERT_EQ(una.size(), 1);
    EXPECT_TRUE(una[0].dimensione < 9 && una[0].dimensione > 6.5 && una[0].larghezza <= 18);
    const QList<TestoRegistrato> due = strada("SS1 Aurelia E80 A12");
    ASSERT_EQ(due.size(), 2);
    EXPECT_EQ(due[0].testo + '|' + due[1].testo, "SS1 Aurelia|E80 A12");
    EXPECT_TRUE(due[0].dimensione == 6.5 && due[1].dimensione == 6.5);
    EXPECT_NEAR(due[0].base(), 100 - 1.85, 1e-6);
    EXPECT_NEAR(due[1].base(), 100 + 0.2, 1e-6);
    const TestoRegistrato lunga = strada("Superstrada Statale Tiberina E45").value(0);
    EXPECT_EQ(lunga.testo, "Superstrada Statale");
    EXPECT_TRUE(lunga.dimensione == 6.5 && lunga.x < 66 && lunga.x + lunga.larghezza <= 84 - 1);
}

TEST_F(ZavetraTest, MarkedRowsKeepTheirPiecesApart) {
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
    const TestoRegistrato* traghetto = p.cerca("(Traghetto per Olbia)");
    ASSERT_TRUE(gruppo && traghetto && p.cerca("Colosseo e Fori imperiali"));
    EXPECT_DOUBLE_EQ(gruppo->dimensione, 10);
    EXPECT_LE(traghetto->x + traghetto->larghezza, 66 + 0.01);
    for (const QString pezzo : {"Riposo 15'", "Cena", "Km 350 in ore 05:30", "soste per ore 02:00"}) {
        const TestoRegistrato* t = p.cerca(pezzo);
        EXPECT_TRUE(t && t->corsivo && t->x >= 161 && t->x + t->larghezza <= 200) << pezzo.toStdString();
    }
    // No marker is printed, and no two texts overlap.
    for (const TestoRegistrato& t : p.testi) {
        EXPECT_FALSE(t.testo.contains(QRegularExpression("[*>\\[]"))) << t.testo.toStdString();
        for (const TestoRegistrato& u : p.testi)
            EXPECT_TRUE(&t == &u ||
                        !t.rettangolo().adjusted(0.05, 0.05, -0.05, -0.05).intersects(u.rettangolo()))
                << t.testo.toStdString() << " / " << u.testo.toStdString();
    }
    // The row after the extra note lines starts below them.
    EXPECT_GT(p.cerca("Olbia")->y, p.cerca("soste per ore 02:00")->base());
}

TEST_F(ZavetraTest, CharacteristicsBlock) {
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

TEST_F(ZavetraTest, PagesBreakAt285WithHeaderAndFooterOnEach) {
    OpzioniStampa op;
    op.chkTabella = true;
    op.chkFrontespizio = true;
    op.chkVociFrontespizio = {false, false, true, true};
    const EsitoStampa e = stampa(op, 150);
    const QList<PaginaRegistrata> p = s.tutteLePagine();
    ASSERT_TRUE(e.stampaRiuscita && e.pagine >= 3 && p.size() == 2 + e.pagine);
    EXPECT_EQ(p.at(0).elencoTesti().mid(1, 2), QStringList({"Lunoro", "Zavetra"}));  // the booklet cover
    EXPECT_EQ(p.at(1).elencoTesti().mid(1, 1), QStringList({"Zavetra"}));            // the section cover
    int righe = 0;
    for (int i = 2; i < p.size(); ++i) {
        EXPECT_NE(p.at(i).cerca(QStringLiteral("Pagina: 0%1").arg(i + 1)), nullptr);
        EXPECT_EQ(p.at(i).cerca("Periodo del viaggio:") != nullptr, i == 2);
        for (const TestoRegistrato& t : p.at(i).testi)
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

// With nothing checked no printer is touched; a failing printer is reported; the files are written
// either way.
TEST_F(ZavetraTest, FilesWrittenWithoutAPrintAndAfterAFailingPrinter) {
    EXPECT_TRUE(stampa({}, 3).file.riuscito());
    EXPECT_TRUE(s.tutteLePagine().isEmpty());
    ASSERT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_TRUE(dialoghi.testiMostrati().at(0).startsWith("Stampa dei file: "));
    s.guastaAllaPagina = true;
    s.paginaGuasta = 3;
    OpzioniStampa op;
    op.chkTabella = true;
    op.chkModuli = true;
    int avvii = 0;
    dati.avviaModuli = [&](const BoxMeta&) { return ++avvii > 0; };
    EXPECT_FALSE(stampa(op, 200).stampaRiuscita);
    ASSERT_EQ(s.documenti.size(), 1);
    EXPECT_TRUE(s.documenti.at(0).abbandonato);
    EXPECT_EQ(avvii, 1);
    ASSERT_EQ(dialoghi.mostrati.size(), 3);
    EXPECT_EQ(dialoghi.mostrati.at(1).testo, "Stampa non riuscita: Stampante non disponibile");
    EXPECT_EQ(dialoghi.mostrati.at(1).icona, Icona::Critico);
    EXPECT_EQ(test::leggiFile(dir.filePath("Camptabl.txt")).count("\r\n"), 3 + 200);
}

}  // namespace
