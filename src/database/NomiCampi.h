#pragma once
// The names of the tables and of the fields that more than one folder reads.  The table
// specifications in Schema.cpp use the same names; everyone else queries through these.
#include <QString>

namespace nomi {

inline const QString kMeteCamper = QStringLiteral("MeteCamper");
inline const QString kItinerari = QStringLiteral("Itinerari");
inline const QString kGuidaCitta = QStringLiteral("GuidaCitta");
inline const QString kTipoGuida = QStringLiteral("TipoGuida");
inline const QString kMetaCorrente = QStringLiteral("MetaCorrente");
inline const QString kParametri = QStringLiteral("Parametri");

inline const QString kCodiceMeta = QStringLiteral("CodiceMeta");
inline const QString kLocalita = QStringLiteral("Localita");
inline const QString kSequenza = QStringLiteral("Sequenza");
inline const QString kCoefficiente = QStringLiteral("Coefficiente");
inline const QString kCodiceGuida = QStringLiteral("CodiceGuida");
inline const QString kGruppo = QStringLiteral("Gruppo");
inline const QString kDescrizione = QStringLiteral("Descrizione");
inline const QString kTempoSosta = QStringLiteral("TempoSosta");
inline const QString kFlagVisto = QStringLiteral("FlagVisto");

}  // namespace nomi
