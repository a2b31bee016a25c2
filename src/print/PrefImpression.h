#pragma once
// The Printing page of the preferences: page margins, whole page or an area of a given size,
// the proportions and positions of the print, the ten print text styles (always black), what
// is printed and the black-blocks switch, with a Default button, three user presets and the
// Preview button.
#include "print/PrefPage.h"

#include <array>

class TPagePrefImpression : public TPagePreferences {
public:
    explicit TPagePrefImpression(QWidget* parent);

    // In the order of kChampsImpression: the edits, their labels ("<name>_Lab").
    std::array<QLineEdit*, kNbChampsImpression> Champs{};
    std::array<QLabel*, kNbChampsImpression> EtiquettesChamps{};
    QRadioButton* FullPage_Prt = nullptr;
    QRadioButton* SelectedArea_Prt = nullptr;
    QCheckBox* Center_Prt = nullptr;
    QCheckBox* TracerCadre_Prt = nullptr;
    // In the order of kCurseursImpression, with their labels ("<name>_Lab").
    std::array<QSlider*, kNbCurseursImpression> Curseurs{};
    std::array<QLabel*, kNbCurseursImpression> EtiquettesCurseurs{};
    // In the order of kPolicesImpression: ModifierFontTitle_Prt .. ModifierFontRenv_Prt, their
    // labels and samples LibExFontTitle_Prt .. LibExFontRenv_Prt.
    std::array<QToolButton*, kNbPolicesImpression> BoutonsPolices{};
    std::array<QLabel*, kNbPolicesImpression> EtiquettesPolices{};
    std::array<QLabel*, kNbPolicesImpression> ExemplesPolices{};
    // In the order of kCasesImpression.
    std::array<QCheckBox*, kNbCasesImpression> Cases{};
    QCheckBox* BlackBlocks = nullptr;

    std::array<QPushButton*, 3> PrintUser{};
    std::array<QToolButton*, 3> SavePrintUser{};
    QPushButton* PrintDefault = nullptr;
    QPushButton* BT_Look_Prt = nullptr;

    // As on the Display page.
    std::function<bool()> AvantEnregistrement;

    // The page from values (the black-blocks switch apart: presets do not carry it), and the
    // values it holds. Lire() expects no empty edit.
    void Charger(const TValeursImpression& valeurs);
    TValeursImpression Lire() const;
    void CompleterChampsVides();
    // The area's size and placement only count when printing on an area.
    void ActiverZoneImpression();

    const TMyFont& Police(std::size_t i) const { return polices_[i]; }

    void ModifierPolice(std::size_t i);
    void PrintDefaultClick();
    void PrintUserClick(int n);
    void SavePrintUserClick(int n);

private:
    std::array<TMyFont, kNbPolicesImpression> polices_{};
    QButtonGroup* zone_ = nullptr;
};
