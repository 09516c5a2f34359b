#pragma once
// The two project-open targets: a damaged file either opens into a coil the program can rate
// and report, or fails and leaves the project exactly as it was; a good file opens after it.

#include <cstdint>
#include <string>

#include "engine/coil_project.hpp"
#include "fuzz_support.hpp"
#include "units/format.hpp"

namespace qdx::fuzz {

// Everything an open may change, at full precision.
inline std::string ProjectState(TCoilProject& p) {
    TColdWaterCoil& c = p.Coil();
    const TLiquid& l = p.Coolant();
    const TLiquidState& ls = *c.LiquidState;
    const TModelRec& r = c.FinAndTube->Record();
    std::string s = c.GetDesignation() + "|" + r.Mnf + "|" + p.FileName + "|" +
                    p.Properties.edProjectName + "|" + p.Properties.edDescription + "|";
    const double values[] = {p.Barometer, c.MassFlow, c.FaceVelocity, c.Qt, c.Qs, c.e, c.Ntu,
                             c.FaceArea(), l.tfi, l.tfo, l.m, ls.vw, ls.designdt,
                             static_cast<double>(ls.ctrl), static_cast<double>(l.LiquidSpec),
                             l.AdditiveVolume, r.ID, r.Sx, r.tf, r.Rows, r.fpi, r.Circ};
    for (double v : values) s += Format("%.17g|", v);
    for (int i = 0; i < kAirStateFields; ++i)
        s += Format("%.17g|%.17g|", AirField(p.OnCoilAir, i), AirField(p.OffCoilAir, i));
    return s;
}

class ProjectOpenTarget {
public:
    // good: the bytes of a file that must open.
    ProjectOpenTarget(const std::string& inputName, const std::string& good)
        : inputName_(inputName) {
        Scratch();
        project_.OnMessage = [](const std::string&) {};
        project_.CreateCoil(TCoilSettings());
        goodPath_ = WriteInput("good-" + inputName, good);
        Expect(project_.OpenFile(goodPath_), "the good file does not open");
    }

    void Run(const uint8_t* data, size_t size) {
        const std::string path = WriteInput(inputName_, Text(data, size));
        const std::string before = ProjectState(project_);
        if (!project_.OpenFile(path)) {
            Expect(ProjectState(project_) == before, "a failed open changed the project");
            return;
        }
        // An opened coil is one the program can work with.
        WorkOut(*project_.Coil().FinAndTube);
        project_.SolveCoil();
        Expect(project_.OpenFile(goodPath_), "the good file does not open after another");
    }

private:
    TCoilProject project_;
    std::string inputName_;
    std::string goodPath_;
};

}  // namespace qdx::fuzz
