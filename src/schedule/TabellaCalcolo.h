#pragma once
// The computation table: one row per leg, then a row for the leg's own stop and one per city-guide
// entry of the locality, with the stop mode applied and the end of each travelling day marked.
#include <QChar>
#include <QList>
#include <QString>
#include <QtGlobal>

class Database;
class Griglia;
class Percentuale;
struct TabellaTipiGuida;
struct ValoriLavoro;

// Columns of the computation table beyond the itinerary's first seven.
enum ColonnaTabellaCalcolo : int {
    ColCTipoGuida = 12,   // guide rows: the name of the entry's type
    ColCSosta = 14,       // stop rows: the stop time
    ColCVisita = 15,      // guide rows: the visit time
    ColCFineGiorno = 16,  // "1" on the last row of a day
    ColCSenzaTempo = 18,  // "-1" on a guide entry without time
};
constexpr int kColonneTabellaCalcolo = 19;

// A neutralised stop or visit: one hundredth of an hour keeps its row with a negligible time.
inline const QString kTempoNeutro = QStringLiteral("01");

// A row of the computation table as every pass reads it: made once, before the first pass, from
// the texts the grid row shows (user texts without control characters).
struct RigaCalcolo {
    qint16 km = 0;  // column 3, rounded
    bool traghetto = false;
    int tipo = 3;  // road type, 0-based in "ASPL"
    QString tappa;
    QString strada;     // trimmed
    QString tipoTesto;  // column 4 as written
    QString nota;       // column 12
    float sosta = 0;    // column 14, as its text reads back
    float visita = 0;   // column 15, unscaled, as its text reads back
    bool fineGiorno = false;
    bool senzaTempo = false;

    // The halt text (the locality cleaned, first letter capitalised) and "verso: " with it, made
    // when a pass first asks: a pass stopped at the row limit never makes those of most rows.
    const QString& testoSosta() const;
    const QString& verso() const;

  private:
    mutable QString testoSosta_;
    mutable QString verso_;
    mutable bool testoFatto_ = false;
    mutable bool versoFatto_ = false;
};

struct TotaliSoste {
    float sosta = 0;    // sum of the stop times
    float visita = 0;   // sum of the visit times
    float fermata = 0;  // their sum, the total halt time
};

// The text a time is written with in the table: reads back to the same single-precision value.
QString TestoTempoTabella(float valore);

// The stop mode of the "cmbSoste" text: its first character ('3' when it has none).
QChar ModoSoste(const QString& cmbSoste);

struct TabellaCalcolo {
    TotaliSoste totali;
    QList<RigaCalcolo> righe;  // one per row of mfgCopia; row 0 (the headers) is empty
};

// Builds the table in mfgCopia (layout 5, at least kColonneTabellaCalcolo columns) from the legs of
// mfgTab, whose destination markers are fixed first: an [End] before the [Start] leg is removed and
// " [Start]" goes on the first row when no row has it.  Guide entries are taken for the localities
// from the [Start] leg through the [End] leg, each locality at its first leg only; they are found
// by equality on the locality's cleaned name (PulisceNomeLocalita: "near Siena [Start]" looks up
// Siena).  The rows come back as the passes read them.  Nothing is written to the database.
TabellaCalcolo PreparaTabellaPerCalcoloZavetra(Database& db, Griglia& mfgTab, Griglia& mfgCopia,
                                               const ValoriLavoro& valori, QChar modo,
                                               const TabellaTipiGuida& tipi, Percentuale& percentuale);
