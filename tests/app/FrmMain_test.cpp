// The main window driven headless: each trip and itinerary button reaches its logic with scripted
// answers, the result reaches the boxes and the grid, a failing write is shown with nothing lost,
// and unsaved work is asked for.  The rules themselves are tested in trips/, itinerary/, schedule/.
#include "app/FrmMain.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <memory>

#include "SqlDiretto.h"
#include "TestSupport.h"
#include "common/Dialoghi.h"
#include "common/Orologio.h"
#include "common/ui/GrigliaModello.h"
#include "common/ui/TabellaGriglia.h"
#include "guide/ui/PannelloGuida.h"
#include "itinerary/ui/PannelloTappe.h"
#include "trips/Modi.h"
#include "trips/ui/ProgressoFinestra.h"

namespace {

using test::digita;

class FrmMainTest : public ::testing::Test {
  protected:
    QTemporaryDir cartella;
    DialoghiScriptati dialoghi;
    OrologioFisso orologio{QDateTime(QDate(2024, 5, 14), QTime(10, 52))};
    std::unique_ptr<FrmMain> frm;

    void avvia() {
        frm.reset();
        frm = std::make_unique<FrmMain>(cartella.path(), dialoghi, orologio);
        frm->Form_Load();
    }

    // A new trip typed into the window and saved through the buttons, confirmation answered Yes.
    void salvaNuova(const QString& localita, const QString& nazione) {
        frm->cmdNuovo->click();
        frm->txtLocalita->setText(localita);
        frm->txtNazione->setText(nazione);
        dialoghi.risposte = {Risposta::Si};
        frm->cmdSalva->click();
    }

    Database& db() { return frm->archivio().dati(); }
    int meteConCodice(const QString& codice) {
        return db().conta(Query::di("MeteCamper").dove("CodiceMeta", codice));
    }
    int tappe(const QString& codice) { return db().conta(Query::di("Itinerari").dove("CodiceMeta", codice)); }
    QString campoMeta(const QString& codice, const QString& campo) {
        RowSet r = db().apriRowSet(Query::di("MeteCamper").dove("CodiceMeta", codice));
        return r.fine() ? QStringLiteral("<nessuna>") : r.testo(campo);
    }
    QStringList abilitatiMeta() const {
        QStringList l;
        for (const DefinizionePulsante& d : PulsantiMeta())
            if (frm->findChild<QPushButton*>(d.nome)->isEnabled()) l << d.nome;
        return l;
    }
};

TEST_F(FrmMainTest, PrimoAvvioSuDatabaseVuoto) {
    avvia();
    EXPECT_TRUE(frm->lblPercorso->text().endsWith(QStringLiteral("Voviva.mdb")));
    EXPECT_TRUE(QFile::exists(cartella.filePath("Voviva.mdb")));
    EXPECT_EQ(abilitatiMeta(), (QStringList{"cmdNuovo", "cmdEsce"}));
    EXPECT_TRUE(frm->cmdConverte->isHidden());
    EXPECT_EQ(frm->LeggiBox().cmbInizio, (std::array<QString, 5>{"14", "05", "2024", "10", "45"}));
    EXPECT_TRUE(dialoghi.mostrati.isEmpty());
}

TEST_F(FrmMainTest, SalvaNuovaEMetaCorrenteAlRiavvio) {
    avvia();
    salvaNuova("PARIGI", "FRANCIA");
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Confermi inserimento meta?"});
    EXPECT_EQ(frm->txtCodice->text(), "000001");
    EXPECT_EQ(campoMeta("000001", "OraInizio"), QStringLiteral("1045"));  // the boxes reach the row
    EXPECT_EQ(frm->modoPrincipale, QStringLiteral("all"));

    avvia();
    EXPECT_EQ(frm->txtLocalita->text(), "PARIGI");
    EXPECT_EQ(frm->txtCodice->text(), "000001");
}

TEST_F(FrmMainTest, RicercaMostraLElencoEScegliereCaricaLaMeta) {
    avvia();
    salvaNuova("BERLINO", "GERMANIA");
    salvaNuova("AMSTERDAM", "OLANDA");
    frm->cmdRicerca->click();
    EXPECT_FALSE(frm->cmbRicerca->isHidden());
    ASSERT_EQ(frm->cmbRicerca->count(), 2);

    emit frm->cmbRicerca->activated(frm->cmbRicerca->findText("BERLINO"));
    EXPECT_TRUE(frm->cmbRicerca->isHidden());
    EXPECT_EQ(frm->txtNazione->text(), "GERMANIA ");
    EXPECT_EQ(frm->txtCodice->text(), "000001");
}

TEST_F(FrmMainTest, CancellaMetaEItinerarioConLeLoroDomande) {
    avvia();
    salvaNuova("PARIGI", "FRANCIA");
    salvaNuova("BERLINO", "GERMANIA");
    test::tappa(db(), "000002", "0001", "BERLINO", "0");
    test::tappa(db(), "000002", "0002", "POTSDAM", "30");

    dialoghi.risposte = {Risposta::Si, Risposta::Si};
    frm->cmdCancItin->click();
    EXPECT_EQ(tappe("000002"), 0);
    EXPECT_EQ(frm->txtLocalita->text(), "BERLINO");

    dialoghi.mostrati.clear();
    dialoghi.risposte = {Risposta::No};
    frm->cmdCancMeta->click();
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Confermi annullamento meta?"});
    EXPECT_EQ(meteConCodice("000002"), 1);

    dialoghi.risposte = {Risposta::Si};
    frm->cmdCancMeta->click();
    EXPECT_EQ(meteConCodice("000002"), 0);
    EXPECT_EQ(frm->txtLocalita->text(), "PARIGI");

    // The last trip gone: no deleted trip stays on screen, and only a new trip can be started.
    dialoghi.risposte = {Risposta::Si};
    frm->cmdCancMeta->click();
    EXPECT_TRUE(frm->txtCodice->text().isEmpty());
    EXPECT_EQ(abilitatiMeta(), (QStringList{"cmdNuovo", "cmdEsce"}));
}

TEST_F(FrmMainTest, PulsantiDeiDatiDiDefault) {
    avvia();
    frm->cmbRipH->setEditText("06");
    dialoghi.risposte = {Risposta::Si};
    frm->cmdDefault[0]->click();  // save
    frm->cmbRipH->setEditText("01");
    dialoghi.risposte = {Risposta::Si};
    frm->cmdDefault[1]->click();  // load
    EXPECT_EQ(frm->cmbRipH->currentText(), "06");
    dialoghi.risposte = {Risposta::Si};
    frm->cmdDefault[2]->click();  // factory values
    EXPECT_EQ(frm->cmbRipH->currentText(), "03");
}

TEST_F(FrmMainTest, UscitaConConferma) {
    avvia();
    frm->show();
    dialoghi.risposte = {Risposta::No};
    frm->close();  // closing the window asks as the button does
    EXPECT_TRUE(frm->isVisible());

    dialoghi.mostrati.clear();
    dialoghi.risposte = {Risposta::Si};
    frm->cmdEsce->click();
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Vuoi chiudere la procedura?"});
    EXPECT_FALSE(frm->isVisible());
    EXPECT_FALSE(db().aperto());
}

TEST_F(FrmMainTest, ScritturaFallitaMostraIlMessaggioETieneIBox) {
    avvia();
    salvaNuova("PARIGI", "FRANCIA");
    // Another connection makes every change and deletion of a trip fail.
    const QString file = cartella.filePath("Voviva.mdb");
    ASSERT_TRUE(test::eseguiSql(file,
                                "CREATE TRIGGER blocca BEFORE UPDATE ON MeteCamper "
                                "BEGIN SELECT RAISE(ABORT, 'scrittura bloccata'); END;"
                                "CREATE TRIGGER bloccaCanc BEFORE DELETE ON MeteCamper "
                                "BEGIN SELECT RAISE(ABORT, 'cancellazione bloccata'); END;"));

    frm->txtNazione->setText("FRANCIA DEL SUD");
    frm->cmbRipM->setEditText("45");
    dialoghi.mostrati.clear();
    dialoghi.risposte = {Risposta::Si};
    frm->cmdSalva->click();
    ASSERT_EQ(dialoghi.mostrati.size(), 2);
    EXPECT_TRUE(dialoghi.mostrati[1].testo.contains("scrittura bloccata"))
        << dialoghi.mostrati[1].testo.toStdString();
    EXPECT_EQ(dialoghi.mostrati[1].icona, Icona::Critico);
    EXPECT_EQ(frm->txtNazione->text(), "FRANCIA DEL SUD");
    EXPECT_EQ(frm->cmbRipM->currentText(), "45");
    EXPECT_EQ(campoMeta("000001", "Nazione"), "FRANCIA ");

    dialoghi.risposte = {Risposta::Si};
    frm->cmdCancMeta->click();
    EXPECT_TRUE(dialoghi.testiMostrati().last().contains("cancellazione bloccata"));
    EXPECT_EQ(meteConCodice("000001"), 1);
    EXPECT_TRUE(frm->cmdNuovo->isEnabled());

    // Once the file accepts writes again, the same boxes save.
    ASSERT_TRUE(test::eseguiSql(file, "DROP TRIGGER blocca; DROP TRIGGER bloccaCanc;"));
    frm->txtNazione->setText("FRANCIA DEL SUD");
    dialoghi.risposte = {Risposta::Si};
    frm->cmdSalva->click();
    EXPECT_EQ(campoMeta("000001", "Nazione"), "FRANCIA DEL SUD ");
}

// The key filters and the checks run on leaving a box; the corrections themselves are trips/'s.
TEST_F(FrmMainTest, FiltriDeiTastiEControlliSulleUscite) {
    avvia();
    digita(frm->txtLocalita, "capo nord");
    EXPECT_EQ(frm->txtLocalita->text(), "CAPO NORD");

    frm->cmbMediaKm[1]->setEditText("");
    digita(frm->cmbMediaKm[1], "8x5");
    EXPECT_EQ(frm->cmbMediaKm[1]->currentText(), "85");
    frm->cmbMediaKm[0]->setEditText("0");
    frm->cmbMediaKm_LostFocus(0);
    EXPECT_EQ(frm->cmbMediaKm[0]->currentText(), "050");

    frm->cmbOra[0]->setEditText("11");
    frm->cmbMin[0]->setEditText("30");
    frm->cmbOra[1]->setEditText("12");
    frm->cmbMin[1]->setEditText("00");
    frm->cmbOra_LostFocus();
    EXPECT_EQ(frm->cmbOra[0]->currentText(), "00");
    EXPECT_FLOAT_EQ(frm->valori().OraColazione, 50.f);

    frm->cmbInizio[0]->setEditText("31");
    frm->cmbInizio[1]->setEditText("02");
    frm->cmbInizio[2]->setEditText("2024");
    frm->cmbInizio_Click(1);
    EXPECT_EQ(frm->cmbInizio[0]->currentText(), "29");
    EXPECT_EQ(frm->txtInizioGSett->text(), QStringLiteral("Gio"));
}

TEST_F(FrmMainTest, ProgressoNeiBoxDellaFinestra) {
    avvia();
    Progresso& p = frm->progresso();
    const int eventi = dialoghi.eventiEseguiti;
    // Within a few milliseconds of letting events run, a moved bar keeps what it shows and a
    // caption is written without running them again.
    p.posizione(3, 12);
    p.posizione(4, 12);
    p.didascalia("Calcolo in corso");
    EXPECT_EQ(frm->lblElaborazione->text(), "Calcolo in corso");
    EXPECT_EQ(frm->barElaborazione->value(), 3);
    EXPECT_EQ(frm->barElaborazione->maximum(), 12);
    EXPECT_EQ(dialoghi.eventiEseguiti, eventi + 1);
    p.azzera();
    EXPECT_EQ(frm->barElaborazione->value(), 0);
    EXPECT_TRUE(frm->lblElaborazione->text().isEmpty());
}

// The stored itinerary of the current trip reaches the grid and the totals; a new trip empties it.
TEST_F(FrmMainTest, ItinerarioDellaMetaCorrenteNellaGriglia) {
    avvia();
    salvaNuova(QStringLiteral("CAPO NORD"), QStringLiteral("NORVEGIA"));
    const test::Campi autostrada{{"TipoStrada", "A"}};
    test::tappa(db(), "000001", "0001", "OSLO [Start]", "0", autostrada);
    test::tappa(db(), "000001", "0002", "TRONDHEIM", "500", autostrada);
    avvia();
    EXPECT_EQ(frm->mfgTab.testo(2, 1).trimmed(), QStringLiteral("TRONDHEIM"));
    EXPECT_EQ(frm->txtKmTot[4]->text(), QStringLiteral("500"));
    EXPECT_FALSE(frm->txtTempo[4]->text().isEmpty());

    frm->cmdNuovo->click();
    EXPECT_TRUE(frm->mfgTab.testo(1, 1).isEmpty());
}

class ItinerarioFinestra : public FrmMainTest {
  protected:
    void SetUp() override {
        avvia();
        salvaNuova(QStringLiteral("CAPO NORD"), QStringLiteral("NORVEGIA"));
        dialoghi.mostrati.clear();
        frm->cmdItinerario->click();
    }
    // A leg typed into the editing frame and inserted with the window's button.
    void inserisci(const QString& tappa, const QString& km) {
        PannelloTappe* p = frm->pannelloTappe;
        p->txtTappa->setText(tappa);
        p->txtNumStrada->setText(QStringLiteral("E6"));
        p->txtKm->setText(km);
        p->optStrada[0]->setChecked(true);
        ASSERT_TRUE(frm->cmdInserisce->isEnabled());
        frm->cmdInserisce->click();
    }
    int tappeMemorizzate() { return db().conta(Query::di(QStringLiteral("Itinerari"))); }
};

TEST_F(ItinerarioFinestra, InserimentoESalvataggioConFineInser) {
    EXPECT_FALSE(frm->frmItinerario->isHidden());
    // The panel's own copies of the row buttons stay out of sight.
    EXPECT_EQ(frm->findChildren<QPushButton*>(QStringLiteral("cmdInserisce")).size(), 1);

    inserisci(QStringLiteral("OSLO"), QStringLiteral("10"));
    inserisci(QStringLiteral("LILLEHAMMER"), QStringLiteral("180"));
    EXPECT_EQ(frm->mfgTab.testo(2, 1), QStringLiteral("LILLEHAMMER"));
    EXPECT_EQ(frm->txtKmTot[4]->text(), QStringLiteral("190"));
    EXPECT_EQ(tappeMemorizzate(), 0);  // nothing is stored until the itinerary is saved

    dialoghi.risposte = {Risposta::Annulla};
    frm->cmdFine->click();
    EXPECT_FALSE(frm->frmItinerario->isHidden());

    dialoghi.risposte = {Risposta::Si};
    frm->cmdFine->click();
    EXPECT_EQ(tappeMemorizzate(), 2);
    EXPECT_TRUE(frm->frmItinerario->isHidden());
    EXPECT_TRUE(frm->cmdNuovo->isEnabled());
}

TEST_F(ItinerarioFinestra, UscireSenzaSalvareERipristinare) {
    inserisci(QStringLiteral("OSLO"), QStringLiteral("10"));
    dialoghi.risposte = {Risposta::Si};
    frm->cmdMemorizza->click();  // Salva Reset: Yes saves and leaves editing
    EXPECT_EQ(tappeMemorizzate(), 1);
    EXPECT_TRUE(frm->frmItinerario->isHidden());

    frm->cmdItinerario->click();
    inserisci(QStringLiteral("BERGEN"), QStringLiteral("460"));
    dialoghi.risposte = {Risposta::No, Risposta::Si};  // no save, restore the stored legs
    frm->cmdMemorizza->click();
    EXPECT_TRUE(frm->mfgTab.testo(2, 1).isEmpty());
    EXPECT_FALSE(frm->frmItinerario->isHidden());

    inserisci(QStringLiteral("BERGEN"), QStringLiteral("460"));
    dialoghi.risposte = {Risposta::No};  // leave without saving
    frm->cmdFine->click();
    EXPECT_TRUE(frm->mfgTab.testo(2, 1).isEmpty());
    EXPECT_EQ(tappeMemorizzate(), 1);
}

TEST_F(ItinerarioFinestra, CopiaSosteGuidaNelleTappe) {
    inserisci(QStringLiteral("OSLO"), QStringLiteral("10"));
    inserisci(QStringLiteral("BERGEN"), QStringLiteral("460"));
    test::voceGuida(db(), "Bergen", "Bryggen", "02:00", {{"CodiceGuida", "01"}});
    dialoghi.risposte = {Risposta::Si};
    frm->cmdTrasferisce->click();
    EXPECT_EQ(frm->mfgTab.testo(2, 7), QStringLiteral("00:02:00"));
}

TEST_F(ItinerarioFinestra, CalcolaMostraLaZavetraESbloccaRidaLeTappe) {
    inserisci(QStringLiteral("OSLO"), QStringLiteral("10"));
    inserisci(QStringLiteral("LILLEHAMMER"), QStringLiteral("180"));
    inserisci(QStringLiteral("TRONDHEIM"), QStringLiteral("360"));
    dialoghi.risposte = {Risposta::Si};
    frm->cmdFine->click();
    const QString progressivi = frm->mfgTab.testo(3, 5);

    frm->cmdCalcola->click();
    EXPECT_EQ(frm->cmdCalcola->text(), QStringLiteral("&Sblocca"));
    EXPECT_TRUE(frm->zavetraVisualizzata);
    EXPECT_FALSE(frm->cmdNuovo->isEnabled());  // only compute and print while a schedule is shown
    EXPECT_FALSE(frm->mfgTab.testo(1, 10).isEmpty());
    EXPECT_FALSE(frm->txtFine[0]->text().isEmpty());

    frm->cmdCalcola->click();  // "&Sblocca"
    EXPECT_EQ(frm->cmdCalcola->text(), QStringLiteral("&Calcola"));
    EXPECT_EQ(frm->mfgTab.testo(2, 1), QStringLiteral("LILLEHAMMER"));
    EXPECT_EQ(frm->mfgTab.testo(3, 5), progressivi);
    EXPECT_TRUE(frm->cmdNuovo->isEnabled());
}

const QString kSalvaItinerario = QStringLiteral("Vuoi salvare l'itinerario?");
const QString kSalvaMeta = QStringLiteral("Vuoi salvare le modifiche alla mèta?");

// Two stored trips, TOSCANA (000001, no legs) and CAPO NORD (000002, three legs), the second one
// current, and the window started on them: a new user's unsaved legs and trip boxes are not dropped
// without a question, and every text fits from 1280 x 720 up.
class FrmMainUtente : public FrmMainTest {
  protected:
    void SetUp() override {
        avvia();
        salvaNuova(QStringLiteral("TOSCANA"), QStringLiteral("ITALIA"));
        salvaNuova(QStringLiteral("CAPO NORD"), QStringLiteral("NORVEGIA"));
        test::tappa(db(), "000002", "0001", "OSLO [Start]", "0");
        test::tappa(db(), "000002", "0002", "BERGEN", "460", {{"TipoStrada", "P"}});
        test::tappa(db(), "000002", "0003", "NORDKAPP [End]", "900", {{"TipoStrada", "A"}});
        riavvia();
    }
    // The window closed its database: a new one reads what was stored.
    void riavvia() {
        avvia();
        dialoghi.mostrati.clear();
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
        QStringList l = abilitatiMeta();
        for (const DefinizionePulsante& d : PulsantiItinerario())
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
    EXPECT_EQ(tappe("000002"), 3);

    aggiungiTappa();
    frm->show();
    dialoghi.risposte = {Risposta::Si};
    EXPECT_TRUE(frm->close());
    riavvia();
    EXPECT_EQ(tappe("000002"), 4);

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
    EXPECT_EQ(tappe("000002"), 4);
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
    EXPECT_EQ(campoMeta("000002", "Nazione"), QStringLiteral("NORGE "));
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
    ASSERT_EQ(tappe("000002"), 2);

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
    EXPECT_EQ(campoMeta("000002", "Nazione"), QStringLiteral("NORVEGIA "));
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

// Presses "&Stop" the first time the running computation lets the window's events run.
class DialoghiCheFermano : public DialoghiScriptati {
  public:
    FrmMain* finestra = nullptr;
    QString didascaliaEsce;
    void eseguiEventi() override {
        DialoghiScriptati::eseguiEventi();
        if (!finestra || !didascaliaEsce.isEmpty()) return;
        didascaliaEsce = finestra->cmdEsce->text();
        risposte = {Risposta::Si};  // "Vuoi interrompere l'elaborazione?"
        finestra->cmdEsce->click();
    }
};

TEST(FrmMainCalcolo, StopDuranteIlCalcoloRidaLeTappeENonMemorizzaNulla) {
    QTemporaryDir cartella;
    {
        Archivio a(cartella.path());
        a.AvviaDatabase();
        test::inserisci(a.dati(), "MeteCamper",
                        {{"CodiceMeta", "000001"}, {"Localita", "LOFOTEN"}, {"Coefficiente", "0"}});
        for (int i = 1; i <= 200; ++i)
            test::tappa(a.dati(), "000001", QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')),
                        QStringLiteral("TAPPA %1").arg(i), "120", {{"TipoStrada", "P"}});
    }
    DialoghiCheFermano dialoghi;
    OrologioFisso orologio(QDateTime(QDate(2024, 5, 14), QTime(10, 52)));
    FrmMain frm(cartella.path(), dialoghi, orologio);
    frm.Form_Load();
    const QString tappa = frm.mfgTab.testo(150, 1);
    ASSERT_EQ(tappa, QStringLiteral("TAPPA 150"));
    dialoghi.finestra = &frm;
    frm.cmdCalcola->click();

    EXPECT_EQ(dialoghi.didascaliaEsce, QStringLiteral("&Stop"));  // the exit button stops the run
    EXPECT_EQ(frm.cmdEsce->text(), QStringLiteral("&Esce"));
    EXPECT_EQ(frm.cmdCalcola->text(), QStringLiteral("&Calcola"));
    EXPECT_FALSE(frm.zavetraVisualizzata);
    EXPECT_EQ(frm.mfgTab.testo(150, 1), tappa);
    EXPECT_TRUE(frm.cmdNuovo->isEnabled());
    RowSet meta = frm.archivio().dati().apriTabella(QStringLiteral("MeteCamper"));
    EXPECT_EQ(meta.testo(QStringLiteral("Coefficiente")), QStringLiteral("0"));
}

}  // namespace
