#include "editor/Fontes.h"

#include <array>
#include <memory>
#include <utility>

namespace {

struct StyleEcran {
    const char* nom;
    TMyFont TParamEcran::*champ;
};
constexpr std::array<StyleEcran, 6> kStylesEcran{{
    {"FontNotes", &TParamEcran::FontNotes},
    {"FontAcc", &TParamEcran::FontAcc},
    {"FontTxt", &TParamEcran::FontTxt},
    {"FontSign", &TParamEcran::FontSign},
    {"FontNum", &TParamEcran::FontNum},
    {"FontRenv", &TParamEcran::FontRenv},
}};

struct StyleImpression {
    const char* nom;
    TMyFont TZoneImpression::*champ;
};
constexpr std::array<StyleImpression, 10> kStylesImpression{{
    {"FontTitle_Prt", &TZoneImpression::FontTitle_Prt},
    {"FontAuteur_Prt", &TZoneImpression::FontAuteur_Prt},
    {"FontComment_Prt", &TZoneImpression::FontComment_Prt},
    {"FontNumPage_Prt", &TZoneImpression::FontNumPage_Prt},
    {"FontNotes_Prt", &TZoneImpression::FontNotes_Prt},
    {"FontAcc_Prt", &TZoneImpression::FontAcc_Prt},
    {"FontTxt_Prt", &TZoneImpression::FontTxt_Prt},
    {"FontSign_Prt", &TZoneImpression::FontSign_Prt},
    {"FontAccDiag_Prt", &TZoneImpression::FontAccDiag_Prt},
    {"FontRenv_Prt", &TZoneImpression::FontRenv_Prt},
}};

constexpr std::array<const char*, 3> kSuffixesPresets{"_US1", "_US2", "_US3"};

std::unique_ptr<TPolicesLabels> polices;

} // namespace

platform::StyleFonte StyleDePolice(const TMyFont& police)
{
    return platform::StyleFonte{police.Name, police.Size, police.Bold, police.Italic,
                                platform::Couleur::DeValeur(police.Col)};
}

TMyFont PoliceDeStyle(const platform::StyleFonte& style)
{
    return TMyFont{style.nom, style.taille, style.gras, style.italique, style.couleur.Valeur()};
}

TPolicesLabels::TPolicesLabels()
{
    const TParamEcran ecran;
    const TParamEcran preset = ParamEcranPreset();
    const TZoneImpression impression;

    for (const auto& s : kStylesEcran)
        Ajouter(s.nom, ecran.*s.champ);
    for (const char* suffixe : kSuffixesPresets)
        for (const auto& s : kStylesEcran)
            Ajouter(std::string(s.nom) + suffixe, preset.*s.champ);
    for (const auto& s : kStylesImpression)
        Ajouter(s.nom, impression.*s.champ);
    for (const char* suffixe : kSuffixesPresets)
        for (const auto& s : kStylesImpression)
            Ajouter(std::string(s.nom) + suffixe, impression.*s.champ);
    for (const auto& s : kStylesEcran)
        Ajouter(std::string(s.nom) + "_Mem", ecran.*s.champ);
    for (const auto& s : kStylesImpression)
        Ajouter(std::string(s.nom) + "_Mem", impression.*s.champ);

    // Technique and triplet marks: fixed fonts, never saved.
    Ajouter("FontEff", {"Small Fonts", 6, false, false, CouleurNoire});
    Ajouter("FontEffItalic", {"Small Fonts", 7, false, true, CouleurNoire});
    Ajouter("FontValEff", {"Small Fonts", 5, false, false, CouleurNoire});
    Ajouter("FontTriolet", {"Arial", 7, false, false, CouleurNoire});
    Ajouter("FontEff_Prt", {"Arial", 5, false, false, CouleurNoire});
    Ajouter("FontEffItalic_Prt", {"Arial", 6, false, true, CouleurNoire});
    Ajouter("FontValEff_Prt", {"Arial", 6, false, false, CouleurNoire});
    Ajouter("FontTriolet_Prt", {"Arial", 8, false, true, CouleurNoire});
    Ajouter("FontNumM_Prt", {"Arial", 6, false, false, CouleurNoire});
}

void TPolicesLabels::Ajouter(const std::string& nom, const TMyFont& police)
{
    styles_.emplace(nom, Style{police, police});
    noms_.push_back(nom);
}

bool TPolicesLabels::Existe(std::string_view nom) const { return styles_.find(nom) != styles_.end(); }

bool TPolicesLabels::Lire(std::string_view nom, TMyFont& police) const
{
    const auto it = styles_.find(nom);
    if (it == styles_.end())
        return false;
    police = it->second.police;
    return true;
}

bool TPolicesLabels::Definir(std::string_view nom, const TMyFont& police)
{
    const auto it = styles_.find(nom);
    if (it == styles_.end())
        return false;
    it->second.police = police;
    return true;
}

bool TPolicesLabels::Definir(std::string_view nom, const platform::StyleFonte& style)
{
    return Definir(nom, PoliceDeStyle(style));
}

platform::StyleFonte TPolicesLabels::PoliceDessin(std::string_view nom) const
{
    const auto it = styles_.find(nom);
    if (it == styles_.end())
        return platform::StyleFonte{};
    TMyFont police = it->second.police;
    if (police.Name.empty())
        police.Name = it->second.origine.Name;
    if (police.Size <= 0)
        police.Size = it->second.origine.Size;
    return StyleDePolice(police);
}

TPolicesLabels& PolicesLabels()
{
    if (!polices)
        polices = std::make_unique<TPolicesLabels>();
    return *polices;
}

void ReinitialiserPolicesLabels() { polices = std::make_unique<TPolicesLabels>(); }

void AppliquerPolices()
{
    TPolicesLabels& labels = PolicesLabels();
    const std::array<std::pair<const char*, const TParamEcran*>, 4> ecrans{{
        {"", &ParamEcranCourant}, {"_US1", &ParamEcranUS1}, {"_US2", &ParamEcranUS2}, {"_US3", &ParamEcranUS3}}};
    const std::array<std::pair<const char*, const TZoneImpression*>, 4> impressions{{
        {"", &ParamImpCourant}, {"_US1", &ParamImpUS1}, {"_US2", &ParamImpUS2}, {"_US3", &ParamImpUS3}}};

    // Bold and italic are set from the record alone: whatever style the label had is gone.
    for (const auto& [suffixe, record] : ecrans)
        for (const auto& s : kStylesEcran)
            labels.Definir(std::string(s.nom) + suffixe, record->*s.champ);
    for (const auto& [suffixe, record] : impressions)
        for (const auto& s : kStylesImpression)
            labels.Definir(std::string(s.nom) + suffixe, record->*s.champ);
    labels.MarquerAppliquees();
}

bool LirePoliceLabel(const char* nomLabel, TMyFont& police)
{
    if (!nomLabel || !PolicesLabels().Appliquees())
        return false;
    return PolicesLabels().Lire(nomLabel, police);
}
