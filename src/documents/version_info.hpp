#pragma once
// The program's version information, taken from the version header the build generates from
// the project version.

#include <string>
#include <string_view>
#include <vector>

namespace qdx {

class TVerInfoRes {
public:
    // The path names the program file the information belongs to; there is only this program.
    explicit TVerInfoRes(std::string_view path = {});

    int Major() const;
    int Minor() const;
    int Release() const;
    int Build() const;
    // "major.minor.release.build".
    std::string FileVersion() const;
    // A standard string value by name: "ProductName", "FileDescription", "CompanyName",
    // "FileVersion", "ProductVersion", "InternalName"; empty for a name the program does not
    // carry.
    std::string GetValue(std::string_view name) const;
    // The build flags that are set: "Debug" for a build without NDEBUG; none in a release.
    std::vector<std::string> BuildFlags() const;
};

// ProductName + " " + file version; the caption of the main windows.
std::string ProgramTitle(std::string_view path = {});

}  // namespace qdx
