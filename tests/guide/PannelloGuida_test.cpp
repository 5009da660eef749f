// The guide panel, headless: its buttons, keys and clicks reach the guide logic, the entry found
// reaches the boxes, a refused save is shown and writes nothing.  The rules themselves are tested
// on the logic.
#include "guide/ui/PannelloGuida.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"
#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/ui/TabellaGriglia.h"
#include "database/Archivio.h"
#include "database/TipiGuida.h"
#include "itinerary/GrigliaItinerario.h"

namespace {

const QString kMeta = QStringLiteral("000001");

class Pannello : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    Archivio archivio{dir.path()};
    TabellaTipiGuida tipi;
    Griglia griglia{kRigheMinimeItinerario, kColonneItinerario};
    DialoghiScriptati dialoghi;
    std::unique_ptr<PannelloGuida> pannello;
    std::unique_ptr<TabellaGriglia> vista;

    void SetUp() override {
        archivio.AvviaDatabase();
        CaricaTipiGuida(archivio);  // a new database completes its types at the first start
        tipi = CaricaTipiGuida(archivio);
        ImpostaGriglia(griglia, LayoutItinerario);
        pannello = std::make_unique<PannelloGuida>(griglia, archivio, tipi, dialoghi);
        vista = std::make_unique<TabellaGriglia>(&griglia);
        vista->resize(800, 400);
        vista->show();
        pannello->impostaMeta(kMeta);
        pannello->collegaTabella(vista.get());
    }

    void TearDown() override {
        pannello.reset();
        vista.reset();
    }

    void tappa(const QString& localita, const QString& meta = kMeta) {
        test::tappa(archivio.dati(), meta, "0001", localita, {});
    }

    void voce(const QString& localita, const QString& descrizione, const QString& tempo,
              const QString& codice = QStringLiteral("02"), const QString& gruppo = QStringLiteral(" ")) {
        test::voceGuida(archivio.dati(), localita, descrizione, tempo,
                        {{"CodiceGuida", codice}, {"Gruppo", gruppo}});
    }

    // Every stored entry as "Localita|Codice|Gruppo|Descrizione|Tempo", sorted.
    QStringList voci() {
        QStringList v;
        RowSet r = archivio.dati().apriTabella(archivio.nome(TabGuidaCitta));
        for (; !r.fine(); r.successivo())
            v << QStringList{r.testo("Localita"), r.testo("CodiceGuida"), r.testo("Gruppo"),
                             r.testo("Descrizione"), r.testo("TempoSosta")}
                     .join(QLatin1Char('|'));
        v.sort();
        return v;
    }

    // The row's centre in the view, for a click.
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

TEST_F(Pannello, ApreLaGuidaECaricaLaRigaCliccata) {
    tappa("Roma [Start]");
    tappa("Firenze");
    voce("Roma", "Colosseo", "02:30", "01", "B");
    QSignalSpy aperta(pannello.get(), &PannelloGuida::guidaAperta);

    ASSERT_TRUE(pannello->cmdGuidaCitta_Click());
    EXPECT_EQ(aperta.count(), 1);
    EXPECT_TRUE(pannello->modoGuida());
    EXPECT_FALSE(pannello->isHidden());
    EXPECT_EQ(griglia.testo(3, ColGDescrizione), "Colosseo");
    // Row 1 is loaded at once; a locality row cannot be deleted.
    EXPECT_EQ(pannello->txtGCitta->text(), "Firenze");
    EXPECT_FALSE(pannello->cmdCancellaRiga->isEnabled());

    clicca(3);
    EXPECT_EQ(griglia.riga(), 3);
    EXPECT_EQ(pannello->txtGCitta->text() + '|' + pannello->txtGGruppo->text() + '|' +
                  pannello->cmbGM->currentText(),
              "Roma|B|30");
    EXPECT_TRUE(pannello->cmdCancellaRiga->isEnabled());
    // The row keys of the boxes move through the list.
    QTest::keyClick(pannello->txtGDescr, Qt::Key_Up);
    EXPECT_EQ(griglia.riga(), 2);
}

TEST_F(Pannello, UnaMetaSenzaTappeNonApreLaGuida) {
    tappa("Napoli", "000002");
    QSignalSpy chiusa(pannello.get(), &PannelloGuida::guidaChiusa);
    EXPECT_FALSE(pannello->cmdGuidaCitta_Click());
    EXPECT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_EQ(chiusa.count(), 1);  // the main window goes back to the itinerary
    EXPECT_TRUE(pannello->isHidden());
}

TEST_F(Pannello, ScriveCambiaECancellaUnaVoce) {
    tappa("Roma [Start]");
    ASSERT_TRUE(pannello->cmdGuidaCitta_Click());

    scrivi(pannello->txtGDescr, "colosseo");
    scrivi(pannello->txtGGruppo, "b");
    scegli(pannello->cmbGH, "02");
    scegli(pannello->cmbGM, "30");
    pannello->cmdSalvaRiga->click();
    EXPECT_EQ(voci(), QStringList{"Roma|01|B|Colosseo|02:30"});
    EXPECT_EQ(griglia.testo(2, ColGDescrizione), "Colosseo");
    EXPECT_EQ(pannello->txtGDescr->text(), "");  // the boxes the logic cleared
    EXPECT_TRUE(dialoghi.mostrati.isEmpty());

    clicca(2);
    scrivi(pannello->txtGDescr, "Colosseo e Fori");
    pannello->cmbGTipo->setCurrentIndex(pannello->cmbGTipo->findText("Da vedere"));
    pannello->cmdSalvaRiga->click();
    EXPECT_EQ(voci(), QStringList{"Roma|02|B|Colosseo e Fori|02:30"});

    clicca(2);
    dialoghi.risposte = {Risposta::Si};
    pannello->cmdCancellaRiga->click();
    EXPECT_TRUE(voci().isEmpty());
    EXPECT_EQ(griglia.righe(), 2);
}

TEST_F(Pannello, UnErroreEMostratoENienteScritto) {
    tappa("Roma");
    ASSERT_TRUE(pannello->cmdGuidaCitta_Click());
    pannello->txtGDescr->clear();
    pannello->cmdSalvaRiga->click();
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Errore! Manca la descrizione!!!"});
    EXPECT_TRUE(voci().isEmpty());
}

TEST_F(Pannello, AbbreviazioneDigitataMaNonQuellaCaricata) {
    tappa("Roma");
    voce("Roma", "Diario di bordo", "00:00", "10");
    ASSERT_TRUE(pannello->cmdGuidaCitta_Click());
    scrivi(pannello->txtGDescr, "DiAr");
    EXPECT_EQ(pannello->txtGDescr->text() + '|' + pannello->cmbGTipo->currentText(), "Lunori|Lunorin");
    clicca(2);
    EXPECT_EQ(pannello->txtGDescr->text(), "Diario di bordo");
}

// The hour list can show "G2": it is kept while the hours are not chosen again.
TEST_F(Pannello, UnTempoGRestaSeOreEMinutiNonCambiano) {
    tappa("Roma");
    voce("Roma", "Colosseo", "01:30");
    voce("Roma", "Musei vaticani", "G2");
    ASSERT_TRUE(pannello->cmdGuidaCitta_Click());
    clicca(2);  // Colosseo fills the hour boxes first
    clicca(3);
    EXPECT_EQ(pannello->cmbGH->currentText(), "G2");
    scrivi(pannello->txtGDescr, "Musei Vaticani e Cappella Sistina");
    pannello->cmdSalvaRiga->click();
    EXPECT_TRUE(dialoghi.mostrati.isEmpty());
    EXPECT_TRUE(voci().contains("Roma|02| |Musei Vaticani e Cappella Sistina|G2"));

    // Choosing an hour replaces it; the minutes the box could not show become "00".
    clicca(3);
    scegli(pannello->cmbGH, "03");
    pannello->cmdSalvaRiga->click();
    EXPECT_TRUE(voci().contains("Roma|02| |Musei Vaticani e Cappella Sistina|03:00"));
}

TEST_F(Pannello, CercaConElencoDelleLocalita) {
    tappa("Roma");
    tappa("Firenze");
    ASSERT_TRUE(pannello->cmdGuidaCitta_Click());

    // An empty box gives the locality list; the boxes and the grid wait for the choice.
    pannello->txtGDescr->clear();
    pannello->cmdFind->click();
    EXPECT_FALSE(pannello->cmbRicercaTappa->isHidden());
    EXPECT_FALSE(pannello->fraGuida->isEnabled());
    EXPECT_FALSE(vista->isEnabled());
    ASSERT_EQ(pannello->cmbRicercaTappa->count(), 2);
    pannello->cmbRicercaTappa_Click(1);
    EXPECT_TRUE(pannello->cmbRicercaTappa->isHidden());
    EXPECT_TRUE(pannello->fraGuida->isEnabled());
    EXPECT_TRUE(vista->isEnabled());
    EXPECT_EQ(pannello->txtGCitta->text(), "Roma");
}

TEST_F(Pannello, FineInserimentoChiudeLaGuida) {
    tappa("Roma");
    voce("Roma", "Colosseo", "01:30", "02", "B--10-2");
    ASSERT_TRUE(pannello->cmdGuidaCitta_Click());
    QSignalSpy chiusa(pannello.get(), &PannelloGuida::guidaChiusa);
    pannello->cmdFineInserimento->click();
    EXPECT_EQ(chiusa.count(), 1);
    EXPECT_TRUE(pannello->isHidden());
    EXPECT_FALSE(pannello->modoGuida());
    EXPECT_EQ(voci(), QStringList{"Roma|02|2-10-B|Colosseo|01:30"});  // the groups were put in order

    // Out of guide mode the keys belong to the itinerary again.
    const int riga = griglia.riga();
    QTest::keyClick(pannello->txtGDescr, Qt::Key_Down);
    EXPECT_EQ(griglia.riga(), riga);
}

TEST_F(Pannello, CopiaLeSosteDellaGuidaNelleTappe) {
    voce("Roma", "Musei vaticani", "G1");
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
