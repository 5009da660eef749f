#include "itinerary/Tappe.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>

#include "common/Griglia.h"
#include "common/Progresso.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "database/NomiCampi.h"
#include "database/Schema.h"
#include "guide/TempoGuida.h"
#include "itinerary/GrigliaItinerario.h"
#include "trips/Meta.h"
#include "trips/Parametri.h"

namespace {

using nomi::kItinerari;
const QString kCrLf = QStringLiteral("\r\n");

// Each guide entry belongs to one locality key, so counting a key once counts each entry once.
// The set keeps that scratch knowledge in memory instead of writing FlagVisto on every load.
class LocalitaContate {
  public:
    explicit LocalitaContate(int localita) { viste_.reserve(localita); }
    bool primaVolta(const QString& chiave) {
        const QString k = Piegato(chiave);
        if (viste_.contains(k)) return false;
        viste_.insert(k);
        return true;
    }

  private:
    QSet<QString> viste_;
};

int LarghezzaCampo(Database& db, const QString& tabella, const QString& campo) {
    for (const Campo& c : db.campi(tabella))
        if (UgualeTesto(c.nome, campo)) return c.larghezza;
    return 0;
}

QString Taglia(const QString& testo, int larghezza) {
    return larghezza > 0 ? testo.left(larghezza) : testo;
}

bool HaMarca(const QString& localita, const QString& marca) {
    // A mark opens with "[": localities without one, nearly all, are passed over at once.
    return localita.contains(marca.front()) && localita.contains(marca, Qt::CaseInsensitive);
}

}  // namespace

QString TagliaLocalita(const QString& localita, int larghezza) {
    if (larghezza <= 0 || localita.size() <= larghezza) return localita;
    struct Marca {
        qsizetype inizio;
        qsizetype lunghezza;
    };
    QList<Marca> marche;
    for (const QString& m : {Trim(kMarcaStart), Trim(kMarcaEnd)}) {
        const qsizetype p = localita.indexOf(m, 0, Qt::CaseInsensitive);
        if (p >= 0) marche.append({p, m.size()});
    }
    if (marche.isEmpty()) return localita.left(larghezza);
    std::sort(marche.begin(), marche.end(),
              [](const Marca& a, const Marca& b) { return a.inizio < b.inizio; });
    QString nome;
    QString coda;
    qsizetype da = 0;
    for (const Marca& m : marche) {
        nome += RTrim(localita.mid(da, m.inizio - da));
        coda += QLatin1Char(' ') + localita.mid(m.inizio, m.lunghezza);
        da = m.inizio + m.lunghezza;
    }
    if (coda.size() > larghezza) return localita.left(larghezza);
    nome = Trim(nome + localita.mid(da));
    return RTrim(nome.left(larghezza - coda.size())) + coda;
}

int LarghezzaLocalitaTappa() {
    static const int larghezza = [] {
        for (const Campo& c : LeggiSpecificaCreazione(TabelleStandard().TabelleCampi[TabItinerari]))
            if (UgualeTesto(c.nome, QStringLiteral("Localita"))) return c.larghezza;
        return 0;
    }();
    return larghezza;
}

QString ChiaveGuidaTappa(const QString& localita) {
    return RiPulisceNomeLocalita(ChiaveLocalita(localita));
}

void CaricaTappeItinerario(Archivio& archivio, Griglia& mfgTab, const QString& codiceMeta, float arcoVisita) {
    Database& db = archivio.dati();
    // One read transaction: the file is locked once for the legs and the guide times.
    Database::Transazione lettura(db);
    enum { Localita, NomeStrada, Chilometri, TipoStrada, TempoSosta, FineGiorno };
    const QList<QStringList> righe = db.leggiTesti(
        Query::di(kItinerari)
            .dove(QStringLiteral("CodiceMeta"), codiceMeta)
            .ordina(QStringLiteral("Sequenza")),
        {QStringLiteral("Localita"), QStringLiteral("NomeStrada"), QStringLiteral("Chilometri"),
         QStringLiteral("TipoStrada"), QStringLiteral("TempoSosta"), QStringLiteral("FineGiorno")});
    const int tappe = static_cast<int>(righe.size());
    TempiGuida tempi(db, tappe, arcoVisita);

    Griglia::Aggiornamento lotto(mfgTab);
    CancellaMatrice(mfgTab);
    mfgTab.impostaRighe(std::max(tappe + 2, kRigheMinimeItinerario));

    const QString start = Trim(kMarcaStart);
    const QString end = Trim(kMarcaEnd);
    LocalitaContate contate(tappe);
    QHash<float, QString> testiGuida;  // most localities share a guide time (none at all, often)
    bool dentro = false;
    int r = 1;
    for (const QStringList& tappa : righe) {
        const QString& localita = tappa[Localita];
        if (!localita.isEmpty()) {
            bool fine = false;
            if (HaMarca(localita, start)) dentro = true;
            if (HaMarca(localita, end)) fine = true;
            if (dentro) {
                const QString chiave = ChiaveGuidaTappa(localita);
                if (contate.primaVolta(chiave)) {
                    const float tempo = tempi.tempo(chiave);
                    auto testo = testiGuida.constFind(tempo);
                    if (testo == testiGuida.constEnd())
                        testo = testiGuida.insert(tempo, ghmCentesimi2Stringa(tempo, arcoVisita));
                    mfgTab.impostaTesto(r, ColGuida, *testo);
                }
            }
            if (fine) dentro = false;
        }
        const QString& fineGiorno = tappa[FineGiorno];
        const bool finisceGiorno = Trim(fineGiorno) == QLatin1String("1");
        mfgTab.impostaTesto(r, ColNumero, QString::number(r));
        mfgTab.impostaTesto(r, ColTappa, localita);
        mfgTab.impostaTesto(r, ColStrada, Trim(tappa[NomeStrada]));
        mfgTab.impostaTesto(r, ColKm, Formato(Valore(tappa[Chilometri]), QStringLiteral("#,###")));
        mfgTab.impostaTesto(r, ColTipoStrada, Trim(tappa[TipoStrada]));
        // "*" marks the end of the day before the trimmed stop; a stop without it is only trimmed.
        mfgTab.impostaTesto(
            r, ColSosta,
            finisceGiorno ? RTrim(QLatin1Char('*') + tappa[TempoSosta]) : Trim(tappa[TempoSosta]));
        mfgTab.impostaTesto(r, ColFineGiorno, fineGiorno);
        if (finisceGiorno) mfgTab.impostaColoreSfondo(r, ColSosta, kColoreFineGiorno);
        ++r;
    }
    lettura.conferma();
    mfgTab.impostaRigaInAlto(1);
    mfgTab.impostaRiga(1);
}

RisultatoKmTempi CaricaTappeItinerario(Archivio& archivio, Griglia& mfgTab, const QString& codiceMeta,
                                       BoxMeta& box) {
    const ValoriLavoro valori = ControllaVariabiliConvertite(box);
    CaricaTappeItinerario(archivio, mfgTab, codiceMeta, valori.ArcoVisita);
    return CalcolaKmTempiItinerario(mfgTab, box);
}

QList<RecordTappa> RecordDaGriglia(Database& db, const Griglia& mfgTab, float arcoVisita,
                                   Progresso* progresso) {
    const auto larghezza = [&db](const char* campo) {
        return LarghezzaCampo(db, kItinerari, QString::fromLatin1(campo));
    };
    const int wLocalita = larghezza("Localita");
    const int wStrada = larghezza("NomeStrada");
    const int wTipo = larghezza("TipoStrada");
    const int wSosta = larghezza("TempoSosta");
    const int wGuida = larghezza("SostaGuidaCitta");

    QList<RecordTappa> record;
    TempiGuida tempi(db, mfgTab.righe() - 1, arcoVisita);
    LocalitaContate contate(mfgTab.righe());
    int sequenza = 0;
    const int ultima = mfgTab.righe() - 1;
    for (int r = 1; r <= ultima; ++r) {
        if (progresso) progresso->posizione(r, ultima);
        if (Trim(mfgTab.testo(r, ColTappa)).isEmpty()) continue;
        const QString localita = TagliaLocalita(mfgTab.testo(r, ColTappa), wLocalita);
        const QString chiave = ChiaveGuidaTappa(localita);
        QString guida;
        if (contate.primaVolta(chiave)) guida = ghmCentesimi2Stringa(tempi.tempo(chiave), arcoVisita);
        if (guida.isEmpty()) guida = QStringLiteral(" ");

        QString sosta = mfgTab.testo(r, ColSosta) + QLatin1Char(' ');
        QString fineGiorno = QStringLiteral("0");
        if (sosta.startsWith(QLatin1Char('*'))) {
            fineGiorno = QStringLiteral("1");
            sosta.remove(0, 1);
        }
        RecordTappa base;
        base.Localita = localita;
        base.NomeStrada = Taglia(mfgTab.testo(r, ColStrada).left(64) + QLatin1Char(' '), wStrada);
        base.TipoStrada = Taglia(mfgTab.testo(r, ColTipoStrada).left(1) + QLatin1Char(' '), wTipo);
        base.TempoSosta = Taglia(sosta.left(8), wSosta);
        base.FineGiorno = fineGiorno;

        int resto = std::max(0, static_cast<int>(std::lround(KmTappa(mfgTab, r))));
        bool primo = true;
        do {
            const int km = std::min(resto, 999);
            resto -= km;
            RecordTappa t = base;
            t.Sequenza = Zero(++sequenza, 4);
            t.Chilometri = QString::number(km);
            t.SostaGuidaCitta = primo ? Taglia(guida, wGuida) : QStringLiteral(" ");
            record << t;
            primo = false;
        } while (resto > 0);
    }
    return record;
}

int MemorizzaTappeItinerario(Archivio& archivio, const Griglia& mfgTab, const QString& codiceMeta,
                             float arcoVisita, Progresso* progresso) {
    Database& db = archivio.dati();
    if (progresso) progresso->didascalia(QStringLiteral("Memorizza tappe itinerario"));
    struct Azzera {
        Progresso* p;
        ~Azzera() {
            if (p) p->azzera();
        }
    } azzera{progresso};

    const QList<RecordTappa> record = RecordDaGriglia(db, mfgTab, arcoVisita, progresso);
    // Delete and rewrite as one: a failure anywhere undoes the deletion too.
    Database::Transazione transazione(db);
    const Query diMeta = Query::di(kItinerari).dove(QStringLiteral("CodiceMeta"), codiceMeta);
    db.elimina(diMeta);
    RowSet rs = db.apriRowSet(diMeta);
    for (const RecordTappa& t : record) {
        rs.aggiungi();
        rs.imposta(QStringLiteral("CodiceMeta"), codiceMeta);
        rs.imposta(QStringLiteral("Sequenza"), t.Sequenza);
        rs.imposta(QStringLiteral("Localita"), t.Localita);
        rs.imposta(QStringLiteral("Chilometri"), t.Chilometri);
        rs.imposta(QStringLiteral("NomeStrada"), t.NomeStrada);
        rs.imposta(QStringLiteral("TipoStrada"), t.TipoStrada);
        rs.imposta(QStringLiteral("TempoSosta"), t.TempoSosta);
        rs.imposta(QStringLiteral("FineGiorno"), t.FineGiorno);
        rs.imposta(QStringLiteral("SostaGuidaCitta"), t.SostaGuidaCitta);
        rs.memorizza();
    }
    transazione.conferma();
    return static_cast<int>(record.size());
}

bool SalvaItinerario(Archivio& archivio, const Griglia& mfgTab, const QString& codiceMeta, float arcoVisita,
                     Dialoghi& dialoghi, Progresso* progresso) {
    try {
        MemorizzaTappeItinerario(archivio, mfgTab, codiceMeta, arcoVisita, progresso);
        return true;
    } catch (const ErroreDatabase& e) {
        dialoghi.avviso(QStringLiteral("Impossibile salvare l'itinerario:") + kCrLf + e.messaggio(),
                        QStringLiteral("Salvataggio itinerario"), Icona::Critico);
        return false;
    }
}

RisultatoKmTempi RicaricaItinerario(Archivio& archivio, QString& metaCorrente, BoxMeta& box,
                                    Griglia& mfgTab) {
    CaricaDatiAnagraficiMeta(metaCorrente, box, archivio);
    return CaricaTappeItinerario(archivio, mfgTab, metaCorrente, box);
}

namespace {

// The legs as a save would see them, one text per non-empty row.
QStringList TappeDaSalvare(const Griglia& g) {
    QStringList tappe;
    for (int r = 1; r < g.righe(); ++r) {
        if (Trim(g.testo(r, ColTappa)).isEmpty()) continue;
        tappe << QStringList{Trim(g.testo(r, ColTappa)), Trim(g.testo(r, ColStrada)),
                             QString::number(KmTappa(g, r)), Trim(g.testo(r, ColTipoStrada)),
                             Trim(g.testo(r, ColSosta))}
                     .join(QChar(0x1F));
    }
    return tappe;
}

}  // namespace

bool TappeModificate(const Griglia& salvate, const Griglia& attuali) {
    return TappeDaSalvare(salvate) != TappeDaSalvare(attuali);
}

Risposta ChiediSalvaItinerario(Dialoghi& dialoghi) {
    return dialoghi.messaggio({QStringLiteral("Vuoi salvare l'itinerario?"),
                               QStringLiteral("Salvataggio itinerario"), Pulsanti::SiNoAnnulla,
                               Icona::Domanda});
}

SceltaSalvaReset ChiediSalvaReset(Dialoghi& dialoghi) {
    const Risposta r =
        dialoghi.messaggio({QStringLiteral("Vuoi salvare l'itinerario?"),
                            QStringLiteral("Salvataggio itinerario"), Pulsanti::SiNoAnnulla, Icona::Domanda});
    if (r == Risposta::Si) return SceltaSalvaReset::Salva;
    if (r != Risposta::No) return SceltaSalvaReset::Niente;
    return dialoghi.domanda(QStringLiteral("Vuoi recuperare l'itinerario originale?"),
                            QStringLiteral("Salvataggio itinerario"))
               ? SceltaSalvaReset::Ripristina
               : SceltaSalvaReset::Niente;
}

SceltaFineInserimento ChiediFineInserimento(Dialoghi& dialoghi) {
    const QString testo = QStringLiteral("Hai chiesto di uscire dalla funzione 'Itinerari':") + kCrLf +
                          kCrLf + QStringLiteral("Vuoi salvare le eventuali modifiche?");
    switch (dialoghi.messaggio(
        {testo, QStringLiteral("Fine inserimento"), Pulsanti::SiNoAnnulla, Icona::Domanda})) {
        case Risposta::Si:
            return SceltaFineInserimento::SalvaEEsci;
        case Risposta::No:
            return SceltaFineInserimento::Esci;
        default:
            return SceltaFineInserimento::Resta;
    }
}
