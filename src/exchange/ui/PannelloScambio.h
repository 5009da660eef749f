#pragma once
// The exchange panel: two trip lists, the buttons that move trips between them, and the export or
// import of the trips chosen.  The main window embeds it and answers its signals: prepara (clear
// the window, disable cmdExport), chiuso (enable cmdExport again) and concluso (the closing steps:
// reload the current trip and its legs, mode "all", command buttons).
#include <QString>
#include <QWidget>

#include "common/Griglia.h"

class QLabel;
class QPushButton;
class Archivio;
class Dialoghi;
class Progresso;
class TabellaGriglia;

class PannelloScambio : public QWidget {
    Q_OBJECT
  public:
    PannelloScambio(Archivio& archivio, Dialoghi& dialoghi, Progresso& progresso, QWidget* parent = nullptr);

    // "Import/E&xport" of the main window: shows the panel with both lists prepared.
    void cmdExport_Click();
    void PreparaExportImport();
    // 0 prepares an export, 1 asks for a file and lists its trips.
    void cmdImportExport_Click(int indice);
    // 0 exports or imports, as its caption says; 1 gives up.
    void cmdImExp_Click(int indice);
    // A click on a row of list indice moves that trip to the other list.
    void mfgImExp_Click(int indice);
    void cmdTutto_Click(int indice);
    void AggiornaPulsantiImportExport();
    void cmdHelpExport_Click();
    void EsciExportImport();

    QString nomeFile() const { return nomeFile_; }

    Griglia mfgImExp[2];
    TabellaGriglia* vistaImExp[2] = {};
    QLabel* lblExLista = nullptr;
    QLabel* lblExSelez = nullptr;
    QLabel* lblExIstruzioni = nullptr;
    QPushButton* cmdTutto[2] = {};
    QPushButton* cmdImExp[2] = {};
    QPushButton* cmdImportExport[2] = {};
    QPushButton* cmdHelpExport = nullptr;

  signals:
    void prepara();
    void chiuso();
    void concluso();

  private:
    void CreaControlli();
    void AbilitaLista(bool abilita);
    void Esporta();
    void Importa();

    Archivio& archivio_;
    Dialoghi& dialoghi_;
    Progresso& progresso_;
    QString nomeFile_;
};
