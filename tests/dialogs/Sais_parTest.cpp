// The song and track properties dialog, driven offscreen as a user would: what it shows, what
// OK writes and Cancel leaves alone, the checks that keep it open, its spins, presets, solo
// rules, the playback lock and the listen buttons.
#include "FixtureDialogues.h"

#include "dialogs/Accordages.h"
#include "dialogs/Sais_par.h"
#include "document/FichierPartition.h"
#include "document/Mess.h"
#include "document/Routines.h"
#include "midi/Lecture.h"
#include "platform/LecteurMediaFactice.h"
#include "support/DossierTemporaire.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

// The main window as far as this dialog meets it: the title label, and the end-of-play
// notification wired to the dialog's audition the way the program's window does it.
class FenetreProprietes : public FenetreDialogues {
public:
    TSais_Partition* Dialogue = nullptr;
    std::string TitreLabel;
    void AfficherTitreLabel(const char* texte) override { TitreLabel = texte; }
    bool AuditionProprietesEnCours() override { return Dialogue && Dialogue->CordeEcoutee >= 0; }
    bool RelancerAuditionProprietes() override
    {
        if (Dialogue->BoutonEcouteEnfonce()) {
            Dialogue->JouerCordesPiste();
            return true;
        }
        Dialogue->CordeEcoutee = -1;
        return false;
    }
    void ReactiverProprietesPartition() override
    {
        if (Dialogue && Dialogue->isVisible())
            Dialogue->ActiverControlesLecture(true);
    }
};

class Sais_parTest : public FixtureDialogues {
protected:
    FenetreProprietes fenetreProp;
    std::unique_ptr<TSais_Partition> d;

    void SetUp() override
    {
        FixtureDialogues::SetUp();
        InstallerFenetrePrincipale(&fenetreProp);
        InitModelesAccordage();
        AvoirMesures(8);
        PisteCourante = 1;
        MidiDisponible = false;
        d = std::make_unique<TSais_Partition>();
        d->RemplirListeModeles();
        fenetreProp.Dialogue = d.get();
    }

    void TearDown() override
    {
        d.reset();
        MidiDisponible = false;
        FixtureDialogues::TearDown();
    }

    void Ouvrir()
    {
        d->show();
        ASSERT_TRUE(d->isVisible());
    }

    void ChoisirOnglet(int piste) { d->TabPiste->setCurrentIndex(piste - 1); }

    QString TexteLigne(int k) const { return d->NoteCorde[k]->text(); }
};

TEST_F(Sais_parTest, ActivationShowsTheSongOnTheCurrentTrack)
{
    Partition.Titre = "Titre";
    Partition.Auteur = "Auteur";
    Partition.Commentaire = "Note";
    Partition.Tempo = 132;
    Partition.TripletFeel = 1;
    Partition.NomPiste[2] = "Basse & co";
    Partition.Instrument[2] = 33;
    Partition.NbCordes[2] = 4;
    Partition.Accordage[2] = {0, 43, 38, 33, 28, 0, 0};
    Partition.Volume[2] = 100;
    Partition.Panoramique[2] = 64;
    Partition.Chorus[2] = 127;
    Partition.Reverb[2] = 0;
    Partition.Capo[2] = 2;
    Partition.NbFrettes[2] = 21;
    PisteCourante = 2;
    Ouvrir();

    EXPECT_EQ(d->objectName(), QStringLiteral("TSais_Partition"));
    EXPECT_EQ(d->PisteOnglet, 2);
    EXPECT_EQ(d->TabPiste->currentIndex(), 1);
    EXPECT_EQ(d->TabPiste->tabText(0), QStringLiteral("1 - ") + QString::fromLatin1(Partition.NomPiste[1].str().c_str()));
    EXPECT_EQ(d->TabPiste->tabText(1), QStringLiteral("2 - Basse && co"));
    EXPECT_EQ(d->Titre->text(), QStringLiteral("Titre"));
    EXPECT_EQ(d->Auteur->text(), QStringLiteral("Auteur"));
    EXPECT_EQ(d->Note->text(), QStringLiteral("Note"));
    EXPECT_EQ(d->Tempo->text(), QStringLiteral("132"));
    EXPECT_TRUE(d->Triplet->isChecked());
    EXPECT_EQ(d->NomPiste->text(), QStringLiteral("Basse & co"));
    EXPECT_EQ(d->Instrument->text(), QString::fromStdString(NomInstrument(33)));
    EXPECT_EQ(d->NbCordes->text(), QStringLiteral("4"));
    EXPECT_EQ(d->ModeleList->currentIndex(), 20);
    for (int k = 3; k <= 6; ++k)
        EXPECT_TRUE(d->NoteCorde[k]->isVisible()) << k;
    EXPECT_FALSE(d->NoteCorde[1]->isVisible());
    EXPECT_FALSE(d->NoteCorde[2]->isVisible());
    EXPECT_FALSE(d->Ecouter[1]->isEnabled());
    EXPECT_EQ(TexteLigne(3), QStringLiteral("G3"));
    EXPECT_EQ(TexteLigne(6), QStringLiteral("E2"));
    EXPECT_EQ(d->Volume->value(), 16);
    EXPECT_EQ(d->Panoramique->value(), 10);
    EXPECT_EQ(d->Chorus->value(), 20);
    EXPECT_EQ(d->Reverb->value(), 0);
    EXPECT_EQ(d->Capo->text(), QStringLiteral("2"));
    EXPECT_EQ(d->NbFrets->text(), QStringLiteral("21"));
    EXPECT_FALSE(d->DouzeCordes->isEnabled());
    EXPECT_FALSE(d->Cache->isVisible());
    EXPECT_EQ(d->CordeEcoutee, -1);

    // Track 8: the drum kit and the panel over the string controls.
    ChoisirOnglet(8);
    EXPECT_EQ(d->PisteOnglet, 8);
    EXPECT_TRUE(d->Cache->isVisible());
    EXPECT_FALSE(d->BT_Instrument->isVisible());
    EXPECT_FALSE(d->LabAccordage->isVisible());
    EXPECT_FALSE(d->Capo->isVisible());
    EXPECT_TRUE(d->Volume->isVisible());
    EXPECT_EQ(d->Instrument->text(), QString::fromStdString(NomKitBatterie(Partition.Instrument[8])));
    d->reject();
}

TEST_F(Sais_parTest, OkWritesTheSongAndCancelWritesNothing)
{
    // Cancel: nothing reaches the song, and the next showing starts from the song again.
    Ouvrir();
    d->Titre->setText(QStringLiteral("Perdu"));
    d->BT_NbCordesDown->click();
    d->Volume->setValue(3);
    d->BT_Annuler->click();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_TRUE(Partition.Titre.empty());
    EXPECT_EQ(Partition.NbCordes[1], 6);
    EXPECT_FALSE(PartitionModifiee);
    Ouvrir();
    EXPECT_TRUE(d->Titre->text().isEmpty());
    EXPECT_EQ(d->NbCordes->text(), QStringLiteral("6"));

    // OK.
    d->Titre->setText(QString::fromUtf8("Été"));
    d->Auteur->setText(QStringLiteral("Moi"));
    Saisir(d->Tempo, QStringLiteral("90"));
    d->Triplet->setChecked(true);
    d->NomPiste->setText(QStringLiteral("Lead"));
    d->PasExporter->setChecked(true);
    d->BT_OK->click();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(Partition.Titre, "\xC9t\xE9");
    EXPECT_EQ(Partition.Tempo, 90);
    EXPECT_EQ(Partition.TripletFeel, 1);
    EXPECT_EQ(Partition.NomPiste[1], "Lead");
    EXPECT_TRUE(Partition.PasExporter[1]);
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_FALSE(PartitionVierge);
    EXPECT_EQ(fenetreProp.TitreLabel, "\xC9t\xE9 - Moi");
}

TEST_F(Sais_parTest, ARefusedOkKeepsTheDialogOpenAndTheSongAsItWas)
{
    for (const char* tempo : {"0", "", "000"}) {
        SCOPED_TRACE(tempo);
        fenetreProp.SaisiesIncorrectes = 0;
        Ouvrir();
        d->activateWindow();
        d->Titre->setText(QStringLiteral("Pas encore"));
        d->Tempo->setText(QString::fromLatin1(tempo));
        d->BT_OK->click();
        EXPECT_EQ(fenetreProp.SaisiesIncorrectes, 1);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(d->focusWidget(), d->Tempo);
        EXPECT_TRUE(Partition.Titre.empty());
        EXPECT_FALSE(PartitionModifiee);
        // The close OK asked for was the one refused: Cancel now closes.
        d->BT_Annuler->click();
        EXPECT_FALSE(d->isVisible());
        EXPECT_TRUE(Partition.Titre.empty());
    }
    // Typed keys and pasted text alike: the tempo field holds digits only.
    Ouvrir();
    Saisir(d->Tempo, QStringLiteral("1a2-"));
    EXPECT_EQ(d->Tempo->text(), QStringLiteral("12"));
    d->Tempo->clear();
    d->Tempo->insert(QStringLiteral("x9"));
    EXPECT_FALSE(d->Tempo->text().contains(QLatin1Char('x')));
    d->reject();
}

TEST_F(Sais_parTest, StringCountSpinTakesTheDefaultTuningAndOkMovesTheNotes)
{
    Remplir(3, 1, 2, 0, false, false, -1);
    Note(3, 1, 1, 3).Frette = 7;
    Note(3, 1, 2, 6).Frette = 1;
    Ouvrir();
    d->BT_NbCordesDown->click();
    d->BT_NbCordesDown->click();
    d->BT_NbCordesDown->click(); // 4 is the least
    EXPECT_EQ(d->NbCordes->text(), QStringLiteral("4"));
    EXPECT_EQ(ProprietesTempo.Accordage[1], (OneBased<int32_t, 6>{0, 43, 38, 33, 28, 23, 40}));
    EXPECT_EQ((QStringList{TexteLigne(3), TexteLigne(4), TexteLigne(5), TexteLigne(6)}),
              (QStringList{"G3", "D3", "A2", "E2"}));
    EXPECT_EQ(d->ModeleList->currentIndex(), 20);
    EXPECT_FALSE(d->BT_CUp[2]->isEnabled());
    EXPECT_EQ(Partition.NbCordes[1], 6); // nothing written before OK
    EXPECT_EQ(Note(3, 1, 1, 3).Frette, 7);

    d->BT_OK->click();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(Partition.NbCordes[1], 4);
    EXPECT_EQ(Note(3, 1, 1, 1).Frette, 7);
    EXPECT_EQ(Note(3, 1, 2, 4).Frette, 1);
    EXPECT_EQ(Partition.Accordage[1][1], 43);
}

// A bass line changed to a tuning that keeps its open strings sounds as it did: each note
// goes to the string of the same open pitch, after OK and once the song is saved and read back.
TEST_F(Sais_parTest, ChangingTheStringCountKeepsThePitchesOfTheLine)
{
    using Accordage = OneBased<int32_t, 6>;
    const Accordage basse{0, 43, 38, 33, 28, 23, 40}; // strings 5 and 6: what a 6-string song left
    const Accordage basse5{0, 43, 38, 33, 28, 23, 40};
    const Accordage basse6{0, 48, 43, 38, 33, 28, 23};
    const auto preset = [this](int i) {
        return [this, i] {
            d->ModeleList->setCurrentIndex(i);
            emit d->ModeleList->activated(i);
        };
    };
    struct Cas {
        const char* nom;
        int ancien;
        Accordage accordage;
        std::vector<int> cordesJouees; // the strings the line uses
        std::function<void()> changer;
        int nouveau;
        std::array<int32_t, 6> accordageNouveau; // strings 1..nouveau
    };
    const Cas cas[] = {
        {"EADG -> BEADG preset", 4, basse, {1, 2, 3, 4}, preset(23), 5, {43, 38, 33, 28, 23}},
        {"EADG -> BEADG spin", 4, basse, {1, 2, 3, 4}, [this] { d->BT_NbCordesUp->click(); }, 5, {43, 38, 33, 28, 23}},
        {"BEADG -> EADG preset", 5, basse5, {1, 2, 3, 4}, preset(20), 4, {43, 38, 33, 28}},
        {"BEADG -> EADG spin", 5, basse5, {1, 2, 3, 4}, [this] { d->BT_NbCordesDown->click(); }, 4, {43, 38, 33, 28}},
        {"EADG -> BEADGC", 4, basse, {1, 2, 3, 4}, preset(24), 6, {48, 43, 38, 33, 28, 23}},
        {"BEADGC -> EADG", 6, basse6, {2, 3, 4, 5}, preset(20), 4, {43, 38, 33, 28}},
        {"EADG -> EADGC",
         4,
         basse,
         {1, 2, 3, 4},
         [this] {
             d->BT_NbCordesUp->click();
             for (int k = 0; k < 5; ++k)
                 d->ToutUp->click(); // B1 E2 A2 D3 G3 up a fourth
         },
         5,
         {48, 43, 38, 33, 28}},
    };
    lyrx_test::DossierTemporaire dossier;
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        ReinitialiserPartition();
        AvoirMesures(3);
        PisteCourante = 1;
        Partition.NbCordes[1] = c.ancien;
        Partition.Accordage[1] = c.accordage;
        // Every string of the line in every measure, frets and a technique that differ.
        for (int m = 1; m <= 3; ++m) {
            Remplir(m, 1, 4, 0, false, false, -1);
            for (int b = 1; b <= 4; ++b) {
                const int s = c.cordesJouees[static_cast<std::size_t>((m + b) % 4)];
                Note(m, 1, b, s).Frette = static_cast<int8_t>(m + 2 * b);
                Note(m, 1, b, s).Effet = static_cast<uint8_t>(b == 2 ? 1 : 0);
            }
        }
        // Each note's measure, beat, sounding pitch and technique.
        const auto sons = [] {
            std::vector<std::array<int, 4>> v;
            for (int m = 1; m <= Partition.NbMesures; ++m)
                for (int b = 1; b <= Partition.Mesures[m]->NbTemps[1]; ++b)
                    for (int s = 1; s <= Partition.NbCordes[1]; ++s)
                        if (const TNoteCorde& n = Note(m, 1, b, s); n.Frette >= 0)
                            v.push_back({m, b, Partition.Accordage[1][s] + n.Frette, n.Effet});
            return v;
        };
        const auto avant = sons();
        ASSERT_EQ(avant.size(), 12u);

        EnregistreurMessages messages;
        Ouvrir();
        c.changer();
        d->BT_OK->click();
        EXPECT_FALSE(d->isVisible());
        EXPECT_TRUE(messages.Messages.empty());
        ASSERT_EQ(Partition.NbCordes[1], c.nouveau);
        for (int s = 1; s <= c.nouveau; ++s)
            EXPECT_EQ(Partition.Accordage[1][s], c.accordageNouveau[static_cast<std::size_t>(s - 1)]) << s;
        EXPECT_EQ(sons(), avant);

        CheminFichier = (dossier / "basse.lrx").string();
        NomFichier = "basse.lrx";
        ASSERT_TRUE(EcrireFichierPartition());
        ReinitialiserPartition();
        CheminFichier = (dossier / "basse.lrx").string();
        NomFichier = "basse.lrx";
        ASSERT_TRUE(LireFichierPartition());
        EXPECT_EQ(Partition.NbCordes[1], c.nouveau);
        EXPECT_EQ(sons(), avant);
    }
}

TEST_F(Sais_parTest, DroppingAStringThatHoldsANoteIsRefused)
{
    ChargerAnglais();
    EnregistreurMessages messages;
    Remplir(7, 1, 1, 0, false, false, -1);
    Note(7, 1, 1, 2).Frette = 5;
    Ouvrir();
    d->BT_NbCordesDown->click();
    d->BT_NbCordesDown->click();
    d->BT_OK->click();
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_NE(messages.Messages[0].Texte.find("Bar 7 "), std::string::npos);
    EXPECT_NE(messages.Messages[0].Texte.find("of 4 strings"), std::string::npos);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(Partition.NbCordes[1], 6);
    EXPECT_EQ(Note(7, 1, 1, 2).Frette, 5);

    // Five strings drop string 1 only, which is empty: the note moves to string 1.
    d->BT_NbCordesUp->click();
    d->BT_OK->click();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(Partition.NbCordes[1], 5);
    EXPECT_EQ(Note(7, 1, 1, 1).Frette, 5);
    EXPECT_EQ(Partition.Accordage[1][5], 23);
}

TEST_F(Sais_parTest, LeavingATabChecksAndStoresIt)
{
    EnregistreurMessages messages;
    Remplir(2, 2, 1, 0, false, false, -1);
    Note(2, 2, 1, 1).Frette = 3;
    Remplir(2, 3, 1, 0, false, false, -1);
    Note(2, 3, 1, 1).Frette = 4;
    Ouvrir();
    ChoisirOnglet(2);
    d->BT_NbCordesDown->click();
    d->Volume->setValue(10);
    ChoisirOnglet(3); // string 1 of track 2 holds a note: refused
    EXPECT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(d->TabPiste->currentIndex(), 1);
    EXPECT_EQ(d->PisteOnglet, 2);
    EXPECT_EQ(d->NbCordes->text(), QStringLiteral("5"));

    d->BT_NbCordesUp->click();
    ChoisirOnglet(3);
    EXPECT_EQ(d->PisteOnglet, 3);
    EXPECT_EQ(ProprietesTempo.Volume[2], 64);
    d->BT_NbCordesDown->click(); // track 3, also string 1... refused on OK
    d->BT_OK->click();
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(messages.Messages.size(), 2u);
    d->BT_NbCordesUp->click();

    // Track 4 loses two strings it does not use; OK on tab 3 moves them and makes 3 current.
    ChoisirOnglet(4);
    d->BT_NbCordesDown->click();
    d->BT_NbCordesDown->click();
    Remplir(1, 4, 1, 0, false, false, -1);
    Note(1, 4, 1, 4).Frette = 9;
    ChoisirOnglet(3);
    d->BT_OK->click();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(PisteCourante, 3);
    EXPECT_EQ(Partition.NbCordes[4], 4);
    EXPECT_EQ(Note(1, 4, 1, 2).Frette, 9);
    EXPECT_EQ(Partition.Volume[2], 64);
}

TEST_F(Sais_parTest, TypingATrackNameRenamesItsTab)
{
    Ouvrir();
    ChoisirOnglet(5);
    d->NomPiste->clear();
    Taper(d->NomPiste, QStringLiteral("Ry"));
    EXPECT_EQ(d->TabPiste->tabText(4), QStringLiteral("5 - Ry"));
    EXPECT_EQ(d->TabPiste->currentIndex(), 4);
    Taper(d->NomPiste, QString(30, QLatin1Char('x')));
    EXPECT_EQ(d->NomPiste->text().size(), 25);
    d->BT_OK->click();
    EXPECT_EQ(Partition.NomPiste[5].size(), 25u);

    // A longer name from a song file is shown whole and survives OK; it can only shrink.
    Partition.NomPiste[6] = std::string(40, 'L');
    Ouvrir();
    ChoisirOnglet(6);
    EXPECT_EQ(d->NomPiste->text().size(), 40);
    Taper(d->NomPiste, QStringLiteral("z"));
    EXPECT_EQ(d->NomPiste->text().size(), 40);
    ChoisirOnglet(1);
    d->BT_OK->click();
    EXPECT_EQ(Partition.NomPiste[6].str(), std::string(40, 'L'));
}

TEST_F(Sais_parTest, TuningRowsAndTheirAutoRepeat)
{
    Partition.NbCordes[1] = 4;
    Partition.Accordage[1] = {0, 43, 38, 33, 28, 0, 0};
    Ouvrir();
    // Row 3 is string 1 on a 4-string track.
    d->BT_CUp[3]->click();
    EXPECT_EQ(ProprietesTempo.Accordage[1][1], 44);
    EXPECT_EQ(TexteLigne(3), QStringLiteral("G#3"));
    EXPECT_EQ(d->ModeleList->currentIndex(), -1);
    d->BT_CDown[3]->click();
    EXPECT_EQ(d->ModeleList->currentIndex(), 20);
    // Keys in the row edit act as its buttons; typing does nothing.
    Touche(d->NoteCorde[4], Qt::Key_Up);
    EXPECT_EQ(ProprietesTempo.Accordage[1][2], 39);
    Touche(d->NoteCorde[4], Qt::Key_Minus, QStringLiteral("-"), Qt::KeypadModifier);
    Touche(d->NoteCorde[4], 0, QStringLiteral("A"));
    EXPECT_EQ(ProprietesTempo.Accordage[1][2], 38);
    EXPECT_EQ(TexteLigne(4), QStringLiteral("D3"));

    // Holding row 3 up: 300 ms, then 200 ms, from the 12th change 150 ms, from the 30th two
    // semitones a change, never above 119.
    emit d->BT_CUp[3]->pressed();
    EXPECT_TRUE(d->TimerRepetition->isActive());
    EXPECT_EQ(d->TimerRepetition->interval(), 300);
    std::vector<int> intervalles;
    std::vector<int32_t> valeurs;
    for (int tic = 1; tic <= 40; ++tic) {
        d->TimerRepetitionTimer();
        intervalles.push_back(d->TimerRepetition->interval());
        valeurs.push_back(ProprietesTempo.Accordage[1][1]);
    }
    EXPECT_EQ(intervalles[0], 300);
    EXPECT_EQ(intervalles[1], 200);
    EXPECT_EQ(intervalles[9], 200);
    EXPECT_EQ(intervalles[10], 150);
    EXPECT_EQ(valeurs[0], 44);
    EXPECT_EQ(valeurs[28], 43 + 29);
    EXPECT_EQ(valeurs[29], 43 + 31);
    EXPECT_EQ(valeurs[39], 43 + 51);
    emit d->BT_CUp[3]->released();
    EXPECT_FALSE(d->TimerRepetition->isActive());
    ProprietesTempo.Accordage[1][1] = 118;
    emit d->BT_CUp[3]->pressed();
    for (int tic = 1; tic <= 31; ++tic)
        d->TimerRepetitionTimer();
    EXPECT_EQ(ProprietesTempo.Accordage[1][1], 119);
    emit d->BT_CUp[3]->released();

    // The whole tuning moves every row in use.
    ProprietesTempo.Accordage[1] = {0, 43, 38, 33, 28, 5, 5};
    d->ToutDown->click();
    EXPECT_EQ(ProprietesTempo.Accordage[1], (OneBased<int32_t, 6>{0, 42, 37, 32, 27, 5, 5}));
    d->reject();
}

TEST_F(Sais_parTest, TempoCapoFretAndInstrumentSpins)
{
    Ouvrir();
    d->Tempo->setText(QStringLiteral("995"));
    emit d->BT_TempoUp->pressed();
    for (int tic = 1; tic <= 10; ++tic)
        d->TimerRepetitionTimer();
    emit d->BT_TempoUp->released();
    EXPECT_EQ(d->Tempo->text(), QStringLiteral("999"));
    d->Tempo->setText(QStringLiteral("1"));
    d->BT_TempoDown->click();
    EXPECT_EQ(d->Tempo->text(), QStringLiteral("1"));
    d->Tempo->clear();
    d->BT_TempoUp->click();
    EXPECT_TRUE(d->Tempo->text().isEmpty());
    emit d->BT_TempoUp->pressed();
    d->TimerRepetitionTimer();
    emit d->BT_TempoUp->released();
    EXPECT_TRUE(d->Tempo->text().isEmpty());

    struct Cas {
        QLineEdit* champ;
        QToolButton* haut;
        QToolButton* bas;
        int min, max;
    };
    for (const Cas& c : {Cas{d->Capo, d->BT_CapoUp, d->BT_CapoDown, 0, 12}, Cas{d->NbFrets, d->BT_FretUp, d->BT_FretDown, 3, 24}}) {
        c.champ->setText(QString::number(c.max - 1));
        c.haut->click();
        c.haut->click();
        EXPECT_EQ(c.champ->text(), QString::number(c.max));
        c.champ->setText(QString::number(c.min));
        c.bas->click();
        EXPECT_EQ(c.champ->text(), QString::number(c.min));
        // Read-only: typing changes nothing, the arrow keys act as the buttons.
        Touche(c.champ, 0, QStringLiteral("7"));
        Touche(c.champ, Qt::Key_Up);
        EXPECT_EQ(c.champ->text(), QString::number(c.min + 1));
    }

    ProprietesTempo.Instrument[1] = 126;
    d->InstrumentUp->click();
    d->InstrumentUp->click();
    EXPECT_EQ(ProprietesTempo.Instrument[1], 127);
    EXPECT_EQ(d->Instrument->text(), QString::fromStdString(NomInstrument(127)));
    d->BT_CapoUp->click();
    d->Tempo->setText(QStringLiteral("120"));
    d->BT_OK->click();
    EXPECT_EQ(Partition.Instrument[1], 127);
    EXPECT_EQ(Partition.Capo[1], 2);
    EXPECT_EQ(Partition.NbFrettes[1], 4);
}

TEST_F(Sais_parTest, PresetPickAppliesTheTuning)
{
    Ouvrir();
    d->ModeleList->setCurrentIndex(25);
    emit d->ModeleList->activated(25);
    EXPECT_EQ(d->NbCordes->text(), QStringLiteral("5"));
    EXPECT_EQ(TexteLigne(2), QStringLiteral("D5"));
    EXPECT_EQ(TexteLigne(6), QStringLiteral("G5"));
    EXPECT_FALSE(d->NoteCorde[1]->isVisible());
    EXPECT_TRUE(d->NoteCorde[2]->isVisible());
    EXPECT_FALSE(d->Ecouter[1]->isEnabled());
    EXPECT_FALSE(d->DouzeCordes->isEnabled());
    EXPECT_EQ(d->ModeleList->currentIndex(), 25);
    d->BT_OK->click();
    EXPECT_EQ(Partition.NbCordes[1], 5);
    EXPECT_EQ(Partition.Accordage[1][5], 67);
}

TEST_F(Sais_parTest, SoloRules)
{
    Partition.ModeSolo = true;
    Partition.PisteSolo = 3;
    Partition.Solo[3] = true;
    Ouvrir();
    for (int t : {1, 2, 5, 3}) {
        ChoisirOnglet(t);
        EXPECT_FALSE(d->Muette->isEnabled()) << t;
        EXPECT_EQ(d->Solo->isChecked(), t == 3) << t;
    }
    d->Solo->click(); // unchecked on the solo track: the solo ends
    EXPECT_FALSE(ProprietesTempo.ModeSolo);
    EXPECT_EQ(ProprietesTempo.PisteSolo, 0);
    EXPECT_TRUE(d->Muette->isEnabled());

    ChoisirOnglet(6);
    d->Solo->click();
    EXPECT_TRUE(ProprietesTempo.ModeSolo);
    EXPECT_EQ(ProprietesTempo.PisteSolo, 6);
    EXPECT_FALSE(d->Muette->isEnabled());
    d->BT_OK->click();
    EXPECT_TRUE(Partition.ModeSolo);
    EXPECT_EQ(Partition.PisteSolo, 6);
    EXPECT_TRUE(Partition.Solo[6]);
    EXPECT_FALSE(Partition.Solo[3]);
}

// A track bar shows 21 positions of 0..127: a value the user did not move survives OK.
TEST_F(Sais_parTest, MixerValuesChangeOnlyWhenTheirBarMoves)
{
    const std::pair<int, int> positions[] = {{0, 0}, {1, 6}, {10, 64}, {16, 102}, {19, 121}, {20, 127}};
    for (const auto& [position, valeur] : positions)
        EXPECT_EQ(ValeurBarreMix(position, position == 20 ? 0 : 127), valeur) << position;
    for (int v : {0, 6, 64, 100, 127})
        EXPECT_EQ(ValeurBarreMix(PositionBarreMix(v), v), v);

    Partition.Volume[1] = 100;
    Partition.Reverb[1] = 100;
    Ouvrir();
    ChoisirOnglet(2);
    ChoisirOnglet(1);
    d->Reverb->setValue(17);
    d->Reverb->setValue(16); // moved and brought back
    d->Chorus->setValue(10);
    d->BT_OK->click();
    EXPECT_EQ(Partition.Volume[1], 100);
    EXPECT_EQ(Partition.Reverb[1], 100);
    EXPECT_EQ(Partition.Chorus[1], 64);
}

TEST_F(Sais_parTest, PlaybackLocksTheSoundControlsUntilItEnds)
{
    Commandes().SetEnabled(Cmd::Ac_Son_Stop, true);
    Ouvrir();
    for (QWidget* w : std::initializer_list<QWidget*>{d->Instrument, d->InstrumentUp, d->BT_Instrument, d->Tempo,
                                                      d->BT_TempoUp, d->ModeleList, d->NbCordes, d->BT_NbCordesDown,
                                                      d->NoteCorde[4], d->BT_CUp[4], d->ToutUp, d->Triplet,
                                                      d->Ecouter[5], d->EcouterTout, d->Capo, d->BT_CapoUp, d->Solo,
                                                      d->Muette, d->DouzeCordes, d->Volume, d->Reverb})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    for (QWidget* w : std::initializer_list<QWidget*>{d->Titre, d->Auteur, d->Note, d->NomPiste, d->PasExporter,
                                                      d->NbFrets, d->BT_FretUp, d->TabPiste, d->BT_OK})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    ChoisirOnglet(2);
    EXPECT_FALSE(d->Muette->isEnabled());
    EXPECT_FALSE(d->BT_CUp[1]->isEnabled());

    // The end of the playback unlocks without reopening.
    Commandes().SetEnabled(Cmd::Ac_Son_Stop, false);
    fenetreProp.ReactiverProprietesPartition();
    for (QWidget* w : std::initializer_list<QWidget*>{d->Instrument, d->Tempo, d->ModeleList, d->BT_CUp[4],
                                                      d->BT_CUp[1], d->Ecouter[1], d->Solo, d->Muette,
                                                      d->DouzeCordes, d->Volume})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    d->reject();
}

class Sais_parEcouteTest : public Sais_parTest {
protected:
    platform::LecteurMediaFactice lecteurMidi;
    std::filesystem::path dossier;
    std::optional<lyrx_test::VariableEnvironnement> windows;

    void SetUp() override
    {
        Sais_parTest::SetUp();
        dossier = lyrx_test::DossierDuTest();
        windows.emplace("LYRX_WINDOWS_DIR", dossier.string());
        InstallerMediaPlayer(&lecteurMidi);
        MidiDisponible = true;
    }

    void TearDown() override
    {
        InstallerMediaPlayer(nullptr);
        windows.reset();
        Sais_parTest::TearDown();
    }
};

TEST_F(Sais_parEcouteTest, ListenButtonsPlayAndRepeatUntilRaised)
{
    Ouvrir();
    d->Ecouter[3]->click();
    EXPECT_EQ(d->CordeEcoutee, 3);
    EXPECT_EQ(lecteurMidi.NbLectures, 1);
    EXPECT_TRUE(lecteurMidi.Notify());
    TEcouteCordes attendu;
    attendu.Piste = 1;
    attendu.Corde = 3;
    attendu.Capo = "0";
    EXPECT_EQ(lecteurMidi.Contenu(), GenererEcouteAccordage(attendu));

    // Another row while one plays: taken at the next pass, one toggle down at a time.
    d->EcouterTout->click();
    EXPECT_FALSE(d->Ecouter[3]->isChecked());
    EXPECT_EQ(d->CordeEcoutee, 0);
    EXPECT_EQ(lecteurMidi.NbLectures, 1);
    lecteurMidi.Terminer();
    lecteurMidi.LivrerNotifications();
    EXPECT_EQ(lecteurMidi.NbLectures, 2);
    attendu.Corde = 0;
    EXPECT_EQ(lecteurMidi.Contenu(), GenererEcouteAccordage(attendu));

    // Closing raises the toggles: the audition ends after its pass.
    d->BT_Annuler->click();
    EXPECT_FALSE(d->BoutonEcouteEnfonce());
    lecteurMidi.Terminer();
    lecteurMidi.LivrerNotifications();
    EXPECT_EQ(lecteurMidi.NbLectures, 2);
    EXPECT_EQ(d->CordeEcoutee, -1);
    EXPECT_FALSE(lecteurMidi.Notify());
}

TEST_F(Sais_parEcouteTest, WithoutASequencerOnlyTheTogglesMove)
{
    MidiDisponible = false;
    Ouvrir();
    d->Ecouter[4]->click();
    EXPECT_TRUE(d->Ecouter[4]->isChecked());
    EXPECT_EQ(d->CordeEcoutee, -1);
    EXPECT_EQ(lecteurMidi.NbLectures, 0);
    d->reject();
}

TEST_F(Sais_parTest, CaptionsFromTheLanguage)
{
    ChargerAnglais();
    d->Traduire();
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Song properties"));
    EXPECT_EQ(d->BT_OK->text(), QStringLiteral("&OK"));
    EXPECT_EQ(d->BT_Annuler->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(d->LabTitre->text(), QStringLiteral("&Title"));
    EXPECT_EQ(d->LabAccordage->title().remove(QLatin1Char('&')), QStringLiteral(" Tuning "));
    EXPECT_EQ(d->BT_Instrument->toolTip(), QStringLiteral("Instrument list..."));
    EXPECT_EQ(d->Lab_Cache2->text(), QStringLiteral("Use the notes 27 to 87"));
    EXPECT_TRUE(d->Lab_Capo->text().remove(QLatin1Char('&')) == QStringLiteral("Capo"));

    // Without a language the built-in captions stay.
    ViderLangue();
    TSais_Partition neuf;
    EXPECT_EQ(neuf.BT_Annuler->text(), QStringLiteral("&Annuler"));
    EXPECT_EQ(neuf.TabPiste->tabText(7), QStringLiteral("8 - Percussions"));
}

TEST_F(Sais_parTest, NoCaptionIsCutInEnglishOrFrench)
{
    for (const char* langue : {"English", "Francais"}) {
        SCOPED_TRACE(langue);
        ASSERT_TRUE(ChargerLangue(LYRX_SOURCE_DIR "/data", langue));
        d->Traduire();
        for (QLabel* l : d->findChildren<QLabel*>()) {
            const QString texte = l->text().remove(QLatin1Char('&'));
            if (texte.isEmpty() || !l->pixmap().isNull())
                continue;
            const int besoin = l->wordWrap() ? l->heightForWidth(l->width()) : l->fontMetrics().horizontalAdvance(texte);
            EXPECT_LE(besoin, l->wordWrap() ? l->height() : l->width()) << texte.toStdString();
        }
        for (QCheckBox* c : d->findChildren<QCheckBox*>())
            EXPECT_LE(c->sizeHint().width(), c->width()) << c->text().toStdString();
    }
}

TEST_F(Sais_parTest, PresetListThroughTheServiceInterface)
{
    ISaisiePartition& service = *d;
    service.InitModelesAccordage();
    service.RemplirListeModeles();
    EXPECT_EQ(d->ModeleList->count(), 31);
    EXPECT_EQ(d->ModeleList->itemText(16), QStringLiteral("Guitar Alternative  : CGDGBE"));
    EXPECT_EQ(d->ModeleList->maxVisibleItems(), 12);
}

} // namespace
