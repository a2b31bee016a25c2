#pragma once
// Song folders on disk for the song browser: a fresh folder per test, songs written by the
// program's own writer with chosen parts, damaged and old-version files, and a Windows folder
// of its own for the settings files. Message boxes are recorded and answered OK, and the
// process's current folder is given back after each test (the browser changes it).
#include "document/Configuration.h"
#include "document/FichierPartition.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "support/DossierTemporaire.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace parcours_test {

namespace fs = std::filesystem;

struct Parties {
    int Guitares = 1; // tracks 1.. with a guitar program
    int Basses = 0;   // the next tracks, with a bass program
    bool Batterie = false;
};

inline void EcrireOctets(const fs::path& chemin, const std::vector<uint8_t>& octets)
{
    fs::create_directories(chemin.parent_path());
    std::ofstream f(chemin, std::ios::binary);
    f.write(reinterpret_cast<const char*>(octets.data()), static_cast<std::streamsize>(octets.size()));
}

inline void EcrireTexte(const fs::path& chemin, const std::string& texte)
{
    EcrireOctets(chemin, std::vector<uint8_t>(texte.begin(), texte.end()));
}

// A song of `nbMesures` 4/4 measures, one quarter note per measure in each part, written by the
// program's writer. The song record is reset afterwards.
inline void EcrireChanson(const fs::path& chemin, const std::string& titre, int nbMesures, Parties p = {},
                          const std::string& auteur = "", const std::string& commentaire = "")
{
    ReinitialiserPartition();
    Partition.Titre = titre;
    Partition.Auteur = auteur;
    Partition.Commentaire = commentaire;
    std::vector<int> pistes;
    int t = 1;
    for (int k = 0; k < p.Guitares; ++k, ++t) {
        Partition.Instrument[t] = 25;
        pistes.push_back(t);
    }
    for (int k = 0; k < p.Basses; ++k, ++t) {
        Partition.Instrument[t] = 33;
        pistes.push_back(t);
    }
    if (p.Batterie)
        pistes.push_back(kPistePercussions);
    for (int m = 1; m <= nbMesures; ++m) {
        if (!Partition.Mesures[m])
            Partition.Mesures[m] = std::make_unique<TMesure>();
        TMesure& ms = *Partition.Mesures[m];
        ms.Numerateur = 4;
        ms.Denominateur = 4;
        ms.Duree = 4.0;
        for (int piste : pistes) {
            ms.NbTemps[piste] = 1;
            TTemps& tp = ms.Temps[piste][1];
            tp = TTemps{};
            tp.Notes[piste == kPistePercussions ? 1 : 6].Frette = piste == kPistePercussions ? 36 : 3;
            ms.DureeReelle[piste] = 1.0;
        }
    }
    Partition.NbMesures = nbMesures;
    EcrireOctets(chemin, ImageFichierPartition());
    ReinitialiserPartition();
}

// A file with the mark of a version 1 this program does not read.
inline std::vector<uint8_t> FichierVersionAncienne()
{
    const std::string marque = "FICHIER LYRANDAXISE v0.9";
    std::vector<uint8_t> o(200, 0);
    o[0] = static_cast<uint8_t>(marque.size());
    std::copy(marque.begin(), marque.end(), o.begin() + 1);
    return o;
}

class FixtureParcours : public ::testing::Test {
protected:
    fs::path racine;   // everything of this test
    fs::path dossier;  // the songs
    fs::path windows;  // the settings files
    std::vector<MessageAffiche> messages;

    void SetUp() override
    {
        racine = lyrx_test::DossierDuTest();
        dossier = racine / "chansons";
        windows = racine / "windows";
        fs::create_directories(dossier);
        fs::create_directories(windows);
        windows_.emplace("LYRX_WINDOWS_DIR", windows.string());
        std::error_code ec;
        ancienCourant_ = fs::current_path(ec);
        InstallerAfficheurMessages([this](const MessageAffiche& m) {
            messages.push_back(m);
            return ResultatOK;
        });
        TableLangue.clear();
        DictionnaireLangue.clear();
        RaccourcisAuto = false;
        Configuration = TCONFIG{};
        ReinitialiserPartition();
        PartitionModifiee = false;
    }

    void TearDown() override
    {
        InstallerAfficheurMessages({});
        std::error_code ec;
        fs::current_path(ancienCourant_, ec);
        windows_.reset();
        ReinitialiserPartition();
        TableLangue.clear();
        DictionnaireLangue.clear();
    }

    static void ChargerAnglais() { ASSERT_TRUE(ChargerLangue(LYRX_SOURCE_DIR "/data", "English")); }

private:
    std::optional<lyrx_test::VariableEnvironnement> windows_;
    fs::path ancienCourant_;
};

} // namespace parcours_test
