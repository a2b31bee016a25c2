#pragma once
// Settings files in the old private-profile text format: "[Section]" lines, then "key=value"
// lines. Section and key names compare without regard to case (Windows-1252 letters included),
// values are raw Windows-1252 bytes, and everything the program does not touch (other sections,
// other keys, comments, their order and spelling) is written back unchanged. Files as other
// editors write them read too: after a UTF-8 byte-order mark, with Windows, Unix or old
// Macintosh line ends; a write keeps the mark and each line's end.
//
// Every write reaches the disk at once, as the platform's profile functions did, so two objects
// on the same file always see each other's changes. A caller that writes many keys in a row
// (the configuration saver) can defer them with DifferEcritures() and store them all with one
// UpdateFile(). The file is always replaced whole through a temporary file and a rename, so a
// failed or interrupted save leaves the previous file as it was. A symbolic link is written
// through to the file it leads to; a file the user made read-only is not written at all.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

// Raised when the file cannot be written. The message is Windows-1252 text:
// "Impossible d'écrire dans <file>".
class ErreurEcritureIni : public std::runtime_error {
public:
    explicit ErreurEcritureIni(const std::string& chemin);
    const std::string& Chemin() const { return chemin_; }

private:
    std::string chemin_;
};

class FichierIni {
public:
    // Longest value that ReadString returns, as the platform's 2048-byte buffer allowed.
    static constexpr std::size_t LongueurMaxValeur = 2047;

    // A bare name (no '/') lives in the Windows directory; anything else is a path.
    explicit FichierIni(const std::string& nom);
    ~FichierIni();

    FichierIni(const FichierIni&) = delete;
    FichierIni& operator=(const FichierIni&) = delete;

    const std::string& FileName() const { return chemin_; }

    // The value after the '=' with surrounding blanks and one pair of matching quotes removed,
    // at most LongueurMaxValeur bytes; the default when the section or key is missing.
    std::string ReadString(const std::string& section, const std::string& cle,
                           const std::string& defaut) const;
    // Decimal, "$" hexadecimal, or "0x"/"0X" hexadecimal of more than two characters, within
    // 32 bits; any other text (or a missing key) gives the default.
    int32_t ReadInteger(const std::string& section, const std::string& cle, int32_t defaut) const;
    // Read as an integer: non-zero is true.
    bool ReadBool(const std::string& section, const std::string& cle, bool defaut) const;

    void WriteString(const std::string& section, const std::string& cle, const std::string& valeur);
    void WriteInteger(const std::string& section, const std::string& cle, int32_t valeur);
    void WriteBool(const std::string& section, const std::string& cle, bool valeur);

    // Key names of a section in file order (empty when the section is missing).
    std::vector<std::string> ReadSection(const std::string& section) const;
    // Section names in file order.
    std::vector<std::string> ReadSections() const;
    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& cle) const;
    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& cle);

    // From now on, writes stay in memory until UpdateFile().
    void DifferEcritures();
    // Stores pending writes (throws ErreurEcritureIni on failure) and returns to writing at once.
    void UpdateFile();

    // Parsing helper shared with the tests: the integer reading rule above.
    static bool TexteVersEntier(const std::string& texte, int32_t& valeur);
    // Case folding of names: ASCII and the Windows-1252 letters.
    static bool NomsEgaux(const std::string& a, const std::string& b);

private:
    enum class Genre { Autre, Section, Cle };
    struct Ligne {
        Genre genre = Genre::Autre;
        std::string texte; // the line as read, without its end of line
        // Its end of line as read ("\r\n", "\n" or "\r"); empty for a new line or one that ended
        // the file, which get the file's usual end. A line keeps its own, so that a stray
        // carriage return before it is still there when the file is read again.
        std::string fin;
        std::string nom;   // section or key name, trimmed
        std::string valeur; // value as read (trimmed, quotes removed)
    };

    void Actualiser() const;
    void Charger() const;
    void Modifie();
    void Enregistrer();
    // Index of the section line, or -1.
    long TrouverSection(const std::string& section) const;
    // Index of the key line within the section starting at debut, or -1.
    long TrouverCle(long debut, const std::string& cle) const;
    long FinSection(long debut) const;

    std::string chemin_;
    mutable std::vector<Ligne> lignes_;
    mutable std::string finLigne_ = "\n";
    mutable bool marqueUtf8_ = false; // the file starts with a UTF-8 byte-order mark
    mutable bool charge_ = false;
    // What the file on disk was when last read or written: every save replaces the file, so
    // a change by someone else shows in the inode even within one timestamp tick.
    struct Empreinte {
        bool existe = false;
        unsigned long long inode = 0, taille = 0;
        long long secondes = 0, nanosecondes = 0;
        bool operator==(const Empreinte&) const = default;
    };
    static Empreinte EmpreinteDe(const std::string& chemin);
    mutable Empreinte empreinte_;
    bool differe_ = false;
    bool enAttente_ = false;
};

} // namespace platform
