#include "common/Conferma.h"

#include <gtest/gtest.h>

#include "StampaTesti.h"

namespace {

TEST(Conferma, DescrizioniSenzaRiguardoAlleMaiuscole) {
    EXPECT_EQ(DescrizioneConferma("I"), "Inserimento meta");
    EXPECT_EQ(DescrizioneConferma("cr"), "Cancellazione tappa");
    EXPECT_EQ(DescrizioneConferma("Im"), "Import delle mète selezionate nei propri archivi");
    EXPECT_EQ(DescrizioneConferma("CI"), "la rinuncia alle eventuali modifiche dell'itinerario");
    EXPECT_EQ(DescrizioneConferma("XY"), "XY");
    EXPECT_EQ(DescrizioneConferma(""), "");
}

TEST(Conferma, BoxConfermaMostraLaDomandaESostituisceIlCodice) {
    DialoghiScriptati dialoghi;
    dialoghi.risposte = {Risposta::Si};
    QString codice = "m";
    EXPECT_EQ(BoxConferma(codice, dialoghi), Risposta::Si);
    EXPECT_EQ(codice, "Modifica dati mèta");
    ASSERT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_EQ(dialoghi.mostrati[0].testo, "Confermi modifica dati mèta?");
    EXPECT_EQ(dialoghi.mostrati[0].titolo, "Modifica dati mèta");
    EXPECT_EQ(dialoghi.mostrati[0].pulsanti, Pulsanti::SiNo);
}

TEST(Conferma, BoxChiusoValeNoECodiceIgnotoEPropriaDescrizione) {
    DialoghiScriptati dialoghi;
    QString codice = "ÈLIMINA TUTTO";
    EXPECT_EQ(BoxConferma(codice, dialoghi), Risposta::No);
    EXPECT_EQ(codice, "ÈLIMINA TUTTO");
    ASSERT_EQ(dialoghi.mostrati.size(), 1);
    EXPECT_EQ(dialoghi.mostrati[0].testo, "Confermi èlimina tutto?");
    EXPECT_EQ(dialoghi.mostrati[0].titolo, "ÈLIMINA TUTTO");
}

}  // namespace
