#pragma once
// Chord theory behind the chord dialog: which degrees a chord of a given root, type,
// extension and alterations holds, the pitch class of each, how the dialog's controls limit
// one another, and the chord's name. Free of any widget: the dialog copies its controls into
// a TTheorieAccord, runs the routines here and copies the result back under its guards.
//
// Values are the item positions of the dialog's lists, the same numbers the chord record
// TAccord stores; the seven degree slots 1, 3, 5, 7, 9, 11, 13 are entries 1..7.
#include "document/Accord.h"
#include "document/Variable.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr int32_t kFondamentalePerso = 12; // root item of the custom chord (name and diagram only)
inline constexpr int kNbDegres = 7;               // degrees 1, 3, 5, 7, 9, 11, 13

// Chord types, positions in the type list.
enum : int32_t {
    kTypM = 0, kTyp7 = 1, kTyp7M = 2, kTyp6 = 3,
    kTypm = 4, kTypm7 = 5, kTypm7M = 6, kTypm6 = 7,
    kTypSus2 = 8, kTypSus4 = 9, kTyp7Sus2 = 10, kTyp7Sus4 = 11,
    kTypDim = 12, kTypAug = 13, kTyp5 = 14,
};
inline constexpr int kNbTypesAccord = 15;

// A type: its list text and the semitones of its third, fifth and seventh above the root
// (-1 = none). Types "6", "m6" and "dim" put their sixth in the seventh's slot.
struct TTypeAccord {
    std::string_view Texte;
    int Tierce;
    int Quinte;
    int Septieme;
};
extern const std::array<TTypeAccord, kNbTypesAccord> TypesAccord;

// Fixed item texts of the other theory lists, by position.
inline constexpr std::array<std::string_view, 4> TextesNeufOnzeTreize{"", "9", "11", "13"};
inline constexpr std::array<std::string_view, 3> TextesDimAug{"", "-", "+"};
inline constexpr std::array<std::string_view, 3> TextesQuinte{"", "/5-", "/5+"};
inline constexpr std::array<std::string_view, 3> TextesNeuf{"", "/9-", "/9+"};
inline constexpr std::array<std::string_view, 3> TextesOnze{"", "/11-", "/11+"};
inline constexpr std::array<std::string_view, 6> TextesRenversement{
    "Root", "Inversion #1", "Inversion #2", "Inversion #3", "Inversion #4", "Inversion #5"};

// Name of a pitch (a MIDI note number or a pitch class) with sharps or flats; any negative
// value (-1 = no note) gives the empty text.
std::string NomNoteAccord(int32_t hauteur, bool diese);

// Items 0..11 of the root list and of the bass list with the chosen accidentals; the root
// list's item 12 is the language's text for the custom chord.
std::array<std::string, 13> TextesFondamentale(bool diese);
std::array<std::string, 12> TextesBasse(bool diese);

// What the theory controls of the dialog hold and show.
struct TTheorieAccord {
    // Selections (list positions).
    int32_t Fondamentale = kFondamentalePerso;
    int32_t Typ = kTypM;
    int32_t NeufOnzeTreize = 0;
    int32_t DimAug = 0;
    bool Add = false;
    int32_t Quinte = 0;
    int32_t Neuf = 0;
    int32_t Onze = 0;
    int32_t Basse = -1;        // pitch class, -1 = no selection
    int32_t Renversement = -1; // -1 = the bass is no chord note, 0 = root, 1..5 = inversions
    bool Diese = true;         // the sharp button is down
    OneBased<bool, kNbDegres> Coches{}; // boxes C1..C13 ticked (= played)

    // Which controls accept input.
    struct TActifs {
        bool Typ = false, NeufOnzeTreize = false, DimAug = false, Add = false;
        bool Quinte = false, Neuf = false, Onze = false;
        bool Basse = false, Renversement = false, Niveaux = false;
    } Actifs;

    // Degrees, recomputed with every theory change.
    OneBased<int32_t, kNbDegres> NotesDegres{}; // pitch class 0..11, -1 = not in the chord
    OneBased<bool, kNbDegres> DegresPresents{}; // the degree's box accepts input
    OneBased<bool, kNbDegres> DegresCoches{};   // the tick the box gets on a recomputation
    std::string Lab3 = "3'";                    // caption over the third's box
    std::string Lab7 = "7'";                    // caption over the seventh's box
    OneBased<std::string, kNbDegres> NotesTextes; // note name under each box, empty when absent

    // More than six different notes are ticked: the fingering search asks for omissions.
    bool OmissionsDemandees = false;
};

// Applies the rules by which the controls limit one another (writing the corrected values
// back and setting Actifs), then fills the degree arrays, the captions and the note names.
// The boxes get DegresCoches as ticks, except while a stored chord is being loaded, whose own
// ticks stay. The custom root also resets the working chord AccordTravail.
// A selection outside its list counts as no choice: the custom root, else the list's item 0
// (the bass: none).
void CalculerDegresAccord(TTheorieAccord& theorie, bool chargementAccord);

// The note names under the degree boxes (AfficherNotesAccord): NotesTextes from NotesDegres.
void AfficherNotesAccord(TTheorieAccord& theorie, bool diese);

// The chord's name: root, type (never "M"), "add", extension and its alteration, the fifth,
// ninth and eleventh alterations, "/" and the bass when it is no chord note (inversion -1) or,
// with the AlwaysAddBass option, whenever it differs from the root; then, when asked and any
// is set, the omissions " (no1no3...)". The custom root writes only the bass and omissions.
// omissions holds no1, no3, no5, no7, no9, no11, no13 as entries 1..7.
std::string ConstruireNomAccord(int32_t fondamentale, int32_t typ, int32_t neufOnzeTreize, int32_t dimAug,
                                int32_t quinte, int32_t neuf, int32_t onze, bool add, int32_t renversement,
                                int32_t basse, const OneBased<bool, kNbDegres>& omissions, bool montrerOmissions,
                                bool diese);

// The dialog's own name of its controls, never with omissions.
std::string ConstruireNomAccord(const TTheorieAccord& theorie);

// A stored chord's theory into the controls (lists, Add, bass, ticks as the negation of
// Degres, sharps); enabled states and degrees are left to CalculerDegresAccord.
void ChargerTheorieAccord(TTheorieAccord& theorie, const TAccord& accord);

// The controls' theory into a chord record (root, type, extension and its alteration, Add,
// alterations, bass, sharps, Degres as the negation of the ticks); the diagram and the name
// are not touched.
void EcrireTheorieAccord(const TTheorieAccord& theorie, TAccord& accord);
