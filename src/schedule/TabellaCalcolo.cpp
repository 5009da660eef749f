#include "schedule/TabellaCalcolo.h"

#include <QSet>
#include <algorithm>
#include <cmath>

#include "common/Griglia.h"
#include "common/Progresso.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "database/Database.h"
#include "database/TipiGuida.h"
#include "guide/GuidaCitta.h"
#include "guide/LetturaGuida.h"
#include "guide/TempoGuida.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/Tappe.h"
#include "schedule/Percentuale.h"
#include "trips/Parametri.h"

namespace {

const QString kStart = QStringLiteral("[Start]");
const QString kEnd = QStringLiteral("[End]");

// The markers begin with '[': a text without one is not searched.
bool Contiene(const QString& testo, const QString& marca) {
    return testo.contains(QLatin1Char('[')) && testo.contains(marca, Qt::CaseInsensitive);
}

void SistemaMarche(Griglia& mfgTab) {
    bool start = false;
    for (int r = 1; r < mfgTab.righe() && !start; ++r) {
        QString localita = mfgTab.testo(r, ColTappa);
        if (Contiene(localita, kStart)) {
            start = true;
        } else if (Contiene(localita, kEnd)) {
            localita.remove(kEnd, Qt::CaseInsensitive);
            mfgTab.impostaTesto(r, ColTappa, Trim(localita));
        }
    }
    if (!start) mfgTab.impostaTesto(1, ColTappa, mfgTab.testo(1, ColTappa) + kMarcaStart);
}

class Tabella {
  public:
    explicit Tabella(Griglia& g) : g_(g) {}
    int aggiungi() {
        ++n_;
        if (g_.righe() <= n_) g_.impostaRighe(std::max(n_ + 1, g_.righe() * 2));
        return n_;
    }
    int righe() const { return n_; }
    // Room for the rows expected at once, rather than growing as they come.
    void prevedi(int n) {
        if (g_.righe() <= n) g_.impostaRighe(n + 1);
    }
    void chiudi() { g_.impostaRighe(n_ + 1); }

  private:
    Griglia& g_;
    int n_ = 0;
};

struct Localita {
    float sosta = 0;
    float visita = 0;
    int rigaSosta = 0;
    QList<int> righeVisita;  // guide rows carrying a time
};

void AggiungiRigheGuida(FonteGuida& fonte, const QString& chiave, Griglia& copia, Tabella& tabella,
                        TempiGuidaLetti& tempoVoce, const TabellaTipiGuida& tipi, Localita& loc) {
    for (const VoceTabella& v : fonte.voci(chiave)) {
        const float tempo = tempoVoce(v.tempo);
        const QString tipo = NomeTipoGuida(tipi, static_cast<int>(Valore(v.codice)));
        const int t = tabella.aggiungi();
        copia.impostaTesto(t, ColCTipoGuida, tipo);
        if (tempo == 0) {
            copia.impostaTesto(t, ColTappa, QStringLiteral(" > ") + v.descrizione);
            copia.impostaTesto(t, ColCSenzaTempo, QStringLiteral("-1"));
            continue;
        }
        const QString g = Trim(v.gruppo);
        // A group stored as a blank or "0" means no group.
        const QString prefisso =
            (g.isEmpty() || g == QLatin1String("0")) ? QString() : v.gruppo + QStringLiteral(" * ");
        copia.impostaTesto(t, ColTappa, QStringLiteral(" > ") + prefisso + v.descrizione);
        copia.impostaTesto(t, ColCVisita, TestoTempoTabella(tempo));
        loc.visita += tempo;
        loc.righeVisita << t;
    }
}

// Modes 4 and 5 keep one of a locality's stop and visits, the other shrinks to one hundredth.
void Neutralizza(QChar modo, const Localita& loc, Griglia& copia) {
    if ((modo != QLatin1Char('4') && modo != QLatin1Char('5')) || loc.sosta <= 0 || loc.visita <= 0) return;
    const bool tieniSosta = modo == QLatin1Char('4') ? loc.sosta > loc.visita : loc.sosta <= loc.visita;
    if (tieniSosta) {
        for (int t : loc.righeVisita) copia.impostaTesto(t, ColCVisita, kTempoNeutro);
    } else {
        copia.impostaTesto(loc.rigaSosta, ColCSosta, kTempoNeutro);
    }
}

}  // namespace

QString TestoTempoTabella(float valore) {
    // Whole hundredths, the usual case, are their digits: what nine significant digits show.
    if (valore >= 1 && valore < 1e8f && std::floor(valore) == valore)
        return QString::number(static_cast<qint64>(valore));
    return QString::number(static_cast<double>(valore), 'g', 9);
}

QChar ModoSoste(const QString& cmbSoste) {
    return cmbSoste.isEmpty() ? QLatin1Char('3') : cmbSoste.at(0);
}

TotaliSoste PreparaTabellaPerCalcoloZavetra(Database& db, Griglia& mfgTab, Griglia& mfgCopia,
                                            const ValoriLavoro& valori, QChar modo,
                                            const TabellaTipiGuida& tipi, Percentuale& percentuale) {
    Griglia::Aggiornamento lotto(mfgCopia);
    mfgCopia.impostaRighe(1);
    mfgCopia.svuota();
    ImpostaGriglia(mfgCopia, LayoutTabellaCalcolo);
    mfgCopia.impostaColonne(std::max(mfgTab.colonne(), kColonneTabellaCalcolo));
    mfgCopia.impostaRighe(1);
    percentuale.progresso().didascalia(QString::fromUtf8("Elaborazione delle soste e guida città"));
    percentuale.impostaMassimo(mfgTab.righe() - 1);

    SistemaMarche(mfgTab);

    const bool soste = modo == '1' || modo == '3' || modo == '4' || modo == '5';
    const bool guida = modo == '2' || modo == '3' || modo == '4' || modo == '5';
    Tabella tabella(mfgCopia);
    int localita = 0;
    for (int r = 1; r < mfgTab.righe(); ++r)
        if (!mfgTab.testo(r, ColTappa).isEmpty()) ++localita;
    FonteGuida fonte(db, guida ? localita : -1);
    tabella.prevedi(localita * (soste ? 2 : 1) + fonte.vociLette());
    TempiGuidaLetti tempoVoce(valori.ArcoVisita);
    QSet<QString> visitate;  // localities whose entries were already used
    bool dentro = false;
    bool finePassata = false;
    for (int r = 1; r < mfgTab.righe(); ++r) {
        percentuale.AggiornaPercentuale(r);
        const QString localita = mfgTab.testo(r, ColTappa);
        if (localita.isEmpty()) continue;
        if (Contiene(localita, kStart)) dentro = true;
        Localita loc;

        const int rigaTappa = tabella.aggiungi();
        for (int c = ColTappa; c <= ColTempo; ++c) mfgCopia.impostaTesto(rigaTappa, c, mfgTab.testo(r, c));

        const QString cellaSosta = mfgTab.testo(r, ColSosta);
        if (soste && !cellaSosta.isEmpty()) {
            // Only the last 8 characters count: a leading "*" (end of day) is not read.
            loc.sosta = ghmStringa2Centesimi(cellaSosta, valori.ArcoVisita);
            loc.rigaSosta = tabella.aggiungi();
            mfgCopia.impostaTesto(loc.rigaSosta, ColTappa, QStringLiteral(" > a ") + localita);
            mfgCopia.impostaTesto(loc.rigaSosta, ColCSosta, TestoTempoTabella(loc.sosta));
        }

        if (guida && dentro && !finePassata) {
            // The guide key drops a leading "near " or "vicino " as well as qualifier and marker.
            QString chiave = localita;
            PulisceNomeLocalita(chiave);
            const QString chiaveInsieme = Minuscolo(chiave);
            if (!Trim(chiave).isEmpty() && !visitate.contains(chiaveInsieme)) {
                visitate.insert(chiaveInsieme);
                AggiungiRigheGuida(fonte, chiave, mfgCopia, tabella, tempoVoce, tipi, loc);
            }
        }

        if (cellaSosta.startsWith(QLatin1Char('*')))
            mfgCopia.impostaTesto(tabella.righe(), ColCFineGiorno, QStringLiteral("1"));
        Neutralizza(modo, loc, mfgCopia);
        if (Contiene(localita, kEnd)) finePassata = true;
    }
    tabella.chiudi();

    TotaliSoste totali;
    for (int t = 1; t < mfgCopia.righe(); ++t) {
        totali.sosta += static_cast<float>(Valore(mfgCopia.testo(t, ColCSosta)));
        totali.visita += static_cast<float>(Valore(mfgCopia.testo(t, ColCVisita)));
    }
    totali.fermata = totali.sosta + totali.visita;
    return totali;
}
