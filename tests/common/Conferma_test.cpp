// The confirmation box: a code's description, found whatever its case, as title and question.
#include "common/Conferma.h"

#include <gtest/gtest.h>

#include "StampaTesti.h"

namespace {

// The code is replaced by its description, found whatever its case; a closed box answers No; an
// unknown code is its own description.
TEST(Conferma, BoxConfermaMostraLaDomandaESostituisceIlCodice) {
    DialoghiScriptati dialoghi;
    dialoghi.risposte = {Risposta::Si};
    QString codice = "m";
    QString ignoto = "ÈLIMINA TUTTO";
    EXPECT_EQ(BoxConferma(codice, dialoghi), Risposta::Si);
    EXPECT_EQ(BoxConferma(ignoto, dialoghi), Risposta::No);
    EXPECT_EQ(codice + '|' + ignoto, "Modifica dati mèta|ÈLIMINA TUTTO");
    ASSERT_EQ(dialoghi.testiMostrati(),
              (QStringList{"Confermi modifica dati mèta?", "Confermi èlimina tutto?"}));
    EXPECT_EQ(dialoghi.mostrati[1].titolo, "ÈLIMINA TUTTO");
    EXPECT_EQ(dialoghi.mostrati[0].pulsanti, Pulsanti::SiNo);
    EXPECT_EQ((QStringList{DescrizioneConferma("cr"), DescrizioneConferma("")}),
              (QStringList{"Cancellazione tappa", ""}));
}

}  // namespace
