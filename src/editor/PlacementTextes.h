#pragma once
// Texts placed among the ink around them: the beat texts of a line, over and beside its chord
// diagrams, and the amounts of a beat's bends beside its marks (PlacementMarques.h).
//
// A beat text stays beside its beat. Where the layout writes it (half a letter before its
// beat) it keeps its place when nothing stands there; it may move right past what it meets as
// long as it still starts less than half-way to where the next beat's text would start, or
// just past its own diagram (on screen the texts stand beside the diagrams), and ends before
// its measure's closing bar line: further right it would be read as the next beat's. A text
// too long for the rest of its measure starts earlier, to end at that bar line, but not before
// the measure's opening one. A text with no room there goes up over what it met at its place,
// over its own beat, with or without diagrams under it; it goes up only as far as it must:
// over the lowest of what it met first, and from there on up the same way. Any two texts keep
// the width of a space between their inks, whether they moved or not, so that two texts never
// read as one word ("Versea tempo").
//
// A text longer than its whole measure cannot end before its bar line: it starts right after
// the measure's opening bar line (so that it runs as little as may be over the next measure),
// and goes up until nothing stands in its way, never moving sideways. Where a text cannot go
// up (the edit zone has no room over its row), it stays in its row and moves right past what
// it meets, wherever that takes it: far from its beat, it is still read whole and in the order
// of the beats. The score view (in pixels), the edit zone and print (in printer pixels) place
// their beat texts alike.
#include <limits>
#include <optional>
#include <span>
#include <vector>

// An area of ink; right and bottom excluded.
struct TZoneEncre {
    double Gauche = 0, Haut = 0, Droite = 0, Bas = 0;
    bool Croise(const TZoneEncre& z) const
    {
        return Gauche < z.Droite && z.Gauche < Droite && Haut < z.Bas && z.Haut < Bas;
    }
};

// ---- Beat texts ----------------------------------------------------------------------------

// A beat text: the ink of its glyphs where the layout writes it, and the room around its beat.
struct TTexteTemps {
    TZoneEncre Zone;
    double DebutMesure = 0;  // no text starts before this: its measure's opening bar line
    double FinMesure = 0;    // no text ends past this: its closing bar line
    double TempsSuivant = 0; // where the next beat's text would start (FinMesure on the last beat)
    std::optional<double> FinDiagramme; // the right of its own diagram, when its beat shows one
};

struct TReglesTextesTemps {
    double EcartDiagramme = 0; // from a diagram (or other ink the line draws) to a text
    double Espace = 0;         // between the inks of two texts: a space of their font
    double EcartRangees = 0;   // under a text that goes up, over what it goes up over
    double DroiteMax = 0;      // the line's room: a text longer than its measure ends before this
    double HautMin = -std::numeric_limits<double>::max(); // no text goes up to start above this
};

struct TPlaceTexteTemps {
    double Gauche = 0, Haut = 0; // where its ink starts
    bool EnPlace = true;         // where the layout put it
};

// The place of each text, in the order of `textes` (the line's texts in the order of their
// beats); `obstacles` are the ink the line draws where texts may go: its chord diagrams, each
// with its name and base fret, its ending brackets, and its beats' marks and bend amounts where
// they are placed (PlacementMarques.h).
std::vector<TPlaceTexteTemps> PlacerTextesTemps(std::span<const TZoneEncre> obstacles,
                                                std::span<const TTexteTemps> textes, const TReglesTextesTemps& regles);

// ---- A row of texts ------------------------------------------------------------------------
// The texts of a row, from left to right: each keeps its place when it covers nothing;
// otherwise it moves right, just past every area and every text before it that it covers,
// unless it would then end past the row's room, where it keeps its place.

struct TReglesPlacementTextes {
    double EcartDiagramme = 0; // from an area to the text moved past it
    double EcartTexte = 0;     // from a text to the text moved past it
    double DroiteMax = 0;      // no text moves to end past this
};

struct TPlaceTexte {
    double Gauche = 0;   // the text's left edge
    bool EnPlace = true; // where it was given
};

std::vector<TPlaceTexte> PlacerTextesRangee(std::span<const TZoneEncre> zones, std::span<const TZoneEncre> textes,
                                            const TReglesPlacementTextes& regles);
