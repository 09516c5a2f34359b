// The coil's air process as a file for the psychrometric chart program.

#include <filesystem>

#include "documents/atomic_file.hpp"
#include "documents/folders.hpp"
#include "documents/messages.hpp"
#include "engine/coil_project.hpp"

namespace qdx {

std::string TCoilProject::AerographPath() const {
    if (FileName.empty()) return UserDataDir() + "NoName" + TAerographFile::kExtension;
    return std::filesystem::path(FileName).replace_extension(TAerographFile::kExtension).string();
}

TAerographFile TCoilProject::AerographData() const {
    TAerographFile file;
    file.properties = Properties;
    file.barometer = Barometer;
    file.nodes.push_back({"Node1", "On", OnCoilAir.db, OnCoilAir.wb, ""});
    file.nodes.push_back({"Node2", "Off", OffCoilAir.db, OffCoilAir.wb, ""});
    file.processes.push_back({"Process1", "Coil", "Node1", "Node2", coil_->MassFlow, ""});
    return file;
}

bool TCoilProject::ExportAerograph(const std::string& path) {
    // A coil that does not solve has no leaving air to plot: the status shows why.
    if (!Solved && !SolveCoil()) return false;
    if (!WriteFileAtomically(path, WriteAerographText(AerographData()))) {
        ShowMessage(kAerographWriteError);
        return false;
    }
    return true;
}

}  // namespace qdx
