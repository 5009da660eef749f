// Texts: leading numbers, trimming, comparisons, formats, locality names, columns of a line.
#include "common/Testo.h"

#include <gtest/gtest.h>

#include <QStringList>
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

TEST(Testo, ValoreSenzaPuntiTrimConfrontiEChiavi) {
    EXPECT_EQ((QList<double>{ValoreSenzaPunti(""), ValoreSenzaPunti("1.234"),
                             ValoreSenzaPunti("Km 1.234.567,8"), ValoreSenzaPunti("-12"),
                             ValoreSenzaPunti("abc"), ValoreSenzaPunti("12.345.678.901.234.567")}),
              (QList<double>{0, 1234, 12345678, 12, 0, 12345678901234567.0}));
    EXPECT_EQ((QStringList{Trim("  \tab c\t  "), LTrim("  a  "), RTrim("  a  "), Trim("   ")}),
              (QStringList{"\tab c\t", "a  ", "  a", ""}));
    EXPECT_EQ((QList<bool>{UgualeTesto("è", "È"), UgualeTesto("mèta", "MÈTA"), UgualeTesto("TRAGH", "tragh"),
                           UgualeTesto("e", "è"), UgualeTesto("Roma ", "Roma")}),
              (QList<bool>{true, true, true, false, false}));
    EXPECT_EQ((QStringList{ChiaveLocalita("Roma [Start]"), ChiaveLocalita("Roma (centro) [End]"),
                           ChiaveLocalita("Bari [x] (y)"), ChiaveLocalita("  Pisa  ")}),
              (QStringList{"Roma", "Roma", "Bari", "Pisa"}));
    for (const QString& t : QString::fromUtf8("Oslo AZ az@[`{|ÅLESUND|Straße ſ ς \u212a|").split('|'))
        EXPECT_EQ(QStringList({Piegato(t), Minuscolo(t)}), QStringList({t.toCaseFolded(), t.toLower()}));
}

TEST(Testo, ControlliDiventanoUnoSpazioCiascuno) {
    EXPECT_EQ(SenzaControlli(QString::fromUtf8("a\tb\r\nc\x01"
                                               "d\x7f\u0085è")),
              QString::fromUtf8("a b  c d  è"));
    EXPECT_EQ(SenzaControlli("Roma"), "Roma");
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
          Caso{2.5, "#0", "3"}, Caso{1999.5, "#,###", "2.000"}, Caso{7, "000", "007"},
          Caso{-0.4, "#,##0", "0"}, Caso{999999999999999, "#,##0", "999.999.999.999.999"},
          Caso{1e15, "#,##0", "1.000.000.000.000.000"}}) {
        EXPECT_EQ(Formato(c.valore, c.formato), c.atteso) << c.valore << " " << c.formato;
    }
}

TEST(Testo, TipoStradaECodiceTipoGuida) {
    EXPECT_EQ(
        (QStringList{strTipoStrada({}), strTipoStrada({false, false, false, false}),
                     strTipoStrada({true, true, false, false}), strTipoStrada({false, true, false, false}),
                     strTipoStrada({false, false, true, false}), strTipoStrada({false, false, false, true}),
                     strTipoStrada({false, false, false, false, true})}),
        (QStringList{"", "", "A", "S", "P", "L", ""}));
    // The last match counts; index 0 is not searched.
    const QStringList nomi{"", "Museo", "Chiesa", "MUSEO"};
    EXPECT_EQ(
        (QList<int>{CodiceTipoGuida("museo", nomi), CodiceTipoGuida("chiesa", nomi),
                    CodiceTipoGuida("", nomi), CodiceTipoGuida("Parco", nomi), CodiceTipoGuida("Museo", {})}),
        (QList<int>{3, 2, -1, -1, -1}));
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
    EXPECT_EQ((QStringList{RiPulisceNomeLocalita("  roma [Start]"), RiPulisceNomeLocalita("SAN REMO "),
                           RiPulisceNomeLocalita("san remo (IM)")}),
              (QStringList{"Roma", "San Remo", "San remo (Im)"}));
}

TEST(Testo, SeparaColonne) {
    const std::pair<const char*, QStringList> casi[] = {{"  a b  ", {"a b"}},
                                                        {"", {""}},
                                                        {"a\tb,c", {"a", "b,c"}},
                                                        {"a,b,", {"a", "b", ""}},
                                                        {"a, ,b", {"a", "", "b"}},
                                                        {"a;b", {"a", "b"}},
                                                        {"a!b;c", {"a!b", "c"}},
                                                        {"a,b;c", {"a", "b;c"}},
                                                        {"x\xc3\xbfy\tz", {"x", "y\tz"}},
                                                        {"\"Roma\",\"Milano\"", {"Roma", "Milano"}},
                                                        {"a\rb,c\n", {"ab", "c"}},
                                                        {"\"", {""}}};
    Colonne c;
    for (const auto& [testo, attese] : casi) {
        QString riga = QString::fromUtf8(testo);
        SeparaColonne(riga, c);
        EXPECT_EQ(colonneDi(c), attese) << testo;
    }
    // The line is changed as read; at most a hundred columns.
    QString cambiata = "a\r,\"b\"";
    SeparaColonne(cambiata, c);
    EXPECT_EQ(cambiata, "a,b,");
    QStringList pezzi;
    for (int i = 1; i <= 150; ++i) pezzi << QString::number(i);
    QString riga = pezzi.join(',');
    SeparaColonne(riga, c);
    EXPECT_EQ(colonneDi(c), pezzi.mid(0, 100));
}

TEST(Testo, SeparaColonneSvuotaIlBufferMaNonLElementoZeroEAccettaUnSeparatore) {
    Colonne c;
    c.testo[0] = "Ricalcola";
    QString lunga = "1,2,3,4,5";
    SeparaColonne(lunga, c);
    const QChar blocco(254);
    QString riga = QString("Localita") + blocco + "Nazione" + blocco;
    SeparaColonne(riga, c, blocco);
    EXPECT_EQ(colonneDi(c), (QStringList{"Localita", "Nazione", ""}));
    EXPECT_EQ((QStringList{c.testo[0], c.testo[4], c.testo[5]}), (QStringList{"Ricalcola", "", ""}));
}

TEST(Testo, LikeTesto) {
    EXPECT_EQ((QStringList{LikeTesto("L'Aquila"), LikeTesto("Roma (centro)"), LikeTesto("x (y) [z]"),
                           LikeTesto("a=b\\c>d<e[f]g\"h"), LikeTesto("Pisa"), LikeTesto("")}),
              (QStringList{"L?Aquila", "Roma *", "x *", "a?b?c?d?e?f?g?h", "Pisa", ""}));
}

}  // namespace
