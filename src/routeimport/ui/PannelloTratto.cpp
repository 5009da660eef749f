#include "routeimport/ui/PannelloTratto.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Testo.h"
#include "common/ui/GrigliaModello.h"

namespace {

const QString kTipi = QStringLiteral("ASPL");
constexpr int kPrima = 0;
constexpr int kUltima = 1;
constexpr int kAssegna = 2;
constexpr int kFine = 3;
constexpr int kSalva = 4;

QString Nome(const char* base, int i) {
    return QString::fromLatin1(base) + QLatin1Char('_') + QString::number(i);
}

}  // namespace

PannelloTratto::PannelloTratto(Griglia& mfgTab, Dialoghi& dialoghi, CollegamentoTratto collegamento,
                               TabellaGriglia* tabella, QWidget* parent)
    : QFrame(parent),
      mfgTab_(mfgTab),
      dialoghi_(dialoghi),
      collegamento_(std::move(collegamento)),
      tabella_(tabella) {
    setObjectName(QStringLiteral("frmTratto"));
    auto* h = new QHBoxLayout(this);
    if (!tabella_) {
        tabella_ = new TabellaGriglia(&mfgTab_);
        tabella_->setObjectName(QStringLiteral("mfgTab"));
        h->addWidget(tabella_, 1);
    }
    auto* cornice = new QGroupBox(QStringLiteral("Modifica tratto itinerario:"));
    h->addWidget(cornice);
    auto* g = new QGridLayout(cornice);

    static const std::array<const char*, 3> etichette{
        "Prima tappa:", "Ultima tappa:", "Num.tappe selezionate:"};
    static const std::array<const char*, 5> didascalie{"Seleziona", "Seleziona", "&Assegna", "&Fine",
                                                       "&Salva"};
    for (int i = 0; i < 3; ++i) {
        txttappasel[i] = new QLineEdit;
        txttappasel[i]->setObjectName(Nome("txttappasel", i));
        txttappasel[i]->setReadOnly(true);
        g->addWidget(new QLabel(QString::fromLatin1(etichette[i])), i, 0);
        g->addWidget(txttappasel[i], i, 1);
    }
    for (int i = 0; i < 5; ++i) {
        cmdTappaSEl[i] = new QPushButton(QString::fromLatin1(didascalie[i]));
        cmdTappaSEl[i]->setObjectName(Nome("cmdTappaSEl", i));
        cmdTappaSEl[i]->setAutoDefault(false);
        connect(cmdTappaSEl[i], &QPushButton::clicked, this, [this, i] { cmdTappaSEl_Click(i); });
    }
    g->addWidget(cmdTappaSEl[kPrima], 0, 2);
    g->addWidget(cmdTappaSEl[kUltima], 1, 2);

    auto* tipi = new QGroupBox(QStringLiteral("Tipo strada da assegnare:"));
    auto* v = new QVBoxLayout(tipi);
    auto* gruppo = new QButtonGroup(this);
    static const std::array<const char*, 4> strade{"&Autostrada", "&Superstrada", "&Principale", "&Locale"};
    for (int i = 0; i < 4; ++i) {
        optTStrada[i] = new QRadioButton(QString::fromLatin1(strade[i]));
        optTStrada[i]->setObjectName(Nome("optTStrada", i));
        gruppo->addButton(optTStrada[i]);
        v->addWidget(optTStrada[i]);
        connect(optTStrada[i], &QRadioButton::toggled, this, [this](bool attivo) {
            if (attivo) LeggiTipo();
        });
    }
    g->addWidget(tipi, 3, 0, 1, 3);
    chkTappaSingola = new QCheckBox(QStringLiteral("Elabora &Singola tappa"));
    chkTappaSingola->setObjectName(QStringLiteral("chkTappaSingola"));
    g->addWidget(chkTappaSingola, 4, 0, 1, 3);
    auto* pulsanti = new QHBoxLayout;
    for (int i : {kAssegna, kSalva, kFine}) pulsanti->addWidget(cmdTappaSEl[i]);
    g->addLayout(pulsanti, 5, 0, 1, 3);

    // The view shows the grid's heading row as its header: its rows are one above the grid's.
    const GrigliaModello* modello = tabella_->modello();
    connect(tabella_, &QAbstractItemView::clicked, this,
            [this, modello](const QModelIndex& i) { mfgTab_Click(modello->rigaGriglia(i.row())); });
    ScriviStato();
    hide();
}

void PannelloTratto::cmdModStrada_Click() {
    show();
    cmdTappaSEl[kAssegna]->setEnabled(false);
}

bool PannelloTratto::sceltaSingola() const {
    return isVisible() && chkTappaSingola->isChecked();
}

bool PannelloTratto::mfgTab_Click(int riga) {
    if (!sceltaSingola() || riga < 1) return false;
    mfgTab_.impostaRiga(riga);
    cmdTappaSEl_Click(kPrima);
    cmdTappaSEl_Click(kUltima);
    return true;
}

void PannelloTratto::LeggiTipo() {
    for (int i = 0; i < 4; ++i)
        if (optTStrada[i]->isChecked()) stato_.tipoStrada = kTipi.mid(i, 1);
}

void PannelloTratto::ScriviStato() {
    txttappasel[0]->setText(stato_.primaTappa);
    txttappasel[1]->setText(stato_.ultimaTappa);
    txttappasel[2]->setText(stato_.numeroTappe);
    const qsizetype tipo = kTipi.indexOf(stato_.tipoStrada);
    if (tipo >= 0) optTStrada[tipo]->setChecked(true);
    cmdTappaSEl[kAssegna]->setEnabled(stato_.assegnaAbilitato);
}

void PannelloTratto::cmdTappaSEl_Click(int indice) {
    LeggiTipo();
    if (indice == kFine) {
        if (ModificheTratto(stato_) &&
            dialoghi_.domanda(QStringLiteral("Vuoi salvare le modifiche apportate?"),
                              QStringLiteral("Salvataggio dati")) &&
            collegamento_.salva && !collegamento_.salva())
            return;  // a failed save keeps the assignments on screen
        chkTappaSingola->setChecked(false);
        stato_ = StatoTratto{};
        ScriviStato();
        hide();
        if (collegamento_.ricarica) collegamento_.ricarica();
        emit trattoChiuso();
        return;
    }
    if (indice == kSalva) {
        if (stato_.marche.isEmpty()) stato_.marche = QString(mfgTab_.righe(), QLatin1Char('0'));
        if (collegamento_.salva && collegamento_.salva()) MarcheSalvate(stato_);
    } else {
        ::cmdTappaSEl_Click(mfgTab_, stato_, indice);
        if (indice == kAssegna) {
            if (collegamento_.ricalcola) collegamento_.ricalcola();
            emit grigliaCambiata();
        }
    }
    ScriviStato();
}
