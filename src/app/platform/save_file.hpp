#pragma once
// Writing a whole file the desktop program produces (a PDF, a screen picture) as a careful
// editor saves: the new content replaces the file only once it is completely written; an
// existing file the user may not write is refused and left alone; a symbolic link is followed;
// the replacement keeps the old file's permissions and a new file gets the user's umask; no
// folder is created; a failed save leaves nothing behind.

#include <QByteArray>
#include <QString>

namespace qdx::app {

// False with the reason in error when the file was not written.
bool SaveWholeFile(const QString& path, const QByteArray& content, QString* error = nullptr);

}  // namespace qdx::app
