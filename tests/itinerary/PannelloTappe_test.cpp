// The leg editing frame driven headless: legs typed into the boxes and inserted through the
// button, the insert checks in order, the destination markers, the way back, deleting, moving with
// the keys, the locality list and the double-click summary.
#include "itinerary/ui/PannelloTappe.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include "TestSupport.h"
#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/ui/GrigliaModello.h"
#include "common/ui/TabellaGriglia.h"
#include "itinerary/GrigliaItinerario.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

using test::digita;
using test::premi;

QStringList Localita(const Griglia& g) {
    QStringList l;
    for (int r = 1; r <= UltimaRigaTappa(g); ++r) l << g.testo(r, ColTappa);
    return l;
}

// The current row and the locality box, "|"-joined.
QString Posto(const PannelloTappe& p) {
    return QString::number(p.rigaCorrente()) + '|' + p.txtTappa->text();
}

// Cells of a grid row, "|"-joined.
QString Celle(const Griglia& g, int r, std::initializer_list<int> colonne) {
    QStringList l;
    for (int c : colonne) l << g.testo(r, c);
    return l.join('|');
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

    void apri() {
        CollegamentoBoxMeta c;
        c.leggiBox = [this] { return box; };
        c.scriviBox = [this](const BoxMeta& b) {
            box = b;
            ++scritture;
        };
        pannello = std::make_unique<PannelloTappe>(mfgTab, dialoghi, c);
        pannello->resize(1000, 600);
        pannello->show();
        QApplication::setActiveWindow(pannello.get());
        pannello->AttivitaInserimentoItinerario();
    }

    // Legs written straight into the grid: locality, road, km, road type.
    void tappe(std::initializer_list<std::array<const char*, 4>> righe) {
        int r = 1;
        for (const auto& t : righe) {
            mfgTab.impostaTesto(r, ColNumero, QString::number(r));
            mfgTab.impostaTesto(r, ColTappa, QString::fromUtf8(t[0]));
            mfgTab.impostaTesto(r, ColStrada, QString::fromUtf8(t[1]));
            mfgTab.impostaTesto(r, ColKm, QString::fromUtf8(t[2]));
            mfgTab.impostaTesto(r, ColTipoStrada, QString::fromUtf8(t[3]));
            ++r;
        }
    }

    // A leg typed into the boxes and inserted with the button.
    void inserisci(const QString& tappa, const QString& km, int tipo = 0) {
        pannello->txtTappa->clear();
        digita(pannello->txtTappa, tappa);
        pannello->txtKm->clear();
        digita(pannello->txtKm, km);
        pannello->optStrada[tipo]->click();
        pannello->cmdInserisce->click();
    }
};

TEST_F(PannelloTappeTest, TappaDigitataEInseritaConProgressiviETempi) {
    apri();
    QSignalSpy cambiata(pannello.get(), &PannelloTappe::grigliaCambiata);
    EXPECT_EQ(pannello->txtRiga->text(), "1");

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

    EXPECT_EQ(QApplication::focusWidget(), pannello->txtTappa);
    // The next row is current, empty, with the previous road offered.
    EXPECT_EQ(Posto(*pannello), "2|");
    EXPECT_EQ(pannello->txtRiga->text() + pannello->txtNumStrada->text(), "2A1");

    // Legs typed in order stay as typed: inserting does not offer the progressive-km box.
    inserisci("Orte", "50", 1);
    ASSERT_EQ(pannello->rigaCorrente(), 3);
    EXPECT_TRUE(pannello->chkKm->isHidden());
    EXPECT_FALSE(pannello->chkKm->isChecked());
    inserisci("Terni", "300", 2);
    EXPECT_EQ(mfgTab.testo(3, ColKm), "300");
    EXPECT_TRUE(pannello->cmdRitorno->isEnabled());
    EXPECT_TRUE(pannello->cmdCancella->isEnabled());
}

TEST_F(PannelloTappeTest, KmProgressiviDopoIlClicConNotaNellaBarraDiStato) {
    tappe({{"A", "", "", ""}, {"B", "A1", "40", "A"}});
    QMainWindow finestra;
    QStatusBar* barra = finestra.statusBar();
    CollegamentoBoxMeta c;
    c.leggiBox = [this] { return box; };
    auto* p = new PannelloTappe(mfgTab, dialoghi, c);
    finestra.setCentralWidget(p);
    finestra.show();
    p->AttivitaInserimentoItinerario();
    p->CalcolaKmTempiItinerario();
    QSignalSpy stato(p, &PannelloTappe::messaggioStato);
    // A click on row 3 offers the box, ticked: the previous leg has progressive kilometres.
    p->mfgTab_Click(3);
    ASSERT_FALSE(p->chkKm->isHidden());
    ASSERT_TRUE(p->chkKm->isChecked());
    p->txtTappa->setText("C");
    p->txtKm->setText("300");
    p->optStrada[0]->click();
    p->cmdInserisce->click();
    EXPECT_EQ(mfgTab.testo(3, ColKm), "260");
    const QString nota = QString::fromUtf8("Km progressivi: 300 → 260 dalla tappa precedente");
    ASSERT_GE(stato.count(), 1);
    EXPECT_EQ(stato.last()[0].toString(), nota);
    EXPECT_EQ(barra->currentMessage(), nota);
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

    // A stop with the end of day is written with its "*".
    dialoghi.mostrati.clear();
    pannello->txtKm->setText("0");
    pannello->cmbSosta[1]->setCurrentText("02");
    pannello->chkEndDay->setChecked(true);
    pannello->cmdInserisce->click();
    EXPECT_TRUE(dialoghi.mostrati.isEmpty());
    EXPECT_EQ(mfgTab.testo(1, ColSosta), "*00:02:00");
}

TEST_F(PannelloTappeTest, MarcheSpostateConLeCaselle) {
    apri();
    pannello->chkMeta[0]->setChecked(true);
    inserisci("A", "10");
    EXPECT_FALSE(pannello->chkMeta[0]->isChecked());
    inserisci("B", "20");
    inserisci("C", "30");
    EXPECT_EQ(Localita(mfgTab), QStringList({"A [Start]", "B", "C"}));

    // A click on the marked row ticks its box; on row 3, the box moves the marker there.
    pannello->mfgTab_Click(1);
    EXPECT_EQ(pannello->txtTappa->text(), "A");
    EXPECT_TRUE(pannello->chkMeta[0]->isChecked());
    pannello->mfgTab_Click(3);
    EXPECT_FALSE(pannello->chkMeta[0]->isChecked());
    pannello->chkMeta[0]->setChecked(true);
    pannello->chkMeta[1]->setChecked(true);
    pannello->cmdInserisce->click();
    EXPECT_EQ(Localita(mfgTab), QStringList({"A", "B", "C [Start] [End]"}));
    pannello->mfgTab_Click(2);
    pannello->chkMeta[1]->setChecked(true);
    pannello->cmdInserisce->click();
    EXPECT_EQ(Localita(mfgTab), QStringList({"A", "B [End]", "C [Start]"}));
}

TEST_F(PannelloTappeTest, RitornoAStart) {
    tappe({{"A", "", "", ""}, {"B", "SS1", "10", "S"}, {"C", "A1", "20", "A"}});
    apri();
    QSignalSpy cambiata(pannello.get(), &PannelloTappe::grigliaCambiata);
    ASSERT_TRUE(pannello->cmdRitorno->isEnabled());
    pannello->cmdRitorno->click();
    EXPECT_EQ(Localita(mfgTab), QStringList({"A", "B", "C", "B", "A"}));
    EXPECT_EQ(mfgTab.testo(5, ColKmProgressivi), "60");
    EXPECT_EQ(cambiata.count(), 1);
}

TEST_F(PannelloTappeTest, CancellaLUnicaTappa) {
    apri();
    inserisci("ROMA", "10");
    // One leg: the rule keeps the button off, the handler still deletes it.
    EXPECT_FALSE(pannello->cmdCancella->isEnabled());
    EXPECT_FALSE(pannello->cmdRitorno->isEnabled());
    EXPECT_TRUE(pannello->abilitazione().cmdMapPoint);
    pannello->mfgTab_Click(1);
    pannello->cmdCancella_Click();
    EXPECT_EQ(UltimaRigaTappa(mfgTab), 0);
    EXPECT_GE(mfgTab.righe(), kRigheMinimeItinerario);
    EXPECT_EQ(Posto(*pannello), "1|");
    EXPECT_EQ(box.txtKmTot[4], "");
}

TEST_F(PannelloTappeTest, RigaVuotaAggiuntaECancellataInMezzo) {
    tappe({{"A", "", "", ""}, {"B", "SS1", "10", "S"}, {"C", "A1", "20", "A"}});
    apri();
    pannello->mfgTab_Click(2);
    pannello->cmdAggiunge->click();
    EXPECT_EQ(Localita(mfgTab), QStringList({"A", "", "B", "C"}));
    EXPECT_EQ(mfgTab.testo(4, ColKmProgressivi), "30");
    pannello->cmdCancella->click();
    EXPECT_EQ(Localita(mfgTab), QStringList({"A", "B", "C"}));
    EXPECT_EQ(pannello->txtTappa->text(), "B");
}

TEST_F(PannelloTappeTest, TastiSpostanoLaRigaECaricanoICampi) {
    tappe({{"A", "", "", ""}, {"B", "SS1", "10", "S"}, {"C", "", "20", ""}});
    mfgTab.impostaTesto(3, ColSosta, "*01:02:30");
    apri();
    TabellaGriglia* t = pannello->tabella();
    premi(t, Qt::Key_Down);
    EXPECT_EQ(Posto(*pannello), "2|B");
    EXPECT_TRUE(pannello->optStrada[1]->isChecked());
    EXPECT_EQ(mfgTab.riga(), 2);
    premi(t, Qt::Key_Down);
    // The empty road type reads as a local road, the empty road as the previous one.
    EXPECT_EQ(pannello->txtNumStrada->text(), "SS1");
    EXPECT_TRUE(pannello->optStrada[3]->isChecked());
    EXPECT_TRUE(pannello->chkEndDay->isChecked());
    EXPECT_EQ(QStringList({pannello->cmbSosta[0]->currentText(), pannello->cmbSosta[1]->currentText(),
                           pannello->cmbSosta[2]->currentText()}),
              QStringList({"01", "02", "30"}));
    // Page Down stops at the first empty row, Page Up at the first leg.
    premi(t, Qt::Key_PageDown);
    EXPECT_EQ(Posto(*pannello), "4|");
    EXPECT_FALSE(pannello->chkEndDay->isChecked());
    premi(t, Qt::Key_PageUp);
    EXPECT_EQ(Posto(*pannello), "1|A");
    premi(t, Qt::Key_Up);
    EXPECT_EQ(Posto(*pannello), "1|A");
}

TEST_F(PannelloTappeTest, ClicEDoppioClicSullaGriglia) {
    tappe({{"A", "", "", ""}, {"B", "SS1", "10", "S"}, {"C", "A1", "20", "A"}});
    apri();
    pannello->CalcolaKmTempiItinerario();
    TabellaGriglia* t = pannello->tabella();
    const QModelIndex cella = t->model()->index(t->modello()->rigaModello(3), ColTappa);
    const QPoint punto = t->visualRect(cella).center();
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, punto);
    EXPECT_EQ(Posto(*pannello), "3|C");
    EXPECT_EQ(mfgTab.selezione(), (Rettangolo{3, 0, 3, mfgTab.colonne() - 1}));
    // Row 3 and a previous progressive distance: the progressive-km box is offered ticked.
    EXPECT_FALSE(pannello->chkKm->isHidden());
    EXPECT_TRUE(pannello->chkKm->isChecked());

    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, punto);
    ASSERT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_TRUE(dialoghi.mostrati[0].testo.contains(kCrLf + "Tappa:\tC" + kCrLf));
}

TEST_F(PannelloTappeTest, ListaDelleLocalita) {
    apri();
    pannello->cmdCerca->click();
    // No legs: no list, nothing disabled.
    EXPECT_TRUE(pannello->cmbRicercaTappa->isHidden());
    EXPECT_TRUE(pannello->tabella()->isEnabled());

    tappe({{"ROMA", "", "", ""}, {"ANCONA", "A14", "280", "A"}, {"BARI", "A14", "450", "A"}});
    pannello->cmdCerca->click();
    ASSERT_FALSE(pannello->cmbRicercaTappa->isHidden());
    EXPECT_FALSE(pannello->tabella()->isEnabled());
    EXPECT_FALSE(pannello->frmItinerario->isEnabled());
    ASSERT_EQ(pannello->cmbRicercaTappa->count(), 3);

    pannello->cmbRicercaTappa_Click(1);
    EXPECT_TRUE(pannello->cmbRicercaTappa->isHidden());
    EXPECT_TRUE(pannello->tabella()->isEnabled());
    EXPECT_TRUE(pannello->frmItinerario->isEnabled());
    EXPECT_EQ(Posto(*pannello), "3|BARI");
}

TEST_F(PannelloTappeTest, EscChiudeLaListaSenzaSpostare) {
    tappe({{"ROMA", "", "", ""}, {"ANCONA", "A14", "280", "A"}});
    apri();
    pannello->cmdCerca->click();
    ASSERT_FALSE(pannello->cmbRicercaTappa->isHidden());
    premi(pannello->cmbRicercaTappa, Qt::Key_Escape);
    EXPECT_TRUE(pannello->cmbRicercaTappa->isHidden());
    EXPECT_TRUE(pannello->tabella()->isEnabled());
    EXPECT_TRUE(pannello->frmItinerario->isEnabled());
    EXPECT_EQ(pannello->rigaCorrente(), 1);
}

TEST_F(PannelloTappeTest, GrigliaDataDallaFinestraEClicDeviato) {
    tappe({{"A", "", "", ""}, {"B", "SS1", "10", "S"}});
    TabellaGriglia vista(&mfgTab);
    vista.resize(600, 400);
    vista.show();
    PannelloTappe p(mfgTab, dialoghi, {}, &vista);
    EXPECT_EQ(p.tabella(), &vista);
    EXPECT_NE(vista.parentWidget(), &p);
    p.AttivitaInserimentoItinerario();
    premi(&vista, Qt::Key_Down);
    EXPECT_EQ(Posto(p), "2|B");

    // Without trip boxes the leg times take the default speeds.
    p.CalcolaKmTempiItinerario();
    EXPECT_EQ(mfgTab.testo(2, ColKmProgressivi), "10");
    EXPECT_FALSE(mfgTab.testo(2, ColTempo).isEmpty());

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
}

TEST_F(PannelloTappeTest, VistaDistruttaPrimaDelPannello) {
    tappe({{"A", "", "", ""}, {"B", "SS1", "10", "S"}});
    auto vista = std::make_unique<TabellaGriglia>(&mfgTab);
    PannelloTappe p(mfgTab, dialoghi, {}, vista.get());
    p.AttivitaInserimentoItinerario();
    vista.reset();
    EXPECT_EQ(p.tabella(), nullptr);
    // The panel keeps working on the grid: keys in its boxes, the list, the commands.
    p.mfgTab_Click(3);
    digita(p.txtTappa, "c");
    p.txtKm->setText("5");
    p.cmdInserisce->click();
    EXPECT_TRUE(dialoghi.mostrati.isEmpty());
    p.cmdCerca->click();
    p.cmbRicercaTappa_Click(0);
    EXPECT_EQ(Localita(mfgTab), QStringList({"A", "B", "C"}));
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

TEST_F(PannelloTappeTest, CaratteriDelNomeSecondoLeMarche) {
    apri();
    QStringList massimi{pannello->lblCaratteriTappa->text()};
    pannello->chkMeta[0]->setChecked(true);
    massimi << pannello->lblCaratteriTappa->text();
    pannello->chkMeta[1]->setChecked(true);
    massimi << pannello->lblCaratteriTappa->text();
    EXPECT_EQ(massimi, (QStringList{"max 30", "max 22", "max 16"}));
}

}  // namespace
