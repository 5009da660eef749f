#include "routeimport/ui/PannelloImportaPercorso.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "routeimport/SelezionaMete.h"

PannelloImportaPercorso::PannelloImportaPercorso(Griglia& mfgTab, Dialoghi& dialoghi,
                                                 std::function<void()> ricalcola, QWidget* parent)
    : QFrame(parent), mfgTab_(mfgTab), dialoghi_(dialoghi), ricalcola_(std::move(ricalcola)) {
    setObjectName(QStringLiteral("frmImportaPercorso"));
    setFrameShape(QFrame::StyledPanel);
    auto* v = new QVBoxLayout(this);
    cmdSelezionaMete = new QPushButton(QStringLiteral("&Filtra mete reali (da file ITN converter)"));
    cmdSelezionaMete->setObjectName(QStringLiteral("cmdSelezionaMete"));
    cmdSelezionaMete->setAutoDefault(false);
    lstMete = new QListWidget;
    lstMete->setObjectName(QStringLiteral("lstMete"));
    v->addWidget(cmdSelezionaMete);
    v->addWidget(lstMete, 1);
    connect(cmdSelezionaMete, &QPushButton::clicked, this, &PannelloImportaPercorso::cmdSelezionaMete_Click);
}

void PannelloImportaPercorso::cmdSelezionaMete_Click() {
    setEnabled(false);
    QStringList voci;
    const int tolte = ::cmdSelezionaMete_Click(mfgTab_, dialoghi_, voci);
    if (tolte >= 0) {
        lstMete->clear();
        lstMete->addItems(voci);
        if (ricalcola_) ricalcola_();
        emit grigliaCambiata();
    }
    setEnabled(true);
}
