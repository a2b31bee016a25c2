#pragma once
// Fingerings written the way guitarists read them: frets from string 6 (lowest) to string 1,
// blank-separated, "x" for a string that is not played.
#include "document/Configuration.h"
#include "document/Variable.h"
#include "editor/TheorieAccords.h"

#include <array>
#include <cstdint>
#include <sstream>
#include <string>

// E A D G B E, string 1 first.
inline const OneBased<int32_t, kNbCordesMax> kAccordageStandard{0, 64, 59, 55, 50, 45, 40};

inline std::array<int32_t, 7> Frettes(const std::string& texte)
{
    std::array<int32_t, 7> f{0, -1, -1, -1, -1, -1, -1};
    std::istringstream lecture(texte);
    std::string mot;
    for (int s = 6; s >= 1 && lecture >> mot; --s)
        f[s] = mot == "x" ? -1 : std::stoi(mot);
    return f;
}

inline std::string TexteFrettes(const std::array<int32_t, 7>& f)
{
    std::string texte;
    for (int s = 6; s >= 1; --s) {
        if (s != 6)
            texte += ' ';
        texte += f[s] < 0 ? std::string("x") : std::to_string(f[s]);
    }
    return texte;
}

// Pitches of a fingering in a tuning (-1 = silent).
inline OneBased<int32_t, kNbCordesMax> Hauteurs(const std::string& texte,
                                                const OneBased<int32_t, kNbCordesMax>& accordage = kAccordageStandard)
{
    const auto f = Frettes(texte);
    OneBased<int32_t, kNbCordesMax> h{};
    for (int s = 1; s <= kNbCordesMax; ++s)
        h[s] = f[s] < 0 ? -1 : accordage[s] + f[s];
    return h;
}

// A chord's theory as the dialog computes it, every degree ticked.
inline TTheorieAccord TheorieDe(int32_t racine, int32_t typ, int32_t ext = 0, bool add = false, int32_t basse = -2)
{
    TTheorieAccord t;
    t.Fondamentale = racine;
    t.Typ = typ;
    t.NeufOnzeTreize = ext;
    t.Add = add;
    CalculerDegresAccord(t, false);
    t.Basse = basse == -2 ? racine : basse;
    return t;
}

// The AlwaysAddBass option for one test.
class OptionToujoursBasse {
public:
    explicit OptionToujoursBasse(bool valeur) : ancienne_(Configuration.AlwaysAddBass)
    {
        Configuration.AlwaysAddBass = valeur;
    }
    ~OptionToujoursBasse() { Configuration.AlwaysAddBass = ancienne_; }
    OptionToujoursBasse(const OptionToujoursBasse&) = delete;
    OptionToujoursBasse& operator=(const OptionToujoursBasse&) = delete;

private:
    bool ancienne_;
};
