// Beat texts in the real main window's score view, at the two widths users read it at: a
// measure's texts stay over that measure, however little room its beats leave them.
#include "app/FixtureFenetrePrincipale.h"
#include "document/FichierPartition.h"
#include "document/Fichiers.h"
#include "document/Routines.h"
#include "editor/Scrolling.h"
#include "platform/FileReplacement.h"

#include <QImage>

#include <string>

namespace {

class TextesTempsFenetre : public lyrx_test::FixtureFenetrePrincipale<> {
protected:
    void SetUp() override
    {
        PreparerProgramme("English");
        OuvrirFenetre();
    }
    void TearDown() override { FermerFenetre(); }
};

} // namespace

TEST_F(TextesTempsFenetre, AMeasuresTextsStayOverItWithNothingUnderThem)
{
    // Four texts on the quarters of every other measure, no diagrams: "a tempo" and "Chorus"
    // were written over the next measure, about a hundred pixels from their beats.
    const char* const textes[] = {"let ring all", "barre chord", "a tempo", "Chorus"};
    constexpr int kNbMesures = 12;
    ReinitialiserPartition();
    for (int m = 1; m <= kNbMesures; ++m) {
        if (m > 1)
            Partition.Mesures[m] = std::make_unique<TMesure>(*Partition.Mesures[1]);
        TMesure& bloc = *Partition.Mesures[m];
        bloc.NbTemps[1] = 4;
        for (int b = 1; b <= 4; ++b) {
            TTemps& t = bloc.Temps[1][b];
            t = TTemps{};
            t.Notes[1].Frette = static_cast<int8_t>(5 + b);
            t.Texte = m % 2 == 1 ? textes[b - 1] : "";
        }
    }
    Partition.NbMesures = kNbMesures;
    const std::string chemin = (dossier_ / "textes.lrx").string();
    ASSERT_TRUE(platform::ReplaceFile(chemin, ImageFichierPartition()));
    ReinitialiserPartition();
    ParamEcranCourant.AffNum = false; // the measure numbers stand over the measures too
    ASSERT_TRUE(OuvrirPartition(chemin));
    QCoreApplication::processEvents();

    for (const int largeur : {1000, 640}) {
        SCOPED_TRACE("window " + std::to_string(largeur) + " wide");
        fenetre_->resize(largeur, 700);
        QCoreApplication::processEvents();
        const QImage image = VuePartitionAffichee();
        const TLignesAffichage& la = LignesAffichage;
        const int position = AffichagePartition.Defilement.Position;
        int vues = 0;
        for (int m = 1; m <= kNbMesures; ++m) {
            const TMesure& bloc = *Partition.Mesures[m];
            // The line's band from its top down to the top string, less the beats' marks.
            const int haut = (bloc.Ligne - 1) * la.HauteurLigne - position;
            const int portee = haut + bloc.Y;
            if (haut < 0 || portee >= image.height())
                continue;
            ASSERT_EQ(image.pixel(bloc.XGauche + 8, portee), qRgb(0, 0, 0)) << "measure " << m << "'s top string";
            int encre = 0;
            for (int y = haut; y < portee - 16; ++y)
                for (int x = bloc.XGauche + 3; x < bloc.XDroite - 3; ++x)
                    encre += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
            if (m % 2 == 1)
                EXPECT_GT(encre, 0) << "measure " << m << " shows its texts";
            else
                EXPECT_EQ(encre, 0) << "measure " << m << ", which has no text";
            ++vues;
        }
        EXPECT_GE(vues, 6);
    }
}
