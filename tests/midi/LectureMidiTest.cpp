// Reading Standard MIDI Files for the import: variable-length quantities, the event walk with
// running status, the checks of the whole structure against a table of malformed files, the
// tempo and time signatures, the source lists, and reading a track into the note list.
#include "FabriqueMidi.h"

#include "midi/LectureMidi.h"

#include <gtest/gtest.h>

#include <chrono>

namespace midi_test {
namespace {

class LectureMidiTest : public MidiTest {};

ResultatLectureMidi Analyser(const std::vector<uint8_t>& o)
{
    TFichierMidi f;
    return AnalyserFichierMidi(o, f);
}

TFichierMidi Fichier(const std::vector<uint8_t>& o)
{
    TFichierMidi f;
    EXPECT_EQ(AnalyserFichierMidi(o, f), ResultatLectureMidi::Ok);
    return f;
}

// A small well-formed format-1 file: tempo track and one track of notes with running status.
std::vector<uint8_t> PetitFormat1()
{
    PisteSmf tempo;
    tempo.Tempo(0, 500000).Signature(0, 4, 2).Fin(0);
    PisteSmf notes;
    notes.Nom(0, "Guitare").Ev(0, {0xC0, 25}).On(0, 64).Octets({0x00, 59, 100}).Off(480, 64).Octets({0x00, 59, 0}).Fin(0);
    return Smf(1, 480, {tempo, notes});
}

TEST_F(LectureMidiTest, VariableLengthQuantitiesUpToFourBytes)
{
    struct Cas {
        std::vector<uint8_t> octets;
        bool ok;
        uint32_t valeur;
        int nombre;
    };
    const Cas cas[] = {
        {{0x00}, true, 0, 1},
        {{0x7F}, true, 127, 1},
        {{0x81, 0x00}, true, 128, 2},
        {{0x83, 0x60}, true, 480, 2},
        {{0x81, 0x80, 0x00}, true, 16384, 3},
        {{0xFF, 0xFF, 0xFF, 0x7F}, true, 0x0FFFFFFF, 4},
        {{0x81, 0x80, 0x80, 0x80, 0x00}, false, 0, 0}, // five bytes: malformed
        {{0x81}, false, 0, 0},                         // runs past the end
        {{}, false, 0, 0},
    };
    for (const Cas& c : cas) {
        std::size_t pos = 0;
        uint32_t v = 0;
        int32_t n = 0;
        EXPECT_EQ(LireLongueurVariable(c.octets.data(), c.octets.size(), pos, v, n), c.ok) << Hex(c.octets);
        if (c.ok) {
            EXPECT_EQ(v, c.valeur) << Hex(c.octets);
            EXPECT_EQ(n, c.nombre);
            EXPECT_EQ(pos, c.octets.size());
        }
    }
}

TEST_F(LectureMidiTest, EventsFollowTheRunningStatusOfEveryClass)
{
    // 90 with two implied note-ons, a controller then its implied repeat, a meta event and a
    // sysex each followed by a data byte (the controller's running status goes on through
    // them), a program change with an implied one, and the end of track.
    const std::vector<uint8_t> corps = DepuisHex(
        "00 90 3C 64  10 40 64  00 B1 07 50  00 0A 40  00 FF 01 02 41 42  00 0B 41"
        " 00 F0 03 7E 7F F7  00 0C 42  00 C2 05  00 06  00 FF 2F 00  00 90 3C 64");
    LecteurEvenementsMidi l(corps.data(), corps.size());
    TEvenementMidi e;
    std::vector<std::string> vus;
    while (l.Suivant(e)) {
        std::string s = std::to_string(e.Ticks) + ":" + Hex({e.Statut}) + (e.StatutEcrit ? "" : "r");
        if (e.Statut == 0xFF)
            s += " meta " + Hex({e.Donnee1}) + " len " + std::to_string(e.LongueurDonnees);
        else if (e.Statut == 0xF0)
            s += " sysex len " + std::to_string(e.LongueurDonnees);
        else
            s += " " + Hex({e.Donnee1, e.Donnee2});
        vus.push_back(s);
    }
    EXPECT_FALSE(l.Erreur());
    const std::vector<std::string> attendus = {
        "0:90 3C 64",        "16:90r 40 64", "16:B1 07 50", "16:B1r 0A 40", "16:FF meta 01 len 2", "16:B1r 0B 41",
        "16:F0 sysex len 3", "16:B1r 0C 42", "16:C2 05 00", "16:C2r 06 00", "16:FF meta 2F len 0",
    };
    EXPECT_EQ(vus, attendus);
}

TEST_F(LectureMidiTest, WellFormedFilesOfBothFormatsAreTaken)
{
    const TFichierMidi f1 = Fichier(PetitFormat1());
    EXPECT_EQ(f1.Format, 1);
    EXPECT_EQ(f1.Division, 480);
    EXPECT_EQ(f1.Pistes.size(), 2u);

    PisteSmf p;
    p.On(0, 60).Off(480, 60).Fin();
    const TFichierMidi f0 = Fichier(Smf(0, 96, {p}));
    EXPECT_EQ(f0.Format, 0);
    EXPECT_EQ(f0.Pistes.size(), 1u);

    // Chunks of other kinds are passed over, and a track without its end-of-track event ends
    // with its bytes.
    std::vector<uint8_t> o = Smf(1, 480, {PisteSmf().Fin()});
    o.insert(o.end(), {'X', 'F', 'I', 'H', 0, 0, 0, 2, 1, 2});
    o.insert(o.end(), {'M', 'T', 'r', 'k', 0, 0, 0, 4, 0x00, 0x90, 0x3C, 0x64});
    o[11] = 2;
    const TFichierMidi f2 = Fichier(o);
    ASSERT_EQ(f2.Pistes.size(), 2u);
    EXPECT_EQ(f2.Pistes[1].Longueur, 4u);
}

// Every malformed file is refused, and quickly: nothing of it is read past its end. What is
// not a MIDI file of format 0 or 1 is told apart from such a file that is damaged, and from one
// whose times are not in ticks per quarter note.
TEST_F(LectureMidiTest, MalformedFilesAreRefused)
{
    constexpr ResultatLectureMidi Non = ResultatLectureMidi::NonReconnu, Abime = ResultatLectureMidi::Endommage;
    const std::vector<uint8_t> bon = PetitFormat1();
    struct Cas {
        const char* nom;
        std::vector<uint8_t> octets;
        ResultatLectureMidi attendu;
    };
    std::vector<Cas> cas;
    auto variante = [&](const char* nom, ResultatLectureMidi attendu, auto&& changer) {
        std::vector<uint8_t> o = bon;
        changer(o);
        cas.push_back({nom, o, attendu});
    };
    cas.push_back({"empty", {}, Non});
    cas.push_back({"MTh", {'M', 'T', 'h'}, Non});
    cas.push_back({"ten bytes", std::vector<uint8_t>(bon.begin(), bon.begin() + 10), Abime});
    variante("format 2", Non, [](auto& o) { o[9] = 2; });
    variante("header length 7", Non, [](auto& o) { o[7] = 7; });
    variante("300 tracks", Non, [](auto& o) { o[10] = 1; o[11] = 0x2C; });
    variante("zero ticks per quarter", ResultatLectureMidi::DivisionNulle, [](auto& o) { o[12] = 0; o[13] = 0; });
    variante("time-code division", ResultatLectureMidi::TempsSmpte, [](auto& o) { o[12] = 0xE7; o[13] = 0x28; });
    variante("time-code division of 0 ticks a frame", ResultatLectureMidi::TempsSmpte, [](auto& o) { o[12] = 0xE2; o[13] = 0; });
    variante("not MThd", Non, [](auto& o) { o[0] = 'X'; });
    variante("first chunk longer than the file", Abime, [](auto& o) { o[18] = 0x7F; });
    variante("second chunk length 4 GB", Abime, [](auto& o) {
        const std::size_t i = 14 + 8 + (std::size_t(o[18]) << 24 | o[19] << 16 | o[20] << 8 | o[21]) + 4;
        o[i] = o[i + 1] = o[i + 2] = o[i + 3] = 0xFF;
    });
    // Inside a track.
    auto piste = [&](const char* nom, const char* hex, int format = 1) {
        PisteSmf p;
        p.o = DepuisHex(hex);
        cas.push_back({nom, format == 1 ? Smf(1, 480, {PisteSmf().Fin(), p}) : Smf(0, 480, {p}), Abime});
    };
    piste("delta of five bytes", "81 80 80 80 00 90 3C 64");
    piste("delta cut by the chunk end", "00 90 3C 64 83");
    piste("meta length beyond the chunk", "00 FF 01 8F FF FF 7F 41");
    piste("meta length of 20 bytes in a 6-byte chunk", "00 FF 03 14 41 42");
    piste("sysex length beyond the chunk", "00 F0 7F 01 02");
    piste("data byte before any status", "00 3C 64 00 FF 2F 00");
    piste("data byte after a meta event, with no status before", "00 FF 01 01 41 00 3C 64 00 FF 2F 00");
    piste("note data byte of 128 or more", "00 90 BC 64");
    piste("note cut in the middle", "00 90 3C");
    piste("meta type missing", "00 FF");
    piste("format 0: running status without status", "00 40 40", 0);

    for (const Cas& c : cas) {
        const auto debut = std::chrono::steady_clock::now();
        EXPECT_EQ(Analyser(c.octets), c.attendu) << c.nom;
        EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(1)) << c.nom;
    }
}

// A format-1 file that ends before the last tracks its header announces, or in the middle of
// its last track, keeps the tracks it holds whole and counts the others as incomplete. It is
// damaged when no source track is left whole, when bytes break the format elsewhere than in
// the cut track, or when it is of format 0, whose one track is all it has.
TEST_F(LectureMidiTest, AFileCutShortKeepsTheTracksItHoldsWhole)
{
    constexpr ResultatLectureMidi Ok = ResultatLectureMidi::Ok, Abime = ResultatLectureMidi::Endommage;
    PisteSmf tempo;
    tempo.Tempo(0, 500000).Fin();
    PisteSmf a;
    a.Nom(0, "A").On(0, 64).Off(480, 64).Fin();
    PisteSmf b;
    b.Nom(0, "B").On(0, 67).Off(480, 67).Fin();
    PisteSmf aAbime = a;
    aAbime.o[aAbime.o.size() - 6] = 0xC0; // the note-off's pitch byte becomes a status
    const auto coupe = [](std::vector<uint8_t> o, std::size_t moins) {
        o.resize(o.size() - moins);
        return o;
    };
    const std::vector<uint8_t> trois = Smf(1, 480, {tempo, a, b});
    std::vector<uint8_t> autreChunkCoupe = trois;
    autreChunkCoupe.insert(autreChunkCoupe.end(), {'X', 'F', 'I', 'H', 0, 0, 1, 0, 1, 2});
    autreChunkCoupe[11] = 4;
    std::vector<uint8_t> chunkVide = Smf(1, 480, {tempo, a});
    chunkVide.insert(chunkVide.end(), {'M', 'T', 'r', 'k', 0, 0, 1, 0});
    chunkVide[11] = 3;
    struct Cas {
        const char* nom;
        std::vector<uint8_t> octets;
        ResultatLectureMidi attendu;
        std::size_t pistes = 0;
        int32_t incompletes = 0;
    };
    const Cas cas[] = {
        {"whole", trois, Ok, 3, 0},
        {"five tracks announced, three held", Smf(1, 480, {tempo, a, b}, 5), Ok, 3, 2},
        {"cut in the last note-off", coupe(trois, 5), Ok, 2, 1},
        {"cut in the last track's chunk header", coupe(trois, b.o.size() + 4), Ok, 2, 1},
        {"the last track's chunk claiming 256 bytes that are not there", chunkVide, Ok, 2, 1},
        {"cut in the second of four sources announced", coupe(Smf(1, 480, {tempo, a, b}, 5), 5), Ok, 2, 3},
        {"cut only in the last end-of-track event", coupe(trois, 2), Ok, 3, 0},
        {"a chunk of another kind cut after the last track held", autreChunkCoupe, Ok, 3, 1},
        {"the only source cut", coupe(Smf(1, 480, {tempo, a}), 5), Abime},
        {"the only source missing", Smf(1, 480, {tempo}, 2), Abime},
        {"the tempo track cut in its tempo event", coupe(Smf(1, 480, {tempo}, 3), 6), Abime},
        {"a whole source with broken bytes before the cut one", coupe(Smf(1, 480, {tempo, aAbime, b}), 5), Abime},
        {"format 0 cut in its note-off", coupe(Smf(0, 480, {a}), 5), Abime},
        {"format 0 announcing three tracks", Smf(0, 480, {a}, 3), Ok, 1, 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        TFichierMidi f;
        ASSERT_EQ(AnalyserFichierMidi(c.octets, f), c.attendu);
        if (c.attendu != Ok)
            continue;
        EXPECT_EQ(f.Pistes.size(), c.pistes);
        EXPECT_EQ(f.PistesIncompletes, c.incompletes);
        // The tracks kept are read whole: the first source is A with its note.
        for (std::size_t k = 0; k < f.Pistes.size(); ++k)
            EXPECT_TRUE(LireNotesPiste(f, k, 0, 0)) << k;
        const std::size_t premiere = f.Format == 1 ? 1 : 0;
        EXPECT_EQ(AnalyserSourceMidi(f, premiere).Nom, "A");
        ASSERT_TRUE(LireNotesPiste(f, premiere, 0, 0));
        ASSERT_GE(NbEvtImport, 2);
        EXPECT_EQ(EvtImport[1].Hauteur, 64);
        EXPECT_EQ(EvtImport[1].Duree, 1.0);
    }
}

// A file cut at every byte: within its end-of-track event it is read as far as it goes, with
// every note of the whole file; anywhere else it is damaged, or not even a MIDI file when
// less than its "MThd" is left. When nothing of the end-of-track event is left, the missing
// bytes could have held a note unless they are no more than the shortest such event's four.
TEST_F(LectureMidiTest, ACutFileIsReadOnlyWhenNothingButItsEndOfTrackIsMissing)
{
    PisteSmf p;
    p.Tempo(0, 600000).Signature(0, 3, 2).Ev(0, {0xC0, 30}).On(0, 60).Octets({0x00, 64, 90}).Off(240, 60).Ev(0, {0xF0, 2, 0x7E, 0xF7}).Off(240, 64);
    PisteSmf finTardive = p;
    p.Fin();
    finTardive.Fin(480); // an end-of-track with a delta of two bytes: five bytes
    for (const std::vector<uint8_t>& bon : {PetitFormat1(), Smf(0, 480, {p}), Smf(0, 480, {finTardive})}) {
        const TFichierMidi entier = Fichier(bon);
        const std::size_t derniere = entier.Pistes.size() - 1;
        ASSERT_TRUE(LireNotesPiste(entier, derniere, 0, 0));
        const auto liste = [] { return std::vector<TEvtImport>(EvtImport.begin() + 1, EvtImport.begin() + NbEvtImport); };
        const std::vector<TEvtImport> notes = liste();
        ASSERT_FALSE(notes.empty());
        for (std::size_t n = 0; n < bon.size(); ++n) {
            SCOPED_TRACE("cut at " + std::to_string(n) + " of " + std::to_string(bon.size()));
            TFichierMidi f;
            const ResultatLectureMidi r = AnalyserFichierMidi(std::vector<uint8_t>(bon.begin(), bon.begin() + static_cast<std::ptrdiff_t>(n)), f);
            if (n < 4) {
                EXPECT_EQ(r, ResultatLectureMidi::NonReconnu);
            } else if (n < bon.size() - 4) {
                EXPECT_EQ(r, ResultatLectureMidi::Endommage);
            } else {
                ASSERT_EQ(r, ResultatLectureMidi::Ok);
                ASSERT_TRUE(LireNotesPiste(f, derniere, 0, 0));
                const std::vector<TEvtImport> lues = liste();
                ASSERT_EQ(lues.size(), notes.size());
                for (std::size_t k = 0; k < notes.size(); ++k) {
                    EXPECT_EQ(lues[k].Hauteur, notes[k].Hauteur) << k;
                    EXPECT_EQ(lues[k].Duree, notes[k].Duree) << k;
                }
            }
        }
    }
}

TEST_F(LectureMidiTest, EveryCorruptedByteGivesAnAnswerWithoutCrash)
{
    // Not every changed byte makes a file malformed, but none may crash or hang the reader, and
    // whatever is accepted can be read into the note list.
    const std::vector<uint8_t> bon = PetitFormat1();
    for (std::size_t i = 0; i < bon.size(); ++i)
        for (uint8_t v : {0x00, 0x7F, 0x80, 0xC3, 0xF0, 0xFF}) {
            std::vector<uint8_t> o = bon;
            o[i] = v;
            TFichierMidi f;
            if (AnalyserFichierMidi(o, f) != ResultatLectureMidi::Ok)
                continue;
            for (std::size_t k = 0; k < f.Pistes.size(); ++k)
                EXPECT_TRUE(LireNotesPiste(f, k, 12, 0));
            ReinitialiserPartition();
            LireTempoEtSignatures(f, 0);
        }
}

TEST_F(LectureMidiTest, ACouldNotBeOpenedFileIsToldApart)
{
    TFichierMidi f;
    EXPECT_EQ(ChargerFichierMidi((DossierTemporaire() / "absent.mid").string(), f), ResultatLectureMidi::Inaccessible);
    const auto chemin = EcrireFichier(DossierTemporaire() / "petit.mid", PetitFormat1());
    EXPECT_EQ(ChargerFichierMidi(chemin.string(), f), ResultatLectureMidi::Ok);
    EXPECT_EQ(f.Pistes.size(), 2u);
}

TEST_F(LectureMidiTest, TempoFromMicrosecondsPerQuarter)
{
    EXPECT_EQ(TempoDepuisMicrosecondes(500000), 120);
    EXPECT_EQ(TempoDepuisMicrosecondes(600000), 100);
    EXPECT_EQ(TempoDepuisMicrosecondes(700000), 85);
    // Outside what a song holds: no tempo for 0, the song's limits otherwise.
    EXPECT_EQ(TempoDepuisMicrosecondes(0), -1);
    EXPECT_EQ(TempoDepuisMicrosecondes(1), 999);
    EXPECT_EQ(TempoDepuisMicrosecondes(0xFFFFFF), 3);
}

TEST_F(LectureMidiTest, OnlyTheFirstTempoCounts)
{
    PisteSmf t;
    t.Tempo(0, 0).Tempo(0, 700000).Tempo(960, 500000).Fin();
    EXPECT_EQ(LireTempoEtSignatures(Fichier(Smf(1, 480, {t})), 0), 85);
    PisteSmf sans;
    sans.Fin();
    EXPECT_EQ(LireTempoEtSignatures(Fichier(Smf(1, 480, {sans})), 0), -1);
}

struct SignatureVue {
    int num, den;
    double duree;
    bool operator==(const SignatureVue&) const = default;
};
std::vector<SignatureVue> Signatures()
{
    std::vector<SignatureVue> r;
    for (int m = 1; m <= Partition.NbMesures; ++m)
        r.push_back({Partition.Mesures[m]->Numerateur, Partition.Mesures[m]->Denominateur, Partition.Mesures[m]->Duree});
    return r;
}

TEST_F(LectureMidiTest, TimeSignaturesBuildTheMeasures)
{
    struct Cas {
        const char* nom;
        std::function<void(PisteSmf&)> piste;
        std::vector<SignatureVue> mesures;
    };
    const Cas cas[] = {
        {"4/4 then 3/4 at tick 7680", [](PisteSmf& p) { p.Signature(0, 4, 2).Signature(7680, 3, 2); },
         {{4, 4, 4}, {4, 4, 4}, {4, 4, 4}, {4, 4, 4}, {3, 4, 3}}},
        {"6/8", [](PisteSmf& p) { p.Signature(0, 6, 3); }, {{6, 8, 3}}},
        {"two at the same tick: the later replaces", [](PisteSmf& p) { p.Signature(0, 4, 2).Signature(1920, 3, 2).Signature(0, 5, 2); },
         {{4, 4, 4}, {5, 4, 5}}},
        {"none: the new song's 4/4", [](PisteSmf&) {}, {{4, 4, 4}}},
        // Signatures a song cannot hold are passed over.
        {"numerator 0, denominator 2^8, numerator 33", [](PisteSmf& p) {
             p.Signature(0, 0, 2).Signature(0, 4, 8).Signature(0, 33, 2).Signature(0, 2, 2).Signature(960, 3, 6);
         }, {{2, 4, 2}}},
        // A delta time whose first byte is FF, and a sysex, in the tempo track.
        {"long delta and sysex", [](PisteSmf& p) {
             p.Signature(0, 4, 2).Ev(0, {0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7}).Ev(0, {0xB0, 7, 100}).Signature(16320, 3, 2);
         }, {{4, 4, 4}, {4, 4, 4}, {4, 4, 4}, {4, 4, 4}, {3, 4, 3}}},
    };
    for (const Cas& c : cas) {
        ReinitialiserPartition();
        PisteSmf p;
        c.piste(p);
        p.Fin();
        const int division = std::string(c.nom) == "long delta and sysex" ? 960 : 480;
        LireTempoEtSignatures(Fichier(Smf(1, division, {p})), 0);
        EXPECT_EQ(Signatures(), c.mesures) << c.nom;
    }
}

TEST_F(LectureMidiTest, SignaturesNeverBuildMoreMeasuresThanASongHolds)
{
    PisteSmf p;
    p.Signature(0, 4, 2).Signature(0x0FFFFFFF, 3, 2).Signature(1920 * 990, 2, 2).Signature(1920 * 20, 5, 2).Fin();
    LireTempoEtSignatures(Fichier(Smf(1, 1, {p})), 0);
    EXPECT_LE(Partition.NbMesures, kNbMesuresMax);
    for (int m = 1; m <= Partition.NbMesures; ++m)
        ASSERT_TRUE(Partition.Mesures[m]);
}

TEST_F(LectureMidiTest, SourceNameAndProgram)
{
    struct Cas {
        const char* hex;
        bool avecNom;
        std::string nom;
        int programme;
    };
    const Cas cas[] = {
        {"00 FF 03 03 42 61 73 00 C0 21 00 C0 22 00 FF 2F 00", true, "Bas", 33},  // first after the name
        {"00 C0 05 00 C0 06 00 FF 03 01 41 00 FF 2F 00", true, "A", 6},           // last before it
        {"00 C0 05 00 C0 06 00 FF 2F 00", false, "", 6},                         // no name: the last
        {"00 90 3C 64 00 FF 2F 00", false, "", -1},
        {"00 C5 07 00 FF 03 00 00 FF 03 01 5A 00 C5 08", true, "", 8},            // an empty name counts
    };
    for (const Cas& c : cas) {
        PisteSmf p;
        p.o = DepuisHex(c.hex);
        const TSourceMidi s = AnalyserSourceMidi(Fichier(Smf(1, 480, {PisteSmf().Fin(), p})), 1);
        EXPECT_EQ(s.AvecNom, c.avecNom) << c.hex;
        EXPECT_EQ(s.Nom, c.nom) << c.hex;
        EXPECT_EQ(s.Programme, c.programme) << c.hex;
    }
}

TEST_F(LectureMidiTest, Format0ChannelsWithWrittenNoteOnsAndTheirLastProgram)
{
    PisteSmf p;
    p.Ev(0, {0xC0, 25}).Ev(0, {0xC0, 26}).On(0, 60, 1).Octets({0, 62, 90}).On(0, 36, 10).Ev(0, {0xC3, 40}).Ev(0, {0x83, 60, 0}).Fin();
    const TCanauxMidi c = AnalyserCanauxMidi(Fichier(Smf(0, 480, {p})), 0);
    for (int canal = 1; canal <= 16; ++canal)
        EXPECT_EQ(c.Utilise[static_cast<std::size_t>(canal)], canal == 1 || canal == 10) << canal;
    EXPECT_EQ(c.Programme[1], 26);
    EXPECT_EQ(c.Programme[4], 40);
    EXPECT_EQ(c.Programme[10], -1);
}

std::vector<std::pair<int, double>> Lire(const PisteSmf& p, int decalage = 0, int canal = 0, int division = 480)
{
    const TFichierMidi f = Fichier(Smf(0, division, {p}));
    EXPECT_TRUE(LireNotesPiste(f, 0, decalage, canal));
    std::vector<std::pair<int, double>> r;
    for (int k = 1; k < NbEvtImport; ++k)
        r.emplace_back(EvtImport[k].Hauteur, EvtImport[k].Duree);
    return r;
}

using Entrees = std::vector<std::pair<int, double>>;

TEST_F(LectureMidiTest, NotesBecomeTheNoteList)
{
    struct Cas {
        const char* nom;
        std::function<void(PisteSmf&)> piste;
        Entrees attendu;
        double total;
    };
    const Cas cas[] = {
        {"note, rest, note", [](PisteSmf& p) { p.On(0, 60).Off(480, 60).On(480, 62).Off(480, 62).Fin(); },
         {{60, 1.0}, {-1, 1.0}, {62, 1.0}, {-1, 0.0}}, 3.0},
        {"chord of three", [](PisteSmf& p) { p.On(0, 60).On(0, 64).On(0, 67).Off(960, 60).Off(0, 64).Off(0, 67).Fin(); },
         {{60, 0.0}, {64, 0.0}, {67, 2.0}, {-1, 0.0}}, 2.0},
        {"legato: a note-on closes the sounding note", [](PisteSmf& p) { p.On(0, 60).On(480, 64).Off(240, 60).Off(240, 64).Fin(); },
         {{60, 1.0}, {64, 1.0}, {-1, 0.0}}, 2.0},
        {"leading silence", [](PisteSmf& p) { p.On(960, 60).Off(480, 60).Fin(240); }, {{-1, 2.0}, {60, 1.0}, {-1, 0.0}}, 3.5},
        {"re-struck note: the empty rest between goes", [](PisteSmf& p) { p.On(0, 60).Off(480, 60).On(0, 60).Off(480, 60).Fin(); },
         {{60, 1.0}, {60, 1.0}, {-1, 0.0}}, 2.0},
        {"note-on of velocity 0 ends the note", [](PisteSmf& p) { p.On(0, 60).Ev(240, {0x90, 60, 0}).Fin(); },
         {{60, 0.5}, {-1, 0.0}}, 0.5},
        {"running status", [](PisteSmf& p) { p.On(0, 60).Octets({0x83, 0x60, 60, 0, 0x00, 62, 80, 0x83, 0x60, 62, 0}).Fin(); },
         {{60, 1.0}, {62, 1.0}, {-1, 0.0}}, 2.0},
        {"a note-off of an earlier group changes nothing", [](PisteSmf& p) { p.On(0, 60).On(480, 64).Off(0, 64).Off(480, 60).Fin(); },
         {{60, 1.0}, {64, 0.0}, {-1, 0.0}}, 2.0},
    };
    for (const Cas& c : cas) {
        PisteSmf p;
        c.piste(p);
        EXPECT_EQ(Lire(p), c.attendu) << c.nom;
        EXPECT_DOUBLE_EQ(DureeTotaleImport, c.total) << c.nom;
    }
}

TEST_F(LectureMidiTest, OctaveDownAndChannelFilter)
{
    PisteSmf p;
    p.On(0, 52).Off(480, 52).Fin();
    EXPECT_EQ(Lire(p, 12), (Entrees{{40, 1.0}, {-1, 0.0}}));

    // Notes 11 and 10 an octave down would read as the rest and tie marks: they are left out.
    PisteSmf bas;
    bas.On(0, 11).On(0, 10).On(0, 60).Off(480, 11).Off(0, 10).Off(0, 60).Fin();
    EXPECT_EQ(Lire(bas, 12), (Entrees{{48, 1.0}, {-1, 0.0}}));

    PisteSmf canaux;
    canaux.On(0, 60, 1).On(0, 36, 10).Off(480, 60, 1).Off(0, 36, 10).Fin();
    EXPECT_EQ(Lire(canaux, 0, 10), (Entrees{{36, 1.0}, {-1, 0.0}}));
    EXPECT_EQ(Lire(canaux, 0, 2), (Entrees{}));
}

TEST_F(LectureMidiTest, NotesLongAfterWhatASongHoldsAreNotRead)
{
    PisteSmf p;
    p.On(0, 60).Off(1, 60);
    for (int i = 0; i < 300; ++i)
        p.On(0x0FFFFFFF, 60).Off(1, 60);
    p.Fin();
    Lire(p, 0, 0, 1);
    EXPECT_LE(DureeTotaleImport, kDureeImportMax);
    EXPECT_LE(NbEvtImport, 10);
}

} // namespace
} // namespace midi_test
