#pragma once
// The paste dialog: whether to paste the measure clipboard, where (over the measures from the
// current one on, in room made before it, or after the last measure) and how many times
// (1..999). Its question names the number of measures the clipboard holds, with the text for a
// clipboard of one track or of all tracks. Yes gives modal result 6 once the count is valid;
// No, Escape and the close box give No (7).
#include "dialogs/BaseDialogue.h"
#include "editor/PressePapier.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QShowEvent;
class QToolButton;

class TSais_Paste_Form : public QDialog {
    Q_OBJECT

public:
    explicit TSais_Paste_Form(QWidget* parent = nullptr);

    QLabel* Image_Conf = nullptr;
    QLabel* Question = nullptr;
    QRadioButton* PasteRB1 = nullptr; // at the selection (checked in the form)
    QRadioButton* PasteRB2 = nullptr; // before the selection
    QRadioButton* PasteRB3 = nullptr; // after the last measure
    QLabel* LibNbFois = nullptr;
    QLineEdit* Ed_NbPaste = nullptr;
    QToolButton* NbPasteUp = nullptr;
    QToolButton* NbPasteDown = nullptr;
    QPushButton* BT_Oui = nullptr;
    QPushButton* BT_Non = nullptr;

    static constexpr int32_t NbCollagesMax = 999;

    // The captions and the two questions (Windows-1252), whose first "%s" becomes "#1".
    void TraduireColler();
    const std::string& QuestionUnePiste() const { return questionUnePiste_; }
    const std::string& QuestionToutesPistes() const { return questionToutesPistes_; }
    // The question that fits the clipboard, its "#1" filled with the number of measures.
    void DefinirQuestion(bool toutesPistes, int32_t nbMesures);

    // The activation (the first showing runs it): the focus on Yes.
    void Activer();
    void BT_OuiClick();
    // The count is a number in 1..999; otherwise the field is refused and false returned.
    bool ValiderNbCollages();

    void NbPasteUpClick();
    void NbPasteDownClick();
    // The held arrows: 300 ms to the first tick, then 130 ms; each tick moves a non-empty count
    // by the step, kept within 1..999.
    RepetitionSpin& Timer1() { return *timer1_; }

    // Asked on Yes with the valid count and the place; false keeps the dialog open.
    std::function<bool(const TChoixCollage&)> Verifier;

    // What the paste command reads after Yes.
    int32_t NbCollages() const;
    PlaceCollage Place() const;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    std::string questionUnePiste_;
    std::string questionToutesPistes_;
    std::unique_ptr<RepetitionSpin> timer1_;
    bool active_ = false;
};
