#pragma once
// A real number kept in two bytes, for the technique amounts a song holds in great numbers (the
// bend of every note, the vibrato stroke of every beat). It reads back as exactly the double
// that was stored, whatever else the program holds or held before: amounts on a 1/1024 grid
// below 32 (every amount the editor offers) are held as that fraction, any other value as the
// number of its entry in a table of the other values in use, shared by the whole program.
// An entry is given back when the last amount holding it goes (with its song, its undo copy,
// its clipboard copy), so a song opened later finds the table as free as the program found it.
//
// The table holds 32767 values at a time; only a song made to fill it reaches its end, and past
// it a new value is kept aside, exactly, under the address of the amount that holds it.
// Reading an amount on the grid or in the table never takes a lock.
#include <cmath>
#include <cstddef>
#include <cstdint>

class ReelCompact {
public:
    constexpr ReelCompact() = default;
    ReelCompact(double valeur) { Stocker(valeur); }
    ReelCompact(const ReelCompact& autre)
    {
        if (autre.code_ < kPremierCodeTable)
            code_ = autre.code_;
        else
            CopierHorsGrille(autre);
    }
    ~ReelCompact()
    {
        if (code_ >= kPremierCodeTable)
            Liberer();
    }

    ReelCompact& operator=(const ReelCompact& autre)
    {
        if (code_ < kPremierCodeTable && autre.code_ < kPremierCodeTable)
            code_ = autre.code_;
        else if (this != &autre)
            AffecterHorsGrille(autre);
        return *this;
    }
    ReelCompact& operator=(double valeur)
    {
        if (code_ >= kPremierCodeTable)
            Liberer();
        code_ = 0;
        Stocker(valeur);
        return *this;
    }

    operator double() const { return Valeur(); }
    double Valeur() const
    {
        if (code_ < kPremierCodeTable)
            return code_ / kGrille;
        return code_ == kCodeAPart ? ValeurAPart() : ValeurDeTable(code_ - kPremierCodeTable);
    }

    // Compared as the doubles they hold.
    friend bool operator==(const ReelCompact& a, const ReelCompact& b) { return a.Valeur() == b.Valeur(); }
    friend bool operator==(const ReelCompact& a, double b) { return a.Valeur() == b; }

    // What the off-grid amounts take at this moment, for the tests of their release.
    struct Occupation {
        std::size_t EntreesTable; // table entries in use
        std::size_t APart;        // amounts kept aside
    };
    static Occupation OccupationActuelle();

    static constexpr double kGrille = 1024.0;
    static constexpr uint16_t kPremierCodeTable = 0x8000;
    static constexpr uint16_t kCodeAPart = 0xFFFF;

private:
    void Stocker(double valeur)
    {
        const double grille = valeur * kGrille; // exact: a power of two
        if (grille >= 0.0 && grille < kPremierCodeTable && !std::signbit(valeur)) {
            const auto code = static_cast<uint16_t>(grille);
            if (code == grille) {
                code_ = code;
                return;
            }
        }
        StockerHorsGrille(valeur);
    }
    void StockerHorsGrille(double valeur);
    void CopierHorsGrille(const ReelCompact& autre);
    void AffecterHorsGrille(const ReelCompact& autre);
    void Liberer();
    double ValeurAPart() const;
    static double ValeurDeTable(unsigned entree);

    uint16_t code_ = 0;
};
