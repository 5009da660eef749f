// The side panels of the main window that other folders build: the print options of the schedule
// and of the guide, the exchange of trips, the road type of a stretch, the copy of a stretch from
// another trip, the route import and the conversion of old data.  Each handler sets the window's
// modes while its panel is open and gives them back when the panel closes.
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>

#include "app/FrmMain.h"
#include "common/Dialoghi.h"
#include "common/Orologio.h"
#include "common/ui/TabellaGriglia.h"
#include "exchange/ui/PannelloScambio.h"
#include "guide/ui/PannelloGuida.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/ui/PannelloDuplica.h"
#include "itinerary/ui/PannelloTappe.h"
#include "legacy/Conversione.h"
#include "logbook/ComandoModuli.h"
#include "printing/ui/PannelloStampanti.h"
#include "reports/ui/PannelloStampaGuida.h"
#include "reports/ui/PannelloStampaZavetra.h"
#include "routeimport/ImportaPercorso.h"
#include "routeimport/ui/PannelloTratto.h"
#include "schedule/Zavetra.h"
#include "trips/Meta.h"
#include "trips/Modi.h"
#include "trips/ui/ProgressoFinestra.h"

namespace {

// A date of three boxes (year, month, day); an incomplete one is invalid.
QDate DataBox(const QString& anno, const QString& mese, const QString& giorno) {
    return QDate(anno.toInt(), mese.toInt(), giorno.toInt());
}

}  // namespace

void FrmMain::CreaPannelli(QLayout* area) {
    const QString cartella = archivio_.cartella();
    auto aggiungi = [area](QWidget* w, const char* nome) {
        w->setObjectName(QString::fromLatin1(nome));
        w->hide();
        area->addWidget(w);
    };

    pannelloStampa =
        new PannelloStampaZavetra(mfgTab, stampante_, dialoghi_, *progresso_, orologio_, cartella);
    aggiungi(pannelloStampa, "pannelloStampa");
    pannelloStampa->impostaAvvioModuli([this](const BoxMeta& box) { return AvviaModuli(box); });

    pannelloStampaGuida = new PannelloStampaGuida(archivio_, tipiGuida_, stampante_, dialoghi_, *progresso_,
                                                  orologio_, cartella);
    aggiungi(pannelloStampaGuida, "pannelloStampaGuida");

    pannelloScambio = new PannelloScambio(archivio_, dialoghi_, *progresso_);
    aggiungi(pannelloScambio, "pannelloScambio");

    CollegamentoTratto tratto{[this] { return SalvaTappe(); },
                              [this] {
                                  try {
                                      CaricaDatiAnagraficiMeta();
                                  } catch (const ErroreDatabase& e) {
                                      MostraErrore(e);
                                  }
                              },
                              [this] { pannelloTappe->CalcolaKmTempiItinerario(); }};
    pannelloTratto = new PannelloTratto(mfgTab, dialoghi_, tratto, tabItinerario);
    aggiungi(pannelloTratto, "pannelloTratto");

    CollegamentoBoxMeta box{[this] { return LeggiBox(); }, [this](const BoxMeta& b) { ScriviBox(b); }};
    pannelloDuplica = new PannelloDuplica(archivio_, mfgTab, mfgCopia, dialoghi_, box, tabItinerario);
    aggiungi(pannelloDuplica, "pannelloDuplica");

    frmAttesa = new QLabel(QStringLiteral("Attendere: avvio della stampa dei moduli..."));
    frmAttesa->setAlignment(Qt::AlignCenter);
    frmAttesa->setFrameShape(QFrame::StyledPanel);
    aggiungi(frmAttesa, "frmAttesa");
}

void FrmMain::CollegaPannelli() {
    connect(cmdStampa, &QPushButton::clicked, this, &FrmMain::cmdStampa_Click);
    connect(cmdExport, &QPushButton::clicked, this, &FrmMain::cmdExport_Click);
    connect(cmdMapPoint, &QPushButton::clicked, this, &FrmMain::cmdMapPoint_Click);
    connect(cmdModStrada, &QPushButton::clicked, this, &FrmMain::cmdModStrada_Click);
    connect(cmdDuplica, &QPushButton::clicked, this, &FrmMain::cmdDuplica_Click);
    connect(cmdConverte, &QPushButton::clicked, this, &FrmMain::cmdConverte_Click);

    connect(pannelloStampa, &PannelloStampaZavetra::stampaConclusa, this, &FrmMain::StampaConclusa);

    connect(pannelloStampaGuida, &PannelloStampaGuida::stampaIniziata, this, [this] {
        if (pannelloGuida) pannelloGuida->setEnabled(false);
    });
    connect(pannelloStampaGuida, &PannelloStampaGuida::stampaConclusa, this, [this] {
        if (pannelloGuida) pannelloGuida->setEnabled(true);
    });

    connect(pannelloScambio, &PannelloScambio::prepara, this, [this] {
        AzzeraSchermo();
        tabItinerario->hide();
        modoPrincipale = QStringLiteral("zz");
        modoItinerario = QStringLiteral("zz");
        AbilitaPulsantiComando();
        cmdExport->setEnabled(false);
    });
    connect(pannelloScambio, &PannelloScambio::chiuso, this, [this] {
        tabItinerario->show();
        cmdExport->setEnabled(true);
    });
    connect(pannelloScambio, &PannelloScambio::concluso, this, [this] {
        RicaricaDopoOperazione();
        // The panel stays open after an export: its own button stays off until it closes.
        if (!pannelloScambio->isHidden()) cmdExport->setEnabled(false);
    });

    connect(pannelloTratto, &PannelloTratto::grigliaCambiata, this, &FrmMain::AbilitaPulsantiComando);
    // The frame reloads the stored legs as it closes: leg editing is over too.
    connect(pannelloTratto, &PannelloTratto::trattoChiuso, this, [this] {
        modoPrincipale = codiceCorrente.isEmpty() ? QStringLiteral("NuImEs") : QStringLiteral("all");
        modoItinerario = QStringLiteral("ZZ");
        AbilitaPulsantiComando();
    });

    connect(pannelloDuplica, &PannelloDuplica::copiaChiusa, this, &FrmMain::CopiaChiusa);
    connect(pannelloDuplica, &PannelloDuplica::tappeInserite, this,
            [this](int riga) { pannelloTappe->mfgTab_Click(riga); });
}

void FrmMain::RicaricaDopoOperazione() {
    try {
        MostraMetaCorrente();
    } catch (const ErroreDatabase& e) {
        MostraErrore(e);
    }
    // The legs shown are the stored ones: no editing is open.
    modoPrincipale = codiceCorrente.isEmpty() ? QStringLiteral("NuImEs") : QStringLiteral("all");
    modoItinerario = QStringLiteral("ZZ");
    AbilitaPulsantiComando();
}

// ---------------------------------------------------------------------------------------------
// Printing the schedule

void FrmMain::cmdStampa_Click() {
    PulisciFinestre();
    if (!zavetraVisualizzata) {
        modoPrincipale = QStringLiteral("zz");
        AbilitaPulsantiComando();
        cmbRicerca->hide();
        if (!EseguiCalcolo(static_cast<int>(Chiamante::Stampa))) return;
    }
    // Nothing may start while the options and the printer are chosen, not even the commands
    // that the computed schedule leaves on.
    modoItinerarioAperto_ = modoItinerario;
    modoPrincipale = QStringLiteral("vv");
    modoItinerario = QStringLiteral("vv");
    AbilitaPulsantiComando();
    pannelloStampa->mostra(LeggiBox(), windowTitle());
}

void FrmMain::StampaConclusa() {
    // Giving up the printer gives up the options too: they would print whatever the grid holds
    // once the schedule is unlocked.
    pannelloStampa->hide();
    // The schedule stays shown: the rule of the calculate caption leaves compute and print.
    modoPrincipale = QStringLiteral("all");
    modoItinerario = modoItinerarioAperto_;
    AbilitaPulsantiComando();
}

bool FrmMain::AvviaModuli(const BoxMeta& box) {
    frmAttesa->show();
    centralWidget()->setEnabled(false);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QString errore;
    const bool avviato = AvviaKestrin(archivio_.cartella(), box.txtLocalita,
                                      DataBox(box.cmbInizio[2], box.cmbInizio[1], box.cmbInizio[0]),
                                      DataBox(box.txtFine[2], box.txtFine[1], box.txtFine[0]),
                                      QCoreApplication::applicationDirPath(), &errore, &pidModuli);
    centralWidget()->setEnabled(true);
    frmAttesa->hide();
    if (!avviato) dialoghi_.avviso(errore, kTitoloStampa, Icona::Critico);
    return avviato;
}

void FrmMain::StampaGuida() {
    pannelloStampaGuida->mostra(codiceCorrente, txtLocalita->text(), windowTitle());
}

// ---------------------------------------------------------------------------------------------
// Import and export of trips

void FrmMain::AzzeraSchermo() {
    PulisciFinestre();
    BoxMeta box = LeggiBox();
    try {
        ::CaricaDefaultMeta(0, box, archivio_);
    } catch (const ErroreDatabase& e) {
        MostraErrore(e);
    }
    for (QString& fine : box.txtFine) fine.clear();
    ImpostaInizioAdesso(box, orologio_);
    ScriviBox(box);
    CancellaMatrice(mfgTab);
}

void FrmMain::cmdExport_Click() {
    AttivaFormMeta(true);
    pannelloScambio->cmdExport_Click();
}

// ---------------------------------------------------------------------------------------------
// Route import, road type of a stretch, copy of a stretch

void FrmMain::cmdMapPoint_Click() {
    pannelloTappe->ChiudiInserimento();
    BoxMeta box = LeggiBox();
    const RisultatoImport r = ::cmdMapPoint_Click(mfgTab, box, dialoghi_);
    if (r.esito == EsitoImport::Importato) {
        ScriviBox(box);
        // The imported legs are shown in the editing frame, where "Fine inser." stores them.
        pannelloTappe->AttivitaInserimentoItinerario(true);
        modoPrincipale = QStringLiteral("all");
        modoItinerario = QStringLiteral("all");
    }
    AbilitaPulsantiComando();
}

void FrmMain::cmdModStrada_Click() {
    AttivaFormMeta(true);
    PulisciFinestre();
    pannelloTratto->cmdModStrada_Click();
    modoPrincipale = QStringLiteral("zz");
    modoItinerario = QStringLiteral("zz");
    AbilitaPulsantiComando();
}

void FrmMain::cmdDuplica_Click() {
    // The copy state comes first: with no stored trip the panel closes again from inside the call.
    modoItinerarioAperto_ = modoItinerario;
    corniceApertaPrimaCopia_ = !frmItinerario->isHidden();
    modoPrincipale = QStringLiteral("zz");
    modoItinerario = QStringLiteral("zz");
    AbilitaPulsantiComando();
    cmbRicercaTappa->hide();
    cmdMapPoint->setEnabled(false);
    pannelloDuplica->show();
    pannelloDuplica->cmdDuplica_Click();
}

void FrmMain::CopiaChiusa() {
    pannelloDuplica->hide();
    PulisciFinestre();
    // The copied legs go back to the editing frame the copy was started from, to be stored there.
    if (corniceApertaPrimaCopia_) pannelloTappe->AttivitaInserimentoItinerario(true);
    modoPrincipale = codiceCorrente.isEmpty() ? QStringLiteral("NuImEs") : QStringLiteral("all");
    modoItinerario = modoItinerarioAperto_;
    AbilitaPulsantiComando();
}

// ---------------------------------------------------------------------------------------------
// Conversion of old data

void FrmMain::cmdConverte_Click() {
    const bool convertiti = ::cmdConverte(archivio_, archivio_.cartella(), dialoghi_, *progresso_);
    if (convertiti) RicaricaDopoOperazione();
    // The updates of the modes hide the button; it comes back while old files remain.
    cmdConverte->setVisible(EsistonoVecchiFile(archivio_.cartella()));
    cmdConverte->setEnabled(cmdConverte->isVisible());
}
