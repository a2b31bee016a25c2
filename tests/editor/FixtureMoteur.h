#pragma once
// A new song in the edit engine, with a recording main window, a recording edit image, a
// player that records what it is asked, a pinned edit-zone panel and the command table back at
// its start states. Helpers fill track parts with beats. Fixtures that register command
// handlers build on this one.
#include "document/Configuration.h"
#include "document/Fenetre.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "editor/EtatCommandes.h"
#include "editor/LecteurSaisie.h"
#include "platform/CanevasEnregistreur.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

// Records every call the engine and its commands make into the main window, as "Name" or
// "Name(args)".
class FenetreEnregistreuse : public IFenetrePrincipale {
public:
    std::vector<std::string> Appels;
    bool ReponseAllerA = false;
    int MesureChoisieAllerA = 1;
    bool PaletteNuances = false;
    int MesureAuRedemarrage = 0;

    // Defilement
    int MaxDefilement = -1, GrandPas = -1;
    bool DefilementActif = false;
    int PositionZone = -1, GaucheZone = 1;

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
    void TraiterMessagesEnAttente() override { Appels.push_back("TraiterMessagesEnAttente"); }
    void DimensionnerZoneSaisie(int largeur) override
    {
        Appels.push_back("DimensionnerZoneSaisie(" + std::to_string(largeur) + ")");
    }
    void ReglerDefilementSaisie(int max, int grandPas, bool actif) override
    {
        MaxDefilement = max;
        GrandPas = grandPas;
        DefilementActif = actif;
    }
    void PlacerZoneSaisie(int position, int gauche) override
    {
        PositionZone = position;
        GaucheZone = gauche;
        Appels.push_back("PlacerZoneSaisie(" + std::to_string(position) + ")");
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
    bool DialogueAllerAMesure() override
    {
        Appels.push_back("DialogueAllerAMesure");
        if (ReponseAllerA)
            Partition.MesureCourante = MesureChoisieAllerA;
        return ReponseAllerA;
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

class LecteurEnregistreur : public ILecteurSaisie {
public:
    bool Disponible = false;
    int Fermetures = 0;
    int BeatsJoues = 0;
    void FermerLecteur() override { ++Fermetures; }
    bool MidiDisponible() const override { return Disponible; }
    void JouerTempsSaisi() override { ++BeatsJoues; }
};

class FixtureMoteur : public ::testing::Test {
protected:
    FenetreEnregistreuse fenetre;
    LecteurEnregistreur lecteur;
    platform::CanevasEnregistreur canevas{2000, 153};

    void SetUp() override
    {
        InstallerFenetrePrincipale(&fenetre);
        InstallerLecteurSaisie(&lecteur);
        InstallerCanevasSaisie(&canevas);
        Commandes().Reinitialiser();
        PreparerCommandes();
        Configuration = TCONFIG{};
        ReinitialiserPartition();
        PartitionModifiee = false;
        PartitionVierge = true;
        Curseur.Temps = 1;
        Curseur.Corde = 1;
        Curseur.ChiffreEnAttente = false;
        PleinEcranActif = false;
        FermetureEnCours = false;
        PressePapierPlein = false;
        // Wide enough that no beat of these tests widens the image (which would redraw the whole
        // zone and end the undo availability).
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
        InstallerCanevasSaisie(nullptr);
        InstallerLecteurSaisie(nullptr);
        InstallerFenetrePrincipale(nullptr);
        Commandes().Reinitialiser();
    }

    // Between the reset of the command table and the new song: where a derived fixture
    // registers its handlers and sets what the song's layout depends on.
    virtual void PreparerCommandes() {}

    // Measures up to n (4/4 unless told), each track's free slot prepared.
    static void AvoirMesures(int n, int numerateur = 4, int denominateur = 4)
    {
        for (int m = Partition.NbMesures + 1; m <= n; ++m) {
            auto bloc = std::make_unique<TMesure>();
            bloc->Numerateur = static_cast<uint8_t>(numerateur);
            bloc->Denominateur = static_cast<uint8_t>(denominateur);
            bloc->Duree = numerateur * 4.0 / denominateur;
            Partition.Mesures[m] = std::move(bloc);
            Partition.NbMesures = m;
            for (int t = 1; t <= kNbPistes; ++t)
                InitialiserTempsSuivant(t, m);
        }
    }

    // Track part t of measure m: nb beats of that note value, each with fret `frette` on
    // string 1 (none when negative), then its free slot.
    static void Remplir(int m, int t, int nb, int code = 0, bool pointee = false, bool triolet = false, int frette = 0)
    {
        TMesure& bloc = *Partition.Mesures[m];
        bloc.NbTemps[t] = nb;
        for (int b = 1; b <= nb; ++b) {
            TTemps temps;
            temps.CodeDuree = static_cast<int8_t>(code);
            temps.Pointee = pointee;
            temps.Triolet = triolet;
            temps.PosTriolet = triolet ? static_cast<int8_t>((b - 1) % 3 + 1) : 0;
            temps.Duree = DureeEnTicks(code, pointee, triolet);
            if (frette >= 0)
                temps.Notes[1].Frette = static_cast<int8_t>(frette);
            bloc.Temps[t][b] = temps;
        }
        InitialiserTempsSuivant(t, m);
    }

    // Makes measure m current as a move would leave it: copy for cancel-measure, full redraw
    // (which shows the measure status the moves test) and the command states.
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

    static TTemps& Temps(int m, int t, int b) { return Partition.Mesures[m]->Temps[t][b]; }
    static TNoteCorde& Note(int m, int t, int b, int s) { return Temps(m, t, b).Notes[s]; }

    static void Taper(std::initializer_list<int> chiffres, uint8_t shift = Modif::Aucun)
    {
        for (int d : chiffres)
            SaisirChiffre(d, shift);
    }
};
