#include "common/CartellaDati.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <cstdlib>

namespace {
bool scrivibile(const QString& cartella) {
    // QFileInfo::isWritable answers from the permission bits only; creating a file is the test
    // that also holds on read-only mounts.
    QTemporaryFile prova(QDir(cartella).filePath(QStringLiteral(".zavetra-XXXXXX")));
    return prova.open();
}

QByteArray CartellaCorrente() {
    char* c = ::getcwd(nullptr, 0);
    const QByteArray cartella(c ? c : "");
    std::free(c);
    return cartella;
}

// mkdir -p on bytes: QDir::mkpath would create the decoded name.
void CreaCartellaGrezza(const QByteArray& cartella) {
    for (qsizetype i = 1; i <= cartella.size(); ++i)
        if (i == cartella.size() || cartella[i] == '/') ::mkdir(cartella.left(i).constData(), 0777);
}

QString cartellaSeEsiste(const QString& programma, const QString& relativa) {
    const QFileInfo info(QDir(programma).filePath(relativa));
    return info.isDir() ? QDir::cleanPath(info.absoluteFilePath()) : QString();
}
}  // namespace

QString CartellaDatiUtente() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("Zavetra"));
}

bool ProgrammaInstallato(const QString& cartellaProgramma) {
    return !cartellaSeEsiste(cartellaProgramma, QStringLiteral("../share/zavetra")).isEmpty();
}

QString CartellaDati(const QString& cartellaProgramma, const QString& scelta) {
    QString cartella = scelta;
    // The installed test comes first: the superuser can write in /usr/bin, and the data must not
    // land there.
    if (cartella.isEmpty())
        cartella = !ProgrammaInstallato(cartellaProgramma) && scrivibile(cartellaProgramma)
                       ? cartellaProgramma
                       : CartellaDatiUtente();
    QDir().mkpath(cartella);
    return QDir(cartella).absolutePath();
}

QString CartellaEsempi(const QString& cartellaProgramma) {
    const QString installati = cartellaSeEsiste(cartellaProgramma, QStringLiteral("../share/zavetra/esempi"));
    return installati.isEmpty() ? cartellaSeEsiste(cartellaProgramma, QStringLiteral("../esempi"))
                                : installati;
}

QString OpzioneCartellaDati(const QStringList& argomenti) {
    for (int i = 0; i < argomenti.size(); ++i) {
        if (argomenti[i] == QLatin1String("--data-dir") && i + 1 < argomenti.size()) return argomenti[i + 1];
        if (argomenti[i].startsWith(QLatin1String("--data-dir="))) return argomenti[i].mid(11);
    }
    return {};
}

bool NomeSenzaPerdite(const QByteArray& grezzo) {
    return QFile::encodeName(QFile::decodeName(grezzo)) == grezzo;
}

QByteArray ValoreGrezzo(int argc, const char* const* argv, const QByteArray& nome) {
    QByteArray valore;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--") break;
        const QByteArray senzaTrattini = a.startsWith("--")  ? a.mid(2)
                                         : a.startsWith('-') ? a.mid(1)
                                                             : QByteArray();
        if (senzaTrattini == nome && i + 1 < argc)
            valore = argv[++i];
        else if (senzaTrattini.startsWith(nome + '='))
            valore = senzaTrattini.mid(nome.size() + 1);
    }
    return valore;
}

EsitoNomiGrezzi UsaNomiGrezzi(int argc, const char* const* argv, QString& cartella,
                              QMap<QString, QString>& file) {
    for (auto f = file.cbegin(); f != file.cend(); ++f)
        if (!NomeSenzaPerdite(ValoreGrezzo(argc, argv, f.key().toUtf8())))
            return {
                QStringLiteral("Il nome del file di --%1 non è in UTF-8: rinominare il file o la cartella.")
                    .arg(f.key())};
    const QByteArray grezza = ValoreGrezzo(argc, argv, "data-dir");
    const QByteArray assoluta = grezza.startsWith('/') ? grezza : CartellaCorrente() + '/' + grezza;
    if (grezza.isEmpty() || NomeSenzaPerdite(assoluta)) return {};
    // Qt reaches the folder only as the working directory: the files named relative to the
    // current one must be named absolutely before it changes.
    const bool correnteSenzaPerdite = NomeSenzaPerdite(CartellaCorrente());
    for (auto f = file.begin(); f != file.end(); ++f) {
        if (QDir::isAbsolutePath(*f) || *f == QLatin1String("-")) continue;  // "-": standard output
        *f = QFileInfo(*f).absoluteFilePath();
        if (!correnteSenzaPerdite)
            return {QStringLiteral("Il nome della cartella corrente non è in UTF-8: indicare il file di --%1 "
                                   "con il percorso completo.")
                        .arg(f.key())};
    }
    CreaCartellaGrezza(grezza);
    if (::chdir(grezza.constData()) != 0)
        return {QStringLiteral("Impossibile usare la cartella dei dati %1.").arg(QFile::decodeName(grezza)),
                false};
    cartella = QStringLiteral("/proc/self/cwd");
    return {};
}
