// The MIDI import dialog's listen buttons: the strings of the tab shown, played through the
// media player until their button is raised.
#include "dialogs/SelMIDI.h"

#include "document/Fichiers.h"
#include "document/Variable.h"
#include "midi/FichierEcoute.h"
#include "midi/Lecture.h"

#include <QToolButton>

#include <algorithm>
#include <string>

// ---- Listening -------------------------------------------------------------------------------

bool TSelMIDIForm::BoutonEcouteEnfonce() const
{
    return std::find(ecoutesEnfoncees_.begin(), ecoutesEnfoncees_.end(), true) != ecoutesEnfoncees_.end();
}

void TSelMIDIForm::RelacherEcoutes()
{
    for (int r = 1; r <= kNbCordesMax; ++r)
        Ecouter[static_cast<std::size_t>(r)]->setChecked(false);
    EcouterTout->setChecked(false);
}

void TSelMIDIForm::EcouterClick(int rangee)
{
    // One group: the button pressed down raises the others.
    const bool enfonce = Ecouter[static_cast<std::size_t>(rangee)]->isChecked();
    if (enfonce) {
        for (int r = 1; r <= kNbCordesMax; ++r)
            if (r != rangee)
                Ecouter[static_cast<std::size_t>(r)]->setChecked(false);
    }
    if (!MidiDisponible)
        return;
    EcouterTout->setChecked(false);
    if (!BoutonEcouteEnfonce())
        return;
    CordeEcoutee = rangee;
    if (!MediaPlayer1().NotificationPending())
        EcouterAccordage();
}

void TSelMIDIForm::EcouterToutClick()
{
    if (EcouterTout->isChecked())
        for (int r = 1; r <= kNbCordesMax; ++r)
            Ecouter[static_cast<std::size_t>(r)]->setChecked(false);
    if (!MidiDisponible)
        return;
    if (!BoutonEcouteEnfonce())
        return;
    CordeEcoutee = 0;
    if (!MediaPlayer1().NotificationPending())
        EcouterAccordage();
}

void TSelMIDIForm::EcouterAccordage()
{
    EnregistrerOnglet();
    platform::LecteurMedia& mp = MediaPlayer1();
    mp.SetNotify(false);
    mp.Close();
    const std::string fichier = CheminFichierTemp();
    TEcouteCordes ecoute;
    ecoute.Piste = PisteOnglet;
    ecoute.Corde = CordeEcoutee;
    ecoute.Ecouter1Actif = Ecouter[1]->isEnabled();
    ecoute.Ecouter2Actif = Ecouter[2]->isEnabled();
    const bool joue = EcrireMidiEcouteImport(fichier, ecoute) && JouerFichierEcoute(mp, fichier);
    // An audition that cannot play would be started again by every end of play: it ends here.
    if (!joue) {
        RelacherEcoutes();
        CordeEcoutee = -1;
    }
}

bool TSelMIDIForm::RelancerAudition()
{
    if (BoutonEcouteEnfonce()) {
        EcouterAccordage();
        return CordeEcoutee >= 0;
    }
    CordeEcoutee = -1;
    return false;
}
