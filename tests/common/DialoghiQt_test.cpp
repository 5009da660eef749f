// The message box behind the Dialoghi interface: Italian buttons, icons, answers, file filters.
#include "common/ui/DialoghiQt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "common/StampaTesti.h"

namespace {

// Shows the message, waits for the modal box, records it as "title|text|buttons|icon (QMessageBox's
// number)|default button" and lets `agisci` answer it.
Risposta rispondi(const Messaggio& m, const std::function<void(QMessageBox&)>& agisci,
                  QString* visto = nullptr) {
    auto* attesa = new QTimer;
    QObject::connect(attesa, &QTimer::timeout, [&, attesa] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        attesa->stop();
        QStringList pulsanti;
        for (QAbstractButton* b : box->buttons()) pulsanti << b->text();
        pulsanti.sort();
        const QString predefinito = box->defaultButton() ? box->defaultButton()->text() : QString();
        if (visto)
            *visto = QStringLiteral("%1|%2|%3|%4|%5")
                         .arg(box->windowTitle(), box->text(), pulsanti.join(','))
                         .arg(box->icon())
                         .arg(predefinito);
        agisci(*box);
    });
    attesa->start(5);
    DialoghiQt d;
    const Risposta r = d.messaggio(m);
    delete attesa;
    return r;
}

void premi(QMessageBox& box, const QString& testo) {
    for (QAbstractButton* b : box.buttons())
        if (b->text() == testo) return b->click();
    ADD_FAILURE() << "no button " << testo.toStdString();
    box.reject();
}

}  // namespace

TEST(DialoghiQt, PulsantiItalianiIconeERisposte) {
    const auto clic = [](const char* testo) { return [=](QMessageBox& b) { premi(b, testo); }; };
    QString v[3];
    EXPECT_EQ(
        rispondi({"Vuoi salvare?", "Salvataggio", Pulsanti::SiNoAnnulla, Icona::Domanda}, clic("No"), &v[0]),
        Risposta::No);
    EXPECT_EQ(rispondi({"Procedo?", "T", Pulsanti::SiNo, Icona::Avviso}, clic("Sì"), &v[1]), Risposta::Si);
    EXPECT_EQ(rispondi({"x", "T", Pulsanti::OkAnnulla, Icona::Critico}, clic("OK"), &v[2]), Risposta::Ok);
    EXPECT_EQ((QStringList{v[0], v[1], v[2]}), (QStringList{"Salvataggio|Vuoi salvare?|Annulla,No,Sì|4|Sì",
                                                            "T|Procedo?|No,Sì|2|Sì", "T|x|Annulla,OK|3|OK"}));

    // A box closed answers No or Cancel; a box of OK alone answers OK.
    const auto chiudi = [](QMessageBox& b) { QTest::keyClick(&b, Qt::Key_Escape); };
    EXPECT_EQ((QList<Risposta>{rispondi({"a", "T", Pulsanti::SiNo, Icona::Domanda}, chiudi),
                               rispondi({"a", "T", Pulsanti::SiNoAnnulla, Icona::Domanda}, chiudi),
                               rispondi({"a", "T", Pulsanti::OkAnnulla, Icona::Nessuna}, chiudi),
                               rispondi({"a", "T", Pulsanti::Ok, Icona::Informazione}, chiudi)}),
              (QList<Risposta>{Risposta::No, Risposta::Annulla, Risposta::Annulla, Risposta::Ok}));

    // An empty title is the program's name.
    const QString prima = QApplication::applicationDisplayName();
    QApplication::setApplicationDisplayName("Zavetra");
    QString fatto;
    rispondi({"Fatto", "", Pulsanti::Ok, Icona::Nessuna}, clic("OK"), &fatto);
    QApplication::setApplicationDisplayName(prima);
    EXPECT_EQ(fatto.section('|', 0, 0), "Zavetra");
}

TEST(DialoghiQt, FiltroDeiFileNelModoDiQt) {
    // The pattern after "|" is the one that filters, whatever the description says.
    EXPECT_EQ(filtroQt("File export ITN in modalità testo (*.cvs)|*.csv"),
              "File export ITN in modalità testo (*.csv)");
    EXPECT_EQ(filtroQt("Testo|*.txt;*.tab|Tutti i file (*.*)|*.*"),
              "Testo (*.txt *.tab);;Tutti i file (*.*)");
    EXPECT_EQ(filtroQt("Scambio (*.iei)"), "Scambio (*.iei)");
    EXPECT_EQ(filtroQt(""), "");
}
