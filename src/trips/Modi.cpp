#include "trips/Modi.h"

#include "common/Testo.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool contieneCodice(const QString& modo, const QString& codice) {
    return modo.contains(codice, Qt::CaseInsensitive);
}

// The itinerary commands of the leg editing frame.
const QStringList kCodiciCornice{"In", "Ag", "Ca", "Rt", "Ce", "Fi", "Me"};

QString espandi(const QString& modo, const QString& tutto) {
    return UgualeTesto(modo, QStringLiteral("all")) ? tutto : modo;
}

// The lines of a help box, with the empty line after the first.
QString righeHelp(QStringList righe) {
    righe.insert(1, QString());
    return righe.join(kCrLf);
}

}  // namespace

const QList<DefinizionePulsante>& PulsantiMeta() {
    static const QList<DefinizionePulsante> pulsanti{
        {"Nu", "cmdNuovo", "&Nuovo"},
        {"Ri", "cmdRicerca", "&Ricerca"},
        {"Ex", "cmdExport", "Import/E&xport"},
        {"Sa", "cmdSalva", "Sal&va"},
        {"Cm", "cmdCancMeta", "&Delete"},
        {"Ca", "cmdCalcola", "&Calcola"},
        {"St", "cmdStampa", "&Stampa"},
        {"It", "cmdItinerario", "&Itinerario"},
        {"It", "cmdModStrada", "Modifica &tratto"},
        {"Gc", "cmdGuidaCitta", "&Guida città"},
        {"Ci", "cmdCancItin", "C&anc.Itin."},
        {"Es", "cmdEsce", "&Esce"},
    };
    return pulsanti;
}

const QList<DefinizionePulsante>& PulsantiItinerario() {
    static const QList<DefinizionePulsante> pulsanti{
        {"In", "cmdInserisce", "&Inserisce tappa"},
        {"Ag", "cmdAggiunge", "&Aggiunge riga vuota"},
        {"Ca", "cmdCancella", "&Cancella riga/tappa"},
        {"Rc", "cmdRicalcola", "&Ricalcola percorso"},
        {"Rt", "cmdRitorno", "Ri&torno a start"},
        {"Ce", "cmdCerca", "C&erca località"},
        {"Fi", "cmdFine", "&Fine inser."},
        {"Me", "cmdMemorizza", "&Salva Reset"},
        {"Du", "cmdDuplica", "&Copia da altre mète"},
        {"Az", "cmdAzzeraSoste", "A&zzera soste itiner."},
        {"Tr", "cmdTrasferisce", "Copia soste guida ->itin."},
    };
    return pulsanti;
}

const StatoPulsante* StatoComandi::pulsante(const QString& nome) const {
    for (const StatoPulsante& p : pulsanti)
        if (p.nome == nome) return &p;
    return nullptr;
}

bool StatoComandi::abilitato(const QString& nome) const {
    const StatoPulsante* p = pulsante(nome);
    return p && p->abilitato;
}

StatoComandi AbilitaPulsantiComando(const QString& modoMain, const QString& modoItinerario,
                                    const FattiComandi& fatti) {
    StatoComandi stato;
    QString main = modoMain;
    const QString itinerario = espandi(modoItinerario, kTuttoItinerario);

    if (UgualeTesto(modoMain, QStringLiteral("all")) || UgualeTesto(modoItinerario, QStringLiteral("all"))) {
        stato.nascondiListaRicerca = true;
        stato.esceDefault = true;
    }
    // The computation renames cmdCalcola while its schedule is shown: only compute and print.
    if (!UgualeTesto(main, QStringLiteral("vv")) && fatti.captionCalcola != kCaptionCalcola)
        main = QStringLiteral("CaSt");
    main = espandi(main, kTuttoMain);
    if (fatti.pannelloInserimentoVisibile) main = QStringLiteral("F");

    const bool stop = UgualeTesto(main, QStringLiteral("Es"));
    stato.escAttivo =
        UgualeTesto(main, QStringLiteral("NuRiEs")) || UgualeTesto(main, QStringLiteral("NuRi"));

    for (const DefinizionePulsante& d : PulsantiMeta()) {
        StatoPulsante p{d.nome, contieneCodice(main, d.codice), true, d.caption, {}};
        if (d.nome == QLatin1String("cmdCalcola")) p.caption = fatti.captionCalcola;
        if (d.nome == QLatin1String("cmdEsce")) {
            p.caption = stop ? kCaptionStop : kCaptionEsce;
            p.tooltip = QStringLiteral("Esce dal form") +
                        (stato.escAttivo ? QStringLiteral(" (Esc attivo)") : QString());
        }
        stato.pulsanti << p;
    }
    for (const DefinizionePulsante& d : PulsantiItinerario()) {
        StatoPulsante p{d.nome, contieneCodice(itinerario, d.codice), true, d.caption, {}};
        if (d.nome == QLatin1String("cmdCerca")) p.abilitato = p.abilitato && fatti.numeroTappe > 1;
        // These act on the current row and the boxes of the editing frame: never without it.
        if (kCodiciCornice.contains(d.codice)) p.abilitato = p.abilitato && fatti.pannelloInserimentoVisibile;
        stato.pulsanti << p;
    }
    stato.pulsanti << StatoPulsante{kCmdMapPoint, fatti.numeroTappe < 2, true, {}, {}};
    stato.pulsanti << StatoPulsante{kCmdConverte, false, false, {}, {}};

    stato.modoMain = main;
    stato.modoItinerario = itinerario;
    return stato;
}

QString ModoNuovaMeta(bool esisteMetaCorrente) {
    return QStringLiteral("NuSaEs") + (esisteMetaCorrente ? QStringLiteral("Ri") : QString());
}

QString ModoDopoRicerca(bool esisteMetaCorrente) {
    return esisteMetaCorrente ? QStringLiteral("all") : QStringLiteral("NuImEs");
}

AzioneEsce ChiediUscita(const QString& captionEsce, Dialoghi& dialoghi) {
    const QString titolo = QStringLiteral("Fine Lavoro");
    if (captionEsce == kCaptionStop)
        return dialoghi.domanda(QStringLiteral("Vuoi interrompere l'elaborazione?"), titolo)
                   ? AzioneEsce::Interrompi
                   : AzioneEsce::Nessuna;
    return dialoghi.domanda(QStringLiteral("Vuoi chiudere la procedura?"), titolo) ? AzioneEsce::Chiudi
                                                                                   : AzioneEsce::Nessuna;
}

QString TestoHelpGenerico() {
    return righeHelp({
        QStringLiteral("Istruzioni sulle funzioni principali:"),
        QStringLiteral("- NUOVO: predispone per l'inserimento di una nuova mèta;"),
        QStringLiteral("- RICERCA: ricerca, tramite lista, una mèta memorizzata negli archivi;"),
        QStringLiteral("- SALVA: salva i dati relativi alla mèta (se già presente, modifica i dati);"),
        QStringLiteral("- CANC. META: cancella la mèta attiva (compreso l'itinerario);"),
        QStringLiteral("- ITINERARIO: attiva il form per l'inserimento delle singole tappe;"),
        QStringLiteral("- GUIDA CITTA': attiva il form per l'inserimento delle informazioni logistiche;"),
        QStringLiteral("- CANC.ITIN.: cancella l'itinerario (la mèta resta nel database);"),
        QStringLiteral("- CALCOLA: calcola la Zavetra (se richiesto, adeguata a quanto indicato);"),
        QStringLiteral("- STAMPA: stampa la Zavetra e, se richiesto, anche i moduli per il diario (su file e "
                       "stampante);"),
        QStringLiteral("- IMPORT: permette di importare da file mète, itinerari e guide città;"),
        QStringLiteral("- EXPORT: esporta su file le mète in archivio (selezionabili);"),
        QStringLiteral("- ESCE: chiude il programma e ritorna a Windows."),
        QString(),
        QStringLiteral("Altre informazioni nei singoli form, con il pulsante [?]."),
    });
}

QString TestoHelpTotale1() {
    return righeHelp({
        QStringLiteral("Filosofia della procedura:"),
        QStringLiteral("Sono previsti tre oggetti: la META, l'ITINERARIO, la GUIDA CITTA'."),
        QStringLiteral("Ciclo per la creazione di una Zavetra completa:"),
        QStringLiteral(
            "Tramite NUOVO, inserire i dati di base della META (parte superiore del form) e salvare."),
        QStringLiteral("Tramite RICERCA, attivare una mèta e con:"),
        QStringLiteral("- ITINERARIO, inserire i vari tratti stradali;"),
        QStringLiteral(
            "- GUIDA CITTA', inserire le indicazioni sui luoghi da visitare e notizie logistiche;"),
        QStringLiteral(
            "- CALCOLA, calcolare la Zavetra (possibile la modifica dei parametri della meta senza "
            "salvare);"),
        QStringLiteral("- STAMPA, stampare su file (ed a scelta anche su stampante) la Zavetra"),
        QStringLiteral("ed eventuali moduli per redigere il proprio Lunoro."),
        QStringLiteral("Nei vari form sono presenti pulsanti [?] di informazione."),
    });
}

QString TestoHelpTotale2() {
    return righeHelp({
        QStringLiteral("Istruzioni di base sui dai relativi alle mète:"),
        QStringLiteral(
            "LOCALITA': indica la località generica principale del viaggio (Parigi, Capo Nord, ecc.);"),
        QStringLiteral("NAZIONE: indica la Nazione principale del viaggio."),
        QStringLiteral("Periodo del viaggio:"),
        QStringLiteral("Indicare la data e l'ora presunta di inizio del viaggio;"),
        QStringLiteral("Selezionare le soste da prendere in considerazione (dall'itinerario o guida città e "
                       "modalità)."),
        QStringLiteral(
            "Gli altri dati del form (Giorno della settimana, data finale e giorni sono calcolati in "
            "automatico)."),
        QStringLiteral("Percorrenze:"),
        QStringLiteral(
            "Indicare le medie presunte per le quattro tipologie di strade; tutti gli altri dati sono "
            "calcolati."),
        QStringLiteral("Per i dati inerenti i tempi tecnici clicca sul pulsante [?] del riquadro."),
        QStringLiteral(
            "Solo i campi in celeste chiaro sono disponibili per l'inserimento di dati; gli altri sono "
            "calcolati."),
    });
}

QString TestoHelpTt() {
    return righeHelp({
        QStringLiteral(
            "Istruzioni di base sui dai relativi ai Tempi tecnici giornalieri/Riposi/Visite, ecc.:"),
        QStringLiteral("Indicare:"),
        QStringLiteral("- l'ora di inizio attività del mattino (dopo la colazione);"),
        QStringLiteral("- l'ora e la durata del pranzo e della cena;"),
        QStringLiteral("- l'ora della fine della giornata (fine della guida di trasferimento)."),
        QStringLiteral("Se desiderato, indicare (altrimenti lasciare a zero):"),
        QStringLiteral("- l'orario di attività nei luoghi visitati;"),
        QStringLiteral("- i riposi - break - espressi in minuti per ore continuative di viaggio;"),
        QStringLiteral("- i riposi pari a giorni interi per giorni continuativi senza pause lunghe almeno un "
                       "giorno;"),
        QStringLiteral("- il numero massimo di giorni disponibili per il viaggio (adeguamento Zavetra);"),
        QStringLiteral("- i tempi medi per i traghetti (se si prevedono tempi superiori, inserirli "
                       "nell'itinerario)."),
        QStringLiteral("Gestione dati di default:"),
        QStringLiteral("SALVA: i dati correnti vengono salvati come dati di default personali;"),
        QStringLiteral("CARICA: i dati di default personali vengono caricati per la mèta corrente;"),
        QStringLiteral("RESET: vengono caricati i dati standard impostati dal programma."),
    });
}

void MostraHelp(const QString& testo, Dialoghi& dialoghi) {
    dialoghi.avviso(testo);
}
