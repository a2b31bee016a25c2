// The score painted through the Qt canvas on an image, probed pixel by pixel: the small texts
// beside the bends and the vibrato stroke must keep their ink off the frets and lines next to
// them, or "8" and "2.5" read "8.5"; the marks over the staff keep theirs off the bends.
#include "CanevasTeinte.h"
#include "SurfaceCanevas.h"
#include "editor/EcranNotes.h"
#include "editor/FixtureEcran.h"

#include "platform/Rasterisation.h"
#include "platform/qt/CanevasQt.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <array>
#include <memory>
#include <set>
#include <utility>

namespace {

using Pixel = std::pair<int, int>; // x, y

class PartitionPixels : public FixtureEcran {
protected:
    void TearDown() override
    {
        DefinirSeparateurDecimal('.');
        FixtureEcran::TearDown();
    }

    // Line 1 laid out and painted on a white image.
    static QImage Image()
    {
        LigaturerPartition();
        CouperLignes();
        QImage image(800, HauteurLigne(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter peintre(&image);
        platform::CanevasQt canevas(peintre);
        DessinerLigne(canevas, 1, image.width(), image.height());
        return image;
    }

    // The same with the texts `rouge` picks in red.
    static QImage ImageTeinte(std::function<bool(std::string_view)> rouge)
    {
        LigaturerPartition();
        CouperLignes();
        QImage image(800, HauteurLigne(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter peintre(&image);
        platform::CanevasQt qt(peintre);
        CanevasTeinte canevas(qt, std::move(rouge));
        DessinerLigne(canevas, 1, image.width(), image.height());
        return image;
    }

    static bool Encre(const QImage& image, int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF; }

    // The inked pixels of [x1, x2) x [y1, y2).
    static std::set<Pixel> Encres(const QImage& image, int x1, int y1, int x2, int y2)
    {
        std::set<Pixel> r;
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x < x2; ++x)
                if (Encre(image, x, y))
                    r.insert({x, y});
        return r;
    }
};

int Gauche(const std::set<Pixel>& p) { return std::ranges::min(p, {}, &Pixel::first).first; }
int Droite(const std::set<Pixel>& p) { return std::ranges::max(p, {}, &Pixel::first).first; }
int Bas(const std::set<Pixel>& p) { return std::ranges::max(p, {}, &Pixel::second).second; }

} // namespace

TEST_F(PartitionPixels, ABendAmountInADoubleStopStandsClearOfTheFretAbove)
{
    // 8 on string 2, 9 bent on string 3: the amount stands over string 2, where the 8 is.
    for (const int effet : {5, 6}) {
        for (const char separateur : {'.', ','}) {
            SCOPED_TRACE(std::string(effet == 5 ? "bend" : "bend and release") + " with '" + separateur + "'");
            DefinirSeparateurDecimal(separateur);
            Battements({0, 0, 0, 0});
            Temps(1).Notes[1].Frette = -1;
            Temps(1).Notes[2].Frette = 8;
            Temps(1).Notes[3].Frette = 9;
            Temps(1).Notes[3].Effet = static_cast<uint8_t>(effet);
            Temps(1).Notes[3].ValeurBend = 2.5;
            const QImage avec = Image();
            Temps(1).Notes[3].Effet = 0;
            const QImage sans = Image();

            const int y2 = kY + 10; // string 2
            const int x = X(1);
            // What the bend adds over string 2's line is its amount.
            std::set<Pixel> valeur;
            for (int y = y2 - 10; y < y2; ++y)
                for (int xx = x - 10; xx < x + 40; ++xx)
                    if (avec.pixel(xx, y) != sans.pixel(xx, y))
                        valeur.insert({xx, y});
            // The 8, its string line aside.
            std::set<Pixel> huit = Encres(sans, x - 8, y2 - 8, x + 9, y2);
            for (const Pixel& p : Encres(sans, x - 8, y2 + 1, x + 9, y2 + 8))
                huit.insert(p);
            ASSERT_FALSE(valeur.empty());
            ASSERT_FALSE(huit.empty());
            // A blank column between them, and a clear row over the line.
            EXPECT_GT(Gauche(valeur), Droite(huit) + 1);
            EXPECT_LE(Bas(valeur), y2 - 2);
        }
    }
}

TEST_F(PartitionPixels, ABendAmountKeepsAClearRowOverItsLineWithEitherDecimalSign)
{
    for (const char separateur : {'.', ','}) {
        SCOPED_TRACE(std::string("'") + separateur + "'");
        DefinirSeparateurDecimal(separateur);
        Battements({0, 0, 0, 0});
        Temps(1).Notes[1].Frette = -1;
        Temps(1).Notes[3].Frette = 7;
        Temps(1).Notes[3].Effet = 5;
        Temps(1).Notes[3].ValeurBend = 1.5;
        const QImage image = Image();
        // The amount: all the ink between strings 1 and 2 up to the bend's arrow.
        const int y2 = kY + 10;
        const std::set<Pixel> valeur = Encres(image, X(1) - 10, kY + 1, X(1) + 20, y2);
        ASSERT_FALSE(valeur.empty());
        EXPECT_LE(Bas(valeur), y2 - 2); // the comma's tail included
    }
}

TEST_F(PartitionPixels, TheVibratoStrokeAmountStandsClearOfItsV)
{
    struct Cas {
        double valeur;
        char separateur;
    };
    for (const Cas c : {Cas{1.5, '.'}, Cas{1.5, ','}, Cas{0.5, '.'}, Cas{2.0, '.'}, Cas{2.75, ','}}) {
        SCOPED_TRACE(std::to_string(c.valeur) + " with '" + c.separateur + "'");
        DefinirSeparateurDecimal(c.separateur);
        Battements({0, 0, 0, 0});
        Temps(1).Effet = 3;
        Temps(1).ValeurCoupVib = c.valeur;
        const QImage image = Image();
        // The V: two lines from 10 pixels either side and 7 up to its point.
        const int xb = X(1);
        const int yv = kY - kHauteurEffets + 3;
        std::vector<platform::Point> v;
        const platform::Cadre cadre{0, 0, image.width(), image.height()};
        platform::PixelsLigne({xb - 10, yv - 7}, {xb, yv}, cadre, v);
        platform::PixelsLigne({xb, yv}, {xb + 10, yv - 7}, cadre, v);
        v.push_back({xb + 10, yv - 7});
        std::set<Pixel> valeur = Encres(image, xb - 12, yv - 25, xb + 13, yv + 1);
        for (const platform::Point& p : v)
            valeur.erase({p.x, p.y});
        ASSERT_FALSE(valeur.empty());
        // No pixel of the amount touches one of the V, even at a corner.
        for (const platform::Point& p : v)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    EXPECT_EQ(valeur.count({p.x + dx, p.y + dy}), 0u) << "V at " << p.x << "," << p.y;
    }
}

TEST_F(PartitionPixels, AMarkOverTheStaffAndATopStringBendAmountKeepClearOfEachOther)
{
    // A tapping T over a bend-and-release of 2.75 read "2.75" with a T hanging from its point,
    // a vibrato stroke's 1.5 over a bend's amount read "1.52.75". Beat 2 either plain or, as in
    // a user's song, with a vibrato stroke whose left arm takes the room after beat 1.
    struct Marque {
        const char* nom;
        int effet;
    };
    const Marque marques[] = {{"none", 0}, {"T", 5}, {"S", 6}, {"P", 7}, {"H", 8}, {"A.H.", 9}, {"<", 4}, {"V", 3}};
    for (const Marque& m : marques) {
        for (const int bend : {5, 6}) {
            for (const bool vSuivant : {false, true}) {
                SCOPED_TRACE(std::string(m.nom) + (bend == 5 ? " over a bend" : " over a bend and release") +
                             (vSuivant ? ", a V on the next beat" : ""));
                Battements({0, 0, 0, 0});
                for (int b = 2; b <= 4; ++b)
                    Temps(b).Notes[1].Frette = 7;
                Temps(1).Notes[1].Frette = 7;
                Temps(1).Notes[1].Effet = static_cast<uint8_t>(bend);
                Temps(1).Notes[1].ValeurBend = 2.75;
                Temps(1).Effet = static_cast<int8_t>(m.effet);
                Temps(1).ValeurCoupVib = 1.5;
                Temps(2).Effet = vSuivant ? 3 : 0;
                Temps(2).ValeurCoupVib = 1.5;
                const auto [rouges, contacts] =
                    RougesEtContacts(ImageTeinte([](std::string_view t) { return t == "2.75"; }));
                ASSERT_GT(rouges, 0);
                EXPECT_EQ(contacts, 0);
            }
        }
    }
}

TEST_F(PartitionPixels, AWaveKeepsClearOfATopStringBend)
{
    // The wave ran through the bend's arrowhead, its amount just over it.
    for (const int code : {-1, 0}) {
        for (const int effet : {1, 2}) {
            for (const int bend : {5, 6}) {
                SCOPED_TRACE(std::string(effet == 1 ? "vibrato" : "tremolo bar") + (bend == 5 ? " and bend" : " and release") +
                             (code < 0 ? " on half notes" : " on quarters"));
                Battements({code, code});
                Temps(1).Notes[1].Frette = 7;
                Temps(2).Notes[1].Frette = 7;
                Temps(1).Notes[1].Effet = static_cast<uint8_t>(bend);
                Temps(1).Notes[1].ValeurBend = 1.5;
                Temps(1).Effet = static_cast<int8_t>(effet);
                const QImage avec = Image();
                Temps(1).Effet = 0;
                const QImage sansVague = Image();
                Temps(1).Notes[1].Effet = 0;
                const QImage sansBend = Image();
                // The wave's ink, and the bend's.
                std::set<Pixel> vague, bendEncre;
                for (int y = 0; y < kY; ++y)
                    for (int x = X(1) - 15; x < X(2); ++x) {
                        if (Encre(avec, x, y) && !Encre(sansVague, x, y))
                            vague.insert({x, y});
                        if (Encre(sansVague, x, y) && !Encre(sansBend, x, y))
                            bendEncre.insert({x, y});
                    }
                ASSERT_GT(vague.size(), 5u);
                ASSERT_FALSE(bendEncre.empty());
                for (const auto& [x, y] : vague)
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx)
                            EXPECT_EQ(bendEncre.count({x + dx, y + dy}), 0u) << "wave at " << x << "," << y;
            }
        }
    }
}

TEST_F(PartitionPixels, BeatTextsOnALineOfChordDiagramsCoverNothingAndStayNearTheirBeats)
{
    // Four quarters a measure, a diagram and a text on some. With one on every beat, "Verse"
    // was written inside the C and E diagrams, and a text that found no room near its beat
    // went a measure away; where the beats leave room for their texts, the line keeps its look.
    const char* const textes[] = {"Verse", "Chorus", "Solo", "Bridge"};
    auto accord = [](const char* nom, std::array<int32_t, 7> frettes) {
        TAccord a;
        a.Nom = nom;
        a.Frettes = frettes;
        return std::make_shared<const TAccord>(a);
    };
    const std::shared_ptr<const TAccord> accords[] = {accord("C", {0, 0, 1, 0, 2, 3, -1}), accord("E", {0, 0, 0, 1, 2, 2, 0}),
                                                      accord("G", {0, 3, 0, 0, 0, 2, 3}), accord("Am", {0, 0, 1, 2, 2, 0, -1})};
    ParamEcranCourant.AffNum = false; // measure numbers are red too
    struct Cas {
        const char* nom;
        int largeur; // the score view's panel
        int nbTextes; // on the first beats of every measure
        bool rangees; // the lines open rows over their diagrams
    };
    for (const Cas c : {Cas{"every beat, narrow", 614, 4, true}, Cas{"every beat, wide", 974, 4, true},
                        Cas{"the first beat, narrow", 614, 1, false}, Cas{"the first beat, wide", 974, 1, false}}) {
        SCOPED_TRACE(c.nom);
        Mesures(8);
        for (int m = 1; m <= 8; ++m) {
            Battements({0, 0, 0, 0}, m);
            for (int b = 1; b <= c.nbTextes; ++b) {
                Temps(b, m).Texte = textes[b - 1];
                Temps(b, m).AvecAccord = true;
                Temps(b, m).Accord = accords[b - 1];
            }
        }
        LignesAffichage.LargeurDispo = c.largeur - 6;
        QImage image(c.largeur, 400, QImage::Format_RGB32);
        // Line 1 with the texts `rouge` picks in red, laid out as the view does.
        auto peindre = [&](std::string_view rouge) {
            image.fill(Qt::white);
            QPainter peintre(&image);
            platform::CanevasQt qt(peintre);
            CanevasTeinte canevas(qt, [&](std::string_view t) { return t == rouge; });
            SurfaceCanevas surface(canevas);
            InstallerSurfacePartition(&surface);
            LigaturerPartition();
            CouperLignes();
            LignesAffichage.RangeeTextes = MesurerRangeeTextes();
            CouperLignes();
            InstallerSurfacePartition(nullptr);
            DessinerLigne(canevas, 1, image.width(), HauteurLigne() + LignesAffichage.RangeeTextes);
        };
        peindre("");
        const int32_t derniere = LignesAffichage.DerniereMesure[1];
        ASSERT_GE(derniere, 2);
        EXPECT_EQ(LignesAffichage.RangeeTextes > 0, c.rangees);
        for (int b = 1; b <= c.nbTextes; ++b) {
            SCOPED_TRACE(textes[b - 1]);
            peindre(textes[b - 1]);
            const auto [rouges, contacts] = RougesEtContacts(image);
            EXPECT_GT(rouges, 0);
            EXPECT_EQ(contacts, 0);
            // Every text of the line starts between its own diagram's left and the end of its
            // measure: over the diagrams, texts wider than the beats follow one another and may
            // drift a beat or so from theirs, never into the next measure.
            for (int m = 1; m <= derniere; ++m) {
                const int debut = X(b, m) - 12;
                const int fin = m < derniere ? X(1, m + 1) - 12 : image.width();
                std::set<Pixel> encre;
                for (int y = 0; y < LignesAffichage.RangeeTextes + kY - 16; ++y)
                    for (int x = debut - 8; x < fin; ++x)
                        if (image.pixel(x, y) == QColor(Qt::red).rgb())
                            encre.insert({x, y});
                ASSERT_FALSE(encre.empty()) << "measure " << m;
                EXPECT_GE(Gauche(encre), debut) << "measure " << m;
            }
        }
        for (int m = 1; m <= 8; ++m)
            for (int b = 1; b <= 4; ++b)
                Temps(b, m) = TTemps{};
    }
}

TEST_F(PartitionPixels, ADoubleStopBentOnBothStringsKeepsEachAmountClearOfTheOtherBend)
{
    // 7 and 8 bent together: the 8's amount over string 1 was struck through by the 7's arc and
    // hidden under its release's arrow. Each amount in red in turn: no other ink may touch it.
    struct Cas {
        int effet1, effet2;
        int code; // quarters, eighths
    };
    for (const Cas c : {Cas{5, 5, 0}, Cas{6, 5, 0}, Cas{5, 6, 0}, Cas{6, 6, 0}, Cas{5, 5, 1}, Cas{6, 5, 1}}) {
        for (const char* rouge : {"2.5", "1"}) {
            SCOPED_TRACE(std::to_string(c.effet1) + "/" + std::to_string(c.effet2) +
                         (c.code ? " eighths" : " quarters") + ", " + rouge + " in red");
            if (c.code == 1)
                Battements({1, 1, 1, 1, 1, 1, 1, 1});
            else
                Battements({0, 0, 0, 0});
            for (int b = 1; b <= Mesure().NbTemps[PisteCourante]; ++b) {
                Temps(b).Notes[1].Frette = 7;
                Temps(b).Notes[2].Frette = 8;
            }
            Temps(1).Notes[1].Effet = static_cast<uint8_t>(c.effet1);
            Temps(1).Notes[1].ValeurBend = 1;
            Temps(1).Notes[2].Effet = static_cast<uint8_t>(c.effet2);
            Temps(1).Notes[2].ValeurBend = 2.5;
            const auto [rouges, contacts] =
                RougesEtContacts(ImageTeinte([&](std::string_view t) { return t == rouge; }));
            ASSERT_GT(rouges, 0);
            EXPECT_EQ(contacts, 0);
        }
    }
}

TEST_F(PartitionPixels, VibratoStrokesOnEighthsKeepClearOfTheTopStringBendAmounts)
{
    // Every eighth bent on the top string, with a vibrato stroke on every beat or every other:
    // no V may touch an amount, its own beat's or the previous one's, whatever the stroke's amount.
    for (const int espacement : {ParamEcranCourant.CoefEspAff, 2}) {
        ParamEcranCourant.CoefEspAff = espacement;
        CalculerLargeursTemps();
        for (const double coup : {0.5, 1.0, 1.5, 2.0, 3.0}) {
            for (const bool vPartout : {false, true}) {
                SCOPED_TRACE("spacing " + std::to_string(espacement) + ", stroke " + std::to_string(coup) +
                             (vPartout ? ", a V on every beat" : ", a V on every other beat"));
                Battements({1, 1, 1, 1, 1, 1, 1, 1});
                for (int b = 1; b <= 8; ++b) {
                    Temps(b).Notes[1].Frette = 7;
                    Temps(b).Notes[1].Effet = 5;
                    Temps(b).Notes[1].ValeurBend = 2.5;
                    Temps(b).Effet = vPartout || b % 2 == 1 ? 3 : 0;
                    Temps(b).ValeurCoupVib = coup;
                }
                const auto [rouges, contacts] =
                    RougesEtContacts(ImageTeinte([](std::string_view t) { return t == "2.5"; }));
                ASSERT_GT(rouges, 0);
                EXPECT_EQ(contacts, 0);
            }
        }
    }
}

TEST_F(PartitionPixels, AGraceNoteOnAMeasuresFirstBeatKeepsClearOfTheBarLine)
{
    // "(7)" on the first beat of measure 2 read "|7)": its opening bracket lay under the bar line.
    Mesures(2);
    struct Cas {
        int frette, grace, duree;
        const char* texte;
    };
    for (const Cas c : {Cas{7, 7, 1, "(7)"}, Cas{7, 7, 3, "(7)"}, Cas{5, 3, 2, "(3)"}, Cas{5, 100, 3, "(x)"}}) {
        SCOPED_TRACE(std::string(c.texte) + " before " + std::to_string(c.frette) + ", length " +
                     std::to_string(c.duree));
        for (int m = 1; m <= 2; ++m) {
            Battements({0, 0, 0, 0}, m);
            for (int b = 1; b <= 4; ++b)
                Temps(b, m).Notes[1].Frette = 7;
        }
        TNoteCorde& note = Temps(1, 2).Notes[1];
        note.Frette = static_cast<int8_t>(c.frette);
        note.FretteGrace = static_cast<int8_t>(c.grace);
        note.NuanceGrace = 3;
        note.DureeGrace = static_cast<uint8_t>(c.duree);
        const QImage image = ImageTeinte([&](std::string_view t) { return t == c.texte; });
        const auto [rouges, contacts] = RougesEtContacts(image);
        ASSERT_GT(rouges, 0);
        EXPECT_EQ(contacts, 0);
    }
}

TEST_F(PartitionPixels, AWaveKeepsClearOfADoubleStopBentTwice)
{
    // The lower string's amount stands over the upper bend's arrow, in the wave's row.
    for (const int effet : {1, 2}) {
        SCOPED_TRACE(effet == 1 ? "vibrato" : "tremolo bar");
        Battements({-1, -1});
        for (int b = 1; b <= 2; ++b) {
            Temps(b).Notes[1].Frette = 7;
            Temps(b).Notes[2].Frette = 8;
        }
        for (int s = 1; s <= 2; ++s) {
            Temps(1).Notes[s].Effet = 5;
            Temps(1).Notes[s].ValeurBend = 2.5;
        }
        Temps(1).Effet = static_cast<int8_t>(effet);
        const QImage avec = Image();
        Temps(1).Effet = 0;
        const QImage sansVague = Image();
        std::set<Pixel> vague;
        for (int y = 0; y < kY; ++y)
            for (int x = X(1) - 15; x < X(2); ++x)
                if (Encre(avec, x, y) && !Encre(sansVague, x, y))
                    vague.insert({x, y});
        ASSERT_GT(vague.size(), 5u);
        // The wave's ink touches none of the bends', corners included.
        for (const auto& [x, y] : vague)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    EXPECT_FALSE(Encre(sansVague, x + dx, y + dy) && !vague.count({x + dx, y + dy}))
                        << "wave at " << x << "," << y;
    }
}
