// The chord dialog: what it opens on (the beat's chord, or a custom chord started from the
// beat's frets with names proposed), what OK writes into the beat or removes from it, the
// theory controls driving the fingering search, the diagram edited with the mouse and moved
// along the neck, the level kept between openings, and the listen button.
#include "FixtureLectureDialogues.h"

#include "dialogs/DialoguesEdition.h"
#include "dialogs/Sais_ac.h"
#include "editor/CommandesEdition.h"
#include "editor/RechercheDoigtes.h"
#include "editor/ReconnaissanceAccords.h"
#include "midi/EcouteAccord.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>

#include <array>
#include <string>

namespace {

// Frets of strings 6 down to 1, as guitarists read them; -1 = not played.
std::array<int32_t, 7> Frettes6a1(std::initializer_list<int32_t> f)
{
    std::array<int32_t, 7> r{0, -1, -1, -1, -1, -1, -1};
    int s = 6;
    for (int32_t v : f)
        r[s--] = v;
    return r;
}

TAccord AccordLa()
{
    TAccord a;
    a.Nom = "Am";
    a.Fondamentale = 9;
    a.Typ = kTypm;
    a.Basse = 9;
    a.Frettes = Frettes6a1({-1, 0, 2, 2, 1, 0});
    for (int k = 1; k <= kNbDegres; ++k)
        a.Degres[k] = k > 3; // 1, 3 and 5 played
    return a;
}

class Sais_acTest : public FixtureLectureDialogues {
protected:
    void SetUp() override
    {
        FixtureLectureDialogues::SetUp();
        ViderLibrairie();
        ReinitialiserAccordTravail();
        NbSolutionsDoigte = SolutionCourante = SolutionEncadree = 0;
        Remplir(1, 1, 3, 0, false, false, -1);
        Entrer(1);
    }
    void TearDown() override
    {
        ViderLibrairie();
        FixtureLectureDialogues::TearDown();
    }

    static void ViderLibrairie()
    {
        for (auto& e : LibrairieAccords)
            e.reset();
        NbLibrairieAccords = 0;
    }

    static void FrettesDuTemps(int b, std::initializer_list<int32_t> deCorde6a1)
    {
        const auto f = Frettes6a1(deCorde6a1);
        for (int s = 1; s <= kNbCordesMax; ++s)
            Note(1, 1, b, s).Frette = static_cast<int8_t>(f[s]);
    }

    static QString Nom(const TSais_Ac_Form& d) { return d.Ed_Accord->text(); }

    // A press and a release of the left button on an image, in its pixels.
    static void Souris(QWidget* w, QEvent::Type type, int x, int y)
    {
        const QPointF p(x, y);
        const Qt::MouseButton bouton = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons boutons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent e(type, p, w->mapToGlobal(p), bouton, boutons, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
    // The point of a diagram cell: row 0 above the grid (open), 1..5 the fret rows.
    static QPoint Cellule(const TSais_Ac_Form& d, int corde, int rangee)
    {
        const TGeometrieDiagramme& g = d.Geometrie();
        return {g.XCorde(corde), g.Y0() + (rangee - 1) * g.Case() + g.L(10)};
    }
    static void Cliquer(TSais_Ac_Form& d, int corde, int rangee)
    {
        const QPoint p = Cellule(d, corde, rangee);
        Souris(d.ImDiag, QEvent::MouseButtonPress, p.x(), p.y());
        Souris(d.ImDiag, QEvent::MouseButtonRelease, p.x(), p.y());
    }
};

TEST_F(Sais_acTest, ChargeLAccordDuTemps)
{
    Temps(1, 1, 2).AvecAccord = true;
    Temps(1, 1, 2).Accord = std::make_shared<const TAccord>(AccordLa());
    Curseur.Temps = 2;
    TSais_Ac_Form d;
    d.EffacerDialogueAccord();
    d.Activer();

    EXPECT_TRUE(DialogueAccordOuvert);
    EXPECT_EQ(Nom(d), QStringLiteral("Am"));
    EXPECT_EQ(d.LimiteSaisieNom(), 10);
    EXPECT_EQ(d.Fondamentale->currentRow(), 9);
    EXPECT_EQ(d.Typ->currentRow(), kTypm);
    EXPECT_EQ(d.Basse->currentIndex(), 9);
    EXPECT_EQ(d.Renversement->currentIndex(), 0);
    EXPECT_EQ(AccordTravail.Frettes, AccordLa().Frettes) << "the loaded diagram stays";
    EXPECT_TRUE(d.C[1]->isChecked());
    EXPECT_TRUE(d.C[3]->isChecked());
    EXPECT_FALSE(d.C[4]->isChecked());
    EXPECT_EQ(d.Note[2]->text(), QStringLiteral("C"));
    // The chord's fingerings fill the strip, none selected.
    EXPECT_GT(NbSolutionsDoigte, 0);
    EXPECT_EQ(SolutionCourante, 0);
    EXPECT_FALSE(d.ScrollSol->isEnabled());
    EXPECT_EQ(d.NbComb->text(), QString::number(NbSolutionsDoigte));
    EXPECT_TRUE(d.ScrollFret->isEnabled());
    EXPECT_EQ(d.ScrollFret->value(), 1);
    ASSERT_GT(d.DifferentsNoms->count(), 0);
    EXPECT_EQ(d.DifferentsNoms->item(0)->text(), QStringLiteral("Am"));
    EXPECT_EQ(d.DifferentsNoms->currentRow(), -1);
    d.reject();
    EXPECT_FALSE(DialogueAccordOuvert);
}

TEST_F(Sais_acTest, UnNomChargeDePlusDeDixCaracteresResteEntier)
{
    TAccord a = AccordLa();
    a.Nom = "Am (slow strum)"; // 15 characters, more than the 10 one may type
    Temps(1, 1, 1).AvecAccord = true;
    Temps(1, 1, 1).Accord = std::make_shared<const TAccord>(a);
    TSais_Ac_Form d;
    d.Activer();
    EXPECT_EQ(Nom(d), QStringLiteral("Am (slow strum)"));
    d.BT_OK->click();
    EXPECT_EQ(Temps(1, 1, 1).Accord->Nom, "Am (slow strum)");

    // The user may shorten it, not lengthen it.
    TSais_Ac_Form e;
    e.Activer();
    e.Ed_Accord->end(false);
    Touche(e.Ed_Accord, Qt::Key_Backspace);
    EXPECT_EQ(Nom(e), QStringLiteral("Am (slow strum"));
    Taper(e.Ed_Accord, QStringLiteral("s"));
    EXPECT_EQ(Nom(e), QStringLiteral("Am (slow strum"));
    e.reject();
}

TEST_F(Sais_acTest, SansPlacePourUnTempsOkNEcritRien)
{
    Remplir(1, 1, kNbTempsSaisis, 4, false, false, -1);
    Entrer(1, kNbTempsSaisis + 1);
    TSais_Ac_Form d;
    d.Activer();
    d.Ed_Accord->setText(QStringLiteral("C"));
    d.BT_OK->click();
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(Temps(1, 1, kNbTempsSaisis + 1).AvecAccord);
    EXPECT_EQ(NbAccordsUtilises, 0);
}

TEST_F(Sais_acTest, LaSaisieDuNomEstLimitee)
{
    TSais_Ac_Form d;
    d.Activer();
    EXPECT_EQ(d.LimiteSaisieNom(), 20) << "a custom chord takes 20 typed characters";
    Saisir(d.Ed_Accord, QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ(Nom(d), QStringLiteral("abcdefghijklmnopqrst"));
}

TEST_F(Sais_acTest, AccordPersoDepuisLesFrettesDuTempsEtNomsProposes)
{
    FrettesDuTemps(1, {-1, 3, 2, 0, 1, 0});
    TSais_Ac_Form d;
    d.Activer();
    EXPECT_EQ(AccordTravail.Frettes, Frettes6a1({-1, 3, 2, 0, 1, 0}));
    ASSERT_EQ(d.DifferentsNoms->count(), 3);
    EXPECT_EQ(d.DifferentsNoms->item(0)->text(), QStringLiteral("C"));
    // The simplest name is loaded into the theory and the name; the diagram stays as drawn.
    EXPECT_EQ(Nom(d), QStringLiteral("C"));
    EXPECT_EQ(d.Fondamentale->currentRow(), 0);
    EXPECT_EQ(d.Typ->currentRow(), kTypM);
    EXPECT_EQ(d.Basse->currentIndex(), 0);
    EXPECT_EQ(d.DifferentsNoms->currentRow(), -1) << "the lists start without selection";
    EXPECT_EQ(SolutionCourante, 0);
}

TEST_F(Sais_acTest, FrettesHautesDuTemps)
{
    const struct {
        const char* nom;
        std::initializer_list<int32_t> temps;
        int32_t base;
        std::array<int32_t, 7> diagramme;
        int32_t barres;
    } cas[] = {
        {"an E shape at the seventh fret", {7, 9, 9, 8, 7, 7}, 7, Frettes6a1({7, 9, 9, 8, 7, 7}), 1},
        {"open strings and fret 12 only", {0, -1, 12, 0, -1, 0}, 12, Frettes6a1({0, -1, 12, 0, -1, 0}), 0},
        {"a fret beyond the five of the window is dropped", {3, 10, -1, -1, -1, -1}, 3, Frettes6a1({3, -1, -1, -1, -1, -1}), 0},
        {"dead notes do not sound", {100, 3, 2, 0, 1, 0}, 1, Frettes6a1({-1, 3, 2, 0, 1, 0}), 0},
        {"frets above the bar's reach start the window at 20", {22, 24, -1, -1, -1, -1}, 20, Frettes6a1({22, 24, -1, -1, -1, -1}), 0},
    };
    for (const auto& c : cas) {
        FrettesDuTemps(1, c.temps);
        TSais_Ac_Form d;
        d.Activer();
        EXPECT_EQ(AccordTravail.FretteBase, c.base) << c.nom;
        EXPECT_EQ(AccordTravail.Frettes, c.diagramme) << c.nom;
        EXPECT_EQ(AccordTravail.NbBarres, c.barres) << c.nom << ": barres found as on every diagram";
        EXPECT_EQ(d.ScrollFret->value(), c.base) << c.nom;
        d.reject();
    }
}

TEST_F(Sais_acTest, UnCranDeLaBarreDepuisLaFretteVingtDeplaceLaFormeDUneFrette)
{
    FrettesDuTemps(1, {22, 24, -1, -1, -1, -1});
    TSais_Ac_Form d;
    d.Activer();
    ASSERT_GT(d.DifferentsNoms->count(), 0);
    const QString nom = d.DifferentsNoms->item(0)->text();
    d.ScrollFret->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(AccordTravail.FretteBase, 20) << "the bar is at its end already";
    EXPECT_EQ(AccordTravail.Frettes, Frettes6a1({22, 24, -1, -1, -1, -1}));
    d.ScrollFret->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(AccordTravail.FretteBase, 19);
    EXPECT_EQ(AccordTravail.Frettes, Frettes6a1({21, 23, -1, -1, -1, -1}));
    // Moved back up, the shape and its name are the ones the beat gave.
    d.ScrollFret->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(AccordTravail.Frettes, Frettes6a1({22, 24, -1, -1, -1, -1}));
    ASSERT_GT(d.DifferentsNoms->count(), 0);
    EXPECT_EQ(d.DifferentsNoms->item(0)->text(), nom);
    d.reject();
}

TEST_F(Sais_acTest, UnSilenceNeDonnePasSesFrettesCachees)
{
    FrettesDuTemps(1, {-1, 3, 2, 0, 1, 0});
    Temps(1, 1, 1).Silence = true;
    TSais_Ac_Form d;
    d.Activer();
    EXPECT_FALSE(AccordTravail.AvecDiagramme());
    EXPECT_EQ(d.DifferentsNoms->count(), 0);
}

TEST_F(Sais_acTest, OkEcritLAccordAvecDiagrammeEtNom)
{
    FrettesDuTemps(1, {-1, 3, 2, 0, 1, 0});
    TSais_Ac_Form d;
    d.Activer();
    Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, false);
    d.BT_OK->click();

    EXPECT_EQ(d.result(), QDialog::Accepted);
    const TTemps& t = Temps(1, 1, 1);
    ASSERT_TRUE(t.AvecAccord);
    ASSERT_TRUE(t.Accord);
    EXPECT_EQ(t.Accord->Nom, "C");
    EXPECT_EQ(t.Accord->Fondamentale, 0);
    EXPECT_EQ(t.Accord->Typ, kTypM);
    EXPECT_EQ(t.Accord->Basse, 0);
    EXPECT_TRUE(t.Accord->Diese);
    EXPECT_EQ(t.Accord->FretteBase, 1);
    EXPECT_EQ(t.Accord->Frettes, Frettes6a1({-1, 3, 2, 0, 1, 0}));
    for (int k = 1; k <= kNbDegres; ++k)
        EXPECT_EQ(t.Accord->Degres[k], k > 3) << "degree slot " << k;
    ASSERT_EQ(NbAccordsUtilises, 1);
    EXPECT_EQ(*AccordsUtilises[1], *t.Accord);
    EXPECT_TRUE(Configuration.AddDiag);
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Edition_Annuler)) << "undo snapshot taken";
    EXPECT_FALSE(MesureAnnulation.Temps[1][1].AvecAccord) << "the snapshot is the beat before";
    EXPECT_FALSE(DialogueAccordOuvert);
}

TEST_F(Sais_acTest, LeMemeAccordDeuxFoisEntreUneFoisDansLesUtilises)
{
    FrettesDuTemps(1, {-1, 3, 2, 0, 1, 0});
    for (int fois = 0; fois < 2; ++fois) {
        TSais_Ac_Form d;
        d.Activer();
        d.BT_OK->click();
    }
    EXPECT_EQ(NbAccordsUtilises, 1);
}

TEST_F(Sais_acTest, NomSeulSansDiagramme)
{
    FrettesDuTemps(1, {-1, 3, 2, 0, 1, 0});
    TSais_Ac_Form d;
    d.Activer();
    d.AddDiag->setChecked(false);
    d.Ed_Accord->setText(QStringLiteral("Riff"));
    d.BT_OK->click();
    const TTemps& t = Temps(1, 1, 1);
    ASSERT_TRUE(t.AvecAccord);
    EXPECT_EQ(t.Accord->Nom, "Riff");
    EXPECT_EQ(t.Accord->Fondamentale, kFondamentalePerso);
    EXPECT_FALSE(t.Accord->AvecDiagramme());
    EXPECT_FALSE(Configuration.AddDiag);
}

TEST_F(Sais_acTest, SuppressionEtNomVide)
{
    const auto ouvrir = [](auto&& action) {
        TSais_Ac_Form d;
        d.EffacerDialogueAccord();
        d.Activer();
        action(d);
        d.BT_OK->click();
    };
    // Clear empties diagram and name: the chord goes.
    Temps(1, 1, 1).AvecAccord = true;
    Temps(1, 1, 1).Accord = std::make_shared<const TAccord>(AccordLa());
    ouvrir([](TSais_Ac_Form& d) { d.BT_Clear->click(); });
    EXPECT_FALSE(Temps(1, 1, 1).AvecAccord);
    EXPECT_FALSE(Temps(1, 1, 1).Accord);
    EXPECT_EQ(NbAccordsUtilises, 0);

    // On a beat without chord, an empty name and no diagram change nothing.
    ouvrir([](TSais_Ac_Form&) {});
    EXPECT_FALSE(Temps(1, 1, 1).AvecAccord);

    // An empty name with a diagram kept: the chord stays, nameless.
    Temps(1, 1, 1).AvecAccord = true;
    Temps(1, 1, 1).Accord = std::make_shared<const TAccord>(AccordLa());
    ouvrir([](TSais_Ac_Form& d) { d.Ed_Accord->clear(); });
    ASSERT_TRUE(Temps(1, 1, 1).AvecAccord);
    EXPECT_EQ(Temps(1, 1, 1).Accord->Nom, "");
    EXPECT_EQ(Temps(1, 1, 1).Accord->Frettes, AccordLa().Frettes);

    // An empty name without the diagram: removed.
    ouvrir([](TSais_Ac_Form& d) {
        d.Ed_Accord->clear();
        d.AddDiag->setChecked(false);
    });
    EXPECT_FALSE(Temps(1, 1, 1).AvecAccord);
}

TEST_F(Sais_acTest, LaCommandeEcritLeDoigteDansUnTempsSansNote)
{
    DialoguesEditionQt dialogues;
    dialogues.DialogueAccord = [] {
        return ExecuterDialogueAccord(nullptr, [](QDialog& fenetre) {
            auto& d = static_cast<TSais_Ac_Form&>(fenetre);
            d.Activer();
            d.Fondamentale->setCurrentRow(4); // E: its first fingering is the open E
            d.BT_OK->click();
            return d.result();
        });
    };
    InstallerDialoguesEdition(&dialogues);
    Curseur.Temps = 4; // the free column
    Ac_Note_AccordExecute();
    ASSERT_EQ(MesureEnCours().NbTemps[1], 4);
    const TTemps& t = Temps(1, 1, 4);
    ASSERT_TRUE(t.AvecAccord);
    EXPECT_EQ(t.Accord->Nom, "E");
    const auto attendu = Frettes6a1({0, 2, 2, 1, 0, 0});
    for (int s = 1; s <= kNbCordesMax; ++s)
        EXPECT_EQ(t.Notes[s].Frette, attendu[s]) << "string " << s;
    InstallerDialoguesEdition(nullptr);
}

TEST_F(Sais_acTest, TheorieCherchesLesDoigtes)
{
    TSais_Ac_Form d;
    d.Activer();
    d.Fondamentale->setCurrentRow(4);
    EXPECT_EQ(Nom(d), QStringLiteral("E"));
    EXPECT_EQ(d.Basse->currentIndex(), 4);
    ASSERT_GT(NbSolutionsDoigte, 0);
    EXPECT_EQ(SolutionCourante, 1);
    EXPECT_EQ(AccordTravail.Frettes, Frettes6a1({0, 2, 2, 1, 0, 0}));
    EXPECT_TRUE(d.ScrollSol->isEnabled());
    EXPECT_EQ(d.NbComb->text(), QStringLiteral("1/%1").arg(NbSolutionsDoigte));
    EXPECT_FALSE(d.ScrollFret->isEnabled()) << "a found fingering is not moved by hand";

    // The type list: E minor; the third's box names G.
    d.Typ->setCurrentRow(kTypm);
    EXPECT_EQ(Nom(d), QStringLiteral("Em"));
    EXPECT_EQ(d.Note[2]->text(), QStringLiteral("G"));

    // A second fingering picked with the bar, then on the strip.
    ASSERT_GT(NbSolutionsDoigte, 2);
    d.ScrollSol->setValue(2);
    EXPECT_EQ(SolutionCourante, 2);
    EXPECT_EQ(AccordTravail.Frettes, SolutionsDoigte[2].Frettes);
    const platform::Point p = PositionVignette(2, ColonnesBande(d.ImListeDiag->Image.width()));
    Souris(d.ImListeDiag, QEvent::MouseButtonPress, p.x + 5, p.y + 5);
    Souris(d.ImListeDiag, QEvent::MouseButtonRelease, p.x + 5, p.y + 5);
    EXPECT_EQ(SolutionCourante, 3);
    EXPECT_EQ(SolutionEncadree, 3);
    EXPECT_EQ(d.ScrollSol->value(), 3);
    EXPECT_EQ(AccordTravail.Frettes, SolutionsDoigte[3].Frettes);

    // No bass: nothing found, the strip and the diagram empty.
    d.Basse->setCurrentIndex(-1);
    EXPECT_EQ(NbSolutionsDoigte, 0);
    EXPECT_FALSE(d.ScrollSol->isEnabled());
    EXPECT_FALSE(AccordTravail.AvecDiagramme());

    // The inversion list puts the third in the bass.
    d.Typ->setCurrentRow(kTypM);
    d.Renversement->setCurrentIndex(1);
    EXPECT_EQ(d.Basse->currentIndex(), 8); // G#
    EXPECT_EQ(Nom(d), QStringLiteral("E"));
}

TEST_F(Sais_acTest, BemolsDansLesListesEtLeNom)
{
    TSais_Ac_Form d;
    d.Activer();
    d.Fondamentale->setCurrentRow(1);
    d.Typ->setCurrentRow(kTypm7);
    EXPECT_EQ(Nom(d), QStringLiteral("C#m7"));
    d.BT_Bemol->click();
    EXPECT_EQ(Nom(d), QStringLiteral("Dbm7"));
    EXPECT_EQ(d.Fondamentale->item(1)->text(), QStringLiteral("Db"));
    EXPECT_EQ(d.Basse->itemText(1), QStringLiteral("Db"));
    EXPECT_EQ(d.Fondamentale->currentRow(), 1);
    EXPECT_FALSE(AccordTravail.Diese);
}

TEST_F(Sais_acTest, CliquerLeDiagrammeEditeLesFrettesEtLesBarres)
{
    FrettesDuTemps(1, {-1, 3, 2, 0, 1, 0});
    TSais_Ac_Form d;
    d.Activer();
    ASSERT_EQ(d.Fondamentale->currentRow(), 0) << "C from the proposed names";

    // The fret a string holds: muted. The theory and the name go, the frets stay.
    Cliquer(d, 2, 1);
    EXPECT_EQ(AccordTravail.Frettes, Frettes6a1({-1, 3, 2, 0, -1, 0}));
    EXPECT_EQ(d.Fondamentale->currentRow(), kFondamentalePerso);
    EXPECT_EQ(Nom(d), QString());
    EXPECT_EQ(NbSolutionsDoigte, 0);
    EXPECT_TRUE(d.ScrollFret->isEnabled());
    EXPECT_GT(d.DifferentsNoms->count(), 0) << "new names proposed";

    // Above the grid: open, then muted again.
    Cliquer(d, 6, 0);
    EXPECT_EQ(AccordTravail.Frettes[6], 0);
    Cliquer(d, 6, 0);
    EXPECT_EQ(AccordTravail.Frettes[6], -1);

    // Four strings on the third fret make a barre.
    for (int corde : {1, 2, 3, 4})
        Cliquer(d, corde, 3);
    EXPECT_EQ(AccordTravail.Frettes, Frettes6a1({-1, 3, 3, 3, 3, 3}));
    ASSERT_EQ(AccordTravail.NbBarres, 1);
    EXPECT_EQ(AccordTravail.BarreFrette[1], 3);
    EXPECT_EQ(AccordTravail.BarreCordeDebut[1], 1);
    EXPECT_EQ(AccordTravail.BarreCordeFin[1], 5);

    // Outside the area nothing changes.
    const TAccord avant = AccordTravail;
    Souris(d.ImDiag, QEvent::MouseButtonPress, 2, 2);
    Souris(d.ImDiag, QEvent::MouseButtonRelease, 2, 2);
    EXPECT_EQ(AccordTravail, avant);

    // OK stores what was drawn, with its barre.
    d.Ed_Accord->setText(QStringLiteral("mine"));
    d.BT_OK->click();
    EXPECT_EQ(Temps(1, 1, 1).Accord->Frettes, Frettes6a1({-1, 3, 3, 3, 3, 3}));
    EXPECT_EQ(Temps(1, 1, 1).Accord->NbBarres, 1);
}

TEST_F(Sais_acTest, GlisserLeLongDUneCorde)
{
    TSais_Ac_Form d;
    d.Activer();
    const QPoint r1 = Cellule(d, 1, 1);
    Souris(d.ImDiag, QEvent::MouseButtonPress, r1.x(), r1.y());
    EXPECT_EQ(AccordTravail.Frettes[1], 1);
    for (int rangee : {2, 3}) {
        const QPoint p = Cellule(d, 1, rangee);
        Souris(d.ImDiag, QEvent::MouseMove, p.x(), p.y());
        EXPECT_EQ(AccordTravail.Frettes[1], rangee);
    }
    // Moving within the cell changes nothing more.
    const QPoint p = Cellule(d, 1, 3);
    Souris(d.ImDiag, QEvent::MouseMove, p.x() + 2, p.y() + 3);
    Souris(d.ImDiag, QEvent::MouseButtonRelease, p.x() + 2, p.y() + 3);
    EXPECT_EQ(AccordTravail.Frettes[1], 3);
    // Released: moving does not edit.
    const QPoint q = Cellule(d, 2, 2);
    Souris(d.ImDiag, QEvent::MouseMove, q.x(), q.y());
    EXPECT_EQ(AccordTravail.Frettes[2], -1);
}

TEST_F(Sais_acTest, DeplacerLaFormeLeLongDuManche)
{
    // A shape drawn by hand: frets 3, 4, 5 and an open string.
    TSais_Ac_Form d;
    d.Activer();
    for (auto [corde, frette] : {std::pair{5, 3}, {4, 5}, {3, 5}, {2, 4}})
        Cliquer(d, corde, frette);
    Cliquer(d, 1, 0);
    ASSERT_EQ(AccordTravail.Frettes, Frettes6a1({-1, 3, 5, 5, 4, 0}));

    d.ScrollFret->setValue(3);
    EXPECT_EQ(AccordTravail.FretteBase, 3);
    EXPECT_EQ(AccordTravail.Frettes, Frettes6a1({-1, 5, 7, 7, 6, 0}));
    d.ScrollFret->setValue(5);
    EXPECT_EQ(AccordTravail.Frettes, Frettes6a1({-1, 7, 9, 9, 8, 0}));
    EXPECT_EQ(AccordTravail.FretteBase, 5);
}

TEST_F(Sais_acTest, DeplacerUnAccordChargePasseEnPerso)
{
    Temps(1, 1, 1).AvecAccord = true;
    Temps(1, 1, 1).Accord = std::make_shared<const TAccord>(AccordLa());
    TSais_Ac_Form d;
    d.Activer();
    ASSERT_TRUE(d.ScrollFret->isEnabled());
    d.ScrollFret->setValue(3);
    EXPECT_EQ(d.Fondamentale->currentRow(), kFondamentalePerso);
    EXPECT_EQ(Nom(d), QString());
    EXPECT_EQ(AccordTravail.FretteBase, 3);
    EXPECT_EQ(AccordTravail.Frettes, Frettes6a1({-1, 0, 4, 4, 3, 0}));
}

TEST_F(Sais_acTest, LeNiveauEstGardeMemeApresAnnuler)
{
    {
        TSais_Ac_Form d;
        d.Activer();
        EXPECT_TRUE(d.Moyen->isChecked());
        EXPECT_FALSE(d.Tout->isEnabled()) << "no level for a custom chord";
        d.Fondamentale->setCurrentRow(4);
        d.Tout->click();
        d.BT_Annuler->click();
    }
    EXPECT_EQ(Configuration.DiagSimpleMoyenTout, kNiveauTout);
    TSais_Ac_Form d;
    d.Activer();
    EXPECT_TRUE(d.Tout->isChecked());
    d.reject();
}

TEST_F(Sais_acTest, AideEtEcoute)
{
    FrettesDuTemps(1, {-1, 3, 2, 0, 1, 0});
    TSais_Ac_Form d;
    d.Activer();
    d.BT_Aide->click();
    EXPECT_TRUE(fenetreLecture.A("AfficherAideDialogue(8)"));
    d.BoutonSon->click();
    ASSERT_EQ(lecteurMedia.NbLectures, 1);
    EXPECT_EQ(lecteurMedia.Contenu(), GenererMidiAccord(AccordTravail, Partition.Accordage[1], Partition.Instrument[1]));
}

TEST_F(Sais_acTest, LegendesDuFichierDeLangue)
{
    ChargerAnglais();
    TSais_Ac_Form d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Chord"));
    EXPECT_EQ(d.Lab_DiffNames->text(), QStringLiteral("Possible names"));
    EXPECT_EQ(d.Librairie->Ajouter->toolTip(), QStringLiteral("Add"));
    EXPECT_EQ(d.Fondamentale->item(kFondamentalePerso)->text(), QStringLiteral("Custom"));
    EXPECT_TRUE(d.AddDiag->text().contains(QStringLiteral("diagram")));
}

} // namespace
