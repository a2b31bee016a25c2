#pragma once
// The edit commands' dialogs on screen: each method creates its dialog over the main window,
// shows it modally, and answers true for OK once the dialog has written the song. The chord
// and mix-table dialogs live elsewhere and are reached through the two callbacks, which
// answer Cancel until they are set.
#include "editor/CommandesEdition.h"

#include <functional>

class QDialog;
class QWidget;

class DialoguesEditionQt : public IDialoguesEdition {
public:
    explicit DialoguesEditionQt(QWidget* parent = nullptr);

    // How a dialog is shown: exec() by default. Tests put in a function that drives the
    // dialog and closes it.
    using Executeur = std::function<int(QDialog&)>;
    void DefinirExecuteur(Executeur executeur);

    std::function<bool()> DialogueAccord;
    std::function<bool()> DialogueTableMix;

    bool TableMix() override;
    bool Signature() override;
    bool NombreRenvois() override;
    bool NumeroRepetition(int32_t suggestion) override;
    bool Accord() override;
    bool Texte() override;
    bool Bend() override;
    bool BendRelease() override;
    bool CoupDeVibrato() override;
    bool NoteGrace(bool noteMorte, int32_t frette) override;
    bool Brush(int32_t direction) override;

    // The go-to-measure dialog; the main window answers DialogueAllerAMesure with it.
    bool AllerAMesure();

private:
    bool Montrer(QDialog& dialogue);

    QWidget* parent_;
    Executeur executeur_;
};
