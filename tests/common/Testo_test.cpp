#include "common/Testo.h"

#include <gtest/gtest.h>

#include <cmath>

#include "StampaTesti.h"

namespace {

QStringList colonneDi(const Colonne& c) {
    QStringList l;
    for (int i = 1; i <= c.conteggio; ++i) l << c.testo[i];
    return l;
}

TEST(Testo, ValoreNumeroIniziale) {
    struct Caso {
        const char* testo;
        double atteso;
    };
    for (const Caso& c :
         {Caso{"", 0}, Caso{"abc", 0}, Caso{"  12abc", 12}, Caso{"-3.5x", -3.5}, Caso{"+7", 7},
          Caso{"1.2.3", 1.2}, Caso{"1,5", 1}, Caso{".5", 0.5}, Caso{"5.", 5}, Caso{"-", 0}, Caso{".", 0},
          Caso{" - 5", 0}, Caso{"\t5", 0}, Caso{"12e3", 12}, Caso{"007", 7}, Caso{"1 2", 1}, Caso{"٣", 0}}) {
        EXPECT_DOUBLE_EQ(Valore(QString::fromUtf8(c.testo)), c.atteso) << c.testo;
    }
    EXPECT_FALSE(std::signbit(Valore("-0")));
    EXPECT_EQ(Valore(QString(400, '9')), 0);
}

TEST(Testo, ValoreSenzaPunti) {
    EXPECT_EQ(ValoreSenzaPunti(""), 0);
    EXPECT_EQ(ValoreSenzaPunti("1.234"), 1234);
    EXPECT_EQ(ValoreSenzaPunti("Km 1.234.567,8"), 12345678);
    EXPECT_EQ(ValoreSenzaPunti("-12"), 12);
    EXPECT_EQ(ValoreSenzaPunti("abc"), 0);
}

TEST(Testo, TrimTogliSoloGliSpazi) {
    EXPECT_EQ(Trim("  \tab c\t  "), "\tab c\t");
    EXPECT_EQ(LTrim("  a  "), "a  ");
    EXPECT_EQ(RTrim("  a  "), "  a");
    EXPECT_EQ(Trim("   "), "");
}

TEST(Testo, ControlliDiventanoUnoSpazioCiascuno) {
    EXPECT_EQ(SenzaControlli(QString::fromUtf8("a\tb\r\nc\x01"
                                               "d\x7f\u0085è")),
              QString::fromUtf8("a b  c d  è"));
    EXPECT_EQ(SenzaControlli("Roma"), "Roma");
}

TEST(Testo, ConfrontiEChiaviDiLocalita) {
    EXPECT_TRUE(UgualeTesto("è", "È"));
    EXPECT_TRUE(UgualeTesto("mèta", "MÈTA"));
    EXPECT_TRUE(UgualeTesto("TRAGH", "tragh"));
    EXPECT_FALSE(UgualeTesto("e", "è"));
    EXPECT_FALSE(UgualeTesto("Roma ", "Roma"));

    EXPECT_EQ(ChiaveLocalita("Roma [Start]"), "Roma");
    EXPECT_EQ(ChiaveLocalita("Roma (centro) [End]"), "Roma");
    EXPECT_EQ(ChiaveLocalita("Bari [x] (y)"), "Bari");
    EXPECT_EQ(ChiaveLocalita("  Pisa  "), "Pisa");
}

TEST(Testo, Formato) {
    struct Caso {
        double valore;
        const char* formato;
        const char* atteso;
    };
    for (const Caso& c :
         {Caso{1234, "#,###", "1.234"}, Caso{0, "#,###", ""}, Caso{0.4, "#,###", ""}, Caso{0, "#,##0", "0"},
          Caso{999, "#,##0", "999"}, Caso{1000, "#,##0", "1.000"}, Caso{1234567, "##,##0", "1.234.567"},
          Caso{-1234, "#,##0", "-1.234"}, Caso{5, "#0", "5"}, Caso{12345, "#0", "12345"}, Caso{0, "#0", "0"},
          Caso{2.5, "#0", "3"}, Caso{1999.5, "#,###", "2.000"}, Caso{7, "000", "007"}}) {
        EXPECT_EQ(Formato(c.valore, c.formato), c.atteso) << c.valore << " " << c.formato;
    }
}

TEST(Testo, TipoStradaDalGruppoDiPulsanti) {
    EXPECT_EQ(strTipoStrada({}), "");
    EXPECT_EQ(strTipoStrada({false, false, false, false}), "");
    EXPECT_EQ(strTipoStrada({true, true, false, false}), "A");
    EXPECT_EQ(strTipoStrada({false, true, false, false}), "S");
    EXPECT_EQ(strTipoStrada({false, false, true, false}), "P");
    EXPECT_EQ(strTipoStrada({false, false, false, true}), "L");
    EXPECT_EQ(strTipoStrada({false, false, false, false, true}), "");
}

TEST(Testo, CodiceTipoGuidaUltimaCorrispondenza) {
    const QStringList nomi{"", "Museo", "Chiesa", "MUSEO"};
    EXPECT_EQ(CodiceTipoGuida("museo", nomi), 3);
    EXPECT_EQ(CodiceTipoGuida("chiesa", nomi), 2);
    EXPECT_EQ(CodiceTipoGuida("", nomi), -1);  // index 0 is not searched
    EXPECT_EQ(CodiceTipoGuida("Parco", nomi), -1);
    EXPECT_EQ(CodiceTipoGuida("Museo", {}), -1);
}

TEST(Testo, PrimoMaiuscolo) {
    struct Caso {
        const char* testo;
        bool dopoNonLettere;
        const char* atteso;
    };
    for (const Caso& c :
         {Caso{"SAN GIOVANNI", false, "San Giovanni"}, Caso{"SAN GIOVANNI", true, "San Giovanni"},
          Caso{"san giovanni", false, "San giovanni"}, Caso{"san giovanni", true, "San Giovanni"},
          Caso{"l'aquila", true, "L'Aquila"}, Caso{"l'aquila", false, "L'aquila"},
          // An accented letter is not a letter: what follows it is treated as a start.
          Caso{"perùgia", true, "PerùGia"}, Caso{"PERÙGIA", false, "PerùGia"}, Caso{"èrba", false, "Èrba"},
          Caso{"forlì-cesena", true, "Forlì-Cesena"}, Caso{"", true, ""}, Caso{"x", false, "X"}}) {
        EXPECT_EQ(PrimoMaiuscolo(QString::fromUtf8(c.testo), c.dopoNonLettere), QString::fromUtf8(c.atteso))
            << c.testo << " " << c.dopoNonLettere;
    }
}

TEST(Testo, PulisceNomeLocalita) {
    struct Caso {
        const char* nome;
        const char* atteso;
    };
    for (const Caso& c :
         {Caso{"near Firenze (Italia)", "Firenze"}, Caso{"NEAR  Pisa", "Pisa"}, Caso{"Vicino Lucca", "Lucca"},
          Caso{"CVL  Siena", " Siena"}, Caso{"Roma [Park]", "Roma"}, Caso{"near CVL Bari [x]", "Bari"},
          Caso{"nearby", "nearby"}, Caso{"  Assisi  ", "  Assisi  "}, Caso{"", ""}}) {
        QString nome = QString::fromUtf8(c.nome);
        const QString risultato = PulisceNomeLocalita(nome);
        EXPECT_EQ(risultato, c.atteso) << c.nome;
        EXPECT_EQ(nome, risultato) << c.nome;
    }
}

TEST(Testo, RiPulisceNomeLocalita) {
    EXPECT_EQ(RiPulisceNomeLocalita("  roma [Start]"), "Roma");
    EXPECT_EQ(RiPulisceNomeLocalita("SAN REMO "), "San Remo");
    EXPECT_EQ(RiPulisceNomeLocalita("san remo (IM)"), "San remo (Im)");
}

struct Divisione {
    const char* riga;
    QStringList attese;
};

class SeparaColonneCasi : public ::testing::TestWithParam<Divisione> {};

TEST_P(SeparaColonneCasi, Colonne) {
    QString riga = QString::fromUtf8(GetParam().riga);
    Colonne c;
    SeparaColonne(riga, c);
    EXPECT_EQ(colonneDi(c), GetParam().attese) << GetParam().riga;
}

INSTANTIATE_TEST_SUITE_P(Testo, SeparaColonneCasi,
                         ::testing::Values(Divisione{"  a b  ", {"a b"}}, Divisione{"", {""}},
                                           Divisione{"a\tb,c", {"a", "b,c"}},
                                           Divisione{"a,b,", {"a", "b", ""}},
                                           Divisione{"a, ,b", {"a", "", "b"}}, Divisione{"a;b", {"a", "b"}},
                                           Divisione{"a!b;c", {"a!b", "c"}}, Divisione{"a,b;c", {"a", "b;c"}},
                                           Divisione{"x\xc3\xbfy\tz", {"x", "y\tz"}},
                                           Divisione{"\"Roma\",\"Milano\"", {"Roma", "Milano"}},
                                           Divisione{"a\rb,c\n", {"ab", "c"}}, Divisione{"\"", {""}}));

TEST(Testo, SeparaColonneCambiaLaRigaDelChiamante) {
    Colonne c;
    QString riga = "a\r,\"b\"";
    SeparaColonne(riga, c);
    EXPECT_EQ(riga, "a,b,");
}

TEST(Testo, SeparaColonneAlPiuCentoColonne) {
    QStringList pezzi;
    for (int i = 1; i <= 150; ++i) pezzi << QString::number(i);
    QString riga = pezzi.join(',');
    Colonne c;
    SeparaColonne(riga, c);
    ASSERT_EQ(c.conteggio, 100);
    EXPECT_EQ(c.testo[1], "1");
    EXPECT_EQ(c.testo[100], "100");
}

TEST(Testo, SeparaColonneSvuotaIlBufferMaNonLElementoZero) {
    Colonne c;
    c.testo[0] = "Ricalcola";
    QString lunga = "1,2,3,4,5";
    SeparaColonne(lunga, c);
    QString corta = "x,y";
    SeparaColonne(corta, c);
    EXPECT_EQ(c.conteggio, 2);
    EXPECT_EQ(c.testo[3], "");
    EXPECT_EQ(c.testo[5], "");
    EXPECT_EQ(c.testo[0], "Ricalcola");
}

TEST(Testo, SeparaColonneAUnSeparatoreScelto) {
    const QChar blocco(254);
    QString riga = QString("Localita") + blocco + "Nazione" + blocco;
    Colonne c;
    SeparaColonne(riga, c, blocco);
    EXPECT_EQ(colonneDi(c), (QStringList{"Localita", "Nazione", ""}));
}

TEST(Testo, LikeTesto) {
    EXPECT_EQ(LikeTesto("L'Aquila"), "L?Aquila");
    EXPECT_EQ(LikeTesto("Roma (centro)"), "Roma *");
    EXPECT_EQ(LikeTesto("x (y) [z]"), "x *");
    EXPECT_EQ(LikeTesto("a=b\\c>d<e[f]g\"h"), "a?b?c?d?e?f?g?h");
    EXPECT_EQ(LikeTesto("Pisa"), "Pisa");
    EXPECT_EQ(LikeTesto(""), "");
}

}  // namespace
