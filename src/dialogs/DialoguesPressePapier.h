#pragma once
// The measure clipboard's dialogs on screen, for the Edit menu's Cut, Copy, Clear and Paste
// (editor/PressePapier.h): each method creates its dialog, shows it modally and reads it
// before freeing it.
#include "editor/PressePapier.h"

#include <functional>

class QDialog;
class QWidget;

class DialoguesPressePapierQt : public IDialoguesPressePapier {
public:
    explicit DialoguesPressePapierQt(QWidget* parent = nullptr);

    // How a dialog is shown: exec() by default. Tests put in a function that drives the
    // dialog and closes it.
    using Executeur = std::function<int(QDialog&)>;
    void DefinirExecuteur(Executeur executeur);

    // TCouperForm.
    bool Couper(int32_t& mesureDebut, int32_t& mesureFin) override;
    // TCopierForm in copy or clear mode; it keeps the track choice in CopierToutesPistes.
    bool Copier(ModeCopierForm mode, int32_t& mesureDebut, int32_t& mesureFin, bool& toutesPistes) override;
    // TSais_Paste_Form with the question for the clipboard; Yes gives the count and the place.
    bool Coller(bool toutesPistes, int32_t nbMesures, TChoixCollage& choix) override;

private:
    QWidget* parent_;
    Executeur executeur_;
};
