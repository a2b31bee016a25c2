#pragma once
// A real number kept in two bytes, for the technique amounts a song holds in great numbers (the
// bend of every note, the vibrato stroke of every beat). It reads back as exactly the double
// that was stored: amounts on a 1/1024 grid below 32 (every amount the editor offers) are held
// as that fraction, any other value as the number of its entry in a table of the other values
// met, shared by the whole program and only ever added to. Reading never takes a lock.
//
// The table holds 32768 values; only a song made to fill it can reach its end, and past it a
// new value keeps the nearest grid amount (clamped to 0..32).
#include <cmath>
#include <cstdint>

class ReelCompact {
public:
    constexpr ReelCompact() = default;
    ReelCompact(double valeur) : code_(Coder(valeur)) {}

    ReelCompact& operator=(double valeur)
    {
        code_ = Coder(valeur);
        return *this;
    }

    operator double() const { return Valeur(); }
    double Valeur() const
    {
        return code_ < kPremierCodeTable ? code_ / kGrille : ValeurDeTable(code_ - kPremierCodeTable);
    }

    // Compared as the doubles they hold.
    friend bool operator==(const ReelCompact& a, const ReelCompact& b) { return a.Valeur() == b.Valeur(); }
    friend bool operator==(const ReelCompact& a, double b) { return a.Valeur() == b; }

    static constexpr double kGrille = 1024.0;
    static constexpr uint16_t kPremierCodeTable = 0x8000;

private:
    static uint16_t Coder(double valeur)
    {
        const double grille = valeur * kGrille; // exact: a power of two
        if (grille >= 0.0 && grille < kPremierCodeTable && !std::signbit(valeur)) {
            const auto code = static_cast<uint16_t>(grille);
            if (code == grille)
                return code;
        }
        return CoderHorsGrille(valeur);
    }
    static uint16_t CoderHorsGrille(double valeur);
    static double ValeurDeTable(unsigned entree);

    uint16_t code_ = 0;
};
