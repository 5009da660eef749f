#include "TestSupport.h"

#include <sqlite3.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QWidget>

#include "SqlDiretto.h"
#include "database/Database.h"
#include "database/NomiCampi.h"

namespace test {

QByteArray leggiFile(const QString& percorso) {
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void scriviFile(const QString& percorso, const QByteArray& dati) {
    QFile f(percorso);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(dati);
}

void inserisci(Database& db, const QString& tabella, const Campi& campi) {
    RowSet r = db.apriTabella(tabella);
    r.aggiungi();
    for (const auto& [campo, valore] : campi) r.imposta(campo, valore);
    r.memorizza();
}

Campi campi(const QString& testo) {
    Campi c;
    for (const QString& coppia : testo.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        c.append({coppia.section(QLatin1Char('='), 0, 0), coppia.section(QLatin1Char('='), 1)});
    return c;
}

void inserisci(Database& db, const QString& riga) {
    inserisci(db, riga.section(QLatin1Char('|'), 0, 0), campi(riga.section(QLatin1Char('|'), 1)));
}

void tappa(Database& db, const QString& meta, const QString& sequenza, const QString& localita,
           const QString& km, const Campi& altri) {
    inserisci(db, nomi::kItinerari,
              Campi{{nomi::kCodiceMeta, meta}, {nomi::kSequenza, sequenza}, {nomi::kLocalita, localita}} +
                  Campi{{QStringLiteral("Chilometri"), km}} + altri);
}

void voceGuida(Database& db, const QString& localita, const QString& descrizione, const QString& tempo,
               const Campi& altri) {
    inserisci(
        db, nomi::kGuidaCitta,
        Campi{{nomi::kLocalita, localita}, {nomi::kDescrizione, descrizione}, {nomi::kTempoSosta, tempo}} +
            Campi{{nomi::kFlagVisto, QStringLiteral("0")}} + altri);
}

bool eseguiSql(const QString& percorso, const QByteArray& sql) {
    sqlite3* db = nullptr;
    const bool aperto = sqlite3_open(percorso.toUtf8().constData(), &db) == SQLITE_OK;
    const bool eseguito = aperto && sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return eseguito;
}

void digita(QWidget* w, const QString& testo) {
    for (QChar c : testo) {
        QKeyEvent premuto(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &premuto);
    }
}

void premi(QWidget* w, Qt::Key tasto) {
    QKeyEvent premuto(QEvent::KeyPress, tasto, Qt::NoModifier);
    QApplication::sendEvent(w, &premuto);
}

QStringList istantanea(Database& db) {
    QStringList righe;
    for (const QString& tabella : db.tabelle()) {
        QStringList campi;
        for (const Campo& c : db.campi(tabella)) campi << c.nome + QString::number(c.larghezza);
        righe << QLatin1Char('#') + tabella + QLatin1Char(':') + campi.join(QLatin1Char(',')) +
                     QLatin1Char(':') + db.indici(tabella).join(QLatin1Char(','));
        for (RowSet r = db.apriTabella(tabella); !r.fine(); r.successivo()) {
            QStringList valori;
            for (int i = 0; i < r.numeroCampi(); ++i) valori << r.valore(i).toString();
            righe << valori.join(QChar(0x1F));
        }
    }
    return righe;
}

int GuastoAOgniIstruzione(const std::function<void()>& operazione,
                          const std::function<void(int n)>& verifica) {
    for (int n = 1;; ++n) {
        GuastoIstruzionePerTest(n);
        bool fallita = false;
        try {
            operazione();
        } catch (const std::exception&) {  // the database's error, or the operation's own
            fallita = true;
        }
        GuastoIstruzionePerTest(0);
        if (!fallita) return n - 1;
        verifica(n);
    }
}

int paginePdf(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(30000);
    for (const QString& riga : QString::fromUtf8(p.readAllStandardOutput()).split('\n'))
        if (riga.startsWith(QLatin1String("Pages:"))) return riga.mid(6).trimmed().toInt();
    return -1;
}

QString testoPdf(const QString& pdf, bool layout) {
    QStringList argomenti{pdf, QStringLiteral("-")};
    if (layout) argomenti.prepend(QStringLiteral("-layout"));
    QProcess p;
    p.start(QStringLiteral("pdftotext"), argomenti);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace test
