#include "exchange/ListeScambio.h"

#include "common/Griglia.h"
#include "common/Progresso.h"
#include "database/Archivio.h"

namespace {

void ScriviRiga(Griglia& lista, int r, const QString& localita, const QString& nazione,
                const QString& codice) {
    if (r >= lista.righe()) lista.impostaRighe(r + 1);
    lista.impostaTesto(r, 0, QString::number(r));
    lista.impostaTesto(r, kColonnaLocalita, localita);
    lista.impostaTesto(r, kColonnaNazione, nazione);
    lista.impostaTesto(r, kColonnaCodice, codice);
}

int PrimaRigaLibera(const Griglia& lista) {
    int r = 1;
    while (r < lista.righe() && !lista.testo(r, kColonnaLocalita).isEmpty()) ++r;
    return r;
}

}  // namespace

void PreparaLista(Griglia& lista) {
    Griglia::Aggiornamento blocco(lista);
    lista.impostaRighe(1);
    lista.definisciColonne({{QStringLiteral("Num"), 450, Allineamento::Destra},
                            {QStringLiteral("Mèta"), 3000, Allineamento::Sinistra},
                            {QStringLiteral("Nazione"), 2300, Allineamento::Sinistra},
                            {QStringLiteral("Record"), 1000, Allineamento::Centro},
                            {QString(), 300, Allineamento::Sinistra}});
    lista.impostaRighe(kRigheListaPreparata);
    lista.svuotaDati();
}

void CaricaListaMete(Archivio& archivio, Griglia& lista) {
    Griglia::Aggiornamento blocco(lista);
    RowSet rs = archivio.dati().apriRowSet(
        Query::di(archivio.nome(TabMeteCamper)).ordina(QStringLiteral("Localita")));
    for (int r = 1; !rs.fine(); rs.successivo(), ++r)
        ScriviRiga(lista, r, rs.testo(QStringLiteral("Localita")), rs.testo(QStringLiteral("Nazione")),
                   rs.testo(QStringLiteral("CodiceMeta")));
}

void CaricaListaFile(const QList<MetaNelFile>& mete, Griglia& lista) {
    Griglia::Aggiornamento blocco(lista);
    for (int i = 0; i < mete.size(); ++i)
        ScriviRiga(lista, i + 1, mete[i].localita, mete[i].nazione, mete[i].codice);
    if (lista.righe() < mete.size() + 3) lista.impostaRighe(static_cast<int>(mete.size()) + 3);
}

int RiordinaLista(Griglia& lista) {
    const int libera = PrimaRigaLibera(lista);
    lista.impostaRighe(libera);
    for (int r = 1; r < libera; ++r) lista.impostaTesto(r, 0, QString::number(r));
    return libera - 1;
}

QStringList CodiciLista(const Griglia& lista) {
    QStringList codici;
    for (int r = 1; r < PrimaRigaLibera(lista); ++r) codici << lista.testo(r, kColonnaCodice);
    return codici;
}

bool TrasferisceMeta(Griglia& da, Griglia& a, int riga) {
    if (riga < 1 || riga >= da.righe() || da.testo(riga, kColonnaLocalita).isEmpty()) return false;
    const int libera = PrimaRigaLibera(a);
    if (libera >= a.righe()) a.impostaRighe(libera + 1);
    for (int c = 1; c < kColonneLista; ++c) a.impostaTesto(libera, c, da.testo(riga, c));
    a.impostaTesto(libera, 0, QString::number(libera));
    da.rimuoviRighe(riga, 1);
    return true;
}

void TrasferisceTutte(Griglia& da, Griglia& a, Progresso& progresso) {
    Griglia::Aggiornamento bloccoDa(da);
    Griglia::Aggiornamento bloccoA(a);
    progresso.didascalia(QStringLiteral("Lettura mète"));
    const int totale = PrimaRigaLibera(da) - 1;
    for (int n = 1; TrasferisceMeta(da, a, 1); ++n) progresso.posizione(n, totale);
    progresso.azzera();
}

QString DidascaliaTuttiDestra(int mete) {
    return QStringLiteral("[%1] Tutti --->").arg(mete);
}

QString DidascaliaTuttiSinistra(int mete) {
    return QStringLiteral("<--- Tutti [%1]").arg(mete);
}

QString TestoAiutoScambio() {
    const QStringList righe{
        QStringLiteral("Informazioni sulle funzioni di Import ed Export:"),
        QString(),
        QStringLiteral("ESPORTA"),
        QStringLiteral("   Selezionare, cliccando, sulla finestra di sinistra, le mète da esportare;"),
        QStringLiteral("   Selezionare, cliccando, sulla finestra di destra, le mète da non esportare;"),
        QStringLiteral(
            "   ESPORTA: esporta le mète elencate nella finestra di destra in un file (seguire istruzioni)."),
        QString(),
        QStringLiteral("IMPORT"),
        QStringLiteral("   Ricercare il file con estensione .iei"),
        QStringLiteral("   Selezionare, cliccando, sulla finestra di sinistra, le mète da importare;"),
        QStringLiteral("   Selezionare, cliccando, sulla finestra di destra, le mète da non importare;"),
        QStringLiteral("   IMPORTA: importa le mète selezionate;"),
        QStringLiteral("   Sono escluse le mète presenti in archivio (stessa località);"),
        QStringLiteral("   sono importati i dati delle singole mète, itinerari ed informazioni di guida."),
        QString(),
        QStringLiteral("Funzioni comuni IMPORT EXPORT:"),
        QStringLiteral("   [nn] TUTTI ->: seleziona tutte le mète della finestra di sinistra;"),
        QStringLiteral("   <- TUTTI [nn]: seleziona tutte le mète della finestra di destra;"),
        QString(),
        QStringLiteral("RINUNCIA: rinuncia alla funzione richiesta."),
    };
    QString testo;
    for (const QString& r : righe) testo += r + QStringLiteral("\r\n");
    return testo;
}
