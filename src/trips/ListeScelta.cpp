#include "trips/ListeScelta.h"

#include <algorithm>
#include <array>

#include "common/Orologio.h"
#include "common/Tempo.h"
#include "common/Testo.h"

QStringList CaricaComboBox(const QString& compatto, int cifre, int passo) {
    const qsizetype meta = compatto.size() / 2;
    const auto primo = static_cast<long long>(Valore(compatto.left(meta)));
    const auto ultimo = static_cast<long long>(Valore(compatto.mid(meta)));
    QStringList voci;
    for (long long n = primo; n <= ultimo; n += std::max(passo, 1)) voci << Zero(n, cifre);
    return voci;
}

QStringList ListaACoppie(const QString& compatto) {
    QStringList voci;
    for (qsizetype i = 0; i + 1 < compatto.size(); i += 2) voci << compatto.mid(i, 2);
    return voci;
}

QStringList ListaGiorniInizio() {
    return CaricaComboBox(QStringLiteral("00010031"), 2);
}
QStringList ListaMesiInizio() {
    return CaricaComboBox(QStringLiteral("00010012"), 2);
}

QStringList ListaAnniInizio(const Orologio& orologio) {
    return CaricaComboBox(QStringLiteral("1998") + Zero(orologio.adesso().date().year() + 5, 4), 4);
}

QStringList ListaOreInizio() {
    return CaricaComboBox(QStringLiteral("000000000024"), 2);
}
QStringList ListaMinuti() {
    return ListaACoppie(QStringLiteral("00153045"));
}

QStringList ListaMediaKm(int indice) {
    static const std::array<const char*, 4> compatti{"050140", "045110", "030070", "020060"};
    return CaricaComboBox(QLatin1String(compatti[std::clamp(indice, 0, 3)]), 3, 5);
}

QStringList ListaOra(int indice) {
    static const std::array<const char*, kCoppieOra> compatti{"0011", "1115", "1821", "2024", "0002",
                                                              "0002", "0011", "1624", "0124"};
    return CaricaComboBox(QLatin1String(compatti[std::clamp(indice, 0, kCoppieOra - 1)]), 2);
}

QStringList ListaRipM() {
    return ListaACoppie(QStringLiteral("0005101520304560"));
}
QStringList ListaRipH() {
    return CaricaComboBox(QStringLiteral("0008"), 2);
}
QStringList ListaRipG() {
    return CaricaComboBox(QStringLiteral("0005"), 2);
}
QStringList ListaRipGG() {
    return CaricaComboBox(QStringLiteral("0010"), 2);
}
QStringList ListaRange() {
    return ListaACoppie(QStringLiteral("000510152025304560"));
}

QStringList ListaSoste() {
    return {QStringLiteral("1 - Soste itinerario"), QStringLiteral("2 - Soste Guida"),
            QStringLiteral("3 - Entrambe"),         QStringLiteral("4 - Sosta Maggiore "),
            QStringLiteral("5 - Sosta minore"),     QStringLiteral("6 - Nessuna sosta!")};
}

QStringList ListaGiorniDesiderati() {
    return {QStringLiteral("000")};
}

void CorreggiMediaKm(BoxMeta& box) {
    for (int i = 0; i < 4; ++i)
        if (Valore(box.cmbMediaKm[i]) <= 0) box.cmbMediaKm[i] = ListaMediaKm(i).first();
}
