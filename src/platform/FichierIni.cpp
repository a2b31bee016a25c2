#include "platform/FichierIni.h"

#include "platform/FichierEntier.h"
#include "platform/FileReplacement.h"
#include "platform/Repertoires.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string_view>
#include <sys/stat.h>

namespace platform {

namespace {

bool Blanc(char c) { return c == ' ' || c == '\t'; }

std::string Rogner(const std::string& s)
{
    std::size_t d = 0, f = s.size();
    while (d < f && Blanc(s[d]))
        ++d;
    while (f > d && Blanc(s[f - 1]))
        --f;
    return s.substr(d, f - d);
}

// Lower case of one Windows-1252 byte.
unsigned char Minuscule(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 32;
    switch (c) {
    case 0x8A: return 0x9A; // S caron
    case 0x8C: return 0x9C; // OE
    case 0x8E: return 0x9E; // Z caron
    case 0x9F: return 0xFF; // Y diaeresis
    default: return c;
    }
}

// A line break inside a name or value would split it into lines of its own (and let a value
// forge keys), so it is written as a blank.
std::string SansFinDeLigne(std::string s)
{
    for (char& c : s)
        if (c == '\r' || c == '\n')
            c = ' ';
    return s;
}

// Reading drops surrounding blanks and one pair of matching quotes; a value that reading would
// change is written inside one more pair of quotes so that it reads back as it was.
std::string ValeurAEcrire(const std::string& v)
{
    std::string s = SansFinDeLigne(v);
    const bool blancs = !s.empty() && (Blanc(s.front()) || Blanc(s.back()));
    const bool guillemets = s.size() >= 2 && (s.front() == '"' || s.front() == '\'') &&
                            s.back() == s.front();
    if (blancs || guillemets)
        return '"' + s + '"';
    return s;
}

std::string ValeurLue(const std::string& brute)
{
    std::string v = Rogner(brute);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return v;
}

} // namespace

ErreurEcritureIni::ErreurEcritureIni(const std::string& chemin)
    : std::runtime_error("Impossible d'\xE9" "crire dans " + chemin), chemin_(chemin)
{
}

FichierIni::FichierIni(const std::string& nom)
    : chemin_(nom.find('/') == std::string::npos ? RepertoireWindowsParDefaut() + nom : nom)
{
}

FichierIni::~FichierIni()
{
    if (enAttente_) {
        try {
            Enregistrer();
        } catch (const ErreurEcritureIni&) {
            // Nobody is left to tell; the previous file stays intact.
        }
    }
}

bool FichierIni::NomsEgaux(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Minuscule(static_cast<unsigned char>(a[i])) != Minuscule(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool FichierIni::TexteVersEntier(const std::string& texte, int32_t& valeur)
{
    std::size_t i = 0;
    bool negatif = false;
    if (i < texte.size() && (texte[i] == '+' || texte[i] == '-')) {
        negatif = texte[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < texte.size() && texte[i] == '$') {
        base = 16;
        ++i;
    } else if (texte.size() - i > 2 && texte[i] == '0' && (texte[i + 1] == 'x' || texte[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= texte.size())
        return false;
    uint64_t n = 0;
    for (; i < texte.size(); ++i) {
        const char c = texte[i];
        int chiffre;
        if (c >= '0' && c <= '9')
            chiffre = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            chiffre = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            chiffre = c - 'A' + 10;
        else
            return false;
        n = n * base + chiffre;
        if (n > 0xFFFFFFFFull)
            return false;
    }
    if (base == 16) {
        // Hexadecimal spells the 32 bits themselves: $FFFFFFFF is -1.
        const auto bits = static_cast<int32_t>(static_cast<uint32_t>(n));
        valeur = negatif ? static_cast<int32_t>(0u - static_cast<uint32_t>(bits)) : bits;
        return true;
    }
    if (negatif ? n > 2147483648ull : n > 2147483647ull)
        return false;
    valeur = negatif ? static_cast<int32_t>(-static_cast<int64_t>(n)) : static_cast<int32_t>(n);
    return true;
}

FichierIni::Empreinte FichierIni::EmpreinteDe(const std::string& chemin)
{
    Empreinte e;
    struct stat infos;
    if (::stat(chemin.c_str(), &infos) != 0 || !S_ISREG(infos.st_mode))
        return e;
    e.existe = true;
    e.inode = infos.st_ino;
    e.taille = static_cast<unsigned long long>(infos.st_size);
    e.secondes = infos.st_mtim.tv_sec;
    e.nanosecondes = infos.st_mtim.tv_nsec;
    return e;
}

void FichierIni::Charger() const
{
    lignes_.clear();
    finLigne_ = "\n";
    marqueUtf8_ = false;
    charge_ = true;
    empreinte_ = EmpreinteDe(chemin_);
    if (!empreinte_.existe)
        return;
    const std::optional<std::string> lu = LireFichierEntier<std::string>(chemin_);
    if (!lu)
        return;
    const std::string& contenu = *lu;

    // Editors that write UTF-8 may start the file with a byte-order mark: it is no part of the
    // first line, and goes back before it when the file is written.
    static constexpr std::string_view kMarqueUtf8 = "\xEF\xBB\xBF";
    marqueUtf8_ = contenu.starts_with(kMarqueUtf8);
    std::size_t debut = marqueUtf8_ ? kMarqueUtf8.size() : 0;

    // The first end of line sets the file's. One that is a lone carriage return makes an old
    // Macintosh file, where a carriage return ends a line by itself; elsewhere one ends a line
    // only before a line feed, and any other stays in its line.
    const std::size_t premiere = contenu.find_first_of("\r\n", debut);
    const bool mac = premiere != std::string::npos && contenu[premiere] == '\r' &&
                     (premiere + 1 == contenu.size() || contenu[premiere + 1] != '\n');
    if (premiere != std::string::npos && contenu[premiere] == '\r')
        finLigne_ = mac ? "\r" : "\r\n";
    const char* const fins = mac ? "\r\n" : "\n";
    while (debut < contenu.size()) {
        Ligne l;
        std::size_t fin = std::min(contenu.find_first_of(fins, debut), contenu.size());
        // A carriage return just before the line feed belongs to the end of line.
        if (fin < contenu.size() && contenu[fin] == '\n' && fin > debut && contenu[fin - 1] == '\r')
            --fin;
        l.texte = contenu.substr(debut, fin - debut);
        if (fin < contenu.size())
            l.fin = contenu.substr(fin, contenu.compare(fin, 2, "\r\n") == 0 ? 2 : 1);
        else
            // Carriage returns that end the file are the line end it stopped short of: a value
            // keeping one would read differently once a line is written after it.
            while (!l.texte.empty() && l.texte.back() == '\r')
                l.texte.pop_back();
        debut = fin + l.fin.size();
        const std::string r = Rogner(l.texte);
        if (!r.empty() && r.front() == '[') {
            l.genre = Genre::Section;
            const auto ferme = r.find(']');
            l.nom = Rogner(r.substr(1, ferme == std::string::npos ? std::string::npos : ferme - 1));
        } else if (!r.empty() && r.front() != ';') {
            if (const auto egal = r.find('='); egal != std::string::npos) {
                l.genre = Genre::Cle;
                l.nom = Rogner(r.substr(0, egal));
                l.valeur = ValeurLue(r.substr(egal + 1));
            }
        }
        lignes_.push_back(std::move(l));
    }
}

void FichierIni::Actualiser() const
{
    // Pending deferred writes are newer than anything on disk.
    if (enAttente_)
        return;
    if (!charge_ || EmpreinteDe(chemin_) != empreinte_)
        Charger();
}

long FichierIni::TrouverSection(const std::string& section) const
{
    const std::string s = Rogner(section);
    for (std::size_t i = 0; i < lignes_.size(); ++i)
        if (lignes_[i].genre == Genre::Section && NomsEgaux(lignes_[i].nom, s))
            return static_cast<long>(i);
    return -1;
}

long FichierIni::FinSection(long debut) const
{
    std::size_t i = static_cast<std::size_t>(debut) + 1;
    while (i < lignes_.size() && lignes_[i].genre != Genre::Section)
        ++i;
    return static_cast<long>(i);
}

long FichierIni::TrouverCle(long debut, const std::string& cle) const
{
    const std::string c = Rogner(cle);
    const long fin = FinSection(debut);
    for (long i = debut + 1; i < fin; ++i)
        if (lignes_[i].genre == Genre::Cle && NomsEgaux(lignes_[i].nom, c))
            return i;
    return -1;
}

std::string FichierIni::ReadString(const std::string& section, const std::string& cle,
                                   const std::string& defaut) const
{
    Actualiser();
    const long s = TrouverSection(section);
    const long k = s < 0 ? -1 : TrouverCle(s, cle);
    const std::string& v = k < 0 ? defaut : lignes_[k].valeur;
    return v.size() > LongueurMaxValeur ? v.substr(0, LongueurMaxValeur) : v;
}

int32_t FichierIni::ReadInteger(const std::string& section, const std::string& cle,
                                int32_t defaut) const
{
    int32_t v;
    return TexteVersEntier(ReadString(section, cle, std::string()), v) ? v : defaut;
}

bool FichierIni::ReadBool(const std::string& section, const std::string& cle, bool defaut) const
{
    return ReadInteger(section, cle, defaut ? 1 : 0) != 0;
}

void FichierIni::WriteString(const std::string& section, const std::string& cle,
                             const std::string& valeur)
{
    Actualiser();
    const std::string nomCle = Rogner(SansFinDeLigne(cle));
    const std::string texte = nomCle + "=" + ValeurAEcrire(valeur);
    long s = TrouverSection(section);
    if (s < 0) {
        Ligne l;
        l.genre = Genre::Section;
        l.nom = Rogner(SansFinDeLigne(section));
        l.texte = "[" + l.nom + "]";
        lignes_.push_back(std::move(l));
        s = static_cast<long>(lignes_.size()) - 1;
    }
    Ligne l;
    l.genre = Genre::Cle;
    l.nom = nomCle;
    l.valeur = ValeurLue(ValeurAEcrire(valeur));
    l.texte = texte;
    if (const long k = TrouverCle(s, cle); k >= 0) {
        // The key keeps the spelling it has in the file.
        l.nom = lignes_[k].nom;
        l.texte = l.nom + "=" + ValeurAEcrire(valeur);
        lignes_[k] = std::move(l);
    } else {
        // After the section's last non-blank line, so blank separators stay between sections.
        long pos = FinSection(s);
        while (pos - 1 > s && Rogner(lignes_[pos - 1].texte).empty())
            --pos;
        lignes_.insert(lignes_.begin() + pos, std::move(l));
    }
    Modifie();
}

void FichierIni::WriteInteger(const std::string& section, const std::string& cle, int32_t valeur)
{
    WriteString(section, cle, std::to_string(valeur));
}

void FichierIni::WriteBool(const std::string& section, const std::string& cle, bool valeur)
{
    WriteString(section, cle, valeur ? "1" : "0");
}

std::vector<std::string> FichierIni::ReadSection(const std::string& section) const
{
    Actualiser();
    std::vector<std::string> cles;
    const long s = TrouverSection(section);
    if (s < 0)
        return cles;
    const long fin = FinSection(s);
    for (long i = s + 1; i < fin; ++i)
        if (lignes_[i].genre == Genre::Cle)
            cles.push_back(lignes_[i].nom);
    return cles;
}

std::vector<std::string> FichierIni::ReadSections() const
{
    Actualiser();
    std::vector<std::string> sections;
    for (const auto& l : lignes_)
        if (l.genre == Genre::Section)
            sections.push_back(l.nom);
    return sections;
}

bool FichierIni::SectionExists(const std::string& section) const
{
    Actualiser();
    return TrouverSection(section) >= 0;
}

bool FichierIni::ValueExists(const std::string& section, const std::string& cle) const
{
    Actualiser();
    const long s = TrouverSection(section);
    return s >= 0 && TrouverCle(s, cle) >= 0;
}

void FichierIni::EraseSection(const std::string& section)
{
    Actualiser();
    bool efface = false;
    // Every section of that name goes, as a second copy would otherwise surface.
    for (long s; (s = TrouverSection(section)) >= 0;) {
        lignes_.erase(lignes_.begin() + s, lignes_.begin() + FinSection(s));
        efface = true;
    }
    if (efface)
        Modifie();
}

void FichierIni::DeleteKey(const std::string& section, const std::string& cle)
{
    Actualiser();
    const long s = TrouverSection(section);
    const long k = s < 0 ? -1 : TrouverCle(s, cle);
    if (k < 0)
        return;
    lignes_.erase(lignes_.begin() + k);
    Modifie();
}

void FichierIni::DifferEcritures()
{
    differe_ = true;
}

void FichierIni::UpdateFile()
{
    differe_ = false;
    if (enAttente_)
        Enregistrer();
}

void FichierIni::Modifie()
{
    enAttente_ = true;
    if (!differe_)
        Enregistrer();
}

void FichierIni::Enregistrer()
{
    std::string contenu = marqueUtf8_ ? "\xEF\xBB\xBF" : "";
    for (const auto& l : lignes_) {
        contenu += l.texte;
        contenu += l.fin.empty() ? finLigne_ : l.fin;
    }

    // Through the user's links, so that later settings still reach the file they lead to; a
    // file the user made read-only is refused like one that cannot be written. A settings file
    // is the user's own: a new one is readable by them alone.
    const auto* octets = reinterpret_cast<const uint8_t*>(contenu.data());
    if (!ReplaceFile(chemin_, std::span(octets, contenu.size()), 0, 0600))
        throw ErreurEcritureIni(chemin_);
    enAttente_ = false;
    empreinte_ = EmpreinteDe(chemin_);
}

} // namespace platform
