#include "logbook/ComandoModuli.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "common/File1252.h"
#include "common/Testo.h"

namespace {

constexpr int kGiorniMassimi = 366;
const QString kFormato = QStringLiteral("dd/MM/yyyy");

bool SeparatoreNome(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char('"') || c.isSpace();
}

// Where the text after the program's name starts, or -1 when the name is not there.
qsizetype DopoIlProgramma(const QString& testo, const QString& nome) {
    const QString exe = QStringLiteral(".exe");
    for (qsizetype i = testo.indexOf(nome, 0, Qt::CaseInsensitive); i >= 0;
         i = testo.indexOf(nome, i + 1, Qt::CaseInsensitive)) {
        if (i > 0 && !SeparatoreNome(testo.at(i - 1))) continue;
        qsizetype dopo = i + nome.size();
        if (testo.mid(dopo, exe.size()).compare(exe, Qt::CaseInsensitive) == 0) dopo += exe.size();
        if (dopo < testo.size() && !(testo.at(dopo).isSpace() || testo.at(dopo) == QLatin1Char('"')))
            continue;
        return dopo;
    }
    const qsizetype e = testo.indexOf(exe, 0, Qt::CaseInsensitive);
    return e < 0 ? -1 : e + exe.size();
}

// A day-first date d/m/yyyy of a real day that the day numbers handle.
QDate LeggiData(const QString& t) {
    const QStringList parti = Trim(t).split(QLatin1Char('/'));
    if (parti.size() != 3) return {};
    int valori[3];
    for (int i = 0; i < 3; ++i) {
        const QString p = Trim(parti.at(i));
        bool ok = !p.isEmpty();
        for (QChar c : p) ok = ok && c.isDigit();
        if (!ok || p.size() > 4) return {};
        valori[i] = p.toInt();
    }
    if (Trim(parti.at(2)).size() != 4 || valori[2] < 1901 || valori[2] > 2099) return {};
    return QDate(valori[2], valori[1], valori[0]);
}

ComandoModuli Rifiuto(const QString& testo, const QString& motivo) {
    const QChar cr(13);
    ComandoModuli c;
    c.errore = QStringLiteral("Comando di stampa dei moduli non valido:") + cr + QStringLiteral("\"") +
               testo + QStringLiteral("\"") + cr + motivo + cr + cr +
               QStringLiteral("Forma attesa: DESTINAZIONE,gg/mm/aaaa,gg/mm/aaaa");
    return c;
}

}  // namespace

ComandoModuli LeggiComandoModuli(const QString& testo, const QString& nomeProgramma) {
    QString nome = nomeProgramma;
    if (nome.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive)) nome.chop(4);
    QString t = testo;
    const qsizetype dopo = DopoIlProgramma(t, nome);
    if (dopo >= 0) {
        t = t.mid(dopo);
        if (t.startsWith(QLatin1Char('"'))) t.remove(0, 1);
    }
    t = Trim(t);
    const qsizetype virgola = t.indexOf(QLatin1Char(','));
    if (virgola < 0) return Rifiuto(t, QStringLiteral("manca la virgola dopo la destinazione."));
    const QString resto = Trim(t.mid(virgola + 1));
    const qsizetype seconda = resto.indexOf(QLatin1Char(','));
    if (seconda < 0) return Rifiuto(t, QStringLiteral("manca la data finale."));
    ComandoModuli c;
    c.destinazione = Trim(t.left(virgola));
    c.inizio = LeggiData(resto.left(seconda));
    c.fine = LeggiData(resto.mid(seconda + 1));
    if (!c.inizio.isValid())
        return Rifiuto(t, QStringLiteral("la data iniziale \"") + Trim(resto.left(seconda)) +
                              QStringLiteral("\" non è una data valida."));
    if (!c.fine.isValid())
        return Rifiuto(t, QStringLiteral("la data finale \"") + Trim(resto.mid(seconda + 1)) +
                              QStringLiteral("\" non è una data valida."));
    const QString periodo = ErrorePeriodo(c.inizio, c.fine);
    return periodo.isEmpty() ? c : Rifiuto(t, periodo);
}

QString ErrorePeriodo(const QDate& inizio, const QDate& fine) {
    if (fine < inizio) return QStringLiteral("la data finale precede quella iniziale.");
    if (inizio.daysTo(fine) + 1 > kGiorniMassimi)
        return QStringLiteral("il periodo supera i %1 giorni.").arg(kGiorniMassimi);
    return {};
}

QString LeggiFileComando(const QString& cartella) {
    const QDir dir(cartella);
    QString riga;
    bool letta = false;
    for (const QString& nome : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (nome.compare(kFileComando, Qt::CaseInsensitive) != 0) continue;
        const QString percorso = dir.filePath(nome);
        if (!letta) {
            const auto righe = LeggiRighe1252(percorso);
            if (righe && !righe->isEmpty()) riga = righe->first();
            letta = true;
        }
        QFile::remove(percorso);
    }
    return riga;
}

QString RigaComandoKestrin(const QString& cartellaProgramma, const QString& destinazione, const QDate& inizio,
                           const QDate& fine) {
    QString dest = destinazione;
    dest.replace(QLatin1Char(','), QLatin1Char(' '));
    return QDir(cartellaProgramma).filePath(kNomeKestrin) + QLatin1Char(' ') + dest.simplified() +
           QLatin1Char(',') + inizio.toString(kFormato) + QLatin1Char(',') + fine.toString(kFormato);
}

bool AvviaKestrin(const QString& cartellaDati, const QString& destinazione, const QDate& inizio,
                  const QDate& fine, const QString& cartellaProgramma, QString* errore, qint64* pid) {
    const QString programma = QDir(cartellaProgramma).filePath(kNomeKestrin);
    const QString file = QDir(cartellaDati).filePath(kFileComando);
    auto fallito = [&](const QString& motivo) {
        if (errore) *errore = motivo;
        return false;
    };
    if (!QFileInfo(programma).isExecutable())
        return fallito(QStringLiteral("Programma dei moduli non trovato: ") +
                       QDir::toNativeSeparators(programma));
    // A file of another case would be read first by kestrin on a case-sensitive file system.
    LeggiFileComando(cartellaDati);
    if (!ScriviRighe1252(file, {RigaComandoKestrin(cartellaProgramma, destinazione, inizio, fine)}))
        return fallito(QStringLiteral("Impossibile scrivere il file ") + QDir::toNativeSeparators(file));
    if (!QProcess::startDetached(programma, {QStringLiteral("--data-dir"), cartellaDati}, cartellaDati,
                                 pid)) {
        QFile::remove(file);
        return fallito(QStringLiteral("Impossibile avviare il programma dei moduli: ") +
                       QDir::toNativeSeparators(programma));
    }
    return true;
}
