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

// What the box looked like when it came up.
struct Visto {
    QString titolo;
    QString testo;
    QStringList pulsanti;
    QMessageBox::Icon icona = QMessageBox::NoIcon;
    QString predefinito;
};

// Shows the message, waits for the modal box, records it and lets `agisci` answer it.
Risposta rispondi(const Messaggio& m, const std::function<void(QMessageBox&)>& agisci, Visto& visto) {
    auto* attesa = new QTimer;
    QObject::connect(attesa, &QTimer::timeout, [&, attesa] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        attesa->stop();
        visto.titolo = box->windowTitle();
        visto.testo = box->text();
        visto.icona = box->icon();
        for (QAbstractButton* b : box->buttons()) visto.pulsanti << b->text();
        visto.pulsanti.sort();
        if (box->defaultButton()) visto.predefinito = box->defaultButton()->text();
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

// The box as seen: "title|text|buttons|icon (QMessageBox's number)|default button".
QString comeVisto(const Visto& v) {
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(v.titolo, v.testo, v.pulsanti.join(','))
        .arg(v.icona)
        .arg(v.predefinito);
}

TEST(DialoghiQt, PulsantiItalianiIconeERisposte) {
    const auto clic = [](const char* testo) { return [=](QMessageBox& b) { premi(b, testo); }; };
    Visto v[3];
    EXPECT_EQ(
        rispondi({"Vuoi salvare?", "Salvataggio", Pulsanti::SiNoAnnulla, Icona::Domanda}, clic("No"), v[0]),
        Risposta::No);
    EXPECT_EQ(rispondi({"Procedo?", "T", Pulsanti::SiNo, Icona::Avviso}, clic("Sì"), v[1]), Risposta::Si);
    EXPECT_EQ(rispondi({"x", "T", Pulsanti::OkAnnulla, Icona::Critico}, clic("OK"), v[2]), Risposta::Ok);
    EXPECT_EQ((QStringList{comeVisto(v[0]), comeVisto(v[1]), comeVisto(v[2])}),
              (QStringList{"Salvataggio|Vuoi salvare?|Annulla,No,Sì|4|Sì", "T|Procedo?|No,Sì|2|Sì",
                           "T|x|Annulla,OK|3|OK"}));

    // A box closed answers No or Cancel; a box of OK alone answers OK.
    const auto chiudi = [](QMessageBox& b) { QTest::keyClick(&b, Qt::Key_Escape); };
    EXPECT_EQ((QList<Risposta>{rispondi({"a", "T", Pulsanti::SiNo, Icona::Domanda}, chiudi, v[0]),
                               rispondi({"a", "T", Pulsanti::SiNoAnnulla, Icona::Domanda}, chiudi, v[0]),
                               rispondi({"a", "T", Pulsanti::OkAnnulla, Icona::Nessuna}, chiudi, v[0]),
                               rispondi({"a", "T", Pulsanti::Ok, Icona::Informazione}, chiudi, v[0])}),
              (QList<Risposta>{Risposta::No, Risposta::Annulla, Risposta::Annulla, Risposta::Ok}));

    // An empty title is the program's name.
    const QString prima = QApplication::applicationDisplayName();
    QApplication::setApplicationDisplayName("Zavetra");
    Visto fatto;
    rispondi({"Fatto", "", Pulsanti::Ok, Icona::Nessuna}, clic("OK"), fatto);
    QApplication::setApplicationDisplayName(prima);
    EXPECT_EQ(fatto.titolo, "Zavetra");
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
