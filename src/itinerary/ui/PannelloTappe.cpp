#include "itinerary/ui/PannelloTappe.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QStatusTipEvent>
#include <QStyle>
#include <QVBoxLayout>

#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "common/ui/GrigliaModello.h"
#include "common/ui/TabellaGriglia.h"
#include "itinerary/GrigliaItinerario.h"

namespace {

const QString kTipiStrada = QStringLiteral("ASPL");
constexpr int kRighePagina = 18;

QString Nome(const char* base, int indice) {
    return QString::fromLatin1(base) + QLatin1Char('_') + QString::number(indice);
}

QPushButton* Pulsante(const char* nome, const QString& didascalia) {
    auto* p = new QPushButton(didascalia);
    p->setObjectName(QString::fromLatin1(nome));
    p->setAutoDefault(false);
    return p;
}

QPushButton* Aiuto(const QString& nome, const QString& suggerimento) {
    auto* p = new QPushButton(QStringLiteral("[?]"));
    p->setObjectName(nome);
    p->setToolTip(suggerimento);
    p->setAutoDefault(false);
    p->setFixedWidth(p->fontMetrics().horizontalAdvance(QStringLiteral("[?]")) + 12);
    return p;
}

QLineEdit* Campo(const char* nome, int caratteri) {
    auto* t = new QLineEdit;
    t->setObjectName(QString::fromLatin1(nome));
    if (caratteri > 0) t->setMaxLength(caratteri);
    return t;
}

QComboBox* SceltaSosta(int indice, int massimo) {
    auto* c = new QComboBox;
    c->setObjectName(Nome("cmbSosta", indice));
    c->setEditable(true);
    c->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,2}")), c));
    for (int i = 0; i <= massimo; ++i) c->addItem(Zero(i, 2));
    c->setCurrentText(QStringLiteral("00"));
    return c;
}

}  // namespace

PannelloTappe::PannelloTappe(Griglia& mfgTab, Dialoghi& dialoghi, CollegamentoBoxMeta box,
                             TabellaGriglia* tabella, QWidget* parent)
    : QWidget(parent), mfgTab_(mfgTab), dialoghi_(dialoghi), box_(std::move(box)), tabella_(tabella) {
    setObjectName(QStringLiteral("PannelloTappe"));
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    if (!tabella_) {
        tabella_ = new TabellaGriglia(&mfgTab_);
        tabella_->setObjectName(QStringLiteral("mfgTab"));
        h->addWidget(tabella_, 1);
    }

    cmbRicercaTappa = new QListWidget;
    cmbRicercaTappa->setObjectName(QStringLiteral("cmbRicercaTappa"));
    cmbRicercaTappa->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    cmbRicercaTappa->hide();
    h->addWidget(cmbRicercaTappa);

    frmItinerario = CreaCornice();
    frmItinerario->hide();
    h->addWidget(frmItinerario);
    Collega();
    ApplicaAbilitazione(RegolaAbilitazione(mfgTab_));
}

QFrame* PannelloTappe::CreaCornice() {
    auto* cornice = new QFrame;
    cornice->setObjectName(QStringLiteral("frmItinerario"));
    cornice->setFrameShape(QFrame::StyledPanel);
    // On a low window the boxes keep their size and the frame scrolls.
    auto* scorrimento = new QScrollArea;
    scorrimento->setFrameShape(QFrame::NoFrame);
    scorrimento->setWidgetResizable(true);
    scorrimento->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* esterno = new QVBoxLayout(cornice);
    esterno->setContentsMargins(0, 0, 0, 0);
    esterno->addWidget(scorrimento);
    auto* contenuto = new QWidget;
    auto* v = new QVBoxLayout(contenuto);
    auto* g = new QGridLayout;
    v->addLayout(g);
    int r = 0;

    txtRiga = Campo("txtRiga", 0);
    txtRiga->setReadOnly(true);
    txtRiga->setFocusPolicy(Qt::NoFocus);
    txtRiga->setToolTip(QStringLiteral("Numero cronologico della tappa (automatico)"));
    txtRiga->setMaximumWidth(txtRiga->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    g->addWidget(new QLabel(QStringLiteral("N.")), r, 0);
    g->addWidget(txtRiga, r++, 1, Qt::AlignLeft);

    txtTappa = Campo("txtTappa", 0);
    txtTappa->setPlaceholderText(QString::fromUtf8("Indicare la località di arrivo"));
    lblCaratteriTappa = new QLabel;
    lblCaratteriTappa->setObjectName(QStringLiteral("lblCaratteriTappa"));
    g->addWidget(new QLabel(QStringLiteral("Tappa")), r, 0);
    g->addWidget(txtTappa, r, 1, 1, 2);
    g->addWidget(lblCaratteriTappa, r++, 3);

    txtNumStrada = Campo("txtNumStrada", 64);
    g->addWidget(new QLabel(QStringLiteral("Numero strada (TRAGH=Traghetto)")), r++, 0, 1, 4);
    g->addWidget(txtNumStrada, r++, 0, 1, 4);

    txtKm = Campo("txtKm", 0);
    chkKm = new QCheckBox(QStringLiteral(" Km. progress."));
    chkKm->setObjectName(QStringLiteral("chkKm"));
    chkKm->hide();
    cmdHelpKm = Aiuto(QStringLiteral("cmdHelpKm"), QStringLiteral("Informazioni sui campi"));
    g->addWidget(new QLabel(QStringLiteral("Distanza in Km.")), r, 0);
    g->addWidget(txtKm, r, 1);
    g->addWidget(chkKm, r, 2);
    g->addWidget(cmdHelpKm, r++, 3);

    // Shown from the slowest road to the fastest; the array keeps the "ASPL" order of the codes.
    static const std::array<const char*, 4> didascalie{"&Autostrada", "&Superstrada", "&Principale",
                                                       "&Locale"};
    auto* gruppo = new QButtonGroup(cornice);
    auto* strade = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        optStrada[i] = new QRadioButton(QString::fromLatin1(didascalie[i]));
        optStrada[i]->setObjectName(Nome("optStrada", i));
        gruppo->addButton(optStrada[i], i);
    }
    for (int i = 3; i >= 0; --i) strade->addWidget(optStrada[i]);
    g->addLayout(strade, r++, 0, 1, 4);

    g->addWidget(new QLabel(QStringLiteral("Eventuale sosta (in gg:hh:mm):")), r++, 0, 1, 4);
    auto* sosta = new QHBoxLayout;
    static const std::array<int, 3> massimi{30, 23, 59};
    for (int i = 0; i < 3; ++i) {
        cmbSosta[i] = SceltaSosta(i, massimi[i]);
        sosta->addWidget(cmbSosta[i]);
    }
    sosta->addStretch();
    g->addLayout(sosta, r++, 0, 1, 4);

    chkEndDay = new QCheckBox(QStringLiteral("Fine giornata"));
    chkEndDay->setObjectName(QStringLiteral("chkEndDay"));
    g->addWidget(chkEndDay, r++, 0, 1, 4);
    static const std::array<const char*, 2> mete{"Prima mèta", "Ultima mèta"};
    for (int i = 0; i < 2; ++i) {
        chkMeta[i] = new QCheckBox(QString::fromUtf8(mete[i]));
        chkMeta[i]->setObjectName(Nome("chkMeta", i));
        g->addWidget(chkMeta[i], r, i * 2, 1, 2);
    }
    ++r;
    v->addWidget(CreaPulsanti());
    v->addStretch();
    scorrimento->setWidget(contenuto);
    scorrimento->setMinimumWidth(contenuto->sizeHint().width() +
                                 scorrimento->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    return cornice;
}

QWidget* PannelloTappe::CreaPulsanti() {
    auto* w = new QWidget;
    auto* g = new QGridLayout(w);
    g->setContentsMargins(0, 0, 0, 0);
    cmdInserisce = Pulsante("cmdInserisce", QStringLiteral("&Inserisce tappa"));
    cmdAggiunge = Pulsante("cmdAggiunge", QStringLiteral("&Aggiunge riga vuota"));
    cmdRitorno = Pulsante("cmdRitorno", QStringLiteral("Ri&torno a start"));
    cmdCancella = Pulsante("cmdCancella", QStringLiteral("&Cancella riga/tappa"));
    cmdCerca = Pulsante("cmdCerca", QString::fromUtf8("C&erca località"));
    // One line per [?]: its help lists the buttons of that line.  The buttons of lines 4 and 5
    // belong to the window; their [?] are here with the others.
    const std::array<std::array<QPushButton*, 2>, 5> linee{{{cmdInserisce, cmdAggiunge},
                                                            {cmdRitorno, cmdCancella},
                                                            {cmdCerca, nullptr},
                                                            {nullptr, nullptr},
                                                            {nullptr, nullptr}}};
    static const std::array<const char*, 2> altriComandi{
        "Azzera soste itiner., Copia soste guida ->itin., Altri Pacch.",
        "Copia da altre mète, Salva Reset, Fine inser."};
    for (int i = 0; i < 5; ++i) {
        for (int c = 0; c < 2; ++c)
            if (linee[i][c]) g->addWidget(linee[i][c], i, c);
        if (i >= 3) {
            auto* comandi = new QLabel(QString::fromUtf8(altriComandi[i - 3]));
            comandi->setWordWrap(true);
            g->addWidget(comandi, i, 0, 1, 2);
        }
        cmdHelpItin[i] = Aiuto(Nome("cmdHelpItin", i + 1), QStringLiteral("Significato dei pulsanti"));
        g->addWidget(cmdHelpItin[i], i, 2);
    }
    return w;
}

void PannelloTappe::Collega() {
    connect(cmdInserisce, &QPushButton::clicked, this, &PannelloTappe::cmdInserisce_Click);
    connect(cmdAggiunge, &QPushButton::clicked, this, &PannelloTappe::cmdAggiunge_Click);
    connect(cmdCancella, &QPushButton::clicked, this, &PannelloTappe::cmdCancella_Click);
    connect(cmdRitorno, &QPushButton::clicked, this, &PannelloTappe::cmdRitorno_Click);
    connect(cmdCerca, &QPushButton::clicked, this, &PannelloTappe::cmdCerca_Click);
    connect(cmdHelpKm, &QPushButton::clicked, this, &PannelloTappe::cmdHelpKm_Click);
    for (int i = 0; i < 5; ++i)
        connect(cmdHelpItin[i], &QPushButton::clicked, this, [this, i] { cmdHelpItin_Click(i + 1); });
    for (QCheckBox* meta : chkMeta)
        connect(meta, &QCheckBox::toggled, this, &PannelloTappe::AggiornaCaratteriTappa);
    AggiornaCaratteriTappa();
    connect(cmbRicercaTappa, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* voce) { cmbRicercaTappa_Click(cmbRicercaTappa->row(voce)); });
    connect(cmbRicercaTappa, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* voce) { cmbRicercaTappa_Click(cmbRicercaTappa->row(voce)); });
    // Pasted text bypasses the key filter.
    connect(txtKm, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (FiltraKm(t) != t) txtKm->setText(FiltraKm(t));
    });

    const GrigliaModello* modello = tabella_->modello();
    connect(tabella_, &QAbstractItemView::clicked, this,
            [this, modello](const QModelIndex& i) { mfgTab_Click(modello->rigaGriglia(i.row())); });
    tabella_->installEventFilter(this);
    // The click before a double click repositions the grid, which resets the view's model and
    // with it the pressed cell the view's own doubleClicked signal needs: read the event itself.
    tabella_->viewport()->installEventFilter(this);
    for (QLineEdit* campo : {txtTappa, txtNumStrada, txtKm}) campo->installEventFilter(this);
    cmbRicercaTappa->installEventFilter(this);
}

bool PannelloTappe::eventFilter(QObject* oggetto, QEvent* evento) {
    // The type comes first: a view being destroyed still sends other events, and must not be
    // looked at then.
    if (evento->type() == QEvent::MouseButtonDblClick) {
        if (!tabella_ || oggetto != tabella_->viewport()) return QWidget::eventFilter(oggetto, evento);
        const auto* mouse = static_cast<QMouseEvent*>(evento);
        const QModelIndex cella = tabella_->indexAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && cella.isValid())
            mfgTab_DblClick(tabella_->modello()->rigaGriglia(cella.row()));
        return true;
    }
    if (evento->type() != QEvent::KeyPress) return QWidget::eventFilter(oggetto, evento);
    const auto* tasto = static_cast<QKeyEvent*>(evento);
    if (tabella_ && oggetto == tabella_) return mfgTab_KeyDown(tasto->key());
    if (oggetto == cmbRicercaTappa && tasto->key() == Qt::Key_Escape) {
        cmbRicercaTappa_Click(-1);
        return true;
    }
    for (QLineEdit* campo : {txtTappa, txtNumStrada, txtKm})
        if (oggetto == campo) return FiltroTastoCampo(campo, evento);
    return QWidget::eventFilter(oggetto, evento);
}

bool PannelloTappe::FiltroTastoCampo(QLineEdit* campo, QEvent* evento) {
    const QString testo = static_cast<QKeyEvent*>(evento)->text();
    if (testo.size() != 1 || !testo[0].isPrint()) return false;
    if (campo == txtKm) return !TastoKmAccettato(testo[0]);
    const QChar maiuscolo = TastoMaiuscolo(testo[0]);
    if (maiuscolo == testo[0]) return false;
    campo->insert(QString(maiuscolo));
    return true;
}

CampiTappa PannelloTappe::LeggiCampi() const {
    CampiTappa c;
    c.txtRiga = txtRiga->text();
    c.txtTappa = txtTappa->text();
    c.txtNumStrada = txtNumStrada->text();
    c.txtKm = txtKm->text();
    c.chkKm = chkKm->isChecked();
    c.chkKmVisibile = !chkKm->isHidden();
    c.tipoStrada = strTipoStrada({optStrada[0]->isChecked(), optStrada[1]->isChecked(),
                                  optStrada[2]->isChecked(), optStrada[3]->isChecked()});
    for (int i = 0; i < 3; ++i) c.cmbSosta[i] = cmbSosta[i]->currentText();
    c.chkEndDay = chkEndDay->isChecked();
    for (int i = 0; i < 2; ++i) c.chkMeta[i] = chkMeta[i]->isChecked();
    return c;
}

void PannelloTappe::ScriviCampi(const CampiTappa& c) {
    txtRiga->setText(c.txtRiga);
    txtTappa->setText(c.txtTappa);
    txtNumStrada->setText(c.txtNumStrada);
    txtKm->setText(c.txtKm);
    chkKm->setVisible(c.chkKmVisibile);
    chkKm->setEnabled(c.chkKmVisibile);
    chkKm->setChecked(c.chkKm);
    const int tipo =
        c.tipoStrada.size() == 1 ? static_cast<int>(kTipiStrada.indexOf(c.tipoStrada.toUpper())) : -1;
    // An exclusive group never lets the last checked button go: lift it to clear the choice.
    QButtonGroup* gruppo = optStrada[0]->group();
    gruppo->setExclusive(false);
    for (int i = 0; i < 4; ++i) optStrada[i]->setChecked(i == tipo);
    gruppo->setExclusive(true);
    for (int i = 0; i < 3; ++i) cmbSosta[i]->setCurrentText(c.cmbSosta[i]);
    chkEndDay->setChecked(c.chkEndDay);
    for (int i = 0; i < 2; ++i) chkMeta[i]->setChecked(c.chkMeta[i]);
}

bool PannelloTappe::corniceVisibile() const {
    return !frmItinerario->isHidden();
}

void PannelloTappe::ApplicaAbilitazione(const AbilitazioneItinerario& a) {
    abilitazione_ = a;
    cmdRitorno->setEnabled(a.cmdRitorno);
    cmdCancella->setEnabled(a.cmdCancella);
    emit abilitazioneCambiata(a);
}

RisultatoKmTempi PannelloTappe::CalcolaKmTempiItinerario() {
    BoxMeta box = box_.leggiBox ? box_.leggiBox() : BoxMeta{};
    const RisultatoKmTempi r = ::CalcolaKmTempiItinerario(mfgTab_, box);
    if (box_.scriviBox) box_.scriviBox(box);
    return r;
}

void PannelloTappe::AbilitaGriglia(bool abilita) {
    if (tabella_) tabella_->setEnabled(abilita);
}

void PannelloTappe::DopoModifica() {
    CalcolaKmTempiItinerario();
    emit grigliaCambiata();
}

void PannelloTappe::AttivitaInserimentoItinerario(bool daItinerario) {
    AggiornaNumeroRiga();
    if (!daItinerario) return;
    frmItinerario->show();
    cmbRicercaTappa->hide();
    txtTappa->setFocus();
}

void PannelloTappe::ChiudiInserimento() {
    frmItinerario->hide();
    cmbRicercaTappa->hide();
    AbilitaGriglia(true);
    frmItinerario->setEnabled(true);
}

void PannelloTappe::AggiornaNumeroRiga() {
    CampiTappa campi = LeggiCampi();
    const AbilitazioneItinerario a = ::AggiornaNumeroRiga(mfgTab_, rigaCorrente_, campi);
    ScriviCampi(campi);
    ApplicaAbilitazione(a);
}

void PannelloTappe::cmdInserisce_Click() {
    CampiTappa campi = LeggiCampi();
    QString notaKm;
    const bool inserita = ::cmdInserisce(mfgTab_, rigaCorrente_, campi, dialoghi_, &notaKm);
    ScriviCampi(campi);
    // An insert that replaced nothing clears the note of an earlier one.
    MostraStato(notaKm);
    if (!inserita) return;
    DopoModifica();
    ApplicaAbilitazione(RegolaAbilitazione(mfgTab_));
    txtTappa->setFocus();
}

void PannelloTappe::cmdAggiunge_Click() {
    InserisciRigheItinerario(mfgTab_, rigaCorrente_, 1);
    DopoModifica();
    AggiornaNumeroRiga();
    if (corniceVisibile()) txtTappa->setFocus();
}

void PannelloTappe::cmdCancella_Click() {
    ::cmdCancella(mfgTab_, rigaCorrente_);
    DopoModifica();
    AggiornaNumeroRiga();
    if (corniceVisibile()) txtTappa->setFocus();
}

void PannelloTappe::cmdRitorno_Click() {
    const int prima = ::cmdRitorno(mfgTab_);
    if (prima > 0) rigaCorrente_ = prima;
    DopoModifica();
    AggiornaNumeroRiga();
}

void PannelloTappe::cmdCerca_Click() {
    const QStringList elenco = ElencoLocalitaItinerario(mfgTab_);
    // With no legs there is nothing to choose, and the grid must not stay disabled.
    if (elenco.isEmpty()) return;
    AbilitaGriglia(false);
    frmItinerario->setEnabled(false);
    cmbRicercaTappa->clear();
    cmbRicercaTappa->addItems(elenco);
    cmbRicercaTappa->show();
    cmbRicercaTappa->setFocus();
}

void PannelloTappe::cmbRicercaTappa_Click(int indice) {
    cmbRicercaTappa->hide();
    AbilitaGriglia(true);
    frmItinerario->setEnabled(true);
    if (indice < 0 || indice >= cmbRicercaTappa->count()) return;
    CampiTappa campi = LeggiCampi();
    RicercaDiUnaSingolaTappa(mfgTab_, cmbRicercaTappa->item(indice)->text(), rigaCorrente_, campi);
    ScriviCampi(campi);
    ApplicaAbilitazione(RegolaAbilitazione(mfgTab_));
}

void PannelloTappe::cmdHelpKm_Click() {
    dialoghi_.avviso(AiutoCampiItinerario(), QStringLiteral("Informazioni sui campi"), Icona::Informazione);
}

void PannelloTappe::cmdHelpItin_Click(int linea) {
    dialoghi_.avviso(AiutoPulsantiItinerario(linea), {}, Icona::Informazione);
}

void PannelloTappe::MostraStato(const QString& testo) {
    emit messaggioStato(testo);
    QStatusTipEvent suggerimento(testo);
    QCoreApplication::sendEvent(this, &suggerimento);
}

void PannelloTappe::AggiornaCaratteriTappa() {
    const QString n = QString::number(CaratteriNomeTappa(chkMeta[0]->isChecked(), chkMeta[1]->isChecked()));
    lblCaratteriTappa->setText(QStringLiteral("max ") + n);
    txtTappa->setToolTip(QString::fromUtf8("Indicare la località di arrivo (al massimo ") + n +
                         QStringLiteral(" caratteri)"));
}

void PannelloTappe::mfgTab_Click(int riga) {
    if (riga < 1 || (deviaClick_ && deviaClick_(riga))) return;
    CampiTappa campi = LeggiCampi();
    const AbilitazioneItinerario a =
        ClickRigaItinerario(mfgTab_, riga, rigaCorrente_, campi, corniceVisibile());
    ScriviCampi(campi);
    ApplicaAbilitazione(a);
}

void PannelloTappe::mfgTab_DblClick(int riga) {
    if (riga < 1) return;
    dialoghi_.avviso(RiepilogoRiga(mfgTab_, riga));
}

bool PannelloTappe::mfgTab_KeyDown(int tasto) {
    int passo = 0;
    switch (tasto) {
        case Qt::Key_Up:
            passo = -1;
            break;
        case Qt::Key_Down:
            passo = 1;
            break;
        case Qt::Key_PageUp:
            passo = -kRighePagina;
            break;
        case Qt::Key_PageDown:
            passo = kRighePagina;
            break;
        default:
            return false;
    }
    CampiTappa campi = LeggiCampi();
    const AbilitazioneItinerario a = SpostaRigaCorrente(mfgTab_, passo, rigaCorrente_, campi);
    ScriviCampi(campi);
    ApplicaAbilitazione(a);
    return true;
}
