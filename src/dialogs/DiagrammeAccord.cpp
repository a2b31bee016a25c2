#include "dialogs/DiagrammeAccord.h"

#include "dialogs/BaseDialogue.h"
#include "editor/Chords_u.h"
#include "editor/TheorieAccords.h"
#include "platform/Arrondi.h"
#include "platform/qt/CanevasQt.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <string>

// ---- The large diagram -------------------------------------------------------------------------

int TGeometrieDiagramme::L(int longueur96) const
{
    return static_cast<int>(platform::Round(longueur96 * Echelle));
}

TGeometrieDiagramme GeometrieEcran()
{
    TGeometrieDiagramme g;
    g.Echelle = EchelleEcran();
    return g;
}

void PeindreDiagrammeAccord(platform::Canevas& c, const TAccord& a, const OneBased<int32_t, kNbCordesMax>& accordage,
                            const TGeometrieDiagramme& g)
{
    const int x0 = g.X0();
    const int y0 = g.Y0();
    const int pas = g.Case();
    auto L = [&](int v) { return g.L(v); };

    c.SetFonte(platform::StyleFonte{"MS Sans Serif", 8, true, false, platform::clBlack});
    c.SetStylo(platform::clBlack);

    const int longueur = L(101);
    for (int i = 0; i <= 5; ++i) {
        c.Ligne(x0, y0 + i * pas, x0 + longueur, y0 + i * pas);
        c.Ligne(x0 + i * pas, y0, x0 + i * pas, y0 + longueur);
    }
    int n = 0;
    if (a.FretteBase == 1) {
        c.Ligne(x0, y0 - L(5), x0 + longueur, y0 - L(5));
        n = L(5);
    }

    // Top of the dot of a fret, relative to the grid's first fret line.
    auto hautFrette = [&](int32_t frette) { return y0 + (frette - a.FretteBase) * pas; };

    for (int s = 1; s <= kNbCordesMax; ++s) {
        const int x = g.XCorde(s);
        const int32_t f = a.Frettes[s];
        if (f < 0) {
            c.Ligne(x - L(6), y0 - L(18) - n, x + L(7), y0 - L(5) - n);
            c.Ligne(x - L(6), y0 - L(6) - n, x + L(7), y0 - L(19) - n);
        } else if (f == 0) {
            c.SetBrosse(platform::clWhite);
            c.Ellipse(x - L(7), y0 - L(19) - n, x + L(8), y0 - L(4) - n);
        } else {
            c.SetBrosse(platform::clBlack);
            c.Ellipse(x - L(7), hautFrette(f) + L(3), x + L(8), hautFrette(f) + L(18));
        }
    }

    c.SetBrosse(platform::clBlack);
    const int nbBarres = std::clamp<int32_t>(a.NbBarres, 0, 2);
    for (int b = 1; b <= nbBarres; ++b) {
        const int debut = std::clamp<int32_t>(a.BarreCordeDebut[b], 1, kNbCordesMax);
        const int fin = std::clamp<int32_t>(a.BarreCordeFin[b], 1, kNbCordesMax);
        const int haut = hautFrette(a.BarreFrette[b]);
        const int xf = g.XCorde(fin);
        const int xd = g.XCorde(debut);
        c.Rectangle(xf, haut + L(3), xd, haut + L(18));
        for (int x : {xf, xd})
            c.Ellipse(x - L(7), haut + L(3), x + L(8), haut + L(18));
    }

    c.SetBrosseVide();
    const std::string base = std::to_string(a.FretteBase);
    c.TextOut(x0 - L(8) - c.TextWidth(base), y0 + L(4), base);

    for (int s = 1; s <= kNbCordesMax; ++s) {
        if (a.Frettes[s] < 0)
            continue;
        const std::string nom = NomNoteAccord(accordage[s] + a.Frettes[s], a.Diese);
        c.TextOut(g.XCorde(s) - c.TextWidth(nom) / 2, y0 + L(105), nom);
    }
    c.SetBrosse(platform::clWhite);
}

std::optional<TCaseDiagramme> CaseDiagramme(int x, int y, const TGeometrieDiagramme& g, bool deplacement)
{
    const int x0 = g.X0();
    const int y0 = g.Y0();
    if (x < x0 - g.L(14) || x > x0 + g.L(deplacement ? 110 : 106) || y < y0 - g.L(30) || y > y0 + g.L(110))
        return std::nullopt;
    const double pas = g.Case();
    TCaseDiagramme c;
    c.Corde = std::clamp<int>(6 - static_cast<int>(platform::Round((x + g.L(4) - x0) / pas)), 1, kNbCordesMax);
    c.Rangee = std::clamp<int>(static_cast<int>(platform::Round((y - y0 - g.L(10)) / pas)) + 1, 0, 5);
    return c;
}

int32_t FretteCase(const TCaseDiagramme& c, int32_t fretteBase)
{
    return c.Rangee >= 1 ? fretteBase + c.Rangee - 1 : 0;
}

void RecalculerBarres(TAccord& a)
{
    const TAccord barres = ChercherBarres(a.Frettes, a.FretteBase);
    a.NbBarres = barres.NbBarres;
    for (int b = 1; b <= std::clamp<int32_t>(barres.NbBarres, 0, 2); ++b) {
        a.BarreFrette[b] = barres.BarreFrette[b];
        a.BarreCordeDebut[b] = barres.BarreCordeDebut[b];
        a.BarreCordeFin[b] = barres.BarreCordeFin[b];
    }
}

void BasculerFrette(TAccord& a, int corde, int32_t frette)
{
    if (corde < 1 || corde > kNbCordesMax)
        return;
    a.Frettes[corde] = a.Frettes[corde] == frette ? -1 : frette;
    RecalculerBarres(a);
}

void DeplacerForme(TAccord& a, int32_t nouvelleBase)
{
    const int32_t ecart = nouvelleBase - a.FretteBase;
    a.FretteBase = nouvelleBase;
    for (int s = 1; s <= kNbCordesMax; ++s)
        if (a.Frettes[s] >= 1)
            a.Frettes[s] = std::max<int32_t>(1, a.Frettes[s] + ecart);
    for (int b = 1; b <= std::clamp<int32_t>(a.NbBarres, 0, 2); ++b)
        a.BarreFrette[b] = std::max<int32_t>(1, a.BarreFrette[b] + ecart);
}

// ---- The strip of fingerings -----------------------------------------------------------------

int ColonnesBande(int largeurImage) { return std::max(1, largeurImage / kLargeurVignette); }

platform::Point PositionVignette(int i, int colonnes)
{
    return {(i % colonnes) * kLargeurVignette + 15, (i / colonnes) * kHauteurVignette + 10};
}

int VignetteSousPoint(int x, int y, int colonnes)
{
    const int colonne = std::clamp((x - 3) / kLargeurVignette, 0, colonnes - 1);
    const int rangee = std::max(0, (y - 3) / kHauteurVignette);
    return rangee * colonnes + colonne + 1;
}

void PeindreBande(platform::Canevas& c, std::span<const TAccord> doigtes, int colonnes)
{
    for (std::size_t i = 0; i < doigtes.size(); ++i) {
        const platform::Point p = PositionVignette(static_cast<int>(i), colonnes);
        // Rows below the picture are not painted; they stay reachable with the scroll bar.
        if (p.y - 8 >= c.Hauteur())
            break;
        DessinerDiagrammePetit(doigtes[i], c, p.x, platform::clBlack, false, p.y);
    }
}

int HauteurDefilementBande(int total, int colonnes, int hauteurVisible, int hauteurImage)
{
    const int rangees = (total - 1) / colonnes + 1;
    return std::min(std::max(rangees * kHauteurVignette + 3, hauteurVisible), hauteurImage);
}

int DefilementVersVignette(int y, int position)
{
    if (y + 30 > position + 151)
        position = y - 121;
    if (y < position + 10)
        position = y - 10;
    return position;
}

void InverserRectangle(QImage& image, int x1, int y1, int x2, int y2, QColor couleur)
{
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    const QRgb c = couleur.rgb() & 0x00FFFFFF;
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, image.width());
    y2 = std::min(y2, image.height());
    for (int y = y1; y < y2; ++y) {
        auto* ligne = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = x1; x < x2; ++x)
            ligne[x] = 0xFF000000 | (~(c ^ ligne[x]) & 0x00FFFFFF);
    }
}

// ---- The images ---------------------------------------------------------------------------------

TImageDiagramme::TImageDiagramme(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImageDiagramme::Dimensionner(int largeur, int hauteur)
{
    Image = QImage(std::max(1, largeur), std::max(1, hauteur), QImage::Format_RGB32);
    Image.fill(Qt::white);
    resize(largeur, hauteur);
    update();
}

void TImageDiagramme::Effacer()
{
    Image.fill(Qt::white);
    update();
}

void TImageDiagramme::Peindre(const std::function<void(platform::Canevas&)>& peintre)
{
    {
        QPainter p(&Image);
        platform::CanevasQt c(p, static_cast<int>(platform::Round(96 * EchelleEcran())));
        peintre(c);
    }
    update();
}

void TImageDiagramme::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawImage(0, 0, Image);
}

void TImageDiagramme::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && SourisPressee) {
        const QPoint p = e->position().toPoint();
        SourisPressee(p.x(), p.y());
    }
}

void TImageDiagramme::mouseMoveEvent(QMouseEvent* e)
{
    if (SourisDeplacee) {
        const QPoint p = e->position().toPoint();
        SourisDeplacee(p.x(), p.y());
    }
}

void TImageDiagramme::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && SourisRelachee) {
        const QPoint p = e->position().toPoint();
        SourisRelachee(p.x(), p.y());
    }
}
