#pragma once
// The let-ring selector: switches let ring on or off, in one operation, for chosen strings of
// the current track over a range of measures. Unlike the other range dialogs it does the work
// itself when OK is pressed; the command that opened it refreshes the views.
//
// Six string rows, row 1 at the top. The rows are bottom-aligned on the track's strings: on a
// track of n strings row k stands for string k - (6 - n), and rows 1 .. 6 - n stand for none
// (their check box is disabled and their number label hidden). Ticking a row enables its yes
// and no buttons and selects yes; unticking leaves both disabled and unselected.
//
// Only plain notes and let-ring notes change: a note with another link technique (hammer-on,
// pull-off, slides, bends) keeps it, and an empty string stays empty. No undo copy is taken.
#include "dialogs/PlageMesures.h"

#include <array>
#include <cstdint>
#include <string>

class QCheckBox;
class QFrame;
class QRadioButton;

class TLetRingAssistantForm : public QDialog {
    Q_OBJECT

public:
    explicit TLetRingAssistantForm(QWidget* parent = nullptr);

    static constexpr int ContexteAide = 16;
    static constexpr int HauteurRangee = 19;

    QLabel* Intro = nullptr;
    TChampsPlageMesures* Plage = nullptr;
    QLabel* Lab_Mesure = nullptr;
    QLineEdit* MesDeb = nullptr;
    QLabel* Lab_a = nullptr;
    QLineEdit* MesFin = nullptr;
    QLabel* Lab_Cordes = nullptr;
    QLabel* Lab_LetRing = nullptr;
    // By row 1..6 (index 0 unused).
    std::array<QLabel*, 7> Lib{};
    std::array<QCheckBox*, 7> CB{};
    std::array<QWidget*, 7> DesCorde{};   // DesCorde1, DesCorde2, Shape3, Shape4, Shape5, Shape1
    std::array<QFrame*, 7> FilGris{};     // Shape9, Shape8, Shape7 on rows 4, 5, 6
    std::array<QFrame*, 7> Panel{};
    std::array<QRadioButton*, 7> RY{};
    std::array<QRadioButton*, 7> RN{};
    QPushButton* BT_OK = nullptr;
    QPushButton* BT_Annuler = nullptr;
    QPushButton* BT_Aide = nullptr;

    void TraduireLetRing();
    const std::string& MessageAucuneCorde() const { return messageAucuneCorde_; }

    // The activation (the first showing runs it, once): MesFin := the number of measures, and
    // the rows of strings the current track lacks put out of use.
    void Activer();
    // The string a row stands for on the current track, 0 for none.
    static int32_t CordeDeRangee(int32_t rangee);

    // A row's check box changed: its radio pair follows.
    void CB1Click(int rangee);
    // A press on a row's string drawing: the row's tick reversed when its box is enabled.
    void DesCorde1MouseDown(int rangee);
    // The range check, the check that a row is ticked, then the work and the close.
    void BT_OKClick();

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void AppliquerLetRing(int32_t debut, int32_t fin);

    std::string messageAucuneCorde_;
    bool active_ = false;
};
