#pragma once
// What the preferences dialog does apart from its widgets: the values each page shows, how
// they come from the settings records and the style labels and go back into them (the current
// settings, or a user preset), the backups that make Cancel possible, the refresh of the score
// view after a display change, and the checks of what the user typed. No Qt here.
//
// The text styles of the settings live on the style labels (editor/Fontes.h), never in the
// TMyFont fields of the records: a page reads and writes the labels only. The labels of user
// preset n carry the suffix "_US<n>", the backups taken when the dialog opens "_Mem".
#include "document/Configuration.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// True while a preferences dialog exists; the print preview reads it to know what lies beneath.
extern bool PrefOuvert;

// The tab pages, in the order the dialog shows them.
enum class PagePreferences { General = 0, Affichage = 1, Impression = 2 };

// ---- General page -----------------------------------------------------------------------------

struct TValeursGeneral {
    int32_t StartingMusic = 1; // 1 built-in tune, 2 wave file, 3 none; 0: no radio checked
    std::string StartingFile;  // Windows-1252
    int32_t TypeScrolling = 1; // 1 screen by screen, 2 staff by staff; 0: no radio checked
    int32_t MetronomeVolume = 95;
    bool MetronomeDuringScore = true;
    bool FirstBarMetronome = true;
    bool DifferentMetronomeFirstSound = true;
    bool AlwaysUseMetronomeSpeedTrainer = true;
    bool PlayEffects = true;
    bool PlayRepeats = true;
    bool ExportEffects = true;
    bool ExportRepeats = true;
    bool LimitBend = false;
    bool AlwaysAddBass = false;

    bool operator==(const TValeursGeneral&) const = default;
};

// The page as the options show it: a value outside a radio set checks no radio.
TValeursGeneral ValeursGeneralDe(const TCONFIG& config);
// The page into the options: an unchecked radio set leaves its option as it was; the file name
// is stored whatever music was chosen.
void AppliquerPrefGeneral(const TValeursGeneral& valeurs, TCONFIG& config);
// The Default button: everything but the file name, which stays as typed.
TValeursGeneral ValeursGeneralParDefaut(const std::string& fichierActuel);

// ---- Display page -----------------------------------------------------------------------------

inline constexpr std::size_t kNbChampsAffichage = 8;
inline constexpr std::size_t kNbPolicesAffichage = 6;
inline constexpr std::size_t kNbCouleursAffichage = 7;
inline constexpr std::size_t kNbCasesAffichage = 7;

// The eight numeric edits, in page order: their control (and field) name, the digits they
// take and the text an empty edit receives before it is read.
struct TChampNumerique {
    const char* Nom;
    int Chiffres;
    const char* Repli;
};
extern const std::array<TChampNumerique, kNbChampsAffichage> kChampsAffichage;
// Index of EspLignes among them: the one value the score cannot be drawn with at 0.
inline constexpr std::size_t kChampEspLignes = 2;
// The six display style labels (Notes, Acc, Txt, Sign, Num, Renv) and seven colour names
// (Diag, Lines, Rythm, Eff, BackG, BadBar, Select), in page order.
extern const std::array<const char*, kNbPolicesAffichage> kPolicesAffichage;
extern const std::array<const char*, kNbCouleursAffichage> kCouleursAffichage;
// The seven check boxes: AffDiag, AffChordsName, AffListChord, AffTxt, AffEff, AffRyt, AffNum.
extern const std::array<const char*, kNbCasesAffichage> kCasesAffichage;

struct TValeursAffichage {
    std::array<int32_t, kNbChampsAffichage> Champs{};
    std::array<TMyFont, kNbPolicesAffichage> Polices{};
    std::array<bool, kNbCasesAffichage> Cases{};
    std::array<TCouleur, kNbCouleursAffichage> Couleurs{};
    int32_t CoefPAff = 15;   // rhythm proportion times ten, 10..20
    int32_t CoefEspAff = 5;  // 0..10
    int32_t TypeDiag = 3;    // 1..3; 0: no radio checked

    bool operator==(const TValeursAffichage&) const = default;
};

// The page as a record and its labels (suffix "" for the current settings, "_US1".."_US3")
// show it: CoefPAff is the rounded proportion times ten, a TypeDiag outside 1..3 checks none.
TValeursAffichage ValeursAffichageDe(const TParamEcran& record, std::string_view suffixe);
// The page into a record and its labels; an unchecked diagram size leaves the record's own.
// The derived tables are not touched.
void EcrireValeursAffichage(const TValeursAffichage& valeurs, TParamEcran& record, std::string_view suffixe);
// The display Default button.
TValeursAffichage ValeursAffichageParDefaut();
// Applying the page to the current settings: written, then the derived tables recomputed.
void AppliquerPrefAffichage(const TValeursAffichage& valeurs);

// ---- Printing page ----------------------------------------------------------------------------

inline constexpr std::size_t kNbChampsImpression = 6;
inline constexpr std::size_t kNbCurseursImpression = 10;
inline constexpr std::size_t kNbPolicesImpression = 10;
inline constexpr std::size_t kNbCasesImpression = 12;

// Top, bottom, left and right margins, width and height of the area, as whole millimetres.
extern const std::array<TChampNumerique, kNbChampsImpression> kChampsImpression;
// The ten track bars in page order (GlobalProportions_Prt, ChordSize_Prt, EspPortees_Prt,
// CoefEspAff_Prt, CoefPAff_Prt, EspDiagAc_Prt, EspNomAc_Prt, EspTexte_Prt,
// Esp_Titre_Auteur_Prt, Esp_Auteur_Tab_Prt) with their ranges.
struct TCurseurReglage {
    const char* Nom;
    int Minimum;
    int Maximum;
};
extern const std::array<TCurseurReglage, kNbCurseursImpression> kCurseursImpression;
inline constexpr std::size_t kCurseurCoefPAff = 4;
// The ten print style labels (Title, Auteur, Comment, NumPage, Notes, Acc, Txt, Sign,
// AccDiag, Renv) and the twelve check boxes (AffTitre_Prt .. AffRyt_Prt), in page order.
extern const std::array<const char*, kNbPolicesImpression> kPolicesImpression;
extern const std::array<const char*, kNbCasesImpression> kCasesImpression;

struct TValeursImpression {
    std::array<int32_t, kNbChampsImpression> Champs{};
    bool FullPage = true;
    bool Center_Prt = true;
    bool TracerCadre_Prt = true;
    std::array<int32_t, kNbCurseursImpression> Curseurs{};
    std::array<TMyFont, kNbPolicesImpression> Polices{};
    std::array<bool, kNbCasesImpression> Cases{};

    bool operator==(const TValeursImpression&) const = default;
};

// The page as a record and its labels show it: millimetres rounded to whole ones, the rhythm
// proportion times ten.
TValeursImpression ValeursImpressionDe(const TZoneImpression& record, std::string_view suffixe);
// The page into a record and its labels; the width tables are not touched.
void EcrireValeursImpression(const TValeursImpression& valeurs, TZoneImpression& record, std::string_view suffixe);
// The print Default button.
TValeursImpression ValeursImpressionParDefaut();
// Applying the page to the current settings, the black-blocks switch with it, then the print
// width tables.
void AppliquerPrefImpression(const TValeursImpression& valeurs, bool blackBlocks);

// ---- User presets -------------------------------------------------------------------------------

// Preset n (1..3): its records and its label suffix.
TParamEcran& PresetAffichage(int n);
TZoneImpression& PresetImpression(int n);
std::string SuffixePreset(int n);

// ---- Typed values ---------------------------------------------------------------------------

// The text a numeric edit holds, as its value: digits only, at most nine of them (the edits
// take three), nothing for anything else.
bool LireChiffres(std::string_view texte, int32_t& valeur);
// Whether the score can be drawn with that value in display edit `champ`: a string spacing of
// 0 lays every string on the same line (the settings loader puts such a value back to its
// factory one, so it would not even survive the next start).
bool ValeurAffichageAcceptee(std::size_t champ, int32_t valeur);

// ---- Backups, restore and refresh -----------------------------------------------------------

// At activation: ParamEcranMem and the six "_Mem" display labels; ParamImpMem, the ten "_Mem"
// print labels and the black-blocks switch.
void SauvegarderAffichage();
void SauvegarderImpression();

// The score view after the display settings changed: both copies of the current measure
// taken afresh (undo and cancel-measure disabled), the command states, then the view resized,
// repainted, framed and scrolled.
void RafraichirAffichagePreferences();

// The caller's part of a dialog closed with anything but OK: pending messages first; the
// display settings and their styles back to the backups when they were applied ("Look"),
// with the refresh; the print settings, their styles and the black-blocks switch always.
void RestaurerPreferences(bool affichageApplique);

// ---- The print preview behind the Preview button --------------------------------------------

struct TApercuPreferences {
    // Shows the print preview modally. Empty: the print services' preview, in preview mode.
    std::function<void()> Ouvrir;
    // A print preview window exists (the dialog was opened from it). Empty: none.
    std::function<bool()> Ouvert;
};
void InstallerApercuPreferences(TApercuPreferences apercu);
void OuvrirApercuPreferences();
bool ApercuOuvertPreferences();
