#include "dialogs/Percussions.h"

#include "document/Fenetre.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Variable.h"
#include "midi/FichierEcoute.h"
#include "midi/Lecture.h"
#include "midi/uMIDIPile.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr std::array<std::string_view, kNbSonsPercussion> kNoms{
    "High Q",         "Slap",           "Scratch Push",   "Scratch Pull",  "Sticks",         "Square Click",
    "Metronome Click", "Metronome Bell", "Acoustic Bass Drum", "Bass Drum 1", "Side Stick",  "Acoustic Snare",
    "Hand Clap",      "Electric Snare", "Low Floor Tom",  "Closed Hi-Hat", "High Floor Tom", "Pedal Hi-Hat",
    "Low Tom",        "Open Hi-Hat",    "Low-Mid Tom",    "Hi-Mid Tom",    "Crash Cymbal 1", "High Tom",
    "Ride Cymbal 1",  "Chinese Cymbal", "Ride Bell",      "Tambourine",    "Splash Cymbal",  "Cowbell",
    "Crash Cymbal 2", "Vibraslap",      "Ride Cymbal 2",  "High Bongo",    "Low Bongo",      "Mute Hi Conga",
    "Open Hi Conga",  "Low Conga",      "High Timbale",   "Low Timbale",   "High Agogo",     "Low Agogo",
    "Cabasa",         "Maracas",        "Short Whistle",  "Long Whistle",  "Short Guiro",    "Long Guiro",
    "Claves",         "Hi Wood Block",  "Low Wood Block", "Mute Cuica",    "Open Cuica",     "Mute Triangle",
    "Open Triangle",  "Shaker",         "Jingle Bell",    "Bell Tree",     "Castinets",      "Mute Surdo",
    "Open Surdo",
};

uint8_t Donnee(int64_t v) { return static_cast<uint8_t>(std::clamp<int64_t>(v, 0, 127)); }

} // namespace

std::string TexteSonPercussion(int index)
{
    if (index < 0 || index >= kNbSonsPercussion)
        return {};
    return std::to_string(index + kPremiereNotePercussion) + " - " + std::string(kNoms[static_cast<std::size_t>(index)]);
}

std::vector<uint8_t> GenererMidiPercussion(int note)
{
    constexpr int p = kPistePercussions;
    const uint8_t n = Donnee(note);
    std::vector<uint8_t> corps = {0xFF, 0x21, 0x01, 0x00,
                                  0x00, 0xFF, 0x20, 0x01, 0x0A};
    AjouterNomLogiciel(corps);
    AjouterOctets(corps, {0x00, 0xB9, 0x07, Donnee(Partition.Volume[p]),
                               0x00, 0xB9, 0x5D, Donnee(Partition.Chorus[p]),
                               0x00, 0xB9, 0x5B, Donnee(Partition.Reverb[p]),
                               0x00, 0xB9, 0x0A, Donnee(Partition.Panoramique[p]),
                               0x00, 0xC9, Donnee(Partition.Instrument[p]),
                               0x00, 0x99, n, 0x7F,
                               0x83, 0x78, 0x89, n, 0x50, // 504 ticks later
                               0x00, 0xFF, 0x2F, 0x00});
    std::vector<uint8_t> o = EnTeteEcoute();
    AjouterPisteEcoute(o, corps);
    return o;
}

bool EcrireMidiPercussion(const std::string& fichier, int note)
{
    // A file written in part is refused as one that could not be created: playing it would
    // only give the sequencer a broken file.
    return EcrireFichierEcoute(fichier, GenererMidiPercussion(note));
}

void JouerPercussion(int note)
{
    platform::LecteurMedia& mp = MediaPlayer1();
    mp.SetNotify(false);
    mp.Close();
    // The end of the previous play, posted by the close, is heard before the file changes.
    FenetrePrincipale().TraiterMessagesEnAttente();
    const std::string fichier = CheminFichierTemp();
    if (!EcrireMidiPercussion(fichier, note))
        return;
    JouerFichierEcoute(mp, fichier);
}
