// The trip record against a real data file: saving, codes, stored forms, defaults, loading,
// deletions, the current trip and the search list.
#include "trips/Meta.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "../common/StampaTesti.h"
#include "TestSupport.h"
#include "trips/Parametri.h"

namespace {

class MetaTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    Archivio archivio{dir.path()};
    DialoghiScriptati dialoghi;
    QString corrente;  // the current trip's code, as the window holds it
    OrologioFisso orologio{QDateTime(QDate(2024, 3, 5), QTime(10, 52))};

    void SetUp() override { archivio.AvviaDatabase(); }

    BoxMeta boxMeta(const QString& localita, const QString& nazione = "ITALIA") {
        BoxMeta b;
        ImpostaDefaultFabbrica(b);
        b.cmbSoste = "2 - Soste Guida";
        b.cmbInizio = {"15", "07", "2024", "08", "30"};
        b.cmbGiorni = "012";
        b.txtLocalita = localita;
        b.txtNazione = nazione;
        return b;
    }

    // Saves the boxes as the trip's save does, the confirmation answered Yes.
    EsitoSalva salva(BoxMeta& b) {
        dialoghi.risposte = {Risposta::Si};
        return SalvaMeta(b, corrente, archivio, dialoghi);
    }

    void inserisciMeta(const QString& codice, const QString& localita, const test::Campi& altri = {}) {
        test::inserisci(archivio.dati(), "MeteCamper",
                        test::Campi{{"CodiceMeta", codice}, {"Localita", localita}} + altri);
    }

    RowSet riga(const QString& codice) {
        return archivio.dati().apriRowSet(Query::di("MeteCamper").dove("CodiceMeta", codice));
    }
    // The trip's stored fields, "|"-joined.
    QString campi(const QString& codice, const QStringList& nomi) {
        RowSet r = riga(codice);
        QStringList valori;
        for (const QString& n : nomi) valori << r.testo(n);
        return valori.join('|');
    }
    int conta(const QString& tabella, const QString& codice = {}) {
        Query q = Query::di(tabella);
        if (!codice.isEmpty()) q.dove("CodiceMeta", codice);
        return archivio.dati().conta(q);
    }
    QString metaCorrenteMemorizzata() {
        RowSet r = archivio.dati().apriTabella("MetaCorrente");
        return r.fine() ? QString("<nessuna>") : r.testo("MetaCorrente");
    }
};

TEST_F(MetaTest, SalvaNuovaMetaNelleFormeMemorizzate) {
    BoxMeta b = boxMeta("  Parigi  ", "  FRANCIA  ");
    b.cmbMediaKm[1] = "";
    ASSERT_EQ(salva(b), EsitoSalva::Salvata);
    EXPECT_EQ((QStringList{corrente, b.txtCodice, b.txtLocalita}),
              (QStringList{"000001", "000001", "Parigi"}));
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Confermi inserimento meta?"});

    // An empty speed takes its list's first entry.
    EXPECT_EQ(campi("000001", {"Localita", "Nazione", "DataInizio", "OraInizio", "MediaSuperStrada",
                               "DurataCena", "GiorniAdeguamento", "CalcoloSoste", "Coefficiente"}),
              "Parigi|FRANCIA |15072024|0830|45|0145|012|2|0");
    EXPECT_EQ(metaCorrenteMemorizzata(), "000001");

    // 19 characters are stored unchanged, longer nations are cut.
    EXPECT_EQ((QStringList{NazioneMemorizzata("ABCDEFGHIJKLMNOPQRS"),
                           NazioneMemorizzata("ABCDEFGHIJKLMNOPQRSTU"), NazioneMemorizzata("ITALIA")}),
              (QStringList{"ABCDEFGHIJKLMNOPQRS", "ABCDEFGHIJKLMNOPQRS", "ITALIA "}));
}

TEST_F(MetaTest, SalvaConLaStessaLocalitaModificaLaMetaEsistente) {
    inserisciMeta("000001", "Parigi");
    inserisciMeta("000002", "Capo Nord");
    BoxMeta b = boxMeta("PARIGI", "FRANCIA");
    ASSERT_EQ(salva(b), EsitoSalva::Salvata);
    EXPECT_EQ(dialoghi.mostrati[0].testo, "Confermi modifica dati mèta?");
    EXPECT_EQ(b.txtCodice, "000001");
    EXPECT_EQ(conta("MeteCamper"), 2);
    // Modifying leaves the coefficient the computation stored.
    EXPECT_EQ(campi("000001", {"Localita", "Nazione", "Coefficiente"}), "PARIGI|FRANCIA |");

    // The code box wins over the locality: renaming a trip keeps its code.
    b.txtLocalita = "Lione";
    ASSERT_EQ(salva(b), EsitoSalva::Salvata);
    EXPECT_EQ(riga("000001").testo("Localita"), "Lione");
    EXPECT_EQ(conta("MeteCamper"), 2);
}

TEST_F(MetaTest, CodiceLiberoPiuBasso) {
    EXPECT_EQ(NuovoCodiceMeta(archivio), "000001");
    inserisciMeta("000004", "D");
    inserisciMeta("000001", "A");
    inserisciMeta("000002", "B");
    EXPECT_EQ(NuovoCodiceMeta(archivio), "000003");
    BoxMeta b = boxMeta("Nuova");
    ASSERT_EQ(salva(b), EsitoSalva::Salvata);
    EXPECT_EQ(b.txtCodice, "000003");
    EXPECT_EQ(NuovoCodiceMeta(archivio), "000005");
}

TEST_F(MetaTest, CaratteriSpecialiMemorizzatiERitrovati) {
    inserisciMeta("000001", "ROMAX");
    inserisciMeta("000002", "ABC");
    inserisciMeta("000003", "L-AQUILA");
    const QStringList speciali{"ROMA?", "A%", "A_C", "A*", "L'AQUILA", "D\"ANGELO 100%"};
    for (const QString& localita : speciali) {
        BoxMeta b = boxMeta(localita);
        ASSERT_EQ(salva(b), EsitoSalva::Salvata) << localita.toStdString();
        EXPECT_EQ(CodiceMetaPerLocalita(localita, archivio), b.txtCodice) << localita.toStdString();
        EXPECT_EQ(riga(b.txtCodice).testo("Localita"), localita);
    }
    EXPECT_EQ(campi("000001", {"Localita"}) + campi("000002", {"Localita"}) + campi("000003", {"Localita"}),
              "ROMAXABCL-AQUILA");
    EXPECT_EQ(conta("MeteCamper"), 3 + speciali.size());

    // Saving again finds the same trip.
    BoxMeta b = boxMeta("l'aquila");
    ASSERT_EQ(salva(b), EsitoSalva::Salvata);
    EXPECT_EQ(b.txtCodice, CodiceMetaPerLocalita("L'AQUILA", archivio));
    EXPECT_EQ(ScegliMeta("L'aquila", archivio), b.txtCodice);
    EXPECT_EQ(metaCorrenteMemorizzata(), b.txtCodice);
    EXPECT_EQ(ScegliMeta("L", archivio), "");
}

TEST_F(MetaTest, RinunciaEValidazioneNonCambianoNulla) {
    BoxMeta b = boxMeta("Oslo");
    const BoxMeta prima = b;
    corrente = "xyz";
    dialoghi.risposte = {Risposta::No};
    EXPECT_EQ(SalvaMeta(b, corrente, archivio, dialoghi), EsitoSalva::Rinunciata);
    EXPECT_EQ(b, prima);
    EXPECT_EQ(corrente, "xyz");
    EXPECT_EQ(conta("MeteCamper"), 0);

    b.txtLocalita = "   ";
    EXPECT_EQ(SalvaMeta(b, corrente, archivio, dialoghi), EsitoSalva::NonValida);
    b.txtLocalita = "Oslo";
    b.txtNazione = " ";
    EXPECT_EQ(SalvaMeta(b, corrente, archivio, dialoghi), EsitoSalva::NonValida);
    EXPECT_EQ(dialoghi.testiMostrati().mid(1),
              (QStringList{"Campo Località: obbligatorio!", "Campo Nazione: obbligatorio!"}));
    EXPECT_EQ(dialoghi.mostrati[2].pulsanti, Pulsanti::Ok);
    EXPECT_EQ(conta("MeteCamper"), 0);
}

TEST_F(MetaTest, ErroreDelDatabaseLasciaBoxEArchivioComeErano) {
    inserisciMeta("000001", "Parigi");
    SalvaIlCodiceMetaCorrente("000001", archivio);
    BoxMeta b = boxMeta(QString(31, 'X'));  // wider than the field
    const BoxMeta prima = b;
    const OperazioneSalva op = DecidiOperazioneSalva(b, archivio);
    EXPECT_EQ(op.tipo, "I");
    EXPECT_EQ(op.codice, "000002");
    EXPECT_THROW(ScriviMeta(op, b, archivio), ErroreDatabase);
    EXPECT_EQ(b, prima);
    EXPECT_EQ(conta("MeteCamper"), 1);
    EXPECT_EQ(metaCorrenteMemorizzata(), "000001");
}

TEST_F(MetaTest, AutostradaInMinuscolo) {
    BoxMeta b = boxMeta("Autostrada del SOLE");
    ASSERT_EQ(salva(b), EsitoSalva::Salvata);
    EXPECT_EQ(b.txtLocalita, "autostrada del sole");
    EXPECT_EQ(riga(b.txtCodice).testo("Localita"), "autostrada del sole");
}

TEST_F(MetaTest, CaricaDatiAnagrafici) {
    // clang-format off
    inserisciMeta("000007", "Oslo",
                  {{"Nazione", "NORVEGIA "}, {"DataInizio", "31012024"}, {"OraInizio", "0715"},
                   {"MediaAutostrada", "0"}, {"MediaSuperStrada", "70"}, {"MediaPrincipale", ""},
                   {"MediaLocale", "35"}, {"OraColazione", "0830"}, {"OraNotte", "2345"}, {"RiposoMinuti", "5"},
                   {"RiposoOre", ""}, {"GiorniAdeguamento", "9"}, {"CalcoloSoste", ""}, {"Range", "30"}});
    // clang-format on
    BoxMeta b = boxMeta("Vecchia");
    b.txtTragh = "3";
    b.txtFine[6] = "12";
    b.txtKmTot[4] = "1.234";
    b.txtTempo[0] = "01:00";
    corrente = "000007";
    ASSERT_TRUE(CaricaDatiAnagraficiMeta(corrente, b, archivio));
    EXPECT_EQ(b.cmbInizio, (std::array<QString, 5>{"31", "01", "2024", "07", "15"}));
    EXPECT_EQ(b.cmbMediaKm, (std::array<QString, 4>{"050", "70", "030", "35"}));
    // The results of the last computation are cleared.
    EXPECT_EQ((QStringList{b.txtLocalita, b.txtNazione, b.txtCodice, b.txtInizioGSett,
                           b.cmbOra[CoppiaColazione], b.cmbMin[CoppiaColazione], b.cmbOra[CoppiaNotte],
                           b.cmbMin[CoppiaNotte], b.cmbRipM, b.cmbRipH, b.cmbGiorni, b.cmbSoste, b.cmbRange,
                           b.txtTragh, b.txtFine[6], b.txtKmTot[4], b.txtTempo[0]}),
              (QStringList{"Oslo", "NORVEGIA ", "000007", "Mer", "08", "30", "23", "45", "05", "00", "009",
                           "3 - Entrambe", "30", "", "", "", ""}));
    EXPECT_EQ((QStringList{VoceSoste("1"), VoceSoste("6"), VoceSoste("9")}),
              (QStringList{"1 - Soste itinerario", "6 - Nessuna sosta!", "6 - Nessuna sosta!"}));

    // An unknown code loads nothing.
    const BoxMeta prima = b;
    corrente = "000099";
    EXPECT_FALSE(CaricaDatiAnagraficiMeta(corrente, b, archivio));
    EXPECT_EQ(b, prima);
    // No code: the current trip is looked up first.
    corrente.clear();
    b = boxMeta("");
    EXPECT_TRUE(CaricaDatiAnagraficiMeta(corrente, b, archivio));
    EXPECT_EQ(corrente, "000007");
}

TEST_F(MetaTest, MetaCorrente) {
    EXPECT_EQ(RicercaMetaCorrente(archivio), "");
    inserisciMeta("000002", "B");
    inserisciMeta("000010", "C");
    inserisciMeta("000001", "A");
    EXPECT_EQ(RicercaMetaCorrente(archivio), "000010");
    SalvaIlCodiceMetaCorrente("000002", archivio);
    SalvaIlCodiceMetaCorrente("000001", archivio);
    EXPECT_EQ(conta("MetaCorrente"), 1);
    EXPECT_EQ(RicercaMetaCorrente(archivio), "000001");
    // A current code naming a deleted trip falls back to the highest code.
    CancellaMeta("000001", archivio);
    EXPECT_EQ(RicercaMetaCorrente(archivio), "000010");
}

TEST_F(MetaTest, CancellazioneMetaEItinerario) {
    inserisciMeta("000001", "A");
    inserisciMeta("000002", "B");
    for (const char* s : {"0001", "0002", "0003"}) test::tappa(archivio.dati(), "000001", s, "Tappa", "");
    test::tappa(archivio.dati(), "000002", "0001", "Tappa", "");

    dialoghi.risposte = {Risposta::No};
    EXPECT_FALSE(ChiediCancellazioneItinerario(dialoghi));
    ASSERT_EQ(dialoghi.mostrati.size(), 1);  // No to the first ends it
    EXPECT_EQ(dialoghi.mostrati[0].testo, "Confermi annullamento itinerario?");

    dialoghi.risposte = {Risposta::Si, Risposta::Si};
    EXPECT_TRUE(ChiediCancellazioneItinerario(dialoghi));
    EXPECT_EQ(dialoghi.mostrati.size(), 3);
    dialoghi.risposte = {Risposta::Si, Risposta::No};
    EXPECT_FALSE(ChiediCancellazioneItinerario(dialoghi));

    CancellaItinerario("000001", archivio);
    EXPECT_EQ((QList<int>{conta("Itinerari", "000001"), conta("Itinerari", "000002"),
                          conta("MeteCamper", "000001")}),
              (QList<int>{0, 1, 1}));

    dialoghi.risposte = {Risposta::Si};
    EXPECT_TRUE(ChiediCancellazioneMeta(dialoghi));
    EXPECT_EQ(dialoghi.mostrati.last().testo, "Confermi annullamento meta?");
    EXPECT_FALSE(ChiediCancellazioneMeta(dialoghi));
    CancellaMeta("000002", archivio);
    EXPECT_EQ((QList<int>{conta("MeteCamper", "000002"), conta("Itinerari", "000002"),
                          conta("MeteCamper", "000001")}),
              (QList<int>{0, 0, 1}));
}

TEST_F(MetaTest, DatiDiDefault) {
    BoxMeta b;
    CaricaDefaultMeta(0, b, archivio);  // no row yet: factory values, stored
    BoxMeta fabbrica;
    ImpostaDefaultFabbrica(fabbrica);
    fabbrica.cmbSoste = "3 - Entrambe";
    EXPECT_EQ(b, fabbrica);
    EXPECT_EQ(conta("Parametri"), 1);

    b.cmbMediaKm[0] = "110";
    b.cmbOra[CoppiaCena] = "19";
    b.cmbMin[CoppiaCena] = "15";
    b.cmbSoste = "5 - Sosta minore";
    b.cmbRange = "45";
    b.cmbRipGG = "07";
    dialoghi.risposte = {Risposta::Si};
    EXPECT_TRUE(EseguiDefault(0, b, archivio, dialoghi));
    EXPECT_EQ(dialoghi.testiMostrati(),
              (QStringList{"Vuoi salvare i dati di default?", "Operazione eseguita!"}));
    EXPECT_EQ(conta("Parametri"), 1);
    // A new trip starts from the saved defaults.
    BoxMeta nuova;
    NuovaMeta(nuova, archivio, orologio);
    EXPECT_EQ(nuova.cmbMediaKm[0] + '|' + nuova.cmbRange, "110|45");

    const BoxMeta salvati = b;
    BoxMeta caricati;
    caricati.txtLocalita = "resta";
    dialoghi.risposte = {Risposta::Si};
    EXPECT_TRUE(EseguiDefault(1, caricati, archivio, dialoghi));
    BoxMeta atteso = salvati;
    atteso.txtLocalita = "resta";
    EXPECT_EQ(caricati, atteso);

    // No: nothing happens, not even the closing message.
    EXPECT_FALSE(EseguiDefault(2, caricati, archivio, dialoghi));
    EXPECT_EQ(caricati, atteso);
    EXPECT_EQ(dialoghi.mostrati.size(), 5u);
    dialoghi.risposte = {Risposta::Si};
    EXPECT_TRUE(EseguiDefault(2, caricati, archivio, dialoghi));
    fabbrica.txtLocalita = "resta";
    EXPECT_EQ(caricati, fabbrica);
    BoxMeta riletto;
    CaricaDefaultMeta(0, riletto, archivio);
    EXPECT_EQ(riletto.cmbMediaKm[0] + '|' + riletto.cmbRange, "75|15");
}

TEST_F(MetaTest, NuovaMetaAllOraCorrente) {
    BoxMeta b = boxMeta("Oslo");
    b.txtCodice = "000004";
    b.txtFine[0] = "01";
    NuovaMeta(b, archivio, orologio);
    EXPECT_EQ((QStringList{b.txtLocalita, b.txtNazione, b.txtCodice, b.txtFine[0], b.cmbGiorni,
                           b.txtInizioGSett, b.cmbSoste, b.cmbOra[CoppiaNotte]}),
              (QStringList{"", "", "", "", "000", "Mar", "3 - Entrambe", "22"}));
    EXPECT_EQ(b.cmbInizio, (std::array<QString, 5>{"05", "03", "2024", "10", "45"}));
}

TEST_F(MetaTest, ElencoDiRicercaConLeAutostradeInFondo) {
    EXPECT_TRUE(ElencoMeteRicerca(archivio, dialoghi).isEmpty());
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Nessuna mèta nel database!"});

    inserisciMeta("000001", "Zurigo");
    inserisciMeta("000002", "autostrada A1");
    inserisciMeta("000003", "berlino");
    inserisciMeta("000004", "Brennero AUTOSTRADA");
    inserisciMeta("000005", "Amsterdam");
    EXPECT_EQ(ElencoMeteRicerca(archivio, dialoghi),
              (QStringList{"Amsterdam", "berlino", "Zurigo", "autostrada A1", "Brennero AUTOSTRADA"}));
    EXPECT_EQ(dialoghi.mostrati.size(), 1);
}

// The start years follow the clock; the other lists are fixed.
TEST_F(MetaTest, AnniDiInizioIntornoAllAnnoCorrente) {
    const QStringList anni = ListaAnniInizio(orologio);
    EXPECT_EQ((QStringList{anni.first(), anni.last(), QString::number(anni.size())}),
              (QStringList{"1998", "2029", "32"}));
}

// What counts as a change of the trip: what a save would store, not how it is typed or what the
// window computes.
TEST_F(MetaTest, MetaModificataSoloNeiValoriMemorizzati) {
    const BoxMeta caricata = boxMeta("CAPO NORD", "NORVEGIA");
    BoxMeta b = caricata;
    b.txtFine[6] = "21";
    b.txtKmTot[4] = "2.960";
    b.txtInizioGSett = "Lun";
    b.txtLocalita = " CAPO NORD ";
    b.cmbGiorni = "12";
    EXPECT_FALSE(MetaModificata(caricata, b));

    for (auto cambia : std::initializer_list<void (*)(BoxMeta&)>{
             [](BoxMeta& m) { m.txtNazione = "NORGE"; }, [](BoxMeta& m) { m.cmbInizio[0] = "16"; },
             [](BoxMeta& m) { m.cmbMediaKm[2] = "55"; }, [](BoxMeta& m) { m.cmbMin[7] = "30"; },
             [](BoxMeta& m) { m.cmbRipGG = "06"; }, [](BoxMeta& m) { m.cmbSoste = "3 - Entrambe"; },
             [](BoxMeta& m) { m.cmbGiorni = "013"; }}) {
        BoxMeta m = caricata;
        cambia(m);
        EXPECT_TRUE(MetaModificata(caricata, m));
    }
}

}  // namespace
