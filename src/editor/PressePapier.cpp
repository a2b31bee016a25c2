#include "editor/PressePapier.h"

#include "document/Fenetre.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Routines.h"
#include "editor/Commandes.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "editor/EtatCommandes.h"
#include "editor/Ligatures.h"
#include "platform/Sablier.h"

#include <algorithm>
#include <memory>
#include <optional>

std::vector<TMesure> PressePapierMesures;
int32_t NbMesuresPressePapier = 0;
int32_t PistePressePapier = 0;
OneBased<int32_t, kNbPistes> NbCordesPressePapier{};
bool CopierToutesPistes = false;

// ---- The dialogs -------------------------------------------------------------------------------

namespace {

IDialoguesPressePapier annuleTout;
IDialoguesPressePapier* dialoguesInstalles = &annuleTout;

} // namespace

IDialoguesPressePapier& DialoguesPressePapier() { return *dialoguesInstalles; }

void InstallerDialoguesPressePapier(IDialoguesPressePapier* dialogues)
{
    dialoguesInstalles = dialogues ? dialogues : &annuleTout;
}

// ---- Shared steps ------------------------------------------------------------------------------

namespace {

int PisteValide() { return std::clamp<int32_t>(PisteCourante, 1, kNbPistes); }

// What the dialogs guarantee, checked again: a range the song holds.
bool PlageValide(int32_t debut, int32_t fin)
{
    return debut >= 1 && fin <= Partition.NbMesures && debut <= fin;
}

// A block of its own for measure m, with every track empty and its first slot prepared.
void AllouerMesureVide(int32_t m)
{
    Partition.Mesures[m] = std::make_unique<TMesure>();
    for (int t = 1; t <= kNbPistes; ++t) {
        Partition.Mesures[m]->NbTemps[t] = 0;
        InitialiserTempsSuivant(t, m);
    }
}

void SansRenvois(TMesure& bloc)
{
    bloc.RenvoiDebut = false;
    bloc.RenvoiFin = false;
    bloc.Repetition = false;
    bloc.NbRenvois = 1;
    bloc.NumRepetition = 1;
}

void CopierSignature(TMesure& cible, const TMesure& source)
{
    cible.Numerateur = source.Numerateur;
    cible.Denominateur = source.Denominateur;
    cible.Duree = source.Duree;
}

// The track buttons after a command that changed the content of some tracks.
void ColorerBoutons(int32_t piste)
{
    for (int t = 1; t <= kNbPistes; ++t) {
        if (piste != 0 && t != piste)
            continue;
        CalculerCouleurBoutonPiste(t);
        FenetrePrincipale().ColorerBoutonPiste(t);
    }
}

// The end shared by the range commands: the current measure is accepted as it now stands (no
// undo, no cancel back to an earlier state) and both views show the song again.
void TerminerCommandePlage(bool garderCorde)
{
    Curseur.Temps = 1;
    const int32_t nbCordes = std::clamp<int32_t>(Partition.NbCordes[PisteValide()], 1, kNbCordesMax);
    Curseur.Corde = garderCorde ? std::clamp<int32_t>(Curseur.Corde, 1, nbCordes) : 1;
    Curseur.ChiffreEnAttente = false;
    CopieMesureEntree = MesureEnCours();
    RedessinerMesure();
    Commandes().SetEnabled(Cmd::BT_AnnulerMesure, false);
    Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, false);
    FenetrePrincipale().RedessinerPartition();
    ApresChangementMesure();
    MarquerModifiee();
    ActualiserCommandes();
    FenetrePrincipale().ZoneSaisieModifiee();
}

// A song holds at most 1000 measures: a command that would add one more says so instead.
void AnnoncerPartitionPleine()
{
    AfficherMessage(Traduire("Dlg-Erreur"), Traduire("Gene-PartitionPleine"), IconeErreur, BoutonOK, DefautOK,
                    PlacementCentre);
}

// Why the clipboard cannot be pasted into the current track (a message key), or nullptr.
const char* RefusCollage()
{
    const int32_t t = PisteValide();
    const int32_t c = PistePressePapier;
    if (c == 0) {
        for (int p = 1; p <= kNbPistes; ++p)
            if (Partition.NbCordes[p] != NbCordesPressePapier[p])
                return "Paste-CollageImpNbCordesDiff";
        return nullptr;
    }
    if (c == kPistePercussions && t < kPistePercussions)
        return "Paste-ImpossibleCollerDepuisPercussions";
    if (c < kPistePercussions && t == kPistePercussions)
        return "Paste-ImpossibleCollerVersPercussions";
    if (NbCordesPressePapier[c] != Partition.NbCordes[t])
        return "Paste-CollageImpNbCordesDiff";
    return nullptr;
}

// Clipboard measure i into measure m of the song, on all tracks or from track c into track t.
void CollerMesure(int32_t i, int32_t m, int32_t c, int32_t t)
{
    const TMesure& source = PressePapierMesures[static_cast<std::size_t>(i)];
    TMesure& cible = *Partition.Mesures[m];
    if (c == 0) {
        cible = source;
        return;
    }
    CopierSignature(cible, source);
    // Slot NbTemps + 1 must exist for the free slot.
    const int32_t nb = std::clamp<int32_t>(source.NbTemps[c], 0, kNbTempsMax - 1);
    cible.NbTemps[t] = nb;
    for (int32_t b = 1; b <= nb; ++b)
        cible.Temps[t][b] = source.Temps[c][b];
    cible.DureeReelle[t] = source.DureeReelle[c];
    InitialiserTempsSuivant(t, m);
}

// The Copy dialog in `mode` over the current measure with the track choice last made, which it
// remembers; false, the command states refreshed, when it is cancelled or the range is not valid.
bool DemanderPlageCopie(ModeCopierForm mode, int32_t& debut, int32_t& fin, bool& toutesPistes)
{
    debut = Partition.MesureCourante;
    fin = debut;
    toutesPistes = CopierToutesPistes;
    if (!DialoguesPressePapier().Copier(mode, debut, fin, toutesPistes)) {
        ActualiserCommandes();
        return false;
    }
    CopierToutesPistes = toutesPistes;
    if (!PlageValide(debut, fin)) {
        ActualiserCommandes();
        return false;
    }
    FenetrePrincipale().TraiterMessagesEnAttente();
    return true;
}

} // namespace

// ---- The clipboard -----------------------------------------------------------------------------

void RemplirPressePapier(int32_t debut, int32_t fin, bool toutesPistes)
{
    debut = std::max<int32_t>(debut, 1);
    fin = std::min<int32_t>(fin, Partition.NbMesures);
    if (debut > fin)
        return;
    PistePressePapier = toutesPistes ? 0 : PisteValide();
    for (int t = 1; t <= kNbPistes; ++t)
        NbCordesPressePapier[t] = Partition.NbCordes[t];
    // The old content goes first, so that a large copy never holds two clipboards at once.
    PressePapierMesures.clear();
    PressePapierMesures.shrink_to_fit();
    PressePapierMesures.reserve(static_cast<std::size_t>(fin - debut + 1));
    for (int32_t m = debut; m <= fin; ++m)
        PressePapierMesures.push_back(*Partition.Mesures[m]);
    NbMesuresPressePapier = static_cast<int32_t>(PressePapierMesures.size());
}

void LibererPressePapier()
{
    PressePapierMesures.clear();
    PressePapierMesures.shrink_to_fit();
    NbMesuresPressePapier = 0;
}

// ---- The commands ------------------------------------------------------------------------------

void Ac_Edition_CopierExecute()
{
    if (LectureEnCours())
        return;
    int32_t debut = 0;
    int32_t fin = 0;
    bool toutesPistes = false;
    if (!DemanderPlageCopie(ModeCopierForm::Copier, debut, fin, toutesPistes))
        return;
    {
        platform::Sablier sablier;
        RemplirPressePapier(debut, fin, toutesPistes);
    }
    // Before the refresh, so that Paste is enabled at once.
    PressePapierPlein = true;
    TerminerCommandePlage(false);
}

void Ac_Edition_CouperExecute()
{
    if (LectureEnCours())
        return;
    int32_t debut = Partition.MesureCourante;
    int32_t fin = debut;
    if (!DialoguesPressePapier().Couper(debut, fin) || !PlageValide(debut, fin)) {
        ActualiserCommandes();
        return;
    }
    FenetrePrincipale().TraiterMessagesEnAttente();
    {
        platform::Sablier sablier;
        TMesure signature;
        CopierSignature(signature, *Partition.Mesures[1]);
        RemplirPressePapier(debut, fin, true);

        // The measures after the range move down over it; the blocks of the range end up past
        // the new last measure and are freed.
        const int32_t nb = fin - debut + 1;
        const int32_t ancien = Partition.NbMesures;
        auto* base = Partition.Mesures.data();
        std::rotate(base + debut, base + fin + 1, base + ancien + 1);
        for (int32_t m = ancien - nb + 1; m <= ancien; ++m)
            Partition.Mesures[m].reset();
        Partition.NbMesures = ancien - nb;

        if (Partition.NbMesures < 1) {
            AllouerMesureVide(1);
            TMesure& premiere = *Partition.Mesures[1];
            SansRenvois(premiere);
            CopierSignature(premiere, signature);
            Partition.NbMesures = 1;
        }
        Partition.MesureCourante = std::clamp<int32_t>(Partition.MesureCourante, 1, Partition.NbMesures);
    }
    PressePapierPlein = true;
    ColorerBoutons(0);
    TerminerCommandePlage(false);
}

void Ac_Edition_CollerExecute()
{
    if (LectureEnCours())
        return;
    if (!PressePapierPlein || NbMesuresPressePapier < 1
        || NbMesuresPressePapier != static_cast<int32_t>(PressePapierMesures.size())) {
        ActualiserCommandes();
        return;
    }
    if (const char* refus = RefusCollage()) {
        AfficherMessage(Traduire("Dlg-Erreur"), Traduire(refus), IconeErreur, BoutonOK, DefautOK, PlacementCentre);
        ActualiserCommandes();
        return;
    }

    const int32_t c = PistePressePapier;
    const int32_t t = PisteValide();
    const int64_t k = NbMesuresPressePapier;
    // A count the song has no room for is refused before anything changes: the song holds at
    // most 1000 measures, and pasting only part of what was asked would go unnoticed.
    const auto premiere = [](const TChoixCollage& ch) -> int64_t {
        return ch.Place == PlaceCollage::FinPartition ? Partition.NbMesures + 1 : Partition.MesureCourante;
    };
    const auto verifier = [k, premiere](const TChoixCollage& ch) {
        const int64_t total = k * ch.Nombre;
        const int64_t necessaire = ch.Place == PlaceCollage::AvantSelection
            ? Partition.NbMesures + total
            : std::max<int64_t>(Partition.NbMesures, premiere(ch) + total - 1);
        if (necessaire <= kNbMesuresMax)
            return true;
        AnnoncerPartitionPleine();
        return false;
    };
    TChoixCollage choix;
    choix.Verifier = verifier;
    // Asked again after the dialog: one that does not ask itself must not paste past 1000.
    if (!DialoguesPressePapier().Coller(c == 0, NbMesuresPressePapier, choix) || choix.Nombre < 1
        || choix.Nombre > 999 || !verifier(choix)) {
        ActualiserCommandes();
        return;
    }
    const int64_t total = k * choix.Nombre;
    const int64_t debut = premiere(choix);

    std::optional<platform::Sablier> sablier;
    if (c == 0) {
        FenetrePrincipale().TraiterMessagesEnAttente();
        sablier.emplace();
    }
    if (choix.Place == PlaceCollage::AvantSelection)
        InsererMesuresVides(static_cast<int32_t>(total));
    for (int64_t j = 0; j < total; ++j) {
        const int32_t m = static_cast<int32_t>(debut + j);
        if (m > Partition.NbMesures) {
            // The targets follow one another, so a new measure is always the next one.
            AllouerMesureVide(m);
            Partition.NbMesures = m;
        }
        CollerMesure(static_cast<int32_t>(j % k), m, c, t);
    }
    // A pasted track brings the time signature of its measure, which groups the other tracks'
    // beams too.
    LigaturerMesuresPistes(static_cast<int32_t>(debut), static_cast<int32_t>(debut + total - 1));
    sablier.reset();

    ColorerBoutons(c == 0 ? 0 : t);
    TerminerCommandePlage(false);
}

void Ac_Edition_InsererExecute()
{
    if (LectureEnCours())
        return;
    if (Partition.NbMesures >= kNbMesuresMax) {
        AnnoncerPartitionPleine();
        ActualiserCommandes();
        return;
    }
    bool insere = false;
    {
        platform::Sablier sablier;
        insere = InsererMesuresVides(1);
    }
    if (!insere) {
        ActualiserCommandes();
        return;
    }
    TerminerCommandePlage(true);
}

void Ac_Edition_ViderExecute()
{
    if (LectureEnCours())
        return;
    int32_t debut = 0;
    int32_t fin = 0;
    bool toutesPistes = false;
    if (!DemanderPlageCopie(ModeCopierForm::Vider, debut, fin, toutesPistes))
        return;
    const int32_t piste = PisteValide();
    for (int32_t m = debut; m <= fin; ++m) {
        TMesure& bloc = *Partition.Mesures[m];
        for (int t = 1; t <= kNbPistes; ++t) {
            if (!toutesPistes && t != piste)
                continue;
            bloc.NbTemps[t] = 0;
            InitialiserTempsSuivant(t, m);
        }
        if (toutesPistes)
            SansRenvois(bloc);
    }
    ColorerBoutons(toutesPistes ? 0 : piste);
    TerminerCommandePlage(false);
}

// ---- Song structure ----------------------------------------------------------------------------

void ReinitialiserPremierTemps(TMesure& bloc, int32_t piste, int32_t temps)
{
    if (piste < 1 || piste > kNbPistes || temps < 1 || temps > kNbTempsMax)
        return;
    bloc.Temps[piste][temps] = TTemps{};
}

bool InsererMesuresVides(int32_t n)
{
    const int32_t ancien = Partition.NbMesures;
    if (n < 1 || static_cast<int64_t>(ancien) + n > kNbMesuresMax)
        return false;
    const int32_t courante = std::clamp<int32_t>(Partition.MesureCourante, 1, ancien);

    // New blocks at the end, then turned round to stand before the current measure.
    for (int32_t m = ancien + 1; m <= ancien + n; ++m)
        Partition.Mesures[m] = std::make_unique<TMesure>();
    Partition.NbMesures = ancien + n;
    auto* base = Partition.Mesures.data();
    std::rotate(base + courante, base + ancien + 1, base + ancien + n + 1);

    // From the last new measure down, each taking the time signature of the one after it.
    const int32_t piste = PisteValide();
    for (int32_t m = courante + n - 1; m >= courante; --m) {
        TMesure& bloc = *Partition.Mesures[m];
        const TMesure& suivante = *Partition.Mesures[m + 1];
        for (int t = 1; t <= kNbPistes; ++t) {
            bloc.NbTemps[t] = 0;
            ReinitialiserPremierTemps(bloc, t, 1);
        }
        SansRenvois(bloc);
        CopierSignature(bloc, suivante);
        // Typing here continues with the note value the moved measure ends with.
        const int32_t nb = std::min<int32_t>(suivante.NbTemps[piste], kNbTempsMax);
        if (nb >= 1) {
            const TTemps& dernier = suivante.Temps[piste][nb];
            TTemps& premier = bloc.Temps[piste][1];
            premier.Duree = dernier.Duree;
            premier.CodeDuree = dernier.CodeDuree;
            premier.Pointee = dernier.Pointee;
            premier.Triolet = dernier.Triolet;
            premier.PosTriolet = 1;
        }
    }
    return true;
}

// ---- Registration ------------------------------------------------------------------------------

void EnregistrerCommandesPressePapier()
{
    TCommandes& c = Commandes();
    const auto lier = [&c](Cmd commande, void (*gestionnaire)()) {
        c.Enregistrer(commande, [gestionnaire](Cmd) { gestionnaire(); });
    };
    lier(Cmd::Ac_Edition_Couper, Ac_Edition_CouperExecute);
    lier(Cmd::Ac_Edition_Copier, Ac_Edition_CopierExecute);
    lier(Cmd::Ac_Edition_Coller, Ac_Edition_CollerExecute);
    lier(Cmd::Ac_Edition_Inserer, Ac_Edition_InsererExecute);
    lier(Cmd::Ac_Edition_Vider, Ac_Edition_ViderExecute);
}
