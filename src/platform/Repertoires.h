#pragma once
// The two folders the program knows: its own (language and help files) and the one that
// stands for the Windows directory (ini files, the temporary MIDI file). Both end with '/'.
#include <string>

namespace platform {

// $LYRX_PROGRAM_DIR, else the data folder installed beside the executable
// (<exe dir>/data in a build tree, <prefix>/share/lyrandaxis once installed).
std::string RepertoireProgrammeParDefaut();

// $LYRX_WINDOWS_DIR, else $XDG_CONFIG_HOME/lyrandaxis (~/.config/lyrandaxis); created when missing.
std::string RepertoireWindowsParDefaut();

// Folder of the running executable, with its trailing '/'.
std::string RepertoireExecutable();

} // namespace platform
