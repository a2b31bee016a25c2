// The toolbar button: grouped toggle buttons, the action it mirrors, and the hot glyph.
#include "controls/CxButton.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QPixmap>

#include <gtest/gtest.h>

TEST(CxToolbarButton, GlyphCountFromItsShape)
{
    EXPECT_EQ(NombreImagesGlyphe(44, 22, 1), 2);
    EXPECT_EQ(NombreImagesGlyphe(88, 22, 1), 4);
    EXPECT_EQ(NombreImagesGlyphe(110, 22, 3), 1); // five images are not a strip
    EXPECT_EQ(NombreImagesGlyphe(30, 22, 3), 3);  // not a multiple: unchanged
    EXPECT_EQ(NombreImagesGlyphe(30, 0, 0), 0);
}

TEST(CxToolbarButton, ToggleAloneInItsGroupCanBeReleased)
{
    QWidget barre;
    auto* boucle = new TCxToolbarButton(&barre);
    boucle->SetGroupIndex(1);
    boucle->SetAllowAllUp(true);
    auto* metronome = new TCxToolbarButton(&barre);
    metronome->SetGroupIndex(2);
    metronome->SetAllowAllUp(true);
    EXPECT_FALSE(boucle->Down());
    boucle->click();
    EXPECT_TRUE(boucle->Down());
    EXPECT_FALSE(metronome->Down()); // another group
    metronome->click();
    EXPECT_TRUE(boucle->Down());
    EXPECT_TRUE(metronome->Down());
    boucle->click();
    EXPECT_FALSE(boucle->Down());
    // The program sets the state too (the metronome setting at start).
    metronome->SetDown(false);
    EXPECT_FALSE(metronome->Down());
}

TEST(CxToolbarButton, GroupKeepsOneDown)
{
    QWidget barre;
    TCxToolbarButton* b[3];
    for (auto*& x : b) {
        x = new TCxToolbarButton(&barre);
        x->SetGroupIndex(5);
    }
    b[0]->click();
    b[1]->click();
    EXPECT_FALSE(b[0]->Down());
    EXPECT_TRUE(b[1]->Down());
    b[1]->click(); // without AllowAllUp the down button stays down
    EXPECT_TRUE(b[1]->Down());
    b[2]->SetDown(true);
    EXPECT_FALSE(b[1]->Down());
    // A plain button never stays down.
    TCxToolbarButton simple(&barre);
    simple.click();
    EXPECT_FALSE(simple.Down());
}

TEST(CxToolbarButton, FollowsItsAction)
{
    QWidget barre;
    QAction action("&Loop", &barre);
    action.setCheckable(true);
    action.setToolTip("Loop");
    int declenchements = 0;
    QObject::connect(&action, &QAction::triggered, [&] { ++declenchements; });
    TCxToolbarButton bouton(&barre);
    bouton.SetIgnoreActionCaption(true);
    bouton.setText("kept");
    bouton.SetAction(&action);
    EXPECT_EQ(bouton.text(), "kept");
    EXPECT_EQ(bouton.toolTip(), "Loop");

    action.setChecked(true);
    EXPECT_TRUE(bouton.Down());
    action.setEnabled(false);
    EXPECT_FALSE(bouton.isEnabled());
    action.setEnabled(true);

    // A click runs the action once; the down state is the action's afterwards.
    bouton.click();
    EXPECT_EQ(declenchements, 1);
    EXPECT_FALSE(action.isChecked());
    EXPECT_FALSE(bouton.Down());

    bouton.SetIgnoreActionCaption(false);
    EXPECT_EQ(bouton.text(), "&Loop");

    // A hint of the button's own (the language's) outlives the action's changes.
    bouton.setToolTip("Play in a loop");
    action.setEnabled(false);
    action.setToolTip("Loop it");
    EXPECT_EQ(bouton.toolTip(), "Play in a loop");
    action.setEnabled(true);

    // Unbound, the action's changes no longer reach the button.
    bouton.SetAction(nullptr);
    action.setEnabled(false);
    EXPECT_TRUE(bouton.isEnabled());
    bouton.click();
    EXPECT_EQ(declenchements, 1);
}

TEST(CxToolbarButton, HotGlyphWhileTheMouseIsOver)
{
    TCxToolbarButton bouton;
    QPixmap normal(44, 22);
    normal.fill(Qt::red);
    bouton.SetGlyph(normal);
    EXPECT_EQ(bouton.NumGlyphs(), 2);
    bouton.SetHotNumGlyphs(0); // stored as it is
    EXPECT_EQ(bouton.HotNumGlyphs(), 0);
    QPixmap chaud(66, 22);
    chaud.fill(Qt::blue);
    bouton.SetHotGlyph(chaud);
    EXPECT_TRUE(bouton.UseHotGlyph());
    EXPECT_EQ(bouton.HotNumGlyphs(), 3);

    int entrees = 0, sorties = 0;
    bouton.OnMouseEnter = [&] { ++entrees; };
    bouton.OnMouseLeave = [&] { ++sorties; };
    QEnterEvent entree(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&bouton, &entree);
    EXPECT_TRUE(bouton.SourisDedans());
    EXPECT_EQ(bouton.icon().pixmap(22, 22).toImage().pixelColor(5, 5), QColor(Qt::blue));
    QEvent sortie(QEvent::Leave);
    QApplication::sendEvent(&bouton, &sortie);
    EXPECT_FALSE(bouton.SourisDedans());
    EXPECT_EQ(bouton.icon().pixmap(22, 22).toImage().pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(bouton.NumGlyphs(), 2);
    EXPECT_EQ(entrees, 1);
    EXPECT_EQ(sorties, 1);
}
