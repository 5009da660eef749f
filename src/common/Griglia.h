#pragma once
// The grid of texts: a table of QString cells with the properties the logic uses of a grid (counts,
// header rows, current cell, selected rectangle, top row, per-cell bold and colours, column widths
// and alignment).  It is a plain class so that the itinerary, the engine and the report can be run
// and tested without a window; the window shows it through GrigliaModello, which subscribes to the
// change notifications below.
//
// Indices are 0-based, row 0 being the first header row.  Out-of-range access never crashes: reads
// give the empty text (not bold, no colour) and writes are refused with a false return.
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

// An RGB colour as 0xRRGGBB; the logic links QtCore only, so no QColor here.
using Colore = std::uint32_t;

enum class Allineamento { Sinistra, Centro, Destra };

// A rectangle of cells, corners included, with prima <= ultima.
struct Rettangolo {
    int primaRiga = 0;
    int primaColonna = 0;
    int ultimaRiga = 0;
    int ultimaColonna = 0;
    bool operator==(const Rettangolo&) const = default;
};

// Receives the changes of a grid.  Structural changes come in pairs (before, after) so that an item
// model can bracket them; cell changes come after the fact.  Row notifications only ever concern
// rows below the header rows: a change that touches the header rows' count is a reset.  Inside an
// update bracket every change is folded into one reset (and at most one cursor and one appearance
// notification at its end).
class OsservatoreGriglia {
  public:
    virtual ~OsservatoreGriglia() = default;
    virtual void primaDelRiordino() {}
    virtual void dopoIlRiordino() {}
    virtual void primaDiInserireRighe(int /*prima*/, int /*ultima*/) {}
    virtual void righeInserite(int /*prima*/, int /*ultima*/) {}
    virtual void primaDiRimuovereRighe(int /*prima*/, int /*ultima*/) {}
    virtual void righeRimosse(int /*prima*/, int /*ultima*/) {}
    virtual void primaDiInserireColonne(int /*prima*/, int /*ultima*/) {}
    virtual void colonneInserite(int /*prima*/, int /*ultima*/) {}
    virtual void primaDiRimuovereColonne(int /*prima*/, int /*ultima*/) {}
    virtual void colonneRimosse(int /*prima*/, int /*ultima*/) {}
    // Text, bold or colours of the cells in the rectangle changed.
    virtual void celleCambiate(const Rettangolo& /*celle*/) {}
    // Column widths, alignments or the number of header columns changed.
    virtual void aspettoCambiato() {}
    // Current cell, selection or top row changed.
    virtual void cursoreCambiato() {}
    // The grid is being destroyed: drop every pointer to it.
    virtual void grigliaDistrutta() {}
};

struct DefinizioneColonna {
    QString intestazione;
    int larghezza = 0;  // in the layout's units (twips); 0 hides the column
    Allineamento allineamento = Allineamento::Sinistra;
};

class Griglia {
  public:
    static constexpr int larghezzaPredefinita = 1000;

    // A grid of the given size with one header row (none when it has no rows).
    explicit Griglia(int numeroRighe = 2, int numeroColonne = 2);
    // Copies cells, layout and cursor; observers stay with their own grid.
    Griglia(const Griglia& altra);
    Griglia& operator=(const Griglia& altra);
    // Takes the other grid's cells, layout and cursor without copying them, as one reset for this
    // grid's observers; the other grid is left empty.  A grid that others observe is copied instead.
    Griglia& operator=(Griglia&& altra);
    ~Griglia();

    // Counts.  The grid never has fewer rows than header rows nor fewer columns than header columns:
    // asking for less cuts down to them.  Growing adds empty rows or columns at the end, cutting
    // drops the last ones; the cursor is pulled back into the grid.
    int righe() const { return static_cast<int>(celle_.size()); }
    void impostaRighe(int n);
    // What impostaRighe(tenute) then impostaRighe(n) leave, cursor included, the rows already
    // there emptied and reused rather than made again.
    void ricominciaRighe(int tenute, int n);
    int colonne() const { return static_cast<int>(colonneFormato_.size()); }
    void impostaColonne(int n);
    // Header rows (shown as the column headers) and header columns; growing them beyond the grid
    // grows the grid.
    int righeFisse() const { return righeFisse_; }
    void impostaRigheFisse(int n);
    int colonneFisse() const { return colonneFisse_; }
    void impostaColonneFisse(int n);

    // Cell texts.
    QString testo(int r, int c) const;
    bool impostaTesto(int r, int c, const QString& t);
    QString TextMatrix(int r, int c) const { return testo(r, c); }
    bool setTextMatrix(int r, int c, const QString& t) { return impostaTesto(r, c, t); }

    // Cell format.  A colour left unset is the grid's normal colour.
    bool grassetto(int r, int c) const;
    bool impostaGrassetto(int r, int c, bool g);
    std::optional<Colore> coloreSfondo(int r, int c) const;
    bool impostaColoreSfondo(int r, int c, std::optional<Colore> colore);
    std::optional<Colore> coloreTesto(int r, int c) const;
    bool impostaColoreTesto(int r, int c, std::optional<Colore> colore);

    // Column layout.  Widths are proportions in any unit (the layouts use twips); 0 hides a column.
    int larghezzaColonna(int c) const;
    bool impostaLarghezzaColonna(int c, int larghezza);
    Allineamento allineamentoColonna(int c) const;
    bool impostaAllineamentoColonna(int c, Allineamento a);
    // The texts of row 0, the header row.  Setting them makes row 0 a header row when there is none
    // and grows the columns to the number of texts; the other columns keep their header.
    QStringList intestazioni() const;
    void impostaIntestazioni(const QStringList& testi);
    // Columns, their headers, widths and alignments in one step (the column count becomes the
    // number of definitions).
    void definisciColonne(const QList<DefinizioneColonna>& definizioni);

    // Current cell (Row, Col), selected rectangle (RowSel, ColSel with the current cell as the
    // other corner) and first visible row below the headers (TopRow).  Setting the current row or
    // column collapses the selection onto the current cell, as a click does.  Every value is
    // clamped into the grid; the top row stays below the header rows.
    int riga() const { return riga_; }
    void impostaRiga(int r);
    int colonna() const { return colonna_; }
    void impostaColonna(int c);
    int rigaSel() const { return rigaSel_; }
    void impostaRigaSel(int r);
    int colonnaSel() const { return colonnaSel_; }
    void impostaColonnaSel(int c);
    // Current cell (r1, c1) and the selection's other corner (r2, c2) at once.
    void seleziona(int r1, int c1, int r2, int c2);
    Rettangolo selezione() const;
    int rigaInAlto() const { return rigaInAlto_; }
    void impostaRigaInAlto(int r);

    // Rows.  aggiungiRiga splits the text at tabs into the cells of a new row, inserted at
    // posizione (-1: at the end); texts beyond the last column are dropped.  It answers the new
    // row's index, or -1 when posizione lies among the header rows or beyond the end.  The cursor
    // keeps its indices (clamped into the grid) across insertions and removals.
    int aggiungiRiga(const QString& testiTab, int posizione = -1);
    bool inserisciRighe(int posizione, int n);
    // Removes n rows from r on (fewer when the grid ends first); header rows cannot be removed.
    bool rimuoviRighe(int r, int n = 1);
    // Empty texts and plain format, the size kept: every cell, or only the rows below the headers.
    void svuota();
    void svuotaDati();

    // Update bracket: changes made inside it reach the observers as one reset at the end.
    // Brackets nest.
    void iniziaAggiornamento();
    void terminaAggiornamento();
    class Aggiornamento {
      public:
        explicit Aggiornamento(Griglia& g) : g_(g) { g_.iniziaAggiornamento(); }
        ~Aggiornamento() { g_.terminaAggiornamento(); }
        Aggiornamento(const Aggiornamento&) = delete;
        Aggiornamento& operator=(const Aggiornamento&) = delete;

      private:
        Griglia& g_;
    };

    void aggiungiOsservatore(OsservatoreGriglia* o);
    void rimuoviOsservatore(OsservatoreGriglia* o);

  private:
    // 32 bytes: each colour is 0xRRGGBB with a bit above it for "set", and the bold flag rides on
    // the text colour's word.  Large grids are mostly memory, so the size counts.
    struct Cella {
        static constexpr std::uint32_t kImpostato = 1u << 24;
        static constexpr std::uint32_t kGrassetto = 1u << 25;
        QString testo;
        std::uint32_t sfondo = 0;
        std::uint32_t colore = 0;
        bool grassetto() const { return colore & kGrassetto; }
        void impostaGrassetto(bool g) { colore = g ? colore | kGrassetto : colore & ~kGrassetto; }
        static std::optional<Colore> leggi(std::uint32_t v) {
            return v & kImpostato ? std::optional<Colore>(v & 0xFFFFFFu) : std::nullopt;
        }
        static void scrivi(std::uint32_t& v, std::optional<Colore> c) {
            v = (v & kGrassetto) | (c ? (*c & 0xFFFFFFu) | kImpostato : 0u);
        }
        bool vuota() const { return testo.isEmpty() && sfondo == 0 && colore == 0; }
    };
    struct FormatoColonna {
        int larghezza = larghezzaPredefinita;
        Allineamento allineamento = Allineamento::Sinistra;
    };
    using Riga = std::vector<Cella>;

    bool dentro(int r, int c) const { return r >= 0 && r < righe() && c >= 0 && c < colonne(); }
    const Cella* cella(int r, int c) const { return dentro(r, c) ? &celle_[r][c] : nullptr; }
    template <class Modifica>
    bool cambiaAspetto(int r, int c, Modifica m);
    void svuotaRighe(int prima);
    void ridimensionaRighe(int n);
    void ridimensionaColonne(int n);
    void limitaCursore() { limitaCursore(righe()); }
    void limitaCursore(int numeroRighe);

    // Notification: before/after pairs outside a bracket, one lazy reset inside.
    template <class F>
    void notifica(F f);
    bool inLotto() const { return livello_ > 0; }
    void apriRiordinoDiLotto();
    void riordino(auto&& modifica);
    template <class G>
    void assegnaStato(G&& altra);
    template <class Prima, class Dopo, class Modifica>
    void cambiaStruttura(Prima prima, Dopo dopo, Modifica modifica);
    void segnalaCelle(const Rettangolo& r);
    void segnalaAspetto();
    void segnalaCursore();

    std::vector<Riga> celle_;
    std::vector<FormatoColonna> colonneFormato_;
    int righeFisse_ = 0;
    int colonneFisse_ = 0;
    int riga_ = 0;
    int colonna_ = 0;
    int rigaSel_ = 0;
    int colonnaSel_ = 0;
    int rigaInAlto_ = 0;

    std::vector<OsservatoreGriglia*> osservatori_;
    int livello_ = 0;
    bool riordinoAperto_ = false;
    bool cursoreInSospeso_ = false;
    bool aspettoInSospeso_ = false;
};
