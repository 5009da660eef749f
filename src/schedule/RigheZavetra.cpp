#include "schedule/RigheZavetra.h"

#include <QStringList>
#include <cmath>

#include "common/Griglia.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "itinerary/GrigliaItinerario.h"
#include "schedule/Motore.h"

namespace {

// The markers begin with '[': a text without one is not searched.
bool ContieneMarca(const QString& testo, QLatin1String marca) {
    return testo.contains(QLatin1Char('[')) && testo.contains(marca, Qt::CaseInsensitive);
}

bool Numerico(const QString& testo) {
    bool ok = false;
    Trim(testo).toDouble(&ok);
    return ok;
}

// ghmStringa2Centesimi(testo, 2400) without its text copies for the cells the pass writes: empty,
// hh:mm or dd:hh:mm in digits.  Any other text is read the general way.
float TempoCella(const QString& testo) {
    const qsizetype n = testo.size();
    if (n == 0) return 0;
    const auto due = [&testo](qsizetype i) {
        const char16_t a = testo[i].unicode();
        const char16_t b = testo[i + 1].unicode();
        if (a < u'0' || a > u'9' || b < u'0' || b > u'9') return -1;
        return (a - u'0') * 10 + (b - u'0');
    };
    if ((n == 5 || n == 8) && testo[n - 3] == QLatin1Char(':') && (n == 5 || testo[2] == QLatin1Char(':'))) {
        const int d = n == 8 ? due(0) : 0;
        const int h = due(n - 5);
        const int m = due(n - 2);
        if (d >= 0 && h >= 0 && m >= 0) {
            const double giorni = d * 2400.0;
            const double ore = h * 100.0;
            const qint16 minuti = CentesimiDeiMinuti(m);
            return static_cast<float>(giorni + ore + minuti);
        }
    }
    return ghmStringa2Centesimi(testo, 2400);
}

QString Hhmm(float t) {
    return OreMinuti(t);
}

// The destination stretch: from the last [Start] row through the last [End] row and the halts
// after it, up to the next row with kilometres (or the last row written).  Without an [End] row the
// stretch is empty (inizio > fine).
void TrattoDestinazione(const Griglia& g, int ultima, int& inizio, int& fine) {
    inizio = 0;
    int end = 0;
    for (int i = 1; i <= ultima; ++i) {
        const QString tappa = g.testo(i, ColTappa);
        if (ContieneMarca(tappa, QLatin1String("[Start]"))) inizio = i;
        if (ContieneMarca(tappa, QLatin1String("[End]"))) end = i;
    }
    if (end == 0) {
        inizio = 1;
        fine = 0;
        return;
    }
    fine = ultima;
    for (int i = end + 1; i <= ultima; ++i) {
        if (Numerico(g.testo(i, ColKm))) {
            fine = i - 1;
            break;
        }
    }
}

struct Giornata {
    qint16 km = 0;
    float guida = 0;
    float sosta = 0;
};

// The day's summary after the note of its last row: " [Km n in ore hh:mm; soste per ore hh:mm]",
// written into one buffer (a day closes on nearly every row of a long schedule).
void ChiudiGiornata(Griglia& g, int riga, Giornata& d, QLatin1String sosteTesto) {
    if (d.km == 0 && d.sosta == 0) return;
    QString testo = g.testo(riga, ColNote);
    testo.reserve(testo.size() + 48);
    if (d.km != 0) {
        testo += QLatin1String(" [Km ");
        testo += QString::number(d.km);
        testo += QLatin1String(" in ore ");
        testo += Hhmm(d.guida);
        if (d.sosta != 0) {
            testo += sosteTesto;
            testo += Hhmm(d.sosta);
        }
        d = Giornata{};
    } else {
        testo += QLatin1String(" [Sosta ore ");
        testo += Hhmm(d.sosta);
        d.sosta = 0;
    }
    testo += QLatin1Char(']');
    g.impostaTesto(riga, ColNote, Trim(testo));
}

}  // namespace

void ScriviArrivo(Griglia& mfgTab, StatoMotore& s) {
    // With a single row written the row before it is the header row, which keeps its text.
    if (s.riga - 1 < 1) return;
    TestiGiorno(s);
    mfgTab.impostaTesto(s.riga - 1, kColArrivo,
                        QLatin1Char('>') + s.dataBreve + QLatin1Char('-') + OreMinuti(s.ora));
}

TotaliZavetra ScriviRiepiloghiGiornalieri(Griglia& g, int ultima) {
    TotaliZavetra tot;
    int inizio = 0;
    int fine = 0;
    TrattoDestinazione(g, ultima, inizio, fine);
    Giornata giorno;
    QString precedente;
    for (int i = ultima; i >= 1; --i) {
        if (!g.testo(i, ColGs).isEmpty()) {
            precedente = g.testo(i, ColGs);
            break;
        }
    }
    for (int i = 1; i <= ultima; ++i) {
        const QString gs = g.testo(i, ColGs);
        if (gs.isEmpty()) {
            precedente.clear();
            continue;
        }
        const QString kmTesto = g.testo(i, ColKm);
        const double km = kmTesto.isEmpty() ? 0.0 : Valore(kmTesto);
        const QString guidaTesto = g.testo(i, ColGuida);
        const float sosta = TempoCella(guidaTesto);
        if (inizio <= i && i <= fine) {
            if (km > 0) {
                tot.kmTratto += static_cast<float>(km);
                tot.guidaTratto += TempoCella(g.testo(i, ColTempo));
            }
            tot.sostaTratto += sosta;
        }
        if (gs != precedente) ChiudiGiornata(g, i - 1, giorno, QLatin1String("; soste per ore "));
        if (km != 0) {
            giorno.km = static_cast<qint16>(giorno.km + static_cast<qint16>(km));
            tot.km += static_cast<float>(km);
            const float t = TempoCella(g.testo(i, ColTempo));
            giorno.guida += t;
            tot.guida += t;
        }
        if (!guidaTesto.isEmpty()) {
            giorno.sosta += sosta;
            tot.sosta += sosta;
        }
        precedente = gs;
    }
    ChiudiGiornata(g, ultima, giorno, QLatin1String("; sosta ore "));
    return tot;
}

void ScriviTotali(Griglia& g, const TotaliZavetra& t, float arcoGuida) {
    const auto d = [arcoGuida](float x) { return ghmCentesimi2Stringa(x, arcoGuida); };
    const auto c = [](float x) { return ghmCentesimi2Stringa(x, 2400); };
    const auto km = [](float x) { return Formato(x, QStringLiteral("##,##0")); };
    const QString tab(QLatin1Char('\t'));
    const float kmAR = t.km - t.kmTratto;
    const float guidaAR = t.guida - t.guidaTratto;
    const float sostaAR = t.sosta - t.sostaTratto;
    QStringList righe;
    righe << QStringLiteral("Totali: Km e tempi (gg:hh:mm):");
    righe << tab + QStringLiteral("Percorso specifico:");
    righe << tab + tab + QStringLiteral("Km. ") + km(t.kmTratto) + QStringLiteral("  ") + tab +
                 QStringLiteral("Guida ") + d(t.guidaTratto) + QStringLiteral(" (") + c(t.guidaTratto) +
                 QLatin1Char(')') + tab + QStringLiteral(" Sosta ") + d(t.sostaTratto) +
                 QStringLiteral(" (") + c(t.sostaTratto) + QLatin1Char(')');
    righe << tab + QStringLiteral("Andata e ritorno per l'itinerario specifico:");
    QString ar = tab + tab + QStringLiteral("Km. ") + km(kmAR) + QStringLiteral("  ") + tab +
                 QStringLiteral("Guida ") + d(guidaAR) + QStringLiteral(" (") + c(guidaAR) +
                 QLatin1Char(')') + tab;
    if (sostaAR != 0)
        ar += QStringLiteral(" Sosta ") + d(sostaAR) + QStringLiteral(" (") + c(sostaAR) + QLatin1Char(')');
    righe << ar;
    righe << tab + QStringLiteral("Intero percorso:");
    righe << tab + tab + QStringLiteral("Km. ") + km(t.km) + QStringLiteral("  ") + tab +
                 QStringLiteral("Guida ") + d(t.guida) + QStringLiteral(" (") + c(t.guida) +
                 QStringLiteral(")  ") + tab + QStringLiteral(" Sosta ") + d(t.sosta) + QStringLiteral(" (") +
                 c(t.sosta) + QLatin1Char(')');
    const int prima = g.righe();
    g.impostaRighe(prima + righe.size());
    for (int i = 0; i < righe.size(); ++i) g.impostaTesto(prima + i, ColTappa, righe[i]);
    g.impostaRigaInAlto(1);
}

void RimuoviRigheVuote(Griglia& g) {
    Griglia::Aggiornamento lotto(g);
    const auto vuota = [&g](int r) {
        for (int c = ColNumero; c <= ColGuida; ++c)
            if (!g.testo(r, c).isEmpty()) return false;
        return g.testo(r, ColNote).isEmpty();
    };
    for (int r = g.righe() - 2; r >= 1; --r)
        if (vuota(r)) g.rimuoviRighe(r);
}
