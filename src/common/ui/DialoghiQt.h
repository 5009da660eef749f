#pragma once
// The dialog seam over Qt: message boxes with Italian buttons, the file dialogs and the event loop.
#include <QPointer>
#include <QWidget>

#include "common/Dialoghi.h"

class DialoghiQt : public Dialoghi {
  public:
    explicit DialoghiQt(QWidget* genitore = nullptr) : genitore_(genitore) {}
    void impostaGenitore(QWidget* genitore) { genitore_ = genitore; }

    // An empty title shows the application's name.
    Risposta messaggio(const Messaggio& m) override;
    QString apriFile(const QString& titolo, const QString& cartella, const QString& filtro) override;
    QString salvaFile(const QString& titolo, const QString& cartella, const QString& filtro) override;
    void eseguiEventi() override;

  private:
    QPointer<QWidget> genitore_;
};

// A filter written as "description|pattern|description|pattern" (patterns separated by ";") in the
// form Qt's file dialogs read: "description (pattern);;...".  The pattern after "|" is the one that
// filters, so a pattern the description repeats in parentheses is replaced by it.  A filter without
// "|" is taken as already in Qt's form.
QString filtroQt(const QString& filtro);
