#pragma once
// A canvas that draws nothing and logs every primitive with the pen, brush and font it was
// drawn with, so that painter tests assert on what a painter asked for without depending on
// fonts or pixels. Text metrics are fixed: every character advances `avance` pixels (6 unless
// told) and a text is TaillePixelsFonte(size) + `supplementHauteur` pixels high (3 unless told).
//
// Each primitive also has a one-line summary, for instance
//   Rectangle 0,0,571,105 pen #000000 brush #FFFFFF
//   Ligne 30,48,601,48 pen #000000
//   Texte 23,41 "(12)" font "MS Sans Serif" 10 B #0000FF brush clear
//   Pixel 3,4 #FF0000
// where a pen reads "#RRGGBB", "#RRGGBB/2" for a width other than 1, or "null", a brush
// "#RRGGBB" or "clear", and the font style "B", "I", "BI" or nothing.
#include "platform/Canevas.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// "#RRGGBB".
std::string TexteCouleur(Couleur couleur);

class CanevasEnregistreur : public Canevas {
public:
    // Which primitive a trace holds, and what its points are.
    enum class Operation {
        Rectangle, // corners (x1, y1), (x2, y2)
        FillRect,  // corners
        Ligne,     // from, to
        Polyline,  // the points
        Polygone,  // the points
        Ellipse,   // corners of the box
        Arc,       // corners of the box, start point, end point
        Pixel,     // the pixel; its colour in `couleur`
        Texte,     // top-left of the cell; the bytes in `texte`
    };

    struct Trace {
        Operation operation = Operation::Pixel;
        std::vector<Point> points;
        Stylo stylo;       // the pen at the time of drawing
        Brosse brosse;     // the brush
        StyleFonte fonte;  // the font (texts)
        Couleur couleur;   // pixels
        std::string texte; // texts, Windows-1252

        // The one-line summary of the header: only what the primitive draws with.
        std::string Resume() const;
    };

    explicit CanevasEnregistreur(int largeur = 800, int hauteur = 600, int avance = 6, int supplementHauteur = 3);

    int Largeur() const override { return largeur_; }
    int Hauteur() const override { return hauteur_; }
    int PixelsParPouce() const override { return pixelsParPouce_; }
    void SetPixelsParPouce(int ppp) { pixelsParPouce_ = ppp; }

    const std::vector<Trace>& Traces() const { return traces_; }
    // The traces of one kind, in drawing order.
    std::vector<Trace> Traces(Operation operation) const;
    // Summaries of all traces, one per line, each ending with '\n'.
    std::string Resume() const;
    void Effacer() { traces_.clear(); }

protected:
    void DessinerRectangle(int x1, int y1, int x2, int y2) override;
    void DessinerFillRect(int x1, int y1, int x2, int y2) override;
    void DessinerLigne(int x1, int y1, int x2, int y2) override;
    void DessinerPolyline(std::span<const Point> points) override;
    void DessinerPolygone(std::span<const Point> points) override;
    void DessinerEllipse(int x1, int y1, int x2, int y2) override;
    void DessinerArc(int x1, int y1, int x2, int y2, int xs, int ys, int xe, int ye) override;
    void DessinerPixel(int x, int y, Couleur couleur) override;
    int DessinerTexte(int x, int y, std::string_view texte) override;
    Dimension MesurerTexte(std::string_view texte) override;

private:
    Trace& Ajouter(Operation operation, std::initializer_list<Point> points);

    int largeur_;
    int hauteur_;
    int avance_;
    int supplementHauteur_;
    int pixelsParPouce_ = 96;
    std::vector<Trace> traces_;
};

} // namespace platform
