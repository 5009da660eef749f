#include "routeimport/PercorsoExport.h"

#include <algorithm>
#include <cmath>

#include "common/Testo.h"

// How the export is read where the directions leave a choice:
// - Distances: the leading number of the cell; when it holds both "." and ",", the later one is
//   the decimal mark; a lone mark followed by exactly three digits groups thousands ("1.234");
//   whole km are taken rounding half to even, and anything beyond 99999 km counts as 99999.
// - A departure, arrival or "near" instruction names its place after its first word; a leading
//   "vicino"/"near", "a"/"at", "da"/"from" or "in" is skipped, and the place ends at a ",", " su ",
//   " on ", " onto ", " [" or " (".  Only the first departure counts,
//   and it gives the first leg, at 0 km.  A "near" place is a place passed like any other.
// - An exit or roundabout instruction names its place after its first ",", up to the next ",".
// - The ferry of either language names its place between the "*" (from the fourth character)
//   and the next ",", " su ", "(" or "*".
// - A road named inside brackets but not in road-number form ("[Rimini Sud]") does not hide
//   the road named before it ("onto SS16 [Rimini Sud]" gives SS16).
// - Second family: only a distance cell holding "KM" is a distance read; a line without one
//   keeps the progressive km and does not restart the column.  The distance column is the one
//   headed "posizione opposta", or the "distanza" column when the header has none.  A border
//   line first gives the leg of its own place, then the leg "Ingresso in ..." made from its
//   direction.  The first place is the first leg, at 0 km.  A place part in road-number form ("SS16",
//   "E45/E55", "16") is the road of the leg; the other parts, joined by ", ", are the place.
// - A distance that goes back (damaged data) gives a leg of 0 km, never a negative one.

namespace {

const QChar kBarra = QLatin1Char('\\');
constexpr int kColonnaDistanza2 = 2;

bool Inizia(const QString& t, const char* p) {
    return t.startsWith(QLatin1String(p), Qt::CaseInsensitive);
}
bool Contiene(const QString& t, const char* p) {
    return t.contains(QLatin1String(p), Qt::CaseInsensitive);
}

QString PrimaParola(const QString& t) {
    const qsizetype p = t.indexOf(QLatin1Char(' '));
    return (p < 0 ? t : t.left(p)).toLower();
}

QString DopoPrimaParola(const QString& t) {
    const qsizetype p = t.indexOf(QLatin1Char(' '));
    return p < 0 ? QString() : Trim(t.mid(p + 1));
}

// The place after the verb of a departure, arrival or "near" line.
QString LuogoDopoVerbo(const QString& istruzione) {
    QString luogo = DopoPrimaParola(istruzione);
    static const QStringList salta{QStringLiteral("vicino"), QStringLiteral("near"), QStringLiteral("a"),
                                   QStringLiteral("at"),     QStringLiteral("da"),   QStringLiteral("from"),
                                   QStringLiteral("in")};
    for (int i = 0; i < 2 && salta.contains(PrimaParola(luogo)); ++i) luogo = DopoPrimaParola(luogo);
    // What follows the place is the road or the direction taken there.
    for (const char* fine : {",", " su ", " on ", " onto ", " [", " ("}) {
        const qsizetype p = luogo.indexOf(QLatin1String(fine), 0, Qt::CaseInsensitive);
        if (p >= 0) luogo.truncate(p);
    }
    return Trim(luogo);
}

QString DopoVirgola(const QString& t) {
    const qsizetype p = t.indexOf(QLatin1Char(','));
    if (p < 0) return {};
    QString resto = t.mid(p + 1);
    const qsizetype q = resto.indexOf(QLatin1Char(','));
    if (q >= 0) resto.truncate(q);
    return Trim(resto);
}

QString TraParentesiQuadre(const QString& t) {
    const qsizetype a = t.indexOf(QLatin1Char('['));
    if (a < 0) return {};
    const qsizetype b = t.indexOf(QLatin1Char(']'), a + 1);
    return Trim(t.mid(a + 1, b < 0 ? -1 : b - a - 1));
}

QString LuogoTraghetto(const QString& istruzione) {
    const qsizetype p = istruzione.indexOf(QLatin1Char('*'), 3);
    if (p < 0) return {};
    QString resto = istruzione.mid(p + 1);
    qsizetype fine = resto.size();
    for (const QString& s :
         {QStringLiteral(","), QStringLiteral(" su "), QStringLiteral("("), QStringLiteral("*")}) {
        const qsizetype q = resto.indexOf(s, 0, Qt::CaseInsensitive);
        if (q >= 0) fine = std::min(fine, q);
    }
    return Trim(resto.left(fine));
}

int ValoreDistanza(const QString& testo) {
    const QString t = Trim(testo);
    QString numero;
    for (QChar c : t) {
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') ||
            c == QLatin1Char(','))
            numero += c;
        else
            break;
    }
    const qsizetype punto = numero.lastIndexOf(QLatin1Char('.'));
    const qsizetype virgola = numero.lastIndexOf(QLatin1Char(','));
    const qsizetype decimale = std::max(punto, virgola);
    if (decimale >= 0) {
        const QChar segno = numero.at(decimale);
        const bool soloUno = numero.count(segno) == 1;
        const bool migliaia = (punto < 0 || virgola < 0) && numero.size() - decimale - 1 == 3;
        QString pulito;
        for (qsizetype i = 0; i < numero.size(); ++i) {
            const QChar c = numero.at(i);
            if (c.isDigit())
                pulito += c;
            else if (i == decimale && soloUno && !migliaia)
                pulito += QLatin1Char('.');
        }
        numero = pulito;
    }
    const double km = std::nearbyint(Valore(numero));
    return static_cast<int>(std::clamp(km, 0.0, double(kKmMassimiImport)));
}

struct StatoImport {
    QList<TappaImportata> tappe;
    int kmProgressivi = 0;
    int kmPrecedenti = 0;
    QString strade = QString(kBarra);
    QString luogoPrecedente;
    QChar separatore;
};

bool StradaGiaPresente(const StatoImport& s, const QString& strada) {
    return s.strade.mid(1).split(s.separatore, Qt::SkipEmptyParts).contains(strada, Qt::CaseInsensitive);
}

void AggiungiStrada(StatoImport& s, const QString& strada) {
    if (strada.size() >= 2 && !StradaGiaPresente(s, strada)) s.strade += strada + s.separatore;
}

void SalvaRigaItinerarioImportato(StatoImport& s, const QString& luogo) {
    TappaImportata t;
    t.localita = Trim(Inizia(luogo, "vicino a") ? luogo.mid(9) : luogo).toUpper();
    if (t.localita.isEmpty()) return;  // "vicino a" alone names no place
    t.strada = Trim(s.strade.mid(1));
    t.tipoStrada = t.strada.startsWith(QLatin1Char('A')) ? QStringLiteral("A") : QStringLiteral("P");
    t.traghetto = Contiene(t.strada, "TRAGH");
    s.luogoPrecedente = luogo;
    t.km = std::max(0, s.kmProgressivi - s.kmPrecedenti);
    t.kmProgressivi = s.kmProgressivi;
    s.tappe.append(t);
    s.strade = QString(kBarra);
    s.kmPrecedenti = s.kmProgressivi;
}

void RigaIstruzioni(StatoImport& s, const QStringList& colonne, bool& partenzaVista) {
    QString istruzione = colonne.value(2);
    istruzione.remove(QStringLiteral("*Toll road*"), Qt::CaseInsensitive);
    istruzione.remove(QStringLiteral("*gate access required*"), Qt::CaseInsensitive);
    istruzione = Trim(istruzione);
    const QString originale = istruzione;
    if (Inizia(istruzione, "At exit")) {
        const qsizetype p = istruzione.indexOf(QLatin1String(", "));
        if (p >= 0) istruzione = istruzione.mid(p + 2);
    }
    istruzione.replace(QLatin1String("arrive"), QLatin1String("At "));
    const QString parola = PrimaParola(istruzione);
    const int km = ValoreDistanza(colonne.value(1));

    QString luogo;
    bool trovato = false;
    bool consumata = true;
    if (parola == QLatin1String("vicino") || parola == QLatin1String("near")) {
        luogo = LuogoDopoVerbo(istruzione);
        trovato = true;
    } else if (parola == QLatin1String("istruzioni") || parola == QLatin1String("instruction")) {
    } else if (Inizia(istruzione, "partenza") || Inizia(istruzione, "depart")) {
        if (!partenzaVista) {
            partenzaVista = true;
            luogo = LuogoDopoVerbo(istruzione);
            trovato = true;
        }
    } else if (Inizia(istruzione, "arriv")) {
        luogo = LuogoDopoVerbo(istruzione);
        trovato = true;
    } else {
        consumata = false;
        if ((parola == QLatin1String("a") || parola == QLatin1String("at")) &&
            (Contiene(istruzione, "exit") || Contiene(istruzione, "roundabout"))) {
            luogo = DopoVirgola(istruzione);
        } else if (Inizia(originale, "at exit")) {
            luogo = TraParentesiQuadre(originale);
        } else if (parola == QLatin1String("presso")) {
            luogo = DopoVirgola(istruzione);
        }
        if (!luogo.isEmpty()) {
            luogo.remove(QString::fromUtf8("Échangeur de"), Qt::CaseInsensitive);
            luogo.remove(QStringLiteral("Svincolo"), Qt::CaseInsensitive);
            luogo = Trim(luogo);
            trovato = true;
        }
        if (parola == QLatin1String("ingresso") || parola == QLatin1String("entering")) {
            luogo = istruzione;
            luogo.replace(QLatin1String("Entering"), QLatin1String("Ingresso in"), Qt::CaseInsensitive);
            trovato = true;
        }
        if (Contiene(istruzione, "controllo orari") || Contiene(istruzione, "check timetable")) {
            luogo = LuogoTraghetto(istruzione);
            s.strade += QStringLiteral("TRAGH ");
            trovato = true;
        }
    }
    // Departure, arrival, "near" and header lines are used up by their place: no road of theirs.
    if (consumata) istruzione = QString(kBarra);
    if (trovato) s.kmProgressivi = km;
    if (trovato && !Trim(luogo).isEmpty() && !UgualeTesto(Trim(luogo), Trim(s.luogoPrecedente))) {
        if (s.strade == QString(kBarra)) AggiungiStrada(s, RilevaStradaCorrente(istruzione));
        SalvaRigaItinerarioImportato(s, luogo);
    }
    AggiungiStrada(s, RilevaStradaCorrente(istruzione));
}

// One place of a second-family line; answers the place made.
QString LuogoLocalita(StatoImport& s, QString luogo, const QString& direzione) {
    if (luogo.startsWith(QLatin1Char('-'))) luogo = luogo.mid(1);
    if (luogo.startsWith(QLatin1Char('('))) {
        const qsizetype p = luogo.indexOf(QLatin1Char(')'));
        luogo = p < 0 ? QString() : luogo.mid(p + 1);
    }
    const qsizetype aperta = luogo.indexOf(QLatin1Char('('));
    if (aperta >= 0) luogo.truncate(aperta);
    luogo = Trim(luogo);
    if (luogo.isEmpty()) {
        const qsizetype p = direzione.indexOf(QLatin1String("direzione di"), 0, Qt::CaseInsensitive);
        if (p >= 0) {
            luogo = QStringLiteral("Direzione ") + Trim(direzione.mid(p + 12));
        } else if (Contiene(direzione, "confine")) {
            const qsizetype v = direzione.indexOf(QLatin1String("verso"), 0, Qt::CaseInsensitive);
            if (v >= 0) luogo = QStringLiteral("Ingresso in ") + Trim(direzione.mid(v + 5));
        }
    }
    if (Contiene(direzione, "traghetto") && !StradaGiaPresente(s, QStringLiteral("TRAGH")))
        s.strade += QStringLiteral("TRAGH") + s.separatore;
    const LuogoStrada ls = EstraeTappaStrada(luogo);
    luogo = ls.luogo;
    const QString strada = ls.strada.isEmpty() ? RilevaStradaCorrente(direzione) : ls.strada;
    const bool avanza = s.kmProgressivi - s.kmPrecedenti >= 1;
    const bool confine = Contiene(luogo, "Ingresso") && !UgualeTesto(luogo, s.luogoPrecedente);
    const bool primo = s.tappe.isEmpty();
    if (!luogo.isEmpty() && (avanza || confine || primo)) {
        if (!strada.isEmpty() && !StradaGiaPresente(s, strada)) s.strade += strada + s.separatore;
        SalvaRigaItinerarioImportato(s, luogo);
    }
    return luogo;
}

void LeggiLocalita(StatoImport& s, const QStringList& righe, qsizetype inizio) {
    int colonnaDistanza = kColonnaDistanza2;
    int ultimaDistanza = 0;
    int scarto = 0;
    for (qsizetype i = inizio; i < righe.size(); ++i) {
        const QStringList c = EstraeColonneTappa(righe.at(i));
        if (c.value(0).mid(2).startsWith(QString::fromUtf8("localit"), Qt::CaseInsensitive)) {
            for (int k = 0; k < c.size(); ++k)
                if (UgualeTesto(c.at(k), QStringLiteral("posizione opposta"))) colonnaDistanza = k;
            continue;
        }
        const QString distanza = c.value(colonnaDistanza);
        if (Contiene(distanza, "KM")) {
            const int letta = ValoreDistanza(distanza);
            if (letta < ultimaDistanza) scarto = std::min(scarto + ultimaDistanza, kKmMassimiImport);
            ultimaDistanza = letta;
            s.kmProgressivi = std::min(letta + scarto, kKmMassimiImport);
        }
        const QString direzione = c.value(1);
        const QString luogo = LuogoLocalita(s, c.value(0), direzione);
        if (Contiene(direzione, "confine") && !c.value(0).isEmpty() && !Contiene(luogo, "Ingresso"))
            LuogoLocalita(s, QString(), direzione);
    }
}

void LeggiIstruzioni(StatoImport& s, const QStringList& righe, qsizetype inizio) {
    bool partenzaVista = false;
    for (qsizetype i = inizio; i < righe.size(); ++i)
        RigaIstruzioni(s, EstraeColonneTappa(righe.at(i)), partenzaVista);
}

bool CarattereStrada(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QLatin1Char('/');
}

bool NumeroStrada(const QString& t) {
    if (t.isEmpty() || t.size() > 12) return false;
    bool cifra = false;
    for (QChar c : t) {
        if (!CarattereStrada(c)) return false;
        cifra = cifra || c.isDigit();
    }
    return cifra;
}

}  // namespace

QStringList EstraeColonneTappa(const QString& riga) {
    QStringList colonne;
    qsizetype da = 0;
    while (colonne.size() < kColonneMassimeExport) {
        const qsizetype tab = riga.indexOf(QLatin1Char('\t'), da);
        colonne << Trim(riga.mid(da, tab < 0 ? -1 : tab - da));
        if (tab < 0) break;
        da = tab + 1;
    }
    return colonne;
}

FamigliaExport FamigliaIntestazione(const QStringList& c) {
    const QString c1 = c.value(0), c2 = c.value(1), c3 = c.value(2);
    const bool km = UgualeTesto(c2, QStringLiteral("km"));
    if (km && UgualeTesto(c1.right(3), QStringLiteral("ora")) &&
        UgualeTesto(c3, QStringLiteral("istruzioni")))
        return FamigliaExport::Istruzioni;
    if (km && UgualeTesto(c1.right(4), QStringLiteral("time")) &&
        UgualeTesto(c3, QStringLiteral("instruction")))
        return FamigliaExport::Istruzioni;
    if (UgualeTesto(c1.mid(2), QString::fromUtf8("località")) &&
        UgualeTesto(c2, QStringLiteral("direzione")) && UgualeTesto(c3, QStringLiteral("distanza")))
        return FamigliaExport::Localita;
    return FamigliaExport::Nessuna;
}

QString RilevaStradaCorrente(const QString& testo) {
    qsizetype inizio = -1;
    for (const char* m : {" onto ", " su ", " on ", " ["}) {
        const qsizetype p = testo.indexOf(QLatin1String(m));
        if (p >= 0) {
            inizio = p + qsizetype(qstrlen(m)) - 1;
            break;
        }
    }
    if (inizio < 0) return {};
    const QString resto = testo.mid(inizio);
    QString classi(resto.size(), QLatin1Char('0'));
    for (qsizetype i = 0; i < resto.size(); ++i) {
        const QChar c = resto.at(i);
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
            (c >= QLatin1Char('A') && c <= QLatin1Char('Z')))
            classi[i] = QLatin1Char('1');
        else if (c == QLatin1Char('[') || c == QLatin1Char(']'))
            classi[i] = QLatin1Char('2');
    }
    QString strada;
    const qsizetype parentesi = classi.lastIndexOf(QLatin1String("21"));
    if (parentesi >= 0) {
        const qsizetype fine = classi.indexOf(QLatin1Char('2'), parentesi + 1);
        const qsizetype n = (fine < 0 ? classi.size() : fine) - parentesi - 1;
        if (!classi.mid(parentesi + 1, n).contains(QLatin1Char('0'))) strada = resto.mid(parentesi + 1, n);
    }
    if (strada.isEmpty()) {
        const qsizetype p = classi.lastIndexOf(QLatin1String("011"));
        if (p >= 0) {
            const qsizetype fine = classi.indexOf(QLatin1String("10"), p + 1);
            strada = resto.mid(p + 1, fine < 0 ? -1 : fine - p);
        }
    }
    for (const char* parola : {"RIGHT", "LEFT", "DESTRA", "SINISTRA"}) strada.remove(QLatin1String(parola));
    return strada;
}

LuogoStrada EstraeTappaStrada(const QString& testo) {
    LuogoStrada ls;
    QStringList luoghi;
    for (const QString& parte : testo.split(QLatin1Char(','))) {
        const QString p = Trim(parte);
        if (ls.strada.isEmpty() && NumeroStrada(p))
            ls.strada = p.toUpper();
        else if (!p.isEmpty())
            luoghi << p;
    }
    ls.luogo = luoghi.join(QStringLiteral(", "));
    return ls;
}

EsitoExport LeggiExport(const QByteArray& byte) {
    EsitoExport esito;
    if (byte.size() < kByteMinimiExport) return esito;
    const QStringList righe = RigheTestoImport(byte);
    qsizetype inizio = 0;
    for (; inizio < std::min<qsizetype>(kRigheIntestazioneExport, righe.size()); ++inizio) {
        esito.famiglia = FamigliaIntestazione(EstraeColonneTappa(righe.at(inizio)));
        if (esito.famiglia != FamigliaExport::Nessuna) break;
    }
    StatoImport s;
    if (esito.famiglia == FamigliaExport::Istruzioni) {
        s.separatore = QLatin1Char(' ');
        LeggiIstruzioni(s, righe, inizio);
    } else if (esito.famiglia == FamigliaExport::Localita) {
        s.separatore = kBarra;
        LeggiLocalita(s, righe, inizio);
    }
    esito.tappe = s.tappe;
    return esito;
}
