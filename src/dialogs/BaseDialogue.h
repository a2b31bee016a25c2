#pragma once
// What every dialog of the program shares: its captions read from the loaded language (raw
// Windows-1252 lines, converted here where they meet Qt), the common button texts, the
// dialog font, numbers typed by the user and the box that refuses an invalid entry.
#include "controls/CadreFenetre.h"

#include <QFont>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QAbstractButton;
class QDialog;
class QLineEdit;
class QPushButton;
class QTimer;
class QWidget;

// Windows-1252 bytes to a QString, and back (a character the code page lacks becomes '?').
QString VersQString(std::string_view cp1252);
std::string DepuisQString(const QString& texte);

// The captions of one window: the lines below its section marker ("DLG_XXX_000") in the
// loaded language. A missing section reads as empty texts, never as the lines of another.
class SectionLangue {
public:
    explicit SectionLangue(std::string_view marqueur);
    bool Trouvee() const { return marqueur_ >= 0; }
    // Entry k (1, 2, ...), raw or converted; empty when the section is missing.
    std::string Brut(int k) const;
    QString Texte(int k) const;
    // The converted entry, or `defaut` when it is empty.
    QString Texte(int k, const QString& defaut) const;

private:
    int marqueur_ = -1;
};

// The shared texts of "DLG_000"; English built-in texts stand in when the line is missing.
enum class TexteCommun { OK = 1, Annuler = 2, Oui = 3, Non = 4, Aide = 5, Effacer = 6, Fermer = 7 };

QString TexteCommunDialogue(TexteCommun t);

// When a window builds its controls: as it is created, or as it is first shown. A resident
// window that most runs never open builds them late, which spares the program's start the
// time; until then it holds its state and the requests that only change what it shows.
enum class Controles { ALaCreation, AuPremierAffichage };

// A window (a QDialog, a QWidget) whose controls CreerControles makes, wires and captions,
// once: at its creation when its constructor passes Controles::ALaCreation to
// ConstruireSelon, else as it is first shown. What reaches it from outside before then asks
// ControlesConstruits(); CreerControles already sees them built.
template <class Fenetre>
class FenetreControlesDifferes : public Fenetre {
public:
    using Fenetre::Fenetre;

    // The controls built; nothing once they are.
    void ConstruireControles()
    {
        if (construits_)
            return;
        construits_ = true;
        CreerControles();
    }
    bool ControlesConstruits() const { return construits_; }

    void setVisible(bool visible) override
    {
        if (visible)
            ConstruireControles();
        Fenetre::setVisible(visible);
    }

protected:
    // At the end of the window's constructor.
    void ConstruireSelon(Controles controles)
    {
        if (controles == Controles::ALaCreation)
            ConstruireControles();
    }

private:
    virtual void CreerControles() = 0;
    bool construits_ = false;
};

// Pixel size of a font of `points` at `pixelsParPouce` (MulDiv rounding: 8 pt -> 11 px).
int PixelsPolice(int points, int pixelsParPouce = 96);
// Liberation Sans (the stand-in for "MS Sans Serif" and "Arial") at a pixel size, without
// antialiasing, hinted in full so that texts keep the font's own even spacing.
QFont PoliceDialogue(int pixels = 11, bool gras = false);
// The dialog font on a window; its children inherit it. Without a size: 8 points at the
// screen's resolution (11 pixels at 96 dots per inch).
void AppliquerPoliceDialogue(QWidget* fenetre, int pixels = 0);

// Screen pixels per inch / 96: the windows are designed for 96 dots per inch.
double EchelleEcran();
// A length of the 96-dpi design on this screen, rounded.
int Pixels96(int longueur);
// A window's client area of the 96-dpi design, fixed.
void DimensionnerClient(QWidget* fenetre, int largeur, int hauteur);
// The client width a window needs for the window manager to show its caption whole: the
// caption in the application's font made bold, centred between the frame's buttons.
int LargeurPourTitre(const QString& titre);
// A fixed-size window too narrow for its title bar's caption grows to LargeurPourTitre, its
// controls moved to stay centred. Never shrinks it.
void ElargirPourTitre(QWidget* fenetre);

// A window of fixed positions shows each caption whole. A label, check box, radio button,
// push button or group title too narrow for its text in its own font (with the style's margins) widens to it:
// a left-aligned caption to the right, a right-aligned one to the left, a centred one on both
// sides; a wrapped label too short for its lines grows about its middle. Where a caption that
// grew runs into a control of its row, a column opens at its old right edge: the controls from
// there on move right by the least that clears it (up to 4 pixels of their gap kept), so that
// the design's columns stay aligned, and a widget that then holds its children no more widens,
// up to the window (a tab page through its tab widget; a fixed window stays fixed). Nothing
// shrinks. Left alone: children of a layout, samples (property "echantillon"), framed labels
// (boxes that show a value) and controls the design keeps out of view.
void AjusterLegendes(QWidget* fenetre);
// The width a push button needs for its caption: its text with the style's button margin,
// frame and default-button indicator, without the platform's minimum button width.
int LargeurLegendeBouton(const QPushButton* bouton);
// From now on, every window the application shows has its captions fitted as it appears, and
// one of fixed width with a title bar is made wide enough for its title (ElargirPourTitre);
// then a dialog the program does not place itself is centred on the screen by its size and
// frame as they are then (CentrerSurEcran), at every show, and again once framed.
void InstallerAjustementLegendes();

// Numbers typed by the user, "." or "," as decimal separator, blanks around allowed; nothing
// for a text that is not a number.
std::optional<double> LireReel(const QString& texte);
std::optional<int32_t> LireEntier(const QString& texte);

// Formats a real with the decimals given and "." as separator ("1.50").
QString EcrireReel(double valeur, int decimales);
// A real in the general format with the system's decimal separator: 1.0 -> "1", 2.5 -> "2.5".
QString EcrireReelGeneral(double valeur);

// The shared box of an invalid entry, shown by the main window.
void SignalerSaisieIncorrecte();
// An entry refused on OK: the shared box, then the field focused with its whole text selected.
void RefuserChamp(QLineEdit* champ);

// A caption of the language file with its automatic accelerator (when the file asks for
// them), `utilisees` being the letters the window has given already.
QString LegendeRaccourci(const std::string& brut, std::string& utilisees);
// A group-box caption: one blank before and after.
QString LegendeGroupe(const QString& texte);

// ---- The OK / Cancel / Help row ----------------------------------------------------------------

// Buttons of 75 x 25 at (x, y) of the 96-dpi design, with their built-in captions. OK is the
// default button (its click is the dialog's own); Cancel rejects and Help shows the help file
// for `contexteAide`, neither taking Enter from the default button.
QPushButton* PlacerBoutonOK(QDialog* fenetre, int x, int y);
QPushButton* PlacerBoutonAnnuler(QDialog* fenetre, int x, int y);
QPushButton* PlacerBoutonAide(QDialog* fenetre, int x, int y, int contexteAide);
// The captions of "DLG_000" on OK, Cancel and Help (when given), their accelerators taken
// first in `utilisees`. False, and the captions kept, when the section is missing.
bool TraduireBoutonsCommuns(std::string& utilisees, QAbstractButton* ok, QAbstractButton* annuler,
                            QAbstractButton* aide = nullptr);

// ---- Entry fields ----------------------------------------------------------------------------

// Only digits reach the field (typed or pasted), at most `longueur` of them.
void FiltrerChiffres(QLineEdit* champ, int longueur);
// Digits and one kind of decimal separator: "." and "," both enter the system's separator.
void FiltrerDecimal(QLineEdit* champ, int longueur);
// Up arrow and keypad "+" on the field act as its up button, Down arrow and keypad "-" as its
// down button.
void LierTouchesSpin(QLineEdit* champ, std::function<void()> haut, std::function<void()> bas);

// The auto-repeat of a pair of spin buttons held down. Pressing a button starts a timer whose
// first tick comes after `Premier` ms; each tick raises the tick counter, and from the second
// on the interval is `Rapide`, from the eleventh `TresRapide` (when not 0); at tick `Triple`
// (when not 0) the step is tripled once. Each tick then calls Pas with the step (+1 or -1,
// times 3 after the tripling). Releasing the button stops the timer; its click, which comes
// after, is the dialog's own single step.
class RepetitionSpin {
public:
    struct Cadence {
        int Premier = 300;
        int Rapide = 100;
        int TresRapide = 0;
        int Triple = 0;
    };
    RepetitionSpin(QObject* proprietaire, Cadence cadence, std::function<void(int pas)> pas);
    RepetitionSpin(const RepetitionSpin&) = delete;
    RepetitionSpin& operator=(const RepetitionSpin&) = delete;

    // The button's press starts the repeat with this sign, its release stops it.
    void Lier(QAbstractButton* bouton, int sens);
    void Demarrer(int sens);
    void Arreter();
    // One tick, as the timer gives it (tests call it directly).
    void Tick();

    bool Actif() const;
    int Intervalle() const;
    int Compteur() const { return compteur_; }

private:
    Cadence cadence_;
    std::function<void(int)> pas_;
    QTimer* timer_ = nullptr;
    int compteur_ = 0;
    int sens_ = 1;
};

// A child widget named for findChild, at a place of the 96-dpi design (scaled to the screen).
template <class W>
W* Placer(W* w, const char* nom, int x, int y, int largeur, int hauteur)
{
    w->setObjectName(QString::fromLatin1(nom));
    w->setGeometry(Pixels96(x), Pixels96(y), Pixels96(largeur), Pixels96(hauteur));
    return w;
}
