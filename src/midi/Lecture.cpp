#include "midi/Lecture.h"

#include "document/Configuration.h"
#include "document/Fenetre.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Variable.h"
#include "midi/EcrireMidi.h"
#include "midi/FichierEcoute.h"
#include "midi/OrdreLecture.h"
#include "midi/uMIDIPile.h"
#include "platform/Arrondi.h"
#include "platform/Cp1252.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string_view>

bool MidiDisponible = false;
bool LectureTemps = false;
bool ArretDemande = false;
bool ArretDemandeClic = false;
bool SpeedTrainerActif = false;
bool DialogueAccordOuvert = false;
int32_t MesureDepartLecture = -1;
int32_t IndexLecture = 1;
std::string TitreLecture;
std::string LongueurLecture;
bool SolfegeOuvert = false;
bool PercussionOuvert = false;
bool DynaOuvert = false;

namespace {

platform::LecteurMediaAbsent lecteurAbsent;
platform::LecteurMedia* lecteur = &lecteurAbsent;

// The caption the timer last showed: it is assigned again only when it changes.
std::string legendeAffichee;

IFenetrePrincipale& Fenetre() { return FenetrePrincipale(); }

bool EnLecture() { return !Fenetre().CommandeActive("Ac_Son_LectureDebut"); }

bool ModeSuitPartition(TModeLecture mode) { return mode >= ModeLectureDebut && mode <= ModeLectureSpeedTrainer; }

const TMesure* BlocMesure(int32_t m)
{
    if (m < 1 || m > Partition.NbMesures || m > kNbMesuresMax)
        return nullptr;
    return Partition.Mesures[m].get();
}

// Minutes of one nominal measure at the pass tempo (the speed trainer's timing, and the
// count-in measure).
double MinutesMesure(int32_t m)
{
    const TMesure* bloc = BlocMesure(m);
    if (!bloc || EtatLecture.TempoCourant <= 0)
        return 0.0;
    return bloc->Duree / EtatLecture.TempoCourant;
}

// Minutes of play-order entry i; nothing past the entries the writer measured.
double MinutesEntree(int32_t i)
{
    if (i < 1 || i > NbOrdreLecture || i >= static_cast<int32_t>(DureesLecture.size()))
        return 0.0;
    return DureesLecture[i];
}

bool DecompteEcrit(TModeLecture mode)
{
    return (Configuration.Metronome && Configuration.FirstBarMetronome) ||
           (mode == ModeLectureSpeedTrainer && Configuration.AlwaysUseMetronomeSpeedTrainer);
}

// Where the second entry of the play order begins, in minutes from the start of the file.
double DebutDeuxiemeEntree(TModeLecture mode)
{
    double minutes = mode == ModeLectureSpeedTrainer ? MinutesMesure(Partition.MesureCourante) : MinutesEntree(1);
    if (DecompteEcrit(mode))
        minutes += MinutesMesure(Partition.MesureCourante);
    return minutes;
}

void CopierMesureEntree()
{
    if (const TMesure* bloc = BlocMesure(Partition.MesureCourante))
        CopieMesureEntree = *bloc;
}

void MontrerLegende(const std::string& legende)
{
    Fenetre().AfficherLegendeFenetre(legende.c_str());
    legendeAffichee = legende;
}

void ActiverCommandesLecture()
{
    IFenetrePrincipale& f = Fenetre();
    f.ActiverCommande("Ac_Son_LectureDebut", true);
    f.ActiverCommande("Ac_Son_Metronome", true);
    f.ActiverCommande("Ac_Son_LecturePosEC", true);
    f.ActiverCommande("Ac_Son_LectureMesureEC", true);
    f.ActiverCommande("Ac_Son_Stop", false);
}

void DesactiverAnnulation()
{
    Fenetre().ActiverCommande("BT_AnnulerMesure", false);
    Fenetre().ActiverCommande("Ac_Edition_Annuler", false);
}

// The palettes open now are closed and remembered. A restart from a score-view click finds
// them closed by the playback it replaces: what that playback remembered stays.
void FermerPalettesLecture()
{
    bool solfege = false, percussion = false, dyna = false;
    Fenetre().FermerPalettes(solfege, percussion, dyna);
    if (ArretDemandeClic) {
        SolfegeOuvert = SolfegeOuvert || solfege;
        PercussionOuvert = PercussionOuvert || percussion;
        DynaOuvert = DynaOuvert || dyna;
    } else {
        SolfegeOuvert = solfege;
        PercussionOuvert = percussion;
        DynaOuvert = dyna;
    }
}

// Close the player, let a pending notification run, write the file. On failure the player
// is opened again (the writer has shown its message).
bool EcrireFichierLecture(TModeLecture mode)
{
    platform::LecteurMedia& mp = MediaPlayer1();
    mp.Close();
    Fenetre().TraiterMessagesEnAttente();
    const std::string fichier = CheminFichierTemp();
    const bool ecrit = EcrireFichierMidi(fichier, mode);
    mp.SetFileName(fichier);
    if (!ecrit)
        mp.Open();
    return ecrit;
}

// The file is written: open it, enter the playing state and start.
void OuvrirEtDemarrer(TModeLecture mode, int32_t mesureDepart)
{
    IFenetrePrincipale& f = Fenetre();
    f.TraiterMessagesEnAttente();
    MediaPlayer1().Open();
    EtatLecture.Mode = mode;
    MesureDepartLecture = mesureDepart;
    ArretDemande = false;
    f.ActiverCommande("Ac_Son_LectureDebut", false);
    // The speed trainer leaves the metronome free and takes the loop away: it loops itself.
    f.ActiverCommande(mode == ModeLectureSpeedTrainer ? "Ac_Son_EnBoucle" : "Ac_Son_Metronome", false);
    f.ActiverCommande("Ac_Son_LecturePosEC", false);
    f.ActiverCommande("Ac_Son_LectureMesureEC", false);
    f.ActiverCommande("Ac_Son_Stop", true);
    DemarrerLecture();
}

// Steps of the end of a playback that also follow a failed start.
void RendreFenetre(bool apresEchec)
{
    IFenetrePrincipale& f = Fenetre();
    platform::LecteurMedia& mp = MediaPlayer1();
    f.ActiverTimerMidi(false);
    f.QuitterAffichageLecture();
    mp.SetNotify(false);
    if (!apresEchec) {
        f.ColorerBoutonPiste(PisteCourante);
        if (Partition.MesureCourante > Partition.NbMesures)
            Partition.MesureCourante = Partition.NbMesures;
        f.AjusterDefilementPartition();
        f.PlacerCadreMesure();
    }
    ActiverCommandesLecture();
    // The speed trainer turns the loop command off for its passes; nothing else gives it back.
    f.ActiverCommande("Ac_Son_EnBoucle", true);
    f.ReactiverCommandesEdition();
    f.RedessinerZoneSaisie();
    f.ActualiserCommandes();
    CopierMesureEntree();
    f.ReactiverProprietesPartition();
}

void FinLecture()
{
    platform::LecteurMedia& mp = MediaPlayer1();
    mp.Close();
    mp.Open();
    RendreFenetre(false);
    Fenetre().RouvrirPalettes(SolfegeOuvert, PercussionOuvert && PisteCourante == kPistePercussions, DynaOuvert);
    EtatLecture.Mode = ModeLectureAucun;
    if (ParcoursEnCours && !ArretDemande && Fenetre().SautParcours() > 0)
        Fenetre().ParcoursMorceauSuivant();
}

void RelancerSpeedTrainer()
{
    EtatLecture.TempoCourant += EtatLecture.PasTempo;
    if ((EtatLecture.PasTempo > 0 && EtatLecture.TempoCourant > EtatLecture.TempoFin) ||
        (EtatLecture.PasTempo < 0 && EtatLecture.TempoCourant < EtatLecture.TempoFin))
        EtatLecture.TempoCourant = EtatLecture.TempoFin;
    if (!EcrireFichierLecture(ModeLectureSpeedTrainer)) {
        // Without a file no notification would ever come again and Stop could not end the
        // playback: end it now.
        FinLecture();
        return;
    }
    EtatLecture.Mode = ModeLectureSpeedTrainer;
    Fenetre().TraiterMessagesEnAttente();
    IndexLecture = 1;
    MediaPlayer1().Open();
    DemarrerLecture();
}

void RelancerBoucle()
{
    IFenetrePrincipale& f = Fenetre();
    IndexLecture = 1;
    MediaPlayer1().Play();
    if (MesureDepartLecture > 0) {
        f.ControlerCouleurBoutonPiste(Partition.MesureCourante);
        Partition.MesureCourante = MesureDepartLecture;
        CopierMesureEntree();
    }
    if (EtatLecture.Mode == ModeLectureDebut) {
        f.ControlerCouleurBoutonPiste(Partition.MesureCourante);
        Partition.MesureCourante = 1;
    }
    EtatLecture.ProchaineMesure = DebutDeuxiemeEntree(EtatLecture.Mode);
    f.PlacerCadreMesure();
    DesactiverAnnulation();
    f.AfficherEtatNumeroMesure();
}

void LancerLecture(TModeLecture mode)
{
    int32_t premiere = 1;
    int32_t derniere = Partition.NbMesures;
    if (mode == ModeLectureDebut && ParcoursEnCours)
        derniere = MesuresParcours(Fenetre().SautParcours(), Partition.NbMesures);
    if (mode != ModeLectureDebut)
        premiere = Partition.MesureCourante;
    if (mode == ModeLectureMesure)
        derniere = Partition.MesureCourante;
    ConstruireOrdreLecture(premiere, derniere, Configuration.PlayRepeats);
    // A start measure that the unfolding never plays leaves nothing to play (the writer would
    // take a stale first entry for the count-in and write an empty song).
    if (NbOrdreLecture <= 0)
        return;
    // The measure-length check (CheckDuration) always lets playback go on.
    if (!MidiDisponible)
        return;
    FermerPalettesLecture();
    if (!EcrireFichierLecture(mode))
        return;
    OuvrirEtDemarrer(mode, mode == ModeLectureDepuisMesure ? Partition.MesureCourante : -1);
}

uint8_t Donnee(int64_t v) { return static_cast<uint8_t>(std::clamp<int64_t>(v, 0, 127)); }

int32_t EntierCapo(const std::string& texte)
{
    std::string_view t = texte;
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        t.remove_suffix(1);
    int32_t valeur = 0;
    const auto [fin, err] = std::from_chars(t.data(), t.data() + t.size(), valeur);
    if (err != std::errc() || fin != t.data() + t.size())
        return 0;
    return valeur;
}

// Pitch of row r (1..6 from the top): row r holds string r - (6 - NbCordes).
int32_t HauteurRangee(int32_t piste, int32_t rangee, int32_t capo)
{
    const int32_t nbCordes = std::clamp<int32_t>(ProprietesTempo.NbCordes[piste], 0, kNbCordesMax);
    const int32_t corde = rangee - (kNbCordesMax - nbCordes);
    if (corde < 1 || corde > kNbCordesMax)
        return capo;
    return capo + ProprietesTempo.Accordage[piste][corde];
}

void AjouterNotesEcoute(std::vector<uint8_t>& c, const TEcouteCordes& e, int32_t piste, int32_t capo, bool douze)
{
    auto hauteur = [&](int32_t rangee) { return HauteurRangee(piste, rangee, capo); };
    if (e.Corde >= 1) {
        const int32_t r = std::min<int32_t>(e.Corde, kNbCordesMax);
        const bool avecDouble = douze && r >= 3;
        const uint8_t p = Donnee(hauteur(r));
        c.insert(c.end(), {0x00, 0x90, p, 0x7F});
        if (avecDouble)
            c.insert(c.end(), {0x00, 0x90, Donnee(hauteur(r) + 12), 0x64});
        c.insert(c.end(), {0x83, 0x78, 0x80, p, 0x50, 0x00});
        if (avecDouble)
            c.insert(c.end(), {0x80, Donnee(hauteur(r) + 12), 0x50, 0x00});
        return;
    }
    // A strum from the lowest string up: deltas 0, 100, 95, 90, then 85 and 80 for the rows
    // whose buttons are enabled.
    struct Attaque {
        int32_t rangee;
        uint8_t delta;
    };
    std::vector<Attaque> attaques = {{6, 0x00}, {5, 0x64}, {4, 0x5F}, {3, 0x5A}};
    if (e.Ecouter2Actif) {
        attaques.push_back({2, 0x55});
        if (e.Ecouter1Actif)
            attaques.push_back({1, 0x50});
    }
    for (const Attaque& a : attaques) {
        c.insert(c.end(), {a.delta, 0x90, Donnee(hauteur(a.rangee)), 0x7F});
        if (douze && a.rangee >= 3)
            c.insert(c.end(), {0x00, 0x90, Donnee(hauteur(a.rangee) + 12), 0x64});
    }
    c.insert(c.end(), {0x83, 0x32});
    for (const Attaque& a : attaques) {
        c.insert(c.end(), {0x80, Donnee(hauteur(a.rangee)), 0x50, 0x00});
        if (douze && a.rangee >= 3)
            c.insert(c.end(), {0x80, Donnee(hauteur(a.rangee) + 12), 0x50, 0x00});
    }
}

int32_t PisteValide(int32_t piste) { return std::clamp<int32_t>(piste, 1, kNbPistes); }

} // namespace

// ---- The media player ------------------------------------------------------------------------

platform::LecteurMedia& MediaPlayer1() { return *lecteur; }

void InstallerMediaPlayer(platform::LecteurMedia* nouveau)
{
    lecteur->SetOnNotify({});
    lecteur = nouveau ? nouveau : &lecteurAbsent;
    lecteur->SetOnNotify([](platform::LecteurMedia::Fin) { MediaPlayer1Notify(); });
}

// ---- Sound commands ----------------------------------------------------------------------------

void Ac_Son_LectureDebutExecute() { LancerLecture(ModeLectureDebut); }
void Ac_Son_LecturePosECExecute() { LancerLecture(ModeLectureDepuisMesure); }
void Ac_Son_LectureMesureECExecute() { LancerLecture(ModeLectureMesure); }

void Ac_Son_StopExecute()
{
    ArretDemande = true;
    platform::LecteurMedia& mp = MediaPlayer1();
    mp.Stop();
    // The notification ends the playback; should none be on its way, nothing else would.
    if (EnLecture() && !mp.NotificationPending())
        FinLecture();
}

void Ac_Son_EnBoucleExecute()
{
    const bool coche = !Fenetre().CommandeCochee("Ac_Son_EnBoucle");
    Fenetre().CocherCommande("Ac_Son_EnBoucle", coche);
    Fenetre().CocherCommande("Bt_Son_EnBoucle", coche);
}

void Ac_Son_MetronomeExecute()
{
    Configuration.Metronome = !Configuration.Metronome;
    const bool coche = !Fenetre().CommandeCochee("Ac_Son_Metronome");
    Fenetre().CocherCommande("Ac_Son_Metronome", coche);
    Fenetre().CocherCommande("Bt_Son_Metronome", coche);
}

void Ac_Son_JouerSaisieExecute()
{
    Fenetre().CocherCommande("Ac_Son_JouerSaisie", !Fenetre().CommandeCochee("Ac_Son_JouerSaisie"));
}

void LancerPasseSpeedTrainer()
{
    if (NbOrdreLecture <= 0)
        return;
    FermerPalettesLecture();
    if (!EcrireFichierLecture(ModeLectureSpeedTrainer))
        return;
    OuvrirEtDemarrer(ModeLectureSpeedTrainer, MesureDebutSpeedTrainer);
}

// ---- Playback ----------------------------------------------------------------------------------

void DemarrerLecture()
{
    IFenetrePrincipale& f = Fenetre();
    platform::LecteurMedia& mp = MediaPlayer1();
    const TModeLecture mode = EtatLecture.Mode;
    const bool suitPartition = ModeSuitPartition(mode);

    if (f.CommandeActive("BT_AnnulerMesure"))
        f.RedessinerLignesModifiees(Partition.MesureCourante);

    f.DesactiverCommandesEdition();
    f.TraiterMessagesEnAttente();
    mp.SetNotify(false);
    mp.Close();
    mp.SetFileName(CheminFichierTemp());

    if (mode == ModeLectureDebut) {
        f.ControlerCouleurBoutonPiste(Partition.MesureCourante);
        Partition.MesureCourante = 1;
    }
    if (mode == ModeLectureSpeedTrainer) {
        SpeedTrainerActif = true;
        f.ControlerCouleurBoutonPiste(Partition.MesureCourante);
        Partition.MesureCourante = std::clamp<int32_t>(MesureDebutSpeedTrainer, 1, Partition.NbMesures);
    }
    if (suitPartition) {
        Curseur.Temps = 1;
        f.EntrerAffichageLecture(!ArretDemandeClic && !SpeedTrainerActif);
    }
    f.AjusterDefilementPartition();
    f.PlacerCadreMesure();
    if (suitPartition)
        DesactiverAnnulation();

    IndexLecture = 1;
    f.AfficherEtatNumeroMesure();
    EtatLecture.ProchaineMesure = DebutDeuxiemeEntree(mode);

    mp.Open();
    f.ActiverTimerMidi(true);
    mp.SetNotify(true);
    mp.Play();

    TitreLecture = LegendeFenetre();
    LongueurLecture = TexteDureeLecture(mp.Length());

    if (mp.Error() != platform::LecteurMedia::ErreurAucune) {
        AfficherMessage(Traduire("Fichier-ErreurMIDI"), platform::Utf8VersCp1252(mp.ErrorMessage()), IconeErreur,
                        BoutonOK, DefautOK, PlacementCentre);
        // Back to idle; the player stays closed and the palettes stay as they are.
        RendreFenetre(true);
    }
}

void TimerMidiTimer()
{
    IFenetrePrincipale& f = Fenetre();
    const int64_t position = MediaPlayer1().Position();
    const std::string legende = TitreLecture + " - " + TexteDureeLecture(position) + " / " + LongueurLecture;
    if (legende != legendeAffichee)
        MontrerLegende(legende);

    const TModeLecture mode = EtatLecture.Mode;
    if (mode == ModeLectureMesure)
        return;
    if (position / 60000.0 < EtatLecture.ProchaineMesure - 0.001)
        return;
    // Past the last entry only the notification is left to come.
    if (IndexLecture >= NbOrdreLecture || IndexLecture + 1 >= static_cast<int32_t>(OrdreLecture.size()))
        return;

    f.ControlerCouleurBoutonPiste(Partition.MesureCourante);
    ++IndexLecture;
    Partition.MesureCourante = OrdreLecture[IndexLecture];
    if (mode == ModeLectureSpeedTrainer && MesureFinSpeedTrainer < Partition.MesureCourante) {
        Partition.MesureCourante = MesureFinSpeedTrainer;
        return;
    }
    if (BlocMesure(Partition.MesureCourante)) {
        f.AfficherEtatNumeroMesure();
        f.PlacerCadreMesure();
        CopierMesureEntree();
        Curseur.Temps = 1;
        EtatLecture.ProchaineMesure +=
            mode == ModeLectureSpeedTrainer ? MinutesMesure(Partition.MesureCourante) : MinutesEntree(IndexLecture);
    } else {
        Partition.MesureCourante = Partition.NbMesures;
    }
}

void MediaPlayer1Notify()
{
    IFenetrePrincipale& f = Fenetre();
    platform::LecteurMedia& mp = MediaPlayer1();
    MontrerLegende(LegendeFenetre());

    if (ArretDemandeClic) {
        mp.Close();
        mp.Open();
        f.ActiverTimerMidi(false);
        return;
    }
    if (DialogueAccordOuvert) {
        mp.SetNotify(false);
        return;
    }
    if (f.AuditionProprietesEnCours()) {
        if (!f.RelancerAuditionProprietes())
            mp.SetNotify(false);
        return;
    }
    if (f.AuditionImportEnCours()) {
        if (!f.RelancerAuditionImport())
            mp.SetNotify(false);
        return;
    }
    if (LectureTemps || !EnLecture()) {
        LectureTemps = false;
        mp.SetNotify(false);
        return;
    }
    const bool boucle = f.CommandeCochee("Ac_Son_EnBoucle") && !ParcoursEnCours;
    if (!ArretDemande && (boucle || EtatLecture.Mode == ModeLectureSpeedTrainer)) {
        // A play order emptied meanwhile (an export rebuilds it) would restart nothing forever.
        if (NbOrdreLecture <= 0)
            FinLecture();
        else if (EtatLecture.Mode == ModeLectureSpeedTrainer)
            RelancerSpeedTrainer();
        else
            RelancerBoucle();
        return;
    }
    FinLecture();
}

// ---- Availability test, play while entering, auditions ----------------------------------------

std::vector<uint8_t> FichierTestSequenceur()
{
    std::vector<uint8_t> corps = {0xFF, 0x21, 0x01, 0x00,
                                  0x00, 0xFF, 0x20, 0x01, 0x0A};
    AjouterNomLogiciel(corps);
    AjouterOctets(corps, {0x00, 0xB9, 0x07, 0x7F, 0x00, 0xC9, 0x18, 0x00, 0xFF, 0x2F, 0x00});
    std::vector<uint8_t> o = EnTeteEcoute();
    AjouterPisteEcoute(o, corps);
    return o;
}

bool VerifierSequenceurMidi()
{
    const std::string fichier = CheminFichierTemp();
    if (!EcrireOctetsFichier(fichier, FichierTestSequenceur())) {
        Fenetre().CurseurSablier(false);
        return false;
    }
    platform::LecteurMedia& mp = MediaPlayer1();
    mp.SetFileName(fichier);
    bool disponible = mp.Open() && mp.Error() == platform::LecteurMedia::ErreurAucune;
    // A sequencer still loading its sounds has taken the file; the answer comes when it is
    // ready, and only a failure changes anything then.
    mp.QuandPret([&mp](bool pret) {
        if (pret)
            return;
        MidiDisponible = false;
        mp.SetEnabled(false);
    });
    if (disponible) {
        mp.SetNotify(true);
        disponible = mp.Play() && mp.Error() == platform::LecteurMedia::ErreurAucune;
    }
    if (!disponible)
        mp.SetEnabled(false);
    return disponible;
}

void JouerTempsSaisi()
{
    if (!MidiDisponible)
        return;
    IFenetrePrincipale& f = Fenetre();
    platform::LecteurMedia& mp = MediaPlayer1();
    if (!EcrireFichierLecture(ModeLectureTemps))
        return;
    f.TraiterMessagesEnAttente();
    mp.SetNotify(false);
    f.TraiterMessagesEnAttente();
    mp.SetFileName(CheminFichierTemp());
    mp.Open();
    mp.SetNotify(true);
    LectureTemps = true;
    mp.Play();
    if (mp.Error() != platform::LecteurMedia::ErreurAucune)
        mp.Stop();
}

std::vector<uint8_t> GenererEcouteAccordage(const TEcouteCordes& e)
{
    const int32_t t = PisteValide(e.Piste);
    const uint8_t c1 = static_cast<uint8_t>(CanalPiste[t] - 1);
    const uint8_t c2 = static_cast<uint8_t>(CanalEffetsPiste[t] - 1);
    std::vector<uint8_t> corps = {0xFF, 0x21, 0x01, 0x00, 0x00, 0xFF, 0x20, 0x01, 0x00};
    for (const uint8_t c : {c1, c2})
        AjouterOctets(corps, {0x00, uint8_t(0xB0 | c), 0x64, 0x00, 0x00, uint8_t(0xB0 | c), 0x65, 0x00});
    AjouterNomLogiciel(corps);
    AjouterOctets(corps, {0x00, 0xB0, 0x07, Donnee(ProprietesTempo.Volume[t]),
                               0x00, 0xB0, 0x5D, Donnee(ProprietesTempo.Chorus[t]),
                               0x00, 0xB0, 0x5B, Donnee(ProprietesTempo.Reverb[t]),
                               0x00, 0xB0, 0x0A, Donnee(ProprietesTempo.Panoramique[t]),
                               0x00, 0xC0, Donnee(ProprietesTempo.Instrument[t])});
    AjouterNotesEcoute(corps, e, t, EntierCapo(e.Capo), e.DouzeCordes);
    AjouterOctets(corps, {0xFF, 0x2F, 0x00});
    std::vector<uint8_t> o = EnTeteEcoute();
    AjouterPisteEcoute(o, corps);
    return o;
}

bool EcrireMidiEcouteAccordage(const std::string& fichier, const TEcouteCordes& ecoute)
{
    return EcrireFichierEcoute(fichier, GenererEcouteAccordage(ecoute));
}

std::vector<uint8_t> GenererEcouteImport(const TEcouteCordes& e)
{
    const int32_t t = PisteValide(e.Piste);
    std::vector<uint8_t> corps = {0xFF, 0x21, 0x01, 0x00, 0x00, 0xFF, 0x20, 0x01, 0x00,
                                  0x00, 0xB0, 0x64, 0x00, 0x00, 0xB0, 0x65, 0x00};
    AjouterNomLogiciel(corps);
    AjouterOctets(corps, {0x00, 0xB0, 0x07, 0x7F, 0x00, 0xB0, 0x5D, 0x00, 0x00, 0xB0, 0x5B, 0x00,
                               0x00, 0xB0, 0x0A, 0x40, 0x00, 0xC0, Donnee(ProprietesTempo.Instrument[t])});
    AjouterNotesEcoute(corps, e, t, 0, false);
    AjouterOctets(corps, {0xFF, 0x2F, 0x00});
    std::vector<uint8_t> o = EnTeteEcoute();
    AjouterPisteEcoute(o, corps);
    return o;
}

bool EcrireMidiEcouteImport(const std::string& fichier, const TEcouteCordes& ecoute)
{
    return EcrireFichierEcoute(fichier, GenererEcouteImport(ecoute));
}

// ---- Helpers ---------------------------------------------------------------------------------

std::string TexteDureeLecture(int64_t ms)
{
    const int64_t s = std::max<int64_t>(0, platform::Round(static_cast<double>(ms) / 1000.0));
    const int64_t m = s / 60;
    const int64_t secondes = s - 60 * m;
    return (m < 10 ? "0" : "") + std::to_string(m) + (secondes < 10 ? ":0" : ":") + std::to_string(secondes);
}

int32_t MesuresParcours(int32_t saut, int32_t nbMesures)
{
    static constexpr int32_t mesures[] = {0, 1, 2, 5, 10, 25, 10000};
    if (saut < 1 || saut > 6)
        return nbMesures;
    return std::min(mesures[saut], nbMesures);
}
