// Which command buttons the two window modes enable, and the exit and help boxes.
#include "trips/Modi.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

// The control names of the enabled buttons.
QSet<QString> abilitati(const StatoComandi& s) {
    QSet<QString> nomi;
    for (const StatoPulsante& p : s.pulsanti)
        if (p.abilitato) nomi << p.nome;
    return nomi;
}

QSet<QString> tuttiITrip() {
    QSet<QString> nomi;
    for (const DefinizionePulsante& d : PulsantiMeta()) nomi << d.nome;
    return nomi;
}

QSet<QString> tuttiGliItinerari() {
    QSet<QString> nomi;
    for (const DefinizionePulsante& d : PulsantiItinerario()) nomi << d.nome;
    return nomi;
}

TEST(Modi, NuovaMetaConESenzaMetaCorrente) {
    EXPECT_EQ(abilitati(AbilitaPulsantiComando(ModoNuovaMeta(true), "zz", {})),
              (QSet<QString>{"cmdNuovo", "cmdSalva", "cmdEsce", "cmdRicerca", kCmdMapPoint}));
    EXPECT_EQ(abilitati(AbilitaPulsantiComando(ModoNuovaMeta(false), "zz", {})),
              (QSet<QString>{"cmdNuovo", "cmdSalva", "cmdEsce", kCmdMapPoint}));
    // No trip at all: Im is carried by no button; the codes match whatever the case.
    EXPECT_EQ(abilitati(AbilitaPulsantiComando(ModoDopoRicerca(false), "ZZ", {})),
              (QSet<QString>{"cmdNuovo", "cmdEsce", kCmdMapPoint}));
    EXPECT_EQ(abilitati(AbilitaPulsantiComando("nuSAes", "z", {})),
              (QSet<QString>{"cmdNuovo", "cmdSalva", "cmdEsce", kCmdMapPoint}));
}

// The itinerary commands that read the editing frame's boxes or its current row.
const QSet<QString> kComandiCornice{"cmdInserisce", "cmdAggiunge", "cmdCancella", "cmdRitorno",
                                    "cmdCerca",     "cmdFine",     "cmdMemorizza"};

TEST(Modi, AllAbilitaOgniComandoECercaVuolePiuDiUnaTappa) {
    FattiComandi fatti;
    fatti.numeroTappe = 1;
    StatoComandi s = AbilitaPulsantiComando("ALL", "all", fatti);
    QSet<QString> attesi = tuttiITrip() + tuttiGliItinerari() - kComandiCornice;
    attesi << kCmdMapPoint;
    EXPECT_EQ(abilitati(s), attesi);
    EXPECT_EQ(s.modoMain, kTuttoMain);
    EXPECT_EQ(s.modoItinerario, kTuttoItinerario);
    EXPECT_TRUE(s.nascondiListaRicerca);
    EXPECT_TRUE(s.esceDefault);
    // cmdItinerario and cmdModStrada share one code.
    EXPECT_TRUE(s.abilitato("cmdModStrada"));

    fatti.numeroTappe = 2;
    fatti.pannelloInserimentoVisibile = true;
    s = AbilitaPulsantiComando("all", "all", fatti);
    EXPECT_TRUE(s.abilitato("cmdCerca"));
    EXPECT_FALSE(s.abilitato(kCmdMapPoint));
    ASSERT_NE(s.pulsante(kCmdConverte), nullptr);
    EXPECT_FALSE(s.pulsante(kCmdConverte)->visibile);
    EXPECT_FALSE(s.pulsante(kCmdConverte)->abilitato);

    fatti.pannelloInserimentoVisibile = false;
    s = AbilitaPulsantiComando("NuEs", "InFiDu", fatti);
    EXPECT_FALSE(s.nascondiListaRicerca);
    EXPECT_EQ(abilitati(s), (QSet<QString>{"cmdNuovo", "cmdEsce", "cmdDuplica"}));
}

TEST(Modi, IComandiDellaCorniceSoloConLaCornice) {
    FattiComandi fatti;
    fatti.numeroTappe = 5;
    const QSet<QString> senza = abilitati(AbilitaPulsantiComando("zz", "all", fatti));
    EXPECT_TRUE((senza & kComandiCornice).isEmpty());
    EXPECT_TRUE(senza.contains("cmdRicalcola"));
    EXPECT_TRUE(senza.contains("cmdTrasferisce"));
    fatti.pannelloInserimentoVisibile = true;
    const QSet<QString> con = abilitati(AbilitaPulsantiComando("zz", "all", fatti));
    EXPECT_TRUE(con.contains(kComandiCornice));
}

TEST(Modi, RegolaCaStSalvoVv) {
    FattiComandi fatti;
    fatti.captionCalcola = "&Sblocca";
    for (const char* modo : {"all", "NuSaEs", "zz", "Es"}) {
        const StatoComandi s = AbilitaPulsantiComando(modo, "zz", fatti);
        EXPECT_EQ(abilitati(s), (QSet<QString>{"cmdCalcola", "cmdStampa", kCmdMapPoint})) << modo;
        EXPECT_EQ(s.pulsante("cmdCalcola")->caption, "&Sblocca");
        EXPECT_EQ(s.pulsante("cmdEsce")->caption, kCaptionEsce) << modo;
    }
    const StatoComandi vv = AbilitaPulsantiComando("vv", "zz", fatti);
    EXPECT_EQ(abilitati(vv), (QSet<QString>{kCmdMapPoint}));
}

TEST(Modi, EsDiventaStopSoloSeEsatto) {
    StatoComandi s = AbilitaPulsantiComando("Es", "zz", {});
    EXPECT_EQ(abilitati(s), (QSet<QString>{"cmdEsce", kCmdMapPoint}));
    EXPECT_EQ(s.pulsante("cmdEsce")->caption, kCaptionStop);
    EXPECT_EQ(AbilitaPulsantiComando("NuEs", "zz", {}).pulsante("cmdEsce")->caption, kCaptionEsce);
    EXPECT_EQ(AbilitaPulsantiComando("all", "zz", {}).pulsante("cmdEsce")->caption, kCaptionEsce);
}

TEST(Modi, PannelloInserimentoBloccaIComandiDellaMeta) {
    FattiComandi fatti;
    fatti.pannelloInserimentoVisibile = true;
    fatti.numeroTappe = 5;
    const StatoComandi s = AbilitaPulsantiComando("all", "InAgFi", fatti);
    EXPECT_EQ(s.modoMain, "F");
    EXPECT_EQ(abilitati(s), (QSet<QString>{"cmdInserisce", "cmdAggiunge", "cmdFine"}));
}

TEST(Modi, EscAttivoSoloPerNuRiEsENuRi) {
    for (const char* modo : {"NuRiEs", "nuri"}) {
        const StatoComandi s = AbilitaPulsantiComando(modo, "zz", {});
        EXPECT_TRUE(s.escAttivo) << modo;
        EXPECT_EQ(s.pulsante("cmdEsce")->tooltip, "Esce dal form (Esc attivo)") << modo;
    }
    for (const char* modo : {"NuRiEsSa", "all", "Es"}) {
        const StatoComandi s = AbilitaPulsantiComando(modo, "zz", {});
        EXPECT_FALSE(s.escAttivo) << modo;
        EXPECT_EQ(s.pulsante("cmdEsce")->tooltip, "Esce dal form") << modo;
    }
}

TEST(Modi, UscitaEInterruzione) {
    DialoghiScriptati d;
    d.risposte = {Risposta::Si, Risposta::No, Risposta::Si};
    EXPECT_EQ(ChiediUscita(kCaptionEsce, d), AzioneEsce::Chiudi);
    EXPECT_EQ(ChiediUscita(kCaptionEsce, d), AzioneEsce::Nessuna);
    EXPECT_EQ(ChiediUscita(kCaptionStop, d), AzioneEsce::Interrompi);
    EXPECT_EQ(ChiediUscita(kCaptionStop, d), AzioneEsce::Nessuna);  // closed box
    ASSERT_EQ(d.mostrati.size(), 4);
    EXPECT_EQ(d.mostrati[0].testo, "Vuoi chiudere la procedura?");
    EXPECT_EQ(d.mostrati[2].testo, "Vuoi interrompere l'elaborazione?");
    EXPECT_EQ(d.mostrati[2].titolo, "Fine Lavoro");
    EXPECT_EQ(d.mostrati[2].pulsanti, Pulsanti::SiNo);
}

}  // namespace
