// The coil's air process as a file for the psychrometric chart program.

#include <filesystem>

#include "documents/atomic_file.hpp"
#include "documents/folders.hpp"
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
    // A calculation that faulted leaves the leaving air of the inputs before it: nothing of
    // this coil to plot (the status shows "Data Error...").
    if (!Solved && !SolveCoil() && !LastError.empty()) return false;
    if (!WriteFileAtomically(path, WriteAerographText(AerographData()))) {
        Message(kAerographWriteError);
        return false;
    }
    return true;
}

}  // namespace qdx
