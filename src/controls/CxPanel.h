#pragma once
// The panel family of the component library: a container whose edge is drawn by the frame
// routines (frame sides, outer border, band, inner border) with a caption at the top, centre
// or bottom; the toolbar built on it, which puts an ordered list of controls in rows; and the
// spacer that separates groups of buttons in a toolbar.
#include "controls/Cadres.h"
#include "controls/DispositionBarre.h"

#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

class QPainter;

class TCxCustomPanel : public QWidget {
    Q_OBJECT
public:
    explicit TCxCustomPanel(QWidget* parent = nullptr);

    TFrameStyle BorderOuter() const { return bordures_.BorderOuter; }
    TFrameStyle BorderInner() const { return bordures_.BorderInner; }
    TSides BorderSides() const { return bordures_.BorderSides; }
    TSides FrameSides() const { return bordures_.FrameSides; }
    TCouleurCtrl BorderColor() const { return bordures_.BorderColor; }
    TCouleurCtrl BorderHighlight() const { return bordures_.BorderHighlight; }
    TCouleurCtrl BorderShadow() const { return bordures_.BorderShadow; }
    TCouleurCtrl FlatColor() const { return bordures_.FlatColor; }
    int BevelWidth() const { return bordures_.BevelWidth; }
    int BorderWidth() const { return bordures_.BorderWidth; }
    TTextLayout CaptionLayout() const { return captionLayout_; }
    const QString& Caption() const { return caption_; }
    Qt::Alignment Alignment() const { return alignement_; }
    TCouleurCtrl Color() const { return couleur_; }
    TAlign Align() const { return align_; }
    bool ShowDockClientCaptions() const { return showDockClientCaptions_; }
    bool FullRepaint() const { return fullRepaint_; }
    bool Locked() const { return locked_; }
    const ProprietesBordures& Bordures() const { return bordures_; }

    // The four setters that change the client area are virtual: the toolbar drops its automatic
    // style when one of them is set from outside.
    virtual void SetBorderOuter(TFrameStyle style);
    virtual void SetBorderInner(TFrameStyle style);
    virtual void SetBorderSides(TSides cotes);
    virtual void SetFrameSides(TSides cotes);
    void SetBorderColor(TCouleurCtrl c);
    void SetBorderHighlight(TCouleurCtrl c);
    void SetBorderShadow(TCouleurCtrl c);
    void SetFlatColor(TCouleurCtrl c);
    void SetBevelWidth(int largeur);
    void SetBorderWidth(int largeur);
    void SetCaptionLayout(TTextLayout disposition);
    void SetCaption(const QString& texte);
    void SetAlignment(Qt::Alignment alignement);
    void SetColor(TCouleurCtrl c);
    virtual void SetAlign(TAlign align);
    void SetShowDockClientCaptions(bool montrer) { showDockClientCaptions_ = montrer; }
    void SetFullRepaint(bool complet) { fullRepaint_ = complet; }
    void SetLocked(bool verrou) { locked_ = verrou; }

    // The whole panel without what the borders take (the band of BorderWidth stays in).
    TRect ClientRect() const;
    // `r` shrunk by the borders, and by BorderWidth on all four sides when asked.
    TRect AdjustRectForBorders(TRect r, bool avecLargeurBordure) const;
    // Places the panel; a bottom-aligned panel keeps its bottom edge, a right-aligned one its
    // right edge when its size changes.
    void SetBounds(int gauche, int haut, int largeur, int hauteur);

    // The rectangle of a caption `hauteurTexte` high in the content rectangle.
    static TRect RectangleLegende(TRect contenu, int hauteurTexte, TTextLayout disposition);

    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;

protected:
    void paintEvent(QPaintEvent* evenement) override;
    void enterEvent(QEnterEvent* evenement) override;
    void leaveEvent(QEvent* evenement) override;
    void changeEvent(QEvent* evenement) override;

    // The frame, the fill and the caption; the toolbar adds its background over them.
    virtual void Peindre(QPainter& peintre);
    // The client area changed: the margins that Qt layouts respect follow it.
    void BorduresChangees();

    ProprietesBordures bordures_;

private:
    TTextLayout captionLayout_ = tlCenter;
    QString caption_;
    Qt::Alignment alignement_ = Qt::AlignHCenter;
    TCouleurCtrl couleur_ = clBtnFace;
    TAlign align_ = alNone;
    bool showDockClientCaptions_ = true;
    bool fullRepaint_ = false;
    bool locked_ = false;
};

// The panel as forms place it.
class TCxPanel : public TCxCustomPanel {
    Q_OBJECT
public:
    explicit TCxPanel(QWidget* parent = nullptr) : TCxCustomPanel(parent) {}
};

// A gap between groups of toolbar buttons, with an optional groove across its middle.
class TCxSpacer : public QWidget {
    Q_OBJECT
public:
    explicit TCxSpacer(QWidget* parent = nullptr);

    bool Grooved() const { return grooved_; }
    void SetGrooved(bool rainure);
    TOrientation Orientation() const { return orientation_; }
    // Swaps the width and the height when it changes.
    void SetOrientation(TOrientation orientation);

protected:
    void paintEvent(QPaintEvent* evenement) override;

private:
    bool grooved_ = false;
    TOrientation orientation_ = orHorizontal;
};

// The toolbar: its controls, in list order, side by side in rows of RowHeight, each centred in
// its row, starting a new row when one does not fit. Children added later join the end of the
// list; a control that goes away leaves it.
class TCxToolbar : public TCxCustomPanel {
    Q_OBJECT
public:
    explicit TCxToolbar(QWidget* parent = nullptr);

    // The controls in layout order.
    std::vector<QWidget*> ToolbarControls() const;
    // Their names (object names), as a form keeps them.
    QStringList ToolbarControlNames() const;
    // The list from names, as a form reads it: each name is looked up among the toolbar's window
    // (a name given twice counts once, without regard to case; names that find no control are
    // dropped); without any name every child joins in child order. Then the toolbar lays out.
    void SetToolbarControlNames(const QStringList& noms);
    // Appends a control (made a child of the toolbar) unless it is listed already, and lays out at
    // once with its size (children merely created join at the next turn of the event loop).
    void AddControl(QWidget* controle);

    TOrientation Orientation() const { return orientation_; }
    int RowHeight() const { return rowHeight_; }
    int Margin() const { return margin_; }
    int TopMargin() const { return topMargin_; }
    bool WrapControls() const { return wrapControls_; }
    bool AutoResize() const { return autoResize_; }
    bool AutoStyle() const { return autoStyle_; }
    bool ShowDivider() const { return showDivider_; }
    // The platform's automatic sizing: laid out at its present width, the toolbar then takes the
    // height its rows need (and a width for a first control wider than it). Whoever places it
    // gives the width to wrap at: sizeHint() is the width of one row.
    bool AutoSize() const { return autoSize_; }
    const QPixmap& Background() const { return background_; }

    void SetOrientation(TOrientation orientation);
    void SetRowHeight(int hauteur);
    void SetMargin(int marge);
    void SetTopMargin(int marge);
    void SetWrapControls(bool retour);
    void SetAutoResize(bool auto_);
    void SetAutoStyle(bool auto_) { autoStyle_ = auto_; }
    void SetShowDivider(bool montrer);
    void SetAutoSize(bool auto_);
    void SetBackground(const QPixmap& image);

    void SetBorderOuter(TFrameStyle style) override;
    void SetBorderInner(TFrameStyle style) override;
    void SetBorderSides(TSides cotes) override;
    void SetFrameSides(TSides cotes) override;
    // Takes the automatic style of the alignment first, then forces the cross size to 32.
    void SetAlign(TAlign align) override;

    // The height of a row (all rows alike).
    virtual int RowHeightOf(int rangee) const;
    void ApplyAutoStyle(TAlign align);
    // Places every listed control again (and resizes the toolbar when it should).
    void PositionControls();

    // The bounding box of the controls laid out in one row: what AutoSize gives when the width
    // leaves room for them.
    QSize sizeHint() const override;

protected:
    void childEvent(QChildEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;
    void showEvent(QShowEvent* evenement) override;
    void Peindre(QPainter& peintre) override;

private:
    void Suivre(QWidget* controle);
    void SansAutoStyle();

    std::vector<QPointer<QWidget>> controles_;
    TOrientation orientation_ = orHorizontal;
    int rowHeight_ = 25;
    int margin_ = 4;
    int topMargin_ = 4;
    bool wrapControls_ = true;
    bool autoResize_ = true;
    bool autoStyle_ = true;
    bool showDivider_ = true;
    bool autoSize_ = false;
    QPixmap background_;
    bool enDisposition_ = false;
    bool construit_ = false;
};
