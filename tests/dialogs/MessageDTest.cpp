// The message box window: layout, captions, the keys that answer it and what it returns.
#include "dialogs/MessageD.h"
#include "document/Langue.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QWindow>
#include <QPushButton>
#include <QTimer>

namespace {

class MessageDTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TableLangue = {"DLG_000", "\"OK\"", "\"Cancel\"", "\"Yes\"", "\"No\""};
        RaccourcisAuto = true;
    }
    void TearDown() override
    {
        TableLangue.clear();
        RaccourcisAuto = false;
    }

    static MessageAffiche Message(uint16_t boutons, uint8_t defaut, std::string texte = "Save the changes?")
    {
        MessageAffiche m;
        m.Legende = "Confirmation";
        m.Texte = std::move(texte);
        m.Icone = IconeConfirmation;
        m.Boutons = boutons;
        m.BoutonDefaut = defaut;
        return m;
    }

    static void Touche(QWidget* w, int touche, const QString& texte = {})
    {
        QKeyEvent appui(QEvent::KeyPress, touche, Qt::NoModifier, texte);
        QApplication::sendEvent(w, &appui);
    }
};

} // namespace

TEST_F(MessageDTest, WidgetsStandWhereTheLayoutPutsThem)
{
    TMessageD boite(Message(BoutonOui | BoutonNon | BoutonAnnuler, DefautOui), nullptr, 1.0);
    const DispositionMessage& d = boite.Disposition();
    EXPECT_EQ(boite.size(), QSize(d.LargeurClient, d.HauteurClient));
    EXPECT_EQ(boite.windowTitle(), QStringLiteral("Confirmation"));
    EXPECT_EQ(boite.Texte->geometry(), QRect(64, 16, d.Texte.L, d.Texte.H));
    EXPECT_EQ(boite.Image_Conf->geometry(), QRect(d.Icone.X, d.Icone.Y, 32, 32));
    EXPECT_FALSE(boite.Image_Conf->isHidden());
    EXPECT_TRUE(boite.Image_Err->isHidden());
    EXPECT_TRUE(boite.BT_OK->isHidden());
    for (QPushButton* b : {boite.BT_Oui, boite.BT_Non, boite.BT_Annuler}) {
        EXPECT_FALSE(b->isHidden()) << b->objectName().toStdString();
        EXPECT_EQ(b->size(), QSize(81, 26));
    }
    EXPECT_EQ(boite.BT_Non->x() - boite.BT_Oui->x(), 91);
    EXPECT_EQ(boite.BT_Annuler->x() - boite.BT_Non->x(), 91);
    EXPECT_TRUE(boite.BT_Oui->isDefault());
    // Captions from the language, letters drawn for the shown buttons in the order OK,
    // Cancel, Yes, No.
    EXPECT_EQ(boite.BT_Annuler->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(boite.BT_Oui->text(), QStringLiteral("&Yes"));
    EXPECT_EQ(boite.BT_Non->text(), QStringLiteral("&No"));
    EXPECT_EQ(boite.BT_OK->text(), QStringLiteral("OK"));
}

TEST_F(MessageDTest, TheTextWrapsAtTheDesignWidthAndShrinksToItsLongestLine)
{
    TMessageD court(Message(BoutonOK, DefautOK, "Short"), nullptr, 1.0);
    std::string long_;
    for (int i = 0; i < 40; ++i)
        long_ += "word ";
    TMessageD longue(Message(BoutonOK, DefautOK, long_), nullptr, 1.0);
    TMessageD lignes(Message(BoutonOK, DefautOK, "One\r\rThree"), nullptr, 1.0);

    const DispositionMessage& c = court.Disposition();
    const DispositionMessage& l = longue.Disposition();
    EXPECT_LT(c.Texte.L, 100);
    EXPECT_EQ(c.LargeurClient, 81 + 28); // the button is wider than "Short" with its margins
    EXPECT_LE(l.Texte.L, 425);
    EXPECT_GT(l.Texte.L, 300);
    EXPECT_GE(l.Texte.H, 2 * c.Texte.H);
    EXPECT_EQ(l.LargeurClient, 64 + l.Texte.L + 16);
    EXPECT_EQ(lignes.Disposition().Texte.H, 3 * c.Texte.H); // CR breaks lines, an empty one too
    EXPECT_EQ(longue.Texte->font().pixelSize(), 11);        // 8 points at 96 pixels per inch
    TMessageD a120(Message(BoutonOK, DefautOK), nullptr, 1.25);
    EXPECT_EQ(a120.Texte->font().pixelSize(), 13);
    EXPECT_EQ(a120.BT_OK->size(), QSize(101, 32));
}

TEST_F(MessageDTest, EscapeAnswersCancelElseNoElseNothing)
{
    struct Cas {
        uint16_t boutons;
        uint8_t defaut;
        int resultat; // 0: the box stays open
    };
    const Cas cas[] = {
        {BoutonOui | BoutonNon | BoutonAnnuler, DefautOui, ResultatAnnuler},
        {BoutonOui | BoutonNon, DefautNon, ResultatNon},
        {BoutonOui | BoutonNon, DefautOui, ResultatNon},
        {BoutonOK, DefautOK, 0},
    };
    for (const Cas& c : cas) {
        TMessageD boite(Message(c.boutons, c.defaut), nullptr, 1.0);
        boite.show();
        Touche(&boite, Qt::Key_Escape);
        EXPECT_EQ(boite.result(), c.resultat) << c.boutons;
        EXPECT_EQ(boite.isVisible(), c.resultat == 0) << c.boutons;
    }
}

TEST_F(MessageDTest, CloseBoxEnterClicksAndLettersAnswer)
{
    {
        TMessageD boite(Message(BoutonOui | BoutonNon, DefautNon), nullptr, 1.0);
        boite.show();
        boite.close(); // the close box
        EXPECT_EQ(boite.result(), ResultatAnnuler);
    }
    {
        TMessageD boite(Message(BoutonOui | BoutonNon | BoutonAnnuler, DefautNon), nullptr, 1.0);
        boite.show();
        Touche(&boite, Qt::Key_Return);
        EXPECT_EQ(boite.result(), ResultatNon);
    }
    {
        TMessageD boite(Message(BoutonOui | BoutonNon, DefautNon), nullptr, 1.0);
        boite.show();
        boite.BT_Oui->click();
        EXPECT_EQ(boite.result(), ResultatOui);
    }
    {
        TMessageD boite(Message(BoutonOui | BoutonNon | BoutonAnnuler, DefautOui), nullptr, 1.0);
        boite.show();
        Touche(&boite, Qt::Key_C, QStringLiteral("c"));
        EXPECT_EQ(boite.result(), ResultatAnnuler);
    }
    {
        TMessageD boite(Message(BoutonOK, DefautOK), nullptr, 1.0);
        boite.show();
        Touche(&boite, Qt::Key_O, QStringLiteral("o"));
        EXPECT_EQ(boite.result(), ResultatOK);
    }
}

TEST_F(MessageDTest, WithoutTheSectionTheBuiltInCaptionsStay)
{
    TableLangue.clear();
    TMessageD boite(Message(BoutonOui | BoutonNon, DefautOui), nullptr, 1.0);
    EXPECT_EQ(boite.BT_Oui->text(), QStringLiteral("&Oui"));
    EXPECT_EQ(boite.BT_Non->text(), QStringLiteral("&Non"));
}

TEST_F(MessageDTest, FixedPlacementPutsTheBoxAtTheTopLeft)
{
    MessageAffiche m = Message(BoutonOK, DefautOK);
    m.Placement = 1;
    TMessageD boite(m, nullptr, 1.0);
    boite.show();
    EXPECT_EQ(boite.pos(), QPoint(8, 75));
}

TEST_F(MessageDTest, InstalledBoxAnswersAfficherMessage)
{
    InstallerMessageD();
    int tours = 0;
    QTimer minuteur;
    minuteur.setInterval(10);
    QObject::connect(&minuteur, &QTimer::timeout, [&] {
        if (++tours > 500)
            QApplication::exit(1);
        if (auto* boite = qobject_cast<TMessageD*>(QApplication::activeModalWidget()))
            Touche(boite, Qt::Key_Escape);
    });
    minuteur.start();
    const int r = AfficherMessage("Warning", "The file exists.\r\rReplace it?", IconeAvertissement,
                                  BoutonOui | BoutonNon, DefautNon, 0);
    minuteur.stop();
    InstallerAfficheurMessages({});
    EXPECT_EQ(r, ResultatNon);
}

// A box raised while no window of the program is active (another program has the focus) still
// belongs to the main window: the window manager shows it as the program's dialog, over it.
TEST_F(MessageDTest, ABoxWithoutAnActiveWindowBelongsToTheMainWindow)
{
    QMainWindow principale;
    principale.show();
    QCoreApplication::processEvents();
    QApplication::setActiveWindow(nullptr);
    ASSERT_FALSE(QApplication::activeWindow());
    InstallerMessageD();
    const QWindow* attache = nullptr;
    QTimer::singleShot(0, [&] {
        if (auto* boite = qobject_cast<TMessageD*>(QApplication::activeModalWidget())) {
            attache = boite->windowHandle()->transientParent();
            boite->done(ResultatOK);
        }
    });
    AfficherMessage("Error", "The file cannot be read.", IconeErreur, BoutonOK, DefautOK, 0);
    InstallerAfficheurMessages({});
    EXPECT_EQ(attache, principale.windowHandle());
}
