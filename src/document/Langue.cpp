#include "document/Langue.h"

#include "platform/FichierEntier.h"
#include "platform/Repertoires.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

std::vector<std::string> TableLangue;
std::vector<std::string> DictionnaireLangue;
std::vector<std::string> ListeLangues;
std::string LangueCourante;
bool RaccourcisAuto = false;
std::string AuteurPatche;

namespace {

constexpr std::string_view LigneEntete = "### PATCH CONFIGURATION ###";
constexpr std::string_view LigneRaccourcis = "AUTOMATIC SHORTCUTS";

// A text is cut to this many characters wherever the lookups copy "the rest" of a string.
constexpr std::size_t LongueurMax = 500;

// Upper case of one Windows-1252 byte, accented letters included, as the system's locale
// comparison folds them.
unsigned char Majuscule(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 0x20);
    switch (c) {
    case 0x9A: return 0x8A; // š
    case 0x9C: return 0x8C; // œ
    case 0x9E: return 0x8E; // ž
    case 0xFF: return 0x9F; // ÿ
    default: return c;
    }
}

std::string EnMajuscules(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        c = static_cast<char>(Majuscule(static_cast<unsigned char>(c)));
    return r;
}

// Order of the language list: by name without regard to case, as a Windows folder lists
// its files; names that differ only in case keep a fixed order.
bool AvantDansListe(const std::string& a, const std::string& b)
{
    const std::string ma = EnMajuscules(a), mb = EnMajuscules(b);
    if (ma != mb)
        return ma < mb;
    return a < b;
}

bool ExtensionLangueSansCasse(const std::string& nomFichier)
{
    return nomFichier.size() > ExtensionLangue.size()
        && EgalSansCasse(std::string_view(nomFichier).substr(nomFichier.size() - ExtensionLangue.size()),
                         ExtensionLangue);
}

DialogueChoixLangue dialogueChoix;

std::string ChoixSansDialogue()
{
    const int i = IndexLanguePreselectionnee(ListeLangues);
    return i < 0 ? std::string() : ListeLangues[static_cast<std::size_t>(i)];
}

} // namespace

// ---- File format -------------------------------------------------------------------------

std::vector<std::string> DecouperLignes(std::string_view octets)
{
    std::vector<std::string> lignes;
    std::size_t debut = 0, i = 0;
    while (i < octets.size()) {
        const char c = octets[i];
        if (c == '\r' || c == '\n') {
            lignes.emplace_back(octets.substr(debut, i - debut));
            ++i;
            if (c == '\r' && i < octets.size() && octets[i] == '\n')
                ++i;
            debut = i;
        } else {
            ++i;
        }
    }
    if (debut < octets.size())
        lignes.emplace_back(octets.substr(debut));
    return lignes;
}

bool ChargerTableLangue(const std::string& chemin)
{
    const std::optional<std::string> octets = platform::LireFichierEntier<std::string>(chemin);
    if (!octets)
        return false;
    TableLangue = DecouperLignes(*octets);
    return true;
}

bool EgalSansCasse(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Majuscule(static_cast<unsigned char>(a[i])) != Majuscule(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

int ChercherMarqueur(std::string_view marqueur)
{
    for (std::size_t i = 0; i < TableLangue.size(); ++i)
        if (EgalSansCasse(TableLangue[i], marqueur))
            return static_cast<int>(i);
    return -1;
}

std::string TexteEntreGuillemets(std::string_view ligne)
{
    const std::size_t ouvrant = ligne.find('"');
    if (ouvrant == std::string_view::npos)
        return {};
    const std::string_view suite = ligne.substr(ouvrant + 1, LongueurMax);
    const std::size_t fermant = suite.find('"');
    if (fermant == std::string_view::npos)
        return {};
    return std::string(suite.substr(0, fermant));
}

std::string TexteLigneLangue(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= TableLangue.size())
        return {};
    return TexteEntreGuillemets(TableLangue[static_cast<std::size_t>(index)]);
}

// ---- Dictionary and lookup ---------------------------------------------------------------

const std::vector<CleDictionnaire>& TableClesDictionnaire()
{
    static const std::vector<CleDictionnaire> table = {
        {"DLG_000", 8, "Dlg-Information", 0},
        {"DLG_000", 9, "Dlg-Confirmation", 0},
        {"DLG_000", 10, "Dlg-Avertissement", 0},
        {"DLG_000", 11, "Dlg-Attention", 0},
        {"DLG_000", 12, "Dlg-Erreur", 0},
        {"DLG_000", 13, "Dlg-SaisieIncorrecte", 0},
        {"GENE_000", 7, "Gene-Piste", 0},
        {"GENE_000", 8, "Gene-Percussions", 0},
        {"GENE_000", 9, "Gene-MesureComplete", 0},
        {"GENE_000", 10, "Gene-MesureIncomplete", 0},
        {"GENE_000", 11, "Gene-MesureDepassee", 0},
        {"GENE_000", 12, "Gene-PartitionPleine", 0},
        {"GENE_000", 13, "Gene-AideIntrouvable", 1},
        {"GENE_000", 14, "Gene-AideImpossibleAOuvrir", 1},
        {"GENE_000", 15, "Gene-MontantsPleins", 0},
        {"DLG_PROP_000", 25, "Prop-PeutPasChangerDeNbDeCordes", 2},
        {"DLG_IMPM_000", 10, "MidiImp-RecherchePiste", 0},
        {"DLG_IMPM_000", 11, "MidiImp-NonPrecise", 0},
        {"DLG_IMPM_000", 12, "MidiImp-LecturePiste", 0},
        {"DLG_IMPM_000", 13, "MidiImp-CreationPartition", 0},
        {"DLG_IMPM_000", 14, "MidiImp-OptimisationPlacementDoigts", 0},
        {"DLG_IMPM_000", 15, "MidiImp-FormatMIDINonReconnu", 0},
        {"DLG_IMPM_000", 16, "MidiImp-NotesIgnorees", 2},
        {"DLG_IMPM_000", 17, "MidiImp-FichierEndommage", 0},
        {"DLG_IMPM_000", 18, "MidiImp-NotesApresFin", 2},
        {"DLG_IMPM_000", 19, "MidiImp-NotesHorsTessiture", 2},
        {"DLG_IMPM_000", 20, "MidiImp-ConseilTessiture", 1},
        {"DLG_IMPM_000", 21, "MidiImp-NotesSimultanees", 2},
        {"DLG_IMPM_000", 22, "MidiImp-TempsSmpte", 0},
        {"DLG_IMPM_000", 23, "MidiImp-DivisionNulle", 0},
        {"DLG_IMPM_000", 24, "MidiImp-PistesIncompletes", 1},
        {"DLG_IMPM_000", 25, "MidiImp-PistesConcernees", 1},
        {"DLG_EXPM_000", 1, "MidiExp-ExportationMIDI", 0},
        {"DLG_EXPM_000", 2, "MidiExp-EcritureFichierImpossibleEnregAb", 0},
        {"DLG_IMPA_000", 2, "ASCIIImp-AccesFicImpossibleImportationAb", 0},
        {"DLG_IMPA_000", 15, "ASCIIImp-AucuneTablature", 0},
        {"DLG_IMPA_000", 16, "ASCIIImp-LimiteMesures", 0},
        {"DLG_IMPA_000", 17, "ASCIIImp-FrettesHorsPiste", 2},
        {"DLG_EXPA_000", 7, "ASCIIExp-EcritureFichierImpossibleExportAb", 0},
        {"DLG_ASS_LR_000", 9, "AssLR-AucuneCordeSelectionnee", 0},
        {"DLG_ASS_CD_000", 1, "AssCD-VerificationTerminee", 0},
        {"DLG_ASS_CD_000", 2, "AssCD-DureeInvalide", 2},
        {"DLG_PASTE_000", 8, "Paste-ImpossibleCollerDepuisPercussions", 0},
        {"DLG_PASTE_000", 9, "Paste-ImpossibleCollerVersPercussions", 0},
        {"DLG_PASTE_000", 10, "Paste-CollageImpNbCordesDiff", 0},
        {"DLG_CHORD_000", 19, "Accord-Perso", 0},
        {"DLG_CHORD_000", 20, "Accord-DonnerUnNom", 0},
        {"DLG_CHORD_000", 21, "Accord-SelectionnerSuppr", 0},
        {"DLG_CHORD_000", 22, "Accord-ConfirmerSuppr", 1},
        {"DLG_CHORD_000", 23, "Accord-SelectionnerRempl", 0},
        {"DLG_CHORD_000", 24, "Accord-SelectionnerDepl", 0},
        {"FILES_000", 1, "Fichier-EnregistrerModif", 1},
        {"FILES_000", 2, "Fichier-Introuvable", 1},
        {"FILES_000", 3, "Fichier-ExisteDeja", 1},
        {"FILES_000", 4, "Fichier-Remplacer", 0},
        {"FILES_000", 5, "Fichier-SansNom", 0},
        {"FILES_000", 6, "Fichier-AccesImpossible", 0},
        {"FILES_000", 7, "Fichier-Incorrect", 0},
        {"FILES_000", 8, "Fichier-VersionAncienne", 0},
        {"FILES_000", 9, "Fichier-ErreurMIDI", 0},
        {"FILES_000", 10, "Fichier-MIDINonReconnu", 0},
        {"FILES_000", 11, "Fichier-Lyrandaxis", 0},
        {"FILES_000", 12, "Fichier-MIDI", 0},
        {"FILES_000", 13, "Fichier-ASCII", 0},
        {"FILES_000", 14, "Fichier-TousLesFichiers", 0},
        {"FILES_000", 15, "Fichier-ImportMIDI", 0},
        {"FILES_000", 16, "Fichier-ExportMIDI", 0},
        {"FILES_000", 17, "Fichier-ImportASCII", 0},
        {"FILES_000", 18, "Fichier-ExportASCII", 0},
        {"FILES_000", 19, "Fichier-TropDeMontants", 0},
        {"DLG_DIFE_000", 2, "Repet-A", 0},
        {"DLG_PRT_000", 7, "Imp-AucuneImprimante", 0},
        {"DLG_PRT_000", 8, "Imp-FichierImpossible", 1},
        {"DLG_PRT_000", 9, "Imp-ImprimanteRefus", 1},
        {"DLG_PRT_000", 10, "Imp-AucuneImprimanteChoisie", 0},
    };
    return table;
}

void ConstruireDictionnaire()
{
    const int entete = ChercherMarqueur(LigneEntete);
    if (entete < 0)
        return;
    AuteurPatche = TexteLigneLangue(entete + 1);
    RaccourcisAuto = ChercherMarqueur(LigneRaccourcis) >= 0;
    DictionnaireLangue.clear();

    std::string_view section;
    int marqueur = -1;
    for (const CleDictionnaire& cle : TableClesDictionnaire()) {
        if (cle.Section != section) {
            section = cle.Section;
            marqueur = ChercherMarqueur(section);
            if (marqueur < 0)
                return; // this section and every later one stay missing
        }
        std::string texte = TexteLigneLangue(marqueur + cle.Ligne);
        if (cle.Arguments >= 1)
            texte = RemplacerPremier(texte, "%s", "#1");
        if (cle.Arguments >= 2)
            texte = RemplacerPremier(texte, "%s", "#2");
        DictionnaireLangue.push_back(std::string(cle.Cle) + "=" + texte);
    }
}

std::string Traduire(std::string_view cle)
{
    for (const std::string& ligne : DictionnaireLangue) {
        const std::size_t egal = ligne.find('=');
        if (egal == std::string::npos)
            continue;
        if (EgalSansCasse(std::string_view(ligne).substr(0, egal), cle))
            return ligne.substr(egal + 1, LongueurMax);
    }
    return std::string(TexteTraductionIntrouvable);
}

std::string RemplacerPremier(std::string_view texte, std::string_view cherche, std::string_view remplace)
{
    const std::size_t p = cherche.empty() ? std::string_view::npos : texte.find(cherche);
    if (p == std::string_view::npos)
        return std::string(texte);
    std::string r(texte.substr(0, p));
    r += remplace;
    r += texte.substr(p + cherche.size(), LongueurMax);
    return r;
}

namespace {

std::string RemplacerMarque(std::string_view message, std::string_view marque, std::string_view argument)
{
    const std::size_t p = message.find(marque);
    std::string r;
    if (p == std::string_view::npos) {
        r = argument;
        r += message;
        return r;
    }
    r = message.substr(0, p);
    r += argument;
    r += message.substr(p + marque.size());
    return r;
}

} // namespace

std::string FormaterMessage1(std::string_view message, std::string_view argument1)
{
    return RemplacerMarque(message, "#1", argument1);
}

std::string FormaterMessage2(std::string_view message, std::string_view argument1, std::string_view argument2)
{
    return RemplacerMarque(RemplacerMarque(message, "#1", argument1), "#2", argument2);
}

std::string AjouterRaccourci(std::string_view legende, std::string& utilisees)
{
    if (!RaccourcisAuto)
        return std::string(legende);
    for (std::size_t i = 0; i < legende.size(); ++i) {
        char c = legende[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 0x20); // only a to z: accented letters stay as they are
        if ((c >= '0' && c <= '9') || c == '.' || c == ' ')
            continue;
        if (utilisees.find(c) != std::string::npos)
            continue;
        utilisees += c;
        std::string r(legende.substr(0, i));
        r += '&';
        r += legende.substr(i, LongueurMax);
        return r;
    }
    return std::string(legende);
}

// ---- Installed languages and the choice at start -----------------------------------------

void ListerLangues()
{
    ListerLangues(platform::RepertoireProgrammeParDefaut());
}

void ListerLangues(const std::string& repertoire)
{
    TableLangue.clear();
    DictionnaireLangue.clear();
    ListeLangues.clear();

    std::error_code ec;
    fs::directory_iterator it(repertoire.empty() ? fs::path(".") : fs::path(repertoire), ec);
    if (ec)
        return;
    for (const fs::directory_entry& entree : it) {
        std::error_code ec2;
        if (!entree.is_regular_file(ec2))
            continue;
        const std::string nom = entree.path().filename().string();
        if (!ExtensionLangueSansCasse(nom))
            continue; // a bare ".lxl" would give an empty name, which means "no language"
        ListeLangues.push_back(nom.substr(0, nom.size() - ExtensionLangue.size()));
    }
    std::sort(ListeLangues.begin(), ListeLangues.end(), AvantDansListe);
}

std::string CheminFichierLangue(const std::string& repertoire, const std::string& nom)
{
    if (nom.empty())
        return {};
    const fs::path dossier = repertoire.empty() ? fs::path(".") : fs::path(repertoire);
    std::error_code ec;
    const fs::path exact = dossier / (nom + std::string(ExtensionLangue));
    if (fs::is_regular_file(exact, ec))
        return exact.string();
    // The listing accepts the extension in any case; find the file it came from.
    fs::directory_iterator it(dossier, ec);
    if (ec)
        return {};
    for (const fs::directory_entry& entree : it) {
        std::error_code ec2;
        if (!entree.is_regular_file(ec2))
            continue;
        const std::string fichier = entree.path().filename().string();
        if (ExtensionLangueSansCasse(fichier)
            && fichier.compare(0, fichier.size() - ExtensionLangue.size(), nom) == 0
            && fichier.size() - ExtensionLangue.size() == nom.size())
            return entree.path().string();
    }
    return {};
}

bool ChargerLangue(const std::string& repertoire, const std::string& nom)
{
    const std::string chemin = CheminFichierLangue(repertoire, nom);
    if (chemin.empty() || !ChargerTableLangue(chemin))
        return false;
    ConstruireDictionnaire();
    return true;
}

int IndexLanguePreselectionnee(const std::vector<std::string>& langues)
{
    if (langues.empty())
        return -1;
    const auto it = std::find(langues.begin(), langues.end(), std::string("English"));
    return it == langues.end() ? 0 : static_cast<int>(it - langues.begin());
}

void InstallerDialogueChoixLangue(DialogueChoixLangue dialogue)
{
    dialogueChoix = std::move(dialogue);
}

void ChoisirLangueAuDemarrage()
{
    ChoisirLangueAuDemarrage(platform::RepertoireProgrammeParDefaut());
}

void ChoisirLangueAuDemarrage(const std::string& repertoire)
{
    if (!LangueCourante.empty() && CheminFichierLangue(repertoire, LangueCourante).empty())
        LangueCourante.clear();
    ListerLangues(repertoire);
    if (LangueCourante.empty()) {
        const std::string choisie = dialogueChoix ? dialogueChoix() : ChoixSansDialogue();
        if (!ListeLangues.empty())
            LangueCourante = choisie;
    }
    if (!ListeLangues.empty())
        ChargerLangue(repertoire, LangueCourante);
}
