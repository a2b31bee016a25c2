#pragma once
// The cut dialog: the range of measures that Edit, Cut takes out of the song. A cut always
// works on all tracks: the track choice sits below the visible area, checked on all tracks
// and disabled, and the note in the frame tells the user so.
#include "dialogs/PlageMesures.h"

class QFrame;
class QRadioButton;

class TCouperForm : public TDialoguePlage {
    Q_OBJECT

public:
    explicit TCouperForm(QWidget* parent = nullptr);

    static constexpr int ContexteAideCouper = 6;

    QFrame* Bevel1 = nullptr;
    QLabel* Texte = nullptr;
    QRadioButton* ToutesPistes = nullptr;
    QRadioButton* PisteEnCours = nullptr;

    void TraduireCouper();

protected:
    // Both fields := the current measure.
    void Activation() override;
};
