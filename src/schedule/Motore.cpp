#include "schedule/Motore.h"

#include <QDate>
#include <algorithm>
#include <cmath>
#include <limits>

#include "common/Date.h"
#include "common/Griglia.h"
#include "common/Percorrenza.h"
#include "common/Progresso.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "itinerary/GrigliaItinerario.h"
#include "schedule/Percentuale.h"
#include "schedule/TabellaCalcolo.h"

namespace {

// A new-day row has no time a; its column lies beyond the grid's last and is never shown.
constexpr int kColTempoNuovoGiorno = 15;

// Two digits of 0..99.
void DueCifre(QChar* d, int v) {
    d[0] = QLatin1Char(static_cast<char>('0' + v / 10));
    d[1] = QLatin1Char(static_cast<char>('0' + v % 10));
}

// The fields of ghmCentesimi2Stringa when each lies in 0..99 and the value and the day are
// positive; false sends the caller the general way.
struct CampiGhm {
    int d = 0;
    int h = 0;
    int m = 0;
    bool zero() const { return d == 0 && h == 0 && m == 0; }
};
bool LeggiCampi(float valore, float giornata, CampiGhm& c) {
    if (!(valore > 0) || !(giornata > 0)) return false;
    const float d = std::floor(valore / giornata);
    const float h = std::floor((valore - d * giornata) / 100.0f);
    const float resto = valore - (d * giornata + h * 100.0f);
    const auto m = static_cast<qint16>(std::floor(resto * 60.0f / 100.0f + 0.5f));
    if (d < 0 || d > 99 || h < 0 || h > 99 || m < 0 || m > 99) return false;
    c = {static_cast<int>(d), static_cast<int>(h), m};
    return true;
}

// "hh:mm", or "dd:hh:mm" with the day field, in one allocation.
QString TestoCampi(const CampiGhm& c, bool conGiorno) {
    QString t(conGiorno ? 8 : 5, QLatin1Char(':'));
    QChar* d = t.data();
    if (conGiorno) {
        DueCifre(d, c.d);
        d += 3;
    }
    DueCifre(d, c.h);
    DueCifre(d + 3, c.m);
    return t;
}

// ghmCentesimi2Stringa without the number-to-text conversions for the fields of 0..99; any
// other value goes the general way.
QString Ghm(float valore, float giornata) {
    if (valore == 0) return {};
    CampiGhm c;
    if (!LeggiCampi(valore, giornata, c)) return ghmCentesimi2Stringa(valore, giornata);
    return c.zero() ? QString() : TestoCampi(c, true);
}

// Ghm(valore, giornata).mid(3): the day field dropped.
QString GhmSenzaGiorno(float valore, float giornata) {
    if (valore == 0) return {};
    CampiGhm c;
    if (!LeggiCampi(valore, giornata, c)) return ghmCentesimi2Stringa(valore, giornata).mid(3);
    return c.zero() ? QString() : TestoCampi(c, false);
}

// The halt time as its dd:hh:mm text reads back: whole minutes (ghmStringa2Centesimi of Ghm).
float MinutiInteri(float valore, float giornata) {
    if (!(valore > 0) || !(giornata > 0)) return ghmStringa2Centesimi(Ghm(valore, giornata), giornata);
    const float d = std::floor(valore / giornata);
    const float h = std::floor((valore - d * giornata) / 100.0f);
    const float resto = valore - (d * giornata + h * 100.0f);
    const auto m = static_cast<qint16>(std::floor(resto * 60.0f / 100.0f + 0.5f));
    if (d > 99 || h > 99 || m > 99) return ghmStringa2Centesimi(Ghm(valore, giornata), giornata);
    const qint16 minuti = CentesimiDeiMinuti(m);
    return static_cast<float>(static_cast<double>(d) * giornata + static_cast<double>(h) * 100 + minuti);
}

// The decimal digits of a whole number, as QString::number writes them, with a "." before every
// group of three when raggruppa: one allocation, no locale.
QString TestoIntero(qint64 n, bool raggruppa = false) {
    char cifre[32];
    int k = 0;
    quint64 v = n < 0 ? 0 - static_cast<quint64>(n) : static_cast<quint64>(n);
    int inGruppo = 0;
    do {
        if (raggruppa && inGruppo == 3) {
            cifre[k++] = '.';
            inGruppo = 0;
        }
        cifre[k++] = static_cast<char>('0' + v % 10);
        v /= 10;
        ++inGruppo;
    } while (v != 0);
    if (n < 0) cifre[k++] = '-';
    QString t(k, Qt::Uninitialized);
    QChar* d = t.data();
    for (int i = 0; i < k; ++i) d[i] = QLatin1Char(cifre[k - 1 - i]);
    return t;
}

// "#,###" of a whole number of kilometres.
QString KmRaggruppati(long km) {
    if (km <= 0) return Formato(static_cast<double>(km), QStringLiteral("#,###"));
    return TestoIntero(km, true);
}

// A road type's speed with, when it is a whole number of km/h (as the boxes give it), that
// number: the time of a piece then needs no wide arithmetic.
struct Velocita {
    float v = 0;
    qint64 intera = 0;  // 0: not a whole number
    explicit Velocita(float velocita) : v(velocita) {
        if (velocita > 0 && velocita < 1e9f && std::floor(velocita) == velocita)
            intera = static_cast<qint64>(velocita);
    }
};

// Driving time of a piece, rounded half up: the integer part of km / v × 100 + 0.5, that is
// floor((200 km + v) / (2 v)), exactly (CentesimiPercorrenza for any other speed).
float TempoPezzo(int km, const Velocita& v) {
    if (v.intera == 0) return static_cast<float>(CentesimiPercorrenza(km, v.v));
    const qint64 numeratore = 200 * static_cast<qint64>(km) + v.intera;
    const qint64 divisore = 2 * v.intera;
    qint64 q = numeratore / divisore;
    if (numeratore % divisore != 0 && numeratore < 0) --q;
    return static_cast<float>(q);
}

// Kilometres drivable from the clock up to an event time, at least 1.
int PezzoFinoA(float evento, float ora, float v) {
    return std::max(1, static_cast<int>(std::floor((evento - ora) * v / 100.0f)));
}

qint16 GiorniUsati(const StatoMotore& s, const ParametriMotore& p) {
    const double giorni = static_cast<double>(s.giorno) - p.v.GiulianoInizio + 1;
    return static_cast<qint16>(std::clamp(giorni, -32768.0, 32767.0));
}

void InizioPassaggio(const ParametriMotore& p, StatoMotore& s) {
    const ValoriLavoro& v = p.v;
    float ora = v.OraInizio;
    if (v.OraPranzo <= ora && ora <= v.OraPranzo + v.DurataPranzo) ora = v.OraPranzo + v.DurataPranzo + 1;
    if (v.OraCena <= ora && ora <= v.OraCena + v.DurataCena) ora = v.OraCena + v.DurataCena + 1;
    if (ora >= v.OraNotte) ora = v.OraColazione;
    s = StatoMotore{};
    s.ora = ora;
    s.pranzoFatto = v.OraPranzo + v.DurataPranzo < ora;
    s.cenaFatta = v.OraCena + v.DurataCena < ora;
    s.ultimaPausa = ora;
    s.ultimoRiposo = v.GiulianoInizio;
    s.giorno = v.GiulianoInizio;
    s.giornoUltimaGuida = s.giorno;
}

// Lunch, dinner and night at the new clock, each tested whatever the done switches say.
template <class Uscita>
void Eventi(const ParametriMotore& p, StatoMotore& s, Uscita& g) {
    const ValoriLavoro& v = p.v;
    if (QuasiUguale(s.ora, v.OraPranzo, p.tolleranza)) {
        g.aggiungiNota(s.riga, QStringLiteral(" Pranzo"));
        s.pranzoFatto = true;
        s.ora += v.DurataPranzo;
        s.ultimaPausa = s.ora;
    }
    if (QuasiUguale(s.ora, v.OraCena, p.tolleranza)) {
        g.aggiungiNota(s.riga, QStringLiteral(" Cena"));
        s.cenaFatta = true;
        s.ora += v.DurataCena;
        s.ultimaPausa = s.ora;
    }
    if (QuasiUguale(s.ora, v.OraNotte, p.tolleranza)) {
        g.aggiungiNota(s.riga, QStringLiteral(" Notte"));
        s.giorno += 1;
        s.ora = v.OraColazione;
        s.pranzoFatto = false;
        s.cenaFatta = false;
        s.ultimaPausa = s.ora;
    }
}

template <class Uscita>
void Pause(const ParametriMotore& p, StatoMotore& s, Uscita& g) {
    const ValoriLavoro& v = p.v;
    if (v.RiposoOre <= 0 || v.RiposoMinuti <= 0) return;
    const float intervallo = static_cast<float>(v.RiposoOre) * 100.0f;
    if (s.ora < s.ultimaPausa + intervallo) return;
    const float n = std::floor((s.ora - s.ultimaPausa) / intervallo);
    s.ora += n * static_cast<float>(v.RiposoMinuti);
    s.ultimaPausa += n * intervallo;
    if (n != 0) g.anteponiRiposo(s.riga, p);
}

// The piece loop of one leg.
template <class Uscita>
void Guida(const ParametriMotore& p, StatoMotore& s, const RigaCalcolo& riga, Uscita& g) {
    const ValoriLavoro& v = p.v;
    const int tipo = riga.tipo;
    const Velocita velocita(p.velocita[tipo]);
    const float vel = velocita.v;
    int rimanenti = riga.km;
    do {
        int pezzo = rimanenti;
        float tempo = TempoPezzo(pezzo, velocita);
        float arrivo = s.ora + tempo;
        if (v.RiposoOre > 0 && v.RiposoMinuti > 0 &&
            arrivo > s.ultimaPausa + static_cast<float>(v.RiposoOre) * 100.0f) {
            pezzo = Minore(
                static_cast<int>(std::floor(static_cast<float>(v.RiposoOre) * 100.0f * vel / 100.0f)), pezzo);
            tempo = TempoPezzo(pezzo, velocita);
            arrivo = s.ora + tempo;
        }
        const float tol = static_cast<float>(p.tolleranza);
        if (arrivo >= v.OraPranzo + tol && !s.pranzoFatto) {
            pezzo = PezzoFinoA(v.OraPranzo, s.ora, vel);
        } else if (arrivo >= v.OraCena + tol && !s.cenaFatta) {
            pezzo = PezzoFinoA(v.OraCena, s.ora, vel);
            s.cenaFatta = true;
        } else if (arrivo >= v.OraNotte + tol) {
            pezzo = PezzoFinoA(v.OraNotte, s.ora, vel);
        }
        // Every piece of a leg with kilometres covers at least one, so the loop ends.
        if (rimanenti > 0) pezzo = std::max(pezzo, 1);
        tempo = TempoPezzo(pezzo, velocita);

        if (v.RiposoGiorno > 0 && v.RiposoDopoGiorni > 0 &&
            static_cast<float>(v.RiposoDopoGiorni) + s.ultimoRiposo <= s.giorno) {
            s.giorno += v.RiposoGiorno;
            s.ultimoRiposo = s.giorno;
            if (s.riga - 1 >= 1) g.segnaRiposo(s.riga - 1);
        }

        s.ora += tempo;
        s.kmTotali += pezzo;
        ++s.riga;
        g.rigaGuida(s, p, riga, pezzo, tempo);
        Eventi(p, s, g);
        Pause(p, s, g);
        s.totali[0][tipo] += static_cast<float>(pezzo);
        // The end date shown is the day of the last driving piece.
        s.giornoUltimaGuida = s.giorno;

        rimanenti -= pezzo;
        if (rimanenti > 0) g.verso(s.riga, riga.verso());
    } while (rimanenti > 0);
}

// Stops and visits: inside the visiting hours, spread over as many days as they need.
// A halt row or a new-day row (note "Nuovo giorno").  Times a and b are shown as dd:hh:mm of the
// visit day, the day field dropped when it is "00"; a goes into column colonnaA, b into column 7.
template <class Uscita>
void StampaLaRigaNellaTabellaMFG(Uscita& uscita, StatoMotore& s, const ParametriMotore& p,
                                 const QString& testo, float a, float b, const QString& nota, int colonnaA,
                                 Percentuale& perc) {
    ++s.riga;
    uscita.rigaSosta(s, p, testo, a, b, nota, colonnaA);
    perc.eseguiEventi();
}

template <class Uscita>
void Sosta(const ParametriMotore& p, StatoMotore& s, const RigaCalcolo& riga, float coefficiente, Uscita& g,
           Percentuale& perc) {
    const ValoriLavoro& v = p.v;
    const float g15 = riga.visita;
    float h = riga.sosta + std::floor(g15 * coefficiente + 0.5f);
    if (h > 0) {
        if (s.ora > v.FineVisita) {
            s.ora = v.InizioVisita;
            s.giorno += 1;
        }
        const float inizio = s.ora;
        s.ora += h;
        const float limite = v.FineVisita + static_cast<float>(p.tolleranza) / 3.0f;
        if (s.ora >= limite) {
            s.ora = inizio;
            // Every whole visit span is a day of its own; what is left runs from the start mark and,
            // when it overruns the visiting hours, goes on from the next day's opening.
            const double giorni = std::floor(static_cast<double>(h) / v.ArcoVisita);
            const auto resto = static_cast<float>(h - giorni * v.ArcoVisita);
            s.giorno = static_cast<float>(s.giorno + giorni);
            if (resto > 0) {
                s.ora = inizio + resto;
                if (s.ora >= limite) {
                    s.ora = v.InizioVisita + (resto - (v.FineVisita - inizio));
                    s.giorno += 1;
                }
            }
        }
        s.pranzoFatto = v.OraPranzo + v.DurataPranzo < s.ora;
        s.cenaFatta = v.OraCena + v.DurataCena < s.ora;
        // The halt is shown and counted in whole minutes, as its text reads back.
        h = MinutiInteri(h, v.ArcoVisita);
        StampaLaRigaNellaTabellaMFG(g, s, p, riga.testoSosta(), h, g15, riga.nota, ColGuida, perc);
        if (s.ora > v.OraPranzo) s.pranzoFatto = true;
        if (s.ora > v.OraCena) s.cenaFatta = true;
    }
    if (riga.senzaTempo) StampaLaRigaNellaTabellaMFG(g, s, p, riga.tappa, 0, -1, riga.nota, ColGuida, perc);
}

// The halt times: dd:hh:mm of the visit day, the day field dropped when it is "00".
QString TestoTempoMostratoLento(float t, float giornata) {
    QString testo = Ghm(t, giornata);
    if (testo.size() >= 7 && testo.startsWith(QLatin1String("00"))) testo = testo.mid(3);
    return testo;
}

// The pass, made for each kind of output: a measuring pass, whose output does nothing, then loses
// the calls and the work that only feeds the rows.
template <class Uscita>
EsitoPassaggio Passaggio(const ParametriMotore& p, float coefficiente, qint16 giorniDesiderati,
                         const QList<RigaCalcolo>& tabella, Uscita& g, StatoMotore& s, Percentuale& perc) {
    const ValoriLavoro& v = p.v;
    EsitoPassaggio esito;
    const int ultima = static_cast<int>(tabella.size()) - 1;
    g.inizio(ultima, p.righeMassime);
    InizioPassaggio(p, s);
    perc.impostaMassimo(ultima);

    for (int t = 1; t <= ultima; ++t) {
        perc.AggiornaPercentuale(t);
        if (perc.progresso().stopRichiesto()) {
            esito.interrotto = true;
            break;
        }
        const RigaCalcolo& riga = tabella[t];
        if (riga.traghetto) ++s.traghetti;
        // The very first row always gives a driving row: it shows the departure.
        if (!(riga.km <= 0 && s.riga > 0)) {
            Guida(p, s, riga, g);
            if (s.ora > v.OraNotte) {
                s.giorno += 1;
                s.ora = v.OraColazione;
                s.pranzoFatto = false;
                s.cenaFatta = false;
            }
        }
        Sosta(p, s, riga, coefficiente, g, perc);
        if (riga.fineGiorno && s.ora > v.OraColazione) {
            s.ora = v.OraColazione;
            s.giorno += 1;
            s.pranzoFatto = false;
            s.cenaFatta = false;
            StampaLaRigaNellaTabellaMFG(g, s, p, QString(), 0, 0, QStringLiteral("Nuovo giorno"),
                                        kColTempoNuovoGiorno, perc);
        }
        if (s.riga > p.righeMassime) {
            esito.troppeRighe = true;
            break;
        }
        if (giorniDesiderati != 0 && GiorniUsati(s, p) > giorniDesiderati) {
            esito.troncato = t < ultima;
            break;
        }
    }
    g.fine(s.riga);
    esito.giorniUsati = GiorniUsati(s, p);
    return esito;
}

}  // namespace

qint16 Tolleranza(const QString& cmbRange) {
    return static_cast<qint16>(std::floor(Valore(cmbRange) * 100.0 / 60.0));
}

QString OreMinuti(float ora) {
    return GhmSenzaGiorno(ora, 2400);
}

void TestiGiorno(StatoMotore& s) {
    if (s.giorno == s.giornoTesti) return;
    s.giornoTesti = s.giorno;
    // Inside 1 March 1900 - 28 February 2100 the day numbers follow the Gregorian calendar, so the
    // platform's date does the work; outside it the day-number rules apply.
    constexpr double kPrimo = 693670;   // 1 March 1900
    constexpr double kUltimo = 766718;  // 28 February 2100
    const double giorno = std::nearbyint(static_cast<double>(s.giorno));
    if (giorno < kPrimo || giorno > kUltimo) {
        const QString data = Giu2Datas(s.giorno);
        s.giornoSettimana = GiornoSettimana(data);
        s.dataBreve = Data2Data(data).left(5);
        return;
    }
    const auto numero = static_cast<qint64>(giorno);
    const QDate data = QDate(2000, 1, 1).addDays(numero - 730135);
    s.giornoSettimana = QStringLiteral("SabDomLunMarMerGioVen").mid(3 * static_cast<int>(numero % 7), 3);
    QString breve(5, QLatin1Char('/'));
    DueCifre(breve.data(), data.day());
    DueCifre(breve.data() + 3, data.month());
    s.dataBreve = breve;
}

ScritturaGriglia::ScritturaGriglia(Griglia& mfgTab) : g_(mfgTab) {
    g_.iniziaAggiornamento();
}

ScritturaGriglia::~ScritturaGriglia() {
    g_.terminaAggiornamento();
}

void ScritturaGriglia::inizio(int righeTabella, int righeMassime) {
    // Nearly every table row gives at least one schedule row: room for them at once, up to the
    // row limit, where the pass stops.
    g_.ricominciaRighe(1, std::min(righeTabella, righeMassime) + 2);
    g_.impostaColonne(std::max(g_.colonne(), kColonneItinerario));
}

QString ScritturaGriglia::tempoMostrato(float t, float giornata) {
    if (t == 0) return {};
    CampiGhm c;
    if (LeggiCampi(t, giornata, c)) return c.zero() ? QString() : TestoCampi(c, c.d != 0);
    if (!lentoValido_ || t != tempoLento_ || giornata != giornataLenta_) {
        testoLento_ = TestoTempoMostratoLento(t, giornata);
        tempoLento_ = t;
        giornataLenta_ = giornata;
        lentoValido_ = true;
    }
    return testoLento_;
}

void ScritturaGriglia::spazio(int riga) {
    if (g_.righe() < riga + 2) g_.impostaRighe(std::max(riga + 2, g_.righe() + g_.righe() / 2));
}

void ScritturaGriglia::rigaGuida(StatoMotore& s, const ParametriMotore& p, const RigaCalcolo& riga, int km,
                                 float tempo) {
    const int r = s.riga;
    spazio(r);
    TestiGiorno(s);
    g_.impostaTesto(r, ColNumero, TestoIntero(r));
    g_.impostaTesto(r, ColTappa, riga.tappa);
    g_.impostaTesto(r, ColStrada, riga.strada);
    if (km != 0) g_.impostaTesto(r, ColKm, TestoIntero(km));
    g_.impostaTesto(r, ColTipoStrada, riga.tipoTesto);
    g_.impostaTesto(r, ColKmProgressivi, KmRaggruppati(s.kmTotali));
    g_.impostaTesto(r, ColTempo, GhmSenzaGiorno(tempo, p.v.ArcoGuida));
    g_.impostaTesto(r, ColGs, s.giornoSettimana);
    g_.impostaTesto(r, ColData, s.dataBreve);
    const QString ore = OreMinuti(s.ora);
    g_.impostaTesto(r, ColOre, ore);
    if (!ore.isEmpty()) s.oraUltimaRiga = ore;
}

void ScritturaGriglia::aggiungiNota(int r, const QString& evento) {
    g_.impostaTesto(r, ColNote, Trim(g_.testo(r, ColNote) + evento));
}

void ScritturaGriglia::anteponiRiposo(int r, const ParametriMotore& p) {
    g_.impostaTesto(r, ColNote,
                    QStringLiteral("Riposo ") + p.testoRipM + QLatin1Char('\'') + g_.testo(r, ColNote));
}

void ScritturaGriglia::segnaRiposo(int r) {
    g_.impostaTesto(r, ColOre, QStringLiteral("* ") + g_.testo(r, ColOre));
}

void ScritturaGriglia::verso(int r, const QString& testo) {
    g_.impostaTesto(r, ColTappa, testo);
}

void ScritturaGriglia::fine(int ultimaRiga) {
    // Five rows of room stay after the last row written.
    g_.impostaRighe(ultimaRiga + 5);
}

void ScritturaGriglia::rigaSosta(StatoMotore& s, const ParametriMotore& p, const QString& testo, float a,
                                 float b, const QString& nota, int colonnaA) {
    Griglia& g = g_;
    const int r = s.riga;
    spazio(r);
    QString tappa = testo;
    if (tappa.contains(QLatin1Char('['))) {
        tappa.remove(QStringLiteral("[Start]"), Qt::CaseInsensitive);
        tappa.remove(QStringLiteral("[End]"), Qt::CaseInsensitive);
    }
    if (UgualeTesto(nota, QStringLiteral("Nuovo giorno")))
        tappa = QStringLiteral(" > Partenza mattino successivo");
    g.impostaTesto(r, ColTappa, tappa);
    g.impostaRiga(r);
    g.impostaColonna(ColTempo);
    g.impostaGrassetto(r, ColTempo, true);
    const QString sa = tempoMostrato(a, p.v.ArcoVisita);
    const QString sb = tempoMostrato(b, p.v.ArcoVisita);
    if (!sb.isEmpty() || !sa.isEmpty() ||
        tappa.contains(QLatin1String("mattino successivo"), Qt::CaseInsensitive)) {
        TestiGiorno(s);
        g.impostaTesto(r, ColSosta, sb);
        g.impostaTesto(r, ColGs, s.giornoSettimana);
        g.impostaTesto(r, ColData, s.dataBreve);
        g.impostaTesto(r, ColOre, OreMinuti(s.ora));
        g.impostaTesto(r, colonnaA, sa);
    }
    g.impostaTesto(r, ColNote, nota);
}

void MostraRisultatiPassaggio(const ParametriMotore& p, const StatoMotore& s, BoxMeta& box) {
    const QString data = Giu2Datas(s.giornoUltimaGuida);
    box.txtFine[0] = data.mid(0, 2);
    box.txtFine[1] = data.mid(2, 2);
    box.txtFine[2] = data.mid(4, 4);
    if (!s.oraUltimaRiga.isEmpty()) {
        box.txtFine[3] = s.oraUltimaRiga.left(2);
        box.txtFine[4] = s.oraUltimaRiga.right(2);
    }
    box.txtFine[5] = GiornoSettimana(data);
    box.txtFine[6] = QString::number(GiorniUsati(s, p));
    float tempoTotale = 0;
    for (int i = 0; i < 4; ++i) {
        const float km = s.totali[0][i];
        const auto tempo = static_cast<float>(CentesimiPercorrenza(static_cast<qint64>(km), p.velocita[i]));
        tempoTotale += tempo;
        if (km == 0) continue;
        box.txtKmTot[i] = Formato(km, QStringLiteral("##,##0"));
        box.txtTempo[i] = ghmCentesimi2Stringa(tempo, p.v.ArcoVisita);
    }
    box.txtKmTot[4] = Formato(static_cast<double>(s.kmTotali), QStringLiteral("##,##0"));
    box.txtTempo[4] = ghmCentesimi2Stringa(tempoTotale, p.v.ArcoVisita);
    box.txtTragh = Formato(s.traghetti, QStringLiteral("#0"));
}

EsitoPassaggio EseguiPassaggio(const ParametriMotore& p, float coefficiente, qint16 giorniDesiderati,
                               const QList<RigaCalcolo>& tabella, MisuraPassaggio& uscita, StatoMotore& s,
                               Percentuale& perc) {
    return Passaggio(p, coefficiente, giorniDesiderati, tabella, uscita, s, perc);
}

EsitoPassaggio EseguiPassaggio(const ParametriMotore& p, float coefficiente, qint16 giorniDesiderati,
                               const QList<RigaCalcolo>& tabella, ScritturaGriglia& uscita, StatoMotore& s,
                               Percentuale& perc) {
    return Passaggio(p, coefficiente, giorniDesiderati, tabella, uscita, s, perc);
}
