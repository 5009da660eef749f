#pragma once
// Placing texts on the page and the frame of a schedule page: the header with the trip name, the
// country, the page number and the column headings, the footer with today's date and the window
// title, and the cover pages.  The report state (current line, column edges, line height) is
// shared by the page frame and the report that fills the page.
#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "common/Griglia.h"  // Allineamento

class Superficie;

inline const QString kFontPreferito = QStringLiteral("Agency FB");
inline const QString kFontRiserva = QStringLiteral("Times new roman");

// The report state.  Edges are indexed from 1; a current line of 800 or more means that no page
// is open (900 at the start).
struct StatoStampa {
    static constexpr float kNessunaPagina = 900;
    static constexpr float kPaginaChiusa = 800;
    float rigaCorrente = kNessunaPagina;
    int numeroColonne = 14;  // the columns plus one: edge(numeroColonne) is the right edge
    std::array<float, 17> bordi{};
    std::array<int, 17> bordiInteri{};
    float altezzaRiga = 4.5f;  // step from one table line to the next
    bool primaPagina = false;
    bool abbandona = false;
    // Refreshes the whole-millimetre edges from the exact ones.
    void arrotondaBordi();
    bool paginaAperta() const { return rigaCorrente < kPaginaChiusa; }
    int bordo(int c) const { return bordiInteri.at(static_cast<size_t>(c)); }
};

// The alignment written as the digit of a column's format text: "0" left, "1" centred, "2" right.
Allineamento AllineamentoDaCifra(QChar cifra);

// Prints the trimmed text in the band daOrizz..aOrizz so that it stands on the line riga, in the
// given style.  A text too wide for the band is shrunk in steps of 0.33 points, down to about 6
// points; below that it overflows.  Centred texts sit 1 mm left of the exact centre, right-aligned
// ones end 3 mm before the band's edge.  Returns the size used (the size asked for when nothing
// was printed); an empty text prints nothing and leaves the font alone.
double StampaTesto(Superficie& s, const QString& txt, double riga, double daOrizz, double aOrizz,
                   bool grassetto, bool corsivo, double size, Allineamento allineato);

// How a text too wide for its band shrinks: while its width plus margine reaches the band's
// width, by passo points, as long as the size is above minimo (or equal to it, minimoIncluso).
// The schedule program's rule is the default; the logbook program has its own.
struct RiduzioneTesto {
    double margine = 1;
    double passo = 0.33;
    double minimo = 6;
    bool minimoIncluso = true;
};
double StampaTesto(Superficie& s, const QString& txt, double riga, double daOrizz, double aOrizz,
                   bool grassetto, bool corsivo, double size, Allineamento allineato,
                   const RiduzioneTesto& riduzione);

// "Agency FB" when the machine has it, otherwise "Times new roman".  The face read back is
// compared with the one asked for without regard to case, or exactly (esatto).
void SettaFontNamePrinter(Superficie& s, bool esatto = false);

// What the page frame shows of the trip and the window.
struct DatiPagina {
    QString localita;        // txtLocalita
    QString nazione;         // txtNazione
    QString titoloFinestra;  // the main window's title, in the footer
    QDate oggi;              // the footer's date
};

// The header of a schedule page: the three title boxes with the trip name, the country and
// "Pagina: nn", the site logo, on the first page (primo) the block that caratteristiche prints at
// the current line, then the column headings.  Leaves the current line one line below the
// headings.
void StampaIntestaPagina(Superficie& s, StatoStampa& stato, const DatiPagina& dati, bool& primo,
                         const std::function<void()>& caratteristiche);

// The footer (today's date on the left, the window title on the right), the border around the
// page and a new page.  Does nothing when no page is open.
void StampaFinePagina(Superficie& s, StatoStampa& stato, const DatiPagina& dati);

// The entries a booklet cover may list, in their printed order.
inline const QStringList kVociFrontespizio{QStringLiteral("Mappe città"), QStringLiteral("Mappe itinerario"),
                                           QStringLiteral("Lunoro"), QStringLiteral("Zavetra")};

// A cover page followed by a new page: the frame, the two pictures, the trip name at 48 points
// (a trailing number such as a year on a line of its own, a name wider than the page broken at
// the space nearest its middle), the contents at 36 points (kind 0: "Zavetra", the cover of the
// schedule table; kind 1: the checked entries of kVociFrontespizio) and the period at 24 points.
void StampaFrontespizio(Superficie& s, int tipo, const QString& nomeMeta, const std::array<bool, 4>& voci,
                        const QString& periodo);

// The lines the trip name takes on a cover whose band is larghezza mm wide at the current font.
QStringList RigheNomeFrontespizio(Superficie& s, const QString& nome, double larghezza);
