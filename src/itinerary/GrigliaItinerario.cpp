#include "itinerary/GrigliaItinerario.h"

#include <algorithm>

#include "common/Testo.h"

namespace {

using A = Allineamento;

DefinizioneColonna Col(const char* intestazione, int larghezza, A allineamento) {
    return {QString::fromUtf8(intestazione), larghezza, allineamento};
}

DescrizioneLayout Itinerario() {
    DescrizioneLayout d;
    d.colonne = {
        Col("Num.", 420, A::Centro),    Col("Tappa", 6295, A::Sinistra),   Col("Num. Strada", 980, A::Centro),
        Col("Km.", 500, A::Destra),     Col("Ts", 280, A::Centro),         Col("Km/pr", 620, A::Destra),
        Col("Tempo", 550, A::Centro),   Col("Itinerario", 800, A::Centro), Col("Guida", 800, A::Centro),
        Col("Gs", 400, A::Centro),      Col("Data", 550, A::Centro),       Col("Ore", 550, A::Centro),
        Col("Note", 1200, A::Sinistra), Col("", 0, A::Sinistra),           Col("", 0, A::Sinistra)};
    d.righeMinime = kRigheMinimeItinerario;
    d.larghezzaGriglia = 14280;  // the columns and the grid's own border and scroll bar
    return d;
}

// The guide keeps the itinerary's number column and its locality column (narrowed); the columns
// after "Note" stay in the grid, hidden, because column 8 marks the entry rows.
DescrizioneLayout Guida() {
    DescrizioneLayout d = Itinerario();
    d.larghezzaGriglia = 0;
    d.colonne[1].larghezza = 2000;
    d.colonne[2] = Col("Sosta", 800, A::Centro);
    d.colonne[3] = Col("Gruppo", 1350, A::Centro);
    d.colonne[4] = Col("Descrizione segnalazione", 5000, A::Sinistra);
    d.colonne[5] = Col("Tempo", 650, A::Centro);
    d.colonne[6] = Col("Note", 970, A::Sinistra);
    for (int c = 7; c < d.colonne.size(); ++c) d.colonne[c] = Col("", 0, A::Sinistra);
    return d;
}

DescrizioneLayout TappeAltraMeta() {
    DescrizioneLayout d;
    d.colonne = {Col("Num.", 420, A::Centro),    Col("Località", 2300, A::Sinistra),
                 Col("Strada", 1000, A::Centro), Col("kM.", 500, A::Destra),
                 Col("Tipo", 600, A::Centro),    Col("Sosta", 800, A::Centro)};
    d.didascalia = QString::fromUtf8(
        "Seleziona la tappa iniziale e clicca su ASSEGNA/Tappa iniziale, quindi seleziona la tappa finale e "
        "clicca su ASSEGNA/Tappa finale. ATTENZIONE: Per tappa d'inizio non selezionare quella comune alla "
        "precedente per non avere un doppio chilometraggio!!!");
    return d;
}

DescrizioneLayout ElencoMete() {
    DescrizioneLayout d;
    d.colonne = {Col("Num.", 500, A::Centro), Col("Denominazione della mèta", 5000, A::Sinistra),
                 Col("Nazione", 2200, A::Sinistra)};
    d.didascalia = QString::fromUtf8("Seleziona la mèta dalla quale copiare una parte o tutto l'itinerario");
    return d;
}

DescrizioneLayout TabellaCalcolo() {
    DescrizioneLayout d;
    d.colonne = {
        Col("Num.", 420, A::Centro),  Col("Tappa", 2300, A::Sinistra), Col("Num. Strada", 950, A::Centro),
        Col("Km.", 470, A::Destra),   Col("Ts", 280, A::Centro),       Col("Km/pr", 620, A::Destra),
        Col("Tempo", 550, A::Centro), Col("Sosta", 800, A::Centro),    Col("Gs", 400, A::Centro),
        Col("Data", 550, A::Centro),  Col("Ore", 550, A::Centro),      Col("Note", 1000, A::Sinistra),
        Col("", 1100, A::Sinistra)};
    return d;
}

}  // namespace

DescrizioneLayout DefinizioneLayout(int layout) {
    DescrizioneLayout d;
    switch (layout) {
        case LayoutGuida:
            d = Guida();
            break;
        case LayoutTappeAltraMeta:
            d = TappeAltraMeta();
            break;
        case LayoutElencoMete:
            d = ElencoMete();
            break;
        case LayoutTabellaCalcolo:
            d = TabellaCalcolo();
            break;
        default:
            d = Itinerario();
            break;
    }
    if (layout != LayoutItinerario)
        for (const DefinizioneColonna& c : d.colonne) d.larghezzaGriglia += c.larghezza;
    return d;
}

QString ImpostaGriglia(Griglia& griglia, int layout) {
    const DescrizioneLayout d = DefinizioneLayout(layout);
    Griglia::Aggiornamento lotto(griglia);
    if (griglia.righe() < d.righeMinime) griglia.impostaRighe(d.righeMinime);
    griglia.impostaColonneFisse(0);
    griglia.impostaRigheFisse(1);
    griglia.definisciColonne(d.colonne);
    return d.didascalia;
}

void SelezioneGriglia(Griglia& griglia, int riga1, int riga2, int col1, int col2) {
    const int ultimaRiga = std::max(1, griglia.righe() - 1);
    const int ultimaColonna = std::max(0, griglia.colonne() - 1);
    riga1 = std::clamp(riga1, 1, ultimaRiga);
    riga2 = std::clamp(riga2, 1, ultimaRiga);
    col1 = std::clamp(col1, 0, ultimaColonna);
    col2 = std::clamp(col2, 0, ultimaColonna);
    griglia.seleziona(riga1, col1, riga2, col2);
    const int prima = std::min(riga1, riga2);
    if (prima < griglia.rigaInAlto()) griglia.impostaRigaInAlto(prima);
    // Rows further down than a screenful are brought to the top.
    else if (prima > griglia.rigaInAlto() + kRigheMinimeItinerario - 3)
        griglia.impostaRigaInAlto(prima);
}

void CancellaMatrice(Griglia& griglia, int righeMinime) {
    Griglia::Aggiornamento lotto(griglia);
    if (griglia.righe() < righeMinime) griglia.impostaRighe(righeMinime);
    griglia.svuotaDati();
}

double KmTappa(const Griglia& griglia, int riga) {
    return ValoreSenzaPunti(griglia.testo(riga, ColKm));
}

int UltimaRigaTappa(const Griglia& griglia) {
    int r = griglia.righe() - 1;
    while (r >= 1 && griglia.testo(r, ColTappa).isEmpty()) --r;
    return std::max(r, 0);
}
