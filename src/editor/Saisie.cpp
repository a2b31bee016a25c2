#include "editor/Saisie.h"

#include "document/Configuration.h"
#include "document/Fenetre.h"
#include "editor/Commandes.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "editor/EtatCommandes.h"
#include "editor/LecteurSaisie.h"
#include "editor/Ligatures.h"

#include <algorithm>
#include <charconv>

namespace {

// A preview may still be sounding through the one media player: it ends before the edit.
void FermerLecteurEtTraiterMessages()
{
    LecteurSaisie().FermerLecteur();
    FenetrePrincipale().TraiterMessagesEnAttente();
}

// Ctrl + digit: the track switch of the track buttons, without the score-view frame and the
// drum palette.
void ChangerPisteParChiffre(int piste)
{
    PisteCourante = piste;
    Curseur.Temps = 1;
    Curseur.Corde = 1;
    RedessinerMesure();
    Commandes().SetEnabled(Cmd::BT_AnnulerMesure, false);
    Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, false);
    ApresChangementMesure();
    FenetrePrincipale().RedessinerPartition();
    ActualiserCommandes();
    CopieMesureEntree = MesureEnCours();
    FenetrePrincipale().ActualiserMenuPistes();
    FenetrePrincipale().ZoneSaisieModifiee();
}

// The beat under the cursor becomes a played beat: the free column turns into a beat, and a
// rest or a tie gives way to the note.
void PreparerTempsJoue()
{
    OccuperColonneLibre();
    TTemps& temps = TempsCurseur();
    temps.Silence = false;
    temps.Lie = false;
}

// A note typed on an empty string takes the configured dynamic; an existing note keeps its own.
void NuanceParDefautSiVide(TNoteCorde& note)
{
    if (note.Frette < 0)
        note.Nuance = static_cast<uint8_t>(Configuration.DefaultDynamic & 0xFF);
}

// The touched beat, its beams and the triplet row; the score view is left alone.
void RedessinerTempsCurseur()
{
    TempsPrecedent = Curseur.Temps;
    CordePrecedente = Curseur.Corde;
    DessinerTempsSaisie(Curseur.Temps, true);
    LigaturerMesure(0);
    DessinerTrioletsSaisie();
}

void JouerSiDemande()
{
    if (Commandes().Checked(Cmd::Ac_Son_JouerSaisie) && LecteurSaisie().MidiDisponible())
        LecteurSaisie().JouerTempsSaisi();
}

void ApresSaisieFrette()
{
    RedessinerTempsCurseur();
    JouerSiDemande();
    AfficherEtatMesure();
    FenetrePrincipale().ZoneSaisieModifiee();
}

bool FretteJouable(int frette) { return frette >= 0 && frette <= FretteMax[PisteCourante]; }

void DeplacerNote(int sens)
{
    const int p = PisteCourante;
    const int s = Curseur.Corde;
    const int nbCordes = std::clamp<int32_t>(Partition.NbCordes[p], 1, kNbCordesMax);
    if (s < 1 || s > nbCordes)
        return;
    TTemps& temps = TempsCurseur();
    const int f = temps.Notes[s].Frette;
    if (!FretteJouable(f) || temps.Silence)
        return;

    int cible = 0;
    int fretteCible = 0;
    for (int s2 = s + sens; s2 >= 1 && s2 <= nbCordes; s2 += sens) {
        // The same pitch on the other string.
        const int f2 = f - (Partition.Accordage[p][s2] - Partition.Accordage[p][s]);
        if (temps.Notes[s2].Frette < 0 && FretteJouable(f2)) {
            cible = s2;
            fretteCible = f2;
            break;
        }
    }
    if (cible == 0)
        return;

    SauverAnnulation();
    Curseur.ChiffreEnAttente = false;
    TNoteCorde& source = temps.Notes[s];
    TNoteCorde& dest = temps.Notes[cible];
    dest.Frette = static_cast<int8_t>(fretteCible);
    dest.Effet = source.Effet;
    dest.ValeurBend = source.ValeurBend;
    dest.Nuance = source.Nuance;
    source.Frette = kPasDeNote;
    source.Effet = 0;
    source.ValeurBend = 1.0;
    source.Nuance = 6;
    TempsPrecedent = Curseur.Temps;
    CordePrecedente = s;
    Curseur.Corde = cible;
    DessinerCurseur();
    FenetrePrincipale().ZoneSaisieModifiee();
}

} // namespace

void SaisirChiffre(int chiffre, uint8_t shift)
{
    FermerLecteurEtTraiterMessages();
    if (shift == Modif::Ctrl) {
        if (chiffre >= 1 && chiffre <= kNbPistes)
            ChangerPisteParChiffre(chiffre);
        return;
    }
    if (PleinEcranActif || chiffre < 0 || chiffre > 9 || !PeutEcrireTempsCurseur())
        return;

    SauverAnnulation();
    PreparerTempsJoue();

    TNoteCorde& note = NoteCurseur();
    const int max = FretteMax[PisteCourante];
    int valeur = chiffre;
    if (Curseur.ChiffreEnAttente && FretteJouable(note.Frette)) {
        valeur = note.Frette * 10 + chiffre;
        if (valeur > max)
            valeur = chiffre;
        Curseur.ChiffreEnAttente = false;
    } else {
        Curseur.ChiffreEnAttente = chiffre >= 1 && chiffre <= max / 10;
    }
    NuanceParDefautSiVide(note);
    note.Frette = static_cast<int8_t>(valeur);

    ApresSaisieFrette();
}

void Turbo00Click(std::string_view nomItem)
{
    // "Turbo07": the fret is in characters 6 and 7.
    if (nomItem.size() < 7)
        return;
    const std::string_view chiffres = nomItem.substr(5, 2);
    int frette = -1;
    const auto [fin, erreur] = std::from_chars(chiffres.data(), chiffres.data() + chiffres.size(), frette);
    if (erreur != std::errc() || fin != chiffres.data() + chiffres.size())
        return;
    ChoisirFretteMenu(frette);
}

void ChoisirFretteMenu(int frette)
{
    if (frette < 0 || frette > 24 || !PeutEcrireTempsCurseur())
        return;
    SauverAnnulation();
    PreparerTempsJoue();
    Curseur.ChiffreEnAttente = false;
    TNoteCorde& note = NoteCurseur();
    NuanceParDefautSiVide(note);
    note.Frette = static_cast<int8_t>(frette);
    ApresSaisieFrette();
    ActualiserCommandes();
}

void MettreNoteEtouffee()
{
    if (PisteCourante == kPistePercussions)
        return;
    FermerLecteurEtTraiterMessages();
    if (!PeutEcrireTempsCurseur())
        return;
    SauverAnnulation();
    PreparerTempsJoue();
    TNoteCorde& note = NoteCurseur();
    NuanceParDefautSiVide(note);
    note.Frette = kNoteMorte;
    note.Effet = 0;
    Curseur.ChiffreEnAttente = false;
    ApresSaisieFrette();
}

void DeplacerNoteHaut() { DeplacerNote(-1); }

void DeplacerNoteBas() { DeplacerNote(+1); }
