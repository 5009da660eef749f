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
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("Zavetra (v. 1.0.0, Voviva) by Tutti i diritti riservati"));
    EXPECT_TRUE(frm->lblPercorso->text().endsWith(QStringLiteral("Voviva.mdb")));
    EXPECT_TRUE(QFile::exists(cartella.filePath("Voviva.mdb")));

    // No trip: new and exit only, nothing of the itinerary, no conversion.
    EXPECT_TRUE(frm->codiceCorrente.isEmpty());
    EXPECT_EQ(frm->modoPrincipale, QStringLiteral("NuImEs"));
    EXPECT_EQ(abilitatiMeta(), (QStringList{"cmdNuovo", "cmdEsce"}));
    EXPECT_FALSE(frm->cmdInserisce->isEnabled());
    EXPECT_TRUE(frm->cmdConverte->isHidden());
    EXPECT_EQ(frm->cmdEsce->text(), QStringLiteral("&Esce"));

    // Empty trip boxes, factory parameters, start now at the quarter hour.
    EXPECT_TRUE(frm->txtLocalita->text().isEmpty());
    EXPECT_TRUE(frm->txtNazione->text().isEmpty());
    EXPECT_TRUE(frm->txtCodice->text().isEmpty());
    const BoxMeta b = frm->LeggiBox();
    EXPECT_EQ(b.cmbMediaKm, (std::array<QString, 4>{"75", "65", "50", "30"}));
    EXPECT_EQ(b.cmbOra, (std::array<QString, 9>{"09", "12", "20", "22", "02", "01", "09", "18", "06"}));
    EXPECT_EQ(b.cmbMin, (std::array<QString, 9>{"00", "30", "00", "30", "30", "45", "00", "00", "00"}));
    EXPECT_EQ(b.cmbRipM, "15");
    EXPECT_EQ(b.cmbRipH, "03");
    EXPECT_EQ(b.cmbRipG, "01");
    EXPECT_EQ(b.cmbRipGG, "05");
    EXPECT_EQ(b.cmbSoste, QStringLiteral("3 - Entrambe"));
    EXPECT_EQ(b.cmbRange, "15");
    EXPECT_EQ(b.cmbInizio, (std::array<QString, 5>{"14", "05", "2024", "10", "45"}));

    // The lists the boxes offer.
    EXPECT_EQ(frm->cmbInizio[0]->count(), 31);
    EXPECT_EQ(voci(frm->cmbInizio[2]).first(), "1998");
    EXPECT_EQ(voci(frm->cmbInizio[2]).last(), "2029");
    EXPECT_EQ(voci(frm->cmbOra[2]), (QStringList{"18", "19", "20", "21"}));
    EXPECT_EQ(voci(frm->cmbRange), (QStringList{"00", "05", "10", "15", "20", "25", "30", "45", "60"}));
    EXPECT_EQ(voci(frm->cmbSoste).size(), 6);
    EXPECT_EQ(voci(frm->cmbMediaKm[3]).first(), "020");

    // Object names follow the control names, arrays with their index.
    EXPECT_EQ(frm->findChild<QComboBox*>("cmbOra_3"), frm->cmbOra[3]);
    EXPECT_EQ(frm->findChild<QLineEdit*>("txtFine_6"), frm->txtFine[6]);
    EXPECT_NE(frm->findChild<QLabel*>("lblElaborazione"), nullptr);
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
    QFile f(cartella.filePath("Voviva.mdb"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(dati);
    f.close();
    frm = std::make_unique<FrmMain>(cartella.path(), dialoghi, orologio);
    try {
        frm->Form_Load();
        ADD_FAILURE() << "no error";
    } catch (const ErroreApertura& e) {
        EXPECT_TRUE(e.messaggio().startsWith("Errore apertura database ")) << e.messaggio().toStdString();
    }
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), dati);
}

TEST_F(FrmMainTest, ConverteSoloConVecchiDati) {
    QFile f(cartella.filePath("CampMete.dat"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    avvia();
    EXPECT_FALSE(frm->cmdConverte->isHidden());
    EXPECT_TRUE(frm->cmdConverte->isEnabled());
}

TEST_F(FrmMainTest, SalvaNuovaEMetaCorrenteAlRiavvio) {
    avvia();
    salvaNuova("PARIGI", "FRANCIA");
    ASSERT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_EQ(dialoghi.mostrati[0].testo, QStringLiteral("Confermi inserimento meta?"));
    EXPECT_EQ(frm->txtCodice->text(), "000001");
    EXPECT_EQ(frm->codiceCorrente, "000001");
    EXPECT_EQ(campoMeta("000001", "Nazione"), QStringLiteral("FRANCIA "));
    EXPECT_EQ(campoMeta("000001", "OraInizio"), QStringLiteral("1045"));
    EXPECT_EQ(campoMeta("000001", "Coefficiente"), QStringLiteral("0"));
    EXPECT_EQ(frm->modoPrincipale, QStringLiteral("all"));
    EXPECT_TRUE(frm->cmdCancMeta->isEnabled());

    // A second start shows the trip again, with every command.
    frm.reset();
    avvia();
    EXPECT_EQ(frm->txtLocalita->text(), "PARIGI");
    EXPECT_EQ(frm->txtNazione->text(), "FRANCIA ");
    EXPECT_EQ(frm->txtCodice->text(), "000001");
    EXPECT_EQ(frm->modoPrincipale, QStringLiteral("all"));
    EXPECT_TRUE(frm->cmdRicerca->isEnabled());
}

TEST_F(FrmMainTest, SalvaRinunciataNonMemorizzaNiente) {
    avvia();
    frm->cmdNuovo->click();
    frm->txtLocalita->setText("PARIGI");
    frm->txtNazione->setText("FRANCIA");
    dialoghi.risposte = {Risposta::No};
    frm->cmdSalva->click();
    EXPECT_EQ(meteConCodice("000001"), 0);
    EXPECT_TRUE(frm->txtCodice->text().isEmpty());
    EXPECT_EQ(frm->txtLocalita->text(), "PARIGI");
}

TEST_F(FrmMainTest, CampiObbligatori) {
    avvia();
    frm->cmdNuovo->click();
    frm->txtNazione->setText("FRANCIA");
    frm->cmdSalva->click();
    frm->txtLocalita->setText("PARIGI");
    frm->txtNazione->setText("   ");
    frm->cmdSalva->click();
    EXPECT_EQ(dialoghi.testiMostrati(),
              (QStringList{"Campo Località: obbligatorio!", "Campo Nazione: obbligatorio!"}));
    EXPECT_EQ(meteConCodice("000001"), 0);
}

TEST_F(FrmMainTest, SalvaEsistentePerLocalitaECodiceLiberoPiuBasso) {
    avvia();
    salvaNuova("PARIGI", "FRANCIA");
    salvaNuova("BERLINO", "GERMANIA");
    salvaNuova("VIENNA", "AUSTRIA");
    salvaNuova("PRAGA", "CECHIA");
    EXPECT_EQ(frm->txtCodice->text(), "000004");

    // Same locality, other case, after "Nuovo": the stored trip is changed, not doubled.
    dialoghi.mostrati.clear();
    frm->cmdNuovo->click();
    frm->txtLocalita->setText("parigi");
    frm->txtNazione->setText("FRANCIA DEL NORD");
    dialoghi.risposte = {Risposta::Si};
    frm->cmdSalva->click();
    EXPECT_EQ(dialoghi.mostrati.value(0).titolo, QStringLiteral("Modifica dati mèta"));
    EXPECT_EQ(frm->txtCodice->text(), "000001");
    EXPECT_EQ(campoMeta("000001", "Nazione"), QStringLiteral("FRANCIA DEL NORD "));
    EXPECT_EQ(db().conta(Query::di("MeteCamper")), 4);

    // Delete the third trip, picked from the list: the next new trip takes its code.
    scegli("VIENNA");
    EXPECT_EQ(frm->txtCodice->text(), "000003");
    dialoghi.risposte = {Risposta::Si};
    frm->cmdCancMeta->click();
    EXPECT_EQ(meteConCodice("000003"), 0);
    EXPECT_EQ(frm->codiceCorrente, "000004");
    salvaNuova("LISBONA", "PORTOGALLO");
    EXPECT_EQ(frm->txtCodice->text(), "000003");
    EXPECT_EQ(campoMeta("000003", "Localita"), "LISBONA");
}

TEST_F(FrmMainTest, AutostradaInMinuscoloEInFondoAllaRicerca) {
    avvia();
    dialoghi.mostrati.clear();
    frm->cmdRicerca_Click();
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Nessuna mèta nel database!"});

    salvaNuova("AUTOSTRADA DEL SOLE", "ITALIA");
    EXPECT_EQ(frm->txtLocalita->text(), QStringLiteral("autostrada del sole"));
    salvaNuova("BERLINO", "GERMANIA");
    salvaNuova("AMSTERDAM", "OLANDA");
    salvaNuova("L'AQUILA 50% _A*?", "ITALIA");

    frm->cmdRicerca->click();
    EXPECT_FALSE(frm->cmbRicerca->isHidden());
    EXPECT_EQ(voci(frm->cmbRicerca),
              (QStringList{"AMSTERDAM", "BERLINO", "L'AQUILA 50% _A*?", "autostrada del sole"}));
    // While the list is open only new and exit are allowed.
    EXPECT_EQ(abilitatiMeta(), (QStringList{"cmdNuovo", "cmdEsce"}));

    const int i = frm->cmbRicerca->findText("L'AQUILA 50% _A*?");
    emit frm->cmbRicerca->activated(i);
    EXPECT_TRUE(frm->cmbRicerca->isHidden());
    EXPECT_EQ(frm->txtLocalita->text(), "L'AQUILA 50% _A*?");
    EXPECT_EQ(frm->txtCodice->text(), "000004");
    EXPECT_EQ(frm->modoPrincipale, QStringLiteral("all"));
    EXPECT_TRUE(frm->cmdCancMeta->isEnabled());
}

TEST_F(FrmMainTest, CancellaMetaConLaSuaDomanda) {
    avvia();
    salvaNuova("PARIGI", "FRANCIA");
    salvaNuova("BERLINO", "GERMANIA");
    aggiungiTappa("000002", 1, "BERLINO");
    aggiungiTappa("000002", 2, "POTSDAM");

    dialoghi.mostrati.clear();
    dialoghi.risposte = {Risposta::No};
    frm->cmdCancMeta->click();
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Confermi annullamento meta?"});
    EXPECT_EQ(meteConCodice("000002"), 1);
    EXPECT_EQ(tappe("000002"), 2);

    dialoghi.risposte = {Risposta::Si};
    frm->cmdCancMeta->click();
    EXPECT_EQ(meteConCodice("000002"), 0);
    EXPECT_EQ(tappe("000002"), 0);
    EXPECT_EQ(frm->txtLocalita->text(), "PARIGI");
    EXPECT_EQ(frm->codiceCorrente, "000001");
    EXPECT_EQ(frm->modoPrincipale, QStringLiteral("all"));

    // The last trip gone: no deleted trip stays on screen, and only a new trip can be started.
    dialoghi.risposte = {Risposta::Si};
    frm->cmdCancMeta->click();
    EXPECT_EQ(db().conta(Query::di("MeteCamper")), 0);
    EXPECT_TRUE(frm->txtLocalita->text().isEmpty());
    EXPECT_TRUE(frm->txtCodice->text().isEmpty());
    EXPECT_EQ(frm->LeggiBox().cmbMediaKm[0], "75");
    EXPECT_EQ(abilitatiMeta(), (QStringList{"cmdNuovo", "cmdEsce"}));
}

TEST_F(FrmMainTest, CancellaItinerarioConLeSueDueDomande) {
    avvia();
    salvaNuova("PARIGI", "FRANCIA");
    aggiungiTappa("000001", 1, "PARIGI");
    aggiungiTappa("000001", 2, "DIGIONE");

    dialoghi.mostrati.clear();
    dialoghi.risposte = {Risposta::No};
    frm->cmdCancItin->click();
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Confermi annullamento itinerario?"});
    EXPECT_EQ(tappe("000001"), 2);

    dialoghi.mostrati.clear();
    dialoghi.risposte = {Risposta::Si, Risposta::No};
    frm->cmdCancItin->click();
    ASSERT_EQ(dialoghi.mostrati.size(), 2);
    EXPECT_EQ(dialoghi.mostrati[1].titolo, QStringLiteral("Annullamento itinerario"));
    EXPECT_EQ(tappe("000001"), 2);

    dialoghi.risposte = {Risposta::Si, Risposta::Si};
    frm->cmdCancItin->click();
    EXPECT_EQ(tappe("000001"), 0);
    EXPECT_EQ(meteConCodice("000001"), 1);
    EXPECT_EQ(frm->txtLocalita->text(), "PARIGI");
    EXPECT_EQ(frm->modoPrincipale, QStringLiteral("all"));
    EXPECT_TRUE(frm->cmdCancItin->isEnabled());
}

TEST_F(FrmMainTest, PulsantiDeiDatiDiDefault) {
    avvia();
    frm->cmbRipM->setEditText("30");
    dialoghi.risposte = {Risposta::Si};
    frm->cmdDefault[0]->click();
    EXPECT_EQ(dialoghi.testiMostrati(),
              (QStringList{"Vuoi salvare i dati di default?", "Operazione eseguita!"}));
    EXPECT_EQ(dialoghi.mostrati[0].titolo, QStringLiteral("Dati di default"));

    frm->cmbRipM->setEditText("45");
    dialoghi.risposte = {Risposta::No};
    frm->cmdDefault[1]->click();
    EXPECT_EQ(frm->cmbRipM->currentText(), "45");
    dialoghi.risposte = {Risposta::Si};
    frm->cmdDefault[1]->click();
    EXPECT_EQ(frm->cmbRipM->currentText(), "30");

    dialoghi.mostrati.clear();
    dialoghi.risposte = {Risposta::Si};
    frm->cmdDefault[2]->click();
    EXPECT_EQ(dialoghi.testiMostrati().value(0), QStringLiteral("Vuoi ripristinare i dati di default?"));
    EXPECT_EQ(frm->cmbRipM->currentText(), "15");

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

    // New-trip entry with a current trip: new, save, exit and search.
    frm->cmdNuovo->click();
    EXPECT_EQ(abilitatiMeta(), (QStringList{"cmdNuovo", "cmdRicerca", "cmdSalva", "cmdEsce"}));

    // While a schedule is shown only compute and print.
    frm->cmdCalcola->setText("&Sblocca");
    frm->modoPrincipale = "all";
    frm->AbilitaPulsantiComando();
    EXPECT_EQ(abilitatiMeta(), (QStringList{"cmdCalcola", "cmdStampa"}));
    EXPECT_EQ(frm->cmdCalcola->text(), "&Sblocca");
    frm->cmdCalcola->setText("&Calcola");

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

    // The Esc key reaches the exit button only in the modes that allow it.
    frm->modoPrincipale = "NuRiEs";
    frm->AbilitaPulsantiComando();
    EXPECT_EQ(frm->cmdEsce->text(), "&Esce");
    EXPECT_EQ(frm->cmdEsce->toolTip(), "Esce dal form (Esc attivo)");
    frm->modoPrincipale = "all";
    frm->AbilitaPulsantiComando();
    EXPECT_EQ(frm->cmdEsce->toolTip(), "Esce dal form");
    EXPECT_TRUE(frm->cmdEsce->isDefault());

    // The itinerary insertion panel shown: nothing.
    frm->frmItinerario->show();
    frm->AbilitaPulsantiComando();
    EXPECT_TRUE(abilitatiMeta().isEmpty());
    frm->frmItinerario->hide();

    // Itinerary mode "all" enables the itinerary row but the editing frame's commands.
    frm->modoItinerario = "all";
    frm->AbilitaPulsantiComando();
    EXPECT_FALSE(frm->cmdInserisce->isEnabled());
    EXPECT_TRUE(frm->cmdTrasferisce->isEnabled());
    EXPECT_FALSE(frm->cmdCerca->isEnabled());
    EXPECT_TRUE(frm->cmdMapPoint->isEnabled());
}

TEST_F(FrmMainTest, UscitaConConferma) {
    avvia();
    frm->show();
    dialoghi.risposte = {Risposta::No};
    frm->cmdEsce->click();
    EXPECT_TRUE(frm->isVisible());
    EXPECT_TRUE(db().aperto());

    // Closing the window asks the same question.
    dialoghi.risposte = {Risposta::No};
    frm->close();
    EXPECT_TRUE(frm->isVisible());

    dialoghi.mostrati.clear();
    dialoghi.risposte = {Risposta::Si};
    frm->cmdEsce->click();
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Vuoi chiudere la procedura?"});
    EXPECT_EQ(dialoghi.mostrati[0].titolo, QStringLiteral("Fine Lavoro"));
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
    EXPECT_FLOAT_EQ(frm->valori().OraColazione, 1150.f);  // the change handler keeps the value
    frm->cmbOra_LostFocus();
    EXPECT_EQ(frm->cmbOra[0]->currentText(), "00");
    EXPECT_EQ(frm->cmbMin[0]->currentText(), "30");
    EXPECT_FLOAT_EQ(frm->valori().OraColazione, 50.f);

    // Start month changed: the day list follows it.
    frm->cmbInizio[0]->setEditText("31");
    frm->cmbInizio[1]->setEditText("01");
    frm->cmbInizio[2]->setEditText("2024");
    frm->cmbInizio_Click(0);
    EXPECT_EQ(frm->cmbInizio[0]->count(), 31);
    frm->cmbInizio[1]->setEditText("02");
    frm->cmbInizio_Click(1);
    EXPECT_EQ(voci(frm->cmbInizio[0]).last(), "29");
    EXPECT_EQ(frm->cmbInizio[0]->currentText(), "29");
    EXPECT_EQ(frm->txtInizioGSett->text(), QStringLiteral("Gio"));
}

TEST_F(FrmMainTest, HelpEProgresso) {
    avvia();
    frm->cmdHelpTt->click();
    frm->cmdHelpGenerico->click();
    ASSERT_EQ(dialoghi.mostrati.size(), 2);
    EXPECT_TRUE(
        dialoghi.mostrati[0].testo.startsWith("Istruzioni di base sui dai relativi ai Tempi tecnici "
                                              "giornalieri/Riposi/Visite, ecc.:\r\n\r\nIndicare:"));
    EXPECT_EQ(dialoghi.mostrati[1].pulsanti, Pulsanti::Ok);

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
    {
        RowSet r = db().apriTabella(QStringLiteral("Itinerari"));
        const char* luoghi[] = {"OSLO [Start]", "TRONDHEIM", "CAPO NORD [End]"};
        const char* km[] = {"0", "500", "1500"};
        for (int i = 0; i < 3; ++i) {
            r.aggiungi();
            r.imposta(QStringLiteral("CodiceMeta"), codice);
            r.imposta(QStringLiteral("Sequenza"), QStringLiteral("000%1").arg(i + 1));
            r.imposta(QStringLiteral("Localita"), QString::fromUtf8(luoghi[i]));
            r.imposta(QStringLiteral("Chilometri"), QString::fromUtf8(km[i]));
            r.imposta(QStringLiteral("TipoStrada"), QStringLiteral("A"));
            r.memorizza();
        }
    }
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
    {
        RowSet r = db().apriTabella(QStringLiteral("Itinerari"));
        r.aggiungi();
        r.imposta(QStringLiteral("CodiceMeta"), frm->txtCodice->text());
        r.imposta(QStringLiteral("Sequenza"), QStringLiteral("0001"));
        r.imposta(QStringLiteral("Localita"), QStringLiteral("BERGEN [Start]"));
        r.imposta(QStringLiteral("Chilometri"), QStringLiteral("10"));
        r.imposta(QStringLiteral("TipoStrada"), QStringLiteral("A"));
        r.memorizza();
    }
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
    {
        RowSet r = db().apriTabella(QStringLiteral("GuidaCitta"));
        r.aggiungi();
        r.imposta(QStringLiteral("Localita"), QStringLiteral("Bergen"));
        r.imposta(QStringLiteral("CodiceGuida"), QStringLiteral("01"));
        r.imposta(QStringLiteral("Descrizione"), QStringLiteral("Bryggen"));
        r.imposta(QStringLiteral("TempoSosta"), QStringLiteral("02:00"));
        r.memorizza();
    }
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
        RowSet meta = a.dati().apriTabella(QStringLiteral("MeteCamper"));
        meta.aggiungi();
        meta.imposta(QStringLiteral("CodiceMeta"), QStringLiteral("000001"));
        meta.imposta(QStringLiteral("Localita"), QStringLiteral("LOFOTEN"));
        meta.imposta(QStringLiteral("Coefficiente"), QStringLiteral("0"));
        meta.memorizza();
        RowSet tappe = a.dati().apriTabella(QStringLiteral("Itinerari"));
        for (int i = 1; i <= 200; ++i) {
            tappe.aggiungi();
            tappe.imposta(QStringLiteral("CodiceMeta"), QStringLiteral("000001"));
            tappe.imposta(QStringLiteral("Sequenza"), QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')));
            tappe.imposta(QStringLiteral("Localita"), QStringLiteral("TAPPA %1").arg(i));
            tappe.imposta(QStringLiteral("Chilometri"), QStringLiteral("120"));
            tappe.imposta(QStringLiteral("TipoStrada"), QStringLiteral("P"));
            tappe.memorizza();
        }
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
