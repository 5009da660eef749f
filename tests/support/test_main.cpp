// Test entry point shared by every test executable: headless Qt, a temporary HOME, and any Qt
// warning that a test provokes fails that test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// Messages of the headless platform itself, not of our code, pass.
void gestoreMessaggi(QtMsgType tipo, const QMessageLogContext&, const QString& msg) {
    static const QRegularExpression innocui(
        "QStandardPaths|propagateSizeHints|This plugin does not support|XDG_RUNTIME_DIR|"
        "Could not find the Qt platform plugin");
    if (tipo == QtDebugMsg || tipo == QtInfoMsg || msg.contains(innocui)) return;
    ADD_FAILURE() << "Qt warning: " << msg.toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    qInstallMessageHandler(gestoreMessaggi);
    return RUN_ALL_TESTS();
}
