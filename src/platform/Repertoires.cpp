#include "platform/Repertoires.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace platform {

namespace {

std::string AvecSeparateur(std::string s)
{
    if (s.empty() || s.back() != '/')
        s += '/';
    return s;
}

std::string Variable(const char* nom)
{
    const char* v = std::getenv(nom);
    return v ? std::string(v) : std::string();
}

} // namespace

std::string RepertoireExecutable()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return AvecSeparateur(fs::current_path(ec).string());
    return AvecSeparateur(exe.parent_path().string());
}

std::string RepertoireProgrammeParDefaut()
{
    if (auto v = Variable("LYRX_PROGRAM_DIR"); !v.empty())
        return AvecSeparateur(v);
    const fs::path exe = RepertoireExecutable();
    std::error_code ec;
    if (fs::is_directory(exe / "data", ec))
        return AvecSeparateur((exe / "data").string());
    const fs::path installe = exe.parent_path().parent_path() / "share" / "lyrandaxis";
    if (fs::is_directory(installe, ec))
        return AvecSeparateur(installe.string());
    return exe.string();
}

std::string RepertoireWindowsParDefaut()
{
    std::string dir = Variable("LYRX_WINDOWS_DIR");
    if (dir.empty()) {
        std::string base = Variable("XDG_CONFIG_HOME");
        if (base.empty())
            base = Variable("HOME").empty() ? std::string("/tmp") : Variable("HOME") + "/.config";
        dir = base + "/lyrandaxis";
    }
    std::error_code ec;
    fs::create_directories(dir, ec);
    return AvecSeparateur(dir);
}

} // namespace platform
