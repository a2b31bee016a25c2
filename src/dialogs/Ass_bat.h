#pragma once
// The drum palette: a floating tool window, above the main window and below its dialogs and
// boxes, that lists the General MIDI drum sounds 27..87. A click on a sound plays it alone; a
// double-click (or Enter, which does both) writes its note number as the fret of the cursor
// string in the beat under the cursor of the percussion track. The command Ac_Ass_Percussion
// shows and hides it; the main window shows it on track 8, hides it elsewhere and during
// playback (dialogs/Services.h).
#include "dialogs/Services.h"

#include <QListWidget>
#include <QWidget>

class QPushButton;

// The list of sounds: the arrow keys select and play, like a click.
class TListePercussions : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;

signals:
    void SelectionClavier();
    void Entree();
    void Echappement();

protected:
    void keyPressEvent(QKeyEvent* e) override;
};

class TAssistant_Bat_Form : public QWidget, public IAssistantBatterie {
    Q_OBJECT

public:
    // A tool window over `parent` (the main window), hidden until shown. It takes the command
    // Ac_Ass_Percussion for as long as it lives.
    explicit TAssistant_Bat_Form(QWidget* parent = nullptr);
    ~TAssistant_Bat_Form() override;

    TListePercussions* Liste = nullptr; // item i: note i + 27
    QPushButton* BitBtn1 = nullptr;     // the hidden default button, below the client area

    // Caption: line 8 of "GENE_000"; run at creation and after a language switch.
    void TraduireAssistantBatterie();

    // The selected sound played (not in the score-only layout, not without a sequencer).
    void ListeClick();
    // The selected sound entered into the cursor beat, then the keyboard back to the main
    // window (not in the score-only layout).
    void ListeDblClick();
    // Enter: the click, then the double-click.
    void BitBtn1Click();
    // Escape: hidden, and its command enabled exactly on the percussion track.
    void Echap();

    // Where the keyboard goes back after an entry: the main window's hidden key memo.
    void DefinirCibleFocus(QWidget* cible) { cibleFocus_ = cible; }

    // IAssistantBatterie
    void SetVisible(bool visible) override { setVisible(visible); }
    bool Visible() const override { return isVisible(); }
    void Traduire() override { TraduireAssistantBatterie(); }

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // The note of the selected item, 0 when none is selected.
    int NoteSelectionnee() const;

    QWidget* cibleFocus_ = nullptr;
};
