#pragma once
// The docking manager of the framed panel: what a panel used as a dock site does to the clients
// docked in it. Each client gets a 13-pixel grabber (along its top, or along its left side when
// the site is aligned top or bottom), drawn as a caption bar with the client's text and a close
// button, or as two grip lines and a close button without captions. Only the two things the
// manager changes are here, as geometry and painting on a canvas: the client's rectangle less
// its grabber, and the grabber's drawing. Placing clients is the platform's dock tree, which no
// form of the program uses.
#include "controls/Cadres.h"
#include "controls/DispositionBarre.h"

#include <functional>
#include <string_view>

// Where things go in one docked client's frame.
struct GeometrieCadreDock {
    bool GrabberAGauche = false;
    TRect Grabber;       // the caption bar
    TRect BoutonFermer;  // the close button
    // The caption's start: the top-left of a horizontal text; for the left grabber the baseline
    // point where the text, turned by 90 degrees, starts and reads upward.
    platform::Point OrigineTexte;
    int Angle = 0;       // degrees counter-clockwise
};

// Draws a text turned by `angle` degrees counter-clockwise with its baseline starting at `x`,
// `y` in the canvas's font (the canvas cannot turn texts; the Qt side can).
using DessinTexteTourne = std::function<void(int x, int y, int angle, std::string_view texte)>;

class TCxPanelDockManager {
public:
    static constexpr int GrabberSize = 13;

    // The site's alignment decides the grabber's side; ShowDockClientCaptions its look.
    TCxPanelDockManager(TAlign alignementSite, bool showDockClientCaptions);

    void SetSite(TAlign alignementSite, bool showDockClientCaptions);
    // "Arial" 8 in the caption text colour.
    const platform::StyleFonte& CaptionFont() const { return fonteLegende_; }

    // The client's rectangle once its grabber is taken off.
    TRect AdjustDockRect(TRect r) const;
    // The frame of a client whose zone (grabber included) is `r`.
    GeometrieCadreDock Geometrie(TRect r) const;
    // Paints the frame of a client whose zone is `r`. The caption of a left grabber goes through
    // `tourne`; without it only the bar and the button are drawn there.
    void PaintDockFrame(platform::Canevas& c, std::string_view texte, TRect r,
                        const DessinTexteTourne& tourne = {}) const;

private:
    TAlign alignement_;
    bool legendes_;
    platform::StyleFonte fonteLegende_;
};

// The platform's caption close button filling `r`: a raised button face with a cross.
void DessinerBoutonFermer(platform::Canevas& c, TRect r);
