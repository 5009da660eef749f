#include "database/TipiGuida.h"

#include "common/Tempo.h"
#include "common/Testo.h"
#include "database/Archivio.h"

namespace {

const char* const kPredefiniti[] = {"Ottimo",  "Da vedere", "Interessante", "Vedibile", "Punto Sosta",
                                    "PS e CS", "Campeggio", "Ristorante",   "Gpl",      "Lunori"};
const QString kElencoCompleto = QStringLiteral(
    "Ottimo^Da vedere^Interessante^Vedibile^Punto Sosta^PS e "
    "CS^Campeggio^Ristorante^Gpl^Lunorin^Carte/Guide^Altro^");

Query queryTipi(const Archivio& a) {
    return Query::di(a.nome(TabTipoGuida)).ordina(QStringLiteral("CodiceGuida"));
}

void InserisciTipiPredefiniti(Archivio& a) {
    a.query = queryTipi(a);
    a.RecordSetImposta(0, TabTipoGuida);
    if (a.NumeroRecord > 0) return;
    RowSet& r = a.rs[TabTipoGuida];
    Database::Transazione tr(a.dati());
    for (int i = 1; i <= 10; ++i) {
        r.aggiungi();
        r.imposta(QStringLiteral("CodiceGuida"), Zero(static_cast<long long>(i), 2));
        r.imposta(QStringLiteral("Descrizione"), QString::fromUtf8(kPredefiniti[i - 1]));
        r.imposta(QStringLiteral("TempoObbligatorio"), i < 5);
        r.memorizza();
    }
    tr.conferma();
}

}  // namespace

TabellaTipiGuida CaricaTipiGuida(Archivio& a) {
    InserisciTipiPredefiniti(a);

    TabellaTipiGuida tabella;
    QString mancanti = kElencoCompleto;
    a.query = queryTipi(a);
    a.RecordSetImposta(0, TabTipoGuida);
    RowSet& r = a.rs[TabTipoGuida];
    for (; !r.fine(); r.successivo()) {
        const QString descrizione = r.testo(QStringLiteral("Descrizione"));
        qsizetype at = mancanti.indexOf(descrizione + QLatin1Char('^'), 0, Qt::CaseInsensitive);
        if (at >= 0) mancanti.remove(at, descrizione.size() + 1);
        const int codice = static_cast<int>(Valore(r.testo(QStringLiteral("CodiceGuida"))));
        if (codice >= 0 && codice < static_cast<int>(tabella.voci.size()))
            tabella.voci[codice] = {descrizione, r.siNo(QStringLiteral("TempoObbligatorio"))};
        tabella.sceltaTipi << descrizione;
    }

    if (!mancanti.isEmpty()) {
        a.query = queryTipi(a);
        a.RecordSetImposta(0, TabTipoGuida);
        r.ultimo();
        double codice = r.fine() ? 0 : Valore(r.testo(QStringLiteral("CodiceGuida")));
        Database::Transazione tr(a.dati());
        for (const QString& descrizione : mancanti.split(QLatin1Char('^'), Qt::SkipEmptyParts)) {
            codice += 1;
            r.aggiungi();
            r.imposta(QStringLiteral("CodiceGuida"), Zero(codice, 2));
            r.imposta(QStringLiteral("Descrizione"), descrizione);
            r.imposta(QStringLiteral("TempoObbligatorio"), false);
            r.memorizza();
        }
        tr.conferma();
    }
    return tabella;
}
