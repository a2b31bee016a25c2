#pragma once
// The automatic placement dialog: the range of measures of the current track whose strings
// and frets the fingering optimiser chooses again. It opens on the whole song from the
// current measure on.
#include "dialogs/PlageMesures.h"

class TRepositForm : public TDialoguePlage {
    Q_OBJECT

public:
    explicit TRepositForm(QWidget* parent = nullptr);

    static constexpr int ContexteAideReposit = 15;

    QPushButton* BT_Aide = nullptr;

    void TraduireReposit();

protected:
    // First := the current measure, last := the number of measures.
    void Activation() override;
};
