#include "print/PrefPage.h"

#include "dialogs/BaseDialogue.h"
#include "editor/Fontes.h"
#include "platform/qt/CanevasQt.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

int PixelsParPouceEcran() { return std::max(1, Pixels96(96)); }

// The font dialog with the colour of the style beside it, as the Windows font dialog offers.
class TDialoguePolice : public QDialog {
public:
    TDialoguePolice(QWidget* parent, const TMyFont& police, bool avecCouleur)
        : QDialog(parent), couleur_(police.Col)
    {
        setObjectName(QStringLiteral("DialoguePolice"));
        auto* disposition = new QVBoxLayout(this);
        polices_ = new QFontDialog(this);
        polices_->setObjectName(QStringLiteral("Polices"));
        polices_->setWindowFlags(Qt::Widget);
        polices_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
        polices_->setCurrentFont(QFontDeDialogue(police));
        disposition->addWidget(polices_);
        if (avecCouleur) {
            auto* ligne = new QHBoxLayout;
            auto* bouton = new QPushButton(this);
            bouton->setObjectName(QStringLiteral("Couleur"));
            ligne->addWidget(bouton);
            ligne->addStretch();
            disposition->addLayout(ligne);
            const auto montrer = [this, bouton] {
                QPixmap carre(24, 12);
                carre.fill(QCouleurDe(couleur_));
                bouton->setIcon(QIcon(carre));
            };
            montrer();
            connect(bouton, &QPushButton::clicked, this, [this, montrer] {
                const QColor c = QColorDialog::getColor(QCouleurDe(couleur_), this, QString(),
                                                        QColorDialog::DontUseNativeDialog);
                if (c.isValid()) {
                    couleur_ = CouleurDe(c);
                    montrer();
                }
            });
        }
        auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        boutons->button(QDialogButtonBox::Ok)->setText(TexteCommunDialogue(TexteCommun::OK));
        boutons->button(QDialogButtonBox::Cancel)->setText(TexteCommunDialogue(TexteCommun::Annuler));
        connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        disposition->addWidget(boutons);
    }

    QFont Police() const { return polices_->currentFont(); }
    TCouleur Couleur() const { return couleur_; }

    // The style in points, as the font dialog lists sizes.
    static QFont QFontDeDialogue(const TMyFont& police)
    {
        QFont f = QPoliceDe(police);
        f.setPointSize(std::max(1, police.Size));
        return f;
    }

private:
    QFontDialog* polices_ = nullptr;
    TCouleur couleur_ = CouleurNoire;
};

IDialoguesPreferences dialoguesQt;
IDialoguesPreferences* dialogues = &dialoguesQt;

} // namespace

bool IDialoguesPreferences::ChoisirPolice(QWidget* parent, TMyFont& police, bool avecCouleur)
{
    TDialoguePolice dialogue(parent, police, avecCouleur);
    if (dialogue.exec() != QDialog::Accepted)
        return false;
    const QFont choisie = dialogue.Police();
    const QFont avant = TDialoguePolice::QFontDeDialogue(police);
    TMyFont resultat = police;
    if (choisie.family() != avant.family())
        resultat.Name = DepuisQString(choisie.family());
    if (choisie.pointSize() > 0)
        resultat.Size = choisie.pointSize();
    resultat.Bold = choisie.bold();
    resultat.Italic = choisie.italic();
    if (avecCouleur)
        resultat.Col = dialogue.Couleur();
    police = resultat;
    return true;
}

bool IDialoguesPreferences::ChoisirCouleur(QWidget* parent, TCouleur& couleur)
{
    const QColor c = QColorDialog::getColor(QCouleurDe(couleur), parent, QString(), QColorDialog::DontUseNativeDialog);
    if (!c.isValid())
        return false;
    couleur = CouleurDe(c);
    return true;
}

IDialoguesPreferences& DialoguesPreferences() { return *dialogues; }

void InstallerDialoguesPreferences(IDialoguesPreferences* d) { dialogues = d ? d : &dialoguesQt; }

QColor QCouleurDe(TCouleur couleur)
{
    const platform::Couleur c = platform::Couleur::DeValeur(couleur);
    return QColor(c.r, c.g, c.b);
}

TCouleur CouleurDe(const QColor& couleur)
{
    return platform::Couleur(couleur.red(), couleur.green(), couleur.blue()).Valeur();
}

QFont QPoliceDe(const TMyFont& police)
{
    // A style nothing validated (no face, no size) still shows in something readable.
    TMyFont p = police;
    if (p.Name.empty())
        p.Name = "Arial";
    if (p.Size <= 0)
        p.Size = 8;
    return platform::CanevasQt::QFontDe(StyleDePolice(p), PixelsParPouceEcran());
}

void AfficherExemplePolice(QLabel* exemple, const TMyFont& police)
{
    if (!exemple)
        return;
    // A sample shows the font as it is, in the room it has: not a caption to widen.
    exemple->setProperty("echantillon", true);
    exemple->setText(VersQString(police.Name) + QStringLiteral(" (0123456789)"));
    exemple->setFont(QPoliceDe(police));
    QPalette p = exemple->palette();
    p.setColor(QPalette::WindowText, QCouleurDe(police.Col));
    exemple->setPalette(p);
}

void AfficherExempleCouleur(QLabel* exemple, TCouleur couleur)
{
    if (!exemple)
        return;
    QPalette p = exemple->palette();
    p.setColor(QPalette::Window, QCouleurDe(couleur));
    exemple->setPalette(p);
    exemple->setAutoFillBackground(true);
}

void CocherGroupe(QButtonGroup* groupe, int id)
{
    QAbstractButton* bouton = groupe->button(id);
    if (bouton) {
        bouton->setChecked(true);
        return;
    }
    // An exclusive group never unchecks its last button by itself.
    groupe->setExclusive(false);
    for (QAbstractButton* b : groupe->buttons())
        b->setChecked(false);
    groupe->setExclusive(true);
}

// ---- TPagePreferences ---------------------------------------------------------------------------

TPagePreferences::TPagePreferences(QWidget* parent, const char* nom) : QWidget(parent)
{
    setObjectName(QString::fromLatin1(nom));
}

void TPagePreferences::Signaler()
{
    if (Modifie)
        Modifie();
}

QLabel* TPagePreferences::Etiquette(const char* nom, const QString& texte, int x, int y, int largeur, int hauteur)
{
    return Etiquette(this, nom, texte, x, y, largeur, hauteur);
}

QLabel* TPagePreferences::Etiquette(QWidget* dans, const char* nom, const QString& texte, int x, int y, int largeur,
                                    int hauteur)
{
    return Placer(new QLabel(texte, dans), nom, x, y, largeur, hauteur);
}

QLineEdit* TPagePreferences::Champ(const TChampNumerique& champ, int x, int y, int largeur)
{
    auto* e = Placer(new QLineEdit(this), champ.Nom, x, y, largeur, 21);
    FiltrerChiffres(e, champ.Chiffres);
    connect(e, &QLineEdit::textChanged, this, [this] { Signaler(); });
    return e;
}

QCheckBox* TPagePreferences::Case(QWidget* dans, const char* nom, const QString& texte, int x, int y, int largeur)
{
    auto* c = Placer(new QCheckBox(texte, dans), nom, x, y, largeur, 17);
    connect(c, &QCheckBox::toggled, this, [this] { Signaler(); });
    return c;
}

QRadioButton* TPagePreferences::Radio(QWidget* dans, QButtonGroup* groupe, int id, const char* nom,
                                      const QString& texte, int x, int y, int largeur)
{
    auto* r = Placer(new QRadioButton(texte, dans), nom, x, y, largeur, 17);
    groupe->addButton(r, id);
    connect(r, &QRadioButton::toggled, this, [this] { Signaler(); });
    return r;
}

QSlider* TPagePreferences::Curseur(QWidget* dans, const char* nom, int minimum, int maximum, int x, int y, int largeur)
{
    auto* s = Placer(new QSlider(Qt::Horizontal, dans), nom, x, y, largeur, 18);
    s->setRange(minimum, maximum);
    s->setSingleStep(1);
    s->setPageStep(std::max(1, (maximum - minimum) / 10));
    connect(s, &QSlider::valueChanged, this, [this] { Signaler(); });
    return s;
}

QToolButton* TPagePreferences::BoutonPoints(const char* nom, int x, int y)
{
    auto* b = Placer(new QToolButton(this), nom, x, y, 22, 19);
    b->setText(QStringLiteral("..."));
    return b;
}

QPushButton* TPagePreferences::Bouton(const char* nom, const QString& texte, int x, int y, int largeur)
{
    auto* b = Placer(new QPushButton(texte, this), nom, x, y, largeur, 23);
    b->setAutoDefault(false);
    return b;
}

QToolButton* TPagePreferences::BoutonEnregistrer(const char* nom, int x, int y)
{
    auto* b = Placer(new QToolButton(this), nom, x, y, 20, 23);
    b->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    return b;
}
