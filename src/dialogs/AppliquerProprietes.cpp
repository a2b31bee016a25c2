#include "dialogs/AppliquerProprietes.h"

#include "document/Fenetre.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Proprietes.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "platform/Sablier.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

int32_t BornerCordes(int32_t n) { return std::clamp<int32_t>(n, 1, kNbCordesMax); }

bool EstVide(std::string_view texte) { return texte.find_first_not_of(" \t") == std::string_view::npos; }

// Beats 1..NbTemps of the track in a block; the count is never trusted beyond the slots.
int32_t NbTempsBloc(const TMesure& bloc, int32_t piste)
{
    return std::clamp<int32_t>(bloc.NbTemps[piste], 0, kNbTempsMax);
}

void DeplacerNotesBloc(TMesure& bloc, int32_t piste, int32_t nbAncien, int32_t nbNouveau, int32_t decalage)
{
    const int32_t n = NbTempsBloc(bloc, piste);
    for (int32_t b = 1; b <= n; ++b)
        DeplacerNotesTemps(bloc.Temps[piste][b], nbAncien, nbNouveau, decalage);
}

// The old string that new string s receives after the move, 0 for none.
int32_t SourceString(int32_t s, int32_t nbAncien, int32_t decalage)
{
    const int32_t source = s - decalage;
    return source >= 1 && source <= nbAncien ? source : 0;
}

// The chord diagram of a beat whose strings move: a new record, the shared one left as it is.
std::shared_ptr<const TAccord> MovedChord(const TAccord& ancien, int32_t nbAncien, int32_t nbNouveau,
                                          int32_t decalage)
{
    auto accord = std::make_shared<TAccord>(ancien);
    for (int32_t s = 1; s <= kNbCordesMax; ++s) {
        const int32_t source = s <= nbNouveau ? SourceString(s, nbAncien, decalage) : 0;
        accord->Frettes[static_cast<std::size_t>(s)] = source > 0 ? ancien.Frettes[static_cast<std::size_t>(source)] : -1;
    }
    // A barre goes with its strings, cut to the strings the track keeps; left on one string,
    // it is no barre any more and that string's fret shows as a dot.
    int32_t nbBarres = 0;
    for (int32_t b = 1; b <= std::clamp<int32_t>(ancien.NbBarres, 0, 2); ++b) {
        const auto i = static_cast<std::size_t>(b);
        const int32_t debut = std::clamp(ancien.BarreCordeDebut[i] + decalage, 1, nbNouveau);
        const int32_t fin = std::clamp(ancien.BarreCordeFin[i] + decalage, 1, nbNouveau);
        if (debut == fin)
            continue;
        const auto j = static_cast<std::size_t>(++nbBarres);
        accord->BarreFrette[j] = ancien.BarreFrette[i];
        accord->BarreCordeDebut[j] = debut;
        accord->BarreCordeFin[j] = fin;
    }
    accord->NbBarres = nbBarres;
    return accord;
}

// Whether a note of old string s has no place among the new strings.
bool DroppedString(int32_t s, int32_t nbNouveau, int32_t decalage)
{
    return s + decalage < 1 || s + decalage > nbNouveau;
}

} // namespace

int32_t StringShift(int32_t nbAncien, const Tuning& ancien, int32_t nbNouveau, const Tuning& nouveau)
{
    nbAncien = BornerCordes(nbAncien);
    nbNouveau = BornerCordes(nbNouveau);
    const int32_t d = nbNouveau - nbAncien;
    const bool ajout = d > 0;
    const Tuning& grand = ajout ? nouveau : ancien;
    const Tuning& petit = ajout ? ancien : nouveau;
    const int32_t nbPetit = std::min(nbAncien, nbNouveau);
    const auto memesCordes = [&](int32_t ecart) {
        for (int32_t s = 1; s <= nbPetit; ++s)
            if (grand[s + ecart] != petit[s])
                return false;
        return true;
    };
    // From the lowest place up: where both rules agree, the place counted from the lowest
    // string is the one taken.
    for (int32_t ecart = std::abs(d); ecart >= 0; --ecart)
        if (memesCordes(ecart))
            return ajout ? ecart : -ecart;
    return d;
}

VerificationProprietes VerifierProprietes(std::string_view tempo, std::string_view capo, int32_t piste,
                                          int32_t nbCordesNouveau, const Tuning& accordageNouveau)
{
    if (EstVide(tempo))
        return {RefusProprietes::TempoVide, 0};
    if (EstVide(capo) || !TexteVersEntier(capo))
        return {RefusProprietes::CapoVide, 0};
    const std::optional<int32_t> t = TexteVersEntier(tempo);
    if (!t || *t < 1 || *t > 999)
        return {RefusProprietes::TempoInvalide, 0};
    if (const int32_t m = MesureAvecNotesCordesRetirees(piste, nbCordesNouveau, accordageNouveau); m > 0)
        return {RefusProprietes::CordesOccupees, m};
    return {};
}

int32_t MesureAvecNotesCordesRetirees(int32_t piste, int32_t nbCordesNouveau, const Tuning& accordageNouveau)
{
    if (piste < 1 || piste > kNbPistes)
        return 0;
    const int32_t nbAncien = BornerCordes(Partition.NbCordes[piste]);
    const int32_t nbNouveau = BornerCordes(nbCordesNouveau);
    if (nbNouveau >= nbAncien)
        return 0;
    const int32_t decalage = StringShift(nbAncien, Partition.Accordage[piste], nbNouveau, accordageNouveau);
    const int32_t nbMesures = std::clamp<int32_t>(Partition.NbMesures, 0, kNbMesuresMax);
    for (int32_t m = 1; m <= nbMesures; ++m) {
        const TMesure* bloc = Partition.Mesures[m].get();
        if (!bloc)
            continue;
        const int32_t n = NbTempsBloc(*bloc, piste);
        for (int32_t b = 1; b <= n; ++b)
            for (int32_t s = 1; s <= nbAncien; ++s)
                if (DroppedString(s, nbNouveau, decalage) && bloc->Temps[piste][b].Notes[s].Frette >= 0)
                    return m;
    }
    return 0;
}

void SignalerCordesOccupees(int32_t mesure, int32_t nbCordes)
{
    AfficherMessage(Traduire("Dlg-Erreur"),
                    FormaterMessage2(Traduire("Prop-PeutPasChangerDeNbDeCordes"), std::to_string(mesure),
                                     std::to_string(nbCordes)),
                    IconeErreur, BoutonOK, DefautOK, PlacementCentre);
}

void DeplacerNotesTemps(TTemps& temps, int32_t nbAncien, int32_t nbNouveau, int32_t decalage)
{
    nbAncien = BornerCordes(nbAncien);
    nbNouveau = BornerCordes(nbNouveau);
    if (nbNouveau == nbAncien)
        return;
    auto& notes = temps.Notes;
    const auto deplacer = [&](int32_t s) {
        if (const int32_t source = SourceString(s, nbAncien, decalage); source > 0) {
            notes[s] = notes[source];
            return;
        }
        TNoteCorde& n = notes[s];
        n.Frette = kPasDeNote;
        n.Effet = 0;
        n.ValeurBend = 1.0;
        n.Nuance = 6;
        n.FretteGrace = kPasDeNote;
    };
    // Each string is written before the one it takes its note from is overwritten.
    if (decalage > 0) {
        for (int32_t s = nbNouveau; s >= 1; --s)
            deplacer(s);
    } else {
        for (int32_t s = 1; s <= nbNouveau; ++s)
            deplacer(s);
    }
    if (temps.Accord)
        temps.Accord = MovedChord(*temps.Accord, nbAncien, nbNouveau, decalage);
}

void DeplacerNotesPiste(int32_t piste, int32_t nbAncien, int32_t nbNouveau, int32_t decalage)
{
    if (piste < 1 || piste > kNbPistes || BornerCordes(nbAncien) == BornerCordes(nbNouveau))
        return;
    const int32_t nbMesures = std::clamp<int32_t>(Partition.NbMesures, 0, kNbMesuresMax);
    for (int32_t m = 1; m <= nbMesures; ++m)
        if (TMesure* bloc = Partition.Mesures[m].get())
            DeplacerNotesBloc(*bloc, piste, nbAncien, nbNouveau, decalage);
    // Both copies are of the current measure as it stood before: left unmoved, restoring one
    // would put the old string layout back under the new count.
    DeplacerNotesBloc(MesureAnnulation, piste, nbAncien, nbNouveau, decalage);
    DeplacerNotesBloc(CopieMesureEntree, piste, nbAncien, nbNouveau, decalage);
}

void AppliquerProprietes(int32_t pisteOnglet)
{
    for (int32_t t = 1; t <= kNbPistes; ++t) {
        const int32_t ancien = Partition.NbCordes[t];
        const int32_t nouveau = ProprietesTempo.NbCordes[t];
        if (nouveau == ancien)
            continue;
        platform::Sablier sablier;
        DeplacerNotesPiste(t, ancien, nouveau,
                           StringShift(ancien, Partition.Accordage[t], nouveau, ProprietesTempo.Accordage[t]));
    }
    CopierProprietesVersPartition();
    PisteCourante = std::clamp<int32_t>(pisteOnglet, 1, kNbPistes);

    IFenetrePrincipale& fenetre = FenetrePrincipale();
    fenetre.AfficherTitreLabel(LigneTitrePartition().c_str());
    PartitionModifiee = true;
    PartitionVierge = false;
    Curseur.Corde = 1;
    Curseur.Temps = 1;
    RedessinerMesure();
    fenetre.RedessinerPartition();
    fenetre.ActualiserCommandes();
    fenetre.ActualiserMenuPistes();
}
