#include "print/PrefImpression.h"

#include "dialogs/BaseDialogue.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr std::array<const char*, kNbChampsImpression> kLegendesChamps{
    "Top marg.", "Bott. marg.", "Left m.", "Right m.", "Width", "Height"};
constexpr std::array<const char*, kNbCurseursImpression> kLegendesCurseurs{
    "Global proportions", "Chord diagram size", "Space betw. tabs",    "Notes spacing",        "Rhythm proportion",
    "Diagram position",   "Chord name position", "Text position",      "Title/Author spacing", "Author/Tab spacing"};
constexpr std::array<const char*, kNbPolicesImpression> kBoutonsPolices{
    "ModifierFontTitle_Prt", "ModifierFontAuteur_Prt", "ModifierFontComment_Prt", "ModifierFontNumPage_Prt",
    "ModifierFontNotes_Prt", "ModifierFontAcc_Prt",    "ModifierFontTxt_Prt",     "ModifierFontSign_Prt",
    "ModifierFontAccDiag_Prt", "ModifierFontRenv_Prt"};
constexpr std::array<const char*, kNbPolicesImpression> kLegendesPolices{
    "Title font :", "Author font :",     "Comment font :", "Num. page font :",   "Note font :",
    "Chord name font :", "Text font :", "Time sign. font :", "Chord diag. font :", "Repeat font :"};
constexpr std::array<const char*, kNbCasesImpression> kLegendesCases{
    "Title",          "Author",      "Comment",           "Triplet feel, tuning...", "Num. page", "Num. of bars",
    "Chord diagrams", "Chord names", "Chord list on top", "Text",                    "Effects",   "Rhythm lines"};

// Where the six edits stand: two per row.
struct PlaceChamp {
    int x;
    int y;
    int xLegende;
    int largeurLegende;
};
constexpr std::array<PlaceChamp, kNbChampsImpression> kPlacesChamps{{
    {70, 6, 8, 60},
    {192, 6, 130, 60},
    {70, 30, 8, 60},
    {192, 30, 130, 60},
    {70, 94, 24, 44},
    {192, 94, 130, 60},
}};

std::string NomLabel(const char* nom) { return std::string(nom) + "_Lab"; }

} // namespace

TPagePrefImpression::TPagePrefImpression(QWidget* parent) : TPagePreferences(parent, "Printing")
{
    for (std::size_t i = 0; i < kNbChampsImpression; ++i) {
        const PlaceChamp& p = kPlacesChamps[i];
        EtiquettesChamps[i] = Etiquette(NomLabel(kChampsImpression[i].Nom).c_str(),
                                        QString::fromLatin1(kLegendesChamps[i]), p.xLegende, p.y + 3, p.largeurLegende);
        Champs[i] = Champ(kChampsImpression[i], p.x, p.y, 34);
        Etiquette((std::string(kChampsImpression[i].Nom) + "_mm").c_str(), QStringLiteral("mm"), p.x + 37, p.y + 3, 20);
    }

    zone_ = new QButtonGroup(this);
    FullPage_Prt = Radio(this, zone_, 1, "FullPage_Prt", QStringLiteral("Full page printing area"), 8, 56, 240);
    SelectedArea_Prt = Radio(this, zone_, 2, "SelectedArea_Prt", QStringLiteral("Selected printing area :"), 8, 74, 240);
    Center_Prt = Case(this, "Center_Prt", QStringLiteral("Center the area"), 24, 118, 224);
    TracerCadre_Prt = Case(this, "TracerCadre_Prt", QStringLiteral("Print border area"), 24, 136, 224);
    connect(FullPage_Prt, &QRadioButton::toggled, this, [this] { ActiverZoneImpression(); });

    for (std::size_t i = 0; i < kNbCurseursImpression; ++i) {
        const TCurseurReglage& c = kCurseursImpression[i];
        const int y = 158 + 21 * static_cast<int>(i);
        EtiquettesCurseurs[i] = Etiquette(NomLabel(c.Nom).c_str(), QString::fromLatin1(kLegendesCurseurs[i]), 8, y + 2, 110);
        Curseurs[i] = Curseur(this, c.Nom, c.Minimum, c.Maximum, 118, y, 130);
    }

    for (std::size_t i = 0; i < kNbPolicesImpression; ++i) {
        const int y = 6 + 22 * static_cast<int>(i);
        EtiquettesPolices[i] = Etiquette(NomLabel(kBoutonsPolices[i]).c_str(),
                                         QString::fromLatin1(kLegendesPolices[i]), 258, y + 2, 100);
        BoutonsPolices[i] = BoutonPoints(kBoutonsPolices[i], 358, y);
        const std::string exemple = "LibEx" + std::string(kPolicesImpression[i]);
        ExemplesPolices[i] = Etiquette(exemple.c_str(), QString(), 384, y, 116, 20);
        connect(BoutonsPolices[i], &QToolButton::clicked, this, [this, i] { ModifierPolice(i); });
    }

    for (std::size_t i = 0; i < kNbCasesImpression; ++i) {
        const int x = i % 2 == 0 ? 258 : 378;
        const int y = 230 + 17 * static_cast<int>(i / 2);
        Cases[i] = Case(this, kCasesImpression[i], QString::fromLatin1(kLegendesCases[i]), x, y, 118);
    }
    BlackBlocks = Case(this, "BlackBlocks", QStringLiteral("Check this box if all texts like black blocks"), 8, 388,
                       490);

    for (int n = 1; n <= 3; ++n) {
        const int x = 258 + 82 * (n - 1);
        const std::string user = "PrintUser" + std::to_string(n);
        const std::string save = "SavePrintUser" + std::to_string(n);
        PrintUser[n - 1] = Bouton(user.c_str(), QStringLiteral("User #%1").arg(n), x, 336, 56);
        SavePrintUser[n - 1] = BoutonEnregistrer(save.c_str(), x + 56, 336);
        connect(PrintUser[n - 1], &QPushButton::clicked, this, [this, n] { PrintUserClick(n); });
        connect(SavePrintUser[n - 1], &QToolButton::clicked, this, [this, n] { SavePrintUserClick(n); });
    }
    PrintDefault = Bouton("PrintDefault", QStringLiteral("Default"), 258, 362, 75);
    BT_Look_Prt = Bouton("BT_Look_Prt", QStringLiteral("Preview"), 423, 362, 75);
    connect(PrintDefault, &QPushButton::clicked, this, &TPagePrefImpression::PrintDefaultClick);
    ActiverZoneImpression();
}

void TPagePrefImpression::Charger(const TValeursImpression& v)
{
    for (std::size_t i = 0; i < kNbChampsImpression; ++i)
        Champs[i]->setText(QString::number(v.Champs[i]));
    (v.FullPage ? FullPage_Prt : SelectedArea_Prt)->setChecked(true);
    Center_Prt->setChecked(v.Center_Prt);
    TracerCadre_Prt->setChecked(v.TracerCadre_Prt);
    for (std::size_t i = 0; i < kNbCurseursImpression; ++i)
        Curseurs[i]->setValue(v.Curseurs[i]);
    polices_ = v.Polices;
    for (std::size_t i = 0; i < kNbPolicesImpression; ++i)
        AfficherExemplePolice(ExemplesPolices[i], polices_[i]);
    for (std::size_t i = 0; i < kNbCasesImpression; ++i)
        Cases[i]->setChecked(v.Cases[i]);
    ActiverZoneImpression();
}

TValeursImpression TPagePrefImpression::Lire() const
{
    TValeursImpression v;
    for (std::size_t i = 0; i < kNbChampsImpression; ++i) {
        int32_t n = 0;
        LireChiffres(Champs[i]->text().toStdString(), n);
        v.Champs[i] = n;
    }
    v.FullPage = FullPage_Prt->isChecked();
    v.Center_Prt = Center_Prt->isChecked();
    v.TracerCadre_Prt = TracerCadre_Prt->isChecked();
    for (std::size_t i = 0; i < kNbCurseursImpression; ++i)
        v.Curseurs[i] = Curseurs[i]->value();
    v.Polices = polices_;
    for (std::size_t i = 0; i < kNbCasesImpression; ++i)
        v.Cases[i] = Cases[i]->isChecked();
    return v;
}

void TPagePrefImpression::CompleterChampsVides()
{
    for (std::size_t i = 0; i < kNbChampsImpression; ++i)
        if (Champs[i]->text().isEmpty())
            Champs[i]->setText(QString::fromLatin1(kChampsImpression[i].Repli));
}

void TPagePrefImpression::ActiverZoneImpression()
{
    const bool zone = !FullPage_Prt->isChecked();
    // Width and height are the last two edits.
    Champs[4]->setEnabled(zone);
    Champs[5]->setEnabled(zone);
    Center_Prt->setEnabled(zone);
    TracerCadre_Prt->setEnabled(zone);
}

void TPagePrefImpression::ModifierPolice(std::size_t i)
{
    if (DialoguesPreferences().ChoisirPolice(this, polices_[i], false))
        Signaler();
    // Print styles are always black, whatever the style held before.
    polices_[i].Col = CouleurNoire;
    AfficherExemplePolice(ExemplesPolices[i], polices_[i]);
}

void TPagePrefImpression::PrintDefaultClick()
{
    Charger(ValeursImpressionParDefaut());
    Signaler();
}

void TPagePrefImpression::PrintUserClick(int n)
{
    Charger(ValeursImpressionDe(PresetImpression(n), SuffixePreset(n)));
    Signaler();
}

void TPagePrefImpression::SavePrintUserClick(int n)
{
    if (AvantEnregistrement && !AvantEnregistrement())
        return;
    EcrireValeursImpression(Lire(), PresetImpression(n), SuffixePreset(n));
}
