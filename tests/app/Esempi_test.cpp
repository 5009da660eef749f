// The two sample trips of esempi/: this file types them, writes them through the export, and checks
// that the committed files are exactly what it writes and that each trip, once imported into a new
// data directory, computes its schedule.  ZAVETRA_RIGENERA_ESEMPI=1 rewrites the files.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include "TestSupport.h"
#include "app/Batch.h"
#include "common/Orologio.h"
#include "common/Progresso.h"
#include "database/Archivio.h"
#include "exchange/BatchScambio.h"
#include "exchange/Esporta.h"

namespace {

struct Tappa {
    const char* localita;
    const char* strada;
    int km;
    const char* tipo;
    const char* sosta;  // gg:hh:mm
    bool fineGiorno;
};

struct Voce {
    const char* localita;
    const char* tipo;
    const char* descrizione;
    const char* tempo;
};

// A three-week loop from Oslo: the fjords to Bergen and Geiranger, the coast road to Bodø, the
// ferry to the Lofoten, Tromsø, the North Cape, and back south along the Swedish inland road.
const Tappa kCapoNord[] = {
    // clang-format off
    {"Oslo [Start]", "", 0, "", "", false}, {"Hønefoss", "E16", 60, "S", "", false},
    {"Fagernes", "E16", 125, "P", "", false}, {"Lærdal", "E16", 115, "P", "", false},
    {"Flåm", "E16", 45, "P", "00:02:00", false}, {"Voss", "E16", 65, "P", "", false},
    {"Bergen", "E16", 100, "P", "", true}, {"Halhjem", "E39", 35, "P", "", false},
    {"Sandvikvåg (traghetto)", "E39 TRAGH", 0, "", "", false}, {"Oppedal", "E39", 95, "P", "", false},
    {"Lavik (traghetto)", "E39 TRAGH", 0, "", "", false}, {"Førde", "E39", 55, "P", "", false},
    {"Nordfjordeid", "E39", 100, "P", "", false}, {"Hellesylt", "Rv60", 60, "L", "", false},
    {"Geiranger (traghetto)", "TRAGH", 0, "", "00:02:00", true}, {"Eidsdal", "Rv63", 20, "L", "", false},
    {"Linge (traghetto)", "TRAGH", 0, "", "", false}, {"Åndalsnes (Trollstigen)", "Rv63", 55, "L", "", false},
    {"Dombås", "E136", 105, "P", "", false}, {"Trondheim", "E6", 205, "P", "00:03:00", false},
    {"Steinkjer", "E6", 125, "P", "", false}, {"Mosjøen", "E6", 285, "P", "", false},
    {"Mo i Rana", "E6", 90, "P", "", false}, {"Polarsirkelsenteret", "E6", 80, "P", "00:01:00", false},
    {"Fauske", "E6", 100, "P", "", false}, {"Bodø", "Rv80", 63, "S", "", false},
    {"Moskenes (traghetto)", "TRAGH", 0, "", "", false}, {"Å i Lofoten", "E10", 5, "L", "00:01:30", false},
    {"Reine", "E10", 10, "L", "", false}, {"Leknes", "E10", 55, "P", "", false},
    {"Svolvær", "E10", 70, "P", "", false}, {"Narvik", "E10", 235, "P", "", false},
    {"Tromsø", "E8", 250, "P", "", false}, {"Breivikeidet", "Fv91", 25, "L", "", false},
    {"Svensby (traghetto)", "Fv91 TRAGH", 0, "", "", false}, {"Lyngseidet", "Fv91", 20, "L", "", false},
    {"Olderdalen (traghetto)", "TRAGH", 0, "", "", false}, {"Alta", "E6", 230, "P", "", false},
    {"Olderfjord", "E6", 125, "P", "", false}, {"Honningsvåg", "E69", 80, "P", "", false},
    {"Capo Nord", "E69", 34, "L", "00:03:00", true}, {"Lakselv", "E69", 190, "P", "", false},
    {"Karasjok", "E6", 75, "P", "", false}, {"Kautokeino", "Rv92", 130, "L", "", false},
    {"Karesuando", "E45", 120, "P", "", false}, {"Kiruna", "E45", 175, "P", "", false},
    {"Gällivare", "E10", 120, "P", "", false}, {"Jokkmokk", "E45", 95, "P", "00:01:00", false},
    {"Arvidsjaur", "E45", 160, "P", "", false}, {"Storuman", "E45", 175, "P", "", false},
    {"Vilhelmina", "E45", 70, "P", "", false}, {"Dorotea", "E45", 55, "P", "", false},
    {"Strömsund", "E45", 100, "P", "", false}, {"Östersund", "E45", 105, "P", "", false},
    {"Sveg", "E45", 190, "P", "", false}, {"Mora", "E45", 145, "P", "", false},
    {"Malung", "E45", 75, "P", "", false}, {"Torsby", "E45", 115, "P", "", false},
    {"Kongsvinger", "Rv61", 110, "P", "", false}, {"Oslo [End]", "Rv2", 95, "S", "", false},
    // clang-format on
};

// A week in Tuscany from Florence: the Chianti road to Siena, the Val d'Orcia, San Gimignano and
// Volterra, Pisa and Lucca.
const Tappa kToscana[] = {
    // clang-format off
    {"Firenze [Start]", "", 0, "", "", false}, {"Greve in Chianti", "SR222", 31, "L", "00:01:00", false},
    {"Siena", "SR222", 45, "P", "", false}, {"Pienza", "SR2", 55, "P", "00:01:30", false},
    {"Montepulciano", "SP146", 13, "L", "00:02:00", true},
    {"Montalcino", "SP146", 40, "L", "00:01:30", false}, {"Monteriggioni", "SR2", 55, "P", "00:01:00", false},
    {"San Gimignano", "SP1", 27, "P", "00:03:00", false}, {"Volterra", "SR68", 30, "P", "00:02:00", false},
    {"Pisa", "SR439", 65, "P", "", false}, {"Lucca", "SS12", 20, "P", "00:03:00", false},
    {"Firenze [End]", "A11", 80, "A", "", false},
    // clang-format on
};

const Voce kGuida[] = {
    // clang-format off
    {"Oslo", "01", "Vigelandsparken, le sculture di Gustav Vigeland", "01:30"},
    {"Oslo", "01", "Museo Fram a Bygdøy, la nave delle spedizioni polari", "01:30"},
    {"Oslo", "02", "Teatro dell'Opera, passeggiata sul tetto", "00:45"},
    {"Oslo", "02", "Museo Munch", "02:00"}, {"Oslo", "03", "Fortezza di Akershus", "01:00"},
    {"Oslo", "04", "Holmenkollen, trampolino e museo dello sci", "01:30"},
    {"Oslo", "07", "Bogstad Camping", "00:00"},
    {"Bergen", "01", "Bryggen, le case anseatiche sul porto", "01:30"},
    {"Bergen", "01", "Funicolare Fløibanen e monte Fløyen", "01:30"},
    {"Bergen", "02", "Troldhaugen, la casa di Edvard Grieg", "01:30"},
    {"Bergen", "03", "Mercato del pesce al Torget", "00:45"},
    {"Bergen", "03", "Bergenhus festning e Håkonshallen", "01:00"},
    {"Bergen", "07", "Lone Camping, Haukeland", "00:00"},
    {"Tromsø", "01", "Cattedrale artica, Ishavskatedralen", "00:45"},
    {"Tromsø", "01", "Funivia Fjellheisen sullo Storsteinen", "01:30"},
    {"Tromsø", "02", "Polaria, acquario artico", "01:30"}, {"Tromsø", "03", "Museo polare", "01:00"},
    {"Tromsø", "07", "Tromsø Camping, Tromsdalen", "00:00"},
    {"Firenze", "01", "Galleria degli Uffizi", "03:00"},
    {"Firenze", "01", "Duomo, Battistero e Cupola del Brunelleschi", "02:30"},
    {"Firenze", "01", "Galleria dell'Accademia, il David", "01:30"},
    {"Firenze", "02", "Ponte Vecchio, Palazzo Pitti e Giardino di Boboli", "03:00"},
    {"Firenze", "02", "Basilica di Santa Croce", "01:15"},
    {"Firenze", "03", "Piazzale Michelangelo al tramonto", "00:45"},
    {"Firenze", "07", "Camping Michelangelo, viale Michelangelo", "00:00"},
    {"Firenze", "05", "Parcheggio scambiatore Villa Costanza, tramvia per il centro", "00:00"},
    {"Siena", "01", "Piazza del Campo e Torre del Mangia", "01:30"},
    {"Siena", "01", "Duomo e Libreria Piccolomini", "02:00"},
    {"Siena", "03", "Complesso museale Santa Maria della Scala", "01:30"},
    {"Siena", "04", "Pinacoteca Nazionale", "01:00"},
    {"Siena", "05", "Parcheggio camper Il Fagiolone", "00:00"},
    {"Pisa", "01", "Piazza dei Miracoli e Torre pendente", "01:30"},
    {"Pisa", "01", "Duomo e Battistero di Pisa", "01:30"}, {"Pisa", "03", "Camposanto monumentale", "01:00"},
    {"Pisa", "04", "Lungarni e Santa Maria della Spina", "00:45"},
    {"Pisa", "05", "Area sosta camper di via di Pratale", "00:00"},
    // clang-format on
};

struct Meta {
    const char* codice;
    const char* localita;
    const char* nazione;
    const char* data;
    const char* medie[4];
    const char* giorni;
};

void ScriviMeta(Archivio& a, const Meta& m) {
    RowSet r = a.dati().apriTabella(a.nome(TabMeteCamper));
    r.aggiungi();
    // clang-format off
    const QList<QPair<const char*, const char*>> campi{
        {"CodiceMeta", m.codice}, {"Localita", m.localita}, {"Nazione", m.nazione}, {"DataInizio", m.data},
        {"OraInizio", "0900"}, {"MediaAutostrada", m.medie[0]}, {"MediaSuperStrada", m.medie[1]},
        {"MediaPrincipale", m.medie[2]}, {"MediaLocale", m.medie[3]}, {"OraColazione", "0900"},
        {"OraPranzo", "1230"}, {"DurataPranzo", "0130"}, {"OraCena", "1930"}, {"DurataCena", "0130"},
        {"OraNotte", "2200"}, {"RiposoMinuti", "15"}, {"RiposoOre", "02"}, {"RiposoGiorno", "01"},
        {"RiposoDopoGiorni", "06"}, {"InizioVisita", "0930"}, {"FineVisita", "1800"},
        {"OreTraghetti", "0100"}, {"GiorniAdeguamento", m.giorni}, {"CalcoloSoste", "3"}, {"Range", "15"},
        {"Coefficiente", "0"}};
    // clang-format on
    for (const auto& [campo, valore] : campi)
        r.imposta(QString::fromLatin1(campo), QString::fromUtf8(valore));
    r.memorizza();
}

template <std::size_t N>
void ScriviTappe(Archivio& a, const char* codice, const Tappa (&tappe)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        const Tappa& t = tappe[i];
        const auto oSpazio = [](const char* v) { return *v ? QString::fromLatin1(v) : QStringLiteral(" "); };
        test::tappa(a.dati(), QString::fromLatin1(codice),
                    QStringLiteral("%1").arg(i + 1, 4, 10, QLatin1Char('0')), QString::fromUtf8(t.localita),
                    QString::number(t.km),
                    {{"NomeStrada", QString::fromLatin1(t.strada) + QLatin1Char(' ')},
                     {"TipoStrada", oSpazio(t.tipo)},
                     {"TempoSosta", oSpazio(t.sosta)},
                     {"SostaGuidaCitta", QStringLiteral(" ")},
                     {"FineGiorno", t.fineGiorno ? QStringLiteral("1") : QStringLiteral("0")}});
    }
}

// The guide entries of the given localities only: each file carries the guide of its own trip.
void ScriviGuida(Archivio& a, const QStringList& localita) {
    for (const Voce& v : kGuida)
        if (localita.contains(QString::fromUtf8(v.localita)))
            test::voceGuida(a.dati(), QString::fromUtf8(v.localita), QString::fromUtf8(v.descrizione),
                            QString::fromLatin1(v.tempo),
                            {{"CodiceGuida", QString::fromLatin1(v.tipo)}, {"Gruppo", QStringLiteral(" ")}});
}

const Meta kMetaCapoNord{"000001", "Capo Nord", "Norvegia ", "14062027", {"080", "070", "060", "040"}, "021"};
const Meta kMetaToscana{"000001", "Toscana", "Italia ", "13092027", {"090", "075", "055", "040"}, "008"};

QString CartellaEsempi() {
    QString file = QString::fromUtf8(__FILE__);
    if (QFileInfo(file).isRelative()) file = QCoreApplication::applicationDirPath() + QLatin1Char('/') + file;
    return QFileInfo(file).absoluteDir().filePath(QStringLiteral("../../esempi"));
}

struct Esempio {
    const char* file;
    const Meta* meta;
    void (*tappe)(Archivio&);
    QStringList citta;
};

const Esempio kEsempi[] = {
    {"capo-nord.iei",
     &kMetaCapoNord,
     [](Archivio& a) { ScriviTappe(a, "000001", kCapoNord); },
     {"Oslo", "Bergen", "Tromsø"}},
    {"toscana.iei",
     &kMetaToscana,
     [](Archivio& a) { ScriviTappe(a, "000001", kToscana); },
     {"Firenze", "Siena", "Pisa"}},
};

// The exchange file of one sample, written from a database that holds only that trip.
QByteArray Genera(const Esempio& e) {
    QTemporaryDir dir;
    Archivio a(dir.path());
    a.AvviaDatabase();
    ScriviMeta(a, *e.meta);
    e.tappe(a);
    ScriviGuida(a, e.citta);
    const QString percorso = dir.filePath(QStringLiteral("esempio.iei"));
    ProgressoMemoria progresso;
    EXPECT_TRUE(ScriviEsportazione(a, {QString::fromLatin1(e.meta->codice)}, percorso, progresso));
    return test::leggiFile(percorso);
}

TEST(Esempi, IFileSonoQuelliCheIlGeneratoreScrive) {
    const bool rigenera = qEnvironmentVariableIsSet("ZAVETRA_RIGENERA_ESEMPI");
    for (const Esempio& e : kEsempi) {
        const QString percorso = QDir(CartellaEsempi()).filePath(QString::fromLatin1(e.file));
        const QByteArray atteso = Genera(e);
        if (rigenera) test::scriviFile(percorso, atteso);
        EXPECT_EQ(test::leggiFile(percorso), atteso) << percorso.toStdString();
    }
}

TEST(Esempi, ImportatiInUnaCartellaNuovaCalcolanoLaZavetra) {
    QTemporaryDir dir;
    QString uscita, errori;
    QTextStream out(&uscita), err(&errori);
    for (const Esempio& e : kEsempi)
        ASSERT_EQ(EseguiImporta(dir.path(), QDir(CartellaEsempi()).filePath(QString::fromLatin1(e.file)), {},
                                out, err),
                  kUscitaRiuscita)
            << errori.toStdString();
    // Both samples carry the code 000001: the second is stored as 000002.
    EXPECT_TRUE(uscita.contains("1 mète/itinerari;\n60 tratti stradali;\n18 guide/informazioni località."))
        << uscita.toStdString();
    EXPECT_TRUE(uscita.contains("1 mète/itinerari;\n12 tratti stradali;\n18 guide/informazioni località."));
    EXPECT_FALSE(uscita.contains("scartati"));

    const OrologioFisso orologio{QDateTime(QDate(2027, 1, 10), QTime(10, 0))};
    for (const char* codice : {"000001", "000002"}) {
        const EsitoBatch esito = EseguiCalcolaBatch({dir.path(), QString::fromLatin1(codice), {}}, orologio);
        EXPECT_EQ(esito.codiceUscita, kUscitaRiuscita) << esito.errori.join("\n").toStdString();
        // The desired days (21 and 8) are met.
        EXPECT_TRUE(esito.uscita.join("\n").contains("Elaborazione conclusa in"))
            << esito.uscita.join("\n").toStdString();
    }
}

}  // namespace
