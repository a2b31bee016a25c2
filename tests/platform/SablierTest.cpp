#include "platform/Sablier.h"
#include "platform/qt/SablierQt.h"

#include <QCursor>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace platform;

namespace {

// Records what the cursor was told: "+" busy, "-" normal.
class SablierTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallerAfficheurSablier([this](bool occupe) { journal += occupe ? "+" : "-"; });
    }
    void TearDown() override
    {
        InstallerAfficheurSablier({});
        EXPECT_FALSE(SablierAffiche());
    }
    std::string journal;
};

TEST_F(SablierTest, NestedGuardsShowTheHourglassOnce)
{
    {
        Sablier exterieur;
        EXPECT_TRUE(SablierAffiche());
        {
            Sablier interieur;
            Sablier encore;
        }
        EXPECT_EQ(journal, "+");
    }
    EXPECT_EQ(journal, "+-");
    EXPECT_FALSE(SablierAffiche());
}

TEST_F(SablierTest, TheNormalCursorComesBackWhenAnExceptionLeavesTheScope)
{
    auto lire = [] {
        Sablier sablier;
        Sablier imbrique;
        throw std::runtime_error("fichier illisible");
    };
    EXPECT_THROW(lire(), std::runtime_error);
    EXPECT_EQ(journal, "+-");
    EXPECT_FALSE(SablierAffiche());
}

TEST_F(SablierTest, EndingEarlyBeforeAMessageBox)
{
    {
        Sablier sablier;
        sablier.Terminer(); // the error box shows with the normal cursor
        EXPECT_EQ(journal, "+-");
        sablier.Terminer();
    }
    EXPECT_EQ(journal, "+-"); // the scope's end changes nothing more

    {
        Sablier exterieur;
        Sablier interieur;
        interieur.Terminer(); // the outer guard still holds the hourglass
        EXPECT_TRUE(SablierAffiche());
    }
    EXPECT_EQ(journal, "+-+-");
}

TEST_F(SablierTest, ANewAfficheurTakesOverWhileBusy)
{
    std::string autre;
    {
        Sablier sablier;
        InstallerAfficheurSablier([&](bool occupe) { autre += occupe ? "+" : "-"; });
    }
    EXPECT_EQ(journal, "+-");
    EXPECT_EQ(autre, "+-");
}

TEST_F(SablierTest, AFailingAfficheurLeavesNoGuardBehind)
{
    InstallerAfficheurSablier([](bool) { throw std::runtime_error("pas d'écran"); });
    EXPECT_THROW(Sablier(), std::runtime_error);
    EXPECT_FALSE(SablierAffiche());
}

TEST_F(SablierTest, GuardsMadeWhileDiscreetShowNothing)
{
    {
        SablierDiscret discret;
        {
            Sablier sablier;
            Sablier imbrique;
            EXPECT_FALSE(SablierAffiche());
        }
        {
            SablierDiscret encore;
            Sablier sablier;
        }
    }
    EXPECT_EQ(journal, "");
    // A cursor shown before stays shown through a discreet stretch, and goes with its guard.
    {
        Sablier exterieur;
        {
            SablierDiscret discret;
            Sablier interieur;
        }
        EXPECT_TRUE(SablierAffiche());
        EXPECT_EQ(journal, "+");
    }
    EXPECT_EQ(journal, "+-");
    // Once it is over, guards show again.
    {
        Sablier sablier;
    }
    EXPECT_EQ(journal, "+-+-");
}

TEST(SablierQt, OverridesTheApplicationCursor)
{
    InstallerSablierQt();
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        Sablier sablier;
        Sablier imbrique;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    InstallerAfficheurSablier({});
}

} // namespace
