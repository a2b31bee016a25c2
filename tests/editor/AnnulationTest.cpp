// Single-level undo, cancel measure, validate measure, the measure-length check and the
// number conversions of the dialogs.
#include "FixtureMoteur.h"

#include "document/Langue.h"
#include "document/Mess.h"

namespace {

class Annulation : public FixtureMoteur {};

std::vector<int> Frettes(const TMesure& m, int t, int corde = 1)
{
    std::vector<int> f;
    for (int b = 1; b <= m.NbTemps[t]; ++b)
        f.push_back(m.Temps[t][b].Notes[corde].Frette);
    return f;
}

// What deleting the cursor beat does to the block: its chord and mix-table change are let go,
// the beats after it move down one slot.
void RetirerTemps(int m, int t, int b)
{
    TMesure& bloc = *Partition.Mesures[m];
    bloc.Temps[t][b].Accord.reset();
    bloc.Temps[t][b].AvecAccord = false;
    bloc.Temps[t][b].TableMix.reset();
    for (int k = b; k <= bloc.NbTemps[t]; ++k)
        bloc.Temps[t][k] = bloc.Temps[t][k + 1];
    --bloc.NbTemps[t];
}

} // namespace

TEST_F(Annulation, UndoRestoresOnlyTheLastEdit)
{
    Entrer(1, 1, 1);
    SaisirChiffre(5, Modif::Aucun);
    AllerTempsSuivant();
    SaisirChiffre(7, Modif::Aucun);
    ActualiserCommandes();
    ASSERT_EQ(Frettes(*Partition.Mesures[1], 1), (std::vector<int>{5, 7}));
    ASSERT_TRUE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_FALSE(PartitionVierge);

    PartitionModifiee = false;
    Ac_Edition_AnnulerExecute();
    EXPECT_EQ(Frettes(*Partition.Mesures[1], 1), (std::vector<int>{5}));
    EXPECT_EQ(Curseur.Temps, 2);
    EXPECT_EQ(Curseur.Corde, 1);
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Fichier_Enregistrer));
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
    // The measure is still edited: it can be cancelled.
    EXPECT_TRUE(Commandes().Enabled(Cmd::BT_AnnulerMesure));
    EXPECT_TRUE(Commandes().Enabled(Cmd::BT_Valider));
}

TEST_F(Annulation, UndoAvailabilityEndsWhenANewBeatWidensTheEditImage)
{
    for (int panneau : {4000, 630}) {
        SetUp();
        LargeurPanneauSaisie = panneau;
        Curseur.LargeurZone = panneau - 60;
        Remplir(1, 1, 9, 4);
        Entrer(1, 9, 1);
        AllerTempsSuivant(); // the free column 10
        SaisirChiffre(5, Modif::Aucun);
        ActualiserCommandes();
        // Ten beats need (10 + 2) * 50 = 600 pixels: more than a 630-pixel panel gives.
        EXPECT_EQ(Commandes().Enabled(Cmd::Ac_Edition_Annuler), panneau == 4000) << panneau;
        EXPECT_TRUE(Commandes().Enabled(Cmd::BT_AnnulerMesure)) << panneau;
    }
}

TEST_F(Annulation, AChordOrMixChangeOfADeletedBeatComesBackWithUndo)
{
    Remplir(1, 1, 3);
    auto accord = std::make_shared<TAccord>();
    accord->Nom = "Am7";
    accord->Frettes = {0, 0, 1, 0, 2, 0, -1};
    Temps(1, 1, 2).Accord = accord;
    Temps(1, 1, 2).AvecAccord = true;
    auto mix = cTableMixEvent::Create();
    mix->Volume = 90;
    mix->Tempo = 140;
    Temps(1, 1, 2).TableMix = mix;
    accord.reset();
    mix.reset();

    Entrer(1, 2, 1);
    SauverAnnulation();
    RetirerTemps(1, 1, 2);
    // Whatever replaced the records in the meantime does not reach the snapshot.
    auto autre = std::make_shared<TAccord>();
    autre->Nom = "C";
    Temps(1, 1, 2).Accord = autre;

    AnnulerDerniereEdition();
    const TTemps& rendu = Temps(1, 1, 2);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 3);
    ASSERT_TRUE(rendu.AvecAccord);
    ASSERT_NE(rendu.Accord, nullptr);
    EXPECT_EQ(std::string(rendu.Accord->Nom), "Am7");
    EXPECT_EQ(rendu.Accord->Frettes[4], 2);
    ASSERT_NE(rendu.TableMix, nullptr);
    EXPECT_EQ(rendu.TableMix->Volume, 90);
    EXPECT_EQ(rendu.TableMix->Tempo, 140);

    // The same through cancel measure, after two deletions and the end of undo.
    RetirerTemps(1, 1, 2);
    RetirerTemps(1, 1, 1);
    RedessinerMesure();
    AnnulerMesure();
    ASSERT_NE(Temps(1, 1, 2).Accord, nullptr);
    EXPECT_EQ(std::string(Temps(1, 1, 2).Accord->Nom), "Am7");
    EXPECT_EQ(Temps(1, 1, 2).TableMix->Volume, 90);
}

TEST_F(Annulation, CancelMeasureRestoresTheMeasureAsEntered)
{
    Remplir(1, 1, 2);
    Entrer(1, 1, 3);
    SaisirChiffre(5, Modif::Aucun);
    AllerTempsSuivant();
    AllerTempsSuivant();
    SaisirChiffre(7, Modif::Aucun);
    MettreNoteEtouffee();
    ActualiserCommandes();
    ASSERT_EQ(Partition.Mesures[1]->NbTemps[1], 3);

    PartitionModifiee = false;
    BT_AnnulerMesureClick();
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 2);
    EXPECT_EQ(Frettes(*Partition.Mesures[1], 1, 1), (std::vector<int>{0, 0}));
    EXPECT_EQ(Frettes(*Partition.Mesures[1], 1, 3), (std::vector<int>{-1, -1}));
    EXPECT_EQ(Curseur.Temps, 1);
    EXPECT_EQ(Curseur.Corde, 1);
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_FALSE(Commandes().Enabled(Cmd::BT_AnnulerMesure));
    EXPECT_FALSE(Commandes().Enabled(Cmd::BT_Valider));
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
}

TEST_F(Annulation, ValidatingMakesTheEditsTheStateToReturnTo)
{
    Entrer(1, 1, 1);
    // Nothing to validate yet.
    ValiderMesureSiActif();
    EXPECT_FALSE(fenetre.A("PlacerCadreMesure"));

    SaisirChiffre(9, Modif::Aucun);
    ActualiserCommandes();
    ASSERT_TRUE(Commandes().Enabled(Cmd::BT_Valider));
    ValiderMesureSiActif();
    EXPECT_TRUE(fenetre.A("RedessinerLignesModifiees(1)"));
    EXPECT_TRUE(fenetre.A("PlacerCadreMesure"));
    EXPECT_FALSE(Commandes().Enabled(Cmd::BT_AnnulerMesure));
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
    EXPECT_EQ(CopieMesureEntree.NbTemps[1], 1);

    AllerTempsSuivant();
    SaisirChiffre(4, Modif::Aucun);
    AnnulerMesure();
    EXPECT_EQ(Frettes(*Partition.Mesures[1], 1), (std::vector<int>{9}));

    // Validating an unedited measure leaves the score view alone.
    fenetre.Appels.clear();
    BT_ValiderClick();
    EXPECT_FALSE(fenetre.A("RedessinerLignesModifiees(1)"));
    EXPECT_FALSE(Commandes().Enabled(Cmd::BT_Valider));
}

TEST_F(Annulation, MeasureLengthsAreExact)
{
    AvoirMesures(2);
    Remplir(1, 1, 12, 1, false, true); // twelve triplet eighths
    Remplir(1, 2, 3);
    Remplir(2, 1, 1, -2);
    Remplir(2, 2, 3, 2, true);         // three dotted sixteenths
    EXPECT_EQ(CalculerDureeMesure(1, 1), 4.0);
    EXPECT_EQ(CalculerDureeMesure(1, 1), Partition.Mesures[1]->Duree);
    EXPECT_EQ(CalculerDureeMesure(2, 1), 3.0);
    EXPECT_EQ(CalculerDureeMesure(1, 2), 4.0);
    EXPECT_EQ(CalculerDureeMesure(2, 2), 1.125);
    EXPECT_EQ(CalculerDureeMesure(3, 1), 0.0);
    EXPECT_EQ(CalculerDureeMesure(1, 3), 0.0); // no such measure
    EXPECT_TRUE(ControlerDurees());
}

TEST_F(Annulation, TheDurationCheckReportsTheFirstWrongPartTrackByTrack)
{
    const auto tableAvant = TableLangue;
    const auto dictionnaireAvant = DictionnaireLangue;
    ASSERT_TRUE(ChargerTableLangue(std::string(LYRX_SOURCE_DIR) + "/data/English.lxl"));
    ConstruireDictionnaire();
    EnregistreurMessages messages;

    AvoirMesures(10);
    for (int m = 1; m <= 10; ++m) {
        Remplir(m, 1, m == 9 ? 3 : 4);
        Remplir(m, 2, m == 3 ? 5 : 4);
    }
    Partition.NbCordes[2] = 4;
    Entrer(1, 3, 6);

    EXPECT_FALSE(VerifierDureeMesures());
    EXPECT_EQ(PisteCourante, 1);
    EXPECT_EQ(Partition.MesureCourante, 9);
    EXPECT_EQ(Curseur.Temps, 1);
    EXPECT_EQ(Curseur.Corde, 6);
    EXPECT_EQ(CopieMesureEntree.NbTemps[1], 3);
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Texte, "Bar 9 of track 1 does not have the length of its time signature.");
    EXPECT_EQ(messages.Messages[0].Legende, Traduire("Dlg-Attention"));
    EXPECT_EQ(messages.Messages[0].Icone, IconeAvertissement);
    EXPECT_EQ(messages.Messages[0].Boutons, BoutonOK);
    EXPECT_TRUE(fenetre.A("RedessinerPartition"));
    EXPECT_TRUE(fenetre.A("MontrerPalettePercussion(0)"));
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Ass_Percussion));

    // Track 1 mended: track 2 in measure 3, its four strings holding the cursor.
    Remplir(9, 1, 4);
    EXPECT_FALSE(VerifierDureeMesures());
    EXPECT_EQ(PisteCourante, 2);
    EXPECT_EQ(Partition.MesureCourante, 3);
    EXPECT_EQ(Curseur.Corde, 4);
    EXPECT_EQ(messages.Messages.back().Texte, "Bar 3 of track 2 does not have the length of its time signature.");

    // The percussion track shows its palette.
    Remplir(3, 2, 4);
    Remplir(5, 8, 1);
    fenetre.Appels.clear();
    EXPECT_FALSE(VerifierDureeMesures());
    EXPECT_EQ(PisteCourante, 8);
    EXPECT_EQ(Partition.MesureCourante, 1); // its empty measures are wrong as well
    EXPECT_TRUE(fenetre.A("MontrerPalettePercussion(1)"));
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Ass_Percussion));

    // Every part right; tracks without beats are never reported.
    Remplir(5, 8, 0);
    EXPECT_TRUE(VerifierDureeMesures());
    EXPECT_EQ(messages.Messages.back().Texte, "Check finished: every bar has the length of its time signature.");
    EXPECT_EQ(messages.Messages.back().Legende, Traduire("Dlg-Information"));
    EXPECT_EQ(messages.Messages.back().Icone, IconeInformation);

    TableLangue = tableAvant;
    DictionnaireLangue = dictionnaireAvant;
}

TEST(TexteVersNombre, EitherDecimalSeparatorIsRead)
{
    struct Cas {
        const char* texte;
        char separateur;
        std::optional<double> valeur;
    } cas[] = {
        {"1.5", '.', 1.5},   {"1,5", '.', 1.5},     {"1,5", ',', 1.5},    {"1.5", ',', 1.5},
        {" 2.25 ", '.', 2.25}, {"-0,75", ',', -0.75}, {"+3", '.', 3.0},     {"0.25", ',', 0.25},
        {"7", ',', 7.0},     {"abc", '.', std::nullopt}, {"1.5x", '.', std::nullopt},
        {"", '.', std::nullopt}, {"1.000,5", ',', std::nullopt}, {"1.000,5", '.', std::nullopt},
        {"inf", '.', std::nullopt},
    };
    for (const auto& c : cas)
        EXPECT_EQ(TexteVersReel(c.texte, c.separateur), c.valeur) << c.texte << " with " << c.separateur;
    EXPECT_EQ(TexteVersReel("3,5"), 3.5);

    EXPECT_EQ(TexteVersEntier("12"), 12);
    EXPECT_EQ(TexteVersEntier(" -7 "), -7);
    EXPECT_EQ(TexteVersEntier("1.5"), std::nullopt);
    EXPECT_EQ(TexteVersEntier(""), std::nullopt);
    EXPECT_EQ(TexteVersEntier("99999999999"), std::nullopt);
}
