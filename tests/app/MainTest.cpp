#include "app/DialoguesFichiersQt.h"
#include "app/Icones.h"
#include "app/Main.h"
#include "app/Programme.h"
#include "controls/CxButton.h"
#include "controls/CxPanel.h"
#include "controls/CxEdit.h"
#include "controls/VCLUtils.h"
#include "document/ConfigFichier.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Variable.h"
#include "editor/Ed_fct.h"
#include "editor/Scrolling.h"
#include "platform/Repertoires.h"
#include "platform/Sablier.h"
#include "support/DossierTemporaire.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QTextEdit>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

TEST(LigneCommande, ArgumentsAreJoinedBySingleBlanks)
{
    EXPECT_EQ(JoindreLigneCommande({"/tmp/My", "Songs/a.lrx"}), "/tmp/My Songs/a.lrx");
    EXPECT_EQ(JoindreLigneCommande({"a.lrx"}), "a.lrx");
    EXPECT_EQ(JoindreLigneCommande({"My", "", "Song.lrx"}), "My  Song.lrx");
    EXPECT_EQ(JoindreLigneCommande({}), "");
}

// A picture is drawn at the size it is asked for: 20 pixels, 40 at a ratio of 2, a smaller
// size scaled down, never larger than drawn; the disabled look is the style's, not the normal
// one. An unknown name has no picture.
TEST(IconesBoutons, APictureIsDrawnAtTheSizeAskedFor)
{
    EXPECT_TRUE(IconeBouton("Bt_Inconnu").isNull());
    const QIcon icone = IconeBouton("Bt_Fichier_Nouveau");
    ASSERT_FALSE(icone.isNull());
    const auto physique = [&](int cote, qreal ratio, QIcon::Mode mode = QIcon::Normal) {
        return icone.pixmap(QSize(cote, cote), ratio, mode).toImage();
    };
    const QImage normal = physique(TailleIcone, 1.0);
    EXPECT_EQ(normal.size(), QSize(TailleIcone, TailleIcone));
    bool dessine = false;
    for (int y = 0; y < normal.height() && !dessine; ++y)
        for (int x = 0; x < normal.width() && !dessine; ++x)
            dessine = qAlpha(normal.pixel(x, y)) != 0;
    EXPECT_TRUE(dessine) << "the picture is empty";
    EXPECT_EQ(physique(TailleIcone, 2.0).size(), QSize(2 * TailleIcone, 2 * TailleIcone));
    EXPECT_EQ(physique(16, 1.0).size(), QSize(16, 16));
    EXPECT_EQ(physique(64, 1.0).size(), QSize(TailleIcone, TailleIcone));
    // Asked again, the same picture.
    EXPECT_EQ(physique(TailleIcone, 1.0), normal);
    EXPECT_NE(physique(TailleIcone, 1.0, QIcon::Disabled), normal);
}

// The pictures drawn on their thread while the program starts are the ones a button gets when
// it asks first: shapes, upright and italic letters, and the disabled look made from them.
TEST(IconesBoutons, PicturesDrawnBesideTheStartAreTheOnesDrawnOnRequest)
{
    const char* const noms[] = {"Bt_Fichier_Nouveau", "Bt_Mesure_Signature", "Bt_Effet_HO", "Bt_Effet_LetRing",
                                "BT_DynaForm", "PisteUp"};
    const auto image = [](const char* nom, QIcon::Mode mode) {
        return IconeBouton(nom).pixmap(QSize(TailleIcone, TailleIcone), 1.0, mode).toImage();
    };
    std::vector<std::pair<QImage, QImage>> demandees;
    for (const char* nom : noms)
        demandees.emplace_back(image(nom, QIcon::Normal), image(nom, QIcon::Disabled));
    IconesEnArrierePlan lot;
    for (std::size_t i = 0; i < std::size(noms); ++i) {
        SCOPED_TRACE(noms[i]);
        EXPECT_EQ(image(noms[i], QIcon::Normal), demandees[i].first);
        EXPECT_EQ(image(noms[i], QIcon::Disabled), demandees[i].second);
    }
}

// An error escaping an event is shown once and the program goes on; the quiet stop shows nothing.
TEST(LivraisonEvenements, AnEscapingErrorIsShownAndTheQuietStopIsNot)
{
    std::vector<MessageAffiche> messages;
    const AfficheurMessages ancien = InstallerAfficheurMessages([&messages](const MessageAffiche& m) {
        messages.push_back(m);
        return ResultatOK;
    });
    EXPECT_TRUE(LivrerSansPerte([] { return true; }));
    EXPECT_FALSE(LivrerSansPerte([]() -> bool { throw EAbort(); }));
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(LivrerSansPerte([]() -> bool { throw std::runtime_error("Nom de fichier incorrect - \xC3\xA9"); }));
    InstallerAfficheurMessages(ancien);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Icone, IconeErreur);
    EXPECT_EQ(messages[0].Texte, "Nom de fichier incorrect - \xE9"); // Windows-1252, as every box text
}

// The work after the main window's first paint (the start-up trace, the sound font's load, the
// wave output) runs once, in the order of its list, from the event loop after the first paint
// that came with the start work done: not within that paint, not on a paint before or after.
TEST(ApresPremierePeinture, ActionsRunOnceInTheirOrderAfterThePaintThatFindsTheStartDone)
{
    QWidget fenetre;
    fenetre.resize(200, 100);
    bool demarre = false;
    std::vector<int> faites;
    ApresPremierePeinture apres(fenetre, [&demarre] { return demarre; });
    for (int i : {1, 2, 3})
        apres.Ajouter([&faites, i] { faites.push_back(i); });
    fenetre.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
    fenetre.repaint();
    QCoreApplication::processEvents();
    EXPECT_TRUE(faites.empty()) << "paints before the start work is done";

    demarre = true;
    fenetre.repaint();
    EXPECT_TRUE(faites.empty()) << "within the paint";
    QCoreApplication::processEvents();
    EXPECT_EQ(faites, (std::vector<int>{1, 2, 3}));

    fenetre.repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(faites, (std::vector<int>{1, 2, 3})) << "a later paint";
}

TEST(MenuPistes, CaptionHoldsTheDigitAndAtMostFortyFiveCharacters)
{
    const std::string quarante(40, 'n');
    const std::string legende = LegendeMenuPiste(3, quarante);
    EXPECT_EQ(legende.size(), 45u);
    EXPECT_EQ(legende.substr(0, 5), "&3 - ");
    EXPECT_EQ(LegendeMenuPiste(8, "Gene-Percussions"), "&8 - Gene-Percussions");
    EXPECT_EQ(LegendeMenuPiste(1, ""), "&1 - ");
    EXPECT_EQ(LegendeMenuPiste(1, std::string(60, 'x')).size(), 45u);
}

TEST(FichierAide, HelpLanguageChoosesTheFile)
{
    const std::string dir = "/opt/lyrx/";
    struct {
        int langue;
        std::string attendu;
    } cas[] = {{0, "old.hlp"},
               {4, "old.hlp"},
               {-1, "old.hlp"},
               {1, dir + "Lyrx_fr.hlp"},
               {2, dir + "Lyrx_en.hlp"},
               {3, dir + "Lyrx_de.hlp"}};
    for (const auto& c : cas)
        EXPECT_EQ(FichierAidePourLangue(c.langue, dir, "old.hlp"), c.attendu) << c.langue;
}

namespace {

// A main window on the offscreen platform, with the English words, its settings written to a
// folder of its own and a terminator that only records.
class FenetreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dossier_ = lyrx_test::DossierDuTest();
        windows_.emplace("LYRX_WINDOWS_DIR", dossier_.string());
        ASSERT_TRUE(ChargerLangue(std::string(LYRX_SOURCE_DIR) + "/data", "English"));
        Commandes().Reinitialiser();
        PartitionModifiee = false;
        PartitionVierge = true;
        NomFichier.clear();
        fenetre_ = std::make_unique<TForm1>();
        InstallerFenetrePrincipale(fenetre_.get());
        fenetre_->DefinirTerminateur([this](int code) { codesFin_.push_back(code); });
    }

    void TearDown() override
    {
        InstallerFenetrePrincipale(nullptr);
        fenetre_.reset();
        Commandes().Reinitialiser();
        windows_.reset();
    }

    fs::path FichierConfiguration() const { return dossier_ / NomFichierConfiguration; }

    template <class T>
    T* Enfant(const char* nom) const
    {
        return fenetre_->findChild<T*>(nom);
    }

    fs::path dossier_;
    std::optional<lyrx_test::VariableEnvironnement> windows_;
    std::unique_ptr<TForm1> fenetre_;
    std::vector<int> codesFin_;
};

} // namespace

TEST_F(FenetreTest, FirstActivationStartsANewUntitledSongOnce)
{
    EXPECT_EQ(fenetre_->objectName(), "Form1");
    ASSERT_TRUE(fenetre_->PremiereActivation());
    fenetre_->Demarrer();
    EXPECT_FALSE(fenetre_->PremiereActivation());
    EXPECT_EQ(fenetre_->windowTitle().toStdString(), "Lyrandaxis 2.2 - " + Traduire("Fichier-SansNom"));
    EXPECT_TRUE(NomFichier.empty());
    EXPECT_TRUE(PartitionVierge);
    EXPECT_EQ(Partition.NbMesures, 1);
    ASSERT_TRUE(Partition.Mesures[1]);

    // Neither a second call nor a later activation starts the song again.
    Partition.Titre = "Kept";
    Partition.Tempo = 77;
    fenetre_->Demarrer();
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(fenetre_.get(), &activation);
    EXPECT_EQ(Partition.Titre.str(), "Kept");
    EXPECT_EQ(Partition.Tempo, 77);
}

// The start draws the new empty song without the busy cursor: the drawing is over before a
// cursor could show, and making the cursor would cost the start more. Outside the start, the
// same drawing shows it; and a song given on the command line shows it while it is read.
TEST_F(FenetreTest, TheStartShowsTheBusyCursorOnlyForASongItReads)
{
    std::string journal;
    platform::InstallerAfficheurSablier([&](bool occupe) { journal += occupe ? "+" : "-"; });
    fenetre_->Demarrer();
    EXPECT_EQ(journal, "");
    RedessinerPartition();
    EXPECT_EQ(journal, "+-");
    platform::InstallerAfficheurSablier({});
}

TEST_F(FenetreTest, ASongOnTheCommandLineShowsTheBusyCursorWhileItIsRead)
{
    std::vector<bool> occupeEnLisant;
    platform::InstallerAfficheurSablier([&](bool occupe) { occupeEnLisant.push_back(occupe); });
    fenetre_->DefinirArguments({std::string(LYRX_SOURCE_DIR) + "/tests/document/data/partition_v220.lrx"});
    fenetre_->Demarrer();
    platform::InstallerAfficheurSablier({});
    EXPECT_EQ(NomFichier, "partition_v220.lrx");
    ASSERT_FALSE(occupeEnLisant.empty());
    EXPECT_TRUE(occupeEnLisant.front());
    EXPECT_FALSE(occupeEnLisant.back());
}

TEST_F(FenetreTest, AMissingCommandLineFileIsReportedByItsFileNameOnly)
{
    EnregistreurMessages messages;
    fenetre_->DefinirArguments({"/lyrx-no-such-dir/My", "Songs/missing.lrx"});
    // An activation that arrives while the start work lets pending messages run must not
    // start it a second time (the box would show twice).
    QCoreApplication::postEvent(fenetre_.get(), new QEvent(QEvent::WindowActivate));
    fenetre_->Demarrer();
    QCoreApplication::processEvents();
    ASSERT_EQ(messages.Messages.size(), 1u);
    const MessageAffiche& m = messages.Messages[0];
    EXPECT_EQ(m.Legende, Traduire("Dlg-Erreur"));
    EXPECT_EQ(m.Texte, FormaterMessage1(Traduire("Fichier-Introuvable"), "missing.lrx"));
    EXPECT_EQ(m.Texte.find("lyrx-no-such-dir"), std::string::npos);
    EXPECT_EQ(m.Boutons, BoutonOK);
    // The new empty song stays.
    EXPECT_TRUE(NomFichier.empty());
    EXPECT_TRUE(PartitionVierge);
}

TEST_F(FenetreTest, ASongOpenedFromTheCommandLineIsWhereTheNextFileDialogStarts)
{
    const QString avant = QDir::currentPath();
    const fs::path dossier = dossier_ / "my songs";
    fs::create_directories(dossier);
    fs::copy_file(fs::path(LYRX_SOURCE_DIR) / "tests/document/data/petite_v221.lrx", dossier / "petite.lrx");
    // The folder kept from the last run gives way to the song's.
    DernierRepertoire = dossier_.string();

    fenetre_->DefinirArguments({(dossier / "petite.lrx").string()});
    fenetre_->Demarrer();
    QCoreApplication::processEvents();
    ASSERT_EQ(NomFichier, "petite.lrx");

    QString depart;
    TDialoguesFichiers::DefinirExecution([&depart](QFileDialog& d) -> std::optional<QString> {
        depart = d.directory().absolutePath();
        return std::nullopt;
    });
    Enfant<QAction>("Mn_Fichier_Ouvrir")->trigger();
    EXPECT_EQ(depart.toStdString(), dossier.string());

    TDialoguesFichiers::DefinirExecution({});
    DernierRepertoire.clear();
    QDir::setCurrent(avant);
}

TEST_F(FenetreTest, ClosingABlankNewSongAsksNothingAndSavesTheSettings)
{
    fenetre_->Demarrer();
    EnregistreurMessages messages;
    fenetre_->close();
    EXPECT_TRUE(messages.Messages.empty());
    EXPECT_EQ(codesFin_, std::vector<int>{0});
    EXPECT_TRUE(fs::exists(FichierConfiguration()));
    EXPECT_FALSE(Partition.Mesures[1]); // the blocks are freed
}

TEST_F(FenetreTest, SettingsThatCannotBeWrittenDoNotKeepTheProgramOpen)
{
    fenetre_->Demarrer();
    fs::create_directories(FichierConfiguration()); // a folder where the file should go
    EnregistreurMessages messages;
    fenetre_->close();
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Icone, IconeErreur);
    EXPECT_EQ(codesFin_, std::vector<int>{0});
}

// Settings kept behind a link (a folder of links to the user's own files) are written to the
// file the link leads to, and the link stays.
TEST_F(FenetreTest, SettingsAreWrittenThroughTheirLink)
{
    fenetre_->Demarrer();
    const fs::path reel = dossier_ / "mes-reglages" / "lyrx.ini";
    fs::create_directories(reel.parent_path());
    std::ofstream(reel) << "[Browser]\nWC1=77\n";
    fs::create_symlink(reel, FichierConfiguration());
    EnregistreurMessages messages;
    fenetre_->close();
    EXPECT_TRUE(messages.Messages.empty());
    EXPECT_EQ(codesFin_, std::vector<int>{0});
    EXPECT_TRUE(fs::is_symlink(FichierConfiguration()));
    const platform::FichierIni ini(reel.string());
    EXPECT_EQ(ini.ReadInteger("General", "Version", 0), VersionConfiguration);
    EXPECT_EQ(ini.ReadInteger("Browser", "WC1", 0), 77);
}

// A settings file the user made read-only is one that cannot be written: the box says so,
// the program still ends, and the file stays as it was.
TEST_F(FenetreTest, AReadOnlySettingsFileIsLeftAsItWas)
{
    fenetre_->Demarrer();
    const std::string contenu = "[Config]\nPatcheLangue=English\n";
    std::ofstream(FichierConfiguration()) << contenu;
    const fs::perms lecture = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(FichierConfiguration(), lecture);
    EnregistreurMessages messages;
    fenetre_->close();
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Icone, IconeErreur);
    EXPECT_EQ(messages.Messages[0].Texte,
              "Impossible d'\xE9" "crire dans " + platform::RepertoireWindowsParDefaut() + NomFichierConfiguration);
    EXPECT_EQ(codesFin_, std::vector<int>{0});
    std::ifstream f(FichierConfiguration());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()), contenu);
    EXPECT_EQ(fs::status(FichierConfiguration()).permissions(), lecture);
}

TEST_F(FenetreTest, CancellingTheSaveQuestionKeepsEverything)
{
    fenetre_->Demarrer();
    fenetre_->show();
    MarquerModifiee();
    EnregistreurMessages messages;
    messages.Reponses.push_back(ResultatAnnuler);
    fenetre_->close();
    EXPECT_EQ(messages.Messages.size(), 1u);
    EXPECT_TRUE(codesFin_.empty());
    EXPECT_FALSE(FermetureEnCours);
    EXPECT_TRUE(fenetre_->isVisible());
    EXPECT_FALSE(fs::exists(FichierConfiguration()));
    EXPECT_TRUE(Partition.Mesures[1]);
}

TEST_F(FenetreTest, TrackMenuAndButtonsFollowTheNamesAndTheCurrentTrack)
{
    fenetre_->Demarrer();
    Partition.NomPiste[2] = std::string(40, 'g');
    PisteCourante = 2;
    fenetre_->ActualiserMenuPistes();
    EXPECT_EQ(fenetre_->ItemPiste(2)->text().size(), 45);
    EXPECT_EQ(fenetre_->ItemPiste(8)->text(), "&8 - " + QString::fromStdString(Partition.NomPiste[8].str()));
    EXPECT_EQ(fenetre_->BoutonPiste(2)->toolTip().toStdString(), std::string(40, 'g'));
    for (int t = 1; t <= 8; ++t) {
        EXPECT_EQ(fenetre_->ItemPiste(t)->isChecked(), t == 2) << t;
        EXPECT_EQ(fenetre_->BoutonPiste(t)->isChecked(), t == 2) << t;
    }
    EXPECT_EQ(fenetre_->PartNomPiste()->text().toStdString(), std::string(40, 'g'));
    PisteCourante = 1;
}

TEST_F(FenetreTest, HelpLanguageItemsAreCheckedByTheirTag)
{
    for (auto [langue, nom] : {std::pair{2, "Ac_Options_LangueAide1"}, std::pair{1, "Ac_Options_LangueAide2"},
                               std::pair{3, "Ac_Options_LangueAide3"}}) {
        LangueAide = langue;
        fenetre_->CocherLangueAide();
        for (const char* autre : {"Ac_Options_LangueAide1", "Ac_Options_LangueAide2", "Ac_Options_LangueAide3"})
            EXPECT_EQ(Enfant<QAction>(autre)->isChecked(), std::string(autre) == nom) << langue << autre;
    }
    LangueAide = 0;
}

TEST_F(FenetreTest, MenusAndButtonsMirrorTheCommandList)
{
    // Every action of the list, its menu item and its button exist under their names.
    for (const auto& d : TableCommandes()) {
        if (d.Sorte == SorteCommande::Action) {
            ASSERT_TRUE(Enfant<QAction>(d.Nom)) << d.Nom;
            EXPECT_EQ(fenetre_->Action(d.Id)->shortcut().isEmpty(), d.Touche.Vide()) << d.Nom;
            EXPECT_TRUE(Enfant<QAction>((std::string("Mn_") + (d.Nom + 3)).c_str())) << d.Nom;
        } else if (d.Sorte == SorteCommande::BoutonBarre) {
            EXPECT_TRUE(Enfant<QToolButton>(d.Nom)) << d.Nom;
        }
    }
    for (const char* nom : {"BT_AnnulerMesure", "BT_Valider", "BT_DynaForm", "ZoneSaisie", "Ed_Invisible",
                            "NumMesure", "NbTps", "NbTps2", "MessErreur", "PartNomPiste", "Panel_NomPiste",
                            "CxToolBar1", "PanelZoneAffScroll", "ScrollBarZoneAffScroll", "Mn2_Edition_Couper"})
        EXPECT_TRUE(fenetre_->findChild<QObject*>(nom)) << nom;

    Commandes().SetEnabled(Cmd::Ac_Effet_HO, false);
    EXPECT_FALSE(Enfant<QAction>("Ac_Effet_HO")->isEnabled());
    EXPECT_FALSE(Enfant<QAction>("Mn_Effet_HO")->isEnabled());
    EXPECT_FALSE(Enfant<QToolButton>("Bt_Effet_HO")->isEnabled());
    Commandes().SetChecked(Cmd::Ac_Note_Pointee, true);
    Commandes().SetChecked(Cmd::Bt_Note_Pointee, true);
    EXPECT_TRUE(Enfant<QAction>("Mn_Note_Pointee")->isChecked());
    EXPECT_TRUE(Enfant<QToolButton>("Bt_Note_Pointee")->isChecked());

    // A click changes nothing by itself: the command's handler decides. The staff palette
    // registers the handler of its command when it is built, and this window is built alone.
    Enfant<QAction>("Mn_Ass_Solfege")->trigger();
    EXPECT_FALSE(Enfant<QAction>("Mn_Ass_Solfege")->isChecked());
    Enfant<QToolButton>("Bt_Ass_Solfege")->click();
    EXPECT_FALSE(Enfant<QToolButton>("Bt_Ass_Solfege")->isChecked());

    // A handled command runs from its menu item and its button.
    int executions = 0;
    Commandes().Enregistrer(Cmd::Ac_Ass_Solfege, [&](Cmd c) {
        ++executions;
        Commandes().InverserChecked(c);
    });
    Enfant<QAction>("Mn_Ass_Solfege")->trigger();
    EXPECT_TRUE(Enfant<QAction>("Mn_Ass_Solfege")->isChecked());
    Enfant<QToolButton>("Bt_Ass_Solfege")->click();
    EXPECT_EQ(executions, 2);
    Commandes().Enregistrer(Cmd::Ac_Ass_Solfege, nullptr);
}

TEST_F(FenetreTest, ButtonsNeverTakeTheFocusFromTheHiddenMemo)
{
    for (QToolButton* b : fenetre_->findChildren<QToolButton*>())
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << b->objectName().toStdString();
    EXPECT_NE(fenetre_->Ed_Invisible()->focusPolicy(), Qt::NoFocus);
    EXPECT_LT(fenetre_->Ed_Invisible()->x(), 0); // out of sight, yet a shown control
}

TEST_F(FenetreTest, ToolbarHoldsItsButtonsAndSpacersInOneRow)
{
    fenetre_->resize(1000, 700);
    fenetre_->show(); // the window lays its rows out for the size it is shown at
    QCoreApplication::processEvents();
    TCxToolbar* barre = fenetre_->CxToolBar1();
    ASSERT_TRUE(barre);
    EXPECT_EQ(barre->objectName(), "CxToolBar1");
    EXPECT_TRUE(fenetre_->findChildren<QToolBar*>().isEmpty());
    const QStringList attendus = {
        "Bt_Fichier_Nouveau", "Bt_Fichier_Ouvrir", "Bt_Fichier_Enregistrer", "CxSpacer1", "Bt_Fichier_Proprietes",
        "Bt_Options_Preferences", "CxSpacer2", "Bt_Fichier_Imprimer", "Bt_Fichier_ApercuImp", "CxSpacer3",
        "Bt_Edition_Couper", "Bt_Edition_Copier", "Bt_Edition_Coller", "CxSpacer4", "Bt_Edition_Inserer",
        "Bt_Edition_Vider", "CxSpacer5", "Bt_Son_LectureDebut", "Bt_Son_LecturePosEC", "Bt_Son_LectureMesureEC",
        "Bt_Son_Stop", "Bt_Son_EnBoucle", "Bt_Son_Metronome", "CxSpacer6", "Bt_Affichage_PleinEcran"};
    EXPECT_EQ(barre->ToolbarControlNames(), attendus);
    EXPECT_EQ(barre->Align(), alNone);
    EXPECT_EQ(barre->Margin(), 0);
    EXPECT_EQ(barre->TopMargin(), 1);
    EXPECT_EQ(barre->RowHeight(), 25);
    EXPECT_TRUE(barre->AutoSize());
    EXPECT_EQ(barre->BorderSides(), sdAucun);
    EXPECT_EQ(barre->FrameSides(), sdAucun);

    // Buttons 23 x 22 at top 2, grooved spacers 6 wide at top 1, side by side from 0 to 473.
    int x = 0;
    for (QWidget* c : barre->ToolbarControls()) {
        SCOPED_TRACE(c->objectName().toStdString());
        if (auto* s = qobject_cast<TCxSpacer*>(c)) {
            EXPECT_TRUE(s->Grooved());
            EXPECT_EQ(c->geometry(), QRect(x, 1, 6, 25));
        } else {
            auto* b = qobject_cast<TCxToolbarButton*>(c);
            ASSERT_TRUE(b);
            EXPECT_EQ(c->geometry(), QRect(x, 2, 23, 22));
            EXPECT_TRUE(b->IgnoreActionCaption());
            EXPECT_EQ(b->HotNumGlyphs(), 0);
            // Bound to the action of the same menu and command.
            ASSERT_TRUE(b->Action());
            EXPECT_EQ(b->Action()->objectName(), "Ac_" + c->objectName().mid(3));
        }
        x += c->width();
    }
    EXPECT_EQ(x, 473);
    EXPECT_EQ(barre->geometry(), QRect(5, 4, 473, 26));
    // The track-name panel starts at the toolbar's left plus its width.
    EXPECT_EQ(Enfant<QWidget>("Panel_NomPiste")->x(), barre->x() + barre->width());

    // The three toggles, each alone in its group and free to be released.
    const std::pair<const char*, int> bascules[] = {
        {"Bt_Son_EnBoucle", 1}, {"Bt_Son_Metronome", 2}, {"Bt_Affichage_PleinEcran", 3}};
    for (const auto& [nom, groupe] : bascules) {
        auto* b = Enfant<TCxToolbarButton>(nom);
        EXPECT_EQ(b->GroupIndex(), groupe) << nom;
        EXPECT_TRUE(b->AllowAllUp()) << nom;
    }
    EXPECT_EQ(Enfant<TCxToolbarButton>("Bt_Edition_Couper")->GroupIndex(), 0);
}

TEST_F(FenetreTest, ToolbarButtonsRunTheirActionAndShowTheCommandState)
{
    auto* metronome = Enfant<TCxToolbarButton>("Bt_Son_Metronome");
    auto* couper = Enfant<TCxToolbarButton>("Bt_Edition_Couper");
    std::vector<Cmd> executees;
    for (Cmd c : {Cmd::Ac_Son_Metronome, Cmd::Ac_Edition_Couper})
        Commandes().Enregistrer(c, [&](Cmd e) { executees.push_back(e); });

    // The program sets the down state without running the command.
    Commandes().SetChecked(Cmd::Bt_Son_Metronome, true);
    EXPECT_TRUE(metronome->Down());
    EXPECT_TRUE(executees.empty());

    // A click runs the action once; a handler that leaves the state alone leaves the button
    // as the list has it, whatever the click looked like.
    metronome->click();
    couper->click();
    EXPECT_EQ(executees, (std::vector<Cmd>{Cmd::Ac_Son_Metronome, Cmd::Ac_Edition_Couper}));
    EXPECT_TRUE(metronome->Down());
    EXPECT_FALSE(couper->Down());

    // Enabled with the command; a disabled button runs nothing.
    Commandes().SetEnabled(Cmd::Ac_Edition_Couper, false);
    EXPECT_FALSE(couper->isEnabled());
    EXPECT_FALSE(Enfant<QAction>("Ac_Edition_Couper")->isEnabled());
    couper->click();
    EXPECT_EQ(executees.size(), 2u);
    Commandes().SetEnabled(Cmd::Ac_Edition_Couper, true);
    EXPECT_TRUE(couper->isEnabled());

    // The language's hint stays when the action changes.
    EXPECT_FALSE(couper->toolTip().isEmpty());
    const QString bulle = couper->toolTip();
    Commandes().SetEnabled(Cmd::Ac_Edition_Couper, false);
    EXPECT_EQ(couper->toolTip(), bulle);
    for (Cmd c : {Cmd::Ac_Son_Metronome, Cmd::Ac_Edition_Couper})
        Commandes().Enregistrer(c, nullptr);
}

TEST_F(FenetreTest, NarrowWindowWrapsTheToolbarAndHidesNoButton)
{
    fenetre_->show();
    const auto toutVisible = [&](int largeur) {
        fenetre_->resize(largeur, 600);
        QCoreApplication::processEvents();
        SCOPED_TRACE(largeur);
        const QWidget* fond = fenetre_->centralWidget();
        const QRect zone = fond->rect();
        for (TCxToolbarButton* b : fenetre_->findChildren<TCxToolbarButton*>()) {
            if (!b->objectName().startsWith("Bt_") || !b->parentWidget()->inherits("TCxToolbar"))
                continue;
            const QRect r(b->mapTo(fond, QPoint(0, 0)), b->size());
            EXPECT_TRUE(b->isVisible()) << b->objectName().toStdString();
            EXPECT_TRUE(zone.contains(r)) << b->objectName().toStdString();
        }
        // Nothing of the rows below lies over the toolbars.
        const QWidget* barre = fenetre_->CxToolBar1();
        const QWidget* autres = Enfant<QWidget>("BarreMesures");
        const int bas = std::max(barre->geometry().bottom(), autres->geometry().bottom());
        EXPECT_GT(Enfant<QWidget>("Panel1")->y(), bas);
        // The height the rows at the top take.
        return bas + 1 - barre->y();
    };
    EXPECT_EQ(toutVisible(1000), 26);
    // At the smallest width the rows at the top wrap into a second row.
    EXPECT_GT(toutVisible(433), 26);
    EXPECT_EQ(toutVisible(1000), 26);
}

// However small the user makes the window, with a song in it, no row lies over another: the
// track buttons stay clear of the tool row, the score view keeps a line of the score, and the
// status row's counters stay clear of the edit zone's scroll bar.
TEST_F(FenetreTest, TheSmallestWindowLaysNoRowOverAnotherAndKeepsTheScoreInView)
{
    fenetre_->show();
    fenetre_->Demarrer();
    QStringList noms{"CxToolBar1", "BarreMesures", "Panel_NomPiste", "Panel1", "PisteUp", "PisteDown", "BevelTop",
                     "PanelZoneAffScroll", "ScrollBarZoneAffScroll", "PanelBarreBoutons2", "PanelBarreBoutons3",
                     "PanelZoneSaisie", "ScrollBarZoneSaisie", "PanelNumMesure", "PanelNbTps", "PanelNbTps2",
                     "PanelTextCom"};
    for (int t = 1; t <= 8; ++t)
        noms << QString("BT_Piste%1").arg(t);
    const QSize tailles[] = {{1000, 700}, {100, 100}, {433, 315}, {1000, 200}, {300, 700}, {1000, 700}};
    for (const QSize taille : tailles) {
        fenetre_->resize(taille);
        QCoreApplication::processEvents();
        SCOPED_TRACE(std::to_string(taille.width()) + "x" + std::to_string(taille.height()) + " asked, "
                     + std::to_string(fenetre_->width()) + "x" + std::to_string(fenetre_->height()) + " given");
        const QWidget* fond = fenetre_->centralWidget();
        std::vector<std::pair<QString, QRect>> places;
        for (const QString& nom : noms) {
            const QWidget* w = fenetre_->findChild<QWidget*>(nom);
            ASSERT_TRUE(w) << nom.toStdString();
            if (!w->isVisible() || w->width() <= 0 || w->height() <= 0)
                continue;
            EXPECT_TRUE(fond->rect().contains(w->geometry())) << nom.toStdString();
            places.emplace_back(nom, w->geometry());
        }
        for (std::size_t i = 0; i < places.size(); ++i)
            for (std::size_t j = i + 1; j < places.size(); ++j)
                EXPECT_FALSE(places[i].second.intersects(places[j].second))
                    << places[i].first.toStdString() << " and " << places[j].first.toStdString();
        EXPECT_GE(Enfant<QWidget>("PanelZoneAffScroll")->height(), 80);
    }
}

// The hidden rich edit is made when first asked for, then kept: off screen, shown, never
// taking the focus.
TEST_F(FenetreTest, TheHiddenRichEditIsMadeAtItsFirstUseOutOfSight)
{
    EXPECT_FALSE(fenetre_->findChild<QTextEdit*>("RichEdit1"));
    QTextEdit* edit = fenetre_->RichEdit1();
    ASSERT_TRUE(edit);
    EXPECT_EQ(fenetre_->RichEdit1(), edit);
    EXPECT_EQ(fenetre_->findChild<QTextEdit*>("RichEdit1"), edit);
    EXPECT_LT(edit->x(), 0);
    EXPECT_FALSE(edit->isHidden());
    EXPECT_EQ(edit->focusPolicy(), Qt::NoFocus);
}

TEST_F(FenetreTest, MenuCaptionsComeFromTheLanguage)
{
    // "MN_000" line 2 with the automatic accelerator and the "...", the shortcut in its column.
    const QString nouveau = Enfant<QAction>("Mn_Fichier_Nouveau")->text();
    EXPECT_TRUE(nouveau.startsWith("&New...")) << nouveau.toStdString();
    EXPECT_TRUE(nouveau.contains('\t'));
    EXPECT_EQ(Enfant<QMenu>("Mn_Fichier")->title(), "&File");
    EXPECT_FALSE(Enfant<QToolButton>("Bt_Fichier_Nouveau")->toolTip().isEmpty());
}

TEST_F(FenetreTest, ShortcutsRunEnabledCommandsAheadOfTheHiddenMemo)
{
    fenetre_->Demarrer();
    fenetre_->show();
    QApplication::setActiveWindow(fenetre_.get());
    fenetre_->Ed_Invisible()->setFocus();
    QCoreApplication::processEvents();
    if (QApplication::activeWindow() != fenetre_.get())
        GTEST_SKIP() << "the platform gives no active window";

    std::vector<Cmd> executees;
    for (Cmd c : {Cmd::Ac_Effet_HO, Cmd::Ac_Note_Silence, Cmd::Ac_Mesure_Suivante})
        Commandes().Enregistrer(c, [&](Cmd e) { executees.push_back(e); });
    auto appuyer = [&](int touche, Qt::KeyboardModifiers mods, const QString& texte) {
        QKeyEvent appui(QEvent::KeyPress, touche, mods, texte);
        QApplication::sendEvent(fenetre_->Ed_Invisible(), &appui);
    };
    Commandes().SetEnabled(Cmd::Ac_Effet_HO, true);
    Commandes().SetEnabled(Cmd::Ac_Note_Silence, false);
    appuyer(Qt::Key_H, Qt::NoModifier, "h");
    appuyer(Qt::Key_S, Qt::NoModifier, "s"); // disabled: the key goes on to the key handler
    appuyer(Qt::Key_Right, Qt::ControlModifier, "");
    EXPECT_EQ(executees, (std::vector<Cmd>{Cmd::Ac_Effet_HO, Cmd::Ac_Mesure_Suivante}));
    for (Cmd c : {Cmd::Ac_Effet_HO, Cmd::Ac_Note_Silence, Cmd::Ac_Mesure_Suivante})
        Commandes().Enregistrer(c, nullptr);
}
