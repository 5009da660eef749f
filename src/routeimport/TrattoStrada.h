#pragma once
// The road type of a stretch of legs: a first and a last leg chosen from the itinerary grid, a
// road type assigned to every leg in between, and marks of the rows changed so that leaving can
// ask whether to save.
#include <QString>

class Griglia;

struct StatoTratto {
    QString primaTappa;                        // "Prima tappa:"
    QString ultimaTappa;                       // "Ultima tappa:"
    QString numeroTappe;                       // "Num.tappe selezionate:"
    QString tipoStrada = QStringLiteral("L");  // the road-type option chosen ("A", "S", "P", "L")
    QString marche;  // one "0"/"1" per grid row; empty until the frame is first used
    bool assegnaAbilitato = false;
};

// The text shown for a leg: its row as four digits, its road type and its locality
// ("0003 A BOLOGNA").
QString TestoTappaTratto(const Griglia& mfgTab, int riga);
// The leg number of such a text (its first four characters); 0 for an empty box.
int NumeroTappaTratto(const QString& testo);

// The buttons 0 "Seleziona" (first leg: the grid's current row), 1 "Seleziona" (last leg),
// 2 "&Assegna"; after each, "&Assegna" is enabled when both boxes hold a leg and the rows of the
// stretch are selected.
void cmdTappaSEl_Click(Griglia& mfgTab, StatoTratto& stato, int indice);

// True when a road type was assigned since the marks were last cleared or saved.
bool ModificheTratto(const StatoTratto& stato);
// After a save: every mark back to "0".
void MarcheSalvate(StatoTratto& stato);
