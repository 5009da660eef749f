#include "common/ui/DialoghiQt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

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

TEST(DialoghiQt, PulsantiItalianiERisposte) {
    Visto v;
    EXPECT_EQ(
        rispondi(
            {"Vuoi salvare l'itinerario?", "Salvataggio itinerario", Pulsanti::SiNoAnnulla, Icona::Domanda},
            [](QMessageBox& b) { premi(b, "No"); }, v),
        Risposta::No);
    EXPECT_EQ(v.titolo, "Salvataggio itinerario");
    EXPECT_EQ(v.testo, "Vuoi salvare l'itinerario?");
    EXPECT_EQ(v.pulsanti, (QStringList{"Annulla", "No", "Sì"}));
    EXPECT_EQ(v.predefinito, "Sì");
    EXPECT_EQ(v.icona, QMessageBox::Question);

    Visto v2;
    EXPECT_EQ(
        rispondi(
            {"Procedo?", "T", Pulsanti::SiNo, Icona::Avviso}, [](QMessageBox& b) { premi(b, "Sì"); }, v2),
        Risposta::Si);
    EXPECT_EQ(v2.pulsanti, (QStringList{"No", "Sì"}));
    EXPECT_EQ(v2.icona, QMessageBox::Warning);

    Visto v3;
    EXPECT_EQ(
        rispondi(
            {"x", "T", Pulsanti::OkAnnulla, Icona::Critico}, [](QMessageBox& b) { premi(b, "OK"); }, v3),
        Risposta::Ok);
    EXPECT_EQ(v3.pulsanti, (QStringList{"Annulla", "OK"}));
    EXPECT_EQ(v3.icona, QMessageBox::Critical);
}

TEST(DialoghiQt, UnaScatolaChiusaRispondeNoOAnnulla) {
    const auto chiudi = [](QMessageBox& b) { QTest::keyClick(&b, Qt::Key_Escape); };
    Visto v;
    EXPECT_EQ(rispondi({"a", "T", Pulsanti::SiNo, Icona::Domanda}, chiudi, v), Risposta::No);
    EXPECT_EQ(rispondi({"a", "T", Pulsanti::SiNoAnnulla, Icona::Domanda}, chiudi, v), Risposta::Annulla);
    EXPECT_EQ(rispondi({"a", "T", Pulsanti::OkAnnulla, Icona::Nessuna}, chiudi, v), Risposta::Annulla);
    EXPECT_EQ(rispondi({"a", "T", Pulsanti::Ok, Icona::Informazione}, chiudi, v), Risposta::Ok);
}

TEST(DialoghiQt, TitoloVuotoEIlNomeDelProgramma) {
    const QString prima = QApplication::applicationDisplayName();
    QApplication::setApplicationDisplayName("Zavetra");
    Visto v;
    rispondi(
        {"Fatto", "", Pulsanti::Ok, Icona::Nessuna}, [](QMessageBox& b) { premi(b, "OK"); }, v);
    EXPECT_EQ(v.titolo, "Zavetra");
    EXPECT_EQ(v.pulsanti, QStringList{"OK"});
    QApplication::setApplicationDisplayName(prima);
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
