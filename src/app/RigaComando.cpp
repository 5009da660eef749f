#include "app/RigaComando.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QTextStream>

#include "app/Batch.h"
#include "app/BatchStampa.h"
#include "exchange/BatchScambio.h"
#include "routeimport/ImportaPercorsoBatch.h"

namespace {

const QString kCalcola = QStringLiteral("calcola");
const QString kEsporta = QStringLiteral("esporta");
const QString kImporta = QStringLiteral("importa");
const QString kImportaPercorso = QStringLiteral("importa-percorso");
const QString kMeta = QStringLiteral("meta");
const QString kDataDir = QStringLiteral("data-dir");
const QString kEsciDopoAvvio = QStringLiteral("esci-dopo-avvio");
const QString kAiuto = QStringLiteral("help");

void Scrivi(QTextStream& flusso, const QStringList& righe) {
    for (const QString& riga : righe) flusso << riga << '\n';
}

int EseguiCalcola(const ArgomentiBatch& a, QTextStream& out, QTextStream& err) {
    ComandoStampa comando;
    comando.calcolo.cartella = a.cartellaDati;
    comando.calcolo.codiceMeta = a.valori.value(kMeta);
    comando.calcolo.fileCsv = a.valori.value(QStringLiteral("csv"));
    comando.filePdf = a.valori.value(QStringLiteral("pdf"));
    comando.frontespizio = a.valori.contains(QStringLiteral("frontespizio"));
    comando.moduli = a.valori.contains(QStringLiteral("moduli"));
    const EsitoBatch esito = EseguiStampaBatch(comando, a.orologio);
    Scrivi(out, esito.uscita);
    Scrivi(err, esito.errori);
    return esito.codiceUscita;
}

// The exchange commands: the file is the option's value, the trip codes the positional arguments.
int EseguiEsportaBatch(const ArgomentiBatch& a, QTextStream& out, QTextStream& err) {
    return EseguiEsporta(a.cartellaDati, a.valori.value(kEsporta), a.posizionali, out, err);
}

int EseguiImportaBatch(const ArgomentiBatch& a, QTextStream& out, QTextStream& err) {
    return EseguiImporta(a.cartellaDati, a.valori.value(kImporta), a.posizionali, out, err);
}

int EseguiImportaPercorsoBatch(const ArgomentiBatch& a, QTextStream& out, QTextStream& err) {
    return EseguiImportaPercorso(a.cartellaDati, a.valori.value(kImportaPercorso), a.valori.value(kMeta), out,
                                 err);
}

QString NomeConTrattini(const QString& nome) {
    return (nome.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + nome;
}

// QCommandLineParser's own messages are English; the option they name is kept.
QString ErroreItaliano(const QCommandLineParser& parser) {
    const QStringList ignote = parser.unknownOptionNames();
    if (!ignote.isEmpty())
        return QStringLiteral("Opzione sconosciuta: ") + NomeConTrattini(ignote.first()) + QLatin1Char('.');
    static const QRegularExpression citata(QStringLiteral("'([^']+)'"));
    const QRegularExpressionMatch m = citata.match(parser.errorText());
    if (m.hasMatch())
        return QStringLiteral("Manca il valore dell'opzione ") + m.captured(1) + QLatin1Char('.');
    return QStringLiteral("Riga di comando non valida: ") + parser.errorText();
}

RigaComando Errore(const QString& testo) {
    RigaComando r;
    r.azione = AzioneProgramma::Errore;
    r.errore = testo;
    return r;
}

}  // namespace

QList<OpzioneProgramma> OpzioniZavetra() {
    return {
        {kDataDir, QStringLiteral("CARTELLA"),
         QString::fromUtf8("cartella dei dati (Voviva.mdb e i file prodotti);\nsenza questa opzione: la "
                           "cartella del programma se è\nscrivibile, altrimenti la cartella dei dati "
                           "dell'utente")},
        {kCalcola,
         {},
         QString::fromUtf8("calcola la Zavetra senza finestra (e senza schermo), come\nil pulsante Calcola, "
                           "per la mèta corrente o per quella di\n--meta; scrive Camptabl.txt e "
                           "ListaLocalita.txt nella\ncartella dei dati e mostra i messaggi del calcolo")},
        {kMeta,
         QStringLiteral("CODICE"),
         QString::fromUtf8("con --calcola: la mèta da calcolare (codice di 6 cifre,\n\"42\" vale "
                           "\"000042\"); la mèta corrente non cambia;\ncon --importa-percorso: la mèta "
                           "che riceve il percorso"),
         {kCalcola, kImportaPercorso}},
        {QStringLiteral("csv"),
         QStringLiteral("FILE"),
         QString::fromUtf8(
             "con --calcola: scrive anche la tabella della Zavetra in\nFILE (UTF-8, campi separati "
             "da \";\", colonne da 0 a 13)"),
         {kCalcola}},
        {QStringLiteral("pdf"),
         QStringLiteral("FILE"),
         QString::fromUtf8("con --calcola: stampa la tabella della Zavetra nel file\nPDF FILE, come "
                           "Stampa con la voce \"Stampa su file PDF\""),
         {kCalcola},
         {},
         true},
        {QStringLiteral("frontespizio"),
         {},
         QString::fromUtf8("con --pdf: stampa anche il frontespizio"),
         {kCalcola},
         QStringLiteral("pdf"),
         true},
        {QStringLiteral("moduli"),
         {},
         QString::fromUtf8("con --pdf: stampa anche i moduli del diario del periodo\ncalcolato nel file "
                           "PDF FILE con \"-moduli\" prima\ndell'estensione"),
         {kCalcola},
         QStringLiteral("pdf"),
         true},
        {kEsporta, QStringLiteral("FILE"),
         QString::fromUtf8("Esporta nel file di scambio FILE le mète indicate\n(tutte se nessuna)")},
        {kImporta, QStringLiteral("FILE"),
         QString::fromUtf8("Importa dal file di scambio FILE le mète indicate\n(tutte se nessuna)")},
        {kImportaPercorso, QStringLiteral("FILE"),
         QString::fromUtf8("Importa un percorso (esportazione di un programma di\nnavigazione, GPX o KML) "
                           "nella mèta con itinerario\nvuoto e lo salva")},
        {kEsciDopoAvvio,
         {},
         QString::fromUtf8("chiude il programma appena la finestra è mostrata\n(misura dei tempi di avvio)")},
    };
}

QList<ComandoBatch> ComandiBatch() {
    return {
        {kCalcola, {}, EseguiCalcola},
        {kEsporta, QString::fromUtf8("[CODICE…]"), EseguiEsportaBatch},
        {kImporta, QString::fromUtf8("[CODICE…]"), EseguiImportaBatch},
        {kImportaPercorso, {}, EseguiImportaPercorsoBatch},
    };
}

RigaComando LeggiRigaComando(const QStringList& argomenti) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QList<OpzioneProgramma> opzioni = OpzioniZavetra();
    for (const OpzioneProgramma& o : opzioni) parser.addOption(QCommandLineOption(o.nome, o.aiuto, o.valore));
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), kAiuto}));
    if (!parser.parse(argomenti)) return Errore(ErroreItaliano(parser));

    RigaComando r;
    if (parser.isSet(kAiuto)) {
        r.azione = AzioneProgramma::Aiuto;
        return r;
    }
    const QList<ComandoBatch> comandi = ComandiBatch();
    for (int i = 0; i < comandi.size(); ++i) {
        if (!parser.isSet(comandi[i].opzione)) continue;
        if (r.comando >= 0)
            return Errore(QStringLiteral("Le opzioni --%1 e --%2 non vanno insieme.")
                              .arg(comandi[r.comando].opzione, comandi[i].opzione));
        r.comando = i;
    }
    for (const OpzioneProgramma& o : opzioni) {
        if (!parser.isSet(o.nome)) continue;
        const QString valore = o.valore.isEmpty() ? QString() : parser.value(o.nome);
        // "--meta --csv F" would take "--csv" for the code: a value never starts with a dash pair.
        if (!o.valore.isEmpty() && (valore.isEmpty() || valore.startsWith(QLatin1String("--"))))
            return Errore(QStringLiteral("Manca il valore dell'opzione --") + o.nome + QLatin1Char('.'));
        if (!o.soloCon.isEmpty() && (r.comando < 0 || !o.soloCon.contains(comandi[r.comando].opzione)))
            return Errore(QStringLiteral("L'opzione --%1 vale solo con --%2.")
                              .arg(o.nome, o.soloCon.join(QStringLiteral(" o --"))));
        r.valori.insert(o.nome, valore);
        r.grafica = r.grafica || o.grafica;
    }
    for (const OpzioneProgramma& o : opzioni)
        if (!o.richiede.isEmpty() && r.valori.contains(o.nome) && !r.valori.contains(o.richiede))
            return Errore(QStringLiteral("L'opzione --%1 richiede --%2.").arg(o.nome, o.richiede));
    r.posizionali = parser.positionalArguments();
    const bool posizionaliAmmessi = r.comando >= 0 && !comandi[r.comando].posizionali.isEmpty();
    if (!r.posizionali.isEmpty() && !posizionaliAmmessi)
        return Errore(QStringLiteral("Argomento inatteso: ") + r.posizionali.first() + QLatin1Char('.'));
    r.azione = r.comando >= 0 ? AzioneProgramma::Batch : AzioneProgramma::Finestra;
    r.cartellaDati = r.valori.value(kDataDir);
    r.esciDopoAvvio = r.valori.contains(kEsciDopoAvvio);
    return r;
}

QString TestoAiuto() {
    QString t = QStringLiteral("Uso: zavetra [opzioni]\n\n");
    const QList<ComandoBatch> comandi = ComandiBatch();
    for (const ComandoBatch& c : comandi) {
        QString riga = QStringLiteral("       zavetra [--data-dir CARTELLA] --") + c.opzione;
        const QList<OpzioneProgramma> opzioni = OpzioniZavetra();
        for (const OpzioneProgramma& o : opzioni)
            if (o.nome == c.opzione && !o.valore.isEmpty()) riga += QLatin1Char(' ') + o.valore;
        for (const OpzioneProgramma& o : opzioni) {
            if (!o.soloCon.contains(c.opzione)) continue;
            riga += o.valore.isEmpty() ? QStringLiteral(" [--%1]").arg(o.nome)
                                       : QStringLiteral(" [--%1 %2]").arg(o.nome, o.valore);
        }
        if (!c.posizionali.isEmpty()) riga += QLatin1Char(' ') + c.posizionali;
        t += riga + QLatin1Char('\n');
    }
    t += QString::fromUtf8(
        "\nPianificazione dei viaggi in camper: senza un comando apre la finestra principale.\n\nOpzioni:\n");
    QList<OpzioneProgramma> righe = OpzioniZavetra();
    righe.append({kAiuto, {}, QStringLiteral("mostra questo elenco ed esce")});
    constexpr int kColonnaAiuto = 24;
    for (const OpzioneProgramma& o : righe) {
        const QString nome =
            QStringLiteral("  --") + o.nome + (o.valore.isEmpty() ? QString() : QLatin1Char(' ') + o.valore);
        const QStringList linee = o.aiuto.split(QLatin1Char('\n'));
        for (int i = 0; i < linee.size(); ++i)
            t += (i == 0 ? nome : QString()).leftJustified(kColonnaAiuto - 1) + QLatin1Char(' ') + linee[i] +
                 QLatin1Char('\n');
    }
    t += QString::fromUtf8(
        "\nCodici di uscita: 0 comando eseguito; 1 errore (database, dati impossibili,\nfile non letti o non "
        "scritti); "
        "2 opzioni non valide o mèta inesistente.\n");
    return t;
}
