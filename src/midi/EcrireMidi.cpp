#include "midi/EcrireMidi.h"

#include "document/Configuration.h"
#include "document/Fenetre.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "midi/OrdreLecture.h"
#include "midi/uMIDIEffets.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <system_error>

using platform::Round;
using platform::Trunc;

namespace {

constexpr uint8_t VelociteRelache = 80;
constexpr uint8_t NoteClic = 37;           // side stick on the percussion channel
constexpr int32_t CanalPercussions = 9;
constexpr int64_t DureeNoteMorte = 15;
constexpr int64_t DecalageDouzeCordes = 4;

uint8_t Donnee(int64_t v) { return static_cast<uint8_t>(std::clamp<int64_t>(v, 0, 127)); }
// A note on of velocity 0 is a note off: a dynamic read as 0 still sounds, very softly.
uint8_t Velocite(int64_t v) { return static_cast<uint8_t>(std::clamp<int64_t>(v, 1, 127)); }
bool HauteurValide(int64_t h) { return h >= 0 && h <= 127; }

const TMesure* Mesure(int32_t m)
{
    if (m < 1 || m > Partition.NbMesures || m > kNbMesuresMax)
        return nullptr;
    return Partition.Mesures[m].get();
}

int32_t NbTempsPiste(const TMesure& mesure, int32_t piste) { return std::clamp(mesure.NbTemps[piste], 0, kNbTempsMax); }

// Nominal length in quarters. A length read from a damaged file (not a number, negative,
// endless) is kept within what a 32/1 measure lasts.
double DureeMesure(const TMesure* mesure)
{
    if (!mesure || !(mesure->Duree > 0))
        return 0.0;
    return std::min(mesure->Duree, 128.0);
}

int64_t LongueurNominale(const TMesure* mesure) { return Round(DureeMesure(mesure) * kTicksNoire); }

uint8_t CodeDenominateur(uint8_t denominateur)
{
    return denominateur == 0 ? 0 : static_cast<uint8_t>(Round(std::log(double(denominateur)) / std::log(2.0)));
}

void AjouterSignature(std::vector<uint8_t>& o, uint8_t numerateur, uint8_t codeDenominateur)
{
    o.insert(o.end(), {0xFF, MetaSignature, 0x04, numerateur, codeDenominateur, 0x18, 0x08});
}

// A track chunk whose body `ecrire` appends in place; its length is filled in afterwards.
template <class Ecrire>
void AjouterChunkPiste(std::vector<uint8_t>& fichier, Ecrire ecrire)
{
    fichier.insert(fichier.end(), {'M', 'T', 'r', 'k', 0, 0, 0, 0});
    const std::size_t debut = fichier.size();
    ecrire(fichier);
    uint8_t longueur[4];
    DecouperOctets(static_cast<uint32_t>(fichier.size() - debut), longueur);
    std::copy(longueur, longueur + 4, fichier.begin() + static_cast<std::ptrdiff_t>(debut) - 4);
}

void AjouterFinPiste(std::vector<uint8_t>& corps) { corps.insert(corps.end(), {0x00, 0xFF, MetaFinPiste, 0x00}); }

void AjouterNomPiste(std::vector<uint8_t>& corps, std::string_view nom)
{
    corps.insert(corps.end(), {0x00, 0xFF, MetaNomPiste});
    AjouterDelta(corps, static_cast<int64_t>(nom.size()));
    corps.insert(corps.end(), nom.begin(), nom.end());
}

bool AGraceAuDebut(const TTemps& tp, int32_t piste)
{
    if (!TempsAvecNotes(tp))
        return false;
    for (int32_t s = 1; s <= std::clamp(Partition.NbCordes[piste], 0, kNbCordesMax); ++s)
        if (tp.Notes[s].FretteGrace >= 0)
            return true;
    return false;
}

// Natural harmonic: the fret's node gives the octave and fifth above the open string.
int32_t DecalageHarmoniqueNaturelle(int32_t frette)
{
    switch (frette) {
    case 4: case 9: case 16: return 28 - frette;
    case 5: case 24: return 24 - frette;
    case 7: case 19: return 19 - frette;
    default: return 0;
    }
}

class EcrivainMidi {
public:
    explicit EcrivainMidi(TModeLecture mode) : mode_(mode) {}
    std::vector<uint8_t> Ecrire();

private:
    void Preparer();
    // Each appends a track body.
    void Conducteur(std::vector<uint8_t>& c) const;
    void Metronome(std::vector<uint8_t>& corps);
    void PisteInstrument(std::vector<uint8_t>& corps, int32_t piste);
    void EcrireTemps(int32_t piste, int32_t m, int32_t b, int64_t position, int32_t w0, int32_t w);
    // Note on (and its twelve-string double), the events of `pendant`, then the note offs.
    void Note(int32_t canal, int64_t hauteur, uint8_t velocite, int64_t debut, int64_t fin, bool douze,
              const std::function<void()>& pendant = {});
    void CalculerDureesLecture();

    // The measures written: the play order, or in mode 5 the current measure once.
    int32_t NbEntrees() const { return mode_ == ModeLectureTemps ? 1 : NbOrdreLecture; }
    int32_t MesureEntree(int32_t i) const { return mode_ == ModeLectureTemps ? Partition.MesureCourante : OrdreLecture[i]; }

    TModeLecture mode_;
    cMIDIPile pile_;
    bool effets_ = false;
    bool triplet_ = false;
    bool metronome_ = false;
    bool decompte_ = false;
    int32_t premiere_ = 1;         // measure F
    std::vector<int32_t> pistes_;  // instrument tracks written
    int64_t debutPistes_ = 0;      // first tick of the instrument tracks, before the grace lead
    int64_t avance_ = 0;           // grace-note lead shared by every track
    OneBased<bool, kNbCordesMax> adoucie_{};
    int32_t c1_ = 0, c2_ = 0;
};

std::vector<uint8_t> EcrivainMidi::Ecrire()
{
    Preparer();

    std::vector<uint8_t> fichier;
    const int32_t nbPistes = mode_ == ModeLectureTemps ? 2 : 1 + (metronome_ ? 1 : 0) + int32_t(pistes_.size());
    uint8_t haut, bas;
    DecouperMot(nbPistes, haut, bas);
    fichier.insert(fichier.end(), {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, haut, bas, 0x01, 0xE0});

    AjouterChunkPiste(fichier, [&](std::vector<uint8_t>& o) { Conducteur(o); });
    if (metronome_)
        AjouterChunkPiste(fichier, [&](std::vector<uint8_t>& o) { Metronome(o); });
    for (int32_t piste : pistes_)
        AjouterChunkPiste(fichier, [&](std::vector<uint8_t>& o) { PisteInstrument(o, piste); });

    if (mode_ >= ModeLectureExport && mode_ <= ModeLectureSpeedTrainer)
        DureesLecture.assign(static_cast<std::size_t>(std::max(NbOrdreLecture, 0)) + 1, 0.0);
    if (mode_ >= ModeLectureExport && mode_ <= ModeLectureMesure)
        CalculerDureesLecture();
    return fichier;
}

void EcrivainMidi::Preparer()
{
    PileTempo.Vider();
    triplet_ = Partition.TripletFeel == 1 && mode_ != ModeLectureTemps;
    if (mode_ != ModeLectureSpeedTrainer)
        EtatLecture.TempoCourant = Partition.Tempo;

    switch (mode_) {
    case ModeLectureExport:
    case ModeLectureDebut: premiere_ = 1; break;
    case ModeLectureSpeedTrainer: premiere_ = MesureDebutSpeedTrainer; break;
    default: premiere_ = Partition.MesureCourante; break;
    }
    premiere_ = std::clamp(premiere_, 1, std::max(1, Partition.NbMesures));
    EtatLecture.Mode = mode_;

    const TCONFIG& cfg = Configuration;
    const bool lecture = mode_ >= ModeLectureDebut && mode_ <= ModeLectureSpeedTrainer;
    const bool decompteSpeedTrainer = mode_ == ModeLectureSpeedTrainer && cfg.AlwaysUseMetronomeSpeedTrainer;
    metronome_ = lecture && ((cfg.Metronome && (cfg.MetronomeDuringScore || cfg.FirstBarMetronome)) || decompteSpeedTrainer);
    decompte_ = lecture && ((cfg.Metronome && cfg.FirstBarMetronome) || decompteSpeedTrainer);

    pistes_.clear();
    for (int32_t t = 1; t <= kNbPistes; ++t) {
        bool ecrite;
        if (mode_ == ModeLectureTemps)
            ecrite = t == PisteCourante;
        else if (mode_ == ModeLectureExport)
            ecrite = !Partition.PasExporter[t] && !PisteSansNotes(t);
        else
            ecrite = !(Partition.ModeSolo && t != Partition.PisteSolo) &&
                     !(Partition.Muette[t] && !(Partition.ModeSolo && t == Partition.PisteSolo)) && !PisteSansNotes(t);
        if (ecrite)
            pistes_.push_back(t);
    }

    effets_ = mode_ == ModeLectureExport ? cfg.ExportEffects : (lecture ? cfg.PlayEffects : true);

    debutPistes_ = decompte_ ? LongueurNominale(Mesure(premiere_)) : 0;

    // One lead for every track: a track moved alone would play late against the others for
    // the whole song.
    avance_ = 0;
    if (effets_ && NbEntrees() > 0) {
        const TMesure* m = Mesure(MesureEntree(1));
        const int32_t b = mode_ == ModeLectureTemps ? Curseur.Temps : 1;
        for (int32_t t : pistes_)
            if (m && b >= 1 && b <= NbTempsPiste(*m, t) && AGraceAuDebut(m->Temps[t][b], t))
                avance_ = AvanceNoteGrace;
    }
}

void EcrivainMidi::Conducteur(std::vector<uint8_t>& c) const
{
    uint8_t b1, b2, b3;
    TempoEnOctets(EtatLecture.TempoCourant, b1, b2, b3);
    c.insert(c.end(), {0x00, 0xFF, MetaTempo, 0x03, b1, b2, b3});
    c.push_back(0x00);
    if (mode_ == ModeLectureTemps) {
        AjouterSignature(c, 4, 2);
    } else {
        const TMesure* f = Mesure(premiere_);
        AjouterSignature(c, f ? f->Numerateur : 4, f ? CodeDenominateur(f->Denominateur) : 2);
    }
    c.insert(c.end(), {0x00, 0xFF, MetaArmure, 0x02, 0x00, 0x00});

    if (mode_ == ModeLectureExport) {
        double somme = static_cast<double>(avance_);
        for (int32_t i = 2; i <= NbOrdreLecture; ++i) {
            const TMesure* avant = Mesure(OrdreLecture[i - 1]);
            const TMesure* ici = Mesure(OrdreLecture[i]);
            somme += DureeMesure(avant) * kTicksNoire;
            if (avant && ici && (ici->Numerateur != avant->Numerateur || ici->Denominateur != avant->Denominateur)) {
                AjouterDelta(c, Round(somme));
                AjouterSignature(c, ici->Numerateur, CodeDenominateur(ici->Denominateur));
                somme = 0;
            }
        }
    }
    AjouterFinPiste(c);
}

void EcrivainMidi::Metronome(std::vector<uint8_t>& corps)
{
    const TCONFIG& cfg = Configuration;
    AjouterNomPiste(corps, "Metronome");

    pile_.Vider();
    const int32_t c = CanalPercussions;
    pile_.Ajouter(0, CanalMeta, StatutMeta, MetaPort, 1, 0);
    pile_.Ajouter(0, CanalMeta, StatutMeta, MetaPrefixeCanal, 1, c + 1);
    pile_.Ajouter(0, c, StatutControleur, 0x64, 0, 0);
    pile_.Ajouter(0, c, StatutControleur, 0x65, 0, 0);
    pile_.Ajouter(0, c, StatutControleur, 0x07, Donnee(cfg.MetronomeVolume), 0);
    pile_.Ajouter(0, c, StatutControleur, 0x0A, 0x40, 0);
    pile_.Ajouter(0, c, StatutControleur, 0x5D, 0, 0);
    pile_.Ajouter(0, c, StatutControleur, 0x5B, 0, 0);
    pile_.Ajouter(0, c, StatutProgramme, 0, 0, 0);

    int64_t t = avance_;
    auto cliquer = [&](const TMesure* m) {
        if (!m || m->Numerateur == 0)
            return;
        const int64_t clic = Round(DureeMesure(m) * kTicksNoire / m->Numerateur);
        for (int32_t k = 1; k <= m->Numerateur; ++k) {
            const uint8_t vel = (k == 1 && cfg.DifferentMetronomeFirstSound) ? 0x7F : 0x5A;
            pile_.Ajouter(t, c, StatutNoteOn, NoteClic, vel, 0);
            pile_.Ajouter(t + clic, c, StatutNoteOff, NoteClic, VelociteRelache, 0);
            t += clic;
        }
    };
    if (decompte_)
        cliquer(Mesure(NbOrdreLecture >= 1 ? OrdreLecture[1] : premiere_));
    if (cfg.Metronome && cfg.MetronomeDuringScore)
        for (int32_t i = 1; i <= NbOrdreLecture; ++i)
            cliquer(Mesure(OrdreLecture[i]));

    pile_.EcrireTampon(corps);
    AjouterFinPiste(corps);
}

void EcrivainMidi::PisteInstrument(std::vector<uint8_t>& corps, int32_t piste)
{
    AjouterNomPiste(corps, Partition.NomPiste[piste].view());

    pile_.Vider();
    c1_ = CanalPiste[piste] - 1;
    c2_ = CanalEffetsPiste[piste] - 1;
    pile_.Ajouter(0, CanalMeta, StatutMeta, MetaPort, 1, 0);
    pile_.Ajouter(0, CanalMeta, StatutMeta, MetaPrefixeCanal, 1, CanalPiste[piste]);
    pile_.Ajouter(0, CanalMeta, StatutMeta, MetaPrefixeCanal, 1, CanalEffetsPiste[piste]);
    pile_.Ajouter(0, c1_, StatutControleur, 0x64, 0, 0);
    pile_.Ajouter(0, c1_, StatutControleur, 0x65, 0, 0);
    pile_.Ajouter(0, c2_, StatutControleur, 0x64, 0, 0);
    pile_.Ajouter(0, c2_, StatutControleur, 0x65, 0, 0);
    const std::pair<uint8_t, int32_t> reglages[] = {
        {0x07, Partition.Volume[piste]},
        {0x0A, Partition.Panoramique[piste]},
        {0x5D, Partition.Chorus[piste]},
        {0x5B, Partition.Reverb[piste]},
    };
    for (const auto& [controleur, valeur] : reglages) {
        pile_.Ajouter(0, c1_, StatutControleur, controleur, Donnee(valeur), 0);
        pile_.Ajouter(0, c2_, StatutControleur, controleur, Donnee(valeur), 0);
    }
    pile_.Ajouter(0, c1_, StatutProgramme, Donnee(Partition.Instrument[piste]), 0, 0);
    pile_.Ajouter(0, c2_, StatutProgramme, Donnee(Partition.Instrument[piste]), 0, 0);
    pile_.Ajouter(0, c2_, StatutControleur, 0x06, Configuration.LimitBend ? 2 : 8, 0);

    pile_.Volume = Partition.Volume[piste];
    pile_.Pan = Partition.Panoramique[piste];
    pile_.Chorus = Partition.Chorus[piste];
    pile_.Reverb = Partition.Reverb[piste];
    pile_.Tempo = Partition.Tempo;
    adoucie_.fill(false);

    int64_t position = debutPistes_ + avance_;
    for (int32_t i = 1; i <= NbEntrees(); ++i) {
        const int32_t m = MesureEntree(i);
        const TMesure* mesure = Mesure(m);
        if (!mesure)
            continue;
        const int64_t L = LongueurNominale(mesure);
        int64_t p = 0;
        int32_t w = 0;
        if (mode_ == ModeLectureTemps) {
            if (Curseur.Temps >= 1 && Curseur.Temps <= NbTempsPiste(*mesure, piste))
                EcrireTemps(piste, m, Curseur.Temps, position, 0, 0);
            break;
        }
        for (int32_t b = 1; b <= NbTempsPiste(*mesure, piste) && p < L; ++b) {
            const int32_t w0 = w;
            w = triplet_ ? DecalageTripletFeel(piste, m, b, p) : 0;
            const int64_t D = std::max(0, mesure->Temps[piste][b].Duree) + w - w0;
            EcrireTemps(piste, m, b, position, w0, w);
            position += D;
            p += D;
        }
        position += L - p;
    }

    pile_.EcrireTampon(corps);
    AjouterFinPiste(corps);
}

void EcrivainMidi::Note(int32_t canal, int64_t hauteur, uint8_t velocite, int64_t debut, int64_t fin, bool douze,
                        const std::function<void()>& pendant)
{
    if (!HauteurValide(hauteur))
        return;
    // A note off never comes before its own note on, or the note would hang to the end.
    fin = std::max(fin, debut);
    pile_.Ajouter(debut, canal, StatutNoteOn, uint8_t(hauteur), velocite, 0);
    const bool avecDouble = douze && HauteurValide(hauteur + 12);
    if (avecDouble)
        pile_.Ajouter(debut + DecalageDouzeCordes, canal, StatutNoteOn, uint8_t(hauteur + 12),
                      Velocite(Round(velocite / 1.27)), 0);
    if (pendant)
        pendant();
    pile_.Ajouter(fin, canal, StatutNoteOff, uint8_t(hauteur), VelociteRelache, 0);
    if (avecDouble)
        pile_.Ajouter(std::max(fin, debut + DecalageDouzeCordes), canal, StatutNoteOff, uint8_t(hauteur + 12),
                      VelociteRelache, 0);
}

void EcrivainMidi::EcrireTemps(int32_t piste, int32_t m, int32_t b, int64_t position, int32_t w0, int32_t w)
{
    const TTemps& tp = Partition.Mesures[m]->Temps[piste][b];
    const int32_t nbCordes = std::clamp(Partition.NbCordes[piste], 0, kNbCordesMax);
    const bool avecNotes = TempsAvecNotes(tp);
    static const TNoteCorde vide{};
    auto note = [&](int32_t s) -> const TNoteCorde& { return avecNotes ? tp.Notes[s] : vide; };

    const int32_t e = effets_ ? tp.Effet : 0;
    const int32_t canalTemps = (e >= 1 && e <= 3) ? c2_ : c1_;
    const int64_t T = DureeNoteLiee(piste, m, b) + w - w0;
    int32_t h = tp.Effet == 9 ? 12 : 0;

    int64_t d = 0;
    if (tp.Brush != 0) {
        // A strum speed of 0 (a damaged file) is taken as the slowest one.
        const int32_t vitesse = std::max<int32_t>(1, tp.DureeBrush);
        d = Round(480.0 / vitesse / std::max(1, nbCordes));
        int32_t k = 0;
        for (int32_t s = 1; s <= nbCordes; ++s)
            if (note(s).Frette >= 0)
                ++k;
        if (k > 1 && (k - 1) * d > 0.9 * T)
            d = Trunc(0.9 * T / (k - 1));
    }
    int64_t o = 0;

    if (tp.TableMix)
        GenererTableMix(*tp.TableMix, pile_, c1_, c2_, position);

    bool glissement = false;
    const bool douze = Partition.DouzeCordes[piste];
    for (int32_t i = 1; i <= nbCordes; ++i) {
        const int32_t s = tp.Brush == 1 ? nbCordes + 1 - i : i;
        const TNoteCorde& nc = note(s);
        const int32_t f = nc.Frette;
        const int32_t n = effets_ ? nc.Effet : 0;
        const bool morte = f == kNoteMorte;
        const int32_t fs = morte ? 0 : f;
        const int32_t canalNote = (n >= 3 && n <= 6) ? c2_ : canalTemps;
        if (tp.Effet == 5)
            adoucie_[s] = true;
        int64_t v = int64_t(nc.Nuance) * 16 - 1;
        if (adoucie_[s])
            v = Round(v / 1.34);
        if (tp.Effet == 8)
            h = DecalageHarmoniqueNaturelle(fs);
        const int64_t base = int64_t(Partition.Accordage[piste][s]) + Partition.Capo[piste] + h;
        const bool douzeCorde = douze && s >= 3;

        if (effets_ && nc.FretteGrace >= 0) {
            const int32_t g = nc.FretteGrace;
            const int64_t l = nc.DureeGrace <= 1 ? 30 : (nc.DureeGrace == 2 ? 60 : 120);
            const int64_t longueur = g == kNoteMorte ? DureeNoteMorte : l;
            // A grace note before the start of the file is kept at its first tick.
            const int64_t debut = std::max<int64_t>(0, position - l);
            Note(c1_, base + (g == kNoteMorte ? 0 : g), Velocite(int64_t(nc.NuanceGrace) * 16 - 1), debut,
                 position - l + longueur, douzeCorde);
        }

        if (f >= 0) {
            const int64_t hauteur = base + fs;
            const int64_t debut = position + o;
            int64_t fin;
            if (morte)
                fin = debut + DureeNoteMorte; // within a strum it still lasts its 15 ticks
            else if (n == 7)
                fin = position + DureeResonance(piste, m, b, s) + w - w0;
            else
                fin = position + T;
            o += d;
            if (n >= 3 && n <= 6) {
                glissement = true;
                Note(canalNote, hauteur, Velocite(v), debut, fin, douzeCorde, [&] {
                    GenererEffetNote(uint8_t(n - 3), pile_, canalNote, position, T, piste, m, b, s);
                });
            } else {
                Note(canalNote, hauteur, Velocite(v), debut, fin, douzeCorde);
            }
        }
        adoucie_[s] = effets_ && (n == 1 || n == 2);
    }

    if (e >= 1 && e <= 4 && (e == 4 || !glissement))
        GenererEffetNote(uint8_t(e + 3), pile_, canalTemps, position, T, piste, m, b, 1);
}

void EcrivainMidi::CalculerDureesLecture()
{
    double tempo = std::max(Partition.Tempo, 1);
    int64_t position = debutPistes_ + avance_;
    const auto& evts = PileTempo.Evenements();
    std::size_t k = 0;
    for (int32_t i = 1; i <= NbOrdreLecture; ++i) {
        double q = DureeMesure(Mesure(OrdreLecture[i]));
        double minutes = 0.0;
        while (k < evts.size() && evts[k].Temps < position + q * kTicksNoire) {
            const double ecart = double(evts[k].Temps - position) / kTicksNoire;
            minutes += ecart / tempo;
            q -= ecart;
            tempo = std::max(evts[k].Valeur, 1);
            position = evts[k].Temps;
            ++k;
        }
        minutes += q / tempo;
        position += Round(q * kTicksNoire);
        DureesLecture[i] = minutes;
    }
}

bool EcrireSurDisque(const std::string& fichier, const std::vector<uint8_t>& octets)
{
    // Written beside the target and renamed over it: a failed write leaves the old file whole.
    const std::string provisoire = fichier + ".part";
    {
        std::ofstream sortie(provisoire, std::ios::binary | std::ios::trunc);
        if (!sortie)
            return false;
        sortie.write(reinterpret_cast<const char*>(octets.data()), static_cast<std::streamsize>(octets.size()));
        sortie.close();
        if (!sortie) {
            std::remove(provisoire.c_str());
            return false;
        }
    }
    std::error_code erreur;
    std::filesystem::rename(provisoire, fichier, erreur);
    if (erreur) {
        std::remove(provisoire.c_str());
        return false;
    }
    return true;
}

} // namespace

std::vector<uint8_t> GenererFichierMidi(TModeLecture mode)
{
    EcrivainMidi ecrivain(mode);
    std::vector<uint8_t> octets = ecrivain.Ecrire();
    EtatLecture.Mode = ModeLectureAucun;
    return octets;
}

bool EcrireFichierMidi(const std::string& fichier, TModeLecture mode)
{
    IFenetrePrincipale& fenetre = FenetrePrincipale();
    fenetre.CurseurSablier(true);
    fenetre.DefinirFichierLecteurMidi("");
    fenetre.TraiterMessagesEnAttente();

    const std::vector<uint8_t> octets = GenererFichierMidi(mode);
    const bool ecrit = EcrireSurDisque(fichier, octets);

    fenetre.CurseurSablier(false);
    if (!ecrit)
        AfficherMessage(Traduire("Dlg-Erreur"), Traduire("MidiExp-EcritureFichierImpossibleEnregAb"), IconeErreur,
                        BoutonOK, DefautOK, PlacementCentre);
    EtatLecture.Mode = ModeLectureAucun;
    fenetre.DefinirFichierLecteurMidi(fichier.c_str());
    return ecrit;
}

bool ExporterFichierMidi(const std::string& fichier)
{
    ConstruireOrdreLecture(1, Partition.NbMesures, Configuration.ExportRepeats);
    return EcrireFichierMidi(fichier, ModeLectureExport);
}

bool PisteSansNotes(int32_t piste)
{
    for (int32_t m = 1; m <= std::min(Partition.NbMesures, kNbMesuresMax); ++m) {
        const TMesure* mesure = Partition.Mesures[m].get();
        if (!mesure)
            continue;
        for (int32_t b = 1; b <= NbTempsPiste(*mesure, piste); ++b)
            if (!mesure->Temps[piste][b].Silence)
                return false;
    }
    return true;
}

int64_t DureeNoteLiee(int32_t piste, int32_t mesure, int32_t temps)
{
    const TMesure* ms = Mesure(mesure);
    if (!ms || temps < 1 || temps > NbTempsPiste(*ms, piste))
        return 0;
    int64_t duree = std::max(0, ms->Temps[piste][temps].Duree);
    int32_t m = mesure, b = temps;
    while (TempsSuivantPiste(piste, m, b)) {
        const TTemps& tp = Partition.Mesures[m]->Temps[piste][b];
        if (!tp.Lie)
            break;
        duree += std::max(0, tp.Duree);
    }
    return duree;
}

int32_t DecalageTripletFeel(int32_t piste, int32_t mesure, int32_t temps, int64_t position)
{
    const TMesure* ms = Mesure(mesure);
    if (!ms || temps < 1 || temps >= NbTempsPiste(*ms, piste))
        return 0;
    const bool croches = ms->Temps[piste][temps].Duree == 240 && ms->Temps[piste][temps + 1].Duree == 240;
    return croches && position % kTicksNoire == 0 ? 80 : 0;
}
