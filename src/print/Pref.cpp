#include "print/Pref.h"

#include "controls/ToolEdit.h"
#include "dialogs/BaseDialogue.h"
#include "document/Configuration.h"
#include "document/Fenetre.h"
#include "document/Langue.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

namespace {

// The decorative pictures: a bit of tablature staff, and a pick.
QPixmap ImagePortee(int largeur, int hauteur)
{
    QPixmap image(largeur, hauteur);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QColor(96, 96, 96));
    const int ecart = std::max(3, hauteur / 8);
    for (int c = 0; c < 6; ++c)
        p.drawLine(2, ecart + c * ecart, largeur - 3, ecart + c * ecart);
    p.drawLine(2, ecart, 2, 6 * ecart);
    p.drawLine(largeur - 3, ecart, largeur - 3, 6 * ecart);
    return image;
}

QPixmap ImageMediator(int cote)
{
    QPixmap image(cote, cote);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::black);
    p.setBrush(QColor(200, 40, 40));
    const QPolygon mediator{QPoint(cote / 2, cote - 3), QPoint(3, cote / 4), QPoint(cote / 4, 3),
                            QPoint(3 * cote / 4, 3), QPoint(cote - 4, cote / 4)};
    p.drawPolygon(mediator);
    return image;
}

// The lines of a language section stop at its first blank line or at the next marker: entries
// past the end of a section cut short keep the window's own texts instead of reading another
// section's lines.
class Section {
public:
    explicit Section(std::string_view marqueur) : marqueur_(ChercherMarqueur(marqueur))
    {
        if (marqueur_ < 0)
            return;
        const int nb = static_cast<int>(TableLangue.size());
        int i = marqueur_ + 1;
        while (i < nb && !FinSection(TableLangue[static_cast<std::size_t>(i)]))
            ++i;
        nbLignes_ = i - marqueur_ - 1;
    }
    bool Trouvee() const { return marqueur_ >= 0; }
    std::optional<QString> Texte(int k) const
    {
        if (marqueur_ < 0 || k < 1 || k > nbLignes_)
            return std::nullopt;
        return VersQString(TexteEntreeLangue(marqueur_, k));
    }

private:
    static bool FinSection(const std::string& ligne)
    {
        if (ligne.find_first_not_of(" \t") == std::string::npos)
            return true;
        return ligne.find('"') == std::string::npos && ligne.size() >= 4 &&
               ligne.compare(ligne.size() - 4, 4, "_000") == 0;
    }

    int marqueur_ = -1;
    int nbLignes_ = 0;
};

// A caption shown as it is written: an ampersand of the language file is no accelerator.
QString SansRaccourci(QString texte) { return texte.replace(QLatin1Char('&'), QStringLiteral("&&")); }

void DefinirLegende(QWidget* w, const QString& texte)
{
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(SansRaccourci(texte));
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(SansRaccourci(texte));
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(texte);
}

struct LigneLegende {
    int ligne;
    const char* controle;
};

// Lines of "DLG_PREF_000" and the controls they caption; the window title, the tabs and the
// file dialog's texts are set apart.
constexpr LigneLegende kLegendes[] = {
    {3, "StartingMusic"}, {4, "Music_Rien"}, {7, "GroupScrolling"}, {8, "ScrollingScreen"}, {9, "ScrollingLine"},
    {10, "GroupMetronome"}, {11, "Lab_Volume"}, {12, "MetronomeDuringScore"}, {13, "FirstBarMetronome"},
    {14, "DifferentMetronomeFirstSound"}, {15, "AlwaysUseMetronomeSpeedTrainer"}, {16, "GroupPlay"},
    {17, "GroupExport"}, {18, "PlayEffects"}, {18, "ExportEffects"}, {19, "PlayRepeats"}, {19, "ExportRepeats"},
    {20, "BendConfig"}, {21, "LimitBend"}, {22, "LibBendConfig"}, {23, "GroupChord"}, {24, "AlwaysAddBass"},
    {25, "GeneralDefault"}, {25, "DisplayDefault"}, {25, "PrintDefault"},
    {27, "MargeGaucheLignes_Lab"}, {28, "MargeDroiteLignes_Lab"}, {29, "EspLignes_Lab"}, {30, "EspPortees_Lab"},
    {31, "EspDiagAc_Lab"}, {32, "EspNomAc_Lab"}, {33, "EspTexte_Lab"}, {34, "EpCroches_Lab"},
    {35, "ModifierFontNotes_Lab"}, {36, "ModifierFontAcc_Lab"}, {37, "ModifierFontTxt_Lab"},
    {38, "ModifierFontSign_Lab"}, {39, "ModifierFontNum_Lab"}, {40, "ModifierFontRenv_Lab"}, {41, "DiagSize_Lab"},
    {42, "ModifierColDiag_Lab"}, {43, "ModifierColLines_Lab"}, {44, "ModfiierColRythm_Lab"},
    {45, "ModifierColEff_Lab"}, {46, "ModifierColBackG_Lab"}, {47, "ModifierColBadBar_Lab"},
    {48, "ModifierColSelect_Lab"}, {49, "AffDiag"}, {50, "AffChordsName"}, {51, "AffListChord"}, {52, "AffTxt"},
    {53, "AffEff"}, {54, "AffRyt"}, {55, "AffNum"}, {56, "CoefEspAff_Lab"}, {57, "CoefPAff_Lab"},
    {58, "DisplayUser1"}, {58, "PrintUser1"}, {59, "DisplayUser2"}, {59, "PrintUser2"}, {60, "DisplayUser3"},
    {60, "PrintUser3"}, {61, "BT_Look"},
    {63, "MargeHautePart_Prt_Lab"}, {64, "MargeBassePart_Prt_Lab"}, {65, "MargeGaucheLignes_Prt_Lab"},
    {66, "MargeDroiteLignes_Prt_Lab"}, {67, "FullPage_Prt"}, {68, "SelectedArea_Prt"}, {69, "Largeur_Prt_Lab"},
    {70, "Hauteur_Prt_Lab"}, {71, "Center_Prt"}, {72, "TracerCadre_Prt"}, {73, "GlobalProportions_Prt_Lab"},
    {74, "EspPortees_Prt_Lab"}, {75, "CoefEspAff_Prt_Lab"}, {76, "CoefPAff_Prt_Lab"}, {77, "ChordSize_Prt_Lab"},
    {78, "EspDiagAc_Prt_Lab"}, {79, "EspNomAc_Prt_Lab"}, {80, "EspTexte_Prt_Lab"},
    {81, "Esp_Titre_Auteur_Prt_Lab"}, {82, "Esp_Auteur_Tab_Prt_Lab"}, {83, "ModifierFontTitle_Prt_Lab"},
    {84, "ModifierFontAuteur_Prt_Lab"}, {85, "ModifierFontComment_Prt_Lab"}, {86, "ModifierFontNumPage_Prt_Lab"},
    {87, "ModifierFontNotes_Prt_Lab"}, {88, "ModifierFontAcc_Prt_Lab"}, {89, "ModifierFontAccDiag_Prt_Lab"},
    {90, "ModifierFontTxt_Prt_Lab"}, {91, "ModifierFontSign_Prt_Lab"}, {92, "ModifierFontRenv_Prt_Lab"},
    {93, "AffTitre_Prt"}, {94, "AffAuteur_Prt"}, {95, "AffComment_Prt"}, {96, "AffTriplet_Prt"},
    {97, "AffNumP_Prt"}, {98, "AffNum_Prt"}, {99, "AffDiag_Prt"}, {100, "AffChordsName_Prt"},
    {101, "AffListChord_Prt"}, {102, "AffTxt_Prt"}, {103, "AffEff_Prt"}, {104, "AffRyt_Prt"},
    {105, "BlackBlocks"}, {106, "BT_Look_Prt"},
};

constexpr const char* kAides[] = {"R7_1", "R7_2", "R7_3"};

} // namespace

TPref_Form::TPref_Form(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    PrefOuvert = true;
    setObjectName(QStringLiteral("TPref_Form"));
    setWindowTitle(QStringLiteral("Preferences"));
    setModal(true);
    AppliquerPoliceDialogue(this);
    DimensionnerClient(this, 616, 447);

    PageControle = Placer(new QTabWidget(this), "PageControle", 6, 6, 513, 436);
    General = new TPagePrefGeneral(PageControle);
    Display = new TPagePrefAffichage(PageControle);
    Printing = new TPagePrefImpression(PageControle);
    PageControle->addTab(General, QStringLiteral("General"));
    PageControle->addTab(Display, QStringLiteral("Display"));
    PageControle->addTab(Printing, QStringLiteral("Printing"));
    PageControle->setCurrentIndex(static_cast<int>(PagePreferences::General));

    BT_OK = Placer(new QPushButton(QStringLiteral("OK"), this), "BT_OK", 527, 64, 83, 25);
    BT_OK->setDefault(true);
    BT_OK->setAutoDefault(true);
    BT_Annuler = Placer(new QPushButton(QStringLiteral("Cancel"), this), "BT_Annuler", 527, 96, 83, 25);
    BT_Annuler->setAutoDefault(false);
    BT_Aide = Placer(new QPushButton(QStringLiteral("Help"), this), "BT_Aide", 527, 128, 83, 25);
    BT_Aide->setAutoDefault(false);

    Image4 = Placer(new QLabel(this), "Image4", 563, 6, 48, 48);
    Image4->setPixmap(ImageMediator(Pixels96(40)));
    Image3 = Placer(new QLabel(this), "Image3", 527, 380, 83, 56);
    Image3->setPixmap(ImagePortee(Pixels96(83), Pixels96(56)));

    General->Modifie = [this] { generalModifie_ = true; };
    Display->Modifie = [this] { affichageModifie_ = true; };
    Printing->Modifie = [this] { impressionModifiee_ = true; };
    Display->AvantEnregistrement = [this] { return ControlerSaisies(); };
    Printing->AvantEnregistrement = [this] {
        CompleterChampsVides();
        return true;
    };

    connect(BT_OK, &QPushButton::clicked, this, &TPref_Form::BT_OKClick);
    connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(BT_Aide, &QPushButton::clicked, this, &TPref_Form::BT_AideClick);
    connect(Display->BT_Look, &QPushButton::clicked, this, &TPref_Form::BT_LookClick);
    connect(Printing->BT_Look_Prt, &QPushButton::clicked, this, &TPref_Form::BT_Look_PrtClick);

    TraduirePreferences();
}

TPref_Form::~TPref_Form() { PrefOuvert = false; }

void TPref_Form::TraduirePreferences()
{
    const Section commun("DLG_000");
    if (!commun.Trouvee())
        return;
    const auto legende = [](QWidget* w, const std::optional<QString>& t) {
        if (w && t)
            DefinirLegende(w, *t);
    };
    legende(BT_OK, commun.Texte(1));
    legende(BT_Annuler, commun.Texte(2));
    legende(BT_Aide, commun.Texte(5));

    const Section pref("DLG_PREF_000");
    if (!pref.Trouvee())
        return;
    if (const auto t = pref.Texte(1))
        setWindowTitle(*t);
    const std::pair<int, int> onglets[] = {{2, 0}, {26, 1}, {62, 2}};
    for (const auto& [ligne, index] : onglets)
        if (const auto t = pref.Texte(ligne))
            PageControle->setTabText(index, SansRaccourci(*t));
    if (const auto t = pref.Texte(5))
        General->Music_File->SetDialogTitle(*t);
    if (const auto t = pref.Texte(6))
        General->Music_File->SetFilter(*t + QStringLiteral(" (*.WAV)|*.WAV"));
    for (const LigneLegende& l : kLegendes)
        legende(findChild<QWidget*>(QString::fromLatin1(l.controle)), pref.Texte(l.ligne));

    std::string utilisees;
    for (QPushButton* b : {BT_OK, BT_Annuler, BT_Aide, Display->BT_Look, Printing->BT_Look_Prt})
        b->setText(LegendeRaccourci(DepuisQString(b->text()), utilisees));

    for (const char* nom : {"StartingMusic", "GroupScrolling", "GroupMetronome", "GroupPlay", "GroupExport",
                            "BendConfig", "GroupChord"})
        if (auto* g = findChild<QGroupBox*>(QString::fromLatin1(nom)))
            g->setTitle(LegendeGroupe(g->title()));
}

void TPref_Form::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Activer();
}

void TPref_Form::Activer()
{
    if (active_)
        return;
    active_ = true;

    Image4->move(width() - Image4->width() - Pixels96(5), Image4->y());

    General->Charger(ValeursGeneralDe(Configuration));
    generalModifie_ = false;

    SauvegarderAffichage();
    affichageApplique_ = false;
    Display->Charger(ValeursAffichageDe(ParamEcranCourant, ""));
    affichageModifie_ = false;

    SauvegarderImpression();
    Printing->Charger(ValeursImpressionDe(ParamImpCourant, ""));
    Printing->BlackBlocks->setChecked(Configuration.BlackBlocks);
    impressionModifiee_ = false;
    Printing->ActiverZoneImpression();
}

void TPref_Form::CompleterChampsVides()
{
    Display->CompleterChampsVides();
    Printing->CompleterChampsVides();
}

bool TPref_Form::ControlerSaisies()
{
    CompleterChampsVides();
    QLineEdit* refuse = Display->ChampRefuse();
    if (!refuse)
        return true;
    PageControle->setCurrentWidget(Display);
    RefuserChamp(refuse);
    return false;
}

void TPref_Form::BT_OKClick()
{
    if (!ControlerSaisies())
        return;
    if (generalModifie_)
        AppliquerPrefGeneral(General->Lire(), Configuration);
    if (affichageModifie_)
        AppliquerPrefAffichage(Display->Lire());
    if (impressionModifiee_)
        AppliquerPrefImpression(Printing->Lire(), Printing->BlackBlocks->isChecked());
    if (affichageModifie_)
        RafraichirAffichagePreferences();
    accept();
}

void TPref_Form::BT_LookClick()
{
    if (!ControlerSaisies())
        return;
    AppliquerPrefAffichage(Display->Lire());
    RafraichirAffichagePreferences();
    affichageApplique_ = true;
    affichageModifie_ = false;
}

void TPref_Form::BT_Look_PrtClick()
{
    CompleterChampsVides();
    AppliquerPrefImpression(Printing->Lire(), Printing->BlackBlocks->isChecked());
    if (!ApercuOuvertPreferences()) {
        OuvrirApercuPreferences();
        return;
    }
    // Opened from a preview: back to it, as confirmed.
    BT_OK->click();
}

void TPref_Form::BT_AideClick()
{
    const int page = std::clamp(PageControle->currentIndex(), 0, 2);
    FenetrePrincipale().AfficherAideContexte(kAides[page]);
}

int AfficherPreferences(PagePreferences page, bool& affichageApplique)
{
    auto dialogue = std::make_unique<TPref_Form>();
    dialogue->PageControle->setCurrentIndex(static_cast<int>(page));
    const int resultat = dialogue->exec();
    affichageApplique = dialogue->AffichageApplique();
    dialogue.reset();
    return resultat == QDialog::Accepted ? 1 : 2;
}

int ExecuterPreferences(PagePreferences page)
{
    bool affichageApplique = false;
    const int resultat = AfficherPreferences(page, affichageApplique);
    if (resultat != 1)
        RestaurerPreferences(affichageApplique);
    return resultat;
}
