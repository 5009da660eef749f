// The city-guide printouts on the recording surface, and the guide print and printer choice panels.
#include "reports/StampaGuida.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "common/Dialoghi.h"
#include "common/Orologio.h"
#include "common/Progresso.h"
#include "database/Archivio.h"
#include "database/TipiGuida.h"
#include "guide/GuidaCitta.h"
#include "printing/SuperficieRegistrata.h"
#include "printing/ui/PannelloStampanti.h"
#include "reports/ui/PannelloStampaGuida.h"

namespace {

class StampaGuidaTest : public ::testing::Test {
  protected:
    void SetUp() override {
        archivio.AvviaDatabase();
        tipi = CaricaTipiGuida(archivio);
        int seq = 0;
        for (const char* l : {"Roma [Start]", "Orvieto", "Firenze", "Roma [End]"})
            test::tappa(archivio.dati(), "000001", QString::number(++seq).rightJustified(4, '0'), l, "100");
        voce("Roma", "02", "Centro", "Colosseo");
        voce("Roma", "01", "Centro", "Fori imperiali");
        voce("Firenze", "01", " ", "Duomo");
        for (const char* l : {"Assisi", "Bologna", "Lucca", "Pisa", "Siena"})
            voce(l, "01", " ", "Centro storico");
    }
    void voce(const QString& l, const QString& codice, const QString& gruppo, const QString& descrizione) {
        test::voceGuida(archivio.dati(), l, descrizione, "01:30",
                        {{"CodiceGuida", codice}, {"Gruppo", gruppo}});
    }
    EsitoStampaGuida stampa(bool tutte, bool soloLocalita, const QString& meta = "000001") {
        return StampaDelleMete(s, archivio, tipi, {tutte, soloLocalita}, meta, pagina, dialoghi, progresso);
    }
    QTemporaryDir dir;
    Archivio archivio{dir.path()};
    TabellaTipiGuida tipi;
    SuperficieRegistrata s;
    DatiPagina pagina{"Giro R&F", "", "Zavetra", QDate(2026, 12, 6)};
    DialoghiScriptati dialoghi;
    ProgressoMemoria progresso;
};

// Roma once, Firenze, and not Orvieto, which has no entries; Roma's entries by type code, the
// type's name in place of the code, one line each.
// A trip without entries prints no page.
TEST_F(StampaGuidaTest, TripLocalitiesInDetail) {
    EXPECT_EQ(stampa(false, false, "000009").localita, 0);
    EXPECT_TRUE(s.tutteLePagine().isEmpty() && dialoghi.mostrati.isEmpty());
    EXPECT_EQ(stampa(false, false).localita, 2);
    ASSERT_EQ(s.documenti.size(), 1);
    const PaginaRegistrata& p = s.documenti.at(0).pagine.at(0);
    const QStringList testi = p.elencoTesti();
    EXPECT_EQ(testi.first(), "Guida Città: - Località e Guida - Inerenti la Meta: Giro RF");
    EXPECT_EQ(testi.mid(6).join('|'), QString("Roma|%1|Centro|Fori imperiali|01:30|%2|Centro|Colosseo|01:30|"
                                              "Firenze|%1|Duomo|01:30|06/12/2026|Zavetra")
                                          .arg(NomeTipoGuida(tipi, 1), NomeTipoGuida(tipi, 2)));
    EXPECT_LT(p.cerca("Fori imperiali")->y, p.cerca("Colosseo")->y);
    EXPECT_TRUE(progresso.ultimaDidascalia.startsWith("Stampa della guida citta (pag. 1)"));
}

TEST_F(StampaGuidaTest, AllLocalitiesByNameFiveToALine) {
    stampa(true, true);
    const PaginaRegistrata p = s.documenti.value(0).pagine.value(0);
    ASSERT_NE(p.cerca("Guida Città: - Località - Tutte"), nullptr);
    const QStringList nomi{"Assisi", "Bologna", "Firenze", "Lucca", "Pisa", "Roma", "Siena"};
    for (int i = 0; i < nomi.size(); ++i) {
        const TestoRegistrato* t = p.cerca(nomi.at(i));
        ASSERT_TRUE(t && t->x == 5 + 38 * (i % 5) && t->y == p.cerca(nomi.at(i < 5 ? 0 : 5))->y) << i;
    }
    EXPECT_GT(p.cerca("Roma")->y, p.cerca("Pisa")->y);
}

TEST_F(StampaGuidaTest, PanelPrintsWithItsOptions) {
    StampanteCorrente corrente;
    OrologioFisso orologio{QDateTime(QDate(2026, 12, 6), QTime(9, 0))};
    PannelloStampaGuida pannello(archivio, tipi, corrente, dialoghi, progresso, orologio, dir.path());
    // The panel drops its surface after the print: keep what it drew.
    struct Copiata : SuperficieRegistrata {
        explicit Copiata(QList<DocumentoRegistrato>* c) : copia(c) {}
        ~Copiata() override { *copia = documenti; }
        QList<DocumentoRegistrato>* copia;
    };
    QList<DocumentoRegistrato> stampati;
    pannello.creaSuperficie = [&](const Destinazione&) { return std::make_unique<Copiata>(&stampati); };
    QSignalSpy iniziata(&pannello, &PannelloStampaGuida::stampaIniziata);
    QSignalSpy conclusa(&pannello, &PannelloStampaGuida::stampaConclusa);
    pannello.mostra("000001", "Giro", "Zavetra");
    pannello.optGuidaListaStampa1->setChecked(true);
    pannello.optGuidaDettaglioStampa1->setChecked(true);
    pannello.cmdStampaGuida0->click();
    pannello.pannelloStampanti->lstStampanti->setCurrentRow(0);
    dialoghi.fileDaSalvare << dir.filePath("guida.pdf");
    pannello.pannelloStampanti->cmdSelStampante0->click();
    EXPECT_EQ(iniziata.size() + conclusa.size(), 2);
    ASSERT_EQ(stampati.size(), 1);
    EXPECT_NE(stampati.at(0).pagine.at(0).cerca("Guida Città: - Località - Tutte"), nullptr);
    EXPECT_EQ(corrente.destinazione.filePdf, dir.filePath("guida.pdf"));
}

// The PDF entry alone is selected; a closed file dialog prints nothing; a printer is taken by the
// first name equal ignoring case; nothing selected keeps the printer in force; a PDF remembers its
// folder; Rinuncia gives up.
TEST(PannelloStampantiTest, ChoiceOfPrinterAndPdf) {
    QTemporaryDir dir;
    StampanteCorrente corrente;
    DialoghiScriptati dialoghi;
    PannelloStampanti p(corrente, dialoghi, dir.path());
    QSignalSpy stampa(&p, &PannelloStampanti::stampa);
    QSignalSpy rinuncia(&p, &PannelloStampanti::rinuncia);
    const auto scelta = [&](const QStringList& stampanti, int riga) {
        p.VisualizzaListaStampanti(stampanti);
        if (riga >= 0) p.lstStampanti->setCurrentRow(riga);
        p.cmdSelStampante0->click();
        return QString("%1 %2 %3")
            .arg(stampa.size())
            .arg(rinuncia.size())
            .arg(corrente.destinazione.stampante);
    };
    EXPECT_EQ(scelta({}, -1), "0 1 ");
    EXPECT_EQ(scelta({"Laser", "laser"}, 1), "1 1 Laser");
    EXPECT_FALSE(p.isVisible());
    EXPECT_EQ(scelta({"Laser"}, -1), "2 1 Laser");
    dialoghi.fileDaSalvare << dir.filePath("sub/giro.pdf");
    EXPECT_EQ(scelta({"Laser"}, 1), "3 1 ");
    EXPECT_EQ(corrente.destinazione.filePdf, dir.filePath("sub/giro.pdf"));
    EXPECT_EQ(corrente.ultimaCartella, dir.filePath("sub"));
    p.cmdSelStampante1->click();
    EXPECT_EQ(rinuncia.size(), 2);
}

}  // namespace
