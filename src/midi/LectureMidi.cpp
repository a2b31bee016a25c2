#include "midi/LectureMidi.h"

#include "document/Variable.h"
#include "midi/ConstructionTemps.h"
#include "midi/EvtImport.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <memory>

namespace {

uint32_t Grand32(const uint8_t* o) { return uint32_t(o[0]) << 24 | uint32_t(o[1]) << 16 | uint32_t(o[2]) << 8 | o[3]; }

// The chunk header at pos (id and length) and its body inside the file, or false when the
// header itself is cut. A body that runs past the end of the file is cut to what is there,
// and `manquants` tells how many of its bytes are missing.
bool LireChunk(const std::vector<uint8_t>& o, std::size_t& pos, bool& estPiste, TPisteMidi& piste,
               std::size_t& manquants)
{
    if (o.size() - pos < 8)
        return false;
    estPiste = std::memcmp(o.data() + pos, "MTrk", 4) == 0;
    const uint32_t longueur = Grand32(o.data() + pos + 4);
    pos += 8;
    const std::size_t presents = std::min<std::size_t>(longueur, o.size() - pos);
    manquants = longueur - presents;
    piste.Debut = pos;
    piste.Longueur = presents;
    pos += presents;
    return true;
}

// The n bytes are the start of an end-of-track event (its delta time, then FF 2F 00);
// `complet` gets the length of the shortest such event that starts with them.
bool DebutFinDePiste(const uint8_t* o, std::size_t n, std::size_t& complet)
{
    static constexpr uint8_t kFin[] = {0xFF, 0x2F, 0x00};
    // A delta time of at most four bytes: at most three with the top bit set.
    std::size_t i = 0;
    while (i < n && i < 3 && o[i] >= 0x80)
        ++i;
    complet = i + 1 + sizeof kFin;
    if (i == n)
        return true;
    if (o[i] >= 0x80)
        return false;
    ++i;
    for (std::size_t j = 0; i < n; ++i, ++j)
        if (j >= sizeof kFin || o[i] != kFin[j])
            return false;
    return true;
}

// Walks every event of a track. A track that the end of the file cut short (`manquants` bytes
// missing) is taken up to its last whole event when nothing but its end-of-track event can
// have been lost: what is left after that event is the start of one, and no more is missing
// than the rest of the shortest one. More missing bytes may have held notes.
bool PisteValide(const TFichierMidi& f, TPisteMidi& p, std::size_t manquants)
{
    LecteurEvenementsMidi lecteur(f.Octets.data() + p.Debut, p.Longueur);
    TEvenementMidi e;
    bool finLue = false;
    while (lecteur.Suivant(e))
        finLue = finLue || e.EstMeta(0x2F);
    if (manquants == 0)
        return !lecteur.Erreur();
    // Its end-of-track is there: the missing bytes were something else.
    if (finLue)
        return false;
    const std::size_t fin = lecteur.Erreur() ? lecteur.FinDernierEvenement() : p.Longueur;
    const std::size_t reste = p.Longueur - fin;
    std::size_t complet = 0;
    if (!DebutFinDePiste(f.Octets.data() + p.Debut + fin, reste, complet) || reste + manquants > complet)
        return false;
    p.Longueur = fin;
    return true;
}

LecteurEvenementsMidi Lecteur(const TFichierMidi& f, std::size_t piste)
{
    const TPisteMidi& p = f.Pistes.at(piste);
    return LecteurEvenementsMidi(f.Octets.data() + p.Debut, p.Longueur);
}

} // namespace

bool LireLongueurVariable(const uint8_t* octets, std::size_t fin, std::size_t& pos, uint32_t& valeur, int32_t& nombre)
{
    valeur = 0;
    nombre = 0;
    std::size_t i = pos;
    while (nombre < 4) {
        if (i >= fin)
            return false;
        const uint8_t b = octets[i++];
        ++nombre;
        valeur = (valeur << 7) | (b & 0x7F);
        if (b < 0x80) {
            pos = i;
            return true;
        }
    }
    return false;
}

// ---- Events ------------------------------------------------------------------------------------

LecteurEvenementsMidi::LecteurEvenementsMidi(const uint8_t* corps, std::size_t longueur) : corps_(corps), fin_(longueur)
{
    if (fin_ == 0)
        fini_ = true;
    else if (!LireDelta())
        erreur_ = true;
}

bool LecteurEvenementsMidi::LireDelta()
{
    uint32_t delta = 0;
    int32_t nombre = 0;
    if (!LireLongueurVariable(corps_, fin_, pos_, delta, nombre))
        return false;
    ticks_ += delta;
    return true;
}

bool LecteurEvenementsMidi::Octet(uint8_t& b)
{
    if (pos_ >= fin_)
        return false;
    b = corps_[pos_++];
    return true;
}

bool LecteurEvenementsMidi::Suivant(TEvenementMidi& e)
{
    if (fini_ || erreur_)
        return false;
    if (pos_ >= fin_) {
        fini_ = true;
        return false;
    }
    e = TEvenementMidi{};
    e.Ticks = ticks_;
    uint8_t statut = corps_[pos_];
    if (statut < 0x80) {
        // Running status: this byte is the event's first data byte.
        if (statut_ == 0) {
            erreur_ = true;
            return false;
        }
        statut = statut_;
    } else {
        ++pos_;
        e.StatutEcrit = true;
    }
    e.Statut = statut;

    auto donnee = [&](uint8_t& d) {
        if (!Octet(d) || d >= 0x80) {
            erreur_ = true;
            return false;
        }
        return true;
    };
    auto charge = [&]() {
        uint32_t longueur = 0;
        int32_t nombre = 0;
        if (!LireLongueurVariable(corps_, fin_, pos_, longueur, nombre) || longueur > fin_ - pos_) {
            erreur_ = true;
            return false;
        }
        e.DebutDonnees = pos_;
        e.LongueurDonnees = longueur;
        pos_ += longueur;
        return true;
    };

    const int32_t classe = statut >= 0xF0 ? statut : (statut & 0xF0);
    // Meta and system-exclusive events leave the running status as it was, on purpose (see
    // the header): only channel and system-common events set it.
    switch (classe) {
    case 0xFF:
        if (!Octet(e.Donnee1) || !charge()) {
            erreur_ = true;
            return false;
        }
        if (e.Donnee1 == 0x2F) {
            finEvenement_ = pos_;
            fini_ = true;
            return true;
        }
        break;
    case 0xF0:
    case 0xF7:
        if (!charge())
            return false;
        break;
    case 0xF1:
    case 0xF3:
    case 0xC0:
    case 0xD0:
        if (!donnee(e.Donnee1))
            return false;
        statut_ = statut;
        break;
    case 0xF2:
    case 0x80:
    case 0x90:
    case 0xA0:
    case 0xB0:
    case 0xE0:
        if (!donnee(e.Donnee1) || !donnee(e.Donnee2))
            return false;
        statut_ = statut;
        break;
    default:
        // F4, F5, F6 and the real-time bytes carry no data and leave the running status.
        break;
    }
    finEvenement_ = pos_;
    if (pos_ >= fin_)
        fini_ = true;
    else if (!LireDelta()) {
        erreur_ = true;
        return false;
    }
    return true;
}

// ---- The file ----------------------------------------------------------------------------------

ResultatLectureMidi AnalyserFichierMidi(std::vector<uint8_t> octets, TFichierMidi& f)
{
    f = TFichierMidi{};
    f.Octets = std::move(octets);
    const std::vector<uint8_t>& o = f.Octets;
    if (o.size() > kTailleFichierMidiMax)
        return ResultatLectureMidi::NonReconnu;
    // "MThd", a header of 6 bytes, format 0 or 1 and fewer than 256 tracks; a file that starts
    // so and ends before the header does is a MIDI file cut short.
    static constexpr uint8_t kEntete[] = {0x4D, 0x54, 0x68, 0x64, 0x00, 0x00, 0x00, 0x06, 0x00};
    if (o.size() < 4 || std::memcmp(o.data(), kEntete, std::min(o.size(), sizeof kEntete)) != 0
        || (o.size() > 9 && o[9] > 1) || (o.size() > 10 && o[10] != 0))
        return ResultatLectureMidi::NonReconnu;
    if (o.size() < 14)
        return ResultatLectureMidi::Endommage;
    f.Format = o[9];
    f.NbPistes = o[11];
    f.Division = o[12] << 8 | o[13];
    // Without ticks per quarter note there are no quarter notes to build the measures from.
    if (f.Division & 0x8000)
        return ResultatLectureMidi::TempsSmpte;
    if (f.Division == 0)
        return ResultatLectureMidi::DivisionNulle;

    // A chunk cut short reaches the end of the file: only the last track read can be one, and
    // `manquants` then tells how much of it is missing.
    std::size_t pos = 14;
    bool estPiste = false;
    TPisteMidi piste;
    std::size_t manquants = 0, manquantsDerniere = 0;
    const std::size_t attendues = static_cast<std::size_t>(std::max(f.NbPistes, 1));
    if (f.Format == 1) {
        // The first chunk is the tempo track whatever its name says. The file may end before
        // the last tracks announced.
        while (f.Pistes.size() < attendues && LireChunk(o, pos, estPiste, piste, manquants)) {
            if (estPiste || f.Pistes.empty()) {
                f.Pistes.push_back(piste);
                manquantsDerniere = manquants;
            }
        }
    } else {
        do {
            if (!LireChunk(o, pos, estPiste, piste, manquants))
                return ResultatLectureMidi::Endommage;
        } while (!estPiste);
        f.Pistes.push_back(piste);
        manquantsDerniere = manquants;
    }
    for (std::size_t i = 0; i < f.Pistes.size(); ++i) {
        const bool derniere = i + 1 == f.Pistes.size();
        if (PisteValide(f, f.Pistes[i], derniere ? manquantsDerniere : 0))
            continue;
        // Cut short by the end of the file, a source track of format 1 is left out with the
        // tracks after it. Bytes that break the format anywhere else damage the whole file.
        if (!derniere || manquantsDerniere == 0 || f.Format == 0 || i == 0)
            return ResultatLectureMidi::Endommage;
        f.Pistes.pop_back();
    }
    if (f.Format == 1) {
        f.PistesIncompletes = static_cast<int32_t>(attendues - f.Pistes.size());
        // No source left whole: nothing to import.
        if (f.Pistes.empty() || (f.PistesIncompletes > 0 && f.Pistes.size() < 2 && !PisteAvecNotes(f, 0)))
            return ResultatLectureMidi::Endommage;
    }
    return ResultatLectureMidi::Ok;
}

ResultatLectureMidi ChargerFichierMidi(const std::string& chemin, TFichierMidi& fichier)
{
    std::ifstream in(chemin, std::ios::binary);
    if (!in)
        return ResultatLectureMidi::Inaccessible;
    std::vector<uint8_t> octets;
    char tampon[65536];
    while (in) {
        in.read(tampon, sizeof tampon);
        const std::streamsize n = in.gcount();
        if (n <= 0)
            break;
        if (octets.size() + static_cast<std::size_t>(n) > kTailleFichierMidiMax)
            return ResultatLectureMidi::NonReconnu;
        octets.insert(octets.end(), tampon, tampon + n);
    }
    if (in.bad())
        return ResultatLectureMidi::Inaccessible;
    return AnalyserFichierMidi(std::move(octets), fichier);
}

// ---- Tempo and measures ------------------------------------------------------------------------

int32_t TempoDepuisMicrosecondes(uint32_t microsecondes)
{
    if (microsecondes == 0)
        return -1;
    return static_cast<int32_t>(std::clamp<uint32_t>(60000000u / microsecondes, 1, 999));
}

void ConstructeurSignatures::Appliquer(int64_t ticks, int32_t nn, int32_t dd)
{
    if (nn < 1 || nn > 32 || dd < 0 || dd > 5)
        return;
    const uint8_t num = static_cast<uint8_t>(nn);
    const uint8_t den = static_cast<uint8_t>(1 << dd);
    const double duree = static_cast<double>(nn) / den * 4.0;

    auto nouveauBloc = [&](int32_t m) {
        *Partition.Mesures[m] = TMesure{};
        TMesure& ms = *Partition.Mesures[m];
        ms.Numerateur = num;
        ms.Denominateur = den;
        ms.Duree = duree;
        for (int32_t t = 1; t <= kNbPistes; ++t)
            ReinitialiserTemps(t, m, 1);
    };

    if (premiere_) {
        premiere_ = false;
        for (int32_t m = 2; m <= Partition.NbMesures; ++m)
            Partition.Mesures[m].reset();
        Partition.NbMesures = 1;
        if (!Partition.Mesures[1])
            Partition.Mesures[1] = std::make_unique<TMesure>();
        nouveauBloc(1);
        return;
    }
    const int32_t dernier = Partition.NbMesures;
    const TMesure& prec = *Partition.Mesures[dernier];
    const int64_t n = platform::Round(static_cast<double>(ticks - ticksSignature_) / (division_ * prec.Duree));
    if (n < 0 || n > kNbMesuresMax - dernier)
        return;
    if (n == 0) {
        nouveauBloc(dernier);
    } else {
        const uint8_t numPrec = prec.Numerateur, denPrec = prec.Denominateur;
        const double dureePrec = prec.Duree;
        for (int64_t j = 1; j < n; ++j)
            AjouterMesureImport(numPrec, denPrec, dureePrec);
        AjouterMesureImport(num, den, duree);
    }
    ticksSignature_ = ticks;
}

int32_t LireTempoEtSignatures(const TFichierMidi& fichier, std::size_t piste)
{
    int32_t tempo = -1;
    ConstructeurSignatures signatures(fichier.Division);
    LecteurEvenementsMidi lecteur = Lecteur(fichier, piste);
    TEvenementMidi e;
    while (lecteur.Suivant(e)) {
        const uint8_t* d = lecteur.Corps() + e.DebutDonnees;
        if (e.EstMeta(0x51) && e.LongueurDonnees >= 3) {
            if (tempo == -1)
                tempo = TempoDepuisMicrosecondes(uint32_t(d[0]) << 16 | uint32_t(d[1]) << 8 | d[2]);
        } else if (e.EstMeta(0x58) && e.LongueurDonnees >= 2) {
            signatures.Appliquer(e.Ticks, d[0], d[1]);
        }
    }
    return tempo;
}

TSourceMidi AnalyserSourceMidi(const TFichierMidi& fichier, std::size_t piste)
{
    TSourceMidi s;
    int32_t avantNom = -1;
    LecteurEvenementsMidi lecteur = Lecteur(fichier, piste);
    TEvenementMidi e;
    while (lecteur.Suivant(e)) {
        if (!s.AvecNom) {
            if (e.Classe() == 0xC0)
                avantNom = e.Donnee1;
            if (e.EstMeta(0x03)) {
                s.AvecNom = true;
                const auto* d = reinterpret_cast<const char*>(lecteur.Corps() + e.DebutDonnees);
                s.Nom.assign(d, e.LongueurDonnees);
            }
        } else if (e.Classe() == 0xC0) {
            s.Programme = e.Donnee1;
            return s;
        }
    }
    s.Programme = avantNom;
    return s;
}

bool PisteAvecNotes(const TFichierMidi& fichier, std::size_t piste)
{
    LecteurEvenementsMidi lecteur = Lecteur(fichier, piste);
    TEvenementMidi e;
    while (lecteur.Suivant(e))
        if (e.Classe() == 0x90 && e.Donnee2 > 0)
            return true;
    return false;
}

TCanauxMidi AnalyserCanauxMidi(const TFichierMidi& fichier, std::size_t piste)
{
    TCanauxMidi c;
    LecteurEvenementsMidi lecteur = Lecteur(fichier, piste);
    TEvenementMidi e;
    while (lecteur.Suivant(e)) {
        if (e.Classe() == 0x90 && e.StatutEcrit)
            c.Utilise[static_cast<std::size_t>(e.Canal())] = true;
        else if (e.Classe() == 0xC0)
            c.Programme[static_cast<std::size_t>(e.Canal())] = e.Donnee1;
    }
    return c;
}

// ---- Notes -------------------------------------------------------------------------------------

bool LireNotesPiste(const TFichierMidi& fichier, std::size_t piste, int32_t decalage, int32_t canal,
                    const std::function<void(int)>& progression, TNotesHorsListe* horsListe)
{
    ViderEvtImport();
    LecteurEvenementsMidi lecteur = Lecteur(fichier, piste);
    const std::size_t longueur = fichier.Pistes.at(piste).Longueur;
    const double division = fichier.Division;
    TNotesHorsListe omises;
    auto omettre = [](TNotesNonLues& n, double position) {
        if (n.Nombre++ == 0)
            n.Position = position;
    };

    double t = std::min(static_cast<double>(lecteur.Ticks()) / division, kDureeImportMax);
    double lastT = 0.0;
    // The group still sounding: the entries from debutGroupe to the newest, all of length 0.
    // dernier[q] is the newest entry of pitch q, so that a note-off finds its entry at once.
    int32_t debutGroupe = 1;
    std::array<int32_t, 128> dernier{};
    if (t > 0.0) {
        AjouterEvtImport(HauteurSilence, t);
        debutGroupe = 2;
    }

    // Once the list takes no more (the song's length is reached, or its capacity), the rest
    // of the track is only counted.
    bool plein = false;
    TEvenementMidi e;
    while (lecteur.Suivant(e)) {
        const double te = static_cast<double>(e.Ticks) / division;
        const int32_t classe = e.Classe();
        const bool noteOn = classe == 0x90 && e.Donnee2 > 0;
        const bool noteOff = classe == 0x80 || (classe == 0x90 && e.Donnee2 == 0);
        const bool duCanal = canal == 0 || e.Canal() == canal;
        if (!plein && te > kDureeImportMax) {
            plein = true;
            t = kDureeImportMax;
        }
        if (plein) {
            if (noteOn && duCanal)
                omettre(omises.Apres, te);
        } else if ((noteOn || noteOff) && duCanal) {
            t = te;
            const int32_t q = e.Donnee1 - decalage;
            // Below MIDI note 0 no instrument plays it, and -1 and -2 are the marks of rests
            // and ties.
            if (q < 0) {
                if (noteOn)
                    omettre(omises.SousZero, t);
            } else if (noteOn) {
                if (NbEvtImport == 1 && t > 0.0)
                    plein = !AjouterEvtImport(HauteurSilence, 0.0);
                if (!plein && AjouterEvtImport(q, 0.0)) {
                    int32_t k = NbEvtImport - 1;
                    if (t > 0.0) {
                        TEvtImport& avant = EvtImport[k - 1];
                        avant.Duree = t - lastT;
                        if (avant.Duree > 0.0)
                            debutGroupe = k;
                        else if (avant.Hauteur == HauteurSilence) {
                            avant = EvtImport[k];
                            --NbEvtImport;
                            --k;
                        }
                    }
                    lastT = t;
                    dernier[static_cast<std::size_t>(q)] = k;
                } else {
                    plein = true;
                    omettre(omises.Apres, t);
                }
            } else {
                const int32_t k = dernier[static_cast<std::size_t>(q)];
                const int32_t plusRecent = NbEvtImport - 1;
                if (k >= debutGroupe && k <= plusRecent && EvtImport[k].Hauteur == q && EvtImport[k].Duree == 0.0) {
                    if (AjouterEvtImport(HauteurSilence, 0.0)) {
                        EvtImport[plusRecent].Duree = t - lastT;
                        if (EvtImport[plusRecent].Duree > 0.0)
                            debutGroupe = plusRecent + 1;
                        lastT = t;
                    } else {
                        plein = true;
                    }
                }
            }
        } else {
            t = te;
        }
        if (progression && longueur > 0)
            progression(static_cast<int>(platform::Round(static_cast<double>(lecteur.Consommes()) / longueur * 28.0)));
    }
    if (lecteur.Erreur())
        return false;
    const bool coupe = plein || t >= kDureeImportMax;
    DureeTotaleImport = coupe ? t : std::min(static_cast<double>(lecteur.Ticks()) / division, kDureeImportMax);
    if (horsListe)
        *horsListe = omises;
    return true;
}
