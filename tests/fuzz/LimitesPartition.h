#pragma once
// What every reader that fills the song must leave behind when it accepts its input: a song
// the editor, the views, playback and the writer can walk without leaving the song record.
// A breach of this or of any target's own invariant aborts, so that the fuzzer keeps the input.
#include "document/Variable.h"

#include <cstdio>
#include <cstdlib>

namespace fuzz {

[[noreturn]] inline void Violation(const char* quoi, int a = 0, int b = 0, int c = 0)
{
    std::fprintf(stderr, "invariant broken: %s (%d, %d, %d)\n", quoi, a, b, c);
    std::abort();
}

inline bool EstPuissanceDeDeux(int v) { return v >= 1 && v <= 64 && (v & (v - 1)) == 0; }

inline void VerifierLimitesPartition()
{
    if (Partition.NbMesures < 1 || Partition.NbMesures > kNbMesuresMax)
        Violation("measure count", Partition.NbMesures);
    if (Partition.Tempo < 1 || Partition.Tempo > 999)
        Violation("tempo", Partition.Tempo);
    if (PisteCourante < 1 || PisteCourante > kNbPistes)
        Violation("current track", PisteCourante);
    if (NbAccordsPartition < 0 || NbAccordsPartition > kNbAccordsPartitionMax)
        Violation("song chords", NbAccordsPartition);
    for (int t = 1; t <= kNbPistes; ++t) {
        const int cordes = Partition.NbCordes[t];
        if (cordes < 1 || cordes > kNbCordesMax)
            Violation("strings", t, cordes);
        for (int s = 1; s <= cordes; ++s)
            if (Partition.Accordage[t][s] < 0 || Partition.Accordage[t][s] > 127)
                Violation("tuning", t, s, Partition.Accordage[t][s]);
        if (Partition.NbFrettes[t] < 1 || Partition.NbFrettes[t] > 99)
            Violation("frets", t, Partition.NbFrettes[t]);
        if (Partition.Instrument[t] < 0 || Partition.Instrument[t] > 127)
            Violation("instrument", t, Partition.Instrument[t]);
    }
    for (int m = 1; m <= Partition.NbMesures; ++m) {
        if (!Partition.Mesures[m])
            Violation("missing measure block", m);
        const TMesure& mesure = *Partition.Mesures[m];
        if (mesure.Numerateur < 1 || mesure.Numerateur > 32 || !EstPuissanceDeDeux(mesure.Denominateur))
            Violation("time signature", m, mesure.Numerateur, mesure.Denominateur);
        if (!(mesure.Duree > 0.0 && mesure.Duree <= 128.0))
            Violation("measure length", m);
        for (int t = 1; t <= kNbPistes; ++t) {
            // The slot after the last beat is the free one the editor writes into.
            const int nb = mesure.NbTemps[t];
            if (nb < 0 || nb > kNbTempsMax - 1)
                Violation("beats per track", m, t, nb);
            for (int b = 1; b <= nb; ++b) {
                const TTemps& temps = mesure.Temps[t][b];
                if (temps.Duree <= 0)
                    Violation("beat length", m, t, b);
                if (temps.CodeDuree < -2 || temps.CodeDuree > 4)
                    Violation("note value", m, t, temps.CodeDuree);
                if (temps.Triolet ? (temps.PosTriolet < 1 || temps.PosTriolet > 3) : temps.PosTriolet != 0)
                    Violation("triplet position", m, t, temps.PosTriolet);
                if (temps.Effet < 0 || temps.Effet > 9 || temps.Brush < 0 || temps.Brush > 2)
                    Violation("beat technique", m, t, b);
                if (temps.Brush > 0 && temps.DureeBrush == 0)
                    Violation("strum speed", m, t, b);
                if (temps.AvecAccord && !temps.Accord)
                    Violation("chord flag without chord", m, t, b);
                for (int s = 1; s <= Partition.NbCordes[t]; ++s) {
                    const TNoteCorde& note = temps.Notes[s];
                    if (note.Frette < kPasDeNote || note.Frette > kNoteMorte)
                        Violation("fret", m, t, note.Frette);
                    if (note.Effet > 7 || note.Nuance < 1 || note.Nuance > 8)
                        Violation("note technique or dynamic", m, t, b);
                    if (note.FretteGrace < kPasDeNote || note.FretteGrace > kNoteMorte)
                        Violation("grace fret", m, t, note.FretteGrace);
                }
            }
        }
    }
}

} // namespace fuzz
