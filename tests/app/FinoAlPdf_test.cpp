// A real trip (several days, visits, a ferry) computed and printed to PDF through the print panel
// and the printer choice, and again through the batch command; both PDFs are read back.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include "ProgrammaTest.h"
#include "app/BatchStampa.h"
#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Orologio.h"
#include "common/Progresso.h"
#include "printing/Stampanti.h"
#include "printing/ui/PannelloStampanti.h"
#include "reports/ui/PannelloStampaZavetra.h"

namespace {

class FinoAlPdf : public ::testing::Test {
  protected:
    void SetUp() override {
        Archivio a(dir.path());
        a.AvviaDatabase();
        prova::Meta(
            a, "000001", "Sardegna e Toscana 2026",
            {"Milano [Start]|0", "Firenze|300", "Livorno|100|S|SGC FI-PI-LI", "Olbia (Traghetto)|250|A|TRAGH",
             "Cagliari|280|S|SS131 Carlo Felice", "Olbia [End]|280|S|SS131"});
        SalvaIlCodiceMetaCorrente("000001", a);
        const auto guida = [&](const QString& localita, const QString& gruppo, const QString& descrizione) {
            test::voceGuida(a.dati(), localita, descrizione, "02:00",
                            {{"CodiceGuida", "01"}, {"Gruppo", gruppo}});
        };
        guida("Firenze", "Centro", "Duomo");
        guida("Firenze", "Centro", "Uffizi");
        guida("Cagliari", " ", "Bastione");
    }
    QTemporaryDir dir;
    OrologioFisso orologio{QDateTime(QDate(2026, 6, 1), QTime(10, 0))};
};

TEST_F(FinoAlPdf, PanelAndBatchPrintTheSameTrip) {
    // The computed schedule as the window holds it.
    Griglia mfgTab;
    BoxMeta box;
    const OpzioniCalcola calcolo{dir.path(), {}, {}};
    const EsitoBatch calcolato =
        EseguiCalcolaBatch(calcolo, orologio, [&](const Griglia& g, const BoxMeta& b, EsitoBatch&) {
            mfgTab = g;
            box = b;
        });
    ASSERT_EQ(calcolato.codiceUscita, kUscitaRiuscita) << calcolato.errori.join('\n').toStdString();

    StampanteCorrente stampante;
    DialoghiScriptati dialoghi;
    ProgressoMemoria progresso;
    PannelloStampaZavetra pannello(mfgTab, stampante, dialoghi, progresso, orologio, dir.path());
    int conclusa = 0;
    QObject::connect(&pannello, &PannelloStampaZavetra::stampaConclusa, [&] { ++conclusa; });
    pannello.mostra(box, "Zavetra (prova)");
    pannello.chkFrontespizio->setChecked(true);
    pannello.chkVociFrontespizio[3]->setChecked(true);
    pannello.chkTabella->setChecked(true);
    pannello.cmdEsegui0->click();
    QListWidget* lista = pannello.pannelloStampanti->lstStampanti;
    ASSERT_TRUE(pannello.pannelloStampanti->isVisibleTo(&pannello));
    ASSERT_EQ(lista->item(lista->count() - 1)->text(), kVocePdf);
    lista->setCurrentRow(lista->count() - 1);
    const QString pdfFinestra = dir.filePath("finestra.pdf");
    dialoghi.fileDaSalvare << pdfFinestra;
    pannello.pannelloStampanti->cmdSelStampante0->click();
    EXPECT_EQ(conclusa, 1);
    EXPECT_EQ(stampante.ultimaCartella, dir.path());
    ASSERT_EQ(dialoghi.mostrati.size(), 2) << dialoghi.testiMostrati().join('\n').toStdString();
    EXPECT_EQ(dialoghi.mostrati.at(0).testo, "Stampa Zavetra  completata...");

    const QString pdfBatch = dir.filePath("batch.pdf");
    ComandoStampa comando{{dir.path(), {}, {}}, pdfBatch, true};
    const EsitoBatch batch = EseguiStampaBatch(comando, orologio);
    ASSERT_EQ(batch.codiceUscita, kUscitaRiuscita) << batch.errori.join('\n').toStdString();

    for (const QString& pdf : {pdfFinestra, pdfBatch}) {
        const QString testo = test::testoPdf(pdf);
        const QStringList pagine = testo.split('\f', Qt::SkipEmptyParts);
        ASSERT_EQ(pagine.size(), 3) << testo.toStdString();  // two covers and one table page
        EXPECT_TRUE(pagine.at(0).contains("Sardegna e Toscana")) << pagine.at(0).toStdString();
        EXPECT_TRUE(pagine.at(0).contains("2026"));
        EXPECT_TRUE(pagine.at(2).contains("Periodo del viaggio:"));
        // A few cells of the table, in their order.
        qsizetype da = 0;
        for (const QString cella : {"Milano", "Firenze", "Duomo", "Uffizi", "Livorno", "Olbia", "(Traghetto)",
                                    "Cagliari", "Bastione", "Totali"}) {
            const qsizetype i = testo.indexOf(cella, da);
            ASSERT_GE(i, 0) << cella.toStdString() << "\n" << testo.toStdString();
            da = i;
        }
    }
}

TEST_F(FinoAlPdf, BatchPdfThatCannotBeWrittenExitsWithOne) {
    const ComandoStampa comando{{dir.path(), {}, {}}, dir.filePath("no/z.pdf"), false};
    const EsitoBatch e = EseguiStampaBatch(comando, orologio);
    EXPECT_EQ(e.codiceUscita, kUscitaErrore);
    EXPECT_TRUE(e.errori.join(' ').contains("Impossibile scrivere il file PDF"))
        << e.errori.join('\n').toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath("Camptabl.txt")));
}

}  // namespace
