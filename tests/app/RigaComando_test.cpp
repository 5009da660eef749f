// The command line: the table of options read into an action, the program answering a malformed
// line without a display, and its batch commands chained on the sample trips.
#include "app/RigaComando.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "ProgrammaTest.h"
#include "common/StampaTesti.h"

namespace {

// The line read, as "action command @data-dir values [positional] grafica esci", or its error.
QString Letta(const QString& riga) {
    const RigaComando r = LeggiRigaComando(("zavetra " + riga).split(' '));
    if (r.azione == AzioneProgramma::Errore) return "Errore: " + r.errore;
    static const char* const azioni[] = {"Finestra", "Aiuto", "Batch"};
    QStringList valori;
    for (auto v = r.valori.cbegin(); v != r.valori.cend(); ++v) valori << v.key() + '=' + v.value();
    QStringList t{azioni[int(r.azione)], r.comando >= 0 ? ComandiBatch().at(r.comando).opzione : "-"};
    if (!r.cartellaDati.isEmpty()) t << '@' + r.cartellaDati;
    if (!valori.isEmpty()) t << valori.join(',');
    if (!r.posizionali.isEmpty()) t << '[' + r.posizionali.join(',') + ']';
    if (r.grafica) t << "grafica";
    if (r.esciDopoAvvio) t << "esci";
    return t.join(' ');
}

TEST(RigaComando, OpzioniLetteOErroriInItaliano) {
    const QStringList casi =
        QString::fromUtf8(
            R"(--data-dir /d --calcola --meta 42 --csv=/tmp/z.csv => Batch calcola @/d calcola=,csv=/tmp/z.csv,data-dir=/d,meta=42
--esci-dopo-avvio => Finestra - esci-dopo-avvio= esci
--data-dir /x -h => Aiuto -
--importa viaggi.iei 42 7 => Batch importa importa=viaggi.iei [42,7]
--importa-percorso giro.gpx --meta 3 => Batch importa-percorso importa-percorso=giro.gpx,meta=3
--calcola --pdf v.pdf --moduli => Batch calcola calcola=,moduli=,pdf=v.pdf grafica
--calcola --meta => Errore: Manca il valore dell'opzione --meta.
--calcola --meta= => Errore: Manca il valore dell'opzione --meta.
--meta --csv f --calcola => Errore: Manca il valore dell'opzione --meta.
--bogus => Errore: Opzione sconosciuta: --bogus.
--calcola -x => Errore: Opzione sconosciuta: -x.
--meta 1 => Errore: L'opzione --meta vale solo con --calcola o --importa-percorso.
--esporta f --meta 1 => Errore: L'opzione --meta vale solo con --calcola o --importa-percorso.
--esporta f --importa g => Errore: Le opzioni --esporta e --importa non vanno insieme.
--importa-percorso f avanzo => Errore: Argomento inatteso: avanzo.
--calcola --moduli => Errore: L'opzione --moduli richiede --pdf.
--esporta => Errore: Manca il valore dell'opzione --esporta.
--calcola avanzo => Errore: Argomento inatteso: avanzo.
--calcola --frontespizio => Errore: L'opzione --frontespizio richiede --pdf.
--calcola --pdf => Errore: Manca il valore dell'opzione --pdf.)")
            .split('\n');
    for (const QString& caso : casi)
        EXPECT_EQ(Letta(caso.section(" => ", 0, 0)), caso.section(" => ", 1)) << caso.toStdString();
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
