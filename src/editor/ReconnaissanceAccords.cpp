#include "editor/ReconnaissanceAccords.h"

#include <algorithm>
#include <array>
#include <initializer_list>

OneBased<TNomPropose, kNbNomsProposesMax> NomsProposes;
int32_t NbNomsProposes = 0;

namespace {

constexpr std::size_t kLongueurNomMax = 40;

int ClasseHauteur(int v) { return ((v % 12) + 12) % 12; }

// Kinds of third, numbered as the categories take them.
enum { kTierceAucune = 0, kTierceMajeure = 1, kTierceMineure = 2, kTierceSus4 = 3, kTierceSus2 = 4 };
// Kinds of seventh.
enum { kSeptiemeAucune = 0, kSeptiemeMineure = 1, kSeptiemeMajeure = 2, kSixte = 3 };

bool EstSus(int tierce) { return tierce == kTierceSus4 || tierce == kTierceSus2; }

// One reading of the chord on root r, or false when the theory cannot describe it.
bool Lire(std::array<bool, 12> intervalles, TNomPropose& n)
{
    // Each category takes the first of its candidates that sounds; what one takes, the later
    // ones cannot.
    auto prendre = [&](std::initializer_list<int> candidats) {
        int sorte = 0;
        for (int c : candidats) {
            ++sorte;
            if (intervalles[c]) {
                intervalles[c] = false;
                return sorte;
            }
        }
        return 0;
    };
    const int tierce = prendre({4, 3, 5, 2});
    const int quinte = prendre({7, 6, 8});
    int septieme = kSeptiemeAucune;
    if (intervalles[10]) {
        intervalles[10] = false;
        septieme = kSeptiemeMineure;
    } else if (tierce <= kTierceMineure && intervalles[11]) {
        intervalles[11] = false;
        septieme = kSeptiemeMajeure;
    } else if (tierce <= kTierceMineure && intervalles[9]) {
        intervalles[9] = false;
        septieme = kSixte;
    }
    const int neuvieme = prendre({2, 1, 3});
    const int onzieme = prendre({5, 4, 6});
    const int treizieme = prendre({9, 8, 10});
    for (bool reste : intervalles)
        if (reste)
            return false;

    const int h = treizieme ? 13 : onzieme ? 11 : neuvieme ? 9 : septieme ? 7 : quinte ? 5 : tierce ? 3 : 0;

    bool add = false;
    if (treizieme)
        add = (!onzieme && !neuvieme) || EstSus(tierce);
    else if (onzieme)
        add = !neuvieme || EstSus(tierce);
    else if (neuvieme)
        add = septieme == kSeptiemeAucune || septieme == kSixte || (septieme == kSeptiemeMineure && EstSus(tierce));

    if (add && (neuvieme ? 1 : 0) + (onzieme ? 1 : 0) + (treizieme ? 1 : 0) >= 2)
        return false;
    if (septieme == kSixte && h >= 9 && !add)
        return false;

    n.NeufOnzeTreize = h == 9 ? 1 : h == 11 ? 2 : h == 13 ? 3 : 0;
    n.DimAug = h == 9 ? neuvieme - 1 : h == 11 ? onzieme - 1 : h == 13 ? treizieme - 1 : 0;
    n.Add = add;

    switch (tierce) {
    case kTierceMineure: {
        static constexpr int32_t types[] = {kTypm, kTypm7, kTypm7M, kTypm6};
        n.Typ = types[septieme];
        break;
    }
    case kTierceSus4:
        n.Typ = septieme == kSeptiemeMineure ? kTyp7Sus4 : kTypSus4;
        break;
    case kTierceSus2:
        n.Typ = septieme == kSeptiemeMineure ? kTyp7Sus2 : kTypSus2;
        break;
    default: {
        static constexpr int32_t types[] = {kTypM, kTyp7, kTyp7M, kTyp6};
        n.Typ = types[septieme];
        break;
    }
    }
    // The extension implies the minor seventh.
    if (h >= 9 && !add && septieme == kSeptiemeMineure) {
        if (n.Typ == kTyp7)
            n.Typ = kTypM;
        else if (n.Typ == kTypm7)
            n.Typ = kTypm;
    }

    // An alteration of a degree that does not sound is no alteration (the category's kind 0
    // would otherwise give position -1 of the alteration list).
    n.Quinte = quinte ? quinte - 1 : 0;
    n.Neuf = (h > 9 && neuvieme) ? neuvieme - 1 : 0;
    n.Onze = (h > 11 && onzieme) ? onzieme - 1 : 0;

    n.DegresAbsents = {false, false, tierce == 0, quinte == 0, septieme == 0, neuvieme == 0, onzieme == 0,
                       treizieme == 0};
    n.Omissions = {false,
                   false,
                   tierce == 0,
                   quinte == 0,
                   septieme == 0 && h > 7 && !add,
                   neuvieme == 0 && h > 9 && !add,
                   onzieme == 0 && h > 11 && !add,
                   false};
    return true;
}

// A pattern that names the whole chord at once.
void Remplacer(TNomPropose& n, int32_t typ, std::initializer_list<int> presents)
{
    n.Typ = typ;
    n.NeufOnzeTreize = n.DimAug = n.Quinte = n.Neuf = n.Onze = 0;
    n.Add = false;
    n.DegresAbsents.fill(true);
    n.DegresAbsents[0] = false;
    for (int k : presents)
        n.DegresAbsents[k] = false;
    n.Omissions.fill(false);
}

bool MemeTheorie(const TNomPropose& a, const TNomPropose& b)
{
    return a.Fondamentale == b.Fondamentale && a.Typ == b.Typ && a.NeufOnzeTreize == b.NeufOnzeTreize &&
           a.DimAug == b.DimAug && a.Quinte == b.Quinte && a.Neuf == b.Neuf && a.Onze == b.Onze && a.Add == b.Add;
}

} // namespace

OneBased<int32_t, kNbCordesMax> HauteursAccord(const TAccord& accord, const OneBased<int32_t, kNbCordesMax>& accordage)
{
    OneBased<int32_t, kNbCordesMax> hauteurs{};
    for (int s = 1; s <= kNbCordesMax; ++s)
        hauteurs[s] = accord.Frettes[s] < 0 ? -1 : accordage[s] + accord.Frettes[s];
    return hauteurs;
}

int32_t ComplexiteNom(const TNomPropose& n)
{
    int32_t c = 0;
    if (n.Typ == kTypDim || n.Typ == kTypAug)
        c = 1;
    else if (n.Typ > kTypM && n.Typ < kNbTypesAccord)
        c = static_cast<int32_t>(TypesAccord[n.Typ].Texte.size());
    if (n.NeufOnzeTreize != 0)
        c += 2;
    if (n.DimAug != 0)
        c += 1;
    for (int32_t alteration : {n.Quinte, n.Neuf, n.Onze})
        if (alteration != 0)
            c += 3;
    if (n.Add)
        c += 2;
    for (int k = 1; k <= kNbDegres; ++k)
        if (n.Omissions[k])
            c += 4;
    return c;
}

std::vector<TNomPropose> ProposerNoms(const OneBased<int32_t, kNbCordesMax>& hauteurs, bool diese)
{
    std::array<bool, 7> sonne{};
    std::array<int, 7> classe{};
    int plusBasse = 0;
    for (int s = 1; s <= 6; ++s) {
        sonne[s] = hauteurs[s] >= 0;
        classe[s] = sonne[s] ? ClasseHauteur(hauteurs[s]) : -1;
        if (sonne[s])
            plusBasse = s;
    }
    std::vector<TNomPropose> proposes;
    if (plusBasse == 0)
        return proposes;

    const int32_t basse = classe[plusBasse];
    std::size_t finPasse1 = 0;
    for (int passe = 1; passe <= 2; ++passe) {
        if (passe == 2) {
            finPasse1 = proposes.size();
            sonne[plusBasse] = false; // from here on a separate bass
        }
        std::array<bool, 12> racines{};
        for (int s = 6; s >= 1; --s) {
            if (!sonne[s] || racines[classe[s]])
                continue;
            const int r = classe[s];
            std::array<bool, 12> intervalles{};
            bool un = false;
            for (int t = 1; t <= 6; ++t) {
                if (t == s || !sonne[t])
                    continue;
                const int i = ClasseHauteur(classe[t] - r);
                if (i != 0)
                    intervalles[i] = un = true;
            }
            if (!un)
                continue;

            TNomPropose n;
            n.Fondamentale = r;
            n.Basse = basse;
            if (!Lire(intervalles, n))
                continue;
            if (passe == 1) {
                auto exactement = [&](std::initializer_list<int> ensemble) {
                    std::array<bool, 12> attendu{};
                    for (int i : ensemble)
                        attendu[i] = true;
                    return attendu == intervalles;
                };
                if (exactement({3, 6, 9}))
                    Remplacer(n, kTypDim, {1, 2, 3, 4});
                else if (exactement({4, 8}))
                    Remplacer(n, kTypAug, {1, 2, 3});
                else if (exactement({7}) && r == basse)
                    Remplacer(n, kTyp5, {1, 3});
            }
            n.Nom = ConstruireNomAccord(n.Fondamentale, n.Typ, n.NeufOnzeTreize, n.DimAug, n.Quinte, n.Neuf, n.Onze,
                                        n.Add, passe == 1 ? 0 : -1, n.Basse, n.Omissions, true, diese);
            if (n.Nom.size() > kLongueurNomMax)
                n.Nom.resize(kLongueurNomMax);
            if (passe == 2 && std::any_of(proposes.begin(), proposes.begin() + finPasse1,
                                          [&](const TNomPropose& p) { return MemeTheorie(p, n); }))
                continue;
            n.Complexite = ComplexiteNom(n);
            racines[r] = true;
            proposes.push_back(n);
        }
    }

    // Simplest first; the order found breaks full ties.
    std::stable_sort(proposes.begin(), proposes.end(), [](const TNomPropose& a, const TNomPropose& b) {
        if (a.Complexite != b.Complexite)
            return a.Complexite < b.Complexite;
        return a.Nom.size() < b.Nom.size();
    });
    return proposes;
}

void NommerDoigte(const OneBased<int32_t, kNbCordesMax>& hauteurs, bool diese)
{
    const std::vector<TNomPropose> proposes = ProposerNoms(hauteurs, diese);
    NbNomsProposes = 0;
    for (const TNomPropose& n : proposes) {
        if (NbNomsProposes >= kNbNomsProposesMax)
            break;
        NomsProposes[++NbNomsProposes] = n;
    }
}

void ChoisirNomPropose(const TNomPropose& n, TAccord& accord)
{
    accord.Fondamentale = n.Fondamentale;
    accord.Typ = n.Typ;
    accord.NeufOnzeTreize = n.NeufOnzeTreize;
    accord.DimAug = n.DimAug;
    accord.Add = n.Add;
    accord.Quinte = n.Quinte;
    accord.Neuf = n.Neuf;
    accord.Onze = n.Onze;
    accord.Basse = n.Basse;
    for (int k = 1; k <= kNbDegres; ++k)
        accord.Degres[k] = n.DegresAbsents[k];
}
