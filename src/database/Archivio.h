#pragma once
// The data file's life: opening, creating, checking and rebuilding Voviva.mdb in the data
// directory, the database and row-set slots every subsystem reads and writes through, the shared
// query and the bulk delete.
#include <QString>
#include <array>
#include <functional>

#include "database/Database.h"
#include "database/Schema.h"

class Progresso;

// The database could not be opened: the program shows testo and ends, leaving the file as it was.
class ErroreApertura : public ErroreDatabase {
  public:
    explicit ErroreApertura(const QString& percorso);
};

class Archivio {
  public:
    explicit Archivio(const QString& cartellaDati);
    ~Archivio();

    ElencoTabelle tabelle = TabelleStandard();
    std::array<Database, 3> db;  // 0 the working database, 1 the old file during a rebuild
    std::array<RowSet, 11> rs;   // 1 to 6 the tables by number, 7 the scratch slot
    Query query;                 // the current query, opened by RecordSetImposta
    int NumeroRecord = 0;

    // Called at the named steps of the rebuild; a test throws from it to interrupt the rebuild.
    std::function<void(const QString& passo)> passoRicostruzione;

    // What the start-up wants the user told: the copy kept before a rebuild, the texts cut.
    QString avviso;

    QString cartella() const { return cartella_; }
    // The newest copy kept in backup/ before a rebuild, or "".
    QString copiaPiuRecente() const;
    QString percorsoDatabase() const;  // the Voviva.mdb shown in the path label
    QString percorsoTemporaneo() const;

    // The start-up sequence: create or open, check, complete indexes, rebuild when needed, and
    // open the six tables.  Throws ErroreApertura when the file cannot be opened, and
    // ErroreDatabase ("... è danneggiato") when SQLite's quick check fails; the file is untouched.
    void AvviaDatabase();

    bool DatabaseCrea(int slot);
    void DatabaseApre(int slot);
    void DatabaseTabelleCreazione(int slot);
    void DatabaseTabellaCrea(int slot, int tabella);
    bool DataBaseTabelleAggiorna(int slot);
    void DataBaseVerificaIndici(int slot, int tabella);
    void RecordSetImposta(int slotDb, int slotRs);
    void RecordSetImpostaDefault();
    void CancellaTabella(int tabella, const QString& campo, const QString& valore,
                         Progresso* progresso = nullptr);
    // Localities of the city guide are stored without the part in brackets.
    void RiparaLocalitaGuida();

    QString nome(int tabella) const { return tabelle.TabelleNomi[tabella]; }
    Database& dati() { return db[0]; }

  private:
    void ControllaIntegrita();
    // The start-up check reads every page, most of the start-up on a large file: it is skipped
    // when the file is exactly as this program's last clean close left it (same file, size and
    // modification time, no journal beside it), as recorded in .Voviva.controllo.
    bool ChiusoPulito() const;
    void RegistraChiusura() const;
    bool avviato_ = false;  // AvviaDatabase succeeded: closing records the file
    void Ricostruisci();
    QString ConservaCopia(const QString& originale);
    int CopiaTabella(int tabella);
    QString percorsoAttivo_;
    QString cartella_;
};
