#include "guide/TempoGuida.h"

#include "common/Tempo.h"
#include "common/Testo.h"

float TempoGuidaCentesimi(const QString& tempo, float arcoVisita) {
    const QString t = Trim(tempo);
    if (t.isEmpty()) return 0;
    // Entries from exchange files and old data count whole days of visits; read as a plain time,
    // "G1" would be a few minutes.
    if (t.front() == QLatin1Char('G') || t.front() == QLatin1Char('g'))
        return static_cast<float>(Valore(t.mid(1)) * arcoVisita);
    return ghmStringa2Centesimi(t, arcoVisita);
}

float TempiGuidaLetti::operator()(const QString& tempo) {
    const auto trovato = letti_.constFind(tempo);
    if (trovato != letti_.constEnd()) return *trovato;
    const float centesimi = TempoGuidaCentesimi(tempo, arcoVisita_);
    letti_.insert(tempo, centesimi);
    return centesimi;
}
