#include "exchange/Esporta.h"

#include <QDir>
#include <QFileInfo>

#include "common/Conferma.h"
#include "common/Dialoghi.h"
#include "common/File1252.h"
#include "common/Progresso.h"
#include "database/Archivio.h"
#include "exchange/FileScambio.h"

namespace {

QString TestoCampo(const RowSet& rs, int i, const Campo& campo) {
    const QVariant v = rs.valore(i);
    if (campo.tipo == TipoCampo::SiNo) return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    return v.toString();
}

QString Intestazione(const QList<Campo>& campi, int blocco) {
    QStringList nomi;
    for (const Campo& c : campi) nomi << c.nome;
    return LineaScambio(nomi, blocco);
}

// Appends one line per row of the set, from its current row to the end.
void LineeRighe(RowSet& rs, const QList<Campo>& campi, int blocco, QStringList& linee) {
    for (; !rs.fine(); rs.successivo()) {
        QStringList valori;
        for (int i = 0; i < campi.size(); ++i) valori << TestoCampo(rs, i, campi[i]);
        linee << LineaScambio(valori, blocco);
    }
}

// The platform's look-up of the path finds a file of that very name (ignoring case).
bool FileEsistente(const QString& percorso) {
    const QFileInfo info(percorso);
    return info.exists() && info.isFile();
}

}  // namespace

QStringList LineeEsportazione(Archivio& archivio, const QStringList& codici, Progresso& progresso) {
    Database& db = archivio.dati();
    const QString mete = archivio.nome(TabMeteCamper);
    const QString tappe = archivio.nome(TabItinerari);
    const QString guida = archivio.nome(TabGuidaCitta);
    QStringList linee;

    const QList<Campo> campiMete = db.campi(mete);
    linee << Intestazione(campiMete, BloccoMete);
    progresso.didascalia(QStringLiteral("Esportazione mète"));
    for (int r = 0; r < codici.size(); ++r) {
        progresso.posizione(r + 1, static_cast<int>(codici.size()));
        if (codici[r].isEmpty()) continue;
        RowSet rs = db.apriRowSet(Query::di(mete).dove(QStringLiteral("CodiceMeta"), codici[r]));
        if (rs.fine()) continue;
        QStringList valori;
        for (int i = 0; i < campiMete.size(); ++i) valori << TestoCampo(rs, i, campiMete[i]);
        linee << LineaScambio(valori, BloccoMete);
    }

    const QList<Campo> campiTappe = db.campi(tappe);
    linee << Intestazione(campiTappe, BloccoTappe);
    progresso.didascalia(QStringLiteral("Esportazione itinerari"));
    for (int r = 0; r < codici.size(); ++r) {
        progresso.posizione(r + 1, static_cast<int>(codici.size()));
        if (codici[r].isEmpty()) continue;
        RowSet rs = db.apriRowSet(Query::di(tappe)
                                      .dove(QStringLiteral("CodiceMeta"), codici[r])
                                      .ordina(QStringLiteral("Sequenza")));
        LineeRighe(rs, campiTappe, BloccoTappe, linee);
    }

    RowSet rs = db.apriTabella(guida);
    if (!rs.fine()) {
        linee << Intestazione(db.campi(guida), BloccoGuida);
        progresso.didascalia(QStringLiteral("Esportazione guida città"));
        progresso.posizione(0, rs.conteggio());
        LineeRighe(rs, db.campi(guida), BloccoGuida, linee);
        progresso.posizione(rs.conteggio(), rs.conteggio());
    }
    return linee;
}

bool ScriviEsportazione(Archivio& archivio, const QStringList& codici, const QString& percorso,
                        Progresso& progresso) {
    return ScriviRighe1252(percorso, LineeEsportazione(archivio, codici, progresso));
}

QString MessaggioEsportazione(const QString& percorso) {
    return QStringLiteral("Le mète esportate si trovano sul file ") + percorso;
}

EsitoExport EseguiExport(Archivio& archivio, const QStringList& codici, Dialoghi& dialoghi,
                         Progresso& progresso, QString& nomeFile) {
    const QString percorso =
        dialoghi.salvaFile(QStringLiteral("Export"), archivio.cartella(), kFiltroScambio);
    if (percorso.isEmpty()) return EsitoExport::Rinunciato;
    nomeFile = percorso;
    if (FileEsistente(percorso) &&
        dialoghi.messaggio({QStringLiteral("Il file ") + percorso + QStringLiteral(" esiste già: ricopro?"),
                            QStringLiteral("File ") + percorso + QStringLiteral(" esistente"), Pulsanti::SiNo,
                            Icona::Domanda}) != Risposta::Si)
        return EsitoExport::Rinunciato;
    QString codice = QStringLiteral("EX");
    if (BoxConferma(codice, dialoghi) != Risposta::Si) return EsitoExport::NonConfermato;
    const bool scritto = ScriviEsportazione(archivio, codici, percorso, progresso);
    progresso.azzera();
    if (!scritto) {
        dialoghi.avviso(QStringLiteral("Impossibile scrivere il file ") + percorso, QString(),
                        Icona::Critico);
        return EsitoExport::Fallito;
    }
    dialoghi.avviso(MessaggioEsportazione(percorso));
    return EsitoExport::Eseguito;
}
