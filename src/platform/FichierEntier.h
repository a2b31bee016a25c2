#pragma once
// A whole file read into memory in one go, as the language files, tablature texts, wave
// sounds, the splash picture, cursor files and the MIDI files the player plays are read.
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The file's bytes; nothing when it is not a regular file (a folder, a device), cannot be
// opened or read to its end, or holds more than `tailleMax` bytes.
template <class Octets>
std::optional<Octets> LireFichierEntier(const std::string& chemin,
                                        std::uintmax_t tailleMax = std::numeric_limits<std::uintmax_t>::max());

extern template std::optional<std::string> LireFichierEntier<std::string>(const std::string&, std::uintmax_t);
extern template std::optional<std::vector<uint8_t>> LireFichierEntier<std::vector<uint8_t>>(const std::string&,
                                                                                            std::uintmax_t);

} // namespace platform
