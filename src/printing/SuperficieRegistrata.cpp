#include "printing/SuperficieRegistrata.h"

#include <QFontInfo>

#include "common/Testo.h"

const TestoRegistrato* PaginaRegistrata::cerca(const QString& t) const {
    for (const TestoRegistrato& r : testi)
        if (Trim(r.testo) == Trim(t)) return &r;
    return nullptr;
}

QStringList PaginaRegistrata::elencoTesti() const {
    QStringList l;
    for (const TestoRegistrato& r : testi) l << r.testo;
    return l;
}

QList<PaginaRegistrata> SuperficieRegistrata::tutteLePagine() const {
    QList<PaginaRegistrata> tutte;
    for (const DocumentoRegistrato& d : documenti) tutte << d.pagine;
    tutte << corrente.pagine;
    return tutte;
}

void SuperficieRegistrata::apriPagina(bool prima) {
    if (prima) corrente = {};
    if (guastaAllaPagina && paginaGuasta <= numeroPagina()) {
        fallisci(QStringLiteral("Stampante non disponibile"));
        return;
    }
    corrente.pagine.append(PaginaRegistrata{});
}

void SuperficieRegistrata::disegnaTesto(double x, double yCima, const QString& testo, const QFont& font) {
    TestoRegistrato t;
    t.testo = testo;
    t.x = x;
    t.y = yCima;
    t.larghezza = larghezzaTesto(testo);
    t.altezza = altezzaTesto(testo);
    t.font = QFontInfo(font).family();
    t.dimensione = font.pointSizeF();
    t.grassetto = font.bold();
    t.corsivo = font.italic();
    corrente.pagine.last().testi.append(t);
}

void SuperficieRegistrata::disegnaLinea(double x1, double y1, double x2, double y2, bool box,
                                        const Tratto& t) {
    corrente.pagine.last().linee.append({x1, y1, x2, y2, box, t.spessoreMm, t.riempito, t.colore});
}

void SuperficieRegistrata::disegnaImmagine(const QImage& img, const QRectF& mm) {
    corrente.pagine.last().immagini.append({mm, img.size()});
}

bool SuperficieRegistrata::chiudiDocumento() {
    documenti.append(corrente);
    corrente = {};
    return true;
}

void SuperficieRegistrata::scartaDocumento() {
    corrente.abbandonato = true;
    documenti.append(corrente);
    corrente = {};
}
