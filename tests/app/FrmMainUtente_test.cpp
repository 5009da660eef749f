// The main window as a new user meets it: unsaved legs and trip boxes are not dropped without a
// question, Escape leaves the trip search list, the guide gives back the commands it found, every
// text fits from 1280 x 720 up, and the desired-days box edits as a text box.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <memory>

#include "TestSupport.h"
#include "app/FrmMain.h"
#include "common/Dialoghi.h"
#include "common/Orologio.h"
#include "common/ui/GrigliaModello.h"
#include "common/ui/TabellaGriglia.h"
#include "guide/ui/PannelloGuida.h"
#include "itinerary/ui/PannelloTappe.h"
#include "trips/Modi.h"

namespace {

const QString kSalvaItinerario = QStringLiteral("Vuoi salvare l'itinerario?");
const QString kSalvaMeta = QStringLiteral("Vuoi salvare le modifiche alla mèta?");

class FrmMainUtente : public ::testing::Test {
  protected:
    QTemporaryDir cartella;
    DialoghiScriptati dialoghi;
    OrologioFisso orologio{QDateTime(QDate(2027, 6, 1), QTime(9, 0))};
    std::unique_ptr<FrmMain> frm;

    // Two stored trips, TOSCANA (000001, no legs) and CAPO NORD (000002, three legs), the
    // second one current, and the window started on them.
    void SetUp() override {
        avvia();
        salvaNuova(QStringLiteral("TOSCANA"), QStringLiteral("ITALIA"));
        salvaNuova(QStringLiteral("CAPO NORD"), QStringLiteral("NORVEGIA"));
        test::tappa(db(), "000002", "0001", "OSLO [Start]", "0");
        test::tappa(db(), "000002", "0002", "BERGEN", "460", {{"TipoStrada", "P"}});
        test::tappa(db(), "000002", "0003", "NORDKAPP [End]", "900", {{"TipoStrada", "A"}});
        frm.reset();
        avvia();
        dialoghi.mostrati.clear();
    }

    void avvia() {
        frm = std::make_unique<FrmMain>(cartella.path(), dialoghi, orologio);
        frm->Form_Load();
    }
    // The window closed its database: a new one reads what was stored.
    void riavvia() {
        frm.reset();
        avvia();
        dialoghi.mostrati.clear();
    }
    void salvaNuova(const QString& localita, const QString& nazione) {
        frm->cmdNuovo->click();
        frm->txtLocalita->setText(localita);
        frm->txtNazione->setText(nazione);
        dialoghi.risposte = {Risposta::Si};
        frm->cmdSalva->click();
    }
    Database& db() { return frm->archivio().dati(); }
    int tappeMemorizzate(const QString& codice) {
        return db().conta(Query::di(QStringLiteral("Itinerari")).dove(QStringLiteral("CodiceMeta"), codice));
    }
    QString nazioneMemorizzata(const QString& codice) {
        RowSet r = db().apriRowSet(
            Query::di(QStringLiteral("MeteCamper")).dove(QStringLiteral("CodiceMeta"), codice));
        return r.fine() ? QString() : r.testo(QStringLiteral("Nazione"));
    }
    // A fourth leg typed into the editing frame: the grid changes, the database not.
    void aggiungiTappa() {
        frm->cmdItinerario->click();
        frm->pannelloTappe->mfgTab_Click(4);
        PannelloTappe* p = frm->pannelloTappe;
        p->txtTappa->setText(QStringLiteral("HONNINGSVAG"));
        p->txtKm->setText(QStringLiteral("30"));
        p->optStrada[3]->setChecked(true);
        frm->cmdInserisce->click();
        ASSERT_EQ(frm->mfgTab.testo(4, 1), QStringLiteral("HONNINGSVAG"));
    }
    void scegli(const QString& localita) {
        frm->cmdRicerca->click();
        const int i = frm->cmbRicerca->findText(localita);
        ASSERT_GE(i, 0);
        emit frm->cmbRicerca->activated(i);
    }
    QStringList abilitati() const {
        QStringList l;
        for (const auto* elenco : {&PulsantiMeta(), &PulsantiItinerario()})
            for (const DefinizionePulsante& d : *elenco)
                if (frm->findChild<QPushButton*>(d.nome)->isEnabled()) l << d.nome;
        return l;
    }
};

// Closing the window with unsaved legs: Cancel stays with the legs on screen, No closes without
// storing, Yes stores them; with nothing changed only the plain exit question comes.
TEST_F(FrmMainUtente, ChiusuraConTappeNonSalvate) {
    aggiungiTappa();
    frm->show();
    dialoghi.risposte = {Risposta::Annulla};
    EXPECT_FALSE(frm->close());
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{kSalvaItinerario});
    EXPECT_EQ(dialoghi.mostrati[0].pulsanti, Pulsanti::SiNoAnnulla);
    EXPECT_EQ(frm->mfgTab.testo(4, 1), QStringLiteral("HONNINGSVAG"));
    dialoghi.risposte = {Risposta::No};
    EXPECT_TRUE(frm->close());
    riavvia();
    EXPECT_EQ(tappeMemorizzate("000002"), 3);

    aggiungiTappa();
    frm->show();
    dialoghi.risposte = {Risposta::Si};
    EXPECT_TRUE(frm->close());
    riavvia();
    EXPECT_EQ(tappeMemorizzate("000002"), 4);

    frm->show();
    dialoghi.risposte = {Risposta::No};
    frm->cmdEsce->click();
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{QStringLiteral("Vuoi chiudere la procedura?")});
    EXPECT_TRUE(frm->isVisible());
}

// Legs changed, computed and unlocked: the frame is gone but the legs are still unsaved, and the
// guide (which takes the grid) and the exit button ask for them.
TEST_F(FrmMainUtente, DopoIlCalcoloLeTappeNonSalvateSonoChiesteAncora) {
    aggiungiTappa();
    frm->cmdRicalcola->click();
    ASSERT_EQ(frm->cmdCalcola->text(), QStringLiteral("&Sblocca"));
    frm->cmdCalcola->click();
    ASSERT_TRUE(frm->frmItinerario->isHidden());

    dialoghi.mostrati.clear();
    dialoghi.risposte = {Risposta::Annulla};
    frm->cmdGuidaCitta->click();
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{kSalvaItinerario});
    EXPECT_TRUE(frm->pannelloGuida == nullptr || frm->pannelloGuida->isHidden());
    EXPECT_EQ(frm->mfgTab.testo(4, 1), QStringLiteral("HONNINGSVAG"));

    dialoghi.mostrati.clear();
    dialoghi.risposte = {Risposta::Si};
    frm->show();
    frm->cmdEsce->click();
    EXPECT_EQ(dialoghi.testiMostrati().value(0), kSalvaItinerario);
    EXPECT_FALSE(frm->isVisible());
    riavvia();
    EXPECT_EQ(tappeMemorizzate("000002"), 4);
}

// The trip boxes changed, then "Nuovo": Cancel keeps them, No gives the new trip, Yes stores the
// change first (after the usual confirmation of the save).
TEST_F(FrmMainUtente, NuovoConModificheAllaMeta) {
    frm->txtNazione->setText(QStringLiteral("NORGE"));
    dialoghi.risposte = {Risposta::Annulla};
    frm->cmdNuovo->click();
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{kSalvaMeta});
    EXPECT_EQ(frm->txtNazione->text(), QStringLiteral("NORGE"));
    EXPECT_EQ(frm->txtCodice->text(), QStringLiteral("000002"));

    dialoghi.risposte = {Risposta::Si, Risposta::Si};
    frm->cmdNuovo->click();
    EXPECT_EQ(nazioneMemorizzata("000002"), QStringLiteral("NORGE "));
    EXPECT_TRUE(frm->txtLocalita->text().isEmpty());

    // A new trip just opened has nothing to save: no question.
    dialoghi.mostrati.clear();
    frm->cmdNuovo->click();
    EXPECT_TRUE(dialoghi.mostrati.isEmpty());
}

// A leg deleted through the frame and saved; then the trip boxes changed: the question comes at
// the pick of another trip, Cancel stays on this one, No shows the other without storing.
TEST_F(FrmMainUtente, CambioMetaConModificheAllaMeta) {
    frm->cmdItinerario->click();
    frm->pannelloTappe->mfgTab_Click(3);
    frm->cmdCancella->click();
    dialoghi.risposte = {Risposta::Si};
    frm->cmdFine->click();
    ASSERT_EQ(tappeMemorizzate("000002"), 2);

    frm->txtNazione->setText(QStringLiteral("NORGE"));
    dialoghi.mostrati.clear();
    dialoghi.risposte = {Risposta::Annulla};
    scegli(QStringLiteral("TOSCANA"));
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{kSalvaMeta});
    EXPECT_EQ(frm->txtCodice->text(), QStringLiteral("000002"));
    EXPECT_TRUE(frm->cmbRicerca->isHidden());

    dialoghi.risposte = {Risposta::No};
    scegli(QStringLiteral("TOSCANA"));
    EXPECT_EQ(frm->txtCodice->text(), QStringLiteral("000001"));
    EXPECT_EQ(nazioneMemorizzata("000002"), QStringLiteral("NORVEGIA "));
}

// Escape on the search list gives back the trip shown and its commands.
TEST_F(FrmMainUtente, EscSullaListaDiRicerca) {
    const QStringList prima = abilitati();
    frm->cmdRicerca->click();
    ASSERT_FALSE(frm->cmbRicerca->isHidden());
    ASSERT_FALSE(frm->cmdSalva->isEnabled());
    test::premi(frm->cmbRicerca, Qt::Key_Escape);
    EXPECT_TRUE(frm->cmbRicerca->isHidden());
    EXPECT_EQ(abilitati(), prima);
    EXPECT_EQ(frm->txtLocalita->text(), QStringLiteral("CAPO NORD"));
    EXPECT_EQ(frm->mfgTab.testo(3, 1), QStringLiteral("NORDKAPP [End]"));

    // The same key on the open list itself.
    frm->cmdRicerca->click();
    test::premi(frm->cmbRicerca->view(), Qt::Key_Escape);
    EXPECT_TRUE(frm->cmbRicerca->isHidden());
    EXPECT_EQ(abilitati(), prima);
}

// Leaving the guide restores the commands it found; no itinerary command works on a row without
// the editing frame, so a click and "Cancella riga/tappa" cannot remove a leg unseen.
TEST_F(FrmMainUtente, DopoLaGuidaLoStatoDiPrima) {
    const QStringList prima = abilitati();
    frm->cmdGuidaCitta->click();
    ASSERT_TRUE(frm->pannelloGuida->modoGuida());
    frm->pannelloGuida->cmdFineInserimento->click();
    EXPECT_EQ(abilitati(), prima);
    EXPECT_EQ(frm->mfgTab.testo(1, 1), QStringLiteral("OSLO [Start]"));  // the grid given back
    EXPECT_EQ(frm->modoItinerario, QStringLiteral("ZZ"));
    for (QPushButton* b : {frm->cmdInserisce, frm->cmdCancella, frm->cmdFine, frm->cmdMemorizza})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();

    // Even with the itinerary mode "all", the frame's commands wait for the frame.
    frm->modoItinerario = QStringLiteral("all");
    frm->AbilitaPulsantiComando();
    EXPECT_FALSE(frm->cmdCancella->isEnabled());
    EXPECT_FALSE(frm->cmdInserisce->isEnabled());
    frm->cmdItinerario->click();
    EXPECT_TRUE(frm->cmdCancella->isEnabled());
    EXPECT_TRUE(frm->cmdInserisce->isEnabled());
}

// Every label, button and check box shows its whole text, at the smallest size and at full HD,
// with the leg frame and with the guide panel; the grid's "Note" column takes the extra room.
TEST_F(FrmMainUtente, TestiInteriDa1280x720) {
    auto tagliati = [this] {
        QStringList l;
        QApplication::processEvents();
        for (QWidget* w : frm->findChildren<QWidget*>()) {
            if (!w->isVisible() || w->window() != frm.get()) continue;
            const bool testo = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w);
            if (!testo || (qobject_cast<QLabel*>(w) && static_cast<QLabel*>(w)->wordWrap())) continue;
            const QString t = qobject_cast<QLabel*>(w) ? static_cast<QLabel*>(w)->text()
                                                       : static_cast<QAbstractButton*>(w)->text();
            // A button given a fixed width ("[?]") is held to its text, not to the style's
            // minimum button width.
            const bool fissa = w->minimumWidth() == w->maximumWidth();
            const int serve =
                fissa ? w->fontMetrics().horizontalAdvance(QString(t).remove(QLatin1Char('&'))) + 8
                      : w->sizeHint().width();
            if (serve > w->width() || w->sizeHint().height() > w->height() + 2)
                l << QStringLiteral("%1|%2|%3x%4>%5x%6")
                         .arg(w->objectName(), t)
                         .arg(serve)
                         .arg(w->sizeHint().height())
                         .arg(w->width())
                         .arg(w->height());
        }
        return l;
    };
    frm->resize(1280, 720);
    frm->show();
    EXPECT_EQ(frm->size(), QSize(1280, 720));
    EXPECT_EQ(tagliati(), QStringList{});
    auto* tabella = frm->findChild<TabellaGriglia*>(QStringLiteral("mfgTab"));
    const int note1280 = tabella->columnWidth(12);

    frm->cmdItinerario->click();
    EXPECT_EQ(tagliati(), QStringList{});
    dialoghi.risposte = {Risposta::No};
    frm->cmdFine->click();
    frm->cmdGuidaCitta->click();
    EXPECT_EQ(tagliati(), QStringList{});
    frm->pannelloGuida->cmdFineInserimento->click();

    frm->resize(1920, 1080);
    EXPECT_EQ(tagliati(), QStringList{});
    // The extra width goes to the notes, not to the locality.
    EXPECT_GT(tabella->columnWidth(12) - note1280, 400);
    EXPECT_GT(tabella->columnWidth(12), tabella->columnWidth(1));
}

// A cell too narrow for its text shows all of it as a tooltip; a whole text shows none.
TEST_F(FrmMainUtente, CellaTagliataMostraIlTestoIntero) {
    frm->resize(1280, 720);
    frm->show();
    auto* tabella = frm->findChild<TabellaGriglia*>(QStringLiteral("mfgTab"));
    const QString lunga(60, QLatin1Char('W'));
    frm->mfgTab.impostaTesto(2, 2, lunga);
    const int riga = tabella->modello()->rigaModello(2);
    EXPECT_EQ(tabella->suggerimentoCella(tabella->modello()->index(riga, 2)), lunga);
    EXPECT_EQ(tabella->suggerimentoCella(tabella->modello()->index(riga, 1)), QString());
}

// Desired days: the usual editing keys work, typing replaces the selection, and the box shows
// three digits once left.
TEST_F(FrmMainUtente, GiorniDesideratiComeUnaCasellaDiTesto) {
    QLineEdit* giorni = frm->cmbGiorni->lineEdit();
    frm->cmbGiorni->setEditText(QStringLiteral("007"));
    QKeyEvent tutto(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"));
    QApplication::sendEvent(giorni, &tutto);
    EXPECT_EQ(giorni->selectedText(), QStringLiteral("007"));
    test::digita(giorni, QStringLiteral("2x5"));
    EXPECT_EQ(frm->cmbGiorni->currentText(), QStringLiteral("25"));
    test::premi(giorni, Qt::Key_Backspace);
    EXPECT_EQ(frm->cmbGiorni->currentText(), QStringLiteral("2"));

    QFocusEvent uscita(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(giorni, &uscita);
    EXPECT_EQ(frm->cmbGiorni->currentText(), QStringLiteral("002"));
}

}  // namespace
