// The speed trainer: its window (filling, checks, spins and captions), and the command that
// hands the range and tempos to playback and starts the passes.
#include "FixtureLectureDialogues.h"

#include "dialogs/BaseDialogue.h"
#include "dialogs/Services.h"
#include "dialogs/SpeedT.h"
#include "midi/EtatLecture.h"
#include "midi/OrdreLecture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

class SpeedTrainer : public FixtureLectureDialogues {
protected:
    void SetUp() override
    {
        FixtureLectureDialogues::SetUp();
        AvoirMesures(12);
        for (int m = 1; m <= 12; ++m)
            Remplir(m, 1, 4);
        Partition.MesureCourante = 5;
        Partition.Tempo = 120;
    }
    void TearDown() override
    {
        ReinitialiserServicesSaisie();
        FixtureLectureDialogues::TearDown();
    }

    static void Valeurs(TSpeedT_Form& f, const char* deb, const char* fin, const char* tdeb, const char* tfin,
                        const char* var)
    {
        f.MesDeb->setText(QString::fromLatin1(deb));
        f.MesFin->setText(QString::fromLatin1(fin));
        f.TempoDeb->setText(QString::fromLatin1(tdeb));
        f.TempoFin->setText(QString::fromLatin1(tfin));
        f.Variation->setText(QString::fromLatin1(var));
    }
    static QStringList Textes(const TSpeedT_Form& f)
    {
        return {f.MesDeb->text(), f.MesFin->text(), f.TempoDeb->text(), f.TempoFin->text(), f.Variation->text()};
    }
};

} // namespace

TEST_F(SpeedTrainer, FirstShowingFillsFromTheSongAndLaterShowingsKeepTheValues)
{
    TSpeedT_Form f;
    f.show();
    EXPECT_EQ(Textes(f), (QStringList{"5", "12", "120", "120", "0"}));

    f.MesDeb->setText(QStringLiteral("7"));
    f.Variation->clear(); // only the empty edits are filled again
    f.hide();
    Partition.Tempo = 90;
    f.show();
    EXPECT_EQ(Textes(f), (QStringList{"7", "12", "120", "120", "0"}));

    // Another song loaded: the next showing takes its values.
    f.hide();
    ServicesSaisie services{};
    services.SpeedT_Form = &f;
    InstallerServicesSaisie(services);
    ViderChampsSpeedTrainer();
    EXPECT_EQ(Textes(f), (QStringList{"", "", "", "", ""}));
    f.show();
    EXPECT_EQ(Textes(f), (QStringList{"5", "12", "90", "90", "0"}));
}

TEST_F(SpeedTrainer, OkChecksTheEntriesInOrderAndStaysOpenOnTheFirstFailure)
{
    struct Cas {
        const char* deb;
        const char* fin;
        const char* tdeb;
        const char* tfin;
        const char* var;
        const char* fautif; // nullptr: accepted
    };
    const Cas cas[] = {
        {"", "12", "120", "120", "0", "MesDeb"},
        {"0", "12", "120", "120", "0", "MesDeb"},
        {"13", "12", "120", "120", "0", "MesDeb"},
        {"1", "", "120", "120", "0", "MesFin"},
        {"1", "13", "120", "120", "0", "MesFin"},
        {"8", "3", "120", "120", "0", "MesFin"},
        {"1", "12", "0", "120", "0", "TempoDeb"},
        {"1", "12", "120", "", "0", "TempoFin"},
        {"1", "12", "120", "120", "", "Variation"},
        {"1", "12", "120", "120", "0", nullptr},
        {"12", "12", "1", "999", "999", nullptr},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::string(c.deb) + " " + c.fin + " " + c.tdeb + " " + c.tfin + " " + c.var);
        TSpeedT_Form f;
        f.open();
        Valeurs(f, c.deb, c.fin, c.tdeb, c.tfin, c.var);
        fenetreDlg.SaisiesIncorrectes = 0;
        fenetreLecture.SaisiesIncorrectes = 0;
        f.BT_OK->click();
        if (c.fautif) {
            EXPECT_TRUE(f.isVisible());
            EXPECT_EQ(fenetreLecture.SaisiesIncorrectes, 1);
            const auto* e = f.findChild<QLineEdit*>(QString::fromLatin1(c.fautif));
            ASSERT_NE(e, nullptr);
            EXPECT_EQ(e->selectedText(), e->text());
            EXPECT_TRUE(f.FermetureAutorisee); // set back by the close query
        } else {
            EXPECT_FALSE(f.isVisible());
            EXPECT_EQ(f.result(), QDialog::Accepted);
            EXPECT_EQ(fenetreLecture.SaisiesIncorrectes, 0);
        }
    }
}

TEST_F(SpeedTrainer, SpinButtonsKeysAndHeldButtonsStayInTheirRanges)
{
    TSpeedT_Form f;
    f.show();
    // Clicks step by one inside the range: measures 1..NbMesures, tempos 1..999, change 0..999.
    f.MesFinUp->click();
    EXPECT_EQ(f.MesFin->text(), "12");
    f.MesDebDown->click();
    EXPECT_EQ(f.MesDeb->text(), "4");
    f.VariationDown->click();
    EXPECT_EQ(f.Variation->text(), "0");
    // Keys in the edit act as the buttons; only digits are typed.
    Touche(f.TempoDeb, Qt::Key_Up);
    EXPECT_EQ(f.TempoDeb->text(), "121");
    Touche(f.TempoDeb, Qt::Key_Minus, "-", Qt::KeypadModifier);
    Touche(f.TempoDeb, Qt::Key_Minus, "-", Qt::KeypadModifier);
    EXPECT_EQ(f.TempoDeb->text(), "119");
    Saisir(f.TempoFin, "1a2");
    EXPECT_EQ(f.TempoFin->text(), "12");
    // An empty edit is not stepped.
    f.TempoFin->clear();
    f.TempoFinUp->click();
    EXPECT_EQ(f.TempoFin->text(), "");

    // Held at 990: the repeat stops at 999, the click on release adds nothing more.
    f.TempoDeb->setText(QStringLiteral("990"));
    Presser(f.TempoDebUp);
    for (int i = 0; i < 20; ++i)
        f.Repetition(3).Tick();
    EXPECT_EQ(f.TempoDeb->text(), "999");
    Relacher(f.TempoDebUp);
    EXPECT_FALSE(f.Repetition(3).Actif());
    EXPECT_EQ(f.TempoDeb->text(), "999");

    // Acceleration: 300 ms, then 100 ms, 50 ms after the tenth tick, the step tripled at the
    // thirtieth.
    f.Variation->setText(QStringLiteral("0"));
    Presser(f.VariationUp);
    EXPECT_EQ(f.Repetition(5).Intervalle(), 300);
    f.Repetition(5).Tick();
    EXPECT_EQ(f.Repetition(5).Intervalle(), 300);
    f.Repetition(5).Tick();
    EXPECT_EQ(f.Repetition(5).Intervalle(), 100);
    for (int i = 3; i <= 29; ++i)
        f.Repetition(5).Tick();
    EXPECT_EQ(f.Repetition(5).Intervalle(), 50);
    EXPECT_EQ(f.Variation->text(), "29");
    f.Repetition(5).Tick();
    EXPECT_EQ(f.Variation->text(), "32");
    Relacher(f.VariationUp);
    EXPECT_EQ(f.Variation->text(), "33");
}

TEST_F(SpeedTrainer, ASongOfAThousandMeasuresShowsItsLastMeasureWhole)
{
    AvoirMesures(1000);
    TSpeedT_Form f;
    f.show();
    EXPECT_EQ(f.MesFin->text(), "1000");
    f.MesDeb->setText(QStringLiteral("999"));
    f.MesDebUp->click();
    EXPECT_EQ(f.MesDeb->text(), "1000");
    f.BT_OK->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
}

TEST_F(SpeedTrainer, CaptionsAndAcceleratorsAtEveryShowing)
{
    TSpeedT_Form f;
    f.show();
    EXPECT_EQ(f.BT_OK->text(), "OK"); // no language: the design captions
    f.hide();
    ChargerAnglais();
    f.show();
    EXPECT_EQ(f.windowTitle(), "Speed trainer");
    EXPECT_EQ(f.BT_OK->text(), "&OK");
    EXPECT_EQ(f.BT_Annuler->text(), "&Cancel");
    EXPECT_EQ(f.BT_Aide->text(), "&Help");
    EXPECT_EQ(f.Lab_Mesure->text(), "&Bars :");
    EXPECT_EQ(f.Lab_Tempo->text(), "&Tempo :");
    EXPECT_EQ(f.Lab_a->text(), "to");
    EXPECT_EQ(f.Lab_a2->text(), "to");
    EXPECT_EQ(f.Lab_Variation->text(), "Ch&ange per pass :");
    f.BT_Aide->click();
    EXPECT_TRUE(fenetreLecture.A("AfficherAideDialogue(14)"));
}

TEST_F(SpeedTrainer, CommandHandsRangeAndTemposToPlaybackAndPassesSlowDownToTheEndTempo)
{
    TSpeedT_Form f;
    fenetreLecture.Dyna = true;
    PendantModal([&] {
        Valeurs(f, "3", "4", "140", "100", "5");
        f.BT_OK->click();
    });
    Ac_Ass_SpeedTrainerExecute(f);

    EXPECT_EQ(EtatLecture.TempoDebut, 140);
    EXPECT_EQ(EtatLecture.TempoFin, 100);
    EXPECT_EQ(EtatLecture.PasTempo, -5);
    EXPECT_EQ(EtatLecture.Mode, ModeLectureSpeedTrainer);
    EXPECT_EQ(MesureDebutSpeedTrainer, 3);
    EXPECT_EQ(MesureFinSpeedTrainer, 4);
    EXPECT_EQ(NbOrdreLecture, 2);
    EXPECT_TRUE(DynaOuvert); // the visible palette was closed and remembered
    EXPECT_FALSE(fenetreLecture.Actives["Ac_Son_LectureDebut"]);
    EXPECT_FALSE(fenetreLecture.Actives["Ac_Son_EnBoucle"]);
    EXPECT_TRUE(fenetreLecture.Actives["Ac_Son_Stop"]);

    std::vector<int> tempos{EtatLecture.TempoCourant};
    for (int passe = 0; passe < 10; ++passe) {
        lecteurMedia.Terminer();
        lecteurMedia.LivrerNotifications();
        tempos.push_back(EtatLecture.TempoCourant);
    }
    EXPECT_EQ(tempos, (std::vector<int>{140, 135, 130, 125, 120, 115, 110, 105, 100, 100, 100}));
    EXPECT_EQ(lecteurMedia.NbLectures, 11);
}

TEST_F(SpeedTrainer, CommandPlaysAtTheStartTempoWithoutChangeAndRisesTowardsAHigherEnd)
{
    struct Cas {
        const char* tdeb;
        const char* tfin;
        const char* var;
        int pas;
        int troisiemePasse;
    };
    for (const Cas& c : {Cas{"100", "120", "0", 0, 100}, Cas{"100", "120", "15", 15, 120}}) {
        TSpeedT_Form f;
        PendantModal([&] {
            Valeurs(f, "1", "2", c.tdeb, c.tfin, c.var);
            f.BT_OK->click();
        });
        Ac_Ass_SpeedTrainerExecute(f);
        EXPECT_EQ(EtatLecture.PasTempo, c.pas);
        for (int passe = 0; passe < 2; ++passe) {
            lecteurMedia.Terminer();
            lecteurMedia.LivrerNotifications();
        }
        EXPECT_EQ(EtatLecture.TempoCourant, c.troisiemePasse);
        Ac_Son_StopExecute();
        lecteurMedia.LivrerNotifications();
    }
}

TEST_F(SpeedTrainer, CommandDoesNothingWithoutSequencerOrOnCancelAndStopsAPlayingSongFirst)
{
    TSpeedT_Form f;
    int montre = 0;
    QObject::connect(&f, &QDialog::finished, [&] { ++montre; });

    MidiDisponible = false;
    Ac_Ass_SpeedTrainerExecute(f);
    EXPECT_EQ(montre, 0);
    EXPECT_TRUE(lecteurMedia.Journal.empty());

    MidiDisponible = true;
    fenetreLecture.Actives["Ac_Son_LectureDebut"] = false; // a song is playing
    PendantModal([&] { f.BT_Annuler->click(); });
    Ac_Ass_SpeedTrainerExecute(f);
    EXPECT_EQ(montre, 1);
    EXPECT_TRUE(ArretDemande);
    EXPECT_EQ(lecteurMedia.NbLectures, 0);

    // Registered in the command list, F7 runs it.
    EnregistrerCommandeSpeedTrainer(&f);
    fenetreLecture.Actives["Ac_Son_LectureDebut"] = true;
    PendantModal([&] { f.reject(); });
    EXPECT_TRUE(Commandes().Executer(Cmd::Ac_Ass_SpeedTrainer));
    EXPECT_EQ(montre, 2);
    EXPECT_EQ(lecteurMedia.NbLectures, 0);
    Commandes().Enregistrer(Cmd::Ac_Ass_SpeedTrainer, {}); // the window goes with this test
}
