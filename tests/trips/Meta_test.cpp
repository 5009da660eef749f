// The trip record on a real data file: saving, codes, defaults, loading, deletions, the current trip.
#include "trips/Meta.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "../common/StampaTesti.h"
#include "TestSupport.h"
#include "trips/Parametri.h"

namespace {

// Texts "|"-joined.
QString Unite(const QStringList& testi) {
    return testi.join('|');
}

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

    // A stored trip; other fields as "Field=value|Field=value".
    void inserisciMeta(const QString& codice, const QString& localita, const QString& altri = {}) {
        test::Campi campi{{"CodiceMeta", codice}, {"Localita", localita}};
        for (const QString& c : altri.split('|', Qt::SkipEmptyParts))
            campi.append({c.section('=', 0, 0), c.section('=', 1)});
        test::inserisci(archivio.dati(), "MeteCamper", campi);
    }

    // The trip's stored fields, "|"-joined.
    QString campi(const QString& codice, const QStringList& nomi) {
        RowSet r = archivio.dati().apriRowSet(Query::di("MeteCamper").dove("CodiceMeta", codice));
        QStringList valori;
        for (const QString& n : nomi) valori << r.testo(n);
        return Unite(valori);
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

// Trimmed texts, the nation with a blank and cut to 19, an empty speed as its list's first entry;
// a locality naming a motorway is stored in lower case.
TEST_F(MetaTest, SalvaNuovaMetaNelleFormeMemorizzate) {
    BoxMeta b = boxMeta("  Parigi  ", "  FRANCIA  ");
    b.cmbMediaKm[1] = "";
    ASSERT_EQ(salva(b), EsitoSalva::Salvata);
    EXPECT_EQ(Unite({corrente, b.txtCodice, b.txtLocalita}), "000001|000001|Parigi");
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Confermi inserimento meta?"});
    EXPECT_EQ(campi("000001", {"Localita", "Nazione", "DataInizio", "OraInizio", "MediaSuperStrada",
                               "DurataCena", "GiorniAdeguamento", "CalcoloSoste", "Coefficiente"}),
              "Parigi|FRANCIA |15072024|0830|45|0145|012|2|0");
    EXPECT_EQ(metaCorrenteMemorizzata(), "000001");
    EXPECT_EQ(Unite({NazioneMemorizzata("ABCDEFGHIJKLMNOPQRS"), NazioneMemorizzata("ABCDEFGHIJKLMNOPQRSTU")}),
              "ABCDEFGHIJKLMNOPQRS|ABCDEFGHIJKLMNOPQRS");

    b = boxMeta("Autostrada del SOLE");
    ASSERT_EQ(salva(b), EsitoSalva::Salvata);
    EXPECT_EQ(b.txtLocalita + '|' + campi(b.txtCodice, {"Localita"}),
              "autostrada del sole|autostrada del sole");
}

// The same locality modifies its trip, the code box wins over the locality (a renamed trip keeps
// its code); a new trip takes the lowest free code.
TEST_F(MetaTest, SalvaConLaStessaLocalitaModificaLaMetaEsistente) {
    inserisciMeta("000001", "Parigi");
    inserisciMeta("000002", "Capo Nord");
    inserisciMeta("000004", "D");
    BoxMeta b = boxMeta("PARIGI", "FRANCIA");
    ASSERT_EQ(salva(b), EsitoSalva::Salvata);
    EXPECT_EQ(dialoghi.mostrati[0].testo, "Confermi modifica dati mèta?");
    EXPECT_EQ(b.txtCodice, "000001");
    // Modifying leaves the coefficient the computation stored.
    EXPECT_EQ(campi("000001", {"Localita", "Nazione", "Coefficiente"}), "PARIGI|FRANCIA |");
    b.txtLocalita = "Lione";
    ASSERT_EQ(salva(b), EsitoSalva::Salvata);
    EXPECT_EQ(campi("000001", {"Localita"}), "Lione");
    EXPECT_EQ(conta("MeteCamper"), 3);

    b = boxMeta("Nuova");
    ASSERT_EQ(salva(b), EsitoSalva::Salvata);
    EXPECT_EQ(b.txtCodice + '|' + NuovoCodiceMeta(archivio), "000003|000005");
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
        EXPECT_EQ(campi(b.txtCodice, {"Localita"}), localita);
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

// Declined, invalid or refused by the database: the boxes, the current trip and the file stay.
TEST_F(MetaTest, RinunciaValidazioneEErroreNonCambianoNulla) {
    BoxMeta b = boxMeta("Oslo");
    const BoxMeta prima = b;
    corrente = "xyz";
    dialoghi.risposte = {Risposta::No};
    EXPECT_EQ(SalvaMeta(b, corrente, archivio, dialoghi), EsitoSalva::Rinunciata);
    EXPECT_EQ(b, prima);
    EXPECT_EQ(corrente, "xyz");

    b.txtLocalita = "   ";
    EXPECT_EQ(SalvaMeta(b, corrente, archivio, dialoghi), EsitoSalva::NonValida);
    b.txtLocalita = "Oslo";
    b.txtNazione = " ";
    EXPECT_EQ(SalvaMeta(b, corrente, archivio, dialoghi), EsitoSalva::NonValida);
    EXPECT_EQ(dialoghi.testiMostrati().mid(1),
              (QStringList{"Campo Località: obbligatorio!", "Campo Nazione: obbligatorio!"}));
    EXPECT_EQ(conta("MeteCamper"), 0);

    inserisciMeta("000001", "Parigi");
    SalvaIlCodiceMetaCorrente("000001", archivio);
    b = boxMeta(QString(31, 'X'));  // wider than the field
    const BoxMeta largo = b;
    const OperazioneSalva op = DecidiOperazioneSalva(b, archivio);
    EXPECT_EQ(op.tipo + op.codice, "I000002");
    EXPECT_THROW(ScriviMeta(op, b, archivio), ErroreDatabase);
    EXPECT_EQ(b, largo);
    EXPECT_EQ(conta("MeteCamper"), 1);
    EXPECT_EQ(metaCorrenteMemorizzata(), "000001");
}

// The stored fields reach the boxes (a speed of 0 its list's first entry, the stop entry by its
// number, the weekday computed); the results of the last computation are cleared.
TEST_F(MetaTest, CaricaDatiAnagrafici) {
    inserisciMeta(
        "000007", "Oslo",
        "Nazione=NORVEGIA |DataInizio=31012024|OraInizio=0715|MediaAutostrada=0|MediaSuperStrada=70|"
        "MediaPrincipale=|MediaLocale=35|OraColazione=0830|OraNotte=2345|RiposoMinuti=5|RiposoOre=|"
        "GiorniAdeguamento=9|CalcoloSoste=|Range=30");
    BoxMeta b = boxMeta("Vecchia");
    b.txtTragh = "3";
    b.txtKmTot[4] = "1.234";
    corrente = "000007";
    ASSERT_TRUE(CaricaDatiAnagraficiMeta(corrente, b, archivio));
    EXPECT_EQ(Unite({b.cmbInizio.begin(), b.cmbInizio.end()}) + ';' +
                  Unite({b.cmbMediaKm.begin(), b.cmbMediaKm.end()}),
              "31|01|2024|07|15;050|70|030|35");
    EXPECT_EQ(Unite({b.txtLocalita, b.txtNazione, b.txtCodice, b.txtInizioGSett, b.cmbOra[CoppiaColazione],
                     b.cmbMin[CoppiaColazione], b.cmbOra[CoppiaNotte], b.cmbMin[CoppiaNotte], b.cmbRipM,
                     b.cmbRipH, b.cmbGiorni, b.cmbSoste, b.cmbRange, b.txtTragh, b.txtKmTot[4]}),
              "Oslo|NORVEGIA |000007|Mer|08|30|23|45|05|00|009|3 - Entrambe|30||");
    EXPECT_EQ(Unite({VoceSoste("1"), VoceSoste("6"), VoceSoste("9")}),
              "1 - Soste itinerario|6 - Nessuna sosta!|6 - Nessuna sosta!");

    // An unknown code loads nothing; no code looks the current trip up first.
    const BoxMeta prima = b;
    corrente = "000099";
    EXPECT_FALSE(CaricaDatiAnagraficiMeta(corrente, b, archivio));
    EXPECT_EQ(b, prima);
    corrente.clear();
    b = boxMeta("");
    EXPECT_TRUE(CaricaDatiAnagraficiMeta(corrente, b, archivio));
    EXPECT_EQ(corrente, "000007");
}

// The stored current code, or the highest code when it names no trip.  Deleting an itinerary keeps
// its trip; deleting a trip takes its legs.  The itinerary asks twice (No to the first ends it),
// the trip once.
TEST_F(MetaTest, MetaCorrenteECancellazioni) {
    EXPECT_EQ(RicercaMetaCorrente(archivio), "");
    inserisciMeta("000002", "B");
    inserisciMeta("000010", "C");
    inserisciMeta("000001", "A");
    EXPECT_EQ(RicercaMetaCorrente(archivio), "000010");
    SalvaIlCodiceMetaCorrente("000002", archivio);
    SalvaIlCodiceMetaCorrente("000001", archivio);
    EXPECT_EQ(conta("MetaCorrente"), 1);
    EXPECT_EQ(RicercaMetaCorrente(archivio), "000001");

    for (const char* s : {"0001", "0002"}) test::tappa(archivio.dati(), "000001", s, "Tappa", "");
    test::tappa(archivio.dati(), "000002", "0001", "Tappa", "");
    CancellaItinerario("000002", archivio);
    EXPECT_EQ((QList<int>{conta("Itinerari", "000001"), conta("Itinerari", "000002"), conta("MeteCamper")}),
              (QList<int>{2, 0, 3}));
    CancellaMeta("000001", archivio);
    EXPECT_EQ((QList<int>{conta("Itinerari"), conta("MeteCamper"), conta("MeteCamper", "000001")}),
              (QList<int>{0, 2, 0}));
    EXPECT_EQ(RicercaMetaCorrente(archivio), "000010");

    dialoghi.risposte = {Risposta::No, Risposta::Si, Risposta::Si, Risposta::Si, Risposta::No, Risposta::Si};
    EXPECT_FALSE(ChiediCancellazioneItinerario(dialoghi));
    EXPECT_TRUE(ChiediCancellazioneItinerario(dialoghi));
    EXPECT_FALSE(ChiediCancellazioneItinerario(dialoghi));
    EXPECT_TRUE(ChiediCancellazioneMeta(dialoghi));
    EXPECT_FALSE(ChiediCancellazioneMeta(dialoghi));
    EXPECT_EQ(dialoghi.testiMostrati().mid(0, 2) << dialoghi.mostrati[5].testo,
              (QStringList{"Confermi annullamento itinerario?", "Confermi annullamento itinerario?",
                           "Confermi annullamento meta?"}));
}

// Factory values are stored at the first load; loading saved defaults keeps the trip's own boxes;
// No does nothing, not even the closing message; restoring stores the factory values again.
TEST_F(MetaTest, DatiDiDefault) {
    BoxMeta b;
    CaricaDefaultMeta(0, b, archivio);
    BoxMeta fabbrica;
    ImpostaDefaultFabbrica(fabbrica);
    fabbrica.cmbSoste = "3 - Entrambe";
    EXPECT_EQ(b, fabbrica);

    b.cmbMediaKm[0] = "110";
    b.cmbOra[CoppiaCena] = "19";
    b.cmbSoste = "5 - Sosta minore";
    b.cmbRange = "45";
    b.cmbRipGG = "07";
    dialoghi.risposte = {Risposta::Si};
    EXPECT_TRUE(EseguiDefault(0, b, archivio, dialoghi));
    EXPECT_EQ(dialoghi.testiMostrati(),
              (QStringList{"Vuoi salvare i dati di default?", "Operazione eseguita!"}));
    EXPECT_EQ(conta("Parametri"), 1);
    // A new trip starts from them, now (to the quarter hour), its own boxes emptied.
    BoxMeta nuova = boxMeta("Oslo");
    nuova.txtCodice = "000004";
    nuova.txtFine[0] = "01";
    NuovaMeta(nuova, archivio, orologio);
    EXPECT_EQ(Unite({nuova.cmbMediaKm[0], nuova.cmbRange, nuova.txtLocalita, nuova.txtNazione,
                     nuova.txtCodice, nuova.txtFine[0], nuova.cmbGiorni, nuova.txtInizioGSett}),
              "110|45|||||000|Mar");
    EXPECT_EQ(Unite({nuova.cmbInizio.begin(), nuova.cmbInizio.end()}), "05|03|2024|10|45");
    const QStringList anni = ListaAnniInizio(orologio);  // the start years follow the clock
    EXPECT_EQ(Unite({anni.first(), anni.last(), QString::number(anni.size())}), "1998|2029|32");

    BoxMeta caricati;
    caricati.txtLocalita = b.txtLocalita = "resta";
    dialoghi.risposte = {Risposta::Si};
    EXPECT_TRUE(EseguiDefault(1, caricati, archivio, dialoghi));
    EXPECT_EQ(caricati, b);
    EXPECT_FALSE(EseguiDefault(2, caricati, archivio, dialoghi));
    EXPECT_EQ(caricati, b);
    EXPECT_EQ(dialoghi.mostrati.size(), 5u);
    dialoghi.risposte = {Risposta::Si};
    EXPECT_TRUE(EseguiDefault(2, caricati, archivio, dialoghi));
    fabbrica.txtLocalita = "resta";
    EXPECT_EQ(caricati, fabbrica);
    CaricaDefaultMeta(0, b, archivio);
    EXPECT_EQ(b.cmbMediaKm[0] + '|' + b.cmbRange, "75|15");
}

TEST_F(MetaTest, ElencoDiRicercaEMetaModificata) {
    EXPECT_TRUE(ElencoMeteRicerca(archivio, dialoghi).isEmpty());
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Nessuna mèta nel database!"});
    int n = 0;
    for (const char* l : {"Zurigo", "autostrada A1", "berlino", "Brennero AUTOSTRADA", "Amsterdam"})
        inserisciMeta(QString::number(++n), l);
    EXPECT_EQ(Unite(ElencoMeteRicerca(archivio, dialoghi)),
              "Amsterdam|berlino|Zurigo|autostrada A1|Brennero AUTOSTRADA");
    EXPECT_EQ(dialoghi.mostrati.size(), 1);

    // What counts as a change of the trip: what a save would store, not how it is typed or what the
    // window computes.
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
