#include "document/ConfigFichier.h"
#include "document/Configuration.h"
#include "document/Fenetre.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/LibrairieAccords.h"
#include "document/Variable.h"
#include "platform/FichierIni.h"
#include "support/DossierTemporaire.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace fs = std::filesystem;
using platform::FichierIni;

namespace {

// The main window as the settings code sees it: style labels, the play-while-entering command
// and the help file choice.
class FenetreEnregistreuse : public IFenetrePrincipale {
public:
    std::map<std::string, TMyFont> labels;
    bool jouerSaisieCoche = true;
    bool commandeExiste = false;
    std::vector<int32_t> fichiersAide; // LangueAide at each DefinirFichierAide

    void DefinirFichierAide() override { fichiersAide.push_back(LangueAide); }
    bool LirePoliceLabel(const char* nom, TMyFont& police) override
    {
        const auto it = labels.find(nom);
        if (it == labels.end())
            return false;
        police = it->second;
        return true;
    }
    bool JouerPendantSaisieCoche(bool valeur) override { return commandeExiste ? jouerSaisieCoche : valeur; }
};

class ConfigurationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dossier_ = lyrx_test::DossierDuTest().string();
        fs::create_directory(Programme());
        repertoireCourant_ = fs::current_path();
        InstallerFenetrePrincipale(&fenetre_);
        InstallerDialogueChoixLangue([this] {
            ++dialoguesLangue_;
            return langueChoisie_;
        });
        ToutRemettreAZero();
    }
    void TearDown() override
    {
        InstallerFenetrePrincipale(nullptr);
        InstallerDialogueChoixLangue({});
        fs::current_path(repertoireCourant_);
        ToutRemettreAZero();
    }

    static void ToutRemettreAZero()
    {
        ReinitialiserConfiguration();
        LangueCourante.clear();
        DernierRepertoire.clear();
        LangueAide = 0;
        for (auto& f : FichiersRecents)
            f.clear();
        for (auto& a : LibrairieAccords)
            a.reset();
        NbLibrairieAccords = 0;
        PisteCourante = 1;
    }

    std::string Programme() const { return (fs::path(dossier_) / "programme").string() + "/"; }
    std::string Ini() const { return (fs::path(dossier_) / "Lyrx220.ini").string(); }
    void EcrireIni(const std::string& texte) const { std::ofstream(Ini(), std::ios::binary) << texte; }
    std::string LireIni() const
    {
        std::ifstream f(Ini(), std::ios::binary);
        return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    }
    void InstallerLangue(const std::string& nom) const
    {
        std::ofstream(Programme() + nom + ".lxl", std::ios::binary) << "### PATCH CONFIGURATION ###\n";
    }
    void Charger() { ChargerConfiguration(Programme(), Ini()); }
    void Enregistrer() { EnregistrerConfiguration(Ini()); }

    std::string dossier_;
    fs::path repertoireCourant_;
    FenetreEnregistreuse fenetre_;
    int dialoguesLangue_ = 0;
    std::string langueChoisie_ = "English";
};

// Every stored field set away from its factory value, within the ranges the loader keeps.
void ChangerTout(TParamEcran& p, int graine)
{
    p.CoefPImp = (10 + graine) / 10.0;
    p.CoefEspAff = graine;
    int i = graine * 100;
    for (int32_t* v : {&p.MargeGaucheLignes, &p.MargeDroiteLignes, &p.EspLignes, &p.EspPortees,
                       &p.EspDiagAc, &p.EspNomAc, &p.EspTexte, &p.ColDiag, &p.ColLines,
                       &p.ColRythm, &p.ColEff, &p.ColBackG, &p.ColBadBar, &p.ColSelect})
        *v = ++i;
    for (bool* b : {&p.AffDiag, &p.AffChordsName, &p.AffTxt, &p.AffEff, &p.AffRyt, &p.AffNum,
                    &p.AffListChord})
        *b = !*b;
    p.EpCroches = graine % 10;
    p.TypeDiag = 1 + graine % 3;
    for (TMyFont* f : {&p.FontNotes, &p.FontAcc, &p.FontTxt, &p.FontSign, &p.FontNum, &p.FontRenv})
        *f = TMyFont{"Face \xE9" + std::to_string(++i), i % 50, !f->Bold, !f->Italic, i * 1000};
}

void ChangerTout(TZoneImpression& p, int graine)
{
    p.CoefPImp = (10 + graine) / 10.0;
    p.CoefEspAff_Prt = graine;
    int i = graine * 100;
    for (double* v : {&p.MargeGaucheLignes, &p.MargeDroiteLignes, &p.MargeHautePart,
                      &p.MargeBassePart, &p.Largeur_Prt, &p.Hauteur_Prt})
        *v = ++i;
    for (int32_t* v : {&p.GlobalProportions_Prt, &p.ChordSize_Prt, &p.EspPortees_Prt,
                       &p.EspDiagAc_Prt, &p.EspNomAc_Prt, &p.EspTexte_Prt,
                       &p.Esp_Titre_Auteur_Prt, &p.Esp_Auteur_Tab_Prt})
        *v = -40 + (++i % 81);
    for (bool* b : {&p.FullPage, &p.Center_Prt, &p.TracerCadre_Prt, &p.AffTitre_Prt,
                    &p.AffAuteur_Prt, &p.AffComment_Prt, &p.AffTriplet_Prt, &p.AffNumP_Prt,
                    &p.AffNum_Prt, &p.AffDiag_Prt, &p.AffChordsName_Prt, &p.AffListChord_Prt,
                    &p.AffTxt_Prt, &p.AffEff_Prt, &p.AffRyt_Prt})
        *b = !*b;
    for (TMyFont* f : {&p.FontTitle_Prt, &p.FontAuteur_Prt, &p.FontComment_Prt,
                       &p.FontNumPage_Prt, &p.FontNotes_Prt, &p.FontAcc_Prt, &p.FontTxt_Prt,
                       &p.FontSign_Prt, &p.FontAccDiag_Prt, &p.FontRenv_Prt})
        *f = TMyFont{"Police " + std::to_string(++i), i % 40, !f->Bold, !f->Italic, 65536 * (i % 256)};
}

void ChangerTout(TCONFIG& c)
{
    c.NbColASCII = 132;
    c.TypeImport = 4;
    c.NbTirets = 7;
    c.SignImpNum = 31;
    c.SignImpDen = 5;
    c.StartingMusic = 2;
    c.StartingFile = "/home/u/d\xE9" "but.wav";
    c.MetronomeVolume = 127;
    c.DiagSimpleMoyenTout = 2;
    c.TypeScrolling = 2;
    c.BrushDuration = 32;
    c.DefaultDynamic = 8;
    c.GraceNoteDuration = 3;
    for (bool* b : {&c.JouerPendantSaisie, &c.Metronome, &c.MetronomeDuringScore,
                    &c.FirstBarMetronome, &c.AddDiag, &c.VerifyRepeats, &c.CheckDuration,
                    &c.DifferentMetronomeFirstSound, &c.AlwaysUseMetronomeSpeedTrainer,
                    &c.PlayEffects, &c.PlayRepeats, &c.ExportEffects, &c.ExportRepeats,
                    &c.AlwaysAddBass, &c.LimitBend, &c.FreeUpAff, &c.EcouterGraceNote,
                    &c.EcouterBrush, &c.ShowLetRingNotes, &c.ShowDynamic, &c.CleSol, &c.CleFA,
                    &c.BlackBlocks})
        *b = !*b;
}

} // namespace

TEST(ConfigurationRecords, FactoryValues)
{
    const TCONFIG c;
    struct { const char* nom; int32_t valeur, attendu; } entiers[] = {
        {"NbColASCII", c.NbColASCII, 80}, {"TypeImport", c.TypeImport, 0},
        {"NbTirets", c.NbTirets, 3}, {"SignImpNum", c.SignImpNum, 3},
        {"SignImpDen", c.SignImpDen, 2}, {"StartingMusic", c.StartingMusic, 1},
        {"MetronomeVolume", c.MetronomeVolume, 95}, {"DiagSimpleMoyenTout", c.DiagSimpleMoyenTout, 1},
        {"TypeScrolling", c.TypeScrolling, 1}, {"BrushDuration", c.BrushDuration, 4},
        {"DefaultDynamic", c.DefaultDynamic, 6}, {"GraceNoteDuration", c.GraceNoteDuration, 1}};
    for (const auto& e : entiers)
        EXPECT_EQ(e.valeur, e.attendu) << e.nom;
    const bool vrais[] = {c.JouerPendantSaisie, c.MetronomeDuringScore, c.FirstBarMetronome,
                          c.AddDiag, c.DifferentMetronomeFirstSound,
                          c.AlwaysUseMetronomeSpeedTrainer, c.PlayEffects, c.PlayRepeats,
                          c.ExportEffects, c.ExportRepeats, c.EcouterGraceNote, c.EcouterBrush,
                          c.CleSol, c.CleFA};
    const bool faux[] = {c.Metronome, c.VerifyRepeats, c.CheckDuration, c.AlwaysAddBass,
                         c.LimitBend, c.FreeUpAff, c.ShowLetRingNotes, c.ShowDynamic, c.BlackBlocks};
    for (bool b : vrais)
        EXPECT_TRUE(b);
    for (bool b : faux)
        EXPECT_FALSE(b);
    EXPECT_TRUE(c.StartingFile.empty());

    const TParamEcran e;
    EXPECT_EQ(e.CoefPImp, 1.5);
    EXPECT_EQ(e.CoefEspAff, 5);
    EXPECT_EQ(e.MargeGaucheLignes, 25);
    EXPECT_EQ(e.MargeDroiteLignes, 25);
    EXPECT_EQ(ParamEcranPreset().MargeGaucheLignes, 38);
    EXPECT_EQ(ParamEcranPreset().MargeDroiteLignes, 38);
    EXPECT_EQ(ParamEcranUS2.MargeGaucheLignes, 38);
    EXPECT_EQ(ParamEcranCourant.MargeGaucheLignes, 25);
    EXPECT_EQ((std::array{e.EspPortees, e.EspLignes, e.EspDiagAc, e.EspNomAc, e.EspTexte, e.TypeDiag, e.EpCroches}),
              (std::array{102, 10, 20, 18, 31, 3, 2}));
    EXPECT_EQ((std::array{e.ColDiag, e.ColLines, e.ColRythm, e.ColEff, e.ColBackG, e.ColBadBar, e.ColSelect}),
              (std::array{0, 0, 0, 0, 16777215, 255, 128 + 256 * 128 + 65536 * 128}));
    EXPECT_TRUE(e.AffDiag && e.AffChordsName && e.AffTxt && e.AffEff && e.AffRyt && e.AffNum && e.AffListChord);
    EXPECT_EQ(e.FontNotes, (TMyFont{"Arial", 8, true, false, 0}));
    EXPECT_EQ(e.FontTxt, (TMyFont{"Arial", 8, false, true, 0}));
    EXPECT_EQ(e.FontSign, (TMyFont{"Arial", 12, true, false, 0}));
    EXPECT_EQ(e.FontNum, (TMyFont{"Small Fonts", 7, false, false, 255}));
    EXPECT_EQ(e.FontRenv, (TMyFont{"Arial", 9, true, true, 0}));

    const TZoneImpression p;
    EXPECT_EQ(p.CoefPImp, 1.5);
    EXPECT_EQ((std::array{p.MargeHautePart, p.MargeBassePart, p.MargeGaucheLignes, p.MargeDroiteLignes,
                          p.Largeur_Prt, p.Hauteur_Prt}),
              (std::array{15.0, 10.0, 10.0, 10.0, 100.0, 100.0}));
    EXPECT_TRUE(p.FullPage && p.Center_Prt && p.TracerCadre_Prt);
    EXPECT_EQ(p.CoefEspAff_Prt, 5);
    EXPECT_EQ(p.GlobalProportions_Prt, 0);
    EXPECT_EQ(p.FontTitle_Prt, (TMyFont{"Arial", 20, true, false, 0}));
    EXPECT_EQ(p.FontNumPage_Prt, (TMyFont{"Arial", 8, true, true, 0}));
    EXPECT_EQ(p.FontNotes_Prt, (TMyFont{"Arial", 9, true, false, 0}));
    EXPECT_EQ(p.FontAccDiag_Prt, (TMyFont{"Arial", 7, false, false, 0}));
}

TEST(ConfigurationRecords, RealSettingsAreStoredRoundedHalfToEven)
{
    struct { double mm; int32_t fichier; } marges[] = {{12.5, 12}, {13.5, 14}, {7.5, 8}, {6.5, 6}, {10.0, 10}};
    for (const auto& m : marges)
        EXPECT_EQ(MillimetresVersFichier(m.mm), m.fichier) << m.mm;
    EXPECT_EQ(ProportionVersFichier(1.5), 15);
    EXPECT_EQ(ProportionVersFichier(1.7), 17);
    EXPECT_EQ(ProportionVersFichier(0.25), 2);
    EXPECT_EQ(ProportionVersFichier(0.35), 4);
}

TEST_F(ConfigurationTest, AFirstStartGivesTheFactorySettingsAndAsksForTheLanguage)
{
    InstallerLangue("English");
    InstallerLangue("Deutsch");
    langueChoisie_ = "Deutsch";
    ChangerTout(Configuration);
    ChangerTout(ParamEcranUS1, 3);
    Charger();

    EXPECT_EQ(dialoguesLangue_, 1);
    EXPECT_EQ(LangueCourante, "Deutsch");
    EXPECT_EQ(LangueAide, 3);
    EXPECT_EQ(fenetre_.fichiersAide, std::vector<int32_t>{3});
    EXPECT_EQ(Configuration, TCONFIG{});
    EXPECT_EQ(ParamEcranCourant, TParamEcran{});
    EXPECT_EQ(ParamEcranUS1, ParamEcranPreset());
    EXPECT_EQ(ParamEcranUS3.MargeDroiteLignes, 38);
    EXPECT_EQ(ParamImpUS2, TZoneImpression{});
    EXPECT_EQ(Partition.NbCordes[1], 6);
    EXPECT_EQ(Partition.Accordage[1], (OneBased<int32_t, 6>{0, 64, 59, 55, 50, 45, 40}));
    EXPECT_EQ(NbLibrairieAccords, 0);
    EXPECT_FALSE(fs::exists(Ini())); // only the saver creates the file
}

TEST_F(ConfigurationTest, EverySettingSurvivesSaveAndLoad)
{
    InstallerLangue("English");
    LangueCourante = "English";
    LangueAide = 2;
    ChangerTout(Configuration);
    ChangerTout(ParamEcranCourant, 1);
    ChangerTout(ParamEcranUS1, 2);
    ChangerTout(ParamEcranUS2, 3);
    ChangerTout(ParamEcranUS3, 4);
    ChangerTout(ParamImpCourant, 5);
    ChangerTout(ParamImpUS1, 6);
    ChangerTout(ParamImpUS2, 7);
    ChangerTout(ParamImpUS3, 8);
    PisteCourante = 3;
    Partition.NbCordes[3] = 4;
    Partition.Accordage[3] = {0, 43, 38, 33, 28, 0, 0};
    const std::string chanson = (fs::path(dossier_) / "chanson.lrx").string();
    std::ofstream(chanson) << "x";
    FichiersRecents[1] = chanson;
    TAccord accord;
    accord.Nom = "Am";
    accord.Fondamentale = 9;
    accord.Typ = 4;
    LibrairieAccords[1] = std::make_unique<TAccord>(accord);
    NbLibrairieAccords = 1;
    fs::current_path(dossier_);

    const TCONFIG config = Configuration;
    const std::array ecran{ParamEcranCourant, ParamEcranUS1, ParamEcranUS2, ParamEcranUS3};
    const std::array imp{ParamImpCourant, ParamImpUS1, ParamImpUS2, ParamImpUS3};
    Enregistrer();

    ToutRemettreAZero();
    PisteCourante = 3;
    Charger();
    EXPECT_EQ(dialoguesLangue_, 0);
    EXPECT_EQ(LangueCourante, "English");
    EXPECT_EQ(LangueAide, 2);
    EXPECT_EQ(DernierRepertoire, fs::current_path().string());
    EXPECT_EQ(Configuration, config);
    EXPECT_EQ(ParamEcranCourant, ecran[0]);
    EXPECT_EQ(ParamEcranUS1, ecran[1]);
    EXPECT_EQ(ParamEcranUS2, ecran[2]);
    EXPECT_EQ(ParamEcranUS3, ecran[3]);
    EXPECT_EQ(ParamImpCourant, imp[0]);
    EXPECT_EQ(ParamImpUS1, imp[1]);
    EXPECT_EQ(ParamImpUS2, imp[2]);
    EXPECT_EQ(ParamImpUS3, imp[3]);
    EXPECT_EQ(Partition.NbCordes[3], 4);
    EXPECT_EQ(Partition.Accordage[3], (OneBased<int32_t, 6>{0, 43, 38, 33, 28, 0, 0}));
    EXPECT_EQ(FichiersRecents[1], chanson);
    ASSERT_EQ(NbLibrairieAccords, 1);
    EXPECT_EQ(*LibrairieAccords[1], accord);
}

TEST_F(ConfigurationTest, TheSaverTakesStylesFromTheLabelsAndTheOptionFromItsCommand)
{
    fenetre_.labels["FontNotes"] = TMyFont{"Liberation Sans", 11, false, true, 255};
    fenetre_.labels["FontTitle_Prt_US2"] = TMyFont{"Serif", 30, false, false, 65280};
    fenetre_.commandeExiste = true;
    fenetre_.jouerSaisieCoche = false;
    Enregistrer();

    FichierIni ini(Ini());
    EXPECT_EQ(ini.ReadString("ParamEcran", "FontNotes_Name", ""), "Liberation Sans");
    EXPECT_EQ(ini.ReadInteger("ParamEcran", "FontNotes_Size", 0), 11);
    EXPECT_FALSE(ini.ReadBool("ParamEcran", "FontNotes_Bold", true));
    EXPECT_TRUE(ini.ReadBool("ParamEcran", "FontNotes_Italic", false));
    EXPECT_EQ(ini.ReadInteger("ParamEcran", "FontNotes_Col", 0), 255);
    EXPECT_EQ(ini.ReadString("ParamEcran_US1", "FontNotes_Name", ""), "Arial"); // no label: the record
    EXPECT_EQ(ini.ReadString("ParamImp_US2", "FontTitle_Prt_Name", ""), "Serif");
    EXPECT_EQ(ini.ReadInteger("ParamImp_US2", "FontTitle_Prt_Col", 0), 65280);
    EXPECT_EQ(ini.ReadString("ParamImp", "FontTitle_Prt_Name", ""), "Arial");
    EXPECT_FALSE(ini.ReadBool("Config", "JouerPendantSaisie", true));
    // The records keep the styles read at start.
    EXPECT_EQ(ParamEcranCourant.FontNotes.Name, "Arial");
}

TEST_F(ConfigurationTest, TheFileIsWrittenInTheExpectedSectionsAndOrder)
{
    Enregistrer();
    FichierIni ini(Ini());
    EXPECT_EQ(ini.ReadSections(),
              (std::vector<std::string>{"General", "Config", "ParamEcran", "ParamEcran_US1",
                                        "ParamEcran_US2", "ParamEcran_US3", "ParamImp",
                                        "ParamImp_US1", "ParamImp_US2", "ParamImp_US3", "ChordsLib"}));
    const auto config = ini.ReadSection("Config");
    ASSERT_EQ(config.size(), 50u);
    EXPECT_EQ(std::vector<std::string>(config.begin(), config.begin() + 8),
              (std::vector<std::string>{"PatcheLangue", "Fichier1", "Fichier2", "Fichier3",
                                        "Fichier4", "Fichier5", "R\xE9pertoire", "BrushDuration"}));
    EXPECT_EQ(std::vector<std::string>(config.end() - 4, config.end()),
              (std::vector<std::string>{"LimitBend", "AlwaysAddBass", "DiagSimpleMoyenTout", "FreeUpAff"}));
    EXPECT_EQ(ini.ReadSection("ParamEcran").size(), 55u);
    EXPECT_EQ(ini.ReadSection("ParamEcran_US3").size(), 55u);
    const auto imp = ini.ReadSection("ParamImp");
    ASSERT_EQ(imp.size(), 82u);
    EXPECT_EQ(imp.front(), "BlackBlocks");
    EXPECT_EQ(imp[1], "MargeHautePart");
    EXPECT_EQ(ini.ReadSection("ParamImp_US1").size(), 81u);
    EXPECT_EQ(ini.ReadInteger("General", "Version", 0), 220);
    EXPECT_EQ(ini.ReadInteger("ParamEcran", "CoefPImp", 0), 15);
    EXPECT_EQ(ini.ReadInteger("ParamEcran_US1", "MargeGaucheLignes", 0), 38);
}

TEST_F(ConfigurationTest, AHandWrittenFileIsReadWhateverItsCaseAndForeignSectionsStay)
{
    InstallerLangue("Deutsch");
    EcrireIni("[general]\r\n"
              "version=150\r\n"
              "[BROWSER]\r\n"
              "WC1=200\r\n"
              "Directory=/home/u/tabs\r\n"
              "[CONFIG]\r\n"
              "patchelangue=Deutsch\r\n"
              "METRONOMEVOLUME=0x40\r\n"
              "HelpFile=0\r\n"
              "r\xC9pertoire=/home/u\r\n"
              "[paramecran_us2]\r\n"
              "coefpimp=17\r\n"
              "affdiag=2\r\n"
              "AFFTXT=0\r\n"
              "margegauchelignes=12\r\n"
              "[Paramimp]\r\n"
              "blackblocks=1\r\n"
              "MargeHautePart=$14\r\n");
    Charger();
    EXPECT_EQ(dialoguesLangue_, 0);
    EXPECT_EQ(LangueCourante, "Deutsch");
    EXPECT_EQ(LangueAide, 3);
    EXPECT_EQ(Configuration.MetronomeVolume, 64);
    EXPECT_EQ(DernierRepertoire, "/home/u");
    EXPECT_EQ(ParamEcranUS2.CoefPImp, 1.7);
    EXPECT_EQ(ParamEcranUS2.MargeGaucheLignes, 12);
    EXPECT_EQ(ParamEcranUS2.MargeDroiteLignes, 38);
    EXPECT_TRUE(ParamEcranUS2.AffDiag);
    EXPECT_FALSE(ParamEcranUS2.AffTxt);
    EXPECT_TRUE(Configuration.BlackBlocks);
    EXPECT_EQ(ParamImpCourant.MargeHautePart, 20.0);

    ParamImpCourant.MargeGaucheLignes = 7.5;
    ParamImpCourant.MargeDroiteLignes = 6.5;
    Enregistrer();
    const std::string texte = LireIni();
    EXPECT_EQ(texte.rfind("[general]\r\nversion=220\r\n[BROWSER]\r\nWC1=200\r\nDirectory=/home/u/tabs\r\n[CONFIG]\r\n", 0), 0u)
        << texte.substr(0, 200);
    FichierIni ini(Ini());
    EXPECT_EQ(ini.ReadInteger("ParamEcran_US2", "CoefPImp", 0), 17);
    EXPECT_EQ(ini.ReadInteger("ParamImp", "MargeGaucheLignes", 0), 8);
    EXPECT_EQ(ini.ReadInteger("ParamImp", "MargeDroiteLignes", 0), 6);
    EXPECT_EQ(ini.ReadInteger("ParamImp", "MargeHautePart", 0), 20);
    EXPECT_EQ(ini.ReadInteger("Config", "HelpFile", 0), 3);
    // One key per setting, however it was spelt before.
    EXPECT_EQ(ini.ReadSection("CONFIG").size(), 50u);
    EXPECT_EQ(ini.ReadSection("ParamEcran_US2").size(), 55u);
}

TEST_F(ConfigurationTest, ValuesThatAreNotNumbersGiveTheFactoryValue)
{
    EcrireIni("[Config]\nMetronomeVolume=lourd\nBrushDuration=\nCleSol=non\nNbColASCII=1.5\n"
              "[ParamEcran]\nColBackG=blanc\nCoefPImp=x\nFontNum_Size=grand\nFontNum_Bold=oui\n"
              "[ParamImp]\nLargeur_Prt=large\nFullPage=\n");
    Charger();
    EXPECT_EQ(Configuration.MetronomeVolume, 95);
    EXPECT_EQ(Configuration.BrushDuration, 4);
    EXPECT_TRUE(Configuration.CleSol);
    EXPECT_EQ(Configuration.NbColASCII, 80);
    EXPECT_EQ(ParamEcranCourant.ColBackG, 16777215);
    EXPECT_EQ(ParamEcranCourant.CoefPImp, 1.5);
    EXPECT_EQ(ParamEcranCourant.FontNum.Size, 7);
    EXPECT_FALSE(ParamEcranCourant.FontNum.Bold);
    EXPECT_EQ(ParamImpCourant.Largeur_Prt, 100.0);
    EXPECT_TRUE(ParamImpCourant.FullPage);
}

TEST_F(ConfigurationTest, UnusualValuesStayButDangerousOnesAreReplaced)
{
    EcrireIni("[Config]\nHelpFile=5\nTypeScrolling=7\nStartingMusic=9\n"
              "BrushDuration=0\nDefaultDynamic=9\nMetronomeVolume=200\nGraceNoteDuration=4\n"
              "DiagSimpleMoyenTout=3\nTypeImport=5\nNbTirets=-1\nSignImpNum=32\nSignImpDen=6\n"
              "NbCordes=9\nNoteCorde2=300\n"
              "[ParamEcran]\nColBackG=-5\nEspPortees=5000\nMargeGaucheLignes=-3\n"
              "EspLignes=0\nEpCroches=-1\nTypeDiag=0\nCoefPImp=0\nCoefEspAff=11\n"
              "[ParamImp]\nGlobalProportions_Prt=99\nMargeBassePart=-2\nCoefPImp=-10\nCoefEspAff_Prt=-1\n");
    Charger();
    // Kept as read.
    EXPECT_EQ(LangueAide, 5);
    EXPECT_TRUE(fenetre_.fichiersAide == std::vector<int32_t>{5});
    EXPECT_EQ(Configuration.TypeScrolling, 7);
    EXPECT_EQ(Configuration.StartingMusic, 9);
    EXPECT_EQ(ParamEcranCourant.ColBackG, -5);
    EXPECT_EQ(ParamEcranCourant.EspPortees, 5000);
    EXPECT_EQ(ParamEcranCourant.MargeGaucheLignes, -3);
    EXPECT_EQ(ParamImpCourant.GlobalProportions_Prt, 99);
    EXPECT_EQ(ParamImpCourant.MargeBassePart, -2.0);
    // Replaced: each would divide by zero, leave the MIDI range or index past a list.
    const TCONFIG d;
    EXPECT_EQ(Configuration.BrushDuration, d.BrushDuration);
    EXPECT_EQ(Configuration.DefaultDynamic, d.DefaultDynamic);
    EXPECT_EQ(Configuration.MetronomeVolume, d.MetronomeVolume);
    EXPECT_EQ(Configuration.GraceNoteDuration, d.GraceNoteDuration);
    EXPECT_EQ(Configuration.DiagSimpleMoyenTout, d.DiagSimpleMoyenTout);
    EXPECT_EQ(Configuration.TypeImport, d.TypeImport);
    EXPECT_EQ(Configuration.NbTirets, d.NbTirets);
    EXPECT_EQ(Configuration.SignImpNum, d.SignImpNum);
    EXPECT_EQ(Configuration.SignImpDen, d.SignImpDen);
    EXPECT_EQ(Partition.NbCordes[1], 6);
    EXPECT_EQ(Partition.Accordage[1][2], 59);
    EXPECT_EQ(ParamEcranCourant.EspLignes, 10);
    EXPECT_EQ(ParamEcranCourant.EpCroches, 2);
    EXPECT_EQ(ParamEcranCourant.TypeDiag, 3);
    EXPECT_EQ(ParamEcranCourant.CoefPImp, 1.5);
    EXPECT_EQ(ParamEcranCourant.CoefEspAff, 5);
    EXPECT_EQ(ParamImpCourant.CoefPImp, 1.5);
    EXPECT_EQ(ParamImpCourant.CoefEspAff_Prt, 5);

    Enregistrer();
    EXPECT_EQ(FichierIni(Ini()).ReadInteger("Config", "HelpFile", 0), 5);
}

TEST_F(ConfigurationTest, TheHelpLanguageFollowsTheInterfaceLanguageWhenUnset)
{
    struct { const char* langue; int32_t aide; } cas[] = {
        {"Fran\xE7" "ais", 1}, {"English", 2}, {"Deutsch", 3}, {"deutsch", 1}, {"Espa\xF1ol", 1}};
    for (const auto& c : cas)
        EXPECT_EQ(LangueAideParDefaut(c.langue), c.aide) << c.langue;

    InstallerLangue("Espa\xF1ol");
    EcrireIni("[Config]\nPatcheLangue=Espa\xF1ol\nHelpFile=0\n");
    Charger();
    EXPECT_EQ(LangueCourante, "Espa\xF1ol");
    EXPECT_EQ(LangueAide, 1);
}

TEST_F(ConfigurationTest, AConfiguredLanguageWhoseFileIsGoneAsksAgain)
{
    InstallerLangue("English");
    EcrireIni("[Config]\nPatcheLangue=Klingon\n");
    Charger();
    EXPECT_EQ(dialoguesLangue_, 1);
    EXPECT_EQ(LangueCourante, "English");
}

TEST_F(ConfigurationTest, RecentFilesThatAreGoneAreDropped)
{
    const std::string existe = (fs::path(dossier_) / "existe.lrx").string();
    std::ofstream(existe) << "x";
    EcrireIni("[Config]\nFichier1=" + (fs::path(dossier_) / "efface.lrx").string() +
              "\nFichier2=" + existe + "\nFichier3=" + dossier_ + "\n");
    Charger();
    EXPECT_EQ(FichiersRecents[1], existe);
    for (int i = 2; i <= 5; ++i)
        EXPECT_TRUE(FichiersRecents[i].empty()) << i;

    Enregistrer();
    FichierIni ini(Ini());
    EXPECT_EQ(ini.ReadString("Config", "Fichier1", ""), existe);
    for (int i = 2; i <= 5; ++i) {
        EXPECT_TRUE(ini.ValueExists("Config", "Fichier" + std::to_string(i)));
        EXPECT_EQ(ini.ReadString("Config", "Fichier" + std::to_string(i), "?"), "");
    }
}

TEST_F(ConfigurationTest, AllSixTuningKeysAreWrittenWhateverTheStringCount)
{
    Partition.NbCordes[1] = 4;
    Partition.Accordage[1] = {0, 43, 38, 33, 28, 45, 40};
    Enregistrer();
    FichierIni ini(Ini());
    EXPECT_EQ(ini.ReadInteger("Config", "NbCordes", 0), 4);
    EXPECT_EQ(ini.ReadInteger("Config", "NoteCorde5", 0), 45);
    EXPECT_EQ(ini.ReadInteger("Config", "NoteCorde6", 0), 40);
}

TEST_F(ConfigurationTest, ASaveThatCannotBeWrittenReachesTheCaller)
{
    EXPECT_THROW(EnregistrerConfiguration((fs::path(dossier_) / "absent" / "Lyrx220.ini").string()),
                 platform::ErreurEcritureIni);
}
