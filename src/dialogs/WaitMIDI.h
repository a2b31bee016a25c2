#pragma once
// The wait window of a long MIDI import or track assistant: a borderless box centred on the
// screen with one line of text (Etat) and a progress bar (ProgressBar1, 0..28). It has no
// behaviour of its own; the import, the beat builder and the fingering passes set its text and
// position, show, repaint and hide it through the main window.
//
// It never takes the focus and never covers a window raised after it: the import dialog and a
// message box shown during an import keep the keyboard and stay above it.
#include <QFrame>
#include <QPointer>

#include <string_view>

class QLabel;
class QProgressBar;
class QTimer;

class TWaitMidiForm : public QFrame {
    Q_OBJECT

public:
    static constexpr int Largeur = 295;
    static constexpr int Hauteur = 74;
    static constexpr int PositionMax = 28;

    explicit TWaitMidiForm(QWidget* parent = nullptr);

    QLabel* Etat = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

    // The text of Etat, Windows-1252 as the language file gives it.
    void DefinirTexte(std::string_view cp1252);
    // The bar's position, kept within 0..28.
    void DefinirPosition(int position);
    // Shown centred on the screen and painted before this returns, as a window system that
    // draws a window as it shows it would; hidden. Showing a visible window changes nothing.
    void Montrer(bool visible);
    // Painted now when it is on screen (the import runs without a message loop in between).
    void Redessiner();

protected:
    bool event(QEvent* e) override;

private:
    void Centrer();
    // Lets the window system map the window (at most a quarter of a second), keyboard and
    // mouse input left waiting; true when it is on screen.
    bool AttendreExposition();

    QTimer* reveil_ = nullptr;
    // The window that had the keyboard when this one was shown.
    QPointer<QWidget> fenetreActive_;
};
