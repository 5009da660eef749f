#pragma once
// A table view over a Griglia.  Column widths are the grid's widths scaled to the view's width (a
// width of 0 hides the column).  The view and the grid share one cursor: a click or a key in the
// view sets the grid's current cell, selection and top row, and code that sets them on the grid
// moves the view.
#include <QTableView>

#include "common/Griglia.h"

class GrigliaModello;

class TabellaGriglia : public QTableView {
    Q_OBJECT
  public:
    explicit TabellaGriglia(Griglia* griglia, QWidget* parent = nullptr);

    GrigliaModello* modello() const { return modello_; }
    // Pixel widths of the columns for a given width: the grid's widths scaled so that the visible
    // columns fill it exactly.
    static QList<int> larghezzePixel(const Griglia& griglia, int disponibile);
    // Widths that give every column at least its minimum, taking the pixels from the columns with
    // room to spare in proportion to that room.  When the minimums alone exceed the total, every
    // column gets its minimum (and the view scrolls sideways).
    static QList<int> rispettaMinimi(QList<int> larghezze, const QList<int>& minimi);
    // Widths at pixelPerUnita pixels per unit of the grid's widths, the room left given to the last
    // visible column; when they do not fit, the proportional widths above.
    static QList<int> larghezzeUltimaElastica(const Griglia& griglia, int disponibile, double pixelPerUnita);

    // The grid's widths are twips at the screen's resolution and the last visible column (the
    // notes) takes the extra room, instead of every column growing with the view.
    void impostaUltimaColonnaElastica(bool elastica);
    // The tooltip of a cell: its whole text when the column cuts it, else nothing.
    QString suggerimentoCella(const QModelIndex& cella) const;

  protected:
    // A cell whose text is cut shows all of it as a tooltip.
    bool viewportEvent(QEvent* event) override;

    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void applicaLarghezze();
    // The widest content of a column over a sample of rows around the top row shown, measured
    // once for the sample and the texts shown: the appearance changing alone (as it does right
    // after every reset) does not lay the texts out again.
    int larghezzaContenuto(int colonna);
    int misuraContenuto(int colonna, int prima, int ultima) const;
    void dimenticaContenuto(const QList<int>& ruoli = {});
    void mostraCursore();
    void cursoreDallaVista();
    void scorrimentoDallaVista(int valore);
    bool ignoraVista() const;

    GrigliaModello* modello_;
    bool sincronizzando_ = false;
    bool ultimaElastica_ = false;
    QList<int> contenuto_;  // per column; -1 when not measured
    int campionePrima_ = -1;
    int campioneUltima_ = -1;
};
