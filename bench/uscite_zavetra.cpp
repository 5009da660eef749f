// Not a benchmark: the witness of bench/confronta-uscite.  It makes the data directories of the
// generated trips and writes every cell (text and bold) of their computed schedules, with the
// computed boxes and the fitting's counts, so that two builds can be compared byte for byte.
//
//   uscite_zavetra crea CARTELLA TAPPE VOCI GIORNI SOSTE RIPOSODOPOGIORNI
//   uscite_zavetra griglia CARTELLA GIORNI
#include <QCoreApplication>
#include <QTextStream>

#include "GiroBench.h"
#include "common/Dialoghi.h"
#include "common/Griglia.h"
#include "common/Progresso.h"
#include "database/TipiGuida.h"
#include "itinerary/GrigliaItinerario.h"
#include "itinerary/Tappe.h"
#include "schedule/Zavetra.h"
#include "trips/Meta.h"

namespace {

void ScriviParametri(Archivio& a, const QStringList& arg) {
    giro::Prepara(a, arg[3].toInt(), arg[4].toInt());
    RowSet meta = a.dati().apriRowSet(
        Query::di(QStringLiteral("MeteCamper")).dove(QStringLiteral("CodiceMeta"), giro::kMeta));
    meta.modifica();
    const BoxMeta p = giro::Parametri();
    meta.imposta(QStringLiteral("DataInizio"), QStringLiteral("04032024"));
    meta.imposta(QStringLiteral("OraInizio"), QStringLiteral("0800"));
    const char* const medie[] = {"MediaAutostrada", "MediaSuperStrada", "MediaPrincipale", "MediaLocale"};
    for (int i = 0; i < 4; ++i)
        meta.imposta(QString::fromLatin1(medie[i]), MediaMemorizzata(p.cmbMediaKm[i]));
    const char* const coppie[] = {"OraColazione", "OraPranzo",    "OraCena",    "OraNotte",    "DurataPranzo",
                                  "DurataCena",   "InizioVisita", "FineVisita", "OreTraghetti"};
    for (int i = 0; i < 9; ++i) meta.imposta(QString::fromLatin1(coppie[i]), CoppiaMemorizzata(p, i));
    meta.imposta(QStringLiteral("RiposoMinuti"), p.cmbRipM);
    meta.imposta(QStringLiteral("RiposoOre"), p.cmbRipH);
    meta.imposta(QStringLiteral("RiposoGiorno"), p.cmbRipG);
    meta.imposta(QStringLiteral("RiposoDopoGiorni"), arg[7]);
    meta.imposta(QStringLiteral("CalcoloSoste"), arg[6]);
    meta.imposta(QStringLiteral("Range"), p.cmbRange);
    meta.imposta(QStringLiteral("GiorniAdeguamento"), arg[5]);
    meta.memorizza();
}

int Griglia_(const QString& cartella, const QString& giorni) {
    Archivio archivio(cartella);
    archivio.AvviaDatabase();
    const TabellaTipiGuida tipi = CaricaTipiGuida(archivio);
    BoxMeta box;
    QString codice = giro::kMeta;
    if (!CaricaDatiAnagraficiMeta(codice, box, archivio)) return 2;
    Griglia tab;
    ImpostaGriglia(tab, LayoutItinerario);
    CaricaTappeItinerario(archivio, tab, codice, box);
    box.cmbGiorni = giorni;
    Griglia copia;
    ProgressoMemoria progresso;
    DialoghiScriptati dialoghi;
    const EsitoZavetra e = CalcolaZavetra({archivio, box, codice, tab, copia, tipi, progresso, dialoghi});
    QTextStream out(stdout);
    out << "eseguito " << e.eseguito << " errore " << e.errore << " messaggio " << e.messaggio
        << " tentativi " << e.tentativi << " passi " << e.passi << " coefficiente " << e.coefficienteTesto
        << " usati " << e.giorniUsati << " desiderati " << e.giorniDesiderati << '\n';
    for (const QString& t : box.txtFine) out << "fine " << t << '\n';
    for (const QString& t : box.txtKmTot) out << "km " << t << '\n';
    for (const QString& t : box.txtTempo) out << "tempo " << t << '\n';
    out << "tragh " << box.txtTragh << '\n';
    out << "righe " << tab.righe() << " colonne " << tab.colonne() << " cursore " << tab.riga() << ','
        << tab.colonna() << ',' << tab.rigaSel() << ',' << tab.colonnaSel() << ',' << tab.rigaInAlto()
        << '\n';
    for (int r = 0; r < tab.righe(); ++r) {
        for (int c = 0; c < tab.colonne(); ++c)
            out << (tab.grassetto(r, c) ? "*" : "") << tab.testo(r, c) << '|';
        out << '\n';
    }
    for (int r = 0; r < copia.righe(); ++r) {
        for (int c = 0; c < copia.colonne(); ++c) out << copia.testo(r, c) << '|';
        out << '\n';
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arg = QCoreApplication::arguments();
    if (arg.size() == 8 && arg[1] == QLatin1String("crea")) {
        Archivio archivio(arg[2]);
        ScriviParametri(archivio, arg);
        return 0;
    }
    if (arg.size() == 4 && arg[1] == QLatin1String("griglia")) return Griglia_(arg[2], arg[3]);
    QTextStream(stderr) << "uso: uscite_zavetra crea CARTELLA TAPPE VOCI GIORNI SOSTE RIPOSODOPOGIORNI\n"
                           "     uscite_zavetra griglia CARTELLA GIORNI\n";
    return 1;
}
