#include "common/Griglia.h"

#include <gtest/gtest.h>

namespace {

// Fills every cell with "r,c" so that moved or lost cells show.
void riempi(Griglia& g) {
    for (int r = 0; r < g.righe(); ++r)
        for (int c = 0; c < g.colonne(); ++c) g.impostaTesto(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
}

QStringList colonna0(const Griglia& g) {
    QStringList t;
    for (int r = 0; r < g.righe(); ++r) t << g.testo(r, 0);
    return t;
}

// Records every notification, and the grid's row count at the time, to check that "before"
// notifications really come before the change.
class Registro : public OsservatoreGriglia {
  public:
    explicit Registro(const Griglia* g) : g_(g) {}
    QStringList eventi;
    void primaDelRiordino() override { eventi << "primaRiordino"; }
    void dopoIlRiordino() override { eventi << "dopoRiordino"; }
    void primaDiInserireRighe(int p, int u) override { ev("primaInsRighe", p, u); }
    void righeInserite(int p, int u) override { ev("insRighe", p, u); }
    void primaDiRimuovereRighe(int p, int u) override { ev("primaRimRighe", p, u); }
    void righeRimosse(int p, int u) override { ev("rimRighe", p, u); }
    void primaDiInserireColonne(int p, int u) override { ev("primaInsColonne", p, u); }
    void colonneInserite(int p, int u) override { ev("insColonne", p, u); }
    void primaDiRimuovereColonne(int p, int u) override { ev("primaRimColonne", p, u); }
    void colonneRimosse(int p, int u) override { ev("rimColonne", p, u); }
    void celleCambiate(const Rettangolo& x) override {
        eventi << QStringLiteral("celle %1,%2-%3,%4")
                      .arg(x.primaRiga)
                      .arg(x.primaColonna)
                      .arg(x.ultimaRiga)
                      .arg(x.ultimaColonna);
    }
    void aspettoCambiato() override { eventi << "aspetto"; }
    void cursoreCambiato() override { eventi << "cursore"; }
    void grigliaDistrutta() override { eventi << "distrutta"; }

  private:
    void ev(const char* nome, int p, int u) {
        eventi
            << QStringLiteral("%1 %2-%3 (righe %4)").arg(QLatin1String(nome)).arg(p).arg(u).arg(g_->righe());
    }
    const Griglia* g_;
};

}  // namespace

TEST(Griglia, RigheEColonneCresconoEsiTaglianoInFondo) {
    Griglia g(4, 3);
    riempi(g);
    g.impostaRighe(6);
    EXPECT_EQ(g.righe(), 6);
    EXPECT_EQ(g.testo(3, 2), "3,2");
    EXPECT_EQ(g.testo(5, 2), "");
    g.impostaColonne(5);
    EXPECT_EQ(g.testo(3, 2), "3,2");
    EXPECT_EQ(g.testo(3, 4), "");
    EXPECT_TRUE(g.impostaTesto(5, 4, "nuova"));

    g.impostaRighe(2);
    g.impostaColonne(2);
    EXPECT_EQ(colonna0(g), (QStringList{"0,0", "1,0"}));
    EXPECT_EQ(g.testo(1, 1), "1,1");
    // What was cut is gone: growing again gives empty cells, not the old texts.
    g.impostaRighe(4);
    g.impostaColonne(3);
    EXPECT_EQ(g.testo(3, 0), "");
    EXPECT_EQ(g.testo(1, 2), "");
}

TEST(Griglia, NonScendeSottoLeRigheELeColonneFisse) {
    Griglia g(5, 4);
    g.impostaRigheFisse(2);
    g.impostaColonneFisse(1);
    g.impostaRighe(0);
    g.impostaColonne(-3);
    EXPECT_EQ(g.righe(), 2);
    EXPECT_EQ(g.colonne(), 1);
    // Asking for more header rows than rows grows the grid.
    g.impostaRigheFisse(3);
    EXPECT_EQ(g.righe(), 3);
    Griglia vuota(0, 0);
    EXPECT_EQ(vuota.righeFisse(), 0);
    EXPECT_EQ(vuota.testo(0, 0), "");
    EXPECT_FALSE(vuota.impostaTesto(0, 0, "x"));
}

TEST(Griglia, FuoriDallaGrigliaSiLeggeVuotoESiRifiutaLaScrittura) {
    Griglia g(3, 3);
    riempi(g);
    for (auto [r, c] : {std::pair{-1, 0}, {0, -1}, {3, 0}, {0, 3}, {100000, 100000}}) {
        SCOPED_TRACE(testing::Message() << r << "," << c);
        EXPECT_EQ(g.testo(r, c), "");
        EXPECT_FALSE(g.grassetto(r, c));
        EXPECT_FALSE(g.coloreSfondo(r, c).has_value());
        EXPECT_FALSE(g.impostaTesto(r, c, "x"));
        EXPECT_FALSE(g.impostaGrassetto(r, c, true));
        EXPECT_FALSE(g.impostaColoreSfondo(r, c, 0xFF0000));
        EXPECT_FALSE(g.impostaColoreTesto(r, c, 0xFF0000));
    }
    EXPECT_FALSE(g.impostaLarghezzaColonna(3, 100));
    EXPECT_FALSE(g.impostaLarghezzaColonna(0, -1));
    EXPECT_FALSE(g.impostaAllineamentoColonna(-1, Allineamento::Destra));
    EXPECT_EQ(g.larghezzaColonna(7), 0);
    EXPECT_EQ(g.righe(), 3);
    EXPECT_EQ(g.colonne(), 3);
    EXPECT_EQ(g.testo(2, 2), "2,2");
}

TEST(Griglia, ColoriSoloRgb) {
    Griglia g(3, 3);
    EXPECT_TRUE(g.impostaColoreSfondo(2, 1, 0xFF80C0FFu));  // an ARGB value keeps its RGB part
    EXPECT_EQ(g.coloreSfondo(2, 1), 0x80C0FFu);
    // The normal colour comes back by clearing the cell's own.
    g.impostaColoreSfondo(2, 1, std::nullopt);
    EXPECT_FALSE(g.coloreSfondo(2, 1).has_value());
}

TEST(Griglia, SvuotaDatiTieneIntestazioniEDimensioni) {
    Griglia g(5, 3);
    riempi(g);
    g.impostaGrassetto(3, 1, true);
    g.impostaColoreSfondo(4, 0, 0xFF);
    g.svuotaDati();
    EXPECT_EQ(g.righe(), 5);
    EXPECT_EQ(g.intestazioni(), (QStringList{"0,0", "0,1", "0,2"}));
    EXPECT_EQ(g.testo(1, 0), "");
    EXPECT_FALSE(g.grassetto(3, 1));
    EXPECT_FALSE(g.coloreSfondo(4, 0).has_value());
    g.svuota();
    EXPECT_EQ(g.intestazioni(), (QStringList{"", "", ""}));
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

TEST(Griglia, RigaCorrenteSelezioneERigaInAlto) {
    Griglia g(20, 5);
    EXPECT_EQ(g.riga(), 1);  // a new grid stands on its first row below the header
    EXPECT_EQ(g.rigaInAlto(), 1);

    // Current cell plus other corner; the rectangle comes out ordered.
    g.seleziona(8, 4, 3, 1);
    EXPECT_EQ(g.riga(), 8);
    EXPECT_EQ(g.colonna(), 4);
    EXPECT_EQ(g.selezione(), (Rettangolo{3, 1, 8, 4}));

    // Moving the current row or column collapses the selection, as a click does.
    g.impostaRiga(5);
    EXPECT_EQ(g.selezione(), (Rettangolo{5, 1, 5, 4}));
    g.impostaColonna(2);
    EXPECT_EQ(g.selezione(), (Rettangolo{5, 2, 5, 2}));
    g.impostaColonnaSel(4);
    g.impostaRigaSel(7);
    EXPECT_EQ(g.selezione(), (Rettangolo{5, 2, 7, 4}));

    // Everything is clamped into the grid.
    g.seleziona(-5, 99, 1000, -1);
    EXPECT_EQ(g.selezione(), (Rettangolo{0, 0, 19, 4}));
    g.impostaRigaInAlto(0);  // the top row is never a header row
    EXPECT_EQ(g.rigaInAlto(), 1);
    g.impostaRigaInAlto(500);
    EXPECT_EQ(g.rigaInAlto(), 19);
}

TEST(Griglia, TagliareLaGrigliaRiportaDentroCursoreERigaInAlto) {
    Griglia g(30, 6);
    g.seleziona(25, 5, 28, 3);
    g.impostaRigaInAlto(20);
    g.impostaRighe(10);
    g.impostaColonne(4);
    EXPECT_EQ(g.riga(), 9);
    EXPECT_EQ(g.rigaSel(), 9);
    EXPECT_EQ(g.colonna(), 3);
    EXPECT_EQ(g.colonnaSel(), 3);
    EXPECT_EQ(g.rigaInAlto(), 9);
    // Reading and writing at the clamped cursor is safe.
    EXPECT_TRUE(g.impostaTesto(g.riga(), g.colonna(), "ok"));
    // More header rows push the top row down with them.
    g.impostaRigheFisse(3);
    g.impostaRigaInAlto(1);
    EXPECT_EQ(g.rigaInAlto(), 3);
}

TEST(Griglia, AggiungiRigaDivideAlTabEInserisceDoveDetto) {
    Griglia g(1, 3);
    g.impostaIntestazioni({"A", "B", "C"});
    EXPECT_EQ(g.aggiungiRiga("1\tROMA\t100"), 1);
    EXPECT_EQ(g.aggiungiRiga("3\tBARI\t200\textra\tdropped"), 2);
    EXPECT_EQ(g.aggiungiRiga("2\tNAPOLI", 2), 2);
    EXPECT_EQ(g.righe(), 4);
    EXPECT_EQ(colonna0(g), (QStringList{"A", "1", "2", "3"}));
    EXPECT_EQ(g.testo(2, 2), "");
    EXPECT_EQ(g.testo(3, 2), "200");
    EXPECT_EQ(g.aggiungiRiga(""), 4);
    EXPECT_EQ(g.testo(4, 0), "");

    // Not among the header rows, not beyond the end.
    EXPECT_EQ(g.aggiungiRiga("x", 0), -1);
    EXPECT_EQ(g.aggiungiRiga("x", 6), -1);
    EXPECT_EQ(g.righe(), 5);
}

TEST(Griglia, InserireERimuovereRigheSpostaCelleEFormato) {
    Griglia g(6, 2);
    riempi(g);
    g.impostaGrassetto(3, 1, true);
    g.impostaColoreSfondo(4, 0, 0xFF00);

    ASSERT_TRUE(g.inserisciRighe(2, 2));
    EXPECT_EQ(colonna0(g), (QStringList{"0,0", "1,0", "", "", "2,0", "3,0", "4,0", "5,0"}));
    EXPECT_TRUE(g.grassetto(5, 1));  // the bold cell moved down with its row
    EXPECT_EQ(g.coloreSfondo(6, 0), 0xFF00u);
    EXPECT_FALSE(g.grassetto(3, 1));

    ASSERT_TRUE(g.rimuoviRighe(2, 2));
    EXPECT_EQ(colonna0(g), (QStringList{"0,0", "1,0", "2,0", "3,0", "4,0", "5,0"}));
    EXPECT_TRUE(g.grassetto(3, 1));

    // Removing past the end removes what there is.
    ASSERT_TRUE(g.rimuoviRighe(4, 10));
    EXPECT_EQ(colonna0(g), (QStringList{"0,0", "1,0", "2,0", "3,0"}));

    EXPECT_FALSE(g.rimuoviRighe(0));  // the header row stays
    EXPECT_FALSE(g.rimuoviRighe(4));
    EXPECT_FALSE(g.rimuoviRighe(1, 0));
    EXPECT_FALSE(g.inserisciRighe(0, 1));
    EXPECT_FALSE(g.inserisciRighe(5, 1));
    EXPECT_FALSE(g.inserisciRighe(2, -1));
    EXPECT_EQ(g.righe(), 4);
}

TEST(Griglia, IlCursoreTieneIlNumeroDiRigaQuandoLeRigheSiSpostano) {
    Griglia g(10, 2);
    g.impostaRiga(5);
    g.inserisciRighe(1, 3);
    EXPECT_EQ(g.riga(), 5);
    g.rimuoviRighe(1, 8);
    EXPECT_EQ(g.righe(), 5);
    EXPECT_EQ(g.riga(), 4);
}

TEST(Griglia, LaCopiaHaIContenutiMaNonGliOsservatori) {
    Griglia a(4, 3);
    riempi(a);
    a.impostaGrassetto(2, 2, true);
    a.impostaLarghezzaColonna(1, 777);
    a.seleziona(3, 1, 2, 0);
    Registro ra(&a);
    a.aggiungiOsservatore(&ra);

    Griglia b(a);
    b.impostaTesto(1, 1, "cambiata");
    EXPECT_TRUE(ra.eventi.isEmpty());
    EXPECT_EQ(a.testo(1, 1), "1,1");
    EXPECT_TRUE(b.grassetto(2, 2));
    EXPECT_EQ(b.larghezzaColonna(1), 777);
    EXPECT_EQ(b.selezione(), a.selezione());

    // Assigning over an observed grid tells its observers of the new contents.
    Griglia c(2, 2);
    a = c;
    EXPECT_EQ(a.righe(), 2);
    EXPECT_EQ(ra.eventi.front(), "primaRiordino");
    EXPECT_TRUE(ra.eventi.contains("dopoRiordino"));
    a.rimuoviOsservatore(&ra);
}

// The structural notices (rows and columns, before and after) are checked by the model's tester in
// GrigliaModello_test; here what no tester sees: cell, cursor and look notices, and their batching.
TEST(GrigliaNotifiche, CelleCursoreEAspetto) {
    Griglia g(5, 3);
    Registro reg(&g);
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
    Registro reg(&g);
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
    Registro reg(nullptr);
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
    EXPECT_EQ(primo.volte, 1);
    EXPECT_EQ(secondo.volte, 1);
}
