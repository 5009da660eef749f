#include "guide/LetturaGuida.h"

#include <algorithm>

#include "common/Progresso.h"
#include "common/Testo.h"
#include "database/Archivio.h"
#include "database/NomiCampi.h"
#include "guide/TempoGuida.h"

using nomi::kCodiceGuida;
using nomi::kDescrizione;
using nomi::kFlagVisto;
using nomi::kGruppo;
using nomi::kGuidaCitta;
using nomi::kLocalita;
using nomi::kTempoSosta;

namespace {

const QStringList& CampiVoce() {
    static const QStringList campi{kLocalita, kCodiceGuida, kGruppo, kDescrizione, kTempoSosta};
    return campi;
}

// The entries in the order the table shows them: type code, time descending, group; the reading
// keeps table order where these are equal.
Query VociInOrdine(Query query) {
    return query.ordina(kCodiceGuida).ordina(kTempoSosta, true).ordina(kGruppo);
}

VoceTabella Voce(const QStringList& riga) {
    return {riga[1], riga[2], riga[3], riga[4]};
}

}  // namespace

float TempoGuidaLocalita(Database& db, const QString& chiave, float arcoVisita) {
    if (Trim(chiave).isEmpty()) return 0;
    float totale = 0;
    for (const QStringList& riga :
         db.leggiTesti(Query::di(kGuidaCitta).dove(kLocalita, chiave), {kTempoSosta}))
        totale += TempoGuidaCentesimi(riga[0], arcoVisita);
    return totale;
}

TempiGuida::TempiGuida(Database& db, int localita, float arcoVisita) : db_(db), arcoVisita_(arcoVisita) {
    tutta_ = db.conta(Query::di(kGuidaCitta)) <= qMax(1, localita) * FonteGuida::kVociPerLocalita;
    if (!tutta_) return;
    // Table order within each key: the sums add in the order the look-up of one key adds them.
    TempiGuidaLetti tempo(arcoVisita);
    for (const QStringList& riga : db.leggiTesti(Query::di(kGuidaCitta), {kLocalita, kTempoSosta}))
        perChiave_[Piegato(riga[0])] += tempo(riga[1]);
}

float TempiGuida::tempo(const QString& chiave) {
    if (Trim(chiave).isEmpty()) return 0;
    if (!tutta_) return TempoGuidaLocalita(db_, chiave, arcoVisita_);
    return perChiave_.value(Piegato(chiave));
}

void SettaAZeroFlaGVisto(Archivio& archivio, Progresso* progresso) {
    Database& db = archivio.dati();
    if (progresso) progresso->didascalia(QString::fromUtf8("Reset tabella Guida Città"));
    RowSet rs = db.apriRowSet(Query::di(kGuidaCitta).diverso(kFlagVisto, QStringLiteral("0")));
    const int totale = rs.conteggio();
    Database::Transazione transazione(db);
    for (int n = 1; !rs.fine(); rs.successivo(), ++n) {
        if (progresso) progresso->posizione(n, totale);
        rs.modifica();
        rs.imposta(kFlagVisto, QStringLiteral("0"));
        rs.memorizza();
    }
    transazione.conferma();
    if (progresso) progresso->azzera();
}

FonteGuida::FonteGuida(Database& db, int localita) : db_(db) {
    if (localita < 0) return;
    tutta_ = db.conta(Query::di(kGuidaCitta)) <= qMax(1, localita) * kVociPerLocalita;
    if (!tutta_) return;
    // Split by key, each key's entries keeping the order of the whole reading.
    for (const QStringList& riga : db_.leggiTesti(VociInOrdine(Query::di(kGuidaCitta)), CampiVoce())) {
        perChiave_[Piegato(riga[0])].append(Voce(riga));
        ++vociLette_;
    }
}

QList<VoceTabella> FonteGuida::voci(const QString& chiave) {
    if (tutta_) return perChiave_.value(Piegato(chiave));
    QList<VoceTabella> lista;
    for (const QStringList& riga :
         db_.leggiTesti(VociInOrdine(Query::di(kGuidaCitta).dove(kLocalita, chiave)), CampiVoce()))
        lista.append(Voce(riga));
    return lista;
}
