#include "editor/Scrolling.h"

#include "document/Configuration.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/Disposition.h"
#include "editor/LigneEsquisse.h"
#include "platform/Arrondi.h"
#include "platform/Sablier.h"

#include <algorithm>
#include <utility>

TLignesAffichage LignesAffichage;
TAffichagePartition AffichagePartition;

void TMesuresLignes::Definir(int32_t ligne, int32_t mesure)
{
    if (ligne < 1)
        return;
    if (ligne >= static_cast<int32_t>(mesures_.size()))
        mesures_.resize(static_cast<std::size_t>(ligne) + 1, 0);
    mesures_[static_cast<std::size_t>(ligne)] = mesure;
}

namespace {

ISurfacePartition surfaceSilencieuse;
ISurfacePartition* surfaceInstallee = &surfaceSilencieuse;

TMesure* Bloc(int32_t m)
{
    if (m < 1 || m > std::min(Partition.NbMesures, kNbMesuresMax))
        return nullptr;
    return Partition.Mesures[m].get();
}

int32_t NbCordesCourantes() { return std::clamp(Partition.NbCordes[PisteCourante], 1, kNbCordesMax); }

// The line height for the current track. Settings are not clamped when read, so a height of 0
// or less is taken as 1 rather than dividing by it.
int32_t HauteurLigneCalculee()
{
    const TParamEcran& p = ParamEcranCourant;
    return std::max((NbCordesCourantes() - 1) * p.EspLignes + p.EspPortees + LignesAffichage.RangeeTextes, 1);
}

int32_t Hauteur() { return std::max(LignesAffichage.HauteurLigne, 1); }
int32_t NbBandes() { return std::clamp(LignesAffichage.NbBandes, kNbBandesMin, kNbBandesMax); }

// Ring slot k (1-based) counted from BandeDebut, wrapped.
int32_t Emplacement(int32_t debut, int32_t k)
{
    const int32_t nb = NbBandes();
    int32_t s = (debut - 1 + k - 1) % nb;
    if (s < 0)
        s += nb;
    return s + 1;
}

// Ceiling of a / b for b > 0: an exact quotient is kept, any other raised.
int32_t Plafond(int32_t a, int32_t b)
{
    const int32_t q = a / b;
    return (a % b != 0 && a > 0) ? q + 1 : q;
}

void DimensionnerBandeAccordsVide()
{
    LignesAffichage.HauteurEntete = 0;
    TBande& b = AffichagePartition.Bandes[kBandeAccords];
    b.Gauche = 0;
    b.Largeur = std::max(LignesAffichage.LargeurDispo + 6, 0);
    b.Hauteur = 0;
}

void DessinerBandeAccordsVide()
{
    Peintres().DimensionnerBandeAccords();
    DefinirMinimumDefilement(-LignesAffichage.HauteurEntete);
}

PeintresPartition PeintresParDefaut()
{
    return {DessinerLigneEsquisse, DimensionnerBandeAccordsVide, DessinerBandeAccordsVide, [] { return 0; }};
}

PeintresPartition peintres = PeintresParDefaut();

// A line that holds no measure (below the song) is the background alone, which the view shows
// where a band has no picture: such a band gets none, which spares the memory of a picture
// per empty line and the time of making them (most of the ring, at start).
void Peindre(int32_t ligne)
{
    const int32_t bande = CalculerBandeLigne(ligne);
    if (LignesAffichage.PremiereMesure[ligne] == 0 && bande != kBandeAucune &&
        AffichagePartition.CouleurFond == platform::Couleur::DeValeur(ParamEcranCourant.ColBackG) &&
        SurfacePartition().BandeSansImage(bande)) {
        ChoisirBande(bande);
        return;
    }
    peintres.DessinerLigne(ligne);
}

void Montrer() { SurfacePartition().ActualiserAffichage(); }

// The bands, their steps and the scroll range all follow the line height: a height that no
// longer matches the strings, the settings or the rows of texts sizes the bands again, before
// the layout sets the range from it.
void AccorderHauteurLigne()
{
    if (HauteurLigneCalculee() != LignesAffichage.HauteurLigne)
        DisposerBandes();
}

// The lines cut, and the rows their texts need over their diagrams: every line grows by
// them, so that the view keeps one line height, and its staff moves down under them.
void CouperLignesEtTextes()
{
    AccorderHauteurLigne();
    CouperLignes();
    const int32_t rangee = std::max(peintres.MesurerRangeeTextes(), 0);
    if (rangee != LignesAffichage.RangeeTextes) {
        LignesAffichage.RangeeTextes = rangee;
        AccorderHauteurLigne();
        CouperLignes();
    }
}

// The frame's top follows the scroll position.
void PlacerHautCadre()
{
    const TMesure* m = Bloc(Partition.MesureCourante);
    if (!m)
        return;
    AffichagePartition.Selection.Haut = m->Y - ParamEcranCourant.EspLignes + (m->Ligne - 1) * Hauteur() -
                                        AffichagePartition.Defilement.Position;
}

// A jump over at least a ring of lines paints the ring once at its target instead of every
// line passed on the way: the same picture at a fraction of the cost.
void AvancerAnneau(int32_t& base)
{
    TLignesAffichage& la = LignesAffichage;
    const int32_t h = Hauteur();
    const int32_t nb = NbBandes();
    // The ring ends less than one line below the client area and lines remain below it.
    auto descendre = [&](int32_t b, int32_t premiere) {
        return nb * h - (la.HauteurClient - b) < h && premiere + nb - 1 < la.NbLignes;
    };
    int32_t pas = 0;
    for (int32_t b = base, premiere = la.PremiereLigneVisible; descendre(b, premiere); b += h, ++premiere)
        ++pas;
    if (pas >= nb) {
        la.PremiereLigneVisible += pas;
        la.BandeDebut = Emplacement(la.BandeDebut, pas + 1);
        base += pas * h;
        for (int32_t l = la.PremiereLigneVisible; l < la.PremiereLigneVisible + nb; ++l)
            Peindre(l);
        return;
    }
    for (; pas > 0; --pas) {
        la.BandeDebut = Emplacement(la.BandeDebut, 2);
        ++la.PremiereLigneVisible;
        Peindre(la.PremiereLigneVisible + nb - 1);
        base += h;
    }
}

void ReculerAnneau(int32_t& base)
{
    TLignesAffichage& la = LignesAffichage;
    const int32_t h = Hauteur();
    const int32_t nb = NbBandes();
    // The ring's first line is not entirely above the view and lines remain above it.
    int32_t pas = 0;
    for (int32_t b = base, premiere = la.PremiereLigneVisible; b > -h && premiere > 1; b -= h, --premiere)
        ++pas;
    if (pas >= nb) {
        la.PremiereLigneVisible -= pas;
        la.BandeDebut = Emplacement(la.BandeDebut, 1 - pas);
        base -= pas * h;
        for (int32_t l = la.PremiereLigneVisible; l < la.PremiereLigneVisible + nb; ++l)
            Peindre(l);
        return;
    }
    for (; pas > 0; --pas) {
        la.BandeDebut = Emplacement(la.BandeDebut, 0);
        --la.PremiereLigneVisible;
        Peindre(la.PremiereLigneVisible);
        base -= h;
    }
}

// Puts a position inside the range; a change places the bands, as the scroll bar's change
// event does.
void LimiterPosition()
{
    TDefilement& d = AffichagePartition.Defilement;
    const int32_t p = std::clamp(d.Position, d.Min, std::max(d.Max, d.Min));
    if (p != d.Position) {
        d.Position = p;
        DefilerPartition();
    }
}

} // namespace

ISurfacePartition& SurfacePartition() { return *surfaceInstallee; }

void InstallerSurfacePartition(ISurfacePartition* surface)
{
    surfaceInstallee = surface ? surface : &surfaceSilencieuse;
}

void InstallerPeintresPartition(PeintresPartition nouveaux)
{
    const PeintresPartition defaut = PeintresParDefaut();
    peintres.DessinerLigne = nouveaux.DessinerLigne ? std::move(nouveaux.DessinerLigne) : defaut.DessinerLigne;
    peintres.DimensionnerBandeAccords = nouveaux.DimensionnerBandeAccords
                                            ? std::move(nouveaux.DimensionnerBandeAccords)
                                            : defaut.DimensionnerBandeAccords;
    peintres.DessinerBandeAccords = nouveaux.DessinerBandeAccords ? std::move(nouveaux.DessinerBandeAccords)
                                                                  : defaut.DessinerBandeAccords;
    peintres.MesurerRangeeTextes = nouveaux.MesurerRangeeTextes ? std::move(nouveaux.MesurerRangeeTextes)
                                                                : defaut.MesurerRangeeTextes;
}

const PeintresPartition& Peintres() { return peintres; }

void DisposerBandes()
{
    TLignesAffichage& la = LignesAffichage;
    TAffichagePartition& af = AffichagePartition;
    const ISurfacePartition& surface = SurfacePartition();

    af.CouleurFond = platform::Couleur::DeValeur(ParamEcranCourant.ColBackG);
    la.BandeDebut = 1;
    la.PremiereLigneVisible = 1;
    la.HauteurZone = surface.HauteurPanneau();
    la.HauteurClient = surface.HauteurClientFenetre() - 55;
    la.LargeurDispo = surface.LargeurPanneau() - 6;

    for (int i = 1; i <= kNbBandesMax; ++i)
        af.Bandes[i].Gauche = la.LargeurDispo + 100;

    const int32_t h = HauteurLigneCalculee();
    la.HauteurLigne = h;
    af.Defilement.GrandPas = h;
    af.Defilement.PetitPas = std::max(static_cast<int32_t>(platform::Round(h / 4.0)), 1);

    // A window too small for a line still keeps one band.
    la.NbBandes = std::clamp(Plafond(la.HauteurClient, h) + 4, kNbBandesMin, kNbBandesMax);

    for (int32_t i = 1; i <= la.NbBandes; ++i)
        af.Bandes[i] = TBande{0, (i - 1) * h, std::max(la.LargeurDispo + 6, 0), h};
    Montrer();
}

void ChoisirBande(int32_t bande)
{
    // A line outside the ring has no band: painting it must not land on another band.
    LignesAffichage.BandeCourante = (bande >= 0 && bande <= kNbBandesMax) ? bande : kBandeAucune;
}

platform::Canevas* CanvasEcran()
{
    const int32_t b = LignesAffichage.BandeCourante;
    if (b < 0 || b > kNbBandesMax)
        return nullptr;
    return SurfacePartition().CanevasBande(b);
}

int32_t CalculerBandeLigne(int32_t ligne)
{
    const TLignesAffichage& la = LignesAffichage;
    const int32_t nb = NbBandes();
    if (ligne < la.PremiereLigneVisible || ligne > la.PremiereLigneVisible + nb - 1)
        return kBandeAucune;
    return Emplacement(la.BandeDebut, ligne - la.PremiereLigneVisible + 1);
}

int32_t LigneDeBande(int32_t bande)
{
    const TLignesAffichage& la = LignesAffichage;
    const int32_t nb = NbBandes();
    if (bande < 1 || bande > nb)
        return 0;
    int32_t ligne = bande - la.BandeDebut + 1;
    if (ligne < 1)
        ligne += nb;
    return ligne + la.PremiereLigneVisible - 1;
}

void AjusterDefilement()
{
    TLignesAffichage& la = LignesAffichage;
    TDefilement& d = AffichagePartition.Defilement;
    la.HauteurZone = SurfacePartition().HauteurPanneau();
    d.Min = -la.HauteurEntete;
    d.Max = std::max(0, la.NbLignes * Hauteur() - la.HauteurZone);
    d.Actif = d.Max >= 1;
    LimiterPosition();
    Montrer();
}

void DefilerPartition()
{
    TLignesAffichage& la = LignesAffichage;
    TAffichagePartition& af = AffichagePartition;
    const int32_t h = Hauteur();
    const int32_t p = af.Defilement.Position;
    la.NbBandes = NbBandes();

    int32_t base = (la.PremiereLigneVisible - 1) * h - p;
    AvancerAnneau(base);
    ReculerAnneau(base);

    for (int32_t k = 1; k <= la.NbBandes; ++k)
        af.Bandes[Emplacement(la.BandeDebut, k)].Haut = (k - 1) * h + base;
    af.Bandes[kBandeAccords].Haut = base - la.HauteurEntete;
    PlacerHautCadre();
    Montrer();
}

void RedessinerPartition()
{
    platform::Sablier sablier;
    // Bands sized for another line height would cut the lines (or leave gaps), and a range set
    // from it would stop short of the last line: the layout settles the height first.
    CouperLignesEtTextes();
    const int32_t premiere = LignesAffichage.PremiereLigneVisible;
    for (int32_t l = premiere; l < premiere + NbBandes(); ++l)
        Peindre(l);
    PlacerCadreMesure();
    peintres.DimensionnerBandeAccords();
    DefilerPartition();
    peintres.DessinerBandeAccords();
    Montrer();
}

void RedessinerLignesModifiees(int32_t mesure)
{
    TLignesAffichage& la = LignesAffichage;
    const int32_t nb = NbBandes();
    std::array<std::pair<int32_t, int32_t>, kNbBandesMax + 1> avant{};
    for (int32_t k = 1; k <= nb; ++k) {
        const int32_t l = la.PremiereLigneVisible + k - 1;
        avant[k] = {la.PremiereMesure[l], la.DerniereMesure[l]};
    }
    const int32_t rangee = la.RangeeTextes;
    const int32_t hauteur = la.HauteurLigne;
    CouperLignesEtTextes();
    // Rows of texts opened or closed move every line, and a new line height every band.
    if (la.RangeeTextes != rangee || la.HauteurLigne != hauteur) {
        RedessinerPartition();
        return;
    }
    const TMesure* m = Bloc(mesure);
    const int32_t ligneMesure = m ? m->Ligne : 0;
    for (int32_t k = 1; k <= nb; ++k) {
        const int32_t l = la.PremiereLigneVisible + k - 1;
        if (l == ligneMesure || la.PremiereMesure[l] != avant[k].first || la.DerniereMesure[l] != avant[k].second)
            Peindre(l);
    }
    Montrer();
}

void PlacerCadreMesure()
{
    TLignesAffichage& la = LignesAffichage;
    TAffichagePartition& af = AffichagePartition;
    const TParamEcran& p = ParamEcranCourant;
    const int32_t courante = Partition.MesureCourante;
    const TMesure* m = Bloc(courante);
    if (!m)
        return;
    // A measure added since the last layout has none yet: lay the song out (and repaint what
    // moved) so that the frame can stand on it.
    if (m->Ligne < 1 || m->Ligne > la.NbLignes)
        RedessinerLignesModifiees(courante);

    la.HauteurZone = SurfacePartition().HauteurPanneau();
    const bool disposee = m->Ligne >= 1;
    const int32_t x1 = disposee ? m->XGauche : -100;
    const int32_t x2 = disposee ? m->XDroite : -80;
    const int32_t h = Hauteur();
    const int32_t haut = (m->Ligne - 1) * h;
    int32_t position = af.Defilement.Position;

    TCadre& c = af.Selection;
    c.Gauche = x1 + 6;
    c.Haut = m->Y - p.EspLignes + haut - position;
    c.Largeur = std::max(x2 - x1 - 14, 2);
    if (m->RenvoiFin || courante == Partition.NbMesures)
        c.Largeur += 2;
    if (p.EspLignes < 9) {
        c.Gauche -= 2;
        c.Largeur += 4;
    }
    c.Hauteur = (NbCordesCourantes() + 1) * p.EspLignes + 1;

    // During playback the view follows the measure screen by screen or line by line.
    if (!Commandes().Enabled(Cmd::Ac_Son_LectureDebut)) {
        if (Configuration.TypeScrolling == 1) {
            if (haut > position + la.HauteurZone - h)
                position = haut;
        } else if (Configuration.TypeScrolling == 2) {
            if (haut != position)
                position = haut;
        }
    }
    if (haut < position)
        position = haut;
    if (position + la.HauteurZone < h + haut)
        position = h + haut - la.HauteurZone;
    DefinirPositionDefilement(position);
    Montrer();
}

void DefinirPositionDefilement(int32_t position)
{
    TDefilement& d = AffichagePartition.Defilement;
    const int32_t p = std::clamp(position, d.Min, std::max(d.Max, d.Min));
    if (p == d.Position)
        return;
    d.Position = p;
    DefilerPartition();
}

void DefinirMinimumDefilement(int32_t minimum)
{
    AffichagePartition.Defilement.Min = minimum;
    LimiterPosition();
    Montrer();
}

void ReinitialiserVuePartition()
{
    LignesAffichage = TLignesAffichage{};
    AffichagePartition = TAffichagePartition{};
}
