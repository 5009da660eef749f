#include "printing/Superficie.h"

#include <QFontInfo>

namespace {

constexpr double kMmPerPollice = 25.4;
constexpr int kDpiMisura = 1200;
// A line width unit is a thin printer dot: 8 units draw a line of 0.4 mm.
constexpr double kMmPerSpessore = 0.05;

}  // namespace

Superficie::Superficie() : misura_(1, 1, QImage::Format_RGB32) {
    const int puntiPerMetro = qRound(kDpiMisura / kMmPerPollice * 1000.0);
    misura_.setDotsPerMeterX(puntiPerMetro);
    misura_.setDotsPerMeterY(puntiPerMetro);
    impostaNomeFont(QStringLiteral("Times New Roman"));
}

Superficie::~Superficie() = default;

const QPaintDevice& Superficie::dispositivoMisura() const {
    return misura_;
}

void Superficie::impostaNomeFont(const QString& nome) {
    nomeFont_ = nome;
    // The font database answers with the face it substitutes when the one asked for is missing.
    nomeEffettivo_ = QFontInfo(QFont(nome)).family();
    metriche_.reset();
}

QString Superficie::nomeFont() const {
    return nomeEffettivo_;
}

void Superficie::impostaDimensione(double punti) {
    if (punti <= 0 || punti == dimensione_) return;
    dimensione_ = punti;
    metriche_.reset();
}

void Superficie::impostaPosizione(double x, double y) {
    x_ = x;
    y_ = y;
}

QFont Superficie::fontCorrente() const {
    QFont f(nomeEffettivo_);
    f.setPointSizeF(dimensione_);
    f.setBold(grassetto_);
    f.setItalic(corsivo_);
    return f;
}

const QFontMetricsF& Superficie::metriche() const {
    if (!metriche_) metriche_.emplace(fontCorrente(), &dispositivoMisura());
    return *metriche_;
}

double Superficie::larghezzaTesto(const QString& testo) const {
    return metriche().horizontalAdvance(testo) * kMmPerPollice / dispositivoMisura().logicalDpiX();
}

double Superficie::altezzaTesto(const QString& /*testo*/) const {
    return metriche().height() * kMmPerPollice / dispositivoMisura().logicalDpiY();
}

bool Superficie::preparaDisegno() {
    if (!errore_.isEmpty()) return false;
    if (paginaAperta_ != pagina_) {
        const bool prima = paginaAperta_ == 0;
        paginaAperta_ = pagina_;
        apriPagina(prima);
    }
    return errore_.isEmpty();
}

void Superficie::stampa(const QString& testo) {
    if (!preparaDisegno()) return;
    disegnaTesto(x_, y_, testo, fontCorrente());
    x_ += larghezzaTesto(testo);
}

void Superficie::linea(double x1, double y1, double x2, double y2, bool box) {
    if (!preparaDisegno()) return;
    disegnaLinea(x1, y1, x2, y2, box,
                 {spessore_ * kMmPerSpessore, riempimento_ == Riempimento::Pieno, coloreRiempimento_});
}

void Superficie::immagine(const QImage& img, double x, double y, double larghezza, double altezza) {
    if (!preparaDisegno()) return;
    disegnaImmagine(img, QRectF(x, y, larghezza, altezza));
}

void Superficie::nuovaPagina() {
    // A job not yet begun begins with this (blank) page, as the printer would print it.
    if (paginaAperta_ == 0 && !preparaDisegno()) return;
    ++pagina_;
    x_ = 0;
    y_ = 0;
}

bool Superficie::fineDocumento() {
    const bool aperto = paginaAperta_ != 0;
    paginaAperta_ = 0;
    pagina_ = 1;
    if (!errore_.isEmpty()) {
        scartaDocumento();
        return false;
    }
    if (aperto && !chiudiDocumento()) return false;
    return errore_.isEmpty();
}

void Superficie::abbandonaDocumento() {
    if (paginaAperta_ != 0) scartaDocumento();
    paginaAperta_ = 0;
    pagina_ = 1;
}

void Superficie::fallisci(const QString& messaggio) {
    if (errore_.isEmpty()) errore_ = messaggio;
}
