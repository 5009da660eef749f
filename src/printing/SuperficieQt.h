#pragma once
// The surface on paper: a QPainter on a QPrinter, either a system printer or a PDF file, A4
// portrait, full page, 1200 dpi.  A PDF is written beside its destination and moved into place
// only when the document ends, so an abandoned or failed job leaves no half-written file and an
// older file of that name survives it.
#include <QPainter>
#include <QPrinter>
#include <QString>
#include <memory>

#include "printing/Superficie.h"

class SuperficieQt : public Superficie {
  public:
    // A PDF file at percorso.
    static std::unique_ptr<SuperficieQt> suPdf(const QString& percorso);
    // The system printer of that name.
    static std::unique_ptr<SuperficieQt> suStampante(const QString& nomeStampante);
    ~SuperficieQt() override;

    QString destinazione() const { return destinazione_; }

  protected:
    const QPaintDevice& dispositivoMisura() const override { return printer_; }
    void apriPagina(bool prima) override;
    void disegnaTesto(double x, double yCima, const QString& testo, const QFont& font) override;
    void disegnaLinea(double x1, double y1, double x2, double y2, bool box, const Tratto& t) override;
    void disegnaImmagine(const QImage& img, const QRectF& mm) override;
    bool chiudiDocumento() override;
    void scartaDocumento() override;

  private:
    explicit SuperficieQt(const QString& destinazione, bool pdf);
    double px(double mm) const;
    QString fileTemporaneo() const;

    QPrinter printer_;
    QPainter painter_;
    QString destinazione_;
    bool pdf_;
};
