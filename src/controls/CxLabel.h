#pragma once
// The component library's label: 3-D text styles, text turned flat or along an arc, blinking in
// step with every other blinking label, a colour while the mouse is over it, and the borders of
// the panel family; and the web-link label, which opens its link (or its caption) through the
// desktop when clicked.
#include "controls/Cadres.h"
#include "controls/CxCommon.h"

#include <QLabel>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

enum TTextStyle : uint8_t { tsNormal, tsRaised, tsRecessed, tsShadow };
enum TRotation : uint8_t { roNone, roFlat, roCurve };
enum TCenterPoint : uint8_t {
    cpUpperLeft, cpUpperCenter, cpUpperRight, cpLeftCenter, cpCenter, cpRightCenter, cpLowerLeft, cpLowerCenter,
    cpLowerRight,
};

// One layer of a label's text: which colour, drawn how far from the text's place.
struct CoucheTexte {
    enum Role : uint8_t { Police, Ombre, Lumiere, BoutonLumiere, TexteGrise };
    Role Couleur = Police;
    int Dx = 0;
    int Dy = 0;
    friend bool operator==(const CoucheTexte&, const CoucheTexte&) = default;
};
// The layers, first drawn first.
std::vector<CoucheTexte> CouchesTexte(TTextStyle style, bool styleLeger, bool actif, int profondeurOmbre);

// The centre and the radii of arc text in a label of that size.
struct CentreArc {
    int X = 0, Y = 0;   // centre
    int Rx = 0, Ry = 0; // radii
    friend bool operator==(const CentreArc&, const CentreArc&) = default;
};
CentreArc CentreEtRayons(TCenterPoint point, int largeur, int hauteur, int largeurBordure);

// An angle as the label keeps it: a negative one gets 360 added once, others are taken modulo
// 360 (so -400 stays -40, which draws as 320).
int NormaliserAngle(int angle);

class TCxLabel : public QLabel, public IControleClignotant {
    Q_OBJECT
public:
    explicit TCxLabel(QWidget* parent = nullptr);
    explicit TCxLabel(const QString& texte, QWidget* parent = nullptr);
    ~TCxLabel() override;

    TTextStyle TextStyle() const { return textStyle_; }
    bool LightTextStyle() const { return lightTextStyle_; }
    TCouleurCtrl HighlightColor() const { return highlightColor_; }
    TCouleurCtrl ShadowColor() const { return shadowColor_; }
    int ShadowDepth() const { return shadowDepth_; }
    TRotation Rotation() const { return rotation_; }
    int Angle() const { return angle_; }
    TCenterPoint CenterPoint() const { return centerPoint_; }
    bool Blinking() const { return blinking_; }
    TCouleurCtrl BlinkColor() const { return blinkColor_; }
    uint16_t BlinkIntervalOn() const;
    uint16_t BlinkIntervalOff() const;
    bool FlyByEnabled() const { return flyByEnabled_; }
    TCouleurCtrl FlyByColor() const { return flyByColor_; }
    TTextLayout Layout() const { return layout_; }
    bool Transparent() const { return transparent_; }
    TCouleurCtrl Color() const { return couleur_; }
    // The colour the text is drawn in now (blinking and fly-by change it).
    TCouleurCtrl FontColor() const { return couleurFonte_; }
    const ProprietesBordures& Bordures() const { return bordures_; }

    void SetTextStyle(TTextStyle style);
    void SetLightTextStyle(bool leger);
    void SetHighlightColor(TCouleurCtrl c);
    void SetShadowColor(TCouleurCtrl c);
    void SetShadowDepth(int profondeur);
    // roNone and roFlat reset the angle to 0 (roFlat also the centre point): set the angle after.
    void SetRotation(TRotation rotation);
    // Normalised; a non-zero angle turns a straight label flat.
    void SetAngle(int angle);
    void SetCenterPoint(TCenterPoint point);
    void SetBlinking(bool clignote);
    void SetBlinkColor(TCouleurCtrl c);
    // The intervals are the shared service's: every label has the same.
    void SetBlinkIntervalOn(uint16_t ms);
    void SetBlinkIntervalOff(uint16_t ms);
    void SetFlyByEnabled(bool actif);
    void SetFlyByColor(TCouleurCtrl c);
    void SetLayout(TTextLayout disposition);
    void SetTransparent(bool transparent);
    void SetColor(TCouleurCtrl c);
    // The font colour given back after blinking and fly-by.
    void SetFontColor(TCouleurCtrl c);

    void SetBorderOuter(TFrameStyle style);
    void SetBorderInner(TFrameStyle style);
    void SetBorderSides(TSides cotes);
    void SetFrameSides(TSides cotes);
    void SetBorderColor(TCouleurCtrl c);
    void SetBorderHighlight(TCouleurCtrl c);
    void SetBorderShadow(TCouleurCtrl c);
    void SetFlatColor(TCouleurCtrl c);
    void SetBorderWidth(int largeur);
    void SetBevelWidth(int largeur);

    // The label without its borders, the band of BorderWidth included.
    TRect ClientRect() const;
    TRect AdjustRectForBorders(TRect r, bool avecLargeurBordure) const;

    // The blink service's questions.
    bool Clignote() const override { return blinking_; }
    void Clignoter(bool allume) override;

    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;

protected:
    void paintEvent(QPaintEvent* evenement) override;
    void enterEvent(QEnterEvent* evenement) override;
    void leaveEvent(QEvent* evenement) override;
    void changeEvent(QEvent* evenement) override;

    // Shows a colour without making it the one given back.
    void MontrerCouleur(TCouleurCtrl c);

private:
    void DessinerDroit(QPainter& p, TRect client, const std::vector<CoucheTexte>& couches);
    void DessinerPlat(QPainter& p, TRect client, const std::vector<CoucheTexte>& couches);
    void DessinerArc(QPainter& p, const std::vector<CoucheTexte>& couches);
    QColor CouleurCouche(CoucheTexte::Role role) const;

    TTextStyle textStyle_ = tsRecessed;
    bool lightTextStyle_ = false;
    TCouleurCtrl highlightColor_ = clBtnHighlight;
    TCouleurCtrl shadowColor_ = clBtnShadow;
    int shadowDepth_ = 2;
    TRotation rotation_ = roNone;
    int angle_ = 0;
    TCenterPoint centerPoint_ = cpCenter;
    bool blinking_ = false;
    TCouleurCtrl blinkColor_ = clHighlight;
    bool flyByEnabled_ = false;
    TCouleurCtrl flyByColor_ = clHighlight;
    TTextLayout layout_ = tlTop;
    bool transparent_ = false;
    TCouleurCtrl couleur_ = clBtnFace;
    TCouleurCtrl couleurFonte_ = clWindowText;
    TCouleurCtrl couleurRendue_ = clWindowText; // given back after a blink or a fly-by
    ProprietesBordures bordures_;
};

// Who opens a link (the desktop's browser or mail program by default); returns whether it
// opened. An empty function puts the default back.
using LanceurLien = std::function<bool(const QString& cible)>;
void InstallerLanceurLien(LanceurLien lanceur);

class TCxURLLabel : public TCxLabel {
    Q_OBJECT
public:
    explicit TCxURLLabel(QWidget* parent = nullptr);
    explicit TCxURLLabel(const QString& texte, QWidget* parent = nullptr);

    const QString& URL() const { return url_; }
    void SetURL(const QString& url) { url_ = url; }
    bool Visited() const { return visited_; }
    void SetVisited(bool visite);
    TCouleurCtrl UnvisitedColor() const { return unvisitedColor_; }
    void SetUnvisitedColor(TCouleurCtrl c);
    TCouleurCtrl VisitedColor() const { return visitedColor_; }
    void SetVisitedColor(TCouleurCtrl c);

    // What a click opens: URL when it is not blank, else the caption; empty when both are blank.
    QString Cible() const;
    // The click: OnClick, then the target opened as it is written; the link counts as visited
    // once it did open.
    void Click();

    std::function<void()> OnClick;

protected:
    void mouseReleaseEvent(QMouseEvent* evenement) override;

private:
    void UpdateFontColor();

    QString url_;
    bool visited_ = false;
    TCouleurCtrl unvisitedColor_ = clHighlight;
    TCouleurCtrl visitedColor_ = platform::Couleur::DeValeur(8388736);
};
