#include "app/ServicesFenetres.h"

#include "app/Main.h"
#include "app/PlacementPalettes.h"
#include "app/VuePartition.h"
#include "controls/CxEdit.h"
#include "dialogs/Services.h"
#include "print/Apropos.h"
#include "print/Browse.h"
#include "print/ImpASCII.h"
#include "print/Pref.h"
#include "print/PrefLogique.h"
#include "print/TestASCI.h"
#include "print/preview.h"

#include <QMenuBar>
#include <QScrollBar>

// ---- Print services -----------------------------------------------------------------------------

TServicesImpressionProgramme::TServicesImpressionProgramme()
{
    // The preferences' Preview button opens the preview, or returns to the one it came from;
    // the preview's set-up button opens the preferences on their printing page.
    InstallerApercuPreferences({[] { MontrerApercu(Form1); }, [] { return ApercuOuvert; }});
    TPreview_Form::InstallerPreferences([] { return ExecuterPreferences(PagePreferences::Impression); });
}

TServicesImpressionProgramme::~TServicesImpressionProgramme()
{
    InstallerApercuPreferences({});
    TPreview_Form::InstallerPreferences({});
}

int TServicesImpressionProgramme::Apercu() { return MontrerApercu(Form1); }

int TServicesImpressionProgramme::ImporterASCII(std::string& cheminTexte)
{
    return ExecuterImportASCII(Form1, cheminTexte);
}

void TServicesImpressionProgramme::ExporterASCII() { ExecuterExportASCII(Form1); }

int TServicesImpressionProgramme::Preferences(bool& affichageApplique)
{
    return AfficherPreferences(PagePreferences::General, affichageApplique);
}

int TServicesImpressionProgramme::Parcourir() { return ExecuterParcours(); }

void TServicesImpressionProgramme::SelectionnerMorceauSuivant() { SelectionnerMorceauSuivantParcours(); }

int TServicesImpressionProgramme::SautApres() const { return SautApresParcours(); }

void TServicesImpressionProgramme::APropos() { AfficherAPropos(); }

// ---- Resident windows ---------------------------------------------------------------------------

TFenetresResidentes::TFenetresResidentes(TForm1& fenetre)
    : SelMIDIForm(&fenetre, Controles::AuPremierAffichage), Assistant_Bat_Form(&fenetre),
      Sais_Partition(&fenetre, Controles::AuPremierAffichage), SpeedT_Form(&fenetre, Controles::AuPremierAffichage),
      ClassForm(&fenetre), DynaForm(&fenetre)
{
    ServicesSaisie residents = Saisie();
    residents.SelMIDIForm = &SelMIDIForm;
    residents.Assistant_Bat_Form = &Assistant_Bat_Form;
    residents.Sais_Partition = &Sais_Partition;
    residents.SpeedT_Form = &SpeedT_Form;
    residents.ClassForm = &ClassForm;
    residents.DynaForm = &DynaForm;
    InstallerServicesSaisie(residents);

    fenetre.DefinirDialogueImportMidi([this] { return SelMIDIForm.Executer(); });
    EnregistrerCommandeSpeedTrainer(&SpeedT_Form);
    // Keys typed on the palettes are the main window's, and a click on the drum palette gives
    // the focus back to its hidden memo.
    ClassForm.DefinirCibleTouches(fenetre.Ed_Invisible());
    Assistant_Bat_Form.DefinirCibleFocus(fenetre.Ed_Invisible());
    DynaForm.DefinirCibleTouches(fenetre.Ed_Invisible());
    // Where the user works: the menus, the note values, the edit zone and the status bar.
    std::vector<QWidget*> travail{fenetre.menuBar(), fenetre.ScrollBarZoneSaisie()};
    for (const char* nom : {"PanelBarreBoutons2", "PanelBarreBoutons3", "PanelZoneSaisie", "PanelNumMesure",
                            "PanelNbTps", "PanelNbTps2", "PanelTextCom"})
        if (auto* w = fenetre.findChild<QWidget*>(QString::fromLatin1(nom)))
            travail.push_back(w);
    const std::vector<QWidget*> palettes{&ClassForm, &Assistant_Bat_Form, &DynaForm};
    for (QWidget* palette : palettes)
        PlacerPaletteAuPremierAffichage(palette, &fenetre, fenetre.ZoneAffichage(), travail, palettes);
}

TFenetresResidentes::~TFenetresResidentes()
{
    ReinitialiserServicesSaisie();
    // The speed trainer's handler points at the window that goes.
    Commandes().Enregistrer(Cmd::Ac_Ass_SpeedTrainer, nullptr);
    if (Form1)
        Form1->DefinirDialogueImportMidi({});
}
