#pragma once
// The measure-range fields shared by the cut, copy-and-clear, automatic placement and let-ring
// dialogs: a first and a last measure number, typed (digits only) or moved by their spin
// arrows and the arrow keys, with the range check their OK runs against the song's measure
// count N.
//
// The fields take four digits although numbers are three-digit in the forms: the song may hold
// 1000 measures, and the last field of a dialog that opens on the song's end must show it.
#include "dialogs/BaseDialogue.h"

#include <QDialog>
#include <QObject>

#include <cstdint>
#include <memory>
#include <optional>

class QLabel;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QShowEvent;
class QToolButton;
class QWidget;

class TChampsPlageMesures : public QObject {
public:
    // Lab_Mesure, MesDeb with its arrows, Lab_a and MesFin with its arrows, as children of
    // `parent`; the first field's top left at (x, y) of the 96-dpi design.
    TChampsPlageMesures(QWidget* parent, int x, int y);
    ~TChampsPlageMesures() override;

    QLabel* Lab_Mesure = nullptr;
    QLineEdit* MesDeb = nullptr;
    QToolButton* MesDebUp = nullptr;
    QToolButton* MesDebDown = nullptr;
    QLabel* Lab_a = nullptr;
    QLineEdit* MesFin = nullptr;
    QToolButton* MesFinUp = nullptr;
    QToolButton* MesFinDown = nullptr;

    // The held-arrow repeat of each field (Timer1 for MesDeb, Timer2 for MesFin): 300 ms to the
    // first tick, 100 ms from the second, 50 ms from the eleventh, the step tripled at the
    // thirtieth; each tick moves a non-empty field by the step, kept within 1..N.
    RepetitionSpin& Timer1() { return *timer1_; }
    RepetitionSpin& Timer2() { return *timer2_; }

    void Remplir(int32_t debut, int32_t fin);
    // The click of an arrow: a non-empty value below N goes up by one, above 1 down by one.
    static void Monter(QLineEdit* champ);
    static void Descendre(QLineEdit* champ);

    // Each field's number; nothing for an empty field.
    std::optional<int32_t> Debut() const;
    std::optional<int32_t> Fin() const;

    // The check on OK: the first field empty, 0 or above N, then the last field likewise, then
    // the last below the first. The faulty field is refused (the invalid-entry box, focus, text
    // selected) and false returned; the values typed stay.
    bool Valider();

private:
    std::unique_ptr<RepetitionSpin> timer1_;
    std::unique_ptr<RepetitionSpin> timer2_;
};

// ---- The measure-range dialogs ------------------------------------------------------------------


// What the cut, copy-and-clear and automatic placement dialogs share: the range fields, OK and
// Cancel, the activation that fills the fields, and F1 for their help context. OK closes the
// dialog only when the range check passes; Cancel, Escape and the close box always close.
class TDialoguePlage : public QDialog {
    Q_OBJECT

public:
    TChampsPlageMesures* Plage = nullptr;
    QLabel* Lab_Mesure = nullptr;
    QLineEdit* MesDeb = nullptr;
    QToolButton* MesDebUp = nullptr;
    QToolButton* MesDebDown = nullptr;
    QLabel* Lab_a = nullptr;
    QLineEdit* MesFin = nullptr;
    QToolButton* MesFinUp = nullptr;
    QToolButton* MesFinDown = nullptr;
    QPushButton* BT_OK = nullptr;
    QPushButton* BT_Annuler = nullptr;

    const int ContexteAide;

    // The activation: fills the fields and gives the first one the focus with its text
    // selected. The first showing runs it, once only, so that coming back from the
    // invalid-entry box does not put back the values the user is correcting.
    void Activer();
    bool Active() const { return active_; }

    void BT_OKClick();

protected:
    TDialoguePlage(QWidget* parent, const char* nom, int largeur, int hauteur, const QString& titre, int contexteAide);

    virtual void Activation() = 0;
    // Runs when OK is pressed, before the range check.
    virtual void AvantControle() {}

    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool active_ = false;
};
