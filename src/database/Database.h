#pragma once
// The adapter over SQLite through which every subsystem reads and writes the data file.
// Queries are built from field names chosen by the code and values bound as parameters, so user
// text never becomes SQL.  Text comparison (=, LIKE, ORDER BY) ignores case, accented letters
// included.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <stdexcept>

struct sqlite3;

class ErroreDatabase : public std::runtime_error {
  public:
    explicit ErroreDatabase(const QString& messaggio);
    QString messaggio() const { return QString::fromUtf8(what()); }
};

enum class TipoCampo { Testo, SiNo, Intero, Singolo, Doppio, Data, Byte };

struct Campo {
    QString nome;
    TipoCampo tipo = TipoCampo::Testo;
    int larghezza = 0;  // characters, for text fields
    bool operator==(const Campo&) const = default;
};

enum class Confronto { Uguale, Diverso, Like, Contiene };

struct Condizione {
    QString campo;
    Confronto confronto = Confronto::Uguale;
    QVariant valore;
};

struct Ordine {
    QString campo;
    bool discendente = false;
};

// "SELECT * FROM tabella WHERE ... ORDER BY ...": conditions are joined by AND.  A LIKE pattern
// uses "*" for any run of characters and "?" for one character.
struct Query {
    QString tabella;
    QList<Condizione> condizioni;
    QList<Ordine> ordini;

    static Query di(const QString& tabella);
    Query& dove(const QString& campo, const QVariant& valore);
    Query& diverso(const QString& campo, const QVariant& valore);
    Query& like(const QString& campo, const QString& modello);
    Query& contiene(const QString& campo, const QString& testo);
    Query& ordina(const QString& campo, bool discendente = false);
};

// True when the text matches the pattern ("*" any run, "?" one character), ignoring case.
bool CorrispondeLike(const QString& testo, const QString& modello);

class RowSet;

// Tests only: the n-th statement from now on (1 the next one) fails with ErroreDatabase, once;
// 0 switches the failure off.  Returns the statements counted since the last call.
int GuastoIstruzionePerTest(int n);

class Database {
  public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Creates a new, empty database file; fails when the file cannot be created.
    void crea(const QString& percorso);
    // Opens an existing database file for reading and writing.  A file that is not a database
    // is refused and left exactly as it was.
    void apri(const QString& percorso);
    void chiudi();
    bool aperto() const { return db_ != nullptr; }
    QString percorso() const { return percorso_; }

    QStringList tabelle() const;
    bool esisteTabella(const QString& nome) const;
    // SQLite's quick consistency check: "ok", or what is wrong (also when the check itself fails).
    QString controlloRapido();
    QList<Campo> campi(const QString& tabella) const;
    QStringList indici(const QString& tabella) const;
    void creaTabella(const QString& nome, const QList<Campo>& campi);
    // An index over one field, named like the field, not unique, ascending.
    void creaIndice(const QString& tabella, const QString& campo);

    RowSet apriRowSet(const Query& query);
    RowSet apriTabella(const QString& tabella);

    // The named fields of every row of the query, in its order, as RowSet::valore gives them, read
    // in one statement: for reading many rows that are not changed.
    QList<QList<QVariant>> leggi(const Query& query, const QStringList& campi);
    // The same as texts, as RowSet::testo gives them.
    QList<QStringList> leggiTesti(const Query& query, const QStringList& campi);

    // Bulk statements for the few operations that do not walk rows.
    int elimina(const Query& query);
    int conta(const Query& query);

    // A group of writes that happens whole or not at all; nested groups are allowed.  Destroying
    // an uncommitted group undoes its writes.
    class Transazione {
      public:
        explicit Transazione(Database& db);
        ~Transazione();
        void conferma();
        Transazione(const Transazione&) = delete;
        Transazione& operator=(const Transazione&) = delete;

      private:
        Database* db_;
        bool chiusa_ = false;
        bool esterna_ = false;  // BEGIN/COMMIT rather than a savepoint
    };

    struct Stato;

  private:
    friend class RowSet;
    void esegui(const QString& sql);
    void verificaAperto() const;
    const QList<Campo>& campiInCache(const QString& tabella) const;

    sqlite3* db_ = nullptr;
    QString percorso_;
    std::unique_ptr<Stato> stato_;
};

// The rows of a query, walked one at a time and changed in place.  The current row is read
// from the file when the row set moves to it, so changes made through another row set are seen.
class RowSet {
  public:
    RowSet();
    ~RowSet();
    RowSet(const RowSet&);
    RowSet& operator=(const RowSet&);
    RowSet(RowSet&&) noexcept;
    RowSet& operator=(RowSet&&) noexcept;

    bool aperto() const;
    QString tabella() const;

    bool fine() const;  // no current row
    void primo();
    void successivo();
    void precedente();
    void ultimo();
    int conteggio() const;
    int posizione() const;

    int numeroCampi() const;
    QString nomeCampo(int posizione) const;
    QVariant valore(const QString& campo) const;
    QVariant valore(int posizione) const;
    QString testo(const QString& campo) const;  // empty text for an empty field
    QString testo(int posizione) const;
    bool siNo(const QString& campo) const;

    void aggiungi();  // starts a new row; memorizza() stores it
    void modifica();  // starts changing the current row; memorizza() stores it
    void imposta(const QString& campo, const QVariant& valore);
    void imposta(int posizione, const QVariant& valore);
    void memorizza();
    void annullaModifica();
    void elimina();  // deletes the current row; the row set then has no current row until it moves

  private:
    friend class Database;
    struct Dati;
    std::shared_ptr<Dati> d_;
    void caricaRiga() const;
    void richiedeRiga() const;
    int indiceCampo(const QString& campo) const;
};
