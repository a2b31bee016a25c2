// The chord dialog's audition: the bytes of the file (a strum from the lowest sounding string
// up, all released together), what is left out, and the listen button's road through the one
// media player.
#include "ChantierMidi.h"

#include "document/Accord.h"
#include "document/Fenetre.h"
#include "document/Fichiers.h"
#include "document/Mess.h"
#include "midi/EcouteAccord.h"
#include "midi/Lecture.h"
#include "platform/LecteurMediaFactice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace midi_test {
namespace {

const OneBased<int32_t, kNbCordesMax> kStandard{0, 64, 59, 55, 50, 45, 40};

TAccord Doigte(std::initializer_list<int32_t> deCorde6a1)
{
    TAccord a;
    int s = 6;
    for (int32_t f : deCorde6a1)
        a.Frettes[s--] = f;
    return a;
}

// Track 2 of a chord file after its fixed set-up events, up to the end.
std::vector<uint8_t> Notes(const std::vector<uint8_t>& fichier)
{
    const FichierLu f = LireSmf(fichier);
    const std::vector<uint8_t>& corps = f.corps.at(1);
    // Port, channel prefix, name (4 + 14), four controllers, program, the first delta.
    const std::size_t miseEnPlace = 5 + 5 + 18 + 16 + 3 + 1;
    return {corps.begin() + static_cast<long>(miseEnPlace), corps.end()};
}

TEST(EcouteAccord, FichierEntierDUnMiMajeurOuvert)
{
    const std::vector<uint8_t> attendu = DepuisHex(R"(
        4D 54 68 64 00 00 00 06 00 01 00 02 01 E0
        4D 54 72 6B 00 00 00 19
        00 FF 51 03 09 27 C0  00 FF 58 04 04 02 18 08  00 FF 59 02 00 00  00 FF 2F 00
        4D 54 72 6B 00 00 00 64
        00 FF 21 01 00  00 FF 20 01 00
        00 FF 03 0E 4C 79 72 61 6E 64 61 78 69 73 20 32 2E 32
        00 B0 07 7F  00 B0 5D 00  00 B0 5B 00  00 B0 0A 40  00 C0 19
        00
        90 28 7F 3C  90 2F 7F 37  90 34 7F 32  90 38 7F 2D  90 3B 7F 28  90 40 7F
        83 01
        80 28 50 00  80 2F 50 00  80 34 50 00  80 38 50 00  80 3B 50 00  80 40 50 00
        FF 2F 00)");
    EXPECT_EQ(Hex(GenererMidiAccord(Doigte({0, 2, 2, 1, 0, 0}), kStandard, 25)), Hex(attendu));
}

TEST(EcouteAccord, CordesDeLaPlusGraveALaPlusAigueRelacheesEnsemble)
{
    // x 3 2 0 1 0: C on string 5, then E, G, C, E.
    const FichierLu f = LireSmf(GenererMidiAccord(Doigte({-1, 3, 2, 0, 1, 0}), kStandard, 0));
    ASSERT_EQ(f.format, 1);
    ASSERT_EQ(f.division, 480);
    const std::vector<NoteJouee> on = NotesOn(f.pistes.at(1));
    const std::vector<NoteJouee> attendus = {{0, 48, 127, 0}, {60, 52, 127, 0}, {115, 55, 127, 0},
                                             {165, 60, 127, 0}, {210, 64, 127, 0}};
    EXPECT_EQ(on, attendus);
    for (const NoteJouee& n : NotesOff(f.pistes.at(1)))
        EXPECT_EQ(n.tick, 210 + 385) << n;
    EXPECT_EQ(NotesOff(f.pistes.at(1)).size(), 5u);
}

TEST(EcouteAccord, CasLimitesDuCorps)
{
    const struct {
        const char* nom;
        TAccord accord;
        OneBased<int32_t, kNbCordesMax> accordage;
        const char* notes;
    } cas[] = {
        {"no sounding string: end of track right after the first delta", Doigte({-1, -1, -1, -1, -1, -1}), kStandard,
         "FF 2F 00"},
        {"one string: no 60-tick delta", Doigte({-1, -1, -1, 2, -1, -1}), kStandard,
         "90 39 7F 83 01 80 39 50 00 FF 2F 00"},
        {"a pitch beyond 127 is left out, the others keep their order",
         Doigte({-1, 2, 5, 0, 1, -1}), {0, 64, 59, 130, 50, 45, 40},
         "90 2F 7F 3C 90 37 7F 37 90 3C 7F 83 01 80 2F 50 00 80 37 50 00 80 3C 50 00 FF 2F 00"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(Hex(Notes(GenererMidiAccord(c.accord, c.accordage, 0))), Hex(DepuisHex(c.notes))) << c.nom;
}

TEST(EcouteAccord, ProgrammeHorsLimitesRamene)
{
    const FichierLu f = LireSmf(GenererMidiAccord(Doigte({0, -1, -1, -1, -1, -1}), kStandard, 300));
    bool vu = false;
    for (const Evenement& e : f.pistes.at(1))
        if ((e.statut & 0xF0) == 0xC0) {
            EXPECT_EQ(e.donnees.at(0), 127);
            vu = true;
        }
    EXPECT_TRUE(vu);
}

// The listen button over a scripted player, the temporary file in a folder of the test's own.
class FenetreEcoute : public IFenetrePrincipale {
public:
    platform::LecteurMediaFactice* lecteur = nullptr;
    void TraiterMessagesEnAttente() override
    {
        if (lecteur)
            lecteur->LivrerNotifications();
    }
};

class BoutonSon : public MidiTest {
protected:
    platform::LecteurMediaFactice lecteur;
    FenetreEcoute fenetre;
    std::filesystem::path dossier;
    std::optional<lyrx_test::VariableEnvironnement> windows;

    void SetUp() override
    {
        MidiTest::SetUp();
        fenetre.lecteur = &lecteur;
        InstallerFenetrePrincipale(&fenetre);
        InstallerMediaPlayer(&lecteur);
        dossier = DossierTemporaire();
        windows.emplace("LYRX_WINDOWS_DIR", dossier.string());
        MidiDisponible = true;
        DialogueAccordOuvert = true;
        LectureTemps = ArretDemande = ArretDemandeClic = false;
        ReinitialiserAccordTravail();
        AccordTravail.Frettes = Doigte({-1, 3, 2, 0, 1, 0}).Frettes;
    }
    void TearDown() override
    {
        InstallerMediaPlayer(nullptr);
        InstallerFenetrePrincipale(nullptr);
        windows.reset();
        MidiDisponible = false;
        DialogueAccordOuvert = false;
        MidiTest::TearDown();
    }
};

TEST_F(BoutonSon, JoueLAccordDeTravailAvecLaPisteCourante)
{
    PisteCourante = 2;
    Partition.Instrument[2] = 33;
    Partition.Accordage[2][5] = 43; // string 5 tuned to G
    Partition.Capo[2] = 3;
    EcouterAccord();
    ASSERT_EQ(lecteur.NbLectures, 1);
    EXPECT_EQ(lecteur.FileName(), CheminFichierTemp());
    EXPECT_TRUE(lecteur.Notify());
    EXPECT_EQ(Hex(lecteur.Contenu()), Hex(GenererMidiAccord(AccordTravail, Partition.Accordage[2], 33)));
    const FichierLu f = LireSmf(lecteur.Contenu());
    ASSERT_FALSE(NotesOn(f.pistes.at(1)).empty());
    EXPECT_EQ(NotesOn(f.pistes.at(1)).front().note, 43 + 3) << "the capo is not applied";
}

TEST_F(BoutonSon, UneSecondePressionPendantLEcouteNeFaitRien)
{
    EcouterAccord();
    EcouterAccord();
    EXPECT_EQ(lecteur.NbLectures, 1) << "the chord still plays";
    lecteur.Terminer();
    lecteur.LivrerNotifications(); // the end of play, heard while the dialog is open
    EXPECT_FALSE(lecteur.Notify());
    EcouterAccord();
    EXPECT_EQ(lecteur.NbLectures, 2);
}

TEST_F(BoutonSon, SansSequenceurRienNeSeFait)
{
    MidiDisponible = false;
    EcouterAccord();
    EXPECT_TRUE(lecteur.Journal.empty());
    EXPECT_FALSE(std::filesystem::exists(CheminFichierTemp()));
}

TEST_F(BoutonSon, UneLectureEchoueeNeBloquePasLeBouton)
{
    lecteur.DefinirEchecLecture(true);
    EcouterAccord();
    EXPECT_EQ(lecteur.Journal.back(), "Stop");
    EXPECT_FALSE(lecteur.Notify()) << "no end of play will come to turn it off";
    lecteur.DefinirEchecLecture(false);
    EcouterAccord();
    EXPECT_EQ(lecteur.NbLectures, 1);
}

TEST_F(BoutonSon, FichierImpossibleAEcrire)
{
    EnregistreurMessages messages;
    // A file where the folder should be: the temporary file cannot be created in it.
    const std::filesystem::path occupe = dossier / "occupe";
    { std::ofstream(occupe) << "x"; }
    windows.emplace("LYRX_WINDOWS_DIR", occupe.string());
    EcouterAccord();
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Icone, IconeErreur);
    EXPECT_EQ(lecteur.NbLectures, 0);
    EXPECT_FALSE(lecteur.Notify());
}

} // namespace
} // namespace midi_test
