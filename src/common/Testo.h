#pragma once
// Text helpers shared by the whole program: reading numbers from text, trimming, comparing,
// number formats, road-type and guide-type codes, place-name cleaning and column splitting.
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// The leading number of a text: leading blanks skipped, an optional sign, digits, an optional "."
// and digits; anything else stops it.  A text without a number reads 0.
double Valore(const QString& testo);
// Digits only, in order, read as a number ("1.234" gives 1234); 0 when there are none.
double ValoreSenzaPunti(const QString& testo);

// Blanks (spaces) only; tabs and other characters stay.
QString Trim(const QString& t);
QString LTrim(const QString& t);
QString RTrim(const QString& t);
// Each control character (tab, CR, LF and the others below blank, DEL, U+0080-U+009F) becomes one
// blank: user texts copied into the schedule keep every grid row one line in the files.
QString SenzaControlli(const QString& t);

// Simple case folding (QString::toCaseFolded) and lower case (QString::toLower); plain ASCII,
// nearly every place name, goes without the Unicode tables.
QString Piegato(const QString& t);
QString Minuscolo(const QString& t);

// Equal without regard to case, accented letters included ("è" equals "È").
bool UgualeTesto(const QString& a, const QString& b);
// How localities are compared: the text before the first "(" and the first "[", trimmed.
QString ChiaveLocalita(const QString& localita);

// Whole-number formats such as "#,###", "#,##0", "##,##0" and "#0": rounded half away from zero,
// "." as the grouping symbol whatever the locale, a "0" placeholder forces that many digits, so
// "#,###" of 0 is the empty text.
QString Formato(double valore, const QString& formato);

// Road-type letter of the first set button of a group laid out in "ASPL" order, or "".
QString strTipoStrada(const QList<bool>& pulsanti);
// Index (1 to the last) of the guide type named nome, ignoring case; the last match wins; -1 if none.
int CodiceTipoGuida(const QString& nome, const QStringList& nomiTipi);

// First character upper-cased; every later one lower-cased after an ASCII letter, otherwise
// upper-cased when dopoNonLettere, else left as it is.  Accented letters do not count as letters.
QString PrimoMaiuscolo(const QString& testo, bool dopoNonLettere);
// Display form of a locality: the text before any "[", trimmed, first letter capitalised.
QString RiPulisceNomeLocalita(const QString& nome);
// Strips what route-planner exports add to a locality ("(...)", "near ", "vicino ", "CVL ",
// "[...]"); nome is changed in place and returned.
QString PulisceNomeLocalita(QString& nome);

// Columns 1..conteggio of a split line.  Element 0 is not touched by the splitting.
struct Colonne {
    static constexpr int massimo = 100;
    QString testo[massimo + 1];
    qint16 conteggio = 0;
};
// Splits a line into at most 100 trimmed columns.  The separator is character 255 if present,
// else TAB, ",", ";" or "!" (the first the line holds), else TAB.  The caller's line gets the
// separator appended and loses its control characters other than TAB and its double quotes.
void SeparaColonne(QString& riga, Colonne& colonne);
// The same at a separator chosen by the caller.
void SeparaColonne(QString& riga, Colonne& colonne, QChar separatore);

// Pattern for the database LIKE operator: a "(" and what follows become "*", and the characters
// ' = \ > < [ ] " become "?" so that they cannot break the query text.
QString LikeTesto(const QString& testo);
