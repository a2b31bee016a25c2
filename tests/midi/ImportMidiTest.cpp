// MIDI import from files written here: formats 0 and 1, running status, tempo and time
// signatures, overlapping notes, notes out of reach, sources without notes, refused files,
// and a round trip through the MIDI writer.
#include "FabriqueMidi.h"

#include "document/Langue.h"
#include "midi/Doigte.h"
#include "midi/ImportMidi.h"

#include <gtest/gtest.h>

namespace midi_test {
namespace {

class ImportMidiTest : public MidiTest {
protected:
    void SetUp() override
    {
        MidiTest::SetUp();
        PoidsDoigte = TPoidsDoigte{};
        InstallerFenetrePrincipale(&fenetre_);
    }
    void TearDown() override
    {
        InstallerFenetrePrincipale(nullptr);
        DictionnaireLangue.clear();
        MidiTest::TearDown();
    }

    // The messages in words, each with its placeholders.
    static void ChargerAnglais() { ASSERT_TRUE(ChargerLangue(std::string(LYRX_SOURCE_DIR) + "/data/", "English")); }

    bool Importer(const std::vector<uint8_t>& octets, std::function<bool()> choix)
    {
        fenetre_.choix = std::move(choix);
        return ImporterFichierMidi(EcrireFichier(DossierTemporaire() / "import.mid", octets).string());
    }

    FenetreImport fenetre_;
    EnregistreurMessages messages_;
};

using F = std::vector<int>;
TempsVu Note(int ticks, int code, bool pointee = false) { return {ticks, code, pointee, 0, false, false}; }
TempsVu Repos(int ticks, int code) { return {ticks, code, false, 0, true, false}; }
TempsVu Lie(int ticks, int code) { return {ticks, code, false, 0, false, true}; }

// The pitches the frets of each beat of a measure sound, lowest string first.
std::vector<F> Sons(int piste, int mesure)
{
    std::vector<F> r;
    const TMesure& ms = *Partition.Mesures[mesure];
    for (int b = 1; b <= ms.NbTemps[piste]; ++b) {
        F sons;
        for (int s = Partition.NbCordes[piste]; s >= 1; --s)
            if (ms.Temps[piste][b].Notes[s].Frette >= 0 && !ms.Temps[piste][b].Silence)
                sons.push_back(ms.Temps[piste][b].Notes[s].Frette + Partition.Accordage[piste][s]);
        r.push_back(sons);
    }
    return r;
}

TEST_F(ImportMidiTest, Format1WithTempoSignatureNamesAndPrograms)
{
    PisteSmf tempo;
    tempo.Tempo(0, 600000).Signature(0, 3, 2).Tempo(0, 500000).Fin();
    PisteSmf lead;
    lead.Nom(0, "Lead").Ev(0, {0xC0, 25});
    lead.On(0, 64).Off(480, 64).On(0, 67).Off(240, 67).On(0, 69).Off(240, 69).On(240, 71).Off(720, 71).Fin();
    PisteSmf sansNom;
    sansNom.On(0, 40).Off(1440, 40).Fin();
    ASSERT_TRUE(Importer(Smf(1, 480, {tempo, lead, sansNom}), Affecter({{1, 1}})));

    EXPECT_EQ(fenetre_.dialogues, 1);
    EXPECT_EQ(fenetre_.sourcesVues, (std::vector<std::string>{"Lead", Traduire("Gene-Piste") + " 02"}));
    EXPECT_EQ(fenetre_.programmesVus, (std::vector<int32_t>{0, 25, 24}));
    EXPECT_EQ(Partition.Tempo, 100);
    ASSERT_EQ(Partition.NbMesures, 2);
    EXPECT_EQ(Partition.Mesures[1]->Numerateur, 3);
    EXPECT_EQ(Partition.Mesures[2]->Duree, 3.0);
    // The last note starts on the last eighth of measure 1 and is tied into measure 2.
    EXPECT_EQ(Rythme(1, 1), (std::vector<TempsVu>{Note(480, 0), Note(240, 1), Note(240, 1), Repos(240, 1), Note(240, 1)}));
    EXPECT_EQ(Rythme(1, 2), (std::vector<TempsVu>{Lie(480, 0), Repos(960, -1)}));
    EXPECT_EQ(Sons(1, 1), (std::vector<F>{{64}, {67}, {69}, {}, {71}}));
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[2], 0);
    EXPECT_FALSE(fenetre_.attenteVisible);
    EXPECT_FALSE(fenetre_.progressionHorsPlage);
    EXPECT_TRUE(messages_.Messages.empty());
}

TEST_F(ImportMidiTest, Format0ChannelsWithRunningStatusAndDrums)
{
    PisteSmf p;
    p.Ev(0, {0xC0, 33}).Ev(0, {0xC9, 0});
    // Channel 1: two notes with running status; channel 10: a drum note.
    p.Ev(0, {0x90, 45, 100}).Ev(0, {0x99, 36, 100}).Ev(480, {0x89, 36, 0}).Ev(0, {0x80, 45, 0});
    p.Ev(0, {0x90, 47, 100}).Octets({0x83, 0x60, 47, 0}).Fin();
    ASSERT_TRUE(Importer(Smf(0, 480, {p}), Affecter({{1, 1}, {kPistePercussions, 2}})));
    const std::string nonPrecise = " : " + Traduire("MidiImp-NonPrecise");
    EXPECT_EQ(fenetre_.sourcesVues,
              (std::vector<std::string>{Traduire("Gene-Piste") + " 01" + nonPrecise, Traduire("Gene-Piste") + " 10" + nonPrecise}));
    EXPECT_EQ(fenetre_.programmesVus, (std::vector<int32_t>{0, 33, 0}));
    EXPECT_EQ(Partition.Tempo, 120);
    EXPECT_EQ(Rythme(1, 1), (std::vector<TempsVu>{Note(480, 0), Note(480, 0), Repos(960, -1)}));
    EXPECT_EQ(Frettes(1, 1, 1), (F{-1, -1, -1, -1, 0, -1}));
    EXPECT_EQ(Frettes(1, 1, 2), (F{-1, -1, -1, -1, 2, -1}));
    EXPECT_EQ(Rythme(kPistePercussions, 1), (std::vector<TempsVu>{Note(480, 0), Repos(960, -1), Repos(480, 0)}));
    EXPECT_EQ(Frettes(kPistePercussions, 1, 1), (F{36, -1, -1, -1, -1, -1}));
}

TEST_F(ImportMidiTest, OverlappingNotesOutOfReachNotesAndOctaveDown)
{
    PisteSmf t;
    t.Fin();
    PisteSmf p;
    // Legato: the second note starts before the first ends. Then a note below the lowest
    // string, then one that only the octave shift brings into reach... of nothing: 28 - 12.
    p.On(0, 64).On(480, 66).Off(240, 64).Off(240, 66).On(0, 30).Off(480, 30).On(0, 76).Off(480, 76).Fin();
    ASSERT_TRUE(Importer(Smf(1, 480, {t, p}), Affecter({{1, 1}, {2, 1}}, 4, {2})));
    EXPECT_EQ(Rythme(1, 1), (std::vector<TempsVu>{Note(480, 0), Note(480, 0), Repos(480, 0), Note(480, 0)}));
    EXPECT_EQ(Frettes(1, 1, 2), (F{2, -1, -1, -1, -1, -1}));
    EXPECT_EQ(Frettes(1, 1, 3), (F{-1, -1, -1, -1, -1, -1}));
    // Track 2 an octave lower: 64 -> 52, 76 -> 64.
    EXPECT_EQ(Frettes(2, 1, 4), (F{0, -1, -1, -1, -1, -1}));
    EXPECT_TRUE(Partition.Mesures[1]->Temps[2][3].Silence);
}

TEST_F(ImportMidiTest, ASourceWithoutNotesLeavesTheOtherTracks)
{
    PisteSmf t;
    t.Fin();
    PisteSmf notes;
    notes.Nom(0, "Notes").On(0, 64).Off(1920, 64).On(0, 64).Off(1920, 64).Fin();
    PisteSmf vide;
    vide.Nom(0, "Words").Meta(0, 0x05, {'l', 'a'}).Fin(3840);
    ASSERT_TRUE(Importer(Smf(1, 480, {t, notes, vide}), [] {
        Affecter({{1, 1}, {2, 2}})();
        Partition.NomPiste[1] = "Notes";
        return true;
    }));
    ASSERT_EQ(Partition.NbMesures, 2);
    EXPECT_EQ(Partition.NomPiste[1], "Notes");
    EXPECT_EQ(Rythme(1, 2), (std::vector<TempsVu>{Note(1920, -2)}));
    EXPECT_EQ(Rythme(2, 1), (std::vector<TempsVu>{Repos(1920, -2)}));
    EXPECT_EQ(Rythme(2, 2), (std::vector<TempsVu>{Repos(1920, -2)}));
}

TEST_F(ImportMidiTest, TracksImportedBeforeALongerOneAreCompletedWithRests)
{
    PisteSmf t;
    t.Fin();
    PisteSmf court;
    court.On(0, 64).Off(480, 64).Fin();
    PisteSmf long_;
    long_.On(0, 59).Off(1920 * 3, 59).Fin();
    ASSERT_TRUE(Importer(Smf(1, 480, {t, court, long_}), Affecter({{1, 1}, {2, 2}})));
    ASSERT_EQ(Partition.NbMesures, 3);
    for (int m = 1; m <= 3; ++m) {
        EXPECT_EQ(TicksPiste(1, m), 1920) << m;
        EXPECT_EQ(TicksPiste(2, m), 1920) << m;
    }
    EXPECT_EQ(Rythme(1, 3), (std::vector<TempsVu>{Repos(1920, -2)}));
    EXPECT_EQ(Rythme(2, 3), (std::vector<TempsVu>{Lie(1920, -2)}));
}

TEST_F(ImportMidiTest, CancellingTheDialogImportsNothing)
{
    PisteSmf t;
    t.Tempo(0, 400000).Fin();
    PisteSmf p;
    p.On(0, 64).Off(480, 64).Fin();
    EXPECT_FALSE(Importer(Smf(1, 480, {t, p}), {}));
    EXPECT_EQ(fenetre_.dialogues, 1);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 0);
    // Never a tempo the song cannot hold, even for a moment the caller might see.
    EXPECT_GE(Partition.Tempo, 1);
    EXPECT_FALSE(fenetre_.attenteVisible);
}

TEST_F(ImportMidiTest, RefusedFilesShowTheirMessageAndNeverTheDialog)
{
    ChargerAnglais();
    struct Cas {
        const char* nom;
        std::vector<uint8_t> octets;
        const char* cle;
    };
    PisteSmf p;
    p.On(0, 64).Off(480, 64).Fin();
    std::vector<uint8_t> format2 = Smf(1, 480, {p});
    format2[9] = 2;
    // Cut in its last note-off: the note could have sounded on, or more notes followed.
    std::vector<uint8_t> tronque = Smf(1, 480, {PisteSmf().Fin(), p});
    tronque.resize(tronque.size() - 5);
    std::vector<uint8_t> statutManquant = Smf(0, 480, {PisteSmf().Ev(0, {0xFF, 0x01, 0x01, 'a'}).Ev(0, {60, 100}).Fin()});
    // 25 frames a second, 40 ticks a frame.
    std::vector<uint8_t> smpte = Smf(1, 480, {PisteSmf().Fin(), p});
    smpte[12] = 0xE7;
    smpte[13] = 40;
    const Cas cas[] = {
        {"format 2", format2, "Fichier-MIDINonReconnu"},
        {"truncated", tronque, "MidiImp-FichierEndommage"},
        {"running status with no status before", statutManquant, "MidiImp-FichierEndommage"},
        {"zero division", Smf(0, 0, {p}), "MidiImp-DivisionNulle"},
        {"SMPTE time code", smpte, "MidiImp-TempsSmpte"},
        {"text file", {'h', 'e', 'l', 'l', 'o'}, "Fichier-MIDINonReconnu"},
    };
    for (const Cas& c : cas) {
        messages_.Messages.clear();
        fenetre_.dialogues = 0;
        EXPECT_FALSE(Importer(c.octets, Affecter({{1, 1}}))) << c.nom;
        ASSERT_EQ(messages_.Messages.size(), 1u) << c.nom;
        EXPECT_EQ(messages_.Messages[0].Legende, Traduire("Dlg-Erreur"));
        EXPECT_EQ(messages_.Messages[0].Texte, Traduire(c.cle)) << c.nom;
        EXPECT_EQ(messages_.Messages[0].Icone, IconeErreur);
        EXPECT_EQ(fenetre_.dialogues, 0) << c.nom;
        EXPECT_FALSE(fenetre_.attenteVisible) << c.nom;
    }
    messages_.Messages.clear();
    EXPECT_FALSE(ImporterFichierMidi((DossierTemporaire() / "absent.mid").string()));
    ASSERT_EQ(messages_.Messages.size(), 1u);
    EXPECT_EQ(messages_.Messages[0].Texte, Traduire("Fichier-AccesImpossible"));
}

// A format-0 file missing the last bytes of its end-of-track event: the notes are all there.
TEST_F(ImportMidiTest, AFileCutInItsEndOfTrackEventImportsItsNotes)
{
    PisteSmf p;
    p.Signature(0, 4, 2).On(0, 64).Off(480, 64).On(0, 67).Off(480, 67).On(0, 69).Off(960, 69).Fin();
    for (std::size_t coupe : {1u, 3u}) {
        SCOPED_TRACE(coupe);
        std::vector<uint8_t> octets = Smf(0, 480, {p});
        octets.resize(octets.size() - coupe);
        messages_.Messages.clear();
        ASSERT_TRUE(Importer(octets, Affecter({{1, 1}})));
        EXPECT_TRUE(messages_.Messages.empty());
        EXPECT_EQ(Sons(1, 1), (std::vector<F>{{64}, {67}, {69}}));
        EXPECT_EQ(Rythme(1, 1), (std::vector<TempsVu>{Note(480, 0), Note(480, 0), Note(960, -1)}));
    }
}

// Sequencers put meta events and system-exclusive messages between the notes of a running
// status; the status goes on after them.
TEST_F(ImportMidiTest, ARunningStatusInterruptedByAMetaEventOrASysexGoesOn)
{
    PisteSmf p;
    p.Tempo(0, 500000).Ev(0, {0x90, 60, 64}).Octets({0x83, 0x60, 60, 0});
    const uint8_t gamme[] = {62, 64, 65, 67, 69, 71, 72};
    for (std::size_t i = 0; i < std::size(gamme); ++i) {
        if (i == 2)
            p.Meta(0, 0x01, {'m', 'e', 't', 'a'});
        if (i == 5)
            p.Ev(0, {0xF0, 0x03, 0x43, 0x10, 0xF7});
        p.Octets({0x00, gamme[i], 64, 0x83, 0x60, gamme[i], 0});
    }
    p.Fin();
    ASSERT_TRUE(Importer(Smf(0, 480, {p}), Affecter({{1, 1}})));
    EXPECT_TRUE(messages_.Messages.empty());
    ASSERT_EQ(Partition.NbMesures, 2);
    EXPECT_EQ(Sons(1, 1), (std::vector<F>{{60}, {62}, {64}, {65}}));
    EXPECT_EQ(Sons(1, 2), (std::vector<F>{{67}, {69}, {71}, {72}}));
}

// Every note an import leaves out is counted, by its cause, with the first measure that lost
// one, in the one warning box of the import. The file has a tempo track in 4/4; its track
// (or tracks) of notes at 480 ticks a quarter go onto standard guitars, or the drums.
TEST_F(ImportMidiTest, NotesLeftOutAreToldByCauseWithTheirFirstMeasure)
{
    ChargerAnglais();
    struct Ligne {
        const char* cle;
        int nombre;
        int mesure;
        std::string pistes; // the tracks concerned, after the out-of-reach line
        // Whether the tuning and octave hint comes with them: not for the drums alone.
        bool conseil = true;
    };
    struct Cas {
        const char* nom;
        std::vector<PisteSmf> pistes;
        std::function<bool()> choix;
        std::vector<Ligne> lignes;
        int division = 480;
    };
    // Whole notes one after the other, a chord when several pitches are given, a whole rest
    // when none.
    auto mesures = [](std::initializer_list<std::vector<uint8_t>> accords) {
        PisteSmf p;
        uint32_t silence = 0;
        for (const std::vector<uint8_t>& a : accords) {
            for (uint8_t h : a) {
                p.On(silence, h);
                silence = 0;
            }
            for (std::size_t i = 0; i < a.size(); ++i)
                p.Off(i == 0 ? 1920 : 0, a[i]);
            if (a.empty())
                silence += 1920;
        }
        return p.Fin(silence);
    };
    PisteSmf longue;
    for (int i = 0; i < 1100; ++i)
        longue.On(0, 64).Off(1920, 64);
    longue.Fin();
    PisteSmf tardive;
    tardive.On(0, 64).Off(1, 64).On(0x0FFFFFFF, 64).Off(1, 64).Fin();
    PisteSmf zeroTardif;
    zeroTardif.On(1920 * kNbMesuresMax, 0).Off(1920, 0).Fin();
    // A note the octave shift takes below MIDI note 0, some ticks before bar 2: told in the
    // measure the quantiser would have put it in (bar 1 at half a sixteenth, the earlier point).
    auto basseAvantBarre = [](uint32_t avant) { return PisteSmf().On(1920 - avant, 5).Off(avant, 5).Fin(); };

    const std::vector<Cas> cas = {
        {"everything fits", {mesures({{40}, {64, 67}, {88}})}, Affecter({{1, 1}}), {}},
        {"below the lowest open string", {mesures({{40}, {64}, {38, 50}, {39}})}, Affecter({{1, 1}}),
         {{"MidiImp-NotesHorsTessiture", 2, 3, "1"}}},
        {"above the highest fret", {mesures({{88}, {89}, {100}})}, Affecter({{1, 1}}),
         {{"MidiImp-NotesHorsTessiture", 2, 2, "1"}}},
        {"one octave lower takes a note below the strings", {mesures({{52}, {51}})}, Affecter({{1, 1}}, 4, {1}),
         {{"MidiImp-NotesHorsTessiture", 1, 2, "1"}}},
        {"one octave lower takes a note below MIDI note 0", {mesures({{52}, {5}})}, Affecter({{1, 1}}, 4, {1}),
         {{"MidiImp-NotesHorsTessiture", 1, 2, "1"}}},
        {"nothing but MIDI note 0", {mesures({{}, {0}})}, Affecter({{1, 1}}), {{"MidiImp-NotesHorsTessiture", 1, 2, "1"}}},
        // Neither a tuning nor the octave choice helps the drums: their track is named, with
        // no hint.
        {"drum notes above 99", {mesures({{36}, {100, 38}})}, Affecter({{kPistePercussions, 1}}),
         {{"MidiImp-NotesHorsTessiture", 1, 2, "8", false}}},
        {"notes out of reach on the drums and on a guitar", {mesures({{36}, {100}}), mesures({{30}})},
         Affecter({{kPistePercussions, 1}, {3, 2}}), {{"MidiImp-NotesHorsTessiture", 2, 1, "3, 8"}}},
        {"MIDI note 0 on the drums", {mesures({{}, {0}})}, Affecter({{kPistePercussions, 1}}), {}},
        {"MIDI note 0 after the last measure", {zeroTardif}, Affecter({{1, 1}}),
         {{"MidiImp-NotesApresFin", 1, kNbMesuresMax, ""}}},
        {"below MIDI note 0 half a sixteenth before a bar line", {basseAvantBarre(60)}, Affecter({{1, 1}}, 4, {1}),
         {{"MidiImp-NotesHorsTessiture", 1, 1, "1"}}},
        {"below MIDI note 0 closer to the bar line", {basseAvantBarre(59)}, Affecter({{1, 1}}, 4, {1}),
         {{"MidiImp-NotesHorsTessiture", 1, 2, "1"}}},
        {"two notes that only the lowest string plays", {mesures({{45}, {40, 41}})}, Affecter({{1, 1}}),
         {{"MidiImp-NotesSimultanees", 1, 2, ""}}},
        {"seven pitches at once on six strings", {mesures({{40, 45, 50, 55, 59, 64, 69}})}, Affecter({{1, 1}}),
         {{"MidiImp-NotesSimultanees", 1, 1, ""}}},
        {"1100 whole notes in a song of 1000 measures", {longue}, Affecter({{1, 1}}),
         {{"MidiImp-NotesApresFin", 100, kNbMesuresMax, ""}}},
        {"a note long after the time a song can reach", {tardive}, Affecter({{1, 1}}),
         {{"MidiImp-NotesApresFin", 1, kNbMesuresMax, ""}}, 1},
        {"causes of two tracks together", {mesures({{40}, {40, 41}, {39}}), mesures({{64}, {30}})},
         Affecter({{1, 1}, {2, 2}}),
         {{"MidiImp-NotesHorsTessiture", 2, 2, "1, 2"}, {"MidiImp-NotesSimultanees", 1, 2, ""}}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        PisteSmf tempo;
        tempo.Signature(0, 4, 2).Fin();
        std::vector<PisteSmf> pistes{tempo};
        pistes.insert(pistes.end(), c.pistes.begin(), c.pistes.end());
        messages_.Messages.clear();
        ASSERT_TRUE(Importer(Smf(1, c.division, pistes), c.choix));
        std::string attendu;
        for (const Ligne& l : c.lignes) {
            attendu += (attendu.empty() ? "" : "\n\n")
                + FormaterMessage2(Traduire(l.cle), std::to_string(l.nombre), std::to_string(l.mesure));
            if (!l.pistes.empty())
                attendu += "\n"
                    + FormaterMessage1(Traduire(l.conseil ? "MidiImp-ConseilTessiture" : "MidiImp-PistesConcernees"),
                                       l.pistes);
        }
        if (attendu.empty()) {
            EXPECT_TRUE(messages_.Messages.empty());
            continue;
        }
        ASSERT_EQ(messages_.Messages.size(), 1u);
        EXPECT_EQ(messages_.Messages[0].Legende, Traduire("Dlg-Avertissement"));
        EXPECT_EQ(messages_.Messages[0].Icone, IconeAvertissement);
        EXPECT_EQ(messages_.Messages[0].Texte, attendu);
    }
}

TEST_F(ImportMidiTest, FormatOneWithOnlyTheTempoTrackOffersNoSource)
{
    PisteSmf t;
    t.Fin();
    EXPECT_FALSE(Importer(Smf(1, 480, {t}), {}));
    EXPECT_TRUE(fenetre_.sourcesVues.empty());
}

TEST_F(ImportMidiTest, QuantisationGridOfTheTrack)
{
    PisteSmf t;
    t.Fin();
    PisteSmf p;
    p.On(0, 64).Off(70, 64).On(50, 64).Off(120, 64).Fin(1680);
    ASSERT_TRUE(Importer(Smf(1, 480, {t, p}), Affecter({{1, 1}}, 16)));
    EXPECT_EQ(Rythme(1, 1)[0], Note(60, 3));
    ASSERT_TRUE(Importer(Smf(1, 480, {t, p}), Affecter({{1, 1}}, 2)));
    EXPECT_EQ(Rythme(1, 1)[0], Note(240, 1));
}

// Maps sources 1 and 2 onto tracks 1 and 2 with a grid of its own for each.
std::function<bool()> DeuxGrilles(int q1, int q2)
{
    return [=] {
        Affecter({{1, 1}, {2, 2}})();
        ProprietesTempo.Quantification[1] = q1;
        ProprietesTempo.Quantification[2] = q2;
        return true;
    };
}

// Ticks from the start of the measure at which each beat holding a note begins.
std::vector<int64_t> DebutsDesNotes(int piste, int mesure)
{
    std::vector<int64_t> r;
    int64_t position = 0;
    const TMesure& ms = *Partition.Mesures[mesure];
    for (int b = 1; b <= ms.NbTemps[piste]; ++b) {
        const TTemps& tp = ms.Temps[piste][b];
        if (!tp.Silence && !tp.Lie)
            r.push_back(position);
        position += tp.Duree;
    }
    return r;
}

TEST_F(ImportMidiTest, NotesShorterThanTheGridKeepTheirPlaceBesideAnotherTrack)
{
    PisteSmf t;
    t.Fin();
    // Two measures of staccato sixteenths: one every 120 ticks, each sounding 60.
    PisteSmf staccato;
    for (int i = 0; i < 32; ++i) {
        const uint8_t note = static_cast<uint8_t>(64 + i % 3);
        staccato.On(i == 0 ? 0 : 60, note).Off(60, note);
    }
    staccato.Fin();
    // Two measures of quarters.
    PisteSmf noires;
    for (int i = 0; i < 8; ++i)
        noires.On(0, 52).Off(480, 52);
    noires.Fin();

    // Eighth grid for the sixteenths, sixteenth grid for the quarters.
    ASSERT_TRUE(Importer(Smf(1, 480, {t, staccato, noires}), DeuxGrilles(2, 4)));
    EXPECT_EQ(Partition.NbMesures, 2);
    for (int m = 1; m <= 2; ++m) {
        SCOPED_TRACE(m);
        EXPECT_EQ(TicksPiste(1, m), 1920);
        EXPECT_EQ(TicksPiste(2, m), 1920);
        // Every eighth of the measure starts a note of the sixteenths, as the quarters do on
        // the other track.
        EXPECT_EQ(DebutsDesNotes(1, m), (std::vector<int64_t>{0, 240, 480, 720, 960, 1200, 1440, 1680}));
        EXPECT_EQ(DebutsDesNotes(2, m), (std::vector<int64_t>{0, 480, 960, 1440}));
    }
    EXPECT_TRUE(messages_.Messages.empty());
}

TEST_F(ImportMidiTest, NotesAMeasureHasNoRoomForAreToldOnceWithTheFirstMeasure)
{
    // Measures of eight quarters: 128 steps of the finest grid, twice the beats a measure holds.
    PisteSmf t;
    t.Signature(0, 8, 2).Fin();
    // Track 1: 100 notes of one step in measure 1; 36 of them find no beat.
    PisteSmf a;
    for (int i = 0; i < 100; ++i)
        a.On(0, 64).Off(30, 64);
    a.Fin();
    // Track 2: a measure of rest, then 70 notes of one step in measure 2; 6 find no beat.
    PisteSmf b;
    for (int i = 0; i < 70; ++i)
        b.On(i == 0 ? 3840 : 0, 60).Off(30, 60);
    b.Fin();
    ASSERT_TRUE(Importer(Smf(1, 480, {t, a, b}), DeuxGrilles(16, 16)));
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], kNbTempsSaisis);
    EXPECT_EQ(Partition.Mesures[2]->NbTemps[2], kNbTempsSaisis);
    ASSERT_EQ(messages_.Messages.size(), 1u) << "once per import";
    EXPECT_EQ(messages_.Messages[0].Texte, FormaterMessage2(Traduire("MidiImp-NotesIgnorees"), "42", "1"));

    // An import where everything fits says nothing.
    messages_.Messages.clear();
    PisteSmf c;
    c.On(0, 64).Off(480, 64).Fin();
    ASSERT_TRUE(Importer(Smf(1, 480, {t, c}), Affecter({{1, 1}}, 16)));
    EXPECT_TRUE(messages_.Messages.empty());
}

// A file the fuzzer made: a note held for about two million ticks, which would lay out far
// more measures than a song holds. Every track takes the one source, with every quantisation.
TEST_F(ImportMidiTest, ANoteLongerThanTheSongCanHoldStopsAtTheLastMeasure)
{
    const std::vector<uint8_t> octets{
        0x4d, 0x54, 0x68, 0x64, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00, 0x01, 0x01, 0xe0, 0x4d, 0x54,
        0x72, 0x6b, 0x00, 0x00, 0x00, 0x36, 0x00, 0xff, 0x51, 0x03, 0x07, 0xa1, 0x20, 0x00, 0xff, 0x58,
        0x04, 0x03, 0x02, 0x18, 0x08, 0x00, 0xc0, 0x19, 0xfb, 0x8f, 0x40, 0x64, 0x81, 0x70, 0x80, 0x40,
        0x00, 0x00, 0x90, 0x3c, 0x50, 0x00, 0x00, 0x16, 0x00, 0x00, 0x00, 0x50, 0x2e, 0x60, 0x80, 0x3c,
        0x00, 0x00, 0x80, 0x43, 0x27, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00,
        0x01, 0x01, 0x5c, 0xe0, 0x4d, 0x54, 0x72, 0x6b, 0x00, 0x00, 0x00, 0x35, 0x00, 0xff, 0x51, 0x03,
        0x07, 0xa1, 0x20, 0x00, 0xff, 0x58, 0x04, 0x03, 0x02, 0x18, 0x80, 0x43, 0x00, 0x00, 0x00, 0x00,
        0x06, 0x2d, 0x00, 0x00, 0xff, 0x2f, 0x00};
    ASSERT_TRUE(Importer(octets, [] {
        for (int t = 1; t <= kNbPistes; ++t) {
            ProprietesTempo.PisteSource[t] = 1;
            ProprietesTempo.OctaveInferieure[t] = t % 2 == 0;
            ProprietesTempo.Quantification[t] = 2 << ((t - 1) % 4);
        }
        return true;
    }));
    EXPECT_EQ(Partition.NbMesures, kNbMesuresMax);
    for (int m = 1; m <= Partition.NbMesures; ++m)
        for (int t = 1; t <= kNbPistes; ++t) {
            ASSERT_GE(Partition.Mesures[m]->NbTemps[t], 1) << m << " " << t;
            ASSERT_LE(Partition.Mesures[m]->NbTemps[t], kNbTempsMax - 1) << m << " " << t;
        }
}

// Export a song with the writer and import it back: tempo, signatures, frets and rhythms
// come back.
TEST_F(ImportMidiTest, RoundTripThroughTheWriter)
{
    Partition.Tempo = 90;
    Mesures(3, 3, 4);
    Signature(3, 4, 4);
    // Measure 1: an open E chord (half), a quarter on string 2 fret 1.
    TTemps& e = Temps(1, 1, 960, {{1, 0}, {2, 0}, {3, 1}, {4, 2}, {5, 2}, {6, 0}});
    e.CodeDuree = -1;
    Temps(1, 1, 480, {{2, 1}});
    // Measure 2: eighths up the scale, a quarter rest.
    for (auto [s, f] : std::vector<std::pair<int, int>>{{5, 3}, {4, 0}, {4, 2}, {4, 3}})
        Temps(1, 2, 240, {{s, f}}).CodeDuree = 1;
    Silence(1, 2, 480);
    // Measure 3: a dotted quarter and the rest of the measure on a C chord.
    TTemps& pq = Temps(1, 3, 720, {{3, 0}});
    pq.Pointee = true;
    TTemps& c = Temps(1, 3, 1200, {{1, 0}, {2, 1}, {3, 0}, {4, 2}, {5, 3}});
    (void)c;
    // Drums.
    for (int m = 1; m <= 3; ++m)
        for (int i = 0; i < (m == 3 ? 4 : 3); ++i)
            Temps(kPistePercussions, m, 480, {{1, i == 0 ? 36 : 42}});
    const TPartition& avant = Partition;
    std::vector<std::vector<F>> frettesAvant;
    for (int m = 1; m <= 3; ++m) {
        std::vector<F> beats;
        for (int b = 1; b <= avant.Mesures[m]->NbTemps[1]; ++b)
            beats.push_back(Frettes(1, m, b));
        frettesAvant.push_back(beats);
    }

    ConstruireOrdreLecture(1, Partition.NbMesures, false);
    const std::vector<uint8_t> fichier = GenererFichierMidi(ModeLectureExport);
    ASSERT_TRUE(Importer(fichier, Affecter({{1, 1}, {kPistePercussions, 2}}, 16)));
    ASSERT_EQ(fenetre_.sourcesVues.size(), 2u);

    EXPECT_EQ(Partition.Tempo, 90);
    ASSERT_EQ(Partition.NbMesures, 3);
    EXPECT_EQ(Partition.Mesures[1]->Numerateur, 3);
    EXPECT_EQ(Partition.Mesures[3]->Numerateur, 4);
    EXPECT_EQ(Rythme(1, 1), (std::vector<TempsVu>{Note(960, -1), Note(480, 0)}));
    EXPECT_EQ(Rythme(1, 2), (std::vector<TempsVu>{Note(240, 1), Note(240, 1), Note(240, 1), Note(240, 1), Repos(480, 0)}));
    EXPECT_EQ(Rythme(1, 3).front(), Note(720, 0, true));
    EXPECT_EQ(TicksPiste(1, 3), 1920);
    for (int m = 1; m <= 3; ++m)
        for (int b = 1; b <= static_cast<int>(frettesAvant[static_cast<std::size_t>(m) - 1].size()); ++b) {
            if (Partition.Mesures[m]->Temps[1][b].Silence)
                continue;
            EXPECT_EQ(Frettes(1, m, b), frettesAvant[static_cast<std::size_t>(m) - 1][static_cast<std::size_t>(b) - 1])
                << "measure " << m << " beat " << b;
        }
    for (int m = 1; m <= 3; ++m) {
        EXPECT_EQ(TicksPiste(kPistePercussions, m), m == 3 ? 1920 : 1440) << m;
        EXPECT_EQ(Frettes(kPistePercussions, m, 1)[0], 36);
        EXPECT_EQ(Frettes(kPistePercussions, m, 2)[0], 42);
    }
}

} // namespace
} // namespace midi_test
