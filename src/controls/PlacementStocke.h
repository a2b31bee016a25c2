#pragma once
// The stored placement of a window, without Qt: the texts of the keys of a placement section
// ("NormPos", "MinMaxPos", "ShowCmd", the screen-resolution suffix) and the rule that makes a
// stored rectangle safe to apply. The file is the user's to edit, copy between machines or
// break, so whatever it holds, a restored window lands on a screen, at a size it can be used
// at.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A rectangle in screen pixels, right and bottom excluded (the window system's rectangles).
struct TRectEcran {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    int64_t Largeur() const { return static_cast<int64_t>(Right) - Left; }
    int64_t Hauteur() const { return static_cast<int64_t>(Bottom) - Top; }
    bool operator==(const TRectEcran&) const = default;
};

// The four numbers of a stored position, split into words at blanks and commas; a missing
// word or one that is not a number takes its default.
std::array<int32_t, 4> LireQuatreEntiers(std::string_view texte, const std::array<int32_t, 4>& defauts);
// "%d,%d,%d,%d".
std::string EcrireQuatreEntiers(const std::array<int32_t, 4>& valeurs);
// The key written for the screen resolution in force: "NormPos" -> "NormPos(1024x768)".
std::string CleResolution(std::string_view cle, int32_t largeurEcran, int32_t hauteurEcran);

// The window's state as the show command stores it: 1 normal, 2 minimised, 3 maximised.
enum class EtatFenetre { Normal, Minimise, Maximise };
inline constexpr int32_t SW_SHOWNORMAL = 1;
inline constexpr int32_t SW_SHOWMINIMIZED = 2;
inline constexpr int32_t SW_SHOWMAXIMIZED = 3;
// 1, 5 and 9 normal; 2, 6 and 7 minimised; 3 maximised; any other value keeps `defaut`.
EtatFenetre EtatDeShowCmd(int32_t showCmd, EtatFenetre defaut);
int32_t ShowCmdDeEtat(EtatFenetre etat);

// What a restored window must fit.
struct TLimitesPlacement {
    // Usable area of each screen (without task bars), the primary screen first.
    std::vector<TRectEcran> Ecrans;
    // The window's own size limits; a maximum of 0 sets none.
    int32_t LargeurMin = 0;
    int32_t HauteurMin = 0;
    int32_t LargeurMax = 0;
    int32_t HauteurMax = 0;
    // The frame round the client area (title bar at the top), kept on the screen too.
    int32_t CadreGauche = 0;
    int32_t CadreHaut = 0;
    int32_t CadreDroit = 0;
    int32_t CadreBas = 0;
};

// The stored client rectangle made safe: nothing when it is empty or reversed (the window then
// keeps its place). Otherwise the size is brought within the window's limits and the usable
// area of the screen it overlaps most (the primary screen when it overlaps none), and the
// rectangle, frame included, is moved onto that screen.
std::optional<TRectEcran> CorrigerRectangle(const TRectEcran& stocke, const TLimitesPlacement& limites);
