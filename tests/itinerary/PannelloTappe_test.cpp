// The leg editing frame, headless: typing, buttons, keys and clicks reach the leg logic and back.
#include "itinerary/ui/PannelloTappe.h"

#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

#include "Tappe.h"
#include "common/ui/GrigliaModello.h"
#include "common/ui/TabellaGriglia.h"

namespace {

using test::digita;
using test::Localita;
using test::premi;
using test::Righe;

// The current row and the locality box, "|"-joined.
QString Posto(const PannelloTappe& p) {
    return QString::number(p.rigaCorrente()) + '|' + p.txtTappa->text();
}

class PannelloTappeTest : public ::testing::Test {
  protected:
    Griglia mfgTab = test::GrigliaCon();
    DialoghiScriptati dialoghi;
    BoxMeta box;
    std::unique_ptr<PannelloTappe> pannello;

    void SetUp() override { box.cmbMediaKm = {"100", "90", "70", "50"}; }

    CollegamentoBoxMeta collegamento() {
        CollegamentoBoxMeta c;
        c.leggiBox = [this] { return box; };
        c.scriviBox = [this](const BoxMeta& b) { box = b; };
        return c;
    }

    void apri(const QString& tappe = {}) {
        if (!tappe.isEmpty()) test::ScriviTappe(mfgTab, tappe);
        pannello = std::make_unique<PannelloTappe>(mfgTab, dialoghi, collegamento());
        pannello->resize(1000, 600);
        pannello->show();
        QApplication::setActiveWindow(pannello.get());
        pannello->AttivitaInserimentoItinerario();
    }
};

TEST_F(PannelloTappeTest, TappaRifiutataMostrataPoiInseritaConProgressiviETempi) {
    apri();
    QSignalSpy cambiata(pannello.get(), &PannelloTappe::grigliaCambiata);
    // The boxes filter and raise what is typed.
    digita(pannello->txtTappa, QString::fromUtf8("roma è"));
    digita(pannello->txtNumStrada, "a1");
    digita(pannello->txtKm, "A12x0");
    pannello->cmdInserisce->click();  // no road type chosen
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Tipo strada obbligatorio!"});
    EXPECT_EQ(UltimaRigaTappa(mfgTab), 0);

    // The boxes, the road type, the stop lists and the end-of-day box reach the leg.
    pannello->optStrada[0]->click();
    pannello->cmbSosta[1]->setCurrentText("02");
    pannello->chkEndDay->setChecked(true);
    pannello->cmdInserisce->click();
    EXPECT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_EQ(Righe(mfgTab, 1, 1,
                    {ColTappa, ColStrada, ColKm, ColTipoStrada, ColKmProgressivi, ColTempo, ColSosta}),
              QString::fromUtf8("ROMA È|A1|120|A|120|01:12|*00:02:00"));
    EXPECT_EQ(cambiata.count(), 1);
    EXPECT_EQ(box.txtKmTot[4], "120");

    // The next row is current, empty, with the previous road offered; one leg: nothing to delete.
    EXPECT_EQ(QApplication::focusWidget(), pannello->txtTappa);
    EXPECT_EQ(Posto(*pannello) + '|' + pannello->txtRiga->text() + '|' + pannello->txtNumStrada->text(),
              "2||2|A1");
    EXPECT_FALSE(pannello->cmdCancella->isEnabled());
    digita(pannello->txtTappa, "Orte");
    digita(pannello->txtKm, "50");
    pannello->cmdInserisce->click();
    EXPECT_TRUE(pannello->chkKm->isHidden() && pannello->cmdCancella->isEnabled());  // typed in order
}

TEST_F(PannelloTappeTest, KmProgressiviDopoIlClicConNotaNellaBarraDiStato) {
    test::ScriviTappe(mfgTab, "A; B|A1|40|A");
    QMainWindow finestra;
    QStatusBar* barra = finestra.statusBar();  // there before the panel that writes on it
    auto* p = new PannelloTappe(mfgTab, dialoghi, collegamento());
    finestra.setCentralWidget(p);
    finestra.show();
    p->AttivitaInserimentoItinerario();
    p->CalcolaKmTempiItinerario();
    p->mfgTab_Click(3);  // the box offered, ticked: the previous leg has progressive kilometres
    ASSERT_TRUE(p->chkKm->isChecked());
    p->txtTappa->setText("C");
    p->txtKm->setText("300");
    p->optStrada[0]->click();
    p->cmdInserisce->click();
    EXPECT_EQ(mfgTab.testo(3, ColKm), "260");
    EXPECT_EQ(barra->currentMessage(), QString::fromUtf8("Km progressivi: 300 → 260 dalla tappa precedente"));
    p->txtTappa->clear();
    p->cmdInserisce->click();  // refused: the note of the earlier insert goes
    EXPECT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_TRUE(barra->currentMessage().isEmpty());
}

TEST_F(PannelloTappeTest, MarcheRitornoAggiuntaECancellazione) {
    apri("A; B|SS1|10|S; C|A1|20|A");
    QSignalSpy cambiata(pannello.get(), &PannelloTappe::grigliaCambiata);
    pannello->mfgTab_Click(3);
    pannello->chkMeta[1]->setChecked(true);
    pannello->cmdInserisce->click();
    EXPECT_EQ(Localita(mfgTab), "A;B;C [End]");
    pannello->mfgTab_Click(3);
    EXPECT_TRUE(pannello->chkMeta[1]->isChecked());

    pannello->cmdRitorno->click();
    EXPECT_EQ(Localita(mfgTab), "A;B;C [End];B;A");
    EXPECT_EQ(mfgTab.testo(5, ColKmProgressivi), "60");
    pannello->mfgTab_Click(2);
    pannello->cmdAggiunge->click();
    EXPECT_EQ(Localita(mfgTab), "A;;B;C [End];B;A");
    pannello->cmdCancella->click();
    EXPECT_EQ(Localita(mfgTab), "A;B;C [End];B;A");
    EXPECT_EQ(pannello->txtTappa->text(), "B");
    EXPECT_EQ(cambiata.count(), 4);
}

// Keys, clicks, the locality list and the help buttons reach the logic, its answer the boxes.
TEST_F(PannelloTappeTest, TastiClicListaEAiuti) {
    apri("A; B|SS1|10|S; C||20||*01:02:30");
    TabellaGriglia* t = pannello->tabella();
    premi(t, Qt::Key_Down);
    EXPECT_EQ(Posto(*pannello) + '|' + QString::number(mfgTab.riga()), "2|B|2");
    premi(t, Qt::Key_Down);
    EXPECT_EQ(pannello->txtNumStrada->text(), "SS1");
    EXPECT_TRUE(pannello->optStrada[3]->isChecked() && pannello->chkEndDay->isChecked());
    EXPECT_EQ(pannello->cmbSosta[0]->currentText() + pannello->cmbSosta[1]->currentText() +
                  pannello->cmbSosta[2]->currentText(),
              "010230");
    premi(t, Qt::Key_PageDown);
    EXPECT_EQ(Posto(*pannello), "4|");
    premi(t, Qt::Key_PageUp);
    EXPECT_EQ(Posto(*pannello), "1|A");

    const QPoint punto = t->visualRect(t->model()->index(t->modello()->rigaModello(3), ColTappa)).center();
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, punto);
    EXPECT_EQ(Posto(*pannello), "3|C");
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, punto);
    ASSERT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_TRUE(dialoghi.mostrati[0].testo.contains("\r\nTappa:\tC\r\n"));

    // The locality list blocks the grid and the frame until a choice or Esc.
    for (const bool esc : {true, false}) {
        pannello->cmdCerca->click();
        ASSERT_EQ(pannello->cmbRicercaTappa->count(), 3);
        EXPECT_FALSE(pannello->cmbRicercaTappa->isHidden() || t->isEnabled() ||
                     pannello->frmItinerario->isEnabled());
        if (esc)
            premi(pannello->cmbRicercaTappa, Qt::Key_Escape);
        else
            pannello->cmbRicercaTappa_Click(1);
        EXPECT_TRUE(pannello->cmbRicercaTappa->isHidden() && t->isEnabled() &&
                    pannello->frmItinerario->isEnabled());
        EXPECT_EQ(Posto(*pannello), esc ? "3|C" : "2|B");
    }

    // Each help button shows its own lines: the last two explain the window's own commands.
    pannello->cmdHelpKm->click();
    for (QPushButton* aiuto : pannello->cmdHelpItin) aiuto->click();
    ASSERT_EQ(dialoghi.mostrati.size(), 7);
    EXPECT_TRUE(dialoghi.mostrati[5].testo.contains("COPIA SOSTE GUIDE"));
    EXPECT_TRUE(dialoghi.mostrati[6].testo.contains("FINE INSER."));
}

// The grid view may belong to the window: keys reach the panel, clicks go first to another function,
// and the panel outlives the view (without trip boxes the leg times take the default speeds).
TEST_F(PannelloTappeTest, GrigliaDataDallaFinestraClicDeviatoEVistaDistrutta) {
    test::ScriviTappe(mfgTab, "A; B|SS1|10|S");
    auto vista = std::make_unique<TabellaGriglia>(&mfgTab);
    vista->show();
    PannelloTappe p(mfgTab, dialoghi, {}, vista.get());
    p.AttivitaInserimentoItinerario();
    premi(vista.get(), Qt::Key_Down);
    EXPECT_EQ(Posto(p), "2|B");

    QList<int> deviate;
    p.impostaDeviaClick([&deviate](int riga) {
        deviate << riga;
        return riga == 1;
    });
    p.mfgTab_Click(1);  // taken by the other function: the boxes stay
    EXPECT_EQ(Posto(p), "2|B");
    p.mfgTab_Click(3);
    EXPECT_EQ(Posto(p), "3|");
    EXPECT_EQ(deviate, QList<int>({1, 3}));

    vista.reset();
    EXPECT_EQ(p.tabella(), nullptr);
    digita(p.txtTappa, "c");
    p.txtKm->setText("5");
    p.cmdInserisce->click();
    EXPECT_EQ(Localita(mfgTab), "A;B;C");
    EXPECT_FALSE(mfgTab.testo(3, ColTempo).isEmpty());
}

}  // namespace
