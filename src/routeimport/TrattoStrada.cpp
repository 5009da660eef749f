#include "routeimport/TrattoStrada.h"

#include <algorithm>

#include "common/Griglia.h"
#include "common/Testo.h"
#include "itinerary/GrigliaItinerario.h"

namespace {

constexpr int kIndicePrima = 0;
constexpr int kIndiceUltima = 1;
constexpr int kIndiceAssegna = 2;
// The first leg of an assigned stretch is brought this many rows below the top of the grid.
constexpr int kRigheSopra = 12;

QString TipoDellaTappa(const Griglia& g, int riga) {
    const QString tipo = Trim(g.testo(riga, ColTipoStrada)).left(1).toUpper();
    return tipo.isEmpty() ? QStringLiteral("L") : tipo;
}

int RigaCorrente(const Griglia& g) {
    return std::clamp(g.riga(), 1, std::max(1, g.righe() - 1));
}

void Assegna(Griglia& g, StatoTratto& s) {
    const int prima = NumeroTappaTratto(s.primaTappa);
    const int ultima = std::min(NumeroTappaTratto(s.ultimaTappa), g.righe() - 1);
    if (prima < 1 || ultima < prima) return;
    if (s.marche.size() < g.righe()) s.marche = s.marche.leftJustified(g.righe(), QLatin1Char('0'));
    for (int r = prima; r <= ultima; ++r) {
        g.impostaTesto(r, ColTipoStrada, s.tipoStrada);
        s.marche[r] = QLatin1Char('1');
    }
    if (prima > g.rigaInAlto() + kRigheSopra) g.impostaRigaInAlto(std::max(1, prima - kRigheSopra));
    s.primaTappa = TestoTappaTratto(g, prima);
    s.ultimaTappa = TestoTappaTratto(g, ultima);
}

}  // namespace

QString TestoTappaTratto(const Griglia& g, int riga) {
    return (QStringLiteral("0000") + g.testo(riga, ColNumero)).right(4) + QLatin1Char(' ') +
           g.testo(riga, ColTipoStrada) + QLatin1Char(' ') + g.testo(riga, ColTappa);
}

int NumeroTappaTratto(const QString& testo) {
    return static_cast<int>(Valore(testo.left(4)));
}

void cmdTappaSEl_Click(Griglia& g, StatoTratto& s, int indice) {
    if (s.marche.isEmpty()) s.marche = QString(g.righe(), QLatin1Char('0'));
    const int riga = RigaCorrente(g);
    if (indice == kIndicePrima) {
        s.primaTappa = TestoTappaTratto(g, riga);
        s.tipoStrada = TipoDellaTappa(g, riga);
        if (s.ultimaTappa.isEmpty() || NumeroTappaTratto(s.ultimaTappa) < NumeroTappaTratto(s.primaTappa))
            s.ultimaTappa = s.primaTappa;
    } else if (indice == kIndiceUltima) {
        s.ultimaTappa = TestoTappaTratto(g, riga);
        if (s.primaTappa.isEmpty() || NumeroTappaTratto(s.primaTappa) > NumeroTappaTratto(s.ultimaTappa))
            s.primaTappa = s.ultimaTappa;
        s.tipoStrada = TipoDellaTappa(g, riga);
    } else if (indice == kIndiceAssegna) {
        Assegna(g, s);
    }
    s.assegnaAbilitato = !s.primaTappa.isEmpty() && !s.ultimaTappa.isEmpty();
    const int prima = NumeroTappaTratto(s.primaTappa);
    const int ultima = NumeroTappaTratto(s.ultimaTappa);
    if (s.assegnaAbilitato && ultima >= prima) {
        SelezioneGriglia(g, prima, ultima, 0, g.colonne() - 1);
        s.numeroTappe = QString::number(ultima - prima + 1);
    }
}

bool ModificheTratto(const StatoTratto& s) {
    return s.marche.contains(QLatin1Char('1'));
}

void MarcheSalvate(StatoTratto& s) {
    s.marche.replace(QLatin1Char('1'), QLatin1Char('0'));
}
