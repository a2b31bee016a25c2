// Beat texts placed against the chord diagrams and the texts before them, one row of a line.
#include "editor/PlacementTextes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An area on the text row (y 0..10) from gauche, largeur wide.
TZoneEncre Sur(double gauche, double largeur) { return {gauche, 0, gauche + largeur, 10}; }

const TReglesPlacementTextes kRegles{2, 3, 400};

} // namespace

TEST(PlacementTextes, ATextMovesPastWhatItCoversAndOnlyThen)
{
    struct Cas {
        std::string nom;
        std::vector<TZoneEncre> diagrammes;
        std::vector<TZoneEncre> textes;
        std::vector<double> attendu;
    };
    const std::vector<Cas> cas = {
        {"nothing in the way", {Sur(0, 27)}, {Sur(40, 30)}, {40}},
        {"touching is not covering", {Sur(0, 27)}, {Sur(27, 30)}, {27}},
        {"past its own diagram", {Sur(7, 27)}, {Sur(16, 30)}, {36}},
        // The next beat's diagram stands where the text would go after its own.
        {"past the next beat's diagram too", {Sur(7, 27), Sur(29, 27)}, {Sur(16, 60)}, {58}},
        // Chords on neighbouring eighths: the second text follows the first, clear of both
        // diagrams, instead of landing on its last word.
        {"the next text follows", {Sur(7, 27), Sur(29, 27)}, {Sur(16, 72), Sur(38, 36)}, {58, 133}},
        // A short text that would fit in a gap before a text moved past its beat stays after
        // it: the texts read in the order of their beats.
        {"in the order of the beats", {Sur(7, 27), Sur(60, 27)}, {Sur(16, 60), Sur(50, 6)}, {89, 152}},
        {"diagrams out of its row", {{0, 20, 27, 50}}, {Sur(0, 30)}, {0}},
        // No room before the line's end: the text keeps its place, and so does the next one
        // that would have to follow it there.
        {"no room at the line's end", {Sur(350, 27)}, {Sur(355, 60), Sur(380, 10)}, {355, 380}},
        // Diagrams closer than a text is wide: the first text, moved past them all, would
        // leave the last no room and be covered by it there; it stays on its beat instead, and
        // the next one moves with the last after it.
        {"no room left for the texts it pushes", {Sur(0, 30), Sur(100, 30), Sur(200, 30)},
         {Sur(10, 80), Sur(110, 80), Sur(210, 80)}, {10, 232, 315}},
        {"ending right at the line's end", {Sur(350, 27)}, {Sur(355, 21)}, {379}},
        // Still covering the next diagram there, it would have to move on past the end.
        {"at the line's end and covering", {Sur(350, 27), Sur(380, 10)}, {Sur(355, 21)}, {355}},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(PlacerTextesTemps(c.diagrammes, c.textes, kRegles), c.attendu) << c.nom;
}
