#include "logbook/CicloStampa.h"

#include <QDir>

#include "common/Date.h"
#include "common/Dialoghi.h"
#include "common/File1252.h"
#include "common/Progresso.h"
#include "printing/Superficie.h"

namespace {
const QString kInBianco = QStringLiteral("in bianco");
}

DatiModuli PreparaModuli(const RichiestaModuli& r) {
    DatiModuli d;
    d.datati = !r.bianco;
    d.crediti = RigaCrediti();
    if (!d.datati) {
        d.destinazione = kInBianco;
        d.periodo = kInBianco;
        d.pagine = r.copie;
        return d;
    }
    const QString inizio = Gma2Data(r.giorno1, r.mese1, r.anno1);
    const QString fine = Gma2Data(r.giorno2, r.mese2, r.anno2);
    d.destinazione = r.destinazione;
    d.periodo = Data2Data(inizio).left(5) + QStringLiteral(" - ") + Data2Data(fine);
    d.giornoIniziale = static_cast<int>(Data2Giul(inizio));
    d.pagine = static_cast<int>(Data2Giul(fine)) - d.giornoIniziale + 1;
    return d;
}

QString DomandaModuli(const DatiModuli& d) {
    const QChar cr(13);
    return QStringLiteral("Predisposizione per la stampa") + cr + cr + QStringLiteral("Destinazione: . . ") +
           d.destinazione + cr + QStringLiteral("Periodo: . . . . . . . ") + d.periodo + cr +
           QStringLiteral("Pagine: . . . . . . . . ") + QString::number(d.pagine) + cr + cr +
           QStringLiteral("Vuoi stampare i moduli per il Lunoro?");
}

bool ScriviMarcatore(const QString& cartella) {
    return ScriviRighe1252(QDir(cartella).filePath(kFileFineStampa), {QStringLiteral("Fatto")});
}

EsitoCiclo CiclodiStampa(Superficie& s, const DatiModuli& d, bool conComando, Dialoghi& dialoghi,
                         Progresso& progresso, const QString& cartellaMarcatore) {
    EsitoCiclo esito;
    esito.confermato = conComando || dialoghi.domanda(DomandaModuli(d), kTitoloModuli);
    if (esito.confermato) {
        kestrin::SettaFontNamePrinter(s);
        const GeometriaModuli g = GeometriaModuli::da(s.altezzaStampabile());
        progresso.posizione(0, d.pagine);
        StampaCopertina(s, g, d);
        s.nuovaPagina();
        progresso.didascalia(kStampaInCorso);
        for (int p = 1; p <= d.pagine && s.errore().isEmpty(); ++p) {
            progresso.posizione(p, d.pagine);
            StampaPaginaGiorno(s, g, d, p);
            esito.pagineGiorno = p;
            if (progresso.stopRichiesto()) {
                s.abbandonaDocumento();
                esito.annullato = true;
                break;
            }
            s.nuovaPagina();
        }
        if (!esito.annullato) {
            // A failed job is discarded by the surface, so no half-written PDF is left.
            if (!s.fineDocumento())
                esito.errore = s.errore().isEmpty() ? QStringLiteral("La stampa dei moduli non è riuscita.")
                                                    : s.errore();
        }
        progresso.didascalia({});
        progresso.azzera();
    }
    if (!cartellaMarcatore.isEmpty()) esito.marcatoreScritto = ScriviMarcatore(cartellaMarcatore);
    return esito;
}
