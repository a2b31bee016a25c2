// The dynamics palette: its buttons run the commands and mirror their states.
#include "FixtureDialogues.h"

#include "dialogs/Dyna.h"

#include <QKeyEvent>
#include <QToolButton>

namespace {

class DynaTest : public FixtureDialogues {
protected:
    void SetUp() override
    {
        FixtureDialogues::SetUp();
        Remplir(1, 1, 1, 0, false, false, 3);
        Temps(1, 1, 1).Notes[3].Frette = 5;
        Temps(1, 1, 1).Notes[4].Frette = kNoteMorte;
        Entrer(1);
    }
};

TEST_F(DynaTest, UnBoutonNeChangeQueLaNoteDuCurseur)
{
    TDynaForm palette;
    palette.BT_DynaNote[8]->click();
    EXPECT_EQ(Note(1, 1, 1, 1).Nuance, 8);
    EXPECT_EQ(Note(1, 1, 1, 3).Nuance, 6);
    EXPECT_TRUE(palette.BT_DynaNote[8]->isChecked());
    EXPECT_FALSE(palette.BT_DynaNote[6]->isChecked());
    EXPECT_TRUE(Commandes().Checked(Cmd::Ac_Dyna_fff));
}

TEST_F(DynaTest, AppliquerAuTempsChangeLesNotesFretteesSeulement)
{
    TDynaForm palette;
    palette.BT_Apply->click();
    EXPECT_TRUE(Commandes().Checked(Cmd::BT_Apply));
    EXPECT_TRUE(palette.BT_Apply->isChecked());
    palette.BT_DynaNote[2]->click();
    EXPECT_EQ(Note(1, 1, 1, 1).Nuance, 2);
    EXPECT_EQ(Note(1, 1, 1, 3).Nuance, 2);
    EXPECT_EQ(Note(1, 1, 1, 4).Nuance, 2) << "a dead note has a fret";
    EXPECT_EQ(Note(1, 1, 1, 2).Nuance, 6) << "an empty string is untouched";
    EXPECT_EQ(Note(1, 1, 1, 2).Frette, kPasDeNote);
}

TEST_F(DynaTest, NuanceFantomeEtBoutonDeLaFenetre)
{
    TDynaForm palette;
    palette.BT_DynaNote[4]->click();
    EXPECT_TRUE(Commandes().Checked(Cmd::Ac_Effet_GhostNote));
    palette.BT_DynaNote[5]->click();
    EXPECT_FALSE(Commandes().Checked(Cmd::Ac_Effet_GhostNote));
}

TEST_F(DynaTest, AppliquerEtDefautGardentLaNuanceDesNouvellesNotes)
{
    TDynaForm palette;
    palette.BT_DynaNote[3]->click();
    Configuration.DefaultDynamic = 6;
    palette.BT_Apply->click();
    EXPECT_EQ(Configuration.DefaultDynamic, 3);
    palette.BT_DynaNote[7]->click();
    palette.BT_Default->click();
    EXPECT_EQ(Configuration.DefaultDynamic, 7);
}

TEST_F(DynaTest, SansNuanceEnfonceeLeDefautReste)
{
    TDynaForm palette;
    Note(1, 1, 1, 1).Nuance = 0;
    ActualiserCommandes();
    Configuration.DefaultDynamic = 5;
    palette.BT_Default->click();
    EXPECT_EQ(Configuration.DefaultDynamic, 5);
}

TEST_F(DynaTest, NoteVideBoutonsInactifs)
{
    TDynaForm palette;
    Curseur.Corde = 2;
    ActualiserCommandes();
    for (int n = 1; n <= 8; ++n)
        EXPECT_FALSE(palette.BT_DynaNote[n]->isEnabled()) << n;
    EXPECT_FALSE(palette.BT_Default->isEnabled());
    EXPECT_FALSE(palette.BT_Apply->isEnabled());
    Commandes().Executer(Cmd::Ac_Dyna_p);
    EXPECT_EQ(Note(1, 1, 1, 2).Nuance, 6);
    Curseur.Corde = 1;
    ActualiserCommandes();
    EXPECT_TRUE(palette.BT_DynaNote[1]->isEnabled());
    EXPECT_TRUE(palette.BT_DynaNote[6]->isChecked());
}

TEST_F(DynaTest, JoueQuandLaSaisieJoue)
{
    lecteur.Disponible = true;
    Commandes().SetChecked(Cmd::Ac_Son_JouerSaisie, true);
    TDynaForm palette;
    palette.BT_DynaNote[5]->click();
    EXPECT_EQ(lecteur.BeatsJoues, 1);
    EXPECT_TRUE(PartitionModifiee) << "the undo snapshot marks the song modified";
}

TEST_F(DynaTest, TaillesNomsEtTouchesTransmises)
{
    QWidget cible;
    int touches = 0;
    class Compteur : public QObject {
    public:
        int* n;
        explicit Compteur(int* c) : n(c) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::KeyPress)
                ++*n;
            return false;
        }
    } compteur(&touches);
    cible.installEventFilter(&compteur);
    TDynaForm palette;
    palette.DefinirCibleTouches(&cible);
    Touche(&palette, Qt::Key_Right);
    EXPECT_EQ(touches, 1);
    EXPECT_EQ(palette.objectName(), QStringLiteral("DynaForm"));
    EXPECT_EQ(palette.BT_DynaNote[1]->objectName(), QStringLiteral("BT_DynaNote_1"));
    EXPECT_EQ(palette.width(), palette.BT_DynaNote[8]->geometry().right() + 1);
    EXPECT_EQ(palette.height(), palette.BT_Default->geometry().bottom() + 1);
    EXPECT_EQ(palette.BT_DynaNote[4]->toolTip(), QStringLiteral("mezzo piano"));
}

TEST_F(DynaTest, Legendes)
{
    TDynaForm palette;
    EXPECT_EQ(palette.BT_Default->text(), QStringLiteral("Set as Default"));
    ChargerAnglais();
    palette.Traduire();
    EXPECT_EQ(palette.windowTitle(), QStringLiteral("Dynamics"));
    EXPECT_EQ(palette.BT_Apply->text(), QStringLiteral("Apply to the chord"));
    EXPECT_EQ(palette.BT_Apply->toolTip(), QStringLiteral("Apply the dynamic to the whole chord"));
}

TEST_F(DynaTest, ServicePaletteNuances)
{
    TDynaForm palette;
    IPaletteNuances& service = palette;
    service.SetVisible(true);
    EXPECT_TRUE(service.Visible());
    service.BT_DynaNote_1Click(1);
    EXPECT_EQ(NoteCurseur().Nuance, 1);
    service.SetVisible(false);
    EXPECT_FALSE(palette.isVisible());
}

} // namespace
