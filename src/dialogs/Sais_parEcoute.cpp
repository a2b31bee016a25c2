// Listening to the open strings of the track shown in the song properties dialog, and the lock
// on the controls that would change the sound while a song plays.
#include "dialogs/Sais_par.h"

#include "dialogs/BaseDialogue.h"
#include "document/Fichiers.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "midi/FichierEcoute.h"
#include "midi/Lecture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QToolButton>

#include <algorithm>
#include <string>
#include <vector>

// ---- Services ----------------------------------------------------------------------------------

bool TSais_Partition::LectureActive() { return Commandes().Enabled(Cmd::Ac_Son_Stop); }

bool TSais_Partition::BoutonEcouteEnfonce() const
{
    return std::find(ecoutesEnfoncees_.begin(), ecoutesEnfoncees_.end(), true) != ecoutesEnfoncees_.end();
}

void TSais_Partition::AppliquerVerrouLecture(bool verrouille)
{
    if (verrouille)
        ActualiserCordesPiste();
    std::vector<QWidget*> controles = {Instrument, InstrumentUp, InstrumentDown, BT_Instrument, Tempo,
                                       BT_TempoUp, BT_TempoDown, ModeleList, NbCordes, BT_NbCordesUp,
                                       BT_NbCordesDown, ToutUp, ToutDown, Triplet, EcouterTout,
                                       Capo, BT_CapoUp, BT_CapoDown, Solo, Muette,
                                       DouzeCordes, Volume, Panoramique, Chorus, Reverb};
    for (int k = 1; k <= kNbCordesMax; ++k)
        controles.insert(controles.end(), {NoteCorde[k], BT_CUp[k], BT_CDown[k], Ecouter[k]});
    for (QWidget* w : controles)
        w->setEnabled(!verrouille);
    if (!verrouille) {
        Muette->setEnabled(!ProprietesTempo.ModeSolo);
        DouzeCordes->setEnabled(NbCordesOnglet() == kNbCordesMax);
        ActualiserCordesPiste();
    }
}

// ---- Listening to the tuning -------------------------------------------------------------------

void TSais_Partition::EcouterClick(int ligne)
{
    QToolButton* clique = ligne == 0 ? EcouterTout : Ecouter[std::clamp(ligne, 1, kNbCordesMax)];
    // One group: at most one toggle down.
    if (clique->isChecked()) {
        if (clique != EcouterTout)
            EcouterTout->setChecked(false);
        for (int k = 1; k <= kNbCordesMax; ++k)
            if (Ecouter[k] != clique)
                Ecouter[k]->setChecked(false);
    }
    if (!MidiDisponible)
        return;
    int enfonce = -1;
    if (EcouterTout->isChecked())
        enfonce = 0;
    for (int k = 1; k <= kNbCordesMax; ++k)
        if (Ecouter[k]->isChecked())
            enfonce = k;
    if (enfonce < 0)
        return;
    CordeEcoutee = enfonce;
    if (!MediaPlayer1().Notify())
        JouerCordesPiste();
}

void TSais_Partition::JouerCordesPiste()
{
    // Letting the player's pending messages run may bring the end-of-play notification back
    // here: the outer call plays.
    if (jeuEnCours_)
        return;
    jeuEnCours_ = true;
    emit AuditionStarting();
    platform::LecteurMedia& lecteur = MediaPlayer1();
    lecteur.SetNotify(false);
    lecteur.Close();
    TEcouteCordes ecoute;
    ecoute.Piste = std::clamp<int32_t>(PisteOnglet, 1, kNbPistes);
    ecoute.Corde = CordeEcoutee;
    ecoute.Capo = std::to_string(ProprietesTempo.Capo[ecoute.Piste]);
    ecoute.DouzeCordes = ProprietesTempo.DouzeCordes[ecoute.Piste];
    // The rows whose listen buttons the screen enables.
    ecoute.Ecouter1Actif = RowInUse(1) && !LectureActive();
    ecoute.Ecouter2Actif = RowInUse(2) && !LectureActive();
    const std::string fichier = CheminFichierTemp();
    if (EcrireMidiEcouteAccordage(fichier, ecoute))
        JouerFichierEcoute(lecteur, fichier);
    jeuEnCours_ = false;
}
