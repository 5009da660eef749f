#include "common/Griglia.h"

#include <algorithm>

namespace {
int limita(int valore, int minimo, int massimo) {
    return std::max(minimo, std::min(valore, massimo));
}
}  // namespace

Griglia::Griglia(int numeroRighe, int numeroColonne) {
    ridimensionaColonne(std::max(numeroColonne, 0));
    ridimensionaRighe(std::max(numeroRighe, 0));
    righeFisse_ = righe() > 0 ? 1 : 0;
    riga_ = rigaSel_ = rigaInAlto_ = righeFisse_;
    limitaCursore();
}

Griglia::Griglia(const Griglia& altra)
    : celle_(altra.celle_),
      colonneFormato_(altra.colonneFormato_),
      righeFisse_(altra.righeFisse_),
      colonneFisse_(altra.colonneFisse_),
      riga_(altra.riga_),
      colonna_(altra.colonna_),
      rigaSel_(altra.rigaSel_),
      colonnaSel_(altra.colonnaSel_),
      rigaInAlto_(altra.rigaInAlto_) {}

// Copies or moves everything but the observers, as the source is given.
template <class G>
void Griglia::assegnaStato(G&& altra) {
    if (this == &altra) return;
    riordino([&] {
        celle_ = std::forward<G>(altra).celle_;
        colonneFormato_ = std::forward<G>(altra).colonneFormato_;
        righeFisse_ = altra.righeFisse_;
        colonneFisse_ = altra.colonneFisse_;
        riga_ = altra.riga_;
        colonna_ = altra.colonna_;
        rigaSel_ = altra.rigaSel_;
        colonnaSel_ = altra.colonnaSel_;
        rigaInAlto_ = altra.rigaInAlto_;
    });
    segnalaAspetto();
    segnalaCursore();
}

Griglia& Griglia::operator=(const Griglia& altra) {
    assegnaStato(altra);
    return *this;
}

Griglia& Griglia::operator=(Griglia&& altra) {
    if (this == &altra) return *this;
    if (!altra.osservatori_.empty()) return *this = static_cast<const Griglia&>(altra);
    assegnaStato(std::move(altra));
    altra.celle_.clear();
    altra.colonneFormato_.clear();
    altra.righeFisse_ = altra.colonneFisse_ = 0;
    altra.riga_ = altra.colonna_ = altra.rigaSel_ = altra.colonnaSel_ = altra.rigaInAlto_ = 0;
    return *this;
}

Griglia::~Griglia() {
    notifica([](OsservatoreGriglia& o) { o.grigliaDistrutta(); });
}

// ---- notification ----

template <class F>
void Griglia::notifica(F f) {
    if (osservatori_.empty()) return;
    // A copy, so that an observer may unsubscribe while being told.
    const std::vector<OsservatoreGriglia*> copia = osservatori_;
    for (OsservatoreGriglia* o : copia) f(*o);
}

void Griglia::apriRiordinoDiLotto() {
    if (riordinoAperto_) return;
    riordinoAperto_ = true;
    notifica([](OsservatoreGriglia& o) { o.primaDelRiordino(); });
}

void Griglia::riordino(auto&& modifica) {
    if (inLotto()) {
        apriRiordinoDiLotto();
        modifica();
    } else {
        notifica([](OsservatoreGriglia& o) { o.primaDelRiordino(); });
        modifica();
        notifica([](OsservatoreGriglia& o) { o.dopoIlRiordino(); });
    }
    limitaCursore();
}

// Runs a structural change between its before/after notifications, or inside the open reset.
template <class Prima, class Dopo, class Modifica>
void Griglia::cambiaStruttura(Prima prima, Dopo dopo, Modifica modifica) {
    if (inLotto()) {
        apriRiordinoDiLotto();
        modifica();
    } else {
        notifica(prima);
        modifica();
        notifica(dopo);
    }
    limitaCursore();
}

void Griglia::segnalaCelle(const Rettangolo& r) {
    if (inLotto()) return;  // the bracket's reset covers it
    notifica([&](OsservatoreGriglia& o) { o.celleCambiate(r); });
}

void Griglia::segnalaAspetto() {
    if (inLotto()) {
        aspettoInSospeso_ = true;
        return;
    }
    notifica([](OsservatoreGriglia& o) { o.aspettoCambiato(); });
}

void Griglia::segnalaCursore() {
    if (inLotto()) {
        cursoreInSospeso_ = true;
        return;
    }
    notifica([](OsservatoreGriglia& o) { o.cursoreCambiato(); });
}

void Griglia::iniziaAggiornamento() {
    ++livello_;
}

void Griglia::terminaAggiornamento() {
    if (livello_ == 0) return;
    if (--livello_ > 0) return;
    if (riordinoAperto_) {
        riordinoAperto_ = false;
        notifica([](OsservatoreGriglia& o) { o.dopoIlRiordino(); });
    }
    if (aspettoInSospeso_) {
        aspettoInSospeso_ = false;
        notifica([](OsservatoreGriglia& o) { o.aspettoCambiato(); });
    }
    if (cursoreInSospeso_) {
        cursoreInSospeso_ = false;
        notifica([](OsservatoreGriglia& o) { o.cursoreCambiato(); });
    }
}

void Griglia::aggiungiOsservatore(OsservatoreGriglia* o) {
    if (o && std::find(osservatori_.begin(), osservatori_.end(), o) == osservatori_.end())
        osservatori_.push_back(o);
}

void Griglia::rimuoviOsservatore(OsservatoreGriglia* o) {
    std::erase(osservatori_, o);
}

// ---- counts ----

void Griglia::ridimensionaRighe(int n) {
    celle_.resize(n, Riga(colonne()));
}

void Griglia::ridimensionaColonne(int n) {
    colonneFormato_.resize(n);
    for (Riga& r : celle_) r.resize(n);
}

void Griglia::impostaRighe(int n) {
    n = std::max(n, righeFisse_);
    const int vecchie = righe();
    if (n == vecchie) return;
    if (n > vecchie) {
        cambiaStruttura([=](OsservatoreGriglia& o) { o.primaDiInserireRighe(vecchie, n - 1); },
                        [=](OsservatoreGriglia& o) { o.righeInserite(vecchie, n - 1); },
                        [&] { ridimensionaRighe(n); });
    } else {
        cambiaStruttura([=](OsservatoreGriglia& o) { o.primaDiRimuovereRighe(n, vecchie - 1); },
                        [=](OsservatoreGriglia& o) { o.righeRimosse(n, vecchie - 1); },
                        [&] { ridimensionaRighe(n); });
    }
}

void Griglia::ricominciaRighe(int tenute, int n) {
    tenute = std::max(tenute, righeFisse_);
    n = std::max(n, tenute);
    if (righe() <= tenute) {
        impostaRighe(n);
        return;
    }
    riordino([&] {
        const int vecchie = std::min(righe(), n);
        ridimensionaRighe(vecchie);
        for (int r = tenute; r < vecchie; ++r) std::fill(celle_[r].begin(), celle_[r].end(), Cella{});
        ridimensionaRighe(n);
        limitaCursore(tenute);
    });
}

void Griglia::impostaColonne(int n) {
    n = std::max(n, colonneFisse_);
    const int vecchie = colonne();
    if (n == vecchie) return;
    if (n > vecchie) {
        cambiaStruttura([=](OsservatoreGriglia& o) { o.primaDiInserireColonne(vecchie, n - 1); },
                        [=](OsservatoreGriglia& o) { o.colonneInserite(vecchie, n - 1); },
                        [&] { ridimensionaColonne(n); });
    } else {
        cambiaStruttura(

            [=](OsservatoreGriglia& o) { o.primaDiRimuovereColonne(n, vecchie - 1); },
            [=](OsservatoreGriglia& o) { o.colonneRimosse(n, vecchie - 1); },
            [&] { ridimensionaColonne(n); });
    }
}

void Griglia::impostaRigheFisse(int n) {
    n = std::max(n, 0);
    if (n == righeFisse_) return;
    // Header rows and body rows are shown apart, so moving the boundary is a reset.
    riordino([&] {
        if (n > righe()) ridimensionaRighe(n);
        righeFisse_ = n;
    });
}

void Griglia::impostaColonneFisse(int n) {
    n = std::max(n, 0);
    if (n == colonneFisse_) return;
    if (n > colonne()) impostaColonne(n);
    colonneFisse_ = n;
    segnalaAspetto();
}

// ---- cells ----

// The colours and the bold flag: the text stays where it is, uncopied.
template <class Modifica>
bool Griglia::cambiaAspetto(int r, int c, Modifica m) {
    if (!dentro(r, c)) return false;
    Cella& vecchia = celle_[r][c];
    Cella nuova;
    nuova.sfondo = vecchia.sfondo;
    nuova.colore = vecchia.colore;
    m(nuova);
    if (nuova.sfondo == vecchia.sfondo && nuova.colore == vecchia.colore) return true;
    if (inLotto()) apriRiordinoDiLotto();
    vecchia.sfondo = nuova.sfondo;
    vecchia.colore = nuova.colore;
    segnalaCelle({r, c, r, c});
    return true;
}

QString Griglia::testo(int r, int c) const {
    const Cella* x = cella(r, c);
    return x ? x->testo : QString();
}

bool Griglia::impostaTesto(int r, int c, const QString& t) {
    // The text alone changes: compared in place, without a copy of the cell.
    if (!dentro(r, c)) return false;
    Cella& x = celle_[r][c];
    if (x.testo == t) return true;
    if (inLotto()) apriRiordinoDiLotto();
    x.testo = t;
    segnalaCelle({r, c, r, c});
    return true;
}

bool Griglia::grassetto(int r, int c) const {
    const Cella* x = cella(r, c);
    return x && x->grassetto();
}

bool Griglia::impostaGrassetto(int r, int c, bool g) {
    return cambiaAspetto(r, c, [&](Cella& x) { x.impostaGrassetto(g); });
}

std::optional<Colore> Griglia::coloreSfondo(int r, int c) const {
    const Cella* x = cella(r, c);
    return x ? Cella::leggi(x->sfondo) : std::nullopt;
}

bool Griglia::impostaColoreSfondo(int r, int c, std::optional<Colore> colore) {
    return cambiaAspetto(r, c, [&](Cella& x) { Cella::scrivi(x.sfondo, colore); });
}

std::optional<Colore> Griglia::coloreTesto(int r, int c) const {
    const Cella* x = cella(r, c);
    return x ? Cella::leggi(x->colore) : std::nullopt;
}

bool Griglia::impostaColoreTesto(int r, int c, std::optional<Colore> colore) {
    return cambiaAspetto(r, c, [&](Cella& x) { Cella::scrivi(x.colore, colore); });
}

void Griglia::svuotaRighe(int prima) {
    const int fine = righe();
    const auto piena = [](const Riga& r) {
        return std::any_of(r.begin(), r.end(), [](const Cella& x) { return !x.vuota(); });
    };
    if (prima >= fine || std::none_of(celle_.begin() + prima, celle_.end(), piena)) return;
    if (inLotto()) apriRiordinoDiLotto();
    for (int r = prima; r < fine; ++r) std::fill(celle_[r].begin(), celle_[r].end(), Cella{});
    if (colonne() > 0) segnalaCelle({prima, 0, fine - 1, colonne() - 1});
}

void Griglia::svuota() {
    svuotaRighe(0);
}

void Griglia::svuotaDati() {
    svuotaRighe(righeFisse_);
}

// ---- column layout ----

int Griglia::larghezzaColonna(int c) const {
    return c >= 0 && c < colonne() ? colonneFormato_[c].larghezza : 0;
}

bool Griglia::impostaLarghezzaColonna(int c, int larghezza) {
    if (c < 0 || c >= colonne() || larghezza < 0) return false;
    if (colonneFormato_[c].larghezza == larghezza) return true;
    colonneFormato_[c].larghezza = larghezza;
    segnalaAspetto();
    return true;
}

Allineamento Griglia::allineamentoColonna(int c) const {
    return c >= 0 && c < colonne() ? colonneFormato_[c].allineamento : Allineamento::Sinistra;
}

bool Griglia::impostaAllineamentoColonna(int c, Allineamento a) {
    if (c < 0 || c >= colonne()) return false;
    if (colonneFormato_[c].allineamento == a) return true;
    colonneFormato_[c].allineamento = a;
    segnalaAspetto();
    return true;
}

QStringList Griglia::intestazioni() const {
    QStringList t;
    if (righeFisse_ == 0) return t;
    for (int c = 0; c < colonne(); ++c) t << testo(0, c);
    return t;
}

void Griglia::impostaIntestazioni(const QStringList& testi) {
    if (righeFisse_ == 0) impostaRigheFisse(1);
    if (testi.size() > colonne()) impostaColonne(static_cast<int>(testi.size()));
    for (int c = 0; c < testi.size(); ++c) impostaTesto(0, c, testi[c]);
}

void Griglia::definisciColonne(const QList<DefinizioneColonna>& definizioni) {
    Aggiornamento lotto(*this);
    const int n = static_cast<int>(definizioni.size());
    if (colonneFisse_ > n) impostaColonneFisse(n);
    impostaColonne(n);
    if (righeFisse_ == 0) impostaRigheFisse(1);
    for (int c = 0; c < n; ++c) {
        impostaTesto(0, c, definizioni[c].intestazione);
        impostaLarghezzaColonna(c, std::max(definizioni[c].larghezza, 0));
        impostaAllineamentoColonna(c, definizioni[c].allineamento);
    }
}

// ---- cursor ----

void Griglia::limitaCursore(int numeroRighe) {
    const int ultimaRiga = std::max(numeroRighe - 1, 0);
    const int ultimaColonna = std::max(colonne() - 1, 0);
    const int r = limita(riga_, 0, ultimaRiga), rs = limita(rigaSel_, 0, ultimaRiga);
    const int c = limita(colonna_, 0, ultimaColonna), cs = limita(colonnaSel_, 0, ultimaColonna);
    const int alto = limita(rigaInAlto_, righeFisse_, std::max(righeFisse_, numeroRighe - 1));
    if (r == riga_ && rs == rigaSel_ && c == colonna_ && cs == colonnaSel_ && alto == rigaInAlto_) return;
    riga_ = r;
    rigaSel_ = rs;
    colonna_ = c;
    colonnaSel_ = cs;
    rigaInAlto_ = alto;
    segnalaCursore();
}

void Griglia::seleziona(int r1, int c1, int r2, int c2) {
    const int ultimaRiga = std::max(righe() - 1, 0);
    const int ultimaColonna = std::max(colonne() - 1, 0);
    r1 = limita(r1, 0, ultimaRiga);
    r2 = limita(r2, 0, ultimaRiga);
    c1 = limita(c1, 0, ultimaColonna);
    c2 = limita(c2, 0, ultimaColonna);
    if (r1 == riga_ && c1 == colonna_ && r2 == rigaSel_ && c2 == colonnaSel_) return;
    riga_ = r1;
    colonna_ = c1;
    rigaSel_ = r2;
    colonnaSel_ = c2;
    segnalaCursore();
}

void Griglia::impostaRiga(int r) {
    seleziona(r, colonna_, r, colonnaSel_);
}

void Griglia::impostaColonna(int c) {
    seleziona(riga_, c, rigaSel_, c);
}

void Griglia::impostaRigaSel(int r) {
    seleziona(riga_, colonna_, r, colonnaSel_);
}

void Griglia::impostaColonnaSel(int c) {
    seleziona(riga_, colonna_, rigaSel_, c);
}

Rettangolo Griglia::selezione() const {
    return {std::min(riga_, rigaSel_), std::min(colonna_, colonnaSel_), std::max(riga_, rigaSel_),
            std::max(colonna_, colonnaSel_)};
}

void Griglia::impostaRigaInAlto(int r) {
    r = limita(r, righeFisse_, std::max(righeFisse_, righe() - 1));
    if (r == rigaInAlto_) return;
    rigaInAlto_ = r;
    segnalaCursore();
}

// ---- rows ----

int Griglia::aggiungiRiga(const QString& testiTab, int posizione) {
    if (posizione == -1) posizione = righe();
    if (posizione < righeFisse_ || posizione > righe()) return -1;
    Riga nuova(colonne());
    const QStringList testi = testiTab.split(QLatin1Char('\t'));
    for (int c = 0; c < std::min(static_cast<int>(testi.size()), colonne()); ++c) nuova[c].testo = testi[c];
    cambiaStruttura(

        [=](OsservatoreGriglia& o) { o.primaDiInserireRighe(posizione, posizione); },
        [=](OsservatoreGriglia& o) { o.righeInserite(posizione, posizione); },
        [&] { celle_.insert(celle_.begin() + posizione, std::move(nuova)); });
    return posizione;
}

bool Griglia::inserisciRighe(int posizione, int n) {
    if (n <= 0 || posizione < righeFisse_ || posizione > righe()) return false;
    const int ultima = posizione + n - 1;
    cambiaStruttura(

        [=](OsservatoreGriglia& o) { o.primaDiInserireRighe(posizione, ultima); },
        [=](OsservatoreGriglia& o) { o.righeInserite(posizione, ultima); },
        [&] { celle_.insert(celle_.begin() + posizione, n, Riga(colonne())); });
    return true;
}

bool Griglia::rimuoviRighe(int r, int n) {
    if (n <= 0 || r < righeFisse_ || r >= righe()) return false;
    n = std::min(n, righe() - r);
    const int ultima = r + n - 1;
    cambiaStruttura(

        [=](OsservatoreGriglia& o) { o.primaDiRimuovereRighe(r, ultima); },
        [=](OsservatoreGriglia& o) { o.righeRimosse(r, ultima); },
        [&] { celle_.erase(celle_.begin() + r, celle_.begin() + r + n); });
    return true;
}
