// The score painter's lines and measure furniture.
#include "FixtureEcran.h"

#include <set>

namespace {

using Ecran = FixtureEcran;
using Op = platform::CanevasEnregistreur::Operation;

std::string Plage(int x1, int x2) { return std::to_string(x1) + "-" + std::to_string(x2); }

// An opening double bar at x: thick, then thin 8 pixels on; a closing one mirrored.
std::vector<std::string> DoubleOuvrante(int x) { return {Plage(x, x + 5), Plage(x + 8, x + 10)}; }
std::vector<std::string> DoubleFermante(int x) { return {Plage(x - 5, x), Plage(x - 10, x - 8)}; }

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

// Bars are the rectangles spanning the staff, in drawing order, as "x1-x2".
class Barres : public FixtureEcran {
protected:
    std::vector<std::string> BarresDessinees() const
    {
        const int bas = kY + (Partition.NbCordes[PisteCourante] - 1) * ParamEcranCourant.EspLignes + 1;
        std::vector<std::string> r;
        for (const auto& t : canevas.Traces(Op::Rectangle))
            if (t.points[0].y == kY && t.points[1].y == bas && t.brosse.couleur == platform::clBlack)
                r.push_back(Plage(t.points[0].x, t.points[1].x));
        return r;
    }
};

TEST_F(Barres, FirstMeasureOpensWithADoubleBarAndTheSongEndsWithOne)
{
    Mesures(2);
    Peindre();
    EXPECT_EQ(BarresDessinees(), DoubleOuvrante(kMG) + std::vector<std::string>{Plage(Mesure(1).XDroite - 2, Mesure(1).XDroite)} +
                                     DoubleFermante(Mesure(2).XDroite));
}

TEST_F(Barres, ARepeatStartStandsInForThePreviousClosingBar)
{
    Mesures(3);
    Mesure(2).RenvoiDebut = true;
    Peindre();
    const int x2 = Mesure(2).XGauche;
    EXPECT_EQ(Mesure(1).XDroite, x2);
    EXPECT_EQ(BarresDessinees(), DoubleOuvrante(kMG) + DoubleOuvrante(x2) +
                                     std::vector<std::string>{Plage(Mesure(2).XDroite - 2, Mesure(2).XDroite)} +
                                     DoubleFermante(Mesure(3).XDroite));
}

TEST_F(Barres, AtTheEndOfALineTheClosingBarStaysAndTheNextLineOpensWithTheRepeat)
{
    Mesures(3);
    Mesure(2).RenvoiDebut = true;
    // Room for measure 1 alone on line 1, measures 2 and 3 on line 2.
    LignesAffichage.LargeurDispo = 110;
    Peindre(1);
    ASSERT_EQ(LignesAffichage.DerniereMesure[1], 1);
    EXPECT_EQ(BarresDessinees(), DoubleOuvrante(kMG) + std::vector<std::string>{Plage(Mesure(1).XDroite - 2, Mesure(1).XDroite)});

    canevas.Effacer();
    DessinerLigne(canevas, 2, 800, HauteurLigne());
    EXPECT_EQ(Mesure(2).XGauche, kMG);
    EXPECT_EQ(BarresDessinees(), DoubleOuvrante(kMG) +
                                     std::vector<std::string>{Plage(Mesure(2).XDroite - 2, Mesure(2).XDroite)} +
                                     DoubleFermante(Mesure(3).XDroite));
}

TEST_F(Barres, ALaterLineStartsWithAThinBar)
{
    Mesures(3);
    LignesAffichage.LargeurDispo = 95;
    Peindre(2);
    ASSERT_EQ(LignesAffichage.PremiereMesure[2], 2);
    const auto barres = BarresDessinees();
    ASSERT_FALSE(barres.empty());
    EXPECT_EQ(barres.front(), Plage(kMG, kMG + 2));
}

TEST_F(Barres, BackToBackRepeatsShowBothRepeatBars)
{
    Mesures(3);
    Mesure(1).RenvoiFin = true;
    Mesure(2).RenvoiDebut = true;
    Mesure(2).RenvoiFin = true;
    Peindre();
    const int x = Mesure(1).XDroite;
    EXPECT_EQ(BarresDessinees(), DoubleOuvrante(kMG) + DoubleFermante(x) + DoubleOuvrante(x) +
                                     DoubleFermante(Mesure(2).XDroite) + DoubleFermante(Mesure(3).XDroite));
}

TEST_F(Barres, NarrowStringsGiveThinnerBarsAndACloserDoubleBar)
{
    ParamEcranCourant.EspLignes = 8;
    Mesures(1);
    Peindre();
    const int x = Mesure(1).XDroite;
    EXPECT_EQ(BarresDessinees(), (std::vector<std::string>{Plage(kMG, kMG + 3), Plage(kMG + 5, kMG + 6),
                                                            Plage(x - 3, x), Plage(x - 6, x - 5)}));
}

// ---- Repeat dots and counts ------------------------------------------------------------------

namespace {

// Pixels drawn, as (x, y).
std::set<std::pair<int, int>> Pixels(const platform::CanevasEnregistreur& c)
{
    std::set<std::pair<int, int>> r;
    for (const auto& t : c.Traces(Op::Pixel))
        r.insert({t.points[0].x, t.points[0].y});
    return r;
}

// A 4 x 4 dot around (x, y) and a 2 x 2 one.
std::set<std::pair<int, int>> Point(int x, int y)
{
    std::set<std::pair<int, int>> r{{x - 1, y - 1}, {x, y - 1}, {x - 1, y + 2}, {x, y + 2}};
    for (int i = x - 2; i <= x + 1; ++i) {
        r.insert({i, y});
        r.insert({i, y + 1});
    }
    return r;
}
std::set<std::pair<int, int>> PetitPoint(int x, int y) { return {{x - 1, y}, {x, y}, {x - 1, y + 1}, {x, y + 1}}; }

std::set<std::pair<int, int>> Union(std::set<std::pair<int, int>> a, const std::set<std::pair<int, int>>& b)
{
    a.insert(b.begin(), b.end());
    return a;
}

} // namespace

TEST_F(Ecran, RepeatDotsSitInTheGapsForTheStringCount)
{
    struct Cas {
        int cordes;
        int espLignes;
        int y1, y2; // rows of the two dots
    };
    for (const Cas& cas : {Cas{6, 10, kY + 15, kY + 35}, Cas{5, 10, kY + 5, kY + 25}, Cas{4, 10, kY + 5, kY + 25},
                           Cas{6, 8, kY + 12, kY + 28}}) {
        SCOPED_TRACE(std::to_string(cas.cordes) + " strings, spacing " + std::to_string(cas.espLignes));
        Partition.NbCordes[1] = cas.cordes;
        ParamEcranCourant.EspLignes = cas.espLignes;
        Mesure(1).RenvoiDebut = true;
        Peindre();
        const int x = kMG;
        if (cas.espLignes >= 9)
            EXPECT_EQ(Pixels(canevas), Union(Point(x + 14, cas.y1), Point(x + 14, cas.y2)));
        else
            EXPECT_EQ(Pixels(canevas), Union(PetitPoint(x + 9, cas.y1), PetitPoint(x + 9, cas.y2)));
    }
}

TEST_F(Ecran, ClosingRepeatDotsMirrorTheOpeningOnes)
{
    Mesure(1).RenvoiFin = true;
    Peindre();
    const int x = Mesure(1).XDroite;
    EXPECT_EQ(Pixels(canevas), Union(Point(x - 14, kY + 15), Point(x - 14, kY + 35)));
}

TEST_F(Ecran, TheRepeatCountShowsOnlyAboveOnePlayRightAlignedToTheBar)
{
    Mesure(1).RenvoiFin = true;
    for (const int fois : {1, 3, 12}) {
        SCOPED_TRACE(fois);
        Mesure(1).NbRenvois = static_cast<int8_t>(fois);
        Peindre();
        std::vector<Trace> comptes;
        for (const auto& t : TracesDe(Op::Texte))
            if (t.fonte.nom == "Arial" && t.fonte.taille == 9)
                comptes.push_back(t);
        if (fois == 1) {
            EXPECT_TRUE(comptes.empty());
            continue;
        }
        ASSERT_EQ(comptes.size(), 1u);
        const std::string texte = std::to_string(fois) + "x";
        EXPECT_EQ(comptes[0].texte, texte);
        // FontRenv is 12 pixels, 15 high on this canvas; written on the background colour.
        EXPECT_EQ(comptes[0].points[0], (platform::Point{Mesure(1).XDroite - 6 * static_cast<int>(texte.size()), kY - 3 - 15}));
        EXPECT_FALSE(comptes[0].brosse.vide);
        EXPECT_EQ(comptes[0].brosse.couleur, platform::clWhite);
        EXPECT_TRUE(comptes[0].fonte.gras && comptes[0].fonte.italique);
    }
}

TEST_F(Ecran, ARepeatCountMakesWayForTheNextMeasureNumberOnItsBar)
{
    Mesures(2);
    Mesure(1).RenvoiFin = true;
    Mesure(1).NbRenvois = 3;
    auto compte = [&] {
        for (const auto& t : TracesDe(Op::Texte))
            if (t.texte == "3x")
                return t.points[0];
        return platform::Point{-1, -1};
    };
    auto numero = [&](const std::string& texte) {
        for (const auto& t : TracesDe(Op::Texte))
            if (t.texte == texte && t.fonte.nom == "Small Fonts")
                return t.points[0];
        return platform::Point{-1, -1};
    };
    Peindre();
    const int x = Mesure(1).XDroite;
    // "2" starts at its bar less half its width and a pixel; "3x" ends a pixel before it.
    ASSERT_EQ(numero("2").x, x - 3 - 1);
    EXPECT_EQ(compte(), (platform::Point{x - 3 - 1 - 1 - 12, kY - 3 - 15}));

    // Without measure numbers it stays right-aligned to the bar.
    ParamEcranCourant.AffNum = false;
    Peindre();
    EXPECT_EQ(compte(), (platform::Point{x - 12, kY - 3 - 15}));
}

// ---- Endings, numbers, signatures ------------------------------------------------------------

TEST_F(Ecran, AlternateEndingsShowTheirPassesInABracketAtTheTopOfTheBand)
{
    Mesures(4);
    Mesure(1).RenvoiDebut = true;
    Mesure(2).Repetition = true;
    Mesure(2).NumRepetition = 1;
    Mesure(2).RenvoiFin = true;
    Mesure(3).Repetition = true;
    Mesure(3).NumRepetition = 2;
    Mesure(4).Repetition = true;
    Mesure(4).NumRepetition = 4;
    EXPECT_EQ(TexteFinAlternative(2, 1), "1");
    EXPECT_EQ(TexteFinAlternative(3, 2), "2");
    EXPECT_EQ(TexteFinAlternative(4, 4), "3 to 4");

    Peindre();
    std::vector<std::string> fins;
    for (const auto& t : TracesDe(Op::Texte)) {
        if (t.fonte.nom == "Arial" && t.fonte.taille == 9) {
            EXPECT_FALSE(t.fonte.gras || t.fonte.italique) << t.texte;
            EXPECT_EQ(t.fonte.couleur, platform::clBlack);
            if (t.texte != "3x")
                fins.push_back(t.Resume());
        }
    }
    const auto fin = [](int x, const std::string& texte) {
        return "Texte " + std::to_string(x + 3) + ",5 \"" + texte + "\" font \"Arial\" 9 #000000 brush clear";
    };
    EXPECT_EQ(fins, (std::vector<std::string>{fin(Mesure(2).XGauche, "1"), fin(Mesure(3).XGauche, "2"),
                                              fin(Mesure(4).XGauche, "3 to 4")}));
    const int x = Mesure(3).XGauche;
    EXPECT_TRUE(Contient(canevas, "Ligne " + std::to_string(x) + ",17," + std::to_string(x) + ",4 pen #000000"));
    EXPECT_TRUE(Contient(canevas, "Ligne " + std::to_string(x) + ",4," + std::to_string(x + 35) + ",4 pen #000000"));
}

TEST_F(Ecran, MeasureNumbersAreCentredOnTheLeftBar)
{
    Mesures(12);
    Peindre();
    // "Small Fonts" 7 is 9 pixels, 12 high here.
    std::vector<std::string> numeros;
    for (const auto& t : TracesDe(Op::Texte))
        if (t.fonte.nom == "Small Fonts")
            numeros.push_back(t.Resume());
    ASSERT_EQ(numeros.size(), 12u);
    EXPECT_EQ(numeros[0], "Texte 21,50 \"1\" font \"Small Fonts\" 7 #FF0000 brush clear");
    EXPECT_EQ(numeros[11], "Texte " + std::to_string(Mesure(12).XGauche - 6 - 1) + ",50 \"12\" font \"Small Fonts\" 7 #FF0000 brush clear");

    ParamEcranCourant.AffNum = false;
    Peindre();
    for (const auto& t : TracesDe(Op::Texte))
        EXPECT_NE(t.fonte.nom, "Small Fonts");
}

TEST_F(Ecran, TimeSignaturesShowOnTheFirstMeasureAndWhereTheyChange)
{
    Mesures(4);
    Signature(3, 4, 3);
    Signature(3, 4, 4);
    Mesure(3).RenvoiDebut = true;
    Peindre();
    std::vector<std::string> signatures;
    for (const auto& t : TracesDe(Op::Texte))
        if (t.fonte.nom == "Arial" && t.fonte.taille == 12) {
            signatures.push_back(t.Resume());
            EXPECT_TRUE(t.stylo.nul);
        }
    // Arial 12 is 16 pixels, 19 high: the digits split the 50-pixel staff in thirds,
    // g = Round((50 - 38) / 3) = 4.
    const int x1 = kMG + 6 + 8 + 6 - 3;
    const int x3 = Mesure(3).XGauche + 6 + 13 + 6 - 3;
    EXPECT_EQ(signatures,
              (std::vector<std::string>{
                  "Texte " + std::to_string(x1) + ",68 \"4\" font \"Arial\" 12 B #000000 brush clear",
                  "Texte " + std::to_string(x1) + ",91 \"4\" font \"Arial\" 12 B #000000 brush clear",
                  "Texte " + std::to_string(x3) + ",68 \"3\" font \"Arial\" 12 B #000000 brush clear",
                  "Texte " + std::to_string(x3) + ",91 \"4\" font \"Arial\" 12 B #000000 brush clear"}));
}

// ---- Lines and colours ---------------------------------------------------------------------

TEST_F(Ecran, ALineBeyondTheSongIsOnlyBackground)
{
    ParamEcranCourant.ColBackG = CouleurRVB(10, 20, 30);
    Peindre(2);
    EXPECT_EQ(Lignes(canevas), (std::vector<std::string>{"Rectangle 0,0,801,153 pen #0A141E brush #0A141E"}));
}

TEST_F(Ecran, StringsRunFromBarToBarInTheLineColour)
{
    ParamEcranCourant.ColLines = CouleurRVB(0, 0, 200);
    Mesures(2);
    Peindre();
    for (int m = 1; m <= 2; ++m)
        for (int s = 1; s <= 6; ++s) {
            const std::string y = std::to_string(kY + 10 * (s - 1));
            EXPECT_TRUE(Contient(canevas, "Ligne " + std::to_string(Mesure(m).XGauche) + "," + y + "," +
                                              std::to_string(Mesure(m).XDroite) + "," + y + " pen #0000C8"));
        }
}

TEST_F(Ecran, AMeasureOfWrongLengthMarksItsBeatsOnlyAndKeepsItsSavedLength)
{
    Battements({0, 0, 0}); // three quarters under 4/4
    Temps(2).Texte = "rit.";
    Temps(3).Effet = 5;
    Mesure(1).DureeReelle[1] = 2.5;
    Peindre();

    for (const auto& t : TracesDe(Op::Texte)) {
        if (t.texte == "5" || t.texte == "rit." || t.texte == "T") {
            EXPECT_EQ(t.fonte.couleur, platform::clRed) << t.texte;
        }
        if (t.fonte.nom == "Arial" && t.fonte.taille == 12) {
            EXPECT_EQ(t.fonte.couleur, platform::clBlack); // the signature
        }
    }
    for (const auto& t : TracesDe(Op::Rectangle)) {
        if (t.points[0].y == kY && t.points[1].y == kY + 51) {
            EXPECT_EQ(t.brosse.couleur, platform::clBlack); // bars
        }
    }
    // Stems in the bad-measure colour.
    int tiges = 0;
    for (const auto& t : TracesDe(Op::Rectangle))
        tiges += t.points[1].x - t.points[0].x == 1 && t.brosse.couleur == platform::clRed ? 1 : 0;
    EXPECT_EQ(tiges, 3);
    // The painter judges the length itself; the saved length is the measure status's business.
    EXPECT_EQ(Mesure(1).DureeReelle[1], 2.5);

    Battements({0, 0, 0, 0});
    Peindre();
    for (const auto& t : TracesDe(Op::Texte)) {
        if (t.texte == "5") {
            EXPECT_EQ(t.fonte.couleur, platform::clBlack);
        }
    }
}

TEST_F(Ecran, InitialisationSetsThePaintersConstantsAndInstallsThem)
{
    ParamEcranCourant = TParamEcran{};
    ParamEcranCourant.EpCroches = 3;
    InitialiserEcran();
    const TParamEcran& p = ParamEcranCourant;
    EXPECT_EQ(p.MesureDessinee, 1);
    EXPECT_EQ(p.EcartDoubleBarre, 8);
    EXPECT_EQ(p.LongueurHampe, 25);
    EXPECT_EQ(p.EcartCroches, 4);
    EXPECT_EQ(p.DecalageSignature, 6);
    EXPECT_EQ(p.MargePoint + p.TaillePoint, 6);
    EXPECT_EQ(p.HauteurTriolet, 6);
    EXPECT_EQ(p.LongueurMinLiaison, 7);
    EXPECT_EQ(p.LargeurBase, 19);
    EXPECT_EQ(PolicesLabels().PoliceDessin("FontValEff"), (platform::StyleFonte{"Small Fonts", 5, false, false, platform::clBlack}));

    // The view's line painter is now this one: a line painted through the view lands on the
    // band's canvas with the staff.
    struct Surface : ISurfacePartition {
        platform::CanevasEnregistreur bande{800, 200};
        int HauteurPanneau() const override { return 400; }
        int LargeurPanneau() const override { return 806; }
        int HauteurClientFenetre() const override { return 500; }
        platform::Canevas* CanevasBande(int b) override { return b == 1 ? &bande : nullptr; }
    } surface;
    InstallerSurfacePartition(&surface);
    DisposerBandes();
    CouperLignes();
    Peintres().DessinerLigne(1);
    InstallerSurfacePartition(nullptr);
    // Thicker beams put the staff higher: Y = 102 - 30 - 4 * 3.
    EXPECT_TRUE(Contient(surface.bande, "Rectangle 25,60,30,111 pen #000000 brush #000000"));
}
