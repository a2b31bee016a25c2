// The text tablature import: hand-written tablature as tables of cases, how runs of lines map
// to strings, measures and the rest of the song, malformed text, and the export read back.
#include "print/ImportASCII.h"

#include "ChansonASCII.h"
#include "print/ExportASCII.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>

namespace {

using Lignes = std::vector<std::string>;

// One beat as "ticks fret fret ... [letter]": "." for a string without a note, "x" for a dead
// note, a link letter after the fret, the beat technique's letter at the end.
std::string Signature(const TTemps& temps, int n)
{
    static constexpr const char* liens[] = {"", "h", "p", "/", "\\", "b", "r", "L"};
    std::string s = std::to_string(temps.Duree);
    for (int c = 1; c <= n; ++c) {
        const TNoteCorde& note = temps.Notes[c];
        s += ' ';
        if (note.Frette < 0)
            s += '.';
        else if (note.Frette == kNoteMorte)
            s += 'x';
        else
            s += std::to_string(note.Frette);
        if (note.Frette >= 0 && note.Effet < 8)
            s += liens[note.Effet];
    }
    switch (temps.Effet) {
    case 1: s += " ~"; break;
    case 5: s += " t"; break;
    case 6: s += " s"; break;
    default: break;
    }
    return s;
}

Lignes Mesure(int m, int piste = 1)
{
    Lignes r;
    const TMesure& mesure = *Partition.Mesures[m];
    for (int b = 1; b <= mesure.NbTemps[piste]; ++b)
        r.push_back(Signature(mesure.Temps[piste][b], Partition.NbCordes[piste]));
    return r;
}

// Code of a note value from its ticks, as the import writes them.
int Code(int32_t ticks)
{
    switch (ticks) {
    case 960: return -1;
    case 480: return 0;
    case 240: return 1;
    case 120: return 2;
    default: return 99;
    }
}

class ImportASCII : public ChansonASCII {};

} // namespace

TEST_F(ImportASCII, VariableDurationsComeFromTheGapAfterEachNote)
{
    struct Cas {
        const char* nom;
        Lignes texte;
        int32_t tirets; // list position: dashes per quarter - 1
        Lignes attendu;
    };
    const Cas cas[] = {
        {"four dashes give quarters", {"|-0----1----2----3----|"}, 3,
         {"480 . . . . . 0", "480 . . . . . 1", "480 . . . . . 2", "480 . . . . . 3"}},
        {"more gives a half, less an eighth", {"|-0-----1---2--3|"}, 3,
         {"960 . . . . . 0", "240 . . . . . 1", "240 . . . . . 2", "240 . . . . . 3"}},
        {"one dash per quarter", {"|-0-1--2|"}, 0, {"480 . . . . . 0", "960 . . . . . 1", "240 . . . . . 2"}},
        {"eight dashes per quarter", {"|-0--------1-------|"}, 7, {"480 . . . . . 0", "240 . . . . . 1"}},
        {"the gap starts after a two-digit fret", {"|-12----3----|"}, 3, {"480 . . . . . 12", "480 . . . . . 3"}},
        {"the last note keeps the value of the one before", {"|-0------1"}, 3, {"960 . . . . . 0", "960 . . . . . 1"}},
    };
    for (const Cas& c : cas) {
        SetUp();
        Configuration.NbTirets = c.tirets;
        EXPECT_TRUE(ImporterASCII(c.texte));
        EXPECT_EQ(Mesure(1), c.attendu) << c.nom;
        for (int b = 1; b <= MesureASCII(1).NbTemps[1]; ++b) {
            const TTemps& t = MesureASCII(1).Temps[1][b];
            EXPECT_EQ(t.CodeDuree, Code(t.Duree)) << c.nom;
            EXPECT_FALSE(t.Pointee || t.Triolet || t.Silence || t.Lie) << c.nom;
        }
    }
}

TEST_F(ImportASCII, FixedModesGiveEveryBeatTheChosenValue)
{
    const struct {
        int32_t type;
        int32_t ticks;
        int code;
    } cas[] = {{1, 960, -1}, {2, 480, 0}, {3, 240, 1}, {4, 120, 2}};
    for (const auto& c : cas) {
        SetUp();
        Configuration.TypeImport = c.type;
        EXPECT_TRUE(ImporterASCII({"|-0-1--2---------|"}));
        ASSERT_EQ(MesureASCII(1).NbTemps[1], 3) << c.type;
        for (int b = 1; b <= 3; ++b) {
            EXPECT_EQ(MesureASCII(1).Temps[1][b].Duree, c.ticks) << c.type;
            EXPECT_EQ(MesureASCII(1).Temps[1][b].CodeDuree, c.code) << c.type;
        }
    }
}

TEST_F(ImportASCII, ALetterRightAfterADigitFretSetsOneTechnique)
{
    const struct {
        Lignes texte;
        Lignes attendu;
    } cas[] = {
        {{"|-5h-|"}, {"480 . . . . . 5h"}},
        {{"|-5p-|"}, {"480 . . . . . 5p"}},
        {{"|-5/-|"}, {"480 . . . . . 5/"}},
        {{"|-5\\-|"}, {"480 . . . . . 5\\"}},
        {{"|-5b-|"}, {"480 . . . . . 5b"}},
        {{"|-5r-|"}, {"480 . . . . . 5r"}},
        {{"|-12b-|"}, {"480 . . . . . 12b"}},
        {{"|-5~-|"}, {"480 . . . . . 5 ~"}},
        {{"|-5t-|"}, {"480 . . . . . 5 t"}},
        {{"|-5s-|"}, {"480 . . . . . 5 s"}},
        {{"|-5H-|"}, {"480 . . . . . 5"}},
        {{"|-5q-|"}, {"480 . . . . . 5"}},
        {{"|-x--|"}, {"480 . . . . . x"}},
        {{"|-xh-|"}, {"480 . . . . . x"}}, // a letter after a dead note is ignored
        {{"|-X--|"}, {}},                   // only a small x is a dead note
        {{"|-7b-|", "|-5~-|"}, {"480 . . . . 7b 5 ~"}},
    };
    for (const auto& c : cas) {
        SetUp();
        Configuration.TypeImport = ImportNoires;
        ImporterASCII(c.texte);
        EXPECT_EQ(Mesure(1), c.attendu) << c.texte[0];
    }
}

TEST_F(ImportASCII, ASecondDigitOnAnotherStringIsPassedOver)
{
    Configuration.TypeImport = ImportNoires;
    ImporterASCII({"|-12--|", "|--3--|"});
    EXPECT_EQ(Mesure(1), Lignes({"480 . . . . 12 ."}));
}

TEST_F(ImportASCII, StringNamesAreSkippedAndEachClosingBarOpensTheNextMeasure)
{
    ImporterASCII({"e|---0---|---2---|", "B|-------|-------|", "G|-------|-------|",
                   "D|-------|-------|", "A|-------|-------|", "E|---3---|-------|"});
    ASSERT_EQ(Partition.NbMesures, 2);
    EXPECT_EQ(Mesure(1), Lignes({"240 0 . . . . 3"}));
    EXPECT_EQ(Mesure(2), Lignes({"240 2 . . . . ."}));
}

TEST_F(ImportASCII, FortyNoteColumnsInOneMeasureGiveThirtyTwoBeatsAndEight)
{
    Configuration.TypeImport = ImportNoires;
    std::string ligne = "|";
    for (int k = 0; k < 40; ++k)
        ligne += "0-";
    ImporterASCII({ligne + "|"});
    ASSERT_EQ(Partition.NbMesures, 2);
    EXPECT_EQ(MesureASCII(1).NbTemps[1], 32);
    EXPECT_EQ(MesureASCII(2).NbTemps[1], 8);
}

TEST_F(ImportASCII, TheLastLinesOfARunAreTheStringsFromTheBottomUp)
{
    const Lignes six = {"|-1-|", "|-2-|", "|-3-|", "|-4-|", "|-5-|", "|-6-|"};
    const Lignes quatre = {"|-1-|", "|-2-|", "|-3-|", "|-4-|"};
    Lignes deuxBlocsColles = {"|-9-|", "|-9-|"};
    deuxBlocsColles.insert(deuxBlocsColles.end(), six.begin(), six.end());
    Lignes avecSeparateur = six;
    avecSeparateur.push_back("-----");
    Lignes longRun(9, "|-9-|");
    longRun.insert(longRun.end(), six.begin(), six.end());
    const struct {
        const char* nom;
        Lignes texte;
        int cordes;
        Lignes attendu;
    } cas[] = {
        {"six lines, six strings", six, 6, {"480 1 2 3 4 5 6"}},
        {"two runs without a line between read as one", deuxBlocsColles, 6, {"480 1 2 3 4 5 6"}},
        {"a run longer than any track", longRun, 6, {"480 1 2 3 4 5 6"}},
        {"bass lines into a bass track", quatre, 4, {"480 1 2 3 4"}},
        {"guitar lines into a bass track", six, 4, {"480 3 4 5 6"}},
        {"bass lines into a guitar track", quatre, 6, {"480 . . 1 2 3 4"}},
        {"a line of dashes below joins the run", avecSeparateur, 6, {"480 2 3 4 5 6 ."}},
    };
    for (const auto& c : cas) {
        SetUp();
        Configuration.TypeImport = ImportNoires;
        Partition.NbCordes[1] = c.cordes;
        ImporterASCII(c.texte);
        EXPECT_EQ(Mesure(1), c.attendu) << c.nom;
    }
}

TEST_F(ImportASCII, OtherTracksAndTheSongsMeasuresStay)
{
    PisteCourante = 2;
    for (int m = 1; m <= 3; ++m)
        AjouterTempsASCII(m, 0, false, {{2, m}});
    PisteCourante = 1;
    for (int m = 1; m <= 5; ++m)
        for (int b = 0; b < 5; ++b)
            AjouterTempsASCII(m, 0, false, {{1, 7}, {4, 7}});
    MesureASCII(1).Numerateur = 3;
    MesureASCII(1).Duree = 3.0;
    MesureASCII(2).RenvoiDebut = true;

    EXPECT_TRUE(ImporterASCII({"|-0----|"}));

    EXPECT_EQ(Partition.NbMesures, 3); // 4 and 5 held beats of the imported track only
    EXPECT_EQ(Mesure(1), Lignes({"480 . . . . . 0"}));
    EXPECT_TRUE(Mesure(2).empty());
    EXPECT_TRUE(Mesure(3).empty());
    for (int m = 1; m <= 3; ++m)
        EXPECT_EQ(Mesure(m, 2), Lignes({"480 . " + std::to_string(m) + " . . . ."}));
    EXPECT_EQ(MesureASCII(1).Numerateur, 3);
    EXPECT_TRUE(MesureASCII(2).RenvoiDebut);
    // The free slot after the imported beat no longer shows the old notes, and the stored
    // length follows the new beats.
    const TTemps& libre = MesureASCII(1).Temps[1][2];
    for (int s = 1; s <= 6; ++s)
        EXPECT_EQ(libre.Notes[s].Frette, kPasDeNote);
    EXPECT_DOUBLE_EQ(MesureASCII(1).DureeReelle[1], 1.0);
    EXPECT_DOUBLE_EQ(MesureASCII(2).DureeReelle[1], 0.0);
    EXPECT_EQ(Partition.MesureCourante, 1);
    EXPECT_EQ(Curseur.Temps, 1);
    EXPECT_EQ(Curseur.Corde, 1);
}

TEST_F(ImportASCII, NewMeasuresTakeTheTimeSignatureBeforeThemAndNoMarks)
{
    TMesure& premiere = MesureASCII(1);
    premiere.Numerateur = 3;
    premiere.Denominateur = 8;
    premiere.Duree = 1.5;
    premiere.RenvoiFin = true;
    premiere.NbRenvois = 4;
    EXPECT_TRUE(ImporterASCII({"|-0-|-1-|-2-|"}));
    ASSERT_EQ(Partition.NbMesures, 3);
    EXPECT_TRUE(MesureASCII(1).RenvoiFin);
    EXPECT_EQ(MesureASCII(1).NbRenvois, 4);
    for (int m = 2; m <= 3; ++m) {
        const TMesure& mesure = MesureASCII(m);
        EXPECT_EQ(mesure.Numerateur, 3);
        EXPECT_EQ(mesure.Denominateur, 8);
        EXPECT_DOUBLE_EQ(mesure.Duree, 1.5);
        EXPECT_FALSE(mesure.RenvoiDebut || mesure.RenvoiFin || mesure.Repetition);
        EXPECT_EQ(mesure.NbRenvois, 1);
        EXPECT_EQ(mesure.NumRepetition, 1);
        EXPECT_EQ(mesure.NbTemps[1], 1);
        for (int t = 2; t <= kNbPistes; ++t) {
            EXPECT_EQ(mesure.NbTemps[t], 0);
            EXPECT_EQ(mesure.Temps[t][1].Duree, kTicksNoire);
            EXPECT_EQ(mesure.Temps[t][1].Notes[1].Frette, kPasDeNote);
        }
    }
}

TEST_F(ImportASCII, ABeatLeftOpenAtTheEndOfABlockKeepsItsValue)
{
    // The first block ends without a bar: its last beat is not measured against a column of
    // the next block.
    EXPECT_TRUE(ImporterASCII({"|-0------1--", "", "--2----3----|"}));
    EXPECT_EQ(Mesure(1), Lignes({"960 . . . . . 0", "960 . . . . . 1", "480 . . . . . 2", "480 . . . . . 3"}));
}

TEST_F(ImportASCII, MalformedTextNeverStopsTheParserAndTakesLittleTime)
{
    std::string binaire;
    for (int k = 0; k < 4096; ++k)
        binaire += static_cast<char>(k % 256);
    Lignes octets;
    for (int k = 0; k < 50; ++k)
        octets.push_back(binaire.substr(static_cast<std::size_t>(k), 1000 + static_cast<std::size_t>(k)));
    const struct {
        const char* nom;
        Lignes texte;
        int32_t beats; // of the current track in measure 1
    } cas[] = {
        {"no text", {}, 0},
        {"no tablature", {"hello", "world", "x 1 2 3"}, 0},
        {"one line of a million dashes", {std::string(1'000'000, '-')}, 0},
        {"bars only", {"||||||||--", "|||||||||||--"}, 0},
        {"bars and dashes in unequal lines", {"|--|", "|----------|", "|-|"}, 0},
        {"bytes of every value", octets, -1},
        {"a digit in the last column", {"|-----3"}, 1},
        {"lines of very different lengths", {"|-1-", "|-------------------2---------|", "---|"}, 2},
    };
    for (const auto& c : cas) {
        SetUp();
        const auto debut = std::chrono::steady_clock::now();
        ImporterASCII(c.texte);
        const double secondes = std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
        EXPECT_LT(secondes, 10.0) << c.nom;
        EXPECT_GE(Partition.NbMesures, 1) << c.nom;
        EXPECT_LE(Partition.NbMesures, kNbMesuresMax) << c.nom;
        if (c.beats >= 0) {
            EXPECT_EQ(MesureASCII(1).NbTemps[1], c.beats) << c.nom;
        }
        for (int m = 1; m <= Partition.NbMesures; ++m)
            EXPECT_LE(MesureASCII(m).NbTemps[1], NbTempsMaxImportASCII) << c.nom;
    }
}

TEST_F(ImportASCII, TextNeedingMoreThanAThousandMeasuresFillsThemAndSaysSo)
{
    Configuration.TypeImport = ImportNoires;
    const auto debut = std::chrono::steady_clock::now();
    EXPECT_FALSE(ImporterASCII({"-----" + std::string(200'000, '1')}));
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count(), 10.0);
    ASSERT_EQ(Partition.NbMesures, kNbMesuresMax);
    for (int m : {1, 500, kNbMesuresMax}) {
        EXPECT_EQ(MesureASCII(m).NbTemps[1], 32) << m;
        EXPECT_EQ(MesureASCII(m).Temps[1][32].Notes[6].Frette, 11) << m;
    }

    // A shorter text afterwards empties the track again and drops the measures it no longer
    // needs.
    EXPECT_TRUE(ImporterASCII({"|-0-|"}));
    EXPECT_EQ(Partition.NbMesures, 1);
}

// A fret above the track's highest is not written: its technique letter goes with it, the
// other notes of its column stay, and a column left without any note is a rest that keeps the
// column's time. The count and the first bar are handed back.
TEST_F(ImportASCII, FretsTheTrackCannotHoldAreLeftOutAndCounted)
{
    struct Cas {
        const char* nom;
        Lignes texte;
        int piste;
        int32_t type;
        Lignes attendu; // measures 1 and 2, "|" between them; "rest" after a rest
        int nombre;
        int mesure;
    };
    const Cas cas[] = {
        {"25 with a bend", {"|-0-25b-24-|"}, 1, ImportNoires, {"480 . . . . . 0", "480 . . . . . . rest", "480 . . . . . 24"}, 1, 1},
        {"a chord keeps what the track holds, without the letter of what it lost",
         {"|-3---|", "|-30~-|"}, 1, ImportNoires, {"480 . . . . 3 ."}, 1, 1},
        {"a rest in variable mode takes its time from the gap", {"|-0----77--------1----|"}, 1, ImportDureeVariable,
         {"480 . . . . . 0", "960 . . . . . . rest", "480 . . . . . 1"}, 1, 1},
        {"counted from the first bar that lost one", {"|-1-|-2-|-40-|-50-|"}, 1, ImportNoires,
         {"480 . . . . . 1", "|", "480 . . . . . 2"}, 2, 3},
        {"a four-string bass", {"|-25-|", "|-5--|"}, 2, ImportNoires, {"480 . . . 5"}, 1, 1},
        {"dead notes and 24 stay", {"|-x-24-|"}, 1, ImportNoires, {"480 . . . . . x", "480 . . . . . 24"}, 0, 0},
        {"99 on the drums", {"|-99-|"}, kPistePercussions, ImportNoires, {"480 . . . . . 99"}, 0, 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        SetUp();
        PisteCourante = c.piste;
        if (c.piste == 2)
            Partition.NbCordes[2] = 4;
        Configuration.TypeImport = c.type;
        Configuration.NbTirets = 3;
        TFrettesOmisesASCII omises;
        omises.Nombre = 99;
        EXPECT_TRUE(ImporterASCII(c.texte, &omises));
        Lignes vu;
        for (int m = 1; m <= std::min(Partition.NbMesures, 2); ++m) {
            if (m > 1)
                vu.push_back("|");
            const TMesure& mesure = MesureASCII(m);
            for (int b = 1; b <= mesure.NbTemps[c.piste]; ++b) {
                const TTemps& t = mesure.Temps[c.piste][b];
                vu.push_back(Signature(t, Partition.NbCordes[c.piste]) + (t.Silence ? " rest" : ""));
            }
        }
        EXPECT_EQ(vu, c.attendu);
        EXPECT_EQ(omises.Nombre, c.nombre);
        EXPECT_EQ(omises.PremiereMesure, c.mesure);
    }
    PisteCourante = 1;
}

// A file is text unless it holds a NUL byte, or control characters other than tab, line feed,
// form feed and carriage return make more than one byte in twenty; the letters of the Windows
// code page and UTF-8 are text.
TEST_F(ImportASCII, AFileIsTextWithoutNulAndWithFewControlCharacters)
{
    std::string chanson;
    {
        std::ifstream f(std::string(LYRX_SOURCE_DIR) + "/tests/document/data/petite_v221.lrx", std::ios::binary);
        chanson.assign(std::istreambuf_iterator<char>(f), {});
    }
    ASSERT_FALSE(chanson.empty());
    const struct {
        const char* nom;
        std::string octets;
        bool texte;
    } cas[] = {
        {"empty", "", true},
        {"tablature with tabs, CR LF and a form feed", "e|-0-|\r\n\tB|---|\r\n\f", true},
        {"Windows-1252 letters, dashes and no-break spaces", "caf\xE9 \x96 \x97\xA0\xC9t\xE9", true},
        {"UTF-8 with its mark", "\xEF\xBB\xBF\xC3\xA9t\xC3\xA9", true},
        {"one escape in twenty bytes", "\x1B" + std::string(19, '-'), true},
        {"two escapes in twenty bytes", "\x1B\x1B" + std::string(18, '-'), false},
        {"a delete in ten bytes", "\x7F" + std::string(9, '-'), false},
        {"a NUL at the end of a long text", std::string(10'000, '-') + '\0', false},
        {"UTF-16", std::string("e\0|\0-\0", 6), false},
        {"a song file", chanson, false},
    };
    for (const auto& c : cas)
        EXPECT_EQ(EstTexteASCII(c.octets), c.texte) << c.nom;
}

TEST_F(ImportASCII, TheExportReadsBackWithItsFretsLettersAndCoarseDurations)
{
    Partition.Titre = "Round";
    Partition.NomPiste[1] = "Lead";
    AccordASCII(AjouterTempsASCII(1, 0, false, {{6, 3}}), "G");
    AjouterTempsASCII(1, 1, false, {{5, 2, 1}});
    AjouterTempsASCII(1, 1, false, {{4, 0}});
    AjouterTempsASCII(1, 0, true, {{3, kNoteMorte}});
    AjouterTempsASCII(1, -1, false, {{2, 5, 5}});
    AjouterTempsASCII(2, -2, false, {{1, 7}}, 1);
    AjouterTempsASCII(2, 2, false, {{2, 1}});
    AjouterTempsASCII(2, 0, false, {}).Silence = true;
    AjouterTempsASCII(2, 0, false, {{3, 4, 2}, {4, 4}});
    AjouterTempsASCII(3, 0, false, {{1, 12}, {2, 10, 3}}, 5);
    AjouterTempsASCII(3, 1, false, {{6, 0}});
    MesureASCII(2).RenvoiDebut = true;
    MesureASCII(3).RenvoiFin = true;
    MesureASCII(3).NbRenvois = 2;
    TexteASCII texte;
    ExporterASCII(texte);

    ReinitialiserPartition(); // read back into a new song
    EXPECT_TRUE(ImporterASCII(texte));

    ASSERT_EQ(Partition.NbMesures, 3);
    EXPECT_EQ(Mesure(1), Lignes({"480 . . . . . 3", "240 . . . . 2h .", "240 . . . 0 . .", "960 . . x . . .",
                                  "960 . 5b . . . ."}));
    // The 16th note before a quarter rest comes back as a half: the rest lengthens its gap.
    EXPECT_EQ(Mesure(2), Lignes({"960 7 . . . . . ~", "960 . 1 . . . .", "480 . . 4p 4 . ."}));
    EXPECT_EQ(Mesure(3), Lignes({"480 12 10/ . . . . t", "240 . . . . . 0"}));
    EXPECT_FALSE(MesureASCII(2).RenvoiDebut);
    EXPECT_FALSE(MesureASCII(3).RenvoiFin);
    EXPECT_FALSE(MesureASCII(1).Temps[1][1].AvecAccord);
}

TEST_F(ImportASCII, TheSongIsNamedAfterTheFileWithoutItsExtension)
{
    const struct {
        const char* chemin;
        std::string titre;
    } cas[] = {
        {"/home/u/tabs/my song.tab", "My song"},
        {"/home/u/tabs/Riff.TXT", "Riff"},
        {"/home/u/tabs/README", "README"},
        {"/home/u/tabs/a.b", "A"},
        {"/home/u/tabs/.tab", ".tab"},
        {"/home/u/tabs/\xC3\xA9t\xC3\xA9.tab", "\xE9t\xE9"},
        {"relative.tab", "Relative"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(TitreDepuisFichierASCII(c.chemin), c.titre) << c.chemin;
    EXPECT_EQ(TitreDepuisFichierASCII("/x/" + std::string(150, 'z') + ".tab"), "Z" + std::string(99, 'z'));
}

TEST_F(ImportASCII, WindowsDashesAndNoBreakSpacesReadAsDashesAndBlanks)
{
    Configuration.TypeImport = ImportNoires;
    // Em dash, en dash and no-break space of Windows-1252.
    ASSERT_TRUE(ImporterASCII({"e\xA0|\x97\x97" "0\x97\x96\x96\x96" "1\x96|", "B\xA0|\x97\x97\x97\x97\x96\x96\x96\x96\x96|"}));
    const Lignes web = Mesure(1);
    ASSERT_TRUE(ImporterASCII({"e |--0---1-|", "B |---------|"}));
    EXPECT_EQ(web, Mesure(1));
    EXPECT_EQ(web.size(), 2u);
}

TEST_F(ImportASCII, TablatureIsFoundOnlyWhereAStaffLineHoldsANote)
{
    const struct {
        Lignes lignes;
        bool trouvee;
    } cas[] = {
        {{}, false},
        {{""}, false},
        {{"Capo 2, play it 3 times"}, false},
        {{"e|-----------|", "B|-----------|"}, false},
        {{"e|-----------|", "B|----3------|"}, true},
        {{"|-x-|"}, true},
        {{"e\xA0|\x97\x97" "0\x97\x97|"}, true},
        {{"-12-"}, false}, // two dashes and no bar: not a staff line
    };
    for (const auto& c : cas) {
        std::string texte;
        for (const auto& l : c.lignes)
            texte += l + " / ";
        EXPECT_EQ(TablatureTrouveeASCII(c.lignes), c.trouvee) << texte;
    }
}
