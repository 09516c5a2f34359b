#pragma once
// The folders the program uses, worked out from the environment the first time each is asked
// for and kept until ResetFolders. Folder texts end with "/" except DocumentsDir.
//
//  ExeDir, ExeName        the running program file (/proc/self/exe)
//  ProgramFilesDir,       the installation's shared data folder (share/qdx/ beside the
//  CommonFilesDir         program's bin/); the source tree's data/ when the program runs
//                         from a build tree (no installed folder)
//  BuiltDataDir           the data the build makes from text kept in the source tree (the
//                         location database): the installed data folder, else the build
//                         tree's data/
//  DocumentsDir           $XDG_DOCUMENTS_DIR, else the user-dirs.dirs entry, else ~/Documents
//  UserDataDir            DocumentsDir/Calorix/<ExeName>/, created; ExeDir when it cannot be
//  MakerDir               $QDX_COMMON_DIR when set, else $XDG_DATA_HOME/Calorix/
//  MakerCommonDir         $QDX_COMMON_DIR when set, else $XDG_DATA_HOME/Calorix/Common Files/
//                         (one folder given for the maker's shared files holds all of them)
//  ConfigDir              $XDG_CONFIG_HOME/Calorix/, where the settings stores live
//  DataHomeDir            $XDG_DATA_HOME/, the user's share of desktop data (activation files)
//  RegisteredOwner,       $QDX_OWNER and $QDX_ORGANISATION, else empty
//  RegisteredOrganization
//
// XDG_CONFIG_HOME and XDG_DATA_HOME default to ~/.config and ~/.local/share; relative values
// are ignored, as the XDG rules say.

#include <string>
#include <string_view>

namespace qdx {

std::string ExeDir();
std::string ExeName();
std::string ProgramFilesDir();
std::string CommonFilesDir();
std::string BuiltDataDir();
// Throws std::runtime_error "Could not find My Documents folder location." when neither a
// documents folder nor a home folder is known.
std::string DocumentsDir();
std::string UserDataDir();
std::string DesktopDir();
std::string MakerDir();
std::string MakerCommonDir();
std::string ConfigDir();
std::string DataHomeDir();
std::string RegisteredOwner();
std::string RegisteredOrganization();

// Forgets every folder, so the next call looks at the environment again (tests change it).
void ResetFolders();

// Appends "/" unless the path is empty or already ends with one.
std::string AddBackslash(std::string_view path);

// Makes sure MakerCommonDir + relativePath exists, copying the shipped file of that name from
// fromDir (default ProgramFilesDir) when it is missing. True when the file is there afterwards.
bool EnsureSharedDataFile(std::string_view relativePath, std::string_view fromDir = {});

// Copies a file through a temporary file and gives the copy the source's modification time,
// creating the target's folder (for the program's own files). False when the source cannot be
// read or the target cannot be written.
bool CopyFileKeepingDate(const std::string& from, const std::string& to);

}  // namespace qdx
