#include "controls/PanelDockManager.h"

#include <algorithm>

using platform::Couleur;

TCxPanelDockManager::TCxPanelDockManager(TAlign alignementSite, bool showDockClientCaptions)
    : alignement_(alignementSite)
    , legendes_(showDockClientCaptions)
{
    fonteLegende_.nom = "Arial";
    fonteLegende_.taille = 8;
}

void TCxPanelDockManager::SetSite(TAlign alignementSite, bool showDockClientCaptions)
{
    alignement_ = alignementSite;
    legendes_ = showDockClientCaptions;
}

TRect TCxPanelDockManager::AdjustDockRect(TRect r) const
{
    // Clients side by side in a top or bottom site are tall and narrow: their grabber goes
    // along the left.
    if (alignement_ == alTop || alignement_ == alBottom)
        r.Left += GrabberSize;
    else
        r.Top += GrabberSize;
    return r;
}

GeometrieCadreDock TCxPanelDockManager::Geometrie(TRect r) const
{
    constexpr int g = GrabberSize;
    GeometrieCadreDock geo;
    geo.GrabberAGauche = alignement_ == alTop || alignement_ == alBottom;
    if (geo.GrabberAGauche) {
        geo.Grabber = {r.Left, r.Top, r.Left + g, r.Bottom};
        geo.BoutonFermer = {r.Left + 1, r.Top + 1, r.Left + g - 1, r.Top + 13};
        geo.OrigineTexte = {r.Left + g - 2, r.Bottom - 3};
        geo.Angle = 90;
    } else {
        geo.Grabber = {r.Left, r.Top, r.Right, r.Top + g};
        geo.BoutonFermer = {r.Right - g - 1, r.Top + 1, r.Right - 1, r.Top + 12};
        geo.OrigineTexte = {r.Left + 2, r.Top};
    }
    return geo;
}

void DessinerBoutonFermer(platform::Canevas& c, TRect r)
{
    if (r.Largeur() <= 0 || r.Hauteur() <= 0)
        return;
    c.SetStyloNul();
    c.SetBrosse(CouleurDuSysteme(clBtnFace));
    c.FillRect(r.Left, r.Top, r.Right, r.Bottom);
    const TRect dedans = DrawBorder(c, r, fsButtonUp, sdTous);
    // The cross: two diagonals two pixels thick in a square centred in the face, a pixel in
    // from its edges.
    const int cote = std::min(dedans.Largeur(), dedans.Hauteur()) - 2;
    if (cote < 2)
        return;
    const int x = dedans.Left + (dedans.Largeur() - cote) / 2;
    const int y = dedans.Top + (dedans.Hauteur() - cote) / 2;
    c.SetStylo(CouleurDuSysteme(clBtnText));
    for (int d = 0; d < 2; ++d) {
        c.Ligne(x + d, y, x + cote + d - 1, y + cote - 1);
        c.Ligne(x + cote - 1 - d, y, x - d, y + cote - 1);
    }
}

namespace {

// A grip line of the platform's dock frame: light on the left and top, shadow on the right and
// bottom of (l, t, r, b).
void LigneGrip(platform::Canevas& c, int l, int t, int r, int b)
{
    c.SetStylo(CouleurDuSysteme(clBtnHighlight));
    c.Polyline({{r, t}, {l, t}, {l, b}});
    c.SetStylo(CouleurDuSysteme(clBtnShadow));
    c.Polyline({{l, b}, {r, b}, {r, t - 1}});
}

} // namespace

void TCxPanelDockManager::PaintDockFrame(platform::Canevas& c, std::string_view texte, TRect r,
                                         const DessinTexteTourne& tourne) const
{
    constexpr int g = GrabberSize;
    const GeometrieCadreDock geo = Geometrie(r);
    if (!legendes_) {
        // The platform's own look: two grip lines beside the close button.
        if (geo.GrabberAGauche) {
            DessinerBoutonFermer(c, {r.Left + 1, r.Top + 1, r.Left + g - 1, r.Top + g - 1});
            LigneGrip(c, r.Left + 3, r.Top + g + 1, r.Left + 5, r.Bottom - 2);
            LigneGrip(c, r.Left + 6, r.Top + g + 1, r.Left + 8, r.Bottom - 2);
        } else {
            DessinerBoutonFermer(c, {r.Right - g + 1, r.Top + 1, r.Right - 1, r.Top + g - 1});
            LigneGrip(c, r.Left + 2, r.Top + 3, r.Right - g - 2, r.Top + 5);
            LigneGrip(c, r.Left + 2, r.Top + 6, r.Right - g - 2, r.Top + 8);
        }
        return;
    }
    c.SetStyloNul();
    c.SetBrosse(CouleurDuSysteme(clActiveCaption));
    c.FillRect(geo.Grabber.Left, geo.Grabber.Top, geo.Grabber.Right, geo.Grabber.Bottom);
    platform::StyleFonte fonte = fonteLegende_;
    fonte.couleur = CouleurDuSysteme(clCaptionText);
    c.SetFonte(fonte);
    c.SetBrosseVide();
    if (!texte.empty()) {
        if (!geo.GrabberAGauche)
            c.TextOut(geo.OrigineTexte.x, geo.OrigineTexte.y + (g - c.TextHeight(texte)) / 2, texte);
        else if (tourne)
            tourne(geo.OrigineTexte.x, geo.OrigineTexte.y, geo.Angle, texte);
    }
    // Last, so that a long caption runs under the button rather than over it.
    DessinerBoutonFermer(c, geo.BoutonFermer);
}
