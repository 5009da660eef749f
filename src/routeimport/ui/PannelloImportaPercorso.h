#pragma once
// The route-import panel: "Filtra mete reali (da file ITN converter)" and the list of the real
// destinations it read.  It edits a Griglia it does not own; the window recomputes kilometres and
// times through ricalcola.  The import itself is the window's "Altri Pacch." button
// (cmdMapPoint_Click in routeimport/ImportaPercorso.h).
#include <QFrame>
#include <functional>

class Dialoghi;
class Griglia;
class QListWidget;
class QPushButton;

class PannelloImportaPercorso : public QFrame {
    Q_OBJECT
  public:
    PannelloImportaPercorso(Griglia& mfgTab, Dialoghi& dialoghi, std::function<void()> ricalcola,
                            QWidget* parent = nullptr);

    void cmdSelezionaMete_Click();

    QPushButton* cmdSelezionaMete = nullptr;
    QListWidget* lstMete = nullptr;

  signals:
    // Legs were renamed or folded (kilometres and times already recomputed).
    void grigliaCambiata();

  private:
    Griglia& mfgTab_;
    Dialoghi& dialoghi_;
    std::function<void()> ricalcola_;
};
