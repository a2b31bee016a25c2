// The print job: page breaks and page count, page ranges, header and footer, frame and working
// margins, proportions, and the chord list of the first page.
#include "FixtureImpression.h"

#include "print/ImpPage.h"
#include "print/ImpPartition.h"
#include "support/BoitesTraces.h"

#include <algorithm>
#include <array>
#include <memory>
#include <span>

namespace {

// Each drawn page on its own recording canvas, with the working margins in force when it began.
class SortieEnregistree : public ISortieImpression {
public:
    SortieEnregistree(int ppp = 600, int32_t largeur = 4800, int32_t hauteur = 6800)
        : ppp_(ppp), largeur_(largeur), hauteur_(hauteur)
    {
    }
    int PixelsParPouce() const override { return ppp_; }
    int32_t LargeurPage() const override { return largeur_; }
    int32_t HauteurPage() const override { return hauteur_; }
    platform::Canevas& CommencerPage(int32_t page) override
    {
        pages.push_back(page);
        const TZoneImpression& p = ParamImpCourant;
        marges.push_back({p.MargeGaucheLignes, p.MargeDroiteLignes, p.MargeHautePart, p.MargeBassePart});
        auto& c = canevas.emplace_back(std::make_unique<platform::CanevasEnregistreur>(largeur_, hauteur_));
        c->SetPixelsParPouce(ppp_);
        return *c;
    }
    void Terminer() override { ++terminaisons; }
    platform::Canevas* CanevasMesure() override
    {
        mesure_.SetPixelsParPouce(ppp_);
        return &mesure_;
    }

    std::vector<int32_t> pages;
    std::vector<std::array<double, 4>> marges;
    std::vector<std::unique_ptr<platform::CanevasEnregistreur>> canevas;
    int terminaisons = 0;

    // The texts of a drawn page (index in drawing order).
    std::vector<std::string> Textes(std::size_t i) const
    {
        std::vector<std::string> r;
        for (const auto& t : canevas[i]->Traces(platform::CanevasEnregistreur::Operation::Texte))
            r.push_back(t.texte);
        return r;
    }
    bool ATexte(std::size_t i, const std::string& texte) const
    {
        const auto t = Textes(i);
        return std::find(t.begin(), t.end(), texte) != t.end();
    }

private:
    int ppp_;
    int32_t largeur_;
    int32_t hauteur_;
    platform::CanevasEnregistreur mesure_{1, 1};
};

class ImpPartitionTest : public FixtureImpression {
protected:
    void SetUp() override
    {
        FixtureImpression::SetUp();
        Partition.Titre = "Song";
        Partition.Auteur = "Someone";
        Partition.Commentaire = "A comment";
        CanvasImpr = nullptr;
    }

    // n measures of eight eighths each.
    static void Chanson(int n)
    {
        Mesures(n);
        for (int m = 1; m <= n; ++m)
            Battements({1, 1, 1, 1, 1, 1, 1, 1}, m);
    }

    // n measures of four quarters, each beat with a chord diagram and a text, as crowded as a
    // line of them gets.
    static void ChansonAccordsEtTextes(int n)
    {
        auto accord = [](const char* nom, std::array<int32_t, 7> frettes) {
            TAccord a;
            a.Nom = nom;
            a.Frettes = frettes;
            return std::make_shared<const TAccord>(a);
        };
        const std::shared_ptr<const TAccord> accords[] = {accord("C", {0, 0, 1, 0, 2, 3, -1}),
                                                          accord("E", {0, 0, 0, 1, 2, 2, 0}),
                                                          accord("G", {0, 3, 0, 0, 0, 2, 3}),
                                                          accord("Am", {0, 0, 1, 2, 2, 0, -1})};
        Mesures(n);
        for (int m = 1; m <= n; ++m) {
            Battements({0, 0, 0, 0}, m);
            for (int b = 1; b <= 4; ++b) {
                Temps(b, m).Texte = kTextes[b - 1];
                Temps(b, m).AvecAccord = true;
                Temps(b, m).Accord = accords[b - 1];
            }
        }
    }
    static constexpr const char* kTextes[] = {"Verse", "Chorus", "Solo", "Bridge"};

    static void AjouterAccords(int n)
    {
        for (int i = 1; i <= n; ++i) {
            auto a = std::make_unique<TAccord>();
            a->Nom = "C" + std::to_string(i);
            a->Frettes = {0, 0, 1, 0, 2, 3, -1};
            AccordsPartition[static_cast<std::size_t>(i)] = std::move(a);
        }
        NbAccordsPartition = n;
    }
};

TEST_F(ImpPartitionTest, LongSongBreaksIntoNumberedPages)
{
    Chanson(120);
    SortieEnregistree sortie;
    TBilanImpression bilan;
    EXPECT_EQ(ImprimerPartition(sortie, 0, 0, 1, &bilan), 121);
    ASSERT_GE(bilan.NbPages, 4);
    EXPECT_EQ(bilan.PagesDessinees, bilan.NbPages);
    EXPECT_EQ(sortie.terminaisons, 1);
    ASSERT_EQ(sortie.pages.size(), static_cast<std::size_t>(bilan.NbPages));
    for (int32_t p = 1; p <= bilan.NbPages; ++p) {
        EXPECT_EQ(sortie.pages[static_cast<std::size_t>(p - 1)], p);
        EXPECT_TRUE(sortie.ATexte(static_cast<std::size_t>(p - 1), "Song - " + std::to_string(p))) << p;
    }
    EXPECT_TRUE(sortie.ATexte(0, "Song"));
    EXPECT_FALSE(sortie.ATexte(1, "Song"));

    // Every page's lowest staff element stays above the bottom margin line, and the engine's
    // working state is put back afterwards.
    EXPECT_DOUBLE_EQ(ParamImpCourant.MargeHautePart, 15);
    EXPECT_DOUBLE_EQ(ParamImpCourant.MargeBassePart, 10);
    EXPECT_EQ(CanvasImpr, nullptr);
    const int basMarge = Px(6800 / EchelleImpr() - 10);
    for (const auto& c : sortie.canevas)
        for (const auto& t : c->Traces(platform::CanevasEnregistreur::Operation::Rectangle))
            EXPECT_LE(t.points[1].y, basMarge);
}

TEST_F(ImpPartitionTest, OnePageSongHasNoFooter)
{
    Chanson(3);
    SortieEnregistree sortie;
    TBilanImpression bilan;
    ImprimerPartition(sortie, 0, 0, 1, &bilan);
    EXPECT_EQ(bilan.NbPages, 1);
    ASSERT_EQ(sortie.pages.size(), 1u);
    EXPECT_FALSE(sortie.ATexte(0, "Song - 1"));
    EXPECT_TRUE(sortie.ATexte(0, "Someone"));
    EXPECT_TRUE(sortie.ATexte(0, "A comment"));
}

TEST_F(ImpPartitionTest, PageRangeLaysOutEveryPageButDrawsOnlyItsOwn)
{
    Chanson(90);
    AjouterAccords(9); // the chord list's height moves every line of the first page
    SortieEnregistree tout;
    TBilanImpression bilan;
    ImprimerPartition(tout, 0, 5, 1, &bilan); // a first page of 0 prints everything
    ASSERT_GE(bilan.NbPages, 3);
    ASSERT_EQ(tout.pages.size(), static_cast<std::size_t>(bilan.NbPages));

    SortieEnregistree deux;
    TBilanImpression bilanDeux;
    ImprimerPartition(deux, 2, 2, 1, &bilanDeux);
    EXPECT_EQ(bilanDeux.NbPages, bilan.NbPages);
    ASSERT_EQ(deux.pages, std::vector<int32_t>{2});
    EXPECT_TRUE(deux.ATexte(0, "Song - 2"));
    // The same page as in the full print, trace for trace.
    EXPECT_EQ(deux.canevas[0]->Resume(), tout.canevas[1]->Resume());

    SortieEnregistree fin;
    ImprimerPartition(fin, bilan.NbPages - 1, bilan.NbPages, 1);
    EXPECT_EQ(fin.pages, (std::vector<int32_t>{bilan.NbPages - 1, bilan.NbPages}));
    EXPECT_EQ(fin.canevas[1]->Resume(), tout.canevas.back()->Resume());

    // A range past the end begins no page at all: nothing is sent to the printer.
    SortieEnregistree rien;
    TBilanImpression bilanRien;
    EXPECT_EQ(ImprimerPartition(rien, bilan.NbPages + 1, bilan.NbPages + 3, 1, &bilanRien), 91);
    EXPECT_TRUE(rien.pages.empty());
    EXPECT_EQ(bilanRien.PagesDessinees, 0);
    EXPECT_EQ(rien.terminaisons, 1);
}

TEST_F(ImpPartitionTest, PreviewPicturesKeepTheirZoomAndAreClearedFirst)
{
    Chanson(2);
    ParamImpCourant.ZoomApercu = 0.5;
    canevas.SetPixelsParPouce(96);
    TSortieCanevas sortie(canevas, 376, 540, 0.5, true);
    TBilanImpression bilan;
    ImprimerPartition(sortie, 1, 1, 1, &bilan);
    EXPECT_EQ(bilan.NbPages, 1);
    EXPECT_EQ(sortie.DernierePage(), 1);
    EXPECT_DOUBLE_EQ(ParamImpCourant.ZoomApercu, 0.5);
    EXPECT_DOUBLE_EQ(EchelleImpr(), 96 / 25.4 * 0.5);
    ASSERT_NE(Texte("Song"), nullptr);
    EXPECT_EQ(Texte("Song")->fonte.taille, 10);
    EXPECT_EQ(canevas.Traces()[0].Resume(), "Rectangle 0,0,377,541 pen #000000 brush #FFFFFF");

    // Printing draws at zoom 1 whatever the preview's zoom.
    SortieEnregistree imprimante;
    ImprimerPartition(imprimante, 0, 0, 1);
    EXPECT_DOUBLE_EQ(ParamImpCourant.ZoomApercu, 1.0);
}

TEST_F(ImpPartitionTest, PageRangeOfTheDialogIsNormalised)
{
    struct Cas {
        int32_t premiere, derniere, p, d;
    };
    for (const Cas c : {Cas{5, 0, 5, 5}, Cas{7, 3, 3, 7}, Cas{0, 0, 0, 0}, Cas{2, 4, 2, 4}, Cas{0, 3, 0, 3}}) {
        int32_t p = c.premiere;
        int32_t d = c.derniere;
        NormaliserPagesImpression(p, d);
        EXPECT_EQ(p, c.p) << c.premiere << "-" << c.derniere;
        EXPECT_EQ(d, c.d) << c.premiere << "-" << c.derniere;
    }
}

TEST_F(ImpPartitionTest, SelectedAreaCentredHasEqualMarginsAndAFrame)
{
    Chanson(2);
    ParamImpCourant.FullPage = false;
    ParamImpCourant.Largeur_Prt = 100;
    ParamImpCourant.Hauteur_Prt = 120;
    ParamImpCourant.Center_Prt = true;
    SortieEnregistree sortie;
    ImprimerPartition(sortie, 0, 0, 1);
    ASSERT_GE(sortie.marges.size(), 1u);
    const auto& m = sortie.marges[0];
    EXPECT_DOUBLE_EQ(m[0], m[1]);
    EXPECT_DOUBLE_EQ(m[2], m[3]);
    const double W = 4800 / (600 / 25.4);
    EXPECT_NEAR(m[0], (W + 10 - 100) / 2, 1e-9);

    // The frame: 1-pixel pen, clear brush, the saved margins outside the working ones.
    const auto rectangles = sortie.canevas[0]->Traces(platform::CanevasEnregistreur::Operation::Rectangle);
    const auto cadre = std::find_if(rectangles.begin(), rectangles.end(), [](const auto& t) { return t.brosse.vide; });
    ASSERT_NE(cadre, rectangles.end());
    EXPECT_EQ(cadre->points[0].x, Px(m[0] - 10));
    EXPECT_EQ(cadre->points[1].x, Px(W - m[1] + 10));
    EXPECT_EQ(cadre->points[0].y, Px(m[2] - 15));

    // The saved margins come back.
    EXPECT_DOUBLE_EQ(ParamImpCourant.MargeGaucheLignes, 10);
    EXPECT_DOUBLE_EQ(ParamImpCourant.MargeDroiteLignes, 10);

    // No frame without the switch, nor on a full page.
    ParamImpCourant.TracerCadre_Prt = false;
    SortieEnregistree sans;
    ImprimerPartition(sans, 0, 0, 1);
    const auto r2 = sans.canevas[0]->Traces(platform::CanevasEnregistreur::Operation::Rectangle);
    EXPECT_TRUE(std::none_of(r2.begin(), r2.end(), [](const auto& t) { return t.brosse.vide; }));
}

TEST_F(ImpPartitionTest, ProportionsScaleEverythingButTheMargins)
{
    Chanson(2);
    SortieEnregistree normal;
    ImprimerPartition(normal, 0, 0, 1);
    const int topNormal = Px(15 + 20);
    ParamImpCourant.GlobalProportions_Prt = 20;
    SortieEnregistree double_;
    ImprimerPartition(double_, 0, 0, 1);
    EXPECT_DOUBLE_EQ(ParamImpCourant.CoefProportions, 2.0);
    EXPECT_DOUBLE_EQ(double_.marges[0][0], 5.0); // 10 real mm are 5 print mm
    EXPECT_DOUBLE_EQ(double_.marges[0][2], 7.5);

    auto titre = [](const SortieEnregistree& s) {
        for (const auto& t : s.canevas[0]->Traces(platform::CanevasEnregistreur::Operation::Texte))
            if (t.texte == "Someone")
                return t;
        return platform::CanevasEnregistreur::Trace{};
    };
    // The author's text: same top on paper (the top margin), twice the font size.
    EXPECT_EQ(titre(double_).fonte.taille, 2 * titre(normal).fonte.taille);
    EXPECT_EQ(titre(normal).points[0].y, topNormal);
    EXPECT_EQ(titre(double_).points[0].y, static_cast<int>(platform::Round((7.5 + 20) * EchelleImpr())));
}

TEST_F(ImpPartitionTest, HeaderPlacesItsTexts)
{
    Chanson(1);
    Partition.NomPiste[1] = "Lead";
    Partition.Capo[1] = 3;
    Partition.TripletFeel = 1;
    CanvasImpr = &canevas;
    PageExacte(10.0, 2000);
    LargeurPage = 2000;
    ParamImpCourant.PosY = 15;
    ParamImpCourant.MargeHautePart = 15;
    ImprimerEntete();

    const Trace* titre = Texte("Song");
    const Trace* piste = Texte("(Lead)");
    const Trace* auteur = Texte("Someone");
    const Trace* commentaire = Texte("A comment");
    const Trace* capo = Texte("Capo 3");
    ASSERT_TRUE(titre && piste && auteur && commentaire && capo);
    // Centred between the margins (1000 px), right-aligned on 1900, left on 100.
    EXPECT_EQ(titre->points[0], (platform::Point{1000 - 12, 150}));
    EXPECT_EQ(piste->points[0], (platform::Point{1000 - 18, 250}));
    EXPECT_EQ(piste->fonte.taille, 10);
    EXPECT_FALSE(piste->fonte.gras);
    EXPECT_EQ(auteur->points[0], (platform::Point{1900 - 42, 350}));
    EXPECT_EQ(commentaire->points[0], (platform::Point{100, 350}));
    // Beside the triplet-feel sign, 18 mm right of the margin.
    EXPECT_EQ(capo->points[0], (platform::Point{280, 420}));
    EXPECT_NE(Texte("="), nullptr);
    EXPECT_NE(Texte("3"), nullptr);
    EXPECT_EQ(Traces(Op::Ellipse).size(), 4u);

    Partition.TripletFeel = 0;
    canevas.Effacer();
    ImprimerEntete();
    EXPECT_EQ(Texte("Capo 3")->points[0].x, 100);
    EXPECT_EQ(Texte("="), nullptr);
}

TEST_F(ImpPartitionTest, WithoutTripletFeelOrCapoTheFirstLineMovesUp)
{
    Chanson(1);
    auto premiereCorde = [] {
        SortieEnregistree sortie;
        ImprimerPartition(sortie, 0, 0, 1);
        int y = 1 << 30;
        for (const auto& t : sortie.canevas[0]->Traces(platform::CanevasEnregistreur::Operation::Rectangle))
            if (t.points[1].y - t.points[0].y == Px(0.1) + 1)
                y = std::min(y, t.points[0].y);
        return y;
    };
    const int sans = premiereCorde();
    Partition.Capo[1] = 2;
    const int avec = premiereCorde();
    EXPECT_EQ(sans, Px(15 + 55 - 8));
    EXPECT_EQ(avec, Px(15 + 55));
    Partition.Capo[1] = 0;
    ParamImpCourant.AffTriplet_Prt = false;
    Partition.TripletFeel = 1;
    EXPECT_EQ(premiereCorde(), sans);
}

TEST_F(ImpPartitionTest, FooterNamesTitleTrackAndPage)
{
    EXPECT_EQ(TextePiedPage(2), "Song - 2");
    Partition.NomPiste[1] = "Bass";
    EXPECT_EQ(TextePiedPage(12), "Song (Bass) - 12");

    CanvasImpr = &canevas;
    PageExacte(10.0, 2000);
    HauteurPage = 3000;
    ImprimerPiedPage(3);
    const Trace* t = Texte("Song (Bass) - 3");
    ASSERT_NE(t, nullptr);
    // Right-aligned on 190 mm, its bottom on the bottom margin line (290 mm).
    EXPECT_EQ(t->points[0].x, 1900 - 6 * 15);
    EXPECT_EQ(t->points[0].y, 2900 - (platform::TaillePixelsFonte(8, 600) + 3));
    canevas.Effacer();
    ParamImpCourant.AffNumP_Prt = false;
    ImprimerPiedPage(3);
    EXPECT_TRUE(canevas.Traces().empty());
}

TEST_F(ImpPartitionTest, ChordListRowsAreCentred)
{
    PageExacte(10.0, 650); // working width 45 mm: three 8 mm diagrams 13.33 mm apart
    const TGeometrieListeImpr g = GeometrieListeAccordsImpr(7);
    EXPECT_EQ(g.ParLigne, 3);
    EXPECT_EQ(g.NbLignes, 3);
    EXPECT_NEAR(g.Hauteur, 2 * 5.0 / 3 * 8 + 15, 1e-9);
    const double centre = 45 / 2.0 + 10;
    const double pas = 8 + 16.0 / 3;
    struct Cas {
        int i;
        double x;
        int rangee;
    };
    for (const Cas c : {Cas{0, centre - pas, 0}, Cas{1, centre, 0}, Cas{2, centre + pas, 0}, Cas{3, centre - pas, 1},
                        Cas{6, centre, 2}}) {
        double x = 0;
        double y = 0;
        PositionAccordListeImpr(g, 7, c.i, x, y);
        EXPECT_NEAR(x, c.x, 1e-9) << c.i;
        EXPECT_NEAR(y, 15 + 50 - 8 + c.rangee * 5.0 / 3 * 8, 1e-9) << c.i;
    }

    // Narrower than one diagram: one per row rather than a division by zero.
    PageExacte(10.0, 210);
    EXPECT_EQ(GeometrieListeAccordsImpr(3).ParLigne, 1);
    EXPECT_EQ(GeometrieListeAccordsImpr(3).NbLignes, 3);

    // No block when switched off or empty.
    EXPECT_DOUBLE_EQ(GeometrieListeAccordsImpr(0).Hauteur, 0);
    ParamImpCourant.AffListChord_Prt = false;
    EXPECT_DOUBLE_EQ(GeometrieListeAccordsImpr(7).Hauteur, 0);

    // The chord size setting scales every diagram.
    ParamImpCourant.AffListChord_Prt = true;
    ParamImpCourant.ChordSize_Prt = 40;
    EXPECT_DOUBLE_EQ(GeometrieListeAccordsImpr(1).Largeur, 16.0);
    ParamImpCourant.ChordSize_Prt = -40;
    EXPECT_DOUBLE_EQ(GeometrieListeAccordsImpr(1).Largeur, 4.0);
}

TEST_F(ImpPartitionTest, ChordListHeightMovesTheFirstLine)
{
    Chanson(1);
    AjouterAccords(7);
    SortieEnregistree sortie;
    ImprimerPartition(sortie, 0, 0, 1);
    EXPECT_DOUBLE_EQ(ParamImpCourant.HauteurListeAccords, 15.0); // one row
    for (int i = 1; i <= 7; ++i)
        EXPECT_TRUE(sortie.ATexte(0, "C" + std::to_string(i))) << i;
}

TEST_F(ImpPartitionTest, BeatTextsOnLinesOfChordDiagramsCoverNothing)
{
    // A text that found no room beside its beat was printed over the diagrams.
    ChansonAccordsEtTextes(8);
    SortieEnregistree sortie;
    ImprimerPartition(sortie, 0, 0, 1);
    ASSERT_EQ(sortie.canevas.size(), 1u);
    platform::CanevasEnregistreur& page = *sortie.canevas[0];
    std::vector<lyrx_test::Boite> textes, encre;
    for (const Trace& t : page.Traces()) {
        const lyrx_test::Boite b = lyrx_test::BoiteDe(page, t);
        const bool texte = t.operation == Op::Texte && std::ranges::find(kTextes, t.texte) != std::end(kTextes);
        (texte ? textes : encre).push_back(b);
    }
    ASSERT_EQ(textes.size(), 32u);
    for (std::size_t i = 0; i < textes.size(); ++i) {
        const lyrx_test::Boite& t = textes[i];
        EXPECT_EQ(lyrx_test::Couvertes(t, encre), "") << "text " << i << " at " << t.gauche << "," << t.haut;
        EXPECT_EQ(lyrx_test::Couvertes(t, std::span(textes).subspan(i + 1)), "") << "text " << i;
    }
}

TEST_F(ImpPartitionTest, LinesGrownForTheirTextsBreakPagesAsInTheWholePrint)
{
    // Lines grow for the texts that go up on the pages that are not drawn too: page 2 alone is
    // page 2 of the whole print, over diagrams, over other texts or over the marks of the beats.
    struct Cas {
        const char* nom;
        bool diagrammes;
        bool marques = false;
    };
    // Eighths with texts longer than the beats leave them, or none.
    auto longsTextes = [](bool avec) {
        for (int m = 1; m <= 60; ++m)
            for (int b = 1; b <= 8; ++b)
                Temps(b, m).Texte = avec ? std::string(kTextes[b % 4]) + " all the way through it" : "";
    };
    // Double stops bent 1.5 and 2.5 under vibrato strokes: the Vs go up over the amounts, and
    // the texts, set lower, over the Vs.
    auto marques = [] {
        ParamImpCourant.EspTexte_Prt = -15;
        for (int m = 1; m <= 60; ++m)
            for (int b = 1; b <= 8; ++b) {
                TTemps& t = Temps(b, m);
                t.Texte = b % 2 == 1 ? kTextes[b / 2] : "";
                const int corde = (b - 1) % 4 + 1;
                t.Notes[corde].Frette = 10;
                t.Notes[corde].Effet = 5;
                t.Notes[corde].ValeurBend = 1.5;
                t.Notes[corde + 1].Frette = 12;
                t.Notes[corde + 1].Effet = 5;
                t.Notes[corde + 1].ValeurBend = 2.5;
                t.Effet = 3;
            }
    };
    for (const Cas c : {Cas{"texts and diagrams", true}, Cas{"long texts on every eighth", false},
                        Cas{"texts over vibrato strokes on bent double stops", false, true}}) {
        SCOPED_TRACE(c.nom);
        Mesures(0);
        ChansonAccordsEtTextes(60);
        for (int m = 1; m <= 60 && !c.diagrammes; ++m)
            Battements({1, 1, 1, 1, 1, 1, 1, 1}, m);
        if (c.marques) {
            marques();
        } else if (!c.diagrammes) {
            // The lines grow for the texts that go up: more pages.
            longsTextes(false);
            SortieEnregistree sansTextes;
            TBilanImpression sans;
            ImprimerPartition(sansTextes, 0, 0, 1, &sans);
            longsTextes(true);
            SortieEnregistree avecTextes;
            TBilanImpression avec;
            ImprimerPartition(avecTextes, 0, 0, 1, &avec);
            EXPECT_GT(avec.NbPages, sans.NbPages);
        }
        SortieEnregistree tout;
        TBilanImpression bilan;
        ImprimerPartition(tout, 0, 0, 1, &bilan);
        ASSERT_GE(bilan.NbPages, 3);
        SortieEnregistree deux;
        ImprimerPartition(deux, 2, 2, 1);
        ASSERT_EQ(deux.pages, std::vector<int32_t>{2});
        EXPECT_EQ(deux.canevas[0]->Resume(), tout.canevas[1]->Resume());
    }
}

TEST_F(ImpPartitionTest, TheFirstLineStartsBelowEverythingTheChordListDraws)
{
    // The first line's marks over its diagrams ("x o o") and its ending bracket ran into the
    // names of the chord list's last row.
    struct Cas {
        const char* nom;
        bool diagrammes, fin;
    };
    for (const Cas c : {Cas{"diagrams", true, false}, Cas{"an ending", false, true}, Cas{"both", true, true}}) {
        SCOPED_TRACE(c.nom);
        Mesures(0);
        ChansonAccordsEtTextes(4);
        for (int m = 1; m <= 4; ++m)
            for (int b = 1; b <= 4; ++b) {
                Temps(b, m).Texte = "";
                Temps(b, m).AvecAccord = c.diagrammes;
            }
        Mesure(1).Repetition = c.fin;
        Mesure(1).NumRepetition = 1;
        ViderAccordsPartition();
        AjouterAccords(3);
        SortieEnregistree sortie;
        ImprimerPartition(sortie, 0, 0, 1);
        platform::CanevasEnregistreur& page = *sortie.canevas[0];
        // The header and the list come first, the list ending with the name of its last chord.
        const auto traces = page.Traces();
        const auto dernierNom = std::ranges::find_if(traces, [](const Trace& t) { return t.texte == "C3"; });
        ASSERT_NE(dernierNom, traces.end());
        int basListe = 0;
        int hautLigne = 1 << 30;
        for (auto t = traces.begin(); t != traces.end(); ++t) {
            const lyrx_test::Boite b = lyrx_test::BoiteDe(page, *t);
            if (t <= dernierNom)
                basListe = std::max(basListe, b.bas);
            else
                hautLigne = std::min(hautLigne, b.haut);
        }
        EXPECT_LE(basListe, hautLigne);
    }
}

} // namespace
