#include "common/File1252.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <array>
#include <utility>
#include <vector>

#include "common/FileUscita.h"

namespace {

// The encoding is known to the ICU back end by this name only (encodingForName does not list it).
constexpr char kNome[] = "windows-1252";

// Slow path, used only when the text holds a character the code page lacks: one code point at a
// time, so that each unmappable one (a surrogate pair included) becomes exactly one "?".
QByteArray CodificaPerCarattere(const QString& testo) {
    QByteArray risultato;
    risultato.reserve(testo.size());
    for (qsizetype i = 0; i < testo.size(); ++i) {
        qsizetype lunghezza = 1;
        if (testo.at(i).isHighSurrogate() && i + 1 < testo.size() && testo.at(i + 1).isLowSurrogate())
            lunghezza = 2;
        const QStringView carattere = QStringView(testo).mid(i, lunghezza);
        i += lunghezza - 1;
        QStringEncoder codifica(kNome);
        const QByteArray byte = codifica.encode(carattere);
        risultato += codifica.hasError() || byte.size() != 1 ? QByteArray("?") : byte;
    }
    return risultato;
}

// The code page as a table, read once from the converter: each byte's character, and which
// characters the page holds.  Building a converter costs far more than a line of text, so the
// lines of a file go through the table; a character it does not hold (or a table the converter
// did not confirm) sends the whole text through the converter, as before.
class Pagina1252 {
  public:
    Pagina1252() {
        QByteArray tutti(256, '\0');
        for (int b = 0; b < 256; ++b) tutti[b] = static_cast<char>(b);
        QStringDecoder decodifica(kNome);
        const QString caratteri = decodifica.decode(tutti);
        if (decodifica.hasError() || caratteri.size() != 256) return;
        QString noti;
        QByteArray attesi;
        for (int b = 0; b < 256; ++b) {
            const char16_t c = caratteri.at(b).unicode();
            carattere_[b] = c;
            if (c == u'\uFFFD' || QChar::isSurrogate(c) || byteDi(c) >= 0) continue;
            if (c >= 0x100)
                alti_.push_back({c, static_cast<char>(b)});
            else
                bassi_[c] = static_cast<qint16>(b);
            noti += QChar(c);
            attesi += static_cast<char>(b);
        }
        QStringEncoder codifica(kNome);
        const QByteArray ottenuti = codifica.encode(noti);
        decodificaValida_ = true;
        codificaValida_ = !codifica.hasError() && ottenuti == attesi;
    }

    // The byte of a character the page holds, or -1.
    int byteDi(char16_t c) const {
        if (c < 0x100) return bassi_[c];
        for (const auto& [carattere, byte] : alti_)
            if (carattere == c) return static_cast<unsigned char>(byte);
        return -1;
    }

    // Appends the bytes of testo; false (nothing appended) when a character needs the converter.
    bool codifica(QStringView testo, QByteArray& byte) const {
        if (!codificaValida_) return false;
        const qsizetype inizio = byte.size();
        byte.resize(inizio + testo.size());
        char* p = byte.data() + inizio;
        for (const QChar c : testo) {
            const int b = byteDi(c.unicode());
            if (b < 0) {
                byte.truncate(inizio);
                return false;
            }
            *p++ = static_cast<char>(b);
        }
        return true;
    }

    bool decodifica(QByteArrayView byte, QString& testo) const {
        if (!decodificaValida_) return false;
        testo.resize(byte.size());
        QChar* p = testo.data();
        for (const char b : byte) *p++ = QChar(carattere_[static_cast<unsigned char>(b)]);
        return true;
    }

  private:
    std::array<char16_t, 256> carattere_{};
    std::array<qint16, 256> bassi_ = [] {
        std::array<qint16, 256> a{};
        a.fill(-1);
        return a;
    }();
    std::vector<std::pair<char16_t, char>> alti_;  // the few characters above Latin-1 (euro, quotes)
    bool codificaValida_ = false;
    bool decodificaValida_ = false;
};

const Pagina1252& Pagina() {
    static const Pagina1252 pagina;
    return pagina;
}

QByteArray CodificaConvertitore(const QString& testo) {
    QStringEncoder codifica(kNome);
    QByteArray byte = codifica.encode(testo);
    if (!codifica.hasError()) return byte;
    return CodificaPerCarattere(testo);
}

// Appends the bytes of testo to byte.
void AggiungiCodificato(const QString& testo, QByteArray& byte) {
    if (!Pagina().codifica(testo, byte)) byte += CodificaConvertitore(testo);
}

}  // namespace

QByteArray Codifica1252(const QString& testo) {
    QByteArray byte;
    AggiungiCodificato(testo, byte);
    return byte;
}

QString Decodifica1252(const QByteArray& byte) {
    QString testo;
    if (Pagina().decodifica(byte, testo)) return testo;
    QStringDecoder decodifica(kNome);
    return decodifica.decode(byte);
}

QByteArray Righe1252(const QStringList& righe) {
    QByteArray byte;
    qsizetype totale = 0;
    for (const QString& riga : righe) totale += riga.size() + 2;
    byte.reserve(totale);
    for (const QString& riga : righe) {
        AggiungiCodificato(riga, byte);
        byte += "\r\n";
    }
    return byte;
}

bool ScriviRighe1252(const QString& percorso, const QStringList& righe) {
    if (!ControllaFileUscita(percorso).isEmpty()) return false;
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray byte = Righe1252(righe);
    if (file.write(byte) != byte.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QStringList DividiRighe1252(const QByteArray& byte) {
    QStringList righe;
    qsizetype inizio = 0;
    while (inizio < byte.size()) {
        qsizetype fine = byte.indexOf('\n', inizio);
        const qsizetype prossimo = fine < 0 ? byte.size() : fine + 1;
        if (fine < 0) fine = byte.size();
        qsizetype lunghezza = fine - inizio;
        if (fine < byte.size() && lunghezza > 0 && byte.at(fine - 1) == '\r') --lunghezza;
        righe << Decodifica1252(byte.mid(inizio, lunghezza));
        inizio = prossimo;
    }
    return righe;
}

std::optional<QStringList> LeggiRighe1252(const QString& percorso) {
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return DividiRighe1252(file.readAll());
}
