#pragma once
// A new song with the handlers of the edit, measure, note, effect and dynamic commands and of
// the track and layout commands registered, a main window that records what it is asked,
// dialogs that answer as each test says, and a player that counts the beats played.
#include "document/Configuration.h"
#include "document/Fenetre.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/CommandesEdition.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "editor/EtatCommandes.h"
#include "editor/LecteurSaisie.h"
#include "editor/Pistes.h"
#include "editor/Scrolling.h"
#include "platform/CanevasEnregistreur.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Records every call the commands make into the main window, as "Name" or "Name(args)".
class FenetreCommandes : public IFenetrePrincipale {
public:
    std::vector<std::string> Appels;
    bool PaletteNuances = false;
    int MesureAuRedemarrage = 0;

    bool A(const std::string& appel) const { return std::ranges::find(Appels, appel) != Appels.end(); }
    int Compte(const std::string& appel) const { return static_cast<int>(std::ranges::count(Appels, appel)); }
    // Position of the first such call, or -1.
    int Rang(const std::string& appel) const
    {
        const auto it = std::ranges::find(Appels, appel);
        return it == Appels.end() ? -1 : static_cast<int>(it - Appels.begin());
    }

    void ActualiserMenuPistes() override { Appels.push_back("ActualiserMenuPistes"); }
    void ColorerBoutonPiste(int piste) override
    {
        CalculerCouleurBoutonPiste(piste);
        Appels.push_back("ColorerBoutonPiste(" + std::to_string(piste) + ")");
    }
    void RedessinerLignesModifiees(int mesure) override
    {
        Appels.push_back("RedessinerLignesModifiees(" + std::to_string(mesure) + ")");
    }
    void RedessinerPartition() override { Appels.push_back("RedessinerPartition"); }
    void PlacerCadreMesure() override { Appels.push_back("PlacerCadreMesure"); }
    void MontrerPalettePercussion(bool visible) override
    {
        Appels.push_back(std::string("MontrerPalettePercussion(") + (visible ? "1" : "0") + ")");
    }
    void OuvrirPercussionFinLecture() override { Appels.push_back("OuvrirPercussionFinLecture"); }
    void ArreterLecturePourClic() override { Appels.push_back("ArreterLecturePourClic"); }
    void RelancerLectureApresClic() override
    {
        MesureAuRedemarrage = Partition.MesureCourante;
        Appels.push_back("RelancerLectureApresClic");
    }
    void OuvrirMenuPartition(int bande, int x, int y) override
    {
        Appels.push_back("OuvrirMenuPartition(" + std::to_string(bande) + "," + std::to_string(x) + "," +
                         std::to_string(y) + ")");
    }
    void DisposerPanneaux() override { Appels.push_back("DisposerPanneaux"); }
    void AppliquerPleinEcran(bool actif) override
    {
        Appels.push_back(std::string("AppliquerPleinEcran(") + (actif ? "1" : "0") + ")");
    }
    void MontrerPaletteNuances(bool visible) override
    {
        PaletteNuances = visible;
        Appels.push_back(std::string("MontrerPaletteNuances(") + (visible ? "1" : "0") + ")");
    }
    bool PaletteNuancesVisible() override { return PaletteNuances; }
};

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

class LecteurCompteur : public ILecteurSaisie {
public:
    int BeatsJoues = 0;
    bool MidiDisponible() const override { return true; }
    void JouerTempsSaisi() override { ++BeatsJoues; }
};

class FixtureCommandesEdition : public ::testing::Test {
protected:
    FenetreCommandes fenetre;
    DialoguesFactices dialogues;
    LecteurCompteur lecteur;
    platform::CanevasEnregistreur canevas{2000, 153};
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
        lecteur = LecteurCompteur{};
        fenetre.PaletteNuances = false;
        InstallerFenetrePrincipale(&fenetre);
        InstallerLecteurSaisie(&lecteur);
        InstallerCanevasSaisie(&canevas);
        InstallerDialoguesEdition(&dialogues);
        ReinitialiserVuePartition();
        Commandes().Reinitialiser();
        EnregistrerCommandesEdition();
        EnregistrerCommandesPistes();
        // Play-while-entering on, so that the beats a command plays are counted.
        Commandes().SetChecked(Cmd::Ac_Son_JouerSaisie, true);
        Configuration = TCONFIG{};
        ParamEcranCourant.EspLignes = 10;
        ParamEcranCourant.MargeGaucheLignes = 25;
        ReinitialiserPartition();
        PartitionModifiee = false;
        PartitionVierge = true;
        Curseur.Temps = 1;
        Curseur.Corde = 1;
        Curseur.ChiffreEnAttente = false;
        PleinEcranActif = false;
        PleinEcranChoisi = false;
        FermetureEnCours = false;
        PressePapierPlein = false;
        // Wide enough that no beat widens the edit image (a full redraw would end undo).
        LargeurPanneauSaisie = 4000;
        PositionDefilementSaisie = 0;
        MesureAnnulation = *Partition.Mesures[1];
        CopieMesureEntree = *Partition.Mesures[1];
        for (int t = 1; t <= kNbPistes; ++t)
            CalculerCouleurBoutonPiste(t);
        ActualiserCommandes();
        fenetre.Appels.clear();
    }

    void TearDown() override
    {
        for (const auto& d : TableCommandes())
            Commandes().Enregistrer(d.Id, nullptr);
        Commandes().Reinitialiser();
        InstallerDialoguesEdition(nullptr);
        InstallerCanevasSaisie(nullptr);
        InstallerLecteurSaisie(nullptr);
        InstallerFenetrePrincipale(nullptr);
        ReinitialiserVuePartition();
        PleinEcranActif = false;
        PleinEcranChoisi = false;
        ParamEcranCourant = ecranAvant;
    }

    // Measures up to n, 4/4, each track's free slot prepared.
    static void AvoirMesures(int n)
    {
        for (int m = Partition.NbMesures + 1; m <= n; ++m) {
            Partition.Mesures[m] = std::make_unique<TMesure>();
            Partition.NbMesures = m;
            for (int t = 1; t <= kNbPistes; ++t)
                InitialiserTempsSuivant(t, m);
        }
    }

    // Track part t of measure m: nb quarter beats with fret `frette` on string 1 (none when
    // negative), then its free slot.
    static void Remplir(int m, int t, int nb, int frette = 5)
    {
        TMesure& bloc = *Partition.Mesures[m];
        bloc.NbTemps[t] = nb;
        for (int b = 1; b <= nb; ++b) {
            TTemps temps;
            if (frette >= 0)
                temps.Notes[1].Frette = static_cast<int8_t>(frette);
            bloc.Temps[t][b] = temps;
        }
        InitialiserTempsSuivant(t, m);
    }

    // Measure m current, the cursor on (temps, corde), as a move leaves it.
    static void Entrer(int m, int temps = 1, int corde = 1)
    {
        Partition.MesureCourante = m;
        Curseur.Temps = temps;
        Curseur.Corde = corde;
        CopieMesureEntree = *Partition.Mesures[m];
        RedessinerMesure();
        Commandes().SetEnabled(Cmd::BT_AnnulerMesure, false);
        ActualiserCommandes();
    }

    // A playback running, as the play commands leave the command list.
    static void Jouer(bool enCours)
    {
        Commandes().SetEnabled(Cmd::Ac_Son_LectureDebut, !enCours);
        Commandes().SetEnabled(Cmd::Ac_Son_Stop, enCours);
    }

    static TMesure& Bloc(int m) { return *Partition.Mesures[m]; }
    static TTemps& Temps(int m, int t, int b) { return Partition.Mesures[m]->Temps[t][b]; }
    static TNoteCorde& Note(int m, int t, int b, int s) { return Temps(m, t, b).Notes[s]; }
    static TTemps& TempsCourant() { return TempsCurseur(); }
    static TNoteCorde& NoteCourante() { return NoteCurseur(); }
};
