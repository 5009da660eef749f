#include "common/File1252.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

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

}  // namespace

QByteArray Codifica1252(const QString& testo) {
    QStringEncoder codifica(kNome);
    QByteArray byte = codifica.encode(testo);
    if (!codifica.hasError()) return byte;
    return CodificaPerCarattere(testo);
}

QString Decodifica1252(const QByteArray& byte) {
    QStringDecoder decodifica(kNome);
    return decodifica.decode(byte);
}

QByteArray Righe1252(const QStringList& righe) {
    QByteArray byte;
    for (const QString& riga : righe) {
        byte += Codifica1252(riga);
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
