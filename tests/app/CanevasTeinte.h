#pragma once
// A canvas for the pixel tests: draws through a Qt canvas, writing in red (or another tint) the
// texts a test picks, so that a test can tell apart ink the painters draw in one colour.
#include "platform/qt/CanevasQt.h"

#include <QColor>
#include <QImage>

#include <QRect>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CanevasTeinte final : public platform::Canevas {
public:
    CanevasTeinte(platform::CanevasQt& qt, std::function<bool(std::string_view)> rouge,
                  platform::Couleur teinte = platform::clRed)
        : qt_(qt), rouge_(std::move(rouge)), teinte_(teinte)
    {
    }
    int Largeur() const override { return qt_.Largeur(); }
    int Hauteur() const override { return qt_.Hauteur(); }
    int PixelsParPouce() const override { return qt_.PixelsParPouce(); }

    // The cells of the texts written in the tint, in their order.
    const std::vector<QRect>& Teintes() const { return teintes_; }

    // Every text written, in its font, from the top-left of its cell.
    struct Ecrit {
        std::string texte;
        platform::StyleFonte fonte;
        int x = 0, y = 0;
    };
    std::vector<Ecrit> ecrits;

protected:
    void DessinerRectangle(int x1, int y1, int x2, int y2) override { Etat().Rectangle(x1, y1, x2, y2); }
    void DessinerFillRect(int x1, int y1, int x2, int y2) override { Etat().FillRect(x1, y1, x2, y2); }
    void DessinerLigne(int x1, int y1, int x2, int y2) override { Etat().Ligne(x1, y1, x2, y2); }
    void DessinerPolyline(std::span<const platform::Point> points) override { Etat().Polyline(points); }
    void DessinerPolygone(std::span<const platform::Point> points) override { Etat().Polygone(points); }
    void DessinerEllipse(int x1, int y1, int x2, int y2) override { Etat().Ellipse(x1, y1, x2, y2); }
    void DessinerArc(int x1, int y1, int x2, int y2, int xs, int ys, int xe, int ye) override
    {
        Etat().Arc(x1, y1, x2, y2, xs, ys, xe, ye);
    }
    void DessinerPixel(int x, int y, platform::Couleur couleur) override { Etat().SetPixel(x, y, couleur); }
    int DessinerTexte(int x, int y, std::string_view texte) override
    {
        ecrits.push_back({std::string(texte), Fonte(), x, y});
        Etat();
        if (rouge_(texte)) {
            qt_.SetCouleurFonte(teinte_);
            const platform::Dimension d = qt_.TextExtent(texte);
            teintes_.emplace_back(x, y, d.cx, d.cy);
        }
        qt_.TextOut(x, y, texte);
        return qt_.TextWidth(texte);
    }
    platform::Dimension MesurerTexte(std::string_view texte) override { return Etat().TextExtent(texte); }

private:
    platform::CanevasQt& Etat()
    {
        qt_.SetStylo(StyloCourant());
        qt_.SetBrosse(BrosseCourante());
        qt_.SetFonte(Fonte());
        return qt_;
    }
    platform::CanevasQt& qt_;
    std::function<bool(std::string_view)> rouge_;
    platform::Couleur teinte_;
    std::vector<QRect> teintes_;
};

// How many red pixels an image holds, and how many times one of them touches ink of another
// colour, corners included.
inline std::pair<int, int> RougesEtContacts(const QImage& image)
{
    const auto rouge = [&](int x, int y) { return image.pixel(x, y) == QColor(Qt::red).rgb(); };
    const auto encre = [&](int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF && !rouge(x, y); };
    int rouges = 0, contacts = 0;
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = 1; x < image.width() - 1; ++x) {
            if (!rouge(x, y))
                continue;
            ++rouges;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    contacts += encre(x + dx, y + dy) ? 1 : 0;
        }
    return {rouges, contacts};
}
