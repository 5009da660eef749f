#pragma once
// The trip of the schedule benchmarks: a 500-leg itinerary with 2,000 guide entries (or as many
// legs and entries as asked).
#include "common/Tempo.h"
#include "database/Archivio.h"
#include "trips/BoxMeta.h"

namespace giro {

constexpr int kTappe = 500;
constexpr int kGuida = 2000;
inline const QString kMeta = QStringLiteral("000001");

inline QString Localita(int i) {
    return QStringLiteral("Localita %1").arg(i);
}

inline BoxMeta Parametri() {
    BoxMeta box;
    box.cmbInizio = {"04", "03", "2024", "08", "00"};
    box.cmbMediaKm = {"110", "90", "60", "40"};
    box.cmbOra = {"08", "12", "19", "22", "01", "01", "09", "19", "06"};
    box.cmbMin = {"00", "30", "30", "00", "00", "00", "00", "00", "00"};
    box.cmbRipM = "15";
    box.cmbRipH = "02";
    box.cmbRipG = "01";
    box.cmbRipGG = "06";
    box.cmbSoste = "3 - Entrambe";
    box.cmbRange = "15";
    return box;
}

inline void Prepara(Archivio& a, int numeroTappe = kTappe, int voci = kGuida) {
    a.AvviaDatabase();
    Database& db = a.dati();
    Database::Transazione tr(db);
    RowSet meta = db.apriTabella(QStringLiteral("MeteCamper"));
    meta.aggiungi();
    meta.imposta(QStringLiteral("CodiceMeta"), kMeta);
    meta.imposta(QStringLiteral("Localita"), QStringLiteral("GIRO"));
    meta.memorizza();
    RowSet guida = db.apriTabella(QStringLiteral("GuidaCitta"));
    for (int i = 0; i < voci; ++i) {
        guida.aggiungi();
        guida.imposta(QStringLiteral("Localita"), Localita(i % numeroTappe));
        guida.imposta(QStringLiteral("CodiceGuida"), Zero(1 + i % 12, 2));
        guida.imposta(QStringLiteral("Gruppo"), i % 3 == 0 ? QStringLiteral("A") : QStringLiteral(" "));
        guida.imposta(QStringLiteral("Descrizione"), QStringLiteral("Cosa da vedere %1").arg(i));
        guida.imposta(QStringLiteral("TempoSosta"), i % 11 == 0  ? QStringLiteral("G1")
                                                    : i % 5 == 0 ? QString()
                                                                 : QStringLiteral("01:30"));
        guida.imposta(QStringLiteral("FlagVisto"), QStringLiteral("0"));
        guida.memorizza();
    }
    RowSet tappe = db.apriTabella(QStringLiteral("Itinerari"));
    for (int i = 1; i <= numeroTappe; ++i) {
        tappe.aggiungi();
        tappe.imposta(QStringLiteral("CodiceMeta"), kMeta);
        tappe.imposta(QStringLiteral("Sequenza"), Zero(i, 4));
        QString localita = Localita(i - 1).toUpper();
        if (i == 2) localita += QStringLiteral(" [Start]");
        if (i == numeroTappe - 10) localita += QStringLiteral(" [End]");
        tappe.imposta(QStringLiteral("Localita"), localita);
        tappe.imposta(QStringLiteral("Chilometri"), QString::number(i == 1 ? 0 : 30 + i % 400));
        tappe.imposta(QStringLiteral("NomeStrada"),
                      i % 50 == 0 ? QStringLiteral("TRAGH") : QStringLiteral("SS"));
        tappe.imposta(QStringLiteral("TipoStrada"), QString(QStringLiteral("ASPL")[i % 4]));
        tappe.imposta(QStringLiteral("TempoSosta"),
                      i % 5 == 0 ? QStringLiteral("00:02:00") : QStringLiteral(" "));
        tappe.imposta(QStringLiteral("FineGiorno"), i % 9 == 0 ? QStringLiteral("1") : QStringLiteral("0"));
        tappe.memorizza();
    }
    tr.conferma();
}

}  // namespace giro
