#pragma once
// Writing a whole file as a careful editor saves it: the content goes to a temporary file in
// the same folder, which then replaces the target, so a crash or a failed write never leaves it
// half-written.

#include <string>
#include <string_view>

namespace qdx {

// Writes content to path through a temporary file and a rename. An existing file the user may
// not write is refused; the replacement keeps the permission bits of the file it replaces; a
// symbolic link is followed and the file it points to replaced; a new file gets the user's
// umask. No folder is created: the program's own folders are made by their owners
// (CreateFolderOf). Returns false (leaving any existing file untouched and no temporary file
// behind) when any step fails; the reason is put in error when given.
bool WriteFileAtomically(const std::string& path, std::string_view content,
                         std::string* error = nullptr);

// Creates the folder that holds path, with its parents; true when it exists afterwards. For
// the program's own files only (settings, units file, shipped data), never for a path the user
// gave.
bool CreateFolderOf(const std::string& path);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& content);

}  // namespace qdx
