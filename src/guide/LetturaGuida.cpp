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
    RowSet rs = db.apriRowSet(Query::di(kGuidaCitta).dove(kLocalita, chiave));
    for (; !rs.fine(); rs.successivo()) totale += TempoGuidaCentesimi(rs.testo(kTempoSosta), arcoVisita);
    return totale;
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
    RowSet rs = db_.apriRowSet(ordinata(Query::di(kGuidaCitta)));
    for (; !rs.fine(); rs.successivo()) perChiave_[rs.testo(kLocalita).toCaseFolded()].append(voce(rs));
}

QList<VoceTabella> FonteGuida::voci(const QString& chiave) {
    if (tutta_) return perChiave_.value(chiave.toCaseFolded());
    QList<VoceTabella> lista;
    RowSet rs = db_.apriRowSet(ordinata(Query::di(kGuidaCitta).dove(kLocalita, chiave)));
    for (; !rs.fine(); rs.successivo()) lista.append(voce(rs));
    return lista;
}

Query FonteGuida::ordinata(Query q) {
    return q.ordina(kCodiceGuida).ordina(kTempoSosta, true).ordina(kGruppo);
}

VoceTabella FonteGuida::voce(const RowSet& rs) {
    return {rs.testo(kCodiceGuida), rs.testo(kGruppo), rs.testo(kDescrizione), rs.testo(kTempoSosta)};
}
