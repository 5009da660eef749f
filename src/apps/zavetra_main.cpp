#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "common/CartellaDati.h"
#include "common/Orologio.h"
#include "common/ui/DialoghiQt.h"
#include "trips/ui/FrmMain.h"

namespace {

const char* const kAiuto =
    "Uso: zavetra [opzioni]\n"
    "\n"
    "Pianificazione dei viaggi in camper: apre la finestra principale.\n"
    "\n"
    "Opzioni:\n"
    "  --data-dir CARTELLA   cartella dei dati (Voviva.mdb e i file prodotti);\n"
    "                        senza questa opzione: la cartella del programma se è\n"
    "                        scrivibile, altrimenti la cartella dei dati dell'utente\n"
    "  --esci-dopo-avvio     chiude il programma appena la finestra è mostrata\n"
    "                        (misura dei tempi di avvio)\n"
    "  --help                mostra questo elenco ed esce\n";

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

}  // namespace

int main(int argc, char** argv) {
    // The options list needs no display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kAiuto, stdout);
            return 0;
        }
    }
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
