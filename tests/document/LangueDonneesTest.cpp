// Checks the two language files shipped in data/ against the positions the windows read.
// Lines are addressed only by their distance from a marker, so one missing or extra line
// silently shifts every later caption of a window; these tests catch that before a user does.
// The files are read with plain file reading, independently of the language reader; the last
// two tests then load them through the reader and look every message key up.

#include "document/Langue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string kDossier = LYRX_SOURCE_DIR "/data/";
const std::string kNomsLangues[] = {"English", "Francais"};
const char* const kFichiers[] = {"English.lxl", "Francais.lxl"};

struct SectionLue
{
    const char* marqueur;
    int derniereLigneLue;  // highest entry any window or the dictionary reads
    std::set<int> lignesNonLues;  // entries that only hold their place
};

// Every section the program reads, with the highest entry read in it.
const SectionLue kSections[] = {
    {"MN_000", 117, {115, 116}},  // main menus, popup and toolbar hints
    {"DLG_000", 13, {}},          // shared buttons, message titles, invalid-input text
    {"GENE_000", 15, {3, 4, 5, 6}},  // About box, track words, measure status, full song, help, amounts
    {"FILES_000", 19, {}},        // file messages, file-type names, file-dialog titles, too many amounts
    {"DLG_PROP_000", 25, {}},     // song properties (and MIDI import labels)
    {"DLG_IMPM_000", 24, {8, 9}},  // MIDI import dialog, progress texts, refusals, what was left out
    {"DLG_EXPM_000", 2, {}},
    {"DLG_IMPA_000", 16, {8, 9}},  // ASCII import
    {"DLG_EXPA_000", 7, {6}},      // ASCII export
    {"DLG_ASS_LR_000", 9, {}},     // let-ring selector
    {"DLG_ASS_CD_000", 2, {}},     // measure-length check
    {"DLG_PASTE_000", 10, {}},
    {"DLG_CHORD_000", 24, {}},
    {"DLG_DIFE_000", 2, {}},       // alternate ending
    {"DLG_ASS_CR_000", 1, {}},     // re-split confirmation
    {"DLG_ASS_FG_000", 3, {}},     // automatic finger placement
    {"DLG_ASS_ST_000", 5, {}},     // speed trainer
    {"DLG_ASS_TR_000", 3, {}},     // transposition
    {"DLG_REPE_000", 2, {}},       // repeat count
    {"DLG_TIMES_000", 2, {}},      // time signature
    {"DLG_TXT_000", 2, {}},        // beat text
    {"DLG_GOTOB_000", 2, {}},      // go to measure
    {"DLG_STROKV_000", 2, {}},     // vibrato stroke
    {"DLG_BEND_000", 3, {}},       // bend, bend and release
    {"DLG_BRUSH_000", 2, {}},      // strum
    {"DLG_GRACE_000", 6, {}},
    {"DLG_DYNA_000", 5, {}},       // dynamics palette
    {"DLG_COPY_000", 6, {}},       // copy and clear range
    {"DLG_CUT_000", 5, {}},
    {"DLG_MIX_000", 13, {}},       // mix table
    {"DLG_INSTR_000", 1, {}},      // instrument chooser
    {"DLG_PREF_000", 106, {}},     // preferences
    {"DLG_PRT_000", 9, {}},        // print dialog and failed print jobs
    {"DLG_PRW_000", 3, {}},        // print preview
    {"DLG_BROWSE_000", 25, {}},    // song browser
};

struct Fichier
{
    std::string octets;
    std::vector<std::string> lignes;
};

// Splits the way the language reader does: CR LF, a lone CR or a lone LF ends a line.
std::vector<std::string> LignesDuFichier(const std::string& octets)
{
    std::vector<std::string> lignes;
    std::string courante;
    for (std::size_t i = 0; i < octets.size(); ++i) {
        const char c = octets[i];
        if (c == '\r' || c == '\n') {
            lignes.push_back(courante);
            courante.clear();
            if (c == '\r' && i + 1 < octets.size() && octets[i + 1] == '\n')
                ++i;
        } else {
            courante += c;
        }
    }
    if (!courante.empty())
        lignes.push_back(courante);
    return lignes;
}

Fichier Charger(const std::string& nom)
{
    std::ifstream flux(kDossier + nom, std::ios::binary);
    Fichier f;
    f.octets.assign(std::istreambuf_iterator<char>(flux), std::istreambuf_iterator<char>());
    f.lignes = LignesDuFichier(f.octets);
    return f;
}

bool MemeMotSansCasse(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::toupper(x) == std::toupper(y);
           });
}

int IndiceMarqueur(const Fichier& f, const std::string& mot)
{
    for (std::size_t i = 0; i < f.lignes.size(); ++i)
        if (MemeMotSansCasse(f.lignes[i], mot))
            return static_cast<int>(i);
    return -1;
}

bool EstMarqueur(const std::string& ligne)
{
    for (const auto& s : kSections)
        if (MemeMotSansCasse(ligne, s.marqueur))
            return true;
    return false;
}

// The text between the first two double quotes, as the reader takes it; nothing when the
// line has fewer than two quotes or the text would be cut at 500 characters.
std::optional<std::string> TexteEntre(const std::string& ligne)
{
    const auto ouverture = ligne.find('"');
    if (ouverture == std::string::npos)
        return std::nullopt;
    const auto fermeture = ligne.find('"', ouverture + 1);
    if (fermeture == std::string::npos || fermeture - ouverture > 500)
        return std::nullopt;
    return ligne.substr(ouverture + 1, fermeture - ouverture - 1);
}

// Entries that follow a marker before the next marker or the end of the file.
int NombreEntrees(const Fichier& f, int indiceMarqueur)
{
    int n = 0;
    for (std::size_t i = indiceMarqueur + 1; i < f.lignes.size() && !EstMarqueur(f.lignes[i]); ++i)
        ++n;
    return n;
}

std::string Entree(const Fichier& f, const char* marqueur, int k)
{
    const int m = IndiceMarqueur(f, marqueur);
    if (m < 0 || m + k >= static_cast<int>(f.lignes.size()))
        return "<missing>";
    return TexteEntre(f.lignes[m + k]).value_or("<no quotes>");
}

int CompterOccurrences(const std::string& texte, const std::string& motif)
{
    int n = 0;
    for (auto p = texte.find(motif); p != std::string::npos; p = texte.find(motif, p + 1))
        ++n;
    return n;
}

}  // namespace

TEST(LangueDonnees, FilesCarryTheHeaderTheSwitchAndWindowsLineEnds)
{
    for (const char* nom : kFichiers) {
        SCOPED_TRACE(nom);
        const Fichier f = Charger(nom);
        ASSERT_FALSE(f.octets.empty()) << "cannot read " << kDossier << nom;

        const int entete = IndiceMarqueur(f, "### PATCH CONFIGURATION ###");
        ASSERT_GE(entete, 0);
        ASSERT_LT(entete + 1, static_cast<int>(f.lignes.size()));
        const auto traducteur = TexteEntre(f.lignes[entete + 1]);
        ASSERT_TRUE(traducteur.has_value());
        EXPECT_FALSE(traducteur->empty());
        // The files leave the accelerator letters to the program.
        EXPECT_GE(IndiceMarqueur(f, "AUTOMATIC SHORTCUTS"), 0);

        // CR LF everywhere, and only bytes that Windows-1252 defines.
        EXPECT_EQ(CompterOccurrences(f.octets, "\r\n"), CompterOccurrences(f.octets, "\r"));
        EXPECT_EQ(CompterOccurrences(f.octets, "\r\n"), CompterOccurrences(f.octets, "\n"));
        for (unsigned char octet : f.octets) {
            EXPECT_NE(octet, 0);
            EXPECT_TRUE(octet != 0x81 && octet != 0x8D && octet != 0x8F && octet != 0x90 &&
                        octet != 0x9D)
                << "byte " << int(octet) << " is not a Windows-1252 character";
        }
    }
}

TEST(LangueDonnees, EverySectionHoldsEveryLineTheProgramReads)
{
    for (const char* nom : kFichiers) {
        const Fichier f = Charger(nom);
        for (const auto& s : kSections) {
            SCOPED_TRACE(std::string(nom) + " " + s.marqueur);
            const int m = IndiceMarqueur(f, s.marqueur);
            ASSERT_GE(m, 0) << "section missing";
            // Written exactly, so that a reader comparing with case still finds it.
            EXPECT_EQ(f.lignes[m], s.marqueur);
            ASSERT_GE(NombreEntrees(f, m), s.derniereLigneLue);
            for (int k = 1; k <= s.derniereLigneLue; ++k) {
                const auto texte = TexteEntre(f.lignes[m + k]);
                ASSERT_TRUE(texte.has_value()) << "line " << k << " lacks its quotes: " << f.lignes[m + k];
                if (s.lignesNonLues.count(k))
                    continue;
                EXPECT_FALSE(texte->empty()) << "line " << k;
                // The menu appends "..." itself; the files never mark accelerators, apart
                // from the one menu caption whose "&" the program doubles on purpose.
                const bool menu = std::string(s.marqueur) == "MN_000";
                if (menu) {
                    EXPECT_FALSE(texte->size() >= 3 && texte->compare(texte->size() - 3, 3, "...") == 0)
                        << "line " << k << ": " << *texte;
                }
                if (!(menu && k == 69)) {
                    EXPECT_EQ(texte->find('&'), std::string::npos) << "line " << k << ": " << *texte;
                }
            }
        }
    }
}

TEST(LangueDonnees, ArgumentsHaveTheirPlaceholders)
{
    // Texts whose callers fill arguments, with how many "%s" each needs.
    const std::map<std::pair<std::string, int>, int> attendus = {
        {{"FILES_000", 1}, 1},      {{"FILES_000", 2}, 1},      {{"FILES_000", 3}, 1},
        {{"DLG_PROP_000", 25}, 2},  {{"DLG_ASS_CD_000", 2}, 2}, {{"DLG_CHORD_000", 22}, 1},
        {{"DLG_PASTE_000", 2}, 1},  {{"DLG_PASTE_000", 3}, 1},  {{"DLG_MIX_000", 11}, 1},
        {{"DLG_IMPM_000", 16}, 2},  {{"DLG_IMPM_000", 18}, 2},  {{"DLG_IMPM_000", 19}, 2},
        {{"DLG_IMPM_000", 20}, 1},  {{"DLG_IMPM_000", 21}, 2},  {{"DLG_IMPM_000", 24}, 1},
        {{"DLG_PRT_000", 8}, 1},    {{"DLG_PRT_000", 9}, 1},
        {{"GENE_000", 13}, 1},      {{"GENE_000", 14}, 1},
    };
    for (const char* nom : kFichiers) {
        const Fichier f = Charger(nom);
        for (const auto& s : kSections) {
            for (int k = 1; k <= s.derniereLigneLue; ++k) {
                const auto cle = std::make_pair(std::string(s.marqueur), k);
                const int voulu = attendus.count(cle) ? attendus.at(cle) : 0;
                const std::string texte = Entree(f, s.marqueur, k);
                EXPECT_EQ(CompterOccurrences(texte, "%s"), voulu)
                    << nom << " " << s.marqueur << " line " << k << ": " << texte;
                // A literal "#" would be taken for an argument by the message formatter.
                if (voulu > 0) {
                    EXPECT_EQ(texte.find('#'), std::string::npos)
                        << nom << " " << s.marqueur << " line " << k << ": " << texte;
                }
            }
        }
    }
}

TEST(LangueDonnees, BothLanguagesKeepTheSameLayout)
{
    const Fichier anglais = Charger(kFichiers[0]);
    const Fichier francais = Charger(kFichiers[1]);
    for (const auto& s : kSections) {
        const int ma = IndiceMarqueur(anglais, s.marqueur);
        const int mf = IndiceMarqueur(francais, s.marqueur);
        ASSERT_GE(ma, 0);
        ASSERT_GE(mf, 0);
        EXPECT_EQ(NombreEntrees(anglais, ma), NombreEntrees(francais, mf)) << s.marqueur;
    }
}

TEST(LangueDonnees, TextsReadAsTheLanguageIntends)
{
    const Fichier anglais = Charger("English.lxl");
    const Fichier francais = Charger("Francais.lxl");
    struct Cas { const Fichier& f; const char* marqueur; int ligne; std::string texte; };
    const Cas cas[] = {
        {anglais, "MN_000", 1, "File"},
        {anglais, "MN_000", 117, "About Lyrandaxis"},
        {anglais, "DLG_000", 1, "OK"},
        {anglais, "DLG_000", 4, "No"},
        {anglais, "DLG_000", 7, "Close"},
        {anglais, "FILES_000", 14, "All files"},
        {anglais, "DLG_PREF_000", 106, "Preview"},
        {anglais, "DLG_BROWSE_000", 25, "Loading the song..."},
        // Accents are single Windows-1252 bytes, never UTF-8 pairs.
        {francais, "MN_000", 17, "\xC9" "dition"},
        {francais, "MN_000", 117, "\xC0 propos de Lyrandaxis"},
        {francais, "DLG_000", 2, "Annuler"},
        {francais, "DLG_000", 12, "Erreur"},
        {francais, "GENE_000", 9, "Mesure compl\xE8te"},
        {francais, "DLG_CHORD_000", 18, "\xC9" "couter"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(Entree(c.f, c.marqueur, c.ligne), c.texte) << c.marqueur << " line " << c.ligne;
    EXPECT_EQ(francais.octets.find("\xC3\xA9"), std::string::npos);
}

// The same files through the language reader: the first start offers both languages with
// English preselected, and every message key of the dictionary resolves in each of them.
class LangueDonneesLecteur : public ::testing::Test
{
protected:
    void SetUp() override
    {
        table_ = TableLangue;
        dictionnaire_ = DictionnaireLangue;
        liste_ = ListeLangues;
        courante_ = LangueCourante;
        raccourcis_ = RaccourcisAuto;
        auteur_ = AuteurPatche;
    }
    void TearDown() override
    {
        TableLangue = table_;
        DictionnaireLangue = dictionnaire_;
        ListeLangues = liste_;
        LangueCourante = courante_;
        RaccourcisAuto = raccourcis_;
        AuteurPatche = auteur_;
    }

private:
    std::vector<std::string> table_, dictionnaire_, liste_;
    std::string courante_, auteur_;
    bool raccourcis_ = false;
};

TEST_F(LangueDonneesLecteur, FirstStartOffersBothLanguagesWithEnglishSelected)
{
    ListerLangues(kDossier);
    for (const std::string& langue : kNomsLangues)
        EXPECT_NE(std::find(ListeLangues.begin(), ListeLangues.end(), langue), ListeLangues.end()) << langue;
    ASSERT_FALSE(ListeLangues.empty());
    EXPECT_EQ(ListeLangues[IndexLanguePreselectionnee(ListeLangues)], "English");
}

TEST_F(LangueDonneesLecteur, EveryMessageKeyResolvesWithItsPlaceholders)
{
    for (const std::string& langue : kNomsLangues) {
        SCOPED_TRACE(langue);
        DictionnaireLangue.clear();
        AuteurPatche.clear();
        RaccourcisAuto = false;
        ASSERT_TRUE(ChargerLangue(kDossier, langue));
        EXPECT_FALSE(AuteurPatche.empty());
        EXPECT_TRUE(RaccourcisAuto);
        EXPECT_EQ(DictionnaireLangue.size(), TableClesDictionnaire().size());
        for (const CleDictionnaire& cle : TableClesDictionnaire()) {
            const std::string texte = Traduire(cle.Cle);
            SCOPED_TRACE(std::string(cle.Cle) + " = " + texte);
            EXPECT_NE(texte, TexteTraductionIntrouvable);
            EXPECT_FALSE(texte.empty());
            EXPECT_EQ(texte.find("%s"), std::string::npos);
            EXPECT_EQ(CompterOccurrences(texte, "#1"), cle.Arguments >= 1 ? 1 : 0);
            EXPECT_EQ(CompterOccurrences(texte, "#2"), cle.Arguments >= 2 ? 1 : 0);
        }
    }
}
