#include "editor/Ligatures.h"

#include "editor/DessinSaisie.h"
#include "platform/Arrondi.h"

#include <algorithm>

using platform::clBlue;
using platform::clWhite;

namespace {

int R(double v) { return static_cast<int>(platform::Round(v)); }

int Piste() { return std::clamp<int32_t>(PisteCourante, 1, kNbPistes); }

TMesure* Bloc(int32_t m)
{
    if (m < 1 || m > Partition.NbMesures || m > kNbMesuresMax)
        return nullptr;
    return Partition.Mesures[m].get();
}

// A quarter, half or whole rest takes no part in beaming.
bool Saute(const TTemps& t) { return t.Silence && t.CodeDuree < 1; }

int Code(const TTemps& t) { return t.CodeDuree; }

// Nearest beat of the group before (pas -1) or after (pas +1) b that is not skipped; 0 = none.
int Voisin(const TMesure& mesure, int piste, int b, int pas, int premier, int dernier)
{
    for (int v = b + pas; v >= premier && v <= dernier; v += pas)
        if (!Saute(mesure.Temps[piste][v]))
            return v;
    return 0;
}

} // namespace

TTableGroupes TableGroupes(int numerateur, int denominateur)
{
    int num = numerateur;
    int den = denominateur;
    // 8/8 groups like 4/4, 16/8 and 32/16 like 8/4; 4/8 and 6/8 stay as they are.
    if (den > 4 && num >= den && (num == 2 || num == 4 || num == 8 || num == 16 || num == 32)) {
        num = R(num / (den / 4.0));
        den = 4;
    }

    TTableGroupes table;
    auto ajouter = [&](int taille) {
        if (static_cast<int>(table.Tailles.size()) < kNbGroupesMax)
            table.Tailles.push_back(taille);
    };
    if (den > 4) {
        table.Diviseur = std::max(1, R(den / 4.0));
        int r = num;
        while (r > 4 && static_cast<int>(table.Tailles.size()) < kNbGroupesMax) {
            ajouter(3);
            r -= 3;
        }
        if (r == 4) {
            ajouter(2);
            r = 2;
        }
        if (r == 3)
            ajouter(3);
        if (r == 2)
            ajouter(2);
        if (r == 1)
            ajouter(1);
    } else {
        // Whole, half and quarter denominators (and any other below 8) group by quarters.
        table.Diviseur = 2;
        const int quarts = den == 1 ? 4 * num : den == 2 ? 2 * num : num;
        for (int g = 0; g < quarts && g < kNbGroupesMax; ++g)
            ajouter(2);
    }
    if (table.Tailles.empty())
        table.Tailles.push_back(2); // a signature from elsewhere without any beat still groups
    return table;
}

std::vector<TGroupeTemps> GroupesTemps(const TMesure& mesure, int32_t piste, int32_t nbTemps)
{
    std::vector<TGroupeTemps> groupes;
    if (piste < 1 || piste > kNbPistes)
        return groupes;
    const int n = std::clamp<int32_t>(nbTemps, 0, kNbTempsMax);
    const TTableGroupes table = TableGroupes(mesure.Numerateur, mesure.Denominateur);
    const int k = static_cast<int>(table.Tailles.size());

    int g = 0;
    int premier = 1;
    int dernier = 1;
    int64_t somme = n >= 1 ? mesure.Temps[piste][1].Duree : 0;
    while (premier <= n) {
        const int64_t longueur = std::max(1, R(table.Tailles[g] * 480.0 / table.Diviseur));
        if (somme % longueur != 0 && dernier < n) {
            ++dernier;
            somme += mesure.Temps[piste][dernier].Duree;
            continue;
        }
        // The last group size serves for whatever overflows the signature.
        if (g < k - 1)
            ++g;
        groupes.push_back({premier, dernier});
        premier = dernier + 1;
        dernier = premier;
        somme = premier <= n ? mesure.Temps[piste][premier].Duree : 0;
    }
    return groupes;
}

void CalculerLigaturesGroupe(TMesure& mesure, int32_t piste, int32_t premier, int32_t dernier)
{
    if (piste < 1 || piste > kNbPistes)
        return;
    premier = std::max(premier, 1);
    dernier = std::min<int32_t>(dernier, kNbTempsMax);
    auto& temps = mesure.Temps[piste];
    for (int b = premier; b <= dernier; ++b) {
        TTemps& t = temps[b];
        if (Saute(t))
            continue;
        const int propre = std::max(0, Code(t));
        t.LiensPrec = t.TempsPrec = t.CrochetsGauche = 0;
        t.LiensSuiv = t.TempsSuiv = t.CrochetsDroite = 0;
        t.CotePointe = 0;

        if (const int prec = Voisin(mesure, piste, b, -1, premier, dernier)) {
            t.LiensPrec = static_cast<uint8_t>(std::max(0, std::min(Code(t), Code(temps[prec]))));
            t.TempsPrec = static_cast<uint8_t>(prec);
        }
        if (const int suiv = Voisin(mesure, piste, b, +1, premier, dernier)) {
            t.LiensSuiv = static_cast<uint8_t>(std::max(0, std::min(Code(t), Code(temps[suiv]))));
            t.TempsSuiv = static_cast<uint8_t>(suiv);
        }
        t.CrochetsGauche = t.LiensPrec;
        t.CrochetsDroite = t.LiensSuiv;
        // Beams the neighbours don't share become stubs on the side of the stronger link; a
        // beat beamed to nobody gets its flags on the right.
        if (propre > std::max(t.LiensPrec, t.LiensSuiv)) {
            if (t.LiensPrec > t.LiensSuiv) {
                t.CrochetsGauche = static_cast<uint8_t>(propre);
                t.CrochetsDroite = 0;
            } else {
                t.CrochetsDroite = static_cast<uint8_t>(propre);
                t.CrochetsGauche = 0;
            }
        }
        if (t.Pointee)
            t.CotePointe = t.LiensPrec > t.LiensSuiv ? 1 : 2;
    }
}

void CalculerLigaturesMesure(TMesure& mesure, int32_t piste, int32_t nbTemps)
{
    for (const TGroupeTemps& g : GroupesTemps(mesure, piste, nbTemps))
        CalculerLigaturesGroupe(mesure, piste, g.Premier, g.Dernier);
}

int64_t SommeDureesTemps(int32_t premier, int32_t dernier)
{
    const TMesure* bloc = Bloc(Partition.MesureCourante);
    if (!bloc)
        return 0;
    int64_t somme = 0;
    for (int b = std::max(premier, 1); b <= dernier && b <= kNbTempsMax; ++b)
        somme += bloc->Temps[Piste()][b].Duree;
    return somme;
}

void CalculerLigatures(int32_t premier, int32_t dernier)
{
    if (TMesure* bloc = Bloc(Partition.MesureCourante))
        CalculerLigaturesGroupe(*bloc, Piste(), premier, dernier);
}

void DessinerLigatures(platform::Canevas& c, int32_t premier, int32_t dernier)
{
    TMesure* bloc = Bloc(Partition.MesureCourante);
    if (!bloc)
        return;
    const int p = Piste();
    CalculerLigaturesGroupe(*bloc, p, premier, dernier);

    const int n = std::clamp<int32_t>(Partition.NbCordes[p], 1, kNbCordesMax);
    const int e = Curseur.EspCordes;
    const int ys = n * e + Curseur.MargeHaut - R(e / 2.0);
    const int yb = n * e + Curseur.MargeHaut + R(e / 2.0);
    auto xTemps = [](int b) { return Curseur.MargeGauche + b * Curseur.LargeurTemps; };
    // Beam i (from 1) is two rows thick, each further beam three rows above the previous.
    auto barre = [&](int i, int xa, int xb) {
        const int y = yb - 3 * (i - 1);
        c.Ligne(xa, y - 1, xb, y - 1);
        c.Ligne(xa, y, xb, y);
    };

    c.SetStylo(clBlue);
    c.SetBrosse(clBlue);
    const auto& temps = bloc->Temps[p];
    for (int b = std::max(premier, 1); b <= dernier && b <= kNbTempsMax; ++b) {
        const TTemps& t = temps[b];
        if (Saute(t))
            continue;
        const int x = xTemps(b);
        const int propre = std::max(0, Code(t));
        if (t.CodeDuree != -2)
            c.Ligne(x, t.CodeDuree == -1 ? ys + 7 : ys, x, ys + e + 1);
        for (int i = 1; i <= t.LiensPrec; ++i)
            barre(i, xTemps(t.TempsPrec), x);
        for (int i = 1; i <= t.LiensSuiv; ++i)
            barre(i, x, xTemps(t.TempsSuiv));
        const int lies = std::max(t.LiensPrec, t.LiensSuiv);
        if (propre > lies) {
            const int bout = t.LiensPrec > t.LiensSuiv ? x - 10 : x + 10;
            for (int i = lies + 1; i <= propre; ++i)
                barre(i, x, bout);
        }
        if (t.Pointee) {
            const int v = yb - 3 * (propre - 1) + 1;
            const int xp = t.LiensPrec <= t.LiensSuiv ? x + 3 : x - 5;
            c.FillRect(xp, v - 5, xp + 2, v - 3);
        }
    }
}

void LigaturerMesure(platform::Canevas& c, int32_t m)
{
    if (m > 0) {
        if (!Bloc(m))
            return;
        Partition.MesureCourante = m;
    }
    TMesure* bloc = Bloc(Partition.MesureCourante);
    if (!bloc)
        return;
    const int p = Piste();
    int n = std::clamp<int32_t>(bloc->NbTemps[p], 0, kNbTempsMax);

    if (m == 0) {
        // The prepared free beat is beamed with the others while the cursor stands on it.
        if (Curseur.Temps == n + 1 && n + 1 <= kNbTempsMax)
            n = n + 1;
        const int nc = std::clamp<int32_t>(Partition.NbCordes[p], 1, kNbCordesMax);
        const int y1 = nc * Curseur.EspCordes + Curseur.MargeHaut - R(Curseur.EspCordes / 2.0);
        c.SetStylo(clWhite);
        c.SetBrosse(clWhite);
        c.Rectangle(Curseur.MargeGauche, y1, Curseur.MargeGauche + Curseur.LargeurZone,
                    y1 + Curseur.EspCordes + 3);
    }

    for (const TGroupeTemps& g : GroupesTemps(*bloc, p, n)) {
        if (m == 0)
            DessinerLigatures(c, g.Premier, g.Dernier);
        else
            CalculerLigatures(g.Premier, g.Dernier);
    }

    if (m == 0)
        AfficherEtatMesure();
}

void LigaturerMesure(int32_t m) { LigaturerMesure(CanevasSaisie(), m); }

void LigaturerPartition()
{
    for (int m = 1; m <= Partition.NbMesures && m <= kNbMesuresMax; ++m)
        LigaturerMesure(m);
    Partition.MesureCourante = 1;
}

void LigaturerMesuresPiste(int32_t piste, int32_t premiere, int32_t derniere)
{
    if (piste < 1 || piste > kNbPistes)
        return;
    const int32_t fin = std::min({derniere, Partition.NbMesures, kNbMesuresMax});
    for (int32_t m = std::max(premiere, 1); m <= fin; ++m)
        if (TMesure* bloc = Bloc(m))
            CalculerLigaturesMesure(*bloc, piste, std::clamp<int32_t>(bloc->NbTemps[piste], 0, kNbTempsMax - 1));
}

void LigaturerMesuresPistes(int32_t premiere, int32_t derniere)
{
    for (int t = 1; t <= kNbPistes; ++t)
        LigaturerMesuresPiste(t, premiere, derniere);
}
