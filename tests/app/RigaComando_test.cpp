// The command line: the table of options read into an action, and the program answering a
// malformed line without a display.
#include "app/RigaComando.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "common/StampaTesti.h"

namespace {

RigaComando Leggi(QStringList argomenti) {
    argomenti.prepend(QStringLiteral("zavetra"));
    return LeggiRigaComando(argomenti);
}

TEST(RigaComando, OpzioniDelCalcoloEDellaFinestra) {
    RigaComando r = Leggi({"--data-dir", "/d", "--calcola", "--meta", "42", "--csv=/tmp/z.csv"});
    ASSERT_EQ(r.azione, AzioneProgramma::Batch) << r.errore.toStdString();
    EXPECT_EQ(ComandiBatch().at(r.comando).opzione, "calcola");
    EXPECT_EQ(r.cartellaDati, "/d");
    EXPECT_EQ(r.valori.value("meta"), "42");
    EXPECT_EQ(r.valori.value("csv"), "/tmp/z.csv");

    r = Leggi({"--esci-dopo-avvio"});
    EXPECT_EQ(r.azione, AzioneProgramma::Finestra);
    EXPECT_TRUE(r.esciDopoAvvio);
    EXPECT_TRUE(r.cartellaDati.isEmpty());
    EXPECT_EQ(Leggi({"--data-dir", "/x", "-h"}).azione, AzioneProgramma::Aiuto);
}

TEST(RigaComando, ErroriInItaliano) {
    const struct {
        QStringList argomenti;
        const char* errore;
    } casi[] = {
        {{"--calcola", "--meta"}, "Manca il valore dell'opzione --meta."},
        {{"--calcola", "--meta="}, "Manca il valore dell'opzione --meta."},
        {{"--meta", "--csv", "f", "--calcola"}, "Manca il valore dell'opzione --meta."},
        {{"--bogus"}, "Opzione sconosciuta: --bogus."},
        {{"--calcola", "-x"}, "Opzione sconosciuta: -x."},
        {{"--meta", "1"}, "L'opzione --meta vale solo con --calcola."},
        {{"--calcola", "avanzo"}, "Argomento inatteso: avanzo."},
        {{"--calcola", "--frontespizio"}, "L'opzione --frontespizio richiede --pdf."},
        {{"--calcola", "--pdf"}, "Manca il valore dell'opzione --pdf."},
    };
    for (const auto& c : casi) {
        const RigaComando r = Leggi(c.argomenti);
        EXPECT_EQ(r.azione, AzioneProgramma::Errore) << c.argomenti.join(' ').toStdString();
        EXPECT_EQ(r.errore, QString::fromUtf8(c.errore));
    }
}

TEST(RigaComando, AiutoElencaOgniOpzione) {
    const QString aiuto = TestoAiuto();
    for (const OpzioneProgramma& o : OpzioniZavetra())
        EXPECT_TRUE(aiuto.contains("--" + o.nome + (o.valore.isEmpty() ? "" : " " + o.valore)))
            << o.nome.toStdString();
    EXPECT_TRUE(aiuto.contains("--help"));
}

// The program itself, with no display at all: the answer comes before any window is built.
struct Uscita {
    int codice;
    QString errore;
    QString uscita;
};
Uscita Avvia(const QStringList& argomenti) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(v);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ZAVETRA_PROGRAMMA), argomenti);
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError()), QString::fromUtf8(p.readAllStandardOutput())};
}

TEST(ProgrammaZavetra, OpzioniSbagliateEsconoConDueSenzaSchermo) {
    for (const QStringList& a : {QStringList{"--bogus"}, QStringList{"--calcola", "--meta"}}) {
        const Uscita u = Avvia(a);
        EXPECT_EQ(u.codice, kUscitaUso) << a.join(' ').toStdString();
        EXPECT_TRUE(u.errore.contains("Uso: zavetra")) << u.errore.toStdString();
        EXPECT_TRUE(u.uscita.isEmpty());
    }
    const Uscita aiuto = Avvia({"--help"});
    EXPECT_EQ(aiuto.codice, 0);
    EXPECT_TRUE(aiuto.uscita.contains("--calcola"));
}

}  // namespace
