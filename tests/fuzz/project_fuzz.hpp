#pragma once
// The two project-open targets: a damaged file either opens into a coil the program can rate
// and report, or fails and leaves the project exactly as it was; a good file opens after it.

#include <cstdint>
#include <string>

#include "engine/coil_project.hpp"
#include "engine/project_open_state.hpp"
#include "fuzz_support.hpp"

namespace qdx::fuzz {

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
        const std::string before = test::ProjectOpenState(project_);
        if (!project_.OpenFile(path)) {
            Expect(test::ProjectOpenState(project_) == before,
                   "a failed open changed the project");
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
