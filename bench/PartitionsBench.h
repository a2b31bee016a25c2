#pragma once
// Songs that the benchmarks and the memory measurement fill in memory, so that every figure
// is taken on the same music.

// The largest song the file allows: 1000 measures, 8 tracks, 64 beats of six notes with
// techniques, grace notes, and on every eighth beat a chord, a text and a mix-table change.
void RemplirPartitionDense();

// 1000 measures of 4/4 on track 1 only: 32 thirty-second notes, one string each.
void RemplirPartitionUnePiste();
