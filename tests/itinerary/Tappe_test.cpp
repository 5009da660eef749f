// Loading and saving the legs of a trip: sequences, splitting, stop forms, the guide time per
// locality, and a save that fails half-way.
#include "itinerary/Tappe.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "SqlDiretto.h"
#include "TestSupport.h"
#include "common/Griglia.h"
#include "common/Progresso.h"
#include "common/StampaTesti.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/ModificaTappe.h"
#include "trips/Meta.h"

namespace {

const QString kMeta = QStringLiteral("000001");
constexpr float kArcoVisita = 900;  // visits from 09:00 to 18:00

class TappeDb : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        archivio.AvviaDatabase();
    }

    void leg(const QString& meta, const QString& seq, const QString& localita, const QString& km = "10",
             const QString& fineGiorno = "0", const QString& sosta = " ") {
        test::tappa(
            archivio.dati(), meta, seq, localita, km,
            {{"NomeStrada", "A1 "}, {"TipoStrada", "A"}, {"TempoSosta", sosta}, {"FineGiorno", fineGiorno}});
    }

    void guida(const QString& localita, const QString& tempo, const QString& descrizione = "Duomo") {
        test::voceGuida(archivio.dati(), localita, descrizione, tempo,
                        {{"CodiceGuida", "01"}, {"Gruppo", " "}});
    }

    QList<QStringList> stored(const QString& meta = kMeta) {
        QList<QStringList> righe;
        RowSet r =
            archivio.dati().apriRowSet(Query::di("Itinerari").dove("CodiceMeta", meta).ordina("Sequenza"));
        for (; !r.fine(); r.successivo())
            righe << QStringList{r.testo("Sequenza"),   r.testo("Localita"),       r.testo("Chilometri"),
                                 r.testo("NomeStrada"), r.testo("TipoStrada"),     r.testo("TempoSosta"),
                                 r.testo("FineGiorno"), r.testo("SostaGuidaCitta")};
        return righe;
    }

    // Field i of every stored leg (0 Sequenza ... 7 SostaGuidaCitta).
    QStringList campo(int i) {
        QStringList l;
        for (const QStringList& r : stored()) l << r[i];
        return l;
    }

    // Column c of rows 1 to n of a grid.
    static QStringList colonna(const Griglia& g, int c, int n) {
        QStringList l;
        for (int r = 1; r <= n; ++r) l << g.testo(r, c);
        return l;
    }

    Griglia griglia() {
        Griglia g;
        ImpostaGriglia(g, LayoutItinerario);
        return g;
    }

    void riga(Griglia& g, int r, const QString& localita, const QString& km = "10", const QString& sosta = "",
              const QString& strada = "A1", const QString& tipo = "A") {
        g.impostaTesto(r, ColTappa, localita);
        g.impostaTesto(r, ColKm, km);
        g.impostaTesto(r, ColSosta, sosta);
        g.impostaTesto(r, ColStrada, strada);
        g.impostaTesto(r, ColTipoStrada, tipo);
    }

    QTemporaryDir dir;
    Archivio archivio{dir.path()};
};

TEST_F(TappeDb, ItinerarioVuotoDiciassetteRigheESalvaNiente) {
    leg("000002", "0001", "MILANO");
    Griglia g = griglia();
    g.impostaRighe(40);
    g.impostaTesto(30, ColTappa, "vecchio");
    CaricaTappeItinerario(archivio, g, "000009", kArcoVisita);
    EXPECT_EQ(g.righe(), kRigheMinimeItinerario);
    EXPECT_EQ(UltimaRigaTappa(g), 0);

    leg(kMeta, "0001", "ROMA");
    EXPECT_EQ(MemorizzaTappeItinerario(archivio, g, kMeta, kArcoVisita), 0);
    EXPECT_TRUE(stored().isEmpty());
    EXPECT_EQ(stored("000002").size(), 1);  // another trip's legs stay
}

TEST_F(TappeDb, RigheVuoteSaltateESequenzeSenzaBuchi) {
    Griglia g = griglia();
    riga(g, 3, "ROMA");
    riga(g, 5, "NAPOLI");
    const Griglia prima = g;
    ProgressoMemoria progresso;
    MemorizzaTappeItinerario(archivio, g, kMeta, kArcoVisita, &progresso);
    EXPECT_EQ(campo(0) + campo(1), (QStringList{"0001", "0002", "ROMA", "NAPOLI"}));
    EXPECT_GT(progresso.aggiornamenti, 0);
    EXPECT_EQ(progresso.massimo, 0);  // reset at the end
    for (int r = 0; r < g.righe(); ++r)
        for (int c = 0; c < g.colonne(); ++c) ASSERT_EQ(g.testo(r, c), prima.testo(r, c));
}

// Whichever statement of the save fails, every table is exactly as before the save.
TEST_F(TappeDb, GuastoAOgniIstruzioneLasciaIlDatabaseComEra) {
    guida("Roma", "02:00");
    Griglia vecchia = griglia();
    riga(vecchia, 1, "FIRENZE", "100");
    riga(vecchia, 2, "SIENA", "70");
    MemorizzaTappeItinerario(archivio, vecchia, kMeta, kArcoVisita);
    Griglia g = griglia();
    riga(g, 1, "ROMA [Start]", "1500", "*01:00:00", "E45", "S");
    riga(g, 2, "NAPOLI", "230");
    riga(g, 4, "BARI", "260");
    const QStringList prima = test::istantanea(archivio.dati());
    const int istruzioni = test::GuastoAOgniIstruzione(
        [&] { MemorizzaTappeItinerario(archivio, g, kMeta, kArcoVisita); },
        [&](int n) { ASSERT_EQ(test::istantanea(archivio.dati()), prima) << "statement " << n; });
    RecordProperty("istruzioni", istruzioni);
    EXPECT_GT(istruzioni, 4);
    EXPECT_EQ(stored().size(), 4);
}

// A leg over 999 km is stored in pieces of 999, the guide time on the first only; a leg stored
// with four digits shows as "1.500" and must not come back as 2 km.
TEST_F(TappeDb, TappaOltre999KmDivisaConLaGuidaSoloSullaPrima) {
    guida("Roma", "02:00");
    Griglia g = griglia();
    riga(g, 1, "ROMA [Start]", "1500", "*01:00:00", "E45", "S");
    MemorizzaTappeItinerario(archivio, g, kMeta, kArcoVisita);
    ASSERT_EQ(stored().size(), 2);
    EXPECT_EQ(stored()[0],
              (QStringList{"0001", "ROMA [Start]", "999", "E45 ", "S", "01:00:00", "1", "00:02:00"}));
    EXPECT_EQ(stored()[1], (QStringList{"0002", "ROMA [Start]", "501", "E45 ", "S", "01:00:00", "1", " "}));

    archivio.dati().elimina(Query::di("Itinerari"));
    leg(kMeta, "0001", "OSLO", "1500");
    CaricaTappeItinerario(archivio, g, kMeta, kArcoVisita);
    EXPECT_EQ(g.testo(1, ColKm), "1.500");
    MemorizzaTappeItinerario(archivio, g, kMeta, kArcoVisita);
    EXPECT_EQ(campo(2), (QStringList{"999", "501"}));
}

TEST_F(TappeDb, FormeDellaSostaEFineGiornata) {
    Griglia g = griglia();
    riga(g, 1, "A", "0", "*");
    riga(g, 2, "B", "0", "");
    riga(g, 3, "C", "5", "00:02:30");
    riga(g, 4, "D", "5", "", "", "");
    MemorizzaTappeItinerario(archivio, g, kMeta, kArcoVisita);
    // A leg of 0 km is one record; no road and no road type are blanks.
    EXPECT_EQ(campo(2), (QStringList{"0", "0", "5", "5"}));
    EXPECT_EQ(campo(5), (QStringList{" ", " ", "00:02:30", " "}));
    EXPECT_EQ(campo(6), (QStringList{"1", "0", "0", "0"}));
    EXPECT_EQ(stored()[3].mid(3, 2), (QStringList{" ", " "}));

    // And back: the stop column shows "*" alone, the end of day is highlighted, 0 km shows nothing.
    Griglia letta = griglia();
    CaricaTappeItinerario(archivio, letta, kMeta, kArcoVisita);
    EXPECT_EQ(colonna(letta, ColSosta, 3), (QStringList{"*", "", "00:02:30"}));
    EXPECT_EQ(colonna(letta, ColKm, 3), (QStringList{"", "", "5"}));
    EXPECT_EQ(letta.testo(1, ColFineGiorno) + letta.testo(3, ColNumero), "13");
    EXPECT_EQ(letta.coloreSfondo(1, ColSosta), kColoreFineGiorno);
    EXPECT_FALSE(letta.coloreSfondo(2, ColSosta).has_value());
}

TEST_F(TappeDb, LocalitaLungaPerdeIlNomeMaiLaMarca) {
    Griglia g = griglia();
    riga(g, 1, "SAN GIOVANNI IN PERSICETO [Start]");
    riga(g, 2, "CASTELNUOVO DI GARFAGNANA (LU) [Start] [End]");
    riga(g, 3, "SAN GIOVANNI [Start]");  // fits: stored as it is
    guida("San giovanni in persic", "01:30");
    MemorizzaTappeItinerario(archivio, g, kMeta, kArcoVisita);
    EXPECT_EQ(campo(1), (QStringList{"SAN GIOVANNI IN PERSIC [Start]", "CASTELNUOVO DI G [Start] [End]",
                                     "SAN GIOVANNI [Start]"}));
    EXPECT_EQ(LarghezzaLocalitaTappa(), 30);
    // The guide time is that of the name as stored.
    EXPECT_EQ(campo(7)[0], "00:01:30");

    Griglia letta = griglia();
    CaricaTappeItinerario(archivio, letta, kMeta, kArcoVisita);
    EXPECT_EQ(letta.testo(1, ColTappa), "SAN GIOVANNI IN PERSIC [Start]");
    EXPECT_EQ(letta.testo(1, ColGuida), "00:01:30");
    EXPECT_EQ(TagliaLocalita("ROMA [End] CENTRO", 12), "ROMA C [End]");

    // The other texts are cut to their fields.
    riga(g, 1, QString(40, 'X'), "5", "", QString(70, 'S'), "AS");
    MemorizzaTappeItinerario(archivio, g, kMeta, kArcoVisita);
    EXPECT_EQ(stored()[0].mid(1, 4), (QStringList{QString(30, 'X'), "5", QString(64, 'S'), "A"}));
}

TEST_F(TappeDb, GuidaSoloTraStartEEndEUnaVoltaPerLocalita) {
    guida("Roma", "01:30");
    guida("Roma", "G1", "Musei");  // one visit day
    guida("Firenze", "02:00");
    guida("Siena", "01:00");
    guida("Pisa", "01:00");
    leg(kMeta, "0001", "PISA");
    leg(kMeta, "0002", "ROMA [Start]");
    leg(kMeta, "0003", "Firenze (FI)");
    leg(kMeta, "0004", "roma");
    leg(kMeta, "0005", "SIENA [End]");
    leg(kMeta, "0006", "PISA");
    Griglia g = griglia();
    CaricaTappeItinerario(archivio, g, kMeta, kArcoVisita);
    // 9 hours of visits make a day; Rome counts once; nothing before [Start] or after [End].
    EXPECT_EQ(colonna(g, ColGuida, 6), (QStringList{"", "01:01:30", "00:02:00", "", "00:01:00", ""}));
    EXPECT_EQ(g.testo(2, ColTappa), "ROMA [Start]");

    // Without [Start] no leg has a guide time.
    archivio.dati().elimina(Query::di("Itinerari"));
    leg(kMeta, "0001", "ROMA");
    leg(kMeta, "0002", "ROMA [End]");
    CaricaTappeItinerario(archivio, g, kMeta, kArcoVisita);
    EXPECT_EQ(colonna(g, ColGuida, 2), (QStringList{"", ""}));
}

// The guide time saved with a leg is that of its own locality (an apostrophe is no wildcard), and
// once per locality.
TEST_F(TappeDb, GuidaDellaSuaLocalitaSalvataUnaVolta) {
    guida("L'Aquila", "01:00");
    guida("LXAquila", "05:00");
    guida("L'Aquilano", "03:00");
    EXPECT_FLOAT_EQ(TempoGuidaLocalita(archivio.dati(), ChiaveGuidaTappa("L'AQUILA [Start]"), kArcoVisita),
                    100);
    Griglia g = griglia();
    riga(g, 1, "L'AQUILA (AQ)");
    riga(g, 2, "LXAQUILA");
    riga(g, 3, "L'Aquila [End]");
    MemorizzaTappeItinerario(archivio, g, kMeta, kArcoVisita);
    EXPECT_EQ(campo(7), (QStringList{"00:01:00", "00:05:00", " "}));
}

TEST_F(TappeDb, SalvaERicaricaRestituisceLeStesseTappe) {
    Griglia g = griglia();
    riga(g, 1, "ROMA [Start]", "", "", "", "");
    riga(g, 2, "FIRENZE", "280", "*", "A1", "A");
    riga(g, 3, "SIENA [End]", "70", "00:03:00", "SS2", "P");
    MemorizzaTappeItinerario(archivio, g, kMeta, kArcoVisita);
    Griglia letta = griglia();
    CaricaTappeItinerario(archivio, letta, kMeta, kArcoVisita);
    for (int r = 1; r <= 3; ++r)
        for (int c : {ColTappa, ColStrada, ColKm, ColTipoStrada, ColSosta})
            EXPECT_EQ(letta.testo(r, c), g.testo(r, c)) << r << "," << c;
}

// A save the database refuses half-way is reported; the stored legs and the grid stay as they were
// and the database stays usable.
TEST_F(TappeDb, SalvataggioFallitoLasciaLeTappeMemorizzateELaGriglia) {
    leg(kMeta, "0001", "VECCHIA1");
    const auto primaDelSalvataggio = stored();
    ASSERT_TRUE(test::eseguiSql(
        archivio.percorsoDatabase(),
        "CREATE TRIGGER guasto BEFORE INSERT ON Itinerari WHEN instr(NEW.Localita, 'ROTTA') > 0 "
        "BEGIN SELECT RAISE(ABORT, 'disco pieno'); END"));
    Griglia g = griglia();
    riga(g, 1, "NUOVA1");
    riga(g, 2, "ROTTA");
    const Griglia copia = g;
    DialoghiScriptati dialoghi;
    EXPECT_FALSE(SalvaItinerario(archivio, g, kMeta, kArcoVisita, dialoghi));
    ASSERT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_EQ(dialoghi.mostrati[0].titolo, "Salvataggio itinerario");
    EXPECT_EQ(stored(), primaDelSalvataggio);
    for (int r = 0; r < g.righe(); ++r)
        for (int c = 0; c < g.colonne(); ++c) ASSERT_EQ(g.testo(r, c), copia.testo(r, c));

    riga(g, 2, "NUOVA2");
    EXPECT_TRUE(SalvaItinerario(archivio, g, kMeta, kArcoVisita, dialoghi));
    EXPECT_EQ(stored().size(), 2);
}

TEST_F(TappeDb, RicaricaItinerarioLeggeMetaETappe) {
    BoxMeta box;
    ImpostaDefaultFabbrica(box);
    box.txtLocalita = "ROMA";
    box.txtNazione = "ITALIA";
    QString codice;
    const OperazioneSalva op = DecidiOperazioneSalva(box, archivio);
    ScriviMeta(op, box, archivio);
    leg(op.codice, "0001", "ROMA", "0");
    leg(op.codice, "0002", "NAPOLI", "230");
    BoxMeta letta;
    codice = op.codice;
    Griglia g = griglia();
    const RisultatoKmTempi r = RicaricaItinerario(archivio, codice, letta, g);
    EXPECT_EQ((QStringList{letta.txtLocalita, g.testo(2, ColTappa), g.testo(2, ColKmProgressivi),
                           letta.txtKmTot[4]}),
              (QStringList{"ROMA", "NAPOLI", "230", "230"}));
    EXPECT_FLOAT_EQ(r.Totali[kQuantitaKm][kTotaleStrade], 230);
}

TEST_F(TappeDb, AzzeraFlagVisto) {
    test::voceGuida(archivio.dati(), "Roma", "Duomo", "01:00", {{"FlagVisto", "1"}});
    guida("Napoli", "01:00");
    ProgressoMemoria progresso;
    SettaAZeroFlaGVisto(archivio, &progresso);
    EXPECT_EQ(archivio.dati().conta(Query::di("GuidaCitta").dove("FlagVisto", "0")), 2);
}

TEST(DomandeItinerario, SalvaReset) {
    DialoghiScriptati d;
    d.risposte = {Risposta::Si};
    EXPECT_EQ(ChiediSalvaReset(d), SceltaSalvaReset::Salva);
    EXPECT_EQ(d.mostrati.value(0).pulsanti, Pulsanti::SiNoAnnulla);

    d.mostrati.clear();
    d.risposte = {Risposta::No, Risposta::Si};
    EXPECT_EQ(ChiediSalvaReset(d), SceltaSalvaReset::Ripristina);
    EXPECT_EQ(d.mostrati.size(), 2);

    d.risposte = {Risposta::No, Risposta::No};
    EXPECT_EQ(ChiediSalvaReset(d), SceltaSalvaReset::Niente);
    d.mostrati.clear();
    d.risposte = {Risposta::Annulla};
    EXPECT_EQ(ChiediSalvaReset(d), SceltaSalvaReset::Niente);
    EXPECT_EQ(d.mostrati.size(), 1);  // Cancel asks nothing more
}

TEST(DomandeItinerario, FineInserimento) {
    DialoghiScriptati d;
    d.risposte = {Risposta::Si, Risposta::No, Risposta::Annulla};
    EXPECT_EQ(ChiediFineInserimento(d), SceltaFineInserimento::SalvaEEsci);
    EXPECT_EQ(ChiediFineInserimento(d), SceltaFineInserimento::Esci);
    EXPECT_EQ(ChiediFineInserimento(d), SceltaFineInserimento::Resta);
    EXPECT_EQ(ChiediFineInserimento(d), SceltaFineInserimento::Resta);  // a closed box
}

// The legs count as changed only in what a save would write.
TEST(TappeModificate, ContaSoloCioCheSiSalva) {
    Griglia salvate;
    ImpostaGriglia(salvate, LayoutItinerario);
    CancellaMatrice(salvate);
    salvate.impostaTesto(1, ColTappa, "OSLO [Start]");
    salvate.impostaTesto(2, ColTappa, "BERGEN");
    salvate.impostaTesto(2, ColKm, "460");
    salvate.impostaTesto(2, ColTipoStrada, "P");

    Griglia g = salvate;
    g.impostaTesto(2, ColKmProgressivi, "460");  // computed columns and the schedule's
    g.impostaTesto(2, ColNote, "Pranzo");
    InserisciRigheItinerario(g, 2, 1);  // an empty row in between is skipped when saving
    EXPECT_FALSE(TappeModificate(salvate, g));

    for (int colonna : {ColTappa, ColStrada, ColKm, ColTipoStrada, ColSosta}) {
        Griglia m = salvate;
        m.impostaTesto(2, colonna, m.testo(2, colonna) + "1");
        EXPECT_TRUE(TappeModificate(salvate, m)) << colonna;
    }
    Griglia scambiate = salvate;
    scambiate.impostaTesto(1, ColTappa, "BERGEN");
    scambiate.impostaTesto(2, ColTappa, "OSLO [Start]");
    EXPECT_TRUE(TappeModificate(salvate, scambiate));
}

}  // namespace
