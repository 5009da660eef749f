#include "database/Schema.h"

#include "common/Testo.h"
#include "database/NomiCampi.h"

ElencoTabelle TabelleStandard() {
    ElencoTabelle t;
    t.TabelleNomi[TabMeteCamper] = nomi::kMeteCamper;
    t.TabelleIndici[TabMeteCamper] = QStringLiteral("CodiceMeta,Localita");
    t.TabelleCampi[TabMeteCamper] = QStringLiteral(
        "CodiceMeta[T=6],Localita[T=30],Nazione[T=19],DataInizio[T=8],OraInizio[T=4],MediaAutostrada[T=3],"
        "MediaSuperStrada[T=3],MediaPrincipale[T=3],MediaLocale[T=3],OraColazione[T=4],OraPranzo[T=4],"
        "DurataPranzo[T=4],OraCena[T=4],DurataCena[T=4],OraNotte[T=4],RiposoMinuti[T=2],RiposoOre[T=2],"
        "RiposoGiorno[T=2],RiposoDopoGiorni[T=2],InizioVisita[T=4],FineVisita[T=4],OreTraghetti[T=4],"
        "GiorniAdeguamento[T=4],CalcoloSoste[T=1],Range[T=2],Coefficiente[T=10],Flag1[T=25],Flag2[T=25]");
    t.TabelleNomi[TabItinerari] = nomi::kItinerari;
    t.TabelleIndici[TabItinerari] = QStringLiteral("CodiceMeta,Sequenza,Localita");
    t.TabelleCampi[TabItinerari] = QStringLiteral(
        "CodiceMeta[T=6],Sequenza[T=4],Localita[T=30],Chilometri[T=4],NomeStrada[T=64],TipoStrada[T=1],"
        "TempoSosta[T=8],SostaGuidaCitta[T=8],FineGiorno[T=1],Start[Y],Fine[Y],Flag1[T=25],Flag2[Y]");
    t.TabelleNomi[TabGuidaCitta] = nomi::kGuidaCitta;
    t.TabelleIndici[TabGuidaCitta] = QStringLiteral("Localita,Gruppo,TipoDato");
    t.TabelleCampi[TabGuidaCitta] = QStringLiteral(
        "Localita[T=30],CodiceGuida[T=2],Gruppo[T=20],Descrizione[T=96],TempoSosta[T=5],FlagVisto[T=1],"
        "OrarioAttivita[Y],Flag1[T=30]");
    t.TabelleNomi[TabTipoGuida] = nomi::kTipoGuida;
    t.TabelleIndici[TabTipoGuida] = QStringLiteral("CodiceGuida");
    t.TabelleCampi[TabTipoGuida] = QStringLiteral("CodiceGuida[T=2],Descrizione[T=32],TempoObbligatorio[Y]");
    t.TabelleNomi[TabMetaCorrente] = nomi::kMetaCorrente;
    t.TabelleIndici[TabMetaCorrente] = QStringLiteral("MetaCorrente");
    t.TabelleCampi[TabMetaCorrente] = QStringLiteral("MetaCorrente[T=6]");
    t.TabelleNomi[TabParametri] = nomi::kParametri;
    t.TabelleIndici[TabParametri] = QStringLiteral("Metacorrente");
    t.TabelleCampi[TabParametri] = QStringLiteral(
        "MediaAutostrada[T=3],MediaSuperStrada[T=3],MediaPrincipale[T=3],MediaLocale[T=3],OraColazione[T=4],"
        "OraPranzo[T=4],DurataPranzo[T=4],OraCena[T=4],DurataCena[T=4],OraNotte[T=4],RiposoMinuti[T=2],"
        "RiposoOre[T=2],RiposoGiorno[T=2],RiposoDopoGiorni[T=2],InizioVisita[T=4],FineVisita[T=4],"
        "OreTraghetti[T=4],CalcoloSoste[T=1],Range[T=2],Flag1[T=25],Flag2[T=25]");
    return t;
}

namespace {

bool tipoDaLettera(QChar lettera, TipoCampo& tipo) {
    switch (lettera.toUpper().unicode()) {
        case 'T':
            tipo = TipoCampo::Testo;
            return true;
        case 'Y':
            tipo = TipoCampo::SiNo;
            return true;
        case 'I':
            tipo = TipoCampo::Intero;
            return true;
        case 'S':
            tipo = TipoCampo::Singolo;
            return true;
        case 'L':
            tipo = TipoCampo::Doppio;
            return true;
        case 'D':
            tipo = TipoCampo::Data;
            return true;
        case 'B':
            tipo = TipoCampo::Byte;
            return true;
        default:
            return false;
    }
}

// Width of a "T=n]..." rest: the number before the next "]".
int larghezzaTesto(const QString& restoDopoUguale) {
    qsizetype chiusa = restoDopoUguale.indexOf(QLatin1Char(']'));
    return static_cast<int>(Valore(chiusa < 0 ? restoDopoUguale : restoDopoUguale.left(chiusa)));
}

}  // namespace

QList<Campo> LeggiSpecificaCreazione(const QString& specifica) {
    QList<Campo> campi;
    QString resto = specifica;
    while (resto.size() >= 4) {
        qsizetype aperta = resto.indexOf(QLatin1Char('['));
        if (aperta < 0) break;
        Campo c;
        c.nome = resto.left(aperta);
        resto = resto.mid(aperta + 1);
        QChar lettera = resto.isEmpty() ? QChar() : resto[0];
        bool valido = tipoDaLettera(lettera, c.tipo);
        if (lettera.toUpper() == QLatin1Char('T')) {
            resto = resto.mid(2);
            c.larghezza = larghezzaTesto(resto);
            qsizetype chiusa = resto.indexOf(QLatin1Char(']'));
            resto = chiusa < 0 ? QString() : resto.mid(chiusa + 2);
        } else {
            resto = resto.mid(3);
        }
        if (valido) campi << c;
    }
    return campi;
}

QList<Campo> LeggiSpecificaVerifica(const QString& specifica) {
    QList<Campo> campi;
    QString resto = specifica;
    while (!resto.isEmpty()) {
        qsizetype aperta = resto.indexOf(QLatin1Char('['));
        if (aperta < 0) break;
        Campo c;
        c.nome = resto.left(aperta);
        QString tipo = resto.mid(aperta + 1);
        // Only text entries have a width to compare; an unknown letter checks the name alone.
        if (!tipoDaLettera(tipo.isEmpty() ? QChar() : tipo[0], c.tipo)) c.tipo = TipoCampo::Byte;
        if (!tipo.isEmpty() && tipo[0].toUpper() == QLatin1Char('T'))
            c.larghezza = larghezzaTesto(tipo.mid(2));
        campi << c;
        qsizetype chiusa = resto.indexOf(QLatin1Char(']'));
        resto = chiusa < 0 ? QString() : resto.mid(chiusa + 2);
    }
    return campi;
}
