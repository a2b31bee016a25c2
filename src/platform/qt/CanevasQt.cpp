#include "platform/qt/CanevasQt.h"

#include "platform/Cp1252.h"
#include "platform/Rasterisation.h"

#include <QColor>
#include <QFontDatabase>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QRect>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <utility>

namespace platform {
namespace {

QColor VersQColor(Couleur c) { return QColor(c.r, c.g, c.b); }

int LargeurEffective(const Stylo& stylo) { return stylo.largeur < 1 ? 1 : stylo.largeur; }

bool MemeNom(std::string_view a, std::string_view b)
{
    // Face names compare as on the platform, without regard to case.
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto bas = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return bas(x) == bas(y);
           });
}

// Widths of a font's texts kept at most: beat texts are free, so the table must not grow
// without end over a long session.
constexpr std::size_t TextesRetenusMax = 4096;

// Below this size texts are drawn fully hinted (QFontDe). Larger texts keep the light hinting
// whose advances the edit zone's cells are measured with ("(22)" in "MS Sans Serif" 10).
constexpr int PixelsPetitTexte = 10;
// Italic texts (beat texts, the edit zone's texts) up to this size too: lightly hinted, the
// slanted arm of an "r" meets the next stem and "rit." reads "nt.".
constexpr int PixelsPetitItalique = 14;

// The columns `texte` inks drawn in `fonte` as it will be drawn (`largeur` its advance,
// `hauteur` the font's), from its pen position, the right one excluded, with room on both
// sides for the bearings and the slant; none for a text of blanks.
std::optional<EncreTexte> EncreDessinee(const QFont& fonte, int hauteur, const QString& texte, int largeur)
{
    const int marge = hauteur;
    QImage image(largeur + 2 * marge, hauteur + 2 * marge, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter peintre(&image);
        peintre.setRenderHint(QPainter::TextAntialiasing, false);
        peintre.setFont(fonte);
        peintre.setPen(Qt::black);
        QStaticText statique{texte};
        statique.setTextFormat(Qt::PlainText);
        statique.prepare(QTransform(), fonte);
        peintre.drawStaticText(QPoint(marge, marge), statique);
    }
    std::optional<EncreTexte> encre;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                if (!encre)
                    encre = EncreTexte{x - marge, 0};
                encre->droite = x - marge + 1;
                break;
            }
    return encre;
}

} // namespace

CanevasQt::CanevasQt(QPainter& peintre, int pixelsParPouce) : peintre_(peintre), pixelsParPouce_(pixelsParPouce)
{
    peintre_.setRenderHint(QPainter::Antialiasing, false);
    peintre_.setRenderHint(QPainter::TextAntialiasing, false);
    peintre_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    peintre_.setBrush(Qt::NoBrush);
}

CanevasQt::~CanevasQt() = default;

int CanevasQt::Largeur() const { return peintre_.device() ? peintre_.device()->width() : 0; }

int CanevasQt::Hauteur() const { return peintre_.device() ? peintre_.device()->height() : 0; }

QString CanevasQt::FamilleSubstituee(std::string_view nom)
{
    if (MemeNom(nom, "MS Sans Serif") || MemeNom(nom, "Arial"))
        return QStringLiteral("Liberation Sans");
    if (MemeNom(nom, "Small Fonts")) {
        static const bool etroite = QFontDatabase::hasFamily(QStringLiteral("Liberation Sans Narrow"));
        return etroite ? QStringLiteral("Liberation Sans Narrow") : QStringLiteral("Liberation Sans");
    }
    return QString::fromStdString(Cp1252VersUtf8(nom));
}

QFont CanevasQt::QFontDe(const StyleFonte& style, int pixelsParPouce)
{
    const int pixels = TaillePixelsFonte(style.taille, pixelsParPouce);
    QFont fonte(FamilleSubstituee(style.nom));
    const bool liberation = fonte.family().startsWith(QStringLiteral("Liberation Sans"));
    if (liberation && (pixels < PixelsPetitTexte || (style.italique && pixels <= PixelsPetitItalique))) {
        // The technique marks, bend amounts, triplet and measure numbers: a few pixels high,
        // lightly hinted, a period or the stem of an "l" gets no pixel of its own ("1.5" reads
        // "15", "sl." reads "3."), and the narrow face draws its 5 as a 6. Hinted in full, the
        // full-width face gives every character its own ink, with the same line height.
        fonte.setFamily(QStringLiteral("Liberation Sans"));
        fonte.setHintingPreference(QFont::PreferFullHinting);
    } else if (MemeNom(style.nom, "Small Fonts")) {
        // From 10 pixels up the narrow face reads well unhinted.
        fonte.setHintingPreference(QFont::PreferNoHinting);
    }
    fonte.setPixelSize(pixels);
    fonte.setBold(style.gras);
    fonte.setItalic(style.italique);
    fonte.setKerning(false); // the platform's text output placed glyphs by their advances alone
    fonte.setStyleStrategy(QFont::NoAntialias);
    return fonte;
}

CanevasQt::FonteResolue& CanevasQt::FonteActive()
{
    if (fonteActive_ && versionActive_ == VersionFonte())
        return *fonteActive_;
    const StyleFonte& style = Fonte();
    fonteActive_ = nullptr;
    for (auto& fonte : fontes_) {
        const StyleFonte& s = fonte->style;
        if (s.taille == style.taille && s.gras == style.gras && s.italique == style.italique && s.nom == style.nom) {
            fonteActive_ = fonte.get();
            break;
        }
    }
    if (!fonteActive_) {
        QFont qfont = QFontDe(style, pixelsParPouce_);
        QFontMetrics metriques(qfont, peintre_.device());
        const bool parCaractere = qfont.hintingPreference() == QFont::PreferFullHinting;
        auto fonte = std::make_unique<FonteResolue>(
            FonteResolue{style, qfont, metriques, metriques.ascent(), metriques.height(), parCaractere,
                         parCaractere ? QRawFont::fromFont(qfont) : QRawFont(), {}, {}});
        fonteActive_ = fonte.get();
        fontes_.push_back(std::move(fonte));
    }
    versionActive_ = VersionFonte();
    return *fonteActive_;
}

CanevasQt::TexteMesure& CanevasQt::Mesurer(FonteResolue& fonte, std::string_view texte)
{
    const std::string cle(texte);
    auto trouve = fonte.textes.find(cle);
    if (trouve != fonte.textes.end())
        return trouve->second;
    if (fonte.textes.size() >= TextesRetenusMax)
        fonte.textes.clear();
    TexteMesure mesure;
    mesure.texte = QString::fromStdString(Cp1252VersUtf8(texte));
    if (fonte.parCaractere) {
        int x = 0;
        std::optional<int> droitePrecedente;
        for (const QChar caractere : mesure.texte) {
            const EncreGlyphe encre = Encre(fonte, caractere);
            if (!encre.vide) {
                if (droitePrecedente && x + encre.gauche <= *droitePrecedente + 1)
                    x = *droitePrecedente + 2 - encre.gauche;
                droitePrecedente = x + encre.droite;
            }
            mesure.positions.push_back(x);
            x += fonte.metriques.horizontalAdvance(caractere);
        }
        mesure.largeur = x;
    } else {
        mesure.largeur = fonte.metriques.horizontalAdvance(mesure.texte);
    }
    return fonte.textes.emplace(cle, std::move(mesure)).first->second;
}

CanevasQt::EncreGlyphe CanevasQt::Encre(FonteResolue& fonte, QChar caractere)
{
    const auto trouve = fonte.encres.find(caractere.unicode());
    if (trouve != fonte.encres.end())
        return trouve->second;
    // Drawn alone, as it will be drawn.
    const std::optional<EncreTexte> dessinee =
        EncreDessinee(fonte.fonte, fonte.hauteur, QString(caractere), fonte.metriques.horizontalAdvance(caractere));
    EncreGlyphe encre;
    if (dessinee)
        encre = EncreGlyphe{false, dessinee->gauche, dessinee->droite - 1};
    fonte.encres.emplace(caractere.unicode(), encre);
    return encre;
}

void CanevasQt::Ecrire(FonteResolue& fonte, TexteMesure& mesure, int x, int y)
{
    if (!mesure.prepare) {
        mesure.statique.setText(mesure.texte);
        mesure.statique.setTextFormat(Qt::PlainText);
        mesure.statique.prepare(QTransform(), fonte.fonte);
        mesure.prepare = true;
    }
    // Placed by its top-left corner: the baseline falls at y + ascent.
    peintre_.drawStaticText(QPoint(x, y), mesure.statique);
}

Cadre CanevasQt::CadreVisible() const
{
    // The device in the painter's coordinates, a pixel wider all round.
    QRect zone(0, 0, Largeur(), Hauteur());
    if (!peintre_.transform().isIdentity())
        zone = peintre_.transform().inverted().mapRect(zone);
    return Cadre{zone.left() - 1, zone.top() - 1, zone.right() + 2, zone.bottom() + 2};
}

void CanevasQt::Remplir(int x1, int y1, int x2, int y2, Couleur couleur)
{
    if (x1 < x2 && y1 < y2)
        peintre_.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), VersQColor(couleur));
}

void CanevasQt::PreparerStylo(Couleur couleur, int largeur)
{
    if (styloConnu_ && couleur == couleurPeintre_ && largeur == largeurPeintre_)
        return;
    // One-pixel work (points, texts) uses a square pen; wider lines have the round ends and
    // joins of the platform's wide pens.
    if (largeur <= 1)
        peintre_.setPen(QPen(VersQColor(couleur), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    else
        peintre_.setPen(QPen(VersQColor(couleur), largeur, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    styloConnu_ = true;
    couleurPeintre_ = couleur;
    largeurPeintre_ = largeur;
}

void CanevasQt::DessinerPixels(Couleur couleur)
{
    if (pixels_.empty())
        return;
    points_.clear();
    points_.reserve(pixels_.size());
    for (Point p : pixels_)
        points_.emplace_back(p.x, p.y);
    PreparerStylo(couleur, 1);
    peintre_.drawPoints(points_.data(), static_cast<int>(points_.size()));
    pixels_.clear();
}

void CanevasQt::ContourLarge(std::span<const Point> points, bool ferme)
{
    QPolygon polygone;
    polygone.reserve(static_cast<int>(points.size()));
    for (Point p : points)
        polygone << QPoint(p.x, p.y);
    PreparerStylo(StyloCourant().couleur, LargeurEffective(StyloCourant()));
    if (ferme)
        peintre_.drawPolygon(polygone);
    else
        peintre_.drawPolyline(polygone);
}

void CanevasQt::DessinerRectangle(int x1, int y1, int x2, int y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    const Stylo& stylo = StyloCourant();
    const Brosse& brosse = BrosseCourante();
    if (stylo.nul) {
        if (!brosse.vide)
            Remplir(x1, y1, x2 - 1, y2 - 1, brosse.couleur);
        return;
    }
    if (x1 == x2 || y1 == y2)
        return;
    const int largeur = LargeurEffective(stylo);
    if (largeur == 1) {
        if (!brosse.vide) {
            Remplir(x1, y1, x2, y2, stylo.couleur);
            Remplir(x1 + 1, y1 + 1, x2 - 1, y2 - 1, brosse.couleur);
        } else {
            Remplir(x1, y1, x2, y1 + 1, stylo.couleur);
            Remplir(x1, y2 - 1, x2, y2, stylo.couleur);
            Remplir(x1, y1 + 1, x1 + 1, y2 - 1, stylo.couleur);
            Remplir(x2 - 1, y1 + 1, x2, y2 - 1, stylo.couleur);
        }
        return;
    }
    if (!brosse.vide)
        Remplir(x1, y1, x2, y2, brosse.couleur);
    PreparerStylo(stylo.couleur, largeur);
    peintre_.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void CanevasQt::DessinerFillRect(int x1, int y1, int x2, int y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    if (!BrosseCourante().vide)
        Remplir(x1, y1, x2, y2, BrosseCourante().couleur);
}

void CanevasQt::DessinerLigne(int x1, int y1, int x2, int y2)
{
    const Stylo& stylo = StyloCourant();
    if (stylo.nul || (x1 == x2 && y1 == y2))
        return;
    const int largeur = LargeurEffective(stylo);
    if (largeur > 1) {
        PreparerStylo(stylo.couleur, largeur);
        peintre_.drawLine(QPoint(x1, y1), QPoint(x2, y2));
        return;
    }
    // Staff lines, bars and stems are straight: one rectangle each, the end pixel left out.
    if (y1 == y2) {
        if (x1 < x2)
            Remplir(x1, y1, x2, y1 + 1, stylo.couleur);
        else
            Remplir(x2 + 1, y1, x1 + 1, y1 + 1, stylo.couleur);
        return;
    }
    if (x1 == x2) {
        if (y1 < y2)
            Remplir(x1, y1, x1 + 1, y2, stylo.couleur);
        else
            Remplir(x1, y2 + 1, x1 + 1, y1 + 1, stylo.couleur);
        return;
    }
    PixelsLigne(Point{x1, y1}, Point{x2, y2}, CadreVisible(), pixels_);
    DessinerPixels(stylo.couleur);
}

void CanevasQt::DessinerPolyline(std::span<const Point> points)
{
    const Stylo& stylo = StyloCourant();
    if (stylo.nul || points.size() < 2)
        return;
    if (LargeurEffective(stylo) > 1) {
        ContourLarge(points, false);
        return;
    }
    const Cadre cadre = CadreVisible();
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        PixelsLigne(points[i], points[i + 1], cadre, pixels_);
    DessinerPixels(stylo.couleur);
}

void CanevasQt::DessinerPolygone(std::span<const Point> points)
{
    if (points.empty())
        return;
    const Stylo& stylo = StyloCourant();
    const Brosse& brosse = BrosseCourante();
    if (!brosse.vide) {
        std::vector<Travee> travees;
        TraveesPolygone(points, CadreVisible(), travees);
        for (const Travee& t : travees)
            Remplir(t.x1, t.y, t.x2, t.y + 1, brosse.couleur);
    }
    if (stylo.nul)
        return;
    if (LargeurEffective(stylo) > 1) {
        ContourLarge(points, true);
        return;
    }
    const Cadre cadre = CadreVisible();
    for (std::size_t i = 0; i < points.size(); ++i)
        PixelsLigne(points[i], points[(i + 1) % points.size()], cadre, pixels_);
    if (pixels_.empty())
        pixels_.push_back(points[0]); // all vertices at one point: the platform lights it
    DessinerPixels(stylo.couleur);
}

void CanevasQt::DessinerEllipse(int x1, int y1, int x2, int y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    const Stylo& stylo = StyloCourant();
    const Brosse& brosse = BrosseCourante();
    if (stylo.nul) {
        // Without a pen the shape loses its right and bottom row, as a rectangle does.
        --x2;
        --y2;
    }
    if (x1 >= x2 || y1 >= y2 || (stylo.nul && brosse.vide))
        return;
    std::vector<Point> contour;
    ContourEllipse(x1, y1, x2, y2, contour);
    if (!brosse.vide) {
        std::vector<Travee> travees;
        TraveesEllipse(contour, travees);
        for (const Travee& t : travees)
            Remplir(t.x1, t.y, t.x2, t.y + 1, brosse.couleur);
    }
    if (stylo.nul)
        return;
    const int largeur = LargeurEffective(stylo);
    if (largeur > 1) {
        PreparerStylo(stylo.couleur, largeur);
        peintre_.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
        return;
    }
    pixels_ = std::move(contour);
    DessinerPixels(stylo.couleur);
}

void CanevasQt::DessinerArc(int x1, int y1, int x2, int y2, int xs, int ys, int xe, int ye)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    const Stylo& stylo = StyloCourant();
    if (stylo.nul || x1 == x2 || y1 == y2)
        return;
    const int largeur = LargeurEffective(stylo);
    if (largeur > 1) {
        // Qt's arc angles are those of the circle the ellipse is stretched from, as ours.
        const double degres = 180.0 / std::numbers::pi;
        const double depart = AngleEllipse(x1, y1, x2, y2, Point{xs, ys}) * degres;
        double etendue = AngleEllipse(x1, y1, x2, y2, Point{xe, ye}) * degres - depart;
        if (etendue <= 0)
            etendue += 360.0;
        PreparerStylo(stylo.couleur, largeur);
        peintre_.drawArc(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1), static_cast<int>(std::lround(depart * 16)),
                         static_cast<int>(std::lround(etendue * 16)));
        return;
    }
    PixelsArc(x1, y1, x2, y2, Point{xs, ys}, Point{xe, ye}, pixels_);
    DessinerPixels(stylo.couleur);
}

void CanevasQt::DessinerPixel(int x, int y, Couleur couleur) { Remplir(x, y, x + 1, y + 1, couleur); }

int CanevasQt::DessinerTexte(int x, int y, std::string_view texte)
{
    FonteResolue& fonte = FonteActive();
    TexteMesure& mesure = Mesurer(fonte, texte);
    if (!BrosseCourante().vide)
        Remplir(x, y, x + mesure.largeur, y + fonte.hauteur, BrosseCourante().couleur);
    if (!texte.empty()) {
        if (fontePeintre_ != &fonte) {
            peintre_.setFont(fonte.fonte);
            fontePeintre_ = &fonte;
        }
        PreparerStylo(Fonte().couleur, 1);
        if (fonte.parCaractere && fonte.brute.isValid()) {
            if (!mesure.glyphesPrets) {
                const QList<quint32> index = fonte.brute.glyphIndexesForString(mesure.texte);
                QList<QPointF> points;
                for (qsizetype i = 0; i < index.size() && i < static_cast<qsizetype>(mesure.positions.size()); ++i)
                    points.append(QPointF(mesure.positions[static_cast<std::size_t>(i)], fonte.ascent));
                mesure.glyphes.setRawFont(fonte.brute);
                mesure.glyphes.setGlyphIndexes(index.first(points.size()));
                mesure.glyphes.setPositions(points);
                mesure.glyphesPrets = true;
            }
            peintre_.drawGlyphRun(QPointF(x, y), mesure.glyphes);
        } else {
            Ecrire(fonte, mesure, x, y);
        }
    }
    return mesure.largeur;
}

Dimension CanevasQt::MesurerTexte(std::string_view texte)
{
    FonteResolue& fonte = FonteActive();
    return Dimension{Mesurer(fonte, texte).largeur, fonte.hauteur};
}

EncreTexte CanevasQt::MesurerEncre(std::string_view texte)
{
    FonteResolue& fonte = FonteActive();
    TexteMesure& mesure = Mesurer(fonte, texte);
    if (mesure.encre)
        return *mesure.encre;
    std::optional<EncreTexte> encre;
    auto etendre = [&](int gauche, int droite) {
        encre = encre ? EncreTexte{std::min(encre->gauche, gauche), std::max(encre->droite, droite)}
                      : EncreTexte{gauche, droite};
    };
    if (fonte.parCaractere) {
        // Set glyph by glyph on whole pixels: each inks where it inks alone.
        for (qsizetype i = 0; i < mesure.texte.size() && i < static_cast<qsizetype>(mesure.positions.size()); ++i) {
            const EncreGlyphe g = Encre(fonte, mesure.texte[i]);
            if (!g.vide)
                etendre(mesure.positions[static_cast<std::size_t>(i)] + g.gauche,
                        mesure.positions[static_cast<std::size_t>(i)] + g.droite + 1);
        }
    } else if (!mesure.texte.isEmpty()) {
        // Drawn as it will be drawn.
        encre = EncreDessinee(fonte.fonte, fonte.hauteur, mesure.texte, mesure.largeur);
    }
    // A text of blanks inks nothing: its cell stands for it.
    mesure.encre = encre ? *encre : EncreTexte{0, mesure.largeur};
    return *mesure.encre;
}

} // namespace platform
