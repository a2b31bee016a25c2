// The song file's writer: the song in memory as a version 2.21 image, put in place of the file
// on disk only once it is wholly written.
#include "document/FichierPartition.h"

#include "document/Accord.h"
#include "document/FichierPartitionInterne.h"
#include "document/TableMix.h"
#include "document/Variable.h"
#include "platform/FileReplacement.h"
#include "platform/Sablier.h"

#include <algorithm>
#include <bit>
#include <new>
#include <string_view>

namespace {

constexpr std::string_view MarqueEcrite = "FICHIER LYRANDAXIS v2.21";

// ---- Bytes out -----------------------------------------------------------------------------

class EcrivainOctets {
public:
    explicit EcrivainOctets(std::vector<uint8_t>& octets) : o_(octets) {}

    void U8(int v) { o_.push_back(static_cast<uint8_t>(v)); }
    void I32(int32_t v)
    {
        const auto u = static_cast<uint32_t>(v);
        const uint8_t b[4] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8),
                              static_cast<uint8_t>(u >> 16), static_cast<uint8_t>(u >> 24)};
        o_.insert(o_.end(), b, b + 4);
    }
    void D(double v)
    {
        const auto u = std::bit_cast<uint64_t>(v);
        uint8_t b[8];
        for (int i = 0; i < 8; ++i)
            b[i] = static_cast<uint8_t>(u >> (8 * i));
        o_.insert(o_.end(), b, b + 8);
    }
    void Octets(std::string_view s) { o_.insert(o_.end(), s.begin(), s.end()); }
    void Zeros(std::size_t n) { o_.insert(o_.end(), n, uint8_t{0}); }

    // A text image of capacity n: its length, its characters, then zeros up to the capacity
    // (those bytes mean nothing; zeros make equal songs give equal files).
    void Image(std::string_view texte, std::size_t n)
    {
        texte = texte.substr(0, n);
        U8(static_cast<int>(texte.size()));
        Octets(texte);
        Zeros(n - texte.size());
    }

    // A counted text: its length and its characters only.
    void Compte(std::string_view texte, std::size_t capacite)
    {
        texte = texte.substr(0, capacite);
        U8(static_cast<int>(texte.size()));
        Octets(texte);
    }

private:
    std::vector<uint8_t>& o_;
};

// ---- Writer ----------------------------------------------------------------------------------

class EcrivainPartition {
public:
    explicit EcrivainPartition(std::vector<uint8_t>& octets) : out_(octets) {}

    void Ecrire()
    {
        const TPartition& p = Partition;
        out_.Image(MarqueEcrite, kTailleMarque);
        TexteCompte(p.Titre);
        TexteCompte(p.Auteur);
        TexteCompte(p.Commentaire);
        out_.I32(p.Tempo);
        out_.I32(p.TripletFeel);
        out_.I32(p.Armure);
        for (int t = 1; t <= kNbPistes; ++t) {
            const int n = Cordes(t);
            out_.I32(n);
            for (int s = 1; s <= n; ++s)
                out_.I32(p.Accordage[t][s]);
        }
        const int nbMesures = std::clamp(p.NbMesures, 1, kNbMesuresMax);
        out_.I32(nbMesures);
        for (int t = 1; t <= kNbPistes; ++t) {
            out_.I32(p.Instrument[t]);
            out_.I32(p.NbFrettes[t]);
            TexteCompte(p.NomPiste[t]);
            out_.U8((p.Solo[t] ? 1 : 0) | (p.Muette[t] ? 2 : 0) | (p.PasExporter[t] ? 4 : 0) |
                    (p.DouzeCordes[t] ? 8 : 0));
            out_.I32(p.Volume[t]);
            out_.I32(p.Panoramique[t]);
            out_.I32(p.Chorus[t]);
            out_.I32(p.Reverb[t]);
            out_.I32(p.Capo[t]);
        }
        out_.Image(p.ModeSolo ? "1" : "0", 5);
        out_.I32(p.PisteSolo);
        static const TMesure vide;
        for (int m = 1; m <= nbMesures; ++m)
            EcrireMesure(p.Mesures[m] ? *p.Mesures[m] : vide);
        const int nbAccords = std::clamp(NbAccordsPartition, 0, kNbAccordsPartitionMax);
        out_.I32(nbAccords);
        static const TAccord defaut;
        for (int i = 1; i <= nbAccords; ++i)
            EcrireAccord(AccordsPartition[i] ? *AccordsPartition[i] : defaut);
    }

private:
    // The reader refuses string counts outside 1..6: never write one.
    static int Cordes(int t) { return std::clamp(Partition.NbCordes[t], 1, kNbCordesMax); }

    template <std::size_t N>
    void TexteCompte(const TexteCourt<N>& texte)
    {
        out_.U8(static_cast<int>(N + 1));
        out_.Image(texte.view(), N);
    }

    void EcrireMesure(const TMesure& mesure)
    {
        out_.U8(mesure.Numerateur);
        out_.U8(mesure.Denominateur);
        out_.D(mesure.Duree);
        for (int t = 1; t <= kNbPistes; ++t) {
            out_.I32(NbTemps(mesure, t));
            out_.D(mesure.DureeReelle[t]);
        }
        out_.U8((mesure.RenvoiDebut ? 1 : 0) | (mesure.RenvoiFin ? 2 : 0) | (mesure.Repetition ? 4 : 0));
        if (mesure.RenvoiFin)
            out_.U8(mesure.NbRenvois);
        if (mesure.Repetition)
            out_.U8(mesure.NumRepetition);
        for (int t = 1; t <= kNbPistes; ++t)
            for (int b = 1; b <= NbTemps(mesure, t); ++b)
                EcrireTemps(mesure.Temps[t][b], Cordes(t));
    }

    static int NbTemps(const TMesure& mesure, int t) { return std::clamp(mesure.NbTemps[t], 0, kNbTempsFichierMax); }

    void EcrireTemps(const TTemps& temps, int nbCordes)
    {
        const bool avecAccord = temps.AvecAccord && temps.Accord;
        const bool avecTexte = !temps.Texte.empty();
        out_.I32(temps.Duree);
        out_.U8(temps.CodeDuree);
        out_.U8((avecTexte ? 1 : 0) | (avecAccord ? 2 : 0) | (temps.Effet > 0 ? 4 : 0) | (temps.Silence ? 8 : 0) |
                (temps.Pointee ? 16 : 0) | (temps.Triolet ? 32 : 0) | (temps.Lie ? 64 : 0));
        out_.U8((temps.Brush > 0 ? 1 : 0) | (temps.TableMix ? 2 : 0));
        if (temps.TableMix)
            EcrireTableMix(*temps.TableMix);
        if (temps.Brush > 0) {
            out_.U8(temps.Brush);
            out_.U8(temps.DureeBrush);
        }
        if (temps.Triolet)
            out_.U8(temps.PosTriolet);
        if (temps.Effet > 0) {
            out_.U8(temps.Effet);
            if (temps.Effet == 3)
                out_.D(temps.ValeurCoupVib);
        }
        if (avecAccord)
            EcrireAccord(*temps.Accord);
        if (avecTexte)
            out_.Compte(temps.Texte.view(), 40);
        if (!temps.Silence && !temps.Lie)
            EcrireNotes(temps, nbCordes);
    }

    void EcrireTableMix(const cTableMixEvent& mix)
    {
        const int masque = (mix.Instrument != -1 ? 1 : 0) | (mix.Volume != -1 ? 2 : 0) | (mix.Pan != -1 ? 4 : 0) |
                           (mix.Chorus != -1 ? 8 : 0) | (mix.Reverb != -1 ? 16 : 0) | (mix.Tempo != -1 ? 32 : 0);
        out_.U8(masque);
        if (masque & 32) {
            out_.I32(mix.Tempo);
            out_.U8(mix.TransTempo);
        }
        if (masque & 16) {
            out_.U8(mix.Reverb);
            out_.U8(mix.TransReverb);
        }
        if (masque & 8) {
            out_.U8(mix.Chorus);
            out_.U8(mix.TransChorus);
        }
        if (masque & 4) {
            out_.U8(mix.Pan);
            out_.U8(mix.TransPan);
        }
        if (masque & 2) {
            out_.U8(mix.Volume);
            out_.U8(mix.TransVolume);
        }
        if (masque & 1)
            out_.U8(mix.Instrument);
    }

    void EcrireNotes(const TTemps& temps, int n)
    {
        int frettes = 0, techniques = 0, graces = 0;
        for (int s = 1; s <= n; ++s) {
            const TNoteCorde& note = temps.Notes[s];
            const int bit = 1 << (n - s);
            if (note.Frette >= 0) {
                frettes |= bit;
                if (note.Effet > 0)
                    techniques |= bit;
            }
            if (note.FretteGrace >= 0)
                graces |= bit;
        }
        out_.U8(frettes);
        out_.U8(techniques);
        out_.U8(graces);
        for (int s = 1; s <= n; ++s) {
            const TNoteCorde& note = temps.Notes[s];
            const int bit = 1 << (n - s);
            if (frettes & bit) {
                out_.U8(note.Frette);
                out_.U8(note.Nuance);
                if (techniques & bit) {
                    out_.U8(note.Effet);
                    if (note.Effet == 5 || note.Effet == 6)
                        out_.D(note.ValeurBend);
                }
            }
            if (graces & bit) {
                out_.U8(note.FretteGrace);
                out_.U8(note.NuanceGrace);
                out_.U8(note.DureeGrace);
            }
        }
    }

    void EcrireAccord(const TAccord& accord)
    {
        out_.Compte(accord.Nom.view(), 20);
        out_.U8(accord.Diese ? 1 : 0);
        out_.I32(accord.Fondamentale);
        if (accord.Fondamentale < 12) {
            out_.I32(accord.Typ);
            out_.I32(accord.NeufOnzeTreize);
            out_.I32(accord.Basse);
            out_.I32(accord.DimAug);
            out_.I32(accord.Quinte);
            out_.I32(accord.Neuf);
            out_.I32(accord.Onze);
            int32_t degres = accord.Add ? 1 : 0;
            for (int k = 1; k <= 7; ++k)
                if (accord.Degres[k])
                    degres |= 1 << k;
            out_.I32(degres);
        }
        if (!accord.AvecDiagramme()) {
            out_.I32(0);
            return;
        }
        // The reader takes the six frets only after a base fret above 0: a diagram written
        // with base 0 would throw the rest of the file out of step.
        out_.I32(std::max(accord.FretteBase, 1));
        for (int s = 1; s <= 6; ++s)
            out_.I32(accord.Frettes[s]);
    }

    EcrivainOctets out_;
};

} // namespace

std::vector<uint8_t> ImageFichierPartition()
{
    std::vector<uint8_t> octets;
    octets.reserve(4096);
    EcrivainPartition(octets).Ecrire();
    return octets;
}

bool EcrireFichierPartition()
{
    platform::Sablier sablier;
    bool ok = false;
    try {
        ok = platform::ReplaceFile(CheminFichier, ImageFichierPartition(), kTailleMarque + 1);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    sablier.Terminer();
    if (!ok)
        AfficherErreur("MidiExp-EcritureFichierImpossibleEnregAb");
    return ok;
}
