// Where the print painters put their glyphs: at exactly 10 pixels per print millimetre, a left
// working margin of 10 mm (a score x of x mm is the device column 100 + 10 x) and the top
// string at 50 mm (row 500), fonts at 254 dpi to match. Texts are 6 pixels per character on
// the recording canvas.
#include "FixtureImpression.h"

#include "print/ImpEffets.h"
#include "print/ImpLignes.h"
#include "print/ImpNotes.h"
#include "print/ImpPage.h"
#include "print/ImpPortee.h"
#include "print/ImpRythme.h"
#include "platform/qt/CanevasQt.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

namespace {

class ImpPeintresTest : public FixtureImpression {
protected:
    void SetUp() override
    {
        FixtureImpression::SetUp();
        PageExacte(10.0, 2000);
        canevas.SetPixelsParPouce(254); // 10 pixels per millimetre
        ParamImpCourant.MargeGaucheLignes = 10;
        ParamImpCourant.PosY = 50;
    }

    // Beats of the measure at x = 10, 20, 30... mm (already on the line).
    static void Placer(int m = 1)
    {
        for (int b = 1; b <= Mesure(m).NbTemps[PisteCourante]; ++b)
            Temps(b, m).XImp = 10.0 * b;
    }

    // Height of a text of that many points on the recording canvas.
    static int H(int points) { return platform::TaillePixelsFonte(points, 254) + 3; }

    // What `peindre` prints, painted with the Qt canvas at this scale on a white image.
    template <class F>
    QImage PeintQt(F peindre, int largeur = 600)
    {
        QImage image(largeur, 800, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter peintre(&image);
        platform::CanevasQt qt(peintre, 254);
        CanvasImpr = &qt;
        peindre();
        CanvasImpr = &canevas;
        return image;
    }

    // Pixels of a red text and of black ink on such an image, and how often one of each
    // touch, corners included.
    struct Contacts {
        int rouges = 0;
        int noirs = 0;
        int touches = 0;
    };
    static Contacts RougeContreNoir(const QImage& image)
    {
        const auto rouge = [&](int x, int y) {
            const QRgb p = image.pixel(x, y);
            return qRed(p) > qGreen(p) + 60;
        };
        const auto noir = [&](int x, int y) {
            const QRgb p = image.pixel(x, y);
            return qRed(p) < 200 && std::abs(qRed(p) - qGreen(p)) < 30;
        };
        Contacts r;
        for (int y = 1; y < image.height() - 1; ++y)
            for (int x = 1; x < image.width() - 1; ++x) {
                r.noirs += noir(x, y) ? 1 : 0;
                if (!rouge(x, y))
                    continue;
                ++r.rouges;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        r.touches += noir(x + dx, y + dy) ? 1 : 0;
            }
        return r;
    }

    // Rectangles drawn as stems: 3 pixels wide at this scale.
    std::vector<Trace> Hampes() const
    {
        std::vector<Trace> r;
        for (const Trace& t : canevas.Traces(Op::Rectangle))
            if (t.points[1].x - t.points[0].x == 3)
                r.push_back(t);
        return r;
    }
};

TEST_F(ImpPeintresTest, RepeatEndPrintsItsCountAboveTwo)
{
    Mesure().NbRenvois = 1;
    ImprimerBarreRenvoi(2, 50, 40);
    EXPECT_TRUE(Textes().empty());
    EXPECT_EQ(Traces(Op::Ellipse).size(), 2u);

    Mesure().NbRenvois = 2;
    canevas.Effacer();
    ImprimerBarreRenvoi(2, 50, 40);
    const Trace* t = Texte("2x");
    ASSERT_NE(t, nullptr);
    // Right-aligned on x, centred 3 mm above the top string, on an opaque white background.
    EXPECT_EQ(t->points[0], (platform::Point{500 - 12, static_cast<int>(platform::Round(470 - H(9) / 2.0))}));
    EXPECT_FALSE(t->brosse.vide);
    EXPECT_EQ(t->brosse.couleur, platform::clWhite);

    // No count at a repeat start.
    canevas.Effacer();
    ImprimerBarreRenvoi(1, 50, 40);
    EXPECT_TRUE(Textes().empty());
}

TEST_F(ImpPeintresTest, RepeatDotsSitBetweenStringsByStringCount)
{
    struct Cas {
        int cordes;
        double a, b; // the dots' centres in string spacings below the top string
    };
    for (const Cas c : {Cas{4, 0.5, 2.5}, Cas{5, 0.5, 2.5}, Cas{6, 1.5, 3.5}}) {
        Partition.NbCordes[1] = c.cordes;
        canevas.Effacer();
        ImprimerBarreRenvoi(1, 50, 0);
        const auto points = Traces(Op::Ellipse);
        ASSERT_EQ(points.size(), 2u);
        for (int i = 0; i < 2; ++i) {
            const double y = 50 + (i == 0 ? c.a : c.b) * 2.75;
            const double x = 10 + 3.9;
            EXPECT_EQ(points[static_cast<std::size_t>(i)].points[0],
                      (platform::Point{Px(x - 0.5), Px(y - 0.5)})) << c.cordes;
            EXPECT_EQ(points[static_cast<std::size_t>(i)].points[1],
                      (platform::Point{Px(x + 0.5) + 1, Px(y + 0.5) + 1})) << c.cordes;
        }
    }
}

TEST_F(ImpPeintresTest, AlternateEndingLabels)
{
    Mesures(3);
    Mesure(2).Repetition = true;
    Mesure(2).NumRepetition = 1;
    ImprimerFinAlternative(2, 1, 50, 20);
    ASSERT_NE(Texte("1"), nullptr);
    // The hook rises 4 mm from one staff height above the top string, the bracket runs 10 mm.
    const auto lignes = Traces(Op::Ligne);
    ASSERT_EQ(lignes.size(), 2u);
    EXPECT_EQ(lignes[0].points[0], (platform::Point{300, Px(50 - 13.75)}));
    EXPECT_EQ(lignes[1].points[1], (platform::Point{400, Px(50 - 17.75)}));
    EXPECT_EQ(lignes[0].stylo.largeur, 2);
    const Trace* t = Texte("1");
    EXPECT_EQ(t->points[0], (platform::Point{308, Px(50 - 17.75 + 0.3)}));
    EXPECT_FALSE(t->fonte.gras);
    EXPECT_FALSE(t->fonte.italique);
    EXPECT_TRUE(t->brosse.vide);

    // An ending numbered 4 right after ending 1 covers passes 2 to 4.
    canevas.Effacer();
    ImprimerFinAlternative(3, 4, 50, 40);
    EXPECT_EQ(Textes(), (std::vector<std::string>{"2 " + Traduire("Repet-A") + " 4"}));
    EXPECT_EQ(Textes()[0], "2 to 4");
}

TEST_F(ImpPeintresTest, TuningNamesOnlyForNonStandardTunings)
{
    struct Cas {
        int cordes;
        std::array<int32_t, 6> notes;
        std::vector<std::string> noms;
    };
    const Cas cas[] = {
        {6, {64, 59, 55, 50, 45, 40}, {}},
        {6, {64, 59, 55, 50, 45, 38}, {"E", "B", "G", "D", "A", "D"}},
        {6, {48, 43, 38, 33, 28, 23}, {}},                              // 6-string bass, B to C
        {6, {47, 43, 38, 33, 28, 23}, {"B", "G", "D", "A", "E", "B"}},  // not that bass
        {5, {43, 38, 33, 28, 23, 0}, {}},
        {5, {64, 59, 55, 50, 45, 0}, {"E", "B", "G", "D", "A"}},        // the guitar's first five
        {4, {43, 38, 33, 28, 0, 0}, {}},
        {4, {42, 37, 32, 27, 0, 0}, {"F#", "C#", "G#", "D#"}},
    };
    for (const Cas& c : cas) {
        Partition.NbCordes[1] = c.cordes;
        for (int s = 1; s <= 6; ++s)
            Partition.Accordage[1][s] = c.notes[static_cast<std::size_t>(s - 1)];
        canevas.Effacer();
        ImprimerAccordage(0);
        EXPECT_EQ(Textes(), c.noms) << c.notes[0] << " " << c.cordes;
    }
    // Right-aligned 1 mm left of x, centred on the string, one point smaller and regular.
    const auto textes = Traces(Op::Texte);
    ASSERT_EQ(textes.size(), 4u);
    EXPECT_EQ(textes[1].points[0], (platform::Point{90 - 12, Px(50 + 2.75) - static_cast<int>(platform::Round(H(8) / 2.0))}));
    EXPECT_EQ(textes[1].fonte.taille, 8);
    EXPECT_FALSE(textes[1].fonte.gras);
}

TEST_F(ImpPeintresTest, NoteNamesAlwaysUseSharps)
{
    struct Cas {
        int32_t note;
        const char* nom;
    };
    for (const Cas c : {Cas{64, "E"}, Cas{40, "E"}, Cas{61, "C#"}, Cas{0, "C"}, Cas{11, "B"}, Cas{70, "A#"}, Cas{-1, "B"}})
        EXPECT_EQ(NomNoteImpression(c.note), c.nom) << c.note;
}

TEST_F(ImpPeintresTest, FretTextsOfDeadGhostAndTiedNotes)
{
    Battements({0, 0, 0, 0, 0});
    Placer();
    Temps(1).Notes[1].Frette = kNoteMorte;
    Temps(2).Notes[1].Nuance = 4;
    Temps(3).Notes[1].Frette = kNoteMorte;
    Temps(3).Notes[1].Nuance = 3;
    Temps(4).Notes[1].Frette = 30;  // above the guitar's 24
    Temps(5).Lie = true;             // keeps its stale fret
    for (int b = 1; b <= 5; ++b)
        ImprimerNote(b, 1);
    EXPECT_EQ(Textes(), (std::vector<std::string>{"x", "(5)", "(x)", "x"}));

    // Centred on the beat and the string, a white box hiding the string behind it.
    const Trace* t = Texte("(5)");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->points[0], (platform::Point{300 - 9, 500 - static_cast<int>(platform::Round(H(9) / 2.0))}));
    const auto boites = Traces(Op::Rectangle);
    ASSERT_EQ(boites.size(), 4u);
    EXPECT_EQ(boites[1].brosse.couleur, platform::clWhite);
    EXPECT_EQ(boites[1].points[0], (platform::Point{Px(30 - 0.3) - 9, 499}));
    EXPECT_EQ(boites[1].points[1], (platform::Point{Px(30 + 0.3) + 9 + 1, Px(50.1) + 2}));

    // The percussion track prints drum numbers up to 99.
    PisteCourante = 8;
    Battements({0});
    Temps(1).Notes[1].Frette = 42;
    Placer();
    canevas.Effacer();
    ImprimerNote(1, 1);
    EXPECT_EQ(Textes(), std::vector<std::string>{"42"});
}

TEST_F(ImpPeintresTest, GraceNotesLineUpLeftOfTheWidestNumber)
{
    Battements({0});
    Placer();
    Temps(1).Notes[1].Frette = 12;
    Temps(1).Notes[3].Frette = 5;
    for (const int s : {1, 3}) {
        Temps(1).Notes[s].FretteGrace = 7;
        Temps(1).Notes[s].NuanceGrace = 6;
        Temps(1).Notes[s].DureeGrace = 2;
    }
    Temps(1).Notes[3].NuanceGrace = 4;
    ImprimerNote(1, 1);
    ImprimerNote(1, 3);
    const Trace* g1 = nullptr;
    const Trace* g3 = nullptr;
    for (const Trace& t : canevas.Traces())
        if (t.operation == Op::Texte && t.texte == "7")
            g1 = &t;
        else if (t.operation == Op::Texte && t.texte == "(7)")
            g3 = &t;
    ASSERT_TRUE(g1 && g3);
    // Right edges at the same column: 0.7 + 0.2 * 2 mm left of the widest number ("12").
    const int droite = Px(10 + 10 - 1.1) - 6;
    EXPECT_EQ(g1->points[0].x + 6, droite);
    EXPECT_EQ(g3->points[0].x + 18, droite);
    EXPECT_EQ(g1->fonte.taille, 6); // three points below the fret font, regular
    EXPECT_FALSE(g1->fonte.gras);
}

TEST_F(ImpPeintresTest, SlidesAreAtLeastTwoMillimetresLong)
{
    Battements({0, 0});
    Temps(1).XImp = 10;
    Temps(2).XImp = 11; // 1 mm apart: both numbers are 0.6 mm wide halves
    Temps(1).Notes[1].Effet = 3;
    ImprimerNote(1, 1);
    const auto lignes = Traces(Op::Ligne);
    ASSERT_EQ(lignes.size(), 1u);
    EXPECT_GE(lignes[0].points[1].x - lignes[0].points[0].x, 19);
    EXPECT_LE(lignes[0].points[1].x - lignes[0].points[0].x, 21);
    // Rising from a quarter spacing below to a quarter above the string.
    EXPECT_GT(lignes[0].points[0].y, lignes[0].points[1].y);
    EXPECT_NE(Texte("sl."), nullptr);

    // The last beat of a measure slides towards a point 8 mm to its right.
    Temps(1).Notes[1].Effet = 0;
    Temps(2).Notes[1].Effet = 4;
    canevas.Effacer();
    ImprimerNote(2, 1);
    const auto l2 = Traces(Op::Ligne);
    ASSERT_EQ(l2.size(), 1u);
    EXPECT_EQ(l2[0].points[0].x, static_cast<int>(platform::Round((11 + 10 + 0.5) * 10 + 3)));
    EXPECT_EQ(l2[0].points[1].x, static_cast<int>(platform::Round((19 + 10 - 0.5) * 10)));
    EXPECT_LT(l2[0].points[0].y, l2[0].points[1].y);
}

TEST_F(ImpPeintresTest, HammerOnArchesOverTheString)
{
    Battements({0, 0});
    Placer();
    Temps(1).Notes[2].Frette = 5;
    Temps(2).Notes[2].Frette = 7;
    Temps(1).Notes[2].Effet = 2;
    ImprimerNote(1, 2);
    const auto arcs = Traces(Op::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    const int X1 = static_cast<int>(platform::Round((20 + 0.5) * 10 + 3));
    const int X2 = static_cast<int>(platform::Round((30 - 0.5) * 10 - 3));
    const double y = 50 + 2.75;
    EXPECT_EQ(arcs[0].points[0], (platform::Point{X1, Px(y - 0.35 * 2.75)}));
    EXPECT_EQ(arcs[0].points[1], (platform::Point{X2, Px(y + 0.15 * 2.75)}));
    // From the right end counter-clockwise to the left: over the top.
    EXPECT_EQ(arcs[0].points[2], (platform::Point{X2, Px(y - 0.12 * 2.75)}));
    EXPECT_EQ(arcs[0].points[3], (platform::Point{X1, Px(y - 0.12 * 2.75)}));
    EXPECT_NE(Texte("PO"), nullptr);
}

TEST_F(ImpPeintresTest, BendAmountsAsFractionsOrDecimals)
{
    Battements({0});
    Placer();
    struct Cas {
        double valeur;
        char separateur;
        const char* texte;
    };
    for (const Cas c : {Cas{0.5, '.', "1/2"}, Cas{0.25, ',', "1/4"}, Cas{0.75, '.', "3/4"}, Cas{1.5, ',', "1,5"},
                        Cas{1.0, '.', "1"}, Cas{2.5, '.', "2.5"}}) {
        DefinirSeparateurDecimal(c.separateur);
        Temps(1).Notes[1].Effet = 5;
        Temps(1).Notes[1].ValeurBend = c.valeur;
        canevas.Effacer();
        ImprimerNote(1, 1);
        EXPECT_EQ(Textes(), (std::vector<std::string>{"5", c.texte})) << c.valeur;
        Temps(1).Notes[1].Effet = 6;
        canevas.Effacer();
        ImprimerNote(1, 1);
        EXPECT_EQ(Textes(), (std::vector<std::string>{"5", c.texte})) << c.valeur;
        EXPECT_EQ(Traces(Op::Arc).size(), 2u);
    }
    DefinirSeparateurDecimal('.');
}

// Painted with the Qt canvas over its string lines, the amount in red: the line it bends to
// runs under it, not through its digits or the tail of a decimal comma.
TEST_F(ImpPeintresTest, ABendAmountPrintsClearOfTheStringLines)
{
    Battements({0});
    Placer();
    Temps(1).Notes[1].Frette = -1;
    Temps(1).Notes[3].Frette = 7;
    PolicesLabels().Definir("FontEff_Prt", TMyFont{"Arial", 5, false, false, CouleurRouge});
    struct Cas {
        double valeur;
        char separateur;
    };
    for (const int effet : {5, 6}) {
        for (const Cas c : {Cas{1.5, ','}, Cas{1.5, '.'}, Cas{2.75, ','}, Cas{0.5, '.'}}) {
            SCOPED_TRACE(std::to_string(effet) + ": " + std::to_string(c.valeur) + " with '" + c.separateur + "'");
            DefinirSeparateurDecimal(c.separateur);
            Temps(1).Notes[3].Effet = static_cast<uint8_t>(effet);
            Temps(1).Notes[3].ValeurBend = c.valeur;
            const Contacts n = RougeContreNoir(PeintQt([] {
                ImprimerCordes(0, 20, ParamImpCourant.PosY);
                ImprimerNote(1, 3);
            }));
            ASSERT_GT(n.rouges, 0);
            ASSERT_GT(n.noirs, 0);
            EXPECT_EQ(n.touches, 0);
        }
    }
    DefinirSeparateurDecimal('.');
}

TEST_F(ImpPeintresTest, ADoubleStopBendPrintsItsAmountPastTheFretAbove)
{
    Battements({0});
    Placer();
    // 8 on string 2, 9 bent on string 3: the amount stood over string 2, where the 8 is.
    Temps(1).Notes[1].Frette = -1;
    Temps(1).Notes[2].Frette = 8;
    Temps(1).Notes[3].Frette = 9;
    Temps(1).Notes[3].ValeurBend = 2.5;
    const int ligne = Px(50 + 2.75); // string 2
    for (const int effet : {5, 6}) {
        SCOPED_TRACE(effet);
        Temps(1).Notes[3].Effet = static_cast<uint8_t>(effet);
        canevas.Effacer();
        ImprimerNote(1, 2);
        ImprimerNote(1, 3);
        const Trace* huit = Texte("8");
        const Trace* valeur = Texte("2.5");
        ASSERT_NE(huit, nullptr);
        ASSERT_NE(valeur, nullptr);
        // Past the 8's white box (0.3 mm either side of it) by 0.2 mm, its cell over the line.
        const int finHuit = static_cast<int>(platform::Round((20 + 0.3) * 10 + 6 / 2.0 + 1));
        EXPECT_EQ(valeur->points[0].x, finHuit + 2);
        EXPECT_GT(valeur->points[0].x, huit->points[0].x + 6);
        EXPECT_LE(valeur->points[0].y + H(5), ligne - 2);
    }
    // Alone on its string pair, the amount keeps its place left of the arrow, over the line too.
    Temps(1).Notes[2].Frette = -1;
    Temps(1).Notes[3].Effet = 5;
    canevas.Effacer();
    ImprimerNote(1, 3);
    const Trace* valeur = Texte("2.5");
    ASSERT_NE(valeur, nullptr);
    // Its right edge 0.5 mm left of the arrow, which stands 4.5 mm past 2 mm before the beat.
    const int fleche = static_cast<int>(platform::Round((10 + 10 - 2.0 + 4.5) * 10 + 6 / 2.0));
    EXPECT_EQ(valeur->points[0].x, fleche - 18 - 5);
    EXPECT_LE(valeur->points[0].y + H(5), ligne - 2);
}

// Painted with the Qt canvas, the amounts in red, a double stop bent on both strings: the lower
// string's amount stood over the upper string's line, under that bend's arc and arrow.
TEST_F(ImpPeintresTest, ADoubleStopBentOnBothStringsPrintsItsAmountsClearOfEveryArrow)
{
    Battements({0, 0, 0, 0});
    PolicesLabels().Definir("FontEff_Prt", TMyFont{"Arial", 5, false, false, CouleurRouge});
    for (const double pas : {10.0, 5.0}) {
        for (const int effet1 : {5, 6}) {
            for (const int effet2 : {5, 6}) {
                SCOPED_TRACE(std::to_string(effet1) + "/" + std::to_string(effet2) + " every " + std::to_string(pas) + " mm");
                for (int b = 1; b <= 4; ++b) {
                    Temps(b).XImp = pas * b;
                    Temps(b).Notes[1].Frette = 7;
                    Temps(b).Notes[2].Frette = 8;
                }
                Temps(1).Notes[1].Effet = static_cast<uint8_t>(effet1);
                Temps(1).Notes[1].ValeurBend = 1;
                Temps(1).Notes[2].Effet = static_cast<uint8_t>(effet2);
                Temps(1).Notes[2].ValeurBend = 2.5;
                const Contacts n = RougeContreNoir(PeintQt([] {
                    ImprimerCordes(0, 45, ParamImpCourant.PosY);
                    for (int b = 1; b <= 4; ++b)
                        for (int s = 1; s <= 2; ++s)
                            ImprimerNote(b, s);
                }));
                ASSERT_GT(n.rouges, 0);
                EXPECT_EQ(n.touches, 0);
            }
        }
    }
}

TEST_F(ImpPeintresTest, StemsJoinSpreadChordsAndRunToTheBeamLine)
{
    Battements({1});
    Placer();
    Temps(1).Notes[2].Frette = 3;
    Temps(1).Notes[5].Frette = 2;
    ImprimerHampes(1);
    const double yB = 50 + 6 * 2.75 + 4;
    const int hN = H(9);
    auto hampes = Hampes();
    ASSERT_EQ(hampes.size(), 2u);
    // One segment, between strings 2 and 5 (1 and 2 are adjacent), then string 5 to the line.
    EXPECT_EQ(hampes[0].points[0].y, static_cast<int>(platform::Round((50 + 2.75 + 0.2) * 10 + hN / 2.0)));
    EXPECT_EQ(hampes[0].points[1].y, static_cast<int>(platform::Round((50 + 4 * 2.75 - 0.2) * 10 - hN / 2.0 + 1)));
    EXPECT_EQ(hampes[1].points[0].y, static_cast<int>(platform::Round((50 + 4 * 2.75 + 0.2) * 10 + hN / 2.0)));
    EXPECT_EQ(hampes[1].points[1].y, static_cast<int>(platform::Round(yB * 10 + 1)));
    EXPECT_EQ(hampes[1].points[0].x, Px(10 + 10 - 0.075));

    struct Cas {
        int code;
        bool silence;
        int hampes;
        double hauteur; // mm above the beam line
    };
    for (const Cas c : {Cas{-2, false, 0, 0}, Cas{-1, false, 1, 2.0}, Cas{1, true, 1, 4.0}, Cas{3, true, 1, 4.0}}) {
        Battements({c.code});
        Placer();
        Temps(1).Silence = c.silence;
        canevas.Effacer();
        ImprimerTempsMesure(1);
        hampes = Hampes();
        ASSERT_EQ(static_cast<int>(hampes.size()), c.hampes) << c.code;
        if (c.hampes) {
            EXPECT_EQ(hampes[0].points[0].y, static_cast<int>(platform::Round((yB - c.hauteur) * 10))) << c.code;
        }
    }
    // A quarter rest: its glyph only, no stem and no beam.
    Battements({0});
    Placer();
    Temps(1).Silence = true;
    canevas.Effacer();
    ImprimerTempsMesure(1);
    EXPECT_TRUE(Hampes().empty());
    EXPECT_EQ(Traces(Op::Polygone).size(), 1u);
    EXPECT_EQ(Traces(Op::Polygone)[0].points.size(), 16u);
}

TEST_F(ImpPeintresTest, BeamsAndDotsFollowTheBeamBytes)
{
    Battements({1, 2, 2});
    Temps(1).Pointee = false;
    Placer();
    ImprimerTempsMesure(1);
    const double yB = 50 + 6 * 2.75 + 4;
    // Beam 1 from beat 1 to beat 3 drawn by both sides, beam 2 between beats 2 and 3.
    int premiere = 0;
    int seconde = 0;
    for (const Trace& t : Traces(Op::Rectangle)) {
        if (t.points[0].y == Px(yB - 0.5) && t.points[1].y == static_cast<int>(platform::Round(yB * 10 + 1)))
            ++premiere;
        if (t.points[0].y == Px(yB - 1.5) && t.points[1].y == static_cast<int>(platform::Round((yB - 1) * 10 + 1)))
            ++seconde;
    }
    EXPECT_EQ(premiere, 4);
    EXPECT_EQ(seconde, 2);

    // Stale neighbour indices are not followed.
    Temps(2).TempsPrec = 40;
    Temps(2).TempsSuiv = 0;
    canevas.Effacer();
    ImprimerCroches(2);
    for (const Trace& t : Traces(Op::Rectangle))
        EXPECT_GE(t.points[0].x, Px(10 + 20 - 2)) << "a beam reached a beat that is not there";
}

TEST_F(ImpPeintresTest, TripletBracketOfAnIncompleteTriplet)
{
    Battements({1, 1});
    for (int b = 1; b <= 2; ++b) {
        Temps(b).Triolet = true;
        Temps(b).PosTriolet = static_cast<int8_t>(b);
    }
    Placer();
    ImprimerTriolet(1, 1);
    const auto lignes = Traces(Op::Ligne);
    ASSERT_EQ(lignes.size(), 3u);
    const double y0 = 50 + 6 * 2.75 + 4 + 1;
    EXPECT_EQ(lignes[0].points[0], (platform::Point{200, Px(y0)}));
    EXPECT_EQ(lignes[1].points[1], (platform::Point{300, Px(y0 + 1.5)})); // 10 mm
    const Trace* trois = Texte(" 3 ");
    ASSERT_NE(trois, nullptr);
    EXPECT_FALSE(trois->brosse.vide);

    // With its third beat the bracket reaches it.
    Battements({1, 1, 1});
    for (int b = 1; b <= 3; ++b) {
        Temps(b).Triolet = true;
        Temps(b).PosTriolet = static_cast<int8_t>(b);
    }
    Temps(3).XImp = 42;
    canevas.Effacer();
    ImprimerTriolet(1, 1);
    EXPECT_EQ(Traces(Op::Ligne)[1].points[1].x, 520);
}

TEST_F(ImpPeintresTest, TieFromTheLineStartOrFromThePreviousMeasure)
{
    Mesures(2);
    Battements({0, 0}, 1);
    Battements({0}, 2);
    Placer(1);
    Temps(1, 2).XImp = 40;
    Temps(1, 2).Lie = true;
    const double y0 = 50 + 6 * 2.75 + 4 + 1;

    // Measure 2 starts the printed line: the tie comes from 5 mm to the left.
    PremiereMesureLigneImpr = 2;
    ImprimerLiaisons(2, 1);
    auto arcs = Traces(Op::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].points[0], (platform::Point{Px(10 + 35), Px(y0 - 1.5)}));
    EXPECT_EQ(arcs[0].points[1], (platform::Point{Px(10 + 40), Px(y0 + 1.5)}));
    EXPECT_EQ(arcs[0].points[2], (platform::Point{Px(45), Px(y0)})); // left end to right end:
    EXPECT_EQ(arcs[0].points[3], (platform::Point{Px(50), Px(y0)})); // the lower half
    ASSERT_EQ(Traces(Op::Pixel).size(), 1u);
    EXPECT_EQ(Traces(Op::Pixel)[0].points[0], (platform::Point{Px(50) - 1, Px(y0)}));

    // In mid-line it joins the last beat of the previous measure.
    PremiereMesureLigneImpr = 1;
    canevas.Effacer();
    ImprimerLiaisons(2, 1);
    EXPECT_EQ(Traces(Op::Arc)[0].points[0].x, Px(10 + 20));

    // An untied beat draws nothing.
    Temps(1, 2).Lie = false;
    canevas.Effacer();
    ImprimerLiaisons(2, 1);
    EXPECT_TRUE(canevas.Traces().empty());
}

TEST_F(ImpPeintresTest, VibratoRunsToThreeMillimetresBeforeTheNextBeat)
{
    Battements({0, 0});
    Placer();
    Temps(2).Effet = 1; // last beat: 8 - 3 = 5 mm, Trunc(5 / 0.6) = 8 segments
    Temps(1).Effet = 2; // 10 - 3 = 7 mm of tremolo bar: Trunc(7 / 0.9) = 7
    ImprimerEffetsTemps(2);
    EXPECT_EQ(Traces(Op::Ligne).size(), 8u);
    canevas.Effacer();
    ImprimerEffetsTemps(1);
    const auto lignes = Traces(Op::Ligne);
    ASSERT_EQ(lignes.size(), 7u);
    // Rising first: from half a step below the effect row to half a step above it.
    EXPECT_EQ(lignes[0].points[0], (platform::Point{200, Px(50 - 3.5 + 0.45)}));
    EXPECT_EQ(lignes[0].points[1], (platform::Point{209, Px(50 - 3.5 - 0.45)}));
    EXPECT_EQ(lignes[0].stylo.largeur, 2);
}

TEST_F(ImpPeintresTest, BeatTechniqueLettersAndVibratoStroke)
{
    Battements({0});
    Placer();
    struct Cas {
        int effet;
        double valeur;
        const char* texte;
    };
    for (const Cas c : {Cas{3, 1.0, "1"}, Cas{3, 0.75, "3/4"}, Cas{4, 0, "<"}, Cas{5, 0, "T"}, Cas{9, 0, "A.H."}}) {
        Temps(1).Effet = static_cast<int8_t>(c.effet);
        Temps(1).ValeurCoupVib = c.valeur;
        canevas.Effacer();
        ImprimerEffetsTemps(1);
        EXPECT_EQ(Textes(), std::vector<std::string>{c.texte}) << c.effet;
    }
    // The fade-in sign is two points larger.
    EXPECT_EQ(Traces(Op::Texte)[0].fonte.taille, 6);
    Temps(1).Effet = 4;
    canevas.Effacer();
    ImprimerEffetsTemps(1);
    EXPECT_EQ(Traces(Op::Texte)[0].fonte.taille, 8);
}

// Painted with the Qt canvas, its amount in red: no pixel of the amount may touch one of the
// V, or "2.75" prints with its outer digits on the arms.
TEST_F(ImpPeintresTest, TheVibratoStrokeAmountPrintsClearOfItsV)
{
    Battements({0});
    Placer();
    PolicesLabels().Definir("FontValEff_Prt", TMyFont{"Arial", 6, false, false, CouleurRouge});
    struct Cas {
        double valeur;
        char separateur;
    };
    for (const Cas c : {Cas{1.0, '.'}, Cas{1.5, '.'}, Cas{1.5, ','}, Cas{0.75, '.'}, Cas{2.75, ','}, Cas{3.5, '.'}}) {
        SCOPED_TRACE(std::to_string(c.valeur) + " with '" + c.separateur + "'");
        DefinirSeparateurDecimal(c.separateur);
        Temps(1).Effet = 3;
        Temps(1).ValeurCoupVib = c.valeur;
        const Contacts n = RougeContreNoir(PeintQt([] { ImprimerEffetsTemps(1); }));
        ASSERT_GT(n.rouges, 0);
        ASSERT_GT(n.noirs, 0);
        EXPECT_EQ(n.touches, 0);
    }
    DefinirSeparateurDecimal('.');
}

// Painted with the Qt canvas, a bend's amount in red over the top string: no pixel of it may
// touch the beat's letter or vibrato stroke, as on screen.
TEST_F(ImpPeintresTest, AMarkOverTheStaffAndATopStringBendAmountPrintClearOfEachOther)
{
    Battements({0, 0});
    Placer();
    PolicesLabels().Definir("FontEff_Prt", TMyFont{"Arial", 5, false, false, CouleurRouge});
    struct Marque {
        const char* nom;
        int effet;
    };
    for (const Marque m : {Marque{"none", 0}, Marque{"T", 5}, Marque{"A.H.", 9}, Marque{"<", 4}, Marque{"V", 3}}) {
        for (const int bend : {5, 6}) {
            for (const bool vSuivant : {false, true}) {
                SCOPED_TRACE(std::string(m.nom) + (bend == 5 ? " over a bend" : " over a bend and release") +
                             (vSuivant ? ", a V on the next beat" : ""));
                Temps(1).Notes[1].Effet = static_cast<uint8_t>(bend);
                Temps(1).Notes[1].ValeurBend = 2.75;
                Temps(1).Effet = static_cast<int8_t>(m.effet);
                Temps(1).ValeurCoupVib = 1.5;
                Temps(2).Effet = vSuivant ? 3 : 0;
                Temps(2).ValeurCoupVib = 1.5;
                const Contacts n = RougeContreNoir(PeintQt([] {
                    ImprimerCordes(0, 30, ParamImpCourant.PosY);
                    for (int b = 1; b <= 2; ++b) {
                        ImprimerEffetsTemps(b);
                        ImprimerNote(b, 1);
                    }
                }));
                ASSERT_GT(n.rouges, 0);
                EXPECT_EQ(n.touches, 0);
            }
        }
    }
}

// The ink a wave adds to `sansVague` (painted without it) in rows y0..499, columns 150..299, and
// how often it touches, corners included, ink of `sansVague` that `fond` (when given) lacks.
struct EncreVague {
    int vague = 0;
    int contacts = 0;
};
EncreVague VagueContreEncre(const QImage& avec, const QImage& sansVague, int y0, const QImage* fond = nullptr)
{
    const auto encre = [](const QImage& i, int x, int y) { return (i.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF; };
    EncreVague n;
    for (int y = y0; y < 500; ++y)
        for (int x = 150; x < 300; ++x) {
            if (!encre(avec, x, y) || encre(sansVague, x, y))
                continue;
            ++n.vague;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    n.contacts += encre(sansVague, x + dx, y + dy) && !(fond && encre(*fond, x + dx, y + dy)) ? 1 : 0;
        }
    return n;
}

// A vibrato or tremolo-bar wave printed through a top-string bend's amount.
TEST_F(ImpPeintresTest, AWavePrintsClearOfATopStringBend)
{
    Battements({0, 0});
    Placer();
    for (const int effet : {1, 2}) {
        for (const int bend : {5, 6}) {
            SCOPED_TRACE(std::string(effet == 1 ? "vibrato" : "tremolo bar") + (bend == 5 ? " and bend" : " and release"));
            auto peindre = [] {
                ImprimerEffetsTemps(1);
                ImprimerNote(1, 1);
            };
            Temps(1).Notes[1].Effet = static_cast<uint8_t>(bend);
            Temps(1).Notes[1].ValeurBend = 1.5;
            Temps(1).Effet = static_cast<int8_t>(effet);
            const QImage avec = PeintQt(peindre);
            Temps(1).Effet = 0;
            const QImage sansVague = PeintQt(peindre);
            Temps(1).Notes[1].Effet = 0;
            const QImage sansBend = PeintQt(peindre);
            // The wave's ink may not touch the bend's, corners included.
            const EncreVague n = VagueContreEncre(avec, sansVague, 400, &sansBend);
            ASSERT_GT(n.vague, 20);
            EXPECT_EQ(n.contacts, 0);
        }
    }
}

TEST_F(ImpPeintresTest, ChordNameOrDiagram)
{
    Battements({0, 0});
    Placer();
    auto avec = std::make_shared<TAccord>();
    avec->Nom = "G";
    avec->Frettes = {0, 3, 0, 0, 0, 2, 3};
    auto sans = std::make_shared<TAccord>();
    sans->Nom = "Gsus";
    Temps(1).AvecAccord = true;
    Temps(1).Accord = avec;
    Temps(2).AvecAccord = true;
    Temps(2).Accord = sans;

    struct Cas {
        bool diagrammes, noms;
        std::vector<std::string> textes;
        std::size_t lignes;
    };
    const Cas cas[] = {
        {true, true, {"G", "Gsus"}, 13}, // the name under the diagram; no diagram: the name alone
        {true, false, {}, 13},
        {false, true, {"G", "Gsus"}, 0},
        {false, false, {}, 0},
    };
    for (const Cas& c : cas) {
        ParamImpCourant.AffDiag_Prt = c.diagrammes;
        ParamImpCourant.AffChordsName_Prt = c.noms;
        canevas.Effacer();
        if (c.diagrammes || c.noms) {
            ImprimerAccord(1);
            ImprimerAccord(2);
        }
        EXPECT_EQ(Textes(), c.textes) << c.diagrammes << c.noms;
        // Six fret lines, six strings and the nut; every string is played or open.
        EXPECT_EQ(Traces(Op::Ligne).size(), c.lignes) << c.diagrammes << c.noms;
    }
    // The name alone starts half a letter before the beat, centred 6.8 mm above the top string.
    ParamImpCourant.AffDiag_Prt = false;
    ParamImpCourant.AffChordsName_Prt = true;
    ParamImpCourant.EspNomAc_Prt = 3;
    canevas.Effacer();
    ImprimerAccord(2);
    EXPECT_EQ(Texte("Gsus")->points[0],
              (platform::Point{300 - 3, static_cast<int>(platform::Round((50 - 6.8 - 1) * 10 - H(8) / 2.0))}));
}

TEST_F(ImpPeintresTest, DiagramGridMarksAndBaseFret)
{
    TAccord a;
    a.Nom = "A7";
    a.FretteBase = 5;
    a.Frettes = {0, 5, 5, 6, 5, 7, -1};
    a.NbBarres = 1;
    a.BarreFrette[1] = 5;
    a.BarreCordeDebut[1] = 1;
    a.BarreCordeFin[1] = 4;
    ImprimerDiagramme(a, true, 100, 80);
    // No nut: six and six grid lines, then the X of string 6 (two lines).
    EXPECT_EQ(Traces(Op::Ligne).size(), 14u);
    const double s = 1.6;
    const double haut = 80 - 5 * s;
    const double gauche = 100 - 2.5 * s;
    const auto lignes = Traces(Op::Ligne);
    EXPECT_EQ(lignes[0].points[0], (platform::Point{Px(gauche), Px(haut)}));
    EXPECT_EQ(lignes[0].points[1], (platform::Point{Px(gauche + 5 * s) + 1, Px(haut)}));
    // Dots for strings 3 (fret 6) and 5 (fret 7); strings 1, 2 and 4 lie under the barre,
    // which ends in two dots.
    EXPECT_EQ(Traces(Op::Ellipse).size(), 4u);
    EXPECT_EQ(Traces(Op::Rectangle).size(), 1u);
    const Trace* base = Texte("5");
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(base->points[0], (platform::Point{Px(gauche - 2.0 / 3 * s) - 6, Px(haut - s / 3)}));
    const Trace* nom = Texte("A7");
    ASSERT_NE(nom, nullptr);
    EXPECT_EQ(nom->points[0], (platform::Point{Px(100) - 6, Px(haut + 5.25 * s)}));

    // Base fret 1: the nut above the grid; ChordSize 40 doubles the spacing.
    a.FretteBase = 1;
    a.Frettes = {0, 0, 1, 0, 2, 3, -1};
    a.NbBarres = 0;
    ParamImpCourant.ChordSize_Prt = 40;
    canevas.Effacer();
    ImprimerDiagramme(a, false, 100, 80);
    EXPECT_EQ(Traces(Op::Ligne).size(), 15u);
    EXPECT_EQ(Traces(Op::Ligne)[0].points[1].x - Traces(Op::Ligne)[0].points[0].x, 161);
    EXPECT_EQ(Texte("A7"), nullptr);
}

TEST_F(ImpPeintresTest, BlackBlocksGiveEveryTextAWhiteBackground)
{
    Battements({0});
    Placer();
    Mesure().LargeurImp = 30; // room for the text before the closing bar line
    Temps(1).Texte = "intro";
    ImprimerTexteTemps(1);
    ImprimerNote(1, 1);
    for (const Trace& t : Traces(Op::Texte))
        EXPECT_TRUE(t.brosse.vide) << t.texte;
    Configuration.BlackBlocks = true;
    canevas.Effacer();
    ImprimerTexteTemps(1);
    ImprimerNote(1, 1);
    for (const Trace& t : Traces(Op::Texte)) {
        EXPECT_FALSE(t.brosse.vide) << t.texte;
        EXPECT_EQ(t.brosse.couleur, platform::clWhite) << t.texte;
    }
    // The text: half a "C" before the beat, centred 9.8 mm above the top string.
    EXPECT_EQ(Texte("intro")->points[0],
              (platform::Point{200 - 3, static_cast<int>(platform::Round((50 - 9.8) * 10 - H(8) / 2.0))}));
}

TEST_F(ImpPeintresTest, StrumArrowStandsRightOfTheWidestNumber)
{
    Battements({0});
    Placer();
    Temps(1).Notes[2].Frette = 12;
    Temps(1).Brush = 2;
    ImprimerEffetsTemps(1);
    const auto lignes = Traces(Op::Ligne);
    ASSERT_EQ(lignes.size(), 3u);
    const int X = Px(10 + 10 + 1.5) + 6; // "12" is 12 pixels wide
    EXPECT_EQ(lignes[0].points[0], (platform::Point{X, Px(50 + 2.75 / 3)}));
    EXPECT_EQ(lignes[0].points[1], (platform::Point{X, Px(50 - 2.75 / 3 + 5 * 2.75)}));
    // Down: the head at the bottom.
    EXPECT_EQ(lignes[1].points[0], lignes[0].points[1]);
    EXPECT_EQ(lignes[1].points[1], (platform::Point{X + 10, lignes[0].points[1].y - 10}));
}

// Texts as wide per character as their size in points, so that widths follow the fonts.
class CanevasProportionnel : public platform::CanevasEnregistreur {
protected:
    platform::Dimension MesurerTexte(std::string_view texte) override
    {
        return {static_cast<int>(texte.size()) * Fonte().taille, Fonte().taille};
    }
};

TEST_F(ImpPeintresTest, StrumArrowClearsTheNumbersAsPrintedAtAnyProportion)
{
    CanevasProportionnel proportionnel;
    CanvasImpr = &proportionnel;
    Battements({0});
    Placer();
    Temps(1).Notes[2].Frette = 12;
    Temps(1).Brush = 1;
    for (const double coef : {1.0, 2.0, 3.0}) {
        ParamImpCourant.CoefProportions = coef;
        proportionnel.Effacer();
        ImprimerEffetsTemps(1);
        const auto lignes = proportionnel.Traces(Op::Ligne);
        ASSERT_EQ(lignes.size(), 3u);
        // "12" prints 2 * 9 * coef pixels wide: the arrow stands 1.5 mm right of its half.
        const int demi = static_cast<int>(platform::Round(9 * coef));
        EXPECT_EQ(lignes[0].points[0].x, Px(10 + 10 + 1.5) + demi) << coef;
        // Up: the head at the top.
        EXPECT_EQ(lignes[1].points[0], lignes[0].points[0]);
    }
}

// A line of eighths, each bent on the top string, painted with the Qt canvas, the amounts in
// red: no vibrato stroke's V may touch one, its own beat's or the next beat's, whatever the
// stroke's amount and at close note spacing too.
TEST_F(ImpPeintresTest, VibratoStrokesOnEighthsPrintClearOfTheTopStringBendAmounts)
{
    PolicesLabels().Definir("FontEff_Prt", TMyFont{"Arial", 5, false, false, CouleurRouge});
    PageExacte(10.0, 1100);
    ParamImpCourant.MargeDroiteLignes = 10;
    ParamImpCourant.PosY = 30;
    Mesures(2);
    for (const int espacement : {5, 2}) {
        ParamImpCourant.CoefEspAff_Prt = espacement;
        CalculerLargeursTempsImpression();
        for (const double coup : {0.5, 1.0, 1.5, 2.0, 3.0}) {
            for (const bool vPartout : {false, true}) {
                SCOPED_TRACE("spacing " + std::to_string(espacement) + ", stroke " + std::to_string(coup) +
                             (vPartout ? ", a V on every beat" : ", a V on every other beat"));
                for (int m = 1; m <= 2; ++m) {
                    Battements({1, 1, 1, 1, 1, 1, 1, 1}, m);
                    for (int b = 1; b <= 8; ++b) {
                        Temps(b, m).Notes[1].Frette = 7;
                        Temps(b, m).Notes[1].Effet = 5;
                        Temps(b, m).Notes[1].ValeurBend = 1;
                        Temps(b, m).Effet = vPartout || b % 2 == 1 ? 3 : 0;
                        Temps(b, m).ValeurCoupVib = coup;
                    }
                }
                const Contacts n = RougeContreNoir(PeintQt([] { ImprimerLigne(1, true); }, 1100));
                ASSERT_GT(n.rouges, 0);
                EXPECT_EQ(n.touches, 0);
            }
        }
    }
    ParamImpCourant.CoefEspAff_Prt = 5;
    CalculerLargeursTempsImpression();
}


// Painted with the Qt canvas, the numbers in red: a grace note on the first beat of a measure
// keeps its ink off the bar line before it, moving towards its fret where it needs to.
TEST_F(ImpPeintresTest, AGraceNoteOnAMeasuresFirstBeatPrintsClearOfTheBarLine)
{
    PageExacte(10.0, 1100);
    ParamImpCourant.MargeDroiteLignes = 10;
    ParamImpCourant.PosY = 30;
    PolicesLabels().Definir("FontNotes_Prt", TMyFont{"Arial", 9, true, false, CouleurRouge});
    Mesures(3);
    struct Cas {
        int frette, grace, duree;
    };
    for (const Cas c : {Cas{12, 7, 1}, Cas{12, 7, 3}, Cas{7, 12, 3}, Cas{5, 100, 2}}) {
        SCOPED_TRACE("grace " + std::to_string(c.grace) + " of length " + std::to_string(c.duree) + " before " +
                     std::to_string(c.frette));
        Battements({-2}, 1);
        for (int m = 2; m <= 3; ++m)
            Battements({1, 1, 1, 1, 1, 1, 1, 1}, m);
        TNoteCorde& note = Temps(1, 2).Notes[1];
        note.Frette = static_cast<int8_t>(c.frette);
        note.FretteGrace = static_cast<int8_t>(c.grace);
        note.NuanceGrace = 3;
        note.DureeGrace = static_cast<uint8_t>(c.duree);
        const QImage image = PeintQt([] { ImprimerLigne(1, true); }, 1100);
        // From 2 mm before the bar to the beat, over the top string: at close spacing the
        // string runs into the numbers between the beats.
        const TMesure& premiere = Mesure(1);
        const int barre = Px(10 + premiere.LargeurImp + premiere.EspaceDroiteImp);
        const int temps = Px(10 + Temps(1, 2).XImp);
        const Contacts n = RougeContreNoir(image.copy(barre - 20, Px(30) - 30, temps - barre + 20, 60));
        ASSERT_GT(n.rouges, 0);
        EXPECT_EQ(n.touches, 0);
    }
}


// A wave printed over a double stop bent twice: the lower string's amount stands over the upper
// bend's arrow, in the wave's row.
TEST_F(ImpPeintresTest, AWavePrintsClearOfADoubleStopBentTwice)
{
    Battements({0, 0});
    Placer();
    Temps(2).XImp = 16; // too close for the wave to start past the bends
    for (int s = 1; s <= 2; ++s) {
        Temps(1).Notes[s].Frette = 7;
        Temps(1).Notes[s].Effet = 5;
        Temps(1).Notes[s].ValeurBend = 2.5;
    }
    for (const int effet : {1, 2}) {
        SCOPED_TRACE(effet == 1 ? "vibrato" : "tremolo bar");
        auto peindre = [] {
            ImprimerEffetsTemps(1);
            ImprimerNote(1, 1);
            ImprimerNote(1, 2);
        };
        Temps(1).Effet = static_cast<int8_t>(effet);
        const QImage avec = PeintQt(peindre);
        Temps(1).Effet = 0;
        const QImage sansVague = PeintQt(peindre);
        const EncreVague n = VagueContreEncre(avec, sansVague, 350);
        ASSERT_GT(n.vague, 20);
        EXPECT_EQ(n.contacts, 0);
    }
}
} // namespace
