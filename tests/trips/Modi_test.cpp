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

// The itinerary commands that read the editing frame's boxes or its current row.
const QSet<QString> kComandiCornice{"cmdInserisce", "cmdAggiunge", "cmdCancella", "cmdRitorno",
                                    "cmdCerca",     "cmdFine",     "cmdMemorizza"};

FattiComandi fatti(int tappe, bool cornice, const QString& captionCalcola = {}) {
    FattiComandi f;
    f.numeroTappe = tappe;
    f.pannelloInserimentoVisibile = cornice;
    if (!captionCalcola.isEmpty()) f.captionCalcola = captionCalcola;
    return f;
}

TEST(Modi, PulsantiAbilitatiDaiDueModi) {
    const QString stop = kCaptionStop, esce = kCaptionEsce;
    const struct {
        QString modo, modoItinerario;
        FattiComandi fatti;
        QSet<QString> abilitati;
        QString esce;
    } casi[] = {
        {ModoNuovaMeta(true),
         "zz",
         {},
         {"cmdNuovo", "cmdSalva", "cmdEsce", "cmdRicerca", kCmdMapPoint},
         esce},
        {ModoNuovaMeta(false), "zz", {}, {"cmdNuovo", "cmdSalva", "cmdEsce", kCmdMapPoint}, esce},
        // No trip at all: Im is carried by no button; the codes match whatever the case.
        {ModoDopoRicerca(false), "ZZ", {}, {"cmdNuovo", "cmdEsce", kCmdMapPoint}, esce},
        {"nuSAes", "z", {}, {"cmdNuovo", "cmdSalva", "cmdEsce", kCmdMapPoint}, esce},
        {"NuEs", "InFiDu", fatti(2, false), {"cmdNuovo", "cmdEsce", "cmdDuplica"}, esce},
        // The editing frame shown blocks the trip commands.
        {"all", "InAgFi", fatti(5, true), {"cmdInserisce", "cmdAggiunge", "cmdFine"}, esce},
        // "Es" alone turns the exit button into Stop.
        {"Es", "zz", {}, {"cmdEsce", kCmdMapPoint}, stop},
        // A schedule shown (Sblocca) leaves compute and print, whatever the mode; "vv" not even those.
        {"all", "zz", fatti(0, false, "&Sblocca"), {"cmdCalcola", "cmdStampa", kCmdMapPoint}, esce},
        {"Es", "zz", fatti(0, false, "&Sblocca"), {"cmdCalcola", "cmdStampa", kCmdMapPoint}, esce},
        {"NuSaEs", "zz", fatti(0, false, "&Sblocca"), {"cmdCalcola", "cmdStampa", kCmdMapPoint}, esce},
        {"vv", "zz", fatti(0, false, "&Sblocca"), {kCmdMapPoint}, esce},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE((c.modo + ' ' + c.modoItinerario).toStdString());
        const StatoComandi s = AbilitaPulsantiComando(c.modo, c.modoItinerario, c.fatti);
        EXPECT_EQ(abilitati(s), c.abilitati);
        EXPECT_EQ(s.pulsante("cmdEsce")->caption, c.esce);
    }
    EXPECT_EQ(AbilitaPulsantiComando("all", "InAgFi", fatti(5, true)).modoMain, "F");
    EXPECT_EQ(
        AbilitaPulsantiComando("all", "zz", fatti(0, false, "&Sblocca")).pulsante("cmdCalcola")->caption,
        "&Sblocca");
}

TEST(Modi, AllAbilitaOgniComandoECercaVuolePiuDiUnaTappa) {
    StatoComandi s = AbilitaPulsantiComando("ALL", "all", fatti(1, false));
    QSet<QString> attesi = tuttiITrip() + tuttiGliItinerari() - kComandiCornice;
    attesi << kCmdMapPoint;
    EXPECT_EQ(abilitati(s), attesi);
    EXPECT_EQ(s.modoMain, kTuttoMain);
    EXPECT_EQ(s.modoItinerario, kTuttoItinerario);
    EXPECT_TRUE(s.nascondiListaRicerca);
    EXPECT_TRUE(s.esceDefault);
    EXPECT_TRUE(s.abilitato("cmdModStrada"));  // cmdItinerario and cmdModStrada share one code

    // With the frame its commands join; search needs two legs; the converter stays hidden.
    s = AbilitaPulsantiComando("all", "all", fatti(2, true));
    EXPECT_TRUE(abilitati(s).contains(kComandiCornice));
    EXPECT_FALSE(s.abilitato(kCmdMapPoint));
    ASSERT_NE(s.pulsante(kCmdConverte), nullptr);
    EXPECT_FALSE(s.pulsante(kCmdConverte)->visibile);
    EXPECT_FALSE(s.pulsante(kCmdConverte)->abilitato);
    EXPECT_FALSE(AbilitaPulsantiComando("NuEs", "zz", {}).nascondiListaRicerca);
}

TEST(Modi, EscAttivoSoloPerNuRiEsENuRi) {
    for (const auto& [modo, attivo] :
         {std::pair{"NuRiEs", true}, {"nuri", true}, {"NuRiEsSa", false}, {"all", false}, {"Es", false}}) {
        const StatoComandi s = AbilitaPulsantiComando(modo, "zz", {});
        EXPECT_EQ(s.escAttivo, attivo) << modo;
        EXPECT_EQ(s.pulsante("cmdEsce")->tooltip, attivo ? "Esce dal form (Esc attivo)" : "Esce dal form")
            << modo;
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
