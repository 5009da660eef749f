#pragma once
// Progressive kilometres and driving times of the legs in the itinerary grid, the totals per road
// type, the ferry count and the list of day counts offered for the trip.
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>

#include "trips/BoxMeta.h"

class Griglia;

// Indices of the totals matrix: quantity (kilometres, driving time) and road type (the four kinds
// in "ASPL" order, then the total over all legs).
constexpr int kQuantitaKm = 0;
constexpr int kQuantitaTempo = 1;
constexpr int kTotaleStrade = 4;

struct RisultatoKmTempi {
    float Totali[3][6] = {};      // [quantity][road type]
    qint16 Traghetti = 0;         // legs whose road contains "TRAGH"
    float TempoTappa = 0;         // driving time of the last leg computed
    float GiorniMinimi = 0;       // whole days of driving when every day holds the driving span
    qint16 GiorniDesiderati = 0;  // the desired days after the adjustment (0 = not chosen)

    // What the window shows.  A road type without kilometres shows empty boxes.
    std::array<QString, 5> txtKmTot;
    std::array<QString, 5> txtTempo;
    QString txtTragh;
    QStringList listaGiorni;  // the entries of cmbGiorni
    QString cmbGiorni;        // the entry shown
};

// 0-based road type of a code: its place in "ASPL", the local road when it is not there.
int IndiceTipoStrada(const QString& codice);

// The day counts offered from a minimum: minimum to minimum + 30, then 30 to 100 by 5, then 110
// to 200 by 10, three digits each (values may repeat); "000" alone when the minimum is 0.
QStringList ListaGiorniItinerario(int giorniMinimi);

// Recomputes columns 5 (progressive km) and 6 (leg time hh:mm) of every leg with kilometres, and
// empties every row without a locality.  velocita are the average speeds in "ASPL" order; a
// speed of 0 or less counts as the first entry of its list, so nothing is divided by zero.
// arcoGuida is the daily driving span (the day of the total-time texts); giorniDesiderati is the
// value of cmbGiorni.
RisultatoKmTempi CalcolaKmTempiItinerario(Griglia& mfgTab, const std::array<float, 4>& velocita,
                                          float arcoGuida, qint16 giorniDesiderati);

// The same on the trip boxes: the parameter check runs first (it corrects the boxes and gives the
// driving span), and the results are written into txtKmTot, txtTempo, txtTragh and cmbGiorni.
RisultatoKmTempi CalcolaKmTempiItinerario(Griglia& mfgTab, BoxMeta& box);
