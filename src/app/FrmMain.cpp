#include "app/FrmMain.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QVBoxLayout>
#include <memory>
#include <vector>

#include "Versione.h"
#include "app/BatchStampa.h"
#include "common/Dialoghi.h"
#include "common/Orologio.h"
#include "common/ui/TabellaGriglia.h"
#include "guide/ui/PannelloGuida.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/Tappe.h"
#include "itinerary/ui/PannelloDuplica.h"
#include "itinerary/ui/PannelloTappe.h"
#include "routeimport/ui/PannelloTratto.h"
#include "schedule/Zavetra.h"
#include "trips/Modi.h"
#include "trips/ui/ProgressoFinestra.h"

namespace {

// The boxes open to input have a light-blue background; the computed ones keep the plain one.
const QColor kCeleste(0xDF, 0xF3, 0xFF);

void Celeste(QWidget* w) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, kCeleste);
    w->setPalette(p);
}

QString Nome(const char* base, int indice) {
    return QString::fromLatin1(base) + QLatin1Char('_') + QString::number(indice);
}

QLabel* Etichetta(const QString& testo, QWidget* compagno = nullptr) {
    auto* l = new QLabel(testo);
    if (compagno) l->setBuddy(compagno);
    return l;
}

// Writes a text into a choice box: the list entry when there is one, the bare text otherwise
// (an empty box, or a stored value outside the list, shows as it is).
void ImpostaTesto(QComboBox* c, const QString& testo) {
    const int i = c->findText(testo, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (i >= 0) c->setCurrentIndex(i);
    c->setEditText(testo);
}

void ImpostaTesto(QLineEdit* t, const QString& testo) {
    t->setText(testo);
    t->setCursorPosition(0);
}

}  // namespace

FrmMain::FrmMain(const QString& cartellaDati, Dialoghi& dialoghi, const Orologio& orologio, QWidget* parent)
    : QMainWindow(parent), archivio_(cartellaDati), dialoghi_(dialoghi), orologio_(orologio) {
    setObjectName(QStringLiteral("FrmMain"));
    CreaControlli();
    progresso_ = std::make_unique<ProgressoFinestra>(lblElaborazione, barElaborazione, dialoghi_);
    CreaPannelli(areaGriglia->layout());
    Collega();
    CollegaPannelli();
    setWindowTitle(TitoloZavetra());
}

FrmMain::~FrmMain() = default;

// ---------------------------------------------------------------------------------------------
// Controls

QComboBox* FrmMain::Scelta(const QString& nome, int caratteri) {
    // A choice box: the text is picked from the list, never typed, but it may show a text
    // outside the list (an empty box, a stored value) as the logic writes it.
    auto* c = new QComboBox;
    c->setObjectName(nome);
    c->setEditable(true);
    c->lineEdit()->setReadOnly(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMaxVisibleItems(16);
    c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    c->setMinimumContentsLength(caratteri);
    Celeste(c);
    Celeste(c->lineEdit());
    return c;
}

QLineEdit* FrmMain::Calcolato(const QString& nome, int caratteri) {
    auto* t = new QLineEdit;
    t->setObjectName(nome);
    t->setReadOnly(true);
    t->setFocusPolicy(Qt::NoFocus);
    t->setAlignment(Qt::AlignCenter);
    const int larghezza = t->fontMetrics().horizontalAdvance(QString(caratteri + 2, QLatin1Char('0')));
    t->setFixedWidth(larghezza);
    return t;
}

QPushButton* FrmMain::Aiuto(const QString& nome, const QString& suggerimento) {
    auto* b = new QPushButton(QStringLiteral("[?]"));
    b->setObjectName(nome);
    b->setToolTip(suggerimento);
    b->setAutoDefault(false);
    b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("[?]")) + 18);
    return b;
}

void FrmMain::CreaControlli() {
    auto* centrale = new QWidget;
    centrale->setObjectName(QStringLiteral("centrale"));
    auto* v = new QVBoxLayout(centrale);
    v->setContentsMargins(6, 6, 6, 2);
    v->setSpacing(4);

    v->addWidget(CreaIntestazione());
    auto* gruppi = new QHBoxLayout;
    gruppi->setSpacing(6);
    gruppi->addWidget(CreaPeriodo(), 0);
    gruppi->addWidget(CreaPercorrenze(), 0);
    gruppi->addWidget(CreaTempiTecnici(), 1);
    v->addLayout(gruppi);
    v->addWidget(CreaComandiMeta());
    v->addWidget(CreaComandiItinerario());
    v->addWidget(CreaAreaGriglia(), 1);
    setCentralWidget(centrale);
    CreaStato();

    setMinimumSize(1000, 600);
    // Never larger than the screen: from 1280 x 720 up everything fits.
    resize(QSize(1340, 720).boundedTo(screen()->availableGeometry().size()));
}

QWidget* FrmMain::CreaIntestazione() {
    auto* w = new QWidget;
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);

    txtLocalita = new QLineEdit;
    txtLocalita->setObjectName(QStringLiteral("txtLocalita"));
    txtLocalita->setMaxLength(30);
    txtLocalita->installEventFilter(this);
    txtLocalita->setToolTip(
        QStringLiteral("Località generica principale del viaggio (Parigi, Capo Nord, ecc.)"));
    Celeste(txtLocalita);

    txtNazione = new QLineEdit;
    txtNazione->setObjectName(QStringLiteral("txtNazione"));
    txtNazione->setMaxLength(19);
    txtNazione->installEventFilter(this);
    txtNazione->setToolTip(QStringLiteral("Nazione principale del viaggio"));
    Celeste(txtNazione);

    txtCodice = Calcolato(QStringLiteral("txtCodice"), 6);

    cmbRicerca = new QComboBox;
    cmbRicerca->setObjectName(QStringLiteral("cmbRicerca"));
    cmbRicerca->setMaxVisibleItems(20);
    cmbRicerca->setMinimumContentsLength(24);
    cmbRicerca->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmbRicerca->setToolTip(QStringLiteral("Scegliere la mèta da attivare"));
    cmbRicerca->hide();

    cmdHelpTotale1 = Aiuto(QStringLiteral("cmdHelpTotale1"), QStringLiteral("Filosofia della procedura"));
    cmdHelpTotale2 =
        Aiuto(QStringLiteral("cmdHelpTotale2"), QStringLiteral("Istruzioni sui dati della mèta"));

    h->addWidget(Etichetta(QStringLiteral("&Località:"), txtLocalita));
    h->addWidget(txtLocalita, 3);
    h->addSpacing(8);
    h->addWidget(Etichetta(QStringLiteral("Na&zione:"), txtNazione));
    h->addWidget(txtNazione, 2);
    h->addSpacing(8);
    h->addWidget(Etichetta(QStringLiteral("Codice:")));
    h->addWidget(txtCodice);
    h->addWidget(cmdHelpTotale2);
    h->addSpacing(8);
    h->addWidget(cmbRicerca, 3);
    h->addStretch(0);
    h->addWidget(Etichetta(QStringLiteral("Filosofia della procedura:")));
    h->addWidget(cmdHelpTotale1);
    return w;
}

QGroupBox* FrmMain::CreaPeriodo() {
    auto* g = new QGroupBox(QStringLiteral("Periodo del viaggio"));
    g->setObjectName(QStringLiteral("grpPeriodo"));
    auto* l = new QGridLayout(g);
    l->setHorizontalSpacing(3);
    l->setVerticalSpacing(4);

    static const char* const suggerimentiInizio[5] = {
        "Giorno di inizio del viaggio", "Mese di inizio del viaggio", "Anno di inizio del viaggio",
        "Ora presunta di partenza", "Minuti dell'ora di partenza"};
    for (int i = 0; i < 5; ++i) {
        cmbInizio[i] = Scelta(Nome("cmbInizio", i), i == 2 ? 4 : 2);
        cmbInizio[i]->setToolTip(QString::fromUtf8(suggerimentiInizio[i]));
    }
    txtInizioGSett = Calcolato(QStringLiteral("txtInizioGSett"), 3);
    for (int i = 0; i < 7; ++i) txtFine[i] = Calcolato(Nome("txtFine", i), i == 2 ? 4 : (i == 5 ? 3 : 2));
    txtFine[6]->setFixedWidth(txtFine[6]->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    txtFine[6]->setToolTip(QStringLiteral("Giorni di viaggio"));

    cmbGiorni = new QComboBox;
    cmbGiorni->setObjectName(QStringLiteral("cmbGiorni"));
    cmbGiorni->setEditable(true);
    cmbGiorni->setInsertPolicy(QComboBox::NoInsert);
    cmbGiorni->lineEdit()->setMaxLength(4);
    cmbGiorni->setMinimumContentsLength(3);
    cmbGiorni->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cmbGiorni->setToolTip(
        QStringLiteral("Numero di giorni disponibili per il viaggio (000 = nessun adeguamento)"));
    cmbGiorni->lineEdit()->installEventFilter(this);
    Celeste(cmbGiorni);
    Celeste(cmbGiorni->lineEdit());

    cmbSoste = Scelta(QStringLiteral("cmbSoste"), 18);
    cmbSoste->setToolTip(QStringLiteral("Soste da prendere in considerazione nel calcolo"));

    auto separatore = [](const char* s) {
        auto* l = new QLabel(QString::fromLatin1(s));
        l->setAlignment(Qt::AlignCenter);
        return l;
    };

    int r = 0;
    l->addWidget(Etichetta(QStringLiteral("Inizio:"), cmbInizio[0]), r, 0);
    l->addWidget(cmbInizio[0], r, 1);
    l->addWidget(separatore("/"), r, 2);
    l->addWidget(cmbInizio[1], r, 3);
    l->addWidget(separatore("/"), r, 4);
    l->addWidget(cmbInizio[2], r, 5);
    l->addWidget(txtInizioGSett, r, 6);
    ++r;
    l->addWidget(Etichetta(QStringLiteral("Ora:"), cmbInizio[3]), r, 0);
    l->addWidget(cmbInizio[3], r, 1);
    l->addWidget(separatore(":"), r, 2);
    l->addWidget(cmbInizio[4], r, 3);
    ++r;
    l->addWidget(Etichetta(QStringLiteral("Fine:")), r, 0);
    l->addWidget(txtFine[0], r, 1);
    l->addWidget(separatore("/"), r, 2);
    l->addWidget(txtFine[1], r, 3);
    l->addWidget(separatore("/"), r, 4);
    l->addWidget(txtFine[2], r, 5);
    l->addWidget(txtFine[5], r, 6);
    ++r;
    l->addWidget(Etichetta(QStringLiteral("Ora:")), r, 0);
    l->addWidget(txtFine[3], r, 1);
    l->addWidget(separatore(":"), r, 2);
    l->addWidget(txtFine[4], r, 3);
    l->addWidget(Etichetta(QStringLiteral("Giorni:")), r, 5, Qt::AlignRight);
    l->addWidget(txtFine[6], r, 6);
    ++r;
    l->addWidget(Etichetta(QStringLiteral("Giorni desiderati:"), cmbGiorni), r, 0, 1, 4);
    l->addWidget(cmbGiorni, r, 5, 1, 2);
    ++r;
    l->addWidget(Etichetta(QStringLiteral("S&oste:"), cmbSoste), r, 0);
    l->addWidget(cmbSoste, r, 1, 1, 6);
    l->setRowStretch(r + 1, 1);
    return g;
}

QGroupBox* FrmMain::CreaPercorrenze() {
    auto* g = new QGroupBox(QStringLiteral("Percorrenze"));
    g->setObjectName(QStringLiteral("grpPercorrenze"));
    auto* l = new QGridLayout(g);
    l->setHorizontalSpacing(4);
    l->setVerticalSpacing(4);

    static const char* const strade[5] = {"Autostrade", "Superstrade", "Strade principali", "Strade locali",
                                          "Totale"};
    l->addWidget(Etichetta(QStringLiteral("km/h")), 0, 1, Qt::AlignCenter);
    l->addWidget(Etichetta(QStringLiteral("Km")), 0, 2, Qt::AlignCenter);
    l->addWidget(Etichetta(QStringLiteral("Tempo")), 0, 3, Qt::AlignCenter);
    for (int i = 0; i < 5; ++i) {
        txtKmTot[i] = Calcolato(Nome("txtKmTot", i), 6);
        txtTempo[i] = Calcolato(Nome("txtTempo", i), 8);
        if (i < 4) {
            cmbMediaKm[i] = new QComboBox;
            cmbMediaKm[i]->setObjectName(Nome("cmbMediaKm", i));
            cmbMediaKm[i]->setEditable(true);
            cmbMediaKm[i]->setInsertPolicy(QComboBox::NoInsert);
            cmbMediaKm[i]->setMinimumContentsLength(3);
            cmbMediaKm[i]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            cmbMediaKm[i]->lineEdit()->setMaxLength(3);
            cmbMediaKm[i]->setValidator(
                new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), cmbMediaKm[i]));
            cmbMediaKm[i]->setToolTip(QStringLiteral("Media presunta in km/h"));
            cmbMediaKm[i]->installEventFilter(this);
            Celeste(cmbMediaKm[i]);
            Celeste(cmbMediaKm[i]->lineEdit());
        }
        auto* etichetta = Etichetta(QString::fromLatin1(strade[i]) + QLatin1Char(':'));
        l->addWidget(etichetta, i + 1, 0);
        if (i < 4) {
            etichetta->setBuddy(cmbMediaKm[i]);
            l->addWidget(cmbMediaKm[i], i + 1, 1);
        }
        l->addWidget(txtKmTot[i], i + 1, 2);
        l->addWidget(txtTempo[i], i + 1, 3);
    }
    txtTragh = Calcolato(QStringLiteral("txtTragh"), 3);
    txtTragh->setToolTip(QStringLiteral("Numero di traghetti"));
    l->addWidget(Etichetta(QStringLiteral("Traghetti:")), 6, 0);
    l->addWidget(txtTragh, 6, 2);
    l->setRowStretch(7, 1);
    return g;
}

QGroupBox* FrmMain::CreaTempiTecnici() {
    auto* g = new QGroupBox(QStringLiteral("Tempi tecnici giornalieri/Riposi/Visite"));
    g->setObjectName(QStringLiteral("grpTempiTecnici"));
    auto* esterno = new QHBoxLayout(g);
    auto* l = new QGridLayout;
    l->setHorizontalSpacing(3);
    l->setVerticalSpacing(4);
    esterno->addLayout(l, 1);

    for (int i = 0; i < 9; ++i) {
        cmbOra[i] = Scelta(Nome("cmbOra", i), 2);
        cmbMin[i] = Scelta(Nome("cmbMin", i), 2);
    }
    cmbRipM = Scelta(QStringLiteral("cmbRipM"), 2);
    cmbRipH = Scelta(QStringLiteral("cmbRipH"), 2);
    cmbRipG = Scelta(QStringLiteral("cmbRipG"), 2);
    cmbRipGG = Scelta(QStringLiteral("cmbRipGG"), 2);
    cmbRange = Scelta(QStringLiteral("cmbRange"), 2);
    cmbRipM->setToolTip(QStringLiteral("Durata del break, in minuti"));
    cmbRipH->setToolTip(QStringLiteral("Un break ogni tante ore di guida continuativa"));
    cmbRipG->setToolTip(QStringLiteral("Giorni interi di riposo"));
    cmbRipGG->setToolTip(QStringLiteral("Un riposo ogni tanti giorni di viaggio"));
    cmbRange->setToolTip(QStringLiteral("Tolleranza in minuti per raggiungere pasti e fine giornata"));

    // One cell of the grid: label, then hour ":" minute.
    auto coppia = [&](int riga, int colonna, const QString& testo, int i) {
        l->addWidget(Etichetta(testo, cmbOra[i]), riga, colonna);
        l->addWidget(cmbOra[i], riga, colonna + 1);
        auto* due = new QLabel(QStringLiteral(":"));
        l->addWidget(due, riga, colonna + 2);
        l->addWidget(cmbMin[i], riga, colonna + 3);
    };
    auto singolo = [&](int riga, int colonna, const QString& testo, QComboBox* c) {
        l->addWidget(Etichetta(testo, c), riga, colonna);
        l->addWidget(c, riga, colonna + 1);
    };
    coppia(0, 0, QStringLiteral("Inizio attività:"), 0);
    coppia(0, 5, QStringLiteral("Fine giornata:"), 3);
    coppia(1, 0, QStringLiteral("Pranzo alle:"), 1);
    coppia(1, 5, QStringLiteral("durata:"), 4);
    coppia(2, 0, QStringLiteral("Cena alle:"), 2);
    coppia(2, 5, QStringLiteral("durata:"), 5);
    coppia(3, 0, QStringLiteral("Visite dalle:"), 6);
    coppia(3, 5, QStringLiteral("alle:"), 7);
    coppia(4, 0, QStringLiteral("Traghetti (media):"), 8);
    singolo(4, 5, QStringLiteral("Tolleranza min.:"), cmbRange);
    singolo(5, 0, QStringLiteral("Break minuti:"), cmbRipM);
    singolo(5, 5, QStringLiteral("ogni ore:"), cmbRipH);
    singolo(6, 0, QStringLiteral("Giorni di riposo:"), cmbRipG);
    singolo(6, 5, QStringLiteral("ogni giorni:"), cmbRipGG);
    l->setColumnMinimumWidth(4, 12);
    l->setColumnStretch(9, 1);
    l->setRowStretch(7, 1);

    auto* destra = new QVBoxLayout;
    auto* titoloDefault = new QLabel(QStringLiteral("Dati di default:"));
    destra->addWidget(titoloDefault);
    static const char* const didascalie[3] = {"Sa&lva per default", "Car&ica", "&Reset"};
    static const char* const suggerimenti[3] = {"Salva i dati correnti come dati di default personali",
                                                "Carica i dati di default personali",
                                                "Carica i dati standard impostati dal programma"};
    for (int i = 0; i < 3; ++i) {
        cmdDefault[i] = new QPushButton(QString::fromUtf8(didascalie[i]));
        cmdDefault[i]->setObjectName(Nome("cmdDefault", i));
        cmdDefault[i]->setToolTip(QString::fromUtf8(suggerimenti[i]));
        cmdDefault[i]->setAutoDefault(false);
        destra->addWidget(cmdDefault[i]);
    }
    destra->addStretch(1);
    cmdHelpTt = Aiuto(QStringLiteral("cmdHelpTt"), QStringLiteral("Istruzioni sui tempi tecnici"));
    destra->addWidget(cmdHelpTt, 0, Qt::AlignRight);
    esterno->addLayout(destra);
    return g;
}

namespace {

// Places the next widget of a button block, filling lines of `colonne` cells.
void Accoda(QGridLayout* l, QWidget* w, int colonne) {
    const int n = l->count();
    l->addWidget(w, n / colonne, n % colonne);
}

}  // namespace

QWidget* FrmMain::RigaPulsanti(const QList<DefinizionePulsante>& definizioni, const QString& nomeRiga,
                               int colonne) {
    auto* w = new QFrame;
    w->setObjectName(nomeRiga);
    w->setFrameShape(QFrame::StyledPanel);
    auto* l = new QGridLayout(w);
    l->setContentsMargins(4, 3, 4, 3);
    l->setHorizontalSpacing(3);
    l->setVerticalSpacing(3);
    for (const DefinizionePulsante& d : definizioni) {
        auto* b = new QPushButton(d.caption);
        b->setObjectName(d.nome);
        b->setAutoDefault(false);
        b->setEnabled(false);
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        pulsanti_.insert(d.nome, b);
        Accoda(l, b, colonne);
    }
    return w;
}

QWidget* FrmMain::CreaComandiMeta() {
    // One line: the trip commands, the conversion and the general help.
    constexpr int colonne = 14;
    auto* w = RigaPulsanti(PulsantiMeta(), QStringLiteral("rigaComandiMeta"), colonne);
    auto* l = static_cast<QGridLayout*>(w->layout());
    auto* converte = new QPushButton(QStringLiteral("Converte"));
    converte->setObjectName(kCmdConverte);
    converte->setAutoDefault(false);
    converte->hide();
    converte->setToolTip(QStringLiteral("Converte i dati della versione precedente"));
    pulsanti_.insert(kCmdConverte, converte);
    Accoda(l, converte, colonne);
    cmdHelpGenerico =
        Aiuto(QStringLiteral("cmdHelpGenerico"), QStringLiteral("Istruzioni sulle funzioni principali"));
    Accoda(l, cmdHelpGenerico, colonne);

    auto trova = [this](const char* nome) { return pulsanti_.value(QString::fromLatin1(nome)); };
    cmdNuovo = trova("cmdNuovo");
    cmdRicerca = trova("cmdRicerca");
    cmdExport = trova("cmdExport");
    cmdSalva = trova("cmdSalva");
    cmdCancMeta = trova("cmdCancMeta");
    cmdCalcola = trova("cmdCalcola");
    cmdStampa = trova("cmdStampa");
    cmdItinerario = trova("cmdItinerario");
    cmdModStrada = trova("cmdModStrada");
    cmdGuidaCitta = trova("cmdGuidaCitta");
    cmdCancItin = trova("cmdCancItin");
    cmdEsce = trova("cmdEsce");
    cmdConverte = converte;
    cmdEsce->setToolTip(QStringLiteral("Esce dal form"));
    return w;
}

QWidget* FrmMain::CreaComandiItinerario() {
    // Two lines of six: the captions are long.
    constexpr int colonne = 6;
    auto* w = RigaPulsanti(PulsantiItinerario(), QStringLiteral("rigaComandiItinerario"), colonne);
    auto* l = static_cast<QGridLayout*>(w->layout());
    auto* mapPoint = new QPushButton(QStringLiteral("&Altri &Pacch."));
    mapPoint->setObjectName(kCmdMapPoint);
    mapPoint->setAutoDefault(false);
    mapPoint->setEnabled(false);
    mapPoint->setToolTip(QStringLiteral("Recepisce dati forniti da pacchetti commerciali"));
    pulsanti_.insert(kCmdMapPoint, mapPoint);
    Accoda(l, mapPoint, colonne);

    auto trova = [this](const char* nome) { return pulsanti_.value(QString::fromLatin1(nome)); };
    cmdInserisce = trova("cmdInserisce");
    cmdAggiunge = trova("cmdAggiunge");
    cmdCancella = trova("cmdCancella");
    cmdRicalcola = trova("cmdRicalcola");
    cmdRitorno = trova("cmdRitorno");
    cmdCerca = trova("cmdCerca");
    cmdFine = trova("cmdFine");
    cmdMemorizza = trova("cmdMemorizza");
    cmdDuplica = trova("cmdDuplica");
    cmdAzzeraSoste = trova("cmdAzzeraSoste");
    cmdTrasferisce = trova("cmdTrasferisce");
    cmdMapPoint = mapPoint;
    return w;
}

QWidget* FrmMain::CreaAreaGriglia() {
    areaGriglia = new QFrame;
    areaGriglia->setObjectName(QStringLiteral("areaGriglia"));
    areaGriglia->setFrameShape(QFrame::StyledPanel);
    areaGriglia->setMinimumHeight(160);
    auto* h = new QHBoxLayout(areaGriglia);
    h->setContentsMargins(2, 2, 2, 2);

    ImpostaGriglia(mfgTab, LayoutItinerario);
    CancellaMatrice(mfgTab);
    tabItinerario = new TabellaGriglia(&mfgTab);
    tabItinerario->setObjectName(QStringLiteral("mfgTab"));
    tabItinerario->impostaUltimaColonnaElastica(true);
    h->addWidget(tabItinerario, 1);

    CollegamentoBoxMeta box{[this] { return LeggiBox(); }, [this](const BoxMeta& b) { ScriviBox(b); }};
    pannelloTappe = new PannelloTappe(mfgTab, dialoghi_, box, tabItinerario);
    pannelloTappe->setObjectName(QStringLiteral("pannelloTappe"));
    h->addWidget(pannelloTappe);
    frmItinerario = pannelloTappe->frmItinerario;
    cmbRicercaTappa = pannelloTappe->cmbRicercaTappa;
    // The window's own row of itinerary buttons drives the panel; the panel's copies stay out of
    // sight so that every command has one button.
    for (QPushButton* doppione :
         {pannelloTappe->cmdInserisce, pannelloTappe->cmdAggiunge, pannelloTappe->cmdCancella,
          pannelloTappe->cmdRitorno, pannelloTappe->cmdCerca}) {
        doppione->hide();
        doppione->setObjectName(QString());
    }
    // While the guide is open, or a single leg of a stretch is chosen, a click on the grid belongs
    // to that panel.
    pannelloTappe->impostaDeviaClick([this](int) {
        return (pannelloGuida && pannelloGuida->modoGuida()) ||
               (pannelloTratto && pannelloTratto->sceltaSingola());
    });
    connect(pannelloTappe, &PannelloTappe::grigliaCambiata, this, &FrmMain::AbilitaPulsantiComando);
    connect(pannelloTappe, &PannelloTappe::abilitazioneCambiata, this, &FrmMain::AbilitaPulsantiComando);
    return areaGriglia;
}

void FrmMain::CreaStato() {
    lblPercorso = new QLabel;
    lblPercorso->setObjectName(QStringLiteral("lblPercorso"));
    lblPercorso->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblElaborazione = new QLabel;
    lblElaborazione->setObjectName(QStringLiteral("lblElaborazione"));
    lblElaborazione->setMinimumWidth(260);
    barElaborazione = new QProgressBar;
    barElaborazione->setObjectName(QStringLiteral("barElaborazione"));
    barElaborazione->setRange(0, 1);
    barElaborazione->setValue(0);
    barElaborazione->setTextVisible(false);
    barElaborazione->setFixedWidth(240);
    statusBar()->addWidget(lblPercorso, 1);
    statusBar()->addPermanentWidget(lblElaborazione);
    statusBar()->addPermanentWidget(barElaborazione);
}

void FrmMain::Collega() {
    connect(cmdSalva, &QPushButton::clicked, this, &FrmMain::cmdSalva_Click);
    connect(cmdGuidaCitta, &QPushButton::clicked, this, &FrmMain::cmdGuidaCitta_Click);
    connect(cmdItinerario, &QPushButton::clicked, this, &FrmMain::cmdItinerario_Click);
    connect(cmdFine, &QPushButton::clicked, this, &FrmMain::cmdFine_Click);
    connect(cmdMemorizza, &QPushButton::clicked, this, &FrmMain::cmdMemorizza_Click);
    connect(cmdTrasferisce, &QPushButton::clicked, this, &FrmMain::cmdTrasferisce_Click);
    connect(cmdCalcola, &QPushButton::clicked, this, &FrmMain::cmdCalcola_Click);
    connect(cmdRicalcola, &QPushButton::clicked, this, &FrmMain::cmdRicalcola_Click);
    connect(cmdAzzeraSoste, &QPushButton::clicked, this, &FrmMain::cmdAzzeraSoste_Click);
    connect(cmdInserisce, &QPushButton::clicked, pannelloTappe, &PannelloTappe::cmdInserisce_Click);
    connect(cmdAggiunge, &QPushButton::clicked, pannelloTappe, &PannelloTappe::cmdAggiunge_Click);
    connect(cmdCancella, &QPushButton::clicked, pannelloTappe, &PannelloTappe::cmdCancella_Click);
    connect(cmdRitorno, &QPushButton::clicked, pannelloTappe, &PannelloTappe::cmdRitorno_Click);
    connect(cmdCerca, &QPushButton::clicked, pannelloTappe, &PannelloTappe::cmdCerca_Click);
    connect(cmdNuovo, &QPushButton::clicked, this, &FrmMain::cmdNuovo_Click);
    connect(cmdCancMeta, &QPushButton::clicked, this, &FrmMain::cmdCancMeta_Click);
    connect(cmdCancItin, &QPushButton::clicked, this, &FrmMain::cmdCancItin_Click);
    connect(cmdRicerca, &QPushButton::clicked, this, &FrmMain::cmdRicerca_Click);
    connect(cmdEsce, &QPushButton::clicked, this, &FrmMain::cmdEsce_Click);
    connect(cmdHelpGenerico, &QPushButton::clicked, this, &FrmMain::cmdHelpGenerico_Click);
    connect(cmdHelpTotale1, &QPushButton::clicked, this, &FrmMain::cmdHelpTotale1_Click);
    connect(cmdHelpTotale2, &QPushButton::clicked, this, &FrmMain::cmdHelpTotale2_Click);
    connect(cmdHelpTt, &QPushButton::clicked, this, &FrmMain::cmdHelpTt_Click);
    for (int i = 0; i < 3; ++i)
        connect(cmdDefault[i], &QPushButton::clicked, this, [this, i] { cmdDefault_Click(i); });
    connect(cmbRicerca, &QComboBox::activated, this, &FrmMain::cmbRicerca_Click);
    cmbRicerca->installEventFilter(this);
    cmbRicerca->view()->installEventFilter(this);

    for (int i = 0; i < kCoppieOra; ++i) {
        connect(cmbOra[i], &QComboBox::currentTextChanged, this, [this, i] { cmbOra_Change(i); });
        connect(cmbMin[i], &QComboBox::currentTextChanged, this, [this, i] { cmbOra_Change(i); });
        cmbOra[i]->installEventFilter(this);
        cmbMin[i]->installEventFilter(this);
    }
    for (int i = 0; i < 5; ++i)
        connect(cmbInizio[i], &QComboBox::activated, this, [this, i] { cmbInizio_Click(i); });
    connect(cmbGiorni, &QComboBox::editTextChanged, this, &FrmMain::cmbGiorni_Change);
    cmbGiorni->installEventFilter(this);

    escEsce_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escEsce_->setEnabled(false);
    connect(escEsce_, &QShortcut::activated, cmdEsce, &QPushButton::click);
}

bool FrmMain::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::FocusOut) {
        // Opening a box's own list is not leaving it.
        if (static_cast<QFocusEvent*>(evento)->reason() != Qt::PopupFocusReason) {
            for (int i = 0; i < kCoppieOra; ++i) {
                if (oggetto == cmbOra[i]) cmbOra_LostFocus();
                if (oggetto == cmbMin[i]) cmbMin_LostFocus();
            }
            for (int i = 0; i < 4; ++i)
                if (oggetto == cmbMediaKm[i]) cmbMediaKm_LostFocus(i);
            if (oggetto == cmbGiorni->lineEdit()) cmbGiorni_LostFocus();
        }
    } else if (evento->type() == QEvent::KeyPress &&
               (oggetto == cmbRicerca || oggetto == cmbRicerca->view()) &&
               static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Escape && !cmbRicerca->isHidden()) {
        AnnullaRicerca();
        return true;
    } else if (evento->type() == QEvent::KeyPress && (oggetto == txtLocalita || oggetto == txtNazione)) {
        // Typed letters become upper case; texts written by the program stay as they are.
        const QString testo = static_cast<QKeyEvent*>(evento)->text();
        if (!testo.isEmpty() && testo.at(0).isPrint() && testo != testo.toUpper()) {
            static_cast<QLineEdit*>(oggetto)->insert(testo.toUpper());
            return true;
        }
    } else if (evento->type() == QEvent::KeyPress &&
               (oggetto == cmbGiorni || oggetto == cmbGiorni->lineEdit())) {
        // Desired days: of the printable characters only digits; editing keys work as usual.
        const QString testo = static_cast<QKeyEvent*>(evento)->text();
        return testo.size() == 1 && testo.at(0).isPrint() && !TastoGiorniAccettato(testo.at(0));
    }
    return QMainWindow::eventFilter(oggetto, evento);
}

void FrmMain::closeEvent(QCloseEvent* evento) {
    if (chiusuraConfermata) {
        evento->accept();
        return;
    }
    // Closing the window asks the same question as the exit button.
    evento->ignore();
    switch (ChiediChiusura()) {
        case AzioneEsce::Chiudi:
            ChiudiProcedura();
            evento->accept();
            break;
        case AzioneEsce::Interrompi:
            progresso_->stop = true;
            break;
        case AzioneEsce::Nessuna:
            break;
    }
}

// ---------------------------------------------------------------------------------------------
// Boxes

BoxMeta FrmMain::LeggiBox() const {
    BoxMeta b;
    b.txtLocalita = txtLocalita->text();
    b.txtNazione = txtNazione->text();
    b.txtCodice = txtCodice->text();
    for (int i = 0; i < 5; ++i) b.cmbInizio[i] = cmbInizio[i]->currentText();
    b.txtInizioGSett = txtInizioGSett->text();
    for (int i = 0; i < 4; ++i) b.cmbMediaKm[i] = cmbMediaKm[i]->currentText();
    for (int i = 0; i < kCoppieOra; ++i) {
        b.cmbOra[i] = cmbOra[i]->currentText();
        b.cmbMin[i] = cmbMin[i]->currentText();
    }
    b.cmbRipM = cmbRipM->currentText();
    b.cmbRipH = cmbRipH->currentText();
    b.cmbRipG = cmbRipG->currentText();
    b.cmbRipGG = cmbRipGG->currentText();
    b.cmbGiorni = cmbGiorni->currentText();
    b.cmbSoste = cmbSoste->currentText();
    b.cmbRange = cmbRange->currentText();
    for (int i = 0; i < 7; ++i) b.txtFine[i] = txtFine[i]->text();
    for (int i = 0; i < 5; ++i) {
        b.txtKmTot[i] = txtKmTot[i]->text();
        b.txtTempo[i] = txtTempo[i]->text();
    }
    b.txtTragh = txtTragh->text();
    return b;
}

void FrmMain::ScriviBox(const BoxMeta& b) {
    // The boxes change as one value: no change handler runs on a half-written window.
    QList<QComboBox*> scelte{cmbRipM, cmbRipH, cmbRipG, cmbRipGG, cmbGiorni, cmbSoste, cmbRange};
    for (auto* c : cmbInizio) scelte << c;
    for (auto* c : cmbMediaKm) scelte << c;
    for (auto* c : cmbOra) scelte << c;
    for (auto* c : cmbMin) scelte << c;
    std::vector<std::unique_ptr<QSignalBlocker>> blocchi;
    for (auto* c : scelte) blocchi.push_back(std::make_unique<QSignalBlocker>(c));

    ImpostaTesto(txtLocalita, b.txtLocalita);
    ImpostaTesto(txtNazione, b.txtNazione);
    ImpostaTesto(txtCodice, b.txtCodice);
    for (int i = 0; i < 5; ++i) ImpostaTesto(cmbInizio[i], b.cmbInizio[i]);
    ImpostaTesto(txtInizioGSett, b.txtInizioGSett);
    for (int i = 0; i < 4; ++i) ImpostaTesto(cmbMediaKm[i], b.cmbMediaKm[i]);
    for (int i = 0; i < kCoppieOra; ++i) {
        ImpostaTesto(cmbOra[i], b.cmbOra[i]);
        ImpostaTesto(cmbMin[i], b.cmbMin[i]);
    }
    ImpostaTesto(cmbRipM, b.cmbRipM);
    ImpostaTesto(cmbRipH, b.cmbRipH);
    ImpostaTesto(cmbRipG, b.cmbRipG);
    ImpostaTesto(cmbRipGG, b.cmbRipGG);
    ImpostaTesto(cmbGiorni, b.cmbGiorni);
    ImpostaTesto(cmbSoste, b.cmbSoste);
    ImpostaTesto(cmbRange, b.cmbRange);
    for (int i = 0; i < 7; ++i) ImpostaTesto(txtFine[i], b.txtFine[i]);
    for (int i = 0; i < 5; ++i) {
        ImpostaTesto(txtKmTot[i], b.txtKmTot[i]);
        ImpostaTesto(txtTempo[i], b.txtTempo[i]);
    }
    ImpostaTesto(txtTragh, b.txtTragh);
}

// ---------------------------------------------------------------------------------------------
// Modes, panels, help

void FrmMain::AbilitaPulsantiComando() {
    FattiComandi fatti;
    fatti.captionCalcola = cmdCalcola->text();
    fatti.pannelloInserimentoVisibile = !frmItinerario->isHidden();
    fatti.numeroTappe = UltimaRigaTappa(mfgTab);
    const StatoComandi stato = ::AbilitaPulsantiComando(modoPrincipale, modoItinerario, fatti);

    if (stato.nascondiListaRicerca) cmbRicercaTappa->hide();
    if (stato.esceDefault) cmdEsce->setDefault(true);
    for (const StatoPulsante& p : stato.pulsanti) {
        QPushButton* b = pulsanti_.value(p.nome);
        if (!b) continue;
        b->setEnabled(p.abilitato);
        b->setVisible(p.visibile);
        if (!p.caption.isEmpty()) b->setText(p.caption);
        if (!p.tooltip.isEmpty()) b->setToolTip(p.tooltip);
    }
    escEsce_->setEnabled(stato.escAttivo);
    // While legs are edited the enabling rule of the itinerary narrows what the modes allow.
    if (!frmItinerario->isHidden()) {
        const AbilitazioneItinerario a = pannelloTappe->abilitazione();
        cmdRicalcola->setEnabled(cmdRicalcola->isEnabled() && a.cmdRicalcola);
        cmdRitorno->setEnabled(cmdRitorno->isEnabled() && a.cmdRitorno);
        cmdCancella->setEnabled(cmdCancella->isEnabled() && a.cmdCancella);
        cmdMapPoint->setEnabled(cmdMapPoint->isEnabled() && a.cmdMapPoint);
    }
}

void FrmMain::PulisciFinestre() {
    cmbRicercaTappa->hide();
    frmItinerario->hide();
    if (pannelloGuida) {
        pannelloGuida->hide();
        pannelloGuida->guida().modoGuida = false;
    }
    pannelloTratto->hide();
    pannelloDuplica->hide();
}

void FrmMain::AttivaFormMeta(bool flag) {
    if (flag) zavetraVisualizzata = false;
}

void FrmMain::cmdHelpGenerico_Click() {
    MostraHelp(TestoHelpGenerico(), dialoghi_);
}
void FrmMain::cmdHelpTotale1_Click() {
    MostraHelp(TestoHelpTotale1(), dialoghi_);
}
void FrmMain::cmdHelpTotale2_Click() {
    MostraHelp(TestoHelpTotale2(), dialoghi_);
}
void FrmMain::cmdHelpTt_Click() {
    MostraHelp(TestoHelpTt(), dialoghi_);
}

void FrmMain::MostraErrore(const ErroreDatabase& errore) {
    dialoghi_.avviso(errore.messaggio(), QStringLiteral(ZAVETRA_NOME_PRODOTTO), Icona::Critico);
}

// ---------------------------------------------------------------------------------------------
// City guide

PannelloGuida& FrmMain::Guida() {
    if (!pannelloGuida) {
        // Built on first use: its type list comes from the guide types read at start-up.
        pannelloGuida = new PannelloGuida(mfgTab, archivio_, tipiGuida_, dialoghi_);
        pannelloGuida->setObjectName(QStringLiteral("pannelloGuida"));
        pannelloGuida->hide();
        areaGriglia->layout()->addWidget(pannelloGuida);
        pannelloGuida->collegaTabella(tabItinerario);
        pannelloGuida->impostaProgresso(progresso_.get());
        connect(pannelloGuida, &PannelloGuida::guidaChiusa, this, &FrmMain::GuidaChiusa);
        connect(pannelloGuida, &PannelloGuida::stampaGuidaRichiesta, this, &FrmMain::StampaGuida);
    }
    return *pannelloGuida;
}

void FrmMain::cmdGuidaCitta_Click() {
    // The guide takes the grid, and its closing reloads the stored legs.
    if (!ConfermaItinerario()) return;
    AttivaFormMeta(true);
    PulisciFinestre();
    PannelloGuida& guida = Guida();
    guida.impostaMeta(codiceCorrente);
    guida.impostaArcoVisita(CalcolaValoriLavoro(LeggiBox()).ArcoVisita);
    modiPrimaGuida_ = {modoPrincipale, modoItinerario};
    modoPrincipale = QStringLiteral("zz");
    modoItinerario = QStringLiteral("zz");
    AbilitaPulsantiComando();
    try {
        guida.cmdGuidaCitta_Click();
    } catch (const ErroreDatabase& e) {
        MostraErrore(e);
        GuidaChiusa();
    }
}

// Leaving the guide shows the itinerary again, as stored, and gives back the commands as they
// were before the guide opened.
void FrmMain::GuidaChiusa() {
    if (pannelloGuida) pannelloGuida->hide();
    ImpostaGriglia(mfgTab, LayoutItinerario);
    try {
        RicaricaItinerario();
    } catch (const ErroreDatabase& e) {
        MostraErrore(e);
    }
    modoPrincipale = codiceCorrente.isEmpty() ? QStringLiteral("NuImEs") : modiPrimaGuida_[0];
    modoItinerario = modiPrimaGuida_[1];
    AbilitaPulsantiComando();
}

// ---------------------------------------------------------------------------------------------
// Leg editing

void FrmMain::cmdItinerario_Click() {
    AttivaFormMeta(true);
    PulisciFinestre();
    cmdCalcola->setText(kCaptionCalcola);
    pannelloTappe->AttivitaInserimentoItinerario(true);
    modoItinerario = QStringLiteral("all");
    AbilitaPulsantiComando();
}

bool FrmMain::SalvaTappe() {
    const Griglia& tappe = TappeAttuali();
    if (!SalvaItinerario(archivio_, tappe, codiceCorrente, CalcolaValoriLavoro(LeggiBox()).ArcoVisita,
                         dialoghi_, progresso_.get()))
        return false;
    tappeSalvate_ = tappe;
    return true;
}

// Leaving leg editing shows the trip and its legs as stored.
void FrmMain::LasciaInserimento() {
    pannelloTappe->ChiudiInserimento();
    try {
        CaricaDatiAnagraficiMeta();
    } catch (const ErroreDatabase& e) {
        MostraErrore(e);
    }
    modoPrincipale = codiceCorrente.isEmpty() ? QStringLiteral("NuImEs") : QStringLiteral("all");
    modoItinerario = QStringLiteral("ZZ");
    AbilitaPulsantiComando();
}

void FrmMain::cmdFine_Click() {
    const SceltaFineInserimento scelta = ChiediFineInserimento(dialoghi_);
    if (scelta == SceltaFineInserimento::Resta) return;
    // A save that fails keeps the edited legs on screen, so nothing typed is lost.
    if (scelta == SceltaFineInserimento::SalvaEEsci && !SalvaTappe()) return;
    LasciaInserimento();
}

void FrmMain::cmdMemorizza_Click() {
    switch (ChiediSalvaReset(dialoghi_)) {
        case SceltaSalvaReset::Salva:
            if (SalvaTappe()) LasciaInserimento();
            break;
        case SceltaSalvaReset::Ripristina:
            try {
                CaricaDatiAnagraficiMeta();
                pannelloTappe->AggiornaNumeroRiga();
            } catch (const ErroreDatabase& e) {
                MostraErrore(e);
            }
            AbilitaPulsantiComando();
            break;
        case SceltaSalvaReset::Niente:
            break;
    }
}

void FrmMain::cmdTrasferisce_Click() {
    PannelloGuida& guida = Guida();
    guida.impostaArcoVisita(CalcolaValoriLavoro(LeggiBox()).ArcoVisita);
    if (guida.cmdTrasferisce_Click()) pannelloTappe->CalcolaKmTempiItinerario();
    AbilitaPulsantiComando();
}

// ---------------------------------------------------------------------------------------------
// Schedule

void FrmMain::cmdCalcola_Click() {
    modoPrincipale = QStringLiteral("zz");
    AbilitaPulsantiComando();
    cmbRicerca->setCurrentText(txtLocalita->text());
    AttivaFormMeta(true);
    if (cmdCalcola->text() != kCaptionCalcola) {
        TornaAllItinerario();
        return;
    }
    cmbRicerca->hide();
    EseguiCalcolo(static_cast<int>(Chiamante::Calcola));
}

void FrmMain::cmdRicalcola_Click() {
    pannelloTappe->ChiudiInserimento();
    if (EseguiCalcolo(static_cast<int>(Chiamante::Ricalcola))) modoPrincipale = QStringLiteral("Ca");
    AbilitaPulsantiComando();
}

bool FrmMain::EseguiCalcolo(int chiamante) {
    itinerarioPrimaDelCalcolo_ = std::make_unique<Griglia>(mfgTab);
    modoPrincipale = QStringLiteral("Es");
    AbilitaPulsantiComando();
    progresso_->stop = false;
    BoxMeta box = LeggiBox();
    EsitoZavetra esito;
    try {
        esito = CalcolaZavetra({archivio_, box, codiceCorrente, mfgTab, mfgCopia, tipiGuida_, *progresso_,
                                dialoghi_, static_cast<Chiamante>(chiamante), zavetraVisualizzata});
    } catch (const ErroreDatabase& e) {
        MostraErrore(e);
        esito.interrotto = true;
    }
    progresso_->stop = false;
    progresso_->azzera();
    if (!esito.eseguito) {
        // Stopped, refused or failed: the legs come back as they were, nothing is lost.
        TornaAllItinerario();
        return false;
    }
    ScriviBox(esito.box);
    cmdCalcola->setText(QStringLiteral("&Sblocca"));
    zavetraVisualizzata = true;
    modoPrincipale = QStringLiteral("CaSt");
    AbilitaPulsantiComando();
    return true;
}

void FrmMain::TornaAllItinerario() {
    if (itinerarioPrimaDelCalcolo_) {
        mfgTab = *itinerarioPrimaDelCalcolo_;
        itinerarioPrimaDelCalcolo_.reset();
    }
    cmdCalcola->setText(kCaptionCalcola);
    zavetraVisualizzata = false;
    pannelloTappe->CalcolaKmTempiItinerario();
    pannelloTappe->AttivitaInserimentoItinerario(false);
    modoPrincipale = codiceCorrente.isEmpty() ? QStringLiteral("NuImEs") : QStringLiteral("all");
    AbilitaPulsantiComando();
}

void FrmMain::cmdAzzeraSoste_Click() {
    if (::cmdAzzeraSoste_Click(mfgTab, dialoghi_)) pannelloTappe->CalcolaKmTempiItinerario();
    AbilitaPulsantiComando();
}
