#include "midi/ConstructionTemps.h"

#include "document/Fenetre.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "midi/EvtImport.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

constexpr double kSoixanteQuatrieme = 0.0625;

// Triplet members: length in quarters, duration code.
struct ValeurTriolet {
    double Longueur;
    int8_t Code;
};
constexpr std::array<ValeurTriolet, 4> kTriolets{{{4.0 / 3.0, -1}, {2.0 / 3.0, 0}, {1.0 / 3.0, 1}, {1.0 / 6.0, 2}}};

int32_t NbCordesPiste(int32_t t) { return std::clamp(Partition.NbCordes[t], 1, kNbCordesMax); }

TMesure& Bloc(int32_t m) { return *Partition.Mesures[m]; }

// The next entry after k with a length above 0 (the end of the next group), 0 when none.
int32_t FinGroupeSuivant(int32_t k)
{
    for (int32_t j = k + 1; j <= NbEvtImport; ++j)
        if (EvtImport[j].Duree > 0.0)
            return j;
    return 0;
}

// State of one run of the builder, all lengths in quarter notes.
class Constructeur {
public:
    explicit Constructeur(int32_t piste) : t_(piste), nbCordes_(NbCordesPiste(piste)) {}

    TResultatConstruction Construire();

private:
    void PlacerDureeEvt(int32_t k);
    void CreerTempsDuree(int32_t k);
    bool CreerTriolet(int32_t k, double p);
    // Writes one piece as beat b of measure m, or leaves it out when the track part is full.
    void EcrireMorceau(int32_t k, double valeur, bool marque, int8_t code, bool pointee, bool triolet,
                       int8_t posTriolet);

    int32_t t_;
    int32_t nbCordes_;
    int32_t m_ = 1;
    int32_t b_ = 1;
    double positionEvt_ = 0.0;
    double totalPlace_ = 0.0;
    double posMesure_ = 0.0;
    double reste_ = 0.0;
    bool premierMorceau_ = true;
    bool evtEstNote_ = false;
    // Notes of the group being placed: the pitches it keeps, and how many it dropped for
    // lack of strings.
    int32_t NotesGroupe() const;
    OneBased<int32_t, kNbCordesMax> hauteurs_{};
    int32_t nbHauteurs_ = 0;
    int32_t debordes_ = 0;
    TResultatConstruction r_;
};

int32_t Constructeur::NotesGroupe() const
{
    int32_t notes = debordes_;
    for (int32_t i = 1; i <= nbHauteurs_; ++i)
        if (hauteurs_[i] >= 0)
            ++notes;
    return notes;
}

TResultatConstruction Constructeur::Construire()
{
    // Measures for the whole list, with the signature of the last one.
    double total = 0.0;
    for (int32_t m = 1; m <= Partition.NbMesures; ++m)
        total += Bloc(m).Duree;
    while (total < DureeTotaleImport) {
        const TMesure& dernier = Bloc(Partition.NbMesures);
        if (!AjouterMesureImport(dernier.Numerateur, dernier.Denominateur, dernier.Duree)) {
            r_.Tronque = true;
            break;
        }
        total += Bloc(Partition.NbMesures).Duree;
    }
    // The list ends exactly at the end of the last measure.
    if (DureeTotaleImport < total && NbEvtImport > 0) {
        TEvtImport& dernier = EvtImport[NbEvtImport];
        if (dernier.Hauteur == HauteurSilence)
            dernier.Duree += total - DureeTotaleImport;
        else if (NbEvtImport < kNbEvtImportMax) {
            if (static_cast<int32_t>(EvtImport.size()) <= NbEvtImport + 1)
                EvtImport.resize(static_cast<std::size_t>(NbEvtImport) + 2);
            EvtImport[++NbEvtImport] = TEvtImport{HauteurSilence, total - DureeTotaleImport};
        }
        DureeTotaleImport = total;
    }

    for (int32_t m = 1; m <= Partition.NbMesures; ++m)
        Bloc(m).NbTemps[t_] = 0;
    r_.PremierMorceau.assign(static_cast<std::size_t>(std::max(NbEvtImport, 0)) + 1, {0, 0});

    int32_t k = 0;
    while (k < NbEvtImport && m_ <= Partition.NbMesures) {
        int32_t s = 0;
        debordes_ = 0;
        do {
            ++k;
            const TEvtImport& e = EvtImport[k];
            if (e.Hauteur == HauteurSilence && e.Duree <= 0.0)
                continue;
            if (s < nbCordes_)
                ++s;
            else if (hauteurs_[s] >= 0 && hauteurs_[s] != e.Hauteur)
                ++debordes_;
            // At the limit the last slot is overwritten: a chord keeps its first pitches and
            // its last one.
            hauteurs_[s] = e.Hauteur;
            for (int32_t i = 1; i < s; ++i)
                if (hauteurs_[i] == e.Hauteur) {
                    --s;
                    break;
                }
            // A tie continues a note: its pieces are ties too, and may be dotted.
            evtEstNote_ = e.Hauteur >= 0 || e.Hauteur == HauteurLiaison;
        } while (!(EvtImport[k].Duree > 0.0) && k < NbEvtImport);

        if (EvtImport[k].Duree > 0.0) {
            nbHauteurs_ = s;
            reste_ = positionEvt_ + EvtImport[k].Duree - totalPlace_;
            PlacerDureeEvt(k);
            positionEvt_ += EvtImport[k].Duree;
            const int32_t mesure = r_.PremierMorceau[static_cast<std::size_t>(k)].first;
            if (mesure > 0)
                r_.Simultanees.Ajouter(debordes_, mesure);
        }
        FenetrePrincipale().ProgressionAttenteMidi(
            static_cast<int>(platform::Round(static_cast<double>(k) / NbEvtImport * 28.0)));
    }
    if (k < NbEvtImport) {
        r_.Tronque = true;
        int32_t notes = 0;
        for (int32_t j = k + 1; j <= NbEvtImport; ++j)
            if (EvtImport[j].Hauteur >= 0)
                ++notes;
        r_.ApresFin.Ajouter(notes, Partition.NbMesures + 1);
    }

    for (int32_t m = 1; m <= Partition.NbMesures; ++m)
        InitialiserTempsSuivant(t_, m);
    return std::move(r_);
}

void Constructeur::PlacerDureeEvt(int32_t k)
{
    premierMorceau_ = true;
    while (Arrondir4(kSoixanteQuatrieme) <= reste_) {
        if (Bloc(m_).Duree - posMesure_ < Arrondir4(kSoixanteQuatrieme)) {
            if (m_ >= Partition.NbMesures) {
                // The song holds no measure more: what is left of the list is lost, and this
                // group's notes with it unless its first piece was written.
                r_.Tronque = true;
                if (premierMorceau_)
                    r_.ApresFin.Ajouter(NotesGroupe(), Partition.NbMesures + 1);
                m_ = Partition.NbMesures + 1;
                return;
            }
            ++m_;
            b_ = 1;
            posMesure_ = 0.0;
        }
        CreerTempsDuree(k);
    }
}

void Constructeur::EcrireMorceau(int32_t k, double valeur, bool marque, int8_t code, bool pointee, bool triolet,
                                 int8_t posTriolet)
{
    if (b_ > kNbTempsSaisis) {
        r_.Tronque = true;
        // A group's first piece carries its notes; the pieces after it only hold them on.
        if (!marque)
            r_.MesurePleine.Ajouter(NotesGroupe(), m_);
    } else {
        ReinitialiserTemps(t_, m_, b_);
        TTemps& tp = Bloc(m_).Temps[t_][b_];
        if (marque) {
            tp.HauteursImport[1] = evtEstNote_ ? HauteurLiaison : HauteurSilence;
            tp.NbHauteursImport = 1;
        } else {
            for (int32_t i = 1; i <= nbHauteurs_; ++i)
                tp.HauteursImport[i] = hauteurs_[i];
            tp.NbHauteursImport = static_cast<uint8_t>(nbHauteurs_);
            r_.PremierMorceau[static_cast<std::size_t>(k)] = {m_, b_};
        }
        tp.Duree = static_cast<int32_t>(platform::Round(valeur * kTicksNoire));
        tp.CodeDuree = code;
        tp.Pointee = pointee;
        tp.Triolet = triolet;
        if (triolet)
            tp.PosTriolet = posTriolet;
        Bloc(m_).NbTemps[t_] = b_;
        ++b_;
    }
    premierMorceau_ = false;
    posMesure_ += valeur;
    totalPlace_ += valeur;
    reste_ -= valeur;
}

bool Constructeur::CreerTriolet(int32_t k, double p)
{
    const ValeurTriolet* trouve = nullptr;
    for (const ValeurTriolet& v : kTriolets)
        if (Arrondir4(p) == Arrondir4(v.Longueur))
            trouve = &v;
    if (!trouve)
        return false;
    const double v = trouve->Longueur;

    int8_t position = 0;
    if (b_ > 1 && b_ - 1 <= kNbTempsSaisis) {
        const TTemps& prec = Bloc(m_).Temps[t_][b_ - 1];
        if (prec.Triolet && prec.PosTriolet < 3 && Arrondir4(prec.Duree / static_cast<double>(kTicksNoire)) == Arrondir4(v))
            position = static_cast<int8_t>(prec.PosTriolet + 1);
    }
    if (position == 0) {
        // A group starts when the next two groups of the list have the same length, chords
        // and the end of the list included.
        const int32_t j1 = FinGroupeSuivant(k);
        const int32_t j2 = j1 ? FinGroupeSuivant(j1) : 0;
        if (j2 && Arrondir4(EvtImport[j1].Duree) == Arrondir4(v) && Arrondir4(EvtImport[j2].Duree) == Arrondir4(v))
            position = 1;
    }
    if (position == 0)
        return false;
    EcrireMorceau(k, v, !premierMorceau_, trouve->Code, false, true, position);
    return true;
}

void Constructeur::CreerTempsDuree(int32_t k)
{
    double p = reste_;
    const double resteMesure = Bloc(m_).Duree - posMesure_;
    if (resteMesure < reste_)
        p = resteMesure;
    if (CreerTriolet(k, p))
        return;

    const double p16 = static_cast<double>(platform::Round(p * 16.0)) / 16.0;
    std::vector<double> valeurs = DecomposerEnValeurs(p16, evtEstNote_);
    if (!valeurs.empty() && valeurs.back() < Arrondir4(kSoixanteQuatrieme))
        valeurs.pop_back();
    for (std::size_t i = 0; i < valeurs.size(); ++i) {
        const auto [code, pointee] = CodeValeurNote(valeurs[i]);
        EcrireMorceau(k, valeurs[i], i > 0 || !premierMorceau_, code, pointee, false, 0);
    }
}

} // namespace

double Arrondir4(double x) { return static_cast<double>(platform::Round(x * 10000.0)) / 10000.0; }

void ReinitialiserTemps(int32_t piste, int32_t mesure, int32_t temps)
{
    TMesure& ms = *Partition.Mesures[mesure];
    ms.RenvoiDebut = false;
    ms.RenvoiFin = false;
    ms.Repetition = false;
    ms.NumRepetition = 1;
    ms.NbRenvois = 1;
    if (temps == 1)
        ms.NbTemps[piste] = 0;
    TTemps& tp = ms.Temps[piste][temps];
    tp.Silence = false;
    tp.Lie = false;
    tp.Effet = 0;
    tp.ValeurCoupVib = 1.0;
    tp.Brush = 0;
    tp.AvecAccord = false;
    tp.Accord.reset();
    tp.TableMix.reset();
    tp.Texte.clear();
    for (int s = 1; s <= kNbCordesMax; ++s)
        tp.Notes[s] = TNoteCorde{};
    tp.Duree = kTicksNoire;
    tp.CodeDuree = 0;
    tp.Pointee = false;
    tp.Triolet = false;
}

bool AjouterMesureImport(uint8_t numerateur, uint8_t denominateur, double duree)
{
    if (Partition.NbMesures >= kNbMesuresMax)
        return false;
    const int32_t m = Partition.NbMesures + 1;
    Partition.Mesures[m] = std::make_unique<TMesure>();
    TMesure& ms = *Partition.Mesures[m];
    ms.Numerateur = numerateur;
    ms.Denominateur = denominateur;
    ms.Duree = duree;
    for (int32_t t = 1; t <= kNbPistes; ++t)
        ReinitialiserTemps(t, m, 1);
    Partition.NbMesures = m;
    return true;
}

void SupprimerSilencesFinaux()
{
    NbEvtImport = std::max(NbEvtImport - 1, 0);
    while (NbEvtImport > 0 && EvtImport[NbEvtImport].Hauteur == HauteurSilence && EvtImport[NbEvtImport].Duree == 0.0)
        --NbEvtImport;
}

bool EvtImportContientNotes()
{
    for (int32_t k = 1; k <= NbEvtImport; ++k)
        if (EvtImport[k].Hauteur >= 0)
            return true;
    return false;
}

std::vector<double> DecomposerEnValeurs(double longueur, bool evtEstNote)
{
    static constexpr std::array<double, 7> kValeurs{4.0, 2.0, 1.0, 0.5, 0.25, 0.125, 0.0625};
    std::vector<double> v{longueur};
    while (Arrondir4(kSoixanteQuatrieme) < v.back()) {
        double prise = kSoixanteQuatrieme;
        for (double candidate : kValeurs)
            if (Arrondir4(candidate) - 1.0 / 32.0 <= v.back()) {
                prise = Arrondir4(candidate);
                break;
            }
        const double reste = v.back() - prise;
        v.back() = prise;
        v.push_back(reste);
    }
    if (evtEstNote) {
        std::size_t j = 0;
        while (j + 1 < v.size()) {
            if (Arrondir4(v[j + 1]) == Arrondir4(v[j] / 2.0) && Arrondir4(v[j] * 32.0) != 128.0) {
                v[j] = Arrondir4(v[j] * 1.5);
                v.erase(v.begin() + static_cast<std::ptrdiff_t>(j) + 1);
            } else {
                ++j;
            }
        }
    }
    return v;
}

std::pair<int8_t, bool> CodeValeurNote(double valeur)
{
    switch (platform::Round(valeur * 32.0)) {
    case 128: return {-2, false};
    case 96: return {-1, true};
    case 64: return {-1, false};
    case 48: return {0, true};
    case 32: return {0, false};
    case 24: return {1, true};
    case 16: return {1, false};
    case 12: return {2, true};
    case 8: return {2, false};
    case 6: return {3, true};
    case 4: return {3, false};
    case 3: return {4, true};
    case 2: return {4, false};
    default: return {0, false};
    }
}

TResultatConstruction ConstruirePisteDepuisEvt()
{
    if (!EvtImportContientNotes())
        return {};
    const int32_t t = std::clamp(PisteCourante, 1, kNbPistes);
    return Constructeur(t).Construire();
}
