#pragma once
// Files the program's own writers make, for the seed corpora and for the good files the
// open targets check against.

#include <string>
#include <vector>

#include "documents/atomic_file.hpp"
#include "documents/value_stream.hpp"
#include "engine/coil_project.hpp"
#include "fuzz_support.hpp"

namespace qdx::fuzz {

// A first-run project under other conditions, solved, with its properties set.
inline void MakeSampleProject(TCoilProject& p) {
    p.OnMessage = [](const std::string&) {};
    p.CreateCoil(TCoilSettings());
    p.SetCoilModel("762 x 1200 6r 10f  (12c)");
    p.SetBarometer(95);
    p.SetOnCoil("27/21");
    p.SetAirVelocity(2.2);
    p.SetCoolant(0, 1, 0.25);
    p.SetFluidInlet(7);
    p.SetDesignDT(6);
    p.SolveCoil();
    p.Properties.edProjectName = "Harbour Tower";
    p.Properties.edDescription = "Level 3 AHU\r\nChilled water";
}

// The saved ".cqx" document of a project.
inline std::string SavedXml(TCoilProject& p) {
    const std::string path = (Scratch() / "saved.cqx").string();
    Expect(p.SaveFile(path), "the sample project does not save");
    std::string bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

// The older value-stream file of a project.
inline std::string SavedStream(TCoilProject& p) {
    ValueWriter w;
    w.WriteString(TCoilProject::kStreamTag);
    // The properties as the older files hold them: five texts and a date.
    w.WriteString(p.Properties.edProjectName);
    w.WriteString(p.Properties.edProjectNumber);
    w.WriteString(p.Properties.edDescription, ValueTag::LString);
    w.WriteString(p.Properties.edAuthor);
    w.WriteString(p.Properties.edCompany);
    w.WriteDate(41279.5);
    p.Coil().WriteToStream(w);
    return {w.Bytes().begin(), w.Bytes().end()};
}

}  // namespace qdx::fuzz
