#pragma once
// The frame model shared by the framed edit-type controls (memo, combo boxes, directory tree):
// a frame painted by the control itself, optionally "hot": a quiet style at rest that turns
// into a focus style while the control has the focus or the mouse is over it. The styles and
// their drawing are those of Cadres.h.
#include "controls/Cadres.h"

#include <QColor>
#include <QEvent>
#include <QPalette>

#include <functional>

class QPainter;
class QEnterEvent;
class QFocusEvent;
class QWidget;

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
// The same over a whole widget, when its frame is shown.
void PeindreCadreZone(QWidget& w, const TCadreControle& cadre, const QColor& fond);

// The frame properties of a framed control, over any widget base. A setter repaints only when
// its value changed; the control says how the platform's own edge gives way to the painted
// frame (AppliquerBord) and how it repaints the frame.
template <class Base>
class TControleEncadre : public Base {
public:
    using Base::Base;

    const TCadreControle& Cadre() const { return cadre_; }
    void SetFrameVisible(bool v)
    {
        if (v == cadre_.FrameVisible)
            return;
        cadre_.FrameVisible = v;
        AppliquerBord();
        RepaintFrame();
    }
    void SetFrameStyle(TFrameStyle v) { Changer(cadre_.FrameStyle, v, false); }
    void SetFrameColor(TCouleurCtrl v) { Changer(cadre_.FrameColor, v, false); }
    void SetFrameSides(TSides v) { Changer(cadre_.FrameSides, v, false); }
    void SetFrameFlat(bool v)
    {
        if (v == cadre_.FrameFlat)
            return;
        cadre_.PasserEnPlat(v);
        AppliquerBord();
        RepaintFrame();
    }
    void SetFrameFlatStyle(TFrameStyle v) { Changer(cadre_.FrameFlatStyle, v, true); }
    void SetFrameFocusStyle(TFrameStyle v) { Changer(cadre_.FrameFocusStyle, v, true); }
    void SetUseFrameController(bool v) { cadre_.UseFrameController = v; }

    virtual void RepaintFrame() { this->update(); }

protected:
    virtual void AppliquerBord() = 0;

    TCadreControle cadre_;

private:
    template <class T>
    void Changer(T& champ, const T& valeur, bool styleChaud)
    {
        if (champ == valeur)
            return;
        champ = valeur;
        if (styleChaud)
            cadre_.Suivre();
        RepaintFrame();
    }
};

// The same over a scrolling area (memo, lists, tree): the painted frame takes a 2-pixel margin
// round the viewport in place of the platform's edge, and focus or hover re-styles a hot frame.
template <class Base>
class TZoneEncadree : public TControleEncadre<Base> {
public:
    using TControleEncadre<Base>::TControleEncadre;

    void UpdateFrame(bool parSouris, bool etat)
    {
        auto& cadre = this->cadre_;
        if (parSouris)
            cadre.SourisDessus = etat;
        else
            cadre.Focus = etat;
        if (cadre.Suivre() || cadre.FrameFlat)
            this->RepaintFrame();
    }

    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;

protected:
    void AppliquerBord() override
    {
        const bool visible = this->cadre_.FrameVisible;
        const int marge = visible ? 2 : 0;
        this->setFrameShape(visible ? Base::NoFrame : Base::StyledPanel);
        this->setViewportMargins(marge, marge, marge, marge);
    }

    // What the frame's face is filled with.
    virtual QColor FondCadre() const { return this->palette().color(QPalette::Base); }

    // The frame goes over what the area painted of itself.
    bool event(QEvent* e) override
    {
        const bool resultat = Base::event(e);
        if (e->type() == QEvent::Paint)
            PeindreCadreZone(*this, this->cadre_, FondCadre());
        return resultat;
    }
    void focusInEvent(QFocusEvent* e) override
    {
        UpdateFrame(false, true);
        Base::focusInEvent(e);
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        Base::focusOutEvent(e);
        UpdateFrame(false, false);
    }
    void enterEvent(QEnterEvent* e) override
    {
        Base::enterEvent(e);
        UpdateFrame(true, true);
        if (OnMouseEnter)
            OnMouseEnter();
    }
    void leaveEvent(QEvent* e) override
    {
        Base::leaveEvent(e);
        UpdateFrame(true, false);
        if (OnMouseLeave)
            OnMouseLeave();
    }
};

