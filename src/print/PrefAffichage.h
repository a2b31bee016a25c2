#pragma once
// The Display page of the preferences: margins and spacings of the score view, its six text
// styles and seven colours, what it shows, the chord diagram size and the spacing factors,
// with a Default button, three user presets and the Look button that applies the page at once.
#include "print/PrefPage.h"

#include <array>

class TPagePrefAffichage : public TPagePreferences {
public:
    explicit TPagePrefAffichage(QWidget* parent);

    // In the order of kChampsAffichage: the edits and their labels ("<name>_Lab").
    std::array<QLineEdit*, kNbChampsAffichage> Champs{};
    std::array<QLabel*, kNbChampsAffichage> EtiquettesChamps{};
    // In the order of kPolicesAffichage: ModifierFontNotes .. ModifierFontRenv, their labels
    // and their samples LibExFontNotes .. LibExFontRenv.
    std::array<QToolButton*, kNbPolicesAffichage> BoutonsPolices{};
    std::array<QLabel*, kNbPolicesAffichage> EtiquettesPolices{};
    std::array<QLabel*, kNbPolicesAffichage> ExemplesPolices{};
    // In the order of kCouleursAffichage: ModifierColDiag .. ModifierColSelect, their labels and
    // their samples ExColDiag .. ExColSelect.
    std::array<QToolButton*, kNbCouleursAffichage> BoutonsCouleurs{};
    std::array<QLabel*, kNbCouleursAffichage> EtiquettesCouleurs{};
    std::array<QLabel*, kNbCouleursAffichage> ExemplesCouleurs{};
    // In the order of kCasesAffichage.
    std::array<QCheckBox*, kNbCasesAffichage> Cases{};

    QLabel* DiagSize_Lab = nullptr;
    std::array<QRadioButton*, 3> TypeDiag{};  // TypeDiag1 .. TypeDiag3
    std::array<QLabel*, 3> ImagesDiag{};      // Image1, Image2, Image12: a click checks the radio
    QLabel* CoefEspAff_Lab = nullptr;
    QSlider* CoefEspAff = nullptr;
    QLabel* CoefPAff_Lab = nullptr;
    QSlider* CoefPAff = nullptr;

    std::array<QPushButton*, 3> DisplayUser{};
    std::array<QToolButton*, 3> SaveDisplayUser{};
    QPushButton* DisplayDefault = nullptr;
    QPushButton* BT_Look = nullptr;

    // Asked before a preset is saved: completes the empty edits of the dialog and checks what
    // was typed; false stops the saving.
    std::function<bool()> AvantEnregistrement;

    // The page from values (loading), and the values it holds. Lire() expects no empty edit.
    void Charger(const TValeursAffichage& valeurs);
    TValeursAffichage Lire() const;
    // Empty edits receive their fallback text.
    void CompleterChampsVides();
    // The first edit whose value the score cannot be drawn with, or nullptr.
    QLineEdit* ChampRefuse() const;

    const TMyFont& Police(std::size_t i) const { return polices_[i]; }
    TCouleur Couleur(std::size_t i) const { return couleurs_[i]; }

    void ModifierPolice(std::size_t i);
    void ModifierCouleur(std::size_t i);
    void ImageDiagClick(std::size_t i);
    void DisplayDefaultClick();
    void DisplayUserClick(int n);
    void SaveDisplayUserClick(int n);

private:
    std::array<TMyFont, kNbPolicesAffichage> polices_{};
    std::array<TCouleur, kNbCouleursAffichage> couleurs_{};
    QButtonGroup* tailles_ = nullptr;
};
