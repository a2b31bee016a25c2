// A beat's marks and the amounts of its bends placed by the score view and by print: one table
// of cases run through both painters, each measured in millimetres from its beat and its top
// string (a screen pixel counting as the printed string gap over the screen's), so that the two
// are seen to take the same decision and to leave the same kind of room; and tables of crowded
// songs painted and printed through the Qt canvas, whose ink is probed pixel by pixel.
#include "editor/FixtureEcran.h"
#include "support/BoitesTraces.h"

#include "CanevasTeinte.h"
#include "SurfaceCanevas.h"
#include "editor/EcranNotes.h"
#include "editor/Fontes.h"
#include "print/ImpEffets.h"
#include "print/ImpLignes.h"
#include "print/ImpNotes.h"
#include "print/ImpPartition.h"
#include "print/Impress.h"
#include "platform/qt/CanevasQt.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The score painter and the print engine set up side by side, the print settings given back.
class FixtureEcranPapier : public FixtureEcran {
protected:
    void SetUp() override
    {
        FixtureEcran::SetUp();
        impression_ = ParamImpCourant;
        ParamImpCourant = TZoneImpression{};
        InitialiserImpression();
    }

    void TearDown() override
    {
        CanvasImpr = nullptr;
        ParamImpCourant = impression_;
        DefinirSeparateurDecimal('.');
        FixtureEcran::TearDown();
    }

private:
    TZoneImpression impression_;
};

class MarquesEcranPapier : public FixtureEcranPapier {
protected:
    void SetUp() override
    {
        FixtureEcranPapier::SetUp();
        ParamImpCourant.EchellePixMm = 10;
        ParamImpCourant.CoefProportions = 1;
        ParamImpCourant.ZoomApercu = 1;
        ParamImpCourant.MargeGaucheLignes = 10;
        ParamImpCourant.PosY = 50;
        ParamImpCourant.MesureEnCours = 1;
        CanvasImpr = &papier;
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

namespace {

// The pixels of a picture of `taille` where `marque` holds, and how many times one of them
// touches one where `autre` holds, corners included, with where (the first few).
struct Contacts {
    int marques = 0, contacts = 0;
    std::string ou;
};

Contacts CompterContacts(QSize taille, const std::function<bool(int, int)>& marque,
                         const std::function<bool(int, int)>& autre)
{
    Contacts c;
    for (int y = 1; y < taille.height() - 1; ++y)
        for (int x = 1; x < taille.width() - 1; ++x) {
            if (!marque(x, y))
                continue;
            ++c.marques;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (autre(x + dx, y + dy)) {
                        ++c.contacts;
                        if (c.ou.size() < 200)
                            c.ou += " " + std::to_string(x) + "," + std::to_string(y);
                    }
        }
    return c;
}

// Draws through a Qt canvas with this canvas's pen, brush and font, some of the ink in green:
// each kind of drawing asks Etat for the Qt canvas, telling whether it is to be green.
class CanevasRelais : public platform::Canevas {
public:
    explicit CanevasRelais(platform::CanevasQt& qt) : qt_(qt) {}
    int Largeur() const override { return qt_.Largeur(); }
    int Hauteur() const override { return qt_.Hauteur(); }
    int PixelsParPouce() const override { return qt_.PixelsParPouce(); }

protected:
    virtual platform::CanevasQt& Etat(bool vert) = 0;

    void DessinerRectangle(int x1, int y1, int x2, int y2) override { Etat(false).Rectangle(x1, y1, x2, y2); }
    void DessinerFillRect(int x1, int y1, int x2, int y2) override { Etat(false).FillRect(x1, y1, x2, y2); }
    void DessinerLigne(int x1, int y1, int x2, int y2) override { Etat(false).Ligne(x1, y1, x2, y2); }
    void DessinerPolyline(std::span<const platform::Point> points) override { Etat(false).Polyline(points); }
    void DessinerPolygone(std::span<const platform::Point> points) override { Etat(false).Polygone(points); }
    void DessinerEllipse(int x1, int y1, int x2, int y2) override { Etat(false).Ellipse(x1, y1, x2, y2); }
    void DessinerArc(int x1, int y1, int x2, int y2, int xs, int ys, int xe, int ye) override
    {
        Etat(false).Arc(x1, y1, x2, y2, xs, ys, xe, ye);
    }
    void DessinerPixel(int x, int y, platform::Couleur couleur) override { Etat(false).SetPixel(x, y, couleur); }
    int DessinerTexte(int x, int y, std::string_view texte) override
    {
        Etat(false).TextOut(x, y, texte);
        return qt_.TextWidth(texte);
    }
    platform::Dimension MesurerTexte(std::string_view texte) override { return Etat(false).TextExtent(texte); }

    // The Qt canvas with this canvas's pen (green when `vert`), brush and font.
    platform::CanevasQt& Prendre(bool vert)
    {
        platform::Stylo stylo = StyloCourant();
        if (vert)
            stylo.couleur = platform::clLime;
        qt_.SetStylo(stylo);
        qt_.SetBrosse(BrosseCourante());
        qt_.SetFonte(Fonte());
        return qt_;
    }

    platform::CanevasQt& qt_;
};

// In green the arcs and the strokes that follow one straight away (a bend's arrow).
class CanevasArcs final : public CanevasRelais {
public:
    using CanevasRelais::CanevasRelais;

protected:
    void DessinerLigne(int x1, int y1, int x2, int y2) override { Etat(apresArc_).Ligne(x1, y1, x2, y2); }
    void DessinerArc(int x1, int y1, int x2, int y2, int xs, int ys, int xe, int ye) override
    {
        Etat(true).Arc(x1, y1, x2, y2, xs, ys, xe, ye);
    }
    platform::Dimension MesurerTexte(std::string_view texte) override { return Etat(apresArc_).TextExtent(texte); }

private:
    platform::CanevasQt& Etat(bool vert) override
    {
        apresArc_ = vert;
        return Prendre(vert);
    }
    bool apresArc_ = false;
};

// In green the strokes of a zigzag (a vibrato or tremolo-bar wave: strokes each starting where
// the last ended, as wide, the other way up). A stroke is drawn once the next drawing tells
// whether it goes on a zigzag; Finir draws the last.
class CanevasVagues final : public CanevasRelais {
public:
    using CanevasRelais::CanevasRelais;
    void Finir() { Vider(); }

protected:
    void DessinerLigne(int x1, int y1, int x2, int y2) override
    {
        const Trait trait{x1, y1, x2, y2, StyloCourant(), false};
        if (attente_ && attente_->x2 == x1 && attente_->y2 == y1 && x1 < x2 && attente_->x1 < attente_->x2 &&
            std::abs((x2 - x1) - (attente_->x2 - attente_->x1)) <= 1 && y1 != y2 &&
            (y2 > y1) != (attente_->y2 > attente_->y1)) {
            attente_->vague = true;
            Tracer(*attente_);
            attente_ = trait;
            attente_->vague = true;
            return;
        }
        Vider();
        attente_ = trait;
    }
    // Measuring draws nothing: a stroke waiting may still go on.
    platform::Dimension MesurerTexte(std::string_view texte) override
    {
        qt_.SetFonte(Fonte());
        return qt_.TextExtent(texte);
    }

private:
    struct Trait {
        int x1, y1, x2, y2;
        platform::Stylo stylo;
        bool vague;
    };
    void Tracer(const Trait& t)
    {
        platform::Stylo stylo = t.stylo;
        if (t.vague)
            stylo.couleur = platform::clLime;
        qt_.SetStylo(stylo);
        qt_.Ligne(t.x1, t.y1, t.x2, t.y2);
    }
    void Vider()
    {
        if (attente_)
            Tracer(*attente_);
        attente_.reset();
    }
    platform::CanevasQt& Etat(bool) override
    {
        Vider();
        return Prendre(false);
    }
    std::optional<Trait> attente_;
};

// The song's first line painted on screen and its first page printed, both through the Qt
// canvas (print at 254 dots per inch, a page of A4), with the texts a test follows written in
// green one at a time: no other ink, lines, strokes, frets or numbers, may touch one. The
// same for the ink of the waves.
class MarquesEncre : public FixtureEcranPapier {
protected:
    void SetUp() override
    {
        FixtureEcranPapier::SetUp();
        // The fonts as at start-up, then the print fonts over them.
        AppliquerPolices();
        InitialiserImpression();
        CanvasImpr = nullptr;
    }

    enum class Support { Ecran, Papier };

    // Line 1 at a view `largeur_` wide, or page 1, drawn on the canvas `habit` puts over the
    // picture's Qt canvas, then `fin` called while that canvas still draws.
    using Habit = std::function<platform::Canevas&(platform::CanevasQt&)>;
    QImage PeindreSur(Support support, const Habit& habit, const std::function<void()>& fin = {}) const
    {
        LigaturerPartition();
        if (support == Support::Ecran) {
            // Lines grown for the texts that go up, as the view lays them out.
            LignesAffichage.LargeurDispo = largeur_;
            QImage mesure(largeur_, 1, QImage::Format_RGB32);
            QPainter peintreMesure(&mesure);
            platform::CanevasQt qtMesure(peintreMesure);
            SurfaceCanevas surface(qtMesure);
            InstallerSurfacePartition(&surface);
            LignesAffichage.RangeeTextes = 0;
            CouperLignes();
            LignesAffichage.RangeeTextes = MesurerRangeeTextes();
            CouperLignes();
            InstallerSurfacePartition(nullptr);
            QImage image(largeur_, HauteurLigne() + LignesAffichage.RangeeTextes, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter peintre(&image);
            platform::CanevasQt qt(peintre);
            DessinerLigne(habit(qt), 1, image.width(), image.height());
            if (fin)
                fin();
            return image;
        }
        // The first lines of an A4 page: the rest of it is drawn off the picture.
        QImage image(2100, 1400, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter peintre(&image);
        platform::CanevasQt qt(peintre, 254);
        TSortieCanevas sortie(habit(qt), 2100, 2970);
        ImprimerPartition(sortie, 1, 1, 1);
        if (fin)
            fin();
        return image;
    }

    // The texts `teinte` picks in green; `teintes` gets their cells.
    QImage Peindre(Support support, const std::function<bool(std::string_view)>& teinte,
                   std::vector<QRect>* teintes = nullptr) const
    {
        std::optional<CanevasTeinte> canevas;
        const QImage image = PeindreSur(support, [&](platform::CanevasQt& qt) -> platform::Canevas& {
            return canevas.emplace(qt, teinte, platform::clLime);
        });
        if (teintes)
            *teintes = canevas->Teintes();
        return image;
    }

    static bool Vert(QRgb p) { return qGreen(p) > qRed(p) + 60 && qGreen(p) > qBlue(p) + 60; }
    // Ink, whatever its colour, but the faint edge of a smoothed stroke.
    static bool Encre(QRgb p) { return std::min({qRed(p), qGreen(p), qBlue(p)}) < 160 && !Vert(p); }

    // Each text `suivi` picks, in green alone in turn, on `support`: it must be drawn and touch
    // no other ink, corners included, nor lose any of its ink under what is drawn after it (a
    // white box on paper): each shows as much as the most whole one of its kind.
    void VerifierTextes(Support support, const std::function<bool(std::string_view)>& suivi) const
    {
        std::map<std::string, std::vector<std::pair<int, QPoint>>> encres;
        for (int k = 0;; ++k) {
            std::string texte;
            int n = 0;
            std::vector<QRect> teintes;
            const QImage image = Peindre(
                support,
                [&](std::string_view t) {
                    if (!suivi(t) || n++ != k)
                        return false;
                    texte = t;
                    return true;
                },
                &teintes);
            if (teintes.empty()) {
                EXPECT_GT(k, 0) << "no text followed";
                break;
            }
            EXPECT_GE(teintes[0].top(), 0) << "\"" << texte << "\" off the picture";
            const QRect zone = teintes[0].adjusted(-4, -4, 4, 4).intersected(image.rect().adjusted(1, 1, -1, -1));
            int verts = 0, contacts = 0;
            for (int y = zone.top(); y <= zone.bottom(); ++y)
                for (int x = zone.left(); x <= zone.right(); ++x) {
                    if (!Vert(image.pixel(x, y)))
                        continue;
                    ++verts;
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx)
                            contacts += Encre(image.pixel(x + dx, y + dy)) ? 1 : 0;
                }
            EXPECT_GT(verts, 0) << "\"" << texte << "\" at " << teintes[0].x() << "," << teintes[0].y();
            EXPECT_EQ(contacts, 0) << "\"" << texte << "\" at " << teintes[0].x() << "," << teintes[0].y();
            // A grace note "12" and a fret "12" are of different sizes.
            encres[texte + " of " + std::to_string(teintes[0].width()) + " x " + std::to_string(teintes[0].height())]
                .emplace_back(verts, teintes[0].topLeft());
        }
        for (const auto& [texte, verts] : encres) {
            const int entier = std::ranges::max(verts, {}, &std::pair<int, QPoint>::first).first;
            for (const auto& [n, ou] : verts)
                EXPECT_EQ(n, entier) << "\"" << texte << "\" at " << ou.x() << "," << ou.y() << " partly hidden";
        }
    }

    // The arcs and arrows of the bends on `support`, in green: they must be drawn, and touch no
    // other ink but the staff's lines, from which they rise and to which they come down (no
    // more than 3 pixels high where they meet them).
    void VerifierArcs(Support support) const
    {
        std::optional<CanevasArcs> canevas;
        const QImage image = PeindreSur(
            support, [&](platform::CanevasQt& qt) -> platform::Canevas& { return canevas.emplace(qt); });
        const auto ligne = [&](int x, int y) {
            int haut = y, bas = y;
            while (haut > 0 && Encre(image.pixel(x, haut - 1)))
                --haut;
            while (bas + 1 < image.height() && Encre(image.pixel(x, bas + 1)))
                ++bas;
            return bas - haut < 3;
        };
        int verts = 0, contacts = 0;
        std::string ou;
        for (int y = 1; y < image.height() - 1; ++y)
            for (int x = 1; x < image.width() - 1; ++x) {
                if (!Vert(image.pixel(x, y)))
                    continue;
                ++verts;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (Encre(image.pixel(x + dx, y + dy)) && !ligne(x + dx, y + dy)) {
                            ++contacts;
                            if (ou.size() < 200)
                                ou += " " + std::to_string(x + dx) + "," + std::to_string(y + dy);
                        }
            }
        EXPECT_GT(verts, 10);
        EXPECT_EQ(contacts, 0) << "arcs at" << ou;
    }

    // The waves of beats `vagues` (their effect, taken away for the picture without them) must
    // be drawn and touch no other ink.
    void VerifierVagues(Support support, const std::vector<std::pair<int, int>>& vagues) const
    {
        const auto rien = [](std::string_view) { return false; };
        const QImage avec = Peindre(support, rien);
        std::vector<int8_t> effets;
        for (const auto& [m, b] : vagues) {
            effets.push_back(Temps(b, m).Effet);
            Temps(b, m).Effet = 0;
        }
        const QImage sans = Peindre(support, rien);
        for (std::size_t i = 0; i < vagues.size(); ++i)
            Temps(vagues[i].second, vagues[i].first).Effet = effets[i];
        const Contacts c = CompterContacts(
            avec.size(), [&](int x, int y) { return Encre(avec.pixel(x, y)) && !Encre(sans.pixel(x, y)); },
            [&](int x, int y) { return Encre(sans.pixel(x, y)); });
        EXPECT_GT(c.marques, 10);
        EXPECT_EQ(c.contacts, 0) << "wave at" << c.ou;
    }

    // The waves on `support`, in green: they must be drawn and touch no other ink. Unlike
    // VerifierVagues, the picture is taken once, for a wave may move what stands over it.
    void VerifierZigzags(Support support) const
    {
        std::optional<CanevasVagues> canevas;
        const QImage image = PeindreSur(
            support, [&](platform::CanevasQt& qt) -> platform::Canevas& { return canevas.emplace(qt); },
            [&] { canevas->Finir(); });
        const Contacts c = CompterContacts(
            image.size(), [&](int x, int y) { return Vert(image.pixel(x, y)); },
            [&](int x, int y) { return Encre(image.pixel(x, y)); });
        EXPECT_GT(c.marques, 10);
        EXPECT_EQ(c.contacts, 0) << "wave at" << c.ou;
    }

    // `verifier` on screen in views 1000 and 640 pixels wide, then on paper, named after `nom`.
    void Partout(const std::string& nom, const std::function<void(Support)>& verifier)
    {
        for (const int largeur : {1000, 640}) {
            largeur_ = largeur;
            SCOPED_TRACE(nom + " on screen at " + std::to_string(largeur));
            verifier(Support::Ecran);
        }
        SCOPED_TRACE(nom + " on paper");
        verifier(Support::Papier);
    }

    // The usual note spacing and rhythm proportion, or the narrowest the preferences allow (0
    // and 1.0), on screen and on paper.
    static void Espacement(bool serre)
    {
        ParamEcranCourant.CoefEspAff = serre ? 0 : 5;
        ParamEcranCourant.CoefPImp = serre ? 1.0 : 1.5;
        ParamImpCourant.CoefEspAff_Prt = ParamEcranCourant.CoefEspAff;
        ParamImpCourant.CoefPImp = ParamEcranCourant.CoefPImp;
        CalculerLargeursTemps();
        CalculerLargeursTempsImpression();
    }

    struct Bend {
        int effet;
        double valeur;
    };

    // Two measures of `n` beats of code `code`, beat b a double stop on strings p and p + 1 (p
    // going from 1 to 4 and again), frets 10 and 12, bent by `haut` and `bas` (an effect and an
    // amount each), with beat effect `effet` (its amount 1); with `textes`, a text over every
    // other beat.
    static void DoublesBends(int n, int code, Bend haut, Bend bas, int effet, int premiereCorde = 0,
                             bool textes = false)
    {
        Mesures(2);
        for (int m = 1; m <= 2; ++m) {
            for (int b = 1; b <= n; ++b) {
                TTemps& t = Temps(b, m);
                t = TTemps{};
                t.CodeDuree = static_cast<int8_t>(code);
                t.Duree = DureeEnTicks(code, false, false);
                const int p = premiereCorde ? premiereCorde : (b - 1) % 4 + 1;
                t.Notes[p].Frette = 10;
                t.Notes[p + 1].Frette = 12;
                t.Notes[p].Effet = static_cast<uint8_t>(haut.effet);
                t.Notes[p].ValeurBend = haut.valeur;
                t.Notes[p + 1].Effet = static_cast<uint8_t>(bas.effet);
                t.Notes[p + 1].ValeurBend = bas.valeur;
                t.Effet = static_cast<int8_t>(effet);
                t.ValeurCoupVib = 1;
                if (textes && b % 2 == 1)
                    t.Texte = kTextes[(b / 2 + m) % std::size(kTextes)];
            }
            Mesure(m).NbTemps[PisteCourante] = n;
        }
    }

    static constexpr const char* kTextes[] = {"Chorus", "palm mute", "rit.", "let ring all"};

    int largeur_ = 1000;
};

bool Valeur(std::string_view t)
{
    return t == "1" || t == "2" || t == "1.5" || t == "2.5" || t == "1,5" || t == "2,5" || t == "1/2";
}

bool ValeurOuTexte(std::string_view t)
{
    return Valeur(t) || t == "Chorus" || t == "palm mute" || t == "rit." || t == "let ring all";
}

} // namespace

TEST_F(MarquesEncre, BentDoubleStopsAndVibratoStrokesOnEighthsKeepEveryAmountClear)
{
    // Under beat texts the Vs still move up over the amounts: the texts go up over them instead
    // of holding them down on the amounts ("11.5").
    struct Cas {
        const char* nom;
        Bend haut, bas;
        bool textes;
    };
    const Cas cas[] = {
        {"1 and 1", {5, 1}, {5, 1}, false},
        {"1.5 and 2.5", {5, 1.5}, {5, 2.5}, false},
        {"1/2 and 1/2", {5, 0.5}, {5, 0.5}, false},
        {"a release of 2 over a bend of 1", {6, 2}, {5, 1}, false},
        {"a bend of 1 over a release of 2", {5, 1}, {6, 2}, false},
        {"1.5 and 2.5 under texts", {5, 1.5}, {5, 2.5}, true},
        {"a release of 2 over a bend of 1 under texts", {6, 2}, {5, 1}, true},
    };
    for (const Cas& c : cas) {
        DoublesBends(8, 1, c.haut, c.bas, 3, 0, c.textes);
        Partout(c.nom, [&](Support support) { VerifierTextes(support, ValeurOuTexte); });
    }
}

TEST_F(MarquesEncre, BentDoubleStopsOnQuartersKeepEveryAmountClear)
{
    // The lower string's amount goes over the upper bend's arrow, and over the staff's line
    // above when it meets it there, the tail of a decimal comma as well.
    struct Cas {
        const char* nom;
        Bend haut, bas;
        char separateur;
    };
    const Cas cas[] = {
        {"1/2 and 1/2", {5, 0.5}, {5, 0.5}, '.'},
        {"1.5 and 2.5", {5, 1.5}, {5, 2.5}, '.'},
        {"1,5 and 2,5", {5, 1.5}, {5, 2.5}, ','},
        {"a release of 2 over a bend of 1", {6, 2}, {5, 1}, '.'},
    };
    for (const int corde : {1, 2, 3, 4}) {
        for (const Cas& c : cas) {
            const std::string nom =
                "strings " + std::to_string(corde) + " and " + std::to_string(corde + 1) + ", " + c.nom;
            DefinirSeparateurDecimal(c.separateur);
            DoublesBends(4, 0, c.haut, c.bas, 0, corde);
            Partout(nom, [&](Support support) { VerifierTextes(support, Valeur); });
        }
    }
}

TEST_F(MarquesEncre, WavesOverBentDoubleStopsKeepClearOfTheAmountsAndTheNextMeasuresNumber)
{
    for (const int code : {1, 0}) {
        for (const int effet : {1, 2}) {
            const std::string nom = std::string(effet == 1 ? "vibrato" : "tremolo bar") + (code ? " on eighths" : " on quarters");
            const int n = code ? 8 : 4;
            DoublesBends(n, code, {5, 1.5}, {5, 2.5}, effet);
            std::vector<std::pair<int, int>> vagues;
            for (int m = 1; m <= 2; ++m)
                for (int b = 1; b <= n; ++b)
                    vagues.emplace_back(m, b);
            Partout(nom, [&](Support support) {
                VerifierVagues(support, vagues);
                VerifierTextes(support, Valeur);
            });
        }
    }
}

TEST_F(MarquesEncre, AGraceNoteAfterATripletBeatKeepsClearOfBothFrets)
{
    // "5(12)": the grace note of the second beat of a triplet ran into the first beat's fret.
    // A "(12)" between two "12" finds no room there on triplet eighths, nor on the shortest
    // triplets at the narrowest spacing: the layout gives those beats the room.
    struct Cas {
        int code;       // of the triplet's beats
        int frette;     // of every beat
        int nuance;     // of the grace notes on the second and third beat of each triplet
        bool serre;     // spaced the narrowest
    };
    const Cas cas[] = {
        {1, 5, 3, false}, {1, 5, 6, false}, {1, 12, 6, false}, {1, 12, 3, false},
        {2, 12, 3, true}, {3, 12, 3, true}, {3, 12, 6, true}, {1, 12, 3, true},
    };
    for (const Cas& c : cas) {
        const std::string grace = c.nuance < 5 ? "(12)" : "12";
        const std::string frette = std::to_string(c.frette);
        Espacement(c.serre);
        Mesures(2);
        for (int m = 1; m <= 2; ++m) {
            for (int b = 1; b <= 12; ++b) {
                TTemps& t = Temps(b, m);
                t = TTemps{};
                t.CodeDuree = static_cast<int8_t>(c.code);
                t.Triolet = true;
                t.PosTriolet = static_cast<int8_t>((b - 1) % 3 + 1);
                t.Duree = DureeEnTicks(c.code, false, true);
                t.Notes[1].Frette = static_cast<int8_t>(c.frette);
                t.Notes[1].FretteGrace = 12;
                t.Notes[1].NuanceGrace = static_cast<uint8_t>(c.nuance);
                t.Notes[1].DureeGrace = static_cast<uint8_t>((b - 1) % 3 + 1);
            }
            Mesure(m).NbTemps[PisteCourante] = 12;
        }
        const std::string nom = grace + " after " + std::to_string(c.frette) + " on triplets of code " +
                                std::to_string(c.code) + (c.serre ? ", spaced tightest" : "");
        Partout(nom, [&](Support support) {
            VerifierTextes(support, [&](std::string_view t) { return t == grace || t == frette; });
        });
    }
}

TEST_F(MarquesEncre, BendsOnTheLastBeatKeepClearOfTheClosingBar)
{
    // On paper a release on the last beat reached the song's closing double bar; at the
    // narrowest spacing every bend on a last beat ran into the bar after it. Three measures:
    // a plain bar, a repeat's end played three times, the song's end.
    struct Cas {
        int effet;  // 5 bend, 6 bend and release
        int corde;  // of the bends
        int code;   // of the beats
        bool serre; // spaced the narrowest
    };
    const Cas cas[] = {
        {6, 3, 0, false}, {6, 3, 2, false}, {6, 1, 2, true}, {6, 3, 2, true},
        {5, 1, 2, true},  {5, 3, 2, true},  {6, 5, 3, true},
    };
    for (const Cas& c : cas) {
        Espacement(c.serre);
        Mesures(3);
        for (int m = 1; m <= 3; ++m) {
            for (int b = 1; b <= 4; ++b) {
                TTemps& t = Temps(b, m);
                t = TTemps{};
                t.CodeDuree = static_cast<int8_t>(c.code);
                t.Duree = DureeEnTicks(c.code, false, false);
                t.Notes[c.corde].Frette = 12;
            }
            Temps(4, m).Notes[c.corde].Effet = static_cast<uint8_t>(c.effet);
            Temps(4, m).Notes[c.corde].ValeurBend = 1.5;
            Mesure(m).NbTemps[PisteCourante] = 4;
        }
        Mesure(2).RenvoiFin = true;
        Mesure(2).NbRenvois = 3;
        const std::string nom = std::string(c.effet == 6 ? "a release" : "a bend") + " on string " +
                                std::to_string(c.corde) + " of beats of code " + std::to_string(c.code) +
                                (c.serre ? ", spaced tightest" : "");
        Partout(nom, [&](Support support) {
            VerifierArcs(support);
            VerifierTextes(support, Valeur);
        });
    }
}

TEST_F(MarquesEncre, BendsUnderChordDiagramsKeepTheirAmountsArrowsAndWavesClearOfTheDiagrams)
{
    // A diagram on every beat over bends on the top strings: the amounts ("11.5") and the
    // arrows ran into the diagrams' names and grids, and the waves into their names.
    struct Cas {
        const char* nom;
        int effet1, effet2; // on strings 1 and 2: 0 none, 5 a bend, 6 a bend and release
        bool vibrato;       // on beats 2 and 4
        int taille = 3;     // of the diagrams, 1 the largest; 0 the chord names alone
        bool textes = false; // a text over every other beat, which goes up over the diagram
    };
    const Cas cas[] = {
        {"bends on string 1", 5, 0, false},
        {"bends on string 2", 0, 5, false},
        {"bends on strings 1 and 2", 5, 5, false},
        {"releases on string 1 with vibrato", 6, 0, true},
        {"a release on string 1 over a bend on string 2", 6, 5, false},
        {"bends on strings 1 and 2 with vibrato", 5, 5, true},
        {"releases on string 2 with vibrato", 0, 6, true},
        {"the largest diagrams over bends on strings 1 and 2 with vibrato", 5, 5, true, 1},
        {"middle-sized diagrams over a release on string 1 and a bend on string 2", 6, 5, false, 2},
        {"chord names over bends on strings 1 and 2 with vibrato", 5, 5, true, 0},
        {"bends on strings 1 and 2 with vibrato under texts", 5, 5, true, 3, true},
    };
    const auto accord = [](const char* nom, std::array<int32_t, 7> frettes) {
        auto a = std::make_shared<TAccord>();
        a->Nom = nom;
        a->Frettes = frettes;
        return std::shared_ptr<const TAccord>(a);
    };
    const std::shared_ptr<const TAccord> accords[] = {
        accord("C", {0, 0, 1, 0, 2, 3, -1}), accord("G", {0, 3, 0, 0, 0, 2, 3}),
        accord("Am", {0, 0, 1, 2, 2, 0, -1}), accord("F", {0, 1, 1, 2, 3, 3, 1})};
    constexpr double kValeurs1[] = {1, 1.5, 2.5, 0.5};
    constexpr double kValeurs2[] = {2.5, 1, 0.5, 1.5};
    const auto suivi = [](std::string_view t) {
        return ValeurOuTexte(t) || t == "C" || t == "G" || t == "Am" || t == "F";
    };
    for (const Cas& c : cas) {
        ParamEcranCourant.AffDiag = ParamImpCourant.AffDiag_Prt = c.taille > 0;
        ParamEcranCourant.TypeDiag = std::max(c.taille, 1);
        ParamImpCourant.ChordSize_Prt = (3 - std::max(c.taille, 1)) * 10;
        Mesures(2);
        for (int m = 1; m <= 2; ++m) {
            for (int b = 1; b <= 4; ++b) {
                TTemps& t = Temps(b, m);
                t = TTemps{};
                t.CodeDuree = 0;
                t.Duree = DureeEnTicks(0, false, false);
                t.AvecAccord = true;
                t.Accord = accords[(b - 1 + 2 * (m - 1)) % 4];
                t.Notes[1].Frette = 7;
                t.Notes[2].Frette = 8;
                t.Notes[1].Effet = static_cast<uint8_t>(c.effet1);
                t.Notes[1].ValeurBend = kValeurs1[b - 1];
                t.Notes[2].Effet = static_cast<uint8_t>(c.effet2);
                t.Notes[2].ValeurBend = kValeurs2[b - 1];
                if (c.vibrato && b % 2 == 0)
                    t.Effet = 1;
                if (c.textes && b % 2 == 1)
                    t.Texte = kTextes[(b / 2 + m) % std::size(kTextes)];
            }
            Mesure(m).NbTemps[PisteCourante] = 4;
        }
        Partout(c.nom, [&](Support support) {
            VerifierTextes(support, suivi);
            VerifierArcs(support);
            if (c.vibrato)
                VerifierZigzags(support);
        });
    }
}

TEST_F(MarquesEncre, NeighbouringBeatsKeepTheirFretsAndBendsApart)
{
    // At the narrowest spacing two "12" of close beats read "1212", on one string or on two,
    // and a bend on an inner beat ran through the next beat's fret. The beats move apart as far
    // as that takes; at the usual spacing, where they have the room, they stand where their
    // durations alone put them.
    struct Cas {
        const char* nom;
        int code;                 // of the beats, in bars of 2/4
        std::vector<int> frettes; // in turn along the beats
        bool cordes;              // on strings 2 and 3 in turn, else all on string 3
        bool bend;                // a bend of 1 on every beat of fret 12
    };
    const Cas cas[] = {
        {"12 then 12 on sixteenths", 2, {12}, false, false},
        {"10 11 12 10 on thirty-seconds", 3, {10, 11, 12, 10}, false, false},
        {"12 on strings 2 and 3 in turn on sixteenths", 2, {12}, true, false},
        {"10 11 12 10 on strings 2 and 3 in turn on thirty-seconds", 3, {10, 11, 12, 10}, true, false},
        {"a bend of 1 on 12, then 14, on sixteenths", 2, {12, 14}, false, true},
        {"a bend of 1 on 12, then 14 on the string above, on sixteenths", 2, {12, 14}, true, true},
    };
    const auto chanson = [](const Cas& c, bool notes) {
        Mesures(2);
        const int n = c.code == 2 ? 8 : 16;
        for (int m = 1; m <= 2; ++m) {
            Signature(2, 4, m);
            for (int b = 1; b <= n; ++b) {
                TTemps& t = Temps(b, m);
                t = TTemps{};
                t.CodeDuree = static_cast<int8_t>(c.code);
                t.Duree = DureeEnTicks(c.code, false, false);
                const int frette = c.frettes[static_cast<std::size_t>(b - 1) % c.frettes.size()];
                TNoteCorde& note = t.Notes[c.cordes && b % 2 == 0 ? 2 : 3];
                if (!notes)
                    continue;
                note.Frette = static_cast<int8_t>(frette);
                if (c.bend && frette == 12) {
                    note.Effet = 5;
                    note.ValeurBend = 1;
                }
            }
            Mesure(m).NbTemps[PisteCourante] = n;
        }
    };
    const auto suivi = [&](const Cas& c) {
        return [&c](std::string_view t) {
            return t == "1" || std::ranges::any_of(c.frettes, [&](int f) { return t == std::to_string(f); });
        };
    };
    // A beat reads as one column: on one line, the frets of neighbouring beats stand apart
    // across, whatever their strings.
    const auto colonnes = [&](const Cas& c, Support support) {
        std::vector<QRect> cellules;
        Peindre(
            support,
            [&c](std::string_view t) {
                return std::ranges::any_of(c.frettes, [&](int f) { return t == std::to_string(f); });
            },
            &cellules);
        EXPECT_GT(cellules.size(), 1u);
        for (std::size_t i = 1; i < cellules.size(); ++i) {
            const QRect& a = cellules[i - 1];
            const QRect& b = cellules[i];
            if (b.left() > a.left() && std::abs(b.center().y() - a.center().y()) < 3 * a.height()) {
                EXPECT_LT(a.right(), b.left()) << "frets at " << a.x() << "," << a.y() << " and " << b.x() << "," << b.y();
            }
        }
    };
    // The x of every beat of the song on `support`, laid out as for painting.
    const auto positions = [&](Support support) {
        PeindreSur(support, [](platform::CanevasQt& qt) -> platform::Canevas& { return qt; });
        std::vector<double> x;
        for (int m = 1; m <= 2; ++m)
            for (int b = 1; b <= Mesure(m).NbTemps[PisteCourante]; ++b)
                x.push_back(support == Support::Ecran ? Temps(b, m).XEcran : Temps(b, m).XImp);
        return x;
    };
    for (const Cas& c : cas) {
        for (const bool serre : {true, false}) {
            Espacement(serre);
            chanson(c, true);
            Partout(std::string(c.nom) + (serre ? ", spaced tightest" : ""), [&](Support support) {
                VerifierTextes(support, suivi(c));
                colonnes(c, support);
                if (c.bend)
                    VerifierArcs(support);
            });
        }
        if (c.bend)
            continue;
        Partout(std::string(c.nom) + ", the durations' places", [&](Support support) {
            chanson(c, false);
            const std::vector<double> durees = positions(support);
            chanson(c, true);
            EXPECT_EQ(positions(support), durees);
        });
    }
}

TEST_F(MarquesEncre, TheFirstBeatKeepsItsFretsAndGraceNotesClearOfTheTimeSignature)
{
    // At the narrowest spacing a 4/4 and a first fret 12 read "412": the signature's numbers
    // stand apart from the frets and grace notes, at the song's start, after a repeat's start
    // and where the time changes. (They stand on the staff lines, so their ink meets those.)
    struct Cas {
        const char* nom;
        int corde;        // of every fret
        bool grace;       // a grace note 12 before the first beat's 14
        bool renvoi;      // a repeat starts at the first measure
        bool changement;  // the second measure turns to 3/4
    };
    const Cas cas[] = {
        {"12 on the second string", 2, false, false, false},
        {"12 on the fifth string", 5, false, false, false},
        {"a grace note before 14", 2, true, false, false},
        {"12 after a repeat's start", 2, false, true, false},
        {"12 where the time turns to 3/4", 5, false, false, true},
    };
    for (const Cas& c : cas) {
        Mesures(2);
        for (int m = 1; m <= 2; ++m) {
            Signature(m == 2 && c.changement ? 3 : 4, 4, m);
            const int n = m == 2 && c.changement ? 12 : 16;
            for (int b = 1; b <= n; ++b) {
                TTemps& t = Temps(b, m);
                t = TTemps{};
                t.CodeDuree = 2;
                t.Duree = DureeEnTicks(2, false, false);
                TNoteCorde& note = t.Notes[c.corde];
                note.Frette = 12;
                if (c.grace && b == 1) {
                    note.Frette = 14;
                    note.FretteGrace = 12;
                    note.NuanceGrace = 6;
                    note.DureeGrace = 1;
                }
            }
            Mesure(m).NbTemps[PisteCourante] = n;
        }
        Mesure(1).RenvoiDebut = c.renvoi;
        for (const bool serre : {true, false}) {
            Espacement(serre);
            Partout(std::string(c.nom) + (serre ? ", spaced tightest" : ""), [&](Support support) {
                std::vector<QRect> signatures, frettes;
                Peindre(support, [](std::string_view t) { return t == "3" || t == "4"; }, &signatures);
                Peindre(support, [](std::string_view t) { return t.find("1") != std::string_view::npos; }, &frettes);
                EXPECT_GE(signatures.size(), 2u);
                EXPECT_FALSE(frettes.empty());
                for (const QRect& s : signatures)
                    for (const QRect& f : frettes) {
                        EXPECT_FALSE(s.adjusted(-1, 0, 1, 0).intersects(f))
                            << "\"" << s.x() << "," << s.y() << " " << s.width() << "x" << s.height() << " and fret at "
                            << f.x() << "," << f.y();
                    }
            });
        }
    }
}
