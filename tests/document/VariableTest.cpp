#include "document/Variable.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

TEST(Duree, TicksOfEveryNoteValue)
{
    struct { int code; bool pointee, triolet; int32_t ticks; } cas[] = {
        {-2, false, false, 1920}, {-1, false, false, 960}, {0, false, false, 480},
        {1, false, false, 240},   {2, false, false, 120},  {3, false, false, 60},
        {4, false, false, 30},    {-1, true, false, 1440}, {1, false, true, 160},
        {4, true, false, 45},     {4, false, true, 20},    {-2, true, false, 2880},
        {0, true, true, 480},     {4, true, true, 30},
    };
    for (auto c : cas)
        EXPECT_EQ(DureeEnTicks(c.code, c.pointee, c.triolet), c.ticks)
            << "code " << c.code << " pointee " << c.pointee << " triolet " << c.triolet;
}

TEST(Notes, AnEmptyStringSlotHasNoNoteAndDynamicF)
{
    TNoteCorde note;
    EXPECT_EQ(note.Frette, -1);
    EXPECT_EQ(note.Effet, 0);
    EXPECT_EQ(note.ValeurBend, 1.0);
    EXPECT_EQ(note.Nuance, 6);
    EXPECT_EQ(note.FretteGrace, -1);

    // A fresh beat is an empty quarter with six empty strings.
    TTemps temps;
    EXPECT_EQ(temps.Duree, 480);
    EXPECT_EQ(temps.CodeDuree, 0);
    EXPECT_FALSE(temps.AvecAccord);
    EXPECT_EQ(temps.Accord, nullptr);
    EXPECT_EQ(temps.TableMix, nullptr);
    for (int s = 1; s <= 6; ++s)
        EXPECT_EQ(temps.Notes[s], TNoteCorde{}) << s;
}

TEST(Notes, FretLimitsPerTrack)
{
    for (int t = 1; t <= 7; ++t)
        EXPECT_EQ(FretteMax[t], 24) << t;
    EXPECT_EQ(FretteMax[8], 99);
    // The dead note lies above every typed limit; percussion note 99 does not.
    EXPECT_GT(kNoteMorte, FretteMax[1]);
    EXPECT_GT(kNoteMorte, FretteMax[8]);
    // Frets are signed bytes: "no note" is the byte 255.
    EXPECT_EQ(static_cast<uint8_t>(kPasDeNote), 255);
}

TEST(TexteCourt, CutsLongerInputToItsCapacity)
{
    TexteCourt<5> t = "abcdefgh";
    EXPECT_EQ(t.str(), "abcde");
    EXPECT_EQ(t.size(), 5u);
    EXPECT_EQ(t.Image()[0], 5);

    t = std::string("xy");
    EXPECT_EQ(t, "xy");
    EXPECT_EQ(t.Image()[0], 2);
    // The rest of the image is cleared: equal texts give equal file images.
    for (std::size_t i = 3; i < t.Image().size(); ++i)
        EXPECT_EQ(t.Image()[i], 0) << i;

    t = "";
    EXPECT_TRUE(t.empty());

    // Windows-1252 bytes are kept as they are.
    TexteCourt<3> accents = "\xe9t\xe9" "x";
    EXPECT_EQ(accents.str(), "\xe9t\xe9");
}

TEST(TexteCourt, SongFieldsKeepTheirCapacities)
{
    TPartition& p = Partition;
    struct { std::size_t capacite, attendue; } cas[] = {
        {decltype(p.Titre)::Capacite, 100},
        {decltype(p.Auteur)::Capacite, 50},
        {decltype(p.Commentaire)::Capacite, 100},
        {decltype(p.NomPiste)::value_type::Capacite, 40},
        {decltype(TTemps::Texte)::Capacite, 40},
        {decltype(TAccord::Nom)::Capacite, 20},
    };
    for (auto c : cas)
        EXPECT_EQ(c.capacite, c.attendue);

    TTemps temps;
    temps.Texte = std::string(300, 'a');
    EXPECT_EQ(temps.Texte.size(), 40u);
}

TEST(TexteCourt, AnOversizedLengthByteReadFromAFileIsNotTrusted)
{
    TexteCourt<4> t;
    t.Image() = {200, 'a', 'b', 'c', 'd'};
    EXPECT_EQ(t.str(), "abcd");
}

// A measure block is a value: an undo or cancel copy taken before an edit must survive the
// edit deleting the beat's chord and mix-table change.
TEST(TMesure, ACopiedBlockSurvivesTheDeletionOfTheOriginalsChord)
{
    auto bloc = std::make_unique<TMesure>();
    TTemps& temps = bloc->Temps[1][1];
    auto accord = std::make_shared<TAccord>();
    accord->Nom = "Am7";
    accord->Frettes = {0, 0, 1, 0, 2, 0, -1};
    temps.Accord = accord;
    temps.AvecAccord = true;
    auto mix = cTableMixEvent::Create();
    mix->Tempo = 90;
    temps.TableMix = mix;
    accord.reset();
    mix.reset();
    bloc->NbTemps[1] = 1;

    TMesure copie = *bloc;

    // The edit deletes the beat: chord and mix-table change go with it, then the block goes.
    bloc->Temps[1][1].Accord.reset();
    bloc->Temps[1][1].AvecAccord = false;
    bloc->Temps[1][1].TableMix.reset();
    bloc->NbTemps[1] = 0;
    bloc.reset();

    ASSERT_TRUE(copie.Temps[1][1].Accord);
    EXPECT_EQ(copie.Temps[1][1].Accord->Nom, "Am7");
    EXPECT_EQ(copie.Temps[1][1].Accord->Frettes[4], 2);
    ASSERT_TRUE(copie.Temps[1][1].TableMix);
    EXPECT_EQ(copie.Temps[1][1].TableMix->Tempo, 90);
    EXPECT_EQ(copie.NbTemps[1], 1);

    // The same holds for the global undo and cancel copies.
    MesureAnnulation = copie;
    copie = TMesure{};
    ASSERT_TRUE(MesureAnnulation.Temps[1][1].Accord);
    EXPECT_EQ(MesureAnnulation.Temps[1][1].Accord->Nom, "Am7");
    MesureAnnulation = TMesure{};
}

TEST(TMesure, ANewBlockIsAnEmptyFourFourMeasure)
{
    TMesure bloc;
    EXPECT_EQ(bloc.Numerateur, 4);
    EXPECT_EQ(bloc.Denominateur, 4);
    EXPECT_EQ(bloc.Duree, 4.0);
    EXPECT_EQ(bloc.NumRepetition, 1);
    EXPECT_EQ(bloc.NbRenvois, 1);
    for (int t = 1; t <= 8; ++t)
        EXPECT_EQ(bloc.NbTemps[t], 0);
}

TEST(Variable, MarquerModifieeEndsTheBlankState)
{
    PartitionModifiee = false;
    PartitionVierge = true;
    MarquerModifiee();
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_FALSE(PartitionVierge);
}

// A track part stores only the slots written; the others read as the empty beat.
TEST(TTempsPiste, ASlotNeverWrittenReadsAsTheEmptyBeatAndStoresNothing)
{
    TTempsPiste piste;
    const TTempsPiste& lecture = piste;
    for (int b : {0, 1, 33, kNbTempsMax}) {
        EXPECT_EQ(lecture[b].Duree, kTicksNoire) << b;
        EXPECT_EQ(lecture[b].Notes[1], TNoteCorde{}) << b;
        EXPECT_FALSE(lecture[b].Accord) << b;
    }
    EXPECT_EQ(piste.DernierStocke(), -1);

    piste[3].Duree = 240;
    EXPECT_EQ(piste.DernierStocke(), 3);
    EXPECT_EQ(lecture[3].Duree, 240);
    EXPECT_EQ(lecture[2].Duree, kTicksNoire);
    EXPECT_EQ(lecture[4].Duree, kTicksNoire);
    // The empty beat every unwritten slot shows is never the one written.
    EXPECT_EQ(TTempsPiste::TempsVide().Duree, kTicksNoire);
}

TEST(TTempsPiste, TheLastSlotsOfAMeasureAreWrittenAndReadBack)
{
    TTempsPiste piste;
    for (int b : {kNbTempsMax - 1, kNbTempsMax}) {
        piste[b].Notes[6].Frette = static_cast<int8_t>(b);
        piste[b].Texte = "fin";
    }
    const TTempsPiste& lecture = piste;
    EXPECT_EQ(lecture[kNbTempsMax - 1].Notes[6].Frette, kNbTempsMax - 1);
    EXPECT_EQ(lecture[kNbTempsMax].Notes[6].Frette, kNbTempsMax);
    EXPECT_EQ(lecture[kNbTempsMax].Texte, "fin");
    EXPECT_EQ(lecture[1].Notes[6].Frette, kPasDeNote);
    EXPECT_EQ(piste.DernierStocke(), kNbTempsMax);
}

// The edit engine holds the last beat while it prepares the slot after it.
TEST(TTempsPiste, ABeatHeldStaysValidWhileLaterSlotsAreWritten)
{
    TTempsPiste piste;
    TTemps& premier = piste[1];
    premier.Duree = 960;
    for (int b = 2; b <= kNbTempsMax; ++b)
        piste[b] = piste[b - 1]; // the source is read before the slot is stored
    EXPECT_EQ(&premier, &piste[1]);
    EXPECT_EQ(premier.Duree, 960);
    EXPECT_EQ(piste[kNbTempsMax].Duree, 960);
}

TEST(TTempsPiste, ACopyIsIndependentAndSharesOnlyTheChord)
{
    TTempsPiste piste;
    piste[2].Notes[1].Frette = 5;
    piste[2].Texte = "a";
    piste[2].Accord = std::make_shared<const TAccord>();
    piste[2].AvecAccord = true;

    TTempsPiste copie = piste;
    piste[2].Notes[1].Frette = 7;
    piste[2].Texte = "b";
    piste[9].Duree = 120;
    EXPECT_EQ(copie[2].Notes[1].Frette, 5);
    EXPECT_EQ(copie[2].Texte, "a");
    EXPECT_EQ(copie[2].Accord, piste[2].Accord);
    EXPECT_EQ(copie.DernierStocke(), 2);
    EXPECT_EQ(std::as_const(copie)[9].Duree, kTicksNoire);

    copie = piste;
    EXPECT_EQ(copie[2].Notes[1].Frette, 7);
    EXPECT_EQ(copie[9].Duree, 120);
    copie = copie;
    EXPECT_EQ(copie[2].Texte, "b");
}

// A block costs what its track parts hold, not eight tracks of full slots.
TEST(TMesure, ABlockStoresOnlyTheSlotsWritten)
{
    TMesure bloc;
    bloc.NbTemps[1] = 2;
    bloc.Temps[1][1].Duree = 480;
    bloc.Temps[1][2].Duree = 480;
    bloc.Temps[1][3].Duree = 480; // the free slot
    TMesure copie = bloc;
    EXPECT_EQ(copie.Temps[1].DernierStocke(), 3);
    for (int t = 2; t <= kNbPistes; ++t)
        EXPECT_EQ(copie.Temps[t].DernierStocke(), -1) << t;
}
