#include "itinerary/ui/PannelloDuplica.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/Conferma.h"
#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/ui/GrigliaModello.h"
#include "database/Archivio.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/KmTempi.h"

namespace {

QString Nome(const char* base, int indice) {
    return QString::fromLatin1(base) + QLatin1Char('_') + QString::number(indice);
}

QLineEdit* Casella(const char* base, int indice) {
    auto* t = new QLineEdit;
    t->setObjectName(Nome(base, indice));
    t->setReadOnly(true);
    t->setFocusPolicy(Qt::NoFocus);
    return t;
}

QPushButton* Pulsante(const QString& nome, const QString& didascalia, const QString& suggerimento) {
    auto* p = new QPushButton(didascalia);
    p->setObjectName(nome);
    p->setToolTip(suggerimento);
    p->setAutoDefault(false);
    return p;
}

}  // namespace

PannelloDuplica::PannelloDuplica(Archivio& archivio, Griglia& mfgTab, Griglia& mfgCopia, Dialoghi& dialoghi,
                                 CollegamentoBoxMeta box, TabellaGriglia* tabellaTab, QWidget* parent)
    : QWidget(parent),
      archivio_(archivio),
      mfgTab_(mfgTab),
      mfgCopia_(mfgCopia),
      dialoghi_(dialoghi),
      box_(std::move(box)),
      tabellaTab_(tabellaTab) {
    setObjectName(QStringLiteral("PannelloDuplica"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    lblDidascalia = new QLabel;
    lblDidascalia->setObjectName(QStringLiteral("lblDidascalia"));
    lblDidascalia->setWordWrap(true);
    v->addWidget(lblDidascalia);
    mfgCopiaVista = new TabellaGriglia(&mfgCopia_);
    mfgCopiaVista->setObjectName(QStringLiteral("mfgCopia"));
    v->addWidget(mfgCopiaVista, 1);
    frmDuplica = CreaCornice();
    v->addWidget(frmDuplica);
    MostraLista(false);
    frmDuplica->hide();
    Collega();
}

QGroupBox* PannelloDuplica::CreaCornice() {
    auto* cornice = new QGroupBox(QStringLiteral("Tratto dal percorso:"));
    cornice->setObjectName(QStringLiteral("frmDuplica"));
    auto* g = new QGridLayout(cornice);
    static const std::array<const char*, 2> assegna{"Asse&gna tappa iniziale", "Asse&gna tappa  finale"};
    static const std::array<const char*, 2> suggerimenti{"La località corrente sarà la prima inserita",
                                                         "La località corrente sarà l'ultima inserita"};
    for (int i = 0; i < 2; ++i) {
        txtInsNum[i] = Casella("txtInsNum", i);
        txtInsNum[i]->setMaximumWidth(txtInsNum[i]->fontMetrics().horizontalAdvance(QStringLiteral("00000")) +
                                      12);
        txtInsLoc[i] = Casella("txtInsLoc", i);
        txtInsNS[i] = Casella("txtInsNS", i);
        txtInsKm[i] = Casella("txtInsKm", i);
        txtInsKm[i]->setMaximumWidth(txtInsKm[i]->fontMetrics().horizontalAdvance(QStringLiteral("000000")) +
                                     12);
        cmdAssegna[i] = Pulsante(Nome("cmdAssegna", i), QString::fromUtf8(assegna[i]),
                                 QString::fromUtf8(suggerimenti[i]));
        g->addWidget(txtInsNum[i], i, 0);
        g->addWidget(txtInsLoc[i], i, 1);
        g->addWidget(txtInsNS[i], i, 2);
        g->addWidget(txtInsKm[i], i, 3);
        g->addWidget(cmdAssegna[i], i, 4);
    }
    static const std::array<const char*, 2> etichette{"Dopo", "Mèta"};
    for (int i = 0; i < 2; ++i) {
        lblDuplica[i] = new QLabel(QString::fromUtf8(etichette[i]));
        lblDuplica[i]->setObjectName(Nome("lblDuplica", i));
        txtInsTappa[i] = Casella("txtInsTappa", i);
        g->addWidget(lblDuplica[i], 2 + i, 0);
        g->addWidget(txtInsTappa[i], 2 + i, 1, 1, 3);
    }
    chkInsSoste = new QCheckBox(QStringLiteral("Inserire anche le soste:"));
    chkInsSoste->setObjectName(QStringLiteral("chkInsSoste"));
    chkInsSoste->setLayoutDirection(Qt::RightToLeft);
    g->addWidget(chkInsSoste, 4, 0, 1, 2);
    cmdInsEsegui[0] = Pulsante(Nome("cmdInsEsegui", 0), QStringLiteral("Inserisce &percorso"),
                               QStringLiteral("Inserisce il tratto selezionato nel verso indicato"));
    cmdInsEsegui[1] = Pulsante(Nome("cmdInsEsegui", 1), QStringLiteral("Rin&uncia"),
                               QStringLiteral("Rinuncia alla duplicazione dell'itinerario"));
    cmdHelpDuplica = Pulsante(QStringLiteral("cmdHelpDuplica"), QStringLiteral("[?]"),
                              QStringLiteral("Informazioni sulla duplicazione"));
    g->addWidget(cmdInsEsegui[0], 4, 2);
    g->addWidget(cmdInsEsegui[1], 4, 3);
    g->addWidget(cmdHelpDuplica, 4, 4);
    return cornice;
}

void PannelloDuplica::Collega() {
    for (int i = 0; i < 2; ++i) {
        connect(cmdAssegna[i], &QPushButton::clicked, this, [this, i] { cmdAssegna_Click(i); });
        connect(cmdInsEsegui[i], &QPushButton::clicked, this, [this, i] { cmdInsEsegui_Click(i); });
    }
    connect(cmdHelpDuplica, &QPushButton::clicked, this, &PannelloDuplica::cmdHelpDuplica_Click);
    const GrigliaModello* copia = mfgCopiaVista->modello();
    connect(mfgCopiaVista, &QAbstractItemView::clicked, this,
            [this, copia](const QModelIndex& i) { mfgCopia_Click(copia->rigaGriglia(i.row())); });
    if (tabellaTab_) {
        const GrigliaModello* tab = tabellaTab_->modello();
        connect(tabellaTab_, &QAbstractItemView::clicked, this,
                [this, tab](const QModelIndex& i) { mfgTab_Click(tab->rigaGriglia(i.row())); });
    }
}

void PannelloDuplica::MostraLista(bool mostra) {
    lblDidascalia->setVisible(mostra);
    mfgCopiaVista->setVisible(mostra);
}

TrattoDuplica PannelloDuplica::LeggiTratto() const {
    TrattoDuplica t;
    for (int i = 0; i < 2; ++i) {
        t.txtInsLoc[i] = txtInsLoc[i]->text();
        t.txtInsNS[i] = txtInsNS[i]->text();
        t.txtInsKm[i] = txtInsKm[i]->text();
        t.txtInsNum[i] = txtInsNum[i]->text();
    }
    return t;
}

void PannelloDuplica::ScriviTratto(const TrattoDuplica& t) {
    for (int i = 0; i < 2; ++i) {
        txtInsLoc[i]->setText(t.txtInsLoc[i]);
        txtInsNS[i]->setText(t.txtInsNS[i]);
        txtInsKm[i]->setText(t.txtInsKm[i]);
        txtInsNum[i]->setText(t.txtInsNum[i]);
    }
}

void PannelloDuplica::MostraInserimento() {
    txtInsTappa[0]->setText(LuogoInserimento(mfgTab_, rigaInserimento_));
}

void PannelloDuplica::cmdDuplica_Click() {
    rigaInserimento_ = RigaInserimentoDuplica(mfgTab_);
    SelezioneGriglia(mfgTab_, rigaInserimento_, rigaInserimento_, 0, mfgTab_.colonne() - 1);
    ScriviTratto({});
    txtInsTappa[1]->clear();
    chkInsSoste->setChecked(false);
    int mete = 0;
    try {
        mete = CaricaElencoMete(archivio_, mfgCopia_);
    } catch (const ErroreDatabase& e) {
        dialoghi_.avviso(e.messaggio(), QStringLiteral("Copia da altre mète"), Icona::Critico);
        RinunciaDuplicaItinerario();
        return;
    }
    if (mete == 0) {
        dialoghi_.avviso(QString::fromUtf8("Non trovate mète memorizzate"));
        RinunciaDuplicaItinerario();
        return;
    }
    fase_ = Fase::ElencoMete;
    lblDidascalia->setText(DefinizioneLayout(LayoutElencoMete).didascalia);
    MostraInserimento();
    for (QPushButton* p : cmdAssegna) p->setEnabled(false);
    cmdInsEsegui[0]->setEnabled(false);
    frmDuplica->show();
    MostraLista(true);
}

void PannelloDuplica::mfgCopia_Click(int riga) {
    if (riga < 1 || riga >= mfgCopia_.righe()) return;
    if (fase_ == Fase::TappeMeta) {
        mfgCopia_.impostaRiga(riga);
        return;
    }
    if (fase_ != Fase::ElencoMete) return;
    const QString codice = mfgCopia_.testo(riga, ColMetaCodice);
    if (codice.isEmpty()) return;
    const QString meta = mfgCopia_.testo(riga, ColMetaLocalita);
    try {
        CaricaTappeAltraMeta(archivio_, mfgCopia_, codice);
    } catch (const ErroreDatabase& e) {
        dialoghi_.avviso(e.messaggio(), QStringLiteral("Copia da altre mète"), Icona::Critico);
        return;
    }
    fase_ = Fase::TappeMeta;
    lblDidascalia->setText(DefinizioneLayout(LayoutTappeAltraMeta).didascalia);
    txtInsTappa[1]->setText(meta);
    for (QPushButton* p : cmdAssegna) p->setEnabled(true);
    SelezioneTappeDuplica();
}

void PannelloDuplica::cmdAssegna_Click(int indice) {
    if (fase_ != Fase::TappeMeta) return;
    TrattoDuplica t = LeggiTratto();
    AssegnaTappa(mfgCopia_, indice, t);
    ScriviTratto(t);
    SelezioneTappeDuplica();
}

void PannelloDuplica::SelezioneTappeDuplica() {
    cmdInsEsegui[0]->setEnabled(::SelezioneTappeDuplica(mfgCopia_, LeggiTratto()));
}

void PannelloDuplica::cmdInsEsegui_Click(int indice) {
    if (indice != 0) {
        RinunciaDuplicaItinerario();
        return;
    }
    if (fase_ != Fase::TappeMeta || !cmdInsEsegui[0]->isEnabled()) return;
    QString codice = QStringLiteral("IP");
    // Any other answer leaves the lists as they are, so the stretch can be chosen again.
    if (BoxConferma(codice, dialoghi_) != Risposta::Si) return;
    MostraLista(false);
    frmDuplica->hide();
    const EstremiTratto e = EstremiDuplica(mfgCopia_, LeggiTratto());
    int riga = rigaInserimento_;
    const int inserite = InserisciTratto(mfgTab_, riga, mfgCopia_, e.a, e.b, chkInsSoste->isChecked());
    RinunciaDuplicaItinerario();
    if (inserite == 0) return;
    BoxMeta box = box_.leggiBox ? box_.leggiBox() : BoxMeta{};
    ::CalcolaKmTempiItinerario(mfgTab_, box);
    if (box_.scriviBox) box_.scriviBox(box);
    emit tappeInserite(riga);
}

void PannelloDuplica::RinunciaDuplicaItinerario() {
    ScriviTratto({});
    for (QLineEdit* t : txtInsTappa) t->clear();
    MostraLista(false);
    frmDuplica->hide();
    fase_ = Fase::Chiusa;
    emit copiaChiusa();
}

void PannelloDuplica::cmdHelpDuplica_Click() {
    dialoghi_.avviso(AiutoDuplica(), {}, Icona::Informazione);
}

void PannelloDuplica::mfgTab_Click(int riga) {
    if (fase_ == Fase::Chiusa || riga < 1) return;
    rigaInserimento_ = std::min(riga, RigaInserimentoDuplica(mfgTab_));
    MostraInserimento();
}
