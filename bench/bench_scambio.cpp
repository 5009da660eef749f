// Import of an exchange file of 1,000 trips, 50,000 legs and 10,000 guide entries into an empty
// database, against the same rows inserted with plain prepared SQLite statements in one
// transaction.  Counters: the two times in seconds and their ratio.

#include <sqlite3.h>

#include <QElapsedTimer>
#include <QTemporaryDir>

#include "PrincipaleBench.h"
#include "common/File1252.h"
#include "common/Progresso.h"
#include "common/Tempo.h"
#include "database/Archivio.h"
#include "exchange/FileScambio.h"
#include "exchange/Importa.h"

namespace {

constexpr int kMete = 1000;
constexpr int kTappePerMeta = 50;
constexpr int kLocalita = 5000;
constexpr int kVoci = 10000;

// Names made of letters only, as real place names mostly are.
QString Lettere(int n) {
    QString s;
    do {
        s.prepend(QChar('a' + n % 26));
        n /= 26;
    } while (n > 0);
    return s;
}

QString Borgo(int i) {
    return QStringLiteral("Borgo ") + Lettere(i);
}

struct Righe {
    QList<QStringList> mete, tappe, guida;
};

Righe Dati() {
    Righe r;
    for (int m = 0; m < kMete; ++m) {
        const QString codice = Zero(m + 1, 6);
        r.mete << QStringList{codice,
                              QStringLiteral("Meta ") + Lettere(m),
                              QStringLiteral("Italia"),
                              "01072027",
                              "0900",
                              "090",
                              "075",
                              "055",
                              "040",
                              "0900",
                              "1230",
                              "0130",
                              "1930",
                              "0130",
                              "2200",
                              "15",
                              "02",
                              "01",
                              "06",
                              "0930",
                              "1800",
                              "0100",
                              "000",
                              "3",
                              "15",
                              "0",
                              "",
                              ""};
        for (int t = 0; t < kTappePerMeta; ++t)
            r.tappe << QStringList{codice,
                                   Zero(t + 1, 4),
                                   Borgo((m * kTappePerMeta + t) % kLocalita),
                                   "120",
                                   "SS1",
                                   "P",
                                   "00:01:00",
                                   "",
                                   "0",
                                   "0",
                                   "0",
                                   "",
                                   "0"};
    }
    for (int v = 0; v < kVoci; ++v)
        r.guida << QStringList{
            Borgo(v % kLocalita), "01", "", QStringLiteral("Monumento ") + Lettere(v), "01:30", "0", "0", ""};
    return r;
}

QByteArray FileScambio(Archivio& archivio, const Righe& r) {
    QStringList linee;
    const int tabelle[] = {TabMeteCamper, TabItinerari, TabGuidaCitta};
    const QList<QStringList>* blocchi[] = {&r.mete, &r.tappe, &r.guida};
    for (int b = 0; b < kBlocchiScambio; ++b) {
        QStringList nomi;
        for (const Campo& c : archivio.dati().campi(archivio.nome(tabelle[b]))) nomi << c.nome;
        linee << LineaScambio(nomi, b);
        for (const QStringList& valori : *blocchi[b]) linee << LineaScambio(valori, b);
    }
    return Righe1252(linee);
}

// The plain baseline: the same three tables and indexes, one prepared INSERT per table.
double InserimentoSql(const QString& percorso, const Righe& r) {
    sqlite3* db = nullptr;
    sqlite3_open(percorso.toUtf8().constData(), &db);
    const char* schema =
        "CREATE TABLE m(a,b,c,d,e,f,g,h,i,j,k,l,mm,n,o,p,q,rr,s,t,u,v,w,x,y,z,aa,bb);"
        "CREATE INDEX m1 ON m(a); CREATE INDEX m2 ON m(b);"
        "CREATE TABLE t(a,b,c,d,e,f,g,h,i,j,k,l,mm);"
        "CREATE INDEX t1 ON t(a); CREATE INDEX t2 ON t(b); CREATE INDEX t3 ON t(c);"
        "CREATE TABLE g(a,b,c,d,e,f,h,i); CREATE INDEX g1 ON g(a); CREATE INDEX g2 ON g(c);";
    sqlite3_exec(db, schema, nullptr, nullptr, nullptr);
    QElapsedTimer orologio;
    orologio.start();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    const std::pair<const char*, const QList<QStringList>*> tabelle[] = {
        {"INSERT INTO m VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)", &r.mete},
        {"INSERT INTO t VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?)", &r.tappe},
        {"INSERT INTO g VALUES(?,?,?,?,?,?,?,?)", &r.guida}};
    for (const auto& [sql, righe] : tabelle) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
        for (const QStringList& valori : *righe) {
            for (int i = 0; i < valori.size(); ++i) {
                const QByteArray b = valori[i].toUtf8();
                sqlite3_bind_text(st, i + 1, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
            }
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    const double secondi = orologio.nsecsElapsed() / 1e9;
    sqlite3_close(db);
    return secondi;
}

void BM_ImportaScambio(benchmark::State& state) {
    const Righe righe = Dati();
    double totaleImport = 0, totaleSql = 0;
    for (auto _ : state) {
        QTemporaryDir dir;
        Archivio archivio(dir.path());
        archivio.AvviaDatabase();
        const QString file = dir.filePath(QStringLiteral("grande.iei"));
        QFile f(file);
        f.open(QIODevice::WriteOnly);
        f.write(FileScambio(archivio, righe));
        f.close();
        QStringList scelti;
        for (const QStringList& m : righe.mete) scelti << m.first();
        ProgressoMemoria progresso;

        QElapsedTimer orologio;
        orologio.start();
        const EsitoImportFile esito = ImportaFile(archivio, file, scelti, progresso);
        const double secondiImport = orologio.nsecsElapsed() / 1e9;
        if (!esito.eseguito || esito.conti.tappeInserite != kMete * kTappePerMeta ||
            esito.conti.guideInserite != kVoci)
            state.SkipWithError("importazione incompleta");
        const double secondiSql = InserimentoSql(dir.filePath(QStringLiteral("semplice.db")), righe);
        state.SetIterationTime(secondiImport);
        totaleImport += secondiImport;
        totaleSql += secondiSql;
    }
    state.counters["import_s"] = totaleImport / state.iterations();
    state.counters["sql_s"] = totaleSql / state.iterations();
    state.counters["rapporto"] = totaleImport / totaleSql;
}
BENCHMARK(BM_ImportaScambio)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

ZAVETRA_BENCHMARK_MAIN();
