#include "common/Dialoghi.h"

namespace {
Risposta rispostaChiusura(Pulsanti p) {
    switch (p) {
        case Pulsanti::Ok:
            return Risposta::Ok;
        case Pulsanti::OkAnnulla:
        case Pulsanti::SiNoAnnulla:
            return Risposta::Annulla;
        case Pulsanti::SiNo:
            break;
    }
    return Risposta::No;
}
}  // namespace

Risposta DialoghiScriptati::messaggio(const Messaggio& m) {
    mostrati.append(m);
    if (m.pulsanti == Pulsanti::Ok) {
        // A box with only OK takes a scripted Ok if one is next, but never consumes a Yes/No.
        if (!risposte.isEmpty() && risposte.front() == Risposta::Ok) risposte.pop_front();
        return Risposta::Ok;
    }
    if (risposte.isEmpty()) return rispostaChiusura(m.pulsanti);
    return risposte.takeFirst();
}

QString DialoghiScriptati::apriFile(const QString&, const QString&, const QString&) {
    return fileDaAprire.isEmpty() ? QString() : fileDaAprire.takeFirst();
}

QString DialoghiScriptati::salvaFile(const QString&, const QString&, const QString&) {
    return fileDaSalvare.isEmpty() ? QString() : fileDaSalvare.takeFirst();
}

QStringList DialoghiScriptati::testiMostrati() const {
    QStringList t;
    for (const Messaggio& m : mostrati) t << m.testo;
    return t;
}
