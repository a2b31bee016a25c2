#pragma once
// What the three pages of the preferences dialog share: the common dialogs they open (a seam
// that tests replace), the font and colour samples, and a page base that tells its dialog of
// every change and builds the page's controls at places of the 96-dpi design.
#include "document/Configuration.h"
#include "print/PrefLogique.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QToolButton;

// The common dialogs of the pages. Paths are the file system's (QString).
class IDialoguesPreferences {
public:
    virtual ~IDialoguesPreferences() = default;
    // The font dialog on `police`, with its colour when `avecCouleur`; false when cancelled
    // (police unchanged). A face left as it was keeps the name it had, however Qt spells it.
    virtual bool ChoisirPolice(QWidget* parent, TMyFont& police, bool avecCouleur);
    // The colour dialog; false when cancelled.
    virtual bool ChoisirCouleur(QWidget* parent, TCouleur& couleur);
};

IDialoguesPreferences& DialoguesPreferences();
void InstallerDialoguesPreferences(IDialoguesPreferences* dialogues); // nullptr puts the Qt ones back

// A settings colour as Qt takes it, and back.
QColor QCouleurDe(TCouleur couleur);
TCouleur CouleurDe(const QColor& couleur);
// A text style as the screen shows it (the faces of the platform stand in for the Windows
// ones), at the screen's resolution.
QFont QPoliceDe(const TMyFont& police);
// A font sample: the face name followed by " (0123456789)", in the style and its colour.
void AfficherExemplePolice(QLabel* exemple, const TMyFont& police);
// A colour sample: the shape filled with the colour.
void AfficherExempleCouleur(QLabel* exemple, TCouleur couleur);
// Checks the button of a group whose id is `id`; none for an id the group lacks.
void CocherGroupe(QButtonGroup* groupe, int id);

class TPagePreferences : public QWidget {
public:
    // Told of every change of a control of the page, loading included (the dialog clears its
    // mark after loading).
    std::function<void()> Modifie;

protected:
    TPagePreferences(QWidget* parent, const char* nom);

    void Signaler();

    QLabel* Etiquette(const char* nom, const QString& texte, int x, int y, int largeur, int hauteur = 15);
    QLabel* Etiquette(QWidget* dans, const char* nom, const QString& texte, int x, int y, int largeur, int hauteur = 15);
    // A digits-only edit; any change of its text is a change of the page.
    QLineEdit* Champ(const TChampNumerique& champ, int x, int y, int largeur);
    QCheckBox* Case(QWidget* dans, const char* nom, const QString& texte, int x, int y, int largeur);
    QRadioButton* Radio(QWidget* dans, QButtonGroup* groupe, int id, const char* nom, const QString& texte, int x,
                        int y, int largeur);
    // A track bar 18 pixels high (at 96 dots per inch).
    QSlider* Curseur(QWidget* dans, const char* nom, int minimum, int maximum, int x, int y, int largeur);
    QToolButton* BoutonPoints(const char* nom, int x, int y);
    QPushButton* Bouton(const char* nom, const QString& texte, int x, int y, int largeur);
    QToolButton* BoutonEnregistrer(const char* nom, int x, int y);
};
