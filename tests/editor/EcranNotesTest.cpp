// The score painter's notes, techniques, chords and texts.
#include "FixtureEcran.h"
#include "support/BoitesTraces.h"

#include "editor/EcranNotes.h"
#include "platform/Arrondi.h"

#include <set>

namespace {

using Notes = FixtureEcran;
using Op = platform::CanevasEnregistreur::Operation;
using platform::Couleur;
using lyrx_test::Boite;
using lyrx_test::BoiteDe;
using lyrx_test::Couvertes;

std::string P(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
int R(double v) { return static_cast<int>(platform::Round(v)); }

} // namespace

TEST(TexteFrette, ShowsTheFretADeadNoteOrAGhostNote)
{
    struct Cas {
        int frette;
        int nuance;
        int piste;
        const char* attendu;
    };
    for (const Cas& c : {Cas{-1, 6, 1, ""}, Cas{-1, 3, 1, ""}, Cas{0, 6, 1, "0"}, Cas{5, 6, 1, "5"},
                         Cas{24, 6, 1, "24"}, Cas{100, 6, 1, "x"}, Cas{30, 6, 1, "x"}, Cas{99, 6, 8, "99"},
                         Cas{100, 6, 8, "x"}, Cas{5, 4, 1, "(5)"}, Cas{5, 5, 1, "5"}, Cas{100, 1, 1, "(x)"},
                         Cas{12, 0, 1, "(12)"}}) {
        TNoteCorde note;
        note.Frette = static_cast<int8_t>(c.frette);
        note.Nuance = static_cast<uint8_t>(c.nuance);
        EXPECT_EQ(TexteFrette(note, c.piste), c.attendu) << c.frette << " dyn " << c.nuance << " track " << c.piste;
    }
}

TEST(TeinteNuance, GreyLevelsByDynamicNeverLeaveTheRange)
{
    const int niveaux[] = {243, 239, 219, 191, 155, 112, 60, 0};
    for (int d = 1; d <= 8; ++d)
        EXPECT_EQ(TeinteNuance(d), CouleurRVB(niveaux[d - 1], niveaux[d - 1], niveaux[d - 1])) << d;
    // A damaged file's dynamic is taken at the nearest bound: 9 would give a negative level.
    EXPECT_EQ(TeinteNuance(0), CouleurRVB(243, 243, 243));
    EXPECT_EQ(TeinteNuance(9), 0);
    EXPECT_EQ(TeinteNuance(255), 0);
}

// ---- Notes ---------------------------------------------------------------------------------

TEST_F(Notes, AFretCutsItsStringAndIsCentredOnTheBeat)
{
    Battements({0, 0, 0, 0});
    Temps(1).Notes[1].Frette = -1;
    Temps(1).Notes[2].Frette = 12;
    Peindre();
    const int x = X(1);
    // Arial 8 bold: 11 pixels, 14 high; "12" is 12 wide.
    const auto lignes = Lignes(canevas);
    const auto texte = std::find(lignes.begin(), lignes.end(),
                                 "Texte " + P(x - 6 + 1, 74 - 7) + " \"12\" font \"Arial\" 8 B #000000 brush clear");
    ASSERT_NE(texte, lignes.end());
    EXPECT_EQ(*(texte - 1), "Ligne " + P(x - 7, 74) + "," + P(x + 8, 74) + " pen #FFFFFF");
}

TEST_F(Notes, ASmallRegularFretFontShiftsItsTextLeft)
{
    TMyFont petite{"Arial", 7, false, false, CouleurNoire};
    PolicesLabels().Definir("FontNotes", petite);
    Battements({0, 0, 0, 0});
    Peindre();
    const int x = X(1);
    // 9 pixels, 12 high; "5" 6 wide: k = 2, and the cut is a pixel longer under 9 points.
    EXPECT_TRUE(Contient(canevas, "Ligne " + P(x - 4, 64) + "," + P(x + 5, 64) + " pen #FFFFFF"));
    EXPECT_TRUE(Contient(canevas, "Texte " + P(x - 3 + 1 - 2, 64 - 6) + " \"5\" font \"Arial\" 7 #000000 brush clear"));
}

TEST_F(Notes, DynamicsShadeTheFretAndLetRingFramesIt)
{
    Configuration.ShowDynamic = true;
    Configuration.ShowLetRingNotes = true;
    Battements({0, 0, 0, 0});
    Temps(1).Notes[1].Nuance = 4;
    Temps(2).Notes[1].Nuance = 1;
    Temps(3).Notes[1].Effet = 7;
    Peindre();
    EXPECT_TRUE(Contient(canevas, "Texte " + P(X(1) - 9 + 1, 57) + " \"(5)\" font \"Arial\" 8 B #BFBFBF brush clear"));
    // ppp is a ghost note too.
    EXPECT_TRUE(Contient(canevas, "Texte " + P(X(2) - 9 + 1, 57) + " \"(5)\" font \"Arial\" 8 B #F3F3F3 brush clear"));
    // The frame hugs the cut: from its left end to one past its right end.
    const int x = X(3);
    EXPECT_TRUE(Contient(canevas, "Rectangle " + P(x - 4, 64 - 7 + 1) + "," + P(x + 5 + 1, 64 + 7 - 1) +
                                      " pen #000000 brush #FFFFFF"));
    EXPECT_EQ(Compte(canevas, "Rectangle " + P(X(1) - 4, 58)), 0);

    Configuration.ShowLetRingNotes = false;
    Peindre();
    EXPECT_EQ(Compte(canevas, "Rectangle " + P(x - 4, 58)), 0);
}

TEST_F(Notes, AGraceNoteStandsLeftOfTheWidestFretOfItsBeat)
{
    // On the second beat: on the first, a grace note this far from its beat would reach the bar.
    Battements({0, 0, 0, 0});
    Temps(2).Notes[1].Frette = 10;
    Temps(2).Notes[1].Nuance = 3; // "(10)", 24 wide
    Temps(2).Notes[3].Frette = 5;
    Temps(2).Notes[3].FretteGrace = 7;
    Temps(2).Notes[3].NuanceGrace = 6;
    Temps(2).Notes[3].DureeGrace = 2;
    Peindre();
    const int gx = X(2) - 12 - 2 - 2;
    // "Small Fonts" 6: 8 pixels, 11 high; regular and small, so k = 2.
    EXPECT_TRUE(Contient(canevas, "Ligne " + P(gx - 6 - 1, 84) + "," + P(gx, 84) + " pen #FFFFFF"));
    EXPECT_TRUE(Contient(canevas, "Texte " + P(gx - 6 + 1 - 2, 84 - 6) + " \"7\" font \"Small Fonts\" 6 #000000 brush clear"));

    // A ghost grace note of a dead note.
    Temps(2).Notes[3].FretteGrace = 100;
    Temps(2).Notes[3].NuanceGrace = 2;
    Peindre();
    EXPECT_EQ(Compte(canevas, "Texte " + P(gx - 18 + 1 - 2, 78) + " \"(x)\""), 1);
}

TEST_F(Notes, RestsAndTiedBeatsShowNoFrets)
{
    Battements({0, 0, 0, 0});
    Temps(2).Silence = true;
    Temps(3).Lie = true; // its slot keeps the fret of before
    Temps(4).Notes[1].Frette = 9;
    Peindre();
    EXPECT_EQ(Textes(canevas), (std::vector<std::string>{"1", "5", "9", "4", "4"}));
    // The rest glyph instead, in the middle of the staff.
    EXPECT_EQ(canevas.Traces(Op::Polygone).size(), 1u);
}

// ---- Link marks ----------------------------------------------------------------------------

TEST_F(Notes, AHammerOnEndsBeforeTheNextFretOrThirtyPixelsOn)
{
    Battements({0, 0, 0, 0});
    Temps(1).Notes[3].Frette = 5;
    Temps(1).Notes[3].Effet = 1;
    Temps(2).Notes[3].Frette = 12;
    Temps(4).Notes[1].Effet = 2;
    Peindre();
    // String 3: ya = 64 + Round(16.5) = 80, yb = 64 + Round(21.5) = 86, ym = 83.
    const int xa = X(1) + 3 + 2;
    const int xb = X(2) - 6 - 2 + 1;
    EXPECT_TRUE(Contient(canevas, "Arc " + P(xa, 79) + "," + P(xb, 85) + " " + P(xb, 82) + " " + P(xa, 82) + " pen #000000"));
    EXPECT_TRUE(Contient(canevas, "Pixel " + P(xa, 82) + " #000000"));
    // "HO" one point under the technique font: 7 pixels, 10 high.
    EXPECT_TRUE(Contient(canevas, "Texte " + P(R((xa + xb - 12) / 2.0), R(80 - 0.75 - 8) - 2) +
                                      " \"HO\" font \"Small Fonts\" 5 #000000 brush clear"));

    // The measure's last beat: 30 pixels from the note. String 1: ya = 64 + Round(-3.5), yb = 64 + Round(1.5).
    const int xa4 = X(4) + 3 + 2;
    const int xb4 = X(4) + 30 + 1;
    EXPECT_TRUE(Contient(canevas, "Arc " + P(xa4, 59) + "," + P(xb4, 65) + " " + P(xb4, 62) + " " + P(xa4, 62) + " pen #000000"));
    EXPECT_EQ(Compte(canevas, "Texte " + P(R((xa4 + xb4 - 12) / 2.0), R(60 - 0.75 - 8) - 2) + " \"PO\""), 1);
}

TEST_F(Notes, AShortSlideIsWidenedToSevenPixels)
{
    Battements({0, 0, 0, 0});
    TContexteEcran ctx = ContexteEcran(canevas, kY);
    ASSERT_TRUE(CommencerMesure(ctx, 1));
    struct Cas {
        int x1, x2, xa, xb;
    };
    for (const Cas& c : {Cas{10, 13, 8, 15}, Cas{10, 14, 8, 16}, Cas{10, 15, 9, 16}, Cas{10, 17, 10, 17}, Cas{10, 30, 10, 30}}) {
        canevas.Effacer();
        DessinerSlideUp(ctx, c.x1, c.x2, 2);
        // String 2: up from Round(12.5) = 12 below the staff top to Round(7.5) = 8, with the end pixel.
        const auto lignes = Lignes(canevas);
        ASSERT_EQ(lignes.size(), 3u);
        EXPECT_EQ(lignes[0], "Ligne " + P(kMG + c.xa, 76) + "," + P(kMG + c.xb, 72) + " pen #000000") << c.x1 << "-" << c.x2;
        EXPECT_EQ(lignes[1], "Pixel " + P(kMG + c.xb, 72) + " #000000");
        EXPECT_EQ(lignes[2], "Texte " + P(R((2 * kMG + c.xa + c.xb - 18) / 2.0), 62) +
                                 " \"sl.\" font \"Small Fonts\" 7 I #000000 brush clear");
    }
    canevas.Effacer();
    DessinerSlideDown(ctx, 10, 30, 2);
    EXPECT_EQ(Lignes(canevas)[0], "Ligne " + P(kMG + 10, 72) + "," + P(kMG + 30, 76) + " pen #000000");
}

TEST_F(Notes, BendsRiseOneSpacingWithTheirValue)
{
    Battements({0, 0, 0, 0});
    Temps(1).Notes[1].Frette = -1;
    Temps(1).Notes[2].Frette = 7;
    Temps(1).Notes[2].Effet = 5;
    Temps(1).Notes[2].ValeurBend = 0.5;
    Temps(2).Notes[1].Frette = -1;
    Temps(2).Notes[2].Frette = 7;
    Temps(2).Notes[2].Effet = 6;
    Temps(2).Notes[2].ValeurBend = 1.5;
    Peindre();
    const int x0 = X(1) + 3;
    EXPECT_TRUE(Contient(canevas, "Arc " + P(x0 - 6, 54) + "," + P(x0 + 9, 74) + " " + P(x0 + 2, 74) + " " + P(x0 + 9, 64) + " pen #000000"));
    EXPECT_TRUE(Contient(canevas, "Ligne " + P(x0 + 8, 64) + "," + P(x0 + 5, 67) + " pen #000000"));
    EXPECT_TRUE(Contient(canevas, "Ligne " + P(x0 + 8, 64) + "," + P(x0 + 11, 67) + " pen #000000"));
    // "Small Fonts" 5: 7 pixels, 10 high; the cell ends a clear row above string 1 (y 64).
    EXPECT_TRUE(Contient(canevas, "Texte " + P(x0 + 7 - 18, 53) + " \"1/2\" font \"Small Fonts\" 5 #000000 brush clear"));

    // Bend and release: xl2 = Round(x0 + 1.5) - 1, xr2 = Round(x0 + 9 + (x0 + 9 - xl2) / 2) - 1.
    const int r0 = X(2) + 3;
    const int xl2 = static_cast<int>(platform::Round(r0 + 1.5)) - 1;
    const int xr2 = static_cast<int>(platform::Round(r0 + 9 + (r0 + 9 - xl2) / 2.0)) - 1;
    const int xs = r0 + 2 + (xr2 - xl2);
    const int k = (xr2 - xl2) % 2 == 0 ? -1 : 0;
    EXPECT_TRUE(Contient(canevas, "Arc " + P(r0 - 6, 54) + "," + P(r0 + 9, 74) + " " + P(r0 + 2, 74) + " " + P(r0 + 9, 64) + " pen #000000"));
    EXPECT_TRUE(Contient(canevas, "Arc " + P(xl2, 63) + "," + P(xr2, 79) + " " + P(xs, 74) + " " + P(r0 + 8, 64) + " pen #000000"));
    EXPECT_TRUE(Contient(canevas, "Ligne " + P(xs - 2 + k, 74) + "," + P(xs - 5 + k, 71) + " pen #000000"));
    EXPECT_TRUE(Contient(canevas, "Ligne " + P(xs - 2 + k, 74) + "," + P(xs + 1 + k, 71) + " pen #000000"));
    EXPECT_EQ(Compte(canevas, "Texte " + P(static_cast<int>(platform::Round(xr2 - (xr2 - xl2) / 2.0)) - 18 + 1, 53) + " \"1.5\""), 1);
}

// ---- Beat techniques -----------------------------------------------------------------------

namespace {

// Lines drawn between rows y1 and y2 (both ends inside), as "x1,y1,x2,y2".
std::vector<std::string> LignesEntre(const platform::CanevasEnregistreur& c, int y1, int y2)
{
    std::vector<std::string> r;
    for (const auto& t : c.Traces(Op::Ligne))
        if (t.points[0].y >= y1 && t.points[0].y <= y2 && t.points[1].y >= y1 && t.points[1].y <= y2)
            r.push_back(P(t.points[0].x, t.points[0].y) + "," + P(t.points[1].x, t.points[1].y));
    return r;
}

} // namespace

TEST_F(Notes, VibratoAndTremoloWavesRunToTenPixelsBeforeTheNextBeat)
{
    Battements({0});
    Temps(1).Effet = 1;
    Peindre();
    const int x = X(1);
    std::vector<std::string> vibrato;
    for (int i = 0; i < 10; ++i)
        vibrato.push_back(i % 2 == 0 ? P(x + 2 * i, 55) + "," + P(x + 2 * i + 2, 53)
                                     : P(x + 2 * i, 53) + "," + P(x + 2 * i + 2, 55));
    EXPECT_EQ(LignesEntre(canevas, 50, 58), vibrato);

    Temps(1).Effet = 2;
    Peindre();
    std::vector<std::string> tremolo;
    for (int i = 0; i < 5; ++i)
        tremolo.push_back(i % 2 == 0 ? P(x + 4 * i, 56) + "," + P(x + 4 * i + 4, 52)
                                     : P(x + 4 * i, 52) + "," + P(x + 4 * i + 4, 56));
    EXPECT_EQ(LignesEntre(canevas, 50, 58), tremolo);

    // Before another beat: to ten pixels short of it.
    Battements({0, 0});
    Temps(1).Effet = 1;
    Peindre();
    EXPECT_EQ(static_cast<int>(LignesEntre(canevas, 50, 58).size()), (X(2) - X(1) - 10) / 2);
}

TEST_F(Notes, StrumsLettersAndVibratoStrokes)
{
    Battements({0, 0, 0, 0});
    Temps(1).Notes[2].Frette = 12;
    Temps(1).Brush = 2;
    Temps(2).Brush = 1;
    Temps(2).Effet = 9;
    Temps(3).Effet = 3;
    Temps(3).ValeurCoupVib = 1.5;
    Peindre();

    // Down: the widest fret "12" puts the line 6 + 8 right of the beat; yb = 64 + Round(47.5) = 112.
    const int xs = X(1) + 6 + 8;
    EXPECT_TRUE(Contient(canevas, "Ligne " + P(xs, 66) + "," + P(xs, 113) + " pen #000000"));
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(Contient(canevas, "Pixel " + P(xs - i, 112 - i) + " #000000"));
        EXPECT_TRUE(Contient(canevas, "Pixel " + P(xs + i, 112 - i) + " #000000"));
    }
    const int xu = X(2) + 3 + 8;
    EXPECT_TRUE(Contient(canevas, "Pixel " + P(xu + 3, 69) + " #000000"));

    // "A.H." centred above the staff; "T" is 11 high in the technique font.
    EXPECT_TRUE(Contient(canevas, "Texte " + P(X(2) - 12, 64 - 10 - 6) + " \"A.H.\" font \"Small Fonts\" 6 #000000 brush clear"));

    const int x = X(3);
    EXPECT_TRUE(Contient(canevas, "Ligne " + P(x - 10, 50) + "," + P(x, 57) + " pen #000000"));
    EXPECT_TRUE(Contient(canevas, "Ligne " + P(x, 57) + "," + P(x + 10, 50) + " pen #000000"));
    EXPECT_TRUE(Contient(canevas, "Pixel " + P(x + 10, 50) + " #000000"));
    // 18 wide: its outer columns cross the arms 6 rows over the point; a row over them.
    EXPECT_TRUE(Contient(canevas, "Texte " + P(x - 9, 57 - 7 - 10) + " \"1.5\" font \"Small Fonts\" 5 #000000 brush clear"));
}

TEST_F(Notes, AMeasureOfWrongLengthDrawsEveryMarkInItsColourButTheMixMark)
{
    ParamEcranCourant.ColBadBar = CouleurRVB(0, 160, 0);
    const Couleur mauvaise(0, 160, 0);
    Battements({0, 1, 1});
    Temps(1).Notes[1].Effet = 3;
    Temps(1).Notes[2].Frette = 4;
    Temps(1).Notes[2].Nuance = 3;
    Temps(1).Effet = 1;
    Temps(1).Brush = 1;
    Temps(1).Texte = "a tempo";
    Temps(1).TableMix = std::make_shared<const cTableMixEvent>();
    Temps(2).Notes[3].Frette = 2;
    Temps(2).Notes[3].Effet = 6;
    Temps(2).Notes[3].FretteGrace = 1;
    Temps(2).Notes[3].NuanceGrace = 6;
    Temps(2).Notes[3].DureeGrace = 1;
    Temps(3).Silence = true;
    TAccord accord;
    accord.Nom = "Em";
    accord.Frettes = {0, 0, 0, 0, 2, 2, 0};
    Temps(2).AvecAccord = true;
    Temps(2).Accord = std::make_shared<const TAccord>(accord);
    Peindre();

    int rouges = 0;
    for (const auto& t : canevas.Traces()) {
        if (t.operation == Op::Texte) {
            const bool numero = t.fonte.nom == "Small Fonts" && t.fonte.taille == 7 && !t.fonte.italique;
            const bool signature = t.fonte.nom == "Arial" && t.fonte.taille == 12;
            if (!numero && !signature) {
                EXPECT_EQ(t.fonte.couleur, mauvaise) << t.Resume();
            }
            continue;
        }
        const Couleur c = t.operation == Op::Pixel ? t.couleur : t.stylo.couleur;
        if (c == platform::clRed) {
            ++rouges;
            EXPECT_EQ(t.Resume(), "Rectangle " + P(X(1) - 1, 53) + "," + P(X(1) + 3, 57) + " pen #FF0000 brush #FF0000");
            continue;
        }
        const bool staff = t.operation == Op::Ligne && t.points[0].y == t.points[1].y && c == platform::clBlack;
        const bool barre = t.operation == Op::Rectangle && t.points[0].y == kY && c == platform::clBlack;
        const bool fond = c == platform::clWhite;
        EXPECT_TRUE(staff || barre || fond || c == mauvaise) << t.Resume();
    }
    EXPECT_EQ(rouges, 1);
}

// ---- Chords and texts ----------------------------------------------------------------------

TEST_F(Notes, AChordShowsItsNameOrItsDiagramByTheSwitches)
{
    TAccord avec;
    avec.Nom = "G";
    avec.Frettes = {0, 3, 0, 0, 0, 2, 3};
    TAccord sans;
    sans.Nom = "Gsus4";
    struct Cas {
        bool diag;
        bool noms;
        bool avecDiagramme;
        bool nomSeul;   // the name above the beat
        bool grille;    // the diagram
        bool nomGrille; // the name under the diagram
    };
    for (const Cas& c : {Cas{true, true, true, false, true, true}, Cas{true, true, false, true, false, false},
                         Cas{false, true, true, true, false, false}, Cas{true, false, true, false, true, false},
                         Cas{true, false, false, false, false, false}, Cas{false, false, true, false, false, false}}) {
        SCOPED_TRACE(std::string("diagrams ") + (c.diag ? "on" : "off") + ", names " + (c.noms ? "on" : "off") +
                     (c.avecDiagramme ? ", with a diagram" : ", without one"));
        ParamEcranCourant.AffDiag = c.diag;
        ParamEcranCourant.AffChordsName = c.noms;
        Battements({0, 0, 0, 0});
        Temps(2).AvecAccord = true;
        Temps(2).Accord = std::make_shared<const TAccord>(c.avecDiagramme ? avec : sans);
        Peindre();
        const int x = X(2);
        const std::string nom = c.avecDiagramme ? "G" : "Gsus4";
        // Arial 8 bold: 14 high; the name's first letter centred on the beat.
        EXPECT_EQ(Contient(canevas, "Texte " + P(x - 3, 64 - 18 - 14) + " \"" + nom + "\" font \"Arial\" 8 B #000000 brush clear"),
                  c.nomSeul);
        // The small diagram's grid: its top line at Y - 20 - 26, 7 higher with the name.
        const int yd = 64 - 20 - 26 - (c.noms ? 7 : 0);
        EXPECT_EQ(Contient(canevas, "Ligne " + P(x - 12, yd) + "," + P(x - 12 + 26, yd) + " pen #000000"), c.grille);
        EXPECT_EQ(Contient(canevas, "Texte " + P(x - 12 + 12 - 3, yd + 26) + " \"G\" font \"Small Fonts\" 7 #000000 brush clear"),
                  c.nomGrille);
    }
}

TEST_F(Notes, ABeatTextStartsPastItsOwnChordDiagram)
{
    TAccord am;
    am.Nom = "Am";
    am.Frettes = {0, 0, 1, 2, 2, 0, -1};
    Battements({0, 0, 0, 0});
    Temps(2).Texte = "Intro";
    Temps(2).AvecAccord = true;
    Temps(2).Accord = std::make_shared<const TAccord>(am);
    auto placeTexte = [&] {
        for (const auto& t : TracesDe(Op::Texte))
            if (t.texte == "Intro")
                return t.points[0];
        return platform::Point{-1, -1};
    };
    Peindre();
    const int x = X(2);
    const int y = 64 - 31 - 14;
    // Small grid from x - 12, 27 wide (its right line at x + 14), the name "Am" within it.
    EXPECT_EQ(placeTexte(), (platform::Point{x - 12 + 27 + 2, y}));

    // "Intro" (30 wide) moves only on a picture that still holds it there; else it goes up on
    // its beat, over the diagram's marks (from y 5) with two pixels between.
    const int finDeplace = x - 12 + 27 + 2 + 5 * 6;
    for (const auto& [largeur, attendu] :
         {std::pair{finDeplace, P(x - 12 + 27 + 2, y)}, std::pair{finDeplace - 1, P(x - 3, 5 - 2 - 14)}}) {
        canevas.Effacer();
        DessinerLigne(canevas, 1, largeur, HauteurLigne());
        EXPECT_TRUE(Contient(canevas, "Texte " + attendu + " \"Intro\" font \"Arial\" 8 I #000000 brush clear"))
            << "picture " << largeur << " wide";
    }

    // A chord shown by its name alone, or diagrams off: the text keeps its place.
    am.Frettes = {0, -1, -1, -1, -1, -1, -1};
    Temps(2).Accord = std::make_shared<const TAccord>(am);
    Peindre();
    EXPECT_EQ(placeTexte(), (platform::Point{x - 3, y}));
    am.Frettes = {0, 0, 1, 2, 2, 0, -1};
    Temps(2).Accord = std::make_shared<const TAccord>(am);
    ParamEcranCourant.AffDiag = false;
    Peindre();
    EXPECT_EQ(placeTexte(), (platform::Point{x - 3, y}));
}

TEST_F(Notes, BeatTextsStayClearOfTheDiagramsAndTextsOfNeighbouringBeats)
{
    TAccord c;
    c.Nom = "C";
    c.Frettes = {0, 0, 1, 0, 2, 3, -1};
    TAccord g;
    g.Nom = "G";
    g.Frettes = {0, 3, 0, 0, 0, 2, 3};
    struct Cas {
        const char* nom;
        int mesure2, temps2; // where the G and its text stand; the C is on the beat before
    };
    // Chords on neighbouring eighths, in one measure and across a bar.
    for (const Cas& cas : {Cas{"one measure", 1, 6}, Cas{"across the bar", 2, 1}}) {
        SCOPED_TRACE(cas.nom);
        Mesures(2);
        for (int m = 1; m <= 2; ++m)
            Battements({1, 1, 1, 1, 1, 1, 1, 1}, m);
        TTemps& premier = cas.temps2 == 1 ? Temps(8, 1) : Temps(cas.temps2 - 1, cas.mesure2);
        TTemps& second = Temps(cas.temps2, cas.mesure2);
        premier.Texte = "let ring all";
        premier.AvecAccord = true;
        premier.Accord = std::make_shared<const TAccord>(c);
        second.Texte = "Chorus";
        second.AvecAccord = true;
        second.Accord = std::make_shared<const TAccord>(g);
        Peindre();

        std::vector<Boite> textes;
        std::vector<Boite> encre;
        for (const auto& t : canevas.Traces()) {
            const Boite b = BoiteDe(canevas, t);
            if (b.bas > kY - 3)
                continue; // the staff and what stands on it
            if (t.operation == Op::Texte && (t.texte == "let ring all" || t.texte == "Chorus"))
                textes.push_back(b);
            else
                encre.push_back(b);
        }
        ASSERT_EQ(textes.size(), 2u);
        for (const Boite& t : textes)
            EXPECT_EQ(Couvertes(t, encre), "") << "text at " << P(t.gauche, t.haut);
        // Side by side or one over the other.
        EXPECT_TRUE(textes[0].droite <= textes[1].gauche || textes[0].bas <= textes[1].haut ||
                    textes[1].bas <= textes[0].haut);
        for (int m = 1; m <= 2; ++m)
            for (int b = 1; b <= 8; ++b)
                Temps(b, m) = TTemps{};
    }
}

TEST_F(Notes, OnACrowdedLineATextStaysOnItsBeatRatherThanTakeTheRoomOfTheTextsAfterIt)
{
    // A chord and a text on every other eighth of a full line, the gaps between the diagrams
    // narrower than the texts: the first text, moved past every diagram, went to the end of
    // the line, where the last one, left no room there to follow it, covered it.
    TAccord c;
    c.Nom = "C";
    c.Frettes = {0, 0, 1, 0, 2, 3, -1};
    Mesures(3);
    for (int m = 1; m <= 3; ++m) {
        Battements({1, 1, 1, 1, 1, 1, 1, 1}, m);
        for (int b = 1; b <= 8; b += 2) {
            Temps(b, m).Texte = "Texte";
            Temps(b, m).AvecAccord = true;
            Temps(b, m).Accord = std::make_shared<const TAccord>(c);
        }
    }
    Peindre();
    ASSERT_EQ(LignesAffichage.DerniereMesure[1], 3);
    std::vector<Boite> textes;
    for (const auto& t : canevas.Traces(Op::Texte))
        if (t.texte == "Texte")
            textes.push_back(BoiteDe(canevas, t));
    ASSERT_EQ(textes.size(), 12u);
    for (std::size_t i = 0; i < textes.size(); ++i)
        EXPECT_EQ(Couvertes(textes[i], std::span(textes).subspan(i + 1)), "") << "text " << i;
    EXPECT_EQ(textes[0].gauche, X(1) - 3);
}

TEST_F(Notes, LargeDiagramsKeepTheMarksOverTheirStringsOnTheBand)
{
    TAccord am;
    am.Nom = "Am";
    am.Frettes = {0, 0, 1, 2, 2, 0, -1};
    Battements({0, 0, 0, 0});
    Temps(2).AvecAccord = true;
    Temps(2).Accord = std::make_shared<const TAccord>(am);
    struct Cas {
        int type;
        int decalageX;
        int haut; // the grid's top line
    };
    // Large: Y - 20 - 37 - 7 = 0 would put the nut and open-string rings above the band; small
    // diagrams stay where they were.
    for (const Cas& c : {Cas{1, 18, 8}, Cas{2, 15, 7}, Cas{3, 12, 64 - 20 - 26 - 7}}) {
        SCOPED_TRACE(c.type);
        ParamEcranCourant.TypeDiag = c.type;
        Peindre();
        const int xd = X(2) - c.decalageX;
        const int cote = 5 * (c.type == 1 ? 7 : c.type == 2 ? 6 : 5) + 1;
        EXPECT_TRUE(Contient(canevas, "Ligne " + P(xd, c.haut) + "," + P(xd + cote, c.haut) + " pen #000000"));
        for (const auto& t : canevas.Traces())
            for (const platform::Point& pt : t.points)
                EXPECT_GE(pt.y, 0) << t.Resume();
    }
}

TEST_F(Notes, BeatTextsStandAboveTheStaff)
{
    Battements({0, 0, 0, 0});
    Temps(2).Texte = "let ring";
    Peindre();
    EXPECT_TRUE(Contient(canevas, "Texte " + P(X(2) - 3, 64 - 31 - 14) + " \"let ring\" font \"Arial\" 8 I #000000 brush clear"));
    ParamEcranCourant.AffTxt = false;
    Peindre();
    EXPECT_EQ(Compte(canevas, "Texte " + P(X(2) - 3, 19)), 0);
}
