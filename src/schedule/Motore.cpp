#include "schedule/Motore.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/Date.h"
#include "common/Griglia.h"
#include "common/Progresso.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "itinerary/GrigliaItinerario.h"
#include "schedule/Percentuale.h"
#include "schedule/TabellaCalcolo.h"

namespace {

const QString kTipiStrada = QStringLiteral("ASPL");
// A new-day row has no time a; its column lies beyond the grid's last and is never shown.
constexpr int kColTempoNuovoGiorno = 15;

// 0-based road type of a code: its place in "ASPL", the local road when it is not there.
int IndiceTipoStrada(const QString& codice) {
    const QString c = Trim(codice);
    if (c.isEmpty()) return 3;
    const qsizetype p = kTipiStrada.indexOf(c, 0, Qt::CaseInsensitive);
    return p < 0 ? 3 : static_cast<int>(p);
}

qint16 Intero16(double v) {
    const double r = std::nearbyint(v);
    return static_cast<qint16>(std::clamp(r, double(std::numeric_limits<qint16>::min()),
                                          double(std::numeric_limits<qint16>::max())));
}

// Driving time of a piece, rounded half up.
float TempoPezzo(int km, float v) {
    return std::floor(static_cast<float>(km) / v * 100.0f + 0.5f);
}

// Kilometres drivable from the clock up to an event time, at least 1.
int PezzoFinoA(float evento, float ora, float v) {
    return std::max(1, static_cast<int>(std::floor((evento - ora) * v / 100.0f)));
}

qint16 GiorniUsati(const StatoMotore& s, const ParametriMotore& p) {
    return static_cast<qint16>(s.giorno - p.v.GiulianoInizio + 1);
}

void Crescita(Griglia& g, int righe) {
    if (g.righe() < righe) g.impostaRighe(std::max(righe, g.righe() + g.righe() / 2));
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
}

void AggiungiNota(Griglia& g, int r, const QString& evento) {
    g.impostaTesto(r, ColNote, Trim(g.testo(r, ColNote) + evento));
}

// Lunch, dinner and night at the new clock, each tested whatever the done switches say.
void Eventi(const ParametriMotore& p, StatoMotore& s, Griglia& g) {
    const ValoriLavoro& v = p.v;
    if (QuasiUguale(s.ora, v.OraPranzo, p.tolleranza)) {
        AggiungiNota(g, s.riga, QStringLiteral(" Pranzo"));
        s.pranzoFatto = true;
        s.ora += v.DurataPranzo;
        s.ultimaPausa = s.ora;
    }
    if (QuasiUguale(s.ora, v.OraCena, p.tolleranza)) {
        AggiungiNota(g, s.riga, QStringLiteral(" Cena"));
        s.cenaFatta = true;
        s.ora += v.DurataCena;
        s.ultimaPausa = s.ora;
    }
    if (QuasiUguale(s.ora, v.OraNotte, p.tolleranza)) {
        AggiungiNota(g, s.riga, QStringLiteral(" Notte"));
        s.giorno += 1;
        s.ora = v.OraColazione;
        s.pranzoFatto = false;
        s.cenaFatta = false;
        s.ultimaPausa = s.ora;
    }
}

void Pause(const ParametriMotore& p, StatoMotore& s, Griglia& g) {
    const ValoriLavoro& v = p.v;
    if (v.RiposoOre <= 0 || v.RiposoMinuti <= 0) return;
    const float intervallo = static_cast<float>(v.RiposoOre) * 100.0f;
    if (s.ora < s.ultimaPausa + intervallo) return;
    const float n = std::floor((s.ora - s.ultimaPausa) / intervallo);
    s.ora += n * static_cast<float>(v.RiposoMinuti);
    s.ultimaPausa += n * intervallo;
    if (n != 0)
        g.impostaTesto(
            s.riga, ColNote,
            QStringLiteral("Riposo ") + p.testoRipM + QLatin1Char('\'') + g.testo(s.riga, ColNote));
}

void ScriviRigaGuida(Griglia& g, StatoMotore& s, const Griglia& copia, int t, int km) {
    const int r = ++s.riga;
    Crescita(g, r + 2);
    TestiGiorno(s);
    g.impostaTesto(r, ColNumero, QString::number(r));
    g.impostaTesto(r, ColTappa, copia.testo(t, ColTappa));
    g.impostaTesto(r, ColStrada, Trim(copia.testo(t, ColStrada)));
    if (km != 0) g.impostaTesto(r, ColKm, QString::number(km));
    g.impostaTesto(r, ColTipoStrada, copia.testo(t, ColTipoStrada));
    g.impostaTesto(r, ColKmProgressivi, Formato(static_cast<double>(s.kmTotali), QStringLiteral("#,###")));
}

void ScriviTempiRigaGuida(Griglia& g, StatoMotore& s, const ParametriMotore& p, float tempoPezzo) {
    const int r = s.riga;
    g.impostaTesto(r, ColTempo, ghmCentesimi2Stringa(tempoPezzo, p.v.ArcoGuida).mid(3));
    g.impostaTesto(r, ColGs, s.giornoSettimana);
    g.impostaTesto(r, ColData, s.dataBreve);
    const QString ore = OreMinuti(s.ora);
    g.impostaTesto(r, ColOre, ore);
    if (!ore.isEmpty()) s.oraUltimaRiga = ore;
}

// The piece loop of one leg.
void Guida(const ParametriMotore& p, StatoMotore& s, const Griglia& copia, int t, qint16 k, Griglia& g) {
    const ValoriLavoro& v = p.v;
    const int tipo = IndiceTipoStrada(copia.testo(t, ColTipoStrada));
    const float vel = p.velocita[tipo];
    int rimanenti = k;
    do {
        int pezzo = rimanenti;
        float tempo = TempoPezzo(pezzo, vel);
        float arrivo = s.ora + tempo;
        if (v.RiposoOre > 0 && v.RiposoMinuti > 0 &&
            arrivo > s.ultimaPausa + static_cast<float>(v.RiposoOre) * 100.0f) {
            pezzo = Minore(
                static_cast<int>(std::floor(static_cast<float>(v.RiposoOre) * 100.0f * vel / 100.0f)), pezzo);
            tempo = TempoPezzo(pezzo, vel);
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
        tempo = TempoPezzo(pezzo, vel);

        if (v.RiposoGiorno > 0 && v.RiposoDopoGiorni > 0 &&
            static_cast<float>(v.RiposoDopoGiorni) + s.ultimoRiposo <= s.giorno) {
            s.giorno += v.RiposoGiorno;
            s.ultimoRiposo = s.giorno;
            if (s.riga - 1 >= 1)
                g.impostaTesto(s.riga - 1, ColOre, QStringLiteral("* ") + g.testo(s.riga - 1, ColOre));
        }

        s.ora += tempo;
        s.kmTotali += pezzo;
        ScriviRigaGuida(g, s, copia, t, pezzo);
        ScriviTempiRigaGuida(g, s, p, tempo);
        Eventi(p, s, g);
        Pause(p, s, g);
        s.totali[0][tipo] += static_cast<float>(pezzo);
        // The end date shown is the day of the last driving piece.
        s.giornoUltimaGuida = s.giorno;

        rimanenti -= pezzo;
        if (rimanenti > 0)
            g.impostaTesto(s.riga, ColTappa,
                           QStringLiteral("verso: ") +
                               PrimoMaiuscolo(RiPulisceNomeLocalita(copia.testo(t, ColTappa)), false));
    } while (rimanenti > 0);
}

// Stops and visits: inside the visiting hours, spread over as many days as they need.
void Sosta(const ParametriMotore& p, StatoMotore& s, const Griglia& copia, int t, float coefficiente,
           Griglia& g, Percentuale& perc) {
    const ValoriLavoro& v = p.v;
    const float g15 = static_cast<float>(Valore(copia.testo(t, ColCVisita)));
    QString sosta = copia.testo(t, ColCSosta);
    sosta.remove(QLatin1Char(':'));
    float h = static_cast<float>(Valore(sosta)) + std::floor(g15 * coefficiente + 0.5f);
    if (h > 0) {
        const QString testo = ghmCentesimi2Stringa(h, v.ArcoVisita);
        if (s.ora > v.FineVisita) {
            s.ora = v.InizioVisita;
            s.giorno += 1;
        }
        const float inizio = s.ora;
        s.ora += h;
        const float limite = v.FineVisita + static_cast<float>(p.tolleranza) / 3.0f;
        if (s.ora >= limite) {
            s.ora = inizio;
            float resto = h;
            while (resto > 0) {
                if (resto >= v.ArcoVisita) {
                    resto -= v.ArcoVisita;
                    s.giorno += 1;
                } else {
                    s.ora = inizio + resto;
                    if (s.ora >= limite) {
                        resto -= v.FineVisita - inizio;
                        s.ora = v.InizioVisita + resto;
                        s.giorno += 1;
                    }
                    resto = 0;
                }
            }
        }
        s.pranzoFatto = v.OraPranzo + v.DurataPranzo < s.ora;
        s.cenaFatta = v.OraCena + v.DurataCena < s.ora;
        h = ghmStringa2Centesimi(testo, v.ArcoVisita);
        StampaLaRigaNellaTabellaMFG(g, s, p,
                                    PrimoMaiuscolo(RiPulisceNomeLocalita(copia.testo(t, ColTappa)), false), h,
                                    g15, copia.testo(t, ColCTipoGuida), ColGuida, perc);
        if (s.ora > v.OraPranzo) s.pranzoFatto = true;
        if (s.ora > v.OraCena) s.cenaFatta = true;
    }
    if (copia.testo(t, ColCSenzaTempo) == QLatin1String("-1"))
        StampaLaRigaNellaTabellaMFG(g, s, p, copia.testo(t, ColTappa), 0, -1, copia.testo(t, ColCTipoGuida),
                                    ColGuida, perc);
}

QString TestoTempoMostrato(float t, float giornata) {
    QString testo = ghmCentesimi2Stringa(t, giornata);
    if (testo.size() >= 7 && testo.startsWith(QLatin1String("00"))) testo = testo.mid(3);
    return testo;
}

}  // namespace

qint16 Tolleranza(const QString& cmbRange) {
    return static_cast<qint16>(std::floor(Valore(cmbRange) * 100.0 / 60.0));
}

QString OreMinuti(float ora) {
    return ghmCentesimi2Stringa(ora, 2400).mid(3);
}

void TestiGiorno(StatoMotore& s) {
    if (s.giorno == s.giornoTesti) return;
    const QString data = Giu2Datas(s.giorno);
    s.giornoTesti = s.giorno;
    s.giornoSettimana = GiornoSettimana(data);
    s.dataBreve = Data2Data(data).left(5);
}

void StampaLaRigaNellaTabellaMFG(Griglia& g, StatoMotore& s, const ParametriMotore& p, const QString& testo,
                                 float a, float b, const QString& nota, int colonnaA, Percentuale& perc) {
    const int r = ++s.riga;
    Crescita(g, r + 2);
    QString tappa = testo;
    tappa.remove(QStringLiteral("[Start]"), Qt::CaseInsensitive);
    tappa.remove(QStringLiteral("[End]"), Qt::CaseInsensitive);
    if (UgualeTesto(nota, QStringLiteral("Nuovo giorno")))
        tappa = QStringLiteral(" > Partenza mattino successivo");
    g.impostaTesto(r, ColTappa, tappa);
    g.impostaRiga(r);
    g.impostaColonna(ColTempo);
    g.impostaGrassetto(r, ColTempo, true);
    const QString sa = TestoTempoMostrato(a, p.v.ArcoVisita);
    const QString sb = TestoTempoMostrato(b, p.v.ArcoVisita);
    if (tappa.contains(QStringLiteral("mattino successivo"), Qt::CaseInsensitive) || !sb.isEmpty() ||
        !sa.isEmpty()) {
        TestiGiorno(s);
        g.impostaTesto(r, ColSosta, sb);
        g.impostaTesto(r, ColGs, s.giornoSettimana);
        g.impostaTesto(r, ColData, s.dataBreve);
        g.impostaTesto(r, ColOre, OreMinuti(s.ora));
        g.impostaTesto(r, colonnaA, sa);
    }
    g.impostaTesto(r, ColNote, nota);
    perc.eseguiEventi();
}

EsitoPassaggio EseguiPassaggio(const ParametriMotore& p, float coefficiente, qint16 giorniDesiderati,
                               const Griglia& copia, Griglia& g, StatoMotore& s, Percentuale& perc) {
    const ValoriLavoro& v = p.v;
    EsitoPassaggio esito;
    Griglia::Aggiornamento lotto(g);
    g.impostaRighe(1);
    g.impostaColonne(std::max(g.colonne(), kColonneItinerario));
    InizioPassaggio(p, s);
    const int ultima = copia.righe() - 1;
    perc.impostaMassimo(ultima);

    for (int t = 1; t <= ultima; ++t) {
        perc.AggiornaPercentuale(t);
        if (perc.progresso().stopRichiesto()) {
            esito.interrotto = true;
            break;
        }
        const qint16 k = Intero16(KmTappa(copia, t));
        if (copia.testo(t, ColStrada).contains(QLatin1String("TRAGH"), Qt::CaseInsensitive)) ++s.traghetti;
        // The very first row always gives a driving row: it shows the departure.
        if (!(k <= 0 && s.riga > 0)) {
            Guida(p, s, copia, t, k, g);
            if (s.ora > v.OraNotte) {
                s.giorno += 1;
                s.ora = v.OraColazione;
                s.pranzoFatto = false;
                s.cenaFatta = false;
            }
        }
        Sosta(p, s, copia, t, coefficiente, g, perc);
        if (copia.testo(t, ColCFineGiorno) == QLatin1String("1") && s.ora > v.OraColazione) {
            s.ora = v.OraColazione;
            s.giorno += 1;
            s.pranzoFatto = false;
            s.cenaFatta = false;
            StampaLaRigaNellaTabellaMFG(g, s, p, QString(), 0, 0, QStringLiteral("Nuovo giorno"),
                                        kColTempoNuovoGiorno, perc);
        }
        if (s.riga >= g.righe() - 3) g.impostaRighe(s.riga + 5);
        if (giorniDesiderati != 0 && GiorniUsati(s, p) > giorniDesiderati) break;
    }
    // Every table row leaves five rows of room after the last row written.
    g.impostaRighe(s.riga + 5);
    esito.giorniUsati = GiorniUsati(s, p);
    return esito;
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
        const float tempo = std::floor(km / p.velocita[i] * 100.0f + 0.5f);
        tempoTotale += tempo;
        if (km == 0) continue;
        box.txtKmTot[i] = Formato(km, QStringLiteral("##,##0"));
        box.txtTempo[i] = ghmCentesimi2Stringa(tempo, p.v.ArcoVisita);
    }
    box.txtKmTot[4] = Formato(static_cast<double>(s.kmTotali), QStringLiteral("##,##0"));
    box.txtTempo[4] = ghmCentesimi2Stringa(tempoTotale, p.v.ArcoVisita);
    box.txtTragh = Formato(s.traghetti, QStringLiteral("#0"));
}
