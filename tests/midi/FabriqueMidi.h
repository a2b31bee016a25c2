#pragma once
// Shared by the import tests: small Standard MIDI Files built byte by byte, a window that
// records the wait window and answers the import dialog with a chosen mapping, and helpers
// that put a note list in place.
#include "ChantierMidi.h"

#include "document/Fenetre.h"
#include "document/Mess.h"
#include "midi/EvtImport.h"
#include "midi/ImportMidi.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace midi_test {

// The body of one track chunk, written event by event.
class PisteSmf {
public:
    std::vector<uint8_t> o;

    PisteSmf& Delta(uint32_t v)
    {
        uint8_t b[4];
        int n = 0;
        b[n++] = v & 0x7F;
        while (v >>= 7)
            b[n++] = static_cast<uint8_t>(0x80 | (v & 0x7F));
        while (n)
            o.push_back(b[--n]);
        return *this;
    }
    PisteSmf& Octets(std::initializer_list<uint8_t> l)
    {
        o.insert(o.end(), l);
        return *this;
    }
    // Delta then bytes.
    PisteSmf& Ev(uint32_t delta, std::initializer_list<uint8_t> l) { return Delta(delta).Octets(l); }
    PisteSmf& Meta(uint32_t delta, uint8_t type, const std::vector<uint8_t>& donnees)
    {
        Delta(delta).Octets({0xFF, type});
        Delta(static_cast<uint32_t>(donnees.size()));
        o.insert(o.end(), donnees.begin(), donnees.end());
        return *this;
    }
    PisteSmf& Nom(uint32_t delta, const std::string& nom) { return Meta(delta, 0x03, std::vector<uint8_t>(nom.begin(), nom.end())); }
    PisteSmf& Tempo(uint32_t delta, uint32_t us) { return Meta(delta, 0x51, {uint8_t(us >> 16), uint8_t(us >> 8), uint8_t(us)}); }
    PisteSmf& Signature(uint32_t delta, uint8_t nn, uint8_t dd) { return Meta(delta, 0x58, {nn, dd, 24, 8}); }
    PisteSmf& On(uint32_t delta, uint8_t note, uint8_t canal = 1, uint8_t vel = 100)
    {
        return Ev(delta, {static_cast<uint8_t>(0x90 + canal - 1), note, vel});
    }
    PisteSmf& Off(uint32_t delta, uint8_t note, uint8_t canal = 1)
    {
        return Ev(delta, {static_cast<uint8_t>(0x80 + canal - 1), note, 64});
    }
    PisteSmf& Fin(uint32_t delta = 0) { return Ev(delta, {0xFF, 0x2F, 0x00}); }
};

inline void AjouterU32(std::vector<uint8_t>& o, uint32_t v)
{
    o.push_back(uint8_t(v >> 24));
    o.push_back(uint8_t(v >> 16));
    o.push_back(uint8_t(v >> 8));
    o.push_back(uint8_t(v));
}

// A whole file; the header's track count is the number of tracks unless given.
inline std::vector<uint8_t> Smf(int format, int division, const std::vector<PisteSmf>& pistes, int nbPistes = -1)
{
    std::vector<uint8_t> o{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, static_cast<uint8_t>(format)};
    const int n = nbPistes < 0 ? static_cast<int>(pistes.size()) : nbPistes;
    o.push_back(uint8_t(n >> 8));
    o.push_back(uint8_t(n));
    o.push_back(uint8_t(division >> 8));
    o.push_back(uint8_t(division));
    for (const PisteSmf& p : pistes) {
        o.insert(o.end(), {'M', 'T', 'r', 'k'});
        AjouterU32(o, static_cast<uint32_t>(p.o.size()));
        o.insert(o.end(), p.o.begin(), p.o.end());
    }
    return o;
}

inline std::filesystem::path EcrireFichier(const std::filesystem::path& chemin, const std::vector<uint8_t>& o)
{
    std::ofstream f(chemin, std::ios::binary);
    f.write(reinterpret_cast<const char*>(o.data()), static_cast<std::streamsize>(o.size()));
    return chemin;
}

// The main window of an import: the wait window's calls go to a journal, and the dialog
// answers with `choix` (run on the sources the importer listed) or cancels.
class FenetreImport : public IFenetrePrincipale {
public:
    std::function<bool()> choix;
    std::vector<std::string> sourcesVues;
    std::vector<int32_t> programmesVus;
    int dialogues = 0;
    bool attenteVisible = false;
    int progressionMax = -1;
    bool progressionHorsPlage = false;
    std::vector<std::string> textes;

    void MontrerAttenteMidi(bool visible) override { attenteVisible = visible; }
    void TexteAttenteMidi(const char* texte) override { textes.emplace_back(texte); }
    void ProgressionAttenteMidi(int p) override
    {
        progressionMax = std::max(progressionMax, p);
        if (p < 0 || p > 28)
            progressionHorsPlage = true;
    }
    bool DialogueImportMidi() override
    {
        ++dialogues;
        sourcesVues = ListePisteImport;
        programmesVus = ProgrammesPistesMidi;
        return choix ? choix() : false;
    }
};

// Maps source lines onto song tracks, as the dialog's OK leaves them.
inline std::function<bool()> Affecter(std::vector<std::pair<int, int>> pistesSources, int quantification = 4,
                                      std::vector<int> octaveInferieure = {})
{
    return [=]() {
        for (int t = 1; t <= kNbPistes; ++t) {
            ProprietesTempo.PisteSource[t] = 0;
            ProprietesTempo.OctaveInferieure[t] = false;
            ProprietesTempo.Quantification[t] = quantification;
        }
        for (auto [t, s] : pistesSources)
            ProprietesTempo.PisteSource[t] = s;
        for (int t : octaveInferieure)
            ProprietesTempo.OctaveInferieure[t] = true;
        return true;
    };
}

// Puts a trimmed note list in place (NbEvtImport = its count).
inline void Liste(std::initializer_list<std::pair<int, double>> entrees)
{
    ViderEvtImport();
    for (auto [h, d] : entrees)
        AjouterEvtImport(h, d);
    NbEvtImport -= 1;
    DureeTotaleImport = 0.0;
    for (int k = 1; k <= NbEvtImport; ++k)
        DureeTotaleImport += EvtImport[k].Duree;
}

inline std::vector<std::pair<int, double>> ListeActuelle()
{
    std::vector<std::pair<int, double>> r;
    for (int k = 1; k <= NbEvtImport; ++k)
        r.emplace_back(EvtImport[k].Hauteur, EvtImport[k].Duree);
    return r;
}

// A beat as the tests compare it: ticks, code, dotted, triplet position (0 = none), rest, tie,
// and the frets of strings 1..6 (-1 none).
struct TempsVu {
    int ticks;
    int code;
    bool pointee;
    int triolet;
    bool silence;
    bool lie;
    bool operator==(const TempsVu&) const = default;
};
inline std::ostream& operator<<(std::ostream& os, const TempsVu& t)
{
    return os << "{" << t.ticks << ", " << t.code << (t.pointee ? " dotted" : "") << (t.triolet ? " triplet" + std::to_string(t.triolet) : "")
              << (t.silence ? " rest" : "") << (t.lie ? " tie" : "") << "}";
}
inline std::vector<TempsVu> Rythme(int piste, int mesure)
{
    std::vector<TempsVu> r;
    const TMesure& ms = *Partition.Mesures[mesure];
    for (int b = 1; b <= ms.NbTemps[piste]; ++b) {
        const TTemps& tp = ms.Temps[piste][b];
        r.push_back({tp.Duree, tp.CodeDuree, tp.Pointee, tp.Triolet ? tp.PosTriolet : 0, tp.Silence, tp.Lie});
    }
    return r;
}
inline std::vector<int> Frettes(int piste, int mesure, int temps)
{
    std::vector<int> r;
    for (int s = 1; s <= 6; ++s)
        r.push_back(Partition.Mesures[mesure]->Temps[piste][temps].Notes[s].Frette);
    return r;
}
inline std::vector<int> Hauteurs(int piste, int mesure, int temps)
{
    const TTemps& tp = Partition.Mesures[mesure]->Temps[piste][temps];
    std::vector<int> r;
    for (int i = 1; i <= tp.NbHauteursImport; ++i)
        r.push_back(tp.HauteursImport[i]);
    return r;
}
inline int64_t TicksPiste(int piste, int mesure)
{
    int64_t s = 0;
    const TMesure& ms = *Partition.Mesures[mesure];
    for (int b = 1; b <= ms.NbTemps[piste]; ++b)
        s += ms.Temps[piste][b].Duree;
    return s;
}

} // namespace midi_test
