#include "document/Proprietes.h"

#include "document/Variable.h"

#include <algorithm>

namespace {

// Only the tuning of the strings the track has is copied; a count out of range copies no
// more than the six entries that exist.
int CordesCopiees(int32_t nbCordes) { return std::clamp<int32_t>(nbCordes, 0, kNbCordesMax); }

} // namespace

void CopierPartitionVersProprietes()
{
    TProprietesTempo& p = ProprietesTempo;
    p.Titre = Partition.Titre.view();
    p.Auteur = Partition.Auteur.view();
    p.Commentaire = Partition.Commentaire.view();
    p.Tempo = Partition.Tempo;
    p.Triplet = Partition.TripletFeel;
    for (int t = 1; t <= kNbPistes; ++t) {
        p.NomPiste[t] = Partition.NomPiste[t].str();
        p.Instrument[t] = Partition.Instrument[t];
        p.NbCordes[t] = Partition.NbCordes[t];
        for (int s = 1; s <= CordesCopiees(Partition.NbCordes[t]); ++s)
            p.Accordage[t][s] = Partition.Accordage[t][s];
        p.Solo[t] = Partition.Solo[t];
        p.Muette[t] = Partition.Muette[t];
        p.PasExporter[t] = Partition.PasExporter[t];
        p.DouzeCordes[t] = Partition.DouzeCordes[t];
        p.Volume[t] = Partition.Volume[t];
        p.Panoramique[t] = Partition.Panoramique[t];
        p.Chorus[t] = Partition.Chorus[t];
        p.Reverb[t] = Partition.Reverb[t];
        p.Capo[t] = Partition.Capo[t];
        p.NbFrets[t] = Partition.NbFrettes[t];
    }
    p.ModeSolo = Partition.ModeSolo;
    p.PisteSolo = Partition.PisteSolo;
}

void CopierProprietesVersPartition()
{
    const TProprietesTempo& p = ProprietesTempo;
    Partition.Titre = p.Titre.view();
    Partition.Auteur = p.Auteur.view();
    Partition.Commentaire = p.Commentaire.view();
    Partition.Tempo = p.Tempo;
    Partition.TripletFeel = p.Triplet;
    for (int t = 1; t <= kNbPistes; ++t) {
        Partition.NomPiste[t] = p.NomPiste[t]; // cut to the song's 40 characters
        Partition.Instrument[t] = p.Instrument[t];
        Partition.NbCordes[t] = p.NbCordes[t];
        for (int s = 1; s <= CordesCopiees(p.NbCordes[t]); ++s)
            Partition.Accordage[t][s] = p.Accordage[t][s];
        Partition.Solo[t] = p.Solo[t];
        Partition.Muette[t] = p.Muette[t];
        Partition.PasExporter[t] = p.PasExporter[t];
        Partition.DouzeCordes[t] = p.DouzeCordes[t];
        Partition.Volume[t] = p.Volume[t];
        Partition.Panoramique[t] = p.Panoramique[t];
        Partition.Chorus[t] = p.Chorus[t];
        Partition.Reverb[t] = p.Reverb[t];
        Partition.Capo[t] = p.Capo[t];
        Partition.NbFrettes[t] = p.NbFrets[t];
    }
    Partition.ModeSolo = p.ModeSolo;
    Partition.PisteSolo = p.PisteSolo;
}
