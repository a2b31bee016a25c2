#pragma once
// The command-state refresh: the enabled and checked state of the edit, note, effect and
// dynamic commands (and of Save, Paste and the dynamics palette) from the beat and note under
// the cursor, written into the command table. Nearly every operation calls it when done; the
// enabling rules are what keep the edits within their invariants (a whole note is never dotted,
// triplets go from half to 16th notes, rests are never dotted, the percussion track has no link
// techniques). Stateless: each call recomputes everything from the song and the cursor.
//
// It ends with the edit-zone scroll range, image width and cursor visibility, and the staff of
// the notation window.
void ActualiserCommandes();
