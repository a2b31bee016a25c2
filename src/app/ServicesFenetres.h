#pragma once
// The windows the program block builds around the main window: the print services with the
// windows of the print folder behind them (preview, ASCII tablature, preferences, browser,
// about), and the resident windows, created in their fixed order and installed for the editor.
// The program and the tests that drive the real window build the same two.
#include "dialogs/Ass_bat.h"
#include "dialogs/Classiq.h"
#include "dialogs/Dyna.h"
#include "dialogs/Sais_par.h"
#include "dialogs/SelMIDI.h"
#include "dialogs/SpeedT.h"
#include "print/TravailImpression.h"

#include <string>

class TForm1;

// The print engine's job and start-up, and each window its command opens, owned by the main
// window (Form1). Creating it also tells the preferences and the preview how to reach each
// other; destroying it unties them.
class TServicesImpressionProgramme : public TServicesImpressionTravail {
public:
    TServicesImpressionProgramme();
    ~TServicesImpressionProgramme() override;
    TServicesImpressionProgramme(const TServicesImpressionProgramme&) = delete;
    TServicesImpressionProgramme& operator=(const TServicesImpressionProgramme&) = delete;

    int Apercu() override;
    int ImporterASCII(std::string& cheminTexte) override;
    void ExporterASCII() override;
    int Preferences(bool& affichageApplique) override;
    int Parcourir() override;
    void SelectionnerMorceauSuivant() override;
    int SautApres() const override;
    void APropos() override;
};

// The resident windows over `fenetre`, in their order: MIDI import dialog, drum palette, (wait
// window,) song properties, speed trainer, staff palette, dynamics palette. The wait window
// belongs to the main window, which makes it when an import or an assistant first needs it.
// The dialogs among them (MIDI import, song properties, speed trainer) build their controls as
// they are first shown; the palettes, which the cursor's every move may redraw, build theirs at
// once.
// They are installed in the editor's services at creation and the stand-ins put back at
// destruction, which must come before the main window's.
class TFenetresResidentes {
public:
    explicit TFenetresResidentes(TForm1& fenetre);
    ~TFenetresResidentes();
    TFenetresResidentes(const TFenetresResidentes&) = delete;
    TFenetresResidentes& operator=(const TFenetresResidentes&) = delete;

    TSelMIDIForm SelMIDIForm;
    TAssistant_Bat_Form Assistant_Bat_Form;
    TSais_Partition Sais_Partition;
    TSpeedT_Form SpeedT_Form;
    TClassForm ClassForm;
    TDynaForm DynaForm;
};
