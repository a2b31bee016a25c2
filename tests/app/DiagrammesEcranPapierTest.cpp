// Chord diagrams on every beat of bars of two, three and four eighths, quarters and dotted
// quarters, with a "1" ending and a "2 to 3" ending, laid out by the real main window at 1000
// and 640 pixels and printed: no two diagrams' ink meets, in a measure or across a bar line,
// and an ending's bracket and number keep their own ink. The durations alone gave a diagram
// less room than its width, and the first diagram of an ending covered its number. With a text
// on every beat too, the texts touch neither the diagrams nor the endings.
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

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iterator>
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
// The diagrams' and the texts' colours on screen, which nothing else of the line has.
constexpr TCouleur kBleu = 0xFF0000;
constexpr TCouleur kVert = 0x00A000;

// The beat texts, short and long, one on every beat.
constexpr const char* kTextes[] = {"Intro", "barre chord", "let ring all", "Chorus"};

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
    bool textes = false; // and a text on every beat
};

std::string Nom(const Cas& c)
{
    const char* valeur = c.pointee ? "dotted quarters" : c.code == 1 ? "eighths" : "quarters";
    return std::to_string(c.parMesure) + " " + valeur + (c.textes ? " with texts" : "");
}

bool Bleu(QRgb p) { return qBlue(p) > qRed(p) + 60 && qBlue(p) > qGreen(p) + 60; }
bool Vert(QRgb p) { return qGreen(p) > qRed(p) + 60 && qGreen(p) > qBlue(p) + 60; }

bool EstTexte(const std::string& texte)
{
    return std::ranges::find(kTextes, texte) != std::end(kTextes);
}

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
                if (c.textes)
                    t.Texte = kTextes[(m + b) % std::size(kTextes)];
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
    static void VerifierEcran(bool textes)
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
            // The texts' ink touches no other, corners included.
            int verts = 0, contacts = 0;
            std::string ou;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    if (!Vert(image.pixel(x, y)))
                        continue;
                    ++verts;
                    EXPECT_GT(y, 0) << "a text at the line's top, " << x;
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx) {
                            const QPoint voisin(x + dx, y + dy);
                            if (!image.rect().contains(voisin))
                                continue;
                            const QRgb v = image.pixel(voisin);
                            if (Bleu(v) || Sombre(v)) {
                                ++contacts;
                                if (ou.size() < 100)
                                    ou += " " + std::to_string(voisin.x()) + "," + std::to_string(voisin.y());
                            }
                        }
                }
            EXPECT_EQ(verts > 0, textes);
            EXPECT_EQ(contacts, 0) << "text ink touching at" << ou;
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
        std::vector<Boite> encre;  // everything but the page's clearing
        std::vector<Boite> textes; // the beat texts
        const auto texte = [&](std::size_t i) { return traces[i].operation == Op::Texte && EstTexte(traces[i].texte); };
        for (std::size_t i = 1; i < traces.size(); ++i) {
            const Boite b = BoiteDe(page, traces[i]);
            (texte(i) ? textes : encre).push_back(b);
            if (traces[i].operation != Op::Texte || !noms.count(traces[i].texte))
                continue;
            Boite d = b;
            for (std::size_t j = i - 1; j > 0; --j) {
                if (texte(j))
                    continue; // the beat's text, printed before its chord
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
            std::vector<Boite> autres;
            for (std::size_t i = 1; i < traces.size(); ++i)
                if (i != n)
                    autres.push_back(BoiteDe(page, traces[i]));
            EXPECT_EQ(lyrx_test::Couvertes(BoiteDe(page, traces[n]), autres), "");
        }
        // The texts stand clear of every other ink and of each other.
        for (std::size_t i = 0; i < textes.size(); ++i) {
            EXPECT_EQ(lyrx_test::Couvertes(textes[i], encre), "") << "text " << i;
            EXPECT_EQ(lyrx_test::Couvertes(textes[i], std::span(textes).subspan(i + 1)), "") << "text " << i;
        }
    }
};

TEST_P(DiagrammesEcranPapier, DiagramsOnEveryBeatNeverMeetAndEndingsKeepTheirNumbers)
{
    ParamEcranCourant.ColDiag = kBleu;
    ParamEcranCourant.FontTxt.Col = kVert;
    AppliquerPolices();
    for (const Cas c : {Cas{2, 1, false}, Cas{3, 1, false}, Cas{4, 1, false}, Cas{2, 0, false}, Cas{3, 0, false},
                        Cas{4, 0, false}, Cas{2, 0, true}, Cas{3, 0, true}, Cas{4, 0, true}, Cas{4, 0, false, true},
                        Cas{2, 0, true, true}, Cas{4, 1, false, true}}) {
        SCOPED_TRACE(Nom(c));
        OuvrirChanson(c);
        for (const int largeur : {1000, 640}) {
            SCOPED_TRACE(std::to_string(largeur) + " pixels");
            fenetre_->resize(largeur, 700);
            QCoreApplication::processEvents();
            ASSERT_EQ(fenetre_->width(), largeur);
            VerifierEcran(c.textes);
        }
        SCOPED_TRACE("paper");
        VerifierPapier();
    }
}

INSTANTIATE_TEST_SUITE_P(Langues, DiagrammesEcranPapier, ::testing::Values("English", "Francais"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace
