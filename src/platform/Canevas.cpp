#include "platform/Canevas.h"

namespace platform {

int TaillePixelsFonte(int points, int pixelsParPouce)
{
    // The platform's MulDiv: the exact product, divided with halves rounded away from zero.
    const int64_t produit = static_cast<int64_t>(points) * pixelsParPouce;
    const int64_t pixels = produit >= 0 ? (produit + 36) / 72 : -((-produit + 36) / 72);
    return pixels < 1 ? 1 : static_cast<int>(pixels);
}

void Canevas::SetFonte(const StyleFonte& fonte)
{
    if (fonte.nom != fonte_.nom || fonte.taille != fonte_.taille || fonte.gras != fonte_.gras ||
        fonte.italique != fonte_.italique)
        ++versionFonte_;
    fonte_ = fonte;
}

void Canevas::SetNomFonte(std::string_view nom)
{
    if (nom != fonte_.nom) {
        fonte_.nom = std::string(nom);
        ++versionFonte_;
    }
}

void Canevas::SetTailleFonte(int points)
{
    if (points != fonte_.taille) {
        fonte_.taille = points;
        ++versionFonte_;
    }
}

void Canevas::SetStyleFonte(bool gras, bool italique)
{
    if (gras != fonte_.gras || italique != fonte_.italique) {
        fonte_.gras = gras;
        fonte_.italique = italique;
        ++versionFonte_;
    }
}

void Canevas::Rectangle(int x1, int y1, int x2, int y2) { DessinerRectangle(x1, y1, x2, y2); }

void Canevas::FillRect(int x1, int y1, int x2, int y2) { DessinerFillRect(x1, y1, x2, y2); }

void Canevas::LineTo(int x, int y)
{
    DessinerLigne(position_.x, position_.y, x, y);
    position_ = Point{x, y};
}

void Canevas::Ligne(int x1, int y1, int x2, int y2)
{
    MoveTo(x1, y1);
    LineTo(x2, y2);
}

void Canevas::Polyline(std::span<const Point> points) { DessinerPolyline(points); }

void Canevas::Polygone(std::span<const Point> points) { DessinerPolygone(points); }

void Canevas::Ellipse(int x1, int y1, int x2, int y2) { DessinerEllipse(x1, y1, x2, y2); }

void Canevas::Arc(int x1, int y1, int x2, int y2, int xs, int ys, int xe, int ye)
{
    DessinerArc(x1, y1, x2, y2, xs, ys, xe, ye);
}

void Canevas::SetPixel(int x, int y, Couleur couleur) { DessinerPixel(x, y, couleur); }

void Canevas::TextOut(int x, int y, std::string_view texte)
{
    const int largeur = DessinerTexte(x, y, texte);
    position_ = Point{x + largeur, y};
}

} // namespace platform
