// The main window driven headless: its start-up on a fresh database, the trip commands through
// their buttons with scripted answers, the modes applied to the buttons, the key filters and a
// failing database write.
#include "app/FrmMain.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

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

#include "TestSupport.h"
#include "common/Dialoghi.h"
#include "common/Orologio.h"
#include "guide/ui/PannelloGuida.h"
#include "itinerary/ui/PannelloTappe.h"
#include "trips/Modi.h"
#include "trips/ui/ProgressoFinestra.h"

namespace {

QStringList voci(const QComboBox* c) {
    QStringList l;
    for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
    return l;
}

using test::digita;
using test::premi;

class FrmMainTest : public ::testing::Test {
  protected:
    QTemporaryDir cartella;
    DialoghiScriptati dialoghi;
    OrologioFisso orologio{QDateTime(QDate(2024, 5, 14), QTime(10, 52))};
    std::unique_ptr<FrmMain> frm;

    void avvia() {
        frm = std::make_unique<FrmMain>(cartella.path(), dialoghi, orologio);
        frm->Form_Load();
    }

    // A new trip typed into the window and saved through the buttons, confirmation answered Yes.
    void salvaNuova(const QString& localita, const QString& nazione) {
        ASSERT_TRUE(frm->cmdNuovo->isEnabled());
        frm->cmdNuovo->click();
        frm->txtLocalita->setText(localita);
        frm->txtNazione->setText(nazione);
        ASSERT_TRUE(frm->cmdSalva->isEnabled());
        dialoghi.risposte = {Risposta::Si};
        frm->cmdSalva->click();
    }

    // Picks a trip from the search list as the user would.
    void scegli(const QString& localita) {
        frm->cmdRicerca_Click();
        const int i = frm->cmbRicerca->findText(localita);
        ASSERT_GE(i, 0) << localita.toStdString();
        frm->cmbRicerca->setCurrentIndex(i);
        emit frm->cmbRicerca->activated(i);
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
    void aggiungiTappa(const QString& codice, int sequenza, const QString& localita) {
        RowSet r = db().apriTabella("Itinerari");
        r.aggiungi();
        r.imposta("CodiceMeta", codice);
        r.imposta("Sequenza", QStringLiteral("%1").arg(sequenza, 4, 10, QLatin1Char('0')));
        r.imposta("Localita", localita);
        r.memorizza();
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

    // No trip: new and exit only, nothing of the itinerary, no conversion.
    EXPECT_TRUE(frm->codiceCorrente.isEmpty());
    EXPECT_EQ(abilitatiMeta(), (QStringList{"cmdNuovo", "cmdEsce"}));
    EXPECT_FALSE(frm->cmdInserisce->isEnabled());
    EXPECT_TRUE(frm->cmdConverte->isHidden());

    // Factory parameters in the boxes, start now at the quarter hour.
    const BoxMeta b = frm->LeggiBox();
    EXPECT_EQ(b.cmbMediaKm, (std::array<QString, 4>{"75", "65", "50", "30"}));
    EXPECT_EQ(b.cmbInizio, (std::array<QString, 5>{"14", "05", "2024", "10", "45"}));
    EXPECT_EQ(voci(frm->cmbOra[2]), (QStringList{"18", "19", "20", "21"}));

    // Object names follow the control names, arrays with their index.
    EXPECT_EQ(frm->findChild<QComboBox*>("cmbOra_3"), frm->cmbOra[3]);
    EXPECT_EQ(frm->findChild<QLineEdit*>("txtFine_6"), frm->txtFine[6]);
    EXPECT_TRUE(dialoghi.mostrati.isEmpty());
}

TEST_F(FrmMainTest, StaIn1366x768) {
    avvia();
    frm->show();
    QApplication::processEvents();
    const QSize minimo = frm->minimumSizeHint().expandedTo(frm->minimumSize());
    // Room left for the window frame on a 1366x768 screen.
    EXPECT_LE(minimo.width(), 1300) << minimo.width();
    EXPECT_LE(minimo.height(), 700) << minimo.height();
    EXPECT_LE(frm->width(), 1366);
    EXPECT_LE(frm->height(), 740);
}

TEST_F(FrmMainTest, DatabaseIlleggibileFermaLAvvioSenzaToccareIlFile) {
    const QByteArray dati("questo non e' un database");
    test::scriviFile(cartella.filePath("Voviva.mdb"), dati);
    frm = std::make_unique<FrmMain>(cartella.path(), dialoghi, orologio);
    EXPECT_THROW(frm->Form_Load(), ErroreApertura);
    EXPECT_EQ(test::leggiFile(cartella.filePath("Voviva.mdb")), dati);
}

TEST_F(FrmMainTest, ConverteSoloConVecchiDati) {
    test::scriviFile(cartella.filePath("CampMete.dat"), {});
    avvia();
    EXPECT_FALSE(frm->cmdConverte->isHidden());
    EXPECT_TRUE(frm->cmdConverte->isEnabled());
}

TEST_F(FrmMainTest, SalvaNuovaEMetaCorrenteAlRiavvio) {
    avvia();
    salvaNuova("PARIGI", "FRANCIA");
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Confermi inserimento meta?"});
    EXPECT_EQ(frm->txtCodice->text(), "000001");
    EXPECT_EQ(campoMeta("000001", "OraInizio"), QStringLiteral("1045"));  // the boxes reach the row
    EXPECT_EQ(frm->modoPrincipale, QStringLiteral("all"));

    // A second start shows the trip again, with every command.
    frm.reset();
    avvia();
    EXPECT_EQ(frm->txtLocalita->text(), "PARIGI");
    EXPECT_EQ(frm->txtCodice->text(), "000001");
    EXPECT_TRUE(frm->cmdRicerca->isEnabled());
}

TEST_F(FrmMainTest, RicercaMostraLElencoEScegliereCaricaLaMeta) {
    avvia();
    salvaNuova("BERLINO", "GERMANIA");
    salvaNuova("AMSTERDAM", "OLANDA");

    frm->cmdRicerca->click();
    EXPECT_FALSE(frm->cmbRicerca->isHidden());
    EXPECT_EQ(voci(frm->cmbRicerca), (QStringList{"AMSTERDAM", "BERLINO"}));
    // While the list is open only new and exit are allowed.
    EXPECT_EQ(abilitatiMeta(), (QStringList{"cmdNuovo", "cmdEsce"}));

    emit frm->cmbRicerca->activated(frm->cmbRicerca->findText("BERLINO"));
    EXPECT_TRUE(frm->cmbRicerca->isHidden());
    EXPECT_EQ(frm->txtNazione->text(), "GERMANIA ");
    EXPECT_EQ(frm->txtCodice->text(), "000001");
    EXPECT_TRUE(frm->cmdCancMeta->isEnabled());
}

TEST_F(FrmMainTest, CancellaMetaConLaSuaDomanda) {
    avvia();
    salvaNuova("PARIGI", "FRANCIA");
    salvaNuova("BERLINO", "GERMANIA");
    aggiungiTappa("000002", 1, "BERLINO");

    dialoghi.mostrati.clear();
    dialoghi.risposte = {Risposta::No};
    frm->cmdCancMeta->click();
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Confermi annullamento meta?"});
    EXPECT_EQ(meteConCodice("000002"), 1);

    dialoghi.risposte = {Risposta::Si};
    frm->cmdCancMeta->click();
    EXPECT_EQ(meteConCodice("000002"), 0);
    EXPECT_EQ(tappe("000002"), 0);
    EXPECT_EQ(frm->txtLocalita->text(), "PARIGI");
    EXPECT_EQ(frm->codiceCorrente, "000001");

    // The last trip gone: no deleted trip stays on screen, and only a new trip can be started.
    dialoghi.risposte = {Risposta::Si};
    frm->cmdCancMeta->click();
    EXPECT_EQ(db().conta(Query::di("MeteCamper")), 0);
    EXPECT_TRUE(frm->txtLocalita->text().isEmpty());
    EXPECT_TRUE(frm->txtCodice->text().isEmpty());
    EXPECT_EQ(abilitatiMeta(), (QStringList{"cmdNuovo", "cmdEsce"}));
}

TEST_F(FrmMainTest, CancellaItinerarioTieneLaMeta) {
    avvia();
    salvaNuova("PARIGI", "FRANCIA");
    aggiungiTappa("000001", 1, "PARIGI");
    aggiungiTappa("000001", 2, "DIGIONE");
    dialoghi.risposte = {Risposta::Si, Risposta::Si};
    frm->cmdCancItin->click();
    EXPECT_EQ(tappe("000001"), 0);
    EXPECT_EQ(meteConCodice("000001"), 1);
    EXPECT_EQ(frm->txtLocalita->text(), "PARIGI");
    EXPECT_TRUE(frm->cmdCancItin->isEnabled());
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

    // Personal defaults are what a new trip starts from.
    frm->cmbRipH->setEditText("06");
    dialoghi.risposte = {Risposta::Si};
    frm->cmdDefault[0]->click();
    frm->cmbRipH->setEditText("01");
    dialoghi.risposte = {Risposta::No};  // the changed trip is not saved
    frm->cmdNuovo->click();
    EXPECT_EQ(frm->cmbRipH->currentText(), "06");
}

TEST_F(FrmMainTest, ModiApplicatiAiPulsanti) {
    avvia();
    salvaNuova("PARIGI", "FRANCIA");

    // During the computation the exit button stops it.
    frm->modoPrincipale = "Es";
    frm->AbilitaPulsantiComando();
    EXPECT_EQ(abilitatiMeta(), QStringList{"cmdEsce"});
    EXPECT_EQ(frm->cmdEsce->text(), "&Stop");
    dialoghi.mostrati.clear();
    dialoghi.risposte = {Risposta::Si};
    frm->cmdEsce->click();
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Vuoi interrompere l'elaborazione?"});
    EXPECT_TRUE(frm->progresso().stopRichiesto());
    EXPECT_FALSE(frm->chiusuraConfermata);

    // The itinerary insertion panel shown: nothing.
    frm->modoPrincipale = "all";
    frm->frmItinerario->show();
    frm->AbilitaPulsantiComando();
    EXPECT_TRUE(abilitatiMeta().isEmpty());
    frm->frmItinerario->hide();

    // Itinerary mode "all" enables the itinerary row but the editing frame's commands.
    frm->modoItinerario = "all";
    frm->AbilitaPulsantiComando();
    EXPECT_EQ(frm->cmdEsce->text(), "&Esce");
    EXPECT_FALSE(frm->cmdInserisce->isEnabled());
    EXPECT_TRUE(frm->cmdTrasferisce->isEnabled());
    EXPECT_FALSE(frm->cmdCerca->isEnabled());
}

TEST_F(FrmMainTest, UscitaConConferma) {
    avvia();
    frm->show();
    dialoghi.risposte = {Risposta::No};
    frm->cmdEsce->click();
    EXPECT_TRUE(frm->isVisible());

    // Closing the window asks the same question.
    dialoghi.risposte = {Risposta::No};
    frm->close();
    EXPECT_TRUE(frm->isVisible());
    EXPECT_TRUE(db().aperto());

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

    // Another connection makes every change of a trip fail.
    sqlite3* altro = nullptr;
    ASSERT_EQ(sqlite3_open(cartella.filePath("Voviva.mdb").toUtf8().constData(), &altro), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(altro,
                           "CREATE TRIGGER blocca BEFORE UPDATE ON MeteCamper "
                           "BEGIN SELECT RAISE(ABORT, 'scrittura bloccata'); END;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);

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
    EXPECT_TRUE(frm->cmdSalva->isEnabled());

    // A failing deletion leaves the commands usable too.
    ASSERT_EQ(sqlite3_exec(altro,
                           "CREATE TRIGGER bloccaTappe BEFORE DELETE ON MeteCamper "
                           "BEGIN SELECT RAISE(ABORT, 'cancellazione bloccata'); END;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    dialoghi.mostrati.clear();
    dialoghi.risposte = {Risposta::Si};
    frm->cmdCancMeta->click();
    EXPECT_TRUE(dialoghi.testiMostrati().last().contains("cancellazione bloccata"));
    EXPECT_EQ(meteConCodice("000001"), 1);
    EXPECT_EQ(frm->modoPrincipale, QStringLiteral("all"));
    EXPECT_TRUE(frm->cmdNuovo->isEnabled());

    // Once the file accepts writes again, the same boxes save.
    ASSERT_EQ(
        sqlite3_exec(altro, "DROP TRIGGER blocca; DROP TRIGGER bloccaTappe;", nullptr, nullptr, nullptr),
        SQLITE_OK);
    sqlite3_close(altro);
    frm->txtNazione->setText("FRANCIA DEL SUD");
    dialoghi.risposte = {Risposta::Si};
    frm->cmdSalva->click();
    EXPECT_EQ(campoMeta("000001", "Nazione"), "FRANCIA DEL SUD ");
}

TEST_F(FrmMainTest, FiltriDeiTastiEControlliSulleUscite) {
    avvia();
    // Locality and nation: typed letters become upper case.
    digita(frm->txtLocalita, "capo nord");
    EXPECT_EQ(frm->txtLocalita->text(), "CAPO NORD");
    frm->txtNazione->setText("norvegia");
    digita(frm->txtNazione, "è");
    EXPECT_EQ(frm->txtNazione->text(), QStringLiteral("norvegiaÈ"));

    // Desired days: digits only, above 997 becomes 997.
    frm->cmbGiorni->setEditText("");
    digita(frm->cmbGiorni, "1a2");
    EXPECT_EQ(frm->cmbGiorni->currentText(), "12");
    digita(frm->cmbGiorni, "00");
    EXPECT_EQ(frm->cmbGiorni->currentText(), "997");

    // Speeds: digits only; a box left empty or at 0 takes its first entry.
    frm->cmbMediaKm[1]->setEditText("");
    digita(frm->cmbMediaKm[1], "8x5");
    EXPECT_EQ(frm->cmbMediaKm[1]->currentText(), "85");
    frm->cmbMediaKm[0]->setEditText("0");
    frm->cmbMediaKm_LostFocus(0);
    EXPECT_EQ(frm->cmbMediaKm[0]->currentText(), "050");
    EXPECT_EQ(frm->cmbMediaKm[1]->currentText(), "85");

    // Leaving a time box runs the check: breakfast 11:30 before lunch 12:00 moves to 00:30.
    frm->cmbOra[0]->setEditText("11");
    frm->cmbMin[0]->setEditText("30");
    frm->cmbOra[1]->setEditText("12");
    frm->cmbMin[1]->setEditText("00");
    frm->cmbOra_LostFocus();
    EXPECT_EQ(frm->cmbOra[0]->currentText(), "00");
    EXPECT_FLOAT_EQ(frm->valori().OraColazione, 50.f);

    // Start month changed: the day list follows it.
    frm->cmbInizio[0]->setEditText("31");
    frm->cmbInizio[1]->setEditText("01");
    frm->cmbInizio[2]->setEditText("2024");
    frm->cmbInizio[1]->setEditText("02");
    frm->cmbInizio_Click(1);
    EXPECT_EQ(frm->cmbInizio[0]->currentText(), "29");
    EXPECT_EQ(frm->txtInizioGSett->text(), QStringLiteral("Gio"));
}

TEST_F(FrmMainTest, ProgressoNeiBoxDellaFinestra) {
    avvia();
    Progresso& p = frm->progresso();
    const int eventi = dialoghi.eventiEseguiti;
    p.didascalia("Calcolo in corso");
    p.posizione(3, 12);
    EXPECT_EQ(frm->lblElaborazione->text(), "Calcolo in corso");
    EXPECT_EQ(frm->barElaborazione->value(), 3);
    EXPECT_EQ(frm->barElaborazione->maximum(), 12);
    EXPECT_EQ(dialoghi.eventiEseguiti, eventi + 2);
    p.azzera();
    EXPECT_EQ(frm->barElaborazione->value(), 0);
    EXPECT_TRUE(frm->lblElaborazione->text().isEmpty());
}

}  // namespace

namespace {

// The itinerary of the current trip is shown in the grid with its distances and times.
TEST_F(FrmMainTest, ItinerarioDellaMetaCorrenteNellaGriglia) {
    avvia();
    salvaNuova(QStringLiteral("CAPO NORD"), QStringLiteral("NORVEGIA"));
    const QString codice = frm->txtCodice->text();
    const test::Campi autostrada{{"TipoStrada", "A"}};
    test::tappa(db(), codice, "0001", "OSLO [Start]", "0", autostrada);
    test::tappa(db(), codice, "0002", "TRONDHEIM", "500", autostrada);
    test::tappa(db(), codice, "0003", "CAPO NORD [End]", "1500", autostrada);
    frm.reset();
    avvia();
    EXPECT_EQ(frm->mfgTab.testo(2, 1).trimmed(), QStringLiteral("TRONDHEIM"));
    EXPECT_EQ(frm->mfgTab.testo(3, 5), QStringLiteral("2.000"));  // progressive kilometres
    EXPECT_EQ(frm->txtKmTot[4]->text(), QStringLiteral("2.000"));
    EXPECT_FALSE(frm->txtTempo[4]->text().isEmpty());
    EXPECT_GE(frm->mfgTab.righe(), 17);

    // A new trip starts from an empty itinerary.
    frm->cmdNuovo->click();
    EXPECT_TRUE(frm->mfgTab.testo(1, 1).isEmpty());
}

}  // namespace

namespace {

// The city guide opens over the itinerary grid of the current trip and gives it back on leaving.
TEST_F(FrmMainTest, GuidaCittaSiApreESiChiudeSullItinerario) {
    avvia();
    salvaNuova(QStringLiteral("BERGEN"), QStringLiteral("NORVEGIA"));
    test::tappa(db(), frm->txtCodice->text(), "0001", "BERGEN [Start]", "10", {{"TipoStrada", "A"}});
    frm.reset();
    avvia();
    ASSERT_TRUE(frm->cmdGuidaCitta->isEnabled());
    frm->cmdGuidaCitta->click();
    ASSERT_NE(frm->pannelloGuida, nullptr);
    EXPECT_FALSE(frm->pannelloGuida->isHidden());
    EXPECT_FALSE(frm->cmdNuovo->isEnabled());  // the trip commands wait while the guide is open
    EXPECT_TRUE(frm->pannelloGuida->modoGuida());

    frm->pannelloGuida->cmdFineInserimento_Click();
    EXPECT_TRUE(frm->pannelloGuida->isHidden());
    EXPECT_FALSE(frm->pannelloGuida->modoGuida());
    EXPECT_TRUE(frm->cmdNuovo->isEnabled());
    EXPECT_EQ(frm->mfgTab.testo(1, 1).trimmed(), QStringLiteral("BERGEN [Start]"));
}

}  // namespace

namespace {

class ItinerarioFinestra : public FrmMainTest {
  protected:
    void SetUp() override {
        avvia();
        salvaNuova(QStringLiteral("CAPO NORD"), QStringLiteral("NORVEGIA"));
        dialoghi.mostrati.clear();
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
    frm->cmdItinerario->click();
    EXPECT_FALSE(frm->frmItinerario->isHidden());
    EXPECT_FALSE(frm->cmdNuovo->isEnabled());  // the trip commands wait while legs are edited
    EXPECT_TRUE(frm->cmdFine->isEnabled());
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
    EXPECT_FALSE(frm->cmdInserisce->isEnabled());
    EXPECT_EQ(frm->mfgTab.testo(2, 1), QStringLiteral("LILLEHAMMER"));
}

TEST_F(ItinerarioFinestra, UscireSenzaSalvareERipristinare) {
    frm->cmdItinerario->click();
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
    frm->cmdItinerario->click();
    inserisci(QStringLiteral("OSLO"), QStringLiteral("10"));
    inserisci(QStringLiteral("BERGEN"), QStringLiteral("460"));
    test::voceGuida(db(), "Bergen", "Bryggen", "02:00", {{"CodiceGuida", "01"}});
    ASSERT_TRUE(frm->cmdTrasferisce->isEnabled());
    dialoghi.risposte = {Risposta::Si};
    frm->cmdTrasferisce->click();
    EXPECT_EQ(frm->mfgTab.testo(2, 7), QStringLiteral("00:02:00"));
}

}  // namespace

namespace {

TEST_F(ItinerarioFinestra, CalcolaMostraLaZavetraESbloccaRidaLeTappe) {
    frm->cmdItinerario->click();
    inserisci(QStringLiteral("OSLO"), QStringLiteral("10"));
    inserisci(QStringLiteral("LILLEHAMMER"), QStringLiteral("180"));
    inserisci(QStringLiteral("TRONDHEIM"), QStringLiteral("360"));
    dialoghi.risposte = {Risposta::Si};
    frm->cmdFine->click();
    ASSERT_EQ(tappeMemorizzate(), 3);

    const QString progressivi = frm->mfgTab.testo(3, 5);
    ASSERT_TRUE(frm->cmdCalcola->isEnabled());
    frm->cmdCalcola->click();
    EXPECT_EQ(frm->cmdCalcola->text(), QStringLiteral("&Sblocca"));
    EXPECT_TRUE(frm->zavetraVisualizzata);
    EXPECT_FALSE(frm->cmdNuovo->isEnabled());  // only compute and print while a schedule is shown
    EXPECT_TRUE(frm->cmdStampa->isEnabled());
    EXPECT_EQ(frm->cmdEsce->text(), QStringLiteral("&Esce"));
    // The schedule is in the grid: the day columns are filled and the end of the trip is known.
    EXPECT_FALSE(frm->mfgTab.testo(1, 10).isEmpty());
    EXPECT_FALSE(frm->txtFine[0]->text().isEmpty());

    frm->cmdCalcola->click();  // "&Sblocca"
    EXPECT_EQ(frm->cmdCalcola->text(), QStringLiteral("&Calcola"));
    EXPECT_FALSE(frm->zavetraVisualizzata);
    EXPECT_EQ(frm->mfgTab.testo(2, 1), QStringLiteral("LILLEHAMMER"));
    EXPECT_EQ(frm->mfgTab.testo(3, 5), progressivi);
    EXPECT_TRUE(frm->cmdNuovo->isEnabled());
}

TEST_F(ItinerarioFinestra, RicalcolaNonPerdeLeTappeNonSalvate) {
    frm->cmdItinerario->click();
    inserisci(QStringLiteral("OSLO"), QStringLiteral("10"));
    inserisci(QStringLiteral("BERGEN"), QStringLiteral("460"));
    inserisci(QStringLiteral("STAVANGER"), QStringLiteral("210"));
    ASSERT_TRUE(frm->cmdRicalcola->isEnabled());
    frm->cmdRicalcola->click();
    EXPECT_EQ(frm->cmdCalcola->text(), QStringLiteral("&Sblocca"));
    EXPECT_EQ(tappeMemorizzate(), 0);

    frm->cmdCalcola->click();
    EXPECT_EQ(frm->mfgTab.testo(3, 1), QStringLiteral("STAVANGER"));
    EXPECT_EQ(tappeMemorizzate(), 0);
}

}  // namespace

namespace {

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
