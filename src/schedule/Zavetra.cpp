#include "schedule/Zavetra.h"

#include <algorithm>
#include <cmath>

#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Progresso.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "database/Archivio.h"
#include "database/Schema.h"
#include "itinerary/GrigliaItinerario.h"
#include "schedule/Adattamento.h"
#include "schedule/KmTempi.h"
#include "schedule/Motore.h"
#include "schedule/Percentuale.h"
#include "schedule/RigheZavetra.h"
#include "schedule/TabellaCalcolo.h"
#include "trips/Parametri.h"

namespace {

const QString kTitolo = QStringLiteral("Calcolo Zavetra");
const QString kCoefficiente = QStringLiteral("Coefficiente");
const QString kCodiceMeta = QStringLiteral("CodiceMeta");

// An input the engine cannot compute with: the text of the message, or "".
QString ControllaIngressi(const BoxMeta& box) {
    static const char* const strade[] = {"autostrada", "superstrada", "strada principale", "strada locale"};
    for (int i = 0; i < 4; ++i)
        if (Valore(box.cmbMediaKm[i]) <= 0)
            return QStringLiteral(
                       "Velocità media nulla per %1: impossibile calcolare la Zavetra.\r\n"
                       "Indicare una velocità maggiore di 0 km/h.")
                .arg(QString::fromLatin1(strade[i]));
    return {};
}

QString LeggiCoefficiente(Database& db, const QString& tabella, const QString& codice) {
    RowSet rs = db.apriRowSet(Query::di(tabella).dove(kCodiceMeta, codice));
    if (rs.fine()) return {};
    return rs.testo(kCoefficiente);
}

bool ScriviCoefficiente(Database& db, const QString& tabella, const QString& codice, const QString& testo) {
    RowSet rs = db.apriRowSet(Query::di(tabella).dove(kCodiceMeta, codice));
    if (rs.fine()) return false;
    rs.modifica();
    rs.imposta(kCoefficiente, testo);
    rs.memorizza();
    return true;
}

EsitoZavetra Errore(EsitoZavetra e, const QString& testo, Dialoghi& dialoghi) {
    e.errore = testo;
    dialoghi.messaggio({testo, kTitolo, Pulsanti::Ok, Icona::Critico});
    return e;
}

QString Didascalia(int contatore, qint16 usati, qint16 desiderati, float coefficiente) {
    QString t = QStringLiteral("Calcolo della Zavetra, test n. ") + QString::number(contatore) +
                QLatin1Char('/') + QString::number(kTentativiMassimi);
    if (usati > 0)
        t += QStringLiteral(" [") + QString::number(usati) + QLatin1Char('/') + QString::number(desiderati) +
             QStringLiteral("*I=") + TestoCoefficiente(coefficiente) + QLatin1Char(']');
    return t;
}

// A fit that gave up may have stopped its last pass at the desired days: that pass runs again to
// the table's end with the same coefficient, so the grid and the end date show the whole schedule.
// Tests counted and the closing message stay those of the fit.
EsitoPassaggio CompletaPassaggioTroncato(const ParametriMotore& p, float coefficiente,
                                         const QList<RigaCalcolo>& tabella, Griglia& tab, StatoMotore& s,
                                         Percentuale& perc) {
    return EseguiPassaggio(p, coefficiente, 0, tabella, tab, s, perc);
}

}  // namespace

EsitoZavetra CalcolaZavetra(Archivio& archivio, BoxMeta& box, const QString& codiceMeta, Griglia& mfgTab,
                            Griglia& mfgCopia, const TabellaTipiGuida& tipi, Progresso& progresso,
                            Dialoghi& dialoghi, Chiamante chiamante, bool zavetraMostrata) {
    EsitoZavetra e;
    e.box = box;
    Percentuale perc(progresso, dialoghi);
    if (zavetraMostrata) {
        e.ripristinato = true;
        perc.AzzeraPercentuale();
        return e;
    }
    if (const QString errore = ControllaIngressi(box); !errore.isEmpty()) return Errore(e, errore, dialoghi);

    // The computation works on copies: an input found impossible on the way, a database failure or
    // a stop request leave the boxes, the grids and the stored trip as they were.
    BoxMeta b = box;
    Griglia tab(mfgTab);
    Griglia copia(mfgCopia);
    Database& db = archivio.dati();
    const QString tabellaMete = archivio.nome(TabMeteCamper);

    ParametriMotore p;
    p.v = ControllaVariabiliConvertite(b);
    for (int i = 0; i < 4; ++i) p.velocita[i] = static_cast<float>(Valore(b.cmbMediaKm[i]));
    if (p.v.ArcoGuida <= 0)
        return Errore(e,
                      QStringLiteral("Orari di colazione, pasti e notte senza tempo di guida: "
                                     "impossibile calcolare la Zavetra."),
                      dialoghi);

    TotaliSoste soste;
    QString memorizzato;
    RisultatoKmTempi kmTempi;
    try {
        kmTempi = CalcolaKmTempiItinerario(tab, p.velocita, p.v.ArcoGuida, p.v.GiorniDesiderati);
        soste = PreparaTabellaPerCalcoloZavetra(db, tab, copia, p.v, ModoSoste(b.cmbSoste), tipi, perc);
        memorizzato = LeggiCoefficiente(db, tabellaMete, codiceMeta);
    } catch (const ErroreDatabase& err) {
        perc.AzzeraPercentuale();
        return Errore(e, err.messaggio(), dialoghi);
    }
    if (soste.fermata > 0 && p.v.ArcoVisita <= 0) {
        perc.AzzeraPercentuale();
        return Errore(e,
                      QStringLiteral("Orario di visita senza durata (inizio uguale alla fine): "
                                     "impossibile calcolare soste e visite."),
                      dialoghi);
    }

    p.tolleranza = Tolleranza(b.cmbRange);
    const float tempoGuida = ghmStringa2Centesimi(
        ghmCentesimi2Stringa(kmTempi.Totali[kQuantitaTempo][kTotaleStrade], p.v.ArcoGuida), p.v.ArcoGuida);
    const auto minimi = static_cast<qint16>(std::max(1.0f, std::floor(tempoGuida / p.v.ArcoGuida + 0.99f)));
    // Only the first estimate of the coefficient leaves the halts out when the days cannot suffice.
    const float fermataStima = minimi > p.v.GiorniDesiderati ? 0.0f : soste.fermata;

    memorizzato.replace(QLatin1Char(','), QLatin1Char('.'));
    float passo = 0.5f;
    float coefficiente = static_cast<float>(Valore(memorizzato));
    bool ripartito = false;
    qint16 usati = 0;
    qint16 desiderati = 0;
    int contatore = 0;
    bool troncato = false;
    StatoMotore s;
    const QList<RigaCalcolo> tabella = LeggiTabellaCalcolo(copia);
    for (bool riparti = true; riparti;) {
        riparti = false;
        contatore = 0;
        p.v = Aggiorna(b);
        p.testoRipM = b.cmbRipM;
        desiderati = p.v.GiorniDesiderati;
        do {
            if (contatore > 0) {
                // A stored coefficient that did not fit: one fresh start from an estimate.
                if (contatore == 1 && coefficiente != 1 && !ripartito) {
                    ripartito = true;
                    memorizzato = StimaCoefficiente(fermataStima, minimi, p.v.ArcoGuida, desiderati);
                    passo = 0.5f;
                    coefficiente = static_cast<float>(Valore(memorizzato));
                    riparti = true;
                    break;
                }
                ProssimoCoefficiente(coefficiente, passo, desiderati, usati);
            }
            if (soste.fermata == 0) desiderati = 0;
            if (desiderati == 0) coefficiente = 1;
            ++contatore;
            progresso.didascalia(Didascalia(contatore, usati, desiderati, coefficiente));
            const EsitoPassaggio esito = EseguiPassaggio(p, coefficiente, desiderati, tabella, tab, s, perc);
            ++e.passi;
            if (esito.interrotto) {
                perc.AzzeraPercentuale();
                e.interrotto = true;
                return e;
            }
            usati = esito.giorniUsati;
            troncato = esito.troncato;
        } while (desiderati != 0 && usati != desiderati && contatore < kTentativiMassimi);
    }
    if (troncato) {
        const EsitoPassaggio completo = CompletaPassaggioTroncato(p, coefficiente, tabella, tab, s, perc);
        ++e.passi;
        if (completo.interrotto) {
            perc.AzzeraPercentuale();
            e.interrotto = true;
            return e;
        }
        usati = completo.giorniUsati;
    }

    e.tentativi = contatore;
    e.coefficiente = coefficiente;
    e.coefficienteTesto = TestoCoefficiente(coefficiente);
    e.giorniUsati = usati;
    e.giorniDesiderati = desiderati;
    if (coefficiente != 1) {
        try {
            e.coefficienteMemorizzato = ScriviCoefficiente(db, tabellaMete, codiceMeta, e.coefficienteTesto);
        } catch (const ErroreDatabase& err) {
            perc.AzzeraPercentuale();
            return Errore(e, err.messaggio(), dialoghi);
        }
    }

    ScriviArrivo(tab, s);
    ScriviTotali(tab, ScriviRiepiloghiGiornalieri(tab, s.riga), p.v.ArcoGuida);
    tab.impostaRigaInAlto(1);
    perc.AzzeraPercentuale();
    RimuoviRigheVuote(tab);
    MostraRisultatiPassaggio(p, s, b);

    mfgTab = tab;
    mfgCopia = copia;
    box = b;
    e.box = b;
    e.eseguito = true;

    if (chiamante != Chiamante::Stampa && desiderati > 0) {
        e.messaggio = usati == desiderati
                          ? QStringLiteral("Elaborazione conclusa in ") + QString::number(contatore) +
                                QStringLiteral(" tentativi!")
                          : QStringLiteral("Elaborazione impossibile! (tentativi effettuati n. ") +
                                QString::number(contatore) + QLatin1Char(')');
        dialoghi.messaggio({e.messaggio, kTitolo, Pulsanti::Ok, Icona::Informazione});
    }
    return e;
}

bool cmdAzzeraSoste_Click(Griglia& mfgTab, Dialoghi& dialoghi) {
    const QString testo =
        QStringLiteral(
            "Vuoi azzerare le soste indicate nell'itinerario?\r\n\r\n"
            "I tempi traghetto e riposi non sono influenzati e la\r\n") +
        QString::fromUtf8("cancellazione sarà effettiva dopo il salvataggio dell'itinerario.") +
        QStringLiteral("\r\n\r\nProcedo?");
    if (!dialoghi.domanda(testo, QStringLiteral("Azzera soste itinerario"))) return false;
    Griglia::Aggiornamento lotto(mfgTab);
    for (int r = 1; r < mfgTab.righe(); ++r) mfgTab.impostaTesto(r, ColSosta, QString());
    return true;
}
