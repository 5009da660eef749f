#pragma once
// Shows a Griglia in a Qt view: the header rows become the column headers (several header rows are
// stacked on separate lines), the other rows the model's rows.  Read-only: the program writes the
// grid, never the view.
#include <QAbstractTableModel>

#include "common/Griglia.h"

class GrigliaModello : public QAbstractTableModel, private OsservatoreGriglia {
    Q_OBJECT
  public:
    explicit GrigliaModello(Griglia* griglia, QObject* parent = nullptr);
    ~GrigliaModello() override;

    Griglia* griglia() const { return griglia_; }
    // Grid row of a model row and back; header rows have no model row (-1).
    int rigaGriglia(int rigaModello) const;
    int rigaModello(int rigaGriglia) const;
    // True between the grid's "before" and "after" notifications of a structural change or reset,
    // while views may see transient indices that must not be written back to the grid.
    bool inCambiamento() const { return inCambiamento_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  signals:
    // The grid's current cell, selection or top row changed; its column widths or alignments.
    void cursoreGrigliaCambiato();
    void aspettoGrigliaCambiato();
    // A structural change or reset has ended: views re-apply the grid's cursor and widths.
    void strutturaCambiata();

  private:
    void primaDelRiordino() override;
    void dopoIlRiordino() override;
    void primaDiInserireRighe(int prima, int ultima) override;
    void righeInserite(int prima, int ultima) override;
    void primaDiRimuovereRighe(int prima, int ultima) override;
    void righeRimosse(int prima, int ultima) override;
    void primaDiInserireColonne(int prima, int ultima) override;
    void colonneInserite(int prima, int ultima) override;
    void primaDiRimuovereColonne(int prima, int ultima) override;
    void colonneRimosse(int prima, int ultima) override;
    void celleCambiate(const Rettangolo& celle) override;
    void aspettoCambiato() override;
    void cursoreCambiato() override;
    void grigliaDistrutta() override;

    void fineCambiamento();

    Griglia* griglia_;
    bool inCambiamento_ = false;
    bool riordinoAperto_ = false;
};
