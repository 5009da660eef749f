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

FattiComandi fatti(int tappe, bool cornice, bool sblocca = false) {
    FattiComandi f;
    f.numeroTappe = tappe;
    f.pannelloInserimentoVisibile = cornice;
    if (sblocca) f.captionCalcola = "&Sblocca";
    return f;
}

// Each case: mode, itinerary mode, legs, frame shown, schedule shown > the enabled buttons > the
// exit button's caption.
TEST(Modi, PulsantiAbilitatiDaiDueModi) {
    for (const QString& caso : {
             ModoNuovaMeta(true) + " zz 0 0 0 > cmdNuovo cmdSalva cmdEsce cmdRicerca cmdMapPoint > &Esce",
             ModoNuovaMeta(false) + " zz 0 0 0 > cmdNuovo cmdSalva cmdEsce cmdMapPoint > &Esce",
             // No trip at all: Im is carried by no button; the codes match whatever the case.
             ModoDopoRicerca(false) + " ZZ 0 0 0 > cmdNuovo cmdEsce cmdMapPoint > &Esce",
             QString("nuSAes z 0 0 0 > cmdNuovo cmdSalva cmdEsce cmdMapPoint > &Esce"),
             QString("NuEs InFiDu 2 0 0 > cmdNuovo cmdEsce cmdDuplica > &Esce"),
             // The editing frame shown blocks the trip commands.
             QString("all InAgFi 5 1 0 > cmdInserisce cmdAggiunge cmdFine > &Esce"),
             // "Es" alone turns the exit button into Stop.
             QString("Es zz 0 0 0 > cmdEsce cmdMapPoint > &Stop"),
             // A schedule shown (Sblocca) leaves compute and print, whatever the mode; "vv" not even those.
             QString("all zz 0 0 1 > cmdCalcola cmdStampa cmdMapPoint > &Esce"),
             QString("Es zz 0 0 1 > cmdCalcola cmdStampa cmdMapPoint > &Esce"),
             QString("NuSaEs zz 0 0 1 > cmdCalcola cmdStampa cmdMapPoint > &Esce"),
             QString("vv zz 0 0 1 > cmdMapPoint > &Esce"),
         }) {
        SCOPED_TRACE(caso.toStdString());
        const QStringList parti = caso.split(" > ");
        const QStringList m = parti[0].split(' ');
        const StatoComandi s =
            AbilitaPulsantiComando(m[0], m[1], fatti(m[2].toInt(), m[3] == "1", m[4] == "1"));
        const QStringList attesi = parti[1].split(' ');
        EXPECT_EQ(abilitati(s), QSet<QString>(attesi.begin(), attesi.end()));
        EXPECT_EQ(s.pulsante("cmdEsce")->caption, parti[2]);
    }
    EXPECT_EQ(AbilitaPulsantiComando("all", "InAgFi", fatti(5, true)).modoMain, "F");
    EXPECT_EQ(AbilitaPulsantiComando("all", "zz", fatti(0, false, true)).pulsante("cmdCalcola")->caption,
              "&Sblocca");
}

TEST(Modi, AllAbilitaOgniComandoECercaVuolePiuDiUnaTappa) {
    // The itinerary commands that read the editing frame's boxes or its current row.
    const QSet<QString> cornice{"cmdInserisce", "cmdAggiunge", "cmdCancella", "cmdRitorno",
                                "cmdCerca",     "cmdFine",     "cmdMemorizza"};
    QSet<QString> attesi{kCmdMapPoint};
    for (const DefinizionePulsante& d : PulsantiMeta()) attesi << d.nome;
    for (const DefinizionePulsante& d : PulsantiItinerario()) attesi << d.nome;
    StatoComandi s = AbilitaPulsantiComando("ALL", "all", fatti(1, false));
    EXPECT_EQ(abilitati(s), attesi - cornice);
    EXPECT_EQ(s.modoMain + '|' + s.modoItinerario, kTuttoMain + '|' + kTuttoItinerario);
    EXPECT_TRUE(s.nascondiListaRicerca);
    EXPECT_TRUE(s.esceDefault);

    // With the frame its commands join; search needs two legs; the converter stays hidden.
    s = AbilitaPulsantiComando("all", "all", fatti(2, true));
    EXPECT_TRUE(abilitati(s).contains(cornice));
    EXPECT_FALSE(s.abilitato(kCmdMapPoint));
    ASSERT_NE(s.pulsante(kCmdConverte), nullptr);
    EXPECT_FALSE(s.pulsante(kCmdConverte)->visibile || s.pulsante(kCmdConverte)->abilitato);
    EXPECT_FALSE(AbilitaPulsantiComando("all", "all", fatti(1, true)).abilitato("cmdCerca"));
    EXPECT_FALSE(AbilitaPulsantiComando("NuEs", "zz", {}).nascondiListaRicerca);
}

TEST(Modi, EscAttivoUscitaEInterruzione) {
    for (const auto& [modo, attivo] :
         {std::pair{"NuRiEs", true}, {"nuri", true}, {"NuRiEsSa", false}, {"all", false}, {"Es", false}}) {
        const StatoComandi s = AbilitaPulsantiComando(modo, "zz", {});
        EXPECT_EQ(s.escAttivo, attivo) << modo;
        EXPECT_EQ(s.pulsante("cmdEsce")->tooltip, attivo ? "Esce dal form (Esc attivo)" : "Esce dal form")
            << modo;
    }

    DialoghiScriptati d;
    d.risposte = {Risposta::Si, Risposta::No, Risposta::Si};
    EXPECT_EQ(ChiediUscita(kCaptionEsce, d), AzioneEsce::Chiudi);
    EXPECT_EQ(ChiediUscita(kCaptionEsce, d), AzioneEsce::Nessuna);
    EXPECT_EQ(ChiediUscita(kCaptionStop, d), AzioneEsce::Interrompi);
    EXPECT_EQ(ChiediUscita(kCaptionStop, d), AzioneEsce::Nessuna);  // closed box
    EXPECT_EQ(d.testiMostrati().mid(1, 2),
              (QStringList{"Vuoi chiudere la procedura?", "Vuoi interrompere l'elaborazione?"}));
}

}  // namespace
