#pragma once
// The command line of zavetra: one table of options and one of batch commands.  Reading it needs
// no display, so --help, errors and batch commands answer without one.
//
// A new option is one row of OpzioniZavetra() (the option, its value name, its help text and the
// batch commands it belongs to); a new batch command is one row of ComandiBatch() with its handler.
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

class Orologio;
class QTextStream;

// Exit code of a malformed command line.
constexpr int kUscitaUso = 2;

struct OpzioneProgramma {
    QString nome;              // without the dashes: "meta"
    QString valore;            // the value's name in the help ("CODICE"); empty for a switch
    QString aiuto;             // Italian help text; "\n" starts a new help line
    QStringList soloCon = {};  // the batch commands it belongs to; empty: valid everywhere
    QString richiede = {};     // another option it needs ("pdf" for --frontespizio); empty: none
    bool grafica = false;      // it draws pages: the batch runs with fonts (offscreen platform)
};

// What a batch command receives: the option values by name (only options given), the
// positional arguments, the data directory and the clock.
struct ArgomentiBatch {
    QString cartellaDati;
    QMap<QString, QString> valori;
    QStringList posizionali;
    const Orologio& orologio;
};

struct ComandoBatch {
    QString opzione;      // the switch that starts it (also a row of OpzioniZavetra())
    QString posizionali;  // the positional arguments in the help ("FILE [CODICE…]"); empty: none
    std::function<int(const ArgomentiBatch&, QTextStream& out, QTextStream& err)> esegui;
};

QList<OpzioneProgramma> OpzioniZavetra();
QList<ComandoBatch> ComandiBatch();

enum class AzioneProgramma { Finestra, Aiuto, Batch, Errore };

struct RigaComando {
    AzioneProgramma azione = AzioneProgramma::Finestra;
    QString errore;                 // Italian, for AzioneProgramma::Errore
    int comando = -1;               // index into ComandiBatch() for AzioneProgramma::Batch
    QString cartellaDati;           // --data-dir, empty when not given
    bool esciDopoAvvio = false;     // --esci-dopo-avvio
    QMap<QString, QString> valori;  // options given, by name (switches with an empty value)
    QStringList posizionali;
    bool grafica = false;  // an option that draws pages was given
};

// Reads the arguments (the program name first).
RigaComando LeggiRigaComando(const QStringList& argomenti);

// The option list printed by --help, built from the tables.
QString TestoAiuto();
