#pragma once
// The print engine on a recording canvas at a printer's resolution: a new song on track 1 (six
// strings, standard tuning), the factory print settings, the English texts, and the engine
// initialised as at start-up. Texts measure 6 pixels per character on the recording canvas.
#include "document/Configuration.h"
#include "document/Langue.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "editor/DessinSaisie.h"
#include "editor/Fontes.h"
#include "editor/Ligatures.h"
#include "platform/Arrondi.h"
#include "platform/CanevasEnregistreur.h"
#include "print/ImpLignes.h"
#include "print/Impress.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class FixtureImpression : public ::testing::Test {
protected:
    using Op = platform::CanevasEnregistreur::Operation;
    using Trace = platform::CanevasEnregistreur::Trace;

    void SetUp() override
    {
        tableLangue_ = TableLangue;
        dictionnaire_ = DictionnaireLangue;
        impression_ = ParamImpCourant;
        configuration_ = Configuration;
        ChargerLangue(LYRX_SOURCE_DIR "/data", "English");
        DefinirSeparateurDecimal('.');
        ReinitialiserPartition();
        for (int t = 1; t <= kNbPistes; ++t)
            for (int b = 1; b <= kNbTempsMax; ++b)
                Partition.Mesures[1]->Temps[t][b] = TTemps{};
        PisteCourante = 1;
        ViderAccordsPartition();

        ParamImpCourant = TZoneImpression{};
        Configuration = TCONFIG{};
        ReinitialiserPolicesLabels();
        AppliquerPolices();
        InitialiserImpression();

        canevas.SetPixelsParPouce(600);
        ParamImpCourant.ZoomApercu = 1.0;
        CalculerEchelleImpression(600);
        LargeurPage = 4800;  // A4 less printer margins at 600 dpi
        HauteurPage = 6800;
        CanvasImpr = &canevas;
        ParamImpCourant.PosY = 50;
        ParamImpCourant.MesureEnCours = 1;
        PremiereMesureLigneImpr = 1;
    }

    void TearDown() override
    {
        CanvasImpr = nullptr;
        PisteCourante = 1;
        ViderAccordsPartition();
        ParamImpCourant = impression_;
        Configuration = configuration_;
        ReinitialiserPolicesLabels();
        TableLangue = tableLangue_;
        DictionnaireLangue = dictionnaire_;
    }

    static void ViderAccordsPartition()
    {
        for (auto& a : AccordsPartition)
            a.reset();
        NbAccordsPartition = 0;
    }

    // A scale of exactly e pixels per millimetre and a page of the given width in millimetres
    // (whole tenths), for layout arithmetic without rounding noise.
    static void PageExacte(double e, int32_t largeurPixels)
    {
        ParamImpCourant.EchellePixMm = e;
        ParamImpCourant.CoefProportions = 1.0;
        LargeurPage = largeurPixels;
    }

    static TMesure& Mesure(int m = 1) { return *Partition.Mesures[m]; }
    static TTemps& Temps(int b, int m = 1) { return Mesure(m).Temps[PisteCourante][b]; }

    // Measures up to count, 4/4 and empty.
    static void Mesures(int count)
    {
        for (int m = Partition.NbMesures + 1; m <= count; ++m)
            Partition.Mesures[m] = std::make_unique<TMesure>();
        Partition.NbMesures = count;
    }

    // Beats of those duration codes in measure m, a fret 5 on string 1 each, beamed as the
    // editor would.
    static void Battements(std::initializer_list<int> codes, int m = 1)
    {
        int b = 0;
        for (const int code : codes) {
            TTemps& t = Temps(++b, m);
            t = TTemps{};
            t.CodeDuree = static_cast<int8_t>(code);
            t.Duree = DureeEnTicks(code, false, false);
            t.Notes[1].Frette = 5;
        }
        Mesure(m).NbTemps[PisteCourante] = b;
        Ligaturer(m);
    }

    static void Ligaturer(int m) { CalculerLigaturesMesure(Mesure(m), PisteCourante, Mesure(m).NbTemps[PisteCourante]); }

    // Device pixels of a length in print mm at the current scale, and of a score x.
    static int Px(double mm) { return PixImpr(mm); }
    static int Xd(double x) { return XImpr(x); }

    std::vector<Trace> Traces(Op op) const { return canevas.Traces(op); }
    std::vector<std::string> Textes() const
    {
        std::vector<std::string> r;
        for (const Trace& t : canevas.Traces(Op::Texte))
            r.push_back(t.texte);
        return r;
    }
    const Trace* Texte(const std::string& texte) const
    {
        for (const Trace& t : canevas.Traces())
            if (t.operation == Op::Texte && t.texte == texte)
                return &t;
        return nullptr;
    }

    platform::CanevasEnregistreur canevas{4800, 6800};

private:
    std::vector<std::string> tableLangue_;
    std::vector<std::string> dictionnaire_;
    TZoneImpression impression_;
    TCONFIG configuration_;
};
