#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "common/CartellaDati.h"
#include "common/Orologio.h"
#include "common/ui/DialoghiQt.h"
#include "schedule/Batch.h"
#include "trips/ui/FrmMain.h"

namespace {

const char* const kAiuto =
    "Uso: zavetra [opzioni]\n"
    "\n"
    "       zavetra [--data-dir CARTELLA] --calcola [--meta CODICE] [--csv FILE]\n"
    "\n"
    "Pianificazione dei viaggi in camper: senza --calcola apre la finestra principale.\n"
    "\n"
    "Opzioni:\n"
    "  --data-dir CARTELLA   cartella dei dati (Voviva.mdb e i file prodotti);\n"
    "                        senza questa opzione: la cartella del programma se è\n"
    "                        scrivibile, altrimenti la cartella dei dati dell'utente\n"
    "  --calcola             calcola la Zavetra senza finestra (e senza schermo), come\n"
    "                        il pulsante Calcola, per la mèta corrente o per quella di\n"
    "                        --meta; scrive Camptabl.txt e ListaLocalita.txt nella\n"
    "                        cartella dei dati e mostra i messaggi del calcolo\n"
    "  --meta CODICE         con --calcola: la mèta da calcolare (codice di 6 cifre,\n"
    "                        \"42\" vale \"000042\"); la mèta corrente non cambia\n"
    "  --csv FILE            con --calcola: scrive anche la tabella della Zavetra in\n"
    "                        FILE (UTF-8, campi separati da \";\", colonne da 0 a 13)\n"
    "  --esci-dopo-avvio     chiude il programma appena la finestra è mostrata\n"
    "                        (misura dei tempi di avvio)\n"
    "  --help                mostra questo elenco ed esce\n"
    "\n"
    "Codici di uscita di --calcola: 0 calcolo eseguito, 1 errore (opzioni, database,\n"
    "dati impossibili, file non scritti), 2 mèta inesistente.\n";

// Ends the program once the window has been painted for the first time.
class FineDopoPrimaPittura : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* oggetto, QEvent* evento) override {
        if (evento->type() == QEvent::Paint && !fatto_) {
            fatto_ = true;
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(oggetto, evento);
    }

  private:
    bool fatto_ = false;
};

void Stampa(const QStringList& righe, std::FILE* flusso) {
    for (const QString& riga : righe) {
        std::fputs(riga.toLocal8Bit().constData(), flusso);
        std::fputc('\n', flusso);
    }
}

// The schedule without a window: QCoreApplication only, so no display is needed.
int CalcolaSenzaFinestra(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Zavetra"));
    const QStringList argomenti = app.arguments();
    const ComandoCalcola comando = LeggiComandoCalcola(argomenti);
    if (!comando.errore.isEmpty()) {
        Stampa({comando.errore}, stderr);
        return kUscitaErrore;
    }
    OpzioniCalcola opzioni = comando.opzioni;
    opzioni.cartella = CartellaDati(QCoreApplication::applicationDirPath(), OpzioneCartellaDati(argomenti));
    OrologioSistema orologio;
    const EsitoBatch esito = EseguiCalcolaBatch(opzioni, orologio);
    Stampa(esito.uscita, stdout);
    Stampa(esito.errori, stderr);
    return esito.codiceUscita;
}

}  // namespace

int main(int argc, char** argv) {
    // The options list needs no display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kAiuto, stdout);
            return 0;
        }
    }
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--calcola") == 0) return CalcolaSenzaFinestra(argc, argv);

    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Zavetra"));
    const QStringList argomenti = app.arguments();
    const QString cartella =
        CartellaDati(QCoreApplication::applicationDirPath(), OpzioneCartellaDati(argomenti));

    DialoghiQt dialoghi;
    OrologioSistema orologio;
    FrmMain finestra(cartella, dialoghi, orologio);
    dialoghi.impostaGenitore(&finestra);
    try {
        finestra.Form_Load();
    } catch (const ErroreDatabase& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Zavetra"), e.messaggio());
        return 1;
    }
    // Exit right after the first paint: measures start-up.  exit(), not quit(), so that no
    // closing question is asked.
    FineDopoPrimaPittura fine;
    if (argomenti.contains(QStringLiteral("--esci-dopo-avvio"))) finestra.installEventFilter(&fine);
    finestra.show();
    return app.exec();
}
