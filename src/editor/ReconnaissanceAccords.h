#pragma once
// Names for a drawn fingering. Every sounding note is tried as the root, once with the lowest
// note as part of the chord and once with it as a separate bass; each reading the chord
// dialog's theory can describe becomes a proposal, named by the theory's name builder and
// listed simplest first.
#include "document/Accord.h"
#include "document/Variable.h"
#include "editor/TheorieAccords.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kNbNomsProposesMax = 20;

// One reading of a fingering.
struct TNomPropose {
    std::string Nom;            // at most 40 characters
    int32_t Basse = 0;          // pitch class
    int32_t Fondamentale = 0;   // pitch class
    int32_t Typ = kTypM;
    int32_t NeufOnzeTreize = 0;
    int32_t DimAug = 0;
    int32_t Quinte = 0;
    int32_t Neuf = 0;
    int32_t Onze = 0;
    bool Add = false;
    OneBased<bool, kNbDegres> DegresAbsents{}; // the degree does not sound (as TAccord.Degres)
    OneBased<bool, kNbDegres> Omissions{};     // written into the name: no1 .. no13
    int32_t Complexite = 0;
};

// Proposals of the last analysis, entries 1..NbNomsProposes in the order of the list.
extern OneBased<TNomPropose, kNbNomsProposesMax> NomsProposes;
extern int32_t NbNomsProposes;

// Pitches of strings 1..6 of a chord's diagram: open-string pitch plus fret, -1 for a string
// that is not played.
OneBased<int32_t, kNbCordesMax> HauteursAccord(const TAccord& accord, const OneBased<int32_t, kNbCordesMax>& accordage);

// How hard a name reads: the type's length ("M" none, "dim" and "aug" one), 2 for an
// extension, 1 for its alteration, 3 per fifth, ninth or eleventh alteration, 2 for "add",
// 4 per omission.
int32_t ComplexiteNom(const TNomPropose& propose);

// The proposals for six pitches (strings 1..6, negative = silent), at most 12, sorted by
// complexity, then by the length of the name, then in the order found. Names use sharps or
// flats as asked.
std::vector<TNomPropose> ProposerNoms(const OneBased<int32_t, kNbCordesMax>& hauteurs, bool diese);

// The dialog's analysis: NomsProposes and NbNomsProposes from ProposerNoms.
void NommerDoigte(const OneBased<int32_t, kNbCordesMax>& hauteurs, bool diese);

// A chosen proposal's theory into a chord record: root, type, extension and its alteration,
// Add, the three alterations, the bass and the absent degrees; the diagram and name stay.
void ChoisirNomPropose(const TNomPropose& propose, TAccord& accord);
