#pragma once
// Merging newly installed data files into the user's copies, once at start-up before any
// window opens.
//
// The section "Data files" of the program INI file lists the files: each key K has the value
// "U, I, x": the user's copy is U + K and the installed copy I + K (x is not used). U and I
// may name a folder of the program as ${MakerCommonDir}, ${MakerDir}, ${UserDataDir},
// ${ProgramFilesDir}, ${CommonFilesDir}, ${ExeDir} or ${DocumentsDir}; "\" is read as "/".
//
// Every existing user copy is first saved as <name>.bak. Then, last entry first: an installed
// copy with the same file date as the user's is removed; one without a user copy is copied
// there and removed; one with a different date is merged into the user's file section by
// section, the user deciding on every section that differs. An installed copy that cannot be
// removed (a read-only data folder) has its date remembered in the program settings, section
// "Data files merged", and is not looked at again while its date stays the same.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "documents/ini_file.hpp"

namespace qdx {

enum TMergeDecision { mdKeepYourData, mdUseInstallData, mdAcceptAll, mdDecideLater };

// The button texts of the question, in the order of TMergeDecision.
inline constexpr const char* kMergeButtonTexts[] = {"Keep your data", "Use install data",
                                                    "&Accept All", "&Decide later"};
inline constexpr const char* kDataFilesSection = "Data files";
inline constexpr const char* kMergedDatesSection = "Data files merged";

struct TMergeQuestion {
    std::string caption;                      // "Install notice: " + the user's file
    std::string section;
    std::vector<std::string> userLines;       // key=value lines of the user's section
    std::vector<std::string> installedLines;  // and of the installed one
};

// The question's answer; the desktop program shows the "Install notice" dialog.
using MergeQuestionHandler = std::function<TMergeDecision(const TMergeQuestion&)>;

// A section as the dialog shows it: "[name]" and then its key=value lines, one a line.
std::string SectionDisplayText(std::string_view section, const std::vector<std::string>& lines);

class TInstallMerge {
public:
    // Without a handler every differing section keeps the user's data.
    explicit TInstallMerge(MergeQuestionHandler ask = {});

    // How an installed copy is removed; false when it cannot be. The default never removes
    // files from the program's own shipped data folder and deletes anything else.
    void SetRemoveFile(std::function<bool(const std::string& path)> remove);

    // Runs the merge over the "Data files" section of programIni, remembering dates of copies
    // that cannot be removed in settings (written back before returning).
    void Run(const TCustomIniFile& programIni, TCustomIniFile& settings);

    // Merges the installed INI file into the user's and writes the user's file when it
    // changed. False when the user chose "&Decide later" or the user's file could not be
    // written, so the installed copy must stay.
    bool MergeFile(const std::string& userPath, const std::string& installedPath);

private:
    void RemoveInstalled(const std::string& path, TCustomIniFile& settings);

    MergeQuestionHandler ask_;
    std::function<bool(const std::string&)> remove_;
    bool acceptAll_ = false;
};

// The start-up merge: the program INI file's list, dates remembered in the program settings.
void MergeInstallData(MergeQuestionHandler ask = {});

// True for a path inside the program's shipped data folder, which the merge never deletes
// from (it is the source tree's data/ when the program runs from a build).
bool IsInShippedData(const std::string& path);

// Replaces the ${Folder} names listed above in text.
std::string ExpandFolderNames(std::string_view text);

}  // namespace qdx
