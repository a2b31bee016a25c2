#include "midi/uMIDIEffets.h"

#include "document/Configuration.h"
#include "document/Variable.h"
#include "midi/EtatLecture.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

using platform::Round;
using platform::Trunc;

namespace {

constexpr int32_t CentreWheel = 64;

uint8_t OctetDonnee(int64_t v) { return static_cast<uint8_t>(std::clamp<int64_t>(v, 0, 127)); }

// Scale factor of the wheel: a unit of the formulas is an eighth of a semitone in both ranges.
int32_t FacteurEchelle(bool limitBend)
{
    const int32_t echelle = limitBend ? 1 : 3;
    Configuration.EchelleBend = echelle;
    return 1 << (3 - echelle);
}

void Wheel(cMIDIPile& pile, int32_t canal, int64_t t, int64_t v)
{
    pile.Ajouter(t, canal, StatutPitchWheel, 0, OctetDonnee(v), 0);
}

const TTemps* Temps(int32_t piste, int32_t mesure, int32_t temps)
{
    if (mesure < 1 || mesure > Partition.NbMesures || mesure > kNbMesuresMax)
        return nullptr;
    const TMesure* m = Partition.Mesures[mesure].get();
    if (!m || temps < 1 || temps > std::min(m->NbTemps[piste], kNbTempsMax))
        return nullptr;
    return &m->Temps[piste][temps];
}

int32_t FretteSonore(int32_t frette) { return frette == kNoteMorte ? 0 : frette; }

} // namespace

bool TempsAvecNotes(const TTemps& temps) { return !temps.Silence && !temps.Lie; }

bool TempsSuivantPiste(int32_t piste, int32_t& mesure, int32_t& temps)
{
    ++temps;
    while (mesure >= 1 && mesure <= Partition.NbMesures && mesure <= kNbMesuresMax) {
        const TMesure* m = Partition.Mesures[mesure].get();
        if (m && temps <= std::min(m->NbTemps[piste], kNbTempsMax))
            return true;
        ++mesure;
        temps = 1;
    }
    return false;
}

void AjouterEtendueBend(cMIDIPile& pile, int32_t canal, bool limitBend)
{
    pile.Ajouter(0, canal, StatutControleur, 6, limitBend ? 2 : 8, 0);
}

void CourbeSlide(cMIDIPile& pile, int32_t canal, int64_t debut, int64_t longueur, int32_t frette,
                 int32_t fretteSuivante, bool descendant, bool limitBend)
{
    const int32_t f = FretteSonore(frette);
    int32_t n = fretteSuivante == kNoteMorte ? 0 : fretteSuivante;
    if (n == -1)
        n = std::max(0, descendant ? f - 4 : f + 4);
    const int32_t pas = std::abs(f - n) - 1;
    if (pas < 1)
        return;
    const int32_t sens = n < f ? -1 : 1;
    const int32_t k = FacteurEchelle(limitBend);
    AjouterEtendueBend(pile, canal, limitBend);
    int64_t t = debut + Round(longueur / 2.0);
    const int64_t ecart = Trunc(longueur / 2.0 / pas);
    for (int32_t i = 1; i <= pas; ++i) {
        Wheel(pile, canal, t, CentreWheel + 8 * k * sens * i);
        t += ecart;
    }
    Wheel(pile, canal, debut + longueur, CentreWheel);
}

void CourbeBend(cMIDIPile& pile, int32_t canal, int64_t debut, int64_t longueur, double valeurBend, bool retour,
                bool limitBend)
{
    const double q = valeurBend * 2;
    // An amount of 0 (or garbage) read from a file has no curve; past a few octaves the
    // wheel is at its stop anyway.
    if (!(q > 0) || !std::isfinite(q))
        return;
    const int64_t pas = std::min<int64_t>(Trunc(q * 8), 1024);
    const int64_t ecart = Trunc(longueur / (retour ? 3.0 : 2.0) / q / 8);
    const int32_t k = FacteurEchelle(limitBend);
    AjouterEtendueBend(pile, canal, limitBend);
    int64_t t = debut;
    for (int64_t i = 1; i <= pas; ++i) {
        t += ecart;
        Wheel(pile, canal, t, CentreWheel + k * i);
    }
    if (retour) {
        t += Trunc(longueur / 3.0);
        for (int64_t i = pas - 1; i >= 0; --i) {
            t += ecart;
            Wheel(pile, canal, t, CentreWheel + k * i);
        }
    }
    Wheel(pile, canal, debut + longueur, CentreWheel);
}

void CourbeVibrato(cMIDIPile& pile, int32_t canal, int64_t debut, int64_t longueur, bool tremoloBar, bool limitBend)
{
    const int32_t k = FacteurEchelle(limitBend);
    AjouterEtendueBend(pile, canal, limitBend);
    const int64_t demi = tremoloBar ? 100 : 65;
    const int32_t amplitude = tremoloBar ? 4 : 2;
    int64_t t = debut;
    while (debut + longueur >= t + 2 * demi) {
        t += demi;
        Wheel(pile, canal, t, CentreWheel + k * amplitude);
        t += demi;
        Wheel(pile, canal, t, tremoloBar ? CentreWheel - k * amplitude : CentreWheel);
    }
    if (tremoloBar)
        Wheel(pile, canal, debut + longueur, CentreWheel);
}

void CourbeCoupDeVibrato(cMIDIPile& pile, int32_t canal, int64_t debut, int64_t longueur, double valeurCoupVib,
                         bool limitBend)
{
    if (!std::isfinite(valeurCoupVib))
        valeurCoupVib = 1.0;
    const int32_t k = FacteurEchelle(limitBend);
    AjouterEtendueBend(pile, canal, limitBend);
    const int64_t ecart = Trunc(longueur / 16.0);
    const double d = valeurCoupVib * 2;
    int64_t t = debut;
    for (int i = 1; i <= 4; ++i) {
        t += ecart;
        Wheel(pile, canal, t, Round(CentreWheel - k * Round(i * d)));
    }
    t += 2 * ecart;
    for (int i = 1; i <= 8; ++i) {
        t += ecart;
        Wheel(pile, canal, t, Round(CentreWheel - k * (Round(4 * d) - Round(i * d / 2))));
    }
    Wheel(pile, canal, debut + longueur, CentreWheel);
}

void CourbeFadeIn(cMIDIPile& pile, int32_t canal, int64_t debut, int64_t longueur)
{
    const int64_t ecart = Trunc(longueur / 20.0);
    const int64_t volume = std::clamp(pile.Volume, 0, 127);
    int64_t t = debut;
    for (int i = 1; i <= 15; ++i) {
        pile.Ajouter(t, canal, StatutControleur, 7, OctetDonnee(Round(volume * i / 15.0)), 0);
        t += ecart;
    }
}

void GenererEffetNote(uint8_t code, cMIDIPile& pile, int32_t canal, int64_t debut, int64_t longueur,
                      int32_t piste, int32_t mesure, int32_t temps, int32_t corde)
{
    const TTemps* tp = Temps(piste, mesure, temps);
    if (!tp)
        return;
    const bool limite = Configuration.LimitBend;
    const int32_t c = std::clamp(corde, 1, kNbCordesMax);
    switch (code) {
    case EffetSlideMontant:
    case EffetSlideDescendant:
        CourbeSlide(pile, canal, debut, longueur, tp->Notes[c].Frette,
                    FretteSuivanteSurCorde(piste, mesure, temps, c), code == EffetSlideDescendant, limite);
        break;
    case EffetBend:
    case EffetBendRelease:
        CourbeBend(pile, canal, debut, longueur, tp->Notes[c].ValeurBend, code == EffetBendRelease, limite);
        break;
    case EffetVibrato:
    case EffetTremoloBar:
        CourbeVibrato(pile, canal, debut, longueur, code == EffetTremoloBar, limite);
        break;
    case EffetCoupDeVibrato:
        CourbeCoupDeVibrato(pile, canal, debut, longueur, tp->ValeurCoupVib, limite);
        break;
    case EffetFadeIn:
        CourbeFadeIn(pile, canal, debut, longueur);
        break;
    default:
        break;
    }
}

namespace {

// One value of a mix-table change: at once, or in four steps per quarter of its transition.
template <class Ecrire>
void Rampe(int32_t cible, int32_t transition, int32_t& dernier, int64_t debut, Ecrire ecrire)
{
    const int32_t q = std::max(0, transition);
    if (q == 0) {
        ecrire(debut, cible);
    } else {
        const double pente = static_cast<double>(cible - dernier) / (4 * q);
        for (int32_t i = 1; i <= 4 * q; ++i)
            ecrire(debut + 120 * static_cast<int64_t>(i), static_cast<int32_t>(Round(dernier + i * pente)));
    }
    dernier = cible;
}

} // namespace

void GenererTableMix(const cTableMixEvent& table, cMIDIPile& pile, int32_t canal1, int32_t canal2, int64_t debut)
{
    auto surLesCanaux = [&](int64_t t, uint8_t statut, uint8_t d1, uint8_t d2) {
        pile.Ajouter(t, canal1, statut, d1, d2, 0);
        if (canal2 != canal1)
            pile.Ajouter(t, canal2, statut, d1, d2, 0);
    };
    if (table.Instrument >= 0)
        surLesCanaux(debut, StatutProgramme, OctetDonnee(table.Instrument), 0);

    struct Controle {
        int8_t valeur;
        int8_t transition;
        int32_t& dernier;
        uint8_t numero;
    };
    const Controle controles[] = {
        {table.Volume, table.TransVolume, pile.Volume, 7},
        {table.Pan, table.TransPan, pile.Pan, 10},
        {table.Chorus, table.TransChorus, pile.Chorus, 93},
        {table.Reverb, table.TransReverb, pile.Reverb, 91},
    };
    for (const Controle& c : controles) {
        if (c.valeur < 0)
            continue;
        Rampe(c.valeur, c.transition, c.dernier, debut, [&](int64_t t, int32_t v) {
            surLesCanaux(t, StatutControleur, c.numero, OctetDonnee(v));
        });
    }

    if (table.Tempo >= 0 && EtatLecture.Mode != ModeLectureSpeedTrainer) {
        // A tempo of 0 read from a file would stop the clock: the slowest tempo stands for it.
        pile.Tempo = std::max(pile.Tempo, 1);
        Rampe(std::max(table.Tempo, 1), table.TransTempo, pile.Tempo, debut, [&](int64_t t, int32_t bpm) {
            pile.Ajouter(t, CanalMeta, StatutMeta, MetaTempo, 3, std::max(bpm, 1));
            PileTempo.Ajouter(t, CanalMeta, StatutMeta, MetaTempo, 3, std::max(bpm, 1));
        });
    }
}

int32_t FretteSuivanteSurCorde(int32_t piste, int32_t mesure, int32_t temps, int32_t corde)
{
    int32_t m = mesure, b = temps;
    while (TempsSuivantPiste(piste, m, b)) {
        const TTemps& tp = Partition.Mesures[m]->Temps[piste][b];
        if (tp.Lie)
            continue;
        return tp.Silence ? -1 : tp.Notes[corde].Frette;
    }
    return -1;
}

int64_t DureeResonance(int32_t piste, int32_t mesure, int32_t temps, int32_t corde)
{
    const TTemps* depart = Temps(piste, mesure, temps);
    if (!depart)
        return 0;
    int64_t duree = std::max(0, depart->Duree);
    int32_t m = mesure, b = temps;
    while (TempsSuivantPiste(piste, m, b)) {
        const TMesure& ms = *Partition.Mesures[m];
        const TTemps& tp = ms.Temps[piste][b];
        if (TempsAvecNotes(tp) && tp.Notes[corde].Frette >= 0)
            break;
        duree += std::max(0, tp.Duree);
        if (duree > ms.Duree * kTicksNoire)
            break;
    }
    return duree;
}
