#include "legacy/VecchiFile.h"

#include <array>

#include "common/File1252.h"
#include "common/Testo.h"

namespace {

// Each field is as wide as the stored form it becomes, except where the record is too short:
// a leg's locality shares its field with the road after "*", and a guide description keeps 91
// of its 96 characters.
constexpr std::array<CampoVecchio, 21> kCampiMete{{
    {"Codice", 6}, {"Locali", 30}, {"Nazion", 19}, {"DataIn", 8}, {"OraIni", 4}, {"MediaA", 3}, {"MediaS", 3},
    {"MediaP", 3}, {"MediaL", 3},  {"OraCol", 4},  {"OraPra", 4}, {"DurPra", 4}, {"OraCen", 4}, {"DurCen", 4},
    {"OraNot", 4}, {"RipMin", 2},  {"RipOre", 2},  {"Rip1Gg", 2}, {"RipNGg", 2}, {"VisitD", 4}, {"VisitA", 4},
}};
constexpr std::array<CampoVecchio, 5> kCampiTappe{{
    {"Locali", 52},
    {"Chilom", 4},
    {"TipoSt", 1},
    {"TempoS", 6},
    {"FlagED", 1},
}};
constexpr std::array<CampoVecchio, 5> kCampiGuida{{
    {"Locali", 30},
    {"Descri", 91},
    {"TipoDa", 2},
    {"TempoS", 4},
    {"FlagVi", 1},
}};

template <std::size_t N>
constexpr int Larghezza(const std::array<CampoVecchio, N>& campi) {
    int somma = 0;
    for (const CampoVecchio& c : campi) somma += c.larghezza;
    return somma;
}
static_assert(Larghezza(kCampiMete) <= 128 && Larghezza(kCampiTappe) <= 64 && Larghezza(kCampiGuida) <= 128);

bool Controllo(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u < 0xA0);
}

}  // namespace

const TracciatoVecchio kTracciatoMete{128, kCampiMete};
const TracciatoVecchio kTracciatoTappe{64, kCampiTappe};
const TracciatoVecchio kTracciatoGuida{128, kCampiGuida};

int NumeroRecordVecchi(qint64 lunghezzaFile, int lunghezzaRecord) {
    if (lunghezzaFile <= 0 || lunghezzaRecord <= 0) return 0;
    // floor(L / R + 0.998) in integers: floor((1000 L + 998 R) / (1000 R)).
    const qint64 r = lunghezzaRecord;
    return static_cast<int>((lunghezzaFile * 1000 + 998 * r) / (1000 * r));
}

FileVecchio::FileVecchio(const QByteArray& byte) : testo_(Decodifica1252(byte)), lunghezza_(byte.size()) {
    // Every byte maps to one character; should a decoder ever disagree, no record is readable.
    if (testo_.size() != byte.size()) testo_ = QString(byte.size(), QChar(0));
}

std::optional<RecordVecchio> FileVecchio::record(const TracciatoVecchio& tracciato, int numero) const {
    if (numero < 1) return std::nullopt;
    const qint64 inizio = static_cast<qint64>(numero - 1) * tracciato.lunghezzaRecord;
    QString testo = inizio < testo_.size() ? testo_.mid(inizio, tracciato.lunghezzaRecord) : QString();
    testo.append(QString(tracciato.lunghezzaRecord - testo.size(), QLatin1Char(' ')));

    RecordVecchio r;
    qsizetype posizione = 0;
    for (const CampoVecchio& c : tracciato.campi) {
        const QString campo = testo.mid(posizione, c.larghezza);
        posizione += c.larghezza;
        for (QChar ch : campo)
            if (Controllo(ch)) return std::nullopt;
        r.imposta(QString::fromLatin1(c.nome), RTrim(campo));
    }
    return r;
}

QByteArray ScriviRecordVecchio(const TracciatoVecchio& tracciato, const QHash<QString, QString>& valori) {
    QByteArray record;
    for (const CampoVecchio& c : tracciato.campi) {
        QByteArray campo = Codifica1252(valori.value(QString::fromLatin1(c.nome))).left(c.larghezza);
        campo.append(QByteArray(c.larghezza - campo.size(), ' '));
        record += campo;
    }
    record.append(QByteArray(tracciato.lunghezzaRecord - record.size(), ' '));
    return record;
}
