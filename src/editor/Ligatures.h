#pragma once
// Beaming: beats of an eighth and shorter are joined by beams inside the beat groups that the
// time signature gives. For every beat of a track part the result is written into the beat's
// beam bytes (LiensPrec, TempsPrec, CrochetsGauche, LiensSuiv, TempsSuiv, CrochetsDroite,
// CotePointe), where the score painters read it; for the measure in the edit zone the rhythm
// row under the staff (stems, beams, stubs, rhythm dots) is drawn from them as well.
//
// A quarter, half or whole rest is left out of the grouping: it is never a neighbour and keeps
// whatever beam bytes it had. Rests of an eighth and shorter are beamed like notes.
#include "document/Variable.h"
#include "platform/Canevas.h"

#include <cstdint>
#include <vector>

// Group sizes of a time signature and their divisor: a group of size G lasts
// Round(G * 480 / Diviseur) ticks. At most kNbGroupesMax groups; beats past the last group
// are grouped by the last size.
inline constexpr int kNbGroupesMax = 128;
struct TTableGroupes {
    std::vector<int> Tailles;
    int Diviseur = 2;
};
TTableGroupes TableGroupes(int numerateur, int denominateur);

// A closed group of beats, first..last.
struct TGroupeTemps {
    int32_t Premier = 0;
    int32_t Dernier = 0;
    friend bool operator==(const TGroupeTemps&, const TGroupeTemps&) = default;
};

// ---- Pure computation, on any measure block and track ----------------------------------------

// The groups of beats 1..nbTemps of track piste: a group closes as soon as the running length
// since its first beat is a whole number of group lengths (or at the last beat).
std::vector<TGroupeTemps> GroupesTemps(const TMesure& mesure, int32_t piste, int32_t nbTemps);
// The beam bytes of beats premier..dernier of one group.
void CalculerLigaturesGroupe(TMesure& mesure, int32_t piste, int32_t premier, int32_t dernier);
// The beam bytes of beats 1..nbTemps of track piste (nbTemps may include the free slot).
void CalculerLigaturesMesure(TMesure& mesure, int32_t piste, int32_t nbTemps);

// ---- The current measure and track -------------------------------------------------------

// Ticks of beats premier..dernier of the current measure and track; 0 when dernier < premier.
int64_t SommeDureesTemps(int32_t premier, int32_t dernier);
// The beam bytes of one group of the current measure and track; the second draws it as well.
void CalculerLigatures(int32_t premier, int32_t dernier);
void DessinerLigatures(platform::Canevas& c, int32_t premier, int32_t dernier);

// m > 0: measure m becomes the current measure and its beam bytes are computed, nothing is
// drawn. m = 0: the current measure, with the free slot when the cursor stands on it; the
// rhythm row of the edit zone is drawn, then the measure status refreshed.
void LigaturerMesure(platform::Canevas& c, int32_t m);
void LigaturerMesure(int32_t m);

// Every measure of the current track; measure 1 is current afterwards.
void LigaturerPartition();

// The beam bytes of measures premiere..derniere (kept to the song) of track piste, or of every
// track, from their beats alone (the free slot is left out); the current measure and track
// stay. For the changes that reach measures or tracks the edit zone does not show: a song
// that arrives whole, a time signature over a range, a paste, a rewritten track.
void LigaturerMesuresPiste(int32_t piste, int32_t premiere, int32_t derniere);
void LigaturerMesuresPistes(int32_t premiere, int32_t derniere);
