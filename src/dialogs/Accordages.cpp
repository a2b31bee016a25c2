#include "dialogs/Accordages.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

std::array<TModeleAccordage, kNbModelesAccordageMax> ModelesAccordage;
int32_t NbModelesAccordage = 0;

namespace {

struct LigneModele {
    std::string_view Nom;
    std::initializer_list<int32_t> Cordes; // strings 1..n, string 1 first
};

// Names exactly as the lists show them: rows 16 and 18 carry two blanks before the colon,
// rows 11 and 12 share their text and differ in tuning.
const LigneModele kTableModeles[kNbModelesAccordageMax] = {
    {"Guitar Standard : EADGBE", {64, 59, 55, 50, 45, 40}},
    {"Guitar Dropped D : DADGBE", {64, 59, 55, 50, 45, 38}},
    {"Guitar Open A : EAEAC#E", {64, 61, 57, 52, 45, 40}},
    {"Guitar Open C : CGCGCE", {64, 60, 55, 48, 43, 36}},
    {"Guitar Open Cmin : CGCGCEb", {63, 60, 55, 48, 43, 36}},
    {"Guitar Open D : DADF#AD", {62, 57, 54, 50, 45, 38}},
    {"Guitar Open Dmin : DADFAD", {62, 57, 53, 50, 45, 38}},
    {"Guitar Open Dsus4 : DADGAD", {62, 57, 55, 50, 45, 38}},
    {"Guitar Open E : EBEG#BE", {64, 59, 56, 52, 47, 40}},
    {"Guitar Open Emin : EBEGBE", {64, 59, 55, 52, 47, 40}},
    {"Guitar Open Esus11 : EAEGBE", {64, 59, 55, 52, 45, 40}},
    {"Guitar Open F : CFCFAC", {60, 57, 53, 48, 41, 36}},
    {"Guitar Open F : FACFCF", {65, 60, 53, 48, 45, 41}},
    {"Guitar Open G : DGDGBD", {62, 59, 55, 50, 43, 38}},
    {"Guitar Open G : GBDGBD", {62, 59, 55, 50, 47, 43}},
    {"Guitar Alternative : EGDEAE", {64, 57, 52, 50, 43, 40}},
    {"Guitar Alternative  : CGDGBE", {64, 59, 55, 50, 43, 36}},
    {"Guitar Alternative : CGDAEG", {67, 64, 57, 50, 43, 36}},
    {"Guitar Nashville  : EADGBE", {64, 59, 67, 62, 57, 52}},
    {"Guitar Eb : EbAbDbGbBbEb", {63, 58, 54, 49, 44, 39}},
    {"Bass Standard : EADG", {43, 38, 33, 28}},
    {"Bass Dropped D : DADG", {43, 38, 33, 26}},
    {"Bass Eb : EbAbDbGb", {42, 37, 32, 27}},
    {"Bass 5 strings : BEADG", {43, 38, 33, 28, 23}},
    {"Bass 6 strings : BEADGC", {48, 43, 38, 33, 28, 23}},
    {"Banjo Open G : GDGBD", {62, 59, 55, 50, 67}},
    {"Banjo Dropped C : GCGBD", {62, 59, 55, 48, 67}},
    {"Banjo Open D : ADF#AD", {62, 57, 54, 50, 69}},
    {"Banjo G minor : GDGBbD", {62, 58, 55, 50, 67}},
    {"Banjo G Modal : GDGAD", {62, 57, 55, 50, 67}},
    {"Mandolin Standard : GDAE", {76, 69, 62, 55}},
};

// Slot of string s on an n-string track or preset.
constexpr int Emplacement(int corde, int nbCordes) { return corde + kNbCordesMax - nbCordes; }

bool PisteValide(int32_t piste) { return piste >= 1 && piste <= kNbPistes; }

} // namespace

void InitModelesAccordage()
{
    NbModelesAccordage = 0;
    for (const LigneModele& ligne : kTableModeles) {
        TModeleAccordage& m = ModelesAccordage[NbModelesAccordage];
        m = {};
        m.Nom = std::string(ligne.Nom);
        m.NbCordes = static_cast<int32_t>(ligne.Cordes.size());
        int corde = 1;
        for (const int32_t note : ligne.Cordes)
            m.Notes[Emplacement(corde++, m.NbCordes)] = note;
        ++NbModelesAccordage;
    }
}

int32_t ChercherModeleAccordage(int32_t nbCordes, const OneBased<int32_t, kNbCordesMax>& accordage)
{
    if (nbCordes < 4 || nbCordes > kNbCordesMax)
        return -1;
    const int32_t nb = std::clamp<int32_t>(NbModelesAccordage, 0, kNbModelesAccordageMax);
    for (int32_t i = 0; i < nb; ++i) {
        const TModeleAccordage& m = ModelesAccordage[i];
        if (m.NbCordes != nbCordes)
            continue;
        bool egal = true;
        for (int s = 1; s <= nbCordes && egal; ++s)
            egal = m.Notes[Emplacement(s, nbCordes)] == accordage[s];
        if (egal)
            return i;
    }
    return -1;
}

int32_t ChercherModeleAccordage(int32_t piste)
{
    if (!PisteValide(piste))
        return -1;
    return ChercherModeleAccordage(ProprietesTempo.NbCordes[piste], ProprietesTempo.Accordage[piste]);
}

bool AppliquerModeleAccordage(int32_t index, int32_t piste)
{
    if (!PisteValide(piste) || index < 0 || index >= std::min<int32_t>(NbModelesAccordage, kNbModelesAccordageMax))
        return false;
    const TModeleAccordage& m = ModelesAccordage[index];
    const int32_t n = std::clamp<int32_t>(m.NbCordes, 1, kNbCordesMax);
    ProprietesTempo.NbCordes[piste] = n;
    for (int s = 1; s <= n; ++s)
        ProprietesTempo.Accordage[piste][s] = m.Notes[Emplacement(s, n)];
    return true;
}

void AccordageParDefaut(int32_t piste)
{
    if (!PisteValide(piste))
        return;
    static constexpr int32_t kSix[] = {64, 59, 55, 50, 45, 40};
    static constexpr int32_t kBasse[] = {43, 38, 33, 28, 23};
    const int32_t n = ProprietesTempo.NbCordes[piste];
    if (n < 4 || n > kNbCordesMax)
        return;
    const int32_t* notes = n == 6 ? kSix : kBasse;
    for (int s = 1; s <= n; ++s)
        ProprietesTempo.Accordage[piste][s] = notes[s - 1];
}

std::string NomNoteOctave(int32_t note)
{
    static constexpr std::string_view kNoms[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    // Floored division: a note below 0 (never one of a real tuning) still names a pitch class.
    int32_t octave = note / 12;
    int32_t classe = note % 12;
    if (classe < 0) {
        classe += 12;
        --octave;
    }
    return std::string(kNoms[classe]) + std::to_string(octave);
}
