#pragma once
// The frames of the component library's controls (panel, toolbar, label, memo, combo box,
// directory tree): chosen sides of a rectangle in two colours, bevels of any width, ten named
// frame styles, and the border sequence shared by the panel and the label. Free of Qt: the
// drawing goes to a platform::Canevas, so the rectangles and colours of every style can be
// checked without a screen.
//
// Colours are the desktop's system colours, named symbolically and resolved when drawn through
// CouleurDuSysteme(); the Qt side installs the palette's colours (CxCommon), a headless caller
// gets the classic grey set.
#include "platform/Canevas.h"
#include "platform/Couleur.h"

#include <cstdint>
#include <string_view>

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Largeur() const { return Right - Left; }
    int Hauteur() const { return Bottom - Top; }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

enum TFrameStyle { fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp, fsStatus, fsPopup };

// A set of sides, as the bits of sdLeft .. sdBottom.
using TSides = uint8_t;
constexpr TSides sdLeft = 1;
constexpr TSides sdTop = 2;
constexpr TSides sdRight = 4;
constexpr TSides sdBottom = 8;
constexpr TSides sdTous = sdLeft | sdTop | sdRight | sdBottom;
constexpr TSides sdAucun = 0;

enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

// The system colours the frames and controls draw with (the window background is not called
// clWindow: the picture classes name their Windows colour value so).
enum TCouleurSysteme : uint8_t {
    clBtnFace, clBtnShadow, clBtnHighlight, clBtnText, clWindowBackground, clWindowFrame, clHighlight,
    clGrayText, clActiveCaption, clCaptionText, clWindowText,
    NbCouleursSysteme,
};

// The colour a system colour stands for now.
platform::Couleur CouleurDuSysteme(TCouleurSysteme c);
// Replaces the colour of one system colour (the Qt side takes them from the palette).
void DefinirCouleurSysteme(TCouleurSysteme c, platform::Couleur couleur);
// Back to the classic grey set.
void RetablirCouleursSysteme();

// A colour of a control's property: a system colour, or a fixed one.
struct TCouleurCtrl {
    bool Systeme = true;
    TCouleurSysteme Nom = clBtnFace;
    platform::Couleur Fixe;

    constexpr TCouleurCtrl() = default;
    constexpr TCouleurCtrl(TCouleurSysteme nom) : Systeme(true), Nom(nom) {}
    constexpr TCouleurCtrl(platform::Couleur fixe) : Systeme(false), Fixe(fixe) {}
    platform::Couleur Resoudre() const { return Systeme ? CouleurDuSysteme(Nom) : Fixe; }
    friend constexpr bool operator==(const TCouleurCtrl&, const TCouleurCtrl&) = default;
};

// The colours of one style. One-line and groove styles use the first pair only; the two-ring
// styles use the outer pair then the inner pair.
struct CouleursCadre {
    int Anneaux = 0; // 0 for fsNone, 1 for the one-line and groove styles, 2 for the two-ring ones
    TCouleurSysteme HautGauche = clBtnFace;
    TCouleurSysteme BasDroite = clBtnFace;
    TCouleurSysteme HautGaucheInterieur = clBtnFace;
    TCouleurSysteme BasDroiteInterieur = clBtnFace;
};
CouleursCadre CouleursDuStyle(TFrameStyle style);

// Pixels a style takes on each of its sides (fsStatus and fsPopup: the bevel width).
int EpaisseurStyle(TFrameStyle style, int largeurBiseau = 1);

// One-pixel lines on the chosen sides: left and top in `hautGauche`, right (at x = Right - 1) and
// bottom (at y = Bottom - 1) in `basDroite`, each line leaving out its end pixel. Returns the
// rectangle shrunk by one pixel on each drawn side.
TRect DrawSides(platform::Canevas& c, TRect r, platform::Couleur hautGauche, platform::Couleur basDroite, TSides cotes);
// DrawSides `largeur` times inward; nothing for a width of 0 or less.
TRect DrawBevel(platform::Canevas& c, TRect r, platform::Couleur hautGauche, platform::Couleur basDroite, int largeur,
                TSides cotes);
// One of the styles; returns what is left inside it.
TRect DrawBorder(platform::Canevas& c, TRect r, TFrameStyle style, TSides cotes);
// The frame of an edit-type control over its whole window: the platform's 3-D edge erased in
// the background colour, then the style (fsFlat in the frame colour).
void DrawFrame(platform::Canevas& c, int largeur, int hauteur, TFrameStyle style, platform::Couleur fond,
               platform::Couleur couleurCadre, TSides cotes);

// The borders of a panel or a label, as they are set on the control.
struct ProprietesBordures {
    TSides FrameSides = sdAucun;         // black one-pixel lines outside everything
    TFrameStyle BorderOuter = fsNone;
    TFrameStyle BorderInner = fsNone;
    TSides BorderSides = sdTous;
    int BorderWidth = 0;                 // band between the two borders
    int BevelWidth = 1;                  // width of fsPopup and fsStatus
    TCouleurCtrl BorderColor = clBtnFace;
    TCouleurCtrl BorderHighlight = clBtnHighlight;
    TCouleurCtrl BorderShadow = clBtnShadow;
    TCouleurCtrl FlatColor = platform::clBlack;
};

// Frame sides, outer border, band, inner border on (0, 0, largeur, hauteur); returns the content
// rectangle.
TRect DessinerBordures(platform::Canevas& c, int largeur, int hauteur, const ProprietesBordures& p);
// The same content rectangle without drawing; the band comes off only when asked.
TRect AdjustRectForBorders(TRect r, const ProprietesBordures& p, bool avecLargeurBordure);

// The groove across the middle of a spacer: vertical when it is at least as tall as wide.
void DessinerRainureEspaceur(platform::Canevas& c, TRect r);

// The last character of a text; '\0' for an empty one.
char LastChar(std::string_view texte);
inline int Max(int a, int b) { return a > b ? a : b; }
