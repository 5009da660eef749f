#pragma once
// The dialog seam: message boxes, file dialogs and "let pending events run".  Windows use the Qt
// implementation (ui/DialoghiQt); tests and batch commands use DialoghiScriptati.
#include <QList>
#include <QString>
#include <QStringList>

enum class Pulsanti { Ok, OkAnnulla, SiNo, SiNoAnnulla };
enum class Icona { Nessuna, Informazione, Avviso, Critico, Domanda };
enum class Risposta { Ok, Annulla, Si, No };

struct Messaggio {
    QString testo;
    QString titolo;
    Pulsanti pulsanti = Pulsanti::Ok;
    Icona icona = Icona::Nessuna;
};

class Dialoghi {
  public:
    virtual ~Dialoghi() = default;
    // Shows a message box and waits for the answer.  A closed box answers No (Annulla where the
    // box offers it, Ok for a box with only Ok).
    virtual Risposta messaggio(const Messaggio& m) = 0;
    // File dialogs: the chosen path, or the empty text when the user cancels.
    virtual QString apriFile(const QString& titolo, const QString& cartella, const QString& filtro) = 0;
    virtual QString salvaFile(const QString& titolo, const QString& cartella, const QString& filtro) = 0;
    // Lets pending window events run during a long operation.
    virtual void eseguiEventi() = 0;

    // Shorthands for the common boxes.
    void avviso(const QString& testo, const QString& titolo = {}, Icona icona = Icona::Nessuna) {
        messaggio({testo, titolo, Pulsanti::Ok, icona});
    }
    bool domanda(const QString& testo, const QString& titolo = {}, Icona icona = Icona::Domanda) {
        return messaggio({testo, titolo, Pulsanti::SiNo, icona}) == Risposta::Si;
    }
};

// Answers from a script, in order, and records every box it was shown.  When the script runs out
// it answers as a closed box would.
class DialoghiScriptati : public Dialoghi {
  public:
    QList<Risposta> risposte;   // consumed from the front by messaggio()
    QStringList fileDaAprire;   // consumed by apriFile()
    QStringList fileDaSalvare;  // consumed by salvaFile()
    QList<Messaggio> mostrati;  // every message box shown, in order
    int eventiEseguiti = 0;

    Risposta messaggio(const Messaggio& m) override;
    QString apriFile(const QString& titolo, const QString& cartella, const QString& filtro) override;
    QString salvaFile(const QString& titolo, const QString& cartella, const QString& filtro) override;
    void eseguiEventi() override { ++eventiEseguiti; }

    QStringList testiMostrati() const;
};
