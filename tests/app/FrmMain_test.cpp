// The main window driven headless: each trip and itinerary button and each side panel reaches its
// logic with scripted answers, the result reaches the boxes and the grid, the modes come back when a
// panel closes, a failing write is shown with nothing lost, and unsaved work is asked for.  The
// rules themselves are tested where they live.  The schedule print goes once all the way to the
// real logbook program.
#include "app/FrmMain.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <functional>
#include <memory>

#include "ProgrammaTest.h"
#include "SqlDiretto.h"
#include "common/Dialoghi.h"
#include "common/Orologio.h"
#include "common/Progresso.h"
#include "common/StampaTesti.h"
#include "common/ui/GrigliaModello.h"
#include "common/ui/TabellaGriglia.h"
#include "exchange/Esporta.h"
#include "exchange/ui/PannelloScambio.h"
#include "guide/ui/PannelloGuida.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/ui/PannelloDuplica.h"
#include "itinerary/ui/PannelloTappe.h"
#include "legacy/VecchiFile.h"
#include "logbook/BatchModuli.h"
#include "logbook/CicloStampa.h"
#include "logbook/ComandoModuli.h"
#include "printing/ui/PannelloStampanti.h"
#include "reports/ui/PannelloStampaGuida.h"
#include "reports/ui/PannelloStampaZavetra.h"
#include "routeimport/ui/PannelloTratto.h"
#include "trips/Modi.h"
#include "trips/ui/ProgressoFinestra.h"

namespace {

const QString kSalvaItinerario = QStringLiteral("Vuoi salvare l'itinerario?");
const QString kSalvaMeta = QStringLiteral("Vuoi salvare le modifiche alla mèta?");
const QString kChiudi = QStringLiteral("Vuoi chiudere la procedura?");
const QStringList kSud{"MILANO [Start]|0|A", "ROMA|600|A", "NAPOLI|230|P", "SALERNO [End]|60|P"};

class FrmMainTest : public ::testing::Test {
  protected:
    QTemporaryDir radice;
    QString cartella = radice.path();  // the data directory of the window
    int avvii = 0;
    DialoghiScriptati dialoghi;
    OrologioFisso orologio{QDateTime(QDate(2024, 5, 14), QTime(10, 52))};
    std::unique_ptr<FrmMain> frm;

    // The window on the data directory; a new one reads what the last one stored.
    void avvia() {
        frm.reset();
        frm = std::make_unique<FrmMain>(cartella, dialoghi, orologio);
        frm->Form_Load();
        dialoghi.mostrati.clear();
    }
    // A new data directory with the trips stored, each a locality and its legs (the last one is the
    // current trip), and whatever `prima` puts there; then the window on it, shown.
    void avviaSu(const QList<QPair<QString, QStringList>>& mete,
                 const std::function<void(const QDir&)>& prima = {}) {
        cartella = radice.filePath(QStringLiteral("dati%1").arg(++avvii));
        ASSERT_TRUE(QDir().mkpath(cartella));
        if (prima) prima(QDir(cartella));
        {
            Archivio a(cartella);
            a.AvviaDatabase();
            for (int n = 1; n <= mete.size(); ++n) {
                const QString codice = QString::number(n).rightJustified(6, '0');
                prova::Meta(a, codice, mete[n - 1].first, mete[n - 1].second);
                SalvaIlCodiceMetaCorrente(codice, a);
            }
        }
        avvia();
        frm->show();
    }
    // A new trip typed into the window and saved through the buttons, confirmation answered Yes.
    void salvaNuova(const QString& localita, const QString& nazione) {
        frm->cmdNuovo->click();
        frm->txtLocalita->setText(localita);
        frm->txtNazione->setText(nazione);
        dialoghi.risposte = {Risposta::Si};
        frm->cmdSalva->click();
    }
    // TOSCANA (000001, no legs) and CAPO NORD (000002, three legs, current), the window started on them.
    void dueMete() {
        avvia();
        salvaNuova("TOSCANA", "ITALIA");
        salvaNuova("CAPO NORD", "NORVEGIA");
        test::tappa(db(), "000002", "0001", "OSLO [Start]", "0");
        test::tappa(db(), "000002", "0002", "BERGEN", "460", {{"TipoStrada", "P"}});
        test::tappa(db(), "000002", "0003", "NORDKAPP [End]", "900", {{"TipoStrada", "A"}});
        avvia();
    }
    // A leg typed into the open editing frame after the row clicked, inserted with the window's button.
    void inserisci(const QString& tappa, const QString& km, int dopo = 0) {
        PannelloTappe* p = frm->pannelloTappe;
        if (dopo > 0) p->mfgTab_Click(dopo);
        p->txtTappa->setText(tappa);
        p->txtKm->setText(km);
        p->optStrada[0]->setChecked(true);
        ASSERT_TRUE(frm->cmdInserisce->isEnabled());
        frm->cmdInserisce->click();
    }
    // A fourth leg of CAPO NORD typed into the editing frame: the grid changes, the database not.
    void aggiungiTappa() {
        frm->cmdItinerario->click();
        inserisci("HONNINGSVAG", "30", 4);
        ASSERT_EQ(tappa(4), "HONNINGSVAG");
    }
    void scegli(const QString& localita) {
        frm->cmdRicerca->click();
        const int i = frm->cmbRicerca->findText(localita);
        ASSERT_GE(i, 0);
        emit frm->cmbRicerca->activated(i);
    }
    // Answers the next questions and clicks; the questions shown are returned.
    QStringList clic(QAbstractButton* b, const QList<Risposta>& risposte = {}) {
        dialoghi.mostrati.clear();
        dialoghi.risposte = risposte;
        b->click();
        return dialoghi.testiMostrati();
    }

    Database& db() { return frm->archivio().dati(); }
    QString tappa(int riga) const { return frm->mfgTab.testo(riga, 1); }
    int tappe(const QString& codice) { return db().conta(Query::di("Itinerari").dove("CodiceMeta", codice)); }
    QString campoMeta(const QString& codice, const QString& campo) {
        RowSet r = db().apriRowSet(Query::di("MeteCamper").dove("CodiceMeta", codice));
        return r.fine() ? QStringLiteral("<nessuna>") : r.testo(campo);
    }
    // The legs in the grid, then how many the current trip has stored, and "+" while the editing
    // frame is open: "OSLO,BERGEN|1+".
    QString itinerario() {
        QStringList t;
        for (int r = 1; !tappa(r).isEmpty(); ++r) t << tappa(r);
        return t.join(',') + '|' + QString::number(tappe(frm->codiceCorrente)) +
               (frm->frmItinerario->isHidden() ? "" : "+");
    }
    int tappeMostrate() const { return UltimaRigaTappa(frm->mfgTab); }
    // A click on the grid row riga (1 = first leg) as the view reports it.
    void clicGriglia(int riga) {
        emit frm->tabItinerario->clicked(
            frm->tabItinerario->model()->index(frm->tabItinerario->modello()->rigaModello(riga), ColTappa));
    }
    QStringList abilitati() const {
        QStringList l;
        for (const auto& elenco : {PulsantiMeta(), PulsantiItinerario()})
            for (const DefinizionePulsante& d : elenco)
                if (frm->findChild<QPushButton*>(d.nome)->isEnabled()) l << d.nome;
        return l;
    }
};

TEST_F(FrmMainTest, PrimoAvvioSalvataggioERicerca) {
    avvia();
    EXPECT_TRUE(frm->lblPercorso->text().endsWith("Voviva.mdb"));
    EXPECT_TRUE(QFile::exists(QDir(cartella).filePath("Voviva.mdb")));
    EXPECT_EQ(abilitati(), (QStringList{"cmdNuovo", "cmdEsce"}));
    EXPECT_TRUE(frm->cmdConverte->isHidden());
    EXPECT_EQ(frm->LeggiBox().cmbInizio, (std::array<QString, 5>{"14", "05", "2024", "10", "45"}));

    salvaNuova("PARIGI", "FRANCIA");
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Confermi inserimento meta?"});
    EXPECT_EQ(frm->txtCodice->text(), "000001");
    EXPECT_EQ(campoMeta("000001", "OraInizio"), "1045");  // the boxes reach the row
    EXPECT_EQ(frm->modoPrincipale, "all");
    salvaNuova("BERLINO", "GERMANIA");
    avvia();
    EXPECT_EQ(frm->txtLocalita->text(), "BERLINO");
    frm->cmdRicerca->click();
    EXPECT_EQ(frm->cmbRicerca->count(), 2);
    scegli("PARIGI");
    EXPECT_TRUE(frm->cmbRicerca->isHidden());
    EXPECT_EQ(frm->txtNazione->text() + frm->txtCodice->text(), "FRANCIA 000001");
}

TEST_F(FrmMainTest, CancellaMetaEItinerarioConLeLoroDomande) {
    dueMete();
    EXPECT_EQ(tappa(3), "NORDKAPP [End]");  // the stored legs reach the grid and the totals
    EXPECT_EQ(frm->txtKmTot[4]->text(), "1.360");
    clic(frm->cmdCancItin, {Risposta::Si, Risposta::Si});
    EXPECT_EQ(tappe("000002"), 0);
    EXPECT_EQ(frm->txtLocalita->text(), "CAPO NORD");

    EXPECT_EQ(clic(frm->cmdCancMeta, {Risposta::No}), QStringList{"Confermi annullamento meta?"});
    EXPECT_EQ(campoMeta("000002", "Localita"), "CAPO NORD");
    clic(frm->cmdCancMeta, {Risposta::Si});
    EXPECT_EQ(campoMeta("000002", "Localita"), "<nessuna>");
    EXPECT_EQ(frm->txtLocalita->text(), "TOSCANA");
    // The last trip gone: no deleted trip stays on screen, and only a new trip can be started.
    clic(frm->cmdCancMeta, {Risposta::Si});
    EXPECT_TRUE(frm->txtCodice->text().isEmpty());
    EXPECT_EQ(abilitati(), (QStringList{"cmdNuovo", "cmdEsce"}));
}

TEST_F(FrmMainTest, PulsantiDeiDatiDiDefaultEProgresso) {
    avvia();
    frm->cmbRipH->setEditText("06");
    clic(frm->cmdDefault[0], {Risposta::Si});  // save
    frm->cmbRipH->setEditText("01");
    clic(frm->cmdDefault[1], {Risposta::Si});  // load
    EXPECT_EQ(frm->cmbRipH->currentText(), "06");
    clic(frm->cmdDefault[2], {Risposta::Si});  // factory values
    EXPECT_EQ(frm->cmbRipH->currentText(), "03");

    Progresso& p = frm->progresso();
    const int eventi = dialoghi.eventiEseguiti;
    // Within a few milliseconds of letting events run, a moved bar keeps what it shows and a
    // caption is written without running them again.
    p.posizione(3, 12);
    p.posizione(4, 12);
    p.didascalia("Calcolo in corso");
    EXPECT_EQ(frm->lblElaborazione->text(), "Calcolo in corso");
    EXPECT_EQ(std::pair(frm->barElaborazione->value(), frm->barElaborazione->maximum()), std::pair(3, 12));
    EXPECT_EQ(dialoghi.eventiEseguiti, eventi + 1);
    p.azzera();
    EXPECT_EQ(frm->barElaborazione->value(), 0);
    EXPECT_TRUE(frm->lblElaborazione->text().isEmpty());
}

TEST_F(FrmMainTest, ScritturaFallitaMostraIlMessaggioETieneIBox) {
    dueMete();
    // Another connection makes every change and deletion of a trip fail.
    const QString file = QDir(cartella).filePath("Voviva.mdb");
    ASSERT_TRUE(test::eseguiSql(file,
                                "CREATE TRIGGER blocca BEFORE UPDATE ON MeteCamper "
                                "BEGIN SELECT RAISE(ABORT, 'scrittura bloccata'); END;"
                                "CREATE TRIGGER bloccaCanc BEFORE DELETE ON MeteCamper "
                                "BEGIN SELECT RAISE(ABORT, 'cancellazione bloccata'); END;"));
    frm->txtNazione->setText("NORGE");
    frm->cmbRipM->setEditText("45");
    ASSERT_EQ(clic(frm->cmdSalva, {Risposta::Si}).size(), 2);
    EXPECT_TRUE(dialoghi.mostrati[1].testo.contains("scrittura bloccata"))
        << dialoghi.mostrati[1].testo.toStdString();
    EXPECT_EQ(dialoghi.mostrati[1].icona, Icona::Critico);
    EXPECT_EQ(frm->txtNazione->text() + frm->cmbRipM->currentText(), "NORGE45");
    EXPECT_EQ(campoMeta("000002", "Nazione"), "NORVEGIA ");
    EXPECT_TRUE(clic(frm->cmdCancMeta, {Risposta::Si}).last().contains("cancellazione bloccata"));
    EXPECT_EQ(campoMeta("000002", "Localita"), "CAPO NORD");
    EXPECT_TRUE(frm->cmdNuovo->isEnabled());

    // Once the file accepts writes again, the same boxes save.
    ASSERT_TRUE(test::eseguiSql(file, "DROP TRIGGER blocca; DROP TRIGGER bloccaCanc;"));
    frm->txtNazione->setText("NORGE");
    clic(frm->cmdSalva, {Risposta::Si});
    EXPECT_EQ(campoMeta("000002", "Nazione"), "NORGE ");
}

// The key filters and the checks run on leaving a box; the corrections themselves are trips/'s.
TEST_F(FrmMainTest, FiltriDeiTastiEControlliSulleUscite) {
    avvia();
    test::digita(frm->txtLocalita, "capo nord");
    frm->cmbMediaKm[1]->setEditText("");
    test::digita(frm->cmbMediaKm[1], "8x5");
    frm->cmbMediaKm[0]->setEditText("0");
    frm->cmbMediaKm_LostFocus(0);
    EXPECT_EQ(frm->txtLocalita->text() + '|' + frm->cmbMediaKm[1]->currentText() + '|' +
                  frm->cmbMediaKm[0]->currentText(),
              "CAPO NORD|85|050");

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
    EXPECT_EQ(frm->cmbInizio[0]->currentText() + frm->txtInizioGSett->text(), "29Gio");

    // Desired days: the usual editing keys, typing replaces the selection, three digits once left.
    QLineEdit* giorni = frm->cmbGiorni->lineEdit();
    frm->cmbGiorni->setEditText("007");
    QKeyEvent tutto(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, "\x01");
    QApplication::sendEvent(giorni, &tutto);
    test::digita(giorni, "2x5");
    test::premi(giorni, Qt::Key_Backspace);
    EXPECT_EQ(frm->cmbGiorni->currentText(), "2");
    QFocusEvent uscita(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(giorni, &uscita);
    EXPECT_EQ(frm->cmbGiorni->currentText(), "002");
}

// Legs written into the rows are shown but not stored until saved: Cancel stays in the frame, Yes
// stores; "Salva Reset" restores the stored legs, or saves; leaving with No drops the new leg.
TEST_F(FrmMainTest, ItinerarioSalvatoRipristinatoOAbbandonato) {
    avvia();
    salvaNuova("CAPO NORD", "NORVEGIA");
    frm->cmdItinerario->click();
    // The panel's own copies of the row buttons stay out of sight.
    EXPECT_EQ(frm->findChildren<QPushButton*>("cmdInserisce").size(), 1);
    inserisci("OSLO", "10");
    inserisci("LILLEHAMMER", "180");
    EXPECT_EQ(frm->txtKmTot[4]->text(), "190");
    clic(frm->cmdFine, {Risposta::Annulla});
    EXPECT_EQ(itinerario(), "OSLO,LILLEHAMMER|0+");
    clic(frm->cmdFine, {Risposta::Si});
    EXPECT_EQ(itinerario(), "OSLO,LILLEHAMMER|2");
    EXPECT_TRUE(frm->cmdNuovo->isEnabled());

    frm->cmdItinerario->click();
    inserisci("BERGEN", "460", 3);
    clic(frm->cmdMemorizza, {Risposta::No, Risposta::Si});  // no save, restore the stored legs
    EXPECT_EQ(itinerario(), "OSLO,LILLEHAMMER|2+");
    inserisci("BERGEN", "460", 3);
    clic(frm->cmdFine, {Risposta::No});  // leave without saving
    EXPECT_EQ(itinerario(), "OSLO,LILLEHAMMER|2");
    frm->cmdItinerario->click();
    inserisci("TROMSO", "900", 3);
    EXPECT_EQ(clic(frm->cmdMemorizza, {Risposta::Si}), QStringList{kSalvaItinerario});
    EXPECT_EQ(itinerario(), "OSLO,LILLEHAMMER,TROMSO|3");  // saved, editing left
}

// Compute shows the schedule and locks the trip; unlock gives the legs back.  Legs changed before
// the computation are still unsaved: the guide (which takes the grid) and the exit ask for them.
TEST_F(FrmMainTest, CalcolaESbloccaConTappeNonSalvate) {
    dueMete();
    const QString progressivi = frm->mfgTab.testo(3, 5);
    aggiungiTappa();
    frm->cmdRicalcola->click();
    EXPECT_EQ(frm->cmdCalcola->text(), "&Sblocca");
    EXPECT_TRUE(frm->zavetraVisualizzata);
    EXPECT_FALSE(frm->cmdNuovo->isEnabled());  // only compute and print while a schedule is shown
    EXPECT_FALSE(frm->mfgTab.testo(1, 10).isEmpty());
    EXPECT_FALSE(frm->txtFine[0]->text().isEmpty());
    frm->cmdCalcola->click();  // "&Sblocca"
    EXPECT_EQ(frm->cmdCalcola->text(), "&Calcola");
    EXPECT_EQ(frm->mfgTab.testo(3, 5), progressivi);
    EXPECT_TRUE(frm->cmdNuovo->isEnabled());
    EXPECT_EQ(clic(frm->cmdGuidaCitta, {Risposta::Annulla}), QStringList{kSalvaItinerario});
    EXPECT_TRUE(frm->pannelloGuida == nullptr || frm->pannelloGuida->isHidden());
    EXPECT_EQ(itinerario(), "OSLO [Start],BERGEN,NORDKAPP [End],HONNINGSVAG|3");
    frm->show();
    EXPECT_EQ(clic(frm->cmdEsce, {Risposta::Si}).value(0), kSalvaItinerario);
    EXPECT_FALSE(frm->isVisible());
    avvia();
    EXPECT_EQ(tappe("000002"), 4);
}

// Closing with unsaved legs: Cancel stays with the legs on screen, No closes without storing, Yes
// stores them; with nothing changed only the exit question comes, asked by the window's close too.
TEST_F(FrmMainTest, ChiusuraConTappeNonSalvate) {
    dueMete();
    aggiungiTappa();
    frm->show();
    dialoghi.risposte = {Risposta::Annulla};
    EXPECT_FALSE(frm->close());
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{kSalvaItinerario});
    EXPECT_EQ(dialoghi.mostrati[0].pulsanti, Pulsanti::SiNoAnnulla);
    EXPECT_EQ(itinerario(), "OSLO [Start],BERGEN,NORDKAPP [End],HONNINGSVAG|3+");
    dialoghi.risposte = {Risposta::No};
    EXPECT_TRUE(frm->close());
    avvia();
    EXPECT_EQ(itinerario(), "OSLO [Start],BERGEN,NORDKAPP [End]|3");

    aggiungiTappa();
    frm->show();
    dialoghi.risposte = {Risposta::Si};
    EXPECT_TRUE(frm->close());
    avvia();
    EXPECT_EQ(tappe("000002"), 4);

    frm->show();
    dialoghi.risposte = {Risposta::No};
    EXPECT_FALSE(frm->close());
    EXPECT_EQ(clic(frm->cmdEsce, {Risposta::Si}), QStringList{kChiudi});
    EXPECT_FALSE(frm->isVisible());
    EXPECT_FALSE(db().aperto());
}

// A leg deleted through the frame and saved; then the trip boxes changed: "Nuovo" or the pick of
// another trip asks; Cancel stays with the changes; Yes stores them first (after the usual
// confirmation) and empties boxes and grid; No shows the other trip without storing.
TEST_F(FrmMainTest, ModificheAllaMetaChiesteANuovoEACambioMeta) {
    dueMete();
    frm->cmdItinerario->click();
    frm->pannelloTappe->mfgTab_Click(3);
    frm->cmdCancella->click();
    clic(frm->cmdFine, {Risposta::Si});
    ASSERT_EQ(tappe("000002"), 2);

    frm->txtNazione->setText("NORGE");
    EXPECT_EQ(clic(frm->cmdNuovo, {Risposta::Annulla}), QStringList{kSalvaMeta});
    EXPECT_EQ(frm->txtNazione->text() + frm->txtCodice->text(), "NORGE000002");
    clic(frm->cmdNuovo, {Risposta::Si, Risposta::Si});
    EXPECT_EQ(campoMeta("000002", "Nazione"), "NORGE ");
    EXPECT_TRUE(frm->txtLocalita->text().isEmpty());
    EXPECT_TRUE(tappa(1).isEmpty());
    EXPECT_TRUE(clic(frm->cmdNuovo).isEmpty());  // a new trip has nothing to ask

    scegli("CAPO NORD");
    frm->txtNazione->setText("NORVEGIA");
    dialoghi.mostrati.clear();
    dialoghi.risposte = {Risposta::Annulla};
    scegli("TOSCANA");
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{kSalvaMeta});
    EXPECT_EQ(frm->txtCodice->text(), "000002");
    EXPECT_TRUE(frm->cmbRicerca->isHidden());
    dialoghi.risposte = {Risposta::No};
    scegli("TOSCANA");
    EXPECT_EQ(frm->txtCodice->text(), "000001");
    EXPECT_EQ(campoMeta("000002", "Nazione"), "NORGE ");
}

// Escape on the search list (its box or its open list) gives back the trip shown and its commands;
// so does leaving the guide, and no itinerary command works on a row without the editing frame.
// In the frame the guide's visit times are copied into the legs.
TEST_F(FrmMainTest, EscELaGuidaRidannoLoStatoDiPrima) {
    dueMete();
    const QStringList prima = abilitati();
    for (QWidget* w :
         {static_cast<QWidget*>(frm->cmbRicerca), static_cast<QWidget*>(frm->cmbRicerca->view())}) {
        frm->cmdRicerca->click();
        ASSERT_FALSE(frm->cmbRicerca->isHidden());
        ASSERT_FALSE(frm->cmdSalva->isEnabled());
        test::premi(w, Qt::Key_Escape);
        ASSERT_TRUE(frm->cmbRicerca->isHidden());
        EXPECT_EQ(abilitati(), prima);
    }
    EXPECT_EQ(tappa(3), "NORDKAPP [End]");

    frm->cmdGuidaCitta->click();
    ASSERT_TRUE(frm->pannelloGuida && frm->pannelloGuida->modoGuida());
    frm->pannelloGuida->cmdFineInserimento->click();
    EXPECT_EQ(abilitati(), prima);
    EXPECT_EQ(tappa(1), "OSLO [Start]");  // the grid given back
    // Even with the itinerary mode "all", the frame's commands wait for the frame.
    frm->modoItinerario = "all";
    frm->AbilitaPulsantiComando();
    for (QPushButton* b : {frm->cmdInserisce, frm->cmdCancella, frm->cmdFine, frm->cmdMemorizza})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    frm->cmdItinerario->click();
    EXPECT_TRUE(frm->cmdCancella->isEnabled() && frm->cmdInserisce->isEnabled());
    // The guide's visit times copied into the legs as stops.
    test::voceGuida(db(), "Bergen", "Bryggen", "02:00", {{"CodiceGuida", "01"}});
    clic(frm->cmdTrasferisce, {Risposta::Si});
    EXPECT_EQ(frm->mfgTab.testo(2, 7), "00:02:00");
}

// Every label, button and check box shows its whole text, at the smallest size and at full HD,
// with the leg frame and with the guide panel; the grid's "Note" column takes the extra room.
TEST_F(FrmMainTest, TestiInteriDa1280x720) {
    dueMete();
    auto tagliati = [this] {
        QStringList l;
        QApplication::processEvents();
        for (QWidget* w : frm->findChildren<QWidget*>()) {
            if (!w->isVisible() || w->window() != frm.get()) continue;
            const auto* etichetta = qobject_cast<QLabel*>(w);
            const auto* pulsante = qobject_cast<QAbstractButton*>(w);
            if (!(etichetta && !etichetta->wordWrap()) && !pulsante) continue;
            const QString t = etichetta ? etichetta->text() : pulsante->text();
            // A button given a fixed width ("[?]") is held to its text, not to the style's
            // minimum button width.
            const bool fissa = w->minimumWidth() == w->maximumWidth();
            const int serve =
                fissa ? w->fontMetrics().horizontalAdvance(QString(t).remove(QLatin1Char('&'))) + 8
                      : w->sizeHint().width();
            if (serve > w->width() || w->sizeHint().height() > w->height() + 2)
                l << QStringLiteral("%1|%2|%3>%4").arg(w->objectName(), t).arg(serve).arg(w->width());
        }
        return l;
    };
    frm->resize(1280, 720);
    frm->show();
    EXPECT_EQ(frm->size(), QSize(1280, 720));
    EXPECT_EQ(tagliati(), QStringList{});
    auto* tabella = frm->findChild<TabellaGriglia*>("mfgTab");
    const int note1280 = tabella->columnWidth(12);
    frm->cmdItinerario->click();
    EXPECT_EQ(tagliati(), QStringList{});
    clic(frm->cmdFine, {Risposta::No});
    frm->cmdGuidaCitta->click();
    EXPECT_EQ(tagliati(), QStringList{});
    frm->pannelloGuida->cmdFineInserimento->click();
    frm->resize(1920, 1080);
    EXPECT_EQ(tagliati(), QStringList{});
    // The extra width goes to the notes, not to the locality.
    EXPECT_GT(tabella->columnWidth(12) - note1280, 400);
    EXPECT_GT(tabella->columnWidth(12), tabella->columnWidth(1));
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
    ASSERT_EQ(frm.mfgTab.testo(150, 1), "TAPPA 150");
    dialoghi.finestra = &frm;
    frm.cmdCalcola->click();

    EXPECT_EQ(dialoghi.didascaliaEsce, "&Stop");  // the exit button stops the run
    EXPECT_EQ(frm.cmdEsce->text() + frm.cmdCalcola->text(), "&Esce&Calcola");
    EXPECT_FALSE(frm.zavetraVisualizzata);
    EXPECT_EQ(frm.mfgTab.testo(150, 1), "TAPPA 150");
    EXPECT_TRUE(frm.cmdNuovo->isEnabled());
    RowSet meta = frm.archivio().dati().apriTabella("MeteCamper");
    EXPECT_EQ(meta.testo("Coefficiente"), "0");
}

// Compute, print with "Moduli", and the logbook program started through the command file prints
// the trip's days to the PDF in the data directory.
TEST_F(FrmMainTest, StampaConModuliFinoAKestrin) {
    avviaSu({{"SUD ITALIA", kSud}});
    ASSERT_TRUE(frm->cmdStampa->isEnabled());
    frm->cmdStampa->click();
    // No schedule was shown: it is computed first, then the options wait with everything off.
    ASSERT_TRUE(frm->zavetraVisualizzata);
    EXPECT_EQ(frm->cmdCalcola->text(), "&Sblocca");
    ASSERT_FALSE(frm->pannelloStampa->isHidden());

    frm->pannelloStampa->chkModuli->setChecked(true);
    frm->pannelloStampa->cmdEsegui0->click();
    EXPECT_TRUE(abilitati().isEmpty());
    dialoghi.fileDaSalvare = {QDir(cartella).filePath("zavetra.pdf")};
    frm->pannelloStampa->pannelloStampanti->cmdSelStampante0->click();

    EXPECT_TRUE(frm->pannelloStampa->isHidden());
    EXPECT_TRUE(frm->centralWidget()->isEnabled());
    EXPECT_TRUE(dialoghi.testiMostrati().contains("Stampa Moduli per Lunoro completata..."));
    EXPECT_TRUE(QFile::exists(QDir(cartella).filePath("Camptabl.txt")));
    // The schedule stays: compute (to unlock) and print again.
    EXPECT_EQ(abilitati(), (QStringList{"cmdCalcola", "cmdStampa"}));

    const auto& f = frm->LeggiBox().txtFine;
    const QDate inizio(2026, 7, 1), fine = QDate::fromString(f[0] + f[1] + f[2], "ddMMyyyy");
    ASSERT_GT(inizio.daysTo(fine), 0);
    const QString fatto = QDir(cartella).filePath(kFileFineStampa);
    QDeadlineTimer scadenza(60000);
    while (!QFile::exists(fatto) && !scadenza.hasExpired()) QThread::msleep(100);
    // kestrin now waits on its message that says where the PDF went: end it.
    ASSERT_GT(frm->pidModuli, 0);
    ::kill(static_cast<pid_t>(frm->pidModuli), SIGKILL);
    EXPECT_EQ(test::leggiFile(fatto), "Fatto\r\n");
    EXPECT_EQ(test::paginePdf(FilePdfPredefinito(cartella, "SUD ITALIA", inizio)), inizio.daysTo(fine) + 2);
}

TEST_F(FrmMainTest, StampaRinunciataCalcoloRifiutatoEStampaDellaGuida) {
    avviaSu({{"SUD ITALIA", kSud}});
    frm->cmdCalcola->click();
    // Renounced in the options, or in the printer choice.
    for (QPushButton* rinuncia :
         {frm->pannelloStampa->cmdEsegui1, frm->pannelloStampa->pannelloStampanti->cmdSelStampante1}) {
        frm->cmdStampa->click();
        frm->pannelloStampa->cmdEsegui0->click();
        rinuncia->click();
        EXPECT_TRUE(frm->pannelloStampa->isHidden());
        EXPECT_EQ(abilitati(), (QStringList{"cmdCalcola", "cmdStampa"}));
    }
    EXPECT_FALSE(QFile::exists(QDir(cartella).filePath("Camptabl.txt")));

    // A speed of 0 cannot be computed: no options, the legs are still there.
    avviaSu({{"SUD ITALIA", kSud}});
    frm->cmbMediaKm[2]->setEditText("0");
    dialoghi.mostrati.clear();
    frm->cmdStampa->click();
    ASSERT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_TRUE(dialoghi.mostrati[0].testo.startsWith(QString::fromUtf8("Velocità media nulla")));
    EXPECT_TRUE(frm->pannelloStampa->isHidden());
    EXPECT_EQ(tappeMostrate(), 4);
    EXPECT_TRUE(frm->cmdNuovo->isEnabled());

    // The guide's print: the guide waits, disabled, while the printer is chosen.
    frm->cmdGuidaCitta->click();
    frm->pannelloGuida->cmdStampaGuidaCitta->click();
    frm->pannelloStampaGuida->cmdStampaGuida0->click();
    EXPECT_FALSE(frm->pannelloGuida->isEnabled());
    frm->pannelloStampaGuida->pannelloStampanti->cmdSelStampante1->click();
    EXPECT_TRUE(frm->pannelloGuida->isEnabled());
}

TEST_F(FrmMainTest, ImportExportPulisceEPoiRicaricaLaMetaCorrente) {
    QTemporaryDir altra;
    const QString file = altra.filePath("pisa.iei");
    {
        Archivio a(altra.path());
        a.AvviaDatabase();
        prova::Meta(a, "000001", "PISA", {"PISA [Start]|0|A", "LUCCA [End]|20|P"});
        ProgressoMemoria progresso;
        ASSERT_TRUE(ScriviEsportazione(a, {"000001"}, file, progresso));
    }
    avviaSu({{"SUD ITALIA", kSud}});
    ASSERT_TRUE(frm->cmdExport->isEnabled());
    frm->cmdExport->click();
    PannelloScambio& p = *frm->pannelloScambio;
    ASSERT_FALSE(p.isHidden());
    EXPECT_TRUE(frm->tabItinerario->isHidden());
    EXPECT_EQ(tappeMostrate(), 0);

    // Giving up shows the current trip again.
    p.cmdImExp[1]->click();
    EXPECT_FALSE(frm->tabItinerario->isHidden());
    EXPECT_EQ(tappeMostrate(), 4);
    EXPECT_EQ(frm->modoPrincipale, "all");

    frm->cmdExport->click();
    dialoghi.fileDaAprire = {file};
    p.cmdImportExport_Click(1);
    p.mfgImExp[1].impostaRiga(1);
    p.mfgImExp_Click(1);
    clic(p.cmdImExp[0], {Risposta::Si});
    EXPECT_TRUE(p.isHidden());
    EXPECT_TRUE(frm->cmdCalcola->isEnabled());
    EXPECT_EQ(db().conta(Query::di("MeteCamper")), 2);
    // The current trip and its legs, as stored.
    EXPECT_FALSE(frm->codiceCorrente.isEmpty());
    EXPECT_EQ(tappeMostrate(), tappe(frm->codiceCorrente));
}

TEST_F(FrmMainTest, AltriPacchettiRiempieLaGrigliaVuota) {
    avviaSu({{"VUOTA", {}}});
    ASSERT_TRUE(frm->cmdMapPoint->isEnabled());
    dialoghi.fileDaAprire = {prova::Sorgente("tests/data/routeimport/istruzioni_it.txt")};
    frm->cmdMapPoint->click();
    EXPECT_GT(tappeMostrate(), 2);
    EXPECT_FALSE(frm->txtKmTot[4]->text().isEmpty());
    EXPECT_TRUE(frm->cmdMemorizza->isEnabled());

    // One leg already there: refused, the leg stays.
    avviaSu({{"UNA", {"ROMA [Start]|0|A"}}});
    frm->cmdMapPoint->click();
    EXPECT_TRUE(dialoghi.mostrati.last().testo.startsWith("Impossibile: sono presenti delle tappe!"));
    EXPECT_EQ(tappeMostrate(), 1);
    EXPECT_EQ(frm->mfgTab.testo(1, ColTappa), "ROMA [Start]");
}

// The single-leg choice takes the grid's click away from leg editing; leaving saves on Yes.
TEST_F(FrmMainTest, ModificaTrattoConUnClicSullaGriglia) {
    avviaSu({{"SUD ITALIA", kSud}});
    frm->cmdModStrada->click();
    PannelloTratto& t = *frm->pannelloTratto;
    ASSERT_FALSE(t.isHidden());
    t.chkTappaSingola->setChecked(true);
    const int riga = frm->pannelloTappe->rigaCorrente();
    clicGriglia(3);
    EXPECT_EQ(t.txttappasel[0]->text().left(4), "0003");
    EXPECT_EQ(frm->pannelloTappe->rigaCorrente(), riga);
    t.optTStrada[0]->click();
    t.cmdTappaSEl[2]->click();
    EXPECT_EQ(frm->mfgTab.testo(3, ColTipoStrada) + frm->mfgTab.testo(4, ColTipoStrada), "AP");
    clic(t.cmdTappaSEl[3], {Risposta::Si});
    EXPECT_TRUE(t.isHidden());
    EXPECT_EQ(frm->modoPrincipale, "all");
    RowSet r = db().apriRowSet(
        Query::di("Itinerari").dove("CodiceMeta", frm->codiceCorrente).dove("Sequenza", "0003"));
    EXPECT_EQ(r.testo("TipoStrada"), "A");
    // The click is leg editing's again.
    clicGriglia(2);
    EXPECT_EQ(frm->pannelloTappe->rigaCorrente(), 2);
}

TEST_F(FrmMainTest, CopiaDaAltreMete) {
    // Only the current trip, without legs: nothing to copy, the window is back at once.
    avviaSu({{"VUOTA", {}}});
    frm->cmdItinerario->click();
    frm->cmdDuplica->click();
    EXPECT_EQ(dialoghi.testiMostrati().value(0), QString::fromUtf8("Non trovate mète memorizzate"));
    EXPECT_TRUE(frm->pannelloDuplica->isHidden());
    // Back to the leg editing the copy was started from.
    EXPECT_TRUE(frm->cmdFine->isEnabled());

    avviaSu({{"SUD ITALIA", kSud}, {"VUOTA", {}}});
    frm->cmdItinerario->click();
    frm->cmdDuplica->click();
    PannelloDuplica& d = *frm->pannelloDuplica;
    ASSERT_FALSE(d.isHidden());
    d.mfgCopia_Click(1);
    d.mfgCopia_Click(2);
    d.cmdAssegna[0]->click();
    d.mfgCopia_Click(3);
    d.cmdAssegna[1]->click();
    clic(d.cmdInsEsegui[0], {Risposta::Si});
    EXPECT_TRUE(d.isHidden());
    EXPECT_EQ(frm->mfgTab.testo(1, ColTappa) + '|' + frm->mfgTab.testo(2, ColTappa), "ROMA|NAPOLI");
    EXPECT_TRUE(frm->cmdMemorizza->isEnabled());
    EXPECT_EQ(tappe(frm->codiceCorrente), 0);  // not stored until the itinerary is saved
}

TEST_F(FrmMainTest, ConverteVisibileFinchéCiSonoVecchiFile) {
    avviaSu({}, [](const QDir& d) {
        test::scriviFile(d.filePath("CampMete.dat"),
                         ScriviRecordVecchio(kTracciatoMete, {{"Codice", "1"}, {"Locali", "Capo Nord"}}));
    });
    ASSERT_FALSE(frm->cmdConverte->isHidden());

    // Declined: nothing converted, the button stays.
    clic(frm->cmdConverte, {Risposta::No});
    EXPECT_FALSE(frm->cmdConverte->isHidden());
    EXPECT_TRUE(frm->codiceCorrente.isEmpty());

    clic(frm->cmdConverte, {Risposta::Si});
    EXPECT_TRUE(frm->cmdConverte->isHidden());
    EXPECT_EQ(frm->txtLocalita->text(), "Capo Nord");
    EXPECT_EQ(frm->modoPrincipale, "all");
}

}  // namespace
