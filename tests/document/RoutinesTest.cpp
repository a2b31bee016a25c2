#include "document/Routines.h"

#include "document/Fenetre.h"
#include "document/Langue.h"
#include "document/Variable.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class FenetreEnregistreuse : public IFenetrePrincipale {
public:
    std::vector<std::string> appels;
    void ActualiserMenuPistes() override { appels.push_back("ActualiserMenuPistes"); }
    void AfficherTitreLabel(const char* texte) override { appels.push_back(std::string("Titre:") + texte); }
    void ColorerBoutonPiste(int piste) override { appels.push_back("Colorer:" + std::to_string(piste)); }
};

class NouvellePartition : public ::testing::Test {
protected:
    FenetreEnregistreuse fenetre;
    void SetUp() override
    {
        ReinitialiserPartition();
        InstallerFenetrePrincipale(&fenetre);
    }
    void TearDown() override
    {
        InstallerFenetrePrincipale(nullptr);
        ReinitialiserPartition();
        Curseur.Temps = 1;
    }
    static TMesure& Mesure(int m) { return *Partition.Mesures[m]; }
};

// Fills the song with something of everything a reset must undo.
void RemplirPartition(int nbMesures)
{
    Partition.Titre = "Titre";
    Partition.Auteur = "Auteur";
    Partition.Commentaire = "Commentaire";
    Partition.Tempo = 77;
    Partition.TripletFeel = 1;
    Partition.Armure = -3;
    Partition.ModeSolo = true;
    Partition.PisteSolo = 3;
    for (int t = 1; t <= 8; ++t) {
        Partition.NomPiste[t] = "Piste";
        Partition.Instrument[t] = 33;
        Partition.NbCordes[t] = 4;
        for (int s = 1; s <= 6; ++s)
            Partition.Accordage[t][s] = 30 + s;
        Partition.Solo[t] = Partition.Muette[t] = Partition.PasExporter[t] = Partition.DouzeCordes[t] = true;
        Partition.Volume[t] = 1;
        Partition.Panoramique[t] = 2;
        Partition.Chorus[t] = 3;
        Partition.Reverb[t] = 4;
        Partition.Capo[t] = 5;
        Partition.NbFrettes[t] = 12;
    }
    for (int m = 1; m <= nbMesures; ++m) {
        if (!Partition.Mesures[m])
            Partition.Mesures[m] = std::make_unique<TMesure>();
        TMesure& bloc = *Partition.Mesures[m];
        bloc.Numerateur = 3;
        bloc.Denominateur = 8;
        bloc.Duree = 1.5;
        bloc.RenvoiDebut = bloc.RenvoiFin = bloc.Repetition = true;
        bloc.NumRepetition = 2;
        bloc.NbRenvois = 3;
        for (int t = 1; t <= 8; ++t) {
            bloc.NbTemps[t] = 2;
            bloc.DureeReelle[t] = 1.5;
            for (int b = 1; b <= 3; ++b) {
                TTemps& temps = bloc.Temps[t][b];
                temps.Silence = true;
                temps.Duree = 160;
                temps.CodeDuree = 1;
                temps.Triolet = true;
                temps.PosTriolet = 2;
                temps.Effet = 3;
                temps.ValeurCoupVib = 2.5;
                temps.Brush = 1;
                temps.Texte = "texte";
                temps.AvecAccord = true;
                temps.Accord = std::make_shared<TAccord>();
                temps.TableMix = cTableMixEvent::Create();
                temps.Notes[2].Frette = 5;
                temps.Notes[2].Nuance = 2;
            }
        }
    }
    Partition.NbMesures = nbMesures;
    Partition.MesureCourante = nbMesures;
    PisteCourante = 5;
    for (int i = 1; i <= 3; ++i)
        AccordsPartition[i] = std::make_unique<TAccord>();
    NbAccordsPartition = 3;
    for (int i = 1; i <= 700; ++i)
        AccordsUtilises[i] = std::make_unique<TAccord>();
    NbAccordsUtilises = 700;
    CheminFichier = "/songs/a.lrx";
    NomFichier = "a.lrx";
    PartitionModifiee = false;
    PartitionVierge = false;
    Curseur.TailleChiffres = Curseur.MargeGauche = Curseur.MargeHaut = 1;
    Curseur.EspCordes = Curseur.LargeurTemps = Curseur.LargeurZone = 1;
}

bool EstNoireVide(const TTemps& temps)
{
    bool notesVides = true;
    for (int s = 1; s <= 6; ++s)
        notesVides = notesVides && temps.Notes[s] == TNoteCorde{};
    return !temps.Silence && !temps.Lie && temps.Effet == 0 && temps.ValeurCoupVib == 1.0 && temps.Brush == 0
        && !temps.AvecAccord && !temps.Accord && !temps.TableMix && temps.Texte.empty() && notesVides
        && temps.Duree == 480 && temps.CodeDuree == 0 && !temps.Pointee && !temps.Triolet;
}

} // namespace

TEST_F(NouvellePartition, ResetGivesTheEmptySongOfOneMeasure)
{
    RemplirPartition(1);
    TMesure* premier = Partition.Mesures[1].get();
    fenetre.appels.clear();

    ReinitialiserPartition();

    EXPECT_EQ(CheminFichier, Traduire("Fichier-SansNom"));
    EXPECT_TRUE(NomFichier.empty());
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_TRUE(PartitionVierge);
    EXPECT_EQ(Partition.NbPistes, 8);
    EXPECT_EQ(PisteCourante, 1);
    EXPECT_TRUE(Partition.Titre.empty());
    EXPECT_TRUE(Partition.Auteur.empty());
    EXPECT_TRUE(Partition.Commentaire.empty());
    EXPECT_EQ(Partition.TripletFeel, 0);
    EXPECT_EQ(Partition.Tempo, 120);
    EXPECT_EQ(Partition.Armure, 0);
    EXPECT_EQ(Partition.NbMesures, 1);
    EXPECT_EQ(Partition.MesureCourante, 1);
    EXPECT_EQ(Partition.Mesures[1].get(), premier);
    EXPECT_FALSE(Partition.ModeSolo);
    EXPECT_EQ(Partition.PisteSolo, 0);
    EXPECT_EQ(NbAccordsPartition, 0);
    EXPECT_EQ(NbAccordsUtilises, 0);
    EXPECT_EQ(AccordsPartition[1], nullptr);
    EXPECT_EQ(AccordsUtilises[700], nullptr);

    const TMesure& m = Mesure(1);
    EXPECT_EQ(m.Numerateur, 4);
    EXPECT_EQ(m.Denominateur, 4);
    EXPECT_EQ(m.Duree, 4.0);
    EXPECT_FALSE(m.RenvoiDebut);
    EXPECT_FALSE(m.RenvoiFin);
    EXPECT_FALSE(m.Repetition);
    EXPECT_EQ(m.NumRepetition, 1);
    EXPECT_EQ(m.NbRenvois, 1);

    EXPECT_EQ(Curseur.Initialise, 1);
    EXPECT_EQ(Curseur.TailleChiffres, 10);
    EXPECT_EQ(Curseur.MargeGauche, 30);
    EXPECT_EQ(Curseur.MargeHaut, 48);
    EXPECT_EQ(Curseur.EspCordes, 14);
    EXPECT_EQ(Curseur.LargeurTemps, 50);
    EXPECT_EQ(Curseur.LargeurZone, 570);

    const int32_t standard[] = {0, 64, 59, 55, 50, 45, 40};
    for (int t = 1; t <= 8; ++t) {
        SCOPED_TRACE("piste " + std::to_string(t));
        EXPECT_EQ(m.NbTemps[t], 0);
        EXPECT_EQ(m.DureeReelle[t], 0.0);
        EXPECT_TRUE(EstNoireVide(m.Temps[t][1]));
        EXPECT_EQ(Partition.Instrument[t], t == 8 ? 0 : 24);
        EXPECT_EQ(Partition.NbCordes[t], 6);
        for (int s = 1; s <= 6; ++s)
            EXPECT_EQ(Partition.Accordage[t][s], t == 8 ? 0 : standard[s]);
        EXPECT_EQ(Partition.NbFrettes[t], t == 8 ? 99 : 24);
        EXPECT_FALSE(Partition.Solo[t] || Partition.Muette[t] || Partition.PasExporter[t] || Partition.DouzeCordes[t]);
        EXPECT_EQ(Partition.Volume[t], 100);
        EXPECT_EQ(Partition.Panoramique[t], 64);
        EXPECT_EQ(Partition.Chorus[t], 0);
        EXPECT_EQ(Partition.Reverb[t], 0);
        EXPECT_EQ(Partition.Capo[t], 0);
        if (t < 8) {
            EXPECT_TRUE(Partition.NomPiste[t].empty());
        }
    }
    EXPECT_EQ(Partition.NomPiste[8], Traduire("Gene-Percussions").substr(0, 40));

    // The slots past the free one keep their contents but no longer hold the old records.
    EXPECT_EQ(m.Temps[1][2].Duree, 160);
    EXPECT_FALSE(m.Temps[1][2].Accord);
    EXPECT_FALSE(m.Temps[1][2].TableMix);

    const std::vector<std::string> attendus = {
        "Titre:", "ActualiserMenuPistes", "Colorer:1", "Colorer:2", "Colorer:3", "Colorer:4",
        "Colorer:5", "Colorer:6", "Colorer:7", "Colorer:8"};
    EXPECT_EQ(fenetre.appels, attendus);
}

TEST_F(NouvellePartition, ResetOfAFortyMeasureSongKeepsBlockOneAndFreesTheOthers)
{
    RemplirPartition(40);
    TMesure* premier = Partition.Mesures[1].get();
    // An undo copy of measure 40 still holds its chords after the blocks are gone.
    MesureAnnulation = Mesure(40);
    std::weak_ptr<const TAccord> accordMesure2 = Mesure(2).Temps[1][1].Accord;

    ReinitialiserPartition();

    EXPECT_EQ(Partition.NbMesures, 1);
    EXPECT_EQ(Partition.Mesures[1].get(), premier);
    for (int m = 2; m <= 40; ++m)
        EXPECT_EQ(Partition.Mesures[m], nullptr) << m;
    EXPECT_TRUE(accordMesure2.expired());
    ASSERT_TRUE(MesureAnnulation.Temps[3][1].Accord);
    EXPECT_EQ(MesureAnnulation.Temps[3][1].Texte, "texte");
    MesureAnnulation = TMesure{};
}

TEST_F(NouvellePartition, ResetAllocatesBlockOneWhenMissing)
{
    Partition.Mesures[1].reset();
    ReinitialiserPartition();
    ASSERT_TRUE(Partition.Mesures[1]);
    EXPECT_TRUE(EstNoireVide(Mesure(1).Temps[8][1]));
}

TEST_F(NouvellePartition, TheFreeSlotContinuesTheRhythmOfTheLastBeat)
{
    // A dotted half followed by typing on the free column: the new free slot is a dotted half too.
    TMesure& m = Mesure(1);
    PisteCourante = 2;
    TTemps& dernier = m.Temps[2][1];
    dernier.Duree = 1440;
    dernier.CodeDuree = -1;
    dernier.Pointee = true;
    dernier.Notes[1].Frette = 3;
    dernier.Texte = "riff";
    m.NbTemps[2] = 1;
    m.Temps[2][2].Notes[4].Frette = 9;
    m.Temps[2][2].AvecAccord = true;
    m.Temps[2][2].Accord = std::make_shared<TAccord>();
    m.Temps[2][2].TableMix = cTableMixEvent::Create();
    m.Temps[2][2].Silence = true;

    AjouterTempsVide();

    const TTemps& libre = m.Temps[2][2];
    EXPECT_EQ(libre.Duree, 1440);
    EXPECT_EQ(libre.CodeDuree, -1);
    EXPECT_TRUE(libre.Pointee);
    EXPECT_FALSE(libre.Triolet);
    EXPECT_FALSE(libre.Silence);
    EXPECT_FALSE(libre.AvecAccord);
    EXPECT_FALSE(libre.Accord);
    EXPECT_FALSE(libre.TableMix);
    EXPECT_TRUE(libre.Texte.empty());
    EXPECT_EQ(libre.Notes[4], TNoteCorde{});
    EXPECT_EQ(m.NbTemps[2], 1);
    EXPECT_EQ(m.Temps[2][1].Texte, "riff"); // the last beat is left alone
}

TEST_F(NouvellePartition, FreeSlotAfterATripletMember)
{
    struct {
        int8_t positionDernier;
        int curseur;
        bool triolet;
        int8_t position;
    } cas[] = {
        {1, 10, true, 2}, {2, 10, true, 3}, {3, 10, true, 1},
        {3, 61, true, 1}, {3, 62, true, 1}, {3, 63, false, 1}, {3, 64, false, 1},
        {1, 63, true, 2}, {1, 64, false, 2}, {2, 64, true, 3},
    };
    TMesure& m = Mesure(1);
    for (auto c : cas) {
        SCOPED_TRACE("position " + std::to_string(c.positionDernier) + ", curseur " + std::to_string(c.curseur));
        PisteCourante = 1;
        m.NbTemps[1] = 4;
        TTemps& dernier = m.Temps[1][4];
        dernier.Duree = 160;
        dernier.CodeDuree = 1;
        dernier.Pointee = false;
        dernier.Triolet = true;
        dernier.PosTriolet = c.positionDernier;
        Curseur.Temps = c.curseur;

        AjouterTempsVide();

        const TTemps& libre = m.Temps[1][5];
        EXPECT_EQ(libre.Triolet, c.triolet);
        EXPECT_EQ(libre.PosTriolet, c.position);
        EXPECT_EQ(libre.CodeDuree, 1);
        // A slot that is no triplet member lasts a plain eighth.
        EXPECT_EQ(libre.Duree, c.triolet ? 160 : 240);
    }
}

TEST_F(NouvellePartition, AFreeSlotAfterAPlainBeatKeepsItsTripletPosition)
{
    TMesure& m = Mesure(1);
    m.NbTemps[1] = 1;
    m.Temps[1][1].Triolet = false;
    m.Temps[1][1].CodeDuree = 2;
    m.Temps[1][1].Duree = 120;
    m.Temps[1][2].PosTriolet = 3;
    AjouterTempsVide();
    EXPECT_FALSE(m.Temps[1][2].Triolet);
    EXPECT_EQ(m.Temps[1][2].PosTriolet, 3);
    EXPECT_EQ(m.Temps[1][2].Duree, 120);
}

TEST_F(NouvellePartition, InitialiserTempsSuivantAlwaysGivesAnEmptyQuarter)
{
    Partition.Mesures[2] = std::make_unique<TMesure>();
    Partition.NbMesures = 2;
    TMesure& m = Mesure(2);
    m.NbTemps[6] = 3;
    m.Temps[6][3].Duree = 1440;
    m.Temps[6][3].CodeDuree = -1;
    m.Temps[6][3].Pointee = true;
    TTemps& libre = m.Temps[6][4];
    libre.Duree = 160;
    libre.CodeDuree = 1;
    libre.Triolet = true;
    libre.PosTriolet = 2;
    libre.Lie = true;
    libre.AvecAccord = true;
    libre.Accord = std::make_shared<TAccord>();
    libre.TableMix = cTableMixEvent::Create();
    libre.Notes[6].Frette = 100;
    libre.Notes[6].FretteGrace = 3;

    InitialiserTempsSuivant(6, 2);

    EXPECT_TRUE(EstNoireVide(libre));
    EXPECT_EQ(libre.PosTriolet, 2);
    EXPECT_EQ(m.NbTemps[6], 3);
}

TEST_F(NouvellePartition, NumeroRepetitionSuivante)
{
    for (int k = 2; k <= 8; ++k)
        Partition.Mesures[k] = std::make_unique<TMesure>();
    Partition.NbMesures = 8;
    Mesure(3).RenvoiDebut = true;
    Mesure(5).Repetition = true;
    Mesure(5).NumRepetition = 1;

    EXPECT_EQ(NumeroRepetitionSuivante(1), 1);
    EXPECT_EQ(NumeroRepetitionSuivante(0), 1);
    EXPECT_EQ(NumeroRepetitionSuivante(7), 2);  // walks 6, then 5
    EXPECT_EQ(NumeroRepetitionSuivante(4), 1);  // the repeat start at 3
    EXPECT_EQ(NumeroRepetitionSuivante(2), 1);  // nothing before

    Mesure(6).RenvoiFin = true;
    EXPECT_EQ(NumeroRepetitionSuivante(8), 1);  // an earlier repeat end closes the group
    EXPECT_EQ(NumeroRepetitionSuivante(7), 2);  // the repeat end just before does not count

    // An ending that also starts a repeat gives 1, not its number + 1.
    Mesure(5).RenvoiDebut = true;
    Mesure(5).NumRepetition = 4;
    EXPECT_EQ(NumeroRepetitionSuivante(7), 1);
    Mesure(5).RenvoiDebut = false;
    EXPECT_EQ(NumeroRepetitionSuivante(7), 5);
}

TEST(NomInstrument, NumberDashAndTheGeneralMidiName)
{
    EXPECT_EQ(NomInstrument(24), "24 - Acoustic Guitar (nylon)");
    EXPECT_EQ(NomInstrument(0), "0 - Acoustic Grand Piano");
    EXPECT_EQ(NomInstrument(127), "127 - Gunshot");
    EXPECT_EQ(NomInstrument(8), "8 - Celesta ");
    EXPECT_EQ(NomInstrument(8).back(), ' ');
    EXPECT_EQ(NomInstrument(43), "43 - Contrabass");
    EXPECT_EQ(NomKitBatterie(0), "0 - Drum Kit 0");
    EXPECT_EQ(NomKitBatterie(25), "25 - Drum Kit 25");

    // Only "Celesta " carries a blank at either end; no name is empty.
    for (int n = 0; n < 128; ++n) {
        const auto nom = NomsInstrumentsGM[n];
        ASSERT_FALSE(nom.empty()) << n;
        EXPECT_NE(nom.front(), ' ') << n;
        EXPECT_EQ(nom.back() == ' ', n == 8) << n;
    }
}

// A trailing measure whose block is missing is as empty as one without beats; a track outside
// 1..8 empties nothing.
TEST_F(NouvellePartition, TrailingMissingBlocksGoAndAnOutOfRangeTrackIsLeftAlone)
{
    for (int m = 2; m <= 3; ++m)
        Partition.Mesures[m] = std::make_unique<TMesure>();
    Partition.NbMesures = 4; // block 4 never allocated
    Mesure(2).NbTemps[3] = 1;
    Partition.MesureCourante = 4;

    for (int piste : {0, kNbPistes + 1})
        ViderPiste(piste);
    EXPECT_EQ(Mesure(2).NbTemps[3], 1);

    SupprimerMesuresVidesFin();
    EXPECT_EQ(Partition.NbMesures, 2);
    EXPECT_FALSE(Partition.Mesures[3]);
    EXPECT_EQ(Partition.MesureCourante, 2);

    ViderPiste(3);
    EXPECT_EQ(Mesure(2).NbTemps[3], 0);
    SupprimerMesuresVidesFin();
    EXPECT_EQ(Partition.NbMesures, 1);
    EXPECT_TRUE(Partition.Mesures[1]);
}
