// The shared helpers of the dialogs: captions by section, numbers typed with either separator,
// the typing filters and the spin buttons' auto-repeat.
#include "FixtureDialogues.h"

#include "controls/CadreFenetre.h"
#include "dialogs/BaseDialogue.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <vector>

namespace {

using BaseDialogueTest = FixtureDialogues;

TEST_F(BaseDialogueTest, UneSectionAbsenteNeLitPasLesLignesVoisines)
{
    TableLangue = {"\"first line\"", "DLG_X_000", "\"caption\"", "\"label\""};
    EXPECT_EQ(SectionLangue("DLG_X_000").Texte(1), QStringLiteral("caption"));
    EXPECT_EQ(SectionLangue("DLG_X_000").Texte(2), QStringLiteral("label"));
    const SectionLangue absente("DLG_Y_000");
    EXPECT_FALSE(absente.Trouvee());
    EXPECT_TRUE(absente.Texte(1).isEmpty());
    EXPECT_EQ(absente.Texte(1, QStringLiteral("built-in")), QStringLiteral("built-in"));
}

TEST_F(BaseDialogueTest, TextesCommunsDuFichierOuIntegres)
{
    EXPECT_EQ(TexteCommunDialogue(TexteCommun::Annuler), QStringLiteral("Cancel"));
    TableLangue = {"DLG_000", "\"D'accord\"", "\"Annuler\""};
    EXPECT_EQ(TexteCommunDialogue(TexteCommun::OK), QStringLiteral("D'accord"));
    EXPECT_EQ(TexteCommunDialogue(TexteCommun::Fermer), QStringLiteral("Close"));
}

TEST_F(BaseDialogueTest, RangeeOKAnnulerAideEtSesLegendes)
{
    QDialog dialogue;
    QPushButton* ok = PlacerBoutonOK(&dialogue, 11, 58);
    QPushButton* annuler = PlacerBoutonAnnuler(&dialogue, 98, 58);
    QPushButton* aide = PlacerBoutonAide(&dialogue, 185, 58, 13);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(annuler->autoDefault());
    EXPECT_FALSE(aide->autoDefault());
    EXPECT_EQ(annuler->geometry(), QRect(Pixels96(98), Pixels96(58), Pixels96(75), Pixels96(25)));
    dialogue.setResult(-1);
    annuler->click();
    EXPECT_EQ(dialogue.result(), QDialog::Rejected);

    // Without the section the built-in captions stay.
    std::string utilisees;
    EXPECT_FALSE(TraduireBoutonsCommuns(utilisees, ok, annuler, aide));
    EXPECT_EQ(aide->text(), QStringLiteral("&Aide"));

    TableLangue = {"DLG_000", "\"D'accord\"", "\"Abandon\"", "\"Oui\"", "\"Non\"", "\"Secours\""};
    EXPECT_TRUE(TraduireBoutonsCommuns(utilisees, ok, annuler, aide));
    EXPECT_EQ(ok->text().remove(u'&'), QStringLiteral("D'accord"));
    EXPECT_EQ(annuler->text().remove(u'&'), QStringLiteral("Abandon"));
    EXPECT_EQ(aide->text().remove(u'&'), QStringLiteral("Secours"));
}

TEST_F(BaseDialogueTest, LegendesConvertiesDepuisWindows1252)
{
    TableLangue = {"DLG_X_000", "\"R\xe9p\xe9titions\""};
    EXPECT_EQ(SectionLangue("DLG_X_000").Texte(1), QString::fromUtf8("Répétitions"));
    EXPECT_EQ(DepuisQString(QString::fromUtf8("é€")), std::string("\xe9\x80"));
}

TEST_F(BaseDialogueTest, NombresAvecLUnOuLAutreSeparateur)
{
    EXPECT_EQ(LireReel(QStringLiteral("2,5")), 2.5);
    EXPECT_EQ(LireReel(QStringLiteral(" 2.5 ")), 2.5);
    EXPECT_FALSE(LireReel(QStringLiteral("1.2.3")));
    EXPECT_FALSE(LireReel(QString()));
    EXPECT_EQ(LireEntier(QStringLiteral("07")), 7);
    EXPECT_FALSE(LireEntier(QStringLiteral("x")));
    EXPECT_EQ(EcrireReelGeneral(1.0), QStringLiteral("1"));
    EXPECT_EQ(EcrireReelGeneral(0.6 - 0.5), QStringLiteral("0.1"));
    DefinirSeparateurDecimal(',');
    EXPECT_EQ(EcrireReelGeneral(2.5), QStringLiteral("2,5"));
}

TEST_F(BaseDialogueTest, FiltresDeSaisie)
{
    QLineEdit chiffres;
    FiltrerChiffres(&chiffres, 2);
    Taper(&chiffres, QStringLiteral("1a-2 3"));
    EXPECT_EQ(chiffres.text(), QStringLiteral("12"));
    chiffres.clear();
    chiffres.insert(QStringLiteral("-5"));
    EXPECT_TRUE(chiffres.text().isEmpty()) << "a pasted sign is refused too";

    QLineEdit decimal;
    FiltrerDecimal(&decimal, 4);
    Taper(&decimal, QStringLiteral("2,5x"));
    EXPECT_EQ(decimal.text(), QStringLiteral("2.5"));
    DefinirSeparateurDecimal(',');
    Saisir(&decimal, QStringLiteral("1.25"));
    EXPECT_EQ(decimal.text(), QStringLiteral("1,25"));
}

TEST_F(BaseDialogueTest, FlechesEtPaveNumeriqueCommeLesBoutons)
{
    QLineEdit champ;
    int haut = 0, bas = 0;
    LierTouchesSpin(&champ, [&] { ++haut; }, [&] { ++bas; });
    Touche(&champ, Qt::Key_Up);
    Touche(&champ, Qt::Key_Plus, QStringLiteral("+"), Qt::KeypadModifier);
    Touche(&champ, Qt::Key_Down);
    Touche(&champ, Qt::Key_Minus, QStringLiteral("-"), Qt::KeypadModifier);
    Touche(&champ, Qt::Key_Minus, QStringLiteral("-"));
    EXPECT_EQ(haut, 2);
    EXPECT_EQ(bas, 2);
}

TEST_F(BaseDialogueTest, RepetitionAccelereeEtPasTriple)
{
    QObject proprietaire;
    std::vector<int> pas;
    RepetitionSpin r(&proprietaire, {300, 100, 50, 30}, [&](int p) { pas.push_back(p); });
    r.Demarrer(-1);
    EXPECT_TRUE(r.Actif());
    EXPECT_EQ(r.Intervalle(), 300);
    r.Tick();
    EXPECT_EQ(r.Intervalle(), 300) << "the second tick comes 600 ms after the press";
    r.Tick();
    EXPECT_EQ(r.Intervalle(), 100);
    for (int i = 3; i <= 11; ++i)
        r.Tick();
    EXPECT_EQ(r.Intervalle(), 50);
    for (int i = 12; i <= 30; ++i)
        r.Tick();
    ASSERT_EQ(pas.size(), 30u);
    EXPECT_EQ(pas[28], -1);
    EXPECT_EQ(pas[29], -3);
    r.Tick();
    EXPECT_EQ(pas.back(), -3) << "tripled once only";

    QToolButton bouton;
    r.Lier(&bouton, +1);
    bouton.click();
    EXPECT_FALSE(r.Actif()) << "released with the click";
}

TEST_F(BaseDialogueTest, RepetitionReguliere)
{
    QObject proprietaire;
    RepetitionSpin r(&proprietaire, {300, 130, 0, 0}, [](int) {});
    r.Demarrer(1);
    for (int i = 1; i <= 40; ++i)
        r.Tick();
    EXPECT_EQ(r.Intervalle(), 130);
}

} // namespace

// A dialog opens centred on the screen, frame included, by the size it has once its captions
// and title are fitted, at each show; one the program places itself stays where it put it.
TEST(CentrageDialogues, ADialogIsCentredByItsSizeOnceFittedAtEveryShow)
{
    InstallerAjustementLegendes();
    const QRect zone = QGuiApplication::primaryScreen()->availableGeometry();
    const QMargins cadre(1, 20, 1, 1);
    DefinirLecteurMargesCadre([&](const QWidget*) { return cadre; });
    {
        QDialog dialogue;
        dialogue.setFixedSize(120, 80);
        dialogue.setWindowTitle(QStringLiteral("A title far wider than the dialog's own design"));
        for (int fois = 1; fois <= 2; ++fois) {
            SCOPED_TRACE(fois);
            dialogue.show();
            QCoreApplication::processEvents();
            EXPECT_GT(dialogue.width(), 120) << "widened for its title";
            const QRect r = dialogue.geometry().marginsAdded(cadre);
            EXPECT_NEAR(r.center().x(), zone.center().x(), 1);
            EXPECT_NEAR(r.center().y(), zone.center().y(), 1);
            dialogue.hide();
        }
    }
    {
        QDialog placee;
        placee.resize(200, 100);
        placee.move(zone.topLeft() + QPoint(30, 40));
        placee.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(placee.pos(), zone.topLeft() + QPoint(30, 40));
    }
    DefinirLecteurMargesCadre({});
}

TEST(GardienEcran, WindowsAppearOnTheScreenWhereverThePlatformPutThem)
{
    InstallerGardienEcran();
    QScreen* ecran = QGuiApplication::primaryScreen();
    ASSERT_TRUE(ecran);
    const QRect zone = ecran->availableGeometry();

    // A palette 19 pixels past the bottom, a dialog past the right edge and above the top.
    QWidget palette(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint);
    palette.resize(300, 220);
    palette.move(zone.left() + 100, zone.bottom() + 1 - 220 + 19);
    QDialog dialogue;
    dialogue.resize(240, 120);
    dialogue.move(zone.right() - 100, zone.top() - 50);
    // A window the program keeps out of sight on purpose stays there.
    QWidget cachee(nullptr, Qt::Tool);
    cachee.resize(50, 50);
    cachee.move(-500, 10);
    for (QWidget* w : {&palette, static_cast<QWidget*>(&dialogue), &cachee})
        w->show();
    QCoreApplication::processEvents();

    for (QWidget* w : {&palette, static_cast<QWidget*>(&dialogue)}) {
        EXPECT_TRUE(zone.contains(w->frameGeometry())) << w->frameGeometry().x() << "," << w->frameGeometry().y();
    }
    EXPECT_EQ(palette.x(), zone.left() + 100) << "only moved as far as needed";
    EXPECT_EQ(palette.frameGeometry().bottom(), zone.bottom());
    EXPECT_EQ(dialogue.frameGeometry().right(), zone.right());
    EXPECT_EQ(cachee.x(), -500);
}

// Under a real window manager the frame comes a moment after the show, as the manager maps the
// window: the window is kept on the screen again then, title bar and borders included.
TEST(GardienEcran, TheFrameThatComesAfterTheShowIsKeptOnTheScreenToo)
{
    InstallerGardienEcran();
    const QRect zone = QGuiApplication::primaryScreen()->availableGeometry();
    const QMargins cadre(2, 20, 2, 5);
    bool cadreConnu = false;
    DefinirLecteurMargesCadre([&](const QWidget*) { return cadreConnu ? cadre : QMargins(); });
    QDialog dialogue;
    dialogue.resize(240, 120);
    dialogue.move(zone.right() + 1 - 240, zone.bottom() + 1 - 120);
    dialogue.show();
    cadreConnu = true;
    QElapsedTimer attente;
    attente.start();
    while (!zone.contains(dialogue.geometry().marginsAdded(cadre)) && attente.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    EXPECT_EQ(dialogue.geometry().marginsAdded(cadre).bottomRight(), zone.bottomRight());
    DefinirLecteurMargesCadre({});
}

// Once a window of a kind has been framed, the next one is placed with that frame as it is
// shown, before the window manager has it; a kind never framed takes the last frame seen. (The
// windows here learn no frame of their own afterwards: they stand where the show put them.)
TEST(GardienEcran, AWindowIsPlacedWithTheFrameOfItsKindAsItIsShown)
{
    InstallerGardienEcran();
    const QRect zone = QGuiApplication::primaryScreen()->availableGeometry();
    const QMargins cadreDialogue(3, 24, 3, 3);
    bool cadreConnu = true;
    DefinirLecteurMargesCadre([&](const QWidget*) { return cadreConnu ? cadreDialogue : QMargins(); });
    {
        QDialog premier;
        premier.resize(100, 80);
        premier.show();
        QCoreApplication::processEvents();
    }
    cadreConnu = false; // the next windows are not framed yet when they show
    // (Made platform windows first: one moved before, the offscreen platform would keep its own
    // frame round it.)
    QDialog dialogue;
    dialogue.winId();
    dialogue.resize(240, 120);
    dialogue.move(zone.right() + 1 - 240, zone.bottom() + 1 - 120);
    QWidget palette(nullptr, Qt::Tool);
    palette.winId();
    palette.resize(200, 150);
    palette.move(zone.left() - 40, zone.top());
    for (QWidget* w : {static_cast<QWidget*>(&dialogue), &palette})
        w->show();
    QCoreApplication::processEvents();
    for (QWidget* w : {static_cast<QWidget*>(&dialogue), &palette}) {
        EXPECT_TRUE(zone.contains(w->geometry().marginsAdded(cadreDialogue)))
            << w->geometry().x() << "," << w->geometry().y();
    }
    EXPECT_EQ(dialogue.geometry().marginsAdded(cadreDialogue).bottomRight(), zone.bottomRight());
    EXPECT_EQ(palette.geometry().marginsAdded(cadreDialogue).topLeft(), zone.topLeft());
    DefinirLecteurMargesCadre({});
}

// Under a window manager that draws no frame the window is checked once, as it is mapped:
// nothing polls for a frame afterwards, and a window the user then drags past the edge stays
// where the user put it.
TEST(GardienEcran, NothingWaitsForTheFrameOnceTheWindowIsMapped)
{
    InstallerGardienEcran();
    const QRect zone = QGuiApplication::primaryScreen()->availableGeometry();
    DefinirLecteurMargesCadre([](const QWidget*) { return QMargins(); });
    struct CompteurMinuteries : QObject {
        QWidget* fenetre = nullptr;
        int ticks = 0;
        bool eventFilter(QObject* objet, QEvent* e) override
        {
            if (e->type() == QEvent::Timer)
                for (QObject* o = objet; o; o = o->parent())
                    if (o == fenetre)
                        ++ticks;
            return false;
        }
    } compteur;
    QDialog dialogue;
    compteur.fenetre = &dialogue;
    QCoreApplication::instance()->installEventFilter(&compteur);
    dialogue.resize(240, 120);
    dialogue.move(zone.right() - 100, zone.top() + 50);
    dialogue.show();
    QElapsedTimer attente;
    attente.start();
    while (attente.elapsed() < 200)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    QCoreApplication::instance()->removeEventFilter(&compteur);
    EXPECT_EQ(dialogue.geometry().right(), zone.right());
    EXPECT_EQ(compteur.ticks, 0);
    EXPECT_TRUE(dialogue.findChildren<QTimer*>().isEmpty());

    dialogue.move(zone.right() - 100, zone.top() + 50);
    attente.restart();
    while (attente.elapsed() < 100)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    EXPECT_EQ(dialogue.x(), zone.right() - 100) << "the user's place is kept";
    DefinirLecteurMargesCadre({});
}

// One rule for every window: a resizable window larger than the screen shrinks to it, as a
// restored one does, and a fixed one keeps its size with its top left corner on the screen.
TEST(GardienEcran, AWindowLargerThanTheScreenShrinksWhenItMay)
{
    InstallerGardienEcran();
    const QRect zone = QGuiApplication::primaryScreen()->availableGeometry();
    const QMargins cadre(2, 20, 2, 5);
    DefinirLecteurMargesCadre([&](const QWidget*) { return cadre; });
    QWidget libre;
    libre.resize(zone.width() + 300, zone.height() + 200);
    libre.move(zone.left() + 50, zone.top() + 50);
    QDialog fixe;
    fixe.setFixedSize(zone.width() + 300, 100);
    fixe.move(zone.left() + 50, zone.top() + 50);
    for (QWidget* w : {&libre, static_cast<QWidget*>(&fixe)})
        w->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(libre.geometry().marginsAdded(cadre), zone);
    EXPECT_EQ(fixe.size(), QSize(zone.width() + 300, 100));
    EXPECT_EQ(fixe.geometry().marginsAdded(cadre).left(), zone.left());
    EXPECT_TRUE(zone.contains(fixe.geometry().marginsAdded(cadre).bottomLeft()));
    DefinirLecteurMargesCadre({});
}

TEST_F(BaseDialogueTest, AFixedWindowGrowsToItsTitleAndKeepsItsControlsCentred)
{
    QWidget fenetre;
    fenetre.setFixedSize(120, 60);
    auto* bouton = new QPushButton(QStringLiteral("OK"), &fenetre);
    bouton->setGeometry(20, 20, 80, 25);
    fenetre.setWindowTitle(QStringLiteral("A title far longer than the window is wide"));
    const int besoin = LargeurPourTitre(fenetre.windowTitle());
    ASSERT_GT(besoin, 120);

    ElargirPourTitre(&fenetre);
    EXPECT_EQ(fenetre.width(), besoin);
    EXPECT_EQ(fenetre.height(), 60);
    EXPECT_EQ(bouton->x(), 20 + (besoin - 120) / 2);
    // Once wide enough, or for a short title, nothing moves.
    ElargirPourTitre(&fenetre);
    fenetre.setWindowTitle(QStringLiteral("OK"));
    ElargirPourTitre(&fenetre);
    EXPECT_EQ(fenetre.width(), besoin);
    EXPECT_EQ(bouton->x(), 20 + (besoin - 120) / 2);
}

namespace {

// A fixed window of the dialog font with captions placed as a design places them.
struct FenetreLegendes {
    QDialog fenetre;
    FenetreLegendes(int largeur, int hauteur)
    {
        AppliquerPoliceDialogue(&fenetre);
        fenetre.setFixedSize(largeur, hauteur);
    }
    template <class W>
    W* Mettre(W* w, int x, int y, int l, int h)
    {
        w->setParent(&fenetre);
        w->setGeometry(x, y, l, h);
        return w;
    }
};

int LargeurTexte(const QWidget* w, const QString& texte) { return w->fontMetrics().horizontalAdvance(texte); }

} // namespace

TEST_F(BaseDialogueTest, ACaptionTooNarrowOpensAColumnAndTheWindowGrows)
{
    const QString longue = QStringLiteral("A caption far longer than its room");
    FenetreLegendes f(200, 100);
    auto* etiquette = f.Mettre(new QLabel(longue), 10, 10, 60, 15);
    auto* champ = f.Mettre(new QLineEdit, 80, 8, 50, 21);
    // Another row of the same columns: its field keeps in line with the one above.
    auto* courte = f.Mettre(new QLabel(QStringLiteral("Short")), 10, 40, 60, 15);
    auto* champ2 = f.Mettre(new QLineEdit, 80, 38, 50, 21);
    // A control of the design kept out of view, and a sample shown in the room it has.
    auto* cachee = f.Mettre(new QCheckBox(longue), 10, 120, 40, 17);
    auto* echantillon = f.Mettre(new QLabel(longue), 140, 70, 40, 15);
    echantillon->setProperty("echantillon", true);
    auto* ok = f.Mettre(new QPushButton(QStringLiteral("OK")), 10, 70, 75, 25);

    AjusterLegendes(&f.fenetre);

    const int besoin = etiquette->sizeHint().width();
    ASSERT_GT(besoin, 60);
    EXPECT_EQ(etiquette->geometry(), QRect(10, 10, besoin, 15));
    // The field moves by the least that clears the caption, keeping a gap of 4 pixels.
    EXPECT_EQ(champ->x(), 10 + besoin + 4);
    EXPECT_EQ(champ2->x(), champ->x());
    EXPECT_EQ(courte->geometry(), QRect(10, 40, 60, 15)) << "never shrinks";
    EXPECT_EQ(ok->geometry(), QRect(10, 70, 75, 25));
    EXPECT_EQ(cachee->geometry(), QRect(10, 120, 40, 17));
    EXPECT_EQ(echantillon->width(), 40);
    EXPECT_EQ(echantillon->x(), 140 + (champ->x() - 80)) << "it stands in the column that opened";
    EXPECT_EQ(f.fenetre.width(), echantillon->x() + 40 + 8) << "with the margin the design had, up to 8 pixels";
    EXPECT_EQ(f.fenetre.minimumWidth(), f.fenetre.maximumWidth()) << "still fixed";

    // Fitted once, a second pass changes nothing.
    const QRect avant = champ->geometry();
    AjusterLegendes(&f.fenetre);
    EXPECT_EQ(champ->geometry(), avant);
    EXPECT_EQ(etiquette->width(), besoin);
}

TEST_F(BaseDialogueTest, EachKindOfCaptionGrowsOnItsSide)
{
    FenetreLegendes f(400, 200);
    const QString texte = QStringLiteral("Quite a long caption");
    auto* droite = f.Mettre(new QLabel(texte), 200, 10, 40, 15);
    droite->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* centre = f.Mettre(new QLabel(texte), 200, 30, 40, 15);
    centre->setAlignment(Qt::AlignCenter);
    auto* coche = f.Mettre(new QCheckBox(texte), 10, 60, 40, 17);
    auto* radio = f.Mettre(new QRadioButton(texte), 10, 80, 40, 17);
    auto* bouton = f.Mettre(new QPushButton(texte), 200, 100, 40, 25);
    auto* lignes = f.Mettre(new QLabel(texte + QLatin1Char(' ') + texte + QLatin1Char(' ') + texte), 10, 140, 100, 15);
    lignes->setWordWrap(true);
    lignes->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    AjusterLegendes(&f.fenetre);

    EXPECT_EQ(droite->x() + droite->width(), 240) << "a right-aligned caption keeps its right edge";
    EXPECT_GE(droite->width(), LargeurTexte(droite, texte));
    EXPECT_LT(centre->x(), 200);
    EXPECT_NEAR(centre->x() + centre->width() / 2.0, 220, 1) << "a centred one keeps its middle";
    for (QAbstractButton* b : {static_cast<QAbstractButton*>(coche), static_cast<QAbstractButton*>(radio)}) {
        EXPECT_EQ(b->x(), 10);
        EXPECT_EQ(b->width(), b->sizeHint().width()) << "box, spacing and text";
    }
    EXPECT_GE(bouton->width(), LargeurTexte(bouton, texte) + 6) << "margins on both sides";
    EXPECT_EQ(bouton->width(), LargeurLegendeBouton(bouton));
    // A wrapped label grows in height about its middle.
    EXPECT_EQ(lignes->height(), lignes->heightForWidth(100));
    EXPECT_GT(lignes->height(), 15);
    EXPECT_NEAR(lignes->y() + lignes->height() / 2.0, 147.5, 1);
}

TEST_F(BaseDialogueTest, AButtonKeepsItsCompanionAndATabPageWidensItsTabs)
{
    FenetreLegendes f(300, 200);
    auto* onglets = f.Mettre(new QTabWidget, 6, 6, 200, 150);
    auto* page = new QWidget;
    onglets->addTab(page, QStringLiteral("Page"));
    auto* etiquette = new QLabel(QStringLiteral("A caption longer than its room on the page"), page);
    etiquette->setGeometry(5, 5, 60, 15);
    auto* champ = new QLineEdit(page);
    champ->setGeometry(70, 3, 50, 21);
    // On the window, right of the tabs: the OK column.
    auto* ok = f.Mettre(new QPushButton(QStringLiteral("OK")), 214, 6, 75, 25);
    // A button spanning the column's edge and the small button glued to it.
    auto* perso = new QPushButton(QStringLiteral("User"), page);
    perso->setGeometry(40, 60, 56, 23);
    auto* enregistrer = new QToolButton(page);
    enregistrer->setGeometry(98, 60, 23, 23);
    f.fenetre.show();
    QCoreApplication::processEvents();

    AjusterLegendes(&f.fenetre);
    QCoreApplication::processEvents();

    EXPECT_GE(etiquette->width(), etiquette->sizeHint().width());
    EXPECT_LE(champ->x() + champ->width(), page->width()) << "the page grew with its controls";
    const int ajout = onglets->width() - 200;
    EXPECT_GT(ajout, 0);
    EXPECT_EQ(ok->x(), 214 + ajout - 4) << "the OK column moved by the least, keeping 4 pixels";
    EXPECT_EQ(enregistrer->x() - (perso->x() + perso->width()), 2) << "the pair stays together";
    EXPECT_GE(f.fenetre.width(), ok->x() + ok->width());
}

TEST_F(BaseDialogueTest, AGroupThatGrowsPushesWhatStandsBesideItAndATitleWidensItsGroup)
{
    FenetreLegendes f(250, 120);
    auto* groupe = f.Mettre(new QGroupBox(QStringLiteral("Group")), 10, 10, 100, 60);
    auto* titre = f.Mettre(new QGroupBox(QStringLiteral("A group title longer than its frame")), 10, 80, 60, 30);
    auto* coche = new QCheckBox(QStringLiteral("A check box far wider than its group"), groupe);
    coche->setGeometry(8, 20, 80, 17);
    auto* voisin = f.Mettre(new QPushButton(QStringLiteral("Next")), 118, 20, 75, 25);

    AjusterLegendes(&f.fenetre);

    EXPECT_EQ(coche->width(), coche->sizeHint().width());
    EXPECT_EQ(groupe->width(), 8 + coche->width()) << "the group holds its check box";
    EXPECT_EQ(voisin->x(), groupe->x() + groupe->width() + 4) << "moved from the group's old edge";
    EXPECT_EQ(f.fenetre.width(), voisin->x() + 75 + 8) << "a window that grows keeps a margin";
    EXPECT_GT(titre->width(), LargeurTexte(titre, titre->title()));
    EXPECT_EQ(titre->width(), titre->minimumSizeHint().width());
}
