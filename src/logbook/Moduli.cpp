#include "logbook/Moduli.h"

#include <cmath>

#include "Versione.h"
#include "common/Date.h"
#include "common/Testo.h"
#include "printing/Loghi.h"
#include "printing/Pagina.h"
#include "printing/Superficie.h"

namespace {

constexpr double kPassoRiduzione = 0.4;
constexpr double kDimensioneMinima = 2;
constexpr double kLarghezzaRiga = 160;  // widest line of the destination and of the legend
constexpr int kMaxRighe = 20;

constexpr Colore kBianco = 0xFFFFFF;
constexpr Colore kAzzurro = 0xC0FFFF;
constexpr Colore kVerde = 0xC0FFC0;
constexpr Colore kGiallo = 0xFFFFC0;
constexpr Colore kArancio = 0xFFE0C0;

const QString kTitolo = QStringLiteral("Lunoro");
const QString kCommento = QStringLiteral("Moduli del Lunoro - by");
const QString kLegenda = QStringLiteral(
    "Div=Divisa, AA=Autostrada, AS=Altre strade, TR=Traghetti, TU=Tunnel, PT=Ponti, P=Parcheggi, "
    "M=Musei, C=Luoghi culto, E=Escursioni, V=Varie,");

constexpr auto S = Allineamento::Sinistra;
constexpr auto C = Allineamento::Centro;
constexpr auto R = Allineamento::Destra;

// Short names keep the layout tables below readable.
void Testo(Superficie& s, const QString& t, double y, double da, double a, double size, bool g = false,
           bool i = false, Allineamento al = S) {
    kestrin::StampaTesto(s, t, y, da, a, g, i, size, al);
}

void Box(Superficie& s, double x1, double y1, double x2, double y2, Colore fondo) {
    s.impostaRiempimento(Riempimento::Pieno);
    s.impostaColoreRiempimento(fondo);
    s.linea(x1, y1, x2, y2, true);
}

void Riga(Superficie& s, double x1, double y1, double x2, double y2) {
    s.linea(x1, y1, x2, y2);
}

void StampaLocalita(Superficie& s, const GeometriaModuli& g, const QString& localita, double size) {
    s.impostaGrassetto(true);
    s.impostaCorsivo(false);
    s.impostaDimensione(size);
    const QStringList righe = RigheLocalita(s, localita, size);
    for (int i = 0; i < righe.size(); ++i)
        Testo(s, righe.at(i), g.BOT / 2 + i * (size / 2) * 1.1, 25, 180, size, true, false, C);
}

void Intestazione(Superficie& s, const DatiModuli& d, int p) {
    if (d.datati) {
        Testo(s, d.destinazione, 12, 30, 105, 16, true);
        Testo(s, d.periodo, 12, 155, 195, 12, true, true, R);
    } else {
        Testo(s, QStringLiteral("Meta del viaggio"), 8, 30, 75, 6);
        Testo(s, QStringLiteral("Periodo"), 8, 156, 195, 6);
    }
    Testo(s, kTitolo, 12, 100, 165, 15, true, true, C);

    Testo(s, QStringLiteral("Pernottamento"), 19.4, 12, 100, 12, true, false, C);
    Testo(s, QStringLiteral("Località"), 23.5, 11, 100, 7);
    Testo(s, QStringLiteral("Nazione"), 23.5, 95.5, 110, 7);
    Testo(s, QStringLiteral("Indirizzo"), 31.2, 11, 100, 7);
    const QStringList sistemazioni{"Campeggio", "Area attrezz.", "Punto sosta", "Park libero",
                                   "Altro (specif.)"};
    for (int i = 0; i < sistemazioni.size(); ++i) Testo(s, sistemazioni.at(i), 19 + 5 * i, 111, 125, 7);
    Testo(s, QStringLiteral("Gratis"), 19, 128, 144, 8, false, false, C);
    Testo(s, QStringLiteral("Div."), 25.5, 131, 135.5, 7, false, false, C);
    Testo(s, QStringLiteral("Importo"), 25.5, 136, 146, 7, false, false, C);

    Testo(s, QStringLiteral("Contakm."), 19, 145, 167, 10, true, false, C);
    Testo(s, QStringLiteral("Progr."), 22, 146, 167, 6);
    Testo(s, QStringLiteral("Oggi"), 24.5, 146, 167, 6);
    Testo(s, QStringLiteral("Progr."), 27.5, 146, 167, 6);
    Testo(s, p > 1 ? QStringLiteral("Ieri") : QStringLiteral("Partenza"), 29.5, 146, 167, 6);
    Testo(s, QStringLiteral("Km"), 32.5, 146, 167, 6);
    Testo(s, QStringLiteral("oggi"), 34.5, 146, 167, 6);
    Testo(s, QStringLiteral("Coordinate GPS"), 40, 130, 150, 10, true);
    Testo(s, QStringLiteral("Latitudine"), 38, 151, 190, 6);
    Testo(s, QStringLiteral("Longitudine"), 38, 173, 190, 6);
    Testo(s, QStringLiteral("Servizi"), 37.5, 11, 21, 7);
    Testo(s, QStringLiteral("presenti"), 40.5, 11, 21, 7);

    if (d.datati) {
        const int giorno = d.giornoIniziale + p - 1;
        const QString data = Giu2Datas(giorno);
        Testo(s, SiglaGiorno(giorno), 25, 166, 176, 20, true, false, C);
        Testo(s, data.mid(0, 2), 25, 177, 186, 20, true, false, R);
        Testo(s, data.mid(2, 2), 25, 187, 196, 20, true, false, R);
        Testo(s, QStringLiteral("Giorno %1 di %2").arg(p).arg(d.pagine), 33, 165, 195, 12, false, false, C);
    } else {
        Testo(s, QStringLiteral("Giorno"), 17, 166, 176, 6, false, false, C);
        Testo(s, QStringLiteral("settimana"), 19, 166, 176, 6, false, false, C);
        Testo(s, QStringLiteral("Giorno"), 17, 177, 186, 6, false, false, C);
        Testo(s, QStringLiteral("mese"), 19, 177, 186, 6, false, false, C);
        Testo(s, QStringLiteral("Mese"), 18, 187, 195, 6, false, false, C);
        Testo(s, QStringLiteral("Numero progressivo pagina"), 29, 166, 195, 6);
    }
}

void Servizi(Superficie& s) {
    const QStringList nomi{"Voviva", "Punto", "Elettricità", "Bagni", "Docce", "Pic-nic"};
    const QStringList secondaRiga{"Service", "Sosta"};
    for (int i = 0; i < nomi.size(); ++i) {
        const double x = 22.1 + 14.8 * i;
        s.impostaSpessoreLinea(1);
        Riga(s, x - 1, 34, x - 1, 41);
        Box(s, x + 9.7, 36, x + 12.7, 39, kBianco);
        Testo(s, nomi.at(i), i < 2 ? 37.5 : 39.5, x - 0.5, x + 18.8, 6.6);
        if (i < 2) Testo(s, secondaRiga.at(i), 40.5, x + 1, x + 16.5, 6.6);
    }
}

void ControlliESerbatoi(Superficie& s, double LOW) {
    Testo(s, QStringLiteral("Località visitate"), 48.5, 10, 60, 12, true, false, C);
    Testo(s, QStringLiteral("Descrizione"), 48.5, 60, 175, 12, true, false, C);
    Testo(s, QStringLiteral("Foto"), 48.5, 180, 190, 12, true, false, C);
    Testo(s, QStringLiteral("Altre informazioni e spese della giornata"), LOW - 0.5, 10, 195, 10, true, false,
          C);
    Testo(s, QStringLiteral("Controlli"), LOW + 4, 10, 28, 8, true, false, C);
    Testo(s, QStringLiteral("del mezzo"), LOW + 8, 10, 28, 8, true, false, C);
    const QStringList controlli{"Olio", "Paraflou", "Freni", "Pneumatici"};
    for (int i = 0; i < controlli.size(); ++i) Testo(s, controlli.at(i), LOW + 14 + 5 * i, 11, 23.8, 7);
    Testo(s, QStringLiteral("Carico e scarico serbatoi acque potabili, grigie e nere"), LOW + 4.5, 30, 195, 8,
          true, false, C);
    Testo(s, QStringLiteral("Acque"), LOW + 12, 29, 60, 8, true);
    const QStringList acque{"Potabili", "Grigie", "Nere"};
    for (int i = 0; i < acque.size(); ++i) Testo(s, acque.at(i), LOW + 19.5 + 5 * i, 29, 90, 7);
    Testo(s, QStringLiteral("Importo"), LOW + 9.1, 41.5, 53, 6, true, false, C);
    Testo(s, QStringLiteral("Div"), LOW + 13.5, 40.5, 60, 6, true);
    Testo(s, QStringLiteral("Prezzo"), LOW + 13.5, 45.5, 60, 6, true);
    Testo(s, QStringLiteral("Località"), LOW + 12, 53, 83, 8, true, false, C);
    Testo(s, QStringLiteral("Ubicazione"), LOW + 12, 83, 125, 8, true, false, C);
    Testo(s, QStringLiteral("Gestore"), LOW + 12, 130, 155, 8, true, false, C);
    Testo(s, QStringLiteral("Coordinate GPS"), LOW + 9.1, 155, 195, 8, true, false, C);
    Testo(s, QStringLiteral("Latitudine"), LOW + 13.5, 155, 175, 6, true, false, C);
    Testo(s, QStringLiteral("Longitudine"), LOW + 13.5, 175, 195, 6, true, false, C);
}

void CarburanteESpese(Superficie& s, const GeometriaModuli& g) {
    const double MID = g.MID, BOT = g.BOT, p = g.s;
    Testo(s, QStringLiteral("Carburante"), MID + 4.2, 10, 70, 8, true, false, C);
    const QStringList carburante{"Litri", "Div.", "Unitario", "Importo", "Km."};
    const double bordi[] = {10, 22, 30, 42, 56, 70};
    for (int i = 0; i < carburante.size(); ++i)
        Testo(s, carburante.at(i), MID + 9, bordi[i], bordi[i + 1], 6, false, false, C);
    Testo(s, QStringLiteral("Gas/Gpl"), BOT - 2 * p - 0.8, 10, 70, 8, true, false, C);
    Testo(s, QStringLiteral("Codifica delle spese"), MID + 4, 70, 195, 8, true, false, C);
    for (const double x0 : {70.0, 132.5}) {
        Testo(s, QStringLiteral("Cod."), MID + 9, x0 + 1, x0 + 6, 6);
        Testo(s, QStringLiteral("Div."), MID + 9, x0 + 7, x0 + 12, 6);
        Testo(s, QStringLiteral("Importo"), MID + 9, x0 + 13, x0 + 25, 6, false, false, C);
        Testo(s, QStringLiteral("Località/Descrizione/Da-A/Tempo/ecc."), MID + 9, x0 + 26, x0 + 62.5, 6,
              false, false, C);
    }

    s.impostaSpessoreLinea(1);
    // Fuel columns run through the fuel rows and the gas rows, not across the gas heading.
    for (const double x : {21.0, 29.0, 41.0, 55.0}) {
        Riga(s, x, BOT - 7 * p, x, BOT - 3 * p);
        Riga(s, x, BOT - 2 * p, x, BOT - p);
    }
    Riga(s, 70, BOT - 8 * p, 70, BOT - p);
    for (const double x0 : {70.0, 132.5})
        for (const double dx : {6.0, 12.0, 25.0}) Riga(s, x0 + dx, BOT - 7 * p, x0 + dx, BOT - p);
    Riga(s, 132.5, BOT - 7 * p, 132.5, BOT - p);
    for (int k = 7; k >= 2; --k)
        if (k != 6) Riga(s, 10, BOT - k * p, 195, BOT - k * p);
}

void Legenda(Superficie& s, const GeometriaModuli& g, const QString& crediti) {
    const double BOT = g.BOT;
    s.impostaGrassetto(false);
    s.impostaCorsivo(false);
    double size = 8;
    s.impostaDimensione(size);
    while (s.larghezzaTesto(kLegenda) > kLarghezzaRiga && size > kDimensioneMinima) {
        size -= 0.33;
        s.impostaDimensione(size);
    }
    double pos = 10;
    s.impostaSpessoreLinea(1);
    for (const QString& pezzo : kLegenda.split(QLatin1Char(','))) {
        const QString t = Trim(pezzo);
        if (t.isEmpty()) continue;
        Testo(s, t, BOT - 0.5, pos + 1, 195, size);
        s.impostaDimensione(size);
        pos += s.larghezzaTesto(t) + 1.5;
        Riga(s, pos, BOT - g.s, pos, BOT);
    }
    // The credit line goes on two lines, broken before its "by".
    const qsizetype by = crediti.indexOf(QStringLiteral("by"));
    const QString prima = by < 0 ? crediti : crediti.left(std::max<qsizetype>(0, by - 3));
    const QString seconda = by < 0 ? QString() : crediti.mid(std::max<qsizetype>(0, by - 3));
    Testo(s, prima, BOT - 2.5, pos + 0.5, 195, 5, false, false, C);
    Testo(s, seconda, BOT - 0.3, pos + 0.5, 195, 5, false, false, C);
}

}  // namespace

namespace kestrin {

double StampaTesto(Superficie& s, const QString& txt, double riga, double daOrizz, double aOrizz,
                   bool grassetto, bool corsivo, double size, Allineamento allineato) {
    // The logbook's texts shrink closer to the band's edge, in larger steps and much further.
    static constexpr RiduzioneTesto kRiduzioneModuli{0.3, kPassoRiduzione, kDimensioneMinima, false};
    return ::StampaTesto(s, txt, riga, daOrizz, aOrizz, grassetto, corsivo, size, allineato,
                         kRiduzioneModuli);
}

void SettaFontNamePrinter(Superficie& s) {
    ::SettaFontNamePrinter(s, true);
}

}  // namespace kestrin

GeometriaModuli GeometriaModuli::da(double altezzaStampabile) {
    GeometriaModuli g;
    g.BOT = altezzaStampabile - 10;
    g.MID = g.BOT - 40;
    g.LOW = g.BOT - 70;
    g.s = (g.BOT - g.LOW) / std::round((g.BOT - g.LOW) / 5);
    return g;
}

QString RigaCrediti() {
    return QStringLiteral("Kestrin %1.%2.%3 %4 %5")
        .arg(ZAVETRA_VERSIONE_MAJOR)
        .arg(ZAVETRA_VERSIONE_MINOR)
        .arg(ZAVETRA_VERSIONE_PATCH)
        .arg(kCommento, QStringLiteral(ZAVETRA_AZIENDA));
}

QString SiglaGiorno(int giorno) {
    const int w = ((giorno % 7) + 7) % 7;
    return QStringLiteral("SaDoLuMaMeGiVeSaDo").mid(2 * w, 2);
}

QStringList RigheLocalita(Superficie& s, const QString& localita, double size) {
    s.impostaGrassetto(true);
    s.impostaCorsivo(false);
    s.impostaDimensione(size);
    QStringList righe;
    QString resto = Trim(localita);
    while (!resto.isEmpty() && righe.size() < kMaxRighe) {
        // The longest leading part that ends at a space or at the end and is narrow enough.
        qsizetype fine = -1;
        for (qsizetype i = 1; i <= resto.size(); ++i) {
            if (i < resto.size() && resto.at(i) != QLatin1Char(' ')) continue;
            if (s.larghezzaTesto(resto.left(i)) >= kLarghezzaRiga) break;
            fine = i;
        }
        if (fine < 0) {
            fine = resto.indexOf(QLatin1Char(' '));
            if (fine < 0) fine = resto.size();
        }
        righe << Trim(resto.left(fine));
        resto = Trim(resto.mid(fine));
    }
    return righe;
}

void StampaCopertina(Superficie& s, const GeometriaModuli& g, const DatiModuli& d) {
    const double BOT = g.BOT;
    s.impostaSpessoreLinea(8);
    s.impostaRiempimento(Riempimento::Trasparente);
    s.linea(15, 15, 195, BOT, true);
    s.immagine(Logo1(), 22, 20, 15, 15);
    s.immagine(Logo2(), 170, 19, 18, 18);
    if (d.datati) {
        StampaLocalita(s, g, d.destinazione, 48);
        Testo(s, d.periodo, BOT - 20, 16, 195, 24, true, false, C);
    } else {
        s.linea(35, BOT / 2, 175, BOT / 2);
        Testo(s, QStringLiteral("Meta del viaggio"), BOT / 2 + 3, 15, 195, 6, false, true, C);
        s.linea(35, BOT - 20, 175, BOT - 20);
        Testo(s, QStringLiteral("Periodo"), BOT - 17, 15, 195, 6, false, true, C);
    }
    Testo(s, kTitolo, BOT - 55, 15, 195, 36, true, false, C);
    Testo(s, d.crediti, BOT - 5, 15, 195, 8, false, true, C);
}

void StampaPaginaGiorno(Superficie& s, const GeometriaModuli& g, const DatiModuli& d, int p) {
    const double BOT = g.BOT, MID = g.MID, LOW = g.LOW, q = g.s;
    s.immagine(Logo1(), 10, 6, 7, 7);
    s.immagine(Logo2(), 18, 5, 8, 8);

    s.impostaSpessoreLinea(5);
    Box(s, 10, 14, 195, 41, kBianco);
    Box(s, 28, 5, 195, 13, kAzzurro);
    Box(s, 10, 14, 110, 20, kVerde);
    Box(s, 145, 14, 165, 19, kAzzurro);
    Box(s, 165, 14, 195, 26, kVerde);
    Box(s, 10, 42, 195, 49, kGiallo);
    Box(s, 129.5, 35, 150, 41, kArancio);
    Box(s, 10, 49.5, 195, BOT, kBianco);
    Box(s, 10, LOW - 5, 195, LOW, kArancio);
    Box(s, 10, LOW, 28, LOW + 8, kVerde);
    Box(s, 28, LOW, 195, LOW + 5, kVerde);
    Box(s, 10, BOT - 8 * q, 70, BOT - 7 * q, kVerde);
    Box(s, 70, BOT - 8 * q, 195, BOT - 7 * q, kGiallo);
    Box(s, 10, BOT - 3 * q, 70, BOT - 2 * q, kVerde);
    Box(s, 10, BOT - q, 195, BOT, kAzzurro);

    s.impostaSpessoreLinea(1);
    const double sottili[][4] = {
        {110, 14, 110, 41},      {145, 14, 145, 35},       {165, 26, 165, 35}, {150, 35, 195, 35},
        {110, 5, 110, 13},       {155, 5, 155, 13},        {10, 28, 110, 28},  {10, 34, 110, 34},
        {95, 20, 95, 28},        {129.5, 14, 129.5, 35},   {135, 21, 135, 35}, {129.5, 21, 145, 21},
        {129.5, 26, 145, 26},    {145, 24.5, 165, 24.5},   {145, 30, 165, 30}, {175, 14, 175, 26},
        {185, 14, 185, 26},      {172, 35, 172, 41},       {60, 42, 60, 49},   {176, 42, 176, 49},
        {60, 49.5, 60, LOW - 5}, {175, 49.5, 175, LOW - 5}};
    for (const auto& l : sottili) Riga(s, l[0], l[1], l[2], l[3]);
    s.impostaSpessoreLinea(5);
    Riga(s, 10, MID, 195, MID);
    s.impostaSpessoreLinea(1);
    Riga(s, 28, LOW + 8, 28, LOW + 30);
    for (const double y : {14.0, 20.0, 25.0, 30.0}) Riga(s, 28, LOW + y, 195, LOW + y);
    for (const double x : {40.0, 53.0, 83.0, 130.0, 155.0}) Riga(s, x, LOW + 5, x, LOW + 30);
    for (const double x : {44.0, 175.0}) Riga(s, x, LOW + 10, x, LOW + 30);
    Riga(s, 40, LOW + 10, 53, LOW + 10);
    Riga(s, 155, LOW + 10, 195, LOW + 10);
    s.impostaSpessoreLinea(5);
    Riga(s, 10, BOT - 6 * q, 195, BOT - 6 * q);

    s.impostaSpessoreLinea(1);
    for (int i = 0; i < 5; ++i) Box(s, 125, 16 + 5 * i, 128, 19 + 5 * i, kBianco);
    Box(s, 140, 16, 143, 19, kBianco);
    for (const double y : {11.0, 16.0, 21.0, 26.0}) Box(s, 24, LOW + y, 27, LOW + y + 3, kBianco);

    for (double y = 51; LOW - 11 > y;) {
        y += 5.5;
        Riga(s, 12, y, 58, y);
        Riga(s, 62, y, 173, y);
        Riga(s, 177, y, 193, y);
    }

    Intestazione(s, d, p);
    Servizi(s);
    ControlliESerbatoi(s, LOW);
    CarburanteESpese(s, g);
    Legenda(s, g, d.crediti);
}
