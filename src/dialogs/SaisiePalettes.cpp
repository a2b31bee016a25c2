#include "dialogs/SaisiePalettes.h"

#include "document/Fenetre.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "editor/EditionTemps.h"
#include "editor/EtatCommandes.h"
#include "editor/Ligatures.h"
#include "midi/Lecture.h"

#include <algorithm>

namespace {

int NbCordesCourant() { return std::clamp<int32_t>(Partition.NbCordes[PisteCourante], 1, kNbCordesMax); }

} // namespace

bool EntrerNoteTempsCurseur(int frette)
{
    if (!PeutEcrireTempsCurseur())
        return false;
    SauverAnnulation();
    OccuperColonneLibre();
    TTemps& temps = TempsCurseur();
    temps.Silence = false;
    temps.Lie = false;
    Curseur.ChiffreEnAttente = false;
    NoteCurseur().Frette = static_cast<int8_t>(frette);

    TempsPrecedent = Curseur.Temps;
    CordePrecedente = Curseur.Corde;
    DessinerTempsSaisie(Curseur.Temps, true);
    LigaturerMesure(0);
    DessinerTrioletsSaisie();
    FenetrePrincipale().ZoneSaisieModifiee();
    return true;
}

bool EntrerSonPercussion(int note)
{
    if (PleinEcranActif || LectureEnCours() || PisteCourante != kPistePercussions)
        return false;
    if (note < 0 || note > FretteMax[PisteCourante] || !EntrerNoteTempsCurseur(note))
        return false;
    AfficherEtatMesure();
    ActualiserCommandes();
    return true;
}

std::vector<TNotePortee> NotesTempsCurseur()
{
    // The staff may be drawn before the first measure exists (shown at start-up).
    const int32_t m = Partition.MesureCourante;
    if (m < 1 || m > Partition.NbMesures || !Partition.Mesures[static_cast<std::size_t>(m)])
        return {};
    const int p = std::clamp<int32_t>(PisteCourante, 1, kNbPistes);
    return NotesPortee(TempsCurseur(), NbCordesCourant(), Partition.Accordage[p], FretteMax[p], Partition.Armure);
}

TClicPortee CliquerPositionPortee(int position, TBoutonAlteration bouton)
{
    // While a song plays, the measure and the one media player are the playback's.
    if (LectureEnCours())
        return TClicPortee::Rien;
    const int32_t m = Partition.MesureCourante;
    if (m < 1 || m > Partition.NbMesures || !Partition.Mesures[static_cast<std::size_t>(m)])
        return TClicPortee::Rien;

    const std::vector<TNotePortee> notes = NotesTempsCurseur();
    const auto montree = std::ranges::find(notes, position, &TNotePortee::Position);
    if (montree != notes.end()) {
        // The cursor box leaves its old string before the deletion redraws around the new one.
        TempsPrecedent = Curseur.Temps;
        CordePrecedente = Curseur.Corde;
        Curseur.Corde = montree->Corde;
        DessinerCurseur();
        LieAvantEffacement = TempsCurseur().Lie;
        EffacerNote();
        ActualiserCommandes();
        return TClicPortee::NoteEffacee;
    }

    const int p = std::clamp<int32_t>(PisteCourante, 1, kNbPistes);
    const int hauteur = HauteurPosition(position, Partition.Armure, bouton);
    std::array<int, kNbCordesMax + 1> frettes{};
    const TTemps& temps = TempsCurseur();
    for (int s = 1; s <= kNbCordesMax; ++s)
        frettes[static_cast<std::size_t>(s)] = temps.Notes[static_cast<std::size_t>(s)].Frette;
    const TChoixCorde choix = ChoisirCordePourHauteur(hauteur, NbCordesCourant(), Partition.Accordage[p], frettes,
                                                      FretteMax[p]);
    if (choix.Corde == 0 || !PeutEcrireTempsCurseur())
        return TClicPortee::Rien;

    Curseur.Corde = choix.Corde;
    EntrerNoteTempsCurseur(choix.Frette);
    if (Commandes().Checked(Cmd::Ac_Son_JouerSaisie) && MidiDisponible)
        JouerTempsSaisi();
    // Also after a preview file that could not be written (its writer has said so): the
    // note is in the beat, and the length display and the commands must show it.
    AfficherEtatMesure();
    ActualiserCommandes();
    return TClicPortee::NoteEntree;
}
