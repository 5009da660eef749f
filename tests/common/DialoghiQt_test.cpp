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

TEST(DialoghiQt, PulsantiItalianiIconeERisposte) {
    const struct {
        Messaggio messaggio;
        const char* premuto;
        Risposta risposta;
        QStringList pulsanti;
        QMessageBox::Icon icona;
    } casi[] = {
        {{"Vuoi salvare l'itinerario?", "Salvataggio itinerario", Pulsanti::SiNoAnnulla, Icona::Domanda},
         "No",
         Risposta::No,
         {"Annulla", "No", "Sì"},
         QMessageBox::Question},
        {{"Procedo?", "T", Pulsanti::SiNo, Icona::Avviso},
         "Sì",
         Risposta::Si,
         {"No", "Sì"},
         QMessageBox::Warning},
        {{"x", "T", Pulsanti::OkAnnulla, Icona::Critico},
         "OK",
         Risposta::Ok,
         {"Annulla", "OK"},
         QMessageBox::Critical},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.premuto);
        Visto v;
        EXPECT_EQ(rispondi(
                      c.messaggio, [&](QMessageBox& b) { premi(b, c.premuto); }, v),
                  c.risposta);
        EXPECT_EQ(v.titolo, c.messaggio.titolo);
        EXPECT_EQ(v.testo, c.messaggio.testo);
        EXPECT_EQ(v.pulsanti, c.pulsanti);
        EXPECT_EQ(v.icona, c.icona);
    }
    Visto v;
    rispondi(
        {"?", "T", Pulsanti::SiNoAnnulla, Icona::Domanda}, [](QMessageBox& b) { premi(b, "No"); }, v);
    EXPECT_EQ(v.predefinito, "Sì");
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
