#include "exchange/FileScambio.h"

#include "common/File1252.h"
#include "common/Testo.h"

namespace {

const QLatin1String kCodiceMeta("CodiceMeta");

bool HaControlli(QStringView riga) {
    for (QChar c : riga)
        if (c.unicode() < 32 && c != QLatin1Char('\t')) return true;
    return false;
}

LetturaScambio Rifiuto(int riga, const QString& motivo) {
    LetturaScambio l;
    l.riga = riga;
    l.motivo = motivo;
    return l;
}

// The fields of a line that ends with sep: the text between separators, the empty part after the
// last one left out.
QStringList Campi(QStringView riga, QChar sep) {
    QStringList campi;
    for (QStringView c : riga.split(sep)) campi << c.toString();
    campi.removeLast();
    return campi;
}

}  // namespace

QChar SeparatoreBlocco(int blocco) {
    return QChar(0xFF - blocco);
}

int BloccoDelSeparatore(QChar c) {
    const int b = 0xFF - static_cast<int>(c.unicode());
    return b >= 0 && b < kBlocchiScambio ? b : -1;
}

int Blocco::colonna(const QString& campo) const {
    for (int i = 0; i < campi.size(); ++i)
        if (UgualeTesto(campi[i], campo)) return i;
    return -1;
}

QString Blocco::valore(const RigaScambio& riga, const QString& campo) const {
    const int c = colonna(campo);
    return c >= 0 && c < riga.valori.size() ? Trim(riga.valori[c]) : QString();
}

LetturaScambio LeggiScambio(const QByteArray& byte) {
    // Decoding the whole file at once: every byte is one character, so CR and LF stay themselves.
    const QStringList righe = Decodifica1252(byte).split(QLatin1Char('\n'));
    ContenutoScambio contenuto;
    int corrente = -1;
    for (qsizetype i = 0; i < righe.size(); ++i) {
        const int numero = static_cast<int>(i) + 1;
        QStringView riga(righe[i]);
        if (riga.endsWith(QLatin1Char('\r'))) riga.chop(1);
        if (riga.count(QLatin1Char(' ')) == riga.size()) continue;  // blank
        if (HaControlli(riga)) return Rifiuto(numero, QStringLiteral("contiene caratteri di controllo"));
        const int blocco = BloccoDelSeparatore(riga.back());
        if (blocco < 0) return Rifiuto(numero, QStringLiteral("non termina con un separatore di campo"));
        const QStringList campi = Campi(riga, SeparatoreBlocco(blocco));
        if (blocco != corrente) {
            if (corrente < 0 && blocco != BloccoMete)
                return Rifiuto(numero, QStringLiteral("manca l'intestazione delle mète"));
            if (blocco < corrente || contenuto.blocchi[blocco].presente)
                return Rifiuto(numero, QStringLiteral("blocco fuori posto"));
            Blocco& b = contenuto.blocchi[blocco];
            b.presente = true;
            b.rigaIntestazione = numero;
            b.campi = campi;
            for (QString& c : b.campi) c = Trim(c);
            if (blocco == BloccoMete && b.colonna(kCodiceMeta) < 0)
                return Rifiuto(numero, QStringLiteral("manca l'intestazione delle mète"));
            corrente = blocco;
            continue;
        }
        Blocco& b = contenuto.blocchi[blocco];
        if (campi.size() != b.campi.size())
            return Rifiuto(numero, QStringLiteral("%1 campi invece dei %2 dell'intestazione")
                                       .arg(campi.size())
                                       .arg(b.campi.size()));
        b.righe.append({numero, campi});
    }
    if (corrente < 0) return Rifiuto(0, QStringLiteral("manca l'intestazione delle mète"));
    LetturaScambio l;
    l.contenuto = std::move(contenuto);
    return l;
}

QString MessaggioFileNonValido(const QString& percorso, const LetturaScambio& lettura) {
    QString testo =
        QStringLiteral("Il file ") + percorso + QStringLiteral(" non è un file di scambio valido");
    if (lettura.riga > 0) testo += QStringLiteral(" (riga %1)").arg(lettura.riga);
    return testo + QStringLiteral(": ") + lettura.motivo + QLatin1Char('.');
}

QString LineaScambio(const QStringList& valori, int blocco) {
    const QChar sep = SeparatoreBlocco(blocco);
    QString linea;
    for (const QString& v : valori) {
        QString t = Trim(v);
        t.replace(sep, sep.toUpper());
        linea += t;
        linea += sep;
    }
    return linea;
}

QList<MetaNelFile> MeteDelFile(const ContenutoScambio& contenuto) {
    const Blocco& b = contenuto.blocchi[BloccoMete];
    QList<MetaNelFile> mete;
    for (const RigaScambio& r : b.righe) {
        MetaNelFile m{b.valore(r, QStringLiteral("Localita")), b.valore(r, QStringLiteral("Nazione")),
                      b.valore(r, kCodiceMeta)};
        if (!m.localita.isEmpty()) mete << m;
    }
    return mete;
}
