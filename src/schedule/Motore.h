#pragma once
// One pass of the day-by-day engine: the clock and the day counter advance along the computation
// table, legs are cut into driving pieces at meals, night and breaks, rest days are inserted,
// stops and visits run inside the visiting hours, and one schedule row is written per piece, halt
// and new day.
#include <QList>
#include <QString>
#include <QtGlobal>
#include <array>

#include "schedule/TabellaCalcolo.h"
#include "trips/BoxMeta.h"
#include "trips/Parametri.h"

class Griglia;
class Percentuale;

// Speeds below this are refused; a pass writing more rows than the limit stops, so that the work
// and the memory of one computation stay bounded.
constexpr int kVelocitaMinima = 10;
constexpr int kRigheMassimeZavetra = 100000;

struct ParametriMotore {
    ValoriLavoro v;
    std::array<float, 4> velocita{};  // km/h in "ASPL" order, all greater than 0
    qint16 tolleranza = 0;            // hundredths of an hour
    QString testoRipM;                // the break minutes as the box shows them
    int righeMassime = kRigheMassimeZavetra;
};

struct StatoMotore {
    float ora = 0;     // the clock
    float giorno = 0;  // the day counter (day number)
    float ultimoRiposo = 0;
    float ultimaPausa = 0;
    bool pranzoFatto = false;
    bool cenaFatta = false;
    long kmTotali = 0;
    qint16 traghetti = 0;
    int riga = 0;  // last row written
    float totali[3][6] = {};
    QString oraUltimaRiga;        // column 11 of the last driving row with a time
    float giornoUltimaGuida = 0;  // the day counter after the last driving piece
    // Texts of the day counter, kept while the day does not change.
    float giornoTesti = -1;
    QString giornoSettimana;
    QString dataBreve;
};

// Where a pass writes its rows.  The rules of the pass (clock, day counter, switches, the row
// counter) run the same whatever the output; this base does nothing, so a fitting test whose grid
// would be thrown away only measures the days it takes.  Rows are numbered by the pass (s.riga).
class UscitaPassaggio {
  public:
    virtual ~UscitaPassaggio() = default;
    // The pass starts over a computation table of righeTabella rows; it stops after righeMassime.
    virtual void inizio(int /*righeTabella*/, int /*righeMassime*/) {}
    // Driving row s.riga: a piece of km kilometres driven in tempo, the clock already after it.
    virtual void rigaGuida(StatoMotore& /*s*/, const ParametriMotore& /*p*/, const RigaCalcolo& /*riga*/,
                           int /*km*/, float /*tempo*/) {}
    // Halt or new-day row s.riga: times a and b shown as dd:hh:mm of the visit day, the day field
    // dropped when it is "00"; a goes into column colonnaA, b into column 7.
    virtual void rigaSosta(StatoMotore& /*s*/, const ParametriMotore& /*p*/, const QString& /*testo*/,
                           float /*a*/, float /*b*/, const QString& /*nota*/, int /*colonnaA*/) {}
    // The note of row r gets an event after it (" Pranzo") or the break in front ("Riposo 15'",
    // the minutes of p.testoRipM).
    virtual void aggiungiNota(int /*r*/, const QString& /*evento*/) {}
    virtual void anteponiRiposo(int /*r*/, const ParametriMotore& /*p*/) {}
    // The time cell of row r gets "* " in front: a rest day follows.
    virtual void segnaRiposo(int /*r*/) {}
    // The locality cell of row r while its leg goes on.
    virtual void verso(int /*r*/, const QString& /*testo*/) {}
    // The pass ended after row ultimaRiga.
    virtual void fine(int /*ultimaRiga*/) {}
};

// The fitting's tests: the days only.
class MisuraPassaggio final : public UscitaPassaggio {};

// The pass whose schedule is kept: rows written into mfgTab (cut to its header row at the start,
// five empty rows of room after the last row at the end), inside one update bracket.
class ScritturaGriglia final : public UscitaPassaggio {
  public:
    explicit ScritturaGriglia(Griglia& mfgTab);
    ~ScritturaGriglia() override;
    ScritturaGriglia(const ScritturaGriglia&) = delete;
    ScritturaGriglia& operator=(const ScritturaGriglia&) = delete;

    void inizio(int righeTabella, int righeMassime) override;
    void rigaGuida(StatoMotore& s, const ParametriMotore& p, const RigaCalcolo& riga, int km,
                   float tempo) override;
    void rigaSosta(StatoMotore& s, const ParametriMotore& p, const QString& testo, float a, float b,
                   const QString& nota, int colonnaA) override;
    void aggiungiNota(int r, const QString& evento) override;
    void anteponiRiposo(int r, const ParametriMotore& p) override;
    void segnaRiposo(int r) override;
    void verso(int r, const QString& testo) override;
    void fine(int ultimaRiga) override;

  private:
    void spazio(int riga);
    QString tempoMostrato(float t, float giornata);
    Griglia& g_;
    // The last time shown the general way (the -1 of every guide entry without time): kept, as
    // its text is slow to make.
    float tempoLento_ = 0;
    float giornataLenta_ = 0;
    QString testoLento_;
    bool lentoValido_ = false;
};

struct EsitoPassaggio {
    bool interrotto = false;
    bool troncato = false;     // ended at the desired days before the table's last row
    bool troppeRighe = false;  // stopped after writing more than p.righeMassime rows
    qint16 giorniUsati = 0;
};

// Tolerance in hundredths of an hour from the minutes of cmbRange (integer part).
qint16 Tolleranza(const QString& cmbRange);

// One pass over the computation table into uscita, which measures or writes.  A pass stops early
// when the desired days (not 0) are exceeded, at once when the stop request is seen, and after the
// table row whose rows pass p.righeMassime.  Both kinds run the same rules.
EsitoPassaggio EseguiPassaggio(const ParametriMotore& p, float coefficiente, qint16 giorniDesiderati,
                               const QList<RigaCalcolo>& tabella, MisuraPassaggio& uscita, StatoMotore& s,
                               Percentuale& perc);
EsitoPassaggio EseguiPassaggio(const ParametriMotore& p, float coefficiente, qint16 giorniDesiderati,
                               const QList<RigaCalcolo>& tabella, ScritturaGriglia& uscita, StatoMotore& s,
                               Percentuale& perc);

// The trip boxes after a pass: end date and time, weekday, days, kilometres and times per road
// type (times shown with the visit day, as the schedule always showed them), ferries.
void MostraRisultatiPassaggio(const ParametriMotore& p, const StatoMotore& s, BoxMeta& box);

// Weekday and dd/mm of the day counter.
void TestiGiorno(StatoMotore& s);
// hh:mm of a clock value (a day of 2400).
QString OreMinuti(float ora);
