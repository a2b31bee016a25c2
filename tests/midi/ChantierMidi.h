#pragma once
// Shared by the MIDI tests: a fixture that starts every test from a new empty song with the
// factory options, small builders for measures and beats, and a plain reader of Standard MIDI
// Files that knows nothing of the writer, so that the tests check what a player would see.
#include "document/Configuration.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "midi/EcrireMidi.h"
#include "midi/EtatLecture.h"
#include "midi/OrdreLecture.h"

#include "support/DossierTemporaire.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace midi_test {

// One event as a player reads it: absolute tick in its track, status byte with channel,
// data bytes (for a meta event: its type, then the payload).
struct Evenement {
    int piste = 0;       // chunk index, 0 = conductor
    int64_t tick = 0;
    uint8_t statut = 0;
    std::vector<uint8_t> donnees;

    int canal() const { return statut & 0x0F; }
    bool noteOn() const { return (statut & 0xF0) == 0x90 && donnees.size() == 2 && donnees[1] > 0; }
    bool noteOff() const { return (statut & 0xF0) == 0x80 || ((statut & 0xF0) == 0x90 && donnees.size() == 2 && donnees[1] == 0); }
    bool meta(uint8_t type) const { return statut == 0xFF && !donnees.empty() && donnees[0] == type; }
};

struct FichierLu {
    int format = -1;
    int nbPistes = 0;
    int division = 0;
    std::vector<std::vector<Evenement>> pistes;
    std::vector<std::vector<uint8_t>> corps;  // raw body of each track chunk
};

inline uint32_t LireVlq(const std::vector<uint8_t>& o, std::size_t& i)
{
    uint32_t v = 0;
    for (int n = 0; n < 4; ++n) {
        if (i >= o.size())
            throw std::runtime_error("truncated variable-length quantity");
        const uint8_t b = o[i++];
        v = (v << 7) | (b & 0x7F);
        if (!(b & 0x80))
            return v;
    }
    throw std::runtime_error("variable-length quantity longer than four bytes");
}

// Strict reader: no running status expected, every data byte of a channel event below 128,
// every track ending with its end-of-track event.
inline FichierLu LireSmf(const std::vector<uint8_t>& o)
{
    FichierLu f;
    auto u32 = [&](std::size_t i) { return uint32_t(o.at(i)) << 24 | uint32_t(o.at(i + 1)) << 16 | uint32_t(o.at(i + 2)) << 8 | o.at(i + 3); };
    auto u16 = [&](std::size_t i) { return uint32_t(o.at(i)) << 8 | o.at(i + 1); };
    if (o.size() < 14 || std::string(o.begin(), o.begin() + 4) != "MThd" || u32(4) != 6)
        throw std::runtime_error("no header chunk");
    f.format = int(u16(8));
    f.nbPistes = int(u16(10));
    f.division = int(u16(12));
    std::size_t i = 14;
    while (i < o.size()) {
        if (std::string(o.begin() + i, o.begin() + i + 4) != "MTrk")
            throw std::runtime_error("chunk is not a track");
        const uint32_t longueur = u32(i + 4);
        if (i + 8 + longueur > o.size())
            throw std::runtime_error("track chunk runs past the end of the file");
        std::vector<uint8_t> corps(o.begin() + i + 8, o.begin() + i + 8 + longueur);
        i += 8 + longueur;
        std::vector<Evenement> evts;
        std::size_t j = 0;
        int64_t tick = 0;
        bool fin = false;
        while (j < corps.size()) {
            if (fin)
                throw std::runtime_error("bytes after end of track");
            tick += LireVlq(corps, j);
            Evenement e;
            e.piste = int(f.pistes.size());
            e.tick = tick;
            e.statut = corps.at(j++);
            if (e.statut < 0x80)
                throw std::runtime_error("running status or stray data byte");
            if (e.statut == 0xFF) {
                e.donnees.push_back(corps.at(j++));
                const uint32_t n = LireVlq(corps, j);
                for (uint32_t k = 0; k < n; ++k)
                    e.donnees.push_back(corps.at(j++));
                fin = e.donnees[0] == 0x2F;
            } else {
                const int n = ((e.statut & 0xF0) == 0xC0 || (e.statut & 0xF0) == 0xD0) ? 1 : 2;
                for (int k = 0; k < n; ++k) {
                    const uint8_t d = corps.at(j++);
                    if (d >= 0x80)
                        throw std::runtime_error("data byte of 128 or more");
                    e.donnees.push_back(d);
                }
            }
            evts.push_back(e);
        }
        if (!fin)
            throw std::runtime_error("track without end-of-track event");
        f.pistes.push_back(std::move(evts));
        f.corps.push_back(std::move(corps));
    }
    if (int(f.pistes.size()) != f.nbPistes)
        throw std::runtime_error("track count of the header differs from the chunks");
    return f;
}

// Note ons of a track as (tick, note, velocity).
struct NoteJouee {
    int64_t tick;
    int note;
    int velocite;
    int canal;
    bool operator==(const NoteJouee&) const = default;
};
inline std::ostream& operator<<(std::ostream& os, const NoteJouee& n)
{
    return os << "{" << n.tick << ", " << n.note << ", " << n.velocite << ", ch" << n.canal << "}";
}

inline std::vector<NoteJouee> NotesOn(const std::vector<Evenement>& piste)
{
    std::vector<NoteJouee> r;
    for (const Evenement& e : piste)
        if (e.noteOn())
            r.push_back({e.tick, e.donnees[0], e.donnees[1], e.canal()});
    return r;
}
inline std::vector<NoteJouee> NotesOff(const std::vector<Evenement>& piste)
{
    std::vector<NoteJouee> r;
    for (const Evenement& e : piste)
        if (e.noteOff())
            r.push_back({e.tick, e.donnees[0], e.donnees[1], e.canal()});
    return r;
}

// Every sounding note paired with its note off: a note on left hanging fails the test.
struct NoteComplete {
    int64_t debut, fin;
    int note, canal;
};
inline std::vector<NoteComplete> NotesCompletes(const std::vector<Evenement>& piste)
{
    std::vector<NoteComplete> r;
    std::vector<std::pair<std::size_t, bool>> ouvertes;
    for (const Evenement& e : piste) {
        if (e.noteOn()) {
            r.push_back({e.tick, -1, e.donnees[0], e.canal()});
        } else if (e.noteOff()) {
            for (NoteComplete& n : r)
                if (n.fin < 0 && n.note == e.donnees[0] && n.canal == e.canal()) {
                    n.fin = e.tick;
                    break;
                }
        }
    }
    return r;
}

inline std::string Hex(const std::vector<uint8_t>& o)
{
    static const char* c = "0123456789ABCDEF";
    std::string s;
    for (std::size_t i = 0; i < o.size(); ++i) {
        if (i)
            s += ' ';
        s += c[o[i] >> 4];
        s += c[o[i] & 15];
    }
    return s;
}

// Hex bytes; text from '#' to the end of a line is a comment.
inline std::vector<uint8_t> DepuisHex(const std::string& texte)
{
    std::vector<uint8_t> o;
    int n = -1;
    bool commentaire = false;
    for (char ch : texte) {
        if (ch == '#')
            commentaire = true;
        else if (ch == '\n')
            commentaire = false;
        if (commentaire)
            continue;
        int v;
        if (ch >= '0' && ch <= '9') v = ch - '0';
        else if (ch >= 'A' && ch <= 'F') v = ch - 'A' + 10;
        else if (ch >= 'a' && ch <= 'f') v = ch - 'a' + 10;
        else continue;
        if (n < 0) n = v;
        else { o.push_back(uint8_t(n * 16 + v)); n = -1; }
    }
    return o;
}

// Every test starts from a new empty song, the factory options, no playback state, and
// track names that do not depend on a loaded language.
class MidiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReinitialiserPartition();
        for (int t = 1; t <= kNbPistes; ++t)
            Partition.NomPiste[t] = "";
        Configuration = TCONFIG{};
        EtatLecture = TEtatLecture{};
        OrdreLecture.assign(1, 0);
        NbOrdreLecture = 0;
        ParcoursEnCours = false;
        PileTempo.Vider();
        PisteCourante = 1;
        Curseur.Temps = 1;
    }
    void TearDown() override { ReinitialiserPartition(); }

    // Measures up to n, each nn/dd (the new ones), with no beats.
    static void Mesures(int n, uint8_t num = 4, uint8_t den = 4)
    {
        for (int m = 1; m <= n; ++m) {
            if (!Partition.Mesures[m])
                Partition.Mesures[m] = std::make_unique<TMesure>();
            TMesure& ms = *Partition.Mesures[m];
            if (m > Partition.NbMesures || m == 1) {
                ms.Numerateur = num;
                ms.Denominateur = den;
                ms.Duree = 4.0 * num / den;
            }
        }
        Partition.NbMesures = std::max(Partition.NbMesures, n);
    }
    static void Signature(int m, uint8_t num, uint8_t den)
    {
        TMesure& ms = *Partition.Mesures[m];
        ms.Numerateur = num;
        ms.Denominateur = den;
        ms.Duree = 4.0 * num / den;
    }

    // Appends a beat of `duree` ticks to track t of measure m, with frets by string.
    static TTemps& Temps(int t, int m, int32_t duree, std::initializer_list<std::pair<int, int>> frettes = {})
    {
        TMesure& ms = *Partition.Mesures[m];
        TTemps& tp = ms.Temps[t][++ms.NbTemps[t]];
        tp = TTemps{};
        tp.Duree = duree;
        for (auto [corde, frette] : frettes)
            tp.Notes[corde].Frette = static_cast<int8_t>(frette);
        return tp;
    }
    static TTemps& Silence(int t, int m, int32_t duree)
    {
        TTemps& tp = Temps(t, m, duree);
        tp.Silence = true;
        return tp;
    }

    static FichierLu Exporter()
    {
        ConstruireOrdreLecture(1, Partition.NbMesures, Configuration.ExportRepeats);
        return LireSmf(GenererFichierMidi(ModeLectureExport));
    }
    static FichierLu Jouer(TModeLecture mode)
    {
        if (mode == ModeLectureDebut)
            ConstruireOrdreLecture(1, Partition.NbMesures, Configuration.PlayRepeats);
        else if (mode == ModeLectureDepuisMesure)
            ConstruireOrdreLecture(Partition.MesureCourante, Partition.NbMesures, Configuration.PlayRepeats);
        else if (mode == ModeLectureMesure)
            ConstruireOrdreLecture(Partition.MesureCourante, Partition.MesureCourante, Configuration.PlayRepeats);
        else if (mode == ModeLectureSpeedTrainer)
            ConstruireOrdreLecture(MesureDebutSpeedTrainer, MesureFinSpeedTrainer, Configuration.PlayRepeats);
        return LireSmf(GenererFichierMidi(mode));
    }

    static std::filesystem::path DossierTemporaire() { return lyrx_test::DossierDuTest(); }
};

} // namespace midi_test
