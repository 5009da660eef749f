// The city guide: the list, entries saved, changed and deleted, groups, keys, search, times to legs.
#include "guide/GuidaCitta.h"

#include "../itinerary/Tappe.h"
#include "Guida.h"
#include "common/Griglia.h"
#include "common/Progresso.h"

namespace {

class Guida : public test::GuidaDb {
  protected:
    Griglia griglia{2, 15};
    GuidaCitta guida{archivio, tipi, griglia, dialoghi};
    CampiGuida campi;

    void SetUp() override {
        GuidaDb::SetUp();
        guida.codiceMeta = QStringLiteral("000001");
    }

    // Column 1 of every list row, entry rows marked with "  ", ';'-joined.
    QString elenco() const {
        QStringList righe;
        for (int r = 1; r < griglia.righe(); ++r)
            righe << (griglia.testo(r, ColGVoce) == QLatin1String("1")
                          ? "  " + griglia.testo(r, ColGDescrizione)
                          : griglia.testo(r, ColGLocalita));
        return righe.join(';');
    }

    // Cells of list row r in the columns given, '|'-joined.
    QString riga(int r, std::initializer_list<int> colonne) const {
        QStringList l;
        for (int c : colonne) l << griglia.testo(r, c);
        return l.join('|');
    }

    void vaiA(int r) {
        griglia.seleziona(r, 0, r, griglia.colonne() - 1);
        guida.InserisciGuida(campi);
    }

    // Goes to row r and types a description and a time.
    void scrivi(int r, const QString& descrizione, const QString& ore = "01", const QString& minuti = "00") {
        vaiA(r);
        campi.descrizione = descrizione;
        campi.ore = ore;
        campi.minuti = minuti;
    }
};

TEST_F(Guida, UnaRigaPerLocalitaConLeSueVoci) {
    tappe("000001", "ROMA [Start]; Firenze; roma|00:02:00; Roma 2");
    tappe("000002", "Napoli");
    voci("Roma|Colosseo|02:30|B|01; Roma|Area sosta|00:00| |05; Napoli|Maschio angioino");
    ASSERT_TRUE(guida.CreaLaListadellaGuida());
    EXPECT_TRUE(guida.modoGuida);
    EXPECT_EQ(elenco(), "Firenze;roma;  Area sosta;  Colosseo;Roma 2");
    EXPECT_EQ(griglia.righe(), 6);
    // The locality row shows the leg's own stop; entry rows the cleaned locality and the entry.
    EXPECT_EQ(riga(2, {ColGSosta, ColGGruppo}) + ';' + riga(3, {ColGNote}), "00:02:00|;Punto Sosta");
    EXPECT_EQ(riga(4, {ColGNumero, ColGLocalita, ColGGruppo, ColGTempo, ColGNote}), "4|Roma|B|02:30|Ottimo");
}

TEST_F(Guida, SalvaCambiaEVoceInvariata) {
    tappe("000001", "Roma [Start]");
    ASSERT_TRUE(guida.CreaLaListadellaGuida());
    scrivi(1, "  colosseo ", "2", "30");
    EXPECT_EQ(campi.citta + '|' + campi.tipo, "Roma|Ottimo");  // an empty chooser takes type 1
    EXPECT_FALSE(guida.CancellaAbilitato());
    EXPECT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::Salvata);
    EXPECT_EQ(tutte(), "Roma|01| |Colosseo|02:30|0");
    EXPECT_EQ(elenco(), "Roma [Start];  Colosseo");
    EXPECT_EQ(griglia.riga(), 1);
    EXPECT_EQ(campi.descrizione, "");  // ready for the next entry of the locality

    // Saving on the entry row changes that entry, and the boxes keep it.
    vaiA(2);
    EXPECT_TRUE(guida.CancellaAbilitato());
    EXPECT_EQ(campi.descrizione + '|' + campi.ore + '|' + campi.minuti, "Colosseo|02|30");
    campi.descrizione = "Colosseo e Fori";
    campi.gruppo = "1-A";
    campi.tipo = "Da vedere";
    EXPECT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::Salvata);
    EXPECT_EQ(tutte(), "Roma|02|1-A|Colosseo e Fori|02:30|0");
    EXPECT_EQ(campi.descrizione, "Colosseo e Fori");
    EXPECT_EQ(guida.SalvaLaRigaGuidaCitta(campi, false), EsitoGuida::Invariata);
    EXPECT_TRUE(dialoghi.mostrati.isEmpty());
}

TEST_F(Guida, CancellaSoloLaVoceDellaRiga) {
    tappe("000001", "Roma");
    voci("Roma|Museo|01:00|1; Roma|Museo|01:00|2; Roma|Museo|00:00| |07");
    ASSERT_TRUE(guida.CreaLaListadellaGuida());
    vaiA(2);  // the "Campeggio" row sorts first: blank group
    ASSERT_EQ(griglia.testo(2, ColGNote), "Campeggio");
    vaiA(3);
    // Delete asks first; No keeps the entry.
    dialoghi.risposte = {Risposta::No};
    EXPECT_EQ(guida.CancellaRiga(campi), 0);
    EXPECT_EQ(conta(), 3);
    dialoghi.risposte = {Risposta::Si, Risposta::Si, Risposta::Si};
    EXPECT_EQ(guida.CancellaRiga(campi), 1);
    EXPECT_EQ(dialoghi.mostrati.size(), 2);
    EXPECT_EQ(tutte(), "Roma|02|2|Museo|01:00|0;Roma|07| |Museo|00:00|0");
    EXPECT_EQ(elenco(), "Roma;  Museo;  Museo");
}

// Whichever statement of a save fails, on a locality row (a new entry) or on an entry row (a
// change), the database is exactly as before.
TEST_F(Guida, GuastoAOgniIstruzioneDelSalvataggioLasciaIlDatabaseComEra) {
    tappe("000001", "Roma");
    voci("Roma|Colosseo");
    for (int riga : {2, 1}) {
        auto prepara = [&] {
            ASSERT_TRUE(guida.CreaLaListadellaGuida());
            scrivi(riga, QStringLiteral("Pantheon %1").arg(riga));
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
    EXPECT_EQ(tutte(), "Roma|02| |Pantheon 2|01:00|0;Roma|02| |Pantheon 1|01:00|0");
}

// Deleting two identical entries of a row: a failure anywhere deletes neither.
TEST_F(Guida, GuastoAOgniIstruzioneDellaCancellazioneLasciaIlDatabaseComEra) {
    tappe("000001", "Roma");
    voci("Roma|Museo; Roma|Museo; Roma|Foro");
    auto prepara = [&] {
        ASSERT_TRUE(guida.CreaLaListadellaGuida());
        vaiA(3);
        ASSERT_EQ(campi.descrizione, "Museo");
        dialoghi.risposte = {Risposta::Si, Risposta::Si};
    };
    prepara();
    const QStringList prima = test::istantanea(archivio.dati());
    const auto comeEra = [&](int n) {
        ASSERT_EQ(test::istantanea(archivio.dati()), prima) << "statement " << n;
        prepara();
    };
    const int istruzioni = test::GuastoAOgniIstruzione([&] { guida.CancellaRiga(campi); }, comeEra);
    RecordProperty("istruzioni", istruzioni);
    EXPECT_GT(istruzioni, 2);
    EXPECT_EQ(tutte(), "Roma|02| |Foro|01:00|0");
}

// Description, type, time, in that order, nothing written; the silent variant says nothing; a
// logistic point needs no time; long texts are cut to their fields.
TEST_F(Guida, LeTreVerificheNellOrdineENienteScritto) {
    tappe("000001", "Roma");
    ASSERT_TRUE(guida.CreaLaListadellaGuida());
    scrivi(1, "   ", "00", "00");
    campi.tipo = "";
    EXPECT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::MancaDescrizione);
    campi.descrizione = "Pantheon";
    EXPECT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::MancaTipologia);
    campi.tipo = "Da vedere";
    EXPECT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::MancaTempo);
    EXPECT_EQ(guida.SalvaLaRigaGuidaCitta(campi, false), EsitoGuida::MancaTempo);
    EXPECT_EQ(dialoghi.testiMostrati(),
              (QStringList{"Errore! Manca la descrizione!!!", "Errore! Manca la tipologia!!!",
                           "Errore! Manca il tempo stimato!!!"}));
    EXPECT_EQ(tutte(), "");

    campi.descrizione = "Campeggio Flaminio";
    campi.tipo = "campeggio";
    EXPECT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::Salvata);
    EXPECT_EQ(tutte(), "Roma|07| |Campeggio Flaminio|00:00|0");

    scrivi(1, QString(120, 'x'));
    campi.gruppo = QString(25, '1');
    ASSERT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::Salvata);
    EXPECT_TRUE(tutte().endsWith("|" + QString(20, '1') + '|' + 'X' + QString(95, 'x') + "|01:00|0"));
}

// The types as loaded, and the two shortcuts: "diar..." and a lower-case "cs" at the start.
TEST_F(Guida, TipologieAbbreviazioniEGruppi) {
    EXPECT_EQ(ListaTipiGuida(tipi).size(), 13);
    EXPECT_EQ(CodiceDelTipoGuida(tipi, "da VEDERE") * 100 + CodiceDelTipoGuida(tipi, ""), 200);
    EXPECT_EQ(NomeTipoGuida(tipi, 12) + '|' + NomeTipoGuida(tipi, 21), "Carte/Guide|");
    for (int c = 1; c <= 13; ++c) EXPECT_EQ(TempoObbligatorio(tipi, c), c <= 4) << c;

    for (const char* caso : {"diar>Lunori|Lunorin", "DIARIO>Lunori|Lunorin", "DiAr x>Lunori|Lunorin",
                             "cs>carte/guide - atlanti|Carte/Guide", "dia>dia|Ottimo",
                             "CS camper service>CS camper service|Ottimo", "Lunori>Lunori|Ottimo"}) {
        const QStringList c = QString(caso).split('>');
        campi.descrizione = c[0];
        campi.tipo = "Ottimo";
        EXPECT_EQ(EspandiAbbreviazione(campi, tipi), !c[1].startsWith(c[0] + '|')) << caso;
        EXPECT_EQ(campi.descrizione + '|' + campi.tipo, c[1]);
    }

    // Group keys: letters raised, digits and '-' accepted, control keys passed; the pieces sorted
    // (numbers first, by value) once the guide is closed, two identical entries left alone.
    QString dopo, accettati;
    for (QChar t : QString::fromUtf8("a7-\bè /")) {
        accettati += TastoGruppoAccettato(t) ? '1' : '0';
        dopo += t;
    }
    EXPECT_EQ(accettati + dopo, QString::fromUtf8("1111000A7-\bÈ /"));
    EXPECT_EQ(
        NormalizzaGruppo("B-10--2-A-2-") + ';' + NormalizzaGruppo("---") + ';' + NormalizzaGruppo("03-1"),
        "2-10-A-B;;1-03");

    tappe("000001", "Roma");
    voci(
        "Roma|Foro|01:00|B-1; Roma|Arco|01:00|1-B; Roma|Doppia|01:00|Z-A; Roma|Doppia|01:00|Z-A; "
        "Roma|Tratti|01:00|--");
    ASSERT_TRUE(guida.CreaLaListadellaGuida());
    EXPECT_EQ(guida.FineInserimento(), 2);
    EXPECT_FALSE(guida.modoGuida);
    EXPECT_EQ(tutte(),
              "Roma|02|1-B|Foro|01:00|0;Roma|02|1-B|Arco|01:00|0;Roma|02|Z-A|Doppia|01:00|0;"
              "Roma|02|Z-A|Doppia|01:00|0;Roma|02| |Tratti|01:00|0");
}

// An entry made under a leg with a marker and capitals is filed under the plain locality, and found
// from every leg of that locality.
TEST_F(Guida, VociTrovateSottoLaChiaveDellaLocalita) {
    tappe("000001", "Venezia");
    tappe("000002", "VENEZIA [Start]");
    tappe("000003", "venezia (Lido) [End]");
    ASSERT_TRUE(guida.CreaLaListadellaGuida());
    scrivi(1, "San Marco", "03");
    ASSERT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::Salvata);
    for (const char* meta : {"000002", "000003"}) {
        guida.codiceMeta = meta;
        ASSERT_TRUE(guida.CreaLaListadellaGuida());
        EXPECT_EQ(riga(2, {ColGLocalita, ColGDescrizione}) + '|' + QString::number(griglia.righe()),
                  "Venezia|San Marco|3")
            << meta;
    }
    scrivi(1, "Rialto");  // under "VENEZIA [Start]"
    EXPECT_EQ(campi.citta, "Venezia");
    ASSERT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::Salvata);
    EXPECT_EQ(tutte(), "Venezia|01| |San Marco|03:00|0;Venezia|01| |Rialto|01:00|0");
    EXPECT_EQ(VociGuidaDellaLocalita(archivio, "venezia [End]").size(), 2);
}

TEST_F(Guida, ApostrofiETestiInsidiosi) {
    const QString insidiosa = "A'; DROP TABLE GuidaCitta;--";
    tappe("000001", "L'Aquila; LXAquila");
    test::tappa(archivio.dati(), "000001", "0001", insidiosa, {});
    voci("L'aquila|Fontana delle 99 cannelle; LXAquila|Altro posto; L?Aquila|Punto interrogativo");
    EXPECT_EQ(VociGuidaDellaLocalita(archivio, "L'Aquila").size(), 1);
    EXPECT_EQ(VociGuidaDellaLocalita(archivio, "LXAquila").size(), 1);
    EXPECT_EQ(VociGuidaDellaLocalita(archivio, "L*").size(), 0);

    ASSERT_TRUE(guida.CreaLaListadellaGuida());
    EXPECT_EQ(elenco(), insidiosa + ";L'Aquila;  Fontana delle 99 cannelle;LXAquila;  Altro posto");
    scrivi(1, "x' OR '1'='1");
    ASSERT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::Salvata);
    EXPECT_EQ(conta(), 4);
    const QList<VoceGuida> v = VociGuidaDellaLocalita(archivio, insidiosa);
    ASSERT_EQ(v.size(), 1);
    EXPECT_EQ(v[0].descrizione, "X' Or '1'='1");

    // Changing and deleting the quoted entry touches it alone.
    scrivi(2, "Nuovo \"nome\" = [1]");
    ASSERT_EQ(guida.SalvaLaRigaGuidaCitta(campi, true), EsitoGuida::Salvata);
    vaiA(2);
    EXPECT_EQ(campi.descrizione, "Nuovo \"nome\" = [1]");
    dialoghi.risposte = {Risposta::Si};
    EXPECT_EQ(guida.CancellaRiga(campi), 1);
    EXPECT_EQ(conta(), 3);
}

// A trip without legs opens no guide; the keys save the row left silently; a search restricts the
// list until one finds nothing, which says so and gives back the whole list; the locality list
// jumps to its row.
TEST_F(Guida, TastiCercaERicercaDiUnaLocalita) {
    tappe("000002", "Napoli");
    EXPECT_FALSE(guida.CreaLaListadellaGuida() || guida.modoGuida);
    EXPECT_EQ(dialoghi.testiMostrati(), QStringList{"Impossibile... non esistono tappe memorizzate!"});

    tappe("000001", "Firenze; Roma [Start]; Pisa");
    voci("Roma|Colosseo|02:00");
    ASSERT_TRUE(guida.CreaLaListadellaGuida());
    vaiA(1);
    EXPECT_TRUE(guida.SpostaRiga(1, campi));  // an empty locality row makes no entry
    EXPECT_EQ(griglia.riga(), 2);
    EXPECT_TRUE(guida.SpostaRiga(12, campi));
    EXPECT_EQ(QString::number(griglia.riga()) + campi.descrizione, "4Colosseo");
    EXPECT_FALSE(guida.SpostaRiga(1, campi));
    campi.descrizione = "Colosseo romano";
    EXPECT_TRUE(guida.SpostaRiga(-12, campi));
    EXPECT_EQ(campi.citta, "Firenze");
    EXPECT_EQ(tutte(), "Roma|02| |Colosseo romano|02:00|0");
    EXPECT_EQ(dialoghi.mostrati.size(), 1);

    EXPECT_TRUE(guida.Cerca("ENZE"));
    EXPECT_EQ(elenco(), "Firenze");
    EXPECT_TRUE(guida.Cerca("roma"));  // the marker does not hide the locality
    guida.CreaLaListadellaGuida();     // later rebuilds keep the restriction
    EXPECT_EQ(elenco(), "Roma [Start];  Colosseo romano");
    EXPECT_FALSE(guida.Cerca("Zurigo"));
    EXPECT_EQ(dialoghi.mostrati.size(), 2);
    EXPECT_TRUE(guida.testoRicerca.isEmpty());
    EXPECT_EQ(elenco(), "Firenze;Pisa;Roma [Start];  Colosseo romano");

    EXPECT_FALSE(guida.Cerca("  "));
    const QStringList lista = guida.CercaLocalitaGuida();
    EXPECT_EQ(lista.join('/').simplified(), "Firenze 0001/Pisa 0002/Roma [Start] 0003");
    guida.RicercaDiUnaLocalita(lista[2], campi);
    EXPECT_EQ(griglia.riga(), 3);
    EXPECT_EQ(campi.citta, "Roma");
}

// A locality's entries go to its first leg, added to its stop (a visit day is the span given, a
// stop day too); the end of day stays.  Whatever marks an earlier copy or an import left, the
// entries of the legs' localities end marked and the others not; a second copy starts afresh.
TEST_F(Guida, TempiDellaGuidaCopiatiNelleTappeUnaVoltaSola) {
    Griglia itinerario = test::GrigliaCon("Roma [Start]; Firenze||||*01:00:00; ROMA||||00:02:00; Pisa||||*");
    voci(
        "Roma|Colosseo|01:30; Roma|Musei vaticani|G1; Firenze|Uffizi|02:00; Pisa|Area sosta|00:00| |05; "
        "Siena|Torre");
    for (const auto& [descrizione, segno] : {std::pair{"Colosseo", "1"}, {"Uffizi", ""}, {"Torre", "1"}}) {
        RowSet r = archivio.dati().apriRowSet(Query::di("GuidaCitta").dove("Descrizione", descrizione));
        r.modifica();
        r.imposta("FlagVisto", segno);
        r.memorizza();
    }
    dialoghi.risposte = {Risposta::No};
    EXPECT_FALSE(TrasferisceSosteGuida(itinerario, archivio, dialoghi, 1000));
    EXPECT_EQ(test::Righe(itinerario, 1, 4, {ColSosta}), ";*01:00:00;00:02:00;*");
    EXPECT_EQ(conta("FlagVisto", "1"), 2);

    dialoghi.risposte = {Risposta::Si};
    ProgressoMemoria progresso;
    ASSERT_TRUE(TrasferisceSosteGuida(itinerario, archivio, dialoghi, 1000, &progresso));
    EXPECT_EQ(dialoghi.mostrati[1].titolo, "Copia soste Guida -> Itinerario");
    EXPECT_EQ(test::Righe(itinerario, 1, 4, {ColSosta}), "01:01:30;*01:02:00;00:02:00;*");
    EXPECT_GT(progresso.aggiornamenti, 0);
    EXPECT_EQ(conta("FlagVisto", "1"), 4);
    EXPECT_EQ(conta("FlagVisto", "0"), 1);

    dialoghi.risposte = {Risposta::Si};
    ASSERT_TRUE(TrasferisceSosteGuida(itinerario, archivio, dialoghi, 1000));
    EXPECT_EQ(itinerario.testo(1, ColSosta), "02:03:00");
}

}  // namespace
