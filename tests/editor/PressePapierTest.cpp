// The measure clipboard and the measure-range commands of the Edit menu (copy, cut, paste,
// insert, clear), run through the command list, and the song-structure routines beside them.
#include "FixtureMoteur.h"

#include "document/Langue.h"
#include "document/Mess.h"
#include "editor/PressePapier.h"

#include <string>
#include <vector>

namespace {

// The range dialogs, answering as each test says and recording what they were shown.
class DialoguesPlage : public IDialoguesPressePapier {
public:
    std::vector<std::string> Appels;
    bool Reponse = true;
    int32_t Debut = 1, Fin = 1;
    bool Toutes = true;
    TChoixCollage Choix;
    // What the dialogs were opened with.
    int32_t DebutPropose = 0, FinPropose = 0;
    bool ToutesProposees = false;
    ModeCopierForm ModeRecu = ModeCopierForm::Copier;
    bool QuestionToutes = false;
    int32_t QuestionNb = 0;

    bool Couper(int32_t& d, int32_t& f) override
    {
        Appels.push_back("Couper");
        DebutPropose = d;
        FinPropose = f;
        if (Reponse) {
            d = Debut;
            f = Fin;
        }
        return Reponse;
    }
    bool Copier(ModeCopierForm mode, int32_t& d, int32_t& f, bool& toutes) override
    {
        Appels.push_back(mode == ModeCopierForm::Copier ? "Copier" : "Vider");
        ModeRecu = mode;
        DebutPropose = d;
        FinPropose = f;
        ToutesProposees = toutes;
        if (Reponse) {
            d = Debut;
            f = Fin;
            toutes = Toutes;
        }
        return Reponse;
    }
    bool Coller(bool toutes, int32_t nb, TChoixCollage& choix) override
    {
        Appels.push_back("Coller");
        QuestionToutes = toutes;
        QuestionNb = nb;
        if (Reponse)
            choix = Choix;
        return Reponse;
    }
};

class FenetrePlage : public FenetreEnregistreuse {
public:
    void AfficherSaisieIncorrecte() override { Appels.push_back("AfficherSaisieIncorrecte"); }
};

class PressePapier : public FixtureMoteur {
protected:
    FenetrePlage fenetrePlage;
    DialoguesPlage dialogues;
    std::vector<MessageAffiche> messages;

    void SetUp() override
    {
        FixtureMoteur::SetUp();
        InstallerFenetrePrincipale(&fenetrePlage);
        InstallerDialoguesPressePapier(&dialogues);
        InstallerAfficheurMessages([this](const MessageAffiche& m) {
            messages.push_back(m);
            return ResultatOK;
        });
        EnregistrerCommandesPressePapier();
        LibererPressePapier();
        PistePressePapier = 0;
        CopierToutesPistes = false;
        dialogues = DialoguesPlage{};
        messages.clear();
        fenetrePlage.Appels.clear();
    }

    void TearDown() override
    {
        InstallerAfficheurMessages({});
        InstallerDialoguesPressePapier(nullptr);
        FixtureMoteur::TearDown();
    }

    // A song of n 4/4 measures in which measure m holds on track t two quarters with fret
    // m + 10 * (t - 1) on string 1 (tracks listed in `pistes`), so that each part is told apart.
    static void Chanson(int n, std::initializer_list<int> pistes = {1})
    {
        AvoirMesures(n);
        for (int m = 1; m <= n; ++m)
            for (int t : pistes)
                Remplir(m, t, 2, 0, false, false, (m + 10 * (t - 1)) % 100);
        Entrer(1);
    }
    // The fret that marks a part, -1 for a part without beats.
    static int Marque(int m, int t = 1)
    {
        return Partition.Mesures[m]->NbTemps[t] > 0 ? Note(m, t, 1, 1).Frette : -1;
    }

    bool Copier(int d, int f, bool toutes = true)
    {
        dialogues.Debut = d;
        dialogues.Fin = f;
        dialogues.Toutes = toutes;
        return Commandes().Executer(Cmd::Ac_Edition_Copier);
    }
    bool Couper(int d, int f)
    {
        dialogues.Debut = d;
        dialogues.Fin = f;
        return Commandes().Executer(Cmd::Ac_Edition_Couper);
    }
    bool Coller(int nombre = 1, PlaceCollage place = PlaceCollage::Selection)
    {
        dialogues.Choix = TChoixCollage{nombre, place, {}};
        return Commandes().Executer(Cmd::Ac_Edition_Coller);
    }
    bool Vider(int d, int f, bool toutes)
    {
        dialogues.Debut = d;
        dialogues.Fin = f;
        dialogues.Toutes = toutes;
        return Commandes().Executer(Cmd::Ac_Edition_Vider);
    }
};

// Everything a part of a measure holds that the song file keeps.
void ExpectMemePartie(const TMesure& a, int ta, const TMesure& b, int tb)
{
    ASSERT_EQ(a.NbTemps[ta], b.NbTemps[tb]);
    for (int k = 1; k <= a.NbTemps[ta]; ++k) {
        const TTemps& x = a.Temps[ta][k];
        const TTemps& y = b.Temps[tb][k];
        EXPECT_EQ(x.Duree, y.Duree);
        EXPECT_EQ(x.CodeDuree, y.CodeDuree);
        EXPECT_EQ(x.Notes, y.Notes);
        EXPECT_EQ(x.Texte, y.Texte);
        EXPECT_EQ(x.AvecAccord, y.AvecAccord);
        ASSERT_EQ(x.Accord != nullptr, y.Accord != nullptr);
        if (x.Accord) {
            EXPECT_EQ(*x.Accord, *y.Accord);
        }
        ASSERT_EQ(x.TableMix != nullptr, y.TableMix != nullptr);
        if (x.TableMix) {
            EXPECT_EQ(*x.TableMix, *y.TableMix);
        }
    }
}

void ExpectMemeMesure(const TMesure& a, const TMesure& b)
{
    EXPECT_EQ(a.Numerateur, b.Numerateur);
    EXPECT_EQ(a.Denominateur, b.Denominateur);
    EXPECT_EQ(a.Duree, b.Duree);
    EXPECT_EQ(a.RenvoiDebut, b.RenvoiDebut);
    EXPECT_EQ(a.RenvoiFin, b.RenvoiFin);
    EXPECT_EQ(a.NbRenvois, b.NbRenvois);
    EXPECT_EQ(a.Repetition, b.Repetition);
    EXPECT_EQ(a.NumRepetition, b.NumRepetition);
    for (int t = 1; t <= kNbPistes; ++t)
        ExpectMemePartie(a, t, b, t);
}

// A beat with a chord, a mix-table change and a text.
void Garnir(TTemps& temps, int frettesAccord, int tempo)
{
    TAccord accord;
    accord.Nom = "G";
    accord.Frettes = {0, frettesAccord, 0, 0, 0, 2, 3};
    temps.AvecAccord = true;
    temps.Accord = std::make_shared<const TAccord>(accord);
    auto mix = cTableMixEvent::Create();
    mix->Tempo = tempo;
    mix->Volume = 90;
    temps.TableMix = mix;
    temps.Texte = "riff";
}

} // namespace

// ---- Copy and paste ----------------------------------------------------------------------------

TEST_F(PressePapier, CopyingAllTracksThenPastingAtTheSelectionOverwritesAndExtendsTheSong)
{
    struct Cas {
        const char* nom;
        int courante;
        int nbMesuresAttendu;
    } cas[] = {
        {"ends on the last measure: nothing appended", 10, 12},
        {"runs one past the end: measure 13 appended", 11, 13},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        SetUp();
        Chanson(12, {1, 2, 8});
        Partition.Mesures[3]->RenvoiDebut = true;
        Partition.Mesures[5]->RenvoiFin = true;
        Partition.Mesures[5]->NbRenvois = 3;
        Partition.Mesures[4]->Numerateur = 3;
        Partition.Mesures[4]->Duree = 3.0;
        Garnir(Temps(4, 2, 1), 2, 100);

        Entrer(3);
        ASSERT_TRUE(Copier(3, 5));
        EXPECT_EQ(NbMesuresPressePapier, 3);
        EXPECT_EQ(PistePressePapier, 0);
        const std::vector<TMesure> origine{*Partition.Mesures[3], *Partition.Mesures[4], *Partition.Mesures[5]};

        Entrer(c.courante);
        ASSERT_TRUE(Coller());
        EXPECT_TRUE(dialogues.QuestionToutes);
        EXPECT_EQ(dialogues.QuestionNb, 3);
        EXPECT_EQ(Partition.NbMesures, c.nbMesuresAttendu);
        for (int i = 0; i < 3; ++i)
            ExpectMemeMesure(*Partition.Mesures[c.courante + i], origine[static_cast<std::size_t>(i)]);
        EXPECT_EQ(Marque(c.courante - 1), c.courante - 1) << "the measure before is untouched";
        TearDown();
    }
}

TEST_F(PressePapier, PasteCountAndPlaceDecideWhereTheCopiesGo)
{
    // Clipboard: measures 2..4 (marks 2, 3, 4) of a 6-measure song; current measure 5.
    struct Cas {
        const char* nom;
        int nombre;
        PlaceCollage place;
        int nbMesuresAttendu;
        std::vector<int> marques; // track 1 of measures 1.. after the paste
    } cas[] = {
        {"twice at the selection", 2, PlaceCollage::Selection, 10, {1, 2, 3, 4, 2, 3, 4, 2, 3, 4}},
        {"twice before the selection: six measures inserted first", 2, PlaceCollage::AvantSelection, 12,
         {1, 2, 3, 4, 2, 3, 4, 2, 3, 4, 5, 6}},
        {"once at the end", 1, PlaceCollage::FinPartition, 9, {1, 2, 3, 4, 5, 6, 2, 3, 4}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        SetUp();
        Chanson(6);
        Entrer(2);
        ASSERT_TRUE(Copier(2, 4));
        Entrer(5);
        ASSERT_TRUE(Coller(c.nombre, c.place));
        ASSERT_EQ(Partition.NbMesures, c.nbMesuresAttendu);
        for (int m = 1; m <= c.nbMesuresAttendu; ++m)
            EXPECT_EQ(Marque(m), c.marques[static_cast<std::size_t>(m - 1)]) << "measure " << m;
        EXPECT_EQ(Partition.MesureCourante, 5);
        TearDown();
    }
}

TEST_F(PressePapier, OneTrackPastesIntoTheCurrentTrackAndSetsTheTimeSignatureOfTheTarget)
{
    Chanson(4, {1, 2});
    Partition.Mesures[2]->Numerateur = 3;
    Partition.Mesures[2]->Duree = 3.0;
    Partition.Mesures[2]->RenvoiDebut = true;
    Garnir(Temps(2, 1, 2), 3, 140);
    PisteCourante = 1;
    Entrer(2);
    ASSERT_TRUE(Copier(2, 3, false));
    EXPECT_EQ(PistePressePapier, 1);

    // Into track 3 from measure 4 on: measure 4 is overwritten on track 3 only, 5 appended.
    PisteCourante = 3;
    Entrer(4);
    ASSERT_TRUE(Coller());
    EXPECT_FALSE(dialogues.QuestionToutes);
    EXPECT_EQ(dialogues.QuestionNb, 2);
    ASSERT_EQ(Partition.NbMesures, 5);
    ExpectMemePartie(*Partition.Mesures[4], 3, *Partition.Mesures[2], 1);
    ExpectMemePartie(*Partition.Mesures[5], 3, *Partition.Mesures[3], 1);
    // The time signature goes with the part and counts for every track of the measure; the
    // repeat marks and the other tracks stay.
    EXPECT_EQ(Partition.Mesures[4]->Numerateur, 3);
    EXPECT_EQ(Partition.Mesures[4]->Duree, 3.0);
    EXPECT_FALSE(Partition.Mesures[4]->RenvoiDebut);
    EXPECT_EQ(Marque(4, 1), 4);
    EXPECT_EQ(Marque(4, 2), 14);
    // The appended measure holds only the pasted part, every other track empty and ready.
    for (int t : {1, 2, 4, 8}) {
        EXPECT_EQ(Partition.Mesures[5]->NbTemps[t], 0) << t;
        EXPECT_EQ(Temps(5, t, 1).Duree, kTicksNoire) << t;
    }
    // The free slot after the pasted part is an empty quarter.
    const TTemps& libre = Temps(4, 3, 3);
    EXPECT_EQ(libre.Duree, kTicksNoire);
    EXPECT_EQ(libre.Notes[1].Frette, kPasDeNote);
    EXPECT_FALSE(libre.TableMix);
    EXPECT_TRUE(BoutonPisteBleu[3]);
    EXPECT_TRUE(fenetrePlage.A("ColorerBoutonPiste(3)"));
    EXPECT_FALSE(fenetrePlage.A("ColorerBoutonPiste(1)"));
}

TEST_F(PressePapier, PasteIsRefusedWithoutADialogWhenTheStringsOrTheDrumTrackDoNotMatch)
{
    struct Cas {
        const char* nom;
        int source;        // 0: a clipboard of all tracks
        int cordesSource;  // string count of the source track when copying (all tracks: track 2)
        int cible;         // 0: track 2 changes its string count before the paste
        int cordesCible;
        const char* refus; // nullptr: the paste goes on
    } cas[] = {
        {"drums into a guitar track", 8, 6, 1, 6, "Paste-ImpossibleCollerDepuisPercussions"},
        {"guitar into the drum track", 1, 6, 8, 6, "Paste-ImpossibleCollerVersPercussions"},
        {"4-string bass into a 6-string guitar", 2, 4, 1, 6, "Paste-CollageImpNbCordesDiff"},
        {"4-string bass into another 4-string track", 2, 4, 3, 4, nullptr},
        {"drums into drums", 8, 6, 8, 6, nullptr},
        {"guitar into another guitar track", 1, 6, 5, 6, nullptr},
        {"all tracks after a track changed its strings", 0, 6, 0, 5, "Paste-CollageImpNbCordesDiff"},
        {"all tracks, strings unchanged", 0, 6, 0, 6, nullptr},
    };
    ASSERT_TRUE(ChargerTableLangue(std::string(LYRX_SOURCE_DIR) + "/data/English.lxl"));
    ConstruireDictionnaire();
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        SetUp();
        Chanson(2, {1, 2, 8});
        Partition.NbCordes[c.source == 0 ? 2 : c.source] = c.cordesSource;
        PisteCourante = c.source == 0 ? 1 : c.source;
        Entrer(1);
        ASSERT_TRUE(Copier(1, 1, c.source == 0));

        if (c.cible == 0) {
            Partition.NbCordes[2] = c.cordesCible;
        } else {
            PisteCourante = c.cible;
            Partition.NbCordes[c.cible] = c.cordesCible;
        }
        Entrer(2);
        const TMesure avant = *Partition.Mesures[2];
        dialogues.Appels.clear();
        ASSERT_TRUE(Coller());

        if (c.refus) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].Legende, Traduire("Dlg-Erreur"));
            EXPECT_EQ(messages[0].Texte, Traduire(c.refus));
            EXPECT_NE(messages[0].Texte, TexteTraductionIntrouvable);
            EXPECT_EQ(messages[0].Icone, IconeErreur);
            EXPECT_EQ(messages[0].Boutons, BoutonOK);
            EXPECT_TRUE(dialogues.Appels.empty()) << "no paste dialog";
            ExpectMemeMesure(*Partition.Mesures[2], avant);
            EXPECT_EQ(Partition.NbMesures, 2);
        } else {
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(dialogues.Appels, std::vector<std::string>{"Coller"});
        }
        TearDown();
    }
}

TEST_F(PressePapier, TheClipboardOutlivesTheMeasuresItWasTakenFromAndPastesIndependentCopies)
{
    Chanson(3, {1});
    Garnir(Temps(2, 1, 1), 3, 150);
    const TMesure source = *Partition.Mesures[2];
    Entrer(2);
    ASSERT_TRUE(Copier(2, 2));

    // The source goes: its beat loses chord and change, the song is cleared, then replaced.
    Temps(2, 1, 1).TableMix.reset();
    Temps(2, 1, 1).Accord.reset();
    ASSERT_TRUE(Vider(1, 3, true));
    ReinitialiserPartition();
    Entrer(1);
    ASSERT_EQ(NbMesuresPressePapier, 1);
    ExpectMemeMesure(PressePapierMesures[0], source);

    // Two copies: changing the beat of one changes neither the other nor the clipboard.
    ASSERT_TRUE(Coller(2));
    ASSERT_EQ(Partition.NbMesures, 2);
    auto mix = cTableMixEvent::Create();
    mix->Tempo = 60;
    Temps(1, 1, 1).TableMix = mix;
    Temps(1, 1, 1).Notes[1].Frette = 7;
    ExpectMemeMesure(*Partition.Mesures[2], source);
    ExpectMemeMesure(PressePapierMesures[0], source);
    // And pasting again still gives the measure as it was copied.
    Entrer(1);
    ASSERT_TRUE(Coller());
    ExpectMemeMesure(*Partition.Mesures[1], source);
}

TEST_F(PressePapier, PasteIsEnabledOnceTheClipboardWasFilledAndStaysSo)
{
    Chanson(3);
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Coller));
    EXPECT_FALSE(Coller()) << "disabled: the handler does not run";

    dialogues.Reponse = false;
    EXPECT_TRUE(Commandes().Executer(Cmd::Ac_Edition_Copier));
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Coller)) << "a cancelled copy fills nothing";
    EXPECT_FALSE(PressePapierPlein);

    dialogues.Reponse = true;
    ASSERT_TRUE(Copier(1, 1));
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Edition_Coller));
    EXPECT_TRUE(Commandes().Enabled(Cmd::Bt_Edition_Coller));
    ASSERT_TRUE(Coller());
    ASSERT_TRUE(Couper(1, 3));
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Edition_Coller));
}

TEST_F(PressePapier, CopyAsksForARangeOfTheCurrentMeasureAndCountsAsAChange)
{
    Chanson(4);
    Entrer(3);
    CopierToutesPistes = true;
    PartitionModifiee = false;
    PartitionVierge = true;
    ASSERT_TRUE(Copier(2, 3, false));
    EXPECT_EQ(dialogues.ModeRecu, ModeCopierForm::Copier);
    EXPECT_EQ(dialogues.DebutPropose, 3);
    EXPECT_EQ(dialogues.FinPropose, 3);
    EXPECT_TRUE(dialogues.ToutesProposees);
    EXPECT_FALSE(CopierToutesPistes) << "the choice is remembered for the next time";
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_FALSE(PartitionVierge);
    // The song itself is not changed, and no track button is recoloured.
    EXPECT_EQ(Partition.NbMesures, 4);
    EXPECT_EQ(Marque(2), 2);
    EXPECT_EQ(fenetrePlage.Compte("ColorerBoutonPiste(1)"), 0);
}

// ---- Common end --------------------------------------------------------------------------------

TEST_F(PressePapier, EveryRangeCommandAcceptsTheCurrentMeasureAndRedrawsBothViews)
{
    const Cmd commandes[] = {Cmd::Ac_Edition_Copier, Cmd::Ac_Edition_Couper, Cmd::Ac_Edition_Coller,
                             Cmd::Ac_Edition_Inserer, Cmd::Ac_Edition_Vider};
    for (Cmd cmd : commandes) {
        SCOPED_TRACE(Description(cmd).Nom);
        SetUp();
        Chanson(4);
        Entrer(2);
        ASSERT_TRUE(Copier(1, 1));
        Entrer(2, 2, 3);
        // An edit of the measure, undoable and cancellable until the command.
        SaisirChiffre(7, Modif::Aucun);
        ASSERT_TRUE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
        fenetrePlage.Appels.clear();
        PartitionModifiee = false;
        dialogues.Debut = dialogues.Fin = 4;
        dialogues.Choix = TChoixCollage{1, PlaceCollage::FinPartition, {}};

        ASSERT_TRUE(Commandes().Executer(cmd));
        EXPECT_EQ(Curseur.Temps, 1);
        EXPECT_EQ(Curseur.Corde, cmd == Cmd::Ac_Edition_Inserer ? 3 : 1) << "Insert keeps the string";
        EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
        EXPECT_FALSE(Commandes().Enabled(Cmd::BT_AnnulerMesure));
        ExpectMemeMesure(CopieMesureEntree, *Partition.Mesures[Partition.MesureCourante]);
        EXPECT_TRUE(fenetrePlage.A("RedessinerPartition"));
        EXPECT_TRUE(PartitionModifiee);
        TearDown();
    }
}

TEST_F(PressePapier, NoRangeCommandRunsDuringPlayback)
{
    Chanson(3);
    ASSERT_TRUE(Copier(1, 1));
    dialogues.Appels.clear();
    Commandes().SetEnabled(Cmd::Ac_Son_LectureDebut, false);
    for (auto* gestionnaire : {Ac_Edition_CopierExecute, Ac_Edition_CouperExecute, Ac_Edition_CollerExecute,
                               Ac_Edition_InsererExecute, Ac_Edition_ViderExecute})
        gestionnaire();
    EXPECT_TRUE(dialogues.Appels.empty());
    EXPECT_EQ(Partition.NbMesures, 3);
    EXPECT_EQ(Marque(1), 1);
}

// ---- Cut ---------------------------------------------------------------------------------------

TEST_F(PressePapier, CutMovesTheFollowingMeasuresDownAndKeepsTheCurrentNumberInsideTheSong)
{
    struct Cas {
        const char* nom;
        int debut, fin, courante;
        int courantAttendu, marqueCourante;
    } cas[] = {
        {"2..3 with measure 5 current: 5 now holds the old 7", 2, 3, 5, 5, 7},
        {"2..3 with measure 10 current: 8 becomes current", 2, 3, 10, 8, 10},
        {"at the end, 9..10 with 10 current", 9, 10, 10, 8, 8},
        {"the first measure alone", 1, 1, 1, 1, 2},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        SetUp();
        Chanson(10, {1, 3});
        Entrer(c.courante);
        ASSERT_TRUE(Couper(c.debut, c.fin));
        EXPECT_EQ(dialogues.DebutPropose, c.courante);
        EXPECT_EQ(dialogues.FinPropose, c.courante);

        const int nb = c.fin - c.debut + 1;
        ASSERT_EQ(Partition.NbMesures, 10 - nb);
        EXPECT_EQ(Partition.MesureCourante, c.courantAttendu);
        EXPECT_EQ(Marque(c.courantAttendu), c.marqueCourante);
        for (int m = 1; m <= Partition.NbMesures; ++m) {
            const int attendu = m < c.debut ? m : m + nb;
            EXPECT_EQ(Marque(m, 1), attendu) << m;
            EXPECT_EQ(Marque(m, 3), attendu + 20) << m;
        }
        for (int m = Partition.NbMesures + 1; m <= 10; ++m)
            EXPECT_FALSE(Partition.Mesures[m]) << "block " << m << " freed";
        // The clipboard holds the cut measures of all tracks.
        EXPECT_EQ(PistePressePapier, 0);
        ASSERT_EQ(NbMesuresPressePapier, nb);
        EXPECT_EQ(PressePapierMesures[0].Temps[1][1].Notes[1].Frette, c.debut);
        EXPECT_EQ(fenetrePlage.Compte("ColorerBoutonPiste(8)"), 1);
        TearDown();
    }
}

TEST_F(PressePapier, CuttingEveryMeasureLeavesOneEmptyMeasureWithTheOldFirstTimeSignature)
{
    Chanson(4, {1, 8});
    Partition.Mesures[1]->Numerateur = 6;
    Partition.Mesures[1]->Denominateur = 8;
    Partition.Mesures[1]->Duree = 3.0;
    Partition.Mesures[1]->RenvoiDebut = true;
    Partition.Mesures[1]->Repetition = true;
    Entrer(3);
    ASSERT_TRUE(Couper(1, 4));

    ASSERT_EQ(Partition.NbMesures, 1);
    EXPECT_EQ(Partition.MesureCourante, 1);
    const TMesure& m = *Partition.Mesures[1];
    EXPECT_EQ(m.Numerateur, 6);
    EXPECT_EQ(m.Denominateur, 8);
    EXPECT_EQ(m.Duree, 3.0);
    EXPECT_FALSE(m.RenvoiDebut);
    EXPECT_FALSE(m.Repetition);
    EXPECT_EQ(m.NbRenvois, 1);
    EXPECT_EQ(m.NumRepetition, 1);
    for (int t = 1; t <= kNbPistes; ++t) {
        EXPECT_EQ(m.NbTemps[t], 0);
        EXPECT_EQ(m.Temps[t][1].Duree, kTicksNoire);
        EXPECT_FALSE(BoutonPisteBleu[t]);
    }
    // Pasting back gives the song again.
    ASSERT_TRUE(Coller());
    ASSERT_EQ(Partition.NbMesures, 4);
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(Marque(k, 8), (k + 70) % 100);
    EXPECT_TRUE(Partition.Mesures[1]->RenvoiDebut);
}

// ---- Insert, limits and clear ------------------------------------------------------------------

TEST_F(PressePapier, InsertPutsAnEmptyMeasureBeforeTheCurrentOneThatContinuesItsLastNoteValue)
{
    Chanson(3, {1, 2});
    Partition.Mesures[2]->Numerateur = 3;
    Partition.Mesures[2]->Duree = 3.0;
    Partition.Mesures[2]->RenvoiDebut = true;
    // The current track's part of measure 2 ends with a dotted eighth.
    Remplir(2, 1, 2, 1, true, false, 2);
    PisteCourante = 1;
    Entrer(2, 1, 4);

    ASSERT_TRUE(Commandes().Executer(Cmd::Ac_Edition_Inserer));
    ASSERT_EQ(Partition.NbMesures, 4);
    EXPECT_EQ(Partition.MesureCourante, 2);
    EXPECT_EQ(Curseur.Corde, 4);
    const std::vector<int> marques{1, -1, 2, 3};
    for (int m = 1; m <= 4; ++m)
        EXPECT_EQ(Marque(m), marques[static_cast<std::size_t>(m - 1)]) << m;
    EXPECT_EQ(Marque(3, 2), 12);

    const TMesure& vide = *Partition.Mesures[2];
    EXPECT_EQ(vide.Numerateur, 3) << "the time signature of the measure after it";
    EXPECT_EQ(vide.Duree, 3.0);
    EXPECT_FALSE(vide.RenvoiDebut);
    EXPECT_TRUE(Partition.Mesures[3]->RenvoiDebut);
    const TTemps& premier = vide.Temps[1][1];
    EXPECT_EQ(premier.CodeDuree, 1);
    EXPECT_TRUE(premier.Pointee);
    EXPECT_EQ(premier.Duree, DureeEnTicks(1, true, false));
    EXPECT_EQ(premier.PosTriolet, 1);
    EXPECT_EQ(vide.Temps[2][1].CodeDuree, 0) << "other tracks start with a quarter";
}

TEST_F(PressePapier, TheSongNeverPassesAThousandMeasures)
{
    // A clipboard of two measures (marks 10 and 11) in a song of 998.
    Chanson(998);
    Entrer(500);
    ASSERT_TRUE(Copier(10, 11));

    struct Cas {
        const char* nom;
        int nombre;
        PlaceCollage place;
        int courante;
        bool refuse;
        int nbMesuresAttendu;
    } cas[] = {
        {"at the end, one copy fits exactly", 1, PlaceCollage::FinPartition, 500, false, 1000},
        {"at the end, two copies would need 1002", 2, PlaceCollage::FinPartition, 500, true, 998},
        {"inserted, 999 copies", 999, PlaceCollage::AvantSelection, 500, true, 998},
        {"inserted, one copy fits exactly", 1, PlaceCollage::AvantSelection, 500, false, 1000},
        {"at the selection on 998: ends at 999", 1, PlaceCollage::Selection, 998, false, 999},
        {"at the selection on 998, twice: 1001", 2, PlaceCollage::Selection, 998, true, 998},
        {"at the selection from 1, 499 copies: 998 overwritten", 499, PlaceCollage::Selection, 1, false, 998},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        // Back to 998 measures, the clipboard kept.
        while (Partition.NbMesures > 998) {
            Partition.Mesures[Partition.NbMesures].reset();
            --Partition.NbMesures;
        }
        Entrer(c.courante);
        fenetrePlage.Appels.clear();
        PartitionModifiee = false;
        const int avant = Marque(c.courante);

        ASSERT_TRUE(Coller(c.nombre, c.place));
        EXPECT_EQ(Partition.NbMesures, c.nbMesuresAttendu);
        EXPECT_FALSE(fenetrePlage.A("AfficherSaisieIncorrecte"));
        EXPECT_EQ(!messages.empty() && messages.back().Texte == Traduire("Gene-PartitionPleine"), c.refuse);
        messages.clear();
        EXPECT_EQ(PartitionModifiee, !c.refuse);
        if (c.refuse) {
            EXPECT_EQ(Marque(c.courante), avant) << "nothing pasted";
        }
    }
    // The last case pasted 499 copies over measures 1..998: they alternate 10, 11.
    EXPECT_EQ(Marque(1), 10);
    EXPECT_EQ(Marque(998), 11);

    // Insert on a full song does nothing; InsererMesuresVides refuses what does not fit.
    AvoirMesures(1000);
    Entrer(3);
    const int marque3 = Marque(3);
    PartitionModifiee = false;
    messages.clear();
    EXPECT_TRUE(Commandes().Executer(Cmd::Ac_Edition_Inserer));
    ASSERT_EQ(messages.size(), 1u) << "the user is told the song is full";
    EXPECT_EQ(messages[0].Texte, Traduire("Gene-PartitionPleine"));
    EXPECT_EQ(Partition.NbMesures, 1000);
    EXPECT_EQ(Marque(3), marque3);
    EXPECT_FALSE(PartitionModifiee);
    Partition.Mesures[1000].reset();
    Partition.NbMesures = 999;
    EXPECT_FALSE(InsererMesuresVides(2));
    EXPECT_FALSE(InsererMesuresVides(0));
    EXPECT_EQ(Partition.NbMesures, 999);
    EXPECT_TRUE(InsererMesuresVides(1));
    EXPECT_EQ(Partition.NbMesures, 1000);
}

TEST_F(PressePapier, ClearEmptiesTheRangeOnAllTracksWithTheirRepeatsOrOnTheCurrentTrackAlone)
{
    struct Cas {
        const char* nom;
        bool toutes;
    } cas[] = {{"all tracks", true}, {"current track", false}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        SetUp();
        Chanson(5, {1, 2});
        for (int m = 2; m <= 4; ++m) {
            Partition.Mesures[m]->RenvoiDebut = true;
            Partition.Mesures[m]->RenvoiFin = true;
            Partition.Mesures[m]->NbRenvois = 4;
            Partition.Mesures[m]->Repetition = true;
            Partition.Mesures[m]->NumRepetition = 2;
            Partition.Mesures[m]->Numerateur = 5;
        }
        PisteCourante = 2;
        Entrer(3);
        ASSERT_TRUE(Vider(2, 4, c.toutes));
        EXPECT_EQ(dialogues.ModeRecu, ModeCopierForm::Vider);
        EXPECT_EQ(CopierToutesPistes, c.toutes);
        EXPECT_EQ(Partition.NbMesures, 5);
        for (int m = 1; m <= 5; ++m) {
            const bool dedans = m >= 2 && m <= 4;
            EXPECT_EQ(Marque(m, 2), dedans ? -1 : m + 10) << m;
            EXPECT_EQ(Marque(m, 1), dedans && c.toutes ? -1 : m) << m;
        }
        const TMesure& m3 = *Partition.Mesures[3];
        EXPECT_EQ(m3.Temps[2][1].Notes[1].Frette, kPasDeNote);
        EXPECT_EQ(m3.Numerateur, 5) << "time signatures stay";
        EXPECT_EQ(m3.RenvoiDebut, !c.toutes);
        EXPECT_EQ(m3.RenvoiFin, !c.toutes);
        EXPECT_EQ(m3.Repetition, !c.toutes);
        EXPECT_EQ(m3.NbRenvois, c.toutes ? 1 : 4);
        EXPECT_EQ(m3.NumRepetition, c.toutes ? 1 : 2);
        EXPECT_EQ(fenetrePlage.A("ColorerBoutonPiste(1)"), c.toutes);
        EXPECT_TRUE(fenetrePlage.A("ColorerBoutonPiste(2)"));
        // Clear leaves the clipboard alone.
        EXPECT_EQ(NbMesuresPressePapier, 0);
        TearDown();
    }
}

// ---- Song structure ----------------------------------------------------------------------------

TEST_F(PressePapier, EmptyingATrackAndDroppingTheEmptyMeasuresAtTheEnd)
{
    Chanson(6, {1, 2});
    ViderPiste(2);
    for (int m = 1; m <= 6; ++m) {
        EXPECT_EQ(Marque(m, 2), -1);
        EXPECT_EQ(Temps(m, 2, 1).Notes[1].Frette, kPasDeNote);
        EXPECT_EQ(Marque(m, 1), m);
    }
    // Track 1 keeps beats up to measure 3 only; measure 5 keeps a beat on track 8.
    for (int m = 4; m <= 6; ++m)
        Partition.Mesures[m]->NbTemps[1] = 0;
    Remplir(5, 8, 1);
    Entrer(6);
    SupprimerMesuresVidesFin();
    EXPECT_EQ(Partition.NbMesures, 5);
    EXPECT_FALSE(Partition.Mesures[6]);
    EXPECT_EQ(Partition.MesureCourante, 5) << "the current measure stays inside the song";

    ViderPiste(8);
    ViderPiste(1);
    SupprimerMesuresVidesFin();
    EXPECT_EQ(Partition.NbMesures, 1) << "measure 1 always stays";
    EXPECT_TRUE(Partition.Mesures[1]);
    EXPECT_EQ(Partition.MesureCourante, 1);
}
