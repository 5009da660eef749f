#include "itinerary/DuplicaTappe.h"

#include <algorithm>
#include <cstdlib>

#include "common/Griglia.h"
#include "common/Testo.h"
#include "database/Archivio.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/ModificaTappe.h"

namespace {

const QString kCodiceMeta = QStringLiteral("CodiceMeta");

// Prepares a layout on an emptied grid of one header row.
void PreparaLista(Griglia& mfgCopia, int layout) {
    Griglia::Aggiornamento lotto(mfgCopia);
    mfgCopia.impostaRighe(1);
    ImpostaGriglia(mfgCopia, layout);
    mfgCopia.svuotaDati();
}

// The grid holds exactly the header and n rows (and never less than one empty row to click).
void ChiudiLista(Griglia& mfgCopia, int n) {
    mfgCopia.impostaRighe(std::max(2, n + 1));
    mfgCopia.impostaRiga(1);
    mfgCopia.impostaRigaInAlto(1);
}

int NumeroRigaLista(const QString& testo) {
    return static_cast<int>(Valore(testo));
}

}  // namespace

int RigaInserimentoDuplica(const Griglia& mfgTab) {
    return UltimaRigaTappa(mfgTab) + 1;
}

int CaricaElencoMete(Archivio& archivio, Griglia& mfgCopia) {
    Database& db = archivio.dati();
    const QString tappe = archivio.nome(TabItinerari);
    Griglia::Aggiornamento lotto(mfgCopia);
    PreparaLista(mfgCopia, LayoutElencoMete);
    mfgCopia.impostaColonne(ColMetaCodice + 1);
    mfgCopia.impostaLarghezzaColonna(ColMetaCodice, 0);

    RowSet mete = db.apriRowSet(Query::di(archivio.nome(TabMeteCamper)).ordina(QStringLiteral("Localita")));
    int n = 0;
    QString ultimoOfferto;
    for (; !mete.fine(); mete.successivo()) {
        const QString nome = Trim(mete.testo(QStringLiteral("Localita")));
        // Compared with the last trip offered, so that a first namesake without legs does not
        // hide a later one that has them.
        if (n > 0 && UgualeTesto(nome, ultimoOfferto)) continue;
        const QString codice = mete.testo(kCodiceMeta);
        if (db.conta(Query::di(tappe).dove(kCodiceMeta, codice)) == 0) continue;
        ++n;
        ultimoOfferto = nome;
        if (mfgCopia.righe() <= n) mfgCopia.impostaRighe(n + 1);
        mfgCopia.impostaTesto(n, ColMetaNumero, QString::number(n));
        mfgCopia.impostaTesto(n, ColMetaLocalita, mete.testo(QStringLiteral("Localita")));
        mfgCopia.impostaTesto(n, ColMetaNazione, mete.testo(QStringLiteral("Nazione")));
        mfgCopia.impostaTesto(n, ColMetaCodice, codice);
    }
    ChiudiLista(mfgCopia, n);
    return n;
}

int CaricaTappeAltraMeta(Archivio& archivio, Griglia& mfgCopia, const QString& codiceMeta) {
    Griglia::Aggiornamento lotto(mfgCopia);
    PreparaLista(mfgCopia, LayoutTappeAltraMeta);
    RowSet rs = archivio.dati().apriRowSet(Query::di(archivio.nome(TabItinerari))
                                               .dove(kCodiceMeta, codiceMeta)
                                               .ordina(QStringLiteral("Sequenza")));
    int n = 0;
    for (; !rs.fine(); rs.successivo()) {
        ++n;
        if (mfgCopia.righe() <= n) mfgCopia.impostaRighe(n + 1);
        const bool fineGiorno = Trim(rs.testo(QStringLiteral("FineGiorno"))) == QLatin1String("1");
        mfgCopia.impostaTesto(n, ColAltraSequenza, rs.testo(QStringLiteral("Sequenza")));
        mfgCopia.impostaTesto(n, ColAltraLocalita, rs.testo(QStringLiteral("Localita")));
        mfgCopia.impostaTesto(n, ColAltraStrada, Trim(rs.testo(QStringLiteral("NomeStrada"))));
        mfgCopia.impostaTesto(
            n, ColAltraKm, Formato(Valore(rs.testo(QStringLiteral("Chilometri"))), QStringLiteral("#,###")));
        mfgCopia.impostaTesto(n, ColAltraTipo, Trim(rs.testo(QStringLiteral("TipoStrada"))));
        mfgCopia.impostaTesto(n, ColAltraSosta,
                              Trim((fineGiorno ? QStringLiteral("*") : QStringLiteral(" ")) +
                                   rs.testo(QStringLiteral("TempoSosta"))));
    }
    ChiudiLista(mfgCopia, n);
    return n;
}

void AssegnaTappa(const Griglia& mfgCopia, int indice, TrattoDuplica& tratto) {
    if (indice < 0 || indice > 1) return;
    const int r = mfgCopia.riga();
    if (r < 1 || mfgCopia.testo(r, ColAltraLocalita).isEmpty()) return;
    tratto.txtInsLoc[indice] = mfgCopia.testo(r, ColAltraLocalita);
    tratto.txtInsNS[indice] = mfgCopia.testo(r, ColAltraStrada);
    tratto.txtInsKm[indice] = mfgCopia.testo(r, ColAltraKm);
    // The list's row number, not the stored sequence: the list is what a and b walk.
    tratto.txtInsNum[indice] = QString::number(r);
}

EstremiTratto EstremiDuplica(const Griglia& mfgCopia, const TrattoDuplica& tratto) {
    const int ultima = UltimaRigaTappa(mfgCopia);
    if (ultima < 1) return {};
    int a = NumeroRigaLista(tratto.txtInsNum[0]);
    int b = NumeroRigaLista(tratto.txtInsNum[1]);
    if (Trim(tratto.txtInsNum[0]).isEmpty()) a = b;
    if (Trim(tratto.txtInsNum[1]).isEmpty()) b = a;
    return {std::clamp(a, 1, ultima), std::clamp(b, 1, ultima)};
}

bool SelezioneTappeDuplica(Griglia& mfgCopia, const TrattoDuplica& tratto) {
    const EstremiTratto e = EstremiDuplica(mfgCopia, tratto);
    if (e.a > 0) SelezioneGriglia(mfgCopia, std::min(e.a, e.b), std::max(e.a, e.b), 0, 6);
    return !Trim(tratto.txtInsNum[0]).isEmpty() && !Trim(tratto.txtInsNum[1]).isEmpty();
}

int InserisciTratto(Griglia& mfgTab, int& rigaCorrente, const Griglia& mfgCopia, int a, int b, bool soste) {
    if (a < 1 || b < 1) return 0;
    const int n = std::abs(b - a) + 1;
    const int passo = a <= b ? 1 : -1;
    Griglia::Aggiornamento lotto(mfgTab);
    rigaCorrente = std::clamp(rigaCorrente, 1, mfgTab.righe());
    if (!mfgTab.testo(rigaCorrente, ColTappa).isEmpty()) ++rigaCorrente;
    InserisciRigheItinerario(mfgTab, rigaCorrente, n);

    int r = rigaCorrente;
    for (int i = a;; i += passo, ++r) {
        const int strada = passo > 0 ? i : i + 1;
        mfgTab.impostaTesto(r, ColNumero, QString::number(r));
        mfgTab.impostaTesto(r, ColTappa, mfgCopia.testo(i, ColAltraLocalita));
        mfgTab.impostaTesto(r, ColStrada, mfgCopia.testo(strada, ColAltraStrada));
        mfgTab.impostaTesto(r, ColKm, mfgCopia.testo(strada, ColAltraKm));
        mfgTab.impostaTesto(r, ColTipoStrada, mfgCopia.testo(strada, ColAltraTipo));
        const QString sosta = soste ? mfgCopia.testo(i, ColAltraSosta) : QString();
        const bool fineGiorno = sosta.startsWith(QLatin1Char('*'));
        mfgTab.impostaTesto(r, ColSosta, sosta);
        mfgTab.impostaTesto(r, ColFineGiorno, fineGiorno ? QStringLiteral("1") : QStringLiteral("0"));
        mfgTab.impostaColoreSfondo(r, ColSosta,
                                   fineGiorno ? std::optional<Colore>(kColoreFineGiorno) : std::nullopt);
        if (i == b) break;
    }
    return n;
}

QString LuogoInserimento(const Griglia& mfgTab, int rigaCorrente) {
    const int dopo = mfgTab.testo(rigaCorrente, ColTappa).isEmpty() ? rigaCorrente - 1 : rigaCorrente;
    return dopo >= 1 ? mfgTab.testo(dopo, ColTappa) : QStringLiteral("(inizio itinerario)");
}

QString AiutoDuplica() {
    return QStringList{
        QStringLiteral("Informazioni sulla duplicazione di tratti stradali da altri itinerari:"),
        QStringLiteral(
            "Ricercare la tappa iniziale e selezionarla, quindi cliccare su 'ASSEGNA TAPPA INIZIALE';"),
        QStringLiteral(
            "Ricercare la tappa finale e selezionarla, quindi cliccare su 'ASSEGNA TAPPA FINALE';"),
        QStringLiteral("L'assegnazione determina il senso del percorso."),
        QStringLiteral("Se si desidera copiare anche le soste, spuntare la casella INSERIRE ANCHE LE SOSTE."),
        QStringLiteral("INSERISCE PERCORSO: inserisce il tratto stradale selezionato dopo la località"),
        QStringLiteral("indicata nel form."),
        QStringLiteral("Ricordarsi di verificare la distanza della prima tappa duplicata!"),
    }
        .join(QStringLiteral("\r\n"));
}
