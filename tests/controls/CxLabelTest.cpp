// The label's settings, its blinking in step with the others, and the web-link label.
#include "controls/CxLabel.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Records what a click would open, and answers as told.
struct LanceurFactice {
    QStringList ouverts;
    bool reussit = true;
    LanceurFactice()
    {
        InstallerLanceurLien([this](const QString& cible) {
            ouverts << cible;
            return reussit;
        });
    }
    ~LanceurFactice() { InstallerLanceurLien(nullptr); }
};

} // namespace

TEST(CxLabel, AngleIsNormalisedAndTurnsTheTextFlat)
{
    struct Cas {
        int donne, garde;
    };
    for (const Cas c : {Cas{-30, 330}, Cas{-400, -40}, Cas{725, 5}, Cas{360, 0}, Cas{90, 90}})
        EXPECT_EQ(NormaliserAngle(c.donne), c.garde) << c.donne;

    TCxLabel l("Texte");
    EXPECT_EQ(l.Rotation(), roNone);
    l.SetAngle(-30);
    EXPECT_EQ(l.Angle(), 330);
    EXPECT_EQ(l.Rotation(), roFlat);
    // Setting the rotation resets the angle: the angle comes after.
    l.SetCenterPoint(cpLowerLeft);
    l.SetRotation(roFlat);
    EXPECT_EQ(l.Angle(), 0);
    EXPECT_EQ(l.CenterPoint(), cpCenter);
    l.SetRotation(roCurve);
    l.SetAngle(45);
    EXPECT_EQ(l.Rotation(), roCurve);
    l.SetRotation(roNone);
    EXPECT_EQ(l.Angle(), 0);
}

TEST(CxLabel, TextLayersByStyle)
{
    using C = CoucheTexte;
    EXPECT_EQ(CouchesTexte(tsNormal, false, true, 2), (std::vector<C>{{C::Police, 0, 0}}));
    EXPECT_EQ(CouchesTexte(tsRaised, false, true, 2),
              (std::vector<C>{{C::Ombre, 1, 1}, {C::Lumiere, -1, -1}, {C::Police, 0, 0}}));
    EXPECT_EQ(CouchesTexte(tsRaised, true, true, 2), (std::vector<C>{{C::Lumiere, -1, -1}, {C::Police, 0, 0}}));
    EXPECT_EQ(CouchesTexte(tsRecessed, false, true, 2),
              (std::vector<C>{{C::Lumiere, 1, 1}, {C::Ombre, -1, -1}, {C::Police, 0, 0}}));
    EXPECT_EQ(CouchesTexte(tsRecessed, true, true, 2), (std::vector<C>{{C::Lumiere, 1, 1}, {C::Police, 0, 0}}));
    EXPECT_EQ(CouchesTexte(tsShadow, false, true, 3), (std::vector<C>{{C::Ombre, 3, 3}, {C::Police, 0, 0}}));
    EXPECT_EQ(CouchesTexte(tsShadow, false, false, 3),
              (std::vector<C>{{C::BoutonLumiere, 1, 1}, {C::TexteGrise, 0, 0}}));
}

TEST(CxLabel, ArcCentreAndRadiiByCentrePoint)
{
    struct Cas {
        TCenterPoint point;
        CentreArc attendu;
    };
    const Cas cas[] = {
        {cpUpperLeft, {3, 3, 94, 54}},    {cpUpperCenter, {50, 3, 44, 54}}, {cpUpperRight, {97, 3, 94, 54}},
        {cpLeftCenter, {3, 30, 94, 24}},  {cpCenter, {50, 30, 44, 24}},     {cpRightCenter, {97, 30, 94, 24}},
        {cpLowerLeft, {3, 57, 94, 54}},   {cpLowerCenter, {50, 57, 44, 54}}, {cpLowerRight, {97, 57, 94, 54}},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(CentreEtRayons(c.point, 100, 60, 3), c.attendu) << int(c.point);
}

TEST(CxLabel, DefaultsAndClientArea)
{
    TCxLabel l("abc");
    l.resize(100, 40);
    EXPECT_EQ(l.TextStyle(), tsRecessed);
    EXPECT_EQ(l.Bordures().BevelWidth, 0);
    EXPECT_EQ(l.Layout(), tlTop);
    l.SetBorderOuter(fsGroove);
    l.SetBorderWidth(3);
    // The band comes off all four sides of the label's client area.
    EXPECT_EQ(l.ClientRect(), (TRect{5, 5, 95, 35}));
    // Painting with every rotation does not fail.
    l.show();
    for (TRotation r : {roNone, roFlat, roCurve}) {
        l.SetRotation(r);
        l.SetAngle(r == roNone ? 0 : 90);
        l.repaint();
    }
    l.SetAngle(33);
    l.repaint();
}

TEST(CxLabel, BlinkServiceLivesWhileALabelExists)
{
    ASSERT_EQ(TCxBlinkingControlsList::Instance(), nullptr);
    auto a = std::make_unique<TCxLabel>("a");
    auto* service = TCxBlinkingControlsList::Instance();
    ASSERT_NE(service, nullptr);
    EXPECT_TRUE(service->Minuterie().isActive());
    EXPECT_EQ(service->Minuterie().interval(), 500);
    auto b = std::make_unique<TCxLabel>("b");
    EXPECT_EQ(service->Count(), 2);
    // The intervals are shared.
    a->SetBlinkIntervalOn(300);
    EXPECT_EQ(b->BlinkIntervalOn(), 300);
    a.reset();
    EXPECT_EQ(TCxBlinkingControlsList::Instance(), service);
    b.reset();
    EXPECT_EQ(TCxBlinkingControlsList::Instance(), nullptr);
}

TEST(CxLabel, BlinkingLabelsFlashTogether)
{
    TCxLabel a("a"), b("b"), c("c");
    a.SetFontColor(platform::clBlack);
    b.SetFontColor(platform::clNavy);
    c.SetFontColor(platform::clGreen);
    a.SetBlinkColor(platform::clRed);
    b.SetBlinkColor(platform::clRed);
    a.SetBlinking(true);
    b.SetBlinking(true);
    auto* service = TCxBlinkingControlsList::Instance();
    service->SetIntervalleAllume(200);
    service->SetIntervalleEteint(700);
    ASSERT_TRUE(service->Etat());
    service->BlinkTimerTick(); // off
    EXPECT_EQ(service->Minuterie().interval(), 700);
    EXPECT_EQ(a.FontColor(), TCouleurCtrl(platform::clBlack));
    service->BlinkTimerTick(); // on
    EXPECT_EQ(service->Minuterie().interval(), 200);
    EXPECT_EQ(a.FontColor(), TCouleurCtrl(platform::clRed));
    EXPECT_EQ(b.FontColor(), TCouleurCtrl(platform::clRed));
    EXPECT_EQ(c.FontColor(), TCouleurCtrl(platform::clGreen)); // not blinking
    // Stopping gives the font colour back at once.
    b.SetBlinking(false);
    EXPECT_EQ(b.FontColor(), TCouleurCtrl(platform::clNavy));
    service->BlinkTimerTick();
    EXPECT_EQ(a.FontColor(), TCouleurCtrl(platform::clBlack));
}

TEST(CxLabel, FlyByColourWhileTheMouseIsOver)
{
    TCxLabel l("x");
    l.SetFontColor(platform::clBlack);
    l.SetFlyByEnabled(true);
    l.SetFlyByColor(platform::clRed);
    int entrees = 0;
    l.OnMouseEnter = [&] { ++entrees; };
    QEnterEvent entree(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&l, &entree);
    EXPECT_EQ(l.FontColor(), TCouleurCtrl(platform::clRed));
    EXPECT_EQ(entrees, 1);
    QEvent sortie(QEvent::Leave);
    QApplication::sendEvent(&l, &sortie);
    EXPECT_EQ(l.FontColor(), TCouleurCtrl(platform::clBlack));
}

TEST(CxURLLabel, ClickOpensTheLinkOrTheCaption)
{
    LanceurFactice lanceur;
    TCxURLLabel l("http://www.example.org");
    EXPECT_EQ(l.TextStyle(), tsNormal);
    EXPECT_TRUE(l.font().underline());
    EXPECT_EQ(l.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(l.FontColor(), TCouleurCtrl(clHighlight));
    int clics = 0;
    l.OnClick = [&] { ++clics; };

    // Empty URL: the caption.
    l.Click();
    EXPECT_EQ(lanceur.ouverts, QStringList{"http://www.example.org"});
    EXPECT_TRUE(l.Visited());
    EXPECT_EQ(l.FontColor(), TCouleurCtrl(platform::Couleur(128, 0, 128)));
    EXPECT_EQ(clics, 1);

    // A URL is opened as it is written, surrounding blanks included.
    l.SetURL("  mailto:someone@example.org ");
    l.Click();
    EXPECT_EQ(lanceur.ouverts.back(), "  mailto:someone@example.org ");

    // A blank URL falls back on the caption.
    l.SetURL("   ");
    l.Click();
    EXPECT_EQ(lanceur.ouverts.back(), "http://www.example.org");
}

TEST(CxURLLabel, BlankTargetDoesNothing)
{
    LanceurFactice lanceur;
    TCxURLLabel l("  ");
    l.SetURL(" ");
    int clics = 0;
    l.OnClick = [&] { ++clics; };
    l.Click();
    EXPECT_EQ(clics, 1); // the click event still fires
    EXPECT_TRUE(lanceur.ouverts.isEmpty());
    EXPECT_FALSE(l.Visited());
    EXPECT_EQ(l.FontColor(), TCouleurCtrl(clHighlight));
}

TEST(CxURLLabel, LinkThatDidNotOpenIsNotVisited)
{
    LanceurFactice lanceur;
    lanceur.reussit = false;
    TCxURLLabel l("http://www.example.org");
    l.Click();
    EXPECT_EQ(lanceur.ouverts.size(), 1);
    EXPECT_FALSE(l.Visited());
}

TEST(CxURLLabel, MouseClickInsideOpens)
{
    LanceurFactice lanceur;
    TCxURLLabel l("http://www.example.org");
    l.resize(150, 20);
    QMouseEvent dehors(QEvent::MouseButtonRelease, QPointF(200, 5), QPointF(200, 5), Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
    QApplication::sendEvent(&l, &dehors);
    EXPECT_TRUE(lanceur.ouverts.isEmpty());
    QMouseEvent dedans(QEvent::MouseButtonRelease, QPointF(10, 5), QPointF(10, 5), Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
    QApplication::sendEvent(&l, &dedans);
    EXPECT_EQ(lanceur.ouverts.size(), 1);
    l.SetVisited(false);
    EXPECT_EQ(l.FontColor(), TCouleurCtrl(clHighlight));
}
