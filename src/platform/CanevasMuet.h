#pragma once
// A canvas that draws nothing, for painters whose output nobody looks at: the edit image before
// the main window installs its own, and the timings that want the painters' own cost. A
// character of `largeurCaractere` pixels measures texts as the recording canvas does (that wide
// a character, TaillePixelsFonte + 3 high); 0 measures every text as empty.
#include "platform/Canevas.h"

namespace platform {

class CanevasMuet final : public Canevas {
public:
    CanevasMuet(int largeur, int hauteur, int largeurCaractere = 0)
        : largeur_(largeur), hauteur_(hauteur), largeurCaractere_(largeurCaractere) {}
    int Largeur() const override { return largeur_; }
    int Hauteur() const override { return hauteur_; }

protected:
    void DessinerRectangle(int, int, int, int) override {}
    void DessinerFillRect(int, int, int, int) override {}
    void DessinerLigne(int, int, int, int) override {}
    void DessinerPolyline(std::span<const Point>) override {}
    void DessinerPolygone(std::span<const Point>) override {}
    void DessinerEllipse(int, int, int, int) override {}
    void DessinerArc(int, int, int, int, int, int, int, int) override {}
    void DessinerPixel(int, int, Couleur) override {}
    int DessinerTexte(int, int, std::string_view texte) override { return MesurerTexte(texte).cx; }
    Dimension MesurerTexte(std::string_view texte) override
    {
        if (largeurCaractere_ == 0)
            return {};
        return {largeurCaractere_ * static_cast<int>(texte.size()), TaillePixelsFonte(Fonte().taille) + 3};
    }

private:
    int largeur_;
    int hauteur_;
    int largeurCaractere_;
};

} // namespace platform
