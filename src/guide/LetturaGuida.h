#pragma once
// The readings of the GuidaCitta table that the legs and the schedule need: the guide time of a
// locality, the entries of a locality in table order, and the reset of the FlagVisto marks.
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class Archivio;
class Database;
class Progresso;

// Sum of the guide times (hundredths of an hour, "G"+n counted as n visit days) of the entries
// whose locality equals the key, ignoring case.  Equality, not a pattern: "L'Aquila" never
// finds "LXAquila", and the index on the locality serves the look-up.
float TempoGuidaLocalita(Database& db, const QString& chiave, float arcoVisita);

// The guide times (as TempoGuidaLocalita) of the localities of a trip, each key read once.  With
// few entries per locality that may be looked up the whole guide is read in one pass and summed
// by key in table order; otherwise each key is looked up on its own.
class TempiGuida {
  public:
    // localita: how many localities may be looked up.
    TempiGuida(Database& db, int localita, float arcoVisita);

    float tempo(const QString& chiave);

  private:
    Database& db_;
    float arcoVisita_;
    bool tutta_ = false;
    QHash<QString, float> perChiave_;  // by folded key, when the whole guide was read
};

// FlagVisto back to "0" on every guide entry (one transaction).
void SettaAZeroFlaGVisto(Archivio& archivio, Progresso* progresso = nullptr);

struct VoceTabella {
    QString codice;
    QString gruppo;
    QString descrizione;
    QString tempo;
};

// The guide entries of a locality key, in the order the table shows them (type code, time
// descending, group, then table order), as the database would sort them.  With few entries per
// locality of the trip the whole guide is read in one query and split by key; otherwise each
// locality is looked up on its own.  Entries are read in table order and sorted in memory.  Keys
// are compared as the database compares them: case folded, accented letters included.
class FonteGuida {
  public:
    // localita: how many localities may be looked up (negative: none will be).
    FonteGuida(Database& db, int localita);

    QList<VoceTabella> voci(const QString& chiave);
    // Entries read at once, 0 when each locality is looked up on its own.
    int vociLette() const { return vociLette_; }

    // More entries than this per locality looked up make reading the whole guide the slower way.
    static constexpr int kVociPerLocalita = 40;

  private:
    Database& db_;
    bool tutta_ = false;
    int vociLette_ = 0;
    QHash<QString, QList<VoceTabella>> perChiave_;
};
