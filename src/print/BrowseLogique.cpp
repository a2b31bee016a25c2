#include "print/BrowseLogique.h"

#include "document/FichierPartition.h"
#include "document/Fichiers.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "platform/Arrondi.h"
#include "platform/FichierIni.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <utility>

#include <dirent.h>
#include <sys/stat.h>

std::string ResumeTitre;
std::string ResumeAuteur;
std::string ResumeNote;
int32_t ResumeNbMesures = 0;
int32_t ResumeNbGuitares = 0;
int32_t ResumeNbBasses = 0;
int32_t ResumeNbBatteries = 0;

namespace {

constexpr std::size_t kLongueurResume = 50;
constexpr std::string_view kExtension = ".lrx";
constexpr int kFichiersEntreSuivis = 10;

// A folder's identity: the same folder reached through a link has the same one.
using IdentiteDossier = std::pair<unsigned long long, unsigned long long>;

bool Identite(const std::string& chemin, IdentiteDossier& id)
{
    struct stat st {};
    if (::stat(chemin.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    id = {static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)};
    return true;
}

char MinusculeAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// What one reading of a folder finds: its song files (added to the lines) and its subfolders.
// False when the follower asked to stop.
bool LireDossier(const std::string& dossier, std::vector<cLigneList>& lignes, std::vector<std::string>* sousDossiers,
                 const SuiviListe& suivi)
{
    if (suivi.DebutDossier && !suivi.DebutDossier(dossier, lignes.size()))
        return false;
    DIR* d = ::opendir(dossier.c_str());
    if (!d)
        return true; // no permission, gone, not a folder: nothing to list
    const std::string prefixe = AvecSeparateur(dossier);
    int depuisSuivi = 0;
    bool continuer = true;
    while (continuer) {
        const dirent* e = ::readdir(d);
        if (!e)
            break; // the end, or a read error: what was found stays
        const std::string nom = e->d_name;
        if (nom == "." || nom == "..")
            continue;
        const bool peutEtreDossier = e->d_type == DT_DIR || e->d_type == DT_LNK || e->d_type == DT_UNKNOWN;
        const bool morceau = EstNomMorceau(nom);
        if (!morceau && !(sousDossiers && peutEtreDossier))
            continue;
        const std::string chemin = prefixe + nom;
        struct stat st {};
        if (::stat(chemin.c_str(), &st) != 0)
            continue; // vanished, or a link to nowhere
        if (S_ISDIR(st.st_mode)) {
            if (sousDossiers)
                sousDossiers->push_back(chemin);
            continue;
        }
        if (!morceau || !S_ISREG(st.st_mode))
            continue;
        cLigneList l;
        l.NomFichier = nom;
        l.Nom = nom.substr(0, nom.size() - kExtension.size());
        l.Taille = static_cast<int64_t>(st.st_size);
        l.Date = static_cast<double>(st.st_mtim.tv_sec) + static_cast<double>(st.st_mtim.tv_nsec) / 1e9;
        l.Repertoire = dossier;
        lignes.push_back(std::move(l));
        if (++depuisSuivi == kFichiersEntreSuivis) {
            depuisSuivi = 0;
            if (suivi.Progression && !suivi.Progression(lignes.size()))
                continuer = false;
        }
    }
    ::closedir(d);
    return continuer;
}

template <class T>
int Signe(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

std::string Debut(std::string_view texte) { return std::string(texte.substr(0, kLongueurResume)); }

} // namespace

// ---- Listing -------------------------------------------------------------------------------

std::string AvecSeparateur(std::string_view dossier)
{
    std::string p(dossier);
    if (p.empty() || p.back() != '/')
        p += '/';
    return p;
}

bool EstNomMorceau(std::string_view nomFichier)
{
    if (nomFichier.size() <= kExtension.size())
        return false;
    const std::string_view fin = nomFichier.substr(nomFichier.size() - kExtension.size());
    for (std::size_t i = 0; i < fin.size(); ++i)
        if (MinusculeAscii(fin[i]) != kExtension[i])
            return false;
    return true;
}

bool ListerMorceaux(const std::string& dossier, std::vector<cLigneList>& lignes, const SuiviListe& suivi)
{
    return LireDossier(dossier, lignes, nullptr, suivi);
}

bool ListerSousRepertoires(const std::string& dossier, std::vector<cLigneList>& lignes, const SuiviListe& suivi)
{
    std::set<IdentiteDossier> vus;
    IdentiteDossier id;
    if (!Identite(dossier, id))
        return true;
    vus.insert(id);

    // The subfolders of the top folder, without listing its files again (its caller did).
    std::vector<std::string> premiers;
    {
        DIR* d = ::opendir(dossier.c_str());
        if (!d)
            return true;
        const std::string prefixe = AvecSeparateur(dossier);
        while (const dirent* e = ::readdir(d)) {
            const std::string nom = e->d_name;
            if (nom == "." || nom == "..")
                continue;
            if (e->d_type != DT_DIR && e->d_type != DT_LNK && e->d_type != DT_UNKNOWN)
                continue;
            struct stat st {};
            if (::stat((prefixe + nom).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
                premiers.push_back(prefixe + nom);
        }
        ::closedir(d);
    }

    // Depth first, each folder listed before its subfolders, with a stack of our own so that
    // no tree is too deep for it.
    struct Niveau {
        std::vector<std::string> dossiers;
        std::size_t suivant = 0;
    };
    std::vector<Niveau> pile;
    pile.push_back({std::move(premiers), 0});
    while (!pile.empty()) {
        Niveau& niveau = pile.back();
        if (niveau.suivant >= niveau.dossiers.size()) {
            pile.pop_back();
            continue;
        }
        const std::string sous = niveau.dossiers[niveau.suivant++];
        if (!Identite(sous, id) || !vus.insert(id).second)
            continue;
        std::vector<std::string> enfants;
        if (!LireDossier(sous, lignes, &enfants, suivi))
            return false;
        if (!enfants.empty())
            pile.push_back({std::move(enfants), 0}); // `niveau` may dangle from here on
    }
    return true;
}

// ---- Texts and order of the list -----------------------------------------------------------

std::string TexteTaille(int64_t octets)
{
    return std::to_string(platform::Round(static_cast<double>(octets) / 1000.0)) + " Ko";
}

int ComparerTexteAscii(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(MinusculeAscii(a[i]));
        const auto cb = static_cast<unsigned char>(MinusculeAscii(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return Signe(a.size(), b.size());
}

int ComparerLignes(const cLigneList& a, const cLigneList& b, int colonne)
{
    switch (colonne) {
    case ColonneTaille: return Signe(a.Taille, b.Taille);
    case ColonneDate: return Signe(a.Date, b.Date);
    case ColonneRepertoire: return ComparerTexteAscii(a.Repertoire, b.Repertoire);
    default: return ComparerTexteAscii(a.Nom, b.Nom);
    }
}

void TrierLignes(std::vector<cLigneList>& lignes, int colonne, bool croissant)
{
    std::sort(lignes.begin(), lignes.end(), [&](const cLigneList& a, const cLigneList& b) {
        const int c = ComparerLignes(a, b, colonne);
        return croissant ? c < 0 : c > 0;
    });
}

std::string CheminMorceau(const cLigneList& ligne)
{
    const std::string nom = ligne.NomFichier.empty() ? ligne.Nom + std::string(kExtension) : ligne.NomFichier;
    return AvecSeparateur(ligne.Repertoire) + nom;
}

// ---- Loading a song --------------------------------------------------------------------------

bool ChargerMorceauBrowse(const std::string& chemin)
{
    ReinitialiserPartition();
    CheminFichier = chemin;
    NomFichier = PartieNomFichier(chemin);
    AfficherLegendeFenetre();
    const bool lue = LireFichierPartition();
    if (lue) {
        RetenirDossierPartition();
        ResumeTitre = Debut(Partition.Titre.view());
        ResumeAuteur = Debut(Partition.Auteur.view());
        ResumeNote = Debut(Partition.Commentaire.view());
        ResumeNbMesures = Partition.NbMesures;
        ResumeNbGuitares = Partition.NbPistesGuitare;
        ResumeNbBasses = Partition.NbPistesBasse;
        ResumeNbBatteries = Partition.AvecPercussions ? 1 : 0;
    } else {
        ResumeTitre.clear();
        ResumeAuteur.clear();
        ResumeNote.clear();
        ResumeNbMesures = ResumeNbGuitares = ResumeNbBasses = ResumeNbBatteries = 0;
    }
    return lue;
}

std::string TexteNbPistesResume()
{
    return std::to_string(ResumeNbGuitares) + " - " + std::to_string(ResumeNbBasses) + " - " +
           std::to_string(ResumeNbBatteries);
}

// ---- Settings --------------------------------------------------------------------------------

namespace {

constexpr const char* kClesLargeurs[NbColonnesParcours] = {"WC1", "WC2", "WC3", "WC4"};
constexpr int32_t kLargeurMax = 4000;

} // namespace

ReglagesParcours LireReglagesParcours(const std::string& fichierIni, const std::string& repertoireParDefaut)
{
    ReglagesParcours r;
    const platform::FichierIni ini(fichierIni);
    for (int c = 0; c < NbColonnesParcours; ++c) {
        const int32_t defaut = r.LargeursColonnes[c];
        const int32_t v = ini.ReadInteger(SectionParcours, kClesLargeurs[c], defaut);
        r.LargeursColonnes[c] = (v < 0 || v > kLargeurMax) ? defaut : v;
    }
    const int32_t saut = ini.ReadInteger(SectionParcours, "JumpAfter", 0);
    r.SautApres = (saut < 0 || saut > 6) ? 0 : saut;
    r.Repertoire = ini.ReadString(SectionParcours, "Directory", "");
    if (r.Repertoire.empty())
        r.Repertoire = repertoireParDefaut;
    return r;
}

bool EcrireReglagesParcours(const std::string& fichierIni, const ReglagesParcours& r)
{
    try {
        platform::FichierIni ini(fichierIni);
        ini.DifferEcritures();
        for (int c = 0; c < NbColonnesParcours; ++c)
            ini.WriteInteger(SectionParcours, kClesLargeurs[c], r.LargeursColonnes[c]);
        ini.WriteInteger(SectionParcours, "JumpAfter", r.SautApres);
        ini.WriteString(SectionParcours, "Directory", r.Repertoire);
        ini.UpdateFile();
        return true;
    } catch (const platform::ErreurEcritureIni&) {
        return false;
    }
}
