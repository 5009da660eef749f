// The parameter check: corrections of the time boxes, rests, start days and the working values.
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

// Pairs set from "hh:mm" texts, in the order given.
BoxMeta boxCon(std::initializer_list<std::pair<int, const char*>> coppie) {
    BoxMeta b = boxFabbrica();
    for (const auto& [i, testo] : coppie) {
        b.cmbOra[i] = QString(testo).left(2);
        b.cmbMin[i] = QString(testo).mid(3);
    }
    return b;
}

// Pairs of boxes as "hh:mm", "|"-joined.
QString lette(const BoxMeta& b, std::initializer_list<int> coppie) {
    QStringList l;
    for (int i : coppie) l << b.cmbOra[i] + ':' + b.cmbMin[i];
    return l.join('|');
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
    EXPECT_EQ((QList<float>{v.ArcoGuida, v.ArcoVisita, v.GiulianoInizio, v.OraInizio}),
              (QList<float>{2250 - 175 - 250 - 900, 900, 730135, 925}));
    EXPECT_EQ(QList<int>({v.RiposoMinuti, v.GiorniDesiderati}), QList<int>({25, 0}));
}

// Breakfast too close to lunch goes to the first hour of its list; lunch ending too close to dinner
// likewise; a dinner ending after the night moves the night to the next quarter hour, and past
// midnight stops it at 24:00 and shortens dinner.
TEST(Parametri, CorrezioniDeiPasti) {
    BoxMeta b = boxCon({{CoppiaColazione, "11:30"}, {CoppiaPranzo, "12:00"}, {CoppiaInizioVisita, "11:30"}});
    ValoriLavoro v = ControllaVariabiliConvertite(b);
    EXPECT_EQ(lette(b, {CoppiaColazione}), "00:30");
    EXPECT_EQ((QList<float>{v.OraColazione, v.OraPranzo}), (QList<float>{50, 1200}));

    b = boxCon({{CoppiaCena, "18:15"}, {CoppiaPranzo, "15:45"}, {CoppiaDurataPranzo, "02:00"}});
    v = ControllaVariabiliConvertite(b);
    EXPECT_EQ(lette(b, {CoppiaPranzo}), "11:45");
    EXPECT_FLOAT_EQ(v.OraPranzo, 1175);
    verificaCoerente(b, v, "pranzo");

    b = boxCon({{CoppiaCena, "21:00"}, {CoppiaDurataCena, "02:00"}, {CoppiaNotte, "22:00"}});
    v = ControllaVariabiliConvertite(b);
    EXPECT_EQ(lette(b, {CoppiaNotte}), "23:00");
    EXPECT_FLOAT_EQ(v.OraNotte, 2300);
    verificaCoerente(b, v, "notte 23");

    b = boxCon({{CoppiaCena, "21:45"}, {CoppiaDurataCena, "02:45"}, {CoppiaNotte, "20:00"}});
    v = ControllaVariabiliConvertite(b);
    EXPECT_EQ(lette(b, {CoppiaNotte, CoppiaDurataCena}), "24:00|02:15");
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

// An hour outside its list goes to the nearer end and is an error; empty boxes take the lists' first
// entries silently.
TEST(Parametri, OreFuoriListaBoxVuotiERiposi) {
    BoxMeta b = boxCon({{CoppiaNotte, "19:30"}, {CoppiaTraghetti, ""}, {CoppiaColazione, "13:00"}});
    bool errore = false;
    EXPECT_FLOAT_EQ(ControlloOrarioCmbOra(b, CoppiaNotte, errore), 1950);  // the value as read
    EXPECT_TRUE(errore);
    EXPECT_FLOAT_EQ(ControlloOrarioCmbOra(b, CoppiaTraghetti, errore), 100);
    EXPECT_FALSE(errore);
    ControlloOrarioCmbOra(b, CoppiaColazione, errore);
    EXPECT_TRUE(errore);
    EXPECT_EQ(lette(b, {CoppiaNotte, CoppiaTraghetti, CoppiaColazione}), "20:30|01:00|11:00");

    // Minutes count in hundredths of an hour (8.33 rounds to 8, past 60 nothing); each value outside its
    // range counts as 0, and the update writes it back so.
    b = boxFabbrica();
    b.cmbRipM = "60";
    b.cmbRipG = "05";
    b.cmbRipH = "11";
    b.cmbRipGG = "10";
    const ValoriLavoro v = CalcolaValoriLavoro(b);
    EXPECT_EQ((QList<int>{v.RiposoMinuti, v.RiposoGiorno, v.RiposoOre, v.RiposoDopoGiorni}),
              (QList<int>{100, 0, 0, 10}));
    QList<int> minuti;
    for (const char* m : {"45", "05", "61"}) {
        b.cmbRipM = m;
        minuti << CalcolaValoriLavoro(b).RiposoMinuti;
    }
    EXPECT_EQ(minuti, (QList<int>{75, 8, 0}));
    b.cmbRipM = "45";
    Aggiorna(b);
    EXPECT_EQ(b.cmbRipM + '|' + b.cmbRipG + '|' + b.cmbRipGG, "45|00|10");
}

TEST(Parametri, AggiornaNormalizzaEScriveNeiBox) {
    BoxMeta b = boxFabbrica();
    b.txtInizioGSett.clear();
    EXPECT_FLOAT_EQ(Aggiorna(b).OraNotte, 2250);
    BoxMeta atteso = boxFabbrica();
    atteso.txtInizioGSett = "Sab";  // 1 January 2000
    EXPECT_EQ(b, atteso);

    // A night, a closing time and a ferry time of 24:00 keep the hour "24" when written back.
    b = boxCon({{CoppiaPranzo, "11:00"},
                {CoppiaDurataPranzo, "02:45"},
                {CoppiaCena, "18:00"},
                {CoppiaNotte, "24:00"},
                {CoppiaFineVisita, "24:00"},
                {CoppiaTraghetti, "24:00"}});
    const ValoriLavoro v = Aggiorna(b);
    EXPECT_EQ(lette(b, {CoppiaNotte, CoppiaFineVisita, CoppiaTraghetti}), "24:00|24:00|24:00");
    EXPECT_EQ((QList<float>{v.FineVisita, v.OreTraghetti}), (QList<float>{2400, 2400}));
    verificaCoerente(b, v, "aggiorna");
}

// The day list of the start month; the day held inside it, two digits, and its weekday.
TEST(Parametri, GiorniDelMeseDiInizioEGiorniDesiderati) {
    BoxMeta b = boxFabbrica();
    b.cmbInizio = {"31", "02", "2024", "09", "15"};
    const QStringList giorni = ImpostaGiorniMeseInizio(b);
    EXPECT_EQ(QString::number(giorni.size()) + '|' + giorni.first() + '|' + giorni.last() + '|' +
                  b.cmbInizio[0] + '|' + b.txtInizioGSett,
              "29|01|29|29|Gio");
    b.cmbInizio = {"29", "02", "2023", "09", "15"};
    EXPECT_EQ(ImpostaGiorniMeseInizio(b).last() + '|' + b.cmbInizio[0], "28|28");
    b.cmbInizio = {"7", "04", "2023", "09", "15"};
    EXPECT_EQ(ImpostaGiorniMeseInizio(b).size(), 30);
    EXPECT_EQ(b.cmbInizio[0], "07");

    // Digits only; at most 997, shown with three digits once the box is left.
    QString accettati;
    for (QChar c : QString("09a\b- ")) accettati += TastoGiorniAccettato(c) ? '1' : '0';
    EXPECT_EQ(accettati, "110000");
    EXPECT_EQ(QStringList({LimitaGiorniDesiderati("1200"), LimitaGiorniDesiderati("998"),
                           LimitaGiorniDesiderati("997"), LimitaGiorniDesiderati("012")}),
              QStringList({"997", "997", "997", "012"}));
    EXPECT_EQ(QStringList({GiorniDesideratiMostrati("7"), GiorniDesideratiMostrati("0070"),
                           GiorniDesideratiMostrati(""), GiorniDesideratiMostrati("1200")}),
              QStringList({"007", "070", "000", "997"}));
    b.cmbGiorni = "012";
    EXPECT_EQ(CalcolaValoriLavoro(b).GiorniDesiderati, 12);
}

}  // namespace
