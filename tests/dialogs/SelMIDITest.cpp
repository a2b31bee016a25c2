// The MIDI import dialog: activation over the importer's sources, the per-track choices and
// their tabs, strings and tunings with their presets and spins, the percussion tab, what OK
// writes and Cancel leaves, the listen buttons with the media player's end of play, the
// hidden fingering weights, the captions, and a whole import driven through the dialog.
#include "FixtureLectureDialogues.h"

#include "dialogs/Accordages.h"
#include "dialogs/BaseDialogue.h"
#include "dialogs/SelMIDI.h"
#include "dialogs/Services.h"
#include "dialogs/SpeedT.h"
#include "midi/Doigte.h"
#include "midi/FabriqueMidi.h"
#include "midi/ImportMidi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>

#include <fstream>

namespace {

class ImportDialogue : public FixtureLectureDialogues {
protected:
    void SetUp() override
    {
        FixtureLectureDialogues::SetUp();
        ListePisteImport = {"Guitar", "Bass", "Drums"};
        ProgrammesPistesMidi = {0, 29, 33, 0};
        InitModelesAccordage();
        PoidsDoigte = TPoidsDoigte{};
    }
    void TearDown() override
    {
        ReinitialiserServicesSaisie();
        ListePisteImport.clear();
        ProgrammesPistesMidi.assign(1, 0);
        PoidsDoigte = TPoidsDoigte{};
        FixtureLectureDialogues::TearDown();
    }

    // The dialog as the program has it: presets listed, audition forwarded by the window.
    void Preparer(TSelMIDIForm& f)
    {
        f.RemplirListeModeles();
        fenetreLecture.AuditionImport = [&f] { return f.AuditionEnCours(); };
        fenetreLecture.RelanceImport = [&f] { return f.RelancerAudition(); };
    }

    static QStringList Notes(const TSelMIDIForm& f)
    {
        QStringList notes;
        for (int r = 1; r <= 6; ++r)
            notes << (f.NoteCorde[r]->isVisibleTo(f.LabAccordage) ? f.NoteCorde[r]->text() : QStringLiteral("-"));
        return notes;
    }
    static std::vector<int32_t> Accordage(int t)
    {
        std::vector<int32_t> a;
        for (int s = 1; s <= ProprietesTempo.NbCordes[t]; ++s)
            a.push_back(ProprietesTempo.Accordage[t][s]);
        return a;
    }
    static void Onglet(TSelMIDIForm& f, int piste) { f.TabPiste->setCurrentIndex(piste - 1); }
    static void FinDeLecture(platform::LecteurMediaFactice& l)
    {
        l.Terminer();
        l.LivrerNotifications();
    }
};

} // namespace

TEST_F(ImportDialogue, ActivationListsTheSourcesResetsTheChoicesAndLoadsTheNewSong)
{
    ProprietesTempo.PisteSource[3] = 2;
    ProprietesTempo.OctaveInferieure[3] = true;
    ProprietesTempo.Quantification[3] = 16;
    Partition.NomPiste[2] = "Lead";
    TSelMIDIForm f;
    Preparer(f);
    f.ImportValide = true;
    f.show();

    EXPECT_EQ(f.ListePiste->count(), 3);
    EXPECT_EQ(f.ListePiste->item(1)->text(), "Bass");
    EXPECT_EQ(f.LigneSelectionnee(), -1);
    EXPECT_FALSE(f.ImportValide);
    for (int t = 1; t <= 8; ++t) {
        EXPECT_EQ(ProprietesTempo.PisteSource[t], 0);
        EXPECT_FALSE(ProprietesTempo.OctaveInferieure[t]);
        EXPECT_EQ(ProprietesTempo.Quantification[t], 4);
    }
    EXPECT_FALSE(f.BT_OK->isEnabled());
    EXPECT_FALSE(f.DeselectionnerPiste->isEnabled());
    ASSERT_EQ(f.TabPiste->count(), 8);
    EXPECT_EQ(f.TabPiste->currentIndex(), 0);
    EXPECT_EQ(f.TabPiste->tabText(0), "1 - ");
    EXPECT_EQ(f.TabPiste->tabText(1), "2 - Lead");
    EXPECT_EQ(f.TabPiste->tabText(7), "8 - " + VersQString(Partition.NomPiste[8].str()));
    EXPECT_EQ(f.PisteOnglet, 1);
    EXPECT_EQ(f.Instrument->text(), "24 - Acoustic Guitar (nylon)");
    EXPECT_EQ(Notes(f), (QStringList{"E5", "B4", "G4", "D4", "A3", "E3"}));
    EXPECT_EQ(f.ModeleList->currentIndex(), 0);
    EXPECT_EQ(f.NbCordes->text(), "6");
    EXPECT_EQ(f.NbFrets->text(), "24");
    EXPECT_TRUE(f.CQuantize4->isChecked());
    EXPECT_FALSE(f.Transposer->isChecked());
    EXPECT_EQ(f.CordeEcoutee, -1);
    EXPECT_FALSE(f.Cache->isVisible());
}

TEST_F(ImportDialogue, ASourceGivesItsNameAndProgramAndDeselectingEmptiesTheNameOnly)
{
    TSelMIDIForm f;
    Preparer(f);
    f.show();
    f.ListePiste->setCurrentRow(1);
    EXPECT_EQ(f.NomPiste->text(), "Bass");
    EXPECT_EQ(ProprietesTempo.NomPiste[1], "Bass");
    EXPECT_EQ(ProprietesTempo.Instrument[1], 33);
    EXPECT_EQ(f.Instrument->text(), "33 - Electric Bass (finger)");
    EXPECT_EQ(f.TabPiste->tabText(0), "1 - Bass");
    EXPECT_TRUE(f.DeselectionnerPiste->isEnabled());
    EXPECT_TRUE(f.BT_OK->isEnabled());

    f.DeselectionnerPiste->click();
    EXPECT_EQ(f.LigneSelectionnee(), -1);
    EXPECT_EQ(f.NomPiste->text(), "");
    EXPECT_EQ(ProprietesTempo.NomPiste[1], "");
    EXPECT_EQ(ProprietesTempo.Instrument[1], 33);
    EXPECT_FALSE(f.DeselectionnerPiste->isEnabled());
    EXPECT_FALSE(f.BT_OK->isEnabled());

    // The tab captions follow every keystroke.
    Taper(f.NomPiste, "Ab");
    EXPECT_EQ(f.TabPiste->tabText(0), "1 - Ab");
    Touche(f.NomPiste, Qt::Key_Backspace);
    EXPECT_EQ(f.TabPiste->tabText(0), "1 - A");
}

TEST_F(ImportDialogue, EachTabKeepsItsOwnSourceOctaveAndGrid)
{
    TSelMIDIForm f;
    Preparer(f);
    f.show();
    f.ListePiste->setCurrentRow(0);
    f.Transposer->setChecked(true);
    f.CQuantize16->setChecked(true);
    Onglet(f, 3);
    EXPECT_EQ(f.PisteOnglet, 3);
    EXPECT_EQ(f.LigneSelectionnee(), -1);
    EXPECT_FALSE(f.Transposer->isChecked());
    EXPECT_TRUE(f.CQuantize4->isChecked());
    EXPECT_TRUE(f.BT_OK->isEnabled()); // track 1 has its source
    f.ListePiste->setCurrentRow(2);
    // The picture beside a grid checks it.
    QMouseEvent clic(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(f.Image5, &clic);
    EXPECT_TRUE(f.CQuantize2->isChecked());
    Onglet(f, 1);
    EXPECT_EQ(f.LigneSelectionnee(), 0);
    EXPECT_EQ(f.NomPiste->text(), "Guitar");
    EXPECT_TRUE(f.Transposer->isChecked());
    EXPECT_TRUE(f.CQuantize16->isChecked());

    f.BT_OK->click();
    EXPECT_TRUE(f.ImportValide);
    EXPECT_EQ(ProprietesTempo.PisteSource[1], 1);
    EXPECT_EQ(ProprietesTempo.PisteSource[3], 3);
    EXPECT_EQ(ProprietesTempo.PisteSource[2], 0);
    EXPECT_TRUE(ProprietesTempo.OctaveInferieure[1]);
    EXPECT_EQ(ProprietesTempo.Quantification[1], 16);
    EXPECT_EQ(ProprietesTempo.Quantification[3], 2);
    EXPECT_EQ(ProprietesTempo.Quantification[2], 4);
}

TEST_F(ImportDialogue, AFourStringTabShowsRowsThreeToSixAndEveryRowSpinMovesItsOwnString)
{
    TSelMIDIForm f;
    Preparer(f);
    f.show();
    f.BT_NbCordesDown->click();
    f.BT_NbCordesDown->click();
    f.BT_NbCordesDown->click(); // 4 is the least
    EXPECT_EQ(ProprietesTempo.NbCordes[1], 4);
    EXPECT_EQ(Accordage(1), (std::vector<int32_t>{43, 38, 33, 28}));
    EXPECT_EQ(Notes(f), (QStringList{"-", "-", "G3", "D3", "A2", "E2"}));
    EXPECT_EQ(f.ModeleList->currentIndex(), 20);
    EXPECT_FALSE(f.BT_CUp[1]->isEnabled());
    EXPECT_FALSE(f.Ecouter[2]->isEnabled());
    EXPECT_TRUE(f.Ecouter[3]->isEnabled());

    // Row 3 holds string 1, by click, key and held button alike.
    f.BT_CUp[3]->click();
    EXPECT_EQ(ProprietesTempo.Accordage[1][1], 44);
    Touche(f.NoteCorde[3], Qt::Key_Plus, "+", Qt::KeypadModifier);
    EXPECT_EQ(ProprietesTempo.Accordage[1][1], 45);
    Presser(f.BT_CUp[3]);
    for (int i = 0; i < 3; ++i)
        f.Timer1Timer();
    EXPECT_EQ(ProprietesTempo.Accordage[1][1], 48);
    Relacher(f.BT_CUp[3]);
    EXPECT_EQ(ProprietesTempo.Accordage[1][1], 49);
    EXPECT_EQ(f.NoteCorde[3]->text(), "C#4");
    EXPECT_EQ(Accordage(1), (std::vector<int32_t>{49, 38, 33, 28}));

    // The tuning repeat doubles its step at the thirtieth tick and stays within 0..119.
    Presser(f.BT_CDown[6]);
    EXPECT_EQ(f.Timer1->interval(), 300);
    for (int i = 1; i <= 29; ++i)
        f.Timer1Timer();
    EXPECT_EQ(f.Timer1->interval(), 150);
    EXPECT_EQ(ProprietesTempo.Accordage[1][4], 0);
    f.Timer1Timer();
    EXPECT_EQ(ProprietesTempo.Accordage[1][4], 0);
    Relacher(f.BT_CDown[6]);
    ProprietesTempo.Accordage[1][4] = 60;
    Presser(f.BT_CUp[6]);
    for (int i = 1; i <= 30; ++i)
        f.Timer1Timer();
    EXPECT_EQ(ProprietesTempo.Accordage[1][4], 60 + 29 + 2);
    Relacher(f.BT_CUp[6]);

    // All sounding strings at once.
    f.ToutDown->click();
    EXPECT_EQ(Accordage(1), (std::vector<int32_t>{48, 37, 32, 91}));
}

TEST_F(ImportDialogue, ANewStringCountBringsItsDefaultTuningAndAClickThatChangesNothingKeepsTheTuning)
{
    TSelMIDIForm f;
    Preparer(f);
    f.show();
    emit f.ModeleList->activated(7); // DADGAD
    EXPECT_EQ(Accordage(1), (std::vector<int32_t>{62, 57, 55, 50, 45, 38}));
    EXPECT_EQ(f.ModeleList->currentIndex(), 7);
    // Already six strings: the up button cannot add one and leaves the tuning.
    f.BT_NbCordesUp->click();
    Touche(f.NbCordes, Qt::Key_Up);
    EXPECT_EQ(Accordage(1), (std::vector<int32_t>{62, 57, 55, 50, 45, 38}));
    // Five strings replace the whole tuning; the edit takes no typing.
    Taper(f.NbCordes, "4");
    EXPECT_EQ(f.NbCordes->text(), "6");
    Touche(f.NbCordes, Qt::Key_Down);
    EXPECT_EQ(Accordage(1), (std::vector<int32_t>{43, 38, 33, 28, 23}));
    EXPECT_EQ(Notes(f), (QStringList{"-", "G3", "D3", "A2", "E2", "B1"}));
    EXPECT_EQ(f.ModeleList->currentIndex(), 23);
    EXPECT_TRUE(f.BT_CUp[2]->isEnabled());
    EXPECT_FALSE(f.BT_CUp[1]->isEnabled());

    // A tuning that matches no preset empties the selection; one that does selects it.
    emit f.ModeleList->activated(0);
    EXPECT_EQ(ProprietesTempo.NbCordes[1], 6);
    f.BT_CDown[6]->click();
    EXPECT_EQ(f.ModeleList->currentIndex(), -1);
    f.BT_CDown[6]->click();
    EXPECT_EQ(f.ModeleList->currentIndex(), 1); // Dropped D
}

TEST_F(ImportDialogue, ThePercussionTabShowsItsNoticeAndOnlyNameSourceInstrumentAndGrid)
{
    TSelMIDIForm f;
    Preparer(f);
    f.show();
    Onglet(f, 8);
    EXPECT_TRUE(f.Cache->isVisible());
    EXPECT_EQ(f.Lab_Cache1->text(), QString::fromUtf8("Piste r\xC3\xA9serv\xC3\xA9" "e aux percussions"));
    for (QWidget* w : std::initializer_list<QWidget*>{f.BT_Instrument, f.Lab_Biblio, f.ModeleList, f.LabNbCordes,
                                                      f.NbCordes, f.LabAccordage, f.EcouterTout, f.PanelHB,
                                                      f.Lab_NbFrets, f.NbFrets, f.Transposer})
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    for (QWidget* w : std::initializer_list<QWidget*>{f.NomPiste, f.ListePiste, f.Instrument, f.InstrumentUp,
                                                      f.CQuantize4})
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(f.Instrument->text(), "0 - Drum Kit 0");
    f.InstrumentUp->click();
    EXPECT_EQ(f.Instrument->text(), "1 - Drum Kit 1");

    Onglet(f, 2);
    EXPECT_FALSE(f.Cache->isVisible());
    EXPECT_TRUE(f.LabAccordage->isVisible());
    EXPECT_TRUE(f.Transposer->isVisible());
    EXPECT_EQ(f.Instrument->text(), "24 - Acoustic Guitar (nylon)");
}

TEST_F(ImportDialogue, InstrumentAndFretSpinsStayInTheirRanges)
{
    TSelMIDIForm f;
    Preparer(f);
    f.show();
    ProprietesTempo.Instrument[1] = 125;
    Presser(f.InstrumentUp);
    for (int i = 0; i < 5; ++i)
        f.RepetitionInstrument().Tick();
    EXPECT_EQ(ProprietesTempo.Instrument[1], 127);
    Relacher(f.InstrumentUp);
    EXPECT_EQ(ProprietesTempo.Instrument[1], 127);
    EXPECT_EQ(f.Instrument->text(), "127 - Gunshot");
    ProprietesTempo.Instrument[1] = 0;
    f.InstrumentDown->click();
    EXPECT_EQ(ProprietesTempo.Instrument[1], 0);

    f.BT_FretUp->click();
    EXPECT_EQ(f.NbFrets->text(), "24");
    Presser(f.BT_FretDown);
    for (int i = 0; i < 40; ++i)
        f.RepetitionFrets().Tick();
    EXPECT_EQ(f.NbFrets->text(), "3");
    Relacher(f.BT_FretDown);
    EXPECT_EQ(f.NbFrets->text(), "3");
    Touche(f.NbFrets, Qt::Key_Up);
    EXPECT_EQ(f.NbFrets->text(), "4");
    Onglet(f, 2);
    Onglet(f, 1);
    EXPECT_EQ(ProprietesTempo.NbFrets[1], 4);
    EXPECT_EQ(f.NbFrets->text(), "4");
}

TEST_F(ImportDialogue, OkWritesEveryTrackIntoTheSongAndHandsTheChoicesToTheImporter)
{
    TSpeedT_Form speed;
    speed.show();
    speed.hide();
    ServicesSaisie services{};
    services.SpeedT_Form = &speed;
    InstallerServicesSaisie(services);
    PisteCourante = 3;

    TSelMIDIForm f;
    Preparer(f);
    PendantModal([&] {
        f.ListePiste->setCurrentRow(0);
        f.NomPiste->setText(QStringLiteral("A name of fifty characters, longer than the song's"));
        f.BT_NbCordesDown->click(); // 5 strings
        f.BT_FretDown->click();
        Onglet(f, 2);
        f.NomPiste->setText(QStringLiteral("Rhythm"));
        emit f.ModeleList->activated(20); // bass, 4 strings, no source
        f.BT_OK->click();
    });
    EXPECT_TRUE(f.Executer());

    EXPECT_EQ(Partition.NomPiste[1].str(), std::string("A name of fifty characters, longer than the song's").substr(0, 40));
    EXPECT_EQ(ProprietesTempo.NomPiste[1], "A name of fifty characters, longer than the song's");
    EXPECT_EQ(Partition.Instrument[1], 29);
    EXPECT_EQ(Partition.NbCordes[1], 5);
    EXPECT_EQ(Partition.Accordage[1][5], 23);
    EXPECT_EQ(Partition.NbFrettes[1], 23);
    EXPECT_EQ(Partition.NomPiste[2], "Rhythm");
    EXPECT_EQ(Partition.NbCordes[2], 4);
    EXPECT_EQ(Partition.Accordage[2][1], 43);
    EXPECT_EQ(Partition.Accordage[2][4], 28);
    EXPECT_EQ(Partition.NbFrettes[8], 99);
    EXPECT_EQ(ProprietesTempo.PisteSource[1], 1);
    EXPECT_EQ(ProprietesTempo.PisteSource[2], 0);
    EXPECT_EQ(PisteCourante, 1);
    EXPECT_TRUE(fenetreLecture.A("MontrerPalettePercussion(0)"));
    EXPECT_TRUE(fenetreLecture.A("ActiverCommande(Ac_Ass_Percussion,0)"));
    EXPECT_TRUE(fenetreLecture.A("ActualiserMenuPistes"));
    EXPECT_EQ(speed.MesDeb->text(), "");
    EXPECT_EQ(speed.TempoDeb->text(), "");
}

TEST_F(ImportDialogue, CancellingLeavesTheSongAsTheImporterMadeIt)
{
    Partition.NomPiste[1] = "Before";
    TSelMIDIForm f;
    Preparer(f);
    PendantModal([&] {
        f.ListePiste->setCurrentRow(1);
        f.BT_NbCordesDown->click();
        f.BT_Annuler->click();
    });
    EXPECT_FALSE(f.Executer());
    EXPECT_EQ(Partition.NomPiste[1], "Before");
    EXPECT_EQ(Partition.Instrument[1], 24);
    EXPECT_EQ(Partition.NbCordes[1], 6);
    // Escape cancels as well.
    PendantModal([&] {
        f.ListePiste->setCurrentRow(0);
        Touche(&f, Qt::Key_Escape);
    });
    EXPECT_FALSE(f.Executer());
    EXPECT_EQ(Partition.NomPiste[1], "Before");
}

TEST_F(ImportDialogue, ListenButtonsPlayTheTabsStringsAgainUntilReleased)
{
    TSelMIDIForm f;
    Preparer(f);
    f.show();
    ProprietesTempo.Instrument[1] = 27;

    f.Ecouter[6]->click();
    EXPECT_EQ(f.CordeEcoutee, 6);
    EXPECT_EQ(lecteurMedia.NbLectures, 1);
    TEcouteCordes une;
    une.Piste = 1;
    une.Corde = 6;
    EXPECT_EQ(lecteurMedia.Contenu(), GenererEcouteImport(une));

    // Each end of play starts the audition again while a button is down.
    FinDeLecture(lecteurMedia);
    EXPECT_EQ(lecteurMedia.NbLectures, 2);

    // All strings: the row is released; the running audition takes the new choice at its end.
    f.EcouterTout->click();
    EXPECT_FALSE(f.Ecouter[6]->isChecked());
    EXPECT_EQ(f.CordeEcoutee, 0);
    EXPECT_EQ(lecteurMedia.NbLectures, 2);
    FinDeLecture(lecteurMedia);
    EXPECT_EQ(lecteurMedia.NbLectures, 3);
    TEcouteCordes toutes;
    toutes.Piste = 1;
    toutes.Corde = 0;
    EXPECT_EQ(lecteurMedia.Contenu(), GenererEcouteImport(toutes));

    // Released: the audition ends after its pass.
    f.EcouterTout->click();
    FinDeLecture(lecteurMedia);
    EXPECT_EQ(lecteurMedia.NbLectures, 3);
    EXPECT_EQ(f.CordeEcoutee, -1);
    EXPECT_FALSE(lecteurMedia.Notify());

    // Closing the window releases a button still down.
    f.Ecouter[3]->click();
    EXPECT_TRUE(f.Ecouter[3]->isChecked());
    f.reject();
    EXPECT_FALSE(f.BoutonEcouteEnfonce());
    FinDeLecture(lecteurMedia);
    EXPECT_EQ(f.CordeEcoutee, -1);
}

TEST_F(ImportDialogue, ListeningNeedsTheSequencerAndAnAuditionThatCannotPlayEnds)
{
    TSelMIDIForm f;
    Preparer(f);
    f.show();
    MidiDisponible = false;
    f.Ecouter[4]->click();
    EXPECT_TRUE(f.Ecouter[4]->isChecked());
    EXPECT_EQ(f.CordeEcoutee, -1);
    EXPECT_EQ(lecteurMedia.NbLectures, 0);
    f.Ecouter[4]->click();

    MidiDisponible = true;
    lecteurMedia.DefinirEchecLecture(true);
    f.Ecouter[5]->click();
    EXPECT_FALSE(f.BoutonEcouteEnfonce());
    EXPECT_EQ(f.CordeEcoutee, -1);
    const int ouvertures = static_cast<int>(lecteurMedia.Journal.size());
    lecteurMedia.LivrerNotifications();
    EXPECT_EQ(static_cast<int>(lecteurMedia.Journal.size()), ouvertures); // nothing started again
}

TEST_F(ImportDialogue, TheFingeringWeightsLieOutOfViewAndFeedTheOptimiser)
{
    TSelMIDIForm f;
    f.show();
    const char* const textes[] = {"", "0.5", "7", "3", "0", "0.35", "0.7", "4", "1000"};
    for (int i = 1; i <= 8; ++i) {
        QLineEdit* e = f.findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(i));
        ASSERT_EQ(e, f.Edit[i]);
        EXPECT_EQ(e->text(), textes[i]);
        EXPECT_FALSE(e->isEnabled());
        EXPECT_GE(e->geometry().top(), f.height());
    }
    EXPECT_EQ(f.height(), Pixels96(TSelMIDIForm::HauteurClient));
    EXPECT_DOUBLE_EQ(PoidsDoigte.PoidsHautManche, 0.35);
    EXPECT_DOUBLE_EQ(PoidsDoigte.PoidsDepassementFrette, 1000.0);
    f.Edit[2]->setText(QStringLiteral("9,5"));
    f.LirePoidsDoigte();
    EXPECT_DOUBLE_EQ(PoidsDoigte.PoidsAc1, 9.5);
    EXPECT_DOUBLE_EQ(PoidsDoigte.PoidsAccord, 0.5);
}

TEST_F(ImportDialogue, CaptionsFromTheThreeSectionsWithOneSetOfAccelerators)
{
    ChargerAnglais();
    TSelMIDIForm f;
    EXPECT_EQ(f.windowTitle(), "MIDI import");
    EXPECT_EQ(f.BT_OK->text(), "&OK");
    EXPECT_EQ(f.BT_Annuler->text(), "&Cancel");
    EXPECT_EQ(f.BT_Aide->text(), "&Help");
    EXPECT_EQ(f.DeselectionnerPiste->text(), "&Deselect");
    EXPECT_EQ(f.Lab_NomPiste->text(), "&Track name");
    EXPECT_EQ(f.Lab_Instrument->text(), "&Instrument");
    EXPECT_EQ(f.Lab_Biblio->text(), "T&uning library");
    EXPECT_EQ(f.LabNbCordes->text(), "&Strings");
    EXPECT_EQ(f.Lab_NbFrets->text(), "&Frets");
    EXPECT_EQ(f.LabAccordage->title(), " Tu&ning ");
    EXPECT_EQ(f.Transposer->text(), "On&e octave lower");
    EXPECT_EQ(f.Lab_Sel_piste->text(), "Sou&rce in the MIDI file");
    EXPECT_EQ(f.Lab_Quantization->text(), "Quantization");
    EXPECT_EQ(f.BT_Instrument->toolTip(), "Instrument list...");
    EXPECT_EQ(f.Lab_Cache1->text(), "Track reserved for drums");
    EXPECT_EQ(f.Lab_Cache2->text(), "Drum notes 27 to 87 are written");
    EXPECT_EQ(f.Lab_Cache3->text(), "on the tablature lines.");
    // The language switch applies them again without doubling the accelerators.
    f.AppliquerTextes();
    EXPECT_EQ(f.Lab_Biblio->text(), "T&uning library");
    f.BT_Aide->click();
    EXPECT_TRUE(fenetreLecture.A("AfficherAideDialogue(4)"));
}

TEST_F(ImportDialogue, AnImportRunsThroughTheDialogChoices)
{
    // Format 1: a tempo track, then one track named "Lead" (program 25) with two quarter notes.
    const std::vector<uint8_t> octets = {
        'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0,
        'M', 'T', 'r', 'k', 0, 0, 0, 0x13,
        0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,
        0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08,
        0x00, 0xFF, 0x2F, 0x00,
        'M', 'T', 'r', 'k', 0, 0, 0, 0x21,
        0x00, 0xFF, 0x03, 0x04, 'L', 'e', 'a', 'd',
        0x00, 0xC0, 0x19,
        0x00, 0x90, 0x40, 0x64, 0x83, 0x60, 0x80, 0x40, 0x40,
        0x00, 0x90, 0x43, 0x64, 0x83, 0x60, 0x80, 0x43, 0x40,
        0x00, 0xFF, 0x2F, 0x00,
    };
    const std::filesystem::path fichier = dossier / "deux-noires.mid";
    std::ofstream(fichier, std::ios::binary).write(reinterpret_cast<const char*>(octets.data()),
                                                   static_cast<std::streamsize>(octets.size()));

    TSelMIDIForm f;
    Preparer(f);
    fenetreLecture.DialogueImport = [&] {
        PendantModal([&] {
            EXPECT_EQ(f.ListePiste->count(), 1);
            f.ListePiste->setCurrentRow(0);
            f.BT_OK->click();
        });
        return f.Executer();
    };
    ASSERT_TRUE(ImporterFichierMidi(fichier.string()));
    EXPECT_EQ(Partition.NomPiste[1], "Lead");
    EXPECT_EQ(Partition.Instrument[1], 25);
    EXPECT_EQ(Partition.Tempo, 120);
    const TMesure& m = *Partition.Mesures[1];
    ASSERT_GE(m.NbTemps[1], 2);
    // The pitches of a beat, from its frets and the tuning the dialog wrote.
    const auto hauteurs = [&](int b) {
        std::vector<int> h;
        for (int s = 1; s <= Partition.NbCordes[1]; ++s)
            if (m.Temps[1][b].Notes[s].Frette >= 0)
                h.push_back(Partition.Accordage[1][s] + m.Temps[1][b].Notes[s].Frette);
        return h;
    };
    EXPECT_EQ(hauteurs(1), std::vector<int>{64});
    EXPECT_EQ(hauteurs(2), std::vector<int>{67});
    EXPECT_EQ(m.Temps[1][1].Duree, 480);
    EXPECT_EQ(m.NbTemps[2], 0);
}

// Notes the strings of the chosen tracks cannot reach are told in the warning, with the tracks
// and what the dialog offers; its choices then bring them within reach.
TEST_F(ImportDialogue, NotesOutOfReachAreToldAndTheTuningOrTheOctaveOfTheirTabBringsThemBack)
{
    ChargerAnglais();
    using midi_test::PisteSmf;
    PisteSmf tempo;
    tempo.Signature(0, 4, 2).Fin();
    // A bass line down to the D below the guitar's low E, a lead up to the F# above its top fret.
    PisteSmf basse;
    basse.Nom(0, "Bass").On(0, 40).Off(1920, 40).On(0, 38).Off(960, 38).On(0, 39).Off(960, 39).Fin();
    PisteSmf lead;
    lead.Nom(0, "Lead").On(0, 76).Off(1920, 76).On(0, 90).Off(1920, 90).Fin();
    const std::filesystem::path fichier = midi_test::EcrireFichier(dossier / "hors-tessiture.mid", midi_test::Smf(1, 480, {tempo, basse, lead}));

    TSelMIDIForm f;
    Preparer(f);
    std::function<void()> reglages = [] {};
    fenetreLecture.DialogueImport = [&] {
        PendantModal([&] {
            f.ListePiste->setCurrentRow(0);
            Onglet(f, 2);
            f.ListePiste->setCurrentRow(1);
            reglages();
            f.BT_OK->click();
        });
        return f.Executer();
    };
    ASSERT_TRUE(ImporterFichierMidi(fichier.string()));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Legende, "Warning");
    EXPECT_EQ(messages[0].Texte,
              "3 note(s) from bar 2 on are out of reach of the strings (below the lowest open string or above the "
              "highest fret) and were left out.\n"
              "Tracks concerned: 1, 2. In the import dialog, a lower tuning brings low notes within reach, and 'One "
              "octave lower' high notes.");
    EXPECT_TRUE(Partition.Mesures[2]->Temps[1][1].Silence);
    EXPECT_TRUE(Partition.Mesures[2]->Temps[2][1].Silence);

    // Dropped D on the bass's tab, one octave lower on the lead's.
    messages.clear();
    reglages = [&] {
        Onglet(f, 1);
        emit f.ModeleList->activated(1);
        Onglet(f, 2);
        f.Transposer->setChecked(true);
    };
    ASSERT_TRUE(ImporterFichierMidi(fichier.string()));
    EXPECT_TRUE(messages.empty());
    const auto sons = [](int piste, int mesure) {
        std::vector<int> h;
        const TMesure& m = *Partition.Mesures[mesure];
        for (int b = 1; b <= m.NbTemps[piste]; ++b)
            for (int s = 1; s <= Partition.NbCordes[piste]; ++s)
                if (m.Temps[piste][b].Notes[s].Frette >= 0 && !m.Temps[piste][b].Silence)
                    h.push_back(Partition.Accordage[piste][s] + m.Temps[piste][b].Notes[s].Frette);
        return h;
    };
    EXPECT_EQ(sons(1, 2), (std::vector<int>{38, 39}));
    EXPECT_EQ(sons(2, 2), (std::vector<int>{78}));
}
