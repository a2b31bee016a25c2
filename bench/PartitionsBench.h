#pragma once
// Songs that the benchmarks and the memory measurement fill in memory, so that every figure
// is taken on the same music.

// What a test may change in the dense song; every figure is taken on it as it is by default.
struct VarianteDense {
    // Vibrato-stroke and bend amounts off the editor's grid, many of them different, as typed
    // values and songs of other programs give.
    bool MontantsHorsGrille = false;
    // Each chord and mix change a record of its beat's own, as edits make them, rather than
    // one record shared by all.
    bool EnregistrementsParTemps = false;
};

// The largest song the file allows: 1000 measures, 8 tracks, 64 beats of six notes with
// techniques, grace notes, and on every eighth beat a chord, a text and a mix-table change.
void RemplirPartitionDense(const VarianteDense& variante = {});

// 1000 measures of 4/4 on track 1 only: 32 thirty-second notes, one string each.
void RemplirPartitionUnePiste();
