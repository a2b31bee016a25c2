#pragma once
// The notation window: a small tool window over the main window that shows the notes of the
// beat under the edit cursor on a grand staff (treble and bass clef) in the song's key
// signature, and enters a note where the staff is clicked: the pitch of the position (with the
// accidental button that is down, else the key's), on the empty string of the current track
// that plays it at the lowest fret; a click on a note shown deletes it. It also changes the
// song's key signature and chooses the clefs shown.
//
// The command Ac_Ass_Solfege (and its toolbar button Bt_Ass_Solfege) opens and closes it; the
// command-state refresh redraws it while it is visible, so it follows the cursor. Every key
// typed on it goes to the main window, Enter moving the cursor one beat right.
#include "dialogs/NotesPortee.h"
#include "dialogs/Services.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

class TClassForm;

// The staff picture Image1: shows the image its window draws and reports the mouse.
class TImagePortee : public QWidget {
    Q_OBJECT
public:
    TImagePortee(TClassForm* fenetre, QWidget* parent);
    QImage Image;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    TClassForm* fenetre_;
};

class TClassForm : public QWidget, public IPaletteSolfege {
    Q_OBJECT

public:
    // A tool window over `parent` (the main window), hidden until shown, its clefs as the
    // configuration has them. It takes the command Ac_Ass_Solfege for as long as it lives.
    explicit TClassForm(QWidget* parent = nullptr);
    ~TClassForm() override;

    TImagePortee* Image1 = nullptr;
    QLabel* Img_Clef_Sol = nullptr;
    QLabel* Img_Clef_Fa = nullptr;
    QLabel* Img_Clef_Acco = nullptr;
    QWidget* Panel2 = nullptr;
    QToolButton* BT_ClefSol = nullptr;
    QToolButton* BT_ClefFa = nullptr;
    QLabel* NomTon = nullptr;
    QToolButton* TonUp = nullptr;
    QToolButton* TonDown = nullptr;
    QToolButton* BT_Diese = nullptr;
    QToolButton* BT_Bemol = nullptr;
    QToolButton* BT_Becarre = nullptr;
    QLineEdit* Ed_Invisible = nullptr;  // holds the focus, keeps nothing
    QPushButton* BT_Invisible = nullptr; // Enter

    // The staff for the beat under the cursor, with the hover band where it was.
    void DessinerPortee() override;

    // The mouse over the staff picture at y: the band follows it over positions 5..51.
    void Image1MouseMove(int y);
    // A click at the hovered position (see CliquerPositionPortee).
    void Image1Click();
    // Key signature one sharp more / one flat more, within -7..+7.
    void TonUpClick();
    void TonDownClick();
    // The clef toggles: at least one clef stays shown; the choice is kept in the configuration.
    void BT_ClefSolClick();
    void BT_ClefFaClick();
    // Enter: the cursor one beat right, then the command states.
    void BT_InvisibleClick();

    // The accidental button that is down.
    TBoutonAlteration BoutonAlteration() const;
    // The hovered position and the one the band is drawn on (-1: none yet).
    int PositionSurvolee() const { return survol_; }
    int PositionBande() const { return bande_; }
    // The notes shown, in staff order, as last drawn.
    const std::vector<TNotePortee>& NotesAffichees() const { return notes_; }

    // Keys typed on the palette go on to this widget (the main window's hidden key memo);
    // without one, to the parent.
    void DefinirCibleTouches(QWidget* cible) { cibleTouches_ = cible; }

    // IPaletteSolfege
    void SetVisible(bool visible) override { setVisible(visible); }
    bool Visible() const override { return isVisible(); }

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    // Wired, the clefs as the configuration has them.
    void CreerControles();
    void AfficherCles();
    void InverserBande(int position);
    void BasculerAlteration(QToolButton* bouton);
    // A key for the main window; false for those the palette keeps (Enter, Escape).
    bool TransmettreTouche(QKeyEvent* e);

    int survol_ = -1;
    int bande_ = -1;
    std::vector<TNotePortee> notes_;
    QWidget* cibleTouches_ = nullptr;
    QColor couleurOutils_; // the tool row's, the window's own being white
};
