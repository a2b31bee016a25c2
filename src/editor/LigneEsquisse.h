#pragma once
// A sketch of one display line: background, empty staves, bars and a short tick under each
// beat, straight from the layout. It stands in for the score painter until that is installed
// (InstallerPeintresPartition), and shows the line breaking and justification on screen.
#include <cstdint>

// Paints display line `ligne` into its ring band; a line past the song is left empty.
void DessinerLigneEsquisse(int32_t ligne);
