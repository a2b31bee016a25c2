#include "print/PrefAffichage.h"

#include "dialogs/BaseDialogue.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

namespace {

constexpr std::array<const char*, kNbChampsAffichage> kLegendesChamps{
    "Left margin",   "Right margin",  "Space betw. lines", "Space betw. tabs", "Chord (diagrams) position",
    "Chord (name only) position", "Text position", "Rhythm horiz. line width"};
constexpr std::array<const char*, kNbPolicesAffichage> kBoutonsPolices{
    "ModifierFontNotes", "ModifierFontAcc", "ModifierFontTxt", "ModifierFontSign", "ModifierFontNum", "ModifierFontRenv"};
constexpr std::array<const char*, kNbPolicesAffichage> kExemplesPolices{
    "LibExFontNotes", "LibExFontAcc", "LibExFontTxt", "LibExFontSign", "LibExFontNum", "LibExFontRenv"};
constexpr std::array<const char*, kNbPolicesAffichage> kLegendesPolices{
    "Notes font :", "Chord name font :", "Text font :", "Time sign. font :", "Num. bar font :", "Repeat font :"};
constexpr std::array<const char*, kNbCouleursAffichage> kBoutonsCouleurs{
    "ModifierColDiag",  "ModifierColLines",  "ModfiierColRythm", "ModifierColEff",
    "ModifierColBackG", "ModifierColBadBar", "ModifierColSelect"};
constexpr std::array<const char*, kNbCouleursAffichage> kExemplesCouleurs{
    "ExColDiag", "ExColLines", "ExColRythm", "ExColEff", "ExColBackG", "ExColBadBar", "ExColSelect"};
constexpr std::array<const char*, kNbCouleursAffichage> kLegendesCouleurs{
    "Chord diagram color :", "Tab line color :",    "Rhythm line color :", "Effect color :",
    "Background color :",    "Bad time bar color :", "Selection color :"};
constexpr std::array<const char*, kNbCasesAffichage> kLegendesCases{
    "Chord diagrams", "Chord names", "Chords list on top", "Text", "Effects", "Rhythm lines", "Num. of bars"};

std::string NomLabel(const char* nom) { return std::string(nom) + "_Lab"; }

// A picture that acts on a click.
class ImageCliquable : public QLabel {
public:
    ImageCliquable(QWidget* parent, std::function<void()> clic) : QLabel(parent), clic_(std::move(clic)) {}

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton && clic_)
            clic_();
        QLabel::mousePressEvent(e);
    }

private:
    std::function<void()> clic_;
};

// A chord diagram on a grid of `pas` pixels: six strings, five frets, a few fingers.
QPixmap ImageDiagramme(int pas)
{
    const int largeur = 5 * pas + 1;
    const int hauteur = 5 * pas + 1;
    QPixmap image(largeur + 4, hauteur + 4);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.translate(2, 2);
    p.setPen(Qt::black);
    for (int c = 0; c < 6; ++c)
        p.drawLine(c * pas, 0, c * pas, hauteur - 1);
    for (int f = 0; f <= 5; ++f)
        p.drawLine(0, f * pas, largeur - 1, f * pas);
    p.drawLine(0, 1, largeur - 1, 1);
    p.setBrush(Qt::black);
    const int r = std::max(1, pas / 2 - 1);
    for (const auto& [corde, frette] : {std::pair{1, 2}, std::pair{3, 2}, std::pair{4, 1}})
        p.drawEllipse(QPoint(corde * pas, frette * pas - pas / 2), r, r);
    return image;
}

} // namespace

TPagePrefAffichage::TPagePrefAffichage(QWidget* parent) : TPagePreferences(parent, "Display")
{
    for (std::size_t i = 0; i < kNbChampsAffichage; ++i) {
        const int y = 6 + 23 * static_cast<int>(i);
        EtiquettesChamps[i] = Etiquette(NomLabel(kChampsAffichage[i].Nom).c_str(),
                                        QString::fromLatin1(kLegendesChamps[i]), 8, y + 3, 150);
        Champs[i] = Champ(kChampsAffichage[i], 160, y, 40);
    }

    tailles_ = new QButtonGroup(this);
    DiagSize_Lab = Etiquette("DiagSize_Lab", QStringLiteral("Diagram size :"), 8, 196, 150);
    const std::array<const char*, 3> radios{"TypeDiag1", "TypeDiag2", "TypeDiag3"};
    const std::array<const char*, 3> images{"Image1", "Image2", "Image12"};
    const std::array<int, 3> pas{7, 6, 5};
    for (std::size_t i = 0; i < 3; ++i) {
        const int x = 8 + 72 * static_cast<int>(i);
        TypeDiag[i] = Radio(this, tailles_, static_cast<int>(i) + 1, radios[i], QString(), x, 228, 18);
        auto* image = new ImageCliquable(this, [this, i] { ImageDiagClick(i); });
        image->setPixmap(ImageDiagramme(pas[i]));
        ImagesDiag[i] = Placer(image, images[i], x + 20, 212, 48, 48);
    }

    CoefEspAff_Lab = Etiquette("CoefEspAff_Lab", QStringLiteral("Notes spacing"), 8, 270, 108);
    CoefEspAff = Curseur(this, "CoefEspAff", 0, 10, 118, 268, 130);
    CoefPAff_Lab = Etiquette("CoefPAff_Lab", QStringLiteral("Rhythm. proportion"), 8, 294, 108);
    CoefPAff = Curseur(this, "CoefPAff", 10, 20, 118, 292, 130);

    for (std::size_t i = 0; i < kNbCasesAffichage; ++i) {
        const int x = i % 2 == 0 ? 8 : 128;
        const int y = 320 + 18 * static_cast<int>(i / 2);
        Cases[i] = Case(this, kCasesAffichage[i], QString::fromLatin1(kLegendesCases[i]), x, y, 118);
    }

    for (std::size_t i = 0; i < kNbPolicesAffichage; ++i) {
        const int y = 6 + 32 * static_cast<int>(i);
        EtiquettesPolices[i] = Etiquette(NomLabel(kBoutonsPolices[i]).c_str(),
                                         QString::fromLatin1(kLegendesPolices[i]), 258, y + 2, 120);
        BoutonsPolices[i] = BoutonPoints(kBoutonsPolices[i], 380, y);
        ExemplesPolices[i] = Etiquette(kExemplesPolices[i], QString(), 258, y + 16, 240, 16);
        connect(BoutonsPolices[i], &QToolButton::clicked, this, [this, i] { ModifierPolice(i); });
    }
    for (std::size_t i = 0; i < kNbCouleursAffichage; ++i) {
        const int y = 202 + 20 * static_cast<int>(i);
        EtiquettesCouleurs[i] = Etiquette(NomLabel(kBoutonsCouleurs[i]).c_str(),
                                          QString::fromLatin1(kLegendesCouleurs[i]), 258, y + 2, 140);
        BoutonsCouleurs[i] = BoutonPoints(kBoutonsCouleurs[i], 400, y);
        ExemplesCouleurs[i] = Etiquette(kExemplesCouleurs[i], QString(), 428, y + 2, 60, 15);
        ExemplesCouleurs[i]->setFrameShape(QFrame::Box);
        connect(BoutonsCouleurs[i], &QToolButton::clicked, this, [this, i] { ModifierCouleur(i); });
    }

    for (int n = 1; n <= 3; ++n) {
        const int x = 258 + 82 * (n - 1);
        const std::string user = "DisplayUser" + std::to_string(n);
        const std::string save = "SaveDisplayUser" + std::to_string(n);
        DisplayUser[n - 1] = Bouton(user.c_str(), QStringLiteral("User #%1").arg(n), x, 350, 56);
        SaveDisplayUser[n - 1] = BoutonEnregistrer(save.c_str(), x + 56, 350);
        connect(DisplayUser[n - 1], &QPushButton::clicked, this, [this, n] { DisplayUserClick(n); });
        connect(SaveDisplayUser[n - 1], &QToolButton::clicked, this, [this, n] { SaveDisplayUserClick(n); });
    }
    DisplayDefault = Bouton("DisplayDefault", QStringLiteral("Default"), 258, 380, 75);
    BT_Look = Bouton("BT_Look", QStringLiteral("Look"), 423, 380, 75);
    connect(DisplayDefault, &QPushButton::clicked, this, &TPagePrefAffichage::DisplayDefaultClick);
}

void TPagePrefAffichage::Charger(const TValeursAffichage& v)
{
    for (std::size_t i = 0; i < kNbChampsAffichage; ++i)
        Champs[i]->setText(QString::number(v.Champs[i]));
    polices_ = v.Polices;
    for (std::size_t i = 0; i < kNbPolicesAffichage; ++i)
        AfficherExemplePolice(ExemplesPolices[i], polices_[i]);
    for (std::size_t i = 0; i < kNbCasesAffichage; ++i)
        Cases[i]->setChecked(v.Cases[i]);
    couleurs_ = v.Couleurs;
    for (std::size_t i = 0; i < kNbCouleursAffichage; ++i)
        AfficherExempleCouleur(ExemplesCouleurs[i], couleurs_[i]);
    CoefPAff->setValue(v.CoefPAff);
    CoefEspAff->setValue(v.CoefEspAff);
    CocherGroupe(tailles_, v.TypeDiag);
}

TValeursAffichage TPagePrefAffichage::Lire() const
{
    TValeursAffichage v;
    for (std::size_t i = 0; i < kNbChampsAffichage; ++i) {
        int32_t n = 0;
        LireChiffres(Champs[i]->text().toStdString(), n);
        v.Champs[i] = n;
    }
    v.Polices = polices_;
    for (std::size_t i = 0; i < kNbCasesAffichage; ++i)
        v.Cases[i] = Cases[i]->isChecked();
    v.Couleurs = couleurs_;
    v.CoefPAff = CoefPAff->value();
    v.CoefEspAff = CoefEspAff->value();
    v.TypeDiag = std::max(0, tailles_->checkedId());
    return v;
}

void TPagePrefAffichage::CompleterChampsVides()
{
    for (std::size_t i = 0; i < kNbChampsAffichage; ++i)
        if (Champs[i]->text().isEmpty())
            Champs[i]->setText(QString::fromLatin1(kChampsAffichage[i].Repli));
}

QLineEdit* TPagePrefAffichage::ChampRefuse() const
{
    for (std::size_t i = 0; i < kNbChampsAffichage; ++i) {
        int32_t n = 0;
        if (!LireChiffres(Champs[i]->text().toStdString(), n) || !ValeurAffichageAcceptee(i, n))
            return Champs[i];
    }
    return nullptr;
}

void TPagePrefAffichage::ModifierPolice(std::size_t i)
{
    if (DialoguesPreferences().ChoisirPolice(this, polices_[i], true))
        Signaler();
    AfficherExemplePolice(ExemplesPolices[i], polices_[i]);
}

void TPagePrefAffichage::ModifierCouleur(std::size_t i)
{
    if (DialoguesPreferences().ChoisirCouleur(this, couleurs_[i]))
        Signaler();
    AfficherExempleCouleur(ExemplesCouleurs[i], couleurs_[i]);
}

void TPagePrefAffichage::ImageDiagClick(std::size_t i)
{
    if (!TypeDiag[i]->isChecked())
        TypeDiag[i]->setChecked(true);
}

void TPagePrefAffichage::DisplayDefaultClick()
{
    Charger(ValeursAffichageParDefaut());
    Signaler();
}

void TPagePrefAffichage::DisplayUserClick(int n)
{
    Charger(ValeursAffichageDe(PresetAffichage(n), SuffixePreset(n)));
    Signaler();
}

void TPagePrefAffichage::SaveDisplayUserClick(int n)
{
    if (AvantEnregistrement && !AvantEnregistrement())
        return;
    EcrireValeursAffichage(Lire(), PresetAffichage(n), SuffixePreset(n));
}
