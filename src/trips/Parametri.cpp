#include "trips/Parametri.h"

#include <algorithm>
#include <cmath>

#include "common/Date.h"
#include "common/Tempo.h"
#include "common/Testo.h"

namespace {

constexpr float kGiorno = 2400;
constexpr float kQuarto = 25;  // a quarter hour in hundredths
// The corrections move every box towards a fixed point in a few passes; the bound only guards
// the window's thread against a combination nobody foresaw.
constexpr int kMassimoPassi = 100;

float leggiCoppia(const QString& ora, const QString& minuti) {
    return ghmStringa2Centesimi(ora + QLatin1Char(':') + minuti, kGiorno);
}

// A 16-bit value of a box, rounded half to even; outside 0..massimo it counts as 0.
qint16 riposo(double valore, int massimo) {
    const double r = std::nearbyint(valore);
    return (r < 0 || r > massimo) ? qint16(0) : static_cast<qint16>(r);
}

qint16 intero16(const QString& testo) {
    return static_cast<qint16>(std::clamp(std::nearbyint(Valore(testo)), -32768.0, 32767.0));
}

// Writes a time value into a pair: hour and minute of its hh:mm text, empty boxes for zero.
// Values of a whole day or more keep the hour "24" rather than wrapping to "00".
void scriviCoppia(BoxMeta& box, int coppia, float valore) {
    if (valore >= kGiorno) {
        const auto minuti = static_cast<int>(std::floor((valore - kGiorno) * 60.0f / 100.0f + 0.5f));
        box.cmbOra[coppia] = QStringLiteral("24");
        box.cmbMin[coppia] = Zero(minuti, 2);
        return;
    }
    const QString testo = ghmCentesimi2Stringa(valore, kGiorno);
    box.cmbOra[coppia] = testo.mid(3, 2);
    box.cmbMin[coppia] = testo.right(2);
}

// A pair set to a quarter-hour value (the minute lists hold quarters only).
void scriviQuarto(BoxMeta& box, int coppia, float valore) {
    const int quarti = static_cast<int>(std::max(0.0f, valore) / kQuarto);
    box.cmbOra[coppia] = Zero(quarti / 4, 2);
    box.cmbMin[coppia] = Zero((quarti % 4) * 15, 2);
}

// Dinner ends after the night: the night moves to the first quarter hour at or after the end of
// dinner, inside its list; when that would pass midnight the night is 24:00 and dinner is
// shortened to end there.
void correggiCenaNotte(BoxMeta& box, const ValoriLavoro& v) {
    const float fineCena = v.OraCena + v.DurataCena;
    if (fineCena <= kGiorno) {
        const float primaNotte = static_cast<float>(Valore(ListaOra(CoppiaNotte).first())) * 100;
        scriviQuarto(box, CoppiaNotte, std::max(std::ceil(fineCena / kQuarto) * kQuarto, primaNotte));
        return;
    }
    box.cmbOra[CoppiaNotte] = QStringLiteral("24");
    box.cmbMin[CoppiaNotte] = QStringLiteral("00");
    scriviQuarto(box, CoppiaDurataCena, std::floor((kGiorno - v.OraCena) / kQuarto) * kQuarto);
}

void leggiRiposi(const BoxMeta& box, ValoriLavoro& v) {
    v.RiposoMinuti = riposo(Valore(box.cmbRipM) * 100 / 60, 100);
    v.RiposoOre = riposo(Valore(box.cmbRipH), 10);
    v.RiposoGiorno = riposo(Valore(box.cmbRipG), 4);
    v.RiposoDopoGiorni = riposo(Valore(box.cmbRipGG), 10);
}

void leggiInizio(const BoxMeta& box, ValoriLavoro& v) {
    v.GiornoInizio = intero16(box.cmbInizio[0]);
    v.MeseInizio = intero16(box.cmbInizio[1]);
    v.AnnoInizio = intero16(box.cmbInizio[2]);
    v.GiulianoInizio = Data2Giul(Zero(v.GiornoInizio, 2) + Zero(v.MeseInizio, 2) + Zero(v.AnnoInizio, 4));
    v.GiulianoCorrente = v.GiulianoInizio;
    v.OraInizio = leggiCoppia(box.cmbInizio[3], box.cmbInizio[4]);
    v.OraCorrente = v.OraInizio;
}

// One pass of the check; true when it corrected a box.
bool passoControllo(BoxMeta& box, ValoriLavoro& v) {
    bool corretto = false;
    for (int i = 0; i < kCoppieOra; ++i) {
        bool errore = false;
        v.coppia(i) = ControlloOrarioCmbOra(box, i, errore);
        corretto = corretto || errore;
    }
    leggiRiposi(box, v);
    leggiInizio(box, v);

    if (v.OraPranzo - 100 < v.OraColazione) {
        box.cmbOra[CoppiaColazione] = ListaOra(CoppiaColazione).first();
        corretto = true;
    }
    if (v.OraCena - 100 < v.OraPranzo + v.DurataPranzo) {
        box.cmbOra[CoppiaPranzo] = ListaOra(CoppiaPranzo).first();
        corretto = true;
    }
    if (v.OraCena + v.DurataCena > v.OraNotte) {
        correggiCenaNotte(box, v);
        corretto = true;
    }
    if (v.OraNotte > kGiorno) {
        box.cmbOra[CoppiaNotte] = QStringLiteral("24");
        box.cmbMin[CoppiaNotte] = QStringLiteral("00");
        corretto = true;
    }
    if (v.InizioVisita < v.OraColazione) {
        box.cmbOra[CoppiaInizioVisita] = box.cmbOra[CoppiaColazione];
        box.cmbMin[CoppiaInizioVisita] = box.cmbMin[CoppiaColazione];
        corretto = true;
    }
    if (v.FineVisita > v.OraNotte) {
        box.cmbOra[CoppiaFineVisita] = box.cmbOra[CoppiaNotte];
        box.cmbMin[CoppiaFineVisita] = box.cmbMin[CoppiaNotte];
        corretto = true;
    }
    return corretto;
}

// The normalisation of the working values, in its fixed order.
void normalizza(ValoriLavoro& v) {
    if (v.DurataPranzo > 350) v.DurataPranzo = 200;
    if (v.DurataCena > 250) v.DurataCena = 150;
    if (v.OraColazione > 1200) v.OraColazione = 900;
    if (v.OraPranzo < 1000) v.OraPranzo = 1000;
    if (v.OraPranzo > 1600) v.OraPranzo = 1600;
    if (v.OraCena < 1700 || v.OraCena > 2200) v.OraCena = 2000;
    if (v.OraNotte < 1900) v.OraNotte = 1900;
    if (v.OraNotte > kGiorno) v.OraNotte = kGiorno;
    if (v.OraPranzo <= v.OraColazione) v.OraPranzo = v.OraColazione + 100;
    if (v.OraPranzo + v.DurataPranzo >= v.OraCena) v.OraCena = v.OraPranzo + v.DurataPranzo + 100;
    if (v.OraCena + v.DurataCena >= v.OraNotte) v.OraNotte = v.OraCena + v.DurataCena;
    if (v.OreTraghetti == 0) v.OreTraghetti = 100;
    if (v.InizioVisita < v.OraColazione) v.InizioVisita = v.OraColazione;
    if (v.FineVisita > v.OraNotte) v.FineVisita = v.OraNotte;
}

}  // namespace

float& ValoriLavoro::coppia(int i) {
    switch (i) {
        case CoppiaColazione:
            return OraColazione;
        case CoppiaPranzo:
            return OraPranzo;
        case CoppiaCena:
            return OraCena;
        case CoppiaNotte:
            return OraNotte;
        case CoppiaDurataPranzo:
            return DurataPranzo;
        case CoppiaDurataCena:
            return DurataCena;
        case CoppiaInizioVisita:
            return InizioVisita;
        case CoppiaFineVisita:
            return FineVisita;
        default:
            return OreTraghetti;
    }
}

float ValoriLavoro::coppia(int i) const {
    return const_cast<ValoriLavoro*>(this)->coppia(i);
}

float ControlloOrarioCmbOra(BoxMeta& box, int coppia, bool& errore) {
    errore = false;
    const QStringList ore = ListaOra(coppia);
    if (box.cmbOra[coppia].isEmpty()) box.cmbOra[coppia] = ore.first();
    if (box.cmbMin[coppia].isEmpty()) box.cmbMin[coppia] = ListaMinuti().first();
    const float valore = leggiCoppia(box.cmbOra[coppia], box.cmbMin[coppia]);
    const float ora = std::floor(valore / 100);
    if (ora < Valore(ore.first())) {
        box.cmbOra[coppia] = ore.first();
        errore = true;
    } else if (ora > Valore(ore.last())) {
        box.cmbOra[coppia] = ore.last();
        errore = true;
    }
    return valore;
}

ValoriLavoro ControllaVariabiliConvertite(BoxMeta& box) {
    CorreggiMediaKm(box);
    ValoriLavoro v;
    for (int passo = 0; passo < kMassimoPassi && passoControllo(box, v); ++passo) {
    }
    v.GiorniDesiderati =
        static_cast<qint16>(std::clamp(Valore(box.cmbGiorni), 0.0, double(kMassimoGiorniDesiderati)));
    v.ArcoGuida = v.OraNotte - v.DurataCena - v.DurataPranzo - v.OraColazione;
    v.ArcoVisita = v.FineVisita - v.InizioVisita;
    return v;
}

ValoriLavoro CalcolaValoriLavoro(const BoxMeta& box) {
    BoxMeta copia = box;
    return ControllaVariabiliConvertite(copia);
}

ValoriLavoro Aggiorna(BoxMeta& box) {
    MettiGiornoSett(box);
    ValoriLavoro v = ControllaVariabiliConvertite(box);
    normalizza(v);
    for (int i = 0; i < kCoppieOra; ++i) scriviCoppia(box, i, v.coppia(i));
    if (v.OraNotte >= kGiorno) {
        box.cmbOra[CoppiaNotte] = QStringLiteral("24");
        box.cmbMin[CoppiaNotte] = QStringLiteral("00");
    }
    box.cmbRipM = Zero(static_cast<int>(std::floor(v.RiposoMinuti * 60.0 / 100.0 + 0.5)), 2);
    box.cmbRipH = Zero(v.RiposoOre, 2);
    box.cmbRipG = Zero(v.RiposoGiorno, 2);
    box.cmbRipGG = Zero(v.RiposoDopoGiorni, 2);
    // The written boxes are read once more, so the values returned are those the boxes show.
    return ControllaVariabiliConvertite(box);
}

float ValoreCoppia(const BoxMeta& box, int coppia) {
    return leggiCoppia(box.cmbOra[coppia], box.cmbMin[coppia]);
}

void MettiGiornoSett(BoxMeta& box) {
    box.txtInizioGSett = GiornoSettimana(Gma2Data(box.cmbInizio[0], box.cmbInizio[1], box.cmbInizio[2]));
}

QStringList ImpostaGiorniMeseInizio(BoxMeta& box) {
    const double giorno = Valore(box.cmbInizio[0]);
    int n =
        GiorniMese(static_cast<int>(Valore(box.cmbInizio[2])), static_cast<int>(Valore(box.cmbInizio[1])));
    if (n < 1) n = 31;
    QStringList giorni;
    for (int g = 1; g <= n; ++g) giorni << Zero(g, 2);
    box.cmbInizio[0] = Zero(static_cast<int>(std::clamp(giorno, 1.0, double(n))), 2);
    MettiGiornoSett(box);
    return giorni;
}

bool TastoGiorniAccettato(QChar tasto) {
    return tasto >= QLatin1Char('0') && tasto <= QLatin1Char('9');
}

QString LimitaGiorniDesiderati(const QString& testo) {
    return Valore(testo) > kMassimoGiorniDesiderati ? QString::number(kMassimoGiorniDesiderati) : testo;
}

QString GiorniDesideratiMostrati(const QString& testo) {
    return Zero(static_cast<int>(Valore(LimitaGiorniDesiderati(testo))), 3);
}
