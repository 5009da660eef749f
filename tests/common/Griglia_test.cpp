// The grid of texts behind every table: sizes, bounds, format, cursor, rows moved with their
// format, copies and moves, and the notices its observers get.
#include "common/Griglia.h"

#include <gtest/gtest.h>

#include "StampaTesti.h"

namespace {

// Fills every cell with its row and column digits, so that moved or lost cells show.
void riempi(Griglia& g) {
    for (int r = 0; r < g.righe(); ++r)
        for (int c = 0; c < g.colonne(); ++c) g.impostaTesto(r, c, QString::number(r) + QString::number(c));
}

// The whole grid: "." for an empty cell, cells parted by " " and rows by "|".
QString celle(const Griglia& g) {
    QStringList righe;
    for (int r = 0; r < g.righe(); ++r) {
        QStringList riga;
        for (int c = 0; c < g.colonne(); ++c) riga << (g.testo(r, c).isEmpty() ? "." : g.testo(r, c));
        righe << riga.join(' ');
    }
    return righe.join('|');
}

// Current cell, ordered selection and top row: "r,c r1,c1-r2,c2 ^top".
QString cursore(const Griglia& g) {
    const Rettangolo s = g.selezione();
    return QString::asprintf("%d,%d %d,%d-%d,%d ^%d", g.riga(), g.colonna(), s.primaRiga, s.primaColonna,
                             s.ultimaRiga, s.ultimaColonna, g.rigaInAlto());
}

// Records every notification but the columns' (the model's tester in GrigliaModello_test checks
// the structural ones).
class Registro : public OsservatoreGriglia {
  public:
    QStringList eventi;
    void primaDelRiordino() override { eventi << "primaRiordino"; }
    void dopoIlRiordino() override { eventi << "dopoRiordino"; }
    void primaDiInserireRighe(int p, int u) override { eventi << QString::asprintf("primaIns %d-%d", p, u); }
    void primaDiRimuovereRighe(int p, int u) override { eventi << QString::asprintf("primaRim %d-%d", p, u); }
    void celleCambiate(const Rettangolo& x) override {
        eventi << QString::asprintf("celle %d,%d-%d,%d", x.primaRiga, x.primaColonna, x.ultimaRiga,
                                    x.ultimaColonna);
    }
    void aspettoCambiato() override { eventi << "aspetto"; }
    void cursoreCambiato() override { eventi << "cursore"; }
    void grigliaDistrutta() override { eventi << "distrutta"; }
};

}  // namespace

TEST(Griglia, RigheEColonneCresconoEsiTaglianoInFondo) {
    Griglia g(3, 2);
    riempi(g);
    g.impostaRighe(4);
    g.impostaColonne(3);
    EXPECT_EQ(celle(g), "00 01 .|10 11 .|20 21 .|. . .");
    // What was cut is gone: growing again gives empty cells, not the old texts.
    g.impostaRighe(2);
    g.impostaColonne(1);
    g.impostaRighe(3);
    g.impostaColonne(2);
    EXPECT_EQ(celle(g), "00 .|10 .|. .");

    // Never below the header rows and columns; more header rows than rows grow the grid.
    g.impostaRigheFisse(2);
    g.impostaColonneFisse(1);
    g.impostaRighe(0);
    g.impostaColonne(-3);
    EXPECT_EQ(celle(g), "00|10");
    g.impostaRigheFisse(3);
    EXPECT_EQ(g.righe(), 3);
    Griglia vuota(0, 0);
    EXPECT_EQ(vuota.righeFisse(), 0);
    EXPECT_FALSE(vuota.impostaTesto(0, 0, "x"));
}

// Reusing the rows leaves what cutting to the kept rows and growing again would: texts, format
// and cursor, whether the grid ends longer or shorter than before.
TEST(Griglia, RicominciareLeRigheEComeTagliarleERicrescerle) {
    for (const int n : {3, 12}) {
        Griglia riusata(8, 3);
        riempi(riusata);
        riusata.impostaGrassetto(5, 1, true);
        riusata.seleziona(6, 2, 7, 1);
        riusata.impostaRigaInAlto(5);
        Griglia tagliata = riusata;
        riusata.ricominciaRighe(2, n);
        tagliata.impostaRighe(2);
        tagliata.impostaRighe(n);
        EXPECT_EQ(celle(riusata), celle(tagliata));
        EXPECT_EQ(cursore(riusata), cursore(tagliata));
        EXPECT_FALSE(riusata.grassetto(5 % n, 1));
    }
}

TEST(Griglia, FuoriDallaGrigliaSiLeggeVuotoESiRifiutaLaScrittura) {
    Griglia g(3, 3);
    riempi(g);
    for (auto [r, c] : {std::pair{-1, 0}, {0, -1}, {3, 0}, {0, 3}, {100000, 100000}}) {
        EXPECT_FALSE(!g.testo(r, c).isEmpty() || g.grassetto(r, c) || g.coloreSfondo(r, c)) << r << "," << c;
        EXPECT_FALSE(g.impostaTesto(r, c, "x") || g.impostaGrassetto(r, c, true) ||
                     g.impostaColoreSfondo(r, c, 0xFF0000) || g.impostaColoreTesto(r, c, 0xFF0000))
            << r << "," << c;
    }
    EXPECT_FALSE(g.impostaLarghezzaColonna(3, 100) || g.impostaLarghezzaColonna(0, -1) ||
                 g.impostaAllineamentoColonna(-1, Allineamento::Destra));
    EXPECT_EQ(g.larghezzaColonna(7), 0);
    EXPECT_EQ(celle(g), "00 01 02|10 11 12|20 21 22");
}

TEST(Griglia, ColoriSoloRgbESvuotaDatiTieneLeIntestazioni) {
    Griglia g(3, 2);
    riempi(g);
    EXPECT_TRUE(g.impostaColoreSfondo(2, 1, 0xFF80C0FFu));  // an ARGB value keeps its RGB part
    EXPECT_EQ(g.coloreSfondo(2, 1), 0x80C0FFu);
    g.impostaColoreSfondo(2, 1, std::nullopt);  // the cell's own colour cleared
    EXPECT_FALSE(g.coloreSfondo(2, 1).has_value());

    g.impostaGrassetto(1, 1, true);
    g.impostaColoreSfondo(2, 0, 0xFF);
    g.svuotaDati();
    EXPECT_EQ(celle(g), "00 01|. .|. .");
    EXPECT_FALSE(g.grassetto(1, 1) || g.coloreSfondo(2, 0));
    g.svuota();
    EXPECT_EQ(celle(g), ". .|. .|. .");
}

TEST(Griglia, DefinizioniDelleColonne) {
    Griglia g(0, 0);
    g.impostaIntestazioni({"Num.", "Tappa"});
    EXPECT_EQ(g.righeFisse(), 1);
    g.definisciColonne({{"Num.", 420, Allineamento::Centro}, {"Km.", 500, Allineamento::Destra}});
    EXPECT_EQ(g.intestazioni(), (QStringList{"Num.", "Km."}));
    EXPECT_EQ(g.allineamentoColonna(1), Allineamento::Destra);
    // Fewer definitions than header columns: the header columns follow.
    g.impostaColonneFisse(3);
    g.definisciColonne({{"A", 10, Allineamento::Sinistra}});
    EXPECT_EQ(g.colonne(), 1);
    EXPECT_EQ(g.colonneFisse(), 1);
}

TEST(Griglia, CursoreSelezioneERigaInAltoRestanoNellaGriglia) {
    Griglia g(20, 5);
    EXPECT_EQ(cursore(g), "1,0 1,0-1,0 ^1");  // a new grid stands on its first row below the header
    g.seleziona(8, 4, 3, 1);
    EXPECT_EQ(cursore(g), "8,4 3,1-8,4 ^1");
    // Moving the current row or column collapses the selection, as a click does.
    g.impostaRiga(5);
    EXPECT_EQ(cursore(g), "5,4 5,1-5,4 ^1");
    g.impostaColonna(2);
    g.impostaColonnaSel(4);
    g.impostaRigaSel(7);
    EXPECT_EQ(cursore(g), "5,2 5,2-7,4 ^1");
    g.seleziona(-5, 99, 1000, -1);
    g.impostaRigaInAlto(500);
    EXPECT_EQ(cursore(g), "0,4 0,0-19,4 ^19");
    g.impostaRigaInAlto(0);  // the top row is never a header row
    EXPECT_EQ(g.rigaInAlto(), 1);

    // Cutting the grid brings cursor and top row back inside, where writing is safe.
    g.seleziona(15, 4, 18, 3);
    g.impostaRigaInAlto(17);
    g.impostaRighe(10);
    g.impostaColonne(3);
    EXPECT_EQ(cursore(g), "9,2 9,2-9,2 ^9");
    EXPECT_TRUE(g.impostaTesto(g.riga(), g.colonna(), "ok"));
    // More header rows push the top row down with them.
    g.impostaRigheFisse(3);
    g.impostaRigaInAlto(1);
    EXPECT_EQ(g.rigaInAlto(), 3);
}

TEST(Griglia, AggiungiRigaDivideAlTabEInserisceDoveDetto) {
    Griglia g(1, 3);
    EXPECT_EQ(g.aggiungiRiga("1\tROMA\t100"), 1);
    EXPECT_EQ(g.aggiungiRiga("3\tBARI\t200\textra\tdropped"), 2);
    EXPECT_EQ(g.aggiungiRiga("2\tNAPOLI", 2), 2);
    EXPECT_EQ(g.aggiungiRiga(""), 4);
    // Not among the header rows, not beyond the end.
    EXPECT_EQ(g.aggiungiRiga("x", 0), -1);
    EXPECT_EQ(g.aggiungiRiga("x", 6), -1);
    EXPECT_EQ(celle(g), ". . .|1 ROMA 100|2 NAPOLI .|3 BARI 200|. . .");
}

TEST(Griglia, InserireERimuovereRigheSpostaCelleFormatoECursore) {
    Griglia g(6, 2);
    riempi(g);
    g.impostaGrassetto(3, 1, true);
    g.impostaColoreSfondo(4, 0, 0xFF00);
    ASSERT_TRUE(g.inserisciRighe(2, 2));
    EXPECT_EQ(celle(g), "00 01|10 11|. .|. .|20 21|30 31|40 41|50 51");
    // The format moved down with its row.
    EXPECT_TRUE(g.grassetto(5, 1));
    EXPECT_EQ(g.coloreSfondo(6, 0), 0xFF00u);
    EXPECT_FALSE(g.grassetto(3, 1));
    ASSERT_TRUE(g.rimuoviRighe(2, 2));
    EXPECT_TRUE(g.grassetto(3, 1));
    // Removing past the end removes what there is; the header row stays.
    ASSERT_TRUE(g.rimuoviRighe(4, 10));
    EXPECT_FALSE(g.rimuoviRighe(0) || g.rimuoviRighe(4) || g.rimuoviRighe(1, 0) || g.inserisciRighe(0, 1) ||
                 g.inserisciRighe(5, 1) || g.inserisciRighe(2, -1));
    EXPECT_EQ(celle(g), "00 01|10 11|20 21|30 31");

    // The cursor keeps its row number while rows move under it.
    Griglia h(10, 2);
    h.impostaRiga(5);
    h.inserisciRighe(1, 3);
    EXPECT_EQ(h.riga(), 5);
    h.rimuoviRighe(1, 8);
    EXPECT_EQ(h.riga(), 4);
}

// A copy has the contents but not the observers; assigning over an observed grid is one reset.
// A computed grid moved into the shown one gives its observers one reset and the new contents;
// a grid that others observe is copied, not emptied under them.
TEST(Griglia, CopiaESpostamento) {
    Griglia a(4, 3);
    riempi(a);
    a.impostaGrassetto(2, 2, true);
    a.impostaLarghezzaColonna(1, 777);
    a.seleziona(3, 1, 2, 0);
    Registro ra;
    a.aggiungiOsservatore(&ra);
    Griglia b(a);
    b.impostaTesto(1, 1, "cambiata");
    EXPECT_TRUE(ra.eventi.isEmpty());
    EXPECT_EQ(a.testo(1, 1), "11");
    EXPECT_TRUE(b.grassetto(2, 2));
    EXPECT_EQ(b.larghezzaColonna(1), 777);
    EXPECT_EQ(cursore(b), cursore(a));

    Griglia calcolata(5, 3);
    calcolata.impostaTesto(4, 2, "ultima");
    calcolata.impostaGrassetto(1, 1, true);
    calcolata.impostaLarghezzaColonna(2, 321);
    calcolata.seleziona(3, 1, 4, 2);
    a = std::move(calcolata);
    EXPECT_EQ(ra.eventi, (QStringList{"primaRiordino", "dopoRiordino", "aspetto", "cursore"}));
    EXPECT_EQ(celle(a), ". . .|. . .|. . .|. . .|. . ultima");
    EXPECT_TRUE(a.grassetto(1, 1));
    EXPECT_EQ(a.larghezzaColonna(2), 321);
    EXPECT_EQ(cursore(a), "3,1 3,1-4,2 ^1");

    Registro rb;
    b.aggiungiOsservatore(&rb);
    a = std::move(b);
    EXPECT_EQ(a.testo(1, 1), "cambiata");
    EXPECT_EQ(b.testo(1, 1), "cambiata");
    EXPECT_TRUE(rb.eventi.isEmpty());
    b.rimuoviOsservatore(&rb);
    a.rimuoviOsservatore(&ra);
}

// What no model tester sees: cell, cursor and look notices, and their batching.
TEST(GrigliaNotifiche, CelleCursoreEAspetto) {
    Griglia g(5, 3);
    Registro reg;
    g.aggiungiOsservatore(&reg);
    g.impostaTesto(2, 1, "a");
    g.impostaTesto(2, 1, "a");  // no change, no notice
    g.impostaGrassetto(3, 0, true);
    g.impostaRiga(4);
    g.impostaRiga(4);
    g.impostaLarghezzaColonna(0, 5);
    g.impostaAllineamentoColonna(0, Allineamento::Destra);
    g.impostaRigheFisse(2);
    g.svuotaDati();
    g.svuotaDati();  // already empty
    EXPECT_EQ(reg.eventi, (QStringList{"celle 2,1-2,1", "celle 3,0-3,0", "cursore", "aspetto", "aspetto",
                                       "primaRiordino", "dopoRiordino", "cursore", "celle 2,0-4,2"}));
    g.rimuoviOsservatore(&reg);
}

TEST(GrigliaNotifiche, UnAggiornamentoRaccoglieTuttoInUnRiordino) {
    Griglia g(2, 15);
    Registro reg;
    g.aggiungiOsservatore(&reg);
    {
        Griglia::Aggiornamento esterno(g);
        for (int r = 1; r < 500; ++r) {
            Griglia::Aggiornamento interno(g);
            if (r + 2 > g.righe()) g.impostaRighe(r + 2);
            for (int c = 0; c < 13; ++c) g.impostaTesto(r, c, QString::number(r * c));
            g.impostaRiga(r);
        }
        g.impostaLarghezzaColonna(3, 42);
        EXPECT_EQ(reg.eventi, QStringList{"primaRiordino"});
    }
    EXPECT_EQ(reg.eventi, (QStringList{"primaRiordino", "dopoRiordino", "aspetto", "cursore"}));
    EXPECT_EQ(g.righe(), 501);
    EXPECT_EQ(g.testo(499, 12), QString::number(499 * 12));

    // A bracket that changes nothing says nothing; an unmatched end is harmless.
    reg.eventi.clear();
    g.iniziaAggiornamento();
    g.impostaTesto(1, 1, g.testo(1, 1));
    g.terminaAggiornamento();
    g.terminaAggiornamento();
    EXPECT_TRUE(reg.eventi.isEmpty());
    g.impostaTesto(1, 1, "dopo");
    EXPECT_EQ(reg.eventi, QStringList{"celle 1,1-1,1"});
    g.rimuoviOsservatore(&reg);
}

TEST(GrigliaNotifiche, DistruzioneERimozioneDurantelAvviso) {
    Registro reg;
    {
        Griglia g(2, 2);
        g.aggiungiOsservatore(&reg);
        g.aggiungiOsservatore(&reg);  // once only
    }
    EXPECT_EQ(reg.eventi, QStringList{"distrutta"});

    // An observer that unsubscribes while being told does not upset the others.
    struct UnaVolta : OsservatoreGriglia {
        Griglia* g = nullptr;
        int volte = 0;
        void cursoreCambiato() override {
            ++volte;
            g->rimuoviOsservatore(this);
        }
    } primo, secondo;
    Griglia g(5, 2);
    primo.g = secondo.g = &g;
    g.aggiungiOsservatore(&primo);
    g.aggiungiOsservatore(&secondo);
    g.impostaRiga(3);
    g.impostaRiga(4);
    EXPECT_EQ(primo.volte + secondo.volte, 2);
}
