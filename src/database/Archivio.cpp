#include "database/Archivio.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "common/Progresso.h"
#include "common/Testo.h"

namespace {
const QString kNomeDatabase = QStringLiteral("Voviva.mdb");
const QString kNomeTemporaneo = QStringLiteral("DBTemp.mdb");
const QString kCartellaCopie = QStringLiteral("backup");
constexpr int kCopieTenute = 5;

bool contieneVoce(const QString& elenco, const QString& voce) {
    return elenco.contains(voce + QLatin1Char(','), Qt::CaseInsensitive);
}
}  // namespace

ErroreApertura::ErroreApertura(const QString& percorso)
    : ErroreDatabase(QStringLiteral("Errore apertura database ") + percorso) {}

Archivio::Archivio(const QString& cartellaDati) : cartella_(QDir(cartellaDati).absolutePath()) {
    percorsoAttivo_ = percorsoDatabase();
}

Archivio::~Archivio() {
    for (RowSet& r : rs) r = RowSet();
    for (Database& d : db) d.chiudi();
    if (avviato_) RegistraChiusura();
}

namespace {
// Which file and which state of it: inode, size and modification time.
QByteArray Impronta(const QString& percorso) {
    struct stat s {};
    if (::stat(QFile::encodeName(percorso).constData(), &s) != 0) return {};
    return QByteArray::number(static_cast<qulonglong>(s.st_ino)) + ' ' + QByteArray::number(s.st_size) + ' ' +
           QByteArray::number(s.st_mtim.tv_sec) + '.' + QByteArray::number(s.st_mtim.tv_nsec);
}

QString PercorsoControllo(const QString& cartella) {
    return QDir(cartella).filePath(QStringLiteral(".Voviva.controllo"));
}
}  // namespace

bool Archivio::ChiusoPulito() const {
    QFile registro(PercorsoControllo(cartella_));
    if (!registro.open(QIODevice::ReadOnly)) return false;
    const QByteArray impronta = Impronta(percorsoDatabase());
    return !impronta.isEmpty() && registro.readAll() == impronta &&
           !QFileInfo::exists(percorsoDatabase() + QStringLiteral("-journal")) &&
           !QFileInfo::exists(percorsoDatabase() + QStringLiteral("-wal"));
}

// A journal left beside the file means a write still open elsewhere: nothing is recorded then.
// A record cut short matches no file, so the next start checks: no atomic write is needed.
void Archivio::RegistraChiusura() const {
    if (QFileInfo::exists(percorsoDatabase() + QStringLiteral("-journal"))) return;
    const QByteArray impronta = Impronta(percorsoDatabase());
    QFile registro(PercorsoControllo(cartella_));
    if (!impronta.isEmpty() && registro.open(QIODevice::WriteOnly | QIODevice::Truncate))
        registro.write(impronta);
}

QString Archivio::percorsoDatabase() const {
    return QDir(cartella_).filePath(kNomeDatabase);
}

QString Archivio::percorsoTemporaneo() const {
    return QDir(cartella_).filePath(kNomeTemporaneo);
}

bool Archivio::DatabaseCrea(int slot) {
    if (QFileInfo::exists(percorsoAttivo_)) return false;
    db[slot].crea(percorsoAttivo_);
    return true;
}

void Archivio::DatabaseApre(int slot) {
    if (db[slot].aperto() && db[slot].percorso() == percorsoAttivo_) return;
    try {
        db[slot].apri(percorsoAttivo_);
    } catch (const ErroreDatabase&) {
        throw ErroreApertura(QDir::toNativeSeparators(percorsoAttivo_));
    }
}

void Archivio::DatabaseTabelleCreazione(int slot) {
    for (int t = kPrimaTabella; t <= kUltimaTabella; ++t) DatabaseTabellaCrea(slot, t);
}

void Archivio::DatabaseTabellaCrea(int slot, int tabella) {
    db[slot].creaTabella(tabelle.TabelleNomi[tabella],
                         LeggiSpecificaCreazione(tabelle.TabelleCampi[tabella]));
}

bool Archivio::DataBaseTabelleAggiorna(int slot) {
    Database& d = db[slot];
    for (int t = kPrimaTabella; t <= kUltimaTabella; ++t) {
        if (!d.esisteTabella(tabelle.TabelleNomi[t])) return true;
        const QList<Campo> esistenti = d.campi(tabelle.TabelleNomi[t]);
        for (const Campo& voluto : LeggiSpecificaVerifica(tabelle.TabelleCampi[t])) {
            auto trovato = std::find_if(esistenti.begin(), esistenti.end(), [&](const Campo& c) {
                return c.nome.compare(voluto.nome, Qt::CaseInsensitive) == 0;
            });
            if (trovato == esistenti.end()) return true;
            if (trovato->tipo == TipoCampo::Testo && voluto.tipo == TipoCampo::Testo &&
                trovato->larghezza != voluto.larghezza)
                return true;
        }
        DataBaseVerificaIndici(slot, t);
    }
    return false;
}

void Archivio::DataBaseVerificaIndici(int slot, int tabella) {
    Database& d = db[slot];
    const QString nomeTabella = tabelle.TabelleNomi[tabella];
    QString lavoro = tabelle.TabelleIndici[tabella] + QLatin1Char(',');
    for (const QString& indice : d.indici(nomeTabella)) {
        qsizetype at = lavoro.indexOf(indice + QLatin1Char(','), 0, Qt::CaseInsensitive);
        if (at >= 0) lavoro.remove(at, indice.size() + 1);
    }
    if (lavoro.isEmpty()) return;
    for (const Campo& c : d.campi(nomeTabella))
        if (contieneVoce(lavoro, c.nome)) d.creaIndice(nomeTabella, c.nome);
}

QString Archivio::copiaPiuRecente() const {
    const QDir copie(QDir(cartella_).filePath(kCartellaCopie));
    const QStringList nomi = copie.entryList({QStringLiteral("Voviva-*.mdb")}, QDir::Files, QDir::Name);
    return nomi.isEmpty() ? QString() : QDir::toNativeSeparators(copie.filePath(nomi.last()));
}

// A damaged file is refused before anything reads or rebuilds it, so nothing is copied from it.
void Archivio::ControllaIntegrita() {
    if (db[0].controlloRapido() == QLatin1String("ok")) return;
    const QString percorso = QDir::toNativeSeparators(percorsoDatabase());
    db[0].chiudi();
    QString testo = QStringLiteral("Il database %1 è danneggiato.").arg(percorso);
    if (const QString copia = copiaPiuRecente(); !copia.isEmpty())
        testo += QStringLiteral("\r\nLa copia più recente è %1.").arg(copia);
    throw ErroreDatabase(testo);
}

void Archivio::AvviaDatabase() {
    avviso.clear();
    for (int giro = 0; giro < 2; ++giro) {
        percorsoAttivo_ = percorsoDatabase();
        bool creato = DatabaseCrea(0);
        DatabaseApre(0);
        if (!creato && giro == 0 && !ChiusoPulito()) ControllaIntegrita();
        if (creato) DatabaseTabelleCreazione(0);
        if (!DataBaseTabelleAggiorna(0)) {
            RecordSetImpostaDefault();
            avviato_ = true;
            return;
        }
        if (giro == 0) Ricostruisci();
    }
    // A freshly rebuilt file always passes the check; failing it means the tables cannot be made.
    throw ErroreDatabase(QStringLiteral("Impossibile adeguare le tabelle del database ") +
                         QDir::toNativeSeparators(percorsoDatabase()));
}

// The old file stays untouched until the new one is complete and closed; only then does an
// atomic rename put the new file in its place.  A failure at any step leaves the old file as it
// was and a stale DBTemp.mdb, which the next start deletes.
void Archivio::Ricostruisci() {
    auto passo = [this](const QString& nome) {
        if (passoRicostruzione) passoRicostruzione(nome);
    };
    for (RowSet& r : rs) r = RowSet();
    db[0].chiudi();
    const QString temporaneo = percorsoTemporaneo();
    if (QFileInfo::exists(temporaneo) && !QFile::remove(temporaneo))
        throw ErroreDatabase(QStringLiteral("Impossibile cancellare ") +
                             QDir::toNativeSeparators(temporaneo));
    try {
        percorsoAttivo_ = temporaneo;
        DatabaseCrea(0);
        DatabaseApre(0);
        DatabaseTabelleCreazione(0);
        passo(QStringLiteral("creato"));
        percorsoAttivo_ = percorsoDatabase();
        DatabaseApre(1);
        int tagliati = 0;
        {
            Database::Transazione tr(db[0]);
            for (int t = kPrimaTabella; t <= kUltimaTabella; ++t) {
                tagliati += CopiaTabella(t);
                passo(QStringLiteral("copiata %1").arg(tabelle.TabelleNomi[t]));
            }
            tr.conferma();
        }
        for (RowSet& r : rs) r = RowSet();
        db[0].chiudi();
        db[1].chiudi();
        // A Voviva.mdb that is a link stays a link: its target is what gets replaced.
        const QFileInfo info(percorsoDatabase());
        const QString destinazione = info.isSymLink() ? info.canonicalFilePath() : percorsoDatabase();
        passo(QStringLiteral("sostituzione"));
        // The copy may share the old file's data (a hard link): nothing writes between it and the
        // rename, and a failed rename takes it back.
        const QString copia = ConservaCopia(destinazione);
        if (std::rename(QFile::encodeName(temporaneo).constData(),
                        QFile::encodeName(destinazione).constData()) != 0) {
            QFile::remove(copia);
            throw ErroreDatabase(QStringLiteral("Impossibile sostituire ") +
                                 QDir::toNativeSeparators(percorsoDatabase()));
        }
        avviso = QStringLiteral(
                     "Il database %1 è stato adeguato alle nuove tabelle; la copia precedente è "
                     "%2. Testi accorciati: %3.")
                     .arg(QDir::toNativeSeparators(percorsoDatabase()), QDir::toNativeSeparators(copia))
                     .arg(tagliati);
    } catch (...) {
        for (RowSet& r : rs) r = RowSet();
        db[0].chiudi();
        db[1].chiudi();
        percorsoAttivo_ = percorsoDatabase();
        throw;
    }
}

// The file about to be replaced is kept as backup/Voviva-<date-time>.mdb (a hard link when the
// file system allows it, a copy otherwise), and only the newest five are kept.
QString Archivio::ConservaCopia(const QString& originale) {
    QDir cartella(cartella_);
    if (!cartella.mkpath(kCartellaCopie))
        throw ErroreDatabase(QStringLiteral("Impossibile creare la cartella ") +
                             QDir::toNativeSeparators(cartella.filePath(kCartellaCopie)));
    const QDir copie(cartella.filePath(kCartellaCopie));
    const QString base =
        QStringLiteral("Voviva-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString copia = copie.filePath(base + QStringLiteral(".mdb"));
    for (int n = 2; QFileInfo::exists(copia); ++n)
        copia = copie.filePath(base + QStringLiteral("_%1.mdb").arg(n, 2, 10, QLatin1Char('0')));
    if (::link(QFile::encodeName(originale).constData(), QFile::encodeName(copia).constData()) != 0 &&
        !QFile::copy(originale, copia))
        throw ErroreDatabase(QStringLiteral("Impossibile conservare la copia ") +
                             QDir::toNativeSeparators(copia));
    QStringList vecchie = copie.entryList({QStringLiteral("Voviva-*.mdb")}, QDir::Files, QDir::Name);
    while (vecchie.size() > kCopieTenute) QFile::remove(copie.filePath(vecchie.takeFirst()));
    return copia;
}

// Values are copied by field name, which is the copy by position whenever the old fields are a
// leading part of the new list, and keeps values in their own fields when they are not.  Text
// longer than a narrowed field is cut to the new width; the count of cut texts is returned.
int Archivio::CopiaTabella(int tabella) {
    const QString nomeTabella = tabelle.TabelleNomi[tabella];
    if (!db[1].esisteTabella(nomeTabella)) return 0;
    rs[7] = db[1].apriTabella(nomeTabella);
    if (rs[7].fine()) return 0;
    int tagliati = 0;
    rs[tabella] = db[0].apriTabella(nomeTabella);
    const QList<Campo> nuovi = db[0].campi(nomeTabella);
    QList<int> destinazione;
    for (int j = 0; j < rs[7].numeroCampi(); ++j) {
        const QString nomeVecchio = rs[7].nomeCampo(j);
        auto it = std::find_if(nuovi.begin(), nuovi.end(), [&](const Campo& c) {
            return c.nome.compare(nomeVecchio, Qt::CaseInsensitive) == 0;
        });
        destinazione << (it == nuovi.end() ? -1 : static_cast<int>(it - nuovi.begin()));
    }
    for (; !rs[7].fine(); rs[7].successivo()) {
        rs[tabella].aggiungi();
        for (int j = 0; j < destinazione.size(); ++j) {
            int k = destinazione[j];
            if (k < 0) continue;
            QVariant v = rs[7].valore(j);
            if (nuovi[k].tipo == TipoCampo::Testo && nuovi[k].larghezza > 0 &&
                v.toString().size() > nuovi[k].larghezza) {
                v = v.toString().left(nuovi[k].larghezza);
                ++tagliati;
            }
            rs[tabella].imposta(k, v);
        }
        rs[tabella].memorizza();
    }
    rs[7] = RowSet();
    rs[tabella] = RowSet();
    return tagliati;
}

void Archivio::RecordSetImposta(int slotDb, int slotRs) {
    rs[slotRs] = db[slotDb].apriRowSet(query);
    if (rs[slotRs].fine()) {
        NumeroRecord = 0;
        return;
    }
    rs[slotRs].primo();
    NumeroRecord = rs[slotRs].conteggio();
}

void Archivio::RecordSetImpostaDefault() {
    for (int t = kPrimaTabella; t <= kUltimaTabella; ++t) rs[t] = db[0].apriTabella(tabelle.TabelleNomi[t]);
}

void Archivio::CancellaTabella(int tabella, const QString& campo, const QString& valore,
                               Progresso* progresso) {
    query = Query::di(tabelle.TabelleNomi[tabella]);
    if (!campo.isEmpty()) query.like(campo, LikeTesto(valore));
    const int totale = NumeroRecord;
    if (progresso)
        progresso->didascalia(QStringLiteral("Cancellazione tabella ") + tabelle.TabelleNomi[tabella]);
    rs[7] = db[0].apriRowSet(query);
    int conteggio = 0;
    Database::Transazione tr(db[0]);
    while (!rs[7].fine()) {
        ++conteggio;
        if (progresso) progresso->posizione(conteggio, totale);
        rs[7].elimina();
        rs[7].successivo();
    }
    tr.conferma();
    if (progresso) progresso->azzera();
}

void Archivio::RiparaLocalitaGuida() {
    query = Query::di(tabelle.TabelleNomi[TabGuidaCitta])
                .contiene(QStringLiteral("Localita"), QStringLiteral("("));
    rs[7] = db[0].apriRowSet(query);
    Database::Transazione tr(db[0]);
    for (; !rs[7].fine(); rs[7].successivo()) {
        const QString localita = rs[7].testo(QStringLiteral("Localita"));
        rs[7].modifica();
        rs[7].imposta(QStringLiteral("Localita"), Trim(localita.left(localita.indexOf(QLatin1Char('(')))));
        rs[7].memorizza();
    }
    tr.conferma();
}
