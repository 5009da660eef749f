#include "database/Database.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/Testo.h"

namespace {

const char* const kCollazione = "NOCASEU";

int confrontaPiegato(const char* a, int na, const char* b, int nb) {
    // Pure ASCII is compared byte by byte; anything else goes through Unicode folding.  Equal
    // bytes are equal text whatever they encode, so a shared accented prefix ("Località 1",
    // "Località 2") does not cost a folding.
    int n = std::min(na, nb);
    for (int i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca == cb) continue;
        if (ca >= 0x80 || cb >= 0x80) {
            QString sa = Piegato(QString::fromUtf8(a, na));
            QString sb = Piegato(QString::fromUtf8(b, nb));
            return sa.compare(sb) < 0 ? -1 : (sa == sb ? 0 : 1);
        }
        if (ca >= 'A' && ca <= 'Z') ca = ca - 'A' + 'a';
        if (cb >= 'A' && cb <= 'Z') cb = cb - 'A' + 'a';
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

int collazione(void*, int na, const void* a, int nb, const void* b) {
    return confrontaPiegato(static_cast<const char*>(a), na, static_cast<const char*>(b), nb);
}

bool corrisponde(const QChar* t, const QChar* tFine, const QChar* m, const QChar* mFine) {
    while (m != mFine) {
        if (*m == QLatin1Char('*')) {
            while (m != mFine && *m == QLatin1Char('*')) ++m;
            if (m == mFine) return true;
            for (const QChar* p = t; p <= tFine; ++p)
                if (corrisponde(p, tFine, m, mFine)) return true;
            return false;
        }
        if (t == tFine) return false;
        if (*m != QLatin1Char('?') && *m != *t) return false;
        ++m;
        ++t;
    }
    return t == tFine;
}

void funzioneLike(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    auto testoDi = [](sqlite3_value* v) {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                                 sqlite3_value_bytes(v));
    };
    QString modello = testoDi(argv[0]);
    QString testo = sqlite3_value_type(argv[1]) == SQLITE_NULL ? QString() : testoDi(argv[1]);
    sqlite3_result_int(ctx, CorrispondeLike(testo, modello) ? 1 : 0);
}

// A name of a table or field: a letter or "_", then letters, digits and "_".
bool nomeValido(const QString& nome) {
    auto lettera = [](QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; };
    if (nome.isEmpty() || !lettera(nome.front())) return false;
    return std::all_of(nome.begin(), nome.end(),
                       [&](QChar c) { return lettera(c) || (c >= u'0' && c <= u'9'); });
}

QString quota(const QString& nome) {
    if (!nomeValido(nome)) throw ErroreDatabase(QStringLiteral("Nome non valido: ") + nome);
    return QLatin1Char('"') + nome + QLatin1Char('"');
}

QString dichiarazione(const Campo& c) {
    switch (c.tipo) {
        case TipoCampo::Testo:
            return QStringLiteral("VARCHAR(%1) COLLATE %2").arg(c.larghezza).arg(QLatin1String(kCollazione));
        case TipoCampo::SiNo:
            return QStringLiteral("BOOLEAN");
        case TipoCampo::Intero:
            return QStringLiteral("SMALLINT");
        case TipoCampo::Singolo:
            return QStringLiteral("REAL");
        case TipoCampo::Doppio:
            return QStringLiteral("DOUBLE");
        case TipoCampo::Data:
            return QStringLiteral("DATETIME");
        case TipoCampo::Byte:
            return QStringLiteral("BLOB");
    }
    return {};
}

Campo campoDaDichiarazione(const QString& nome, const QString& tipo) {
    static const QRegularExpression testo(QStringLiteral("^\\s*(VAR)?CHAR\\s*\\(\\s*(\\d+)\\s*\\)"),
                                          QRegularExpression::CaseInsensitiveOption);
    Campo c{nome, TipoCampo::Testo, 0};
    auto m = testo.match(tipo);
    QString t = tipo.trimmed().toUpper();
    if (m.hasMatch())
        c.larghezza = m.captured(2).toInt();
    else if (t.startsWith(QLatin1String("BOOL")))
        c.tipo = TipoCampo::SiNo;
    else if (t.startsWith(QLatin1String("SMALLINT")) || t.startsWith(QLatin1String("INT")))
        c.tipo = TipoCampo::Intero;
    else if (t.startsWith(QLatin1String("REAL")) || t.startsWith(QLatin1String("FLOAT")))
        c.tipo = TipoCampo::Singolo;
    else if (t.startsWith(QLatin1String("DOUBLE")))
        c.tipo = TipoCampo::Doppio;
    else if (t.startsWith(QLatin1String("DATE")))
        c.tipo = TipoCampo::Data;
    else if (t.startsWith(QLatin1String("BLOB")))
        c.tipo = TipoCampo::Byte;
    return c;
}

// The logical name of an index: ours are stored as "Table.Field" because SQLite index names are
// unique in the whole file, while each table names its indexes after its fields.
QString nomeIndiceLogico(const QString& nomeSql) {
    int punto = nomeSql.indexOf(QLatin1Char('.'));
    return punto >= 0 ? nomeSql.mid(punto + 1) : nomeSql;
}

// The test hook's countdown: the statement that brings it to 0 fails.
int guastoTraIstruzioni = 0;
int istruzioniContate = 0;

void ContaIstruzione() {
    ++istruzioniContate;
    if (guastoTraIstruzioni > 0 && --guastoTraIstruzioni == 0)
        throw ErroreDatabase(QStringLiteral("Guasto simulato"));
}

// A connection serves one thread, so SQLite need not lock it on every call.
constexpr int kApertura = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
constexpr int kAperturaCrea = kApertura | SQLITE_OPEN_CREATE;

// Concurrent runs (two batch commands, a window and a batch command) wait this long for each
// other before giving up.
constexpr int kAttesaOccupatoMs = 5000;

// SQLite's message, or a plain one when another run still holds the file after the wait.
QString MessaggioSqlite(sqlite3* db) {
    const int codice = sqlite3_errcode(db);
    if (codice == SQLITE_BUSY || codice == SQLITE_LOCKED)
        return QStringLiteral("Il database %1 è occupato da un'altra elaborazione: riprovare più tardi.")
            .arg(QFile::decodeName(sqlite3_db_filename(db, "main")));
    return QString::fromUtf8(sqlite3_errmsg(db));
}

}  // namespace

int GuastoIstruzionePerTest(int n) {
    const int contate = istruzioniContate;
    istruzioniContate = 0;
    guastoTraIstruzioni = n;
    return contate;
}

ErroreDatabase::ErroreDatabase(const QString& messaggio) : std::runtime_error(messaggio.toStdString()) {}

bool CorrispondeLike(const QString& testo, const QString& modello) {
    QString t = Piegato(testo);
    QString m = Piegato(modello);
    return corrisponde(t.constData(), t.constData() + t.size(), m.constData(), m.constData() + m.size());
}

// ---------------------------------------------------------------------------------------------
// Statements

namespace {

// Prepared statements kept for reuse, by their SQL, for the connection they were prepared on:
// the same few queries run once per locality or per row, and preparing one costs more than
// running it.
struct CacheIstruzioni {
    sqlite3* handle = nullptr;
    QHash<QString, sqlite3_stmt*> libere;

    void svuota() {
        for (sqlite3_stmt* st : std::as_const(libere)) sqlite3_finalize(st);
        libere.clear();
    }
};

class Istruzione {
  public:
    Istruzione(sqlite3* db, const QString& sql) : db_(db) {
        ContaIstruzione();
        prepara(sql);
    }
    // A statement taken from the cache (or prepared) and given back to it when done; a cache gone
    // or serving another connection by then gets nothing back.
    Istruzione(const std::shared_ptr<CacheIstruzioni>& cache, sqlite3* db, const QString& sql)
        : db_(db), cache_(cache), sql_(sql) {
        ContaIstruzione();
        if (cache->handle == db) st_ = cache->libere.take(sql);
        if (!st_) prepara(sql);
    }
    ~Istruzione() {
        const std::shared_ptr<CacheIstruzioni> cache = cache_.lock();
        if (st_ && cache && cache->handle == db_ && !cache->libere.contains(sql_)) {
            sqlite3_reset(st_);
            sqlite3_clear_bindings(st_);
            cache->libere.insert(sql_, st_);
        } else {
            sqlite3_finalize(st_);
        }
    }
    Istruzione(const Istruzione&) = delete;
    Istruzione& operator=(const Istruzione&) = delete;

    void lega(int i, const QVariant& v) {
        int rc;
        if (!v.isValid() || v.isNull()) {
            rc = sqlite3_bind_null(st_, i);
        } else if (v.typeId() == QMetaType::Bool) {
            rc = sqlite3_bind_int(st_, i, v.toBool() ? 1 : 0);
        } else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong) {
            rc = sqlite3_bind_int64(st_, i, v.toLongLong());
        } else if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
            rc = sqlite3_bind_double(st_, i, v.toDouble());
        } else if (v.typeId() == QMetaType::QByteArray) {
            QByteArray b = v.toByteArray();
            rc = sqlite3_bind_blob(st_, i, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
        } else {
            QByteArray b = v.toString().toUtf8();
            rc = sqlite3_bind_text(st_, i, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK) throw ErroreDatabase(errore());
    }

    void riavvia() {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }

    bool passo() {
        int rc = sqlite3_step(st_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        throw ErroreDatabase(errore());
    }

    int colonne() const { return sqlite3_column_count(st_); }
    int tipo(int c) const { return sqlite3_column_type(st_, c); }
    double reale(int c) const { return sqlite3_column_double(st_, c); }
    // The bytes of a text or blob column (of the type given, when the caller knows it), valid until
    // the statement moves on.
    QByteArrayView byte(int c, int tipoColonna) const {
        const void* dati = tipoColonna == SQLITE_BLOB ? sqlite3_column_blob(st_, c)
                                                      : static_cast<const void*>(sqlite3_column_text(st_, c));
        return {static_cast<const char*>(dati), sqlite3_column_bytes(st_, c)};
    }
    qint64 intero(int c) const { return sqlite3_column_int64(st_, c); }
    QString testo(int c) const {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st_, c)),
                                 sqlite3_column_bytes(st_, c));
    }
    QVariant valore(int c) const {
        switch (sqlite3_column_type(st_, c)) {
            case SQLITE_NULL:
                return {};
            case SQLITE_INTEGER:
                return QVariant(static_cast<qlonglong>(sqlite3_column_int64(st_, c)));
            case SQLITE_FLOAT:
                return QVariant(sqlite3_column_double(st_, c));
            case SQLITE_BLOB:
                return QByteArray(static_cast<const char*>(sqlite3_column_blob(st_, c)),
                                  sqlite3_column_bytes(st_, c));
            default:
                return testo(c);
        }
    }

  private:
    void prepara(const QString& sql) {
        QByteArray s = sql.toUtf8();
        if (sqlite3_prepare_v2(db_, s.constData(), static_cast<int>(s.size()), &st_, nullptr) != SQLITE_OK)
            throw ErroreDatabase(errore());
    }
    QString errore() const { return MessaggioSqlite(db_); }
    sqlite3* db_;
    sqlite3_stmt* st_ = nullptr;
    std::weak_ptr<CacheIstruzioni> cache_;
    QString sql_;
};

}  // namespace

namespace {

// A stored value as the field's type reads it: Yes/No as a bool, text (an empty field too) as text.
QVariant ValoreDelCampo(const Campo& campo, const QVariant& v) {
    if (campo.tipo == TipoCampo::SiNo) return QVariant(v.isValid() && v.toLongLong() != 0);
    if (campo.tipo == TipoCampo::Testo) return QVariant(v.isValid() ? v.toString() : QString());
    return v;
}

}  // namespace

struct Database::Stato {
    mutable QHash<QString, QList<Campo>> campi;  // by table name folded
    std::shared_ptr<CacheIstruzioni> istruzioni = std::make_shared<CacheIstruzioni>();
};

Database::Database() : stato_(std::make_unique<Stato>()) {}

Database::~Database() {
    chiudi();
}

void Database::crea(const QString& percorso) {
    chiudi();
    if (QFileInfo::exists(percorso))
        throw ErroreDatabase(QStringLiteral("Il database esiste già: ") + percorso);
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(percorso.toUtf8().constData(), &db, kAperturaCrea, nullptr);
    if (rc != SQLITE_OK) {
        QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
        sqlite3_close(db);
        throw ErroreDatabase(QStringLiteral("Impossibile creare il database ") + percorso +
                             QStringLiteral(": ") + msg);
    }
    db_ = db;
    percorso_ = percorso;
    stato_->istruzioni->handle = db_;
    sqlite3_busy_timeout(db_, kAttesaOccupatoMs);
    sqlite3_create_collation(db_, kCollazione, SQLITE_UTF8, nullptr, collazione);
    sqlite3_create_function(db_, "zlike", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, funzioneLike,
                            nullptr, nullptr);
    // Writing the header makes the file a database at once, so a crash leaves no empty file.
    esegui(QStringLiteral("PRAGMA user_version = 1"));
}

void Database::apri(const QString& percorso) {
    chiudi();
    auto rifiuta = [&](const QString& perche) {
        throw ErroreDatabase(QStringLiteral("Impossibile aprire il database ") + percorso +
                             QStringLiteral(": ") + perche);
    };
    if (!QFileInfo(percorso).isFile()) rifiuta(QStringLiteral("file inesistente"));
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(percorso.toUtf8().constData(), &db, kApertura, nullptr);
    if (rc != SQLITE_OK || sqlite3_db_readonly(db, "main") == 1) {
        QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
        sqlite3_close(db);
        rifiuta(rc == SQLITE_OK ? QStringLiteral("sola lettura") : msg);
    }
    sqlite3_busy_timeout(db, kAttesaOccupatoMs);
    // Reading the schema is the first touch of the file: a file that is not a database fails
    // here, before anything could be written to it.
    sqlite3_stmt* st = nullptr;
    rc = sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master", -1, &st, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_step(st);
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW) {
        QString msg = MessaggioSqlite(db);
        sqlite3_close(db);
        rifiuta(msg);
    }
    db_ = db;
    percorso_ = percorso;
    stato_->istruzioni->handle = db_;
    sqlite3_create_collation(db_, kCollazione, SQLITE_UTF8, nullptr, collazione);
    sqlite3_create_function(db_, "zlike", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, funzioneLike,
                            nullptr, nullptr);
}

void Database::chiudi() {
    stato_->istruzioni->svuota();
    stato_->istruzioni->handle = nullptr;
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
    percorso_.clear();
    stato_->campi.clear();
}

void Database::verificaAperto() const {
    if (!db_) throw ErroreDatabase(QStringLiteral("Database non aperto"));
}

QString Database::controlloRapido() {
    verificaAperto();
    try {
        Istruzione st(db_, QStringLiteral("PRAGMA quick_check(1)"));
        return st.passo() ? st.testo(0) : QString();
    } catch (const ErroreDatabase& e) {
        return e.messaggio();
    }
}

void Database::esegui(const QString& sql) {
    verificaAperto();
    ContaIstruzione();
    char* msg = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &msg) != SQLITE_OK) {
        const int codice = sqlite3_errcode(db_);
        QString testo = codice == SQLITE_BUSY || codice == SQLITE_LOCKED ? MessaggioSqlite(db_)
                                                                         : QString::fromUtf8(msg ? msg : "");
        sqlite3_free(msg);
        throw ErroreDatabase(testo);
    }
}

QStringList Database::tabelle() const {
    verificaAperto();
    QStringList nomi;
    Istruzione st(db_, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                      "AND name NOT LIKE 'sqlite_%' ORDER BY rowid"));
    while (st.passo()) nomi << st.testo(0);
    return nomi;
}

bool Database::esisteTabella(const QString& nome) const {
    const QStringList t = tabelle();
    return std::any_of(t.begin(), t.end(),
                       [&](const QString& n) { return n.compare(nome, Qt::CaseInsensitive) == 0; });
}

QList<Campo> Database::campi(const QString& tabella) const {
    return campiInCache(tabella);
}

const QList<Campo>& Database::campiInCache(const QString& tabella) const {
    verificaAperto();
    QString chiave = Piegato(tabella);
    auto it = stato_->campi.find(chiave);
    if (it != stato_->campi.end()) return it.value();
    QList<Campo> elenco;
    Istruzione st(db_, QStringLiteral("SELECT name, type FROM pragma_table_info(?1)"));
    st.lega(1, tabella);
    while (st.passo()) elenco << campoDaDichiarazione(st.testo(0), st.testo(1));
    if (elenco.isEmpty()) throw ErroreDatabase(QStringLiteral("Tabella inesistente: ") + tabella);
    return stato_->campi.insert(chiave, elenco).value();
}

QStringList Database::indici(const QString& tabella) const {
    verificaAperto();
    QStringList nomi;
    Istruzione st(db_,
                  QStringLiteral("SELECT name FROM pragma_index_list(?1) WHERE origin = 'c' ORDER BY name"));
    st.lega(1, tabella);
    while (st.passo()) nomi << nomeIndiceLogico(st.testo(0));
    return nomi;
}

void Database::creaTabella(const QString& nome, const QList<Campo>& campi) {
    if (campi.isEmpty()) throw ErroreDatabase(QStringLiteral("Tabella senza campi: ") + nome);
    QStringList colonne;
    for (const Campo& c : campi) colonne << quota(c.nome) + QLatin1Char(' ') + dichiarazione(c);
    esegui(QStringLiteral("CREATE TABLE ") + quota(nome) + QStringLiteral(" (") +
           colonne.join(QStringLiteral(", ")) + QLatin1Char(')'));
    stato_->campi.remove(Piegato(nome));
}

void Database::creaIndice(const QString& tabella, const QString& campo) {
    quota(tabella);
    quota(campo);
    esegui(QStringLiteral("CREATE INDEX \"%1.%2\" ON \"%1\" (\"%2\")").arg(tabella, campo));
}

// ---------------------------------------------------------------------------------------------
// Queries

namespace {

struct SqlQuery {
    QString where;
    QList<QVariant> parametri;
    QString orderBy;
};

SqlQuery traduci(const Query& q) {
    SqlQuery s;
    QStringList condizioni;
    const QString coll = QStringLiteral(" COLLATE ") + QLatin1String(kCollazione);
    for (const Condizione& c : q.condizioni) {
        QString campo = quota(c.campo);
        switch (c.confronto) {
            case Confronto::Uguale:
                s.parametri << c.valore;
                condizioni << QStringLiteral("%1 = ?%2%3").arg(campo).arg(s.parametri.size()).arg(coll);
                break;
            case Confronto::Diverso:
                s.parametri << c.valore;
                condizioni << QStringLiteral("%1 <> ?%2%3").arg(campo).arg(s.parametri.size()).arg(coll);
                break;
            case Confronto::Contiene:
                s.parametri << c.valore;
                condizioni << QStringLiteral("instr(%1, ?%2) > 0").arg(campo).arg(s.parametri.size());
                break;
            case Confronto::Like: {
                QString modello = c.valore.toString();
                s.parametri << modello;
                condizioni << QStringLiteral("zlike(?%1, %2)").arg(s.parametri.size()).arg(campo);
                // The literal start of the pattern bounds the search so the field's index serves.
                qsizetype jolly = modello.indexOf(QRegularExpression(QStringLiteral("[*?]")));
                QString inizio = jolly < 0 ? modello : modello.left(jolly);
                if (!inizio.isEmpty()) {
                    s.parametri << inizio << inizio + QChar(0xFFFF);
                    condizioni << QStringLiteral("%1 >= ?%2%4 AND %1 < ?%3%4")
                                      .arg(campo)
                                      .arg(s.parametri.size() - 1)
                                      .arg(s.parametri.size())
                                      .arg(coll);
                }
                break;
            }
        }
    }
    if (!condizioni.isEmpty()) s.where = QStringLiteral(" WHERE ") + condizioni.join(QStringLiteral(" AND "));
    QStringList ordini;
    for (const Ordine& o : q.ordini)
        ordini << quota(o.campo) + coll + (o.discendente ? QStringLiteral(" DESC") : QString());
    ordini << QStringLiteral("rowid");
    s.orderBy = QStringLiteral(" ORDER BY ") + ordini.join(QStringLiteral(", "));
    return s;
}

}  // namespace

Query Query::di(const QString& tabella) {
    Query q;
    q.tabella = tabella;
    return q;
}

Query& Query::dove(const QString& campo, const QVariant& valore) {
    condizioni << Condizione{campo, Confronto::Uguale, valore};
    return *this;
}

Query& Query::diverso(const QString& campo, const QVariant& valore) {
    condizioni << Condizione{campo, Confronto::Diverso, valore};
    return *this;
}

Query& Query::like(const QString& campo, const QString& modello) {
    condizioni << Condizione{campo, Confronto::Like, modello};
    return *this;
}

Query& Query::contiene(const QString& campo, const QString& testo) {
    condizioni << Condizione{campo, Confronto::Contiene, testo};
    return *this;
}

Query& Query::ordina(const QString& campo, bool discendente) {
    ordini << Ordine{campo, discendente};
    return *this;
}

int Database::elimina(const Query& query) {
    verificaAperto();
    SqlQuery s = traduci(query);
    Istruzione st(stato_->istruzioni, db_, QStringLiteral("DELETE FROM ") + quota(query.tabella) + s.where);
    for (int i = 0; i < s.parametri.size(); ++i) st.lega(i + 1, s.parametri[i]);
    st.passo();
    return sqlite3_changes(db_);
}

int Database::conta(const Query& query) {
    verificaAperto();
    SqlQuery s = traduci(query);
    Istruzione st(stato_->istruzioni, db_,
                  QStringLiteral("SELECT count(*) FROM ") + quota(query.tabella) + s.where);
    for (int i = 0; i < s.parametri.size(); ++i) st.lega(i + 1, s.parametri[i]);
    st.passo();
    return static_cast<int>(st.intero(0));
}

// The outermost group takes the write lock at once: two runs that both read and then write would
// otherwise deadlock, and one of them fail without waiting.
Database::Transazione::Transazione(Database& db) : db_(&db) {
    db_->verificaAperto();
    esterna_ = sqlite3_get_autocommit(db_->db_) != 0;
    db_->esegui(esterna_ ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("SAVEPOINT zt"));
}

Database::Transazione::~Transazione() {
    if (chiusa_ || !db_->aperto()) return;
    try {
        if (esterna_) {
            db_->esegui(QStringLiteral("ROLLBACK"));
        } else {
            db_->esegui(QStringLiteral("ROLLBACK TO zt"));
            db_->esegui(QStringLiteral("RELEASE zt"));
        }
    } catch (const ErroreDatabase&) {
        // Nothing more can be done while unwinding; SQLite has already undone what it could.
    }
    db_->stato_->campi.clear();
}

void Database::Transazione::conferma() {
    db_->esegui(esterna_ ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE zt"));
    chiusa_ = true;
}

// ---------------------------------------------------------------------------------------------
// Row sets

struct RowSet::Dati {
    Database* db = nullptr;
    sqlite3* handle = nullptr;  // the connection the rows belong to, to notice a closed database
    QString tabella;
    QList<Campo> campi;
    QList<qint64> righe;  // rowids in query order
    int pos = -1;         // current row; -1 or righe.size() when there is none
    bool cancellata = false;

    mutable bool caricata = false;
    mutable QList<QVariant> valori;
    mutable std::unique_ptr<Istruzione> lettura;  // reads one row by rowid, prepared once
    std::unique_ptr<Istruzione> inserimento;      // adds one row, prepared once (bulk imports)

    enum class Modo { Nessuno, Aggiunta, Modifica } modo = Modo::Nessuno;
    QList<QVariant> nuovi;
    QList<bool> impostati;
};

RowSet::RowSet() = default;
RowSet::~RowSet() = default;
RowSet::RowSet(const RowSet&) = default;
RowSet& RowSet::operator=(const RowSet&) = default;
RowSet::RowSet(RowSet&&) noexcept = default;
RowSet& RowSet::operator=(RowSet&&) noexcept = default;

RowSet Database::apriRowSet(const Query& query) {
    verificaAperto();
    RowSet rs;
    rs.d_ = std::make_shared<RowSet::Dati>();
    rs.d_->db = this;
    rs.d_->handle = db_;
    rs.d_->campi = campiInCache(query.tabella);
    rs.d_->tabella = query.tabella;
    SqlQuery s = traduci(query);
    Istruzione st(stato_->istruzioni, db_,
                  QStringLiteral("SELECT rowid FROM ") + quota(query.tabella) + s.where + s.orderBy);
    for (int i = 0; i < s.parametri.size(); ++i) st.lega(i + 1, s.parametri[i]);
    while (st.passo()) rs.d_->righe << st.intero(0);
    rs.d_->pos = rs.d_->righe.isEmpty() ? -1 : 0;
    return rs;
}

namespace {

// One value of an ordering key, as SQLite orders values: NULL first, then numbers, then texts by
// the folding collation, then bytes.
struct ValoreChiave {
    enum Classe { Nullo, Numero, Testo, Byte } classe = Nullo;
    bool intero = false;
    qint64 numeroIntero = 0;
    double numero = 0;
    qsizetype inizio = 0;  // bytes of a text or blob, in the keys' shared buffer
    qsizetype lunghezza = 0;
};

ValoreChiave::Classe ClasseDi(int tipoSqlite) {
    switch (tipoSqlite) {
        case SQLITE_NULL:
            return ValoreChiave::Nullo;
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            return ValoreChiave::Numero;
        case SQLITE_BLOB:
            return ValoreChiave::Byte;
        default:
            return ValoreChiave::Testo;
    }
}

int ConfrontaNumeri(const ValoreChiave& a, const ValoreChiave& b) {
    if (a.intero && b.intero) return a.numeroIntero < b.numeroIntero ? -1 : (a.numeroIntero > b.numeroIntero);
    const long double x = a.intero ? a.numeroIntero : a.numero;
    const long double y = b.intero ? b.numeroIntero : b.numero;
    return x < y ? -1 : (x > y);
}

// The rows of a read in the order of its ORDER BY (the ordering fields, then the rowid), sorted
// here: SQLite's sorter copies every row and calls the collation through its record format, which
// costs far more than comparing the keys in place, and most reads come in order already.
class Ordinamento {
  public:
    explicit Ordinamento(const QList<Ordine>& ordini) {
        for (const Ordine& o : ordini) discendente_.push_back(o.discendente);
    }
    // The key fields in the columns given, in ordering order, and the rowid.
    void aggiungi(const Istruzione& st, const std::vector<int>& colonneChiave, int colonnaRowid) {
        for (int c : colonneChiave) chiavi_.push_back(valore(st, c));
        rowid_.push_back(st.intero(colonnaRowid));
    }
    // Positions in reading order, sorted; empty when the rows came in order.  The rows mostly come
    // in a few ordered runs (the legs of a trip in sequence, those from 10000 on sorting apart as
    // texts), so the runs are found and merged, pairwise, until one is left.
    std::vector<qsizetype> ordine() const {
        const auto n = static_cast<qsizetype>(rowid_.size());
        std::vector<qsizetype> posizioni(n);
        for (qsizetype i = 0; i < n; ++i) posizioni[i] = i;
        const auto prima = [this](qsizetype a, qsizetype b) { return confronta(a, b) < 0; };
        std::vector<qsizetype> bordi{0};
        for (qsizetype i = 1; i < n; ++i)
            if (prima(i, i - 1)) bordi.push_back(i);
        bordi.push_back(n);
        if (bordi.size() <= 2) return {};
        // A few runs (the legs of a trip) merge in a few comparisons per row; many runs of few
        // distinct values (guide entries in table order) are cheaper to compare by rank.
        if (bordi.size() - 1 <= kSequenzeDaUnire) {
            unisci(posizioni, std::move(bordi), prima);
            return posizioni;
        }
        const std::vector<int> ranghi = this->ranghi();
        const auto campi = static_cast<qsizetype>(discendente_.size());
        const auto precede = [&](qsizetype a, qsizetype b) {
            const auto ra = ranghi.begin() + a * campi;
            const auto rb = ranghi.begin() + b * campi;
            const auto diversi = std::mismatch(ra, ra + campi, rb);
            if (diversi.first != ra + campi) return *diversi.first < *diversi.second;
            return rowid_[a] < rowid_[b];
        };
        unisci(posizioni, std::move(bordi), precede);
        return posizioni;
    }

  private:
    static constexpr std::size_t kSequenzeDaUnire = 16;

    // Merges the ordered runs between the borders, pairwise, until one is left.
    template <typename Precede>
    static void unisci(std::vector<qsizetype>& posizioni, std::vector<qsizetype> bordi,
                       const Precede& precede) {
        while (bordi.size() > 2) {
            const qsizetype sequenze = static_cast<qsizetype>(bordi.size()) - 1;
            std::vector<qsizetype> uniti{0};
            for (qsizetype k = 0; k < sequenze; k += 2) {
                const qsizetype fine = bordi[std::min(k + 2, sequenze)];
                if (k + 1 < sequenze)
                    std::inplace_merge(posizioni.begin() + bordi[k], posizioni.begin() + bordi[k + 1],
                                       posizioni.begin() + fine, precede);
                uniti.push_back(fine);
            }
            bordi = std::move(uniti);
        }
    }

    // Each key value's place among its field's values, equal values sharing it and descending
    // fields counting down, row after row: rows then compare as whole numbers.  The distinct
    // values are few in the reads that need sorting (type codes, times, groups), so few are
    // compared as texts.
    std::vector<int> ranghi() const {
        const auto n = static_cast<qsizetype>(discendente_.size());
        const auto righe = static_cast<qsizetype>(rowid_.size());
        std::vector<int> ranghi(righe * n);
        for (qsizetype k = 0; k < n; ++k) {
            std::unordered_map<std::string, int> distinti;
            std::vector<qsizetype> primaRiga;  // of each distinct value
            std::vector<int> distinto(righe);
            for (qsizetype i = 0; i < righe; ++i) {
                const auto [voce, nuovo] =
                    distinti.try_emplace(identita(chiavi_[i * n + k]), static_cast<int>(primaRiga.size()));
                if (nuovo) primaRiga.push_back(i);
                distinto[i] = voce->second;
            }
            const auto valoreDi = [&](int d) -> const ValoreChiave& { return chiavi_[primaRiga[d] * n + k]; };
            std::vector<int> inOrdine(primaRiga.size());
            for (std::size_t d = 0; d < inOrdine.size(); ++d) inOrdine[d] = static_cast<int>(d);
            std::sort(inOrdine.begin(), inOrdine.end(),
                      [&](int a, int b) { return confrontaValori(valoreDi(a), valoreDi(b)) < 0; });
            std::vector<int> rango(inOrdine.size());
            int r = 0;
            for (std::size_t j = 0; j < inOrdine.size(); ++j) {
                if (j > 0 && confrontaValori(valoreDi(inOrdine[j - 1]), valoreDi(inOrdine[j])) != 0) ++r;
                rango[inOrdine[j]] = discendente_[k] ? -r : r;
            }
            for (qsizetype i = 0; i < righe; ++i) ranghi[i * n + k] = rango[distinto[i]];
        }
        return ranghi;
    }
    // The stored value itself: values with the same identity compare equal.
    std::string identita(const ValoreChiave& v) const {
        std::string id(1, static_cast<char>(v.classe));
        if (v.classe == ValoreChiave::Numero) {
            id += v.intero ? 'i' : 'r';
            const auto bit = v.intero ? v.numeroIntero : std::bit_cast<qint64>(v.numero);
            id.append(reinterpret_cast<const char*>(&bit), sizeof bit);
        } else if (v.classe != ValoreChiave::Nullo) {
            id.append(testi_.data() + v.inizio, v.lunghezza);
        }
        return id;
    }
    ValoreChiave valore(const Istruzione& st, int c) {
        ValoreChiave v;
        const int tipo = st.tipo(c);
        v.classe = ClasseDi(tipo);
        if (v.classe == ValoreChiave::Numero) {
            v.intero = tipo == SQLITE_INTEGER;
            v.numeroIntero = st.intero(c);
            v.numero = st.reale(c);
        } else if (v.classe != ValoreChiave::Nullo) {
            const QByteArrayView b = st.byte(c, tipo);
            v.inizio = static_cast<qsizetype>(testi_.size());
            v.lunghezza = b.size();
            testi_.append(b.data(), static_cast<std::size_t>(b.size()));
        }
        return v;
    }
    int confrontaValori(const ValoreChiave& a, const ValoreChiave& b) const {
        if (a.classe != b.classe) return a.classe < b.classe ? -1 : 1;
        const char* ta = testi_.data() + a.inizio;
        const char* tb = testi_.data() + b.inizio;
        switch (a.classe) {
            case ValoreChiave::Nullo:
                return 0;
            case ValoreChiave::Numero:
                return ConfrontaNumeri(a, b);
            case ValoreChiave::Testo:
                return confrontaPiegato(ta, static_cast<int>(a.lunghezza), tb, static_cast<int>(b.lunghezza));
            case ValoreChiave::Byte:
                if (const int c = std::memcmp(ta, tb, std::min(a.lunghezza, b.lunghezza))) return c;
                return a.lunghezza < b.lunghezza ? -1 : (a.lunghezza > b.lunghezza);
        }
        return 0;
    }
    int confronta(qsizetype a, qsizetype b) const {
        const qsizetype n = static_cast<qsizetype>(discendente_.size());
        for (qsizetype k = 0; k < n; ++k) {
            const int c = confrontaValori(chiavi_[a * n + k], chiavi_[b * n + k]);
            if (c != 0) return discendente_[k] ? -c : c;
        }
        return rowid_[a] < rowid_[b] ? -1 : (rowid_[a] > rowid_[b]);
    }

    std::vector<bool> discendente_;
    std::vector<ValoreChiave> chiavi_;  // row after row, one per ordering field
    std::vector<qint64> rowid_;
    std::string testi_;
};

// The text of a field from its bytes.  A field often holds a few texts over and over (a type
// code, a group, a flag, a blank): each is made once and shared.  A field of more distinct texts
// than that (a description) shares only the text of the row before.
class TestoRipetuto {
  public:
    const QString& operator()(QByteArrayView byte) {
        if (!molti_) {
            for (const Noto& n : noti_)
                if (Uguali(byte, n.byte)) return n.testo;
            if (noti_.size() < kNoti) {
                noti_.push_back({std::string(byte.data(), byte.size()), QString::fromUtf8(byte)});
                return noti_.back().testo;
            }
            molti_ = true;
        }
        if (!Uguali(byte, ultimo_.byte) || !letto_) {
            ultimo_ = {std::string(byte.data(), byte.size()), QString::fromUtf8(byte)};
            letto_ = true;
        }
        return ultimo_.testo;
    }

  private:
    struct Noto {
        std::string byte;
        QString testo;
    };
    static bool Uguali(QByteArrayView a, const std::string& b) {
        return a.size() == static_cast<qsizetype>(b.size()) &&
               (b.empty() || std::memcmp(a.data(), b.data(), b.size()) == 0);
    }
    static constexpr std::size_t kNoti = 16;
    std::vector<Noto> noti_;
    bool molti_ = false;
    bool letto_ = false;
    Noto ultimo_;
};

// The named fields among a table's fields.
QList<Campo> CampiScelti(const QList<Campo>& tutti, const QStringList& nomi) {
    QList<Campo> scelti;
    for (const QString& nome : nomi) {
        const auto c = std::find_if(tutti.begin(), tutti.end(), [&](const Campo& campo) {
            return campo.nome.compare(nome, Qt::CaseInsensitive) == 0;
        });
        if (c == tutti.end()) throw ErroreDatabase(QStringLiteral("Campo inesistente: ") + nome);
        scelti << *c;
    }
    return scelti;
}

// Runs the query, hands each row's statement to riga in reading order, and answers the reading
// positions in the query's order (empty when they are in order already).
template <class LeggiRiga>
std::vector<qsizetype> Scorri(const std::shared_ptr<CacheIstruzioni>& cache, sqlite3* db, const Query& query,
                              const QList<Campo>& scelti, LeggiRiga riga) {
    QStringList colonne;
    for (const Campo& c : scelti) colonne << quota(c.nome);
    // An ordering field that is read already is not read twice.
    std::vector<int> colonneChiave;
    for (const Ordine& o : query.ordini) {
        const auto letto = std::find_if(scelti.begin(), scelti.end(), [&](const Campo& c) {
            return c.nome.compare(o.campo, Qt::CaseInsensitive) == 0;
        });
        colonneChiave.push_back(
            static_cast<int>(letto != scelti.end() ? letto - scelti.begin() : colonne.size()));
        if (letto == scelti.end()) colonne << quota(o.campo);
    }
    const auto colonnaRowid = static_cast<int>(colonne.size());
    colonne << QStringLiteral("rowid");
    const SqlQuery s = traduci(query);
    Istruzione st(cache, db,
                  QStringLiteral("SELECT ") + colonne.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") +
                      quota(query.tabella) + s.where);
    for (int i = 0; i < s.parametri.size(); ++i) st.lega(i + 1, s.parametri[i]);
    Ordinamento ordinamento(query.ordini);
    while (st.passo()) {
        riga(st);
        ordinamento.aggiungi(st, colonneChiave, colonnaRowid);
    }
    return ordinamento.ordine();
}

// The rows read, in the order the read asks for.
template <class Riga>
QList<Riga> InOrdine(QList<Riga>&& lette, const std::vector<qsizetype>& ordine) {
    if (ordine.empty()) return std::move(lette);
    QList<Riga> ordinate;
    ordinate.reserve(lette.size());
    for (qsizetype i : ordine) ordinate.append(std::move(lette[i]));
    return ordinate;
}

}  // namespace

QList<QList<QVariant>> Database::leggi(const Query& query, const QStringList& campi) {
    verificaAperto();
    const QList<Campo> scelti = CampiScelti(campiInCache(query.tabella), campi);
    QList<QList<QVariant>> righe;
    const std::vector<qsizetype> ordine =
        Scorri(stato_->istruzioni, db_, query, scelti, [&](const Istruzione& st) {
            QList<QVariant> riga;
            riga.reserve(scelti.size());
            for (int i = 0; i < scelti.size(); ++i) {
                // A text field holding a text, nearly every value read, needs no conversion.
                if (scelti[i].tipo == TipoCampo::Testo && st.tipo(i) == SQLITE_TEXT)
                    riga << QVariant(st.testo(i));
                else
                    riga << ValoreDelCampo(scelti[i], st.valore(i));
            }
            righe << riga;
        });
    return InOrdine(std::move(righe), ordine);
}

QList<QStringList> Database::leggiTesti(const Query& query, const QStringList& campi) {
    verificaAperto();
    const QList<Campo> scelti = CampiScelti(campiInCache(query.tabella), campi);
    QList<QStringList> righe;
    std::vector<TestoRipetuto> ultimi(scelti.size());
    const std::vector<qsizetype> ordine =
        Scorri(stato_->istruzioni, db_, query, scelti, [&](const Istruzione& st) {
            QStringList riga;
            riga.reserve(scelti.size());
            for (int i = 0; i < scelti.size(); ++i) {
                // A stored text is the field's text as it stands; anything else reads as valore does.
                if (st.tipo(i) == SQLITE_TEXT)
                    riga << ultimi[i](st.byte(i, SQLITE_TEXT));
                else
                    riga << ValoreDelCampo(scelti[i], st.valore(i)).toString();
            }
            righe << riga;
        });
    return InOrdine(std::move(righe), ordine);
}

RowSet Database::apriTabella(const QString& tabella) {
    return apriRowSet(Query::di(tabella));
}

bool RowSet::aperto() const {
    return d_ && d_->db && d_->db->db_ == d_->handle && d_->handle;
}

QString RowSet::tabella() const {
    return d_ ? d_->tabella : QString();
}

bool RowSet::fine() const {
    return !d_ || d_->cancellata || d_->pos < 0 || d_->pos >= d_->righe.size();
}

namespace {
void verifica(bool condizione, const char* messaggio) {
    if (!condizione) throw ErroreDatabase(QString::fromUtf8(messaggio));
}
}  // namespace

void RowSet::primo() {
    verifica(aperto(), "Insieme di righe non aperto");
    d_->pos = d_->righe.isEmpty() ? -1 : 0;
    d_->cancellata = false;
    d_->caricata = false;
}

void RowSet::successivo() {
    verifica(aperto(), "Insieme di righe non aperto");
    if (d_->cancellata)
        d_->cancellata = false;  // the row after a deleted one is already at its position
    else if (d_->pos < d_->righe.size())
        ++d_->pos;
    d_->caricata = false;
}

void RowSet::precedente() {
    verifica(aperto(), "Insieme di righe non aperto");
    d_->cancellata = false;
    if (d_->pos >= 0) --d_->pos;
    d_->caricata = false;
}

void RowSet::ultimo() {
    verifica(aperto(), "Insieme di righe non aperto");
    d_->pos = d_->righe.isEmpty() ? -1 : static_cast<int>(d_->righe.size()) - 1;
    d_->cancellata = false;
    d_->caricata = false;
}

int RowSet::conteggio() const {
    return d_ ? static_cast<int>(d_->righe.size()) : 0;
}

int RowSet::posizione() const {
    return d_ ? d_->pos : -1;
}

int RowSet::numeroCampi() const {
    return d_ ? static_cast<int>(d_->campi.size()) : 0;
}

QString RowSet::nomeCampo(int posizione) const {
    if (!d_ || posizione < 0 || posizione >= d_->campi.size()) return {};
    return d_->campi[posizione].nome;
}

int RowSet::indiceCampo(const QString& campo) const {
    if (d_)
        for (int i = 0; i < d_->campi.size(); ++i)
            if (d_->campi[i].nome.compare(campo, Qt::CaseInsensitive) == 0) return i;
    throw ErroreDatabase(QStringLiteral("Campo inesistente: ") + campo);
}

void RowSet::richiedeRiga() const {
    verifica(aperto(), "Insieme di righe non aperto");
    verifica(!fine(), "Nessuna riga corrente");
}

void RowSet::caricaRiga() const {
    if (d_->caricata) return;
    richiedeRiga();
    if (!d_->lettura) {
        QStringList colonne;
        for (const Campo& c : d_->campi) colonne << quota(c.nome);
        d_->lettura = std::make_unique<Istruzione>(
            d_->db->stato_->istruzioni, d_->handle,
            QStringLiteral("SELECT ") + colonne.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") +
                quota(d_->tabella) + QStringLiteral(" WHERE rowid = ?1"));
    }
    Istruzione& st = *d_->lettura;
    st.riavvia();
    st.lega(1, d_->righe[d_->pos]);
    d_->valori.clear();
    if (st.passo()) {
        for (int i = 0; i < d_->campi.size(); ++i) d_->valori << st.valore(i);
    } else {
        // Deleted through another row set: it reads as an empty row.
        for (int i = 0; i < d_->campi.size(); ++i) d_->valori << QVariant();
    }
    st.riavvia();  // an unfinished statement would keep the file's read lock
    d_->caricata = true;
}

QVariant RowSet::valore(int posizione) const {
    caricaRiga();
    if (posizione < 0 || posizione >= d_->valori.size())
        throw ErroreDatabase(QStringLiteral("Campo inesistente: %1").arg(posizione));
    return ValoreDelCampo(d_->campi[posizione], d_->valori[posizione]);
}

QVariant RowSet::valore(const QString& campo) const {
    return valore(indiceCampo(campo));
}

QString RowSet::testo(int posizione) const {
    return valore(posizione).toString();
}

QString RowSet::testo(const QString& campo) const {
    return valore(campo).toString();
}

bool RowSet::siNo(const QString& campo) const {
    return valore(campo).toBool();
}

void RowSet::aggiungi() {
    verifica(aperto(), "Insieme di righe non aperto");
    d_->modo = Dati::Modo::Aggiunta;
    d_->nuovi = QList<QVariant>(d_->campi.size());
    d_->impostati = QList<bool>(d_->campi.size(), false);
}

void RowSet::modifica() {
    caricaRiga();
    d_->modo = Dati::Modo::Modifica;
    d_->nuovi = d_->valori;
    d_->impostati = QList<bool>(d_->campi.size(), false);
}

void RowSet::imposta(int posizione, const QVariant& valore) {
    verifica(d_ && d_->modo != Dati::Modo::Nessuno, "Aggiunta o modifica non iniziata");
    if (posizione < 0 || posizione >= d_->campi.size())
        throw ErroreDatabase(QStringLiteral("Campo inesistente: %1").arg(posizione));
    const Campo& c = d_->campi[posizione];
    QVariant v = valore;
    if (c.tipo == TipoCampo::Testo) {
        QString t = valore.isValid() ? valore.toString() : QString();
        if (c.larghezza > 0 && t.size() > c.larghezza)
            throw ErroreDatabase(QStringLiteral("Il testo \"%1\" è più lungo dei %2 caratteri del campo %3")
                                     .arg(t)
                                     .arg(c.larghezza)
                                     .arg(c.nome));
        v = t;
    } else if (c.tipo == TipoCampo::SiNo) {
        v = valore.toBool();
    }
    d_->nuovi[posizione] = v;
    d_->impostati[posizione] = true;
}

void RowSet::imposta(const QString& campo, const QVariant& valore) {
    imposta(indiceCampo(campo), valore);
}

void RowSet::annullaModifica() {
    if (d_) d_->modo = Dati::Modo::Nessuno;
}

void RowSet::memorizza() {
    verifica(aperto(), "Insieme di righe non aperto");
    verifica(d_->modo != Dati::Modo::Nessuno, "Aggiunta o modifica non iniziata");
    auto colonne = [this] {
        QStringList nomi;
        for (const Campo& c : d_->campi) nomi << quota(c.nome);
        return nomi;
    };
    if (d_->modo == Dati::Modo::Aggiunta) {
        // Fields left unset are stored empty (text) or No, never as missing values.
        for (int i = 0; i < d_->campi.size(); ++i)
            if (!d_->impostati[i]) {
                if (d_->campi[i].tipo == TipoCampo::Testo) d_->nuovi[i] = QString(QLatin1String(""));
                if (d_->campi[i].tipo == TipoCampo::SiNo) d_->nuovi[i] = false;
            }
        if (!d_->inserimento) {
            QStringList segni;
            for (int i = 1; i <= d_->campi.size(); ++i) segni << QStringLiteral("?%1").arg(i);
            d_->inserimento = std::make_unique<Istruzione>(
                d_->db->stato_->istruzioni, d_->handle,
                QStringLiteral("INSERT INTO ") + quota(d_->tabella) + QStringLiteral(" (") +
                    colonne().join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                    segni.join(QStringLiteral(", ")) + QLatin1Char(')'));
        }
        Istruzione& st = *d_->inserimento;
        st.riavvia();
        for (int i = 0; i < d_->nuovi.size(); ++i) st.lega(i + 1, d_->nuovi[i]);
        st.passo();
        st.riavvia();
        // A new row joins the end of the set, as later queries would see it, and becomes current.
        d_->righe << sqlite3_last_insert_rowid(d_->handle);
        d_->pos = static_cast<int>(d_->righe.size()) - 1;
        d_->cancellata = false;
    } else {
        richiedeRiga();
        const QStringList nomi = colonne();
        QStringList assegnazioni;
        QList<QVariant> valori;
        for (int i = 0; i < d_->campi.size(); ++i)
            if (d_->impostati[i]) {
                valori << d_->nuovi[i];
                assegnazioni << nomi[i] + QStringLiteral(" = ?%1").arg(valori.size());
            }
        if (!assegnazioni.isEmpty()) {
            valori << d_->righe[d_->pos];
            Istruzione st(d_->db->stato_->istruzioni, d_->handle,
                          QStringLiteral("UPDATE ") + quota(d_->tabella) + QStringLiteral(" SET ") +
                              assegnazioni.join(QStringLiteral(", ")) +
                              QStringLiteral(" WHERE rowid = ?%1").arg(valori.size()));
            for (int i = 0; i < valori.size(); ++i) st.lega(i + 1, valori[i]);
            st.passo();
        }
    }
    d_->modo = Dati::Modo::Nessuno;
    d_->caricata = false;
}

void RowSet::elimina() {
    richiedeRiga();
    Istruzione st(d_->db->stato_->istruzioni, d_->handle,
                  QStringLiteral("DELETE FROM ") + quota(d_->tabella) + QStringLiteral(" WHERE rowid = ?1"));
    st.lega(1, d_->righe[d_->pos]);
    st.passo();
    d_->righe.removeAt(d_->pos);
    d_->cancellata = true;
    d_->caricata = false;
    d_->modo = Dati::Modo::Nessuno;
}
