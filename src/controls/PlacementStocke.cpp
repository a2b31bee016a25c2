#include "controls/PlacementStocke.h"

#include "controls/StrUtils.h"
#include "platform/FichierIni.h"

#include <algorithm>

namespace {

constexpr std::string_view kDelimiteurs = " ,";

int32_t VersInt32(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Area shared by two rectangles (0 when they do not meet).
int64_t Recouvrement(const TRectEcran& a, const TRectEcran& b)
{
    const int64_t l = std::max<int64_t>(a.Left, b.Left);
    const int64_t r = std::min<int64_t>(a.Right, b.Right);
    const int64_t t = std::max<int64_t>(a.Top, b.Top);
    const int64_t bas = std::min<int64_t>(a.Bottom, b.Bottom);
    return r > l && bas > t ? (r - l) * (bas - t) : 0;
}

// One side: a length within [minimum, maximum (0: none)] and the room, then a start that keeps
// it within [debut, fin) of the room when it fits, at the room's start when it does not.
void Ajuster(int64_t& position, int64_t& longueur, int64_t debut, int64_t fin, int64_t minimum, int64_t maximum)
{
    const int64_t place = std::max<int64_t>(fin - debut, 1);
    longueur = std::min(longueur, place);
    if (maximum > 0)
        longueur = std::min(longueur, maximum);
    longueur = std::max({longueur, minimum, int64_t{1}});
    if (longueur >= place)
        position = debut;
    else
        position = std::clamp(position, debut, fin - longueur);
}

} // namespace

std::array<int32_t, 4> LireQuatreEntiers(std::string_view texte, const std::array<int32_t, 4>& defauts)
{
    std::array<int32_t, 4> valeurs = defauts;
    for (std::size_t i = 0; i < valeurs.size(); ++i) {
        int32_t v = 0;
        if (platform::FichierIni::TexteVersEntier(ExtractWord(i + 1, texte, kDelimiteurs), v))
            valeurs[i] = v;
    }
    return valeurs;
}

std::string EcrireQuatreEntiers(const std::array<int32_t, 4>& v)
{
    return std::to_string(v[0]) + ',' + std::to_string(v[1]) + ',' + std::to_string(v[2]) + ',' + std::to_string(v[3]);
}

std::string CleResolution(std::string_view cle, int32_t largeurEcran, int32_t hauteurEcran)
{
    return std::string(cle) + '(' + std::to_string(largeurEcran) + 'x' + std::to_string(hauteurEcran) + ')';
}

EtatFenetre EtatDeShowCmd(int32_t showCmd, EtatFenetre defaut)
{
    switch (showCmd) {
    case 1:
    case 5:
    case 9: return EtatFenetre::Normal;
    case 2:
    case 6:
    case 7: return EtatFenetre::Minimise;
    case 3: return EtatFenetre::Maximise;
    default: return defaut;
    }
}

int32_t ShowCmdDeEtat(EtatFenetre etat)
{
    switch (etat) {
    case EtatFenetre::Minimise: return SW_SHOWMINIMIZED;
    case EtatFenetre::Maximise: return SW_SHOWMAXIMIZED;
    default: return SW_SHOWNORMAL;
    }
}

std::optional<TRectEcran> CorrigerRectangle(const TRectEcran& stocke, const TLimitesPlacement& limites)
{
    if (stocke.Largeur() <= 0 || stocke.Hauteur() <= 0)
        return std::nullopt;

    int64_t x = stocke.Left;
    int64_t y = stocke.Top;
    int64_t l = stocke.Largeur();
    int64_t h = stocke.Hauteur();
    if (limites.Ecrans.empty()) {
        // Nowhere to check the position against: only the size limits hold.
        Ajuster(x, l, INT32_MIN / 2, INT32_MAX / 2, limites.LargeurMin, limites.LargeurMax);
        Ajuster(y, h, INT32_MIN / 2, INT32_MAX / 2, limites.HauteurMin, limites.HauteurMax);
        return TRectEcran{VersInt32(x), VersInt32(y), VersInt32(x + l), VersInt32(y + h)};
    }

    const TRectEcran avecCadre{VersInt32(x - limites.CadreGauche), VersInt32(y - limites.CadreHaut),
                               VersInt32(x + l + limites.CadreDroit), VersInt32(y + h + limites.CadreBas)};
    const TRectEcran* ecran = &limites.Ecrans.front();
    int64_t meilleur = 0;
    for (const TRectEcran& e : limites.Ecrans) {
        const int64_t r = Recouvrement(avecCadre, e);
        if (r > meilleur) {
            meilleur = r;
            ecran = &e;
        }
    }

    // The client area may go where its frame stays on the screen.
    Ajuster(x, l, static_cast<int64_t>(ecran->Left) + limites.CadreGauche,
            static_cast<int64_t>(ecran->Right) - limites.CadreDroit, limites.LargeurMin, limites.LargeurMax);
    Ajuster(y, h, static_cast<int64_t>(ecran->Top) + limites.CadreHaut,
            static_cast<int64_t>(ecran->Bottom) - limites.CadreBas, limites.HauteurMin, limites.HauteurMax);
    return TRectEcran{VersInt32(x), VersInt32(y), VersInt32(x + l), VersInt32(y + h)};
}
