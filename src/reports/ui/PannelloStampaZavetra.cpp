#include "reports/ui/PannelloStampaZavetra.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/Orologio.h"
#include "printing/Stampanti.h"
#include "printing/Superficie.h"
#include "printing/ui/PannelloStampanti.h"

namespace {

QCheckBox* Casella(const QString& nome, const QString& testo) {
    auto* c = new QCheckBox(testo);
    c->setObjectName(nome);
    return c;
}

}  // namespace

PannelloStampaZavetra::PannelloStampaZavetra(const Griglia& mfgTab, StampanteCorrente& stampante,
                                             Dialoghi& dialoghi, Progresso& progresso,
                                             const Orologio& orologio, const QString& cartellaDati,
                                             QWidget* parent)
    : QWidget(parent),
      creaSuperficie(ApriSuperficie),
      griglia_(mfgTab),
      dialoghi_(dialoghi),
      progresso_(progresso),
      orologio_(orologio),
      cartellaDati_(cartellaDati) {
    setObjectName(QStringLiteral("frmStampaZavetra"));
    chkFrontespizio = Casella(QStringLiteral("chkFrontespizio"), QStringLiteral("Stampa del &Frontespizio"));
    const std::array<QString, 4> voci{QStringLiteral("Mappe &città"), QStringLiteral("Mappe &itinerario"),
                                      QStringLiteral("&Lunoro"), QStringLiteral("Zavetra")};
    auto* riquadro = new QGroupBox;
    auto* vociLayout = new QVBoxLayout(riquadro);
    for (size_t i = 0; i < voci.size(); ++i) {
        chkVociFrontespizio[i] = Casella(QStringLiteral("chkVociFrontespizio%1").arg(i), voci[i]);
        vociLayout->addWidget(chkVociFrontespizio[i]);
    }
    chkTabella = Casella(QStringLiteral("chkTabella"), QStringLiteral("Zavetra"));
    chkModuli = Casella(QStringLiteral("chkModuli"), QStringLiteral("Moduli \"Lunoro\""));
    cmdEsegui0 = new QPushButton(QStringLiteral("&Stampa"));
    cmdEsegui0->setObjectName(QStringLiteral("cmdEsegui0"));
    cmdEsegui1 = new QPushButton(QStringLiteral("&Rinuncia"));
    cmdEsegui1->setObjectName(QStringLiteral("cmdEsegui1"));
    pannelloStampanti = new PannelloStampanti(stampante, dialoghi, cartellaDati);
    pannelloStampanti->hide();

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(cmdEsegui0);
    pulsanti->addWidget(cmdEsegui1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chkFrontespizio);
    layout->addWidget(riquadro);
    layout->addWidget(chkTabella);
    layout->addWidget(chkModuli);
    layout->addWidget(new QLabel(QStringLiteral("Stampa su file \\ListaLocalita.txt")));
    layout->addWidget(new QLabel(QStringLiteral("Stampa su file \"\\camptabl.txt\"")));
    layout->addLayout(pulsanti);
    layout->addWidget(pannelloStampanti);

    connect(cmdEsegui0, &QPushButton::clicked, this, [this] { cmdEsegui_Click(0); });
    connect(cmdEsegui1, &QPushButton::clicked, this, [this] { cmdEsegui_Click(1); });
    connect(pannelloStampanti, &PannelloStampanti::stampa, this,
            [this](const Destinazione& d) { Stampa(d); });
    connect(pannelloStampanti, &PannelloStampanti::rinuncia, this, &PannelloStampaZavetra::stampaConclusa);
}

PannelloStampaZavetra::~PannelloStampaZavetra() = default;

void PannelloStampaZavetra::mostra(const BoxMeta& box, const QString& titoloFinestra) {
    box_ = box;
    titoloFinestra_ = titoloFinestra;
    pannelloStampanti->hide();
    show();
    raise();
}

OpzioniStampa PannelloStampaZavetra::LeggiOpzioni() const {
    OpzioniStampa o;
    o.chkFrontespizio = chkFrontespizio->isChecked();
    for (size_t i = 0; i < chkVociFrontespizio.size(); ++i)
        o.chkVociFrontespizio[i] = chkVociFrontespizio[i]->isChecked();
    o.chkTabella = chkTabella->isChecked();
    o.chkModuli = chkModuli->isChecked();
    return o;
}

void PannelloStampaZavetra::cmdEsegui_Click(int indice) {
    if (indice == 0) {
        pannelloStampanti->VisualizzaListaStampanti();
        return;
    }
    pannelloStampanti->hide();
    hide();
    emit stampaConclusa();
}

EsitoStampa PannelloStampaZavetra::Stampa(const Destinazione& destinazione) {
    hide();
    const OpzioniStampa opzioni = LeggiOpzioni();
    DatiStampa dati{box_, titoloFinestra_, orologio_.adesso().date(), cartellaDati_, avviaModuli_};
    const std::unique_ptr<Superficie> superficie = creaSuperficie(destinazione);
    const EsitoStampa esito =
        StampaDellItinerario(opzioni, *superficie, griglia_, dati, dialoghi_, progresso_);
    emit stampaConclusa();
    return esito;
}
