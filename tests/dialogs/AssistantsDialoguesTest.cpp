// The dialogs of the track assistants: the transposition list, the re-split confirmation and
// the let-ring selector, which changes the notes itself.
#include "FixturePlages.h"

#include "dialogs/ConfRede.h"
#include "dialogs/LetRingAssistant.h"
#include "dialogs/Transpo.h"
#include "document/Langue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

using TransposerTest = FixturePlages;
using ConfRedecTest = FixturePlages;

TEST_F(TransposerTest, ListeDePlusDouzeAMoinsDouzeOuvertureSurZero)
{
    TTransposerForm d;
    ASSERT_EQ(d.Valeur->count(), 25);
    for (int i = 0; i < 25; ++i) {
        const int n = 12 - i;
        EXPECT_EQ(d.Valeur->itemText(i), n > 0 ? QStringLiteral("+%1").arg(n) : QString::number(n));
        d.Valeur->setCurrentIndex(i);
        EXPECT_EQ(d.DemiTons(), n);
    }
    EXPECT_EQ(d.Valeur->itemText(TTransposerForm::ItemZero), QStringLiteral("0"));
    d.Valeur->setCurrentIndex(3);
    d.show();
    EXPECT_EQ(d.Valeur->currentIndex(), 12);
    d.BT_OK->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.DemiTons(), 0);
}

TEST_F(TransposerTest, LegendesEtAide)
{
    ChargerAnglais();
    TTransposerForm d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Transpose"));
    EXPECT_EQ(d.Lab_Transpo->text(), QStringLiteral("&Transposition :"));
    EXPECT_EQ(d.Lab_demiton->text(), QStringLiteral("semitones"));
    EXPECT_EQ(d.BT_Aide->text(), QStringLiteral("&Help"));
    d.show();
    d.BT_Aide->click();
    Touche(&d, Qt::Key_F1);
    EXPECT_EQ(fenetrePlages.Aides, (std::vector<int>{13, 13}));
}

TEST_F(ConfRedecTest, OuiNonEtEchap)
{
    {
        TConfRedecForm d;
        d.show();
        d.BT_Oui->click();
        EXPECT_EQ(d.result(), ResultatModalOui);
    }
    {
        TConfRedecForm d;
        d.show();
        d.BT_Non->click();
        EXPECT_EQ(d.result(), ResultatModalNon);
    }
    {
        TConfRedecForm d;
        d.show();
        Touche(&d, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.result(), ResultatModalNon);
        EXPECT_TRUE(d.BT_Oui->isDefault());
    }
    ChargerAnglais();
    TConfRedecForm d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Confirmation"));
    EXPECT_EQ(d.Lab_Redec->text(), QStringLiteral("Do you want to re-split the bars of the current track?"));
    EXPECT_EQ(d.BT_Oui->text(), QStringLiteral("&Yes"));
    d.BT_Aide->click();
    EXPECT_EQ(fenetrePlages.Aides, (std::vector<int>{9}));
}

// ---- Let-ring selector -----------------------------------------------------------------------

class LetRingTest : public FixturePlages {
protected:
    // Beat b of track 1 in measure m, its notes given as {string, fret, link technique}.
    static void Note(int m, int b, int corde, int frette, int effet)
    {
        TMesure& bloc = *Partition.Mesures[m];
        bloc.NbTemps[1] = std::max(bloc.NbTemps[1], b);
        TNoteCorde& n = bloc.Temps[1][b].Notes[corde];
        n.Frette = static_cast<int8_t>(frette);
        n.Effet = static_cast<uint8_t>(effet);
    }
    static int Effet(int m, int b, int corde) { return Partition.Mesures[m]->Temps[1][b].Notes[corde].Effet; }

    // The song of the tests: three measures; in each, beat 1 holds a plain note on string 1 and
    // a let-ring note on the track's last string, beat 2 a hammer-on on string 1 and a plain
    // dead note on the last string; string 3 has no note.
    static void Chanson(int nbCordes = 6)
    {
        Partition.NbCordes[1] = nbCordes;
        AvoirMesures(3);
        for (int m = 1; m <= 3; ++m) {
            Note(m, 1, 1, 3, 0);
            Note(m, 1, nbCordes, 0, 7);
            Note(m, 2, 1, 5, 1);
            Note(m, 2, nbCordes, 100, 0);
            Note(m, 2, 2, 7, 5);
        }
    }

    static void Cocher(TLetRingAssistantForm& d, int rangee, bool oui)
    {
        d.CB[rangee]->setChecked(true);
        (oui ? d.RY[rangee] : d.RN[rangee])->setChecked(true);
    }
};

TEST_F(LetRingTest, OuverturePremiereMesureADerniere)
{
    AvoirMesures(7);
    Partition.MesureCourante = 4;
    TLetRingAssistantForm d;
    d.show();
    EXPECT_EQ(d.MesDeb->text(), QStringLiteral("1"));
    EXPECT_EQ(d.MesFin->text(), QStringLiteral("7"));
    for (int k = 1; k <= 6; ++k) {
        EXPECT_TRUE(d.CB[k]->isEnabled()) << k;
        EXPECT_FALSE(d.CB[k]->isChecked()) << k;
        EXPECT_FALSE(d.RY[k]->isEnabled()) << k;
        EXPECT_FALSE(d.RN[k]->isEnabled()) << k;
        EXPECT_TRUE(d.Lib[k]->isVisible()) << k;
    }
}

TEST_F(LetRingTest, SixCordesOuiSurLaPremiereNonSurLaSixieme)
{
    Chanson();
    TLetRingAssistantForm d;
    d.show();
    d.MesFin->setText(QStringLiteral("2"));
    Cocher(d, 1, true);
    Cocher(d, 6, false);
    d.BT_OK->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    for (int m = 1; m <= 2; ++m) {
        EXPECT_EQ(Effet(m, 1, 1), 7) << m << ": a plain note gets let ring";
        EXPECT_EQ(Effet(m, 1, 6), 0) << m << ": a let-ring note loses it";
        EXPECT_EQ(Effet(m, 2, 1), 1) << m << ": a hammer-on stays";
        EXPECT_EQ(Effet(m, 2, 6), 0) << m;
        EXPECT_EQ(Effet(m, 2, 2), 5) << m << ": an unticked string is not touched";
        EXPECT_EQ(Partition.Mesures[m]->Temps[1][1].Notes[3].Effet, 0) << m;
    }
    // Measure 3 lies outside the range.
    EXPECT_EQ(Effet(3, 1, 1), 0);
    EXPECT_EQ(Effet(3, 1, 6), 7);
}

TEST_F(LetRingTest, NoteEtouffeeEtCordeVide)
{
    Chanson();
    TLetRingAssistantForm d;
    d.show();
    Cocher(d, 6, true);
    Cocher(d, 3, true);
    d.BT_OK->click();
    for (int m = 1; m <= 3; ++m) {
        EXPECT_EQ(Effet(m, 2, 6), 7) << "a dead note counts as a note";
        EXPECT_EQ(Partition.Mesures[m]->Temps[1][1].Notes[3].Effet, 0) << "no note on string 3: left alone";
        EXPECT_EQ(Partition.Mesures[m]->Temps[1][1].Notes[3].Frette, kPasDeNote);
    }
}

TEST_F(LetRingTest, CinqCordesLesRangeesDescendentDUneCorde)
{
    Chanson(5);
    TLetRingAssistantForm d;
    const int yLib1 = d.Lib[1]->y();
    d.show();
    d.Activer(); // coming back from a message box moves nothing again
    EXPECT_FALSE(d.Lib[6]->isVisible());
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(d.Lib[k]->y(), yLib1 + Pixels96(TLetRingAssistantForm::HauteurRangee) * k) << k;
    EXPECT_FALSE(d.CB[1]->isEnabled());
    EXPECT_TRUE(d.CB[2]->isEnabled());
    // Row 1 cannot be ticked through its drawing either.
    d.DesCorde1MouseDown(1);
    EXPECT_FALSE(d.CB[1]->isChecked());
    EXPECT_EQ(TLetRingAssistantForm::CordeDeRangee(1), 0);
    EXPECT_EQ(TLetRingAssistantForm::CordeDeRangee(2), 1);
    EXPECT_EQ(TLetRingAssistantForm::CordeDeRangee(6), 5);
    Cocher(d, 2, true);
    d.BT_OK->click();
    for (int m = 1; m <= 3; ++m) {
        EXPECT_EQ(Effet(m, 1, 1), 7) << "row 2 stands for string 1";
        EXPECT_EQ(Effet(m, 1, 5), 7) << "string 5 untouched";
    }
}

TEST_F(LetRingTest, QuatreCordesDeuxRangeesHorsDUsage)
{
    Chanson(4);
    TLetRingAssistantForm d;
    const int yLib1 = d.Lib[1]->y();
    d.show();
    EXPECT_FALSE(d.Lib[5]->isVisible());
    EXPECT_FALSE(d.Lib[6]->isVisible());
    EXPECT_EQ(d.Lib[1]->y(), yLib1 + 2 * Pixels96(TLetRingAssistantForm::HauteurRangee));
    EXPECT_EQ(d.Lib[4]->y(), d.CB[6]->y() + 1);
    EXPECT_FALSE(d.CB[1]->isEnabled());
    EXPECT_FALSE(d.CB[2]->isEnabled());
    EXPECT_TRUE(d.CB[3]->isEnabled());
    Cocher(d, 3, true);
    Cocher(d, 6, false);
    d.BT_OK->click();
    for (int m = 1; m <= 3; ++m) {
        EXPECT_EQ(Effet(m, 1, 1), 7) << "row 3 stands for string 1";
        EXPECT_EQ(Effet(m, 1, 4), 0) << "row 6 stands for string 4";
    }
}

TEST_F(LetRingTest, CocherEtDecocherUneRangee)
{
    TLetRingAssistantForm d;
    d.show();
    d.CB[3]->setChecked(true);
    EXPECT_TRUE(d.RY[3]->isEnabled());
    EXPECT_TRUE(d.RN[3]->isEnabled());
    EXPECT_TRUE(d.RY[3]->isChecked());
    d.RN[3]->click();
    EXPECT_TRUE(d.RN[3]->isChecked());
    EXPECT_FALSE(d.RY[3]->isChecked());
    d.CB[3]->setChecked(false);
    EXPECT_FALSE(d.RY[3]->isEnabled());
    EXPECT_FALSE(d.RN[3]->isEnabled());
    EXPECT_FALSE(d.RY[3]->isChecked());
    EXPECT_FALSE(d.RN[3]->isChecked());
    // Ticked again: yes, the radios still one choice of two.
    d.CB[3]->setChecked(true);
    EXPECT_TRUE(d.RY[3]->isChecked());
    d.RN[3]->click();
    EXPECT_FALSE(d.RY[3]->isChecked());
}

TEST_F(LetRingTest, UnClicSurLaCordeInverseLaCoche)
{
    TLetRingAssistantForm d;
    d.show();
    const auto presser = [](QWidget* w) {
        const QPointF centre(w->width() / 2.0, w->height() / 2.0);
        QMouseEvent e(QEvent::MouseButtonPress, centre, w->mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    };
    EXPECT_EQ(d.DesCorde[3]->objectName(), QStringLiteral("Shape3"));
    presser(d.DesCorde[3]);
    EXPECT_TRUE(d.CB[3]->isChecked());
    EXPECT_TRUE(d.RY[3]->isChecked());
    presser(d.DesCorde[3]);
    EXPECT_FALSE(d.CB[3]->isChecked());
    // The grey core of a wound string takes the press too.
    EXPECT_EQ(d.FilGris[4]->objectName(), QStringLiteral("Shape9"));
    presser(d.FilGris[4]);
    EXPECT_TRUE(d.CB[4]->isChecked());
    presser(d.DesCorde[6]);
    EXPECT_TRUE(d.CB[6]->isChecked());
    EXPECT_EQ(d.DesCorde[6]->objectName(), QStringLiteral("Shape1"));
}

TEST_F(LetRingTest, SansRangeeCocheeLeMessageEtLeDialogueResteOuvert)
{
    ChargerAnglais();
    Chanson();
    TLetRingAssistantForm d;
    d.show();
    d.BT_OK->click();
    EXPECT_TRUE(d.isVisible());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Legende, Traduire("Dlg-Erreur"));
    EXPECT_EQ(messages[0].Texte, "No string is selected.");
    EXPECT_EQ(messages[0].Icone, IconeErreur);
    EXPECT_EQ(messages[0].Boutons, BoutonOK);
    EXPECT_EQ(Effet(1, 1, 6), 7);
    // Ticked then, the same dialog goes on.
    Cocher(d, 1, true);
    d.BT_OK->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(Effet(1, 1, 1), 7);
}

TEST_F(LetRingTest, PlageRefuseeRienNeChange)
{
    Chanson();
    TLetRingAssistantForm d;
    d.show();
    Cocher(d, 1, true);
    d.MesDeb->setText(QStringLiteral("4"));
    d.MesFin->setText(QStringLiteral("2"));
    d.BT_OK->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(fenetrePlages.SaisiesIncorrectes, 1);
    EXPECT_EQ(d.focusWidget(), d.MesDeb) << "4 is above the 3 measures of the song";
    d.MesDeb->setText(QStringLiteral("3"));
    d.BT_OK->click();
    EXPECT_EQ(fenetrePlages.SaisiesIncorrectes, 2);
    EXPECT_EQ(d.focusWidget(), d.MesFin);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Effet(1, 1, 1), 0);
    EXPECT_EQ(Effet(3, 1, 1), 0);
}

TEST_F(LetRingTest, Legendes)
{
    {
        TLetRingAssistantForm d;
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Let Ring Selector"));
        EXPECT_EQ(d.RY[1]->text(), QStringLiteral("Yes"));
        EXPECT_TRUE(d.MessageAucuneCorde().empty());
    }
    ChargerAnglais();
    TLetRingAssistantForm d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Let ring selector"));
    EXPECT_EQ(d.Lab_Mesure->text(), QStringLiteral("&Bar range :"));
    EXPECT_EQ(d.Lab_Cordes->text(), QStringLiteral("Strings to change :"));
    EXPECT_EQ(d.RN[6]->text(), QStringLiteral("No"));
    d.show();
    d.BT_Aide->click();
    EXPECT_EQ(fenetrePlages.Aides, (std::vector<int>{16}));
}

} // namespace
