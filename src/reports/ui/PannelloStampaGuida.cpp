#include "reports/ui/PannelloStampaGuida.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/Orologio.h"
#include "printing/Stampanti.h"
#include "printing/Superficie.h"
#include "printing/ui/PannelloStampanti.h"

namespace {

QRadioButton* Opzione(const QString& nome, const QString& testo, QLayout* layout) {
    auto* o = new QRadioButton(testo);
    o->setObjectName(nome);
    layout->addWidget(o);
    return o;
}

}  // namespace

PannelloStampaGuida::PannelloStampaGuida(Archivio& archivio, const TabellaTipiGuida& tipi,
                                         StampanteCorrente& stampante, Dialoghi& dialoghi,
                                         Progresso& progresso, const Orologio& orologio,
                                         const QString& cartellaDati, QWidget* parent)
    : QWidget(parent),
      creaSuperficie(ApriSuperficie),
      archivio_(archivio),
      tipi_(tipi),
      dialoghi_(dialoghi),
      progresso_(progresso),
      orologio_(orologio) {
    setObjectName(QStringLiteral("frmStampaGuida"));
    auto* lista = new QGroupBox;
    auto* listaLayout = new QVBoxLayout(lista);
    optGuidaListaStampa0 = Opzione(QStringLiteral("optGuidaListaStampa0"), kInerentiMeta, listaLayout);
    optGuidaListaStampa1 = Opzione(QStringLiteral("optGuidaListaStampa1"), kTutte, listaLayout);
    optGuidaListaStampa0->setChecked(true);
    auto* dettaglio = new QGroupBox;
    auto* dettaglioLayout = new QVBoxLayout(dettaglio);
    optGuidaDettaglioStampa0 =
        Opzione(QStringLiteral("optGuidaDettaglioStampa0"), kLocalitaEGuida, dettaglioLayout);
    optGuidaDettaglioStampa1 =
        Opzione(QStringLiteral("optGuidaDettaglioStampa1"), kSoloLocalita, dettaglioLayout);
    optGuidaDettaglioStampa0->setChecked(true);
    cmdStampaGuida0 = new QPushButton(QStringLiteral("&Stampa"));
    cmdStampaGuida0->setObjectName(QStringLiteral("cmdStampaGuida0"));
    cmdStampaGuida1 = new QPushButton(QStringLiteral("&Rinuncia"));
    cmdStampaGuida1->setObjectName(QStringLiteral("cmdStampaGuida1"));
    pannelloStampanti = new PannelloStampanti(stampante, dialoghi, cartellaDati);
    pannelloStampanti->impostaNomePdf(QStringLiteral("GuidaCitta.pdf"));
    pannelloStampanti->hide();

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(cmdStampaGuida0);
    pulsanti->addWidget(cmdStampaGuida1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lista);
    layout->addWidget(dettaglio);
    layout->addLayout(pulsanti);
    layout->addWidget(pannelloStampanti);

    connect(cmdStampaGuida0, &QPushButton::clicked, this, [this] { cmdStampaGuida_Click(0); });
    connect(cmdStampaGuida1, &QPushButton::clicked, this, [this] { cmdStampaGuida_Click(1); });
    connect(pannelloStampanti, &PannelloStampanti::stampa, this,
            [this](const Destinazione& d) { Stampa(d); });
    connect(pannelloStampanti, &PannelloStampanti::rinuncia, this, [this] {
        hide();
        emit stampaConclusa();
    });
}

void PannelloStampaGuida::mostra(const QString& codiceMeta, const QString& localitaMeta,
                                 const QString& titoloFinestra) {
    codiceMeta_ = codiceMeta;
    localitaMeta_ = localitaMeta;
    titoloFinestra_ = titoloFinestra;
    pannelloStampanti->hide();
    show();
    raise();
}

OpzioniStampaGuida PannelloStampaGuida::LeggiOpzioni() const {
    return {optGuidaListaStampa1->isChecked(), optGuidaDettaglioStampa1->isChecked()};
}

void PannelloStampaGuida::cmdStampaGuida_Click(int indice) {
    if (indice == 0) {
        emit stampaIniziata();
        pannelloStampanti->VisualizzaListaStampanti();
        return;
    }
    hide();
    emit stampaConclusa();
}

EsitoStampaGuida PannelloStampaGuida::Stampa(const Destinazione& destinazione) {
    hide();
    const DatiPagina pagina{localitaMeta_, QString(), titoloFinestra_, orologio_.adesso().date()};
    const std::unique_ptr<Superficie> superficie = creaSuperficie(destinazione);
    const EsitoStampaGuida esito = StampaDelleMete(*superficie, archivio_, tipi_, LeggiOpzioni(), codiceMeta_,
                                                   pagina, dialoghi_, progresso_);
    emit stampaConclusa();
    return esito;
}
