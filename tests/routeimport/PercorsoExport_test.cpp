// Route-planner exports read into legs: both families on sample exports written for these tests,
// the road names found in a direction, the recognition limits, the encodings and line ends such
// exports come in, and damaged files.
#include "routeimport/PercorsoExport.h"

#include <gtest/gtest.h>

#include "Campioni.h"
#include "common/File1252.h"

namespace {

QByteArray Campione(const char* nome) {
    return campioni::Byte(nome);
}

struct Attesa {
    QString localita;
    QString strada;
    int km;
    QString tipo;
    bool traghetto;
};

void Confronta(const QList<TappaImportata>& tappe, const QList<Attesa>& attese) {
    const auto testo = [](const QString& l, const QString& s, int km, const QString& t, bool traghetto) {
        return QStringLiteral("%1|%2|%3|%4|%5").arg(l, s).arg(km).arg(t).arg(traghetto).toStdString();
    };
    std::vector<std::string> letti, attesi;
    for (const TappaImportata& t : tappe)
        letti.push_back(testo(t.localita, t.strada, t.km, t.tipoStrada, t.traghetto));
    for (const Attesa& a : attese) attesi.push_back(testo(a.localita, a.strada, a.km, a.tipo, a.traghetto));
    EXPECT_EQ(letti, attesi);
}

TEST(StradaCorrente, IdentificatoriNelleIndicazioni) {
    // A bracket that names a place, not a road, leaves the road named before it.
    QStringList strade;
    for (const char* indicazione :
         {"Turn RIGHT onto A1/E35", "Svoltare a DESTRA su SS16", "Prendere l'autostrada [A14]",
          "Continue on Via Emilia (SS9) toward Rimini", "bear right onto E39 [Kristiansand]",
          "Keep LEFT onto E6", "Turn RIGHT", ""})
        strade << RilevaStradaCorrente(indicazione);
    EXPECT_EQ(strade, (QStringList{"E35", "SS16", "A14", "SS9", "E39", "E6", "", ""}));
}

TEST(StradaCorrente, ColonneELuogoConStrada) {
    const QStringList c = EstraeColonneTappa(" 08:00 \t 12,5 km\t\tPartenza  ");
    EXPECT_EQ(c, (QStringList{"08:00", "12,5 km", "", "Partenza"}));
    EXPECT_EQ(EstraeColonneTappa(QString(30, '\t')).size(), kColonneMassimeExport);
    EXPECT_EQ(EstraeColonneTappa("").size(), 1);

    QStringList luoghi;
    for (const char* t : {"SS16, Rimini", "Ancona, e45/e55", "Praga, Repubblica Ceca"})
        luoghi << EstraeTappaStrada(t).luogo + '|' + EstraeTappaStrada(t).strada;
    EXPECT_EQ(luoghi, (QStringList{"Rimini|SS16", "Ancona|E45/E55", "Praga, Repubblica Ceca|"}));
}

TEST(Riconoscimento, IntestazioniELimiti) {
    EXPECT_EQ(FamigliaIntestazione({"Ora", "km", "Istruzioni"}), FamigliaExport::Istruzioni);
    EXPECT_EQ(FamigliaIntestazione({"Travel TIME", "KM", "instruction"}), FamigliaExport::Istruzioni);
    EXPECT_EQ(FamigliaIntestazione({"N.LOCALITÀ", "Direzione", "Distanza"}), FamigliaExport::Localita);
    EXPECT_EQ(FamigliaIntestazione({"Ora", "mi", "Istruzioni"}), FamigliaExport::Nessuna);
    EXPECT_EQ(FamigliaIntestazione({"Località", "Direzione", "Distanza"}), FamigliaExport::Nessuna);

    EXPECT_EQ(LeggiExport(Campione("intestazione_riga15.txt")).famiglia, FamigliaExport::Istruzioni);
    EXPECT_EQ(LeggiExport(Campione("intestazione_riga15.txt")).tappe.size(), 2);
    EXPECT_EQ(LeggiExport(Campione("intestazione_riga16.txt")).famiglia, FamigliaExport::Nessuna);

    // A real header in a file under 151 bytes is still too short.
    const QByteArray corto =
        QByteArray("Ora\tKm\tIstruzioni\r\n08:00\t0\tPartenza Genova\r\n").leftJustified(100, ' ');
    EXPECT_EQ(LeggiExport(corto).famiglia, FamigliaExport::Nessuna);
    EXPECT_EQ(LeggiExport(corto.leftJustified(151, ' ')).famiglia, FamigliaExport::Istruzioni);
}

TEST(PrimaFamiglia, IntestazioniItaliane) {
    const EsitoExport e = LeggiExport(Campione("istruzioni_it.txt"));
    EXPECT_EQ(e.famiglia, FamigliaExport::Istruzioni);
    Confronta(e.tappe, {{"MILANO", "", 0, "P", false},
                        {"MODENA NORD", "A1", 153, "A", false},  // the same exit twice: one leg
                        {"LIVORNO", "SS12 TRAGH", 77, "P", true},
                        {"INGRESSO IN FRANCIA", "", 20, "P", false},
                        {"NIZZA", "E80", 1012, "P", false},  // "1.262,0": grouped thousands
                        {QString::fromUtf8("FORLÌ"), "E80", 38, "P", false}});
}

TEST(PrimaFamiglia, IntestazioniInglesi) {
    Confronta(LeggiExport(Campione("istruzioni_en.txt")).tappe,
              {{"OSLO", "", 0, "P", false},
               {"KRISTIANSAND", "E18", 80, "P", false},
               {QString::fromUtf8("ÅLGÅRD"), "E39", 40, "P", false},  // 120.5 km rounds to even
               {"HIRTSHALS", "E39 TRAGH", 60, "P", true},
               {"INGRESSO IN DENMARK", "", 10, "P", false},
               {"AALBORG", "", 60, "P", false}});
}

TEST(SecondaFamiglia, LuoghiConfineTraghettoERipartenza) {
    const EsitoExport e = LeggiExport(Campione("localita_it.txt"));
    EXPECT_EQ(e.famiglia, FamigliaExport::Localita);
    Confronta(e.tappe, {{"BOLOGNA", "", 0, "P", false},
                        {"IMOLA", "A14\\", 33, "A", false},
                        {"RIMINI", "", 85, "P", false},
                        {"RICCIONE", "", 12, "P", false},
                        {"CATTOLICA", "", 8, "P", false},
                        {"BRENNERO", "", 62, "P", false},
                        {"INGRESSO IN AUSTRIA", "", 0, "P", false},
                        {"INNSBRUCK", "A13\\", 40, "A", false},  // the column restarted at 40
                        {"SPALATO", "TRAGH\\", 50, "P", true}});
}

TEST(Codifiche, StessiDatiInOgniForma) {
    const QByteArray utf8 = Campione("istruzioni_it.txt");  // written in Windows-1252, CR LF
    const QList<TappaImportata> attese = LeggiExport(utf8).tappe;
    const QString testo = Decodifica1252(utf8);
    QString lf = testo;
    lf.replace("\r\n", "\n");
    EXPECT_EQ(LeggiExport(testo.toUtf8()).tappe, attese);
    EXPECT_EQ(LeggiExport("\xEF\xBB\xBF" + lf.toUtf8()).tappe, attese);
    EXPECT_EQ(LeggiExport(Codifica1252(lf)).tappe, attese);
}

TEST(FileDanneggiati, NessunCrashNessunaTappaInventata) {
    QByteArray binario(4096, '\0');
    for (int i = 0; i < binario.size(); ++i) binario[i] = char((i * 131) % 256);
    EXPECT_EQ(LeggiExport(binario).famiglia, FamigliaExport::Nessuna);

    // One long line without an end: read once, nothing found.
    EXPECT_TRUE(LeggiExport(QByteArray(5 * 1024 * 1024, 'x')).tappe.isEmpty());

    // Truncated UTF-8, a line with missing columns, non-numeric and absurd distances.
    QByteArray rotto =
        "Ora\tKm\tIstruzioni\n08:00\t0\tPartenza Genova\n09:00\n"
        "09:30\tmolti\tArrivo a Savona\n10:00\t9e99999\tPresso x, Imperia, su A10\n"
        "10:30\t5\tArrivo a Nervi\xC3";
    rotto = rotto.leftJustified(200, '\n');
    const QList<TappaImportata> t = LeggiExport(rotto).tappe;
    ASSERT_EQ(t.size(), 4);
    EXPECT_EQ(t[1].km, 0);  // "molti" reads 0 km
    EXPECT_EQ(t[2].km, 9);  // "9e99999": the leading number, 9
    EXPECT_EQ(t[3].km, 0);  // the distance went back: 0, never negative
    EXPECT_TRUE(t[3].localita.startsWith("NERVI"));
}

}  // namespace
