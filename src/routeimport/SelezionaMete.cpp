#include "routeimport/SelezionaMete.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>

#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Testo.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/ModificaTappe.h"
#include "routeimport/TappeImportate.h"

namespace {

bool MetaDaTenere(const Griglia& g, int riga) {
    return g.testo(riga, ColTappa).startsWith(QLatin1String("Ingresso in"), Qt::CaseInsensitive) ||
           g.testo(riga, ColStrada).contains(QLatin1String("TRAGH"), Qt::CaseInsensitive) ||
           !Trim(g.testo(riga, ColSosta)).isEmpty();
}

QString NomeVoce(const QString& voce) {
    return ChiaveLocalita(voce);
}

}  // namespace

QStringList VociMete(const QStringList& righe) {
    static const QRegularExpression numero(QStringLiteral("^\\s*\\d+\\s*$"));
    QStringList voci;
    for (const QString& riga : righe) {
        if (!numero.match(riga.left(4)).hasMatch()) continue;
        QString voce = riga.mid(riga.lastIndexOf(QLatin1Char(',')) + 1);
        voce.remove(QLatin1Char('"'));
        voci << Trim(voce);
    }
    return voci;
}

QString LocalitaDaVoce(const QString& voce, bool eliminaNumerazione) {
    const qsizetype aperta = voce.indexOf(QLatin1Char('['));
    QString nome = Trim(aperta < 0 ? voce : voce.left(aperta));
    QStringList segni;
    bool park = false;
    static const QRegularExpression parentesi(QStringLiteral("\\[([^\\]]*)\\]"));
    for (auto it = parentesi.globalMatch(voce); it.hasNext();) {
        const QString segno = Trim(it.next().captured(1));
        bool numerico = false;
        const int n = segno.toInt(&numerico);
        if (UgualeTesto(segno, QStringLiteral("Park")))
            park = true;
        else if (numerico && !eliminaNumerazione)
            segni << QString::number(n);
        else if (!numerico && !segno.isEmpty())
            segni << segno;
    }
    if (park) nome = QStringLiteral("Park: ") + nome;
    if (!segni.isEmpty()) nome += QStringLiteral(" [") + segni.join(QLatin1Char('-')) + QLatin1Char(']');
    return nome;
}

int SelezionaMeteValide(Griglia& g, const QStringList& voci, bool eliminaNumerazione) {
    Griglia::Aggiornamento lotto(g);
    int prossima = 0;
    int kmSospesi = 0;
    QList<int> daTogliere;
    int ultimaTenuta = 0;
    for (int r = 1; r <= UltimaRigaTappa(g); ++r) {
        if (Trim(g.testo(r, ColTappa)).isEmpty()) continue;
        const bool voce = prossima < voci.size() &&
                          UgualeTesto(ChiaveLocalita(g.testo(r, ColTappa)), NomeVoce(voci.at(prossima)));
        if (voce) g.impostaTesto(r, ColTappa, LocalitaDaVoce(voci.at(prossima++), eliminaNumerazione));
        if (voce || MetaDaTenere(g, r)) {
            if (kmSospesi > 0) {
                g.impostaTesto(r, ColKm, QString::number(int(KmTappa(g, r)) + kmSospesi));
                kmSospesi = 0;
            }
            ultimaTenuta = r;
        } else {
            kmSospesi = std::min(kmSospesi + int(KmTappa(g, r)), kKmMassimiImport);
            daTogliere << r;
        }
    }
    // Legs after the last kept one have no leg to take their kilometres: they stay.
    while (!daTogliere.isEmpty() && daTogliere.last() > ultimaTenuta) daTogliere.removeLast();
    for (qsizetype i = daTogliere.size() - 1; i >= 0; --i) g.rimuoviRighe(daTogliere.at(i));
    const int righe = g.righe();
    if (!daTogliere.isEmpty()) g.impostaRighe(righe + int(daTogliere.size()));
    NumeraRighe(g);
    return int(daTogliere.size());
}

int cmdSelezionaMete_Click(Griglia& g, Dialoghi& dialoghi, QStringList& lstMete) {
    if (Trim(g.testo(1, ColTappa)).isEmpty()) {
        dialoghi.avviso(QStringLiteral("Impossibile: non sono presenti delle tappe!"),
                        QStringLiteral("Revisione tappe"), Icona::Informazione);
        return -1;
    }
    const QString percorso = dialoghi.apriFile(QString(), QString(), kFiltroItn);
    if (percorso.isEmpty()) return -1;
    lstMete.clear();
    const bool elimina = dialoghi.domanda(QStringLiteral("Vuoi eliminare la numerazione finale delle tappe?"),
                                          QStringLiteral("Numerazione tappe"));
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    lstMete = VociMete(RigheTestoImport(file.read(kByteMassimiTestoImport)));
    return SelezionaMeteValide(g, lstMete, elimina);
}
