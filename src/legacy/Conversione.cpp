#include "legacy/Conversione.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <array>
#include <cmath>
#include <utility>

#include "common/Dialoghi.h"
#include "common/Progresso.h"
#include "common/Tempo.h"
#include "common/Testo.h"
#include "database/Archivio.h"
#include "legacy/VecchiFile.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kTitolo = QStringLiteral("Conversione file");

// A record or file that stops the conversion.
struct ErroreConversione {
    QString file;
    int record = 0;  // 0: the file as a whole
    QString motivo;
};

// Old field -> trip field, in the order of the old record.
const std::array<std::pair<const char*, const char*>, 20> kCampiMeta{{
    {"Locali", "Localita"},        {"Nazion", "Nazione"},         {"DataIn", "DataInizio"},
    {"OraIni", "OraInizio"},       {"MediaA", "MediaAutostrada"}, {"MediaS", "MediaSuperStrada"},
    {"MediaP", "MediaPrincipale"}, {"MediaL", "MediaLocale"},     {"OraCol", "OraColazione"},
    {"OraPra", "OraPranzo"},       {"DurPra", "DurataPranzo"},    {"OraCen", "OraCena"},
    {"DurCen", "DurataCena"},      {"OraNot", "OraNotte"},        {"RipMin", "RiposoMinuti"},
    {"RipOre", "RiposoOre"},       {"Rip1Gg", "RiposoGiorno"},    {"RipNGg", "RiposoDopoGiorni"},
    {"VisitD", "InizioVisita"},    {"VisitA", "FineVisita"},
}};

// Completion of the trips: the value a width-4 time field gets when it reads 0, by its position
// in the trip record.
const QHash<int, QString> kOrariPredefiniti{
    {9, QStringLiteral("0900")},  {10, QStringLiteral("1230")}, {11, QStringLiteral("0230")},
    {12, QStringLiteral("2000")}, {13, QStringLiteral("0130")}, {14, QStringLiteral("2230")},
    {19, QStringLiteral("0000")}, {20, QStringLiteral("2400")},
};

const std::array<const char*, 9> kTipiGuida{"Ottimo",  "Da vedere", "Interessante", "Vedibile", "Punto Sosta",
                                            "PS e CS", "Campeggio", "Ristorante",   "Gpl"};

// The files of the data directory by lower-case name.
QHash<QString, QString> FileDellaCartella(const QString& cartella) {
    QHash<QString, QString> file;
    for (const QString& nome : QDir(cartella).entryList(QDir::Files | QDir::Hidden))
        file.insert(nome.toLower(), nome);
    return file;
}

class Convertitore {
  public:
    Convertitore(Archivio& archivio, const QString& cartella, Progresso& progresso)
        : archivio_(archivio),
          db_(archivio.dati()),
          cartella_(cartella),
          progresso_(progresso),
          file_(FileDellaCartella(cartella)) {}

    EsitoConversione esito;

    void Esegui() {
        Database::Transazione transazione(db_);
        ConvertiMete();
        ConvertiTappe();
        ConvertiGuida();
        RicreaTipiGuida();
        AdeguaMete();
        transazione.conferma();
    }

  private:
    QString Tabella(int numero) const { return archivio_.nome(numero); }

    // The actual name of an old file, or empty when it is not there.
    QString Nome(const QString& nome) const { return file_.value(nome.toLower()); }

    FileVecchio Leggi(const QString& nome) {
        QFile f(QDir(cartella_).filePath(nome));
        if (!f.open(QIODevice::ReadOnly))
            throw ErroreConversione{nome, 0, QStringLiteral("file non leggibile")};
        const QByteArray byte = f.readAll();
        if (f.error() != QFileDevice::NoError)
            throw ErroreConversione{nome, 0, QStringLiteral("file non leggibile")};
        daSpostare_.append(nome);
        return FileVecchio(byte);
    }

    static RecordVecchio Record(const QString& nome, const FileVecchio& file, const TracciatoVecchio& t,
                                int n) {
        std::optional<RecordVecchio> r = file.record(t, n);
        if (!r) throw ErroreConversione{nome, n, QStringLiteral("record non leggibile")};
        return *r;
    }

    // Writes a text cut to the width of its field.
    void Imposta(RowSet& rs, const QString& tabella, const QString& campo, const QString& valore) {
        QHash<QString, int>& larghezze = larghezze_[tabella];
        if (larghezze.isEmpty())
            for (const Campo& c : db_.campi(tabella)) larghezze.insert(c.nome, c.larghezza);
        const int w = larghezze.value(campo);
        rs.imposta(campo, w > 0 ? valore.left(w) : valore);
    }

    // The row the query finds, ready to be changed, or a new row.
    static void ApriRiga(RowSet& rs) {
        if (rs.fine())
            rs.aggiungi();
        else
            rs.modifica();
    }

    void ConvertiMete() {
        const QString nome = Nome(kFileVecchieMete);
        if (nome.isEmpty()) return;
        const FileVecchio vecchio = Leggi(nome);
        const QString mete = Tabella(TabMeteCamper);
        progresso_.didascalia(QString::fromUtf8("Conversione file mète"));
        const int n = vecchio.numeroRecord(kTracciatoMete);
        for (int i = 1; i <= n; ++i) {
            progresso_.posizione(i, n);
            const RecordVecchio r = Record(nome, vecchio, kTracciatoMete, i);
            const QString locali = r.campo(QStringLiteral("Locali"));
            // A negative or fractional code cannot become a six-digit code.
            const double codice = std::floor(Valore(r.campo(QStringLiteral("Codice"))));
            if (codice <= 0 || locali.startsWith(QLatin1String("..")) || Trim(locali).isEmpty()) continue;
            const QString codiceMeta = Zero(static_cast<long long>(codice), 6);
            RowSet rs = db_.apriRowSet(Query::di(mete).dove(QStringLiteral("CodiceMeta"), codiceMeta));
            ApriRiga(rs);
            Imposta(rs, mete, QStringLiteral("CodiceMeta"), codiceMeta);
            for (const auto& [vecchio, nuovo] : kCampiMeta)
                Imposta(rs, mete, QString::fromLatin1(nuovo), r.campo(QString::fromLatin1(vecchio)));
            rs.memorizza();
            ++esito.mete;
        }
    }

    void ConvertiTappe() {
        progresso_.didascalia(QStringLiteral("Conversione file itinerari"));
        RowSet mete = db_.apriRowSet(Query::di(Tabella(TabMeteCamper)).ordina(QStringLiteral("CodiceMeta")));
        const int totale = mete.conteggio();
        for (int i = 1; !mete.fine(); mete.successivo(), ++i) {
            progresso_.posizione(i, totale);
            const QString codice = mete.testo(QStringLiteral("CodiceMeta"));
            const QString nome = Nome(QStringLiteral("camp") + codice.right(4) + QStringLiteral(".dat"));
            // A trip without a leg file gets no legs; a file two codes share is read once.
            if (nome.isEmpty() || daSpostare_.contains(nome)) continue;
            ConvertiTappeMeta(codice, mete.testo(QStringLiteral("Localita")), nome);
        }
    }

    void ConvertiTappeMeta(const QString& codice, const QString& localitaMeta, const QString& nome) {
        const FileVecchio vecchio = Leggi(nome);
        const int record = vecchio.numeroRecord(kTracciatoTappe);
        const RecordVecchio testata = Record(nome, vecchio, kTracciatoTappe, 1);
        const double contaLoc = std::floor(Valore(testata.campo(QStringLiteral("Locali"))));
        const double contaKm = std::floor(Valore(testata.campo(QStringLiteral("Chilom"))));
        if (contaLoc != contaKm) {
            esito.meteSenzaTappe.append(Trim(localitaMeta) + QStringLiteral(" (") + nome + QLatin1Char(')'));
            return;
        }
        const int tappe = contaKm > 0 ? static_cast<int>(contaKm) : 0;
        if (tappe > record - 1)
            throw ErroreConversione{nome, 1,
                                    QStringLiteral("l'intestazione indica %1 tappe ma il file ne contiene %2")
                                        .arg(tappe)
                                        .arg(std::max(0, record - 1))};
        const QString tabella = Tabella(TabItinerari);
        for (int n = 2; n <= tappe + 1; ++n) {
            const RecordVecchio r = Record(nome, vecchio, kTracciatoTappe, n);
            QString localita = r.campo(QStringLiteral("Locali"));
            QString strada;
            const qsizetype stella = localita.indexOf(QLatin1Char('*'));
            if (stella >= 0) {
                strada = Trim(localita.mid(stella + 1));
                localita = localita.left(stella);
            }
            localita = Trim(localita);
            if (localita.isEmpty()) continue;
            const QChar prima = localita[0].toUpper();
            if (prima < QLatin1Char('A') || prima > QLatin1Char('Z')) continue;

            const QString sequenza = Zero(n - 1, 4);
            RowSet rs = db_.apriRowSet(Query::di(tabella)
                                           .dove(QStringLiteral("CodiceMeta"), codice)
                                           .dove(QStringLiteral("Sequenza"), sequenza));
            ApriRiga(rs);
            const QString tempo = r.campo(QStringLiteral("TempoS"));
            const QString sosta = Valore(tempo) != 0 ? tempo.left(2) + QLatin1Char(':') + tempo.mid(2, 2) +
                                                           QLatin1Char(':') + tempo.right(2)
                                                     : QStringLiteral(" ");
            Imposta(rs, tabella, QStringLiteral("CodiceMeta"), codice);
            Imposta(rs, tabella, QStringLiteral("Sequenza"), sequenza);
            Imposta(rs, tabella, QStringLiteral("Localita"), localita);
            Imposta(rs, tabella, QStringLiteral("Chilometri"), Trim(r.campo(QStringLiteral("Chilom"))));
            Imposta(rs, tabella, QStringLiteral("NomeStrada"), strada.left(64) + QLatin1Char(' '));
            Imposta(rs, tabella, QStringLiteral("TipoStrada"), r.campo(QStringLiteral("TipoSt")));
            Imposta(rs, tabella, QStringLiteral("TempoSosta"), sosta);
            Imposta(
                rs, tabella, QStringLiteral("FineGiorno"),
                Valore(r.campo(QStringLiteral("FlagED"))) != 0 ? QStringLiteral("1") : QStringLiteral("0"));
            rs.memorizza();
            ++esito.tappe;
        }
    }

    void ConvertiGuida() {
        const QString nome = Nome(kFileVecchiaGuida);
        if (nome.isEmpty()) return;
        const FileVecchio vecchio = Leggi(nome);
        const QString tabella = Tabella(TabGuidaCitta);
        progresso_.didascalia(QString::fromUtf8("Conversione file guida città"));
        const int n = vecchio.numeroRecord(kTracciatoGuida);
        for (int i = 1; i <= n; ++i) {
            progresso_.posizione(i, n);
            const RecordVecchio r = Record(nome, vecchio, kTracciatoGuida, i);
            const QString localita = r.campo(QStringLiteral("Locali"));
            // A blank record is an unused slot, not an entry.
            if (Trim(localita).isEmpty()) continue;
            const QString descrizione = r.campo(QStringLiteral("Descri"));
            RowSet rs = db_.apriRowSet(Query::di(tabella)
                                           .like(QStringLiteral("Localita"), LikeTesto(localita))
                                           .like(QStringLiteral("Descrizione"), LikeTesto(descrizione)));
            ApriRiga(rs);
            const QString x = (QStringLiteral("0000") + Trim(r.campo(QStringLiteral("TempoS")))).right(4);
            Imposta(rs, tabella, QStringLiteral("Localita"), localita);
            Imposta(rs, tabella, QStringLiteral("CodiceGuida"),
                    (QStringLiteral("00") + Trim(r.campo(QStringLiteral("TipoDa")))).right(2));
            Imposta(rs, tabella, QStringLiteral("Descrizione"), descrizione);
            Imposta(rs, tabella, QStringLiteral("TempoSosta"), x.left(2) + QLatin1Char(':') + x.right(2));
            Imposta(
                rs, tabella, QStringLiteral("FlagVisto"),
                Valore(r.campo(QStringLiteral("FlagVi"))) != 0 ? QStringLiteral("1") : QStringLiteral("0"));
            rs.memorizza();
            ++esito.voci;
        }
    }

    void RicreaTipiGuida() {
        archivio_.CancellaTabella(TabTipoGuida, {}, {});
        RowSet rs = db_.apriTabella(Tabella(TabTipoGuida));
        for (int i = 1; i <= static_cast<int>(kTipiGuida.size()); ++i) {
            rs.aggiungi();
            rs.imposta(QStringLiteral("CodiceGuida"), Zero(i, 2));
            rs.imposta(QStringLiteral("Descrizione"), QString::fromLatin1(kTipiGuida[i - 1]));
            rs.memorizza();
        }
    }

    void AdeguaMete() {
        progresso_.didascalia(QString::fromUtf8("Adeguamento archivio mète"));
        const QString tabella = Tabella(TabMeteCamper);
        const QList<Campo> campi = db_.campi(tabella);
        RowSet rs = db_.apriRowSet(Query::di(tabella).ordina(QStringLiteral("Localita")));
        const int totale = rs.conteggio();
        for (int i = 1; !rs.fine(); rs.successivo(), ++i) {
            progresso_.posizione(i, totale);
            rs.modifica();
            for (int p = 0; p < campi.size(); ++p) {
                const Campo& c = campi[p];
                if (c.tipo != TipoCampo::Testo || (c.larghezza != 2 && c.larghezza != 4)) continue;
                if (Valore(rs.testo(c.nome)) != 0) continue;
                if (c.larghezza == 2)
                    rs.imposta(c.nome, QStringLiteral("00"));
                else if (kOrariPredefiniti.contains(p))
                    rs.imposta(c.nome, kOrariPredefiniti.value(p));
            }
            rs.memorizza();
        }
    }

  public:
    // Moves every file read into "convertiti"; a name already there gets a number.
    void SpostaConvertiti() {
        QDir cartella(cartella_);
        const bool creata = cartella.mkpath(kCartellaConvertiti);
        for (const QString& nome : std::as_const(daSpostare_)) {
            QString destinazione = kCartellaConvertiti + QLatin1Char('/') + nome;
            for (int n = 1; QFileInfo::exists(cartella.filePath(destinazione)); ++n)
                destinazione =
                    kCartellaConvertiti + QLatin1Char('/') + nome + QLatin1Char('.') + QString::number(n);
            if (creata && cartella.rename(nome, destinazione))
                esito.convertiti.append(nome);
            else
                esito.nonSpostati.append(nome);
        }
    }

  private:
    Archivio& archivio_;
    Database& db_;
    QString cartella_;
    Progresso& progresso_;
    QHash<QString, QString> file_;
    QStringList daSpostare_;
    QHash<QString, QHash<QString, int>> larghezze_;
};

QString TestoErrore(const ErroreConversione& e) {
    QString dove = QStringLiteral("File ") + e.file;
    if (e.record > 0) dove += QStringLiteral(", record ") + QString::number(e.record);
    return dove + QStringLiteral(": ") + e.motivo;
}

}  // namespace

bool EsistonoVecchiFile(const QString& cartellaDati) {
    return FileDellaCartella(cartellaDati).contains(kFileVecchieMete.toLower());
}

EsitoConversione ConvertiVecchiFile(Archivio& archivio, const QString& cartellaDati, Progresso& progresso) {
    Convertitore c(archivio, cartellaDati, progresso);
    try {
        c.Esegui();
        c.esito.riuscita = true;
    } catch (const ErroreConversione& e) {
        c.esito = {};
        c.esito.errore = TestoErrore(e);
    } catch (const ErroreDatabase& e) {
        c.esito = {};
        c.esito.errore = e.messaggio();
    }
    progresso.azzera();
    if (c.esito.riuscita) c.SpostaConvertiti();
    return c.esito;
}

bool cmdConverte(Archivio& archivio, const QString& cartellaDati, Dialoghi& dialoghi, Progresso& progresso) {
    const QString domanda =
        QStringLiteral("Vuoi convertire i vecchi file nel corrente database?") + kCrLf + kCrLf +
        QString::fromUtf8("I dati già presenti nel database saranno integrati e non cancellati.") + kCrLf +
        kCrLf + QStringLiteral("Procedo?");
    if (!dialoghi.domanda(domanda, kTitolo)) return false;

    const EsitoConversione esito = ConvertiVecchiFile(archivio, cartellaDati, progresso);
    if (!esito.riuscita) {
        dialoghi.avviso(QString::fromUtf8("Conversione non eseguita: il database non è stato modificato.") +
                            kCrLf + esito.errore,
                        kTitolo, Icona::Critico);
        return false;
    }
    QString testo = QStringLiteral("Conversione eseguita...");
    for (const QString& meta : esito.meteSenzaTappe)
        testo += kCrLf + QString::fromUtf8("Mèta senza tappe, intestazione incoerente: ") + meta;
    for (const QString& nome : esito.nonSpostati)
        testo += kCrLf + QStringLiteral("Impossibile spostare in \"") + kCartellaConvertiti +
                 QStringLiteral("\" il file ") + nome;
    dialoghi.messaggio({testo, kTitolo, Pulsanti::Ok, Icona::Informazione});
    return true;
}
