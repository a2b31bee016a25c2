#pragma once
// The frame model shared by the framed edit-type controls (memo, combo boxes, directory tree):
// a frame painted by the control itself, optionally "hot": a quiet style at rest that turns
// into a focus style while the control has the focus or the mouse is over it. The styles and
// their drawing are those of Cadres.h.
#include "controls/Cadres.h"

class QPainter;
class QColor;

// All four sides, named here so the frame model does not lean on how Cadres.h spells it.
inline constexpr TSides kQuatreCotes = sdLeft | sdTop | sdRight | sdBottom;

struct TCadreControle {
    bool FrameVisible = false;
    TFrameStyle FrameStyle = fsFlat;
    TCouleurCtrl FrameColor = clBtnShadow;
    TSides FrameSides = kQuatreCotes;
    bool FrameFlat = false;
    TFrameStyle FrameFlatStyle = fsStatus;
    TFrameStyle FrameFocusStyle = fsLowered;
    bool UseFrameController = true; // kept; no frame controller exists

    bool SourisDessus = false;
    bool Focus = false;

    // A hot frame takes the focus style while focused or hovered, the quiet one otherwise.
    // True when the style changed.
    bool Suivre()
    {
        if (!FrameFlat)
            return false;
        const TFrameStyle style = (Focus || SourisDessus) ? FrameFocusStyle : FrameFlatStyle;
        if (style == FrameStyle)
            return false;
        FrameStyle = style;
        return true;
    }
    // Turning the hot frame on also shows the frame on all four sides in the quiet style.
    void PasserEnPlat(bool plat)
    {
        FrameFlat = plat;
        if (plat) {
            FrameVisible = true;
            FrameSides = kQuatreCotes;
            FrameStyle = FrameFlatStyle;
            Suivre();
        }
    }
};

// The frame of an edit-type control over its whole area (DrawFrame), with the control's colour
// as background.
void PeindreCadreEdition(QPainter& p, int largeur, int hauteur, const TCadreControle& cadre, const QColor& fond);
