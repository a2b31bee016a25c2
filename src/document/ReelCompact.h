#pragma once
// A real number kept in two bytes, for the technique amounts a song holds in great numbers (the
// bend of every note, the vibrato stroke of every beat). It reads back as exactly the double
// that was stored, whatever else the program holds or held before: amounts on a 1/1024 grid
// below 8 (every amount the editor offers or a song file keeps) are held as that fraction, any
// other value as the number of its slot in a table of the other values in use, shared by the
// whole program. A slot is given back when the last amount holding it goes (with its song, its
// undo copy, its clipboard copy), so a song opened later finds the table as free as the
// program found it.
//
// The two bytes are the whole amount: its bytes may be moved without its copy (a memcpy, a
// container that relocates), it reads the same. The table has 57344 slots, more than any song
// but one made to fill it holds different amounts; a new value past the last slot is refused
// as memory running out is, by a std::bad_alloc of its own kind (ReelCompact::TableFull) that
// lets a caller say what is wrong, and every amount already held stays exact.
// Reading an amount never takes a lock.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

class ReelCompact {
public:
    static constexpr double kGrille = 1024.0;
    static constexpr uint16_t kPremierCodeTable = 8 * 1024;

    // Thrown for a value off the grid when every slot of the table holds another one.
    class TableFull : public std::bad_alloc {
    public:
        const char* what() const noexcept override { return "ReelCompact::TableFull"; }
    };

    // The numbered slots of the values off the grid: each value once, with the number of
    // amounts holding it. The amounts share one table; a test may make one of its own, empty.
    class Table {
    public:
        static constexpr unsigned kNbCases = 0x10000 - kPremierCodeTable;

        Table();
        ~Table();
        Table(const Table&) = delete;
        Table& operator=(const Table&) = delete;

        // The slot code of `valeur`, held once more; a value not yet in use takes a free slot,
        // and when none is left, TableFull is thrown and nothing changes.
        uint16_t Take(double valeur);
        void Hold(uint16_t code);    // one more amount holds `code`
        void Release(uint16_t code); // one amount fewer: the last one frees the slot
        // Lock-free: a slot is written before its code is handed out, and not again until
        // the last amount holding it has gone.
        double Value(uint16_t code) const { return valeurs_[code - kPremierCodeTable]; }
        std::size_t SlotsInUse() const;

    private:
        struct Etat;
        std::unique_ptr<Etat> etat_;
        // Not initialised: the slots never used cost no memory.
        std::unique_ptr<double[]> valeurs_;
    };

    constexpr ReelCompact() = default;
    ReelCompact(double valeur) : code_(Coder(valeur)) {}
    ReelCompact(const ReelCompact& autre) : code_(autre.code_)
    {
        if (code_ >= kPremierCodeTable)
            TableCommune().Hold(code_);
    }
    ~ReelCompact()
    {
        if (code_ >= kPremierCodeTable)
            TableCommune().Release(code_);
    }

    ReelCompact& operator=(const ReelCompact& autre)
    {
        // The new value held before the old one is given back: both may be the same slot.
        if (autre.code_ >= kPremierCodeTable)
            TableCommune().Hold(autre.code_);
        if (code_ >= kPremierCodeTable)
            TableCommune().Release(code_);
        code_ = autre.code_;
        return *this;
    }
    ReelCompact& operator=(double valeur)
    {
        const uint16_t code = Coder(valeur); // first: a refused value leaves the amount as it was
        if (code_ >= kPremierCodeTable)
            TableCommune().Release(code_);
        code_ = code;
        return *this;
    }

    operator double() const { return Valeur(); }
    double Valeur() const { return code_ < kPremierCodeTable ? code_ / kGrille : TableCommune().Value(code_); }

    // Compared as the doubles they hold.
    friend bool operator==(const ReelCompact& a, const ReelCompact& b) { return a.Valeur() == b.Valeur(); }
    friend bool operator==(const ReelCompact& a, double b) { return a.Valeur() == b; }

    // The table the amounts share.
    static Table& TableCommune();

private:
    static uint16_t Coder(double valeur)
    {
        const double grille = valeur * kGrille; // exact: a power of two
        if (grille >= 0.0 && grille < kPremierCodeTable && !std::signbit(valeur)) {
            const auto code = static_cast<uint16_t>(grille);
            if (code == grille)
                return code;
        }
        return TableCommune().Take(valeur);
    }

    uint16_t code_ = 0;
};
