#include "documents/version_info.hpp"

#include "units/format.hpp"
#include "version.hpp"

namespace qdx {

TVerInfoRes::TVerInfoRes(std::string_view) {}

int TVerInfoRes::Major() const { return build::kVersionMajor; }
int TVerInfoRes::Minor() const { return build::kVersionMinor; }
int TVerInfoRes::Release() const { return build::kVersionPatch; }
int TVerInfoRes::Build() const { return build::kVersionBuild; }

std::string TVerInfoRes::FileVersion() const {
    return Format("%d.%d.%d.%d", Major(), Minor(), Release(), Build());
}

std::string TVerInfoRes::GetValue(std::string_view name) const {
    if (name == "ProductName" || name == "InternalName") return build::kProductName;
    if (name == "FileDescription") return build::kFileDescription;
    if (name == "CompanyName") return build::kCompanyName;
    if (name == "FileVersion" || name == "ProductVersion") return FileVersion();
    return {};
}

std::vector<std::string> TVerInfoRes::BuildFlags() const {
    std::vector<std::string> flags;
#ifndef NDEBUG
    flags.push_back("Debug");
#endif
    return flags;
}

std::string ProgramTitle(std::string_view path) {
    TVerInfoRes info(path);
    return info.GetValue("ProductName") + " " + info.FileVersion();
}

}  // namespace qdx
