// Playback control with a scripted media player and a window that records what it is asked:
// the play commands, the timer that follows the play order, the end-of-play notification and
// its cases, the speed trainer's passes; the availability test, play while entering and the
// audition files.
#include "ChantierMidi.h"

#include "document/Fenetre.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "midi/Lecture.h"
#include "platform/LecteurMediaFactice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace midi_test {
namespace {

// The main window as playback sees it: the command states live in maps, the calls go to a
// journal, and letting pending messages run delivers the player's posted notifications.
class FenetreLecture : public IFenetrePrincipale {
public:
    platform::LecteurMediaFactice* lecteur = nullptr;
    std::map<std::string, bool> actives;
    std::map<std::string, bool> cochees;
    std::vector<std::string> journal;
    std::string legende;
    bool timer = false;
    // Palettes visible now.
    bool solfege = false, percussion = false, dyna = false;
    int saut = 0;
    // Song properties dialog auditioning, and whether a listen button is down.
    bool auditionProprietes = false, boutonProprietes = false;

    bool CommandeActive(const char* nom) override
    {
        const auto it = actives.find(nom);
        return it == actives.end() || it->second;
    }
    void ActiverCommande(const char* nom, bool actif) override { actives[nom] = actif; }
    bool CommandeCochee(const char* nom) override { return cochees[nom]; }
    void CocherCommande(const char* nom, bool coche) override { cochees[nom] = coche; }
    void TraiterMessagesEnAttente() override
    {
        if (lecteur)
            lecteur->LivrerNotifications();
    }
    void AfficherLegendeFenetre(const char* l) override { legende = l; }
    void ActiverTimerMidi(bool actif) override { timer = actif; }
    void FermerPalettes(bool& s, bool& p, bool& d) override
    {
        s = solfege;
        p = percussion;
        d = dyna;
        solfege = percussion = dyna = false;
    }
    void RouvrirPalettes(bool s, bool p, bool d) override
    {
        journal.push_back("RouvrirPalettes");
        solfege = s;
        percussion = p;
        dyna = d;
    }
    void EntrerAffichageLecture(bool retenir) override
    {
        journal.push_back(retenir ? "EntrerAffichageLecture retenir" : "EntrerAffichageLecture");
    }
    void QuitterAffichageLecture() override { journal.push_back("QuitterAffichageLecture"); }
    void PlacerCadreMesure() override { journal.push_back("PlacerCadreMesure " + std::to_string(Partition.MesureCourante)); }
    void RedessinerZoneSaisie() override { journal.push_back("RedessinerZoneSaisie"); }
    bool AuditionProprietesEnCours() override { return auditionProprietes; }
    bool RelancerAuditionProprietes() override
    {
        journal.push_back("RelancerAuditionProprietes");
        auditionProprietes = boutonProprietes;
        return boutonProprietes;
    }
    void ReactiverProprietesPartition() override { journal.push_back("ReactiverProprietesPartition"); }
    int SautParcours() override { return saut; }
    void ParcoursMorceauSuivant() override { journal.push_back("ParcoursMorceauSuivant"); }

    int Compter(const std::string& appel) const { return static_cast<int>(std::count(journal.begin(), journal.end(), appel)); }
};

class Lecture : public MidiTest {
protected:
    void SetUp() override
    {
        MidiTest::SetUp();
        dossier_ = DossierTemporaire();
        windows_.emplace("LYRX_WINDOWS_DIR", dossier_.string());

        fenetre_.lecteur = &lecteur_;
        fenetre_.actives["Ac_Son_Stop"] = false;
        InstallerFenetrePrincipale(&fenetre_);
        InstallerMediaPlayer(&lecteur_);
        InstallerAfficheurMessages([this](const MessageAffiche& m) {
            messages_.push_back(m);
            return ResultatOK;
        });
        MidiDisponible = true;
        LectureTemps = ArretDemande = ArretDemandeClic = SpeedTrainerActif = DialogueAccordOuvert = false;
        SolfegeOuvert = PercussionOuvert = DynaOuvert = false;
        MesureDepartLecture = -1;
        IndexLecture = 1;
        Partition.Tempo = 120;
        Configuration.FirstBarMetronome = false;
    }
    void TearDown() override
    {
        InstallerMediaPlayer(nullptr);
        InstallerFenetrePrincipale(nullptr);
        InstallerAfficheurMessages({});
        windows_.reset();
        MidiTest::TearDown();
    }

    // n measures of 4/4, four quarter notes each on track 1: 2000 ms a measure at 120.
    static void Chanson(int n)
    {
        Mesures(n);
        for (int m = 1; m <= n; ++m)
            for (int b = 0; b < 4; ++b)
                Temps(1, m, 480, {{1, 3}});
    }
    bool EnLecture() { return !fenetre_.CommandeActive("Ac_Son_LectureDebut"); }
    // The timer at this play position.
    void Tic(int64_t ms)
    {
        lecteur_.DefinirPosition(ms);
        TimerMidiTimer();
    }
    // The play ends; the event loop runs.
    void FinDuFichier()
    {
        lecteur_.Terminer();
        lecteur_.LivrerNotifications();
    }
    bool FichierEcrit() const { return std::filesystem::exists(dossier_ / "lyrx.tmp"); }

    platform::LecteurMediaFactice lecteur_;
    FenetreLecture fenetre_;
    std::vector<MessageAffiche> messages_;
    std::filesystem::path dossier_;
    std::optional<lyrx_test::VariableEnvironnement> windows_;
};

TEST_F(Lecture, PlayFromTheStartFollowsThePlayOrderAndGivesTheWindowBackAtTheEnd)
{
    Chanson(3);
    Partition.MesureCourante = 2;
    fenetre_.solfege = fenetre_.dyna = true;
    lecteur_.DefinirLongueur(6000);
    Ac_Son_LectureDebutExecute();

    EXPECT_TRUE(FichierEcrit());
    EXPECT_EQ(lecteur_.Journal.back(), "Play");
    EXPECT_EQ(lecteur_.FileName(), (dossier_ / "lyrx.tmp").string());
    EXPECT_TRUE(lecteur_.Notify());
    EXPECT_TRUE(EnLecture());
    EXPECT_TRUE(fenetre_.actives["Ac_Son_Stop"]);
    EXPECT_FALSE(fenetre_.actives["Ac_Son_Metronome"]);
    EXPECT_FALSE(fenetre_.actives["Ac_Son_LecturePosEC"]);
    EXPECT_FALSE(fenetre_.actives["BT_AnnulerMesure"]);
    EXPECT_TRUE(fenetre_.timer);
    EXPECT_FALSE(fenetre_.solfege || fenetre_.dyna);
    EXPECT_TRUE(SolfegeOuvert && DynaOuvert && !PercussionOuvert);
    EXPECT_EQ(fenetre_.Compter("EntrerAffichageLecture retenir"), 1);
    EXPECT_EQ(EtatLecture.Mode, ModeLectureDebut);
    EXPECT_EQ(Partition.MesureCourante, 1);
    EXPECT_EQ(MesureDepartLecture, -1);
    EXPECT_EQ(LongueurLecture, "00:06");
    ASSERT_EQ(NbOrdreLecture, 3);

    // One measure when its time has come, never two in one tick.
    Tic(1000);
    EXPECT_EQ(Partition.MesureCourante, 1);
    EXPECT_EQ(fenetre_.legende, TitreLecture + " - 00:01 / 00:06");
    Tic(5000);
    EXPECT_EQ(Partition.MesureCourante, 2);
    Tic(5000);
    EXPECT_EQ(Partition.MesureCourante, 3);
    EXPECT_EQ(IndexLecture, 3);
    EXPECT_EQ(Curseur.Temps, 1);
    EXPECT_EQ(fenetre_.Compter("PlacerCadreMesure 3"), 1);

    // The notification is posted: nothing ends before the event loop runs.
    lecteur_.Terminer();
    EXPECT_TRUE(EnLecture());
    lecteur_.LivrerNotifications();
    EXPECT_FALSE(EnLecture());
    EXPECT_FALSE(fenetre_.actives["Ac_Son_Stop"]);
    EXPECT_TRUE(fenetre_.actives["Ac_Son_Metronome"]);
    EXPECT_FALSE(fenetre_.timer);
    EXPECT_FALSE(lecteur_.Notify());
    EXPECT_TRUE(lecteur_.DeviceOpen()); // closed and opened again
    EXPECT_EQ(EtatLecture.Mode, ModeLectureAucun);
    EXPECT_EQ(fenetre_.Compter("QuitterAffichageLecture"), 1);
    EXPECT_EQ(fenetre_.Compter("RedessinerZoneSaisie"), 1);
    EXPECT_EQ(fenetre_.Compter("ReactiverProprietesPartition"), 1);
    EXPECT_TRUE(fenetre_.solfege && fenetre_.dyna);
    EXPECT_EQ(Partition.MesureCourante, 3);
    EXPECT_EQ(fenetre_.legende, LegendeFenetre());
}

TEST_F(Lecture, TheTimerNeverReadsPastTheEndOfThePlayOrder)
{
    Chanson(2);
    lecteur_.DefinirLongueur(4000);
    Ac_Son_LectureDebutExecute();
    ASSERT_EQ(NbOrdreLecture, 2);
    // The file's end comes a little after the last entry's time; the timer ticks meanwhile.
    for (int k = 0; k < 5; ++k)
        Tic(4000 + 100 * k);
    EXPECT_EQ(IndexLecture, 2);
    EXPECT_EQ(Partition.MesureCourante, 2);
    EXPECT_EQ(fenetre_.Compter("PlacerCadreMesure 2"), 1);
}

TEST_F(Lecture, CountInAndTempoChangesMoveTheMeasuresAtTheirTimes)
{
    Chanson(3);
    // From the first beat of measure 2 the song is at 60: that measure lasts 4 s.
    auto table = std::make_shared<cTableMixEvent>();
    table->Tempo = 60;
    Partition.Mesures[2]->Temps[1][1].TableMix = table;
    Configuration.Metronome = true;
    Configuration.FirstBarMetronome = true;
    lecteur_.DefinirLongueur(10000);
    Ac_Son_LectureDebutExecute();

    const std::vector<std::pair<int64_t, int32_t>> attendu = {
        {3900, 1}, {4000, 2}, {7900, 2}, {8000, 3}};
    for (auto [ms, mesure] : attendu) {
        Tic(ms);
        EXPECT_EQ(Partition.MesureCourante, mesure) << "at " << ms << " ms";
    }
}

TEST_F(Lecture, PlayingTheCurrentMeasureNeverMovesIt)
{
    Chanson(3);
    Partition.MesureCourante = 2;
    lecteur_.DefinirLongueur(2000);
    Ac_Son_LectureMesureECExecute();
    ASSERT_EQ(NbOrdreLecture, 1);
    EXPECT_EQ(EtatLecture.Mode, ModeLectureMesure);
    for (int64_t ms : {0, 1999, 2000, 9000})
        Tic(ms);
    EXPECT_EQ(Partition.MesureCourante, 2);
    EXPECT_EQ(IndexLecture, 1);
}

TEST_F(Lecture, ALoopFromTheCurrentMeasureStartsEachPassThereUntilStopped)
{
    Chanson(4);
    Partition.MesureCourante = 3;
    Configuration.Metronome = true;
    Configuration.FirstBarMetronome = true;
    fenetre_.cochees["Ac_Son_EnBoucle"] = true;
    lecteur_.DefinirLongueur(6000);
    Ac_Son_LecturePosECExecute();
    EXPECT_EQ(MesureDepartLecture, 3);
    Tic(4000);
    EXPECT_EQ(Partition.MesureCourante, 4);

    FinDuFichier();
    EXPECT_TRUE(EnLecture());
    EXPECT_EQ(lecteur_.NbLectures, 2);
    EXPECT_EQ(Partition.MesureCourante, 3);
    EXPECT_EQ(IndexLecture, 1);
    EXPECT_DOUBLE_EQ(EtatLecture.ProchaineMesure, 2.0 / 30); // the count-in again
    EXPECT_EQ(fenetre_.Compter("QuitterAffichageLecture"), 0);
    Tic(4000);
    EXPECT_EQ(Partition.MesureCourante, 4);

    Ac_Son_StopExecute();
    EXPECT_TRUE(EnLecture()); // the notification ends it
    lecteur_.LivrerNotifications();
    EXPECT_FALSE(EnLecture());
    EXPECT_EQ(lecteur_.NbLectures, 2);
    EXPECT_EQ(fenetre_.Compter("QuitterAffichageLecture"), 1);
}

TEST_F(Lecture, APassThatCannotStartAgainEndsThePlaybackInsteadOfHangingOrLooping)
{
    Chanson(3);
    fenetre_.cochees["Ac_Son_EnBoucle"] = true;
    Ac_Son_LectureDebutExecute();
    // Something rebuilt the play order meanwhile and left it empty: no endless restarts.
    NbOrdreLecture = 0;
    FinDuFichier();
    EXPECT_FALSE(EnLecture());
    EXPECT_EQ(lecteur_.NbLectures, 1);

    // The next speed-trainer pass cannot be written: the playback ends (Stop would find no
    // notification to end it).
    EtatLecture.TempoDebut = EtatLecture.TempoFin = EtatLecture.TempoCourant = 100;
    MesureDebutSpeedTrainer = 1;
    MesureFinSpeedTrainer = 3;
    ConstruireOrdreLecture(1, 3, true);
    LancerPasseSpeedTrainer();
    ASSERT_TRUE(EnLecture());
    windows_.emplace("LYRX_WINDOWS_DIR", "/proc/lyrx-inaccessible");
    FinDuFichier();
    EXPECT_EQ(messages_.size(), 1u);
    EXPECT_FALSE(EnLecture());
    EXPECT_FALSE(fenetre_.timer);
    EXPECT_EQ(EtatLecture.Mode, ModeLectureAucun);
}

TEST_F(Lecture, NoLoopWhileTheBrowserPlaysItMovesOnToTheNextSong)
{
    Chanson(12);
    ParcoursEnCours = true;
    fenetre_.saut = 3; // five measures, then the next song
    fenetre_.cochees["Ac_Son_EnBoucle"] = true;
    Ac_Son_LectureDebutExecute();
    EXPECT_EQ(NbOrdreLecture, 5);
    FinDuFichier();
    EXPECT_FALSE(EnLecture());
    EXPECT_EQ(lecteur_.NbLectures, 1);
    EXPECT_EQ(fenetre_.Compter("ParcoursMorceauSuivant"), 1);

    // Stopped by the user: the browser stays on its song.
    Ac_Son_LectureDebutExecute();
    Ac_Son_StopExecute();
    lecteur_.LivrerNotifications();
    EXPECT_EQ(fenetre_.Compter("ParcoursMorceauSuivant"), 1);
}

TEST_F(Lecture, SpeedTrainerPassesStepTheTempoToItsEndAndStopEndsThem)
{
    struct Cas {
        int32_t debut, fin, pas;
        std::vector<int32_t> passes;
    };
    const std::vector<Cas> cas = {
        {60, 80, 15, {60, 75, 80, 80}},
        {100, 80, -5, {100, 95, 90, 85, 80, 80}},
        {90, 120, 0, {90, 90, 90}},
    };
    Chanson(4);
    for (const Cas& c : cas) {
        EtatLecture.TempoDebut = c.debut;
        EtatLecture.TempoFin = c.fin;
        EtatLecture.PasTempo = c.pas;
        EtatLecture.TempoCourant = c.debut;
        MesureDebutSpeedTrainer = 2;
        MesureFinSpeedTrainer = 3;
        ConstruireOrdreLecture(2, 3, true);
        LancerPasseSpeedTrainer();
        EXPECT_FALSE(fenetre_.actives["Ac_Son_EnBoucle"]);
        std::vector<int32_t> passes = {EtatLecture.TempoCourant};
        EXPECT_EQ(Partition.MesureCourante, 2);
        for (std::size_t k = 1; k < c.passes.size(); ++k) {
            FinDuFichier();
            ASSERT_TRUE(EnLecture());
            passes.push_back(EtatLecture.TempoCourant);
            EXPECT_EQ(EtatLecture.Mode, ModeLectureSpeedTrainer);
            EXPECT_EQ(Partition.MesureCourante, 2);
        }
        EXPECT_EQ(passes, c.passes);
        // The pass tempo is the one written: 60000000 / bpm microseconds a quarter.
        const FichierLu f = LireSmf(lecteur_.Contenu());
        const auto& tempo = f.pistes[0][0].donnees;
        EXPECT_EQ(tempo[1] << 16 | tempo[2] << 8 | tempo[3], 60000000 / c.passes.back());

        Ac_Son_StopExecute();
        lecteur_.LivrerNotifications();
        EXPECT_FALSE(EnLecture());
        EXPECT_EQ(EtatLecture.Mode, ModeLectureAucun);
        EXPECT_TRUE(fenetre_.actives["Ac_Son_EnBoucle"]) << "the loop command stays lost after a training";
    }
    EXPECT_TRUE(SpeedTrainerActif);
}

TEST_F(Lecture, SpeedTrainerTimerKeepsToTheRangeAtThePassTempo)
{
    Chanson(5);
    EtatLecture.TempoDebut = EtatLecture.TempoCourant = 60; // 4 s a measure
    EtatLecture.TempoFin = 60;
    MesureDebutSpeedTrainer = 2;
    MesureFinSpeedTrainer = 3;
    ConstruireOrdreLecture(2, 3, true);
    Configuration.AlwaysUseMetronomeSpeedTrainer = false;
    LancerPasseSpeedTrainer();
    EXPECT_DOUBLE_EQ(EtatLecture.ProchaineMesure, 4.0 / 60);
    Tic(3900); // the timer moves on 60 ms early (0.001 minute)
    EXPECT_EQ(Partition.MesureCourante, 2);
    Tic(4000);
    EXPECT_EQ(Partition.MesureCourante, 3);
    Tic(20000);
    EXPECT_EQ(Partition.MesureCourante, 3);
}

TEST_F(Lecture, AScoreClickRestartsAtTheClickedMeasureWithoutEndingThePlayback)
{
    Chanson(4);
    fenetre_.percussion = true;
    Ac_Son_LectureDebutExecute();
    ASSERT_TRUE(PercussionOuvert);

    // What the score view's click does during playback.
    ArretDemandeClic = true;
    ArretDemande = false;
    MediaPlayer1().Stop();
    Partition.MesureCourante = 3;
    Ac_Son_LecturePosECExecute();
    ArretDemandeClic = false;

    EXPECT_TRUE(EnLecture());
    EXPECT_EQ(EtatLecture.Mode, ModeLectureDepuisMesure);
    EXPECT_EQ(MesureDepartLecture, 3);
    EXPECT_EQ(Partition.MesureCourante, 3);
    EXPECT_EQ(lecteur_.NbLectures, 2);
    EXPECT_EQ(fenetre_.Compter("QuitterAffichageLecture"), 0);
    EXPECT_EQ(fenetre_.Compter("RouvrirPalettes"), 0);
    EXPECT_EQ(fenetre_.Compter("EntrerAffichageLecture"), 1); // the layout choice is kept
    EXPECT_TRUE(fenetre_.timer);
    // The palettes closed by the first play are still to come back.
    EXPECT_TRUE(PercussionOuvert);
}

TEST_F(Lecture, NotificationsWhileIdleOrForPreviewsOnlyClearTheirFlags)
{
    Chanson(1);
    lecteur_.SetFileName((dossier_ / "x.mid").string());
    std::ofstream(dossier_ / "x.mid") << "MThd";
    lecteur_.Open();
    lecteur_.SetNotify(true);
    lecteur_.Play();
    LectureTemps = true;
    FinDuFichier();
    EXPECT_FALSE(LectureTemps);
    EXPECT_FALSE(lecteur_.Notify());
    EXPECT_EQ(fenetre_.Compter("QuitterAffichageLecture"), 0);
    EXPECT_EQ(fenetre_.legende, LegendeFenetre());

    // The chord dialog only switches the notification off.
    lecteur_.SetNotify(true);
    lecteur_.Play();
    DialogueAccordOuvert = true;
    FinDuFichier();
    EXPECT_FALSE(lecteur_.Notify());
    DialogueAccordOuvert = false;

    // The song properties dialog's audition plays again while its button is down.
    fenetre_.auditionProprietes = fenetre_.boutonProprietes = true;
    lecteur_.SetNotify(true);
    lecteur_.Play();
    FinDuFichier();
    EXPECT_EQ(fenetre_.Compter("RelancerAuditionProprietes"), 1);
    EXPECT_TRUE(lecteur_.Notify());
    fenetre_.boutonProprietes = false;
    lecteur_.Play();
    FinDuFichier();
    EXPECT_FALSE(lecteur_.Notify());
    EXPECT_FALSE(fenetre_.auditionProprietes);
    EXPECT_EQ(fenetre_.Compter("QuitterAffichageLecture"), 0);
}

TEST_F(Lecture, NothingPlaysWithoutSequencerOrWithAnEmptyPlayOrder)
{
    Chanson(4);
    MidiDisponible = false;
    Ac_Son_LectureDebutExecute();
    Ac_Son_LecturePosECExecute();
    EXPECT_FALSE(FichierEcrit());
    EXPECT_TRUE(lecteur_.Journal.empty());
    EXPECT_FALSE(EnLecture());

    // |: 1 | 2 (ending 1) :| 3 (ending 1) | 4: measure 3 is skipped on every pass.
    MidiDisponible = true;
    Partition.Mesures[1]->RenvoiDebut = true;
    Partition.Mesures[2]->Repetition = true;
    Partition.Mesures[2]->NumRepetition = 1;
    Partition.Mesures[2]->RenvoiFin = true;
    Partition.Mesures[3]->Repetition = true;
    Partition.Mesures[3]->NumRepetition = 1;
    Partition.MesureCourante = 3;
    ConstruireOrdreLecture(3, Partition.NbMesures, true);
    ASSERT_EQ(NbOrdreLecture, 0);
    Ac_Son_LecturePosECExecute();
    EXPECT_FALSE(FichierEcrit());
    EXPECT_TRUE(lecteur_.Journal.empty());
    EXPECT_FALSE(EnLecture());
    EXPECT_EQ(EtatLecture.Mode, ModeLectureAucun);
}

TEST_F(Lecture, ASequencerErrorIsShownAndTheWindowGoesBackToIdle)
{
    Chanson(2);
    fenetre_.dyna = true;
    lecteur_.DefinirEchecLecture(true);
    Ac_Son_LectureDebutExecute();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].Legende, Traduire("Fichier-ErreurMIDI"));
    EXPECT_EQ(messages_[0].Texte, lecteur_.ErrorMessage());
    EXPECT_EQ(messages_[0].Icone, IconeErreur);
    EXPECT_FALSE(EnLecture());
    EXPECT_FALSE(fenetre_.timer);
    EXPECT_EQ(fenetre_.Compter("QuitterAffichageLecture"), 1);
    EXPECT_EQ(fenetre_.Compter("RouvrirPalettes"), 0);
    EXPECT_EQ(EtatLecture.Mode, ModeLectureDebut);
}

TEST_F(Lecture, TogglesInvertTheirCommandsAndTheOption)
{
    Ac_Son_EnBoucleExecute();
    EXPECT_TRUE(fenetre_.cochees["Ac_Son_EnBoucle"] && fenetre_.cochees["Bt_Son_EnBoucle"]);
    Ac_Son_EnBoucleExecute();
    EXPECT_FALSE(fenetre_.cochees["Ac_Son_EnBoucle"] || fenetre_.cochees["Bt_Son_EnBoucle"]);
    Ac_Son_MetronomeExecute();
    EXPECT_TRUE(Configuration.Metronome);
    EXPECT_TRUE(fenetre_.cochees["Ac_Son_Metronome"] && fenetre_.cochees["Bt_Son_Metronome"]);
    Ac_Son_JouerSaisieExecute();
    EXPECT_TRUE(fenetre_.cochees["Ac_Son_JouerSaisie"]);
}

TEST(DureeLecture, MinutesAndRoundedSeconds)
{
    EXPECT_EQ(TexteDureeLecture(0), "00:00");
    EXPECT_EQ(TexteDureeLecture(1500), "00:02");  // 1.5 rounds to even
    EXPECT_EQ(TexteDureeLecture(2500), "00:02");
    EXPECT_EQ(TexteDureeLecture(59600), "01:00");
    EXPECT_EQ(TexteDureeLecture(754000), "12:34");
    EXPECT_EQ(TexteDureeLecture(6000000), "100:00");
    EXPECT_EQ(MesuresParcours(0, 40), 40);
    EXPECT_EQ(MesuresParcours(3, 40), 5);
    EXPECT_EQ(MesuresParcours(6, 40), 40);
    EXPECT_EQ(MesuresParcours(5, 12), 12);
}

// ---- Availability test, play while entering, auditions ----------------------------------------

TEST_F(Lecture, TheAvailabilityTestPlaysTheSilentFile)
{
    const std::vector<uint8_t> attendu = DepuisHex(R"(
        4D546864 00000006 0001 0002 01E0
        4D54726B 00000019 00FF510309 27C0 00FF5804 04021808 00FF5902 0000 00FF2F00
        4D54726B 00000027 00FF2101 00 00FF2001 0A 00FF030E 4C7972616E64617869732032 2E32
        00B9077F 00C918 00FF2F00)");
    EXPECT_EQ(FichierTestSequenceur(), attendu);
    EXPECT_EQ(attendu.size(), 94u);

    EXPECT_TRUE(VerifierSequenceurMidi());
    EXPECT_EQ(lecteur_.Contenu(), attendu);
    EXPECT_EQ(lecteur_.NbLectures, 1);
    EXPECT_TRUE(lecteur_.Enabled());
    // Its notification finds no playback.
    FinDuFichier();
    EXPECT_FALSE(EnLecture());
    EXPECT_FALSE(lecteur_.Notify());

    lecteur_.DefinirDisponible(false);
    EXPECT_FALSE(VerifierSequenceurMidi());
    EXPECT_FALSE(lecteur_.Enabled());
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Lecture, PlayWhileEnteringPlaysTheCursorBeatAsAPreview)
{
    Chanson(1);
    Silence(1, 1, 480);
    Curseur.Temps = 5;
    JouerTempsSaisi();
    EXPECT_TRUE(LectureTemps);
    EXPECT_EQ(lecteur_.NbLectures, 1);
    const FichierLu f = LireSmf(lecteur_.Contenu());
    ASSERT_EQ(f.pistes.size(), 2u);
    EXPECT_TRUE(NotesOn(f.pistes[1]).empty()); // a rest sounds nothing

    // The next beat closes the preview still sounding; its notification is handled before
    // the file is written again, and the new preview is marked again.
    Curseur.Temps = 1;
    JouerTempsSaisi();
    EXPECT_TRUE(LectureTemps);
    EXPECT_EQ(lecteur_.NbLectures, 2);
    EXPECT_EQ(NotesOn(LireSmf(lecteur_.Contenu()).pistes[1]).size(), 1u);
    FinDuFichier();
    EXPECT_FALSE(LectureTemps);
    EXPECT_FALSE(EnLecture());

    MidiDisponible = false;
    JouerTempsSaisi();
    EXPECT_EQ(lecteur_.NbLectures, 2);
}

// Properties of one track for the auditions.
void Accorder(int piste, std::initializer_list<int32_t> cordes, int32_t capo = 0)
{
    ProprietesTempo.NbCordes[piste] = static_cast<int32_t>(cordes.size());
    int s = 1;
    for (int32_t note : cordes)
        ProprietesTempo.Accordage[piste][s++] = note;
    ProprietesTempo.Capo[piste] = capo;
    ProprietesTempo.Instrument[piste] = 25;
    ProprietesTempo.Volume[piste] = 100;
    ProprietesTempo.Panoramique[piste] = 64;
    ProprietesTempo.Chorus[piste] = 10;
    ProprietesTempo.Reverb[piste] = 20;
}

// The audition track's body (from its leading delta) split at the end of its set-up events.
struct PisteAudition {
    std::vector<uint8_t> miseEnPlace, notes;
};
PisteAudition Decouper(const std::vector<uint8_t>& fichier, std::size_t longueurMiseEnPlace)
{
    const std::vector<uint8_t> corps = LireSmf(fichier).corps.at(1);
    const auto milieu = corps.begin() + static_cast<std::ptrdiff_t>(std::min(longueurMiseEnPlace, corps.size()));
    return {std::vector<uint8_t>(corps.begin(), milieu), std::vector<uint8_t>(milieu, corps.end())};
}

TEST_F(Lecture, AuditionOfTheSongPropertiesDialog)
{
    Accorder(2, {64, 59, 55, 50, 45, 40});
    TEcouteCordes e;
    e.Piste = 2;
    e.Capo = "2";
    e.Corde = 1;
    e.DouzeCordes = true;
    const std::vector<uint8_t> f = GenererEcouteAccordage(e);
    const std::vector<uint8_t> entete = FichierTestSequenceur();
    EXPECT_TRUE(std::equal(entete.begin(), entete.begin() + 47, f.begin()));
    // Set-up: port, channel prefix, RPN on both channels of track 2, name, then the track's
    // sound on channel 0.
    const std::vector<uint8_t> miseEnPlace =
        DepuisHex("00 FF2101 00 00 FF2001 00 00 B2 64 00 00 B2 65 00 00 B3 64 00 00 B3 65 00"
                  "00 FF030E 4C7972616E64617869732032 2E32"
                  "00 B0 07 64 00 B0 5D 0A 00 B0 5B 14 00 B0 0A 40 00 C0 19");
    auto notes = [&](const TEcouteCordes& ecoute) {
        const PisteAudition p = Decouper(GenererEcouteAccordage(ecoute), miseEnPlace.size());
        EXPECT_EQ(Hex(p.miseEnPlace), Hex(miseEnPlace));
        return Hex(p.notes);
    };
    // Row 1 with capo 2: 66 for 504 ticks, no double on row 1.
    EXPECT_EQ(notes(e), Hex(DepuisHex("00 90 42 7F 83 78 80 42 50 00 FF 2F 00")));
    // Row 6: 42 and its octave 54.
    e.Corde = 6;
    EXPECT_EQ(notes(e), Hex(DepuisHex("00 90 2A 7F 00 90 36 64 83 78 80 2A 50 00 80 36 50 00 FF 2F 00")));
    // An empty capo field is no capo.
    e.Capo = "";
    e.DouzeCordes = false;
    EXPECT_EQ(notes(e), Hex(DepuisHex("00 90 28 7F 83 78 80 28 50 00 FF 2F 00")));

    // All six strings: a strum from the lowest, note offs together at tick 884.
    e.Corde = 0;
    const FichierLu tout = LireSmf(GenererEcouteAccordage(e));
    const std::vector<NoteJouee> ons = NotesOn(tout.pistes[1]);
    const std::vector<NoteJouee> attendu = {{0, 40, 127, 0},   {100, 45, 127, 0}, {195, 50, 127, 0},
                                            {285, 55, 127, 0}, {370, 59, 127, 0}, {450, 64, 127, 0}};
    EXPECT_EQ(ons, attendu);
    for (const NoteJouee& n : NotesOff(tout.pistes[1]))
        EXPECT_EQ(n.tick, 884);
    EXPECT_EQ(NotesOff(tout.pistes[1]).size(), 6u);

    ASSERT_TRUE(EcrireMidiEcouteAccordage((dossier_ / "e.mid").string(), e));
    std::ifstream lu2(dossier_ / "e.mid", std::ios::binary);
    EXPECT_EQ(std::vector<uint8_t>((std::istreambuf_iterator<char>(lu2)), std::istreambuf_iterator<char>()),
              GenererEcouteAccordage(e));
    EXPECT_FALSE(EcrireMidiEcouteAccordage((dossier_ / "absent" / "e.mid").string(), e));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].Texte, Traduire("MidiExp-EcritureFichierImpossibleEnregAb"));
}

TEST_F(Lecture, AuditionOfTheImportDialogForABass)
{
    Accorder(3, {43, 38, 33, 28});
    TEcouteCordes e;
    e.Piste = 3;
    e.Corde = 0;
    e.Capo = "5";           // the import dialog has no capo
    e.DouzeCordes = true;   // nor the double
    e.Ecouter1Actif = e.Ecouter2Actif = false;
    const std::vector<uint8_t> f = GenererEcouteImport(e);
    const std::vector<uint8_t> miseEnPlace = DepuisHex("00 FF2101 00 00 FF2001 00 00 B0 64 00 00 B0 65 00"
                                                       "00 FF030E 4C7972616E64617869732032 2E32"
                                                       "00 B0 07 7F 00 B0 5D 00 00 B0 5B 00 00 B0 0A 40 00 C0 19");
    EXPECT_EQ(Hex(Decouper(f, miseEnPlace.size()).miseEnPlace), Hex(miseEnPlace));
    const FichierLu lu = LireSmf(f);
    const std::vector<NoteJouee> attendu = {{0, 28, 127, 0}, {100, 33, 127, 0}, {195, 38, 127, 0}, {285, 43, 127, 0}};
    EXPECT_EQ(NotesOn(lu.pistes[1]), attendu);
    const std::vector<NoteJouee> offs = NotesOff(lu.pistes[1]);
    ASSERT_EQ(offs.size(), 4u);
    EXPECT_EQ(offs[0].tick, 719);
    EXPECT_EQ(offs[3].tick, 719);
}

} // namespace
} // namespace midi_test
