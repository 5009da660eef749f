#pragma once
// The trip parameters read back from the boxes: implausible combinations are pulled into line by
// changing the boxes, and the working values the schedule computation uses are derived.
#include <QChar>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include "trips/BoxMeta.h"
#include "trips/ListeScelta.h"

// Working values: time values in hundredths of an hour.
struct ValoriLavoro {
    float OraColazione = 0;
    float OraPranzo = 0;
    float OraCena = 0;
    float OraNotte = 0;
    float DurataPranzo = 0;
    float DurataCena = 0;
    float InizioVisita = 0;
    float FineVisita = 0;
    float OreTraghetti = 0;

    qint16 RiposoMinuti = 0;      // minutes x 100 / 60, 0..100
    qint16 RiposoOre = 0;         // 0..10
    qint16 RiposoGiorno = 0;      // 0..4
    qint16 RiposoDopoGiorni = 0;  // 0..10

    qint16 GiornoInizio = 0;
    qint16 MeseInizio = 0;
    qint16 AnnoInizio = 0;
    float GiulianoInizio = 0;    // day number of the start
    float GiulianoCorrente = 0;  // the running day of the computation, starts at the start
    float OraInizio = 0;         // start time value
    float OraCorrente = 0;       // the running clock, starts at the start time

    qint16 GiorniDesiderati = 0;  // 0 = no fitting
    float ArcoGuida = 0;          // daily driving span: night - dinner - lunch durations - breakfast
    float ArcoVisita = 0;         // daily visit span: sights close - sights open

    // The working value of a time pair by its index.
    float& coppia(int i);
    float coppia(int i) const;
};

// Reads one pair: empty boxes take their list's first entry, an hour outside its list is pulled
// to the nearer end (errore = true).  Returns the value as read before the correction.
float ControlloOrarioCmbOra(BoxMeta& box, int coppia, bool& errore);

// Checks every box, correcting until a pass finds nothing to correct, and returns the working
// values.  Afterwards breakfast, lunch, dinner and night are in order with at least an hour
// between breakfast and lunch and between the end of lunch and dinner, dinner ends no later than
// the night, the night is no later than 24:00 and the visiting hours lie between breakfast and
// night.  Every hour box stays inside its list; empty or zero speeds take their first entry.
ValoriLavoro ControllaVariabiliConvertite(BoxMeta& box);
// The working values of a BoxMeta without touching it.
ValoriLavoro CalcolaValoriLavoro(const BoxMeta& box);

// Normalises the times and rests and writes them back to the boxes (the window's quiet flag only
// decides what it redraws).  Returns the working values of the boxes as written.
ValoriLavoro Aggiorna(BoxMeta& box);

// The working value of pair i from its boxes as they are (cmbOra_Change).
float ValoreCoppia(const BoxMeta& box, int coppia);

// The weekday of the start date into txtInizioGSett.
void MettiGiornoSett(BoxMeta& box);

// Fits the start-day list to the start month: returns "01" to the month's last day; a day beyond
// it becomes the last day; the day box gets two digits and the weekday is shown.
QStringList ImpostaGiorniMeseInizio(BoxMeta& box);

// Desired days: only the digits are accepted as typed keys.
bool TastoGiorniAccettato(QChar tasto);
// A value above 997 becomes "997"; anything else stays as typed.
QString LimitaGiorniDesiderati(const QString& testo);
constexpr int kMassimoGiorniDesiderati = 997;
// The desired days as the box shows them once left: three digits, at most 997 ("7" gives "007").
QString GiorniDesideratiMostrati(const QString& testo);
