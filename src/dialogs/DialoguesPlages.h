#pragma once
// The dialogs of the print command and of the track assistants on screen, answering their
// part of the entry dialogs' service (dialogs/Services.h): the page range, the transposition,
// the re-split confirmation, the automatic placement range and the let-ring selector. Each
// method creates its dialog, shows it modally and reads it before freeing it.
//
// The other dialogs of that service keep their stand-ins here; a window that answers them too
// derives from this class.
#include "dialogs/Services.h"

#include <functional>
#include <optional>
#include <string>

class QDialog;
class QWidget;

class DialoguesPlagesQt : public IDialogues {
public:
    explicit DialoguesPlagesQt(QWidget* parent = nullptr);

    // How a dialog is shown: exec() by default. Tests put in a function that drives the
    // dialog and closes it.
    using Executeur = std::function<int(QDialog&)>;
    void DefinirExecuteur(Executeur executeur);

    // The main window's printer set-up, run by the print dialog's set-up button: the name of
    // the printer then selected (Windows-1252), nothing when cancelled.
    std::function<std::optional<std::string>()> ConfigurerImprimante;

    // TPrintForm showing the printer `imprimante` (Windows-1252); OK gives the pages (0 and 0:
    // all; a lone first page printed alone, a reversed range in order).
    int Impression(const std::string& imprimante, int32_t& premierePage, int32_t& dernierePage) override;
    // TTransposerForm: OK gives -12..+12.
    int Transposer(int32_t& demiTons) override;
    // TConfRedecForm: Oui (6) or Non (7).
    int ConfirmerRedecoupage() override;
    // TRepositForm: OK gives a range within the song.
    int PlacementAuto(int32_t& mesureDebut, int32_t& mesureFin) override;
    // TLetRingAssistantForm: OK has changed the notes.
    int SelecteurLetRing() override;

protected:
    QWidget* Parent() const { return parent_; }
    int Montrer(QDialog& dialogue) { return executeur_(dialogue); }

private:
    QWidget* parent_;
    Executeur executeur_;
};
