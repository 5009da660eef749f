#include "reports/StampaGuida.h"

#include "common/Dialoghi.h"
#include "common/Progresso.h"
#include "common/Testo.h"
#include "database/Archivio.h"
#include "database/Schema.h"
#include "guide/GuidaCitta.h"
#include "printing/Loghi.h"
#include "printing/Superficie.h"

namespace {

constexpr float kFinePaginaGuida = 280;
constexpr double kSizeGuida = 8;
constexpr Colore kColoreTitoli = 0xC0FFC0;  // pale green
const QString kLocalita = QStringLiteral("Localita");

void BordiGuida(StatoStampa& stato, bool soloLocalita) {
    stato.numeroColonne = 6;
    stato.bordi.fill(0);
    stato.bordi[1] = 5;
    if (soloLocalita) {
        for (int c = 2; c <= 6; ++c)
            stato.bordi[static_cast<size_t>(c)] = stato.bordi[static_cast<size_t>(c - 1)] + 38;
    } else {
        const QString larghezze = QStringLiteral(" 40 15 15110 15");
        for (int c = 2; c <= 6; ++c)
            stato.bordi[static_cast<size_t>(c)] =
                stato.bordi[static_cast<size_t>(c - 1)] + larghezze.mid(3 * (c - 2), 3).trimmed().toFloat();
    }
    stato.arrotondaBordi();
}

QStringList TitoliGuida(bool soloLocalita) {
    if (soloLocalita) return QStringList(5, QStringLiteral("Località"));
    return {QStringLiteral("Località"), QStringLiteral("Tipo"), QStringLiteral("Gruppo"),
            QStringLiteral("Descrizione"), QStringLiteral("Sosta")};
}

class StampaGuida {
  public:
    StampaGuida(Superficie& s, const TabellaTipiGuida& tipi, const OpzioniStampaGuida& o,
                const QString& titolo, const DatiPagina& pagina)
        : s_(s), tipi_(tipi), opzioni_(o), titolo_(titolo), pagina_(pagina) {
        BordiGuida(stato_, o.soloLocalita);
    }

    void nome(const QString& localita) {
        controllaPagina();
        StampaTesto(s_, localita, stato_.rigaCorrente, stato_.bordo(slot_), stato_.bordo(slot_ + 1), false,
                    false, kSizeGuida, Allineamento::Sinistra);
        if (++slot_ == stato_.numeroColonne) {
            regola();
            avanza();
            slot_ = 1;
        }
    }

    void voce(const VoceGuida& v, bool prima) {
        controllaPagina();
        const double y = stato_.rigaCorrente;
        if (prima)
            StampaTesto(s_, v.localita, y, stato_.bordo(1), stato_.bordo(2), true, false, kSizeGuida,
                        Allineamento::Sinistra);
        const QStringList campi{NomeTipoGuida(tipi_, static_cast<int>(Valore(v.codiceGuida))), v.gruppo,
                                v.descrizione, v.tempoSosta};
        for (int i = 0; i < campi.size(); ++i)
            StampaTesto(s_, campi.at(i), y, stato_.bordo(i + 2), stato_.bordo(i + 3), false, i == 0,
                        kSizeGuida, Allineamento::Sinistra);
        regola();
        avanza();
    }

    // After a locality the detailed printout leaves a blank line; names move only with a full line.
    void fineLocalita() {
        if (!opzioni_.soloLocalita) avanza();
    }

    void chiudi() {
        if (opzioni_.soloLocalita && slot_ > 1) regola();
        StampaFinePagina(s_, stato_, pagina_);
    }

  private:
    void controllaPagina() {
        if (stato_.rigaCorrente < kFinePaginaGuida) return;
        StampaFinePagina(s_, stato_, pagina_);
        intestazione();
    }
    void intestazione() {
        SettaFontNamePrinter(s_);
        stato_.rigaCorrente = 15;
        s_.impostaSpessoreLinea(3);
        s_.immagine(LogoSito(), 10, 5, 12, 12);
        const int ultima = stato_.numeroColonne;
        StampaTesto(s_, titolo_, stato_.rigaCorrente, stato_.bordo(2), stato_.bordo(ultima), true, false, 10,
                    Allineamento::Centro);
        stato_.rigaCorrente += stato_.altezzaRiga + 3;
        s_.impostaColoreRiempimento(kColoreTitoli);
        s_.impostaRiempimento(Riempimento::Pieno);
        const QStringList titoli = TitoliGuida(opzioni_.soloLocalita);
        const double y = stato_.rigaCorrente;
        for (int c = 1; c < ultima; ++c) {
            s_.linea(stato_.bordo(c), y, stato_.bordo(c + 1), y + 6, true);
            StampaTesto(s_, titoli.value(c - 1), y + 5, stato_.bordo(c), stato_.bordo(c + 1), true, false, 8,
                        Allineamento::Centro);
        }
        s_.impostaRiempimento(Riempimento::Trasparente);
        stato_.rigaCorrente = static_cast<float>(y + 6) + stato_.altezzaRiga;
        slot_ = 1;
    }
    void regola() {
        s_.impostaSpessoreLinea(1);
        s_.linea(stato_.bordo(1) - 2, stato_.rigaCorrente + 0.8, stato_.bordo(stato_.numeroColonne),
                 stato_.rigaCorrente + 0.8);
    }
    void avanza() { stato_.rigaCorrente += stato_.altezzaRiga; }

    Superficie& s_;
    const TabellaTipiGuida& tipi_;
    OpzioniStampaGuida opzioni_;
    QString titolo_;
    DatiPagina pagina_;
    StatoStampa stato_;
    int slot_ = 1;
};

}  // namespace

QStringList LocalitaDaStampare(Archivio& archivio, const OpzioniStampaGuida& opzioni,
                               const QString& codiceMeta) {
    QStringList localita;
    Database& db = archivio.dati();
    if (opzioni.tutte) {
        for (RowSet rs = db.apriRowSet(Query::di(archivio.nome(TabGuidaCitta)).ordina(kLocalita)); !rs.fine();
             rs.successivo()) {
            const QString l = Trim(rs.testo(kLocalita));
            if (!l.isEmpty() && (localita.isEmpty() || !UgualeTesto(localita.last(), l))) localita << l;
        }
        return localita;
    }
    for (RowSet rs = db.apriRowSet(Query::di(archivio.nome(TabItinerari))
                                       .dove(QStringLiteral("CodiceMeta"), codiceMeta)
                                       .ordina(QStringLiteral("Sequenza")));
         !rs.fine(); rs.successivo()) {
        const QString nome = RiPulisceNomeLocalita(rs.testo(kLocalita));
        if (nome.isEmpty() || localita.contains(nome, Qt::CaseInsensitive)) continue;
        if (db.conta(
                Query::di(archivio.nome(TabGuidaCitta)).like(kLocalita, LikeTesto(nome) + QLatin1Char('*'))) >
            0)
            localita << nome;
    }
    return localita;
}

QString TitoloGuida(const OpzioniStampaGuida& opzioni, const QString& localitaMeta) {
    QString t = QStringLiteral("Guida Città: - ") + (opzioni.soloLocalita ? kSoloLocalita : kLocalitaEGuida) +
                QStringLiteral(" - ") + (opzioni.tutte ? kTutte : kInerentiMeta);
    if (!opzioni.tutte) t += QStringLiteral(": ") + localitaMeta;
    return t.remove(QLatin1Char('&'));
}

EsitoStampaGuida StampaDelleMete(Superficie& s, Archivio& archivio, const TabellaTipiGuida& tipi,
                                 const OpzioniStampaGuida& opzioni, const QString& codiceMeta,
                                 const DatiPagina& pagina, Dialoghi& dialoghi, Progresso& progresso) {
    EsitoStampaGuida esito;
    const QString didascalia = QStringLiteral("Stampa della guida citta");
    progresso.didascalia(didascalia);
    const QStringList localita = LocalitaDaStampare(archivio, opzioni, codiceMeta);
    StampaGuida stampa(s, tipi, opzioni, TitoloGuida(opzioni, pagina.localita), pagina);
    const QString tabella = archivio.nome(TabGuidaCitta);
    for (qsizetype i = 0; i < localita.size() && s.errore().isEmpty(); ++i) {
        progresso.posizione(static_cast<int>(i + 1), static_cast<int>(localita.size()));
        const QString& l = localita.at(i);
        if (opzioni.soloLocalita) {
            stampa.nome(l);
        } else {
            RowSet rs = archivio.dati().apriRowSet(Query::di(tabella)
                                                       .like(kLocalita, LikeTesto(l) + QLatin1Char('*'))
                                                       .ordina(QStringLiteral("CodiceGuida")));
            for (bool prima = true; !rs.fine(); rs.successivo(), prima = false)
                stampa.voce(
                    {Trim(rs.testo(kLocalita)), rs.testo(QStringLiteral("CodiceGuida")),
                     Trim(rs.testo(QStringLiteral("Gruppo"))), Trim(rs.testo(QStringLiteral("Descrizione"))),
                     Trim(rs.testo(QStringLiteral("TempoSosta"))), QString()},
                    prima);
        }
        stampa.fineLocalita();
        ++esito.localita;
        progresso.didascalia(didascalia + QStringLiteral(" (pag. ") + QString::number(s.numeroPagina()) +
                             QLatin1Char(')'));
        dialoghi.eseguiEventi();
    }
    progresso.azzera();
    if (!localita.isEmpty()) {
        stampa.chiudi();
        s.fineDocumento();
    }
    if (!s.errore().isEmpty()) {
        s.abbandonaDocumento();
        esito.errore = s.errore();
        dialoghi.avviso(QStringLiteral("Stampa non riuscita: ") + esito.errore,
                        QStringLiteral("Stampa guida"), Icona::Critico);
    }
    return esito;
}
