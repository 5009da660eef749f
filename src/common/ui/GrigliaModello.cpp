#include "common/ui/GrigliaModello.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPalette>

namespace {
Qt::Alignment allineamentoQt(Allineamento a) {
    switch (a) {
        case Allineamento::Centro:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case Allineamento::Destra:
            return Qt::AlignRight | Qt::AlignVCenter;
        case Allineamento::Sinistra:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QBrush pennello(Colore c) {
    return QBrush(QColor::fromRgb(static_cast<QRgb>(c) | 0xFF000000u));
}
}  // namespace

GrigliaModello::GrigliaModello(Griglia* griglia, QObject* parent)
    : QAbstractTableModel(parent), griglia_(griglia) {
    if (griglia_) griglia_->aggiungiOsservatore(this);
}

GrigliaModello::~GrigliaModello() {
    if (griglia_) griglia_->rimuoviOsservatore(this);
}

int GrigliaModello::rigaGriglia(int rigaModello) const {
    return griglia_ ? rigaModello + griglia_->righeFisse() : -1;
}

int GrigliaModello::rigaModello(int rigaGriglia) const {
    if (!griglia_ || rigaGriglia < griglia_->righeFisse() || rigaGriglia >= griglia_->righe()) return -1;
    return rigaGriglia - griglia_->righeFisse();
}

int GrigliaModello::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !griglia_) return 0;
    return griglia_->righe() - griglia_->righeFisse();
}

int GrigliaModello::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || !griglia_) return 0;
    return griglia_->colonne();
}

QVariant GrigliaModello::data(const QModelIndex& index, int role) const {
    if (!griglia_ || !checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const int r = rigaGriglia(index.row());
    const int c = index.column();
    switch (role) {
        case Qt::DisplayRole:
            return griglia_->testo(r, c);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(allineamentoQt(griglia_->allineamentoColonna(c)));
        case Qt::FontRole:
            if (griglia_->grassetto(r, c)) {
                QFont f;
                f.setBold(true);
                return f;
            }
            return {};
        case Qt::BackgroundRole:
            if (const auto colore = griglia_->coloreSfondo(r, c)) return pennello(*colore);
            // Header columns look like the header row, as in any spreadsheet.
            if (c < griglia_->colonneFisse()) return QApplication::palette().button();
            return {};
        case Qt::ForegroundRole:
            if (const auto colore = griglia_->coloreTesto(r, c)) return pennello(*colore);
            return {};
        default:
            return {};
    }
}

QVariant GrigliaModello::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!griglia_) return {};
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole) return QString::number(rigaGriglia(section));
        return {};
    }
    if (section < 0 || section >= griglia_->colonne()) return {};
    switch (role) {
        case Qt::DisplayRole: {
            QStringList righe;
            for (int r = 0; r < griglia_->righeFisse(); ++r) righe << griglia_->testo(r, section);
            return righe.join(QLatin1Char('\n'));
        }
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        default:
            return {};
    }
}

Qt::ItemFlags GrigliaModello::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

// ---- grid notifications ----

void GrigliaModello::fineCambiamento() {
    inCambiamento_ = false;
    emit strutturaCambiata();
}

void GrigliaModello::primaDelRiordino() {
    inCambiamento_ = true;
    riordinoAperto_ = true;
    beginResetModel();
}

void GrigliaModello::dopoIlRiordino() {
    riordinoAperto_ = false;
    endResetModel();
    fineCambiamento();
}

void GrigliaModello::primaDiInserireRighe(int prima, int ultima) {
    inCambiamento_ = true;
    const int f = griglia_->righeFisse();
    beginInsertRows({}, prima - f, ultima - f);
}

void GrigliaModello::righeInserite(int, int) {
    endInsertRows();
    fineCambiamento();
}

void GrigliaModello::primaDiRimuovereRighe(int prima, int ultima) {
    inCambiamento_ = true;
    const int f = griglia_->righeFisse();
    beginRemoveRows({}, prima - f, ultima - f);
}

void GrigliaModello::righeRimosse(int, int) {
    endRemoveRows();
    fineCambiamento();
}

void GrigliaModello::primaDiInserireColonne(int prima, int ultima) {
    inCambiamento_ = true;
    beginInsertColumns({}, prima, ultima);
}

void GrigliaModello::colonneInserite(int, int) {
    endInsertColumns();
    fineCambiamento();
}

void GrigliaModello::primaDiRimuovereColonne(int prima, int ultima) {
    inCambiamento_ = true;
    beginRemoveColumns({}, prima, ultima);
}

void GrigliaModello::colonneRimosse(int, int) {
    endRemoveColumns();
    fineCambiamento();
}

void GrigliaModello::celleCambiate(const Rettangolo& celle) {
    const int f = griglia_->righeFisse();
    if (celle.primaRiga < f) emit headerDataChanged(Qt::Horizontal, celle.primaColonna, celle.ultimaColonna);
    if (celle.ultimaRiga >= f) {
        const int primaRiga = std::max(celle.primaRiga, f) - f;
        emit dataChanged(index(primaRiga, celle.primaColonna),
                         index(celle.ultimaRiga - f, celle.ultimaColonna));
    }
}

void GrigliaModello::aspettoCambiato() {
    // Alignment and header-column shading are per column, so every cell may look different.
    if (griglia_->colonne() > 0) {
        emit headerDataChanged(Qt::Horizontal, 0, griglia_->colonne() - 1);
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, griglia_->colonne() - 1),
                             {Qt::TextAlignmentRole, Qt::BackgroundRole});
    }
    emit aspettoGrigliaCambiato();
}

void GrigliaModello::cursoreCambiato() {
    emit cursoreGrigliaCambiato();
}

void GrigliaModello::grigliaDistrutta() {
    // A grid destroyed inside its own update bracket has already opened our reset.
    if (!riordinoAperto_) beginResetModel();
    griglia_ = nullptr;
    riordinoAperto_ = false;
    endResetModel();
    inCambiamento_ = false;
}
