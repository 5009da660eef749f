#include "printing/Loghi.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

constexpr int kLato = 480;
const QColor kBlu(28, 78, 140);
const QColor kAzzurro(150, 200, 235);
const QColor kVerde(70, 140, 70);
const QColor kArancio(230, 140, 40);

QImage Tela() {
    QImage img(kLato, kLato, QImage::Format_ARGB32);
    img.fill(Qt::white);
    return img;
}

// A road running into the hills under the sun, inside a round frame.
QImage DisegnaLogoSito() {
    QImage img = Tela();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF cerchio(20, 20, kLato - 40, kLato - 40);
    QPainterPath bordo;
    bordo.addEllipse(cerchio);
    p.setClipPath(bordo);
    p.fillRect(img.rect(), kAzzurro);
    p.setBrush(kArancio);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(330, 150), 55, 55);
    QPainterPath colline;
    colline.moveTo(0, 300);
    colline.cubicTo(120, 220, 220, 330, 320, 260);
    colline.cubicTo(390, 215, 440, 250, kLato, 240);
    colline.lineTo(kLato, kLato);
    colline.lineTo(0, kLato);
    p.setBrush(kVerde);
    p.drawPath(colline);
    QPainterPath strada;
    strada.moveTo(150, kLato);
    strada.cubicTo(200, 380, 300, 330, 250, 275);
    strada.lineTo(262, 275);
    strada.cubicTo(330, 330, 270, 400, 330, kLato);
    p.setBrush(QColor(70, 70, 70));
    p.drawPath(strada);
    p.setClipping(false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kBlu, 22));
    p.drawEllipse(cerchio);
    return img;
}

// A camper van seen from the side.
QImage DisegnaLogo1() {
    QImage img = Tela();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kBlu, 10));
    p.setBrush(Qt::white);
    QPainterPath corpo;
    corpo.moveTo(40, 340);
    corpo.lineTo(40, 150);
    corpo.quadTo(40, 120, 80, 120);
    corpo.lineTo(330, 120);
    corpo.lineTo(360, 200);
    corpo.lineTo(430, 230);
    corpo.quadTo(445, 240, 445, 260);
    corpo.lineTo(445, 340);
    corpo.closeSubpath();
    p.drawPath(corpo);
    p.setBrush(kAzzurro);
    p.drawRect(QRectF(80, 160, 70, 55));
    p.drawRect(QRectF(180, 160, 90, 55));
    p.drawPolygon(QPolygonF({QPointF(335, 165), QPointF(355, 215), QPointF(335, 215)}));
    p.setBrush(kArancio);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(45, 260, 395, 22));
    p.setPen(QPen(kBlu, 10));
    p.setBrush(QColor(50, 50, 50));
    p.drawEllipse(QPointF(130, 345), 45, 45);
    p.drawEllipse(QPointF(360, 345), 45, 45);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(130, 345), 15, 15);
    p.drawEllipse(QPointF(360, 345), 15, 15);
    return img;
}

// A compass rose pointing north.
QImage DisegnaLogo2() {
    QImage img = Tela();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(kLato / 2.0, kLato / 2.0);
    p.setPen(QPen(kBlu, 14));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 200, 200);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        const double a = i * M_PI / 2;
        const QPointF punta(c.x() + 190 * std::sin(a), c.y() - 190 * std::cos(a));
        const QPointF sx(c.x() + 40 * std::sin(a - M_PI / 2), c.y() - 40 * std::cos(a - M_PI / 2));
        const QPointF dx(c.x() + 40 * std::sin(a + M_PI / 2), c.y() - 40 * std::cos(a + M_PI / 2));
        p.setBrush(i == 0 ? kArancio : kBlu);
        p.drawPolygon(QPolygonF({punta, sx, c}));
        p.setBrush(i == 0 ? kArancio.darker(130) : kAzzurro);
        p.drawPolygon(QPolygonF({punta, dx, c}));
    }
    return img;
}

}  // namespace

const QImage& LogoSito() {
    static const QImage img = DisegnaLogoSito();
    return img;
}

const QImage& Logo1() {
    static const QImage img = DisegnaLogo1();
    return img;
}

const QImage& Logo2() {
    static const QImage img = DisegnaLogo2();
    return img;
}
