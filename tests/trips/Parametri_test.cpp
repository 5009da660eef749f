// The parameter check: corrections of the time boxes, the rests, the start days and the working
// values the schedule computation takes.
#include "trips/Parametri.h"

#include <gtest/gtest.h>

#include "../common/StampaTesti.h"
#include "common/Testo.h"
#include "trips/Meta.h"

namespace {

BoxMeta boxFabbrica() {
    BoxMeta b;
    ImpostaDefaultFabbrica(b);
    b.cmbSoste = "3 - Entrambe";
    b.cmbInizio = {"01", "01", "2000", "09", "15"};
    b.cmbGiorni = "000";
    return b;
}

void coppia(BoxMeta& b, int i, const char* ora, const char* minuti) {
    b.cmbOra[i] = ora;
    b.cmbMin[i] = minuti;
}

// A pair of boxes as "hh:mm".
QString letta(const BoxMeta& b, int i) {
    return b.cmbOra[i] + ':' + b.cmbMin[i];
}

// The order the engine relies on after the check, and every hour box inside its list.
void verificaCoerente(const BoxMeta& b, const ValoriLavoro& v, const std::string& caso) {
    EXPECT_LE(v.OraColazione, v.OraPranzo - 100) << caso;
    EXPECT_LE(v.OraPranzo + v.DurataPranzo, v.OraCena - 100) << caso;
    EXPECT_LE(v.OraCena + v.DurataCena, v.OraNotte) << caso;
    EXPECT_LE(v.OraNotte, 2400) << caso;
    EXPECT_GE(v.InizioVisita, v.OraColazione) << caso;
    EXPECT_LE(v.FineVisita, v.OraNotte) << caso;
    for (int i = 0; i < kCoppieOra; ++i) {
        EXPECT_TRUE(ListaOra(i).contains(b.cmbOra[i]))
            << caso << " ora " << i << " " << b.cmbOra[i].toStdString();
        EXPECT_TRUE(ListaMinuti().contains(b.cmbMin[i]))
            << caso << " min " << i << " " << b.cmbMin[i].toStdString();
        EXPECT_FLOAT_EQ(v.coppia(i), ValoreCoppia(b, i)) << caso << " coppia " << i;
    }
}

TEST(Parametri, ValoriDiFabbrica) {
    BoxMeta b = boxFabbrica();
    const BoxMeta prima = b;
    const ValoriLavoro v = ControllaVariabiliConvertite(b);
    EXPECT_EQ(b, prima);
    // The drive arc is the night less dinner, lunch and breakfast; the rest counts in minutes.
    EXPECT_FLOAT_EQ(v.ArcoGuida, 2250 - 175 - 250 - 900);
    EXPECT_FLOAT_EQ(v.ArcoVisita, 900);
    EXPECT_EQ(v.RiposoMinuti, 25);
    EXPECT_FLOAT_EQ(v.GiulianoInizio, 730135);
    EXPECT_FLOAT_EQ(v.OraInizio, 925);
    EXPECT_EQ(v.GiorniDesiderati, 0);
}

TEST(Parametri, ColazioneTroppoVicinaAlPranzo) {
    BoxMeta b = boxFabbrica();
    coppia(b, CoppiaColazione, "11", "30");
    coppia(b, CoppiaPranzo, "12", "00");
    coppia(b, CoppiaInizioVisita, "11", "30");
    const ValoriLavoro v = ControllaVariabiliConvertite(b);
    EXPECT_EQ(letta(b, CoppiaColazione), "00:30");
    EXPECT_FLOAT_EQ(v.OraColazione, 50);
    EXPECT_FLOAT_EQ(v.OraPranzo, 1200);
    // A second check finds nothing more to correct.
    const BoxMeta dopo = b;
    ControllaVariabiliConvertite(b);
    EXPECT_EQ(b, dopo);
}

TEST(Parametri, CenaTroppoVicinaAllaFineDelPranzo) {
    BoxMeta b = boxFabbrica();
    coppia(b, CoppiaCena, "18", "15");
    coppia(b, CoppiaPranzo, "15", "45");
    coppia(b, CoppiaDurataPranzo, "02", "00");
    const ValoriLavoro v = ControllaVariabiliConvertite(b);
    EXPECT_EQ(letta(b, CoppiaPranzo), "11:45");
    EXPECT_FLOAT_EQ(v.OraPranzo, 1175);
    verificaCoerente(b, v, "pranzo");
}

TEST(Parametri, CenaCheFinisceDopoLaNotte) {
    BoxMeta b = boxFabbrica();
    coppia(b, CoppiaCena, "21", "00");
    coppia(b, CoppiaDurataCena, "02", "00");
    coppia(b, CoppiaNotte, "22", "00");
    ValoriLavoro v = ControllaVariabiliConvertite(b);
    EXPECT_EQ(letta(b, CoppiaNotte), "23:00");
    EXPECT_FLOAT_EQ(v.OraNotte, 2300);
    verificaCoerente(b, v, "notte 23");

    // Past midnight the night stops at 24:00 and dinner is shortened.
    b = boxFabbrica();
    coppia(b, CoppiaCena, "21", "45");
    coppia(b, CoppiaDurataCena, "02", "45");
    coppia(b, CoppiaNotte, "20", "00");
    v = ControllaVariabiliConvertite(b);
    EXPECT_EQ(letta(b, CoppiaNotte), "24:00");
    EXPECT_EQ(letta(b, CoppiaDurataCena), "02:15");
    verificaCoerente(b, v, "notte 24");
}

TEST(Parametri, OgniCombinazioneDelleListeTerminaCoerente) {
    // Every box at a pseudo-random entry of its list (or empty), many times over.
    quint32 seme = 12345;
    auto scegli = [&seme](const QStringList& lista) {
        seme = seme * 1103515245u + 12345u;
        const int i = static_cast<int>((seme >> 16) % (lista.size() + 1));
        return i == lista.size() ? QString() : lista[i];
    };
    for (int caso = 0; caso < 1500; ++caso) {
        BoxMeta b = boxFabbrica();
        for (int i = 0; i < kCoppieOra; ++i) {
            b.cmbOra[i] = scegli(ListaOra(i));
            b.cmbMin[i] = scegli(ListaMinuti());
        }
        const ValoriLavoro v = ControllaVariabiliConvertite(b);
        verificaCoerente(b, v, std::to_string(caso));
        const BoxMeta dopo = b;
        ControllaVariabiliConvertite(b);
        ASSERT_EQ(b, dopo) << caso;
    }
}

TEST(Parametri, OreFuoriListaEBoxVuoti) {
    BoxMeta b = boxFabbrica();
    coppia(b, CoppiaNotte, "19", "30");
    coppia(b, CoppiaTraghetti, "", "");
    bool errore = false;
    EXPECT_FLOAT_EQ(ControlloOrarioCmbOra(b, CoppiaNotte, errore), 1950);  // the value as read
    EXPECT_TRUE(errore);
    EXPECT_EQ(b.cmbOra[CoppiaNotte], "20");
    EXPECT_FLOAT_EQ(ControlloOrarioCmbOra(b, CoppiaTraghetti, errore), 100);
    EXPECT_FALSE(errore);
    EXPECT_EQ(letta(b, CoppiaTraghetti), "01:00");
    coppia(b, CoppiaColazione, "13", "00");
    ControlloOrarioCmbOra(b, CoppiaColazione, errore);
    EXPECT_TRUE(errore);
    EXPECT_EQ(b.cmbOra[CoppiaColazione], "11");
}

TEST(Parametri, Riposi) {
    BoxMeta b = boxFabbrica();
    b.cmbRipM = "60";
    b.cmbRipG = "05";
    b.cmbRipH = "11";
    b.cmbRipGG = "10";
    ValoriLavoro v = CalcolaValoriLavoro(b);
    EXPECT_EQ((QList<int>{v.RiposoMinuti, v.RiposoGiorno, v.RiposoOre, v.RiposoDopoGiorni}),
              (QList<int>{100, 0, 0, 10}));
    // Minutes count in hundredths of an hour: 8.33 rounds to 8; past 60 nothing.
    QList<int> minuti;
    for (const char* m : {"45", "05", "61"}) {
        b.cmbRipM = m;
        minuti << CalcolaValoriLavoro(b).RiposoMinuti;
    }
    EXPECT_EQ(minuti, (QList<int>{75, 8, 0}));

    b.cmbRipM = "45";
    b.cmbRipG = "05";
    Aggiorna(b);
    EXPECT_EQ((QStringList{b.cmbRipM, b.cmbRipG, b.cmbRipGG}), (QStringList{"45", "00", "10"}));
}

TEST(Parametri, AggiornaNormalizzaEScriveNeiBox) {
    BoxMeta b = boxFabbrica();
    b.txtInizioGSett.clear();
    const ValoriLavoro fabbrica = Aggiorna(b);
    BoxMeta atteso = boxFabbrica();
    atteso.txtInizioGSett = "Sab";  // 1 January 2000
    EXPECT_EQ(b, atteso);
    EXPECT_FLOAT_EQ(fabbrica.OraNotte, 2250);

    // A night, a closing time and a ferry time of 24:00 keep the hour "24" when written back.
    b = boxFabbrica();
    coppia(b, CoppiaPranzo, "11", "00");
    coppia(b, CoppiaDurataPranzo, "02", "45");
    coppia(b, CoppiaCena, "18", "00");
    coppia(b, CoppiaNotte, "24", "00");
    coppia(b, CoppiaFineVisita, "24", "00");
    coppia(b, CoppiaTraghetti, "24", "00");
    const ValoriLavoro v = Aggiorna(b);
    EXPECT_EQ((QStringList{letta(b, CoppiaNotte), letta(b, CoppiaFineVisita), letta(b, CoppiaTraghetti)}),
              (QStringList{"24:00", "24:00", "24:00"}));
    EXPECT_FLOAT_EQ(v.FineVisita, 2400);
    EXPECT_FLOAT_EQ(v.OreTraghetti, 2400);
    verificaCoerente(b, v, "aggiorna");
}

TEST(Parametri, GiorniDelMeseDiInizio) {
    BoxMeta b = boxFabbrica();
    b.cmbInizio[0] = "31";
    b.cmbInizio[1] = "02";
    b.cmbInizio[2] = "2024";
    QStringList giorni = ImpostaGiorniMeseInizio(b);
    EXPECT_EQ((QStringList{QString::number(giorni.size()), giorni.first(), giorni.last(), b.cmbInizio[0],
                           b.txtInizioGSett}),
              (QStringList{"29", "01", "29", "29", "Gio"}));

    b.cmbInizio[0] = "29";
    b.cmbInizio[2] = "2023";
    EXPECT_EQ(ImpostaGiorniMeseInizio(b).last(), "28");
    EXPECT_EQ(b.cmbInizio[0], "28");
    b.cmbInizio[0] = "7";
    b.cmbInizio[1] = "04";
    EXPECT_EQ(ImpostaGiorniMeseInizio(b).size(), 30);
    EXPECT_EQ(b.cmbInizio[0], "07");
}

TEST(Parametri, GiorniDesiderati) {
    EXPECT_TRUE(TastoGiorniAccettato('0'));
    EXPECT_TRUE(TastoGiorniAccettato('9'));
    for (QChar c : {QChar('a'), QChar('\b'), QChar('-'), QChar(' ')}) EXPECT_FALSE(TastoGiorniAccettato(c));
    EXPECT_EQ(LimitaGiorniDesiderati("1200"), "997");
    EXPECT_EQ(LimitaGiorniDesiderati("998"), "997");
    EXPECT_EQ(LimitaGiorniDesiderati("997"), "997");
    EXPECT_EQ(LimitaGiorniDesiderati("012"), "012");
    // Shown once the box is left: three digits, the limit applied.
    EXPECT_EQ(GiorniDesideratiMostrati("7"), "007");
    EXPECT_EQ(GiorniDesideratiMostrati("0070"), "070");
    EXPECT_EQ(GiorniDesideratiMostrati(""), "000");
    EXPECT_EQ(GiorniDesideratiMostrati("1200"), "997");
    BoxMeta b = boxFabbrica();
    b.cmbGiorni = "012";
    EXPECT_EQ(CalcolaValoriLavoro(b).GiorniDesiderati, 12);
}

TEST(Parametri, VelocitaVuoteOZeroPrendonoLaPrimaVoce) {
    BoxMeta b = boxFabbrica();
    b.cmbMediaKm = {"", "0", "00", "72"};
    ControllaVariabiliConvertite(b);
    EXPECT_EQ((QStringList{b.cmbMediaKm[0], b.cmbMediaKm[1], b.cmbMediaKm[2], b.cmbMediaKm[3]}),
              (QStringList{ListaMediaKm(0).first(), ListaMediaKm(1).first(), ListaMediaKm(2).first(), "72"}));
    EXPECT_GT(Valore(b.cmbMediaKm[0]), 0);
}

}  // namespace
