#include "reports/StampaZavetra.h"

#include <QRegularExpression>

#include "common/Date.h"
#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Progresso.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "printing/Superficie.h"

namespace {

const QString kLarghezzeColonne = QStringLiteral("06,48,18,08,05,10,10,10,10,08,08,08,20,03,08");
const QString kAllineamentiRiga = QStringLiteral("201212111111000");
const QString kCrLf = QStringLiteral("\r\n");
constexpr int kColonneTabella = 13;
constexpr double kSizeRiga = 9;
constexpr float kFinePagina = 285;
// Road numbers: shrunk by 0.3 points down to 7, then two lines at 6.5 points.
constexpr double kPassoStrada = 0.3;
constexpr double kMinimoStradaUnaRiga = 7;
constexpr double kSizeStradaDueRighe = 6.5;
// Extra lines of a note (rest notes, daily summaries) at 7 points, 3 mm apart.
constexpr double kSizeNotaExtra = 7;
constexpr double kPassoNotaExtra = 3;

enum ColonnaTabella { ColLocalita = 2, ColStrada = 3, ColSosta = 9, ColNote = 13 };

// The group of a visit ("> Gruppo * Descrizione"): printed larger, the description after it.
void StampaLocalitaConGruppo(Superficie& s, const QString& t, qsizetype stella, double y, double da,
                             double fine) {
    QString gruppo = Trim(t.left(stella));
    while (gruppo.startsWith(QLatin1Char('>'))) gruppo = Trim(gruppo.mid(1));
    const QString resto = Trim(t.mid(stella + 1));
    double dopoGruppo = da;
    if (!gruppo.isEmpty()) {
        StampaTesto(s, gruppo, y, da, fine, false, false, 10, Allineamento::Sinistra);
        dopoGruppo = da + s.larghezzaTesto(gruppo) + 2;
    }
    StampaTesto(s, resto, y, dopoGruppo, fine, false, false, kSizeRiga, Allineamento::Sinistra);
}

// A ferry locality: the place in its band's left part, the crossing after it in italic.
void StampaLocalitaTraghetto(Superficie& s, const QString& t, qsizetype tr, double y, double da, double a) {
    const QString nome = Trim(t.left(tr));
    const QString traghetto = Trim(t.mid(tr));
    s.impostaGrassetto(false);
    s.impostaCorsivo(false);
    s.impostaDimensione(kSizeRiga);
    const double fineNome = std::min(da + s.larghezzaTesto(nome) + 1.5, da + (a - da) * 0.6);
    StampaTesto(s, nome, y, da, fineNome, false, false, kSizeRiga, Allineamento::Sinistra);
    StampaTesto(s, traghetto, y, fineNome, a, false, true, kSizeNotaExtra, Allineamento::Sinistra);
}

// The locality cell.  fine is where the next printed cell of the row begins: a visit's group and
// description may use the empty columns up to it.
void StampaLocalita(Superficie& s, const QString& cella, double y, double da, double a, double fine) {
    const QString t = PrimoMaiuscolo(cella, false);
    const qsizetype stella = t.indexOf(QLatin1Char('*'));
    if (stella >= 0) return StampaLocalitaConGruppo(s, t, stella, y, da, fine);
    const qsizetype tr = t.indexOf(QLatin1String("(Tr"), 0, Qt::CaseInsensitive);
    if (tr > 0) return StampaLocalitaTraghetto(s, t, tr, y, da, a);
    StampaTesto(s, t, y, da, a, false, false, kSizeRiga, Allineamento::Sinistra);
}

// Road numbers are centred 0.4 mm up; a long one is shrunk, and below 7 points it goes on two
// lines at 6.5 points, split at the first space from its middle on, moving the band's left edge
// for a half that is still too wide.
void StampaNumeroStrada(Superficie& s, const QString& t, double y, double da, double a) {
    double size = kSizeRiga;
    s.impostaGrassetto(false);
    s.impostaCorsivo(false);
    s.impostaDimensione(size);
    while (s.larghezzaTesto(t) > a - da && size >= kMinimoStradaUnaRiga) {
        size -= kPassoStrada;
        s.impostaDimensione(size);
    }
    qsizetype spazio = t.indexOf(QLatin1Char(' '), t.size() / 2);
    if (spazio < 0) spazio = t.lastIndexOf(QLatin1Char(' '));
    if (size >= kMinimoStradaUnaRiga || spazio <= 0) {
        StampaTesto(s, t, y - 0.4, da, a, false, false, std::max(size, kSizeStradaDueRighe),
                    Allineamento::Centro);
        return;
    }
    const QString prima = Trim(t.left(spazio));
    const QString seconda = Trim(t.mid(spazio + 1));
    s.impostaDimensione(kSizeStradaDueRighe);
    double sinistra = da;
    for (const QString& meta : {prima, seconda})
        sinistra = std::min(sinistra, a - s.larghezzaTesto(meta) - 1.5);
    StampaTesto(s, prima, y - 1.85, sinistra, a, false, false, kSizeStradaDueRighe, Allineamento::Centro);
    StampaTesto(s, seconda, y + 0.2, sinistra, a, false, false, kSizeStradaDueRighe, Allineamento::Centro);
}

// The pieces of a note: the note itself with a leading rest ("Riposo 15'") apart, then every
// ";"-separated part of its bracketed summaries, without the brackets.
QStringList PezziNota(const QString& nota) {
    static const QRegularExpression riposo(QStringLiteral("^(.*Riposo[^']*')(.*)$"));
    const qsizetype parentesi = nota.indexOf(QLatin1Char('['));
    const QString testo = parentesi < 0 ? nota : nota.left(parentesi);
    QStringList pezzi;
    const QRegularExpressionMatch m = riposo.match(testo);
    if (m.hasMatch())
        pezzi << m.captured(1) << m.captured(2);
    else
        pezzi << testo;
    if (parentesi >= 0) {
        static const QRegularExpression tra(QStringLiteral("\\[([^\\]]*)\\]?"));
        for (auto it = tra.globalMatch(nota, parentesi); it.hasNext();)
            pezzi << it.next().captured(1).split(QLatin1Char(';'));
    }
    QStringList puliti;
    for (const QString& p : pezzi)
        if (!Trim(p).isEmpty()) puliti << Trim(p);
    return puliti;
}

// The notes: the first piece on the row's line, the others below it.  Returns the extra lines.
int StampaNote(Superficie& s, const QString& nota, double y, double da, double a) {
    const QStringList pezzi = PezziNota(nota);
    const bool corsivo = nota.contains(QLatin1String("Riposo"));
    for (qsizetype i = 0; i < pezzi.size(); ++i)
        StampaTesto(s, pezzi.at(i), y + i * kPassoNotaExtra, da, a, false, corsivo,
                    i == 0 ? kSizeRiga : kSizeNotaExtra, Allineamento::Sinistra);
    return std::max<int>(0, static_cast<int>(pezzi.size()) - 1);
}

QString Ora(const QString& ore, const QString& minuti) {
    return Zero(ore, 2) + QLatin1Char(':') + Zero(minuti, 2);
}

// The characteristics block: headings, label and value lines, and the notes column on the right.
class Blocco {
  public:
    Blocco(Superficie& s, StatoStampa& stato) : s_(s), stato_(stato), y_(stato.rigaCorrente + 4) {}
    void titolo(const QString& t) {
        y_ += 1.5;
        StampaTesto(s_, t, y_, 15, 200, true, true, 9, Allineamento::Sinistra);
        y_ += 4;
    }
    // A label and its value ending at fine, and the notes at 166 and 186.
    void riga(const QString& etichetta, const QString& valore, double fine, const QString& nota1 = {},
              const QString& nota2 = {}) {
        StampaTesto(s_, etichetta, y_, 20, 60, false, false, 8, Allineamento::Sinistra);
        StampaTesto(s_, valore, y_, 60, fine + 3, false, false, 8, Allineamento::Destra);
        StampaTesto(s_, nota1, y_, 166, 186, false, false, 7, Allineamento::Sinistra);
        StampaTesto(s_, nota2, y_, 186, 205, false, false, 7, Allineamento::Sinistra);
        y_ += 3.6;
    }
    // A line of columns, each text ending at its x.
    void colonne(const QString& etichetta, const QStringList& testi, const QList<double>& fini,
                 bool grassetto) {
        StampaTesto(s_, etichetta, y_, 20, 60, grassetto, false, 8, Allineamento::Sinistra);
        for (qsizetype i = 0; i < testi.size(); ++i)
            StampaTesto(s_, testi.at(i), y_, fini.at(i) - 25, fini.at(i) + 3, grassetto, false, 8,
                        Allineamento::Destra);
        y_ += 3.6;
    }
    void chiudi() { stato_.rigaCorrente = static_cast<float>(y_ + 2); }

  private:
    Superficie& s_;
    StatoStampa& stato_;
    double y_;
};

}  // namespace

void CalcolaBordiZavetra(StatoStampa& stato) {
    stato.numeroColonne = 14;
    stato.bordi.fill(0);
    stato.bordi[1] = 12;
    for (int i = 1; i <= kColonneTabella; ++i)
        stato.bordi[static_cast<size_t>(i + 1)] =
            stato.bordi[static_cast<size_t>(i)] + kLarghezzeColonne.mid(3 * i - 3, 2).toFloat();
    stato.bordi[15] = stato.bordi[13];
    stato.bordi[14] = 200;
    stato.arrotondaBordi();
}

void StampaRigaZavetra(Superficie& s, StatoStampa& stato, const Griglia& mfgTab, int r) {
    const double y = stato.rigaCorrente;
    int righeExtra = 0;
    for (int c = 1; c <= kColonneTabella; ++c) {
        const QString t = Trim(mfgTab.testo(r, c - 1));
        if (t.isEmpty()) continue;
        const double da = stato.bordo(c);
        const double a = stato.bordo(c + 1);
        if (c == ColLocalita) {
            int prossima = c + 1;
            while (prossima <= kColonneTabella && Trim(mfgTab.testo(r, prossima - 1)).isEmpty()) ++prossima;
            StampaLocalita(s, t, y, da, a, stato.bordo(std::min(prossima, stato.numeroColonne)));
        } else if (c == ColStrada) {
            StampaNumeroStrada(s, t, y, da, a);
        } else if (c == ColNote) {
            righeExtra = StampaNote(s, t, y, da, a);
        } else {
            StampaTesto(s, t, y, da, a, false, c == ColSosta, kSizeRiga,
                        AllineamentoDaCifra(kAllineamentiRiga.at(c - 1)));
        }
    }
    stato.rigaCorrente += stato.altezzaRiga + static_cast<float>(righeExtra * kPassoNotaExtra);
}

QString PeriodoMeta(const BoxMeta& box) {
    return Data2Data(Gma2Data(box.cmbInizio[0], box.cmbInizio[1], box.cmbInizio[2])) + QStringLiteral(" - ") +
           Data2Data(Gma2Data(box.txtFine[0], box.txtFine[1], box.txtFine[2]));
}

void StampaCaratteristiche(Superficie& s, StatoStampa& stato, const BoxMeta& box) {
    Blocco b(s, stato);
    b.titolo(QStringLiteral("Periodo del viaggio:"));
    b.riga(QStringLiteral("Inizio:"),
           Data2Data(Gma2Data(box.cmbInizio[0], box.cmbInizio[1], box.cmbInizio[2])) + QStringLiteral(" - ") +
               box.txtInizioGSett + QStringLiteral(" alle ore ") + Ora(box.cmbInizio[3], box.cmbInizio[4]),
           125);
    b.riga(QStringLiteral("Fine:"),
           Data2Data(Gma2Data(box.txtFine[0], box.txtFine[1], box.txtFine[2])) + QStringLiteral(" - ") +
               box.txtFine[5] + QStringLiteral(" alle ore ") + Ora(box.txtFine[3], box.txtFine[4]),
           125);
    b.riga(QString(),
           QStringLiteral("dopo ") + Trim(box.txtFine[6]) + QStringLiteral(" giorni e ") +
               Trim(box.txtKmTot[4]) + QStringLiteral(" Km."),
           125);

    b.titolo(QStringLiteral("Percorrenze:"));
    const QList<double> fini{75, 100, 125};
    b.colonne(QString(), {QStringLiteral("km/h"), QStringLiteral("Km."), QStringLiteral("Tempo")}, fini,
              true);
    const QStringList strade{QStringLiteral("Autostrada"), QStringLiteral("Superstrada"),
                             QStringLiteral("Strada principale"), QStringLiteral("Strada locale")};
    for (int i = 0; i < 4; ++i) {
        const auto k = static_cast<size_t>(i);
        b.colonne(strade.at(i), {box.cmbMediaKm[k], box.txtKmTot[k], box.txtTempo[k]}, fini, false);
    }
    b.colonne(QStringLiteral("Totale"), {QString(), box.txtKmTot[4], box.txtTempo[4]}, fini, true);
    b.riga(QString(), QStringLiteral("(sono previsti ") + Trim(box.txtTragh) + QStringLiteral(" traghetti)"),
           125);

    b.titolo(QStringLiteral("Tempi tecnici giornalieri/Riposi/Visite:"));
    b.riga(QStringLiteral("Orari attività"), QString(), 130, QStringLiteral("Riposi"));
    b.riga(QStringLiteral("Colazione"), Ora(box.cmbOra[0], box.cmbMin[0]), 130,
           QStringLiteral("Pausa: ") + Trim(box.cmbRipM) + QStringLiteral(" minuti"),
           QStringLiteral("ogni ") + Trim(box.cmbRipH) + QStringLiteral(" ore;"));
    b.riga(QStringLiteral("Pranzo"),
           Ora(box.cmbOra[1], box.cmbMin[1]) + QStringLiteral(" (Pausa: ") +
               Ora(box.cmbOra[4], box.cmbMin[4]) + QLatin1Char(')'),
           130, QStringLiteral("Riposo: ") + Trim(box.cmbRipG) + QStringLiteral(" giorni"),
           QStringLiteral("ogni ") + Trim(box.cmbRipGG) + QStringLiteral(" gg."));
    b.riga(QStringLiteral("Cena"),
           Ora(box.cmbOra[2], box.cmbMin[2]) + QStringLiteral(" (Pausa: ") +
               Ora(box.cmbOra[5], box.cmbMin[5]) + QLatin1Char(')'),
           130);
    b.riga(QStringLiteral("Notte"),
           QStringLiteral("Dalle ") + Ora(box.cmbOra[3], box.cmbMin[3]) + QStringLiteral(" alle ") +
               Ora(box.cmbOra[0], box.cmbMin[0]),
           130);
    b.riga(QStringLiteral("Visite"),
           QStringLiteral("Dalle ") + Ora(box.cmbOra[6], box.cmbMin[6]) + QStringLiteral(" alle ") +
               Ora(box.cmbOra[7], box.cmbMin[7]),
           130);
    b.riga(QStringLiteral("Traghetti"), Ora(box.cmbOra[8], box.cmbMin[8]), 130);
    b.riga(QStringLiteral("Arrotondamento orari"), QString(), 130,
           QStringLiteral("Minuti: ") + Trim(box.cmbRange) + QStringLiteral(" minuti"));
    b.chiudi();
}

EsitoStampa StampaDellItinerario(const OpzioniStampa& opzioni, Superficie& s, const Griglia& mfgTab,
                                 const DatiStampa& dati, Dialoghi& dialoghi, Progresso& progresso) {
    EsitoStampa esito;
    StatoStampa stato;
    CalcolaBordiZavetra(stato);
    if (opzioni.usaStampante()) SettaFontNamePrinter(s);
    const QString didascalia = QStringLiteral("Stampa della Zavetra");
    progresso.didascalia(didascalia);
    const DatiPagina pagina{dati.box.txtLocalita, dati.box.txtNazione, dati.titoloFinestra, dati.oggi};
    const QString periodo = PeriodoMeta(dati.box);
    if (opzioni.chkFrontespizio)
        StampaFrontespizio(s, 1, dati.box.txtLocalita, opzioni.chkVociFrontespizio, periodo);
    if (opzioni.chkTabella)
        StampaFrontespizio(s, 0, dati.box.txtLocalita, opzioni.chkVociFrontespizio, periodo);

    const int ultima = mfgTab.righe() - 1;
    stato.abbandona = !s.errore().isEmpty();
    for (int r = 1; r <= ultima && !stato.abbandona; ++r) {
        stato.arrotondaBordi();
        progresso.posizione(r, ultima);
        if (opzioni.chkTabella) {
            if (stato.rigaCorrente >= kFinePagina) {
                StampaFinePagina(s, stato, pagina);
                bool primo = r == 1;
                StampaIntestaPagina(s, stato, pagina, primo,
                                    [&] { StampaCaratteristiche(s, stato, dati.box); });
                ++esito.pagine;
                progresso.didascalia(didascalia + QStringLiteral(" (pag. ") +
                                     QString::number(s.numeroPagina()) + QLatin1Char(')'));
            }
            StampaRigaZavetra(s, stato, mfgTab, r);
        }
        dialoghi.eseguiEventi();
        stato.abbandona = !s.errore().isEmpty();
    }

    esito.file = ScriviFileZavetra(mfgTab, dati.box.txtLocalita, dati.cartellaDati);
    progresso.azzera();
    if (opzioni.chkTabella) StampaFinePagina(s, stato, pagina);
    if (opzioni.chkTabella || opzioni.chkFrontespizio) s.fineDocumento();
    if (!s.errore().isEmpty()) {
        s.abbandonaDocumento();
        esito.stampaRiuscita = false;
        esito.erroreStampa = s.errore();
    }
    const bool moduli = opzioni.chkModuli && dati.avviaModuli && dati.avviaModuli(dati.box);

    if (!esito.stampaRiuscita) {
        dialoghi.avviso(QStringLiteral("Stampa non riuscita: ") + esito.erroreStampa, kTitoloStampa,
                        Icona::Critico);
    } else {
        QString riepilogo;
        if (opzioni.chkTabella) riepilogo = QStringLiteral("Zavetra ");
        if (opzioni.chkTabella && moduli) riepilogo += QStringLiteral(" e ") + kCrLf;
        if (moduli) riepilogo += QStringLiteral("Moduli per Lunoro");
        if (!riepilogo.isEmpty())
            dialoghi.avviso(QStringLiteral("Stampa ") + riepilogo + QStringLiteral(" completata..."),
                            kTitoloStampa);
    }
    if (esito.file.riuscito())
        dialoghi.avviso(MessaggioFileScritti(esito.file), kTitoloStampa);
    else
        dialoghi.avviso(esito.file.errore, kTitoloStampa, Icona::Critico);
    return esito;
}
