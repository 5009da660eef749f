// The stretch-copy panel, headless: clicks and buttons reach the copy logic and its answer the grids.
#include "itinerary/ui/PannelloDuplica.h"

#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

#include "Tappe.h"
#include "common/ui/GrigliaModello.h"

namespace {

class PannelloDuplicaTest : public test::ArchivioTappe {
  protected:
    void SetUp() override {
        ArchivioTappe::SetUp();
        pannello = std::make_unique<PannelloDuplica>(archivio, mfgTab, mfgCopia, dialoghi,
                                                     CollegamentoBoxMeta{}, vista.get());
    }

    // A stored trip of three legs, each with a stop of one hour.
    void nord() {
        test::inserisci(archivio.dati(), "MeteCamper", {{"CodiceMeta", "000001"}, {"Localita", "Capo Nord"}});
        tappe("000001", "ROMA|A1|0|A|00:01:00; FIRENZE|A1|100|A|00:01:00; BOLOGNA|A1|200|A|00:01:00");
    }

    Griglia mfgTab = test::GrigliaCon("NAPOLI");
    Griglia mfgCopia;
    DialoghiScriptati dialoghi;
    std::unique_ptr<TabellaGriglia> vista = std::make_unique<TabellaGriglia>(&mfgTab);
    std::unique_ptr<PannelloDuplica> pannello;
};

// Without stored trips the panel says so and closes.  With them, a click on the itinerary's view
// moves the insertion point (never below the first empty row) and giving up inserts nothing; the
// panel still opens once its itinerary view is gone.
TEST_F(PannelloDuplicaTest, SenzaMeteSiChiudeClicSullItinerarioERinuncia) {
    QSignalSpy chiusa(pannello.get(), &PannelloDuplica::copiaChiusa);
    pannello->cmdDuplica_Click();
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{QString::fromUtf8("Non trovate mète memorizzate")});
    EXPECT_EQ(chiusa.count(), 1);
    EXPECT_TRUE(pannello->frmDuplica->isHidden());
    EXPECT_EQ(pannello->fase(), PannelloDuplica::Fase::Chiusa);

    nord();
    mfgTab.impostaTesto(2, ColTappa, "ROMA");
    pannello->cmdDuplica_Click();
    EXPECT_EQ(pannello->rigaInserimento(), 3);
    vista->show();
    const QModelIndex napoli = vista->model()->index(vista->modello()->rigaModello(1), ColTappa);
    QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, vista->visualRect(napoli).center());
    EXPECT_EQ(pannello->rigaInserimento(), 1);
    EXPECT_EQ(pannello->txtInsTappa[0]->text(), "NAPOLI");
    pannello->mfgTab_Click(12);
    EXPECT_EQ(pannello->rigaInserimento(), 3);
    pannello->cmdInsEsegui[1]->click();
    EXPECT_EQ(chiusa.count(), 2);
    EXPECT_TRUE(pannello->frmDuplica->isHidden());
    EXPECT_EQ(mfgTab.testo(3, ColTappa), "");

    vista.reset();
    pannello->cmdDuplica_Click();
    EXPECT_EQ(pannello->fase(), PannelloDuplica::Fase::ElencoMete);
}

TEST_F(PannelloDuplicaTest, TrattoSceltoConIClicEInseritoDopoLaConferma) {
    nord();
    QSignalSpy inserite(pannello.get(), &PannelloDuplica::tappeInserite);
    QSignalSpy chiusa(pannello.get(), &PannelloDuplica::copiaChiusa);
    pannello->cmdDuplica_Click();
    ASSERT_FALSE(pannello->frmDuplica->isHidden());
    EXPECT_FALSE(pannello->mfgCopiaVista->isHidden());
    EXPECT_EQ(pannello->txtInsTappa[0]->text(), "NAPOLI");
    EXPECT_FALSE(pannello->cmdAssegna[0]->isEnabled());

    pannello->mfgCopia_Click(1);  // the trip
    EXPECT_EQ(pannello->fase(), PannelloDuplica::Fase::TappeMeta);
    EXPECT_EQ(pannello->txtInsTappa[1]->text(), "Capo Nord");
    pannello->mfgCopia_Click(2);
    pannello->cmdAssegna[0]->click();
    EXPECT_FALSE(pannello->cmdInsEsegui[0]->isEnabled());
    pannello->mfgCopia_Click(3);
    pannello->cmdAssegna[1]->click();
    EXPECT_EQ(pannello->txtInsLoc[1]->text(), "BOLOGNA");
    ASSERT_TRUE(pannello->cmdInsEsegui[0]->isEnabled());
    pannello->chkInsSoste->setChecked(true);

    // Not confirmed: nothing changes and the lists stay.
    dialoghi.risposte = {Risposta::No};
    pannello->cmdInsEsegui[0]->click();
    EXPECT_EQ(mfgTab.testo(2, ColTappa), "");
    EXPECT_FALSE(pannello->frmDuplica->isHidden());

    dialoghi.risposte = {Risposta::Si};
    pannello->cmdInsEsegui[0]->click();
    // The stops box reached the insertion, and the legs were recomputed.
    EXPECT_EQ(test::Righe(mfgTab, 2, 3, {ColTappa, ColSosta, ColKmProgressivi}),
              "FIRENZE|00:01:00|100;BOLOGNA|00:01:00|300");
    EXPECT_EQ(inserite.count(), 1);
    EXPECT_EQ(inserite.value(0).value(0).toInt(), 2);
    EXPECT_EQ(chiusa.count(), 1);
    EXPECT_TRUE(pannello->frmDuplica->isHidden());
    EXPECT_TRUE(pannello->mfgCopiaVista->isHidden());
    EXPECT_EQ(pannello->txtInsLoc[0]->text(), "");
}

}  // namespace
