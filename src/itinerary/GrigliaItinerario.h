#pragma once
// The itinerary grid mfgTab and the other grid layouts prepared by the same routine: columns,
// headers, widths (twips, as proportions), alignments; selection and clearing.
#include <QList>
#include <QString>

#include "common/Griglia.h"

// Columns of the itinerary layout.
enum ColonnaItinerario : int {
    ColNumero = 0,
    ColTappa = 1,
    ColStrada = 2,
    ColKm = 3,
    ColTipoStrada = 4,
    ColKmProgressivi = 5,
    ColTempo = 6,
    ColSosta = 7,
    ColGuida = 8,
    ColGs = 9,
    ColData = 10,
    ColOre = 11,
    ColNote = 12,
    ColFineGiorno = 14,  // hidden: the stored end-of-day flag
};
// The schedule grid marks arrivals in a column the itinerary layout keeps hidden.
constexpr int kColArrivo = 13;
constexpr int kColonneItinerario = 15;
constexpr int kRigheMinimeItinerario = 17;

// Layout numbers.
enum LayoutGriglia : int {
    LayoutItinerario = 1,
    LayoutGuida = 2,
    LayoutTappeAltraMeta = 3,
    LayoutElencoMete = 4,
    LayoutTabellaCalcolo = 5,
};

inline const QString kMarcaStart = QStringLiteral(" [Start]");
inline const QString kMarcaEnd = QStringLiteral(" [End]");

// Background of the stop cell of a leg that ends the day.
constexpr Colore kColoreFineGiorno = 0xFFFF80;

struct DescrizioneLayout {
    QList<DefinizioneColonna> colonne;  // every column of the layout, hidden ones with width 0
    int larghezzaGriglia = 0;           // twips
    int righeMinime = 2;
    QString didascalia;  // the caption shown above the grid, if any
};

// The definition of a layout (1 to 5); an unknown number gives the itinerary layout.
DescrizioneLayout DefinizioneLayout(int layout);

// Prepares the grid for a layout: one header row, the columns with their headers, widths and
// alignments, at least the layout's minimum rows.  Cells below the header keep their texts.
// Returns the caption the window shows above the grid (empty for most layouts).
QString ImpostaGriglia(Griglia& griglia, int layout);

// Selects rows riga1..riga2 and columns col1..col2 (each clamped into the grid, rows below the
// header) and scrolls so that the first selected row is visible.
void SelezioneGriglia(Griglia& griglia, int riga1, int riga2, int col1, int col2);

// Empties every cell below the header row and its colours, keeping the number of rows (at least
// righeMinime).  The window also empties txtKmTot and txtTempo.
void CancellaMatrice(Griglia& griglia, int righeMinime = kRigheMinimeItinerario);

// The last row whose locality cell is not empty (0 when there is none).
int UltimaRigaTappa(const Griglia& griglia);

// The kilometres of a row.  The column shows them grouped ("1.500"), so they are read digit by
// digit: reading the leading number would take "1.500" for one and a half kilometres.
double KmTappa(const Griglia& griglia, int riga);
