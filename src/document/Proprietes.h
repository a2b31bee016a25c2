#pragma once
// The working copy of the song and track properties that the properties and MIDI import
// dialogs edit: filled from the song when they open, written back on confirmation.

// Partition -> ProprietesTempo.
void CopierPartitionVersProprietes();
// ProprietesTempo -> Partition; texts longer than the song's fields are cut.
void CopierProprietesVersPartition();
