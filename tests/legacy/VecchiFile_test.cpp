// Reading the older version's record files: the record count, fields by the layout table, short
// files and bytes that are not text.
#include "legacy/VecchiFile.h"

#include <gtest/gtest.h>

namespace {

// Code, locality, visit end and country of a trip record, "|"-joined; "-" when unreadable.
QString Campi(const QByteArray& file, int numero) {
    const auto r = FileVecchio(file).record(kTracciatoMete, numero);
    if (!r) return "-";
    QStringList l;
    for (const char* c : {"Codice", "Locali", "VisitA", "Nazion"}) l << r->campo(c);
    return l.join('|');
}

TEST(VecchiFile, NumeroRecordContaLUltimoParziale) {
    const QList<std::array<int, 3>> casi = {{0, 128, 0},   {1, 128, 1}, {128, 128, 1},       {129, 128, 2},
                                            {256, 128, 2}, {-5, 64, 0}, {64 * 5 + 63, 64, 6}};
    for (const auto& [lunghezza, record, numero] : casi)
        EXPECT_EQ(NumeroRecordVecchi(lunghezza, record), numero) << lunghezza << "/" << record;
}

TEST(VecchiFile, CampiAlLoroPostoERecordCortiLettiComeSpazi) {
    const QByteArray primo = ScriviRecordVecchio(
        kTracciatoMete, {{"Codice", "7"}, {"Locali", QString::fromUtf8("Forlì")}, {"VisitA", "1800"}});
    ASSERT_EQ(primo.size(), 128);
    EXPECT_EQ(primo.mid(6, 6), QByteArray("Forl\xEC ", 6));  // Windows-1252, after the 6-byte code
    const QByteArray secondo = ScriviRecordVecchio(
        kTracciatoMete, {{"Codice", "123456"}, {"Locali", "Trondheim"}, {"Nazion", "Norvegia"}});
    // The file ends inside the locality of the second record.
    const QByteArray file = primo + secondo.left(10);
    ASSERT_EQ(NumeroRecordVecchi(file.size(), 128), 2);
    EXPECT_EQ(Campi(file, 1), QString::fromUtf8("7|Forlì|1800|"));
    EXPECT_EQ(Campi(file, 2), "123456|Tron||");
    // Beyond the end every field is blank; numbers below 1 are no record.
    EXPECT_EQ(Campi(file, 9), "|||");
    EXPECT_EQ(Campi(file, 0), "-");
}

TEST(VecchiFile, ByteDiControlloRendonoIlRecordIlleggibile) {
    QByteArray tappa = ScriviRecordVecchio(kTracciatoTappe, {{"Locali", "ROMA*A1"}, {"Chilom", "12"}});
    ASSERT_EQ(tappa.size(), 64);
    const auto buona = FileVecchio(tappa).record(kTracciatoTappe, 1);
    EXPECT_EQ(buona ? buona->campo("Locali") + '|' + buona->campo("Chilom") : "-", "ROMA*A1|12");
    for (const char byte : {'\0', '\x1A', '\x7F', '\x81'}) {
        QByteArray guasta = tappa;
        guasta[54] = byte;  // inside Chilom
        EXPECT_FALSE(FileVecchio(guasta).record(kTracciatoTappe, 1)) << int(byte);
    }
    // The filler after the last field of a trip record is not read.
    QByteArray meta = ScriviRecordVecchio(kTracciatoMete, {{"Codice", "1"}});
    meta[127] = '\0';
    EXPECT_TRUE(FileVecchio(meta).record(kTracciatoMete, 1));
}

}  // namespace
