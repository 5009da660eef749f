#include "printing/ui/PannelloStampanti.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/Dialoghi.h"

PannelloStampanti::PannelloStampanti(StampanteCorrente& corrente, Dialoghi& dialoghi,
                                     const QString& cartellaDati, QWidget* parent)
    : QWidget(parent), corrente_(corrente), dialoghi_(dialoghi), cartellaDati_(cartellaDati) {
    setObjectName(QStringLiteral("frmSelStampa"));
    lstStampanti = new QListWidget;
    lstStampanti->setObjectName(QStringLiteral("lstStampanti"));
    cmdSelStampante0 = new QPushButton(QStringLiteral("&Stampa"));
    cmdSelStampante0->setObjectName(QStringLiteral("cmdSelStampante0"));
    cmdSelStampante0->setToolTip(QStringLiteral("Avvio della stampa"));
    cmdSelStampante1 = new QPushButton(QStringLiteral("&Rinuncia"));
    cmdSelStampante1->setObjectName(QStringLiteral("cmdSelStampante1"));
    cmdSelStampante1->setToolTip(QStringLiteral("Rinuncia alla stampa"));
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(cmdSelStampante0);
    pulsanti->addWidget(cmdSelStampante1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Selezione stampante:")));
    layout->addWidget(lstStampanti);
    layout->addLayout(pulsanti);
    connect(cmdSelStampante0, &QPushButton::clicked, this, [this] { cmdSelStampante_Click(0); });
    connect(cmdSelStampante1, &QPushButton::clicked, this, [this] { cmdSelStampante_Click(1); });
    connect(lstStampanti, &QListWidget::itemDoubleClicked, this, [this] { cmdSelStampante_Click(0); });
}

void PannelloStampanti::VisualizzaListaStampanti(const QStringList& stampanti) {
    lstStampanti->clear();
    const QStringList elenco = ElencoStampanti(stampanti);
    lstStampanti->addItems(elenco);
    lstStampanti->setCurrentRow(VoceIniziale(elenco));
    show();
    raise();
}

QString PannelloStampanti::chiediPdf() {
    const QString cartella = corrente_.ultimaCartella.isEmpty() ? cartellaDati_ : corrente_.ultimaCartella;
    const QString file =
        dialoghi_.salvaFile(QStringLiteral("Stampa su file PDF"), QDir(cartella).filePath(nomePdf_),
                            QStringLiteral("File PDF (*.pdf)"));
    if (!file.isEmpty()) corrente_.ultimaCartella = QFileInfo(file).absolutePath();
    return file;
}

void PannelloStampanti::cmdSelStampante_Click(int indice) {
    hide();
    if (indice != 0) {
        emit rinuncia();
        return;
    }
    QStringList elenco;
    for (int i = 0; i < lstStampanti->count(); ++i) elenco << lstStampanti->item(i)->text();
    const QListWidgetItem* scelta = lstStampanti->currentItem();
    const int voce = CercaStampante(elenco, scelta && scelta->isSelected() ? scelta->text() : QString());
    if (voce >= 0 && elenco.at(voce) == kVocePdf) {
        const QString file = chiediPdf();
        if (file.isEmpty()) {
            emit rinuncia();
            return;
        }
        corrente_.destinazione = {QString(), file};
    } else if (voce >= 0) {
        corrente_.destinazione = {elenco.at(voce), QString()};
    } else if (!corrente_.destinazione.valida()) {
        const QString predefinita = QPrinterInfo::defaultPrinter().printerName();
        corrente_.destinazione = predefinita.isEmpty()
                                     ? Destinazione{QString(), QDir(cartellaDati_).filePath(nomePdf_)}
                                     : Destinazione{predefinita, QString()};
    }
    emit stampa(corrente_.destinazione);
}
