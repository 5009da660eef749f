#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

#include "common/CartellaDati.h"
#include "database/Archivio.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Zavetra"));
    const QString cartella = CartellaDati(QCoreApplication::applicationDirPath(), OpzioneCartellaDati(app.arguments()));
    Archivio archivio(cartella);
    try {
        archivio.AvviaDatabase();
    } catch (const ErroreDatabase& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Zavetra"), e.messaggio());
        return 1;
    }
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Zavetra"));
    w.resize(1024, 700);
    w.show();
    return app.exec();
}
