#include "documents/folders.hpp"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <system_error>

#include <pwd.h>
#include <unistd.h>

#include "documents/atomic_file.hpp"
#include "documents/text_encoding.hpp"
#include "documents/text_utils.hpp"
#include "version.hpp"

namespace qdx {

namespace fs = std::filesystem;

namespace {

struct FolderCache {
    std::optional<std::string> exePath, programFiles, documents, userData, desktop, makerDir,
        makerCommon, config;
};

FolderCache& Cache() {
    thread_local FolderCache cache;
    return cache;
}

template <typename F>
std::string Cached(std::optional<std::string>& slot, F compute) {
    if (!slot) slot = compute();
    return *slot;
}

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string HomeDir() {
    std::string home = Env("HOME");
    if (!home.empty()) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return {};
}

// An XDG base folder: the variable when it holds an absolute path, else home + fallback.
std::string XdgBase(const char* variable, const char* fallback) {
    std::string v = Env(variable);
    if (!v.empty() && v.front() == '/') return v;
    std::string home = HomeDir();
    return home.empty() ? std::string() : home + "/" + fallback;
}

// XDG_<NAME>_DIR from user-dirs.dirs: a line NAME="$HOME/Documents" or NAME="/abs/path".
std::string UserDirsEntry(std::string_view name) {
    std::string text;
    std::string config = XdgBase("XDG_CONFIG_HOME", ".config");
    if (config.empty() || !ReadWholeFile(config + "/user-dirs.dirs", text)) return {};
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        std::string line = Trim(std::string_view(text).substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        pos = end == std::string::npos ? text.size() : end + 1;
        std::string key, value;
        if (line.empty() || line.front() == '#' || !SplitNameValue(line, key, value) || key != name)
            continue;
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0) value = HomeDir() + value.substr(5);
        if (!value.empty() && value.front() == '/') return value;
    }
    return {};
}

std::string ExePath() {
    return Cached(Cache().exePath, [] {
        std::error_code ec;
        fs::path p = fs::read_symlink("/proc/self/exe", ec);
        return ec ? std::string() : p.string();
    });
}

// The data folder of an installed program, found from the program file rather than from the
// configured prefix: a package, a prefix given only at install time and a staging folder
// (DESTDIR) all keep the folder at the same place beside bin/. Empty when there is none.
std::string InstalledDataDir() {
    const std::string exe = ExePath();
    if (exe.empty()) return {};
    std::error_code ec;
    const fs::path dir = (fs::path(exe).parent_path() / build::kInstallDataFromBin).lexically_normal();
    return fs::is_directory(dir, ec) ? AddBackslash(dir.string()) : std::string();
}

// The installed data folder; else, for a run from the build, the build's folder; else the
// configured install folder (a program copied away from its installation).
std::string InstalledOr(const char* buildFolder) {
    std::string dir = InstalledDataDir();
    if (!dir.empty()) return dir;
    std::error_code ec;
    return AddBackslash(fs::is_directory(buildFolder, ec) ? buildFolder : build::kInstallDataDir);
}

std::string ShippedDataDir() {
    return Cached(Cache().programFiles, [] { return InstalledOr(build::kSourceDataDir); });
}

std::string TrimmedSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

std::string AddBackslash(std::string_view path) {
    std::string out(path);
    if (!out.empty() && out.back() != '/') out += '/';
    return out;
}

std::string ExeDir() {
    std::string path = ExePath();
    return path.empty() ? std::string("./") : AddBackslash(fs::path(path).parent_path().string());
}

std::string ExeName() { return ProgramName(ExePath()); }

std::string ProgramFilesDir() { return ShippedDataDir(); }

std::string CommonFilesDir() { return ShippedDataDir(); }

std::string BuiltDataDir() { return InstalledOr(build::kBuiltDataDir); }

std::string DocumentsDir() {
    return Cached(Cache().documents, [] {
        std::string dir = Env("XDG_DOCUMENTS_DIR");
        if (dir.empty() || dir.front() != '/') dir = UserDirsEntry("XDG_DOCUMENTS_DIR");
        if (dir.empty()) {
            std::string home = HomeDir();
            if (home.empty()) throw std::runtime_error("Could not find My Documents folder location.");
            dir = home + "/Documents";
        }
        return TrimmedSlashes(dir);
    });
}

std::string UserDataDir() {
    return Cached(Cache().userData, [] {
        try {
            std::string dir = AddBackslash(DocumentsDir()) + "Calorix/" + ExeName() + "/";
            std::error_code ec;
            fs::create_directories(dir, ec);
            if (fs::is_directory(dir, ec)) return dir;
        } catch (const std::runtime_error&) {
            // No documents folder at all: the program folder will do.
        }
        return ExeDir();
    });
}

std::string DesktopDir() {
    return Cached(Cache().desktop, [] {
        std::string dir = Env("XDG_DESKTOP_DIR");
        if (dir.empty() || dir.front() != '/') dir = UserDirsEntry("XDG_DESKTOP_DIR");
        if (dir.empty()) dir = HomeDir() + "/Desktop";
        return AddBackslash(TrimmedSlashes(dir));
    });
}

std::string MakerDir() {
    return Cached(Cache().makerDir, [] {
        std::string common = Env("QDX_COMMON_DIR");
        if (!common.empty()) return AddBackslash(fs::absolute(common).string());
        return AddBackslash(XdgBase("XDG_DATA_HOME", ".local/share")) + "Calorix/";
    });
}

std::string MakerCommonDir() {
    return Cached(Cache().makerCommon, [] {
        if (!Env("QDX_COMMON_DIR").empty()) return MakerDir();
        return MakerDir() + "Common Files/";
    });
}

std::string ConfigDir() {
    return Cached(Cache().config,
                  [] { return AddBackslash(XdgBase("XDG_CONFIG_HOME", ".config")) + "Calorix/"; });
}

std::string DataHomeDir() { return AddBackslash(XdgBase("XDG_DATA_HOME", ".local/share")); }

// The environment holds bytes; a name set in a Windows-1252 terminal is read as such.
std::string RegisteredOwner() { return AsUtf8(Env("QDX_OWNER")); }

std::string RegisteredOrganization() { return AsUtf8(Env("QDX_ORGANISATION")); }

void ResetFolders() { Cache() = FolderCache{}; }

bool CopyFileKeepingDate(const std::string& from, const std::string& to) {
    std::string content;
    // Copies go into the program's own folders (shipped data, the install merge).
    if (!ReadWholeFile(from, content) || !CreateFolderOf(to) || !WriteFileAtomically(to, content))
        return false;
    std::error_code ec;
    auto when = fs::last_write_time(from, ec);
    if (!ec) fs::last_write_time(to, when, ec);
    return true;
}

bool EnsureSharedDataFile(std::string_view relativePath, std::string_view fromDir) {
    std::string target = MakerCommonDir() + std::string(relativePath);
    std::error_code ec;
    if (fs::exists(target, ec)) return true;
    std::string source =
        (fromDir.empty() ? ProgramFilesDir() : AddBackslash(fromDir)) + std::string(relativePath);
    return CopyFileKeepingDate(source, target);
}

}  // namespace qdx
