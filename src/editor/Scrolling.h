#pragma once
// The score view: the display lines of the current track and the ring of band images that
// shows them. The view never paints one tall picture: it keeps at most 30 band images, each
// holding one display line, stacked in the panel, plus Band00 above them for the song's chord
// list. Scrolling moves the bands and repaints only the lines that enter the ring, so a long
// song scrolls without repainting everything.
//
// Everything here is headless. What the window shows (the band images' places, the scroll
// bar, the frame over the current measure) is kept in AffichagePartition; the window reads it
// after it is told (ISurfacePartition::ActualiserAffichage), gives the painters a canvas per
// band image, and passes the scroll bar's moves back through DefinirPositionDefilement.
#include "platform/Canevas.h"
#include "platform/Couleur.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

inline constexpr int kNbBandesMax = 30;
inline constexpr int kBandeAccords = 0;  // Band00, the chord list above line 1
inline constexpr int kBandeAucune = -1;  // "no band": a line outside the ring

// Ring slots never go below this, however small the window.
inline constexpr int kNbBandesMin = 1;

// First or last measure of each display line, numbered from 1. The table grows with the song
// (a long track of short notes needs more than 500 lines); a line past its end reads 0, "no
// line", which the painters show empty.
class TMesuresLignes {
public:
    int32_t operator[](int32_t ligne) const
    {
        return ligne >= 1 && ligne < static_cast<int32_t>(mesures_.size()) ? mesures_[ligne] : 0;
    }
    void Vider() { mesures_.assign(1, 0); }
    void Definir(int32_t ligne, int32_t mesure);
    // Lines the table holds now (its capacity, not the song's line count).
    int32_t Taille() const { return static_cast<int32_t>(mesures_.size()) - 1; }

private:
    std::vector<int32_t> mesures_ = std::vector<int32_t>(1, 0);
};

// The display lines and the ring.
struct TLignesAffichage {
    int32_t NbBandes = kNbBandesMin;   // band images in use, 1..30
    int32_t NbLignes = 0;              // display lines of the current track
    int32_t BandeDebut = 1;            // ring slot holding the first line of the ring
    int32_t PremiereLigneVisible = 1;  // first line held in the ring
    int32_t HauteurZone = 0;           // height of the score-view panel
    int32_t HauteurClient = 0;         // client height of the main window - 55
    int32_t HauteurLigne = 1;          // (strings - 1) * EspLignes + EspPortees + RangeeTextes, at least 1
    int32_t HauteurEntete = 0;         // height of the chord-list band, 0 when not shown
    int32_t RangeeTextes = 0;          // rows over the lines for beat texts and raised diagrams, 0 when none needs one
    int32_t LargeurDispo = 0;          // width of the score-view panel - 6
    int32_t BandeCourante = kBandeAucune; // band being painted: 0 chord list, 1..30 ring slots
    TMesuresLignes PremiereMesure;     // 0 = no line
    TMesuresLignes DerniereMesure;
    // By line, how far its chord names and diagrams, with its endings' brackets, rise over the
    // marks, amounts and arrows of its beats that would meet them (0 on most lines); the rows
    // over the lines (RangeeTextes) hold them.
    TMesuresLignes MonteesDessus;
};

extern TLignesAffichage LignesAffichage;

// ---- What the window shows ------------------------------------------------------------------

// Place and size of one band image in the panel.
struct TBande {
    int32_t Gauche = 0;
    int32_t Haut = 0;
    int32_t Largeur = 0;
    int32_t Hauteur = 0;
    friend bool operator==(const TBande&, const TBande&) = default;
};

// The score view's scroll bar, in pixels.
struct TDefilement {
    int32_t Position = 0;
    int32_t Min = 0;
    int32_t Max = 0;
    int32_t PetitPas = 1;  // a quarter of a line
    int32_t GrandPas = 1;  // a line
    bool Actif = false;    // the bar is enabled; a disabled bar still takes positions
};

// The dotted frame over the current measure, in panel coordinates.
struct TCadre {
    int32_t Gauche = 0;
    int32_t Haut = 0;
    int32_t Largeur = 0;
    int32_t Hauteur = 0;
    friend bool operator==(const TCadre&, const TCadre&) = default;
};

struct TAffichagePartition {
    std::array<TBande, kNbBandesMax + 1> Bandes{}; // Band00 .. Band30
    TDefilement Defilement;
    TCadre Selection;
    platform::Couleur CouleurFond = platform::clWhite;      // the panel, ColBackG
    platform::Couleur CouleurSelection = platform::clGray;  // the frame's pen, ColSelect
};

extern TAffichagePartition AffichagePartition;

// ---- The window behind the view --------------------------------------------------------------

// Implemented by the score-view widget; tests install a fake. The silent default has a panel
// of size 0 and no band images.
class ISurfacePartition {
public:
    virtual ~ISurfacePartition() = default;
    // Size of the score-view panel PanelZoneAffScroll.
    virtual int HauteurPanneau() const { return 0; }
    virtual int LargeurPanneau() const { return 0; }
    // Client height of the main window: the ring is sized for it, so that the score-only
    // layout (a taller panel in the same window) needs no new ring.
    virtual int HauteurClientFenetre() const { return 0; }
    // The canvas painting band image `bande` (0 = Band00, 1..30), at least as large as the
    // band's place in AffichagePartition (a picture never shrinks; what it held stays); nullptr
    // when there is no picture to paint on. Valid until the next call or ActualiserAffichage.
    virtual platform::Canevas* CanevasBande(int bande) { (void)bande; return nullptr; }
    // A canvas that measures texts as the band images' canvases do and draws nothing, there as
    // long as the view is, whatever the bands' sizes: the layout measures on it the chord names
    // that widen beats; nullptr when there is none.
    virtual platform::Canevas* CanevasMesure() { return nullptr; }
    // Band image `bande` has never been painted: its place shows CouleurFond, as the band of an
    // empty line would. Such a band need not be painted until a line with measures comes to it.
    virtual bool BandeSansImage(int bande) const { (void)bande; return false; }
    // Something of AffichagePartition or of the band pictures changed: show it.
    virtual void ActualiserAffichage() {}
};

ISurfacePartition& SurfacePartition();
void InstallerSurfacePartition(ISurfacePartition* surface); // nullptr puts the silent one back

// ---- The painters the view calls --------------------------------------------------------------

// The line painter paints one display line into its band (ChoisirBande, CanvasEcran); the
// chord-list painters size (HauteurEntete, Band00's place) and paint Band00. Until the score
// painter and the chord list are installed, the sketch painter of LigneEsquisse.h draws the
// staves and bars, and the chord list is empty.
struct PeintresPartition {
    std::function<void(int32_t ligne)> DessinerLigne;
    std::function<void()> DimensionnerBandeAccords;
    std::function<void()> DessinerBandeAccords;
    // Once the lines are cut: the height the lines take for rows of beat texts over their
    // chord diagrams, 0 when no text needs one (the sketch has no texts).
    std::function<int32_t()> MesurerRangeeTextes;
};

// An empty member keeps the default for it.
void InstallerPeintresPartition(PeintresPartition peintres);
const PeintresPartition& Peintres();

// ---- Operations ----------------------------------------------------------------------------

// Sizes the view after a resize or a change of display settings: line height, band count and
// places, scroll steps; resets the ring to line 1.
void DisposerBandes();
// The band the painters draw on: 0 Band00, 1..30 the ring slots; any other value selects none.
void ChoisirBande(int32_t bande);
// The canvas of the band chosen, or nullptr.
platform::Canevas* CanvasEcran();
// Ring slot of a display line, kBandeAucune for a line outside the ring.
int32_t CalculerBandeLigne(int32_t ligne);
// Display line shown by ring slot `bande` (1..NbBandes), 0 for any other slot.
int32_t LigneDeBande(int32_t bande);
// Scroll range from the line count, the panel height and the chord-list band.
void AjusterDefilement();
// Places the bands for the scroll position, painting each line that enters the ring.
void DefilerPartition();
// Full refresh: layout, the ring's lines, the frame, the chord list.
void RedessinerPartition();
// Layout again, repainting only the ring lines whose measures changed or that hold `mesure`.
void RedessinerLignesModifiees(int32_t mesure);
// The frame over the current measure, scrolling the view so that its line shows.
void PlacerCadreMesure();

// The scroll bar moved (the user, the wheel, the keys) or the program moves it: the position
// is limited to the range, and a change places the bands (DefilerPartition).
void DefinirPositionDefilement(int32_t position);
// The chord-list painter sets the scroll minimum to -HauteurEntete; the position follows.
void DefinirMinimumDefilement(int32_t minimum);

// Back to the state before the first layout (tests, a new window); painters and surface stay.
void ReinitialiserVuePartition();
