#include "database/TipiGuida.h"

#include "common/Tempo.h"
#include "common/Testo.h"
#include "database/Archivio.h"

namespace {

constexpr int kUltimoTipo = 20;

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

// The type number of a code: "01" to "20" (two digits); 0 for anything else.
int CodiceTipo(const QString& testo) {
    if (testo.size() != 2 || !testo[0].isDigit() || !testo[1].isDigit()) return 0;
    const int codice = testo.toInt();
    return codice <= kUltimoTipo ? codice : 0;
}

// The code after the highest one in use; when that is past 20, the lowest free one; 0 if none.
int CodiceLibero(const QList<bool>& occupato, int codiceAlto) {
    if (codiceAlto < kUltimoTipo && !occupato[codiceAlto + 1]) return codiceAlto + 1;
    for (int c = 1; c <= kUltimoTipo; ++c)
        if (!occupato[c]) return c;
    return 0;
}

}  // namespace

TabellaTipiGuida CaricaTipiGuida(Archivio& a) {
    InserisciTipiPredefiniti(a);

    TabellaTipiGuida tabella;
    QStringList mancanti = kElencoCompleto.split(QLatin1Char('^'), Qt::SkipEmptyParts);
    int ignorati = 0;
    int codiceAlto = 0;
    QList<bool> occupato(tabella.voci.size(), false);  // by any row, an ignored one too
    a.query = queryTipi(a);
    a.RecordSetImposta(0, TabTipoGuida);
    for (RowSet& r = a.rs[TabTipoGuida]; !r.fine(); r.successivo()) {
        const QString descrizione = r.testo(QStringLiteral("Descrizione"));
        const int codice = CodiceTipo(r.testo(QStringLiteral("CodiceGuida")));
        occupato[codice] = true;
        // A row without a description or a usable code of its own cannot be shown or chosen.
        if (Trim(descrizione).isEmpty() || codice == 0 || !tabella.voci[codice].descrizione.isEmpty()) {
            ++ignorati;
            continue;
        }
        for (qsizetype i = 0; i < mancanti.size(); ++i)
            if (mancanti[i].compare(descrizione, Qt::CaseInsensitive) == 0) mancanti.removeAt(i--);
        tabella.voci[codice] = {descrizione, r.siNo(QStringLiteral("TempoObbligatorio"))};
        tabella.sceltaTipi << descrizione;
        codiceAlto = codice;
    }
    if (ignorati > 0)
        tabella.avviso = QStringLiteral(
                             "Tipi guida ignorati (descrizione vuota o codice non valido o "
                             "ripetuto): %1")
                             .arg(ignorati);

    if (mancanti.isEmpty()) return tabella;
    RowSet& r = a.rs[TabTipoGuida];
    Database::Transazione tr(a.dati());
    for (const QString& descrizione : mancanti) {
        const int codice = CodiceLibero(occupato, codiceAlto);
        if (codice == 0) break;
        occupato[codice] = true;
        codiceAlto = codice;
        r.aggiungi();
        r.imposta(QStringLiteral("CodiceGuida"), Zero(static_cast<long long>(codice), 2));
        r.imposta(QStringLiteral("Descrizione"), descrizione);
        r.imposta(QStringLiteral("TempoObbligatorio"), false);
        r.memorizza();
    }
    tr.conferma();
    return tabella;
}
