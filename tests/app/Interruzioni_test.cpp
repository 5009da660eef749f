// The start-up rebuild killed at random moments: whatever instant the process dies, the next look
// at Voviva.mdb finds every row exactly once in a consistent file.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include "ProgrammaTest.h"
#include "common/Uscita.h"
#include "database/Archivio.h"
#include "database/Database.h"
#include "database/Schema.h"

namespace {

constexpr int kVoci = 2500;

// A Voviva.mdb whose GuidaCitta.Descrizione is narrower than today's, so the next start rebuilds.
void CreaVecchio(const QString& percorso) {
    ElencoTabelle elenco = TabelleStandard();
    elenco.TabelleCampi[TabGuidaCitta].replace(QStringLiteral("Descrizione[T=96]"),
                                               QStringLiteral("Descrizione[T=90]"));
    Database db;
    db.crea(percorso);
    for (int t = kPrimaTabella; t <= kUltimaTabella; ++t)
        db.creaTabella(elenco.TabelleNomi[t], LeggiSpecificaCreazione(elenco.TabelleCampi[t]));
    Database::Transazione tr(db);
    for (int i = 0; i < kVoci; ++i)
        test::inserisci(db, QStringLiteral("GuidaCitta"),
                        {{QStringLiteral("Localita"), QStringLiteral("Luogo %1").arg(i)},
                         {QStringLiteral("Descrizione"), QStringLiteral("Visita numero %1").arg(i)}});
    tr.conferma();
}

// Every guide row exactly once and SQLite's check passing.
void VerificaIntegro(const QString& percorso, int giro) {
    Database db;
    db.apri(percorso);
    EXPECT_EQ(db.controlloRapido(), QStringLiteral("ok")) << giro;
    QSet<QString> visti;
    int righe = 0;
    for (RowSet r = db.apriTabella(QStringLiteral("GuidaCitta")); !r.fine(); r.successivo()) {
        ++righe;
        visti.insert(r.testo(QStringLiteral("Localita")));
    }
    EXPECT_EQ(righe, kVoci) << giro;
    EXPECT_EQ(visti.size(), kVoci) << giro;
}

TEST(Interruzioni, RicostruzioneUccisaAMomentiCasualiNonPerdeNulla) {
    QTemporaryDir dir;
    const QString percorso = QDir(dir.path()).filePath(QStringLiteral("Voviva.mdb"));
    CreaVecchio(percorso);
    const QProcessEnvironment env = prova::SenzaSchermo();

    // How long one whole rebuild takes on this machine, on a copy: the kills fall inside it.
    QTemporaryDir copia;
    ASSERT_TRUE(QFile::copy(percorso, QDir(copia.path()).filePath(QStringLiteral("Voviva.mdb"))));
    QElapsedTimer cronometro;
    cronometro.start();
    ASSERT_EQ(prova::Zavetra({"--data-dir", copia.path(), "--calcola"}).codice, kUscitaMetaIgnota);
    const int durata = static_cast<int>(std::max<qint64>(cronometro.elapsed(), 50));

    int uccisi = 0;
    for (int giro = 0; giro < 20; ++giro) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ZAVETRA_PROGRAMMA), {"--data-dir", dir.path(), "--calcola"});
        ASSERT_TRUE(p.waitForStarted());
        QThread::msleep(QRandomGenerator::global()->bounded(durata));
        if (p.state() == QProcess::Running) {
            p.kill();
            ++uccisi;
        }
        p.waitForFinished();
        VerificaIntegro(percorso, giro);
        // Once a run got through, start again from the old schema so every kill hits a rebuild.
        Database db;
        db.apri(percorso);
        if (db.campi(QStringLiteral("GuidaCitta"))[3].larghezza == 96) {
            db.chiudi();
            QFile::remove(percorso);
            CreaVecchio(percorso);
        }
    }
    RecordProperty("uccisi", uccisi);
    EXPECT_GT(uccisi, 5);
    Archivio a(dir.path());
    a.AvviaDatabase();
    EXPECT_EQ(a.dati().conta(Query::di(QStringLiteral("GuidaCitta"))), kVoci);
}

}  // namespace
