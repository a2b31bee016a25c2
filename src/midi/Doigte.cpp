#include "midi/Doigte.h"

#include "document/Fenetre.h"
#include "document/Langue.h"
#include "midi/ConstructionTemps.h"
#include "midi/EvtImport.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

TPoidsDoigte PoidsDoigte;
double MeilleurCout = 0.0;
bool PremierEssai = true;
bool DebutSerie = false;

namespace {

int32_t PisteDoigte() { return std::clamp(PisteCourante, 1, kNbPistes); }
int32_t NbCordesPiste(int32_t t) { return std::clamp(Partition.NbCordes[t], 1, kNbCordesMax); }
bool Jouable(int32_t t, int32_t frette) { return frette >= 0 && frette <= FretteMax[t]; }

TTemps& Temps(int32_t m, int32_t b) { return Partition.Mesures[m]->Temps[PisteDoigte()][b]; }

int32_t NbHauteurs(const TTemps& tp) { return std::min<int32_t>(tp.NbHauteursImport, kNbCordesMax); }

// The look-back and the look-ahead pass over rests: the beats marked as rests, and the beats
// that are rests already (outside the range an assistant fingers, the marks are those of some
// earlier pass, or none).
bool PasseSilence(const TTemps& tp)
{
    return (tp.NbHauteursImport >= 1 && tp.HauteursImport[1] == HauteurSilence) || tp.Silence;
}

int32_t NbTempsMesure(int32_t t, int32_t m) { return std::clamp(Partition.Mesures[m]->NbTemps[t], 0, kNbTempsMax); }

// What the cost of every assignment of one beat shares: the frets of the up to three beats
// before it and, at the start of a pass, the position the next beat needs.
struct ContexteDoigte {
    int32_t Piste = 1;
    int32_t NbCordes = 6;
    bool AvecCible = false;
    int32_t Cible = 0;
    int32_t NbPrecedents = 0;
    std::array<std::vector<int32_t>, 3> FrettesPrecedentes;
};

ContexteDoigte PreparerContexte(int32_t mesure, int32_t temps)
{
    ContexteDoigte c;
    c.Piste = PisteDoigte();
    c.NbCordes = NbCordesPiste(c.Piste);
    const int32_t t = c.Piste;

    if (DebutSerie) {
        c.AvecCible = true;
        int32_t m = mesure, b = temps;
        for (;;) {
            ++b;
            while (m <= Partition.NbMesures && b > NbTempsMesure(t, m)) {
                ++m;
                b = 1;
            }
            if (m > Partition.NbMesures)
                break;
            const TTemps& suivant = Partition.Mesures[m]->Temps[t][b];
            if (PasseSilence(suivant))
                continue;
            for (int32_t i = 1; i <= NbHauteurs(suivant); ++i) {
                int32_t basse = -1;
                for (int32_t s = 1; s <= c.NbCordes; ++s) {
                    const int32_t f = suivant.HauteursImport[i] - Partition.Accordage[t][s];
                    if (Jouable(t, f) && (basse < 0 || f < basse))
                        basse = f;
                }
                c.Cible = std::max(c.Cible, basse);
            }
            break;
        }
    }

    int32_t m = mesure, b = temps;
    while (c.NbPrecedents < 3) {
        --b;
        while (m >= 1 && b < 1) {
            --m;
            if (m >= 1)
                b = NbTempsMesure(t, m);
        }
        if (m < 1)
            break;
        const TTemps& prec = Partition.Mesures[m]->Temps[t][b];
        if (PasseSilence(prec))
            continue;
        std::vector<int32_t>& frettes = c.FrettesPrecedentes[static_cast<std::size_t>(c.NbPrecedents++)];
        // A tied beat has no frets of its own (whatever its slots still hold).
        if (prec.Lie)
            continue;
        for (int32_t s = 1; s <= c.NbCordes; ++s) {
            const int32_t g = prec.Notes[s].Frette;
            if (g != kPasDeNote && g != kNoteMorte)
                frettes.push_back(g);
        }
    }
    return c;
}

double Cout(const ContexteDoigte& c, const TTemps& tp, const TCordesDoigte& cordes, int32_t n)
{
    // Weights are read at every evaluation: the dialog may have changed them.
    const TPoidsDoigte p = PoidsDoigte;
    const int32_t t = c.Piste;
    std::array<int32_t, kNbCordesMax + 1> f{};
    for (int32_t i = 1; i <= n; ++i)
        f[i] = tp.HauteursImport[i] - Partition.Accordage[t][cordes[i]];

    double cout = 0.0;
    if (c.AvecCible) {
        double somme = 0.0;
        int32_t nb = 0;
        for (int32_t i = 1; i <= n; ++i)
            if (Jouable(t, f[i])) {
                somme += std::abs(f[i] - c.Cible);
                ++nb;
            }
        if (nb > 0)
            cout = p.PoidsNoteSuivante * somme / nb;
    }

    int32_t minF = 5000, maxF = -5000;
    for (int32_t i = 1; i <= n; ++i) {
        if (f[i] > 0)
            minF = std::min(minF, f[i]);
        if (f[i] <= FretteMax[t])
            maxF = std::max(maxF, f[i]);
    }
    if (minF > maxF) {
        minF = 0;
        maxF = 0;
    } else if (maxF > minF) {
        const double d = maxF - minF;
        cout += std::pow(d, d * p.PoidsAccord);
    }
    cout += (minF + maxF) / 2.0 * p.PoidsHautManche;

    for (int32_t i = 1; i <= n; ++i)
        if (f[i] > 0 && f[i] <= FretteMax[t] && f[i] > Partition.NbFrettes[t])
            cout += (f[i] - Partition.NbFrettes[t]) * p.PoidsDepassementFrette;

    const std::array<double, 3> poids{p.PoidsAc1, p.PoidsAc2, p.PoidsAc3};
    double somme = 0.0;
    int32_t nb = 0;
    for (int32_t d = 0; d < c.NbPrecedents; ++d)
        for (int32_t i = 1; i <= n; ++i) {
            if (!Jouable(t, f[i]))
                continue;
            for (int32_t g : c.FrettesPrecedentes[static_cast<std::size_t>(d)]) {
                if (f[i] != 0 && g != 0) {
                    somme += std::abs(f[i] - g) * poids[static_cast<std::size_t>(d)];
                    nb += 2;
                } else if (f[i] == 0) {
                    somme += g * p.PoidsCordeAVide;
                    nb += 1;
                } else {
                    somme += f[i] * p.PoidsCordeAVide;
                    nb += 1;
                }
            }
        }
    if (nb > 0)
        cout += somme / nb;
    return cout;
}

int32_t Compter(int32_t t, const TTemps& tp, const TCordesDoigte& cordes, int32_t n)
{
    int32_t nb = 0;
    for (int32_t i = 1; i <= n; ++i)
        if (Jouable(t, tp.HauteursImport[i] - Partition.Accordage[t][cordes[i]]))
            ++nb;
    return nb;
}

void Essayer(const ContexteDoigte& c, TTemps& tp, const TCordesDoigte& cordes, int32_t n)
{
    const double cout = Cout(c, tp, cordes, n);
    if (!(cout < MeilleurCout) && !PremierEssai)
        return;
    PremierEssai = false;
    MeilleurCout = cout;
    const int32_t t = c.Piste;
    for (int32_t s = 1; s <= c.NbCordes; ++s)
        tp.Notes[s].Frette = kPasDeNote;
    for (int32_t i = 1; i <= n; ++i) {
        const int32_t f = tp.HauteursImport[i] - Partition.Accordage[t][cordes[i]];
        if (Jouable(t, f))
            tp.Notes[cordes[i]].Frette = static_cast<int8_t>(f);
    }
}

// Every assignment of pitches 1..n to distinct strings, the first pitch's string outermost.
template <class F>
void Enumerer(int32_t nbCordes, int32_t n, F&& visiter)
{
    TCordesDoigte cordes{};
    std::array<bool, kNbCordesMax + 1> prise{};
    auto niveau = [&](auto&& self, int32_t i) -> void {
        if (i > n) {
            visiter(cordes);
            return;
        }
        for (int32_t s = 1; s <= nbCordes; ++s) {
            if (prise[s])
                continue;
            prise[s] = true;
            cordes[i] = s;
            self(self, i + 1);
            prise[s] = false;
        }
    };
    niveau(niveau, 1);
}

void Progression(int position) { FenetrePrincipale().ProgressionAttenteMidi(position); }

} // namespace

int32_t CompterNotesJouables(int32_t mesure, int32_t temps, const TCordesDoigte& cordes, int32_t n)
{
    return Compter(PisteDoigte(), Temps(mesure, temps), cordes, std::clamp(n, 0, kNbCordesMax));
}

double CoutDoigte(int32_t mesure, int32_t temps, const TCordesDoigte& cordes, int32_t n)
{
    return Cout(PreparerContexte(mesure, temps), Temps(mesure, temps), cordes, std::clamp(n, 0, kNbCordesMax));
}

void EssayerDoigte(int32_t mesure, int32_t temps, const TCordesDoigte& cordes, int32_t n)
{
    Essayer(PreparerContexte(mesure, temps), Temps(mesure, temps), cordes, std::clamp(n, 0, kNbCordesMax));
}

namespace {

// The search of DoigterTemps; returns the number of pitches the chosen assignment plays and
// the number of pitches searched.
int32_t ChoisirDoigte(int32_t mesure, int32_t temps, int32_t& n)
{
    const ContexteDoigte c = PreparerContexte(mesure, temps);
    TTemps& tp = Temps(mesure, temps);
    // A beat without pitches searches its first slot, as one pitch; the builder never gives a
    // beat more pitches than the track has strings.
    n = std::clamp<int32_t>(tp.NbHauteursImport, 1, c.NbCordes);

    PremierEssai = true;
    int32_t meilleur = 0;
    Enumerer(c.NbCordes, n, [&](const TCordesDoigte& cordes) { meilleur = std::max(meilleur, Compter(c.Piste, tp, cordes, n)); });
    Enumerer(c.NbCordes, n, [&](const TCordesDoigte& cordes) {
        if (Compter(c.Piste, tp, cordes, n) == meilleur)
            Essayer(c, tp, cordes, n);
    });
    return meilleur;
}

// Fingers a marked beat of measure m: the marks -1 and -2 make it a rest or tied; otherwise it
// gets the frets of the chosen assignment, or becomes a rest when none of its pitches is
// playable. What it left out is counted: the pitches no string reaches (below MIDI note 0
// included), and those whose strings the others took.
void DoigterTempsMarque(int32_t m, int32_t b, TNotesNonDoigtees& omises)
{
    const int32_t t = PisteDoigte();
    TTemps& tp = Partition.Mesures[m]->Temps[t][b];
    if (tp.HauteursImport[1] == HauteurSilence) {
        tp.Silence = true;
        return;
    }
    if (tp.HauteursImport[1] == HauteurLiaison) {
        tp.Lie = true;
        return;
    }
    int32_t n = 0;
    const int32_t jouees = ChoisirDoigte(m, b, n);
    if (jouees > 0)
        DebutSerie = false;
    else
        tp.Silence = true;

    const int32_t nbCordes = NbCordesPiste(t);
    int32_t notes = 0, horsTessiture = 0;
    for (int32_t i = 1; i <= n; ++i) {
        const int32_t h = tp.HauteursImport[i];
        if (h < 0 && h != HauteurHorsTessiture)
            continue;
        ++notes;
        bool atteinte = false;
        for (int32_t s = 1; s <= nbCordes && !atteinte; ++s)
            atteinte = Jouable(t, h - Partition.Accordage[t][s]);
        if (!atteinte)
            ++horsTessiture;
    }
    omises.HorsTessiture.Ajouter(horsTessiture, m);
    omises.Simultanees.Ajouter(notes - jouees - horsTessiture, m);
}

} // namespace

bool DoigterTemps(int32_t mesure, int32_t temps)
{
    int32_t n = 0;
    return ChoisirDoigte(mesure, temps, n) > 0;
}

TNotesNonDoigtees DoigterPiste()
{
    TNotesNonDoigtees omises;
    if (!EvtImportContientNotes())
        return omises;
    const int32_t t = PisteDoigte();
    DebutSerie = true;
    for (int32_t m = 1; m <= Partition.NbMesures; ++m) {
        for (int32_t b = 1; b <= std::min(NbTempsMesure(t, m), kNbTempsMax - 1); ++b)
            DoigterTempsMarque(m, b, omises);
        Progression(static_cast<int>(platform::Round(static_cast<double>(m) / Partition.NbMesures * 28.0)));
    }
    return omises;
}

TNotesNonDoigtees OptimiserPlacementDoigts(int32_t premiere, int32_t derniere)
{
    TNotesNonDoigtees omises;
    IFenetrePrincipale& f = FenetrePrincipale();
    Progression(0);
    f.TexteAttenteMidi(Traduire("MidiImp-OptimisationPlacementDoigts").c_str());
    f.MontrerAttenteMidi(true);
    f.TraiterMessagesEnAttente();
    DebutSerie = premiere == 1;
    premiere = std::max(premiere, 1);
    derniere = std::min(derniere, Partition.NbMesures);
    const int32_t t = PisteDoigte();
    for (int32_t m = premiere; m <= derniere; ++m) {
        for (int32_t b = 1; b <= std::min(NbTempsMesure(t, m), kNbTempsMax - 1); ++b) {
            // Marks count only on a beat that holds some: a count of 0 leaves the slots of an
            // earlier pass behind.
            if (Partition.Mesures[m]->Temps[t][b].NbHauteursImport != 0)
                DoigterTempsMarque(m, b, omises);
        }
        Progression(static_cast<int>(platform::Round(static_cast<double>(m - premiere + 1) / (derniere - premiere + 1) * 28.0)));
    }
    f.MontrerAttenteMidi(false);
    f.TraiterMessagesEnAttente();
    return omises;
}
