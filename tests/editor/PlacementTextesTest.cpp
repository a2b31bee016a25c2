// Beat texts placed against the chord diagrams and the texts before them, one row of a line.
#include "editor/PlacementTextes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An area on the text row (y 0..10) from gauche, largeur wide.
TZoneEncre Sur(double gauche, double largeur) { return {gauche, 0, gauche + largeur, 10}; }

const TReglesPlacementTextes kRegles{2, 3, 400};

std::vector<double> Gauches(const std::vector<TPlaceTexte>& places)
{
    std::vector<double> r;
    for (const TPlaceTexte& p : places)
        r.push_back(p.Gauche);
    return r;
}

// Each text as "left" when it stays where the layout put it, "left moved" otherwise, and
// " up n" in the n-th row over the diagrams.
std::vector<std::string> Places(const std::vector<TPlaceTexte>& places)
{
    std::vector<std::string> r;
    for (const TPlaceTexte& p : places)
        r.push_back(std::to_string(static_cast<int>(p.Gauche)) + (p.EnPlace ? "" : " moved") +
                    (p.Rangee > 0 ? " up " + std::to_string(p.Rangee) : ""));
    return r;
}

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
        EXPECT_EQ(Gauches(PlacerTextesTemps(c.diagrammes, c.textes, kRegles)), c.attendu) << c.nom;
}

TEST(PlacementTextes, ATextTellsWhetherItKeptItsPlace)
{
    // Keeping its place is told apart from moving, and not from where the text ends: a text
    // that finds no room keeps its place as surely as one that covers nothing.
    struct Cas {
        std::string nom;
        std::vector<TZoneEncre> diagrammes;
        std::vector<TZoneEncre> textes;
        std::vector<std::string> attendu;
    };
    const std::vector<Cas> cas = {
        {"nothing in the way", {Sur(0, 27)}, {Sur(40, 30)}, {"40"}},
        {"past its own diagram", {Sur(7, 27)}, {Sur(16, 30)}, {"36 moved"}},
        {"no room at the line's end", {Sur(350, 27)}, {Sur(355, 60), Sur(380, 10)}, {"355", "380"}},
        {"the next text follows", {Sur(7, 27), Sur(29, 27)}, {Sur(16, 72), Sur(38, 36)}, {"58 moved", "133 moved"}},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(Places(PlacerTextesTemps(c.diagrammes, c.textes, kRegles)), c.attendu) << c.nom;
}

TEST(PlacementTextes, WithRowsOverTheDiagramsATextThatFindsNoRoomNearItsBeatGoesUp)
{
    TReglesPlacementTextes regles = kRegles;
    regles.RangeesDessus = true;
    struct Cas {
        std::string nom;
        std::vector<TZoneEncre> diagrammes;
        std::vector<TZoneEncre> textes;
        std::vector<std::string> attendu;
    };
    const std::vector<Cas> cas = {
        // An ordinary line: the rows over the diagrams stay empty.
        {"nothing in the way", {Sur(0, 27)}, {Sur(40, 30)}, {"40"}},
        {"past its own diagram", {Sur(7, 27)}, {Sur(16, 30)}, {"36 moved"}},
        {"past a diagram before its place", {Sur(0, 27), Sur(10, 27)}, {Sur(16, 30)}, {"39 moved"}},
        // Past the next beat's diagram it would read as that beat's text: it goes up, and the
        // next text, no longer pushed, only passes its own diagram.
        {"the next beat's diagram in the way", {Sur(7, 27), Sur(29, 27)}, {Sur(16, 72), Sur(38, 36)},
         {"16 up 1", "58 moved"}},
        // Up there it keeps its place even when it ends past the line's room: it has nothing
        // to pass.
        {"no room at the line's end", {Sur(350, 27)}, {Sur(355, 60), Sur(380, 10)}, {"355 up 1", "380"}},
        {"at the line's end and covering", {Sur(350, 27), Sur(380, 10)}, {Sur(355, 21)}, {"355 up 1"}},
        // Four diagrams and four texts in a narrow measure: every text would cover the next
        // beat's diagram past its own. Over the diagrams the texts follow one another.
        {"a crowded measure", {Sur(0, 27), Sur(35, 27), Sur(70, 27), Sur(105, 27)},
         {Sur(9, 30), Sur(44, 40), Sur(79, 30), Sur(114, 30)}, {"9 up 1", "44 up 1", "87 moved up 1", "134 moved"}},
        // Over the diagrams too, a text pushed past the next beat's diagram, or past the line's
        // end, goes up another row; the text after it no longer follows it.
        {"pushed past the next beat up there", {Sur(0, 27), Sur(30, 27), Sur(60, 27), Sur(90, 27)},
         {Sur(5, 60), Sur(35, 30), Sur(65, 30)}, {"5 up 1", "35 up 2", "65 up 1"}},
        {"no room before the line's end up there", {Sur(300, 27), Sur(330, 27), Sur(360, 27)},
         {Sur(309, 60), Sur(339, 60), Sur(369, 20)}, {"309 up 1", "339 up 2", "369 up 1"}},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(Places(PlacerTextesTemps(c.diagrammes, c.textes, regles)), c.attendu) << c.nom;
}
