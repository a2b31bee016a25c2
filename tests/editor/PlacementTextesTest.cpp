// Beat texts placed beside their beats, apart from one another, and up over what stands in
// their way; and a row of texts moved past what they cover.
#include "editor/PlacementTextes.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// A text of the row at y 100..110, from gauche, largeur wide, in a measure from 0 to 200 whose
// next beat's text would start at suivant.
TTexteTemps Texte(double gauche, double largeur, double suivant, std::optional<double> finDiagramme = std::nullopt)
{
    return {{gauche, 100, gauche + largeur, 110}, 0, 200, suivant, finDiagramme};
}

TTexteTemps DansMesure(TTexteTemps t, double debut, double fin)
{
    t.DebutMesure = debut;
    t.FinMesure = fin;
    t.TempsSuivant = std::min(t.TempsSuivant, fin);
    return t;
}

// A diagram from gauche, 27 wide, standing from y 80 to 130, across the row.
TZoneEncre Diagramme(double gauche, double haut = 80) { return {gauche, haut, gauche + 27, 130}; }

// Two pixels from a diagram and under what a text goes up over, 3 between two texts.
const TReglesTextesTemps kRegles{2, 3, 2, 400};

// Each text as "left@top", and " moved" when it left its place.
std::vector<std::string> Places(const std::vector<TPlaceTexteTemps>& places)
{
    std::vector<std::string> r;
    for (const TPlaceTexteTemps& p : places)
        r.push_back(std::to_string(static_cast<int>(p.Gauche)) + "@" + std::to_string(static_cast<int>(p.Haut)) +
                    (p.EnPlace ? "" : " moved"));
    return r;
}

} // namespace

TEST(PlacementTextes, ABeatTextStaysBesideItsBeatOrGoesUpOverItAndKeepsASpaceFromEveryOther)
{
    struct Cas {
        std::string nom;
        std::vector<TZoneEncre> obstacles;
        std::vector<TTexteTemps> textes;
        std::vector<std::string> attendu;
    };
    const std::vector<Cas> cas = {
        {"nothing in the way", {}, {Texte(40, 30, 70)}, {"40@100"}},
        {"a space apart: both keep their places", {}, {Texte(0, 30, 30), Texte(33, 20, 60)}, {"0@100", "33@100"}},
        // Closer than a space they read as one word: the second moves the little it takes.
        {"closer than a space", {}, {Texte(0, 30, 30), Texte(31, 20, 60)}, {"0@100", "33@100 moved"}},
        // Four texts on the quarters of a measure with nothing under them: a text the one
        // before reaches over would have to move half-way to the next beat or more, where it
        // would be read as that beat's; it goes up over its own beat instead, over the text in
        // its way, and the next one finds its place free again.
        {"four quarters, no diagrams",
         {},
         {DansMesure(Texte(0, 50, 30), -5, 123), DansMesure(Texte(30, 55, 60), -5, 123),
          DansMesure(Texte(60, 35, 90), -5, 123), DansMesure(Texte(90, 30, 123), -5, 123)},
         {"0@100", "30@88 moved", "60@100", "90@88 moved"}},
        {"past its own diagram", {Diagramme(7)}, {Texte(16, 30, 60, 34)}, {"36@100 moved"}},
        // Past the next beat's diagram too it would stand by the next beat: up over its own
        // diagram, and over the next one it met at its place.
        {"the next beat's diagram in the way",
         {Diagramme(7), Diagramme(29)},
         {Texte(16, 60, 38, 34)},
         {"16@68 moved"}},
        // Up over what it met, not over the taller diagram further on.
        {"up as far as it must", {Diagramme(0, 90), Diagramme(30, 70)}, {Texte(10, 15, 20)}, {"10@78 moved"}},
        {"up over an ending's bracket",
         {{0, 84, 40, 97}},
         {Texte(0, 50, 30), Texte(30, 30, 40)},
         {"0@100", "30@72 moved"}},
        // Its measure ends before it does: it starts earlier, to end at the bar line.
        {"ending at its measure's end", {}, {DansMesure(Texte(90, 40, 120), 0, 120)}, {"80@100 moved"}},
        {"ending at its measure's end, over the text before",
         {},
         {DansMesure(Texte(40, 40, 90), 0, 120), DansMesure(Texte(90, 40, 120), 0, 120)},
         {"40@100", "80@88 moved"}},
        // Longer than its whole measure: from the measure's start, over what is in its way.
        {"longer than its measure", {}, {DansMesure(Texte(30, 200, 60), 0, 120)}, {"0@100 moved"}},
        {"longer than its measure, over the text before",
         {},
         {DansMesure(Texte(110, 20, 130), 105, 200), DansMesure(Texte(130, 200, 160), 105, 200)},
         {"110@100", "105@88 moved"}},
        {"longer than its measure at the line's end", {}, {DansMesure(Texte(320, 150, 350), 300, 390)}, {"250@100 moved"}},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(Places(PlacerTextesTemps(c.obstacles, c.textes, kRegles)), c.attendu) << c.nom;
}

TEST(PlacementTextes, WithoutRoomOverTheRowATextMovesOnPastTheTextsBeforeIt)
{
    // The edit zone's row is at its top: a text with no room beside its beat goes on right,
    // a space past the text before it, far from its beat but whole.
    TReglesTextesTemps regles = kRegles;
    regles.HautMin = 100;
    EXPECT_EQ(Places(PlacerTextesTemps({}, std::vector{Texte(0, 50, 30), Texte(30, 55, 60), Texte(60, 35, 90)}, regles)),
              (std::vector<std::string>{"0@100", "53@100 moved", "111@100 moved"}));
}

TEST(PlacementTextes, ARowOfTextsMovesPastWhatItCoversAndOnlyThen)
{
    // A bend's amount beside the marks of its beat, within the room before the next beat.
    auto sur = [](double gauche, double largeur) { return TZoneEncre{gauche, 0, gauche + largeur, 10}; };
    const TReglesPlacementTextes regles{2, 3, 400};
    struct Cas {
        std::string nom;
        std::vector<TZoneEncre> zones;
        std::vector<TZoneEncre> textes;
        std::vector<double> attendu;
        bool enPlace;
    };
    const std::vector<Cas> cas = {
        {"nothing in the way", {sur(0, 27)}, {sur(40, 30)}, {40}, true},
        {"touching is not covering", {sur(0, 27)}, {sur(27, 30)}, {27}, true},
        {"past what it covers", {sur(7, 27)}, {sur(16, 30)}, {36}, false},
        {"past the next area too", {sur(7, 27), sur(29, 27)}, {sur(16, 60)}, {58}, false},
        {"the next text follows", {sur(7, 27), sur(29, 27)}, {sur(16, 72), sur(38, 36)}, {58, 133}, false},
        {"areas out of its row", {{0, 20, 27, 50}}, {sur(0, 30)}, {0}, true},
        {"ending right at the row's end", {sur(350, 27)}, {sur(355, 21)}, {379}, false},
        // Still covering the next area there, it would have to move on past the end.
        {"no room before the row's end", {sur(350, 27), sur(380, 10)}, {sur(355, 21)}, {355}, true},
    };
    for (const Cas& c : cas) {
        const std::vector<TPlaceTexte> places = PlacerTextesRangee(c.zones, c.textes, regles);
        std::vector<double> gauches;
        for (const TPlaceTexte& p : places)
            gauches.push_back(p.Gauche);
        EXPECT_EQ(gauches, c.attendu) << c.nom;
        EXPECT_EQ(places.front().EnPlace, c.enPlace) << c.nom;
    }
}
