#pragma once
// The city-guide printouts: the localities of the current trip, or every locality of the guide,
// printed as a list of names five to a line or with their guide entries in detail.
#include <QString>
#include <QStringList>

#include "printing/Pagina.h"

class Archivio;
class Dialoghi;
class Progresso;
class Superficie;
struct TabellaTipiGuida;

// The two option pairs of the guide print panel.
struct OpzioniStampaGuida {
    bool tutte = false;         // optGuidaListaStampa: "Inerenti la &Meta" (false) or "&Tutte"
    bool soloLocalita = false;  // optGuidaDettaglioStampa: "Località e &Guida" (false) or "&Località"
};

inline const QString kInerentiMeta = QStringLiteral("Inerenti la &Meta");
inline const QString kTutte = QStringLiteral("&Tutte");
inline const QString kLocalitaEGuida = QStringLiteral("Località e &Guida");
inline const QString kSoloLocalita = QStringLiteral("&Località");

// The localities to print: every distinct locality of the guide in order, or the trip's legs in
// order (each once) whose cleaned name begins a guide locality.
QStringList LocalitaDaStampare(Archivio& archivio, const OpzioniStampaGuida& opzioni,
                               const QString& codiceMeta);

// The page heading's title: "Guida Città: - ", the detail choice, " - ", the list choice and, for the
// trip's localities, ": " and the trip name; without any "&".
QString TitoloGuida(const OpzioniStampaGuida& opzioni, const QString& localitaMeta);

struct EsitoStampaGuida {
    int localita = 0;  // localities printed
    QString errore;    // empty when the print succeeded
};

// The whole printout on s; the progress shows "Stampa della guida citta (pag. n)".  A print that
// fails is abandoned and its message shown.
EsitoStampaGuida StampaDelleMete(Superficie& s, Archivio& archivio, const TabellaTipiGuida& tipi,
                                 const OpzioniStampaGuida& opzioni, const QString& codiceMeta,
                                 const DatiPagina& pagina, Dialoghi& dialoghi, Progresso& progresso);
