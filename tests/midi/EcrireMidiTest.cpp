#include "midi/EcrireMidi.h"

#include "ChantierMidi.h"
#include "document/Fenetre.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/TableMix.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <numeric>

using namespace midi_test;

namespace {

std::vector<uint8_t> LireOctets(const std::filesystem::path& chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

std::vector<uint8_t> Fixture(const char* nom)
{
    std::ifstream f(std::string(LYRX_TEST_DATA_DIR) + "/" + nom);
    EXPECT_TRUE(f) << nom;
    return DepuisHex(std::string(std::istreambuf_iterator<char>(f), {}));
}

std::string NomPisteLu(const std::vector<Evenement>& piste)
{
    for (const Evenement& e : piste)
        if (e.meta(0x03))
            return std::string(e.donnees.begin() + 1, e.donnees.end());
    return "?";
}

std::vector<std::string> NomsPistes(const FichierLu& f)
{
    std::vector<std::string> noms;
    for (std::size_t i = 1; i < f.pistes.size(); ++i)
        noms.push_back(NomPisteLu(f.pistes[i]));
    return noms;
}

std::vector<int64_t> Ticks(const std::vector<NoteJouee>& notes)
{
    std::vector<int64_t> t;
    for (const NoteJouee& n : notes)
        t.push_back(n.tick);
    return t;
}

std::vector<int> Hauteurs(const std::vector<NoteJouee>& notes)
{
    std::vector<int> h;
    for (const NoteJouee& n : notes)
        h.push_back(n.note);
    return h;
}

class FenetreEnregistreuse : public IFenetrePrincipale {
public:
    std::vector<std::string> Appels;
    void CurseurSablier(bool actif) override { Appels.push_back(actif ? "sablier" : "normal"); }
    void TraiterMessagesEnAttente() override { Appels.push_back("messages"); }
    void DefinirFichierLecteurMidi(const char* chemin) override { Appels.push_back(std::string("fichier:") + chemin); }
};

class Ecriture : public MidiTest {
protected:
    void SetUp() override
    {
        MidiTest::SetUp();
        for (int t = 1; t <= kNbPistes; ++t)
            Partition.NomPiste[t] = "P" + std::to_string(t);
    }
};

} // namespace

TEST_F(Ecriture, AnEmptySongExportsTheConductorTrackOnly)
{
    Partition.NomPiste[1] = "";
    const auto dossier = DossierTemporaire();
    ConstruireOrdreLecture(1, 1, true);
    ASSERT_TRUE(EcrireFichierMidi((dossier / "vide.mid").string(), ModeLectureExport));
    EXPECT_EQ(Hex(LireOctets(dossier / "vide.mid")), Hex(Fixture("partition_vide.hex")));
}

TEST_F(Ecriture, TwoBeatsGiveTheExactTrackBytes)
{
    Partition.NomPiste[1] = "Guitare";
    Temps(1, 1, 480, {{1, 0}});
    Temps(1, 1, 480, {{2, 2}});

    FenetreEnregistreuse fenetre;
    InstallerFenetrePrincipale(&fenetre);
    const auto chemin = (DossierTemporaire() / "deux.mid").string();
    { std::ofstream ancien(chemin); ancien << "an older file"; }
    const bool ecrit = ExporterFichierMidi(chemin);
    InstallerFenetrePrincipale(nullptr);

    ASSERT_TRUE(ecrit);
    EXPECT_EQ(Hex(LireOctets(chemin)), Hex(Fixture("deux_temps.hex")));
    EXPECT_FALSE(std::filesystem::exists(chemin + ".part"));
    EXPECT_EQ(EtatLecture.Mode, ModeLectureAucun);
    // The player's file is cleared before writing and points at the new file afterwards.
    EXPECT_EQ(fenetre.Appels, (std::vector<std::string>{"sablier", "fichier:", "messages", "normal", "fichier:" + chemin}));
}

TEST_F(Ecriture, AFileThatCannotBeWrittenIsReportedAndNothingIsLeft)
{
    Temps(1, 1, 480, {{1, 0}});
    const auto dossier = DossierTemporaire() / "occupe.mid";
    std::filesystem::create_directories(dossier); // a folder where the file should go

    EnregistreurMessages messages;
    ConstruireOrdreLecture(1, 1, true);
    EXPECT_FALSE(EcrireFichierMidi(dossier.string(), ModeLectureExport));
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Legende, Traduire("Dlg-Erreur"));
    EXPECT_EQ(messages.Messages[0].Texte, Traduire("MidiExp-EcritureFichierImpossibleEnregAb"));
    EXPECT_EQ(messages.Messages[0].Icone, IconeErreur);
    EXPECT_EQ(messages.Messages[0].Boutons, BoutonOK);
    EXPECT_EQ(EtatLecture.Mode, ModeLectureAucun);
    EXPECT_TRUE(std::filesystem::is_directory(dossier));
    EXPECT_FALSE(std::filesystem::exists(dossier.string() + ".part"));

    EXPECT_FALSE(EcrireFichierMidi((DossierTemporaire() / "absent" / "x.mid").string(), ModeLectureExport));
    EXPECT_EQ(messages.Messages.size(), 2u);
}

TEST_F(Ecriture, TracksAreChosenByModeMuteSoloAndExportFlags)
{
    Mesures(1);
    for (int t = 1; t <= 3; ++t)
        Temps(t, 1, 480, {{1, 0}});
    Silence(4, 1, 480); // rests only: never written, except as the current track of mode 5
    Temps(8, 1, 480, {{1, 38}});

    struct {
        const char* nom;
        TModeLecture mode;
        int muette, solo, pasExporter;
        std::vector<std::string> pistes;
    } cas[] = {
        {"play", ModeLectureDebut, 0, 0, 0, {"P1", "P2", "P3", "P8"}},
        {"muted", ModeLectureDebut, 2, 0, 0, {"P1", "P3", "P8"}},
        {"solo on a muted track", ModeLectureDebut, 2, 2, 0, {"P2"}},
        {"solo elsewhere", ModeLectureMesure, 2, 3, 0, {"P3"}},
        {"export ignores mute and solo", ModeLectureExport, 2, 3, 1, {"P2", "P3", "P8"}},
    };
    for (const auto& c : cas) {
        for (int t = 1; t <= kNbPistes; ++t) {
            Partition.Muette[t] = t == c.muette;
            Partition.PasExporter[t] = t == c.pasExporter;
        }
        Partition.ModeSolo = c.solo != 0;
        Partition.PisteSolo = c.solo;
        const FichierLu f = c.mode == ModeLectureExport ? Exporter() : Jouer(c.mode);
        EXPECT_EQ(NomsPistes(f), c.pistes) << c.nom;
        EXPECT_EQ(f.nbPistes, int(c.pistes.size()) + 1) << c.nom;
    }

    Partition.Muette[4] = true;
    PisteCourante = 4;
    const FichierLu f = Jouer(ModeLectureTemps);
    EXPECT_EQ(NomsPistes(f), (std::vector<std::string>{"P4"}));
    EXPECT_TRUE(NotesOn(f.pistes[1]).empty());
}

TEST_F(Ecriture, ThePercussionTrackSetsUpChannelTenTwice)
{
    Temps(8, 1, 480, {{1, 38}});
    const FichierLu f = Exporter();
    std::vector<std::string> prelude;
    for (const Evenement& e : f.pistes[1])
        if (e.tick == 0)
            prelude.push_back(Hex([&] { std::vector<uint8_t> o{e.statut}; o.insert(o.end(), e.donnees.begin(), e.donnees.end()); return o; }()));
    EXPECT_EQ(prelude, (std::vector<std::string>{
                           "FF 03 50 38", "FF 21 00", "FF 20 0A", "FF 20 0A", "B9 64 00", "B9 65 00", "B9 64 00",
                           "B9 65 00", "B9 07 64", "B9 07 64", "B9 0A 40", "B9 0A 40", "B9 5D 00", "B9 5D 00",
                           "B9 5B 00", "B9 5B 00", "C9 00", "C9 00", "B9 06 08", "99 26 5F"}));
}

TEST_F(Ecriture, MetronomeClicksEveryBeatAndTheCountInMovesTheTracks)
{
    Signature(1, 6, 8);
    Temps(1, 1, 720, {{1, 0}});
    Configuration.Metronome = true;

    FichierLu f = Jouer(ModeLectureDebut);
    ASSERT_EQ(f.nbPistes, 3);
    EXPECT_EQ(NomPisteLu(f.pistes[1]), "Metronome");
    const auto clics = NotesOn(f.pistes[1]);
    ASSERT_EQ(clics.size(), 12u); // the count-in measure, then measure 1
    for (std::size_t i = 0; i < clics.size(); ++i) {
        EXPECT_EQ(clics[i], (NoteJouee{int64_t(240 * i), 37, i % 6 == 0 ? 127 : 90, 9})) << i;
    }
    EXPECT_EQ(Ticks(NotesOff(f.pistes[1])).back(), 12 * 240);
    EXPECT_EQ(NotesOn(f.pistes[2]), (std::vector<NoteJouee>{{1440, 64, 95, 0}}));

    // Count-in only.
    Configuration.MetronomeDuringScore = false;
    f = Jouer(ModeLectureDebut);
    EXPECT_EQ(NotesOn(f.pistes[1]).size(), 6u);
    EXPECT_EQ(NotesOn(f.pistes[2])[0].tick, 1440);

    // Clicks during the song without a count-in: nothing moves.
    Configuration.MetronomeDuringScore = true;
    Configuration.FirstBarMetronome = false;
    Configuration.DifferentMetronomeFirstSound = false;
    f = Jouer(ModeLectureDebut);
    EXPECT_EQ(Ticks(NotesOn(f.pistes[1])), (std::vector<int64_t>{0, 240, 480, 720, 960, 1200}));
    EXPECT_EQ(NotesOn(f.pistes[1])[0].velocite, 90);
    EXPECT_EQ(NotesOn(f.pistes[2])[0].tick, 0);

    // No metronome at all with the option off, and never in export.
    Configuration.Metronome = false;
    EXPECT_EQ(Jouer(ModeLectureDebut).nbPistes, 2);
    Configuration.Metronome = true;
    EXPECT_EQ(Exporter().nbPistes, 2);
}

TEST_F(Ecriture, ASpeedTrainerPassPlaysAtItsTempoWithItsCountIn)
{
    Mesures(3);
    for (int m = 1; m <= 3; ++m)
        Temps(1, m, 1920, {{1, m}});
    auto table = std::make_shared<cTableMixEvent>();
    table->Tempo = 200;
    Partition.Mesures[2]->Temps[1][1].TableMix = table;

    MesureDebutSpeedTrainer = 2;
    MesureFinSpeedTrainer = 3;
    EtatLecture.TempoCourant = 90;
    const FichierLu f = Jouer(ModeLectureSpeedTrainer);
    ASSERT_EQ(f.nbPistes, 3); // the count-in is always there for the trainer
    EXPECT_EQ(Hex(std::vector<uint8_t>(f.corps[0].begin(), f.corps[0].begin() + 7)), "00 FF 51 03 0A 2C 2A");
    EXPECT_EQ(NotesOn(f.pistes[1]).size(), 4u);
    EXPECT_EQ(NotesOn(f.pistes[2]), (std::vector<NoteJouee>{{1920, 66, 95, 0}, {3840, 67, 95, 0}}));
    for (const auto& piste : f.pistes)
        for (const Evenement& e : piste)
            EXPECT_FALSE(e.meta(0x51) && e.piste > 0) << "tempo change in a trainer pass";
    EXPECT_TRUE(PileTempo.EstVide());
    EXPECT_EQ(EtatLecture.TempoCourant, 90);
}

TEST_F(Ecriture, StrumsSpreadTheStringsAndNeverDivideByZero)
{
    auto accord = [](int8_t brush, uint8_t vitesse, int32_t duree, int frette) -> std::vector<NoteJouee> {
        ReinitialiserPartition();
        TTemps& tp = Temps(1, 1, duree, {{1, frette}, {2, frette}, {3, frette}, {4, frette}, {5, frette}, {6, frette}});
        tp.Brush = brush;
        tp.DureeBrush = vitesse;
        return NotesOn(Exporter().pistes[1]);
    };
    auto bas = accord(2, 4, 480, 0);
    EXPECT_EQ(Ticks(bas), (std::vector<int64_t>{0, 20, 40, 60, 80, 100}));
    EXPECT_EQ(Hauteurs(bas), (std::vector<int>{64, 59, 55, 50, 45, 40}));

    auto haut = accord(1, 4, 480, 0);
    EXPECT_EQ(Ticks(haut), (std::vector<int64_t>{0, 20, 40, 60, 80, 100}));
    EXPECT_EQ(Hauteurs(haut), (std::vector<int>{40, 45, 50, 55, 59, 64}));

    // A slow strum on a sixteenth is squeezed into 90 % of the note.
    EXPECT_EQ(Ticks(accord(2, 1, 120, 0)), (std::vector<int64_t>{0, 21, 42, 63, 84, 105}));
    // Speed 0 from a damaged file: the slowest speed.
    EXPECT_EQ(Ticks(accord(2, 0, 480, 0)), (std::vector<int64_t>{0, 80, 160, 240, 320, 400}));

    // A strummed dead chord: every note stops 15 ticks after it starts, none hangs.
    ReinitialiserPartition();
    TTemps& mort = Temps(1, 1, 480, {{1, 100}, {2, 100}, {3, 100}, {4, 100}, {5, 100}, {6, 100}});
    mort.Brush = 2;
    mort.DureeBrush = 4;
    for (const NoteComplete& n : NotesCompletes(Exporter().pistes[1])) {
        EXPECT_EQ(n.fin - n.debut, 15) << n.note << " at " << n.debut;
    }
}

TEST_F(Ecriture, TripletFeelSwingsEighthPairsOnTheBeat)
{
    Partition.TripletFeel = 1;
    for (int32_t d : {240, 240, 480, 240, 480, 240})
        Temps(1, 1, d, {{1, 0}});
    Mesures(2);
    for (int32_t d : {240, 480, 240, 240, 480, 240})
        Temps(1, 2, d, {{1, 0}});

    const FichierLu f = Exporter();
    EXPECT_EQ(Ticks(NotesOn(f.pistes[1])),
              (std::vector<int64_t>{0, 320, 480, 960, 1200, 1680, 1920, 2160, 2640, 2880, 3120, 3600}));
    EXPECT_EQ(Ticks(NotesOff(f.pistes[1])).at(0), 320);
    EXPECT_EQ(Ticks(NotesOff(f.pistes[1])).at(1), 480);

    // No swing when the song is straight, nor for a single beat.
    Partition.TripletFeel = 0;
    EXPECT_EQ(Ticks(NotesOn(Exporter().pistes[1]))[1], 240);
}

TEST_F(Ecriture, HarmonicsDynamicsAndSofteningShapeThePitchAndVelocity)
{
    auto note = [](int8_t effetTemps, int frette) {
        ReinitialiserPartition();
        Temps(1, 1, 480, {{1, frette}}).Effet = effetTemps;
        return NotesOn(Exporter().pistes[1]).at(0).note;
    };
    EXPECT_EQ(note(8, 7), 83);
    EXPECT_EQ(note(8, 3), 67);
    EXPECT_EQ(note(8, 12), 76);
    EXPECT_EQ(note(8, 5), 88);
    EXPECT_EQ(note(8, 4), 92);
    EXPECT_EQ(note(9, 3), 79);
    Configuration.ExportEffects = false; // harmonics are the pitch itself, not an effect
    EXPECT_EQ(note(8, 7), 83);
    EXPECT_EQ(note(9, 3), 79);

    Configuration.ExportEffects = true;
    ReinitialiserPartition();
    Temps(1, 1, 480, {{2, 5}}).Notes[2].Effet = 1; // hammer-on
    Temps(1, 1, 480, {{2, 7}});
    Temps(1, 1, 480, {{2, 5}});
    TTemps& tapping = Temps(1, 1, 480, {{1, 12}, {2, 1}});
    tapping.Effet = 5;
    tapping.Notes[1].Nuance = 8;
    tapping.Notes[2].Nuance = 1;
    std::vector<int> velocites;
    for (const NoteJouee& n : NotesOn(Exporter().pistes[1]))
        velocites.push_back(n.velocite);
    EXPECT_EQ(velocites, (std::vector<int>{95, 71, 95, 95, 11}));

    // Dynamics read from a damaged file stay valid note-on velocities.
    ReinitialiserPartition();
    for (uint8_t nuance : {0, 9, 255})
        Temps(1, 1, 480, {{1, 0}}).Notes[1].Nuance = nuance;
    velocites.clear();
    for (const NoteJouee& n : NotesOn(Exporter().pistes[1]))
        velocites.push_back(n.velocite);
    EXPECT_EQ(velocites, (std::vector<int>{1, 127, 127}));
}

TEST_F(Ecriture, PitchesAboveTheMidiRangeAreLeftOut)
{
    Partition.Accordage[1][1] = 120;
    Partition.Accordage[1][3] = 120;
    Partition.DouzeCordes[1] = true;
    Partition.Capo[1] = 5;
    Temps(1, 1, 480, {{1, 3}});  // 128: left out
    Temps(1, 1, 480, {{3, 0}});  // 125, its octave double 137 left out
    TTemps& grace = Temps(1, 1, 480, {{2, 0}});
    grace.Notes[2].FretteGrace = 3;
    grace.Notes[2].NuanceGrace = 6;
    grace.Notes[2].DureeGrace = 1;
    Configuration.MetronomeVolume = 300;
    Configuration.Metronome = true;

    const FichierLu f = Jouer(ModeLectureDebut); // the strict reader refuses any byte of 128 or more
    ASSERT_EQ(f.nbPistes, 3);
    for (const Evenement& e : f.pistes[1]) {
        if (e.statut == 0xB9 && e.donnees[0] == 7) {
            EXPECT_EQ(e.donnees[1], 127);
        }
    }
    EXPECT_EQ(Hauteurs(NotesOn(f.pistes[2])), (std::vector<int>{125, 67, 64}));
    for (const NoteComplete& n : NotesCompletes(f.pistes[2]))
        EXPECT_GT(n.fin, n.debut - 1) << "hanging note " << n.note;
}

TEST_F(Ecriture, OverlongMeasuresDropTheirLastBeatsAndTheNextMeasureStaysOnTime)
{
    Mesures(3);
    Temps(1, 1, 960, {{1, 0}});
    Temps(1, 1, 960, {{1, 1}});
    Temps(1, 1, 480, {{1, 2}}); // starts at the measure's end: dropped
    Temps(1, 2, 480, {{1, 3}}); // a short measure
    Temps(1, 3, 480, {{1, 4}});
    const FichierLu f = Exporter();
    EXPECT_EQ(NotesOn(f.pistes[1]), (std::vector<NoteJouee>{{0, 64, 95, 0}, {960, 65, 95, 0}, {1920, 67, 95, 0},
                                                             {3840, 68, 95, 0}}));
}

TEST_F(Ecriture, TiesLetRingCapoAndTwelveStringsSetTheLengths)
{
    Mesures(2);
    Partition.Capo[1] = 2;
    Partition.DouzeCordes[1] = true;
    Temps(1, 1, 960, {{1, 0}, {3, 0}});
    Temps(1, 1, 960).Lie = true;
    Temps(1, 2, 480, {{2, 0}}).Notes[2].Effet = 7; // let ring over the rest, up to the next note
    Silence(1, 2, 480);
    Temps(1, 2, 960, {{2, 1}});
    const FichierLu f = Exporter();
    const auto notes = NotesCompletes(f.pistes[1]);
    ASSERT_EQ(notes.size(), 5u);
    EXPECT_EQ(notes[0].note, 66);  // capo 2 on the open E
    EXPECT_EQ(notes[0].debut, 0);
    EXPECT_EQ(notes[0].fin, 1920); // tied into the second half note
    EXPECT_EQ(notes[1].note, 57);  // string 3 with its octave double 4 ticks later
    EXPECT_EQ(notes[2].note, 69);
    EXPECT_EQ(notes[2].debut, 4);
    EXPECT_EQ(notes[2].fin, 1920);
    EXPECT_EQ(NotesOn(f.pistes[1])[2].velocite, 75); // Round(95 / 1.27)
    EXPECT_EQ(notes[3].note, 61);
    EXPECT_EQ(notes[3].debut, 1920);
    EXPECT_EQ(notes[3].fin, 1920 + 960);
}

TEST_F(Ecriture, AGraceNoteAtTheStartMovesEveryTrackTogether)
{
    TTemps& premier = Temps(1, 1, 480, {{1, 5}});
    premier.Notes[1].FretteGrace = 3;
    premier.Notes[1].NuanceGrace = 4;
    premier.Notes[1].DureeGrace = 2;
    Temps(2, 1, 480, {{1, 0}});

    FichierLu f = Exporter();
    EXPECT_EQ(NotesOn(f.pistes[1]), (std::vector<NoteJouee>{{60, 67, 63, 0}, {120, 69, 95, 0}}));
    EXPECT_EQ(NotesOff(f.pistes[1])[0].tick, 120);
    // The other track starts with it, not a sixteenth early.
    EXPECT_EQ(NotesOn(f.pistes[2]), (std::vector<NoteJouee>{{120, 64, 95, 2}}));

    // And the metronome with its count-in.
    Configuration.Metronome = true;
    f = Jouer(ModeLectureDebut);
    EXPECT_EQ(NotesOn(f.pistes[1])[0].tick, 120);
    EXPECT_EQ(NotesOn(f.pistes[2])[1].tick, 1920 + 120);
    EXPECT_EQ(NotesOn(f.pistes[3])[0].tick, 1920 + 120);
    Configuration.Metronome = false;

    // Without effects there is no grace note and no lead.
    Configuration.ExportEffects = false;
    f = Exporter();
    EXPECT_EQ(NotesOn(f.pistes[1]), (std::vector<NoteJouee>{{0, 69, 95, 0}}));

    // A grace note that would start before the file starts at its first tick; a dead grace
    // note lasts 15 ticks at the open string's pitch.
    Configuration.ExportEffects = true;
    ReinitialiserPartition();
    Temps(1, 1, 30, {{1, 0}});
    TTemps& second = Temps(1, 1, 450, {{2, 0}});
    second.Notes[2].FretteGrace = 100;
    second.Notes[2].NuanceGrace = 6;
    second.Notes[2].DureeGrace = 3;
    f = Exporter();
    EXPECT_EQ(NotesOn(f.pistes[1]), (std::vector<NoteJouee>{{0, 64, 95, 0}, {0, 59, 95, 0}, {30, 59, 95, 0}}));
    const auto notes = NotesCompletes(f.pistes[1]);
    EXPECT_EQ(notes[1].fin, 0);
}

TEST_F(Ecriture, BendsAndVibratoGoOnTheSecondChannel)
{
    TTemps& bend = Temps(1, 1, 480, {{1, 7}, {2, 5}});
    bend.Notes[1].Effet = 5;
    bend.Notes[1].ValeurBend = 1.0;
    TTemps& vibrato = Temps(1, 1, 480, {{1, 5}});
    vibrato.Effet = 1;
    TTemps& fondu = Temps(1, 1, 480, {{1, 5}});
    fondu.Effet = 4;
    Partition.Volume[1] = 90;

    const FichierLu f = Exporter();
    EXPECT_EQ(NotesOn(f.pistes[1]), (std::vector<NoteJouee>{{0, 71, 95, 1}, {0, 64, 95, 0}, {480, 69, 95, 1},
                                                             {960, 69, 95, 0}}));
    std::vector<std::string> roues;
    int volumes = 0, etendues = 0;
    for (const Evenement& e : f.pistes[1]) {
        if (e.statut == 0xE1)
            roues.push_back(std::to_string(e.tick) + "=" + std::to_string(e.donnees[1]));
        if (e.statut == 0xB0 && e.donnees[0] == 7 && e.tick >= 960)
            ++volumes;
        if (e.statut == 0xB1 && e.donnees[0] == 6)
            ++etendues;
        EXPECT_NE(e.statut, 0xE0) << "wheel on the first channel at " << e.tick;
    }
    EXPECT_EQ(roues.size(), 17u + 6u);
    EXPECT_EQ(roues[15], "240=80");
    EXPECT_EQ(roues[16], "480=64");
    EXPECT_EQ(roues[17], "545=66");
    EXPECT_EQ(volumes, 15);
    EXPECT_EQ(etendues, 3); // the set-up, then one per technique at tick 0

    // With effects off nothing bends and every note is on the first channel.
    Configuration.ExportEffects = false;
    const FichierLu sansEffets = Exporter();
    for (const Evenement& e : sansEffets.pistes[1]) {
        EXPECT_NE(e.statut, 0xE1);
        EXPECT_NE(e.statut, 0x91);
    }
}

TEST_F(Ecriture, TimeSignatureChangesFollowTheUnfoldedOrderInExport)
{
    Mesures(3);
    Signature(2, 3, 4);
    Partition.Mesures[1]->RenvoiDebut = true;
    Partition.Mesures[2]->RenvoiFin = true;
    for (int m = 1; m <= 3; ++m)
        Temps(1, m, 480, {{1, m}});

    FichierLu f = Exporter();
    std::vector<std::string> signatures;
    for (const Evenement& e : f.pistes[0])
        if (e.meta(0x58))
            signatures.push_back(std::to_string(e.tick) + ":" + std::to_string(e.donnees[1]) + "/" + std::to_string(e.donnees[2]));
    EXPECT_EQ(signatures, (std::vector<std::string>{"0:4/2", "1920:3/2", "3360:4/2", "5280:3/2", "6720:4/2"}));
    EXPECT_EQ(f.corps[0].size(), 25u + 4 * 9);
    EXPECT_EQ(Ticks(NotesOn(f.pistes[1])), (std::vector<int64_t>{0, 1920, 3360, 5280, 6720}));

    // Playback states only the first measure's signature.
    Partition.MesureCourante = 2;
    f = Jouer(ModeLectureDepuisMesure);
    signatures.clear();
    for (const Evenement& e : f.pistes[0])
        if (e.meta(0x58))
            signatures.push_back(std::to_string(e.tick) + ":" + std::to_string(e.donnees[1]) + "/" + std::to_string(e.donnees[2]));
    EXPECT_EQ(signatures, (std::vector<std::string>{"0:3/2"}));
}

TEST_F(Ecriture, PlayDurationsFollowTheTempoChanges)
{
    Mesures(3);
    for (int m = 1; m <= 3; ++m)
        Temps(1, m, 1920, {{1, 0}});
    auto table = std::make_shared<cTableMixEvent>();
    table->Tempo = 60;
    table->TransTempo = 1;
    Partition.Mesures[2]->Temps[1][1].TableMix = table;

    const double attendu2 = 0.25 / 120 + 0.25 / 105 + 0.25 / 90 + 0.25 / 75 + 3.0 / 60;
    Exporter();
    ASSERT_EQ(DureesLecture.size(), 4u);
    EXPECT_DOUBLE_EQ(DureesLecture[1], 4.0 / 120);
    EXPECT_DOUBLE_EQ(DureesLecture[2], attendu2);
    EXPECT_DOUBLE_EQ(DureesLecture[3], 4.0 / 60);
    EXPECT_EQ(PileTempo.Taille(), 4u);

    // The count-in moves the tempo events with the tracks: the same durations.
    Configuration.Metronome = true;
    Jouer(ModeLectureDebut);
    EXPECT_DOUBLE_EQ(DureesLecture[2], attendu2);
    EXPECT_DOUBLE_EQ(DureesLecture[3], 4.0 / 60);
}

TEST_F(Ecriture, TheBeatUnderTheCursorPlaysAloneInFourFour)
{
    Mesures(2);
    Signature(2, 3, 4);
    Temps(2, 2, 480, {{1, 0}});
    TTemps& tp = Temps(2, 2, 480, {{1, 3}});
    tp.Notes[1].Effet = 5;
    tp.Notes[1].ValeurBend = 0.5;
    Partition.Muette[2] = true;
    Partition.TripletFeel = 1;
    Configuration.PlayEffects = false; // the single beat always renders its techniques
    PisteCourante = 2;
    Partition.MesureCourante = 2;
    Curseur.Temps = 2;
    DureesLecture.assign(3, 7.0);

    const FichierLu f = Jouer(ModeLectureTemps);
    ASSERT_EQ(f.nbPistes, 2);
    EXPECT_EQ(Hex(std::vector<uint8_t>(f.corps[0].begin() + 7, f.corps[0].begin() + 15)), "00 FF 58 04 04 02 18 08");
    EXPECT_EQ(NotesOn(f.pistes[1]), (std::vector<NoteJouee>{{0, 67, 95, 3}}));
    EXPECT_EQ(NotesOff(f.pistes[1])[0].tick, 480);
    EXPECT_EQ(DureesLecture, (std::vector<double>{7.0, 7.0, 7.0}));
}

TEST_F(Ecriture, AThousandMeasureSongExportsWhole)
{
    Mesures(kNbMesuresMax);
    for (int m = 1; m <= kNbMesuresMax; ++m)
        for (int b = 0; b < 16; ++b)
            Temps(1, m, 120, {{1, b}, {2, b}, {3, b}, {4, b}, {5, b}, {6, b}});
    Partition.Mesures[kNbMesuresMax]->Temps[1][16].Notes[1].Frette = 24;

    const FichierLu f = Exporter();
    EXPECT_GT(f.corps[1].size(), 300000u);
    const auto notes = NotesOn(f.pistes[1]);
    ASSERT_EQ(notes.size(), 1000u * 16 * 6);
    EXPECT_EQ(notes.back().tick, 999 * 1920 + 15 * 120);
    EXPECT_EQ(notes[notes.size() - 6].note, 64 + 24);
    EXPECT_EQ(DureesLecture.size(), 1001u);
    EXPECT_NEAR(std::accumulate(DureesLecture.begin(), DureesLecture.end(), 0.0), 1000 * 4.0 / 120, 1e-9);
}
