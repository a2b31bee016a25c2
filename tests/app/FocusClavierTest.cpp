// The keyboard of the main window after the user went elsewhere in it: every top menu opened
// and closed by the mouse and by its Alt accelerator, a dialog, palette, toolbar and track
// buttons. A click in the edit zone, an arrow and a digit must store a fret, whichever widget
// the toolkit left the keyboard focus to, and the window's shortcuts must stay shortcuts. Keys
// and clicks come the window system's way (shortcuts first, then the widget with the focus), as
// a user's do.
#include "app/FixtureFenetrePrincipale.h"
#include "app/Image.h"
#include "app/VuePartition.h"
#include "controls/CxEdit.h"
#include "document/Variable.h"
#include "editor/Clavier.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

class FocusClavier : public lyrx_test::FixtureFenetrePrincipale<> {
protected:
    void SetUp() override
    {
        PreparerProgramme("English");
        OuvrirFenetre();
        if (!Activer(fenetre_.get()))
            GTEST_SKIP() << "the platform gives no active window";
    }
    void TearDown() override { FermerFenetre(); }

    // The window activated, as a click on its title does; the window system may take its time.
    static bool Activer(QWidget* w)
    {
        w->activateWindow();
        return QTest::qWaitFor([w] { return QGuiApplication::focusWindow() == w->windowHandle(); });
    }

    // What a window manager does when a dialog closes; the offscreen platform also lets a
    // popup menu take the activation, which the main window keeps under a window system.
    void ActiverFenetre()
    {
        if (QGuiApplication::focusWindow() != fenetre_->windowHandle()) {
            EXPECT_TRUE(Activer(fenetre_.get()));
        }
    }

    // A key as the keyboard gives it: to the window that has the focus.
    static void Frapper(Qt::Key touche, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QWindow* w = QGuiApplication::focusWindow();
        ASSERT_TRUE(w);
        QTest::keyClick(w, touche, mods);
        QCoreApplication::processEvents();
    }

    // A click on the first beat of a string next to `corde` in the edit zone, an arrow to
    // `corde`, then the digit typed: the fret must be stored there on the current track.
    void CliquerCordeEtTaper(int corde, int chiffre, const std::string& apres)
    {
        const int voisine = corde == 6 ? 5 : corde + 1;
        const QPoint point(Curseur.MargeGauche + 2, Curseur.MargeHaut + (voisine - 1) * Curseur.EspCordes);
        QTest::mouseClick(fenetre_->ZoneSaisie(), Qt::LeftButton, {}, point);
        QCoreApplication::processEvents();
        ASSERT_EQ(Curseur.Corde, voisine) << apres;
        Frapper(voisine > corde ? Qt::Key_Up : Qt::Key_Down);
        EXPECT_EQ(Curseur.Corde, corde) << "arrow after " << apres;
        Frapper(static_cast<Qt::Key>(Qt::Key_0 + chiffre));
        EXPECT_EQ(Frette(corde), chiffre) << "after " << apres;
    }

    static int Frette(int corde)
    {
        return Partition.Mesures[Partition.MesureCourante]->Temps[PisteCourante][Curseur.Temps].Notes[corde].Frette;
    }

    // The next string and digit, so that each check stores something new; digits from 3 on are
    // stored at once.
    void Suivant()
    {
        corde_ = corde_ % 6 + 1;
        chiffre_ = chiffre_ == 9 ? 3 : chiffre_ + 1;
    }

    int corde_ = 1;
    int chiffre_ = 3;
};

TEST_F(FocusClavier, AfterEveryTopMenuClosedByEscapeClickArrowAndDigitReachTheNotes)
{
    CliquerCordeEtTaper(corde_, chiffre_, "the start");
    Suivant();
    QMenuBar* barre = fenetre_->menuBar();
    int menus = 0;
    for (QAction* titre : barre->actions()) {
        QMenu* menu = titre->menu();
        if (!menu || !titre->isVisible() || !titre->isEnabled())
            continue;
        ++menus;
        const std::string nom = menu->objectName().toStdString();

        QTest::mouseClick(barre, Qt::LeftButton, {}, barre->actionGeometry(titre).center());
        ASSERT_TRUE(menu->isVisible()) << nom;
        Frapper(Qt::Key_Escape);
        EXPECT_FALSE(menu->isVisible()) << nom;
        ActiverFenetre();
        CliquerCordeEtTaper(corde_, chiffre_, nom + " opened by the mouse");
        Suivant();

        const QString texte = titre->text();
        const int et = texte.indexOf('&');
        ASSERT_GE(et, 0) << nom;
        Frapper(static_cast<Qt::Key>(texte.at(et + 1).toUpper().unicode()), Qt::AltModifier);
        ASSERT_TRUE(menu->isVisible()) << nom;
        Frapper(Qt::Key_Escape);
        ActiverFenetre();
        CliquerCordeEtTaper(corde_, chiffre_, nom + " opened by Alt");
        Suivant();
    }
    EXPECT_GE(menus, 10);

    // Alt alone highlights the first title without opening its menu (no other window takes
    // the activation on any platform): the click still gives the keys back.
    Frapper(Qt::Key_Alt);
    ASSERT_TRUE(barre->activeAction());
    CliquerCordeEtTaper(corde_, chiffre_, "Alt alone");
    Suivant();

    // A click in the score view gives them back as well, the edit zone's cursor where the click
    // left it.
    Frapper(Qt::Key_Alt);
    ASSERT_TRUE(barre->activeAction());
    QWidget* vue = fenetre_->ZoneAffichage();
    QTest::mouseClick(vue, Qt::LeftButton, {}, QPoint(vue->width() / 2, vue->height() / 4));
    QCoreApplication::processEvents();
    const int corde = Curseur.Corde == 6 ? 5 : Curseur.Corde + 1;
    Frapper(corde > Curseur.Corde ? Qt::Key_Down : Qt::Key_Up);
    EXPECT_EQ(Curseur.Corde, corde) << "arrow after a click in the score view";
    EXPECT_FALSE(barre->activeAction());
    Frapper(static_cast<Qt::Key>(Qt::Key_0 + chiffre_));
    EXPECT_EQ(Frette(corde), chiffre_) << "after a click in the score view";
}

// The hidden memo holds the focus, yet the window's shortcuts run as shortcuts: plain letters,
// Ctrl+letters and Ctrl+arrows, which a text control claims for itself, reach their actions,
// and each command runs once.
TEST_F(FocusClavier, ShortcutsReachTheWindowsActionsPastTheMemo)
{
    ASSERT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(fenetre_->Ed_Invisible()));
    struct Cas {
        Qt::Key touche;
        Qt::KeyboardModifiers mod;
        Cmd commande;
    };
    const Cas cas[] = {
        {Qt::Key_H, Qt::NoModifier, Cmd::Ac_Effet_HO},
        {Qt::Key_C, Qt::ControlModifier, Cmd::Ac_Edition_Copier},
        {Qt::Key_Right, Qt::ControlModifier, Cmd::Ac_Mesure_Suivante},
        {Qt::Key_Insert, Qt::NoModifier, Cmd::Ac_Note_InsererTemps},
    };
    for (const Cas& c : cas) {
        int executions = 0;
        int declenchements = 0;
        Commandes().Enregistrer(c.commande, [&](Cmd) { ++executions; });
        Commandes().SetEnabled(c.commande, true);
        const auto lien = QObject::connect(fenetre_->Action(c.commande), &QAction::triggered,
                                           [&] { ++declenchements; });
        Frapper(c.touche, c.mod);
        QObject::disconnect(lien);
        Commandes().Enregistrer(c.commande, nullptr);
        EXPECT_EQ(declenchements, 1) << Description(c.commande).Nom;
        EXPECT_EQ(executions, 1) << Description(c.commande).Nom;
    }
}

// A menu closed by Escape leaves the menu bar's keyboard navigation on: a key it has no use
// for ends it and goes to the notes. Another window activated meanwhile ends the navigation
// but leaves the menu bar the focus of the window, where a plain letter would open a menu.
TEST_F(FocusClavier, KeysAfterTheMenuBarsNavigationGoToTheNotes)
{
    QMenuBar* barre = fenetre_->menuBar();
    CliquerCordeEtTaper(2, 5, "the start");
    Frapper(Qt::Key_E, Qt::AltModifier);
    Frapper(Qt::Key_Escape);
    ActiverFenetre();
    ASSERT_TRUE(barre->activeAction()) << "the menu bar navigates";
    Frapper(Qt::Key_7);
    EXPECT_EQ(Frette(2), 7);
    EXPECT_FALSE(barre->activeAction());

    Frapper(Qt::Key_F, Qt::AltModifier);
    Frapper(Qt::Key_Escape);
    ActiverFenetre();
    // A palette takes the activation, then the window gets it back: the toolkit gives the
    // focus to the menu bar again, its navigation over.
    QWidget* palette = &residentes_->DynaForm;
    palette->show();
    ASSERT_TRUE(Activer(palette));
    ActiverFenetre();
    Frapper(Qt::Key_N); // the Note menu's letter, no command's
    EXPECT_FALSE(QApplication::activePopupWidget());
    EXPECT_FALSE(barre->activeAction());
    Frapper(Qt::Key_Up);
    EXPECT_EQ(Curseur.Corde, 1);
    Frapper(Qt::Key_9);
    EXPECT_EQ(Frette(1), 9);

    // A shortcut typed meanwhile runs its command and ends the navigation as well: the arrow
    // after it moves the cursor instead of opening a menu.
    Frapper(Qt::Key_Alt);
    ASSERT_TRUE(barre->activeAction());
    Frapper(Qt::Key_Insert);
    EXPECT_FALSE(barre->activeAction());
    Frapper(Qt::Key_Down);
    EXPECT_FALSE(QApplication::activePopupWidget());
    EXPECT_EQ(Curseur.Corde, 2);
}

// Alt tapped alone puts the menu bar in its keyboard mode, its titles' letters underlined: a
// letter then opens the menu it underlines, although most letters are also the keys of note
// and effect commands (Alt, T: the Track menu, not the text annotation). Escape or a second Alt
// end the mode, and the mode a menu closed by Escape leaves is not this one: the letter is the
// command's there. Every letter that ran a command still does so afterwards.
TEST_F(FocusClavier, AfterAltAloneALetterOpensTheMenuItUnderlines)
{
    QMenuBar* barre = fenetre_->menuBar();
    // The commands of plain letters, counted instead of run (some open dialogs).
    std::vector<Cmd> lettres;
    int executions = 0;
    for (const auto& d : TableCommandes()) {
        const auto code = static_cast<uint16_t>(d.Touche.Code);
        if (d.Sorte == SorteCommande::Action && d.Touche.Modificateurs == 0 && code >= 'A' && code <= 'Z') {
            lettres.push_back(d.Id);
            Commandes().Enregistrer(d.Id, [&](Cmd) { ++executions; });
            Commandes().SetEnabled(d.Id, true);
        }
    }
    ASSERT_GE(lettres.size(), 10u);
    const auto lettre = [](const QAction* titre) {
        const QString texte = titre->text();
        return static_cast<Qt::Key>(texte.at(texte.indexOf('&') + 1).toUpper().unicode());
    };
    // A window system gives the keys of an open menu to the menu's own window.
    const auto activer = [this] {
        if (!QApplication::activePopupWidget())
            ActiverFenetre();
    };
    const auto fermer = [&] {
        while (QApplication::activePopupWidget() || barre->activeAction()) {
            Frapper(Qt::Key_Escape);
            activer();
        }
    };

    int titres = 0;
    for (QAction* titre : barre->actions()) {
        if (!titre->menu() || !titre->isVisible() || !titre->isEnabled())
            continue;
        ++titres;
        Frapper(Qt::Key_Alt);
        Frapper(lettre(titre));
        EXPECT_TRUE(titre->menu()->isVisible()) << titre->text().toStdString();
        EXPECT_EQ(executions, 0) << titre->text().toStdString();
        executions = 0;
        fermer();
    }
    EXPECT_GE(titres, 10);

    QAction* piste = nullptr;
    for (QAction* titre : barre->actions())
        if (titre->menu() && titre->menu()->objectName() == "Mn_Piste")
            piste = titre;
    ASSERT_TRUE(piste);
    ASSERT_EQ(lettre(piste), Qt::Key_T);
    const auto touches = [&](std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> suite) {
        return std::function<void()>([this, suite, activer] {
            for (const auto& [touche, mods] : suite) {
                Frapper(touche, mods);
                activer();
            }
        });
    };
    struct Cas {
        const char* quoi;
        std::function<void()> avant;
        bool menu; // T opens the Track menu, else it runs the text annotation
    };
    const Cas cas[] = {
        {"Alt alone, an arrow along the titles", touches({{Qt::Key_Alt, {}}, {Qt::Key_Right, {}}}), true},
        {"Alt alone twice", touches({{Qt::Key_Alt, {}}, {Qt::Key_Alt, {}}}), false},
        {"Alt alone, then Escape", touches({{Qt::Key_Alt, {}}, {Qt::Key_Escape, {}}}), false},
        {"a menu closed by Escape", touches({{Qt::Key_E, Qt::AltModifier}, {Qt::Key_Escape, {}}}), false},
        {"a menu closed by Escape, then Alt alone",
         touches({{Qt::Key_E, Qt::AltModifier}, {Qt::Key_Escape, {}}, {Qt::Key_Alt, {}}}), false},
        {"a menu closed by Escape, the navigation ended, then Alt alone",
         touches({{Qt::Key_E, Qt::AltModifier}, {Qt::Key_Escape, {}}, {Qt::Key_Escape, {}}, {Qt::Key_Alt, {}}}), true},
        {"Alt alone, then a click in the edit zone",
         [&] {
             Frapper(Qt::Key_Alt);
             const QPoint premierTemps(Curseur.MargeGauche + 2, Curseur.MargeHaut);
             QTest::mouseClick(fenetre_->ZoneSaisie(), Qt::LeftButton, {}, premierTemps);
             QCoreApplication::processEvents();
         },
         false},
    };
    for (const Cas& c : cas) {
        c.avant();
        // A click refreshes the commands' states.
        Commandes().SetEnabled(Cmd::Ac_Note_Annotation, true);
        executions = 0;
        Frapper(Qt::Key_T);
        EXPECT_EQ(piste->menu()->isVisible(), c.menu) << c.quoi;
        EXPECT_EQ(executions, c.menu ? 0 : 1) << c.quoi;
        fermer();
    }

    for (Cmd c : lettres)
        Commandes().Enregistrer(c, nullptr);
    CliquerCordeEtTaper(3, 4, "the menus");
}

// While a menu is open, the keys it has no use for are not the editor's: a Delete, a digit or a
// Space typed over an open menu changes nothing behind it, whether the mouse or Alt opened it.
TEST_F(FocusClavier, KeysTypedOverAnOpenMenuLeaveTheNotesAlone)
{
    QMenuBar* barre = fenetre_->menuBar();
    CliquerCordeEtTaper(3, 5, "the start");
    QAction* edition = nullptr;
    for (QAction* titre : barre->actions())
        if (titre->menu() && titre->text().remove('&') == "Edit")
            edition = titre;
    ASSERT_TRUE(edition);
    const auto ouvrir = std::function<void()>([&] {
        QTest::mouseClick(barre, Qt::LeftButton, {}, barre->actionGeometry(edition).center());
    });
    const auto ouvrirParAlt = std::function<void()>([&] { Frapper(Qt::Key_E, Qt::AltModifier); });
    for (const auto& ouvrirMenu : {ouvrir, ouvrirParAlt}) {
        ouvrirMenu();
        ASSERT_TRUE(edition->menu()->isVisible());
        for (Qt::Key touche : {Qt::Key_Delete, Qt::Key_8, Qt::Key_Space, Qt::Key_Down}) {
            Frapper(touche);
            EXPECT_EQ(Frette(3), 5) << "key " << touche;
            EXPECT_EQ(Curseur.Corde, 3) << "key " << touche;
        }
        EXPECT_TRUE(edition->menu()->isVisible());
        Frapper(Qt::Key_Escape);
        Frapper(Qt::Key_Escape);
        ActiverFenetre();
    }
    CliquerCordeEtTaper(3, 6, "the menus closed");
}

// While the menu bar's keyboard navigation holds the arrows (Alt alone, a menu closed by
// Escape), the title it stands on is shown as when its menu is open: else Down reopens a menu
// that nothing on screen announced. Hovering a title with the mouse leaves it as it was.
TEST_F(FocusClavier, TheMenuBarShowsTheTitleItsKeyboardNavigationStandsOn)
{
    QMenuBar* barre = fenetre_->menuBar();
    QAction* edition = nullptr;
    for (QAction* titre : barre->actions())
        if (titre->menu() && titre->text().remove('&') == "Edit")
            edition = titre;
    ASSERT_TRUE(edition);
    const QColor surbrillance = barre->palette().color(QPalette::Active, QPalette::Highlight);
    // The share of the title's cell painted in the highlight colour, in percent.
    const auto teinte = [&](QAction* titre) {
        const QRect cellule = barre->actionGeometry(titre);
        const QImage image = barre->grab(cellule).toImage();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == surbrillance ? 1 : 0;
        return 100 * n / std::max(1, image.width() * image.height());
    };

    Frapper(Qt::Key_E, Qt::AltModifier);
    ASSERT_TRUE(edition->menu()->isVisible());
    const int ouvert = teinte(edition);
    ASSERT_GT(ouvert, 30) << "an open menu's title";
    Frapper(Qt::Key_Escape);
    ActiverFenetre();
    ASSERT_EQ(barre->activeAction(), edition);
    EXPECT_GE(teinte(edition), ouvert - 10) << "a menu closed by Escape";
    Frapper(Qt::Key_Escape);
    ASSERT_FALSE(barre->activeAction());
    EXPECT_LT(teinte(edition), 5) << "the navigation over";

    Frapper(Qt::Key_Alt);
    ASSERT_TRUE(barre->activeAction());
    EXPECT_GE(teinte(barre->activeAction()), ouvert - 10) << "Alt alone";
    Frapper(Qt::Key_Escape);
    ASSERT_FALSE(barre->activeAction());

    QTest::mouseMove(barre, barre->actionGeometry(edition).center());
    QCoreApplication::processEvents();
    EXPECT_LT(teinte(edition), 5) << "the mouse over a title";
}

// The same after the other places a user's click or key may leave the focus to. A text field
// of a dialog keeps its own keys meanwhile.
TEST_F(FocusClavier, AfterDialogsButtonsAndPalettesClickArrowAndDigitReachTheNotes)
{
    const auto cliquer = [this](const char* nom) {
        auto* b = fenetre_->findChild<QToolButton*>(nom);
        ASSERT_TRUE(b) << nom;
        QTest::mouseClick(b, Qt::LeftButton);
        QCoreApplication::processEvents();
    };
    struct Cas {
        const char* quoi;
        std::function<void()> faire;
    };
    const Cas cas[] = {
        {"Song properties closed by Escape, a digit typed in its field",
         [&] {
             std::string champ;
             QTimer attente;
             QObject::connect(&attente, &QTimer::timeout, [&] {
                 QWidget* d = QApplication::activeModalWidget();
                 if (!d || QGuiApplication::focusWindow() != d->windowHandle())
                     return;
                 attente.stop();
                 Frapper(Qt::Key_7);
                 if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
                     champ = edit->text().toStdString();
                 Frapper(Qt::Key_Escape);
             });
             attente.start(5);
             Frapper(Qt::Key_F5);
             EXPECT_FALSE(QApplication::activeModalWidget());
             ActiverFenetre();
             EXPECT_NE(champ.find('7'), std::string::npos) << "the dialog's field took the digit";
         }},
        {"a note value of the palette", [&] { cliquer("Bt_Note_Croche"); }},
        {"a technique of the palette", [&] { cliquer("Bt_Effet_LetRing"); }},
        {"a toolbar toggle", [&] { cliquer("Bt_Son_Metronome"); }},
        {"the dynamics palette shown and hidden", [&] { cliquer("BT_DynaForm"); cliquer("BT_DynaForm"); }},
        {"a track button", [&] { cliquer("BT_Piste2"); }},
        {"the next-track button", [&] { cliquer("PisteUp"); }},
    };
    for (const Cas& c : cas) {
        c.faire();
        CliquerCordeEtTaper(corde_, chiffre_, c.quoi);
        Suivant();
    }
}

// Only a control marked as keeping the keyboard keeps it, with its own keys, and the notes get
// none of them; any other control of the window that takes the focus gives it back to the memo
// once the event loop turns, not while it is still taking it (the control's own code after its
// setFocus finds the focus where it put it). A click in the edit zone gives the keys back.
TEST_F(FocusClavier, OnlyAControlMarkedAsKeepingTheKeyboardKeepsIt)
{
    struct Cas {
        const char* quoi;
        std::function<QWidget*(QWidget* parent)> creer;
        Qt::Key touche;
        std::function<QString(QWidget*)> etat;
    };
    const Cas cas[] = {
        {"a text field", [](QWidget* p) { return new QLineEdit(p); }, Qt::Key_7,
         [](QWidget* w) { return static_cast<QLineEdit*>(w)->text(); }},
        {"a combo box",
         [](QWidget* p) {
             auto* c = new QComboBox(p);
             c->addItems({"a", "b", "c"});
             return c;
         },
         Qt::Key_Down, [](QWidget* w) { return static_cast<QComboBox*>(w)->currentText(); }},
        {"a list",
         [](QWidget* p) {
             auto* l = new QListWidget(p);
             l->addItems({"a", "b", "c"});
             l->setCurrentRow(0);
             return l;
         },
         Qt::Key_Down, [](QWidget* w) { return QString::number(static_cast<QListWidget*>(w)->currentRow()); }},
        {"a slider", [](QWidget* p) { return new QSlider(Qt::Horizontal, p); }, Qt::Key_Right,
         [](QWidget* w) { return QString::number(static_cast<QSlider*>(w)->value()); }},
    };
    QWidget* memo = fenetre_->Ed_Invisible();
    for (const Cas& c : cas) {
        for (const bool marque : {false, true}) {
            const std::string quoi = std::string(c.quoi) + (marque ? ", marked" : ", not marked");
            std::unique_ptr<QWidget> controle(c.creer(fenetre_->centralWidget()));
            controle->setGeometry(300, 40, 160, 60);
            controle->show();
            if (marque)
                TForm1::SetKeepsKeyboard(controle.get());
            controle->setFocus(Qt::OtherFocusReason);
            EXPECT_TRUE(controle->hasFocus()) << quoi << ": right after it took the focus";
            QCoreApplication::processEvents();
            EXPECT_EQ(QApplication::focusWidget(), marque ? controle.get() : memo) << quoi;

            const QString avant = c.etat(controle.get());
            const int corde = Curseur.Corde;
            const int temps = Curseur.Temps;
            const int frette = Frette(corde);
            Frapper(c.touche);
            if (marque) {
                EXPECT_NE(c.etat(controle.get()), avant) << quoi << ": the key is the control's";
                EXPECT_EQ(Curseur.Corde, corde) << quoi;
                EXPECT_EQ(Curseur.Temps, temps) << quoi;
                EXPECT_EQ(Frette(corde), frette) << quoi;
            } else {
                EXPECT_EQ(c.etat(controle.get()), avant) << quoi << ": the key is the notes'";
            }
            CliquerCordeEtTaper(corde_, chiffre_, quoi);
            Suivant();
            EXPECT_EQ(QApplication::focusWidget(), memo) << quoi << ": after a click in the edit zone";
        }
    }
}

// A key release is the editor's once: the memo uses it up and the window does not handle it
// again. Page Down pressed again while its release is handled (the press waits among the
// messages the release lets run) scrolls until its own release, which the first release,
// handled a second time, would cut short.
TEST_F(FocusClavier, AKeyReleaseIsHandledOnce)
{
    class CompteurRelaches : public QObject {
    public:
        int n = 0;

    protected:
        bool eventFilter(QObject*, QEvent* e) override
        {
            n += e->type() == QEvent::KeyRelease ? 1 : 0;
            return false;
        }
    } relachesFenetre;
    fenetre_->installEventFilter(&relachesFenetre);
    QWidget* memo = fenetre_->Ed_Invisible();
    ASSERT_EQ(QApplication::focusWidget(), memo);
    QWindow* w = QGuiApplication::focusWindow();
    ASSERT_TRUE(w);

    // Queued as the window system queues them: the scroll's loop lets the next two run.
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease, QEvent::KeyPress})
        QCoreApplication::postEvent(memo, new QKeyEvent(type, Qt::Key_PageDown, Qt::NoModifier));
    QCoreApplication::processEvents();
    EXPECT_TRUE(ToucheDefilement) << "the second press's scroll ended before its release";
    QTest::keyRelease(w, Qt::Key_PageDown);
    EXPECT_FALSE(ToucheDefilement);
    EXPECT_EQ(relachesFenetre.n, 0);
    fenetre_->removeEventFilter(&relachesFenetre);
}

} // namespace
