#pragma once
// The settings stores, each an INI file:
//  - program settings   ConfigDir()/QDX.ini       per-window settings and placement
//  - common settings    ConfigDir()/Common.ini    shared by the maker's programs (unit choices)
//  - company settings   ConfigDir()/Calorix.ini   the maker's own values (web address)
//  - program INI file   QDX.ini in the shipped data folder: the "Data files" list of the
//                       install merge and a few tool windows' positions
// The three per-user stores behave like registry keys: they are written back when the store
// object is destroyed, and a store opened twice does not lose the other one's changes.

#include <memory>
#include <string>

#include "documents/ini_file.hpp"

namespace qdx {

std::string ProgramSettingsPath();
std::string CommonSettingsPath();
std::string CompanySettingsPath();
std::string ProgramIniPath();

std::unique_ptr<TPowerIniFile> OpenProgramSettings();
std::unique_ptr<TPowerIniFile> OpenCommonSettings();
std::unique_ptr<TPowerIniFile> OpenCompanySettings();
// Read and written directly; writes fail quietly where the data folder is read-only.
std::unique_ptr<TwIniFile> OpenProgramIniFile();

}  // namespace qdx
