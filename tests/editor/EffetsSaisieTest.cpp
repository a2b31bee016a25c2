// Technique glyphs of the edit zone; beat 1 is at x = 80, string s at y = 48 + 14 (s - 1).
#include "FixtureSaisie.h"

#include "document/TableMix.h"
#include "editor/EffetsSaisie.h"

#include <cstdlib>

using platform::CanevasEnregistreur;

namespace {

using Effets = FixtureSaisie;

} // namespace

TEST_F(Effets, ValueTexts)
{
    struct Cas {
        double valeur;
        const char* point;
        const char* virgule;
    };
    for (const Cas& k : {Cas{0.25, "1/4", "1/4"}, Cas{0.5, "1/2", "1/2"}, Cas{0.75, "3/4", "3/4"}, Cas{1.0, "1", "1"},
                         Cas{1.5, "1.5", "1,5"}, Cas{2.25, "2.25", "2,25"}, Cas{6.0, "6", "6"}}) {
        DefinirSeparateurDecimal('.');
        EXPECT_EQ(TexteValeurEffet(k.valeur), k.point);
        DefinirSeparateurDecimal(',');
        EXPECT_EQ(TexteValeurEffet(k.valeur), k.virgule);
    }
}

TEST_F(Effets, BeatTechniqueLetters)
{
    const std::vector<std::string> lettres{"", "", "", "", "<", "T", "S", "P", "H", "A.H.", ""};
    for (int e = 0; e <= 10; ++e)
        EXPECT_EQ(LettreEffetTemps(e), lettres[e]) << e;

    Battements({0});
    Temps(1).Effet = 9;
    DessinerEffetsSaisie(canevas, 1, false);
    // "A.H." is 24 pixels wide and 12 high, centred on x(1) and on MH - 15.
    EXPECT_TRUE(Contient(canevas, "Texte 69,27 \"A.H.\" font \"Arial\" 7 #0000FF brush clear"));
}

TEST_F(Effets, GapIsClearedWithItsStrings)
{
    Battements({0});
    DessinerEffetsSaisie(canevas, 1, false);
    EXPECT_EQ(Lignes(canevas)[0], "Rectangle 65,28,105,38 pen #FFFFFF brush #FFFFFF"); // technique row
    EXPECT_EQ(Lignes(canevas)[1], "Rectangle 94,33,117,123 pen #FFFFFF brush #FFFFFF"); // the gap
    for (int s = 1; s <= 6; ++s) {
        const std::string y = std::to_string(48 + 14 * (s - 1));
        EXPECT_TRUE(Contient(canevas, "Ligne 94," + y + ",117," + y + " pen #000000"));
    }

    // The gap before beat 1 leaves the repeat-start sign alone.
    canevas.Effacer();
    DessinerEffetsSaisie(canevas, 0, true);
    EXPECT_EQ(Lignes(canevas)[1], "Rectangle 47,33,67,123 pen #FFFFFF brush #FFFFFF");
    EXPECT_TRUE(Contient(canevas, "Ligne 44,48,67,48 pen #000000"));
    EXPECT_EQ(Lignes(canevas).size(), 8u);
}

TEST_F(Effets, ClearingAGapRepaintsTheNextColumn)
{
    Battements({0, 0});
    Curseur.Temps = 3;
    DessinerEffetsSaisie(canevas, 1, true);
    EXPECT_TRUE(Contient(canevas, "Rectangle 114,41,147,55 pen #FFFFFF brush #FFFFFF")); // beat 2's cell
    EXPECT_TRUE(Contient(canevas, "Texte 128,40 \"5\" font \"MS Sans Serif\" 10 B #0000FF brush clear"));
    // Beat 2's own gap is not repainted, nor is anything past the last beat.
    EXPECT_FALSE(Contient(canevas, "Rectangle 144,33,167,123 pen #FFFFFF brush #FFFFFF"));
    canevas.Effacer();
    DessinerEffetsSaisie(canevas, 2, true);
    EXPECT_EQ(Compte(canevas, "Texte"), 0);
    canevas.Effacer();
    DessinerEffetsSaisie(canevas, 1, false);
    EXPECT_EQ(Compte(canevas, "Texte"), 0);
}

TEST_F(Effets, MixTableMarkOnlyWithAChange)
{
    Battements({0});
    DessinerEffetsSaisie(canevas, 1, false);
    EXPECT_EQ(Compte(canevas, "Rectangle 79,35,83,39"), 0);
    Temps(1).TableMix = cTableMixEvent::Create();
    canevas.Effacer();
    DessinerEffetsSaisie(canevas, 1, false);
    EXPECT_TRUE(Contient(canevas, "Rectangle 79,35,83,39 pen #FF0000 brush #FF0000"));
}

TEST_F(Effets, StrumArrows)
{
    Battements({0});
    struct Cas {
        int brush;
        int y1, y2, y3;
    };
    for (const Cas& k : {Cas{1, 51, 52, 53}, Cas{2, 115, 114, 113}}) {
        Temps(1).Brush = static_cast<int8_t>(k.brush);
        canevas.Effacer();
        DessinerEffetsSaisie(canevas, 1, false);
        EXPECT_TRUE(Contient(canevas, "Ligne 100,50,100,117 pen #000000"));
        std::vector<std::string> attendus;
        for (auto [x, y] : {std::pair{101, k.y1}, {102, k.y2}, {103, k.y3}, {99, k.y1}, {98, k.y2}, {97, k.y3}})
            EXPECT_TRUE(Contient(canevas, "Pixel " + std::to_string(x) + "," + std::to_string(y) + " #000000"))
                << "strum " << k.brush << " at " << x << "," << y;
        EXPECT_EQ(Compte(canevas, "Pixel"), 6);
    }
}

TEST_F(Effets, BeatTechniqueShapes)
{
    Battements({0});
    Temps(1).Effet = 1; // vibrato: five periods of four pixels and a last one
    DessinerEffetTempsSaisie(canevas, 1, "");
    auto pixels = canevas.Traces(CanevasEnregistreur::Operation::Pixel);
    ASSERT_EQ(pixels.size(), 21u);
    EXPECT_EQ(pixels.front().points[0], (platform::Point{80, 33}));
    EXPECT_EQ(pixels.back().points[0], (platform::Point{100, 33}));

    Temps(1).Effet = 2; // tremolo bar: three sharper periods one row higher
    canevas.Effacer();
    DessinerEffetTempsSaisie(canevas, 1, "");
    pixels = canevas.Traces(CanevasEnregistreur::Operation::Pixel);
    ASSERT_EQ(pixels.size(), 19u);
    EXPECT_EQ(pixels.front().points[0], (platform::Point{82, 30}));
    EXPECT_EQ(pixels.back().points[0], (platform::Point{100, 30}));

    Temps(1).Effet = 3; // vibrato stroke with its amount
    Temps(1).ValeurCoupVib = 1.5;
    canevas.Effacer();
    DessinerEffetTempsSaisie(canevas, 1, "");
    EXPECT_EQ(Lignes(canevas), (std::vector<std::string>{
                                   "Polyline 70,32 81,37 92,31 pen #0000FF",
                                   "Texte 72,26 \"1.5\" font \"Arial\" 5 #0000FF brush clear",
                               }));
    EXPECT_EQ(canevas.Fonte().taille, 7);
}

TEST_F(Effets, LinkGlyphs)
{
    Battements({0});
    TNoteCorde& note = Temps(1).Notes[2]; // xm = 105, ym = 55
    struct Cas {
        int effet;
        double bend;
        std::vector<std::string> lignes;
    };
    const Cas cas[] = {
        {1, 1.0, {"Pixel 96,60 #0000FF", "Pixel 97,59 #0000FF", "Ligne 98,58,113,58 pen #0000FF",
                  "Pixel 113,59 #0000FF", "Pixel 114,60 #0000FF",
                  "Texte 98,48 \"HO\" font \"Arial\" 7 #0000FF brush clear"}},
        {2, 1.0, {"Pixel 96,60 #0000FF", "Pixel 97,59 #0000FF", "Ligne 98,58,113,58 pen #0000FF",
                  "Pixel 113,59 #0000FF", "Pixel 114,60 #0000FF",
                  "Texte 98,48 \"PO\" font \"Arial\" 7 #0000FF brush clear"}},
        {3, 1.0, {"Ligne 96,65,115,59 pen #0000FF", "Texte 99,49 \"sl\" font \"Arial\" 8 #0000FF brush clear"}},
        {4, 1.0, {"Ligne 96,59,115,65 pen #0000FF", "Texte 101,49 \"sl\" font \"Arial\" 8 #0000FF brush clear"}},
        {5, 0.5, {"Polyline 98,61 103,60 108,55 108,49 pen #0000FF", "Pixel 107,51 #0000FF",
                  "Pixel 106,52 #0000FF", "Pixel 109,51 #0000FF", "Pixel 110,52 #0000FF",
                  "Texte 86,49 \"1/2\" font \"Arial\" 5 #0000FF brush clear"}},
        {6, 2.0, {"Polyline 96,61 101,60 106,55 106,49 110,50 112,55 112,62 pen #0000FF",
                  "Pixel 111,60 #0000FF", "Pixel 110,59 #0000FF", "Pixel 113,60 #0000FF",
                  "Pixel 114,59 #0000FF", "Texte 98,49 \"2\" font \"Arial\" 5 #0000FF brush clear"}},
        {7, 1.0, {}},
        {0, 1.0, {}},
    };
    for (const Cas& k : cas) {
        note.Effet = static_cast<uint8_t>(k.effet);
        note.ValeurBend = k.bend;
        canevas.Effacer();
        DessinerLiaisonsSaisie(canevas, 1, 2);
        EXPECT_EQ(Lignes(canevas), k.lignes) << "technique " << k.effet;
    }
    // The glyph of string 1 stands half a string spacing above it.
    note.Effet = 0;
    Temps(1).Notes[1].Effet = 3;
    canevas.Effacer();
    DessinerLiaisonsSaisie(canevas, 1, 1);
    EXPECT_TRUE(Contient(canevas, "Ligne 96,51,115,45 pen #0000FF"));
}

TEST_F(Effets, SlideAndStrumShareTheGap)
{
    Battements({0});
    Temps(1).Brush = 2;
    Temps(1).Notes[3].Effet = 3;
    DessinerEffetsSaisie(canevas, 1, false);
    EXPECT_TRUE(Contient(canevas, "Ligne 100,50,100,117 pen #000000"));
    EXPECT_TRUE(Contient(canevas, "Ligne 96,79,115,73 pen #0000FF"));
}

TEST_F(Effets, RestGlyphs)
{
    struct Cas {
        int cordes, code;
        const char* ligne;
    };
    const Cas cas[] = {
        {4, -2, "Rectangle 74,62,86,68 pen #0000FF brush #0000FF"},
        {6, -2, "Rectangle 74,76,86,82 pen #0000FF brush #0000FF"},
        {5, -1, "Rectangle 74,71,86,77 pen #0000FF brush #0000FF"},
        {6, -1, "Rectangle 74,85,86,91 pen #0000FF brush #0000FF"},
    };
    for (const Cas& k : cas) {
        Partition.NbCordes[1] = k.cordes;
        canevas.Effacer();
        DessinerSilenceSaisie(canevas, k.code, 80);
        EXPECT_EQ(Lignes(canevas), std::vector<std::string>{k.ligne}) << k.cordes << " strings, code " << k.code;
    }

    // An eighth-note family rest: a slanted stem of width 2, one flag per beam.
    Partition.NbCordes[1] = 6;
    canevas.Effacer();
    DessinerSilenceSaisie(canevas, 2, 80);
    EXPECT_EQ(Lignes(canevas), (std::vector<std::string>{
                                   "Ligne 87,71,78,97 pen #0000FF/2",
                                   "Ligne 87,71,81,73 pen #0000FF",
                                   "Ellipse 78,72,82,75 pen #0000FF/2 brush clear",
                                   "Ligne 85,77,79,79 pen #0000FF",
                                   "Ellipse 76,78,80,81 pen #0000FF/2 brush clear",
                               }));
    EXPECT_EQ(canevas.StyloCourant().largeur, 1);
    canevas.Effacer();
    DessinerSilenceSaisie(canevas, 5, 80);
    EXPECT_TRUE(canevas.Traces().empty());
}

TEST_F(Effets, QuarterRestPolygon)
{
    // Built in steps of 0.85 pixel; half-way points may fall either side, hence the tolerance.
    const std::vector<platform::Point> attendus{{80, 66}, {86, 74}, {82, 83}, {86, 92}, {82, 90}, {80, 92},
                                                {81, 95}, {83, 98}, {78, 95}, {77, 92}, {77, 89}, {79, 87},
                                                {83, 87}, {77, 81}, {83, 75}, {83, 73}};
    DessinerSilenceSaisie(canevas, 0, 80);
    const auto polygones = canevas.Traces(CanevasEnregistreur::Operation::Polygone);
    ASSERT_EQ(polygones.size(), 1u);
    const auto& points = polygones[0].points;
    ASSERT_EQ(points.size(), attendus.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_LE(std::abs(points[i].x - attendus[i].x), 1) << i;
        EXPECT_LE(std::abs(points[i].y - attendus[i].y), 1) << i;
    }
    EXPECT_EQ(polygones[0].brosse.couleur, platform::clBlue);

    // On a four-string staff it is centred one and a half spacings below string 1.
    Partition.NbCordes[1] = 4;
    canevas.Effacer();
    DessinerSilenceSaisie(canevas, 0, 80);
    EXPECT_EQ(canevas.Traces()[0].points[0], (platform::Point{80, 69 - 17}));
}
