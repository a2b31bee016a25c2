#pragma once
// The technique glyphs of the edit zone. The zone has no scalable symbol font, so each glyph
// is lines, pixels, rectangles and small texts at fixed offsets, tuned for the default
// geometry (columns 50 pixels wide, strings 14 apart); other geometries keep the pixel sizes.
//
// The techniques of beat b stand in the gap right of its column: link techniques of its notes
// between this column and the next, the beat technique in the row above the staff, the strum
// arrow, and a red mark for a mix-table change. Rests are drawn inside their column.
#include "platform/Canevas.h"

#include <cstdint>
#include <string>

// Clears and repaints the gap right of column b of the current measure (b = 0: the gap before
// beat 1). With redessinerSuivant, beat b + 1 (when it exists) is repainted without its gaps,
// since the clearing may have cut into its column.
void DessinerEffetsSaisie(platform::Canevas& c, int32_t b, bool redessinerSuivant);
void DessinerEffetsSaisie(int32_t b, bool redessinerSuivant);

// The beat-technique glyph of beat b above the staff; lettre is the letter of techniques 4..9.
void DessinerEffetTempsSaisie(platform::Canevas& c, int32_t b, const std::string& lettre);
// The link-technique glyph of the note of string s of beat b.
void DessinerLiaisonsSaisie(platform::Canevas& c, int32_t b, int32_t s);
// The rest glyph of a beat of that duration code, centred at x.
void DessinerSilenceSaisie(platform::Canevas& c, int codeDuree, int x);

// Letter of a beat technique: "<", "T", "S", "P", "H", "A.H." for 4..9, empty otherwise.
std::string LettreEffetTemps(int effet);
// Value text of a bend or vibrato-stroke amount: "1/4", "1/2", "3/4", else the shortest
// decimal text with the decimal separator of the measure status.
std::string TexteValeurEffet(double valeur);
