// Chord diagrams in their three sizes, and the chord-list band above the score.
#include "FixtureEcran.h"

#include "editor/Chords_u.h"

#include <map>
#include <set>
#include <tuple>

namespace {

using Op = platform::CanevasEnregistreur::Operation;

std::string P(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
std::string L(int x1, int y1, int x2, int y2) { return "Ligne " + P(x1, y1) + "," + P(x2, y2) + " pen #000000"; }

TAccord Doigte(std::array<int32_t, 7> frettes, int base, const char* nom = "")
{
    TAccord a;
    a.Frettes = frettes;
    a.FretteBase = base;
    a.Nom = nom;
    return a;
}

struct Taille {
    int type;
    int g;
};
constexpr Taille kTailles[] = {{3, 5}, {2, 6}, {1, 7}};

class Diagramme : public FixtureEcran {
protected:
    static constexpr int x = 100;
    static constexpr int y = 50;

    std::set<std::string> Dessine(const TAccord& a, int type, bool avecNom = true)
    {
        canevas.Effacer();
        DessinerDiagramme(type, a, canevas, x, platform::clBlack, avecNom, y);
        const auto l = Lignes(canevas);
        return {l.begin(), l.end()};
    }
};

} // namespace

TEST_F(Diagramme, TheGridIsFiveFretsOfSixStrings)
{
    for (const Taille t : kTailles) {
        SCOPED_TRACE(t.type);
        const auto traces = Dessine(Doigte({0, -2, -2, -2, -2, -2, -2}, 3), t.type);
        const int s = 5 * t.g + 1;
        EXPECT_EQ(PasGrilleDiagramme(t.type), t.g);
        EXPECT_EQ(CelluleDiagramme(t.type), s);
        for (int i = 0; i <= 5; ++i) {
            EXPECT_TRUE(traces.count(L(x, y + i * t.g, x + s, y + i * t.g)));
            EXPECT_TRUE(traces.count(L(x + i * t.g, y, x + i * t.g, y + s)));
        }
        EXPECT_EQ(traces.size(), 13u); // the grid and the base fret
    }
}

TEST_F(Diagramme, TheNutLiftsTheMarksAboveTheGridTwoPixels)
{
    // String 1 open, string 2 fretted at the first fret shown, string 6 not played.
    for (const Taille t : kTailles) {
        for (const int base : {1, 5}) {
            SCOPED_TRACE("size " + std::to_string(t.type) + ", base fret " + std::to_string(base));
            const auto traces = Dessine(Doigte({0, 0, base, -2, -2, -2, -1}, base), t.type);
            const int o = base == 1 ? 2 : 0;
            const int s = 5 * t.g + 1;
            EXPECT_EQ(traces.count(L(x, y - 2, x + s, y - 2)), base == 1 ? 1u : 0u);

            const int x1 = x + 5 * t.g; // string 1, the rightmost
            const int x2 = x + 4 * t.g;
            const int x6 = x;
            switch (t.type) {
            case 3:
                EXPECT_TRUE(traces.count(L(x6 - 1, y - 4 - o, x6 + 2, y - 1 - o)));
                EXPECT_TRUE(traces.count(L(x6 + 1, y - 4 - o, x6 - 2, y - 1 - o)));
                EXPECT_TRUE(traces.count("Pixel " + P(x1, y - 4 - o) + " #000000"));
                EXPECT_TRUE(traces.count("Pixel " + P(x1 - 1, y - 3 - o) + " #000000"));
                EXPECT_TRUE(traces.count("Pixel " + P(x2 + 1, y + 3) + " #000000"));
                break;
            case 2:
                EXPECT_TRUE(traces.count(L(x6 - 1, y - 5 - o, x6 + 3, y - 1 - o)));
                EXPECT_TRUE(traces.count("Pixel " + P(x1 + 2, y - 4 - o) + " #000000"));
                EXPECT_TRUE(traces.count("Pixel " + P(x2 - 2, y + 3) + " #000000"));
                EXPECT_TRUE(traces.count("Pixel " + P(x2 + 1, y + 4) + " #000000"));
                break;
            case 1:
                EXPECT_TRUE(traces.count(L(x6 - 2, y - 6 - o, x6 + 3, y - 1 - o)));
                EXPECT_TRUE(traces.count("Ellipse " + P(x1 - 2, y - 6 - o) + "," + P(x1 + 3, y - 1 - o) + " pen #000000 brush clear"));
                EXPECT_TRUE(traces.count("Ellipse " + P(x2 - 2, y + 2) + "," + P(x2 + 3, y + 6) + " pen #000000 brush #000000"));
                break;
            }
            // The first fret, when it is not the nut, right-aligned left of the grid.
            const std::string numero = "Texte " + P(x - (t.type == 3 ? 2 : 3) - 6, y - (t.type == 1 ? 1 : 2)) +
                                       " \"5\" font \"Small Fonts\" 7 #000000 brush clear";
            EXPECT_EQ(traces.count(numero), base == 5 ? 1u : 0u);
        }
    }
}

TEST_F(Diagramme, BarresBySize)
{
    // A barre at the second fret shown, from string 1 to string 5.
    TAccord a = Doigte({0, 4, 4, 4, 4, 4, -1}, 3);
    a.NbBarres = 1;
    a.BarreFrette = {0, 4, 0};
    a.BarreCordeDebut = {0, 1, 0};
    a.BarreCordeFin = {0, 5, 0};
    const std::string plein = " pen #000000 brush #000000";

    auto petit = Dessine(a, 3);
    EXPECT_TRUE(petit.count(L(x + 26, y + 7, x + 3, y + 7)));
    EXPECT_TRUE(petit.count(L(x + 26, y + 8, x + 3, y + 8)));

    auto moyen = Dessine(a, 2);
    EXPECT_TRUE(moyen.count("Rectangle " + P(x + 5, y + 8) + "," + P(x + 32, y + 11) + plein));
    EXPECT_TRUE(moyen.count("Pixel " + P(x + 4, y + 9) + " #000000"));
    EXPECT_TRUE(moyen.count("Pixel " + P(x + 32, y + 9) + " #000000"));

    auto grand = Dessine(a, 1);
    EXPECT_TRUE(grand.count("Rectangle " + P(x + 6, y + 9) + "," + P(x + 37, y + 13) + plein));
    for (const int r : {y + 10, y + 11}) {
        EXPECT_TRUE(grand.count("Pixel " + P(x + 5, r) + " #000000"));
        EXPECT_TRUE(grand.count("Pixel " + P(x + 37, r) + " #000000"));
    }

    // A library entry claiming five barres draws the two a chord can hold.
    a.NbBarres = 5;
    a.BarreFrette = {0, 4, 5};
    a.BarreCordeDebut = {0, 1, 1};
    a.BarreCordeFin = {0, 5, 3};
    canevas.Effacer();
    DessinerDiagramme(2, a, canevas, x, platform::clBlack, true, y);
    EXPECT_EQ(canevas.Traces(Op::Rectangle).size(), 2u);
}

TEST_F(Diagramme, TheNameGoesUnderTheGridOnlyWhenShown)
{
    const TAccord am = Doigte({0, 0, 1, 2, 2, 0, -1}, 1, "Am");
    const std::map<int, std::string> noms{{3, "Texte " + P(x + 12 - 6, y + 26)}, {2, "Texte " + P(x + 15 - 6, y + 31)},
                                          {1, "Texte " + P(x + 17 - 6, y + 36)}};
    for (const auto& [type, debut] : noms) {
        SCOPED_TRACE(type);
        EXPECT_TRUE(Dessine(am, type).count(debut + " \"Am\" font \"Small Fonts\" 7 #000000 brush clear"));
        EXPECT_TRUE(Textes(canevas) == std::vector<std::string>{"Am"});
        Dessine(am, type, false);
        EXPECT_TRUE(Textes(canevas).empty());
        ParamEcranCourant.AffChordsName = false;
        Dessine(am, type);
        EXPECT_TRUE(Textes(canevas).empty());
        ParamEcranCourant.AffChordsName = true;
    }
}

// ---- The chord list ------------------------------------------------------------------------

class ListeAccords : public FixtureEcran {
protected:
    void Remplir(int n)
    {
        NbAccordsPartition = n;
        for (int i = 1; i <= n; ++i)
            AccordsPartition[i] = std::make_unique<TAccord>(Doigte({0, 0, 1, 0, 2, 3, -1}, 1, "C"));
    }
    void TearDown() override
    {
        for (int i = 1; i <= kNbAccordsPartitionMax; ++i)
            AccordsPartition[i].reset();
        NbAccordsPartition = 0;
        FixtureEcran::TearDown();
    }
    // The grids' top-left corners, as (x, y).
    std::vector<std::pair<int, int>> Grilles() const
    {
        std::vector<std::pair<int, int>> r;
        const auto lignes = canevas.Traces(Op::Ligne);
        for (std::size_t i = 0; i + 1 < lignes.size(); ++i) {
            const auto& h = lignes[i];
            const auto& v = lignes[i + 1];
            // Each grid begins with its top line, then its left line from the same corner.
            if (h.points[0] == v.points[0] && h.points[0].y == h.points[1].y && v.points[0].x == v.points[1].x)
                r.push_back({h.points[0].x, h.points[0].y});
        }
        return r;
    }
};

TEST_F(ListeAccords, RowsAreCentredInTheAvailableWidth)
{
    // 220 pixels between the margins: five 26-pixel cells with 17-pixel gaps per row.
    LignesAffichage.LargeurDispo = 270;
    Remplir(7);
    const TGeometrieListeAccords g = GeometrieListeAccords(3, 220, 7);
    EXPECT_EQ(g.ParLigne, 5);
    EXPECT_EQ(g.NbLignes, 2);
    EXPECT_EQ(g.Hauteur, 51 + 26 + 40);

    DimensionnerBandeAccords();
    EXPECT_EQ(LignesAffichage.HauteurEntete, 117 + 15);
    EXPECT_EQ(AffichagePartition.Bandes[kBandeAccords], (TBande{0, 0, 276, 132}));

    DessinerListeAccords(canevas);
    EXPECT_EQ(Grilles(), (std::vector<std::pair<int, int>>{
                             {36, 15}, {79, 15}, {122, 15}, {165, 15}, {208, 15}, {101, 66}, {143, 66}}));
}

TEST_F(ListeAccords, SizesByTheDiagramSetting)
{
    for (const auto& [type, cellule, ecart] : {std::tuple{1, 36, 24}, std::tuple{2, 31, 21}, std::tuple{3, 26, 17}}) {
        const TGeometrieListeAccords g = GeometrieListeAccords(type, 700, 12);
        EXPECT_EQ(g.Cellule, cellule);
        EXPECT_EQ(g.Ecart, ecart);
        EXPECT_EQ(g.ParLigne, (700 + ecart) / (ecart + cellule));
        EXPECT_EQ(g.Hauteur, (g.NbLignes - 1) * (cellule + 25) + cellule + 40);
    }
}

TEST_F(ListeAccords, AViewNarrowerThanOneCellStillShowsOneDiagramPerRow)
{
    LignesAffichage.LargeurDispo = 60;
    Remplir(3);
    const TGeometrieListeAccords g = GeometrieListeAccords(3, 10, 3);
    EXPECT_EQ(g.ParLigne, 1);
    EXPECT_EQ(g.NbLignes, 3);
    DimensionnerBandeAccords();
    EXPECT_EQ(LignesAffichage.HauteurEntete, 2 * 51 + 66 + 15);
    DessinerListeAccords(canevas);
    EXPECT_EQ(Grilles().size(), 3u);
}

TEST_F(ListeAccords, AnEmptyOrHiddenListTakesNoRoomAndOpensTheScrollRange)
{
    LignesAffichage.LargeurDispo = 800;
    DessinerBandeAccords();
    EXPECT_EQ(LignesAffichage.HauteurEntete, 0);
    EXPECT_EQ(AffichagePartition.Defilement.Min, 0);

    Remplir(2);
    DessinerBandeAccords();
    EXPECT_EQ(LignesAffichage.HauteurEntete, 66 + 15);
    EXPECT_EQ(AffichagePartition.Defilement.Min, -81);

    ParamEcranCourant.AffListChord = false;
    DessinerBandeAccords();
    EXPECT_EQ(LignesAffichage.HauteurEntete, 0);
    EXPECT_EQ(AffichagePartition.Defilement.Min, 0);
    canevas.Effacer();
    DessinerListeAccords(canevas);
    EXPECT_TRUE(canevas.Traces().empty());
}

TEST_F(ListeAccords, NamesFollowTheNameSwitch)
{
    LignesAffichage.LargeurDispo = 800;
    Remplir(2);
    DessinerListeAccords(canevas);
    EXPECT_EQ(Textes(canevas), (std::vector<std::string>{"C", "C"}));
    ParamEcranCourant.AffChordsName = false;
    canevas.Effacer();
    DessinerListeAccords(canevas);
    EXPECT_TRUE(Textes(canevas).empty());
}

TEST_F(ListeAccords, TheBandIsPaintedOnBand00)
{
    struct Surface : ISurfacePartition {
        platform::CanevasEnregistreur bande{806, 200};
        platform::Canevas* CanevasBande(int b) override { return b == kBandeAccords ? &bande : nullptr; }
    } surface;
    InstallerSurfacePartition(&surface);
    LignesAffichage.LargeurDispo = 800;
    ParamEcranCourant.ColBackG = CouleurRVB(250, 250, 200);
    ParamEcranCourant.ColDiag = CouleurRVB(0, 0, 255);
    Remplir(1);
    DessinerBandeAccords();
    InstallerSurfacePartition(nullptr);
    const auto lignes = Lignes(surface.bande);
    ASSERT_FALSE(lignes.empty());
    EXPECT_EQ(lignes.front(), "Rectangle 0,0,807,82 pen #FAFAC8 brush #FAFAC8");
    EXPECT_TRUE(Contient(surface.bande, "Texte " + P(25 + 375 - 13 + 12 - 3, 15 + 26) + " \"C\" font \"Small Fonts\" 7 #0000FF brush clear"));
}
