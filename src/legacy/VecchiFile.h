#pragma once
// The record files of the older version: fixed-length records numbered from 1, every field a
// fixed-width Windows-1252 text (numbers written as text) at a place given by one layout table.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>
#include <span>

struct CampoVecchio {
    const char* nome;
    int larghezza;  // bytes
};

struct TracciatoVecchio {
    int lunghezzaRecord;
    std::span<const CampoVecchio> campi;  // in record order from byte 0; the rest is filler
};

// Trips ("CampMete.dat"), legs (one "campNNNN.dat" per trip, record 1 the header) and city-guide
// entries ("CampGuid.dat").
extern const TracciatoVecchio kTracciatoMete;
extern const TracciatoVecchio kTracciatoTappe;
extern const TracciatoVecchio kTracciatoGuida;

// The number of records of a file: the integer part of length / record length + 0.998, so a
// partial last record counts.
int NumeroRecordVecchi(qint64 lunghezzaFile, int lunghezzaRecord);

// One record's fields by name, right-trimmed of the blanks that pad them.
class RecordVecchio {
  public:
    QString campo(const QString& nome) const { return campi_.value(nome); }
    void imposta(const QString& nome, const QString& valore) { campi_.insert(nome, valore); }

  private:
    QHash<QString, QString> campi_;
};

// An old file's bytes, decoded once (one byte is one character in this code page).
class FileVecchio {
  public:
    explicit FileVecchio(const QByteArray& byte);

    qint64 lunghezza() const { return lunghezza_; }
    int numeroRecord(const TracciatoVecchio& tracciato) const {
        return NumeroRecordVecchi(lunghezza_, tracciato.lunghezzaRecord);
    }
    // Record numero (from 1).  Bytes beyond the end of a short file read as blanks.  A field
    // holding a control character is not text of this layout: the record cannot be read and
    // nothing is returned.
    std::optional<RecordVecchio> record(const TracciatoVecchio& tracciato, int numero) const;

  private:
    QString testo_;
    qint64 lunghezza_ = 0;
};

// The bytes of one record: each named field's text encoded, cut or padded with blanks to its
// width; fields not given are blank.
QByteArray ScriviRecordVecchio(const TracciatoVecchio& tracciato, const QHash<QString, QString>& valori);
