#include "guide/LetturaGuida.h"

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

float TempoGuidaLocalita(Database& db, const QString& chiave, float arcoVisita) {
    if (Trim(chiave).isEmpty()) return 0;
    float totale = 0;
    for (const QList<QVariant>& voce :
         db.leggi(Query::di(kGuidaCitta).dove(kLocalita, chiave), {kTempoSosta}))
        totale += TempoGuidaCentesimi(voce[0].toString(), arcoVisita);
    return totale;
}

TempiGuida::TempiGuida(Database& db, int localita, float arcoVisita) : db_(db), arcoVisita_(arcoVisita) {
    tutta_ = db.conta(Query::di(kGuidaCitta)) <= qMax(1, localita) * FonteGuida::kVociPerLocalita;
    if (!tutta_) return;
    // Table order within each key: the sums add in the order the look-up of one key adds them.
    TempiGuidaLetti tempo(arcoVisita);
    for (const QList<QVariant>& voce : db.leggi(Query::di(kGuidaCitta), {kLocalita, kTempoSosta}))
        perChiave_[voce[0].toString().toCaseFolded()] += tempo(voce[1].toString());
}

float TempiGuida::tempo(const QString& chiave) {
    if (Trim(chiave).isEmpty()) return 0;
    if (!tutta_) return TempoGuidaLocalita(db_, chiave, arcoVisita_);
    return perChiave_.value(chiave.toCaseFolded());
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
    for (const QList<QVariant>& riga : db_.leggi(ordinata(Query::di(kGuidaCitta)), campi()))
        perChiave_[riga[0].toString().toCaseFolded()].append(voce(riga));
}

QList<VoceTabella> FonteGuida::voci(const QString& chiave) {
    if (tutta_) return perChiave_.value(chiave.toCaseFolded());
    QList<VoceTabella> lista;
    for (const QList<QVariant>& riga :
         db_.leggi(ordinata(Query::di(kGuidaCitta).dove(kLocalita, chiave)), campi()))
        lista.append(voce(riga));
    return lista;
}

Query FonteGuida::ordinata(Query q) {
    return q.ordina(kCodiceGuida).ordina(kTempoSosta, true).ordina(kGruppo);
}

QStringList FonteGuida::campi() {
    return {kLocalita, kCodiceGuida, kGruppo, kDescrizione, kTempoSosta};
}

VoceTabella FonteGuida::voce(const QList<QVariant>& riga) {
    return {riga[1].toString(), riga[2].toString(), riga[3].toString(), riga[4].toString()};
}
