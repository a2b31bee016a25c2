#pragma once
// The speed button: a push button drawn by us with a glyph and a caption, latching in groups of
// its siblings, repeating its click while held, opening a drop-down menu, flat (its frame shows
// only under the mouse) or transparent. Not a QAbstractButton: its press, repeat and group logic
// would fight ours.
#include "controls/KxBtnGlyph.h"

#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QShortcut;
class QTimer;

enum TButtonStyle : uint8_t { bsAutoDetect, bsWin31, bsNew };
enum TKxDropDownMenuPos : uint8_t { dmpBottom, dmpRight };
enum TMenuAlignment : uint8_t { paLeft, paRight, paCenter };

// The repeat timer of a held button; tests give a fake one.
class IMinuterieRepetition {
public:
    virtual ~IMinuterieRepetition() = default;
    virtual void Demarrer(int ms) = 0;
    virtual void SetIntervalle(int ms) = 0;
    virtual void Arreter() = 0;
    std::function<void()> Tic;
};

// Where the drop-down menu opens, in button coordinates.
QPoint PositionMenu(QSize bouton, TKxDropDownMenuPos position, TMenuAlignment alignement);

class TKxSpeedButton : public QWidget {
public:
    explicit TKxSpeedButton(QWidget* parent = nullptr);
    ~TKxSpeedButton() override;

    using FabriqueMinuterie = std::function<std::unique_ptr<IMinuterieRepetition>()>;
    // Null puts the QTimer back.
    static void InstallerFabriqueMinuterie(FabriqueMinuterie fabrique);

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool v);
    bool Down() const { return down_; }
    void SetDown(bool v);
    bool Flat() const { return flat_; }
    void SetFlat(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    TButtonStyle Style() const { return style_; }
    void SetStyle(TButtonStyle v);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout v);
    int Spacing() const { return spacing_; }
    void SetSpacing(int v);
    int Margin() const { return margin_; }
    void SetMargin(int v); // below -1 refused
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int v) { modalResult_ = v; }
    bool MarkDropDown() const { return markDropDown_; }
    void SetMarkDropDown(bool v);
    QMenu* DropDownMenu() const { return menu_; }
    void SetDropDownMenu(QMenu* menu);
    TKxDropDownMenuPos MenuPosition() const { return menuPosition_; }
    void SetMenuPosition(TKxDropDownMenuPos v) { menuPosition_ = v; }
    TMenuAlignment MenuAlignment() const { return menuAlignment_; }
    void SetMenuAlignment(TMenuAlignment v) { menuAlignment_ = v; }
    bool GrayedInactive() const { return grayedInactive_; }
    void SetGrayedInactive(bool v);
    bool AllowTimer() const { return allowTimer_; }
    void SetAllowTimer(bool v);
    int InitPause() const { return initPause_; }
    void SetInitPause(int ms) { initPause_ = ms; }
    int RepeatInterval() const { return repeatInterval_; }
    void SetRepeatInterval(int ms) { repeatInterval_ = ms; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    Qt::Alignment Alignment() const { return alignment_; }
    void SetAlignment(Qt::Alignment v);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& texte);

    const QImage& Glyph() const { return glyphe_.Glyph(); }
    void SetGlyph(const QImage& bitmap);
    int NumGlyphs() const { return glyphe_.NumGlyphs(); }
    void SetNumGlyphs(int n);
    TKxButtonGlyph& ObjetGlyphe() { return glyphe_; }

    TKxButtonState Etat() const { return etat_; }
    bool SourisDedans() const { return sourisDedans_; }
    bool Dragging() const { return dragging_; }
    // The state the face is painted in now.
    TKxButtonState EtatPeint() const;
    bool NouveauLook() const { return style_ != bsWin31; }

    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;

    // The click: the dialog's modal result, then OnClick.
    virtual void Click();
    // The face as paintEvent draws it (the file-name edit's button adds its edge lines).
    virtual QImage Face();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    // A look property: the face is repainted only when the value changes.
    template <class T>
    void Changer(T& champ, T valeur)
    {
        if (valeur != champ) {
            champ = valeur;
            update();
        }
    }
    void Relacher(bool dedans);
    void NotifierGroupe();
    void GroupeNotifie(TKxSpeedButton* emetteur);
    void MettreAJourSuivi();
    void SetSourisDedans(bool v);
    void TicMinuterie();
    void MontrerMenu();
    bool Dedans(QPoint p) const;
    void DessinerGlyphe(QPainter& p, QRect client, TKxButtonState etat);

    int groupIndex_ = 0;
    TButtonStyle style_ = bsAutoDetect;
    TKxButtonGlyph glyphe_;
    bool down_ = false;
    bool dragging_ = false;
    bool flat_ = false;
    bool sourisDedans_ = false;
    bool allowAllUp_ = false;
    TButtonLayout layout_ = blGlyphTop;
    int spacing_ = 1;
    int margin_ = -1;
    int modalResult_ = 0;
    bool transparent_ = false;
    bool markDropDown_ = true;
    QPointer<QMenu> menu_;
    TKxDropDownMenuPos menuPosition_ = dmpBottom;
    TMenuAlignment menuAlignment_ = paLeft;
    bool grayedInactive_ = true;
    bool menuSuivi_ = false;
    std::unique_ptr<IMinuterieRepetition> minuterie_;
    bool allowTimer_ = false;
    int initPause_ = 500;
    int repeatInterval_ = 100;
    bool wordWrap_ = false;
    Qt::Alignment alignment_ = Qt::AlignHCenter;
    QString caption_;
    QShortcut* mnemonique_ = nullptr;
    TKxButtonState etat_ = bsUp;
};
