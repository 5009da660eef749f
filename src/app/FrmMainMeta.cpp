// The main window's start-up, trip commands and parameter handlers.  Each handler reads the boxes,
// calls the trip logic and writes the boxes back; a failing database operation shows its message
// and leaves the boxes as the user typed them.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>

#include "app/FrmMain.h"
#include "common/Dialoghi.h"
#include "common/Orologio.h"
#include "guide/ui/PannelloGuida.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/KmTempi.h"
#include "itinerary/Tappe.h"
#include "legacy/Conversione.h"
#include "trips/Meta.h"
#include "trips/Modi.h"
#include "trips/ui/ProgressoFinestra.h"

namespace {

void Riempi(QComboBox* c, const QStringList& voci) {
    const QSignalBlocker blocco(c);
    const QString testo = c->currentText();
    c->clear();
    c->addItems(voci);
    const int i = c->findText(testo, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    c->setCurrentIndex(i);
    c->setEditText(testo);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Start-up

void FrmMain::Form_Load() {
    modoPrincipale = QStringLiteral("ZZ");
    modoItinerario = QStringLiteral("ZZ");
    AbilitaPulsantiComando();
    PulisciFinestre();

    Riempi(cmbRange, ListaRange());
    cmbRange->setCurrentText(QStringLiteral("25"));

    lblPercorso->setText(archivio_.percorsoDatabase());
    archivio_.AvviaDatabase();
    if (!archivio_.avviso.isEmpty())
        dialoghi_.messaggio({archivio_.avviso, QStringLiteral("Zavetra"), Pulsanti::Ok, Icona::Informazione});

    CaricaComboBox();

    progresso_->azzera();
    BoxMeta box = LeggiBox();
    codiceCorrente = ::RicercaMetaCorrente(archivio_);
    if (!codiceCorrente.isEmpty()) ::CaricaDatiAnagraficiMeta(codiceCorrente, box, archivio_);
    ScriviBox(box);
    RicaricaItinerario();

    tipiGuida_ = CaricaTipiGuida(archivio_);
    if (!tipiGuida_.avviso.isEmpty()) statusBar()->showMessage(tipiGuida_.avviso);
    archivio_.RecordSetImpostaDefault();

    modoPrincipale = ModoDopoRicerca(!codiceCorrente.isEmpty());
    AbilitaPulsantiComando();

    const bool vecchiDati = EsistonoVecchiFile(archivio_.cartella());
    cmdConverte->setVisible(vecchiDati);
    cmdConverte->setEnabled(vecchiDati);

    ImpostaGiorniMeseInizio();
    archivio_.RiparaLocalitaGuida();
    RicordaMetaSalvata();
}

void FrmMain::CaricaComboBox() {
    Riempi(cmbInizio[0], ListaGiorniInizio());
    Riempi(cmbInizio[1], ListaMesiInizio());
    Riempi(cmbInizio[2], ListaAnniInizio(orologio_));
    Riempi(cmbInizio[3], ListaOreInizio());
    Riempi(cmbInizio[4], ListaMinuti());
    for (int i = 0; i < 4; ++i) Riempi(cmbMediaKm[i], ListaMediaKm(i));
    for (int i = 0; i < kCoppieOra; ++i) {
        Riempi(cmbOra[i], ListaOra(i));
        Riempi(cmbMin[i], ListaMinuti());
    }
    Riempi(cmbRipM, ListaRipM());
    Riempi(cmbRipH, ListaRipH());
    Riempi(cmbRipG, ListaRipG());
    Riempi(cmbRipGG, ListaRipGG());
    Riempi(cmbRange, ListaRange());
    Riempi(cmbSoste, ListaSoste());
    Riempi(cmbGiorni, ListaGiorniDesiderati());

    BoxMeta box = LeggiBox();
    ::CaricaDefaultMeta(0, box, archivio_);
    ImpostaInizioAdesso(box, orologio_);
    ScriviBox(box);
}

void FrmMain::CaricaDatiAnagraficiMeta() {
    BoxMeta box = LeggiBox();
    ::CaricaDatiAnagraficiMeta(codiceCorrente, box, archivio_);
    ScriviBox(box);
    RicaricaItinerario();
    RicordaMetaSalvata();
}

void FrmMain::RicaricaItinerario() {
    BoxMeta box = LeggiBox();
    RisultatoKmTempi km;
    if (codiceCorrente.isEmpty()) {
        CancellaMatrice(mfgTab);
        km = CalcolaKmTempiItinerario(mfgTab, box);
    } else {
        km = CaricaTappeItinerario(archivio_, mfgTab, codiceCorrente, box);
    }
    ScriviBox(box);
    Riempi(cmbGiorni, km.listaGiorni);
    cmbGiorni->setEditText(km.cmbGiorni);
    tappeSalvate_ = mfgTab;
    AbilitaPulsantiComando();
}

// ---------------------------------------------------------------------------------------------
// Trip commands

void FrmMain::cmdSalva_Click() {
    AttivaFormMeta(true);
    BoxMeta box = LeggiBox();
    if (!ControllaCampiObbligatori(box, dialoghi_)) return;
    PulisciFinestre();
    try {
        const EsitoSalva esito = SalvaMeta(box, codiceCorrente, archivio_, dialoghi_);
        if (esito == EsitoSalva::Salvata) {
            ScriviBox(box);
            ::CaricaDatiAnagraficiMeta(codiceCorrente, box, archivio_);
            ScriviBox(box);
            RicaricaItinerario();
            modoPrincipale = QStringLiteral("all");
            AbilitaPulsantiComando();
        }
        if (esito != EsitoSalva::NonValida) Aggiorna(true);
        if (esito == EsitoSalva::Salvata) RicordaMetaSalvata();
    } catch (const ErroreDatabase& e) {
        MostraErrore(e);
    }
}

void FrmMain::cmdNuovo_Click() {
    if (!ConfermaModifiche()) return;
    PulisciFinestre();
    BoxMeta box = LeggiBox();
    try {
        NuovaMeta(box, archivio_, orologio_);
    } catch (const ErroreDatabase& e) {
        MostraErrore(e);
        return;
    }
    CancellaMatrice(mfgTab);
    tappeSalvate_ = mfgTab;
    ScriviBox(box);
    RicordaMetaSalvata();
    AttivaFormMeta(true);
    txtLocalita->setFocus();
    modoPrincipale = ModoNuovaMeta(!codiceCorrente.isEmpty());
    AbilitaPulsantiComando();
}

void FrmMain::cmdCancMeta_Click() {
    if (codiceCorrente.isEmpty()) return;
    AttivaFormMeta(true);
    frmItinerario->hide();
    const QString modoPrima = modoPrincipale;
    try {
        Aggiorna(false);
        CaricaDatiAnagraficiMeta();
        if (ChiediCancellazioneMeta(dialoghi_)) {
            modoPrincipale = QStringLiteral("zz");
            AbilitaPulsantiComando();
            CancellaMeta(codiceCorrente, archivio_);
            RicaricaMetaCorrente();
        }
    } catch (const ErroreDatabase& e) {
        MostraErrore(e);
        modoPrincipale = modoPrima;
    }
    AbilitaPulsantiComando();
}

void FrmMain::cmdCancItin_Click() {
    if (codiceCorrente.isEmpty()) return;
    AttivaFormMeta(true);
    if (!ChiediCancellazioneItinerario(dialoghi_)) return;
    const QString modoPrima = modoPrincipale;
    modoPrincipale = QStringLiteral("zz");
    AbilitaPulsantiComando();
    try {
        CancellaItinerario(codiceCorrente, archivio_);
        RicaricaMetaCorrente();
    } catch (const ErroreDatabase& e) {
        MostraErrore(e);
        modoPrincipale = modoPrima;
    }
    AbilitaPulsantiComando();
}

// The trip MetaCorrente names (else the highest code, else an empty new one) into the boxes and
// its legs into the grid.
void FrmMain::MostraMetaCorrente() {
    BoxMeta box = LeggiBox();
    codiceCorrente = ::RicercaMetaCorrente(archivio_);
    if (codiceCorrente.isEmpty())
        NuovaMeta(box, archivio_, orologio_);
    else
        ::CaricaDatiAnagraficiMeta(codiceCorrente, box, archivio_);
    ScriviBox(box);
    RicaricaItinerario();
}

// The current trip after a deletion: the one MetaCorrente names, else the highest code.  When no
// trip is left the boxes show an empty new trip, so no deleted code stays on screen.
void FrmMain::RicaricaMetaCorrente() {
    MostraMetaCorrente();
    RicordaMetaSalvata();
    modoPrincipale = ModoDopoRicerca(!codiceCorrente.isEmpty());
}

void FrmMain::cmdDefault_Click(int indice) {
    BoxMeta box = LeggiBox();
    try {
        if (!EseguiDefault(indice, box, archivio_, dialoghi_)) return;
        // Loaded defaults change the speeds, so the legs' times follow.
        if (indice == 1) CalcolaKmTempiItinerario(mfgTab, box);
        ScriviBox(box);
    } catch (const ErroreDatabase& e) {
        MostraErrore(e);
    }
}

void FrmMain::cmdRicerca_Click() {
    AttivaFormMeta(true);
    tipoRicerca = 1;
    PulisciFinestre();
    cmbRicerca->clear();
    const QString modoPrima = modoPrincipale;
    modoPrimaRicerca_ = modoPrincipale;
    modoPrincipale = QStringLiteral("NuEs");
    AbilitaPulsantiComando();
    QStringList mete;
    try {
        mete = ElencoMeteRicerca(archivio_, dialoghi_);
    } catch (const ErroreDatabase& e) {
        MostraErrore(e);
        modoPrincipale = modoPrima;
        AbilitaPulsantiComando();
        return;
    }
    if (mete.isEmpty()) return;
    cmbRicerca->addItems(mete);
    cmbRicerca->setCurrentIndex(-1);
    cmbRicerca->show();
    if (isVisible()) {
        cmbRicerca->setFocus();
        cmbRicerca->showPopup();
    }
}

void FrmMain::cmbRicerca_Click(int indice) {
    if (indice < 0 || indice >= cmbRicerca->count()) return;
    const QString localita = cmbRicerca->itemText(indice);
    if (!ConfermaModifiche()) {
        AnnullaRicerca();
        return;
    }
    cmbRicerca->hide();
    PulisciFinestre();
    try {
        codiceCorrente = ScegliMeta(localita, archivio_);
        BoxMeta box = LeggiBox();
        ::CaricaDatiAnagraficiMeta(codiceCorrente, box, archivio_);
        ScriviBox(box);
        RicaricaItinerario();
        RicordaMetaSalvata();
    } catch (const ErroreDatabase& e) {
        MostraErrore(e);
    }
    modoPrincipale = QStringLiteral("all");
    AbilitaPulsantiComando();
}

void FrmMain::AnnullaRicerca() {
    cmbRicerca->hidePopup();
    cmbRicerca->hide();
    modoPrincipale = modoPrimaRicerca_;
    AbilitaPulsantiComando();
}

void FrmMain::cmdEsce_Click() {
    switch (ChiediChiusura()) {
        case AzioneEsce::Chiudi:
            ChiudiProcedura();
            chiusuraConfermata = true;
            close();
            break;
        case AzioneEsce::Interrompi:
            progresso_->stop = true;
            break;
        case AzioneEsce::Nessuna:
            break;
    }
}

// ---------------------------------------------------------------------------------------------
// Unsaved changes

const Griglia& FrmMain::TappeAttuali() const {
    // While a schedule is shown the grid holds it; the legs wait to come back.
    return itinerarioPrimaDelCalcolo_ ? *itinerarioPrimaDelCalcolo_ : mfgTab;
}

bool FrmMain::ItinerarioModificato() const {
    // The open guide shows its entries in the grid; the legs were stored or dropped before.
    if (codiceCorrente.isEmpty() || (pannelloGuida && pannelloGuida->modoGuida())) return false;
    return TappeModificate(tappeSalvate_, TappeAttuali());
}

bool FrmMain::CiSonoModifiche() const {
    return ItinerarioModificato() || MetaModificata(metaSalvata_, LeggiBox());
}

void FrmMain::RicordaMetaSalvata() {
    metaSalvata_ = LeggiBox();
}

bool FrmMain::ConfermaItinerario() {
    if (!ItinerarioModificato()) return true;
    switch (ChiediSalvaItinerario(dialoghi_)) {
        case Risposta::Si:
            return SalvaTappe();
        case Risposta::No:
            return true;
        default:
            return false;
    }
}

bool FrmMain::ConfermaMeta() {
    if (!MetaModificata(metaSalvata_, LeggiBox())) return true;
    switch (ChiediSalvaMeta(dialoghi_)) {
        case Risposta::Si:
            break;
        case Risposta::No:
            return true;
        default:
            return false;
    }
    BoxMeta box = LeggiBox();
    try {
        if (SalvaMeta(box, codiceCorrente, archivio_, dialoghi_) != EsitoSalva::Salvata) return false;
    } catch (const ErroreDatabase& e) {
        MostraErrore(e);
        return false;
    }
    ScriviBox(box);
    RicordaMetaSalvata();
    return true;
}

bool FrmMain::ConfermaModifiche() {
    return ConfermaItinerario() && ConfermaMeta();
}

AzioneEsce FrmMain::ChiediChiusura() {
    if (cmdEsce->text() == kCaptionEsce && CiSonoModifiche())
        return ConfermaModifiche() ? AzioneEsce::Chiudi : AzioneEsce::Nessuna;
    return ChiediUscita(cmdEsce->text(), dialoghi_);
}

void FrmMain::ChiudiProcedura() {
    AttivaFormMeta(true);
    areaGriglia->hide();
    archivio_.dati().chiudi();
}

// ---------------------------------------------------------------------------------------------
// Trip parameters

void FrmMain::Aggiorna(bool quiet) {
    BoxMeta box = LeggiBox();
    MettiGiornoSett(box);
    valori_ = ::Aggiorna(box);
    ScriviBox(box);
    if (!quiet) {
        cmbRicercaTappa->hide();
        frmItinerario->hide();
        update();
    }
}

void FrmMain::ControllaVariabiliConvertite() {
    BoxMeta box = LeggiBox();
    valori_ = ::ControllaVariabiliConvertite(box);
    ScriviBox(box);
}

void FrmMain::ImpostaGiorniMeseInizio() {
    BoxMeta box = LeggiBox();
    const QStringList giorni = ::ImpostaGiorniMeseInizio(box);
    Riempi(cmbInizio[0], giorni);
    ScriviBox(box);
}

void FrmMain::cmbOra_Change(int indice) {
    valori_.coppia(indice) = ValoreCoppia(LeggiBox(), indice);
}

void FrmMain::cmbOra_LostFocus() {
    ControllaVariabiliConvertite();
}

void FrmMain::cmbMin_LostFocus() {
    ControllaVariabiliConvertite();
}

void FrmMain::cmbInizio_Click(int indice) {
    if (indice != 0) ImpostaGiorniMeseInizio();
    Aggiorna(true);
}

void FrmMain::cmbGiorni_Change() {
    const QString testo = cmbGiorni->currentText();
    const QString limitato = LimitaGiorniDesiderati(testo);
    if (limitato != testo) cmbGiorni->setEditText(limitato);
}

void FrmMain::cmbGiorni_LostFocus() {
    const QString mostrato = GiorniDesideratiMostrati(cmbGiorni->currentText());
    if (mostrato != cmbGiorni->currentText()) cmbGiorni->setEditText(mostrato);
}

void FrmMain::cmbMediaKm_LostFocus(int indice) {
    BoxMeta box = LeggiBox();
    CorreggiMediaKm(box);
    if (box.cmbMediaKm[indice] != cmbMediaKm[indice]->currentText()) ScriviBox(box);
}
