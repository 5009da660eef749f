#include "routeimport/TappeImportate.h"

#include <QStringDecoder>
#include <algorithm>

#include "common/File1252.h"
#include "common/Griglia.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "itinerary/GrigliaItinerario.h"

namespace {

constexpr int kKmMassimiRecord = 999;

QStringList DividiRighe(const QString& testo) {
    QStringList righe = testo.split(QLatin1Char('\n'));
    if (!righe.isEmpty() && righe.last().isEmpty()) righe.removeLast();
    for (QString& r : righe)
        if (r.endsWith(QLatin1Char('\r'))) r.chop(1);
    return righe;
}

}  // namespace

QStringList RigheTestoImport(const QByteArray& byte) {
    static const QByteArray bom("\xEF\xBB\xBF");
    if (byte.startsWith(bom)) return DividiRighe(QString::fromUtf8(byte.mid(bom.size())));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString testo = utf8.decode(byte);
    if (!utf8.hasError()) return DividiRighe(testo);
    return DividiRighe1252(byte);
}

QString SostaTraghetto(const QString& ore, const QString& minuti) {
    return QStringLiteral("00:") + Zero(Trim(ore), 2) + QLatin1Char(':') + Zero(Trim(minuti), 2);
}

void ScriviTappeImportate(Griglia& mfgTab, const QList<TappaImportata>& tappe,
                          const QString& sostaTraghetto) {
    Griglia::Aggiornamento lotto(mfgTab);
    ImpostaGriglia(mfgTab, LayoutItinerario);
    mfgTab.impostaRighe(1);
    int riga = 0;
    for (const TappaImportata& t : tappe) {
        int resto = std::clamp(t.km, 0, kKmMassimiImport);
        do {
            const int km = std::min(resto, kKmMassimiRecord);
            resto -= km;
            ++riga;
            mfgTab.impostaRighe(riga + 1);
            mfgTab.impostaTesto(riga, ColNumero, QString::number(riga));
            mfgTab.impostaTesto(riga, ColTappa, t.localita);
            mfgTab.impostaTesto(riga, ColStrada, t.strada);
            mfgTab.impostaTesto(riga, ColKm, QString::number(km));
            mfgTab.impostaTesto(riga, ColTipoStrada, t.tipoStrada);
            mfgTab.impostaTesto(riga, ColKmProgressivi, QString::number(t.kmProgressivi - resto));
            if (t.traghetto) mfgTab.impostaTesto(riga, ColSosta, sostaTraghetto);
        } while (resto > 0);
    }
    mfgTab.impostaRighe(std::max(riga + 2, kRigheMinimeItinerario));
}
