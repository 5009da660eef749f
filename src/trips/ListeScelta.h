#pragma once
// The choice lists of the trip boxes and the nine time pairs they belong to.  The trip record and
// the parameter checks both read them.
#include <QString>
#include <QStringList>

#include "trips/BoxMeta.h"

class Orologio;

// The nine hour/minute pairs of cmbOra/cmbMin.
enum CoppiaOra : int {
    CoppiaColazione = 0,
    CoppiaPranzo = 1,
    CoppiaCena = 2,
    CoppiaNotte = 3,
    CoppiaDurataPranzo = 4,
    CoppiaDurataCena = 5,
    CoppiaInizioVisita = 6,
    CoppiaFineVisita = 7,
    CoppiaTraghetti = 8,
};
constexpr int kCoppieOra = 9;

// Entries from a compact text whose two halves hold the first and the last value, each entry
// zero-padded to `cifre` characters: ("00010031", 2) gives "01" to "31", ("050140", 3, 5) gives
// "050", "055" ... "140".
QStringList CaricaComboBox(const QString& compatto, int cifre, int passo = 1);
// Entries cut from a compact text by pairs of characters: "0005101520304560" gives "00", "05", ...
QStringList ListaACoppie(const QString& compatto);

QStringList ListaGiorniInizio();                        // "01" to "31"
QStringList ListaMesiInizio();                          // "01" to "12"
QStringList ListaAnniInizio(const Orologio& orologio);  // 1998 to the current year + 5
QStringList ListaOreInizio();                           // "00" to "24"
QStringList ListaMinuti();                              // "00", "15", "30", "45" (also every cmbMin)
// Speeds by road type, three digits: "050".."140", "045".."110", "030".."070", "020".."060".
QStringList ListaMediaKm(int indice);
QStringList ListaOra(int indice);  // hour lists of the nine time pairs
QStringList ListaRipM();
QStringList ListaRipH();
QStringList ListaRipG();
QStringList ListaRipGG();
QStringList ListaRange();
QStringList ListaSoste();             // "1 - Soste itinerario" ... "6 - Nessuna sosta!"
QStringList ListaGiorniDesiderati();  // "000"

// A speed box left empty or at 0 takes the first entry of its list; the engine divides by it.
void CorreggiMediaKm(BoxMeta& box);
