#pragma once
// The song file (*.lrx): one writer, always version 2.21, and one reader for versions 1.0,
// 1.01 to 1.04, 2.20 and 2.21, which converts the older ones on the way.
//
// The reader trusts nothing in the file: every count is checked against the limits of the
// song record before it is used (more than 1000 measures, a string count outside 1..6, more
// than 65 beats in a track part, a header count byte larger than its text, more than 50
// chords, a text length beyond its capacity, a triplet position outside 1..3), and a file
// that breaks one, or ends early, is refused like an unknown file. Values that would later
// divide, index a table or become a MIDI byte are brought back into their range.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Version codes, from the version mark at the head of the file.
inline constexpr int VersionFichier100 = 100;
inline constexpr int VersionFichier101 = 101;
inline constexpr int VersionFichier102 = 102;
inline constexpr int VersionFichier103 = 103;
inline constexpr int VersionFichier104 = 104;
inline constexpr int VersionFichier220 = 220;
inline constexpr int VersionFichier221 = 221;

// Writes Partition and the song's chord list to CheminFichier in version 2.21. The file is
// first written beside the old one and only then put in its place, so a failed save leaves
// the old file as it was. False (after the error box) when it could not be written.
bool EcrireFichierPartition();

// Reads CheminFichier into Partition. The caller has reset the song (ReinitialiserPartition).
// The hourglass shows while the file is read and the normal cursor is back before any error
// box, so callers hold no hourglass of their own across the call. A file that cannot be
// opened, has an unknown version mark, ends early, breaks a limit or holds more different
// technique amounts than the program keeps gives its error box and leaves the new empty
// untitled song; the result is then false. PartitionModifiee is left as it is on success (the
// callers clear it), cleared when the file cannot be opened.
bool LireFichierPartition();

// ---- Without files, boxes or views: tests, benchmark and fuzzing -------------------------

// The version 2.21 image of the song in memory.
std::vector<uint8_t> ImageFichierPartition();

enum class ResultatLecture {
    Lue,
    VersionAncienne, // an old version 1 mark this program no longer reads
    Incorrecte,      // not a song file, cut short, or breaking a limit
    TropDeMontants,  // more different amounts off the grid than the program keeps (ReelCompact)
};

// Decodes a file image into Partition, which the caller has reset. Anything but Lue leaves a
// partly filled song, which the caller must reset again.
ResultatLecture DecoderFichierPartition(const uint8_t* octets, std::size_t taille);

// Version code of a version mark (the text of the first field), 0 when it is none of them.
int VersionMarqueFichier(std::string_view marque);
