#pragma once
// The six tables, described by their specification texts, and the two readings of those texts:
// the one that creates a table and the one that checks an existing table against it.
#include <QList>
#include <QString>

#include "database/Database.h"

enum NumeroTabella : int {
    TabMeteCamper = 1,
    TabItinerari = 2,
    TabGuidaCitta = 3,
    TabTipoGuida = 4,
    TabMetaCorrente = 5,
    TabParametri = 6,
};

constexpr int kPrimaTabella = 1;
constexpr int kUltimaTabella = 6;

// Positions 0 to 10; 1 to 6 hold the tables.
struct ElencoTabelle {
    QString TabelleNomi[11];
    QString TabelleCampi[11];
    QString TabelleIndici[11];
};

ElencoTabelle TabelleStandard();

// The fields a specification creates, in order (an entry with an unknown type letter creates none).
QList<Campo> LeggiSpecificaCreazione(const QString& specifica);
// The entries a specification asks an existing table to have, in order.
QList<Campo> LeggiSpecificaVerifica(const QString& specifica);
