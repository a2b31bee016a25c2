// Where the staff, dynamics and drum palettes first open over the real main window, with fresh
// settings, on the screens users have: beside the window where the screen has room, else over
// the score view, never over the menu bar, the edit zone or the status bar, nor over one
// another; and a palette the user moved keeps its place. Each screen size runs in a process of
// its own, on an offscreen screen of that size.
#include "app/FixtureFenetrePrincipale.h"
#include "app/PlacementPalettes.h"
#include "app/VuePartition.h"
#include "controls/CadreFenetre.h"
#include "editor/Commandes.h"
#include "editor/Ed_fct.h"
#include "support/RelanceTest.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kVariableEcran = "LYRX_TEST_ECRAN";

// The screen size a parent test asked this process to run on.
std::optional<QSize> EcranDemande()
{
    const char* v = std::getenv(kVariableEcran);
    int l = 0;
    int h = 0;
    if (!v || std::sscanf(v, "%dx%d", &l, &h) != 2)
        return std::nullopt;
    return QSize(l, h);
}

// The current test run again in a process of its own whose offscreen screen has `taille`; its
// output comes back in `sortie`. True when it passed.
bool ExecuterSurEcran(QSize taille, const fs::path& dossier, std::string& sortie)
{
    const std::string nom = std::to_string(taille.width()) + "x" + std::to_string(taille.height());
    const fs::path config = dossier / ("ecran-" + nom + ".json");
    std::ofstream(config) << R"({"screens":[{"name":"essai","x":0,"y":0,"width":)" << taille.width()
                          << R"(,"height":)" << taille.height() << R"(,"logicalDpi":96}]})";
    return lyrx_test::RelancerTestCourant("QT_QPA_PLATFORM=offscreen:configfile=" + config.string() + " " + kVariableEcran
                                              + "=" + nom,
                                          dossier / ("sortie-" + nom + ".txt"), sortie);
}

QRect RectGlobal(const QWidget* w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); }

QRect Cadre(const QWidget* fenetre) { return fenetre->geometry().marginsAdded(MargesCadre(fenetre)); }

// Where a window stands as its show ends, before the event loop lets the window manager map it:
// a window placed only later has already been placed by the manager, which may keep its place.
class PositionALaFinDuShow : public QObject {
public:
    explicit PositionALaFinDuShow(QWidget* fenetre) : fenetre_(fenetre) { fenetre->installEventFilter(this); }
    std::optional<QPoint> Position;

protected:
    bool eventFilter(QObject* objet, QEvent* e) override
    {
        if (objet == fenetre_ && e->type() == QEvent::ShowToParent && !Position)
            Position = fenetre_->pos();
        return false;
    }

private:
    QWidget* fenetre_;
};

class PlacementPalettes : public lyrx_test::FixtureFenetrePrincipale<> {
protected:
    void SetUp() override
    {
        ecran_ = EcranDemande();
        if (!ecran_)
            return;
        // As in the program, whose guardian keeps every window on the screen.
        InstallerGardienEcran();
        PreparerProgramme("English");
        OuvrirFenetre();
    }

    void TearDown() override
    {
        if (ecran_)
            FermerFenetre();
    }

    // In the parent process: the test again on each screen size.
    void SurChaqueEcran()
    {
        const lyrx_test::DossierTemporaire dossier("lyrx-ecrans");
        for (const QSize taille : {QSize(1024, 768), QSize(1280, 1024)}) {
            std::string sortie;
            EXPECT_TRUE(ExecuterSurEcran(taille, dossier.Chemin(), sortie))
                << taille.width() << "x" << taille.height() << ":\n"
                << sortie;
        }
    }

    // The parts of the main window a palette must leave in view.
    std::vector<std::pair<const char*, QRect>> ZonesDeTravail() const
    {
        std::vector<std::pair<const char*, QRect>> zones{{"menu bar", RectGlobal(fenetre_->menuBar())}};
        for (const char* nom : {"PanelBarreBoutons2", "PanelZoneSaisie", "PanelNumMesure", "PanelNbTps", "PanelNbTps2",
                                "PanelTextCom"}) {
            const auto* w = fenetre_->findChild<QWidget*>(QString::fromLatin1(nom));
            EXPECT_TRUE(w) << nom;
            if (w)
                zones.emplace_back(nom, RectGlobal(w));
        }
        return zones;
    }

    // The three palettes opened as the user opens them; each checked as it appears.
    void OuvrirLesPalettes(const std::function<void(QWidget*)>& verifier)
    {
        fenetre_->findChild<QAction*>(QStringLiteral("Mn_Ass_Solfege"))->trigger();
        QCoreApplication::processEvents();
        verifier(&residentes_->ClassForm);
        fenetre_->findChild<QToolButton*>(QStringLiteral("BT_DynaForm"))->click();
        QCoreApplication::processEvents();
        verifier(&residentes_->DynaForm);
        fenetre_->BoutonPiste(kPistePercussions)->click();
        QCoreApplication::processEvents();
        verifier(&residentes_->Assistant_Bat_Form);
    }

    std::optional<QSize> ecran_;
};

TEST_F(PlacementPalettes, FreshPalettesOpenBesideTheWindowOrOverTheScoreView)
{
    if (!ecran_) {
        SurChaqueEcran();
        return;
    }
    const QScreen* ecran = QGuiApplication::primaryScreen();
    ASSERT_EQ(ecran->size(), *ecran_);
    const QRect zone = ecran->availableGeometry();

    // Where the window manager puts the main window with fresh settings: in the middle.
    fenetre_->move(zone.center() - Cadre(fenetre_.get()).center() + fenetre_->pos());
    QCoreApplication::processEvents();
    ASSERT_TRUE(zone.contains(Cadre(fenetre_.get())));

    const auto zones = ZonesDeTravail();
    const QRect vue = RectGlobal(fenetre_->ZoneAffichage());
    std::map<QWidget*, std::unique_ptr<PositionALaFinDuShow>> positions;
    for (QWidget* palette : std::initializer_list<QWidget*>{&residentes_->ClassForm, &residentes_->DynaForm,
                                                            &residentes_->Assistant_Bat_Form})
        positions[palette] = std::make_unique<PositionALaFinDuShow>(palette);
    std::vector<QWidget*> ouvertes;
    OuvrirLesPalettes([&](QWidget* palette) {
        SCOPED_TRACE(palette->objectName().toStdString());
        ASSERT_TRUE(palette->isVisible());
        EXPECT_EQ(positions[palette]->Position, palette->pos()) << "placed before it is mapped";
        const QRect cadre = Cadre(palette);
        EXPECT_TRUE(zone.contains(cadre));
        for (const auto& [nom, r] : zones)
            EXPECT_FALSE(cadre.intersects(r)) << "over the " << nom;
        // Beside the window, or over the score view.
        EXPECT_TRUE(!cadre.intersects(Cadre(fenetre_.get())) || vue.contains(cadre));
        for (const QWidget* autre : ouvertes)
            EXPECT_FALSE(cadre.intersects(Cadre(autre))) << "over " << autre->objectName().toStdString();
        ouvertes.push_back(palette);
    });
}

// A main window the user put against the left edge of a wide screen leaves room at its right:
// the palettes that fit there open there, the others over the score view.
TEST_F(PlacementPalettes, APaletteOpensBesideTheWindowWhereTheScreenHasRoom)
{
    if (!ecran_) {
        SurChaqueEcran();
        return;
    }
    const QRect zone = QGuiApplication::primaryScreen()->availableGeometry();
    fenetre_->move(zone.topLeft() - Cadre(fenetre_.get()).topLeft() + fenetre_->pos());
    QCoreApplication::processEvents();
    const QRect principale = Cadre(fenetre_.get());
    const int place = zone.right() - principale.right();

    const auto zones = ZonesDeTravail();
    const QRect vue = RectGlobal(fenetre_->ZoneAffichage());
    std::vector<QWidget*> ouvertes;
    OuvrirLesPalettes([&](QWidget* palette) {
        SCOPED_TRACE(palette->objectName().toStdString());
        const QRect cadre = Cadre(palette);
        EXPECT_TRUE(zone.contains(cadre));
        bool libre = cadre.width() <= place;
        for (const QWidget* autre : ouvertes)
            libre = libre && Cadre(autre).left() <= principale.right();
        if (libre) {
            EXPECT_EQ(cadre.left(), principale.right() + 1);
            EXPECT_EQ(cadre.top(), principale.top());
        } else {
            EXPECT_TRUE(vue.contains(cadre) || cadre.left() > principale.right()) << cadre.x() << "," << cadre.y();
        }
        for (const auto& [nom, r] : zones)
            EXPECT_FALSE(cadre.intersects(r)) << "over the " << nom;
        for (const QWidget* autre : ouvertes)
            EXPECT_FALSE(cadre.intersects(Cadre(autre))) << "over " << autre->objectName().toStdString();
        ouvertes.push_back(palette);
    });

    // Moved by the user, a palette opens again where the user left it.
    QWidget& portee = residentes_->ClassForm;
    const QPoint choisie = zone.topLeft() + QPoint(37, 41);
    portee.move(choisie);
    fenetre_->findChild<QAction*>(QStringLiteral("Mn_Ass_Solfege"))->trigger();
    QCoreApplication::processEvents();
    ASSERT_FALSE(portee.isVisible());
    fenetre_->findChild<QAction*>(QStringLiteral("Mn_Ass_Solfege"))->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(portee.pos(), choisie);
}

// A small main window (640 x 520) in the middle of the screen has room for the drum palette
// neither beside it nor over its score view: the palettes still leave the menu bar, the note
// values, the edit zone and the status bar in view, and one another.
TEST_F(PlacementPalettes, OnASmallWindowPalettesLeaveTheWorkingPartsInView)
{
    if (!ecran_) {
        SurChaqueEcran();
        return;
    }
    const QRect zone = QGuiApplication::primaryScreen()->availableGeometry();
    fenetre_->resize(640, 520);
    QCoreApplication::processEvents();
    fenetre_->move(zone.center() - Cadre(fenetre_.get()).center() + fenetre_->pos());
    QCoreApplication::processEvents();
    ASSERT_LT(fenetre_->ZoneAffichage()->height(), residentes_->Assistant_Bat_Form.height());

    const auto zones = ZonesDeTravail();
    std::vector<QWidget*> ouvertes;
    OuvrirLesPalettes([&](QWidget* palette) {
        SCOPED_TRACE(palette->objectName().toStdString());
        const QRect cadre = Cadre(palette);
        EXPECT_TRUE(zone.contains(cadre)) << cadre.x() << "," << cadre.y();
        for (const auto& [nom, r] : zones)
            EXPECT_FALSE(cadre.intersects(r)) << "over the " << nom << " at " << cadre.x() << "," << cadre.y();
        for (const QWidget* autre : ouvertes)
            EXPECT_FALSE(cadre.intersects(Cadre(autre))) << "over " << autre->objectName().toStdString();
        ouvertes.push_back(palette);
    });
}

// The rule itself, where no window can show it: the corners tried in turn.
TEST(PlacePalette, BesideThenOverTheScoreViewClearOfOtherPalettes)
{
    const QRect ecran(0, 0, 1280, 1024);
    const QRect principale(0, 0, 1004, 730);
    const QRect vue(20, 130, 970, 400);
    const QSize taille(200, 250);
    struct Cas {
        const char* nom;
        QRect principale;
        std::vector<QRect> ouvertes;
        QPoint attendu;
    } cas[] = {
        {"at the right of the window", principale, {}, {1004, 0}},
        {"below a palette at its right", principale, {QRect(1004, 0, 200, 300)}, {1004, 300}},
        {"at its left when the right has no room", principale.translated(276, 0), {}, {76, 0}},
        {"over the score view when neither side has room", principale.translated(138, 0), {},
         {138 + 990 - 8 - 200, 138}},
        {"left of a palette in the score view's corner", principale.translated(138, 0),
         {QRect(138 + 990 - 8 - 200, 138, 200, 250)}, {138 + 990 - 8 - 400, 138}},
        {"below a small palette in that corner, rather than further left", principale.translated(138, 0),
         {QRect(138 + 990 - 8 - 200, 138, 200, 60)}, {138 + 990 - 8 - 200, 198}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const QRect v = vue.translated(c.principale.topLeft());
        EXPECT_EQ(PlacePalette(taille, c.principale, v, ecran, c.ouvertes, {}, 8), c.attendu);
    }
}

// A main window too small to hold a palette over its score view, with no room beside it: the
// palette goes where it hides none of the parts the user works in where such a place exists
// (over the toolbars and the score view rather than the note values or the edit zone), else
// where it hides the least of them; clear of the palettes open where it can be.
TEST(PlacePalette, WithoutRoomTheLeastHarmfulPlace)
{
    // A 640 x 520 window in the middle of a 1024 x 768 screen, as the window system frames it.
    const QRect ecran(0, 0, 1024, 768);
    const QRect principale(191, 104, 642, 545);
    const QRect vue(197, 232, 616, 194);
    const QRect menus(192, 124, 640, 18);
    const QRect valeurs(196, 426, 634, 24);
    const QRect saisie(196, 458, 588, 160);
    const QRect etat(196, 620, 634, 22);
    const std::vector<QRect> travail{menus, valeurs, saisie, etat};
    const QSize batterie(546, 233);
    const auto couverte = [](const QRect& r, const std::vector<QRect>& zones) {
        int aire = 0;
        for (const QRect& z : zones)
            aire += r.intersected(z).width() * r.intersected(z).height();
        return aire;
    };
    struct Cas {
        const char* nom;
        QSize taille;
        std::vector<QRect> ouvertes;
        std::vector<QRect> protegees;
        int aireMax; // of the protected parts it may cover
    } cas[] = {
        {"between the menu bar and the note values", batterie, {}, travail, 0},
        {"clear of a palette open there", batterie, {QRect(600, 142, 424, 240)}, travail, 0},
        // Taller than the room between the menus and the note values: it covers a strip of one
        // of them as high as it is too tall, and none of the edit zone.
        {"too tall for the room", QSize(546, 300), {}, travail, (300 - (426 - 142)) * (832 - 478)},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const QRect r(PlacePalette(c.taille, principale, vue, ecran, c.ouvertes, c.protegees, 8), c.taille);
        EXPECT_TRUE(ecran.contains(r)) << r.x() << "," << r.y();
        EXPECT_LE(couverte(r, c.protegees), c.aireMax) << r.x() << "," << r.y();
        EXPECT_EQ(couverte(r, {saisie}), 0);
        EXPECT_EQ(couverte(r, c.ouvertes), 0);
    }
}

} // namespace
