// The grid seen through Qt's model and view: consistency while the grid changes, the look of the
// cells, proportional column widths, and the cursor shared by the view and the grid.
#include "common/ui/GrigliaModello.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QFont>
#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "common/ui/TabellaGriglia.h"

namespace {

using Tester = QAbstractItemModelTester;

// Any inconsistency the tester finds is a Qt warning, and the test main fails the test on it.
std::unique_ptr<Tester> controlla(GrigliaModello* m) {
    return std::make_unique<Tester>(m, Tester::FailureReportingMode::Warning);
}

}  // namespace

TEST(GrigliaModello, RestaCoerenteMentreLaGrigliaCambia) {
    Griglia g(3, 4);
    g.impostaIntestazioni({"Num.", "Tappa", "Km.", "Ts"});
    GrigliaModello m(&g);
    auto tester = controlla(&m);

    g.impostaRighe(17);
    g.impostaTesto(1, 1, "ROMA");
    g.aggiungiRiga("x\tFIRENZE", 1);
    g.inserisciRighe(3, 4);
    g.rimuoviRighe(2, 3);
    g.impostaColonne(15);
    g.impostaColonne(13);
    g.impostaGrassetto(2, 6, true);
    g.impostaRigheFisse(2);
    g.impostaRigheFisse(0);
    g.impostaRigheFisse(1);
    g.svuotaDati();
    g.impostaRighe(1);  // header only: no model rows
    EXPECT_EQ(m.rowCount(), 0);
    {
        Griglia::Aggiornamento lotto(g);
        for (int r = 1; r < 300; ++r) {
            g.impostaRighe(r + 2);
            g.impostaTesto(r, 1, QString::number(r));
        }
        g.rimuoviRighe(5, 10);
    }
    EXPECT_EQ(m.rowCount(), g.righe() - 1);
    EXPECT_EQ(m.index(3, 1).data().toString() + '|' + m.index(4, 1).data().toString(), "4|15");
    g = Griglia(5, 2);
    EXPECT_EQ(std::pair(m.columnCount(), m.rowCount()), std::pair(2, 4));

    // The grid destroyed while a reset is open leaves an empty model.
    auto breve = std::make_unique<Griglia>(5, 3);
    GrigliaModello orfano(breve.get());
    auto tester2 = controlla(&orfano);
    breve->iniziaAggiornamento();
    breve->impostaTesto(1, 1, "a");
    breve.reset();
    EXPECT_EQ(orfano.griglia(), nullptr);
    EXPECT_EQ(orfano.rowCount() + orfano.columnCount(), 0);
}

TEST(GrigliaModello, IntestazioniAspettoECelleCambiate) {
    Griglia g(4, 3);
    g.impostaIntestazioni({"Num.", "Tappa", "Km."});
    g.impostaTesto(2, 1, "NAPOLI");
    g.impostaGrassetto(2, 1, true);
    g.impostaColoreSfondo(3, 2, 0xFFFF80);
    g.impostaColoreTesto(3, 2, 0x0000FF);
    g.impostaAllineamentoColonna(2, Allineamento::Destra);
    g.impostaAllineamentoColonna(1, Allineamento::Centro);
    GrigliaModello m(&g);
    auto tester = controlla(&m);

    EXPECT_EQ(m.rowCount(), 3);  // the header row is not a model row
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString() + '|' + m.index(1, 1).data().toString(),
              "Tappa|NAPOLI");
    EXPECT_EQ((QList<int>{m.rigaGriglia(1), m.rigaModello(2), m.rigaModello(0)}), (QList<int>{2, 1, -1}));
    EXPECT_TRUE(m.index(1, 1).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(m.index(1, 0).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(m.index(2, 2).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0xFF, 0xFF, 0x80));
    EXPECT_EQ(m.index(2, 2).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 0xFF));
    EXPECT_FALSE(m.index(1, 1).data(Qt::BackgroundRole).isValid());
    QList<int> allineamenti;
    for (int c = 0; c < 3; ++c)
        allineamenti << (m.index(0, c).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                         Qt::AlignHorizontal_Mask)
                            .toInt();
    EXPECT_EQ(allineamenti, (QList<int>{Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight}));
    EXPECT_FALSE(m.flags(m.index(0, 0)).testFlag(Qt::ItemIsEditable));

    // A changed cell is reported at its model row, a changed header as a header.
    QList<QModelIndex> cambiate;
    QList<int> intestazioni;
    QObject::connect(&m, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& a, const QModelIndex& b) { cambiate << a << b; });
    QObject::connect(&m, &QAbstractItemModel::headerDataChanged,
                     [&](Qt::Orientation, int prima, int) { intestazioni << prima; });
    g.impostaTesto(3, 0, "x");
    g.impostaTesto(0, 2, "Chilometri");
    EXPECT_EQ(cambiate, (QList<QModelIndex>{m.index(2, 0), m.index(2, 0)}));
    EXPECT_EQ(intestazioni, QList<int>{2});

    // Two header rows are stacked in the column header.
    g.impostaRigheFisse(2);
    g.impostaTesto(1, 1, "(gg:hh:mm)");
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), "Tappa\n(gg:hh:mm)");
    EXPECT_EQ(m.index(0, 1).data().toString() + '|' + m.index(1, 1).data().toString(), "NAPOLI|");
}

TEST(TabellaGriglia, LarghezzeProporzionaliCheRiempionoLaVista) {
    Griglia g(2, 4);
    g.definisciColonne({{"Num.", 420, Allineamento::Centro},
                        {"Tappa", 6295, Allineamento::Sinistra},
                        {"", 0, Allineamento::Sinistra},
                        {"Km.", 500, Allineamento::Destra}});
    // 721 px in proportion (41.97, 629.03, 0, 49.97) summing to the whole width.
    EXPECT_EQ(TabellaGriglia::larghezzePixel(g, 721), (QList<int>{42, 629, 0, 50}));

    TabellaGriglia vista(&g);
    vista.resize(800, 300);
    vista.show();
    EXPECT_TRUE(vista.isColumnHidden(2));
    EXPECT_NEAR(vista.columnWidth(1), vista.viewport()->width() * 6295.0 / 7215, 1.0);
    // Widths follow the grid and the window.
    g.impostaLarghezzaColonna(2, 6295);
    EXPECT_FALSE(vista.isColumnHidden(2));
    EXPECT_NEAR(vista.columnWidth(2), vista.columnWidth(1), 1.0);
    vista.resize(400, 300);
    // In a narrow view the short columns keep room for their headings, taken from the wide ones.
    EXPECT_GE(vista.columnWidth(0), vista.horizontalHeader()->sectionSizeHint(0));
    EXPECT_LT(vista.columnWidth(1), vista.viewport()->width() * 6295.0 / 13510);
    EXPECT_NEAR(vista.columnWidth(0) + vista.columnWidth(1) + vista.columnWidth(2) + vista.columnWidth(3),
                vista.viewport()->width(), 1.0);

    // A cell too narrow for its text shows all of it as a tooltip; a whole text shows none.
    const QString lunga(60, QLatin1Char('W'));
    g.impostaTesto(1, 0, lunga);
    g.impostaTesto(1, 1, "W");
    EXPECT_EQ(vista.suggerimentoCella(vista.modello()->index(0, 0)), lunga);
    EXPECT_EQ(vista.suggerimentoCella(vista.modello()->index(0, 1)), QString());
}

// The itinerary grid: widths in twips at the screen's resolution, the room left to the last
// visible column; too narrow a view scales every column as before.
TEST(TabellaGriglia, UltimaColonnaElasticaEMinimi) {
    Griglia g(2, 4);
    g.definisciColonne({{"Num.", 420, Allineamento::Centro},
                        {"Tappa", 6300, Allineamento::Sinistra},
                        {"Note", 1200, Allineamento::Sinistra},
                        {"", 0, Allineamento::Sinistra}});
    EXPECT_EQ(TabellaGriglia::larghezzeUltimaElastica(g, 1000, 96 / 1440.0), (QList<int>{28, 420, 552, 0}));
    EXPECT_EQ(TabellaGriglia::larghezzeUltimaElastica(g, 400, 96 / 1440.0),
              TabellaGriglia::larghezzePixel(g, 400));

    // A narrow column's minimum is taken from the others in proportion to their room, the total kept;
    // minimums that cannot all fit are given anyway (the view then scrolls sideways).
    EXPECT_EQ(TabellaGriglia::rispettaMinimi({30, 400, 70}, {40, 100, 50}), (QList<int>{40, 391, 69}));
    EXPECT_EQ(TabellaGriglia::rispettaMinimi({10, 300, 200}, {60, 100, 100}), (QList<int>{60, 267, 183}));
    EXPECT_EQ(TabellaGriglia::rispettaMinimi({10, 20}, {50, 40}), (QList<int>{50, 40}));
    EXPECT_EQ(TabellaGriglia::rispettaMinimi({50, 60}, {10, 10}), (QList<int>{50, 60}));
}

// The view follows the grid's cursor, selection and top row, and clicks, keys and scrolling move the
// grid's; the grid changing under the view keeps its own cursor.
TEST(TabellaGriglia, CursoreCondivisoTraVistaEGriglia) {
    Griglia g(100, 3);
    g.impostaIntestazioni({"Num.", "Tappa", "Km."});
    for (int r = 1; r < g.righe(); ++r) g.impostaTesto(r, 0, QString::number(r));
    TabellaGriglia vista(&g);
    vista.resize(400, 300);
    vista.show();
    auto tester = controlla(vista.modello());
    const auto corrente = [&] { return vista.selectionModel()->currentIndex(); };
    const auto centro = [&](int riga, int c) {
        return vista.visualRect(vista.model()->index(riga - 1, c)).center();
    };
    const auto primaRigaVisibile = [&] { return vista.rowAt(0) + 1; };
    // The grid's row and the view's current row (one less: the header is no model row).
    const auto righe = [&] { return std::pair(g.riga(), corrente().row()); };

    g.seleziona(10, 2, 12, 0);
    EXPECT_EQ(corrente(), vista.model()->index(9, 2));
    EXPECT_EQ(vista.selectionModel()->selectedIndexes().size(), 9);
    EXPECT_FALSE(vista.selectionModel()->isSelected(vista.model()->index(12, 0)));
    g.impostaRigaInAlto(30);
    EXPECT_EQ(primaRigaVisibile(), 30);

    QTest::mouseClick(vista.viewport(), Qt::LeftButton, {}, centro(5, 1));
    EXPECT_EQ(g.selezione(), (Rettangolo{5, 1, 5, 1}));
    // Shift-click extends the selection; the current cell stays the anchor's corner.
    QTest::mouseClick(vista.viewport(), Qt::LeftButton, Qt::ShiftModifier, centro(8, 2));
    EXPECT_EQ(g.selezione(), (Rettangolo{5, 1, 8, 2}));
    QTest::mouseClick(vista.viewport(), Qt::LeftButton, {}, centro(3, 0));
    QTest::keyClick(&vista, Qt::Key_Down);
    EXPECT_EQ(g.selezione(), (Rettangolo{4, 0, 4, 0}));

    vista.verticalScrollBar()->setValue(20);
    EXPECT_EQ(g.rigaInAlto(), 21);
    QTest::keyClick(&vista, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(g.riga(), 99);
    EXPECT_EQ(g.rigaInAlto(), primaRigaVisibile());
    EXPECT_GT(g.rigaInAlto(), 21);

    g.impostaRiga(50);
    g.impostaRigaInAlto(45);
    // Rows inserted above would carry the view's current index down; the grid keeps its row.
    g.inserisciRighe(10, 5);
    EXPECT_EQ(righe(), std::pair(50, 49));
    g.rimuoviRighe(2, 20);
    EXPECT_EQ(righe(), std::pair(50, 49));
    // Removing the view's current row makes the view pick a neighbour; the grid keeps its number.
    g.rimuoviRighe(48, 5);
    EXPECT_EQ(righe(), std::pair(50, 49));

    // An engine run: many writes in one bracket, then the cursor back to the start.
    {
        Griglia::Aggiornamento lotto(g);
        g.impostaRighe(1);
        for (int r = 1; r <= 400; ++r) {
            g.aggiungiRiga(QStringLiteral("%1\tTAPPA %1").arg(r));
            g.impostaRiga(r);
        }
        g.impostaRiga(1);
        g.impostaRigaInAlto(1);
    }
    EXPECT_EQ(vista.model()->rowCount(), 400);
    EXPECT_EQ(righe(), std::pair(1, 0));
    EXPECT_EQ(std::pair(primaRigaVisibile(), g.rigaInAlto()), std::pair(1, 1));

    // Cutting the grid under the view leaves view and grid agreeing on a row that exists.
    g.impostaRiga(300);
    g.impostaRigaInAlto(290);
    g.impostaRighe(20);
    EXPECT_EQ(righe(), std::pair(19, 18));
    EXPECT_LE(g.rigaInAlto(), 19);
}

// The widths of the texts are measured once per sample of rows and per texts shown: a text
// written, or other rows scrolled into view, count at the next change of appearance.
TEST(TabellaGriglia, ContenutoMisuratoDiNuovoSoloQuandoCambia) {
    Griglia g(300, 2);
    g.definisciColonne({{"Ora", 300, Allineamento::Centro}, {"Tappa", 6000, Allineamento::Sinistra}});
    TabellaGriglia vista(&g);
    vista.resize(400, 300);
    vista.show();
    const int stretta = vista.columnWidth(0);
    const auto cambiaAspetto = [&g] {
        g.impostaAllineamentoColonna(1, g.allineamentoColonna(1) == Allineamento::Sinistra
                                            ? Allineamento::Destra
                                            : Allineamento::Sinistra);
    };

    g.impostaTesto(2, 0, "12:30 - 14:45");
    cambiaAspetto();
    const int conTesto = vista.columnWidth(0);
    EXPECT_GT(conTesto, stretta);

    g.impostaTesto(250, 0, "12:30 - 14:45 (domani)");
    cambiaAspetto();
    EXPECT_EQ(vista.columnWidth(0), conTesto);  // row 250 is not shown
    g.impostaRigaInAlto(240);
    cambiaAspetto();
    EXPECT_GT(vista.columnWidth(0), conTesto);
}

TEST(TabellaGriglia, VistaNascostaPrendeLeLarghezzeQuandoAppare) {
    Griglia g(2, 2);
    g.definisciColonne({{"Tappa", 1000, Allineamento::Sinistra}, {"Km.", 1000, Allineamento::Destra}});
    TabellaGriglia vista(&g);
    vista.resize(400, 300);
    vista.show();
    vista.hide();
    g.impostaLarghezzaColonna(1, 0);
    vista.show();
    EXPECT_TRUE(vista.isColumnHidden(1));
    EXPECT_GT(vista.columnWidth(0), 300);
}
