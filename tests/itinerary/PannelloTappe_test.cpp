// The leg editing frame driven headless: typing, buttons, keys and clicks reach the leg logic and
// its answer reaches the boxes, the grid and the status bar; a refused leg is shown and nothing is
// written.  The editing rules themselves are tested on the logic.
#include "itinerary/ui/PannelloTappe.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include "Tappe.h"
#include "TestSupport.h"
#include "common/Dialoghi.h"
#include "common/ui/GrigliaModello.h"
#include "common/ui/TabellaGriglia.h"

namespace {

using test::Celle;
using test::digita;
using test::Localita;
using test::premi;

// The current row and the locality box, "|"-joined.
QString Posto(const PannelloTappe& p) {
    return QString::number(p.rigaCorrente()) + '|' + p.txtTappa->text();
}

class PannelloTappeTest : public ::testing::Test {
  protected:
    Griglia mfgTab;
    DialoghiScriptati dialoghi;
    BoxMeta box;
    int scritture = 0;
    std::unique_ptr<PannelloTappe> pannello;

    void SetUp() override {
        ImpostaGriglia(mfgTab, LayoutItinerario);
        box.cmbMediaKm = {QStringLiteral("100"), QStringLiteral("90"), QStringLiteral("70"),
                          QStringLiteral("50")};
    }

    CollegamentoBoxMeta collegamento() {
        CollegamentoBoxMeta c;
        c.leggiBox = [this] { return box; };
        c.scriviBox = [this](const BoxMeta& b) {
            box = b;
            ++scritture;
        };
        return c;
    }

    void apri() {
        pannello = std::make_unique<PannelloTappe>(mfgTab, dialoghi, collegamento());
        pannello->resize(1000, 600);
        pannello->show();
        QApplication::setActiveWindow(pannello.get());
        pannello->AttivitaInserimentoItinerario();
    }

    // Three legs written straight into the grid.
    void treTappe() { test::ScriviTappe(mfgTab, {{"A"}, {"B", "SS1", "10", "S"}, {"C", "A1", "20", "A"}}); }
};

TEST_F(PannelloTappeTest, TappaDigitataEInseritaConProgressiviETempi) {
    apri();
    QSignalSpy cambiata(pannello.get(), &PannelloTappe::grigliaCambiata);
    EXPECT_EQ(pannello->txtRiga->text(), "1");

    // The boxes filter and raise what is typed.
    digita(pannello->txtTappa, QString::fromUtf8("roma è"));
    digita(pannello->txtNumStrada, "a1");
    digita(pannello->txtKm, "A12x0");
    EXPECT_EQ(
        pannello->txtTappa->text() + '|' + pannello->txtNumStrada->text() + '|' + pannello->txtKm->text(),
        QString::fromUtf8("ROMA È|A1|120"));
    pannello->optStrada[0]->click();
    pannello->cmdInserisce->click();

    EXPECT_TRUE(dialoghi.mostrati.isEmpty());
    EXPECT_EQ(Celle(mfgTab, 1, {ColTappa, ColStrada, ColTipoStrada, ColKmProgressivi, ColTempo}),
              QString::fromUtf8("ROMA È|A1|A|120|01:12"));
    EXPECT_EQ(cambiata.count(), 1);
    EXPECT_GE(scritture, 1);
    EXPECT_EQ(box.txtKmTot[4], "120");

    // The next row is current, empty, with the previous road offered.
    EXPECT_EQ(QApplication::focusWidget(), pannello->txtTappa);
    EXPECT_EQ(Posto(*pannello), "2|");
    EXPECT_EQ(pannello->txtRiga->text() + pannello->txtNumStrada->text(), "2A1");
    EXPECT_FALSE(pannello->cmdCancella->isEnabled());  // one leg: nothing to delete from here
    digita(pannello->txtTappa, "Orte");
    digita(pannello->txtKm, "50");
    pannello->optStrada[1]->click();
    pannello->cmdInserisce->click();
    EXPECT_TRUE(pannello->chkKm->isHidden());  // legs typed in order stay as typed
    EXPECT_TRUE(pannello->cmdRitorno->isEnabled());
    EXPECT_TRUE(pannello->cmdCancella->isEnabled());
}

TEST_F(PannelloTappeTest, KmProgressiviDopoIlClicConNotaNellaBarraDiStato) {
    test::ScriviTappe(mfgTab, {{"A"}, {"B", "A1", "40", "A"}});
    QMainWindow finestra;
    QStatusBar* barra = finestra.statusBar();
    auto* p = new PannelloTappe(mfgTab, dialoghi, collegamento());
    finestra.setCentralWidget(p);
    finestra.show();
    p->AttivitaInserimentoItinerario();
    p->CalcolaKmTempiItinerario();
    // A click on row 3 offers the box, ticked: the previous leg has progressive kilometres.
    p->mfgTab_Click(3);
    ASSERT_FALSE(p->chkKm->isHidden());
    ASSERT_TRUE(p->chkKm->isChecked());
    p->txtTappa->setText("C");
    p->txtKm->setText("300");
    p->optStrada[0]->click();
    p->cmdInserisce->click();
    EXPECT_EQ(mfgTab.testo(3, ColKm), "260");
    EXPECT_EQ(barra->currentMessage(), QString::fromUtf8("Km progressivi: 300 → 260 dalla tappa precedente"));
    // The next insert replaces nothing: the note goes.
    p->txtTappa->setText("D");
    p->txtKm->setText("10");
    p->cmdInserisce->click();
    EXPECT_EQ(mfgTab.testo(4, ColKm), "10");
    EXPECT_TRUE(barra->currentMessage().isEmpty());
}

TEST_F(PannelloTappeTest, ControlloFallitoMostratoEFineGiornataScritta) {
    apri();
    digita(pannello->txtTappa, "Roma");
    digita(pannello->txtKm, "10");
    pannello->cmdInserisce->click();
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Tipo strada obbligatorio!"});
    EXPECT_EQ(UltimaRigaTappa(mfgTab), 0);
    EXPECT_EQ(pannello->txtTappa->text(), "ROMA");

    // The stop lists and the end-of-day box reach the leg.
    dialoghi.mostrati.clear();
    pannello->txtKm->setText("0");
    pannello->cmbSosta[1]->setCurrentText("02");
    pannello->chkEndDay->setChecked(true);
    pannello->cmdInserisce->click();
    EXPECT_TRUE(dialoghi.mostrati.isEmpty());
    EXPECT_EQ(mfgTab.testo(1, ColSosta), "*00:02:00");
}

TEST_F(PannelloTappeTest, MarcheDalleCaselleEDalClic) {
    treTappe();
    apri();
    pannello->mfgTab_Click(3);
    pannello->chkMeta[0]->setChecked(true);
    pannello->chkMeta[1]->setChecked(true);
    pannello->cmdInserisce->click();
    EXPECT_EQ(Localita(mfgTab), QStringList({"A", "B", "C [Start] [End]"}));
    EXPECT_FALSE(pannello->chkMeta[0]->isChecked());
    pannello->mfgTab_Click(3);
    EXPECT_TRUE(pannello->chkMeta[0]->isChecked());
    EXPECT_EQ(pannello->txtTappa->text(), "C");
    // The label counts the characters the markers leave to the name.
    EXPECT_EQ(pannello->lblCaratteriTappa->text(), "max 16");
}

TEST_F(PannelloTappeTest, RitornoAggiuntaECancellazione) {
    treTappe();
    apri();
    QSignalSpy cambiata(pannello.get(), &PannelloTappe::grigliaCambiata);
    pannello->cmdRitorno->click();
    EXPECT_EQ(Localita(mfgTab), QStringList({"A", "B", "C", "B", "A"}));
    EXPECT_EQ(mfgTab.testo(5, ColKmProgressivi), "60");

    pannello->mfgTab_Click(2);
    pannello->cmdAggiunge->click();
    EXPECT_EQ(Localita(mfgTab), QStringList({"A", "", "B", "C", "B", "A"}));
    pannello->cmdCancella->click();
    EXPECT_EQ(Localita(mfgTab), QStringList({"A", "B", "C", "B", "A"}));
    EXPECT_EQ(pannello->txtTappa->text(), "B");
    EXPECT_EQ(cambiata.count(), 3);

    // The handler deletes even the only leg the button's rule would not offer.
    CancellaMatrice(mfgTab);
    test::ScriviTappe(mfgTab, {{"ROMA"}});
    pannello->mfgTab_Click(1);
    pannello->cmdCancella_Click();
    EXPECT_EQ(UltimaRigaTappa(mfgTab), 0);
    EXPECT_EQ(Posto(*pannello), "1|");
    EXPECT_EQ(box.txtKmTot[4], "");
}

TEST_F(PannelloTappeTest, TastiSpostanoLaRigaECaricanoIBox) {
    test::ScriviTappe(mfgTab, {{"A"}, {"B", "SS1", "10", "S"}, {"C", "", "20", ""}});
    mfgTab.impostaTesto(3, ColSosta, "*01:02:30");
    apri();
    TabellaGriglia* t = pannello->tabella();
    premi(t, Qt::Key_Down);
    EXPECT_EQ(Posto(*pannello), "2|B");
    EXPECT_EQ(mfgTab.riga(), 2);
    premi(t, Qt::Key_Down);
    EXPECT_EQ(pannello->txtNumStrada->text(), "SS1");
    EXPECT_TRUE(pannello->optStrada[3]->isChecked());
    EXPECT_TRUE(pannello->chkEndDay->isChecked());
    EXPECT_EQ(QStringList({pannello->cmbSosta[0]->currentText(), pannello->cmbSosta[1]->currentText(),
                           pannello->cmbSosta[2]->currentText()}),
              QStringList({"01", "02", "30"}));
    premi(t, Qt::Key_PageDown);
    EXPECT_EQ(Posto(*pannello), "4|");
    EXPECT_FALSE(pannello->chkEndDay->isChecked());
    premi(t, Qt::Key_PageUp);
    EXPECT_EQ(Posto(*pannello), "1|A");
}

TEST_F(PannelloTappeTest, ClicEDoppioClicSullaGriglia) {
    treTappe();
    apri();
    pannello->CalcolaKmTempiItinerario();
    TabellaGriglia* t = pannello->tabella();
    const QModelIndex cella = t->model()->index(t->modello()->rigaModello(3), ColTappa);
    const QPoint punto = t->visualRect(cella).center();
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, punto);
    EXPECT_EQ(Posto(*pannello), "3|C");
    EXPECT_FALSE(pannello->chkKm->isHidden());

    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, punto);
    ASSERT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_TRUE(dialoghi.mostrati[0].testo.contains("\r\nTappa:\tC\r\n"));
}

TEST_F(PannelloTappeTest, ListaDelleLocalitaSceltaOChiusaConEsc) {
    apri();
    pannello->cmdCerca->click();
    EXPECT_TRUE(pannello->cmbRicercaTappa->isHidden());  // no legs: no list

    test::ScriviTappe(mfgTab, {{"ROMA"}, {"ANCONA", "A14", "280", "A"}, {"BARI", "A14", "450", "A"}});
    for (const bool esc : {true, false}) {
        SCOPED_TRACE(esc);
        pannello->cmdCerca->click();
        ASSERT_FALSE(pannello->cmbRicercaTappa->isHidden());
        EXPECT_FALSE(pannello->tabella()->isEnabled());
        EXPECT_FALSE(pannello->frmItinerario->isEnabled());
        ASSERT_EQ(pannello->cmbRicercaTappa->count(), 3);
        if (esc)
            premi(pannello->cmbRicercaTappa, Qt::Key_Escape);
        else
            pannello->cmbRicercaTappa_Click(1);
        EXPECT_TRUE(pannello->cmbRicercaTappa->isHidden());
        EXPECT_TRUE(pannello->tabella()->isEnabled());
        EXPECT_TRUE(pannello->frmItinerario->isEnabled());
        EXPECT_EQ(pannello->rigaCorrente(), esc ? 1 : 3);
    }
    EXPECT_EQ(pannello->txtTappa->text(), "BARI");
}

// The grid view may belong to the window: keys reach the panel, clicks go first to another function,
// and the panel outlives the view.
TEST_F(PannelloTappeTest, GrigliaDataDallaFinestraClicDeviatoEVistaDistrutta) {
    test::ScriviTappe(mfgTab, {{"A"}, {"B", "SS1", "10", "S"}});
    auto vista = std::make_unique<TabellaGriglia>(&mfgTab);
    vista->resize(600, 400);
    vista->show();
    PannelloTappe p(mfgTab, dialoghi, {}, vista.get());
    EXPECT_EQ(p.tabella(), vista.get());
    EXPECT_NE(vista->parentWidget(), &p);
    p.AttivitaInserimentoItinerario();
    premi(vista.get(), Qt::Key_Down);
    EXPECT_EQ(Posto(p), "2|B");

    // A click the other function takes leaves the boxes alone; one it declines is the panel's.
    QList<int> deviate;
    p.impostaDeviaClick([&deviate](int riga) {
        deviate << riga;
        return riga == 1;
    });
    p.mfgTab_Click(1);
    EXPECT_EQ(Posto(p), "2|B");
    p.mfgTab_Click(3);
    EXPECT_EQ(Posto(p), "3|");
    EXPECT_EQ(deviate, QList<int>({1, 3}));

    // Without the view the panel keeps working on the grid: its boxes, the list, the commands, and
    // without trip boxes the leg times take the default speeds.
    vista.reset();
    EXPECT_EQ(p.tabella(), nullptr);
    digita(p.txtTappa, "c");
    p.txtKm->setText("5");
    p.cmdInserisce->click();
    p.cmdCerca->click();
    p.cmbRicercaTappa_Click(0);
    EXPECT_TRUE(dialoghi.mostrati.isEmpty());
    EXPECT_EQ(Localita(mfgTab), QStringList({"A", "B", "C"}));
    EXPECT_FALSE(mfgTab.testo(3, ColTempo).isEmpty());
    EXPECT_EQ(p.rigaCorrente(), 1);
}

TEST_F(PannelloTappeTest, AiutiMostratiComeMessaggi) {
    apri();
    pannello->cmdHelpKm->click();
    for (QPushButton* aiuto : pannello->cmdHelpItin) {
        ASSERT_TRUE(aiuto->isVisible());
        aiuto->click();
    }
    ASSERT_EQ(dialoghi.mostrati.size(), 6);
    // Every button's help can be shown: the last two lines explain the window's own commands.
    QString tutti;
    for (const auto& m : dialoghi.mostrati) tutti += m.testo;
    for (const char* pulsante : {"RITORNO A START", "COPIA SOSTE GUIDE", "SALVA RESET", "FINE INSER."})
        EXPECT_TRUE(tutti.contains(pulsante)) << pulsante;
}

}  // namespace
