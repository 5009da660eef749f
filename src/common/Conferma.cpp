#include "common/Conferma.h"

#include <array>
#include <utility>

#include "common/Testo.h"

QString DescrizioneConferma(const QString& codice) {
    static const std::array<std::pair<const char*, const char*>, 15> descrizioni{{
        {"I", "Inserimento meta"},
        {"A", "Annullamento meta"},
        {"M", "Modifica dati mèta"},
        {"R", "Reset file mète"},
        {"T", "Memorizzazione dell'itinerario"},
        {"CR", "Cancellazione tappa"},
        {"S", "Stampare l'itinerario"},
        {"IP", "Inserimento tappe percorso"},
        {"IS", "Inserimento soste del percorso"},
        {"AB", "Rinuncia alle modifiche"},
        {"CI", "la rinuncia alle eventuali modifiche dell'itinerario"},
        {"AI", "Annullamento itinerario"},
        {"DF", "Memorizzazione dati mèta di default"},
        {"EX", "Export delle mète selezionate"},
        {"IM", "Import delle mète selezionate nei propri archivi"},
    }};
    for (const auto& [chiave, descrizione] : descrizioni)
        if (UgualeTesto(codice, QLatin1String(chiave))) return QString::fromUtf8(descrizione);
    return codice;
}

Risposta BoxConferma(QString& codice, Dialoghi& dialoghi) {
    codice = DescrizioneConferma(codice);
    return dialoghi.messaggio({QStringLiteral("Confermi ") + codice.toLower() + QLatin1Char('?'), codice,
                               Pulsanti::SiNo, Icona::Nessuna});
}
