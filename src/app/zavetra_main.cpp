#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTextStream>
#include <QTimer>
#include <memory>

#include "app/FrmMain.h"
#include "app/PrimoAvvio.h"
#include "app/RigaComando.h"
#include "common/CartellaDati.h"
#include "common/Orologio.h"
#include "common/ui/DialoghiQt.h"

namespace {

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

// Batch commands need no display: QCoreApplication, or the offscreen platform when they draw pages.
int EseguiBatch(int argc, char** argv, const RigaComando& riga) {
    std::unique_ptr<QCoreApplication> app;
    if (riga.grafica) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    app->setApplicationName(QStringLiteral("Zavetra"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    OrologioSistema orologio;
    const QString programma = QCoreApplication::applicationDirPath();
    const QString cartella = CartellaDati(programma, riga.cartellaDati);
    const QString errori = CaricaEsempiAlPrimoAvvio(PrimoAvvio(cartella), programma, cartella, nullptr);
    if (!errori.isEmpty()) err << errori << '\n';
    const ArgomentiBatch argomenti{cartella, riga.valori, riga.posizionali, orologio};
    return ComandiBatch().at(riga.comando).esegui(argomenti, out, err);
}

// The options naming files, by their value's name in the help, checked against their bytes.
EsitoNomiGrezzi ControllaNomi(int argc, char** argv, RigaComando& riga) {
    QMap<QString, QString> file;
    for (const OpzioneProgramma& o : OpzioniZavetra())
        if (o.valore == QLatin1String("FILE") && riga.valori.contains(o.nome))
            file.insert(o.nome, riga.valori[o.nome]);
    const EsitoNomiGrezzi esito = UsaNomiGrezzi(argc, argv, riga.cartellaDati, file);
    riga.valori.insert(file);
    return esito;
}

}  // namespace

int main(int argc, char** argv) {
    QStringList argomenti;
    for (int i = 0; i < argc; ++i) argomenti << QString::fromLocal8Bit(argv[i]);
    RigaComando riga = LeggiRigaComando(argomenti);
    if (riga.azione == AzioneProgramma::Batch || riga.azione == AzioneProgramma::Finestra) {
        const EsitoNomiGrezzi nomi = ControllaNomi(argc, argv, riga);
        if (!nomi.errore.isEmpty()) {
            QTextStream(stderr) << nomi.errore << '\n';
            return nomi.uso ? kUscitaUso : 1;
        }
    }
    switch (riga.azione) {
        case AzioneProgramma::Errore:
            QTextStream(stderr) << riga.errore << "\n\n" << TestoAiuto();
            return kUscitaUso;
        case AzioneProgramma::Aiuto:
            QTextStream(stdout) << TestoAiuto();
            return 0;
        case AzioneProgramma::Batch:
            return EseguiBatch(argc, argv, riga);
        case AzioneProgramma::Finestra:
            break;
    }

    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Zavetra"));
    const QString programma = QCoreApplication::applicationDirPath();
    const QString cartella = CartellaDati(programma, riga.cartellaDati);

    DialoghiQt dialoghi;
    // Before the window loads, so that it opens on the last sample trip.
    const QString errori = CaricaEsempiAlPrimoAvvio(PrimoAvvio(cartella), programma, cartella, &dialoghi);
    if (!errori.isEmpty()) dialoghi.avviso(errori, QStringLiteral("Zavetra"), Icona::Avviso);
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
    if (riga.esciDopoAvvio) finestra.installEventFilter(&fine);
    finestra.show();
    return app.exec();
}
