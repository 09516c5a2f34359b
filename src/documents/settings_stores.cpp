#include "documents/settings_stores.hpp"

#include "documents/atomic_file.hpp"
#include "documents/folders.hpp"
#include "version.hpp"

namespace qdx {

namespace {

std::unique_ptr<TPowerIniFile> OpenStore(std::string path) {
    // Like a registry key opened for writing: its folder is there once it is open.
    CreateFolderOf(path);
    auto store = std::make_unique<TPowerIniFile>(std::move(path));
    store->SetAutoUpdate(true);
    return store;
}

}  // namespace

// The stores are named after the product, not the executable, so every command and the
// desktop program share them.
std::string ProgramSettingsPath() { return ConfigDir() + build::kProductName + ".ini"; }
std::string CommonSettingsPath() { return ConfigDir() + "Common.ini"; }
std::string CompanySettingsPath() { return ConfigDir() + "Calorix.ini"; }
std::string ProgramIniPath() { return ProgramFilesDir() + build::kProductName + ".ini"; }

std::unique_ptr<TPowerIniFile> OpenProgramSettings() { return OpenStore(ProgramSettingsPath()); }
std::unique_ptr<TPowerIniFile> OpenCommonSettings() { return OpenStore(CommonSettingsPath()); }
std::unique_ptr<TPowerIniFile> OpenCompanySettings() { return OpenStore(CompanySettingsPath()); }

std::unique_ptr<TwIniFile> OpenProgramIniFile() { return std::make_unique<TwIniFile>(ProgramIniPath()); }

}  // namespace qdx
