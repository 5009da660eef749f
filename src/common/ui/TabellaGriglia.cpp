#include "common/ui/TabellaGriglia.h"

#include <QAbstractItemDelegate>
#include <QHeaderView>
#include <QHelpEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "common/ui/GrigliaModello.h"

TabellaGriglia::TabellaGriglia(Griglia* griglia, QWidget* parent)
    : QTableView(parent), modello_(new GrigliaModello(griglia, this)) {
    setModel(modello_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The grid's selection is one rectangle with the current cell as a corner.
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // One scroll step per row, so that the scroll bar's value is the top row.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);

    connect(modello_, &GrigliaModello::cursoreGrigliaCambiato, this, &TabellaGriglia::mostraCursore);
    connect(modello_, &GrigliaModello::aspettoGrigliaCambiato, this, &TabellaGriglia::applicaLarghezze);
    connect(modello_, &GrigliaModello::strutturaCambiata, this, [this] {
        applicaLarghezze();
        mostraCursore();
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &TabellaGriglia::cursoreDallaVista);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TabellaGriglia::cursoreDallaVista);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TabellaGriglia::scorrimentoDallaVista);
    // Any change of the texts shown, or of their number, makes the measured contents stale.
    connect(modello_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& ruoli) {
                dimenticaContenuto(ruoli);
            });
    connect(modello_, &QAbstractItemModel::modelReset, this, [this] { dimenticaContenuto(); });
    for (auto segnale : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved,
                         &QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved})
        connect(modello_, segnale, this, [this] { dimenticaContenuto(); });
    applicaLarghezze();
    mostraCursore();
}

namespace {
// A column never asks for more than this to show its content whole.
constexpr int kMinimoMassimo = 160;
// The content a column must show is measured on the rows shown (at least kRigheCampioneMinime,
// at most kRigheCampioneMassime from the top one shown): a schedule has thousands of rows, and a
// text layout per cell and per change would cost more than the computation.
constexpr int kRigheCampioneMinime = 20;
constexpr int kRigheCampioneMassime = 60;
}  // namespace

int TabellaGriglia::larghezzaContenuto(int colonna) {
    const int righe = modello_->rowCount();
    if (righe == 0) return 0;
    const int mostrate = viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()) + 1;
    const int campione = std::clamp(mostrate, kRigheCampioneMinime, kRigheCampioneMassime);
    const int alto = std::max(0, rowAt(0));
    const int prima = std::max(0, std::min(alto, righe - campione));
    const int ultima = std::min(righe, prima + campione);
    if (prima != campionePrima_ || ultima != campioneUltima_ ||
        contenuto_.size() != modello_->columnCount()) {
        contenuto_.fill(-1, modello_->columnCount());
        campionePrima_ = prima;
        campioneUltima_ = ultima;
    }
    int& larghezza = contenuto_[colonna];
    if (larghezza < 0) larghezza = misuraContenuto(colonna, prima, ultima);
    return larghezza;
}

int TabellaGriglia::misuraContenuto(int colonna, int prima, int ultima) const {
    QStyleOptionViewItem opzione;
    initViewItemOption(&opzione);
    int larghezza = 0;
    for (int r = prima; r < ultima; ++r) {
        const QModelIndex indice = modello_->index(r, colonna);
        larghezza = std::max(larghezza, itemDelegateForIndex(indice)->sizeHint(opzione, indice).width());
    }
    return showGrid() ? larghezza + 1 : larghezza;
}

void TabellaGriglia::dimenticaContenuto(const QList<int>& ruoli) {
    // Alignment and shading do not change how wide a text is.
    const bool soloAspetto = !ruoli.isEmpty() && std::all_of(ruoli.begin(), ruoli.end(), [](int ruolo) {
        return ruolo == Qt::TextAlignmentRole || ruolo == Qt::BackgroundRole;
    });
    if (!soloAspetto) contenuto_.clear();
}

QList<int> TabellaGriglia::larghezzePixel(const Griglia& griglia, int disponibile) {
    qint64 totale = 0;
    for (int c = 0; c < griglia.colonne(); ++c) totale += griglia.larghezzaColonna(c);
    QList<int> pixel;
    qint64 cumulata = 0;
    int bordo = 0;
    for (int c = 0; c < griglia.colonne(); ++c) {
        cumulata += griglia.larghezzaColonna(c);
        // Rounding the running edges, not each width, keeps the sum exactly the available width.
        const int prossimo =
            totale > 0 ? static_cast<int>((cumulata * disponibile + totale / 2) / totale) : 0;
        pixel << prossimo - bordo;
        bordo = prossimo;
    }
    return pixel;
}

QList<int> TabellaGriglia::larghezzeUltimaElastica(const Griglia& griglia, int disponibile,
                                                   double pixelPerUnita) {
    QList<int> pixel;
    int somma = 0;
    int ultima = -1;
    for (int c = 0; c < griglia.colonne(); ++c) {
        const int w = static_cast<int>(std::lround(griglia.larghezzaColonna(c) * pixelPerUnita));
        pixel << w;
        somma += w;
        if (griglia.larghezzaColonna(c) > 0) ultima = c;
    }
    if (ultima < 0 || somma > disponibile) return larghezzePixel(griglia, disponibile);
    pixel[ultima] += disponibile - somma;
    return pixel;
}

void TabellaGriglia::impostaUltimaColonnaElastica(bool elastica) {
    ultimaElastica_ = elastica;
    applicaLarghezze();
}

bool TabellaGriglia::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QTableView::viewportEvent(event);
    const auto* aiuto = static_cast<QHelpEvent*>(event);
    const QModelIndex cella = indexAt(aiuto->pos());
    const QString testo = suggerimentoCella(cella);
    if (testo.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(aiuto->globalPos(), testo, viewport(), visualRect(cella));
    return true;
}

QString TabellaGriglia::suggerimentoCella(const QModelIndex& cella) const {
    if (!cella.isValid() || sizeHintForIndex(cella).width() <= columnWidth(cella.column())) return {};
    return cella.data().toString();
}

QList<int> TabellaGriglia::rispettaMinimi(QList<int> larghezze, const QList<int>& minimi) {
    qint64 mancanti = 0;
    qint64 margine = 0;
    for (int c = 0; c < larghezze.size(); ++c) {
        const int minimo = c < minimi.size() ? minimi[c] : 0;
        if (larghezze[c] < minimo)
            mancanti += minimo - larghezze[c];
        else
            margine += larghezze[c] - minimo;
    }
    if (mancanti == 0) return larghezze;
    const qint64 presi = std::min(mancanti, margine);
    qint64 cumulata = 0;
    qint64 tolti = 0;
    for (int c = 0; c < larghezze.size(); ++c) {
        const int minimo = c < minimi.size() ? minimi[c] : 0;
        if (larghezze[c] < minimo) {
            larghezze[c] = minimo;
        } else if (margine > 0) {
            // Running totals keep the pixels taken exactly equal to what was missing.
            cumulata += larghezze[c] - minimo;
            const qint64 finoQui = (cumulata * presi + margine / 2) / margine;
            larghezze[c] -= static_cast<int>(finoQui - tolti);
            tolti = finoQui;
        }
    }
    return larghezze;
}

void TabellaGriglia::applicaLarghezze() {
    const Griglia* g = modello_->griglia();
    // A view out of sight (the panel of another mode) gets its widths when it appears.
    if (!g || !isVisible()) return;
    horizontalHeader()->setVisible(g->righeFisse() > 0);
    // Twips: 1440 to the inch.
    QList<int> pixel = ultimaElastica_
                           ? larghezzeUltimaElastica(*g, viewport()->width(), logicalDpiX() / 1440.0)
                           : larghezzePixel(*g, viewport()->width());
    // The grid's widths were made for a smaller font: short texts such as times must not be cut.
    QList<int> minimi;
    for (int c = 0; c < pixel.size(); ++c) {
        if (g->larghezzaColonna(c) == 0) {
            minimi << 0;
            continue;
        }
        const int contenuto = std::max(larghezzaContenuto(c), horizontalHeader()->sectionSizeHint(c));
        minimi << std::min(contenuto, kMinimoMassimo);
    }
    pixel = rispettaMinimi(pixel, minimi);
    for (int c = 0; c < pixel.size(); ++c) {
        const bool nascosta = g->larghezzaColonna(c) == 0;
        setColumnHidden(c, nascosta);
        if (!nascosta) setColumnWidth(c, std::max(pixel[c], 1));
    }
}

void TabellaGriglia::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    applicaLarghezze();
}

void TabellaGriglia::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    applicaLarghezze();
}

void TabellaGriglia::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) dimenticaContenuto();
    QTableView::changeEvent(event);
}

bool TabellaGriglia::ignoraVista() const {
    return sincronizzando_ || modello_->inCambiamento() || !modello_->griglia();
}

void TabellaGriglia::mostraCursore() {
    Griglia* g = modello_->griglia();
    if (!g || modello_->inCambiamento()) return;
    QScopedValueRollback<bool> guardia(sincronizzando_, true);
    // The scroll range must already count rows the grid has just gained.
    executeDelayedItemsLayout();
    updateGeometries();

    const QModelIndex corrente = modello_->index(modello_->rigaModello(g->riga()), g->colonna());
    if (corrente.isValid())
        selectionModel()->setCurrentIndex(corrente, QItemSelectionModel::NoUpdate);
    else
        selectionModel()->clearCurrentIndex();

    const Rettangolo s = g->selezione();
    const int primaRiga = std::max(s.primaRiga, g->righeFisse());
    if (s.ultimaRiga >= primaRiga && g->colonne() > 0) {
        const QItemSelection area(modello_->index(modello_->rigaModello(primaRiga), s.primaColonna),
                                  modello_->index(modello_->rigaModello(s.ultimaRiga), s.ultimaColonna));
        selectionModel()->select(area, QItemSelectionModel::ClearAndSelect);
    } else {
        selectionModel()->clearSelection();
    }
    verticalScrollBar()->setValue(g->rigaInAlto() - g->righeFisse());
}

void TabellaGriglia::cursoreDallaVista() {
    if (ignoraVista()) return;
    const QModelIndex corrente = selectionModel()->currentIndex();
    if (!corrente.isValid()) return;
    Griglia* g = modello_->griglia();
    QScopedValueRollback<bool> guardia(sincronizzando_, true);
    const int r = modello_->rigaGriglia(corrente.row());
    const int c = corrente.column();
    int rigaSel = r;
    int colonnaSel = c;
    // The selection's corner opposite the current cell; a selection that does not hold the current
    // cell (a click has moved it, the selection follows next) counts as the current cell alone.
    const QItemSelection sel = selectionModel()->selection();
    if (!sel.isEmpty() && sel.contains(corrente)) {
        int alto = sel.first().top(), basso = sel.first().bottom();
        int sinistra = sel.first().left(), destra = sel.first().right();
        for (const QItemSelectionRange& area : sel) {
            alto = std::min(alto, area.top());
            basso = std::max(basso, area.bottom());
            sinistra = std::min(sinistra, area.left());
            destra = std::max(destra, area.right());
        }
        rigaSel = modello_->rigaGriglia(corrente.row() == alto ? basso : alto);
        colonnaSel = c == sinistra ? destra : sinistra;
    }
    g->seleziona(r, c, rigaSel, colonnaSel);
}

void TabellaGriglia::scorrimentoDallaVista(int valore) {
    if (ignoraVista()) return;
    QScopedValueRollback<bool> guardia(sincronizzando_, true);
    Griglia* g = modello_->griglia();
    g->impostaRigaInAlto(valore + g->righeFisse());
}
