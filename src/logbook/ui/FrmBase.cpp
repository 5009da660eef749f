#include "logbook/ui/FrmBase.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>

#include "common/Date.h"
#include "common/Dialoghi.h"
#include "common/Orologio.h"
#include "common/Tempo.h"
#include "logbook/BatchModuli.h"
#include "logbook/CicloStampa.h"
#include "logbook/ComandoModuli.h"
#include "printing/Loghi.h"
#include "printing/Superficie.h"

namespace {

// Twips of the window's measures, shown at 15 twips a pixel.
constexpr int kTwipPerPixel = 15;
constexpr int kLarghezza = 6000 / kTwipPerPixel;
constexpr int kAltezza = 4000 / kTwipPerPixel;
constexpr int kAltezzaBarra = 330 / kTwipPerPixel;

// Lists whose values come only from the list: every key press is thrown away.
class SenzaTasti : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) return true;
        return QObject::eventFilter(o, e);
    }
};

QComboBox* Lista(QWidget* genitore, const QString& nome, QRect r, const QString& suggerimento = {}) {
    auto* c = new QComboBox(genitore);
    c->setObjectName(nome);
    c->setGeometry(r);
    c->setToolTip(suggerimento);
    return c;
}

QPushButton* Pulsante(QWidget* genitore, const QString& nome, const QString& testo, QRect r,
                      const QString& suggerimento = {}) {
    auto* b = new QPushButton(testo, genitore);
    b->setObjectName(nome);
    b->setGeometry(r);
    b->setToolTip(suggerimento);
    return b;
}

void ColoreTesto(QWidget* w, Qt::GlobalColor colore) {
    QPalette p = w->palette();
    p.setColor(QPalette::Text, colore);
    p.setColor(QPalette::ButtonText, colore);
    w->setPalette(p);
}

}  // namespace

StampantiFrm StampantiFrm::diSistema() {
    StampantiFrm s;
    s.predefinita = [] { return QPrinterInfo::defaultPrinterName(); };
    return s;
}

FrmBase::FrmBase(Dialoghi& dialoghi, const Orologio& orologio, const QString& cartellaDati,
                 StampantiFrm stampanti, QWidget* genitore)
    : QWidget(genitore),
      dialoghi_(dialoghi),
      orologio_(orologio),
      cartellaDati_(cartellaDati),
      stampanti_(std::move(stampanti)) {
    costruisci();
    // Form_Load: an idle window with today's month.
    comando_.clear();
    annulla_ = false;
    frmSelStampa_->hide();
    DimensionafrmBase(false);
    txtFondo_->clear();
    cmdAnnulla_->setEnabled(false);
    cmbCopie_->setEnabled(false);
    riempiListe();
    if (QScreen* schermo = screen()) move(schermo->availableGeometry().center() - rect().center());
    StampaVisibile();
}

void FrmBase::costruisci() {
    setObjectName(QStringLiteral("frmbase"));
    setWindowTitle(QStringLiteral("Stampa moduli per  'Lunoro'"));
    auto* filtro = new SenzaTasti(this);

    frmLocalita_ = new QGroupBox(QStringLiteral("D&estinazione:"), this);
    frmLocalita_->setObjectName(QStringLiteral("frmLocalita"));
    frmLocalita_->setGeometry(8, 4, 384, 48);
    txtLocalita_ = new QLineEdit(frmLocalita_);
    txtLocalita_->setObjectName(QStringLiteral("txtLocalita"));
    txtLocalita_->setGeometry(8, 20, 368, 22);
    connect(txtLocalita_, &QLineEdit::textEdited, this, [this](const QString& t) {
        const int cursore = txtLocalita_->cursorPosition();
        txtLocalita_->setText(t.toUpper());
        txtLocalita_->setCursorPosition(cursore);
        StampaVisibile();
    });

    frmPeriodo_ = new QGroupBox(QStringLiteral("Periodo:"), this);
    frmPeriodo_->setObjectName(QStringLiteral("frmPeriodo"));
    frmPeriodo_->setGeometry(8, 56, 384, 52);
    const QString inizio = QStringLiteral("Indica giorno, mese ed anno di inizio dell'itinerario");
    const QString fine = QStringLiteral("Indica giorno, mese ed anno di fine dell'itinerario");
    auto* label1 = new QLabel(QStringLiteral("&Dal"), frmPeriodo_);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(6, 22, 24, 22);
    cmbg1_ = Lista(frmPeriodo_, QStringLiteral("cmbg1"), {30, 20, 46, 24}, inizio);
    cmbm1_ = Lista(frmPeriodo_, QStringLiteral("cmbm1"), {78, 20, 46, 24}, inizio);
    cmba1_ = Lista(frmPeriodo_, QStringLiteral("cmba1"), {126, 20, 62, 24}, inizio);
    auto* label2 = new QLabel(QStringLiteral("&Al"), frmPeriodo_);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(198, 22, 20, 22);
    cmbg2_ = Lista(frmPeriodo_, QStringLiteral("cmbg2"), {218, 20, 46, 24}, fine);
    cmbm2_ = Lista(frmPeriodo_, QStringLiteral("cmbm2"), {266, 20, 46, 24}, fine);
    cmba2_ = Lista(frmPeriodo_, QStringLiteral("cmba2"), {314, 20, 62, 24}, fine);
    label1->setBuddy(cmbg1_);
    label2->setBuddy(cmbg2_);

    frmBianco_ = new QGroupBox(QStringLiteral("Stampa dei fogli in bianco:"), this);
    frmBianco_->setObjectName(QStringLiteral("frmBianco"));
    frmBianco_->setGeometry(8, 112, 384, 48);
    chkBianco_ = new QCheckBox(QStringLiteral("&Moduli in bianco"), frmBianco_);
    chkBianco_->setObjectName(QStringLiteral("chkBianco"));
    chkBianco_->setGeometry(8, 20, 160, 22);
    auto* label3 = new QLabel(QStringLiteral("&Num. pagine:"), frmBianco_);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setGeometry(200, 20, 90, 22);
    cmbCopie_ = Lista(frmBianco_, QStringLiteral("cmbCopie"), {294, 18, 56, 24});
    label3->setBuddy(cmbCopie_);

    for (QComboBox* c : {cmbg1_, cmbm1_, cmba1_, cmbg2_, cmbm2_, cmba2_, cmbCopie_})
        c->installEventFilter(filtro);

    cmdStampa_ = Pulsante(this, QStringLiteral("cmdStampa"), QStringLiteral("&Stampa"), {8, 166, 84, 28},
                          QStringLiteral("Stampa i moduli per il Lunoro"));
    cmdAnnulla_ = Pulsante(this, QStringLiteral("cmdAnnulla"), QStringLiteral("&Annulla"), {98, 166, 84, 28},
                           QStringLiteral("Annulla la stampa in corso"));
    cmdHelp_ = Pulsante(this, QStringLiteral("cmdHelp"), QStringLiteral("&?"), {188, 166, 32, 28});
    cmdFine_ = Pulsante(this, QStringLiteral("cmdFine"), QStringLiteral("&Fine"), {308, 166, 84, 28},
                        QStringLiteral("Fine dell'esecuzione del programma"));

    auto* logo1 = new QLabel(this);
    logo1->setObjectName(QStringLiteral("imgLogo1"));
    logo1->setGeometry(8, 200, 40, 40);
    logo1->setPixmap(
        QPixmap::fromImage(Logo1()).scaled(40, 40, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    auto* logo2 = new QLabel(this);
    logo2->setObjectName(QStringLiteral("imgLogo2"));
    logo2->setGeometry(352, 200, 40, 40);
    logo2->setPixmap(
        QPixmap::fromImage(Logo2()).scaled(40, 40, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    lblCrediti_ = new QLabel(RigaCrediti(), this);
    lblCrediti_->setObjectName(QStringLiteral("lblCrediti"));
    lblCrediti_->setGeometry(52, 200, 296, 40);
    lblCrediti_->setAlignment(Qt::AlignCenter);
    lblCrediti_->setWordWrap(true);

    txtFondo_ = new QLineEdit(this);
    txtFondo_->setObjectName(QStringLiteral("txtFondo"));
    txtFondo_->setGeometry(8, kAltezza, 384, kAltezzaBarra - 2);
    txtFondo_->setReadOnly(true);
    txtFondo_->setAlignment(Qt::AlignCenter);
    txtSopra_ = new QLineEdit(txtFondo_);
    txtSopra_->setObjectName(QStringLiteral("txtSopra"));
    txtSopra_->setReadOnly(true);
    txtSopra_->setGeometry(0, 0, 0, kAltezzaBarra - 2);
    txtSopra_->setStyleSheet(QStringLiteral("background-color: #3070c0; border: none;"));

    frmSelStampa_ = new QGroupBox(QStringLiteral("Selezione stampante:"), this);
    frmSelStampa_->setObjectName(QStringLiteral("frmSelStampa"));
    frmSelStampa_->setGeometry(60, 20, 280, 200);
    frmSelStampa_->setAutoFillBackground(true);
    lstStampanti_ = new QListWidget(frmSelStampa_);
    lstStampanti_->setObjectName(QStringLiteral("lstStampanti"));
    lstStampanti_->setGeometry(8, 22, 264, 132);
    cmdSelStampante_[0] =
        Pulsante(frmSelStampa_, QStringLiteral("cmdSelStampante_0"), QStringLiteral("S&tampa"),
                 {8, 162, 126, 28}, QStringLiteral("Avvio della stampa"));
    cmdSelStampante_[1] =
        Pulsante(frmSelStampa_, QStringLiteral("cmdSelStampante_1"), QStringLiteral("&Rinuncia"),
                 {146, 162, 126, 28}, QStringLiteral("Rinuncia alla stampa"));

    connect(cmbg1_, &QComboBox::activated, this, &FrmBase::StampaVisibile);
    connect(cmbg2_, &QComboBox::activated, this, &FrmBase::StampaVisibile);
    connect(cmba1_, &QComboBox::activated, this, &FrmBase::StampaVisibile);
    connect(cmba2_, &QComboBox::activated, this, &FrmBase::StampaVisibile);
    connect(cmbm1_, &QComboBox::activated, this, &FrmBase::cmbM1_Click);
    connect(cmbm2_, &QComboBox::activated, this, &FrmBase::cmbM2_Click);
    connect(chkBianco_, &QCheckBox::clicked, this, &FrmBase::chkBianco_Click);
    connect(cmdStampa_, &QPushButton::clicked, this, &FrmBase::cmdStampa_Click);
    connect(cmdAnnulla_, &QPushButton::clicked, this, &FrmBase::cmdAnnulla_Click);
    connect(cmdFine_, &QPushButton::clicked, this, &FrmBase::cmdFine_Click);
    connect(cmdHelp_, &QPushButton::clicked, this, &FrmBase::cmdHelp_Click);
    connect(cmdSelStampante_[0], &QPushButton::clicked, this, [this] { cmdSelStampante_Click(0); });
    connect(cmdSelStampante_[1], &QPushButton::clicked, this, [this] { cmdSelStampante_Click(1); });
}

void FrmBase::riempiListe() {
    for (QComboBox* c : {cmbg1_, cmbm1_, cmba1_, cmbg2_, cmbm2_, cmba2_, cmbCopie_}) c->clear();
    for (int i = 1; i <= 31; ++i) {
        cmbg1_->addItem(Zero(i, 2));
        cmbg2_->addItem(Zero(i, 2));
    }
    for (int i = 1; i <= 12; ++i) {
        cmbm1_->addItem(Zero(i, 2));
        cmbm2_->addItem(Zero(i, 2));
    }
    const QDate oggi = orologio_.adesso().date();
    for (int a = oggi.year() - 1; a <= oggi.year() + 2; ++a) {
        cmba1_->addItem(QString::number(a));
        cmba2_->addItem(QString::number(a));
    }
    for (int i = 1; i <= 99; ++i) cmbCopie_->addItem(Zero(i, 2));
    cmbCopie_->setCurrentIndex(0);
    scegli(cmbg1_, Zero(oggi.day(), 2));
    scegli(cmbg2_, QStringLiteral("31"));
    scegli(cmbm1_, Zero(oggi.month(), 2));
    scegli(cmbm2_, Zero(oggi.month(), 2));
    scegli(cmba1_, QString::number(oggi.year()));
    scegli(cmba2_, QString::number(oggi.year()));
}

void FrmBase::scegli(QComboBox* lista, const QString& valore) {
    int i = lista->findText(valore);
    if (i < 0) {
        // A launched period may lie outside the years offered: its year joins the list in order.
        i = 0;
        while (i < lista->count() && lista->itemText(i) < valore) ++i;
        lista->insertItem(i, valore);
    }
    lista->setCurrentIndex(i);
}

void FrmBase::applicaComando(const QString& testo, bool daFile) {
    if (testo.trimmed().isEmpty()) return;
    const ComandoModuli c = LeggiComandoModuli(testo);
    if (!c.valido()) {
        dialoghi_.avviso(c.errore, kTitoloModuli, Icona::Critico);
        if (daFile) emit fineProgramma(kUscitaModuliComando);
        return;
    }
    comando_ = testo;
    txtLocalita_->setText(c.destinazione);
    scegli(cmbg1_, Zero(c.inizio.day(), 2));
    scegli(cmbm1_, Zero(c.inizio.month(), 2));
    scegli(cmba1_, QString::number(c.inizio.year()));
    scegli(cmbg2_, Zero(c.fine.day(), 2));
    scegli(cmbm2_, Zero(c.fine.month(), 2));
    scegli(cmba2_, QString::number(c.fine.year()));
    for (QWidget* w : std::initializer_list<QWidget*>{cmdHelp_, txtLocalita_, cmbg1_, cmbm1_, cmba1_, cmbg2_,
                                                      cmbm2_, cmba2_, chkBianco_})
        w->setEnabled(false);

    const QString predefinita = stampanti_.predefinita ? stampanti_.predefinita() : QString();
    const bool ripiego = predefinita.isEmpty();
    const Destinazione dest =
        ripiego ? Destinazione{{}, FilePdfPredefinito(cartellaDati_, c.destinazione, c.inizio)}
                : Destinazione{predefinita, {}};
    emit fineProgramma(stampa(dest, true, ripiego) ? 0 : kUscitaModuliErrore);
}

bool FrmBase::stampa(const Destinazione& dest, bool conComando, bool pdfRipiego) {
    RichiestaModuli r;
    r.destinazione = txtLocalita_->text();
    r.giorno1 = cmbg1_->currentText();
    r.mese1 = cmbm1_->currentText();
    r.anno1 = cmba1_->currentText();
    r.giorno2 = cmbg2_->currentText();
    r.mese2 = cmbm2_->currentText();
    r.anno2 = cmba2_->currentText();
    r.bianco = chkBianco_->isChecked();
    r.copie = cmbCopie_->currentText().toInt();
    annulla_ = false;
    const std::unique_ptr<Superficie> s = stampanti_.apri(dest);
    const EsitoCiclo esito = CiclodiStampa(*s, PreparaModuli(r), conComando, dialoghi_, *this, cartellaDati_);
    if (!esito.errore.isEmpty()) {
        dialoghi_.avviso(esito.errore, kTitoloModuli, Icona::Critico);
        return false;
    }
    if (pdfRipiego && esito.riuscito())
        dialoghi_.avviso(
            QStringLiteral("Nessuna stampante disponibile: i moduli sono stati salvati nel file") +
                QChar(13) + dest.filePdf,
            kTitoloModuli, Icona::Informazione);
    return true;
}

void FrmBase::StampaVisibile() {
    const QString inizio = Gma2Data(cmbg1_->currentText(), cmbm1_->currentText(), cmba1_->currentText());
    const QString fine = Gma2Data(cmbg2_->currentText(), cmbm2_->currentText(), cmba2_->currentText());
    cmdStampa_->setEnabled(!txtLocalita_->text().isEmpty() && Data2Giul(inizio) <= Data2Giul(fine));
    cmdStampa_->setDefault(true);
}

void FrmBase::ricostruisciGiorni(QComboBox* giorni, const QComboBox* mesi, const QComboBox* anni) {
    const int n = GiorniMese(anni->currentText().toInt(), mesi->currentText().toInt());
    const int scelto = std::min(giorni->currentText().toInt(), n);
    giorni->clear();
    for (int g = n; g >= 1; --g) giorni->addItem(Zero(g, 2));
    giorni->setCurrentIndex(giorni->findText(Zero(std::max(scelto, 1), 2)));
}

void FrmBase::cmbM1_Click() {
    ricostruisciGiorni(cmbg1_, cmbm1_, cmba1_);
    StampaVisibile();
}

void FrmBase::cmbM2_Click() {
    ricostruisciGiorni(cmbg2_, cmbm2_, cmba2_);
    StampaVisibile();
}

void FrmBase::chkBianco_Click() {
    const bool bianco = chkBianco_->isChecked();
    frmLocalita_->setEnabled(!bianco);
    frmPeriodo_->setEnabled(!bianco);
    cmbCopie_->setEnabled(bianco);
    for (QWidget* w :
         std::initializer_list<QWidget*>{txtLocalita_, cmbg1_, cmbm1_, cmba1_, cmbg2_, cmbm2_, cmba2_})
        ColoreTesto(w, bianco ? Qt::white : Qt::black);
    if (bianco) {
        cmdStampa_->setEnabled(true);
        cmdStampa_->setDefault(true);
    } else {
        StampaVisibile();
    }
}

void FrmBase::cmdStampa_Click() {
    lstStampanti_->clear();
    const QStringList elenco = ElencoStampanti(stampanti_.elenco ? stampanti_.elenco() : QStringList());
    lstStampanti_->addItems(elenco);
    const int iniziale = VoceIniziale(elenco);
    if (iniziale >= 0) lstStampanti_->setCurrentRow(iniziale);
    frmSelStampa_->raise();
    frmSelStampa_->show();
}

void FrmBase::cmdSelStampante_Click(int indice) {
    frmSelStampa_->hide();
    if (indice != 0) return;
    const QList<QListWidgetItem*> scelte = lstStampanti_->selectedItems();
    const QString scelta = scelte.isEmpty() ? QString() : scelte.first()->text();
    Destinazione dest = corrente_;
    bool ripiego = false;
    if (scelta == kVocePdf) {
        const QString file = dialoghi_.salvaFile(QStringLiteral("Stampa dei moduli su file PDF"),
                                                 filePdfProposto(), QStringLiteral("File PDF|*.pdf"));
        if (file.isEmpty()) return;
        dest = {{}, file};
    } else if (!scelta.isEmpty()) {
        dest = {scelta, {}};
    } else if (!dest.valida()) {
        // Nothing chosen and nothing chosen before: the default printer, or a PDF in the data folder.
        const QString predefinita = stampanti_.predefinita ? stampanti_.predefinita() : QString();
        ripiego = predefinita.isEmpty();
        dest = ripiego ? Destinazione{{}, filePdfProposto()} : Destinazione{predefinita, {}};
    }
    corrente_ = dest;
    stampa(dest, false, ripiego);
}

QString FrmBase::filePdfProposto() const {
    if (chkBianco_->isChecked())
        return FilePdfPredefinito(cartellaDati_, QStringLiteral("in bianco"), orologio_.adesso().date());
    const QDate inizio(cmba1_->currentText().toInt(), cmbm1_->currentText().toInt(),
                       cmbg1_->currentText().toInt());
    return FilePdfPredefinito(cartellaDati_, txtLocalita_->text(),
                              inizio.isValid() ? inizio : orologio_.adesso().date());
}

void FrmBase::cmdAnnulla_Click() {
    annulla_ = dialoghi_.domanda(QStringLiteral("Vuoi annullare la stampa?"), kTitoloModuli);
}

void FrmBase::cmdFine_Click() {
    close();
}

QString FrmBase::testoAiuto() {
    const QStringList righe{
        QStringLiteral("Stampa con dati inseriti ('Moduli in bianco' non settato)"),
        QStringLiteral("Campi obbligatori"),
        QStringLiteral("   * località;"),
        QStringLiteral("   * data iniziale dell'itinerario;"),
        QStringLiteral("   * data finale dell'itinerario (almeno pari all'iniziale)."),
        QString(),
        QStringLiteral("Per la stampa di 'Moduli in bianco', settare l'apposita casella"),
        QStringLiteral("e indicare il numero di pagine desiderate (1-99). Questo dato non"),
        QStringLiteral("influisce nella stampa dei moduli compilati dove è sempre pari ad 1."),
        QString(),
        QStringLiteral("L'applicazione 'Zavetra' utilizza questo modulo di"),
        QStringLiteral("programma inserendo automaticamente i dati necessari."),
        QString()};
    return righe.join(QChar(13));
}

void FrmBase::cmdHelp_Click() {
    dialoghi_.avviso(testoAiuto(), QStringLiteral("Help - istruzioni per l'uso"), Icona::Informazione);
}

void FrmBase::StatoStampa(int corr, int totale) {
    txtSopra_->show();
    txtSopra_->resize(totale > 0 ? txtFondo_->width() * corr / totale : 0, txtSopra_->height());
}

void FrmBase::DimensionafrmBase(bool conBarra) {
    show();
    txtSopra_->setVisible(conBarra);
    setFixedSize(kLarghezza, kAltezza + (conBarra ? kAltezzaBarra : 0));
}

void FrmBase::didascalia(const QString& testo) {
    txtFondo_->setText(testo);
}

void FrmBase::posizione(int valore, int massimo) {
    if (valore == 0) {
        DimensionafrmBase(true);
        cmdAnnulla_->setEnabled(true);
        cmdStampa_->setEnabled(false);
        dialoghi_.eseguiEventi();
        return;
    }
    StatoStampa(valore, massimo);
}

void FrmBase::azzera() {
    DimensionafrmBase(false);
    cmdAnnulla_->setEnabled(false);
    cmdStampa_->setEnabled(true);
}

bool FrmBase::stopRichiesto() const {
    dialoghi_.eseguiEventi();
    return annulla_;
}
