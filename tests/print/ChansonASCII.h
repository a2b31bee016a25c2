#pragma once
// A new song with helpers that write beats straight into the track parts, for the text
// tablature tests; and the reading of the expected texts of tests/print/data.
#include "document/Accord.h"
#include "document/Configuration.h"
#include "document/Langue.h"
#include "document/Routines.h"
#include "document/Variable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

struct NoteASCII {
    int corde;
    int frette;
    int effet = 0; // link technique
};

// Measure m of the song, appending 4/4 measures up to it.
inline TMesure& MesureASCII(int m)
{
    while (Partition.NbMesures < m) {
        const int n = ++Partition.NbMesures;
        Partition.Mesures[n] = std::make_unique<TMesure>();
    }
    return *Partition.Mesures[m];
}

// Appends a beat to the current track of measure m.
inline TTemps& AjouterTempsASCII(int m, int code, bool pointee, const std::vector<NoteASCII>& notes, int effetTemps = 0)
{
    TMesure& mesure = MesureASCII(m);
    const int b = ++mesure.NbTemps[PisteCourante];
    TTemps& temps = mesure.Temps[PisteCourante][b];
    temps = TTemps{};
    temps.CodeDuree = static_cast<int8_t>(code);
    temps.Pointee = pointee;
    temps.Duree = DureeEnTicks(code, pointee, false);
    temps.Effet = static_cast<int8_t>(effetTemps);
    for (const NoteASCII& n : notes) {
        temps.Notes[n.corde].Frette = static_cast<int8_t>(n.frette);
        temps.Notes[n.corde].Effet = static_cast<uint8_t>(n.effet);
    }
    return temps;
}

inline void AccordASCII(TTemps& temps, const char* nom)
{
    auto accord = std::make_shared<TAccord>();
    accord->Nom = nom;
    temps.Accord = accord;
    temps.AvecAccord = true;
}

// Lines of a text file of the test data (LF ends each line).
inline std::vector<std::string> LignesDonnees(const std::string& nom)
{
    std::ifstream f(std::string(LYRX_TEST_DATA_DIR) + "/" + nom, std::ios::binary);
    const std::string texte((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    std::vector<std::string> lignes;
    std::string ligne;
    for (char c : texte) {
        if (c == '\n') {
            lignes.push_back(ligne);
            ligne.clear();
        } else {
            ligne += c;
        }
    }
    if (!ligne.empty())
        lignes.push_back(ligne);
    return lignes;
}

class ChansonASCII : public ::testing::Test {
protected:
    void SetUp() override
    {
        TableLangue.clear();
        ReinitialiserPartition();
        Configuration = TCONFIG{};
        PisteCourante = 1;
    }
    void TearDown() override
    {
        ReinitialiserPartition();
        Configuration = TCONFIG{};
        PisteCourante = 1;
    }
};
