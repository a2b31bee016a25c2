#pragma once
// The score painter on a recording canvas (6 pixels per character, texts TaillePixelsFonte + 3
// high) with the factory display settings: a 6-string staff at Y = 64 (strings 10 apart, so
// string s at 54 + 10 s), left margin 25, lines 152 high, a view 800 pixels wide.
#include "FixtureSaisie.h"

#include "document/Configuration.h"
#include "editor/Disposition.h"
#include "editor/Ecran.h"
#include "editor/Fontes.h"
#include "editor/Ligatures.h"
#include "editor/Scrolling.h"

#include <string>
#include <vector>

class FixtureEcran : public FixtureSaisie {
protected:
    static constexpr int kY = 64;
    static constexpr int kMG = 25;

    void SetUp() override
    {
        FixtureSaisie::SetUp();
        ecran_ = ParamEcranCourant;
        configuration_ = Configuration;
        ParamEcranCourant = TParamEcran{};
        Configuration = TCONFIG{};
        ReinitialiserPolicesLabels();
        ReinitialiserVuePartition();
        InitialiserEcran();
        LignesAffichage.LargeurDispo = 800;
        for (int t = 1; t <= kNbPistes; ++t)
            Mesure().Temps[t][1] = TTemps{};
    }

    void TearDown() override
    {
        InstallerPeintresPartition({});
        ReinitialiserVuePartition();
        ReinitialiserPolicesLabels();
        ParamEcranCourant = ecran_;
        Configuration = configuration_;
        FixtureSaisie::TearDown();
    }

    // Beams, layout, then line `ligne` on the recording canvas (cleared first).
    void Peindre(int ligne = 1)
    {
        const int courante = Partition.MesureCourante;
        LigaturerPartition();
        Partition.MesureCourante = courante;
        CouperLignes();
        canevas.Effacer();
        DessinerLigne(canevas, ligne, 800, HauteurLigne());
    }

    static int HauteurLigne()
    {
        return (Partition.NbCordes[PisteCourante] - 1) * ParamEcranCourant.EspLignes + ParamEcranCourant.EspPortees;
    }

    // x on the canvas of beat b of measure m after the layout.
    static int X(int b, int m = 1) { return kMG + Temps(b, m).XEcran; }

    using Trace = platform::CanevasEnregistreur::Trace;
    using Op = platform::CanevasEnregistreur::Operation;

    std::vector<Trace> TracesDe(Op op) const { return canevas.Traces(op); }

    // Texts drawn, as "text@x,y".
    std::vector<std::string> TextesPlaces() const
    {
        std::vector<std::string> r;
        for (const auto& t : canevas.Traces(Op::Texte))
            r.push_back(t.texte + "@" + std::to_string(t.points[0].x) + "," + std::to_string(t.points[0].y));
        return r;
    }

private:
    TParamEcran ecran_;
    TCONFIG configuration_;
};
