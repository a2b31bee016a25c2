#include "document/Fichiers.h"

#include "document/Fenetre.h"
#include "document/FichierPartition.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Routines.h"
#include "platform/Cp1252.h"
#include "platform/Repertoires.h"
#include "platform/Sablier.h"

#include <filesystem>
#include <system_error>

OneBased<std::string, kNbFichiersRecents> FichiersRecents;

namespace {

namespace fs = std::filesystem;

constexpr std::string_view PrefixeLegende = "Lyrandaxis 2.2 - ";

IDialoguesFichiers silencieux;
IDialoguesFichiers* installes = &silencieux;

// Stored paths are absolute: the recent list outlives the working folder.
std::string CheminAbsolu(const std::string& chemin)
{
    std::error_code ec;
    const fs::path absolu = fs::absolute(fs::path(chemin), ec);
    return ec ? chemin : absolu.lexically_normal().string();
}

bool FichierExiste(const std::string& chemin)
{
    std::error_code ec;
    return !chemin.empty() && fs::exists(fs::path(chemin), ec);
}

void NommerPartition(const std::string& chemin)
{
    CheminFichier = CheminAbsolu(chemin);
    NomFichier = PartieNomFichier(CheminFichier);
}

// A file name in a Windows-1252 message text.
std::string NomPourMessage(std::string_view nomUtf8) { return platform::Utf8VersCp1252(nomUtf8); }

} // namespace

IDialoguesFichiers& DialoguesFichiers() { return *installes; }

void InstallerDialoguesFichiers(IDialoguesFichiers* dialogues) { installes = dialogues ? dialogues : &silencieux; }

std::string PartieNomFichier(std::string_view chemin)
{
    const std::size_t barre = chemin.rfind('/');
    return std::string(barre == std::string_view::npos ? chemin : chemin.substr(barre + 1));
}

std::string LegendeFenetre()
{
    // An untitled song keeps the language's untitled text (Windows-1252) in CheminFichier.
    const std::string nom = NomFichier.empty() ? platform::Cp1252VersUtf8(PartieNomFichier(CheminFichier)) : NomFichier;
    return std::string(PrefixeLegende) + nom;
}

void AfficherLegendeFenetre() { FenetrePrincipale().AfficherLegendeFenetre(LegendeFenetre().c_str()); }

std::string LigneTitrePartition()
{
    std::string ligne = Partition.Titre.str();
    if (!Partition.Auteur.empty())
        ligne += " - " + Partition.Auteur.str();
    return ligne;
}

std::string NettoyerNomFichier(std::string_view s)
{
    std::string resultat(s);
    for (char& c : resultat)
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
            c = '_';
    return resultat;
}

std::string NomProposeDepuisTitre(std::string_view extension)
{
    if (Partition.Titre.empty())
        return {};
    return platform::Cp1252VersUtf8(NettoyerNomFichier(Partition.Titre.view())) + std::string(extension);
}

bool ConfirmerRemplacement(const std::string& chemin)
{
    const std::string texte = FormaterMessage1(Traduire("Fichier-ExisteDeja"), NomPourMessage(chemin)) + "\r\r" +
                              Traduire("Fichier-Remplacer");
    return AfficherMessage(Traduire("Dlg-Avertissement"), texte, IconeAvertissement, BoutonOui | BoutonNon,
                           DefautNon, PlacementCentre) == ResultatOui;
}

void PlacerEnTeteFichiersRecents(const std::string& chemin)
{
    if (FichiersRecents[1] == chemin)
        return;
    int k = kNbFichiersRecents;
    while (k >= 2 && FichiersRecents[k] != chemin)
        --k;
    // k: the entry that equals chemin, or 1 when none does (the last entry then drops off).
    for (int j = (k >= 2 ? k : kNbFichiersRecents); j >= 2; --j)
        FichiersRecents[j] = FichiersRecents[j - 1];
    FichiersRecents[1] = chemin;
}

void MajFichiersRecents()
{
    bool unFichier = false;
    for (int k = 1; k <= kNbFichiersRecents; ++k) {
        if (FichiersRecents[k].empty()) {
            FenetrePrincipale().AfficherFichierRecent(k, nullptr);
            continue;
        }
        unFichier = true;
        // "&" in a file name would otherwise turn the next letter into the accelerator.
        std::string nom;
        for (char c : PartieNomFichier(FichiersRecents[k]))
            nom += c == '&' ? std::string("&&") : std::string(1, c);
        std::string legende = "&";
        legende += static_cast<char>('0' + k);
        legende += "  ";
        legende += nom;
        FenetrePrincipale().AfficherFichierRecent(k, legende.c_str());
    }
    FenetrePrincipale().AfficherSeparateurFichiersRecents(unFichier);
}

bool OuvrirPartition(const std::string& nom)
{
    std::string chemin = nom;
    if (chemin.empty() && !DialoguesFichiers().ChoisirPartitionAOuvrir(chemin))
        return false;
    if (chemin.empty())
        return false;

    FenetrePrincipale().TraiterMessagesEnAttente();
    {
        // The reader keeps the hourglass up itself, and ends it before an error box.
        platform::Sablier sablier;
        FenetrePrincipale().ArreterLectureEnCours();
        ReinitialiserPartition();
        NommerPartition(chemin);
        AfficherLegendeFenetre();
    }
    // On failure the reader leaves the new empty song, untitled again: a half-read song must
    // never be saved over the file it came from.
    const bool lu = LireFichierPartition();
    if (lu)
        RetenirDossierPartition();
    FenetrePrincipale().ActualiserMenuPistes();
    return lu;
}

void RetenirDossierPartition()
{
    const fs::path dossier = fs::path(CheminFichier).parent_path();
    std::error_code ec;
    if (!dossier.empty())
        fs::current_path(dossier, ec);
}

bool EnregistrerPartition() { return EcrireFichierPartition(); }

bool ConfirmerEnregistrement()
{
    std::string nom = NomFichier.empty() ? Traduire("Fichier-SansNom") : NomPourMessage(NomFichier);
    if (nom.size() > 50)
        nom.resize(50);
    const std::string texte = FormaterMessage1(Traduire("Fichier-EnregistrerModif"), nom);

    int reponse = ResultatNon;
    if (PartitionModifiee && !PartitionVierge)
        reponse = AfficherMessage(Traduire("Dlg-Confirmation"), texte, IconeConfirmation,
                                  BoutonOui | BoutonNon | BoutonAnnuler, DefautOui, PlacementCentre);

    bool r = false;
    if (reponse == ResultatNon) {
        r = true;
    } else if (reponse == ResultatOui && !NomFichier.empty()) {
        r = EnregistrerPartition();
    } else if (reponse == ResultatOui) {
        std::string chemin;
        if (DialoguesFichiers().ChoisirPartitionAEnregistrer("", NomProposeDepuisTitre(".lrx"), chemin) &&
            !chemin.empty()) {
            if (FichierExiste(chemin) && !ConfirmerRemplacement(chemin))
                return false;
            FenetrePrincipale().TraiterMessagesEnAttente();
            const std::string ancienChemin = CheminFichier;
            const std::string ancienNom = NomFichier;
            NommerPartition(chemin);
            r = EnregistrerPartition();
            if (!r) {
                CheminFichier = ancienChemin;
                NomFichier = ancienNom;
            }
        }
    }

    if (r && !NomFichier.empty()) {
        PlacerEnTeteFichiersRecents(CheminFichier);
        MajFichiersRecents();
    }
    return r;
}

void OuvrirFichierRecent(int n)
{
    if (n < 1 || n > kNbFichiersRecents)
        return;
    const std::string chemin = FichiersRecents[n];
    if (FichierExiste(chemin)) {
        if (!ConfirmerEnregistrement())
            return;
        OuvrirPartition(chemin);
        FenetrePrincipale().AfficherTitreLabel(LigneTitrePartition().c_str());
        PartitionModifiee = false;
        FenetrePrincipale().ActualiserCommandes();
    } else {
        AfficherMessage(Traduire("Dlg-Erreur"),
                        FormaterMessage1(Traduire("Fichier-Introuvable"), NomPourMessage(PartieNomFichier(chemin))),
                        IconeErreur, BoutonOK, DefautOK, PlacementCentre);
    }
    for (int t = 1; t <= kNbPistes; ++t)
        FenetrePrincipale().ColorerBoutonPiste(t);
}

std::string CheminFichierTemp() { return platform::RepertoireWindowsParDefaut() + "lyrx.tmp"; }

void SupprimerFichierTemp()
{
    std::error_code ec;
    fs::remove(fs::path(CheminFichierTemp()), ec);
}
