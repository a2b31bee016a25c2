#pragma once
// The transpose dialog: by how many semitones, from +12 down to -12, the transpose assistant
// moves every note of the current track. It opens on "0"; OK without a choice still runs the
// assistant, which then fingers the track again without shifting it.
#include <QDialog>

#include <cstdint>

class QComboBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QShowEvent;

class TTransposerForm : public QDialog {
    Q_OBJECT

public:
    explicit TTransposerForm(QWidget* parent = nullptr);

    static constexpr int ContexteAide = 13;
    // Item 12 of the list, the middle one, is "0".
    static constexpr int ItemZero = 12;

    QLabel* Lab_Transpo = nullptr;
    QComboBox* Valeur = nullptr; // "+12", "+11" ... "+1", "0", "-1" ... "-12"
    QLabel* Lab_demiton = nullptr;
    QPushButton* BT_OK = nullptr;
    QPushButton* BT_Annuler = nullptr;
    QPushButton* BT_Aide = nullptr;

    void TraduireTransposer();
    // The activation (the first showing runs it): item "0" selected.
    void Activer();
    // The selected item's text as a signed number of semitones.
    int32_t DemiTons() const;

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool active_ = false;
};
