#pragma once
// Writing a whole file so that a crash or a failed write never leaves it half-written: the
// content goes to a temporary file in the same folder, which then replaces the target.

#include <string>
#include <string_view>

namespace qdx {

// Writes content to path through a temporary file and a rename. Creates missing parent
// folders. Returns false (and leaves any existing file untouched) when any step fails; the
// reason is put in error when given.
bool WriteFileAtomically(const std::string& path, std::string_view content,
                         std::string* error = nullptr);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& content);

}  // namespace qdx
