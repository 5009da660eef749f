#include "common/ui/DialoghiQt.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace {

QMessageBox::Icon iconaQt(Icona i) {
    switch (i) {
        case Icona::Informazione:
            return QMessageBox::Information;
        case Icona::Avviso:
            return QMessageBox::Warning;
        case Icona::Critico:
            return QMessageBox::Critical;
        case Icona::Domanda:
            return QMessageBox::Question;
        case Icona::Nessuna:
            break;
    }
    return QMessageBox::NoIcon;
}

struct Pulsante {
    QMessageBox::StandardButton tasto;
    const char* testo;
    Risposta risposta;
};

QList<Pulsante> pulsantiDi(Pulsanti p) {
    const Pulsante ok{QMessageBox::Ok, "OK", Risposta::Ok};
    const Pulsante annulla{QMessageBox::Cancel, "Annulla", Risposta::Annulla};
    const Pulsante si{QMessageBox::Yes, "Sì", Risposta::Si};
    const Pulsante no{QMessageBox::No, "No", Risposta::No};
    switch (p) {
        case Pulsanti::OkAnnulla:
            return {ok, annulla};
        case Pulsanti::SiNo:
            return {si, no};
        case Pulsanti::SiNoAnnulla:
            return {si, no, annulla};
        case Pulsanti::Ok:
            break;
    }
    return {ok};
}

QString titoloODefault(const QString& titolo) {
    return titolo.isEmpty() ? QApplication::applicationDisplayName() : titolo;
}

}  // namespace

Risposta DialoghiQt::messaggio(const Messaggio& m) {
    QMessageBox box(iconaQt(m.icona), titoloODefault(m.titolo), m.testo, QMessageBox::NoButton, genitore_);
    const QList<Pulsante> pulsanti = pulsantiDi(m.pulsanti);
    for (const Pulsante& p : pulsanti) box.addButton(p.tasto)->setText(QString::fromUtf8(p.testo));
    box.setDefaultButton(pulsanti.front().tasto);
    // Closing the box (Esc, the window's close button) answers as its last button: No, Annulla,
    // or OK for a box with OK only.
    box.setEscapeButton(pulsanti.back().tasto);
    box.exec();
    const auto premuto = box.standardButton(box.clickedButton());
    for (const Pulsante& p : pulsanti)
        if (p.tasto == premuto) return p.risposta;
    return pulsanti.back().risposta;
}

QString DialoghiQt::apriFile(const QString& titolo, const QString& cartella, const QString& filtro) {
    return QFileDialog::getOpenFileName(genitore_, titoloODefault(titolo), cartella, filtroQt(filtro));
}

QString DialoghiQt::salvaFile(const QString& titolo, const QString& cartella, const QString& filtro) {
    return QFileDialog::getSaveFileName(genitore_, titoloODefault(titolo), cartella, filtroQt(filtro));
}

void DialoghiQt::eseguiEventi() {
    QCoreApplication::processEvents();
}

QString filtroQt(const QString& filtro) {
    if (!filtro.contains(QLatin1Char('|'))) return filtro;
    static const QRegularExpression modelloFinale(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList pezzi = filtro.split(QLatin1Char('|'));
    QStringList voci;
    for (int i = 0; i + 1 < pezzi.size(); i += 2) {
        QString descrizione = pezzi[i];
        descrizione.remove(modelloFinale);
        const QString modelli =
            pezzi[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        voci << QStringLiteral("%1 (%2)").arg(descrizione.trimmed(), modelli.trimmed());
    }
    return voci.join(QStringLiteral(";;"));
}
