#include "editor/RechercheDoigtes.h"

#include "platform/Sablier.h"

#include <algorithm>

OneBased<TAccord, kNbSolutionsDoigteMax> SolutionsDoigte;
int32_t NbSolutionsDoigte = 0;
int32_t SolutionCourante = 0;
int32_t SolutionEncadree = 0;

namespace {

using Frettes = std::array<int32_t, 7>;

int ClasseHauteur(int v) { return ((v % 12) + 12) % 12; }

// Options of one string at a position: muted first, then open, then the frets of the window.
struct Options {
    std::array<int32_t, 7> valeurs{};
    int nombre = 0;
    void Ajouter(int32_t f) { valeurs[nombre++] = f; }
};

class Recherche {
public:
    explicit Recherche(const TParametresDoigtes& p) : p_(p), puissance_(p.Typ == kTyp5)
    {
        for (int32_t n : p.Notes)
            if (n >= 0 && n < 12)
                requis_[n] = true;
    }

    std::vector<TAccord> Executer()
    {
        for (int32_t position = 1; position <= kNbPositionsDoigte; ++position) {
            position_ = position;
            PreparerOptions();
            for (int corde = 6; corde >= 4; --corde) {
                const int32_t ouverte = p_.Accordage[corde];
                if (!(puissance_ && position >= 2) && ClasseHauteur(ouverte) == p_.Basse)
                    EssayerBasse(corde, 0);
                for (int32_t f = position; f <= position + 3; ++f)
                    if (ClasseHauteur(ouverte + f) == p_.Basse)
                        EssayerBasse(corde, f);
            }
        }
        return std::move(trouves_);
    }

private:
    void PreparerOptions()
    {
        for (int s = 1; s <= 6; ++s) {
            Options& o = options_[s];
            o = {};
            o.Ajouter(-1);
            if (requis_[ClasseHauteur(p_.Accordage[s])])
                o.Ajouter(0);
            for (int32_t f = position_; f <= position_ + 4; ++f)
                if (requis_[ClasseHauteur(p_.Accordage[s] + f)])
                    o.Ajouter(f);
        }
    }

    void EssayerBasse(int corde, int32_t frette)
    {
        basse_ = corde;
        f_[corde] = frette;
        for (int s = corde + 1; s <= 6; ++s)
            f_[s] = -1;
        Enumerer(corde - 1);
    }

    // Strings above the bass, the lowest outermost.
    void Enumerer(int s)
    {
        if (s == 0) {
            Tester();
            return;
        }
        const Options& o = options_[s];
        for (int i = 0; i < o.nombre; ++i) {
            f_[s] = o.valeurs[i];
            Enumerer(s - 1);
        }
    }

    void Tester()
    {
        // The cheap tests first: mutes, required notes, a fret at the position.
        int muettes = 0;
        for (int s = 1; s <= 6; ++s)
            if (f_[s] == -1)
                ++muettes;
        if (puissance_ ? muettes != 3 : muettes > 2)
            return;

        std::array<bool, 12> sonnent{};
        for (int s = 1; s <= 6; ++s)
            if (f_[s] >= 0)
                sonnent[ClasseHauteur(p_.Accordage[s] + f_[s])] = true;
        for (int n = 0; n < 12; ++n)
            if (requis_[n] && !sonnent[n])
                return;

        // A shape is listed at one position only, the one of its lowest fret: position 1 takes
        // the shapes within frets 1 to 5, position 20 those that start above fret 20 too. A
        // shape without any fretted string fits every window and belongs to position 1 alone.
        if (!puissance_) {
            bool aLaPosition = false, frettee = false;
            for (int s = 1; s <= 6; ++s) {
                aLaPosition = aLaPosition || f_[s] == position_;
                frettee = frettee || f_[s] >= 1;
            }
            if (position_ >= 2 && position_ <= 19 && !aLaPosition)
                return;
            if (position_ == kNbPositionsDoigte && !frettee)
                return;
        }

        if (!RespecteNiveau(f_))
            return;

        // A power chord may sit at positions 2 to 5 within frets 1 to 5; when its bass is on
        // fret 4 or lower, position 1 lists the very same fingering already.
        if (puissance_ && position_ >= 2 && position_ <= 5 && f_[basse_] <= 4) {
            bool dansLaPremiere = true;
            for (int s = 1; s <= 6; ++s)
                dansLaPremiere = dansLaPremiere && f_[s] <= 5;
            if (dansLaPremiere)
                return;
        }

        const TAccord barres = ChercherBarres(f_, position_);
        if (!DoigteJouable(f_, position_, basse_, barres, p_))
            return;

        // A muted string that could sound in a playable way: only the fuller shape is listed.
        // The fuller shape must be one this level lists, or neither form would show (an open
        // string filling the mute high on the neck at Simple, say).
        if (!puissance_) {
            for (int s = 1; s < basse_; ++s) {
                if (f_[s] != -1)
                    continue;
                const Options& o = options_[s];
                for (int i = 1; i < o.nombre; ++i) {
                    Frettes complet = f_;
                    complet[s] = o.valeurs[i];
                    if (RespecteNiveau(complet) &&
                        DoigteJouable(complet, position_, basse_, ChercherBarres(complet, position_), p_))
                        return;
                }
            }
        }

        TAccord doigte;
        doigte.FretteBase = position_;
        doigte.Frettes = f_;
        doigte.Frettes[0] = 0;
        doigte.NbBarres = barres.NbBarres;
        for (int b = 1; b <= barres.NbBarres; ++b) {
            doigte.BarreFrette[b] = barres.BarreFrette[b];
            doigte.BarreCordeDebut[b] = barres.BarreCordeDebut[b];
            doigte.BarreCordeFin[b] = barres.BarreCordeFin[b];
        }
        trouves_.push_back(doigte);
    }

    // What Simple and Medium add for shapes other than the power chord: muted strings above
    // the bass only as a run from string 1 (no hole between sounding strings), and no open
    // string above the bass from position 6 on.
    bool RespecteNiveau(const Frettes& f) const
    {
        if (p_.Niveau == kNiveauTout || puissance_)
            return true;
        bool sonore = false;
        for (int s = 1; s < basse_; ++s) {
            if (f[s] != -1)
                sonore = true;
            else if (sonore)
                return false;
        }
        if (position_ >= 6)
            for (int s = 1; s < basse_; ++s)
                if (f[s] == 0)
                    return false;
        return true;
    }

    const TParametresDoigtes& p_;
    const bool puissance_;
    std::array<bool, 12> requis_{};
    OneBased<Options, 6> options_{};
    int32_t position_ = 1;
    int basse_ = 6;
    Frettes f_{0, -1, -1, -1, -1, -1, -1};
    std::vector<TAccord> trouves_;
};

} // namespace

TAccordageDoigte AccordagePisteCourante()
{
    const int piste = std::clamp<int32_t>(PisteCourante, 1, kNbPistes);
    return Partition.Accordage[piste];
}

std::vector<int32_t> NotesRequises(const TTheorieAccord& t)
{
    std::vector<int32_t> notes;
    for (int k = 1; k <= kNbDegres; ++k) {
        const int32_t n = t.NotesDegres[k];
        if (t.Coches[k] && n >= 0 && n < 12 && std::find(notes.begin(), notes.end(), n) == notes.end())
            notes.push_back(n);
    }
    return notes;
}

bool DoigteJouable(const std::array<int32_t, 7>& f, int32_t position, int32_t cordeBasse, const TAccord& barres,
                   const TParametresDoigtes& p)
{
    const bool puissance = p.Typ == kTyp5;
    const int basse = std::clamp<int32_t>(cordeBasse, 1, 6);

    int k = 0;
    std::array<int, 5> c{};
    for (int s = 1; s <= 6; ++s) {
        if (f[s] < 1)
            continue;
        const int i = f[s] - position;
        if (i < 0 || i > 4)
            return false;
        ++c[i];
        ++k;
    }

    // Two neighbouring strings on the same pitch waste a finger and a string.
    for (int s = 1; s < basse; ++s)
        if (f[s] >= 0 && f[s + 1] >= 0 && p.Accordage[s] + f[s] == p.Accordage[s + 1] + f[s + 1])
            return false;

    // A shape within frets 1 to 5 is shown at position 1 only.
    if (position >= 2 && position <= 5 && !puissance) {
        bool haut = false;
        for (int i = 6 - position; i <= 4; ++i)
            haut = haut || c[i] > 0;
        if (!haut)
            return false;
    }

    int doigts = k;
    const int nbBarres = std::clamp<int32_t>(barres.NbBarres, 0, 2);
    for (int b = 1; b <= nbBarres; ++b) {
        const int debut = std::clamp<int32_t>(barres.BarreCordeDebut[b], 1, 6);
        const int fin = std::clamp<int32_t>(barres.BarreCordeFin[b], 1, 6);
        for (int s = debut; s <= fin; ++s)
            if (f[s] == barres.BarreFrette[b])
                --doigts;
        ++doigts;
    }
    if (doigts >= 5)
        return false;
    if (doigts == 4 && c[0] > 0 && c[4] > 0 && (c[0] + c[4] > 2 || nbBarres > 0))
        return false;

    if (p.Niveau != kNiveauTout && !puissance && k > 0) {
        int bas = 4, haut = 0;
        for (int i = 0; i <= 4; ++i)
            if (c[i] > 0) {
                bas = std::min(bas, i);
                haut = std::max(haut, i);
            }
        if (haut - bas + 1 > (p.Niveau == kNiveauSimple ? 3 : 4))
            return false;
    }

    if (puissance) {
        // Root, fifth and octave on three neighbouring strings, the two upper ones fretted.
        int l = 0;
        for (int s = 1; s <= 6; ++s)
            if (f[s] >= 0)
                l = s;
        if (l < 3)
            return false;
        if (f[l - 1] < 1 || f[l - 2] < 1)
            return false;
        if (f[l] == 0 && (f[l - 1] > 3 || f[l - 2] > 3))
            return false;
        if (ClasseHauteur(p.Accordage[l - 1] + f[l - 1]) == ClasseHauteur(p.Accordage[l] + f[l]))
            return false;
        if (position > 1) {
            bool aLaPosition = false;
            for (int s = 1; s <= 6; ++s)
                aLaPosition = aLaPosition || f[s] == position;
            if (!aLaPosition)
                return false;
        }
    }
    return true;
}

std::vector<TAccord> RechercherDoigtes(const TParametresDoigtes& parametres)
{
    if (parametres.Notes.size() < 2 || parametres.Notes.size() > 6 || parametres.Basse < 0 || parametres.Basse > 11)
        return {};
    return Recherche(parametres).Executer();
}

void ChercherDoigtes(TTheorieAccord& t, int32_t niveau, const TAccordageDoigte& accordage, std::string_view nom,
                     bool chargementAccord)
{
    platform::Sablier sablier;
    NbSolutionsDoigte = 0;

    const std::vector<int32_t> notes = NotesRequises(t);
    // The inversion list has the root position and five inversions; a bass further up the
    // list of a seven-note chord is shown as no inversion.
    const auto place = std::find(notes.begin(), notes.end(), t.Basse);
    const auto rang = place - notes.begin();
    t.Renversement = (place != notes.end() && rang < static_cast<long>(TextesRenversement.size())) ? static_cast<int32_t>(rang) : -1;
    t.OmissionsDemandees = notes.size() > 6;

    if (notes.size() >= 2 && notes.size() <= 6) {
        TParametresDoigtes p;
        p.Notes = notes;
        p.Basse = t.Basse;
        p.Niveau = niveau;
        p.Typ = t.Typ;
        p.Accordage = accordage;
        const std::vector<TAccord> trouves = RechercherDoigtes(p);
        for (const TAccord& doigte : trouves) {
            if (NbSolutionsDoigte >= kNbSolutionsDoigteMax)
                break;
            TAccord& entree = SolutionsDoigte[++NbSolutionsDoigte];
            entree = doigte;
            entree.Nom = nom;
            entree.Diese = t.Diese;
        }
    }
    SolutionCourante = (NbSolutionsDoigte > 0 && !chargementAccord) ? 1 : 0;
}

void AppliquerRenversement(TTheorieAccord& t, int32_t position)
{
    const std::vector<int32_t> notes = NotesRequises(t);
    if (notes.empty()) {
        t.Renversement = -1;
        return;
    }
    if (position >= 0 && static_cast<std::size_t>(position) < notes.size()) {
        t.Renversement = position;
        t.Basse = notes[position];
    } else {
        t.Renversement = 0;
        t.Basse = notes[0];
    }
}

void PrendreSolution(int32_t index, bool diese)
{
    if (index < 1 || index > NbSolutionsDoigte)
        return;
    AccordTravail = SolutionsDoigte[index];
    AccordTravail.Diese = diese;
}
