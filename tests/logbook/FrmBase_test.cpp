// The Kestrin window headless: controls and rules, printer choice, cancel, and the launched print.
#include "logbook/ui/FrmBase.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "common/Dialoghi.h"
#include "common/Orologio.h"
#include "logbook/CicloStampa.h"
#include "printing/SuperficieRegistrata.h"

namespace {

// Keeps what the window printed after it has let go of its surface.
struct SuperficieTenuta : SuperficieRegistrata {
    explicit SuperficieTenuta(QList<DocumentoRegistrato>* f) : fuori(f) {}
    ~SuperficieTenuta() override { *fuori << documenti; }
    QList<DocumentoRegistrato>* fuori;
};

// Dialogs that also watch the window while it prints.
struct DialoghiOsservati : DialoghiScriptati {
    void eseguiEventi() override { DialoghiScriptati::eseguiEventi(), durante ? durante() : void(); }
    std::function<void()> durante;
};

class FrmBaseTest : public ::testing::Test {
  protected:
    void finestra(const QString& predefinita = {}) {
        StampantiFrm st;
        st.elenco = [] { return QStringList{"Laser", "laser"}; };
        st.predefinita = [predefinita] { return predefinita; };
        st.apri = [this](const Destinazione& d) {
            aperte << d;
            return std::make_unique<SuperficieTenuta>(&stampati);
        };
        frm = std::make_unique<FrmBase>(dialoghi, orologio, dati.path(), st);
    }
    template <class T>
    T* c(const char* nome) {
        return frm->findChild<T*>(nome);
    }
    // 1 or 0 for each named control: enabled or not.
    QString abilitati(std::initializer_list<const char*> nomi) {
        QString s;
        for (const char* n : nomi) s += c<QWidget>(n)->isEnabled() ? '1' : '0';
        return s;
    }
    void scegli(const char* lista, const QString& valore) {
        QComboBox* cmb = c<QComboBox>(lista);
        cmb->setCurrentIndex(cmb->findText(valore));
        emit cmb->activated(cmb->currentIndex());
    }

    DialoghiOsservati dialoghi;
    OrologioFisso orologio{QDateTime(QDate(2026, 7, 14), QTime(10, 0))};
    QTemporaryDir dati;
    std::unique_ptr<FrmBase> frm;
    QList<Destinazione> aperte;
    QList<DocumentoRegistrato> stampati;
};

}  // namespace

// Today's month, the print locked until a destination is typed (upper-cased) and again by an end
// before the start; lists refuse keys; a month change rebuilds the days, a year change does not;
// blank mode frees the print and the copies; the help and the cancel question.
TEST_F(FrmBaseTest, ControlsAndTheirRules) {
    finestra();
    EXPECT_EQ(c<QComboBox>("cmbg1")->currentText() + c<QComboBox>("cmba1")->itemText(0), "142025");
    EXPECT_EQ(abilitati({"cmbCopie", "cmdStampa", "cmdAnnulla"}), "000");
    QTest::keyClicks(c<QLineEdit>("txtLocalita"), "roma");
    scegli("cmbg2", "14");  // a one-day period
    EXPECT_EQ(c<QLineEdit>("txtLocalita")->text() + abilitati({"cmdStampa"}), "ROMA1");
    QTest::keyClick(c<QComboBox>("cmbg1"), Qt::Key_Down);
    QTest::keyClick(c<QComboBox>("cmbg1"), '2');
    EXPECT_EQ(c<QComboBox>("cmbg1")->currentText(), "14");
    scegli("cmbm2", "06");
    EXPECT_FALSE(c<QPushButton>("cmdStampa")->isEnabled());
    scegli("cmbg1", "31");
    scegli("cmba1", "2028");
    scegli("cmbm1", "02");
    QComboBox* giorni = c<QComboBox>("cmbg1");
    EXPECT_EQ(QString::number(giorni->count()) + giorni->itemText(0) + giorni->currentText(), "292929");
    scegli("cmba1", "2027");
    EXPECT_EQ(QString::number(giorni->count()) + giorni->currentText(), "2929");
    c<QCheckBox>("chkBianco")->click();
    EXPECT_EQ(abilitati({"cmdStampa", "frmLocalita", "frmPeriodo", "cmbCopie"}), "1001");
    EXPECT_EQ(c<QLineEdit>("txtLocalita")->palette().color(QPalette::Text), QColor(Qt::white));
    c<QCheckBox>("chkBianco")->click();
    EXPECT_EQ(abilitati({"cmdStampa", "frmLocalita", "frmPeriodo", "cmbCopie"}), "0110");
    c<QPushButton>("cmdHelp")->click();
    ASSERT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_FALSE(dialoghi.mostrati[0].testo.contains('\n'));  // lines end with CR alone
    dialoghi.risposte = {Risposta::No};                       // Yes is answered during the print below
    frm->cmdAnnulla_Click();
    EXPECT_FALSE(frm->annullaRichiesto());
    EXPECT_EQ(dialoghi.mostrati.last().testo, "Vuoi annullare la stampa?");
}

TEST_F(FrmBaseTest, PrinterChoiceThenQuestionThenPagesWithTheBarAndCancel) {
    finestra();
    c<QCheckBox>("chkBianco")->click();
    scegli("cmbCopie", "05");
    c<QPushButton>("cmdStampa")->click();
    QListWidget* lista = c<QListWidget>("lstStampanti");
    ASSERT_TRUE(lista->count() == 3 && !c<QGroupBox>("frmSelStampa")->isHidden());
    lista->setCurrentRow(1);  // "laser": the exact name, not the first ignoring case
    // During the print: the caption in the track, Annulla on, Stampa off; Annulla answered Yes on page 2.
    int giri = 0;
    dialoghi.durante = [&] {
        if (++giri != 3) return;
        EXPECT_EQ(c<QLineEdit>("txtFondo")->text(), kStampaInCorso);
        EXPECT_EQ(abilitati({"cmdAnnulla", "cmdStampa"}), "10");
        c<QPushButton>("cmdAnnulla")->click();
    };
    dialoghi.risposte = {Risposta::Si, Risposta::Si};  // print?  cancel?
    c<QPushButton>("cmdSelStampante_0")->click();
    ASSERT_EQ(aperte.size(), 1);
    EXPECT_EQ(aperte[0].stampante, "laser");
    EXPECT_TRUE(dialoghi.mostrati.at(0).testo.contains("Pagine: . . . . . . . . 5"));  // the copies
    ASSERT_EQ(stampati.size(), 1);
    EXPECT_TRUE(stampati[0].abbandonato && c<QLineEdit>("txtFondo")->text().isEmpty());
    EXPECT_EQ(abilitati({"cmdAnnulla", "cmdStampa"}), "01");
    EXPECT_TRUE(QFile::exists(QDir(dati.path()).filePath(kFileFineStampa)));
    // Rinuncia prints nothing.
    c<QPushButton>("cmdStampa")->click();
    c<QPushButton>("cmdSelStampante_1")->click();
    EXPECT_TRUE(c<QGroupBox>("frmSelStampa")->isHidden());
    EXPECT_EQ(aperte.size(), 1);
}

// A malformed command ends a launch with code 2 but leaves a typed one's window usable; a launch
// prints without a question to the default printer, or without printers to a PDF in the data
// folder, saying where.
TEST_F(FrmBaseTest, LaunchedPrints) {
    finestra();
    QSignalSpy fine(frm.get(), &FrmBase::fineProgramma);
    frm->applicaComando("ROMA 01/07/2026", true);
    frm->applicaComando("ROMA,01/07/2026,31/06/2026", false);
    ASSERT_EQ(fine.size(), 1);
    EXPECT_EQ(fine[0][0].toInt(), 2);
    EXPECT_EQ(dialoghi.mostrati.size(), 2);
    EXPECT_EQ(abilitati({"txtLocalita", "cmdHelp"}), "11");
    EXPECT_TRUE(aperte.isEmpty());
    frm->applicaComando("/opt/zavetra/kestrin ROMA,30/12/2026,02/01/2027", true);
    EXPECT_EQ(c<QLineEdit>("txtLocalita")->text() + c<QComboBox>("cmba2")->currentText(), "ROMA2027");
    EXPECT_EQ(abilitati({"cmbg1", "cmdHelp", "chkBianco"}), "000");
    ASSERT_EQ(aperte.size(), 1);
    EXPECT_EQ(aperte[0].filePdf, QDir(dati.path()).filePath("Moduli-ROMA-30122026.pdf"));
    ASSERT_EQ(stampati.size(), 1);
    EXPECT_EQ(stampati[0].pagine.size(), 5);
    ASSERT_EQ(dialoghi.mostrati.size(), 3);
    EXPECT_TRUE(dialoghi.mostrati[2].testo.contains(aperte[0].filePdf));
    ASSERT_EQ(fine.size(), 2);
    EXPECT_EQ(fine[1][0].toInt(), 0);
    finestra("Ufficio");
    frm->applicaComando("ROMA,01/07/2026,01/07/2026", false);
    ASSERT_EQ(aperte.size(), 2);
    EXPECT_EQ(aperte[1].stampante, "Ufficio");
    EXPECT_EQ(dialoghi.mostrati.size(), 3);
}
