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

// A locality as the database compares it, case folded.  A text without capitals or accented
// letters is its own key, and plain ASCII capitals are lowered without the Unicode tables.
QString ChiavePiegata(const QString& localita) {
    bool maiuscole = false;
    for (QChar c : localita) {
        if (c.unicode() >= 0x80) return localita.toCaseFolded();
        maiuscole = maiuscole || (c >= u'A' && c <= u'Z');
    }
    if (!maiuscole) return localita;
    QString chiave = localita;
    for (QChar& c : chiave)
        if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + ('a' - 'A'));
    return chiave;
}

// A missing value (NULL) comes before every text, as the database orders it.
int ConfrontaCampo(const QString& a, const QString& b) {
    if (a.isNull() || b.isNull()) return int(b.isNull()) - int(a.isNull());
    return ConfrontaTesti(a, b);
}

// The order the table shows: type code, time descending, group.  The sort is stable, so entries
// read in table order keep it where these are equal.
bool PrimaInTabella(const VoceTabella& a, const VoceTabella& b) {
    if (const int c = ConfrontaCampo(a.codice, b.codice)) return c < 0;
    if (const int c = ConfrontaCampo(a.tempo, b.tempo)) return c > 0;
    return ConfrontaCampo(a.gruppo, b.gruppo) < 0;
}

const QStringList& CampiVoce() {
    static const QStringList campi{kLocalita, kCodiceGuida, kGruppo, kDescrizione, kTempoSosta};
    return campi;
}

VoceTabella Voce(const QStringList& testi, qsizetype i) {
    return {testi[i + 1], testi[i + 2], testi[i + 3], testi[i + 4]};
}

}  // namespace

float TempoGuidaLocalita(Database& db, const QString& chiave, float arcoVisita) {
    if (Trim(chiave).isEmpty()) return 0;
    float totale = 0;
    for (const QString& tempo : db.leggiTesti(Query::di(kGuidaCitta).dove(kLocalita, chiave), {kTempoSosta}))
        totale += TempoGuidaCentesimi(tempo, arcoVisita);
    return totale;
}

TempiGuida::TempiGuida(Database& db, int localita, float arcoVisita) : db_(db), arcoVisita_(arcoVisita) {
    tutta_ = db.conta(Query::di(kGuidaCitta)) <= qMax(1, localita) * FonteGuida::kVociPerLocalita;
    if (!tutta_) return;
    // Table order within each key: the sums add in the order the look-up of one key adds them.
    TempiGuidaLetti tempo(arcoVisita);
    const QStringList testi = db.leggiTesti(Query::di(kGuidaCitta), {kLocalita, kTempoSosta});
    for (qsizetype i = 0; i + 1 < testi.size(); i += 2)
        perChiave_[ChiavePiegata(testi[i])] += tempo(testi[i + 1]);
}

float TempiGuida::tempo(const QString& chiave) {
    if (Trim(chiave).isEmpty()) return 0;
    if (!tutta_) return TempoGuidaLocalita(db_, chiave, arcoVisita_);
    return perChiave_.value(ChiavePiegata(chiave));
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
    // Read in table order and split by key; each key's entries are then put in the shown order.
    const QStringList testi = db_.leggiTesti(Query::di(kGuidaCitta), CampiVoce());
    for (qsizetype i = 0; i < testi.size(); i += CampiVoce().size())
        perChiave_[ChiavePiegata(testi[i])].append(Voce(testi, i));
    for (QList<VoceTabella>& lista : perChiave_) std::stable_sort(lista.begin(), lista.end(), PrimaInTabella);
}

QList<VoceTabella> FonteGuida::voci(const QString& chiave) {
    if (tutta_) return perChiave_.value(ChiavePiegata(chiave));
    const QStringList testi = db_.leggiTesti(Query::di(kGuidaCitta).dove(kLocalita, chiave), CampiVoce());
    QList<VoceTabella> lista;
    lista.reserve(testi.size() / CampiVoce().size());
    for (qsizetype i = 0; i < testi.size(); i += CampiVoce().size()) lista.append(Voce(testi, i));
    std::stable_sort(lista.begin(), lista.end(), PrimaInTabella);
    return lista;
}
