#include "printing/SuperficieQt.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <cstdio>

#include "common/FileUscita.h"

namespace {

constexpr int kRisoluzione = 1200;

QColor DaColore(Colore c) {
    return QColor::fromRgb((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

}  // namespace

std::unique_ptr<SuperficieQt> SuperficieQt::suPdf(const QString& percorso) {
    return std::unique_ptr<SuperficieQt>(new SuperficieQt(percorso, true));
}

std::unique_ptr<SuperficieQt> SuperficieQt::suStampante(const QString& nomeStampante) {
    return std::unique_ptr<SuperficieQt>(new SuperficieQt(nomeStampante, false));
}

SuperficieQt::SuperficieQt(const QString& destinazione, bool pdf)
    : printer_(QPrinter::HighResolution), destinazione_(destinazione), pdf_(pdf) {
    if (pdf_) {
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(fileTemporaneo());
    } else {
        printer_.setPrinterName(destinazione_);
    }
    printer_.setResolution(kRisoluzione);
    printer_.setFullPage(true);
    printer_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    printer_.setDocName(QStringLiteral("Zavetra"));
}

SuperficieQt::~SuperficieQt() {
    if (painter_.isActive()) scartaDocumento();
}

QString SuperficieQt::fileTemporaneo() const {
    return destinazione_ + QStringLiteral(".parziale");
}

double SuperficieQt::px(double mm) const {
    return mm * printer_.resolution() / 25.4;
}

void SuperficieQt::apriPagina(bool prima) {
    if (!prima) {
        if (!printer_.newPage()) fallisci(QStringLiteral("Errore della stampante ") + destinazione_);
        return;
    }
    // A PDF that cannot be created is told apart before the painter would complain about it.
    if (pdf_) {
        const QString rifiuto = ControllaFileUscita(destinazione_);
        if (!rifiuto.isEmpty()) {
            fallisci(rifiuto);
            return;
        }
        QFile prova(fileTemporaneo());
        if (!prova.open(QIODevice::WriteOnly)) {
            fallisci(QStringLiteral("Impossibile scrivere il file PDF ") +
                     QDir::toNativeSeparators(destinazione_));
            return;
        }
    }
    if (!painter_.begin(&printer_)) {
        fallisci(pdf_ ? QStringLiteral("Impossibile scrivere il file PDF ") +
                            QDir::toNativeSeparators(destinazione_)
                      : QStringLiteral("Impossibile stampare sulla stampante ") + destinazione_);
        return;
    }
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::LosslessImageRendering);
    painter_.setPen(Qt::black);
}

void SuperficieQt::disegnaTesto(double x, double yCima, const QString& testo, const QFont& font) {
    if (painter_.font() != font) painter_.setFont(font);
    painter_.drawText(QPointF(px(x), px(yCima) + metriche().ascent()), testo);
}

void SuperficieQt::disegnaLinea(double x1, double y1, double x2, double y2, bool box, const Tratto& t) {
    painter_.setPen(QPen(Qt::black, px(t.spessoreMm)));
    if (!box) {
        painter_.drawLine(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2)));
        painter_.setPen(Qt::black);
        return;
    }
    painter_.setBrush(t.riempito ? QBrush(DaColore(t.colore)) : QBrush(Qt::NoBrush));
    painter_.drawRect(QRectF(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2))).normalized());
    painter_.setBrush(Qt::NoBrush);
    painter_.setPen(Qt::black);
}

void SuperficieQt::disegnaImmagine(const QImage& img, const QRectF& mm) {
    painter_.drawImage(QRectF(px(mm.x()), px(mm.y()), px(mm.width()), px(mm.height())), img);
}

bool SuperficieQt::chiudiDocumento() {
    if (!painter_.end() || printer_.printerState() == QPrinter::Error) {
        fallisci(pdf_ ? QStringLiteral("Impossibile scrivere il file PDF ") +
                            QDir::toNativeSeparators(destinazione_)
                      : QStringLiteral("Errore della stampante ") + destinazione_);
        if (pdf_) QFile::remove(fileTemporaneo());
        return false;
    }
    if (!pdf_) return true;
    const QString temporaneo = fileTemporaneo();
    // rename replaces the destination in one step; QFile::rename would refuse an existing file.
    if (QFileInfo(temporaneo).size() == 0 || std::rename(QFile::encodeName(temporaneo).constData(),
                                                         QFile::encodeName(destinazione_).constData()) != 0) {
        QFile::remove(temporaneo);
        fallisci(QStringLiteral("Impossibile scrivere il file PDF ") +
                 QDir::toNativeSeparators(destinazione_));
        return false;
    }
    return true;
}

void SuperficieQt::scartaDocumento() {
    if (!pdf_) printer_.abort();
    if (painter_.isActive()) painter_.end();
    if (pdf_) QFile::remove(fileTemporaneo());
}
