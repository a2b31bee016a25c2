#pragma once
// A new song on track 1, the default edit-zone geometry, the English texts, and a main window
// that records the edit-zone labels; painters draw on a recording canvas.
#include "document/Fenetre.h"
#include "document/Langue.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/DessinSaisie.h"
#include "platform/CanevasEnregistreur.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

struct FenetreLabels : IFenetrePrincipale {
    std::string Numero;
    std::string Longueurs;
    std::string Etat;
    int Couleur = -1;
    int NbEtats = 0;
    void AfficherNumeroMesure(const char* texte) override { Numero = texte; }
    void AfficherEtatMesure(const char* longueurs, const char* etat, int couleur) override
    {
        Longueurs = longueurs;
        Etat = etat;
        Couleur = couleur;
        ++NbEtats;
    }
};

class FixtureSaisie : public ::testing::Test {
protected:
    void SetUp() override
    {
        tableLangue_ = TableLangue;
        dictionnaire_ = DictionnaireLangue;
        ChargerLangue(LYRX_SOURCE_DIR "/data", "English");
        InstallerFenetrePrincipale(&fenetre);
        ReinitialiserPartition();
        // Beat slots past the free one keep what earlier tests left there.
        for (int t = 1; t <= kNbPistes; ++t)
            for (int b = 2; b <= kNbTempsMax; ++b)
                Partition.Mesures[1]->Temps[t][b] = TTemps{};
        PisteCourante = 1;
        Curseur.Corde = 1;
        Curseur.Temps = 1;
        Curseur.ChiffreEnAttente = false;
        TempsPrecedent = 1;
        CordePrecedente = 1;
        Commandes().Reinitialiser();
        DefinirSeparateurDecimal('.');
        InstallerCanevasSaisie(nullptr);
    }

    void TearDown() override
    {
        InstallerFenetrePrincipale(nullptr);
        InstallerCanevasSaisie(nullptr);
        TableLangue = tableLangue_;
        DictionnaireLangue = dictionnaire_;
    }

    static TMesure& Mesure(int m = 1) { return *Partition.Mesures[m]; }
    static TTemps& Temps(int b, int m = 1) { return Mesure(m).Temps[PisteCourante][b]; }

    // Beats 1..codes.size() of the current track in measure m, plain notes of those values
    // with a fret on string 1; the free slot after them prepared.
    static void Battements(std::initializer_list<int> codes, int m = 1)
    {
        int b = 0;
        for (const int code : codes) {
            TTemps& t = Temps(++b, m);
            t = TTemps{};
            t.CodeDuree = static_cast<int8_t>(code);
            t.Duree = DureeEnTicks(code, false, false);
            t.Notes[1].Frette = 5;
        }
        Mesure(m).NbTemps[PisteCourante] = b;
        const int courante = Partition.MesureCourante;
        Partition.MesureCourante = m;
        AjouterTempsVide();
        Partition.MesureCourante = courante;
    }

    static void Signature(int num, int den, int m = 1)
    {
        Mesure(m).Numerateur = static_cast<uint8_t>(num);
        Mesure(m).Denominateur = static_cast<uint8_t>(den);
        Mesure(m).Duree = 4.0 * num / den;
    }

    // Appends measures up to count, each a copy of the signature of measure 1 without beats.
    static void Mesures(int count)
    {
        for (int m = Partition.NbMesures + 1; m <= count; ++m) {
            Partition.Mesures[m] = std::make_unique<TMesure>();
            Mesure(m).Numerateur = Mesure(1).Numerateur;
            Mesure(m).Denominateur = Mesure(1).Denominateur;
            Mesure(m).Duree = Mesure(1).Duree;
        }
        Partition.NbMesures = count;
    }

    static std::vector<std::string> Lignes(const platform::CanevasEnregistreur& c)
    {
        std::vector<std::string> lignes;
        std::istringstream flux(c.Resume());
        for (std::string ligne; std::getline(flux, ligne);)
            lignes.push_back(ligne);
        return lignes;
    }
    static bool Contient(const platform::CanevasEnregistreur& c, const std::string& ligne)
    {
        const auto lignes = Lignes(c);
        return std::find(lignes.begin(), lignes.end(), ligne) != lignes.end();
    }
    static int Compte(const platform::CanevasEnregistreur& c, const std::string& debut)
    {
        int n = 0;
        for (const std::string& l : Lignes(c))
            n += l.rfind(debut, 0) == 0 ? 1 : 0;
        return n;
    }
    // The texts drawn, in order.
    static std::vector<std::string> Textes(const platform::CanevasEnregistreur& c)
    {
        std::vector<std::string> textes;
        for (const auto& t : c.Traces(platform::CanevasEnregistreur::Operation::Texte))
            textes.push_back(t.texte);
        return textes;
    }

    FenetreLabels fenetre;
    platform::CanevasEnregistreur canevas{800, 600};

private:
    std::vector<std::string> tableLangue_;
    std::vector<std::string> dictionnaire_;
};
