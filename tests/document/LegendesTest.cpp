// Main-window captions, hints and file filters from the "MN_000" section and the dictionary.
#include "document/Langue.h"
#include "document/Legendes.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

std::string Donnee(const std::string& nom) { return std::string(LYRX_TEST_DATA_DIR) + "/" + nom; }

class LegendesTest : public ::testing::Test {
protected:
    void SetUp() override { Vider(); }
    void TearDown() override { Vider(); }
    static void Vider()
    {
        TableLangue.clear();
        DictionnaireLangue.clear();
        RaccourcisAuto = false;
        AuteurPatche.clear();
    }
    static void Charger(const std::string& nom)
    {
        ASSERT_TRUE(ChargerTableLangue(Donnee(nom))) << nom;
        ConstruireDictionnaire();
    }
    static std::string Menu(const LegendesFenetrePrincipale& l, const char* nom)
    {
        const std::string* t = l.Menu(nom);
        return t ? *t : "<none>";
    }
    static std::string Bulle(const LegendesFenetrePrincipale& l, const char* nom)
    {
        const std::string* t = l.Bulle(nom);
        return t ? *t : "<none>";
    }
};

} // namespace

TEST_F(LegendesTest, LinesGoToTheirItemsWithoutAccelerators)
{
    Charger("langue_complet.lxl");
    RaccourcisAuto = false; // the file asks for them; look at the plain captions first
    const auto l = TraduireFenetrePrincipale();
    ASSERT_TRUE(l.has_value());

    struct Cas {
        const char* nom;
        const char* menu;
        const char* bulle;
    };
    const Cas menus[] = {
        {"Mn_Fichier", "File", nullptr},
        {"Mn_Fichier_Nouveau", "New...", "Bt_Fichier_Nouveau"},
        {"Mn_Fichier_ImporterMIDI", "MIDI file...", nullptr},
        {"Mn_Fichier_ExporterMIDI", "MIDI file...", nullptr}, // a copy of line 11
        {"Mn_Fichier_ExporterASCII", "ASCII tablature...", nullptr},
        {"Mn_Edition_Couper", "Cut measures", "Bt_Edition_Couper"},
        {"Mn2_Edition_Couper", "Cut measures", nullptr},
        {"Mn2_Edition_Vider", "Clear measures", nullptr},
        {"Mn_Mesure_Premiere", "First measure", nullptr},
        {"Mn_Effet_BendRelease", "Bend && Release...", "Bt_Effet_BendRelease"},
        {"Mn_Dyna", "Dynamics", "BT_DynaForm"},
        {"Mn_Affichage_HelpLanguage", "Help language", nullptr},
        {"Mn_Aide_APropos", "About...", nullptr},
    };
    for (const Cas& c : menus)
        EXPECT_EQ(Menu(*l, c.nom), c.menu) << c.nom;

    EXPECT_EQ(Bulle(*l, "Bt_Fichier_Nouveau"), "New");
    EXPECT_EQ(Bulle(*l, "Bt_Edition_Couper"), "Cut measures");
    EXPECT_EQ(Bulle(*l, "Bt_Mesure_Premiere"), "Go to the first measure"); // line 27, hint only
    EXPECT_EQ(Bulle(*l, "Bt_Effet_BendRelease"), "Bend & Release");       // not doubled
    EXPECT_EQ(Bulle(*l, "BT_DynaForm"), "Dynamics");
    EXPECT_EQ(Bulle(*l, "Bt_Son_Stop"), "Stop playback");
    EXPECT_EQ(Bulle(*l, "Bt_Mesure_RenvoiFin"), "Repeat end"); // caption and hint, no "..." on the hint
    EXPECT_EQ(Menu(*l, "Mn_Mesure_RenvoiFin"), "Repeat end...");

    // Lines 115 and 116 are not read; the items of other Parts are not touched.
    for (const Legende& m : l->Menus)
        EXPECT_EQ(m.Texte.find("unused"), std::string::npos) << m.Nom;
    EXPECT_EQ(l->Menu("Mn_Piste1"), nullptr);

    // Each item once: of the 115 lines read, 12 give a hint only; 7 captions are copied.
    std::set<std::string> noms;
    for (const Legende& m : l->Menus)
        EXPECT_TRUE(noms.insert(m.Nom).second) << m.Nom;
    EXPECT_EQ(l->Menus.size(), 103u + 7u);
    EXPECT_EQ(l->Bulles.size(), 63u);
}

TEST_F(LegendesTest, AutomaticAcceleratorsMenuByMenu)
{
    Charger("langue_complet.lxl");
    ASSERT_TRUE(RaccourcisAuto);
    const auto l = TraduireFenetrePrincipale();
    ASSERT_TRUE(l.has_value());
    struct Cas {
        const char* nom;
        const char* menu;
    };
    const Cas cas[] = {
        // menu titles: E and F are taken by File and Edit when Effects comes
        {"Mn_Fichier", "&File"},
        {"Mn_Edition", "&Edit"},
        {"Mn_Effets", "Effe&cts"},
        {"Mn_Aide", "&Help"},
        // File menu: one set of letters for the whole menu
        {"Mn_Fichier_Nouveau", "&New..."},
        {"Mn_Fichier_Enregistrer", "&Save"},
        {"Mn_Fichier_EnregistrerSous", "S&ave as..."},
        {"Mn_Fichier_Proprietes", "Son&g properties..."},
        {"Mn_Fichier_Imprimer", "P&rint..."},
        {"Mn_Fichier_ApercuImp", "Prin&t preview..."},
        // submenus have letters of their own: Import and Export show the same captions
        {"Mn_Fichier_ImporterMIDI", "&MIDI file..."},
        {"Mn_Fichier_ExporterMIDI", "&MIDI file..."},
        {"Mn_Fichier_ImporterASCII", "&ASCII tablature..."},
        // the popup draws again from a fresh set
        {"Mn_Edition_Couper", "&Cut measures"},
        {"Mn_Edition_Copier", "C&opy measures"},
        {"Mn2_Edition_Couper", "&Cut measures"},
        {"Mn2_Edition_Copier", "C&opy measures"},
        // the doubled "&" counts as an ordinary character
        {"Mn_Effet_Bend", "&Bend..."},
        {"Mn_Effet_BendRelease", "B&end && Release..."},
        // the help-language submenu caption gets none
        {"Mn_Affichage_HelpLanguage", "Help language"},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(Menu(*l, c.nom), c.menu) << c.nom;
    EXPECT_EQ(Bulle(*l, "Bt_Fichier_Nouveau"), "New"); // hints get no accelerator

    // Within one menu no two items share a letter.
    const std::vector<std::vector<const char*>> menus = {
        {"Mn_Fichier_Nouveau", "Mn_Fichier_Ouvrir", "Mn_Fichier_Parcourir", "Mn_Fichier_Enregistrer",
         "Mn_Fichier_EnregistrerSous", "Mn_Fichier_Proprietes", "Mn_Options_Preferences", "Mn_Fichier_Importer",
         "Mn_Fichier_Exporter", "Mn_Fichier_Imprimer", "Mn_Fichier_ApercuImp", "Mn_Fichier_ConfigImp",
         "Mn_Fichier_Quitter"},
        {"Mn_Note_Ronde", "Mn_Note_Blanche", "Mn_Note_Noire", "Mn_Note_Croche", "Mn_Note_DCroche",
         "Mn_Note_TCroche", "Mn_Note_QCroche", "Mn_Note_Pointee", "Mn_Note_Accord", "Mn_Note_Annotation",
         "Mn_Note_NoteEtouffee", "Mn_Note_Silence", "Mn_Note_Triolet", "Mn_Note_Lier", "Mn_Note_InsererTemps",
         "Mn_Note_SupprimerTemps", "Mn_Note_CopierTempsfin", "Mn_Note_DeplacerHaut", "Mn_Note_DeplacerBas"},
    };
    for (const auto& menu : menus) {
        std::map<char, std::string> lettres;
        for (const char* nom : menu) {
            const std::string t = Menu(*l, nom);
            const std::size_t p = t.find('&');
            ASSERT_NE(p, std::string::npos) << nom << ": " << t;
            const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(t[p + 1])));
            EXPECT_TRUE(lettres.emplace(c, nom).second) << nom << " and " << lettres[c] << " share " << c;
        }
    }
}

TEST_F(LegendesTest, ASecondCallGivesTheSameCaptions)
{
    Charger("langue_complet.lxl");
    const auto a = TraduireFenetrePrincipale();
    const auto b = TraduireFenetrePrincipale();
    ASSERT_TRUE(a && b);
    ASSERT_EQ(a->Menus.size(), b->Menus.size());
    for (std::size_t i = 0; i < a->Menus.size(); ++i) {
        EXPECT_EQ(a->Menus[i].Nom, b->Menus[i].Nom);
        EXPECT_EQ(a->Menus[i].Texte, b->Menus[i].Texte);
    }
}

TEST_F(LegendesTest, FiltersAndTitlesOfTheSixFileDialogs)
{
    Charger("langue_complet.lxl");
    const auto l = TraduireFenetrePrincipale();
    ASSERT_TRUE(l.has_value());
    ASSERT_EQ(l->Dialogues.size(), 6u);
    const std::string chansons = "Lyrandaxis song (*.lrx)|*.lrx";
    const std::string midi = "MIDI file (*.mid)|*.mid";
    const std::string ascii = "ASCII tablature (*.tab)|*.tab|All files (*.*)|*.*";
    const DialogueFichier attendus[] = {
        {"OpenDialog1", chansons, std::nullopt},
        {"SaveDialog1", chansons, std::nullopt},
        {"OpenDialog2", midi, "Import a MIDI file"},
        {"SaveDialog2", midi, "Export a MIDI file"},
        {"OpenDialog3", ascii, "Import ASCII tablature"},
        {"SaveDialog3", ascii, "Export ASCII tablature"},
    };
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(l->Dialogues[i].Nom, attendus[i].Nom);
        EXPECT_EQ(l->Dialogues[i].Filtre, attendus[i].Filtre);
        EXPECT_EQ(l->Dialogues[i].Titre, attendus[i].Titre);
    }
    EXPECT_EQ(FiltreQt(chansons), "Lyrandaxis song (*.lrx)");
    EXPECT_EQ(FiltreQt(ascii), "ASCII tablature (*.tab);;All files (*)");
}

TEST(FiltreQt, ConvertsTheBarNotation)
{
    EXPECT_EQ(FiltreQt("Songs (*.lrx)|*.lrx"), "Songs (*.lrx)");
    EXPECT_EQ(FiltreQt("Songs|*.lrx"), "Songs (*.lrx)");
    EXPECT_EQ(FiltreQt("Both (*.mid;*.midi)|*.mid;*.midi"), "Both (*.mid *.midi)");
    EXPECT_EQ(FiltreQt("All (*.*)|*.*"), "All (*)");
    EXPECT_EQ(FiltreQt(""), "");
}

TEST_F(LegendesTest, WithoutTheSectionNothingChanges)
{
    EXPECT_FALSE(TraduireFenetrePrincipale().has_value());
    Charger("langue_minuscules.lxl");
    EXPECT_FALSE(TraduireFenetrePrincipale().has_value());
}

TEST_F(LegendesTest, MissingKeysShowTheInternalErrorInFilters)
{
    // Captions from a file without header: the dictionary is empty.
    Charger("langue_sans_entete.lxl");
    const auto l = TraduireFenetrePrincipale();
    ASSERT_TRUE(l.has_value());
    EXPECT_EQ(Menu(*l, "Mn_Fichier_Nouveau"), "Menu 2...");
    EXPECT_EQ(l->Dialogues[2].Filtre, "Internal error : Translation not found ! (*.mid)|*.mid");
    EXPECT_EQ(l->Dialogues[2].Titre, "Internal error : Translation not found !");
}

TEST_F(LegendesTest, ASectionCutShortGivesEmptyCaptions)
{
    Charger("langue_menus_coupes.lxl");
    const auto l = TraduireFenetrePrincipale();
    ASSERT_TRUE(l.has_value());
    EXPECT_EQ(Menu(*l, "Mn_Fichier_Ouvrir"), "Open...");
    EXPECT_EQ(Menu(*l, "Mn_Fichier_Parcourir"), "...");
    EXPECT_EQ(Menu(*l, "Mn_Aide_APropos"), "...");
    EXPECT_EQ(Bulle(*l, "Bt_Son_Stop"), "");
}
