// The edit zone painted through the Qt canvas on an image, probed pixel by pixel: the
// painters' coordinates and the canvas's platform rules have to meet on the same pixels.
#include "CanevasTeinte.h"
#include "document/Fenetre.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/DessinSaisie.h"
#include "document/Accord.h"
#include "editor/Ligatures.h"
#include "platform/qt/CanevasQt.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

class ZoneSaisiePixels : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReinitialiserPartition();
        for (int b = 2; b <= kNbTempsMax; ++b)
            Partition.Mesures[1]->Temps[1][b] = TTemps{};
        PisteCourante = 1;
        Curseur.Corde = 1;
        Curseur.Temps = 1;
        Curseur.ChiffreEnAttente = false;
        Commandes().Reinitialiser();
        image.fill(Qt::magenta);
    }

    void Peindre()
    {
        QPainter peintre(&image);
        platform::CanevasQt canevas(peintre);
        RedessinerMesure(canevas);
    }

    QColor Pixel(int x, int y) const { return image.pixelColor(x, y); }

    int Compter(QColor couleur, int x1, int y1, int x2, int y2) const
    {
        int n = 0;
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x < x2; ++x)
                n += Pixel(x, y) == couleur ? 1 : 0;
        return n;
    }

    QImage image{640, 180, QImage::Format_RGB32};
};

} // namespace

TEST_F(ZoneSaisiePixels, NewSongShowsTheCursorBoxOnTheFirstString)
{
    Peindre();
    EXPECT_EQ(Pixel(80, 48), QColor(255, 255, 0));
    EXPECT_EQ(Pixel(300, 62), QColor(0, 0, 0));       // string 2
    EXPECT_EQ(Pixel(300, 55), QColor(255, 255, 255)); // between strings
    EXPECT_EQ(Pixel(32, 80), QColor(0, 0, 0));        // thick bar opening measure 1
    EXPECT_EQ(Pixel(598, 80), QColor(0, 0, 0));       // thick bar closing the last measure
    EXPECT_EQ(Pixel(639, 179), QColor(255, 255, 255)); // the whole image was cleared
    EXPECT_GT(Compter(QColor(0, 0, 0), 1, 48, 30, 132), 20); // the time signature
}

TEST_F(ZoneSaisiePixels, FretAndItsRhythm)
{
    TMesure& m = *Partition.Mesures[1];
    m.NbTemps[1] = 1;
    m.Temps[1][1].Notes[2].Frette = 12;
    Curseur.Temps = 2;
    AjouterTempsVide();
    Peindre();
    const QColor bleu(0, 0, 255);
    EXPECT_GT(Compter(bleu, 70, 54, 91, 70), 10);        // "12" on string 2
    EXPECT_EQ(Pixel(80, 100), bleu);                      // joining line down to the staff's bottom
    EXPECT_EQ(Pixel(80, 130), bleu);                      // the stem of the rhythm row
    EXPECT_EQ(Pixel(130, 48), QColor(255, 255, 0));       // cursor on the free column
}

TEST_F(ZoneSaisiePixels, AGraceNoteCutsItsStringLineAsAFretDoes)
{
    TMesure& m = *Partition.Mesures[1];
    m.NbTemps[1] = 1;
    for (const int grace : {3, 12}) {
        SCOPED_TRACE(grace);
        TNoteCorde& note = m.Temps[1][1].Notes[3];
        note.Frette = 7;
        note.FretteGrace = static_cast<int8_t>(grace);
        note.NuanceGrace = 5;
        note.DureeGrace = 2;
        Curseur.Temps = 2;
        image.fill(Qt::magenta);
        Peindre();
        // The grace note: the blue left of the fret's cell around string 3.
        const int x = Curseur.MargeGauche + Curseur.LargeurTemps;
        const int y = Curseur.MargeHaut + 2 * Curseur.EspCordes;
        const QColor bleu(0, 0, 255);
        int gauche = x, droite = 0;
        for (int yy = y - 6; yy <= y + 6; ++yy)
            for (int xx = x - 40; xx < x - 6; ++xx)
                if (Pixel(xx, yy) == bleu) {
                    gauche = std::min(gauche, xx);
                    droite = std::max(droite, xx);
                }
        ASSERT_LT(gauche, droite);
        // No string line behind it, nor a pixel either side.
        EXPECT_EQ(Compter(QColor(0, 0, 0), gauche - 1, y, droite + 2, y + 1), 0);
        EXPECT_EQ(Pixel(gauche - 4, y), QColor(0, 0, 0)); // the line goes on before it
    }
}

TEST_F(ZoneSaisiePixels, TextsAndChordNamesOnNeighbouringEighthsDoNotOverprint)
{
    // "let ring all" on an eighth ran under the "Chorus" of the next one, which wiped its end:
    // "let ring al|Chorus". The second text in red: it may not touch the first, and the first
    // keeps all its ink.
    struct Cas {
        const char* nom;
        const char* premier;
        const char* second;
        bool accords;
    };
    const Cas cas[] = {
        {"texts", "let ring all", "Chorus", false},
        {"chord names", "[Cmaj7sus4]", "[G]", true},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        TMesure& m = *Partition.Mesures[1];
        m.NbTemps[1] = 4;
        for (int b = 1; b <= 4; ++b) {
            TTemps& t = m.Temps[1][b];
            t = TTemps{};
            t.CodeDuree = 1;
            t.Duree = DureeEnTicks(1, false, false);
            t.Notes[3].Frette = 5;
        }
        auto ecrire = [&](int b, std::string_view texte) {
            if (!c.accords) {
                m.Temps[1][b].Texte = std::string(texte);
                return;
            }
            auto accord = std::make_shared<TAccord>();
            accord->Nom = std::string(texte.substr(1, texte.size() - 2));
            accord->Frettes = {0, 0, 1, 0, 2, 3, -1};
            m.Temps[1][b].AvecAccord = true;
            m.Temps[1][b].Accord = accord;
        };
        auto peindre = [&] {
            image.fill(Qt::magenta);
            QPainter peintre(&image);
            platform::CanevasQt qt(peintre);
            CanevasTeinte canevas(qt, [&](std::string_view t) { return t == c.second; });
            RedessinerMesure(canevas);
        };
        ecrire(2, c.premier);
        peindre();
        const QImage seul = image.copy();
        ecrire(3, c.second);
        peindre();
        const auto [rouges, contacts] = RougesEtContacts(image);
        ASSERT_GT(rouges, 10);
        EXPECT_EQ(contacts, 0);
        int perdus = 0;
        for (int y = 0; y < Curseur.MargeHaut - 20; ++y)
            for (int x = 0; x < image.width(); ++x)
                perdus += seul.pixel(x, y) != image.pixel(x, y) && image.pixel(x, y) != QColor(Qt::red).rgb() ? 1 : 0;
        EXPECT_EQ(perdus, 0);
    }
}

namespace {

// Two pictures of the edit zonenamespace {

// Two pictures of the edit zone: a full redraw, and what a later step made of it.
class ZoneSaisieChemins : public ZoneSaisiePixels {
protected:
    void RedessinerEntier(QImage& cible)
    {
        cible.fill(Qt::magenta);
        QPainter peintre(&cible);
        platform::CanevasQt canevas(peintre);
        RedessinerMesure(canevas);
    }

    template <typename Etape>
    void Poursuivre(QImage& cible, Etape etape)
    {
        QPainter peintre(&cible);
        platform::CanevasQt canevas(peintre);
        etape(canevas);
    }

    // A quarter on string 1 in beat 1, and in beat 2 a bend-and-release of 1.5 on string 2.
    void MesureAvecBend()
    {
        TMesure& m = *Partition.Mesures[1];
        m.NbTemps[1] = 2;
        m.Temps[1][1].Notes[1].Frette = 5;
        m.Temps[1][2].Notes[2].Frette = 7;
        m.Temps[1][2].Notes[2].Effet = 6;
        m.Temps[1][2].Notes[2].ValeurBend = 1.5;
    }
};

} // namespace

TEST_F(ZoneSaisieChemins, ABendAmountSurvivesTheCursorMovingOntoThePreviousBeat)
{
    MesureAvecBend();
    QImage attendu(image.size(), image.format());
    Curseur.Temps = 1;
    RedessinerEntier(attendu);

    Curseur.Temps = 2;
    RedessinerEntier(image);
    Curseur.Temps = 1;
    Poursuivre(image, [](platform::Canevas& c) { DessinerCurseur(c); });

    // The amount is written left of the middle of the gap after beat 2, over string 1.
    const int x = Curseur.MargeGauche + 2 * Curseur.LargeurTemps;
    const int y = Curseur.MargeHaut + Curseur.EspCordes / 2;
    const QColor bleu(0, 0, 255);
    int encre = 0;
    for (int yy = y - 8; yy < y + 2; ++yy)
        for (int xx = x + 8; xx < x + Curseur.LargeurTemps / 2; ++xx) {
            EXPECT_EQ(Pixel(xx, yy), attendu.pixelColor(xx, yy)) << xx << "," << yy;
            encre += attendu.pixelColor(xx, yy) == bleu;
        }
    EXPECT_GT(encre, 12); // "1.5" itself, not an empty patch
}

TEST_F(ZoneSaisieChemins, ATripletLooksTheSameAfterAFullRedrawAndAfterAnEdit)
{
    TMesure& m = *Partition.Mesures[1];
    m.NbTemps[1] = 3;
    for (int b = 1; b <= 3; ++b) {
        TTemps& t = m.Temps[1][b];
        t.CodeDuree = 1;
        t.Duree = 160;
        t.Triolet = true;
        t.PosTriolet = static_cast<uint8_t>(b);
        t.Notes[3].Frette = static_cast<int8_t>(b);
    }
    Curseur.Temps = 2;
    RedessinerEntier(image);
    QImage apresEdition = image.copy();
    // What a typed fret repaints: its beat, the beams, the triplet row.
    Poursuivre(apresEdition, [](platform::Canevas& c) {
        DessinerTempsSaisie(c, Curseur, Partition.MesureCourante, true, Curseur.Temps);
        LigaturerMesure(c, 0);
        DessinerTrioletsSaisie(c);
    });
    EXPECT_TRUE(image == apresEdition);

    // And the "3" is whole: ink on the rows of its top stroke, next to the beams' row.
    const int y0 = Partition.NbCordes[1] * Curseur.EspCordes + Curseur.MargeHaut + 10;
    const int xm = Curseur.MargeGauche + 2 * Curseur.LargeurTemps;
    const QColor bleu(0, 0, 255);
    int haut = 0;
    for (int yy = y0 - 2; yy < y0; ++yy)
        haut += Compter(bleu, xm - 4, yy, xm + 6, yy + 1);
    EXPECT_GT(haut, 0);
}
