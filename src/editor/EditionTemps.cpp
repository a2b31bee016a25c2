#include "editor/EditionTemps.h"

#include "document/Fenetre.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "editor/EtatCommandes.h"
#include "editor/Ligatures.h"
#include "editor/Navigation.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <memory>

namespace {

int32_t R(double v) { return static_cast<int32_t>(platform::Round(v)); }

int Piste() { return std::clamp<int32_t>(PisteCourante, 1, kNbPistes); }

int NbCordesPiste() { return std::clamp<int32_t>(Partition.NbCordes[Piste()], 1, kNbCordesMax); }

int32_t& NbTempsPiste() { return MesureEnCours().NbTemps[Piste()]; }

bool SlotExiste(int32_t b) { return b >= 1 && b <= kNbTempsMax; }

TTemps& Slot(int32_t b) { return MesureEnCours().Temps[Piste()][std::clamp<int32_t>(b, 1, kNbTempsMax)]; }

// The place of a beat in its triplet group. A file may bring any byte there; read outside
// 1..3 it would put the group's first beat before slot 1 or past the last slot.
int PositionTriolet(const TTemps& t) { return std::clamp<int>(t.PosTriolet, 1, 3); }

// First beat of the cursor's triplet group.
int32_t DebutGroupe() { return Curseur.Temps + 1 - PositionTriolet(TempsCurseur()); }

void ReinitialiserNote(TNoteCorde& note)
{
    note.Frette = kPasDeNote;
    note.Effet = 0;
    note.ValeurBend = 1.0;
    note.Nuance = 6;
    note.FretteGrace = kPasDeNote;
}

// A played beat's notes and techniques go; its rhythm, text, chord and mix-table change stay.
void ViderTemps(TTemps& t)
{
    t.Effet = 0;
    t.ValeurCoupVib = 1.0;
    t.Brush = 0;
    for (int s = 1; s <= kNbCordesMax; ++s)
        ReinitialiserNote(t.Notes[s]);
}

void RetenirCurseur()
{
    TempsPrecedent = Curseur.Temps;
    CordePrecedente = Curseur.Corde;
}

// Beat columns premier..dernier of the edit zone, within the slots.
void RedessinerTemps(int32_t premier, int32_t dernier)
{
    for (int32_t b = std::max<int32_t>(premier, 1); b <= std::min<int32_t>(dernier, kNbTempsMax); ++b)
        DessinerTempsSaisie(b, true);
}

void RedessinerJusquaColonneLibre(int32_t premier) { RedessinerTemps(premier, NbTempsPiste() + 1); }

void Montrer() { FenetrePrincipale().ZoneSaisieModifiee(); }

// After the beat count changed: the columns from the cursor on, and the rows that follow the
// beats (triplets, beams, chord names, texts).
void RedessinerApresDecalage()
{
    RedessinerJusquaColonneLibre(Curseur.Temps);
    LigaturerMesure(0);
    DessinerTrioletsSaisie();
    DessinerNomsAccordsSaisie();
    DessinerTextesSaisie();
    Montrer();
}

bool ToutesNotesVides(const TTemps& t)
{
    for (int s = 1; s <= NbCordesPiste(); ++s)
        if (t.Notes[s].Frette >= 0)
            return false;
    return true;
}

// One beat out at the cursor. The snapshot is taken only for the beat the user asked to
// delete: the tied beats that follow it go as part of the same edit, so that undo brings the
// whole chain back rather than its last link.
void SupprimerUnTemps(bool sauver)
{
    if (Curseur.Temps < 1 || Curseur.Temps > NbTempsPiste())
        return;
    if (sauver)
        SauverAnnulation();
    Curseur.ChiffreEnAttente = false;
    RetenirCurseur();
    RetirerTempsCurseur();
    AjouterTempsVide();
    RedessinerApresDecalage();
}

// The beats tied to a deleted note go with it, unless the deleted beat was itself tied: they
// then continue the note before it. The free column ends the chain (its slot is no beat to
// delete, whatever its tie flag says).
void SupprimerTempsLies()
{
    while (NbTempsPiste() > 0 && !CurseurSurColonneLibre() && Curseur.Temps <= NbTempsPiste()
           && TempsCurseur().Lie && !LieAvantEffacement)
        SupprimerUnTemps(false);
}

// A beat copied to the end of the measure gets chord and mix-table records of its own.
TTemps Dupliquer(const TTemps& source)
{
    TTemps copie = source;
    if (source.Accord)
        copie.Accord = std::make_shared<const TAccord>(*source.Accord);
    if (source.TableMix) {
        auto mix = cTableMixEvent::Create();
        source.TableMix->CopierVers(*mix);
        copie.TableMix = std::move(mix);
    }
    return copie;
}

// A new duration and code on the cursor's beat, passed on to its triplet group, the columns
// repainted and the measure beamed again.
void PoserDuree(int32_t duree, int code)
{
    TTemps& t = TempsCurseur();
    t.Duree = duree;
    t.CodeDuree = static_cast<int8_t>(code);
    if (t.Triolet) {
        PropagerDureeTriolet();
        const int32_t debut = DebutGroupe();
        RedessinerTemps(debut, std::min<int32_t>(debut + 2, NbTempsPiste() + 1));
    } else {
        DessinerTempsSaisie(Curseur.Temps, true);
    }
    LigaturerMesure(0);
    Montrer();
}

} // namespace

// ---- Note values ---------------------------------------------------------------------------

void ChangerValeurNote(int codeDuree)
{
    if (codeDuree < -2 || codeDuree > 4)
        return;
    SauverAnnulation();
    const TTemps& t = TempsCurseur();
    const int32_t duree = codeDuree == -2 ? DureeEnTicks(-2, false, false)
                          : codeDuree <= 2 ? DureeEnTicks(codeDuree, t.Pointee && !t.Triolet, t.Triolet)
                                           : DureeEnTicks(codeDuree, t.Pointee, false);
    PoserDuree(duree, codeDuree);
    ActualiserCommandes();
}

void Ac_Note_RondeExecute() { ChangerValeurNote(-2); }
void Ac_Note_BlancheExecute() { ChangerValeurNote(-1); }
void Ac_Note_NoireExecute() { ChangerValeurNote(0); }
void Ac_Note_CrocheExecute() { ChangerValeurNote(1); }
void Ac_Note_DCrocheExecute() { ChangerValeurNote(2); }
void Ac_Note_TCrocheExecute() { ChangerValeurNote(3); }
void Ac_Note_QCrocheExecute() { ChangerValeurNote(4); }

void PropagerDureeTriolet()
{
    const TTemps source = TempsCurseur();
    const int32_t debut = DebutGroupe();
    for (int32_t b = debut; b <= debut + 2; ++b) {
        if (!SlotExiste(b))
            continue;
        TTemps& t = Slot(b);
        t.Duree = source.Duree;
        t.CodeDuree = source.CodeDuree;
        t.Pointee = source.Pointee;
    }
}

namespace {

// Allonger / Raccourcir after their guards: the new duration and code, passed on to a triplet
// group, and the columns repainted.
void AppliquerNouvelleDuree(int32_t duree, int code)
{
    SauverAnnulation();
    Curseur.ChiffreEnAttente = false;
    PoserDuree(duree, code);
}

} // namespace

void AllongerTemps()
{
    const TTemps& t = TempsCurseur();
    if (t.CodeDuree <= -2 || (t.CodeDuree == -1 && (t.Pointee || t.Triolet)))
        return;
    AppliquerNouvelleDuree(t.Duree * 2, t.CodeDuree - 1);
}

void RaccourcirTemps()
{
    const TTemps& t = TempsCurseur();
    if (t.CodeDuree >= 4 || (t.CodeDuree == 2 && t.Triolet))
        return;
    AppliquerNouvelleDuree(R(t.Duree / 2.0), t.CodeDuree + 1);
}

void Ac_Note_PointeeExecute()
{
    SauverAnnulation();
    TTemps& t = TempsCurseur();
    t.Duree = t.Pointee ? R(t.Duree * 2 / 3.0) : R(t.Duree * 3 / 2.0);
    DessinerTempsSaisie(Curseur.Temps, true);
    t.Pointee = !t.Pointee;
    LigaturerMesure(0);
    Montrer();
    ActualiserCommandes();
}

// ---- Triplets ------------------------------------------------------------------------------

void BasculerTriolet()
{
    TTemps& t = TempsCurseur();
    if (t.Pointee || t.CodeDuree <= -2 || t.CodeDuree >= 3)
        return;
    SauverAnnulation();
    Curseur.ChiffreEnAttente = false;
    const int32_t n = NbTempsPiste();

    if (t.Triolet) {
        // One duration for the whole group, from the cursor beat as it was: updating the
        // cursor beat first must not lengthen the members after it once more.
        const int32_t d = R(t.Duree * 3 / 2.0);
        const int32_t debut = DebutGroupe();
        const int32_t fin = std::min<int32_t>(debut + 2, std::min<int32_t>(n + 1, kNbTempsMax));
        for (int32_t b = std::max<int32_t>(debut, 1); b <= fin; ++b) {
            Slot(b).Triolet = false;
            Slot(b).Duree = d;
        }
        RedessinerTemps(debut, fin);
    } else {
        const int32_t temps = Curseur.Temps;
        const bool suivantTriolet = temps + 1 <= n && Slot(temps + 1).Triolet;
        const bool apresTriolet = temps + 2 <= n && Slot(temps + 2).Triolet;
        if (!suivantTriolet && !apresTriolet && temps < 63) {
            const int32_t d = R(t.Duree * 2 / 3.0);
            t.Duree = d;
            t.Triolet = true;
            t.PosTriolet = 1;
            for (int k = 0; k <= 2; ++k) {
                const int32_t b = temps + k;
                if (k > 0 && b > n)
                    break;
                TTemps& membre = Slot(b);
                membre.Triolet = true;
                membre.PosTriolet = static_cast<int8_t>(k + 1);
                membre.Duree = d;
                membre.CodeDuree = t.CodeDuree;
                membre.Pointee = t.Pointee;
            }
            RedessinerJusquaColonneLibre(temps);
        }
    }
    LigaturerMesure(0);
    DessinerTrioletsSaisie();
    Montrer();
}

void DefaireTriolet()
{
    const int32_t d = R(TempsCurseur().Duree * 3 / 2.0);
    const int32_t debut = DebutGroupe();
    const int32_t limite = std::min<int32_t>(NbTempsPiste() + 1, kNbTempsSaisis);
    for (int32_t b = std::max<int32_t>(debut, 1); b <= std::min<int32_t>(debut + 2, limite); ++b) {
        TTemps& membre = Slot(b);
        membre.Duree = d;
        membre.Triolet = false;
        DessinerTempsSaisie(b, true);
    }
}

// ---- Rests and ties ------------------------------------------------------------------------

void MettreSilence()
{
    // The free column of a part of 64 beats would become beat 65.
    if (!PeutEcrireTempsCurseur())
        return;
    SauverAnnulation();
    Curseur.ChiffreEnAttente = false;
    OccuperColonneLibre();
    TTemps& t = TempsCurseur();
    if (t.Pointee)
        t.Duree = R(t.Duree * 2 / 3.0);
    t.Lie = false;
    t.Silence = true;
    t.Pointee = false;
    ViderTemps(t);
    DessinerTempsSaisie(Curseur.Temps, true);
    LigaturerMesure(0);
    DessinerTrioletsSaisie();
    Montrer();
}

void Ac_Note_LierExecute()
{
    if (!PeutEcrireTempsCurseur()) {
        ActualiserCommandes();
        return;
    }
    SauverAnnulation();
    TempsCurseur().Lie = !TempsCurseur().Lie;
    BasculerLiaison();
    ActualiserCommandes();
}

void BasculerLiaison()
{
    Curseur.ChiffreEnAttente = false;
    TTemps& t = TempsCurseur();
    if (Partition.MesureCourante == 1 && Curseur.Temps == 1) {
        t.Lie = false;
        Commandes().SetChecked(Cmd::Ac_Note_Lier, false);
        return;
    }
    const int32_t n = NbTempsPiste();
    if (!t.Lie) {
        // The last beat disappears; the free column, which is no beat, only loses its flag.
        if (Curseur.Temps == n)
            --NbTempsPiste();
        else if (Curseur.Temps < n)
            t.Silence = true;
    } else {
        if (CurseurSurColonneLibre()) {
            if (!PeutEcrireTempsCurseur()) {
                t.Lie = false;
                return;
            }
            OccuperColonneLibre();
        }
        TTemps& lie = TempsCurseur();
        lie.Silence = false;
        ViderTemps(lie);
    }
    DessinerTempsSaisie(Curseur.Temps, true);
    LigaturerMesure(0);
    DessinerTrioletsSaisie();
    Montrer();
}

// ---- Deleting ------------------------------------------------------------------------------

void EffacerNoteCurseur()
{
    TNoteCorde& note = NoteCurseur();
    note.Frette = kPasDeNote;
    note.Effet = 0;
    note.ValeurBend = 1.0;
    note.Nuance = 6;
}

void EffacerNote()
{
    // The free slot is no beat: it has no note to delete and must not be removed.
    if (Curseur.Temps < 1 || Curseur.Temps > NbTempsPiste())
        return;
    const TTemps& t = TempsCurseur();
    if (t.Silence || t.Lie) {
        SupprimerTemps();
        return;
    }
    if (NoteCurseur().Frette < 0)
        return;

    Curseur.ChiffreEnAttente = false;
    RetenirCurseur();
    SauverAnnulation();
    EffacerNoteCurseur();
    if (ToutesNotesVides(TempsCurseur())) {
        RetirerTempsCurseur();
        AjouterTempsVide();
        RedessinerApresDecalage();
    } else {
        DessinerCurseur();
        Montrer();
    }
    SupprimerTempsLies();
}

void SupprimerTemps()
{
    if (CurseurSurColonneLibre())
        return;
    SupprimerUnTemps(true);
    SupprimerTempsLies();
}

void RetirerTempsCurseur()
{
    const int32_t n = NbTempsPiste();
    const int32_t temps = Curseur.Temps;
    if (temps < 1 || temps > n || n >= kNbTempsMax)
        return;
    TTemps& t = TempsCurseur();
    // Chord and mix-table change are shared records: dropping the beat's reference frees them
    // once no undo copy or clipboard holds them any more.
    t.Accord.reset();
    t.TableMix.reset();
    if (t.Triolet)
        DefaireTriolet();
    TMesure& bloc = MesureEnCours();
    for (int32_t b = temps; b <= n; ++b)
        bloc.Temps[Piste()][b] = bloc.Temps[Piste()][b + 1];
    --NbTempsPiste();
    TTemps& libre = Slot(n);
    for (int s = 1; s <= NbCordesPiste(); ++s)
        libre.Notes[s].Frette = kPasDeNote;
    DessinerTrioletsSaisie();
}

// ---- Inserting and copying -----------------------------------------------------------------

void InsererTemps()
{
    const int32_t n = NbTempsPiste();
    if (Curseur.Temps < 1 || Curseur.Temps > n || n >= kNbTempsSaisis)
        return;
    const TTemps& t = TempsCurseur();
    if (t.Triolet && PositionTriolet(t) > 1)
        return;
    SauverAnnulation();
    Curseur.ChiffreEnAttente = false;
    RetenirCurseur();
    InsererTempsVide();
    RedessinerApresDecalage();
}

void InsererTempsVide()
{
    const int32_t n = NbTempsPiste();
    const int32_t temps = Curseur.Temps;
    if (temps < 1 || temps > n + 1 || n + 2 > kNbTempsMax)
        return;
    TMesure& bloc = MesureEnCours();
    for (int32_t b = n; b >= temps; --b)
        bloc.Temps[Piste()][b + 1] = bloc.Temps[Piste()][b];
    ++NbTempsPiste();
    TTemps& t = TempsCurseur();
    t.Duree = kTicksNoire;
    t.CodeDuree = 0;
    t.Pointee = false;
    t.Triolet = false;
    t.Effet = 0;
    t.ValeurCoupVib = 1.0;
    t.Brush = 0;
    t.AvecAccord = false;
    t.Accord.reset();
    t.TableMix.reset();
    t.Texte.clear();
    for (int s = 1; s <= kNbCordesMax; ++s)
        ReinitialiserNote(t.Notes[s]);
    t.Silence = true;
    t.Lie = false;
    AjouterTempsVide();
}

void CopierTempsFin()
{
    const int32_t n = NbTempsPiste();
    if (n >= kNbTempsSaisis || n <= 0 || Curseur.Temps < 1 || Curseur.Temps > n)
        return;
    const TTemps& dernier = Slot(n);
    if (dernier.Triolet && dernier.PosTriolet < 3)
        return;
    const TTemps& t = TempsCurseur();
    if (t.Triolet && n > 61)
        return;
    SauverAnnulation();
    Curseur.ChiffreEnAttente = false;
    TMesure& bloc = MesureEnCours();

    if (t.Triolet) {
        const int position = PositionTriolet(t);
        const int32_t debut = DebutGroupe();
        for (int k = 0; k <= 2; ++k)
            bloc.Temps[Piste()][n + 1 + k] = Dupliquer(Slot(debut + k));
        NbTempsPiste() += 3;
        AjouterTempsVide();
        // Painted once they count as beats: a column past the free one shows no notes.
        RedessinerTemps(n + 1, n + 3);
        RetenirCurseur();
        Curseur.Temps = Curseur.Temps + 4 - position;
        DessinerCurseur();
        DessinerNomsAccordsSaisie();
        LigaturerMesure(0);
        DessinerTrioletsSaisie();
    } else {
        bloc.Temps[Piste()][n + 1] = Dupliquer(t);
        ++NbTempsPiste();
        AjouterTempsVide();
        DessinerTempsSaisie(n + 1, true);
        AllerTempsSuivant();
        DessinerNomsAccordsSaisie();
        LigaturerMesure(0);
        DessinerTrioletsSaisie();
    }
    Montrer();
}

// ---- The commands of these edits -------------------------------------------------------------

void Ac_Note_SilenceExecute()
{
    MettreSilence();
    ActualiserCommandes();
}

void Ac_Note_TrioletExecute()
{
    BasculerTriolet();
    ActualiserCommandes();
}

void Ac_Note_InsererTempsExecute()
{
    InsererTemps();
    ActualiserCommandes();
}

void Ac_Note_SupprimerTempsExecute()
{
    LieAvantEffacement = TempsCurseur().Lie;
    SupprimerTemps();
    ActualiserCommandes();
}

void Ac_Note_CopierTempsfinExecute()
{
    CopierTempsFin();
    ActualiserCommandes();
}

void EnregistrerCommandesEditionTemps()
{
    TCommandes& c = Commandes();
    const auto lier = [&c](Cmd commande, void (*handler)()) { c.Enregistrer(commande, [handler](Cmd) { handler(); }); };
    lier(Cmd::Ac_Note_Ronde, Ac_Note_RondeExecute);
    lier(Cmd::Ac_Note_Blanche, Ac_Note_BlancheExecute);
    lier(Cmd::Ac_Note_Noire, Ac_Note_NoireExecute);
    lier(Cmd::Ac_Note_Croche, Ac_Note_CrocheExecute);
    lier(Cmd::Ac_Note_DCroche, Ac_Note_DCrocheExecute);
    lier(Cmd::Ac_Note_TCroche, Ac_Note_TCrocheExecute);
    lier(Cmd::Ac_Note_QCroche, Ac_Note_QCrocheExecute);
    lier(Cmd::Ac_Note_Pointee, Ac_Note_PointeeExecute);
    lier(Cmd::Ac_Note_Silence, Ac_Note_SilenceExecute);
    lier(Cmd::Ac_Note_Triolet, Ac_Note_TrioletExecute);
    lier(Cmd::Ac_Note_Lier, Ac_Note_LierExecute);
    lier(Cmd::Ac_Note_InsererTemps, Ac_Note_InsererTempsExecute);
    lier(Cmd::Ac_Note_SupprimerTemps, Ac_Note_SupprimerTempsExecute);
    lier(Cmd::Ac_Note_CopierTempsfin, Ac_Note_CopierTempsfinExecute);
}
