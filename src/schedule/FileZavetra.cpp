#include "schedule/FileZavetra.h"

#include <QDir>

#include "common/File1252.h"
#include "common/FileUscita.h"
#include "common/Griglia.h"
#include "common/Testo.h"

namespace {

constexpr int kColonnaLocalita = 1;
constexpr int kUltimaColonnaCamptabl = 10;
const QString kNazioneIniziale = QStringLiteral("Italia");
const QString kIngresso = QStringLiteral("INGRESSO ");
const QString kCrLf = QStringLiteral("\r\n");

const QStringList& IntestazioneCamptabl() {
    static const QStringList titoli{"Num.",  "Località", "N.Str",  "Km.",  "Ts",  "Pr/Km",
                                    "Tempo", "Sosta",    "G.Sett", "Data", "Ora", "Note"};
    return titoli;
}

QString RigaCamptabl(const Griglia& mfgTab, int r) {
    QString riga;
    riga.reserve(128);
    for (int c = 0; c <= kUltimaColonnaCamptabl; ++c) {
        riga += Trim(mfgTab.testo(r, c));
        riga += QLatin1Char('\t');
    }
    return riga;
}

// Halts and new days begin with ">", rest marks with "*"; "verso: ..." is a leg still under way.
// A locality beginning with "a" (Ancona, Aosta) is a place like any other.
bool LocalitaDaSaltare(const QString& s) {
    if (s.isEmpty()) return true;
    const QChar primo = s.front();
    if (primo == QLatin1Char('>') || primo == QLatin1Char('\\') || primo == QLatin1Char('*')) return true;
    return s.startsWith(QLatin1String("verso"), Qt::CaseInsensitive);
}

}  // namespace

QStringList RigheCamptabl(const Griglia& mfgTab, const QString& localitaMeta) {
    QStringList righe{SenzaControlli(localitaMeta), QString(),
                      IntestazioneCamptabl().join(QLatin1Char('\t'))};
    for (int r = 1; r < mfgTab.righe(); ++r) righe << RigaCamptabl(mfgTab, r);
    return righe;
}

QString NazioneDopoIngresso(const QString& localita) {
    const qsizetype in = localita.indexOf(QLatin1String("IN "), 0, Qt::CaseInsensitive);
    if (in >= 0) return Trim(localita.mid(in + 3));
    const qsizetype ingresso = localita.indexOf(kIngresso, 0, Qt::CaseInsensitive);
    return Trim(localita.mid(ingresso + kIngresso.size()));
}

QString TogliPuntiCardinali(QString localita) {
    for (const char* parola : {"NORD", "OVEST", "EST", "SUD"})
        localita.remove(QLatin1String(parola), Qt::CaseInsensitive);
    return localita;
}

QStringList RigheListaLocalita(const Griglia& mfgTab) {
    QStringList righe{QStringLiteral("'Nazione\tLocalità")};
    QString nazione = kNazioneIniziale;
    for (int r = 1; r < mfgTab.righe(); ++r) {
        const QString s = Trim(mfgTab.testo(r, kColonnaLocalita));
        if (LocalitaDaSaltare(s)) continue;
        if (s.contains(kIngresso, Qt::CaseInsensitive)) {
            nazione = NazioneDopoIngresso(s);
            continue;
        }
        righe << nazione + QLatin1Char('\t') + TogliPuntiCardinali(s);
    }
    return righe;
}

EsitoFileZavetra ScriviFileZavetra(const Griglia& mfgTab, const QString& localitaMeta,
                                   const QString& cartella) {
    const QDir dir(cartella);
    EsitoFileZavetra esito;
    esito.camptabl = QDir::toNativeSeparators(dir.absoluteFilePath(kFileCamptabl));
    esito.listaLocalita = QDir::toNativeSeparators(dir.absoluteFilePath(kFileListaLocalita));
    QStringList falliti;
    if (!ScriviRighe1252(esito.camptabl, RigheCamptabl(mfgTab, localitaMeta))) falliti << esito.camptabl;
    if (!ScriviRighe1252(esito.listaLocalita, RigheListaLocalita(mfgTab))) falliti << esito.listaLocalita;
    for (const QString& f : falliti) {
        if (!esito.errore.isEmpty()) esito.errore += kCrLf;
        const QString rifiuto = ControllaFileUscita(f);
        esito.errore += rifiuto.isEmpty() ? QStringLiteral("Impossibile scrivere il file ") + f : rifiuto;
    }
    return esito;
}

QString MessaggioFileScritti(const EsitoFileZavetra& esito) {
    return QStringLiteral("Stampa dei file: ") + kCrLf + kCrLf + esito.camptabl + kCrLf +
           esito.listaLocalita + kCrLf + kCrLf + QStringLiteral("completata!");
}
