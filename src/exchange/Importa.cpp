#include "exchange/Importa.h"

#include <QFile>
#include <QSet>

#include "common/Conferma.h"
#include "common/Dialoghi.h"
#include "common/Progresso.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "database/Archivio.h"

namespace {

const QString kCodiceMeta = QStringLiteral("CodiceMeta");
const QString kLocalita = QStringLiteral("Localita");
const QString kDescrizione = QStringLiteral("Descrizione");
constexpr int kPassoProgresso = 64;

bool HaJolly(const QString& modello) {
    return modello.contains(QLatin1Char('*')) || modello.contains(QLatin1Char('?'));
}

// Texts matched by LIKE patterns, kept in memory: a pattern without wildcards is one hash look-up.
class TestiLike {
  public:
    void aggiungi(const QString& testo) {
        const QString p = Piegato(testo);
        if (!esatti_.contains(p)) {
            esatti_.insert(p);
            elenco_ << p;
        }
    }
    bool corrisponde(const QString& modello) const {
        if (!HaJolly(modello)) return esatti_.contains(Piegato(modello));
        for (const QString& t : elenco_)
            if (CorrispondeLike(t, modello)) return true;
        return false;
    }

  private:
    QSet<QString> esatti_;
    QStringList elenco_;
};

// A guide entry belongs to the legs whose locality has, letter for letter (A to Z, ignoring
// case), the entry's locality: every other character of the entry matches any one character.
// The legs' localities are also taken without their qualifier and marker ("Oslo [Start]").
QString Forma(const QString& localita) {
    QString f = localita;
    for (QChar& c : f) {
        const char16_t u = c.unicode();
        if (u >= 'a' && u <= 'z')
            c = QChar(u - 'a' + 'A');
        else if (!(u >= 'A' && u <= 'Z'))
            c = QLatin1Char('?');
    }
    return f;
}

class LocalitaTappe {
  public:
    void aggiungi(const QString& localita) {
        if (viste_.contains(localita)) return;
        viste_.insert(localita);
        aggiungiForma(Forma(localita));
        aggiungiForma(Forma(ChiaveLocalita(localita)));
    }
    bool contiene(const QString& localitaGuida) const {
        const QString modello = Forma(localitaGuida);
        if (forme_.contains(modello)) return true;
        for (const QString& f : perLunghezza_.value(modello.size())) {
            bool uguale = true;
            for (qsizetype i = 0; i < f.size() && uguale; ++i)
                uguale = modello[i] == QLatin1Char('?') || modello[i] == f[i];
            if (uguale) return true;
        }
        return false;
    }

  private:
    void aggiungiForma(const QString& f) {
        if (f.isEmpty() || forme_.contains(f)) return;
        forme_.insert(f);
        perLunghezza_[f.size()] << f;
    }
    QSet<QString> viste_;
    QSet<QString> forme_;
    QHash<qsizetype, QStringList> perLunghezza_;
};

// One table being written: the row set to add rows through, and for each field the file column
// that carries it (-1: none).
struct Destinazione {
    RowSet rs;
    QList<Campo> campi;
    QList<int> colonne;
    int colonnaCodice = -1;
    int iCodice = -1;
    int iLocalita = -1;
    int iDescrizione = -1;

    Destinazione(Database& db, const QString& tabella, const Blocco& blocco)
        : rs(db.apriRowSet(Query::di(tabella).dove(QStringLiteral("rowid"), -1))), campi(db.campi(tabella)) {
        for (const Campo& c : campi) colonne << blocco.colonna(c.nome);
        colonnaCodice = blocco.colonna(kCodiceMeta);
        iCodice = indice(kCodiceMeta);
        iLocalita = indice(kLocalita);
        iDescrizione = indice(kDescrizione);
    }

    // The trimmed text of a field by position, cut to its width; empty without the field.
    QString testoCampo(const RigaScambio& r, int i) const { return i >= 0 ? testoTagliato(r, i) : QString(); }

    QString testo(const RigaScambio& r, int colonna) const {
        return colonna >= 0 && colonna < r.valori.size() ? Trim(r.valori[colonna]) : QString();
    }
    QString codice(const RigaScambio& r) const { return testo(r, colonnaCodice); }

    // The text as it will be stored in field i: cut to the field's width.
    QString testoTagliato(const RigaScambio& r, int i, qint64* tagliati = nullptr) const {
        QString t = testo(r, colonne[i]);
        const int larghezza = campi[i].larghezza;
        if (larghezza > 0 && t.size() > larghezza) {
            t.truncate(larghezza);
            if (tagliati) ++*tagliati;
        }
        return t;
    }

    // Adds the row; the field CodiceMeta, when given, takes nuovoCodice.
    void aggiungi(const RigaScambio& r, const QString& nuovoCodice, qint64& tagliati) {
        rs.aggiungi();
        for (int i = 0; i < campi.size(); ++i) {
            const Campo& c = campi[i];
            if (!nuovoCodice.isNull() && i == iCodice) {
                rs.imposta(i, nuovoCodice);
                continue;
            }
            switch (c.tipo) {
                case TipoCampo::Testo: {
                    const QString t = testoTagliato(r, i, &tagliati);
                    rs.imposta(i, t.isEmpty() ? QStringLiteral(" ") : t);
                    break;
                }
                case TipoCampo::SiNo:
                    if (colonne[i] >= 0) rs.imposta(i, Valore(testo(r, colonne[i])) != 0);
                    break;
                case TipoCampo::Intero:
                case TipoCampo::Singolo:
                case TipoCampo::Doppio:
                    rs.imposta(i, Valore(testo(r, colonne[i])));
                    break;
                case TipoCampo::Data:
                case TipoCampo::Byte:
                    break;
            }
        }
        rs.memorizza();
    }

    int indice(const QString& nome) const {
        for (int i = 0; i < campi.size(); ++i)
            if (UgualeTesto(campi[i].nome, nome)) return i;
        return -1;
    }
};

enum class StatoMeta { Attesa, Inserita, Scartata };

struct Scelta {
    QString nuovo;
    StatoMeta stato = StatoMeta::Attesa;
};

// Reads a text column of every row of a table.
QStringList Colonna(Database& db, const QString& tabella, const QString& campo) {
    QStringList testi;
    RowSet rs = db.apriTabella(tabella);
    const int i = [&] {
        for (int k = 0; k < rs.numeroCampi(); ++k)
            if (UgualeTesto(rs.nomeCampo(k), campo)) return k;
        return -1;
    }();
    if (i < 0) return testi;
    for (; !rs.fine(); rs.successivo()) testi << rs.testo(i);
    return testi;
}

int UltimaRiga(const ContenutoScambio& c) {
    int ultima = 0;
    for (const Blocco& b : c.blocchi) {
        ultima = std::max(ultima, b.rigaIntestazione);
        if (!b.righe.isEmpty()) ultima = std::max(ultima, b.righe.back().numero);
    }
    return ultima;
}

class Importazione {
  public:
    Importazione(Archivio& archivio, const ContenutoScambio& contenuto, Progresso& progresso)
        : archivio_(archivio),
          db_(archivio.dati()),
          contenuto_(contenuto),
          progresso_(progresso),
          ultimaRiga_(UltimaRiga(contenuto)) {}

    ContiImport esegui(const QStringList& scelti) {
        for (const auto& [codice, nuovo] : MappaCodici(archivio_, scelti)) scelte_.insert(codice, {nuovo});
        Database::Transazione transazione(db_);
        progresso_.didascalia(QStringLiteral("Importazione mète"));
        const int riga = contenuto_.blocchi[BloccoMete].rigaIntestazione;
        try {
            CaricaEsistenti();
            for (int b = 0; b < kBlocchiScambio; ++b)
                if (contenuto_.blocchi[b].presente) ImportaBlocco(b);
        } catch (const ErroreDatabase& e) {
            throw ErroreImport(rigaCorrente_ ? rigaCorrente_ : riga, e.messaggio());
        }
        transazione.conferma();
        progresso_.azzera();
        return conti_;
    }

  private:
    void CaricaEsistenti() {
        for (const QString& l : Colonna(db_, archivio_.nome(TabMeteCamper), kLocalita))
            localitaMete_.aggiungi(l);
        for (const QString& l : Colonna(db_, archivio_.nome(TabItinerari), kLocalita))
            localitaTappe_.aggiungi(l);
        RowSet rs = db_.apriTabella(archivio_.nome(TabGuidaCitta));
        for (; !rs.fine(); rs.successivo())
            guida_[Piegato(rs.testo(kLocalita))].aggiungi(rs.testo(kDescrizione));
    }

    void ImportaBlocco(int b) {
        static const int tabelle[kBlocchiScambio] = {TabMeteCamper, TabItinerari, TabGuidaCitta};
        const Blocco& blocco = contenuto_.blocchi[b];
        const QString tabella = archivio_.nome(tabelle[b]);
        rigaCorrente_ = blocco.rigaIntestazione;
        progresso_.didascalia(QStringLiteral("Importazione ") + tabella);
        Destinazione d(db_, tabella, blocco);
        for (const RigaScambio& r : blocco.righe) {
            rigaCorrente_ = r.numero;
            if (r.numero % kPassoProgresso == 0) progresso_.posizione(r.numero, ultimaRiga_);
            if (b == BloccoMete)
                ImportaMeta(d, r);
            else if (b == BloccoTappe)
                ImportaTappa(d, r);
            else
                ImportaGuida(d, r);
        }
        progresso_.posizione(ultimaRiga_, ultimaRiga_);
    }

    void ImportaMeta(Destinazione& d, const RigaScambio& r) {
        auto it = scelte_.find(d.codice(r));
        if (it == scelte_.end() || it->stato != StatoMeta::Attesa) return;
        const QString localita = d.testoCampo(r, d.iLocalita);
        if (localitaMete_.corrisponde(LikeTesto(localita))) {
            it->stato = StatoMeta::Scartata;
            ++conti_.meteScartate;
            return;
        }
        d.aggiungi(r, it->nuovo, conti_.valoriTagliati);
        localitaMete_.aggiungi(localita.isEmpty() ? QStringLiteral(" ") : localita);
        it->stato = StatoMeta::Inserita;
        ++conti_.meteInserite;
    }

    void ImportaTappa(Destinazione& d, const RigaScambio& r) {
        auto it = scelte_.constFind(d.codice(r));
        if (it == scelte_.constEnd() || it->stato != StatoMeta::Inserita) return;
        d.aggiungi(r, it->nuovo, conti_.valoriTagliati);
        if (d.iLocalita >= 0) localitaTappe_.aggiungi(d.testoCampo(r, d.iLocalita));
        ++conti_.tappeInserite;
    }

    void ImportaGuida(Destinazione& d, const RigaScambio& r) {
        const QString localita = d.testoCampo(r, d.iLocalita);
        if (localita.isEmpty() || !localitaTappe_.contiene(localita)) return;
        const QString descrizione = d.testoCampo(r, d.iDescrizione);
        TestiLike& gia = guida_[Piegato(localita)];
        if (gia.corrisponde(LikeTesto(descrizione.isEmpty() ? QStringLiteral(" ") : descrizione))) {
            ++conti_.guideScartate;
            return;
        }
        d.aggiungi(r, QString(), conti_.valoriTagliati);
        gia.aggiungi(descrizione.isEmpty() ? QStringLiteral(" ") : descrizione);
        ++conti_.guideInserite;
    }

    Archivio& archivio_;
    Database& db_;
    const ContenutoScambio& contenuto_;
    Progresso& progresso_;
    const int ultimaRiga_;
    int rigaCorrente_ = 0;
    ContiImport conti_;
    QHash<QString, Scelta> scelte_;
    TestiLike localitaMete_;
    LocalitaTappe localitaTappe_;
    QHash<QString, TestiLike> guida_;
};

QString Conto(qint64 n) {
    return Formato(static_cast<double>(n), QStringLiteral("#,##0"));
}

const QString kAcapo = QStringLiteral("\r\n");

}  // namespace

ErroreImport::ErroreImport(int r, const QString& c)
    : std::runtime_error(c.toStdString()), riga(r), causa(c) {}

QString ErroreImport::messaggio() const {
    return QStringLiteral("Importazione non eseguita: errore alla riga %1 del file (").arg(riga) + causa +
           QStringLiteral(").") + kAcapo + QStringLiteral("Il database è rimasto com'era.");
}

QList<QPair<QString, QString>> MappaCodici(Archivio& archivio, const QStringList& scelti) {
    QSet<QString> inUso;
    qint64 massimo = 0;
    for (const QString& c : Colonna(archivio.dati(), archivio.nome(TabMeteCamper), kCodiceMeta)) {
        inUso.insert(c);
        massimo = std::max(massimo, static_cast<qint64>(Valore(c)));
    }
    QList<QPair<QString, QString>> mappa;
    QSet<QString> visti;
    for (const QString& codice : scelti) {
        if (codice.isEmpty() || visti.contains(codice)) continue;
        visti.insert(codice);
        QString nuovo = codice;
        while (inUso.contains(nuovo)) nuovo = Zero(++massimo, static_cast<int>(codice.size()));
        inUso.insert(nuovo);
        mappa.append({codice, nuovo});
    }
    return mappa;
}

ContiImport ImportaMete(Archivio& archivio, const ContenutoScambio& contenuto, const QStringList& scelti,
                        Progresso& progresso) {
    return Importazione(archivio, contenuto, progresso).esegui(scelti);
}

QString MessaggioImport(const ContiImport& c) {
    QString t = QStringLiteral("Sono stati inseriti:") + kAcapo + kAcapo + Conto(c.meteInserite) +
                QStringLiteral(" mète/itinerari;") + kAcapo + Conto(c.tappeInserite) +
                QStringLiteral(" tratti stradali;") + kAcapo + Conto(c.guideInserite) +
                QStringLiteral(" guide/informazioni località.") + kAcapo + kAcapo;
    if (c.meteScartate > 0 || c.guideScartate > 0)
        t += QStringLiteral("Sono stati scartati:") + kAcapo + kAcapo + Conto(c.meteScartate) +
             QStringLiteral(" mète/itinerari;") + kAcapo + Conto(c.guideScartate) +
             QStringLiteral(" guide/informazioni località,") + kAcapo + kAcapo +
             QStringLiteral("perchè già presenti nel database con lo stesso nome.");
    if (c.valoriTagliati > 0) {
        if (!t.endsWith(kAcapo)) t += kAcapo + kAcapo;
        t += Conto(c.valoriTagliati) + QStringLiteral(" valori tagliati alla larghezza del campo.");
    }
    return t;
}

EsitoImportFile ImportaFile(Archivio& archivio, const QString& percorso, const QStringList& scelti,
                            Progresso& progresso) {
    EsitoImportFile esito;
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly)) {
        esito.errore = QStringLiteral("Impossibile leggere il file ") + percorso;
        return esito;
    }
    const LetturaScambio lettura = LeggiScambio(file.readAll());
    if (!lettura.contenuto) {
        esito.errore = MessaggioFileNonValido(percorso, lettura);
        return esito;
    }
    try {
        esito.conti = ImportaMete(archivio, *lettura.contenuto, scelti, progresso);
        esito.eseguito = true;
    } catch (const ErroreImport& e) {
        progresso.azzera();
        esito.errore = e.messaggio();
    }
    return esito;
}

EsitoImport EseguiImport(Archivio& archivio, const QString& percorso, const QStringList& scelti,
                         Dialoghi& dialoghi, Progresso& progresso) {
    QString codice = QStringLiteral("IM");
    if (BoxConferma(codice, dialoghi) != Risposta::Si) return EsitoImport::NonConfermato;
    const EsitoImportFile esito = ImportaFile(archivio, percorso, scelti, progresso);
    if (!esito.eseguito) {
        dialoghi.avviso(esito.errore, QString(), Icona::Critico);
        return EsitoImport::Fallito;
    }
    dialoghi.avviso(MessaggioImport(esito.conti));
    return EsitoImport::Eseguito;
}
