// Chord diagrams on every beat of bars of two, three and four eighths, quarters and dotted
// quarters, with a "1" ending and a "2 to 3" ending, laid out by the real main window at 1000
// and 640 pixels and printed: no two diagrams' ink meets, in a measure or across a bar line,
// and an ending's bracket and number keep their own ink. The durations alone gave a diagram
// less room than its width, and the first diagram of an ending covered its number.
#include "app/FixtureFenetrePrincipale.h"
#include "support/BoitesTraces.h"

#include "document/FichierPartition.h"
#include "platform/FileReplacement.h"
#include "document/Fichiers.h"
#include "document/Routines.h"
#include "editor/Disposition.h"
#include "editor/Ecran.h"
#include "editor/Scrolling.h"
#include "print/ImpPartition.h"
#include "print/Impress.h"
#include "platform/CanevasEnregistreur.h"
#include "platform/qt/CanevasQt.h"

#include <QImage>
#include <QPainter>

#include <array>
#include <cstdlib>
#include <memory>
#include <span>
#include <set>
#include <string>
#include <vector>

namespace {

using lyrx_test::Boite;
using lyrx_test::BoiteDe;
using Op = platform::CanevasEnregistreur::Operation;
using Trace = platform::CanevasEnregistreur::Trace;

constexpr int kNbMesures = 6;
// The endings: a "1" on the measure that ends the repeat, a "2 to 3" after it.
constexpr int kMesurePremiereFin = 4;
constexpr int kMesureSecondeFin = 5;
// The diagrams' colour on screen, which nothing else of the line has.
constexpr TCouleur kBleu = 0xFF0000;

std::shared_ptr<const TAccord> Accord(const char* nom, std::array<int32_t, 7> frettes, int base = 1)
{
    auto a = std::make_shared<TAccord>();
    a->Nom = nom;
    a->Frettes = frettes;
    a->FretteBase = base;
    return a;
}

// Short and long names, open and muted strings, a base fret.
const std::shared_ptr<const TAccord>& AccordNumero(int i)
{
    static const std::shared_ptr<const TAccord> accords[] = {
        Accord("D5", {0, -1, 3, 2, 0, -1, -1}), Accord("A5", {0, -1, -1, 2, 2, 0, -1}),
        Accord("Cmaj7/G", {0, 0, 0, 0, 2, 3, 3}), Accord("Bm", {0, 2, 3, 4, 4, 2, -1}, 2)};
    return accords[i % 4];
}

struct Cas {
    int parMesure; // diagrams, one on every beat
    int code;      // the beats' value
    bool pointee;
};

std::string Nom(const Cas& c)
{
    const char* valeur = c.pointee ? "dotted quarters" : c.code == 1 ? "eighths" : "quarters";
    return std::to_string(c.parMesure) + " " + valeur;
}

bool Bleu(QRgb p) { return qBlue(p) > qRed(p) + 60 && qBlue(p) > qGreen(p) + 60; }

// A box and the pixels round it: ink there touches the box.
Boite Autour(const Boite& b) { return {b.gauche - 1, b.haut - 1, b.droite + 1, b.bas + 1}; }

// Black or the grey of a black text's edge; not the measure numbers' red.
bool Sombre(QRgb p)
{
    return qRed(p) < 230 && std::abs(qRed(p) - qGreen(p)) < 30 && std::abs(qGreen(p) - qBlue(p)) < 30;
}

class DiagrammesEcranPapier : public lyrx_test::FixtureFenetrePrincipale<::testing::TestWithParam<const char*>> {
protected:
    void SetUp() override
    {
        PreparerProgramme(GetParam());
        OuvrirFenetre();
    }
    void TearDown() override { FermerFenetre(); }

    // The case's song written to a file of the test's folder and opened in the window.
    void OuvrirChanson(const Cas& c)
    {
        ReinitialiserPartition();
        for (int m = 1; m <= kNbMesures; ++m) {
            if (!Partition.Mesures[m])
                Partition.Mesures[m] = std::make_unique<TMesure>();
            TMesure& bloc = *Partition.Mesures[m];
            bloc = TMesure{};
            bloc.Numerateur = static_cast<uint8_t>(c.pointee ? 3 * c.parMesure : c.parMesure);
            bloc.Denominateur = static_cast<uint8_t>(c.code == 1 || c.pointee ? 8 : 4);
            bloc.Duree = 4.0 * bloc.Numerateur / bloc.Denominateur;
            bloc.NbTemps[1] = c.parMesure;
            for (int b = 1; b <= c.parMesure; ++b) {
                TTemps& t = bloc.Temps[1][b];
                t.CodeDuree = static_cast<int8_t>(c.code);
                t.Pointee = c.pointee;
                t.Duree = DureeEnTicks(c.code, c.pointee, false);
                t.Notes[4].Frette = 2;
                t.Notes[5].Frette = 0;
                t.AvecAccord = true;
                t.Accord = AccordNumero(m + b);
            }
        }
        Partition.NbMesures = kNbMesures;
        Partition.Mesures[3]->RenvoiDebut = true;
        Partition.Mesures[kMesurePremiereFin]->RenvoiFin = true;
        Partition.Mesures[kMesurePremiereFin]->NbRenvois = 3;
        Partition.Mesures[kMesurePremiereFin]->Repetition = true;
        Partition.Mesures[kMesurePremiereFin]->NumRepetition = 1;
        Partition.Mesures[kMesureSecondeFin]->Repetition = true;
        Partition.Mesures[kMesureSecondeFin]->NumRepetition = 3;
        const std::string chemin = (dossier_ / "diagrammes.lrx").string();
        ASSERT_TRUE(platform::ReplaceFile(chemin, ImageFichierPartition()));
        ReinitialiserPartition();
        ASSERT_TRUE(OuvrirPartition(chemin));
        QCoreApplication::processEvents();
    }

    // Line `ligne` as the view paints it, its diagrams in blue.
    static QImage Ligne(int32_t ligne)
    {
        QImage image(LignesAffichage.LargeurDispo + 6, LignesAffichage.HauteurLigne, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter peintre(&image);
        platform::CanevasQt canevas(peintre);
        DessinerLigne(canevas, ligne, image.width(), image.height());
        return image;
    }

    // The box of the blue ink of line `ligne` painted with the chord of one beat only, the
    // layout left as it is.
    static Boite BoiteDiagramme(int32_t ligne, const TTemps& seul)
    {
        std::vector<std::pair<TTemps*, bool>> caches;
        const TLignesAffichage& la = LignesAffichage;
        for (int32_t m = la.PremiereMesure[ligne]; m <= la.DerniereMesure[ligne]; ++m)
            for (int32_t b = 1; b <= Partition.Mesures[m]->NbTemps[1]; ++b) {
                TTemps& t = Partition.Mesures[m]->Temps[1][b];
                caches.emplace_back(&t, t.AvecAccord);
                t.AvecAccord = &t == &seul;
            }
        const QImage image = Ligne(ligne);
        for (const auto& [t, avec] : caches)
            t->AvecAccord = avec;
        Boite boite{image.width(), image.height(), 0, 0};
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (Bleu(image.pixel(x, y)))
                    boite = {std::min(boite.gauche, x), std::min(boite.haut, y), std::max(boite.droite, x + 1),
                             std::max(boite.bas, y + 1)};
        return boite;
    }

    // On every line of the view, the ink box of each diagram meets no other's. Each ending's
    // bracket keeps its line clear of the diagrams, and its number's box holds no diagram ink.
    static void VerifierEcran()
    {
        const TLignesAffichage& la = LignesAffichage;
        ASSERT_GE(la.NbLignes, 1);
        for (int32_t ligne = 1; ligne <= la.NbLignes; ++ligne) {
            SCOPED_TRACE("line " + std::to_string(ligne));
            std::vector<Boite> diagrammes;
            for (int32_t m = la.PremiereMesure[ligne]; m <= la.DerniereMesure[ligne]; ++m)
                for (int32_t b = 1; b <= Partition.Mesures[m]->NbTemps[1]; ++b) {
                    diagrammes.push_back(BoiteDiagramme(ligne, Partition.Mesures[m]->Temps[1][b]));
                    ASSERT_LT(diagrammes.back().gauche, diagrammes.back().droite) << "measure " << m << ", beat " << b;
                }
            for (std::size_t i = 0; i < diagrammes.size(); ++i)
                EXPECT_EQ(lyrx_test::Couvertes(Autour(diagrammes[i]), std::span(diagrammes).subspan(i + 1)), "")
                    << "diagram " << i;

            const QImage image = Ligne(ligne);
            const int dessus = YPorteeLigne() - 10; // what stands over the staff
            for (const int32_t m : {kMesurePremiereFin, kMesureSecondeFin}) {
                const TMesure& bloc = *Partition.Mesures[m];
                if (bloc.Ligne != ligne)
                    continue;
                SCOPED_TRACE("ending of measure " + std::to_string(m));
                // The hook at the bar, the line its topmost ink, the number under the line.
                const int crochet = bloc.XGauche;
                int rangee = -1;
                for (int y = 0; y < dessus && rangee < 0; ++y)
                    if (Sombre(image.pixel(crochet + 5, y)))
                        rangee = y;
                ASSERT_GE(rangee, 0);
                EXPECT_EQ(lyrx_test::Couvertes(Autour({crochet, rangee, crochet + 30, rangee + 1}), diagrammes), "");
                Boite numero{image.width(), image.height(), 0, 0};
                for (int y = rangee + 1; y < dessus; ++y)
                    for (int x = crochet + 1; x < std::min(crochet + 60, bloc.XDroite); ++x)
                        if (Sombre(image.pixel(x, y)))
                            numero = {std::min(numero.gauche, x), std::min(numero.haut, y),
                                      std::max(numero.droite, x + 1), std::max(numero.bas, y + 1)};
                ASSERT_LT(numero.gauche, numero.droite) << "no number";
                EXPECT_EQ(lyrx_test::Couvertes(Autour(numero), diagrammes), "");
            }
        }
    }

    // The same on paper, from the traces of the printed page: a diagram is its name and the
    // traces just before it over the name (grid, marks, dots, base fret).
    static void VerifierPapier()
    {
        platform::CanevasEnregistreur page(4800, 6800);
        page.SetPixelsParPouce(600);
        TSortieCanevas sortie(page, 4800, 6800);
        ImprimerPartition(sortie, 0, 0, 1);
        ASSERT_EQ(sortie.DernierePage(), 1);
        const std::vector<Trace>& traces = page.Traces();
        std::set<std::string> noms;
        for (int i = 0; i < 4; ++i)
            noms.insert(std::string(AccordNumero(i)->Nom.view()));
        std::vector<Boite> diagrammes;
        std::vector<Boite> encre; // everything but the page's clearing
        for (std::size_t i = 1; i < traces.size(); ++i) {
            const Boite b = BoiteDe(page, traces[i]);
            encre.push_back(b);
            if (traces[i].operation != Op::Texte || !noms.count(traces[i].texte))
                continue;
            Boite d = b;
            for (std::size_t j = i - 1; j > 0; --j) {
                const Boite a = BoiteDe(page, traces[j]);
                if (a.bas > b.haut + 1)
                    break;
                d = {std::min(d.gauche, a.gauche), std::min(d.haut, a.haut), std::max(d.droite, a.droite),
                     std::max(d.bas, a.bas)};
            }
            diagrammes.push_back(d);
        }
        ASSERT_EQ(diagrammes.size(), static_cast<std::size_t>(kNbMesures * Partition.Mesures[1]->NbTemps[1]));
        for (std::size_t i = 0; i < diagrammes.size(); ++i)
            EXPECT_EQ(lyrx_test::Couvertes(diagrammes[i], std::span(diagrammes).subspan(i + 1)), "") << "diagram " << i;

        for (const int32_t m : {kMesurePremiereFin, kMesureSecondeFin}) {
            const std::string texte = TexteFinAlternative(m, Partition.Mesures[m]->NumRepetition);
            SCOPED_TRACE("ending \"" + texte + "\"");
            // The hook, the line, then the number.
            std::size_t n = 0;
            for (std::size_t i = 3; i < traces.size() && n == 0; ++i)
                if (traces[i].operation == Op::Texte && traces[i].texte == texte && traces[i - 1].operation == Op::Ligne)
                    n = i;
            ASSERT_GT(n, 0u);
            for (const std::size_t i : {n - 2, n - 1})
                EXPECT_EQ(lyrx_test::Couvertes(BoiteDe(page, traces[i]), diagrammes), "") << i;
            std::vector<Boite> autres = encre;
            autres.erase(autres.begin() + static_cast<std::ptrdiff_t>(n - 1));
            EXPECT_EQ(lyrx_test::Couvertes(BoiteDe(page, traces[n]), autres), "");
        }
    }
};

TEST_P(DiagrammesEcranPapier, DiagramsOnEveryBeatNeverMeetAndEndingsKeepTheirNumbers)
{
    ParamEcranCourant.ColDiag = kBleu;
    for (const Cas c : {Cas{2, 1, false}, Cas{3, 1, false}, Cas{4, 1, false}, Cas{2, 0, false}, Cas{3, 0, false},
                        Cas{4, 0, false}, Cas{2, 0, true}, Cas{3, 0, true}, Cas{4, 0, true}}) {
        SCOPED_TRACE(Nom(c));
        OuvrirChanson(c);
        for (const int largeur : {1000, 640}) {
            SCOPED_TRACE(std::to_string(largeur) + " pixels");
            fenetre_->resize(largeur, 700);
            QCoreApplication::processEvents();
            ASSERT_EQ(fenetre_->width(), largeur);
            VerifierEcran();
        }
        SCOPED_TRACE("paper");
        VerifierPapier();
    }
}

INSTANTIATE_TEST_SUITE_P(Langues, DiagrammesEcranPapier, ::testing::Values("English", "Francais"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace
