#pragma once
// The pages of the travel logbook ("Lunoro"): the cover and the day page with its boxes to fill in
// by hand (overnight stop, odometer, services, vehicle checks, water tanks, fuel and gas, coded
// expenses).  Dated pages carry the destination, the period, the date and "Giorno p di N"; blank
// pages carry labels in their place.  Everything is drawn on a Superficie, in millimetres.
#include <QString>
#include <QStringList>

#include "common/Griglia.h"  // Allineamento

class Superficie;

namespace kestrin {

// Prints the trimmed text in the band daOrizz..aOrizz standing on the line riga.  Unlike the
// schedule's placement, a text is shrunk in steps of 0.4 points while it does not fit 0.3 mm
// inside the band, down to 2 points, so that even the small 5-point credit lines can still
// shrink.  Centred texts sit 1 mm left of the centre, right-aligned ones end 3 mm before the
// band's edge.  Returns the size used; an empty text prints nothing and leaves the font alone.
double StampaTesto(Superficie& s, const QString& txt, double riga, double daOrizz, double aOrizz,
                   bool grassetto, bool corsivo, double size, Allineamento allineato);

// "Agency FB" when the machine keeps exactly that face, otherwise "Times new roman".
void SettaFontNamePrinter(Superficie& s);

}  // namespace kestrin

// The page's vertical landmarks, from the printable height: BOT the bottom of the page's frame,
// MID the top of the fuel and expenses block, LOW the top of the checks and tanks block, s the
// pitch of the fuel and expense rows.
struct GeometriaModuli {
    double BOT = 0;
    double MID = 0;
    double LOW = 0;
    double s = 5;
    static GeometriaModuli da(double altezzaStampabile);
};

// What one logbook prints.
struct DatiModuli {
    bool datati = true;  // false: blank pages
    QString destinazione;
    QString periodo;         // "dd/mm - dd/mm/yyyy"
    int giornoIniziale = 0;  // day number of the first page (dated pages)
    int pagine = 1;          // N
    QString crediti;         // the window's credit line
};

// The credit line: product, version, comment and company.
QString RigaCrediti();

// The two-letter weekday of a day number ("Sa" for a number divisible by 7).
QString SiglaGiorno(int giorno);

// The lines the destination takes on the cover at the given size: each the longest leading part
// ending at a space (or at the end) narrower than 160 mm, at most 20 lines.  A single word wider
// than that takes a line of its own (the text placement then shrinks it).
QStringList RigheLocalita(Superficie& s, const QString& localita, double size);

void StampaCopertina(Superficie& s, const GeometriaModuli& g, const DatiModuli& d);
// The day page p (1 to N).
void StampaPaginaGiorno(Superficie& s, const GeometriaModuli& g, const DatiModuli& d, int p);
