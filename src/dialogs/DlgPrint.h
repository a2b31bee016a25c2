#pragma once
// The print dialog: which pages of the current track the print command sends to the printer
// (all, or a range), with the printer's name and a button for the printer set-up. It checks
// nothing: PagesChoisies reads the range the way the print commands use it.
#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TPrintForm : public QDialog {
    Q_OBJECT

public:
    explicit TPrintForm(QWidget* parent = nullptr);

    QLabel* LabelPrinter = nullptr;
    QLabel* LabelImp = nullptr; // the printer's name
    QGroupBox* GroupBox1 = nullptr;
    QRadioButton* RB_Tout = nullptr;
    QRadioButton* RB_Pages = nullptr;
    QLineEdit* ED_PageDeb = nullptr;
    QLabel* Label_A = nullptr;
    QLineEdit* ED_PageFin = nullptr;
    QPushButton* BT_OK = nullptr;
    QPushButton* BT_Annuler = nullptr;
    QPushButton* BT_Configurer = nullptr;

    // The main window's printer set-up: the name of the printer then selected (Windows-1252)
    // when the user confirmed it, nothing when cancelled. Without it the button does nothing.
    std::function<std::optional<std::string>()> ConfigurerImprimante;

    void TraduireImpression();
    // The printer's name (Windows-1252) into LabelImp.
    void DefinirImprimante(const std::string& nom);
    void BT_ConfigurerClick();

    // The pages to print. All pages: 0 and 0. A page range: the numbers of the two fields, a
    // text that is not a page number (empty, not a number, below 1) counting as 0; a first page
    // with no last prints alone, and a reversed range is put in order.
    void PagesChoisies(int32_t& premiere, int32_t& derniere) const;
};
