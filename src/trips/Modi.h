#pragma once
// The two window modes and the command buttons they enable.  A mode text lists the two-letter
// codes of the allowed commands (matched as substrings, ignoring case) or is one of the mode
// words ("all", "zz", "vv", "Es", ...).  The decision is a pure function: the window passes the
// modes and a few facts, and applies the returned states to its buttons.
#include <QList>
#include <QString>
#include <QStringList>

#include "common/Dialoghi.h"

// One command button: its code in the mode text, its control name and its caption.
struct DefinizionePulsante {
    QString codice;
    QString nome;
    QString caption;
};

// The trip commands in display order (cmdItinerario and cmdModStrada share "It").
const QList<DefinizionePulsante>& PulsantiMeta();
// The itinerary commands in display order.
const QList<DefinizionePulsante>& PulsantiItinerario();

// Buttons ruled by the modes without a code of their own.
inline const QString kCmdMapPoint = QStringLiteral("cmdMapPoint");  // route import: fewer than two legs
inline const QString kCmdConverte = QStringLiteral("cmdConverte");  // conversion: hidden by every update
inline const QString kCaptionCalcola = QStringLiteral("&Calcola");
inline const QString kCaptionEsce = QStringLiteral("&Esce");
inline const QString kCaptionStop = QStringLiteral("&Stop");

// What the modes alone do not tell.
struct FattiComandi {
    QString captionCalcola = kCaptionCalcola;  // the caption cmdCalcola carries now
    // The itinerary insertion panel is shown: the trip commands are off ("F"), and the itinerary
    // commands of its frame (insert, add, delete, way back, search, end, save) are on only then.
    bool pannelloInserimentoVisibile = false;
    int numeroTappe = 0;  // legs in the itinerary grid
};

struct StatoPulsante {
    QString nome;
    bool abilitato = false;
    bool visibile = true;
    QString caption;
    QString tooltip;  // empty: leave the button's tooltip as it is
};

struct StatoComandi {
    QString modoMain;        // the main mode after the rules and the expansion of "all"
    QString modoItinerario;  // the itinerary mode after the expansion of "all"
    // A mode was "all": hide the leg search list and make cmdEsce the default button.
    bool nascondiListaRicerca = false;
    bool esceDefault = false;
    bool escAttivo = false;         // cmdEsce answers the Esc key
    QList<StatoPulsante> pulsanti;  // every trip and itinerary button, cmdMapPoint and cmdConverte

    // The state of a button by control name, or nullptr.
    const StatoPulsante* pulsante(const QString& nome) const;
    bool abilitato(const QString& nome) const;
};

// The expansion of "all" for each row.
inline const QString kTuttoMain = QStringLiteral("NuRiSaCmCaStItGcCiEsImEx");
inline const QString kTuttoItinerario = QStringLiteral("InAgCaRcRtCeFiMeDuAzTr");

StatoComandi AbilitaPulsantiComando(const QString& modoMain, const QString& modoItinerario,
                                    const FattiComandi& fatti);

// The main mode of the new-trip entry: search too when a current trip exists.
QString ModoNuovaMeta(bool esisteMetaCorrente);
// The main mode after the current trip lookup: "all" with a trip, "NuImEs" without.
QString ModoDopoRicerca(bool esisteMetaCorrente);

// The exit button: with "&Esce" it asks to close the program, with "&Stop" to stop the running
// elaboration.  Nessuna when the answer is No.
enum class AzioneEsce { Nessuna, Chiudi, Interrompi };
AzioneEsce ChiediUscita(const QString& captionEsce, Dialoghi& dialoghi);

// The general help boxes: their texts (lines joined by CR LF, an empty line after the first).
QString TestoHelpGenerico();
QString TestoHelpTotale1();
QString TestoHelpTotale2();
QString TestoHelpTt();
// Shows one help text with an OK button.
void MostraHelp(const QString& testo, Dialoghi& dialoghi);
