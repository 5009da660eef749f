#include "exchange/ui/PannelloScambio.h"

#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/Dialoghi.h"
#include "common/Progresso.h"
#include "common/ui/TabellaGriglia.h"
#include "database/Archivio.h"
#include "exchange/Esporta.h"
#include "exchange/FileScambio.h"
#include "exchange/Importa.h"
#include "exchange/ListeScambio.h"

namespace {

QPushButton* Pulsante(const QString& nome, const QString& testo) {
    auto* b = new QPushButton(testo);
    b->setObjectName(nome);
    b->setAutoDefault(false);
    return b;
}

QLabel* Etichetta(const QString& nome, const QString& testo = {}) {
    auto* l = new QLabel(testo);
    l->setObjectName(nome);
    return l;
}

}  // namespace

PannelloScambio::PannelloScambio(Archivio& archivio, Dialoghi& dialoghi, Progresso& progresso,
                                 QWidget* parent)
    : QWidget(parent), archivio_(archivio), dialoghi_(dialoghi), progresso_(progresso) {
    setObjectName(QStringLiteral("PannelloScambio"));
    for (Griglia& g : mfgImExp) PreparaLista(g);
    CreaControlli();
    hide();
}

void PannelloScambio::CreaControlli() {
    lblExLista = Etichetta(QStringLiteral("lblExLista"));
    lblExSelez = Etichetta(QStringLiteral("lblExSelez"));
    lblExIstruzioni = Etichetta(QStringLiteral("lblExIstruzioni"),
                                QStringLiteral("(Clicca sulla meta che vuoi trasferire da/a Export)"));
    for (int i = 0; i < 2; ++i) {
        vistaImExp[i] = new TabellaGriglia(&mfgImExp[i]);
        vistaImExp[i]->setObjectName(QStringLiteral("mfgImExp_%1").arg(i));
        connect(vistaImExp[i], &QAbstractItemView::clicked, this, [this, i] { mfgImExp_Click(i); });
        cmdTutto[i] = Pulsante(QStringLiteral("cmdTutto_%1").arg(i), QString());
        connect(cmdTutto[i], &QPushButton::clicked, this, [this, i] { cmdTutto_Click(i); });
        cmdImportExport[i] = Pulsante(QStringLiteral("cmdImportExport_%1").arg(i),
                                      i == 0 ? QStringLiteral("E&xport") : QStringLiteral("&Import"));
        connect(cmdImportExport[i], &QPushButton::clicked, this, [this, i] { cmdImportExport_Click(i); });
        cmdImExp[i] = Pulsante(QStringLiteral("cmdImExp_%1").arg(i),
                               i == 0 ? QStringLiteral("Esporta") : QStringLiteral("Rinuncia"));
        connect(cmdImExp[i], &QPushButton::clicked, this, [this, i] { cmdImExp_Click(i); });
    }
    cmdHelpExport = Pulsante(QStringLiteral("cmdHelpExport"), QStringLiteral("[?]"));
    connect(cmdHelpExport, &QPushButton::clicked, this, &PannelloScambio::cmdHelpExport_Click);

    auto* liste = new QGridLayout;
    liste->addWidget(lblExLista, 0, 0);
    liste->addWidget(lblExSelez, 0, 1);
    liste->addWidget(vistaImExp[0], 1, 0);
    liste->addWidget(vistaImExp[1], 1, 1);
    liste->addWidget(cmdTutto[0], 2, 0);
    liste->addWidget(cmdTutto[1], 2, 1);

    auto* pulsanti = new QHBoxLayout;
    for (QPushButton* b : {cmdImportExport[0], cmdImportExport[1], cmdImExp[0], cmdImExp[1]})
        pulsanti->addWidget(b);
    pulsanti->addStretch();
    pulsanti->addWidget(lblExIstruzioni);
    pulsanti->addWidget(cmdHelpExport);

    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(liste);
    tutto->addLayout(pulsanti);
}

void PannelloScambio::cmdExport_Click() {
    show();
    PreparaExportImport();
}

void PannelloScambio::PreparaExportImport() {
    emit prepara();
    show();
    AbilitaLista(true);
    for (Griglia& g : mfgImExp) PreparaLista(g);
    AggiornaPulsantiImportExport();
}

void PannelloScambio::AbilitaLista(bool abilita) {
    for (int i = 0; i < 2; ++i) {
        vistaImExp[i]->setEnabled(abilita);
        cmdTutto[i]->setEnabled(abilita);
    }
}

void PannelloScambio::cmdImportExport_Click(int indice) {
    PreparaExportImport();
    if (indice == 0) {
        lblExLista->setText(QStringLiteral("Mète in memoria (da selezionare)"));
        lblExSelez->setText(QStringLiteral("Lista delle mète selezionate per l'EXPORT"));
        cmdImExp[0]->setText(QStringLiteral("Esporta"));
        CaricaListaMete(archivio_, mfgImExp[0]);
        if (RiordinaLista(mfgImExp[0]) == 0)
            dialoghi_.avviso(QStringLiteral("Non ci sono altre mète da esportare..."));
        progresso_.azzera();
        AggiornaPulsantiImportExport();
        return;
    }
    lblExLista->setText(QStringLiteral("Lista delle mète selezionate per l'Import"));
    lblExSelez->setText(QStringLiteral("Lista delle mete nel file selezionato"));
    cmdImExp[0]->setText(QStringLiteral("Importa"));
    AggiornaPulsantiImportExport();
    const QString percorso =
        dialoghi_.apriFile(QStringLiteral("Import"), archivio_.cartella(), kFiltroScambio);
    if (percorso.isEmpty()) return;
    nomeFile_ = percorso;
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly)) {
        dialoghi_.avviso(QStringLiteral("Impossibile leggere il file ") + percorso, QString(),
                         Icona::Critico);
        return;
    }
    progresso_.didascalia(QStringLiteral("Esportazione mète"));
    const LetturaScambio lettura = LeggiScambio(file.readAll());
    if (!lettura.contenuto) {
        dialoghi_.avviso(MessaggioFileNonValido(percorso, lettura), QString(), Icona::Critico);
        return;
    }
    CaricaListaFile(MeteDelFile(*lettura.contenuto), mfgImExp[1]);
    progresso_.azzera();
    AggiornaPulsantiImportExport();
}

void PannelloScambio::AggiornaPulsantiImportExport() {
    const int sinistra = RiordinaLista(mfgImExp[0]);
    const int destra = RiordinaLista(mfgImExp[1]);
    cmdTutto[0]->setText(DidascaliaTuttiDestra(sinistra));
    cmdTutto[1]->setText(DidascaliaTuttiSinistra(destra));
    cmdTutto[0]->setEnabled(sinistra > 0);
    cmdTutto[1]->setEnabled(destra > 0);
    const bool esporta = cmdImExp[0]->text() == QStringLiteral("Esporta");
    cmdImExp[0]->setEnabled((esporta ? destra : sinistra) > 0);
    cmdImExp[1]->setEnabled(true);
}

void PannelloScambio::mfgImExp_Click(int indice) {
    if (TrasferisceMeta(mfgImExp[indice], mfgImExp[1 - indice], mfgImExp[indice].riga()))
        AggiornaPulsantiImportExport();
}

void PannelloScambio::cmdTutto_Click(int indice) {
    TrasferisceTutte(mfgImExp[indice], mfgImExp[1 - indice], progresso_);
    AggiornaPulsantiImportExport();
}

void PannelloScambio::cmdImExp_Click(int indice) {
    cmdImExp[0]->setEnabled(false);
    cmdImExp[1]->setEnabled(false);
    if (indice == 1) {
        EsciExportImport();
        emit concluso();
        return;
    }
    const QString azione = cmdImExp[0]->text().toLower();
    if (azione == QStringLiteral("esporta"))
        Esporta();
    else if (azione == QStringLiteral("importa"))
        Importa();
    else
        emit concluso();
}

void PannelloScambio::Esporta() {
    const QStringList codici = CodiciLista(mfgImExp[1]);
    AbilitaLista(false);
    const EsitoExport esito = EseguiExport(archivio_, codici, dialoghi_, progresso_, nomeFile_);
    AbilitaLista(true);
    // Refusing the file or its overwrite stops here; the buttons come back with the next change
    // of the lists.
    if (esito == EsitoExport::Rinunciato) return;
    AggiornaPulsantiImportExport();
    progresso_.azzera();
    emit concluso();
}

void PannelloScambio::Importa() {
    AbilitaLista(false);
    const EsitoImport esito =
        EseguiImport(archivio_, nomeFile_, CodiciLista(mfgImExp[0]), dialoghi_, progresso_);
    AbilitaLista(true);
    if (esito == EsitoImport::NonConfermato)
        AggiornaPulsantiImportExport();
    else
        EsciExportImport();
    emit concluso();
}

void PannelloScambio::cmdHelpExport_Click() {
    dialoghi_.avviso(TestoAiutoScambio());
}

void PannelloScambio::EsciExportImport() {
    hide();
    emit chiuso();
}
