#include "itinerary/KmTempi.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>

#include "common/Griglia.h"
#include "common/Percorrenza.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "itinerary/GrigliaItinerario.h"
#include "trips/Meta.h"
#include "trips/Parametri.h"

namespace {

float VelocitaUsabile(const std::array<float, 4>& velocita, int tipo) {
    if (velocita[tipo] > 0) return velocita[tipo];
    return static_cast<float>(Valore(ListaMediaKm(tipo).first()));
}

// The hh:mm text of a leg's driving time: legs of equal length and road share it, so each time
// is written out once.
class TestiTempoTappa {
  public:
    const QString& operator()(float centesimi) {
        auto trovato = testi_.constFind(centesimi);
        if (trovato == testi_.constEnd())
            trovato = testi_.insert(centesimi, ghmCentesimi2Stringa(centesimi, 9900).mid(3));
        return *trovato;
    }

  private:
    QHash<float, QString> testi_;
};

}  // namespace

int IndiceTipoStrada(const QString& codice) {
    static const QString tipi = QStringLiteral("ASPL");
    const QString c = Trim(codice);
    if (c.isEmpty()) return 3;
    const qsizetype p = tipi.indexOf(c, 0, Qt::CaseInsensitive);
    return p < 0 ? 3 : static_cast<int>(p);
}

QStringList ListaGiorniItinerario(int giorniMinimi) {
    if (giorniMinimi <= 0) return {QStringLiteral("000")};
    QStringList lista;
    for (int n = giorniMinimi; n <= giorniMinimi + 30; ++n) lista << Zero(n, 3);
    for (int n = 30; n <= 100; n += 5) lista << Zero(n, 3);
    for (int n = 110; n <= 200; n += 10) lista << Zero(n, 3);
    return lista;
}

RisultatoKmTempi CalcolaKmTempiItinerario(Griglia& mfgTab, const std::array<float, 4>& velocita,
                                          float arcoGuida, qint16 giorniDesiderati) {
    RisultatoKmTempi r;
    TestiTempoTappa testoTempo;
    Griglia::Aggiornamento lotto(mfgTab);
    for (int riga = 1; riga < mfgTab.righe(); ++riga) {
        if (mfgTab.testo(riga, ColTappa).isEmpty()) {
            for (int c = 0; c < mfgTab.colonne(); ++c) mfgTab.impostaTesto(riga, c, {});
            continue;
        }
        const qint16 km = KmIntero16(KmTappa(mfgTab, riga));
        if (mfgTab.testo(riga, ColStrada).contains(QLatin1String("TRAGH"), Qt::CaseInsensitive))
            ++r.Traghetti;
        if (km == 0) continue;
        const int tipo = IndiceTipoStrada(mfgTab.testo(riga, ColTipoStrada));
        const float v = VelocitaUsabile(velocita, tipo);
        const auto t = static_cast<float>(CentesimiPercorrenza(km, v));
        r.TempoTappa = t;
        r.Totali[kQuantitaKm][tipo] += km;
        r.Totali[kQuantitaTempo][tipo] += t;
        r.Totali[kQuantitaKm][kTotaleStrade] += km;
        r.Totali[kQuantitaTempo][kTotaleStrade] += t;
        mfgTab.impostaTesto(riga, ColTempo, testoTempo(t));
        mfgTab.impostaTesto(riga, ColKmProgressivi,
                            Formato(r.Totali[kQuantitaKm][kTotaleStrade], QStringLiteral("#,##0")));
    }
    for (int tipo = 0; tipo <= kTotaleStrade; ++tipo) {
        if (r.Totali[kQuantitaKm][tipo] == 0) continue;
        r.txtKmTot[tipo] = Formato(r.Totali[kQuantitaKm][tipo], QStringLiteral("#,##0"));
        r.txtTempo[tipo] = ghmCentesimi2Stringa(r.Totali[kQuantitaTempo][tipo], arcoGuida);
    }
    r.txtTragh = Formato(r.Traghetti, QStringLiteral("#0"));

    if (r.Totali[kQuantitaKm][kTotaleStrade] != 0) {
        // Whole driving days, and one more for a remainder of the last day.
        const QString totale = r.txtTempo[kTotaleStrade];
        r.GiorniMinimi = static_cast<float>(Valore(totale.left(2)));
        if (totale.mid(3) > QLatin1String("00:00")) r.GiorniMinimi += 1;
    }
    r.listaGiorni = ListaGiorniItinerario(static_cast<int>(r.GiorniMinimi));
    r.GiorniDesiderati = giorniDesiderati;
    if (r.GiorniDesiderati != 0 && r.GiorniDesiderati < r.GiorniMinimi)
        r.GiorniDesiderati = static_cast<qint16>(r.GiorniMinimi);
    r.cmbGiorni = Zero(r.GiorniDesiderati, 3);
    return r;
}

RisultatoKmTempi CalcolaKmTempiItinerario(Griglia& mfgTab, BoxMeta& box) {
    const ValoriLavoro valori = ControllaVariabiliConvertite(box);
    std::array<float, 4> velocita{};
    for (int i = 0; i < 4; ++i) velocita[i] = static_cast<float>(Valore(box.cmbMediaKm[i]));
    RisultatoKmTempi r =
        CalcolaKmTempiItinerario(mfgTab, velocita, valori.ArcoGuida, valori.GiorniDesiderati);
    box.txtKmTot = r.txtKmTot;
    box.txtTempo = r.txtTempo;
    box.txtTragh = r.txtTragh;
    box.cmbGiorni = r.cmbGiorni;
    return r;
}
