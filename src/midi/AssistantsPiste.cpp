#include "midi/AssistantsPiste.h"

#include "document/Fenetre.h"
#include "document/Langue.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "midi/CompleterMesure.h"
#include "midi/ConstructionTemps.h"
#include "midi/Doigte.h"
#include "midi/EvtImport.h"
#include "platform/Sablier.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

int32_t PisteAssistant() { return std::clamp(PisteCourante, 1, kNbPistes); }
int32_t NbCordesPiste(int32_t t) { return std::clamp(Partition.NbCordes[t], 1, kNbCordesMax); }
int32_t NbTempsMesure(const TMesure& ms, int32_t t) { return std::clamp(ms.NbTemps[t], 0, kNbTempsMax - 1); }

// Writes the pitches of measures premiere..derniere of track t into the beats' scratch fields
// for the fingering optimiser: -1 for a rest, -2 for a tied beat, else the pitch of every
// fretted note moved by demiTons. The notes lose their string-bound fields.
void MarquerHauteurs(int32_t t, int32_t premiere, int32_t derniere, int32_t demiTons)
{
    const int32_t nbCordes = NbCordesPiste(t);
    for (int32_t m = std::max(premiere, 1); m <= std::min(derniere, Partition.NbMesures); ++m) {
        TMesure& ms = *Partition.Mesures[m];
        for (int32_t b = 1; b <= NbTempsMesure(ms, t); ++b) {
            TTemps& tp = ms.Temps[t][b];
            tp.NbHauteursImport = 0;
            if (tp.Silence || tp.Lie) {
                tp.HauteursImport[1] = tp.Silence ? HauteurSilence : HauteurLiaison;
                tp.NbHauteursImport = 1;
                continue;
            }
            for (int32_t s = 1; s <= nbCordes; ++s) {
                TNoteCorde& note = tp.Notes[s];
                note.Effet = 0;
                note.ValeurBend = 1.0;
                note.Nuance = 6;
                note.FretteGrace = kPasDeNote;
                if (note.Frette >= 0 && note.Frette <= FretteMax[t]) {
                    const int32_t hauteur = note.Frette + Partition.Accordage[t][s] + demiTons;
                    tp.HauteursImport[++tp.NbHauteursImport] = hauteur < 0 ? HauteurHorsTessiture : hauteur;
                }
            }
        }
    }
}

bool PorteContenu(const TTemps& tp) { return !tp.Texte.empty() || tp.AvecAccord || tp.TableMix; }

} // namespace

TNotesNonDoigtees TransposerPiste(int32_t demiTons)
{
    platform::Sablier sablier;
    MarquerHauteurs(PisteAssistant(), 1, Partition.NbMesures, demiTons);
    return OptimiserPlacementDoigts(1, Partition.NbMesures);
}

void PlacerDoigtsAuto(int32_t premiere, int32_t derniere)
{
    platform::Sablier sablier;
    if (derniere >= premiere)
        MarquerHauteurs(PisteAssistant(), premiere, derniere, 0);
    OptimiserPlacementDoigts(premiere, derniere);
}

void CompleterReduirePiste()
{
    platform::Sablier sablier;
    const int32_t t = PisteAssistant();
    for (int32_t m = 1; m <= Partition.NbMesures; ++m)
        CompleterMesureParSilences(t, m);
}

bool RedecouperPiste()
{
    platform::Sablier sablier;
    IFenetrePrincipale& f = FenetrePrincipale();
    const int32_t t = PisteAssistant();
    const int32_t nbCordes = NbCordesPiste(t);
    const int32_t m0 = Partition.NbMesures;
    const int32_t mesureAvant = Partition.MesureCourante;

    // The note list, with the old beat whose content each group carries (by closing entry).
    // Besides the notes, a rest or tied beat that holds a text, a chord or a mix-table change,
    // and a beat that is neither a rest nor tied but has no fret, keep a group of their own, so
    // that nothing of them is lost and every group meets its own beat again.
    ViderEvtImport();
    std::vector<std::pair<int32_t, int32_t>> origine(1, {0, 0});
    bool fusionnable = false; // the last entry is a rest that a plain rest may lengthen
    auto ajouter = [&](int32_t hauteur, double duree, std::pair<int32_t, int32_t> ancien) {
        if (!AjouterEvtImport(hauteur, duree))
            return false;
        origine.resize(static_cast<std::size_t>(NbEvtImport));
        origine.back() = ancien;
        return true;
    };
    // A measure in which the track has no beat, before its last beat, is silence of the
    // measure's length: what follows must not move up into it.
    int32_t derniereAvecTemps = 0;
    for (int32_t m = 1; m <= m0; ++m)
        if (Partition.Mesures[m]->NbTemps[t] > 0)
            derniereAvecTemps = m;
    for (int32_t m = 1; m <= m0; ++m) {
        const TMesure& ms = *Partition.Mesures[m];
        if (NbTempsMesure(ms, t) == 0 && m < derniereAvecTemps) {
            if (fusionnable && NbEvtImport > 1)
                EvtImport[NbEvtImport - 1].Duree += ms.Duree;
            else if (!ajouter(HauteurSilence, ms.Duree, {0, 0}))
                return false;
            fusionnable = true;
            continue;
        }
        for (int32_t b = 1; b <= NbTempsMesure(ms, t); ++b) {
            const TTemps& tp = ms.Temps[t][b];
            const double d = std::max(tp.Duree, 0) / static_cast<double>(kTicksNoire);
            const bool contenu = PorteContenu(tp);
            const bool dernierExiste = NbEvtImport > 1;
            bool ok = true;
            if (tp.Silence) {
                if (!contenu && fusionnable && dernierExiste)
                    EvtImport[NbEvtImport - 1].Duree += d;
                else
                    ok = ajouter(HauteurSilence, d, contenu ? std::pair{m, b} : std::pair{0, 0});
                fusionnable = true;
            } else if (tp.Lie) {
                if (contenu) {
                    ok = ajouter(HauteurLiaison, d, {m, b});
                    fusionnable = false;
                } else if (dernierExiste) {
                    EvtImport[NbEvtImport - 1].Duree += d;
                } else {
                    // Nothing to tie to: the beat's time must not vanish.
                    ok = ajouter(HauteurSilence, d, {0, 0});
                    fusionnable = true;
                }
            } else {
                bool avecNote = false;
                for (int32_t s = 1; s <= nbCordes && ok; ++s)
                    if (tp.Notes[s].Frette >= 0) {
                        ok = ajouter(tp.Notes[s].Frette + Partition.Accordage[t][s], 0.0, {0, 0});
                        avecNote = true;
                    }
                if (ok && avecNote) {
                    EvtImport[NbEvtImport - 1].Duree = d;
                    origine.back() = {m, b};
                } else if (ok) {
                    ok = ajouter(HauteurSilence, d, {m, b});
                }
                fusionnable = false;
            }
            if (!ok)
                return false;
        }
    }
    SupprimerSilencesFinaux();
    if (!EvtImportContientNotes())
        return true;
    DureeTotaleImport = 0.0;
    for (int32_t k = 1; k <= NbEvtImport; ++k)
        DureeTotaleImport += EvtImport[k].Duree;

    // The old blocks are kept aside (block 1 as a copy: it stays in place).
    std::vector<std::unique_ptr<TMesure>> anciens(static_cast<std::size_t>(m0) + 1);
    anciens[1] = std::make_unique<TMesure>(*Partition.Mesures[1]);
    for (int32_t m = 2; m <= m0; ++m)
        anciens[static_cast<std::size_t>(m)] = std::move(Partition.Mesures[m]);
    Partition.NbMesures = 1;
    Partition.MesureCourante = 1;
    auto ancien = [&](int32_t m) -> TMesure& { return *anciens[static_cast<std::size_t>(m)]; };
    auto restaurer = [&]() {
        for (int32_t m = 2; m <= Partition.NbMesures; ++m)
            Partition.Mesures[m].reset();
        *Partition.Mesures[1] = ancien(1);
        for (int32_t m = 2; m <= m0; ++m)
            Partition.Mesures[m] = std::move(anciens[static_cast<std::size_t>(m)]);
        Partition.NbMesures = m0;
        Partition.MesureCourante = mesureAvant;
    };

    f.ProgressionAttenteMidi(0);
    f.TexteAttenteMidi(Traduire("MidiImp-CreationPartition").c_str());
    f.RedessinerAttenteMidi();
    f.MontrerAttenteMidi(true);
    f.TraiterMessagesEnAttente();

    // The time signatures of the old measures, up to the last change; the builder appends the
    // measures after it.
    for (int32_t j = 2; j <= m0; ++j) {
        const TMesure& a = ancien(j);
        const TMesure& p = ancien(j - 1);
        if (a.Numerateur == p.Numerateur && a.Denominateur == p.Denominateur)
            continue;
        while (Partition.NbMesures < j - 1) {
            const TMesure& dernier = *Partition.Mesures[Partition.NbMesures];
            AjouterMesureImport(dernier.Numerateur, dernier.Denominateur, dernier.Numerateur * 4.0 / dernier.Denominateur);
        }
        AjouterMesureImport(a.Numerateur, a.Denominateur, a.Duree);
    }

    const TResultatConstruction r = ConstruirePisteDepuisEvt();
    if (r.Tronque) {
        restaurer();
        f.MontrerAttenteMidi(false);
        f.TraiterMessagesEnAttente();
        return false;
    }

    // Rests and ties first, then every group's first piece takes its old beat's content and
    // keeps its own rhythm.
    for (int32_t m = 1; m <= Partition.NbMesures; ++m) {
        TMesure& ms = *Partition.Mesures[m];
        for (int32_t b = 1; b <= NbTempsMesure(ms, t); ++b) {
            TTemps& tp = ms.Temps[t][b];
            if (tp.NbHauteursImport >= 1 && tp.HauteursImport[1] == HauteurSilence)
                tp.Silence = true;
            else if (tp.NbHauteursImport >= 1 && tp.HauteursImport[1] == HauteurLiaison)
                tp.Lie = true;
        }
    }
    for (int32_t k = 1; k <= NbEvtImport && k < static_cast<int32_t>(origine.size()); ++k) {
        const auto [am, ab] = origine[static_cast<std::size_t>(k)];
        const auto [nm, nb] = r.PremierMorceau[static_cast<std::size_t>(k)];
        if (am == 0 || nm == 0)
            continue;
        TTemps& nouveau = Partition.Mesures[nm]->Temps[t][nb];
        const TTemps rythme = nouveau;
        nouveau = ancien(am).Temps[t][ab];
        nouveau.Duree = rythme.Duree;
        nouveau.CodeDuree = rythme.CodeDuree;
        nouveau.Pointee = rythme.Pointee;
        nouveau.Triolet = rythme.Triolet;
        nouveau.PosTriolet = rythme.PosTriolet;
    }

    if (Partition.NbMesures > m0)
        for (int32_t m = m0 + 1; m <= Partition.NbMesures; ++m)
            for (int32_t u = 1; u <= kNbPistes; ++u)
                if (u != t) {
                    Partition.Mesures[m]->NbTemps[u] = 0;
                    InitialiserTempsSuivant(u, m);
                }
    if (Partition.NbMesures < m0) {
        // The old blocks come back whole, the track emptied in them.
        for (int32_t m = Partition.NbMesures + 1; m <= m0; ++m) {
            Partition.Mesures[m] = std::move(anciens[static_cast<std::size_t>(m)]);
            Partition.Mesures[m]->NbTemps[t] = 0;
            InitialiserTempsSuivant(t, m);
        }
        Partition.NbMesures = m0;
    }
    for (int32_t m = 1; m <= m0; ++m) {
        if (!anciens[static_cast<std::size_t>(m)])
            continue;
        TMesure& ms = *Partition.Mesures[m];
        const TMesure& a = ancien(m);
        for (int32_t u = 1; u <= kNbPistes; ++u) {
            if (u == t)
                continue;
            ms.NbTemps[u] = a.NbTemps[u];
            ms.Temps[u] = a.Temps[u];
            ms.DureeReelle[u] = a.DureeReelle[u];
            InitialiserTempsSuivant(u, m);
        }
        ms.RenvoiDebut = a.RenvoiDebut;
        ms.RenvoiFin = a.RenvoiFin;
        ms.Repetition = a.Repetition;
        ms.NumRepetition = a.NumRepetition;
        ms.NbRenvois = a.NbRenvois;
    }
    anciens.clear();

    f.MontrerAttenteMidi(false);
    f.TraiterMessagesEnAttente();
    SupprimerMesuresVidesFin();
    Partition.MesureCourante = std::clamp(mesureAvant, 1, Partition.NbMesures);
    return true;
}
