#pragma once
// What the edit engine needs of the media player: a preview still sounding is closed before an
// edit, and a typed beat is played when play-while-entering is on. Playback lives in a layer
// the engine does not link against, so the program installs its player here; until then (and
// in tests) a player that never works answers, which is also the road of a machine without a
// working sequencer.

class ILecteurSaisie {
public:
    virtual ~ILecteurSaisie() = default;

    // Closes the media player (ends a preview that is still sounding).
    virtual void FermerLecteur() {}
    // The availability test at first activation found a working sequencer.
    virtual bool MidiDisponible() const { return false; }
    // Plays the beat under the cursor through the single-beat MIDI file.
    virtual void JouerTempsSaisi() {}
};

ILecteurSaisie& LecteurSaisie();
void InstallerLecteurSaisie(ILecteurSaisie* lecteur); // nullptr puts the silent one back
