#pragma once
// The toolbar button: a flat glyph button that takes its caption, glyph, hint, enabled and
// checked states from an action, can belong to a group of toggle buttons of which at most one
// is down, and can swap in a second glyph while the mouse is over it.
#include <QPixmap>
#include <QPointer>
#include <QToolButton>

#include <functional>

class QAction;

class TCxToolbarButton : public QToolButton {
    Q_OBJECT
public:
    explicit TCxToolbarButton(QWidget* parent = nullptr);

    bool Flat() const { return autoRaise(); }
    void SetFlat(bool plat) { setAutoRaise(plat); }

    // The glyph holds NumGlyphs images side by side: normal, disabled, clicked, down.
    const QPixmap& Glyph() const { return glyph_; }
    int NumGlyphs() const { return numGlyphs_; }
    // Takes the bitmap; its number of images follows from its width and height.
    void SetGlyph(const QPixmap& image);
    void SetNumGlyphs(int n);

    const QPixmap& HotGlyph() const { return hotGlyph_; }
    int HotNumGlyphs() const { return hotNumGlyphs_; }
    bool UseHotGlyph() const { return useHotGlyph_; }
    // Copies the bitmap and turns UseHotGlyph on.
    void SetHotGlyph(const QPixmap& image);
    void SetHotNumGlyphs(int n);
    void SetUseHotGlyph(bool utiliser) { useHotGlyph_ = utiliser; }
    bool SourisDedans() const { return dedans_; }

    bool IgnoreActionCaption() const { return ignoreActionCaption_; }
    void SetIgnoreActionCaption(bool ignorer);

    // Group 0: a plain button. Otherwise a toggle button; setting one of a group down releases the
    // other buttons of its group under the same parent; with AllowAllUp a down button is
    // released by a click, otherwise it stays down.
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int groupe);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool permis) { allowAllUp_ = permis; }
    bool Down() const { return isChecked(); }
    void SetDown(bool enfonce);

    // The action the button mirrors (not owned): its caption (unless IgnoreActionCaption), icon,
    // hint (unless the button was given its own), enabled and checked states, and what a click
    // runs (its triggered signal: setting Down runs nothing). A checkable action keeps the down
    // state: the button shows the action's checked state after the action ran.
    QAction* Action() const { return action_; }
    void SetAction(QAction* action);

    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;

protected:
    void nextCheckState() override;
    void enterEvent(QEnterEvent* evenement) override;
    void leaveEvent(QEvent* evenement) override;

private:
    void ActionChange();
    void AppliquerGlyphe(const QPixmap& image, int nombre);
    void MettreCheckable();

    QPixmap glyph_;
    int numGlyphs_ = 1;
    QPixmap hotGlyph_;
    int hotNumGlyphs_ = 1;
    bool useHotGlyph_ = false;
    QPixmap glyphNormal_; // the glyph kept while the hot one is shown
    int numGlyphsNormal_ = 1;
    bool dedans_ = false;
    bool chaudMontre_ = false; // the hot glyph is shown, the normal one kept
    bool ignoreActionCaption_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    QPointer<QAction> action_;
    QString bulleAction_; // the action's hint when the button last took it
    QMetaObject::Connection liaisonChange_;
    QMetaObject::Connection liaisonClic_;
};

// The number of images in a glyph strip: width / height when that divides exactly (1 when that is
// above 4); otherwise, or for a height of 0, `actuel` stays.
int NombreImagesGlyphe(int largeur, int hauteur, int actuel);
