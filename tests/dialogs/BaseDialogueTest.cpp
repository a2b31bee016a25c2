// The shared helpers of the dialogs: captions by section, numbers typed with either separator,
// the typing filters and the spin buttons' auto-repeat.
#include "FixtureDialogues.h"

#include "dialogs/BaseDialogue.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
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

TEST_F(BaseDialogueTest, AFixedWindowGrowsToItsTitleAndKeepsItsControlsCentred)
{
    QWidget fenetre;
    fenetre.setFixedSize(120, 60);
    auto* bouton = new QPushButton(QStringLiteral("OK"), &fenetre);
    bouton->setGeometry(20, 20, 80, 25);
    fenetre.setWindowTitle(QStringLiteral("A title far longer than the window is wide"));
    QFont gras = QApplication::font();
    gras.setBold(true);
    const int besoin = QFontMetrics(gras).horizontalAdvance(fenetre.windowTitle()) + Pixels96(100);
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
