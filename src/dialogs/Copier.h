#pragma once
// The copy-and-clear dialog: the range of measures that Edit, Copy puts into the measure
// clipboard or Edit, Clear empties, on all tracks or on the current track. The track choice
// is remembered in CopierToutesPistes as soon as OK is pressed, so it survives a refused range
// and a later Cancel, and the next opening starts from it.
#include "dialogs/PlageMesures.h"
#include "editor/PressePapier.h"

class QRadioButton;

class TCopierForm : public TDialoguePlage {
    Q_OBJECT

public:
    explicit TCopierForm(QWidget* parent = nullptr);

    static constexpr int ContexteAideCopier = 6;

    QRadioButton* ToutesPistes = nullptr;
    QRadioButton* PisteEnCours = nullptr;

    // Set by the caller after creating the form, before TraduireCopier: the caption follows it.
    ModeCopierForm Mode = ModeCopierForm::Copier;

    // The captions: the form's caption is the copy or the clear one by Mode.
    void TraduireCopier();

protected:
    // Both fields := the current measure; the track choice := CopierToutesPistes.
    void Activation() override;
    // CopierToutesPistes := ToutesPistes checked.
    void AvantControle() override;
};
