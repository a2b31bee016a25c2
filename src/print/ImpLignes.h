#pragma once
// Printed line layout: the width of each beat from its duration, the width of each measure,
// how many measures fill a printed line, how the line is stretched to the working width, and
// the order in which the painters draw it. All lengths are print millimetres.
//
// The results are written into the song's layout fields of the current track, meaningful only
// while a job or a preview runs: per beat XImp (first relative to its measure, then its x on
// the line), per measure LargeurImp (natural width of its beats, then the x where its last
// beat's space ends), EspaceGaucheImp and EspaceDroiteImp (extra space before the first and
// after the last beat).
#include <cstdint>
#include <optional>

// Minimum widths by duration (LargeursDurees), LargeurBase and EspaceAvantTemps, from the note
// spacing setting CoefEspAff_Prt. Run at start-up and whenever the preferences change it.
void CalculerLargeursTempsImpression();
// The minimum printed width of a beat of that many ticks; 0 for a duration without an entry.
double LargeurMinimaleImpression(int32_t duree);

// XImp of the current track's beats of measure m relative to the measure, LargeurImp,
// EspaceGaucheImp and EspaceDroiteImp.
void EspacerMesureImpression(int32_t m);
// Space a laid-out measure takes on a line besides its beats: EspaceAvantTemps and its extra
// spaces before and after.
double EspaceFixeMesureImpression(int32_t m);
// The working width: the page width less the working margins.
double LargeurDisponibleImpression();

// Lays out the line that starts at measure m0 (at least m0 whatever its width) and returns its
// last measure; when dessiner is set also draws it at the current PosY. Where its texts can be
// measured (on the page, or on the output's measuring canvas), PosY first moves down by the
// rows its texts need over its diagrams, and as far as it takes for nothing the line draws
// over its staff to reach above hautMin (print mm).
int32_t ImprimerLigne(int32_t m0, bool dessiner, std::optional<double> hautMin = std::nullopt);
// The beats of measure m in their fixed order (texts, chords, effects, ties, notes, rhythm).
void ImprimerTempsMesure(int32_t m);
