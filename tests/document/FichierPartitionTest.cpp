#include "AideFichiersTest.h"

#include "document/Accord.h"
#include "document/FichierPartition.h"
#include "document/TableMix.h"
#include "platform/FichierIni.h"
#include "platform/FileReplacement.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <csignal>

using namespace essais_fichiers;

namespace {

// ---- A rich song, rebuilt the same way from its seed whenever the test needs it again ------

class Hasard {
public:
    explicit Hasard(uint32_t graine) : etat_(graine * 2654435761u + 12345u) {}
    uint32_t Suivant()
    {
        etat_ = etat_ * 1664525u + 1013904223u;
        return etat_ >> 8;
    }
    int Entre(int bas, int haut) { return bas + static_cast<int>(Suivant() % static_cast<uint32_t>(haut - bas + 1)); }
    bool Pile(int surCent = 50) { return Entre(1, 100) <= surCent; }
    std::string Texte(int maxi)
    {
        std::string s(static_cast<std::size_t>(Entre(0, maxi)), ' ');
        for (char& c : s)
            c = static_cast<char>(Entre(1, 255));
        return s;
    }

private:
    uint32_t etat_;
};

TAccord AccordAuHasard(Hasard& h)
{
    TAccord a;
    a.Nom = h.Texte(20);
    a.Diese = h.Pile();
    a.Fondamentale = h.Entre(0, 12);
    if (a.Fondamentale < 12) {
        a.Typ = h.Entre(0, 14);
        a.NeufOnzeTreize = h.Entre(0, 3);
        a.Basse = h.Entre(-1, 11);
        a.DimAug = h.Entre(0, 2);
        a.Quinte = h.Entre(0, 2);
        a.Neuf = h.Entre(0, 2);
        a.Onze = h.Entre(0, 2);
        a.Add = h.Pile();
        for (int k = 1; k <= 7; ++k)
            a.Degres[k] = h.Pile();
    }
    if (h.Pile(70)) {
        a.FretteBase = h.Entre(1, 20);
        for (int s = 1; s <= 6; ++s)
            a.Frettes[s] = h.Pile(20) ? -1 : (h.Pile(20) ? 0 : a.FretteBase + h.Entre(0, 4));
        const TAccord b = ChercherBarres(a.Frettes, a.FretteBase);
        a.NbBarres = b.NbBarres;
        for (int i = 1; i <= b.NbBarres; ++i) {
            a.BarreFrette[i] = b.BarreFrette[i];
            a.BarreCordeDebut[i] = b.BarreCordeDebut[i];
            a.BarreCordeFin[i] = b.BarreCordeFin[i];
        }
    }
    return a;
}

std::shared_ptr<const cTableMixEvent> MixAuHasard(Hasard& h)
{
    auto m = cTableMixEvent::Create();
    const auto valeur = [&](int8_t& v, int8_t* transition) {
        if (h.Pile()) {
            v = static_cast<int8_t>(h.Entre(0, 127));
            if (transition)
                *transition = static_cast<int8_t>(h.Entre(0, 8));
        }
    };
    valeur(m->Instrument, nullptr);
    valeur(m->Volume, &m->TransVolume);
    valeur(m->Pan, &m->TransPan);
    valeur(m->Chorus, &m->TransChorus);
    valeur(m->Reverb, &m->TransReverb);
    if (h.Pile()) {
        m->Tempo = h.Entre(1, 999);
        m->TransTempo = static_cast<int8_t>(h.Entre(0, 8));
    }
    return m;
}

void TempsAuHasard(Hasard& h, TTemps& temps, int piste, int nbCordes)
{
    temps = TTemps{};
    temps.CodeDuree = static_cast<int8_t>(h.Entre(-2, 4));
    temps.Pointee = h.Pile(20);
    temps.Triolet = h.Pile(20);
    temps.PosTriolet = temps.Triolet ? static_cast<int8_t>(h.Entre(1, 3)) : int8_t{0};
    temps.Duree = DureeEnTicks(temps.CodeDuree, temps.Pointee, temps.Triolet);
    temps.Silence = h.Pile(10);
    temps.Lie = !temps.Silence && h.Pile(10);
    if (h.Pile(30)) {
        temps.Effet = static_cast<int8_t>(h.Entre(1, 9));
        if (temps.Effet == 3)
            temps.ValeurCoupVib = 0.5 * h.Entre(1, 12);
    }
    if (h.Pile(20)) {
        temps.Brush = static_cast<int8_t>(h.Entre(1, 2));
        temps.DureeBrush = static_cast<uint8_t>(1 << h.Entre(0, 5));
    }
    if (h.Pile(15))
        temps.Texte = h.Texte(40);
    if (h.Pile(15)) {
        temps.AvecAccord = true;
        temps.Accord = std::make_shared<const TAccord>(AccordAuHasard(h));
    }
    if (h.Pile(10))
        temps.TableMix = MixAuHasard(h);
    if (temps.Silence || temps.Lie)
        return;
    const int fretteMax = piste == kPistePercussions ? 99 : 24;
    for (int s = 1; s <= nbCordes; ++s) {
        TNoteCorde& n = temps.Notes[s];
        if (h.Pile(60)) {
            n.Frette = static_cast<int8_t>(h.Pile(5) ? kNoteMorte : h.Entre(0, fretteMax));
            n.Nuance = static_cast<uint8_t>(h.Entre(1, 8));
            if (h.Pile(40)) {
                n.Effet = static_cast<uint8_t>(h.Entre(1, 7));
                if (n.Effet == 5 || n.Effet == 6)
                    n.ValeurBend = 0.25 * h.Entre(1, 12);
            }
        }
        if (h.Pile(10)) {
            n.FretteGrace = static_cast<int8_t>(h.Pile(10) ? kNoteMorte : h.Entre(0, fretteMax));
            n.NuanceGrace = static_cast<uint8_t>(h.Entre(1, 8));
            n.DureeGrace = static_cast<uint8_t>(h.Entre(1, 3));
        }
    }
}

// Measure m of the rich song; nbCordes are the string counts of its tracks.
std::unique_ptr<TMesure> MesureRiche(int m, const OneBased<int32_t, kNbPistes>& nbCordes)
{
    Hasard h(static_cast<uint32_t>(1000 + m));
    auto mesure = std::make_unique<TMesure>();
    mesure->Numerateur = static_cast<uint8_t>(h.Entre(1, 32));
    mesure->Denominateur = static_cast<uint8_t>(1 << h.Entre(0, 5));
    mesure->Duree = mesure->Numerateur * 4.0 / mesure->Denominateur;
    mesure->RenvoiDebut = h.Pile(10);
    mesure->RenvoiFin = h.Pile(10);
    mesure->NbRenvois = mesure->RenvoiFin ? static_cast<int8_t>(h.Entre(1, 99)) : int8_t{1};
    mesure->Repetition = h.Pile(10);
    mesure->NumRepetition = mesure->Repetition ? static_cast<int8_t>(h.Entre(1, 99)) : int8_t{1};
    for (int t = 1; t <= kNbPistes; ++t) {
        // The first measures hold the largest parts the file allows.
        const int nb = m == 1 ? 65 : (m == 2 ? 64 : h.Entre(0, 6));
        mesure->NbTemps[t] = nb;
        mesure->DureeReelle[t] = h.Entre(0, 200000) / 1000.0;
        for (int b = 1; b <= nb; ++b)
            TempsAuHasard(h, mesure->Temps[t][b], t, nbCordes[t]);
    }
    return mesure;
}

void RemplirPartitionRiche(int nbMesures)
{
    ReinitialiserPartition();
    Hasard h(7);
    Partition.Titre = h.Texte(100);
    Partition.Auteur = h.Texte(50);
    Partition.Commentaire = h.Texte(100);
    Partition.Tempo = h.Entre(1, 999);
    Partition.TripletFeel = 1;
    Partition.Armure = h.Entre(-7, 7);
    for (int t = 1; t <= kNbPistes; ++t) {
        Partition.NbCordes[t] = h.Entre(4, 6);
        for (int s = 1; s <= Partition.NbCordes[t]; ++s)
            Partition.Accordage[t][s] = h.Entre(0, 127);
        Partition.NbFrettes[t] = h.Entre(1, 99);
        Partition.Instrument[t] = h.Entre(0, 127);
        Partition.NomPiste[t] = h.Texte(40);
        Partition.Solo[t] = h.Pile();
        Partition.Muette[t] = h.Pile();
        Partition.PasExporter[t] = h.Pile();
        Partition.DouzeCordes[t] = h.Pile();
        Partition.Volume[t] = h.Entre(0, 127);
        Partition.Panoramique[t] = h.Entre(0, 127);
        Partition.Chorus[t] = h.Entre(0, 127);
        Partition.Reverb[t] = h.Entre(0, 127);
        Partition.Capo[t] = h.Entre(0, 12);
    }
    Partition.ModeSolo = true;
    Partition.PisteSolo = 3;
    Partition.NbMesures = nbMesures;
    for (int m = 1; m <= nbMesures; ++m)
        Partition.Mesures[m] = MesureRiche(m, Partition.NbCordes);
    NbAccordsPartition = kNbAccordsPartitionMax;
    for (int i = 1; i <= NbAccordsPartition; ++i)
        AccordsPartition[i] = std::make_unique<TAccord>(AccordAuHasard(h));
}

// Every field the file carries, compared; a beat's notes only where the file holds them.
void ComparerTemps(const TTemps& a, const TTemps& l, int nbCordes, const std::string& ou)
{
    EXPECT_EQ(l.Duree, a.Duree) << ou;
    EXPECT_EQ(l.CodeDuree, a.CodeDuree) << ou;
    EXPECT_EQ(l.Pointee, a.Pointee) << ou;
    EXPECT_EQ(l.Triolet, a.Triolet) << ou;
    EXPECT_EQ(l.PosTriolet, a.PosTriolet) << ou;
    EXPECT_EQ(l.Silence, a.Silence) << ou;
    EXPECT_EQ(l.Lie, a.Lie) << ou;
    EXPECT_EQ(l.Effet, a.Effet) << ou;
    EXPECT_EQ(l.ValeurCoupVib, a.ValeurCoupVib) << ou;
    EXPECT_EQ(l.Brush, a.Brush) << ou;
    if (a.Brush > 0) {
        EXPECT_EQ(l.DureeBrush, a.DureeBrush) << ou;
    }
    EXPECT_EQ(l.Texte, a.Texte) << ou;
    EXPECT_EQ(l.AvecAccord, a.AvecAccord) << ou;
    if (a.AvecAccord && l.AvecAccord) {
        ASSERT_TRUE(l.Accord) << ou;
        EXPECT_TRUE(*l.Accord == *a.Accord) << ou;
    }
    ASSERT_EQ(static_cast<bool>(l.TableMix), static_cast<bool>(a.TableMix)) << ou;
    if (a.TableMix) {
        EXPECT_TRUE(*l.TableMix == *a.TableMix) << ou;
    }
    for (int s = 1; s <= kNbCordesMax; ++s)
        EXPECT_TRUE(l.Notes[s] == (s <= nbCordes && !a.Silence && !a.Lie ? a.Notes[s] : TNoteCorde{}))
            << ou << " string " << s;
}

void ComparerMesure(const TMesure& a, const TMesure& l, const std::string& ou)
{
    EXPECT_EQ(l.Numerateur, a.Numerateur) << ou;
    EXPECT_EQ(l.Denominateur, a.Denominateur) << ou;
    EXPECT_EQ(l.Duree, a.Duree) << ou;
    EXPECT_EQ(l.RenvoiDebut, a.RenvoiDebut) << ou;
    EXPECT_EQ(l.RenvoiFin, a.RenvoiFin) << ou;
    EXPECT_EQ(l.NbRenvois, a.NbRenvois) << ou;
    EXPECT_EQ(l.Repetition, a.Repetition) << ou;
    EXPECT_EQ(l.NumRepetition, a.NumRepetition) << ou;
    for (int t = 1; t <= kNbPistes; ++t) {
        ASSERT_EQ(l.NbTemps[t], a.NbTemps[t]) << ou << " track " << t;
        EXPECT_EQ(l.DureeReelle[t], a.DureeReelle[t]) << ou << " track " << t;
        for (int b = 1; b <= a.NbTemps[t]; ++b)
            ComparerTemps(a.Temps[t][b], l.Temps[t][b], Partition.NbCordes[t],
                          ou + " track " + std::to_string(t) + " beat " + std::to_string(b));
        // The free slot after the last beat is an empty quarter.
        const TTemps& libre = l.Temps[t][l.NbTemps[t] + 1];
        EXPECT_EQ(libre.Duree, kTicksNoire) << ou;
        EXPECT_FALSE(libre.AvecAccord || libre.TableMix || libre.Silence) << ou;
    }
}

// The header fields of the song as one comparable value.
struct Entete {
    std::string Titre, Auteur, Commentaire;
    int32_t Tempo, TripletFeel, Armure, NbMesures, PisteSolo;
    bool ModeSolo;
    std::vector<int32_t> Pistes;
    std::vector<std::string> Noms;
    bool operator==(const Entete&) const = default;
};

Entete EnteteDe(const TPartition& p)
{
    Entete e{p.Titre.str(), p.Auteur.str(), p.Commentaire.str(), p.Tempo, p.TripletFeel, p.Armure,
             p.NbMesures, p.PisteSolo, p.ModeSolo, {}, {}};
    for (int t = 1; t <= kNbPistes; ++t) {
        e.Pistes.insert(e.Pistes.end(), {p.NbCordes[t], p.NbFrettes[t], p.Instrument[t], p.Solo[t], p.Muette[t],
                                         p.PasExporter[t], p.DouzeCordes[t], p.Volume[t], p.Panoramique[t],
                                         p.Chorus[t], p.Reverb[t], p.Capo[t]});
        for (int s = 1; s <= p.NbCordes[t]; ++s)
            e.Pistes.push_back(p.Accordage[t][s]);
        e.Noms.push_back(p.NomPiste[t].str());
    }
    return e;
}

// ---- Raw images --------------------------------------------------------------------------

void PoserI32(std::vector<uint8_t>& o, std::size_t pos, int32_t v)
{
    for (int i = 0; i < 4; ++i)
        o.at(pos + static_cast<std::size_t>(i)) = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
}

int32_t LireI32(const std::vector<uint8_t>& o, std::size_t pos)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | o.at(pos + static_cast<std::size_t>(i));
    return static_cast<int32_t>(v);
}

// The small song that the fixture generator builds as well (keep the two in step).
void RemplirPetitePartition()
{
    ReinitialiserPartition();
    Partition.Titre = "Petite";
    Partition.Auteur = "Moi";
    Partition.Tempo = 90;
    Partition.NomPiste[2] = "Basse";
    Partition.Instrument[2] = 33;
    Partition.NbCordes[2] = 4;
    Partition.Accordage[2] = {0, 43, 38, 33, 28, 0, 0};

    TMesure& m = *Partition.Mesures[1];
    m.Numerateur = 3;
    m.Denominateur = 4;
    m.Duree = 3.0;
    m.RenvoiFin = true;
    m.NbRenvois = 2;

    TAccord g;
    g.Nom = "G";
    g.Fondamentale = 7;
    g.Frettes = {0, 3, 0, 0, 0, 2, 3};
    auto accord = std::make_shared<const TAccord>(g);

    m.NbTemps[1] = 3;
    TTemps& t1 = m.Temps[1][1];
    t1 = TTemps{};
    t1.AvecAccord = true;
    t1.Accord = accord;
    t1.Texte = "Hi";
    t1.Notes[1].Frette = 3;
    t1.Notes[5].Frette = 2;
    t1.Notes[5].Nuance = 4;
    t1.Notes[5].Effet = 5;
    t1.Notes[5].ValeurBend = 1.5;
    t1.Notes[6].Frette = 3;
    t1.Notes[6].Nuance = 8;
    t1.Notes[6].FretteGrace = 5;
    t1.Notes[6].NuanceGrace = 6;
    t1.Notes[6].DureeGrace = 2;
    TTemps& t2 = m.Temps[1][2];
    t2 = TTemps{};
    t2.Silence = true;
    TTemps& t3 = m.Temps[1][3];
    t3 = TTemps{};
    auto mix = cTableMixEvent::Create();
    mix->Tempo = 100;
    mix->TransTempo = 1;
    mix->Volume = 80;
    t3.TableMix = mix;
    t3.Brush = 2;
    t3.DureeBrush = 8;
    for (int s = 1; s <= 6; ++s)
        t3.Notes[s].Frette = 0;
    m.DureeReelle[1] = 3.0;

    m.NbTemps[2] = 1;
    TTemps& basse = m.Temps[2][1];
    basse = TTemps{};
    basse.Duree = 1440;
    basse.CodeDuree = -1;
    basse.Pointee = true;
    basse.Notes[4].Frette = 3;
    basse.Notes[4].Effet = 1;
    m.DureeReelle[2] = 3.0;

    NbAccordsPartition = 2;
    AccordsPartition[1] = std::make_unique<TAccord>(g);
    AccordsPartition[2] = std::make_unique<TAccord>();
    AccordsPartition[2]->Nom = "X";
}

// The first count or code of the song in memory that lies outside the record's ranges.
std::string HorsLimites()
{
    if (Partition.NbMesures < 1 || Partition.NbMesures > kNbMesuresMax)
        return "NbMesures";
    if (NbAccordsPartition < 0 || NbAccordsPartition > kNbAccordsPartitionMax)
        return "NbAccordsPartition";
    if (Partition.Tempo < 1 || Partition.Tempo > 999)
        return "Tempo";
    for (int t = 1; t <= kNbPistes; ++t)
        if (Partition.NbCordes[t] < 1 || Partition.NbCordes[t] > 6 || Partition.Volume[t] < 0 || Partition.Volume[t] > 127 ||
            Partition.Instrument[t] < 0 || Partition.Instrument[t] > 127)
            return "track " + std::to_string(t);
    for (int m = 1; m <= Partition.NbMesures; ++m) {
        const TMesure& mes = *Partition.Mesures[m];
        if (mes.Denominateur == 0 || !(mes.Duree > 0))
            return "measure " + std::to_string(m);
        for (int t = 1; t <= kNbPistes; ++t) {
            if (mes.NbTemps[t] < 0 || mes.NbTemps[t] > 65)
                return "NbTemps";
            for (int b = 1; b <= mes.NbTemps[t]; ++b) {
                const TTemps& tp = mes.Temps[t][b];
                const auto ou = [&] { return "measure " + std::to_string(m) + " beat " + std::to_string(b); };
                if (tp.CodeDuree < -2 || tp.CodeDuree > 4 || tp.Duree <= 0 || tp.Effet < 0 || tp.Effet > 9)
                    return ou();
                if (tp.Brush > 0 && tp.DureeBrush == 0)
                    return ou() + " strum";
                if (tp.Triolet && (tp.PosTriolet < 1 || tp.PosTriolet > 3))
                    return ou() + " triplet";
                if (tp.TableMix && (tp.TableMix->Volume < -1 || tp.TableMix->Instrument < -1 || tp.TableMix->TransTempo > 8))
                    return ou() + " mix";
                for (int s = 1; s <= 6; ++s) {
                    const TNoteCorde& n = tp.Notes[s];
                    if (n.Frette > kNoteMorte || n.Effet > 7 || n.Nuance < 1 || n.Nuance > 8 ||
                        (n.FretteGrace >= 0 && (n.DureeGrace < 1 || n.DureeGrace > 3)))
                        return ou() + " string " + std::to_string(s);
                }
            }
        }
    }
    return "";
}

class FichierPartition : public EnvironnementFichiers {
protected:
    // Reads `octets` through a file the way Open does.
    bool LireOctetsCommeFichier(const std::vector<uint8_t>& octets)
    {
        const std::string chemin = Chemin("essai.lrx");
        EcrireOctets(chemin, octets);
        ReinitialiserPartition();
        CheminFichier = chemin;
        NomFichier = "essai.lrx";
        return LireFichierPartition();
    }

    std::string DernierMessage() const { return messages.Messages.empty() ? "" : messages.Messages.back().Texte; }
};

} // namespace

// ---- Writing -----------------------------------------------------------------------------

TEST_F(FichierPartition, NewSongIsTheKnownImageAndReadsBack)
{
    const std::vector<uint8_t> image = ImageFichierPartition();
    ASSERT_EQ(image.size(), 1216u);
    EXPECT_EQ(image, LireOctets(Donnees("nouvelle_v221.lrx")));
    EXPECT_EQ(image[31], 101);
    EXPECT_EQ(image[133], 51);
    EXPECT_EQ(image[185], 101);
    EXPECT_EQ(LireI32(image, 287), 120);
    EXPECT_EQ(LireI32(image, 523), 1); // NbMesures
    EXPECT_EQ(LireI32(image, 1212), 0); // NbAccordsPartition

    CheminFichier = Chemin("nouvelle.lrx");
    ASSERT_TRUE(EcrireFichierPartition());
    ReinitialiserPartition();
    CheminFichier = Chemin("nouvelle.lrx");
    ASSERT_TRUE(LireFichierPartition());
    EXPECT_EQ(ImageFichierPartition(), image);
    EXPECT_EQ(Partition.Instrument[8], 0);
    EXPECT_EQ(Partition.NbFrettes[8], 99);
    EXPECT_EQ(Partition.Accordage[8][1], 0);
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(FichierPartition, SmallSongIsWrittenByteForByte)
{
    RemplirPetitePartition();
    const std::vector<uint8_t> attendu = LireOctets(Donnees("petite_v221.lrx"));
    ASSERT_FALSE(attendu.empty());
    EXPECT_EQ(ImageFichierPartition(), attendu);

    // And reading the fixture gives the same song back.
    ASSERT_EQ(DecoderFichierPartition(attendu.data(), attendu.size()), ResultatLecture::Lue);
    EXPECT_EQ(ImageFichierPartition(), attendu);
    const TTemps& t1 = Partition.Mesures[1]->Temps[1][1];
    ASSERT_TRUE(t1.AvecAccord);
    EXPECT_EQ(t1.Accord->Nom, "G");
    EXPECT_EQ(t1.Notes[5].ValeurBend, 1.5);
    EXPECT_EQ(t1.Notes[6].FretteGrace, 5);
    EXPECT_EQ(Partition.Mesures[1]->Temps[1][3].TableMix->Volume, 80);
    EXPECT_EQ(Partition.Mesures[1]->Temps[1][3].TableMix->Pan, -1);
    EXPECT_EQ(Partition.Mesures[1]->Temps[2][1].Notes[4].Effet, 1);
}

TEST_F(FichierPartition, RichSongOfAThousandMeasuresSurvivesSaveAndOpen)
{
    RemplirPartitionRiche(kNbMesuresMax);
    const Entete entete = EnteteDe(Partition);
    std::vector<TAccord> accords;
    for (int i = 1; i <= NbAccordsPartition; ++i)
        accords.push_back(*AccordsPartition[i]);
    const std::vector<uint8_t> image = ImageFichierPartition();

    CheminFichier = Chemin("riche.lrx");
    ASSERT_TRUE(EcrireFichierPartition());
    ReinitialiserPartition();
    CheminFichier = Chemin("riche.lrx");
    NomFichier = "riche.lrx";
    ASSERT_TRUE(LireFichierPartition());
    EXPECT_TRUE(messages.Messages.empty());

    EXPECT_TRUE(EnteteDe(Partition) == entete);
    for (int m = 1; m <= kNbMesuresMax; ++m) {
        ASSERT_TRUE(Partition.Mesures[m]) << m;
        ComparerMesure(*MesureRiche(m, Partition.NbCordes), *Partition.Mesures[m], "measure " + std::to_string(m));
        if (HasFailure())
            break;
    }
    ASSERT_EQ(NbAccordsPartition, kNbAccordsPartitionMax);
    for (int i = 1; i <= kNbAccordsPartitionMax; ++i)
        EXPECT_TRUE(*AccordsPartition[i] == accords[static_cast<std::size_t>(i - 1)]) << "chord " << i;
    EXPECT_EQ(ImageFichierPartition(), image);
    EXPECT_EQ(NomFichier, "riche.lrx");
}

TEST_F(FichierPartition, ChordListReadsBackWithItsBarres)
{
    RemplirPetitePartition();
    AccordsPartition[2]->Frettes = {0, 1, 1, 2, 3, 3, 1};
    AccordsPartition[2]->FretteBase = 1;
    const std::vector<uint8_t> image = ImageFichierPartition();
    ReinitialiserPartition();
    ASSERT_EQ(DecoderFichierPartition(image.data(), image.size()), ResultatLecture::Lue);
    ASSERT_EQ(NbAccordsPartition, 2);
    const TAccord& f = *AccordsPartition[2];
    EXPECT_EQ(f.NbBarres, 1);
    EXPECT_EQ(f.BarreFrette[1], 1);
    EXPECT_EQ(f.BarreCordeFin[1], 6);
    EXPECT_EQ(AccordsPartition[1]->Fondamentale, 7);
}

TEST_F(FichierPartition, WriterKeepsTheFileReadable)
{
    RemplirPetitePartition();
    TMesure& m = *Partition.Mesures[1];
    // A diagram with base fret 0 (as a hand-edited chord library can give) would be written
    // without its frets being read back, and the rest of the file would be garbage.
    TAccord sansBase;
    sansBase.Nom = "Sans base";
    sansBase.FretteBase = 0;
    sansBase.Frettes = {0, 0, 2, 2, 1, 0, 0};
    m.Temps[1][1].Accord = std::make_shared<const TAccord>(sansBase);
    // A flagged chord without a record and an over-long part must not make an unreadable file.
    m.Temps[1][2].AvecAccord = true;
    m.Temps[1][2].Accord.reset();
    const std::vector<uint8_t> image = ImageFichierPartition();

    ReinitialiserPartition();
    ASSERT_EQ(DecoderFichierPartition(image.data(), image.size()), ResultatLecture::Lue);
    const TAccord& lu = *Partition.Mesures[1]->Temps[1][1].Accord;
    EXPECT_EQ(lu.FretteBase, 1);
    EXPECT_EQ(lu.Frettes[3], 2);
    EXPECT_FALSE(Partition.Mesures[1]->Temps[1][2].AvecAccord);
    EXPECT_EQ(Partition.Mesures[1]->Temps[1][3].TableMix->Tempo, 100);
    EXPECT_EQ(NbAccordsPartition, 2);
}

TEST_F(FichierPartition, ChordWithoutDiagramReadsBackAsBaseOneAndNoStrings)
{
    RemplirPetitePartition();
    TAccord sans;
    sans.Nom = "N.C.";
    sans.FretteBase = 7;
    Partition.Mesures[1]->Temps[1][1].Accord = std::make_shared<const TAccord>(sans);
    const std::vector<uint8_t> image = ImageFichierPartition();
    ReinitialiserPartition();
    ASSERT_EQ(DecoderFichierPartition(image.data(), image.size()), ResultatLecture::Lue);
    const TAccord& lu = *Partition.Mesures[1]->Temps[1][1].Accord;
    EXPECT_EQ(lu.FretteBase, 1);
    EXPECT_FALSE(lu.AvecDiagramme());
    EXPECT_EQ(lu.NbBarres, 0);
}

TEST_F(FichierPartition, LongTextsAreCutToTheirCapacity)
{
    // A chord name of 25 characters and a beat text of 50 in a 2.21 file.
    RemplirPetitePartition();
    std::vector<uint8_t> image = ImageFichierPartition();
    // Beat 1 of track 1 starts after the measure header; find its chord name "G" (length 1).
    const std::vector<uint8_t> nomG = {1, 'G', 1};
    auto it = std::search(image.begin(), image.end(), nomG.begin(), nomG.end());
    ASSERT_NE(it, image.end());
    const std::string long25(25, 'n');
    *it = 25;
    *(it + 1) = 'n';
    it = image.insert(it + 2, long25.begin() + 1, long25.end());
    const std::vector<uint8_t> texteHi = {2, 'H', 'i'};
    it = std::search(image.begin(), image.end(), texteHi.begin(), texteHi.end());
    ASSERT_NE(it, image.end());
    const std::string long50(50, 't');
    *it = 50;
    it = image.erase(it + 1, it + 3);
    image.insert(it, long50.begin(), long50.end());

    ReinitialiserPartition();
    ASSERT_EQ(DecoderFichierPartition(image.data(), image.size()), ResultatLecture::Lue);
    const TTemps& t1 = Partition.Mesures[1]->Temps[1][1];
    EXPECT_EQ(t1.Accord->Nom, std::string(20, 'n'));
    EXPECT_EQ(t1.Texte, std::string(40, 't'));
    EXPECT_EQ(Partition.Mesures[1]->Temps[1][3].Brush, 2);
}

// ---- Old versions ------------------------------------------------------------------------

TEST_F(FichierPartition, EveryVersionReadsAndSavesAsTheUpgradedImage)
{
    for (int version : {100, 101, 102, 103, 104, 220, 221}) {
        SCOPED_TRACE(version);
        const std::string nom = "partition_v" + std::to_string(version);
        ReinitialiserPartition();
        CheminFichier = Donnees(nom + ".lrx");
        ASSERT_TRUE(LireFichierPartition());
        EXPECT_EQ(ImageFichierPartition(), LireOctets(Donnees(nom + "_en221.lrx")));
    }
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(FichierPartition, Version1StoresTrackOneAtNinetySixTicks)
{
    CheminFichier = Donnees("partition_v100.lrx");
    ASSERT_TRUE(LireFichierPartition());
    const TMesure& m1 = *Partition.Mesures[1];
    EXPECT_EQ(Partition.TripletFeel, 0);
    EXPECT_EQ(Partition.Armure, 0);
    EXPECT_EQ(Partition.Instrument[1], 29);
    EXPECT_EQ(m1.Temps[1][1].Duree, 480);  // stored as 96
    EXPECT_EQ(m1.Temps[1][2].Duree, 160);  // triplet eighth, stored as 32
    EXPECT_EQ(m1.Temps[1][2].PosTriolet, 1);
    EXPECT_EQ(m1.Temps[1][1].Notes[1].Nuance, 6); // dynamics came with 2.20
    EXPECT_EQ(m1.Temps[1][1].Brush, 0);
    EXPECT_FALSE(m1.Temps[1][1].TableMix);
    // A chord was its name only.
    ASSERT_TRUE(m1.Temps[1][1].AvecAccord);
    EXPECT_EQ(m1.Temps[1][1].Accord->Nom, "Am");
    EXPECT_EQ(m1.Temps[1][1].Accord->Fondamentale, 12);
    EXPECT_FALSE(m1.Temps[1][1].Accord->AvecDiagramme());
    EXPECT_EQ(m1.Temps[1][1].Texte, "Intro \xe0 la main");
    EXPECT_EQ(m1.Temps[1][5].Accord->Nom, "Mon accord"); // cut to the old 10 characters
    for (int t = 2; t <= kNbPistes; ++t)
        EXPECT_EQ(m1.NbTemps[t], 0);
    EXPECT_EQ(Partition.NbPistesGuitare, 1);
    EXPECT_EQ(Partition.NbPistesBasse, 0);
    EXPECT_FALSE(Partition.AvecPercussions);
    EXPECT_EQ(NbAccordsPartition, 0);
}

TEST_F(FichierPartition, Version104HasChordTheoryButNoSecondFlagByte)
{
    CheminFichier = Donnees("partition_v104.lrx");
    ASSERT_TRUE(LireFichierPartition());
    const TMesure& m1 = *Partition.Mesures[1];
    EXPECT_EQ(Partition.TripletFeel, 1);
    EXPECT_EQ(Partition.Armure, -3);
    EXPECT_EQ(m1.Temps[1][1].Accord->Fondamentale, 9);
    EXPECT_FALSE(m1.Temps[1][1].Accord->Diese);
    EXPECT_EQ(m1.Temps[1][1].Accord->Frettes[3], 2);
    EXPECT_EQ(m1.Temps[1][2].Brush, 0);
    EXPECT_EQ(m1.Temps[8][1].Notes[1].Frette, 35);
    EXPECT_EQ(m1.Temps[8][16].Notes[1].Frette, 50);
    EXPECT_EQ(m1.Temps[8][16].Notes[1].Nuance, 6);
    EXPECT_EQ(NbAccordsPartition, 4);
}

TEST_F(FichierPartition, Version221CarriesEverything)
{
    CheminFichier = Donnees("partition_v221.lrx");
    ASSERT_TRUE(LireFichierPartition());
    const TMesure& m1 = *Partition.Mesures[1];
    EXPECT_EQ(Partition.Titre, "Caf\xe9 de la Gare: \"Blues\" en mi");
    EXPECT_TRUE(Partition.ModeSolo);
    EXPECT_EQ(Partition.PisteSolo, 1);
    EXPECT_TRUE(Partition.Solo[1]);
    EXPECT_TRUE(Partition.Muette[2]);
    EXPECT_TRUE(Partition.PasExporter[3]);
    EXPECT_TRUE(Partition.DouzeCordes[4]);
    EXPECT_EQ(Partition.NbCordes[2], 4);
    EXPECT_EQ(Partition.NbCordes[3], 5);
    const cTableMixEvent& mix = *m1.Temps[1][1].TableMix;
    EXPECT_EQ(mix.Instrument, 0);
    EXPECT_EQ(mix.Tempo, 140);
    EXPECT_EQ(mix.TransTempo, 8);
    EXPECT_EQ(mix.Reverb, 30);
    EXPECT_EQ(mix.TransReverb, 4);
    EXPECT_EQ(m1.Temps[1][1].ValeurCoupVib, 2.5);
    EXPECT_EQ(m1.Temps[1][2].TableMix->Volume, -1);
    EXPECT_EQ(m1.Temps[1][2].DureeBrush, 32);
    EXPECT_EQ(m1.Temps[1][2].Notes[2].ValeurBend, 0.25);
    EXPECT_EQ(m1.Temps[1][2].Notes[3].Frette, kNoteMorte);
    EXPECT_EQ(m1.Temps[1][2].Notes[5].DureeGrace, 3);
    EXPECT_EQ(m1.Temps[1][5].Notes[5].FretteGrace, kNoteMorte);
    EXPECT_TRUE(m1.Temps[1][3].Silence);
    EXPECT_TRUE(m1.Temps[1][4].Lie);
    EXPECT_EQ(m1.Temps[1][4].Notes[1].Frette, kPasDeNote);
    // The bass track's masks use bits 3..0.
    EXPECT_EQ(m1.Temps[2][1].Notes[2].Effet, 4);
    EXPECT_EQ(m1.Temps[2][1].Notes[4].Nuance, 7);
    EXPECT_EQ(Partition.Mesures[2]->NbRenvois, 3);
    EXPECT_EQ(Partition.Mesures[3]->NumRepetition, 2);
    EXPECT_EQ(Partition.Mesures[4]->NbTemps[5], 64);
    EXPECT_EQ(Partition.Mesures[5]->Duree, 0.125);
    // The barre of the F chord is computed, not stored.
    const TAccord& f = *Partition.Mesures[2]->Temps[1][5].Accord;
    EXPECT_EQ(f.NbBarres, 1);
    EXPECT_EQ(f.BarreCordeFin[1], 6);
    EXPECT_EQ(Partition.NbPistesGuitare, 5);
    EXPECT_EQ(Partition.NbPistesBasse, 2);
    EXPECT_TRUE(Partition.AvecPercussions);
}

TEST_F(FichierPartition, ReadingPutsTheEditorIntoAFreshState)
{
    PisteCourante = 5;
    Partition.MesureCourante = 1;
    Curseur.Temps = 9;
    Curseur.Corde = 4;
    CheminFichier = Donnees("partition_v221.lrx");
    fenetre.Journal.clear();
    ASSERT_TRUE(LireFichierPartition());
    EXPECT_EQ(PisteCourante, 1);
    EXPECT_EQ(Curseur.Temps, 1);
    EXPECT_EQ(Curseur.Corde, 1);
    EXPECT_EQ(CopieMesureEntree.NbTemps[1], Partition.Mesures[1]->NbTemps[1]);
    EXPECT_EQ(CopieMesureEntree.Temps[1][1].Accord, Partition.Mesures[1]->Temps[1][1].Accord);
    EXPECT_EQ(fenetre.Journal, (std::vector<std::string>{"Sablier", "RafraichirLue", "CurseurNormal"}));
}

// ---- Refused files -----------------------------------------------------------------------

TEST_F(FichierPartition, MissingFileGivesAccessErrorAndAnUnmodifiedNewSong)
{
    for (const std::string& chemin : {Chemin("absent.lrx"), dossier.string()}) {
        SCOPED_TRACE(chemin);
        messages.Messages.clear();
        fenetre.Journal.clear();
        ReinitialiserPartition();
        Partition.Titre = "Ancienne";
        CheminFichier = chemin;
        NomFichier = "absent.lrx";
        EXPECT_FALSE(LireFichierPartition());
        ASSERT_EQ(messages.Messages.size(), 1u);
        EXPECT_EQ(messages.Messages[0].Legende, "Erreur");
        EXPECT_EQ(messages.Messages[0].Texte, "AccesImpossible");
        EXPECT_EQ(messages.Messages[0].Icone, IconeErreur);
        AttendreNouvellePartition();
        EXPECT_FALSE(PartitionModifiee);
        EXPECT_EQ(fenetre.Legende, "Lyrandaxis 2.2 - SansNom");
        EXPECT_EQ(fenetre.Compte("RafraichirNouvelle"), 1);
        EXPECT_FALSE(platform::SablierAffiche());
    }
}

TEST_F(FichierPartition, UnknownMarksAreRefused)
{
    const std::vector<uint8_t> base = LireOctets(Donnees("petite_v221.lrx"));
    struct Cas {
        std::string marque;
        const char* message;
    };
    const Cas cas[] = {
        {"FICHIER LYRANDAXISE v1.05", "VersionAncienne"},
        {"FICHIER LYRANDAXISE v0.9", "VersionAncienne"},
        {"FICHIER LYRANDAXISE", "VersionAncienne"},
        {"FICHIER LYRANDAXIS v2.22", "Incorrect"},
        {"FICHIER LYRANDAXIS v2.2", "Incorrect"},
        {"fichier lyrandaxis v2.21", "Incorrect"},
        {"", "Incorrect"},
        {"MThd", "Incorrect"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.marque);
        std::vector<uint8_t> image = base;
        for (std::size_t i = 0; i <= 30; ++i)
            image.at(i) = 0;
        image[0] = static_cast<uint8_t>(c.marque.size());
        std::copy(c.marque.begin(), c.marque.end(), image.begin() + 1);
        messages.Messages.clear();
        EXPECT_FALSE(LireOctetsCommeFichier(image));
        ASSERT_EQ(messages.Messages.size(), 1u);
        EXPECT_EQ(messages.Messages[0].Texte, c.message);
        AttendreNouvellePartition();
        // The blank new song stays "modified", so Save is offered; no question is asked for it.
        EXPECT_TRUE(PartitionModifiee);
        EXPECT_TRUE(PartitionVierge);
    }
    // A length byte beyond the mark's capacity.
    std::vector<uint8_t> image = base;
    image[0] = 200;
    EXPECT_FALSE(LireOctetsCommeFichier(image));
    EXPECT_EQ(DernierMessage(), "Incorrect");
}

TEST_F(FichierPartition, FilesBreakingALimitAreRefused)
{
    // Offsets in the image of a song with one triplet beat on track 1 (NbMesures at 523, the
    // track names' count bytes at 535 + 71 (t - 1), the measure at 1105, its first beat at 1212).
    ReinitialiserPartition();
    TMesure& m = *Partition.Mesures[1];
    m.NbTemps[1] = 1;
    m.Temps[1][1] = TTemps{};
    m.Temps[1][1].Triolet = true;
    m.Temps[1][1].PosTriolet = 2;
    m.Temps[1][1].Silence = true;
    const std::vector<uint8_t> base = ImageFichierPartition();
    ASSERT_EQ(base[1219], 2); // the triplet position
    ASSERT_EQ(LireI32(base, 1115), 1);

    struct Cas {
        const char* nom;
        std::size_t position;
        int32_t valeur;
        bool entier;
    };
    const Cas cas[] = {
        {"no measure", 523, 0, true},
        {"1001 measures", 523, 1001, true},
        {"negative measure count", 523, -5, true},
        {"huge measure count", 523, 0x7fffffff, true},
        {"no string", 299, 0, true},
        {"seven strings", 299, 7, true},
        {"negative strings", 299 + 28, -1, true},
        {"66 beats", 1115, 66, true},
        {"negative beats", 1115 + 12, -1, true},
        {"51 chords", 1220, 51, true},
        {"negative chords", 1220, -1, true},
        {"title count byte", 31, 102, false},
        {"author count byte", 133, 52, false},
        {"comment count byte", 185, 255, false},
        {"track name count byte", 535 + 71 * 3, 42, false},
        {"title length", 32, 101, false},
        {"author length", 134, 51, false},
        {"track name length", 536, 41, false},
        {"solo text length", 1095, 6, false},
        {"triplet position 0", 1219, 0, false},
        {"triplet position 4", 1219, 4, false},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        std::vector<uint8_t> image = base;
        if (c.entier)
            PoserI32(image, c.position, c.valeur);
        else
            image.at(c.position) = static_cast<uint8_t>(c.valeur);
        messages.Messages.clear();
        EXPECT_FALSE(LireOctetsCommeFichier(image));
        ASSERT_EQ(messages.Messages.size(), 1u);
        EXPECT_EQ(messages.Messages[0].Texte, "Incorrect");
        AttendreNouvellePartition();
    }
}

TEST_F(FichierPartition, SmallerHeaderCountsReadThatMuch)
{
    // The count byte tells how much of the text image follows; a smaller one is honoured.
    RemplirPetitePartition();
    std::vector<uint8_t> image = ImageFichierPartition();
    // Title "Petite" (length 6): keep only the length byte and 3 characters of its image.
    image[31] = 4;
    image.erase(image.begin() + 36, image.begin() + 133);
    ReinitialiserPartition();
    ASSERT_EQ(DecoderFichierPartition(image.data(), image.size()), ResultatLecture::Lue);
    EXPECT_EQ(Partition.Titre, "Pet");
    EXPECT_EQ(Partition.Auteur, "Moi");
}

TEST_F(FichierPartition, FileCutShortAtAnyByteIsRefused)
{
    const std::vector<uint8_t> entier = LireOctets(Donnees("petite_v221.lrx"));
    for (std::size_t taille = 0; taille < entier.size(); ++taille) {
        SCOPED_TRACE(taille);
        messages.Messages.clear();
        EXPECT_FALSE(LireOctetsCommeFichier({entier.begin(), entier.begin() + static_cast<long>(taille)}));
        ASSERT_EQ(messages.Messages.size(), 1u);
        EXPECT_EQ(messages.Messages[0].Texte, "Incorrect");
        EXPECT_TRUE(NomFichier.empty());
        EXPECT_EQ(Partition.NbMesures, 1);
        EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 0);
        if (HasFailure())
            break;
    }
    // Old versions end after their last measure; cut anywhere before, they are refused too.
    const std::vector<uint8_t> ancien = LireOctets(Donnees("partition_v102.lrx"));
    for (std::size_t taille = 0; taille < ancien.size(); taille += 7) {
        ReinitialiserPartition();
        EXPECT_EQ(DecoderFichierPartition(ancien.data(), taille), ResultatLecture::Incorrecte) << taille;
    }
}

TEST_F(FichierPartition, TrailingBytesAreIgnored)
{
    std::vector<uint8_t> image = LireOctets(Donnees("petite_v221.lrx"));
    const std::vector<uint8_t> attendu = image;
    image.insert(image.end(), 5000, uint8_t{0xEE});
    EXPECT_TRUE(LireOctetsCommeFichier(image));
    EXPECT_EQ(ImageFichierPartition(), attendu);
    EXPECT_EQ(NomFichier, "essai.lrx");
}

TEST_F(FichierPartition, OutOfRangeValuesComeBackInRange)
{
    // Values no editor produces, which playback would divide by, index with or send as MIDI
    // data bytes.
    RemplirPetitePartition();
    Partition.Tempo = 0;
    Partition.Armure = 12;
    Partition.Volume[1] = 300;
    Partition.Capo[1] = -4;
    Partition.Accordage[1][1] = 200;
    Partition.Instrument[1] = -1;
    TMesure& m = *Partition.Mesures[1];
    m.Denominateur = 3;
    TTemps& t1 = m.Temps[1][1];
    t1.CodeDuree = 9;
    t1.Duree = -7;
    t1.Effet = 42;
    t1.Notes[1].Nuance = 0;
    t1.Notes[5].Effet = 9;
    t1.Notes[6].DureeGrace = 0;
    t1.Notes[6].NuanceGrace = 12;
    TTemps& t3 = m.Temps[1][3];
    t3.DureeBrush = 0;
    t3.Brush = 7;
    auto mix = std::make_shared<cTableMixEvent>(*t3.TableMix);
    mix->Tempo = -20;
    mix->Volume = static_cast<int8_t>(-56); // 200 as a byte
    mix->TransTempo = 40;
    t3.TableMix = mix;
    t3.Notes[2].Frette = 120;
    const std::vector<uint8_t> image = ImageFichierPartition();

    ReinitialiserPartition();
    ASSERT_EQ(DecoderFichierPartition(image.data(), image.size()), ResultatLecture::Lue);
    const TMesure& l = *Partition.Mesures[1];
    EXPECT_EQ(Partition.Tempo, 1);
    EXPECT_EQ(Partition.Armure, 7);
    EXPECT_EQ(Partition.Volume[1], 127);
    EXPECT_EQ(Partition.Capo[1], 0);
    EXPECT_EQ(Partition.Accordage[1][1], 127);
    EXPECT_EQ(Partition.Instrument[1], 0);
    EXPECT_EQ(l.Numerateur, 4);
    EXPECT_EQ(l.Denominateur, 4);
    EXPECT_EQ(l.Temps[1][1].CodeDuree, 0);
    EXPECT_EQ(l.Temps[1][1].Duree, 480);
    EXPECT_EQ(l.Temps[1][1].Effet, 0);
    EXPECT_EQ(l.Temps[1][1].Notes[1].Nuance, 6);
    EXPECT_EQ(l.Temps[1][1].Notes[5].Effet, 0);
    EXPECT_EQ(l.Temps[1][1].Notes[6].DureeGrace, 1);
    EXPECT_EQ(l.Temps[1][1].Notes[6].NuanceGrace, 6);
    EXPECT_EQ(l.Temps[1][3].DureeBrush, 4);
    EXPECT_EQ(l.Temps[1][3].Brush, 0);
    EXPECT_EQ(l.Temps[1][3].TableMix->Tempo, 1);
    EXPECT_EQ(l.Temps[1][3].TableMix->TransTempo, 8);
    EXPECT_EQ(l.Temps[1][3].TableMix->Volume, -1);
    EXPECT_EQ(l.Temps[1][3].Notes[2].Frette, kNoteMorte);
    // The rest of the file is still in step.
    EXPECT_EQ(l.Temps[2][1].Duree, 1440);
    EXPECT_EQ(NbAccordsPartition, 2);
}

TEST_F(FichierPartition, DamagedFilesNeverCrashAndStayInRange)
{
    // Random damage to a rich file: each read either fails cleanly or gives a song whose
    // counts and codes are all inside the record's ranges.
    RemplirPartitionRiche(3);
    const std::vector<uint8_t> base = ImageFichierPartition();
    Hasard h(99);
    const auto debut = std::chrono::steady_clock::now();
    int lus = 0;
    for (int essai = 0; essai < 800; ++essai) {
        std::vector<uint8_t> image = base;
        const int changements = h.Entre(1, 6);
        for (int k = 0; k < changements; ++k)
            image[static_cast<std::size_t>(h.Entre(0, static_cast<int>(image.size()) - 1))] =
                static_cast<uint8_t>(h.Entre(0, 255));
        if (h.Pile(20))
            image.resize(static_cast<std::size_t>(h.Entre(0, static_cast<int>(image.size()))));
        ReinitialiserPartition();
        if (DecoderFichierPartition(image.data(), image.size()) != ResultatLecture::Lue)
            continue;
        ++lus;
        ASSERT_EQ(HorsLimites(), "") << "trial " << essai;
    }
    EXPECT_GT(lus, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(60));
}

// ---- Saving never destroys the old file --------------------------------------------------

TEST_F(FichierPartition, FailedSaveKeepsTheOldFile)
{
    const std::string chemin = Chemin("garde.lrx");
    RemplirPetitePartition();
    CheminFichier = chemin;
    ASSERT_TRUE(EcrireFichierPartition());
    const std::vector<uint8_t> ancien = LireOctets(chemin);

    // The disk fills up half-way through the new file.
    RemplirPartitionRiche(40);
    CheminFichier = chemin;
    rlimit limite{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limite), 0);
    const auto ancienSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit petite = limite;
    petite.rlim_cur = 2000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &petite), 0);
    const bool ok = EcrireFichierPartition();
    ::setrlimit(RLIMIT_FSIZE, &limite);
    std::signal(SIGXFSZ, ancienSignal);

    EXPECT_FALSE(ok);
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Legende, "Erreur");
    EXPECT_EQ(messages.Messages[0].Texte, "EcritureImpossible");
    EXPECT_EQ(LireOctets(chemin), ancien);
    // No temporary file is left behind.
    int fichiers = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dossier))
        ++fichiers;
    EXPECT_EQ(fichiers, 1);
    EXPECT_FALSE(platform::SablierAffiche());
}

TEST_F(FichierPartition, SaveToAnImpossiblePlaceFails)
{
    RemplirPetitePartition();
    std::filesystem::create_directory(dossier / "dossier.lrx");
    for (const std::string& chemin : {Chemin("absent/chanson.lrx"), Chemin("dossier.lrx")}) {
        SCOPED_TRACE(chemin);
        messages.Messages.clear();
        CheminFichier = chemin;
        EXPECT_FALSE(EcrireFichierPartition());
        ASSERT_EQ(messages.Messages.size(), 1u);
        EXPECT_EQ(messages.Messages[0].Texte, "EcritureImpossible");
    }
    EXPECT_TRUE(std::filesystem::is_directory(dossier / "dossier.lrx"));
}

TEST_F(FichierPartition, SaveReplacesInPlaceKeepingModeAndLinks)
{
    const std::string chemin = Chemin("cible.lrx");
    EcrireOctets(chemin, {1, 2, 3});
    ::chmod(chemin.c_str(), 0640);
    std::filesystem::create_symlink(chemin, dossier / "lien.lrx");

    RemplirPetitePartition();
    CheminFichier = Chemin("lien.lrx");
    ASSERT_TRUE(EcrireFichierPartition());
    EXPECT_TRUE(std::filesystem::is_symlink(dossier / "lien.lrx"));
    EXPECT_EQ(LireOctets(chemin), ImageFichierPartition());
    struct stat etat {};
    ASSERT_EQ(::stat(chemin.c_str(), &etat), 0);
    EXPECT_EQ(etat.st_mode & 0777, 0640u);
}

// The two writers of files the user keeps (songs, settings) over the places a user's file can
// be: each writes where the user expects it, or says it cannot, and never loses what was there
// nor leaves its temporary file behind. Read-only holds for root too, as these tests run.
TEST_F(FichierPartition, UsersFilesAreWrittenThroughTheirLinksOrRefusedWhole)
{
    namespace fs = std::filesystem;
    RemplirPetitePartition();
    const std::vector<uint8_t> image = ImageFichierPartition();
    struct Ecrivain {
        const char* nom;
        std::string ancien;
        // True when written; false when refused, after saying so (checked here).
        std::function<bool(const fs::path&)> ecrire;
        // What the file holds once written over `ancien` (empty when it was not there).
        std::function<std::string(const std::string&)> attendu;
    };
    const Ecrivain ecrivains[] = {
        {"song", "ancienne chanson",
         [this](const fs::path& chemin) {
             messages.Messages.clear();
             CheminFichier = chemin.string();
             const bool ok = EcrireFichierPartition();
             EXPECT_EQ(messages.Messages.size(), ok ? 0u : 1u);
             if (!ok && !messages.Messages.empty()) {
                 EXPECT_EQ(messages.Messages[0].Texte, "EcritureImpossible");
             }
             return ok;
         },
         [](const std::string&) { return std::string("(the song's image)"); }},
        {"ini", "[Old]\nA=1\n",
         [](const fs::path& chemin) {
             platform::FichierIni ini(chemin.string());
             try {
                 ini.WriteString("S", "K", "1");
                 return true;
             } catch (const platform::ErreurEcritureIni& e) {
                 EXPECT_EQ(e.Chemin(), chemin.string()); // the name the user knows
                 return false;
             }
         },
         [](const std::string& ancien) { return ancien + "[S]\nK=1\n"; }},
    };

    // Each case lays out its folder from the old contents and gives the path to write to and
    // the file that must then hold the new contents, none when the write must be refused.
    struct Lieux {
        fs::path chemin, ecrit;
    };
    const auto fichier = [](const fs::path& f, const std::string& contenu, fs::perms mode) {
        std::ofstream(f, std::ios::binary) << contenu;
        fs::permissions(f, mode);
    };
    constexpr fs::perms rw = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    constexpr fs::perms ro = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const struct {
        const char* nom;
        std::function<Lieux(const fs::path&, const std::string&)> preparer;
    } cas[] = {
        {"plain file",
         [&](const fs::path& d, const std::string& ancien) {
             fichier(d / "f", ancien, rw);
             return Lieux{d / "f", d / "f"};
         }},
        {"read-only file",
         [&](const fs::path& d, const std::string& ancien) {
             fichier(d / "f", ancien, ro);
             return Lieux{d / "f", {}};
         }},
        {"chain of links, relative then absolute",
         [&](const fs::path& d, const std::string& ancien) {
             fs::create_directory(d / "reel");
             fichier(d / "reel" / "f", ancien, rw);
             fs::create_symlink(d / "reel" / "f", d / "milieu");
             fs::create_symlink("milieu", d / "lien");
             return Lieux{d / "lien", d / "reel" / "f"};
         }},
        {"link to a read-only file",
         [&](const fs::path& d, const std::string& ancien) {
             fichier(d / "f", ancien, ro);
             fs::create_symlink("f", d / "lien");
             return Lieux{d / "lien", {}};
         }},
        {"dangling link",
         [&](const fs::path& d, const std::string&) {
             fs::create_directory(d / "reel");
             fs::create_symlink("reel/f", d / "lien");
             return Lieux{d / "lien", d / "reel" / "f"};
         }},
        {"link into a missing folder",
         [&](const fs::path& d, const std::string&) {
             fs::create_symlink("absent/f", d / "lien");
             return Lieux{d / "lien", {}};
         }},
        {"links in a loop",
         [&](const fs::path& d, const std::string&) {
             fs::create_symlink("b", d / "a");
             fs::create_symlink("a", d / "b");
             return Lieux{d / "a", {}};
         }},
        {"directory",
         [&](const fs::path& d, const std::string& ancien) {
             fs::create_directory(d / "f");
             fichier(d / "f" / "garde", ancien, rw);
             return Lieux{d / "f", {}};
         }},
    };

    // Every name under `d` with what it is (a link's target, a folder, a file's mode) and a
    // file's contents: temporary files left over show here too.
    using Inventaire = std::map<std::string, std::pair<std::string, std::string>>;
    const std::string imageTexte(image.begin(), image.end());
    const std::function<void(const fs::path&, const fs::path&, Inventaire&)> inventorier =
        [&](const fs::path& racine, const fs::path& d, Inventaire& vus) {
            for (const fs::directory_entry& e : fs::directory_iterator(d)) {
                auto& [quoi, contenu] = vus[e.path().lexically_relative(racine).string()];
                const fs::file_status etat = fs::symlink_status(e.path());
                if (fs::is_symlink(etat)) {
                    quoi = "-> " + fs::read_symlink(e.path()).string();
                } else if (fs::is_directory(etat)) {
                    quoi = "folder";
                    inventorier(racine, e.path(), vus);
                } else {
                    quoi = std::to_string(static_cast<int>(etat.permissions()));
                    const std::vector<uint8_t> octets = LireOctets(e.path().string());
                    contenu.assign(octets.begin(), octets.end());
                    if (contenu == imageTexte)
                        contenu = "(the song's image)";
                }
            }
        };
    const auto inventaire = [&](const fs::path& d) {
        Inventaire vus;
        inventorier(d, d, vus);
        return vus;
    };

    int n = 0;
    for (const Ecrivain& ecrivain : ecrivains) {
        for (const auto& c : cas) {
            SCOPED_TRACE(std::string(ecrivain.nom) + ", " + c.nom);
            const fs::path d = dossier / std::to_string(++n);
            fs::create_directory(d);
            const Lieux lieux = c.preparer(d, ecrivain.ancien);
            auto attendus = inventaire(d);
            EXPECT_EQ(ecrivain.ecrire(lieux.chemin), !lieux.ecrit.empty());
            const auto apres = inventaire(d);
            if (!lieux.ecrit.empty()) {
                // A file written over keeps its mode; a new one gets the writer's.
                const std::string nom = lieux.ecrit.lexically_relative(d).string();
                const bool existait = attendus.count(nom) > 0;
                const std::string mode = existait ? attendus[nom].first : apres.count(nom) ? apres.at(nom).first : "";
                attendus[nom] = {mode, ecrivain.attendu(existait ? ecrivain.ancien : "")};
            }
            EXPECT_EQ(apres, attendus);
        }
    }
}

// Another copy of the program saving the same song between the making of this save's
// temporary file and its locking finds it empty and unlocked, a leftover to its eyes, and
// removes it: this save goes on with a new one instead of failing at the rename.
TEST_F(FichierPartition, ASaveWhoseTemporaryFileIsTakenForALeftoverGoesOnWithAnother)
{
    const std::string chemin = Chemin("chanson.lrx");
    RemplirPetitePartition();
    CheminFichier = chemin;
    const std::vector<uint8_t> image = ImageFichierPartition();
    std::vector<std::string> temporaires;
    platform::ReplacementSeams coutures;
    coutures.Lock = [&](const std::string& nom, int fd, bool attendre) {
        if (attendre) {
            temporaires.push_back(nom);
            if (temporaires.size() == 1) {
                Partition.Titre = "Une autre copie";
                EXPECT_TRUE(EcrireFichierPartition());
                EXPECT_FALSE(std::filesystem::exists(nom)); // the other save's cleaner took it
            }
        }
        return ::flock(fd, LOCK_EX | (attendre ? 0 : LOCK_NB)) == 0 ? 0 : errno;
    };
    const platform::ReplacementSeams avant = platform::InstallReplacementSeams(coutures);
    const bool ok = EcrireFichierPartition();
    platform::InstallReplacementSeams(avant);

    EXPECT_TRUE(ok);
    EXPECT_TRUE(messages.Messages.empty());
    EXPECT_EQ(temporaires.size(), 3u); // this save's, the other's, this save's second
    EXPECT_EQ(LireOctets(chemin), image);
    std::vector<std::string> noms;
    for (const auto& e : std::filesystem::directory_iterator(dossier))
        noms.push_back(e.path().filename().string());
    EXPECT_EQ(noms, std::vector<std::string>{"chanson.lrx"});
}

TEST_F(FichierPartition, ErrorBoxesShowWithTheNormalCursor)
{
    std::vector<bool> occupe;
    const AfficheurMessages precedent = InstallerAfficheurMessages([&](const MessageAffiche& m) {
        occupe.push_back(platform::SablierAffiche());
        return ResultatBouton(m.BoutonDefaut);
    });
    CheminFichier = Chemin("absent.lrx");
    EXPECT_FALSE(LireFichierPartition());
    EXPECT_FALSE(LireOctetsCommeFichier({1, 2, 3}));
    CheminFichier = Chemin("absent/x.lrx");
    EXPECT_FALSE(EcrireFichierPartition());
    InstallerAfficheurMessages(precedent);
    EXPECT_EQ(occupe, (std::vector<bool>{false, false, false}));
    EXPECT_FALSE(platform::SablierAffiche());
}
