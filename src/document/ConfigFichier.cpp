#include "document/ConfigFichier.h"

#include "document/Fenetre.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/LibrairieAccords.h"
#include "document/Variable.h"
#include "platform/Arrondi.h"
#include "platform/Repertoires.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

std::string DernierRepertoire;
int32_t LangueAide = 0;

namespace {

using platform::FichierIni;

constexpr const char* SectionGeneral = "General";
constexpr const char* SectionConfig = "Config";
constexpr const char* SectionImp = "ParamImp";
constexpr const char* SectionEcran = "ParamEcran";
constexpr const char* CleRepertoire = "R\xE9pertoire"; // "Répertoire" in Windows-1252

// One stored field of a record and the form it takes in the file.
enum class Forme { Entier, Booleen, Texte, Dixiemes, Millimetres };

template <class R>
struct Champ {
    const char* cle;
    Forme forme;
    int32_t R::*entier = nullptr;
    bool R::*booleen = nullptr;
    std::string R::*texte = nullptr;
    double R::*reel = nullptr;

    Champ(const char* c, int32_t R::*m) : cle(c), forme(Forme::Entier), entier(m) {}
    Champ(const char* c, bool R::*m) : cle(c), forme(Forme::Booleen), booleen(m) {}
    Champ(const char* c, std::string R::*m) : cle(c), forme(Forme::Texte), texte(m) {}
    Champ(const char* c, double R::*m, Forme f) : cle(c), forme(f), reel(m) {}
};

template <class R>
void Lire(const FichierIni& ini, const char* section, const Champ<R>& c, R& r, const R& defauts)
{
    switch (c.forme) {
    case Forme::Entier:
        r.*c.entier = ini.ReadInteger(section, c.cle, defauts.*c.entier);
        break;
    case Forme::Booleen:
        r.*c.booleen = ini.ReadBool(section, c.cle, defauts.*c.booleen);
        break;
    case Forme::Texte:
        r.*c.texte = ini.ReadString(section, c.cle, defauts.*c.texte);
        break;
    case Forme::Dixiemes:
        r.*c.reel = ini.ReadInteger(section, c.cle, ProportionVersFichier(defauts.*c.reel)) / 10.0;
        break;
    case Forme::Millimetres:
        r.*c.reel = ini.ReadInteger(section, c.cle, MillimetresVersFichier(defauts.*c.reel));
        break;
    }
}

template <class R>
void Ecrire(FichierIni& ini, const char* section, const Champ<R>& c, const R& r)
{
    switch (c.forme) {
    case Forme::Entier:
        ini.WriteInteger(section, c.cle, r.*c.entier);
        break;
    case Forme::Booleen:
        ini.WriteBool(section, c.cle, r.*c.booleen);
        break;
    case Forme::Texte:
        ini.WriteString(section, c.cle, r.*c.texte);
        break;
    case Forme::Dixiemes:
        ini.WriteInteger(section, c.cle, ProportionVersFichier(r.*c.reel));
        break;
    case Forme::Millimetres:
        ini.WriteInteger(section, c.cle, MillimetresVersFichier(r.*c.reel));
        break;
    }
}

template <class R>
void LireTous(const FichierIni& ini, const char* section, const std::vector<Champ<R>>& champs, R& r,
              const R& defauts)
{
    for (const auto& c : champs)
        Lire(ini, section, c, r, defauts);
}

template <class R>
void EcrireTous(FichierIni& ini, const char* section, const std::vector<Champ<R>>& champs, const R& r)
{
    for (const auto& c : champs)
        Ecrire(ini, section, c, r);
}

// ---- Section "Config" -----------------------------------------------------------------------

using C = TCONFIG;

// Keys 3 to 16.
const std::vector<Champ<C>>& ConfigOptions()
{
    static const std::vector<Champ<C>> t{
        {"BrushDuration", &C::BrushDuration}, {"DefaultDynamic", &C::DefaultDynamic},
        {"EcouterGraceNote", &C::EcouterGraceNote}, {"EcouterBrush", &C::EcouterBrush},
        {"ShowLetRingNotes", &C::ShowLetRingNotes}, {"ShowDynamic", &C::ShowDynamic},
        {"CleSol", &C::CleSol}, {"CleFA", &C::CleFA},
        {"GraceNoteDuration", &C::GraceNoteDuration}, {"NbColASCII", &C::NbColASCII},
        {"TypeImport", &C::TypeImport}, {"NbTirets", &C::NbTirets},
        {"SignImpNum", &C::SignImpNum}, {"SignImpDen", &C::SignImpDen}};
    return t;
}

// Keys 25 to 28 ("JouerPendantSaisie", key 24, is written from the command).
const std::vector<Champ<C>>& ConfigMetronome()
{
    static const std::vector<Champ<C>> t{
        {"Metronome", &C::Metronome}, {"MetronomeDuringScore", &C::MetronomeDuringScore},
        {"FirstBarMetronome", &C::FirstBarMetronome}, {"AddDiag", &C::AddDiag}};
    return t;
}

// Keys 35 to 46.
const std::vector<Champ<C>>& ConfigLecture()
{
    static const std::vector<Champ<C>> t{
        {"VerifyRepeats", &C::VerifyRepeats}, {"CheckDuration", &C::CheckDuration},
        {"StartingMusic", &C::StartingMusic}, {"StartingFile", &C::StartingFile},
        {"TypeScrolling", &C::TypeScrolling}, {"MetronomeVolume", &C::MetronomeVolume},
        {"DifferentMetronomeFirstSound", &C::DifferentMetronomeFirstSound},
        {"AlwaysUseMetronomeSpeedTrainer", &C::AlwaysUseMetronomeSpeedTrainer},
        {"PlayEffects", &C::PlayEffects}, {"PlayRepeats", &C::PlayRepeats},
        {"ExportEffects", &C::ExportEffects}, {"ExportRepeats", &C::ExportRepeats}};
    return t;
}

// Keys 47 to 50 in reading order; the saver swaps the first two.
const std::vector<Champ<C>>& ConfigAccords(bool ordreEcriture)
{
    static const std::vector<Champ<C>> lecture{
        {"AlwaysAddBass", &C::AlwaysAddBass}, {"LimitBend", &C::LimitBend},
        {"DiagSimpleMoyenTout", &C::DiagSimpleMoyenTout}, {"FreeUpAff", &C::FreeUpAff}};
    static const std::vector<Champ<C>> ecriture{lecture[1], lecture[0], lecture[2], lecture[3]};
    return ordreEcriture ? ecriture : lecture;
}

// ---- Display and print sections -------------------------------------------------------------

using E = TParamEcran;
using P = TZoneImpression;

template <class R>
struct Style {
    const char* nom;
    TMyFont R::*police;
};

const std::vector<Champ<E>>& EcranLongueurs()
{
    static const std::vector<Champ<E>> t{
        {"MargeGaucheLignes", &E::MargeGaucheLignes}, {"MargeDroiteLignes", &E::MargeDroiteLignes},
        {"EspLignes", &E::EspLignes}, {"EspPortees", &E::EspPortees},
        {"EspDiagAc", &E::EspDiagAc}, {"EspNomAc", &E::EspNomAc},
        {"EspTexte", &E::EspTexte}, {"EpCroches", &E::EpCroches}};
    return t;
}

const std::vector<Style<E>>& EcranStyles()
{
    static const std::vector<Style<E>> t{
        {"FontNotes", &E::FontNotes}, {"FontAcc", &E::FontAcc}, {"FontTxt", &E::FontTxt},
        {"FontSign", &E::FontSign}, {"FontNum", &E::FontNum}, {"FontRenv", &E::FontRenv}};
    return t;
}

const std::vector<Champ<E>>& EcranAffichage()
{
    static const std::vector<Champ<E>> t{
        {"AffDiag", &E::AffDiag}, {"AffChordsName", &E::AffChordsName}, {"AffTxt", &E::AffTxt},
        {"AffEff", &E::AffEff}, {"AffRyt", &E::AffRyt}, {"AffNum", &E::AffNum},
        {"AffListChord", &E::AffListChord},
        {"ColDiag", &E::ColDiag}, {"ColLines", &E::ColLines}, {"ColRythm", &E::ColRythm},
        {"ColEff", &E::ColEff}, {"ColBackG", &E::ColBackG}, {"ColBadBar", &E::ColBadBar},
        {"ColSelect", &E::ColSelect},
        {"CoefPImp", &E::CoefPImp, Forme::Dixiemes},
        {"CoefEspAff", &E::CoefEspAff}, {"TypeDiag", &E::TypeDiag}};
    return t;
}

const std::vector<Champ<P>>& ImpReglages()
{
    static const std::vector<Champ<P>> t{
        {"MargeHautePart", &P::MargeHautePart, Forme::Millimetres},
        {"MargeBassePart", &P::MargeBassePart, Forme::Millimetres},
        {"MargeGaucheLignes", &P::MargeGaucheLignes, Forme::Millimetres},
        {"MargeDroiteLignes", &P::MargeDroiteLignes, Forme::Millimetres},
        {"FullPage", &P::FullPage},
        {"Largeur_Prt", &P::Largeur_Prt, Forme::Millimetres},
        {"Hauteur_Prt", &P::Hauteur_Prt, Forme::Millimetres},
        {"Center_Prt", &P::Center_Prt}, {"TracerCadre_Prt", &P::TracerCadre_Prt},
        {"GlobalProportions_Prt", &P::GlobalProportions_Prt}, {"ChordSize_Prt", &P::ChordSize_Prt},
        {"EspPortees_Prt", &P::EspPortees_Prt}, {"EspDiagAc_Prt", &P::EspDiagAc_Prt},
        {"EspNomAc_Prt", &P::EspNomAc_Prt}, {"EspTexte_Prt", &P::EspTexte_Prt},
        {"Esp_Titre_Auteur_Prt", &P::Esp_Titre_Auteur_Prt},
        {"Esp_Auteur_Tab_Prt", &P::Esp_Auteur_Tab_Prt},
        {"CoefEspAff_Prt", &P::CoefEspAff_Prt},
        {"CoefPImp", &P::CoefPImp, Forme::Dixiemes},
        {"AffTitre_Prt", &P::AffTitre_Prt}, {"AffAuteur_Prt", &P::AffAuteur_Prt},
        {"AffComment_Prt", &P::AffComment_Prt}, {"AffTriplet_Prt", &P::AffTriplet_Prt},
        {"AffNumP_Prt", &P::AffNumP_Prt}, {"AffNum_Prt", &P::AffNum_Prt},
        {"AffDiag_Prt", &P::AffDiag_Prt}, {"AffChordsName_Prt", &P::AffChordsName_Prt},
        {"AffListChord_Prt", &P::AffListChord_Prt}, {"AffTxt_Prt", &P::AffTxt_Prt},
        {"AffEff_Prt", &P::AffEff_Prt}, {"AffRyt_Prt", &P::AffRyt_Prt}};
    return t;
}

const std::vector<Style<P>>& ImpStyles()
{
    static const std::vector<Style<P>> t{
        {"FontTitle_Prt", &P::FontTitle_Prt}, {"FontAuteur_Prt", &P::FontAuteur_Prt},
        {"FontComment_Prt", &P::FontComment_Prt}, {"FontNumPage_Prt", &P::FontNumPage_Prt},
        {"FontNotes_Prt", &P::FontNotes_Prt}, {"FontAcc_Prt", &P::FontAcc_Prt},
        {"FontTxt_Prt", &P::FontTxt_Prt}, {"FontSign_Prt", &P::FontSign_Prt},
        {"FontAccDiag_Prt", &P::FontAccDiag_Prt}, {"FontRenv_Prt", &P::FontRenv_Prt}};
    return t;
}

void LirePolice(const FichierIni& ini, const char* section, const std::string& nom, TMyFont& f,
                const TMyFont& d)
{
    f.Name = ini.ReadString(section, nom + "_Name", d.Name);
    f.Size = ini.ReadInteger(section, nom + "_Size", d.Size);
    f.Bold = ini.ReadBool(section, nom + "_Bold", d.Bold);
    f.Italic = ini.ReadBool(section, nom + "_Italic", d.Italic);
    f.Col = ini.ReadInteger(section, nom + "_Col", d.Col);
}

// The style as the user last set it: the live font of its label once the main window exists,
// the record's own style before that.
void EcrirePolice(FichierIni& ini, const char* section, const std::string& nom,
                  const std::string& suffixe, const TMyFont& duRecord)
{
    TMyFont f = duRecord;
    TMyFont label;
    if (FenetrePrincipale().LirePoliceLabel((nom + suffixe).c_str(), label))
        f = label;
    ini.WriteString(section, nom + "_Name", f.Name);
    ini.WriteInteger(section, nom + "_Size", f.Size);
    ini.WriteBool(section, nom + "_Bold", f.Bold);
    ini.WriteBool(section, nom + "_Italic", f.Italic);
    ini.WriteInteger(section, nom + "_Col", f.Col);
}

struct RecordEcran {
    const char* section;
    const char* suffixe; // of the style labels
    TParamEcran* record;
    bool preset;
};

std::array<RecordEcran, 4> RecordsEcran()
{
    return {{{SectionEcran, "", &ParamEcranCourant, false},
             {"ParamEcran_US1", "_US1", &ParamEcranUS1, true},
             {"ParamEcran_US2", "_US2", &ParamEcranUS2, true},
             {"ParamEcran_US3", "_US3", &ParamEcranUS3, true}}};
}

struct RecordImp {
    const char* section;
    const char* suffixe;
    TZoneImpression* record;
};

std::array<RecordImp, 4> RecordsImp()
{
    return {{{"ParamImp", "", &ParamImpCourant},
             {"ParamImp_US1", "_US1", &ParamImpUS1},
             {"ParamImp_US2", "_US2", &ParamImpUS2},
             {"ParamImp_US3", "_US3", &ParamImpUS3}}};
}

void LireEcran(const FichierIni& ini, const char* section, TParamEcran& r, const TParamEcran& d)
{
    LireTous(ini, section, EcranLongueurs(), r, d);
    for (const auto& s : EcranStyles())
        LirePolice(ini, section, s.nom, r.*s.police, d.*s.police);
    LireTous(ini, section, EcranAffichage(), r, d);
    CorrigerValeursDangereuses(r, d);
}

void EcrireEcran(FichierIni& ini, const RecordEcran& e)
{
    EcrireTous(ini, e.section, EcranLongueurs(), *e.record);
    for (const auto& s : EcranStyles())
        EcrirePolice(ini, e.section, s.nom, e.suffixe, (*e.record).*s.police);
    EcrireTous(ini, e.section, EcranAffichage(), *e.record);
}

void LireImp(const FichierIni& ini, const char* section, TZoneImpression& r)
{
    const TZoneImpression d;
    LireTous(ini, section, ImpReglages(), r, d);
    for (const auto& s : ImpStyles())
        LirePolice(ini, section, s.nom, r.*s.police, d.*s.police);
    CorrigerValeursDangereuses(r);
}

void EcrireImp(FichierIni& ini, const RecordImp& e)
{
    EcrireTous(ini, e.section, ImpReglages(), *e.record);
    for (const auto& s : ImpStyles())
        EcrirePolice(ini, e.section, s.nom, e.suffixe, (*e.record).*s.police);
}

// ---- Recent files and the current track -----------------------------------------------------

std::string CleFichier(int i) { return "Fichier" + std::to_string(i); }
std::string CleNoteCorde(int s) { return "NoteCorde" + std::to_string(s); }

bool FichierExiste(const std::string& chemin)
{
    std::error_code ec;
    return fs::is_regular_file(chemin, ec);
}

// Tuning of the standard guitar, as the keys hold it on a first start.
constexpr std::array<int32_t, 7> AccordageParDefaut{0, 64, 59, 55, 50, 45, 40};
constexpr int32_t NbCordesParDefaut = 6;

int32_t PisteDeConfiguration()
{
    return std::clamp<int32_t>(PisteCourante, 1, kNbPistes);
}

template <class T>
void Corriger(T& v, bool valable, T defaut)
{
    if (!valable)
        v = defaut;
}

} // namespace

// ---------------------------------------------------------------------------------------------

int32_t ProportionVersFichier(double coefficient)
{
    return MillimetresVersFichier(coefficient * 10.0);
}

int32_t MillimetresVersFichier(double millimetres)
{
    // The dialogs bound these to a few digits; the clamp only keeps a wild value defined.
    if (!(millimetres == millimetres))
        return 0;
    const double borne = 2147483647.0;
    return static_cast<int32_t>(platform::Round(std::clamp(millimetres, -borne - 1.0, borne)));
}

int32_t LangueAideParDefaut(const std::string& langue)
{
    if (langue == "Fran\xE7" "ais")
        return 1;
    if (langue == "English")
        return 2;
    if (langue == "Deutsch")
        return 3;
    return 1;
}

void CorrigerValeursDangereuses(TCONFIG& c)
{
    const TCONFIG d;
    const int32_t b = c.BrushDuration;
    // The strum spreads over 480 / speed ticks, and the speed is a note value.
    Corriger(c.BrushDuration, b == 1 || b == 2 || b == 4 || b == 8 || b == 16 || b == 32, d.BrushDuration);
    Corriger(c.DefaultDynamic, c.DefaultDynamic >= 1 && c.DefaultDynamic <= 8, d.DefaultDynamic);
    Corriger(c.MetronomeVolume, c.MetronomeVolume >= 0 && c.MetronomeVolume <= 127, d.MetronomeVolume);
    Corriger(c.GraceNoteDuration, c.GraceNoteDuration >= 1 && c.GraceNoteDuration <= 3, d.GraceNoteDuration);
    Corriger(c.DiagSimpleMoyenTout, c.DiagSimpleMoyenTout >= 0 && c.DiagSimpleMoyenTout <= 2, d.DiagSimpleMoyenTout);
    // List positions select entries of the text tablature dialogs.
    Corriger(c.TypeImport, c.TypeImport >= 0 && c.TypeImport <= 4, d.TypeImport);
    Corriger(c.NbTirets, c.NbTirets >= 0 && c.NbTirets <= 7, d.NbTirets);
    Corriger(c.SignImpNum, c.SignImpNum >= 0 && c.SignImpNum <= 31, d.SignImpNum);
    Corriger(c.SignImpDen, c.SignImpDen >= 0 && c.SignImpDen <= 5, d.SignImpDen);
}

void CorrigerValeursDangereuses(TParamEcran& p, const TParamEcran& d)
{
    // A zero or negative proportion makes the beat widths infinite; the spacing factor outside
    // the slider's range makes them vanish or overflow the layout's sums.
    Corriger(p.CoefPImp, p.CoefPImp > 0.0, d.CoefPImp);
    Corriger(p.CoefEspAff, p.CoefEspAff >= 0 && p.CoefEspAff <= 10, d.CoefEspAff);
    Corriger(p.EspLignes, p.EspLignes >= 1, d.EspLignes);
    Corriger(p.EpCroches, p.EpCroches >= 0, d.EpCroches);
    Corriger(p.TypeDiag, p.TypeDiag >= 1 && p.TypeDiag <= 3, d.TypeDiag);
}

void CorrigerValeursDangereuses(TZoneImpression& p)
{
    const TZoneImpression d;
    Corriger(p.CoefPImp, p.CoefPImp > 0.0, d.CoefPImp);
    Corriger(p.CoefEspAff_Prt, p.CoefEspAff_Prt >= 0 && p.CoefEspAff_Prt <= 10, d.CoefEspAff_Prt);
}

void ChargerConfiguration()
{
    ChargerConfiguration(platform::RepertoireProgrammeParDefaut(), NomFichierConfiguration);
}

void ChargerConfiguration(const std::string& repertoireProgramme, const std::string& fichierIni)
{
    const FichierIni ini(fichierIni);
    const TCONFIG defauts;

    ini.ReadInteger(SectionGeneral, "Version", 0); // kept for older files; nothing depends on it

    LangueCourante = ini.ReadString(SectionConfig, "PatcheLangue", "");
    ChoisirLangueAuDemarrage(repertoireProgramme);

    DernierRepertoire = ini.ReadString(SectionConfig, CleRepertoire, "");
    LireTous(ini, SectionConfig, ConfigOptions(), Configuration, defauts);

    // Replaced by the first new song; the keys only carry the last exit's current track.
    const int32_t piste = PisteDeConfiguration();
    int32_t nbCordes = ini.ReadInteger(SectionConfig, "NbCordes", NbCordesParDefaut);
    Partition.NbCordes[piste] = (nbCordes >= 4 && nbCordes <= kNbCordesMax) ? nbCordes : NbCordesParDefaut;
    for (int s = 1; s <= kNbCordesMax; ++s) {
        const int32_t note = ini.ReadInteger(SectionConfig, CleNoteCorde(s), AccordageParDefaut[s]);
        Partition.Accordage[piste][s] = (note >= 0 && note <= 127) ? note : AccordageParDefaut[s];
    }

    Configuration.JouerPendantSaisie =
        ini.ReadBool(SectionConfig, "JouerPendantSaisie", defauts.JouerPendantSaisie);
    LireTous(ini, SectionConfig, ConfigMetronome(), Configuration, defauts);

    LangueAide = ini.ReadInteger(SectionConfig, "HelpFile", 0);
    if (LangueAide == 0)
        LangueAide = LangueAideParDefaut(LangueCourante);
    FenetrePrincipale().DefinirFichierAide();

    for (int i = 1; i <= kNbFichiersRecents; ++i)
        FichiersRecents[i].clear();
    int position = 1;
    for (int i = 1; i <= kNbFichiersRecents; ++i) {
        const std::string f = ini.ReadString(SectionConfig, CleFichier(i), "");
        if (!f.empty() && FichierExiste(f))
            FichiersRecents[position++] = f;
    }

    LireTous(ini, SectionConfig, ConfigLecture(), Configuration, defauts);
    LireTous(ini, SectionConfig, ConfigAccords(false), Configuration, defauts);

    for (const auto& e : RecordsEcran())
        LireEcran(ini, e.section, *e.record, e.preset ? ParamEcranPreset() : TParamEcran{});

    Configuration.BlackBlocks = ini.ReadBool(SectionImp, "BlackBlocks", defauts.BlackBlocks);
    CorrigerValeursDangereuses(Configuration);
    for (const auto& e : RecordsImp())
        LireImp(ini, e.section, *e.record);

    LireLibrairieAccords(ini);
}

void EnregistrerConfiguration()
{
    EnregistrerConfiguration(NomFichierConfiguration);
}

void EnregistrerConfiguration(const std::string& fichierIni)
{
    FichierIni ini(fichierIni);
    // One replacement of the file at the end: a failure leaves the previous settings whole
    // instead of a file cut after the key that failed.
    ini.DifferEcritures();

    ini.WriteInteger(SectionGeneral, "Version", VersionConfiguration);
    ini.WriteString(SectionConfig, "PatcheLangue", LangueCourante);
    for (int i = 1; i <= kNbFichiersRecents; ++i)
        ini.WriteString(SectionConfig, CleFichier(i), FichiersRecents[i]);

    std::error_code ec;
    const fs::path courant = fs::current_path(ec);
    if (!ec)
        DernierRepertoire = courant.string();
    ini.WriteString(SectionConfig, CleRepertoire, DernierRepertoire);

    EcrireTous(ini, SectionConfig, ConfigOptions(), Configuration);

    const int32_t piste = PisteDeConfiguration();
    ini.WriteInteger(SectionConfig, "NbCordes", Partition.NbCordes[piste]);
    for (int s = 1; s <= kNbCordesMax; ++s)
        ini.WriteInteger(SectionConfig, CleNoteCorde(s), Partition.Accordage[piste][s]);

    ini.WriteBool(SectionConfig, "JouerPendantSaisie",
                  FenetrePrincipale().JouerPendantSaisieCoche(Configuration.JouerPendantSaisie));
    EcrireTous(ini, SectionConfig, ConfigMetronome(), Configuration);
    ini.WriteInteger(SectionConfig, "HelpFile", LangueAide);
    EcrireTous(ini, SectionConfig, ConfigLecture(), Configuration);
    EcrireTous(ini, SectionConfig, ConfigAccords(true), Configuration);

    for (const auto& e : RecordsEcran())
        EcrireEcran(ini, e);

    ini.WriteBool(SectionImp, "BlackBlocks", Configuration.BlackBlocks);
    for (const auto& e : RecordsImp())
        EcrireImp(ini, e);

    EcrireLibrairieAccords(ini);
    ini.UpdateFile();
}
