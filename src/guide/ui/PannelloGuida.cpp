#include "guide/ui/PannelloGuida.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "database/TipiGuida.h"
#include "itinerary/GrigliaItinerario.h"

namespace {

constexpr int kLarghezzaDescrizione = 96;  // the width of the stored description
constexpr int kLarghezzaGruppo = 20;
constexpr int kPassoPagina = 12;

QStringList Numeri(int quanti) {
    QStringList lista;
    for (int i = 0; i < quanti; ++i) lista << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return lista;
}

// A list whose text is picked, never typed, but which can show a stored text outside the list.
QComboBox* Scelta(const QString& nome, const QStringList& voci) {
    auto* c = new QComboBox;
    c->setObjectName(nome);
    c->setEditable(true);
    c->lineEdit()->setReadOnly(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(voci);
    return c;
}

QPushButton* Pulsante(const QString& nome, const QString& testo) {
    auto* b = new QPushButton(testo);
    b->setObjectName(nome);
    b->setAutoDefault(false);
    return b;
}

bool DueCifre(const QString& t) {
    return t.size() == 2 && t[0].isDigit() && t[1].isDigit();
}

}  // namespace

PannelloGuida::PannelloGuida(Griglia& mfgTab, Archivio& archivio, const TabellaTipiGuida& tipi,
                             Dialoghi& dialoghi, QWidget* parent)
    : QWidget(parent),
      griglia_(mfgTab),
      tipi_(tipi),
      dialoghi_(dialoghi),
      archivio_(archivio),
      guida_(archivio, tipi, mfgTab, dialoghi) {
    setObjectName(QStringLiteral("PannelloGuida"));
    CreaControlli();
    Collega();
    hide();
}

void PannelloGuida::CreaControlli() {
    fraGuida = new QFrame(this);
    fraGuida->setObjectName(QStringLiteral("fraGuida"));
    fraGuida->setFrameShape(QFrame::StyledPanel);

    txtGCitta = new QLineEdit;
    txtGCitta->setObjectName(QStringLiteral("txtGCitta"));
    txtGCitta->setReadOnly(true);
    txtGCitta->setFocusPolicy(Qt::NoFocus);
    txtGGruppo = new QLineEdit;
    txtGGruppo->setObjectName(QStringLiteral("txtGGruppo"));
    txtGGruppo->setMaxLength(kLarghezzaGruppo);
    txtGDescr = new QLineEdit;
    txtGDescr->setObjectName(QStringLiteral("txtGDescr"));
    txtGDescr->setMaxLength(kLarghezzaDescrizione);
    cmbGH = Scelta(QStringLiteral("cmbGH"), Numeri(24));
    cmbGM = Scelta(QStringLiteral("cmbGM"), Numeri(60));
    cmbGTipo = new QComboBox;
    cmbGTipo->setObjectName(QStringLiteral("cmbGTipo"));
    cmbGTipo->addItems(ListaTipiGuida(tipi_));

    cmdSalvaRiga = Pulsante(QStringLiteral("cmdSalvaRiga"), QStringLiteral("&Salva riga"));
    cmdCancellaRiga = Pulsante(QStringLiteral("cmdCancellaRiga"), QStringLiteral("&Cancella riga"));
    cmdFind = Pulsante(QStringLiteral("cmdFind"), QStringLiteral("C&erca"));
    cmdStampaGuidaCitta = Pulsante(QStringLiteral("cmdStampaGuidaCitta"), QStringLiteral("Stam&pa"));
    cmdFineInserimento = Pulsante(QStringLiteral("cmdFineInserimento"), QStringLiteral("&Fine inserimento"));
    cmdHelpGuida0 = Pulsante(QStringLiteral("cmdHelpGuida_0"), QStringLiteral("[?]"));
    cmdHelpGuida1 = Pulsante(QStringLiteral("cmdHelpGuida_1"), QStringLiteral("[?]"));

    auto* campi = new QGridLayout;
    campi->addWidget(new QLabel(QStringLiteral("Località")), 0, 0);
    campi->addWidget(txtGCitta, 1, 0);
    campi->addWidget(new QLabel(QStringLiteral("Gruppo")), 0, 1);
    campi->addWidget(txtGGruppo, 1, 1);
    campi->addWidget(new QLabel(QStringLiteral("Monumento…")), 0, 2);
    campi->addWidget(txtGDescr, 1, 2);
    campi->addWidget(new QLabel(QStringLiteral("Tempo")), 0, 3, 1, 2);
    campi->addWidget(cmbGH, 1, 3);
    campi->addWidget(cmbGM, 1, 4);
    campi->addWidget(new QLabel(QStringLiteral("Tipologia")), 0, 5);
    campi->addWidget(cmbGTipo, 1, 5);
    campi->addWidget(cmdHelpGuida0, 1, 6);
    campi->setColumnStretch(2, 1);

    auto* pulsanti = new QHBoxLayout;
    for (QPushButton* b : {cmdFind, cmdSalvaRiga, cmdCancellaRiga, cmdStampaGuidaCitta, cmdFineInserimento})
        pulsanti->addWidget(b);
    pulsanti->addStretch();
    pulsanti->addWidget(cmdHelpGuida1);

    auto* interno = new QVBoxLayout(fraGuida);
    interno->addLayout(campi);
    interno->addLayout(pulsanti);

    cmbRicercaTappa = new QComboBox(this);
    cmbRicercaTappa->setObjectName(QStringLiteral("cmbRicercaTappa"));
    cmbRicercaTappa->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    cmbRicercaTappa->hide();

    auto* esterno = new QVBoxLayout(this);
    esterno->setContentsMargins(0, 0, 0, 0);
    esterno->addWidget(fraGuida);
    esterno->addWidget(cmbRicercaTappa);
    // Beside a tall grid the boxes stay under their labels, at the top.
    esterno->addStretch(1);
}

void PannelloGuida::Collega() {
    connect(cmdSalvaRiga, &QPushButton::clicked, this, &PannelloGuida::cmdSalvaRiga_Click);
    connect(cmdCancellaRiga, &QPushButton::clicked, this, &PannelloGuida::cmdCancellaRiga_Click);
    connect(cmdFind, &QPushButton::clicked, this, &PannelloGuida::cmdFind_Click);
    connect(cmdStampaGuidaCitta, &QPushButton::clicked, this, &PannelloGuida::stampaGuidaRichiesta);
    connect(cmdFineInserimento, &QPushButton::clicked, this, &PannelloGuida::cmdFineInserimento_Click);
    connect(cmdHelpGuida0, &QPushButton::clicked, this, [this] { cmdHelpGuida_Click(0); });
    connect(cmdHelpGuida1, &QPushButton::clicked, this, [this] { cmdHelpGuida_Click(1); });
    connect(cmbRicercaTappa, &QComboBox::activated, this, &PannelloGuida::cmbRicercaTappa_Click);
    connect(txtGDescr, &QLineEdit::textEdited, this, &PannelloGuida::txtGDescr_Change);
    // A time the boxes cannot show is kept only while the user leaves the boxes alone.
    auto oraToccata = [this](QComboBox* altra) {
        if (tempoMemorizzato_.isEmpty()) return;
        tempoMemorizzato_.clear();
        if (!DueCifre(altra->currentText())) altra->setCurrentText(QStringLiteral("00"));
    };
    connect(cmbGH, &QComboBox::activated, this, [this, oraToccata] { oraToccata(cmbGM); });
    connect(cmbGM, &QComboBox::activated, this, [this, oraToccata] { oraToccata(cmbGH); });
    txtGDescr->installEventFilter(this);
    txtGGruppo->installEventFilter(this);
}

void PannelloGuida::impostaMeta(const QString& codiceMeta) {
    guida_.codiceMeta = codiceMeta;
}

void PannelloGuida::collegaTabella(QAbstractItemView* tabella) {
    if (tabella_) tabella_->removeEventFilter(this);
    tabella_ = tabella;
    if (!tabella_) return;
    tabella_->installEventFilter(this);
    connect(tabella_, &QAbstractItemView::clicked, this, &PannelloGuida::mfgTab_Click);
}

// ---- The boxes ----------------------------------------------------------------------------------

CampiGuida PannelloGuida::LeggiCampi() const {
    CampiGuida c;
    c.citta = txtGCitta->text();
    c.gruppo = txtGGruppo->text();
    c.descrizione = txtGDescr->text();
    c.ore = cmbGH->currentText();
    c.minuti = cmbGM->currentText();
    c.tipo = cmbGTipo->currentText();
    c.tempoMemorizzato = tempoMemorizzato_;
    return c;
}

void PannelloGuida::ScriviCampi(const CampiGuida& campi) {
    txtGCitta->setText(campi.citta);
    txtGGruppo->setText(campi.gruppo);
    txtGDescr->setText(campi.descrizione);
    tempoMemorizzato_ = campi.tempoMemorizzato;
    if (tempoMemorizzato_.isEmpty()) {
        cmbGH->setCurrentText(campi.ore);
        cmbGM->setCurrentText(campi.minuti);
    } else {
        cmbGH->setCurrentText(tempoMemorizzato_);
        cmbGM->setCurrentText(QString());
    }
    cmbGTipo->setCurrentIndex(campi.tipo.isEmpty() ? -1
                                                   : cmbGTipo->findText(campi.tipo, Qt::MatchFixedString));
}

void PannelloGuida::AggiornaPulsanti() {
    cmdCancellaRiga->setEnabled(guida_.CancellaAbilitato());
}

// ---- Handlers -----------------------------------------------------------------------------------

bool PannelloGuida::cmdGuidaCitta_Click() {
    MostraListaLocalita(false);
    guida_.testoRicerca.clear();
    griglia_.svuotaDati();
    ImpostaGriglia(griglia_, LayoutGuida);
    if (!guida_.CreaLaListadellaGuida()) {
        hide();
        emit guidaChiusa();
        return false;
    }
    griglia_.seleziona(1, 0, 1, griglia_.colonne() - 1);
    griglia_.impostaRigaInAlto(1);
    tempoMemorizzato_.clear();
    show();
    cmdFineInserimento->setDefault(true);
    InserisciGuida();
    emit guidaAperta();
    return true;
}

void PannelloGuida::InserisciGuida() {
    CampiGuida campi = LeggiCampi();
    guida_.InserisciGuida(campi);
    ScriviCampi(campi);
    AggiornaPulsanti();
    txtGGruppo->setFocus();
}

void PannelloGuida::cmdSalvaRiga_Click() {
    CampiGuida campi = LeggiCampi();
    guida_.SalvaLaRigaGuidaCitta(campi, true);
    ScriviCampi(campi);
    AggiornaPulsanti();
    txtGDescr->setFocus();
}

void PannelloGuida::cmdCancellaRiga_Click() {
    CampiGuida campi = LeggiCampi();
    guida_.CancellaRiga(campi);
    ScriviCampi(campi);
    AggiornaPulsanti();
    txtGDescr->setFocus();
}

void PannelloGuida::cmdFind_Click() {
    if (guida_.Cerca(txtGDescr->text())) {
        InserisciGuida();
        return;
    }
    if (!guida_.modoGuida) return;
    cmbRicercaTappa->clear();
    cmbRicercaTappa->addItems(guida_.CercaLocalitaGuida());
    cmbRicercaTappa->setCurrentIndex(-1);
    MostraListaLocalita(true);
}

void PannelloGuida::cmbRicercaTappa_Click(int indice) {
    if (indice < 0 || indice >= cmbRicercaTappa->count()) return;
    const QString voce = cmbRicercaTappa->itemText(indice);
    MostraListaLocalita(false);
    CampiGuida campi = LeggiCampi();
    guida_.RicercaDiUnaLocalita(voce, campi);
    ScriviCampi(campi);
    AggiornaPulsanti();
    txtGGruppo->setFocus();
}

void PannelloGuida::MostraListaLocalita(bool mostra) {
    fraGuida->setEnabled(!mostra);
    if (tabella_) tabella_->setEnabled(!mostra);
    cmbRicercaTappa->setVisible(mostra);
    if (mostra) cmbRicercaTappa->setFocus();
}

void PannelloGuida::cmdFineInserimento_Click() {
    MostraListaLocalita(false);
    guida_.FineInserimento();
    hide();
    emit guidaChiusa();
}

bool PannelloGuida::cmdTrasferisce_Click() {
    if (!TrasferisceSosteGuida(griglia_, archivio_, dialoghi_, arcoVisita_, progresso_)) return false;
    emit grigliaCambiata();
    return true;
}

void PannelloGuida::cmdHelpGuida_Click(int indice) {
    dialoghi_.avviso(AiutoGuida(indice), QStringLiteral("Guida Città"), Icona::Informazione);
}

void PannelloGuida::mfgTab_Click() {
    if (guida_.modoGuida) InserisciGuida();
}

void PannelloGuida::txtGDescr_Change() {
    CampiGuida campi = LeggiCampi();
    if (EspandiAbbreviazione(campi, tipi_)) ScriviCampi(campi);
}

bool PannelloGuida::SpostaRiga(int passo) {
    CampiGuida campi = LeggiCampi();
    const bool spostata = guida_.SpostaRiga(passo, campi);
    ScriviCampi(campi);
    AggiornaPulsanti();
    return spostata;
}

// ---- Keys ---------------------------------------------------------------------------------------

bool PannelloGuida::TastoRiga(int tasto) {
    switch (tasto) {
        case Qt::Key_Up:
            SpostaRiga(-1);
            return true;
        case Qt::Key_Down:
            SpostaRiga(1);
            return true;
        case Qt::Key_PageUp:
            SpostaRiga(-kPassoPagina);
            return true;
        case Qt::Key_PageDown:
            SpostaRiga(kPassoPagina);
            return true;
        default:
            return false;
    }
}

bool PannelloGuida::TastoGruppo(QObject* oggetto, QEvent* evento) {
    auto* e = static_cast<QKeyEvent*>(evento);
    const QString testo = e->text();
    if (testo.size() != 1) return false;
    QChar tasto = testo[0];
    if (!TastoGruppoAccettato(tasto)) return true;
    if (tasto == testo[0]) return false;
    static_cast<QLineEdit*>(oggetto)->insert(QString(tasto));
    return true;
}

bool PannelloGuida::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress) {
        if (oggetto == txtGGruppo) return TastoGruppo(oggetto, evento);
        const bool righe = oggetto == txtGDescr || (tabella_ && oggetto == tabella_);
        if (righe && guida_.modoGuida && TastoRiga(static_cast<QKeyEvent*>(evento)->key())) return true;
    }
    return QWidget::eventFilter(oggetto, evento);
}
