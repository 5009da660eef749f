#pragma once
// The recording surface: keeps every text, line, box and picture of every page, with coordinates
// in millimetres and the font in force, so that layouts are checked without paper.  Texts are
// measured with the real fonts at printer resolution, as on paper.
#include <QList>
#include <QRectF>
#include <QSize>
#include <QString>

#include "printing/Superficie.h"

struct TestoRegistrato {
    QString testo;
    double x = 0;
    double y = 0;  // top of the text line
    double larghezza = 0;
    double altezza = 0;
    QString font;
    double dimensione = 0;
    bool grassetto = false;
    bool corsivo = false;
    QRectF rettangolo() const { return {x, y, larghezza, altezza}; }
    double base() const { return y + altezza; }  // the line the text stands on
};

struct LineaRegistrata {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool box = false;
    double spessoreMm = 0;
    bool riempito = false;
    Colore colore = 0;
};

struct ImmagineRegistrata {
    QRectF rettangolo;
    QSize pixel;
};

struct PaginaRegistrata {
    QList<TestoRegistrato> testi;
    QList<LineaRegistrata> linee;
    QList<ImmagineRegistrata> immagini;
    // The recorded text equal to t (trimmed comparison), or nullptr.
    const TestoRegistrato* cerca(const QString& t) const;
    // Every text of the page, in drawing order.
    QStringList elencoTesti() const;
};

struct DocumentoRegistrato {
    QList<PaginaRegistrata> pagine;
    bool abbandonato = false;
};

class SuperficieRegistrata : public Superficie {
  public:
    // Closed and abandoned jobs, in order, and the one being drawn.
    QList<DocumentoRegistrato> documenti;
    DocumentoRegistrato corrente;
    // Every page of every job, closed ones first.
    QList<PaginaRegistrata> tutteLePagine() const;
    // Makes the next page opened fail, as a printer that has gone away.
    bool guastaAllaPagina = false;
    int paginaGuasta = 0;

  protected:
    void apriPagina(bool prima) override;
    void disegnaTesto(double x, double yCima, const QString& testo, const QFont& font) override;
    void disegnaLinea(double x1, double y1, double x2, double y2, bool box, const Tratto& t) override;
    void disegnaImmagine(const QImage& img, const QRectF& mm) override;
    bool chiudiDocumento() override;
    void scartaDocumento() override;
};
