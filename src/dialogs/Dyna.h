#pragma once
// The dynamics palette: a floating tool window with one button per dynamic (ppp..fff). A
// button gives its dynamic to the note under the cursor, or to every note of the beat while
// "apply to the chord" is down. The buttons are commands of the command list, which holds
// their enabled and down states (the command-state refresh sets them from the cursor note);
// the palette only mirrors those states and runs the commands.
#include "dialogs/Services.h"

#include <QWidget>

#include <array>

class QToolButton;

class TDynaForm : public QWidget, public IPaletteNuances {
    Q_OBJECT

public:
    // A tool window over `parent` (the main window), hidden until shown.
    explicit TDynaForm(QWidget* parent = nullptr);
    ~TDynaForm() override;

    std::array<QToolButton*, 9> BT_DynaNote{}; // 1..8: ppp..fff
    QToolButton* BT_Default = nullptr;
    QToolButton* BT_Apply = nullptr;

    // Captions and hints from "DLG_DYNA_000"; run at creation and after a language switch.
    void TraduireNuances();

    // Keys the palette receives go on to this widget (the main window's key handling);
    // without one, to the parent.
    void DefinirCibleTouches(QWidget* cible) { cibleTouches_ = cible; }

    // IPaletteNuances
    void SetVisible(bool visible) override { setVisible(visible); }
    bool Visible() const override { return isVisible(); }
    void BT_DynaNote_1Click(int tag) override;
    void Traduire() override { TraduireNuances(); }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void Synchroniser();

    int observateur_ = 0;
    QWidget* cibleTouches_ = nullptr;
};

// The handlers of BT_Default and BT_Apply in the command list: the dynamic whose button is
// down becomes the dynamic of new notes (pressing "apply to the chord" therefore stores it
// too). The palette registers them when it is created.
void BT_DefaultClick();
void EnregistrerCommandesNuances();
