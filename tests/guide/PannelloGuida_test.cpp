// The guide panel, headless: buttons, keys and clicks reach the guide logic and its answer the boxes.
#include "guide/ui/PannelloGuida.h"

#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

#include "Guida.h"
#include "common/ui/TabellaGriglia.h"
#include "itinerary/GrigliaItinerario.h"

namespace {

const QString kMeta = QStringLiteral("000001");

class Pannello : public test::GuidaDb {
  protected:
    Griglia griglia{kRigheMinimeItinerario, kColonneItinerario};
    std::unique_ptr<TabellaGriglia> vista;  // before the panel, which goes first
    std::unique_ptr<PannelloGuida> pannello;

    void SetUp() override {
        GuidaDb::SetUp();
        ImpostaGriglia(griglia, LayoutItinerario);
        pannello = std::make_unique<PannelloGuida>(griglia, archivio, tipi, dialoghi);
        vista = std::make_unique<TabellaGriglia>(&griglia);
        vista->resize(800, 400);
        vista->show();
        pannello->impostaMeta(kMeta);
        pannello->collegaTabella(vista.get());
    }

    // The trip's legs and guide entries, then the guide opened.
    void apri(const QString& elencoTappe, const QString& elencoVoci = {}) {
        tappe(kMeta, elencoTappe);
        if (!elencoVoci.isEmpty()) voci(elencoVoci);
        ASSERT_TRUE(pannello->cmdGuidaCitta_Click());
    }

    void clicca(int riga) {
        const QRect r = vista->visualRect(vista->model()->index(riga - 1, 1));
        QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, r.center());
    }

    // A choice made by the user, as the list reports it.
    static void scegli(QComboBox* lista, const QString& testo) {
        const int i = lista->findText(testo);
        lista->setCurrentIndex(i);
        emit lista->activated(i);
    }

    static void scrivi(QLineEdit* box, const QString& testo) {
        box->clear();
        test::digita(box, testo);
    }
};

// A trip without legs opens no guide and goes back to the itinerary; with legs the guide opens
// with row 1 loaded, and a click or a row key loads another row.
TEST_F(Pannello, ApreLaGuidaECaricaLaRigaCliccata) {
    tappe("000002", "Napoli");
    QSignalSpy aperta(pannello.get(), &PannelloGuida::guidaAperta);
    QSignalSpy chiusa(pannello.get(), &PannelloGuida::guidaChiusa);
    EXPECT_FALSE(pannello->cmdGuidaCitta_Click());
    EXPECT_EQ(QList<qsizetype>({dialoghi.mostrati.size(), chiusa.count()}), QList<qsizetype>({1, 1}));
    EXPECT_TRUE(pannello->isHidden());

    apri("Roma [Start]; Firenze", "Roma|Colosseo|02:30|B|01");
    EXPECT_EQ(aperta.count(), 1);
    EXPECT_TRUE(pannello->modoGuida() && !pannello->isHidden());
    EXPECT_EQ(griglia.testo(3, ColGDescrizione), "Colosseo");
    EXPECT_EQ(pannello->txtGCitta->text(), "Firenze");
    EXPECT_FALSE(pannello->cmdCancellaRiga->isEnabled());  // a locality row cannot be deleted
    clicca(3);
    EXPECT_EQ(pannello->txtGCitta->text() + '|' + pannello->txtGGruppo->text() + '|' +
                  pannello->cmbGM->currentText(),
              "Roma|B|30");
    EXPECT_TRUE(pannello->cmdCancellaRiga->isEnabled());
    QTest::keyClick(pannello->txtGDescr, Qt::Key_Up);
    EXPECT_EQ(griglia.riga(), 2);
}

TEST_F(Pannello, ErroreMostratoPoiScriveCambiaECancellaUnaVoce) {
    apri("Roma [Start]");
    pannello->txtGDescr->clear();
    pannello->cmdSalvaRiga->click();
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Errore! Manca la descrizione!!!"});
    EXPECT_EQ(tutte(), "");

    dialoghi.mostrati.clear();
    scrivi(pannello->txtGDescr, "colosseo");
    scrivi(pannello->txtGGruppo, "b");
    scegli(pannello->cmbGH, "02");
    scegli(pannello->cmbGM, "30");
    pannello->cmdSalvaRiga->click();
    EXPECT_EQ(tutte(), "Roma|01|B|Colosseo|02:30|0");
    EXPECT_EQ(griglia.testo(2, ColGDescrizione) + '|' + pannello->txtGDescr->text(),
              "Colosseo|");  // boxes cleared
    EXPECT_TRUE(dialoghi.mostrati.isEmpty());

    clicca(2);
    scrivi(pannello->txtGDescr, "Colosseo e Fori");
    pannello->cmbGTipo->setCurrentIndex(pannello->cmbGTipo->findText("Da vedere"));
    pannello->cmdSalvaRiga->click();
    EXPECT_EQ(tutte(), "Roma|02|B|Colosseo e Fori|02:30|0");

    clicca(2);
    dialoghi.risposte = {Risposta::Si};
    pannello->cmdCancellaRiga->click();
    EXPECT_EQ(tutte(), "");
    EXPECT_EQ(griglia.righe(), 2);
}

// A shortcut typed is expanded, one loaded from a row is not; the hour list can show "G2", kept
// while the hours are not chosen again.
TEST_F(Pannello, AbbreviazioneDigitataETempoGConservato) {
    apri("Roma", "Roma|Diario di bordo|00:00| |10; Roma|Colosseo|01:30; Roma|Musei vaticani|G2");
    scrivi(pannello->txtGDescr, "DiAr");
    EXPECT_EQ(pannello->txtGDescr->text() + '|' + pannello->cmbGTipo->currentText(), "Lunori|Lunorin");
    clicca(4);  // Diario di bordo: the hour boxes were filled
    EXPECT_EQ(pannello->txtGDescr->text(), "Diario di bordo");
    clicca(3);
    EXPECT_EQ(pannello->cmbGH->currentText(), "G2");
    scrivi(pannello->txtGDescr, "Musei Vaticani e Cappella Sistina");
    pannello->cmdSalvaRiga->click();
    EXPECT_TRUE(dialoghi.mostrati.isEmpty());
    EXPECT_TRUE(tutte().contains("Roma|02| |Musei Vaticani e Cappella Sistina|G2|0"));

    // Choosing an hour replaces it; the minutes the box could not show become "00".
    clicca(3);
    scegli(pannello->cmbGH, "03");
    pannello->cmdSalvaRiga->click();
    EXPECT_TRUE(tutte().contains("Roma|02| |Musei Vaticani e Cappella Sistina|03:00|0"));
}

// An empty box gives the locality list, the boxes and the grid waiting for the choice; closing the
// guide puts the groups in order and gives the keys back to the itinerary.
TEST_F(Pannello, CercaConElencoEFineInserimento) {
    apri("Roma; Firenze", "Roma|Colosseo|01:30|B--10-2");
    pannello->txtGDescr->clear();
    pannello->cmdFind->click();
    EXPECT_FALSE(pannello->cmbRicercaTappa->isHidden() || pannello->fraGuida->isEnabled() ||
                 vista->isEnabled());
    ASSERT_EQ(pannello->cmbRicercaTappa->count(), 2);
    pannello->cmbRicercaTappa_Click(1);
    EXPECT_TRUE(pannello->cmbRicercaTappa->isHidden() && pannello->fraGuida->isEnabled() &&
                vista->isEnabled());
    EXPECT_EQ(pannello->txtGCitta->text(), "Roma");

    QSignalSpy chiusa(pannello.get(), &PannelloGuida::guidaChiusa);
    pannello->cmdFineInserimento->click();
    EXPECT_EQ(chiusa.count(), 1);
    EXPECT_TRUE(pannello->isHidden() && !pannello->modoGuida());
    EXPECT_EQ(tutte(), "Roma|02|2-10-B|Colosseo|01:30|0");
    const int riga = griglia.riga();
    QTest::keyClick(pannello->txtGDescr, Qt::Key_Down);
    EXPECT_EQ(griglia.riga(), riga);
}

TEST_F(Pannello, CopiaLeSosteDellaGuidaNelleTappe) {
    voci("Roma|Musei vaticani|G1");
    griglia.impostaTesto(1, ColTappa, "Roma");
    griglia.impostaTesto(1, ColSosta, "00:01:00");
    pannello->impostaArcoVisita(1000);
    QSignalSpy cambiata(pannello.get(), &PannelloGuida::grigliaCambiata);
    dialoghi.risposte = {Risposta::Si};
    EXPECT_TRUE(pannello->cmdTrasferisce_Click());
    EXPECT_EQ(griglia.testo(1, ColSosta), "01:01:00");  // the visit span the panel was given
    EXPECT_EQ(cambiata.count(), 1);
}

}  // namespace
