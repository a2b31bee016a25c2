// A beat's marks and the amounts of its bends placed by the score view and by print: one table
// of cases run through both painters, each measured in millimetres from its beat and its top
// string (a screen pixel counting as the printed string gap over the screen's), so that the two
// are seen to take the same decision and to leave the same kind of room.
#include "editor/FixtureEcran.h"
#include "support/BoitesTraces.h"

#include "print/ImpEffets.h"
#include "print/ImpNotes.h"
#include "print/Impress.h"
#include "platform/qt/CanevasQt.h"

#include <QImage>
#include <QPainter>

#include <optional>
#include <string>

namespace {

using lyrx_test::Boite;
using lyrx_test::BoiteDe;

// A recording canvas that measures texts as the Qt canvas does, with the fonts' real shapes:
// the screen and the paper sizes of a text then keep their proportions to the staff.
class CanevasMesureQt final : public platform::CanevasEnregistreur {
public:
    explicit CanevasMesureQt(int pixelsParPouce) : peintre_(&image_), qt_(peintre_, pixelsParPouce)
    {
        SetPixelsParPouce(pixelsParPouce);
    }

protected:
    platform::Dimension MesurerTexte(std::string_view texte) override
    {
        qt_.SetFonte(Fonte());
        return qt_.TextExtent(texte);
    }

private:
    QImage image_{1, 1, QImage::Format_RGB32};
    QPainter peintre_;
    platform::CanevasQt qt_;
};

// A box in millimetres, x from the beat and y from the top string, downwards.
struct BoiteMm {
    double gauche, haut, droite, bas;
};

class MarquesEcranPapier : public FixtureEcran {
protected:
    void SetUp() override
    {
        FixtureEcran::SetUp();
        impression_ = ParamImpCourant;
        ParamImpCourant = TZoneImpression{};
        InitialiserImpression();
        ParamImpCourant.EchellePixMm = 10;
        ParamImpCourant.CoefProportions = 1;
        ParamImpCourant.ZoomApercu = 1;
        ParamImpCourant.MargeGaucheLignes = 10;
        ParamImpCourant.PosY = 50;
        ParamImpCourant.MesureEnCours = 1;
        CanvasImpr = &papier;
    }

    void TearDown() override
    {
        CanvasImpr = nullptr;
        ParamImpCourant = impression_;
        FixtureEcran::TearDown();
    }

    // Millimetres per screen pixel: the printed string gap over the screen's.
    static double MmEcran() { return kEcartCordes / ParamEcranCourant.EspLignes; }

    // The box of the first text `texte` beat 1 draws on screen, in millimetres.
    std::optional<BoiteMm> Ecran(const std::string& texte)
    {
        for (const Trace& t : ecran.Traces(Op::Texte)) {
            if (t.texte != texte)
                continue;
            const Boite b = BoiteDe(ecran, t);
            const double mm = MmEcran();
            return BoiteMm{(b.gauche - X(1)) * mm, (b.haut - kY) * mm, (b.droite - X(1)) * mm, (b.bas - kY) * mm};
        }
        return std::nullopt;
    }

    // The same on paper.
    std::optional<BoiteMm> Papier(const std::string& texte)
    {
        for (const Trace& t : papier.Traces(Op::Texte)) {
            if (t.texte != texte)
                continue;
            const Boite b = BoiteDe(papier, t);
            const double x = (10 + Temps(1).XImp) * 10;
            return BoiteMm{(b.gauche - x) / 10, (b.haut - 500) / 10.0, (b.droite - x) / 10, (b.bas - 500) / 10.0};
        }
        return std::nullopt;
    }

    // Beats 1 and 2 painted on screen and printed, the printed beats where the screen has them.
    void Peindre2()
    {
        LigaturerPartition();
        CouperLignes();
        ecran.Effacer();
        DessinerLigne(ecran, 1, 800, HauteurLigne());
        for (int b = 1; b <= Mesure().NbTemps[PisteCourante]; ++b)
            Temps(b).XImp = Temps(b).XEcran * MmEcran();
        papier.Effacer();
        for (int b = 1; b <= 2; ++b) {
            ImprimerEffetsTemps(b);
            for (int s = 1; s <= 2; ++s)
                ImprimerNote(b, s);
        }
    }

    CanevasMesureQt ecran{96};
    CanevasMesureQt papier{254};

private:
    TZoneImpression impression_;
};

} // namespace

TEST_F(MarquesEcranPapier, BothPlaceAMarkAndABendAmountAlikeInMillimetres)
{
    enum class Place {
        Passe, // the amount moves right past the mark
        Monte, // the mark moves up over the amount
        Garde, // both keep their places
    };
    struct Cas {
        const char* nom;
        int effet;          // the beat's mark over the staff
        const char* marque; // its text: the letter, or the V's amount
        int bend1, bend2;   // on strings 1 and 2
        int effetSuivant;   // the next beat's mark
        const char* valeur; // the amount followed
        Place place;
    };
    const Cas cas[] = {
        {"a T over a bend", 5, "T", 5, 0, 0, "2.75", Place::Passe},
        {"A.H. over a release", 9, "A.H.", 6, 0, 0, "2.75", Place::Passe},
        {"a V over a bend", 3, "1.5", 5, 0, 0, "2.75", Place::Monte},
        {"a T over a bend, a V next", 5, "T", 5, 0, 3, "2.75", Place::Monte},
        {"a V over a bend, a V next", 3, "1.5", 5, 0, 3, "2.75", Place::Monte},
        {"a V without a bend", 3, "1.5", 0, 0, 0, nullptr, Place::Garde},
        // The lower string's amount goes over the upper bend's arrow; no mark.
        {"a double stop bent twice", 0, nullptr, 5, 5, 0, "2.5", Place::Garde},
    };
    constexpr double kEcart = 1.2; // the two sides' sizes differ by less than that
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Battements({0, 0, 0, 0});
        for (int b = 1; b <= 4; ++b) {
            Temps(b).Notes[1].Frette = 7;
            Temps(b).Notes[2].Frette = 8;
        }
        Temps(1).Notes[1].Effet = static_cast<uint8_t>(c.bend1);
        Temps(1).Notes[1].ValeurBend = c.bend2 ? 0.5 : 2.75;
        Temps(1).Notes[2].Effet = static_cast<uint8_t>(c.bend2);
        Temps(1).Notes[2].ValeurBend = 2.5;
        Temps(1).Effet = static_cast<int8_t>(c.effet);
        Temps(1).ValeurCoupVib = 1.5;
        Temps(2).Effet = static_cast<int8_t>(c.effetSuivant);
        Temps(2).ValeurCoupVib = 1.5;
        Peindre2();
        std::optional<BoiteMm> ecrans[2], papiers[2]; // the amount, the mark
        for (int i = 0; i < 2; ++i) {
            if (const char* texte = i == 0 ? c.valeur : c.marque) {
                ecrans[i] = Ecran(texte);
                papiers[i] = Papier(texte);
                ASSERT_TRUE(ecrans[i] && papiers[i]) << texte;
                EXPECT_NEAR(ecrans[i]->gauche, papiers[i]->gauche, kEcart) << texte;
                EXPECT_NEAR(ecrans[i]->haut, papiers[i]->haut, kEcart) << texte;
            }
        }
        for (const auto& [valeur, marque] : {std::pair(ecrans[0], ecrans[1]), std::pair(papiers[0], papiers[1])}) {
            switch (c.place) {
            case Place::Passe: EXPECT_GE(valeur->gauche, marque->droite); break;
            case Place::Monte: EXPECT_LE(marque->bas, valeur->haut); break;
            case Place::Garde: break;
            }
        }
        if (c.bend2) {
            // Over the upper bend's arrow, which rises a string gap over the top string.
            EXPECT_LE(ecrans[0]->bas, -kEcartCordes);
            EXPECT_LE(papiers[0]->bas, -kEcartCordes);
        }
    }
}
