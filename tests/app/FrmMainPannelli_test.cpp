// The side panels as the main window opens them: each button reaches its panel, the panel's
// result reaches the grid and the boxes, the modes come back when it closes, and a failure is
// shown with nothing lost.  The schedule print goes once all the way to the real logbook program.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <functional>
#include <memory>

#include "ProgrammaTest.h"
#include "app/FrmMain.h"
#include "common/Dialoghi.h"
#include "common/Orologio.h"
#include "common/Progresso.h"
#include "common/ui/GrigliaModello.h"
#include "common/ui/TabellaGriglia.h"
#include "exchange/Esporta.h"
#include "exchange/ui/PannelloScambio.h"
#include "guide/ui/PannelloGuida.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/ui/PannelloDuplica.h"
#include "legacy/VecchiFile.h"
#include "logbook/BatchModuli.h"
#include "logbook/CicloStampa.h"
#include "logbook/ComandoModuli.h"
#include "printing/ui/PannelloStampanti.h"
#include "reports/ui/PannelloStampaGuida.h"
#include "reports/ui/PannelloStampaZavetra.h"
#include "routeimport/ui/PannelloTratto.h"
#include "trips/Modi.h"

namespace {

using prova::Meta;

const QStringList kSud{"MILANO [Start]|0|A", "ROMA|600|A", "NAPOLI|230|P", "SALERNO [End]|60|P"};

class FrmMainPannelli : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    DialoghiScriptati dialoghi;
    OrologioFisso orologio{QDateTime(QDate(2026, 6, 1), QTime(10, 0))};
    std::unique_ptr<FrmMain> frm;

    QString cartella;  // the data directory of the window last opened
    int avvii = 0;

    // A new data directory with the trips stored (the last one listed is the current trip) and
    // whatever prima puts there, then the window on it.
    void avvia(const QList<QPair<QString, QStringList>>& mete,
               const std::function<void(const QDir&)>& prima = {}) {
        frm.reset();
        cartella = dir.filePath(QStringLiteral("dati%1").arg(++avvii));
        ASSERT_TRUE(QDir().mkpath(cartella));
        if (prima) prima(QDir(cartella));
        {
            Archivio a(cartella);
            a.AvviaDatabase();
            int n = 0;
            for (const auto& m : mete) {
                const QString codice = QString::number(++n).rightJustified(6, '0');
                Meta(a, codice, m.first, m.second);
                SalvaIlCodiceMetaCorrente(codice, a);
            }
        }
        frm = std::make_unique<FrmMain>(cartella, dialoghi, orologio);
        frm->Form_Load();
        // Shown, as the panels test their own visibility.
        frm->show();
    }
    int tappeMostrate() const { return UltimaRigaTappa(frm->mfgTab); }
    int tappeMemorizzate() {
        return frm->archivio().dati().conta(Query::di("Itinerari").dove("CodiceMeta", frm->codiceCorrente));
    }
    void clic(QAbstractButton* b, const QList<Risposta>& risposte) {
        dialoghi.risposte = risposte;
        b->click();
    }
    QStringList abilitati() const {
        QStringList l;
        for (const auto& elenco : {PulsantiMeta(), PulsantiItinerario()})
            for (const DefinizionePulsante& d : elenco)
                if (frm->findChild<QPushButton*>(d.nome)->isEnabled()) l << d.nome;
        return l;
    }
    // A click on the grid row riga (1 = first leg) as the view reports it.
    void clicGriglia(int riga) {
        emit frm->tabItinerario->clicked(
            frm->tabItinerario->model()->index(frm->tabItinerario->modello()->rigaModello(riga), ColTappa));
    }
};

// Compute, print with "Moduli", and the logbook program started through the command file prints
// the trip's days to the PDF in the data directory.
TEST_F(FrmMainPannelli, StampaConModuliFinoAKestrin) {
    avvia({{"SUD ITALIA", kSud}});
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

TEST_F(FrmMainPannelli, StampaRinunciataCalcoloRifiutatoEStampaDellaGuida) {
    avvia({{"SUD ITALIA", kSud}});
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
    avvia({{"SUD ITALIA", kSud}});
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

TEST_F(FrmMainPannelli, ImportExportPulisceEPoiRicaricaLaMetaCorrente) {
    QTemporaryDir altra;
    const QString file = altra.filePath("pisa.iei");
    {
        Archivio a(altra.path());
        a.AvviaDatabase();
        Meta(a, "000001", "PISA", {"PISA [Start]|0|A", "LUCCA [End]|20|P"});
        ProgressoMemoria progresso;
        ASSERT_TRUE(ScriviEsportazione(a, {"000001"}, file, progresso));
    }
    avvia({{"SUD ITALIA", kSud}});
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
    EXPECT_EQ(frm->archivio().dati().conta(Query::di("MeteCamper")), 2);
    // The current trip and its legs, as stored.
    EXPECT_FALSE(frm->codiceCorrente.isEmpty());
    EXPECT_EQ(tappeMostrate(), tappeMemorizzate());
}

TEST_F(FrmMainPannelli, AltriPacchettiRiempieLaGrigliaVuota) {
    avvia({{"VUOTA", {}}});
    ASSERT_TRUE(frm->cmdMapPoint->isEnabled());
    dialoghi.fileDaAprire = {prova::Sorgente("tests/data/routeimport/istruzioni_it.txt")};
    frm->cmdMapPoint->click();
    EXPECT_GT(tappeMostrate(), 2);
    EXPECT_FALSE(frm->txtKmTot[4]->text().isEmpty());
    EXPECT_TRUE(frm->cmdMemorizza->isEnabled());

    // One leg already there: refused, the leg stays.
    avvia({{"UNA", {"ROMA [Start]|0|A"}}});
    frm->cmdMapPoint->click();
    EXPECT_TRUE(dialoghi.mostrati.last().testo.startsWith("Impossibile: sono presenti delle tappe!"));
    EXPECT_EQ(tappeMostrate(), 1);
    EXPECT_EQ(frm->mfgTab.testo(1, ColTappa), "ROMA [Start]");
}

// The single-leg choice takes the grid's click away from leg editing; leaving saves on Yes.
TEST_F(FrmMainPannelli, ModificaTrattoConUnClicSullaGriglia) {
    avvia({{"SUD ITALIA", kSud}});
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
    RowSet r = frm->archivio().dati().apriRowSet(
        Query::di("Itinerari").dove("CodiceMeta", frm->codiceCorrente).dove("Sequenza", "0003"));
    EXPECT_EQ(r.testo("TipoStrada"), "A");
    // The click is leg editing's again.
    clicGriglia(2);
    EXPECT_EQ(frm->pannelloTappe->rigaCorrente(), 2);
}

TEST_F(FrmMainPannelli, CopiaDaAltreMete) {
    // Only the current trip, without legs: nothing to copy, the window is back at once.
    avvia({{"VUOTA", {}}});
    frm->cmdItinerario->click();
    frm->cmdDuplica->click();
    EXPECT_EQ(dialoghi.testiMostrati().value(0), QString::fromUtf8("Non trovate mète memorizzate"));
    EXPECT_TRUE(frm->pannelloDuplica->isHidden());
    // Back to the leg editing the copy was started from.
    EXPECT_TRUE(frm->cmdFine->isEnabled());

    avvia({{"SUD ITALIA", kSud}, {"VUOTA", {}}});
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
    EXPECT_EQ(tappeMemorizzate(), 0);  // not stored until the itinerary is saved
}

TEST_F(FrmMainPannelli, ConverteVisibileFinchéCiSonoVecchiFile) {
    avvia({}, [](const QDir& d) {
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
