#pragma once
// What the song-file tests share: a main window that writes down what it is asked, the
// message recorder, a few language texts that name their own keys, and a scratch folder.
#include "document/Fenetre.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "platform/Sablier.h"
#include "support/DossierTemporaire.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A namespace of their own: other test files of this program have recorders of the same name.
namespace essais_fichiers {

class FenetreEnregistreuse : public IFenetrePrincipale {
public:
    std::vector<std::string> Journal;
    std::string Legende;
    std::string TitreLabel;
    OneBased<std::string, 5> Recents;
    OneBased<bool, 5> RecentVisible{};
    bool SeparateurVisible = false;

    void ActualiserMenuPistes() override { Journal.push_back("MenuPistes"); }
    void AfficherTitreLabel(const char* texte) override
    {
        TitreLabel = texte;
        Journal.push_back("TitreLabel:" + TitreLabel);
    }
    void ColorerBoutonPiste(int piste) override { Journal.push_back("Colorer:" + std::to_string(piste)); }
    void AfficherLegendeFenetre(const char* legende) override
    {
        Legende = legende;
        Journal.push_back("Legende:" + Legende);
    }
    void TraiterMessagesEnAttente() override { Journal.push_back("Messages"); }
    void ArreterLectureEnCours() override { Journal.push_back("Stop"); }
    void RafraichirApresNouvellePartition() override { Journal.push_back("RafraichirNouvelle"); }
    void RafraichirApresLecturePartition() override { Journal.push_back("RafraichirLue"); }
    void ActualiserCommandes() override { Journal.push_back("Commandes"); }
    void AfficherFichierRecent(int k, const char* legende) override
    {
        RecentVisible[k] = legende != nullptr;
        Recents[k] = legende ? legende : "";
    }
    void AfficherSeparateurFichiersRecents(bool visible) override { SeparateurVisible = visible; }

    int Compte(const std::string& entree) const
    {
        int n = 0;
        for (const std::string& e : Journal)
            n += e == entree ? 1 : 0;
        return n;
    }
};

// Installs the recording window and message box, texts for the keys the file code uses and a
// fresh scratch folder; puts everything back afterwards.
class EnvironnementFichiers : public ::testing::Test {
protected:
    void SetUp() override
    {
        dictionnaire_ = DictionnaireLangue;
        DictionnaireLangue = {
            "Dlg-Erreur=Erreur",
            "Dlg-Confirmation=Confirmation",
            "Dlg-Avertissement=Avertissement",
            "Fichier-EnregistrerModif=Enregistrer #1 ?",
            "Fichier-Introuvable=Introuvable : #1",
            "Fichier-ExisteDeja=#1 existe",
            "Fichier-Remplacer=Remplacer ?",
            "Fichier-SansNom=SansNom",
            "Fichier-AccesImpossible=AccesImpossible",
            "Fichier-Incorrect=Incorrect",
            "Fichier-VersionAncienne=VersionAncienne",
            "Fichier-TropDeMontants=TropDeMontants",
            "MidiExp-EcritureFichierImpossibleEnregAb=EcritureImpossible",
            "Gene-Percussions=Percussions",
        };
        InstallerFenetrePrincipale(&fenetre);
        platform::InstallerAfficheurSablier(
            [this](bool occupe) { fenetre.Journal.push_back(occupe ? "Sablier" : "CurseurNormal"); });
        dossier = lyrx_test::DossierDuTest();
        for (std::string& f : FichiersRecents)
            f.clear();
        ReinitialiserPartition();
        fenetre.Journal.clear();
    }

    void TearDown() override
    {
        InstallerFenetrePrincipale(nullptr);
        platform::InstallerAfficheurSablier({});
        DictionnaireLangue = dictionnaire_;
        for (std::string& f : FichiersRecents)
            f.clear();
        ReinitialiserPartition();
    }

    std::string Chemin(const std::string& nom) const { return (dossier / nom).string(); }

    static std::string Donnees(const std::string& nom) { return std::string(LYRX_TEST_DATA_DIR) + "/" + nom; }

    static std::vector<uint8_t> LireOctets(const std::string& chemin)
    {
        std::ifstream f(chemin, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    }

    static void EcrireOctets(const std::string& chemin, const std::vector<uint8_t>& octets)
    {
        std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(octets.data()), static_cast<std::streamsize>(octets.size()));
    }

    // The state every failed read must leave: the new empty untitled song.
    static void AttendreNouvellePartition()
    {
        EXPECT_TRUE(NomFichier.empty());
        EXPECT_EQ(CheminFichier, "SansNom");
        EXPECT_EQ(Partition.NbMesures, 1);
        EXPECT_TRUE(Partition.Titre.empty());
        EXPECT_EQ(Partition.Tempo, 120);
        EXPECT_EQ(NbAccordsPartition, 0);
        for (int t = 1; t <= kNbPistes; ++t) {
            EXPECT_EQ(Partition.Mesures[1]->NbTemps[t], 0);
            EXPECT_EQ(Partition.NbCordes[t], 6);
            EXPECT_EQ(Partition.Mesures[1]->Temps[t][1].Duree, kTicksNoire);
        }
        for (int m = 2; m <= kNbMesuresMax; ++m)
            EXPECT_FALSE(Partition.Mesures[m]) << m;
        EXPECT_EQ(Partition.NomPiste[8], "Percussions");
    }

    FenetreEnregistreuse fenetre;
    EnregistreurMessages messages;
    std::filesystem::path dossier;

private:
    std::vector<std::string> dictionnaire_;
};

} // namespace essais_fichiers
