#pragma once
// The edit engine with the beat edits and the key map: a main window that also records the
// keyboard's and mouse's calls (track arrows, fret popup, drum palette, message pumping), the
// handlers of the beat-edit commands registered, recording handlers for the playback and
// chord commands, and a score view with room to scroll.
#include "FixtureMoteur.h"

#include "editor/Clavier.h"
#include "editor/EditionTemps.h"
#include "editor/Scrolling.h"

#include <functional>
#include <map>

class FenetreClavier : public FenetreEnregistreuse {
public:
    bool PaletteVisible = false;
    bool LecteurOuvert = false;
    int MenuX = -1, MenuY = -1;
    // Run on each message pump (a key release arriving in the middle of a loop).
    std::function<void(int)> AuMessage;
    int Messages = 0;

    bool PalettePercussionVisible() override { return PaletteVisible; }
    bool LecteurMidiOuvert() override { return LecteurOuvert; }
    void MontrerPalettePercussion(bool visible) override
    {
        PaletteVisible = visible;
        FenetreEnregistreuse::MontrerPalettePercussion(visible);
    }
    void PisteUpClick() override { Appels.push_back("PisteUpClick"); }
    void PisteDownClick() override { Appels.push_back("PisteDownClick"); }
    void OuvrirMenuFrettes(int x, int y) override
    {
        MenuX = x;
        MenuY = y;
        Appels.push_back("OuvrirMenuFrettes");
    }
    void TraiterMessagesEnAttente() override
    {
        ++Messages;
        if (AuMessage)
            AuMessage(Messages);
    }
};

class FixtureClavier : public FixtureMoteur {
protected:
    FenetreClavier fenetreClavier;
    // Commands run by a recording handler, in order.
    std::vector<Cmd> Executees;

    void SetUp() override
    {
        FixtureMoteur::SetUp();
        InstallerFenetrePrincipale(&fenetreClavier);
        ReinitialiserClavier();
        LieAvantEffacement = false;
        Executees.clear();
        EnregistrerCommandesEditionTemps();
        for (Cmd c : {Cmd::Ac_Son_LectureDebut, Cmd::Ac_Son_LecturePosEC, Cmd::Ac_Son_LectureMesureEC,
                      Cmd::Ac_Son_Stop, Cmd::Ac_Note_Accord})
            Commandes().Enregistrer(c, [this](Cmd e) { Executees.push_back(e); });
        ReinitialiserVuePartition();
        AffichagePartition.Defilement.Max = 100000;
        AffichagePartition.Defilement.PetitPas = 15;
    }

    void TearDown() override
    {
        for (const auto& d : TableCommandes())
            Commandes().Enregistrer(d.Id, nullptr);
        ReinitialiserVuePartition();
        ReinitialiserClavier();
        FixtureMoteur::TearDown();
    }

    // Playback as the play commands leave the command states.
    static void Jouer()
    {
        Commandes().SetEnabled(Cmd::Ac_Son_LectureDebut, false);
        Commandes().SetEnabled(Cmd::Ac_Son_Stop, true);
    }

    static TTemps& Beat(int b) { return Temps(Partition.MesureCourante, PisteCourante, b); }
    static int N() { return Partition.Mesures[Partition.MesureCourante]->NbTemps[PisteCourante]; }
};
