#include "document/LibrairieAccords.h"

#include "document/Variable.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr const char* CleTotal = "Total";
// Characters before the barres: two flags, seven degrees, nine numbers, the bass, six frets.
constexpr std::size_t LongueurFixe = 25;
// The library keeps at most this many characters of a name before cutting it to the record's.
constexpr std::size_t LongueurMaxNomLu = 500;

char Drapeau(bool b) { return b ? 'O' : 'N'; }
// Only the low eight bits reach the file, as the format has always done.
char Nombre(int32_t v, int base) { return static_cast<char>(static_cast<uint8_t>(base + v)); }

int32_t Valeur(char c, int base) { return static_cast<int32_t>(static_cast<uint8_t>(c)) - base; }

bool Dans(int32_t v, int32_t min, int32_t max) { return v >= min && v <= max; }

} // namespace

std::string CleAccordLibrairie(int numero)
{
    char cle[16];
    std::snprintf(cle, sizeof cle, "C%03d", numero);
    return cle;
}

std::string CoderAccordLibrairie(const TAccord& a)
{
    std::string v;
    v += Drapeau(a.Diese);
    v += Drapeau(a.Add);
    for (int d = 1; d <= 7; ++d)
        v += Drapeau(a.Degres[d]);
    for (int32_t n : {a.Fondamentale, a.Typ, a.NeufOnzeTreize, a.DimAug, a.Quinte, a.Neuf, a.Onze,
                      a.FretteBase, a.NbBarres})
        v += Nombre(n, 65);
    v += Nombre(a.Basse, 66);
    for (int s = 1; s <= 6; ++s)
        v += Nombre(a.Frettes[s], 66);
    // A record never holds more than two barres; a bad count must not read past the arrays.
    for (int b = 1; b <= a.NbBarres && b <= 2; ++b) {
        v += Nombre(a.BarreFrette[b], 65);
        v += Nombre(a.BarreCordeDebut[b], 65);
        v += Nombre(a.BarreCordeFin[b], 65);
    }
    v += a.Nom.view();
    return v;
}

std::optional<TAccord> DecoderAccordLibrairie(std::string_view v)
{
    if (v.size() < LongueurFixe)
        return std::nullopt;
    TAccord a;
    a.Diese = v[0] == 'O';
    a.Add = v[1] == 'O';
    for (int d = 1; d <= 7; ++d)
        a.Degres[d] = v[1 + d] == 'O';
    a.Fondamentale = Valeur(v[9], 65);
    a.Typ = Valeur(v[10], 65);
    a.NeufOnzeTreize = Valeur(v[11], 65);
    a.DimAug = Valeur(v[12], 65);
    a.Quinte = Valeur(v[13], 65);
    a.Neuf = Valeur(v[14], 65);
    a.Onze = Valeur(v[15], 65);
    a.FretteBase = Valeur(v[16], 65);
    a.NbBarres = Valeur(v[17], 65);
    a.Basse = Valeur(v[18], 66);
    for (int s = 1; s <= 6; ++s)
        a.Frettes[s] = Valeur(v[18 + s], 66);

    if (!Dans(a.NbBarres, 0, 2) || v.size() < LongueurFixe + 3 * static_cast<std::size_t>(a.NbBarres))
        return std::nullopt;
    // The chord tool looks these up in its name and interval tables.
    if (!Dans(a.Fondamentale, 0, 12) || !Dans(a.Typ, 0, 14) || !Dans(a.NeufOnzeTreize, 0, 3) ||
        !Dans(a.DimAug, 0, 2) || !Dans(a.Quinte, 0, 2) || !Dans(a.Neuf, 0, 2) || !Dans(a.Onze, 0, 2) ||
        !Dans(a.Basse, -1, 11))
        return std::nullopt;
    // The chord dialog's base-fret bar holds 1..20 and its diagram frets up to 24; an entry
    // outside them cannot be shown or moved, and is dropped like any other damaged entry.
    if (!Dans(a.FretteBase, 1, 20))
        return std::nullopt;
    for (int s = 1; s <= 6; ++s)
        if (!Dans(a.Frettes[s], -1, 24))
            return std::nullopt;
    std::size_t p = LongueurFixe;
    for (int b = 1; b <= a.NbBarres; ++b) {
        a.BarreFrette[b] = Valeur(v[p], 65);
        a.BarreCordeDebut[b] = Valeur(v[p + 1], 65);
        a.BarreCordeFin[b] = Valeur(v[p + 2], 65);
        p += 3;
        if (!Dans(a.BarreCordeDebut[b], 1, 6) || !Dans(a.BarreCordeFin[b], 1, 6))
            return std::nullopt;
    }
    a.Nom = v.substr(p, LongueurMaxNomLu);
    return a;
}

void LireLibrairieAccords(const platform::FichierIni& ini)
{
    for (auto& slot : LibrairieAccords)
        slot.reset();
    NbLibrairieAccords = 0;

    const int32_t total = ini.ReadInteger(SectionLibrairieAccords, CleTotal, 0);
    for (int32_t i = 1; i <= total && NbLibrairieAccords < kNbLibrairieAccordsMax; ++i) {
        const std::string valeur = ini.ReadString(SectionLibrairieAccords, CleAccordLibrairie(i), "");
        if (valeur.empty())
            break;
        if (auto accord = DecoderAccordLibrairie(valeur)) {
            ++NbLibrairieAccords;
            LibrairieAccords[NbLibrairieAccords] = std::make_unique<TAccord>(*accord);
        }
    }
}

void EcrireLibrairieAccords(platform::FichierIni& ini)
{
    // Numbered as stored, so that a gap in the table cannot end the library early on reading.
    std::vector<const TAccord*> accords;
    const int32_t n = std::clamp<int32_t>(NbLibrairieAccords, 0, kNbLibrairieAccordsMax);
    for (int32_t i = 1; i <= n; ++i)
        if (LibrairieAccords[i])
            accords.push_back(LibrairieAccords[i].get());
    ini.WriteInteger(SectionLibrairieAccords, CleTotal, static_cast<int32_t>(accords.size()));
    for (std::size_t i = 0; i < accords.size(); ++i)
        ini.WriteString(SectionLibrairieAccords, CleAccordLibrairie(static_cast<int>(i) + 1),
                        CoderAccordLibrairie(*accords[i]));
}
