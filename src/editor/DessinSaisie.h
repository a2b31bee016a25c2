#pragma once
// The edit zone: the current measure of the current track at full size, with the edit cursor.
// Nothing is kept but the song: a full redraw paints the whole measure from the song record,
// and an edit repaints only the beat columns it touched. The zone draws in fixed colours,
// never in the display settings of the score view.
//
// Every painter draws on the canvas it is given. The forms without a canvas draw on the edit
// image the main window installed (CanevasSaisie), so the edit engine can call them as it
// calls the rest of the editor; until an image is installed they compute what they compute
// (beams, measure status) and draw nowhere.
//
// Geometry comes from the cursor record: beat b is centred at x(b) = MargeGauche + b *
// LargeurTemps, string s lies at y(s) = MargeHaut + (s - 1) * EspCordes. Beat 0 is the column
// left of beat 1, beat NbTemps + 1 the free column.
#include "document/Variable.h"
#include "platform/Canevas.h"

#include <cstdint>
#include <string>

// ---- The edit image ------------------------------------------------------------------------

// The canvas of the edit image; a canvas that draws nothing while none is installed.
platform::Canevas& CanevasSaisie();
// The main window installs the canvas of its edit image (nullptr takes it back). The canvas
// must outlive its installation; the window repaints the zone's widget after each command.
void InstallerCanevasSaisie(platform::Canevas* canevas);

// The cursor's beat and string before its last move: the cursor painter erases the box there.
// A full redraw and every cursor move set them.
extern int32_t TempsPrecedent;
extern int32_t CordePrecedente;

// ---- Measure status ------------------------------------------------------------------------

// How the current track's part of the current measure compares with the time signature, as
// last shown by AfficherEtatMesure. The cursor moves test "complete" to go on to the next
// measure.
enum class TEtatMesure : uint8_t { Incomplete, Complete, Depassee };
TEtatMesure EtatMesureAffiche();
inline bool MesureComplete() { return EtatMesureAffiche() == TEtatMesure::Complete; }

// Sum of the ticks of the track's beats 1..NbTemps in the measure; 0 for a measure that does
// not exist. Whole ticks, so that a part is complete exactly when this equals the nominal
// length times 480, whatever the mix of triplets and dots.
int64_t TicksMesure(int32_t piste, int32_t mesure);

// The decimal separator of the measure status and of the technique value texts: the locale's,
// which the program sets at start ('.' until then, and in tests).
char SeparateurDecimal();
void DefinirSeparateurDecimal(char separateur);

// "3.500" with three decimals and the separator.
std::string TexteTroisDecimales(double valeur);
// Shortest decimal text of a value ("1", "1.5", "2.25"), with the separator.
std::string TexteDecimalCourt(double valeur);

// Label NumMesure: "007 : 120" (each number padded with zeros to three digits).
std::string TexteNumeroMesure(int32_t mesure, int32_t nbMesures);
void AfficherNumeroMesure();

// Labels NbTps and NbTps2 from the current track of the current measure, their colour (lime
// when complete, red otherwise), the displayed state, and DureeReelle of the track (rounded
// to 1/1000 of a quarter).
void AfficherEtatMesure();

// ---- Full redraw ---------------------------------------------------------------------------

// The whole zone for the current measure: nothing while a song plays (Ac_Son_LectureDebut
// disabled). Clears the pending digit, takes the cursor as its previous position, beams the
// measure, refreshes the labels and disables Undo.
void RedessinerMesure(platform::Canevas& c);
void RedessinerMesure();

// The whole image white.
void EffacerZoneSaisie(platform::Canevas& c);
// String lines, the two end lines, then the repeat end.
void DessinerCordesSaisie(platform::Canevas& c);
// The time signature in the left margin.
void DessinerSignatureSaisie(platform::Canevas& c);
void DessinerSignatureSaisie();
// Repeat start (bars on measure 1 too), repeat end with its count (bars on the last measure
// too), alternate ending with its number.
void DessinerRenvoiDebutSaisie(platform::Canevas& c);
void DessinerRenvoiFinSaisie(platform::Canevas& c);
void DessinerFinAlternativeSaisie(platform::Canevas& c);
void DessinerRenvoisSaisie(); // the three on the edit image

// ---- Beats ---------------------------------------------------------------------------------

// One beat column b of the measure: its string cells, fret texts, joining line, cursor box,
// grace notes and rest glyph. With avecEffets the technique gaps left and right of it are
// repainted as well (the right one repaints beat b + 1 without its gaps).
void DessinerTempsSaisie(platform::Canevas& c, TCurseur curseur, int32_t mesure, bool avecEffets, int32_t b);
// Beat b of the current measure on the edit image, with the cursor as it stands.
void DessinerTempsSaisie(int32_t b, bool avecEffets = true);

// Moves the cursor box from (TempsPrecedent, CordePrecedente) to the cursor.
void DessinerCurseur(platform::Canevas& c);
void DessinerCurseur();

// The chord-name row ("[Name]" when a diagram is attached) and the beat-text row: each text
// from 4 pixels before its beat, moved past the one before it that it would cover while the
// image has room.
void DessinerNomsAccordsSaisie(platform::Canevas& c);
void DessinerNomsAccordsSaisie();
void DessinerTextesSaisie(platform::Canevas& c);
void DessinerTextesSaisie();

// Triplet brackets (one on the free column only while the cursor stands there) and ties.
void DessinerTrioletsSaisie(platform::Canevas& c);
void DessinerTrioletsSaisie();
// The tie of beat b towards the previous column, when it is tied.
void DessinerLieSaisie(platform::Canevas& c, int32_t b);

// Fret text of a note: the fret, "x" for a dead note, in parentheses for a ghost note.
std::string TexteFretteSaisie(int frette, int nuance);
