#include "schedule/TabellaCalcolo.h"

#include <QSet>
#include <algorithm>
#include <cmath>

#include "common/Griglia.h"
#include "common/Percorrenza.h"
#include "common/Progresso.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "database/Database.h"
#include "database/TipiGuida.h"
#include "guide/GuidaCitta.h"
#include "guide/LetturaGuida.h"
#include "guide/TempoGuida.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/KmTempi.h"
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

// The grid rows and, beside each, the row the passes read.
class Tabella {
  public:
    Tabella(Griglia& g, QList<RigaCalcolo>& righe) : g_(g), righe_(righe) { righe_.resize(1); }
    int aggiungi() {
        ++n_;
        if (g_.righe() <= n_) g_.impostaRighe(std::max(n_ + 1, g_.righe() * 2));
        righe_.emplaceBack();
        return n_;
    }
    int righe() const { return n_; }
    RigaCalcolo& riga(int t) { return righe_[t]; }
    // Room for the rows expected at once, rather than growing as they come.
    void prevedi(int n) {
        if (g_.righe() <= n) g_.impostaRighe(n + 1);
        righe_.reserve(n + 1);
    }
    void chiudi() { g_.impostaRighe(n_ + 1); }
    // A text of the grid row, also kept (as shown) for the passes.
    void testo(int t, int colonna, const QString& testo, QString RigaCalcolo::*campo) {
        g_.impostaTesto(t, colonna, testo);
        righe_[t].*campo = testo;
    }
    // A time written in the grid; the passes read the value its text gives back.
    void tempo(int t, int colonna, const QString& testo, float RigaCalcolo::*campo) {
        g_.impostaTesto(t, colonna, testo);
        righe_[t].*campo = static_cast<float>(Valore(testo));
    }

  private:
    Griglia& g_;
    QList<RigaCalcolo>& righe_;
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
        tabella.testo(t, ColCTipoGuida, tipo, &RigaCalcolo::nota);
        if (tempo == 0) {
            tabella.testo(t, ColTappa, QStringLiteral(" > ") + v.descrizione, &RigaCalcolo::tappa);
            copia.impostaTesto(t, ColCSenzaTempo, QStringLiteral("-1"));
            tabella.riga(t).senzaTempo = true;
            continue;
        }
        const QString g = Trim(v.gruppo);
        // A group stored as a blank or "0" means no group.
        const QString prefisso =
            (g.isEmpty() || g == QLatin1String("0")) ? QString() : v.gruppo + QStringLiteral(" * ");
        tabella.testo(t, ColTappa, QStringLiteral(" > ") + prefisso + v.descrizione, &RigaCalcolo::tappa);
        tabella.tempo(t, ColCVisita, TestoTempoTabella(tempo), &RigaCalcolo::visita);
        loc.visita += tempo;
        loc.righeVisita << t;
    }
}

// Modes 4 and 5 keep one of a locality's stop and visits, the other shrinks to one hundredth.
void Neutralizza(QChar modo, const Localita& loc, Tabella& tabella) {
    if ((modo != QLatin1Char('4') && modo != QLatin1Char('5')) || loc.sosta <= 0 || loc.visita <= 0) return;
    const bool tieniSosta = modo == QLatin1Char('4') ? loc.sosta > loc.visita : loc.sosta <= loc.visita;
    if (tieniSosta) {
        for (int t : loc.righeVisita) tabella.tempo(t, ColCVisita, kTempoNeutro, &RigaCalcolo::visita);
    } else {
        tabella.tempo(loc.rigaSosta, ColCSosta, kTempoNeutro, &RigaCalcolo::sosta);
    }
}

// The leg's own texts and kilometres, as the grid row shows them.
void CopiaTappa(const Griglia& mfgTab, int r, Griglia& copia, Tabella& tabella, int t) {
    for (int c = ColTappa; c <= ColTempo; ++c) copia.impostaTesto(t, c, mfgTab.testo(r, c));
    RigaCalcolo& riga = tabella.riga(t);
    riga.tappa = mfgTab.testo(r, ColTappa);
    riga.strada = mfgTab.testo(r, ColStrada);
    riga.tipoTesto = mfgTab.testo(r, ColTipoStrada);
    riga.km = KmIntero16(KmTappa(mfgTab, r));
}

// What the passes read of a row once its texts are all in: user texts reach the schedule rows (and
// the files) without tabs or line breaks.
void CompletaRiga(RigaCalcolo& r) {
    r.traghetto = r.strada.contains(QLatin1String("TRAGH"), Qt::CaseInsensitive);
    r.strada = Trim(SenzaControlli(r.strada));
    r.tipoTesto = SenzaControlli(r.tipoTesto);
    r.tipo = IndiceTipoStrada(r.tipoTesto);
    r.tappa = SenzaControlli(r.tappa);
    r.nota = SenzaControlli(r.nota);
}

}  // namespace

const QString& RigaCalcolo::testoSosta() const {
    if (!testoFatto_) {
        testoSosta_ = PrimoMaiuscolo(RiPulisceNomeLocalita(tappa), false);
        testoFatto_ = true;
    }
    return testoSosta_;
}

const QString& RigaCalcolo::verso() const {
    if (!versoFatto_) {
        verso_ = QStringLiteral("verso: ") + testoSosta();
        versoFatto_ = true;
    }
    return verso_;
}

QString TestoTempoTabella(float valore) {
    // Whole hundredths, the usual case, are their digits: what nine significant digits show.
    if (valore >= 1 && valore < 1e8f && std::floor(valore) == valore)
        return QString::number(static_cast<qint64>(valore));
    return QString::number(static_cast<double>(valore), 'g', 9);
}

QChar ModoSoste(const QString& cmbSoste) {
    return cmbSoste.isEmpty() ? QLatin1Char('3') : cmbSoste.at(0);
}

TabellaCalcolo PreparaTabellaPerCalcoloZavetra(Database& db, Griglia& mfgTab, Griglia& mfgCopia,
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
    TabellaCalcolo risultato;
    Tabella tabella(mfgCopia, risultato.righe);
    // The rows to come, counted first: a large table is made at its size once.
    int localita = 0;
    int righeSosta = 0;
    for (int r = 1; r < mfgTab.righe(); ++r) {
        if (mfgTab.testo(r, ColTappa).isEmpty()) continue;
        ++localita;
        if (soste && !mfgTab.testo(r, ColSosta).isEmpty()) ++righeSosta;
    }
    FonteGuida fonte(db, guida ? localita : -1);
    tabella.prevedi(localita + righeSosta + fonte.vociLette());
    TempiGuidaLetti tempoVoce(valori.ArcoVisita);
    QSet<QString> visitate;  // localities whose entries were already used
    visitate.reserve(localita);
    bool dentro = false;
    bool finePassata = false;
    for (int r = 1; r < mfgTab.righe(); ++r) {
        percentuale.AggiornaPercentuale(r);
        const QString localita = mfgTab.testo(r, ColTappa);
        if (localita.isEmpty()) continue;
        if (Contiene(localita, kStart)) dentro = true;
        Localita loc;

        CopiaTappa(mfgTab, r, mfgCopia, tabella, tabella.aggiungi());

        const QString cellaSosta = mfgTab.testo(r, ColSosta);
        if (soste && !cellaSosta.isEmpty()) {
            // Only the last 8 characters count: a leading "*" (end of day) is not read.
            loc.sosta = ghmStringa2Centesimi(cellaSosta, valori.ArcoVisita);
            loc.rigaSosta = tabella.aggiungi();
            tabella.testo(loc.rigaSosta, ColTappa, QStringLiteral(" > a ") + localita, &RigaCalcolo::tappa);
            tabella.tempo(loc.rigaSosta, ColCSosta, TestoTempoTabella(loc.sosta), &RigaCalcolo::sosta);
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

        if (cellaSosta.startsWith(QLatin1Char('*'))) {
            mfgCopia.impostaTesto(tabella.righe(), ColCFineGiorno, QStringLiteral("1"));
            tabella.riga(tabella.righe()).fineGiorno = true;
        }
        Neutralizza(modo, loc, tabella);
        if (Contiene(localita, kEnd)) finePassata = true;
    }
    tabella.chiudi();

    TotaliSoste& totali = risultato.totali;
    for (qsizetype t = 1; t < risultato.righe.size(); ++t) {
        RigaCalcolo& riga = risultato.righe[t];
        totali.sosta += riga.sosta;
        totali.visita += riga.visita;
        CompletaRiga(riga);
    }
    totali.fermata = totali.sosta + totali.visita;
    return risultato;
}
