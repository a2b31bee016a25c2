#include "platform/CanevasEnregistreur.h"

#include <cstdio>

namespace platform {
namespace {

const char* NomOperation(CanevasEnregistreur::Operation operation)
{
    using Op = CanevasEnregistreur::Operation;
    switch (operation) {
    case Op::Rectangle: return "Rectangle";
    case Op::FillRect: return "FillRect";
    case Op::Ligne: return "Ligne";
    case Op::Polyline: return "Polyline";
    case Op::Polygone: return "Polygone";
    case Op::Ellipse: return "Ellipse";
    case Op::Arc: return "Arc";
    case Op::Pixel: return "Pixel";
    case Op::Texte: return "Texte";
    }
    return "?";
}

std::string TexteStylo(const Stylo& stylo)
{
    if (stylo.nul)
        return "null";
    std::string texte = TexteCouleur(stylo.couleur);
    if (stylo.largeur != 1)
        texte += "/" + std::to_string(stylo.largeur);
    return texte;
}

std::string TexteBrosse(const Brosse& brosse)
{
    return brosse.vide ? "clear" : TexteCouleur(brosse.couleur);
}

std::string TextePoint(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

} // namespace

std::string TexteCouleur(Couleur couleur)
{
    char tampon[8];
    std::snprintf(tampon, sizeof tampon, "#%02X%02X%02X", couleur.r, couleur.g, couleur.b);
    return tampon;
}

std::string CanevasEnregistreur::Trace::Resume() const
{
    using Op = Operation;
    std::string ligne = NomOperation(operation);
    switch (operation) {
    case Op::Rectangle:
    case Op::FillRect:
    case Op::Ligne:
    case Op::Ellipse:
        // Corners or ends, as one list of four numbers.
        ligne += " " + TextePoint(points[0]) + "," + TextePoint(points[1]);
        break;
    case Op::Arc:
        ligne += " " + TextePoint(points[0]) + "," + TextePoint(points[1]) + " " + TextePoint(points[2]) +
                 " " + TextePoint(points[3]);
        break;
    case Op::Polyline:
    case Op::Polygone:
    case Op::Pixel:
    case Op::Texte:
        for (Point p : points)
            ligne += " " + TextePoint(p);
        break;
    }
    switch (operation) {
    case Op::Rectangle:
    case Op::Polygone:
    case Op::Ellipse:
        ligne += " pen " + TexteStylo(stylo) + " brush " + TexteBrosse(brosse);
        break;
    case Op::FillRect:
        ligne += " brush " + TexteBrosse(brosse);
        break;
    case Op::Ligne:
    case Op::Polyline:
    case Op::Arc:
        ligne += " pen " + TexteStylo(stylo);
        break;
    case Op::Pixel:
        ligne += " " + TexteCouleur(couleur);
        break;
    case Op::Texte: {
        std::string style = std::string(fonte.gras ? "B" : "") + (fonte.italique ? "I" : "");
        ligne += " \"" + texte + "\" font \"" + fonte.nom + "\" " + std::to_string(fonte.taille) + " " +
                 (style.empty() ? "" : style + " ") + TexteCouleur(fonte.couleur) + " brush " +
                 TexteBrosse(brosse);
        break;
    }
    }
    return ligne;
}

CanevasEnregistreur::CanevasEnregistreur(int largeur, int hauteur, int avance, int supplementHauteur)
    : largeur_(largeur), hauteur_(hauteur), avance_(avance), supplementHauteur_(supplementHauteur)
{
}

std::vector<CanevasEnregistreur::Trace> CanevasEnregistreur::Traces(Operation operation) const
{
    std::vector<Trace> choisies;
    for (const Trace& trace : traces_)
        if (trace.operation == operation)
            choisies.push_back(trace);
    return choisies;
}

std::string CanevasEnregistreur::Resume() const
{
    std::string resume;
    for (const Trace& trace : traces_)
        resume += trace.Resume() + "\n";
    return resume;
}

CanevasEnregistreur::Trace& CanevasEnregistreur::Ajouter(Operation operation, std::initializer_list<Point> points)
{
    Trace& trace = traces_.emplace_back();
    trace.operation = operation;
    trace.points.assign(points.begin(), points.end());
    trace.stylo = StyloCourant();
    trace.brosse = BrosseCourante();
    return trace;
}

void CanevasEnregistreur::DessinerRectangle(int x1, int y1, int x2, int y2)
{
    Ajouter(Operation::Rectangle, {{x1, y1}, {x2, y2}});
}

void CanevasEnregistreur::DessinerFillRect(int x1, int y1, int x2, int y2)
{
    Ajouter(Operation::FillRect, {{x1, y1}, {x2, y2}});
}

void CanevasEnregistreur::DessinerLigne(int x1, int y1, int x2, int y2)
{
    Ajouter(Operation::Ligne, {{x1, y1}, {x2, y2}});
}

void CanevasEnregistreur::DessinerPolyline(std::span<const Point> points)
{
    Ajouter(Operation::Polyline, {}).points.assign(points.begin(), points.end());
}

void CanevasEnregistreur::DessinerPolygone(std::span<const Point> points)
{
    Ajouter(Operation::Polygone, {}).points.assign(points.begin(), points.end());
}

void CanevasEnregistreur::DessinerEllipse(int x1, int y1, int x2, int y2)
{
    Ajouter(Operation::Ellipse, {{x1, y1}, {x2, y2}});
}

void CanevasEnregistreur::DessinerArc(int x1, int y1, int x2, int y2, int xs, int ys, int xe, int ye)
{
    Ajouter(Operation::Arc, {{x1, y1}, {x2, y2}, {xs, ys}, {xe, ye}});
}

void CanevasEnregistreur::DessinerPixel(int x, int y, Couleur couleur)
{
    Ajouter(Operation::Pixel, {{x, y}}).couleur = couleur;
}

int CanevasEnregistreur::DessinerTexte(int x, int y, std::string_view texte)
{
    Trace& trace = Ajouter(Operation::Texte, {{x, y}});
    trace.fonte = Fonte();
    trace.texte = std::string(texte);
    return MesurerTexte(texte).cx;
}

Dimension CanevasEnregistreur::MesurerTexte(std::string_view texte)
{
    return Dimension{avance_ * static_cast<int>(texte.size()),
                     TaillePixelsFonte(Fonte().taille, pixelsParPouce_) + supplementHauteur_};
}

} // namespace platform
