#include <gtest/gtest.h>

#include <sstream>

#include "cli/commands.hpp"
#include "version.hpp"

namespace qdx::cli {
namespace {

TEST(CommandLine, VersionAndBadOption) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine({"--version"}, out, err), 0);
    EXPECT_EQ(out.str(), "QDX " + std::to_string(build::kVersionMajor) + "." +
                             std::to_string(build::kVersionMinor) + "." +
                             std::to_string(build::kVersionPatch) + ".0\n");
    std::ostringstream out2, err2;
    EXPECT_EQ(RunCommandLine({"--no-such-option"}, out2, err2), 2);
    EXPECT_NE(err2.str().find("--no-such-option"), std::string::npos);
}

}  // namespace
}  // namespace qdx::cli
