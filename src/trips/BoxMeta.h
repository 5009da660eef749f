#pragma once
// The trip boxes of the main window as plain texts: the window copies its boxes into this value,
// the trip logic reads and changes it, and the window writes it back.  Member names are the
// names of the boxes.
#include <QString>
#include <array>

struct BoxMeta {
    QString txtLocalita;
    QString txtNazione;
    QString txtCodice;
    std::array<QString, 5> cmbInizio;   // day, month, year, hour, minute of the start
    QString txtInizioGSett;             // weekday of the start
    std::array<QString, 4> cmbMediaKm;  // average speeds: motorway, expressway, main road, local road
    std::array<QString, 9> cmbOra;      // hour of the nine time pairs
    std::array<QString, 9> cmbMin;      // minute of the nine time pairs
    QString cmbRipM;                    // break minutes
    QString cmbRipH;                    // a break every so many hours
    QString cmbRipG;                    // rest days
    QString cmbRipGG;                   // rest days every so many days
    QString cmbGiorni;                  // desired days, "000" when not wanted
    QString cmbSoste;                   // the text of the chosen stop entry ("3 - Entrambe")
    QString cmbRange;                   // tolerance minutes
    std::array<QString, 7> txtFine;     // end of the trip: day, month, year, hour, minute, weekday, days
    std::array<QString, 5> txtKmTot;    // kilometres per road type and in total
    std::array<QString, 5> txtTempo;    // driving time per road type and in total
    QString txtTragh;                   // ferry count

    bool operator==(const BoxMeta&) const = default;
};
