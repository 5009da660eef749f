// The city guide: the list of a trip, saving, changing and deleting entries with their checks,
// the shortcuts and the group rules, look-ups by locality key, the search, and the copy of guide
// times into the legs.
#include "guide/GuidaCitta.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "../common/StampaTesti.h"
#include "TestSupport.h"
#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Progresso.h"
#include "database/Archivio.h"
#include "database/TipiGuida.h"

namespace {

class Guida : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    Archivio archivio{dir.path()};
    TabellaTipiGuida tipi;
    Griglia griglia{2, 15};
    DialoghiScriptati dialoghi;
    GuidaCitta guida{archivio, tipi, griglia, dialoghi};
    CampiGuida campi;

    void SetUp() override {
        archivio.AvviaDatabase();
        CaricaTipiGuida(archivio);  // a new database completes its types at the first start
        tipi = CaricaTipiGuida(archivio);
        guida.codiceMeta = QStringLiteral("000001");
    }

    void tappa(const QString& meta, const QString& localita, const QString& sosta = {}) {
        test::tappa(archivio.dati(), meta, "0001", localita, {}, {{"TempoSosta", sosta}});
    }

    void voce(const QString& localita, const QString& descrizione,
              const QString& tempo = QStringLiteral("01:00"), const QString& gruppo = QStringLiteral(" "),
              const QString& codice = QStringLiteral("02")) {
        test::voceGuida(archivio.dati(), localita, descrizione, tempo,
                        {{"CodiceGuida", codice}, {"Gruppo", gruppo}});
    }

    // Every stored entry as "Localita|CodiceGuida|Gruppo|Descrizione|TempoSosta|FlagVisto".
    QStringList tutte() {
        QStringList v;
        RowSet r = archivio.dati().apriTabella(archivio.nome(TabGuidaCitta));
        for (; !r.fine(); r.successivo()) {
            QStringList campi;
            for (const char* c :
                 {"Localita", "CodiceGuida", "Gruppo", "Descrizione", "TempoSosta", "FlagVisto"})
                campi << r.testo(QString::fromLatin1(c));
            v << campi.join('|');
        }
        return v;
    }

    // Column 1 of every list row, entry rows marked with "  ".
    QStringList elenco() const {
        QStringList righe;
        for (int r = 1; r < griglia.righe(); ++r)
            righe << (griglia.testo(r, ColGVoce) == QLatin1String("1")
                          ? "  " + griglia.testo(r, ColGDescrizione)
                          : griglia.testo(r, ColGLocalita));
        return righe;
    }

    void vaiA(int r) {
        griglia.seleziona(r, 0, r, griglia.colonne() - 1);
        guida.InserisciGuida(campi);
    }
};

TEST_F(Guida, UnaRigaPerLocalitaConLeSueVoci) {
    tappa("000001", "ROMA [Start]");
    tappa("000001", "Firenze");
    tappa("000001", "roma", "00:02:00");
    tappa("000001", "Roma 2");
    tappa("000002", "Napoli");
    voce("Roma", "Colosseo", "02:30", "B", "01");
    voce("Roma", "Area sosta", "00:00", " ", "05");
    voce("Napoli", "Maschio angioino");

    ASSERT_TRUE(guida.CreaLaListadellaGuida());
    EXPECT_TRUE(guida.modoGuida);
    EXPECT_EQ(elenco(), (QStringList{"Firenze", "roma", "  Area sosta", "  Colosseo", "Roma 2"}));
    // The locality row shows the leg's own stop; entry rows the cleaned locality and the entry.
    EXPECT_EQ(
        (QStringList{griglia.testo(2, ColGSosta), griglia.testo(2, ColGGruppo), griglia.testo(3, ColGNote)}),
        (QStringList{"00:02:00", "", "Punto Sosta"}));
    EXPECT_EQ(
        (QStringList{griglia.testo(4, ColGLocalita), griglia.testo(4, ColGGruppo),
                     griglia.testo(4, ColGTempo), griglia.testo(4, ColGNote), griglia.testo(4, ColGNumero)}),
        (QStringList{"Roma", "B", "02:30", "Ottimo", "4"}));
    EXPECT_EQ(griglia.righe(), 6);
}

TEST_F(Guida, UnaMetaSenzaTappeNonApreLaGuida) {
    tappa("000002", "Napoli");
    EXPECT_FALSE(guida.CreaLaListadellaGuida());
    EXPECT_FALSE(guida.modoGuida);
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Impossibile... non esistono tappe memorizzate!"});
}

TEST_F(Guida, SalvaCambiaECancellaUnaVoce) {
    tappa("000001", "Roma [Start]");
    ASSERT_TRUE(guida.CreaLaListadellaGuida());
    vaiA(1);
    EXPECT_EQ(campi.citta, "Roma");
    EXPECT_EQ(campi.tipo, "Ottimo");  // an empty chooser takes type 1
    EXPECT_FALSE(guida.CancellaAbilitato());

    campi.descrizione = "  colosseo ";
    campi.ore = "2";
    campi.minuti = "30";
    EXPECT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::Salvata);
    EXPECT_EQ(tutte(), QStringList{"Roma|01| |Colosseo|02:30|0"});
    EXPECT_EQ(elenco(), (QStringList{"Roma [Start]", "  Colosseo"}));
    EXPECT_EQ(griglia.riga(), 1);
    EXPECT_EQ(campi.descrizione, "");  // ready for the next entry of the locality

    // Saving on the entry row changes that entry.
    vaiA(2);
    EXPECT_TRUE(guida.CancellaAbilitato());
    EXPECT_EQ((QStringList{campi.descrizione, campi.ore, campi.minuti}),
              (QStringList{"Colosseo", "02", "30"}));
    campi.descrizione = "Colosseo e Fori";
    campi.gruppo = "1-A";
    campi.tipo = "Da vedere";
    EXPECT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::Salvata);
    EXPECT_EQ(tutte(), QStringList{"Roma|02|1-A|Colosseo e Fori|02:30|0"});
    EXPECT_EQ(campi.descrizione, "Colosseo e Fori");  // an entry row keeps its boxes

    // An entry saved again unchanged is not rewritten.
    EXPECT_EQ(guida.SalvaLaRigaGuidaCitta(campi, false), EsitoGuida::Invariata);
    EXPECT_TRUE(dialoghi.mostrati.isEmpty());
}

TEST_F(Guida, CancellaSoloLaVoceDellaRiga) {
    tappa("000001", "Roma");
    voce("Roma", "Museo", "01:00", "1");
    voce("Roma", "Museo", "01:00", "2");
    voce("Roma", "Museo", "00:00", " ", "07");
    ASSERT_TRUE(guida.CreaLaListadellaGuida());
    vaiA(2);  // the "Campeggio" row sorts first: blank group
    ASSERT_EQ(griglia.testo(2, ColGNote), "Campeggio");
    vaiA(3);
    // Delete asks first; No keeps the entry.
    dialoghi.risposte = {Risposta::No};
    EXPECT_EQ(guida.CancellaRiga(campi), 0);
    EXPECT_EQ(tutte().size(), 3);
    dialoghi.risposte = {Risposta::Si, Risposta::Si, Risposta::Si};
    EXPECT_EQ(guida.CancellaRiga(campi), 1);
    EXPECT_EQ(dialoghi.mostrati.size(), 2);
    EXPECT_EQ(tutte(), (QStringList{"Roma|02|2|Museo|01:00|0", "Roma|07| |Museo|00:00|0"}));
    EXPECT_EQ(elenco(), (QStringList{"Roma", "  Museo", "  Museo"}));
}

// Whichever statement of a save fails, on a locality row (a new entry) or on an entry row (a
// change), the database is exactly as before.
TEST_F(Guida, GuastoAOgniIstruzioneDelSalvataggioLasciaIlDatabaseComEra) {
    tappa("000001", "Roma");
    voce("Roma", "Colosseo");
    for (int riga : {2, 1}) {
        auto prepara = [&] {
            ASSERT_TRUE(guida.CreaLaListadellaGuida());
            vaiA(riga);
            campi.descrizione = QStringLiteral("Pantheon %1").arg(riga);
            campi.ore = "01";
            campi.minuti = "00";
        };
        prepara();
        const QStringList prima = test::istantanea(archivio.dati());
        const int istruzioni = test::GuastoAOgniIstruzione(
            [&] { guida.SalvaLaRigaGuidaCitta(campi, true); },
            [&](int n) {
                ASSERT_EQ(test::istantanea(archivio.dati()), prima) << "row " << riga << ", statement " << n;
                prepara();
            });
        RecordProperty(QStringLiteral("istruzioni_riga_%1").arg(riga).toStdString(), istruzioni);
        EXPECT_GT(istruzioni, 1);
    }
    EXPECT_EQ(tutte(), (QStringList{"Roma|02| |Pantheon 2|01:00|0", "Roma|02| |Pantheon 1|01:00|0"}));
}

// Deleting two identical entries of a row: a failure anywhere deletes neither.
TEST_F(Guida, GuastoAOgniIstruzioneDellaCancellazioneLasciaIlDatabaseComEra) {
    tappa("000001", "Roma");
    voce("Roma", "Museo");
    voce("Roma", "Museo");
    voce("Roma", "Foro");
    auto prepara = [&] {
        ASSERT_TRUE(guida.CreaLaListadellaGuida());
        vaiA(3);
        ASSERT_EQ(campi.descrizione, "Museo");
        dialoghi.risposte = {Risposta::Si, Risposta::Si};
    };
    prepara();
    const QStringList prima = test::istantanea(archivio.dati());
    const int istruzioni = test::GuastoAOgniIstruzione([&] { guida.CancellaRiga(campi); },
                                                       [&](int n) {
                                                           ASSERT_EQ(test::istantanea(archivio.dati()), prima)
                                                               << "statement " << n;
                                                           prepara();
                                                       });
    RecordProperty("istruzioni", istruzioni);
    EXPECT_GT(istruzioni, 2);
    EXPECT_EQ(tutte(), QStringList{"Roma|02| |Foro|01:00|0"});
}

TEST_F(Guida, LeTreVerificheNellOrdineENienteScritto) {
    tappa("000001", "Roma");
    ASSERT_TRUE(guida.CreaLaListadellaGuida());
    vaiA(1);

    campi.descrizione = "   ";
    campi.tipo = "";
    EXPECT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::MancaDescrizione);
    campi.descrizione = "Pantheon";
    EXPECT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::MancaTipologia);
    campi.tipo = "Tipo che non esiste";
    EXPECT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::MancaTipologia);
    campi.tipo = "Ottimo";
    campi.ore = "00";
    campi.minuti = "00";
    EXPECT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::MancaTempo);
    EXPECT_EQ(dialoghi.testiMostrati(),
              (QStringList{"Errore! Manca la descrizione!!!", "Errore! Manca la tipologia!!!",
                           "Errore! Manca la tipologia!!!", "Errore! Manca il tempo stimato!!!"}));
    EXPECT_TRUE(tutte().isEmpty());

    // The silent variant refuses the same entry without a word.
    EXPECT_EQ(guida.SalvaLaRigaGuidaCitta(campi, false), EsitoGuida::MancaTempo);
    EXPECT_EQ(dialoghi.mostrati.size(), 4);

    // A logistic point needs no time.
    campi.descrizione = "Campeggio Flaminio";
    campi.tipo = "campeggio";
    EXPECT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::Salvata);
    EXPECT_EQ(tutte(), QStringList{"Roma|07| |Campeggio Flaminio|00:00|0"});
}

TEST_F(Guida, LeTipologieInMemoria) {
    EXPECT_EQ(ListaTipiGuida(tipi).first(), "Ottimo");
    EXPECT_EQ(ListaTipiGuida(tipi).size(), 13);
    EXPECT_EQ(CodiceDelTipoGuida(tipi, "da VEDERE"), 2);
    EXPECT_EQ(CodiceDelTipoGuida(tipi, ""), 0);
    EXPECT_EQ(NomeTipoGuida(tipi, 12), "Carte/Guide");
    EXPECT_EQ(NomeTipoGuida(tipi, 21), "");
    for (int c = 1; c <= 13; ++c) EXPECT_EQ(TempoObbligatorio(tipi, c), c <= 4) << c;
}

TEST_F(Guida, AbbreviazioniDellaDescrizione) {
    const QList<QPair<const char*, const char*>> casi = {
        {"diar", "Lunori|Lunorin"},
        {"DIARIO", "Lunori|Lunorin"},
        {"DiAr x", "Lunori|Lunorin"},
        {"cs", "carte/guide - atlanti|Carte/Guide"},
        // Not an abbreviation: left as it is.
        {"dia", "dia|Ottimo"},
        {"CS camper service", "CS camper service|Ottimo"},
        {"carte/guide - atlanti", "carte/guide - atlanti|Ottimo"},
        {"Lunori", "Lunori|Ottimo"},
    };
    for (const auto& [testo, atteso] : casi) {
        campi.descrizione = testo;
        campi.tipo = "Ottimo";
        EXPECT_EQ(EspandiAbbreviazione(campi, tipi), QString(atteso) != QString(testo) + "|Ottimo") << testo;
        EXPECT_EQ(campi.descrizione + '|' + campi.tipo, atteso);
    }
}

TEST_F(Guida, GruppiFiltratiENormalizzati) {
    struct Caso {
        QChar tasto;
        bool accettato;
        QChar dopo;
    };
    for (const Caso& c :
         {Caso{'a', true, 'A'}, Caso{'7', true, '7'}, Caso{'-', true, '-'}, Caso{'\b', true, '\b'},
          Caso{u'è', false, u'È'}, Caso{' ', false, ' '}, Caso{'/', false, '/'}}) {
        QChar t = c.tasto;
        EXPECT_EQ(TastoGruppoAccettato(t), c.accettato) << int(c.tasto.unicode());
        EXPECT_EQ(int(t.unicode()), int(c.dopo.unicode()));
    }
    EXPECT_EQ(NormalizzaGruppo("B-10--2-A-2-"), "2-10-A-B");
    EXPECT_EQ(NormalizzaGruppo("---"), "");
    EXPECT_EQ(NormalizzaGruppo("03-1"), "1-03");

    tappa("000001", "Roma");
    voce("Roma", "Foro", "01:00", "B-1");
    voce("Roma", "Arco", "01:00", "1-B");
    voce("Roma", "Doppia", "01:00", "Z-A");
    voce("Roma", "Doppia", "01:00", "Z-A");  // two identical entries: neither is touched
    voce("Roma", "Tratti", "01:00", "--");
    ASSERT_TRUE(guida.CreaLaListadellaGuida());
    EXPECT_EQ(guida.FineInserimento(), 2);
    EXPECT_FALSE(guida.modoGuida);
    EXPECT_EQ(tutte(), (QStringList{"Roma|02|1-B|Foro|01:00|0", "Roma|02|1-B|Arco|01:00|0",
                                    "Roma|02|Z-A|Doppia|01:00|0", "Roma|02|Z-A|Doppia|01:00|0",
                                    "Roma|02| |Tratti|01:00|0"}));
}

TEST_F(Guida, VociTrovateSottoLaChiaveDellaLocalita) {
    tappa("000001", "Venezia");
    tappa("000002", "VENEZIA [Start]");
    tappa("000003", "venezia (Lido) [End]");
    ASSERT_TRUE(guida.CreaLaListadellaGuida());
    vaiA(1);
    campi.descrizione = "San Marco";
    campi.ore = "03";
    ASSERT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::Salvata);

    for (const char* meta : {"000002", "000003"}) {
        guida.codiceMeta = meta;
        ASSERT_TRUE(guida.CreaLaListadellaGuida());
        ASSERT_EQ(griglia.righe(), 3) << meta;
        EXPECT_EQ(griglia.testo(2, ColGDescrizione), "San Marco") << meta;
        EXPECT_EQ(griglia.testo(2, ColGLocalita), "Venezia") << meta;
    }
    // An entry made under a leg with a marker and capitals is filed under the plain locality.
    guida.codiceMeta = "000002";
    ASSERT_TRUE(guida.CreaLaListadellaGuida());
    vaiA(1);
    EXPECT_EQ(campi.citta, "Venezia");
    campi.descrizione = "Rialto";
    ASSERT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::Salvata);
    EXPECT_TRUE(tutte().last().startsWith("Venezia|"));
    EXPECT_EQ(VociGuidaDellaLocalita(archivio, "venezia [End]").size(), 2);
}

TEST_F(Guida, ApostrofiETestiInsidiosi) {
    tappa("000001", "L'Aquila");
    tappa("000001", "LXAquila");
    tappa("000001", "A'; DROP TABLE GuidaCitta;--");
    voce("L'aquila", "Fontana delle 99 cannelle");
    voce("LXAquila", "Altro posto");
    voce("L?Aquila", "Punto interrogativo");

    EXPECT_EQ(VociGuidaDellaLocalita(archivio, "L'Aquila").size(), 1);
    EXPECT_EQ(VociGuidaDellaLocalita(archivio, "LXAquila").size(), 1);
    EXPECT_EQ(VociGuidaDellaLocalita(archivio, "L*").size(), 0);

    ASSERT_TRUE(guida.CreaLaListadellaGuida());
    EXPECT_EQ(elenco(), (QStringList{"A'; DROP TABLE GuidaCitta;--", "L'Aquila",
                                     "  Fontana delle 99 cannelle", "LXAquila", "  Altro posto"}));

    vaiA(1);
    campi.descrizione = "x' OR '1'='1";
    campi.ore = "01";
    ASSERT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::Salvata);
    EXPECT_EQ(tutte().size(), 4);
    const QList<VoceGuida> v = VociGuidaDellaLocalita(archivio, "A'; DROP TABLE GuidaCitta;--");
    ASSERT_EQ(v.size(), 1);
    EXPECT_EQ(v[0].descrizione, "X' Or '1'='1");

    // Changing and deleting the quoted entry touches it alone.
    vaiA(2);
    campi.descrizione = "Nuovo \"nome\" = [1]";
    ASSERT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::Salvata);
    vaiA(2);
    EXPECT_EQ(campi.descrizione, "Nuovo \"nome\" = [1]");
    dialoghi.risposte = {Risposta::Si};
    EXPECT_EQ(guida.CancellaRiga(campi), 1);
    EXPECT_EQ(tutte().size(), 3);
}

TEST_F(Guida, TestiTroppoLunghiTagliatiAlCampo) {
    tappa("000001", "Roma");
    ASSERT_TRUE(guida.CreaLaListadellaGuida());
    vaiA(1);
    campi.descrizione = QString(120, 'x');
    campi.gruppo = QString(25, '1');
    campi.ore = "01";
    ASSERT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::Salvata);
    EXPECT_EQ(tutte()[0].section('|', 3, 3).size(), 96);
    EXPECT_EQ(tutte()[0].section('|', 2, 2).size(), 20);
}

TEST_F(Guida, TastiSalvanoInSilenzioLaRigaLasciata) {
    tappa("000001", "Firenze");
    tappa("000001", "Roma");
    voce("Roma", "Colosseo", "02:00");
    ASSERT_TRUE(guida.CreaLaListadellaGuida());
    vaiA(1);
    // An empty locality row is left without a message and without an entry.
    EXPECT_TRUE(guida.SpostaRiga(1, campi));
    EXPECT_EQ(griglia.riga(), 2);
    EXPECT_TRUE(dialoghi.mostrati.isEmpty());
    EXPECT_TRUE(guida.SpostaRiga(12, campi));
    EXPECT_EQ(griglia.riga(), 3);
    EXPECT_EQ(campi.descrizione, "Colosseo");
    EXPECT_FALSE(guida.SpostaRiga(1, campi));

    campi.descrizione = "Colosseo romano";
    EXPECT_TRUE(guida.SpostaRiga(-12, campi));
    EXPECT_EQ(griglia.riga(), 1);
    EXPECT_EQ(campi.citta, "Firenze");
    EXPECT_EQ(tutte(), QStringList{"Roma|02| |Colosseo romano|02:00|0"});
    EXPECT_TRUE(dialoghi.mostrati.isEmpty());
}

TEST_F(Guida, CercaERicercaDiUnaLocalita) {
    tappa("000001", "Firenze");
    tappa("000001", "Roma [Start]");
    tappa("000001", "Pisa");
    voce("Roma", "Colosseo");
    ASSERT_TRUE(guida.CreaLaListadellaGuida());

    EXPECT_TRUE(guida.Cerca("ENZE"));
    EXPECT_EQ(elenco(), QStringList{"Firenze"});
    EXPECT_TRUE(guida.Cerca("roma"));  // the marker does not hide the locality
    EXPECT_EQ(elenco(), (QStringList{"Roma [Start]", "  Colosseo"}));
    guida.CreaLaListadellaGuida();  // later rebuilds keep the restriction
    EXPECT_EQ(elenco().size(), 2);

    // A search that finds nothing says so and gives back the whole list.
    EXPECT_FALSE(guida.Cerca("Zurigo"));
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Impossibile... non esistono tappe memorizzate!"});
    EXPECT_TRUE(guida.testoRicerca.isEmpty());
    EXPECT_EQ(elenco().size(), 4);

    EXPECT_FALSE(guida.Cerca("  "));
    const QStringList lista = guida.CercaLocalitaGuida();
    EXPECT_EQ(lista, (QStringList{QString("Firenze").leftJustified(31) + "0001",
                                  QString("Pisa").leftJustified(31) + "0002",
                                  QString("Roma [Start]").leftJustified(31) + "0003"}));
    guida.RicercaDiUnaLocalita(lista[2], campi);
    EXPECT_EQ(griglia.riga(), 3);
    EXPECT_EQ(campi.citta, "Roma");
}

class Trasferimento : public Guida {
  protected:
    Griglia itinerario{17, 15};
    void riga(int r, const QString& localita, const QString& sosta) {
        itinerario.impostaTesto(r, 1, localita);
        itinerario.impostaTesto(r, 7, sosta);
    }
};

TEST_F(Trasferimento, TempiDellaGuidaSommatiUnaVoltaSola) {
    riga(1, "Roma [Start]", "");
    riga(2, "Firenze", "*01:00:00");
    riga(3, "ROMA", "00:02:00");
    riga(4, "Pisa", "*");
    voce("Roma", "Colosseo", "01:30");
    voce("Roma", "Musei vaticani", "G1");  // one whole day of visits
    voce("Firenze", "Uffizi", "02:00");
    voce("Pisa", "Area sosta", "00:00", " ", "05");

    // No leaves the legs and the marks as they were.
    dialoghi.risposte = {Risposta::No};
    EXPECT_FALSE(TrasferisceSosteGuida(itinerario, archivio, dialoghi, 1000));
    EXPECT_EQ(itinerario.testo(2, 7), "*01:00:00");
    EXPECT_TRUE(tutte()[0].endsWith("|0"));

    dialoghi.risposte = {Risposta::Si};
    ProgressoMemoria progresso;
    ASSERT_TRUE(TrasferisceSosteGuida(itinerario, archivio, dialoghi, 1000, &progresso));
    EXPECT_EQ(dialoghi.mostrati[1].titolo, "Copia soste Guida -> Itinerario");
    EXPECT_EQ(dialoghi.mostrati[1].testo,
              "Vuoi copiare le soste indicate nella Guida nelle tappe dell'itinerario?\r\n\r\n"
              "I tempi traghetto e riposi non sono influenzati e la\r\n"
              "modifica sarà effettiva dopo il salvataggio dell'itinerario.\r\n\r\nProcedo?");
    EXPECT_EQ(itinerario.testo(1, 7), "01:01:30");   // 1.5 h + a visit day of 10 h
    EXPECT_EQ(itinerario.testo(2, 7), "*01:02:00");  // a stop day is a visit day too; the end of day stays
    EXPECT_EQ(itinerario.testo(3, 7), "00:02:00");   // Roma's entries were counted on row 1
    EXPECT_EQ(itinerario.testo(4, 7), "*");
    EXPECT_GT(progresso.aggiornamenti, 0);
    for (const QString& v : tutte()) EXPECT_TRUE(v.endsWith("|1")) << v.toStdString();

    // A second copy starts from fresh marks.
    dialoghi.risposte = {Risposta::Si};
    ASSERT_TRUE(TrasferisceSosteGuida(itinerario, archivio, dialoghi, 1000));
    EXPECT_EQ(itinerario.testo(1, 7), "02:03:00");
}

TEST_F(Trasferimento, SegniDiVisitaLasciatiDaPrima) {
    // Marks left by an earlier copy or an import: whatever they were, the copy counts every entry
    // of a leg's locality once and leaves exactly those marked.
    riga(1, "Roma", "");
    riga(2, "Roma", "");
    voce("Roma", "Colosseo", "01:30");
    voce("Roma", "Fori", "01:00");
    voce("Pisa", "Torre", "02:00");
    const QList<QPair<QString, QString>> segni = {{"Colosseo", "1"}, {"Fori", ""}, {"Torre", "1"}};
    for (const auto& [descrizione, segno] : segni) {
        RowSet r = archivio.dati().apriRowSet(
            Query::di(archivio.nome(TabGuidaCitta)).dove(QStringLiteral("Descrizione"), descrizione));
        r.modifica();
        r.imposta(QStringLiteral("FlagVisto"), segno);
        r.memorizza();
    }
    dialoghi.risposte = {Risposta::Si};
    ASSERT_TRUE(TrasferisceSosteGuida(itinerario, archivio, dialoghi, 1000));
    EXPECT_EQ(itinerario.testo(1, 7), "00:02:30");
    EXPECT_EQ(itinerario.testo(2, 7), "");  // counted on the first Roma leg
    for (const QString& v : tutte())
        EXPECT_EQ(v.section('|', 5), v.startsWith("Roma|") ? "1" : "0") << v.toStdString();
}

}  // namespace
