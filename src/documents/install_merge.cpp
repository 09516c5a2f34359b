#include "documents/install_merge.hpp"

#include <ctime>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>

#include "documents/folders.hpp"
#include "documents/settings_stores.hpp"
#include "documents/text_utils.hpp"
#include "units/format.hpp"

namespace qdx {

namespace fs = std::filesystem;

namespace {

bool IsFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool FileTime(const std::string& path, long long& seconds) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    seconds = static_cast<long long>(st.st_mtime);
    return true;
}

// The file date as remembered in the settings: UTC, to the second.
std::string FileDateText(const std::string& path) {
    long long seconds = 0;
    if (!FileTime(path, seconds)) return {};
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm utc{};
    gmtime_r(&t, &utc);
    return Format("%4.4d-%2.2d-%2.2d %2.2d:%2.2d:%2.2d", utc.tm_year + 1900, utc.tm_mon + 1,
                  utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
}

bool SameFileDate(const std::string& a, const std::string& b) {
    long long ta = 0, tb = 0;
    return FileTime(a, ta) && FileTime(b, tb) && ta == tb;
}

bool IsUnder(const std::string& path, const std::string& folder) {
    std::error_code ec;
    fs::path p = fs::weakly_canonical(path, ec);
    if (ec) return false;
    fs::path f = fs::weakly_canonical(folder, ec);
    if (ec || f.empty()) return false;
    auto [fEnd, pIt] = std::mismatch(f.begin(), f.end(), p.begin(), p.end());
    // weakly_canonical keeps a trailing "/" as an empty last element.
    return fEnd == f.end() || (std::next(fEnd) == f.end() && fEnd->empty());
}

bool DefaultRemove(const std::string& path) {
    // Treat the shipped data folder as the read-only folder of an installation, also when
    // it is the source tree's data/.
    if (IsInShippedData(path)) return false;
    std::error_code ec;
    return fs::remove(path, ec) && !ec;
}

}  // namespace

bool IsInShippedData(const std::string& path) { return IsUnder(path, ProgramFilesDir()); }

std::string ExpandFolderNames(std::string_view text) {
    static const struct {
        const char* name;
        std::string (*folder)();
    } kFolders[] = {
        {"${MakerCommonDir}", MakerCommonDir}, {"${MakerDir}", MakerDir},
        {"${UserDataDir}", UserDataDir},       {"${ProgramFilesDir}", ProgramFilesDir},
        {"${CommonFilesDir}", CommonFilesDir}, {"${ExeDir}", ExeDir},
        {"${DocumentsDir}", [] { return AddBackslash(DocumentsDir()); }},
    };
    std::string out(text);
    for (const auto& f : kFolders) {
        size_t hit;
        while ((hit = out.find(f.name)) != std::string::npos) {
            std::string folder;
            try {
                folder = f.folder();
            } catch (const std::runtime_error&) {
                folder.clear();
            }
            out.replace(hit, std::string_view(f.name).size(), folder);
        }
    }
    return out;
}

std::string SectionDisplayText(std::string_view section, const std::vector<std::string>& lines) {
    std::string text;
    text.append("[").append(section).append("]");
    for (const std::string& line : lines) text.append("\n").append(line);
    return text;
}

TInstallMerge::TInstallMerge(MergeQuestionHandler ask) : ask_(std::move(ask)), remove_(DefaultRemove) {}

void TInstallMerge::SetRemoveFile(std::function<bool(const std::string&)> remove) {
    remove_ = remove ? std::move(remove) : DefaultRemove;
}

bool TInstallMerge::MergeFile(const std::string& userPath, const std::string& installedPath) {
    TPowerIniFile user(userPath);
    const TPowerIniFile installed(installedPath);
    bool decideLater = false;
    for (const std::string& section : installed.ReadSections()) {
        if (!user.SectionExists(section)) {
            user.CopySection(installed, section);
            continue;
        }
        bool differs = false;
        for (const std::string& key : installed.ReadSection(section)) {
            if (!user.ValueExists(section, key) ||
                !SameText(user.ReadString(section, key, ""), installed.ReadString(section, key, ""))) {
                differs = true;
                break;
            }
        }
        if (!differs) continue;

        TMergeDecision decision = mdKeepYourData;
        if (acceptAll_) {
            decision = mdUseInstallData;
        } else if (ask_) {
            decision = ask_(TMergeQuestion{"Install notice: " + userPath, section,
                                           user.ReadSectionValues(section),
                                           installed.ReadSectionValues(section)});
        }
        if (decision == mdDecideLater) {
            decideLater = true;
            break;
        }
        if (decision == mdAcceptAll) acceptAll_ = true;
        if (decision == mdUseInstallData || decision == mdAcceptAll) user.CopySection(installed, section);
    }
    bool written = user.UpdateFile();
    return written && !decideLater;
}

void TInstallMerge::RemoveInstalled(const std::string& path, TCustomIniFile& settings) {
    if (!remove_(path)) settings.WriteString(kMergedDatesSection, path, FileDateText(path));
}

void TInstallMerge::Run(const TCustomIniFile& programIni, TCustomIniFile& settings) {
    struct Entry {
        std::string user, installed;
    };
    std::vector<Entry> entries;
    for (const std::string& line : programIni.ReadSectionValues(kDataFilesSection)) {
        std::string key, value;
        if (!SplitNameValue(line, key, value)) continue;
        key = ReplaceChar('\\', '/', key);
        std::string u = ReplaceChar('\\', '/', ExpandFolderNames(Trim(NthField(1, ",", value))));
        std::string i = ReplaceChar('\\', '/', ExpandFolderNames(Trim(NthField(2, ",", value))));
        entries.push_back({u + key, i + key});
    }

    for (const Entry& e : entries) {
        if (IsFile(e.user))
            CopyFileKeepingDate(e.user, fs::path(e.user).replace_extension(".bak").string());
    }

    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        const Entry& e = *it;
        bool hasUser = IsFile(e.user);
        bool hasInstalled = IsFile(e.installed);
        if (!hasInstalled) continue;
        if (hasUser) {
            std::string remembered = settings.ReadString(kMergedDatesSection, e.installed, "");
            if (!remembered.empty() && remembered == FileDateText(e.installed)) continue;
            if (SameFileDate(e.user, e.installed)) {
                RemoveInstalled(e.installed, settings);
            } else if (MergeFile(e.user, e.installed)) {
                RemoveInstalled(e.installed, settings);
            }
        } else if (CopyFileKeepingDate(e.installed, e.user)) {
            // Only once the user has the data may the installed copy go.
            RemoveInstalled(e.installed, settings);
        }
    }
    settings.UpdateFile();
}

void MergeInstallData(MergeQuestionHandler ask) {
    auto programIni = OpenProgramIniFile();
    auto settings = OpenProgramSettings();
    TInstallMerge merge(std::move(ask));
    merge.Run(*programIni, *settings);
}

}  // namespace qdx
