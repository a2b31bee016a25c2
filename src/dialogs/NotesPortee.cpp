#include "dialogs/NotesPortee.h"

#include "platform/Arrondi.h"

#include <algorithm>
#include <string_view>

namespace {

// How each pitch class is spelled in each key, keys -7..+7 from left to right: the step
// letter, then "#" sharp, "b" flat or "n" natural sign when the key does not give the note by
// itself, and "-" for the B of the octave below or "+" for the C of the octave above.
constexpr std::array<std::array<std::string_view, 15>, 12> kNotation{{
    {"Cn", "Cn", "C", "C", "C", "C", "C", "C", "C", "B#-", "B#-", "B#-", "B#-", "B#-", "B-"},
    {"D", "D", "D", "D", "Db", "Db", "Db", "C#", "C#", "C", "C", "C", "C", "C", "C"},
    {"Dn", "Dn", "Dn", "Dn", "D", "D", "D", "D", "D", "D", "D", "Dn", "Dn", "Dn", "Dn"},
    {"E", "E", "E", "E", "E", "E", "Eb", "D#", "D#", "D#", "D#", "D", "D", "D", "D"},
    {"En", "En", "En", "En", "En", "En", "E", "E", "E", "E", "E", "E", "E", "En", "En"},
    {"Fn", "F", "F", "F", "F", "F", "F", "F", "Fn", "Fn", "Fn", "Fn", "Fn", "E", "E"},
    {"G", "G", "G", "Gb", "Gb", "Gb", "Gb", "F#", "F", "F", "F", "F", "F", "F", "F"},
    {"Gn", "Gn", "Gn", "G", "G", "G", "G", "G", "G", "G", "Gn", "Gn", "Gn", "Gn", "Gn"},
    {"A", "A", "A", "A", "A", "Ab", "Ab", "G#", "G#", "G#", "G", "G", "G", "G", "G"},
    {"An", "An", "An", "An", "An", "A", "A", "A", "A", "A", "A", "A", "An", "An", "An"},
    {"B", "B", "B", "B", "B", "B", "B", "A#", "A#", "A#", "A#", "A#", "A", "A", "A"},
    {"C+", "C+", "Bn", "Bn", "Bn", "Bn", "Bn", "B", "B", "B", "B", "B", "B", "B", "Bn"},
}};

constexpr std::string_view kLettres = "CDEFGAB";
// Semitones of the natural steps above C.
constexpr std::array<int, 7> kDemiTons{0, 2, 4, 5, 7, 9, 11};
// Order in which a key signature alters the steps.
constexpr std::array<int, 7> kOrdreDieses{3, 0, 4, 1, 5, 2, 6}; // F C G D A E B
constexpr std::array<int, 7> kOrdreBemols{6, 2, 5, 1, 4, 0, 3}; // B E A D G C F

constexpr std::array<const char*, 15> kNomsTonalites{"Cb", "Gb", "Db", "Ab", "Eb", "Bb", "F", "C",
                                                     "G",  "D",  "A",  "E",  "B",  "F#", "C#"};

// The sign positions of the key signatures, sign by sign.
constexpr std::array<int, 7> kDiesesSol{38, 35, 39, 36, 33, 37, 34};
constexpr std::array<int, 7> kDiesesFa{24, 21, 25, 22, 19, 23, 20};
constexpr std::array<int, 7> kBemolsSol{34, 37, 33, 36, 32, 35, 31};
constexpr std::array<int, 7> kBemolsFa{20, 23, 19, 22, 18, 21, 17};

// The song reader keeps the key within range; the tables are never read outside it anyway.
int ArmureValide(int armure) { return std::clamp(armure, kArmureMin, kArmureMax); }

// Octave and pitch class whatever the sign: an odd tuning may put a pitch below 0.
int DivBas(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int ModBas(int a, int b) { return a - b * DivBas(a, b); }

TNotation LireCase(std::string_view c)
{
    TNotation n;
    n.Pas = static_cast<int>(kLettres.find(c[0]));
    for (char s : c.substr(1)) {
        switch (s) {
        case '#': n.Alteration = TAlteration::Diese; break;
        case 'b': n.Alteration = TAlteration::Bemol; break;
        case 'n': n.Alteration = TAlteration::Becarre; break;
        case '-': n.Pas = -1; break;
        case '+': n.Pas = 7; break;
        default: break;
        }
    }
    return n;
}

} // namespace

TNotation NotationHauteur(int classeHauteur, int armure)
{
    return LireCase(kNotation[static_cast<std::size_t>(ModBas(classeHauteur, 12))]
                             [static_cast<std::size_t>(ArmureValide(armure) - kArmureMin)]);
}

int AlterationArmure(int pas, int armure)
{
    armure = ArmureValide(armure);
    const int p = ModBas(pas, 7);
    for (int i = 0; i < armure; ++i)
        if (kOrdreDieses[static_cast<std::size_t>(i)] == p)
            return 1;
    for (int i = 0; i < -armure; ++i)
        if (kOrdreBemols[static_cast<std::size_t>(i)] == p)
            return -1;
    return 0;
}

const char* NomTonalite(int armure) { return kNomsTonalites[static_cast<std::size_t>(ArmureValide(armure) - kArmureMin)]; }

int PositionSigneArmure(bool dieses, bool cleSol, int i)
{
    const auto k = static_cast<std::size_t>(std::clamp(i, 1, 7) - 1);
    if (dieses)
        return cleSol ? kDiesesSol[k] : kDiesesFa[k];
    return cleSol ? kBemolsSol[k] : kBemolsFa[k];
}

int PositionHauteur(int hauteur, int armure)
{
    return 7 * DivBas(hauteur, 12) + NotationHauteur(hauteur, armure).Pas;
}

int PositionY(int y) { return static_cast<int>(platform::Round((212 - y) / 4.0)); }

int HauteurPosition(int position, int armure, TBoutonAlteration bouton)
{
    const int octave = DivBas(position, 7);
    const int pas = position - 7 * octave;
    int hauteur = 12 * octave + kDemiTons[static_cast<std::size_t>(pas)];
    switch (bouton) {
    case TBoutonAlteration::Diese: ++hauteur; break;
    case TBoutonAlteration::Bemol: --hauteur; break;
    case TBoutonAlteration::Becarre: break;
    case TBoutonAlteration::Aucun: hauteur += AlterationArmure(pas, armure); break;
    }
    return hauteur;
}

TChoixCorde ChoisirCordePourHauteur(int hauteur, int nbCordes, const OneBased<int32_t, kNbCordesMax>& accordage,
                                    const std::array<int, kNbCordesMax + 1>& frettes, int fretteMax)
{
    TChoixCorde choix;
    const int n = std::clamp(nbCordes, 0, kNbCordesMax);
    for (int s = 1; s <= n; ++s) {
        if (frettes[static_cast<std::size_t>(s)] != kPasDeNote)
            continue;
        const int64_t f = static_cast<int64_t>(hauteur) - accordage[static_cast<std::size_t>(s)];
        if (f < 0 || f > fretteMax)
            continue;
        if (choix.Corde == 0 || f < choix.Frette) {
            choix.Corde = s;
            choix.Frette = static_cast<int>(f);
        }
    }
    return choix;
}

std::vector<TNotePortee> NotesPortee(const TTemps& temps, int nbCordes, const OneBased<int32_t, kNbCordesMax>& accordage,
                                     int fretteMax, int armure)
{
    std::vector<TNotePortee> notes;
    const int n = std::clamp(nbCordes, 0, kNbCordesMax);
    for (int s = 1; s <= n; ++s) {
        const int f = temps.Notes[static_cast<std::size_t>(s)].Frette;
        if (f < 0 || f > fretteMax)
            continue;
        TNotePortee note;
        note.Hauteur = f + accordage[static_cast<std::size_t>(s)];
        note.Position = PositionHauteur(note.Hauteur, armure);
        note.Alteration = NotationHauteur(note.Hauteur, armure).Alteration;
        note.Corde = s;
        notes.push_back(note);
    }
    std::ranges::stable_sort(notes, {}, &TNotePortee::Position);

    bool precedenteDecalee = false;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const bool decalee = i > 0 && !precedenteDecalee && notes[i].Position <= notes[i - 1].Position + 1;
        notes[i].X = decalee ? kXTeteDecalee : kXTete;
        precedenteDecalee = decalee;
    }
    return notes;
}
