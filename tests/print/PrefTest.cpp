// The preferences dialog driven as a user does: each page shows the settings, OK writes the
// pages that changed, Look and Preview apply at once, Cancel (the caller's restore) puts the
// display and print settings and their styles back exactly, user presets store and recall,
// Default buttons, empty and refused entries, and the captions of the language file.
#include "dialogs/FixtureDialogues.h"

#include "controls/ToolEdit.h"

#include "document/Configuration.h"
#include "editor/Disposition.h"
#include "editor/Fontes.h"
#include "editor/Scrolling.h"
#include "print/ImpLignes.h"
#include "print/Pref.h"
#include "print/PrefLogique.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <optional>

namespace {

class FenetrePref : public FenetreDialogues {
public:
    std::vector<std::string> Aides;
    int Actualisations = 0;
    void AfficherAideContexte(const char* contexte) override { Aides.emplace_back(contexte); }
    void ActualiserCommandes() override { ++Actualisations; }
};

// The common dialogs answer as the test tells them: a value, or Cancel (nullopt).
class DialoguesFactices : public IDialoguesPreferences {
public:
    std::optional<TMyFont> Police;
    std::optional<TCouleur> Couleur;
    std::optional<QString> Fichier;
    int Ouvertures = 0;
    bool AvecCouleur = false;
    QString Titre, Filtre, Extension;

    bool ChoisirPolice(QWidget*, TMyFont& police, bool avecCouleur) override
    {
        ++Ouvertures;
        AvecCouleur = avecCouleur;
        if (!Police)
            return false;
        police = *Police;
        return true;
    }
    bool ChoisirCouleur(QWidget*, TCouleur& couleur) override
    {
        ++Ouvertures;
        if (!Couleur)
            return false;
        couleur = *Couleur;
        return true;
    }
};

// The file dialog of the music's file-name edit, answering from the same fake.
class DialogueFichierFactice : public IDialogueFichier {
public:
    explicit DialogueFichierFactice(DialoguesFactices* d) : d_(d) {}
    bool Execute(QWidget*, ReglagesDialogueFichier& r) override
    {
        ++d_->Ouvertures;
        d_->Titre = r.Title;
        d_->Filtre = r.Filter;
        d_->Extension = r.DefaultExt;
        if (!d_->Fichier)
            return false;
        r.FileName = *d_->Fichier;
        return true;
    }

private:
    DialoguesFactices* d_;
};

TMyFont Style(const char* label)
{
    TMyFont p;
    EXPECT_TRUE(PolicesLabels().Lire(label, p)) << label;
    return p;
}

class Preferences : public FixtureDialogues {
protected:
    FenetrePref fenetrePref;
    DialoguesFactices dialogues;
    int apercus = 0;
    bool apercuDessous = false;
    std::function<void()> pendantApercu;
    std::unique_ptr<TPref_Form> form;

    void SetUp() override
    {
        FixtureDialogues::SetUp();
        InstallerFenetrePrincipale(&fenetrePref);
        ReinitialiserConfiguration();
        ReinitialiserPolicesLabels();
        AppliquerPolices();
        CalculerLargeursTemps();
        CalculerLargeursTempsImpression();
        InstallerDialoguesPreferences(&dialogues);
        TFilenameEdit::InstallerFabriqueDialogue(
            [this](TFileDialogKind) { return std::make_unique<DialogueFichierFactice>(&dialogues); });
        InstallerApercuPreferences({[this] {
                                        ++apercus;
                                        if (pendantApercu)
                                            pendantApercu();
                                    },
                                    [this] { return apercuDessous; }});
    }

    void TearDown() override
    {
        form.reset();
        InstallerDialoguesPreferences(nullptr);
        TFilenameEdit::InstallerFabriqueDialogue(nullptr);
        InstallerApercuPreferences({});
        ReinitialiserConfiguration();
        ReinitialiserPolicesLabels();
        FixtureDialogues::TearDown();
    }

    TPref_Form& Ouvrir()
    {
        form = std::make_unique<TPref_Form>();
        form->Activer();
        fenetrePref.Appels.clear();
        fenetrePref.Actualisations = 0;
        return *form;
    }

    // The dialog closed with anything but OK, and the caller's restore.
    void Annuler()
    {
        form->BT_Annuler->click();
        const bool applique = form->AffichageApplique();
        form.reset();
        RestaurerPreferences(applique);
    }

    QLineEdit* ChampAff(std::size_t i) { return form->Display->Champs[i]; }
    QLineEdit* ChampImp(std::size_t i) { return form->Printing->Champs[i]; }
    template <class T>
    T* Controle(const char* nom)
    {
        T* c = form->findChild<T*>(QString::fromLatin1(nom));
        EXPECT_NE(c, nullptr) << nom;
        return c;
    }
};

// ---- Lifetime and loading ----------------------------------------------------------------------

TEST_F(Preferences, ExistsFlagAndPagesShowTheSettingsWithoutMarkingThemChanged)
{
    Configuration.TypeScrolling = 2;
    Configuration.StartingMusic = 2;
    Configuration.StartingFile = "/musique/intro.wav";
    Configuration.MetronomeVolume = 40;
    Configuration.PlayRepeats = false;
    Configuration.LimitBend = true;
    Configuration.BlackBlocks = true;
    ParamEcranCourant.EspLignes = 12;
    ParamEcranCourant.CoefPImp = 1.5;
    ParamEcranCourant.TypeDiag = 1;
    ParamEcranCourant.AffTxt = false;
    ParamEcranCourant.ColBackG = 0x00FFEE;
    PolicesLabels().Definir("FontAcc", TMyFont{"Courier New", 10, false, true, CouleurRouge});
    ParamImpCourant.MargeHautePart = 12.5;
    ParamImpCourant.FullPage = false;
    ParamImpCourant.GlobalProportions_Prt = -7;
    ParamImpCourant.AffComment_Prt = false;

    EXPECT_FALSE(PrefOuvert);
    TPref_Form& f = Ouvrir();
    EXPECT_TRUE(PrefOuvert);
    EXPECT_EQ(f.objectName(), "TPref_Form");
    EXPECT_EQ(f.PageControle->currentWidget(), f.General);

    EXPECT_TRUE(Controle<QRadioButton>("ScrollingLine")->isChecked());
    EXPECT_TRUE(Controle<QRadioButton>("Music_WAV")->isChecked());
    EXPECT_EQ(Controle<QLineEdit>("Music_File")->text(), "/musique/intro.wav");
    EXPECT_TRUE(Controle<QLineEdit>("Music_File")->isEnabled());
    EXPECT_EQ(Controle<QSlider>("MetronomeVolume")->value(), 40);
    EXPECT_FALSE(Controle<QCheckBox>("PlayRepeats")->isChecked());
    EXPECT_TRUE(Controle<QCheckBox>("LimitBend")->isChecked());

    EXPECT_EQ(Controle<QLineEdit>("EspLignes")->text(), "12");
    EXPECT_EQ(Controle<QSlider>("CoefPAff")->value(), 15);
    EXPECT_TRUE(Controle<QRadioButton>("TypeDiag1")->isChecked());
    EXPECT_FALSE(Controle<QCheckBox>("AffTxt")->isChecked());
    EXPECT_EQ(Controle<QLabel>("ExColBackG")->palette().color(QPalette::Window), QColor(0xEE, 0xFF, 0x00));
    EXPECT_EQ(Controle<QLabel>("LibExFontAcc")->text(), "Courier New (0123456789)");

    EXPECT_EQ(Controle<QLineEdit>("MargeHautePart_Prt")->text(), "12");  // rounded half to even
    EXPECT_TRUE(Controle<QRadioButton>("SelectedArea_Prt")->isChecked());
    EXPECT_TRUE(Controle<QLineEdit>("Largeur_Prt")->isEnabled());
    EXPECT_EQ(Controle<QSlider>("GlobalProportions_Prt")->value(), -7);
    EXPECT_FALSE(Controle<QCheckBox>("AffComment_Prt")->isChecked());
    EXPECT_TRUE(Controle<QCheckBox>("BlackBlocks")->isChecked());

    EXPECT_FALSE(f.GeneralModifie());
    EXPECT_FALSE(f.AffichageModifie());
    EXPECT_FALSE(f.ImpressionModifiee());
    form.reset();
    EXPECT_FALSE(PrefOuvert);
}

TEST_F(Preferences, OkWithoutChangeAppliesNothingAndRedrawsNothing)
{
    // Values the pages would not give back as they are: applying would show.
    ParamImpCourant.MargeHautePart = 12.5;
    ParamEcranCourant.CoefPImp = 1.25;
    Configuration.StartingMusic = 7;
    const TParamEcran ecran = ParamEcranCourant;
    const TZoneImpression imp = ParamImpCourant;
    const TCONFIG config = Configuration;

    TPref_Form& f = Ouvrir();
    f.BT_OK->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_TRUE(ParamEcranCourant == ecran);
    EXPECT_TRUE(ParamImpCourant == imp);
    EXPECT_TRUE(Configuration == config);
    EXPECT_FALSE(fenetrePref.A("RedessinerPartition"));
    EXPECT_EQ(fenetrePref.Actualisations, 0);
}

// ---- Each page written by OK ---------------------------------------------------------------------

TEST_F(Preferences, GeneralPageChangesReachTheOptionsOnOk)
{
    TPref_Form& f = Ouvrir();
    dialogues.Fichier = QStringLiteral("/sons/debut.wav");
    Controle<QRadioButton>("Music_WAV")->click();
    f.General->Music_File->Button()->Click();
    EXPECT_EQ(dialogues.Extension, ".WAV");
    Controle<QRadioButton>("ScrollingLine")->click();
    Controle<QSlider>("MetronomeVolume")->setValue(64);
    Controle<QCheckBox>("PlayEffects")->click();
    Controle<QCheckBox>("ExportRepeats")->click();
    Controle<QCheckBox>("AlwaysAddBass")->click();
    EXPECT_TRUE(f.GeneralModifie());
    EXPECT_FALSE(f.AffichageModifie());
    EXPECT_FALSE(f.ImpressionModifiee());
    EXPECT_EQ(Configuration.TypeScrolling, 1); // nothing before OK

    f.BT_OK->click();
    EXPECT_EQ(Configuration.StartingMusic, 2);
    EXPECT_EQ(Configuration.StartingFile, "/sons/debut.wav");
    EXPECT_EQ(Configuration.TypeScrolling, 2);
    EXPECT_EQ(Configuration.MetronomeVolume, 64);
    EXPECT_FALSE(Configuration.PlayEffects);
    EXPECT_FALSE(Configuration.ExportRepeats);
    EXPECT_TRUE(Configuration.AlwaysAddBass);
    EXPECT_TRUE(Configuration.PlayRepeats);
    // The general page alone redraws nothing.
    EXPECT_FALSE(fenetrePref.A("RedessinerPartition"));
}

TEST_F(Preferences, MusicChoiceKeepsTheFileNameAndStoresItWhateverIsChosen)
{
    Configuration.StartingMusic = 2;
    Configuration.StartingFile = "/a.wav";
    TPref_Form& f = Ouvrir();
    QLineEdit* fichier = Controle<QLineEdit>("Music_File");
    Controle<QRadioButton>("Music_Rien")->click();
    EXPECT_FALSE(fichier->isEnabled());
    EXPECT_EQ(fichier->text(), "/a.wav");
    Controle<QRadioButton>("Music_WAV")->click();
    EXPECT_TRUE(fichier->isEnabled());
    fichier->setText(QStringLiteral("/b.wav"));
    Controle<QRadioButton>("Music_LX")->click();
    f.BT_OK->click();
    EXPECT_EQ(Configuration.StartingMusic, 1);
    EXPECT_EQ(Configuration.StartingFile, "/b.wav");
}

TEST_F(Preferences, AWaveFileWithABlankIsShownQuotedAndStoredWithout)
{
    Configuration.StartingMusic = 2;
    TPref_Form& f = Ouvrir();
    TFilenameEdit* fichier = f.General->Music_File;
    EXPECT_EQ(fichier->Dialogue().Filter, "Wave Files (*.WAV)|*.WAV"); // the form's, no language file
    dialogues.Fichier = QStringLiteral("/mes sons/début.wav");
    fichier->Button()->Click();
    EXPECT_EQ(fichier->text(), "\"/mes sons/début.wav\"");
    EXPECT_TRUE(f.GeneralModifie());
    f.BT_OK->click();
    // Stored as the path itself: the splash window opens the file by this name.
    EXPECT_EQ(Configuration.StartingFile, "/mes sons/d\xc3\xa9" "but.wav");

    // Loaded again, it shows quoted and goes back unchanged.
    TPref_Form& h = Ouvrir();
    EXPECT_EQ(h.General->Music_File->text(), "\"/mes sons/début.wav\"");
    EXPECT_EQ(h.General->Music_File->FileName(), "/mes sons/début.wav");
    h.General->PlayEffects->click(); // the page changed: OK writes it
    h.BT_OK->click();
    EXPECT_EQ(Configuration.StartingFile, "/mes sons/d\xc3\xa9" "but.wav");

    // Typed without quotes, a path with a blank is kept whole, even before the file exists.
    TPref_Form& g = Ouvrir();
    g.General->Music_File->setText(QStringLiteral("/mes sons/autre.wav"));
    g.BT_OK->click();
    EXPECT_EQ(Configuration.StartingFile, "/mes sons/autre.wav");
}

TEST_F(Preferences, ValuesOutsideARadioSetCheckNoneAndStayAsTheyWere)
{
    Configuration.StartingMusic = 9;
    Configuration.TypeScrolling = 0;
    ParamEcranCourant.TypeDiag = 5;
    TPref_Form& f = Ouvrir();
    for (const char* r : {"Music_LX", "Music_WAV", "Music_Rien", "ScrollingScreen", "ScrollingLine", "TypeDiag1",
                          "TypeDiag2", "TypeDiag3"})
        EXPECT_FALSE(Controle<QRadioButton>(r)->isChecked()) << r;
    Controle<QCheckBox>("PlayEffects")->click();
    Controle<QCheckBox>("AffEff")->click();
    f.BT_OK->click();
    EXPECT_EQ(Configuration.StartingMusic, 9);
    EXPECT_EQ(Configuration.TypeScrolling, 0);
    EXPECT_EQ(ParamEcranCourant.TypeDiag, 5);
    EXPECT_FALSE(ParamEcranCourant.AffEff);
}

TEST_F(Preferences, DisplayPageAppliedByOkWithItsStylesTablesAndRefresh)
{
    Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, true);
    Commandes().SetEnabled(Cmd::BT_AnnulerMesure, true);
    TPref_Form& f = Ouvrir();
    Saisir(ChampAff(kChampEspLignes), QStringLiteral("14"));
    Controle<QSlider>("CoefPAff")->setValue(20);
    Controle<QSlider>("CoefEspAff")->setValue(9);
    Controle<QRadioButton>("TypeDiag2")->click();
    Controle<QCheckBox>("AffNum")->click();
    dialogues.Couleur = 0x123456;
    Controle<QToolButton>("ModifierColSelect")->click();
    const TMyFont choisie{"DejaVu Serif", 11, false, true, 0x0000FF};
    dialogues.Police = choisie;
    Controle<QToolButton>("ModifierFontNum")->click();
    EXPECT_TRUE(dialogues.AvecCouleur);
    EXPECT_EQ(Controle<QLabel>("LibExFontNum")->text(), "DejaVu Serif (0123456789)");
    EXPECT_EQ(ParamEcranCourant.EspLignes, 10);
    EXPECT_TRUE(Style("FontNum") == TParamEcran{}.FontNum); // working copies until OK

    f.BT_OK->click();
    EXPECT_EQ(ParamEcranCourant.EspLignes, 14);
    EXPECT_DOUBLE_EQ(ParamEcranCourant.CoefPImp, 2.0);
    EXPECT_EQ(ParamEcranCourant.CoefEspAff, 9);
    EXPECT_EQ(ParamEcranCourant.TypeDiag, 2);
    EXPECT_FALSE(ParamEcranCourant.AffNum);
    EXPECT_EQ(ParamEcranCourant.ColSelect, 0x123456);
    EXPECT_TRUE(Style("FontNum") == choisie);
    // The record's own style is what was read at start.
    EXPECT_TRUE(ParamEcranCourant.FontNum == TParamEcran{}.FontNum);
    // Derived tables follow the new spacing.
    TParamEcran attendu = ParamEcranCourant;
    CalculerLargeursTemps();
    EXPECT_TRUE(ParamEcranCourant == attendu);
    EXPECT_EQ(AffichagePartition.CouleurSelection, platform::Couleur::DeValeur(0x123456));
    // Refresh: both measure copies taken afresh, undo and cancel-measure off, view rebuilt.
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
    EXPECT_FALSE(Commandes().Enabled(Cmd::BT_AnnulerMesure));
    EXPECT_EQ(fenetrePref.Actualisations, 1);
    EXPECT_TRUE(fenetrePref.A("RedessinerPartition"));
    EXPECT_TRUE(fenetrePref.A("PlacerCadreMesure"));
}

TEST_F(Preferences, PrintingPageAppliedByOkWithBlackBlocksStylesAndWidthTables)
{
    TPref_Form& f = Ouvrir();
    Saisir(ChampImp(0), QStringLiteral("22"));
    Controle<QRadioButton>("SelectedArea_Prt")->click();
    Saisir(Controle<QLineEdit>("Largeur_Prt"), QStringLiteral("150"));
    Controle<QCheckBox>("TracerCadre_Prt")->click();
    Controle<QSlider>("CoefEspAff_Prt")->setValue(10);
    Controle<QSlider>("CoefPAff_Prt")->setValue(12);
    Controle<QSlider>("Esp_Auteur_Tab_Prt")->setValue(-40);
    Controle<QCheckBox>("AffTriplet_Prt")->click();
    Controle<QCheckBox>("BlackBlocks")->click();
    dialogues.Police = TMyFont{"Liberation Serif", 24, false, false, 0x00FF00};
    Controle<QToolButton>("ModifierFontTitle_Prt")->click();
    EXPECT_FALSE(dialogues.AvecCouleur);
    EXPECT_TRUE(f.ImpressionModifiee());

    f.BT_OK->click();
    const TZoneImpression& p = ParamImpCourant;
    EXPECT_DOUBLE_EQ(p.MargeHautePart, 22.0);
    EXPECT_FALSE(p.FullPage);
    EXPECT_DOUBLE_EQ(p.Largeur_Prt, 150.0);
    EXPECT_FALSE(p.TracerCadre_Prt);
    EXPECT_EQ(p.CoefEspAff_Prt, 10);
    EXPECT_DOUBLE_EQ(p.CoefPImp, 1.2);
    EXPECT_EQ(p.Esp_Auteur_Tab_Prt, -40);
    EXPECT_FALSE(p.AffTriplet_Prt);
    EXPECT_TRUE(Configuration.BlackBlocks);
    // Print styles are black whatever colour was chosen.
    EXPECT_TRUE(Style("FontTitle_Prt") == (TMyFont{"Liberation Serif", 24, false, false, CouleurNoire}));
    // Note spacing 10: the width factor (10 / 10 + 0.5) squared.
    EXPECT_DOUBLE_EQ(p.LargeurBase, 5 * 2.25);
    // Printing settings do not redraw the score view.
    EXPECT_FALSE(fenetrePref.A("RedessinerPartition"));
}

TEST_F(Preferences, AreaControlsFollowTheAreaChoiceAndKeepTheirValues)
{
    ParamImpCourant.Largeur_Prt = 80;
    TPref_Form& f = Ouvrir();
    for (const char* c : {"Largeur_Prt", "Hauteur_Prt", "Center_Prt", "TracerCadre_Prt"})
        EXPECT_FALSE(Controle<QWidget>(c)->isEnabled()) << c;
    Controle<QRadioButton>("SelectedArea_Prt")->click();
    EXPECT_TRUE(Controle<QWidget>("Largeur_Prt")->isEnabled());
    Saisir(Controle<QLineEdit>("Largeur_Prt"), QStringLiteral("90"));
    Controle<QRadioButton>("FullPage_Prt")->click();
    EXPECT_FALSE(Controle<QWidget>("Largeur_Prt")->isEnabled());
    f.BT_OK->click();
    EXPECT_TRUE(ParamImpCourant.FullPage);
    EXPECT_DOUBLE_EQ(ParamImpCourant.Largeur_Prt, 90.0);
}

TEST_F(Preferences, CancelledFontOrColourDialogChangesNothingButPrintStylesTurnBlack)
{
    PolicesLabels().Definir("FontNotes_Prt", TMyFont{"Arial", 9, true, false, CouleurRouge});
    TPref_Form& f = Ouvrir();
    Controle<QToolButton>("ModifierFontNotes")->click();
    Controle<QToolButton>("ModifierColEff")->click();
    EXPECT_EQ(dialogues.Ouvertures, 2);
    EXPECT_FALSE(f.AffichageModifie());
    EXPECT_TRUE(f.Display->Police(0) == Style("FontNotes"));

    Controle<QToolButton>("ModifierFontNotes_Prt")->click();
    EXPECT_FALSE(f.ImpressionModifiee());
    EXPECT_EQ(f.Printing->Police(4).Col, CouleurNoire);
}

TEST_F(Preferences, TheFontDialogConfirmedUnchangedKeepsTheStyleExactly)
{
    InstallerDialoguesPreferences(nullptr);
    for (const TMyFont& depart : {TMyFont{"Arial", 8, true, false, CouleurRouge},
                                  TMyFont{"Small Fonts", 7, false, true, 0x102030}}) {
        TMyFont police = depart;
        QTimer::singleShot(0, [] {
            QWidget* d = QApplication::activeModalWidget();
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(d->objectName(), "DialoguePolice");
            EXPECT_NE(d->findChild<QWidget*>(QStringLiteral("Couleur")), nullptr);
            static_cast<QDialog*>(d)->accept();
        });
        EXPECT_TRUE(DialoguesPreferences().ChoisirPolice(nullptr, police, true));
        EXPECT_TRUE(police == depart) << depart.Name;
    }
}

// ---- Cancel -----------------------------------------------------------------------------------------

TEST_F(Preferences, LookThenCancelPutsTheDisplayAndItsStylesBackExactly)
{
    ParamEcranCourant.ColSelect = 0x808080;
    CalculerLargeursTemps();
    const TParamEcran avant = ParamEcranCourant;
    const TMyFont policeAvant = Style("FontSign");
    const platform::Couleur cadreAvant = AffichagePartition.CouleurSelection;

    TPref_Form& f = Ouvrir();
    Saisir(ChampAff(0), QStringLiteral("60"));
    Controle<QSlider>("CoefEspAff")->setValue(1);
    dialogues.Couleur = 0x0000FF;
    Controle<QToolButton>("ModifierColSelect")->click();
    dialogues.Police = TMyFont{"Liberation Mono", 20, true, true, 0xFF};
    Controle<QToolButton>("ModifierFontSign")->click();
    Controle<QPushButton>("BT_Look")->click();
    EXPECT_TRUE(f.AffichageApplique());
    EXPECT_FALSE(f.AffichageModifie());
    EXPECT_EQ(ParamEcranCourant.MargeGaucheLignes, 60);
    EXPECT_TRUE(Style("FontSign") == *dialogues.Police);
    EXPECT_TRUE(fenetrePref.A("RedessinerPartition"));
    EXPECT_EQ(f.result(), 0); // still open
    fenetrePref.Appels.clear();

    Annuler();
    EXPECT_TRUE(ParamEcranCourant == avant);
    EXPECT_TRUE(Style("FontSign") == policeAvant);
    EXPECT_EQ(AffichagePartition.CouleurSelection, cadreAvant);
    EXPECT_TRUE(fenetrePref.A("TraiterMessagesEnAttente"));
    EXPECT_TRUE(fenetrePref.A("RedessinerPartition"));
}

TEST_F(Preferences, CancelWithoutLookRebuildsNothingAndLeavesTheGeneralOptions)
{
    const TCONFIG config = Configuration;
    TPref_Form& f = Ouvrir();
    Saisir(ChampAff(1), QStringLiteral("70"));
    f.General->GeneralDefault->click();
    Controle<QCheckBox>("LimitBend")->click();
    Annuler();
    EXPECT_EQ(ParamEcranCourant.MargeDroiteLignes, 25);
    EXPECT_TRUE(Configuration == config);
    EXPECT_FALSE(fenetrePref.A("RedessinerPartition"));
}

TEST_F(Preferences, CancelAfterPreviewPutsBackEveryPrintSettingStyleAndTheBlackBlocksSwitch)
{
    ParamImpCourant.MargeBassePart = 13.5;
    const TZoneImpression avant = ParamImpCourant;
    const TMyFont policeAvant = Style("FontRenv_Prt");
    TPref_Form& f = Ouvrir();
    Saisir(ChampImp(1), QStringLiteral("40"));
    Controle<QCheckBox>("BlackBlocks")->click();
    dialogues.Police = TMyFont{"Liberation Serif", 14, false, false, 0};
    Controle<QToolButton>("ModifierFontRenv_Prt")->click();
    // The preview sees the page applied, and may change its own state in the record.
    pendantApercu = [] {
        EXPECT_DOUBLE_EQ(ParamImpCourant.MargeBassePart, 40.0);
        EXPECT_TRUE(Configuration.BlackBlocks);
        ParamImpCourant.ZoomApercu = 3.0;
    };
    Controle<QPushButton>("BT_Look_Prt")->click();
    EXPECT_EQ(apercus, 1);
    EXPECT_EQ(f.result(), 0); // the dialog stays open, its page as it was
    EXPECT_EQ(ChampImp(1)->text(), "40");

    Annuler();
    EXPECT_TRUE(ParamImpCourant == avant);
    EXPECT_TRUE(Style("FontRenv_Prt") == policeAvant);
    EXPECT_FALSE(Configuration.BlackBlocks);
}

TEST_F(Preferences, LookThenOkWithoutFurtherChangeDoesNotApplyTheDisplayAgain)
{
    TPref_Form& f = Ouvrir();
    Saisir(ChampAff(3), QStringLiteral("120"));
    f.Display->BT_Look->click();
    fenetrePref.Appels.clear();
    ParamEcranCourant.EspPortees = 99; // only a second application would overwrite this
    f.BT_OK->click();
    EXPECT_EQ(ParamEcranCourant.EspPortees, 99);
    EXPECT_FALSE(fenetrePref.A("RedessinerPartition"));
}

TEST_F(Preferences, ExecuterPreferencesRestoresAfterTheModalDialogIsCancelled)
{
    const TParamEcran ecran = ParamEcranCourant;
    const TZoneImpression imp = ParamImpCourant;
    QTimer::singleShot(0, [] {
        auto* f = qobject_cast<TPref_Form*>(QApplication::activeModalWidget());
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->PageControle->currentWidget(), f->Printing);
        f->Display->Champs[0]->setText(QStringLiteral("77"));
        f->Display->BT_Look->click();
        f->Printing->Champs[0]->setText(QStringLiteral("77"));
        f->Printing->BT_Look_Prt->click();
        EXPECT_EQ(ParamEcranCourant.MargeGaucheLignes, 77);
        f->reject();
    });
    EXPECT_EQ(ExecuterPreferences(PagePreferences::Impression), 2);
    EXPECT_FALSE(PrefOuvert);
    EXPECT_TRUE(ParamEcranCourant == ecran);
    EXPECT_TRUE(ParamImpCourant == imp);

    QTimer::singleShot(0, [] {
        auto* f = qobject_cast<TPref_Form*>(QApplication::activeModalWidget());
        ASSERT_NE(f, nullptr);
        f->Display->Champs[0]->setText(QStringLiteral("31"));
        f->BT_OK->click();
    });
    EXPECT_EQ(ExecuterPreferences(), 1);
    EXPECT_EQ(ParamEcranCourant.MargeGaucheLignes, 31);
}

// ---- Preview ----------------------------------------------------------------------------------------

TEST_F(Preferences, PreviewFromAPreviewClosesTheDialogAsOk)
{
    apercuDessous = true;
    TPref_Form& f = Ouvrir();
    Controle<QCheckBox>("AffRyt_Prt")->click();
    Controle<QCheckBox>("AffRyt")->click();
    f.Printing->BT_Look_Prt->click();
    EXPECT_EQ(apercus, 0);
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_FALSE(ParamImpCourant.AffRyt_Prt);
    EXPECT_FALSE(ParamEcranCourant.AffRyt); // OK applied the other changed pages too
}

// ---- Presets and defaults -----------------------------------------------------------------------------

TEST_F(Preferences, DisplayPresetsStoreAndRecallSurvivingCancel)
{
    TPref_Form& f = Ouvrir();
    Saisir(ChampAff(0), QStringLiteral("5"));
    ChampAff(1)->clear(); // saved as its fallback
    Controle<QRadioButton>("TypeDiag1")->click();
    dialogues.Police = TMyFont{"Liberation Mono", 9, false, false, 0x00AA00};
    Controle<QToolButton>("ModifierFontTxt")->click();
    const TParamEcran courant = ParamEcranCourant;
    const bool marque = f.AffichageModifie();
    Controle<QToolButton>("SaveDisplayUser2")->click();
    EXPECT_EQ(ParamEcranUS2.MargeGaucheLignes, 5);
    EXPECT_EQ(ParamEcranUS2.MargeDroiteLignes, 25);
    EXPECT_EQ(ChampAff(1)->text(), "25");
    EXPECT_EQ(ParamEcranUS2.TypeDiag, 1);
    EXPECT_TRUE(Style("FontTxt_US2") == *dialogues.Police);
    EXPECT_TRUE(Style("FontTxt") == TParamEcran{}.FontTxt);
    EXPECT_TRUE(ParamEcranCourant == courant);
    EXPECT_EQ(f.AffichageModifie(), marque);
    EXPECT_EQ(ParamEcranUS1.MargeGaucheLignes, 38);

    f.Display->DisplayDefault->click();
    EXPECT_EQ(ChampAff(0)->text(), "25");
    Controle<QPushButton>("DisplayUser2")->click();
    EXPECT_EQ(ChampAff(0)->text(), "5");
    EXPECT_TRUE(Controle<QRadioButton>("TypeDiag1")->isChecked());
    EXPECT_EQ(Controle<QLabel>("LibExFontTxt")->text(), "Liberation Mono (0123456789)");
    Controle<QPushButton>("DisplayUser1")->click();
    EXPECT_EQ(ChampAff(0)->text(), "38");

    Annuler();
    EXPECT_EQ(ParamEcranUS2.MargeGaucheLignes, 5);
    EXPECT_TRUE(Style("FontTxt_US2") == (TMyFont{"Liberation Mono", 9, false, false, 0x00AA00}));
    EXPECT_TRUE(ParamEcranCourant == courant);
}

TEST_F(Preferences, PrintPresetsStoreAndRecallWithoutTheBlackBlocksSwitch)
{
    ParamImpUS3.FullPage = false;
    ParamImpUS3.Hauteur_Prt = 55;
    ParamImpUS3.EspTexte_Prt = 12;
    PolicesLabels().Definir("FontAcc_Prt_US3", TMyFont{"Liberation Serif", 8, true, false, 0});
    Configuration.BlackBlocks = true;
    TPref_Form& f = Ouvrir();
    Controle<QPushButton>("PrintUser3")->click();
    EXPECT_TRUE(f.ImpressionModifiee());
    EXPECT_TRUE(Controle<QRadioButton>("SelectedArea_Prt")->isChecked());
    EXPECT_TRUE(Controle<QLineEdit>("Hauteur_Prt")->isEnabled());
    EXPECT_EQ(Controle<QLineEdit>("Hauteur_Prt")->text(), "55");
    EXPECT_EQ(Controle<QSlider>("EspTexte_Prt")->value(), 12);
    EXPECT_EQ(Controle<QLabel>("LibExFontAcc_Prt")->text(), "Liberation Serif (0123456789)");
    EXPECT_TRUE(Controle<QCheckBox>("BlackBlocks")->isChecked());

    Controle<QLineEdit>("Largeur_Prt")->clear();
    Controle<QSlider>("ChordSize_Prt")->setValue(33);
    Controle<QCheckBox>("BlackBlocks")->click();
    Controle<QToolButton>("SavePrintUser1")->click();
    EXPECT_DOUBLE_EQ(ParamImpUS1.Largeur_Prt, 100.0);
    EXPECT_EQ(Controle<QLineEdit>("Largeur_Prt")->text(), "100");
    EXPECT_EQ(ParamImpUS1.ChordSize_Prt, 33);
    EXPECT_FALSE(ParamImpUS1.FullPage);
    EXPECT_TRUE(Style("FontAcc_Prt_US1") == (TMyFont{"Liberation Serif", 8, true, false, 0}));
    EXPECT_TRUE(Configuration.BlackBlocks); // saving is no applying

    f.Printing->PrintDefault->click();
    EXPECT_TRUE(Controle<QRadioButton>("FullPage_Prt")->isChecked());
    EXPECT_EQ(Controle<QSlider>("ChordSize_Prt")->value(), 0);
    EXPECT_EQ(Controle<QSlider>("CoefPAff_Prt")->value(), 15);
    EXPECT_FALSE(Controle<QCheckBox>("BlackBlocks")->isChecked()); // Default leaves it
    Annuler();
    EXPECT_EQ(ParamImpUS1.ChordSize_Prt, 33);
    EXPECT_TRUE(Configuration.BlackBlocks);
}

TEST_F(Preferences, DefaultButtonsWriteTheFactoryValuesIntoThePages)
{
    Configuration.StartingMusic = 2;
    Configuration.StartingFile = "/x.wav";
    Configuration.MetronomeVolume = 3;
    Configuration.LimitBend = true;
    Configuration.DifferentMetronomeFirstSound = false;
    ParamEcranCourant.EpCroches = 7;
    ParamEcranCourant.ColBadBar = 0x00FF00;
    ParamEcranCourant.AffDiag = false;
    PolicesLabels().Definir("FontNum", TMyFont{"Arial", 30, true, true, 0});
    TPref_Form& f = Ouvrir();

    f.General->GeneralDefault->click();
    EXPECT_TRUE(Controle<QRadioButton>("Music_LX")->isChecked());
    EXPECT_FALSE(Controle<QLineEdit>("Music_File")->isEnabled());
    EXPECT_EQ(Controle<QLineEdit>("Music_File")->text(), "/x.wav");
    EXPECT_EQ(Controle<QSlider>("MetronomeVolume")->value(), 95);
    EXPECT_FALSE(Controle<QCheckBox>("LimitBend")->isChecked());
    EXPECT_TRUE(Controle<QCheckBox>("DifferentMetronomeFirstSound")->isChecked());

    f.Display->DisplayDefault->click();
    EXPECT_EQ(ChampAff(7)->text(), "2");
    EXPECT_EQ(Controle<QLabel>("ExColBadBar")->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_TRUE(Controle<QCheckBox>("AffDiag")->isChecked());
    EXPECT_TRUE(Controle<QRadioButton>("TypeDiag3")->isChecked());
    EXPECT_TRUE(f.Display->Police(4) == (TMyFont{"Small Fonts", 7, false, false, CouleurRouge}));
    EXPECT_TRUE(f.GeneralModifie());
    EXPECT_TRUE(f.AffichageModifie());
    f.BT_OK->click();
    EXPECT_EQ(ParamEcranCourant.EpCroches, 2);
    EXPECT_EQ(Configuration.StartingMusic, 1);
    EXPECT_EQ(Configuration.StartingFile, "/x.wav");
}

// ---- Typed values ------------------------------------------------------------------------------------

TEST_F(Preferences, EmptyEditsGetTheirFallbacksWhenRead)
{
    TPref_Form& f = Ouvrir();
    const std::array<const char*, kNbChampsAffichage> replis{"25", "25", "10", "102", "20", "18", "31", "3"};
    for (std::size_t i = 0; i < kNbChampsAffichage; ++i)
        ChampAff(i)->clear();
    for (std::size_t i = 0; i < kNbChampsImpression; ++i)
        ChampImp(i)->clear();
    f.BT_OK->click();
    for (std::size_t i = 0; i < kNbChampsAffichage; ++i)
        EXPECT_EQ(ChampAff(i)->text(), replis[i]) << i;
    EXPECT_EQ(ParamEcranCourant.EpCroches, 3); // not the Default button's 2
    EXPECT_EQ(ParamEcranCourant.EspPortees, 102);
    EXPECT_DOUBLE_EQ(ParamImpCourant.MargeHautePart, 15.0);
    EXPECT_DOUBLE_EQ(ParamImpCourant.Hauteur_Prt, 100.0);
}

TEST_F(Preferences, EditsTakeDigitsOnlyUpToTheirLength)
{
    Ouvrir();
    Saisir(ChampAff(0), QStringLiteral("1a-2.3x4"));
    EXPECT_EQ(ChampAff(0)->text(), "123");
    Saisir(ChampAff(kChampEspLignes), QStringLiteral("987"));
    EXPECT_EQ(ChampAff(kChampEspLignes)->text(), "98");
    Saisir(ChampAff(7), QStringLiteral("45"));
    EXPECT_EQ(ChampAff(7)->text(), "4");
    ChampImp(0)->setFocus();
    ChampImp(0)->clear();
    ChampImp(0)->insert(QStringLiteral("12mm"));  // pasted text that is no number
    EXPECT_EQ(ChampImp(0)->text(), "");
}

TEST_F(Preferences, ZeroStringSpacingIsRefusedAndNothingIsApplied)
{
    TPref_Form& f = Ouvrir();
    f.PageControle->setCurrentWidget(f.General);
    Controle<QCheckBox>("PlayEffects")->click();
    Saisir(ChampAff(kChampEspLignes), QStringLiteral("0"));
    f.BT_OK->click();
    EXPECT_EQ(f.result(), 0);
    EXPECT_EQ(fenetrePref.SaisiesIncorrectes, 1);
    EXPECT_EQ(f.PageControle->currentWidget(), f.Display);
    EXPECT_EQ(ChampAff(kChampEspLignes)->selectedText(), "0");
    EXPECT_TRUE(Configuration.PlayEffects);
    EXPECT_EQ(ParamEcranCourant.EspLignes, 10);

    f.Display->BT_Look->click();
    Controle<QToolButton>("SaveDisplayUser1")->click();
    EXPECT_EQ(fenetrePref.SaisiesIncorrectes, 3);
    EXPECT_EQ(ParamEcranCourant.EspLignes, 10);
    EXPECT_EQ(ParamEcranUS1.EspLignes, 10);
    EXPECT_FALSE(f.AffichageApplique());

    Saisir(ChampAff(kChampEspLignes), QStringLiteral("1"));
    f.BT_OK->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(ParamEcranCourant.EspLignes, 1);
    EXPECT_FALSE(Configuration.PlayEffects);
}

TEST_F(Preferences, RhythmProportionShownTimesTenAndDiagramPicturesCheckTheirRadio)
{
    ParamEcranCourant.CoefPImp = 1.5;
    TPref_Form& f = Ouvrir();
    EXPECT_EQ(Controle<QSlider>("CoefPAff")->value(), 15);
    QLabel* image = Controle<QLabel>("Image2");
    QMouseEvent clic(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(image, &clic);
    EXPECT_TRUE(Controle<QRadioButton>("TypeDiag2")->isChecked());
    EXPECT_TRUE(f.AffichageModifie());
}

// ---- Help and captions ------------------------------------------------------------------------------

TEST_F(Preferences, HelpOpensTheTopicOfThePageShown)
{
    TPref_Form& f = Ouvrir();
    for (int page = 0; page < 3; ++page) {
        f.PageControle->setCurrentIndex(page);
        f.BT_Aide->click();
    }
    EXPECT_EQ(fenetrePref.Aides, (std::vector<std::string>{"R7_1", "R7_2", "R7_3"}));
}

TEST_F(Preferences, CaptionsComeFromTheLanguageFile)
{
    ChargerAnglais();
    TPref_Form& f = Ouvrir();
    EXPECT_EQ(f.windowTitle(), "Preferences");
    EXPECT_EQ(f.PageControle->tabText(1), "Display");
    EXPECT_EQ(f.BT_OK->text(), "&OK");
    EXPECT_EQ(f.BT_Annuler->text(), "&Cancel");
    EXPECT_EQ(f.BT_Aide->text(), "&Help");
    EXPECT_EQ(f.Display->BT_Look->text(), "&Look");
    EXPECT_EQ(f.Printing->BT_Look_Prt->text(), "&Preview");
    EXPECT_EQ(Controle<QGroupBox>("GroupMetronome")->title(), " Metronome ");
    EXPECT_EQ(Controle<QGroupBox>("GroupChord")->title(), " Chord recognition ");
    for (const char* c : {"PlayEffects", "ExportEffects", "AffEff", "AffEff_Prt"})
        EXPECT_EQ(Controle<QCheckBox>(c)->text(), "Effects") << c;
    for (const char* c : {"GeneralDefault", "DisplayDefault", "PrintDefault"})
        EXPECT_EQ(Controle<QPushButton>(c)->text(), "Default") << c;
    EXPECT_EQ(Controle<QPushButton>("PrintUser2")->text(), "User #2");
    EXPECT_EQ(Controle<QLabel>("ModifierFontAccDiag_Prt_Lab")->text(), "Chord diag. font :");
    EXPECT_EQ(Controle<QLabel>("ModifierFontTxt_Prt_Lab")->text(), "Text font :");
    EXPECT_EQ(Controle<QLabel>("ModfiierColRythm_Lab")->text(), "Rhythm line colour :");
    EXPECT_EQ(Controle<QCheckBox>("BlackBlocks")->text(), "Tick this box if the texts print as black blocks");
    EXPECT_EQ(Controle<QRadioButton>("Music_WAV")->text(), ".WAV");
    EXPECT_EQ(f.General->Music_File->DialogTitle(), "Choose a wave file");
    EXPECT_EQ(f.General->Music_File->Filter(), "Wave files (*.WAV)|*.WAV");

    Controle<QRadioButton>("Music_WAV")->click();
    f.General->Music_File->Button()->Click();
    EXPECT_EQ(dialogues.Titre, "Choose a wave file");
    EXPECT_EQ(dialogues.Filtre, "Wave files (*.WAV)|*.WAV");
}

TEST_F(Preferences, WithoutTheDialogSectionOnlyTheSharedButtonsAreTranslated)
{
    TableLangue = {"DLG_000", "001 \"Valider\"", "002 \"Abandon\"", "003 \"Oui\"", "004 \"Non\"", "005 \"Aide\""};
    RaccourcisAuto = true;
    TPref_Form& f = Ouvrir();
    EXPECT_EQ(f.BT_OK->text(), "Valider");
    EXPECT_EQ(f.BT_Annuler->text(), "Abandon");
    EXPECT_EQ(f.BT_Aide->text(), "Aide");
    EXPECT_EQ(f.Display->BT_Look->text(), "Look");
    EXPECT_EQ(f.PageControle->tabText(2), "Printing");
    EXPECT_EQ(Controle<QGroupBox>("GroupPlay")->title(), "Play");
    EXPECT_EQ(Controle<QCheckBox>("AffNum")->text(), "Num. of bars");
}

TEST_F(Preferences, ALineWithoutQuotesIsEmptyAndACutSectionKeepsTheFormsTexts)
{
    TableLangue = {"DLG_000", "001 \"OK\"", "002 \"Cancel\"", "", "DLG_PREF_000", "001 \"Options\"", "002",
                   "003 \"Music\"", "DLG_OTHER_000", "001 \"Elsewhere\""};
    TPref_Form& f = Ouvrir();
    EXPECT_EQ(f.windowTitle(), "Options");
    EXPECT_EQ(f.PageControle->tabText(0), "");
    EXPECT_EQ(Controle<QGroupBox>("StartingMusic")->title(), " Music ");
    EXPECT_EQ(Controle<QRadioButton>("Music_Rien")->text(), "Nothing");
    EXPECT_EQ(f.BT_Aide->text(), "Help");
    EXPECT_EQ(Controle<QPushButton>("PrintDefault")->text(), "Default");
}

} // namespace
