#include "common/Testo.h"

#include <algorithm>
#include <cmath>

namespace {

bool cifra(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool letteraAscii(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// The trimmed text before the first occurrence of segno, or the text itself when it has none.
QString PrimaDi(const QString& testo, QChar segno) {
    const qsizetype p = testo.indexOf(segno);
    return p < 0 ? testo : Trim(testo.left(p));
}

// Drops a leading word (case-insensitive) when present.
bool TogliInizio(QString& nome, QLatin1String inizio) {
    if (!nome.startsWith(inizio, Qt::CaseInsensitive)) return false;
    nome.remove(0, inizio.size());
    return true;
}

QChar SceltaSeparatore(const QString& riga) {
    if (riga.contains(QChar(255))) return QChar(255);
    for (QChar c : {QChar('\t'), QChar(','), QChar(';'), QChar('!')})
        if (riga.contains(c)) return c;
    return QChar('\t');
}

}  // namespace

double Valore(const QString& testo) {
    const qsizetype n = testo.size();
    // Plain digits (kilometres, codes, times of the tables) are read without a conversion.
    if (n > 0 && n <= 15) {
        qint64 cifre = 0;
        qsizetype i = 0;
        for (; i < n && cifra(testo[i]); ++i) cifre = cifre * 10 + (testo[i].unicode() - u'0');
        if (i == n) return static_cast<double>(cifre);
    }
    qsizetype i = 0;
    while (i < n && testo[i] == QLatin1Char(' ')) ++i;
    const qsizetype inizio = i;
    if (i < n && (testo[i] == QLatin1Char('+') || testo[i] == QLatin1Char('-'))) ++i;
    while (i < n && cifra(testo[i])) ++i;
    if (i < n && testo[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && cifra(testo[i])) ++i;
    }
    bool ok = false;
    const double v = QStringView(testo).mid(inizio, i - inizio).toDouble(&ok);
    // Overflow (hundreds of digits) reads 0 like any other text that is not a usable number.
    return ok && v != 0 ? v : 0.0;
}

double ValoreSenzaPunti(const QString& testo) {
    QString cifre;
    for (QChar c : testo)
        if (cifra(c)) cifre += c;
    return Valore(cifre);
}

QString LTrim(const QString& t) {
    qsizetype i = 0;
    while (i < t.size() && t[i] == QLatin1Char(' ')) ++i;
    return t.mid(i);
}

QString RTrim(const QString& t) {
    qsizetype n = t.size();
    while (n > 0 && t[n - 1] == QLatin1Char(' ')) --n;
    return t.left(n);
}

QString SenzaControlli(const QString& t) {
    // The control characters lie in U+0000-U+001F and U+007F-U+009F: a text without any is kept
    // as it is, without a copy.
    const auto forseControllo = [](QChar c) {
        return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
    };
    if (std::none_of(t.begin(), t.end(), forseControllo)) return t;
    QString pulito = t;
    for (QChar& c : pulito)
        if (c.category() == QChar::Other_Control) c = QLatin1Char(' ');
    return pulito;
}

QString Trim(const QString& t) {
    qsizetype fine = t.size();
    while (fine > 0 && t[fine - 1] == QLatin1Char(' ')) --fine;
    qsizetype inizio = 0;
    while (inizio < fine && t[inizio] == QLatin1Char(' ')) ++inizio;
    // Most texts have no blanks around them: they are shared, not copied.
    return inizio == 0 && fine == t.size() ? t : t.mid(inizio, fine - inizio);
}

bool UgualeTesto(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

QString ChiaveLocalita(const QString& localita) {
    qsizetype fine = localita.size();
    for (QChar segno : {QChar('('), QChar('[')}) {
        const qsizetype p = localita.indexOf(segno);
        if (p >= 0 && p < fine) fine = p;
    }
    return Trim(localita.left(fine));
}

QString Formato(double valore, const QString& formato) {
    if (!std::isfinite(valore)) return {};
    const QString parteIntera = formato.section(QLatin1Char('.'), 0, 0);
    const bool raggruppa = parteIntera.contains(QLatin1Char(','));
    const qsizetype cifreMinime = parteIntera.count(QLatin1Char('0'));

    const double arrotondato = std::round(std::abs(valore));
    QString cifre = arrotondato == 0 ? QString() : QString::number(arrotondato, 'f', 0);
    if (cifre.size() < cifreMinime) cifre = QString(cifreMinime - cifre.size(), QLatin1Char('0')) + cifre;
    if (raggruppa)
        for (qsizetype p = cifre.size() - 3; p > 0; p -= 3) cifre.insert(p, QLatin1Char('.'));
    return (valore < 0 && arrotondato != 0 ? QStringLiteral("-") : QString()) + cifre;
}

QString strTipoStrada(const QList<bool>& pulsanti) {
    static const QString codici = QStringLiteral("ASPL");
    for (qsizetype i = 0; i < pulsanti.size(); ++i)
        if (pulsanti[i]) return codici.mid(i, 1);
    return {};
}

int CodiceTipoGuida(const QString& nome, const QStringList& nomiTipi) {
    int codice = -1;
    for (qsizetype i = 1; i < nomiTipi.size(); ++i)
        if (UgualeTesto(nomiTipi[i], nome)) codice = static_cast<int>(i);
    return codice;
}

namespace {

// QChar::toLower and toUpper, with plain ASCII answered here: locality and guide texts are
// mostly ASCII and the case tables are a call away.
QChar Minuscola(QChar c) {
    if (c.unicode() >= 0x80) return c.toLower();
    return (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + ('a' - 'A')) : c;
}

QChar Maiuscola(QChar c) {
    if (c.unicode() >= 0x80) return c.toUpper();
    return (c >= u'a' && c <= u'z') ? QChar(c.unicode() - ('a' - 'A')) : c;
}

}  // namespace

QString PrimoMaiuscolo(const QString& testo, bool dopoNonLettere) {
    const qsizetype n = testo.size();
    const QChar* t = testo.constData();
    auto cambiato = [&](qsizetype i) {
        if (i == 0) return Maiuscola(t[0]);
        if (letteraAscii(t[i - 1])) return Minuscola(t[i]);
        return dopoNonLettere ? Maiuscola(t[i]) : t[i];
    };
    // A text already in shape is given back as it is, without a copy.
    qsizetype i = 0;
    while (i < n && cambiato(i) == t[i]) ++i;
    if (i == n) return testo;
    QString risultato = testo;
    QChar* r = risultato.data();
    for (; i < n; ++i) r[i] = cambiato(i);
    return risultato;
}

QString RiPulisceNomeLocalita(const QString& nome) {
    return PrimoMaiuscolo(Trim(PrimaDi(nome, QLatin1Char('['))), false);
}

QString PulisceNomeLocalita(QString& nome) {
    nome = PrimaDi(nome, QLatin1Char('('));
    if (TogliInizio(nome, QLatin1String("near "))) nome = Trim(nome);
    if (TogliInizio(nome, QLatin1String("vicino "))) nome = Trim(nome);
    TogliInizio(nome, QLatin1String("CVL "));
    nome = PrimaDi(nome, QLatin1Char('['));
    return nome;
}

void SeparaColonne(QString& riga, Colonne& colonne) {
    SeparaColonne(riga, colonne, SceltaSeparatore(riga));
}

void SeparaColonne(QString& riga, Colonne& colonne, QChar separatore) {
    riga += separatore;
    riga.removeIf(
        [](QChar c) { return (c.unicode() < 32 && c != QLatin1Char('\t')) || c == QLatin1Char('"'); });

    for (int i = 1; i <= Colonne::massimo; ++i) colonne.testo[i].clear();
    colonne.conteggio = 0;

    qsizetype inizio = 0;
    while (inizio < riga.size() && colonne.conteggio < Colonne::massimo) {
        qsizetype fine = riga.indexOf(separatore, inizio);
        if (fine < 0) fine = riga.size();  // a control-character separator was removed above
        ++colonne.conteggio;
        colonne.testo[colonne.conteggio] = Trim(riga.mid(inizio, fine - inizio));
        inizio = fine + 1;
    }
}

QString LikeTesto(const QString& testo) {
    QString modello = testo;
    const qsizetype p = modello.indexOf(QLatin1Char('('));
    if (p >= 0) modello = modello.left(p) + QLatin1Char('*');
    for (QChar c : QStringLiteral("'=\\><[]\"")) modello.replace(c, QLatin1Char('?'));
    return modello;
}
