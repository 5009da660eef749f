// Loading and saving the legs of a trip: forms, splitting, guide times, a save failing half-way.
#include "itinerary/Tappe.h"

#include "SqlDiretto.h"
#include "Tappe.h"
#include "common/Progresso.h"
#include "itinerary/ModificaTappe.h"
#include "trips/Meta.h"

namespace {

using test::GrigliaCon;
using test::Righe;
using test::Testi;

const QString kMeta = QStringLiteral("000001");
constexpr float kArcoVisita = 900;  // visits from 09:00 to 18:00
const QStringList kCampi{"Sequenza",   "Localita",   "Chilometri", "NomeStrada",
                         "TipoStrada", "TempoSosta", "FineGiorno", "SostaGuidaCitta"};

class TappeDb : public test::ArchivioTappe {
  protected:
    void guida(const QString& localita, const QString& tempo, const QString& descrizione = "Duomo") {
        test::voceGuida(archivio.dati(), localita, descrizione, tempo,
                        {{"CodiceGuida", "01"}, {"Gruppo", " "}});
    }

    // Fields of a trip's stored legs in sequence order: '|'-joined, legs ';'-joined.
    QString salvate(const QStringList& campi = kCampi, const QString& meta = kMeta) {
        QStringList righe;
        RowSet r =
            archivio.dati().apriRowSet(Query::di("Itinerari").dove("CodiceMeta", meta).ordina("Sequenza"));
        for (; !r.fine(); r.successivo()) {
            QStringList l;
            for (const QString& c : campi) l << r.testo(c);
            righe << l.join('|');
        }
        return righe.join(';');
    }

    int salva(const Griglia& g) { return MemorizzaTappeItinerario(archivio, g, kMeta, kArcoVisita); }
    Griglia carica() {
        Griglia g = GrigliaCon();
        CaricaTappeItinerario(archivio, g, kMeta, kArcoVisita);
        return g;
    }
};

// Empty rows are skipped and the sequences have no holes; a leg of 0 km is one record, the end of
// the day a "*" before the stop, no road a blank; read back, the grid shows them as typed.
TEST_F(TappeDb, SalvaERicaricaLeFormeMemorizzate) {
    const Griglia g = GrigliaCon("; A|E45|0|S|*; ; B||0; C|SS2|5|P|00:02:30; D||5");
    const QStringList prima = Testi(g);
    ProgressoMemoria progresso;
    MemorizzaTappeItinerario(archivio, g, kMeta, kArcoVisita, &progresso);
    EXPECT_EQ(salvate(),
              "0001|A|0|E45 |S| |1| ;0002|B|0| | | |0| ;0003|C|5|SS2 |P|00:02:30|0| ;0004|D|5| | | |0| ");
    EXPECT_GT(progresso.aggiornamenti, 0);
    EXPECT_EQ(progresso.massimo, 0);  // reset at the end
    EXPECT_EQ(Testi(g), prima);

    const Griglia letta = carica();
    EXPECT_EQ(
        Righe(letta, 1, 4, {ColNumero, ColTappa, ColStrada, ColKm, ColTipoStrada, ColSosta, ColFineGiorno}),
        "1|A|E45||S|*|1;2|B|||||0;3|C|SS2|5|P|00:02:30|0;4|D||5|||0");
    EXPECT_EQ(letta.coloreSfondo(1, ColSosta), kColoreFineGiorno);
    EXPECT_FALSE(letta.coloreSfondo(2, ColSosta).has_value());
}

// Whichever statement of the save fails, every table is exactly as before the save.
TEST_F(TappeDb, GuastoAOgniIstruzioneLasciaIlDatabaseComEra) {
    guida("Roma", "02:00");
    salva(GrigliaCon("FIRENZE|A1|100|A; SIENA|A1|70|A"));
    const Griglia g = GrigliaCon("ROMA [Start]|E45|1500|S|*01:00:00; NAPOLI|A1|230|A; ; BARI|A1|260|A");
    const QStringList prima = test::istantanea(archivio.dati());
    const int istruzioni = test::GuastoAOgniIstruzione(
        [&] { salva(g); },
        [&](int n) { ASSERT_EQ(test::istantanea(archivio.dati()), prima) << "statement " << n; });
    RecordProperty("istruzioni", istruzioni);
    EXPECT_GT(istruzioni, 4);
    EXPECT_EQ(salvate({"Chilometri"}), "999;501;230;260");
}

// A leg over 999 km is stored in pieces of 999, the guide time on the first only; a leg stored
// with four digits shows as "1.500" and must not come back as 2 km.
TEST_F(TappeDb, TappaOltre999KmDivisaConLaGuidaSoloSullaPrima) {
    guida("Roma", "02:00");
    salva(GrigliaCon("ROMA [Start]|E45|1500|S|*01:00:00"));
    EXPECT_EQ(salvate(),
              "0001|ROMA [Start]|999|E45 |S|01:00:00|1|00:02:00;"
              "0002|ROMA [Start]|501|E45 |S|01:00:00|1| ");

    archivio.dati().elimina(Query::di("Itinerari"));
    tappe(kMeta, "OSLO|A1|1500");
    const Griglia g = carica();
    EXPECT_EQ(g.testo(1, ColKm), "1.500");
    salva(g);
    EXPECT_EQ(salvate({"Chilometri"}), "999;501");
}

// A long locality loses part of its name, never a marker; the guide time saved with a leg is that
// of its own locality as stored (an apostrophe is no wildcard), once per locality.
TEST_F(TappeDb, LocalitaLungaPerdeIlNomeMaiLaMarcaEHaLaSuaGuida) {
    guida("San giovanni in persic", "01:30");
    salva(
        GrigliaCon("SAN GIOVANNI IN PERSICETO [Start]; CASTELNUOVO DI GARFAGNANA (LU) [Start] [End];"
                   "SAN GIOVANNI [Start]"));
    // The guide time is that of the name as stored; a name that fits is stored as it is.
    EXPECT_EQ(
        salvate({"Localita", "SostaGuidaCitta"}),
        "SAN GIOVANNI IN PERSIC [Start]|00:01:30;CASTELNUOVO DI G [Start] [End]| ;SAN GIOVANNI [Start]| ");
    EXPECT_EQ(LarghezzaLocalitaTappa(), 30);
    EXPECT_EQ(Righe(carica(), 1, 1, {ColTappa, ColGuida}), "SAN GIOVANNI IN PERSIC [Start]|00:01:30");
    EXPECT_EQ(TagliaLocalita("ROMA [End] CENTRO", 12), "ROMA C [End]");

    guida("L'Aquila", "01:00");
    guida("LXAquila", "05:00");
    guida("L'Aquilano", "03:00");
    salva(GrigliaCon("L'AQUILA (AQ); LXAQUILA; L'Aquila [End]"));
    EXPECT_EQ(salvate({"SostaGuidaCitta"}), "00:01:00;00:05:00; ");

    // The other texts are cut to their fields.
    salva(GrigliaCon(QString(40, 'X') + '|' + QString(70, 'S') + "|5|AS"));
    EXPECT_EQ(salvate({"Localita", "NomeStrada", "TipoStrada"}),
              QString(30, 'X') + '|' + QString(64, 'S') + "|A");
}

// 9 hours of visits make a day; a locality counts once; nothing before [Start] or after [End], and
// without [Start] nothing at all.
TEST_F(TappeDb, GuidaSoloTraStartEEndEUnaVoltaPerLocalita) {
    guida("Roma", "01:30");
    guida("Roma", "G1", "Musei");
    guida("Firenze", "02:00");
    guida("Siena", "01:00");
    guida("Pisa", "01:00");
    tappe(kMeta, "PISA; ROMA [Start]; Firenze (FI); roma; SIENA [End]; PISA");
    EXPECT_EQ(Righe(carica(), 1, 6, {ColGuida}), ";01:01:30;00:02:00;;00:01:00;");

    archivio.dati().elimina(Query::di("Itinerari"));
    tappe(kMeta, "ROMA; ROMA [End]");
    EXPECT_EQ(Righe(carica(), 1, 2, {ColGuida}), ";");
}

// A save the database refuses half-way is reported; the stored legs and the grid stay as they were
// and the database stays usable.
TEST_F(TappeDb, SalvataggioFallitoLasciaLeTappeMemorizzateELaGriglia) {
    tappe(kMeta, "VECCHIA1");
    const QString primaDelSalvataggio = salvate();
    ASSERT_TRUE(test::eseguiSql(archivio.percorsoDatabase(),
                                "CREATE TRIGGER guasto BEFORE INSERT ON Itinerari WHEN instr(NEW.Localita, "
                                "'ROTTA') > 0 BEGIN SELECT RAISE(ABORT, 'disco pieno'); END"));
    Griglia g = GrigliaCon("NUOVA1; ROTTA");
    const QStringList copia = Testi(g);
    DialoghiScriptati dialoghi;
    EXPECT_FALSE(SalvaItinerario(archivio, g, kMeta, kArcoVisita, dialoghi));
    EXPECT_EQ(dialoghi.mostrati.value(0).titolo + QString::number(dialoghi.mostrati.size()),
              "Salvataggio itinerario1");
    EXPECT_EQ(salvate(), primaDelSalvataggio);
    EXPECT_EQ(Testi(g), copia);

    g.impostaTesto(2, ColTappa, "NUOVA2");
    EXPECT_TRUE(SalvaItinerario(archivio, g, kMeta, kArcoVisita, dialoghi));
    EXPECT_EQ(salvate({"Localita"}), "NUOVA1;NUOVA2");
}

TEST_F(TappeDb, RicaricaItinerarioItinerarioVuotoEFlagVisto) {
    test::inserisci(archivio.dati(), "MeteCamper", {{"CodiceMeta", kMeta}, {"Localita", "ROMA"}});
    tappe(kMeta, "ROMA|A1|0; NAPOLI|A1|230");
    BoxMeta letta;
    QString codice = kMeta;
    Griglia g = GrigliaCon();
    const RisultatoKmTempi r = RicaricaItinerario(archivio, codice, letta, g);
    EXPECT_EQ(
        letta.txtLocalita + '|' + Righe(g, 2, 2, {ColTappa, ColKmProgressivi}) + '|' + letta.txtKmTot[4],
        "ROMA|NAPOLI|230|230");
    EXPECT_FLOAT_EQ(r.Totali[kQuantitaKm][kTotaleStrade], 230);

    // A trip without legs empties the grid to its 17 rows; saving no legs leaves other trips' legs.
    tappe("000002", "MILANO");
    g.impostaRighe(40);
    g.impostaTesto(30, ColTappa, "vecchio");
    CaricaTappeItinerario(archivio, g, "000009", kArcoVisita);
    EXPECT_EQ(g.righe(), kRigheMinimeItinerario);
    EXPECT_EQ(UltimaRigaTappa(g), 0);
    EXPECT_EQ(salva(g), 0);
    EXPECT_EQ(salvate(), "");
    EXPECT_EQ(salvate({"Localita"}, "000002"), "MILANO");

    test::voceGuida(archivio.dati(), "Roma", "Duomo", "01:00", {{"FlagVisto", "1"}});
    guida("Napoli", "01:00");
    SettaAZeroFlaGVisto(archivio, nullptr);
    EXPECT_EQ(archivio.dati().conta(Query::di("GuidaCitta").dove("FlagVisto", "0")), 2);
}

TEST(DomandeItinerario, SalvaResetFineInserimentoETappeModificate) {
    DialoghiScriptati d;
    d.risposte = {Risposta::Si, Risposta::No, Risposta::Si, Risposta::No, Risposta::No, Risposta::Annulla};
    EXPECT_EQ(ChiediSalvaReset(d), SceltaSalvaReset::Salva);
    EXPECT_EQ(ChiediSalvaReset(d), SceltaSalvaReset::Ripristina);
    EXPECT_EQ(ChiediSalvaReset(d), SceltaSalvaReset::Niente);
    EXPECT_EQ(ChiediSalvaReset(d), SceltaSalvaReset::Niente);
    EXPECT_EQ(d.mostrati.size(), 6);  // Cancel asks nothing more

    d.risposte = {Risposta::Si, Risposta::No, Risposta::Annulla};
    EXPECT_EQ(ChiediFineInserimento(d), SceltaFineInserimento::SalvaEEsci);
    EXPECT_EQ(ChiediFineInserimento(d), SceltaFineInserimento::Esci);
    EXPECT_EQ(ChiediFineInserimento(d), SceltaFineInserimento::Resta);
    EXPECT_EQ(ChiediFineInserimento(d), SceltaFineInserimento::Resta);  // a closed box

    // The legs count as changed only in what a save would write.
    const Griglia salvate = GrigliaCon("OSLO [Start]; BERGEN||460|P");
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
    EXPECT_TRUE(TappeModificate(salvate, GrigliaCon("BERGEN; OSLO [Start]||460|P")));
}

}  // namespace
