// The command line: the table of options read into an action, the program answering a malformed
// line without a display, and its batch commands chained on the sample trips.
#include "app/RigaComando.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "ProgrammaTest.h"
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

TEST(RigaComando, ComandiDiScambioEImportazioneDelPercorso) {
    RigaComando r = Leggi({"--importa", "viaggi.iei", "42", "7"});
    ASSERT_EQ(r.azione, AzioneProgramma::Batch) << r.errore.toStdString();
    EXPECT_EQ(ComandiBatch().at(r.comando).opzione, "importa");
    EXPECT_EQ(r.valori.value("importa"), "viaggi.iei");
    EXPECT_EQ(r.posizionali, QStringList({"42", "7"}));

    r = Leggi({"--importa-percorso", "giro.gpx", "--meta", "3"});
    ASSERT_EQ(r.azione, AzioneProgramma::Batch) << r.errore.toStdString();
    EXPECT_EQ(ComandiBatch().at(r.comando).opzione, "importa-percorso");
    EXPECT_EQ(r.valori.value("meta"), "3");

    r = Leggi({"--calcola", "--pdf", "v.pdf", "--moduli"});
    ASSERT_EQ(r.azione, AzioneProgramma::Batch) << r.errore.toStdString();
    EXPECT_TRUE(r.grafica);
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
        {{"--meta", "1"}, "L'opzione --meta vale solo con --calcola o --importa-percorso."},
        {{"--esporta", "f", "--meta", "1"}, "L'opzione --meta vale solo con --calcola o --importa-percorso."},
        {{"--esporta", "f", "--importa", "g"}, "Le opzioni --esporta e --importa non vanno insieme."},
        {{"--importa-percorso", "f", "avanzo"}, "Argomento inatteso: avanzo."},
        {{"--calcola", "--moduli"}, "L'opzione --moduli richiede --pdf."},
        {{"--esporta"}, "Manca il valore dell'opzione --esporta."},
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

using prova::Zavetra;

TEST(ProgrammaZavetra, OpzioniSbagliateEsconoConDueSenzaSchermo) {
    for (const QStringList& a : {QStringList{"--bogus"}, QStringList{"--calcola", "--meta"}}) {
        const prova::Uscita u = Zavetra(a);
        EXPECT_EQ(u.codice, kUscitaUso) << a.join(' ').toStdString();
        EXPECT_TRUE(u.errore.contains("Uso: zavetra")) << u.errore.toStdString();
        EXPECT_TRUE(u.uscita.isEmpty());
    }
    const prova::Uscita aiuto = Zavetra({"--help"});
    EXPECT_EQ(aiuto.codice, 0);
    EXPECT_TRUE(aiuto.uscita.contains("--calcola"));
}

// The two samples imported (both carry the code 000001: the second becomes 000002), each computed
// meeting its desired days, exported, imported elsewhere and printed with the logbook pages.
TEST(ProgrammaZavetra, EsportaImportaECalcolaConIModuli) {
    QTemporaryDir prima, seconda;
    for (const char* esempio : {"esempi/capo-nord.iei", "esempi/toscana.iei"}) {
        const prova::Uscita u = Zavetra({"--data-dir", prima.path(), "--importa", prova::Sorgente(esempio)});
        ASSERT_EQ(u.codice, 0) << u.errore.toStdString();
        EXPECT_TRUE(u.uscita.contains("18 guide/informazioni località.")) << u.uscita.toStdString();
    }
    for (const char* codice : {"1", "2"}) {
        const prova::Uscita u = Zavetra({"--data-dir", prima.path(), "--calcola", "--meta", codice});
        EXPECT_TRUE(u.uscita.contains("Elaborazione conclusa in")) << u.uscita.toStdString();
    }
    const QString scambio = prima.filePath("toscana.iei");
    EXPECT_EQ(Zavetra({"--data-dir", prima.path(), "--esporta", scambio, "9"}).codice, 2);
    EXPECT_FALSE(QFileInfo::exists(scambio));
    prova::Uscita u = Zavetra({"--data-dir", prima.path(), "--esporta", scambio, "2"});
    ASSERT_EQ(u.codice, 0) << u.errore.toStdString();

    EXPECT_EQ(Zavetra({"--data-dir", seconda.path(), "--importa", prima.filePath("manca.iei")}).codice, 1);
    u = Zavetra({"--data-dir", seconda.path(), "--importa", scambio});
    ASSERT_EQ(u.codice, 0) << u.errore.toStdString();
    EXPECT_TRUE(u.uscita.contains("12 tratti stradali")) << u.uscita.toStdString();

    const QString pdf = seconda.filePath("toscana.pdf");
    u = Zavetra({"--data-dir", seconda.path(), "--calcola", "--pdf", pdf, "--moduli"});
    ASSERT_EQ(u.codice, 0) << u.errore.toStdString();
    EXPECT_GE(test::paginePdf(pdf), 1);
    // The eight days of the computed schedule, after the cover.
    EXPECT_EQ(test::paginePdf(seconda.filePath("toscana-moduli.pdf")), 9);
    EXPECT_TRUE(u.uscita.contains("toscana-moduli.pdf")) << u.uscita.toStdString();
}

TEST(ProgrammaZavetra, ImportaIlPercorsoSoloNellaMetaSenzaTappe) {
    QTemporaryDir dir;
    {
        Archivio a(dir.path());
        a.AvviaDatabase();
        prova::Meta(a, "000004", "Norvegia del sud");
    }
    const QString gpx = prova::Sorgente("tests/data/routeimport/percorso_rotta.gpx");
    EXPECT_EQ(Zavetra({"--data-dir", dir.path(), "--importa-percorso", gpx, "--meta", "5"}).codice, 2);
    prova::Uscita u = Zavetra({"--data-dir", dir.path(), "--importa-percorso", gpx, "--meta", "4"});
    ASSERT_EQ(u.codice, 0) << u.errore.toStdString();
    EXPECT_TRUE(u.uscita.contains(QString::fromUtf8("nella mèta 000004"))) << u.uscita.toStdString();
    EXPECT_EQ(Zavetra({"--data-dir", dir.path(), "--importa-percorso", gpx, "--meta", "4"}).codice, 1);
    u = Zavetra({"--data-dir", dir.path(), "--calcola", "--meta", "4"});
    EXPECT_EQ(u.codice, 0) << u.errore.toStdString();
}

}  // namespace
