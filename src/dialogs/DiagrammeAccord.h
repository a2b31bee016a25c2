#pragma once
// The chord dialog's diagrams: the large editable diagram of the working chord with the note
// name under each sounding string, the strip of small diagrams of the fingerings found, and
// the images that show them. What a click on the large diagram means (which string, which
// fret), the fret toggling with its barres found again, and moving a shape along the neck are
// plain functions here, so that the dialog's handlers only chain them.
#include "document/Accord.h"
#include "document/Variable.h"
#include "platform/Canevas.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

// ---- The large diagram -------------------------------------------------------------------------

// Its pixel sizes, designed for 96 dots per inch and scaled to the screen (halves to the even
// neighbour): grid origin (24, 33), cells of 20, six strings by five frets, string 6 at the
// left.
struct TGeometrieDiagramme {
    double Echelle = 1.0;

    int L(int longueur96) const;  // a length of the design at this scale
    int X0() const { return L(24); }
    int Y0() const { return L(33); }
    int Case() const { return L(20); }
    // x of string s (1..6).
    int XCorde(int corde) const { return X0() + (6 - corde) * Case(); }
};

// At the screen's resolution.
TGeometrieDiagramme GeometrieEcran();

// The diagram of `accord` on a canvas cleared white beforehand: grid, nut at base fret 1 (the
// marks above the grid then move up 5 pixels), crosses, open rings and fret dots, barres, the
// base fret number left of the first fret, and the note names (with the chord's accidentals)
// under the sounding strings. accordage: open-string pitches of strings 1..6.
void PeindreDiagrammeAccord(platform::Canevas& c, const TAccord& accord,
                            const OneBased<int32_t, kNbCordesMax>& accordage, const TGeometrieDiagramme& g);

// The cell a mouse position points at: string 1..6 and row 0 (above the grid: open) to 5.
struct TCaseDiagramme {
    int Corde = 1;
    int Rangee = 0;
};
// Nothing outside the area that takes clicks; a drag (deplacement) reaches 4 pixels further
// right than a press.
std::optional<TCaseDiagramme> CaseDiagramme(int x, int y, const TGeometrieDiagramme& g, bool deplacement);
// The fret a row means on a diagram starting at fretteBase: 0 above the grid.
int32_t FretteCase(const TCaseDiagramme& c, int32_t fretteBase);

// A click on a cell: the string takes the fret, or stops sounding when it had it already;
// the barres are found again.
void BasculerFrette(TAccord& accord, int corde, int32_t frette);
// The barres of the chord's frets and base fret (ChercherBarres), taken over.
void RecalculerBarres(TAccord& accord);
// The shape moved to a new base fret: every fretted string and every barre move by the
// difference; open and muted strings stay. A fret never moves below the first one.
void DeplacerForme(TAccord& accord, int32_t nouvelleBase);

// ---- The strip of fingerings -----------------------------------------------------------------

inline constexpr int kLargeurVignette = 41;   // one cell of the strip
inline constexpr int kHauteurVignette = 37;
inline constexpr int kCoteCadreVignette = 26; // the frame drawn around the selected one
inline constexpr int kLargeurBande96 = 342;   // the strip image, before scaling
inline constexpr int kHauteurBande96 = 800;

// Diagrams per row of a strip image this wide (at least one).
int ColonnesBande(int largeurImage);
// Top-left corner of fingering i (0-based): where its grid is painted and its frame drawn.
platform::Point PositionVignette(int i, int colonnes);
// The fingering (1-based) under a point of the strip; it may lie past the last one found.
int VignetteSousPoint(int x, int y, int colonnes);
// The small diagrams of `doigtes` in black, without names.
void PeindreBande(platform::Canevas& c, std::span<const TAccord> doigtes, int colonnes);
// Height the strip scrolls over for `total` fingerings: the rows used and 3 pixels, at least
// the visible height, at most the image's height.
int HauteurDefilementBande(int total, int colonnes, int hauteurVisible, int hauteurImage);
// The strip's scroll position that shows a framed cell whose top is y.
int DefilementVersVignette(int y, int position);

// The rectangle [x1, x2) x [y1, y2) drawn in `couleur` with the pen mode that inverts the
// exclusive or with the screen: drawing it twice gives the picture back.
void InverserRectangle(QImage& image, int x1, int y1, int x2, int y2, QColor couleur);

// ---- The images ---------------------------------------------------------------------------------

// An image control: a picture kept in memory and shown at the top-left corner of the widget,
// with the left button's press, the moves and the release told to its owner (in the picture's
// pixels).
class TImageDiagramme : public QWidget {
    Q_OBJECT

public:
    explicit TImageDiagramme(QWidget* parent = nullptr);

    QImage Image;
    std::function<void(int x, int y)> SourisPressee;
    std::function<void(int x, int y)> SourisDeplacee;
    std::function<void(int x, int y)> SourisRelachee;

    // The picture and the control get this size; the picture is cleared white.
    void Dimensionner(int largeur, int hauteur);
    void Effacer();
    // Draws on the picture through a canvas, then shows it.
    void Peindre(const std::function<void(platform::Canevas&)>& peintre);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};
