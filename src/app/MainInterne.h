#pragma once
// What the units of the main window (Main*.cpp) share. Only they include it.
#include "editor/Commandes.h"
#include "platform/Cp1252.h"

#include <QString>
#include <cstddef>
#include <string_view>

namespace {

// Height of the edit image: the six strings with the room above for chord names and techniques
// and below for the rhythm.
constexpr int HauteurImageSaisie = 153;

inline QString VersQt(std::string_view cp1252) { return QString::fromStdString(platform::Cp1252VersUtf8(cp1252)); }

inline std::size_t Indice(Cmd c) { return static_cast<std::size_t>(c); }

} // namespace
