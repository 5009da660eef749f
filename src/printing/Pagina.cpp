#include "printing/Pagina.h"

#include <cmath>

#include "common/Tempo.h"
#include "common/Testo.h"
#include "printing/Loghi.h"
#include "printing/Superficie.h"

namespace {

constexpr Colore kColoreIntestazione = 0xFFFFC0;  // pale yellow
const QStringList kTitoliColonne{"N.",   "Località", "Num.Strada", "Km",        "Str.",
                                 "",     "Tempo",    "Itinerario", "Sosta max", "Giorno",
                                 "Data", "Ora",      "Note",       "",          ""};
const QString kAllineamentoTitoli = QStringLiteral("101112111110000");
constexpr double kAltezzaTitoli = 6;

bool ENumero(const QString& parola) {
    if (parola.isEmpty()) return false;
    for (QChar c : parola)
        if (!c.isDigit()) return false;
    return true;
}

// The space of t nearest its middle, or -1.
qsizetype SpazioCentrale(const QString& t) {
    const qsizetype meta = t.size() / 2;
    qsizetype migliore = -1;
    for (qsizetype i = 0; i < t.size(); ++i)
        if (t.at(i) == QLatin1Char(' ') && (migliore < 0 || std::abs(i - meta) < std::abs(migliore - meta)))
            migliore = i;
    return migliore;
}

}  // namespace

void StatoStampa::arrotondaBordi() {
    for (size_t i = 0; i < bordi.size(); ++i) bordiInteri[i] = static_cast<int>(std::lround(bordi[i]));
}

Allineamento AllineamentoDaCifra(QChar cifra) {
    if (cifra == QLatin1Char('1')) return Allineamento::Centro;
    if (cifra == QLatin1Char('2')) return Allineamento::Destra;
    return Allineamento::Sinistra;
}

double StampaTesto(Superficie& s, const QString& txt, double riga, double daOrizz, double aOrizz,
                   bool grassetto, bool corsivo, double size, Allineamento allineato) {
    return StampaTesto(s, txt, riga, daOrizz, aOrizz, grassetto, corsivo, size, allineato, RiduzioneTesto{});
}

double StampaTesto(Superficie& s, const QString& txt, double riga, double daOrizz, double aOrizz,
                   bool grassetto, bool corsivo, double size, Allineamento allineato,
                   const RiduzioneTesto& r) {
    const QString t = Trim(txt);
    if (t.isEmpty()) return size;
    s.impostaGrassetto(grassetto);
    s.impostaCorsivo(corsivo);
    s.impostaDimensione(size);
    while (s.larghezzaTesto(t) + r.margine >= aOrizz - daOrizz &&
           (r.minimoIncluso ? size >= r.minimo : size > r.minimo)) {
        size -= r.passo;
        s.impostaDimensione(size);
    }
    const double larghezza = s.larghezzaTesto(t);
    double x = daOrizz;
    if (allineato == Allineamento::Centro) x = aOrizz + (daOrizz - aOrizz) / 2 - larghezza / 2 - 1;
    if (allineato == Allineamento::Destra) x = aOrizz - larghezza - 3;
    s.impostaPosizione(x, riga - s.altezzaTesto(t));
    s.stampa(t);
    return size;
}

void SettaFontNamePrinter(Superficie& s, bool esatto) {
    s.impostaNomeFont(kFontPreferito);
    if (s.nomeFont().compare(kFontPreferito, esatto ? Qt::CaseSensitive : Qt::CaseInsensitive) != 0)
        s.impostaNomeFont(kFontRiserva);
}

void StampaIntestaPagina(Superficie& s, StatoStampa& stato, const DatiPagina& dati, bool& primo,
                         const std::function<void()>& caratteristiche) {
    SettaFontNamePrinter(s);
    s.impostaColoreRiempimento(kColoreIntestazione);
    s.impostaRiempimento(Riempimento::Pieno);
    s.impostaSpessoreLinea(3);
    stato.rigaCorrente = 10;
    s.linea(40, 10, 130, 20, true);
    s.linea(135, 10, 175, 20, true);
    s.linea(180, 10, 200, 20, true);
    s.immagine(LogoSito(), 10, 5, 15, 15);

    stato.rigaCorrente = 18;
    StampaTesto(s, dati.localita, 18, 40, 130, true, false, 11, Allineamento::Centro);
    StampaTesto(s, dati.nazione, 18, 135, 175, false, false, 10, Allineamento::Centro);
    StampaTesto(s, QStringLiteral("Pagina: ") + Zero(s.numeroPagina(), 2), 18, 180, 200, true, true, 9,
                Allineamento::Centro);

    stato.rigaCorrente = 22;
    if (primo) {
        if (caratteristiche) caratteristiche();
        stato.rigaCorrente -= 1;
        primo = false;
    }

    const float y = stato.rigaCorrente;
    const int ultima = stato.numeroColonne;
    s.impostaSpessoreLinea(3);
    s.impostaRiempimento(Riempimento::Pieno);
    s.linea(stato.bordo(1) - 2, y, stato.bordo(ultima), y + kAltezzaTitoli, true);
    // The titles stand inside their 6 mm box.
    const double base = y + kAltezzaTitoli - 1;
    for (int c = 1; c < ultima; ++c) {
        const double da = stato.bordo(c);
        const double a = stato.bordo(c + 1);
        if (c > 1) s.linea(da, y, da, y + kAltezzaTitoli);
        StampaTesto(s, kTitoliColonne.value(c - 1), base, da, a, true, false, 8,
                    AllineamentoDaCifra(kAllineamentoTitoli.at(c - 1)));
        if (c == ultima - 1)
            StampaTesto(s, QStringLiteral("Guide"), base, da, a, true, false, 8, Allineamento::Destra);
    }
    if (ultima > 7)
        StampaTesto(s, QStringLiteral("Km/Prog."), base, stato.bordo(6) - 5, stato.bordo(7) + 5, true, false,
                    8, Allineamento::Centro);
    stato.rigaCorrente = y + kAltezzaTitoli + stato.altezzaRiga;
}

void StampaFinePagina(Superficie& s, StatoStampa& stato, const DatiPagina& dati) {
    if (!stato.paginaAperta()) return;
    const int ultima = stato.numeroColonne;
    StampaTesto(s, dati.oggi.toString(QStringLiteral("dd/MM/yyyy")), stato.rigaCorrente, stato.bordo(1),
                stato.bordo(4), false, true, 6, Allineamento::Sinistra);
    StampaTesto(s, dati.titoloFinestra, stato.rigaCorrente, 1, stato.bordo(ultima), false, true, 6,
                Allineamento::Destra);
    stato.rigaCorrente -= stato.altezzaRiga;
    s.impostaSpessoreLinea(3);
    s.impostaRiempimento(Riempimento::Trasparente);
    // The border starts 2 mm down so that a full-page PDF keeps the whole line.
    s.linea(stato.bordo(1) - 2, 2, stato.bordo(ultima), stato.rigaCorrente, true);
    s.nuovaPagina();
    stato.rigaCorrente = StatoStampa::kPaginaChiusa;
}

QStringList RigheNomeFrontespizio(Superficie& s, const QString& nome, double larghezza) {
    QStringList parole = Trim(nome).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString numero;
    if (parole.size() > 1 && ENumero(parole.last())) numero = parole.takeLast();
    QStringList righe;
    const QString testo = parole.join(QLatin1Char(' '));
    const qsizetype spazio = SpazioCentrale(testo);
    if (s.larghezzaTesto(testo) + 1 >= larghezza && spazio > 0)
        righe << testo.left(spazio) << testo.mid(spazio + 1);
    else if (!testo.isEmpty())
        righe << testo;
    if (!numero.isEmpty()) righe << numero;
    return righe;
}

void StampaFrontespizio(Superficie& s, int tipo, const QString& nomeMeta, const std::array<bool, 4>& voci,
                        const QString& periodo) {
    s.impostaSpessoreLinea(8);
    s.impostaRiempimento(Riempimento::Trasparente);
    s.linea(10, 10, 200, 287, true);
    s.immagine(LogoSito(), 20, 20, 35, 35);
    s.immagine(Logo1(), 150, 18, 40, 40);

    s.impostaGrassetto(true);
    s.impostaCorsivo(false);
    s.impostaDimensione(48);
    double y = 110;
    for (const QString& riga : RigheNomeFrontespizio(s, nomeMeta, 195 - 16)) {
        StampaTesto(s, riga, y, 16, 195, true, false, 48, Allineamento::Centro);
        y += 21;
    }
    y += 14;
    QStringList contenuto;
    if (tipo == 0) contenuto << QStringLiteral("Zavetra");
    if (tipo == 1)
        for (size_t i = 0; i < voci.size(); ++i)
            if (voci[i]) contenuto << kVociFrontespizio.at(static_cast<qsizetype>(i));
    for (const QString& voce : contenuto) {
        StampaTesto(s, voce, y, 15, 195, true, false, 36, Allineamento::Centro);
        y += 16;
    }
    y += 14;
    StampaTesto(s, periodo, y, 16, 195, true, false, 24, Allineamento::Centro);
    s.nuovaPagina();
}
