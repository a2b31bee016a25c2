// Beat texts painted through the Qt canvas on screen (every line of the view, at two widths),
// in the edit zone and on a printed page, each known by the beat it belongs to and measured by
// the columns its glyphs ink: every text stays beside its beat, within its measure's bar lines,
// and a space of its font from every other text, moved or not.
#include "CanevasTeinte.h"
#include "SurfaceCanevas.h"
#include "editor/EcranNotes.h"
#include "editor/FixtureEcran.h"

#include "editor/DessinSaisie.h"
#include "print/ImpPartition.h"
#include "print/Impress.h"
#include "platform/Arrondi.h"
#include "platform/qt/CanevasQt.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A text as drawn: its beat, the columns it inks, its cell's rows, and the room around its
// beat on that picture.
struct TexteVu {
    int ligne = 0; // on screen, each on the picture of its line
    int mesure = 0, temps = 0;
    std::string texte;
    int gauche = 0, droite = 0; // ink, right excluded
    int haut = 0, bas = 0;      // cell
    int espace = 0;             // a space of its font
    int xTemps = 0, xSuivant = 0;       // its beat, and the next one (or the closing bar line)
    int barreAvant = 0, barreApres = 0; // its measure's bar lines
};

struct CleEncre {
    int ppp;
    platform::StyleFonte fonte;
    std::string texte;
    bool operator<(const CleEncre& m) const
    {
        return std::tie(ppp, fonte.nom, fonte.taille, fonte.gras, fonte.italique, texte) <
               std::tie(m.ppp, m.fonte.nom, m.fonte.taille, m.fonte.gras, m.fonte.italique, m.texte);
    }
};

// The columns a text inks from the left of its cell, its cell's height and a space's width,
// found by drawing it alone.
struct Encre {
    int gauche = 0, droite = 0, hauteur = 0, espace = 0;
};

Encre EncreDe(const CleEncre& m)
{
    static std::map<CleEncre, Encre> connues;
    if (const auto trouvee = connues.find(m); trouvee != connues.end())
        return trouvee->second;
    QImage image(2400, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    Encre e;
    {
        QPainter peintre(&image);
        platform::CanevasQt c(peintre, m.ppp);
        c.SetFonte(m.fonte);
        c.SetBrosseVide();
        c.TextOut(200, 100, m.texte);
        e.hauteur = c.TextHeight(m.texte);
        e.espace = c.TextWidth(" ");
    }
    int gauche = image.width(), droite = 0;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                gauche = std::min(gauche, x);
                droite = std::max(droite, x + 1);
            }
    e.gauche = gauche - 200;
    e.droite = droite - 200;
    return connues[m] = e;
}

class TextesTemps : public FixtureEcran {
protected:
    void SetUp() override
    {
        FixtureEcran::SetUp();
        impression_ = ParamImpCourant;
        ParamImpCourant = TZoneImpression{};
        AppliquerPolices();
        InitialiserImpression();
        ParamEcranCourant.AffNum = false;
        Partition.Auteur = "Somebody Writer";
    }
    void TearDown() override
    {
        CanvasImpr = nullptr;
        InstallerSurfacePartition(nullptr);
        ParamImpCourant = impression_;
        FixtureEcran::TearDown();
    }

    // The beats with a text, in the order they are drawn.
    static std::vector<std::pair<int, int>> TempsAvecTexte(int premiere, int derniere)
    {
        std::vector<std::pair<int, int>> r;
        for (int m = premiere; m <= derniere; ++m)
            for (int b = 1; b <= Mesure(m).NbTemps[PisteCourante]; ++b)
                if (!Temps(b, m).Texte.empty())
                    r.emplace_back(m, b);
        return r;
    }

    // The texts of `attendus` among what `canevas` wrote, in order, each where its beat is.
    template <class Geometrie>
    static std::vector<TexteVu> Vus(const CanevasTeinte& canevas, const std::vector<std::pair<int, int>>& attendus,
                                    Geometrie geometrie)
    {
        std::vector<TexteVu> vus;
        auto suivant = attendus.begin();
        for (const CanevasTeinte::Ecrit& e : canevas.ecrits) {
            if (suivant == attendus.end())
                break;
            const auto [m, b] = *suivant;
            if (e.texte != Temps(b, m).Texte.view())
                continue;
            const Encre encre = EncreDe({canevas.PixelsParPouce(), e.fonte, e.texte});
            TexteVu v{0, m, b, e.texte, e.x + encre.gauche, e.x + encre.droite, e.y, e.y + encre.hauteur, encre.espace};
            geometrie(v);
            vus.push_back(v);
            ++suivant;
        }
        EXPECT_EQ(vus.size(), attendus.size());
        EXPECT_FALSE(vus.empty());
        return vus;
    }

    // Every line of the score view `largeur` wide, laid out and painted as the view does.
    std::vector<TexteVu> Ecran(int largeur)
    {
        LignesAffichage.LargeurDispo = largeur - 6;
        LigaturerPartition();
        QImage image(largeur, 600, QImage::Format_RGB32);
        QPainter peintre(&image);
        platform::CanevasQt qt(peintre);
        CanevasTeinte canevas(qt, [](std::string_view) { return false; });
        SurfaceCanevas surface(canevas);
        InstallerSurfacePartition(&surface);
        CouperLignes();
        LignesAffichage.RangeeTextes = MesurerRangeeTextes();
        CouperLignes();
        InstallerSurfacePartition(nullptr);
        const int mg = ParamEcranCourant.MargeGaucheLignes;
        std::vector<TexteVu> vus;
        for (int ligne = 1; ligne <= LignesAffichage.NbLignes; ++ligne) {
            const int premiere = LignesAffichage.PremiereMesure[ligne];
            if (premiere == 0)
                continue;
            const int derniere = LignesAffichage.DerniereMesure[ligne];
            canevas.ecrits.clear();
            image.fill(Qt::white);
            DessinerLigne(canevas, ligne, image.width(), HauteurLigne() + LignesAffichage.RangeeTextes);
            // The bar lines as DessinerLigne draws them.
            std::map<int, std::pair<int, int>> barres;
            for (int m = premiere, x = 0; m <= derniere; ++m) {
                barres[m] = {mg + x, mg + Mesure(m).Largeur + Mesure(m).EspaceDroite};
                x = Mesure(m).Largeur + Mesure(m).EspaceDroite;
            }
            for (const TexteVu& v : Vus(canevas, TempsAvecTexte(premiere, derniere), [&](TexteVu& v) {
                     const int nb = Mesure(v.mesure).NbTemps[PisteCourante];
                     v.ligne = ligne;
                     std::tie(v.barreAvant, v.barreApres) = barres[v.mesure];
                     v.xTemps = mg + Temps(v.temps, v.mesure).XEcran;
                     v.xSuivant = v.temps < nb ? mg + Temps(v.temps + 1, v.mesure).XEcran : v.barreApres;
                 })) {
                EXPECT_GE(v.haut, 0) << v.texte << " of measure " << v.mesure << ": the line grows for it";
                vus.push_back(v);
            }
        }
        return vus;
    }

    // The song printed on an A4 page at 150 dots per inch; the top of the author's name.
    std::vector<TexteVu> Papier(int& basEntete)
    {
        QImage image(1240, 1754, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter peintre(&image);
        platform::CanevasQt qt(peintre, 150);
        CanevasTeinte canevas(qt, [](std::string_view) { return false; });
        TSortieCanevas sortie(canevas, image.width(), image.height());
        EXPECT_EQ(ImprimerPartition(sortie, 0, 0, 1), Partition.NbMesures + 1);
        EXPECT_EQ(sortie.DernierePage(), 1);
        const TZoneImpression& p = ParamImpCourant;
        const double e = EchelleImpr();
        auto px = [&](double x) { return static_cast<int>(platform::Round((x + p.MargeGaucheLignes) * e)); };
        for (const CanevasTeinte::Ecrit& ecrit : canevas.ecrits)
            if (ecrit.texte == Partition.Auteur.view())
                basEntete = ecrit.y + EncreDe({150, ecrit.fonte, ecrit.texte}).hauteur;
        // A measure whose first beat stands left of the one before it starts a line.
        std::map<int, std::pair<int, int>> barres;
        for (int m = 1; m <= Partition.NbMesures; ++m) {
            const bool debut = m == 1 || Temps(1, m).XImp < Temps(1, m - 1).XImp;
            const double avant = debut ? 0 : Mesure(m - 1).LargeurImp + Mesure(m - 1).EspaceDroiteImp;
            barres[m] = {px(avant), px(Mesure(m).LargeurImp + Mesure(m).EspaceDroiteImp)};
        }
        return Vus(canevas, TempsAvecTexte(1, Partition.NbMesures), [&](TexteVu& v) {
            const int nb = Mesure(v.mesure).NbTemps[PisteCourante];
            std::tie(v.barreAvant, v.barreApres) = barres[v.mesure];
            v.xTemps = px(Temps(v.temps, v.mesure).XImp);
            v.xSuivant = v.temps < nb ? px(Temps(v.temps + 1, v.mesure).XImp) : v.barreApres;
        });
    }

    // Measure m in the edit zone.
    std::vector<TexteVu> ZoneSaisie(int m)
    {
        Partition.MesureCourante = m;
        QImage image(Curseur.LargeurZone + 2 * Curseur.MargeGauche, 153, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter peintre(&image);
        platform::CanevasQt qt(peintre);
        CanevasTeinte canevas(qt, [](std::string_view) { return false; });
        DessinerTextesSaisie(canevas);
        Partition.MesureCourante = 1;
        return Vus(canevas, TempsAvecTexte(m, m), [](TexteVu&) {});
    }

    // No two texts on the same rows closer than a space.
    static void EspacesEntre(const std::vector<TexteVu>& vus)
    {
        for (std::size_t i = 0; i < vus.size(); ++i)
            for (std::size_t j = i + 1; j < vus.size(); ++j) {
                const TexteVu& a = vus[i];
                const TexteVu& b = vus[j];
                if (a.ligne != b.ligne || a.haut >= b.bas || b.haut >= a.bas)
                    continue;
                const int ecart = std::max(b.gauche - a.droite, a.gauche - b.droite);
                EXPECT_GE(ecart, std::max(a.espace, b.espace))
                    << "\"" << a.texte << "\" of measure " << a.mesure << " and \"" << b.texte << "\" of measure "
                    << b.mesure;
            }
    }

    // Each text reaches its beat and starts before the next one, between its measure's bar
    // lines unless it is longer than the measure.
    static void PresDeLeurTemps(const std::vector<TexteVu>& vus)
    {
        for (const TexteVu& v : vus) {
            SCOPED_TRACE("\"" + v.texte + "\" of measure " + std::to_string(v.mesure));
            EXPECT_GT(v.droite, v.xTemps);
            EXPECT_LT(v.gauche, v.xSuivant);
            EXPECT_GE(v.gauche, v.barreAvant);
            if (v.droite - v.gauche < v.barreApres - v.barreAvant) {
                EXPECT_LE(v.droite, v.barreApres);
            }
        }
    }

    TZoneImpression impression_;
};

std::shared_ptr<const TAccord> Accord(const char* nom, std::array<int32_t, 7> frettes)
{
    TAccord a;
    a.Nom = nom;
    a.Frettes = frettes;
    return std::make_shared<const TAccord>(a);
}

} // namespace

TEST_F(TextesTemps, EveryTextStaysBesideItsBeatWithinItsMeasureASpaceFromTheOthers)
{
    const char* const quatre[] = {"let ring all", "barre chord", "a tempo", "Chorus"};
    const char* const grille[] = {"Intro", "Verse", "a tempo", "Chorus"};
    const std::shared_ptr<const TAccord> accords[] = {
        Accord("C", {0, 0, 1, 0, 2, 3, -1}), Accord("G", {0, 3, 0, 0, 0, 2, 3}), Accord("Am", {0, 0, 1, 2, 2, 0, -1}),
        Accord("F", {0, 1, 1, 2, 3, 3, 1})};
    struct Cas {
        const char* nom;
        void (*remplir)(const char* const* quatre, const char* const* grille,
                        const std::shared_ptr<const TAccord>* accords);
    };
    const Cas cas[] = {
        // "a tempo" and "Chorus" went over the next measure, a hundred pixels from their beats.
        {"four texts on the quarters, no diagrams",
         [](const char* const* quatre, const char* const*, const std::shared_ptr<const TAccord>*) {
             Mesures(12);
             for (int m = 1; m <= 12; ++m) {
                 Battements({0, 0, 0, 0}, m);
                 for (int b = 1; m % 2 == 1 && b <= 4; ++b)
                     Temps(b, m).Texte = quatre[b - 1];
             }
         }},
        // "Chorus" stood over the next bar's C; on paper "Versea tempo" in every bar.
        {"a chord chart",
         [](const char* const*, const char* const* grille, const std::shared_ptr<const TAccord>* accords) {
             Mesures(12);
             for (int m = 1; m <= 12; ++m) {
                 Battements({0, 0, 0, 0}, m);
                 for (int b = 1; b <= 4; ++b) {
                     Temps(b, m).Texte = grille[b - 1];
                     Temps(b, m).AvecAccord = true;
                     Temps(b, m).Accord = accords[b - 1];
                 }
             }
         }},
        // "Introrit.", "let ring allVerse"; a text on a line's last beat went to the margin.
        {"eighths, texts on the first and last beats",
         [](const char* const*, const char* const*, const std::shared_ptr<const TAccord>* accords) {
             Mesures(12);
             const char* const divers[] = {"Intro", "rit.", "let ring all", "Verse"};
             for (int m = 1; m <= 12; ++m) {
                 Battements({1, 1, 1, 1, 1, 1, 1, 1}, m);
                 Temps(1, m).Texte = divers[(m - 1) % 4];
                 Temps(2, m).Texte = divers[m % 4];
                 Temps(8, m).Texte = divers[(m + 2) % 4];
                 Temps(7, m).AvecAccord = m % 3 == 0;
                 Temps(7, m).Accord = accords[m % 4];
             }
         }},
        // In the edit zone "dim. poco" ends where the next beat's text starts: read as one.
        {"texts as wide as the edit zone's beats",
         [](const char* const*, const char* const*, const std::shared_ptr<const TAccord>*) {
             Mesures(4);
             const char* const larges[] = {"dim. poco", "Chorus", "pizzicato", "rit."};
             for (int m = 1; m <= 4; ++m) {
                 Battements({0, 0, 0, 0}, m);
                 for (int b = 1; b <= 4; ++b)
                     Temps(b, m).Texte = larges[b - 1];
             }
         }},
        {"a text longer than its measure",
         [](const char* const*, const char* const*, const std::shared_ptr<const TAccord>*) {
             Mesures(4);
             Battements({-2}, 1);
             Temps(1, 1).Texte = "this text is longer than its measure";
             for (int m = 2; m <= 4; ++m) {
                 Battements({0, 0, 0, 0}, m);
                 Temps(1, m).Texte = "short";
             }
         }},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        ReinitialiserPartition();
        Partition.Auteur = "Somebody Writer";
        c.remplir(quatre, grille, accords);
        for (const int largeur : {974, 614}) {
            SCOPED_TRACE("screen " + std::to_string(largeur) + " wide");
            const std::vector<TexteVu> vus = Ecran(largeur);
            PresDeLeurTemps(vus);
            EspacesEntre(vus);
        }
        {
            SCOPED_TRACE("edit zone");
            const std::vector<TexteVu> vus = ZoneSaisie(1);
            EspacesEntre(vus);
        }
        {
            SCOPED_TRACE("paper");
            int basEntete = -1;
            const std::vector<TexteVu> vus = Papier(basEntete);
            PresDeLeurTemps(vus);
            EspacesEntre(vus);
            ASSERT_GT(basEntete, 0);
            for (const TexteVu& v : vus)
                EXPECT_GT(v.haut, basEntete) << "\"" << v.texte << "\" of measure " << v.mesure << " in the header";
        }
    }
}
