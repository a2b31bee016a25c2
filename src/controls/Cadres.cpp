#include "controls/Cadres.h"

#include <array>

using platform::Couleur;

namespace {

// The classic desktop set, what a frame looks like when nobody installed a palette.
constexpr std::array<Couleur, NbCouleursSysteme> CouleursClassiques = {
    Couleur(192, 192, 192), // clBtnFace
    Couleur(128, 128, 128), // clBtnShadow
    Couleur(255, 255, 255), // clBtnHighlight
    Couleur(0, 0, 0),       // clBtnText
    Couleur(255, 255, 255), // clWindowBackground
    Couleur(0, 0, 0),       // clWindowFrame
    Couleur(0, 0, 128),     // clHighlight
    Couleur(128, 128, 128), // clGrayText
    Couleur(0, 0, 128),     // clActiveCaption
    Couleur(255, 255, 255), // clCaptionText
    Couleur(0, 0, 0),       // clWindowText
};

std::array<Couleur, NbCouleursSysteme>& Table()
{
    static std::array<Couleur, NbCouleursSysteme> table = CouleursClassiques;
    return table;
}

// The outer and inner borders of the border sequence share this: fsFlat in the flat colour,
// fsPopup and fsStatus as bevels of the bevel width, the others as frame styles.
TRect DessinerUneBordure(platform::Canevas& c, TRect r, TFrameStyle style, const ProprietesBordures& p)
{
    switch (style) {
    case fsFlat: {
        const Couleur plat = p.FlatColor.Resoudre();
        return DrawBevel(c, r, plat, plat, 1, p.BorderSides);
    }
    case fsPopup:
        return DrawBevel(c, r, p.BorderHighlight.Resoudre(), p.BorderShadow.Resoudre(), p.BevelWidth, p.BorderSides);
    case fsStatus:
        return DrawBevel(c, r, p.BorderShadow.Resoudre(), p.BorderHighlight.Resoudre(), p.BevelWidth, p.BorderSides);
    default:
        return DrawBorder(c, r, style, p.BorderSides);
    }
}

TRect Retrecir(TRect r, TSides cotes, int n)
{
    if (cotes & sdLeft)
        r.Left += n;
    if (cotes & sdTop)
        r.Top += n;
    if (cotes & sdRight)
        r.Right -= n;
    if (cotes & sdBottom)
        r.Bottom -= n;
    return r;
}

} // namespace

Couleur CouleurDuSysteme(TCouleurSysteme c) { return c < NbCouleursSysteme ? Table()[c] : Couleur(); }

void DefinirCouleurSysteme(TCouleurSysteme c, Couleur couleur)
{
    if (c < NbCouleursSysteme)
        Table()[c] = couleur;
}

void RetablirCouleursSysteme() { Table() = CouleursClassiques; }

CouleursCadre CouleursDuStyle(TFrameStyle style)
{
    switch (style) {
    case fsFlat: return {1, clWindowFrame, clWindowFrame};
    case fsGroove: return {1, clBtnShadow, clBtnHighlight};
    case fsBump: return {1, clBtnHighlight, clBtnShadow};
    case fsStatus: return {1, clBtnShadow, clBtnHighlight};
    case fsPopup: return {1, clBtnHighlight, clBtnShadow};
    case fsLowered: return {2, clBtnShadow, clBtnHighlight, clBtnText, clBtnFace};
    case fsRaised: return {2, clBtnFace, clBtnText, clBtnHighlight, clBtnShadow};
    case fsButtonDown: return {2, clBtnText, clBtnText, clBtnShadow, clBtnShadow};
    case fsButtonUp: return {2, clBtnHighlight, clBtnText, clBtnFace, clBtnShadow};
    case fsNone: break;
    }
    return {};
}

int EpaisseurStyle(TFrameStyle style, int largeurBiseau)
{
    switch (style) {
    case fsNone: return 0;
    case fsFlat: return 1;
    case fsStatus:
    case fsPopup: return largeurBiseau > 0 ? largeurBiseau : 0;
    default: return 2;
    }
}

TRect DrawSides(platform::Canevas& c, TRect r, Couleur hautGauche, Couleur basDroite, TSides cotes)
{
    c.SetStylo(hautGauche, 1);
    if (cotes & sdLeft)
        c.Ligne(r.Left, r.Top, r.Left, r.Bottom);
    if (cotes & sdTop)
        c.Ligne(r.Left, r.Top, r.Right, r.Top);
    c.SetStylo(basDroite, 1);
    if (cotes & sdRight)
        c.Ligne(r.Right - 1, r.Top, r.Right - 1, r.Bottom);
    if (cotes & sdBottom)
        c.Ligne(r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
    return Retrecir(r, cotes, 1);
}

TRect DrawBevel(platform::Canevas& c, TRect r, Couleur hautGauche, Couleur basDroite, int largeur, TSides cotes)
{
    c.SetLargeurStylo(1);
    for (int i = 0; i < largeur; ++i)
        r = DrawSides(c, r, hautGauche, basDroite, cotes);
    return r;
}

TRect DrawBorder(platform::Canevas& c, TRect r, TFrameStyle style, TSides cotes)
{
    const CouleursCadre cc = CouleursDuStyle(style);
    const Couleur a = CouleurDuSysteme(cc.HautGauche);
    const Couleur z = CouleurDuSysteme(cc.BasDroite);
    switch (style) {
    case fsNone:
        return r;
    case fsFlat:
    case fsStatus:
    case fsPopup:
        return DrawSides(c, r, a, z, cotes);
    case fsGroove:
    case fsBump: {
        const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
        // The end pixels of a side whose neighbour is missing, so that the groove ends cleanly.
        if (cotes & sdRight)
            c.SetPixel(R - 1, T, z);
        if ((cotes & sdTop) && !(cotes & sdRight))
            c.SetPixel(R - 1, T, a);
        if (cotes & sdBottom)
            c.SetPixel(L, B - 1, z);
        if ((cotes & sdLeft) && !(cotes & sdBottom))
            c.SetPixel(L, B - 1, a);
        if ((cotes & sdTop) && !(cotes & sdLeft))
            c.SetPixel(L, T + 1, z);
        if ((cotes & sdLeft) && !(cotes & sdTop))
            c.SetPixel(L + 1, T, z);
        if ((cotes & sdBottom) && !(cotes & sdRight))
            c.SetPixel(R - 1, B - 2, a);
        if ((cotes & sdRight) && !(cotes & sdBottom))
            c.SetPixel(R - 2, B - 1, a);
        DrawSides(c, TRect{L + 1, T + 1, R, B}, z, z, cotes);
        DrawSides(c, TRect{L, T, R - 1, B - 1}, a, a, cotes);
        return Retrecir(r, cotes, 2);
    }
    default: {
        r = DrawBevel(c, r, a, z, 1, cotes);
        return DrawBevel(c, r, CouleurDuSysteme(cc.HautGaucheInterieur), CouleurDuSysteme(cc.BasDroiteInterieur), 1, cotes);
    }
    }
}

void DrawFrame(platform::Canevas& c, int largeur, int hauteur, TFrameStyle style, Couleur fond, Couleur couleurCadre,
               TSides cotes)
{
    const TRect tout{0, 0, largeur, hauteur};
    DrawBevel(c, tout, fond, fond, 2, sdTous);
    if (style == fsFlat)
        DrawSides(c, tout, couleurCadre, couleurCadre, cotes);
    else
        DrawBorder(c, tout, style, cotes);
}

TRect DessinerBordures(platform::Canevas& c, int largeur, int hauteur, const ProprietesBordures& p)
{
    TRect r{0, 0, largeur, hauteur};
    r = DrawSides(c, r, platform::clBlack, platform::clBlack, p.FrameSides);
    r = DessinerUneBordure(c, r, p.BorderOuter, p);
    if (p.BorderWidth > 0) {
        const Couleur bande = p.BorderColor.Resoudre();
        r = DrawBevel(c, r, bande, bande, p.BorderWidth, p.BorderSides);
    }
    return DessinerUneBordure(c, r, p.BorderInner, p);
}

TRect AdjustRectForBorders(TRect r, const ProprietesBordures& p, bool avecLargeurBordure)
{
    r = Retrecir(r, p.FrameSides, 1);
    if (avecLargeurBordure && p.BorderWidth > 0)
        r = Retrecir(r, sdTous, p.BorderWidth);
    r = Retrecir(r, p.BorderSides, EpaisseurStyle(p.BorderOuter, p.BevelWidth));
    return Retrecir(r, p.BorderSides, EpaisseurStyle(p.BorderInner, p.BevelWidth));
}

void DessinerRainureEspaceur(platform::Canevas& c, TRect r)
{
    if (r.Hauteur() >= r.Largeur()) {
        const int x = r.Left + r.Largeur() / 2 - 1;
        c.SetStylo(CouleurDuSysteme(clBtnShadow), 1);
        c.Ligne(x, r.Top + 1, x, r.Bottom);
        c.SetStylo(CouleurDuSysteme(clBtnHighlight), 1);
        c.Ligne(x + 1, r.Top + 1, x + 1, r.Bottom);
    } else {
        const int y = r.Top + r.Hauteur() / 2 - 1;
        c.SetStylo(CouleurDuSysteme(clBtnShadow), 1);
        c.Ligne(r.Left + 1, y, r.Right, y);
        c.SetStylo(CouleurDuSysteme(clBtnHighlight), 1);
        c.Ligne(r.Left + 1, y + 1, r.Right, y + 1);
    }
}

char LastChar(std::string_view texte) { return texte.empty() ? '\0' : texte.back(); }
