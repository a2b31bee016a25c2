// The score view's scroll range in the real main window, for a song whose beat texts go up to
// rows over their chord diagrams, and for one whose diagrams rise over the bends under them:
// the rows make every line taller, and every way down the song (the bar, the wheel, the
// last-measure button and key) must still reach its last line, from the file's opening and
// after a visit to another track.
#include "app/DialoguesFichiersQt.h"
#include "app/FixtureFenetrePrincipale.h"
#include "app/VuePartition.h"
#include "document/Accord.h"
#include "document/FichierPartition.h"
#include "platform/FileReplacement.h"
#include "document/Routines.h"
#include "editor/Scrolling.h"

#include <QAction>
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr int kNbMesures = 64;

std::shared_ptr<const TAccord> Accord(const char* nom, std::array<int32_t, 7> frettes)
{
    TAccord a;
    a.Nom = nom;
    a.Frettes = frettes;
    return std::make_shared<const TAccord>(a);
}

// Four quarters a measure on track 1; measure 1 holds four chords with their diagrams and texts
// too long to stand beside them all, so that one goes up a row; or else, with `bends`, the first
// and last measures hold the diagrams over double stops bent on the top strings, a vibrato on
// their second beat, and no texts: the diagrams rise over the amounts and arrows.
void ChansonAvecTextes(bool bends)
{
    ReinitialiserPartition();
    Partition.NbMesures = kNbMesures;
    const std::shared_ptr<const TAccord> accords[] = {Accord("C", {0, 0, 1, 0, 2, 3, -1}), Accord("F", {0, 1, 1, 2, 3, 3, 1}),
                                                      Accord("G", {0, 3, 0, 0, 0, 2, 3}), Accord("Am", {0, 0, 1, 2, 2, 0, -1})};
    const char* const textes[] = {"Intro", "barre chord", "let ring all", "Chorus"};
    for (int m = 1; m <= kNbMesures; ++m) {
        if (!Partition.Mesures[m])
            Partition.Mesures[m] = std::make_unique<TMesure>();
        TMesure& mesure = *Partition.Mesures[m];
        mesure.NbTemps[1] = 4;
        mesure.DureeReelle[1] = 4.0;
        for (int b = 1; b <= 4; ++b) {
            TTemps& t = mesure.Temps[1][b];
            t.Notes[1].Frette = static_cast<int8_t>((m + b) % 12);
            if (m == 1 && !bends) {
                t.AvecAccord = true;
                t.Accord = accords[b - 1];
                t.Texte = textes[b - 1];
            }
            if ((m == 1 || m == kNbMesures) && bends) {
                t.AvecAccord = true;
                t.Accord = accords[b - 1];
                t.Notes[1].Frette = 7;
                t.Notes[1].Effet = 5;
                t.Notes[1].ValeurBend = 1.5;
                t.Notes[2].Frette = 8;
                t.Notes[2].Effet = 6;
                t.Notes[2].ValeurBend = 2.5;
                t.Effet = static_cast<int8_t>(b == 2 ? 1 : 0);
            }
        }
    }
}

void Cliquer(QWidget& fenetre, const char* bouton)
{
    auto* b = fenetre.findChild<QToolButton*>(bouton);
    ASSERT_TRUE(b) << bouton;
    b->click();
    QCoreApplication::processEvents();
}

class DefilementFenetre : public lyrx_test::FixtureFenetrePrincipale<> {
protected:
    void SetUp() override
    {
        PreparerProgramme("English");
        OuvrirFenetre();
        vue_ = fenetre_->findChild<VuePartition*>("ZoneAffichage");
        barre_ = fenetre_->findChild<QScrollBar*>("ScrollBarZoneAffScroll");
        ASSERT_TRUE(vue_ && barre_);
    }
    void TearDown() override
    {
        TDialoguesFichiers::DefinirExecution({});
        FermerFenetre();
    }

    // The song written to the test's folder and opened by File > Open, as the user does.
    void OuvrirParLeMenu(bool bends)
    {
        ChansonAvecTextes(bends);
        const std::string chemin = (dossier_ / "textes.lrx").string();
        ASSERT_TRUE(platform::ReplaceFile(chemin, ImageFichierPartition()));
        ReinitialiserPartition();
        TDialoguesFichiers::DefinirExecution([chemin](QFileDialog&) { return QString::fromStdString(chemin); });
        fenetre_->findChild<QAction*>("Mn_Fichier_Ouvrir")->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(NomFichier, "textes.lrx");
        ASSERT_EQ(Partition.NbMesures, kNbMesures);
    }

    // The staff of measure `m` is on screen, top string to bottom, with its ink there.
    void VerifierPorteeVisible(int m)
    {
        const TMesure& mesure = *Partition.Mesures[m];
        const int32_t bande = CalculerBandeLigne(mesure.Ligne);
        ASSERT_NE(bande, kBandeAucune);
        const TBande& place = AffichagePartition.Bandes[bande];
        const int haut = place.Haut + mesure.Y;
        const int bas = haut + (Partition.NbCordes[PisteCourante] - 1) * ParamEcranCourant.EspLignes;
        EXPECT_GE(haut, 0) << "measure " << m;
        EXPECT_LT(bas, vue_->height()) << "measure " << m;
        if (haut < 0 || bas >= vue_->height())
            return;
        QImage image(vue_->size(), QImage::Format_RGB32);
        vue_->render(&image);
        const int x = mesure.XGauche + 10; // between the bar and the first beat
        for (int y : {haut, bas})
            EXPECT_EQ(image.pixelColor(x, y), QColor(Qt::black)) << "measure " << m << ", string at y " << y;
    }

    VuePartition* vue_ = nullptr;
    QScrollBar* barre_ = nullptr;
};

// A way down to the end of the song, from its top.
struct VersLaFin {
    const char* Nom;
    std::function<void(QWidget& fenetre, VuePartition&, QScrollBar&)> Aller;
    bool MesureCourante; // it makes the last measure current
};

void PrintTo(const VersLaFin& v, std::ostream* os) { *os << v.Nom; }

class DefilementVersLaFin : public DefilementFenetre, public ::testing::WithParamInterface<VersLaFin> {
protected:
    void VerifierFin(bool bends);
};

TEST_P(DefilementVersLaFin, TheLastLineIsReachedAfterTheOpeningAndAfterATrackSwitch)
{
    for (const bool bends : {false, true}) {
        SCOPED_TRACE(bends ? "diagrams over bends" : "texts over diagrams");
        VerifierFin(bends);
    }
}

void DefilementVersLaFin::VerifierFin(bool bends)
{
    OuvrirParLeMenu(bends);
    // The texts of measure 1, or its diagrams risen over its bends, take rows over the line:
    // the lines are taller than the staff.
    ASSERT_GT(LignesAffichage.RangeeTextes, 0);
    if (bends) {
        ASSERT_GT(LignesAffichage.MonteesDessus[1], 0);
        ASSERT_GT(LignesAffichage.MonteesDessus[LignesAffichage.NbLignes], 0);
    }
    const int32_t derniereLigne = Partition.Mesures[kNbMesures]->Ligne;
    ASSERT_EQ(derniereLigne, LignesAffichage.NbLignes);
    ASSERT_GT(LignesAffichage.NbLignes * LignesAffichage.HauteurLigne, 2 * vue_->height());

    for (const bool visite : {false, true}) {
        SCOPED_TRACE(visite ? "after a visit to track 2" : "after the opening");
        if (visite) {
            Cliquer(*fenetre_, "BT_Piste2");
            ASSERT_EQ(PisteCourante, 2);
            Cliquer(*fenetre_, "BT_Piste1");
            ASSERT_EQ(PisteCourante, 1);
        }
        Cliquer(*fenetre_, "Bt_Mesure_Premiere");
        ASSERT_EQ(Partition.MesureCourante, 1);
        ASSERT_LE(barre_->value(), 0);

        GetParam().Aller(*fenetre_, *vue_, *barre_);
        QCoreApplication::processEvents();
        EXPECT_EQ(barre_->value(), barre_->maximum());
        EXPECT_EQ(barre_->value(), AffichagePartition.Defilement.Position);
        // The bottom of the last line is the bottom of the view.
        const TBande& place = AffichagePartition.Bandes[CalculerBandeLigne(derniereLigne)];
        EXPECT_EQ(place.Haut + place.Hauteur, vue_->height());
        VerifierPorteeVisible(kNbMesures);
        if (GetParam().MesureCourante) {
            EXPECT_EQ(Partition.MesureCourante, kNbMesures);
            const TCadre& cadre = AffichagePartition.Selection;
            EXPECT_GE(cadre.Haut, 0);
            EXPECT_LE(cadre.Haut + cadre.Hauteur, vue_->height());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    , DefilementVersLaFin,
    ::testing::Values(
        VersLaFin{"ScrollBarDraggedToTheEnd",
                  [](QWidget&, VuePartition&, QScrollBar& barre) {
                      barre.setSliderDown(true);
                      barre.setSliderPosition(barre.maximum());
                      barre.setSliderDown(false);
                  },
                  false},
        VersLaFin{"Wheel",
                  [](QWidget&, VuePartition& vue, QScrollBar& barre) {
                      // Notch after notch until the view stops moving (a few hundred notches at most).
                      for (int avant = barre.minimum() - 1, n = 0; avant != barre.value() && n < 1000; ++n) {
                          avant = barre.value();
                          const QPointF centre(vue.width() / 2.0, vue.height() / 2.0);
                          QWheelEvent roue(centre, vue.mapToGlobal(centre), {}, QPoint(0, -120), Qt::NoButton,
                                           Qt::NoModifier, Qt::NoScrollPhase, false);
                          QCoreApplication::sendEvent(&vue, &roue);
                      }
                  },
                  false},
        VersLaFin{"LastMeasureButton",
                  [](QWidget& fenetre, VuePartition&, QScrollBar&) { Cliquer(fenetre, "Bt_Mesure_Derniere"); }, true},
        VersLaFin{"LastMeasureKey",
                  [](QWidget& fenetre, VuePartition&, QScrollBar&) {
                      QTest::keyClick(&fenetre, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
                  },
                  true}),
    [](const auto& info) { return std::string(info.param.Nom); });

} // namespace
