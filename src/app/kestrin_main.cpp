// kestrin: the logbook program.  With no command text it opens its window; with a command text
// (as arguments, or else in the command file of the data folder) it prints at once and ends;
// with --pdf it prints to a PDF file without a window and without a display.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <QTimer>
#include <cstdio>

#include "common/CartellaDati.h"
#include "common/Orologio.h"
#include "common/ui/DialoghiQt.h"
#include "logbook/BatchModuli.h"
#include "logbook/ComandoModuli.h"
#include "logbook/ui/FrmBase.h"

namespace {

constexpr int kUscitaOpzioni = 2;

const char* const kAiuto =
    "Uso: kestrin [--data-dir CARTELLA] [DESTINAZIONE,gg/mm/aaaa,gg/mm/aaaa]\n"
    "     kestrin [--data-dir CARTELLA] --pdf FILE [DESTINAZIONE,gg/mm/aaaa,gg/mm/aaaa]\n"
    "     kestrin [--data-dir CARTELLA] --pdf FILE --bianco N\n"
    "\n"
    "Stampa dei moduli del Lunoro: una copertina e una pagina per ogni giorno del\n"
    "periodo, oppure N pagine in bianco.\n"
    "\n"
    "Senza comando apre la finestra; se nella cartella dei dati c'è il file\n"
    "CommandLine.txt scritto da Zavetra, ne legge la prima riga, lo cancella e stampa\n"
    "subito sulla stampante predefinita (senza stampanti: in un PDF nella cartella\n"
    "dei dati).  Con il comando come argomento stampa subito allo stesso modo.\n"
    "\n"
    "Opzioni:\n"
    "  --data-dir CARTELLA   cartella dei dati (la stessa di Zavetra): senza questa\n"
    "                        opzione la cartella del programma se è scrivibile,\n"
    "                        altrimenti la cartella dei dati dell'utente\n"
    "  --pdf FILE            stampa in FILE senza finestra (e senza schermo)\n"
    "  --bianco N            con --pdf: N pagine in bianco (da 1 a 99)\n"
    "  --help                mostra questo elenco ed esce\n"
    "\n"
    "Codici di uscita: 0 stampa eseguita, 1 stampa non riuscita, 2 opzioni o\n"
    "comando non validi.\n";

void Scrivi(std::FILE* flusso, const QString& testo) {
    std::fputs(testo.toLocal8Bit().constData(), flusso);
}

int Rifiuta(const QString& motivo) {
    Scrivi(stderr, motivo + QStringLiteral("\nUsare --help per l'elenco delle opzioni.\n"));
    return kUscitaOpzioni;
}

// An option waiting for a value that the arguments end before.
QString OpzioneSenzaValore(const QStringList& argomenti) {
    for (const char* nome : {"--data-dir", "--pdf", "--bianco"})
        if (!argomenti.isEmpty() && argomenti.last() == QLatin1String(nome)) return QLatin1String(nome);
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    QStringList argomenti;
    for (int i = 0; i < argc; ++i) argomenti << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    const QCommandLineOption cartella(QStringLiteral("data-dir"), {}, QStringLiteral("CARTELLA"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), {}, QStringLiteral("FILE"));
    const QCommandLineOption bianco(QStringLiteral("bianco"), {}, QStringLiteral("N"));
    const QCommandLineOption aiuto(QStringLiteral("help"));
    parser.addOptions({cartella, pdf, bianco, aiuto});
    parser.addPositionalArgument(QStringLiteral("comando"), {});
    if (!parser.parse(argomenti)) {
        if (!parser.unknownOptionNames().isEmpty()) {
            const QString nome = parser.unknownOptionNames().first();
            return Rifiuta(QStringLiteral("Opzione sconosciuta: ") + (nome.size() == 1 ? "-" : "--") + nome);
        }
        const QString senza = OpzioneSenzaValore(argomenti);
        return Rifiuta(senza.isEmpty() ? QStringLiteral("Opzioni non valide.")
                                       : QStringLiteral("Manca il valore dell'opzione ") + senza);
    }
    if (parser.isSet(aiuto)) {
        Scrivi(stdout, QString::fromUtf8(kAiuto));
        return 0;
    }
    const QString comando = parser.positionalArguments().join(QLatin1Char(' '));
    int pagineBianche = 0;
    if (parser.isSet(bianco)) {
        bool ok = false;
        pagineBianche = parser.value(bianco).toInt(&ok);
        if (!ok || pagineBianche < 1 || pagineBianche > 99)
            return Rifiuta(QStringLiteral("--bianco vuole un numero di pagine da 1 a 99."));
        if (!parser.isSet(pdf)) return Rifiuta(QStringLiteral("--bianco si usa con --pdf."));
        if (!comando.trimmed().isEmpty())
            return Rifiuta(QStringLiteral("Indicare il comando di stampa oppure --bianco, non entrambi."));
    }

    QString dati = parser.value(cartella);
    QMap<QString, QString> file;
    if (parser.isSet(pdf)) file.insert(QStringLiteral("pdf"), parser.value(pdf));
    const EsitoNomiGrezzi nomi = UsaNomiGrezzi(argc, argv, dati, file);
    if (!nomi.errore.isEmpty()) {
        Scrivi(stderr, nomi.errore + QLatin1Char('\n'));
        return nomi.uso ? kUscitaOpzioni : 1;
    }

    if (parser.isSet(pdf)) {
        // No display is needed: the fonts and the PDF work on the offscreen platform.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        app.setApplicationName(QStringLiteral("Zavetra"));
        OpzioniModuliBatch opzioni;
        opzioni.cartellaDati = CartellaDati(QCoreApplication::applicationDirPath(), dati);
        opzioni.filePdf = file.value(QStringLiteral("pdf"));
        opzioni.comando = comando;
        opzioni.bianco = pagineBianche;
        QTextStream out(stdout);
        QTextStream err(stderr);
        return EseguiModuliBatch(opzioni, out, err);
    }

    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Zavetra"));
    dati = CartellaDati(QCoreApplication::applicationDirPath(), dati);
    const bool daFile = comando.trimmed().isEmpty();
    const QString testo = daFile ? LeggiFileComando(dati) : comando;

    DialoghiQt dialoghi;
    OrologioSistema orologio;
    FrmBase frm(dialoghi, orologio, dati);
    dialoghi.impostaGenitore(&frm);
    QObject::connect(&frm, &FrmBase::fineProgramma, &app, [](int codice) { QCoreApplication::exit(codice); });
    frm.show();
    QTimer::singleShot(0, &frm, [&frm, testo, daFile] { frm.applicaComando(testo, daFile); });
    return app.exec();
}
