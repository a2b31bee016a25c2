#pragma once
// The text styles of the score view and of print, by label name: "FontNotes" (fret numbers),
// "FontTitle_Prt" (printed title), "FontNotes_US2" (a user preset), "FontNotes_Mem" (the copy
// the preferences put back on cancel)... There are 89 of them, each the live font of one
// style: AppliquerPolices copies the 64 persisted styles from the settings records once, and
// from then on the styles here are the truth. The preferences change them, the painters draw
// with them and the settings saver writes them back; the records' TMyFont fields keep only
// what was read at start.
//
// A style keeps exactly what it was given, so that it is saved as it was read. Drawing takes
// PoliceDessin, where a face without a name or a size of 0 points or less (nothing validates
// them) is replaced by the style's factory face or size.
#include "document/Configuration.h"
#include "platform/Canevas.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

// The font style of a settings record as the canvas takes it, and back. A colour keeps only
// its red, green and blue on the way to the canvas.
platform::StyleFonte StyleDePolice(const TMyFont& police);
TMyFont PoliceDeStyle(const platform::StyleFonte& style);

class TPolicesLabels {
public:
    // Every style with the font it starts with: the factory style of the settings, or the
    // fixed font of the technique and triplet styles.
    TPolicesLabels();

    // Whether a style of that name exists (names compare exactly).
    bool Existe(std::string_view nom) const;
    // The style as it was set; false for an unknown name (police unchanged).
    bool Lire(std::string_view nom, TMyFont& police) const;
    // Sets a style; false for an unknown name.
    bool Definir(std::string_view nom, const TMyFont& police);
    bool Definir(std::string_view nom, const platform::StyleFonte& style);
    // The style as the painters draw it. An unknown name gives the canvas's default font.
    platform::StyleFonte PoliceDessin(std::string_view nom) const;

    // Names of all styles, in the order of the label groups.
    const std::vector<std::string>& Noms() const { return noms_; }

    // AppliquerPolices has run: the styles are the live fonts.
    bool Appliquees() const { return appliquees_; }
    void MarquerAppliquees() { appliquees_ = true; }

private:
    struct Style {
        TMyFont police;  // as set
        TMyFont origine; // factory value, for what cannot be drawn
    };
    void Ajouter(const std::string& nom, const TMyFont& police);

    std::map<std::string, Style, std::less<>> styles_;
    std::vector<std::string> noms_;
    bool appliquees_ = false;
};

// The one set of styles of the main window.
TPolicesLabels& PolicesLabels();
// Back to the styles of the start, not applied (tests, a new main window).
void ReinitialiserPolicesLabels();

// Copies the 64 persisted styles of the display and print records (current and presets) onto
// their labels: face, size, style cleared then bold and italic, colour. Run once, at the main
// window's first activation.
void AppliquerPolices();

// The settings saver's question to the main window: the live font of a label, false while the
// styles have not been applied (the saver then keeps the record's own style) or for a name
// that is no label.
bool LirePoliceLabel(const char* nomLabel, TMyFont& police);
