#include "exchange/BatchScambio.h"

#include <QFile>

#include "common/Griglia.h"
#include "common/Progresso.h"
#include "common/Uscita.h"
#include "database/Archivio.h"
#include "database/TipiGuida.h"
#include "exchange/Esporta.h"
#include "exchange/Importa.h"
#include "exchange/ListeScambio.h"
#include "trips/Meta.h"

namespace {

void Stampa(QTextStream& flusso, const QString& messaggio) {
    for (const QString& riga : RigheMessaggio(messaggio)) flusso << riga << Qt::endl;
}

int Errore(QTextStream& err, const QString& messaggio, int codice = kUscitaErrore) {
    Stampa(err, messaggio);
    return codice;
}

QStringList Normalizzati(const QStringList& codici) {
    QStringList n;
    for (const QString& c : codici) n << CodiceMetaNormalizzato(c);
    return n;
}

template <typename F>
int SuCartella(const QString& cartellaDati, QTextStream& err, F&& f) {
    try {
        Archivio archivio(cartellaDati);
        archivio.AvviaDatabase();
        if (!archivio.avviso.isEmpty()) Stampa(err, archivio.avviso);
        CaricaTipiGuida(archivio);  // as at the window's start-up: a new database gets its guide types
        return f(archivio);
    } catch (const ErroreDatabase& e) {
        return Errore(err, e.messaggio());
    }
}

}  // namespace

int EseguiEsporta(Archivio& archivio, const QString& file, const QStringList& codici, QTextStream& out,
                  QTextStream& err) {
    try {
        QStringList scelti = Normalizzati(codici);
        if (scelti.isEmpty()) {
            Griglia lista;
            PreparaLista(lista);
            CaricaListaMete(archivio, lista);
            scelti = CodiciLista(lista);
        }
        const Query mete = Query::di(archivio.nome(TabMeteCamper));
        for (const QString& c : scelti)
            if (archivio.dati().conta(Query(mete).dove(QStringLiteral("CodiceMeta"), c)) == 0)
                return Errore(err, QStringLiteral("Mèta con codice %1 inesistente nel database!").arg(c),
                              kUscitaMetaIgnota);
        ProgressoMemoria progresso;
        if (!ScriviEsportazione(archivio, scelti, file, progresso))
            return Errore(err, QStringLiteral("Impossibile scrivere il file ") + file);
        Stampa(out, MessaggioEsportazione(file));
        return kUscitaRiuscita;
    } catch (const ErroreDatabase& e) {
        return Errore(err, e.messaggio());
    }
}

int EseguiImporta(Archivio& archivio, const QString& file, const QStringList& codici, QTextStream& out,
                  QTextStream& err) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return Errore(err, QStringLiteral("Impossibile leggere il file ") + file);
    const LetturaScambio lettura = LeggiScambio(f.readAll());
    if (!lettura.contenuto) return Errore(err, MessaggioFileNonValido(file, lettura));

    QStringList nelFile;
    for (const MetaNelFile& m : MeteDelFile(*lettura.contenuto)) nelFile << m.codice;
    QStringList scelti = Normalizzati(codici);
    for (const QString& c : scelti)
        if (!nelFile.contains(c))
            return Errore(err, QStringLiteral("Mèta con codice %1 inesistente nel file %2!").arg(c, file),
                          kUscitaMetaIgnota);
    if (scelti.isEmpty()) scelti = nelFile;
    try {
        ProgressoMemoria progresso;
        const ContiImport conti = ImportaMete(archivio, *lettura.contenuto, scelti, progresso);
        Stampa(out, MessaggioImport(conti));
        return kUscitaRiuscita;
    } catch (const ErroreImport& e) {
        return Errore(err, e.messaggio());
    } catch (const ErroreDatabase& e) {
        return Errore(err, e.messaggio());
    }
}

int EseguiEsporta(const QString& cartellaDati, const QString& file, const QStringList& codici,
                  QTextStream& out, QTextStream& err) {
    return SuCartella(cartellaDati, err,
                      [&](Archivio& a) { return EseguiEsporta(a, file, codici, out, err); });
}

int EseguiImporta(const QString& cartellaDati, const QString& file, const QStringList& codici,
                  QTextStream& out, QTextStream& err) {
    return SuCartella(cartellaDati, err,
                      [&](Archivio& a) { return EseguiImporta(a, file, codici, out, err); });
}
