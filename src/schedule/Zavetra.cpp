#include "schedule/Zavetra.h"

#include <algorithm>
#include <cmath>

#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Progresso.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "database/Archivio.h"
#include "database/NomiCampi.h"
#include "database/Schema.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/KmTempi.h"
#include "schedule/Adattamento.h"
#include "schedule/Motore.h"
#include "schedule/Percentuale.h"
#include "schedule/RigheZavetra.h"
#include "schedule/TabellaCalcolo.h"
#include "trips/Parametri.h"

namespace {

const QString kTitolo = QStringLiteral("Calcolo Zavetra");
using nomi::kCodiceMeta;
using nomi::kCoefficiente;

// An input the engine cannot compute with: the text of the message, or "".
QString ControllaIngressi(const BoxMeta& box) {
    static const char* const strade[] = {"autostrada", "superstrada", "strada principale", "strada locale"};
    for (int i = 0; i < 4; ++i) {
        const double v = Valore(box.cmbMediaKm[i]);
        if (v <= 0)
            return QStringLiteral(
                       "Velocità media nulla per %1: impossibile calcolare la Zavetra.\r\n"
                       "Indicare una velocità maggiore di 0 km/h.")
                .arg(QString::fromLatin1(strade[i]));
        // A crawl cuts every leg into kilometre pieces: millions of rows for one long trip.
        if (v < kVelocitaMinima)
            return QStringLiteral(
                       "Velocità media troppo bassa per %1: impossibile calcolare la Zavetra.\r\n"
                       "Indicare una velocità di almeno %2 km/h.")
                .arg(QString::fromLatin1(strade[i]))
                .arg(kVelocitaMinima);
    }
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

// What the fitting works with once the inputs are read.
struct Preparazione {
    ParametriMotore p;
    TotaliSoste soste;
    QList<RigaCalcolo> tabella;
    qint16 minimi = 0;       // the fewest days the driving alone needs
    float fermataStima = 0;  // the halts the first estimate of the coefficient counts
    float coefficiente = 1;  // the stored coefficient, where the fitting starts
};

// The state of the fitting: the coefficient under test, its step and the days.
struct Adattamento {
    float coefficiente = 1;
    float passo = 0.5f;
    bool ripartito = false;
    qint16 usati = 0;
    qint16 desiderati = 0;
    int contatore = 0;
    int passi = 0;
    bool scritto = false;  // the last pass wrote the grid (a single pass without fitting)
};

enum class FineGiro { Concluso, Riparti, Interrotto, TroppeRighe };

QString MessaggioTroppeRighe(int righeMassime) {
    return QStringLiteral(
               "Il calcolo supera %1 righe di Zavetra: impossibile calcolare la Zavetra.\r\n"
               "Controllare le velocità, le pause e le distanze dell'itinerario.")
        .arg(Formato(righeMassime, QStringLiteral("#,##0")));
}

// The parameter check, the leg times and the computation table; the error text, or "" when the
// fitting can start.
QString Prepara(const RichiestaZavetra& r, BoxMeta& b, Griglia& tab, Griglia& copia, Percentuale& perc,
                Preparazione& prep) {
    ParametriMotore& p = prep.p;
    p.v = ControllaVariabiliConvertite(b);
    for (int i = 0; i < 4; ++i) p.velocita[i] = static_cast<float>(Valore(b.cmbMediaKm[i]));
    if (p.v.ArcoGuida <= 0)
        return QStringLiteral(
            "Orari di colazione, pasti e notte senza tempo di guida: "
            "impossibile calcolare la Zavetra.");

    Database& db = r.archivio.dati();
    QString memorizzato;
    RisultatoKmTempi kmTempi;
    try {
        // One read transaction: the file is locked once for every read of the preparation rather
        // than once per statement.
        Database::Transazione lettura(db);
        kmTempi = CalcolaKmTempiItinerario(tab, p.velocita, p.v.ArcoGuida, p.v.GiorniDesiderati);
        TabellaCalcolo tabella =
            PreparaTabellaPerCalcoloZavetra(db, tab, copia, p.v, ModoSoste(b.cmbSoste), r.tipi, perc);
        prep.soste = tabella.totali;
        prep.tabella = std::move(tabella.righe);
        memorizzato = LeggiCoefficiente(db, r.archivio.nome(TabMeteCamper), r.codiceMeta);
        lettura.conferma();
    } catch (const ErroreDatabase& err) {
        perc.AzzeraPercentuale();
        return err.messaggio();
    }
    if (prep.soste.fermata > 0 && p.v.ArcoVisita <= 0) {
        perc.AzzeraPercentuale();
        return QStringLiteral(
            "Orario di visita senza durata (inizio uguale alla fine): "
            "impossibile calcolare soste e visite.");
    }

    p.tolleranza = Tolleranza(b.cmbRange);
    const float tempoGuida = ghmStringa2Centesimi(
        ghmCentesimi2Stringa(kmTempi.Totali[kQuantitaTempo][kTotaleStrade], p.v.ArcoGuida), p.v.ArcoGuida);
    prep.minimi = static_cast<qint16>(std::max(1.0f, std::floor(tempoGuida / p.v.ArcoGuida + 0.99f)));
    // Only the first estimate of the coefficient leaves the halts out when the days cannot suffice.
    prep.fermataStima = prep.minimi > p.v.GiorniDesiderati ? 0.0f : prep.soste.fermata;
    memorizzato.replace(QLatin1Char(','), QLatin1Char('.'));
    prep.coefficiente = static_cast<float>(Valore(memorizzato));
    return {};
}

// One round of engine passes, each with the next coefficient, until the days fit, no fitting is
// asked or the tests run out.  A stored coefficient that does not fit at the first test asks for
// one fresh round from an estimate instead.  A test of the fitting only measures its days (which
// test is kept is known only after it ran); a computation without fitting writes its one pass.
FineGiro GiroDiTest(Preparazione& prep, BoxMeta& b, Adattamento& a, Griglia& tab, StatoMotore& s,
                    Progresso& progresso, Percentuale& perc) {
    ParametriMotore& p = prep.p;
    a.contatore = 0;
    p.v = Aggiorna(b);
    p.testoRipM = b.cmbRipM;
    a.desiderati = p.v.GiorniDesiderati;
    do {
        if (a.contatore > 0) {
            if (a.contatore == 1 && a.coefficiente != 1 && !a.ripartito) {
                a.ripartito = true;
                a.passo = 0.5f;
                a.coefficiente = static_cast<float>(
                    Valore(StimaCoefficiente(prep.fermataStima, prep.minimi, p.v.ArcoGuida, a.desiderati)));
                return FineGiro::Riparti;
            }
            ProssimoCoefficiente(a.coefficiente, a.passo, a.desiderati, a.usati);
        }
        if (prep.soste.fermata == 0) a.desiderati = 0;
        if (a.desiderati == 0) a.coefficiente = 1;
        ++a.contatore;
        progresso.didascalia(Didascalia(a.contatore, a.usati, a.desiderati, a.coefficiente));
        a.scritto = a.desiderati == 0;
        EsitoPassaggio esito;
        if (a.scritto) {
            ScritturaGriglia scrittura(tab);
            esito = EseguiPassaggio(p, a.coefficiente, a.desiderati, prep.tabella, scrittura, s, perc);
        } else {
            MisuraPassaggio misura;
            esito = EseguiPassaggio(p, a.coefficiente, a.desiderati, prep.tabella, misura, s, perc);
        }
        ++a.passi;
        if (esito.interrotto) return FineGiro::Interrotto;
        if (esito.troppeRighe) return FineGiro::TroppeRighe;
        a.usati = esito.giorniUsati;
    } while (a.desiderati != 0 && a.usati != a.desiderati && a.contatore < kTentativiMassimi);
    return FineGiro::Concluso;
}

// The kept test of a fit runs once more with its coefficient, writing the grid, to the table's end:
// a fit that gave up may have stopped its last test at the desired days, and the grid and the end
// date show the whole schedule.  Tests counted and the closing message stay those of the fit.
FineGiro ScriviPassaggioScelto(Preparazione& prep, Adattamento& a, Griglia& tab, StatoMotore& s,
                               Percentuale& perc) {
    ScritturaGriglia scrittura(tab);
    const EsitoPassaggio completo =
        EseguiPassaggio(prep.p, a.coefficiente, 0, prep.tabella, scrittura, s, perc);
    ++a.passi;
    if (completo.interrotto) return FineGiro::Interrotto;
    if (completo.troppeRighe) return FineGiro::TroppeRighe;
    a.usati = completo.giorniUsati;
    return FineGiro::Concluso;
}

// The arrival mark, the daily summaries, the totals and the computed boxes of the last pass.
void CompletaGriglia(const ParametriMotore& p, StatoMotore& s, Griglia& tab, BoxMeta& b, Percentuale& perc) {
    ScriviArrivo(tab, s);
    ScriviTotali(tab, ScriviRiepiloghiGiornalieri(tab, s.riga), p.v.ArcoGuida);
    tab.impostaRigaInAlto(1);
    perc.AzzeraPercentuale();
    RimuoviRigheVuote(tab);
    MostraRisultatiPassaggio(p, s, b);
}

QString MessaggioFinale(const Adattamento& a) {
    if (a.usati == a.desiderati)
        return QStringLiteral("Elaborazione conclusa in ") + QString::number(a.contatore) +
               QStringLiteral(" tentativi!");
    return QStringLiteral("Elaborazione impossibile! (tentativi effettuati n. ") +
           QString::number(a.contatore) + QLatin1Char(')');
}

}  // namespace

EsitoZavetra CalcolaZavetra(const RichiestaZavetra& r) {
    EsitoZavetra e;
    e.box = r.box;
    Percentuale perc(r.progresso, r.dialoghi);
    if (r.zavetraMostrata) {
        e.ripristinato = true;
        perc.AzzeraPercentuale();
        return e;
    }
    if (const QString errore = ControllaIngressi(r.box); !errore.isEmpty())
        return Errore(e, errore, r.dialoghi);

    // The computation works on copies: an input found impossible on the way, a database failure or
    // a stop request leave the boxes, the grids and the stored trip as they were.
    BoxMeta b = r.box;
    Griglia tab(r.mfgTab);
    Griglia copia(r.mfgCopia);
    Preparazione prep;
    prep.p.righeMassime = r.righeMassime;
    if (const QString errore = Prepara(r, b, tab, copia, perc, prep); !errore.isEmpty())
        return Errore(e, errore, r.dialoghi);

    Adattamento a;
    a.coefficiente = prep.coefficiente;
    StatoMotore s;
    FineGiro fine;
    do {
        fine = GiroDiTest(prep, b, a, tab, s, r.progresso, perc);
        e.passi = a.passi;
    } while (fine == FineGiro::Riparti);
    if (fine == FineGiro::Concluso && !a.scritto) {
        fine = ScriviPassaggioScelto(prep, a, tab, s, perc);
        e.passi = a.passi;
    }
    if (fine == FineGiro::Interrotto) {
        perc.AzzeraPercentuale();
        e.interrotto = true;
        return e;
    }
    if (fine == FineGiro::TroppeRighe) {
        perc.AzzeraPercentuale();
        return Errore(e, MessaggioTroppeRighe(prep.p.righeMassime), r.dialoghi);
    }

    e.tentativi = a.contatore;
    e.coefficiente = a.coefficiente;
    e.coefficienteTesto = TestoCoefficiente(a.coefficiente);
    e.giorniUsati = a.usati;
    e.giorniDesiderati = a.desiderati;
    if (a.coefficiente != 1) {
        try {
            e.coefficienteMemorizzato = ScriviCoefficiente(r.archivio.dati(), r.archivio.nome(TabMeteCamper),
                                                           r.codiceMeta, e.coefficienteTesto);
        } catch (const ErroreDatabase& err) {
            perc.AzzeraPercentuale();
            return Errore(e, err.messaggio(), r.dialoghi);
        }
    }

    CompletaGriglia(prep.p, s, tab, b, perc);
    r.mfgTab = std::move(tab);
    r.mfgCopia = std::move(copia);
    r.box = b;
    e.box = b;
    e.eseguito = true;

    if (r.chiamante != Chiamante::Stampa && a.desiderati > 0) {
        e.messaggio = MessaggioFinale(a);
        r.dialoghi.messaggio({e.messaggio, kTitolo, Pulsanti::Ok, Icona::Informazione});
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
