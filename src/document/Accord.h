#pragma once
// The chord record hung off a beat and kept in the chord lists, the library and the song file,
// with the reset of the working chord and the barre detection every diagram relies on.
#include "document/TexteCourt.h"

#include <array>
#include <cstdint>

struct TAccord {
    bool Diese = true;           // names with sharps (false: flats)
    int32_t Fondamentale = 12;   // 0 = C .. 11 = B; 12 = "User": only name and diagram count
    int32_t Typ = 0;             // 0..14: M, 7, 7M, 6, m, m7, m7M, m6, sus2, sus4, 7sus2, 7sus4, dim, aug, 5
    int32_t NeufOnzeTreize = 0;  // extension: none, 9, 11, 13
    int32_t Basse = 0;           // bass note 0..11; -1 = none
    int32_t DimAug = 0;          // alteration of the extension: none, -, +
    bool Add = false;
    TexteCourt<20> Nom;
    int32_t Quinte = 0;          // none, /5-, /5+
    int32_t Neuf = 0;            // none, /9-, /9+
    int32_t Onze = 0;            // none, /11-, /11+
    int32_t FretteBase = 1;      // first fret shown by the diagram
    // Strings 1..6 (1 = highest), index 0 unused: -1 not played, 0 open, else the absolute fret.
    std::array<int32_t, 7> Frettes{0, -1, -1, -1, -1, -1, -1};
    int32_t NbBarres = 0;
    // Barres 1..NbBarres, index 0 unused.
    std::array<int32_t, 3> BarreFrette{};
    std::array<int32_t, 3> BarreCordeDebut{};
    std::array<int32_t, 3> BarreCordeFin{};
    // Degrees 1, 3, 5, 7, 9, 11, 13 as entries 1..7, index 0 unused.
    std::array<bool, 8> Degres{false, true, true, true, true, true, true, true};

    // A chord has a diagram when at least one string is played or open.
    bool AvecDiagramme() const
    {
        for (int s = 1; s <= 6; ++s)
            if (Frettes[s] != -1)
                return true;
        return false;
    }

    friend bool operator==(const TAccord&, const TAccord&) = default;
};

// The working chord of the chord dialog and of the song reader's chord decoding.
extern TAccord AccordTravail;

// Back to the defaults; the barre arrays are left as they are (only NbBarres is cleared).
void ReinitialiserAccordTravail();

// Barres of a fingering: frets of strings 1..6 (entries 1..6, -1 = not played) and the
// diagram's base fret. Only NbBarres and the first NbBarres entries of the three barre arrays
// of the result mean anything; the rest of the result is the default chord.
TAccord ChercherBarres(const std::array<int32_t, 7>& frettes, int32_t fretteBase);
