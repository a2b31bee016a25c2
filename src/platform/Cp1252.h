#pragma once
// Texts of song, language and ini files are Windows-1252 bytes; they are converted only where
// they meet the user interface.
#include <string>
#include <string_view>

namespace platform {

// Windows-1252 bytes to UTF-8. The five bytes that code page leaves undefined map to the
// C1 control of the same value, so no byte is ever lost.
std::string Cp1252VersUtf8(std::string_view octets);

// UTF-8 to Windows-1252; a character the code page lacks (or a malformed sequence) becomes '?'.
std::string Utf8VersCp1252(std::string_view utf8);

} // namespace platform
