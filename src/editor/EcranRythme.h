#pragma once
// The score painter's rhythm below the staff: stems, beams and stubs, rhythm dots, triplet
// brackets, ties, and the rest glyphs in the middle of the staff. The beam structure is the
// beam grouping's (Ligatures.h): these painters read the beam bytes of each beat and the beat
// positions of the layout. The neighbour indices of the bytes are checked against the measure
// before use, since they live only in memory and may be stale.
//
// Below the staff, from the beam thickness e (EpCroches): the beam base yB = y(n) + 16 + 3e;
// beam i (1 the lowest) covers rows yB - 2 - (i - 1)(e + 1) to that + e - 1; stems end at
// yS = yB + e - 3, the lowest row of the first beam; triplet brackets and ties hang from the
// row yT = yB + 1 + e.
#include "editor/Ecran.h"

#include <cstdint>

struct TMetriquesRythme {
    int32_t EpCroches = 2;     // beam thickness e
    int32_t EcartCroches = 3;  // beam pitch e + 1
    int32_t BaseCroches = 0;   // yB
    int32_t FinHampes = 0;     // yS
    int32_t LigneTriolets = 0; // yT
    // First row of beam i (1 the lowest).
    int32_t HautCroche(int i) const { return BaseCroches - 2 - (i - 1) * EcartCroches; }
};
TMetriquesRythme MetriquesRythme(const TContexteEcran& ctx);

// Beams, stubs and the rhythm dot of beat b.
void DessinerCroches(TContexteEcran& ctx, int32_t b);
// The stem of beat b (with the segments joining the notes of a spread chord).
void DessinerHampes(TContexteEcran& ctx, int32_t b);
// The triplet bracket starting at beat b.
void DessinerTriolet(TContexteEcran& ctx, int32_t mesure, int32_t b);
// The tie ending at beat b, from the previous beat (across measures and lines).
void DessinerLiaisons(TContexteEcran& ctx, int32_t mesure, int32_t b);
// The rest glyph of beat b, in the middle of the staff.
void DessinerSilenceTemps(TContexteEcran& ctx, int32_t b, int code);
// A rest glyph of duration code -2..4 centred at (x, y), in a pen and solid brush of that
// colour. A code beyond 4 draws four flags, one below -2 nothing.
void DessinerSilence(platform::Canevas& c, int x, int y, platform::Couleur couleur, int code);
