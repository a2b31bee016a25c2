#pragma once
// Combo boxes of the component library: a framed combo box with a flat drop-down button,
// type-ahead search in its list and completion of items in its edit part, and the line combo
// box, which draws no box at all, only a line under its text (the song browser's jump list).
#include "controls/CxCadre.h"

#include <QComboBox>
#include <QString>

#include <functional>
#include <utility>

class QTimer;

class TCxCustomComboBox : public TControleEncadre<QComboBox> {
    Q_OBJECT
public:
    explicit TCxCustomComboBox(QWidget* parent = nullptr);

    bool AllowEdit = true;        // text matching no item may be typed into the edit part
    bool BeepOnInvalidKey = true;

    bool FlatButtons() const { return flatButtons_; }
    void SetFlatButtons(bool v);
    int DropDownWidth() const { return dropDownWidth_; }
    void SetDropDownWidth(int largeur); // 0: the width of the control

    bool FrameVisible() const { return cadre_.FrameVisible; }

    // Events, fired only when assigned.
    std::function<void()> OnClick;
    std::function<void()> OnChange;
    std::function<void(QChar& touche)> OnKeyPress; // may change the character, or drop it with a null one
    std::function<void()> OnCloseUp;
    std::function<void()> OnMatch;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;

    // The system beep; tests replace it.
    std::function<void()> Bip;

    // What has been typed since the last pause (1.5 s), the last clear or the last Escape.
    const QString& SearchText() const { return recherche_; }
    // The pause timer's tick: the search starts again with the next character.
    void SearchTimerTick();

    void UpdateFrame(bool parSouris, bool etat);
    void DoBeep();
    // Searches the list for an item starting with `texte` (no letter case) and selects it.
    bool SelectItem(const QString& texte, QChar touche);
    bool CompleteItem(const QString& texte, QChar touche);
    int FindItem(const QString& texte) const;

    void showPopup() override;
    void hidePopup() override;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

    void Choisir(int index); // selects and fires click and change
    void PeindreCadre(QPainter& p);
    int LargeurBouton() const;
    bool DeroulementOuvert() const { return deroule_; }

protected:
    void AppliquerBord() override { setFrame(!cadre_.FrameVisible); }

private:
    bool ToucheEdition(QKeyEvent* e);
    void EntreeEditionInstallee();

    bool flatButtons_ = true;
    int dropDownWidth_ = 0;
    QString recherche_;
    QTimer* minuterie_ = nullptr;
    bool deroule_ = false;
    bool changementPropre_ = false;
};

enum TLineStyle { lsNone, lsFlat, lsGroove, lsBump };

// The two lines under the text, (line at height - 1, line at height - 2), for a style.
std::pair<QColor, QColor> CouleursLigne(TLineStyle style, QColor controle, QColor ligne, QColor ombre, QColor lumiere);

class TCxLineComboBox : public TCxCustomComboBox {
    Q_OBJECT
public:
    explicit TCxLineComboBox(QWidget* parent = nullptr);

    QColor LineColor() const { return lineColor_; }
    void SetLineColor(QColor c);
    TLineStyle LineStyle() const { return lineStyle_; }
    void SetLineStyle(TLineStyle s);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QColor lineColor_ = Qt::black;
    TLineStyle lineStyle_ = lsFlat;
};
