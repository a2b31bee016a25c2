#include "print/PrefLogique.h"

#include "document/Fenetre.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/Disposition.h"
#include "editor/Ed_fct.h"
#include "editor/Fontes.h"
#include "editor/Scrolling.h"
#include "platform/Arrondi.h"
#include "platform/Couleur.h"
#include "print/ImpLignes.h"
#include "print/Services.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

bool PrefOuvert = false;

const std::array<TChampNumerique, kNbChampsAffichage> kChampsAffichage{{
    {"MargeGaucheLignes", 3, "25"},
    {"MargeDroiteLignes", 3, "25"},
    {"EspLignes", 2, "10"},
    {"EspPortees", 3, "102"},
    {"EspDiagAc", 3, "20"},
    {"EspNomAc", 3, "18"},
    {"EspTexte", 3, "31"},
    // Not the Default button's 2: an emptied width comes back as 3.
    {"EpCroches", 1, "3"},
}};

const std::array<const char*, kNbPolicesAffichage> kPolicesAffichage{
    "FontNotes", "FontAcc", "FontTxt", "FontSign", "FontNum", "FontRenv"};
const std::array<const char*, kNbCouleursAffichage> kCouleursAffichage{
    "ColDiag", "ColLines", "ColRythm", "ColEff", "ColBackG", "ColBadBar", "ColSelect"};
const std::array<const char*, kNbCasesAffichage> kCasesAffichage{
    "AffDiag", "AffChordsName", "AffListChord", "AffTxt", "AffEff", "AffRyt", "AffNum"};

const std::array<TChampNumerique, kNbChampsImpression> kChampsImpression{{
    {"MargeHautePart_Prt", 3, "15"},
    {"MargeBassePart_Prt", 3, "10"},
    {"MargeGaucheLignes_Prt", 3, "10"},
    {"MargeDroiteLignes_Prt", 3, "10"},
    {"Largeur_Prt", 3, "100"},
    {"Hauteur_Prt", 3, "100"},
}};

const std::array<TCurseurReglage, kNbCurseursImpression> kCurseursImpression{{
    {"GlobalProportions_Prt", -40, 40},
    {"ChordSize_Prt", -40, 40},
    {"EspPortees_Prt", -40, 40},
    {"CoefEspAff_Prt", 0, 10},
    {"CoefPAff_Prt", 10, 20},
    {"EspDiagAc_Prt", -40, 40},
    {"EspNomAc_Prt", -40, 40},
    {"EspTexte_Prt", -40, 40},
    {"Esp_Titre_Auteur_Prt", -40, 40},
    {"Esp_Auteur_Tab_Prt", -40, 40},
}};

const std::array<const char*, kNbPolicesImpression> kPolicesImpression{
    "FontTitle_Prt", "FontAuteur_Prt", "FontComment_Prt", "FontNumPage_Prt", "FontNotes_Prt",
    "FontAcc_Prt",   "FontTxt_Prt",    "FontSign_Prt",    "FontAccDiag_Prt", "FontRenv_Prt"};
const std::array<const char*, kNbCasesImpression> kCasesImpression{
    "AffTitre_Prt", "AffAuteur_Prt",     "AffComment_Prt",   "AffTriplet_Prt", "AffNumP_Prt", "AffNum_Prt",
    "AffDiag_Prt",  "AffChordsName_Prt", "AffListChord_Prt", "AffTxt_Prt",     "AffEff_Prt",  "AffRyt_Prt"};

namespace {

// The record fields behind the page controls, in the order of the tables above.
constexpr std::array<int32_t TParamEcran::*, kNbChampsAffichage> kChampsEcran{
    &TParamEcran::MargeGaucheLignes, &TParamEcran::MargeDroiteLignes, &TParamEcran::EspLignes,
    &TParamEcran::EspPortees,        &TParamEcran::EspDiagAc,         &TParamEcran::EspNomAc,
    &TParamEcran::EspTexte,          &TParamEcran::EpCroches};
constexpr std::array<bool TParamEcran::*, kNbCasesAffichage> kCasesEcran{
    &TParamEcran::AffDiag, &TParamEcran::AffChordsName, &TParamEcran::AffListChord, &TParamEcran::AffTxt,
    &TParamEcran::AffEff,  &TParamEcran::AffRyt,        &TParamEcran::AffNum};
constexpr std::array<TCouleur TParamEcran::*, kNbCouleursAffichage> kCouleursEcran{
    &TParamEcran::ColDiag,  &TParamEcran::ColLines,  &TParamEcran::ColRythm, &TParamEcran::ColEff,
    &TParamEcran::ColBackG, &TParamEcran::ColBadBar, &TParamEcran::ColSelect};
constexpr std::array<TMyFont TParamEcran::*, kNbPolicesAffichage> kPolicesEcran{
    &TParamEcran::FontNotes, &TParamEcran::FontAcc, &TParamEcran::FontTxt,
    &TParamEcran::FontSign,  &TParamEcran::FontNum, &TParamEcran::FontRenv};

constexpr std::array<double TZoneImpression::*, kNbChampsImpression> kChampsImp{
    &TZoneImpression::MargeHautePart,    &TZoneImpression::MargeBassePart, &TZoneImpression::MargeGaucheLignes,
    &TZoneImpression::MargeDroiteLignes, &TZoneImpression::Largeur_Prt,    &TZoneImpression::Hauteur_Prt};
// The integer track bars; the rhythm proportion (a double) stands apart.
constexpr std::array<int32_t TZoneImpression::*, kNbCurseursImpression> kCurseursImp{
    &TZoneImpression::GlobalProportions_Prt, &TZoneImpression::ChordSize_Prt,  &TZoneImpression::EspPortees_Prt,
    &TZoneImpression::CoefEspAff_Prt,        nullptr,                          &TZoneImpression::EspDiagAc_Prt,
    &TZoneImpression::EspNomAc_Prt,          &TZoneImpression::EspTexte_Prt,   &TZoneImpression::Esp_Titre_Auteur_Prt,
    &TZoneImpression::Esp_Auteur_Tab_Prt};
constexpr std::array<bool TZoneImpression::*, kNbCasesImpression> kCasesImp{
    &TZoneImpression::AffTitre_Prt,  &TZoneImpression::AffAuteur_Prt,     &TZoneImpression::AffComment_Prt,
    &TZoneImpression::AffTriplet_Prt, &TZoneImpression::AffNumP_Prt,      &TZoneImpression::AffNum_Prt,
    &TZoneImpression::AffDiag_Prt,   &TZoneImpression::AffChordsName_Prt, &TZoneImpression::AffListChord_Prt,
    &TZoneImpression::AffTxt_Prt,    &TZoneImpression::AffEff_Prt,        &TZoneImpression::AffRyt_Prt};
constexpr std::array<TMyFont TZoneImpression::*, kNbPolicesImpression> kPolicesImp{
    &TZoneImpression::FontTitle_Prt, &TZoneImpression::FontAuteur_Prt, &TZoneImpression::FontComment_Prt,
    &TZoneImpression::FontNumPage_Prt, &TZoneImpression::FontNotes_Prt, &TZoneImpression::FontAcc_Prt,
    &TZoneImpression::FontTxt_Prt,   &TZoneImpression::FontSign_Prt,   &TZoneImpression::FontAccDiag_Prt,
    &TZoneImpression::FontRenv_Prt};

// A setting shown as a whole number: rounded half to even, kept inside 32 bits.
int32_t Entier(double v)
{
    if (!(v == v))
        return 0;
    constexpr double bas = std::numeric_limits<int32_t>::min();
    constexpr double haut = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(platform::Round(std::clamp(v, bas, haut)));
}

TMyFont LireLabel(const std::string& nom, const TMyFont& sinon)
{
    TMyFont police = sinon;
    PolicesLabels().Lire(nom, police);
    return police;
}

template <std::size_t N>
void CopierLabels(const std::array<const char*, N>& noms, std::string_view de, std::string_view vers)
{
    TPolicesLabels& labels = PolicesLabels();
    for (const char* nom : noms) {
        TMyFont police;
        if (labels.Lire(std::string(nom) + std::string(de), police))
            labels.Definir(std::string(nom) + std::string(vers), police);
    }
}

std::optional<bool> blackBlocksMem;
TApercuPreferences apercu;

} // namespace

// ---- General page ---------------------------------------------------------------------------------

TValeursGeneral ValeursGeneralDe(const TCONFIG& c)
{
    TValeursGeneral v;
    v.TypeScrolling = c.TypeScrolling == 1 || c.TypeScrolling == 2 ? c.TypeScrolling : 0;
    v.StartingMusic = c.StartingMusic >= 1 && c.StartingMusic <= 3 ? c.StartingMusic : 0;
    v.StartingFile = c.StartingFile;
    v.MetronomeVolume = c.MetronomeVolume;
    v.MetronomeDuringScore = c.MetronomeDuringScore;
    v.FirstBarMetronome = c.FirstBarMetronome;
    v.DifferentMetronomeFirstSound = c.DifferentMetronomeFirstSound;
    v.AlwaysUseMetronomeSpeedTrainer = c.AlwaysUseMetronomeSpeedTrainer;
    v.PlayEffects = c.PlayEffects;
    v.PlayRepeats = c.PlayRepeats;
    v.ExportEffects = c.ExportEffects;
    v.ExportRepeats = c.ExportRepeats;
    v.LimitBend = c.LimitBend;
    v.AlwaysAddBass = c.AlwaysAddBass;
    return v;
}

void AppliquerPrefGeneral(const TValeursGeneral& v, TCONFIG& c)
{
    if (v.TypeScrolling == 1 || v.TypeScrolling == 2)
        c.TypeScrolling = v.TypeScrolling;
    if (v.StartingMusic >= 1 && v.StartingMusic <= 3)
        c.StartingMusic = v.StartingMusic;
    c.StartingFile = v.StartingFile;
    // The track bar keeps it in 0..127 already; a velocity outside would wrap in the MIDI writer.
    c.MetronomeVolume = std::clamp(v.MetronomeVolume, 0, 127);
    c.MetronomeDuringScore = v.MetronomeDuringScore;
    c.FirstBarMetronome = v.FirstBarMetronome;
    c.DifferentMetronomeFirstSound = v.DifferentMetronomeFirstSound;
    c.AlwaysUseMetronomeSpeedTrainer = v.AlwaysUseMetronomeSpeedTrainer;
    c.PlayEffects = v.PlayEffects;
    c.PlayRepeats = v.PlayRepeats;
    c.ExportEffects = v.ExportEffects;
    c.ExportRepeats = v.ExportRepeats;
    c.LimitBend = v.LimitBend;
    c.AlwaysAddBass = v.AlwaysAddBass;
}

TValeursGeneral ValeursGeneralParDefaut(const std::string& fichierActuel)
{
    TValeursGeneral v;
    v.StartingFile = fichierActuel;
    return v;
}

// ---- Display page ---------------------------------------------------------------------------------

TValeursAffichage ValeursAffichageDe(const TParamEcran& r, std::string_view suffixe)
{
    TValeursAffichage v;
    for (std::size_t i = 0; i < kNbChampsAffichage; ++i)
        v.Champs[i] = r.*kChampsEcran[i];
    for (std::size_t i = 0; i < kNbPolicesAffichage; ++i)
        v.Polices[i] = LireLabel(std::string(kPolicesAffichage[i]) + std::string(suffixe), r.*kPolicesEcran[i]);
    for (std::size_t i = 0; i < kNbCasesAffichage; ++i)
        v.Cases[i] = r.*kCasesEcran[i];
    for (std::size_t i = 0; i < kNbCouleursAffichage; ++i)
        v.Couleurs[i] = r.*kCouleursEcran[i];
    v.CoefPAff = Entier(r.CoefPImp * 10.0);
    v.CoefEspAff = r.CoefEspAff;
    v.TypeDiag = r.TypeDiag >= 1 && r.TypeDiag <= 3 ? r.TypeDiag : 0;
    return v;
}

void EcrireValeursAffichage(const TValeursAffichage& v, TParamEcran& r, std::string_view suffixe)
{
    for (std::size_t i = 0; i < kNbChampsAffichage; ++i)
        r.*kChampsEcran[i] = v.Champs[i];
    for (std::size_t i = 0; i < kNbPolicesAffichage; ++i)
        PolicesLabels().Definir(std::string(kPolicesAffichage[i]) + std::string(suffixe), v.Polices[i]);
    for (std::size_t i = 0; i < kNbCasesAffichage; ++i)
        r.*kCasesEcran[i] = v.Cases[i];
    for (std::size_t i = 0; i < kNbCouleursAffichage; ++i)
        r.*kCouleursEcran[i] = v.Couleurs[i];
    r.CoefPImp = v.CoefPAff / 10.0;
    r.CoefEspAff = v.CoefEspAff;
    if (v.TypeDiag >= 1 && v.TypeDiag <= 3)
        r.TypeDiag = v.TypeDiag;
}

TValeursAffichage ValeursAffichageParDefaut()
{
    const TParamEcran usine;
    TValeursAffichage v;
    for (std::size_t i = 0; i < kNbChampsAffichage; ++i)
        v.Champs[i] = usine.*kChampsEcran[i];
    for (std::size_t i = 0; i < kNbPolicesAffichage; ++i)
        v.Polices[i] = usine.*kPolicesEcran[i];
    v.Cases.fill(true);
    for (std::size_t i = 0; i < kNbCouleursAffichage; ++i)
        v.Couleurs[i] = usine.*kCouleursEcran[i];
    v.CoefPAff = 15;
    v.CoefEspAff = 5;
    v.TypeDiag = 3;
    return v;
}

void AppliquerPrefAffichage(const TValeursAffichage& v)
{
    EcrireValeursAffichage(v, ParamEcranCourant, "");
    CalculerLargeursTemps();
}

// ---- Printing page --------------------------------------------------------------------------------

TValeursImpression ValeursImpressionDe(const TZoneImpression& r, std::string_view suffixe)
{
    TValeursImpression v;
    for (std::size_t i = 0; i < kNbChampsImpression; ++i)
        v.Champs[i] = Entier(r.*kChampsImp[i]);
    v.FullPage = r.FullPage;
    v.Center_Prt = r.Center_Prt;
    v.TracerCadre_Prt = r.TracerCadre_Prt;
    for (std::size_t i = 0; i < kNbCurseursImpression; ++i)
        v.Curseurs[i] = kCurseursImp[i] ? r.*kCurseursImp[i] : Entier(r.CoefPImp * 10.0);
    for (std::size_t i = 0; i < kNbPolicesImpression; ++i)
        v.Polices[i] = LireLabel(std::string(kPolicesImpression[i]) + std::string(suffixe), r.*kPolicesImp[i]);
    for (std::size_t i = 0; i < kNbCasesImpression; ++i)
        v.Cases[i] = r.*kCasesImp[i];
    return v;
}

void EcrireValeursImpression(const TValeursImpression& v, TZoneImpression& r, std::string_view suffixe)
{
    for (std::size_t i = 0; i < kNbChampsImpression; ++i)
        r.*kChampsImp[i] = static_cast<double>(v.Champs[i]);
    r.FullPage = v.FullPage;
    r.Center_Prt = v.Center_Prt;
    r.TracerCadre_Prt = v.TracerCadre_Prt;
    for (std::size_t i = 0; i < kNbCurseursImpression; ++i) {
        if (kCurseursImp[i])
            r.*kCurseursImp[i] = v.Curseurs[i];
        else
            r.CoefPImp = v.Curseurs[i] / 10.0;
    }
    for (std::size_t i = 0; i < kNbPolicesImpression; ++i)
        PolicesLabels().Definir(std::string(kPolicesImpression[i]) + std::string(suffixe), v.Polices[i]);
    for (std::size_t i = 0; i < kNbCasesImpression; ++i)
        r.*kCasesImp[i] = v.Cases[i];
}

TValeursImpression ValeursImpressionParDefaut()
{
    const TZoneImpression usine;
    TValeursImpression v = ValeursImpressionDe(usine, "");
    for (std::size_t i = 0; i < kNbPolicesImpression; ++i)
        v.Polices[i] = usine.*kPolicesImp[i];
    return v;
}

void AppliquerPrefImpression(const TValeursImpression& v, bool blackBlocks)
{
    EcrireValeursImpression(v, ParamImpCourant, "");
    Configuration.BlackBlocks = blackBlocks;
    CalculerLargeursTempsImpression();
}

// ---- User presets ---------------------------------------------------------------------------------

TParamEcran& PresetAffichage(int n)
{
    switch (n) {
    case 2: return ParamEcranUS2;
    case 3: return ParamEcranUS3;
    default: return ParamEcranUS1;
    }
}

TZoneImpression& PresetImpression(int n)
{
    switch (n) {
    case 2: return ParamImpUS2;
    case 3: return ParamImpUS3;
    default: return ParamImpUS1;
    }
}

std::string SuffixePreset(int n) { return "_US" + std::to_string(std::clamp(n, 1, 3)); }

// ---- Typed values ---------------------------------------------------------------------------------

bool LireChiffres(std::string_view texte, int32_t& valeur)
{
    if (texte.empty() || texte.size() > 9)
        return false;
    int32_t v = 0;
    for (char c : texte) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    valeur = v;
    return true;
}

bool ValeurAffichageAcceptee(std::size_t champ, int32_t valeur)
{
    if (champ == kChampEspLignes)
        return valeur >= 1;
    return valeur >= 0;
}

// ---- Backups, restore and refresh -----------------------------------------------------------------

void SauvegarderAffichage()
{
    ParamEcranMem = ParamEcranCourant;
    CopierLabels(kPolicesAffichage, "", "_Mem");
}

void SauvegarderImpression()
{
    ParamImpMem = ParamImpCourant;
    CopierLabels(kPolicesImpression, "", "_Mem");
    blackBlocksMem = Configuration.BlackBlocks;
}

void RafraichirAffichagePreferences()
{
    IFenetrePrincipale& fenetre = FenetrePrincipale();
    MesureAnnulation = MesureEnCours();
    CopieMesureEntree = MesureEnCours();
    TempsAnnulation = Curseur.Temps;
    CordeAnnulation = Curseur.Corde;
    Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, false);
    Commandes().SetEnabled(Cmd::BT_AnnulerMesure, false);
    fenetre.ActualiserCommandes();
    ApresChangementMesure();
    DisposerBandes();
    fenetre.RedessinerPartition();
    fenetre.PlacerCadreMesure();
    DefilerPartition();
}

void RestaurerPreferences(bool affichageApplique)
{
    FenetrePrincipale().TraiterMessagesEnAttente();
    if (affichageApplique) {
        ParamEcranCourant = ParamEcranMem;
        CopierLabels(kPolicesAffichage, "_Mem", "");
        // The frame's pen is derived from the selection colour outside the record: without
        // this, a looked-at colour would stay on the frame.
        AffichagePartition.CouleurSelection = platform::Couleur::DeValeur(ParamEcranCourant.ColSelect);
        RafraichirAffichagePreferences();
    }
    ParamImpCourant = ParamImpMem;
    CopierLabels(kPolicesImpression, "_Mem", "");
    // The switch is a general option, yet Preview applies it with the printing page: Cancel
    // takes it back with the rest of that page.
    if (blackBlocksMem)
        Configuration.BlackBlocks = *blackBlocksMem;
}

// ---- The print preview behind the Preview button --------------------------------------------------

void InstallerApercuPreferences(TApercuPreferences a) { apercu = std::move(a); }

void OuvrirApercuPreferences()
{
    if (apercu.Ouvrir) {
        apercu.Ouvrir();
        return;
    }
    ParamImpCourant.ModeApercu = true;
    ServicesImpression().Apercu();
}

bool ApercuOuvertPreferences() { return apercu.Ouvert ? apercu.Ouvert() : false; }
