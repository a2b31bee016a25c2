#include "dialogs/Services.h"

namespace {

IAssistantBatterie assistantBatterieNul;
ISaisiePartition saisiePartitionNulle;
IPaletteSolfege paletteSolfegeNulle;
IPaletteNuances paletteNuancesNulle;
ISelectionMidi selectionMidiNulle;
IFenetreAttente fenetreAttenteNulle;
ISpeedTrainer speedTrainerNul;
IDialogues dialoguesNuls;

ServicesSaisie Nuls()
{
    return {&assistantBatterieNul, &saisiePartitionNulle, &paletteSolfegeNulle, &paletteNuancesNulle,
            &selectionMidiNulle,   &fenetreAttenteNulle,  &speedTrainerNul,     &dialoguesNuls};
}

ServicesSaisie enVigueur = Nuls();

template <class T>
void Remplacer(T*& cible, T* nouveau)
{
    if (nouveau)
        cible = nouveau;
}

} // namespace

ServicesSaisie& Saisie() { return enVigueur; }

void InstallerServicesSaisie(const ServicesSaisie& s)
{
    Remplacer(enVigueur.Assistant_Bat_Form, s.Assistant_Bat_Form);
    Remplacer(enVigueur.Sais_Partition, s.Sais_Partition);
    Remplacer(enVigueur.ClassForm, s.ClassForm);
    Remplacer(enVigueur.DynaForm, s.DynaForm);
    Remplacer(enVigueur.SelMIDIForm, s.SelMIDIForm);
    Remplacer(enVigueur.WaitMidiForm, s.WaitMidiForm);
    Remplacer(enVigueur.SpeedT_Form, s.SpeedT_Form);
    Remplacer(enVigueur.Dialogues, s.Dialogues);
}

void ReinitialiserServicesSaisie() { enVigueur = Nuls(); }
