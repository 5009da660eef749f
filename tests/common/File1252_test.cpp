// Windows-1252 text files with CR LF: the bytes written, characters the code page lacks, reading
// back, and a write that cannot happen.
#include "common/File1252.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "TestSupport.h"

namespace {

TEST(File1252, CodificaLettereItalianeEuroESegniDellaPagina) {
    // à è é ì ò ù, the euro sign (0x80 only in 1252, not in Latin-1) and the typographic quotes; then
    // Polish Ł, a CJK character and an emoji (a surrogate pair: one "?", not two); SUB stays itself.
    EXPECT_EQ(Codifica1252("àèéìòù€“”'\tx"), QByteArray("\xe0\xe8\xe9\xec\xf2\xf9\x80\x93\x94'\tx"));
    EXPECT_EQ(Codifica1252(QString::fromUtf8("aŁb漢c😀d") + QChar(0x1a)), QByteArray("a?b?c?d\x1a"));
}

// Every byte is one character and the character is written back as that byte, alone or in a line
// of every byte (a character the page lacks excepted: it is written "?").
TEST(File1252, OgniByteDellaPaginaAndataERitorno) {
    QByteArray tutti;
    for (int b = 1; b < 256; ++b) tutti += static_cast<char>(b);
    const QString testo = Decodifica1252(tutti);
    ASSERT_EQ(testo.size(), 255);
    QByteArray atteso;
    for (int b = 1; b < 256; ++b) {
        const QString carattere = Decodifica1252(QByteArray(1, static_cast<char>(b)));
        ASSERT_EQ(carattere, testo.mid(b - 1, 1)) << b;
        const QByteArray indietro = Codifica1252(carattere);
        EXPECT_TRUE(indietro == QByteArray(1, static_cast<char>(b)) || indietro == "?") << b;
        atteso += indietro;
    }
    EXPECT_EQ(Codifica1252(testo), atteso);
    EXPECT_EQ(Codifica1252(testo + QString::fromUtf8("Ł")), atteso + "?");
}

TEST(File1252, ScriveERileggeLeRighe) {
    QTemporaryDir dir;
    const QString percorso = dir.filePath("prova.txt");
    const QStringList righe{"'Nazione\tLocalità", "Francia\tNîmes €", QString()};
    ASSERT_TRUE(ScriviRighe1252(percorso, righe));
    EXPECT_EQ(test::leggiFile(percorso),
              QByteArray("'Nazione\tLocalit\xe0\r\nFrancia\tN\xeemes \x80\r\n\r\n"));
    EXPECT_EQ(LeggiRighe1252(percorso), righe);

    // Rewriting replaces the whole file, a shorter content leaves nothing of the old one.
    ASSERT_TRUE(ScriviRighe1252(percorso, {"x"}));
    EXPECT_EQ(test::leggiFile(percorso), QByteArray("x\r\n"));
}

TEST(File1252, RigheConCrLfAncheDopoLUltimaEDivisione) {
    EXPECT_EQ(Righe1252({"uno", QString(), "tre\t"}), QByteArray("uno\r\n\r\ntre\t\r\n"));
    EXPECT_EQ(Righe1252({}), QByteArray());
    EXPECT_EQ(DividiRighe1252("a\r\nb\nc"), (QStringList{"a", "b", "c"}));
    // A CR that does not end a line is part of the text; an empty file has no lines.
    EXPECT_EQ(DividiRighe1252("a\rb\r\n"), (QStringList{"a\rb"}));
    EXPECT_EQ(DividiRighe1252("\r\n\r\n"), (QStringList{"", ""}));
    EXPECT_TRUE(DividiRighe1252("").isEmpty());
}

TEST(File1252, ScritturaImpossibileLasciaIlFileComEra) {
    QTemporaryDir dir;
    EXPECT_FALSE(ScriviRighe1252(dir.filePath("manca/prova.txt"), {"x"}));
    EXPECT_FALSE(LeggiRighe1252(dir.filePath("manca.txt")).has_value());

    // A directory where the file should be: nothing written, the directory untouched.
    const QString percorso = dir.filePath("cartella");
    ASSERT_TRUE(QDir().mkpath(percorso));
    EXPECT_FALSE(ScriviRighe1252(percorso, {"x"}));
    EXPECT_TRUE(QFileInfo(percorso).isDir());
}

}  // namespace
