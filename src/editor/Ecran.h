#pragma once
// The score painter: one display line of the current track into its band image. The
// background, then for each measure its number, bars, repeat signs, alternate-ending bracket,
// string lines and time signature, and its beats through the per-beat loop (texts, chords,
// techniques, ties, notes, rhythm; EcranNotes.h, EcranRythme.h).
//
// Every x comes from the layout (Disposition.h) and is measured from the line's left margin;
// the painters add MargeGaucheLignes themselves. The painters read the song, its layout
// fields, the display settings and the live font styles (Fontes.h), and write none of them:
// what a painting needs besides (the staff's y, the measure being painted, whether its length
// is wrong, the fonts resolved once per line) is held in a TContexteEcran.
//
// Two "side" codes live here and differ on purpose: DessinerBarreMesure takes 1 = closing (the
// bar lies left of x) and 2 = opening (right of x), while DessinerDoubleBarre and
// DessinerBarreRenvoi take 1 = opening and 2 = closing.
#include "document/Configuration.h"
#include "document/Variable.h"
#include "editor/PlacementTextes.h"
#include "platform/Canevas.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Constant sizes of the score painters (the derived fields InitialiserEcran stores in the
// display settings; the painters use these, so a settings record reset or copied after the
// first activation cannot leave them at zero).
inline constexpr int32_t kMargePoint = 2;          // repeat dots: margin beyond the thin bar...
inline constexpr int32_t kTaillePoint = 4;         // ...and the dot's size
inline constexpr int32_t kMargeFrette = 1;         // string gap cut behind a fret text, each side
inline constexpr int32_t kMargeHampe = 1;          // between a note's text and its stem
inline constexpr int32_t kHampeCourte = 8;         // half-note stem
inline constexpr int32_t kEcartPointRythme = 5;    // rhythm dot from its stem
inline constexpr int32_t kHauteurEffets = 10;      // beat-technique row above string 1
inline constexpr int32_t kPasVibrato = 2;          // half-periods of the waves
inline constexpr int32_t kPasTremolo = 4;
inline constexpr int32_t kHauteurNbRenvois = 3;    // repeat count above string 1
inline constexpr int32_t kEcartTriolet = 4;        // triplet row below the first beam
inline constexpr int32_t kHauteurTriolet = 6;      // bracket leg, half height of a tie
inline constexpr int32_t kLongueurMinLiaison = 7;  // shortest slide line or hammer-on arc

// The colour value r + 256 g + 65536 b.
constexpr TCouleur CouleurRVB(int r, int g, int b) { return r + 256 * g + 65536 * b; }

// At the main window's first activation: the fixed technique and triplet fonts, the painters'
// constant sizes, the layout's derived widths (CalculerLargeursTemps), and the score painters
// installed in the score view in place of its sketch.
void InitialiserEcran();

// ---- A painting in progress ------------------------------------------------------------------

struct TContexteEcran {
    TContexteEcran(platform::Canevas& canevas, const TParamEcran& param) : c(canevas), p(param) {}

    platform::Canevas& c;
    const TParamEcran& p;

    int32_t Piste = 1;
    int32_t NbCordes = 6;  // n
    int32_t E = 10;        // EspLignes
    int32_t MG = 25;       // MargeGaucheLignes
    int32_t Y = 0;         // string 1 (YPortee)
    int32_t RangeeTextes = 0; // the rows of beat texts over the line, 0 without any
    int32_t MonteeDessus = 0; // how far the line's chord names and diagrams rise over its marks

    // Sizes that follow the settings.
    int32_t EcartDoubleBarre = 8;
    int32_t DecalageSignature = 6;
    int32_t EpCroches = 2;
    int32_t EcartCroches = 3;
    int32_t LongueurHampe = 22;

    platform::Couleur Lignes, Fond, MauvaiseMesure, Rythme, Effets, Diagrammes;

    // The live styles, resolved once for the line.
    platform::StyleFonte FontNotes, FontAcc, FontTxt, FontSign, FontNum, FontRenv;
    platform::StyleFonte FontEff, FontEffItalic, FontValEff, FontTriolet;

    // The measure whose beats are being painted.
    int32_t MesureDessinee = 0;
    const TMesure* Bloc = nullptr;
    int32_t NbTemps = 0;
    bool MesureFausse = false;

    // Sizes of "0" in the fret font, "C" in the text and chord fonts, "T" in the technique
    // font: measured at their first use on the line (-1 until then).
    int HauteurZeroNotes = -1;
    int LargeurCTxt = -1, HauteurCTxt = -1;
    int LargeurCAcc = -1;
    int HauteurTEff = -1;

    // Where the beat texts of the line start, by measure and beat in line order
    // (PreparerTextesLigne).
    struct TTextePlace {
        int32_t Mesure = 0;
        int32_t Temps = 0;
        int32_t X = 0, Y = 0; // the top-left of its cell
    };
    std::vector<TTextePlace> TextesLigne;

    // Where the bends of beat Temps of measure Mesure write their amounts (by string) and how far
    // its marks move up (EcranNotes.cpp): placed once for the beat, which its marks and each of
    // its bends then ask.
    struct TMarquesTemps {
        int32_t Mesure = 0, Temps = 0;
        std::array<int32_t, kNbCordesMax + 1> GauchesValeurs{};
        std::array<int32_t, kNbCordesMax + 1> MonteesValeurs{};
        int32_t Montee = 0;
    };
    TMarquesTemps MarquesTemps;

    // The cells of the fret texts the layout measured in FontNotes (EncreTemps), by fret and
    // ghost or not; cx is -1 until measured.
    std::vector<platform::Dimension> CellulesFrettes;

    int32_t YCorde(int32_t s) const { return Y + (s - 1) * E; }
    const TTemps& Temps(int32_t b) const { return Bloc->Temps[Piste][b]; }
    // The colour of a beat's marks: ColBadBar in a measure of wrong length.
    platform::Couleur Marque(platform::Couleur normale) const { return MesureFausse ? MauvaiseMesure : normale; }
};

// A context for canvas c, the current track, the settings and the live fonts, with the staff
// at yPortee (the line's YPorteeLigne()).
TContexteEcran ContexteEcran(platform::Canevas& c, int32_t yPortee);
// Measure m becomes the one being painted; false when it does not exist.
bool CommencerMesure(TContexteEcran& ctx, int32_t mesure);

// Whether the length of the current track's part of measure m differs from its time
// signature: exact, from whole ticks.
bool MesureFausse(int32_t mesure);

// ---- Lines ---------------------------------------------------------------------------------

// Paints display line `ligne` into its ring band (ChoisirBande, CanvasEcran); a line outside
// the ring paints nothing. The score view's line painter.
void DessinerLigne(int32_t ligne);
// The same on any canvas, filling largeur x hauteur with the background first; a line without
// measures stays empty.
void DessinerLigne(platform::Canevas& c, int32_t ligne, int largeur, int hauteur);

// ---- Measure furniture (x line-relative, y the staff's top) -----------------------------------

void DessinerNumeroMesure(TContexteEcran& ctx, int32_t x, int32_t mesure);
// The cell of that number, centred over the bar at x, its bottom 2 pixels over the staff.
struct TCelluleNumero {
    int32_t Gauche = 0, Haut = 0, Largeur = 0, Hauteur = 0;
};
TCelluleNumero CelluleNumeroMesure(TContexteEcran& ctx, int32_t x, int32_t mesure);
void DessinerCordes(TContexteEcran& ctx, int32_t x1, int32_t x2, int32_t y);
// kind 1 thin, 2 thick; side 1 closing (left of x), 2 opening (right of x).
void DessinerBarreMesure(TContexteEcran& ctx, int32_t x, int32_t y, int kind, int side);
// side 1 opening, 2 closing: the thick bar at x, the thin one inward.
void DessinerDoubleBarre(TContexteEcran& ctx, int32_t x, int32_t y, int side);
// side 1 opening, 2 closing: the double bar, two dots, and on the closing side the count.
void DessinerBarreRenvoi(TContexteEcran& ctx, int32_t x, int32_t y, int side, int32_t mesure);
// How much further left than a plain bar the closing bar of measure `mesure` reaches: the
// double bar that ends the song, or a repeat's with its dots.
int32_t RetraitBarreFin(const TContexteEcran& ctx, int32_t mesure);
void DessinerFinAlternative(TContexteEcran& ctx, int32_t mesure, int32_t x, int32_t numero);
// The ink of that bracket: its hook and its line, over the diagrams or short of them as it is
// drawn, and its number's cell, measured on ctx.c (whose font it changes).
std::vector<TZoneEncre> ZonesFinAlternative(TContexteEcran& ctx, int32_t mesure, int32_t x, int32_t numero);
void DessinerSignature(TContexteEcran& ctx, int32_t mesure, int32_t x, int32_t y, int numerateur, int denominateur);
// The right of the time signature's cells, from the measure's bar: the first beat's frets keep
// clear of it.
int32_t DroiteSignature(TContexteEcran& ctx, int32_t mesure, int numerateur, int denominateur);
// A 4 x 4 and a 2 x 2 dot around (MG + x, y); also the rhythm dots.
void DessinerPoint(TContexteEcran& ctx, int32_t x, int32_t y, platform::Couleur couleur);
void DessinerPetitPoint(TContexteEcran& ctx, int32_t x, int32_t y, platform::Couleur couleur);

// The text of an alternate ending starting at measure m with number num: "1", the default
// number, or "<default> Repet-A <num>".
std::string TexteFinAlternative(int32_t mesure, int32_t numero);
// Where that text ends, from the bracket's hook, measured on c (whose font it changes).
int32_t FinNumeroFinAlternative(platform::Canevas& c, int32_t mesure, int32_t numero);

// The per-beat loop of measure m (which CommencerMesure makes current); its beat texts are
// drawn where PreparerTextesLigne placed them for the line.
void DessinerTempsMesure(TContexteEcran& ctx, int32_t mesure);
