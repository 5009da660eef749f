#include "common/Testo.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

bool cifra(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool letteraAscii(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// Case changes; plain ASCII letters, most of every text, without the Unicode tables.
QChar Maiuscola(QChar c) {
    if (c.unicode() >= 0x80) return c.toUpper();
    return c >= QLatin1Char('a') && c <= QLatin1Char('z') ? QChar(c.unicode() - u'a' + u'A') : c;
}

QChar Minuscola(QChar c) {
    if (c.unicode() >= 0x80) return c.toLower();
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? QChar(c.unicode() - u'A' + u'a') : c;
}

// t with its ASCII capitals lowered, or cambia(t) when it holds anything beyond ASCII.
template <typename Cambia>
QString MinuscoloAscii(const QString& t, Cambia cambia) {
    bool maiuscole = false;
    for (QChar c : t) {
        if (c.unicode() >= 0x80) return cambia(t);
        maiuscole = maiuscole || (c >= u'A' && c <= u'Z');
    }
    if (!maiuscole) return t;
    QString r = t;
    for (QChar& c : r)
        if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + (u'a' - u'A'));
    return r;
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

QString Piegato(const QString& t) {
    return MinuscoloAscii(t, [](const QString& x) { return x.toCaseFolded(); });
}

QString Minuscolo(const QString& t) {
    return MinuscoloAscii(t, [](const QString& x) { return x.toLower(); });
}

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
    // Up to 15 digits (every kilometre text) make an exact whole number at once.
    qint64 numero = 0;
    int quante = 0;
    for (QChar c : testo) {
        if (!cifra(c)) continue;
        numero = numero * 10 + (c.unicode() - u'0');
        if (++quante > 15) break;
    }
    if (quante <= 15) return static_cast<double>(numero);
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

namespace {

// What a whole-number format asks for: the part before any "." groups by thousands when it holds
// a ",", and each "0" in it is one digit always written.
struct FormatoIntero {
    bool raggruppa = false;
    qsizetype cifreMinime = 0;
};

FormatoIntero LeggiFormato(const QString& formato) {
    FormatoIntero f;
    for (QChar c : formato) {
        if (c == QLatin1Char('.')) break;
        if (c == QLatin1Char(',')) f.raggruppa = true;
        if (c == QLatin1Char('0')) ++f.cifreMinime;
    }
    return f;
}

}  // namespace

QString Formato(double valore, const QString& formato) {
    if (!std::isfinite(valore)) return {};
    const FormatoIntero f = LeggiFormato(formato);
    const double arrotondato = std::round(std::abs(valore));
    // Values below 10^15 are exact integers: their digits are written without a conversion.
    char16_t corte[16];
    QString lunghe;
    QStringView cifre;
    if (arrotondato >= 1e15) {
        lunghe = QString::number(arrotondato, 'f', 0);
        cifre = lunghe;
    } else if (arrotondato != 0) {
        auto resto = static_cast<quint64>(arrotondato);
        qsizetype inizio = std::size(corte);
        for (; resto > 0; resto /= 10) corte[--inizio] = static_cast<char16_t>(u'0' + resto % 10);
        cifre = QStringView(corte + inizio, corte + std::size(corte));
    }
    const qsizetype n = std::max(cifre.size(), f.cifreMinime);
    const qsizetype punti = f.raggruppa && n > 0 ? (n - 1) / 3 : 0;
    const bool meno = valore < 0 && arrotondato != 0;
    QString testo(n + punti + (meno ? 1 : 0), Qt::Uninitialized);
    QChar* scrivi = testo.data() + testo.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (f.raggruppa && i > 0 && i % 3 == 0) *--scrivi = QLatin1Char('.');
        *--scrivi = i < cifre.size() ? cifre[cifre.size() - 1 - i] : QLatin1Char('0');
    }
    if (meno) *--scrivi = QLatin1Char('-');
    return testo;
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

QString PrimoMaiuscolo(const QString& testo, bool dopoNonLettere) {
    QString risultato = testo;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        QChar nuovo = testo[i];
        if (i > 0 && letteraAscii(testo[i - 1]))
            nuovo = Minuscola(nuovo);
        else if (i == 0 || dopoNonLettere)
            nuovo = Maiuscola(nuovo);
        // A text already in its form is given back without a copy.
        if (nuovo != testo[i]) risultato[i] = nuovo;
    }
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
