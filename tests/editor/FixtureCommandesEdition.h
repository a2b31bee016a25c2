#pragma once
// The engine fixture with the handlers of the edit, measure, note, effect and dynamic commands
// and of the track and layout commands registered, dialogs that answer as each test says, and a
// player that has MIDI and counts the beats played.
#include "FixtureMoteur.h"
#include "editor/CommandesEdition.h"
#include "editor/Pistes.h"
#include "editor/Scrolling.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// Dialogs whose answer and writing each test sets; every call is recorded.
class DialoguesFactices : public IDialoguesEdition {
public:
    std::vector<std::string> Appels;
    bool Reponse = true;
    // Written into the song before an OK (the dialog's own work).
    std::function<void()> Ecrire;
    int SuggestionRecue = 0;
    bool NoteMorteRecue = false;
    int FretteRecue = -2;
    int DirectionRecue = 0;

    bool A(const std::string& appel) const { return std::ranges::find(Appels, appel) != Appels.end(); }

    bool TableMix() override { return Repondre("TableMix"); }
    bool Signature() override { return Repondre("Signature"); }
    bool NombreRenvois() override { return Repondre("NombreRenvois"); }
    bool NumeroRepetition(int32_t suggestion) override
    {
        SuggestionRecue = suggestion;
        return Repondre("NumeroRepetition");
    }
    bool Accord() override { return Repondre("Accord"); }
    bool Texte() override { return Repondre("Texte"); }
    bool Bend() override { return Repondre("Bend"); }
    bool BendRelease() override { return Repondre("BendRelease"); }
    bool CoupDeVibrato() override { return Repondre("CoupDeVibrato"); }
    bool NoteGrace(bool noteMorte, int32_t frette) override
    {
        NoteMorteRecue = noteMorte;
        FretteRecue = frette;
        return Repondre("NoteGrace");
    }
    bool Brush(int32_t direction) override
    {
        DirectionRecue = direction;
        return Repondre("Brush");
    }

private:
    bool Repondre(const char* nom)
    {
        Appels.emplace_back(nom);
        if (Reponse && Ecrire)
            Ecrire();
        return Reponse;
    }
};

class FixtureCommandesEdition : public FixtureMoteur {
protected:
    DialoguesFactices dialogues;
    TParamEcran ecranAvant;
    bool ecranSauve = false;

    // Tests that walk a table of cases call SetUp and TearDown again for each case.
    void SetUp() override
    {
        if (!ecranSauve) {
            ecranAvant = ParamEcranCourant;
            ecranSauve = true;
        }
        dialogues = DialoguesFactices{};
        lecteur = LecteurEnregistreur{};
        lecteur.Disponible = true;
        fenetre.PaletteNuances = false;
        FixtureMoteur::SetUp();
    }

    void PreparerCommandes() override
    {
        InstallerDialoguesEdition(&dialogues);
        ReinitialiserVuePartition();
        EnregistrerCommandesEdition();
        EnregistrerCommandesPistes();
        // Play-while-entering on, so that the beats a command plays are counted.
        Commandes().SetChecked(Cmd::Ac_Son_JouerSaisie, true);
        ParamEcranCourant.EspLignes = 10;
        ParamEcranCourant.MargeGaucheLignes = 25;
        PleinEcranChoisi = false;
    }

    void TearDown() override
    {
        for (const auto& d : TableCommandes())
            Commandes().Enregistrer(d.Id, nullptr);
        InstallerDialoguesEdition(nullptr);
        FixtureMoteur::TearDown();
        ReinitialiserVuePartition();
        PleinEcranActif = false;
        PleinEcranChoisi = false;
        ParamEcranCourant = ecranAvant;
    }

    // Track part t of measure m: nb quarter beats with fret `frette` on string 1 (none when
    // negative), then its free slot.
    static void Remplir(int m, int t, int nb, int frette = 5) { FixtureMoteur::Remplir(m, t, nb, 0, false, false, frette); }

    // A playback running, as the play commands leave the command list.
    static void Jouer(bool enCours)
    {
        Commandes().SetEnabled(Cmd::Ac_Son_LectureDebut, !enCours);
        Commandes().SetEnabled(Cmd::Ac_Son_Stop, enCours);
    }

    static TMesure& Bloc(int m) { return *Partition.Mesures[m]; }
    static TTemps& TempsCourant() { return TempsCurseur(); }
    static TNoteCorde& NoteCourante() { return NoteCurseur(); }
};
