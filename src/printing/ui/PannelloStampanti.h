#pragma once
// The printer choice "Selezione stampante:": the system's printers followed by the PDF entry.
// Stampa takes the selected printer (the PDF entry asks for the file name and remembers its
// folder); with nothing selected the printer in force stays, and when there is none yet the
// system's default printer, or a PDF in the data directory when the system has no printer.
#include <QString>
#include <QStringList>
#include <QWidget>

#include "printing/Stampanti.h"

class QListWidget;
class QPushButton;
class Dialoghi;

class PannelloStampanti : public QWidget {
    Q_OBJECT
  public:
    PannelloStampanti(StampanteCorrente& corrente, Dialoghi& dialoghi, const QString& cartellaDati,
                      QWidget* parent = nullptr);

    // The name a new PDF is offered under.
    void impostaNomePdf(const QString& nome) { nomePdf_ = nome; }
    // Fills lstStampanti and shows the panel.
    void VisualizzaListaStampanti(const QStringList& stampanti = StampantiDiSistema());
    void cmdSelStampante_Click(int indice);

    QListWidget* lstStampanti = nullptr;
    QPushButton* cmdSelStampante0 = nullptr;
    QPushButton* cmdSelStampante1 = nullptr;

  signals:
    // Stampa: print on the destination (now the printer in force).
    void stampa(const Destinazione& destinazione);
    // Rinuncia, or the PDF file dialog closed without a name.
    void rinuncia();

  private:
    QString chiediPdf();

    StampanteCorrente& corrente_;
    Dialoghi& dialoghi_;
    QString cartellaDati_;
    QString nomePdf_ = QStringLiteral("Zavetra.pdf");
};
