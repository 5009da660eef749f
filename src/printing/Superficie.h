#pragma once
// The printer surface: an A4 portrait page in millimetres (origin top-left of the printable area,
// y downwards) with a current font, a current position, lines, boxes and pictures.  The font and
// position persist between calls, so callers set all of them before each text.  A page is opened
// by the first drawing after New page, so ending a document right after New page leaves no blank
// page behind.  Two back ends: SuperficieQt (a system printer or a PDF file) and
// SuperficieRegistrata (keeps every drawing, for tests).
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QRectF>
#include <QString>
#include <optional>

#include "common/Griglia.h"  // Colore

enum class Riempimento { Pieno, Trasparente };

class Superficie {
  public:
    static constexpr double kLarghezzaA4 = 210.0;
    static constexpr double kAltezzaA4 = 297.0;

    Superficie();
    virtual ~Superficie();
    Superficie(const Superficie&) = delete;
    Superficie& operator=(const Superficie&) = delete;

    // The face asked for; reading it back gives the face actually used, which differs when the
    // machine lacks the face asked for.
    void impostaNomeFont(const QString& nome);
    QString nomeFont() const;
    void impostaDimensione(double punti);
    double dimensione() const { return dimensione_; }
    void impostaGrassetto(bool g) {
        if (g != grassetto_) metriche_.reset();
        grassetto_ = g;
    }
    bool grassetto() const { return grassetto_; }
    void impostaCorsivo(bool c) {
        if (c != corsivo_) metriche_.reset();
        corsivo_ = c;
    }
    bool corsivo() const { return corsivo_; }

    // The next text starts at x with the top of its line at y.
    void impostaPosizione(double x, double y);
    double x() const { return x_; }
    double y() const { return y_; }
    // Draws the text at the current position; the position moves to the end of the text.
    void stampa(const QString& testo);
    double larghezzaTesto(const QString& testo) const;
    double altezzaTesto(const QString& testo) const;

    // Width of the following lines, in the printer's thin units (1 to 8 are used).
    void impostaSpessoreLinea(int spessore) { spessore_ = spessore; }
    void impostaRiempimento(Riempimento r) { riempimento_ = r; }
    void impostaColoreRiempimento(Colore c) { coloreRiempimento_ = c; }
    // A black line from (x1, y1) to (x2, y2), or the box with those corners, filled as set.
    void linea(double x1, double y1, double x2, double y2, bool box = false);
    // The picture scaled into the rectangle.
    void immagine(const QImage& img, double x, double y, double larghezza, double altezza);

    double altezzaStampabile() const { return kAltezzaA4; }
    // The page being drawn, 1 for the first.
    int numeroPagina() const { return pagina_; }
    void nuovaPagina();
    // Closes the job (sent to the printer or written to the file).  Returns false when the job
    // failed; errore() says why.
    bool fineDocumento();
    // Discards the job: nothing reaches the printer and no file is left behind.
    void abbandonaDocumento();

    // Empty while every operation succeeded; otherwise what failed, in Italian.  After a failure
    // drawing does nothing.
    QString errore() const { return errore_; }

    // Millimetres per point.
    static constexpr double kMmPerPunto = 25.4 / 72.0;

  protected:
    struct Tratto {
        double spessoreMm;
        bool riempito;
        Colore colore;
    };
    // The back end's work.  apriPagina is called before the first drawing of every page (prima is
    // true for the very first of the job) and may fail by calling fallisci.
    virtual void apriPagina(bool prima) = 0;
    virtual void disegnaTesto(double x, double yCima, const QString& testo, const QFont& font) = 0;
    virtual void disegnaLinea(double x1, double y1, double x2, double y2, bool box, const Tratto& t) = 0;
    virtual void disegnaImmagine(const QImage& img, const QRectF& mm) = 0;
    virtual bool chiudiDocumento() = 0;
    virtual void scartaDocumento() = 0;
    void fallisci(const QString& messaggio);
    // The font in force (its point size applies on any device).
    QFont fontCorrente() const;
    // Measures are taken on this device; its resolution turns pixels into millimetres.
    virtual const QPaintDevice& dispositivoMisura() const;
    int paginaAperta() const { return paginaAperta_; }

    // The metrics of the font in force, made once per change of font: measuring is the hot path.
    const QFontMetricsF& metriche() const;

  private:
    bool preparaDisegno();

    QString nomeFont_;
    QString nomeEffettivo_;
    double dimensione_ = 10;
    bool grassetto_ = false;
    bool corsivo_ = false;
    double x_ = 0;
    double y_ = 0;
    int spessore_ = 1;
    Riempimento riempimento_ = Riempimento::Trasparente;
    Colore coloreRiempimento_ = 0xFFFFFF;
    int pagina_ = 1;
    int paginaAperta_ = 0;  // the page number opened last; 0 before the first drawing of a job
    QString errore_;
    QImage misura_;
    mutable std::optional<QFontMetricsF>
        metriche_;  // a 1200 dpi device for measuring when the back end has none
};
